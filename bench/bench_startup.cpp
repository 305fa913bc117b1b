// The program as a user meets it, timed from outside its process.
//
// Start-up: from CreateProcess until the main window is visible with its bars and the process idle
// (WaitForInputIdle, the unowned visible window of the process with its menu and status bar, then
// a WM_NULL round trip to its thread); close: from WM_CLOSE to that window until the process has ended.
// Wine's notepad.exe is started and closed the same way, alternately, as the baseline.
//
// Capture: the hot key sent with SendInput, the overlay's rectangle dragged with SendInput, until
// the new document's view shows the area on the screen. Under the program lies a window of this
// bench painted with a code of position (every pixel names its own place), so pixels read back
// from the screen tell which screen point they show: the view counts as painted when a block of
// it holds the area's pixels where the view puts them. Each step is the first moment a poll sees
// it. Baseline: this process grabs the same area from the screen and shows it in a new window,
// until the screen shows it.
//
// The hot key reaches the program only inside a Wine virtual desktop, so bench_startup.sh runs
//   wine explorer /desktop=bench,1280x1024 bench_startup.exe [runs] [pixolet.exe]
// The program's path defaults to pixolet.exe beside this one; a third argument names an earlier
// build, started and closed in the same alternation (bench_startup.exe runs program earlier).
//
// During the timed start-ups the bench sets PIXOLET_STARTUP_TRACE, so that the program writes how
// long each of its start-up steps took (the toolkit's set-up, each bar, the first paint); the bench
// prints their medians under the start-up figures.
#include "bench/bench_util.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using bench::Median;
using bench::Now;

namespace {

const double kTimeoutMs = 30000;
const int kPaneId = 0xE900; // the view inside a frame
const int kViewMargin = 8;  // the view draws the picture this far from its corner
const int kBlock = 48;      // side of the block compared on the screen
const int kBlockInset = 16; // the block starts this far into the picture
// After the hot key the program hides its window and waits this long before it grabs the screen.
const double kProgramPauseMs = 500;
const char kOptionsKey[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture\\Options";

// Ends the bench through main, so that programs it started are ended too.
[[noreturn]] void Fail(const std::string& strWhat) { throw std::runtime_error(strWhat); }

// Red and green are the low bytes of x and y; blue holds their high bits and a check of the low
// ones, so that no plain colour of a window reads as the code of a place.
DWORD CodeAt(int x, int y) {
  DWORD b = (DWORD)((x >> 8) & 7) | (DWORD)(((y >> 8) & 3) << 3) | (DWORD)(((x ^ y) & 7) << 5);
  return ((DWORD)(x & 255) << 16) | ((DWORD)(y & 255) << 8) | b;
}

// A 32-bit top-down DIB section selected into its own memory DC.
class CDib {
public:
  CDib(int cx, int cy) : m_cx(cx), m_cy(cy) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_hDC = ::CreateCompatibleDC(NULL);
    m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits), NULL, 0);
    if (m_hDC == NULL || m_hBitmap == NULL) {
      Release();
      Fail("no memory bitmap");
    }
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
  }
  ~CDib() { Release(); }
  CDib(const CDib&) = delete;
  CDib& operator=(const CDib&) = delete;
  HDC DC() const { return m_hDC; }
  int Width() const { return m_cx; }
  int Height() const { return m_cy; }
  DWORD& At(int x, int y) { return m_pBits[(size_t)y * m_cx + x]; }

private:
  void Release() {
    if (m_hOld != NULL)
      ::SelectObject(m_hDC, m_hOld);
    if (m_hBitmap != NULL)
      ::DeleteObject(m_hBitmap);
    if (m_hDC != NULL)
      ::DeleteDC(m_hDC);
  }

  int m_cx, m_cy;
  HDC m_hDC = NULL;
  HBITMAP m_hBitmap = NULL;
  HGDIOBJ m_hOld = NULL;
  DWORD* m_pBits = NULL;
};

