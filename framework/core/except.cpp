// Framework exceptions.
#include "framework/core/fw_core.h"
#include "framework/res/fw_res.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {
char* DupString(LPCSTR psz) {
  if (psz == NULL)
    return NULL;
  size_t n = std::strlen(psz) + 1;
  char* p = static_cast<char*>(std::malloc(n));
  if (p != NULL)
    std::memcpy(p, psz, n);
  return p;
}

void CopyMessage(LPSTR lpszError, UINT nMaxError, LPCSTR text) {
  if (lpszError == NULL || nMaxError == 0)
    return;
  lstrcpynA(lpszError, text, (int)nMaxError);
}

// "<file>: <cause>." or "<cause>." when there is no file; an unknown cause reads as the
// unspecified error, the second entry of every cause table.
void FormatCauseMessage(LPSTR lpszError, UINT nMaxError, LPCSTR lpszFile, const char* const* causes,
                        int nCauses, int nCause) {
  const char* cause = (nCause >= 0 && nCause < nCauses) ? causes[nCause] : causes[1];
  char buf[512];
  if (lpszFile != NULL && *lpszFile != '\0')
    std::snprintf(buf, sizeof(buf), "%s: %s.", lpszFile, cause);
  else
    std::snprintf(buf, sizeof(buf), "%s.", cause);
  CopyMessage(lpszError, nMaxError, buf);
}

} // namespace

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

void CException::Delete() {
  if (m_bAutoDelete)
    delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL)
    *pnHelpContext = 0;
  CopyMessage(lpszError, nMaxError, "");
  return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) {
  char szMessage[512];
  if (GetErrorMessage(szMessage, sizeof(szMessage)) && szMessage[0] != '\0')
    return AfxMessageBox(szMessage, nType, 0);
  if (nMessageID == 0)
    nMessageID = AFX_IDP_INTERNAL_FAILURE;
  if (::LoadStringA(AfxGetResourceHandle(), nMessageID, szMessage, sizeof(szMessage)) <= 0)
    lstrcpynA(szMessage, "An unsupported operation was attempted.", sizeof(szMessage));
  return AfxMessageBox(szMessage, nType, 0);
}

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL)
    *pnHelpContext = 0;
  LPCSTR text = DefaultMessage();
  CopyMessage(lpszError, nMaxError, text != NULL ? text : "");
  return text != NULL && *text != '\0';
}

LPCSTR CSimpleException::DefaultMessage() const { return ""; }
LPCSTR CMemoryException::DefaultMessage() const { return "Out of memory."; }
LPCSTR CNotSupportedException::DefaultMessage() const { return "An unsupported operation was attempted."; }
LPCSTR CInvalidArgException::DefaultMessage() const { return "An invalid argument was encountered."; }
LPCSTR CResourceException::DefaultMessage() const { return "A required resource was unavailable."; }

int CUserException::ReportError(UINT, UINT) { return 0; }

// ---------------------------------------------------------------------------------------------

CFileException::CFileException(int cause, LONG lOsError, LPCSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(DupString(lpszArchiveName)) {}

CFileException::~CFileException() { std::free(m_strFileName); }

void CFileException::SetFileName(LPCSTR lpszFileName) {
  std::free(m_strFileName);
  m_strFileName = DupString(lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL)
    *pnHelpContext = 0;
  static const char* const kCauses[] = {"No error occurred",
                                        "An unspecified error occurred",
                                        "was not found",
                                        "contains an invalid path",
                                        "could not be opened because there are too many open files",
                                        "Access to the file was denied",
                                        "An invalid file handle was used",
                                        "could not be removed because it is the current directory",
                                        "could not be created because the directory is full",
                                        "Seek failed",
                                        "A hardware I/O error was reported",
                                        "A sharing violation occurred",
                                        "A locking violation occurred",
                                        "Disk full",
                                        "An attempt was made to access beyond the end of the file"};
  FormatCauseMessage(lpszError, nMaxError, m_strFileName, kCauses, (int)_countof(kCauses), m_cause);
  return TRUE;
}

int CFileException::OsErrorToException(LONG lOsError) {
  switch ((DWORD)lOsError) {
  case NO_ERROR:
    return none;
  case ERROR_FILE_NOT_FOUND:
    return fileNotFound;
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_DRIVE:
  case ERROR_BAD_NETPATH:
  case ERROR_BAD_PATHNAME:
  case ERROR_FILENAME_EXCED_RANGE:
  case ERROR_INVALID_NAME:
    return badPath;
  case ERROR_TOO_MANY_OPEN_FILES:
    return tooManyOpenFiles;
  case ERROR_ACCESS_DENIED:
  case ERROR_WRITE_PROTECT:
  case ERROR_NETWORK_ACCESS_DENIED:
    return accessDenied;
  case ERROR_INVALID_HANDLE:
    return invalidFile;
  case ERROR_CURRENT_DIRECTORY:
    return removeCurrentDir;
  case ERROR_CANNOT_MAKE:
    return directoryFull;
  case ERROR_SEEK:
  case ERROR_NEGATIVE_SEEK:
    return badSeek;
  case ERROR_SHARING_VIOLATION:
    return sharingViolation;
  case ERROR_LOCK_VIOLATION:
  case ERROR_LOCK_FAILED:
    return lockViolation;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL:
    return diskFull;
  case ERROR_HANDLE_EOF:
    return endOfFile;
  default:
    return genericException;
  }
}

void CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName) {
  if (lOsError != 0)
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

CArchiveException::CArchiveException(int cause, LPCSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(DupString(lpszArchiveName)) {}

CArchiveException::~CArchiveException() { std::free(m_strFileName); }

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext) {
  if (pnHelpContext != NULL)
    *pnHelpContext = 0;
  static const char* const kCauses[] = {"No error occurred",
                                        "An unexpected error occurred while reading or writing",
                                        "Tried to write to an archive opened for loading",
                                        "Reached the end of the data unexpectedly",
                                        "Tried to read from an archive opened for storing",
                                        "The data is in an invalid format",
                                        "The data holds an unknown object type",
                                        "The data holds an incompatible object version"};
  FormatCauseMessage(lpszError, nMaxError, m_strFileName, kCauses, (int)_countof(kCauses), m_cause);
  return TRUE;
}

void AfxThrowMemoryException() { throw new CMemoryException; }
void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AfxThrowResourceException() { throw new CResourceException; }
void AfxThrowUserException() { throw new CUserException; }
void AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
void AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
