#include "tests/unit/toolkit/controls/combo_support.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <commctrl.h>

#include <thread>

namespace combo_support {

namespace {

const char kProfile[] = "combo_tests";

void SendKeys(std::vector<INPUT> inputs) {
  std::thread([&] { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }).join();
}

INPUT KeyInput(UINT nVirtKey, bool bUp) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = static_cast<WORD>(nVirtKey);
  in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(nVirtKey, 0));
  in.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  return in;
}

} // namespace

const char* const CComboHost::kItems[3] = {"apple", "abc", "banana"};

CComboHost::~CComboHost() {
  if (m_hWnd != NULL) {
    g_CmdManagerHolder->RemoveWindow(m_hWnd);
    DestroyWindow();
  }
}

bool CComboHost::Open(bool bProfile, DWORD dwComboStyle) {
  if (!CreateHost("combo host", WS_OVERLAPPEDWINDOW, 420, 260))
    return false;
  if (bProfile && !g_CmdManagerHolder->SetupProfile(kProfile, m_hWnd))
    return false;
  if (!m_combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | dwComboStyle, CRect(20, 20, 220, 160),
                      this, IDC_COMBO) ||
      !m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 80, 220, 104), this,
                     IDC_EDIT) ||
      !m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(240, 20, 380, 44), this, IDC_OTHER))
    return false;
  for (const char* pszItem : kItems)
    m_combo.AddString(pszItem);
  ShowWindow(SW_SHOW);
  UpdateWindow();
  ::SetForegroundWindow(m_hWnd);
  m_other.SetFocus();
  return PumpUntil([&] { return ::GetForegroundWindow() == m_hWnd && ::GetFocus() == m_other.m_hWnd; });
}

CMessageProbe::CMessageProbe(HWND hWnd, UINT nMessage) : m_hWnd(hWnd), m_nMessage(nMessage) {
  ::SetWindowSubclass(m_hWnd, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
}

CMessageProbe::~CMessageProbe() { ::RemoveWindowSubclass(m_hWnd, Proc, 1); }

LRESULT CALLBACK CMessageProbe::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR dwThis) {
  CMessageProbe* pThis = reinterpret_cast<CMessageProbe*>(dwThis);
  if (message == pThis->m_nMessage)
    ++pThis->m_nCount;
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

std::string Text(CWnd* pWnd) {
  CString s;
  pWnd->GetWindowText(s);
  return std::string((LPCSTR)s);
}

void Chord(UINT nModifier, UINT nVirtKey) {
  SendKeys({KeyInput(nModifier, false), KeyInput(nVirtKey, false), KeyInput(nVirtKey, true),
            KeyInput(nModifier, true)});
}

void Type(const char* pszLetters) {
  for (const char* p = pszLetters; *p != '\0'; ++p)
    real_input::Key((UINT)(*p - 'a' + 'A'));
}

bool RestPointer(CPoint ptScreen) {
  real_input::MoveTo(ptScreen);
  return PumpUntil([&] {
    POINT pt;
    return ::GetCursorPos(&pt) && pt.x == ptScreen.x && pt.y == ptScreen.y;
  });
}

namespace {

std::vector<MenuItemSeen>* s_pSeen = NULL;
UINT s_nCloseKey = VK_ESCAPE;
bool s_bRead = false;
bool s_bPlatformMenu = false;

HWND FindPlatformMenu() {
  const HWND hWnd = ::FindWindowA("#32768", NULL);
  return hWnd != NULL && ::IsWindowVisible(hWnd) ? hWnd : NULL;
}

// Runs from the modal loop of whichever menu opened.
void CALLBACK ReadTrackedMenu(HWND, UINT, UINT_PTR nIdEvent, DWORD) {
  if (!s_bRead && FindPlatformMenu() != NULL) {
    s_bRead = s_bPlatformMenu = true;
    ::KillTimer(NULL, nIdEvent);
    real_input::Key(VK_ESCAPE);
    return;
  }
  const CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  CExtPopupMenuWnd* pMenu = site.m_pTrackedMenu;
  if (s_bRead || pMenu == NULL || site.m_pAnimatedMenu != NULL || !::IsWindowVisible(pMenu->GetSafeHwnd()))
    return;
  s_bRead = true;
  ::KillTimer(NULL, nIdEvent);
  for (int i = 0; i < pMenu->GetItemCount(); ++i)
    s_pSeen->push_back(
        {pMenu->ItemGetCmdID(i), std::string((LPCSTR)pMenu->ItemGetText(i)), pMenu->ItemIsEnabled(i)});
  real_input::Key(s_nCloseKey);
}

} // namespace

std::vector<MenuItemSeen> RightClickMenu(CPoint ptScreen, UINT nCloseKey, bool* pbPlatformMenu) {
  std::vector<MenuItemSeen> seen;
  s_pSeen = &seen;
  s_nCloseKey = nCloseKey;
  s_bRead = s_bPlatformMenu = false;
  const UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, ReadTrackedMenu);
  if (RestPointer(ptScreen)) {
    real_input::Button(MOUSEEVENTF_RIGHTDOWN);
    real_input::Button(MOUSEEVENTF_RIGHTUP);
    PumpUntil([] { return s_bRead && !CExtPopupMenuWnd::AnyMenuTracked() && FindPlatformMenu() == NULL; });
  }
  ::KillTimer(NULL, nTimer);
  s_pSeen = NULL;
  if (pbPlatformMenu != NULL)
    *pbPlatformMenu = s_bPlatformMenu;
  return seen;
}

} // namespace combo_support
