// CExtButton: the mouse, the keys, the click, the drop-down menu and the tip.
#include "toolkit/controls/ExtButton.h"

#include "framework/frame/fw_frame.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// The type a sibling button had before it was themed.
UINT ButtonTypeOf(HWND hWnd) {
  if (CExtButton* pButton = DYNAMIC_DOWNCAST(CExtButton, CWnd::FromHandlePermanent(hWnd)))
    return pButton->GetButtonType();
  char szClass[16] = {};
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  if (lstrcmpiA(szClass, "Button") != 0)
    return BS_OWNERDRAW;
  return (UINT)::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK;
}

} // namespace

int CExtButton::HitTest(const POINT& ptClient) const {
  if (GetSafeHwnd() == NULL)
    return PART_NONE;
  CRect rcClient;
  GetClientRect(&rcClient);
  if (!rcClient.PtInRect(ptClient))
    return PART_NONE;
  if ((m_nStateFlags & STATE_SEPARATED_DROPDOWN) == 0)
    return PART_MAIN;
  const int nStrip = 6 + GetNamedGlyph(NG_ARROW_DOWN_5X3).GetSize().cx;
  return ptClient.x >= rcClient.right - nStrip ? PART_DROPDOWN : PART_MAIN;
}

bool CExtButton::IsCursorOver(int nPart) const {
  POINT pt = {0, 0};
  return ::GetCursorPos(&pt) && IsPointOver(nPart, pt);
}

bool CExtButton::IsPointOver(int nPart, POINT ptScreen) const {
  if (GetSafeHwnd() == NULL || ::WindowFromPoint(ptScreen) != m_hWnd)
    return false;
  ::ScreenToClient(m_hWnd, &ptScreen);
  const int nHit = HitTest(ptScreen);
  return nPart == PART_NONE ? nHit != PART_NONE : nHit == nPart;
}

void CExtButton::ClearPushState() {
  m_nStateFlags &= (BYTE) ~(STATE_HOVER | STATE_PUSHED | STATE_MOUSE_TRACKING | STATE_KEY_PUSHED);
  m_nPushedPart = PART_NONE;
  if (GetSafeHwnd() != NULL && ::GetCapture() == m_hWnd)
    ::ReleaseCapture();
}

void CExtButton::OnCaptureChanged(CWnd* pWnd) {
  const HWND hWnd = m_hWnd;
  Default();
  if (!::IsWindow(hWnd) || (pWnd != NULL && pWnd->GetSafeHwnd() == m_hWnd))
    return;
  if ((m_nStateFlags & (STATE_HOVER | STATE_PUSHED)) == 0)
    return;
  m_nStateFlags &= (BYTE) ~(STATE_HOVER | STATE_PUSHED);
  RepaintNow();
}

BOOL CExtButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hCursor != NULL) {
    ::SetCursor(m_hCursor);
    return TRUE;
  }
  return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CExtButton::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  if (!::IsWindow(m_hWnd))
    return;
  // A Space push ends with the focus too: its release goes elsewhere, and the mouse would stay
  // locked out.
  m_nStateFlags &= (BYTE) ~(STATE_HOVER | STATE_PUSHED | STATE_KEY_PUSHED);
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  RepaintNow();
}

void CExtButton::OnMouseMove(UINT nFlags, CPoint /*point*/) {
  if ((m_nStateFlags & STATE_KEY_PUSHED) != 0)
    return;
  const HWND hWnd = m_hWnd;
  Default();
  if (!::IsWindow(hWnd))
    return;
  if (CExtToolControlBar::g_bMenuTracking && HasMenu() &&
      DYNAMIC_DOWNCAST(CExtToolControlBar, GetParent()) != NULL) {
    OnTrackDropDownMenu(false);
    return;
  }
  const bool bTracking = (m_nStateFlags & STATE_MOUSE_TRACKING) != 0;
  const bool bOver = IsCursorOver(bTracking ? m_nPushedPart : PART_NONE) &&
                     AreWindowsInOneFamily(m_hWnd, ::GetActiveWindow(), true, true, true);
  if (bOver) {
    if (::GetCapture() != m_hWnd)
      CExtMouseCaptureSink::SetCapture(m_hWnd);
    if ((m_nStateFlags & STATE_HOVER) == 0) {
      m_nStateFlags |= STATE_HOVER;
      if ((nFlags & MK_LBUTTON) != 0 && bTracking)
        m_nStateFlags |= STATE_PUSHED;
      RepaintNow();
    }
    return;
  }
  if (!bTracking && ::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  if ((m_nStateFlags & STATE_HOVER) != 0) {
    m_nStateFlags &= (BYTE) ~(STATE_HOVER | STATE_PUSHED);
    RepaintNow();
  }
}

void CExtButton::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
  if ((m_nStateFlags & STATE_KEY_PUSHED) != 0)
    return;
  const HWND hWnd = m_hWnd;
  Default();
  if (!::IsWindow(hWnd))
    return;
  m_nPushedPart = HitTest(point);
  if (m_nPushedPart == PART_NONE)
    return;
  m_nStateFlags |= STATE_HOVER | STATE_PUSHED | STATE_MOUSE_TRACKING;
  CExtMouseCaptureSink::SetCapture(m_hWnd);
  RepaintNow();
}