class CScreenDC {
public:
  CScreenDC() : m_hDC(::GetDC(NULL)) {
    if (m_hDC == NULL)
      Fail("no screen DC");
  }
  ~CScreenDC() { ::ReleaseDC(NULL, m_hDC); }
  CScreenDC(const CScreenDC&) = delete;
  CScreenDC& operator=(const CScreenDC&) = delete;
  HDC Get() const { return m_hDC; }

private:
  HDC m_hDC;
};

// True when the screen, from (sx, sy) on, shows the code of the places from (px, py) on.
bool ScreenShows(CDib& block, int sx, int sy, int px, int py) {
  CScreenDC screen;
  if (!::BitBlt(block.DC(), 0, 0, block.Width(), block.Height(), screen.Get(), sx, sy, SRCCOPY))
    return false;
  ::GdiFlush();
  for (int y = 0; y < block.Height(); y++)
    for (int x = 0; x < block.Width(); x++)
      if ((block.At(x, y) & 0xFFFFFF) != CodeAt(px + x, py + y))
        return false;
  return true;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// Polls until bDone() holds, keeping this thread's windows painted; a poll every millisecond or
// as soon as hWait is signalled. False after the timeout.
template <class F> bool WaitFor(F bDone, HANDLE hWait = NULL) {
  const double tEnd = Now() + kTimeoutMs;
  for (;;) {
    PumpMessages();
    if (bDone())
      return true;
    if (Now() > tEnd)
      return false;
    ::MsgWaitForMultipleObjects(hWait != NULL ? 1 : 0, &hWait, FALSE, 1, QS_ALLINPUT);
  }
}

// A program started by this bench; one still running at the end is terminated.
class CLaunched {
public:
  explicit CLaunched(const std::string& strCommand) {
    STARTUPINFOA si = {sizeof(si)};
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back('\0');
    if (!::CreateProcessA(NULL, command.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &m_pi))
      Fail("cannot start " + strCommand);
  }
  ~CLaunched() {
    if (::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
      ::TerminateProcess(m_pi.hProcess, 1);
      ::WaitForSingleObject(m_pi.hProcess, 5000);
    }
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
  }
  CLaunched(const CLaunched&) = delete;
  CLaunched& operator=(const CLaunched&) = delete;
  HANDLE Process() const { return m_pi.hProcess; }
  DWORD Id() const { return m_pi.dwProcessId; }
  bool Ended() const { return ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0; }

private:
  PROCESS_INFORMATION m_pi = {};
};

// The first top-level window of the process that passes the test.
template <class F> struct WindowSearch {
  DWORD pid;
  F* pWanted;
  HWND hFound;
  static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam) {
    WindowSearch& s = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (owner != s.pid || !(*s.pWanted)(hWnd))
      return TRUE;
    s.hFound = hWnd;
    return FALSE;
  }
};

template <class F> HWND FindWindowOf(DWORD pid, F bWanted) {
  WindowSearch<F> search = {pid, &bWanted, NULL};
  ::EnumWindows(WindowSearch<F>::Visit, reinterpret_cast<LPARAM>(&search));
  return search.hFound;
}

bool IsDialog(HWND hWnd) {
  char szClass[16] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  return std::string(szClass) == "#32770";
}

// The frame's ids of its menu bar and status bar.
const int kMenuBarId = 23366;
const int kStatusBarId = 0xE801;

// The first descendant of hParent with the id that is visible; bars may sit inside dock bars.
HWND VisibleDescendant(HWND hParent, int nId) {
  for (HWND h = ::GetWindow(hParent, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(h))
      continue;
    if (::GetDlgCtrlID(h) == nId)
      return h;
    if (HWND hFound = VisibleDescendant(h, nId))
      return hFound;
  }
  return NULL;
}

// A main window with its bars up: the status bar shown, and the menu as a bar or as the
// window's own menu. notepad has a menu and a status bar too (its status bar may be off).
bool BarsShown(HWND hMain, bool bStatusBar) {
  const bool bMenu = ::GetMenu(hMain) != NULL || VisibleDescendant(hMain, kMenuBarId) != NULL;
  return bMenu && (!bStatusBar || VisibleDescendant(hMain, kStatusBarId) != NULL);
}

