// The Office 2003 colour set: the three luna schemes through a forced visual style, the system
// way without visual styles, and palette screens; the scheme's base colours and colour sets.
#include "tests/unit/toolkit/theme/theme_support.h"

#include <functional>
#include <memory>

namespace {

using PM = CExtPaintManager;

// Taskbar colours giving the base colours a test can foresee: the edges average to lightness
// 0.5, so the first base colour is the pure blue of the first gradient colour.
const COLORREF kEdgeLight = RGB(255, 255, 255), kEdgeShadow = RGB(0, 0, 0);
const COLORREF kGradient1 = RGB(0, 0, 255), kGradient3 = RGB(40, 160, 90);

CExtPaintManagerHolder::ForcedVisualStyle_t LunaStyle(LPCWSTR pszColor) {
  return {true,
          L"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles",
          pszColor,
          7,
          {kEdgeLight, 0, kEdgeShadow, 0, 0, kGradient1, kGradient3}};
}

const CExtPaintManagerHolder::ForcedVisualStyle_t kNoStyle = {false, NULL, NULL, 0, {}};

COLORREF L(COLORREF c, double d) { return PM::HlsAdjustColor(c, 0, d, 0); }

class Office2003Colors : public ThemeTest {
protected:
  PM* Install(const CExtPaintManagerHolder::ForcedVisualStyle_t& style, int nBitsPerPixel) {
    m_style = style;
    CExtPaintManagerHolder::TestForceVisualStyle(&m_style);
    PM::TestForceScreenBitsPerPixel(nBitsPerPixel);
    EXPECT_TRUE(g_PaintManagerHolder.InstallTheme(new CExtPaintManagerOffice2003));
    return g_PaintManagerHolder.GetPM();
  }
  CExtPaintManagerHolder::ForcedVisualStyle_t m_style = {};
};

struct SchemeCase {
  LPCWSTR pszColor;
  int nScheme;
  // 3015, 3016, 3017, 3018, 3019, 3020, 2007, 1012, 1013, 1014, 1018, 1019
  COLORREF arrLiterals[12];
};

const SchemeCase kSchemes[] = {
    {L"NormalColor",
     1,
     {0xFFEFE3, 0xFCE1CA, 0xE4AD87, 0xF6DDCB, 0xF8C4A1, 0xDCA179, 0x962D00, 0xFEECDD, 0xC97A4A, 0x862D00,
      0xF9DBC4, 0xE08F65}},
    {L"HomeStead",
     2,
     {0xEDFFFF, 0xA7DBCE, 0x92C7B8, 0xD1E6E6, 0x8FC8BA, 0x78B4A4, 0x5E8D75, 0xE7F2F3, 0x98C6BE, 0x466B5A,
      0xAEDFD2, 0x80B0A1}},
    {L"Metallic",
     3,
     {0xFFF9F9, 0xECE2E1, 0xB99D9F, 0xE2D7D7, 0xCAB9B8, 0x9E7E80, 0x947C7C, 0xF4EEEE, 0xC3B0B1, 0x795B5C,
      0xDECFCF, 0xBFA8A9}},
};

class Office2003LunaColors : public Office2003Colors, public ::testing::WithParamInterface<SchemeCase> {};

TEST_P(Office2003LunaColors, FollowTheSchemesTables) {
  const SchemeCase& sc = GetParam();
  PM* pm = Install(LunaStyle(sc.pszColor), 32);
  ASSERT_EQ(sc.nScheme, pm->GetVisualStyleScheme());
  auto* o = static_cast<CExtPaintManagerOffice2003*>(pm);
  COLORREF B1 = 0, B2 = 0;
  ASSERT_TRUE(o->GetThemeBaseColors(&B1, &B2));
  EXPECT_EQ(RGB(0, 0, 255), B1);
  EXPECT_EQ(PM::HlsAdjustColor(kGradient3, 0.01, 0, 0), B2);

  const int literalIds[12] = {3015, 3016, 3017, 3018, 3019, 3020, 2007, 1012, 1013, 1014, 1018, 1019};
  for (int i = 0; i < 12; ++i)
    EXPECT_EQ(sc.arrLiterals[i], pm->ColorByLogicalId(literalIds[i])) << "id " << literalIds[i];
  // The ids that share the literal rows.
  EXPECT_EQ(sc.arrLiterals[9], pm->ColorByLogicalId(1017));
  EXPECT_EQ(sc.arrLiterals[10], pm->ColorByLogicalId(1021));
  EXPECT_EQ(sc.arrLiterals[11], pm->ColorByLogicalId(1020));
  EXPECT_EQ(sc.arrLiterals[0], pm->ColorByLogicalId(3034));
  EXPECT_EQ(sc.arrLiterals[2], pm->ColorByLogicalId(3035));

  const bool bMetallic = sc.nScheme == 3;
  const COLORREF clrLight = PM::HlsAdjustColor(B1, 0, 0.95, -0.05);
  const COLORREF clrWarm =
      RGB(GetRValue(clrLight) + ::MulDiv(255 - GetRValue(clrLight), 40, 100),
          GetGValue(clrLight) + ::MulDiv(255 - GetGValue(clrLight), 20, 100), GetBValue(clrLight));
  const struct {
    int nId;
    COLORREF clr;
  } derived[] = {
      {1000, L(B1, 0.2)},
      {2000, L(B1, 0.2)},
      {1001, PM::HlsAdjustColor(B2, 0.02, 0.6, 0.45)},
      {1002, L(B1, -0.25)},
      {1009, L(B1, -0.25)},
      {2008, L(B1, -0.25)},
      {1010, ::GetSysColor(COLOR_WINDOWTEXT)},
      {2006, ::GetSysColor(COLOR_BTNTEXT)},
      {2011, RGB(0, 0, 255 * 857 / 1000)},
      {2002, RGB(0, 0, 255 * 857 / 1000)},
      {2001, PM::HlsAdjustColor(clrWarm, 0, 0.06, 0.05)},
      {2003, PM::HlsAdjustColor(B2, 0, -0.3, 0.45)},
      {2004, L(PM::HlsAdjustColor(L(B1, 0.2), 0, -0.25, 0.1), -0.5)},
      {2005, RGB(0, 0, 255 * 995 / 1000)},
      {2009, L(B1, 0.5)},
      {3000, bMetallic ? PM::HlsAdjustColor(B1, 0, 0.845, 0.1) : L(B1, 0.43)},
      {3001, bMetallic ? PM::HlsAdjustColor(B1, 0, 0.45, 0.1) : PM::HlsAdjustColor(B1, 0.02, 0.07, 0)},
      {3002, L(B1, 0.95)},
      {3003, L(B1, -0.6)},
      {3005, L(B1, -0.6)},
      {3006, L(B2, 0.85)},
      {3009, L(B2, -0.3)},
      {3013, L(B1, -0.97)},
      {3021, PM::HlsAdjustColor(B2, 0.05, 0.75, 0)},
      {3026, PM::HlsAdjustColor(B2, 0.02, 0.4, 0)},
      {3025, PM::HlsAdjustColor(B2, -0.07, -0.31, 0)},
      {3029, PM::HlsAdjustColor(B1, 0.05, -0.6, 0)},
      {3033, PM::HlsAdjustColor(B1, 0, -0.13, -0.15)},
      // The system entries take the scheme's colours, and so does everything mapped to them.
      {COLOR_3DFACE, B1},
      {2010, B1},
      {3014, PM::HlsAdjustColor(B1, 0, -0.45, 0.1)},
      {COLOR_BTNHIGHLIGHT, L(B1, 0.75)},
      {COLOR_3DDKSHADOW, L(B1, -0.75)},
      {COLOR_3DLIGHT, PM::HlsAdjustColor(B1, 0, 0.45, 0.1)},
  };
  for (const auto& row : derived)
    EXPECT_EQ(row.clr, pm->ColorByLogicalId(row.nId)) << "id " << row.nId;

  const int kGradientIds[6] = {3021, 3022, 3023, 3024, 3025, 3026};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(kGradientIds[i], o->m_arrGradientIdsScheme[i]);
  EXPECT_EQ(3005, o->m_nSchemeAccentId);
  EXPECT_EQ(PM::HlsAdjustColor(B1, 0, -0.6, 0.5), o->GetShadowColor());
}

INSTANTIATE_TEST_SUITE_P(Schemes, Office2003LunaColors, ::testing::ValuesIn(kSchemes));

TEST_F(Office2003Colors, WithoutVisualStylesFollowTheSystemWay) {
  ScopedSysColors colors({{COLOR_3DFACE, RGB(200, 100, 0)},
                          {COLOR_WINDOW, RGB(0, 100, 200)},
                          {COLOR_3DSHADOW, RGB(100, 40, 20)},
                          {COLOR_3DLIGHT, RGB(7, 8, 9)},
                          {COLOR_BTNHIGHLIGHT, RGB(250, 250, 240)},
                          {COLOR_BTNTEXT, RGB(10, 20, 30)}});
  PM* pm = Install(kNoStyle, 32);
  const COLORREF F = RGB(200, 100, 0), W = RGB(0, 100, 200), S = RGB(100, 40, 20);
  const COLORREF clrFace = pm->ColorByLogicalId(2000), clrMenu = pm->ColorByLogicalId(2001);
  const COLORREF c3017 = L(clrFace, -0.04);
  const struct {
    int nId;
    COLORREF clr;
  } rows[] = {
      {3000, PM::BlendColors(F, W, 222)},
      {3001, F},
      {3002, W},
      {3012, W},
      {3003, L(S, 0.2)},
      {3004, PM::HlsAdjustColor(S, 0, 0.7, 0.1)},
      {3005, L(S, -0.05)},
      {3007, L(pm->ColorByLogicalId(2003), 0.3)},
      {3008, L(pm->ColorByLogicalId(2003), 0.6)},
      {3010, RGB(255, 255, 255)},
      {3011, PM::HlsAdjustColor(W, 0, -0.36, -0.8)},
      {3013, RGB(10, 20, 30)},
      {3014, S},
      {3015, clrMenu},
      {3016, L(clrFace, 0.4)},
      {3017, c3017},
      {3018, PM::BlendColors(W, clrFace, 500)},
      {3019, L(c3017, 0.3)},
      {3020, L(c3017, -0.04)},
      {3021, F}, // unmapped: reads as the face colour
      {3027, S},
      {3031, RGB(7, 8, 9)},
      {3032, RGB(250, 250, 240)},
      {3034, clrMenu},
      {3035, PM::BlendColors(W, F, 550)},
      {1012, PM::BlendColors(F, W, 50)},
      {1013, F},
      {1016, ::GetSysColor(COLOR_WINDOWTEXT)},
      {1021, PM::BlendColors(F, W, 39)},
      {1019, PM::BlendColors(F, W, 70)},
      {COLOR_3DFACE, F},
  };
  for (const auto& row : rows)
    EXPECT_EQ(row.clr, pm->ColorByLogicalId(row.nId)) << "id " << row.nId;
  auto* o = static_cast<CExtPaintManagerOffice2003*>(pm);
  EXPECT_EQ(-1, o->m_arrGradientIdsScheme[0]);
  EXPECT_EQ(-1, o->m_nSchemeAccentId);
  EXPECT_EQ((COLORREF)-1, o->GetShadowColor());
  COLORREF c1 = 1, c2 = 2;
  EXPECT_FALSE(o->GetThemeBaseColors(&c1, &c2));
  EXPECT_EQ(1u, c1);
  EXPECT_EQ(2u, c2);
}

TEST_F(Office2003Colors, OnPaletteScreensOnlyTheShadowIdOfTheSetIsMapped) {
  PM* pm = Install(LunaStyle(L"normalcolor"), 8);
  EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DSHADOW), pm->ColorByLogicalId(3014));
  for (int nId : {3000, 3010, 3015, 3017, 3021, 3035})
    EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DFACE), pm->ColorByLogicalId(nId)) << "id " << nId;
  EXPECT_EQ(::GetSysColor(COLOR_3DFACE), pm->ColorByLogicalId(COLOR_3DFACE));
}

