// Where the docking windows' non-client painting draws.
#pragma once

#include "framework/core/fw_geom.h"

// The window's whole rectangle and its client area, both relative to the window's top-left corner.
inline void NcPaintRects(HWND hWnd, CRect& rcWnd, CRect& rcClient) {
  ::GetWindowRect(hWnd, &rcWnd);
  ::GetClientRect(hWnd, &rcClient);
  ::MapWindowPoints(hWnd, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
  rcClient.OffsetRect(-rcWnd.TopLeft());
  rcWnd.OffsetRect(-rcWnd.TopLeft());
}
