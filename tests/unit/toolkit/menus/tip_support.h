// What the tip tests share: a hidden host and popup menu window with a tip for them, real input
// and a one-colour icon.
#pragma once

#include "tests/common/window_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"

namespace tip_test {

// Presses or releases a mouse button (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) or Alt through SendInput.
void SendButtonOrKey(int nVirtKey, bool bDown);
ExtIconPtr_t MakeSolidIcon(COLORREF clr); // 16 by 16

// The tip has the below-the-cursor style without icon; the pointer rests at (350, 315).
class TipTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  CHostWnd m_host;
  CExtPopupMenuWnd m_menu;
  CExtPopupMenuTipWnd m_tip;
};

} // namespace tip_test
