// CMiniFrameWnd: a tool-window frame owned by another frame, which follows the owner's activation,
// enabling and visibility, stays above it and has no system menu of its own.
#include "framework/frame/fw_frame.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_NCHITTEST()
ON_WM_SYSCOMMAND()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
END_MESSAGE_MAP()

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
  return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
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
  // Under Wine without a window manager, one of the owner's windows taking the keyboard (a click
  // into it) raises the owner over this frame, and the window order follows: at an idle time this
  // frame goes back above its owner.
  const HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
  if (hOwner == NULL || !IsWindowVisible())
    return lResult;
  bool bBelowOwner = false;
  for (HWND hAbove = ::GetWindow(m_hWnd, GW_HWNDPREV); hAbove != NULL && !bBelowOwner;
       hAbove = ::GetWindow(hAbove, GW_HWNDPREV))
    bBelowOwner = hAbove == hOwner;
  if (!bBelowOwner)
    return lResult;
  // Wine moves a window on the screen only when it comes to the top of the shown windows: placed
  // under a shown one it moves in Wine's order alone and stays hidden under its owner for good. A
  // shown window above the owner (a tip, a menu, another program's window; not one of the owner's
  // floating frames) that this frame would cover keeps it waiting; one it would not cover is passed
  // by going to the top of all windows and back under the topmost ones, which Wine does in its own
  // order alone.
  CRect rcThis;
  GetWindowRect(&rcThis);
  bool bShownAbove = false;
  for (HWND hAbove = ::GetWindow(hOwner, GW_HWNDPREV); hAbove != NULL;
       hAbove = ::GetWindow(hAbove, GW_HWNDPREV)) {
    if (!::IsWindowVisible(hAbove) || (::GetWindow(hAbove, GW_OWNER) == hOwner &&
                                       (::GetWindowLongA(hAbove, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0))
      continue;
    CRect rcAbove, rcCommon;
    ::GetWindowRect(hAbove, &rcAbove);
    if (rcCommon.IntersectRect(&rcThis, &rcAbove))
      return lResult;
    bShownAbove = true;
  }
  const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
  if (bShownAbove) {
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, nFlags);
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, nFlags);
  } else {
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, nFlags);
  }
  return lResult;
}
