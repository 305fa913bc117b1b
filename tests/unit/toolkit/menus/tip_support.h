// What the tip tests share: a host window and a tip shown for it, button and key input, a
// one-colour icon, and whether a tip shows before a reference timer fires.
#pragma once

#include "tests/common/window_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"

namespace tip_test {

// Presses or releases a mouse button (VK_LBUTTON, VK_RBUTTON, VK_MBUTTON) or Alt through SendInput.
void SendButtonOrKey(int nVirtKey, bool bDown);
// A 16 by 16 icon of one colour; the caller owns it.
HICON MakeSolidIcon(COLORREF clr);
// Runs messages until the tip is visible or a reference timer of nMs fires; true when the tip
// came first. Orders two timers instead of timing one.
bool TipShowsBefore(CExtPopupMenuTipWnd& tip, UINT nMs);

// A hidden host, a hidden popup menu window and a tip of the below-the-cursor style, with the
// pointer at ptPointer.
class TipTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  CPoint m_ptPointer = CPoint(350, 315);
  CHostWnd m_host;
  CExtPopupMenuWnd m_menu;
  CExtPopupMenuTipWnd m_tip;
};

} // namespace tip_test
