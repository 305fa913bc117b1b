// Popup menu placement: the window size, where the window goes on the monitor beside the
// rectangle that opened it, the side a combined menu joins its button on, the window region, and
// whether a point lies over the menu or its chain.
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

enum Alignment : int {
  ALIGN_AT_POINT = 0,
  ALIGN_RIGHT = 1,
  ALIGN_CENTER_X = 2,
  ALIGN_LEFT = 3,
  ALIGN_BELOW = 4,
  ALIGN_CENTER_Y = 5,
  ALIGN_ABOVE = 6,
};

// What fitting one window into the monitor needs and gives.
struct Fit_t {
  CRect rcMonitor;
  CRect rcExclude;
  CSize size;      // the window with its shadow
  int nShadow = 0; // s
  int nAlign = 0;  // 0-6
  bool bExclude = false;
  bool bCombined = false;
  CPoint ptAnchor; // the top-left corner before fitting
  // Answers.
  CRect rcMenu; // the window without the combined area
  bool bScrolling = false;
};

// The window's position along one axis when it opens after (below, right of) or before (above,
// left of) the excluded rectangle; a combined menu overlaps the rectangle by one pixel.
int PosAfter(int nRectFar, bool bCombined) { return nRectFar - (bCombined ? 1 : 0); }
int PosBefore(int nRectNear, int nExtent, int nShadow, bool bCombined) {
  return nRectNear - nExtent + (bCombined ? nShadow + 1 : 0);
}

// Opens along the axis the alignment names: on the preferred side when the window fits there,
// else on the other side when it fits there, else on the side with more room (the extent then
// shrinks to that room when bShrink is set). A window beside its excluded rectangle never covers it
// while either side has room.
void OpenAlongAxis(bool bPreferAfter, int nRectNear, int nRectFar, int nMonNear, int nMonFar, int nShadow,
                   bool bCombined, bool bShrink, int& nPos, int& nExtent, bool& bShrunk) {
  const int nAfter = PosAfter(nRectFar, bCombined);
  const int nBefore = PosBefore(nRectNear, nExtent, nShadow, bCombined);
  const bool bFitsAfter = nAfter + nExtent <= nMonFar;
  const bool bFitsBefore = nBefore >= nMonNear;
  bool bAfter = bPreferAfter;
  if (bAfter && !bFitsAfter && bFitsBefore)
    bAfter = false;
  else if (!bAfter && !bFitsBefore && bFitsAfter)
    bAfter = true;
  else if (!bFitsAfter && !bFitsBefore) {
    const int nRoomAfter = nMonFar - nAfter;
    const int nRoomBefore = nBefore + nExtent - nMonNear;
    bAfter = nRoomAfter >= nRoomBefore;
    if (bShrink) {
      nExtent = std::max(0, bAfter ? nRoomAfter : nRoomBefore);
      bShrunk = true;
    }
  }
  nPos = bAfter ? nAfter : PosBefore(nRectNear, nExtent, nShadow, bCombined);
}

// Moves the window into the monitor along one axis; a combined menu past the far edge first
// lines its body up with the far edge of its rectangle, so it still touches it.
void MoveIntoMonitor(int nMonNear, int nMonFar, int nRectFar, int nShadow, bool bAlignToRect, int& nPos,
                     int nExtent) {
  if (nPos + nExtent > nMonFar && bAlignToRect)
    nPos = nRectFar - nExtent + nShadow;
  if (nPos + nExtent > nMonFar)
    nPos = nMonFar - nExtent;
  if (nPos < nMonNear)
    nPos = nMonNear;
}

void FitIntoMonitor(Fit_t& fit) {
  const CRect& rcMon = fit.rcMonitor;
  const CRect& rcEx = fit.rcExclude;
  const int s = fit.nShadow;
  int x = fit.ptAnchor.x, y = fit.ptAnchor.y, w = fit.size.cx, h = fit.size.cy;
  const bool bVert = fit.bExclude && (fit.nAlign == ALIGN_BELOW || fit.nAlign == ALIGN_ABOVE);
  const bool bHorz = fit.bExclude && (fit.nAlign == ALIGN_RIGHT || fit.nAlign == ALIGN_LEFT);
  fit.bScrolling = false;
  if (bVert) {
    OpenAlongAxis(fit.nAlign == ALIGN_BELOW, rcEx.top, rcEx.bottom, rcMon.top, rcMon.bottom, s, fit.bCombined,
                  true, y, h, fit.bScrolling);
  } else {
    if (h > rcMon.Height()) {
      h = rcMon.Height();
      fit.bScrolling = true;
    }
    MoveIntoMonitor(rcMon.top, rcMon.bottom, rcEx.bottom, s, bHorz && fit.bCombined, y, h);
  }
  if (bHorz)
    OpenAlongAxis(fit.nAlign == ALIGN_RIGHT, rcEx.left, rcEx.right, rcMon.left, rcMon.right, s, fit.bCombined,
                  false, x, w, fit.bScrolling);
  // Also when neither side had room: the window stays on the monitor.
  MoveIntoMonitor(rcMon.left, rcMon.right, rcEx.right, s, bVert && fit.bCombined, x, w);
  fit.rcMenu.SetRect(x, y, x + w, y + h);
}

