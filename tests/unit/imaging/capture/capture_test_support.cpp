#include "tests/unit/imaging/capture/capture_test_support.h"
#include "tests/common/window_support.h"

#include "tests/common/pixel_support.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>

namespace capture_test {

namespace {

// Mouse input; with MOUSEEVENTF_MOVE at exactly the pixel (x, y).
void InjectMouse(DWORD dwFlags, int x = 0, int y = 0) {
  INPUT input = {INPUT_MOUSE};
  input.mi.dwFlags = dwFlags | (dwFlags & MOUSEEVENTF_MOVE ? MOUSEEVENTF_ABSOLUTE : 0);
  input.mi.dx = (LONG)(((LONGLONG)x * 65536 + ScreenWidth() - 1) / ScreenWidth());
  input.mi.dy = (LONG)(((LONGLONG)y * 65536 + ScreenHeight() - 1) / ScreenHeight());
  ::SendInput(1, &input, sizeof(INPUT));
}

bool IsArrow(WORD wVk) { return wVk == VK_LEFT || wVk == VK_RIGHT || wVk == VK_UP || wVk == VK_DOWN; }

void InjectKey(WORD wVk, bool bDown) {
  INPUT input = {INPUT_KEYBOARD};
  input.ki.wVk = wVk;
  input.ki.wScan = (WORD)::MapVirtualKeyA(wVk, 0);
  input.ki.dwFlags = (bDown ? 0 : KEYEVENTF_KEYUP) | (IsArrow(wVk) ? KEYEVENTF_EXTENDEDKEY : 0);
  ::SendInput(1, &input, sizeof(INPUT));
}

// Waits up to nMilliseconds for messages, then runs what has come.
void PumpFor(int nMilliseconds) {
  ::MsgWaitForMultipleObjects(0, NULL, FALSE, nMilliseconds, QS_ALLINPUT);
  PumpPending();
}

} // namespace

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }
CRect ScreenRect() { return CRect(0, 0, ScreenWidth(), ScreenHeight()); }

CRect DifferenceBox(const Pixels& px, int left, int top, const ScreenFn& expected) {
  CRect box;
  for (int y = 0; y < px.cy; y++)
    for (int x = 0; x < px.cx; x++)
      if (px.At(x, y) != expected(left + x, top + y))
        box |= CRect(x, y, x + 1, y + 1);
  return box;
}

::testing::AssertionResult Matches(const Pixels& px, int left, int top, const ScreenFn& expected) {
  if (px.Empty())
    return ::testing::AssertionFailure() << "no pixels";
  CRect box = DifferenceBox(px, left, top, expected);
  if (box.IsRectEmpty())
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixels differ in " << ::testing::PrintToString(box) << ", at its "
                                       << "top-left " << std::hex << px.At(box.left, box.top) << " not "
                                       << expected(left + box.left, top + box.top);
}

::testing::AssertionResult WaitForScreen(const ScreenFn& expected, int nTimeoutMs) {
  for (DWORD dwStart = ::GetTickCount();;) {
    PumpFor(20);
    ::testing::AssertionResult match = Matches(ReadWindow(NULL, ScreenRect()), 0, 0, expected);
    if (match || (int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return match << " (the screen)";
  }
}

::testing::AssertionResult MovePointer(int x, int y, int nTimeoutMs) {
  InjectMouse(MOUSEEVENTF_MOVE, x, y);
  for (DWORD dwStart = ::GetTickCount();; PumpFor(5)) {
    POINT pt;
    if (::GetCursorPos(&pt) && pt.x == x && pt.y == y)
      return ::testing::AssertionSuccess();
    if ((int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return ::testing::AssertionFailure() << "the pointer stays at " << pt.x << "," << pt.y;
  }
}

// ---------------------------------------------------------------------------------------------

int CTestCaptureDlg::Find(UINT nMsg, size_t nFrom, const std::function<bool(const Message&)>& pred) const {
  for (size_t i = nFrom; i < m_messages.size(); i++)
    if (m_messages[i].nMsg == nMsg && (!pred || pred(m_messages[i])))
      return (int)i;
  return -1;
}

bool CTestCaptureDlg::SawText(const std::string& text) const {
  return std::any_of(m_texts.begin(), m_texts.end(), [&](const Text& t) { return t.text == text; });
}

LRESULT CTestCaptureDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_SHOWWINDOW && wParam) ||
      (message == WM_WINDOWPOSCHANGING && (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)))
    m_bShown = true;
  LRESULT lResult = CCaptureDlg::WindowProc(message, wParam, lParam);
  if (message == WM_KEYDOWN || (message >= WM_MOUSEMOVE && message <= WM_LBUTTONDBLCLK))
    m_messages.push_back(Message{message, wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))});
  return lResult;
}

