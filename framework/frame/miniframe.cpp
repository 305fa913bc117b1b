// CMiniFrameWnd: a tool-window frame owned by another frame, which follows the owner's activation,
// enabling and visibility, stays above it and has no system menu of its own.
#include "framework/frame/fw_frame.h"

#include <vector>

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_NCHITTEST()
ON_WM_SYSCOMMAND()
ON_WM_NCDESTROY()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
END_MESSAGE_MAP()

namespace {

// Under Wine without a window manager, a window taking the keyboard raises its top-level window on
// the screen over all others at once, while Wine's window order keeps the owner's mini frames above
// it: a click that reached the screen before the idle pass put them back went to the owner (the
// second click of a double click on a mini frame's caption, whose first passed the keyboard through
// the bar's content to the frame). While the thread has mini frames, a hook on the messages sent
// puts them back when the window taking the keyboard is told, which Wine does right after raising
// the owner, so that no click in between finds them under it.
//
// Back from topmost, a window goes first of those that are not topmost, but never below its owner:
// when the owner comes first of them (the floating frame and what it owns aside), Wine puts the
// frame just under the last topmost window instead and leaves it topmost. A hidden window of the
// thread, put first of them before, holds that place for the frame to come back to. Both live while
// the thread has mini frames.
struct MiniFrameThreadState {
  HHOOK hHook;
  HWND hPlaceHolder;
  int nMiniFrames;
};

MiniFrameThreadState& ThreadMiniFrames() {
  static thread_local MiniFrameThreadState hook = {NULL, NULL, 0};
  return hook;
}

LRESULT CALLBACK KeyboardTakenProc(int nCode, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (nCode == HC_ACTION && pMsg->message == WM_SETFOCUS)
    CMiniFrameWnd::KeepAboveOwnerTakingKeyboard(::GetAncestor(pMsg->hwnd, GA_ROOT));
  return ::CallNextHookEx(ThreadMiniFrames().hHook, nCode, wParam, lParam);
}

void AddMiniFrame() {
  MiniFrameThreadState& hook = ThreadMiniFrames();
  if (hook.nMiniFrames++ == 0) {
    hook.hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, KeyboardTakenProc, NULL, ::GetCurrentThreadId());
    hook.hPlaceHolder = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 0, 0, NULL, NULL, NULL, NULL);
  }
}

void RemoveMiniFrame() {
  MiniFrameThreadState& hook = ThreadMiniFrames();
  if (--hook.nMiniFrames != 0)
    return;
  if (hook.hHook != NULL)
    ::UnhookWindowsHookEx(hook.hHook);
  if (hook.hPlaceHolder != NULL)
    ::DestroyWindow(hook.hPlaceHolder);
  hook.hHook = NULL;
  hook.hPlaceHolder = NULL;
}

} // namespace

CMiniFrameWnd::CMiniFrameWnd() {}

BOOL CMiniFrameWnd::Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_strTitle = lpWindowName;
  if (lpClassName == NULL)
    lpClassName = RegisterFrameClass(0);
  if (!CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                      rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID))))
    return FALSE;
  AddMiniFrame();
  m_bCounted = true;
  return TRUE;
}

void CMiniFrameWnd::OnNcDestroy() {
  if (m_bCounted)
    RemoveMiniFrame();
  m_bCounted = false;
  CFrameWnd::OnNcDestroy(); // may delete this
}

UINT CMiniFrameWnd::OnNcHitTest(CPoint) {
  UINT nHit = (UINT)Default();
  DWORD dwStyle = GetStyle();
  if ((dwStyle & MFS_MOVEFRAME) && nHit >= HTSIZEFIRST && nHit <= HTSIZELAST)
    return HTCAPTION; // the border moves the frame instead of sizing it
  if (dwStyle & MFS_4THICKFRAME) {
    // Corners size along one edge only.
    switch (nHit) {
    case HTTOPLEFT:
    case HTBOTTOMLEFT:
      return HTLEFT;
    case HTTOPRIGHT:
    case HTBOTTOMRIGHT:
      return HTRIGHT;
    }
  }
  return nHit;
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM) {
  UINT nCmd = nID & 0xFFF0;
  if ((GetStyle() & MFS_BLOCKSYSMENU) && (nCmd == SC_KEYMENU || nCmd == SC_MOUSEMENU))
    return; // no system menu for floating frames
  if (nCmd == SC_CLOSE && ::GetKeyState(VK_F4) < 0 && ::GetKeyState(VK_MENU) < 0) {
    // Alt+F4 closes the program, not the floating frame.
    CWnd* pParent = GetTopLevelParent();
    if (pParent != NULL && pParent != this) {
      pParent->SendMessage(WM_SYSCOMMAND, nID, 0);
      return;
    }
  }
  Default();
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM) {
  DWORD dwStyle = GetStyle();
  if (wParam & FS_SYNCACTIVE)
    return (dwStyle & MFS_SYNCACTIVE) != 0;
  if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (dwStyle & MFS_SYNCACTIVE))
    SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
  if (wParam & (FS_ENABLE | FS_DISABLE))
    EnableWindow((wParam & FS_ENABLE) != 0);
  // Hidden with the owner, shown again with it, without ever taking the activation.
  if ((wParam & FS_HIDE) && IsWindowVisible()) {
    ShowWindow(SW_HIDE);
    m_nFlags |= WF_TEMPHIDE;
  } else if ((wParam & FS_SHOW) && (m_nFlags & WF_TEMPHIDE)) {
    ShowWindow(SW_SHOWNA);
    m_nFlags &= ~WF_TEMPHIDE;
  }
  return 0;
}

