#include "tests/unit/imaging/capture/capture_test_support.h"
#include "tests/common/window_support.h"

#include "imaging/Dib32.h"
#include "tests/common/pixel_support.h"

#include <windowsx.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>

namespace capture_test {

using pixel_support::ArtifactsFolder;
using pixel_support::FromDib;
using pixel_support::ToDib;

namespace {

const char kPatternClass[] = "CaptureTestPattern";

// Copies a DC's area into Pixels through a DIB section; no pixels when it cannot be made.
Pixels ReadDC(HDC hSource, int x, int y, int cx, int cy) {
  Pixels px;
  if (hSource == NULL || cx <= 0 || cy <= 0)
    return px;
  try {
    pixel_support::DibSurface copy(cx, cy, RGB(0, 0, 0), hSource);
    if (::BitBlt(copy.hdc(), 0, 0, cx, cy, hSource, x, y, SRCCOPY)) {
      px.cx = cx;
      px.cy = cy;
      px.data = copy.Pixels();
    }
  } catch (const std::runtime_error&) {
    // The empty answer is the failure: every caller reports "no pixels".
  }
  return px;
}

INPUT MouseInput(DWORD dwFlags, int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = dwFlags;
  if (dwFlags & MOUSEEVENTF_ABSOLUTE) {
    // Normalised coordinates that map back onto exactly this pixel.
    input.mi.dx = (LONG)(((LONGLONG)x * 65536 + ScreenWidth() - 1) / ScreenWidth());
    input.mi.dy = (LONG)(((LONGLONG)y * 65536 + ScreenHeight() - 1) / ScreenHeight());
  }
  return input;
}

} // namespace

COLORREF PatternColor(int x, int y, int nSalt) {
  return RGB(x & 0xFF, y & 0xFF, 0x20 + ((x >> 8) & 0x0F) * 4 + ((y >> 8) & 3) + nSalt * 0x60);
}

int ScreenWidth() { return ::GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return ::GetSystemMetrics(SM_CYSCREEN); }
CRect ScreenRect() { return CRect(0, 0, ScreenWidth(), ScreenHeight()); }

Pixels ReadBitmap(HBITMAP hBitmap) {
  Pixels px;
  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
    return px;
  std::vector<DWORD> bits((size_t)bm.bmWidth * bm.bmHeight);
  BITMAPINFO bmi = TopDownDib32(bm.bmWidth, bm.bmHeight);
  HDC hScreen = ::GetDC(NULL);
  int nLines = ::GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, bits.data(), &bmi, DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hScreen);
  if (nLines != bm.bmHeight)
    return px;
  px.cx = bm.bmWidth;
  px.cy = bm.bmHeight;
  px.data.resize(bits.size());
  for (size_t i = 0; i < bits.size(); i++)
    px.data[i] = FromDib(bits[i]);
  return px;
}

