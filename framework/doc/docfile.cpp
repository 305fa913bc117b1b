// CDocument and files: new, open, save and save as, the question before closing, and the one
// message a failed load or save gives.
#include "framework/doc/fw_doc.h"

#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "framework/res/fw_res.h"

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

// A name for the new contents in the target's own folder, so that moving it over the target
// never crosses volumes; empty when the folder takes no new file.
CString TempFileBeside(LPCSTR lpszPathName) {
  CString strFull = AfxFullPath(lpszPathName);
  CString strDir = strFull.Left(strFull.GetLength() - AfxFileNameOf(strFull).GetLength());
  char szTemp[MAX_PATH];
  if (strDir.IsEmpty() || !::GetTempFileNameA(strDir, "sav", 0, szTemp))
    return CString();
  return szTemp;
}

} // namespace

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

CFile* CDocument::GetFile(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  CFile* pFile = new CFile;
  if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
    delete pFile;
    return NULL;
  }
  return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort) {
  if (bAbort)
    pFile->Abort();
  else
    pFile->Close();
  delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCSTR lpszPathName) {
  CFileException fe;
  CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
  if (pFile == NULL) {
    ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  DeleteContents();
  SetModifiedFlag(); // until the contents are complete
  try {
    CWaitCursor wait;
    CArchive ar(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    if (pFile->GetLength() != 0)
      Serialize(ar);
    ar.Close();
    ReleaseFile(pFile, FALSE);
  } catch (CException* e) {
    ReleaseFile(pFile, TRUE);
    DeleteContents();
    ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    e->Delete();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR lpszPathName) {
  // The contents go to a new file first; only a complete one replaces the target.
  CString strTemp = TempFileBeside(lpszPathName);
  CFileException fe;
  CFile* pFile =
      strTemp.IsEmpty()
          ? NULL
          : GetFile(strTemp, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
  if (pFile == NULL) {
    if (!strTemp.IsEmpty())
      ::DeleteFileA(strTemp);
    // A folder that takes no new file is as good as a denied one.
    if (fe.m_cause == CFileException::none)
      fe.m_cause = CFileException::accessDenied;
    fe.SetFileName(lpszPathName);
    ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
    return FALSE;
  }
  try {
    CWaitCursor wait;
    CArchive ar(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
    ReleaseFile(pFile, FALSE);
  } catch (CException* e) {
    ReleaseFile(pFile, TRUE);
    ::DeleteFileA(strTemp);
    ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    e->Delete();
    return FALSE;
  }
  if (!AfxReplaceFile(strTemp, lpszPathName)) {
    DWORD dwError = ::GetLastError();
    ::DeleteFileA(strTemp);
    CFileException replace(CFileException::OsErrorToException((LONG)dwError), (LONG)dwError, lpszPathName);
    ReportSaveLoadException(lpszPathName, &replace, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR lpszPathName, CException* e, BOOL, UINT nIDPDefault) {
  CString prompt;
  if (e != NULL) {
    if (e->IsKindOf(RUNTIME_CLASS(CUserException)))
      return; // told already
    if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
      CFileException* pFE = static_cast<CFileException*>(e);
      if (pFE->m_strFileName == NULL || *pFE->m_strFileName == '\0')
        pFE->SetFileName(lpszPathName);
      char szMessage[512];
      if (e->GetErrorMessage(szMessage, sizeof(szMessage)))
        prompt = szMessage;
    } else if (e->IsKindOf(RUNTIME_CLASS(CArchiveException))) {
      nIDPDefault = AFX_IDP_FAILED_INVALID_FORMAT;
    }
  }
  if (prompt.IsEmpty()) {
    CString strText;
    if (!strText.LoadString(nIDPDefault))
      strText = "The file could not be opened or saved.";
    prompt = AfxFileNameOf(lpszPathName) + ": " + strText;
  }
  AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPDefault);
}

void CDocument::SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU) {
  m_strPathName = AfxFullPath(lpszPathName);
  m_bEmbedded = FALSE;
  SetTitle(AfxFileNameOf(m_strPathName));
  CWinApp* pApp = AfxGetApp();
  if (bAddToMRU && pApp != NULL)
    pApp->AddToRecentFileList(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR lpszPathName, BOOL bReplace) {
  CString strName = lpszPathName;
  if (strName.IsEmpty()) {
    // Suggest the path, else the title cut at the first character a file name should not have.
    strName = m_strPathName;
    if (bReplace && strName.IsEmpty()) {
      strName = m_strTitle;
      int iBad = strName.FindOneOf(" #%;/\\");
      if (iBad != -1)
        strName = strName.Left(iBad);
      CString strExt;
      if (m_pDocTemplate != NULL && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt))
        strName += strExt;
    }
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || !pApp->DoPromptFileName(strName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                                OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
      return FALSE;
  }
  CWaitCursor wait;
  // A failed save leaves any existing file untouched, so there is nothing to remove here.
  if (!OnSaveDocument(strName))
    return FALSE;
  if (bReplace)
    SetPathName(strName);
  return TRUE;
}

BOOL CDocument::DoFileSave() {
  // A read-only or unnamed file is saved under a new name.
  DWORD dwAttrib = ::GetFileAttributesA(m_strPathName);
  if (m_strPathName.IsEmpty() ||
      (dwAttrib != INVALID_FILE_ATTRIBUTES && (dwAttrib & FILE_ATTRIBUTE_READONLY)))
    return DoSave(NULL);
  return DoSave(m_strPathName);
}

BOOL CDocument::SaveModified() {
  if (!IsModified())
    return TRUE;
  CString strName = m_strPathName.IsEmpty() ? m_strTitle : AfxFileNameOf(m_strPathName);
  CString prompt;
  AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, strName);
  switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
  case IDCANCEL:
    return FALSE;
  case IDYES:
    return DoFileSave(); // a failed or cancelled save keeps the document open
  default:
    return TRUE;
  }
}

void CDocument::OnFileClose() {
  if (!SaveModified())
    return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(NULL); }
