// Keeps a memory file in the registry: its size, its bytes in chunks of 16 grouped 128 to a
// block key, a checksum text of all bytes and the name of the writer. A stored file is read back
// only when its checksum matches.
#pragma once

#include "framework/core/fw_file.h"
#include "framework/core/fw_string.h"

#include <windows.h>

// The toolkit's version as a 32-bit value and as text ("2.5.0.0").
const DWORD kExtToolkitVersion = 0x02050000;
CString ExtToolkitVersionText();

// Four ELF-style hashes over the bytes, byte i going to sum i mod 4.
class RegistryArchiveChecksum {
public:
  void Update(const BYTE* pData, UINT nCount);
  // The four sums as sixteen upper-case hex pairs, most significant byte first, one blank apart.
  CString Format() const;

private:
  UINT m_nIndex = 0;
  DWORD m_sums[4] = {0, 0, 0, 0};
};

// Replaces the key tree at lpszKeyPath with the file's bytes; false when any part cannot be
// written (the tree may then be partial).
bool RegistryArchiveWrite(CMemFile& file, LPCSTR lpszKeyPath, HKEY hKeyRoot = HKEY_CURRENT_USER);
// Appends the stored bytes to the file and moves it to its start; false when the tree is missing,
// incomplete or its checksum does not match.
bool RegistryArchiveRead(CMemFile& file, LPCSTR lpszKeyPath, HKEY hKeyRoot = HKEY_CURRENT_USER);
// Deletes the key and everything below it; a missing key is no error.
bool RegistryDeleteKeyTree(HKEY hKeyRoot, LPCSTR lpszKeyPath);
