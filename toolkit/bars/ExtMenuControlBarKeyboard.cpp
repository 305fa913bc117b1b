// The menu bar's keyboard translation and keyboard-selection mode.
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

namespace {

bool IsKeyDown(int nVirtKey) { return (::GetKeyState(nVirtKey) & 0x8000) != 0; }

bool IsComboBoxWindow(HWND hWnd) {
  char szClass[32] = {0};
  return hWnd != NULL && ::GetClassNameA(hWnd, szClass, sizeof(szClass)) > 0 &&
         ::lstrcmpiA(szClass, "ComboBox") == 0;
}

// The combo box holding the focus (the focus window or its parent) while its list is dropped.
HWND FindDroppedFocusCombo() {
  HWND hWndFocus = ::GetFocus();
  if (hWndFocus == NULL)
    return NULL;
  HWND hWndCombo = IsComboBoxWindow(hWndFocus) ? hWndFocus : ::GetParent(hWndFocus);
  if (!IsComboBoxWindow(hWndCombo) || ::SendMessageA(hWndCombo, CB_GETDROPPEDSTATE, 0, 0) == 0)
    return NULL;
  return hWndCombo;
}

void CancelModeInFocusWindow() {
  if (CExtPopupMenuWnd::AnyMenuTracked())
    return;
  HWND hWndFocus = ::GetFocus();
  if (hWndFocus != NULL)
    ::SendMessageA(hWndFocus, WM_CANCELMODE, 0, 0);
}

// Opens a button's menu at once. A posted track request would only move the keyboard highlight
// while no popup is open, so keyboard openings go straight to the tool bar's own tracking.
bool OpenButtonMenu(CExtToolControlBar* pBar, int nIndex, bool bFromKeyboard) {
  CExtToolControlBar::g_bMenuExpanded = false;
  return pBar->CExtToolControlBar::TrackButtonMenu(nIndex, true, false, bFromKeyboard);
}

// The key's character in the user-interface thread's layout, upper-cased; 0 when it has none.
// Alt is taken out of the state: it selects the menu here, it does not shape the character.
char TranslateMnemonicKey(UINT nVirtKey) {
  BYTE state[256] = {0};
  if (!::GetKeyboardState(state))
    return 0;
  state[VK_MENU] = state[VK_LMENU] = state[VK_RMENU] = 0;
  const UINT nScan = ::MapVirtualKeyA(nVirtKey, 0);
  WORD chars[2] = {0, 0};
  const int nCount = ::ToAsciiEx(nVirtKey, nScan, state, chars, 0, ::GetKeyboardLayout(0));
  if (nCount != 1)
    return 0;
  char sz[2] = {(char)LOBYTE(chars[0]), 0};
  ::CharUpperA(sz);
  return sz[0];
}

bool IsMouseButtonMessage(UINT nMessage) { return nMessage >= WM_LBUTTONDOWN && nMessage <= 0x020A; }

bool IsMdiCommandBlockedWhileInPlace(const MSG* pMsg) {
  if (pMsg->message == WM_COMMAND) {
    const UINT nId = LOWORD(pMsg->wParam);
    return (nId >= 57648 && nId <= 57653) || nId == 57680 || nId == 57681;
  }
  switch (pMsg->message) {
  case WM_MDIACTIVATE:
  case WM_MDIRESTORE:
  case WM_MDINEXT:
  case WM_MDIMAXIMIZE:
  case WM_MDITILE:
  case WM_MDICASCADE:
  case WM_MDIICONARRANGE:
    return true;
  default:
    return false;
  }
}

// Leaves keyboard-selection mode and takes the highlight away.
void LeaveKeyboardSelection(CExtMenuControlBar& bar, bool bRedraw) {
  bar.m_nKeyboardFlags &= ~CExtMenuControlBar::KF_SELECTION_MODE;
  bar.UpdateKeyboardHighlight(bRedraw);
}

bool IsDocButtonShown(const CExtMenuControlBar& bar) {
  return bar.GetButtonCount() > 0 && bar.GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton));
}

// The key messages of TranslateFrameKeyboard, one object per message.
class MenuBarKeyTranslator {
public:
  MenuBarKeyTranslator(CExtMenuControlBar& bar, const MSG& msg)
      : m_bar(bar), m_nMessage(msg.message), m_nVirtKey((UINT)msg.wParam),
        m_bRelease(msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP),
        m_bFromKeyboard((bar.m_nMenuBarFlags & CExtMenuControlBar::MBF_SELECT_FIRST_BY_KEYBOARD) != 0) {
    // Alt is held during the key: the context bit of the system key messages, or the key state.
    m_bAlt = IsKeyDown(VK_MENU) ||
             ((m_nMessage == WM_SYSKEYDOWN || m_nMessage == WM_SYSKEYUP) && (msg.lParam & (1 << 29)) != 0);
  }

