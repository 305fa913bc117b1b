// Dialog data exchange and validation.
#include "framework/dlg/dlgimpl.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {
// The texts the user sees when a value is refused.
const char kEnterInteger[] = "Please enter an integer.";
const char kEnterPositiveInteger[] = "Please enter a positive integer.";
const char kEnterNumber[] = "Please enter a number.";
const char kEnterIntegerRange[] = "Please enter an integer between %s and %s.";
const char kEnterNumberRange[] = "Please enter a number between %s and %s.";
const char kEnterMaxChars[] = "Enter no more than %d characters.";
// The significant digits of a double (DBL_DIG): a typed number comes back as it was typed.
const char kDoubleFormat[] = "%.15g";

CString WindowText(HWND hWnd) {
  CString text;
  int nLen = ::GetWindowTextLengthA(hWnd);
  if (nLen > 0) {
    ::GetWindowTextA(hWnd, text.GetBuffer(nLen), nLen + 1);
    text.ReleaseBuffer();
  }
  return text;
}

// Sets a control's text only when it changes, so that loading does not cause needless
// change notifications and repainting.
void SetWindowTextIfChanged(HWND hWnd, LPCSTR lpszText) {
  if (WindowText(hWnd) != lpszText)
    ::SetWindowTextA(hWnd, lpszText);
}

CString ClassName(HWND hWnd) {
  char szClass[64] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  return CString(szClass);
}

[[noreturn]] void FailWith(CDataExchange* pDX, LPCSTR lpszText) {
  AfxMessageBox(lpszText, MB_ICONEXCLAMATION);
  pDX->Fail();
}

// Strict parsing: optional surrounding blanks, nothing else after the number.
bool ParseSigned(LPCSTR psz, long long minVal, long long maxVal, long long& value) {
  while (*psz == ' ' || *psz == '\t')
    ++psz;
  if (*psz == '\0')
    return false;
  char* pEnd = NULL;
  errno = 0;
  long long v = std::strtoll(psz, &pEnd, 10);
  if (pEnd == psz || errno == ERANGE)
    return false;
  while (*pEnd == ' ' || *pEnd == '\t')
    ++pEnd;
  if (*pEnd != '\0' || v < minVal || v > maxVal)
    return false;
  value = v;
  return true;
}

bool ParseUnsigned(LPCSTR psz, unsigned long long maxVal, unsigned long long& value) {
  while (*psz == ' ' || *psz == '\t')
    ++psz;
  if (*psz == '-' || *psz == '\0')
    return false;
  char* pEnd = NULL;
  errno = 0;
  unsigned long long v = std::strtoull(psz, &pEnd, 10);
  if (pEnd == psz || errno == ERANGE)
    return false;
  while (*pEnd == ' ' || *pEnd == '\t')
    ++pEnd;
  if (*pEnd != '\0' || v > maxVal)
    return false;
  value = v;
  return true;
}

template <typename T>
void TextSigned(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long v = 0;
    if (!ParseSigned(WindowText(hWndCtrl), minVal, maxVal, v))
      FailWith(pDX, kEnterInteger);
    value = (T)v;
  } else {
    char sz[32];
    wsprintfA(sz, "%ld", (long)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

template <typename T> void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxVal) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    unsigned long long v = 0;
    if (!ParseUnsigned(WindowText(hWndCtrl), maxVal, v))
      FailWith(pDX, kEnterPositiveInteger);
    value = (T)v;
  } else {
    char sz[32];
    wsprintfA(sz, "%lu", (unsigned long)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

void FailRange(CDataExchange* pDX, LPCSTR lpszFormat, LPCSTR lpszMin, LPCSTR lpszMax) {
  CString text;
  text.Format(lpszFormat, lpszMin, lpszMax);
  FailWith(pDX, text);
}

// Refuses a saved value outside [minVal, maxVal]; lpszBoundFormat prints one bound for the user.
template <typename T>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, LPCSTR lpszBoundFormat, LPCSTR lpszFormat) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
    return;
  CString strMin, strMax;
  strMin.Format(lpszBoundFormat, minVal);
  strMax.Format(lpszBoundFormat, maxVal);
  FailRange(pDX, lpszFormat, strMin, strMax);
}
} // namespace

// ---------------------------------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
  if (hWndCtrl == NULL)
    AfxThrowNotSupportedException(); // the template lacks the control: a program error
  m_idLastControl = nIDC;
  m_hWndLastControl = hWndCtrl;
  m_bEditLastControl = FALSE;
  return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWndCtrl = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWndCtrl;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_hWndLastControl != NULL && ::IsWindow(m_hWndLastControl)) {
    ::SetFocus(m_hWndLastControl);
    if (m_bEditLastControl)
      ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
  }
  AfxThrowUserException();
}

// ---------------------------------------------------------------------------------------------

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  // Exchanges run on every activation; the control is subclassed only the first time.
  if (rControl.m_hWnd == NULL && !rControl.SubclassWindow(hWndCtrl))
    AfxThrowNotSupportedException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = WindowText(hWndCtrl);
  else
    SetWindowTextIfChanged(hWndCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }

void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }

