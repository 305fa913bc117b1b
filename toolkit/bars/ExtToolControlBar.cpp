#include "toolkit/bars/ExtToolControlBar.h"

// A plain byte, constant-initialised: readable from the first global constructor on.
bool CExtToolControlBar::g_bMenuTracking = false;

void CExtToolControlBar::EndMenuTrackingInAllBars() { g_bMenuTracking = false; }
