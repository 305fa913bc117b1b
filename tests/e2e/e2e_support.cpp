#include "tests/e2e/e2e_support.h"

#include "framework/wnd/fw_ids.h"
#include "tests/e2e/display_report.h"
#include "tests/common/object_counts.h"
#include "tests/common/resend_log.h"
#include "tests/common/watchdog.h"

#include <commctrl.h>
#include <winternl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace e2e {

namespace {

// Longer than several frames of a themed menu's unfolding.
const int kMenuStillMs = 150;

// The program's registry key under HKEY_CURRENT_USER, its options in a subkey.
const char kProgramKey[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture";
const char kOptionsKey[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture\\Options";
const char kFrameTitle[] = "Vantrel Pixolet Screen Capture";

DWORD PidOf(HWND hWnd) {
  DWORD dwPid = 0;
  ::GetWindowThreadProcessId(hWnd, &dwPid);
  return dwPid;
}

void SendMouse(DWORD dwFlags, int x, int y) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  if (cx <= 0 || cy <= 0)
    return; // no screen to scale to: the wait for the move's effect names it
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  // The absolute scale that lands on exactly this pixel.
  input.mi.dx = (LONG)(((LONGLONG)x * 65536 + cx - 1) / cx);
  input.mi.dy = (LONG)(((LONGLONG)y * 65536 + cy - 1) / cy);
  ::SendInput(1, &input, sizeof(INPUT));
}

void SendKey(WORD wVk, bool bDown) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = wVk;
  input.ki.wScan = (WORD)::MapVirtualKeyA(wVk, 0);
  const bool bExtended = wVk == VK_LEFT || wVk == VK_RIGHT || wVk == VK_UP || wVk == VK_DOWN ||
                         wVk == VK_DELETE || wVk == VK_INSERT || wVk == VK_HOME || wVk == VK_END;
  input.ki.dwFlags = (bDown ? 0 : KEYEVENTF_KEYUP) | (bExtended ? KEYEVENTF_EXTENDEDKEY : 0);
  ::SendInput(1, &input, sizeof(INPUT));
}

void DeleteKeyTree(HKEY hParent, const char* pszName) {
  HKEY hKey;
  if (::RegOpenKeyExA(hParent, pszName, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
    return;
  char szSub[256];
  for (DWORD cch = sizeof(szSub);
       ::RegEnumKeyExA(hKey, 0, szSub, &cch, NULL, NULL, NULL, NULL) == ERROR_SUCCESS; cch = sizeof(szSub))
    DeleteKeyTree(hKey, szSub);
  ::RegCloseKey(hKey);
  ::RegDeleteKeyA(hParent, pszName);
}

// Private bytes as the kernel counts them, as Wine's GetProcessMemoryInfo does not.
SIZE_T PrivateBytes(HANDLE hProcess) {
  VM_COUNTERS vm = {};
  ULONG nLength = 0;
  if (::NtQueryInformationProcess(hProcess, (PROCESSINFOCLASS)3 /*ProcessVmCounters*/, &vm, sizeof(vm),
                                  &nLength) != 0)
    return 0;
  return vm.PagefileUsage; // the committed private memory
}

BOOL CALLBACK EnumProc(HWND hWnd, LPARAM lParam) {
  (*reinterpret_cast<const std::function<void(HWND)>*>(lParam))(hWnd);
  return TRUE;
}

// Every top-level window of this thread's desktop.
void ForEachTopWindow(const std::function<void(HWND)>& fn) {
  ::EnumWindows(EnumProc, reinterpret_cast<LPARAM>(&fn));
}

DWORD WINAPI RunBody(LPVOID pParam) {
  (*static_cast<const std::function<void()>*>(pParam))();
  return 0;
}

// A popup menu on the screen: the system's own, or one of the themed menus, which are captionless
// popups of a framework class registered with CS_SAVEBITS ("fw:<instance>:800...").
bool IsPopupMenu(HWND hWnd) {
  const std::string cls = ClassOf(hWnd);
  if (cls == "#32768")
    return true;
  const LONG nStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
  return cls.compare(0, 3, "fw:") == 0 && (::GetClassLongA(hWnd, GCL_STYLE) & CS_SAVEBITS) != 0 &&
         (nStyle & WS_POPUP) != 0 && (nStyle & WS_CAPTION) == 0;
}

// The first descendant of hParent with the id; the themed frame keeps some bars inside others.
HWND FindDescendant(HWND hParent, int nId) {
  for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(h) == nId)
      return h;
    if (HWND hFound = FindDescendant(h, nId))
      return hFound;
  }
  return NULL;
}

// Every descendant of hParent with the id, in z-order, into found.
void CollectDescendants(HWND hParent, int nId, std::vector<HWND>& found) {
  for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(h) == nId)
      found.push_back(h);
    CollectDescendants(h, nId, found);
  }
}

// Whether the frame has laid out its row of document tabs: shown, with a place of its own beside
// the MDI client. The row comes in a layout pass after the document opens, and moves the view.
bool TabRowLaidOut(HWND hFrame, HWND hClient) {
  HWND hTabs = ::FindWindowExA(hFrame, NULL, "Corvane-TabWindow", NULL);
  CRect tabs, client, common;
  return hTabs != NULL && ::IsWindowVisible(hTabs) && ::GetWindowRect(hTabs, &tabs) && !tabs.IsRectEmpty() &&
         ::GetWindowRect(hClient, &client) && !common.IntersectRect(&tabs, &client);
}

void CountWindows(HWND hParent, DWORD& n) {
  for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    n++;
    CountWindows(h, n);
  }
}

} // namespace

bool WaitFor(const std::function<bool()>& pred, int nTimeoutMs) {
  for (DWORD dwStart = ::GetTickCount();;) {
    for (MSG msg; ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);)
      ::DispatchMessageA(&msg);
    if (pred())
      return true;
    if ((int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return pred();
    // Another process brings the effect: look again when this thread has messages or soon.
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
  }
}

::testing::AssertionResult WaitUntil(const std::string& what, const std::function<bool()>& pred,
                                     int nTimeoutMs) {
  if (WaitFor(pred, nTimeoutMs))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "timed out waiting for " << what;
}

void MoveMouse(int x, int y) {
  SendMouse(0, x, y);
  WaitFor([=] {
    POINT pt;
    return ::GetCursorPos(&pt) && pt.x == x && pt.y == y;
  });
}

void PressKey(WORD wVk, UINT nMods) {
  const std::pair<UINT, WORD> kMods[] = {
      {MOD_CONTROL, VK_CONTROL}, {MOD_SHIFT, VK_SHIFT}, {MOD_ALT, VK_MENU}};
  for (const auto& mod : kMods)
    if (nMods & mod.first)
      SendKey(mod.second, true);
  SendKey(wVk, true);
  SendKey(wVk, false);
  for (const auto& mod : kMods)
    if (nMods & mod.first)
      SendKey(mod.second, false);
}

void TypeText(const std::string& text) {
  for (char c : text) {
    SHORT scan = ::VkKeyScanA(c);
    PressKey((WORD)(scan & 0xFF), (scan & 0x100) ? MOD_SHIFT : 0);
  }
}

GUITHREADINFO GuiState(HWND hWnd) {
  GUITHREADINFO info = {sizeof(info)};
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info);
  return info;
}

// Makes the window's top-level window the active one of its thread and the foreground window,
// after the thread has read the window system's pending events. Under Wine without a window manager
// a late focus event can leave the program with no active window; a press would then have to
// activate it, and Wine drops a press whose activation fails.
void SendSteps(const std::string& steps, HWND hWnd) {
  std::istringstream in(steps);
  for (std::string step; in >> step;) {
    int x = 0, y = 0;
    std::sscanf(step.c_str() + 1, "%d,%d", &x, &y);
    if (step == "Enter" || step == "Esc")
      PressKey(step == "Enter" ? VK_RETURN : VK_ESCAPE);
    else if (step[0] == 'M')
      MoveMouse(x, y);
    // A press or release moves the pointer in the same input, so no late report of an older
    // position can come between the move and the button.
    if (step[0] == 'P' || step[0] == 'C')
      SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
    if (step[0] == 'R' || step[0] == 'C')
      SendMouse(MOUSEEVENTF_LEFTUP, x, y);
    SyncInput(hWnd);
  }
}