  bool Translate(bool bKeysPassThrough) {
    if (m_nVirtKey == VK_MENU && !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_SHIFT))
      return TranslateAlt(bKeysPassThrough);
    const bool bSystemMenuKey =
        m_nVirtKey == VK_SPACE ||
        (m_bar.IsMdiMode() && (m_nVirtKey == VK_SUBTRACT || m_nVirtKey == VK_OEM_MINUS));
    if (m_bAlt && bSystemMenuKey && !m_bar.IsDialogMode())
      return TranslateSystemMenuKey();
    if (bKeysPassThrough)
      return false;
    const bool bSelecting = m_bar.IsKeyboardSelectionMode();
    const bool bNavigationKey = m_nVirtKey == VK_LEFT || m_nVirtKey == VK_RIGHT || m_nVirtKey == VK_UP ||
                                m_nVirtKey == VK_DOWN || m_nVirtKey == VK_RETURN || m_nVirtKey == VK_ESCAPE;
    if (m_bAlt || (bSelecting && !bNavigationKey))
      return m_bRelease ? true : TranslateMnemonic();
    if (!bSelecting)
      return false;
    if (!m_bRelease)
      TranslateSelectionKey();
    return true;
  }

private:
  bool TranslateAlt(bool bKeysPassThrough) {
    if (bKeysPassThrough)
      return false;
    if (m_bar.IsKeyboardSelectionMode()) {
      // A press is eaten; the release ends the mode.
      if (m_bRelease)
        LeaveKeyboardSelection(m_bar, true);
      return true;
    }
    if (!m_bRelease) {
      CExtMenuControlBar::g_bKeyboardAltIgnore = false;
      return false;
    }
    if (CExtMenuControlBar::g_bKeyboardAltIgnore) {
      CExtMenuControlBar::g_bKeyboardAltIgnore = false;
      return false;
    }
    if (!CExtToolControlBar::g_bMenuTracking && m_bar.GetButtonCount() > 0) {
      CancelModeInFocusWindow();
      CExtToolControlBar::g_bMenuExpanded = false;
      if (!m_bar.IsDialogMode() && !IsFocusInFrame())
        return false;
      m_bar.PostTrackButtonMenu(0, false, false, false);
    }
    return true;
  }

  bool IsFocusInFrame() const {
    CFrameWnd* pFrame = m_bar.GetDockingFrame();
    HWND hWndFrame = pFrame->GetSafeHwnd();
    HWND hWndFocus = ::GetFocus();
    if (hWndFrame == NULL || hWndFocus == NULL)
      return false;
    if (hWndFocus == hWndFrame)
      return true;
    CWnd* pTop = CExtControlBar::FindTopLevelAncestor(pFrame);
    if (pTop != NULL && hWndFocus == pTop->GetSafeHwnd())
      return true;
    if ((pFrame->GetStyle() & WS_CHILD) != 0)
      return ::IsChild(hWndFrame, hWndFocus) != FALSE;
    for (HWND hWnd = ::GetParent(hWndFocus); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
      if (hWnd == hWndFrame)
        return true;
    }
    return false;
  }

  bool TranslateSystemMenuKey() {
    if (m_bRelease)
      return true;
    HWND hWndFocus = ::GetFocus();
    HWND hWndFrame = m_bar.GetDockingFrame()->GetSafeHwnd();
    if (hWndFocus == NULL ||
        (hWndFocus != hWndFrame && (::GetWindowLongA(hWndFocus, GWL_STYLE) & WS_POPUP) != 0))
      return true;
    CExtToolControlBar::g_bMenuExpanded = false;
    LeaveKeyboardSelection(m_bar, true);
    if (m_nVirtKey == VK_SPACE)
      return m_bar.TrackFrameSystemMenu(NULL, true);
    if (m_nMessage != WM_SYSKEYDOWN)
      return true;
    bool bMaximized = false;
    if (m_bar.GetActiveMdiChildWnd(bMaximized) == NULL) {
      CExtMenuControlBar::g_bKeyboardAltIgnore = true;
      return true;
    }
    if (IsDocButtonShown(m_bar))
      return OpenButtonMenu(&m_bar, 0, m_bFromKeyboard);
    return m_bar.TrackMdiChildSystemMenu(NULL, true);
  }

  bool TranslateMnemonic() {
    const char ch = TranslateMnemonicKey(m_nVirtKey);
    if (ch == 0) {
      CExtMenuControlBar::g_bKeyboardAltIgnore = true;
      return m_bar.IsKeyboardSelectionMode();
    }
    int nIndex = m_bar.FindButtonByMnemonic(ch);
    CExtToolControlBar* pBar = nIndex >= 0 ? &m_bar : FindMnemonicInOtherBars(ch, nIndex);
    if (pBar == NULL) {
      CExtMenuControlBar::g_bKeyboardAltIgnore = true;
      return false;
    }
    CancelModeInFocusWindow();
    LeaveKeyboardSelection(m_bar, true);
    CExtBarButton* pButton = pBar->GetButton(nIndex);
    if (pButton->IsAbleToTrackMenu()) {
      OpenButtonMenu(pBar, nIndex, m_bFromKeyboard);
    } else {
      CExtMenuControlBar::g_bKeyboardAltIgnore = IsKeyDown(VK_MENU);
      pButton->OnDeliverCmd();
    }
    return true;
  }

  // The other tool bars: the frame's control bars, or the visible children of a plain parent.
  CExtToolControlBar* FindMnemonicInOtherBars(char ch, int& nIndex) const {
    nIndex = -1;
    CPtrArray arrBars;
    CWnd* pParent = m_bar.GetParent();
    if (m_bar.m_pDockSite != NULL || (pParent != NULL && pParent->IsFrameWnd())) {
      m_bar.GetFrameControlBars(true, arrBars, CExtControlBar::FILTER_ALL);
    } else if (pParent != NULL) {
      for (HWND hWnd = ::GetWindow(pParent->GetSafeHwnd(), GW_CHILD); hWnd != NULL;
           hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && ::IsWindowVisible(hWnd))
          arrBars.Add(pWnd);
      }
    }
    for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
      CWnd* pWnd = static_cast<CWnd*>(arrBars[i]);
      if (pWnd == &m_bar || !pWnd->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)))
        continue;
      CExtToolControlBar* pBar = static_cast<CExtToolControlBar*>(pWnd);
      nIndex = pBar->FindButtonByMnemonic(ch);
      if (nIndex >= 0)
        return pBar;
    }
    return NULL;
  }

  void TranslateSelectionKey() {
    const int nCount = m_bar.GetButtonCount();
    const int nIndex = m_bar.m_nFlatTrackingIndex;
    CExtBarButton* pButton = nIndex >= 0 && nIndex < nCount ? m_bar.GetButton(nIndex) : NULL;
    switch (m_nVirtKey) {
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN:
      if (pButton == NULL)
        break;
      if (pButton->IsAbleToTrackMenu()) {
        if (!CExtPopupMenuWnd::AnyMenuTracked()) {
          LeaveKeyboardSelection(m_bar, true);
          OpenButtonMenu(&m_bar, nIndex, m_bFromKeyboard);
        }
      } else if (m_nVirtKey == VK_RETURN && IsCommandIdValid(pButton->GetCmdID())) {
        LeaveKeyboardSelection(m_bar, true);
        pButton->OnDeliverCmd();
      }
      break;
    case VK_ESCAPE:
      LeaveKeyboardSelection(m_bar, true);
      break;
    case VK_LEFT:
    case VK_RIGHT: {
      int nNext = m_bar.FindNextVisibleButton(nIndex, m_nVirtKey == VK_RIGHT);
      if (nNext < 0)
        nNext = nCount - 1;
      else if (nNext >= nCount)
        nNext = 0;
      m_bar.m_nFlatTrackingIndex = nNext;
      m_bar.UpdateKeyboardHighlight(true);
      break;
    }
    default:
      m_bar.UpdateKeyboardHighlight(true);
      break;
    }
  }

  CExtMenuControlBar& m_bar;
  const UINT m_nMessage;
  const UINT m_nVirtKey;
  const bool m_bRelease;
  const bool m_bFromKeyboard;
  bool m_bAlt;
};

} // namespace

