// ANSI string value with the members the program uses.
#pragma once

#include "framework/core/fw_core.h"

#include <cstdarg>
#include <string>

class CString {
public:
  CString() = default;
  CString(const CString& s) = default;
  CString(CString&& s) noexcept = default;
  CString(LPCSTR psz) : m_str(psz != NULL ? psz : "") {}
  CString(LPCSTR pch, int nLength)
      : m_str(pch != NULL && nLength > 0 ? std::string(pch, nLength) : std::string()) {}
  CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}
  explicit CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
  ~CString() = default;

  CString& operator=(const CString& s) = default;
  CString& operator=(CString&& s) noexcept = default;
  CString& operator=(LPCSTR psz);
  CString& operator=(char ch);

  operator LPCSTR() const { return m_str.c_str(); }
  LPCSTR GetString() const { return m_str.c_str(); }

  int GetLength() const { return (int)m_str.size(); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  char GetAt(int nIndex) const;
  void SetAt(int nIndex, char ch);
  char operator[](int nIndex) const { return GetAt(nIndex); }

  CString& operator+=(const CString& s);
  CString& operator+=(LPCSTR psz);
  CString& operator+=(char ch);

  int Compare(LPCSTR psz) const;
  int CompareNoCase(LPCSTR psz) const;
  int Collate(LPCSTR psz) const;

  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCSTR pszCharSet) const;
  CString SpanExcluding(LPCSTR pszCharSet) const;

  int Find(char ch, int nStart = 0) const;
  int Find(LPCSTR pszSub, int nStart = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(LPCSTR pszCharSet) const;

  int Replace(char chOld, char chNew);
  int Replace(LPCSTR pszOld, LPCSTR pszNew);
  int Remove(char ch);
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, LPCSTR psz);
  int Delete(int nIndex, int nCount = 1);

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();

  CString& TrimLeft();
  CString& TrimLeft(char chTarget);
  CString& TrimLeft(LPCSTR pszTargets);
  CString& TrimRight();
  CString& TrimRight(char chTarget);
  CString& TrimRight(LPCSTR pszTargets);
  CString& Trim();
  CString& Trim(char chTarget);
  CString& Trim(LPCSTR pszTargets);

  // Returns the token starting at iStart and moves iStart past it; iStart becomes -1 at the end.
  CString Tokenize(LPCSTR pszTokens, int& iStart) const;

  // printf with the platform C runtime's semantics.
  void Format(LPCSTR pszFormat, ...);
  void FormatV(LPCSTR pszFormat, va_list args);
  void AppendFormat(LPCSTR pszFormat, ...);
  void AppendFormatV(LPCSTR pszFormat, va_list args);
  void Format(UINT nFormatID, ...);

  // Answers FALSE and leaves the string unchanged when the id has no string.
  BOOL LoadString(UINT nID);
  BOOL LoadString(HINSTANCE hInstance, UINT nID);

  LPSTR GetBuffer(int nMinBufLength = 0);
  LPSTR GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);
  void FreeExtra() { m_str.shrink_to_fit(); }
  void Preallocate(int nLength) { m_str.reserve(nLength); }

  const std::string& str() const { return m_str; }

private:
  std::string m_str;
};

CString AFXAPI operator+(const CString& a, const CString& b);
CString AFXAPI operator+(const CString& a, LPCSTR b);
CString AFXAPI operator+(LPCSTR a, const CString& b);
CString AFXAPI operator+(const CString& a, char b);
CString AFXAPI operator+(char a, const CString& b);

inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, LPCSTR b) { return a.Compare(b) != 0; }
inline bool operator!=(LPCSTR a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCSTR b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCSTR lpszFullString, int iSubString, char chSep = '\n');
void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCSTR lpsz1);
void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCSTR lpsz1, LPCSTR lpsz2);
// Replaces %1 and %2 in a format text; the string-id forms above load the text first.
void AFXAPI AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString);
int AFXAPI AfxLoadString(UINT nIDS, LPSTR lpszBuf, UINT nMaxBuf = 256);
