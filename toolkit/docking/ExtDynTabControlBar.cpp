// The tab container: creation with its strip, the strip and the bars sharing its area, bars
// docked in as tabs, placeholders, the selection following the bars' visibility, and the caption
// and focus it takes from the selected bar.
#include "toolkit/docking/ExtDynTabControlBar.h"

#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDynTabControlBar, CExtDynControlBar)

BEGIN_MESSAGE_MAP(CExtDynTabControlBar, CExtDynControlBar)
ON_WM_CREATE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

bool CExtDynTabControlBar::g_bTabsOnTop = false;

namespace {
const int kStripHeightPad = 6;
const int kInitialStripHeight = 14;

int StripOrientation() {
  return CExtDynTabControlBar::g_bTabsOnTop ? CExtTabWnd::TS_ORIENT_TOP : CExtTabWnd::TS_ORIENT_BOTTOM;
}

// Locks a toolkit dock bar for the scope unless it already was; unlocks only what it locked.
class DockBarLock {
public:
  explicit DockBarLock(CDockBar* pDockBar) {
    m_pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pDockBar);
    if (m_pDockBar == NULL || m_pDockBar->IsLocked()) {
      m_pDockBar = NULL;
      return;
    }
    m_hWnd = m_pDockBar->m_hWnd;
    m_pDockBar->LockLayoutOptimization(true);
  }
  ~DockBarLock() {
    // The dock bar of an emptied floating frame goes with that frame.
    if (m_pDockBar != NULL && ::IsWindow(m_hWnd))
      m_pDockBar->LockLayoutOptimization(false);
  }
  DockBarLock(const DockBarLock&) = delete;
  DockBarLock& operator=(const DockBarLock&) = delete;
  CExtDockBar* Get() const { return m_pDockBar; }

private:
  CExtDockBar* m_pDockBar = NULL;
  HWND m_hWnd = NULL;
};
} // namespace

CExtDynTabControlBar::~CExtDynTabControlBar() {
  if (m_wndTabs.GetSafeHwnd() != NULL)
    m_wndTabs.DestroyWindow();
}

CExtDockDynBar* CExtDynTabControlBar::CreateInnerDockBar() { return new CExtDockDynTabBar(0); }

int CExtDynTabControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CExtDynControlBar::OnCreate(lpcs) == -1)
    return -1;
  CRect rc;
  GetClientRect(&rc);
  rc.top = rc.bottom - kInitialStripHeight;
  rc.right = std::max<LONG>(rc.right, rc.left + 10);
  if (!m_wndTabs.Create(this, rc, static_cast<UINT>(-1), WS_CHILD | WS_VISIBLE,
                        static_cast<DWORD>(StripOrientation()) | CExtTabWnd::TS_FIT))
    return -1;
  return 0;
}

BOOL CExtDynTabControlBar::PreTranslateMessage(MSG* pMsg) {
  if (m_wndTabs.GetSafeHwnd() != NULL && m_wndTabs.PreTranslateMessage(pMsg))
    return TRUE;
  return CExtDynControlBar::PreTranslateMessage(pMsg);
}

// --- caption, visibility and sizes -----------------------------------------------------------------

bool CExtDynTabControlBar::QueryCaption(bool* pbOnTop, bool* pbShown) const {
  if (pbOnTop != NULL)
    *pbOnTop = false;
  if (pbShown != NULL)
    *pbShown = false;
  // Floating alone, the floating frame's caption is the container's.
  if (m_pDockBar != NULL && m_pDockBar->m_bFloating && m_pDockBar->GetDockedCount() == 1)
    return false;
  if (pbOnTop != NULL)
    *pbOnTop = true;
  if (pbShown != NULL)
    *pbShown = true;
  return true;
}

CExtControlBar* CExtDynTabControlBar::GetSelectedBar() const {
  return m_wndTabs.GetBarAt(m_wndTabs.SelectionGet(), true);
}

void CExtDynTabControlBar::ShowInFrame(bool bShow, bool bDelay, bool bExtra) {
  CExtControlBar* pSelected = GetSelectedBar();
  if (bShow || !bExtra || pSelected == NULL) {
    CExtDynControlBar::ShowInFrame(bShow, bDelay, bExtra);
    return;
  }
  // Closing the container closes only the bar in front.
  pSelected->ShowInFrame(false, true, bExtra);
  if (CFrameWnd* pFrame = GetDockingFrame())
    pFrame->ShowControlBar(pSelected, FALSE, TRUE);
  CFrameWnd* pParentFrame = GetParentFrame();
  if (!bDelay && pParentFrame != NULL)
    pParentFrame->RecalcLayout(TRUE);
}

