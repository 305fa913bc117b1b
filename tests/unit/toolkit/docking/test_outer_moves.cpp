// Moving fixed bars between and along the rows of an outer dock bar, the row order a moved bar
// takes, releasing the bars of a dock bar that goes, and the factories the frame's docking set-up
// finds.
#include "tests/unit/toolkit/docking/dock_support.h"

namespace {

class OuterMoves : public DockFrameTest {
protected:
  void SetUp() override {
    DockFrameTest::SetUp();
    m_pA = AddBar("a", 101, true, CSize(120, 24));
    m_pB = AddBar("b", 102, true, CSize(90, 24));
    m_pC = AddBar("c", 103, true, CSize(60, 24));
    m_pTop = static_cast<CExtDockOuterBar*>(Side(AFX_IDW_DOCKBAR_TOP));
    m_pTop->DockBarAtEdge(m_pA, false);
    m_pTop->InsertBarBesideRow(m_pA, m_pB, false);
    m_pTop->DockBarAtEdge(m_pC, false);
    Layout();
  }
  CRect InDock(CWnd* pWnd) {
    CRect rc;
    pWnd->GetWindowRect(&rc);
    m_pTop->ScreenToClient(&rc);
    return rc;
  }
  CTestBar *m_pA = NULL, *m_pB = NULL, *m_pC = NULL;
  CExtDockOuterBar* m_pTop = NULL;
};

TEST_F(OuterMoves, ABarDroppedOnTheFirstHalfOfAnotherGoesInFrontOfIt) {
  ASSERT_EQ("0 a 0 b c 0", DumpArray(m_pTop));
  CPtrArray row;
  row.Add(m_pB);
  row.Add(m_pC);
  ASSERT_TRUE(m_pTop->InsertIntoRow(m_pA, row, 100));
  EXPECT_EQ("0 b a c 0", DumpArray(m_pTop));
  EXPECT_EQ(InDock(m_pC).top, InDock(m_pA).top) << "moved onto c's row";
  EXPECT_EQ(InDock(m_pC).left, InDock(m_pA).left) << "pulled back to c's start";
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
}

TEST_F(OuterMoves, ABarDroppedPastTheRowGoesAfterIt) {
  CPtrArray row;
  row.Add(m_pB);
  row.Add(m_pC);
  ASSERT_TRUE(m_pTop->InsertIntoRow(m_pA, row, 400));
  EXPECT_EQ("0 b c a 0", DumpArray(m_pTop));
  EXPECT_LE(InDock(m_pC).right, InDock(m_pA).left);
}

TEST_F(OuterMoves, ARowWithoutRoomRefusesTheBar) {
  m_pB->m_sizeMin = CSize(770, 24);
  CPtrArray row;
  row.Add(m_pB);
  row.Add(m_pC);
  EXPECT_FALSE(m_pTop->InsertIntoRow(m_pA, row, 100));
  EXPECT_EQ("0 a 0 b c 0", DumpArray(m_pTop));
}

TEST_F(OuterMoves, TheMovedBarComesFirstInItsRowsOrder) {
  CPtrArray row;
  row.Add(m_pB);
  row.Add(m_pC);
  ASSERT_TRUE(m_pTop->InsertIntoRow(m_pA, row, 400));
  ASSERT_EQ("0 b c a 0", DumpArray(m_pTop));
  RowOrderOf(m_pA->m_pos) = 0;
  RowOrderOf(m_pB->m_pos) = 2;
  RowOrderOf(m_pC->m_pos) = 1;
  m_pTop->RenumberRowOrder(m_pB);
  EXPECT_EQ(1, RowOrderOf(m_pB->m_pos));
  EXPECT_EQ(2, RowOrderOf(m_pC->m_pos));
  EXPECT_EQ(3, RowOrderOf(m_pA->m_pos)) << "a reset record comes last";
}

TEST_F(OuterMoves, MovingABarAlongItsRowKeepsItInsideTheDockBar) {
  EXPECT_FALSE(m_pTop->InsertIntoRow(m_pA, CPtrArray(), 0)) << "no row to join";
  const int nWidth = InDock(m_pC).Width();
  m_pTop->LayoutRows(m_pC, 5000);
  EXPECT_EQ(InDock(m_pTop).Width(), InDock(m_pC).right) << "stopped at the far edge";
  EXPECT_EQ(nWidth, InDock(m_pC).Width());
  m_pTop->LayoutRows(m_pC, -5000);
  EXPECT_EQ(InDock(m_pB).right, InDock(m_pC).left) << "stopped at its neighbour";
}

TEST_F(OuterMoves, ADockBarThatGoesHandsItsBarsBackToTheFrame) {
  CTestBar* pP = AddBar("p", 201, false, CSize(100, 100));
  ASSERT_TRUE(pP->DockIntoSideBar(AFX_IDW_DOCKBAR_LEFT, 1));
  CExtDockBar* pInner = Side(AFX_IDW_DOCKBAR_LEFT, 1);
  ASSERT_NE(nullptr, pInner);
  pInner->DestroyWindow();
  EXPECT_EQ(nullptr, pP->m_pDockBar);
  EXPECT_EQ(m_pFrame->m_hWnd, ::GetParent(pP->m_hWnd));
  EXPECT_TRUE(::IsWindow(pP->m_hWnd));
}

} // namespace
