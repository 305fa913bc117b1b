// Which window of a frame passes system changes (colours, settings, display, visual style) on to
// the theme and the command profiles, so that each reacts once per frame.
#pragma once

#include "framework/wnd/fw_wnd.h"

// Whether the window is the one of its frame that passes system changes on: the status bar, else
// an outer dock bar, else the MDI tab window; any window of a frame that has none of them, and any
// window outside a frame or in a mini frame.
bool ExtIsSystemChangeRelay(CWnd* pWnd);
