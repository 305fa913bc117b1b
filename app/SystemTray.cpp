#include "app/SystemTray.h"

#include "framework/app/fw_app.h"

#include <cstring>

UINT g_nMsgTaskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
CTrayOwnerWnd g_wndTrayOwner;

CSystemTray::ShellNotifyIconFn CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
CSystemTray::DrawAnimatedRectsFn CSystemTray::s_pfnDrawAnimatedRects = ::DrawAnimatedRects;

namespace {

// The record's size in the shell's first form: window, id, flags, callback, icon, 64-char tip
// (88 bytes in a 32-bit process).
const DWORD kIconDataSize = NOTIFYICONDATAA_V1_SIZE;

// The system's minimise animation is on.
BOOL MinimiseAnimationOn() {
  ANIMATIONINFO info = {sizeof(info), 0};
  return ::SystemParametersInfoA(SPI_GETANIMATION, sizeof(info), &info, 0) && info.iMinAnimate != 0;
}

// The notification area within the task bar: its icons, without the clock.
BOOL CALLBACK CutTrayRect(HWND hWnd, LPARAM lParam) {
  RECT* pRect = reinterpret_cast<RECT*>(lParam);
  char szClass[64] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  if (std::strcmp(szClass, "TrayNotifyWnd") == 0) {
    ::GetWindowRect(hWnd, pRect);
    return TRUE;
  }
  if (std::strcmp(szClass, "TrayClockWClass") == 0) {
    RECT rcClock;
    ::GetWindowRect(hWnd, &rcClock);
    if (rcClock.bottom >= pRect->bottom - 5)
      pRect->right = rcClock.left; // the clock beside the icons
    else
      pRect->top = rcClock.bottom; // the clock above them
    return FALSE;
  }
  return TRUE;
}

} // namespace

BEGIN_MESSAGE_MAP(CTrayOwnerWnd, CWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

void CTrayOwnerWnd::OnClose() {
  const HWND hFrame = ::GetWindow(m_hWnd, GW_CHILD);
  if (hFrame != NULL)
    ::SendMessageA(hFrame, WM_CLOSE, 0, 0);
  else
    Default();
}

IMPLEMENT_DYNAMIC(CSystemTray, CWnd)

BEGIN_MESSAGE_MAP(CSystemTray, CWnd)
ON_REGISTERED_MESSAGE(g_nMsgTaskbarCreated, OnTaskbarCreated)
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CSystemTray::CSystemTray()
    : m_bEnabled(FALSE), m_bHidden(TRUE), m_bRemoved(TRUE), m_bShowIconPending(FALSE), m_pTargetWnd(NULL),
      m_DefaultMenuItemID(0), m_DefaultMenuItemByPos(TRUE), m_uCreationFlags(0) {
  std::memset(&m_tnd, 0, sizeof(m_tnd));
}

CSystemTray::~CSystemTray() {
  RemoveIcon();
  if (m_hWnd != NULL)
    DestroyWindow();
}

BOOL CSystemTray::Create(CWnd* pParent, UINT uCallbackMessage, LPCSTR lpszTip, HICON hIcon, UINT uID,
                         BOOL bHidden, LPCSTR, LPCSTR, DWORD, UINT) {
  m_bEnabled = LOBYTE(LOWORD(::GetVersion())) >= 4;
  if (!m_bEnabled)
    return FALSE;
  if (m_hWnd == NULL && !CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 0, 0, NULL, NULL))
    return FALSE;

  std::memset(&m_tnd, 0, sizeof(m_tnd));
  m_tnd.cbSize = kIconDataSize;
  m_tnd.hWnd = (pParent != NULL && pParent->GetSafeHwnd() != NULL) ? pParent->GetSafeHwnd() : m_hWnd;
  m_tnd.uID = uID;
  m_tnd.uCallbackMessage = uCallbackMessage;
  m_tnd.hIcon = hIcon;
  m_tnd.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  if (lpszTip != NULL)
    lstrcpynA(m_tnd.szTip, lpszTip, kMaxTipLength);
  m_uCreationFlags = m_tnd.uFlags;
  m_bHidden = bHidden;
  if (bHidden)
    return TRUE;

  const BOOL bAdded = s_pfnShellNotifyIcon(NIM_ADD, &m_tnd);
  m_bRemoved = m_bHidden = m_bShowIconPending = !bAdded;
  return bAdded;
}

