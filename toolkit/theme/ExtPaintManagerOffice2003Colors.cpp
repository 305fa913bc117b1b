// The Office 2003 colour set: taken from the visual style's taskbar colours when one of the three
// luna schemes is on, from the system colours otherwise, and left at the XP colours on palette
// screens. Also the scheme's base colours, shadow tint, colour sets and disabled-icon look.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

using VSS = CExtPaintManagerHolder::VisualStyleScheme;

// The taskbar colours the base colours come from, as the holder keeps them.
enum LunaColor { LUNA_EDGE_LIGHT = 0, LUNA_EDGE_SHADOW = 2, LUNA_GRADIENT1 = 5, LUNA_GRADIENT3 = 6 };

// The gradient ids of the scheme, set on the luna way only.
const int kSchemeGradientIds[CExtPaintManagerXP::GRADIENT_ID_COUNT] = {3021, 3022, 3023, 3024, 3025, 3026};
const int kSchemeAccentId = 3005;

COLORREF L(COLORREF clr, double dL) { return CExtPaintManager::HlsAdjustColor(clr, 0.0, dL, 0.0); }

COLORREF Hls(COLORREF clr, double dH, double dL, double dS) {
  return CExtPaintManager::HlsAdjustColor(clr, dH, dL, dS);
}

// Each channel times num/den, truncated.
COLORREF Scale(COLORREF clr, int nRed, int nGreen, int nBlue, int nDen) {
  return RGB(GetRValue(clr) * nRed / nDen, GetGValue(clr) * nGreen / nDen, GetBValue(clr) * nBlue / nDen);
}

// A colour of the per-scheme tables: normalcolor, homestead and metallic.
struct SchemeColors {
  COLORREF arr[3];
  bool Pick(int nScheme, COLORREF& clr) const {
    if (nScheme < VSS::VSS_NORMAL_COLOR || nScheme > VSS::VSS_METALLIC)
      return false;
    clr = arr[nScheme - 1];
    return true;
  }
};

} // namespace

bool CExtPaintManagerOffice2003::GetThemeBaseColors(COLORREF* pClr1, COLORREF* pClr2) {
  if (!IsThemedDrawingAvailable())
    return false;
  const COLORREF* pLuna = g_PaintManagerHolder.m_arrLunaColors;
  if (pClr1 != NULL) {
    double h, s, l, hUnused, sUnused, lLight, lShadow;
    RgbToHls(pLuna[LUNA_GRADIENT1], &h, &s, &l);
    RgbToHls(pLuna[LUNA_EDGE_LIGHT], &hUnused, &sUnused, &lLight);
    RgbToHls(pLuna[LUNA_EDGE_SHADOW], &hUnused, &sUnused, &lShadow);
    *pClr1 = HlsToRgb(h, (lLight + lShadow) / 2.0, s);
  }
  if (pClr2 != NULL)
    *pClr2 = HlsAdjustColor(pLuna[LUNA_GRADIENT3], 0.01, 0.0, 0.0);
  return true;
}

COLORREF CExtPaintManagerOffice2003::GetShadowColor() {
  COLORREF clrBase;
  if (IsThemedDrawingAvailable() && GetThemeBaseColors(&clrBase, NULL))
    return HlsAdjustColor(clrBase, 0.0, -0.6, 0.5);
  return (COLORREF)-1;
}

COLORREF CExtPaintManagerOffice2003::GetDisabledIconColor() {
  return g_PaintManagerHolder.IsNtMajor5OrLater() ? ColorByLogicalId(COLOR_3DFACE) : (COLORREF)-1;
}

double CExtPaintManagerOffice2003::GetDisabledIconFactor() { return 0.7; }

void CExtPaintManager::GetSchemeHighlightColors(bool bSystemWindow, bool bFixedSet, COLORREF& clr1,
                                                COLORREF& clr2, COLORREF& clr3, COLORREF& clr4,
                                                COLORREF& clr5) {
  if (bFixedSet) {
    clr1 = clr2 = clr5 = RGB(0, 0, 128);
    clr4 = RGB(179, 179, 217);
    clr3 = RGB(233, 233, 244);
    return;
  }
  clr5 = ColorByLogicalId(COLOR_BTNTEXT);
  clr1 = ColorByLogicalId(bSystemWindow ? COLOR_WINDOW : COLOR_3DFACE);
  clr2 = ColorByLogicalId(COLOR_3DSHADOW);
  clr3 = clr4 = ColorByLogicalId(COLOR_3DFACE);
}

void CExtPaintManager::GetSchemeAccentColors(bool bWindow, LPARAM, COLORREF& clr1, COLORREF& clr2,
                                             COLORREF& clr3, COLORREF& clr4) {
  clr4 = ColorByLogicalId(COLOR_BTNTEXT);
  clr1 = ColorByLogicalId(COLOR_3DSHADOW);
  clr3 = clr2 = ColorByLogicalId(bWindow ? COLOR_WINDOW : COLOR_3DLIGHT);
}