bool CExtDynTabControlBar::IsStaticOptionBSet() const {
  CExtControlBar* pSelected = GetSelectedBar();
  return pSelected != NULL ? pSelected->IsStaticOptionBSet() : CExtDynControlBar::IsStaticOptionBSet();
}

void CExtDynTabControlBar::GetBarCaption(CString& strCaption) const {
  CExtControlBar* pBar = GetSelectedBar();
  if (pBar == NULL && m_wndTabs.ItemGetCount() > 0 && m_pWndDynDockBar != NULL &&
      m_pWndDynDockBar->GetSafeHwnd() != NULL)
    pBar = DYNAMIC_DOWNCAST(CExtControlBar,
                            CWnd::FromHandlePermanent(::GetWindow(m_pWndDynDockBar->m_hWnd, GW_CHILD)));
  if (pBar != NULL)
    pBar->GetBarCaption(strCaption);
  else
    CExtDynControlBar::GetBarCaption(strCaption);
}

CSize CExtDynTabControlBar::CalcInnerMinSize() const {
  CSize size(CExtControlBar::CalcMinWidth(), CExtControlBar::CalcMinHeight());
  if (m_pWndDynDockBar == NULL || m_pWndDynDockBar->GetSafeHwnd() == NULL)
    return size;
  std::vector<CControlBar*> arrBars;
  m_pWndDynDockBar->GetDockedBars(arrBars);
  for (CControlBar* p : arrBars) {
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, p);
    if (pBar == NULL || !pBar->IsVisible() || !pBar->IsShownInTabContainer())
      continue;
    size.cx = std::max<LONG>(size.cx, pBar->CalcMinWidth());
    size.cy = std::max<LONG>(size.cy, pBar->CalcMinHeight());
  }
  return size;
}

int CExtDynTabControlBar::CalcTabStripHeight() {
  m_wndTabs.OrientationSet(StripOrientation(), false);
  int nHeight = 0;
  for (int i = 0; i < m_wndTabs.ItemGetCount(); ++i) {
    CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabs.ItemGet(i);
    if (pItem->VisibleGet())
      nHeight = std::max<int>(nHeight, m_wndTabs.MeasureItem(pItem).cy);
  }
  return nHeight + kStripHeightPad;
}

// --- layout ------------------------------------------------------------------------------------------

