// Dialog templates in memory (DLGTEMPLATE and DLGTEMPLATEEX) and the DLGINIT runner.
#include "framework/dlg/dlgimpl.h"

#include <cstring>
#include <string>

namespace {
// Fixed header sizes and field offsets of the two template layouts.
const size_t kHeaderSize = 18;   // DLGTEMPLATE
const size_t kHeaderSizeEx = 26; // DLGTEMPLATEEX
const size_t kItemSize = 18;     // DLGITEMTEMPLATE
const size_t kItemSizeEx = 24;   // DLGITEMTEMPLATEEX

bool IsExTemplate(const BYTE* p) {
  return reinterpret_cast<const WORD*>(p)[0] == 1 && reinterpret_cast<const WORD*>(p)[1] == 0xFFFF;
}

template <typename T> T ReadAt(const BYTE* p, size_t off) {
  T value;
  std::memcpy(&value, p + off, sizeof(T));
  return value;
}

template <typename T> void WriteAt(BYTE* p, size_t off, T value) { std::memcpy(p + off, &value, sizeof(T)); }

size_t StyleOffset(bool bEx) { return bEx ? 12 : 0; }
size_t ExStyleOffset(bool bEx) { return bEx ? 8 : 4; }
size_t CountOffset(bool bEx) { return bEx ? 16 : 8; }
size_t RectOffset(bool bEx) { return bEx ? 18 : 10; }

// Skips a menu or class field: 0x0000 (none), 0xFFFF + ordinal, or a NUL-terminated wide string.
size_t SkipSzOrOrd(const BYTE* p, size_t off) {
  WORD w = ReadAt<WORD>(p, off);
  if (w == 0x0000)
    return off + 2;
  if (w == 0xFFFF)
    return off + 4;
  while (ReadAt<WORD>(p, off) != 0)
    off += 2;
  return off + 2;
}

size_t SkipWideString(const BYTE* p, size_t off) {
  while (ReadAt<WORD>(p, off) != 0)
    off += 2;
  return off + 2;
}

size_t AlignDword(size_t off) { return (off + 3) & ~size_t(3); }

// Where the parts of a template begin.
struct TemplateLayout {
  bool bEx;
  DWORD dwStyle;
  size_t offFont;  // the font block (only meaningful with DS_SETFONT); also the end of the title
  size_t offItems; // first item, DWORD-aligned
  size_t offEnd;   // end of the last item
};

TemplateLayout ParseLayout(const BYTE* p) {
  TemplateLayout layout;
  layout.bEx = IsExTemplate(p);
  layout.dwStyle = ReadAt<DWORD>(p, StyleOffset(layout.bEx));
  size_t off = layout.bEx ? kHeaderSizeEx : kHeaderSize;
  off = SkipSzOrOrd(p, off);    // menu
  off = SkipSzOrOrd(p, off);    // class
  off = SkipWideString(p, off); // title
  layout.offFont = off;
  if (layout.dwStyle & DS_SETFONT) {
    off += layout.bEx ? 6 : 2; // point size [, weight, italic, charset]
    off = SkipWideString(p, off);
  }
  layout.offItems = AlignDword(off);
  WORD nItems = ReadAt<WORD>(p, CountOffset(layout.bEx));
  off = layout.offItems;
  for (WORD i = 0; i < nItems; ++i) {
    off = AlignDword(off);
    off += layout.bEx ? kItemSizeEx : kItemSize;
    off = SkipSzOrOrd(p, off); // class
    off = SkipSzOrOrd(p, off); // title
    WORD cbExtra = ReadAt<WORD>(p, off);
    off += 2 + (cbExtra / 2) * 2;
  }
  layout.offEnd = nItems != 0 ? off : layout.offItems;
  return layout;
}

std::wstring ToWide(LPCSTR psz) {
  int n = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
  std::wstring w(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1)
    ::MultiByteToWideChar(CP_ACP, 0, psz, -1, &w[0], n);
  return w;
}

CString FromWide(const BYTE* p, size_t off) {
  std::wstring w;
  for (WORD ch; (ch = ReadAt<WORD>(p, off)) != 0; off += 2)
    w.push_back((wchar_t)ch);
  int n = ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, NULL, 0, NULL, NULL);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1)
    ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, &s[0], n, NULL, NULL);
  return CString(s.c_str());
}
} // namespace

