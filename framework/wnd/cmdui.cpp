// Command-update objects: the default look of menu items and controls, and the update pass.
#include "framework/wnd/fw_wnd.h"

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL), m_pOther(NULL),
      m_nIndexMax(0), m_bEnableChanged(FALSE), m_bContinueRouting(FALSE) {}

void CCmdUI::Enable(BOOL bOn) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL)
      return; // popup items take their state from the items inside
    m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
  } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
    // Move the focus on before disabling the focused control, as the dialog manager would.
    if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
      HWND hParent = ::GetParent(m_pOther->m_hWnd);
      if (hParent != NULL)
        ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
    }
    m_pOther->EnableWindow(bOn);
  }
  m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL)
      return;
    m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
  } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
    if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
      m_pOther->SendMessage(BM_SETCHECK, nCheck);
  }
}

void CCmdUI::SetRadio(BOOL bOn) {
  if (m_pMenu != NULL && m_pSubMenu == NULL) {
    if (bOn)
      m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
    else
      m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
    return;
  }
  SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText) {
  if (lpszText == NULL)
    lpszText = "";
  if (m_pMenu != NULL) {
    if (m_pSubMenu != NULL)
      return;
    UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
    nState &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR);
    m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
  } else if (m_pOther != NULL && m_pOther->m_hWnd != NULL) {
    CString current;
    m_pOther->GetWindowText(current);
    if (current != lpszText)
      m_pOther->SetWindowText(lpszText);
  }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
    return TRUE; // separators and invalid ids stay as they are
  m_bEnableChanged = FALSE;
  BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
  if (bDisableIfNoHndler && !m_bEnableChanged) {
    AFX_CMDHANDLERINFO info = {NULL, NULL};
    BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
    Enable(bHandler);
  }
  return bResult;
}
