#include "toolkit/foundation/ExtRegistryArchive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const UINT kChunkBytes = 16;
const DWORD kChunksPerBlock = 128;

// A registry key handle that closes itself.
class CRegKeyHandle {
public:
  CRegKeyHandle() = default;
  ~CRegKeyHandle() {
    if (m_hKey != NULL)
      ::RegCloseKey(m_hKey);
  }
  CRegKeyHandle(const CRegKeyHandle&) = delete;
  CRegKeyHandle& operator=(const CRegKeyHandle&) = delete;

  LONG Create(HKEY hParent, LPCSTR lpszSubKey) {
    return ::RegCreateKeyExA(hParent, lpszSubKey, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL,
                             &m_hKey, NULL);
  }
  LONG Open(HKEY hParent, LPCSTR lpszSubKey, REGSAM samDesired) {
    return ::RegOpenKeyExA(hParent, lpszSubKey, 0, samDesired, &m_hKey);
  }
  operator HKEY() const { return m_hKey; }

private:
  HKEY m_hKey = NULL;
};

CString BlockKeyName(DWORD nChunk) {
  CString sName;
  sName.Format("block_0x%08lX", (unsigned long)(nChunk / kChunksPerBlock));
  return sName;
}

CString ChunkValueName(DWORD nChunk) {
  CString sName;
  sName.Format("data_0x%08lX", (unsigned long)nChunk);
  return sName;
}

bool WriteString(HKEY hKey, LPCSTR lpszName, const CString& sValue) {
  return ::RegSetValueExA(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(sValue.GetString()),
                          (DWORD)sValue.GetLength() + 1) == ERROR_SUCCESS;
}

// A string value of any of the string types.
bool QueryString(HKEY hKey, LPCSTR lpszName, CString& sValue) {
  DWORD dwType = 0, cbData = 0;
  if (::RegQueryValueExA(hKey, lpszName, NULL, &dwType, NULL, &cbData) != ERROR_SUCCESS)
    return false;
  if (dwType != REG_SZ && dwType != REG_EXPAND_SZ && dwType != REG_LINK && dwType != REG_MULTI_SZ)
    return false;
  std::vector<char> buffer(cbData + 1, '\0');
  if (::RegQueryValueExA(hKey, lpszName, NULL, &dwType, reinterpret_cast<BYTE*>(buffer.data()), &cbData) !=
      ERROR_SUCCESS)
    return false;
  sValue = buffer.data();
  return true;
}

// Exactly cbExpected bytes of a REG_BINARY value.
bool QueryBinary(HKEY hKey, LPCSTR lpszName, BYTE* pData, DWORD cbExpected) {
  DWORD dwType = 0, cbData = cbExpected;
  return ::RegQueryValueExA(hKey, lpszName, NULL, &dwType, pData, &cbData) == ERROR_SUCCESS &&
         dwType == REG_BINARY && cbData == cbExpected;
}

} // namespace

CString ExtToolkitVersionText() {
  CString sText;
  sText.Format("%d%c%d%c%d%c%d", (int)((kExtToolkitVersion >> 24) & 0xFF), '.',
               (int)((kExtToolkitVersion >> 16) & 0xFF), '.', (int)((kExtToolkitVersion >> 8) & 0xFF), '.',
               (int)(kExtToolkitVersion & 0xFF));
  return sText;
}

void RegistryArchiveChecksum::Update(const BYTE* pData, UINT nCount) {
  for (UINT i = 0; i < nCount; ++i) {
    DWORD h = (m_sums[m_nIndex] << 4) + pData[i];
    if (h > 0x0FFFFFFF) {
      const DWORD g = h & 0xF0000000;
      h = (h ^ (g >> 24)) & ~g;
    }
    m_sums[m_nIndex] = h;
    m_nIndex = (m_nIndex + 1) % 4;
  }
}

CString RegistryArchiveChecksum::Format() const {
  CString sText;
  for (DWORD dwSum : m_sums) {
    for (int nShift = 24; nShift >= 0; nShift -= 8) {
      if (!sText.IsEmpty())
        sText += ' ';
      sText.AppendFormat("%02X", (unsigned)((dwSum >> nShift) & 0xFF));
    }
  }
  return sText;
}

