// The toolkit's tool bar. For now it holds only what the popup menus ask of the bars: whether a
// bar button's menu is being tracked, and the call that ends such tracking in every bar.
#pragma once

class CExtToolControlBar {
public:
  // True while a tool-bar or menu-bar button's menu is tracked.
  static bool g_bMenuTracking;

  // Clears g_bMenuTracking; every bar's tracked button is reset with it.
  static void EndMenuTrackingInAllBars();
};
