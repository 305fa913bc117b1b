// CString members. Formatting goes through the platform C runtime so that its printf
// extensions behave as on Windows.
#include "framework/core/fw_string.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

// _vscprintf and _vsnprintf are msvcrt's own entry points; MinGW's C99 printf replacement
// does not touch them.

namespace {
bool IsSpace(char ch) { return std::isspace((unsigned char)ch) != 0; }

int ClampIndex(int n, int len) { return n < 0 ? 0 : (n > len ? len : n); }
} // namespace

CString& CString::operator=(LPCSTR psz) {
  if (psz == NULL)
    m_str.clear();
  else
    m_str.assign(psz); // safe even when psz points into m_str
  return *this;
}

CString& CString::operator=(char ch) {
  m_str.assign(1, ch);
  return *this;
}

char CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetLength())
    AfxThrowInvalidArgException();
  return m_str[nIndex];
}

void CString::SetAt(int nIndex, char ch) {
  if (nIndex < 0 || nIndex >= GetLength())
    AfxThrowInvalidArgException();
  m_str[nIndex] = ch;
}

CString& CString::operator+=(const CString& s) {
  m_str += s.m_str;
  return *this;
}

CString& CString::operator+=(LPCSTR psz) {
  if (psz != NULL)
    m_str += std::string(psz);
  return *this;
}

CString& CString::operator+=(char ch) {
  m_str += ch;
  return *this;
}

