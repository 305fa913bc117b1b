// The colour model: the classic and XP colour sets on deep and palette screens for system colours
// chosen by the test, the tint brushes, blends and the hue-lightness-saturation conversions.
#include "tests/unit/toolkit/theme/theme_support.h"

#include <memory>

namespace {

// System colours of the test, distinct in every channel, and their XP blends worked out by hand.
const COLORREF W = RGB(0, 100, 200), WT = RGB(1, 2, 3), HL = RGB(0, 0, 250), HT = RGB(4, 5, 6),
               F = RGB(200, 100, 0), S = RGB(100, 40, 20), T = RGB(10, 20, 30), LH = RGB(250, 250, 240),
               D = RGB(20, 0, 60), L3 = RGB(7, 8, 9);
const COLORREF kMenu = RGB(29, 100, 171), kFace = RGB(167, 100, 33), kSelect = RGB(0, 70, 215),
               kPushed = RGB(0, 50, 225), kGrey = RGB(70, 58, 74), kMenuShade = RGB(190, 94, 2),
               kDarkLine = RGB(80, 30, 30), kTextShade = RGB(82, 36, 22);

class ThemeColors : public ThemeTest {
protected:
  void SetUp() override {
    // clang-format off
    m_pColors.reset(new ScopedSysColors({{COLOR_WINDOW, W}, {COLOR_WINDOWTEXT, WT}, {COLOR_HIGHLIGHT, HL},
        {COLOR_HIGHLIGHTTEXT, HT}, {COLOR_3DFACE, F}, {COLOR_3DSHADOW, S}, {COLOR_BTNTEXT, T},
        {COLOR_BTNHIGHLIGHT, LH}, {COLOR_3DDKSHADOW, D}, {COLOR_3DLIGHT, L3}}));
    // clang-format on
  }
  // The system's colours come back before the default theme is built again.
  void TearDown() override {
    m_pColors.reset();
    ThemeTest::TearDown();
  }
  std::unique_ptr<ScopedSysColors> m_pColors;
};

TEST_F(ThemeColors, LogicalColorsFollowEachThemesTableOnDeepAndPaletteScreens) {
  // clang-format off
  const struct { int nId; COLORREF clrClassic, clrXp32, clrXp8; } rows[] = {
      {15, F, F, F}, {16, S, S, S}, {1000, F, kFace, F}, {1001, F, kSelect, F},
      {1002, L3, kDarkLine, S}, {1003, L3, kDarkLine, S}, {1004, LH, kDarkLine, S}, {1005, LH, kDarkLine, S},
      {1006, S, kDarkLine, S}, {1007, S, kDarkLine, S}, {1008, D, kDarkLine, S}, {1009, D, kDarkLine, S},
      {1010, WT, WT, WT}, {1011, WT, RGB(0, 0, 0), LH}, {1012, W, kMenu, W}, {1013, W, kMenu, W},
      {1014, WT, WT, WT}, {1015, WT, WT, WT}, {1016, HT, WT, WT}, {1017, HT, WT, WT}, {1018, F, F, F},
      {1019, HL, HL, HL}, {1020, F, F, F}, {1021, HL, HL, HL}, {2000, F, kFace, F}, {2001, F, kMenu, W},
      {2002, L3, kGrey, S}, {2003, F, kPushed, S}, {2004, LH, HL, T}, {2005, F, kMenuShade, S},
      {2006, S, HT, HT}, {2007, F, kTextShade, kTextShade}, {2008, D, kMenu, W}, {2009, F, kFace, F},
      {2010, S, F, F}, {2011, F, kGrey, S},
      // Unassigned ids and indices beyond the table read as the face colour.
      {2012, F, F, F}, {3000, F, F, F}, {999, F, F, F}, {-5, F, F, F},
  };
  // clang-format on
  for (int nBits : {32, 8}) {
    PM* pClassic = Install(new PM, nBits);
    for (const auto& row : rows)
      EXPECT_EQ(row.clrClassic, pClassic->ColorByLogicalId(row.nId))
          << "classic " << row.nId << " @" << nBits;
    PM* pXp = Install(new CExtPaintManagerXP, nBits);
    for (const auto& row : rows)
      EXPECT_EQ(nBits > 8 ? row.clrXp32 : row.clrXp8, pXp->ColorByLogicalId(row.nId))
          << row.nId << " @" << nBits;
    EXPECT_EQ(nBits > 8 ? kMenu : W, pXp->GetMenuBackgroundColor());
  }
}

TEST_F(ThemeColors, BrushesAndStoredColoursAreFoundByIndex) {
  PM* pClassic = Install(new PM);
  EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pClassic->BrushByIndex(99));
  EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pClassic->BrushByIndex(-1));
  EXPECT_EQ(COLOR_WINDOW, pClassic->SetColorAt(RGB(9, 9, 9), COLOR_WINDOW));
  EXPECT_EQ(RGB(9, 9, 9), pClassic->ColorByLogicalId(COLOR_WINDOW));
  const int nAppended = pClassic->SetColorAt(RGB(8, 8, 8), -1);
  EXPECT_EQ(PM::SYS_COLOR_COUNT, nAppended);
  EXPECT_EQ(RGB(8, 8, 8), pClassic->ColorByLogicalId(nAppended));
}

