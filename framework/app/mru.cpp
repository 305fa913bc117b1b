// The recent-file list: full paths in the profile, short names on the menu.
#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"

#include <cstring>

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat), m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {
  if (nSize < 0 || nSize > 16)
    AfxThrowInvalidArgException();
  m_arrNames.SetSize(nSize);
}

CRecentFileList::~CRecentFileList() = default;

void CRecentFileList::Add(LPCSTR lpszPathName) {
  const CString strFull = AfxFullPath(lpszPathName);
  // An existing entry moves to the top; the last one falls off.
  int iMRU;
  for (iMRU = 0; iMRU < GetSize() - 1; iMRU++) {
    if (m_arrNames[iMRU].CompareNoCase(strFull) == 0)
      break;
  }
  for (; iMRU > 0; iMRU--)
    m_arrNames[iMRU] = m_arrNames[iMRU - 1];
  if (GetSize() > 0)
    m_arrNames[0] = strFull;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= GetSize())
    AfxThrowInvalidArgException();
  for (int i = nIndex; i < GetSize() - 1; i++)
    m_arrNames[i] = m_arrNames[i + 1];
  m_arrNames[GetSize() - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  const CString& strPath = m_arrNames[nIndex];
  if (strPath.IsEmpty())
    return FALSE;
  LPCSTR lpch = strPath;
  // Within the current folder the name alone is enough.
  if (lpszCurDir != NULL && nCurDir > 0 && strPath.GetLength() > nCurDir &&
      _strnicmp(lpszCurDir, lpch, nCurDir) == 0 && std::strchr(lpch + nCurDir + 1, '\\') == NULL) {
    strName = lpch + nCurDir + (lpch[nCurDir] == '\\' ? 1 : 0);
    return TRUE;
  }
  if (m_nMaxDisplayLength == -1 || strPath.GetLength() <= m_nMaxDisplayLength) {
    strName = strPath;
    return TRUE;
  }
  // Keep the drive and the file name, drop folders from the front: "C:\...\folder\name.png".
  CString strFile = strPath.Mid(strPath.ReverseFind('\\') + 1);
  if (strFile.GetLength() >= m_nMaxDisplayLength ||
      (bAtLeastName && strFile.GetLength() + 7 > m_nMaxDisplayLength)) {
    strName = strFile;
    return TRUE;
  }
  int nRoot = strPath.Find('\\');
  CString strRoot = nRoot >= 0 ? strPath.Left(nRoot + 1) : CString();
  CString strRest = strPath.Mid(strRoot.GetLength());
  while (strRoot.GetLength() + 4 + strRest.GetLength() > m_nMaxDisplayLength) {
    int nSlash = strRest.Find('\\');
    if (nSlash < 0)
      break;
    strRest = strRest.Mid(nSlash + 1);
  }
  strName = strRoot + "...\\" + strRest;
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  if (m_strOriginal.IsEmpty() && pCmdUI->m_pMenu != NULL)
    pCmdUI->m_pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
  if (GetSize() == 0 || m_arrNames[0].IsEmpty()) {
    if (!m_strOriginal.IsEmpty())
      pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
    return;
  }
  if (pCmdUI->m_pMenu == NULL)
    return; // popups without a platform menu list the entries themselves
  for (int iMRU = 0; iMRU < GetSize(); iMRU++)
    pCmdUI->m_pMenu->DeleteMenu(pCmdUI->m_nID + iMRU, MF_BYCOMMAND);
  const CString strCurDir = AfxGetCurrentDirectory();
  for (int iMRU = 0; iMRU < GetSize(); iMRU++) {
    CString strName;
    if (!GetDisplayName(strName, iMRU, strCurDir, strCurDir.GetLength()))
      break;
    strName.Replace("&", "&&");
    CString strItem;
    strItem.Format("&%d %s", (iMRU + 1 + m_nStart) % 10, (LPCSTR)strName);
    pCmdUI->m_pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++, strItem);
  }
  pCmdUI->m_nIndex--;
  pCmdUI->m_nIndexMax = pCmdUI->m_pMenu->GetMenuItemCount();
  pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList() {
  CWinApp* pApp = AfxGetApp();
  for (int iMRU = 0; iMRU < GetSize(); iMRU++) {
    CString strEntry;
    strEntry.Format(m_strEntryFormat, iMRU + 1);
    m_arrNames[iMRU] = pApp->GetProfileString(m_strSectionName, strEntry, "");
  }
}

void CRecentFileList::WriteList() {
  CWinApp* pApp = AfxGetApp();
  if (pApp == NULL || pApp->m_pszRegistryKey == NULL)
    return;
  for (int iMRU = 0; iMRU < GetSize(); iMRU++) {
    CString strEntry;
    strEntry.Format(m_strEntryFormat, iMRU + 1);
    if (m_arrNames[iMRU].IsEmpty())
      pApp->WriteProfileString(m_strSectionName, strEntry, NULL);
    else
      pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[iMRU]);
  }
}
