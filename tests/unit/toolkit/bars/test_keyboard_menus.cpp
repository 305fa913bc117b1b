// Menus opened from the keyboard: mnemonics open their button's menu; with real keys in a frame
// under the display, Alt then Down opens the first menu, and Left and Right walk the row and go on
// into the frame's and the MDI child's system menus.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/pixel_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <gtest/gtest.h>

namespace {

// Disabled until a bar button opens a menu set as "not a popup menu" (the menu bar's submenus) as
// it is: today it builds its popup from that menu's first submenu, so no menu-bar menu opens.

bool ButtonMenuOpen(CExtMenuControlBar& bar, int nIndex) {
  return CExtPopupMenuWnd::AnyMenuTracked() && CExtToolControlBar::g_bMenuTracking &&
         bar.GetTrackedButton() == nIndex;
}

bool Selected(CExtMenuControlBar& bar, int nIndex) {
  return bar.IsKeyboardSelectionMode() && bar.GetFlatTrackingIndex() == nIndex;
}

// The frame with its open menu, for a person to look at.
void SaveScreen(HWND hWndFrame, const char* pszName) {
  WaitUntilTrue([] { return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL; });
  ::RedrawWindow(hWndFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  CRect rc;
  ::GetWindowRect(hWndFrame, &rc);
  rc.InflateRect(0, 0, 0, 200);
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rc), pszName);
}

TEST(KeyboardMenus, MnemonicOfTheMenuBarOpensItsMenu) {
  KeyboardLab lab;
  ASSERT_TRUE(lab.HasMenuButtons());
  CExtMenuControlBar& bar = lab.MenuBar();
  HeldKeys held{VK_MENU};
  MSG msg = KeyMessage(lab.Frame(), WM_SYSKEYDOWN, 'E');
  EXPECT_TRUE(bar.TranslateFrameKeyboard(&msg));
  EXPECT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, 1); }));
  EXPECT_FALSE(bar.IsKeyboardSelectionMode());
}

TEST(KeyboardMenus, LettersInKeyboardSelectionActAsMnemonics) {
  KeyboardLab lab;
  ASSERT_TRUE(lab.HasMenuButtons());
  CExtMenuControlBar& bar = lab.MenuBar();
  PressKey(VK_MENU);
  ASSERT_TRUE(WaitUntilTrue([&] { return Selected(bar, 0); }));
  MSG msg = KeyMessage(lab.Frame(), WM_KEYDOWN, 'H');
  EXPECT_TRUE(bar.TranslateFrameKeyboard(&msg));
  EXPECT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, 2); }));
  EXPECT_FALSE(bar.IsKeyboardSelectionMode());
}

TEST(KeyboardMenus, AltThenDownOpensTheFirstMenu) {
  KeyboardLab lab;
  ASSERT_TRUE(lab.HasMenuButtons());
  CExtMenuControlBar& bar = lab.MenuBar();
  PressKey(VK_MENU);
  ASSERT_TRUE(WaitUntilTrue([&] { return Selected(bar, 0); }));
  PressKey(VK_DOWN);
  EXPECT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, 0); }));
  EXPECT_FALSE(bar.IsKeyboardSelectionMode());
  SaveScreen(lab.Frame(), "keyboard_alt_down_file_menu.bmp");
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntilTrue([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
}

TEST(KeyboardMenus, RightFromTheLastMenuOpensTheFrameSystemMenuThenTheFirstMenu) {
  KeyboardLab lab;
  ASSERT_TRUE(lab.HasMenuButtons());
  CExtMenuControlBar& bar = lab.MenuBar();
  const int nLast = bar.GetButtonCount() - 1;
  PressKey(VK_MENU);
  ASSERT_TRUE(WaitUntilTrue([&] { return Selected(bar, 0); }));
  PressKey(VK_LEFT);
  ASSERT_TRUE(WaitUntilTrue([&] { return Selected(bar, nLast); }));
  PressKey(VK_DOWN);
  ASSERT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, nLast); }));
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(bar, lab.Frame()); }));
  SaveScreen(lab.Frame(), "keyboard_frame_system_menu.bmp");
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, 0); })) << "no MDI child: on to the first menu";
}

TEST(KeyboardMenus, LeftFromTheFirstMenuOpensTheChildSystemMenuThenTheFrameSystemMenu) {
  KeyboardLab lab(true);
  ASSERT_TRUE(lab.HasMenuButtons());
  CExtMenuControlBar& bar = lab.MenuBar();
  PressKey(VK_MENU);
  ASSERT_TRUE(WaitUntilTrue([&] { return Selected(bar, 0); }));
  PressKey(VK_DOWN);
  ASSERT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, 0); }));
  PressKey(VK_LEFT);
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(bar, lab.Child()->m_hWnd); }));
  SaveScreen(lab.Frame(), "keyboard_child_system_menu.bmp");
  PressKey(VK_LEFT);
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(bar, lab.Frame()); }));
  PressKey(VK_LEFT);
  EXPECT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, bar.GetButtonCount() - 1); }))
      << "from the frame's system menu on to the last menu";
}

TEST(KeyboardMenus, RightFromTheLastMenuGoesThroughBothSystemMenusToTheFirstMenu) {
  KeyboardLab lab(true);
  ASSERT_TRUE(lab.HasMenuButtons());
  CExtMenuControlBar& bar = lab.MenuBar();
  PressKey(VK_MENU);
  ASSERT_TRUE(WaitUntilTrue([&] { return Selected(bar, 0); }));
  PressKey(VK_LEFT);
  ASSERT_TRUE(WaitUntilTrue([&] { return Selected(bar, bar.GetButtonCount() - 1); }));
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, bar.GetButtonCount() - 1); }));
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(bar, lab.Frame()); }));
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(bar, lab.Child()->m_hWnd); }));
  PressKey(VK_RIGHT);
  EXPECT_TRUE(WaitUntilTrue([&] { return ButtonMenuOpen(bar, 0); }));
}

} // namespace
