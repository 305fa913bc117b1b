// Stand-ins for the shell's notification area (Xvfb has none) and for the caption animation, put
// in place of the tray's calls for a test's lifetime.
#pragma once

#include "app/SystemTray.h"

#include <set>
#include <utility>
#include <vector>

// Every call is recorded; an icon is added once and modified or deleted only while present.
struct FakeShell {
  struct Call {
    DWORD dwMessage;
    NOTIFYICONDATAA nid;
    BOOL bResult;
  };
  std::vector<Call> calls;
  std::set<std::pair<HWND, UINT>> icons;
  bool bRefuse = false;
  std::vector<std::pair<CRect, CRect>> animations; // from, to

  static FakeShell& Get() {
    static FakeShell shell;
    return shell;
  }
  std::vector<DWORD> Messages() const {
    std::vector<DWORD> messages;
    for (const Call& call : calls)
      messages.push_back(call.dwMessage);
    return messages;
  }
  static BOOL WINAPI Notify(DWORD dwMessage, PNOTIFYICONDATAA pData) {
    FakeShell& shell = Get();
    const auto key = std::make_pair(pData->hWnd, pData->uID);
    BOOL bResult = FALSE;
    if (!shell.bRefuse && dwMessage == NIM_ADD)
      bResult = shell.icons.insert(key).second;
    else if (!shell.bRefuse)
      bResult = dwMessage == NIM_MODIFY ? shell.icons.count(key) : shell.icons.erase(key);
    shell.calls.push_back({dwMessage, *pData, bResult});
    return bResult;
  }
  static BOOL WINAPI Animate(HWND, int, const RECT* lprcFrom, const RECT* lprcTo) {
    Get().animations.emplace_back(*lprcFrom, *lprcTo);
    return TRUE;
  }
};

struct FakeShellInPlace {
  FakeShellInPlace() {
    FakeShell::Get() = FakeShell();
    CSystemTray::s_pfnShellNotifyIcon = FakeShell::Notify;
    CSystemTray::s_pfnDrawAnimatedRects = FakeShell::Animate;
  }
  ~FakeShellInPlace() {
    CSystemTray::s_pfnShellNotifyIcon = ::Shell_NotifyIconA;
    CSystemTray::s_pfnDrawAnimatedRects = ::DrawAnimatedRects;
  }
};