// ---------------------------------------------------------------------------------------------

CDialogTemplate::CDialogTemplate(const DLGTEMPLATE* pTemplate) : m_bSystemFont(FALSE) {
  if (pTemplate != NULL)
    SetTemplate(pTemplate, GetTemplateSize(pTemplate));
}

CDialogTemplate::CDialogTemplate(HGLOBAL hTemplate) : m_bSystemFont(FALSE) {
  if (hTemplate == NULL)
    return;
  const DLGTEMPLATE* pTemplate = static_cast<const DLGTEMPLATE*>(::GlobalLock(hTemplate));
  if (pTemplate != NULL) {
    SetTemplate(pTemplate, GetTemplateSize(pTemplate));
    ::GlobalUnlock(hTemplate);
  }
}

UINT CDialogTemplate::GetTemplateSize(const DLGTEMPLATE* pTemplate) {
  if (pTemplate == NULL)
    return 0;
  return (UINT)ParseLayout(reinterpret_cast<const BYTE*>(pTemplate)).offEnd;
}

BOOL CDialogTemplate::SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb) {
  if (pTemplate == NULL || cb < kHeaderSize)
    return FALSE;
  const BYTE* p = reinterpret_cast<const BYTE*>(pTemplate);
  m_data.assign(p, p + cb);
  return TRUE;
}

BOOL CDialogTemplate::Load(LPCSTR lpDialogTemplateID) {
  HINSTANCE hInst = NULL;
  const DLGTEMPLATE* pTemplate = AfxFindDialogTemplate(lpDialogTemplateID, &hInst);
  return pTemplate != NULL && SetTemplate(pTemplate, GetTemplateSize(pTemplate));
}

HGLOBAL CDialogTemplate::Detach() {
  if (m_data.empty())
    return NULL;
  HGLOBAL hTemplate = ::GlobalAlloc(GMEM_MOVEABLE, m_data.size());
  if (hTemplate == NULL)
    AfxThrowMemoryException();
  void* p = ::GlobalLock(hTemplate);
  std::memcpy(p, m_data.data(), m_data.size());
  ::GlobalUnlock(hTemplate);
  m_data.clear();
  return hTemplate;
}

BOOL CDialogTemplate::IsEx() const { return !m_data.empty() && IsExTemplate(m_data.data()); }

BOOL CDialogTemplate::HasFont() const { return !m_data.empty() && (GetStyle() & DS_SETFONT) != 0; }

DWORD CDialogTemplate::GetStyle() const {
  return m_data.empty() ? 0 : ReadAt<DWORD>(m_data.data(), StyleOffset(IsEx()));
}

void CDialogTemplate::SetStyle(DWORD dwStyle) {
  if (m_data.empty())
    return;
  // DS_SETFONT says whether a font block follows; only SetFont may change it.
  DWORD dwOld = GetStyle();
  dwStyle = (dwStyle & ~DS_SETFONT) | (dwOld & DS_SETFONT);
  WriteAt<DWORD>(m_data.data(), StyleOffset(IsEx()), dwStyle);
}

DWORD CDialogTemplate::GetExStyle() const {
  return m_data.empty() ? 0 : ReadAt<DWORD>(m_data.data(), ExStyleOffset(IsEx()));
}

void CDialogTemplate::SetExStyle(DWORD dwExStyle) {
  if (!m_data.empty())
    WriteAt<DWORD>(m_data.data(), ExStyleOffset(IsEx()), dwExStyle);
}