int CString::Compare(LPCSTR psz) const { return std::strcmp(m_str.c_str(), psz != NULL ? psz : ""); }
int CString::CompareNoCase(LPCSTR psz) const { return lstrcmpiA(m_str.c_str(), psz != NULL ? psz : ""); }
int CString::Collate(LPCSTR psz) const { return lstrcmpA(m_str.c_str(), psz != NULL ? psz : ""); }

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const {
  int len = GetLength();
  nFirst = ClampIndex(nFirst, len);
  if (nCount < 0)
    nCount = 0;
  if (nCount > len - nFirst)
    nCount = len - nFirst;
  return CString(m_str.data() + nFirst, nCount);
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const {
  int len = GetLength();
  nCount = ClampIndex(nCount, len);
  return CString(m_str.data() + len - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR pszCharSet) const {
  size_t n = std::strspn(m_str.c_str(), pszCharSet);
  return Left((int)n);
}

CString CString::SpanExcluding(LPCSTR pszCharSet) const {
  size_t n = std::strcspn(m_str.c_str(), pszCharSet);
  return Left((int)n);
}

int CString::Find(char ch, int nStart) const {
  if (nStart < 0 || nStart >= GetLength())
    return -1;
  size_t pos = m_str.find(ch, nStart);
  return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Find(LPCSTR pszSub, int nStart) const {
  if (pszSub == NULL || nStart < 0 || nStart > GetLength())
    return -1;
  // Search up to the first zero, as the C string functions would.
  const char* p = std::strstr(m_str.c_str() + nStart, pszSub);
  return p == NULL ? -1 : (int)(p - m_str.c_str());
}

int CString::ReverseFind(char ch) const {
  size_t pos = m_str.rfind(ch);
  return pos == std::string::npos ? -1 : (int)pos;
}

int CString::FindOneOf(LPCSTR pszCharSet) const {
  size_t pos = m_str.find_first_of(pszCharSet != NULL ? pszCharSet : "");
  return pos == std::string::npos ? -1 : (int)pos;
}

int CString::Replace(char chOld, char chNew) {
  int count = 0;
  if (chOld == chNew)
    return 0; // nothing changes, so nothing counts as replaced
  for (char& c : m_str) {
    if (c == chOld) {
      c = chNew;
      ++count;
    }
  }
  return count;
}

int CString::Replace(LPCSTR pszOld, LPCSTR pszNew) {
  if (pszOld == NULL || *pszOld == '\0')
    return 0;
  std::string from(pszOld), to(pszNew != NULL ? pszNew : "");
  std::string out;
  int count = 0;
  size_t pos = 0;
  for (;;) {
    size_t hit = m_str.find(from, pos);
    if (hit == std::string::npos)
      break;
    out.append(m_str, pos, hit - pos);
    out += to;
    pos = hit + from.size();
    ++count;
  }
  if (count != 0) {
    out.append(m_str, pos, std::string::npos);
    m_str.swap(out);
  }
  return count;
}

int CString::Remove(char ch) {
  size_t before = m_str.size();
  m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
  return (int)(before - m_str.size());
}

int CString::Insert(int nIndex, char ch) {
  nIndex = ClampIndex(nIndex, GetLength());
  m_str.insert(m_str.begin() + nIndex, ch);
  return GetLength();
}

int CString::Insert(int nIndex, LPCSTR psz) {
  nIndex = ClampIndex(nIndex, GetLength());
  if (psz != NULL)
    m_str.insert(nIndex, std::string(psz));
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  int len = GetLength();
  nIndex = ClampIndex(nIndex, len);
  if (nCount > 0)
    m_str.erase(nIndex, std::min(nCount, len - nIndex));
  return GetLength();
}

CString& CString::MakeUpper() {
  for (char& c : m_str)
    c = (char)std::toupper((unsigned char)c);
  return *this;
}

CString& CString::MakeLower() {
  for (char& c : m_str)
    c = (char)std::tolower((unsigned char)c);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  return *this;
}

CString& CString::TrimLeft() {
  size_t i = 0;
  while (i < m_str.size() && IsSpace(m_str[i]))
    ++i;
  m_str.erase(0, i);
  return *this;
}

CString& CString::TrimLeft(char chTarget) {
  size_t i = m_str.find_first_not_of(chTarget);
  m_str.erase(0, i == std::string::npos ? m_str.size() : i);
  return *this;
}

CString& CString::TrimLeft(LPCSTR pszTargets) {
  if (pszTargets == NULL || *pszTargets == '\0')
    return *this;
  size_t i = m_str.find_first_not_of(pszTargets);
  m_str.erase(0, i == std::string::npos ? m_str.size() : i);
  return *this;
}

CString& CString::TrimRight() {
  size_t n = m_str.size();
  while (n > 0 && IsSpace(m_str[n - 1]))
    --n;
  m_str.resize(n);
  return *this;
}

CString& CString::TrimRight(char chTarget) {
  size_t i = m_str.find_last_not_of(chTarget);
  m_str.resize(i == std::string::npos ? 0 : i + 1);
  return *this;
}

CString& CString::TrimRight(LPCSTR pszTargets) {
  if (pszTargets == NULL || *pszTargets == '\0')
    return *this;
  size_t i = m_str.find_last_not_of(pszTargets);
  m_str.resize(i == std::string::npos ? 0 : i + 1);
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString CString::Tokenize(LPCSTR pszTokens, int& iStart) const {
  if (iStart < 0 || pszTokens == NULL) {
    iStart = -1;
    return CString();
  }
  int len = GetLength();
  if (*pszTokens == '\0') {
    if (iStart < len)
      return Mid(iStart);
    iStart = -1;
    return CString();
  }
  int first = iStart;
  while (first < len && std::strchr(pszTokens, m_str[first]) != NULL)
    ++first;
  if (first >= len) {
    iStart = -1;
    return CString();
  }
  int last = first;
  while (last < len && std::strchr(pszTokens, m_str[last]) == NULL)
    ++last;
  iStart = last + 1;
  return Mid(first, last - first);
}

void CString::FormatV(LPCSTR pszFormat, va_list args) {
  if (pszFormat == NULL) {
    m_str.clear();
    return;
  }
  va_list copy;
  va_copy(copy, args);
  int n = _vscprintf(pszFormat, copy);
  va_end(copy);
  if (n < 0) {
    m_str.clear();
    return;
  }
  std::vector<char> buf(n + 1);
  _vsnprintf(buf.data(), n + 1, pszFormat, args);
  m_str.assign(buf.data(), n);
}

void CString::Format(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::AppendFormatV(LPCSTR pszFormat, va_list args) {
  CString more;
  more.FormatV(pszFormat, args);
  m_str += more.m_str;
}

void CString::AppendFormat(LPCSTR pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  AppendFormatV(pszFormat, args);
  va_end(args);
}

void CString::Format(UINT nFormatID, ...) {
  CString format;
  if (!format.LoadString(nFormatID))
    return;
  va_list args;
  va_start(args, nFormatID);
  FormatV(format, args);
  va_end(args);
}

BOOL CString::LoadString(UINT nID) { return LoadString(AfxGetResourceHandle(), nID); }

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID) {
  // Find the string directly: LoadStringA cannot tell an empty string from a missing one.
  HRSRC hRes = ::FindResourceA(hInstance, MAKEINTRESOURCEA((nID >> 4) + 1), (LPCSTR)RT_STRING);
  if (hRes == NULL)
    return FALSE;
  HGLOBAL hData = ::LoadResource(hInstance, hRes);
  const WORD* p = hData != NULL ? static_cast<const WORD*>(::LockResource(hData)) : NULL;
  if (p == NULL)
    return FALSE;
  // A block holds 16 counted strings; every count is checked against the block's size, so a
  // damaged block cannot make the reader run past it.
  const size_t nWords = ::SizeofResource(hInstance, hRes) / sizeof(WORD);
  size_t pos = 0;
  for (UINT i = 0; i < (nID & 15); ++i) {
    if (pos >= nWords)
      return FALSE;
    pos += 1 + static_cast<size_t>(p[pos]);
  }
  if (pos >= nWords || p[pos] == 0 || p[pos] > nWords - pos - 1)
    return FALSE;
  p += pos;
  int cch = *p;
  int cb2 = ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(p + 1), cch, NULL, 0, NULL, NULL);
  std::string text(cb2, '\0');
  ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(p + 1), cch, &text[0], cb2, NULL, NULL);
  m_str.swap(text);
  return TRUE;
}

LPSTR CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength())
    m_str.resize(nMinBufLength);
  return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int nNewLength) {
  m_str.resize(nNewLength < 0 ? 0 : nNewLength);
  return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
  if (nNewLength < 0)
    nNewLength = (int)std::strlen(m_str.c_str());
  if (nNewLength > GetLength())
    nNewLength = GetLength();
  m_str.resize(nNewLength);
}