HWND FindMainWindow(DWORD pid) {
  return FindWindowOf(pid, [](HWND h) { return ::IsWindowVisible(h) && ::GetWindow(h, GW_OWNER) == NULL; });
}

// Waits until the window's thread has answered a message, that is, is back in its message loop.
void WaitAnswered(HWND hWnd) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, (UINT)kTimeoutMs, &result))
    Fail("the program does not answer");
}

// ---------------------------------------------------------------------------------------------
// Start-up

// The program started and its main window shown, with the milliseconds that took.
struct Ready {
  HWND hMain;
  double ms;
};

Ready WaitReady(const CLaunched& program, double t0, bool bStatusBar) {
  if (::WaitForInputIdle(program.Process(), (DWORD)kTimeoutMs) != 0)
    Fail("the program never became idle");
  HWND hMain = NULL;
  if (!WaitFor([&] { return (hMain = FindMainWindow(program.Id())) != NULL; }))
    Fail("the program shows no main window");
  if (!WaitFor([&] { return BarsShown(hMain, bStatusBar); }))
    Fail("the main window shows no menu or no status bar");
  WaitAnswered(hMain);
  return Ready{hMain, Now() - t0};
}

// Milliseconds from WM_CLOSE to the end of the process.
double CloseProgram(const CLaunched& program, HWND hMain) {
  double t0 = Now();
  ::PostMessageA(hMain, WM_CLOSE, 0, 0);
  if (!WaitFor([&] { return program.Ended(); }, program.Process()))
    Fail("the program does not end on WM_CLOSE");
  return Now() - t0;
}

struct StartClose {
  std::vector<double> start, close, total;
  void Add(double s, double c) {
    start.push_back(s);
    close.push_back(c);
    total.push_back(s + c);
  }
};

// The program's own timings of its start-up steps, by step in the order it first wrote them.
struct StepTimes {
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> ms;

  // Adds the steps of the file the program wrote, and deletes it; a step marked several times in
  // one run counts with its sum.
  void Read(const std::string& strPath) {
    std::ifstream in(strPath);
    std::map<std::string, double> run;
    std::string strLine;
    while (std::getline(in, strLine)) {
      const size_t nTab = strLine.find('\t');
      if (nTab == std::string::npos)
        continue;
      const std::string strStep = strLine.substr(0, nTab);
      if (ms.find(strStep) == ms.end() && run.find(strStep) == run.end())
        order.push_back(strStep);
      run[strStep] += std::atof(strLine.c_str() + nTab + 1);
    }
    in.close();
    ::DeleteFileA(strPath.c_str());
    for (const auto& step : run)
      ms[step.first].push_back(step.second);
  }
};

std::string TracePath() {
  char szDir[MAX_PATH] = "";
  ::GetTempPathA(MAX_PATH, szDir);
  return std::string(szDir) + "pixolet_startup_steps.txt";
}

void StartAndClose(const std::string& strCommand, bool bStatusBar, StartClose* pTimes) {
  double t0 = Now();
  CLaunched program(strCommand);
  Ready ready = WaitReady(program, t0, bStatusBar);
  double close = CloseProgram(program, ready.hMain);
  if (pTimes != NULL)
    pTimes->Add(ready.ms, close);
}

