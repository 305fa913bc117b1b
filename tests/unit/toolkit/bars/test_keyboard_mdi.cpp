// The menu bar's watch over the MDI client: the document menus it is handed stay their sender's.
#include "tests/unit/toolkit/bars/keyboard_support.h"

#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

class KeyboardMdiClient : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_lab.IsReady());
    m_hWndClient = m_lab.Frame()->m_hWndMDIClient;
    CExtMenuControlBar& bar = m_lab.MenuBar();
    bar.m_nMenuBarFlags |= CExtMenuControlBar::MBF_MDI_MODE;
    if (!bar.IsWindowHooked(m_hWndClient))
      ASSERT_TRUE(bar.HookWindow(m_hWndClient));
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

} // namespace
