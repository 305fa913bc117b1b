// Small framed elements: the buttons of a control bar's caption, the sunken frame round an
// edit-like control and the drop-down button of a combo box, in the classic, XP and Office 2003
// looks.
#include "framework/dlg/fw_ctrl.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

namespace {

bool HasNoArea(const RECT& rc) { return rc.left == rc.right || rc.top == rc.bottom; }

// Even sides centre the odd-sized caption glyphs on whole pixels.
void MakeSidesEven(RECT& rc) {
  if ((rc.right - rc.left) % 2 != 0)
    ++rc.left;
  if ((rc.bottom - rc.top) % 2 != 0)
    ++rc.top;
}

// The part of the combo box's button that holds the arrow: its right-most thumb width.
RECT DropDownPart(const RECT& rc) {
  RECT rcDrop = rc;
  rcDrop.left = rc.right - ::GetSystemMetrics(SM_CXHTHUMB);
  return rcDrop;
}

CWnd* SourceWindow(CObject* pSource, const CRuntimeClass* pClass) {
  return pSource != NULL && pSource->IsKindOf(pClass) ? static_cast<CWnd*>(pSource) : NULL;
}

// The Marlett down arrow in a push button over the drop-down part. Its point size is scaled
// against the display's pixels per inch so that its pixel size never grows with the DPI.
void PaintComboArrow(CExtPaintManager& pm, CDC& dc, const RECT& rcDrop, bool bFlat, bool bHover, bool bPushed,
                     bool bEnabled) {
  CFont font;
  font.CreatePointFont(::MulDiv(60, 96, dc.GetDeviceCaps(LOGPIXELSY)), "Marlett", &dc);
  PushButtonPaintData button(&pm, true, rcDrop, "6", NULL, bFlat, bHover, bPushed, false, bEnabled, false,
                             false, false, 5, (HFONT)font.GetSafeHandle());
  pm.PaintPushButton(dc, button);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Caption buttons.

void CExtPaintManager::PaintBarNcAreaButton(CDC& dc, NcAreaButtonPaintData& d) {
  CExtDcTextState state(dc);
  if (HasNoArea(d.rect))
    return;
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const bool bHover = d.hover && d.enabled;
  const COLORREF clrFace = C(COLOR_3DFACE), clrShadow = C(COLOR_3DSHADOW), clrDark = C(COLOR_3DDKSHADOW),
                 clrLight = C(COLOR_3DHILIGHT);
  RECT rc = NormalizedRect(d.rect);
  MakeSidesEven(rc);
  if (d.glyph == GLYPH_CLOSE)
    d.glyph = GLYPH_CLOSE_SMALL;
  RECT rcFrame = d.floating ? rc : InflatedRect(rc, 1, 1);
  RECT rcFill = rcFrame;
  ::OffsetRect(&rcFill, -1, -1);
  dc.FillSolidRect(&rcFill, clrFace);
  RECT rcGlyph = rc;
  if (d.pushed)
    ::OffsetRect(&rcGlyph, 1, 1);
  const COLORREF colors[2] = {0, C(d.enabled ? COLOR_BTNTEXT : COLOR_3DSHADOW)};
  PaintGlyphCentered(dc, rcGlyph, GetBuiltinGlyph(d.glyph), colors);
  if (d.enabled && d.pushed) {
    dc.Draw3dRect(&rcFrame, clrShadow, clrLight);
  } else if (bHover) {
    dc.Draw3dRect(&rcFrame, clrFace, clrDark);
    ::InflateRect(&rcFrame, -1, -1);
    dc.Draw3dRect(&rcFrame, clrLight, clrShadow);
  } else {
    dc.Draw3dRect(&rcFrame, clrLight, clrShadow);
  }
}

void CExtPaintManagerXP::PaintBarNcAreaButton(CDC& dc, NcAreaButtonPaintData& d) {
  CExtDcTextState state(dc);
  if (HasNoArea(d.rect))
    return;
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const bool bHover = d.hover && d.enabled;
  int nInk = COLOR_BTNTEXT;
  if (!d.enabled)
    nInk = COLOR_3DSHADOW;
  else if (!bHover && !d.pushed)
    nInk = !d.inCaption || d.active ? COLOR_HIGHLIGHTTEXT : COLOR_3DDKSHADOW;
  RECT rc = NormalizedRect(d.rect);
  if (bHover || d.pushed) {
    dc.FillSolidRect(&rc, C(d.pushed ? 2003 : 1001));
    PaintRing(dc, InflatedRect(rc, 1, 1), C(d.active ? 2003 : 2004));
  }
  MakeSidesEven(rc);
  if (d.glyph == GLYPH_CLOSE && d.inCaption && !d.floating)
    d.glyph = GLYPH_CLOSE_BOLD;
  const COLORREF colors[2] = {0, C(nInk)};
  PaintGlyphCentered(dc, rc, GetBuiltinGlyph(d.glyph), colors);
}

// ---------------------------------------------------------------------------------------------
// Control frames: three rings in the window colour, then the edge ring and the outer ring.

namespace {

struct FrameRings {
  COLORREF edgeTopLeft, edgeBottomRight, outerTopLeft, outerBottomRight;
};

void PaintFrameRings(CDC& dc, const RECT& rcIn, COLORREF clrWindow, const FrameRings& rings) {
  RECT rc = rcIn;
  for (int i = 0; i < 3; ++i) {
    PaintRing(dc, rc, clrWindow);
    ::InflateRect(&rc, 1, 1);
  }
  dc.Draw3dRect(&rc, rings.edgeTopLeft, rings.edgeBottomRight);
  ::InflateRect(&rc, 1, 1);
  dc.Draw3dRect(&rc, rings.outerTopLeft, rings.outerBottomRight);
}

} // namespace

void CExtPaintManager::PaintControlFrame(CDC& dc, ControlFramePaintData& d) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const COLORREF clrFace = C(1000);
  FrameRings rings = {clrFace, clrFace, clrFace, clrFace};
  if (d.enabled && d.hover && d.focus)
    rings = {C(COLOR_3DDKSHADOW), C(COLOR_3DFACE), C(COLOR_3DSHADOW), C(COLOR_3DHILIGHT)};
  else if (d.enabled && (d.hover || d.focus))
    rings.edgeTopLeft = C(COLOR_3DSHADOW), rings.edgeBottomRight = C(COLOR_3DHILIGHT);
  PaintFrameRings(dc, d.rect, C(COLOR_WINDOW), rings);
}

void CExtPaintManagerXP::PaintControlFrame(CDC& dc, ControlFramePaintData& d) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const COLORREF clrEdge = C(d.enabled && (d.hover || d.focus) ? 2004 : 1000);
  const COLORREF clrOuter = C(d.enabled && d.hover && d.focus ? 2004 : 1000);
  PaintFrameRings(dc, d.rect, C(COLOR_WINDOW), FrameRings{clrEdge, clrEdge, clrOuter, clrOuter});
}