Pixels ReadScreen(const RECT& rect) {
  HDC hScreen = ::GetDC(NULL);
  Pixels px = ReadDC(hScreen, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  ::ReleaseDC(NULL, hScreen);
  return px;
}

Pixels ReadWindow(HWND hWnd, const RECT* pPart) {
  RECT rc;
  if (!::GetClientRect(hWnd, &rc))
    return Pixels();
  if (pPart != NULL)
    rc = *pPart;
  HDC hDC = ::GetDC(hWnd);
  Pixels px = ReadDC(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  ::ReleaseDC(hWnd, hDC);
  return px;
}

::testing::AssertionResult Matches(const Pixels& px, int left, int top, const ScreenFn& expected) {
  if (px.Empty())
    return ::testing::AssertionFailure() << "no pixels";
  size_t nBad = 0;
  std::ostringstream first;
  for (int y = 0; y < px.cy; y++)
    for (int x = 0; x < px.cx; x++) {
      COLORREF want = expected(left + x, top + y), got = px.At(x, y);
      if (want != got && nBad++ < 3)
        first << " (" << x << "," << y << ") is " << std::hex << got << " not " << want << std::dec << ";";
    }
  if (nBad == 0)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << nBad << " of " << px.data.size() << " pixels differ:" << first.str();
}

CRect DifferenceBox(const Pixels& px, int left, int top, const ScreenFn& expected) {
  CRect box(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  bool bAny = false;
  for (int y = 0; y < px.cy; y++)
    for (int x = 0; x < px.cx; x++)
      if (px.At(x, y) != expected(left + x, top + y)) {
        bAny = true;
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return bAny ? box : CRect();
}

std::string SaveBmp(const Pixels& px, const char* pszName) {
  if (px.Empty())
    return std::string();
  std::string path = ArtifactsFolder() + "\\" + pszName;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  DWORD nImage = (DWORD)px.data.size() * 4;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + nImage;
  info.biSize = sizeof(info);
  info.biWidth = px.cx;
  info.biHeight = px.cy; // bottom-up, which every viewer reads
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  info.biSizeImage = nImage;
  std::vector<DWORD> rows;
  rows.reserve(px.data.size());
  for (int y = px.cy - 1; y >= 0; y--)
    for (int x = 0; x < px.cx; x++)
      rows.push_back(ToDib(px.At(x, y)));
  FILE* pFile = std::fopen(path.c_str(), "wb");
  if (pFile == NULL)
    return std::string();
  bool bOk = std::fwrite(&file, sizeof(file), 1, pFile) == 1 &&
             std::fwrite(&info, sizeof(info), 1, pFile) == 1 &&
             std::fwrite(rows.data(), 4, rows.size(), pFile) == rows.size();
  bOk = std::fclose(pFile) == 0 && bOk;
  return bOk ? path : std::string();
}

// ---------------------------------------------------------------------------------------------

bool CPatternWindow::Create(const RECT& rect, int nSalt, bool bDisabled) {
  Destroy();
  static ATOM s_atom = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    wc.lpszClassName = kPatternClass;
    return ::RegisterClassA(&wc);
  }();
  if (s_atom == 0)
    return false;
  m_rect = rect;
  m_nSalt = nSalt;
  m_bits.resize((size_t)m_rect.Width() * m_rect.Height());
  for (int y = 0; y < m_rect.Height(); y++)
    for (int x = 0; x < m_rect.Width(); x++)
      m_bits[(size_t)y * m_rect.Width() + x] = ToDib(PatternColor(m_rect.left + x, m_rect.top + y, nSalt));
  m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kPatternClass, "pattern",
                             WS_POPUP | (bDisabled ? WS_DISABLED : 0), m_rect.left, m_rect.top,
                             m_rect.Width(), m_rect.Height(), NULL, NULL, ::GetModuleHandleA(NULL), this);
  if (m_hWnd == NULL)
    return false;
  if (bDisabled) {
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  } else {
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SetForegroundWindow(m_hWnd);
  }
  ::UpdateWindow(m_hWnd);
  return true;
}

void CPatternWindow::Destroy() {
  if (m_hWnd != NULL)
    ::DestroyWindow(m_hWnd);
  m_hWnd = NULL;
}

LRESULT CALLBACK CPatternWindow::WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_NCCREATE) {
    const CREATESTRUCTA* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
  }
  CPatternWindow* pThis = reinterpret_cast<CPatternWindow*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
  switch (nMsg) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hWnd, &ps);
    if (pThis != NULL && !pThis->m_bits.empty()) {
      BITMAPINFO bmi = TopDownDib32(pThis->m_rect.Width(), pThis->m_rect.Height());
      ::SetDIBitsToDevice(hDC, 0, 0, pThis->m_rect.Width(), pThis->m_rect.Height(), 0, 0, 0,
                          pThis->m_rect.Height(), pThis->m_bits.data(), &bmi, DIB_RGB_COLORS);
    }
    ::EndPaint(hWnd, &ps);
    return 0;
  }
  default:
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  }
}

// ---------------------------------------------------------------------------------------------

void PumpFor(int nMilliseconds) {
  DWORD dwStart = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    DWORD dwElapsed = ::GetTickCount() - dwStart;
    if ((int)dwElapsed >= nMilliseconds)
      return;
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, nMilliseconds - dwElapsed, QS_ALLINPUT);
  }
}

