// What the colour control and colour dialog tests share: a host that records the control's colour
// notifications, real mouse and key input in client coordinates, and pixels read back.
#pragma once

#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "toolkit/controls/ExtColorCtrl.h"

#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace colorctrl_support {

// One notification: the control's window and its reference, current and previous colours.
struct Notification {
  HWND hWndCtrl;
  std::array<COLORREF, 3> colors;
  COLORREF Current() const { return colors[1]; }
  COLORREF Previous() const { return colors[2]; }
};

// A shown top-level window whose one child, a static item, the control subclasses (filling the
// cx x cy client area less a margin of 10); it keeps every notification the control sends.
class ColorHost : public CHostWnd {
public:
  bool Open(CExtColorCtrl& ctrl, int cx = 300, int cy = 240) {
    CRect rc(0, 0, cx, cy);
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    if (!CreateHost("colour host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc.Width(), rc.Height()) ||
        ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, cx - 20, cy - 20,
                          m_hWnd, reinterpret_cast<HMENU>(100), NULL, NULL) == NULL ||
        !ctrl.SubclassDlgItem(100, this))
      return false;
    ::SetForegroundWindow(m_hWnd);
    UpdateWindow();
    PumpPending();
    return true;
  }
  std::vector<Notification> m_notifications;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != CExtColorCtrl::g_nMsgColorChanged)
      return CHostWnd::WindowProc(message, wParam, lParam);
    const COLORREF* pBlock = reinterpret_cast<const COLORREF*>(lParam);
    m_notifications.push_back({reinterpret_cast<HWND>(wParam), {pBlock[0], pBlock[1], pBlock[2]}});
    return 0;
  }
};

inline bool LeftDown() { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; }

// Moves the pointer to a client point of hWnd, then sends the button flag (none: only the move);
// waits until the cursor and the button are as sent and nothing of it is left in the queue.
inline void Mouse(HWND hWnd, CPoint pt, DWORD dwButton = 0) {
  ::ClientToScreen(hWnd, &pt);
  real_input::MoveTo(pt);
  if (dwButton != 0)
    real_input::Button(dwButton);
  const bool bDown = dwButton == 0 ? LeftDown() : dwButton == MOUSEEVENTF_LEFTDOWN;
  PumpUntil([&] {
    PumpPending();
    POINT ptNow;
    ::GetCursorPos(&ptNow);
    return CPoint(ptNow) == pt && LeftDown() == bDown && HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
  });
}

inline void Click(HWND hWnd, CPoint pt) {
  Mouse(hWnd, pt, MOUSEEVENTF_LEFTDOWN);
  Mouse(hWnd, pt, MOUSEEVENTF_LEFTUP);
}

inline std::string Text(HWND hWnd) {
  char sz[128] = {};
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

// Types the text into the edit as real keys, replacing what it holds; waits until it shows it.
inline bool TypeInto(HWND hEdit, const char* pszText) {
  ::SetForegroundWindow(::GetAncestor(hEdit, GA_ROOT));
  ::SetFocus(hEdit);
  ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
  for (const char* p = pszText; *p != '\0'; ++p)
    real_input::Key(static_cast<UINT>(std::toupper(static_cast<unsigned char>(*p))));
  return PumpUntil([&] { return Text(hEdit) == pszText && HIWORD(::GetQueueStatus(QS_INPUT)) == 0; });
}

// The point at fractions of the client area.
inline CPoint At(HWND hWnd, double fx, double fy) {
  CRect rc;
  ::GetClientRect(hWnd, &rc);
  return CPoint(int(rc.Width() * fx), int(rc.Height() * fy));
}

// The client pixels as painted now.
inline pixel_support::Pixels ClientPixels(HWND hWnd) {
  ::RedrawWindow(hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  return pixel_support::ReadWindow(hWnd, rc);
}

} // namespace colorctrl_support
