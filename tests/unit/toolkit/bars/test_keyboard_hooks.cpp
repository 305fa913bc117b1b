// What the menu bar makes of its frame's own messages, seen through its hook: state-cancelling
// messages end keyboard selection, and a right click on the caption shows the frame's system menu
// as a toolkit popup at the pointer.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/input_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

class KeyboardHookedFrame : public ::testing::TestWithParam<std::pair<UINT, WPARAM>> {};

TEST_P(KeyboardHookedFrame, MessageEndsKeyboardSelection) {
  KeyboardLab lab;
  ASSERT_TRUE(lab.HasMenuButtons());
  CExtMenuControlBar& bar = lab.MenuBar();
  MSG press = KeyMessage(lab.Frame(), WM_SYSKEYDOWN, VK_MENU),
      release = KeyMessage(lab.Frame(), WM_SYSKEYUP, VK_MENU);
  bar.TranslateFrameKeyboard(&press);
  ASSERT_TRUE(bar.TranslateFrameKeyboard(&release));
  ASSERT_TRUE(WaitUntilTrue([&] { return bar.IsKeyboardSelectionMode(); }));
  ::SendMessageA(lab.Frame(), GetParam().first, GetParam().second, 0);
  EXPECT_FALSE(bar.IsKeyboardSelectionMode());
  EXPECT_EQ(0u, bar.GetButtonStyle(0) & TBBS_PRESSED);
}

INSTANTIATE_TEST_SUITE_P(SizeActivationAccelerator, KeyboardHookedFrame,
                         ::testing::Values(std::make_pair((UINT)WM_SIZE, (WPARAM)SIZE_RESTORED),
                                           std::make_pair((UINT)WM_ACTIVATEAPP, (WPARAM)TRUE),
                                           std::make_pair((UINT)WM_COMMAND, MAKEWPARAM(ID_KB_NEW, 1))));

TEST(KeyboardHooks, RightClickOnTheCaptionShowsTheFrameSystemMenuAtThePointer) {
  KeyboardLab lab;
  ASSERT_TRUE(lab.IsReady());
  CRect rcWindow;
  ::GetWindowRect(lab.Frame(), &rcWindow);
  const POINT ptCaption = {rcWindow.left + 120, rcWindow.top + ::GetSystemMetrics(SM_CYFRAME) + 6};
  ASSERT_EQ(HTCAPTION, ::SendMessageA(lab.Frame(), WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
  // Should the window system's own menu open instead, its modal loop would hold this thread:
  // Escape ends it, and the test fails below.
  std::atomic<bool> bDone(false);
  std::thread watchdog([&] {
    for (int i = 0; i < 600 && !bDone; ++i)
      ::Sleep(10);
    if (!bDone)
      real_input::Key(VK_ESCAPE);
  });
  real_input::MoveTo(ptCaption);
  real_input::Button(MOUSEEVENTF_RIGHTDOWN);
  real_input::Button(MOUSEEVENTF_RIGHTUP);
  const bool bShown = WaitUntilTrue([&] { return IsSystemMenuOpen(lab.MenuBar(), lab.Frame()); });
  bDone = true;
  watchdog.join();
  ASSERT_TRUE(bShown);
  CRect rcMenu;
  CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu->GetWindowRect(&rcMenu);
  EXPECT_LE(std::abs(rcMenu.left - ptCaption.x), 4) << "the menu opens at the pointer";
  EXPECT_LE(std::abs(rcMenu.top - ptCaption.y), 4);
}

} // namespace