// With an earlier build's steps, their medians stand in a second column.
void PrintSteps(const StepTimes& steps, int nRuns, const StepTimes* pEarlier) {
  if (steps.order.empty()) {
    std::printf("The program wrote no timings of its start-up steps.\n\n");
    return;
  }
  std::printf("Start-up steps as the program times them (median of %d runs, ms%s)\n", nRuns,
              pEarlier != NULL ? "; this build, earlier build" : "");
  double total = 0, totalEarlier = 0;
  for (const std::string& strStep : steps.order) {
    const std::vector<double>& v = steps.ms.at(strStep);
    const double m = Median(v);
    total += m;
    std::printf("  %-44s %8.1f", strStep.c_str(), m);
    const auto it = pEarlier != NULL ? pEarlier->ms.find(strStep) : steps.ms.end();
    if (pEarlier != NULL && it != pEarlier->ms.end()) {
      totalEarlier += Median(it->second);
      std::printf(" %8.1f", Median(it->second));
    }
    std::printf("%s\n", (int)v.size() < nRuns ? " (not every run)" : "");
  }
  std::printf("  %-44s %8.1f", "sum of the medians", total);
  if (pEarlier != NULL)
    std::printf(" %8.1f", totalEarlier);
  std::printf("\n\n");
}

void PrintStartup(const StartClose& ours, const StartClose& base, int nRuns) {
  std::printf("Start-up: CreateProcess to main window shown with its bars and idle; close: WM_CLOSE to "
              "process ended\n");
  std::printf("(median of %d runs each, alternating, ms)\n", nRuns);
  std::printf("%-14s %9s %9s %9s\n", "program", "start", "close", "total");
  double s = Median(ours.start), c = Median(ours.close), t = Median(ours.total);
  double bs = Median(base.start), bc = Median(base.close), bt = Median(base.total);
  std::printf("%-14s %9.1f %9.1f %9.1f\n", "pixolet.exe", s, c, t);
  std::printf("%-14s %9.1f %9.1f %9.1f\n", "notepad.exe", bs, bc, bt);
  std::printf("%-14s %8.2fx %8.2fx %8.2fx\n", "ratio", s / bs, c / bc, t / bt);
  std::printf("start-up with every bar shown: %.2fx notepad's (aim: within 1.50x)%s\n", s / bs,
              s / bs <= 1.5 ? "" : " OVER");
  std::printf("start runs, pixolet:");
  for (double v : ours.start)
    std::printf(" %.0f", v);
  std::printf("; notepad:");
  for (double v : base.start)
    std::printf(" %.0f", v);
  std::printf("\n\n");
}

void PrintEarlier(const StartClose& ours, const StartClose& earlier, const StartClose& base) {
  const double s = Median(ours.start), e = Median(earlier.start), b = Median(base.start);
  std::printf("earlier build: start %.1f ms, %.2fx notepad's; this build takes %.2fx its time\n", e, e / b,
              s / e);
  std::printf("start runs, earlier build:");
  for (double v : earlier.start)
    std::printf(" %.0f", v);
  std::printf("\n\n");
}

// ---------------------------------------------------------------------------------------------
// Windows of the bench: a picture drawn from a DIB at an offset

struct Picture {
  CDib* pDib;
  int nMargin;
};

LRESULT CALLBACK PictureProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE)
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA,
                        (LONG_PTR) reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
  const Picture* pPicture = reinterpret_cast<const Picture*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  if (msg == WM_ERASEBKGND)
    return 1;
  if (msg == WM_PAINT && pPicture != NULL) {
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hWnd, &ps);
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(GRAY_BRUSH));
    ::BitBlt(hDC, pPicture->nMargin, pPicture->nMargin, pPicture->pDib->Width(), pPicture->pDib->Height(),
             pPicture->pDib->DC(), 0, 0, SRCCOPY);
    ::EndPaint(hWnd, &ps);
    return 0;
  }
  return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

const char kPictureClass[] = "BenchStartupPicture";

class CPictureWindow {
public:
  CPictureWindow(const RECT& rc, Picture* pPicture) {
    m_hWnd =
        ::CreateWindowExA(WS_EX_TOOLWINDOW, kPictureClass, "", WS_POPUP, rc.left, rc.top, rc.right - rc.left,
                          rc.bottom - rc.top, NULL, NULL, ::GetModuleHandleA(NULL), pPicture);
    if (m_hWnd == NULL)
      Fail("cannot create a window");
  }
  ~CPictureWindow() { ::DestroyWindow(m_hWnd); }
  CPictureWindow(const CPictureWindow&) = delete;
  CPictureWindow& operator=(const CPictureWindow&) = delete;
  HWND Get() const { return m_hWnd; }

private:
  HWND m_hWnd;
};