// What a brush paints at (x, y) of a 16x16 fill.
COLORREF BrushAt(CBrush& brush, int x, int y) {
  pixel_support::DibSurface surface(16, 16);
  const RECT rc = {0, 0, 16, 16};
  ::FillRect(surface.hdc(), &rc, brush);
  return surface.At(x, y);
}

TEST_F(ThemeColors, TintBrushesAreSolidStepsOnDeepScreensAndDitherPatternsOnPaletteScreens) {
  PM* p = Install(new PM, 32);
  // clang-format off
  const struct { CBrush *pDefault, *pSystem; COLORREF clr; } solid[] = {
      {&p->m_brushLightDefault, &p->m_brushLightSystem, RGB(225, 175, 120)},
      {&p->m_brushLighterDefault, &p->m_brushLighterSystem, RGB(230, 190, 144)},
      {&p->m_brushLightestDefault, &p->m_brushLightestSystem, RGB(240, 220, 192)},
      {&p->m_brushDarkDefault, &p->m_brushDarkSystem, RGB(150, 70, 10)},
      {&p->m_brushDarkerDefault, &p->m_brushDarkerSystem, RGB(140, 64, 12)},
      {&p->m_brushDarkestDefault, &p->m_brushDarkestSystem, RGB(120, 52, 16)},
  };
  // clang-format on
  for (const auto& row : solid)
    for (CBrush* pBrush : {row.pDefault, row.pSystem}) {
      LOGBRUSH lb = {};
      ASSERT_NE(0, ::GetObjectA(*pBrush, sizeof(lb), &lb));
      EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle);
      EXPECT_EQ(row.clr, lb.lbColor);
    }

  p = Install(new PM, 8);
  // The colours of the 2x2 cell at the pattern's origin and of the cell at (2, 2).
  // clang-format off
  const struct { const char* name; CBrush* pBrush; COLORREF c00, c10, c01, c11, c22; } dithered[] = {
      {"light: checkerboard", &p->m_brushLightDefault, F, LH, LH, F, F},
      {"lighter: one in four", &p->m_brushLighterDefault, F, LH, LH, LH, F},
      {"lightest: one in eight", &p->m_brushLightestDefault, F, LH, LH, F, LH},
      {"dark: checkerboard", &p->m_brushDarkDefault, S, F, F, S, S},
      {"darker: all shadow", &p->m_brushDarkerDefault, S, S, S, S, S},
      {"darkest: checkerboard", &p->m_brushDarkestDefault, D, S, S, D, D},
      {"system light", &p->m_brushLightSystem, F, LH, LH, F, F},
  };
  // clang-format on
  for (const auto& row : dithered) {
    const COLORREF expected[6] = {row.c00, row.c10, row.c01, row.c11, row.c22, row.c00};
    const POINT at[6] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 2}, {4, 4}};
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(expected[i], BrushAt(*row.pBrush, at[i].x, at[i].y)) << row.name << " at " << i;
  }
}

