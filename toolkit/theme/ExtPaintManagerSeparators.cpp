// Separators, frames and marks: the small line drawings of menus, bars and tab windows (borders
// next to the MDI client, insertion marks, drag frames, menu separators and borders, the joint of
// a popup menu and the bar button that opened it, divider lines).
#include "toolkit/theme/ExtMenuJointSource.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include "toolkit/theme/ExtPaintDcState.h"

namespace {

void Fill(CDC& dc, int left, int top, int right, int bottom, COLORREF clr) {
  dc.FillSolidRect(left, top, right - left, bottom - top, clr);
}

enum JointSide { JOINT_BELOW = 1, JOINT_ABOVE = 2, JOINT_LEFT = 3, JOINT_RIGHT = 4 };

// Moves the rectangle's edge that faces the menu by n pixels towards it.
void ExtendTowardsMenu(CRect& rc, int nSide, int n) {
  switch (nSide) {
  case JOINT_BELOW:
    rc.bottom += n;
    break;
  case JOINT_ABOVE:
    rc.top -= n;
    break;
  case JOINT_LEFT:
    rc.left -= n;
    break;
  case JOINT_RIGHT:
    rc.right += n;
    break;
  }
}

// The four one-pixel edges of rc in the given colours, leaving out the edge facing the menu;
// the edges next to the open side run right up to it.
void OpenFrame(CDC& dc, const CRect& rc, int nSide, COLORREF clrTop, COLORREF clrLeft, COLORREF clrRight,
               COLORREF clrBottom) {
  if (nSide != JOINT_ABOVE)
    Fill(dc, rc.left, rc.top, rc.right, rc.top + 1, clrTop);
  if (nSide != JOINT_LEFT)
    Fill(dc, rc.left, rc.top, rc.left + 1, rc.bottom, clrLeft);
  if (nSide != JOINT_RIGHT)
    Fill(dc, rc.right - 1, rc.top, rc.right, rc.bottom, clrRight);
  if (nSide != JOINT_BELOW)
    Fill(dc, rc.left, rc.bottom - 1, rc.right, rc.bottom, clrBottom);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Tab-window borders and marks.

void CExtPaintManager::PaintTabMdiClientBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam) {
  CExtDcSaveGuard guard(dc);
  dc.Draw3dRect(&rc, ColorByLogicalId(COLOR_3DSHADOW, pHelperSrc, lParam),
                ColorByLogicalId(COLOR_3DHILIGHT, pHelperSrc, lParam));
}

void CExtPaintManagerXP::PaintTabMdiClientBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                                 LPARAM lParam) {
  CExtDcSaveGuard guard(dc);
  const COLORREF clr = ColorByLogicalId(COLOR_3DSHADOW, pHelperSrc, lParam);
  dc.Draw3dRect(&rc, clr, clr);
}

void CExtPaintManager::PaintTabBorderSecondary(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam) {
  CExtPaintManager::PaintTabMdiClientBorder(dc, rc, pHelperSrc, lParam);
}

void CExtPaintManagerXP::PaintTabBorderSecondary(CDC& dc, const RECT& rc, CObject* pHelperSrc,
                                                 LPARAM lParam) {
  CExtPaintManagerXP::PaintTabMdiClientBorder(dc, rc, pHelperSrc, lParam);
}

