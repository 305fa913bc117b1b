// The colour model: the classic and XP colour sets on deep and palette screens for system colours
// chosen by the test, the tint brushes, blends and the hue-lightness-saturation conversions.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "tests/common/pixel_support.h"

#include <cstdlib>
#include <memory>

namespace {

// System colours of the test, distinct in every channel.
const COLORREF W = RGB(0, 100, 200);    // COLOR_WINDOW
const COLORREF WT = RGB(1, 2, 3);       // COLOR_WINDOWTEXT
const COLORREF HL = RGB(0, 0, 250);     // COLOR_HIGHLIGHT
const COLORREF HT = RGB(4, 5, 6);       // COLOR_HIGHLIGHTTEXT
const COLORREF F = RGB(200, 100, 0);    // COLOR_3DFACE
const COLORREF S = RGB(100, 40, 20);    // COLOR_3DSHADOW
const COLORREF T = RGB(10, 20, 30);     // COLOR_BTNTEXT
const COLORREF LH = RGB(250, 250, 240); // COLOR_BTNHIGHLIGHT
const COLORREF D = RGB(20, 0, 60);      // COLOR_3DDKSHADOW
const COLORREF L3 = RGB(7, 8, 9);       // COLOR_3DLIGHT

// The XP blends of those colours, worked out by hand.
const COLORREF kMenu = RGB(29, 100, 171);    // F:W 143 per mille
const COLORREF kFace = RGB(167, 100, 33);    // W:F 165 per mille
const COLORREF kSelect = RGB(0, 70, 215);    // HL:W 30 %
const COLORREF kPushed = RGB(0, 50, 225);    // HL:W 50 %
const COLORREF kGrey = RGB(70, 58, 74);      // S:W 70 %
const COLORREF kMenuShade = RGB(190, 94, 2); // F:S 90 %
const COLORREF kDarkLine = RGB(80, 30, 30);  // (3 S + D) / 4
const COLORREF kTextShade = RGB(82, 36, 22); // T:S 20 %

class ThemeColors : public ThemeTest {
protected:
  void SetUp() override {
    m_pColors.reset(new ScopedSysColors({{COLOR_WINDOW, W},
                                         {COLOR_WINDOWTEXT, WT},
                                         {COLOR_HIGHLIGHT, HL},
                                         {COLOR_HIGHLIGHTTEXT, HT},
                                         {COLOR_3DFACE, F},
                                         {COLOR_3DSHADOW, S},
                                         {COLOR_BTNTEXT, T},
                                         {COLOR_BTNHIGHLIGHT, LH},
                                         {COLOR_3DDKSHADOW, D},
                                         {COLOR_3DLIGHT, L3}}));
  }
  // The system's colours come back before the default theme is built again.
  void TearDown() override {
    m_pColors.reset();
    ThemeTest::TearDown();
  }

  CExtPaintManager* Install(CExtPaintManager* pManager, int nBitsPerPixel) {
    CExtPaintManager::TestForceScreenBitsPerPixel(nBitsPerPixel);
    EXPECT_TRUE(g_PaintManagerHolder.InstallTheme(pManager));
    return g_PaintManagerHolder.GetPM();
  }

