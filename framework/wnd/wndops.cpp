// CWnd operations: descendants and relations, geometry, painting and text helpers.
#include "framework/app/fw_app.h"
#include "framework/dlg/fw_dlg.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/core/fw_state.h"

// ---------------------------------------------------------------------------------------------
// Descendants and relations

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm) {
  SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
  for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    // Through SendMessage even for permanent windows, so subclass chains above us see it.
    if (!bOnlyPerm || FromHandlePermanent(hWndChild) != NULL)
      ::SendMessageA(hWndChild, message, wParam, lParam);
    if (bDeep && ::GetTopWindow(hWndChild) != NULL)
      SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
  }
}

BOOL CWnd::ForwardSystemChange(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!(GetStyle() & WS_CHILD))
    SendMessageToDescendants(message, wParam, lParam, TRUE, TRUE);
  return TRUE;
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
  DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
  if (dwStyle == dwNewStyle)
    return FALSE;
  ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)dwNewStyle);
  if (nFlags != 0)
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
  DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
  if (dwStyle == dwNewStyle)
    return FALSE;
  ::SetWindowLongA(hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
  if (nFlags != 0)
    ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
  return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetOwner() const { return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent(); }

CWnd* CWnd::GetParentOwner() const {
  HWND hWnd = m_hWnd;
  while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
    hWnd = ::GetParent(hWnd);
  return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hWnd = m_hWnd;
  HWND hWndParent;
  while ((hWndParent = ::GetParent(hWnd)) != NULL)
    hWnd = hWndParent;
  return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const {
  HWND hWnd = m_hWnd;
  HWND hWndOwner;
  while ((hWndOwner = ::GetWindow(hWnd, GW_OWNER)) != NULL)
    hWnd = hWndOwner;
  return FromHandle(hWnd);
}

CFrameWnd* CWnd::GetParentFrame() const {
  if (m_hWnd == NULL)
    return NULL;
  for (CWnd* pParent = GetParent(); pParent != NULL; pParent = pParent->GetParent()) {
    if (pParent->IsFrameWnd())
      return reinterpret_cast<CFrameWnd*>(pParent); // frames derive from CWnd alone
  }
  return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  if (m_hWnd == NULL)
    return NULL;
  CWnd* pFrame = IsFrameWnd() ? const_cast<CWnd*>(this) : reinterpret_cast<CWnd*>(GetParentFrame());
  while (pFrame != NULL) {
    CWnd* pNext = reinterpret_cast<CWnd*>(pFrame->GetParentFrame());
    if (pNext == NULL)
      break;
    pFrame = pNext;
  }
  return reinterpret_cast<CFrameWnd*>(pFrame);
}

BOOL CWnd::IsTopParentActive() const {
  CWnd* pTop = GetTopLevelParent();
  return pTop != NULL && ::GetForegroundWindow() == ::GetLastActivePopup(pTop->m_hWnd);
}

void CWnd::ActivateTopParent() {
  CWnd* pTop = GetTopLevelParent();
  if (pTop != NULL && ::GetActiveWindow() != pTop->m_hWnd)
    ::SetActiveWindow(pTop->m_hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm) {
  // Direct children first; a child with the same id as its parent is searched deeper first.
  HWND hWndChild = ::GetDlgItem(hWnd, nID);
  if (hWndChild != NULL) {
    if (::GetTopWindow(hWndChild) != NULL) {
      CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
      if (pWnd != NULL)
        return pWnd;
    }
    CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
    if (pWnd != NULL)
      return pWnd;
  }
  for (hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
    if (pWnd != NULL)
      return pWnd;
  }
  return NULL;
}

HWND CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop) {
  HWND hWnd = hParent;
  if (hWnd == NULL) {
    CWnd* pMain = AfxGetMainWnd();
    hWnd = pMain->GetSafeHwnd();
  }
  while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
    hWnd = ::GetParent(hWnd);
  HWND hWndTop = hWnd;
  if (hWndTop != NULL) {
    HWND hWndNext;
    while ((hWndNext = ::GetParent(hWndTop)) != NULL)
      hWndTop = hWndNext;
  }
  if (hParent == NULL && hWnd != NULL)
    hWnd = ::GetLastActivePopup(hWnd);
  if (pWndTop != NULL) {
    if (hWndTop != NULL && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
      *pWndTop = hWndTop;
      ::EnableWindow(hWndTop, FALSE);
    } else {
      *pWndTop = NULL;
    }
  }
  return hWnd;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) {
  return FromHandle(GetSafeOwner_(pParent->GetSafeHwnd(), pWndTop));
}

// ---------------------------------------------------------------------------------------------
// Geometry

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, pWndInsertAfter != NULL ? pWndInsertAfter->m_hWnd : NULL, x, y, cx, cy,
                        nFlags);
}

BOOL CWnd::GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const {
  lpwndpl->length = sizeof(WINDOWPLACEMENT);
  return ::GetWindowPlacement(m_hWnd, lpwndpl);
}

