#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

LRESULT CScriptedDialog::OnKickIdle(WPARAM, LPARAM) {
  if (m_nKicks++ == 0)
    SetTimer(0x5A, 20, NULL); // watchdog only: keeps idle passes coming
  if (m_nKicks > kMaxKicks) {
    EndDialog(-2);
    return 0;
  }
  if (m_script)
    m_script(*this);
  return 0;
}

// ---------------------------------------------------------------------------------------------

CSystemDialogDriver* CSystemDialogDriver::s_pActive = NULL;

CSystemDialogDriver::CSystemDialogDriver(std::function<bool(HWND)> action) : m_action(std::move(action)) {
  s_pActive = this;
  m_hHook = ::SetWindowsHookExA(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId());
  m_nTimer = ::SetTimer(NULL, 0, 10, TimerProc);
}

CSystemDialogDriver::~CSystemDialogDriver() {
  if (m_nTimer != 0)
    ::KillTimer(NULL, m_nTimer);
  if (m_hHook != NULL)
    ::UnhookWindowsHookEx(m_hHook);
  s_pActive = NULL;
}

LRESULT CALLBACK CSystemDialogDriver::CbtProc(int nCode, WPARAM wParam, LPARAM lParam) {
  CSystemDialogDriver* pThis = s_pActive;
  if (pThis != NULL && nCode == HCBT_CREATEWND && pThis->m_hDlg == NULL) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    char szClass[16] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    const CBT_CREATEWNDA* pCreate = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    if (lstrcmpA(szClass, "#32770") == 0 && !(pCreate->lpcs->style & WS_CHILD))
      pThis->m_hDlg = hWnd;
  }
  return ::CallNextHookEx(pThis != NULL ? pThis->m_hHook : NULL, nCode, wParam, lParam);
}

void CALLBACK CSystemDialogDriver::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  CSystemDialogDriver* pThis = s_pActive;
  if (pThis == NULL || pThis->m_bDone)
    return;
  ++pThis->m_nAttempts;
  HWND hDlg = pThis->m_hDlg;
  if (hDlg != NULL && ::IsWindow(hDlg) && ::IsWindowVisible(hDlg) && pThis->m_action(hDlg)) {
    pThis->m_bDone = true;
    return;
  }
  if (pThis->m_nAttempts > 1000 && hDlg != NULL && ::IsWindow(hDlg)) {
    pThis->m_bDone = true;
    ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
  }
}

void ClickButton(HWND hDlg, int nID) {
  ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID)));
}

// ---------------------------------------------------------------------------------------------

TemplateBuilder::TemplateBuilder(bool bEx, DWORD dwStyle, const wchar_t* pszTitle, short cx, short cy,
                                 const wchar_t* pszFont, WORD wPointSize)
    : m_bEx(bEx) {
  if (pszFont != nullptr)
    dwStyle |= DS_SETFONT;
  if (bEx) {
    Word(1);
    Word(0xFFFF);
    Dword(0); // help id
    Dword(0); // extended style
    Dword(dwStyle);
  } else {
    Dword(dwStyle);
    Dword(0);
  }
  m_nCountIndex = m_words.size();
  Word(0);
  Word(10);
  Word(10);
  Word((WORD)cx);
  Word((WORD)cy);
  Word(0); // menu
  Word(0); // class
  String(pszTitle);
  if (pszFont != nullptr) {
    Word(wPointSize);
    if (bEx) {
      Word(FW_NORMAL);
      Word(MAKEWORD(0, DEFAULT_CHARSET));
    }
    String(pszFont);
  }
}

void TemplateBuilder::String(const wchar_t* psz) {
  for (; *psz != L'\0'; ++psz)
    Word((WORD)*psz);
  Word(0);
}

void TemplateBuilder::AddItem(WORD wClassOrdinal, const wchar_t* pszText, DWORD dwID, DWORD dwStyle, short x,
                              short y, short cx, short cy) {
  Align();
  dwStyle |= WS_CHILD | WS_VISIBLE;
  if (m_bEx) {
    Dword(0); // help id
    Dword(0);
    Dword(dwStyle);
  } else {
    Dword(dwStyle);
    Dword(0);
  }
  Word((WORD)x);
  Word((WORD)y);
  Word((WORD)cx);
  Word((WORD)cy);
  if (m_bEx)
    Dword(dwID);
  else
    Word((WORD)dwID);
  Word(0xFFFF);
  Word(wClassOrdinal);
  String(pszText);
  Word(0); // no creation data
  ++m_words[m_nCountIndex];
}

void DlgInitBuilder::Add(WORD wID, WORD wMsg, const std::string& data) {
  auto put = [this](const void* p, size_t n) {
    const BYTE* pb = static_cast<const BYTE*>(p);
    m_bytes.insert(m_bytes.end(), pb, pb + n);
  };
  DWORD dwLen = (DWORD)data.size();
  put(&wID, sizeof(wID));
  put(&wMsg, sizeof(wMsg));
  put(&dwLen, sizeof(dwLen));
  put(data.data(), data.size());
}

void* DlgInitBuilder::Get() {
  if (!m_bEnded) {
    m_bytes.push_back(0);
    m_bytes.push_back(0);
    m_bEnded = true;
  }
  return m_bytes.data();
}
