// CArchive: buffered little-endian transfer over a CFile, and the string format.
#include "framework/core/fw_file.h"

#include <algorithm>
#include <cstring>
#include <string>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_nMode(nMode), m_pFile(pFile) {
  if (pFile == NULL || (lpBuf != NULL && nBufSize <= 0))
    AfxThrowInvalidArgException();
  if (lpBuf != NULL) {
    m_nBufSize = (UINT)nBufSize;
    m_lpBufStart = static_cast<BYTE*>(lpBuf);
  } else {
    m_nBufSize = (UINT)std::max(nBufSize, 128);
    m_ownBuf.resize(m_nBufSize);
    m_lpBufStart = m_ownBuf.data();
  }
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive() {
  if (m_pFile == NULL || (m_nMode & bNoFlushOnDelete) != 0)
    return;
  try {
    Close();
  } catch (CException* e) {
    // A destructor cannot report; callers who care call Close() themselves.
    e->Delete();
  }
}

void CArchive::ThrowArchive(int cause) const {
  const CString name = m_pFile != NULL ? m_pFile->GetFilePath() : CString();
  AfxThrowArchiveException(cause, name.IsEmpty() ? NULL : (LPCSTR)name);
}

BOOL CArchive::FillBuffer() {
  m_lpBufCur = m_lpBufMax = m_lpBufStart;
  m_lpBufMax += m_pFile->Read(m_lpBufStart, m_nBufSize);
  return m_lpBufMax != m_lpBufStart;
}

void CArchive::WriteBuffer() {
  if (m_lpBufCur != m_lpBufStart)
    m_pFile->Write(m_lpBufStart, (UINT)(m_lpBufCur - m_lpBufStart));
  m_lpBufCur = m_lpBufStart;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (m_pFile == NULL)
    ThrowArchive(CArchiveException::genericException);
  if (!IsLoading())
    ThrowArchive(CArchiveException::writeOnly);
  BYTE* out = static_cast<BYTE*>(lpBuf);
  UINT nDone = 0;
  while (nDone < nMax) {
    if (m_lpBufCur == m_lpBufMax) {
      // Large requests bypass the buffer.
      if (nMax - nDone >= m_nBufSize) {
        const UINT nRead = m_pFile->Read(out + nDone, nMax - nDone);
        if (nRead == 0)
          break;
        nDone += nRead;
        continue;
      }
      if (!FillBuffer())
        break;
    }
    const UINT n = std::min(nMax - nDone, (UINT)(m_lpBufMax - m_lpBufCur));
    std::memcpy(out + nDone, m_lpBufCur, n);
    m_lpBufCur += n;
    nDone += n;
  }
  return nDone;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount) {
  if (Read(lpBuf, nCount) != nCount)
    ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (m_pFile == NULL)
    ThrowArchive(CArchiveException::genericException);
  if (IsLoading())
    ThrowArchive(CArchiveException::readOnly);
  const BYTE* in = static_cast<const BYTE*>(lpBuf);
  UINT nDone = 0;
  while (nDone < nMax) {
    if (m_lpBufCur == m_lpBufMax)
      WriteBuffer();
    if (m_lpBufCur == m_lpBufStart && nMax - nDone >= m_nBufSize) {
      m_pFile->Write(in + nDone, nMax - nDone);
      return;
    }
    const UINT n = std::min(nMax - nDone, (UINT)(m_lpBufMax - m_lpBufCur));
    std::memcpy(m_lpBufCur, in + nDone, n);
    m_lpBufCur += n;
    nDone += n;
  }
}

void CArchive::Flush() {
  if (m_pFile == NULL)
    return;
  if (IsStoring()) {
    WriteBuffer();
  } else if (m_lpBufCur != m_lpBufMax) {
    // Give the unread bytes back to the file so that it continues where the archive stopped.
    m_pFile->Seek(-(LONGLONG)(m_lpBufMax - m_lpBufCur), CFile::current);
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
  }
}

void CArchive::Close() {
  try {
    Flush();
  } catch (...) {
    m_pFile = NULL;
    throw;
  }
  m_pFile = NULL;
}

void CArchive::Abort() { m_pFile = NULL; }

CObject* CArchive::ReadObject(const CRuntimeClass*) { AfxThrowNotSupportedException(); }
void CArchive::WriteObject(const CObject*) { AfxThrowNotSupportedException(); }
void CArchive::SerializeClass(const CRuntimeClass*) { AfxThrowNotSupportedException(); }

CArchive& CArchive::operator>>(bool& b) {
  BYTE by;
  Get(by);
  b = by != 0;
  return *this;
}

// ---------------------------------------------------------------------------------------------

namespace {

const WORD kWideMarker = 0xFFFE;

void WriteChars(CArchive& ar, LPCSTR pch, size_t nLength) {
  if (nLength < 0xFF) {
    ar << (BYTE)nLength;
  } else if (nLength < kWideMarker) {
    ar << (BYTE)0xFF << (WORD)nLength;
  } else {
    ar << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)nLength;
  }
  ar.Write(pch, (UINT)nLength);
}

// The rest of an escalating length whose first byte was 0xFF; *pbWide reports the UTF-16 marker.
DWORD ReadLongLength(CArchive& ar, bool* pbWide) {
  WORD w;
  ar >> w;
  if (pbWide != NULL && w == kWideMarker) {
    *pbWide = true;
    BYTE b;
    ar >> b;
    return b < 0xFF ? b : ReadLongLength(ar, NULL);
  }
  if (w < 0xFFFF)
    return w;
  DWORD dw;
  ar >> dw;
  return dw;
}

// Reads in slices so that a corrupt length fails at the end of the data rather than by
// allocating gigabytes first.
std::string ReadBytes(CArchive& ar, ULONGLONG nCount) {
  std::string bytes;
  while (bytes.size() < nCount) {
    const size_t nOld = bytes.size();
    const UINT nSlice = (UINT)std::min<ULONGLONG>(nCount - nOld, 0x10000);
    bytes.resize(nOld + nSlice);
    ar.ReadExact(&bytes[nOld], nSlice);
  }
  return bytes;
}

} // namespace

CArchive& operator<<(CArchive& ar, const CString& string) {
  WriteChars(ar, string, string.GetLength());
  return ar;
}

CArchive& operator<<(CArchive& ar, LPCSTR psz) {
  WriteChars(ar, psz != NULL ? psz : "", psz != NULL ? std::strlen(psz) : 0);
  return ar;
}

CArchive& operator>>(CArchive& ar, CString& string) {
  BYTE b;
  ar >> b;
  bool bWide = false;
  const DWORD nLength = b < 0xFF ? b : ReadLongLength(ar, &bWide);
  if (!bWide) {
    const std::string bytes = ReadBytes(ar, nLength);
    string = CString(bytes.data(), (int)bytes.size());
    return ar;
  }
  const std::string bytes = ReadBytes(ar, (ULONGLONG)nLength * sizeof(WCHAR));
  std::wstring wide(nLength, L'\0');
  std::memcpy(&wide[0], bytes.data(), bytes.size());
  const int nAnsi = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), NULL, 0, NULL, NULL);
  std::string ansi(nAnsi, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), &ansi[0], nAnsi, NULL, NULL);
  string = CString(ansi.data(), (int)ansi.size());
  return ar;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb) {
  ar.WriteObject(pOb);
  return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb) {
  pOb = ar.ReadObject(NULL);
  return ar;
}