BOOL CWnd::SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) {
  WINDOWPLACEMENT wp = *lpwndpl;
  wp.length = sizeof(WINDOWPLACEMENT);
  return ::SetWindowPlacement(m_hWnd, &wp);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  DWORD dwStyle = GetStyle();
  HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
  if (pAlternateOwner == NULL) {
    hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter != NULL) {
      HWND hWndTemp = reinterpret_cast<HWND>(::SendMessageA(hWndCenter, WM_QUERYCENTERWND, 0, 0));
      if (hWndTemp != NULL)
        hWndCenter = hWndTemp;
    }
  }
  CRect rcDlg;
  GetWindowRect(&rcDlg);
  CRect rcArea;
  CRect rcCenter;
  if (!(dwStyle & WS_CHILD)) {
    // Over the owner, or the work area when the owner is hidden or minimised.
    if (hWndCenter != NULL) {
      DWORD dwAlt = (DWORD)::GetWindowLongA(hWndCenter, GWL_STYLE);
      if (!(dwAlt & WS_VISIBLE) || (dwAlt & WS_MINIMIZE))
        hWndCenter = NULL;
    }
    MONITORINFO mi = {sizeof(mi)};
    HMONITOR hMonitor =
        ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    ::GetMonitorInfoA(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (hWndCenter == NULL)
      rcCenter = rcArea;
    else
      ::GetWindowRect(hWndCenter, &rcCenter);
  } else {
    HWND hWndParent = ::GetParent(m_hWnd);
    ::GetClientRect(hWndParent, &rcArea);
    ::GetClientRect(hWndCenter, &rcCenter);
    ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
  }
  int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
  int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
  if (xLeft + rcDlg.Width() > rcArea.right)
    xLeft = rcArea.right - rcDlg.Width();
  if (xLeft < rcArea.left)
    xLeft = rcArea.left;
  if (yTop + rcDlg.Height() > rcArea.bottom)
    yTop = rcArea.bottom - rcDlg.Height();
  if (yTop < rcArea.top)
    yTop = rcArea.top;
  SetWindowPos(NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------------
// Painting and text

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags) {
  return CDC::FromHandle(::GetDCEx(m_hWnd, static_cast<HRGN>(prgnClip->GetSafeHandle()), flags));
}
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) {
  ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
  return ::RedrawWindow(m_hWnd, lpRectUpdate, static_cast<HRGN>(prgnUpdate->GetSafeHandle()), flags);
}

int CWnd::ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                         LPRECT lpRectUpdate, UINT flags) {
  return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip,
                          static_cast<HRGN>(prgnUpdate->GetSafeHandle()), lpRectUpdate, flags);
}

void CWnd::Print(CDC* pDC, DWORD dwFlags) const {
  ::SendMessageA(m_hWnd, WM_PRINT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), dwFlags);
}

void CWnd::PrintClient(CDC* pDC, DWORD dwFlags) const {
  ::SendMessageA(m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), dwFlags);
}

void CWnd::GetWindowText(CString& rString) const {
  int nLen = ::GetWindowTextLengthA(m_hWnd);
  ::GetWindowTextA(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND hWnd = ::GetDlgItem(m_hWnd, nID);
  if (hWnd != NULL) {
    int nLen = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
  }
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) {
  for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
    if (IsDlgButtonChecked(nID))
      return nID;
  }
  return 0;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  lpScrollInfo->fMask = nMask;
  return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}

int CWnd::GetScrollLimit(int nBar) {
  SCROLLINFO info;
  if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
    return 0;
  int nLimit = info.nMax;
  if (info.nPage > 0)
    nLimit -= (int)info.nPage - 1;
  return nLimit > info.nMin ? nLimit : info.nMin;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const { return NULL; }

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

void CWnd::CreateCaret(CBitmap* pBitmap) {
  ::CreateCaret(m_hWnd, static_cast<HBITMAP>(pBitmap->GetSafeHandle()), 0, 0);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  if (lpszCaption == NULL)
    lpszCaption = AfxGetAppName();
  return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  CWnd wndTemp; // reused for children without a permanent object
  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    state.m_nID = (UINT)::GetDlgCtrlID(hWndChild);
    CWnd* pChild = FromHandlePermanent(hWndChild);
    state.m_pOther = pChild != NULL ? pChild : &wndTemp;
    wndTemp.m_hWnd = hWndChild;
    // A permanent child may update itself through a reflected entry.
    if (pChild != NULL &&
        pChild->OnCmdMsg(0, (int)MAKELONG((WORD)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state,
                         NULL))
      continue;
    if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
      continue;
    BOOL bDisable = bDisableIfNoHndler;
    if (bDisable) {
      UINT nCode = (UINT)::SendMessageA(hWndChild, WM_GETDLGCODE, 0, 0);
      if (nCode & DLGC_BUTTON) {
        UINT nStyle = (UINT)(::GetWindowLongA(hWndChild, GWL_STYLE) & 0x0F);
        if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
            nStyle == BS_AUTORADIOBUTTON)
          bDisable = FALSE;
      } else {
        bDisable = FALSE;
      }
    }
    state.DoUpdate(pTarget, bDisable);
  }
  wndTemp.m_hWnd = NULL;
}
