// Command profiles: setting commands up, allocating ids, icon slots, basic commands, and filling
// a profile from a menu, a tool-bar resource and a tool-bar window.
#include "toolkit/foundation/ExtCmdProfile.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/foundation/cmd_test_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

const UINT kCmdA = 0x8401, kCmdB = 0x8402, kCmdC = 0x8403;

CExtCmdItem Template(UINT nId, LPCSTR lpszMenu, LPCSTR lpszTip) {
  CExtCmdItem item(nId);
  item.m_sMenuText = lpszMenu;
  item.m_sTipTool = lpszTip;
  return item;
}

// Gives the command a copy of a system icon.
bool GiveIcon(CExtCmdProfile& profile, UINT nId) {
  return profile.SetIconFromHandle(nId, ::LoadIconA(NULL, (LPCSTR)IDI_APPLICATION), true);
}

} // namespace

TEST(CmdProfile, SetupFillsOrReplacesAndNoOutFlagIsNeeded) {
  CExtCmdProfile profile("p");
  bool bNew = false;
  EXPECT_TRUE(profile.SetupCommand(Template(kCmdA, "&Menu", ""), false, &bNew));
  EXPECT_TRUE(bNew);
  EXPECT_EQ(&profile, profile.FindCommand(kCmdA)->m_pProfile);
  // Callers that do not care pass no out flag.
  EXPECT_TRUE(profile.SetupCommand(Template(kCmdA, "Other", "Tip")));
  EXPECT_STREQ("&Menu", profile.FindCommand(kCmdA)->m_sMenuText);
  EXPECT_STREQ("Tip", profile.FindCommand(kCmdA)->m_sTipTool);
  EXPECT_TRUE(profile.SetupCommand(Template(kCmdA, "Other", ""), true, &bNew));
  EXPECT_FALSE(bNew);
  EXPECT_STREQ("Other", profile.FindCommand(kCmdA)->m_sMenuText);
  EXPECT_STREQ("Tip", profile.FindCommand(kCmdA)->m_sTipTool) << "an empty text does not replace";
  EXPECT_FALSE(profile.SetupCommand(CExtCmdItem(0), false, NULL));
  EXPECT_FALSE(profile.SetupCommand(CExtCmdItem(0x80000000)));
  bool bRemoved = true;
  EXPECT_TRUE(profile.RemoveCommand(kCmdB, &bRemoved));
  EXPECT_FALSE(bRemoved);
  EXPECT_TRUE(profile.RemoveCommand(kCmdA));
  EXPECT_FALSE(profile.IsCommandRegistered(kCmdA));
  EXPECT_FALSE(profile.RemoveCommand(0, NULL));
}

TEST(CmdProfile, AllocationTakesTheHighestFreeIdFrom65534Down) {
  CExtCmdProfile profile;
  CExtCmdItem* pFirst = profile.AllocCommand();
  ASSERT_NE(nullptr, pFirst);
  EXPECT_EQ(65534u, pFirst->m_nCmdId);
  EXPECT_EQ(65533u, profile.AllocCommand(0)->m_nCmdId);
  profile.RemoveCommand(65534);
  EXPECT_EQ(65534u, profile.AllocCommand()->m_nCmdId);
  EXPECT_EQ(nullptr, profile.AllocCommand(65533)) << "taken";
  EXPECT_EQ(500u, profile.AllocCommand(500)->m_nCmdId);
}

TEST(CmdProfile, RemovingAnIconSlotRenumbersTheSlotsAboveIt) {
  CExtCmdProfile profile;
  for (UINT nId : {kCmdA, kCmdB, kCmdC}) {
    profile.SetupCommand(CExtCmdItem(nId));
    ASSERT_TRUE(GiveIcon(profile, nId));
  }
  CExtCmdIcon* pIconB = profile.GetCommandIcon(kCmdB);
  CExtCmdIcon* pIconC = profile.GetCommandIcon(kCmdC);
  ASSERT_EQ(0, profile.FindCommand(kCmdA)->m_nIconIdx);
  ASSERT_TRUE(profile.RemoveCommand(kCmdA));
  EXPECT_EQ(0, profile.FindCommand(kCmdB)->m_nIconIdx);
  EXPECT_EQ(1, profile.FindCommand(kCmdC)->m_nIconIdx);
  EXPECT_EQ(pIconB, profile.GetCommandIcon(kCmdB));
  EXPECT_EQ(pIconC, profile.GetCommandIcon(kCmdC));
  // Taking an icon away frees its slot the same way.
  ASSERT_TRUE(profile.SetIconFromHandle(kCmdB, NULL, false));
  EXPECT_EQ(-1, profile.FindCommand(kCmdB)->m_nIconIdx);
  EXPECT_EQ(0, profile.FindCommand(kCmdC)->m_nIconIdx);
  EXPECT_EQ(1, profile.GetIconCount());
  EXPECT_FALSE(GiveIcon(profile, kCmdA)) << "no such command";
}

TEST(CmdProfile, BasicCommandsSkipSystemCommandsAndUnknownIds) {
  CExtCmdProfile profile;
  profile.SetupCommand(CExtCmdItem(kCmdA));
  profile.SetupCommand(CExtCmdItem(kCmdB));
  profile.SetupCommand(CExtCmdItem(0xF060));
  const UINT withSystem[] = {kCmdA, 0xF060, kCmdB, 0};
  EXPECT_FALSE(profile.SetBasicCommands(withSystem));
  EXPECT_EQ(0x10u, profile.FindCommand(kCmdA)->m_dwStateFlags);
  EXPECT_EQ(0x10u, profile.FindCommand(kCmdB)->m_dwStateFlags);
  EXPECT_EQ(0u, profile.FindCommand(0xF060)->m_dwStateFlags);
  const UINT unknown[] = {kCmdC, 0};
  EXPECT_FALSE(profile.SetBasicCommands(unknown));
  const UINT empty[] = {0};
  EXPECT_TRUE(profile.SetBasicCommands(empty));
  EXPECT_FALSE(profile.SetBasicCommands(NULL));
}