// ---------------------------------------------------------------------------------------------
// Input

void SendOne(INPUT input) {
  if (::SendInput(1, &input, sizeof(input)) != 1)
    Fail("SendInput refused");
}

void SendKey(WORD vk, bool bUp) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  SendOne(input);
}

void SendMouse(POINT pt, DWORD dwButton) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButton;
  SendOne(input);
}

// The hot key as the program keeps it: modifiers as RegisterHotKey takes them and a virtual key.
struct HotKey {
  UINT nModifiers = MOD_CONTROL;
  UINT vk = 'Q';
};

// The bench times a returning user's start: the options stored, the tip of the day turned off
// (a first run would write the defaults and show the tip, a modal dialog over the frame).
void TurnTipOff() {
  HKEY hKey = NULL;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, NULL, 0, KEY_READ | KEY_WRITE, NULL, &hKey,
                        NULL) != ERROR_SUCCESS)
    Fail("cannot open the program's options");
  DWORD dwValue = 1, dwSize = sizeof(dwValue);
  bool bDone = true;
  if (::RegQueryValueExA(hKey, "EnableHotkey", NULL, NULL, (BYTE*)&dwValue, &dwSize) != ERROR_SUCCESS) {
    dwValue = 1;
    bDone = ::RegSetValueExA(hKey, "EnableHotkey", 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue)) ==
            ERROR_SUCCESS;
  }
  dwValue = 0;
  bDone = bDone && ::RegSetValueExA(hKey, "ShowTip", 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue)) ==
                       ERROR_SUCCESS;
  ::RegCloseKey(hKey);
  if (!bDone)
    Fail("cannot turn the tip of the day off");
}

HotKey ReadHotKey() {
  HotKey key;
  HKEY hKey = NULL;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kOptionsKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    return key;
  DWORD dwValue = 0, dwSize = sizeof(dwValue);
  if (::RegQueryValueExA(hKey, "HotkeyCtrlShftAlt", NULL, NULL, (BYTE*)&dwValue, &dwSize) == ERROR_SUCCESS)
    key.nModifiers = dwValue;
  dwSize = sizeof(dwValue);
  if (::RegQueryValueExA(hKey, "HotkeyKey", NULL, NULL, (BYTE*)&dwValue, &dwSize) == ERROR_SUCCESS)
    key.vk = dwValue;
  ::RegCloseKey(hKey);
  return key;
}

void PressHotKey(const HotKey& key) {
  const struct {
    UINT nMod;
    WORD vk;
  } kMods[] = {{MOD_CONTROL, VK_CONTROL}, {MOD_SHIFT, VK_SHIFT}, {MOD_ALT, VK_MENU}};
  for (const auto& m : kMods)
    if (key.nModifiers & m.nMod)
      SendKey(m.vk, false);
  SendKey((WORD)key.vk, false);
  SendKey((WORD)key.vk, true);
  for (const auto& m : kMods)
    if (key.nModifiers & m.nMod)
      SendKey(m.vk, true);
}

// A press at a, four moves to b, a release at b.
void Drag(POINT a, POINT b) {
  SendMouse(a, MOUSEEVENTF_LEFTDOWN);
  for (int i = 1; i <= 4; i++)
    SendMouse(POINT{a.x + (b.x - a.x) * i / 4, a.y + (b.y - a.y) * i / 4}, 0);
  SendMouse(b, MOUSEEVENTF_LEFTUP);
}

// ---------------------------------------------------------------------------------------------
// Capture

struct Area {
  const char* pszName;
  POINT a, b; // the drag, from corner to corner
  int Width() const { return b.x - a.x; }
  int Height() const { return b.y - a.y; }
};

