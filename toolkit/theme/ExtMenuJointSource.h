// What the Office 2003 theme reads of a popup menu that is joined to the bar button that opened
// it. The popup menu implements it; the paint manager finds it behind the paint request's source
// object, so the theme never names the menu, bar or button classes.
#pragma once

#include <windows.h>

class CExtMenuJointSource {
public:
  // The bar and the tracked button as the joint needs them.
  struct BarState_t {
    bool m_bToolBar = false;        // the bar is a tool bar (menu bars are tool bars too)
    bool m_bMenuBar = false;        // the bar is the menu bar
    bool m_bFloating = false;       // the bar floats
    bool m_bDockSiteStyle4 = false; // the bar's dock site has style bit 0x4
    BYTE m_nBarOptions = 0;         // the bar's option byte
    bool m_bChevron = false;        // the tracked button is the bar's content-expand button
    bool m_bButtonPressed = false;  // the tracked button's pressed answer
  };

  virtual ~CExtMenuJointSource() = default;
  // False when the menu was not opened from a bar.
  virtual bool GetJointBarState(BarState_t& state) const = 0;
};