void CExtMenuControlBar::UpdateKeyboardHighlight(bool bRedraw) {
  if (m_nFlatTrackingIndex < 0 && m_nOldTrackingIndex < 0) {
    m_nKeyboardFlags &= ~KF_SELECTION_MODE;
    return;
  }
  if (HWND hWndCombo = FindDroppedFocusCombo())
    ::SendMessageA(hWndCombo, CB_SHOWDROPDOWN, FALSE, 0);
  const int nCount = GetButtonCount();
  if (IsKeyboardSelectionMode()) {
    if (m_nFlatTrackingIndex == m_nOldTrackingIndex)
      return;
    if (m_nOldTrackingIndex >= 0 && m_nOldTrackingIndex < nCount) {
      CExtBarButton* pOld = GetButton(m_nOldTrackingIndex);
      pOld->ModifyStyle(0, TBBS_PRESSED | TBBS_CHECKED);
      if (bRedraw)
        pOld->RedrawButton(false);
    }
    if (m_nFlatTrackingIndex >= 0 && m_nFlatTrackingIndex < nCount) {
      CExtBarButton* pNew = GetButton(m_nFlatTrackingIndex);
      pNew->ModifyStyle(TBBS_PRESSED, 0);
      if (bRedraw)
        pNew->RedrawButton(false);
    }
    m_nOldTrackingIndex = m_nFlatTrackingIndex;
    if (GetSafeHwnd() != NULL)
      UpdateWindow();
    return;
  }
  const int nHighlighted = m_nOldTrackingIndex >= 0 ? m_nOldTrackingIndex : m_nFlatTrackingIndex;
  if (nHighlighted < nCount) {
    CExtBarButton* pButton = GetButton(nHighlighted);
    pButton->ModifyStyle(0, TBBS_PRESSED);
    if (bRedraw) {
      pButton->RedrawButton(false);
      if (GetSafeHwnd() != NULL)
        UpdateWindow();
    }
  }
  m_nFlatTrackingIndex = m_nOldTrackingIndex = -1;
}

