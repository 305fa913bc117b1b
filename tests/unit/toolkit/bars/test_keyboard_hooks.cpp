// What the menu bar makes of its frame's own messages, seen through its hook: state-cancelling
// messages end keyboard selection, the popups' expansion notice is kept, and a right click on the
// caption shows the frame's system menu as a toolkit popup at the pointer.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/input_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

namespace {

struct FrameMessage {
  UINT nMessage;
  WPARAM wParam;
  const char* pszName;
};

class KeyboardHookedFrame : public ::testing::TestWithParam<FrameMessage> {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_lab.IsReady());
    ASSERT_TRUE(m_lab.HasMenuButtons());
  }
  KeyboardFrameLab m_lab;
};

TEST_P(KeyboardHookedFrame, EndsKeyboardSelection) {
  CExtMenuControlBar& bar = m_lab.MenuBar();
  HWND hWndFrame = m_lab.Frame()->m_hWnd;
  MSG press = KeyMessage(hWndFrame, WM_SYSKEYDOWN, VK_MENU),
      release = KeyMessage(hWndFrame, WM_SYSKEYUP, VK_MENU);
  bar.TranslateFrameKeyboard(&press);
  ASSERT_TRUE(bar.TranslateFrameKeyboard(&release));
  ASSERT_TRUE(WaitUntilTrue([&] { return bar.IsKeyboardSelectionMode(); }));
  ::SendMessageA(hWndFrame, GetParam().nMessage, GetParam().wParam, 0);
  EXPECT_FALSE(bar.IsKeyboardSelectionMode()) << GetParam().pszName;
  EXPECT_EQ(0u, bar.GetButtonStyle(0) & TBBS_PRESSED) << GetParam().pszName;
}

INSTANTIATE_TEST_SUITE_P(SizeActivationCommands, KeyboardHookedFrame,
                         ::testing::Values(FrameMessage{WM_SIZE, SIZE_RESTORED, "WM_SIZE"},
                                           FrameMessage{WM_ACTIVATEAPP, TRUE, "WM_ACTIVATEAPP"},
                                           FrameMessage{WM_COMMAND, MAKEWPARAM(ID_KB_NEW, 1),
                                                        "accelerator"}));

TEST(KeyboardHooks, ExpandedPopupIsRememberedForTheNextMenus) {
  KeyboardFrameLab lab;
  ASSERT_TRUE(lab.IsReady());
  CExtToolControlBar::g_bMenuExpanded = false;
  ::SendMessageA(lab.Frame()->m_hWnd, CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded, 0, 0);
  EXPECT_TRUE(CExtToolControlBar::g_bMenuExpanded);
  CExtToolControlBar::g_bMenuExpanded = false;
}

TEST(KeyboardHooks, RightClickOnTheCaptionShowsTheFrameSystemMenuAtThePointer) {
  KeyboardFrameLab lab;
  ASSERT_TRUE(lab.IsReady());
  HWND hWndFrame = lab.Frame()->m_hWnd;
  CRect rcWindow;
  ::GetWindowRect(hWndFrame, &rcWindow);
  const POINT ptCaption = {rcWindow.left + 120, rcWindow.top + ::GetSystemMetrics(SM_CYFRAME) + 6};
  ASSERT_EQ(HTCAPTION, ::SendMessageA(hWndFrame, WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
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
  const bool bShown =
      WaitUntilTrue([&] { return IsSystemMenuOpen(lab.MenuBar(), hWndFrame, lab.Frame()->m_log); });
  bDone = true;
  watchdog.join();
  EXPECT_TRUE(bShown);
  CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
  ASSERT_TRUE(pMenu != NULL && pMenu->GetSafeHwnd() != NULL);
  CRect rcMenu;
  pMenu->GetWindowRect(&rcMenu);
  EXPECT_LE(std::abs(rcMenu.left - ptCaption.x), 4) << "the menu opens at the pointer";
  EXPECT_LE(std::abs(rcMenu.top - ptCaption.y), 4);
}

} // namespace