LRESULT CMiniFrameWnd::OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = CFrameWnd::OnIdleUpdateCmdUIMessage(wParam, lParam);
  // A click that reached the owner where this frame covers it (in Wine's order) raised the owner
  // over it, and the window order followed: at an idle time this frame goes back above its owner.
  const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
  if (hOwner == NULL || !IsWindowVisible())
    return lResult;
  bool bBelowOwner = false;
  for (HWND hAbove = ::GetWindow(m_hWnd, GW_HWNDPREV); hAbove != NULL && !bBelowOwner;
       hAbove = ::GetWindow(hAbove, GW_HWNDPREV))
    bBelowOwner = hAbove == hOwner;
  if (bBelowOwner)
    ComeAboveOwner(false);
  return lResult;
}

void CMiniFrameWnd::ComeAboveOwner(bool bOnScreenOnly) {
  const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
  if (hOwner == NULL || !IsWindowVisible())
    return;
  // Wine moves a window on the screen only when it comes to the top of the shown windows: placed
  // under a shown one it moves in Wine's order alone and stays hidden under its owner for good. A
  // shown window above the owner (a tip, a menu, another program's window; not one of the owner's
  // floating frames) that this frame would cover keeps it waiting; one it would not cover is passed
  // by going to the top of all windows and back under the topmost ones, which Wine does in its own
  // order alone. So is the top of Wine's order reached again by a frame already there, which going
  // to the top would leave where it is, on the screen too. The frame itself is passed over, also
  // while it is topmost (an owner made topmost and back leaves its floating frames topmost).
  CRect rcThis;
  GetWindowRect(&rcThis);
  bool bShownAbove = false;
  for (HWND hAbove = ::GetWindow(hOwner, GW_HWNDPREV); hAbove != NULL;
       hAbove = ::GetWindow(hAbove, GW_HWNDPREV)) {
    if (hAbove == m_hWnd || !::IsWindowVisible(hAbove) ||
        (::GetWindow(hAbove, GW_OWNER) == hOwner &&
         (::GetWindowLongA(hAbove, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0))
      continue;
    CRect rcAbove, rcCommon;
    ::GetWindowRect(hAbove, &rcAbove);
    if (rcCommon.IntersectRect(&rcThis, &rcAbove))
      return;
    bShownAbove = true;
  }
  // A frame above in Wine's order is drawn already: the screen shows it again from what Wine keeps.
  const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (bOnScreenOnly ? SWP_NOREDRAW : 0);
  if (bShownAbove || bOnScreenOnly) {
    // Back under the topmost windows, just above the place holder: never topmost itself.
    const HWND hPlaceHolder = ThreadMiniFrames().hPlaceHolder;
    if (hPlaceHolder != NULL)
      ::SetWindowPos(hPlaceHolder, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, nFlags);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, nFlags);
  } else {
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, nFlags);
  }
}

void CMiniFrameWnd::KeepAboveOwnerTakingKeyboard(HWND hOwner) {
  if (hOwner == NULL || !::IsWindowVisible(hOwner))
    return;
  // The owner's shown mini frames from the top of the window order down, put back bottom first.
  std::vector<CMiniFrameWnd*> frames;
  for (HWND hWnd = ::GetTopWindow(NULL); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    if (::GetWindow(hWnd, GW_OWNER) != hOwner || !::IsWindowVisible(hWnd))
      continue;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
      frames.push_back(static_cast<CMiniFrameWnd*>(pWnd));
  }
  // A caption that shows whether the keyboard is in its frame was drawn while the activation moved,
  // before the keyboard did: it is drawn again now that the keyboard is in the owner.
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    (*it)->ComeAboveOwner(true);
    (*it)->SendMessage(WM_NCPAINT, 1);
  }
}
