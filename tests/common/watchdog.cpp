#include "tests/common/watchdog.h"

#include "tests/common/stack_report.h"

#include <cstdio>
#include <vector>

namespace watchdog {

namespace {

std::string DescribeWindows();
void EndModalStates();

// Everything the armed thread and the watchdog's own thread share, under g_lock.
struct State {
  CRITICAL_SECTION lock;
  HANDLE hWake = NULL; // set when the bound changes
  Handlers handlers;
  DWORD dwMarginMs = 30000;
  std::string name;
  DWORD dwBoundMs = 0;
  DWORD dwStart = 0;
  bool bArmed = false;
  bool bOverran = false;
  UINT_PTR nTimer = 0;        // the armed thread's timer
  HANDLE hThread = NULL;      // the armed thread
  std::vector<HANDLE> others; // the processes ended with this one
};

State& Shared() {
  static State* s_pState = [] {
    State* p = new State; // lives as long as the process: the watchdog's thread reads it to the end
    ::InitializeCriticalSection(&p->lock);
    p->hWake = ::CreateEventA(NULL, FALSE, FALSE, NULL);
    return p;
  }();
  return *s_pState;
}

struct Lock {
  Lock() { ::EnterCriticalSection(&Shared().lock); }
  ~Lock() { ::LeaveCriticalSection(&Shared().lock); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

// Writes past the C runtime, whose stream lock a hung thread may hold.
void WriteOut(const std::string& text) {
  DWORD dwWritten = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), (DWORD)text.size(), &dwWritten, NULL);
}

BOOL CALLBACK AddWindow(HWND hWnd, LPARAM lParam) {
  if (!::IsWindowVisible(hWnd))
    return TRUE;
  std::vector<HWND>& windows = *reinterpret_cast<std::vector<HWND>*>(lParam);
  windows.push_back(hWnd);
  return TRUE;
}

std::string Caption(HWND hWnd);

// The texts a dialog or message box shows in its static controls.
BOOL CALLBACK AddStaticText(HWND hWnd, LPARAM lParam) {
  char szClass[16] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  const std::string text = lstrcmpiA(szClass, "Static") == 0 ? Caption(hWnd) : "";
  std::string& texts = *reinterpret_cast<std::string*>(lParam);
  if (!text.empty())
    texts += " \"" + text + "\"";
  return TRUE;
}

std::string Caption(HWND hWnd) {
  wchar_t szWide[256] = L"";
  ::InternalGetWindowText(hWnd, szWide, 256);
  char sz[512] = "";
  ::WideCharToMultiByte(CP_ACP, 0, szWide, -1, sz, sizeof(sz), NULL, NULL);
  return sz;
}

std::string Report(const std::string& name, DWORD dwBoundMs, const char* pszWhat) {
  char sz[160];
  std::snprintf(sz, sizeof(sz), " ran past its bound of %lu s%s; windows shown:\n",
                (unsigned long)(dwBoundMs / 1000), pszWhat);
  return name + sz + DescribeWindows();
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR nId, DWORD) {
  static bool s_bBusy = false; // a handler that pumps must not run this again inside itself
  State& s = Shared();
  if (s_bBusy || nId != s.nTimer)
    return;
  s_bBusy = true;
  std::string report;
  bool bNow = false;
  {
    Lock lock;
    bNow = s.bArmed && !s.bOverran && ::GetTickCount() - s.dwStart >= s.dwBoundMs;
    s.bOverran = s.bOverran || bNow;
  }
  if (bNow)
    report = Report(s.name, s.dwBoundMs, "");
  if (!report.empty()) {
    // From now on the loop holding the thread is ended again every second: ending one modal state
    // may lead to the next (the box after the failed drop).
    s.nTimer = ::SetTimer(NULL, s.nTimer, 1000, OnTimer);
    if (s.handlers.onOverrun)
      s.handlers.onOverrun(report);
  }
  if (s.bOverran)
    EndModalStates();
  s_bBusy = false;
}

// Ends the processes this one started and must not leave behind: they hold its output open, and
// whoever runs it would wait on them.
void EndOthers() {
  std::vector<HANDLE> others;
  {
    Lock lock;
    others.swap(Shared().others);
  }
  for (HANDLE hProcess : others) {
    ::TerminateProcess(hProcess, 3);
    ::WaitForSingleObject(hProcess, 5000);
    ::CloseHandle(hProcess);
  }
}

DWORD WINAPI LastResort(LPVOID) {
  State& s = Shared();
  for (;;) {
    DWORD dwWait = INFINITE;
    bool bEnd = false;
    std::string name;
    DWORD dwBoundMs = 0;
    HANDLE hThread = NULL;
    {
      Lock lock;
      if (s.bArmed) {
        const DWORD dwElapsed = ::GetTickCount() - s.dwStart;
        const DWORD dwEnd = s.dwBoundMs + s.dwMarginMs;
        bEnd = dwElapsed >= dwEnd;
        dwWait = bEnd ? INFINITE : dwEnd - dwElapsed;
        name = s.name;
        dwBoundMs = s.dwBoundMs;
        hThread = s.hThread;
      }
    }
    if (bEnd) {
      // Described outside the lock: asking the program's windows takes seconds.
      const std::string report =
          Report(name, dwBoundMs, " and its thread did not get back within the margin");
      WriteOut("\n[ WATCHDOG ] " + report + "[ WATCHDOG ] the thread is inside:\n" +
               stack_report::Describe(hThread) + "[ WATCHDOG ] ending the process\n");
      EndOthers();
      if (s.handlers.onLastResort)
        s.handlers.onLastResort();
      ::TerminateProcess(::GetCurrentProcess(), 3);
    }
    ::WaitForSingleObject(s.hWake, dwWait);
  }
}

BOOL CALLBACK CancelDialog(HWND hWnd, LPARAM) {
  char szClass[16] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  // Posted, not sent: a dialog that asks again opens its box in its own loop, not inside this one.
  if (::IsWindowVisible(hWnd) && lstrcmpA(szClass, "#32770") == 0)
    ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return TRUE;
}

// The top-level windows shown on the desktop: handle, class and caption, marked with the process
// when it is not this one. Reads captions without sending messages, so a hung thread cannot block
// it.
std::string DescribeWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
  std::string text;
  for (HWND hWnd : windows) {
    char szClass[128] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(hWnd, &dwPid);
    std::string shows;
    if (lstrcmpA(szClass, "#32770") == 0)
      ::EnumChildWindows(hWnd, AddStaticText, reinterpret_cast<LPARAM>(&shows));
    // Another process's window is asked whether its thread takes messages; this process's own
    // thread may be the one that hangs.
    DWORD_PTR nResult = 0;
    const char* pszWhose = dwPid == ::GetCurrentProcessId() ? ""
                           : ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &nResult)
                               ? " (another process)"
                               : " (another process, not answering)";
    char sz[400];
    std::snprintf(sz, sizeof(sz), "  %p \"%s\" class %s at (%ld,%ld)-(%ld,%ld)%s", (void*)hWnd,
                  Caption(hWnd).c_str(), szClass, rc.left, rc.top, rc.right, rc.bottom, pszWhose);
    text += sz + (shows.empty() ? "" : ", showing" + shows) + "\n";
  }
  return text.empty() ? "  none\n" : text;
}

