// Tests that hang, each in another way, for check_watchdog.sh to show that the watchdog fails each
// within its bound with its name and windows, lets the next test run, and ends a process whose
// test thread takes no messages. Not a test program of the run by itself: every test but one
// fails here by design.
#include "tests/common/watchdog.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const char kClass[] = "WatchdogHangsWindow";

LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

// A shown top-level window of this thread, destroyed with the object.
class Window {
public:
  explicit Window(const char* pszCaption) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = kClass;
    ::RegisterClassA(&wc);
    m_hWnd = ::CreateWindowA(kClass, pszCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200, NULL,
                             NULL, wc.hInstance, NULL);
  }
  ~Window() { ::DestroyWindow(m_hWnd); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  HWND m_hWnd;
};

TEST(Hangs, OnAMessageBox) {
  Window owner("Box owner");
  ::MessageBoxA(owner.m_hWnd, "Nobody answers this box.", "Unanswered", MB_OK);
}

TEST(Hangs, InACaptureLoop) {
  Window window("Capturing");
  ::SetCapture(window.m_hWnd);
  // As a drag loop runs: until the capture goes.
  MSG msg;
  while (::GetCapture() == window.m_hWnd && ::GetMessageA(&msg, NULL, 0, 0) > 0)
    ::DispatchMessageA(&msg);
}

TEST(Hangs, InATrackedMenu) {
  Window owner("Menu owner");
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_STRING, 1, "Never chosen");
  ::SetForegroundWindow(owner.m_hWnd);
  ::TrackPopupMenu(hMenu, TPM_LEFTALIGN, 60, 60, 0, owner.m_hWnd, NULL);
  ::DestroyMenu(hMenu);
}

TEST(Hangs, NotAfterTheOthers) { SUCCEED(); }

// Sleeps for good; not inlined, so that the watchdog's report can name it.
__attribute__((noinline)) void SleepForGood() {
  ::Sleep(INFINITE);
  ::OutputDebugStringA("never"); // keeps the call a call, not the function's last jump
}

TEST(Hangs, WithoutTakingMessages) {
  Window window("Asleep");
  // A process of its own that would run on and keep the run's output open.
  STARTUPINFOA si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  char szCommand[] = "notepad.exe";
  ASSERT_TRUE(::CreateProcessA(NULL, szCommand, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
  watchdog::EndWithThisProcess(pi.hProcess);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  SleepForGood();
}

} // namespace
