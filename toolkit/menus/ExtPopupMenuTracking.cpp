// Tracking a popup menu chain: the tracking entry and its modal loop, the site's thread hooks that
// route the input to the chain, the end of the tracking, and the menu window's own messages.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "framework/app/fw_app.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/frame/fw_frame.h"
#include "framework/res/fw_res.h"
#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <ctime>

DWORD CExtPopupTrackSite::g_nLastKeyTime = 0;

namespace {

// Repeats of a held key that come closer together than this are faster than a menu can follow.
const int kKeyThrottleMs = 20;

bool IsLiveWindow(HWND hWnd) { return hWnd != NULL && ::IsWindow(hWnd); }

bool IsShown(const CWnd& wnd) {
  const HWND hWnd = wnd.GetSafeHwnd();
  return IsLiveWindow(hWnd) && ::IsWindowVisible(hWnd);
}

// Which button a button message is about (1 left, 2 right, 3 middle); 0 for other messages.
int ButtonOf(UINT nMsg) {
  switch (nMsg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
    return 1;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_NCRBUTTONDOWN:
  case WM_NCRBUTTONUP:
    return 2;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_NCMBUTTONDOWN:
  case WM_NCMBUTTONUP:
    return 3;
  }
  return 0;
}

bool IsButtonMessage(UINT nMsg) { return ButtonOf(nMsg) != 0; }

bool IsButtonDown(UINT nMsg) {
  return nMsg == WM_LBUTTONDOWN || nMsg == WM_RBUTTONDOWN || nMsg == WM_MBUTTONDOWN ||
         nMsg == WM_NCLBUTTONDOWN || nMsg == WM_NCRBUTTONDOWN || nMsg == WM_NCMBUTTONDOWN;
}

// Whether the focus is a child window of a popup menu (the edit of an in-place item).
bool IsFocusInMenu() {
  const HWND hWndFocus = ::GetFocus();
  const HWND hWndParent = hWndFocus != NULL ? ::GetParent(hWndFocus) : NULL;
  CWnd* pParent = hWndParent != NULL ? CWnd::FromHandlePermanent(hWndParent) : NULL;
  return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd));
}

bool IsModifierOrAltDown(LPARAM lKeyData) {
  for (int nKey :
       {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU, VK_RMENU})
    if (::GetKeyState(nKey) < 0)
      return true;
  return (lKeyData & (1 << 29)) != 0;
}

// The frame whose status line shows what the menus of a window are about.
HWND StatusFrameOf(HWND hWnd) {
  CWnd* pWnd = IsLiveWindow(hWnd) ? CWnd::FromHandlePermanent(hWnd) : NULL;
  if (pWnd == NULL)
    return NULL;
  CFrameWnd* pFrame =
      pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pWnd) : pWnd->GetParentFrame();
  return pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
}

bool IsReceiverInHelpMode(HWND hWndReceiver) {
  CWnd* pReceiver = IsLiveWindow(hWndReceiver) ? CWnd::FromHandlePermanent(hWndReceiver) : NULL;
  CFrameWnd* pFrame = pReceiver != NULL ? pReceiver->GetTopLevelFrame() : NULL;
  return pFrame != NULL && pFrame->m_bHelpMode;
}

// A dropped list of the combo box that has the focus (or holds it) would stay over the menu.
void CloseDroppedComboList() {
  const HWND hWndFocus = ::GetFocus();
  for (HWND hWnd : {hWndFocus, hWndFocus != NULL ? ::GetParent(hWndFocus) : HWND(NULL)}) {
    CWnd* pWnd = hWnd != NULL ? CWnd::FromHandlePermanent(hWnd) : NULL;
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CComboBox)) || (pWnd->GetStyle() & 0x3) == 0)
      continue;
    if (::SendMessageA(hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0)
      ::SendMessageA(hWnd, CB_SHOWDROPDOWN, FALSE, 0);
    return;
  }
}