void CExtPaintManagerOffice2003::GetSchemeHighlightColors(bool bSystemWindow, bool bFixedSet, COLORREF& clr1,
                                                          COLORREF& clr2, COLORREF& clr3, COLORREF& clr4,
                                                          COLORREF& clr5) {
  const int nScheme = GetVisualStyleScheme();
  if (bFixedSet) {
    if (nScheme == VSS::VSS_NONE) {
      CExtPaintManagerXP::GetSchemeHighlightColors(bSystemWindow, true, clr1, clr2, clr3, clr4, clr5);
      return;
    }
    static const SchemeColors kFrame = {{RGB(0, 0, 128), RGB(63, 93, 56), RGB(75, 75, 111)}};
    if (kFrame.Pick(nScheme, clr1)) {
      clr2 = clr1;
      clr5 = RGB(0, 0, 0);
    } else {
      clr1 = clr2 = clr5 = RGB(0, 0, 128);
    }
    clr4 = RGB(255, 238, 194);
    clr3 = RGB(255, 249, 237);
    return;
  }
  clr5 = ColorByLogicalId(COLOR_BTNTEXT);
  clr1 = ColorByLogicalId((bSystemWindow || nScheme != VSS::VSS_NONE) ? COLOR_WINDOW : COLOR_3DFACE);
  clr3 = clr4 = ColorByLogicalId(COLOR_3DFACE);
  static const SchemeColors kShade = {{RGB(0, 53, 154), RGB(96, 119, 107), RGB(118, 116, 146)}};
  if (!kShade.Pick(nScheme, clr2))
    clr2 = ColorByLogicalId(COLOR_3DSHADOW);
}

void CExtPaintManagerOffice2003::GetSchemeAccentColors(bool bWindow, LPARAM lUnused, COLORREF& clr1,
                                                       COLORREF& clr2, COLORREF& clr3, COLORREF& clr4) {
  CExtPaintManagerXP::GetSchemeAccentColors(bWindow, lUnused, clr1, clr2, clr3, clr4);
  if (GetVisualStyleScheme() != VSS::VSS_NONE)
    clr2 = ColorByLogicalId(bWindow ? COLOR_WINDOW : COLOR_BTNHIGHLIGHT);
}

void CExtPaintManagerOffice2003::BuildLogicalColors() {
  std::fill(std::begin(m_arrGradientIdsScheme), std::end(m_arrGradientIdsScheme), -1);
  m_nSchemeAccentId = -1;
  // The scheme may have changed since the last build.
  g_PaintManagerHolder.DetectVisualStyle();
  CExtPaintManagerXP::BuildLogicalColors();
  if (GetScreenBitsPerPixel() <= 8) {
    MapLogicalColor(3014, ColorByLogicalId(COLOR_3DSHADOW));
    return;
  }
  if (IsThemedDrawingAvailable())
    BuildLunaColors();
  else
    BuildSystemColors();
}

void CExtPaintManagerOffice2003::MapSharedColor(std::initializer_list<int> ids, COLORREF clr) {
  const int nIndex = (int)m_colors.Add(clr);
  for (int nId : ids)
    m_mapColorTranslate.SetAt(nId, nIndex);
}

