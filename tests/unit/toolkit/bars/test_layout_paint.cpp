// What a tool bar paints, per theme: its buttons where they were placed, its separators, the
// background around them, and the theme's hot-button background only for a button that asks.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/bars/layout_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

namespace {

using namespace pixel_support;

class LayoutPaint : public ::testing::TestWithParam<CRuntimeClass*> {
protected:
  void TearDown() override { g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)); }
};

Pixels Paint(CLayoutTestBar& bar) {
  bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  return ReadWindow(bar.m_hWnd, rcClient);
}

TEST_P(LayoutPaint, ButtonsSeparatorAndBackgroundReachTheScreen) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam()));
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  ASSERT_TRUE(bar.GetSafeHwnd() != NULL);
  CButtonProbe* pRed = bar.AddButton(CSize(23, 22), RGB(255, 0, 0));
  CButtonProbe* pGreen = bar.AddButton(CSize(23, 22), RGB(0, 255, 0));
  CButtonProbe* pSeparator = bar.AddSeparator();
  CButtonProbe* pBlue = bar.AddButton(CSize(40, 40), RGB(0, 0, 255));
  bar.AddChevron();
  bar.PlaceAt(220, 60);
  Pixels px = Paint(bar);
  ASSERT_FALSE(px.Empty());
  EXPECT_FALSE(SaveBmp(px, (std::string("toolbar_") + GetParam()->m_lpszClassName + ".bmp").c_str()).empty());
  for (CButtonProbe* p : {pRed, pGreen, pBlue}) {
    const CPoint pt = p->GetRect().CenterPoint();
    EXPECT_EQ(p->m_clr, px.At(pt.x, pt.y)) << "button at " << pt.x;
  }
  // Between the blue button and the chevron only the background shows; the separator's column
  // shows the theme's line somewhere along it.
  const CRect rcSeparator = pSeparator->GetRect();
  const int y = rcSeparator.CenterPoint().y;
  const COLORREF clrBackground = px.At(pBlue->GetRect().right + 3, y);
  EXPECT_NE(pBlue->m_clr, clrBackground);
  bool bLine = false;
  for (int x = rcSeparator.left; x < rcSeparator.right; ++x)
    bLine = bLine || px.At(x, y) != clrBackground;
  EXPECT_TRUE(bLine) << "no separator line between x " << rcSeparator.left << " and " << rcSeparator.right;
}

INSTANTIATE_TEST_SUITE_P(Themes, LayoutPaint,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003)),
                         [](const auto& info) { return std::string(info.param->m_lpszClassName); });

TEST(LayoutPaintHot, TheHotBackgroundIsPaintedOnlyForAButtonThatAsksForIt) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  CButtonProbe* pButton = bar.AddButton(CSize(40, 30), RGB(255, 0, 0));
  pButton->m_bDotOnly = true;
  pButton->SetHover(true);
  bar.AddChevron();
  bar.PlaceAt(200, 50);
  const CPoint pt = pButton->GetRect().TopLeft() + CSize(4, 4);
  const COLORREF clrPlain = Paint(bar).At(pt.x, pt.y);
  pButton->m_bHotBackground = true;
  const COLORREF clrHot = Paint(bar).At(pt.x, pt.y);
  EXPECT_NE(clrPlain, clrHot);
  pButton->SetHover(false);
  EXPECT_EQ(clrPlain, Paint(bar).At(pt.x, pt.y)) << "only while hovered";
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager));
}

} // namespace
