// Showing a popup menu and moving through it with the mouse and the timers: the receiver's prepare
// messages, the states of the standard window commands, the anchor, creating and showing the
// window, the current item with its status tip and submenu, and the submenu delay. The keyboard is
// in ExtPopupMenuKeyboard.cpp.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "framework/frame/fw_frame.h"
#include "framework/res/fw_res.h"
#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/menus/ExtPopupChainGuard.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

const UINT kSubmenuDelayMs = 500;
const UINT kItemHoverPeriodMs = 30;
const UINT kExpandHoverStep = 50, kExpandHoverLimit = 1500;
const UINT kShowFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;

bool IsLiveWindow(HWND hWnd) { return hWnd != NULL && ::IsWindow(hWnd); }

bool IsOpen(const CExtPopupMenuWnd* pMenu) {
  const HWND hWnd = pMenu != NULL ? pMenu->GetSafeHwnd() : NULL;
  return IsLiveWindow(hWnd) && ::IsWindowVisible(hWnd);
}

// The frame whose status line shows the tips of a receiver's menus.
HWND StatusFrameOf(HWND hWndReceiver) {
  CWnd* pReceiver = IsLiveWindow(hWndReceiver) ? CWnd::FromHandlePermanent(hWndReceiver) : NULL;
  if (pReceiver == NULL)
    return NULL;
  CFrameWnd* pFrame = pReceiver->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pReceiver)
                                                                    : pReceiver->GetParentFrame();
  return pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
}

// The enabled state a standard window command has for its window; false for ids that keep theirs.
bool SystemCommandState(UINT nCmdId, HWND hWnd, bool& bEnabled) {
  WINDOWPLACEMENT wp = {sizeof(wp)};
  if (!::GetWindowPlacement(hWnd, &wp))
    return false;
  const DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
  const DWORD dwExStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
  const bool bMaximized = wp.showCmd == SW_SHOWMAXIMIZED;
  const bool bMinimized =
      wp.showCmd == SW_SHOWMINIMIZED || wp.showCmd == SW_MINIMIZE || wp.showCmd == SW_SHOWMINNOACTIVE;
  switch (nCmdId) {
  case SC_SIZE:
  case SC_MOVE:
    bEnabled = !bMaximized && !bMinimized;
    return true;
  case SC_MINIMIZE:
    bEnabled = (dwStyle & WS_MINIMIZEBOX) != 0 && !bMinimized;
    return true;
  case SC_MAXIMIZE:
    bEnabled = (dwStyle & WS_MAXIMIZEBOX) != 0 && !bMaximized;
    return true;
  case SC_CLOSE: {
    const HMENU hSysMenu = ::GetSystemMenu(hWnd, FALSE);
    const UINT nState = hSysMenu != NULL ? ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) : 0;
    bEnabled = nState == (UINT)-1 || (nState & (MF_GRAYED | MF_DISABLED)) == 0;
    return true;
  }
  case SC_RESTORE:
    bEnabled = (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0 && (bMaximized || bMinimized);
    return true;
  case SC_CONTEXTHELP:
    bEnabled = (dwExStyle & WS_EX_CONTEXTHELP) != 0;
    return true;
  }
  return false;
}

} // namespace

// -------------------------------------------------------------------------------------------------
// Preparing and showing.

bool CExtPopupMenuWnd::SendPrepareMessage(UINT nMessage, BYTE nFlags) {
  const HWND hWndReceiver = GetCmdReceiverHWND();
  if (!IsLiveWindow(hWndReceiver))
    return true;
  const CExtPopupChainGuard guard(*this);
  MsgPrepareMenuData_t data;
  data.m_nFlags = nFlags;
  data.m_pPopup = this;
  ::SendMessageA(hWndReceiver, nMessage, (WPARAM)&data, (LPARAM)this);
  if (!guard.IsAlive() || (data.m_nFlags & MsgPrepareMenuData_t::PREPARE_CANCEL) != 0)
    return false;
  if ((data.m_nFlags & MsgPrepareMenuData_t::PREPARE_CHANGED) != 0) {
    RecalcItemLayout();
    UpdateItemsCmdUI();
  }
  return true;
}

