// What the docking tests share: a frame with toolkit dock bars, bars of known sizes (fixed ones
// with a row position record, resizable ones), and a text dump of every dock bar's array.
#pragma once

#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

// A bar of one size, turned for vertical rows; fixed bars keep a row position record.
class CTestBar : public CExtControlBar {
public:
  CTestBar(bool bFixed, CSize size, bool bFullRow = false);
  CSize m_size;
  bool m_bFullRow;
  OuterDockPosition m_pos;
  CSize m_sizeMin = CSize(-1, -1); // -1: the bar's own minimum

  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  bool IsFullRowBar() const override { return m_bFullRow; }
  OuterDockPosition* GetOuterDockPosition() override { return IsFixedMode() ? &m_pos : NULL; }
  bool IsIncludedInRowExtent() const override { return IsFixedMode(); }
  CSize CalcMinSize() const override { return m_sizeMin.cx >= 0 ? m_sizeMin : CExtControlBar::CalcMinSize(); }
};

class DockFrameTest : public ::testing::Test {
public:
  static std::string DumpArray(const CDockBar* pDock);

protected:
  void SetUp() override;
  void TearDown() override;
  // A bar named lpszName, created in the frame and allowed on every side.
  CTestBar* AddBar(LPCSTR lpszName, UINT nId, bool bFixed, CSize size, bool bFullRow = false);
  CExtDockBar* Side(UINT nSideId, UINT nCircle = 0);
  // Every side dock bar of the frame, outermost first: "T0: 0 a b 0 #102 0" (bars by name,
  // placeholders as #id, row separators as 0).
  std::string Dump() const;
  void Layout() { m_pFrame->RecalcLayout(); }

  CFrameWnd* m_pFrame = NULL;
  std::vector<std::unique_ptr<CTestBar>> m_bars;
};

// The frame's arrays hold together: entry 0 and the last entry are separators, no two
// separators follow each other, every bar names the dock bar that holds it and sits in no other,
// circle numbers run 0, 1, 2 ... along each side and no inner circle is empty.
::testing::AssertionResult ArraysAreSound(CFrameWnd* pFrame);

// Where the random step sequences start: four resizable bars "r0" to "r3" (ids 201 to 204), r0
// docked on the left, and a random source seeded by the parameter; Pick(n) is one of 0 to n - 1.
class RandomStepTest : public DockFrameTest, public ::testing::WithParamInterface<unsigned> {
protected:
  void SetUp() override;
  int Pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

  std::vector<CTestBar*> m_steppers;
  std::mt19937 m_random;
};

// The process's GDI and USER object counts and the framework's permanent windows, taken when
// made: a cycle repeated after them must leave all three where they were.
class HandleCounts {
public:
  HandleCounts();
  // Its message gives the counts then and now, whatever the answer.
  ::testing::AssertionResult Unchanged() const;

private:
  long m_nGdi;  // through the GDI handle table where Wine does not count
  long m_nUser; // the process's windows and menus where Wine does not count
  int m_nWindows;
};
