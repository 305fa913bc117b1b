#include "tests/unit/toolkit/controls/buttons_support.h"

#include "tests/common/input_support.h"
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "tests/unit/toolkit/controls/buttons_res.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <algorithm>

namespace buttons_support {

namespace {

// Keys are delivered once the key is where it was sent and nothing waits in the queue any more.
bool WaitForKey(UINT nVirtKey, bool bDown) {
  return PumpUntil([&] {
    return ((::GetAsyncKeyState((int)nVirtKey) & 0x8000) != 0) == bDown &&
           HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
  });
}

void SendKey(UINT nVirtKey, bool bUp) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = static_cast<WORD>(nVirtKey);
  in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(nVirtKey, 0));
  in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &in, sizeof(in));
}

struct PopupSearch {
  CExtPopupMenuWnd* pFound = NULL;
};

BOOL CALLBACK FindPopupProc(HWND hWnd, LPARAM lParam) {
  if (!::IsWindowVisible(hWnd))
    return TRUE;
  auto* pSearch = reinterpret_cast<PopupSearch*>(lParam);
  pSearch->pFound = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(hWnd));
  return pSearch->pFound == NULL;
}

} // namespace

BEGIN_MESSAGE_MAP(CButtonsDlg, CDialog)
ON_COMMAND_RANGE(ID_BUTTONS_ITEM_ONE, ID_BUTTONS_ITEM_TWO, OnMenuItem)
END_MESSAGE_MAP()

CButtonsDlg::CButtonsDlg() : CDialog(IDD_BUTTONS_HOST), m_nNextId(IDC_BUTTONS_FIRST) {}

CButtonsDlg::~CButtonsDlg() {
  if (GetSafeHwnd() == NULL)
    return;
  g_CmdManagerHolder->RemoveWindow(m_hWnd, true, NULL);
  DestroyWindow();
}

bool CButtonsDlg::Open() {
  // The pump offers messages to the buttons' own key handling through the thread object.
  TheTestApp();
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false; // as the program sets it
  if (!Create(IDD_BUTTONS_HOST, NULL) || !g_CmdManagerHolder->SetupProfile("buttons-test", m_hWnd))
    return false;
  SetWindowPos(NULL, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(SW_SHOW);
  ::SetForegroundWindow(m_hWnd);
  UpdateWindow();
  if (!PumpUntil([&] { return ::GetActiveWindow() == m_hWnd; }))
    return false;
  // A real click on the dialog's empty corner makes it the window the system sends keys to.
  colorctrl_support::Click(m_hWnd, 2, 2);
  return true;
}

bool CButtonsDlg::Add(CExtButton& btn, DWORD dwStyle, LPCSTR lpszText, const RECT& rc, int nCheck) {
  const UINT nId = m_nNextId++;
  HWND hWnd = ::CreateWindowExA(0, "Button", lpszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | dwStyle, rc.left,
                                rc.top, rc.right - rc.left, rc.bottom - rc.top, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)), NULL, NULL);
  if (hWnd == NULL)
    return false;
  ::SendMessageA(hWnd, WM_SETFONT, SendMessage(WM_GETFONT), FALSE);
  ::SendMessageA(hWnd, BM_SETCHECK, nCheck, 0);
  return btn.SubclassWindow(hWnd) != FALSE;
}

int CButtonsDlg::Clicks(UINT nId) const {
  return (int)std::count_if(m_log.begin(), m_log.end(), [&](const Received& r) {
    return r.nMsg == WM_COMMAND && LOWORD(r.wParam) == nId && HIWORD(r.wParam) == BN_CLICKED;
  });
}

std::vector<Received> CButtonsDlg::Messages(UINT nMsg) const {
  std::vector<Received> got;
  std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(got),
               [&](const Received& r) { return r.nMsg == nMsg; });
  return got;
}

LRESULT CButtonsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    m_log.push_back({message, wParam, lParam});
  } else if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
             message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally) {
    m_log.push_back({message, wParam, lParam});
    return 0;
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

void PressKey(UINT nVirtKey) {
  KeyDown(nVirtKey);
  KeyUp(nVirtKey);
}

void KeyDown(UINT nVirtKey) {
  SendKey(nVirtKey, false);
  WaitForKey(nVirtKey, true);
}

void KeyUp(UINT nVirtKey) {
  SendKey(nVirtKey, true);
  WaitForKey(nVirtKey, false);
}

void ClickCentre(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  colorctrl_support::Click(hWnd, rc.right / 2, rc.bottom / 2);
}

CExtPopupMenuWnd* WaitForPopup(int nTimeoutMs) {
  PopupSearch search;
  PumpUntil(
      [&] {
        search.pFound = NULL;
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindPopupProc, reinterpret_cast<LPARAM>(&search));
        // Input waits until the opening animation is over.
        return search.pFound != NULL && CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
      },
      nTimeoutMs);
  return search.pFound;
}

void CloseMenus() {
  CExtPopupMenuWnd::CancelAllTracking();
  PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
}

} // namespace buttons_support