// The moments of one capture, in milliseconds from the hot key.
enum Step { kHidden, kOverlay, kDragged, kOverlayGone, kDocument, kShown, kPainted, kSteps };
const char* const kStepNames[kSteps] = {
    "main window hidden",   "capture overlay shown",   "drag sent (by the bench)",  "overlay closed",
    "document window made", "main window shown again", "document painted on screen"};

struct CaptureRun {
  double at[kSteps] = {};
};

// The program under test: its main window and MDI client, once it is up.
struct Program {
  const CLaunched& process;
  HWND hMain;
  HWND hClient;
};

bool IsOverlay(HWND hWnd) {
  RECT rc;
  ::GetWindowRect(hWnd, &rc);
  return ::IsWindowVisible(hWnd) && IsDialog(hWnd) && rc.left == 0 && rc.top == 0 &&
         rc.right == ::GetSystemMetrics(SM_CXSCREEN) && rc.bottom == ::GetSystemMetrics(SM_CYSCREEN);
}

// True when the view of the MDI child shows the area's picture at its place.
bool ViewPainted(HWND hChild, const Area& area, CDib& block) {
  HWND hView = ::GetDlgItem(hChild, kPaneId);
  if (hView == NULL || !::IsWindowVisible(hView))
    return false;
  POINT origin = {kViewMargin + kBlockInset, kViewMargin + kBlockInset};
  ::ClientToScreen(hView, &origin);
  return ScreenShows(block, origin.x, origin.y, area.a.x + kBlockInset, area.a.y + kBlockInset);
}

// Closes the document without saving: WM_CLOSE to its frame, "No" on the question.
void CloseDocument(const Program& program, HWND hChild) {
  ::PostMessageA(hChild, WM_CLOSE, 0, 0);
  HWND hBox = NULL;
  if (!WaitFor([&] {
        hBox = FindWindowOf(program.process.Id(), [](HWND h) {
          return ::IsWindowVisible(h) && IsDialog(h) && ::GetDlgItem(h, IDNO) != NULL;
        });
        return hBox != NULL || !::IsWindow(hChild);
      }))
    Fail("the document neither asks nor closes");
  if (hBox != NULL)
    ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), (LPARAM)::GetDlgItem(hBox, IDNO));
  if (!WaitFor([&] { return !::IsWindow(hChild); }))
    Fail("the document does not close");
  WaitAnswered(program.hMain);
}

CaptureRun Capture(const Program& program, const Area& area, const HotKey& key, CDib& block) {
  SendMouse(area.a, 0);
  WaitAnswered(program.hMain);
  CaptureRun run;
  const DWORD pid = program.process.Id();
  const double t0 = Now();
  PressHotKey(key);
  HWND hOverlay = NULL;
  if (!WaitFor([&] {
        if (run.at[kHidden] == 0 && !::IsWindowVisible(program.hMain))
          run.at[kHidden] = Now() - t0;
        hOverlay = FindWindowOf(pid, IsOverlay);
        return hOverlay != NULL;
      }))
    Fail("no capture overlay after the hot key");
  run.at[kOverlay] = Now() - t0;

  Drag(area.a, area.b);
  run.at[kDragged] = Now() - t0;
  HWND hChild = NULL;
  if (!WaitFor([&] {
        const double t = Now() - t0;
        if (run.at[kOverlayGone] == 0 && !(::IsWindow(hOverlay) && ::IsWindowVisible(hOverlay)))
          run.at[kOverlayGone] = t;
        if (hChild == NULL && (hChild = ::GetWindow(program.hClient, GW_CHILD)) != NULL)
          run.at[kDocument] = t;
        if (run.at[kShown] == 0 && run.at[kOverlayGone] != 0 && ::IsWindowVisible(program.hMain))
          run.at[kShown] = t;
        return hChild != NULL && ViewPainted(hChild, area, block);
      }))
    Fail("the captured area never shows in a document");
  run.at[kPainted] = Now() - t0;
  // A step seen in the same poll as a later one happened no later than that one.
  for (int i = kPainted - 1; i >= 0; i--)
    if (run.at[i] == 0 || run.at[i] > run.at[i + 1])
      run.at[i] = run.at[i + 1];
  CloseDocument(program, hChild);
  return run;
}