void CTestCaptureDlg::DrawMagnifierText(CDC* pDC, int x, int y, const CString& strText) {
  m_texts.push_back(Text{x, y, std::string((LPCSTR)strText)});
  CCaptureDlg::DrawMagnifierText(pDC, x, y, strText);
}

// ---------------------------------------------------------------------------------------------

CScript* CScript::s_pActive = NULL;

CScript& CScript::Then(const std::string& name, Step step) {
  m_steps.emplace_back(name, std::move(step));
  return *this;
}

CScript& CScript::WaitReady() {
  return Then("the overlay is shown with the focus", [this] {
    HWND hWnd = m_dlg.m_hWnd;
    return hWnd != NULL && ::IsWindowVisible(hWnd) && ::GetForegroundWindow() == hWnd && ::GetFocus() == hWnd;
  });
}

CScript& CScript::Input(const std::string& name, std::function<void()> inject,
                        std::function<bool(size_t)> seen) {
  auto pMark = std::make_shared<long>(-1);
  return Then(name, [this, pMark, inject, seen] {
    if (*pMark >= 0)
      return seen((size_t)*pMark);
    *pMark = (long)m_dlg.m_messages.size();
    inject();
    return false;
  });
}

CScript& CScript::Mouse(const char* pszWhat, std::vector<DWORD> inputs, UINT nMsg, int x, int y) {
  return Input(
      std::string(pszWhat) + " at " + std::to_string(x) + "," + std::to_string(y),
      [=] {
        for (DWORD dwFlags : inputs)
          InjectMouse(MOUSEEVENTF_MOVE | dwFlags, x, y);
      },
      [=](size_t n) {
        return m_dlg.Find(nMsg, n,
                          [=](const CTestCaptureDlg::Message& m) { return m.point == CPoint(x, y); }) >= 0;
      });
}

CScript& CScript::Do(const std::string& steps) {
  std::istringstream in(steps);
  for (std::string t; in >> t;) {
    int x = 0, y = 0;
    std::sscanf(t.c_str() + 1, "%d,%d", &x, &y);
    const DWORD dwDown = MOUSEEVENTF_LEFTDOWN, dwUp = MOUSEEVENTF_LEFTUP;
    if (t[0] == 'M')
      Mouse("move", {0}, WM_MOUSEMOVE, x, y);
    if (t[0] == 'P' || t[0] == 'C')
      Mouse("press", {dwDown}, WM_LBUTTONDOWN, x, y);
    if (t[0] == 'R' || t[0] == 'C')
      Mouse("release", {dwUp}, WM_LBUTTONUP, x, y);
    if (t[0] == 'D')
      Mouse("double click", {dwDown, dwUp, dwDown, dwUp}, WM_LBUTTONDBLCLK, x, y);
    if (t[0] == 'Q')
      QuickMoves(t.substr(1));
    auto pStart = std::make_shared<DWORD>(0);
    if (t[0] == 'W')
      Then("past the double-click time", [pStart] {
        *pStart = *pStart != 0 ? *pStart : ::GetTickCount() | 1;
        return (int)(::GetTickCount() - *pStart) > (int)::GetDoubleClickTime() + 150;
      });
    if (t[0] == 'E')
      Then(t, [t] {
        InjectKey(t == "Enter" ? VK_RETURN : VK_ESCAPE, true);
        InjectKey(t == "Enter" ? VK_RETURN : VK_ESCAPE, false);
        return true;
      });
  }
  return *this;
}

