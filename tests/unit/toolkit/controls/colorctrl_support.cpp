#include "tests/unit/toolkit/controls/colorctrl_support.h"

#include "tests/unit/toolkit/controls/colorctrl_res.h"

#include <cctype>
#include <cstring>

namespace colorctrl_support {

namespace {

// Input is delivered once the cursor and the left button are where they were sent and nothing of
// it waits in this thread's queue any more.
bool WaitForInput(POINT ptScreen, bool bButtonDown) {
  return PumpUntil([&] {
    PumpPending();
    POINT pt;
    ::GetCursorPos(&pt);
    const bool bDown = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
    return pt.x == ptScreen.x && pt.y == ptScreen.y && bDown == bButtonDown &&
           HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
  });
}

} // namespace

bool ColorHost::Open(CExtColorCtrl& ctrl, int cx, int cy) {
  CRect rc(0, 0, cx, cy);
  ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
  if (!CreateHost("colour host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc.Width(), rc.Height()))
    return false;
  HWND hItem = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, cx - 20, cy - 20,
                                 m_hWnd, reinterpret_cast<HMENU>(IDC_COLORCTRL_ITEM), NULL, NULL);
  if (hItem == NULL || !ctrl.SubclassDlgItem(IDC_COLORCTRL_ITEM, this))
    return false;
  ::SetForegroundWindow(m_hWnd);
  UpdateWindow();
  PumpPending();
  return true;
}

LRESULT ColorHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CExtColorCtrl::g_nMsgColorChanged) {
    const COLORREF* pBlock = reinterpret_cast<const COLORREF*>(lParam);
    m_notifications.push_back({reinterpret_cast<HWND>(wParam), {pBlock[0], pBlock[1], pBlock[2]}});
    return 0;
  }
  return CHostWnd::WindowProc(message, wParam, lParam);
}

POINT ScreenPoint(HWND hWnd, int x, int y) {
  POINT pt = {x, y};
  ::ClientToScreen(hWnd, &pt);
  return pt;
}

void Press(HWND hWnd, int x, int y) {
  const POINT pt = ScreenPoint(hWnd, x, y);
  real_input::MoveTo(pt);
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  WaitForInput(pt, true);
}

void MoveInside(HWND hWnd, int x, int y) {
  const POINT pt = ScreenPoint(hWnd, x, y);
  real_input::MoveTo(pt);
  WaitForInput(pt, (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0);
}

void Release(HWND hWnd, int x, int y) {
  const POINT pt = ScreenPoint(hWnd, x, y);
  real_input::MoveTo(pt);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  WaitForInput(pt, false);
}

void Click(HWND hWnd, int x, int y) {
  Press(hWnd, x, y);
  Release(hWnd, x, y);
}

bool TypeInto(HWND hEdit, const char* pszText) {
  ::SetForegroundWindow(::GetAncestor(hEdit, GA_ROOT));
  ::SetFocus(hEdit);
  ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
  for (const char* p = pszText; *p != '\0'; ++p)
    real_input::Key(static_cast<UINT>(std::toupper(static_cast<unsigned char>(*p))));
  return PumpUntil([&] {
    char szText[64] = {};
    ::GetWindowTextA(hEdit, szText, sizeof(szText));
    return std::strcmp(szText, pszText) == 0 && HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
  });
}

pixel_support::Pixels ClientPixels(HWND hWnd) {
  ::RedrawWindow(hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  return pixel_support::ReadWindow(hWnd, rc);
}

} // namespace colorctrl_support