bool Overlap(int a1, int a2, int b1, int b2) { return a1 < b2 && b1 < a2; }

// Where the area lies relative to the body that touches it: 1 above, 2 below, 3 right, 4 left; 0
// when they do not meet along an edge.
int FindCombineSide(const CRect& rcBody, const CRect& rcArea) {
  const bool bHorzOverlap = Overlap(rcBody.left, rcBody.right, rcArea.left, rcArea.right);
  const bool bVertOverlap = Overlap(rcBody.top, rcBody.bottom, rcArea.top, rcArea.bottom);
  if (bHorzOverlap && rcBody.top == rcArea.bottom - 1)
    return 1;
  if (bHorzOverlap && rcBody.bottom == rcArea.top + 1)
    return 2;
  if (bVertOverlap && rcBody.right == rcArea.left + 1)
    return 3;
  if (bVertOverlap && rcBody.left == rcArea.right - 1)
    return 4;
  return 0;
}

} // namespace

CSize CExtPopupMenuWnd::MeasureMenu() const {
  const int s = GetShadowSize(), b = GetBorderSize();
  const int nExtra = s + 2 * b;
  const int nExpand =
      (m_dwMenuState & MENU_EXPAND_ROW) != 0 ? g_PaintManagerHolder->GetMenuExpandButtonHeight() : 0;
  const int nMin = 2 * s + 10;
  CSize size(std::max(m_nContentWidth + m_nLeftAreaWidth + nExtra, nMin),
             std::max(m_nContentHeight + nExpand + nExtra, nMin));
  bool bAnyShown = false;
  for (int i = 0; i < GetItemCount() && !bAnyShown; i++)
    bAnyShown = m_items[i].IsDisplayed();
  size.cy += bAnyShown ? 1 : 2;
  return size;
}

CRect CExtPopupMenuWnd::GetPlacementArea() const {
  MonitorParams params;
  const bool bExclude = (m_nPlacementFlags & PLACE_EXCLUDE_GIVEN) != 0;
  if (bExclude && (m_nPlacementFlags & PLACE_COMBINED) != 0)
    CExtPaintManager::GetMonitorAreaFromRect(params, m_rcExclude);
  else if (m_pParentMenu != NULL && m_pParentMenu->GetSafeHwnd() != NULL)
    CExtPaintManager::GetWorkAreaOfWindow(params, m_pParentMenu);
  else if (bExclude)
    CExtPaintManager::GetMonitorAreaFromRect(params, m_rcExclude);
  else
    CExtPaintManager::GetMonitorAreaFromPoint(params, m_ptTrack);
  return g_bMenuUseWorkArea ? CRect(params.m_rcWorkArea) : CRect(params.m_rcMonitor);
}

CPoint CExtPopupMenuWnd::CalcAnchorPoint(int nAlignment, const CSize& sizeWindow) const {
  CPoint pt = m_ptTrack;
  if ((m_nPlacementFlags & PLACE_EXCLUDE_GIVEN) == 0)
    return pt;
  const bool bCombined = (m_nPlacementFlags & PLACE_COMBINED) != 0;
  const int s = GetShadowSize();
  const CRect& rc = m_rcExclude;
  switch (nAlignment) {
  case ALIGN_RIGHT:
    return CPoint(PosAfter(rc.right, bCombined), rc.top);
  case ALIGN_LEFT:
    return CPoint(PosBefore(rc.left, sizeWindow.cx, s, bCombined), rc.top);
  case ALIGN_BELOW:
    return CPoint(rc.left, PosAfter(rc.bottom, bCombined));
  case ALIGN_ABOVE:
    return CPoint(rc.left, PosBefore(rc.top, sizeWindow.cy, s, bCombined));
  case ALIGN_CENTER_X:
    return CPoint(pt.x - sizeWindow.cx / 2, pt.y);
  case ALIGN_CENTER_Y:
    return CPoint(pt.x, pt.y - sizeWindow.cy / 2);
  }
  return pt;
}

