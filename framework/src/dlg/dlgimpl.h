// Pieces shared by the dialog sources.
#pragma once

#include "fw_dlg.h"

// NULL-tolerant handle of a window object.
inline HWND AfxSafeHwnd(const CWnd* pWnd) { return pWnd != NULL ? pWnd->m_hWnd : NULL; }

// Calls pDlg->OnInitDialog for WM_INITDIALOG behind the callback barrier: an exception ends the
// dialog with -1 and is reported (CUserException silently). A top-level dialog that did not move
// itself and whose owner is disabled is centred afterwards. Answers OnInitDialog's result.
BOOL AfxCallInitDialog(CDialog* pDlg, HWND hWnd, WPARAM wParam, LPARAM lParam);

// Shows the text of an exception that escaped a platform callback (nothing for CUserException)
// and deletes it.
void AfxReportCallbackException(CException* e);
// The same for exceptions that are not framework exceptions.
void AfxReportUnknownCallbackException(bool bMemory);

// Re-enables the owner a modal dialog disabled, whatever way DoModal leaves.
class CModalOwner {
public:
  explicit CModalOwner(HWND hWndOwner) : m_hWndOwner(NULL) {
    if (hWndOwner != NULL && hWndOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hWndOwner)) {
      ::EnableWindow(hWndOwner, FALSE);
      m_hWndOwner = hWndOwner;
    }
  }
  ~CModalOwner() { Restore(); }
  CModalOwner(const CModalOwner&) = delete;
  CModalOwner& operator=(const CModalOwner&) = delete;
  void Restore() {
    if (m_hWndOwner != NULL)
      ::EnableWindow(m_hWndOwner, TRUE);
    m_hWndOwner = NULL;
  }

private:
  HWND m_hWndOwner;
};
