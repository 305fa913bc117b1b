// The inner dock bar of a container: leaving the frame's bar list, the lock it spreads outward,
// its own layout pass, and the container dissolving when it is left with one bar or none.
#include "toolkit/docking/ExtDockDynBar.h"

#include "toolkit/docking/ExtDynControlBar.h"

IMPLEMENT_DYNCREATE(CExtDockDynBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockDynBar, CExtDockBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

CExtDockDynBar::CExtDockDynBar(UINT nCircleNo) : CExtDockBar(nCircleNo), m_bDynDockBarFlags(0) {}

bool CExtDockDynBar::HasHorizontalRows() const {
  const UINT nId = GetSideId();
  return nId == AFX_IDW_DOCKBAR_TOP || nId == AFX_IDW_DOCKBAR_BOTTOM;
}

CExtDynControlBar* CExtDockDynBar::GetContainer() const {
  if (m_hWnd == NULL)
    return NULL;
  return DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CExtDockDynBar::LeaveFrameBarList() {
  if ((m_bDynDockBarFlags & DDF_OFF_FRAME_LIST) != 0)
    return;
  m_bDynDockBarFlags |= DDF_OFF_FRAME_LIST;
  if (m_pDockSite != NULL)
    m_pDockSite->RemoveControlBar(this);
}

void CExtDockDynBar::OnSize(UINT nType, int cx, int cy) {
  CExtDockBar::OnSize(nType, cx, cy);
  LeaveFrameBarList();
  // The container decides the size; its rows follow at once.
  if (cx > 0 && cy > 0 && GetContainer() != NULL)
    RecalcNestedLayout();
}

void CExtDockDynBar::GetDockedBars(std::vector<CControlBar*>& arrBars) const {
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++)
    if (CControlBar* pBar = GetDockedControlBar(static_cast<int>(i)))
      arrBars.push_back(pBar);
}

CExtDynAutoHideArea* CExtDockDynBar::GetAutoHideArea() const {
  CExtDynControlBar* pContainer = GetContainer();
  CExtDockBar* pHolder = pContainer != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pContainer->m_pDockBar) : NULL;
  return pHolder != NULL ? pHolder->GetAutoHideArea() : NULL;
}

void CExtDockDynBar::LockLayoutOptimization(bool bLock) {
  CExtDockBar::LockLayoutOptimization(bLock);
  // The lock spreads outward through every level.
  CExtDynControlBar* pContainer = GetContainer();
  CExtDockBar* pHolder = pContainer != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pContainer->m_pDockBar) : NULL;
  if (pHolder != NULL)
    pHolder->LockLayoutOptimization(bLock);
}

void CExtDockDynBar::RecalcNestedLayout() {
  if (IsLocked() || (m_bDockBarFlags & DBF_NESTED_GUARD) != 0 || m_hWnd == NULL)
    return;
  CalcFixedLayout(TRUE, HasHorizontalRows() ? TRUE : FALSE);
  CExtDockBar::RecalcNestedLayout();
}

// ---------------------------------------------------------------------------------------------
// Dissolving

void CExtDockDynBar::OptimizeNestedContainers() {
  if (IsLocked() || m_hWnd == NULL)
    return;
  CControlBar* pOnlyBar = NULL;
  int nBars = 0, nOthers = 0;
  for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++) {
    void* p = m_arrBars[i];
    if (p == NULL)
      continue;
    if (IsPlaceHolder(p)) {
      nOthers++;
    } else {
      nBars++;
      pOnlyBar = static_cast<CControlBar*>(p);
    }
  }
  if (nBars > 0 && nBars + nOthers > 1) {
    CExtDockBar::OptimizeNestedContainers();
    return;
  }
  CExtDynControlBar* pContainer = GetContainer();
  if (pContainer == NULL)
    return;
  CFrameWnd* pParentFrame = pContainer->GetParentFrame();
  if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
    pParentFrame->DelayRecalcLayout();
  if (nBars == 1)
    DissolveIntoLastBar(pOnlyBar);
  else
    DissolveEmpty();
}

