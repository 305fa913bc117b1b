// The rows a placement records: the theme's face segments, the background segments of a control
// hosted in the bar, and the row-break line a floating bar paints between its rows.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/bars/layout_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace pixel_support;

class LayoutSegments : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)));
    ASSERT_TRUE(m_framed.frame != NULL && m_framed.bar->GetSafeHwnd() != NULL);
  }
  void TearDown() override { g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)); }

  // Four buttons, a separator and four more, floating and wrapped after the separator.
  void FloatInTwoRows() {
    CLayoutTestBar& bar = *m_framed.bar;
    for (int i = 0; i < 4; ++i)
      bar.AddButton(CSize(23, 22), RGB(200, 0, 0));
    m_pSeparator = bar.AddSeparator();
    for (int i = 0; i < 4; ++i)
      bar.AddButton(CSize(23, 22), RGB(0, 0, 200));
    bar.AddChevron();
    ASSERT_TRUE(m_framed.Float());
    bar.CalcDynamicLayout(100, LM_HORZ | LM_COMMIT);
    bar.GetParentFrame()->RecalcLayout();
    PumpPending();
    bar.RecalcButtonPositions();
  }

  FramedBar m_framed;
  CButtonProbe* m_pSeparator = NULL;
};

TEST_F(LayoutSegments, AFloatingBarRecordsOneSegmentPerRowAndBreaksAtTheSeparator) {
  FloatInTwoRows();
  CLayoutTestBar& bar = *m_framed.bar;
  ASSERT_TRUE(m_pSeparator->IsWrap(CExtToolControlBar::MODE_FLOATING));
  std::vector<RECT> segments;
  bar.GetFaceSegments(segments);
  ASSERT_EQ(2u, segments.size());
  for (int i = 0; i < 9; ++i) {
    CExtBarButton* p = bar.m_buttons[i];
    if (p->IsSeparator())
      continue;
    CRect rcRow(segments[i < 4 ? 0 : 1]), rc = p->GetRect();
    EXPECT_TRUE(rc.top >= rcRow.top && rc.bottom <= rcRow.bottom) << i << " outside its row";
  }
  EXPECT_GE(segments[1].top - segments[0].bottom, g_PaintManagerHolder->GetToolBarRowDistance(&bar));
}

TEST_F(LayoutSegments, AHostedControlFindsItsBarAndTheRowsInItsOwnCoordinates) {
  FloatInTwoRows();
  CLayoutTestBar& bar = *m_framed.bar;
  CWnd child;
  ASSERT_TRUE(child.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(5, 3, 25, 13), &bar, 0x77));
  CExtToolControlBar::ToolBarBackgroundSegments segments;
  ASSERT_TRUE(segments.FromChildWindow(&child));
  EXPECT_EQ(&bar, segments.m_pBar);
  EXPECT_TRUE(segments.m_pMiniFrame != NULL) << "floating: the mini frame is noted";
  ASSERT_EQ(bar.m_arrRowRects.size(), segments.m_arrRects.size());
  segments.ScreenToClientRects(&child);
  EXPECT_EQ(CRect(bar.m_arrRowRects[1]) - CPoint(5, 3), CRect(segments.m_arrRects[1]));

  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
  DibSurface surface(400, 200, RGB(1, 2, 3));
  segments.Paint(surface.dc());
  const CPoint pt = CRect(segments.m_arrRects[0]).CenterPoint();
  EXPECT_NE(RGB(1, 2, 3), surface.At(pt.x, pt.y)) << "the theme paints the row behind the control";
  CExtToolControlBar::ToolBarBackgroundSegments none;
  EXPECT_FALSE(none.FromChildWindow(m_framed.frame));
  child.DestroyWindow();
}

TEST_F(LayoutSegments, AFloatingRowBreakIsALineInTheGapBetweenTheRows) {
  FloatInTwoRows();
  CLayoutTestBar& bar = *m_framed.bar;
  bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  Pixels px = ReadWindow(bar.m_hWnd, rcClient);
  ASSERT_FALSE(px.Empty());
  EXPECT_FALSE(SaveBmp(px, "toolbar_floating_rows.bmp").empty());
  const int nGapTop = bar.m_buttons[0]->GetRect().bottom, nGapBottom = bar.m_buttons[5]->GetRect().top;
  ASSERT_GT(nGapBottom, nGapTop);
  std::set<COLORREF> colours;
  for (int y = nGapTop; y < nGapBottom; ++y)
    colours.insert(px.At(rcClient.CenterPoint().x, y));
  EXPECT_GT(colours.size(), 1u) << "a line drawn across the gap";
}

} // namespace