bool RegistryArchiveWrite(CMemFile& file, LPCSTR lpszKeyPath, HKEY hKeyRoot) {
  if (lpszKeyPath == NULL || *lpszKeyPath == '\0')
    return false;
  RegistryDeleteKeyTree(hKeyRoot, lpszKeyPath);
  file.SeekToBegin();
  const DWORD dwSize = (DWORD)file.GetLength();
  CRegKeyHandle key;
  if (key.Create(hKeyRoot, lpszKeyPath) != ERROR_SUCCESS ||
      ::RegSetValueExA(key, "data_size", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwSize),
                       sizeof(dwSize)) != ERROR_SUCCESS)
    return false;
  RegistryArchiveChecksum checksum;
  BYTE chunk[kChunkBytes];
  for (DWORD nChunk = 0;; ++nChunk) {
    const UINT nRead = file.Read(chunk, kChunkBytes);
    if (nRead == 0)
      break;
    CRegKeyHandle block;
    if (block.Create(key, BlockKeyName(nChunk)) != ERROR_SUCCESS ||
        ::RegSetValueExA(block, ChunkValueName(nChunk), 0, REG_BINARY, chunk, nRead) != ERROR_SUCCESS)
      return false;
    checksum.Update(chunk, nRead);
  }
  if (!WriteString(key, "data_integrity", checksum.Format()))
    return false;
  CString sGenerator;
  sGenerator.Format("Corvane v. %s registry archiver", ExtToolkitVersionText().GetString());
  WriteString(key, "data_generator", sGenerator); // informative only
  return true;
}

bool RegistryArchiveRead(CMemFile& file, LPCSTR lpszKeyPath, HKEY hKeyRoot) {
  if (lpszKeyPath == NULL || *lpszKeyPath == '\0')
    return false;
  CRegKeyHandle key;
  if (key.Open(hKeyRoot, lpszKeyPath, KEY_READ) != ERROR_SUCCESS)
    return false;
  DWORD dwType = 0, dwSize = 0, cbSize = sizeof(dwSize);
  if (::RegQueryValueExA(key, "data_size", NULL, &dwType, reinterpret_cast<BYTE*>(&dwSize), &cbSize) !=
          ERROR_SUCCESS ||
      dwType != REG_DWORD)
    return false;
  if (dwSize == 0)
    return true;
  file.SeekToEnd();
  RegistryArchiveChecksum checksum;
  BYTE chunk[kChunkBytes];
  DWORD dwLeft = dwSize;
  for (DWORD nChunk = 0; dwLeft > 0; ++nChunk) {
    const DWORD cbChunk = std::min<DWORD>(kChunkBytes, dwLeft);
    CRegKeyHandle block;
    if (block.Open(key, BlockKeyName(nChunk), KEY_READ) != ERROR_SUCCESS ||
        !QueryBinary(block, ChunkValueName(nChunk), chunk, cbChunk))
      return false;
    checksum.Update(chunk, cbChunk);
    file.Write(chunk, cbChunk);
    dwLeft -= cbChunk;
  }
  CString sIntegrity;
  if (!QueryString(key, "data_integrity", sIntegrity) || sIntegrity != checksum.Format())
    return false;
  file.SeekToBegin();
  return true;
}

bool RegistryDeleteKeyTree(HKEY hKeyRoot, LPCSTR lpszKeyPath) {
  {
    CRegKeyHandle key;
    const LONG lOpen = key.Open(hKeyRoot, lpszKeyPath, KEY_READ | KEY_WRITE | DELETE);
    if (lOpen == ERROR_FILE_NOT_FOUND)
      return true;
    if (lOpen != ERROR_SUCCESS)
      return false;
    // Deleting a subkey renumbers the rest, so the first one is taken each time.
    char szName[MAX_PATH + 1];
    DWORD cchName = sizeof(szName);
    while (::RegEnumKeyExA(key, 0, szName, &cchName, NULL, NULL, NULL, NULL) == ERROR_SUCCESS) {
      if (!RegistryDeleteKeyTree(key, szName))
        return false;
      cchName = sizeof(szName);
    }
  }
  return ::RegDeleteKeyA(hKeyRoot, lpszKeyPath) == ERROR_SUCCESS;
}