::testing::AssertionResult XPointer(const std::string& args) {
  // Wine starts Unix programs, but their process handles never signal: a shell runs xdotool and
  // then leaves its exit status in a file of its own, which says it has ended.
  // Named for the X display too: runs side by side, each on its own display and Wine server, may
  // give their test programs the same process id.
  static int s_nCall = 0;
  char szDisplay[32] = "";
  ::GetEnvironmentVariableA("DISPLAY", szDisplay, sizeof(szDisplay));
  std::string display = szDisplay;
  display = display.substr(display.find(':') + 1);
  display = display.substr(0, display.find('.'));
  const std::string status = "/tmp/pix_xdotool_" + display + "_" + std::to_string(::GetCurrentProcessId()) +
                             "_" + std::to_string(++s_nCall);
  std::string statusPath = "Z:" + status;
  std::replace(statusPath.begin(), statusPath.end(), '/', '\\');
  if (!real_input::StartXdotool(args, "; echo $? >" + status + ".new && mv " + status + ".new " + status))
    return ::testing::AssertionFailure() << "cannot run xdotool " << args << ": error " << ::GetLastError();
  std::string code;
  if (!WaitFor([&] {
        std::ifstream in(statusPath);
        return bool(std::getline(in, code));
      }))
    return ::testing::AssertionFailure() << "xdotool " << args << " did not end";
  ::DeleteFileA(statusPath.c_str());
  if (code != "0")
    return ::testing::AssertionFailure() << "xdotool " << args << " ended with " << code;
  return ::testing::AssertionSuccess();
}

void XMoveMouse(int x, int y) {
  EXPECT_TRUE(XPointer("mousemove " + std::to_string(x) + " " + std::to_string(y)));
  EXPECT_TRUE(WaitUntil("the pointer at " + std::to_string(x) + "," + std::to_string(y), [=] {
    POINT pt;
    return ::GetCursorPos(&pt) && pt.x == x && pt.y == y;
  }));
}

::testing::AssertionResult XKeys(const std::string& keys) { return XPointer("key " + keys); }

::testing::AssertionResult XType(const std::string& text) {
  // The names xdotool knows the keys by; it presses Shift itself where a key needs it.
  static const std::map<char, std::string> kNames = {
      {':', "colon"}, {'\\', "backslash"}, {'.', "period"}, {'_', "underscore"},
      {'-', "minus"}, {' ', "space"},      {'/', "slash"},  {'~', "asciitilde"}};
  std::string keys;
  for (char c : text) {
    const auto named = kNames.find(c);
    if (named == kNames.end() && !std::isalnum((unsigned char)c))
      return ::testing::AssertionFailure() << "no X name for the key of '" << c << "'";
    keys += (keys.empty() ? "" : " ") + (named != kNames.end() ? named->second : std::string(1, c));
  }
  return XKeys(keys);
}