BOOL CDialogTemplate::GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize) {
  if (pTemplate == NULL)
    return FALSE;
  const BYTE* p = reinterpret_cast<const BYTE*>(pTemplate);
  TemplateLayout layout = ParseLayout(p);
  if (!(layout.dwStyle & DS_SETFONT))
    return FALSE;
  nFontSize = ReadAt<WORD>(p, layout.offFont);
  strFaceName = FromWide(p, layout.offFont + (layout.bEx ? 6 : 2));
  return TRUE;
}

BOOL CDialogTemplate::GetFont(CString& strFaceName, WORD& nFontSize) const {
  return GetFont(GetTemplate(), strFaceName, nFontSize);
}

BOOL CDialogTemplate::SetFont(LPCSTR lpFaceName, WORD nFontSize) {
  if (m_data.empty() || lpFaceName == NULL)
    return FALSE;
  const BYTE* pOld = m_data.data();
  TemplateLayout layout = ParseLayout(pOld);
  bool bHadFont = (layout.dwStyle & DS_SETFONT) != 0;

  std::vector<BYTE> data(pOld, pOld + layout.offFont);
  WriteAt<DWORD>(data.data(), StyleOffset(layout.bEx), layout.dwStyle | DS_SETFONT);
  auto appendWord = [&data](WORD w) {
    data.push_back(LOBYTE(w));
    data.push_back(HIBYTE(w));
  };
  appendWord(nFontSize);
  if (layout.bEx) {
    // Weight, italic and character set stay as they were.
    WORD wWeight = bHadFont ? ReadAt<WORD>(pOld, layout.offFont + 2) : (WORD)FW_NORMAL;
    BYTE bItalic = bHadFont ? pOld[layout.offFont + 4] : 0;
    BYTE bCharSet = bHadFont ? pOld[layout.offFont + 5] : (BYTE)DEFAULT_CHARSET;
    appendWord(wWeight);
    data.push_back(bItalic);
    data.push_back(bCharSet);
  }
  for (wchar_t ch : ToWide(lpFaceName))
    appendWord((WORD)ch);
  appendWord(0);
  data.resize(AlignDword(data.size()), 0);
  data.insert(data.end(), pOld + layout.offItems, pOld + layout.offEnd);
  m_data.swap(data);
  return TRUE;
}