// The deepest menu of the open chain below pMenu.
CExtPopupMenuWnd* DeepestOpenMenu(CExtPopupMenuWnd* pMenu) {
  for (;;) {
    CExtPopupMenuWnd* pChild = pMenu->ItemGetPopup(pMenu->GetCurrentItemIndex());
    if (pChild == NULL || !IsShown(*pChild))
      return pMenu;
    pMenu = pChild;
  }
}

void InstallHook(HHOOK& hHook, int idHook, HOOKPROC pfnHook, const char* pszKind) {
  if (hHook != NULL)
    return;
  hHook = ::SetWindowsHookExA(idHook, pfnHook, NULL, ::GetCurrentThreadId());
  if (hHook == NULL)
    TRACE("popup menu: the %s hook could not be installed (%lu)\n", pszKind, ::GetLastError());
}

void RemoveHook(HHOOK& hHook) {
  if (hHook != NULL && !::UnhookWindowsHookEx(hHook))
    TRACE("popup menu: a tracking hook could not be removed (%lu)\n", ::GetLastError());
  hHook = NULL;
}

} // namespace

// -------------------------------------------------------------------------------------------------
// The site.

CExtPopupTrackSite::~CExtPopupTrackSite() {
  if (!IsEmpty() && !IsEnding())
    EndTracking();
  if (IsLiveWindow(m_tipShared.GetSafeHwnd())) {
    m_tipShared.HideTip();
    m_tipShared.DestroyWindow();
  }
  RemoveHook(m_hMouseHook);
  RemoveHook(m_hKeyboardHook);
}

void CExtPopupTrackSite::BeginTracking(CExtPopupMenuWnd* pMenu) {
  if (pMenu == m_pTrackedMenu)
    return;
  if (m_pTrackedMenu != NULL)
    EndTracking();
  m_pTrackedMenu = pMenu;
  ++m_nTrackingSerial;
  // Without a hook the menu still shows; the next beginning tries again.
  InstallHook(m_hMouseHook, WH_MOUSE, &CExtPopupTrackSite::MouseHookProc, "mouse");
  InstallHook(m_hKeyboardHook, WH_KEYBOARD, &CExtPopupTrackSite::KeyboardHookProc, "keyboard");
}

