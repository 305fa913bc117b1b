// What the floating-frame tests share: a frame with the toolkit's docking, bars floated in toolkit
// floating frames (a resizable panel and a wrapping tool bar), and the frame's metrics.
#pragma once

#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A tool bar of twelve square cells wrapped into rows: the sizes a fixed-mode bar allows.
class CCellBar : public CExtControlBar {
public:
  static const int kCell = 20, kCells = 12;
  bool m_bResizable = true;
  CCellBar();
  bool IsUserResizable() const override { return m_bResizable; }
  bool IsShowContentWhileDragging() const override { return true; }
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  // The size the bar takes for a width (or, with bHeight, a height) offered to it.
  static CSize SizeFor(int nLength, bool bHeight);
};

// The frame's border and caption metrics, read at run time.
struct FrameMetrics {
  int fx = ::GetSystemMetrics(SM_CXFRAME);
  int fy = ::GetSystemMetrics(SM_CYFRAME);
  int c = ::GetSystemMetrics(SM_CYSMCAPTION);
};

enum class BarKind { kResizable, kFixed, kLocked }; // the last: a fixed bar that cannot be resized

class MiniFrameTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // A bar docked (at the top, or in the dock bar of nDockSide), then floated with its frame's
  // top-left at pt; its caption text is lpszText. A resizable bar may be given (the fixture takes it).
  CExtControlBar* FloatBar(BarKind kind, CPoint pt, LPCSTR lpszText = "Floating",
                           CExtControlBar* pGiven = NULL, UINT nDockSide = AFX_IDW_DOCKBAR_TOP);
  static CExtMiniDockFrameWnd* MiniOf(CExtControlBar* pBar);

  CFrameWnd* m_pFrame = NULL;
  std::vector<std::unique_ptr<CExtControlBar>> m_bars;
  CRect m_rcDocked; // where the bar floated last was docked, on the screen
};

// The work area of the monitor the window is on.
CRect WorkAreaOf(CWnd* pWnd);