void CExtDynTabControlBar::RepositionSingleChild(int cx, int cy, bool bRecalc) {
  auto* pInner = static_cast<CExtDockDynTabBar*>(m_pWndDynDockBar);
  if (m_wndTabs.GetSafeHwnd() == NULL || pInner == NULL || pInner->GetSafeHwnd() == NULL)
    return;
  m_wndTabs.OrientationSet(StripOrientation(), false);
  CRect rc(0, 0, cx, cy);
  if (cx < 0 || cy < 0)
    GetClientRect(&rc);
  if (m_pDockBar != NULL && m_pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT)
    rc.DeflateRect(1, 1);
  const int nBand = CalcTabStripHeight() + 1;
  CRect rcStrip = rc, rcInner = rc;
  if (g_bTabsOnTop) {
    rcStrip.bottom = rc.top + nBand;
    rcInner.top = rcStrip.bottom;
  } else {
    rcStrip.top = rc.bottom - nBand;
    rcInner.bottom = rcStrip.top;
  }
  m_wndTabs.SetWindowPos(NULL, rcStrip.left, rcStrip.top, rcStrip.Width(), rcStrip.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  // One bar alone needs no strip.
  const bool bStrip = m_wndTabs.ItemGetVisibleCount() >= 2;
  if (bStrip != (m_wndTabs.IsWindowVisible() != FALSE))
    m_wndTabs.ShowWindow(bStrip ? SW_SHOWNA : SW_HIDE);
  if (!bStrip)
    rcInner = rc;
  pInner->SetWindowPos(NULL, rcInner.left, rcInner.top, rcInner.Width(), rcInner.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  pInner->LayoutBars(true);
  m_wndTabs.UpdateTabWnd(false);
  m_wndTabs.Invalidate();
  if (bRecalc)
    pInner->RecalcNestedLayout();
}

// --- docking bars in as tabs ----------------------------------------------------------------------

int CExtDynTabControlBar::InsertOneBar(CExtControlBar* pBar, int nIndex) {
  CExtDockDynBar* pInner = m_pWndDynDockBar;
  DockBarLock lockOld(pBar->m_pDockBar);
  const HWND hOld = lockOld.Get() != NULL ? lockOld.Get()->m_hWnd : NULL;
  const bool bOldFloating = lockOld.Get() != NULL && lockOld.Get()->m_bFloating;
  const bool bHide = pBar->IsVisible() && pBar->IsShownInTabContainer();
  // Re-parented, not shown or hidden by the user: its containers must not follow.
  const BYTE bOldState = pBar->m_bBarState;
  pBar->m_bBarState |= BS_IGNORE_SIZE;
  if (bHide)
    pBar->ShowWindow(SW_HIDE);
  pInner->DockBarAt(pBar);
  if (m_pDockSite != NULL)
    CollectMiniDockFrames(m_pDockSite);
  if (!pInner->IsLocked()) {
    CRect rc;
    pInner->GetClientRect(&rc);
    if (bHide && !m_wndTabs.IsWindowVisible())
      rc.bottom -= CalcTabStripHeight() + 1;
    pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->RepositionSingleChild(-1, -1, true);
  }
  if (bHide)
    pBar->ShowWindow(SW_SHOWNA);
  pBar->m_bBarState = (pBar->m_bBarState & ~BS_IGNORE_SIZE) | (bOldState & BS_IGNORE_SIZE);
  if (m_pDockSite != NULL)
    CExtDockBar::RemovePlaceHolderInFrame(m_pDockSite, static_cast<UINT>(pBar->GetDlgCtrlID()));
  m_wndTabs.InsertBar(pBar, nIndex, false, false);
  // A container the bar left with one bar gives way to it once the move is over.
  if (CExtDockBar* pOld = lockOld.Get()) {
    // The holder of this container is left alone: the container is still filling up.
    if (::IsWindow(hOld) && !bOldFloating && pOld != pInner && pOld != m_pDockBar) {
      pOld->LockLayoutOptimization(false);
      pOld->OptimizeNestedContainers();
    }
  }
  return nIndex < 0 ? nIndex : nIndex + 1;
}

int CExtDynTabControlBar::InsertBarTree(CExtControlBar* pBar, int nIndex) {
  CExtDynControlBar* pOther = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
  if (pOther == NULL || pOther->m_pWndDynDockBar == NULL)
    return InsertOneBar(pBar, nIndex);
  CExtDockDynBar* pOtherInner = pOther->m_pWndDynDockBar;
  const HWND hOtherInner = pOtherInner->m_hWnd;
  std::vector<CControlBar*> arrBars;
  {
    DockBarLock lock(pOtherInner);
    pOtherInner->GetDockedBars(arrBars);
    for (CControlBar* p : arrBars)
      if (CExtControlBar* pInside = DYNAMIC_DOWNCAST(CExtControlBar, p))
        nIndex = InsertBarTree(pInside, nIndex);
  }
  // The emptied container goes (with its floating frame when it floated alone).
  if (::IsWindow(hOtherInner))
    pOtherInner->OptimizeNestedContainers();
  return nIndex;
}

void CExtDynTabControlBar::InsertBar(CExtControlBar* pBar, int nIndex, bool bUpdate) {
  if (pBar == NULL || pBar == this || m_pWndDynDockBar == NULL || m_wndTabs.GetSafeHwnd() == NULL)
    return;
  m_wndTabs.RemovePlaceholders(false);
  if (nIndex < 0 || nIndex >= m_wndTabs.ItemGetCount())
    nIndex = -1;
  InsertBarTree(pBar, nIndex);
  if (!bUpdate)
    return;
  m_pWndDynDockBar->RecalcNestedLayout();
  RepositionSingleChild(-1, -1, true);
  g_PaintManagerHolder->PumpPendingMessages(true, true, true);
}

void CExtDynTabControlBar::ShowDragPlaceholder(CExtControlBar* pBar, int nIndex, bool bUpdate) {
  if (pBar == NULL || m_wndTabs.GetSafeHwnd() == NULL)
    return;
  if (nIndex < 0 || nIndex >= m_wndTabs.ItemGetCount())
    nIndex = -1;
  std::vector<CControlBar*> arrBars;
  CExtDynControlBar* pOther = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
  if (pOther != NULL && pOther->m_pWndDynDockBar != NULL)
    pOther->m_pWndDynDockBar->GetDockedBars(arrBars);
  else
    arrBars.push_back(pBar);
  for (CControlBar* p : arrBars) {
    CExtControlBar* pTabbed = DYNAMIC_DOWNCAST(CExtControlBar, p);
    if (pTabbed == NULL || (pOther != NULL && (!pTabbed->IsVisible() || !pTabbed->IsShownInTabContainer())))
      continue;
    m_wndTabs.InsertBar(pTabbed, nIndex, true, false);
    if (nIndex >= 0)
      ++nIndex;
  }
  m_wndTabs.UpdateTabWnd(bUpdate);
}

void CExtDynTabControlBar::RemoveBarTab(CExtControlBar* pBar) {
  for (int i = 0; i < m_wndTabs.ItemGetCount(); ++i) {
    if (m_wndTabs.ItemGet(i)->LParamGet() == reinterpret_cast<LPARAM>(pBar)) {
      m_wndTabs.RemoveItems(i, 1, false);
      return;
    }
  }
}

// --- selection ----------------------------------------------------------------------------------------

bool CExtDynTabControlBar::SelectBarTab(CExtControlBar* pBar) {
  const int nIndex = m_wndTabs.FindBarItem(pBar);
  if (nIndex < 0)
    return false;
  m_wndTabs.ItemGet(nIndex)->ModifyItemStyle(CExtTabWnd::TIS_HIDDEN, 0);
  if (m_wndTabs.SelectionGet() == nIndex)
    BringBarForward(pBar);
  else
    m_wndTabs.SelectItem(nIndex, true, true);
  return true;
}

void CExtDynTabControlBar::BringBarForward(CExtControlBar* pBar) {
  if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
    return;
  {
    DockBarLock lock(pBar->m_pDockBar);
    pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pBar->SetFocus();
  }
  RecalcNcFrame();
  if (auto* pInner = static_cast<CExtDockDynTabBar*>(m_pWndDynDockBar))
    pInner->LayoutBars(true);
  CString strText;
  pBar->GetWindowText(strText);
  SetWindowText(strText);
  if (m_pDockBar != NULL && m_pDockBar->GetSafeHwnd() != NULL)
    m_pDockBar->SetWindowText(strText);
  CFrameWnd* pParentFrame = GetParentFrame();
  if (IsFloating() && pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    pParentFrame->SendMessage(WM_NCPAINT);
}

void CExtDynTabControlBar::EnsureSelection() {
  if (m_wndTabs.GetSafeHwnd() == NULL || m_wndTabs.ItemGetCount() < 2 || m_wndTabs.SelectionGet() >= 0 ||
      m_pWndDynDockBar == NULL)
    return;
  for (HWND h = ::GetWindow(m_pWndDynDockBar->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    // A hidden bar's tab stays hidden: it is no candidate.
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(h));
    if (pBar != NULL && pBar->IsVisible() && SelectBarTab(pBar))
      return;
  }
}

void CExtDynTabControlBar::OnBarVisibilityChanged(CExtControlBar* pBar) {
  if ((m_pDockBar == NULL && !IsDialogMode()) || m_wndTabs.GetSafeHwnd() == NULL)
    return;
  const bool bShown = pBar->IsVisible() && pBar->IsTabItemEnabled();
  const int nIndex = m_wndTabs.FindBarItem(pBar);
  if (nIndex < 0)
    return;
  CExtTabWnd::TAB_ITEM_INFO* pItem = m_wndTabs.ItemGet(nIndex);
  const bool bWasShown = pItem->VisibleGet();
  if (bShown == bWasShown)
    return; // nothing the strip shows changed
  if (!bShown && m_wndTabs.SelectionGet() == nIndex) {
    // The next visible bar behind it in z-order comes forward; with none, nothing is selected.
    int nNext = -1;
    for (HWND h = ::GetWindow(pBar->m_hWnd, GW_HWNDNEXT); h != NULL && nNext < 0;
         h = ::GetWindow(h, GW_HWNDNEXT)) {
      CExtControlBar* pOther = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(h));
      if (pOther != NULL && pOther->IsVisible() && pOther->IsTabItemEnabled())
        nNext = m_wndTabs.FindBarItem(pOther);
    }
    m_wndTabs.SelectItem(nNext, true, false);
  }
  pItem->ModifyItemStyle(bShown ? CExtTabWnd::TIS_HIDDEN : 0, bShown ? 0 : CExtTabWnd::TIS_HIDDEN);
  if (bShown)
    m_wndTabs.SelectItem(nIndex, true, false);
  m_wndTabs.UpdateTabWnd(true);
  CFrameWnd* pParentFrame = GetParentFrame();
  if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    pParentFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
  RepositionSingleChild(-1, -1, true);
}

void CExtDynTabControlBar::OnBarTextChanged(CExtControlBar* pBar) {
  m_wndTabs.UpdateTabWnd(true);
  if (CFrameWnd* pFrame = GetDockingFrame()) {
    pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    pFrame->PostMessage(WM_NULL);
  }
  if (pBar == GetSelectedBar()) {
    CString strText;
    pBar->GetWindowText(strText);
    SetWindowText(strText);
  }
  RecalcNcFrame();
}

void CExtDynTabControlBar::OnSetFocus(CWnd* pOldWnd) {
  CExtDynControlBar::OnSetFocus(pOldWnd);
  CExtControlBar* pBar = GetSelectedBar();
  if (pBar != NULL && pBar->IsWindowVisible())
    pBar->SetFocus();
}