BOOL CDialogTemplate::SetSystemFont(WORD nFontSize) {
  LOGFONTA lf = {};
  HFONT hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  if (hFont == NULL || ::GetObjectA(hFont, sizeof(lf), &lf) == 0)
    lstrcpynA(lf.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
  if (nFontSize == 0) {
    nFontSize = 8;
    if (lf.lfHeight != 0) {
      HDC hDC = ::GetDC(NULL);
      int nHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
      nFontSize = (WORD)::MulDiv(nHeight, 72, ::GetDeviceCaps(hDC, LOGPIXELSY));
      ::ReleaseDC(NULL, hDC);
    }
  }
  m_bSystemFont = TRUE;
  return SetFont(lf.lfFaceName, nFontSize);
}

void CDialogTemplate::GetSizeInDialogUnits(SIZE* pSize) const {
  pSize->cx = pSize->cy = 0;
  if (m_data.empty())
    return;
  size_t off = RectOffset(IsEx());
  pSize->cx = ReadAt<short>(m_data.data(), off + 4);
  pSize->cy = ReadAt<short>(m_data.data(), off + 6);
}

void CDialogTemplate::GetSizeInPixels(SIZE* pSize) const {
  GetSizeInDialogUnits(pSize);
  int cxBase = LOWORD(::GetDialogBaseUnits());
  int cyBase = HIWORD(::GetDialogBaseUnits());
  CString strFace;
  WORD nSize = 0;
  if (GetFont(strFace, nSize)) {
    // Base units of the template's font, measured as the dialog manager does.
    HDC hDC = ::GetDC(NULL);
    int nHeight = -::MulDiv(nSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
    HFONT hFont = ::CreateFontA(nHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, strFace);
    if (hFont != NULL) {
      HGDIOBJ hOld = ::SelectObject(hDC, hFont);
      TEXTMETRICA tm;
      SIZE size;
      static const char szAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
      if (::GetTextMetricsA(hDC, &tm) && ::GetTextExtentPoint32A(hDC, szAlphabet, 52, &size)) {
        cxBase = (size.cx / 26 + 1) / 2;
        cyBase = tm.tmHeight;
      }
      ::SelectObject(hDC, hOld);
      ::DeleteObject(hFont);
    }
    ::ReleaseDC(NULL, hDC);
  }
  pSize->cx = ::MulDiv(pSize->cx, cxBase, 4);
  pSize->cy = ::MulDiv(pSize->cy, cyBase, 8);
}

// ---------------------------------------------------------------------------------------------
// DLGINIT

namespace {

// Runs DLGINIT records from p, of which at most cbLimit bytes may be read: the end of the data
// ends the records as a zero id does, and a record that would run past it is refused.
BOOL ExecuteDlgInitData(CWnd* pWnd, const BYTE* p, size_t cbLimit) {
  BOOL bSuccess = TRUE;
  if (p != NULL) {
    for (;;) {
      if (cbLimit < sizeof(WORD) || ReadAt<WORD>(p, 0) == 0)
        break;
      if (cbLimit < 8) {
        bSuccess = FALSE;
        break;
      }
      WORD nIDC = ReadAt<WORD>(p, 0);
      WORD nMsg = ReadAt<WORD>(p, 2);
      DWORD dwLen = ReadAt<DWORD>(p, 4);
      if (dwLen > cbLimit - 8) {
        bSuccess = FALSE;
        break;
      }
      p += 8;
      cbLimit -= 8 + static_cast<size_t>(dwLen);
      // The data need not be terminated in the resource.
      std::string text(reinterpret_cast<const char*>(p), dwLen);
      text = text.c_str();
      p += dwLen;

      LRESULT lResult = 0;
      switch (nMsg) {
      case 0x0401:
        lResult = pWnd->SendDlgItemMessage(nIDC, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        break;
      case 0x0403:
        lResult = pWnd->SendDlgItemMessage(nIDC, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        break;
      case 0x1234: {
        COMBOBOXEXITEMA item = {};
        item.mask = CBEIF_TEXT;
        item.iItem = -1;
        item.pszText = &text[0];
        lResult = pWnd->SendDlgItemMessage(nIDC, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        break;
      }
      default:
        continue; // other messages carry nothing this program uses
      }
      if (lResult == -1) {
        bSuccess = FALSE;
        break;
      }
    }
  }
  // The controls are complete now: let them finish their own set-up.
  if (bSuccess)
    pWnd->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
  return bSuccess;
}

} // namespace

BOOL AfxExecuteDlgInit(CWnd* pWnd, LPCSTR lpszResourceName) {
  const BYTE* p = NULL;
  size_t cb = 0;
  if (lpszResourceName != NULL) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, RT_DLGINIT);
    if (hResource != NULL) {
      HGLOBAL hData = ::LoadResource(hInst, hResource);
      if (hData == NULL)
        return FALSE;
      p = static_cast<const BYTE*>(::LockResource(hData));
      if (p == NULL)
        return FALSE;
      cb = ::SizeofResource(hInst, hResource);
    }
  }
  return ExecuteDlgInitData(pWnd, p, cb);
}

// Data in memory comes from the program itself and carries no size: it ends at its zero id.
BOOL AfxExecuteDlgInit(CWnd* pWnd, void* lpResource) {
  return ExecuteDlgInitData(pWnd, static_cast<const BYTE*>(lpResource), static_cast<size_t>(-1));
}