// The rings an idle edit does not light up give way to the docking area's background.
void CExtPaintManagerOffice2003::PaintControlFrame(CDC& dc, ControlFramePaintData& d) {
  CExtDcTextState state(dc);
  CExtPaintManagerXP::PaintControlFrame(dc, d);
  CWnd* pEdit = SourceWindow(d.sourceObject, RUNTIME_CLASS(CEdit));
  if (pEdit == NULL)
    return;
  const int nLit = d.enabled ? (d.hover ? 1 : 0) + (d.focus ? 1 : 0) : 0;
  const RECT rcKeep = InflatedRect(d.rect, 2 + nLit, 2 + nLit);
  CExtDcSaveGuard guard(dc);
  dc.ExcludeClipRect(&rcKeep);
  PaintDockerBackground(false, dc, pEdit, d.lParam);
}

// ---------------------------------------------------------------------------------------------
// Combo drop-down buttons.

void CExtPaintManager::PaintComboDropDownButton(CDC& dc, ComboButtonPaintData& d) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const bool bHot = d.hover || d.pushed;
  // A hot button keeps the theme's colours whatever the caller asked for.
  auto Override = [&](int nIndex, COLORREF clrTheme) {
    return bHot ? clrTheme : PickColor(d.colors[nIndex], clrTheme);
  };
  const COLORREF clrFace = C(1000), clrShadow = C(1004);
  const COLORREF clrStrip = Override(2, C(d.enabled ? COLOR_WINDOW : COLOR_3DFACE));
  RECT rc = d.rect;
  if (bHot)
    dc.Draw3dRect(&rc, C(1007), C(1005));
  else
    PaintRing(dc, rc, Override(0, clrFace));
  ::InflateRect(&rc, -1, -1);
  const COLORREF clrInner = d.enabled ? clrFace : clrShadow;
  PaintRing(dc, rc, clrInner);
  const RECT rcDrop = DropDownPart(rc);
  PaintRing(dc, rcDrop, clrFace);
  PaintRing(dc, InflatedRect(rcDrop, -1, -1), clrShadow);
  dc.FillSolidRect(rcDrop.left - 2, rc.top, 3, rc.bottom - rc.top, clrStrip);
  if (bHot)
    dc.FillSolidRect(&rcDrop, clrFace);
  PaintComboArrow(*this, dc, rcDrop, true, d.hover && !d.pushed, d.pushed, d.enabled);
  if (!bHot)
    PaintRing(dc, rc, clrInner);
}