  std::unique_ptr<ScopedSysColors> m_pColors;
};

TEST_F(ThemeColors, LogicalColorsFollowEachThemesTableOnDeepAndPaletteScreens) {
  const struct {
    int nId;
    COLORREF clrClassic, clrXp32, clrXp8;
  } rows[] = {
      {15, F, F, F},
      {16, S, S, S},
      {1000, F, kFace, F},
      {1001, F, kSelect, F},
      {1002, L3, kDarkLine, S},
      {1003, L3, kDarkLine, S},
      {1004, LH, kDarkLine, S},
      {1005, LH, kDarkLine, S},
      {1006, S, kDarkLine, S},
      {1007, S, kDarkLine, S},
      {1008, D, kDarkLine, S},
      {1009, D, kDarkLine, S},
      {1010, WT, WT, WT},
      {1011, WT, RGB(0, 0, 0), LH},
      {1012, W, kMenu, W},
      {1013, W, kMenu, W},
      {1014, WT, WT, WT},
      {1015, WT, WT, WT},
      {1016, HT, WT, WT},
      {1017, HT, WT, WT},
      {1018, F, F, F},
      {1019, HL, HL, HL},
      {1020, F, F, F},
      {1021, HL, HL, HL},
      {2000, F, kFace, F},
      {2001, F, kMenu, W},
      {2002, L3, kGrey, S},
      {2003, F, kPushed, S},
      {2004, LH, HL, T},
      {2005, F, kMenuShade, S},
      {2006, S, HT, HT},
      {2007, F, kTextShade, kTextShade},
      {2008, D, kMenu, W},
      {2009, F, kFace, F},
      {2010, S, F, F},
      {2011, F, kGrey, S},
      // Unassigned ids and indices beyond the table read as the face colour.
      {2012, F, F, F},
      {3000, F, F, F},
      {999, F, F, F},
      {-5, F, F, F},
  };
  for (int nBits : {32, 8}) {
    CExtPaintManager* pClassic = Install(new CExtPaintManager, nBits);
    for (const auto& row : rows)
      EXPECT_EQ(row.clrClassic, pClassic->ColorByLogicalId(row.nId))
          << "classic id " << row.nId << " at " << nBits;
    CExtPaintManager* pXp = Install(new CExtPaintManagerXP, nBits);
    for (const auto& row : rows)
      EXPECT_EQ(nBits > 8 ? row.clrXp32 : row.clrXp8, pXp->ColorByLogicalId(row.nId))
          << "XP id " << row.nId << " at " << nBits;
    EXPECT_EQ(128, pXp->m_nMenuItemPaintValue);
    EXPECT_EQ(nBits > 8 ? kMenu : W, pXp->GetMenuBackgroundColor());
  }
  EXPECT_EQ(32, Install(new CExtPaintManager, 32)->m_nMenuItemPaintValue);
}

TEST_F(ThemeColors, BrushesAndStoredColoursAreFoundByIndex) {
  CExtPaintManager* pClassic = Install(new CExtPaintManager, 32);
  EXPECT_EQ(::GetSysColorBrush(COLOR_WINDOW), pClassic->BrushByIndex(COLOR_WINDOW));
  EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pClassic->BrushByIndex(99));
  EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), pClassic->BrushByIndex(-1));
  EXPECT_EQ(COLOR_WINDOW, pClassic->SetColorAt(RGB(9, 9, 9), COLOR_WINDOW));
  EXPECT_EQ(RGB(9, 9, 9), pClassic->ColorByLogicalId(COLOR_WINDOW));
  const int nAppended = pClassic->SetColorAt(RGB(8, 8, 8), -1);
  EXPECT_EQ(CExtPaintManager::SYS_COLOR_COUNT, nAppended);
  EXPECT_EQ(RGB(8, 8, 8), pClassic->ColorByLogicalId(nAppended));
}

// The colour of a solid brush, or what a pattern brush paints at (x, y) of a 16x16 fill.
COLORREF BrushAt(CBrush& brush, int x, int y) {
  pixel_support::DibSurface surface(16, 16);
  const RECT rc = {0, 0, 16, 16};
  ::FillRect(surface.hdc(), &rc, brush);
  return surface.At(x, y);
}

TEST_F(ThemeColors, TintBrushesAreSolidStepsOnDeepScreens) {
  CExtPaintManager* p = Install(new CExtPaintManager, 32);
  const struct {
    CBrush* pDefault;
    CBrush* pSystem;
    COLORREF clr;
  } rows[] = {
      {&p->m_brushLightDefault, &p->m_brushLightSystem, RGB(225, 175, 120)},
      {&p->m_brushLighterDefault, &p->m_brushLighterSystem, RGB(230, 190, 144)},
      {&p->m_brushLightestDefault, &p->m_brushLightestSystem, RGB(240, 220, 192)},
      {&p->m_brushDarkDefault, &p->m_brushDarkSystem, RGB(150, 70, 10)},
      {&p->m_brushDarkerDefault, &p->m_brushDarkerSystem, RGB(140, 64, 12)},
      {&p->m_brushDarkestDefault, &p->m_brushDarkestSystem, RGB(120, 52, 16)},
  };
  for (const auto& row : rows) {
    for (CBrush* pBrush : {row.pDefault, row.pSystem}) {
      LOGBRUSH lb = {};
      ASSERT_NE(0, ::GetObjectA(*pBrush, sizeof(lb), &lb));
      EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle);
      EXPECT_EQ(row.clr, lb.lbColor);
    }
  }
}