// A two-pixel bar on the rectangle's start or end edge with a serif at each end: the serif row is
// the mark's full width, the row next to it two pixels narrower.
void CExtPaintManager::PaintInsertionMark(CDC& dc, const RECT& rc, bool bAtStart, bool bVertical) {
  const CSize size = GetInsertionMarkSize();
  const COLORREF clr = ColorByLogicalId(COLOR_BTNTEXT);
  CExtDcSaveGuard guard(dc);
  if (bVertical) {
    const int top = rc.top - 1, bottom = rc.bottom + 1, x = bAtStart ? rc.left : rc.right;
    const int nHalf = size.cx / 2;
    Fill(dc, x - 1, top, x + 1, bottom, clr);
    Fill(dc, x - nHalf, top - 1, x + nHalf, top, clr);
    Fill(dc, x - nHalf + 1, top - 1, x + nHalf - 1, top + 1, clr);
    Fill(dc, x - nHalf, bottom, x + nHalf, bottom + 1, clr);
    Fill(dc, x - nHalf + 1, bottom - 1, x + nHalf - 1, bottom + 1, clr);
  } else {
    const int left = rc.left - 1, right = rc.right + 1, y = bAtStart ? rc.top : rc.bottom;
    const int nHalf = size.cy / 2;
    Fill(dc, left, y - 1, right, y + 1, clr);
    Fill(dc, left - 1, y - nHalf, left, y + nHalf, clr);
    Fill(dc, left - 1, y - nHalf + 1, left + 1, y + nHalf - 1, clr);
    Fill(dc, right, y - nHalf, right + 1, y + nHalf, clr);
    Fill(dc, right - 1, y - nHalf + 1, right + 1, y + nHalf - 1, clr);
  }
}

void CExtPaintManager::PaintDragFrame(CDC& dc, const RECT& rc) {
  if (!dc.RectVisible(&rc))
    return;
  CExtDcSaveGuard guard(dc);
  const COLORREF clr = ColorByLogicalId(COLOR_BTNTEXT);
  CRect rcRing(rc);
  dc.Draw3dRect(&rcRing, clr, clr);
  rcRing.DeflateRect(1, 1);
  dc.Draw3dRect(&rcRing, clr, clr);
}

// ---------------------------------------------------------------------------------------------
// Separators.

void CExtPaintManager::PaintMenuSeparator(CDC& dc, const RECT& rc, int, bool bHalftone, CObject* pHelperSrc,
                                          LPARAM lParam) {
  if (::IsRectEmpty(&rc))
    return;
  CExtDcSaveGuard guard(dc);
  // Rows of the hidden-items group share the rarely-used rows' light blend.
  if (bHalftone)
    dc.FillRect(&rc, &m_brushLightDefault);
  else
    dc.FillSolidRect(&rc, ColorByLogicalId(1000, pHelperSrc, lParam));
  CRect rcLine(rc);
  const int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
  rcLine.DeflateRect(nInset, 0);
  rcLine.top += (rcLine.Height() - 2) / 2;
  rcLine.bottom = rcLine.top + 2;
  dc.Draw3dRect(&rcLine, ColorByLogicalId(bHalftone ? 1000 : 1006, pHelperSrc, lParam),
                ColorByLogicalId(1004, pHelperSrc, lParam));
}

void CExtPaintManager::PaintSeparator(CDC& dc, const RECT& rc, bool bVerticalLine, bool bNoBackground,
                                      CObject* pHelperSrc, LPARAM lParam) {
  CExtDcSaveGuard guard(dc);
  if (!bNoBackground)
    dc.FillSolidRect(&rc, ColorByLogicalId(1000, pHelperSrc, lParam));
  CRect rcLine(rc);
  if (bVerticalLine) {
    rcLine.left = (rc.left + rc.right) / 2 - 1;
    rcLine.right = rcLine.left + 2;
    rcLine.bottom -= 1;
  } else {
    rcLine.top = (rc.top + rc.bottom) / 2 - 1;
    rcLine.bottom = rcLine.top + 2;
    rcLine.right -= 1;
  }
  dc.Draw3dRect(&rcLine, ColorByLogicalId(1006, pHelperSrc, lParam),
                ColorByLogicalId(1004, pHelperSrc, lParam));
}