void CExtPaintManagerXP::PaintComboDropDownButton(CDC& dc, ComboButtonPaintData& d) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const bool bHot = d.hover || d.pushed;
  auto Override = [&](int nIndex, COLORREF clrTheme) {
    return bHot ? clrTheme : PickColor(d.colors[nIndex], clrTheme);
  };
  const COLORREF clrHotFrame = C(2004);
  const COLORREF clrStrip = Override(2, C(d.enabled ? COLOR_WINDOW : COLOR_3DFACE));
  RECT rc = d.rect;
  if (!d.noOuterRing)
    PaintRing(dc, rc, bHot ? clrHotFrame : Override(0, C(2001)));
  ::InflateRect(&rc, -1, -1);
  PaintRing(dc, rc, clrStrip);
  const RECT rcDrop = DropDownPart(rc);
  dc.FillSolidRect(rcDrop.left - 2, rc.top, 3, rc.bottom - rc.top, clrStrip);
  dc.FillSolidRect(&rcDrop, Override(1, C(1000)));
  if (bHot)
    PaintRing(dc, rcDrop, clrHotFrame);
  const bool bFlat = d.colors[1] != (COLORREF)-1 && !bHot;
  PaintComboArrow(*this, dc, rcDrop, bFlat, d.hover && !d.pushed, d.pushed, d.enabled);
}

void CExtPaintManagerOffice2003::PaintComboDropDownButton(CDC& dc, ComboButtonPaintData& d) {
  CExtDcTextState state(dc);
  CWnd* pCombo = SourceWindow(d.sourceObject, RUNTIME_CLASS(CComboBox));
  CWnd* pBackground = pCombo;
  if (pBackground == NULL)
    if (const auto* pButton = dynamic_cast<const CExtBarButtonSite*>(d.sourceObject))
      pBackground = CWnd::FromHandle(pButton->GetBarSafeHwnd());
  const bool bOverrides =
      d.colors[0] != (COLORREF)-1 || d.colors[1] != (COLORREF)-1 || d.colors[2] != (COLORREF)-1;
  const bool bOwnLook = pBackground != NULL && d.enabled && !bOverrides &&
                        HasDockerBackground(d.sourceObject, d.lParam) && GetScreenBitsPerPixel() > 8;
  if (!bOwnLook) {
    CExtPaintManagerXP::PaintComboDropDownButton(dc, d);
    if (pCombo != NULL && !d.enabled) {
      CExtDcSaveGuard guard(dc);
      const RECT rcInner = InflatedRect(d.rect, -1, -1);
      dc.ExcludeClipRect(&rcInner);
      PaintDockerBackground(false, dc, pCombo, d.lParam);
    }
    return;
  }
  // The outer ring shows the docking area behind the bar, so the idle box has no border.
  bool bPainted = false;
  {
    CExtDcSaveGuard guard(dc);
    const RECT rcInner = InflatedRect(d.rect, -1, -1);
    CRgn rgnRing, rgnInner;
    rgnRing.CreateRectRgnIndirect(&d.rect);
    rgnInner.CreateRectRgnIndirect(&rcInner);
    rgnRing.CombineRgn(&rgnRing, &rgnInner, RGN_DIFF);
    dc.SelectClipRgn(&rgnRing, RGN_AND);
    bPainted = PaintDockerBackground(false, dc, pBackground, d.lParam);
  }
  if (!bPainted) {
    CExtPaintManagerXP::PaintComboDropDownButton(dc, d);
    return;
  }
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  const COLORREF clrWindow = C(COLOR_WINDOW);
  const RECT rc = InflatedRect(d.rect, -1, -1);
  PaintRing(dc, rc, clrWindow);
  RECT rcDrop = DropDownPart(rc);
  for (int i = 0; i < 4; ++i) {
    if (i > 0)
      --rcDrop.right;
    PaintRing(dc, rcDrop, clrWindow);
  }
  rcDrop = DropDownPart(rc);
  const bool bHot = d.hover || d.pushed;
  if (bHot)
    PaintRing(dc, rcDrop, C(2004));
  PaintComboArrow(*this, dc, rcDrop, !bHot, bHot, d.pushed, d.enabled);
}