void DDX_Text(CDataExchange* pDX, int nIDC, short& value) {
  TextSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextUnsigned(pDX, nIDC, value, UINT_MAX); }

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { TextUnsigned(pDX, nIDC, value, ULONG_MAX); }

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    unsigned long long v = 0;
    if (!ParseUnsigned(WindowText(hWndCtrl), 255, v))
      FailRange(pDX, kEnterIntegerRange, "0", "255");
    value = (BYTE)v;
  } else {
    char sz[8];
    wsprintfA(sz, "%u", (UINT)value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
  HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    CString text = WindowText(hWndCtrl);
    LPCSTR psz = text;
    while (*psz == ' ' || *psz == '\t')
      ++psz;
    char* pEnd = NULL;
    double d = std::strtod(psz, &pEnd);
    while (*pEnd == ' ' || *pEnd == '\t')
      ++pEnd;
    if (pEnd == psz || *pEnd != '\0')
      FailWith(pDX, kEnterNumber);
    value = d;
  } else {
    char sz[64];
    std::snprintf(sz, sizeof(sz), kDoubleFormat, value);
    SetWindowTextIfChanged(hWndCtrl, sz);
  }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
  } else {
    if (value < 0 || value > 2)
      value = 0; // not a check state
    ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
  }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = -1;
  // The group runs from nIDC to the next control with WS_GROUP; only radio buttons count.
  int iButton = 0;
  do {
    if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
      if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
          value = iButton;
      } else {
        ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
      }
      ++iButton;
    }
    hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
  } while (hWndCtrl != NULL && !(::GetWindowLongA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
  else
    ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

namespace {
bool IsDropList(HWND hWndCombo) { return (::GetWindowLongA(hWndCombo, GWL_STYLE) & 3) == CBS_DROPDOWNLIST; }

CString ComboSelection(HWND hWndCtrl) {
  if (!IsDropList(hWndCtrl))
    return WindowText(hWndCtrl);
  int nIndex = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
  return nIndex != CB_ERR ? AfxGetListItemText(hWndCtrl, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex) : CString();
}

void ComboLoad(HWND hWndCtrl, const CString& value, UINT nFindMsg) {
  int nIndex = (int)::SendMessageA(hWndCtrl, nFindMsg, (WPARAM)-1, reinterpret_cast<LPARAM>((LPCSTR)value));
  if (nIndex != CB_ERR) {
    ::SendMessageA(hWndCtrl, CB_SETCURSEL, nIndex, 0);
  } else if (!IsDropList(hWndCtrl)) {
    SetWindowTextIfChanged(hWndCtrl, value);
  } else {
    ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)-1, 0);
  }
}

// The string exchanges differ only in how loading finds the item (nFindMsg).
void ComboString(CDataExchange* pDX, int nIDC, CString& value, UINT nFindMsg) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  pDX->m_bEditLastControl = !IsDropList(hWndCtrl);
  if (pDX->m_bSaveAndValidate)
    value = ComboSelection(hWndCtrl);
  else
    ComboLoad(hWndCtrl, value, nFindMsg);
}
} // namespace

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  ComboString(pDX, nIDC, value, CB_FINDSTRING);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) {
  ComboString(pDX, nIDC, value, CB_FINDSTRINGEXACT);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
  else
    ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    int nIndex = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    value = nIndex != LB_ERR ? AfxGetListItemText(hWndCtrl, LB_GETTEXTLEN, LB_GETTEXT, nIndex) : CString();
  } else {
    int nIndex =
        (int)::SendMessageA(hWndCtrl, LB_FINDSTRING, (WPARAM)-1, reinterpret_cast<LPARAM>((LPCSTR)value));
    ::SendMessageA(hWndCtrl, LB_SETCURSEL, nIndex == LB_ERR ? (WPARAM)-1 : (WPARAM)nIndex, 0);
  }
}

void DDX_Slider(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = (int)::SendMessageA(hWndCtrl, TBM_GETPOS, 0, 0);
  else
    ::SendMessageA(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void DDX_Scroll(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = ::GetScrollPos(hWndCtrl, SB_CTL);
  else
    ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

// ---------------------------------------------------------------------------------------------

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
  CheckRange(pDX, value, minVal, maxVal, "%d", kEnterIntegerRange);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  CheckRange(pDX, value, minVal, maxVal, "%u", kEnterIntegerRange);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  CheckRange(pDX, value, minVal, maxVal, "%ld", kEnterIntegerRange);
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  CheckRange(pDX, value, minVal, maxVal, "%lu", kEnterIntegerRange);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal) {
  CheckRange(pDX, value, minVal, maxVal, kDoubleFormat, kEnterNumberRange);
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars) {
  if (pDX->m_bSaveAndValidate) {
    if (value.GetLength() > nChars) {
      CString text;
      text.Format(kEnterMaxChars, nChars);
      FailWith(pDX, text);
    }
    return;
  }
  // Loading: stop the user typing more than the member may hold.
  HWND hWndCtrl = pDX->m_hWndLastControl;
  if (hWndCtrl == NULL || !pDX->m_bEditLastControl)
    return;
  CString strClass = ClassName(hWndCtrl);
  if (strClass.CompareNoCase("ComboBox") == 0)
    ::SendMessageA(hWndCtrl, CB_LIMITTEXT, nChars, 0);
  else
    ::SendMessageA(hWndCtrl, EM_LIMITTEXT, nChars, 0);
}
