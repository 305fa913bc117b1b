// The colour popup's input: hovering previews a colour, a release or Enter chooses one, the arrow
// keys move over the grid, Escape and Alt leave. Every notification is posted to the target, so
// the menu never runs the receiver's code in the middle of its own.
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include "toolkit/foundation/ExtSoundPlayer.h"

namespace {

bool IsLiveWindow(HWND hWnd) { return hWnd != NULL && ::IsWindow(hWnd); }

bool IsAnyMenuAnimating() { return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu != NULL; }

bool IsRelease(UINT nMsg) { return nMsg == WM_LBUTTONUP || nMsg == WM_NCLBUTTONUP; }

} // namespace

bool CExtPopupColorMenuWnd::NotifyColorTarget(bool bFinal) {
  if ((m_nColorState & STATE_NOTIFYING) != 0)
    return false;
  UINT nMsg = 0;
  COLORREF clr = 0;
  if (m_nHotIndex == INDEX_CUSTOM_BUTTON) {
    // The custom colour is chosen elsewhere, by the receiver: no preview, no colour.
    if (!bFinal)
      return false;
    if (m_pClrResult != NULL)
      *m_pClrResult = (COLORREF)-2;
    nMsg = g_nMsgNotifyCustColor;
  } else if (m_nHotIndex == INDEX_DEFAULT_BUTTON || GetColorEntry(m_nHotIndex) != NULL) {
    clr = m_nHotIndex == INDEX_DEFAULT_BUTTON ? m_clrDefault : GetColorAt(m_nHotIndex);
    if (bFinal && m_pClrResult != NULL)
      *m_pClrResult = clr;
    nMsg = bFinal ? g_nMsgNotifyColorChangedFinally : g_nMsgNotifyColorChanged;
  } else {
    return false;
  }
  // Without a target of its own, the receiver of this menu or, for a submenu that was given none,
  // of the nearest menu above.
  HWND hWndTarget = m_hWndNotifyTarget;
  for (const CExtPopupMenuWnd* pMenu = this; hWndTarget == NULL && pMenu != NULL;
       pMenu = pMenu->GetParentMenu())
    hWndTarget = pMenu->GetCmdReceiverHWND();
  m_nColorState |= STATE_NOTIFYING;
  const bool bPosted = IsLiveWindow(hWndTarget) && ::PostMessageA(hWndTarget, nMsg, clr, m_lParamCookie);
  m_nColorState &= ~STATE_NOTIFYING;
  return bPosted;
}

bool CExtPopupColorMenuWnd::CommitChoice() {
  const bool bChoice = m_nHotIndex == INDEX_DEFAULT_BUTTON || m_nHotIndex == INDEX_CUSTOM_BUTTON ||
                       GetColorEntry(m_nHotIndex) != NULL;
  if (!bChoice || IsEffectsSuppressed())
    return false;
  NotifyColorTarget(true);
  g_SoundPlayer->PlayUiSound(CExtSoundPlayer::UI_SOUND_MENU_COMMAND);
  return true;
}

bool CExtPopupColorMenuWnd::HandleMouseMove(UINT nMsg, int x, int y, bool&) {
  const HWND hWnd = m_hWnd;
  if (!IsLiveWindow(hWnd))
    return false;
  if (IsAnyMenuAnimating())
    return true;
  CExtPopupTrackSite& site = GetTrackSite();
  const CPoint ptClient(x, y);
  CPoint ptScreen(ptClient);
  ::ClientToScreen(hWnd, &ptScreen);
  const HWND hWndAt = ::WindowFromPoint(ptScreen);
  if (hWndAt != hWnd && ::IsChild(hWnd, hWndAt))
    return false;
  if (hWndAt != hWnd) {
    // The pointer went on to the menu above, which may open another of its items.
    CExtPopupMenuWnd* pParent = m_pParentMenu;
    if (pParent == NULL || !IsLiveWindow(pParent->GetSafeHwnd()))
      return false;
    CPoint ptParent(ptScreen);
    pParent->ScreenToClient(&ptParent);
    bool bParentKeepsOpen = false;
    if (!pParent->HandleMouseMove(nMsg, ptParent.x, ptParent.y, bParentKeepsOpen) || bParentKeepsOpen)
      return false;
    if (IsLiveWindow(hWnd))
      ResetAndHide();
    return true;
  }
  if (IsTearOffEnabled() && m_rcTearOff.PtInRect(ptClient)) {
    ClearCurrentItem();
    if (!IsLiveWindow(hWnd))
      return true;
    SetHoverMenu();
    ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
    if (g_bMenuItemTips && site.m_pHoverMenu == this && !IsEffectsSuppressed()) {
      CRect rcCaption(m_rcTearOff);
      ClientToScreen(&rcCaption);
      CRect rcShown;
      m_tip.GetHoverRect(rcShown);
      if (!IsOwnTipVisible() || rcShown != rcCaption) {
        m_tip.SetText("Drag to make this menu float");
        m_tip.SetTipStyle(GetItemTipStyle());
        m_tip.ShowBalloon(this, rcCaption);
      }
    }
    return true;
  }
  ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
  const int nHit = HitTestColor(ptClient);
  const bool bChanged = nHit != m_nHotIndex;
  if (bChanged) {
    m_nHotIndex = nHit;
    Invalidate();
    if (nHit != INDEX_CUSTOM_BUTTON)
      NotifyColorTarget(false);
    if (!IsLiveWindow(hWnd))
      return true;
  }
  if (nHit < 0) {
    HideOwnTip();
  } else if (bChanged && g_bMenuItemTips && !IsEffectsSuppressed() && site.m_pHoverMenu == this &&
             !IsAnyMenuAnimating()) {
    const CString sName = GetColorNameAt(nHit);
    if (!sName.IsEmpty()) {
      CRect rcCell = GetCellRect(nHit);
      ClientToScreen(&rcCell);
      m_tip.SetText(sName);
      m_tip.SetTipStyle(GetItemTipStyle());
      m_tip.ShowBalloon(this, rcCell);
    }
  }
  return true;
}