void CExtPopupTrackSite::EndTracking() {
  if (IsEnding())
    return;
  if (IsLiveWindow(m_tipShared.GetSafeHwnd()))
    m_tipShared.HideTip();
  m_nStateFlags |= SITE_ENDING;
  m_pHoverMenu = NULL;
  m_pAnimatedMenu = NULL;
  m_pResultCmdId = NULL;
  if (CExtPopupMenuWnd* pMenu = m_pTrackedMenu) {
    // A menu whose tracking entry has not returned belongs to its caller, items and all.
    const bool bDelete = pMenu != m_pEnteringMenu;
    if (bDelete)
      pMenu->BuildItemsFromMenuHandle(NULL, true, true);
    const HWND hWnd = pMenu->GetSafeHwnd();
    if (IsLiveWindow(hWnd)) {
      const HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
      const HWND hWndFrame = StatusFrameOf(hWndOwner != NULL ? hWndOwner : ::GetParent(hWnd));
      if (hWndFrame != NULL)
        ::SendMessageA(hWndFrame, WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
      for (int i = 0; i < pMenu->GetItemCount(); i++) {
        const HWND hWndInplace = pMenu->GetItemAt(i).m_hWndInplace;
        if (IsLiveWindow(hWndInplace))
          ::DestroyWindow(hWndInplace);
      }
      pMenu->DestroyWindow();
      CExtPopupMenuWnd::DrainMessagesAndIdle(false);
    }
    if (bDelete)
      delete pMenu;
  }
  m_pTrackedMenu = NULL;
  if (m_nReleaseButton == 0)
    RemoveHook(m_hMouseHook);
  RemoveHook(m_hKeyboardHook);
  m_nStateFlags &= ~SITE_ENDING;
}

void CExtPopupTrackSite::ExpectRelease(UINT nDownMsg) {
  m_nReleaseButton = ButtonOf(nDownMsg);
  if (m_nReleaseButton != 0)
    InstallHook(m_hMouseHook, WH_MOUSE, &CExtPopupTrackSite::MouseHookProc, "mouse");
}

bool CExtPopupTrackSite::TakeExpectedRelease(UINT nMsg) {
  const int nButton = ButtonOf(nMsg);
  if (m_nReleaseButton == 0 || nButton == 0)
    return false;
  // A new press means the release went to a window of another thread: nothing is left to take.
  const bool bTaken = !IsButtonDown(nMsg) && nButton == m_nReleaseButton;
  if (!bTaken && !IsButtonDown(nMsg))
    return false;
  m_nReleaseButton = 0;
  if (IsEmpty())
    RemoveHook(m_hMouseHook);
  // A window that took the capture on the press waits for this release: losing the capture ends its
  // press instead (a push button pops up unclicked, a tracker loop stops), and the posted message
  // wakes a loop of its own that waits for input.
  const HWND hWndCapture = ::GetCapture();
  if (bTaken && hWndCapture != NULL) {
    ::ReleaseCapture();
    ::PostMessageA(hWndCapture, WM_NULL, 0, 0);
  }
  return bTaken;
}

LRESULT CALLBACK CExtPopupTrackSite::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  CExtPopupTrackSite& site = g_PopupTrackSite;
  const LRESULT kSwallow = 1;
  // A message only looked at (PM_NOREMOVE) comes again when it is taken: it is acted on then.
  if (nCode != HC_ACTION)
    return ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam);
  const UINT nMsg = (UINT)wParam;
  const MOUSEHOOKSTRUCT* pData = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
  const bool bButton = IsButtonMessage(nMsg);
  if (CExtPopupMenuWnd::TEAROFFNOTIFICATON* pTearOff = CExtPopupMenuWnd::TEAROFFNOTIFICATON::g_pCurrent) {
    const bool bHandled = nMsg == WM_MOUSEMOVE               ? pTearOff->OnHookMouseMove()
                          : bButton || nMsg == WM_MOUSEWHEEL ? pTearOff->OnHookMouseClick(nMsg)
                                                             : false;
    if (bHandled)
      return kSwallow;
  }
  if (site.TakeExpectedRelease(nMsg))
    return kSwallow;
  if (site.IsEmpty() || site.IsEnding())
    return ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam);
  CExtPopupMenuWnd* pHover = site.m_pHoverMenu;
  if (pHover == NULL || !IsLiveWindow(pHover->GetSafeHwnd()))
    return kSwallow;

  bool bNoEat = false, bConsumed = false;
  CPoint pt = pData->pt;
  if (nMsg == WM_MOUSEWHEEL) {
    bConsumed = pHover->HandleMouseWheel(nMsg, pData, bNoEat);
  } else if (nMsg == WM_MOUSEMOVE || bButton) {
    ::ScreenToClient(pHover->GetSafeHwnd(), &pt);
    bConsumed = nMsg == WM_MOUSEMOVE ? pHover->HandleMouseMove(nMsg, pt.x, pt.y, bNoEat)
                                     : pHover->HandleMouseClick(nMsg, pt.x, pt.y, bNoEat);
  } else {
    return ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam);
  }
  // The handler may have ended the tracking: from here on only the site is read, never pHover.
  if (bConsumed)
    return kSwallow;
  if (nMsg == WM_MOUSEWHEEL)
    return bNoEat ? ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam) : kSwallow;
  if (!bButton || bNoEat)
    return ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam);
  if (site.IsEmpty() || site.IsEnding())
    return IsButtonDown(nMsg) ? ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam) : kSwallow;
  if (site.m_pTrackedMenu->FindChainMenuAt(pData->pt) != NULL)
    return kSwallow;
  // Outside the chain: it closes, and a press goes on to the window it was meant for; its release
  // belongs to the closing and does not follow it there.
  DeepestOpenMenu(site.m_pTrackedMenu)->EndWithCommand(0);
  if (!IsButtonDown(nMsg))
    return kSwallow;
  site.ExpectRelease(nMsg);
  return ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtPopupTrackSite::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  CExtPopupTrackSite& site = g_PopupTrackSite;
  const LRESULT kSwallow = 1;
  if (nCode != HC_ACTION)
    return ::CallNextHookEx(site.m_hKeyboardHook, nCode, wParam, lParam);
  if (CExtPopupMenuWnd::TEAROFFNOTIFICATON* pTearOff = CExtPopupMenuWnd::TEAROFFNOTIFICATON::g_pCurrent) {
    if (pTearOff->OnHookKey())
      return kSwallow;
  }
  // Keys typed while the chain is being taken down belong to the application.
  if (site.IsEnding())
    return ::CallNextHookEx(site.m_hKeyboardHook, nCode, wParam, lParam);
  CExtPopupMenuWnd* pHover = site.m_pHoverMenu;
  if (!site.IsEmpty() && pHover != NULL && IsLiveWindow(pHover->GetSafeHwnd())) {
    if ((lParam & 0x80000000) != 0)
      return kSwallow;
    // Only a key held down is thinned out: a key pressed anew counts however soon after the last
    // one the thread takes it, as keys typed while the program was busy come in together.
    const bool bRepeat = (lParam & 0x40000000) != 0;
    const DWORD dwNow = (DWORD)std::clock();
    if (bRepeat && (int)(dwNow - g_nLastKeyTime) < kKeyThrottleMs && !IsFocusInMenu())
      return kSwallow;
    g_nLastKeyTime = dwNow;
    bool bNoEat = false;
    const bool bConsumed = pHover->HandleKeyboard((UINT)wParam, LOWORD(lParam), HIWORD(lParam), bNoEat);
    if (bConsumed || !bNoEat)
      return kSwallow;
    return ::CallNextHookEx(site.m_hKeyboardHook, nCode, wParam, lParam);
  }
  if (ExtBarMenuTracking::IsTracking() || !IsModifierOrAltDown(lParam) || (lParam & 0x80000000) == 0)
    return kSwallow;
  CExtPopupMenuWnd::CancelAllTracking();
  return ::CallNextHookEx(site.m_hKeyboardHook, nCode, wParam, lParam);
}

