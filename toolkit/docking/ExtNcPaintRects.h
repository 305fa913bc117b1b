// Where the docking windows' non-client painting draws.
#pragma once

#include "framework/core/fw_geom.h"
#include "framework/wnd/fw_wnd.h"

// The window's whole rectangle and its client area, both relative to the window's top-left corner.
inline void NcPaintRects(CWnd* pWnd, CRect& rcWnd, CRect& rcClient) {
  pWnd->GetWindowRect(&rcWnd);
  pWnd->GetClientRect(&rcClient);
  pWnd->ClientToScreen(&rcClient);
  rcClient.OffsetRect(-rcWnd.TopLeft());
  rcWnd.OffsetRect(-rcWnd.TopLeft());
}