TEST_F(Office2003Colors, SchemeColorSetsFollowTheScheme) {
  struct Row {
    const CExtPaintManagerHolder::ForcedVisualStyle_t style;
    COLORREF clrFrame, clrShade;
  };
  const Row rows[] = {{LunaStyle(L"normalcolor"), RGB(0, 0, 128), RGB(0, 53, 154)},
                      {LunaStyle(L"homestead"), RGB(63, 93, 56), RGB(96, 119, 107)},
                      {LunaStyle(L"metallic"), RGB(75, 75, 111), RGB(118, 116, 146)}};
  for (const Row& row : rows) {
    PM* pm = Install(row.style, 32);
    COLORREF o1, o2, o3, o4, o5;
    pm->GetSchemeHighlightColors(false, true, o1, o2, o3, o4, o5);
    EXPECT_EQ(row.clrFrame, o1);
    EXPECT_EQ(row.clrFrame, o2);
    EXPECT_EQ(RGB(0, 0, 0), o5);
    EXPECT_EQ(RGB(255, 238, 194), o4);
    EXPECT_EQ(RGB(255, 249, 237), o3);
    pm->GetSchemeHighlightColors(false, false, o1, o2, o3, o4, o5);
    EXPECT_EQ(pm->ColorByLogicalId(COLOR_WINDOW), o1);
    EXPECT_EQ(row.clrShade, o2);
    COLORREF a1, a2, a3, a4;
    pm->GetSchemeAccentColors(false, 0, a1, a2, a3, a4);
    EXPECT_EQ(pm->ColorByLogicalId(COLOR_BTNHIGHLIGHT), a2);
    EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DLIGHT), a3);
  }
  // Without a scheme the classic sets answer.
  PM* pm = Install(kNoStyle, 32);
  COLORREF o1, o2, o3, o4, o5;
  pm->GetSchemeHighlightColors(false, true, o1, o2, o3, o4, o5);
  EXPECT_EQ(RGB(0, 0, 128), o5);
  EXPECT_EQ(RGB(179, 179, 217), o4);
  EXPECT_EQ(RGB(233, 233, 244), o3);
  pm->GetSchemeHighlightColors(false, false, o1, o2, o3, o4, o5);
  EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DFACE), o1);
  EXPECT_EQ(pm->ColorByLogicalId(COLOR_3DSHADOW), o2);
}

} // namespace
