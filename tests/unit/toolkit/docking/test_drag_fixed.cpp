// Tool bars dragged for real: they move live along their row, into the neighbouring row, into a
// row of their own, into another side's dock bar, or float at the cursor; the other bars keep
// their order. Read back from the dock bars' arrays.
#include "tests/unit/toolkit/docking/drag_fixture.h"

#include <functional>

namespace {

class DragFixedBase : public DragFixture {
protected:
  void SetUp() override {
    DragFixture::SetUp();
    m_pA = AddFixed(101, "a", CSize(120, 24));
    m_pB = AddFixed(102, "b", CSize(90, 24));
    m_pC = AddFixed(103, "c", CSize(60, 24));
    m_pTop = static_cast<CExtDockOuterBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    m_pTop->DockBarAtEdge(m_pA, false);
    m_pTop->InsertBarBesideRow(m_pA, m_pB, false);
    m_pTop->DockBarAtEdge(m_pC, false);
    Relayout(m_pFrame.get());
  }
  static CPoint Grip(CWnd* pBar) {
    const CRect rc = ScreenRect(pBar);
    return CPoint(rc.left + 6, rc.CenterPoint().y);
  }
  // Moves in small steps, as a hand does, from the start to the end.
  static std::vector<CPoint> Path(CPoint ptFrom, CPoint ptTo) {
    std::vector<CPoint> points;
    const int nSteps = 8;
    for (int i = 1; i <= nSteps; i++)
      points.push_back(ptFrom + CPoint((ptTo.x - ptFrom.x) * i / nSteps, (ptTo.y - ptFrom.y) * i / nSteps));
    return points;
  }

  CFixedDragBar *m_pA = NULL, *m_pB = NULL, *m_pC = NULL;
  CExtDockOuterBar* m_pTop = NULL;
};

struct FixedCase {
  const char* name;
  char cBar;
  // Where the drag ends, from the bars' screen rectangles (a, b, c) and the frame's client area.
  std::function<CPoint(const CRect&, const CRect&, const CRect&, const CRect&)> end;
  const char* pszTop; // the top dock bar's array afterwards
  const char* pszBottom;
};

class DragFixed : public DragFixedBase, public ::testing::WithParamInterface<FixedCase> {};

TEST_P(DragFixed, MovesLiveAndKeepsTheOtherBarsInOrder) {
  const FixedCase& c = GetParam();
  ASSERT_EQ("0 a 0 b c 0", DockFrameTest::DumpArray(m_pTop));
  CFixedDragBar* pBar = c.cBar == 'a' ? m_pA : c.cBar == 'b' ? m_pB : m_pC;
  CRect rcClient;
  m_pFrame->GetClientRect(&rcClient);
  m_pFrame->ClientToScreen(&rcClient);
  const CPoint ptFrom = Grip(pBar);
  const CPoint ptTo = c.end(ScreenRect(m_pA), ScreenRect(m_pB), ScreenRect(m_pC), rcClient);
  ASSERT_TRUE(DragThrough(pBar, ptFrom, Path(ptFrom, ptTo)));
  Relayout(m_pFrame.get());
  EXPECT_EQ(c.pszTop, DockFrameTest::DumpArray(m_pTop)) << Dump();
  EXPECT_EQ(c.pszBottom,
            DockFrameTest::DumpArray(static_cast<CDockBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM))))
      << Dump();
  EXPECT_TRUE(Log().m_log.empty()) << "tool bars show no outline";
  // The array's order is the order on the screen.
  for (CFixedDragBar* pLeft : {m_pA, m_pB, m_pC})
    for (CFixedDragBar* pRight : {m_pA, m_pB, m_pC}) {
      const int nLeft = m_pTop->FindEntry(pLeft), nRight = m_pTop->FindEntry(pRight);
      if (nLeft > 0 && nRight > nLeft && ScreenRect(pLeft).top == ScreenRect(pRight).top)
        EXPECT_LT(ScreenRect(pLeft).left, ScreenRect(pRight).left) << Dump();
    }
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
  EXPECT_EQ(0, CExtControlBar::g_DragStateCurrent.m_nMoveDirection);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, DragFixed,
    ::testing::Values(FixedCase{"AlongTheRowPastItsNeighbour", 'c',
                                [](const CRect&, const CRect& b, const CRect&, const CRect& client) {
                                  return CPoint(client.left + 2, b.CenterPoint().y);
                                },
                                "0 a 0 c b 0", "0"},
                      FixedCase{"AlongTheRowPushingItsNeighbour", 'b',
                                [](const CRect&, const CRect&, const CRect& c, const CRect&) {
                                  return CPoint(c.right + 30, c.CenterPoint().y);
                                },
                                "0 a 0 b c 0", "0"},
                      FixedCase{"IntoThePreviousRow", 'c',
                                [](const CRect& a, const CRect&, const CRect& c, const CRect&) {
                                  return CPoint(c.left + 6, a.CenterPoint().y);
                                },
                                "0 a c 0 b 0", "0"},
                      FixedCase{"IntoARowOfItsOwn", 'b',
                                [](const CRect&, const CRect& b, const CRect&, const CRect&) {
                                  return CPoint(b.left + 6, b.bottom + 8);
                                },
                                "0 a 0 c 0 b 0", "0"},
                      FixedCase{"IntoTheBottomDockBar", 'a',
                                [](const CRect&, const CRect&, const CRect&, const CRect& client) {
                                  return CPoint(client.CenterPoint().x, client.bottom - 4);
                                },
                                "0 b c 0", "0 a 0"}),
    [](const ::testing::TestParamInfo<FixedCase>& info) { return std::string(info.param.name); });

TEST_F(DragFixedBase, AToolBarDraggedIntoTheOpenFloatsAtTheCursorLessItsGrab) {
  const CPoint ptFrom = Grip(m_pB);
  const CPoint ptTo = FreeArea().CenterPoint();
  ASSERT_TRUE(DragThrough(m_pB, ptFrom, Path(ptFrom, ptTo)));
  ASSERT_TRUE(m_pB->IsFloating());
  const CPoint ptFloat = ptTo - m_pB->m_ptGrabFloating;
  EXPECT_EQ(ptFloat, ScreenRect(m_pB->GetParentFrame()).TopLeft());
  ASSERT_NE(nullptr, m_pB->m_pDockContext);
  EXPECT_EQ(ptFloat, m_pB->m_pDockContext->m_ptMRUFloatPos);
  EXPECT_EQ("0 a 0 c 0 #102 0", DockFrameTest::DumpArray(m_pTop)) << "its place is kept for docking back";
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

} // namespace
