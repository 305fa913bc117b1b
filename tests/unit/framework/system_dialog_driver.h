// Drives the system's own dialogs (file, colour, print), which run their own modal loops.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

// Presses a dialog button by posting the click the button itself would send; answers whether it
// was posted.
inline bool ClickButton(HWND hDlg, int nID) {
  return ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID))) != FALSE;
}

// A driver action that presses the button nID.
inline std::function<bool(HWND)> Press(int nID) {
  return [nID](HWND hDlg) { return ClickButton(hDlg, nID); };
}

// A thread timer hands each shown dialog box of the thread (titled lpszTitle, when given) to the
// action until the action answers true for it; m_nDialogs counts the boxes answered. A box not
// answered, or still there, after about five seconds is cancelled.
class CSystemDialogDriver {
public:
  explicit CSystemDialogDriver(std::function<bool(HWND hDlg)> action, LPCSTR lpszTitle = NULL)
      : m_action(std::move(action)), m_lpszTitle(lpszTitle) {
    s_pActive = this;
    m_nTimer = ::SetTimer(NULL, 0, 10, TimerProc);
  }
  ~CSystemDialogDriver() {
    ::KillTimer(NULL, m_nTimer);
    s_pActive = NULL;
  }
  int m_nDialogs = 0;

private:
  static BOOL CALLBACK FindShownDialog(HWND hWnd, LPARAM lParam) {
    char szClass[16] = "", szTitle[64] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    CSystemDialogDriver* pThis = s_pActive;
    if (lstrcmpA(szClass, "#32770") != 0 || !::IsWindowVisible(hWnd) ||
        (pThis->m_lpszTitle != NULL && lstrcmpA(szTitle, pThis->m_lpszTitle) != 0))
      return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
  }
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD) {
    CSystemDialogDriver* pThis = s_pActive;
    HWND hDlg = NULL;
    if (pThis == NULL)
      return;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&hDlg));
    if (hDlg == NULL)
      return;
    if (hDlg != pThis->m_hDlg) {
      pThis->m_hDlg = hDlg;
      pThis->m_nTicks = 0;
      pThis->m_bAnswered = false;
    }
    if (!pThis->m_bAnswered && pThis->m_action(hDlg)) {
      pThis->m_bAnswered = true;
      ++pThis->m_nDialogs;
    } else if (++pThis->m_nTicks == 500) {
      ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    }
  }
  static inline CSystemDialogDriver* s_pActive = NULL;
  std::function<bool(HWND)> m_action;
  LPCSTR m_lpszTitle;
  UINT_PTR m_nTimer = 0;
  HWND m_hDlg = NULL;
  bool m_bAnswered = false;
  int m_nTicks = 0;
};
