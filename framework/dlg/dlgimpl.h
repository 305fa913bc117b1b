// Pieces shared by the dialog sources.
#pragma once

#include "framework/dlg/fw_dlg.h"
#include "framework/core/fw_state.h"

#include <new>

// Runs fn behind the callback barrier of every function the platform calls: whatever escapes is
// reported by AfxReportCallbackException. Answers false when fn threw.
template <typename Fn> bool AfxCallGuarded(Fn fn) {
  try {
    fn();
    return true;
  } catch (CException* e) {
    AfxReportCallbackException(e, 0, NULL);
  } catch (const std::bad_alloc&) {
    AfxReportCallbackException(NULL, 0, NULL, TRUE);
  } catch (...) {
    AfxReportCallbackException(NULL, 0, NULL);
  }
  return false;
}

// Calls pDlg->OnInitDialog for WM_INITDIALOG behind the callback barrier: an exception ends the
// dialog with -1 and is reported (CUserException silently). A top-level dialog that did not move
// itself and whose owner is disabled is centred afterwards. Answers OnInitDialog's result.
BOOL AfxCallInitDialog(CDialog* pDlg, HWND hWnd, WPARAM wParam, LPARAM lParam);

// A dialog template resource and the module it was found in; NULL when there is none.
LPCDLGTEMPLATE AfxFindDialogTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst);

// The text of item nIndex of a list box (LB_GETTEXTLEN, LB_GETTEXT) or of a combo box's list
// (CB_GETLBTEXTLEN, CB_GETLBTEXT); empty for no such item.
CString AfxGetListItemText(HWND hWnd, UINT nLenMsg, UINT nTextMsg, int nIndex);