// Ends what holds the calling thread: cancels its dialogs and message boxes, closes its menus and
// cancels the mode of the window holding the mouse.
void EndModalStates() {
  ::EnumThreadWindows(::GetCurrentThreadId(), CancelDialog, 0);
  ::EndMenu();
  // A capture-based loop (a drag, a tracked menu, a resizing) ends on a cancelled mode or on losing
  // the capture.
  if (HWND hCapture = ::GetCapture()) {
    ::PostMessageA(hCapture, WM_CANCELMODE, 0, 0);
    ::ReleaseCapture();
  }
  if (HWND hActive = ::GetActiveWindow())
    ::PostMessageA(hActive, WM_CANCELMODE, 0, 0);
}

} // namespace

void Install(const Handlers& handlers, int nMarginSeconds) {
  State& s = Shared();
  {
    Lock lock;
    s.handlers = handlers;
    s.dwMarginMs = (DWORD)nMarginSeconds * 1000;
  }
  static HANDLE s_hThread = ::CreateThread(NULL, 0, LastResort, NULL, 0, NULL);
  (void)s_hThread;
}

void Arm(const std::string& name, int nSeconds) {
  State& s = Shared();
  {
    Lock lock;
    if (s.hThread == NULL || ::GetThreadId(s.hThread) != ::GetCurrentThreadId()) {
      if (s.hThread != NULL)
        ::CloseHandle(s.hThread);
      s.hThread = NULL;
      ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &s.hThread, 0,
                        FALSE, DUPLICATE_SAME_ACCESS);
    }
    s.name = name;
    s.dwBoundMs = (DWORD)nSeconds * 1000;
    s.dwStart = ::GetTickCount();
    s.bArmed = true;
    s.bOverran = false;
  }
  if (s.nTimer != 0)
    ::KillTimer(NULL, s.nTimer);
  s.nTimer = ::SetTimer(NULL, 0, s.dwBoundMs, OnTimer);
  ::SetEvent(s.hWake);
}

void Disarm() {
  State& s = Shared();
  {
    Lock lock;
    s.bArmed = false;
  }
  if (s.nTimer != 0)
    ::KillTimer(NULL, s.nTimer);
  s.nTimer = 0;
  ::SetEvent(s.hWake);
}

void EndWithThisProcess(HANDLE hProcess) {
  HANDLE hCopy = NULL;
  if (!::DuplicateHandle(::GetCurrentProcess(), hProcess, ::GetCurrentProcess(), &hCopy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
    return;
  Lock lock;
  Shared().others.push_back(hCopy);
}

void NoLongerEndWithThisProcess(HANDLE hProcess) {
  const DWORD dwPid = ::GetProcessId(hProcess);
  Lock lock;
  std::vector<HANDLE>& others = Shared().others;
  for (auto it = others.begin(); it != others.end();) {
    if (::GetProcessId(*it) == dwPid) {
      ::CloseHandle(*it);
      it = others.erase(it);
    } else {
      ++it;
    }
  }
}

bool Overran() {
  Lock lock;
  return Shared().bOverran;
}

} // namespace watchdog
