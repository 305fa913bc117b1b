// The tab window's client background and its small buttons (scroll, list, close, help), and
// the frame without corners that tab items are outlined with.
#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

namespace {

enum TabOrientation { TAB_TOP = 0, TAB_BOTTOM = 1, TAB_LEFT = 2, TAB_RIGHT = 3 };

// The tab area and its one-pixel line on the side the tabs hang from.
void PaintTabArea(CDC& dc, const RECT& rcTabArea, int nOrientation, COLORREF clrTabArea, COLORREF clrLine) {
  dc.FillSolidRect(&rcTabArea, clrTabArea);
  RECT rcLine = rcTabArea;
  switch (nOrientation) {
  case TAB_TOP:
    rcLine.bottom = rcLine.top + 1;
    break;
  case TAB_BOTTOM:
    rcLine.top = rcLine.bottom - 1;
    break;
  case TAB_LEFT:
    rcLine.right = rcLine.left + 1;
    break;
  case TAB_RIGHT:
    rcLine.left = rcLine.right - 1;
    break;
  default:
    return;
  }
  dc.FillSolidRect(&rcLine, clrLine);
}

// Tabs at the bottom or right are lit from the other side.
bool IsFarSide(int nOrientation) { return nOrientation == TAB_BOTTOM || nOrientation == TAB_RIGHT; }

// The built-in glyph of a tab-window button code; -1 for an unknown code.
int TabButtonGlyph(int nButtonCode, bool bVertical, bool bEnabled) {
  switch (nButtonCode) {
  case -10:
    return bVertical ? GLYPH_SCROLL_END_VERT : GLYPH_SCROLL_END;
  case -9:
    return bVertical ? GLYPH_SCROLL_HOME_VERT : GLYPH_SCROLL_HOME;
  case -8:
    return GLYPH_TAB_LIST;
  case -7:
    return GLYPH_CLOSE;
  case -6:
    return GLYPH_HELP;
  case -5:
    if (bVertical)
      return bEnabled ? GLYPH_ARROW_DOWN : GLYPH_ARROW_DOWN_HOLLOW;
    return bEnabled ? GLYPH_ARROW_RIGHT : GLYPH_ARROW_RIGHT_HOLLOW;
  case -4:
    if (bVertical)
      return bEnabled ? GLYPH_ARROW_UP : GLYPH_ARROW_UP_HOLLOW;
    return bEnabled ? GLYPH_ARROW_LEFT : GLYPH_ARROW_LEFT_HOLLOW;
  default:
    return -1;
  }
}

} // namespace

void CExtPaintManager::PaintTabAreaBackground(CDC& dc, const RECT& rcClient, const RECT& rcTabArea,
                                              int nOrientation, bool bNoTabArea, COLORREF clrFill,
                                              COLORREF clrTabArea, COLORREF clrLine) {
  CExtDcTextState state(dc);
  dc.FillSolidRect(&rcClient, clrFill);
  if (!bNoTabArea)
    PaintTabArea(dc, rcTabArea, nOrientation, clrTabArea, clrLine);
}

void CExtPaintManager::PaintCornerlessFrame(CDC& dc, int x, int y, int w, int h, COLORREF clrTopLeft,
                                            COLORREF clrBottomRight) {
  CExtDcTextState state(dc);
  dc.FillSolidRect(x + 1, y, w - 2, 1, clrTopLeft);
  dc.FillSolidRect(x, y + 1, 1, h - 2, clrTopLeft);
  dc.FillSolidRect(x + w - 1, y + 1, 1, h - 2, clrBottomRight);
  dc.FillSolidRect(x + 1, y + h - 1, w - 2, 1, clrBottomRight);
}

void CExtPaintManager::PaintTabWndBackground(CDC& dc, const RECT& rcClient, const RECT&,
                                             const RECT& rcTabArea, int nOrientation, bool bNoTabArea,
                                             CWnd* pTabWnd, LPARAM lParam) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, pTabWnd, lParam); };
  PaintTabAreaBackground(dc, rcClient, rcTabArea, nOrientation, bNoTabArea,
                         C(bNoTabArea ? COLOR_3DFACE : COLOR_3DSHADOW), C(COLOR_3DFACE),
                         C(IsFarSide(nOrientation) ? COLOR_3DDKSHADOW : COLOR_3DHILIGHT));
}

