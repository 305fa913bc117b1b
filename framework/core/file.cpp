// CFile over Win32 file handles and CMemFile over a memory block.
#include "framework/core/fw_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

[[noreturn]] void ThrowLastError(LPCSTR lpszFileName) {
  const LONG err = (LONG)::GetLastError();
  const int cause = err != 0 ? CFileException::OsErrorToException(err) : CFileException::genericException;
  AfxThrowFileException(cause, err, lpszFileName != NULL && *lpszFileName != '\0' ? lpszFileName : NULL);
}

CTime TimeFromFileTime(const FILETIME& ft) {
  return ft.dwLowDateTime == 0 && ft.dwHighDateTime == 0 ? CTime() : CTime(ft);
}

void FillStatus(CFileStatus& rStatus, const FILETIME& created, const FILETIME& accessed,
                const FILETIME& written, DWORD sizeHigh, DWORD sizeLow, DWORD attributes) {
  rStatus.m_ctime = TimeFromFileTime(created);
  rStatus.m_atime = TimeFromFileTime(accessed);
  rStatus.m_mtime = TimeFromFileTime(written);
  rStatus.m_size = ((ULONGLONG)sizeHigh << 32) | sizeLow;
  rStatus.m_attribute = (BYTE)(attributes & ~FILE_ATTRIBUTE_NORMAL);
}

} // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : CFile() {
  CFileException error;
  if (!Open(lpszFileName, nOpenFlags, &error))
    AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile() {
  if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
    Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  if (m_bCloseOnDelete)
    Abort();
  m_hFile = INVALID_HANDLE_VALUE;
  DWORD access = 0;
  switch (nOpenFlags & 3) {
  case modeRead:
    access = GENERIC_READ;
    break;
  case modeWrite:
    access = GENERIC_WRITE;
    break;
  case modeReadWrite:
    access = GENERIC_READ | GENERIC_WRITE;
    break;
  }
  DWORD share = 0; // shareCompat and shareExclusive both lock others out
  switch (nOpenFlags & 0x70) {
  case shareDenyWrite:
    share = FILE_SHARE_READ;
    break;
  case shareDenyRead:
    share = FILE_SHARE_WRITE;
    break;
  case shareDenyNone:
    share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    break;
  }
  const DWORD creation = (nOpenFlags & modeCreate) == 0       ? OPEN_EXISTING
                         : (nOpenFlags & modeNoTruncate) != 0 ? OPEN_ALWAYS
                                                              : CREATE_ALWAYS;
  SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, (nOpenFlags & modeNoInherit) == 0};

  HANDLE hFile = access == 0
                     ? INVALID_HANDLE_VALUE
                     : ::CreateFileA(lpszFileName, access, share, &sa, creation, FILE_ATTRIBUTE_NORMAL, NULL);
  if (hFile == INVALID_HANDLE_VALUE) {
    const LONG err = access == 0 ? ERROR_INVALID_PARAMETER : (LONG)::GetLastError();
    if (pError != NULL) {
      pError->m_lOsError = err;
      pError->m_cause = CFileException::OsErrorToException(err);
      pError->SetFileName(lpszFileName);
    }
    return FALSE;
  }

  m_strFileName = AfxFullPath(lpszFileName);
  m_hFile = hFile;
  m_bCloseOnDelete = TRUE;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  if (nCount == 0)
    return 0;
  DWORD nRead = 0;
  if (!::ReadFile(m_hFile, lpBuf, nCount, &nRead, NULL))
    ThrowLastError(m_strFileName);
  return nRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0)
    return;
  DWORD nWritten = 0;
  if (!::WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
    ThrowLastError(m_strFileName);
  if (nWritten != nCount)
    AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  LARGE_INTEGER distance, position;
  distance.QuadPart = lOff;
  if (nFrom > end || !::SetFilePointerEx(m_hFile, distance, &position, nFrom))
    ThrowLastError(m_strFileName);
  return position.QuadPart;
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero, position;
  zero.QuadPart = 0;
  if (!::SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
    ThrowLastError(m_strFileName);
  return position.QuadPart;
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!::GetFileSizeEx(m_hFile, &size))
    ThrowLastError(m_strFileName);
  return size.QuadPart;
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek((LONGLONG)dwNewLen, begin);
  if (!::SetEndOfFile(m_hFile))
    ThrowLastError(m_strFileName);
}

void CFile::Flush() {
  if (m_hFile != INVALID_HANDLE_VALUE && !::FlushFileBuffers(m_hFile))
    ThrowLastError(m_strFileName);
}

void CFile::Close() {
  const HANDLE hFile = m_hFile;
  const CString name = m_strFileName;
  m_hFile = INVALID_HANDLE_VALUE;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
  if (hFile != INVALID_HANDLE_VALUE && !::CloseHandle(hFile))
    ThrowLastError(name);
}

void CFile::Abort() {
  if (m_hFile != INVALID_HANDLE_VALUE)
    ::CloseHandle(m_hFile);
  m_hFile = INVALID_HANDLE_VALUE;
  m_bCloseOnDelete = FALSE;
  m_strFileName.Empty();
}

CString CFile::GetFileName() const {
  LPCSTR name = m_strFileName;
  for (LPCSTR p = name; *p != '\0'; p = ::CharNextA(p))
    if (*p == '\\' || *p == '/' || *p == ':')
      name = p + 1;
  return name;
}