// -------------------------------------------------------------------------------------------------
// Questions and services of the toolkit.

bool AreWindowsInOneFamily(HWND hWnd1, HWND hWnd2, bool bCheckEnabled, bool bCheckVisible,
                           bool bFailWhileMenuTracked) {
  if (bFailWhileMenuTracked && CExtPopupMenuWnd::AnyMenuTracked())
    return false;
  if (!IsLiveWindow(hWnd1) || !IsLiveWindow(hWnd2))
    return false;
  if (bCheckEnabled && (!::IsWindowEnabled(hWnd1) || !::IsWindowEnabled(hWnd2)))
    return false;
  const DWORD kFamilyStyles = WS_POPUP | WS_VISIBLE;
  auto styleOf = [](HWND hWnd) { return (DWORD)::GetWindowLongA(hWnd, GWL_STYLE); };
  if (bCheckVisible && ((styleOf(hWnd1) & WS_VISIBLE) == 0 || (styleOf(hWnd2) & WS_VISIBLE) == 0))
    return false;
  for (HWND hWndUp = ::GetParent(hWnd1); hWndUp != NULL; hWndUp = ::GetParent(hWndUp)) {
    if ((styleOf(hWndUp) & kFamilyStyles) == 0)
      continue;
    for (HWND hWndOther = hWnd2; hWndOther != NULL; hWndOther = ::GetParent(hWndOther))
      if (hWndOther == hWndUp)
        return true;
  }
  return false;
}

bool CExtPopupMenuWnd::ItemCoveringNotification_t::Notify() {
  // A bar button's notification needs the bars, which answer it themselves for now.
  if (m_pPopup == NULL)
    return false;
  const HWND hWndReceiver = m_pPopup->GetCmdReceiverHWND();
  if (!IsLiveWindow(hWndReceiver) || m_pPopup->IsHelpMode())
    return false;
  ::SendMessageA(hWndReceiver, g_nMsgItemCoveringNotification, (WPARAM)this, 0);
  return true;
}