void CExtPaintManagerXP::PaintTabWndBackground(CDC& dc, const RECT& rcClient, const RECT&,
                                               const RECT& rcTabArea, int nOrientation, bool bNoTabArea,
                                               CWnd* pTabWnd, LPARAM lParam) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, pTabWnd, lParam); };
  PaintTabAreaBackground(dc, rcClient, rcTabArea, nOrientation, bNoTabArea,
                         C(GetScreenBitsPerPixel() <= 8 ? 2000 : 2001), C(2000),
                         C(IsFarSide(nOrientation) ? COLOR_3DSHADOW : COLOR_3DHILIGHT));
}

// Tab windows in the docking area continue its gradient instead of their own fill.
void CExtPaintManagerOffice2003::PaintTabWndBackground(CDC& dc, const RECT& rcClient, const RECT& rcItemsArea,
                                                       const RECT& rcTabArea, int nOrientation,
                                                       bool bNoTabArea, CWnd* pTabWnd, LPARAM lParam) {
  CExtDcTextState state(dc);
  const auto* pSite = dynamic_cast<const CExtTabWndSite*>(pTabWnd);
  const bool bDocker =
      pSite != NULL && GetScreenBitsPerPixel() >= 9 &&
      ((pSite->GetTabOptionBits() & CExtTabWndSite::TABOPT_DOCKER_BACKGROUND) != 0 ||
       pSite->WantsDockerBackground() || pSite->GetTabWndKind() != CExtTabWndSite::TAB_PLAIN);
  if (!bDocker) {
    CExtPaintManagerXP::PaintTabWndBackground(dc, rcClient, rcItemsArea, rcTabArea, nOrientation, bNoTabArea,
                                              pTabWnd, lParam);
    return;
  }
  if (!PaintDockerBackground(true, dc, pTabWnd, lParam)) {
    const HWND hTab = pTabWnd->GetSafeHwnd();
    HWND hFrame = pSite->GetParentFrameHwnd();
    if (hFrame == NULL)
      hFrame = ::GetParent(hTab);
    RECT rcGradient = rcClient;
    if (hFrame != NULL && ::GetClientRect(hFrame, &rcGradient))
      ::MapWindowPoints(hFrame, hTab, reinterpret_cast<POINT*>(&rcGradient), 2);
    PaintDockerBackgroundRect(true, dc, rcGradient, rcClient, lParam);
  }
  if (!bNoTabArea)
    PaintTabArea(dc, rcTabArea, nOrientation, ColorByLogicalId(1000, pTabWnd, lParam),
                 ColorByLogicalId(COLOR_3DSHADOW, pTabWnd, lParam));
}

// A disabled button shows neither hover nor press: its frame would offer a click it ignores.
void CExtPaintManager::PaintTabButton(CDC& dc, const RECT& rcButton, int nButtonCode, bool bVertical,
                                      bool bEnabled, bool bHover, bool bPushed, bool, CWnd* pTabWnd,
                                      LPARAM lParam) {
  CExtDcTextState state(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, pTabWnd, lParam); };
  const int nGlyph = TabButtonGlyph(nButtonCode, bVertical, bEnabled);
  if (nGlyph >= 0) {
    const COLORREF colors[2] = {0, C(bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW)};
    PaintGlyphCentered(dc, rcButton, GetBuiltinGlyph(nGlyph), colors);
  }
  if (!bEnabled || !(bHover || bPushed))
    return;
  const COLORREF clrDark = C(COLOR_3DDKSHADOW), clrLight = C(COLOR_3DHILIGHT);
  dc.Draw3dRect(&rcButton, bPushed ? clrDark : clrLight, bPushed ? clrLight : clrDark);
}