bool CExtPopupColorMenuWnd::HandleMouseClick(UINT nMsg, int x, int y, bool& bNoEat) {
  const HWND hWnd = m_hWnd;
  if (!IsLiveWindow(hWnd))
    return false;
  if (IsAnyMenuAnimating())
    return true;
  const bool bRelease = IsRelease(nMsg);
  const CPoint ptClient(x, y);
  CPoint ptScreen(ptClient);
  ::ClientToScreen(hWnd, &ptScreen);
  // A press on the button that opened the menu closes it; the button sees the release.
  if (m_pParentMenu == NULL && m_pCombinedAreaCookie != NULL &&
      (m_nPlacementFlags & PLACE_EXCLUDE_GIVEN) != 0 && m_rcExclude.PtInRect(ptScreen)) {
    if (bRelease)
      return false;
    ResetAndHide();
    return true;
  }
  if (IsTearOffEnabled() && m_rcTearOff.PtInRect(ptClient)) {
    if (!bRelease)
      BeginTearOff();
    return true;
  }
  if (!bRelease)
    return false;
  const int nHit = HitTestColor(ptClient);
  if (nHit != INDEX_NONE) {
    m_nHotIndex = nHit;
    CommitChoice();
  }
  if (!IsLiveWindow(hWnd))
    return true;
  CExtPopupMenuWnd* pParent = m_pParentMenu;
  if (pParent != NULL && IsLiveWindow(pParent->GetSafeHwnd()) &&
      ::WindowFromPoint(ptScreen) == pParent->m_hWnd) {
    CPoint ptParent(ptScreen);
    pParent->ScreenToClient(&ptParent);
    return pParent->HandleMouseClick(nMsg, ptParent.x, ptParent.y, bNoEat);
  }
  EndWithCommand(0);
  return true;
}

bool CExtPopupColorMenuWnd::HandleKeyboard(UINT nChar, UINT, UINT, bool&) {
  const HWND hWnd = m_hWnd;
  if (!IsLiveWindow(hWnd) || IsAnyMenuAnimating())
    return true;
  switch (nChar) {
  case VK_RETURN:
    CommitChoice();
    if (IsLiveWindow(hWnd))
      EndWithCommand(0);
    return true;
  case VK_MENU:
    EndWithCommand(0);
    return true;
  case VK_ESCAPE: {
    CExtPopupMenuWnd* pParent = m_pParentMenu;
    if (pParent == NULL) {
      EndWithCommand(0);
      return true;
    }
    // Back to the item that opened this menu: it stays marked, its popup (this menu) closes.
    const int nItem = pParent->GetCurrentItemIndex();
    pParent->SetHoverMenu();
    pParent->ClearCurrentItem();
    pParent->SetCurrentItem(nItem, false);
    return true;
  }
  case VK_LEFT:
  case VK_UP:
  case VK_RIGHT:
  case VK_DOWN: {
    const int nNext = GetNextCellIndex(m_nHotIndex, nChar);
    if (nNext == m_nHotIndex)
      return false;
    m_nHotIndex = nNext;
    HideOwnTip();
    if (!IsLiveWindow(hWnd))
      return true;
    Invalidate();
    NotifyColorTarget(false);
    return true;
  }
  }
  return false;
}
