// CWnd members: command and notification routing, reflection, pre-translation, the modal loop,
// data exchange and the default message handlers.
#include "framework/app/fw_app.h"
#include "framework/dlg/fw_dlg.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/core/fw_state.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_PARENTNOTIFY()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
END_MESSAGE_MAP()

namespace {
// Answers whether an update handler explicitly disabled a command.
class CTestCmdUI : public CCmdUI {
public:
  BOOL m_bEnabled = TRUE;
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCSTR) override {}
};
} // namespace

// ---------------------------------------------------------------------------------------------
// Commands, notifications and reflection

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (hWndCtrl == NULL) {
    if (nID == 0)
      return FALSE;
    // A menu or accelerator command whose update handler disabled it is dropped.
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
    if (!state.m_bEnabled)
      return TRUE;
    nCode = CN_COMMAND;
  } else {
    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
      return TRUE; // UpdateData is filling the controls
    if (ReflectLastMsg(hWndCtrl))
      return TRUE;
    if (nID == 0)
      return FALSE;
  }
  return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  HWND hWndCtrl = pNMHDR->hwndFrom;
  UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
  int nCode = (int)pNMHDR->code;
  if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
    return TRUE;
  if (ReflectLastMsg(hWndCtrl, pResult))
    return TRUE;
  AFX_NOTIFY notify = {pResult, pNMHDR};
  return OnCmdMsg(nID, (int)MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
  case WM_COMMAND: {
    int nCode = HIWORD(wParam);
    if (OnCmdMsg(0, (int)MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), NULL, NULL)) {
      if (pResult != NULL)
        *pResult = 1;
      return TRUE;
    }
    return FALSE;
  }
  case WM_NOTIFY: {
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    LRESULT lDummy = 0;
    AFX_NOTIFY notify = {pResult != NULL ? pResult : &lDummy, pNMHDR};
    return OnCmdMsg(0, (int)MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
  }
  default: {
    LRESULT lResult = 0;
    if (OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &lResult)) {
      if (pResult != NULL)
        *pResult = lResult;
      return TRUE;
    }
    return FALSE;
  }
  }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = FromHandlePermanent(hWndChild);
  if (pWnd == NULL)
    return FALSE;
  return pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

// ---------------------------------------------------------------------------------------------
// Pre-translation, modal loop, data exchange

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  // The nearest window up the chain that asked for tool tips filters the mouse for them.
  for (HWND hWnd = m_hWnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != NULL && (pWnd->m_nFlags & WF_TOOLTIPS)) {
      pWnd->FilterToolTipMessage(pMsg);
      break;
    }
    if (!(::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
      break;
  }
  return FALSE;
}

