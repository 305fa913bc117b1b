// The XP and Office 2003 themes: their colour sets and layout answers.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)
IMPLEMENT_DYNCREATE(CExtPaintManagerOffice2003, CExtPaintManagerXP)

namespace {

// The Office 2003 gradients of push buttons: hover, pushed and hover-pushed pairs.
const int kOffice2003ButtonGradientIds[CExtPaintManagerXP::GRADIENT_ID_COUNT] = {3015, 3017, 3016,
                                                                                 3018, 3020, 3019};
const int kOffice2003MinExpandButtonHeight = 18;

} // namespace

CExtPaintManagerXP::CExtPaintManagerXP() {
  m_pGlyphArrow = &GetNamedGlyph(NG_ARROW_DOWN_5X3);
  m_pGlyphChevron = &GetNamedGlyph(NG_CHEVRON_8X5);
  m_pGlyphArrowTurned = &GetNamedGlyph(NG_ARROW_RIGHT_3X5);
  m_pGlyphChevronTurned = &GetNamedGlyph(NG_CHEVRON_5X8);
}

int CExtPaintManagerXP::GetThemeId() { return ThemeXP; }

int CExtPaintManagerXP::GetMenuItemSpacing() { return 1; }

bool CExtPaintManagerXP::IsThemedDrawingAvailable() {
  return g_PaintManagerHolder.IsAppThemed() && GetVisualStyleScheme() != CExtPaintManagerHolder::VSS_NONE;
}

COLORREF CExtPaintManagerXP::GetMenuBackgroundColor(CObject* pHelperSrc, LPARAM lParam) {
  return ColorByLogicalId(2001, pHelperSrc, lParam);
}

void CExtPaintManagerXP::BuildLogicalColors() {
  CExtPaintManager::BuildLogicalColors();
  m_nMenuItemPaintValue = 128;
  const bool bDeep = GetScreenBitsPerPixel() > 8;
  const COLORREF F = ColorByLogicalId(COLOR_3DFACE), W = ColorByLogicalId(COLOR_WINDOW),
                 S = ColorByLogicalId(COLOR_3DSHADOW), D = ColorByLogicalId(COLOR_3DDKSHADOW),
                 HL = ColorByLogicalId(COLOR_HIGHLIGHT), T = ColorByLogicalId(COLOR_BTNTEXT),
                 LH = ColorByLogicalId(COLOR_BTNHIGHLIGHT);
  // On palette screens the theme keeps to plain system colours.
  const COLORREF clrMenu = bDeep ? BlendColors(F, W, 143) : W;
  const COLORREF clrB = bDeep ? BlendColors(F, S, 90) : S;
  const COLORREF clrFace = bDeep ? BlendColors(W, F, 165) : F;
  const COLORREF clrD1 = bDeep ? BlendColors(HL, W, 30) : F;
  const COLORREF clrE = bDeep ? BlendColors(HL, W, 50) : S;
  const COLORREF clrG = bDeep ? BlendColors(S, W, 70) : S;
  auto darkLine = [](int s, int d) { return (3 * s + d) * 250 / 1000; };
  const COLORREF clrDarkLine =
      bDeep ? RGB(darkLine(GetRValue(S), GetRValue(D)), darkLine(GetGValue(S), GetGValue(D)),
                  darkLine(GetBValue(S), GetBValue(D)))
            : S;
  const COLORREF clrK = bDeep ? HL : T;

  MapLogicalColor(1000, clrFace);
  MapLogicalColor(1001, clrD1);
  MapSysColor(2000, COLOR_3DFACE);
  const int nDarkLine = (int)m_colors.Add(clrDarkLine);
  for (int nId : {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2002, 2004, 2006, 2008})
    m_mapColorTranslate.SetAt(nId, nDarkLine);
  MapSysColor(1010, COLOR_WINDOWTEXT);
  MapLogicalColor(1011, bDeep ? RGB(0, 0, 0) : LH);
  MapSysColor(2010, COLOR_3DFACE);
  MapLogicalColor(2011, clrG);
  MapSysColor(2006, COLOR_HIGHLIGHTTEXT);
  MapLogicalColor(2000, clrFace);
  MapLogicalColor(2001, clrMenu);
  MapLogicalColor(2002, clrG);
  MapLogicalColor(2003, clrE);
  MapLogicalColor(2004, clrK);
  MapLogicalColor(2005, clrB);
  MapLogicalColor(2007, BlendColors(T, S, 20));
  MapLogicalColor(2008, clrMenu);
  MapLogicalColor(2009, ColorByLogicalId(1000));
  MapLogicalColor(1012, clrMenu);
  MapLogicalColor(1013, clrMenu);
  for (int nId : {1014, 1015, 1016, 1017})
    MapSysColor(nId, COLOR_WINDOWTEXT);
}

