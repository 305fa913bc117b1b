// A menu bar in a plain window that is no frame: dialog mode, the parent hooked, a loaded menu.
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/menubar_res.h"
#include "tests/unit/toolkit/bars/menubar_support.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <gtest/gtest.h>

namespace {

class MenuBarDialogMode : public ::testing::Test {
protected:
  void SetUp() override {
    LPCSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    ASSERT_TRUE(m_host.CreateEx(0, lpszClass, "menu bar host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 400,
                                200, NULL, NULL));
    g_CmdManagerHolder->SetupProfile(MenuBarMdiTest::kProfile, m_host.m_hWnd);
    ASSERT_TRUE(m_bar.Create(NULL, &m_host, 0x9320, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
  }
  void TearDown() override {
    HWND hWndHost = m_host.m_hWnd;
    if (m_bar.GetSafeHwnd() != NULL)
      m_bar.DestroyWindow();
    m_host.DestroyWindow();
    g_CmdManagerHolder->RemoveWindow(hWndHost, true);
    PumpPending();
  }

  CWnd m_host;
  CExtMenuControlBar m_bar;
};

TEST_F(MenuBarDialogMode, HooksItsParentAndShowsTheMenuItLoads) {
  EXPECT_TRUE(m_bar.IsDialogMode());
  EXPECT_FALSE(m_bar.IsMdiMode());
  EXPECT_EQ(m_host.m_hWnd, m_bar.GetHookedWindow());
  EXPECT_TRUE(m_bar.IsWindowHooked(m_host.m_hWnd));
  EXPECT_FALSE(m_bar.IsSuspendedDockedLayout());
  ASSERT_TRUE(m_bar.LoadMenuBar(IDR_MENUBAR_LOADED));
  ASSERT_EQ(2, m_bar.GetButtonCount());
  EXPECT_EQ("&Tools", std::string(m_bar.GetButton(0)->GetText()));
  EXPECT_EQ(::GetSubMenu(m_bar.GetMenuInUse(), 1), m_bar.GetButton(1)->GetMenu());
  bool bMaximized = true;
  EXPECT_EQ(nullptr, m_bar.GetActiveMdiChildWnd(bMaximized));
  EXPECT_FALSE(bMaximized);
  EXPECT_EQ(nullptr, m_bar.FindMdiClient());
}

TEST_F(MenuBarDialogMode, MenuThatCannotBeLoadedLeavesNoMenu) {
  ASSERT_TRUE(m_bar.LoadMenuBar(IDR_MENUBAR_LOADED));
  EXPECT_FALSE(m_bar.LoadMenuBar(IDR_MENUBAR_LOADED + 77));
  EXPECT_EQ(nullptr, m_bar.GetMenuInUse());
  EXPECT_EQ(0, m_bar.GetButtonCount()) << "no button may keep a submenu of the menu let go of";
}

} // namespace