BOOL CSystemTray::SetMenuDefaultItem(UINT uItem, BOOL bByPosition) {
  if (m_DefaultMenuItemID == uItem && m_DefaultMenuItemByPos == bByPosition)
    return TRUE;
  m_DefaultMenuItemID = uItem;
  m_DefaultMenuItemByPos = bByPosition;
  CMenu menu;
  if (!menu.LoadMenu(m_tnd.uID))
    return FALSE;
  CMenu* pPopup = menu.GetSubMenu(0);
  if (pPopup == NULL)
    return FALSE;
  ::SetMenuDefaultItem(pPopup->m_hMenu, uItem, bByPosition);
  return TRUE;
}

BOOL CSystemTray::RemoveIcon() {
  m_bShowIconPending = FALSE;
  if (!m_bEnabled || m_bRemoved)
    return TRUE;
  m_tnd.uFlags = 0;
  if (s_pfnShellNotifyIcon(NIM_DELETE, &m_tnd))
    m_bHidden = m_bRemoved = TRUE;
  return m_bRemoved;
}

void CSystemTray::ShowIconAgain(DWORD dwMessage) {
  m_tnd.uFlags = m_uCreationFlags;
  // The shell may still hold the icon (a work-area change) or have lost it (a restart): whichever
  // answer the first message gets, the other one settles it, so an icon already there counts.
  BOOL bShown = s_pfnShellNotifyIcon(dwMessage, &m_tnd);
  if (!bShown)
    bShown = s_pfnShellNotifyIcon(dwMessage == NIM_ADD ? NIM_MODIFY : NIM_ADD, &m_tnd);
  m_bHidden = m_bShowIconPending = !bShown;
  m_bRemoved = !bShown;
}

namespace {

// The popup of the tray's menu resource, loaded into menu; NULL when there is none.
CMenu* LoadTrayPopup(CMenu& menu, UINT nId) { return menu.LoadMenu(nId) ? menu.GetSubMenu(0) : NULL; }

// The window that comes to the front for the frame: the frame itself, or while a modal dialog or
// prompt has disabled it, that dialog, as the system's task switching does. The disabled frame in
// front of its own dialog would take no input and hide what does.
HWND WindowToShow(HWND hFrame) { return ::IsWindowEnabled(hFrame) ? hFrame : ::GetLastActivePopup(hFrame); }

} // namespace

CWnd* CSystemTray::GetTargetWnd() const { return m_pTargetWnd != NULL ? m_pTargetWnd : AfxGetMainWnd(); }

LRESULT CSystemTray::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
  if (wParam != m_tnd.uID)
    return 0;
  CWnd* pTarget = GetTargetWnd();
  if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
    return 0;

  if (LOWORD(lParam) == WM_RBUTTONUP) {
    CMenu menu;
    CMenu* pPopup = LoadTrayPopup(menu, m_tnd.uID);
    if (pPopup == NULL)
      return 0;
    ::SetMenuDefaultItem(pPopup->m_hMenu, m_DefaultMenuItemID, m_DefaultMenuItemByPos);
    CustomizeMenu(pPopup);
    POINT pt = {0, 0};
    ::GetCursorPos(&pt);
    // The menu closes when the user clicks elsewhere only if the program is in the foreground:
    // the frame, or the window it waits on (a capture's overlay, a dialog), which must keep the
    // keyboard once the menu has gone, also while the frame is hidden.
    ::SetForegroundWindow(::GetLastActivePopup(pTarget->m_hWnd));
    ::TrackPopupMenu(pPopup->m_hMenu, 0, pt.x, pt.y, 0, pTarget->m_hWnd, NULL);
    pTarget->PostMessage(WM_NULL, 0, 0);
  } else if (LOWORD(lParam) == WM_LBUTTONDBLCLK) {
    ::SetForegroundWindow(WindowToShow(pTarget->m_hWnd));
    UINT uCommand = m_DefaultMenuItemID;
    if (m_DefaultMenuItemByPos) {
      CMenu menu;
      CMenu* pPopup = LoadTrayPopup(menu, m_tnd.uID);
      if (pPopup == NULL)
        return 0;
      uCommand = pPopup->GetMenuItemID(m_DefaultMenuItemID);
    }
    pTarget->PostMessage(WM_COMMAND, uCommand, 0);
  }
  return 1;
}

