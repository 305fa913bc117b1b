// The glyphs of window commands on the menu bar, the classic glyph button, the frames of docked
// and floating control bars, the borders of status and dock bars, and the colour icons of the
// colour pickers.
#include "framework/frame/fw_frame.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintDrawHelpers.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

namespace {

// The built-in glyph of a window command; -1 for a command without one.
int SysCommandGlyph(UINT nSysCommandId) {
  switch (nSysCommandId) {
  case SC_MINIMIZE:
    return GLYPH_MINIMIZE;
  case SC_MAXIMIZE:
    return GLYPH_MAXIMIZE;
  case SC_CLOSE:
    return GLYPH_CLOSE;
  case SC_RESTORE:
    return GLYPH_RESTORE;
  case SC_CONTEXTHELP:
    return GLYPH_HELP;
  default:
    return -1;
  }
}

RECT OffsetBy(const RECT& rcIn, int dx, int dy) {
  RECT rc = rcIn;
  ::OffsetRect(&rc, dx, dy);
  return rc;
}

// A tool bar that lets its parent paint its background keeps its frame area too.
bool IsInheritingToolBar(CObject* pSource) {
  const auto* pBar = dynamic_cast<const CExtControlBarSite*>(pSource);
  return pBar != NULL && pBar->GetBarKind() != CExtControlBarSite::BAR_CONTROL && pBar->HasDockSite() &&
         (pBar->GetOptionBits() & CExtControlBarSite::OPT_INHERIT_BACKGROUND) != 0;
}

// The one-pixel border lines of a bar's CBRS_BORDER_* bits, the 3-D bit doubling each of them.
void PaintBorderLines(CDC& dc, const RECT& rc, DWORD dwStyle, COLORREF clr) {
  if ((dwStyle & CBRS_BORDER_ANY) == 0)
    return;
  const int nBorder = ::GetSystemMetrics(SM_CYBORDER);
  const int yTop = rc.top + ((dwStyle & CBRS_BORDER_TOP) != 0 ? nBorder : 0);
  const int yBottom = rc.bottom - ((dwStyle & CBRS_BORDER_BOTTOM) != 0 ? nBorder : 0);
  const int cx = rc.right - rc.left, cy = yBottom - yTop;
  const int nLayers = (dwStyle & CBRS_BORDER_3D) != 0 ? 2 : 1;
  for (int i = 0; i < nLayers; ++i) {
    if ((dwStyle & CBRS_BORDER_LEFT) != 0)
      dc.FillSolidRect(rc.left + i, yTop, 1, cy, clr);
    if ((dwStyle & CBRS_BORDER_TOP) != 0)
      dc.FillSolidRect(rc.left, rc.top + i, cx, 1, clr);
    if ((dwStyle & CBRS_BORDER_RIGHT) != 0)
      dc.FillSolidRect(rc.right - 1 - i, yTop, 1, cy, clr);
    if ((dwStyle & CBRS_BORDER_BOTTOM) != 0)
      dc.FillSolidRect(rc.left, rc.bottom - 1 - i, cx, 1, clr);
  }
}

void FillWithBrush(CDC& dc, const RECT& rc, COLORREF clr) {
  CBrush brush(clr);
  dc.FillRect(&rc, &brush);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Window-command glyphs and the classic glyph button.

void CExtPaintManager::PaintDropDownArrow(CDC& dc, UINT nSysCommandId, const RECT& rc, bool bHover,
                                          bool bPushed, bool bEnabled) {
  CExtDcTextState state(dc);
  const int nGlyph = SysCommandGlyph(nSysCommandId);
  if (nGlyph < 0)
    return;
  const GlyphBuffer& glyph = GetBuiltinGlyph(nGlyph);
  const CSize offset = bPushed ? GetPushedOffset() : CSize(0, 0);
  const RECT rcGlyph = OffsetBy(rc, offset.cx, offset.cy);
  if (bEnabled) {
    const COLORREF colors[2] = {0, ColorByLogicalId(bHover ? COLOR_HIGHLIGHTTEXT : 1010)};
    PaintGlyphCentered(dc, rcGlyph, glyph, colors);
    return;
  }
  const COLORREF colorsLight[2] = {0, ColorByLogicalId(1004)}, colorsDark[2] = {0, ColorByLogicalId(1006)};
  PaintGlyphCentered(dc, OffsetBy(rcGlyph, 1, 1), glyph, colorsLight);
  PaintGlyphCentered(dc, rcGlyph, glyph, colorsDark);
}

void CExtPaintManagerXP::PaintDropDownArrow(CDC& dc, UINT nSysCommandId, const RECT& rc, bool bHover,
                                            bool bPushed, bool bEnabled) {
  CExtDcTextState state(dc);
  const int nGlyph = SysCommandGlyph(nSysCommandId);
  if (nGlyph < 0)
    return;
  const GlyphBuffer& glyph = GetBuiltinGlyph(nGlyph);
  const CSize offset = bPushed ? GetPushedOffset() : CSize(0, 0);
  RECT rcGlyph = OffsetBy(rc, offset.cx, offset.cy);
  const COLORREF colorsShadow[2] = {0, ColorByLogicalId(COLOR_3DSHADOW)};
  if (!bEnabled) {
    PaintGlyphCentered(dc, rcGlyph, glyph, colorsShadow);
    return;
  }
  // The hot glyph lifts off its shadow.
  if ((m_nFlags & PMF_WIN2000_OR_LATER) != 0 && bHover && !bPushed) {
    PaintGlyphCentered(dc, rcGlyph, glyph, colorsShadow);
    ::OffsetRect(&rcGlyph, -2, -2);
  }
  const COLORREF colors[2] = {0, ColorByLogicalId(1010)};
  PaintGlyphCentered(dc, rcGlyph, glyph, colors);
}

// A disabled glyph button shows neither hover nor press: its edges would offer a click it ignores.
void CExtPaintManager::PaintGlyphButton(CDC& dc, bool bHorz, const RECT& rc, bool bEnabled, bool bHover,
                                        bool bPushed, CObject* pHelperSrc, LPARAM lParam) {
  CExtDcTextState state(dc);
  if (::IsRectEmpty(&rc) || !dc.RectVisible(&rc))
    return;
  auto C = [&](int nId) { return ColorByLogicalId(nId, pHelperSrc, lParam); };
  dc.FillSolidRect(&rc, C(COLOR_3DFACE));
  int outer[2] = {COLOR_3DHILIGHT, COLOR_3DSHADOW}, inner[2] = {COLOR_3DFACE, COLOR_3DFACE};
  RECT rcGlyph = rc;
  if (bEnabled && bPushed) {
    ::OffsetRect(&rcGlyph, 1, 1);
    outer[0] = COLOR_3DDKSHADOW, outer[1] = COLOR_3DHILIGHT, inner[0] = COLOR_3DSHADOW,
    inner[1] = COLOR_3DFACE;
  } else if (bEnabled && bHover) {
    outer[0] = COLOR_3DFACE, outer[1] = COLOR_3DDKSHADOW, inner[0] = COLOR_3DHILIGHT,
    inner[1] = COLOR_3DSHADOW;
  }
  const int nGlyph = bHorz ? (bEnabled ? GLYPH_ARROW_UP : GLYPH_ARROW_DOWN)
                           : (bEnabled ? GLYPH_ARROW_LEFT : GLYPH_ARROW_RIGHT);
  const COLORREF colors[2] = {0, C(COLOR_BTNTEXT)};
  PaintGlyphCentered(dc, rcGlyph, GetBuiltinGlyph(nGlyph), colors);
  dc.Draw3dRect(&rc, C(outer[0]), C(outer[1]));
  const RECT rcInner = InflatedRect(rc, -1, -1);
  dc.Draw3dRect(&rcInner, C(inner[0]), C(inner[1]));
}

void CExtPaintManagerXP::PaintGlyphButton(CDC&, bool, const RECT&, bool, bool, bool, CObject*, LPARAM) {}

// ---------------------------------------------------------------------------------------------
// Docking frames.

void CExtPaintManager::PaintDockingFrame(CDC& dc, DockingFramePaintData& d) {
  CExtDcTextState state(dc);
  if (::IsRectEmpty(&d.windowRect))
    return;
  CExtDcSaveGuard guard(dc);
  dc.ExcludeClipRect(&d.clientRect);
  if (IsInheritingToolBar(d.sourceObject))
    return;
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  RECT rc = d.windowRect;
  dc.FillSolidRect(&rc, C(1000));
  if (d.floating) {
    dc.Draw3dRect(&rc, C(1000), C(1008));
    ::InflateRect(&rc, -1, -1);
    dc.Draw3dRect(&rc, C(1004), C(1006));
  } else if (!d.resizable) {
    dc.Draw3dRect(&rc, C(1004), C(1006));
  }
}

namespace {

// The dotted outline of a docked bar on palette screens: a pen whose brush is a checkerboard in
// the DC's text and background colours, or a plain pen when that cannot be made.
void PaintDottedOutline(CDC& dc, const RECT& rc, bool bPlainRectangle, COLORREF clrSolid) {
  static const WORD kCheckerRows[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  CBitmap bmpChecker;
  CPen pen;
  if (bmpChecker.CreateBitmap(8, 8, 1, 1, kCheckerRows)) {
    LOGBRUSH lb = {BS_PATTERN, 0, (ULONG_PTR)bmpChecker.GetSafeHandle()};
    pen.ExtCreatePen(PS_GEOMETRIC, 1, &lb);
  }
  if (pen.GetSafeHandle() == NULL)
    pen.CreatePen(PS_SOLID, 1, clrSolid);
  if (pen.GetSafeHandle() != NULL)
    dc.SelectObject(&pen);
  else
    dc.SelectStockObject(BLACK_PEN);
  const LONG l = rc.left, t = rc.top, r = rc.right, b = rc.bottom;
  if (bPlainRectangle) {
    const POINT pts[5] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}};
    dc.Polyline(pts, 5);
  } else {
    const POINT pts[9] = {{l + 2, t},     {r - 3, t}, {r - 1, t + 2}, {r - 1, b - 3}, {r - 3, b - 1},
                          {l + 2, b - 1}, {l, b - 3}, {l, t + 2},     {l + 2, t}};
    dc.Polyline(pts, 9);
  }
  dc.SelectStockObject(BLACK_PEN);
}

} // namespace

void CExtPaintManagerXP::PaintDockingFrame(CDC& dc, DockingFramePaintData& d) {
  CExtDcTextState state(dc);
  if (::IsRectEmpty(&d.windowRect))
    return;
  CExtDcSaveGuard guard(dc);
  dc.ExcludeClipRect(&d.clientRect);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  RECT rc = d.windowRect;
  const COLORREF clrShadow = C(COLOR_3DSHADOW);
  if (d.floating) {
    dc.FillSolidRect(&rc, C(d.resizable ? 2008 : 2009));
    PaintRing(dc, rc, clrShadow);
    ::InflateRect(&rc, -1, -1);
    PaintRing(dc, rc, clrShadow);
    // Softened corners.
    ::InflateRect(&rc, -1, -1);
    for (const POINT& pt : {POINT{rc.left, rc.top}, POINT{rc.right - 1, rc.top},
                            POINT{rc.left, rc.bottom - 1}, POINT{rc.right - 1, rc.bottom - 1}})
      dc.SetPixel(pt, clrShadow);
    return;
  }
  if (IsInheritingToolBar(d.sourceObject))
    return;
  dc.FillSolidRect(&rc, C(1000));
  if (!d.resizable)
    PaintRing(dc, rc, C(COLOR_3DFACE));
  if (!d.noDottedOutline && GetScreenBitsPerPixel() <= 8) {
    dc.SetTextColor(clrShadow);
    dc.SetBkColor(C(1000));
    PaintDottedOutline(dc, rc, (m_nFlags & PMF_DOCKER_BACKGROUND) != 0, clrShadow);
  }
}

// A docked bar shows the docking area's gradient through its frame.
void CExtPaintManagerOffice2003::PaintDockingFrame(CDC& dc, DockingFramePaintData& d) {
  if (!d.floating && dynamic_cast<const CExtControlBarSite*>(d.sourceObject) != NULL &&
      GetScreenBitsPerPixel() > 8)
    return;
  CExtPaintManagerXP::PaintDockingFrame(dc, d);
}

// ---------------------------------------------------------------------------------------------
// Bar borders. The lines follow the bar's rectangle wherever it lies in the DC.

void CExtPaintManager::PaintControlBarBorders(CDC& dc, ControlBarBordersPaintData& d) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  if (d.kind == ControlBarBordersPaintData::KIND_PLAIN_FRAME)
    dc.Draw3dRect(&d.rect, C(1006), C(1004));
  else
    PaintBorderLines(dc, d.rect, d.style, C(1000));
}

