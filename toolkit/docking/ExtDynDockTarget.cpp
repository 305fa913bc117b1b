// Marker docking's sets of markers (over the frame's sides and over the target under the cursor)
// and the search for the dock target under the cursor.
#include "toolkit/docking/ExtDynDockMarkerWnd.h"

#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/foundation/ExtRuntimeClass.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <initializer_list>

namespace {

typedef CExtDynDockMarkerWnd Marker;

// Asks the theme for markers of each kind over the rectangle and appends their windows; false
// when one could not be made (what was made is kept).
bool AppendThemeMarkers(std::initializer_list<int> kinds, const CRect& rc, Marker::MarkerArray_t& arr) {
  CExtDynDockMarkerWndMaker maker; // the theme makes our windows while this lives
  bool bOk = true;
  for (int nKind : kinds) {
    ExtDockMarkerWndArray_t arrMade;
    bOk = g_PaintManagerHolder->InitDockMarkerWnd(NULL, nKind, rc, arrMade) && bOk;
    for (INT_PTR i = 0; i < arrMade.GetSize(); ++i)
      arr.push_back(static_cast<Marker*>(arrMade[i]));
  }
  return bOk;
}

void StandFor(Marker::MarkerArray_t& arr, size_t nFirst, bool bOuter, HWND hWndTarget, const CRect& rcArea) {
  for (size_t i = nFirst; i < arr.size(); ++i) {
    arr[i]->m_bOuter = bOuter ? 1 : 0;
    arr[i]->m_hWndTarget = hWndTarget;
    arr[i]->m_rcArea = rcArea;
  }
}

// A marker's shape in its window coordinates: its region, or its whole window.
HRGN ShapeOf(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  HRGN hRgn = ::CreateRectRgn(0, 0, rc.Width(), rc.Height());
  if (hRgn != NULL)
    ::GetWindowRgn(hWnd, hRgn);
  return hRgn;
}

// The cross gives up the places of the markers that lie over it, so that the cursor over them
// finds them however the system stacks the windows.
void CutFollowerShapes(const Marker::MarkerArray_t& arr) {
  for (Marker* pUnder : arr) {
    if (pUnder->m_nKind != Marker::KIND_FOLLOWER || pUnder->m_hWnd == NULL)
      continue;
    HRGN hShape = ShapeOf(pUnder->m_hWnd);
    if (hShape == NULL)
      continue;
    CRect rcUnder;
    pUnder->GetWindowRect(&rcUnder);
    for (Marker* pOver : arr) {
      if (pOver == pUnder || pOver->m_hWnd == NULL)
        continue;
      HRGN hOver = ShapeOf(pOver->m_hWnd);
      if (hOver == NULL)
        continue;
      CRect rcOver;
      pOver->GetWindowRect(&rcOver);
      ::OffsetRgn(hOver, rcOver.left - rcUnder.left, rcOver.top - rcUnder.top);
      ::CombineRgn(hShape, hShape, hOver, RGN_DIFF);
      ::DeleteObject(hOver);
    }
    // The system owns the region from here on.
    if (!::SetWindowRgn(pUnder->m_hWnd, hShape, TRUE))
      ::DeleteObject(hShape);
  }
}

bool IsFreeToDock(CExtControlBar* pBar) { return !pBar->IsFixedMode() && !pBar->IsFixedDockStyle(); }

HWND NestedTarget(CControlBar* pContainer, CPoint pt);

// What a bar under the cursor stands for: its tab container, itself, or inside a nested container
// the bar under the point; NULL when nothing.
HWND TargetOfBar(CExtControlBar* pBar, CPoint pt) {
  if (CExtDynTabControlBar* pTabs = pBar->GetTabContainerBar())
    return reinterpret_cast<CExtControlBar*>(pTabs)->GetSafeHwnd();
  if (IsKindOfName(pBar, "CExtDynTabControlBar") || !IsKindOfName(pBar, "CExtDynControlBar"))
    return pBar->m_hWnd;
  return NestedTarget(pBar, pt);
}

// The bars of a nested container's inner dock bar, in order.
HWND NestedTarget(CControlBar* pContainer, CPoint pt) {
  CExtDockBar* pInner = CExtDockBar::InnerDockBarOf(pContainer);
  if (pInner == NULL)
    return NULL;
  for (int i = 0; i < (int)pInner->m_arrBars.GetSize(); ++i) {
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pInner->GetDockedControlBar(i));
    if (pBar == NULL || !IsFreeToDock(pBar) || !pBar->IsWindowVisible())
      continue;
    CRect rc;
    pBar->GetWindowRect(&rc);
    if (!rc.PtInRect(pt))
      continue;
    if (HWND hWnd = TargetOfBar(pBar, pt))
      return hWnd;
  }
  return NULL;
}