// The least the same result takes: the area grabbed from the screen into a bitmap, a new window
// drawing it as the view does, until the screen shows it.
double BaselineCapture(const Area& area, CDib& block) {
  const RECT rc = {40, 40, std::min(40 + area.Width() + 2 * kViewMargin, 1240),
                   std::min(40 + area.Height() + 2 * kViewMargin, 980)};
  const int x = rc.left + kViewMargin + kBlockInset, y = rc.top + kViewMargin + kBlockInset;
  // The window of the last run must be off the screen, or the grab would hold it.
  if (!WaitFor([&] { return ScreenShows(block, x, y, x, y); }))
    Fail("the coded screen does not come back");
  const double t0 = Now();
  CDib picture(area.Width(), area.Height());
  {
    CScreenDC screen;
    ::BitBlt(picture.DC(), 0, 0, area.Width(), area.Height(), screen.Get(), area.a.x, area.a.y, SRCCOPY);
  }
  Picture shown = {&picture, kViewMargin};
  CPictureWindow window(rc, &shown);
  ::ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
  if (!WaitFor([&] { return ScreenShows(block, x, y, area.a.x + kBlockInset, area.a.y + kBlockInset); }))
    Fail("the bench's own window never shows the area");
  return Now() - t0;
}

void PrintCapture(const Area& area, const std::vector<CaptureRun>& runs, const std::vector<double>& base) {
  std::printf("Capture by hot key, %s area %dx%d of a %dx%d screen (median of %d runs, ms from the key)\n",
              area.pszName, area.Width(), area.Height(), ::GetSystemMetrics(SM_CXSCREEN),
              ::GetSystemMetrics(SM_CYSCREEN), (int)runs.size());
  std::printf("%-30s %9s %9s\n", "step", "at", "step");
  for (int s = 0; s < kSteps; s++) {
    std::vector<double> at, step;
    for (const CaptureRun& r : runs) {
      at.push_back(r.at[s]);
      step.push_back(r.at[s] - (s > 0 ? r.at[s - 1] : 0));
    }
    std::printf("%-30s %9.1f %9.1f\n", kStepNames[s], Median(at), Median(step));
  }
  std::vector<double> total, work;
  for (const CaptureRun& r : runs) {
    total.push_back(r.at[kPainted]);
    work.push_back(r.at[kPainted] - kProgramPauseMs - (r.at[kDragged] - r.at[kOverlay]));
  }
  const double b = Median(base), w = Median(work);
  std::printf("baseline: this process grabs the area and shows it in a new window: %.1f ms\n", b);
  std::printf("key to painted less the program's %.0f ms pause and the drag: %.1f ms, %.2fx the baseline\n",
              kProgramPauseMs, w, w / b);
  std::printf("key to painted, runs:");
  for (double v : total)
    std::printf(" %.0f", v);
  std::printf("\n\n");
}

