// The non-client bands of a docked resizable bar, per side: where the caption and the resizers
// lie, what the hit test answers over them, and the bands a fixed bar gets instead.
#include "tests/unit/toolkit/docking/dock_frame_support.h"

#include <gtest/gtest.h>

namespace {

struct SideCase {
  const char* name;
  UINT dockBarId;
  bool vertical;
  UINT rowResizerHit; // what the row resizer answers
};

class NcLayoutPerSide : public ::testing::TestWithParam<SideCase> {};

TEST_P(NcLayoutPerSide, BandsAndHitCodes) {
  const SideCase& side = GetParam();
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pFirst = DockBar(pFrame.get(), 201, side.dockBarId, "First");
  ASSERT_TRUE(pFirst);
  CExtControlBar& bar = *pFirst;
  CRect rcBox = WindowBox(&bar);
  CRect rcCaption = bar.GetNcCaptionRect();
  CRect rcRow = bar.GetNcRowResizerRect();
  ASSERT_FALSE(rcCaption.IsRectEmpty());
  ASSERT_FALSE(rcRow.IsRectEmpty());
  // A caption along the top for every side (the caption-on-top flag is set by default).
  EXPECT_EQ(bar.GetCaptionExtent(), rcCaption.Height()) << side.name;
  // The row resizer runs along the edge that faces the frame's centre.
  switch (side.dockBarId) {
  case AFX_IDW_DOCKBAR_TOP:
    EXPECT_EQ(rcBox.bottom, rcRow.bottom);
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    EXPECT_EQ(rcBox.top, rcRow.top);
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    EXPECT_EQ(rcBox.right, rcRow.right);
    break;
  default:
    EXPECT_EQ(rcBox.left, rcRow.left);
  }
  EXPECT_EQ(side.vertical ? bar.GetSeparatorWidth() : bar.GetSeparatorHeight(),
            side.vertical ? rcRow.Width() : rcRow.Height());
  // A single bar has no neighbour before it: no row-start band.
  EXPECT_TRUE(bar.GetNcRowStartResizerRect().IsRectEmpty());
  CRect rcWnd;
  bar.GetWindowRect(&rcWnd);
  auto Hit = [&](CPoint ptWnd) {
    return static_cast<UINT>(
        bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.left + ptWnd.x, rcWnd.top + ptWnd.y)));
  };
  EXPECT_EQ(side.rowResizerHit, Hit(rcRow.CenterPoint())) << side.name;
  // The caption answers client, so a press there reaches the bar as a client press.
  EXPECT_EQ(UINT(HTCLIENT), Hit(CPoint(rcCaption.left + 3, rcCaption.CenterPoint().y))) << side.name;
  // The last bar of its row offers no in-row resizing.
  if (!bar.GetNcRowEndResizerRect().IsRectEmpty())
    EXPECT_EQ(UINT(HTNOWHERE), Hit(bar.GetNcRowEndResizerRect().CenterPoint())) << side.name;
  CExtControlBar::g_bLockAllBars = true;
  EXPECT_EQ(UINT(HTNOWHERE), Hit(rcRow.CenterPoint())) << side.name;
  CExtControlBar::g_bLockAllBars = false;
  pFirst.reset();
}

INSTANTIATE_TEST_SUITE_P(Sides, NcLayoutPerSide,
                         ::testing::Values(SideCase{"top", AFX_IDW_DOCKBAR_TOP, false, HTBOTTOM},
                                           SideCase{"bottom", AFX_IDW_DOCKBAR_BOTTOM, false, HTBOTTOM},
                                           SideCase{"left", AFX_IDW_DOCKBAR_LEFT, true, HTRIGHT},
                                           SideCase{"right", AFX_IDW_DOCKBAR_RIGHT, true, HTRIGHT}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NcLayout, TwoBarsInARowShareInRowBandsAndTheLockRefusesThem) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pFirst = DockBar(pFrame.get(), 211, AFX_IDW_DOCKBAR_TOP, "First");
  auto pSecond = std::make_unique<CExtControlBar>();
  ASSERT_TRUE(pSecond->Create("Second", pFrame.get(), 212, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
  pSecond->EnableDocking(CBRS_ALIGN_ANY);
  // In the first bar's row: after it, before the row end.
  CDockBar* pDockBar = pFirst->m_pDockBar;
  CRect rcFirst;
  pFirst->GetWindowRect(&rcFirst);
  pFrame->DockControlBar(pSecond.get(), pDockBar,
                         CRect(rcFirst.right + 1, rcFirst.top, rcFirst.right + 60, rcFirst.bottom));
  Relayout(pFrame.get());
  ASSERT_EQ(pDockBar, pSecond->m_pDockBar);
  ASSERT_EQ(pSecond.get(), pFirst->FindRowNeighbour(true, true, true));
  EXPECT_FALSE(pSecond->GetNcRowStartResizerRect().IsRectEmpty());
  EXPECT_TRUE(pFirst->IsFirstInRow(true));
  EXPECT_TRUE(pSecond->IsLastInRow(true));
  CRect rcWnd;
  pFirst->GetWindowRect(&rcWnd);
  CPoint ptEnd = rcWnd.TopLeft() + pFirst->GetNcRowEndResizerRect().CenterPoint();
  EXPECT_EQ(UINT(HTRIGHT), UINT(pFirst->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptEnd.x, ptEnd.y))));
  CExtControlBar::g_bLockAllBars = true;
  EXPECT_EQ(UINT(HTNOWHERE), UINT(pFirst->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptEnd.x, ptEnd.y))));
  CExtControlBar::g_bLockAllBars = false;
  pSecond.reset();
  pFirst.reset();
}

TEST(NcLayout, AFixedBarGetsNoResizersAndAnswersClient) {
  FramePtr pFrame = CreateDockFrame();
  ASSERT_TRUE(pFrame);
  auto pTool = DockBar(pFrame.get(), 221, AFX_IDW_DOCKBAR_TOP, "Tool", true);
  ASSERT_TRUE(pTool);
  EXPECT_TRUE(pTool->GetNcRowResizerRect().IsRectEmpty());
  EXPECT_TRUE(pTool->GetNcRowEndResizerRect().IsRectEmpty());
  CRect rcWnd;
  pTool->GetWindowRect(&rcWnd);
  EXPECT_EQ(UINT(HTCLIENT),
            UINT(pTool->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcWnd.left + 1, rcWnd.top + 1))));
  pTool.reset();
}

} // namespace