void CExtButton::OnLButtonDblClk(UINT nFlags, CPoint point) { OnLButtonDown(nFlags, point); }

void CExtButton::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
  if ((m_nStateFlags & STATE_KEY_PUSHED) != 0)
    return;
  const int nPart = m_nPushedPart;
  // Where the release was made, not where the pointer is by the time it is read: a user who
  // clicks and moves on at once clicked the button.
  ClientToScreen(&point);
  const bool bClick =
      (m_nStateFlags & (STATE_PUSHED | STATE_MOUSE_TRACKING)) == (STATE_PUSHED | STATE_MOUSE_TRACKING) &&
      nPart != PART_NONE && IsPointOver(nPart, point);
  // The system's own button never sees the release, so only this click reaches the parent.
  ClearPushState();
  RepaintNow();
  if (bClick && ::IsWindow(m_hWnd) && IsWindowEnabled() && IsWindowVisible())
    OnClick(false, nPart == PART_DROPDOWN && (m_nStateFlags & STATE_SEPARATED_DROPDOWN) != 0);
}

BOOL CExtButton::PreTranslateMessage(MSG* pMsg) {
  // Only the pointer's messages matter to a tip: a button nobody points at gets no tip window.
  const bool bMouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
  if (bMouse && !CExtPopupMenuWnd::AnyMenuTracked() && GetSafeHwnd() != NULL) {
    if (m_wndToolTip.GetSafeHwnd() == NULL && m_wndToolTip.Create(this))
      m_wndToolTip.Activate(FALSE);
    if (m_wndToolTip.GetSafeHwnd() != NULL)
      m_wndToolTip.RelayEvent(pMsg);
  }
  const UINT nMsg = pMsg->message;
  if ((nMsg == WM_KEYDOWN || nMsg == WM_KEYUP) && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE)) {
    if (IsWindowEnabled() && IsWindowVisible() && (m_nStateFlags & STATE_MOUSE_TRACKING) == 0) {
      const bool bSpaceHeld =
          (m_nStateFlags & (STATE_KEY_PUSHED | STATE_PUSHED)) == (STATE_KEY_PUSHED | STATE_PUSHED);
      if ((nMsg == WM_KEYDOWN && pMsg->wParam == VK_RETURN) ||
          (nMsg == WM_KEYUP && pMsg->wParam == VK_SPACE && bSpaceHeld)) {
        ClearPushState();
        RepaintNow();
        OnClick(true, false);
      } else if (nMsg == WM_KEYDOWN && pMsg->wParam == VK_SPACE) {
        m_nStateFlags |= STATE_HOVER | STATE_PUSHED | STATE_KEY_PUSHED;
        CExtMouseCaptureSink::SetCapture(m_hWnd);
        RepaintNow();
      }
    }
    return TRUE;
  }
  if ((m_nMnemonicFlags & MNEMONIC_ENABLED) != 0 && (nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP) &&
      IsMnemonicKey((UINT)pMsg->wParam)) {
    OnMnemonicActivate();
    return FALSE;
  }
  return CButton::PreTranslateMessage(pMsg);
}

bool CExtButton::IsMnemonicKey(UINT nVirtKey) const {
  if ((m_nMnemonicFlags & MNEMONIC_ENABLED) == 0 || GetSafeHwnd() == NULL)
    return false;
  if (::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0)
    return false;
  CString sText;
  GetWindowText(sText);
  const int nAmp = sText.Find('&');
  if (nAmp < 0 || nAmp >= sText.GetLength() - 1)
    return false;
  return (UINT)std::toupper((unsigned char)sText[nAmp + 1]) == nVirtKey;
}