TEST(ColorArithmetic, BlendsWeighInPercentBelowOneHundredAndPerMilleFromThere) {
  const COLORREF A = RGB(200, 100, 0), B = RGB(0, 0, 200);
  // Weights up to 99 are percent, from 100 per mille; halves round up.
  // clang-format off
  const struct { COLORREF c1, c2; int nWeight; COLORREF expected; } rows[] = {
      {A, 0, 100, RGB(20, 10, 0)}, {A, 0, 99, RGB(198, 99, 0)}, {A, B, 50, RGB(100, 50, 100)},
      {A, B, 1000, A}, {A, B, 0, B}, {RGB(1, 3, 0), 0, 50, RGB(1, 2, 0)}};
  // clang-format on
  for (const auto& row : rows)
    EXPECT_EQ(row.expected, PM::BlendColors(row.c1, row.c2, row.nWeight)) << row.nWeight;
  EXPECT_EQ(RGB(255, 155, 55), PM::InvertColor(RGB(0, 100, 200)));
}

TEST(ColorArithmetic, HlsRoundTripsKeepEveryChannelWithinOne) {
  int nFailures = 0;
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 15)
      for (int b = 0; b < 256; b += 15) {
        double h, s, l;
        PM::RgbToHls(RGB(r, g, b), &h, &s, &l);
        if (!Near(RGB(r, g, b), PM::HlsToRgb(h, l, s), 1) ||
            !Near(RGB(r, g, b), PM::HlsAdjustColor(RGB(r, g, b), 0, 0, 0), 1))
          EXPECT_LT(++nFailures, 5) << r << "," << g << "," << b;
      }
  EXPECT_EQ(0, nFailures);
}

TEST(ColorArithmetic, HlsAdjustmentMovesEachComponentPartOfTheWay) {
  const COLORREF kSample = RGB(40, 120, 200), R = RGB(255, 0, 0);
  // clang-format off
  const struct { COLORREF clr; double dH, dL, dS; COLORREF expected; } rows[] = {
      {kSample, 0, 1.0, 0, RGB(255, 255, 255)}, {kSample, 0, -1.0, 0, RGB(0, 0, 0)},
      {R, 0.5, 0, 0, RGB(0, 255, 255)}, {R, 0, 0.5, 0, RGB(255, 127, 127)}, {R, 0, -0.5, 0, RGB(127, 0, 0)},
      {R, 0, 0, -1.0, RGB(127, 127, 127)}, {RGB(191, 64, 64), 0, 0, 1.0, R}};
  // clang-format on
  for (const auto& row : rows) {
    const COLORREF clr = PM::HlsAdjustColor(row.clr, row.dH, row.dL, row.dS);
    EXPECT_TRUE(Near(clr, row.expected, 1)) << std::hex << row.clr;
  }
}

TEST(ColorArithmetic, HueInDegreesGivesTheColourWheel) {
  // clang-format off
  const struct { double h, l, s; COLORREF expected; } rows[] = {
      {0, 0.5, 1.0, RGB(255, 0, 0)}, {60, 0.5, 1.0, RGB(255, 255, 0)}, {120, 0.5, 1.0, RGB(0, 255, 0)},
      {180, 0.5, 1.0, RGB(0, 255, 255)}, {240, 0.5, 1.0, RGB(0, 0, 255)}, {300, 0.5, 1.0, RGB(255, 0, 255)},
      {0, 0.5, 0.0, RGB(127, 127, 127)}, {210, 0.25, 1.0, RGB(0, 63, 127)}, {30, 0.75, 1.0, RGB(255, 191, 127)}};
  // clang-format on
  for (const auto& row : rows) {
    const COLORREF clr = PM::HslDegreesToRgb(row.h, row.l, row.s);
    EXPECT_TRUE(Near(clr, row.expected, 1)) << row.h;
    EXPECT_TRUE(Near(clr, PM::HlsToRgb(row.h / 360.0, row.l, row.s), 1)) << row.h;
  }
}

} // namespace
