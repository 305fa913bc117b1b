// What the tip tests share: a hidden host and a hidden popup menu window with a tip to show for
// them, of the below-the-cursor style without icon, the pointer resting at (350, 315).
#pragma once

#include "tests/common/window_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

namespace tip_test {

class TipTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_host.CreateHost("tips", WS_POPUP, 100, 100));
    ASSERT_TRUE(m_menu.CreateEx(0, AfxRegisterWndClass(0), NULL, WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
    ::SetCursorPos(350, 315);
    m_tip.SetText("Tip text");
    m_tip.SetTipStyle(CExtPopupMenuTipWnd::TIP_RECT_BELOW_CURSOR_NO_ICON);
  }
  void TearDown() override {
    CExtPopupMenuTipWnd::g_pfnIsBarDragging = NULL;
    g_PopupTrackSite.m_pTrackedMenu = g_PopupTrackSite.m_pHoverMenu = NULL;
  }
  CHostWnd m_host;
  CExtPopupMenuWnd m_menu;
  CExtPopupMenuTipWnd m_tip;
};

} // namespace tip_test