void CExtPaintManagerXP::PaintControlBarBorders(CDC& dc, ControlBarBordersPaintData& d) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, d.sourceObject, d.lParam); };
  if (d.kind == ControlBarBordersPaintData::KIND_PLAIN_FRAME)
    PaintRing(dc, d.rect, C(COLOR_3DSHADOW));
  else
    PaintBorderLines(dc, d.rect, d.style, C(1000));
}

// The plain frame takes the dark line of the theme's etched separators.
void CExtPaintManagerOffice2003::PaintControlBarBorders(CDC& dc, ControlBarBordersPaintData& d) {
  CExtDcTextState state(dc);
  if (d.kind == ControlBarBordersPaintData::KIND_PLAIN_FRAME)
    PaintRing(dc, d.rect, ColorByLogicalId(3011, d.sourceObject, d.lParam));
  else
    CExtPaintManagerXP::PaintControlBarBorders(dc, d);
}

// ---------------------------------------------------------------------------------------------
// Colour icons.

HICON CExtPaintManager::CreateColorSampleIcon(COLORREF clr) {
  return CreateIcon16([clr](CDC& dcColor, CDC& dcMask) {
    FillWithBrush(dcColor, RECT{0, 0, 16, 16}, clr);
    dcMask.PatBlt(0, 0, 16, 16, BLACKNESS);
  });
}

HICON CExtPaintManager::CreateColorFrameIcon(COLORREF clr) {
  return CreateIcon16([clr](CDC& dcColor, CDC& dcMask) {
    dcMask.PatBlt(0, 0, 16, 16, WHITENESS);
    dcColor.PatBlt(0, 0, 16, 16, BLACKNESS);
    dcMask.PatBlt(1, 2, 14, 12, BLACKNESS);
    FillWithBrush(dcColor, RECT{1, 2, 15, 14}, clr);
    dcMask.PatBlt(3, 4, 10, 8, WHITENESS);
    dcColor.PatBlt(3, 4, 10, 8, BLACKNESS);
  });
}