void CExtButton::CheckRadioInGroup() {
  SendMessage(BM_SETCHECK, BST_CHECKED, 0);
  if (!::IsWindow(m_hWnd))
    return;
  // The group runs from the nearest WS_GROUP sibling at or before this button to the next one.
  HWND hFirst = m_hWnd;
  while ((::GetWindowLongA(hFirst, GWL_STYLE) & WS_GROUP) == 0) {
    HWND hPrev = ::GetWindow(hFirst, GW_HWNDPREV);
    if (hPrev == NULL)
      break;
    hFirst = hPrev;
  }
  for (HWND h = hFirst; h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (h != hFirst && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP) != 0)
      break;
    if (h != m_hWnd && ButtonTypeOf(h) == BS_AUTORADIOBUTTON)
      ::SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

void CExtButton::OnClick(bool bFromKeyboard, bool bDropDownPart) {
  if (GetSafeHwnd() == NULL || ::GetParent(m_hWnd) == NULL)
    return;
  const HWND hWnd = m_hWnd;
  switch (m_nButtonType) {
  case BS_CHECKBOX:
  case BS_AUTOCHECKBOX:
  case BS_3STATE:
  case BS_AUTO3STATE:
    SendMessage(BM_SETCHECK, SendMessage(BM_GETCHECK, 0, 0) == 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    break;
  case BS_RADIOBUTTON:
  case BS_AUTORADIOBUTTON:
    // A radio button is chosen, never toggled off.
    CheckRadioInGroup();
    break;
  case BS_PUSHBUTTON:
  case BS_DEFPUSHBUTTON:
  case BS_USERBUTTON:
  case BS_OWNERDRAW:
    if ((m_nStateFlags & STATE_SEPARATED_DROPDOWN) == 0 || bDropDownPart) {
      if (OnTrackDropDownMenu(bFromKeyboard) || HasMenu())
        return;
    }
    break;
  default:
    return;
  }
  if (::IsWindow(hWnd))
    NotifyClicked();
}

void CExtButton::NotifyClicked() {
  const HWND hWnd = m_hWnd;
  SendCommandToParent();
  if (::IsWindow(hWnd))
    RepaintNow();
}

CWnd* CExtButton::FindBarMenuOwner(UINT& nAlign) const {
  CWnd* pParent = GetParent();
  if (DYNAMIC_DOWNCAST(CControlBar, pParent) == NULL)
    return NULL;
  bool bSideFound = false;
  for (CWnd* pWnd = pParent; pWnd != NULL; pWnd = pWnd->GetParent()) {
    if (CMiniFrameWnd* pMini = DYNAMIC_DOWNCAST(CMiniFrameWnd, pWnd)) {
      CWnd* pOwner = pMini->GetOwner();
      return pOwner != NULL ? pOwner : pMini;
    }
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, pWnd);
    if (pBar == NULL)
      return pWnd;
    if (!bSideFound && pBar->m_pDockBar != NULL) {
      bSideFound = true;
      UINT nSide = 4;
      if (!pBar->m_pDockBar->IsFloating()) {
        switch (pBar->m_pDockBar->GetDlgCtrlID()) {
        case AFX_IDW_DOCKBAR_LEFT:
          nSide = 1;
          break;
        case AFX_IDW_DOCKBAR_RIGHT:
          nSide = 3;
          break;
        case AFX_IDW_DOCKBAR_BOTTOM:
          nSide = 6;
          break;
        default:
          break;
        }
      }
      nAlign = (nAlign & ~(UINT)CExtPopupMenuWnd::TPMX_ALIGN_MASK) | nSide;
    }
  }
  return NULL;
}

bool CExtButton::OnTrackDropDownMenu(bool bSelectFirst) {
  if (!HasMenu() || GetSafeHwnd() == NULL)
    return false;
  LPCSTR lpszProfile = g_CmdManagerHolder->GetProfileNameForWindow(m_hWnd);
  if (lpszProfile != NULL)
    g_CmdManagerHolder->ImportMenu(lpszProfile, m_menu.GetSafeHmenu(), false, true, true);
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  pPopup->SetLeftAreaWidth(m_nMenuLeftAreaWidth);
  UINT nAlign = m_nMenuAlign;
  CWnd* pOwner = FindBarMenuOwner(nAlign);
  if (pOwner == NULL)
    pOwner = GetParent();
  if (pOwner == NULL || !pPopup->BuildFromMenuHandle(pOwner->GetSafeHwnd(), &m_menu))
    return true;
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const CPoint ptCentre = rcWnd.CenterPoint();
  SetFocus();
  DWORD dwFlags = CExtPopupMenuWnd::TPMX_COMBINE_BY_THEME | nAlign;
  if (bSelectFirst)
    dwFlags |= CExtPopupMenuWnd::TPMX_SELECT_FIRST;
  if ((m_nStateFlags & STATE_SYNC_MENU) == 0) {
    if (pPopup->RunTrackingLoop(dwFlags, ptCentre.x, ptCentre.y, &rcWnd, this, &PaintJoinedToMenu, NULL,
                                true))
      pPopup.release(); // the tracking deletes it
    return true;
  }
  const HWND hWnd = m_hWnd;
  UINT nResult = 0;
  if (!pPopup->RunTrackingLoop(dwFlags | CExtPopupMenuWnd::TPMX_MODAL_LOOP |
                                   CExtPopupMenuWnd::TPMX_NO_CMD_DELIVERY,
                               ptCentre.x, ptCentre.y, &rcWnd, this, &PaintJoinedToMenu, &nResult, true))
    return true;
  pPopup.release();
  if (!::IsWindow(hWnd) || nResult == 0)
    return true;
  SetDlgCtrlID((int)nResult);
  if ((m_nStateFlags2 & STATE2_TAKE_CHOSEN_COMMAND) != 0) {
    lpszProfile = g_CmdManagerHolder->GetProfileNameForWindow(m_hWnd);
    const CExtCmdItem* pItem =
        lpszProfile != NULL ? g_CmdManagerHolder->FindCommand(lpszProfile, nResult) : NULL;
    if (pItem != NULL)
      SetWindowText(pItem->m_sToolbarText.IsEmpty() ? pItem->m_sMenuText : pItem->m_sToolbarText);
    CExtCmdIcon* pIcon =
        lpszProfile != NULL ? g_CmdManagerHolder->GetCommandIcon(lpszProfile, nResult) : NULL;
    HICON hCopy = NULL;
    if (pIcon != NULL && !pIcon->IsEmpty()) {
      CExtCmdIcon copy(*pIcon);
      hCopy = copy.DetachIcon(false);
    }
    SetIcon(hCopy, NULL);
  }
  SendCommandToParent();
  if (::IsWindow(hWnd))
    RepaintNow();
  return true;
}

bool CExtButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup) {
  if (!HasMenu() || pPopup == NULL || GetSafeHwnd() == NULL)
    return false;
  std::unique_ptr<CExtPopupMenuWnd> pSub(new CExtPopupMenuWnd);
  if (!pSub->BuildFromMenuHandle(pPopup->GetCmdReceiverHWND(), &m_menu, false, false))
    return false;
  CString sText;
  LPCSTR lpszProfile = g_CmdManagerHolder->GetProfileNameForWindow(m_hWnd);
  if (const CExtCmdItem* pItem =
          lpszProfile != NULL ? g_CmdManagerHolder->FindCommand(lpszProfile, GetDlgCtrlID()) : NULL)
    sText = pItem->m_sMenuText;
  if (sText.IsEmpty())
    GetWindowText(sText);
  CExtCmdIcon icon;
  if (m_hIconIn != NULL)
    icon.AssignFromHIcon(m_hIconIn, true);
  if (!pPopup->InsertPopupMenu(pSub.get(), -1, sText, icon.IsEmpty() ? NULL : &icon))
    return false;
  pSub.release(); // the item owns it now
  return true;
}

