// Files, memory files, binary archives and path helpers.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"
#include "framework/core/fw_time.h"

#include <vector>

class CDocument;

struct CFileStatus {
  CTime m_ctime;
  CTime m_mtime;
  CTime m_atime;
  ULONGLONG m_size;
  BYTE m_attribute; // CFile::Attribute bits
  char m_szFullName[MAX_PATH];
};

class CFile : public CObject {
  DECLARE_DYNAMIC(CFile)
public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000, // only meaningful to text files; a CFile is always binary
    typeBinary = 0x8000
  };
  enum Attribute {
    normal = 0x00,
    readOnly = 0x01,
    hidden = 0x02,
    system = 0x04,
    volume = 0x08,
    directory = 0x10,
    archive = 0x20
  };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

  static const HANDLE hFileNull;

  CFile();
  // Wraps a handle the caller keeps owning.
  explicit CFile(HANDLE hFile);
  // Throws CFileException when the file cannot be opened.
  CFile(LPCSTR lpszFileName, UINT nOpenFlags);
  // Closes an owned handle, ignoring errors: call Close() to see them.
  ~CFile() override;

  operator HANDLE() const { return m_hFile; }

  // FALSE on failure, with *pError (when given) describing it.
  virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);
  // Answers the count read; fewer than asked only at the end of the file.
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual ULONGLONG GetPosition() const;
  virtual void Flush();
  virtual void Close();
  virtual void Abort();

  virtual CString GetFilePath() const { return m_strFileName; }
  virtual CString GetFileName() const;
  // The file name without its extension.
  virtual CString GetFileTitle() const;
  virtual void SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

  BOOL GetStatus(CFileStatus& rStatus) const;
  static BOOL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
  static void Remove(LPCSTR lpszFileName);
  static void Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);

  HANDLE m_hFile;

protected:
  BOOL m_bCloseOnDelete;
  CString m_strFileName;
};

// A file in memory. Either owns a heap buffer that grows in steps of nGrowBytes, or works on a
// caller's buffer. On a caller's buffer with a grow step of 0 the file is the whole buffer and
// cannot grow (a write past its end throws CMemoryException); with a non-zero step it starts
// empty and moves to an owned heap copy when it outgrows the buffer.
class CMemFile : public CFile {
  DECLARE_DYNAMIC(CMemFile)
public:
  explicit CMemFile(UINT nGrowBytes = 1024);
  CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  ~CMemFile() override;

  void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
  // Hands the buffer to the caller and leaves the file empty. An owned buffer comes from malloc
  // and must be released with free().
  BYTE* Detach();

  BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
  UINT Read(void* lpBuf, UINT nCount) override;
  void Write(const void* lpBuf, UINT nCount) override;
  ULONGLONG Seek(LONGLONG lOff, UINT nFrom) override;
  ULONGLONG GetLength() const override { return m_nFileSize; }
  void SetLength(ULONGLONG dwNewLen) override;
  ULONGLONG GetPosition() const override { return m_nPosition; }
  void Flush() override {}
  void Close() override;
  void Abort() override { Close(); }

protected:
  void GrowFile(SIZE_T nNewLen);

  UINT m_nGrowBytes;
  SIZE_T m_nPosition;
  SIZE_T m_nBufferSize;
  SIZE_T m_nFileSize;
  BYTE* m_lpBuffer;
  BOOL m_bAutoDelete; // the buffer came from malloc and is ours to free
};

// Buffered binary stream over a CFile. Every typed value is stored little-endian without padding.
class CArchive {
public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

  // lpBuf, when given, is a caller's buffer of nBufSize bytes used instead of an internal one.
  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
  // A storing archive that was not closed is flushed unless bNoFlushOnDelete was given; errors
  // are then lost, so call Close() to see them.
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
  CFile* GetFile() const { return m_pFile; }

  // Answers the count read; a short count at the end of the data is not an error.
  UINT Read(void* lpBuf, UINT nMax);
  // Reads all nCount bytes or throws CArchiveException(endOfFile).
  void ReadExact(void* lpBuf, UINT nCount);
  void Write(const void* lpBuf, UINT nMax);
  // Storing: writes the buffer to the file. Loading: moves the file back to the first unread byte.
  void Flush();
  void Close();
  void Abort();