CRect CExtPopupMenuWnd::CalcWindowPlacement() {
  m_dwMenuState &= ~MENU_SCROLLING;
  m_nCombineSide = 0;
  m_rcArea.SetRectEmpty();
  m_nFlags &= ~POPUP_COMBINED_AREA;
  m_rcBody.SetRectEmpty();
  m_rcWindow.SetRectEmpty();
  m_rgnWindow.DeleteObject();

  Fit_t fit;
  fit.rcMonitor = GetPlacementArea();
  if (fit.rcMonitor.IsRectEmpty())
    return CRect();
  fit.size = MeasureMenu();
  if (IsTearOffEnabled())
    fit.size.cy += GetTearOffBarHeight();
  fit.nShadow = GetShadowSize();
  fit.rcExclude = m_rcExclude;
  fit.bExclude = (m_nPlacementFlags & PLACE_EXCLUDE_GIVEN) != 0;
  fit.bCombined = fit.bExclude && (m_nPlacementFlags & PLACE_COMBINED) != 0;

  // A submenu without its own direction follows its parent's sideways direction.
  fit.nAlign = (int)(m_dwTrackFlags & TPMX_ALIGN_MASK);
  if (fit.nAlign > ALIGN_ABOVE)
    fit.nAlign = ALIGN_AT_POINT;
  if (fit.nAlign == ALIGN_AT_POINT && m_pParentMenu != NULL) {
    const CExtPopupMenuWnd* pGrand = m_pParentMenu->m_pParentMenu;
    const int nParentAlign = (int)(m_pParentMenu->m_dwTrackFlags & TPMX_ALIGN_MASK);
    if (pGrand != NULL)
      fit.nAlign = m_pParentMenu->m_rcWindow.left < pGrand->m_rcWindow.left ? ALIGN_LEFT : ALIGN_RIGHT;
    else
      fit.nAlign = nParentAlign == ALIGN_LEFT ? ALIGN_LEFT : ALIGN_RIGHT;
  }

  CRect rcBody;
  for (;;) {
    fit.ptAnchor = CalcAnchorPoint(fit.nAlign, fit.size);
    FitIntoMonitor(fit);
    rcBody.SetRect(fit.rcMenu.left, fit.rcMenu.top, fit.rcMenu.right - fit.nShadow,
                   fit.rcMenu.bottom - fit.nShadow);
    if (!fit.bCombined)
      break;
    m_nCombineSide = FindCombineSide(rcBody, fit.rcExclude);
    if (m_nCombineSide != 0)
      break;
    // It could not stay joined to its button: placed again as a plain menu.
    m_nPlacementFlags &= ~PLACE_COMBINED;
    fit.bCombined = false;
  }
  if (rcBody.Width() <= 0 || rcBody.Height() <= 0)
    return CRect();

  CRect rcWindow = fit.rcMenu;
  CRect rcAreaWithShadow;
  if (fit.bCombined) {
    // The button area and its own shadow belong to the window too, as far as the monitor goes.
    const CRect rcShadowed(fit.rcExclude.left, fit.rcExclude.top, fit.rcExclude.right + fit.nShadow,
                           fit.rcExclude.bottom + fit.nShadow);
    rcAreaWithShadow.IntersectRect(&rcShadowed, &fit.rcMonitor);
    rcAreaWithShadow.UnionRect(&rcAreaWithShadow, &fit.rcExclude);
    rcWindow.UnionRect(&fit.rcMenu, &rcAreaWithShadow);
    CRect rcMenuClient(fit.rcMenu), rcAreaClient(rcAreaWithShadow);
    rcMenuClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    rcAreaClient.OffsetRect(-rcWindow.left, -rcWindow.top);
    CRgn rgnArea;
    if (!m_rgnWindow.CreateRectRgnIndirect(&rcMenuClient) || !rgnArea.CreateRectRgnIndirect(&rcAreaClient) ||
        m_rgnWindow.CombineRgn(&m_rgnWindow, &rgnArea, RGN_OR) == ERROR) {
      m_rgnWindow.DeleteObject();
      m_nCombineSide = 0;
      return CRect();
    }
    m_rcArea = fit.rcExclude;
    m_rcArea.OffsetRect(-rcWindow.left, -rcWindow.top);
    m_nFlags |= POPUP_COMBINED_AREA;
  }
  if (fit.bScrolling)
    m_dwMenuState |= MENU_SCROLLING;
  m_rcBody = rcBody;
  m_rcBody.OffsetRect(-rcWindow.left, -rcWindow.top);
  m_rcWindow = rcWindow;
  RecalcLayoutRects();
  return m_rcWindow;
}

bool CExtPopupMenuWnd::IsPointOverMenu(const POINT& ptClient) const {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd))
    return false;
  POINT pt = ptClient;
  ::ClientToScreen(m_hWnd, &pt);
  return ::WindowFromPoint(pt) == m_hWnd;
}

bool CExtPopupMenuWnd::IsPointInChain(const POINT& ptScreen, bool bAskParents) const {
  for (const CExtPopupMenuWnd* pMenu = this; pMenu != NULL;
       pMenu = bAskParents ? pMenu->m_pParentMenu : NULL) {
    HWND hWnd = pMenu->m_hWnd;
    if (hWnd == NULL || !::IsWindowVisible(hWnd))
      continue;
    RECT rc;
    if (::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, ptScreen))
      return true;
  }
  return false;
}
