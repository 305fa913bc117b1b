// The colour model of the themes: colours by logical id, the classic and XP colour sets, the
// colour arithmetic, the screen depth and the tint brushes.
#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>

namespace {

// A screen depth the tests force; 0 means the real one.
int g_nForcedScreenBitsPerPixel = 0;

int Clamp255(int n) { return std::min(255, std::max(0, n)); }

// One channel of the HLS model: hue in 0..1, wrapped once.
double HueToChannel(double m1, double m2, double dHue) {
  if (dHue < 0.0)
    dHue += 1.0;
  if (dHue > 1.0)
    dHue -= 1.0;
  if (6.0 * dHue < 1.0)
    return m1 + (m2 - m1) * dHue * 6.0;
  if (2.0 * dHue < 1.0)
    return m2;
  if (3.0 * dHue < 2.0)
    return m1 + (m2 - m1) * (0.6666666666666666 - dHue) * 6.0;
  return m1;
}

// The same with the hue in degrees, in single precision, scaled to 0..255.
float DegreesToChannel(float m1, float m2, float fHue) {
  if (fHue > 360.0f)
    fHue -= 360.0f;
  else if (fHue < 0.0f)
    fHue += 360.0f;
  if (fHue < 60.0f)
    return ((m2 - m1) * fHue * 0.016666668f + m1) * 255.0f;
  if (fHue < 180.0f)
    return m2 * 255.0f;
  if (fHue < 240.0f)
    return ((m2 - m1) * (240.0f - fHue) * 0.016666668f + m1) * 255.0f;
  return m1 * 255.0f;
}

// Moves a component towards 1 (delta above 0) or towards 0 (below 0) by that part of the way.
double AdjustComponent(double dValue, double dDelta) {
  if (dDelta > 0.0)
    dValue += (1.0 - dValue) * dDelta;
  else if (dDelta < 0.0)
    dValue *= 1.0 + dDelta;
  return std::min(1.0, std::max(0.0, dValue));
}

// Per channel: base + (towards - base) * num / den, the division as the helper brushes need it.
COLORREF StepTowards(COLORREF clrBase, COLORREF clrTowards, int nNum, int nDen) {
  auto step = [&](int nBase, int nTowards) {
    const int nDiff = nTowards - nBase;
    return Clamp255(nBase + (nDen == 2 ? nDiff / 2 : ::MulDiv(nDiff, nNum, nDen)));
  };
  return RGB(step(GetRValue(clrBase), GetRValue(clrTowards)), step(GetGValue(clrBase), GetGValue(clrTowards)),
             step(GetBValue(clrBase), GetBValue(clrTowards)));
}

} // namespace

COLORREF CExtPaintManager::ColorByLogicalId(int nLogicalColorId, CObject*, LPARAM) {
  int nIndex = nLogicalColorId;
  if (nLogicalColorId >= LOGICAL_COLOR_FIRST && !m_mapColorTranslate.Lookup(nLogicalColorId, nIndex))
    nIndex = COLOR_3DFACE;
  if (m_colors.GetSize() <= COLOR_3DFACE) // not built yet
    return ::GetSysColor(COLOR_3DFACE);
  if (nIndex < 0 || nIndex >= m_colors.GetSize())
    nIndex = COLOR_3DFACE;
  return m_colors[nIndex];
}

HBRUSH CExtPaintManager::BrushByIndex(int nIndex) {
  if (m_brushes.GetSize() <= COLOR_3DFACE) // not built yet
    return ::GetSysColorBrush(COLOR_3DFACE);
  if (nIndex < 0 || nIndex >= m_brushes.GetSize())
    nIndex = COLOR_3DFACE;
  return m_brushes[nIndex];
}

int CExtPaintManager::SetColorAt(COLORREF clr, int nIndex) {
  if (nIndex >= 0 && nIndex < m_colors.GetSize()) {
    m_colors[nIndex] = clr;
    return nIndex;
  }
  return (int)m_colors.Add(clr);
}

void CExtPaintManager::MapLogicalColor(int nLogicalColorId, COLORREF clr) {
  m_mapColorTranslate.SetAt(nLogicalColorId, (int)m_colors.Add(clr));
}

void CExtPaintManager::MapSysColor(int nLogicalColorId, int nSysColorIndex) {
  m_mapColorTranslate.SetAt(nLogicalColorId, nSysColorIndex);
}

COLORREF CExtPaintManager::BlendColors(COLORREF clr1, COLORREF clr2, int nWeight) {
  const int nScale = nWeight < 100 ? 100 : 1000;
  auto blend = [&](int c1, int c2) {
    return Clamp255((c1 * nWeight + c2 * (nScale - nWeight) + nScale / 2) / nScale);
  };
  return RGB(blend(GetRValue(clr1), GetRValue(clr2)), blend(GetGValue(clr1), GetGValue(clr2)),
             blend(GetBValue(clr1), GetBValue(clr2)));
}

