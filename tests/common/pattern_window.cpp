#include "tests/common/pattern_window.h"

#include "framework/core/fw_geom.h"
#include "imaging/Dib32.h"
#include "tests/common/pixel_support.h"

#include <vector>

namespace pattern_window {

namespace {

LRESULT CALLBACK PatternProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_ERASEBKGND)
    return 1;
  if (nMsg != WM_PAINT)
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  int nSalt = (int)::GetWindowLongPtrA(hWnd, GWLP_USERDATA);
  std::vector<DWORD> bits((size_t)rc.Width() * rc.Height());
  for (int y = 0; y < rc.Height(); y++)
    for (int x = 0; x < rc.Width(); x++)
      bits[(size_t)y * rc.Width() + x] = pixel_support::ToDib(PatternColor(rc.left + x, rc.top + y, nSalt));
  PAINTSTRUCT ps;
  HDC hDC = ::BeginPaint(hWnd, &ps);
  BITMAPINFO bmi = TopDownDib32(rc.Width(), rc.Height());
  ::SetDIBitsToDevice(hDC, 0, 0, rc.Width(), rc.Height(), 0, 0, 0, rc.Height(), bits.data(), &bmi,
                      DIB_RGB_COLORS);
  ::EndPaint(hWnd, &ps);
  return 0;
}

} // namespace

COLORREF PatternColor(int x, int y, int nSalt) {
  return RGB(x & 0xFF, y & 0xFF, 0x20 + ((x >> 8) & 0x0F) * 4 + ((y >> 8) & 3) + nSalt * 0x60);
}

bool CPatternWindow::Create(const RECT& rect, int nSalt, bool bDisabled) {
  Destroy();
  static ATOM s_atom = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PatternProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hCursor = ::LoadCursorA(NULL, IDC_ARROW);
    wc.lpszClassName = "CaptureTestPattern";
    return ::RegisterClassA(&wc);
  }();
  m_hWnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, "CaptureTestPattern", "pattern",
                             WS_POPUP | (bDisabled ? WS_DISABLED : 0), rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, NULL, NULL, NULL, NULL);
  if (s_atom == 0 || m_hWnd == NULL)
    return false;
  ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, nSalt);
  ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | (bDisabled ? SWP_NOACTIVATE : 0));
  if (!bDisabled)
    ::SetForegroundWindow(m_hWnd);
  ::UpdateWindow(m_hWnd);
  return true;
}

void CPatternWindow::Destroy() {
  if (m_hWnd != NULL)
    ::DestroyWindow(m_hWnd);
  m_hWnd = NULL;
}

} // namespace pattern_window
