// The framework's window procedure: finds the window object, guards against exceptions and
// dispatches messages through the message maps.
#include "framework/wnd/fw_wnd.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/core/fw_state.h"
#include "framework/res/fw_res.h"

#include <new>

namespace {
template <typename Sig> Sig As(AFX_PMSG pfn) { return reinterpret_cast<Sig>(pfn); }
// The window object of a handle a message carries in wParam or lParam.
CWnd* WndOf(LONG_PTR nHandle) { return CWnd::FromHandle(reinterpret_cast<HWND>(nHandle)); }

bool IsCtlColor(UINT nMsg) { return nMsg >= WM_CTLCOLORMSGBOX && nMsg <= WM_CTLCOLORSTATIC; }

const AFX_MSGMAP_ENTRY* FindWindowEntry(const AFX_MSGMAP* pMap, UINT nMsg) {
  for (; pMap != NULL; pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
    const AFX_MSGMAP_ENTRY* lpEntry = CCmdTarget::FindMessageEntry(pMap->lpEntries, nMsg, 0, 0);
    if (lpEntry != NULL)
      return lpEntry;
  }
  return NULL;
}
} // namespace

LRESULT AfxReportCallbackException(CException* e, UINT nMsg, HWND hWnd, BOOL bMemory) {
  if (e != NULL) {
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) {
      BOOL bMemoryException = e->IsKindOf(RUNTIME_CLASS(CMemoryException));
      e->ReportError(MB_ICONEXCLAMATION,
                     bMemoryException ? AFX_IDS_MEMORY_EXCEPTION : AFX_IDP_INTERNAL_FAILURE);
    }
    e->Delete();
  } else {
    CString text;
    if (!text.LoadString(bMemory ? AFX_IDS_MEMORY_EXCEPTION : AFX_IDP_INTERNAL_FAILURE))
      text = bMemory ? "Out of memory." : "An unsupported operation was attempted.";
    AfxMessageBox(text, MB_ICONEXCLAMATION, 0);
  }
  // Creation fails; a paint is not asked again and again.
  if (nMsg == WM_CREATE)
    return -1;
  if (nMsg == WM_PAINT)
    ::ValidateRect(hWnd, NULL);
  return 0;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CLastSentMsgScope scope(hWnd, nMsg, wParam, lParam);
  LRESULT lResult = 0;
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    lResult = AfxReportCallbackException(e, nMsg, hWnd);
  } catch (const std::bad_alloc&) {
    lResult = AfxReportCallbackException(NULL, nMsg, hWnd, TRUE);
  } catch (...) {
    lResult = AfxReportCallbackException(NULL, nMsg, hWnd);
  }
  return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == NULL) {
    // A window whose object has gone while another subclasser still sits above us.
    WNDPROC pfnOrphan = AfxLookupOrphanProc(hWnd);
    LRESULT lResult = pfnOrphan != NULL ? ::CallWindowProcA(pfnOrphan, hWnd, nMsg, wParam, lParam)
                                        : ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    if (nMsg == WM_NCDESTROY)
      AfxRemoveOrphanProc(hWnd);
    return lResult;
  }
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

WNDPROC AfxGetAfxWndProc() { return &AfxWndProc; }

// ---------------------------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult))
    lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != NULL)
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG* pMsg = &AfxGetThreadState()->m_lastSentMsg;
  return DefWindowProc(pMsg->message, pMsg->wParam, pMsg->lParam);
}

const MSG* CWnd::GetCurrentMessage() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  pState->m_lastSentMsg.time = ::GetMessageTime();
  DWORD pos = ::GetMessagePos();
  pState->m_lastSentMsg.pt.x = (short)LOWORD(pos);
  pState->m_lastSentMsg.pt.y = (short)HIWORD(pos);
  return &pState->m_lastSentMsg;
}

