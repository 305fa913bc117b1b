// A stand-in for the shell's notification area and a window that records the commands it gets;
// the tray tests drive the icon through them, since Xvfb has no tray.
#pragma once

#include "app/SystemTray.h"
#include "tests/common/window_support.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// The shell as the icon sees it: every call is recorded; an icon is added once, modified or
// deleted only while present, and everything fails while it refuses.
struct FakeShell {
  struct Call {
    DWORD dwMessage;
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    std::string strTip;
    BOOL bResult;
  };
  std::vector<Call> calls;
  std::set<std::pair<HWND, UINT>> icons;
  bool bRefuse = false;

  static FakeShell& Get();
  std::vector<DWORD> Messages() const;
  // The shell restarts: every icon is gone.
  void Restart() { icons.clear(); }
};

// Puts the fake shell and a recorder of animations in place for a test's lifetime.
class TrayFixtureBase {
public:
  TrayFixtureBase();
  ~TrayFixtureBase();
  struct Animation {
    CRect rcFrom, rcTo;
  };
  static std::vector<Animation>& Animations();

private:
  CSystemTray::ShellNotifyIconFn m_pfnOldShell;
  CSystemTray::DrawAnimatedRectsFn m_pfnOldAnimate;
};

// A top-level window that records the commands posted to it.
class CCommandSink : public CHostWnd {
public:
  std::vector<UINT> commands;

protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
