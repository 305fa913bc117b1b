// Tool tips: one shared tip window per thread, fed by the pre-translation filter of the
// nearest window that asked for tips.
#include "framework/wnd/fw_wnd.h"
#include "framework/core/fw_state.h"

#include <cstdlib>

namespace {
const UINT kToolInfoSize = TTTOOLINFOA_V1_SIZE;

void DeleteLastTool(AFX_THREAD_STATE* pState) {
  if (pState->m_hToolTip != NULL && pState->m_lastInfo.cbSize != 0)
    ::SendMessageA(pState->m_hToolTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&pState->m_lastInfo));
  pState->m_lastInfo = TOOLINFOA();
  pState->m_hWndLastHit = NULL;
  pState->m_nLastHit = -1;
}

// Text handed back by a hit test was allocated by the callee with malloc; we own it now.
void FreeToolText(TOOLINFOA& ti) {
  if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKA && ti.hinst == NULL)
    std::free(ti.lpszText);
  ti.lpszText = NULL;
}

HWND EnsureToolTip(AFX_THREAD_STATE* pState, HWND hWndOwner) {
  if (pState->m_hToolTip != NULL && ::IsWindow(pState->m_hToolTip) &&
      ::GetWindow(pState->m_hToolTip, GW_OWNER) == hWndOwner)
    return pState->m_hToolTip;
  if (pState->m_hToolTip != NULL && ::IsWindow(pState->m_hToolTip))
    ::DestroyWindow(pState->m_hToolTip);
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  pState->m_hToolTip = ::CreateWindowExA(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, NULL, WS_POPUP | TTS_ALWAYSTIP, 0,
                                         0, 0, 0, hWndOwner, NULL, AfxGetInstanceHandle(), NULL);
  pState->m_lastInfo = TOOLINFOA();
  return pState->m_hToolTip;
}

void Relay(HWND hWndTip, MSG* pMsg) {
  MSG msg = *pMsg;
  ::SendMessageA(hWndTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}
} // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
  if (bEnable)
    m_nFlags |= WF_TOOLTIPS;
  else {
    m_nFlags &= ~WF_TOOLTIPS;
    CancelToolTipsFor(this);
  }
  return bOld;
}

BOOL CWnd::EnableTrackingToolTips(BOOL bEnable) {
  BOOL bOld = (m_nFlags & WF_TRACKINGTOOLTIPS) != 0;
  if (bEnable)
    m_nFlags |= WF_TRACKINGTOOLTIPS;
  else
    m_nFlags &= ~WF_TRACKINGTOOLTIPS;
  return bOld;
}

void CWnd::CancelToolTips(BOOL) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_hToolTip != NULL && ::IsWindow(pState->m_hToolTip))
    ::SendMessageA(pState->m_hToolTip, TTM_POP, 0, 0);
  DeleteLastTool(pState);
}

void CWnd::CancelToolTipsFor(CWnd* pWnd) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pWnd->m_hWnd == NULL)
    return;
  if (pState->m_hWndLastHit == pWnd->m_hWnd || pState->m_lastInfo.hwnd == pWnd->m_hWnd)
    DeleteLastTool(pState);
  if (pState->m_hToolTip != NULL && ::GetWindow(pState->m_hToolTip, GW_OWNER) == pWnd->m_hWnd) {
    ::DestroyWindow(pState->m_hToolTip);
    pState->m_hToolTip = NULL;
    pState->m_lastInfo = TOOLINFOA();
  }
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  if (hWndChild == NULL || hWndChild == m_hWnd)
    return -1;
  if (pTI != NULL) {
    pTI->hwnd = m_hWnd;
    pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
    pTI->uFlags |= TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACKA;
  }
  return ::GetDlgCtrlID(hWndChild);
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
  UINT message = pMsg->message;
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  bool bMouseMove = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
  bool bButtonUp = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  bool bButtonDown = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                     message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN;
  bool bKey = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
  if (bButtonDown || bKey) {
    CancelToolTips(bKey);
    return;
  }
  if (!bMouseMove && !bButtonUp)
    return;
  if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0)
    return;

  CWnd* pTop = GetTopLevelParent();
  HWND hWndTip = EnsureToolTip(pState, pTop->GetSafeHwnd());
  if (hWndTip == NULL)
    return;

  CPoint point(pMsg->pt);
  ::ScreenToClient(m_hWnd, &point);
  TOOLINFOA ti = {};
  ti.cbSize = kToolInfoSize;
  INT_PTR nHit = OnToolHitTest(point, &ti);
  if (nHit != pState->m_nLastHit || m_hWnd != pState->m_hWndLastHit) {
    DeleteLastTool(pState);
    if (nHit != -1) {
      ti.cbSize = kToolInfoSize;
      ::SendMessageA(hWndTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)); // the tip copies the text
      FreeToolText(ti);
      HWND hWndActive = ::GetActiveWindow();
      BOOL bActive = hWndActive == pTop->GetSafeHwnd() ||
                     (hWndActive != NULL && ::GetParent(hWndActive) == pTop->GetSafeHwnd());
      ::SendMessageA(hWndTip, TTM_ACTIVATE, bActive, 0);
      Relay(hWndTip, pMsg);
      pState->m_lastInfo = ti;
      pState->m_lastInfo.lpszText = NULL;
      pState->m_hWndLastHit = m_hWnd;
      pState->m_nLastHit = nHit;
    }
  } else {
    FreeToolText(ti);
    Relay(hWndTip, pMsg);
  }
}
