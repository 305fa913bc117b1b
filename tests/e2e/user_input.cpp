// Input as the user gives it to windows that must have taken the keyboard by themselves: nothing
// is made active first, keys go through the X server to the window it gives them to, and a window
// that is not active where it should be is named with the one that is.
#include "tests/e2e/e2e_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

namespace e2e {

std::string DescribeWindow(HWND hWnd) {
  if (hWnd == NULL)
    return "no window";
  char szText[128] = "";
  ::GetWindowTextA(hWnd, szText, sizeof(szText));
  DWORD dwPid = 0, dwShell = 0;
  ::GetWindowThreadProcessId(hWnd, &dwPid);
  ::GetWindowThreadProcessId(::GetDesktopWindow(), &dwShell);
  std::ostringstream out;
  out << "the " << ClassOf(hWnd) << " window \"" << szText << "\" at " << ToString(ScreenRect(hWnd))
      << (dwPid == dwShell                   ? " of the shell"
          : dwPid == ::GetCurrentProcessId() ? " of the test"
                                             : "")
      << " (process " << dwPid << ")";
  return out.str();
}

::testing::AssertionResult IsActiveWindow(HWND hWnd, const std::string& what) {
  if (WaitFor([hWnd] { return ::GetForegroundWindow() == hWnd; }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << " is not the active window: " << DescribeWindow(::GetForegroundWindow()) << " is";
}

namespace {

// What xdotool says of the window X gives the keyboard to ("getwindowname" or nothing for its id).
std::string XFocus(const std::string& what) {
  char szDisplay[32] = "";
  ::GetEnvironmentVariableA("DISPLAY", szDisplay, sizeof(szDisplay));
  std::string display = szDisplay;
  display = display.substr(display.find(':') + 1);
  const std::string file = "/tmp/pix_xfocus_" + display.substr(0, display.find('.')) + "_" +
                           std::to_string(::GetCurrentProcessId());
  if (!XPointer("getwindowfocus " + what + " >" + file))
    return std::string();
  std::string path = "Z:" + file;
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string line;
  std::getline(std::ifstream(path), line);
  ::DeleteFileA(path.c_str());
  return line;
}

} // namespace

std::string XKeyboardWindow() { return "\"" + XFocus("getwindowname") + "\""; }

namespace {

// Whether the X window named by focus is the window's own: Wine keeps the X window of a top-level
// window in a property of it.
bool IsXWindowOf(HWND hWnd, const std::string& focus) {
  const auto xWindow =
      hWnd != NULL ? reinterpret_cast<ULONG_PTR>(::GetPropA(hWnd, "__wine_x11_whole_window")) : 0;
  return xWindow != 0 && focus == std::to_string(xWindow);
}

BOOL CALLBACK AddWindow(HWND hWnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
  return TRUE;
}

} // namespace

::testing::AssertionResult HasXKeyboard(HWND hWnd, const std::string& what, HWND hOr) {
  if (WaitFor([&] {
        const std::string focus = XFocus("");
        return IsXWindowOf(hWnd, focus) || IsXWindowOf(hOr, focus);
      }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "X does not give the keyboard to " << what << ", but to " << XKeyboardWindow();
}

::testing::AssertionResult PressXHotKey(WORD wVk, UINT nMods) {
  // A window of Wine's must have X's keyboard, or the key goes past Wine. In a virtual desktop X
  // gives it to the desktop's one window.
  const auto wines = [](const std::string& focus) {
    std::vector<HWND> windows = {::GetDesktopWindow()};
    ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
    return std::any_of(windows.begin(), windows.end(), [&](HWND hWnd) { return IsXWindowOf(hWnd, focus); });
  };
  if (!WaitFor([&] { return wines(XFocus("")); }))
    return ::testing::AssertionFailure()
           << "X gives the keyboard to no window of Wine's but to " << XKeyboardWindow();
  std::string keys;
  for (const auto& mod : {std::make_pair(MOD_CONTROL, "ctrl+"), std::make_pair(MOD_SHIFT, "shift+"),
                          std::make_pair(MOD_ALT, "alt+")})
    if (nMods & mod.first)
      keys += mod.second;
  return XKeys(keys + (char)std::tolower(wVk));
}

::testing::AssertionResult GetsXKeys(HWND hBox, const std::string& what) {
  // The box must be the active window of its thread, and X's keyboard with a window of that thread.
  const DWORD dwThread = ::GetWindowThreadProcessId(hBox, NULL);
  const auto ofThread = [dwThread](const std::string& focus) {
    std::vector<HWND> windows;
    ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
    return std::any_of(windows.begin(), windows.end(), [&](HWND hWnd) {
      return ::GetWindowThreadProcessId(hWnd, NULL) == dwThread && IsXWindowOf(hWnd, focus);
    });
  };
  if (WaitFor([&] { return GuiState(hBox).hwndActive == hBox && ofThread(XFocus("")); }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the keys X gives do not reach " << what << ": X gives them to " << XKeyboardWindow()
         << ", and the active window of its thread is " << DescribeWindow(GuiState(hBox).hwndActive);
}

HWND CPixolet::WaitForOverlayShown() const {
  const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  HWND hOverlay = NULL;
  WaitFor([&] {
    hOverlay = TopWindow([&](HWND hWnd) {
      CRect rc;
      return hWnd != m_hFrame && ClassOf(hWnd) == "#32770" && ::GetWindowRect(hWnd, &rc) && rc == screen;
    });
    return hOverlay != NULL;
  });
  return hOverlay;
}

::testing::AssertionResult CPixolet::MarkAsUser(const std::string& steps) {
  int x = 0, y = 0;
  if (std::sscanf(steps.c_str(), "%*c%d,%d", &x, &y) == 2)
    XMoveMouse(x, y);
  const HWND hOverlay = WaitForOverlayShown();
  if (hOverlay == NULL)
    return ::testing::AssertionFailure() << "no capture overlay";
  ::testing::AssertionResult active = IsActiveWindow(hOverlay, "the capture overlay");
  if (!active)
    return active;
  SendXSteps(steps, hOverlay);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult CPixolet::XMenu(char cPopup, char cItem) {
  ::testing::AssertionResult active = IsActiveWindow(m_hFrame, "the program's frame");
  if (!active)
    return active;
  ::testing::AssertionResult sent = XKeys(std::string("alt+") + (char)std::tolower(cPopup));
  if (!sent)
    return sent;
  HWND hPopup = NULL;
  if (!WaitFor([&] { return (hPopup = ShownMenu()) != NULL; }))
    return ::testing::AssertionFailure() << "Alt+" << cPopup << " opened no menu; the active window is "
                                         << DescribeWindow(::GetForegroundWindow());
  WaitFor([&] { return Painted(m_hFrame) && Painted(hPopup); });
  WaitUntilUnfolded(hPopup);
  sent = XKeys(std::string(1, (char)std::tolower(cItem)));
  if (!sent)
    return sent;
  return WaitUntil(
      std::string("the menu to close after ") + cPopup + ", " + cItem,
      [hPopup] { return !::IsWindowVisible(hPopup); }, 3000);
}

} // namespace e2e
