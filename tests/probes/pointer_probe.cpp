// Whether the window system takes each pointer move the tests send: absolute moves sent with
// SendInput from a driver thread while the window under the pointer pumps its messages, in three
// kinds: one at a time with a rest of 150 ms after the cursor reads each; chains of five, each sent
// as soon as the cursor reads the one before (as a script that waits only for the position does);
// two at once (the second right behind the first). A move counts as lost when the cursor never reads its
// point within two seconds, and as undone when the cursor reads its point and then leaves it within 150 ms
// with no input sent (a late report of an earlier position). Prints the figures; exit status 0 when every
// move was taken.
// Usage: pointer_probe [moves per kind, 500 when not given]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

void MoveTo(POINT pt) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = ::MulDiv(pt.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = ::MulDiv(pt.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &in, sizeof(in));
}

bool CursorAt(POINT pt) {
  POINT now;
  return ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y;
}

// Waits until the cursor reads the point; false after the time-out.
bool WaitAt(POINT pt, DWORD dwTimeout) {
  for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwTimeout; ::Sleep(2))
    if (CursorAt(pt))
      return true;
  return CursorAt(pt);
}

// True when the cursor leaves the point within the time.
bool LeavesWithin(POINT pt, DWORD dwTime) {
  for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwTime; ::Sleep(2))
    if (!CursorAt(pt))
      return true;
  return false;
}

struct Figures {
  int nSent = 0, nLost = 0, nUndone = 0;
  DWORD dwSlowest = 0;
};

// Rounds of moves over the points: each move of a round waited for until the cursor reads it, or
// sent right behind the one before; the round's last move is waited for and then watched during
// a rest.
void Measure(Figures& f, const POINT* points, int nPoints, int nRounds, int nPerRound, bool bWaitEach) {
  for (int i = 0; i < nRounds; i++) {
    POINT pt = {0, 0};
    const DWORD dwStart = ::GetTickCount();
    bool bLost = false;
    for (int k = 0; k < nPerRound && !bLost; k++) {
      pt = points[(i * nPerRound + k * 2) % nPoints];
      MoveTo(pt);
      bLost = (bWaitEach || k + 1 == nPerRound) && !WaitAt(pt, 2000);
    }
    f.nSent++;
    if (bLost) {
      f.nLost++;
      MoveTo(pt); // where the next round starts from
      WaitAt(pt, 2000);
      continue;
    }
    f.dwSlowest = std::max(f.dwSlowest, ::GetTickCount() - dwStart);
    f.nUndone += LeavesWithin(pt, 150) ? 1 : 0;
  }
}

void Print(const char* pszKind, const char* pszUnit, const Figures& f) {
  std::printf("%s: %d %s, %d lost, %d undone, slowest taken in %lu ms\n", pszKind, f.nSent, pszUnit, f.nLost,
              f.nUndone, (unsigned long)f.dwSlowest);
}

} // namespace

int main(int argc, char** argv) {
  const int nMoves = argc > 1 ? std::atoi(argv[1]) : 500;
  HWND hWnd = ::CreateWindowExA(0, "STATIC", "pointer probe", WS_POPUP | WS_VISIBLE | SS_WHITERECT, 100, 100,
                                900, 700, NULL, NULL, ::GetModuleHandleA(NULL), NULL);
  ::SetForegroundWindow(hWnd);
  const POINT points[] = {{200, 200}, {700, 250}, {650, 600}, {250, 550}, {450, 400}};
  const int nPoints = sizeof(points) / sizeof(points[0]);
  Figures single, chained, pair;
  std::atomic<bool> bDone(false);
  std::thread driver([&] {
    Measure(single, points, nPoints, nMoves, 1, true);
    Measure(chained, points, nPoints, nMoves / 5, 5, true);
    Measure(pair, points, nPoints, nMoves, 2, false);
    bDone = true;
    ::PostMessageA(hWnd, WM_NULL, 0, 0);
  });
  MSG msg;
  while (!bDone && ::GetMessageA(&msg, NULL, 0, 0)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  driver.join();
  Print("one move at a time, each rested on", "moves", single);
  Print("five moves, each right after the last was read (the last counted)", "chains", chained);
  Print("two moves at once (the second counted)", "pairs", pair);
  ::DestroyWindow(hWnd);
  return single.nLost + single.nUndone + chained.nLost + chained.nUndone + pair.nLost + pair.nUndone == 0 ? 0
                                                                                                          : 1;
}