bool CExtPopupMenuWnd::AnyMenuTracked() { return !GetTrackSite().IsEmpty(); }

void CExtPopupMenuWnd::CancelAllTracking() {
  CExtPopupTrackSite& site = GetTrackSite();
  if (!site.IsEmpty() && !site.IsEnding())
    site.EndTracking();
}

void CExtPopupMenuWnd::DrainMessagesAndIdle(bool bIdle) {
  // Each message is taken as it is peeked: a message only looked at may be dropped by a hook when
  // it is taken (the tracking's own hooks swallow keys and clicks), and a pump that took it
  // afterwards would wait for the next message that may never come.
  CWinThread* pThread = AfxGetThread();
  MSG msg;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage((int)msg.wParam);
      return;
    }
    if (pThread != NULL && pThread->PreTranslateMessage(&msg))
      continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  for (LONG lCount = 0; bIdle && pThread != NULL && pThread->OnIdle(lCount); ++lCount) {
  }
}

void CExtPopupMenuWnd::ExecuteItem(int nIndex) {
  if (!IsItemIndex(nIndex))
    return;
  const MENUITEMDATA& item = m_items[nIndex];
  EndWithCommand(item.m_nCmdId, item.m_hWndCmdReceiver);
}

// -------------------------------------------------------------------------------------------------
// The tracking entry.

bool CExtPopupMenuWnd::RunTrackingLoop(DWORD dwTrackFlags, int x, int y, const RECT* prcExclude,
                                       LPVOID pCookie, PFN_COMBINED_AREA_PAINTER pfnPainter,
                                       UINT* pResultCmdId, bool bPainterFlag) {
  CExtPopupTrackSite& site = GetTrackSite();
  if (site.m_pTrackedMenu == this)
    return true; // already shown and tracked
  bool bTipHidden = false;
  if (IsShown(site.m_tipShared)) {
    site.m_tipShared.HideTip();
    site.m_tipShared.DestroyWindow();
    bTipHidden = true;
  }
  CWnd::CancelToolTips(FALSE);
  if (IsOwnTipVisible()) {
    HideOwnTip();
    bTipHidden = true;
  }
  if (bTipHidden)
    CExtPaintManager::PumpPendingMessages(true, true, true);
  if (pResultCmdId != NULL)
    *pResultCmdId = 0;

  if (IsReceiverInHelpMode(m_hWndCmdReceiver))
    dwTrackFlags |= TPMX_HELP_MODE;
  if ((dwTrackFlags & TPMX_DISPLAY_ONLY) != 0) {
    dwTrackFlags &= ~(DWORD)(TPMX_COMBINE_MASK | TPMX_SELECT_FIRST | TPMX_MODAL_LOOP | TPMX_OWNERDRAW_ITEMS);
    dwTrackFlags |= TPMX_SHOW_ALL | TPMX_NO_CMD_DELIVERY | TPMX_NO_CMD_UI | TPMX_NO_SHADOW;
  }
  if ((dwTrackFlags & TPMX_HELP_MODE) != 0)
    dwTrackFlags |= TPMX_SHOW_ALL;
  const bool bDisplayOnly = (dwTrackFlags & TPMX_DISPLAY_ONLY) != 0;
  CloseDroppedComboList();

  if (!site.IsEmpty()) {
    if (site.IsEnding())
      return false;
    site.EndTracking();
    if (!site.IsEmpty())
      return false; // the old chain's end began another tracking
  }
  const HWND hWndCapture = ::GetCapture();
  if (hWndCapture != NULL && CWnd::FromHandlePermanent(hWndCapture) != NULL) {
    ::ReleaseCapture();
    if (IsLiveWindow(hWndCapture))
      ::SendMessageA(hWndCapture, WM_CANCELMODE, 0, 0);
  }
  if (!bDisplayOnly) {
    site.BeginTracking(this);
    site.m_pResultCmdId = pResultCmdId;
    site.m_pEnteringMenu = this;
  }
  const DWORD nSerial = site.m_nTrackingSerial;
  m_dwTrackFlags = (m_dwTrackFlags & (TPMX_PALETTE | TPMX_DOCKER_BACKGROUND)) | dwTrackFlags;
  if ((dwTrackFlags & (TPMX_HELP_MODE | TPMX_DISPLAY_ONLY)) == 0)
    UpdateItemsCmdUI();

  const bool bShown = PrepareContent(dwTrackFlags, x, y, prcExclude, pCookie, pfnPainter, bPainterFlag);
  if (bDisplayOnly)
    return bShown;
  // Until here the caller owned the menu; the site takes it only when it is shown and still tracked.
  const bool bTracked = site.m_nTrackingSerial == nSerial && site.m_pTrackedMenu == this && !site.IsEnding();
  if (site.m_pEnteringMenu == this)
    site.m_pEnteringMenu = NULL;
  if (!bShown || !bTracked) {
    if (bTracked) {
      site.m_pEnteringMenu = this;
      site.EndTracking();
      site.m_pEnteringMenu = NULL;
    }
    return false;
  }
  if ((dwTrackFlags & TPMX_MODAL_LOOP) == 0)
    return true;

  // The loop never touches the menu: any message may end the tracking and delete it.
  const HWND hWnd = m_hWnd;
  MSG msg;
  while (!site.IsEmpty() && site.m_nTrackingSerial == nSerial && IsLiveWindow(hWnd)) {
    if (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE))
      break; // the application ends: the quit stays queued for its own loop
    // Waits only on an empty queue: looking for the quit marks all queued input as seen, so a key
    // that came after the drain would not wake the wait and would lie there until the next input.
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
      ::WaitMessage();
    DrainMessagesAndIdle(false);
  }
  if (!ExtBarMenuTracking::IsTracking() && !site.IsEmpty() && site.m_nTrackingSerial == nSerial &&
      !site.IsEnding())
    site.EndTracking();
  return true;
}