::testing::AssertionResult WaitForScreen(const ScreenFn& expected, int nTimeoutMs) {
  DWORD dwStart = ::GetTickCount();
  for (;;) {
    PumpFor(20);
    ::testing::AssertionResult match = Matches(ReadScreen(ScreenRect()), 0, 0, expected);
    if (match)
      return match;
    if ((int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return ::testing::AssertionFailure()
             << "the screen does not show the expected picture: " << match.message();
  }
}

void InjectMove(int x, int y) {
  INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
  ::SendInput(1, &input, sizeof(INPUT));
}

::testing::AssertionResult MovePointer(int x, int y, int nTimeoutMs) {
  InjectMove(x, y);
  DWORD dwStart = ::GetTickCount();
  for (;;) {
    POINT pt;
    if (::GetCursorPos(&pt) && pt.x == x && pt.y == y)
      return ::testing::AssertionSuccess();
    if ((int)(::GetTickCount() - dwStart) > nTimeoutMs)
      return ::testing::AssertionFailure() << "the pointer stays at " << pt.x << "," << pt.y;
    PumpFor(5);
  }
}

void InjectButton(bool bDown) {
  INPUT input = MouseInput(bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0);
  ::SendInput(1, &input, sizeof(INPUT));
}

void InjectButtonAt(int x, int y, bool bDown) {
  INPUT input = MouseInput(
      MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | (bDown ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP), x, y);
  ::SendInput(1, &input, sizeof(INPUT));
}

void InjectKey(WORD wVk, bool bDown) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = wVk;
  input.ki.wScan = (WORD)::MapVirtualKeyA(wVk, 0);
  input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
  if (wVk == VK_LEFT || wVk == VK_RIGHT || wVk == VK_UP || wVk == VK_DOWN)
    input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  ::SendInput(1, &input, sizeof(INPUT));
}

// ---------------------------------------------------------------------------------------------

int CTestCaptureDlg::Find(UINT nMsg, CPoint point, size_t nFrom) const {
  for (size_t i = nFrom; i < m_messages.size(); i++)
    if (m_messages[i].nMsg == nMsg && m_messages[i].point == point)
      return (int)i;
  return -1;
}

int CTestCaptureDlg::FindKey(WPARAM wVk, size_t nFrom) const {
  for (size_t i = nFrom; i < m_messages.size(); i++)
    if (m_messages[i].nMsg == WM_KEYDOWN && m_messages[i].wParam == wVk)
      return (int)i;
  return -1;
}

int CTestCaptureDlg::FindMessage(UINT nMsg, size_t nFrom) const {
  for (size_t i = nFrom; i < m_messages.size(); i++)
    if (m_messages[i].nMsg == nMsg)
      return (int)i;
  return -1;
}

bool CTestCaptureDlg::SawText(const std::string& text) const {
  for (const Text& t : m_texts)
    if (t.text == text)
      return true;
  return false;
}

LRESULT CTestCaptureDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_SHOWWINDOW && wParam) ||
      (message == WM_WINDOWPOSCHANGING && (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)))
    m_bShown = true;
  LRESULT lResult = CCaptureDlg::WindowProc(message, wParam, lParam);
  switch (message) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
    m_messages.push_back(Message{message, wParam, CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))});
    break;
  case WM_KEYDOWN:
  case WM_COMMAND:
    m_messages.push_back(Message{message, wParam, CPoint()});
    break;
  default:
    break;
  }
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

namespace {
// A step that injects once and then waits for what the overlay records.
CScript::Step InjectThenWait(CTestCaptureDlg& dlg, std::function<void()> inject,
                             std::function<bool(size_t nMark)> seen) {
  auto pMark = std::make_shared<long>(-1);
  return [&dlg, pMark, inject, seen] {
    if (*pMark < 0) {
      *pMark = (long)dlg.m_messages.size();
      inject();
      return false;
    }
    return seen((size_t)*pMark);
  };
}

std::string At(const char* pszWhat, int x, int y) {
  std::ostringstream s;
  s << pszWhat << " at " << x << "," << y;
  return s.str();
}
} // namespace

CScript& CScript::MoveTo(int x, int y) {
  return Then(At("move", x, y),
              InjectThenWait(
                  m_dlg, [x, y] { InjectMove(x, y); },
                  [this, x, y](size_t n) { return m_dlg.Find(WM_MOUSEMOVE, CPoint(x, y), n) >= 0; }));
}

CScript& CScript::Press(int x, int y) {
  return Then(At("press", x, y),
              InjectThenWait(
                  m_dlg, [x, y] { InjectButtonAt(x, y, true); },
                  [this, x, y](size_t n) { return m_dlg.Find(WM_LBUTTONDOWN, CPoint(x, y), n) >= 0; }));
}

CScript& CScript::Release(int x, int y) {
  return Then(At("release", x, y),
              InjectThenWait(
                  m_dlg, [x, y] { InjectButtonAt(x, y, false); },
                  [this, x, y](size_t n) { return m_dlg.Find(WM_LBUTTONUP, CPoint(x, y), n) >= 0; }));
}

CScript& CScript::Click(int x, int y) { return Press(x, y).Release(x, y); }

CScript& CScript::ClickHere() {
  return Then("click where the pointer is",
              InjectThenWait(
                  m_dlg,
                  [] {
                    InjectButton(true);
                    InjectButton(false);
                  },
                  [this](size_t n) { return m_dlg.FindMessage(WM_LBUTTONUP, n) >= 0; }));
}

