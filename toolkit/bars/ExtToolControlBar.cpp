// The tool bar: what the popup menus ask of the bars.
#include "toolkit/bars/ExtToolControlBar.h"

// g_bMenuTracking is defined with the toolkit's globals.

void CExtToolControlBar::EndMenuTrackingInAllBars() { g_bMenuTracking = false; }
