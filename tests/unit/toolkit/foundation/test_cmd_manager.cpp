// The command manager: the profile "default", binding windows to profiles, removing them, and
// finding the profile of a window inside a floating bar.
#include "toolkit/foundation/ExtCmdManager.h"
#include "tests/common/frame_support.h"

#include <gtest/gtest.h>

namespace {

const UINT kCmd = 0x8501;

} // namespace

TEST(CmdManager, NoNameMeansTheDefaultProfile) {
  CExtCmdManager manager;
  ASSERT_NE(nullptr, manager.GetProfile(NULL));
  EXPECT_EQ(manager.GetProfile("default"), manager.GetProfile(""));
  bool bNew = true;
  EXPECT_TRUE(manager.SetupCommand(NULL, CExtCmdItem(kCmd), false, &bNew));
  EXPECT_TRUE(bNew);
  EXPECT_NE(nullptr, manager.FindCommand("default", kCmd));
  EXPECT_EQ(manager.FindCommand("", kCmd), manager.FindCommand(NULL, kCmd));
  EXPECT_FALSE(manager.SetupCommand("missing", CExtCmdItem(kCmd), false, &bNew));
  EXPECT_FALSE(bNew);
  EXPECT_EQ(nullptr, manager.FindCommand("missing", kCmd));
  EXPECT_FALSE(manager.RemoveCommandsByState("missing", 1, 0, false, false));
}

TEST(CmdManager, TheFirstBindingOfAWindowStays) {
  CExtCmdManager manager;
  CHostWnd wnd;
  ASSERT_TRUE(wnd.CreateHost());
  EXPECT_TRUE(manager.SetupProfile("", wnd.m_hWnd));
  EXPECT_STREQ("default", manager.GetProfileNameForWindow(wnd.m_hWnd));
  CExtCmdProfile* pMine = new CExtCmdProfile("mine");
  EXPECT_TRUE(manager.SetupProfile("mine", wnd.m_hWnd, pMine));
  EXPECT_EQ(pMine, manager.GetProfile("mine"));
  EXPECT_STREQ("default", manager.GetProfileNameForWindow(wnd.m_hWnd));
  CExtCmdProfile other("mine");
  EXPECT_TRUE(manager.SetupProfile("mine", NULL, &other)) << "a known name keeps its profile";
  EXPECT_EQ(pMine, manager.GetProfile("mine"));
  EXPECT_FALSE(manager.AddWindow("missing", wnd.m_hWnd));
  EXPECT_FALSE(manager.AddWindow("mine", NULL));
}

TEST(CmdManager, TheLastWindowOfAProfileMayTakeItAlong) {
  CExtCmdManager manager;
  CHostWnd first, second;
  ASSERT_TRUE(first.CreateHost());
  ASSERT_TRUE(second.CreateHost());
  ASSERT_TRUE(manager.SetupProfile("shared", first.m_hWnd));
  ASSERT_TRUE(manager.AddWindow("shared", second.m_hWnd));
  bool bRemoved = true;
  EXPECT_TRUE(manager.RemoveWindow(first.m_hWnd, true, &bRemoved));
  EXPECT_FALSE(bRemoved);
  EXPECT_NE(nullptr, manager.GetProfile("shared"));
  EXPECT_FALSE(manager.RemoveWindow(first.m_hWnd, true, &bRemoved)) << "no longer bound";
  EXPECT_TRUE(manager.RemoveWindow(second.m_hWnd, true, &bRemoved));
  EXPECT_TRUE(bRemoved);
  EXPECT_EQ(nullptr, manager.GetProfile("shared"));
  EXPECT_EQ(nullptr, manager.GetProfileNameForWindow(second.m_hWnd));
  // The frame's road at exit: keep the profile, pass no out flag.
  ASSERT_TRUE(manager.SetupProfile("kept", first.m_hWnd));
  EXPECT_TRUE(manager.RemoveWindow(first.m_hWnd));
  EXPECT_NE(nullptr, manager.GetProfile("kept"));
}

TEST(CmdManager, AControlInAFloatingBarFindsItsFramesProfile) {
  CExtCmdManager manager;
  CLabFrame* pFrame = CreateLabFrame();
  ASSERT_NE(nullptr, pFrame);
  ASSERT_TRUE(manager.SetupProfile("frame", pFrame->m_hWnd));
  CLabBar bar;
  ASSERT_TRUE(bar.CreateBar(pFrame, AFX_IDW_TOOLBAR, CBRS_TOP, CSize(120, 30), "bar"));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  pFrame->EnableDocking(CBRS_ALIGN_ANY);
  ASSERT_TRUE(pFrame->FloatControlBar(&bar, CPoint(300, 300)));
  CFrameWnd* pMini = bar.GetParentFrame();
  ASSERT_NE(pFrame, pMini);
  // The floating frame is bound elsewhere, so only the bar's own frame leads to "frame".
  ASSERT_TRUE(manager.SetupProfile("floating", pMini->m_hWnd));
  CWnd control;
  ASSERT_TRUE(control.Create("STATIC", "x", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &bar, 1));
  EXPECT_STREQ("frame", manager.GetProfileNameForWindow(control.m_hWnd));
  EXPECT_STREQ("floating", manager.GetProfileNameForWindow(pMini->m_hWnd));
  EXPECT_EQ(nullptr, manager.GetProfileNameForWindow(::GetDesktopWindow()));
  control.DestroyWindow();
  DestroyLabFrame(pFrame);
}