COLORREF CExtPaintManager::InvertColor(COLORREF clr) {
  return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

void CExtPaintManager::RgbToHls(COLORREF clr, double* pHue, double* pSaturation, double* pLightness) {
  const double kByte = 0.00392156862745098; // 1/255
  const double r = GetRValue(clr) * kByte, g = GetGValue(clr) * kByte, b = GetBValue(clr) * kByte;
  const double dMax = std::max(r, std::max(g, b)), dMin = std::min(r, std::min(g, b));
  const double l = (dMax + dMin) * 0.5;
  double h = 0.0, s = 0.0;
  if (dMax != dMin) {
    const double d = dMax - dMin;
    s = l < 0.5 ? d / (dMax + dMin) : d / (2.0 - dMax - dMin);
    if (r == dMax)
      h = (g - b) / d;
    else if (g == dMax)
      h = (b - r) / d + 2.0;
    else
      h = (r - g) / d + 4.0;
    h *= 0.16666666666666666;
    if (h < 0.0)
      h += 1.0;
  }
  *pHue = h;
  *pSaturation = s;
  *pLightness = l;
}

COLORREF CExtPaintManager::HlsToRgb(double dHue, double dLightness, double dSaturation) {
  if (dSaturation == 0.0) {
    const BYTE grey = (BYTE)(int)(dLightness * 255.0);
    return RGB(grey, grey, grey);
  }
  const double m2 = dLightness <= 0.5 ? dLightness * (1.0 + dSaturation)
                                      : dLightness + dSaturation - dLightness * dSaturation;
  const double m1 = 2.0 * dLightness - m2;
  return RGB((BYTE)(int)(HueToChannel(m1, m2, dHue + 0.3333333333333333) * 255.0),
             (BYTE)(int)(HueToChannel(m1, m2, dHue) * 255.0),
             (BYTE)(int)(HueToChannel(m1, m2, dHue - 0.3333333333333333) * 255.0));
}

COLORREF CExtPaintManager::HlsAdjustColor(COLORREF clr, double dHue, double dLightness, double dSaturation) {
  double h, s, l;
  RgbToHls(clr, &h, &s, &l);
  return HlsToRgb(AdjustComponent(h, dHue), AdjustComponent(l, dLightness), AdjustComponent(s, dSaturation));
}

COLORREF CExtPaintManager::HslDegreesToRgb(double dHueDegrees, double dLightness, double dSaturation) {
  const float h = (float)dHueDegrees, l = (float)dLightness, s = (float)dSaturation;
  if (s == 0.0f) {
    const BYTE grey = (BYTE)(int)(l * 255.0f);
    return RGB(grey, grey, grey);
  }
  const float m2 = l <= 0.5f ? (s + 1.0f) * l : s + l - l * s;
  const float m1 = 2.0f * l - m2;
  return RGB((BYTE)(int)DegreesToChannel(m1, m2, h + 120.0f), (BYTE)(int)DegreesToChannel(m1, m2, h),
             (BYTE)(int)DegreesToChannel(m1, m2, h - 120.0f));
}

int CExtPaintManager::GetScreenBitsPerPixel() {
  if (g_nForcedScreenBitsPerPixel > 0)
    return g_nForcedScreenBitsPerPixel;
  HDC hScreen = ::GetDC(NULL);
  const int nBits = ::GetDeviceCaps(hScreen, BITSPIXEL);
  ::ReleaseDC(NULL, hScreen);
  return nBits;
}

void CExtPaintManager::TestForceScreenBitsPerPixel(int nBitsPerPixel) {
  g_nForcedScreenBitsPerPixel = nBitsPerPixel;
}

void CExtPaintManager::BuildLogicalColors() {
  m_mapColorTranslate.RemoveAll();
  // Derived colours of earlier builds are no longer referenced.
  if (m_colors.GetSize() > SYS_COLOR_COUNT)
    m_colors.SetSize(SYS_COLOR_COUNT);
  static const struct {
    int nSysColor;
    int arrIds[3];
  } kMap[] = {
      {COLOR_3DFACE, {1000, 1001, 2000}},       {COLOR_3DLIGHT, {1002, 1003, 2002}},
      {COLOR_BTNHIGHLIGHT, {1004, 1005, 2004}}, {COLOR_3DSHADOW, {1006, 1007, 2006}},
      {COLOR_3DDKSHADOW, {1008, 1009, 2008}},   {COLOR_WINDOWTEXT, {1010, 1011, 0}},
      {COLOR_3DSHADOW, {2010, 0, 0}},           {COLOR_WINDOW, {1012, 1013, 0}},
      {COLOR_WINDOWTEXT, {1014, 1015, 0}},      {COLOR_HIGHLIGHTTEXT, {1016, 1017, 0}},
      {COLOR_3DFACE, {1018, 1020, 0}},          {COLOR_HIGHLIGHT, {1019, 1021, 0}},
  };
  for (const auto& row : kMap)
    for (int nId : row.arrIds)
      if (nId != 0)
        MapSysColor(nId, row.nSysColor);
}

bool CExtPaintManager::MakePatternBitmap(CBitmap& bmp, COLORREF clr0, COLORREF clr1, int nMaskX, int nMaskY,
                                         int nOffX, int nOffY, COLORREF clr2) {
  if (clr0 == (COLORREF)-1)
    clr0 = ::GetSysColor(COLOR_3DFACE);
  if (clr1 == (COLORREF)-1)
    clr1 = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  if (clr2 == (COLORREF)-1)
    clr2 = clr0;
  CDC dcScreen;
  dcScreen.Attach(::GetDC(NULL));
  CDC dc;
  const bool bMade = dc.CreateCompatibleDC(&dcScreen) && bmp.CreateCompatibleBitmap(&dcScreen, 16, 16);
  ::ReleaseDC(NULL, dcScreen.Detach());
  if (!bMade)
    return false;
  CBitmap* pOld = dc.SelectObject(&bmp);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      COLORREF clr;
      if ((x & nOffX) != 0 || (y & nOffY) != 0)
        clr = clr2;
      else if ((y & nMaskY) != 0)
        clr = (x & nMaskX) != 0 ? clr0 : clr1;
      else
        clr = (x & nMaskX) != 0 ? clr1 : clr0;
      dc.SetPixel(x, y, clr);
    }
  }
  dc.SelectObject(pOld);
  return true;
}

