#include "tests/unit/toolkit/controls/buttons_support.h"

#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "tests/unit/toolkit/controls/buttons_res.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <algorithm>

namespace buttons_support {

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
  TheTestApp();                                    // its pump offers messages to the buttons' key handling
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
  return (int)std::count_if(m_log.begin(), m_log.end(), [&](const MSG& r) {
    return r.message == WM_COMMAND && LOWORD(r.wParam) == nId && HIWORD(r.wParam) == BN_CLICKED;
  });
}

int CButtonsDlg::WaitClicks(UINT nId, int n) const {
  PumpUntil([&] { return Clicks(nId) >= n; }, n == 0 ? 300 : 5000);
  return Clicks(nId);
}

std::vector<MSG> CButtonsDlg::Messages(UINT nMsg) const {
  std::vector<MSG> got;
  std::copy_if(m_log.begin(), m_log.end(), std::back_inserter(got),
               [&](const MSG& r) { return r.message == nMsg; });
  return got;
}

LRESULT CButtonsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool bColour = message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged ||
                       message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally;
  if (bColour || message == WM_COMMAND)
    m_log.push_back({m_hWnd, message, wParam, lParam});
  return bColour ? 0 : CDialog::WindowProc(message, wParam, lParam);
}

void Key(UINT nVirtKey, bool bDown) {
  INPUT in = {INPUT_KEYBOARD};
  in.ki = {(WORD)nVirtKey, (WORD)::MapVirtualKeyA(nVirtKey, 0), bDown ? 0u : (DWORD)KEYEVENTF_KEYUP};
  ::SendInput(1, &in, sizeof(in));
  PumpUntil([&] {
    return ((::GetAsyncKeyState((int)nVirtKey) & 0x8000) != 0) == bDown &&
           HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
  });
}

void PressKey(UINT nVirtKey) {
  Key(nVirtKey, true);
  Key(nVirtKey, false);
}

void ClickCentre(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  colorctrl_support::Click(hWnd, rc.right / 2, rc.bottom / 2);
}

int CountColour(HWND hWnd, COLORREF clr) {
  const pixel_support::Pixels px = colorctrl_support::ClientPixels(hWnd);
  return (int)std::count(px.data.begin(), px.data.end(), clr);
}

CExtPopupMenuWnd* WaitForPopup(int nTimeoutMs) {
  const CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  auto shown = [&] {
    return site.m_pTrackedMenu != NULL && ::IsWindowVisible(site.m_pTrackedMenu->GetSafeHwnd());
  };
  return PumpUntil([&] { return shown() && site.m_pAnimatedMenu == NULL; }, nTimeoutMs) ? site.m_pTrackedMenu
                                                                                        : NULL;
}

void CloseMenus() {
  CExtPopupMenuWnd::CancelAllTracking();
  PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
}

} // namespace buttons_support