TEST_F(ThemeColors, TintBrushesAreDitherPatternsOnPaletteScreens) {
  CExtPaintManager* p = Install(new CExtPaintManager, 8);
  // Each row: the colours of the 2x2 cell at the pattern's origin and of the cell at (2, 2).
  const struct {
    const char* name;
    CBrush* pBrush;
    COLORREF c00, c10, c01, c11, c22;
  } rows[] = {
      {"light: checkerboard", &p->m_brushLightDefault, F, LH, LH, F, F},
      {"lighter: one in four", &p->m_brushLighterDefault, F, LH, LH, LH, F},
      {"lightest: one in eight", &p->m_brushLightestDefault, F, LH, LH, F, LH},
      {"dark: checkerboard", &p->m_brushDarkDefault, S, F, F, S, S},
      {"darker: all shadow", &p->m_brushDarkerDefault, S, S, S, S, S},
      {"darkest: checkerboard", &p->m_brushDarkestDefault, D, S, S, D, D},
      {"system light", &p->m_brushLightSystem, F, LH, LH, F, F},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.c00, BrushAt(*row.pBrush, 0, 0));
    EXPECT_EQ(row.c10, BrushAt(*row.pBrush, 1, 0));
    EXPECT_EQ(row.c01, BrushAt(*row.pBrush, 0, 1));
    EXPECT_EQ(row.c11, BrushAt(*row.pBrush, 1, 1));
    EXPECT_EQ(row.c22, BrushAt(*row.pBrush, 2, 2));
    EXPECT_EQ(row.c00, BrushAt(*row.pBrush, 4, 4));
  }
}

TEST(ColorArithmetic, BlendsWeighInPercentBelowOneHundredAndPerMilleFromThere) {
  const struct {
    COLORREF c1, c2;
    int nWeight;
    COLORREF expected;
  } rows[] = {
      {RGB(200, 100, 0), RGB(0, 0, 0), 100, RGB(20, 10, 0)}, // 100 is ten percent
      {RGB(200, 100, 0), RGB(0, 0, 0), 99, RGB(198, 99, 0)}, // 99 is ninety-nine percent
      {RGB(200, 100, 0), RGB(0, 0, 200), 50, RGB(100, 50, 100)},
      {RGB(200, 100, 0), RGB(0, 0, 200), 1000, RGB(200, 100, 0)},
      {RGB(200, 100, 0), RGB(0, 0, 200), 0, RGB(0, 0, 200)},
      {RGB(1, 3, 0), RGB(0, 0, 0), 50, RGB(1, 2, 0)}, // rounded half up
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.expected, CExtPaintManager::BlendColors(row.c1, row.c2, row.nWeight)) << row.nWeight;
  EXPECT_EQ(RGB(255, 155, 55), CExtPaintManager::InvertColor(RGB(0, 100, 200)));
}

