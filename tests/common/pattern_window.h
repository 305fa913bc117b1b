// A pop-up window that paints a coordinate-coded pattern: every screen pixel it covers gets its own
// colour, so a capture of any part of the screen can be checked pixel for pixel.
#pragma once

#include <windows.h>

namespace pattern_window {

// The colour the pattern windows paint at screen pixel (x, y): distinct for every pixel of a
// screen up to 4096 x 1024, never black or white. Windows with another salt paint other colours.
COLORREF PatternColor(int x, int y, int nSalt = 0);

// A pop-up that paints PatternColor of its screen pixels with its salt. A disabled one can never
// become the active window, so it never competes with the windows a test activates.
class CPatternWindow {
public:
  ~CPatternWindow() { Destroy(); }
  bool Create(const RECT& rect, int nSalt, bool bDisabled);
  void Destroy();
  HWND Handle() const { return m_hWnd; }

private:
  HWND m_hWnd = NULL;
};

} // namespace pattern_window
