#include "tests/unit/toolkit/menus/menu_input_support.h"
#include "tests/common/window_support.h"

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <ctime>

namespace menu_input {

namespace {

void Send(std::vector<INPUT> inputs) {
  std::thread([&] { ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)); }).join();
}

INPUT Mouse(POINT pt, DWORD dwFlags) {
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in = {INPUT_MOUSE};
  in.mi.dx = (pt.x * 65536 + cx - 1) / cx;
  in.mi.dy = (pt.y * 65536 + cy - 1) / cy;
  in.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  return in;
}

int g_nKeyDowns = 0, g_nKeyUps = 0, g_nButtonUps = 0; // seen by the probe's hooks
CPoint g_ptLast(-1, -1);

LRESULT CALLBACK ProbeKey(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION)
    ++((lParam & 0x80000000) != 0 ? g_nKeyUps : g_nKeyDowns);
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK ProbeMouse(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION) {
    if (wParam == WM_LBUTTONUP || wParam == WM_RBUTTONUP || wParam == WM_NCLBUTTONUP ||
        wParam == WM_NCRBUTTONUP)
      ++g_nButtonUps;
    g_ptLast = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
  }
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

} // namespace

void Type(const char* pszText) {
  for (const char* p = pszText; *p != 0; ++p)
    Key((UINT)std::toupper((unsigned char)*p));
}

bool WaitUntil(const std::function<bool()>& pred, int nTimeoutMs) {
  // The drain must return once the queue is empty. One that waits instead (for a message a hook
  // swallowed as it was taken) is woken by a guard, and the wait fails.
  const DWORD dwThread = ::GetCurrentThreadId();
  std::atomic<DWORD> dwDrainingSince(0);
  std::atomic<bool> bDone(false), bWoken(false);
  std::thread guard([&] {
    while (!bDone) {
      ::Sleep(20);
      const DWORD dwSince = dwDrainingSince;
      if (dwSince != 0 && (int)(::GetTickCount() - dwSince) > 2000 && !bWoken.exchange(true))
        ::PostThreadMessageA(dwThread, WM_NULL, 0, 0);
    }
  });
  const DWORD dwStart = ::GetTickCount();
  bool bHeld = false;
  for (;;) {
    dwDrainingSince = ::GetTickCount() | 1;
    CExtPopupMenuWnd::DrainMessagesAndIdle(false);
    dwDrainingSince = 0;
    if (bWoken || (bHeld = pred()) || (int)(::GetTickCount() - dwStart) > nTimeoutMs)
      break;
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
  bDone = true;
  guard.join();
  EXPECT_FALSE(bWoken) << "the menus' drain waited for a message instead of returning";
  return !bWoken && (bHeld || pred());
}

bool RestPointer(CPoint ptScreen) {
  MoveTo(ptScreen);
  return WaitUntil([&] {
    CPoint pt;
    return ::GetCursorPos(&pt) && pt == ptScreen;
  });
}

bool Activate(HWND hWnd) {
  ::SetForegroundWindow(hWnd);
  ::SetActiveWindow(hWnd);
  ::SetFocus(hWnd);
  return WaitUntil([&] { return ::GetFocus() == hWnd; });
}

CInputProbe::CInputProbe()
    : m_hKey(::SetWindowsHookExA(WH_KEYBOARD, &ProbeKey, NULL, ::GetCurrentThreadId())),
      m_hMouse(::SetWindowsHookExA(WH_MOUSE, &ProbeMouse, NULL, ::GetCurrentThreadId())) {
  EXPECT_TRUE(m_hKey != NULL && m_hMouse != NULL);
}

CInputProbe::~CInputProbe() {
  if (m_hKey != NULL)
    ::UnhookWindowsHookEx(m_hKey);
  if (m_hMouse != NULL)
    ::UnhookWindowsHookEx(m_hMouse);
}

bool CInputProbe::Key(UINT nVirtKey, bool bTooSoon, bool bHeld) {
  // A menu still appearing takes no keys.
  if (!WaitUntil([] { return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL; }))
    return false;
  const auto lastKeyCame = [](bool bJustNow) {
    const DWORD dwNow = (DWORD)std::clock();
    CExtPopupTrackSite::g_nLastKeyTime = bJustNow ? dwNow + 100000 : dwNow - 1000;
  };
  INPUT down = {INPUT_KEYBOARD};
  down.ki.wVk = (WORD)nVirtKey;
  down.ki.wScan = (WORD)::MapVirtualKeyA(nVirtKey, 0);
  INPUT up = down;
  up.ki.dwFlags = KEYEVENTF_KEYUP;
  const int nBefore = g_nKeyUps, nDownsBefore = g_nKeyDowns;
  if (bHeld) {
    lastKeyCame(false);
    Send({down});
    // The press is in; the window system sends the next press of the key still down as its repeat.
    if (!WaitUntil([&] { return g_nKeyDowns > nDownsBefore; }))
      return false;
  }
  lastKeyCame(bTooSoon);
  Send({down, up});
  return WaitUntil([&] { return g_nKeyUps > nBefore; });
}

bool CInputProbe::Move(CPoint ptScreen) {
  g_ptLast = CPoint(-1, -1);
  MoveTo(ptScreen);
  // The absolute coordinates of the input may land a pixel off.
  return WaitUntil(
      [&] { return std::abs(g_ptLast.x - ptScreen.x) <= 1 && std::abs(g_ptLast.y - ptScreen.y) <= 1; });
}

bool CInputProbe::Click(CPoint ptScreen, bool bRight) {
  const int nBefore = g_nButtonUps;
  Send({Mouse(ptScreen, 0), Mouse(ptScreen, bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
        Mouse(ptScreen, bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
  return WaitUntil([&] { return g_nButtonUps > nBefore; });
}

std::thread DriveScript(std::vector<DriverStep> steps, std::vector<bool>& results,
                        std::function<bool()> ended, HWND hWndToClose) {
  return std::thread([=, &results] {
    RunScriptSteps(steps, results);
    if (!WaitFromDriver(ended))
      ::PostMessageA(hWndToClose, WM_CLOSE, 0, 0);
  });
}

} // namespace menu_input