void CExtDockDynBar::DissolveIntoLastBar(CControlBar* pBar) {
  CExtDynControlBar* pContainer = GetContainer();
  CDockBar* pHolder = pContainer->m_pDockBar;
  const int nPos = pHolder != NULL ? pHolder->FindBar(pContainer) : -1;
  if (nPos <= 0)
    return; // a container outside any dock bar has no place to give
  CFrameWnd* pDockSite = pContainer->m_pDockSite;
  const bool bInMiniFrame = pContainer->IsFloating() != FALSE;
  CRect rcPlace;
  pContainer->GetWindowRect(&rcPlace);
  pHolder->ScreenToClient(&rcPlace);

  pHolder->m_arrBars[nPos] = pBar;
  pBar->m_pDockBar = pHolder;
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  // The holder's orientation comes from its side, as everywhere a bar's docked size is chosen.
  const UINT nHolderId = static_cast<UINT>(pHolder->GetDlgCtrlID());
  const bool bHorzHolder =
      nHolderId == AFX_IDW_DOCKBAR_TOP || nHolderId == AFX_IDW_DOCKBAR_BOTTOM ||
      (nHolderId == AFX_IDW_DOCKBAR_FLOAT && (pHolder->m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  if (pExtBar != NULL && !pExtBar->IsFixedMode()) {
    if (bHorzHolder)
      pExtBar->m_sizeDockedH = rcPlace.Size();
    else
      pExtBar->m_sizeDockedV = rcPlace.Size();
    if (pContainer->IsFloating())
      pExtBar->m_sizeFloated = rcPlace.Size();
  }
  pBar->SetBarStyle((pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (pContainer->GetBarStyle() & CBRS_ALIGN_ANY) |
                    CBRS_BORDER_ANY | (pContainer->GetBarStyle() & CBRS_FLOATING));
  m_arrBars.RemoveAll();
  m_arrBars.Add(NULL);
  if (pExtBar != NULL)
    pExtBar->m_bBarState |= CExtControlBar::BS_IGNORE_SIZE;
  pBar->SetParent(pHolder);
  pBar->SetWindowPos(NULL, rcPlace.left, rcPlace.top, rcPlace.Width(), rcPlace.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (pExtBar != NULL)
    pExtBar->m_bBarState &= ~CExtControlBar::BS_IGNORE_SIZE;
  pContainer->m_pDockBar = NULL;
  LeaveFrameBarList();
  // The container goes, and this dock bar with it: nothing below may touch members.
  pContainer->DestroyWindow();
  if (pExtBar != NULL)
    pExtBar->RepositionSingleChild(-1, -1, true);
  if (!bInMiniFrame && pDockSite != NULL)
    pDockSite->DelayRecalcLayout();
  if (CExtDockBar* pExtHolder = DYNAMIC_DOWNCAST(CExtDockBar, pHolder))
    pExtHolder->RecalcNestedLayout();
}

void CExtDockDynBar::DissolveEmpty() {
  CExtDynControlBar* pContainer = GetContainer();
  const HWND hContainer = pContainer->m_hWnd;
  CDockBar* pHolder = pContainer->m_pDockBar;
  const HWND hHolder = pHolder != NULL ? pHolder->m_hWnd : NULL;
  CFrameWnd* pDockSite = pContainer->m_pDockSite;
  const bool bInMiniFrame = pContainer->IsFloating() != FALSE;
  pContainer->m_pDockBar = NULL;
  LeaveFrameBarList();
  // Leaving an emptied floating frame destroys that frame, and the container and this dock bar
  // with it: from here on only window handles are trusted.
  if (pHolder != NULL && pHolder->FindBar(pContainer) > 0) {
    if (CExtDockBar* pExtHolder = DYNAMIC_DOWNCAST(CExtDockBar, pHolder))
      pExtHolder->RemoveControlBar(pContainer, -1, -1, false);
    else
      pHolder->CDockBar::RemoveControlBar(pContainer, -1, 0);
  }
  if (!bInMiniFrame && pDockSite != NULL && ::IsWindow(pDockSite->m_hWnd))
    pDockSite->DelayRecalcLayout();
  CExtDockBar* pExtHolder = ::IsWindow(hHolder) ? DYNAMIC_DOWNCAST(CExtDockBar, pHolder) : NULL;
  if (pExtHolder != NULL)
    pExtHolder->RecalcNestedLayout();
  // Last: the container's window takes this dock bar with it.
  if (::IsWindow(hContainer))
    pContainer->DestroyWindow();
}
