#include "toolkit/controls/ExtComboBox.h"

#include "toolkit/controls/ExtControlTip.h"

IMPLEMENT_DYNCREATE(CExtComboEditCtrlHook, CExtEditBase)
IMPLEMENT_DYNCREATE(CExtComboBoxBase, CComboBox)

BEGIN_MESSAGE_MAP(CExtComboEditCtrlHook, CExtEditBase)
ON_WM_CONTEXTMENU()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CExtComboBoxBase, CComboBox)
ON_WM_CREATE()
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT_EX(CBN_EDITUPDATE, OnEditUpdate)
END_MESSAGE_MAP()

namespace {

// The edit child of a combo box (a simple combo also has a list-box child).
HWND FindEditChild(HWND hWndCombo) {
  for (HWND hChild = ::GetWindow(hWndCombo, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    char szClass[16] = "";
    ::GetClassNameA(hChild, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, "Edit") == 0)
      return hChild;
  }
  return NULL;
}

bool IsEditTextCommand(UINT message, WPARAM wParam) {
  switch (message) {
  case WM_CUT:
  case WM_COPY:
  case WM_PASTE:
  case WM_CLEAR:
  case WM_UNDO:
    return true;
  case WM_COMMAND:
    return LOWORD(wParam) >= ID_EDIT_CLEAR && LOWORD(wParam) <= ID_EDIT_REDO;
  default:
    return false;
  }
}

void BringTipToTop(CToolTipCtrl& wndToolTip, LPARAM lParam) {
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  if (pHdr != NULL && wndToolTip.GetSafeHwnd() != NULL && pHdr->hwndFrom == wndToolTip.GetSafeHwnd())
    wndToolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The edit inside the combo.

CExtComboBoxBase* CExtComboEditCtrlHook::GetComboBox() const {
  if (m_hWnd == NULL)
    return NULL;
  CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
  if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CExtComboBoxBase)))
    return NULL;
  return static_cast<CExtComboBoxBase*>(pParent);
}

INT_PTR CExtComboEditCtrlHook::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  CExtComboEditCtrlHook* pThis = const_cast<CExtComboEditCtrlHook*>(this);
  CExtComboBoxBase* pCombo = GetComboBox();
  INT_PTR nResult = -1;
  if (pCombo != NULL && ExtControlTip::HitTestOnToolBar(pThis, pCombo->GetParent(), pThis->m_wndToolTip,
                                                        GetTipMaxWidth(), point, pTI, nResult))
    return nResult;
  return CEdit::OnToolHitTest(point, pTI);
}

LRESULT CExtComboEditCtrlHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A clipboard or undo change of the text must not be completed from the list.
  if (IsEditTextCommand(message, wParam))
    if (CExtComboBoxBase* pCombo = GetComboBox())
      pCombo->DisarmCompletion();
  return CExtEditBase::WindowProc(message, wParam, lParam);
}

void CExtComboEditCtrlHook::OnContextMenu(CWnd* pWnd, CPoint point) {
  if ((m_nEditFlags & EDIT_STD_COMMANDS) == 0) {
    Default();
    return;
  }
  CExtComboBoxBase* pCombo = GetComboBox();
  if (pCombo != NULL && (pCombo->m_nComboFlags & CExtComboBoxBase::COMBO_EDIT_STD_COMMANDS) == 0)
    m_nEditFlags &= ~EDIT_STD_COMMANDS;
  SetFocus();
  const HWND hWndCombo = pCombo != NULL ? pCombo->m_hWnd : NULL;
  CExtEditBase::OnContextMenu(pWnd, point);
  if (hWndCombo != NULL && ::IsWindow(hWndCombo))
    ::RedrawWindow(hWndCombo, NULL, NULL,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
}

HBRUSH CExtComboEditCtrlHook::CtlColor(CDC* pDC, UINT nCtlColor) {
  // The edit shows the combo's colours, gray text included when the combo is disabled.
  if (CExtComboBoxBase* pCombo = GetComboBox())
    return pCombo->CtlColor(pDC, nCtlColor);
  return CExtEditBase::CtlColor(pDC, nCtlColor);
}

// ---------------------------------------------------------------------------------------------
// The combo box.

CExtComboBoxBase::CExtComboBoxBase()
    : m_nComboFlags(COMBO_AUTO_COMPLETE | COMBO_EDIT_STD_COMMANDS | COMBO_COMPLETE_ARMED),
      m_clrBack((COLORREF)-1), m_clrBackBrush((COLORREF)-1), m_clrText((COLORREF)-1) {
  EnableToolTips(TRUE);
}

CExtComboBoxBase::~CExtComboBoxBase() = default;

void CExtComboBoxBase::EnableAutoComplete(bool bEnable) {
  if (bEnable)
    m_nComboFlags |= COMBO_AUTO_COMPLETE;
  else
    m_nComboFlags &= ~(COMBO_AUTO_COMPLETE | COMBO_COMPLETE_ARMED);
}

void CExtComboBoxBase::SetTooltipText(LPCSTR lpszText, BOOL bActivate) {
  ExtControlTip::SetText(this, m_wndToolTip, lpszText, GetTipMaxWidth(), bActivate);
}

void CExtComboBoxBase::ActivateTooltip(BOOL bActivate) { ExtControlTip::Activate(m_wndToolTip, bActivate); }

int CExtComboBoxBase::GetTipMaxWidth() const { return 250; }

HWND CExtComboBoxBase::HookInnerEdit() {
  if (m_wndInnerEdit.GetSafeHwnd() != NULL)
    return m_wndInnerEdit.GetSafeHwnd();
  const HWND hWndEdit = m_hWnd != NULL ? FindEditChild(m_hWnd) : NULL;
  if (hWndEdit == NULL)
    return NULL;
  if ((m_nComboFlags & COMBO_EDIT_STD_COMMANDS) != 0)
    m_wndInnerEdit.m_nEditFlags |= CExtEditBase::EDIT_STD_COMMANDS;
  else
    m_wndInnerEdit.m_nEditFlags &= ~CExtEditBase::EDIT_STD_COMMANDS;
  if (!m_wndInnerEdit.SubclassWindow(hWndEdit))
    return NULL;
  return hWndEdit;
}

void CExtComboBoxBase::EnsureClipChildren() {
  if ((GetStyle() & WS_CLIPCHILDREN) == 0)
    ModifyStyle(0, WS_CLIPCHILDREN);
}

void CExtComboBoxBase::PreSubclassWindow() {
  CComboBox::PreSubclassWindow();
  // At creation there is no edit yet; WM_CREATE hooks it then.
  HookInnerEdit();
  EnsureClipChildren();
}

int CExtComboBoxBase::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  const int nResult = CComboBox::OnCreate(lpCreateStruct);
  if (nResult == -1)
    return -1;
  HookInnerEdit();
  EnsureClipChildren();
  return nResult;
}