bool CExtMenuControlBar::TranslateFrameKeyboard(MSG* pMsg) {
  if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()))
    return false;
  const UINT nMessage = pMsg->message;
  if (nMessage == WM_QUERYOPEN) {
    if (m_pDockSite != NULL)
      PostDeferredRebuild();
    return false;
  }
  CFrameWnd* pFrame = IsDialogMode() ? NULL : GetDockingFrame();
  if (!IsDialogMode() && (pFrame->GetSafeHwnd() == NULL || !pFrame->IsWindowEnabled()))
    return false;
  switch (nMessage) {
  case WM_ACTIVATE:
  case WM_ACTIVATEAPP:
  case WM_SETFOCUS:
  case WM_KILLFOCUS:
    g_bKeyboardAltIgnore = true;
    return false;
  default:
    break;
  }
  if (IsMdiMode() && IsMdiCommandBlockedWhileInPlace(pMsg) && IsOleInPlaceActive())
    return true;
  switch (nMessage) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
  case WM_KEYUP:
  case WM_SYSKEYUP: {
    // Print preview and a dropped combo list keep their keys.
    const bool bKeysPassThrough =
        (pFrame != NULL && IsPrintPreviewActive(pFrame)) || FindDroppedFocusCombo() != NULL;
    return MenuBarKeyTranslator(*this, *pMsg).Translate(bKeysPassThrough);
  }
  case WM_CONTEXTMENU:
    if (g_bMenuTracking || IsKeyboardSelectionMode())
      return true;
    break;
  case WM_COMMAND:
    if (HIWORD(pMsg->wParam) == 0)
      g_bKeyboardAltIgnore = IsKeyDown(VK_MENU);
    break;
  default:
    break;
  }
  if (IsMouseButtonMessage(nMessage) && IsKeyboardSelectionMode())
    LeaveKeyboardSelection(*this, true);
  return false;
}

BOOL CExtMenuControlBar::PreTranslateMessage(MSG* pMsg) {
  if (IsDialogMode() && TranslateFrameKeyboard(pMsg))
    return TRUE;
  return CExtToolControlBar::PreTranslateMessage(pMsg);
}

bool CExtMenuControlBar::ProcessMouseMove(UINT nFlags, CPoint ptClient) {
  if (IsKeyboardSelectionMode()) {
    const int nIndex = HitTestButtonNoSeparators(ptClient);
    if (nIndex >= 0 && nIndex != m_nFlatTrackingIndex) {
      PostTrackButtonMenu(nIndex, false, false, false);
      return true;
    }
  }
  return CExtToolControlBar::ProcessMouseMove(nFlags, ptClient);
}

void CExtMenuControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (!IsKeyboardSelectionMode() && g_bMenuTracking) {
    const int nIndex = HitTestButtonNoSeparators(point);
    if (nIndex >= 0 && nIndex == GetTrackedButton())
      return;
  }
  CExtToolControlBar::OnLButtonDown(nFlags, point);
}

void CExtMenuControlBar::OnLButtonUp(UINT nFlags, CPoint point) {
  const bool bWasSelecting = IsKeyboardSelectionMode();
  LeaveKeyboardSelection(*this, false);
  CExtToolControlBar::OnLButtonUp(nFlags, point);
  if (bWasSelecting)
    Invalidate();
}