CScript& CScript::QuickMoves(const std::string& points) {
  std::vector<CPoint> path;
  std::istringstream in(points);
  for (std::string pt; std::getline(in, pt, ';');) {
    int x = 0, y = 0;
    std::sscanf(pt.c_str(), "%d,%d", &x, &y);
    path.emplace_back(x, y);
  }
  const CPoint end = path.empty() ? CPoint() : path.back();
  return Input(
      "quick moves to " + std::to_string(end.x) + "," + std::to_string(end.y),
      [=] {
        for (const CPoint& pt : path)
          InjectMouse(MOUSEEVENTF_MOVE, pt.x, pt.y);
      },
      [=](size_t n) {
        return m_dlg.Find(WM_MOUSEMOVE, n,
                          [=](const CTestCaptureDlg::Message& m) { return m.point == end; }) >= 0;
      });
}

CScript& CScript::ClickHere() {
  return Input(
      "click where the pointer is",
      [] {
        InjectMouse(MOUSEEVENTF_LEFTDOWN);
        InjectMouse(MOUSEEVENTF_LEFTUP);
      },
      [this](size_t n) { return m_dlg.Find(WM_LBUTTONUP, n) >= 0; });
}

CScript& CScript::Key(WORD wVk, bool bCtrl) {
  return Input(
      "key " + std::to_string(wVk) + (bCtrl ? " with Ctrl" : ""),
      [=] {
        if (bCtrl)
          InjectKey(VK_CONTROL, true);
        InjectKey(wVk, true);
        InjectKey(wVk, false);
        if (bCtrl)
          InjectKey(VK_CONTROL, false);
      },
      [=](size_t n) {
        int nKey =
            m_dlg.Find(WM_KEYDOWN, n, [=](const CTestCaptureDlg::Message& m) { return m.wParam == wVk; });
        // The pointer movement an arrow makes comes after the key.
        return nKey >= 0 && (!IsArrow(wVk) || m_dlg.Find(WM_MOUSEMOVE, nKey + 1) >= 0);
      });
}

void CALLBACK CScript::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  CScript* pThis = s_pActive;
  if (pThis == NULL || pThis->m_bInTick)
    return;
  pThis->m_bInTick = true;
  while (pThis->m_nNext < pThis->m_steps.size() && pThis->m_steps[pThis->m_nNext].second())
    pThis->m_nNext++;
  HWND hWnd = pThis->m_dlg.m_hWnd;
  if (!pThis->m_bTimedOut && (LONG)(::GetTickCount() - pThis->m_dwDeadline) > 0 && ::IsWindow(hWnd)) {
    pThis->m_bTimedOut = true;
    ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
  }
  pThis->m_bInTick = false;
}

INT_PTR CScript::Run(int nTimeoutMs) {
  s_pActive = this;
  m_dwDeadline = ::GetTickCount() + nTimeoutMs;
  UINT_PTR nTimer = ::SetTimer(NULL, 0, 10, TimerProc);
  INT_PTR nResult = m_dlg.DoModal();
  ::KillTimer(NULL, nTimer);
  s_pActive = NULL;
  return nResult;
}

// ---------------------------------------------------------------------------------------------

void CaptureScreenTest::SetUp() {
  TheTestApp();
  static CPatternWindow background;
  if (!::IsWindow(background.Handle()))
    ASSERT_TRUE(background.Create(ScreenRect(), 0, true));
  ::SetWindowPos(background.Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // The pointer starts in the middle, away from the magnifier's corners.
  InjectMouse(MOUSEEVENTF_MOVE, ScreenWidth() / 2, ScreenHeight() / 2);
  ASSERT_TRUE(WaitForScreen(Pattern()));
  ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
}

CaptureResult CaptureScreenTest::Run(int nMode, const std::function<void(CScript&)>& mark) {
  m_dlg.m_nCaptureType = nMode;
  CScript script(m_dlg);
  if (mark)
    mark(script.WaitReady());
  CaptureResult result;
  result.nResult = script.Run();
  EXPECT_FALSE(script.TimedOut()) << "stuck waiting for: " << script.Pending();
  CBitmap bitmap;
  result.bBitmap = bitmap.Attach(m_dlg.DetachCaptured()) != FALSE;
  result.pixels = ReadBitmap((HBITMAP)bitmap.GetSafeHandle());
  return result;
}

} // namespace capture_test