CScript& CScript::DoubleClick(int x, int y) {
  return Then(At("double click", x, y),
              InjectThenWait(
                  m_dlg,
                  [x, y] {
                    InjectButtonAt(x, y, true);
                    InjectButtonAt(x, y, false);
                    InjectButtonAt(x, y, true);
                    InjectButtonAt(x, y, false);
                  },
                  [this, x, y](size_t n) { return m_dlg.Find(WM_LBUTTONDBLCLK, CPoint(x, y), n) >= 0; }));
}

CScript& CScript::Key(WORD wVk, bool bCtrl) {
  bool bArrow = wVk == VK_LEFT || wVk == VK_RIGHT || wVk == VK_UP || wVk == VK_DOWN;
  std::ostringstream name;
  name << "key " << wVk << (bCtrl ? " with Ctrl" : "");
  return Then(name.str(), InjectThenWait(
                              m_dlg,
                              [wVk, bCtrl] {
                                if (bCtrl)
                                  InjectKey(VK_CONTROL, true);
                                InjectKey(wVk, true);
                                InjectKey(wVk, false);
                                if (bCtrl)
                                  InjectKey(VK_CONTROL, false);
                              },
                              [this, wVk, bArrow](size_t n) {
                                int nKey = m_dlg.FindKey(wVk, n);
                                if (nKey < 0)
                                  return false;
                                if (!bArrow)
                                  return true;
                                // The pointer movement the arrow makes comes after the key.
                                for (size_t i = nKey + 1; i < m_dlg.m_messages.size(); i++)
                                  if (m_dlg.m_messages[i].nMsg == WM_MOUSEMOVE)
                                    return true;
                                return false;
                              }));
}

CScript& CScript::EndKey(WORD wVk) {
  std::ostringstream name;
  name << "end key " << wVk;
  return Then(name.str(), [wVk] {
    InjectKey(wVk, true);
    InjectKey(wVk, false);
    return true;
  });
}

CScript& CScript::Pause(int nMilliseconds) {
  auto pStart = std::make_shared<DWORD>(0);
  return Then("pause", [pStart, nMilliseconds] {
    if (*pStart == 0) {
      *pStart = ::GetTickCount() | 1;
      return false;
    }
    return (int)(::GetTickCount() - *pStart) >= nMilliseconds;
  });
}

void CScript::Start(int nTimeoutMs) {
  Stop();
  s_pActive = this;
  m_nNext = 0;
  m_bTimedOut = false;
  m_dwDeadline = ::GetTickCount() + nTimeoutMs;
  m_nTimer = ::SetTimer(NULL, 0, 10, TimerProc);
}

void CScript::Stop() {
  if (m_nTimer != 0)
    ::KillTimer(NULL, m_nTimer);
  m_nTimer = 0;
  if (s_pActive == this)
    s_pActive = NULL;
}

std::string CScript::Pending() const { return Finished() ? std::string("nothing") : m_steps[m_nNext].first; }

void CALLBACK CScript::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  if (s_pActive != NULL)
    s_pActive->Tick();
}

void CScript::Tick() {
  if (m_bInTick)
    return;
  m_bInTick = true;
  while (m_nNext < m_steps.size() && m_steps[m_nNext].second())
    m_nNext++;
  if (!m_bTimedOut && (LONG)(::GetTickCount() - m_dwDeadline) > 0 && m_dlg.m_hWnd != NULL &&
      ::IsWindow(m_dlg.m_hWnd)) {
    m_bTimedOut = true;
    ::PostMessageA(m_dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
  }
  m_bInTick = false;
}

CaptureResult RunCapture(CTestCaptureDlg& dlg, CScript& script) {
  CaptureResult result;
  script.Start();
  result.nResult = dlg.DoModal();
  script.Stop();
  CBitmap bitmap;
  if (HBITMAP hBitmap = dlg.DetachCaptured()) {
    bitmap.Attach(hBitmap);
    result.bBitmap = true;
    result.pixels = ReadBitmap(hBitmap);
  }
  return result;
}

// ---------------------------------------------------------------------------------------------

CPatternWindow& CaptureScreenTest::Background() {
  static CPatternWindow background;
  if (background.Handle() == NULL || !::IsWindow(background.Handle()))
    background.Create(ScreenRect(), 0, true);
  return background;
}

void CaptureScreenTest::SetUp() {
  TheTestApp();
  HWND hBackground = Background().Handle();
  ASSERT_TRUE(hBackground != NULL);
  ::SetWindowPos(hBackground, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // The pointer starts in the middle, away from the magnifier's corners.
  InjectMove(ScreenWidth() / 2, ScreenHeight() / 2);
  ASSERT_TRUE(WaitForScreen(Pattern()));
  ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
}

} // namespace capture_test
