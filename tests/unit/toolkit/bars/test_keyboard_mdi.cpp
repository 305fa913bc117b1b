// The menu bar in an MDI frame: the document menus the client is handed stay their sender's, and
// Alt+minus opens the active child's system menu.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

namespace {

class KeyboardMdiClient : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_lab.IsReady());
    ASSERT_TRUE(m_lab.HasMdiHooks());
    m_hWndClient = m_lab.Frame()->m_hWndMDIClient;
  }
  void TearDown() override {
    for (HMENU hMenu : m_menus)
      ::DestroyMenu(hMenu);
  }
  HMENU NewMenu() {
    m_menus.push_back(CreateKeyboardTestMenu());
    return m_menus.back();
  }

  KeyboardMdiLab m_lab;
  HWND m_hWndClient = NULL;
  std::vector<HMENU> m_menus; // the test's own, destroyed by it alone
};

TEST_F(KeyboardMdiClient, DocumentMenusHandedOverStayTheSenders) {
  CExtMenuControlBar& bar = m_lab.MenuBar();
  HMENU hFirst = NewMenu(), hSecond = NewMenu();
  ::SendMessageA(m_hWndClient, WM_MDISETMENU, (WPARAM)hFirst, 0);
  EXPECT_EQ(hFirst, bar.m_menuDoc.GetSafeHmenu());
  const LRESULT lPrevious = ::SendMessageA(m_hWndClient, WM_MDISETMENU, (WPARAM)hSecond, 0);
  EXPECT_EQ(hSecond, bar.m_menuDoc.GetSafeHmenu());
  EXPECT_EQ((LRESULT)hFirst, lPrevious) << "the answer names the menu shown before";
  EXPECT_TRUE(::IsMenu(hFirst)) << "a menu handed over is never destroyed by the bar";
  PumpPending();
  EXPECT_TRUE(::IsMenu(hSecond));
  bar.m_menuDoc.Detach(); // the frame goes before the test's menus
}

TEST_F(KeyboardMdiClient, AltMinusOpensTheActiveChildSystemMenu) {
  CExtMenuControlBar& bar = m_lab.MenuBar();
  HWND hWndChild = m_lab.Child()->m_hWnd;
  MSG press = KeyMessage(m_lab.Frame()->m_hWnd, WM_SYSKEYDOWN, VK_SUBTRACT);
  EXPECT_TRUE(bar.TranslateFrameKeyboard(&press));
  EXPECT_TRUE(WaitUntilTrue([&] { return IsSystemMenuOpen(bar, hWndChild, m_lab.Frame()->m_log); }));
  MSG release = KeyMessage(m_lab.Frame()->m_hWnd, WM_SYSKEYUP, VK_SUBTRACT);
  EXPECT_TRUE(bar.TranslateFrameKeyboard(&release));
}

TEST_F(KeyboardMdiClient, AltMinusWithoutChildIgnoresTheNextAltRelease) {
  CExtMenuControlBar& bar = m_lab.MenuBar();
  m_lab.Child()->MDIDestroy(); // the child deletes itself
  bool bMaximized = false;
  ASSERT_TRUE(WaitUntilTrue([&] { return bar.GetActiveMdiChildWnd(bMaximized) == NULL; }));
  CExtMenuControlBar::g_bKeyboardAltIgnore = false;
  MSG press = KeyMessage(m_lab.Frame()->m_hWnd, WM_SYSKEYDOWN, VK_OEM_MINUS);
  EXPECT_TRUE(bar.TranslateFrameKeyboard(&press));
  PumpPending();
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_TRUE(CExtMenuControlBar::g_bKeyboardAltIgnore);
}

} // namespace
