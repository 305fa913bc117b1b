// The framework's window procedure: finds the window object, guards against exceptions and
// dispatches messages through the message maps.
#include "framework/wnd/fw_wnd.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/core/fw_state.h"
#include "framework/res/fw_res.h"

#include <new>

namespace {
template <typename Sig> Sig As(AFX_PMSG pfn) { return reinterpret_cast<Sig>(pfn); }

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

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  switch (message) {
  case WM_COMMAND:
    if (OnCommand(wParam, lParam)) {
      *pResult = 1;
      return TRUE;
    }
    return FALSE;
  case WM_NOTIFY: {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR != NULL && pNMHDR->hwndFrom != NULL && OnNotify(wParam, lParam, &lResult)) {
      *pResult = lResult;
      return TRUE;
    }
    return FALSE;
  }
  case WM_SETCURSOR:
    if (AfxGetWaitCursorCount() > 0 && LOWORD(lParam) != HTERROR) {
      // The wait cursor stays up over every window while a long step runs.
      ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
      *pResult = TRUE;
      return TRUE;
    }
    break;
  default:
    break;
  }

  UINT nLookup =
      IsCtlColor(message) ? (UINT)WM_CTLCOLORSTATIC
      : (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
          ? (UINT)(WM_REFLECT_BASE + WM_CTLCOLORSTATIC)
          : message;
  const AFX_MSGMAP_ENTRY* lpEntry = FindWindowEntry(GetMessageMap(), nLookup);
  if (lpEntry == NULL) {
    // CWnd's own map gives the other parent messages their reflecting base handlers; these two
    // have no handler entry.
    if ((message == WM_VKEYTOITEM || message == WM_CHARTOITEM) &&
        ReflectLastMsg(reinterpret_cast<HWND>(lParam), &lResult)) {
      *pResult = lResult;
      return TRUE;
    }
    return FALSE;
  }

  AFX_PMSG pfn = lpEntry->pfn;
  switch (lpEntry->nSig) {
  case AfxSig_l_w_l:
    lResult = (this->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
    break;
  case AfxSig_v_v:
    (this->*As<void (CWnd::*)()>(pfn))();
    break;
  case AfxSig_b_v:
    lResult = (this->*As<BOOL (CWnd::*)()>(pfn))();
    break;
  case AfxSig_u_v:
    lResult = (this->*As<UINT (CWnd::*)()>(pfn))();
    break;
  case AfxSig_i_CREATE:
    lResult = (this->*As<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
    break;
  case AfxSig_b_CREATE:
    lResult = (this->*As<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
    break;
  case AfxSig_v_u_ii:
    (this->*As<void (CWnd::*)(UINT, int, int)>(pfn))((UINT)wParam, (short)LOWORD(lParam),
                                                     (short)HIWORD(lParam));
    break;
  case AfxSig_v_ii:
    (this->*As<void (CWnd::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
    break;
  case AfxSig_v_u_pRECT:
    (this->*As<void (CWnd::*)(UINT, LPRECT)>(pfn))((UINT)wParam, reinterpret_cast<LPRECT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_v_b_u:
    (this->*As<void (CWnd::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
    break;
  case AfxSig_v_WINDOWPOS:
    (this->*As<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
    break;
  case AfxSig_v_MINMAX:
    (this->*As<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
    break;
  case AfxSig_b_D:
    lResult = (this->*As<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    break;
  case AfxSig_v_b_NCCALC:
    (this->*As<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam,
                                                               reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
    break;
  case AfxSig_u_p:
    lResult = (this->*As<UINT (CWnd::*)(CPoint)>(pfn))(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
    break;
  case AfxSig_b_b:
    lResult = (this->*As<BOOL (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
    break;
  case AfxSig_v_b:
    (this->*As<void (CWnd::*)(BOOL)>(pfn))((BOOL)wParam);
    break;
  case AfxSig_v_u_p:
    (this->*As<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam,
                                                   CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
    break;
  case AfxSig_b_u_s_p:
    lResult = (this->*As<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(
        LOWORD(wParam), (short)HIWORD(wParam), CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
    break;
  case AfxSig_i_W_u_u:
    lResult = (this->*As<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                 LOWORD(lParam), HIWORD(lParam));
    break;
  case AfxSig_b_W_u_u:
    lResult = (this->*As<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                                  LOWORD(lParam), HIWORD(lParam));
    break;
  case AfxSig_v_W_p:
    (this->*As<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                    CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
    break;
  case AfxSig_v_W:
    (this->*As<void (CWnd::*)(CWnd*)>(pfn))(
        FromHandle(reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : wParam)));
    break;
  case AfxSig_v_u_u_u:
    (this->*As<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
    break;
  case AfxSig_v_u:
    (this->*As<void (CWnd::*)(UINT)>(pfn))((UINT)wParam);
    break;
  case AfxSig_v_u_W_b:
    (this->*As<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(
        LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)), (BOOL)HIWORD(wParam));
    break;
  case AfxSig_v_b_dw:
    (this->*As<void (CWnd::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
    break;
  case AfxSig_v_u_s:
    (this->*As<void (CWnd::*)(UINT, LPCSTR)>(pfn))((UINT)wParam, reinterpret_cast<LPCSTR>(lParam));
    break;
  case AfxSig_v_u_l:
    (this->*As<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
    break;
  case AfxSig_v_HDROP:
    (this->*As<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam));
    break;
  case AfxSig_v_u_u_SB:
    (this->*As<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
        LOWORD(wParam), HIWORD(wParam),
        reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
    break;
  case AfxSig_v_M_u_b:
    (this->*As<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)),
                                                         LOWORD(lParam), (BOOL)HIWORD(lParam));
    break;
  case AfxSig_v_M:
    (this->*As<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
    break;
  case AfxSig_v_u_u_M:
    (this->*As<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam),
                                                        reinterpret_cast<HMENU>(lParam));
    break;
  case AfxSig_hbr_D_W_u:
    // The base OnCtlColor offers the message to the child first.
    lResult = reinterpret_cast<LRESULT>((this->*As<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)),
        message - WM_CTLCOLORMSGBOX));
    break;
  case AfxSig_v_i_DRAW:
    (this->*As<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))((int)wParam,
                                                            reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_v_i_MEASURE:
    (this->*As<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))((int)wParam,
                                                               reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_i_i_COMPARE:
    lResult = (this->*As<int (CWnd::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))(
        (int)wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
    break;
  case AfxSig_v_i_DELETE:
    (this->*As<void (CWnd::*)(int, LPDELETEITEMSTRUCT)>(pfn))((int)wParam,
                                                              reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_v_i_STYLE:
    (this->*As<void (CWnd::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam,
                                                         reinterpret_cast<LPSTYLESTRUCT>(lParam));
    break;
  case AfxSig_b_HELPINFO:
    lResult = (this->*As<BOOL (CWnd::*)(HELPINFO*)>(pfn))(reinterpret_cast<HELPINFO*>(lParam));
    break;
  case AfxSig_v_u_W:
    (this->*As<void (CWnd::*)(UINT, CWnd*)>(pfn))((UINT)wParam, FromHandle(reinterpret_cast<HWND>(lParam)));
    break;
  case AfxSig_v_b_W_W:
    (this->*As<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(reinterpret_cast<HWND>(lParam) == m_hWnd,
                                                         FromHandle(reinterpret_cast<HWND>(lParam)),
                                                         FromHandle(reinterpret_cast<HWND>(wParam)));
    break;
  // reflected forms, reached through ReflectChildNotify
  case AfxSig_hbr_D_u:
    lResult = reinterpret_cast<LRESULT>((this->*As<HBRUSH (CWnd::*)(CDC*, UINT)>(pfn))(
        CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX));
    if (lResult == 0)
      return FALSE;
    break;
  case AfxSig_v_u_u:
    (this->*As<void (CWnd::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
    break;
  case AfxSig_v_DRAW:
    (this->*As<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_v_MEASURE:
    (this->*As<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  case AfxSig_i_COMPARE:
    lResult =
        (this->*As<int (CWnd::*)(LPCOMPAREITEMSTRUCT)>(pfn))(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
    break;
  case AfxSig_v_DELETE:
    (this->*As<void (CWnd::*)(LPDELETEITEMSTRUCT)>(pfn))(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
    lResult = TRUE;
    break;
  default:
    return FALSE;
  }
  *pResult = lResult;
  return TRUE;
}
