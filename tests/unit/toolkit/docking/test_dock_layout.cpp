// Dock bars in a real frame: their share of the client area, the plain row layout's wraps, the
// outer layout leaving the array alone, right-to-left frames and locked dock bars.
#include "tests/unit/toolkit/docking/dock_support.h"

namespace {

const UINT kTop = AFX_IDW_DOCKBAR_TOP, kLeft = AFX_IDW_DOCKBAR_LEFT;

TEST_F(DockFrameTest, AnEmptyDockBarTakesNoSpace) {
  Layout();
  for (UINT nSide = AFX_IDW_DOCKBAR_TOP; nSide <= AFX_IDW_DOCKBAR_BOTTOM; nSide++) {
    CRect rc = ScreenRect(Side(nSide));
    EXPECT_TRUE(rc.Width() == 0 || rc.Height() == 0) << nSide;
  }
}

TEST_F(DockFrameTest, TheTopDockBarTakesItsRowsFromTheTop) {
  CTestBar* pA = AddBar("a", 101, true, CSize(120, 24));
  Side(kTop)->DockBarAtEdge(pA, false);
  Layout();
  CRect rcClient;
  m_pFrame->GetClientRect(&rcClient);
  m_pFrame->ClientToScreen(&rcClient);
  CRect rcTop = ScreenRect(Side(kTop));
  EXPECT_EQ(rcClient.top, rcTop.top);
  EXPECT_EQ(24, rcTop.Height());
  EXPECT_EQ(CRect(rcClient.left, rcTop.bottom, rcClient.right, rcTop.bottom), Side(kTop)->m_rcInnerEdge);
  EXPECT_EQ(CPoint(rcClient.left, rcClient.top), ScreenRect(pA).TopLeft());
}

TEST_F(DockFrameTest, ThePlainLayoutWrapsFixedBarsIntoNewRowsButNotResizableOnes) {
  CTestBar* pA = AddBar("a", 101, true, CSize(900, 24));
  CTestBar* pB = AddBar("b", 102, true, CSize(500, 24));
  CTestBar* pP = AddBar("p", 201, false, CSize(500, 100));
  CTestBar* pQ = AddBar("q", 202, false, CSize(500, 100));
  ASSERT_TRUE(pA->DockIntoSideBar(kTop, 1));
  CExtDockBar* pInner = Side(kTop, 1);
  ASSERT_NE(nullptr, pInner);
  for (CTestBar* pBar : {pB, pP, pQ})
    pInner->DockBarAtEdge(pBar, false);
  Layout();
  EXPECT_EQ("0 a 0 b p q 0", DumpArray(pInner)) << "b starts past the end: a separator in front of it";
  Layout();
  EXPECT_EQ("0 a 0 b p q 0", DumpArray(pInner)) << "and it stays";
  const CRect rcInner = ScreenRect(pInner);
  EXPECT_EQ(rcInner.right, ScreenRect(pA).right) << "a is cut at the end of its row";
  EXPECT_EQ(ScreenRect(pA).bottom, ScreenRect(pB).top);
  EXPECT_EQ(rcInner.right, ScreenRect(pP).right) << "p is cut at the end of b's row";
  EXPECT_EQ(ScreenRect(pP).top, ScreenRect(pQ).top) << "q stays in the row";
  EXPECT_EQ(0, ScreenRect(pQ).Width()) << "with nothing left for it";
}

TEST_F(DockFrameTest, TheOuterLayoutWrapsOnScreenOnly) {
  CTestBar* pA = AddBar("a", 101, true, CSize(500, 24));
  CTestBar* pB = AddBar("b", 102, true, CSize(500, 24));
  pA->m_sizeMin = pB->m_sizeMin = CSize(480, 24);
  Side(kTop)->DockBarAtEdge(pA, false);
  Side(kTop)->DockBarAtEdge(pB, false);
  Layout();
  EXPECT_EQ("0 a b 0", DumpArray(Side(kTop)));
  EXPECT_EQ(ScreenRect(pA).bottom, ScreenRect(pB).top) << "b continues below a";
  EXPECT_EQ(48, ScreenRect(Side(kTop)).Height());
}

TEST_F(DockFrameTest, ARightToLeftFrameKeepsTheLeftDockBarAtTheFarEndOfItsCoordinates) {
  m_pFrame->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
  CTestBar* pP = AddBar("p", 201, false, CSize(100, 150));
  ASSERT_TRUE(pP->DockIntoSideBar(kLeft));
  Layout();
  CRect rcClient;
  m_pFrame->GetClientRect(&rcClient);
  m_pFrame->ClientToScreen(&rcClient);
  rcClient.NormalizeRect();
  // The frame's client coordinates run from the right: the left dock bar takes their far end,
  // which is the left of the screen, and its inner edge is the line toward the client area.
  CRect rcLeft = ScreenRect(Side(kLeft));
  EXPECT_EQ(rcClient.left, rcLeft.left);
  EXPECT_EQ(150, rcLeft.Width());
  EXPECT_EQ(rcLeft.right, Side(kLeft)->m_rcInnerEdge.left);
  EXPECT_EQ(rcLeft.right, Side(kLeft)->m_rcInnerEdge.right);
}

TEST_F(DockFrameTest, ALockedDockBarKeepsItsWindowsWhereTheyAre) {
  CTestBar* pA = AddBar("a", 101, true, CSize(120, 24));
  Side(kTop)->DockBarAtEdge(pA, false);
  Layout();
  const CRect rcBefore = ScreenRect(Side(kTop));
  Side(kTop)->LockLayoutOptimization(true);
  pA->m_size = CSize(120, 40);
  Layout();
  EXPECT_EQ(rcBefore, ScreenRect(Side(kTop)));
  Side(kTop)->LockLayoutOptimization(false);
  Layout();
  EXPECT_EQ(40, ScreenRect(Side(kTop)).Height());
}

} // namespace
