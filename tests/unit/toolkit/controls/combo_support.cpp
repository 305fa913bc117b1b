#include "tests/unit/toolkit/controls/combo_support.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <commctrl.h>

#include <thread>

namespace combo_support {

CComboHost::~CComboHost() {
  if (m_hWnd != NULL) {
    g_CmdManagerHolder->RemoveWindow(m_hWnd);
    DestroyWindow();
  }
}

bool CComboHost::Open(bool bProfile, bool bSubclass) {
  if (!CreateHost("combo host", WS_OVERLAPPEDWINDOW, 420, 260) ||
      (bProfile && !g_CmdManagerHolder->SetupProfile("combo_tests", m_hWnd)))
    return false;
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN;
  const bool bCombo = bSubclass
                          ? m_combo.SubclassWindow(::CreateWindowA("COMBOBOX", "", dwStyle, 20, 20, 200, 140,
                                                                   m_hWnd, (HMENU)3001, NULL, NULL))
                          : m_combo.Create(dwStyle, CRect(20, 20, 220, 160), this, 3001);
  if (!bCombo ||
      !m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(20, 80, 220, 104), this,
                     3002) ||
      !m_other.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(240, 20, 380, 44), this, 3003))
    return false;
  for (const char* pszItem : {"apple", "abc", "banana"})
    m_combo.AddString(pszItem);
  ShowWindow(SW_SHOW);
  UpdateWindow();
  ::SetForegroundWindow(m_hWnd);
  m_other.SetFocus();
  return PumpUntil([&] { return ::GetForegroundWindow() == m_hWnd && ::GetFocus() == m_other.m_hWnd; });
}

bool CComboHost::SetClipboard(const char* pszText) {
  m_other.SetWindowText(pszText != NULL ? pszText : "");
  m_other.SetSel(0, -1);
  m_other.Copy();
  if (pszText == NULL && ::OpenClipboard(m_hWnd)) {
    ::EmptyClipboard();
    ::CloseClipboard();
  }
  return (::IsClipboardFormatAvailable(CF_TEXT) != FALSE) == (pszText != NULL);
}

bool CComboHost::FocusCombo() {
  m_combo.SetFocus();
  return PumpUntil([&] { return ::GetFocus() == m_combo.m_wndInnerEdit.m_hWnd; });
}

std::string Text(CWnd* pWnd) {
  CString s;
  pWnd->GetWindowText(s);
  return std::string((LPCSTR)s);
}

void Chord(UINT nModifier, UINT nVirtKey) {
  std::thread([=] {
    for (UINT n : {nModifier, nVirtKey, nVirtKey + 0x100, nModifier + 0x100}) // 0x100: released
      ::keybd_event((BYTE)n, (BYTE)::MapVirtualKeyA(n & 0xFF, 0), n > 0xFF ? KEYEVENTF_KEYUP : 0, 0);
  }).join();
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

LRESULT CALLBACK CountProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR nMessage,
                           DWORD_PTR pnCount) {
  if (message == nMessage)
    ++*reinterpret_cast<int*>(pnCount);
  return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

MenuSeen* s_pSeen = NULL;
UINT s_nCloseKey = VK_ESCAPE;
bool s_bRead = false;

bool PlatformMenuShown() {
  const HWND hWnd = ::FindWindowA("#32768", NULL);
  return hWnd != NULL && ::IsWindowVisible(hWnd);
}

// Runs from the modal loop of whichever menu opened.
void CALLBACK ReadTrackedMenu(HWND, UINT, UINT_PTR nIdEvent, DWORD) {
  const CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  CExtPopupMenuWnd* pMenu = site.m_pTrackedMenu;
  s_pSeen->bPlatformMenu = PlatformMenuShown();
  if (!s_pSeen->bPlatformMenu &&
      (pMenu == NULL || site.m_pAnimatedMenu != NULL || !::IsWindowVisible(pMenu->GetSafeHwnd())))
    return;
  s_bRead = true;
  ::KillTimer(NULL, nIdEvent);
  for (int i = 0; !s_pSeen->bPlatformMenu && i < pMenu->GetItemCount(); ++i) {
    const bool bCommand = pMenu->ItemGetCmdID(i) != 0;
    s_pSeen->sTexts += (i == 0 ? "" : "|") + std::string(bCommand ? (LPCSTR)pMenu->ItemGetText(i) : "-");
    if (bCommand)
      s_pSeen->sEnabled += pMenu->ItemIsEnabled(i) ? '1' : '0';
  }
  real_input::Key(s_pSeen->bPlatformMenu ? VK_ESCAPE : s_nCloseKey);
}

} // namespace

int CountMessages(HWND hWnd, UINT nMessage, const std::function<void()>& fn) {
  int nCount = 0;
  ::SetWindowSubclass(hWnd, CountProc, nMessage, reinterpret_cast<DWORD_PTR>(&nCount));
  fn();
  ::RemoveWindowSubclass(hWnd, CountProc, nMessage);
  return nCount;
}

MenuSeen RightClickMenu(CPoint ptScreen, UINT nCloseKey) {
  MenuSeen seen;
  s_pSeen = &seen;
  s_nCloseKey = nCloseKey;
  s_bRead = false;
  const UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, ReadTrackedMenu);
  if (RestPointer(ptScreen)) {
    real_input::Button(MOUSEEVENTF_RIGHTDOWN);
    real_input::Button(MOUSEEVENTF_RIGHTUP);
    PumpUntil([] { return s_bRead && !CExtPopupMenuWnd::AnyMenuTracked() && !PlatformMenuShown(); });
  }
  ::KillTimer(NULL, nTimer);
  s_pSeen = NULL;
  return seen;
}

} // namespace combo_support