  // Object serialization is not provided: these throw CNotSupportedException.
  CObject* ReadObject(const CRuntimeClass* pClass);
  void WriteObject(const CObject* pOb);
  void SerializeClass(const CRuntimeClass* pClassRef);

  CArchive& operator<<(BYTE by) { return Put(by); }
  CArchive& operator<<(WORD w) { return Put(w); }
  CArchive& operator<<(short w) { return Put(w); }
  CArchive& operator<<(char ch) { return Put(ch); }
  CArchive& operator<<(int i) { return Put(i); }
  CArchive& operator<<(UINT u) { return Put(u); }
  CArchive& operator<<(LONG l) { return Put(l); }
  CArchive& operator<<(DWORD dw) { return Put(dw); }
  CArchive& operator<<(float f) { return Put(f); }
  CArchive& operator<<(double d) { return Put(d); }
  CArchive& operator<<(LONGLONG ll) { return Put(ll); }
  CArchive& operator<<(ULONGLONG ull) { return Put(ull); }
  CArchive& operator<<(bool b) { return Put((BYTE)(b ? 1 : 0)); }

  // Reading past the end throws CArchiveException(endOfFile).
  CArchive& operator>>(BYTE& by) { return Get(by); }
  CArchive& operator>>(WORD& w) { return Get(w); }
  CArchive& operator>>(short& w) { return Get(w); }
  CArchive& operator>>(char& ch) { return Get(ch); }
  CArchive& operator>>(int& i) { return Get(i); }
  CArchive& operator>>(UINT& u) { return Get(u); }
  CArchive& operator>>(LONG& l) { return Get(l); }
  CArchive& operator>>(DWORD& dw) { return Get(dw); }
  CArchive& operator>>(float& f) { return Get(f); }
  CArchive& operator>>(double& d) { return Get(d); }
  CArchive& operator>>(LONGLONG& ll) { return Get(ll); }
  CArchive& operator>>(ULONGLONG& ull) { return Get(ull); }
  CArchive& operator>>(bool& b);

  CDocument* m_pDocument;

protected:
  // The target is little-endian, so values go through memory unchanged.
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
                "archive byte order assumes a little-endian target");
  template <class T> CArchive& Put(T value) {
    Write(&value, sizeof(value));
    return *this;
  }
  template <class T> CArchive& Get(T& value) {
    ReadExact(&value, sizeof(value));
    return *this;
  }

private:
  [[noreturn]] void ThrowArchive(int cause) const;
  BOOL FillBuffer();
  void WriteBuffer();

  UINT m_nMode;
  CFile* m_pFile;
  std::vector<BYTE> m_ownBuf;
  BYTE* m_lpBufStart;
  BYTE* m_lpBufCur;
  BYTE* m_lpBufMax; // loading: end of the valid data; storing: end of the buffer
  UINT m_nBufSize;
};

// Strings: a length prefix (1, 3 or 7 bytes for lengths below 255, up to 0xFFFD, and longer) and
// the characters without a terminator. Loading also reads the UTF-16 form and converts it to the
// ANSI code page.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator<<(CArchive& ar, LPCSTR psz);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
CArchive& AFXAPI operator<<(CArchive& ar, const CObject* pOb);
CArchive& AFXAPI operator>>(CArchive& ar, CObject*& pOb);

// Path helpers, each answering the whole path however long it is: the full path of a file name (the
// name itself when the system gives none), the file-name part, whether two paths name one file,
// the file name of a module (NULL: the program's; the first buffer of nFirstSize characters grows
// until the name fits) and the current folder ("" when the system gives none).
CString AFXAPI AfxFullPath(LPCSTR lpszFileIn);
CString AFXAPI AfxFileNameOf(LPCSTR lpszPath);
BOOL AFXAPI AfxComparePath(LPCSTR lpszPath1, LPCSTR lpszPath2);
CString AFXAPI AfxGetModuleFileName(HMODULE hModule, DWORD nFirstSize = MAX_PATH);
CString AFXAPI AfxGetCurrentDirectory();

// Moves a new file over a target, or to its name where there is none, as Windows moves it: a target
// with the read-only attribute is refused with ERROR_ACCESS_DENIED and kept as it is (Wine's move
// replaces it and drops the attribute). FALSE, with the error in GetLastError, when it fails.
BOOL AFXAPI AfxReplaceFile(LPCSTR lpszNew, LPCSTR lpszTarget);