INT_PTR CExtButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, GetParent());
  if (pBar == NULL)
    return CButton::OnToolHitTest(point, pTI);
  CPoint ptBar(point);
  ClientToScreen(&ptBar);
  pBar->ScreenToClient(&ptBar);
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  pBar->OnToolHitTest(ptBar, &ti);
  if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK) {
    const CString sTip(ti.lpszText);
    std::free(ti.lpszText);
    CExtButton* pThis = const_cast<CExtButton*>(this);
    const HWND hTip = m_wndToolTip.GetSafeHwnd();
    if (!sTip.IsEmpty() && (hTip == NULL || !::IsWindowVisible(hTip))) {
      pThis->SetTooltipText(sTip, true);
      pThis->m_wndToolTip.Activate(TRUE);
    }
  }
  // The button's own tip shows the text, so the framework shows none.
  return -1;
}

void CExtButton::SetTooltipText(const char* lpszText, bool bActivate) {
  if (lpszText == NULL || *lpszText == '\0' || GetSafeHwnd() == NULL)
    return;
  if (m_wndToolTip.GetSafeHwnd() == NULL) {
    if (!m_wndToolTip.Create(this))
      return;
    m_wndToolTip.Activate(FALSE);
  }
  if (m_wndToolTip.GetToolCount() == 0) {
    CRect rcClient;
    GetClientRect(&rcClient);
    m_wndToolTip.AddTool(this, lpszText, &rcClient, 1);
  }
  CWnd::CancelToolTips();
  m_wndToolTip.UpdateTipText(lpszText, this, 1);
  m_wndToolTip.SetMaxTipWidth(-1);
  if (std::strchr(lpszText, '\r') != NULL)
    m_wndToolTip.SetMaxTipWidth(GetTipMaxWidth(lpszText));
  m_wndToolTip.Activate(bActivate);
}