std::string DefaultProgramPath() {
  char szPath[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
  std::string strPath = szPath;
  return strPath.substr(0, strPath.find_last_of('\\') + 1) + "pixolet.exe";
}

int Run(int argc, char** argv) {
  const int nRuns = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::string strProgram = "\"" + (argc > 2 ? std::string(argv[2]) : DefaultProgramPath()) + "\"";
  // An earlier build of the program, started in the same alternation, to compare builds under
  // the same load.
  const std::string strEarlier = argc > 3 ? "\"" + std::string(argv[3]) + "\"" : std::string();
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  if (cx != 1280 || cy != 1024)
    Fail("needs a 1280x1024 screen: run inside wine explorer /desktop=bench,1280x1024");
  std::setvbuf(stdout, NULL, _IONBF, 0);

  // Start-up, after one unmeasured round of each.
  TurnTipOff();
  StartAndClose(strProgram, true, NULL);
  StartAndClose("notepad.exe", false, NULL);
  if (!strEarlier.empty())
    StartAndClose(strEarlier, true, NULL);
  StartClose ours, base, earlier;
  StepTimes steps, earlierSteps;
  const std::string strTrace = TracePath();
  ::DeleteFileA(strTrace.c_str());
  for (int i = 0; i < nRuns; i++) {
    ::SetEnvironmentVariableA("PIXOLET_STARTUP_TRACE", strTrace.c_str());
    StartAndClose(strProgram, true, &ours);
    ::SetEnvironmentVariableA("PIXOLET_STARTUP_TRACE", NULL);
    steps.Read(strTrace);
    StartAndClose("notepad.exe", false, &base);
    if (!strEarlier.empty()) {
      ::SetEnvironmentVariableA("PIXOLET_STARTUP_TRACE", strTrace.c_str());
      StartAndClose(strEarlier, true, &earlier);
      ::SetEnvironmentVariableA("PIXOLET_STARTUP_TRACE", NULL);
      earlierSteps.Read(strTrace);
    }
  }
  PrintStartup(ours, base, nRuns);
  if (!strEarlier.empty())
    PrintEarlier(ours, earlier, base);
  PrintSteps(steps, nRuns, strEarlier.empty() ? NULL : &earlierSteps);

  // The coded screen, at the bottom of the windows.
  WNDCLASSA wc = {};
  wc.lpfnWndProc = PictureProc;
  wc.hInstance = ::GetModuleHandleA(NULL);
  wc.lpszClassName = kPictureClass;
  if (!::RegisterClassA(&wc))
    Fail("cannot register a window class");
  CDib coded(cx, cy);
  for (int y = 0; y < cy; y++)
    for (int x = 0; x < cx; x++)
      coded.At(x, y) = CodeAt(x, y);
  Picture codedPicture = {&coded, 0};
  CPictureWindow codedWindow(RECT{0, 0, cx, cy}, &codedPicture);
  ::ShowWindow(codedWindow.Get(), SW_SHOWNOACTIVATE);
  ::SetWindowPos(codedWindow.Get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CDib block(kBlock, kBlock);
  if (!WaitFor([&] { return ScreenShows(block, 100, 100, 100, 100); }))
    Fail("the coded screen does not show");
  // How late a poll can see a step.
  std::vector<double> looks;
  for (int i = 0; i < 21; i++) {
    const double t = Now();
    ScreenShows(block, 100, 100, 100, 100);
    looks.push_back(Now() - t);
  }
  std::printf("One look at a %dx%d block of the screen takes %.2f ms; the polls below wait 1 ms between "
              "looks.\n\n",
              kBlock, kBlock, Median(looks));

  const Area areas[] = {{"large", {4, 4}, {1244, 964}}, {"small", {4, 4}, {404, 304}}};
  std::vector<double> baseline[2];
  for (int a = 0; a < 2; a++)
    for (int i = 0; i <= nRuns; i++) {
      double ms = BaselineCapture(areas[a], block);
      if (i > 0)
        baseline[a].push_back(ms);
    }

  const double t0 = Now();
  CLaunched process(strProgram);
  Ready ready = WaitReady(process, t0, true);
  Program program = {process, ready.hMain, ::FindWindowExA(ready.hMain, NULL, "MDIClient", NULL)};
  if (program.hClient == NULL)
    Fail("the main window has no MDI client");
  const HotKey key = ReadHotKey();
  for (int a = 0; a < 2; a++) {
    std::vector<CaptureRun> runs;
    for (int i = 0; i <= nRuns; i++) {
      CaptureRun run = Capture(program, areas[a], key, block);
      if (i > 0)
        runs.push_back(run);
    }
    PrintCapture(areas[a], runs, baseline[a]);
  }
  CloseProgram(process, program.hMain);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_startup: %s\n", e.what());
    return 1;
  }
}