CString operator+(const CString& a, const CString& b) {
  CString s(a);
  s += b;
  return s;
}
CString operator+(const CString& a, LPCSTR b) {
  CString s(a);
  s += b;
  return s;
}
CString operator+(LPCSTR a, const CString& b) {
  CString s(a);
  s += b;
  return s;
}
CString operator+(const CString& a, char b) {
  CString s(a);
  s += b;
  return s;
}
CString operator+(char a, const CString& b) {
  CString s(a);
  s += b;
  return s;
}

BOOL AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep) {
  if (lpszFullString == NULL) {
    rString.Empty();
    return FALSE;
  }
  while (iSubString--) {
    lpszFullString = std::strchr(lpszFullString, chSep);
    if (lpszFullString == NULL) {
      rString.Empty();
      return FALSE;
    }
    ++lpszFullString;
  }
  const char* end = std::strchr(lpszFullString, chSep);
  int n = end == NULL ? (int)std::strlen(lpszFullString) : (int)(end - lpszFullString);
  rString = CString(lpszFullString, n);
  return TRUE;
}

void AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString) {
  std::string out;
  for (const char* p = lpszFormat; p != NULL && *p != '\0'; ++p) {
    if (p[0] == '%' && p[1] >= '1' && p[1] <= '9') {
      int i = p[1] - '1';
      if (i < nString && rglpsz[i] != NULL)
        out += rglpsz[i];
      ++p;
    } else {
      out += *p;
    }
  }
  rString = out.c_str();
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1) {
  CString format;
  format.LoadString(nIDS);
  AfxFormatStrings(rString, format, &lpsz1, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2) {
  CString format;
  format.LoadString(nIDS);
  LPCSTR args[2] = {lpsz1, lpsz2};
  AfxFormatStrings(rString, format, args, 2);
}

int AfxLoadString(UINT nIDS, LPSTR lpszBuf, UINT nMaxBuf) {
  CString s;
  if (!s.LoadString(nIDS)) {
    if (nMaxBuf > 0)
      lpszBuf[0] = '\0';
    return 0;
  }
  lstrcpynA(lpszBuf, s, (int)nMaxBuf);
  return (int)std::strlen(lpszBuf);
}