void CExtPaintManagerOffice2003::BuildLunaColors() {
  COLORREF B1 = 0, B2 = 0;
  GetThemeBaseColors(&B1, &B2);
  const int nScheme = GetVisualStyleScheme();

  // The classic and XP ids.
  MapSharedColor({1000, 2000}, L(B1, 0.2));
  MapLogicalColor(1001, Hls(B2, 0.02, 0.6, 0.45));
  MapSharedColor({1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2008}, L(B1, -0.25));
  MapSysColor(1010, COLOR_WINDOWTEXT);
  MapSysColor(1011, COLOR_WINDOWTEXT);
  MapSysColor(2006, COLOR_BTNTEXT);
  MapSysColor(2010, COLOR_3DFACE);
  MapSharedColor({2011, 2002}, Scale(B1, 857, 857, 857, 1000));
  const COLORREF clrLight = Hls(B1, 0.0, 0.95, -0.05);
  const COLORREF clrWarm =
      RGB(GetRValue(clrLight) + ::MulDiv(255 - GetRValue(clrLight), 40, 100),
          GetGValue(clrLight) + ::MulDiv(255 - GetGValue(clrLight), 20, 100), GetBValue(clrLight));
  MapLogicalColor(2001, Hls(clrWarm, 0.0, 0.06, 0.05));
  MapLogicalColor(2003, Hls(B2, 0.0, -0.3, 0.45));
  MapLogicalColor(2004, L(Hls(L(B1, 0.2), 0.0, -0.25, 0.1), -0.5));
  MapLogicalColor(2005, Scale(B1, 999, 995, 995, 1000));
  MapLogicalColor(2009, L(B1, 0.5));

  // The Office 2003 set.
  const bool bMetallic = nScheme == VSS::VSS_METALLIC;
  MapLogicalColor(3000, bMetallic ? Hls(B1, 0.0, 0.845, 0.1) : L(B1, 0.43));
  MapLogicalColor(3001, bMetallic ? Hls(B1, 0.0, 0.45, 0.1) : Hls(B1, 0.02, 0.07, 0.0));
  MapLogicalColor(3002, L(B1, 0.95));
  MapLogicalColor(3003, L(B1, -0.6));
  MapLogicalColor(3004, L(B1, -0.1));
  MapLogicalColor(3005, L(B1, -0.6));
  MapLogicalColor(3006, L(B2, 0.85));
  MapLogicalColor(3007, L(B2, -0.05));
  MapLogicalColor(3008, L(B2, 0.3));
  MapLogicalColor(3009, L(B2, -0.3));
  MapLogicalColor(3010, L(B1, 0.98));
  MapLogicalColor(3011, L(B1, -0.45));
  MapLogicalColor(3012, L(B1, 0.97));
  MapLogicalColor(3013, L(B1, -0.97));
  MapSysColor(3014, COLOR_3DSHADOW);

  static const SchemeColors k3015 = {{0xFFEFE3, 0xEDFFFF, 0xFFF9F9}};
  static const SchemeColors k3016 = {{0xFCE1CA, 0xA7DBCE, 0xECE2E1}};
  static const SchemeColors k3017 = {{0xE4AD87, 0x92C7B8, 0xB99D9F}};
  static const SchemeColors k3018 = {{0xF6DDCB, 0xD1E6E6, 0xE2D7D7}};
  static const SchemeColors k3019 = {{0xF8C4A1, 0x8FC8BA, 0xCAB9B8}};
  static const SchemeColors k3020 = {{0xDCA179, 0x78B4A4, 0x9E7E80}};
  static const SchemeColors k2007 = {{0x962D00, 0x5E8D75, 0x947C7C}};
  COLORREF c3015 = 0, c3016 = 0, c3017 = 0, c3018 = 0, c3019 = 0, c3020 = 0, c2007 = 0;
  if (!k3015.Pick(nScheme, c3015))
    c3015 = L(B1, 0.75);
  if (!k3017.Pick(nScheme, c3017))
    c3017 = L(ColorByLogicalId(2000), -0.1);
  if (!k3016.Pick(nScheme, c3016))
    c3016 = L(c3017, 0.55);
  if (!k3018.Pick(nScheme, c3018))
    c3018 = L(B1, 0.3);
  if (!k3020.Pick(nScheme, c3020))
    c3020 = L(B1, -0.25);
  if (!k3019.Pick(nScheme, c3019))
    c3019 = L(c3020, 0.55);
  if (!k2007.Pick(nScheme, c2007))
    c2007 = L(B1, -0.68);
  MapLogicalColor(3015, c3015);
  MapLogicalColor(3016, c3016);
  MapLogicalColor(3017, c3017);
  MapLogicalColor(3018, c3018);
  MapLogicalColor(3019, c3019);
  MapLogicalColor(3020, c3020);
  MapLogicalColor(2007, c2007);

  MapLogicalColor(3021, Hls(B2, 0.05, 0.75, 0.0));
  MapLogicalColor(3022, Hls(B2, -0.05, -0.02, 0.0));
  MapLogicalColor(3023, Hls(B2, 0.02, 0.4, 0.0));
  MapLogicalColor(3026, Hls(B2, 0.02, 0.4, 0.0));
  MapLogicalColor(3024, Hls(B2, -0.07, -0.31, 0.0));
  MapLogicalColor(3025, Hls(B2, -0.07, -0.31, 0.0));
  MapLogicalColor(3027, Hls(B1, 0.1, -0.55, 0.0));
  MapLogicalColor(3028, Hls(B1, 0.02, -0.23, -0.25));
  MapLogicalColor(3029, Hls(B1, 0.05, -0.6, 0.0));
  MapLogicalColor(3030, L(B1, 0.45));
  MapLogicalColor(3031, Hls(B1, 0.0, 0.0, 0.0));
  MapLogicalColor(3032, Hls(B1, 0.0, 0.55, 0.2));
  MapLogicalColor(3033, Hls(B1, 0.0, -0.13, -0.15));
  MapLogicalColor(3034, c3015);
  MapLogicalColor(3035, c3017);

  std::copy(std::begin(kSchemeGradientIds), std::end(kSchemeGradientIds), m_arrGradientIdsScheme);
  m_nSchemeAccentId = kSchemeAccentId;

  // The system entries themselves take the scheme's colours, so that every classic id mapped to
  // them follows.
  SetColorAt(B1, COLOR_3DFACE);
  SetColorAt(Hls(B1, 0.0, 0.45, 0.1), COLOR_3DLIGHT);
  SetColorAt(L(B1, 0.75), COLOR_BTNHIGHLIGHT);
  SetColorAt(Hls(B1, 0.0, -0.45, 0.1), COLOR_3DSHADOW);
  SetColorAt(L(B1, -0.75), COLOR_3DDKSHADOW);

  const COLORREF F = ColorByLogicalId(COLOR_3DFACE), W = ColorByLogicalId(COLOR_WINDOW);
  static const SchemeColors k1012 = {{0xFEECDD, 0xE7F2F3, 0xF4EEEE}};
  static const SchemeColors k1013 = {{0xC97A4A, 0x98C6BE, 0xC3B0B1}};
  static const SchemeColors k1014 = {{0x862D00, 0x466B5A, 0x795B5C}};
  static const SchemeColors k1018 = {{0xF9DBC4, 0xAEDFD2, 0xDECFCF}};
  static const SchemeColors k1019 = {{0xE08F65, 0x80B0A1, 0xBFA8A9}};
  COLORREF clr = 0;
  MapLogicalColor(1012, k1012.Pick(nScheme, clr) ? clr : BlendColors(F, W, 50));
  MapLogicalColor(1013, k1013.Pick(nScheme, clr) ? clr : F);
  if (!k1014.Pick(nScheme, clr))
    clr = ColorByLogicalId(COLOR_WINDOWTEXT);
  MapSharedColor({1014, 1016}, clr);
  MapSharedColor({1015, 1017}, clr);
  MapSharedColor({1018, 1021}, k1018.Pick(nScheme, clr) ? clr : BlendColors(F, W, 39));
  MapSharedColor({1019, 1020}, k1019.Pick(nScheme, clr) ? clr : BlendColors(F, W, 70));
}