void CExtPaintManagerXP::PaintSeparator(CDC& dc, const RECT& rc, bool bVerticalLine, bool bNoBackground,
                                        CObject* pHelperSrc, LPARAM lParam) {
  CExtDcSaveGuard guard(dc);
  if (!bNoBackground)
    dc.FillSolidRect(&rc, ColorByLogicalId(1000, pHelperSrc, lParam));
  const COLORREF clr = ColorByLogicalId(2002, pHelperSrc, lParam);
  if (bVerticalLine) {
    const int x = rc.left + (rc.right - rc.left) / 2 - 1;
    Fill(dc, x, rc.top + 1, x + 1, rc.bottom - 1, clr);
  } else {
    const int y = rc.top + (rc.bottom - rc.top) / 2 - 1;
    Fill(dc, rc.left + 1, y, rc.right - 1, y + 1, clr);
  }
}

void CExtPaintManager::PaintDividerLine(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam) {
  if (rc.left >= rc.right || rc.top >= rc.bottom || !dc.RectVisible(&rc))
    return;
  CExtDcSaveGuard guard(dc);
  dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_3DSHADOW, pHelperSrc, lParam));
}

void CExtPaintManagerXP::PaintDividerLine(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam) {
  if (rc.left >= rc.right || rc.top >= rc.bottom || !dc.RectVisible(&rc))
    return;
  CExtDcSaveGuard guard(dc);
  dc.FillSolidRect(&rc, ColorByLogicalId(1000, pHelperSrc, lParam));
}

// ---------------------------------------------------------------------------------------------
// Popup-menu borders and the joint with the bar button.

void CExtPaintManager::PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam) {
  if (::IsRectEmpty(&rc))
    return;
  CExtDcSaveGuard guard(dc);
  auto C = [&](int nId) { return ColorByLogicalId(nId, pHelperSrc, lParam); };
  CRect rcRing(rc);
  dc.Draw3dRect(&rcRing, C(1008), C(1000));
  rcRing.DeflateRect(1, 1);
  dc.Draw3dRect(&rcRing, C(1006), C(1004));
  for (int i = 0; i < 2; ++i) {
    rcRing.DeflateRect(1, 1);
    dc.Draw3dRect(&rcRing, C(1000), C(1000));
  }
}

void CExtPaintManagerXP::PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam) {
  if (::IsRectEmpty(&rc))
    return;
  CExtDcSaveGuard guard(dc);
  const COLORREF clr = ColorByLogicalId(2007, pHelperSrc, lParam);
  dc.Draw3dRect(&rc, clr, clr);
}

void CExtPaintManager::PaintMenuCombinedJoint(CDC& dc, const RECT& rcButton, const RECT& rcExclude, int nSide,
                                              CObject* pHelperSrc, LPARAM lParam) {
  dc.SelectClipRgn(NULL);
  if (::IsRectEmpty(&rcButton))
    return;
  auto C = [&](int nId) { return ColorByLogicalId(nId, pHelperSrc, lParam); };
  const int b = GetMenuBorderSize() - 1;
  {
    CExtDcSaveGuard guard(dc);
    CRect rc(rcButton);
    ExtendTowardsMenu(rc, nSide, b);
    dc.FillSolidRect(&rc, C(1000));
    ExtendTowardsMenu(rc, nSide, b);
    CRect rcEx(rcExclude);
    if (nSide == JOINT_BELOW || nSide == JOINT_ABOVE)
      rcEx.DeflateRect(b, 0);
    else
      rcEx.DeflateRect(0, b);
    dc.ExcludeClipRect(&rcEx);
    OpenFrame(dc, rc, nSide, C(1000), C(1000), C(1006), C(1006));
    // The inner lines keep one pixel off the closed sides only.
    CRect rcInner(rc);
    rcInner.DeflateRect(nSide == JOINT_LEFT ? 0 : 1, nSide == JOINT_ABOVE ? 0 : 1,
                        nSide == JOINT_RIGHT ? 0 : 1, nSide == JOINT_BELOW ? 0 : 1);
    OpenFrame(dc, rcInner, nSide, C(1004), C(1004), C(1008), C(1008));
  }
  dc.SelectClipRgn(NULL);
}