// -------------------------------------------------------------------------------------------------
// The menu window's own messages.

void CExtPopupMenuWnd::PostNcDestroy() {
  CExtPopupTrackSite& site = GetTrackSite();
  if (site.m_pTrackedMenu != this || IsEffectsSuppressed())
    return;
  const HWND hWndReceiver = GetCmdReceiverHWND();
  if (IsLiveWindow(hWndReceiver))
    ::SendMessageA(hWndReceiver, g_nMsgNotifyMenuClosed, 0, (LPARAM)this);
  // Ending deletes this object: nothing of it is touched afterwards.
  if (site.m_pTrackedMenu == this && !site.IsEnding())
    site.EndTracking();
}

void CExtPopupMenuWnd::OnCancelMode() {
  if (IsEffectsSuppressed())
    return;
  CancelAllTracking();
  if (ExtBarMenuTracking::IsTracking())
    ExtBarMenuTracking::EndInAllBars();
}

void CExtPopupMenuWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
  // Switching to another application closes the menu; coming back to this one leaves it.
  if (!bActive)
    ResetAndHide(false);
}

BOOL CExtPopupMenuWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (!IsHelpMode() && IsTearOffEnabled()) {
    CPoint pt;
    if (::GetCursorPos(&pt)) {
      ScreenToClient(&pt);
      if (HitTest(pt) == HIT_TEAROFF) {
        ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
        return TRUE;
      }
    }
  }
  return CExtPopupBaseWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CExtPopupMenuWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  CExtPopupBaseWnd::OnShowWindow(bShow, nStatus);
  // A menu without tracking has nobody else to paint it when it appears.
  if (bShow && IsEffectsSuppressed())
    PostDelayedRepaint();
}

LRESULT CExtPopupMenuWnd::OnSwallowInput(WPARAM, LPARAM) { return 0; }
