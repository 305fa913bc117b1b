// The chevron button at the end of a tool bar and the hidden-items row of a popup menu, in the
// classic, XP and Office 2003 looks.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <algorithm>

namespace {

const int kBackdropSize = 16;
const BYTE kBackdropClear = 255;

// The glyphs of a chevron button and where they go.
struct ChevronGlyphs {
  const GlyphBuffer* pArrow;
  const GlyphBuffer* pChevron;
  POINT ptArrow;
  POINT ptChevron;
};

// Places the arrow at the button's far end and the chevron at its near end, a gap in from the
// edges; XP moves the chevron one pixel along the bar's face.
ChevronGlyphs PlaceChevronGlyphs(const RECT& rc, bool bHorz, const GlyphBuffer& arrow,
                                 const GlyphBuffer& chevron, int nGap, bool bXp) {
  ChevronGlyphs g = {&arrow, &chevron, {}, {}};
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  const int nNudge = bXp ? 1 : 0;
  if (bHorz) {
    g.ptArrow = POINT{rc.left + (cx - (int)arrow.m_nWidth) / 2, rc.bottom - nGap - (int)arrow.m_nHeight};
    g.ptChevron = POINT{rc.left + (cx - (int)chevron.m_nWidth) / 2 + nNudge, rc.top + nGap};
  } else {
    g.ptArrow = POINT{rc.left + nGap, rc.top + (cy - (int)arrow.m_nHeight) / 2};
    g.ptChevron =
        POINT{rc.right - nGap - (int)chevron.m_nWidth, rc.top + (cy - (int)chevron.m_nHeight) / 2 + nNudge};
  }
  return g;
}

// The glyph gap of a chevron button: three times the pressed offset across the bar, at least 3.
int ChevronGap(const CSize& pushedOffset, bool bHorz) {
  return 3 * std::max<int>(1, bHorz ? pushedOffset.cy : pushedOffset.cx);
}

} // namespace

void CExtPaintManager::PaintChevronButton(CDC& dc, const RECT& rcIn, bool bHorz, bool bAllContentVisible,
                                          bool bEnabled, bool bPushed, bool bHover,
                                          bool bTransparentBackground, const GlyphBuffer& arrow,
                                          const GlyphBuffer& chevron, bool bXp) {
  RECT rc = NormalizedRect(rcIn);
  if (!dc.RectVisible(&rc))
    return;
  PushButtonPaintData button(this, bHorz, rc, "", NULL, true, bHover, bPushed, false, bEnabled, true, false,
                             false, 5, NULL, false, 0, bTransparentBackground);
  PaintPushButton(dc, button);
  const CSize offset = GetPushedOffset();
  if (bPushed)
    ::OffsetRect(&rc, offset.cx, offset.cy);
  const ChevronGlyphs g = PlaceChevronGlyphs(rc, bHorz, arrow, chevron, ChevronGap(offset, bHorz), bXp);
  if (bEnabled) {
    const COLORREF colors[2] = {0, ColorByLogicalId(1010)};
    PaintGlyph(dc, g.ptArrow.x, g.ptArrow.y, *g.pArrow, colors);
    if (!bAllContentVisible)
      PaintGlyph(dc, g.ptChevron.x, g.ptChevron.y, *g.pChevron, colors);
    return;
  }
  const COLORREF colorsLight[2] = {0, ColorByLogicalId(COLOR_3DHILIGHT)};
  const COLORREF colorsShadow[2] = {0, ColorByLogicalId(COLOR_3DSHADOW)};
  PaintGlyph(dc, g.ptArrow.x + 1, g.ptArrow.y + 1, *g.pArrow, colorsLight);
  PaintGlyph(dc, g.ptArrow.x, g.ptArrow.y, *g.pArrow, colorsShadow);
}

void CExtPaintManager::PaintContentExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bAllContentVisible,
                                                bool bEnabled, bool bPushed, bool bHover, CObject*, LPARAM,
                                                bool bTransparentBackground) {
  PaintChevronButton(dc, rc, bHorz, bAllContentVisible, bEnabled, bPushed, bHover, bTransparentBackground,
                     GetNamedGlyph(bHorz ? NG_ARROW_DOWN_5X3 : NG_ARROW_RIGHT_3X5),
                     GetNamedGlyph(bHorz ? NG_CHEVRON_8X5 : NG_CHEVRON_5X8), false);
}

void CExtPaintManagerXP::PaintContentExpandButton(CDC& dc, const RECT& rc, bool bHorz,
                                                  bool bAllContentVisible, bool bEnabled, bool bPushed,
                                                  bool bHover, CObject*, LPARAM,
                                                  bool bTransparentBackground) {
  PaintChevronButton(dc, rc, bHorz, bAllContentVisible, bEnabled, bPushed, bHover, bTransparentBackground,
                     bHorz ? *m_pGlyphArrow : *m_pGlyphArrowTurned,
                     bHorz ? *m_pGlyphChevron : *m_pGlyphChevronTurned, true);
}

