// The inner dock bar of a tab container: every bar takes its whole area, the bars follow the
// container's remembered sizes, bars leave with their tabs, and the container keeps a selection.
#include "toolkit/docking/ExtDynTabControlBar.h"

IMPLEMENT_DYNCREATE(CExtDockDynTabBar, CExtDockDynBar)

CExtDynTabControlBar* CExtDockDynTabBar::GetTabContainer() const {
  return DYNAMIC_DOWNCAST(CExtDynTabControlBar, GetContainer());
}

BOOL CExtDockDynTabBar::PreTranslateMessage(MSG* pMsg) {
  CExtDynTabControlBar* pContainer = GetTabContainer();
  if (pContainer != NULL && pContainer->PreTranslateMessage(pMsg))
    return TRUE;
  return CExtDockDynBar::PreTranslateMessage(pMsg);
}

CSize CExtDockDynTabBar::LayoutBars(bool bUpdate) {
  CRect rcClient;
  GetClientRect(&rcClient);
  std::vector<CControlBar*> arrBars;
  CExtDockDynBar::GetDockedBars(arrBars);
  if (arrBars.empty())
    return rcClient.Size();
  auto setIgnoreSize = [&arrBars](bool bSet) {
    for (CControlBar* p : arrBars)
      if (CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, p))
        pBar->m_bBarState = bSet ? (pBar->m_bBarState | CExtControlBar::BS_IGNORE_SIZE)
                                 : (pBar->m_bBarState & ~CExtControlBar::BS_IGNORE_SIZE);
  };
  if (bUpdate)
    setIgnoreSize(true);
  HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(arrBars.size()));
  for (CControlBar* pBar : arrBars) {
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (hDwp != NULL)
      hDwp = ::DeferWindowPos(hDwp, pBar->m_hWnd, NULL, 0, 0, rcClient.Width(), rcClient.Height(), nFlags);
    else
      pBar->SetWindowPos(NULL, 0, 0, rcClient.Width(), rcClient.Height(), nFlags);
  }
  if (hDwp != NULL)
    ::EndDeferWindowPos(hDwp);
  if (bUpdate) {
    setIgnoreSize(false);
    for (CControlBar* p : arrBars)
      if (CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, p))
        pBar->RepositionSingleChild(-1, -1, true);
  }
  return rcClient.Size();
}

CSize CExtDockDynTabBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/) {
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  LayoutBars(false);
  return rcWnd.Size();
}

void CExtDockDynTabBar::RecalcNestedLayout() {
  if (IsLocked())
    return;
  CExtDockDynBar::RecalcNestedLayout();
  CExtDynTabControlBar* pContainer = GetTabContainer();
  if (pContainer == NULL)
    return;
  std::vector<CControlBar*> arrBars;
  CExtDockDynBar::GetDockedBars(arrBars);
  for (CControlBar* p : arrBars) {
    if (CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, p)) {
      pBar->m_sizeDockedH = pContainer->m_sizeDockedH;
      pBar->m_sizeDockedV = pContainer->m_sizeDockedV;
      pBar->m_sizeFloated = pContainer->m_sizeFloated;
    }
  }
}

void CExtDockDynTabBar::OptimizeNestedContainers() {
  if (IsLocked())
    return;
  CExtDynTabControlBar* pContainer = GetTabContainer();
  const HWND hWnd = m_hWnd;
  CExtDockDynBar::OptimizeNestedContainers();
  // A container left with one bar is gone by now, and this dock bar with it.
  if (pContainer != NULL && ::IsWindow(hWnd))
    pContainer->EnsureSelection();
}

void CExtDockDynTabBar::GetDockedBars(std::vector<CControlBar*>& arrBars) const {
  CExtDynTabControlBar* pContainer = GetTabContainer();
  if (pContainer == NULL) {
    CExtDockDynBar::GetDockedBars(arrBars);
    return;
  }
  const CExtDynTabWnd& tabs = pContainer->m_wndTabs;
  for (int i = 0; i < tabs.ItemGetCount(); ++i)
    if (CExtControlBar* pBar = tabs.GetBarAt(i, true))
      arrBars.push_back(pBar);
}

bool CExtDockDynTabBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nPlaceHolder,
                                         bool bDelayRecalc) {
  // The tab goes first: the base may lay the container out, and a destroyed bar must not be
  // asked for its caption then.
  CExtDynTabControlBar* pContainer = GetTabContainer();
  const bool bLeaves = nPosExclude < 0 || FindBar(pBar, nPosExclude) <= 0;
  if (pContainer != NULL && bLeaves && FindBar(pBar) > 0)
    pContainer->RemoveBarTab(static_cast<CExtControlBar*>(pBar));
  return CExtDockDynBar::RemoveControlBar(pBar, nPosExclude, nPlaceHolder, bDelayRecalc);
}