TEST(CmdProfileImport, AMenuGivesMenuAndAcceleratorTextsAndTips) {
  CExtCmdProfile profile;
  ASSERT_TRUE(profile.ImportMenuResource(IDR_CMD_MENU, false, false));
  const CExtCmdItem* pOpen = profile.FindCommand(ID_CMD_OPEN);
  ASSERT_NE(nullptr, pOpen);
  EXPECT_STREQ("&Open...", pOpen->m_sMenuText);
  EXPECT_STREQ("Ctrl+O", pOpen->m_sAccelText);
  EXPECT_STREQ("Open an existing file", pOpen->m_sTipStatus) << "sub-menus always bring their tips";
  EXPECT_STREQ("Zoom &In", profile.FindCommand(ID_CMD_ZOOM_IN)->m_sMenuText);
  EXPECT_STREQ("", profile.FindCommand(ID_CMD_ZOOM_IN)->m_sAccelText);
  EXPECT_STREQ("E&xit", profile.FindCommand(ID_CMD_EXIT)->m_sMenuText);
  EXPECT_EQ(3, profile.GetCommands().GetCount()) << "no separator, no popup";
  EXPECT_FALSE(profile.ImportMenuResource(IDR_CMD_MENU + 7));
  EXPECT_FALSE(profile.ImportMenu(NULL));
}

TEST(CmdProfileImport, AToolBarResourceBringsItsCommandsWithIcons) {
  CExtCmdProfile profile;
  CUIntArray ids;
  INT nCount = 0;
  ASSERT_TRUE(profile.ImportToolBarResource(IDR_CMD_TOOLBAR, &ids, &nCount));
  ASSERT_EQ(3, nCount);
  ASSERT_EQ(3, ids.GetSize());
  EXPECT_EQ((UINT)ID_CMD_CUT, ids[0]);
  EXPECT_EQ(0u, ids[1]);
  EXPECT_EQ((UINT)ID_CMD_COPY, ids[2]);
  EXPECT_EQ(0, profile.FindCommand(ID_CMD_CUT)->m_nIconIdx);
  EXPECT_EQ(1, profile.FindCommand(ID_CMD_COPY)->m_nIconIdx);
  EXPECT_STREQ("Copy", profile.FindCommand(ID_CMD_COPY)->m_sTipTool);
  // Importing again replaces the icons in their slots.
  ASSERT_TRUE(profile.ImportToolBarResource(IDR_CMD_TOOLBAR));
  EXPECT_EQ(2, profile.GetIconCount());
  EXPECT_EQ(0, profile.FindCommand(ID_CMD_CUT)->m_nIconIdx);
}

TEST(CmdProfileImport, AToolBarResourceClaimingMoreButtonsThanItHoldsIsRefused) {
  CExtCmdProfile profile;
  INT nCount = -1;
  EXPECT_FALSE(profile.ImportToolBarResource(IDR_CMD_TOOLBAR_BAD, NULL, &nCount));
  EXPECT_EQ(-1, nCount);
  EXPECT_EQ(0, profile.GetCommands().GetCount());
  EXPECT_FALSE(profile.ImportToolBarResource(IDR_CMD_MENU)) << "no tool-bar resource";
}

TEST(CmdProfileImport, AToolBarWindowBringsButtonTextsAndImageListIcons) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  HWND hBar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | TBSTYLE_LIST, 0, 0, 200, 30, host.m_hWnd,
                                NULL, NULL, NULL);
  ASSERT_NE(nullptr, hBar);
  CWnd bar;
  bar.Attach(hBar);
  CExtCmdProfile profile;
  EXPECT_FALSE(profile.ImportToolBarWindow(&bar)) << "no image list yet";
  HIMAGELIST hImages = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0);
  for (int i = 0; i < 2; ++i)
    ::ImageList_AddIcon(hImages, ::LoadIconA(NULL, (LPCSTR)IDI_APPLICATION));
  bar.SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  bar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)hImages);
  TBBUTTON buttons[] = {{1, (int)kCmdA, TBSTATE_ENABLED, BTNS_BUTTON, {0}, 0, (INT_PTR) "Alpha"},
                        {0, 0, 0, BTNS_SEP, {0}, 0, 0},
                        {-1, (int)ID_CMD_ZOOM_IN, TBSTATE_ENABLED, BTNS_BUTTON, {0}, 0, (INT_PTR) "Zoom"}};
  bar.SendMessage(TB_ADDBUTTONSA, 3, (LPARAM)buttons);
  ASSERT_TRUE(profile.ImportToolBarWindow(&bar));
  EXPECT_EQ(2, profile.GetCommands().GetCount());
  EXPECT_STREQ("Alpha", profile.FindCommand(kCmdA)->m_sToolbarText);
  EXPECT_EQ(0, profile.FindCommand(kCmdA)->m_nIconIdx);
  EXPECT_STREQ("Zoom", profile.FindCommand(ID_CMD_ZOOM_IN)->m_sToolbarText);
  EXPECT_STREQ("Zoom In", profile.FindCommand(ID_CMD_ZOOM_IN)->m_sTipTool);
  EXPECT_EQ(-1, profile.FindCommand(ID_CMD_ZOOM_IN)->m_nIconIdx) << "a button without image";
  bar.Detach();
  host.DestroyWindow();
  ::ImageList_Destroy(hImages);
}