CSize CExtPaintManagerXP::GetPushedOffset() { return CSize(0, 0); }

int CExtPaintManagerXP::GetMenuBorderSize() { return 1; }

bool CExtPaintManagerXP::IsMenuCombinedWithButton() { return true; }

bool CExtPaintManagerXP::IsChevronMenuCombined() { return true; }

// ---------------------------------------------------------------------------------------------

CExtPaintManagerOffice2003::CExtPaintManagerOffice2003() {
  m_nXpStyleBits = XPS_OFFICE2003;
  m_pGlyphArrow = &GetNamedGlyph(NG_BAR_ARROW_5X6);
  m_pGlyphChevron = &GetNamedGlyph(NG_CHEVRON_6X5);
  m_pGlyphArrowTurned = &GetNamedGlyph(NG_BAR_ARROW_6X5);
  m_pGlyphChevronTurned = &GetNamedGlyph(NG_CHEVRON_5X6);
  std::copy(std::begin(kOffice2003ButtonGradientIds), std::end(kOffice2003ButtonGradientIds),
            m_arrGradientIdsButton);
}

int CExtPaintManagerOffice2003::GetThemeId() { return ThemeOffice2003; }

bool CExtPaintManagerOffice2003::IsThemedDrawingAvailable() {
  const int nScheme = GetVisualStyleScheme();
  return CExtPaintManagerXP::IsThemedDrawingAvailable() && g_PaintManagerHolder.AreLunaColorsValid() &&
         nScheme >= CExtPaintManagerHolder::VSS_NORMAL_COLOR &&
         nScheme <= CExtPaintManagerHolder::VSS_METALLIC;
}

int CExtPaintManagerOffice2003::GetMenuExpandButtonHeight() {
  return std::max(CExtPaintManagerXP::GetMenuExpandButtonHeight(), kOffice2003MinExpandButtonHeight);
}

bool CExtPaintManagerOffice2003::IsChevronMenuCombined() { return false; }

bool CExtPaintManagerOffice2003::HasDockerBackground(CObject*, LPARAM) { return GetScreenBitsPerPixel() > 8; }

CSize CExtPaintManagerOffice2003::GetToolBarRowAdjust(bool bAdjust) { return CSize(0, bAdjust ? -1 : 0); }

CSize CExtPaintManagerOffice2003::GetToolBarButtonSpacing() { return CSize(4, 4); }

void CExtPaintManagerOffice2003::PaintToolBarButtonBackground(CDC& dc, CObject* pButton, LPARAM lParam) {
  const auto* pSite = dynamic_cast<const CExtBarButtonSite*>(pButton);
  if (pSite == NULL || dc.GetDeviceCaps(BITSPIXEL) <= 8)
    return;
  const RECT rc = pSite->GetButtonRect();
  RECT rcFace = rc;
  ::InflateRect(&rcFace, -1, -1);
  if (!::IsRectEmpty(&rcFace))
    PaintGradientRect(dc, rcFace, ColorByLogicalId(3017, pButton, lParam),
                      ColorByLogicalId(3015, pButton, lParam), true, 256);
  if (pSite->IsBarVertical() && !pSite->IsHotFrameSuppressed()) {
    const COLORREF clr = ColorByLogicalId(2007, pButton, lParam);
    dc.Draw3dRect(&rc, clr, clr);
  }
}
