// A menu bar outside an MDI frame: in a plain window that is no frame (dialog mode, the parent
// hooked, a loaded menu), and in a plain frame whose menu it takes.
#include "tests/common/import_patch.h"
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

namespace {

// Menus the program puts on the watched frame (none is put back once the bar took it).
HWND g_hWndWatched = NULL;
std::vector<HMENU> g_shownMenus;
BOOL WINAPI RecordSetMenu(HWND hWnd, HMENU hMenu) {
  if (hWnd == g_hWndWatched && hMenu != NULL)
    g_shownMenus.push_back(hMenu);
  // The platform's own entry: the program's import of it is the one replaced.
  using SetMenu_t = BOOL(WINAPI*)(HWND, HMENU);
  static const SetMenu_t pfnSetMenu =
      reinterpret_cast<SetMenu_t>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SetMenu"));
  return pfnSetMenu(hWnd, hMenu);
}

} // namespace

// A plain frame whose bar takes its menu: the frame neither shows the menu again nor loses it to the
// bar, and destroys it itself when it goes.
TEST(MenuBarFrameMenu, FrameKeepsItsTakenMenuOffTheWindowAndDestroysItAtTheEnd) {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(NULL, "sdi lab", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 500, 300), NULL,
                             MAKEINTRESOURCEA(IDR_LAB)));
  HWND hWndFrame = pFrame->m_hWnd;
  HMENU hMenu = pFrame->m_hMenuDefault;
  ASSERT_NE(nullptr, hMenu);
  g_CmdManagerHolder->SetupProfile(MenuBarMdiTest::kProfile, hWndFrame);
  g_hWndWatched = hWndFrame;
  g_shownMenus.clear();
  CImportPatch patch("user32.dll", "SetMenu", reinterpret_cast<FARPROC>(&RecordSetMenu));
  ASSERT_TRUE(patch.Applied());
  {
    CExtMenuControlBar bar;
    ASSERT_TRUE(bar.Create(NULL, pFrame, 0x9321, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
    EXPECT_EQ(nullptr, ::GetMenu(hWndFrame));
    EXPECT_EQ(hMenu, bar.GetMenuInUse());
    EXPECT_EQ(2, bar.GetButtonCount());
    pFrame->OnUpdateFrameMenu(NULL);
    EXPECT_EQ(nullptr, ::GetMenu(hWndFrame));
    bar.DestroyWindow();
  }
  EXPECT_TRUE(::IsMenu(hMenu)) << "the bar let go of the frame's menu without destroying it";
  pFrame->DestroyWindow();
  PumpPending();
  EXPECT_FALSE(::IsMenu(hMenu)) << "the frame destroys its own menu";
  EXPECT_TRUE(g_shownMenus.empty()) << "the taken menu was put back on the frame";
  g_CmdManagerHolder->RemoveWindow(hWndFrame, true);
}