TEST(ColorArithmetic, RgbToHlsGivesHueSaturationAndLightness) {
  const struct {
    COLORREF clr;
    double h, s, l;
  } rows[] = {
      {RGB(255, 0, 0), 0.0, 1.0, 0.5},
      {RGB(0, 255, 0), 1.0 / 3, 1.0, 0.5},
      {RGB(0, 0, 255), 2.0 / 3, 1.0, 0.5},
      {RGB(255, 0, 255), 5.0 / 6, 1.0, 0.5},
      {RGB(255, 255, 255), 0.0, 0.0, 1.0},
      {RGB(51, 51, 51), 0.0, 0.0, 0.2},
      {RGB(255, 128, 128), 0.0, 1.0, 383.0 / 510},
      {RGB(0, 0, 51), 2.0 / 3, 1.0, 0.1},
  };
  for (const auto& row : rows) {
    double h = -1, s = -1, l = -1;
    CExtPaintManager::RgbToHls(row.clr, &h, &s, &l);
    EXPECT_NEAR(row.h, h, 1e-9) << std::hex << row.clr;
    EXPECT_NEAR(row.s, s, 1e-9) << std::hex << row.clr;
    EXPECT_NEAR(row.l, l, 1e-9) << std::hex << row.clr;
  }
}

bool WithinOne(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

TEST(ColorArithmetic, HlsRoundTripsKeepEveryChannelWithinOne) {
  int nFailures = 0;
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 15)
      for (int b = 0; b < 256; b += 15) {
        const COLORREF clr = RGB(r, g, b);
        double h, s, l;
        CExtPaintManager::RgbToHls(clr, &h, &s, &l);
        if (!WithinOne(clr, CExtPaintManager::HlsToRgb(h, l, s)) ||
            !WithinOne(clr, CExtPaintManager::HlsAdjustColor(clr, 0, 0, 0)))
          EXPECT_LT(++nFailures, 5) << std::hex << clr;
      }
  EXPECT_EQ(0, nFailures);
}

TEST(ColorArithmetic, HlsAdjustmentMovesEachComponentPartOfTheWay) {
  const COLORREF clrSample = RGB(40, 120, 200);
  const struct {
    COLORREF clr;
    double dH, dL, dS;
    COLORREF expected;
  } rows[] = {
      {clrSample, 0, 1.0, 0, RGB(255, 255, 255)},       {clrSample, 0, -1.0, 0, RGB(0, 0, 0)},
      {RGB(255, 0, 0), 0.5, 0, 0, RGB(0, 255, 255)}, // hue 0 half way to 1
      {RGB(255, 0, 0), 0, 0.5, 0, RGB(255, 127, 127)},  {RGB(255, 0, 0), 0, -0.5, 0, RGB(127, 0, 0)},
      {RGB(255, 0, 0), 0, 0, -1.0, RGB(127, 127, 127)}, {RGB(191, 64, 64), 0, 0, 1.0, RGB(255, 0, 0)},
  };
  for (const auto& row : rows)
    EXPECT_TRUE(WithinOne(row.expected, CExtPaintManager::HlsAdjustColor(row.clr, row.dH, row.dL, row.dS)))
        << std::hex << CExtPaintManager::HlsAdjustColor(row.clr, row.dH, row.dL, row.dS) << " for "
        << row.clr;
}

TEST(ColorArithmetic, HueInDegreesGivesTheColourWheel) {
  const struct {
    double h, l, s;
    COLORREF expected;
  } rows[] = {
      {0, 0.5, 1.0, RGB(255, 0, 0)},       {60, 0.5, 1.0, RGB(255, 255, 0)},
      {120, 0.5, 1.0, RGB(0, 255, 0)},     {180, 0.5, 1.0, RGB(0, 255, 255)},
      {240, 0.5, 1.0, RGB(0, 0, 255)},     {300, 0.5, 1.0, RGB(255, 0, 255)},
      {0, 0.5, 0.0, RGB(127, 127, 127)},   {210, 0.25, 1.0, RGB(0, 63, 127)},
      {30, 0.75, 1.0, RGB(255, 191, 127)},
  };
  for (const auto& row : rows) {
    const COLORREF clr = CExtPaintManager::HslDegreesToRgb(row.h, row.l, row.s);
    EXPECT_TRUE(WithinOne(row.expected, clr)) << row.h << " gave " << std::hex << clr;
    EXPECT_TRUE(WithinOne(clr, CExtPaintManager::HlsToRgb(row.h / 360.0, row.l, row.s))) << row.h;
  }
}

} // namespace