namespace {

// Presses or releases the left button through X and waits until the window system has it: the
// program under the pointer reads X's events in its own time, and input sent past X meanwhile (a
// key, a menu's shortcut) would come before the button it followed. A release read late landed on
// the item of a menu opened by keys after it. One that never comes is a failure that names where
// it went.
::testing::AssertionResult XLeftButton(bool bDown) {
  const char* pszWhat = bDown ? "press" : "release";
  ::testing::AssertionResult sent = XPointer(bDown ? "mousedown 1" : "mouseup 1");
  if (!sent)
    return sent;
  if (WaitFor([bDown] { return ((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == bDown; }))
    return ::testing::AssertionSuccess();
  POINT pt = {};
  ::GetCursorPos(&pt);
  const HWND hUnder = ::WindowFromPoint(pt), hTop = ::GetAncestor(hUnder, GA_ROOT);
  ::testing::AssertionResult lost = ::testing::AssertionFailure();
  lost << "the " << pszWhat << " of the left button at " << pt.x << "," << pt.y
       << " never reached the window system; under the pointer: " << DescribeWindow(hUnder);
  if (hTop != hUnder)
    lost << " in " << DescribeWindow(hTop);
  return lost;
}

} // namespace

void SendXSteps(const std::string& steps, HWND hWnd) {
  std::istringstream in(steps);
  for (std::string step; in >> step;) {
    int x = 0, y = 0;
    std::sscanf(step.c_str() + 1, "%d,%d", &x, &y);
    if (step == "Enter" || step == "Esc" || step == "AltF4") {
      EXPECT_TRUE(XKeys(step == "Enter" ? "Return" : step == "Esc" ? "Escape" : "alt+F4"));
    } else {
      XMoveMouse(x, y);
      const auto button = [&](bool bDown) {
        const ::testing::AssertionResult arrived = XLeftButton(bDown);
        if (!arrived)
          ADD_FAILURE() << arrived.message() << " (step " << step << ")";
        return bool(arrived);
      };
      // The steps after a lost button would act on a state the test no longer knows.
      if ((step[0] == 'P' || step[0] == 'C') && !button(true))
        return;
      if ((step[0] == 'R' || step[0] == 'C') && !button(false))
        return;
    }
    SyncInput(hWnd);
  }
}

void XClickInto(HWND hWnd, int x) {
  ASSERT_NE(nullptr, hWnd);
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  SendXSteps("C" + std::to_string(rc.left + x) + "," + std::to_string(rc.CenterPoint().y), hWnd);
}

std::string ProgramFolder() {
  char szExe[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
  std::string folder = szExe;
  return folder.substr(0, folder.find_last_of('\\'));
}

void DeleteProgramKey() { DeleteKeyTree(HKEY_CURRENT_USER, kProgramKey); }

bool ReadOption(const char* pszName, DWORD& dwValue) {
  DWORD dwSize = sizeof(dwValue), dwType = 0;
  return ::RegGetValueA(HKEY_CURRENT_USER, kOptionsKey, pszName, RRF_RT_REG_DWORD, &dwType, &dwValue,
                        &dwSize) == ERROR_SUCCESS;
}

void WriteOption(const char* pszName, DWORD dwValue) {
  HKEY hKey;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL) !=
      ERROR_SUCCESS)
    return;
  ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
  ::RegCloseKey(hKey);
}

std::string ClassOf(HWND hWnd) {
  char szClass[64] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  return szClass;
}

CPoint DropDownArrow(const CRect& area) {
  CPoint found(-1, -1);
  // Read again until it shows: a bar just laid out or repainted may not have drawn it yet.
  WaitFor([&] {
    const Pixels px = ReadScreen(area);
    auto black = [&](int x, int y) { return x >= 0 && x < px.cx && px.At(x, y) == RGB(0, 0, 0); };
    auto run = [&](int x, int y, int n) { // exactly n black pixels from x, none either side
      for (int i = 0; i < n; i++)
        if (!black(x + i, y))
          return false;
      return !black(x - 1, y) && !black(x + n, y);
    };
    for (int x = 0; x + 5 <= px.cx; x++) // the leftmost: a chevron's triangle lies at a bar's end
      for (int y = 0; y + 2 < px.cy; y++)
        if (run(x, y, 5) && run(x + 1, y + 1, 3) && run(x + 2, y + 2, 1)) {
          found = CPoint(area.left + x + 2, area.top + y + 1);
          return true;
        }
    return false;
  });
  return found;
}

CRect ScreenRect(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  return rc;
}

std::string ToString(const RECT& rc) {
  return "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + ")-(" + std::to_string(rc.right) +
         "," + std::to_string(rc.bottom) + ")";
}

Pixels ReadScreen(const RECT& rc) { return pixel_support::ReadWindow(NULL, rc); }

BarInk ReadBarInk(HWND hBar, bool bTextOnly) {
  const CRect rc = ScreenRect(hBar);
  const Pixels px = ReadScreen(rc);
  auto ink = [&](COLORREF cr) {
    const int r = GetRValue(cr), g = GetGValue(cr), b = GetBValue(cr);
    const bool bGrey = std::max({r, g, b}) - std::min({r, g, b}) <= 24;
    return bTextOnly ? cr == RGB(0, 0, 0) : bGrey && r + g + b < 3 * 200;
  };
  // Rows and columns where a line runs (a border, a tab's edge, taller than the 13 rows of a
  // text line) are no ink either.
  std::vector<bool> line(px.cy);
  for (int y = 0; y < px.cy; y++) {
    int nInk = 0;
    for (int x = 0; x < px.cx; x++)
      nInk += ink(px.At(x, y));
    line[y] = nInk > px.cx / 2;
  }
  BarInk runs;
  int nLast = 0; // the last column with ink
  for (int x = 0; x < px.cx; x++) {
    int nInk = 0;
    bool bText = false;
    for (int y = 0; y < px.cy; y++) {
      nInk += !line[y] && ink(px.At(x, y));
      bText = bText || px.At(x, y) == RGB(0, 0, 0);
    }
    if (nInk == 0 || nInk > 13)
      continue;
    const int nGap = x - nLast - 1;
    nLast = x;
    std::vector<InkRun>& side =
        runs.tail.empty() && (runs.lead.empty() || nGap <= 100) ? runs.lead : runs.tail;
    if (!side.empty() && nGap < 5) {
      side.back().right = rc.left + x;
      side.back().bText = side.back().bText || bText;
    } else {
      side.push_back({rc.left + x, rc.left + x, bText});
    }
  }
  return runs;
}

Expected PixelsOf(const Pixels& px) {
  return [px](int x, int y) { return x < px.cx && y < px.cy ? px.At(x, y) : CLR_INVALID; };
}

Expected PatternOf(const CRect& area, int nSalt) {
  return [=](int x, int y) { return pattern_window::PatternColor(area.left + x, area.top + y, nSalt); };
}

::testing::AssertionResult PixelsAre(const Pixels& px, const Expected& expected) {
  if (px.Empty())
    return ::testing::AssertionFailure() << "no pixels";
  int nDiffer = 0, x0 = -1, y0 = -1;
  for (int y = 0; y < px.cy; y++)
    for (int x = 0; x < px.cx; x++)
      if (px.At(x, y) != expected(x, y) && nDiffer++ == 0) {
        x0 = x;
        y0 = y;
      }
  if (nDiffer == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << nDiffer << " pixels differ, the first at (" << x0 << "," << y0
                                       << "): " << std::hex << px.At(x0, y0) << " not " << expected(x0, y0);
}

Pixels Settled(const std::function<Pixels()>& read, int nStillMs) {
  Pixels last, px;
  DWORD dwSince = ::GetTickCount();
  WaitFor([&] {
    px = read();
    if (px.Empty() || px.data != last.data)
      dwSince = ::GetTickCount();
    const bool bStill = !px.Empty() && px.data == last.data && (int)(::GetTickCount() - dwSince) >= nStillMs;
    last = px;
    return bStill;
  });
  return px;
}

void WaitUntilUnfolded(HWND hMenu) {
  const CRect rc = ScreenRect(hMenu);
  Settled([&] { return ReadScreen(rc); }, kMenuStillMs);
}

void SaveScreenshot(const RECT& rc, const char* pszName) {
  EXPECT_FALSE(pixel_support::SaveBmp(Settled([&] { return ReadScreen(rc); }), pszName).empty()) << pszName;
}

bool Painted(HWND hWnd) {
  RECT rc;
  if (::GetUpdateRect(hWnd, &rc, FALSE))
    return false;
  for (HWND h = ::GetWindow(hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    if (!Painted(h))
      return false;
  return true;
}

bool InputTaken(HWND hLeaf) {
  if (!::InvalidateRect(hLeaf, NULL, FALSE))
    return false;
  return WaitFor([&] { return Painted(hLeaf); });
}

std::string TempPath(const std::string& name) {
  char szTemp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, szTemp);
  return szTemp + name;
}

std::string SaveTempPng(Gdiplus::Bitmap& bitmap, const std::string& name) {
  const std::string path = TempPath(name);
  CLSID png;
  ::CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
  return bitmap.Save(std::wstring(path.begin(), path.end()).c_str(), &png, NULL) == Gdiplus::Ok ? path : "";
}

Pixels ReadPictureFile(const std::string& path) {
  Gdiplus::Bitmap bitmap(std::wstring(path.begin(), path.end()).c_str());
  HBITMAP hBitmap = NULL;
  if (bitmap.GetLastStatus() != Gdiplus::Ok ||
      bitmap.GetHBITMAP(Gdiplus::Color(0, 0, 0), &hBitmap) != Gdiplus::Ok)
    return Pixels();
  const Pixels px = pixel_support::ReadBitmap(hBitmap);
  ::DeleteObject(hBitmap);
  return px;
}

std::string SavePicturePng(const std::string& name, CSize size, const Expected& color) {
  Gdiplus::Bitmap bitmap(size.cx, size.cy, PixelFormat24bppRGB);
  for (int y = 0; y < size.cy; y++)
    for (int x = 0; x < size.cx; x++) {
      const COLORREF cr = color(x, y);
      bitmap.SetPixel(x, y, Gdiplus::Color(GetRValue(cr), GetGValue(cr), GetBValue(cr)));
    }
  return SaveTempPng(bitmap, name);
}

namespace {
const char kOwnProcessVariable[] = "PIX_E2E_OWN_PROCESS";
} // namespace

bool InOwnProcess() {
  char szValue[8];
  return ::GetEnvironmentVariableA(kOwnProcessVariable, szValue, sizeof(szValue)) > 0;
}

bool RunInOwnProcess() {
  if (InOwnProcess())
    return false;
  const ::testing::TestInfo* pInfo = ::testing::UnitTest::GetInstance()->current_test_info();
  char szExe[MAX_PATH + 1] = "";
  const DWORD nExe = ::GetModuleFileNameA(NULL, szExe, MAX_PATH + 1);
  EXPECT_TRUE(nExe > 0 && nExe <= MAX_PATH) << "the test program's own path";
  std::string command =
      std::string("\"") + szExe + "\" --gtest_filter=" + pInfo->test_suite_name() + "." + pInfo->name();
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  // Its output goes where this process's goes.
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi = {};
  std::fflush(stdout);
  ::SetEnvironmentVariableA(kOwnProcessVariable, "1");
  const BOOL bStarted = ::CreateProcessA(NULL, line.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
  ::SetEnvironmentVariableA(kOwnProcessVariable, NULL);
  if (!bStarted) {
    ADD_FAILURE() << "cannot start " << command << ": error " << ::GetLastError();
    return true;
  }
  ::CloseHandle(pi.hThread);
  watchdog::EndWithThisProcess(pi.hProcess);
  EXPECT_TRUE(WaitUntil(
      "the test in its own process to end",
      [&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 300000));
  DWORD dwExit = STILL_ACTIVE;
  ::GetExitCodeProcess(pi.hProcess, &dwExit);
  if (dwExit == STILL_ACTIVE)
    ::TerminateProcess(pi.hProcess, 1);
  watchdog::NoLongerEndWithThisProcess(pi.hProcess);
  ::CloseHandle(pi.hProcess);
  EXPECT_EQ(0u, dwExit) << "the test failed in its own process (its output is above)";
  return true;
}

void RunOnThread(const std::function<void()>& body) {
  HANDLE hThread = ::CreateThread(NULL, 0, RunBody, const_cast<std::function<void()>*>(&body), 0, NULL);
  ASSERT_NE(nullptr, hThread);
  WaitFor([&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, 180000);
  ::CloseHandle(hThread);
}

HWND VisibleWindowOfClass(const char* pszClass) {
  HWND hFound = NULL;
  ForEachTopWindow([&](HWND hWnd) {
    if (hFound == NULL && ::IsWindowVisible(hWnd) && ClassOf(hWnd) == pszClass)
      hFound = hWnd;
  });
  return hFound;
}

// ---------------------------------------------------------------------------------------------
// CNotepad

::testing::AssertionResult CNotepad::Start(const CRect& rc) {
  HKEY hKey;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Notepad", 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                        &hKey, NULL) != ERROR_SUCCESS)
    return ::testing::AssertionFailure() << "cannot write notepad's settings";
  const std::pair<const char*, LONG> kPlace[] = {{"iWindowPosX", rc.left},
                                                 {"iWindowPosY", rc.top},
                                                 {"iWindowPosDX", rc.Width()},
                                                 {"iWindowPosDY", rc.Height()}};
  for (const auto& value : kPlace)
    ::RegSetValueExA(hKey, value.first, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.second),
                     sizeof(DWORD));
  ::RegCloseKey(hKey);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  char szCommand[] = "notepad.exe";
  if (!::CreateProcessA(NULL, szCommand, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    return ::testing::AssertionFailure() << "cannot start notepad: error " << ::GetLastError();
  ::CloseHandle(pi.hThread);
  m_hProcess = pi.hProcess;
  watchdog::EndWithThisProcess(m_hProcess);
  CRect shown;
  if (!WaitFor([&] {
        ForEachTopWindow([&](HWND hWnd) {
          if (m_hFrame == NULL && PidOf(hWnd) == pi.dwProcessId && ClassOf(hWnd) == "Notepad" &&
              ::IsWindowVisible(hWnd))
            m_hFrame = hWnd;
        });
        return m_hFrame != NULL && ::GetWindowRect(m_hFrame, &shown) && shown == rc;
      }))
    return ::testing::AssertionFailure()
           << "notepad did not show at " << ToString(rc) << " but at " << ToString(shown);
  return ::testing::AssertionSuccess();
}

void CNotepad::Kill() {
  if (m_hProcess != NULL) {
    watchdog::NoLongerEndWithThisProcess(m_hProcess);
    ::TerminateProcess(m_hProcess, 1);
    ::WaitForSingleObject(m_hProcess, 10000);
    ::CloseHandle(m_hProcess);
  }
  m_hProcess = NULL;
  m_hFrame = NULL;
}

// ---------------------------------------------------------------------------------------------
// CPixolet

CPixolet::~CPixolet() { Kill(); }

namespace {

// The command that starts the program with the arguments.
std::string ProgramCommand(const std::string& args) {
  return "\"" + ProgramFolder() + "\\pixolet.exe\"" + (args.empty() ? "" : " " + args);
}

// Starts the command in the program's folder.
::testing::AssertionResult Spawn(const std::string& command, PROCESS_INFORMATION& pi) {
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, ProgramFolder().c_str(), &si, &pi))
    return ::testing::AssertionFailure() << "cannot start " << command << ": error " << ::GetLastError();
  ::CloseHandle(pi.hThread);
  watchdog::EndWithThisProcess(pi.hProcess);
  return ::testing::AssertionSuccess();
}

} // namespace

::testing::AssertionResult CPixolet::Launch(const std::string& args) {
  PROCESS_INFORMATION pi = {};
  ::testing::AssertionResult started = Spawn(ProgramCommand(args), pi);
  if (started) {
    m_hProcess = pi.hProcess;
    m_dwPid = pi.dwProcessId;
  }
  return started;
}

::testing::AssertionResult CPixolet::Start(const std::string& args, const std::string& desktop) {
  // The tip of the day comes at start while "ShowTip" is 1, which a first run (no "EnableHotkey")
  // writes.
  DWORD dwValue = 0;
  const bool bTip = ReadOption("ShowTip", dwValue) ? dwValue == 1 : !ReadOption("EnableHotkey", dwValue);
  ::testing::AssertionResult launched = LaunchAndFindFrame(args, desktop);
  if (!launched)
    return launched;
  if (bTip) {
    // Closed as a user closes it, keeping "Show Tip at Startup" as it is.
    HWND hTip = NULL;
    ::testing::AssertionResult tip = WaitForTip(hTip);
    if (!tip)
      return tip;
    ::testing::AssertionResult active = Activate(hTip);
    if (!active)
      return active;
    PressKey(VK_ESCAPE);
    ::testing::AssertionResult closed = WaitUntil("the tip to close", [hTip] { return !::IsWindow(hTip); });
    if (!closed)
      return closed;
  }
  return Activate();
}

::testing::AssertionResult CPixolet::StartWithTip(HWND& hTip) {
  ::testing::AssertionResult launched = LaunchAndFindFrame("", "");
  return launched ? WaitForTip(hTip) : launched;
}

::testing::AssertionResult CPixolet::LaunchAndFindFrame(const std::string& args, const std::string& desktop) {
  std::string command = ProgramCommand(args);
  if (!desktop.empty())
    command = "explorer.exe /desktop=" + desktop + ",1280x1024 " + command;
  PROCESS_INFORMATION pi = {};
  ::testing::AssertionResult started = Spawn(command, pi);
  if (!started)
    return started;
  if (desktop.empty()) {
    m_hProcess = pi.hProcess;
    m_dwPid = pi.dwProcessId;
  } else {
    m_hLauncher = pi.hProcess; // the program is explorer's child: found by its frame
    m_dwPid = 0;
    // explorer makes the desktop; this thread must not pump before it moves there.
    HDESK hDesk = NULL;
    for (DWORD dwStart = ::GetTickCount(); hDesk == NULL && ::GetTickCount() - dwStart < 20000;
         ::WaitForSingleObject(m_hLauncher, 20))
      hDesk = ::OpenDesktopA(desktop.c_str(), 0, FALSE, GENERIC_ALL);
    if (hDesk == NULL || !::SetThreadDesktop(hDesk))
      return ::testing::AssertionFailure()
             << "cannot move to the desktop " << desktop << ": error " << ::GetLastError();
  }
  auto frame = [](HWND hWnd) {
    char szTitle[256] = "";
    ::GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    return std::string(szTitle).compare(0, sizeof(kFrameTitle) - 1, kFrameTitle) == 0;
  };
  if (!WaitFor([&] { return (m_hFrame = TopWindow(frame)) != NULL; }, 30000))
    return ::testing::AssertionFailure() << "no main frame appeared for " << command;
  if (m_hProcess == NULL) {
    m_dwPid = PidOf(m_hFrame);
    m_hProcess = ::OpenProcess(PROCESS_ALL_ACCESS, FALSE, m_dwPid);
    if (m_hProcess != NULL)
      watchdog::EndWithThisProcess(m_hProcess);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult CPixolet::WaitForTip(HWND& hTip) {
  // A first start under a fresh Wine prefix can take long before the tip; a message box that
  // comes first holds the tip back and is told.
  HWND hOther = NULL;
  hTip = NULL;
  WaitFor(
      [&] {
        hOther = TopWindow([](HWND hWnd) { return ClassOf(hWnd) == "#32770"; });
        if (hOther != NULL && Text(hOther).find("Tip of the Day") != std::string::npos)
          std::swap(hTip, hOther);
        return hTip != NULL || hOther != NULL || !Running();
      },
      60000);
  if (hTip == NULL) {
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "no tip of the day at start";
    if (hOther != NULL)
      failure << "; the program shows \"" << Text(hOther) << "\": \"" << Text(::GetDlgItem(hOther, 0xFFFF))
              << "\"";
    else if (!Running())
      failure << "; the program ended";
    return failure;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult CPixolet::Exit() {
  ::testing::AssertionResult menu = Menu('F', 'X');
  if (!menu)
    return menu;
  if (!WaitFor([this] { return !Running(); }, 20000))
    return ::testing::AssertionFailure() << "the program did not end after File, Exit";
  if (m_hLauncher != NULL &&
      !WaitFor([this] { return ::WaitForSingleObject(m_hLauncher, 0) == WAIT_OBJECT_0; }))
    return ::testing::AssertionFailure() << "the virtual desktop stayed after the program ended";
  return ::testing::AssertionSuccess();
}

void CPixolet::Kill() {
  if (m_hProcess != NULL) {
    watchdog::NoLongerEndWithThisProcess(m_hProcess);
    if (Running()) {
      ::TerminateProcess(m_hProcess, 1);
      ::WaitForSingleObject(m_hProcess, 10000);
    }
    ::CloseHandle(m_hProcess); // the status buffer went with the process
    m_hProcess = NULL;
  }
  if (m_hLauncher != NULL) {
    watchdog::NoLongerEndWithThisProcess(m_hLauncher);
    // explorer leaves with the last program of its desktop.
    if (::WaitForSingleObject(m_hLauncher, 10000) == WAIT_TIMEOUT)
      ::TerminateProcess(m_hLauncher, 1);
    ::CloseHandle(m_hLauncher);
    m_hLauncher = NULL;
  }
  m_pRemote = NULL;
  m_probe.reset();
  m_hFrame = NULL;
}

bool CPixolet::Running() const {
  return m_hProcess != NULL && ::WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> CPixolet::Documents() const {
  std::vector<HWND> children;
  HWND hClient = MdiClient();
  for (HWND h = ::GetWindow(hClient, GW_CHILD); hClient != NULL && h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    if (::IsWindowVisible(h))
      children.push_back(h);
  return children;
}

HWND CPixolet::View() const {
  DWORD_PTR nResult = 0;
  ::SendMessageTimeoutA(MdiClient(), WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG, 5000, &nResult);
  return ::GetDlgItem(reinterpret_cast<HWND>(nResult), AFX_IDW_PANE_FIRST);
}

HWND CPixolet::TaskSheetBar() const {
  const int kTaskSheetBarId = 32846;
  for (HWND hBar : Descendants(kTaskSheetBarId))
    if (::IsWindowVisible(hBar))
      return hBar;
  return NULL;
}

std::vector<HWND> CPixolet::InTaskSheet(int nId) const {
  std::vector<HWND> found;
  if (const HWND hBar = TaskSheetBar())
    CollectDescendants(hBar, nId, found);
  return found;
}

HWND CPixolet::ShownInTaskSheet(int nId) const {
  for (HWND hItem : InTaskSheet(nId))
    if (::IsWindowVisible(hItem))
      return hItem;
  return NULL;
}

std::string CPixolet::StatusText(int nPane) const {
  // The status bar writes the text into the caller's buffer: that buffer must lie in the program.
  if (m_pRemote == NULL)
    m_pRemote = ::VirtualAllocEx(m_hProcess, NULL, 4096, MEM_COMMIT, PAGE_READWRITE);
  DWORD_PTR nResult = 0;
  char szText[4096] = "";
  SIZE_T nRead = 0;
  if (m_pRemote == NULL ||
      !::SendMessageTimeoutA(FindDescendant(m_hFrame, AFX_IDW_STATUS_BAR), SB_GETTEXTA, (WPARAM)nPane,
                             reinterpret_cast<LPARAM>(m_pRemote), SMTO_ABORTIFHUNG, 5000, &nResult) ||
      !::ReadProcessMemory(m_hProcess, m_pRemote, szText, sizeof(szText) - 1, &nRead))
    return "(unreadable)";
  return std::string(szText, strnlen(szText, std::min<size_t>(LOWORD(nResult), sizeof(szText) - 1)));
}

std::vector<HWND> CPixolet::Descendants(int nId) const {
  std::vector<HWND> found;
  CollectDescendants(m_hFrame, nId, found);
  // A floated bar lives in a floating frame: a window of the program's thread that the frame owns,
  // holding the floating dock bar. Looked for only when the frame has none: the tests poll this,
  // and the walk costs them seconds.
  if (!found.empty())
    return found;
  const std::function<void(HWND)> visitFloating = [&](HWND hTop) {
    if (::GetWindow(hTop, GW_OWNER) == m_hFrame &&
        ::GetDlgCtrlID(::GetWindow(hTop, GW_CHILD)) == AFX_IDW_DOCKBAR_FLOAT)
      CollectDescendants(hTop, nId, found);
  };
  ::EnumThreadWindows(::GetWindowThreadProcessId(m_hFrame, NULL), EnumProc,
                      reinterpret_cast<LPARAM>(&visitFloating));
  return found;
}

std::string CPixolet::Text(HWND hWnd) const {
  char szText[1024] = "";
  DWORD_PTR nResult = 0;
  if (!::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof(szText), reinterpret_cast<LPARAM>(szText),
                             SMTO_ABORTIFHUNG, 5000, &nResult))
    return std::string();
  return szText;
}

HWND CPixolet::TopWindow(const std::function<bool(HWND)>& pred) const {
  HWND hFound = NULL;
  ForEachTopWindow([&](HWND hWnd) {
    if (hFound == NULL && (m_dwPid == 0 || PidOf(hWnd) == m_dwPid) && ::IsWindowVisible(hWnd) && pred(hWnd))
      hFound = hWnd;
  });
  return hFound;
}

HWND CPixolet::WaitForDialog(const std::string& text, int nTimeoutMs) const {
  HWND hFound = NULL;
  WaitFor(
      [&] {
        return (hFound = TopWindow([&](HWND hWnd) {
                  // A message box keeps its message in a static of its own.
                  HWND hMessage = ::GetDlgItem(hWnd, 0xFFFF);
                  return ClassOf(hWnd) == "#32770" &&
                         (Text(hWnd).find(text) != std::string::npos ||
                          (hMessage != NULL && Text(hMessage).find(text) != std::string::npos));
                })) != NULL;
      },
      nTimeoutMs);
  return hFound;
}

::testing::AssertionResult CPixolet::Answer(const std::string& message, WORD wKey) {
  HWND hBox = WaitForDialog(message);
  if (hBox == NULL || Text(::GetDlgItem(hBox, 0xFFFF)) != message)
    return ::testing::AssertionFailure() << "no message box \"" << message << "\"";
  ::testing::AssertionResult active = Activate(hBox);
  if (!active)
    return active;
  PressKey(wKey);
  return WaitUntil("the message box to go", [hBox] { return !::IsWindow(hBox); });
}

::testing::AssertionResult CPixolet::Activate(HWND hWnd) {
  if (hWnd == NULL)
    hWnd = m_hFrame;
  const std::string what = "the program's window " + Text(hWnd);
  if (WaitFor([hWnd] { return ::GetForegroundWindow() == hWnd; }, 2000))
    return ::testing::AssertionSuccess();
  // As a user makes a window active: a click on its title bar, a third of the way along, clear
  // of its icon and its caption buttons.
  TITLEBARINFO bar = {sizeof(bar)};
  if (!::GetTitleBarInfo(hWnd, &bar) || ::IsRectEmpty(&bar.rcTitleBar))
    return IsActiveWindow(hWnd, what + " (no title bar to click)");
  const CRect rc(bar.rcTitleBar);
  SendXSteps("C" + std::to_string(rc.left + rc.Width() / 3) + "," + std::to_string(rc.CenterPoint().y), hWnd);
  return IsActiveWindow(hWnd, what + " after a click on its title bar");
}

HWND CPixolet::ShownMenu(HWND hOther) const {
  return TopWindow([hOther](HWND hWnd) { return hWnd != hOther && IsPopupMenu(hWnd); });
}

HWND CPixolet::ClickForMenu(CPoint pt, HWND hOther) {
  SendXSteps("C" + std::to_string(pt.x) + "," + std::to_string(pt.y), m_hFrame);
  HWND hMenu = NULL;
  if (!WaitFor([&] { return (hMenu = ShownMenu(hOther)) != NULL; }))
    return NULL;
  WaitFor([&] { return Painted(m_hFrame) && Painted(hMenu); });
  WaitUntilUnfolded(hMenu);
  return hMenu;
}

::testing::AssertionResult CPixolet::KeyboardInView(const char* pszScreenshot) {
  if (!WaitFor(
          [this] { return ::GetForegroundWindow() == m_hFrame && GuiState(m_hFrame).hwndFocus == View(); }))
    return ::testing::AssertionFailure()
           << "the frame is not the active window with the keyboard in its view: the "
           << ClassOf(::GetForegroundWindow()) << " window is, the focus in a "
           << ClassOf(GuiState(m_hFrame).hwndFocus) << " window";
  SyncInput(m_hFrame); // the program back in its message loop: what it asked of the window system is sent
  ::testing::AssertionResult sent = XKeys("ctrl+s");
  if (!sent)
    return sent;
  const HWND hSave = WaitForDialog("Save As", 5000);
  if (hSave == NULL)
    return ::testing::AssertionFailure() << "Ctrl+S opened no Save As";
  if (pszScreenshot != nullptr) {
    SyncInput(hSave); // its controls painted
    SaveScreenshot(ScreenRect(m_hFrame), pszScreenshot);
  }
  PressKey(VK_ESCAPE);
  return WaitUntil("Save As to close", [hSave] { return !::IsWindow(hSave); });
}

HWND CPixolet::OpenMenu(WORD wKey) {
  HWND hPopup = NULL;
  if (!Activate())
    return NULL;
  // Without a window manager X moves its keyboard focus with the pointer: where a dialog that
  // just closed leaves the pointer over another window, Wine activates that window late and
  // cancels a menu opened meanwhile. The pointer waits in the corner, which no window of the
  // program covers.
  MoveMouse(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  PressKey(wKey, MOD_ALT);
  if (WaitFor([&] { return (hPopup = ShownMenu()) != NULL; }, 3000))
    WaitUntilUnfolded(hPopup);
  return hPopup;
}

::testing::AssertionResult CPixolet::Menu(char cPopup, char cItem) {
  HWND hPopup = OpenMenu(cPopup);
  if (hPopup == NULL)
    return ::testing::AssertionFailure() << "the menu " << cPopup << " did not open; the active window is "
                                         << DescribeWindow(::GetForegroundWindow());
  PressKey((WORD)cItem);
  if (WaitFor([hPopup] { return !::IsWindowVisible(hPopup); }, 3000))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the menu stayed open after " << cPopup << ", " << cItem;
}

namespace {

const int kMenuInset = 4;

// The rows of the popup that show the menu's own body, from the first to past the last: the themed
// menu's window also takes in the bar button it joins, which its window region keeps narrow.
std::pair<int, int> MenuBody(HWND hPopup, CSize size) {
  std::pair<int, int> body(0, size.cy);
  HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
  const int nKind = ::GetWindowRgn(hPopup, hRgn);
  if (nKind == SIMPLEREGION || nKind == COMPLEXREGION) {
    auto inBody = [&](int y) {
      return ::PtInRegion(hRgn, kMenuInset, y) && ::PtInRegion(hRgn, size.cx - 1 - kMenuInset, y);
    };
    while (body.first < size.cy && !inBody(body.first))
      body.first++;
    while (body.second > body.first && !inBody(body.second - 1))
      body.second--;
  }
  ::DeleteObject(hRgn);
  return body;
}

// The settled picture of an open popup menu and its items: bands of rows that differ from the
// menu's empty row, the separators too. The empty row is the one most rows show: plain ground in
// the system's menu, ground with the icon gutter in the themed one.
::testing::AssertionResult ReadMenuItems(HWND hPopup, int nItem, Pixels& px,
                                         std::vector<std::pair<int, int>>& bands) {
  CRect rc;
  ::GetWindowRect(hPopup, &rc);
  const int nInset = kMenuInset;
  const std::pair<int, int> body = MenuBody(hPopup, rc.Size());
  Pixels last;
  auto read = [&] {
    if (!::IsWindowVisible(hPopup))
      return true; // closed: nothing more comes
    px = ReadScreen(rc);
    bands.clear();
    if (px.cy <= 2 * nInset || px.cx <= 2 * nInset)
      return false;
    std::vector<std::vector<COLORREF>> rows;
    for (int y = 0; y < px.cy; y++)
      rows.emplace_back(px.data.begin() + (size_t)y * px.cx + nInset,
                        px.data.begin() + (size_t)(y + 1) * px.cx - nInset);
    const int nTop = body.first + nInset, nBottom = std::min(body.second, px.cy) - nInset;
    if (nBottom <= nTop)
      return false;
    std::vector<COLORREF> empty;
    int nMost = 0;
    for (int y = nTop; y < nBottom; y++) {
      const int n = (int)std::count(rows.begin() + nTop, rows.begin() + nBottom, rows[y]);
      if (n > nMost) {
        nMost = n;
        empty = rows[y];
      }
    }
    for (int y = nTop; y < nBottom; y++) {
      const bool bInk = rows[y] != empty;
      // A mnemonic's underline lies a row or two below its text: it belongs to the same item.
      if (bInk && (bands.empty() || y - bands.back().second > 2))
        bands.emplace_back(y, y + 1);
      else if (bInk)
        bands.back().second = y + 1;
    }
    // Painted and settled: two reads agree.
    const bool bSettled = !px.Empty() && px.data == last.data && nItem < (int)bands.size();
    last = px;
    return bSettled;
  };
  if (!WaitFor(read) || !::IsWindowVisible(hPopup) || nItem >= (int)bands.size())
    return ::testing::AssertionFailure() << "the menu shows " << bands.size() << " items, not " << nItem + 1;
  return ::testing::AssertionSuccess();
}

} // namespace

::testing::AssertionResult CPixolet::MenuItemEnabled(HWND hPopup, int nItem, bool bEnabled) {
  Pixels px;
  std::vector<std::pair<int, int>> bands;
  ::testing::AssertionResult read = ReadMenuItems(hPopup, nItem, px, bands);
  if (!read)
    return read;
  // Enabled text is drawn in the menu text colour (the window text colour in a themed menu),
  // disabled text in a grey or shadow colour.
  const COLORREF crMenuText = ::GetSysColor(COLOR_MENUTEXT), crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
  // Past the gutter, where a themed menu draws the command's picture.
  bool bDark = false;
  for (int y = bands[nItem].first; y < bands[nItem].second; y++)
    for (int x = px.cx / 4; x < px.cx - kMenuInset; x++)
      bDark = bDark || px.At(x, y) == crMenuText || px.At(x, y) == crWindowText;
  if (bDark == bEnabled)
    return ::testing::AssertionSuccess();
  pixel_support::SaveBmp(px, "e2e_failed_menu_item.bmp");
  return ::testing::AssertionFailure()
         << "item " << nItem << " is drawn " << (bDark ? "enabled" : "disabled");
}

Pixels CPixolet::MenuItemMark(HWND hPopup, int nItem) {
  Pixels px, mark;
  std::vector<std::pair<int, int>> bands;
  if (!ReadMenuItems(hPopup, nItem, px, bands))
    return mark;
  mark.cx = px.cx / 4;
  mark.cy = bands[nItem].second - bands[nItem].first;
  for (int y = bands[nItem].first; y < bands[nItem].second; y++)
    for (int x = 0; x < mark.cx; x++)
      mark.data.push_back(px.At(x, y));
  return mark;
}

std::vector<CRect> CPixolet::MenuItemRects(HWND hPopup, int nItems) {
  // The texts lie right of the gutter, which holds the marks and pictures (and, in the themed menu,
  // mark boxes as high as their items, which join neighbouring items there), and left of the
  // shadow. Separators and the shadow's bottom are a few rows high, a text more.
  const int kShadow = 8, kFewRows = 4;
  const CRect rc = ScreenRect(hPopup);
  const std::pair<int, int> body = MenuBody(hPopup, rc.Size());
  std::vector<CRect> rects;
  WaitFor([&] {
    const Pixels px = Settled([&] { return ReadScreen(rc); }, kMenuStillMs);
    rects.clear();
    const int x0 = px.cx / 4, x1 = px.cx - kShadow, y0 = body.first + kMenuInset,
              y1 = std::min(body.second, px.cy) - kMenuInset;
    if (x1 <= x0 || y1 <= y0)
      return false;
    auto row = [&](int y) {
      return std::vector<COLORREF>(px.data.begin() + (size_t)y * px.cx + x0,
                                   px.data.begin() + (size_t)y * px.cx + x1);
    };
    // The ground is the row most rows show.
    std::vector<COLORREF> ground;
    int nMost = 0;
    for (int y = y0; y < y1; y++) {
      const std::vector<COLORREF> r = row(y);
      int n = 0;
      for (int y2 = y0; y2 < y1; y2++)
        n += row(y2) == r;
      if (n > nMost) {
        nMost = n;
        ground = r;
      }
    }
    // A mnemonic's underline lies a row or two below its text: it belongs to the same item.
    std::vector<std::pair<int, int>> bands;
    for (int y = y0; y < y1; y++) {
      if (row(y) == ground)
        continue;
      if (bands.empty() || y - bands.back().second > 2)
        bands.emplace_back(y, y + 1);
      else
        bands.back().second = y + 1;
    }
    for (const auto& band : bands)
      if (band.second - band.first > kFewRows)
        rects.emplace_back(rc.left + kMenuInset, rc.top + band.first, rc.right - kShadow,
                           rc.top + band.second);
    return (int)rects.size() >= nItems && ::IsWindowVisible(hPopup);
  });
  if ((int)rects.size() < nItems)
    rects.clear();
  return rects;
}

void CPixolet::Command(UINT nID) { ::PostMessageA(m_hFrame, WM_COMMAND, nID, 0); }

HWND CPixolet::WaitForOverlay() {
  const HWND hOverlay = WaitForOverlayShown();
  return hOverlay != NULL && WaitFor([hOverlay] { return ::GetForegroundWindow() == hOverlay; }) ? hOverlay
                                                                                                 : NULL;
}

::testing::AssertionResult CPixolet::Mark(const std::string& steps, bool bXInput) {
  int x = 0, y = 0;
  if (std::sscanf(steps.c_str(), "%*c%d,%d", &x, &y) == 2)
    bXInput ? XMoveMouse(x, y) : MoveMouse(x, y);
  HWND hOverlay = WaitForOverlay();
  if (hOverlay == NULL)
    return ::testing::AssertionFailure() << "no capture overlay";
  bXInput ? SendXSteps(steps, hOverlay) : SendSteps(steps, hOverlay);
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult CPixolet::WaitForDocuments(size_t n, CSize size) {
  std::string expected;
  if (size.cx > 0)
    expected = "Size:" + std::to_string(size.cx) + " x " + std::to_string(size.cy);
  std::string shown;
  bool bLaidOut = false;
  if (WaitFor([&] {
        shown = StatusText(2);
        bLaidOut = n == 0 || TabRowLaidOut(m_hFrame, MdiClient());
        return Documents().size() == n && ::IsWindowVisible(m_hFrame) && bLaidOut &&
               (expected.empty() || shown == expected);
      }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << Documents().size() << " documents, not " << n << "; the size pane shows \"" << shown
         << "\", expected \"" << expected << "\"" << (bLaidOut ? "" : "; the row of tabs is not laid out");
}

CPoint CPixolet::PictureOrigin() const {
  // The picture sits at the canvas margin of 8 pixels.
  CPoint origin(8, 8);
  ::ClientToScreen(View(), &origin);
  return origin;
}

Pixels CPixolet::ReadPicture(CSize size) const {
  CPoint origin = PictureOrigin();
  return ReadScreen(CRect(origin, size));
}

::testing::AssertionResult CPixolet::PictureIs(CSize size, const Expected& expected) {
  Pixels px;
  WaitFor([&] { return PixelsAre(px = ReadPicture(size), expected); });
  return PixelsAre(px, expected);
}

ProcessFigures CPixolet::Figures() const {
  ProcessFigures figures;
  figures.nGdiObjects = ::GetGuiResources(m_hProcess, GR_GDIOBJECTS);
  figures.nUserObjects = ::GetGuiResources(m_hProcess, GR_USEROBJECTS);
  figures.pszSource = "GetGuiResources";
  if (figures.nGdiObjects == 0 && figures.nUserObjects == 0) {
    // Wine does not count them: the GDI handle table and the program's windows stand in.
    figures.pszSource = "GDI handle table, windows";
    long nGdi = GdiTableEntriesInUse(m_hProcess);
    figures.nGdiObjects = nGdi < 0 ? 0 : (DWORD)nGdi;
    ForEachTopWindow([&](HWND hWnd) {
      if (PidOf(hWnd) == m_dwPid) {
        figures.nUserObjects++;
        CountWindows(hWnd, figures.nUserObjects);
      }
    });
  }
  figures.nMenus = MenuHandles(); // first: the probe's loading is no change of the figures after
  figures.nPrivateBytes = PrivateBytes(m_hProcess);
  return figures;
}

LPVOID CPixolet::AllocateInProgram(SIZE_T nBytes) const {
  LPVOID pBlock = ::VirtualAllocEx(m_hProcess, NULL, nBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  // Written, so that the pages are really taken and not only promised.
  const std::vector<BYTE> bytes(nBytes, 0x5A);
  SIZE_T nWritten = 0;
  if (pBlock != NULL && !::WriteProcessMemory(m_hProcess, pBlock, bytes.data(), nBytes, &nWritten)) {
    FreeInProgram(pBlock);
    return NULL;
  }
  return pBlock;
}

void CPixolet::FreeInProgram(LPVOID pBlock) const {
  if (pBlock != NULL)
    ::VirtualFreeEx(m_hProcess, pBlock, 0, MEM_RELEASE);
}

HWND CPixolet::OpenMenuPath(const std::string& keys) {
  HWND hPopup = keys.empty() ? NULL : OpenMenu(keys[0]);
  for (size_t i = 1; i < keys.size() && hPopup != NULL; i++) {
    const HWND hParent = hPopup;
    PressKey((WORD)keys[i]);
    hPopup = NULL;
    WaitFor(
        [&] { return (hPopup = TopWindow([&](HWND h) { return h != hParent && IsPopupMenu(h); })) != NULL; });
    if (hPopup != NULL)
      WaitUntilUnfolded(hPopup);
  }
  return hPopup;
}

::testing::AssertionResult CPixolet::MenuPath(const std::string& keys) {
  if (keys.size() <= 2)
    return Menu(keys[0], keys[1]);
  if (OpenMenuPath(keys.substr(0, keys.size() - 1)) == NULL)
    return ::testing::AssertionFailure()
           << "the menus " << keys.substr(0, keys.size() - 1) << " did not open";
  PressKey((WORD)keys.back());
  return WaitUntil("the menus to close after " + keys, [this] { return ShownMenu() == NULL; });
}

// ---------------------------------------------------------------------------------------------
// CStandInBrowser

namespace {

std::string BrowserLog() { return StandInFolder() + "\\e2e_browser.log"; }

// The default value of a key of the classes; false when there is none.
bool ReadClassValue(const std::string& key, std::string& value) {
  char szValue[1024] = "";
  LONG cb = sizeof(szValue);
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), szValue, &cb) != ERROR_SUCCESS)
    return false;
  value = szValue;
  return true;
}

bool WriteClassValue(const std::string& key, const std::string& value) {
  return ::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), (DWORD)value.size()) ==
         ERROR_SUCCESS;
}

} // namespace

CStandInBrowser::CStandInBrowser() {
  ::DeleteFileA(BrowserLog().c_str());
  std::string chm;
  if (!ReadClassValue(".chm", chm) || chm.empty())
    chm = "chm.file";
  const std::string command = "\"" + StandInFolder() + "\\e2e_browser.exe\" \"%1\"";
  for (const std::string& cls : {std::string("http"), std::string("https"), chm}) {
    Saved saved{cls + "\\shell\\open\\command", false, ""};
    saved.bHad = ReadClassValue(saved.key, saved.command);
    if (!WriteClassValue(saved.key, command)) {
      m_registered = ::testing::AssertionFailure() << "cannot register the stand-in browser for " << cls;
      return;
    }
    m_saved.push_back(saved);
  }
}

CStandInBrowser::~CStandInBrowser() {
  for (const Saved& saved : m_saved)
    if (saved.bHad)
      WriteClassValue(saved.key, saved.command);
    else
      ::RegDeleteKeyA(HKEY_CLASSES_ROOT, saved.key.c_str());
}

std::vector<std::string> CStandInBrowser::Opened() const {
  std::vector<std::string> opened;
  std::ifstream log(BrowserLog());
  for (std::string line; std::getline(log, line);) {
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
      line = line.substr(1, line.size() - 2);
    opened.push_back(line);
  }
  return opened;
}

::testing::AssertionResult CStandInBrowser::OpenedOnly(const std::string& what) {
  std::vector<std::string> opened;
  if (!WaitFor([&] { return !(opened = Opened()).empty(); }))
    return ::testing::AssertionFailure() << "the stand-in browser was not started to open " << what;
  if (opened.size() == 1 && ::lstrcmpiA(opened[0].c_str(), what.c_str()) == 0)
    return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  failure << "the stand-in browser opened, not only " << what << ":";
  for (const std::string& line : opened)
    failure << " [" << line << "]";
  return failure;
}

// ---------------------------------------------------------------------------------------------
// E2eTest

namespace {

// The shown windows above hWnd in the z-order that cover part of rc, named for a failure.
std::string WindowsOver(HWND hWnd, const CRect& rc) {
  std::ostringstream over;
  for (HWND h = ::GetWindow(hWnd, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV)) {
    const CRect shown = ScreenRect(h);
    CRect covered;
    if (::IsWindowVisible(h) && covered.IntersectRect(&rc, &shown))
      over << "; under the " << ClassOf(h) << " window of process " << PidOf(h) << " at " << ToString(shown)
           << ((::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? ", topmost" : "");
  }
  return over.str();
}

} // namespace

void E2eTest::SetUp() {
  // Every test starts as from a first run: a place or size an earlier test left stored (a frame
  // narrowed to show a chevron) would change where everything is.
  DeleteProgramKey();
  static pattern_window::CPatternWindow background;
  const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  if (screen.IsRectEmpty() && !InOwnProcess()) {
    // Seen in loaded runs: from one test on, Wine's picture of the monitors in this long-running
    // process stayed empty while new processes measured the screen. The test runs in a new one and
    // is named here; every test after it does the same.
    const DisplayReport report = ReportDisplay();
    std::printf("[ SCREEN   ] %s\n", report.text.c_str());
    std::fflush(stdout);
    if (report.bNewProcessHasScreen && RunInOwnProcess())
      GTEST_SKIP() << "ran in a process of its own: this one measures no screen";
  }
  if (!::IsWindow(background.Handle()))
    ASSERT_TRUE(background.Create(screen, 0, true));
  // Raised and painted again while it is waited for: a window a test left behind may still be
  // on its way out.
  const bool bShown = WaitFor([&] {
    ::SetWindowPos(background.Handle(), HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(background.Handle(), NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    return PixelsAre(ReadScreen(CRect(0, 0, 64, 64)), PatternOf(screen));
  });
  if (!bShown) {
    SaveScreenshot(screen, "e2e_failed_setup.bmp");
    FAIL() << "the pattern does not show on the screen " << ToString(screen) << ": its window at "
           << ToString(ScreenRect(background.Handle()))
           << WindowsOver(background.Handle(), CRect(0, 0, 64, 64)) << "; " << ReportDisplay().text;
  }
}

void E2eTest::TearDown() {
  if (m_app.Running() && HasFailure()) {
    // What the screen showed, for the person who looks into the failure.
    std::string name =
        std::string("e2e_failed_") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    SaveScreenshot(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
                   (name + ".bmp").c_str());
  }
  m_app.Kill();
}

void E2eTest::CaptureFromMenu(const CRect& area) {
  const size_t nBefore = m_app.Documents().size();
  ASSERT_TRUE(m_app.Menu('C', 'R'));
  std::ostringstream steps;
  steps << "P" << area.left << "," << area.top << " R" << area.right << "," << area.bottom;
  ASSERT_TRUE(m_app.Mark(steps.str()));
  ASSERT_TRUE(m_app.WaitForDocuments(nBefore + 1, area.Size()));
}

void E2eTest::DrawLine(CSize picture, CPoint from, CPoint to) {
  // Without a window manager late X focus events can take the activation from the frame shown
  // again after a capture, or the press that would bring it back. The frame is made active with
  // the view focused first, once the program has read its pending events; the drag goes through
  // the X server as the user's does (a press made with SendInput was lost now and then while X
  // settled its focus after the overlay closed).
  const HWND hView = m_app.View();
  SyncInput(hView);
  ASSERT_TRUE(m_app.Activate());
  ASSERT_TRUE(WaitUntil("the view focused", [&] { return GuiState(hView).hwndFocus == hView; }));
  const Pixels before = m_app.ReadPicture(picture);
  const CPoint origin = m_app.PictureOrigin();
  const CPoint start = origin + from, middle = origin + CPoint((from.x + to.x) / 2, (from.y + to.y) / 2);
  // The view holds the mouse from its press on; a press the window system lost is made once
  // more, and named (a pointer move can be undone by a late report of an earlier position
  // (tests/probes/pointer_probe)).
  bool bTaken = false;
  for (int nTry = 0; nTry < 2 && !bTaken; nTry++) {
    if (nTry > 0)
      resend_log::Note("a press on the view: the view did not take it");
    SendXSteps("P" + std::to_string(start.x) + "," + std::to_string(start.y), hView);
    bTaken = WaitFor([&] { return GuiState(hView).hwndCapture == hView; }, 2000);
    if (!bTaken)
      SendXSteps("R" + std::to_string(start.x) + "," + std::to_string(start.y), hView);
  }
  ASSERT_TRUE(bTaken) << "the view never took the press";
  SendXSteps("M" + std::to_string(middle.x) + "," + std::to_string(middle.y) + " R" +
                 std::to_string(origin.x + to.x) + "," + std::to_string(origin.y + to.y),
             hView);
  // The line's middle shows the line's colour.
  const CPoint mid = middle - origin;
  ASSERT_TRUE(WaitUntil("a line drawn", [&] {
    const Pixels px = m_app.ReadPicture(picture);
    return !px.Empty() && px.At(mid.x, mid.y) != before.At(mid.x, mid.y);
  }));
}

void E2eTest::CloseDocument(WORD wAnswer) {
  const size_t nBefore = m_app.Documents().size();
  ASSERT_TRUE(m_app.Menu('F', 'C'));
  ASSERT_TRUE(m_app.Answer("Save changes to file?", wAnswer));
  ASSERT_TRUE(m_app.WaitForDocuments(wAnswer == VK_ESCAPE ? nBefore : nBefore - 1));
}

void E2eTest::TypeIntoFileDialog(const std::string& path, const char* pszTitle) {
  const std::string name = *pszTitle != '\0' ? pszTitle : "file";
  HWND hDialog = NULL;
  ASSERT_NO_FATAL_FAILURE(TypeIntoNameBox(path, pszTitle, hDialog));
  ASSERT_TRUE(WaitUntil("the " + name + " dialog to close", [&] { return !::IsWindow(hDialog); }));
}

void E2eTest::TypeIntoNameBox(const std::string& path, const char* pszTitle, HWND& hDialog) {
  const std::string name = *pszTitle != '\0' ? pszTitle : "file";
  hDialog = m_app.WaitForDialog(pszTitle);
  ASSERT_NE(nullptr, hDialog) << "no " << name << " dialog";
  ASSERT_TRUE(m_app.Activate(hDialog));
  HWND hBox = NULL;
  ASSERT_TRUE(WaitUntil("the focus in the dialog's name box",
                        [&] { return ::IsChild(hDialog, hBox = GuiState(hDialog).hwndFocus) != FALSE; }));
  // Typed through X, as the user types: Wine takes X's state of the keys now and then, and took
  // back a Shift sent past X in the middle of the path ("C:" came out "C;"). X gives the keys to
  // the dialog, or leaves them with a window of its thread, which passes them on to its focus.
  ASSERT_TRUE(GetsXKeys(hDialog, "the " + name + " dialog"));
  ASSERT_TRUE(XType(path));
  ASSERT_TRUE(WaitUntil("the typed name in the box", [&] { return m_app.Text(hBox) == path; }))
      << "the " << ClassOf(hBox) << " box holds \"" << m_app.Text(hBox) << "\"; the focus is on a "
      << ClassOf(GuiState(hDialog).hwndFocus) << ", the active window \""
      << m_app.Text(GuiState(hDialog).hwndActive) << "\"";
  PressKey(VK_RETURN);
}

void E2eTest::ExpectPicture(CSize size, const Expected& expected) {
  EXPECT_TRUE(m_app.PictureIs(size, expected));
  const CPoint centre = m_app.PictureOrigin() + CPoint(size.cx / 2, size.cy / 2);
  XMoveMouse(centre.x, centre.y);
  EXPECT_TRUE(m_app.WaitForDocuments(m_app.Documents().size(), size));
}

void E2eTest::ExpectUndoRedo(bool bUndo, bool bRedo) {
  HWND hPopup = m_app.OpenMenu('E');
  ASSERT_NE(nullptr, hPopup);
  // Up moves the highlight to the last item, away from the two looked at.
  PressKey(VK_UP);
  SyncInput(hPopup);
  EXPECT_TRUE(m_app.MenuItemEnabled(hPopup, 0, bUndo)) << "Undo";
  EXPECT_TRUE(m_app.MenuItemEnabled(hPopup, 1, bRedo)) << "Redo";
  PressKey(VK_ESCAPE);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil("the menu to close", [hPopup] { return !::IsWindowVisible(hPopup); }));
}

} // namespace e2e
