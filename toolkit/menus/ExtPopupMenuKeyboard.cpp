// The keyboard of a popup menu: the keys the tracking hook hands to the menu under the user's
// attention, the edit field of an in-place item, moving between items and menus, the neighbouring
// bar menus, Enter and the accelerator characters.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/menus/ExtPopupChainGuard.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupControlMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"

namespace {

// Navigation codes of page moves: menus whose navigation knows them move by a page.
const int kNavPageUp = -106, kNavPageDown = -107;

bool IsLiveWindow(HWND hWnd) { return hWnd != NULL && ::IsWindow(hWnd); }

bool IsOpen(const CExtPopupMenuWnd* pMenu) {
  const HWND hWnd = pMenu != NULL ? pMenu->GetSafeHwnd() : NULL;
  return IsLiveWindow(hWnd) && ::IsWindowVisible(hWnd);
}

bool IsKeyDown(int nVirtKey) { return ::GetKeyState(nVirtKey) < 0; }

// Whether Shift or Ctrl is held as the thread's messages have it and as the keyboard has it now.
// The thread's state can keep one down after its release went to another thread's window (seen
// under Wine after the capture hot key), and the menu would then take no letter as a mnemonic.
const int kModifierKeys[] = {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL};
bool IsModifierHeld(int nVirtKey) {
  return IsKeyDown(nVirtKey) && (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0;
}

// A submenu whose whole content is chosen at once: Enter on its item executes the item.
bool IsChosenAtOnce(const CExtPopupMenuWnd* pChild) {
  return pChild != NULL && (pChild->IsKindOf(RUNTIME_CLASS(CExtPopupColorMenuWnd)) ||
                            pChild->IsKindOf(RUNTIME_CLASS(CExtPopupUndoRedoMenuWnd)));
}

} // namespace

bool CExtPopupMenuWnd::HandleKeyboard(UINT nChar, UINT, UINT nFlags, bool& bNoEat) {
  const CExtPopupTrackSite& site = GetTrackSite();
  // A menu shown at once has its whole picture up from the start and waits only for its one
  // animation step, a timer that comes last of all messages: a key that comes first takes that
  // step, so a key typed at a menu fully shown is never lost.
  if (CExtPopupMenuWnd* pAnimated = site.m_pAnimatedMenu)
    if (pAnimated->m_nAnimationType == ANIM_AT_ONCE && IsLiveWindow(pAnimated->m_hWnd))
      pAnimated->StepAnimation();
  if (!IsLiveWindow(m_hWnd) || site.IsEnding() || site.IsEmpty() || site.m_pAnimatedMenu != NULL)
    return true;
  const bool bValidCurrent = IsItemIndex(m_nCurIndex);
  const HWND hWndFocus = ::GetFocus();
  if (hWndFocus != NULL && ::GetParent(hWndFocus) == m_hWnd &&
      !(nChar == VK_RETURN && bValidCurrent && m_items[m_nCurIndex].IsInplace()))
    return HandleInplaceEditKey(nChar, bNoEat);

  const bool bPhysicalLeft = nChar == VK_LEFT;
  if (IsRightToLeftLayout() && (nChar == VK_LEFT || nChar == VK_RIGHT))
    nChar = nChar == VK_LEFT ? VK_RIGHT : VK_LEFT;
  switch (nChar) {
  case VK_MENU:
    EndWithCommand(0);
    return true;
  case VK_ESCAPE:
    if (m_pParentMenu == NULL)
      EndWithCommand(0);
    else
      CloseToParent();
    return true;
  case VK_SPACE:
    return true;
  case VK_RETURN:
    return HandleEnterKey(bNoEat);
  case VK_F4: {
    const MENUITEMDATA* pItem = bValidCurrent ? &m_items[m_nCurIndex] : NULL;
    if (pItem != NULL && pItem->IsPopup() && pItem->IsInplace() && pItem->m_pfnClickCallback == NULL &&
        !IsOpen(pItem->m_pPopup))
      SetCurrentItem(m_nCurIndex, true, true, true);
    return true;
  }
  case VK_UP:
  case VK_DOWN: {
    if (nChar == VK_DOWN && IsKeyDown(VK_CONTROL) && (m_dwMenuState & MENU_EXPAND_ROW) != 0 &&
        (m_dwMenuState & MENU_EXPANDED) == 0) {
      ExpandToAllItems();
      return true;
    }
    const bool bRows =
        IsPaletteLayout() && (!bValidCurrent || (m_items[m_nCurIndex].m_nExtraFlags &
                                                 MENUITEMDATA::EXTRA_ZERO_SIZE_WITHOUT_ICON) != 0);
    if (nChar == VK_UP)
      MoveByNavigationCode(bRows ? NAV_PREV_ROW : NAV_PREV);
    else
      MoveByNavigationCode(bRows ? NAV_NEXT_ROW : NAV_NEXT);
    return true;
  }
  case VK_PRIOR:
  case VK_NEXT:
    MoveByNavigationCode(nChar == VK_PRIOR ? kNavPageUp : kNavPageDown);
    return true;
  case VK_LEFT:
    return HandleLeftKey(bPhysicalLeft);
  case VK_RIGHT:
    return HandleRightKey(bPhysicalLeft);
  }
  if (IsModifierHeld(VK_SHIFT) || IsModifierHeld(VK_CONTROL))
    return false;
  return HandleAccelKey(nChar, nFlags);
}

bool CExtPopupMenuWnd::HandleInplaceEditKey(UINT nChar, bool& bNoEat) {
  const HWND hWndEdit = ::GetFocus();
  if (IsKeyDown(VK_MENU)) {
    ::SendMessageA(m_hWnd, WM_CANCELMODE, 0, 0);
    return true;
  }
  const bool bCtrl = IsKeyDown(VK_CONTROL), bShift = IsKeyDown(VK_SHIFT);
  UINT nMessage = 0;
  switch (nChar) {
  case VK_ESCAPE:
    ::SetFocus(m_hWnd);
    return true;
  case 'C':
    nMessage = bCtrl ? WM_COPY : 0;
    break;
  case 'X':
    nMessage = bCtrl ? WM_CUT : 0;
    break;
  case 'V':
    nMessage = bCtrl ? WM_PASTE : 0;
    break;
  case 'A':
    nMessage = bCtrl ? CInPlaceEditWnd::g_nMsgSelectAll : 0;
    break;
  case VK_INSERT:
    nMessage = bCtrl ? WM_COPY : bShift ? WM_PASTE : 0;
    break;
  case VK_DELETE:
    nMessage = bShift ? WM_CUT : CInPlaceEditWnd::g_nMsgDeleteSelection;
    break;
  }
  if (nMessage == 0) {
    bNoEat = true; // the edit types it
    return false;
  }
  ::SendMessageA(hWndEdit, nMessage, 0, 0);
  return true;
}

bool CExtPopupMenuWnd::HandleEnterKey(bool& bNoEat) {
  const int nCur = m_nCurIndex;
  if (!IsItemIndex(nCur)) {
    for (int i = 0; i < GetItemCount(); i++) {
      if ((m_items[i].m_nExtraFlags & MENUITEMDATA::EXTRA_BIT1) != 0) {
        SetCurrentItem(i, false, true);
        break;
      }
    }
    return true;
  }
  MENUITEMDATA& item = m_items[nCur];
  if (item.IsInplace()) {
    if (IsLiveWindow(item.m_hWndInplace) && ::IsWindowVisible(item.m_hWndInplace)) {
      bNoEat = true; // the visible edit takes Enter itself
      return false;
    }
    CRect rcInner;
    GetItemRect(nCur, rcInner, true);
    const CRect rcEdit = CalcEditRect(rcInner, item);
    if (IsLiveWindow(item.m_hWndInplace))
      ::SetWindowPos(item.m_hWndInplace, NULL, rcEdit.left, rcEdit.top, rcEdit.Width(), rcEdit.Height(),
                     SWP_NOZORDER | SWP_SHOWWINDOW);
    else
      CreateInplaceEditForItem(nCur, this, rcEdit);
    if (IsLiveWindow(m_items[nCur].m_hWndInplace))
      ::SetFocus(m_items[nCur].m_hWndInplace);
    return true;
  }
  if ((item.m_pfnClickCallback != NULL && !IsHelpMode()) || item.IsCommandItem() ||
      (item.IsPopup() && IsChosenAtOnce(item.m_pPopup))) {
    ExecuteItemWithCallback(nCur);
    return true;
  }
  if (item.IsPopup())
    return HandleRightKey(false);
  return true;
}

void CExtPopupMenuWnd::MoveByNavigationCode(int nCode) {
  int nTarget = FindNavigationTarget(nCode);
  if (nTarget == HIT_EXPAND_ROW) {
    const CExtPopupChainGuard guard(*this);
    if (!ExpandToAllItems() || !guard.IsAlive())
      return;
    nTarget = FindNavigationTarget(NAV_NEXT);
  }
  if (nTarget >= 0 && nTarget != m_nCurIndex)
    SetCurrentItem(nTarget, false, true);
}

void CExtPopupMenuWnd::SendNeighbourMessage(bool bPhysicalLeft) {
  const HWND hWndReceiver = GetCmdReceiverHWND();
  if (IsLiveWindow(hWndReceiver))
    ::SendMessageA(hWndReceiver, bPhysicalLeft ? g_nMsgPopupPrev : g_nMsgPopupNext, 0, (LPARAM)this);
}

void CExtPopupMenuWnd::CloseToParent() {
  CExtPopupMenuWnd* pParent = m_pParentMenu;
  if (pParent == NULL)
    return;
  const int nIndex = pParent->m_nCurIndex;
  const CExtPopupChainGuard guard(*pParent);
  pParent->SetHoverMenu();
  // Closing this submenu leaves its object alive (its parent's item owns it), but nothing of it is
  // needed afterwards.
  pParent->ClearCurrentItem();
  if (guard.IsAlive())
    pParent->SetCurrentItem(nIndex, false, true);
}

bool CExtPopupMenuWnd::HandleLeftKey(bool bPhysicalLeft) {
  if (IsPaletteLayout() && m_nCurIndex >= 0) {
    MoveByNavigationCode(NAV_PREV);
    return true;
  }
  if (m_pParentMenu != NULL)
    CloseToParent();
  else if (ExtBarMenuTracking::IsTracking())
    SendNeighbourMessage(bPhysicalLeft);
  return true;
}

bool CExtPopupMenuWnd::HandleRightKey(bool bPhysicalLeft) {
  const int nCur = m_nCurIndex;
  const MENUITEMDATA* pItem = IsItemIndex(nCur) ? &m_items[nCur] : NULL;
  if (IsPaletteLayout() && pItem != NULL && !pItem->IsPopup()) {
    MoveByNavigationCode(NAV_NEXT);
    return true;
  }
  if (pItem != NULL && pItem->IsPopup() && pItem->m_pPopup != NULL) {
    if (IsOpen(pItem->m_pPopup))
      return false;
    CancelSubmenuDelay();
    SetCurrentItem(nCur, true, true, true);
    return true;
  }
  if (ExtBarMenuTracking::IsTracking())
    SendNeighbourMessage(bPhysicalLeft);
  return true;
}

bool CExtPopupMenuWnd::HandleAccelKey(UINT nChar, UINT nFlags) {
  BYTE keyState[256] = {};
  WORD wChar = 0;
  if (!::GetKeyboardState(keyState))
    return false;
  for (int nKey : kModifierKeys)
    if (!IsModifierHeld(nKey))
      keyState[nKey] &= ~0x80;
  if (::ToAscii(nChar, nFlags & 0xFF, keyState, &wChar, 0) != 1)
    return false;
  const BYTE cAccel = (BYTE)wChar;
  const int nCur = m_nCurIndex;
  const int nFound = FindItemByAccelChar(cAccel, nCur);
  if (nFound < 0) {
    if (nCur < 0 || FindItemByAccelChar(cAccel, -1) != nCur)
      return false;
    if (m_items[nCur].IsPopup())
      return HandleRightKey(false);
    ExecuteItemWithCallback(nCur);
    return true;
  }
  // With the character shared, each press moves on to the next item that carries it.
  const bool bUnique = FindItemByAccelChar(cAccel, nFound) < 0;
  const CExtPopupChainGuard guard(*this);
  SetCurrentItem(nFound, bUnique, true, bUnique);
  if (guard.IsAlive() && bUnique && !m_items[nFound].IsPopup())
    ExecuteItemWithCallback(nFound);
  return true;
}
