// A floating tool bar: rows at the width its search finds, never narrower than two default
// buttons, nothing taken out, and right-to-left rows shifted 3 pixels further left.
#include "tests/unit/toolkit/bars/layout_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <map>

namespace {

class LayoutFloating : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)));
    ASSERT_TRUE(m_framed.frame != NULL && m_framed.bar->GetSafeHwnd() != NULL);
  }
  // Twelve 23 x 22 buttons and the chevron.
  void AddTwelve() {
    for (int i = 0; i < 12; ++i)
      m_framed.bar->AddButton(CSize(23, 22));
    m_framed.bar->AddChevron();
  }
  // Rows from the floating wrap bits, and the widest row's width.
  int Rows(int* pnWidest = NULL) const {
    int nRows = 1, nRow = 0, nWidest = 0;
    const CLayoutTestBar& bar = *m_framed.bar;
    for (int i = 0; i + 1 < bar.GetButtonCount(); ++i) {
      nRow += bar.m_buttons[i]->CalculateLayout(*(CDC*)NULL, CSize(), true).cx;
      nWidest = std::max(nWidest, nRow);
      if (bar.m_buttons[i]->IsWrap(CExtToolControlBar::MODE_FLOATING) && i + 2 < bar.GetButtonCount()) {
        ++nRows;
        nRow = 0;
      }
    }
    if (pnWidest != NULL)
      *pnWidest = nWidest;
    return nRows;
  }

  FramedBar m_framed;
};

TEST_F(LayoutFloating, RowsStayInsideTheClientAreaAndNothingIsTakenOut) {
  CLayoutTestBar& bar = *m_framed.bar;
  AddTwelve();
  bar.m_buttons[4]->SetStyle(TBBS_HIDDEN);
  ASSERT_TRUE(m_framed.Float());
  bar.CalcDynamicLayout(100, LM_HORZ | LM_COMMIT);
  CRect rcWindow;
  bar.GetParentFrame()->GetWindowRect(&rcWindow);
  bar.GetParentFrame()->SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height(),
                                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  bar.GetParentFrame()->RecalcLayout();
  PumpPending();
  bar.RecalcButtonPositions();
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  EXPECT_FALSE(bar.m_pRightBtn->IsVisible());
  EXPECT_TRUE(bar.HiddenList().empty());
  std::vector<CRect> placed;
  for (int i = 0; i < 12; ++i) {
    CExtBarButton* p = bar.m_buttons[i];
    EXPECT_EQ(i != 4, p->IsVisible()) << i;
    if (!p->IsVisible())
      continue;
    CRect rc = p->GetRect(), rcIn;
    EXPECT_TRUE(rcIn.IntersectRect(rc, rcClient) && rcIn == rc) << i << " outside the client area";
    for (const CRect& other : placed)
      EXPECT_FALSE(CRect().IntersectRect(rc, other)) << i << " overlaps";
    placed.push_back(rc);
  }
  EXPECT_GT(Rows(), 1);
}

class LayoutFloatingWidths : public LayoutFloating, public ::testing::WithParamInterface<int> {};

TEST_P(LayoutFloatingWidths, TheSearchFindsTheNarrowestWidthOfTheSameRows) {
  CLayoutTestBar& bar = *m_framed.bar;
  AddTwelve();
  ASSERT_TRUE(m_framed.Float());
  const CSize size = bar.CalcDynamicLayout(GetParam(), LM_HORZ | LM_COMMIT);
  int nWidest = 0;
  const int nRows = Rows(&nWidest);
  EXPECT_LE(nWidest, GetParam()) << "the rows fit the length asked for";
  EXPECT_EQ(nRows, bar.WrapToolBar(nWidest));
  EXPECT_GT(bar.WrapToolBar(nWidest - 1), nRows) << "one pixel less gives more rows";
  EXPECT_GE(size.cx, 2 * bar.GetDefButtonSize().cx);
  EXPECT_EQ(size, bar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH))
      << "a committed layout remembers its width";
}

INSTANTIATE_TEST_SUITE_P(Lengths, LayoutFloatingWidths, ::testing::Values(60, 100, 150, 300));

TEST_F(LayoutFloating, AHeightIsMetByTheNarrowestWidthThatFits) {
  CLayoutTestBar& bar = *m_framed.bar;
  AddTwelve();
  ASSERT_TRUE(m_framed.Float());
  const CSize size = bar.CalcDynamicLayout(100, LM_LENGTHY);
  EXPECT_LE(size.cy, 100);
  EXPECT_EQ(3, Rows()) << "three rows of 22 and two gaps of 6 fit 100, four do not";
}

TEST_F(LayoutFloating, ANarrowBarIsNeverBelowTwoDefaultButtons) {
  CLayoutTestBar& bar = *m_framed.bar;
  bar.AddButton(CSize(16, 16));
  bar.AddChevron();
  ASSERT_TRUE(m_framed.Float());
  EXPECT_EQ(46, bar.CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH).cx);
  EXPECT_EQ(46, bar.CalcDynamicLayout(10, LM_HORZ).cx);
}

TEST_F(LayoutFloating, MirroredRowsMoveThreePixelsFurtherLeftWithinTheClientArea) {
  CLayoutTestBar& bar = *m_framed.bar;
  AddTwelve();
  ASSERT_TRUE(m_framed.Float());
  bar.RecalcButtonPositions();
  std::vector<CRect> ltr;
  for (int i = 0; i < 12; ++i)
    ltr.push_back(bar.m_buttons[i]->GetRect());
  bar.m_bRtl = true;
  bar.RecalcButtonPositions();
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  const int nMirror = (rcClient.left + bar.m_cxLeftBorder) + (rcClient.right - bar.m_cxRightBorder);
  // Each row's mirrored left edge, then the shift it allows.
  std::map<int, int> rowLeft;
  for (int i = 0; i < 12; ++i) {
    auto it = rowLeft.emplace(ltr[i].top, INT_MAX).first;
    it->second = std::min(it->second, nMirror - (int)ltr[i].right);
  }
  for (int i = 0; i < 12; ++i) {
    const int nShift = std::min(3, rowLeft[ltr[i].top] - (int)rcClient.left);
    EXPECT_EQ(nMirror - ltr[i].right - nShift, bar.m_buttons[i]->GetRect().left) << i;
    EXPECT_EQ(ltr[i].top, bar.m_buttons[i]->GetRect().top) << i;
  }
}

} // namespace
