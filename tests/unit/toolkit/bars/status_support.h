// A shown test frame with a toolkit status bar of three panes (the stretching message line, a
// zoom pane and a size pane, both with strings), a bar that counts its paintings, and what the
// status tests read back of the bar.
#pragma once

#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/bars/status_ids.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "toolkit/bars/ExtStatusControlBar.h"

#include <gtest/gtest.h>

#include <memory>

// Counts how often it paints (every painting starts with the background).
class CCountingStatusBar : public CExtStatusControlBar {
public:
  int m_nPaints = 0;
  void PaintBackground(CDC& dc, const CRect& rcClient) override;
};

class StatusBarTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Repaints the bar now and reads its client area back.
  pixel_support::Pixels PaintAndRead();
  // A visible child of the bar that the pointer finds (a static answering hit tests).
  HWND MakeChild();

  FramePtr m_frame;
  std::unique_ptr<CCountingStatusBar> m_bar;
};

// Pixels of px inside rc that differ from clr.
int CountOtherThan(const pixel_support::Pixels& px, const CRect& rc, COLORREF clr);
