// Measuring a tool bar: the sizes its buttons add up to per orientation and theme, and the
// fixed-layout answer grown by the inside borders.
#include "tests/unit/toolkit/bars/layout_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

namespace {

struct MeasureCase {
  CRuntimeClass* pTheme;
  DWORD dwAlign;
  CSize sizeExpected; // CalcSize of 23x22, 23x22, separator, 40x40 and a 12x22 chevron
};

class LayoutMeasure : public ::testing::TestWithParam<MeasureCase> {
protected:
  void TearDown() override { g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)); }
};

TEST_P(LayoutMeasure, ButtonsChevronGapsAndBordersAddUp) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam().pTheme));
  HostedBar hosted(GetParam().dwAlign);
  CLayoutTestBar& bar = *hosted.bar;
  ASSERT_TRUE(bar.GetSafeHwnd() != NULL);
  EXPECT_EQ(CSize(23, 22), bar.CalcSize(!bar.IsBarHorizontal())) << "no buttons: the default size";
  bar.AddButton(CSize(23, 22));
  bar.AddButton(CSize(23, 22));
  bar.AddSeparator();
  bar.AddButton(CSize(40, 40));
  bar.AddChevron();
  EXPECT_EQ(GetParam().sizeExpected, bar.CalcSize(!bar.IsBarHorizontal()));
}

// Horizontal: 23 + 23 + 6 + 40, the chevron and the theme's spacing, half the row gap (6) and the
// left and right borders; as high as the tallest button. Vertical: the same along y with the
// whole row gap; as wide as the widest button plus 1 and the borders.
INSTANTIATE_TEST_SUITE_P(
    Themes, LayoutMeasure,
    ::testing::Values(MeasureCase{RUNTIME_CLASS(CExtPaintManager), CBRS_ALIGN_TOP, CSize(109, 40)},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManager), CBRS_ALIGN_LEFT, CSize(43, 118)},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManagerXP), CBRS_ALIGN_TOP, CSize(109, 40)},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManagerXP), CBRS_ALIGN_LEFT, CSize(43, 118)},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManagerOffice2003), CBRS_ALIGN_TOP, CSize(113, 40)},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManagerOffice2003), CBRS_ALIGN_LEFT,
                                  CSize(43, 122)}));

class LayoutFixedFit : public LayoutMeasure {};

TEST_P(LayoutFixedFit, SizedToItsFixedLayoutTheBarShowsEveryButton) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam().pTheme));
  HostedBar hosted(GetParam().dwAlign);
  CLayoutTestBar& bar = *hosted.bar;
  for (int i = 0; i < 30; ++i)
    bar.AddButton(i % 3 == 0 ? CSize(46, 46) : CSize(23, 22));
  bar.AddChevron();
  const bool bHorz = bar.IsBarHorizontal();
  const CSize size = bar.CalcFixedLayout(FALSE, bHorz);
  EXPECT_EQ(size, bar.CalcDynamicLayout(-1, bHorz ? LM_HORZDOCK : LM_VERTDOCK));
  bar.PlaceAt(size.cx, size.cy);
  EXPECT_TRUE(bar.HiddenList().empty());
  for (int i = 0; i < 30; ++i)
    EXPECT_TRUE(bar.m_buttons[i]->IsVisible()) << i;
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  EXPECT_GE((bHorz ? rcClient.Height() : rcClient.Width()), 46) << "as thick as the largest button";
}

INSTANTIATE_TEST_SUITE_P(
    Themes, LayoutFixedFit,
    ::testing::Values(MeasureCase{RUNTIME_CLASS(CExtPaintManager), CBRS_ALIGN_TOP, CSize()},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManager), CBRS_ALIGN_LEFT, CSize()},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManagerXP), CBRS_ALIGN_TOP, CSize()},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManagerOffice2003), CBRS_ALIGN_TOP, CSize()},
                      MeasureCase{RUNTIME_CLASS(CExtPaintManagerOffice2003), CBRS_ALIGN_BOTTOM, CSize()}));

TEST(LayoutMeasureFixed, HiddenButtonsAndCollapsedSeparatorsTakeNoRoom) {
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  bar.AddSeparator(); // leading: not placed
  bar.AddButton(CSize(23, 22));
  bar.AddSeparator();
  bar.AddSeparator(); // follows a separator: collapsed
  bar.AddButton(CSize(30, 22));
  bar.AddSeparator(); // directly before a hidden button: left out
  bar.AddButton(CSize(23, 22), 0, TBBS_HIDDEN);
  // 23 + 6 + 30, half the row gap and the borders; no chevron.
  EXPECT_EQ(CSize(64, 22), bar.CalcSize(false));
}

} // namespace