INT_PTR CExtComboBoxBase::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  CExtComboBoxBase* pThis = const_cast<CExtComboBoxBase*>(this);
  INT_PTR nResult = -1;
  if (ExtControlTip::HitTestOnToolBar(pThis, GetParent(), pThis->m_wndToolTip, GetTipMaxWidth(), point, pTI,
                                      nResult))
    return nResult;
  return CComboBox::OnToolHitTest(point, pTI);
}

BOOL CExtComboBoxBase::PreTranslateMessage(MSG* pMsg) {
  ExtControlTip::Relay(this, m_wndToolTip, pMsg);
  if (IsAutoCompleteEnabled()) {
    // Alt+key would only beep in the edit or jump to a mnemonic while the user types.
    if (pMsg->message == WM_SYSCHAR)
      return TRUE;
    if (pMsg->message == WM_KEYDOWN) {
      if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK)
        m_nComboFlags &= ~COMBO_COMPLETE_ARMED;
      else
        m_nComboFlags |= COMBO_COMPLETE_ARMED;
    }
  } else {
    m_nComboFlags &= ~COMBO_COMPLETE_ARMED;
  }
  return CComboBox::PreTranslateMessage(pMsg);
}

HBRUSH CExtComboBoxBase::CtlColor(CDC* pDC, UINT nCtlColor) {
  return CExtEditBase::ThemedCtlColor(this, pDC, nCtlColor, m_clrText, m_clrBack, false, m_clrBackBrush,
                                      m_brBack);
}

BOOL CExtComboBoxBase::OnEditUpdate() {
  // The parent still gets the notification.
  if (!IsAutoCompleteEnabled() || (m_nComboFlags & COMBO_COMPLETE_ARMED) == 0)
    return FALSE;
  // Our own text changes below notify again; only the key just pressed completes.
  m_nComboFlags &= ~COMBO_COMPLETE_ARMED;
  CString sTyped;
  GetWindowText(sTyped);
  const DWORD dwOldSel = GetEditSel();
  const bool bOldSel = dwOldSel != (DWORD)CB_ERR;
  const int nOldStart = (int)LOWORD(dwOldSel), nOldEnd = (int)HIWORD(dwOldSel);
  const int nTyped = sTyped.GetLength();
  if (SelectString(-1, sTyped) == CB_ERR) {
    SetWindowText(sTyped);
    if (bOldSel)
      SetEditSel(nOldStart, nOldEnd);
  }
  // Typing inside the text keeps the caret; typing at the end selects the completed rest.
  if (bOldSel && nOldEnd < nTyped)
    SetEditSel(nOldStart, nOldEnd);
  else
    SetEditSel(nTyped, -1);
  return FALSE;
}

LRESULT CExtComboBoxBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY)
    BringTipToTop(m_wndToolTip, lParam);
  if (message != WM_ENABLE)
    return CComboBox::WindowProc(message, wParam, lParam);
  const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
  // A disabled combo keeps its text selectable and copyable, but not editable.
  if (const HWND hWndEdit = m_hWnd != NULL ? FindEditChild(m_hWnd) : NULL) {
    ::EnableWindow(hWndEdit, TRUE);
    ::SendMessage(hWndEdit, EM_SETREADONLY, wParam == FALSE, 0);
  }
  Invalidate();
  return lResult;
}
