// The document manager: the application's templates, File New and Open, the file dialog, the
// documents taken down together, and the shell's registration of the document types.
#include "framework/doc/fw_doc.h"

#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "framework/dlg/fw_dlg.h"
#include "framework/res/fw_res.h"

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::~CDocManager() {
  for (POSITION pos = m_templateList.GetHeadPosition(); pos != NULL;)
    delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate == NULL || m_templateList.Find(pTemplate) != NULL)
    return;
  pTemplate->LoadTemplate();
  m_templateList.AddTail(pTemplate);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const {
  return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR lpszFileName) {
  // Quotes from the shell's command line are not part of the name.
  CString strName(lpszFileName);
  strName.Trim();
  if (strName.GetLength() >= 2 && strName[0] == '"' && strName[strName.GetLength() - 1] == '"')
    strName = strName.Mid(1, strName.GetLength() - 2);
  CString strPath = AfxFullPath(strName);

  CDocTemplate* pBest = NULL;
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CDocument* pOpen = NULL;
    CDocTemplate::Confidence match = pTemplate->MatchDocType(strPath, pOpen);
    if (match == CDocTemplate::yesAlreadyOpen) {
      // Already open: its frame comes to the front instead.
      POSITION posView = pOpen->GetFirstViewPosition();
      CFrameWnd* pFrame = posView != NULL ? pOpen->GetNextView(posView)->GetParentFrame() : NULL;
      if (pFrame != NULL)
        pFrame->ActivateFrame();
      CWnd* pMain = AfxGetMainWnd();
      if (pMain != NULL && pMain != pFrame && pMain->IsFrameWnd())
        static_cast<CFrameWnd*>(pMain)->ActivateFrame();
      return pOpen;
    }
    if (match > bestMatch) {
      bestMatch = match;
      pBest = pTemplate;
    }
  }
  if (pBest == NULL) {
    AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
    return NULL;
  }
  return pBest->OpenDocumentFile(strPath);
}

BOOL CDocManager::SaveAllModified() {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
    if (!GetNextDocTemplate(pos)->SaveAllModified())
      return FALSE;
  }
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession) {
  for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;)
    GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

int CDocManager::GetOpenDocumentCount() {
  int nCount = 0;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != NULL; pTemplate->GetNextDoc(posDoc))
      nCount++;
  }
  return nCount;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate) {
  // "name (*.ext)|*.ext|" for each template that names its files, then all files.
  CString strFilter;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL;) {
    CDocTemplate* pEach = GetNextDocTemplate(pos);
    if (pTemplate != NULL && pEach != pTemplate)
      continue;
    CString strName, strExt;
    if (pEach->GetDocString(strName, CDocTemplate::filterName) && !strName.IsEmpty() &&
        pEach->GetDocString(strExt, CDocTemplate::filterExt) && !strExt.IsEmpty())
      strFilter += strName + "|*" + strExt + "|";
  }
  CString strAll;
  if (!strAll.LoadString(AFX_IDS_ALLFILTER))
    strAll = "All Files (*.*)";
  strFilter += strAll + "|*.*||";
  CFileDialog dlg(bOpenFileDialog, NULL, fileName.IsEmpty() ? NULL : static_cast<LPCSTR>(fileName),
                  lFlags | OFN_HIDEREADONLY | (bOpenFileDialog ? 0 : OFN_OVERWRITEPROMPT), strFilter);
  CString strTitle;
  if (strTitle.LoadString(nIDSTitle))
    dlg.m_ofn.lpstrTitle = strTitle;
  if (dlg.DoModal() != IDOK)
    return FALSE;
  fileName = dlg.GetPathName();
  return TRUE;
}

void CDocManager::OnFileNew() {
  if (m_templateList.IsEmpty()) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return;
  }
  // The program has one kind of document: the first template makes it.
  static_cast<CDocTemplate*>(m_templateList.GetHead())->OpenDocumentFile(NULL);
}

void CDocManager::OnFileOpen() {
  CString strName;
  if (!DoPromptFileName(strName, AFX_IDS_OPENFILE, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, NULL))
    return;
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL)
    pApp->OpenDocumentFile(strName);
}

void CDocManager::RegisterShellFileTypes(BOOL bCompat) {
  // Per template that names its file type: the type's name and icon, the open command (the file
  // arrives on the command line), print commands with bCompat, and the extension's type.
  const CString strPath = AfxGetModuleFileName(AfxGetInstanceHandle());
  if (strPath.IsEmpty())
    return; // no program to open the files with
  const CString strExe = "\"" + strPath + "\"";
  int nTemplate = 0;
  for (POSITION pos = GetFirstDocTemplatePosition(); pos != NULL; nTemplate++) {
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    CString strTypeId, strTypeName, strExt;
    if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty())
      continue;
    pTemplate->GetDocString(strTypeName, CDocTemplate::regFileTypeName);
    pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
    auto setValue = [](const CString& strKey, const CString& strValue) {
      HKEY hKey = NULL;
      if (::RegCreateKeyA(HKEY_CLASSES_ROOT, strKey, &hKey) != ERROR_SUCCESS)
        return;
      ::RegSetValueExA(hKey, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(strValue)),
                       static_cast<DWORD>(strValue.GetLength() + 1));
      ::RegCloseKey(hKey);
    };
    CString strIcon;
    strIcon.Format("%s,%d", (LPCSTR)strPath, nTemplate + 1);
    setValue(strTypeId, strTypeName.IsEmpty() ? strTypeId : strTypeName);
    setValue(strTypeId + "\\DefaultIcon", strIcon);
    setValue(strTypeId + "\\shell\\open\\command", strExe + " \"%1\"");
    if (bCompat) {
      setValue(strTypeId + "\\shell\\print\\command", strExe + " /p \"%1\"");
      setValue(strTypeId + "\\shell\\printto\\command", strExe + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
    }
    if (!strExt.IsEmpty())
      setValue(strExt, strTypeId);
  }
}

// ---------------------------------------------------------------------------------------------
// The application's side

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (m_pDocManager == NULL)
    m_pDocManager = new CDocManager;
  m_pDocManager->AddDocTemplate(pTemplate);
}

void CWinApp::DestroyDocManager() {
  delete m_pDocManager;
  m_pDocManager = NULL;
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_pDocManager != NULL ? m_pDocManager->GetFirstDocTemplatePosition() : NULL;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  return m_pDocManager->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
  return m_pDocManager != NULL ? m_pDocManager->OpenDocumentFile(lpszFileName) : NULL;
}

BOOL CWinApp::SaveAllModified() { return m_pDocManager == NULL || m_pDocManager->SaveAllModified(); }

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  if (m_pDocManager != NULL)
    m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() {
  return m_pDocManager != NULL ? m_pDocManager->GetOpenDocumentCount() : 0;
}

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                               CDocTemplate* pTemplate) {
  if (m_pDocManager == NULL)
    m_pDocManager = new CDocManager;
  return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpenFileDialog, pTemplate);
}

void CWinApp::RegisterShellFileTypes(BOOL bCompat) {
  if (m_pDocManager != NULL)
    m_pDocManager->RegisterShellFileTypes(bCompat);
}

void CWinApp::OnFileNew() {
  if (m_pDocManager != NULL)
    m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
  if (m_pDocManager != NULL)
    m_pDocManager->OnFileOpen();
}
