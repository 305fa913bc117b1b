#include "tests/unit/app/tray_support.h"

namespace {

BOOL WINAPI FakeShellNotifyIcon(DWORD dwMessage, PNOTIFYICONDATAA pData) {
  FakeShell& shell = FakeShell::Get();
  const auto key = std::make_pair(pData->hWnd, pData->uID);
  const bool bPresent = shell.icons.count(key) != 0;
  BOOL bResult = FALSE;
  if (!shell.bRefuse) {
    if (dwMessage == NIM_ADD && !bPresent)
      bResult = shell.icons.insert(key).second;
    else if (dwMessage == NIM_MODIFY)
      bResult = bPresent;
    else if (dwMessage == NIM_DELETE)
      bResult = shell.icons.erase(key) != 0;
  }
  shell.calls.push_back({dwMessage, pData->cbSize, pData->hWnd, pData->uID, pData->uFlags,
                         pData->uCallbackMessage, pData->hIcon, pData->szTip, bResult});
  return bResult;
}

BOOL WINAPI RecordAnimation(HWND, int, const RECT* lprcFrom, const RECT* lprcTo) {
  TrayFixtureBase::Animations().push_back({CRect(*lprcFrom), CRect(*lprcTo)});
  return TRUE;
}

} // namespace

FakeShell& FakeShell::Get() {
  static FakeShell shell;
  return shell;
}

std::vector<DWORD> FakeShell::Messages() const {
  std::vector<DWORD> messages;
  for (const Call& call : calls)
    messages.push_back(call.dwMessage);
  return messages;
}

TrayFixtureBase::TrayFixtureBase()
    : m_pfnOldShell(CSystemTray::s_pfnShellNotifyIcon), m_pfnOldAnimate(CSystemTray::s_pfnDrawAnimatedRects) {
  FakeShell::Get() = FakeShell();
  Animations().clear();
  CSystemTray::s_pfnShellNotifyIcon = FakeShellNotifyIcon;
  CSystemTray::s_pfnDrawAnimatedRects = RecordAnimation;
}

TrayFixtureBase::~TrayFixtureBase() {
  CSystemTray::s_pfnShellNotifyIcon = m_pfnOldShell;
  CSystemTray::s_pfnDrawAnimatedRects = m_pfnOldAnimate;
}

std::vector<TrayFixtureBase::Animation>& TrayFixtureBase::Animations() {
  static std::vector<Animation> animations;
  return animations;
}

BOOL CCommandSink::OnCommand(WPARAM wParam, LPARAM) {
  commands.push_back(LOWORD(wParam));
  return TRUE;
}