void CExtPaintManager::RebuildHelperBrushes() {
  CBrush* const arrBrushes[12] = {
      &m_brushLightDefault,   &m_brushLighterDefault, &m_brushLightestDefault, &m_brushDarkDefault,
      &m_brushDarkerDefault,  &m_brushDarkestDefault, &m_brushLightSystem,     &m_brushLighterSystem,
      &m_brushLightestSystem, &m_brushDarkSystem,     &m_brushDarkerSystem,    &m_brushDarkestSystem,
  };
  for (CBrush* pBrush : arrBrushes)
    pBrush->DeleteObject();
  const bool bDeep = GetScreenBitsPerPixel() > 8;
  // Six brushes from one colour set: the theme's (first six) or the system's (last six).
  auto make = [&](CBrush* const* ppBrushes, COLORREF F, COLORREF LH, COLORREF S, COLORREF D) {
    if (bDeep) {
      ppBrushes[0]->CreateSolidBrush(StepTowards(F, LH, 1, 2));
      ppBrushes[1]->CreateSolidBrush(StepTowards(F, LH, 3, 5));
      ppBrushes[2]->CreateSolidBrush(StepTowards(F, LH, 4, 5));
      ppBrushes[3]->CreateSolidBrush(StepTowards(S, F, 1, 2));
      ppBrushes[4]->CreateSolidBrush(StepTowards(S, F, 2, 5));
      ppBrushes[5]->CreateSolidBrush(StepTowards(S, F, 1, 5));
      return;
    }
    const struct {
      COLORREF c0, c1;
      int nOff;
      COLORREF c2;
    } kPatterns[6] = {
        {F, LH, 0, (COLORREF)-1}, {F, LH, 1, LH},          {F, LH, 2, LH},
        {S, F, 0, (COLORREF)-1},  {S, F, 1, (COLORREF)-1}, {D, S, 0, (COLORREF)-1},
    };
    for (int i = 0; i < 6; ++i) {
      CBitmap bmp;
      const auto& p = kPatterns[i];
      if (MakePatternBitmap(bmp, p.c0, p.c1, 1, 1, p.nOff, p.nOff, p.c2))
        ppBrushes[i]->CreatePatternBrush(&bmp);
    }
  };
  make(arrBrushes, ColorByLogicalId(COLOR_3DFACE), ColorByLogicalId(COLOR_BTNHIGHLIGHT),
       ColorByLogicalId(COLOR_3DSHADOW), ColorByLogicalId(COLOR_3DDKSHADOW));
  make(arrBrushes + 6, ::GetSysColor(COLOR_3DFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT),
       ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DDKSHADOW));
}