void CExtPopupMenuWnd::UpdateSystemCommandStates() {
  for (int i = 0; i < GetItemCount(); i++) {
    MENUITEMDATA& item = m_items[i];
    if (!item.IsCommandItem() || !IsSystemCommandId(item.m_nCmdId))
      continue;
    const HWND hWnd = item.m_hWndCmdReceiver != NULL ? item.m_hWndCmdReceiver : m_hWndCmdReceiver;
    bool bEnabled = true;
    if (!IsLiveWindow(hWnd) || !SystemCommandState(item.m_nCmdId, hWnd, bEnabled))
      continue;
    item.SetCommandFlag4(bEnabled);
    if (CExtCmdItem* pCmdItem = item.GetCmdItem())
      pCmdItem->Enable(bEnabled);
  }
}

bool CExtPopupMenuWnd::PrepareContent(DWORD dwTrackFlags, int x, int y, const RECT* prcExclude,
                                      LPVOID pCookie, PFN_COMBINED_AREA_PAINTER pfnPainter,
                                      bool bPainterFlag) {
  CExtPopupTrackSite& site = GetTrackSite();
  const bool bDisplayOnly = (dwTrackFlags & TPMX_DISPLAY_ONLY) != 0;
  if (!bDisplayOnly && site.m_pTrackedMenu == this && !SendPrepareMessage(g_nMsgPrepareMenu, 0))
    return false;
  if (!SendPrepareMessage(g_nMsgPrepareOneMenuLevel, MsgPrepareMenuData_t::PREPARE_ONE_LEVEL))
    return false;
  if (!bDisplayOnly)
    UpdateSystemCommandStates();

  ResetMenuState();
  m_dwTrackFlags = (m_dwTrackFlags & (TPMX_PALETTE | TPMX_DOCKER_BACKGROUND)) | dwTrackFlags;
  m_pfnCombinedAreaPainter = pfnPainter;
  m_pCombinedAreaCookie = pCookie;
  m_bCombinedAreaPainterFlag = bPainterFlag;
  // A submenu opens as its parent is; a top menu hides its rarely used items only when asked to.
  const bool bExpanded = m_pParentMenu != NULL
                             ? (m_pParentMenu->m_dwMenuState & MENU_EXPANDED) != 0
                             : !g_bMenuHideRarelyUsed || (dwTrackFlags & TPMX_SHOW_ALL) != 0;
  if (bExpanded)
    m_dwMenuState = (m_dwMenuState | MENU_EXPANDED) & ~MENU_EXPAND_ROW;
  else
    m_dwMenuState &= ~MENU_EXPANDED;

  CPoint pt(x, y);
  if ((x < 0 || y < 0) && !::GetCursorPos(&pt))
    return false;
  m_ptTrack = pt;
  if (prcExclude != NULL) {
    m_rcExclude = *prcExclude;
    m_nPlacementFlags |= PLACE_EXCLUDE_GIVEN;
    if ((dwTrackFlags & TPMX_COMBINE_ALWAYS) != 0 ||
        ((dwTrackFlags & TPMX_COMBINE_BY_THEME) != 0 && g_PaintManagerHolder->IsMenuCombinedWithButton()))
      m_nPlacementFlags |= PLACE_COMBINED;
  } else {
    m_rcExclude.SetRect(pt.x - 3, pt.y - 3, pt.x + 3, pt.y + 3);
  }
  RecalcItemLayout();
  if (prcExclude != NULL && m_pParentMenu != NULL && IsRightToLeftLayout()) {
    // A right-to-left submenu of a menu that dropped down opens to the left.
    CExtPopupMenuWnd* pTop = m_pParentMenu;
    while (!pTop->IsTopLevel() && pTop->m_pParentMenu != NULL)
      pTop = pTop->m_pParentMenu;
    const DWORD dwAlign = pTop->m_dwTrackFlags & TPMX_ALIGN_MASK;
    if (dwAlign == 4 || dwAlign == 6)
      m_dwTrackFlags = (m_dwTrackFlags & ~(DWORD)0x0C) | 0x03;
  }

  // A submenu's window of an earlier opening is made anew at the new place.
  if (IsLiveWindow(m_hWnd) && site.m_pTrackedMenu != this)
    DestroyWindow();
  CWnd* pWndParent = m_pParentMenu;
  if (pWndParent == NULL && IsLiveWindow(m_hWndCmdReceiver))
    pWndParent = CWnd::FromHandle(m_hWndCmdReceiver);
  CExtPopupChainGuard guard(*this);
  if (!CreateMenuWindow(pWndParent) || !guard.IsAlive())
    return false;
  guard.TakeWindow(*this);
  const HWND hWnd = m_hWnd;
  const int nFirst = (dwTrackFlags & TPMX_SELECT_FIRST) != 0 ? FindNavigationTarget(NAV_CURRENT) : -1;
  if (nFirst >= 0) {
    SetCurrentItem(nFirst);
    if (!guard.IsAlive())
      return false;
  }

  bool bStarted = false;
  if ((dwTrackFlags & TPMX_NO_ANIMATION) == 0 && !bDisplayOnly) {
    m_nAnimationType = ExtBarMenuTracking::IsTracking() ? ANIM_NONE : g_nDefaultAnimation;
    StartAnimationTimer();
    if (!guard.IsAlive())
      return false;
    bStarted = true;
  }
  if (!bStarted || m_nAnimationType == ANIM_NONE) {
    m_nAnimationType = ANIM_AT_ONCE;
    StartAnimationTimer();
    if (!guard.IsAlive())
      return false;
  }
  if (bDisplayOnly)
    m_nState |= POPUP_ANIMATION_FINISHED;
  if (m_rgnWindow.GetSafeHandle() != NULL) {
    CRgn rgnCopy;
    if (rgnCopy.CreateRectRgn(0, 0, 0, 0) && rgnCopy.CopyRgn(&m_rgnWindow) != ERROR &&
        ::SetWindowRgn(hWnd, (HRGN)rgnCopy.GetSafeHandle(), FALSE))
      rgnCopy.Detach(); // the window owns it now
  }
  CaptureScreenBeneath();
  ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, kShowFlags);
  if (!guard.IsAlive())
    return false;
  ::UpdateWindow(hWnd);
  if (!guard.IsAlive())
    return false;
  if (!bDisplayOnly)
    SetHoverMenu();
  return true;
}

