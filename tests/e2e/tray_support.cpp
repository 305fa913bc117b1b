#include "tests/e2e/tray_support.h"

#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/common/resend_log.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>

namespace e2e {

namespace {

BOOL CALLBACK AddTopWindow(HWND hWnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
  return TRUE;
}

} // namespace

bool CallShell(DWORD dwMessage, HWND hWnd) {
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = hWnd;
  data.uID = IDR_TRAY_MENU;
  return ::Shell_NotifyIconA(dwMessage, &data) != FALSE;
}

bool ShellHoldsIcon(HWND hWnd) { return CallShell(NIM_MODIFY, hWnd); }

HWND ShownTrayWindow() { return VisibleWindowOfClass("__winex11_standalone_tray"); }

std::vector<HWND> ShownTrayIcons() {
  std::vector<HWND> icons;
  const HWND hTray = ShownTrayWindow();
  for (HWND hIcon = hTray != NULL ? ::GetWindow(hTray, GW_CHILD) : NULL; hIcon != NULL;
       hIcon = ::GetWindow(hIcon, GW_HWNDNEXT))
    if (::IsWindowVisible(hIcon) && ClassOf(hIcon) == "__winex11_tray_icon")
      icons.push_back(hIcon);
  return icons;
}

::testing::AssertionResult Until(const std::string& what, const std::function<void()>& act,
                                 const std::function<bool()>& done) {
  for (int nTry = 0; nTry < 3; nTry++) {
    if (nTry > 0)
      resend_log::Note("no " + what + " yet: made again");
    act();
    if (WaitFor(done, 3000))
      return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "no " << what;
}

::testing::AssertionResult PickByKey(HWND hMenu, WORD wKey) {
  if (hMenu == NULL)
    return ::testing::AssertionFailure() << "no menu to pick from";
  return Until(
      "menu closed by its key", [=] { PressKey(wKey); }, [=] { return !::IsWindowVisible(hMenu); });
}

::testing::AssertionResult TrayTest::StartWithIcon() {
  m_iconsBefore = ShownTrayIcons();
  ::testing::AssertionResult started = m_app.Start();
  if (!started)
    return started;
  m_hTray = NULL;
  WaitFor([&] { return (m_hTray = IconWindow()) != NULL; });
  if (m_hTray == NULL)
    return ::testing::AssertionFailure() << "the shell holds no icon of the program";
  return ::testing::AssertionSuccess();
}

std::vector<HWND> TrayTest::ProgramWindows() const {
  DWORD dwPid = 0;
  ::GetWindowThreadProcessId(m_app.Frame(), &dwPid);
  std::vector<HWND> all, mine;
  ::EnumWindows(AddTopWindow, reinterpret_cast<LPARAM>(&all));
  std::copy_if(all.begin(), all.end(), std::back_inserter(mine), [&](HWND hWnd) {
    DWORD dwOwner = 0;
    ::GetWindowThreadProcessId(hWnd, &dwOwner);
    return dwOwner == dwPid;
  });
  return mine;
}

HWND TrayTest::IconWindow() const {
  const std::vector<HWND> windows = ProgramWindows();
  auto found = std::find_if(windows.begin(), windows.end(), ShellHoldsIcon);
  return found != windows.end() ? *found : NULL;
}

void TrayTest::IconMouse(UINT nMessage) { ::PostMessageA(m_hTray, UM_TRAY_NOTIFY, IDR_TRAY_MENU, nMessage); }

HWND TrayTest::OpenTrayMenu() {
  MoveMouse(kIconClickAt.x, kIconClickAt.y);
  IconMouse(WM_RBUTTONUP);
  HWND hMenu = NULL;
  if (WaitFor([&] { return (hMenu = m_app.ShownMenu()) != NULL; }))
    Settled([&] { return ReadScreen(ScreenRect(hMenu)); });
  return hMenu;
}

size_t TrayTest::Overlays() const {
  const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  const std::vector<HWND> windows = ProgramWindows();
  return std::count_if(windows.begin(), windows.end(), [&](HWND hWnd) {
    return ::IsWindowVisible(hWnd) && ClassOf(hWnd) == "#32770" && ScreenRect(hWnd) == screen;
  });
}

CRect TrayTest::CaptureBar() const {
  CRect bar;
  for (HWND hBar : m_app.Descendants(AFX_IDW_TOOLBAR)) {
    const CRect rc = ScreenRect(hBar);
    if (::IsWindowVisible(hBar) && (bar.IsRectEmpty() || rc.Width() < bar.Width()))
      bar = rc;
  }
  return bar;
}

::testing::AssertionResult TrayTest::PickFromCaptureArrow(WORD wKey) {
  const CRect bar = CaptureBar();
  const CPoint arrow = DropDownArrow(bar);
  if (arrow.x < bar.left)
    return ::testing::AssertionFailure() << "no arrow on the capture bar";
  const std::string click = "C" + std::to_string(arrow.x) + "," + std::to_string(arrow.y);
  HWND hMenu = NULL;
  ::testing::AssertionResult opened = Until(
      "capture menu", [&] { SendXSteps(click, m_app.Frame()); },
      [&] { return (hMenu = m_app.ShownMenu()) != NULL; });
  if (!opened)
    return opened;
  WaitUntilUnfolded(hMenu);
  return PickByKey(hMenu, wKey);
}

::testing::AssertionResult TrayTest::DoubleClickShownIcon() {
  HWND hIcon = NULL;
  if (!WaitFor([&] {
        for (HWND hShown : ShownTrayIcons())
          if (std::find(m_iconsBefore.begin(), m_iconsBefore.end(), hShown) == m_iconsBefore.end())
            hIcon = hShown;
        return hIcon != NULL;
      }))
    return ::testing::AssertionFailure() << "the program's icon is not shown in the tray window";
  // The program's thread has ended what it was doing (hiding the frame), which would take the
  // activation back from a click made meanwhile.
  SyncInput(m_app.Frame());
  const HWND hTrayWindow = ::GetParent(hIcon);
  const CRect tray = ScreenRect(hTrayWindow);
  SendXSteps("C" + std::to_string(tray.CenterPoint().x) + "," + std::to_string(tray.top + 8), hTrayWindow);
  ::testing::AssertionResult active = IsActiveWindow(hTrayWindow, "the tray window");
  if (!active)
    return active;
  const CPoint icon = ScreenRect(hIcon).CenterPoint();
  if (::WindowFromPoint(icon) != hIcon)
    return ::testing::AssertionFailure() << "the icon lies under " << DescribeWindow(::WindowFromPoint(icon));
  XMoveMouse(icon.x, icon.y);
  return XPointer("click --repeat 2 --delay 80 1");
}

} // namespace e2e
