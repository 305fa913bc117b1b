// Path helpers: full paths, file-name parts, the module's file name and the current folder, each
// whole however long it is.
#include "framework/core/fw_file.h"

#include <algorithm>
#include <vector>

namespace {

// No path the system gives is longer than this many characters; a longer answer is a failure.
const DWORD kMaxPathChars = 32767;

// Calls fill(buffer, size) with buffers that grow until what it writes fits: fill answers the
// length written, or, when the buffer is too small, the size it needs or (as GetModuleFileName
// does, which leaves the cut text unterminated on older systems) the buffer's own size; 0 when it
// fails. The text; "" on failure.
template <class Fill> CString GrowToFit(DWORD nSize, Fill fill) {
  std::vector<char> buffer;
  for (nSize = std::max<DWORD>(nSize, 1);;) {
    buffer.assign(nSize, '\0');
    const DWORD n = fill(buffer.data(), nSize);
    if (n == 0 || (n >= nSize && nSize > kMaxPathChars))
      return CString();
    if (n < nSize)
      return CString(buffer.data(), (int)n);
    nSize = std::min(std::max(n, nSize * 2), kMaxPathChars + 1);
  }
}

} // namespace

CString AfxFullPath(LPCSTR lpszFileIn) {
  CString strFull =
      GrowToFit(MAX_PATH, [&](LPSTR psz, DWORD n) { return ::GetFullPathNameA(lpszFileIn, n, psz, NULL); });
  return strFull.IsEmpty() ? CString(lpszFileIn) : strFull;
}

CString AfxFileNameOf(LPCSTR lpszPath) {
  if (lpszPath == NULL)
    return CString();
  LPCSTR lpszName = lpszPath;
  for (LPCSTR p = lpszPath; *p != '\0'; p = ::CharNextA(p)) {
    if (*p == '\\' || *p == '/' || *p == ':')
      lpszName = p + 1;
  }
  return lpszName;
}

BOOL AfxComparePath(LPCSTR lpszPath1, LPCSTR lpszPath2) {
  return lstrcmpiA(AfxFullPath(lpszPath1), AfxFullPath(lpszPath2)) == 0;
}

CString AfxGetModuleFileName(HMODULE hModule, DWORD nFirstSize) {
  return GrowToFit(nFirstSize, [&](LPSTR psz, DWORD n) { return ::GetModuleFileNameA(hModule, psz, n); });
}

CString AfxGetCurrentDirectory() {
  return GrowToFit(MAX_PATH, [](LPSTR psz, DWORD n) { return ::GetCurrentDirectoryA(n, psz); });
}

BOOL AfxReplaceFile(LPCSTR lpszNew, LPCSTR lpszTarget) {
  const DWORD dwTarget = ::GetFileAttributesA(lpszTarget);
  if (dwTarget != INVALID_FILE_ATTRIBUTES && (dwTarget & FILE_ATTRIBUTE_READONLY)) {
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  return ::MoveFileExA(lpszNew, lpszTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}