BOOL AfxDialogCanReach(HWND hWndDlg, HWND hWnd) {
  if (hWnd == hWndDlg)
    return TRUE;
  if (!::IsChild(hWndDlg, hWnd))
    return FALSE;
  // The platform's mnemonic search walks the controls from hWnd on, wraps at the dialog and
  // enters only shown, enabled windows: below a hidden or disabled one (a control of a page no
  // longer shown) it never comes back to hWnd and loops for ever. A dialog that is a control of
  // another hands its keys on to that one, so the walk may wrap higher: its own ancestors count.
  const HWND hWndTop =
      (::GetWindowLongA(hWndDlg, GWL_STYLE) & DS_CONTROL) != 0 ? ::GetAncestor(hWndDlg, GA_ROOT) : hWndDlg;
  for (HWND hWndUp = ::GetParent(hWnd); hWndUp != NULL && hWndUp != hWndTop; hWndUp = ::GetParent(hWndUp))
    if ((::GetWindowLongA(hWndUp, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE)
      return FALSE;
  return TRUE;
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg) {
  if ((lpMsg->message < WM_KEYFIRST || lpMsg->message > WM_KEYLAST) &&
      (lpMsg->message < WM_MOUSEFIRST || lpMsg->message > WM_MOUSELAST))
    return FALSE;
  // Input for a window the dialog navigation cannot reach again goes its ordinary way.
  return AfxDialogCanReach(m_hWnd, lpMsg->hwnd) && ::IsDialogMessageA(m_hWnd, lpMsg);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
      return TRUE;
    if (hWnd == hWndStop)
      break;
  }
  return FALSE;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult) {
  m_nModalResult = nResult;
  if (m_nFlags & WF_CONTINUEMODAL) {
    m_nFlags &= ~WF_CONTINUEMODAL;
    PostMessage(WM_NULL); // wake the loop
  }
}

int CWnd::RunModalLoop(DWORD dwFlags) {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND hWndParent = ::GetParent(m_hWnd);
  m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
  MSG* pMsg = &AfxGetThreadState()->m_msgCur;
  HWND hWndSelf = m_hWnd;
  for (;;) {
    if (!ContinueModal() || !::IsWindow(hWndSelf))
      break;
    while (bIdle && !::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE)) {
      if (bShowIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != NULL && lIdleCount == 0)
        ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
      if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
        bIdle = FALSE;
      if (!ContinueModal())
        break;
    }
    if (!ContinueModal())
      break;
    do {
      if (!AfxPumpMessage()) {
        ::PostQuitMessage((int)pMsg->wParam);
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        return -1;
      }
      if (bShowIdle && (pMsg->message == 0x118 || pMsg->message == WM_SYSKEYDOWN)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        bShowIdle = FALSE;
      }
      if (!ContinueModal() || !::IsWindow(hWndSelf))
        goto ExitModal;
      if (AfxIsIdleMessage(pMsg)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE));
  }
ExitModal:
  m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
  return m_nModalResult;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
  pState->m_hLockoutNotifyWindow = m_hWnd;
  BOOL bOK = FALSE;
  try {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    bOK = TRUE;
  } catch (CException* e) {
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
      e->ReportError(MB_ICONEXCLAMATION, 0);
    e->Delete();
    bOK = FALSE;
  }
  pState->m_hLockoutNotifyWindow = hWndOldLockout;
  return bOK;
}

BOOL CWnd::IsFrameWnd() const { return FALSE; }

void CWnd::WinHelp(DWORD_PTR, UINT) {}

// ---------------------------------------------------------------------------------------------
// Default handlers

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnSysColorChange() {
  ForwardSystemChange(WM_SYSCOLORCHANGE, 0, 0);
  Default();
}
void CWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  ForwardSystemChange(WM_SETTINGCHANGE, uFlags, reinterpret_cast<LPARAM>(lpszSection));
  Default();
}
LRESULT CWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  ForwardSystemChange(WM_DISPLAYCHANGE, wParam, lParam);
  return Default();
}
void CWnd::OnTimeChange() { Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
UINT CWnd::OnNcHitTest(CPoint) { return (UINT)Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
void CWnd::OnTimer(UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }

// These first let the child answer through its reflected entries.
void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
    return;
  Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar != NULL && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
    return;
  Default();
}
void CWnd::OnParentNotify(UINT message, LPARAM lParam) {
  if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
      ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
    return;
  Default();
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT lResult;
  if (pWnd != NULL && pWnd->m_hWnd != NULL && ReflectLastMsg(pWnd->m_hWnd, &lResult))
    return reinterpret_cast<HBRUSH>(lResult);
  return reinterpret_cast<HBRUSH>(Default());
}
void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (nIDCtl != 0 && lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
    return;
  Default();
}
void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (nIDCtl != 0 && lpMeasureItemStruct->CtlType != ODT_MENU) {
    HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
    if (hWndChild != NULL && ReflectLastMsg(hWndChild))
      return;
  }
  Default();
}
int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct) {
  LRESULT lResult;
  if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
    return (int)lResult;
  return (int)Default();
}
void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct) {
  if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
    return;
  Default();
}

HBRUSH CWnd::CtlColor(CDC*, UINT) { return NULL; }
void CWnd::HScroll(UINT, UINT) {}
void CWnd::VScroll(UINT, UINT) {}
void CWnd::ParentNotify(UINT, LPARAM) {}
void CWnd::DrawItem(LPDRAWITEMSTRUCT) {}
void CWnd::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CWnd::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CWnd::DeleteItem(LPDELETEITEMSTRUCT) {}
