// Small parts the status bar, resizable dialogs, the date picker and command icons ask for: the
// size grip, the date picker's separator, border and header, and the disabled-icon look.
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintDcState.h"

namespace {

bool IsVisible(CDC& dc, const RECT& rc) { return !::IsRectEmpty(&rc) && dc.RectVisible(&rc); }

void Line(CDC& dc, CPen& pen, int x0, int y0, int x1, int y1) {
  dc.SelectObject(&pen);
  dc.MoveTo(x0, y0);
  dc.LineTo(x1, y1);
}

const COLORREF kWhite = RGB(255, 255, 255);

} // namespace

COLORREF CExtPaintManager::GetDisabledIconColor() { return (COLORREF)-1; }

double CExtPaintManager::GetDisabledIconFactor() { return 0.0; }

void CExtPaintManager::PaintResizingGripper(CDC& dc, const RECT& rc, CObject*, LPARAM) {
  if (!IsVisible(dc, rc))
    return;
  CExtDcSaveGuard guard(dc);
  CPen penLight(PS_SOLID, 1, ColorByLogicalId(COLOR_WINDOW));
  CPen penDark(PS_SOLID, 1, ColorByLogicalId(COLOR_3DSHADOW));
  int x = rc.right - 2, y = rc.bottom - 3;
  for (int i = 0; i < 3; ++i, x -= 4, y -= 4) {
    Line(dc, penDark, x, rc.bottom - 1, rc.right, y);
    Line(dc, penDark, x - 1, rc.bottom - 1, rc.right, y - 1);
    Line(dc, penLight, x - 2, rc.bottom - 1, rc.right, y - 2);
  }
}

void CExtPaintManagerXP::PaintResizingGripper(CDC&, const RECT&, CObject*, LPARAM) {}

void CExtPaintManagerOffice2003::PaintResizingGripper(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                                      LPARAM lParam) {
  if (GetScreenBitsPerPixel() <= 8) {
    CExtPaintManager::PaintResizingGripper(dc, rc, pHelperSrc, lParam);
    return;
  }
  if (!IsVisible(dc, rc))
    return;
  CExtDcSaveGuard guard(dc);
  const COLORREF clrLight = ColorByLogicalId(3002), clrDark = ColorByLogicalId(3003);
  const int nDot = 2, nPitch = 4;
  // Three dots in the rightmost column, two in the next, one in the third; the light square of
  // the corner dot ends at the rectangle's bottom-right corner.
  for (int nColumn = 0; nColumn < 3; ++nColumn) {
    for (int nRow = 0; nRow < 3 - nColumn; ++nRow) {
      const int x = rc.right - nDot - nColumn * nPitch, y = rc.bottom - nDot - nRow * nPitch;
      dc.FillSolidRect(x, y, nDot, nDot, clrLight);
      dc.FillSolidRect(x - 1, y - 1, nDot, nDot, clrDark);
    }
  }
}

void CExtPaintManager::PaintDatePickerSeparator(CDC& dc, const RECT& rc, CObject*, LPARAM) {
  if (!IsVisible(dc, rc))
    return;
  CExtDcSaveGuard guard(dc);
  dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_3DSHADOW));
}

void CExtPaintManager::PaintDatePickerBorder(CDC& dc, const RECT& rc, CObject*, LPARAM) {
  if (!IsVisible(dc, rc))
    return;
  CExtDcSaveGuard guard(dc);
  const COLORREF F = ColorByLogicalId(COLOR_3DFACE), S = ColorByLogicalId(COLOR_3DSHADOW),
                 D = ColorByLogicalId(COLOR_3DDKSHADOW);
  const COLORREF rings[4][2] = {{F, D}, {kWhite, S}, {F, F}, {S, kWhite}};
  CRect rcRing(rc);
  for (const auto& ring : rings) {
    dc.Draw3dRect(&rcRing, ring[0], ring[1]);
    rcRing.DeflateRect(1, 1);
  }
}

void CExtPaintManagerXP::PaintDatePickerBorder(CDC&, const RECT&, CObject*, LPARAM) {}

void CExtPaintManagerOffice2003::PaintDatePickerBorder(CDC& dc, const RECT& rc, CObject*, LPARAM) {
  if (!IsVisible(dc, rc))
    return;
  CExtDcSaveGuard guard(dc);
  const COLORREF clr = ColorByLogicalId(COLOR_3DSHADOW);
  dc.Draw3dRect(&rc, clr, clr);
}

void CExtPaintManager::PaintDatePickerHeaderBackground(int, int, CDC& dc, int, int, const RECT& rcHeader,
                                                       const RECT& rcHeaderInner, const RECT&, const RECT&,
                                                       const RECT&, CObject*, LPARAM) {
  if (!IsVisible(dc, rcHeader))
    return;
  CExtDcSaveGuard guard(dc);
  dc.Draw3dRect(&rcHeader, kWhite, ColorByLogicalId(COLOR_3DSHADOW));
  dc.FillSolidRect(&rcHeaderInner, ColorByLogicalId(1000));
}

void CExtPaintManagerOffice2003::PaintDatePickerHeaderBackground(int, int, CDC& dc, int, int,
                                                                 const RECT& rcHeader,
                                                                 const RECT& rcHeaderInner, const RECT&,
                                                                 const RECT&, const RECT&, CObject*, LPARAM) {
  if (!IsVisible(dc, rcHeader))
    return;
  CExtDcSaveGuard guard(dc);
  dc.FillSolidRect(&rcHeaderInner, ColorByLogicalId(1000));
}