// -------------------------------------------------------------------------------------------------
// The current item.

void CExtPopupMenuWnd::ShowStatusTipOf(int nIndex) {
  const HWND hWndFrame = StatusFrameOf(GetCmdReceiverHWND());
  if (hWndFrame == NULL)
    return;
  if (!IsItemIndex(nIndex) || m_items[nIndex].IsSeparator()) {
    ::SendMessageA(hWndFrame, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    return;
  }
  const CString sTip = m_items[nIndex].GetTipText();
  ::SendMessageA(hWndFrame, WM_SETMESSAGESTRING, 0, (LPARAM)(LPCSTR)sTip);
}

void CExtPopupMenuWnd::SetCurrentItem(int nIndex, bool bOpenSubmenu, bool bRepaintNow, bool bSelectFirst) {
  const CExtPopupChainGuard guard(*this);
  if (nIndex != m_nCurIndex) {
    ClearCurrentItem(true, false);
    if (!guard.IsAlive())
      return;
    m_nCurIndex = nIndex;
    if (IsItemIndex(nIndex)) {
      BYTE nFlags = (bOpenSubmenu ? ItemCoveringNotification_t::ICN_OPEN_SUBMENU : 0) |
                    (bSelectFirst ? ItemCoveringNotification_t::ICN_SELECT_FIRST : 0);
      ItemCoveringNotification_t notification(this, NULL, nIndex,
                                              ItemCoveringNotification_t::ICN_ITEM_CURRENT, nFlags);
      notification.Notify();
      if (!guard.IsAlive())
        return;
      if ((notification.m_nFlags & ItemCoveringNotification_t::ICN_ANSWER) != 0)
        m_dwMenuState |= MENU_COVERING_ANSWER;
      else
        m_dwMenuState &= ~MENU_COVERING_ANSWER;
      if (nIndex == m_nCurIndex)
        m_items[nIndex].m_nDisplayFlags |= MENUITEMDATA::DISPLAY_CURRENT;
    }
    ShowStatusTipOf(m_nCurIndex);
    if (!guard.IsAlive())
      return;
  }
  if (IsOpen(this)) {
    // Only the rows that changed are painted: a key step must not cost a whole menu.
    CRect rcDirty = GetCurrentItemDirtyRect(nIndex);
    // An opening animation paints its own frames until it ends.
    if (bRepaintNow && IsAnimationFinished()) {
      CRect rcPending;
      if (::GetUpdateRect(m_hWnd, &rcPending, FALSE))
        rcDirty.UnionRect(rcDirty, rcPending);
      if (!rcDirty.IsRectEmpty()) {
        CClientDC dc(this);
        dc.IntersectClipRect(&rcDirty);
        PaintContent(dc, true);
        ::ValidateRect(m_hWnd, &rcDirty);
      }
    } else if (!rcDirty.IsRectEmpty()) {
      ::InvalidateRect(m_hWnd, &rcDirty, FALSE);
    }
  }
  if (!bOpenSubmenu || !IsItemIndex(nIndex) || nIndex != m_nCurIndex)
    return;
  const MENUITEMDATA& item = m_items[nIndex];
  CExtPopupMenuWnd* pChild = item.IsPopup() ? item.m_pPopup : NULL;
  if (pChild == NULL || IsOpen(pChild) || !pChild->CanOpenFromItem() || !IsLiveWindow(m_hWnd))
    return;
  CRect rcItem;
  GetItemRect(nIndex, rcItem);
  ClientToScreen(&rcItem);
  DWORD dwFlags = m_dwTrackFlags & (TPMX_NO_CMD_DELIVERY | TPMX_NO_CMD_UI | TPMX_NO_SHADOW);
  if ((item.m_nDisplayFlags & MENUITEMDATA::DISPLAY_JOINED_SUBMENU) != 0)
    dwFlags |= TPMX_COMBINE_BY_THEME;
  if (!pChild->PrepareContent(dwFlags, rcItem.right, rcItem.top, &rcItem, (LPVOID)(INT_PTR)nIndex,
                              m_pfnCombinedAreaPainter, m_bCombinedAreaPainterFlag) ||
      !guard.IsAlive())
    return;
  const int nFirst = bSelectFirst ? pChild->FindNavigationTarget(NAV_CURRENT) : -1;
  if (nFirst >= 0)
    pChild->SetCurrentItem(nFirst, false, true);
}

void CExtPopupMenuWnd::ClearCurrentItem(bool bHideInplace, bool bNotify) {
  const CExtPopupChainGuard guard(*this);
  const int nOld = m_nCurIndex;
  m_nCurIndex = -1;
  if (IsItemIndex(nOld)) {
    MENUITEMDATA& item = m_items[nOld];
    item.m_nDisplayFlags &= ~MENUITEMDATA::DISPLAY_CURRENT;
    if (bHideInplace && IsLiveWindow(item.m_hWndInplace))
      ::ShowWindow(item.m_hWndInplace, SW_HIDE);
    if (item.IsPopup() && item.m_pPopup != NULL && IsLiveWindow(item.m_pPopup->GetSafeHwnd())) {
      item.m_pPopup->ResetAndHide(false);
      if (!guard.IsAlive())
        return;
    }
  }
  // The closed submenu took the input with it; it comes back here.
  CExtPopupTrackSite& site = GetTrackSite();
  if (site.m_pHoverMenu == NULL && !site.IsEmpty() && !site.IsEnding())
    SetHoverMenu();
  if (bNotify && nOld >= 0) {
    ItemCoveringNotification_t notification(this, NULL, -1, ItemCoveringNotification_t::ICN_ITEM_CURRENT);
    notification.Notify();
    if (!guard.IsAlive())
      return;
  }
  if (IsOpen(this)) {
    const CRect rcDirty = GetCurrentItemDirtyRect(nOld);
    if (!rcDirty.IsRectEmpty())
      ::InvalidateRect(m_hWnd, &rcDirty, FALSE);
  }
}

CRect CExtPopupMenuWnd::GetCurrentItemDirtyRect(int nIndex) const {
  CRect rcDirty;
  if (!IsItemIndex(nIndex) || m_hWnd == NULL)
    return rcDirty;
  if (IsPaletteLayout()) {
    ::GetClientRect(m_hWnd, &rcDirty);
    return rcDirty;
  }
  const int nFirst = std::max(0, nIndex - 2), nLast = std::min(GetItemCount() - 1, nIndex + 2);
  for (int i = nFirst; i <= nLast; ++i) {
    CRect rcItem;
    GetItemRect(i, rcItem, false);
    if (!rcItem.IsRectEmpty())
      rcDirty.UnionRect(rcDirty, rcItem);
  }
  return rcDirty;
}

void CExtPopupMenuWnd::StartSubmenuDelay(int nIndex) {
  if (nIndex < 0) {
    CancelSubmenuDelay();
    return;
  }
  if (nIndex == m_nPendingSubmenuIndex)
    return;
  m_nPendingSubmenuIndex = nIndex;
  const CExtPopupChainGuard guard(*this);
  ItemCoveringNotification_t(this, NULL, nIndex, ItemCoveringNotification_t::ICN_SUBMENU_DELAY).Notify();
  if (guard.IsAlive() && IsLiveWindow(m_hWnd))
    SetTimer(ID_TIMER_SUBMENU_DELAY, kSubmenuDelayMs, NULL);
}

void CExtPopupMenuWnd::HandleTimer(UINT nIDEvent) {
  CExtPopupTrackSite& site = GetTrackSite();
  switch (nIDEvent) {
  case ID_TIMER_SUBMENU_DELAY: {
    if (site.m_pAnimatedMenu != NULL)
      return; // tried again on the next tick, once the menu has appeared
    KillTimer(ID_TIMER_SUBMENU_DELAY);
    const int nPending = m_nPendingSubmenuIndex;
    m_nPendingSubmenuIndex = -1;
    if (site.IsEnding() || !IsItemIndex(nPending))
      return;
    CPoint pt;
    if (!::GetCursorPos(&pt))
      return;
    ScreenToClient(&pt);
    CRect rcItem;
    GetItemRect(nPending, rcItem);
    if (rcItem.PtInRect(pt))
      SetCurrentItem(nPending, true, true);
    return;
  }
  case ID_TIMER_ITEM_HOVER: {
    if (m_nExpandHoverCounter < kExpandHoverLimit) {
      m_nExpandHoverCounter += kExpandHoverStep;
      if (m_nExpandHoverCounter < kExpandHoverLimit)
        return;
    }
    KillTimer(ID_TIMER_ITEM_HOVER);
    m_nExpandHoverCounter = 0;
    const bool bHidden = (m_dwMenuState & MENU_EXPAND_ROW) != 0 && (m_dwMenuState & MENU_EXPANDED) == 0;
    CPoint pt;
    if (!bHidden || site.m_pAnimatedMenu != NULL || !::GetCursorPos(&pt))
      return;
    ScreenToClient(&pt);
    if (HitTest(pt) == HIT_EXPAND_ROW)
      ExpandToAllItems();
    return;
  }
  }
  CExtPopupBaseWnd::OnTimer(nIDEvent);
}

// -------------------------------------------------------------------------------------------------
// The mouse.

CExtPopupMenuWnd* CExtPopupMenuWnd::FindChainMenuAt(const POINT& ptScreen) {
  const HWND hWndAt = ::WindowFromPoint(ptScreen);
  if (hWndAt == NULL)
    return NULL;
  CExtPopupMenuWnd* pFound = NULL;
  for (CExtPopupMenuWnd* pMenu = GetTopMenu(); pMenu != NULL;
       pMenu = pMenu->ItemGetPopup(pMenu->GetCurrentItemIndex())) {
    if (!IsOpen(pMenu))
      break;
    const HWND hWndTip = pMenu->m_tip.GetSafeHwnd();
    if (hWndAt == pMenu->GetSafeHwnd() || (hWndAt == hWndTip && ::IsWindowVisible(hWndTip)))
      pFound = pMenu;
  }
  return pFound;
}

bool CExtPopupMenuWnd::HandleMouseMove(UINT nMsg, int x, int y, bool& bNoEat) {
  if (!IsLiveWindow(m_hWnd) || GetTrackSite().IsEnding())
    return false;
  const CPoint pt(x, y);
  if (!IsPointOverMenu(pt)) {
    CPoint ptScreen(pt);
    ClientToScreen(&ptScreen);
    CExtPopupMenuWnd* pOther = FindChainMenuAt(ptScreen);
    if (pOther == NULL || pOther == this || pOther->GetSafeHwnd() != ::WindowFromPoint(ptScreen))
      return false;
    pOther->ScreenToClient(&ptScreen);
    return pOther->HandleMouseMove(nMsg, ptScreen.x, ptScreen.y, bNoEat);
  }
  const int nHit = HitTest(pt);
  switch (nHit) {
  case HIT_EXPAND_ROW:
    if (g_bMenuExpandByHover)
      SetTimer(ID_TIMER_ITEM_HOVER, kItemHoverPeriodMs, NULL);
    return true;
  case HIT_TEAROFF:
    ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
    if (g_bMenuItemTips && !IsOwnTipVisible()) {
      CRect rcHover(m_rcTearOff);
      ClientToScreen(&rcHover);
      m_tip.SetText("Drag to make this menu float");
      m_tip.SetTipStyle(GetItemTipStyle());
      m_tip.ShowBalloon(this, rcHover);
    }
    return true;
  case HIT_SCROLL_UP:
  case HIT_SCROLL_DOWN:
    StartScrolling(nHit);
    return true;
  }
  if (nHit < 0 || nHit == m_nCurIndex || m_items[nHit].IsSeparator() || !m_items[nHit].IsEnabled())
    return true;
  const CExtPopupChainGuard guard(*this);
  CancelSubmenuDelay();
  SetHoverMenu();
  SetCurrentItem(nHit, false, true);
  if (!guard.IsAlive())
    return true;
  m_nLastHoverIndex = nHit;
  if (m_items[nHit].IsPopup()) {
    HideOwnTip();
    if (guard.IsAlive())
      StartSubmenuDelay(nHit);
  } else if (g_bMenuItemTips) {
    const CString sTip = m_items[nHit].GetTipText();
    HideOwnTip();
    if (!sTip.IsEmpty() && guard.IsAlive()) {
      CRect rcHover;
      GetItemRect(nHit, rcHover);
      ClientToScreen(&rcHover);
      m_tip.SetText(sTip);
      m_tip.SetTipStyle(GetItemTipStyle());
      m_tip.ShowBalloon(this, rcHover);
    }
  }
  return true;
}

bool CExtPopupMenuWnd::HandleMouseWheel(UINT, const MOUSEHOOKSTRUCT*, bool&) { return true; }

bool CExtPopupMenuWnd::HandleMouseClick(UINT nMsg, int x, int y, bool& bNoEat) {
  if (!IsLiveWindow(m_hWnd) || GetTrackSite().IsEnding())
    return false;
  const bool bDown = nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN ||
                     nMsg == WM_NCLBUTTONDOWN || nMsg == WM_NCRBUTTONDOWN || nMsg == WM_NCMBUTTONDOWN;
  const CPoint pt(x, y);
  CPoint ptScreen(pt);
  ClientToScreen(&ptScreen);
  if (IsPointOverMenu(pt)) {
    const int nHit = HitTest(pt);
    if (bDown) {
      if (nHit == HIT_TEAROFF)
        BeginTearOff();
      return true;
    }
    if (nHit == HIT_EXPAND_ROW) {
      if ((m_dwMenuState & MENU_EXPAND_ROW) != 0 && (m_dwMenuState & MENU_EXPANDED) == 0)
        ExpandToAllItems();
      return true;
    }
    if (nHit < 0 || m_items[nHit].IsSeparator() || !m_items[nHit].IsEnabled())
      return true;
    const MENUITEMDATA& item = m_items[nHit];
    if (item.IsInplace()) {
      CRect rcInner;
      GetItemRect(nHit, rcInner, true);
      if (IsLiveWindow(item.m_hWndInplace)) {
        ::SetWindowPos(item.m_hWndInplace, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
        ::SetFocus(item.m_hWndInplace);
      } else {
        CreateInplaceEditForItem(nHit, this, CalcEditRect(rcInner, item));
      }
      return true;
    }
    if (item.IsPopup() && item.m_pfnClickCallback == NULL) {
      if (!IsOpen(item.m_pPopup)) {
        CancelSubmenuDelay();
        SetCurrentItem(nHit, true, true);
      }
      return true;
    }
    ExecuteItemWithCallback(nHit);
    return true;
  }

  CExtPopupMenuWnd* pTop = GetTopMenu();
  const bool bTopExcludeGiven = (pTop->m_nPlacementFlags & PLACE_EXCLUDE_GIVEN) != 0;
  const bool bLeftOrRight =
      nMsg == WM_LBUTTONUP || nMsg == WM_RBUTTONUP || nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN;
  CExtPopupMenuWnd* pOther = FindChainMenuAt(ptScreen);
  if (pOther != NULL && pOther != this && pOther->GetSafeHwnd() == ::WindowFromPoint(ptScreen)) {
    const CExtPopupChainGuard guard(*this);
    CPoint ptOther(ptScreen);
    pOther->ScreenToClient(&ptOther);
    const bool bConsumed = pOther->HandleMouseClick(nMsg, ptOther.x, ptOther.y, bNoEat);
    // The parent moved on to another item: this submenu has no place any more.
    if (bConsumed && guard.IsAlive() && m_pParentMenu != NULL &&
        m_pParentMenu->ItemGetPopup(m_pParentMenu->GetCurrentItemIndex()) != this)
      ResetAndHide(false);
    return bConsumed;
  }
  // The release that follows the press which opened the menu, on the button that opened it.
  if (!bDown && bLeftOrRight && bTopExcludeGiven && pTop->m_rcExclude.PtInRect(ptScreen))
    return true;
  if (bDown && pTop == this && (m_nPlacementFlags & PLACE_COMBINED) != 0 && m_rcExclude.PtInRect(ptScreen)) {
    bNoEat = true; // the press reaches the button the menu is joined to
    return false;
  }
  // Outside the chain: the tracking closes it (and lets a press through).
  return false;
}

void CExtPopupMenuWnd::ExecuteItemWithCallback(int nIndex) {
  if (!IsItemIndex(nIndex))
    return;
  MENUITEMDATA& item = m_items[nIndex];
  if (item.m_pfnClickCallback != NULL && !IsHelpMode()) {
    const HWND hWnd = m_hWnd;
    item.m_pfnClickCallback(this, &item);
    if (IsLiveWindow(hWnd))
      ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    return;
  }
  if (item.m_pfnCommandCallback != NULL && item.m_pfnCommandCallback(this, &item))
    return;
  ExecuteItem(nIndex);
}
