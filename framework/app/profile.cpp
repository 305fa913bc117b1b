// The application's registry profile: HKCU\Software\<key>\<profile>\<section>.
#include "framework/app/fw_app.h"
#include "framework/app/appimpl.h"

#include <vector>

namespace {
// Closes a registry key at the end of a scope.
class CRegKey {
public:
  explicit CRegKey(HKEY hKey = NULL) : m_hKey(hKey) {}
  ~CRegKey() {
    if (m_hKey != NULL)
      ::RegCloseKey(m_hKey);
  }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;
  operator HKEY() const { return m_hKey; }

private:
  HKEY m_hKey;
};

HKEY CreateSubKey(HKEY hParent, LPCSTR lpszName) {
  HKEY hKey = NULL;
  DWORD dw;
  if (::RegCreateKeyExA(hParent, lpszName, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, NULL,
                        &hKey, &dw) != ERROR_SUCCESS)
    return NULL;
  return hKey;
}
} // namespace

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
  free(const_cast<LPSTR>(m_pszRegistryKey));
  m_pszRegistryKey = AfxAllocAppString(lpszRegistryKey);
  free(const_cast<LPSTR>(m_pszProfileName));
  m_pszProfileName = AfxAllocAppString(AfxGetAppName());
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString strKey;
  if (!strKey.LoadString(nIDRegistryKey))
    AfxThrowResourceException();
  SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey() {
  if (m_pszRegistryKey == NULL || m_pszProfileName == NULL)
    return NULL;
  CRegKey hSoftKey(CreateSubKey(HKEY_CURRENT_USER, "Software"));
  if (hSoftKey == NULL)
    return NULL;
  CRegKey hCompanyKey(CreateSubKey(hSoftKey, m_pszRegistryKey));
  if (hCompanyKey == NULL)
    return NULL;
  return CreateSubKey(hCompanyKey, m_pszProfileName);
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection) {
  CRegKey hAppKey(GetAppRegistryKey());
  if (hAppKey == NULL)
    return NULL;
  // A section may name nested keys ("Options\ImgProcess").
  return CreateSubKey(hAppKey, lpszSection);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
  CRegKey hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == NULL)
    return (UINT)nDefault;
  DWORD dwValue = 0;
  DWORD dwType = 0;
  DWORD dwCount = sizeof(DWORD);
  LONG lResult =
      ::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(&dwValue), &dwCount);
  if (lResult == ERROR_SUCCESS && dwType == REG_DWORD && dwCount == sizeof(DWORD))
    return (UINT)dwValue;
  return (UINT)nDefault;
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
  CRegKey hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == NULL)
    return FALSE;
  DWORD dwValue = (DWORD)nValue;
  return ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                          sizeof(dwValue)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
  CString strDefault(lpszDefault);
  CRegKey hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == NULL)
    return strDefault;
  DWORD dwType = 0;
  DWORD dwCount = 0;
  if (::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount) != ERROR_SUCCESS ||
      dwType != REG_SZ)
    return strDefault;
  std::vector<char> buf(dwCount + 1, '\0');
  if (::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, reinterpret_cast<LPBYTE>(buf.data()), &dwCount) !=
      ERROR_SUCCESS)
    return strDefault;
  return CString(buf.data());
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
  if (lpszEntry == NULL) {
    // No entry: the whole section goes.
    CRegKey hAppKey(GetAppRegistryKey());
    if (hAppKey == NULL)
      return FALSE;
    return ::RegDeleteKeyA(hAppKey, lpszSection) == ERROR_SUCCESS;
  }
  CRegKey hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == NULL)
    return FALSE;
  if (lpszValue == NULL)
    return ::RegDeleteValueA(hSecKey, lpszEntry) == ERROR_SUCCESS;
  return ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                          lstrlenA(lpszValue) + 1) == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  *ppData = NULL;
  *pBytes = 0;
  CRegKey hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == NULL)
    return FALSE;
  DWORD dwType = 0;
  DWORD dwCount = 0;
  if (::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, NULL, &dwCount) != ERROR_SUCCESS ||
      dwType != REG_BINARY)
    return FALSE;
  // The caller frees the block with delete[], as the platform's callers do.
  *ppData = new BYTE[dwCount != 0 ? dwCount : 1];
  if (::RegQueryValueExA(hSecKey, lpszEntry, NULL, &dwType, *ppData, &dwCount) != ERROR_SUCCESS) {
    delete[] * ppData;
    *ppData = NULL;
    return FALSE;
  }
  *pBytes = dwCount;
  return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  CRegKey hSecKey(GetSectionKey(lpszSection));
  if (hSecKey == NULL)
    return FALSE;
  return ::RegSetValueExA(hSecKey, lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU == 0)
    return;
  delete m_pRecentFileList;
  m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", (int)nMaxMRU);
  m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList != NULL)
    m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName) {
  if (m_pRecentFileList != NULL)
    m_pRecentFileList->Add(lpszPathName);
}