void CExtPaintManagerXP::PaintMenuCombinedJoint(CDC& dc, const RECT& rcButton, const RECT& rcExclude,
                                                int nSide, CObject* pHelperSrc, LPARAM lParam) {
  // No button, no joint: extended towards the menu an empty button would still draw a line.
  if (::IsRectEmpty(&rcButton)) {
    dc.SelectClipRgn(NULL);
    return;
  }
  {
    CExtDcSaveGuard guard(dc);
    dc.FillSolidRect(&rcButton, ColorByLogicalId(2000, pHelperSrc, lParam));
    CRect rc(rcButton);
    ExtendTowardsMenu(rc, nSide, 1);
    CRect rcEx(rcExclude);
    rcEx.DeflateRect(1, 1);
    dc.ExcludeClipRect(&rcEx);
    const COLORREF clr = ColorByLogicalId(2007, pHelperSrc, lParam);
    dc.Draw3dRect(&rc, clr, clr);
  }
  dc.SelectClipRgn(NULL);
}

void CExtPaintManagerOffice2003::PaintMenuCombinedJoint(CDC& dc, const RECT& rcButton, const RECT& rcExclude,
                                                        int nSide, CObject* pHelperSrc, LPARAM lParam) {
  const CExtMenuJointSource* pMenu = dynamic_cast<const CExtMenuJointSource*>(pHelperSrc);
  CExtMenuJointSource::BarState_t bar;
  const bool bOwnBody =
      pMenu != NULL && GetScreenBitsPerPixel() > 8 && pMenu->GetJointBarState(bar) &&
      !(bar.m_bToolBar && (bar.m_bFloating || bar.m_bDockSiteStyle4) && (bar.m_nBarOptions & 2) == 0);
  if (!bOwnBody) {
    CExtPaintManagerXP::PaintMenuCombinedJoint(dc, rcButton, rcExclude, nSide, pHelperSrc, lParam);
    return;
  }
  if (bar.m_bChevron) {
    if (IsThemedDrawingAvailable())
      return;
    // A strip as deep as the bar's button spacing along the edge next to the menu.
    const CSize spacing = GetToolBarButtonSpacing();
    CRect rc(rcButton);
    switch (nSide) {
    case JOINT_BELOW:
      rc.top = rc.bottom - spacing.cy;
      break;
    case JOINT_ABOVE:
      rc.bottom = rc.top + spacing.cy;
      break;
    case JOINT_LEFT:
      rc.right = rc.left + spacing.cx;
      break;
    case JOINT_RIGHT:
      rc.left = rc.right - spacing.cx;
      break;
    }
    CExtDcSaveGuard guard(dc);
    dc.FillSolidRect(&rc, ColorByLogicalId(3008, pHelperSrc, lParam));
    return;
  }
  {
    CExtDcSaveGuard guard(dc);
    CRect rc(rcButton);
    ExtendTowardsMenu(rc, nSide, 1);
    CRect rcEx(rcExclude);
    rcEx.DeflateRect(1, 1);
    dc.ExcludeClipRect(&rcEx);
    // The fill keeps off the menu's edge at the sides.
    CRect rcFill(rc);
    if (nSide == JOINT_RIGHT)
      rcFill.right -= 2;
    else if (nSide == JOINT_LEFT)
      rcFill.left += 1;
    const bool bPressed = bar.m_bButtonPressed && !bar.m_bMenuBar;
    dc.FillSolidRect(&rcFill, ColorByLogicalId(bPressed ? 2000 : 2001, pHelperSrc, lParam));
    const COLORREF clr = ColorByLogicalId(2007, pHelperSrc, lParam);
    dc.Draw3dRect(&rc, clr, clr);
  }
  dc.SelectClipRgn(NULL);
}