void CSystemTray::CustomizeMenu(CMenu*) {}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_tnd.uCallbackMessage != 0 && message == m_tnd.uCallbackMessage)
    return OnTrayNotification(wParam, lParam);
  return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CSystemTray::OnTaskbarCreated(WPARAM, LPARAM) {
  m_bShowIconPending = TRUE;
  if (!m_bHidden)
    ShowIconAgain(NIM_ADD);
  return 0;
}

void CSystemTray::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CWnd::OnSettingChange(uFlags, lpszSection);
  if (uFlags != SPI_SETWORKAREA)
    return;
  m_bShowIconPending = !m_bHidden;
  if (!m_bHidden)
    ShowIconAgain(NIM_MODIFY);
}

void CSystemTray::FindTrayWindowRect(LPRECT lpRect) {
  // A task bar window that is not on screen (a shell without a task bar keeps one hidden) or a
  // bar the shell reports as empty tells nothing: the next guess is taken.
  HWND hTaskBar = ::FindWindowA("Shell_TrayWnd", NULL);
  if (hTaskBar != NULL && ::IsWindowVisible(hTaskBar) && ::GetWindowRect(hTaskBar, lpRect) &&
      !::IsRectEmpty(lpRect)) {
    ::EnumChildWindows(hTaskBar, CutTrayRect, reinterpret_cast<LPARAM>(lpRect));
    return;
  }
  APPBARDATA abd = {sizeof(abd)};
  if (::SHAppBarMessage(ABM_GETTASKBARPOS, &abd) && !::IsRectEmpty(&abd.rc)) {
    const RECT& bar = abd.rc;
    if (abd.uEdge == ABE_LEFT || abd.uEdge == ABE_RIGHT)
      ::SetRect(lpRect, bar.left, bar.bottom - 100, bar.right, bar.bottom - 16);
    else
      ::SetRect(lpRect, bar.right - 100, bar.top, bar.right - 16, bar.bottom);
    return;
  }
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, lpRect, 0);
  lpRect->left = lpRect->right - 150;
  lpRect->top = lpRect->bottom - 30;
}

BOOL CSystemTray::AttachToHiddenOwner(CWnd* pWnd) {
  if (!::IsWindow(g_wndTrayOwner.GetSafeHwnd()) &&
      !g_wndTrayOwner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL))
    return FALSE;
  pWnd->SetParent(&g_wndTrayOwner);
  return TRUE;
}

void CSystemTray::MinimiseToTray(CWnd* pWnd, BOOL bForceAnimation) {
  if (bForceAnimation || MinimiseAnimationOn()) {
    CRect rcFrom, rcTo;
    pWnd->GetWindowRect(&rcFrom);
    FindTrayWindowRect(&rcTo);
    s_pfnDrawAnimatedRects(pWnd->m_hWnd, IDANI_CAPTION, &rcFrom, &rcTo);
  }
  AttachToHiddenOwner(pWnd); // without the owner the frame still leaves the screen
  pWnd->ModifyStyle(WS_VISIBLE, 0);
}

void CSystemTray::RestoreFromTray(CWnd* pWnd, BOOL bForceAnimation) {
  // Taken first: detaching a frame that is shown hides and shows it, which makes it the last active.
  const HWND hShow = WindowToShow(pWnd->m_hWnd);
  if (!bForceAnimation && !MinimiseAnimationOn()) {
    pWnd->SetParent(NULL);
  } else {
    CRect rcTo, rcFrom;
    pWnd->GetWindowRect(&rcTo);
    FindTrayWindowRect(&rcFrom);
    pWnd->SetParent(NULL);
    s_pfnDrawAnimatedRects(pWnd->m_hWnd, IDANI_CAPTION, &rcFrom, &rcTo);
  }
  pWnd->ModifyStyle(0, WS_VISIBLE);
  pWnd->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  if (::IsWindow(g_wndTrayOwner.GetSafeHwnd()))
    g_wndTrayOwner.SetActiveWindow();
  ::SetActiveWindow(hShow);
  ::SetForegroundWindow(hShow);
}
