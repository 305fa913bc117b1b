// The toolkit's resizable dialog over its anchoring and window-state layers.
#include "toolkit/controls/ExtResizableDialog.h"

#include "framework/core/fw_state.h"
#include "toolkit/docking/ExtControlBar.h"

IMPLEMENT_DYNAMIC(CExtResizableDialog, CExtResDlg)

CExtResizableDialog::CExtResizableDialog() : m_nDialogFlags(0) { m_nStateFlags |= EXT_WS_SHOW_GRIPPER; }

CExtResizableDialog::CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : CExtResizableDialogBase(nIDTemplate, pParentWnd), m_nDialogFlags(0) {
  m_nStateFlags |= EXT_WS_SHOW_GRIPPER;
}

void CExtResizableDialog::PreSubclassWindow() {
  CExtResizableDialogBase::PreSubclassWindow();
  EnableToolTips(TRUE);
  m_nDialogFlags |= RDF_SUBCLASSED;
}

void CExtResizableDialog::OnOK() {
  if ((GetStyle() & WS_CHILD) == 0)
    CExtResizableDialogBase::OnOK();
}

void CExtResizableDialog::OnCancel() {
  if ((GetStyle() & WS_CHILD) == 0)
    CExtResizableDialogBase::OnCancel();
}

LRESULT CExtResizableDialog::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  if (nMessage == WM_DESTROY)
    m_nDialogFlags &= ~RDF_SUBCLASSED;
  const LRESULT lResult = CExtResizableDialogBase::WindowProc(nMessage, wParam, lParam);
  if ((m_nDialogFlags & (RDF_SUBCLASSED | RDF_UPDATING_BARS)) != RDF_SUBCLASSED)
    return lResult;
  const MSG* pCurrent = GetCurrentMessage();
  MSG msg = pCurrent != NULL ? *pCurrent : MSG{};
  msg.message = nMessage;
  if (AfxIsIdleMessage(&msg)) {
    m_nDialogFlags |= RDF_UPDATING_BARS;
    UpdateChildBarsCommandState();
    m_nDialogFlags &= ~RDF_UPDATING_BARS;
  }
  return lResult;
}

BOOL CExtResizableDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->wParam != VK_TAB &&
      GetSafeHwnd() != NULL && (GetStyle() & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE)) {
    if (PreTranslateThroughParentBar(pMsg) || PreTranslateThroughChildBars(pMsg))
      return TRUE;
  }
  return CExtResizableDialogBase::PreTranslateMessage(pMsg);
}

BOOL CExtResizableDialog::PreTranslateThroughParentBar(MSG* pMsg) {
  CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, GetParent());
  return pBar != NULL && pBar->PreTranslateMessage(pMsg);
}

BOOL CExtResizableDialog::PreTranslateThroughChildBars(MSG* pMsg) {
  return CExtControlBar::PreTranslateChildBars(this, pMsg) ? TRUE : FALSE;
}

void CExtResizableDialog::UpdateChildBarsCommandState() {
  // Commands without a handler stay as they are: the dialog is no frame that routes them.
  CExtControlBar::UpdateChildBarsCmdUI(this, false);
}