// A bar floating in a frame of its own under the cursor; false when there is none.
bool FindFloatingTarget(CFrameWnd* pDockSite, CExtControlBar* pDragged, CPoint pt, HWND& hTarget) {
  CFrameWnd* pDraggedFrame = pDragged->GetParentFrame();
  for (POSITION pos = pDockSite->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pItem = static_cast<CControlBar*>(pDockSite->m_listControlBars.GetNext(pos));
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pItem);
    if (pBar == NULL || pBar == pDragged || pItem->IsKindOf(RUNTIME_CLASS(CDockBar)) || !IsFreeToDock(pBar) ||
        !::IsWindow(pBar->m_hWnd) || !pBar->IsWindowVisible())
      continue;
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)) ||
        !pFrame->IsWindowVisible() || pFrame == pDockSite || pFrame == pDraggedFrame)
      continue;
    CRect rcFrame, rcBar;
    pFrame->GetWindowRect(&rcFrame);
    pBar->GetWindowRect(&rcBar);
    if (!rcFrame.PtInRect(pt) || !rcBar.PtInRect(pt))
      continue;
    if (HWND hWnd = TargetOfBar(pBar, pt)) {
      hTarget = hWnd;
      return true;
    }
  }
  return false;
}

bool HoldsPoint(HWND hWnd, CPoint pt) {
  CRect rc;
  return ::GetWindowRect(hWnd, &rc) && rc.PtInRect(pt);
}

// A bar in an inner dock circle under the cursor.
HWND FindInCircleDockBar(CExtDockBar* pDock, CPoint pt, HWND hRemembered) {
  for (HWND hChild = ::GetWindow(pDock->m_hWnd, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if ((::GetWindowLong(hChild, GWL_STYLE) & WS_VISIBLE) == 0 || !HoldsPoint(hChild, pt))
      continue;
    CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
    if (pWnd == NULL)
      return NULL;
    if (hChild == hRemembered)
      return hRemembered;
    if (CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pWnd))
      return TargetOfBar(pBar, pt);
  }
  return NULL;
}

// The first visible child of the dock site under the cursor decides.
HWND FindChildTarget(CFrameWnd* pDockSite, CPoint pt, HWND hRemembered, bool& bPane) {
  for (HWND hChild = ::GetWindow(pDockSite->m_hWnd, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(hChild) || !HoldsPoint(hChild, pt))
      continue;
    if (::GetDlgCtrlID(hChild) == AFX_IDW_PANE_FIRST) {
      bPane = true;
      return hChild;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
    if (pWnd == NULL)
      return NULL;
    if (hChild == hRemembered)
      return hRemembered;
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pWnd);
    return pDock != NULL && pDock->m_nCircleNo != 0 ? FindInCircleDockBar(pDock, pt, hRemembered) : NULL;
  }
  return NULL;
}

// A bar target is taken when the two bars may tab together or dock beside each other.
bool AcceptsTarget(CExtControlBar* pDragged, HWND hTarget, bool& bPane) {
  CExtControlBar* pTarget = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hTarget));
  if (pTarget == NULL || !IsFreeToDock(pTarget))
    return true;
  if (pDragged->IsTabbedDockingAllowed() && pTarget->IsTabbedDockingAllowed())
    return true;
  if (pDragged->IsDockTargetFor(pTarget) && pTarget->IsDockTargetFor(pDragged)) {
    bPane = false;
    return true;
  }
  return false;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Marker sets