namespace {

// What one family of handler signatures did with a message.
enum class Call { kOtherFamily, kHandled, kDeclined };

// Handlers given plain values and records of the message.
Call CallValueHandler(CWnd* pWnd, AfxSig nSig, AFX_PMSG pfn, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& lResult) {
  switch (nSig) {
  case AfxSig_l_w_l:
    lResult = (pWnd->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
    break;
  case AfxSig_v_v:
    (pWnd->*As<void (CWnd::*)()>(pfn))();
    break;
  case AfxSig_b_v:
    lResult = (pWnd->*As<BOOL (CWnd::*)()>(pfn))();
    break;
  case AfxSig_u_v:
    lResult = (pWnd->*As<UINT (CWnd::*)()>(pfn))();
    break;
  case AfxSig_i_CREATE:
    lResult = (pWnd->*As<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
    break;
  case AfxSig_b_CREATE:
    lResult = (pWnd->*As<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
    break;
  case AfxSig_v_u_ii:
    (pWnd->*As<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, (short)LOWORD(lParam),
                                                     (short)HIWORD(lParam));
    break;
  case AfxSig_v_ii:
    (pWnd->*As<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
    break;
  case AfxSig_v_u_pRECT:
    (pWnd->*As<void (CWnd::*)(UINT, LPRECT)>(pfn))((UINT)wParam, reinterpret_cast<LPRECT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_v_b_u:
    (pWnd->*As<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
    break;
  case AfxSig_v_WINDOWPOS:
    (pWnd->*As<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
    break;
  case AfxSig_v_MINMAX:
    (pWnd->*As<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
    break;
  case AfxSig_v_b_NCCALC:
    (pWnd->*As<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam,
                                                               reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
    break;
  case AfxSig_b_b:
    lResult = (pWnd->*As<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
    break;
  case AfxSig_v_b:
    (pWnd->*As<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
    break;
  case AfxSig_v_u_u_u:
    (pWnd->*As<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
    break;
  case AfxSig_v_u:
    (pWnd->*As<void (CWnd::*)(UINT)>(pfn))((UINT)wParam);
    break;
  case AfxSig_v_b_dw:
    (pWnd->*As<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
    break;
  case AfxSig_v_u_s:
    (pWnd->*As<void (CWnd::*)(UINT, LPCSTR)>(pfn))((UINT)wParam, reinterpret_cast<LPCSTR>(lParam));
    break;
  case AfxSig_v_u_l:
    (pWnd->*As<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
    break;
  case AfxSig_v_HDROP:
    (pWnd->*As<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam));
    break;
  case AfxSig_v_i_STYLE:
    (pWnd->*As<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam,
                                                         reinterpret_cast<LPSTYLESTRUCT>(lParam));
    break;
  case AfxSig_b_HELPINFO:
    lResult = (pWnd->*As<BOOL (CWnd::*)(HELPINFO*)>(pfn))(reinterpret_cast<HELPINFO*>(lParam));
    break;
  default:
    return Call::kOtherFamily;
  }
  return Call::kHandled;
}

// Handlers given a point or window objects: the mouse, the cursor, focus and activation.
Call CallPointerHandler(CWnd* pWnd, AfxSig nSig, AFX_PMSG pfn, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& lResult) {
  switch (nSig) {
  case AfxSig_u_p:
    lResult = (pWnd->*As<UINT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
    break;
  case AfxSig_v_u_p:
    (pWnd->*As<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, CPoint(lParam));
    break;
  case AfxSig_b_u_s_p:
    lResult = (pWnd->*As<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(LOWORD(wParam), (short)HIWORD(wParam),
                                                                    CPoint(lParam));
    break;
  case AfxSig_i_W_u_u:
    lResult =
        (pWnd->*As<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(WndOf(wParam), LOWORD(lParam), HIWORD(lParam));
    break;
  case AfxSig_b_W_u_u:
    lResult =
        (pWnd->*As<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(WndOf(wParam), LOWORD(lParam), HIWORD(lParam));
    break;
  case AfxSig_v_W_p:
    (pWnd->*As<void (CWnd::*)(CWnd*, CPoint)>(pfn))(WndOf(wParam), CPoint(lParam));
    break;
  case AfxSig_v_W:
    (pWnd->*As<void (CWnd::*)(CWnd*)>(pfn))(WndOf(message == WM_CAPTURECHANGED ? lParam : wParam));
    break;
  case AfxSig_v_u_W_b:
    (pWnd->*As<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), WndOf(lParam), (BOOL)HIWORD(wParam));
    break;
  case AfxSig_v_u_W:
    (pWnd->*As<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam, WndOf(lParam));
    break;
  case AfxSig_v_b_W_W:
    (pWnd->*As<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(reinterpret_cast<HWND>(lParam) == pWnd->m_hWnd,
                                                         WndOf(lParam), WndOf(wParam));
    break;
  default:
    return Call::kOtherFamily;
  }
  return Call::kHandled;
}

// Handlers given menu or scroll bar objects.
Call CallMenuHandler(CWnd* pWnd, AfxSig nSig, AFX_PMSG pfn, UINT message, WPARAM wParam, LPARAM lParam,
                     LRESULT& lResult) {
  switch (nSig) {
  case AfxSig_v_u_u_SB:
    (pWnd->*As<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                              reinterpret_cast<CScrollBar*>(WndOf(lParam)));
    break;
  case AfxSig_v_M_u_b:
    (pWnd->*As<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                                         LOWORD(lParam), (BOOL)HIWORD(lParam));
    break;
  case AfxSig_v_M:
    (pWnd->*As<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
    break;
  case AfxSig_v_u_u_M:
    (pWnd->*As<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                        reinterpret_cast<HMENU>(lParam));
    break;
  default:
    return Call::kOtherFamily;
  }
  return Call::kHandled;
}

// Handlers given a device context, or an owner-drawn item of a child control.
Call CallDrawingHandler(CWnd* pWnd, AfxSig nSig, AFX_PMSG pfn, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& lResult) {
  switch (nSig) {
  case AfxSig_b_D:
    lResult = (pWnd->*As<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    break;
  case AfxSig_hbr_D_W_u:
    // The base OnCtlColor offers the message to the child first.
    lResult = reinterpret_cast<LRESULT>((pWnd->*As<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), WndOf(lParam), message - WM_CTLCOLORMSGBOX));
    break;
  case AfxSig_v_i_DRAW:
    (pWnd->*As<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam,
                                                            reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_v_i_MEASURE:
    (pWnd->*As<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam,
                                                               reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_i_i_COMPARE:
    lResult = (pWnd->*As<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))(
        (int)wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
    break;
  case AfxSig_v_i_DELETE:
    (pWnd->*As<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(pfn))((int)wParam,
                                                              reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  default:
    return Call::kOtherFamily;
  }
  return Call::kHandled;
}

// The reflected forms a control maps, reached through ReflectChildNotify.
Call CallReflectedHandler(CWnd* pWnd, AfxSig nSig, AFX_PMSG pfn, UINT message, WPARAM wParam, LPARAM lParam,
                          LRESULT& lResult) {
  switch (nSig) {
  case AfxSig_hbr_D_u:
    lResult = reinterpret_cast<LRESULT>((pWnd->*As<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX));
    if (lResult == 0)
      return Call::kDeclined;
    break;
  case AfxSig_v_u_u:
    (pWnd->*As<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
    break;
  case AfxSig_v_DRAW:
    (pWnd->*As<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_v_MEASURE:
    (pWnd->*As<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_i_COMPARE:
    lResult =
        (pWnd->*As<int (CWnd::*)(LPCOMPAREITEMSTRUCT)>(pfn))(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
    break;
  case AfxSig_v_DELETE:
    (pWnd->*As<void (CWnd::*)(LPDELETEITEMSTRUCT)>(pfn))(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  default:
    return Call::kOtherFamily;
  }
  return Call::kHandled;
}

// Unpacks the message for the entry's handler and calls it; false when the handler declined.
bool CallMapHandler(CWnd* pWnd, const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT& lResult) {
  for (auto pfnFamily : {&CallValueHandler, &CallPointerHandler, &CallMenuHandler, &CallDrawingHandler,
                         &CallReflectedHandler}) {
    const Call call = pfnFamily(pWnd, entry.nSig, entry.pfn, message, wParam, lParam, lResult);
    if (call != Call::kOtherFamily)
      return call == Call::kHandled;
  }
  return false;
}

// Commands and notifications go through OnCommand and OnNotify, which reflect them to the child
// that sent them and route them by id, never through the window's message map.
BOOL RouteCommandOrNotify(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND) {
    if (pWnd->OnCommand(wParam, lParam)) {
      *pResult = 1;
      return TRUE;
    }
    return FALSE;
  }
  LRESULT lResult = 0;
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (pNMHDR != NULL && pNMHDR->hwndFrom != NULL && pWnd->OnNotify(wParam, lParam, &lResult)) {
    *pResult = lResult;
    return TRUE;
  }
  return FALSE;
}

// The wait cursor stays up over every window while a long step runs.
bool ShowWaitCursor(LPARAM lParam, LRESULT* pResult) {
  if (AfxGetWaitCursorCount() <= 0 || LOWORD(lParam) == HTERROR)
    return false;
  ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
  *pResult = TRUE;
  return true;
}

// The message map entry that stands for the message: every colour message of a child, and every
// reflected one, has the one entry of WM_CTLCOLORSTATIC.
UINT MapKeyOf(UINT message) {
  return IsCtlColor(message) ? (UINT)WM_CTLCOLORSTATIC
         : (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
             ? (UINT)(WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
             : message;
}

// CWnd's own map gives the other parent messages their reflecting base handlers; these two have
// no handler entry, so a window without one of its own reflects them here.
BOOL ReflectItemKeyMessage(UINT message, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if ((message == WM_VKEYTOITEM || message == WM_CHARTOITEM) &&
      CWnd::ReflectLastMsg(reinterpret_cast<HWND>(lParam), &lResult)) {
    *pResult = lResult;
    return TRUE;
  }
  return FALSE;
}

} // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (message == WM_COMMAND || message == WM_NOTIFY)
    return RouteCommandOrNotify(this, message, wParam, lParam, pResult);
  if (message == WM_SETCURSOR && ShowWaitCursor(lParam, pResult))
    return TRUE;
  const AFX_MSGMAP_ENTRY* lpEntry = FindWindowEntry(GetMessageMap(), MapKeyOf(message));
  if (lpEntry == NULL)
    return ReflectItemKeyMessage(message, lParam, pResult);
  LRESULT lResult = 0;
  if (!CallMapHandler(this, *lpEntry, message, wParam, lParam, lResult))
    return FALSE;
  *pResult = lResult;
  return TRUE;
}