void CExtPaintManagerOffice2003::BuildSystemColors() {
  const COLORREF F = ColorByLogicalId(COLOR_3DFACE), W = ColorByLogicalId(COLOR_WINDOW),
                 S = ColorByLogicalId(COLOR_3DSHADOW), L3 = ColorByLogicalId(COLOR_3DLIGHT),
                 LH = ColorByLogicalId(COLOR_BTNHIGHLIGHT);
  const COLORREF clrFace = ColorByLogicalId(2000), clrMenu = ColorByLogicalId(2001),
                 clrPushed = ColorByLogicalId(2003);
  MapLogicalColor(3000, BlendColors(F, W, 222));
  MapSysColor(3001, COLOR_3DFACE);
  MapSysColor(3002, COLOR_WINDOW);
  MapSysColor(3012, COLOR_WINDOW);
  MapLogicalColor(3003, L(S, 0.2));
  MapLogicalColor(3004, Hls(S, 0.0, 0.7, 0.1));
  MapLogicalColor(3005, L(S, -0.05));
  MapSharedColor({3006, 3007}, L(clrPushed, 0.3));
  MapSharedColor({3008, 3009}, L(clrPushed, 0.6));
  MapLogicalColor(3010, RGB(255, 255, 255));
  MapLogicalColor(3011, Hls(W, 0.0, -0.36, -0.8));
  MapSysColor(3013, COLOR_BTNTEXT);
  MapSysColor(3014, COLOR_3DSHADOW);
  const COLORREF c3017 = L(clrFace, -0.04);
  MapLogicalColor(3015, clrMenu);
  MapLogicalColor(3016, L(clrFace, 0.4));
  MapLogicalColor(3017, c3017);
  MapLogicalColor(3018, BlendColors(W, clrFace, 500));
  MapLogicalColor(3019, L(c3017, 0.3));
  MapLogicalColor(3020, L(c3017, -0.04));
  MapLogicalColor(3027, S);
  MapLogicalColor(3029, S);
  MapSharedColor({3028, 3031, 3033}, L3);
  MapSharedColor({3030, 3032}, LH);
  MapLogicalColor(3034, clrMenu);
  MapLogicalColor(3035, BlendColors(W, F, 550));
  MapLogicalColor(1012, BlendColors(F, W, 50));
  MapLogicalColor(1013, F);
  for (int nId : {1014, 1015, 1016, 1017})
    MapSysColor(nId, COLOR_WINDOWTEXT);
  MapSharedColor({1018, 1021}, BlendColors(F, W, 39));
  MapSharedColor({1019, 1020}, BlendColors(F, W, 70));
}