bool CExtDynDockMarkerWnd::CreateOuterMarkers(CFrameWnd* pDockSite, bool bShow) {
  DestroyMarkers(OuterMarkers(), true);
  if (pDockSite == NULL || !::IsWindow(pDockSite->m_hWnd))
    return false;
  // What the frame's bars leave of the client area, asked of them in z-order without moving them.
  AFX_SIZEPARENTPARAMS layout = {};
  pDockSite->GetClientRect(&layout.rect);
  layout.bStretch = TRUE;
  for (HWND hChild = ::GetWindow(pDockSite->m_hWnd, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    if (::GetDlgCtrlID(hChild) != AFX_IDW_PANE_FIRST)
      ::SendMessage(hChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
  CRect rcFree(layout.rect);
  pDockSite->ClientToScreen(&rcFree);
  rcFree.NormalizeRect();
  MarkerArray_t& arr = OuterMarkers();
  const bool bOk = AppendThemeMarkers({KIND_TOP, KIND_BOTTOM, KIND_LEFT, KIND_RIGHT}, rcFree, arr);
  StandFor(arr, 0, true, NULL, rcFree);
  ShowMarkers(arr, bShow, false);
  return bOk;
}

bool CExtDynDockMarkerWnd::CreateBarMarkers(HWND hWndTarget, bool bPane, bool bShow) {
  DestroyMarkers(BarMarkers(), true);
  CRect rcTarget;
  if (hWndTarget == NULL || !::GetWindowRect(hWndTarget, &rcTarget))
    return false;
  MarkerArray_t& arr = BarMarkers();
  bool bOk = true;
  CRect rcSides(rcTarget);
  if (!bPane) {
    // The centre cross with its tab square first; the side markers sit in its arms, above it.
    bOk = AppendThemeMarkers({g_PaintManagerHolder->IsDockMarkerStyle1() ? 4 : 8}, rcTarget, arr);
    if (!arr.empty() && arr.front()->m_hWnd != NULL)
      arr.front()->GetWindowRect(&rcSides);
  }
  bOk = AppendThemeMarkers({KIND_TOP, KIND_BOTTOM, KIND_LEFT, KIND_RIGHT}, rcSides, arr) && bOk;
  StandFor(arr, 0, false, hWndTarget, rcTarget);
  CutFollowerShapes(arr);
  ShowMarkers(arr, bShow, true);
  SetRememberedTarget(hWndTarget);
  return bOk;
}

// ---------------------------------------------------------------------------------------------
// The dock target under the cursor

HWND CExtControlBar::FindDockTargetUnderCursor(CFrameWnd* pDockSite, bool bShow) {
  typedef CExtDynDockMarkerWnd Marker;
  const InternalDraggingState_t* pDrag = Marker::RunningDrag();
  HWND hRemembered = Marker::GetRememberedTarget();
  if (pDrag == NULL || pDockSite == NULL || !::IsWindow(pDockSite->m_hWnd))
    return hRemembered;
  CExtControlBar* pDragged = pDrag->m_pBarSource;
  HWND hNew = NULL;
  bool bPane = false;
  CPoint pt;
  if (::GetCursorPos(&pt)) {
    if (DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(::WindowFromPoint(pt))) != NULL)
      return hRemembered; // the user is choosing among the markers
    if (!FindFloatingTarget(pDockSite, pDragged, pt, hNew))
      hNew = FindChildTarget(pDockSite, pt, hRemembered, bPane);
  }
  if (hRemembered != NULL && !::IsWindow(hRemembered)) {
    hRemembered = NULL;
    Marker::SetRememberedTarget(NULL);
  }
  if (hNew == hRemembered) {
    if (hNew == NULL)
      Marker::DestroyMarkers(Marker::BarMarkers(), true);
    return hRemembered;
  }
  Marker::DestroyMarkers(Marker::BarMarkers(), true);
  if (hNew == NULL || !AcceptsTarget(pDragged, hNew, bPane))
    return NULL;
  // Markers that cannot be made leave nothing remembered, so the next step tries again.
  if (!Marker::CreateBarMarkers(hNew, bPane, bShow)) {
    Marker::DestroyMarkers(Marker::BarMarkers(), false);
    return NULL;
  }
  return hNew;
}
