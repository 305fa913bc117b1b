// The tab container's strip: tabs that stand for bars, placeholder tabs, keyboard stepping, the
// tab switch that brings a bar forward, double click, drag start and the bars menu.
#include "toolkit/docking/ExtDynTabWnd.h"

#include "framework/app/fw_app.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDynTabControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <cstdlib>
#include <memory>

IMPLEMENT_DYNCREATE(CExtDynTabWnd, CExtTabWnd)

BEGIN_MESSAGE_MAP(CExtDynTabWnd, CExtTabWnd)
ON_MESSAGE(WM_LBUTTONDBLCLK, OnLButtonDblClkMsg)
ON_MESSAGE(WM_RBUTTONDOWN, OnDefaultMsg)
ON_MESSAGE(WM_RBUTTONUP, OnDefaultMsg)
ON_MESSAGE(WM_CONTEXTMENU, OnContextMenuMsg)
ON_MESSAGE(WM_CREATE, OnCreateMsg)
END_MESSAGE_MAP()

bool CExtDynTabWnd::g_bCtrlPageSwitching = true;
bool CExtDynTabWnd::g_bAcceptOleDrags = true;

CExtDynTabControlBar* CExtDynTabWnd::GetContainer() const {
  if (GetSafeHwnd() == NULL)
    return NULL;
  return DYNAMIC_DOWNCAST(CExtDynTabControlBar, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

// --- the tabs ------------------------------------------------------------------------------------

void CExtDynTabWnd::InsertBar(CExtControlBar* pBar, int nIndex, bool bPlaceholder, bool bUpdate) {
  if (pBar == NULL)
    return;
  if (FindBarItem(pBar, true) >= 0) {
    UpdateTabWnd(bUpdate);
    return;
  }
  if (nIndex < 0 || nIndex >= ItemGetCount())
    nIndex = -1;
  DWORD dwStyle = bPlaceholder ? TIS_DRAG_PLACEHOLDER : 0;
  if (pBar->GetSafeHwnd() == NULL || !pBar->IsVisible() || !pBar->IsTabItemEnabled())
    dwStyle |= TIS_HIDDEN;
  CExtCmdManager* pManager = g_CmdManagerHolder.GetPtr();
  CExtCmdIcon* pIcon = pManager->GetCommandIcon(pManager->GetProfileNameForWindow(GetSafeHwnd()),
                                                static_cast<UINT>(pBar->GetDlgCtrlID()));
  if (pIcon == NULL || pIcon->IsEmpty())
    dwStyle |= TIS_NO_CMD_ICON;
  InsertItem(NULL, NULL, false, dwStyle, nIndex, reinterpret_cast<LPARAM>(pBar), bUpdate);
}

bool CExtDynTabWnd::IsLiveItem(int nIndex) const {
  const TAB_ITEM_INFO* pItem = ItemGet(nIndex);
  return pItem != NULL && (pItem->GetItemStyle() & TIS_DRAG_PLACEHOLDER) == 0;
}

CExtControlBar* CExtDynTabWnd::GetBarAt(int nIndex, bool bSkipPlaceholders) const {
  const TAB_ITEM_INFO* pItem = ItemGet(nIndex);
  if (pItem == NULL || (bSkipPlaceholders && !IsLiveItem(nIndex)))
    return NULL;
  auto* pBar = reinterpret_cast<CExtControlBar*>(pItem->LParamGet());
  return pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()) ? pBar : NULL;
}

int CExtDynTabWnd::FindBarItem(const CExtControlBar* pBar, bool bPlaceholdersToo) const {
  for (int i = 0; i < ItemGetCount(); ++i)
    if (ItemGet(i)->LParamGet() == reinterpret_cast<LPARAM>(pBar) && (bPlaceholdersToo || IsLiveItem(i)))
      return i;
  return -1;
}

bool CExtDynTabWnd::HasPlaceholders() const { return ItemFindByStyle(TIS_DRAG_PLACEHOLDER, 0) >= 0; }

void CExtDynTabWnd::RemovePlaceholders(bool bUpdate) {
  for (int i = ItemGetCount() - 1; i >= 0; --i)
    if (!IsLiveItem(i))
      RemoveItems(i, 1, false);
  UpdateTabWnd(bUpdate);
}

bool CExtDynTabWnd::StepSelection(bool bForward) {
  const int nCount = ItemGetCount();
  const int nSel = SelectionGet();
  if (nSel < 0 || nCount < 2)
    return false;
  // One full cycle at most: with every other tab hidden the search would never end.
  for (int nStep = 1; nStep < nCount; ++nStep) {
    const int i = ((nSel + (bForward ? nStep : -nStep)) % nCount + nCount) % nCount;
    CExtControlBar* pBar = GetBarAt(i, true);
    if (pBar == NULL || !ItemGet(i)->VisibleGet() || !pBar->IsWindowVisible())
      continue;
    CWnd::CancelToolTips();
    SelectItem(i, true, true);
    return true;
  }
  return false;
}

// --- keyboard, clicks and the drag start -------------------------------------------------------

BOOL CExtDynTabWnd::PreTranslateMessage(MSG* pMsg) {
  if (g_bCtrlPageSwitching && pMsg->message == WM_KEYDOWN &&
      (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) && (::GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
      (::GetKeyState(VK_SHIFT) & 0x8000) == 0 && (::GetKeyState(VK_MENU) & 0x8000) == 0 &&
      ItemGetVisibleCount() > 0 && SelectionGet() >= 0) {
    StepSelection(pMsg->wParam == VK_NEXT);
    return TRUE; // eaten even when no other tab qualifies
  }
  return CExtTabWnd::PreTranslateMessage(pMsg);
}

bool CExtDynTabWnd::OnItemClick(int nIndex, bool bDown, int nButton, UINT /*nFlags*/) {
  if (nButton != MOUSE_LEFT)
    return nButton != MOUSE_RIGHT;
  if (!bDown) {
    m_nDragCandidate = -1;
    return true;
  }
  if (!IsLiveItem(nIndex))
    return true;
  m_nDragCandidate = nIndex;
  m_ptDragCandidate = m_ptPress;
  SelectItem(nIndex, true, true);
  return true;
}

void CExtDynTabWnd::OnMouseMove(UINT nFlags, int x, int y) {
  if (m_nDragCandidate >= 0) {
    if ((nFlags & MK_LBUTTON) == 0) {
      m_nDragCandidate = -1;
    } else if (std::abs(x - m_ptDragCandidate.x) > kDragStartDistance ||
               std::abs(y - m_ptDragCandidate.y) > kDragStartDistance) {
      const int nIndex = m_nDragCandidate;
      m_nDragCandidate = -1;
      OnTabWndStartDrag(nIndex);
      return;
    }
  }
  CExtTabWnd::OnMouseMove(nFlags, x, y);
}

bool CExtDynTabWnd::OnTabWndStartDrag(int nIndex) {
  CPoint ptCursor;
  if (!::GetCursorPos(&ptCursor))
    return false;
  CExtControlBar* pBar = GetBarAt(nIndex, true);
  if (pBar == NULL)
    return true;
  PressEnd(true);
  EndHover(true);
  const HWND hWnd = m_hWnd;
  ItemGet(nIndex)->ModifyItemStyle(0, TIS_DRAG_PLACEHOLDER);
  pBar->TrackDragging(ptCursor, CPoint(0, 0), 1, 1);
  if (::IsWindow(hWnd)) {
    for (int i = 0; i < ItemGetCount(); ++i)
      ItemGet(i)->ModifyItemStyle(TIS_DRAG_PLACEHOLDER, 0);
    UpdateTabWnd(true);
  }
  return true;
}

LRESULT CExtDynTabWnd::OnLButtonDblClkMsg(WPARAM, LPARAM lParam) {
  const int nHit = HitTest(CPoint(lParam));
  if (CExtControlBar* pBar = nHit >= 0 ? GetBarAt(nHit, true) : NULL)
    pBar->FloatAtLastPosition(CBRS_ALIGN_TOP);
  return 0;
}

LRESULT CExtDynTabWnd::OnDefaultMsg(WPARAM, LPARAM) { return Default(); }

// --- the tab switch --------------------------------------------------------------------------------

bool CExtDynTabWnd::OnTabWndSelectionChange(int nOldIndex, int nNewIndex, bool bPreSelectionTest) {
  CExtDynTabControlBar* pContainer = GetContainer();
  if (bPreSelectionTest && pContainer != NULL && !pContainer->OnActiveTabChange(nOldIndex, nNewIndex, true))
    return false;
  if (!CExtTabWnd::OnTabWndSelectionChange(nOldIndex, nNewIndex, bPreSelectionTest))
    return false;
  if (bPreSelectionTest || nOldIndex == nNewIndex || ItemGetVisibleCount() == 0 || pContainer == NULL)
    return true;
  CExtControlBar* pBar = GetBarAt(nNewIndex, true);
  if (pBar == NULL)
    return true;
  pContainer->BringBarForward(pBar);
  pContainer->OnActiveTabChange(nOldIndex, nNewIndex, false);
  return true;
}

// --- what a tab shows --------------------------------------------------------------------------------

CExtCmdIcon* CExtDynTabWnd::OnTabWndQueryItemIcon(const TAB_ITEM_INFO* pItem) {
  CExtControlBar* pBar = pItem != NULL ? GetBarAt(ItemGetIndexOf(pItem), false) : NULL;
  if (pBar == NULL || (pItem->GetItemStyle() & TIS_NO_CMD_ICON) != 0)
    return CExtTabWnd::OnTabWndQueryItemIcon(pItem);
  CExtCmdManager* pManager = g_CmdManagerHolder.GetPtr();
  return pManager->GetCommandIcon(pManager->GetProfileNameForWindow(GetSafeHwnd()),
                                  static_cast<UINT>(pBar->GetDlgCtrlID()));
}

LPCSTR CExtDynTabWnd::OnTabWndQueryItemText(const TAB_ITEM_INFO* pItem) {
  CExtControlBar* pBar = pItem != NULL ? GetBarAt(ItemGetIndexOf(pItem), false) : NULL;
  if (pBar == NULL)
    return CExtTabWnd::OnTabWndQueryItemText(pItem);
  // One text shared by all strips: it is read at once by the caller.
  static CString s_strText;
  pBar->GetBarCaption(s_strText);
  return s_strText;
}

void CExtDynTabWnd::OnTabWndDrawItem(CDC& dc, const RECT& rcItemsArea, TAB_ITEM_INFO* pItem,
                                     const RECT& rcItem, LPCSTR sText, CExtCmdIcon* pIcon, CFont* pFont,
                                     bool bSelected, bool bInGroupActive, int nOrientation,
                                     bool bGroupedMode) {
  // While a bar is dragged in, its placeholder looks selected and the selected tab does not.
  if (HasPlaceholders()) {
    const int nIndex = ItemGetIndexOf(pItem);
    bSelected = !IsLiveItem(nIndex) && (nIndex == 0 || IsLiveItem(nIndex - 1));
    pFont = OnTabWndQueryItemFont(bSelected, -1);
  }
  CExtTabWnd::OnTabWndDrawItem(dc, rcItemsArea, pItem, rcItem, sText, pIcon, pFont, bSelected, bInGroupActive,
                               nOrientation, bGroupedMode);
}

// --- the bars menu -----------------------------------------------------------------------------------

LRESULT CExtDynTabWnd::OnContextMenuMsg(WPARAM, LPARAM lParam) {
  if (CExtControlBar::g_bLockAllBars)
    return 0;
  if (CExtControlBar::IsFrameInHelpMode(this))
    return 0;
  CPoint pt(lParam);
  if (pt.x == -1 && pt.y == -1 && !::GetCursorPos(&pt))
    pt = CPoint(0, 0);
  ShowContextMenu(pt);
  return 0;
}

void CExtDynTabWnd::ShowContextMenu(CPoint ptScreen) {
  CExtDynTabControlBar* pContainer = GetContainer();
  CFrameWnd* pSite = pContainer != NULL ? pContainer->m_pDockSite : NULL;
  if (pSite == NULL)
    return;
  // The tracking site owns the menu once tracking starts; until then it is ours.
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->InitTopLevel(pSite->GetSafeHwnd()))
    return;
  CExtControlBar::POPUP_MENU_EVENT_DATA data(
      CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TAB_CONTAINER_CONTEXT, pPopup.get(), this, ptScreen,
      WM_CONTEXTMENU);
  if (!data.NotifyTarget(false)) {
    for (int i = 0; i < ItemGetCount(); ++i)
      if (CExtControlBar* pBar = GetBarAt(i, true))
        pBar->InsertIntoBarsMenu(pPopup.get());
  }
  data.NotifyTarget(true);
  if (pPopup->GetItemCount() == 0)
    return;
  pSite->SetFocus();
  if (pPopup->RunTrackingLoop(0x800, ptScreen.x, ptScreen.y))
    pPopup.release();
}

// --- OLE drags: hover activation ---------------------------------------------------------------

LRESULT CExtDynTabWnd::OnCreateMsg(WPARAM, LPARAM) {
  const LRESULT lResult = Default();
  if (lResult != -1 && g_bAcceptOleDrags && AfxOleIsInitialized() && !m_dropTarget.Register(this))
    TRACE("CExtDynTabWnd: the strip accepts no OLE drags\n");
  return lResult;
}

DROPEFFECT CExtDynTabWnd::CDynDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject,
                                                      DWORD dwKeyState, CPoint point) {
  return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CExtDynTabWnd::CDynDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) {
  const int nHit = m_pStrip->HitTest(point);
  CExtControlBar* pBar = nHit >= 0 && nHit < m_pStrip->ItemGetCount() ? m_pStrip->GetBarAt(nHit, true) : NULL;
  if (pBar == NULL)
    return DROPEFFECT_NONE;
  // The delay is signed: a negative one turns hover activation off for the bar.
  const int nDelay = static_cast<int>(pBar->GetDragHoverDelay());
  if (nDelay == 0) {
    if (m_pStrip->SelectionGet() != nHit)
      m_pStrip->SelectItem(nHit, true, true);
  } else if (nDelay > 0 && m_pStrip->SelectionDelayGetItem() != nHit) {
    m_pStrip->SelectionDelay(nHit, static_cast<UINT>(nDelay));
  }
  return DROPEFFECT_NONE;
}