CString CFile::GetFileTitle() const {
  CString name = GetFileName();
  const int dot = name.ReverseFind('.');
  return dot < 0 ? name : name.Left(dot);
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const {
  rStatus = CFileStatus();
  lstrcpynA(rStatus.m_szFullName, m_strFileName, sizeof(rStatus.m_szFullName));
  BY_HANDLE_FILE_INFORMATION info;
  if (m_hFile == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(m_hFile, &info))
    return FALSE;
  FillStatus(rStatus, info.ftCreationTime, info.ftLastAccessTime, info.ftLastWriteTime, info.nFileSizeHigh,
             info.nFileSizeLow, info.dwFileAttributes);
  return TRUE;
}

BOOL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus) {
  rStatus = CFileStatus();
  DWORD n = ::GetFullPathNameA(lpszFileName, sizeof(rStatus.m_szFullName), rStatus.m_szFullName, NULL);
  if (n == 0 || n >= sizeof(rStatus.m_szFullName))
    return FALSE;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
    return FALSE;
  FillStatus(rStatus, data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime, data.nFileSizeHigh,
             data.nFileSizeLow, data.dwFileAttributes);
  return TRUE;
}

void CFile::Remove(LPCSTR lpszFileName) {
  if (!::DeleteFileA(lpszFileName))
    ThrowLastError(lpszFileName);
}

void CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName) {
  if (!::MoveFileA(lpszOldName, lpszNewName))
    ThrowLastError(lpszOldName);
}

// ---------------------------------------------------------------------------------------------

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(NULL),
      m_bAutoDelete(TRUE) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes) {
  Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { Close(); }

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) {
  Close();
  m_nGrowBytes = nGrowBytes;
  m_lpBuffer = lpBuffer;
  m_nBufferSize = lpBuffer != NULL ? nBufferSize : 0;
  m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
  m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach() {
  BYTE* lpBuffer = m_lpBuffer;
  m_lpBuffer = NULL;
  m_nBufferSize = m_nFileSize = m_nPosition = 0;
  m_bAutoDelete = TRUE;
  return lpBuffer;
}

BOOL CMemFile::Open(LPCSTR, UINT, CFileException*) { AfxThrowNotSupportedException(); }

void CMemFile::GrowFile(SIZE_T nNewLen) {
  if (nNewLen <= m_nBufferSize)
    return;
  if (m_nGrowBytes == 0)
    AfxThrowMemoryException();
  const SIZE_T steps = nNewLen / m_nGrowBytes + (nNewLen % m_nGrowBytes != 0);
  if (steps > (SIZE_T)-1 / m_nGrowBytes)
    AfxThrowMemoryException();
  const SIZE_T nNewSize = steps * m_nGrowBytes;
  // malloc/realloc because Detach() hands the block to the caller, who releases it with free().
  BYTE* lpNew;
  if (m_bAutoDelete) {
    lpNew = static_cast<BYTE*>(std::realloc(m_lpBuffer, nNewSize));
  } else {
    // The caller's block is never reallocated: move the data to a block of our own.
    lpNew = static_cast<BYTE*>(std::malloc(nNewSize));
    if (lpNew != NULL && m_nFileSize != 0)
      std::memcpy(lpNew, m_lpBuffer, m_nFileSize);
  }
  if (lpNew == NULL)
    AfxThrowMemoryException();
  m_lpBuffer = lpNew;
  m_nBufferSize = nNewSize;
  m_bAutoDelete = TRUE;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount) {
  if (m_nPosition >= m_nFileSize)
    return 0;
  const UINT nRead = (UINT)std::min<SIZE_T>(nCount, m_nFileSize - m_nPosition);
  std::memcpy(lpBuf, m_lpBuffer + m_nPosition, nRead);
  m_nPosition += nRead;
  return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount) {
  if (nCount == 0)
    return;
  if (nCount > (SIZE_T)-1 - m_nPosition)
    AfxThrowMemoryException();
  GrowFile(m_nPosition + nCount);
  // A seek past the end leaves a gap that reads back as zeros.
  if (m_nPosition > m_nFileSize)
    std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
  std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
  m_nPosition += nCount;
  m_nFileSize = std::max(m_nFileSize, m_nPosition);
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom) {
  LONGLONG base;
  switch (nFrom) {
  case begin:
    base = 0;
    break;
  case current:
    base = (LONGLONG)m_nPosition;
    break;
  case end:
    base = (LONGLONG)m_nFileSize;
    break;
  default:
    AfxThrowFileException(CFileException::badSeek);
  }
  const LONGLONG pos = base + lOff;
  if (pos < 0 || (ULONGLONG)pos > (SIZE_T)-1)
    AfxThrowFileException(CFileException::badSeek);
  m_nPosition = (SIZE_T)pos;
  return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen) {
  if (dwNewLen > (SIZE_T)-1)
    AfxThrowMemoryException();
  const SIZE_T nNewLen = (SIZE_T)dwNewLen;
  GrowFile(nNewLen);
  if (nNewLen > m_nFileSize)
    std::memset(m_lpBuffer + m_nFileSize, 0, nNewLen - m_nFileSize);
  m_nFileSize = nNewLen;
  m_nPosition = std::min(m_nPosition, nNewLen);
}

void CMemFile::Close() {
  if (m_bAutoDelete)
    std::free(m_lpBuffer);
  Detach();
}
