// The one bar-button menu of the process, as the popup menus and the docking windows see it. The
// tool bar class keeps its flag (CExtToolControlBar::g_bMenuTracking) and ends it in every bar;
// the bars define these two, so that the lower areas need not include the tool bar.
#pragma once

namespace ExtBarMenuTracking {
// Whether a menu opened from a tool-bar or menu-bar button is tracked.
bool IsTracking();
// CExtToolControlBar::EndMenuTrackingInAllBars.
void EndInAllBars();
} // namespace ExtBarMenuTracking