void CExtPaintManagerOffice2003::PaintContentExpandButton(CDC& dc, const RECT& rcIn, bool bHorz,
                                                          bool bAllContentVisible, bool bEnabled,
                                                          bool bPushed, bool bHover, CObject* pHelperSrc,
                                                          LPARAM lParam, bool bTransparentBackground) {
  const auto* pBar = dynamic_cast<const CExtControlBarSite*>(pHelperSrc);
  const bool bRoundedFace = pBar != NULL && pBar->GetBarKind() == CExtControlBarSite::BAR_TOOL &&
                            !pBar->IsFloating() && GetScreenBitsPerPixel() > 8 &&
                            HasDockerBackground(pHelperSrc, lParam);
  const RECT rc = NormalizedRect(rcIn);
  if (!bRoundedFace || !dc.RectVisible(&rc) ||
      !PaintRoundedChevron(dc, rc, bHorz, bAllContentVisible, bEnabled, bPushed, bHover, pHelperSrc, lParam))
    CExtPaintManagerXP::PaintContentExpandButton(dc, rc, bHorz, bAllContentVisible, bEnabled, bPushed, bHover,
                                                 pHelperSrc, lParam, bTransparentBackground);
}

bool CExtPaintManagerOffice2003::PaintRoundedChevron(CDC& dc, const RECT& rc, bool bHorz,
                                                     bool bAllContentVisible, bool bEnabled, bool bPushed,
                                                     bool bHover, CObject* pHelperSrc, LPARAM lParam) {
  auto C = [&](int nId) { return ColorByLogicalId(nId, pHelperSrc, lParam); };
  // The face rounds off the bar's far end: one rounded rectangle over the button and a second
  // one reaching back into the bar squares the near corners.
  const CSize spacing = GetToolBarButtonSpacing();
  const int nCorner = 2 * std::max<int>(spacing.cx, spacing.cy);
  RECT rcNear = rc;
  (bHorz ? rcNear.left : rcNear.top) -= nCorner;
  (bHorz ? rcNear.right : rcNear.bottom) -= nCorner;
  CRgn rgnFar, rgnNear, rgnFace;
  if (!rgnFar.CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, nCorner, nCorner) ||
      !rgnNear.CreateRectRgnIndirect(&rcNear) || !rgnFace.CreateRectRgn(0, 0, 0, 0) ||
      rgnFace.CombineRgn(&rgnFar, &rgnNear, RGN_OR) == ERROR)
    return false;
  CRgn rgnClip;
  if (!rgnClip.CreateRectRgnIndirect(&rc) || rgnClip.CombineRgn(&rgnClip, &rgnFace, RGN_AND) == ERROR)
    return false;
  CExtDcSaveGuard guard(dc);
  ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnClip.m_hObject, RGN_AND);
  // A disabled button never shows the hover or pressed face.
  const bool bHot = bEnabled && (bHover || bPushed);
  COLORREF clr1, clr2;
  if (bHot && GetButtonGradient(bHover, bPushed, clr1, clr2, pHelperSrc, lParam)) {
    PaintGradientRect(dc, rc, clr1, clr2, bHorz);
  } else if (bHorz) {
    PaintGradientRect(dc, rc, C(3005), C(3004), true);
  } else {
    PaintGradientRect(dc, rc, C(3004), C(3005), false);
  }
  if (!bHot && !IsThemedDrawingAvailable()) {
    RECT rcPart = rc;
    if (bHorz)
      rcPart.top = rc.bottom - ::MulDiv(rc.bottom - rc.top, 3, 5);
    else
      rcPart.left = rc.right - ::MulDiv(rc.right - rc.left, 3, 5);
    dc.FillSolidRect(&rcPart, C(3005));
  }
  const GlyphBuffer& arrow = bHorz ? *m_pGlyphArrow : *m_pGlyphArrowTurned;
  const GlyphBuffer& chevron = bHorz ? *m_pGlyphChevron : *m_pGlyphChevronTurned;
  const ChevronGlyphs g =
      PlaceChevronGlyphs(rc, bHorz, arrow, chevron, ChevronGap(GetPushedOffset(), bHorz), true);
  const COLORREF colorsFirst[2] = {0, C(3012)}, colorsSecond[2] = {0, C(3013)};
  for (int i = 0; i < 2; ++i) {
    const COLORREF* pColors = i == 0 ? colorsFirst : colorsSecond;
    PaintGlyph(dc, g.ptArrow.x + i, g.ptArrow.y + i, arrow, pColors);
    if (!bAllContentVisible && bEnabled)
      PaintGlyph(dc, g.ptChevron.x + i, g.ptChevron.y + i, chevron, pColors);
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The hidden-items row of a popup menu.

void CExtPaintManager::PaintMenuExpandButton(CDC& dc, const RECT& rcRow, bool bSelected, CObject* pPopup,
                                             LPARAM lParam) {
  RECT rc = rcRow;
  rc.left += 1, rc.right -= 1;
  if (::IsRectEmpty(&rc) || !dc.RectVisible(&rc))
    return;
  if (bSelected) {
    CExtDcSaveGuard guard(dc);
    dc.FillRect(&rc, &m_brushLightDefault);
    dc.Draw3dRect(&rc, ColorByLogicalId(1004, pPopup, lParam), ColorByLogicalId(1006, pPopup, lParam));
  } else {
    MenuItemPaintData row(pPopup, rc, rc, 0, "", "", NULL, false, false, false, false, false, true, false,
                          false, false, 0, NULL);
    row.lParam = lParam;
    PaintMenuItem(dc, row);
  }
  PaintMenuExpandGlyph(dc, rc, pPopup, lParam);
}

void CExtPaintManager::PaintMenuExpandGlyph(CDC& dc, const RECT& rc, CObject* pPopup, LPARAM lParam) {
  const COLORREF colors[2] = {0, ColorByLogicalId(1010, pPopup, lParam)};
  PaintGlyphCentered(dc, rc, GetNamedGlyph(NG_CHEVRON_5X8), colors);
}

void CExtPaintManagerXP::PaintMenuExpandButton(CDC& dc, const RECT& rcRow, bool bSelected, CObject* pPopup,
                                               LPARAM lParam) {
  RECT rc = rcRow;
  rc.left += 1, rc.right -= 1;
  if (::IsRectEmpty(&rc) || !dc.RectVisible(&rc))
    return;
  if (bSelected) {
    PushButtonPaintData button(pPopup, true, rc, "", NULL, true, false, true, false, false, true, false,
                               false, 0);
    button.lParam = lParam;
    PaintPushButton(dc, button);
    const CSize offset = GetPushedOffset();
    ::OffsetRect(&rc, offset.cx, offset.cy);
  } else {
    // The row continues the menu's icon column, as wide as its last item's.
    int nIconAreaWidth = 0;
    if (const auto* pItems = dynamic_cast<const CExtPopupMenuItemsSite*>(pPopup)) {
      const int nLast = pItems->GetItemCount() - 1;
      if (nLast >= 0 && (pItems->GetItemState(nLast) & CExtPopupMenuItemsSite::ITEM_STATE_NO_ICON_AREA) == 0)
        nIconAreaWidth = pItems->GetItemIconAreaWidth(nLast);
    }
    MenuItemPaintData row(pPopup, rc, rc, nIconAreaWidth, "", "", NULL, false, false, false, false, false,
                          true, true, false, false, 0, NULL);
    row.lParam = lParam;
    PaintMenuItem(dc, row);
  }
  PaintMenuExpandGlyph(dc, rc, pPopup, lParam);
}

namespace {

// A rounded 16 x 16 backdrop: 255 leaves the pixel, lower weights move the lower colour towards
// the upper one, more towards the top.
const BYTE* BackdropWeights() {
  static BYTE weights[kBackdropSize * kBackdropSize];
  static bool bBuilt = false;
  if (!bBuilt) {
    const double dCentre = (kBackdropSize - 1) / 2.0, dRadius = 3.5, dHalf = kBackdropSize / 2.0;
    for (int y = 0; y < kBackdropSize; ++y)
      for (int x = 0; x < kBackdropSize; ++x) {
        // Distance outside the square shrunk by the corner radius.
        const double dx = std::max(0.0, std::abs(x - dCentre) - (dHalf - dRadius - 0.5));
        const double dy = std::max(0.0, std::abs(y - dCentre) - (dHalf - dRadius - 0.5));
        const bool bInside = dx * dx + dy * dy <= dRadius * dRadius;
        weights[y * kBackdropSize + x] =
            bInside ? (BYTE)(254 - y * 254 / (kBackdropSize - 1)) : kBackdropClear;
      }
    bBuilt = true;
  }
  return weights;
}

} // namespace

void CExtPaintManagerOffice2003::PaintMenuExpandGlyph(CDC& dc, const RECT& rc, CObject* pPopup,
                                                      LPARAM lParam) {
  if (GetScreenBitsPerPixel() > 8) {
    const COLORREF clrBase = ColorByLogicalId(3035, pPopup, lParam),
                   clrTo = ColorByLogicalId(3034, pPopup, lParam);
    const int x0 = rc.left + (rc.right - rc.left - kBackdropSize) / 2;
    const int y0 = rc.top + (rc.bottom - rc.top - kBackdropSize) / 2;
    const BYTE* pWeights = BackdropWeights();
    auto move = [](int from, int to, int w) { return from + (to - from) * w / 255; };
    for (int y = 0; y < kBackdropSize; ++y)
      for (int x = 0; x < kBackdropSize; ++x) {
        const int w = pWeights[y * kBackdropSize + x];
        if (w == kBackdropClear)
          continue;
        ::SetPixel(dc.m_hDC, x0 + x, y0 + y,
                   RGB(move(GetRValue(clrBase), GetRValue(clrTo), w),
                       move(GetGValue(clrBase), GetGValue(clrTo), w),
                       move(GetBValue(clrBase), GetBValue(clrTo), w)));
      }
  }
  CExtPaintManagerXP::PaintMenuExpandGlyph(dc, rc, pPopup, lParam);
}
