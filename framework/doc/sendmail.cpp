// Sending a document by mail through the system's simple mail interface: the document (or a copy
// saved for the purpose) is the one attachment of a new message the user completes.
#include "framework/doc/fw_doc.h"

#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "framework/res/fw_res.h"

#include <mapi.h>

namespace {

// A mail system is installed when win.ini says so and the mail library can be found; asked once.
bool IsMailAvailable() {
  static const bool s_bAvailable = [] {
    char szPath[MAX_PATH];
    return ::GetProfileIntA("Mail", "MAPI", 0) != 0 &&
           ::SearchPathA(NULL, "MAPI32.DLL", NULL, MAX_PATH, szPath, NULL) != 0;
  }();
  return s_bAvailable;
}

// The mail library, loaded for one send and released after it.
class CMailLibrary {
public:
  CMailLibrary() : m_hInst(::LoadLibraryA("MAPI32.DLL")) {}
  ~CMailLibrary() {
    if (m_hInst != NULL)
      ::FreeLibrary(m_hInst);
  }
  CMailLibrary(const CMailLibrary&) = delete;
  CMailLibrary& operator=(const CMailLibrary&) = delete;
  bool IsLoaded() const { return m_hInst != NULL; }
  LPMAPISENDMAIL SendMail() const {
    return reinterpret_cast<LPMAPISENDMAIL>(
        reinterpret_cast<void (*)()>(::GetProcAddress(m_hInst, "MAPISendMail")));
  }

private:
  HINSTANCE m_hInst;
};

} // namespace

void CDocument::OnUpdateFileSendMail(CCmdUI* pCmdUI) {
  if (IsMailAvailable()) {
    pCmdUI->Enable(TRUE);
  } else if (pCmdUI->m_pMenu != NULL) {
    // Without a mail system the menu item goes away altogether (the menu update allows for it).
    pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nID, MF_BYCOMMAND);
  } else {
    pCmdUI->Enable(FALSE);
  }
}

void CDocument::OnFileSendMail() {
  CMailLibrary library;
  if (!library.IsLoaded()) {
    AfxMessageBox(AFX_IDP_NO_MAPI);
    return;
  }
  LPMAPISENDMAIL lpfnSendMail = library.SendMail();
  if (lpfnSendMail == NULL) {
    AfxMessageBox(AFX_IDP_INVALID_MAPI_DLL);
    return;
  }
  // A document without a file, or changed since, goes as a copy saved for the purpose.
  char szAttach[MAX_PATH];
  BOOL bRemoveTemp = FALSE;
  if (m_strPathName.IsEmpty() || IsModified()) {
    char szTempDir[MAX_PATH];
    if (!::GetTempPathA(MAX_PATH, szTempDir) || !::GetTempFileNameA(szTempDir, "afx", 0, szAttach)) {
      AfxMessageBox(AFX_IDP_FAILED_TO_SAVE_DOC);
      return;
    }
    BOOL bModified = IsModified();
    BOOL bSaved = DoSave(szAttach, FALSE); // a failure was reported by the save itself
    SetModifiedFlag(bModified);
    if (!bSaved) {
      ::DeleteFileA(szAttach);
      return;
    }
    bRemoveTemp = TRUE;
  } else {
    lstrcpynA(szAttach, m_strPathName, MAX_PATH);
  }
  // The attachment is named after the document, with the template's extension when it has none.
  CString strTitle = GetTitle();
  CString strExt;
  if (strTitle.Find('.') == -1 && m_pDocTemplate != NULL &&
      m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt))
    strTitle += strExt;

  MapiFileDesc fileDesc = {};
  fileDesc.nPosition = static_cast<ULONG>(-1);
  fileDesc.lpszPathName = szAttach;
  fileDesc.lpszFileName = const_cast<LPSTR>(static_cast<LPCSTR>(strTitle));
  MapiMessage message = {};
  message.nFileCount = 1;
  message.lpFiles = &fileDesc;

  // The mail dialogs are modal to the program's top window, which stays disabled meanwhile.
  HWND hWndTop = NULL;
  CWnd* pParent = CWnd::GetSafeOwner(NULL, &hWndTop);
  HWND hWndParent = pParent->GetSafeHwnd();
  BOOL bWasEnabled = hWndParent != NULL && ::IsWindowEnabled(hWndParent);
  if (hWndParent != NULL)
    ::EnableWindow(hWndParent, FALSE);
  ULONG nError =
      lpfnSendMail(0, reinterpret_cast<ULONG_PTR>(hWndParent), &message, MAPI_LOGON_UI | MAPI_DIALOG, 0);
  if (hWndParent != NULL && bWasEnabled) {
    ::EnableWindow(hWndParent, TRUE);
    ::SetActiveWindow(hWndParent);
  }
  if (hWndTop != NULL)
    ::EnableWindow(hWndTop, TRUE);
  if (nError != SUCCESS_SUCCESS && nError != MAPI_USER_ABORT && nError != MAPI_E_LOGIN_FAILURE)
    AfxMessageBox(AFX_IDP_FAILED_MAPI_SEND);
  if (bRemoveTemp)
    ::DeleteFileA(szAttach);
}
