// The system menus the menu bar shows as toolkit popups: announced to the frame before they show,
// refused where the bar's flags or the window do not allow them.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

namespace {

MSG AltKey(HWND hWnd, UINT nMessage, UINT nVirtKey) {
  MSG msg = {hWnd, nMessage, nVirtKey, 1 | (1 << 29)};
  return msg;
}

class KeyboardSystemMenu : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_lab.IsReady()); }
  CExtMenuControlBar& Bar() { return m_lab.MenuBar(); }
  HWND Frame() const { return m_lab.Frame()->m_hWnd; }
  const KeyboardFrameLog& Log() const { return m_lab.Frame()->m_log; }

  KeyboardFrameLab m_lab;
};

TEST_F(KeyboardSystemMenu, AltSpaceShowsTheFrameSystemMenuAfterAnnouncingIt) {
  MSG press = AltKey(Frame(), WM_SYSKEYDOWN, VK_SPACE);
  EXPECT_TRUE(Bar().TranslateFrameKeyboard(&press));
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(Bar(), Frame(), Log()); }));
  EXPECT_EQ(1, Log().nPrepareSystemMenu);
  EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
  EXPECT_NE(0, Bar().m_nKeyboardFlags & CExtMenuControlBar::KF_SYSMENU_SHOWN);
  MSG release = AltKey(Frame(), WM_SYSKEYUP, VK_SPACE);
  EXPECT_TRUE(Bar().TranslateFrameKeyboard(&release)) << "the release belongs to the shown menu";
}

TEST_F(KeyboardSystemMenu, FrameWithoutTheFlagKeepsItsKeys) {
  Bar().m_nMenuBarFlags &= ~CExtMenuControlBar::MBF_FRAME_SYSMENU;
  MSG press = AltKey(Frame(), WM_SYSKEYDOWN, VK_SPACE);
  EXPECT_FALSE(Bar().TranslateFrameKeyboard(&press)) << "a refused menu lets the key go on";
  PumpPending();
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(0, Log().nPrepareSystemMenu);
  EXPECT_EQ(0, Bar().m_nKeyboardFlags & CExtMenuControlBar::KF_SYSMENU_SHOWN);
}

TEST_F(KeyboardSystemMenu, WindowWithoutSystemMenuIsRefusedAndEndsTracking) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("no system menu", WS_POPUP | WS_BORDER));
  CExtToolControlBar::g_bMenuTracking = true;
  EXPECT_FALSE(Bar().TrackWindowSystemMenu(&host, NULL, true));
  EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(0, Log().nPrepareSystemMenu);
  host.DestroyWindow();
}

TEST_F(KeyboardSystemMenu, ChildSystemMenuNeedsMdiMode) {
  EXPECT_FALSE(Bar().IsMdiMode());
  EXPECT_FALSE(Bar().TrackMdiChildSystemMenu(NULL, true));
  EXPECT_EQ(0, Log().nPrepareSystemMenu);
}

} // namespace
