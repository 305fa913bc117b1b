// What the colour control and colour dialog tests share: a host that records the control's
// colour notifications, real mouse input in a window's client coordinates, and reading a window's
// pixels back.
#pragma once

#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "toolkit/controls/ExtColorCtrl.h"

#include <array>
#include <vector>

namespace colorctrl_support {

// One colour notification: the control's window and its reference, current and previous colours.
struct Notification {
  HWND hWndCtrl;
  std::array<COLORREF, 3> colors;
  COLORREF Current() const { return colors[1]; }
  COLORREF Previous() const { return colors[2]; }
};

// A shown top-level window whose one child, a static item, a colour control subclasses; it keeps
// every notification the control sends it.
class ColorHost : public CHostWnd {
public:
  // Makes the host with a client area of cx x cy and the control filling it less a margin of 10.
  bool Open(CExtColorCtrl& ctrl, int cx = 300, int cy = 240);
  std::vector<Notification> m_notifications;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The screen point of a client point of a window.
POINT ScreenPoint(HWND hWnd, int x, int y);
// Real mouse input at client points of hWnd; each waits until the window has seen the input.
void Press(HWND hWnd, int x, int y);
void MoveInside(HWND hWnd, int x, int y);
void Release(HWND hWnd, int x, int y);
void Click(HWND hWnd, int x, int y);
// Types the text into the edit as real keys, replacing what it holds; waits until it shows it.
bool TypeInto(HWND hEdit, const char* pszText);
// The window's client pixels as painted now.
pixel_support::Pixels ClientPixels(HWND hWnd);

} // namespace colorctrl_support
