// Popup menus built from menu resources and handles: separators, registration, the recent-file
// list, the MDI window list, and the export back to a menu handle.
#include "tests/unit/toolkit/menus/menu_items_support.h"

namespace {

const UINT ID_FIRST = 0x8350, ID_SECOND = 0x8351, ID_THIRD = 0x8352;

class MenuBuildTest : public MenuReceiverTest {};

std::string RecentName(int n, bool bAsShown) {
  return n == 2 ? (bAsShown ? "C:\\mru\\R&&D.png" : "C:\\mru\\R&D.png")
                : "C:\\mru\\f" + std::to_string(n) + ".png";
}

// A leading separator stays, two in a row become one, and an empty recent-file list leaves
// neither entries nor a separator of its own; without registration the items keep the menu's
// own state and no recent files are listed.
TEST_F(MenuBuildTest, AResourceMenuBecomesItemsWithOrWithoutRegistration) {
  for (bool bNoRegistration : {true, false}) {
    SCOPED_TRACE(bNoRegistration);
    RecentFilesForTest recentFiles(bNoRegistration ? std::vector<std::string>{"C:\\a.png"}
                                                   : std::vector<std::string>{"", ""});
    MenuItemsPtr pMenu(new CExtPopupMenuWnd);
    ASSERT_TRUE(pMenu->BuildFromMenuResource(Receiver(), IDR_MI_FILE_MENU, true, bNoRegistration));
    EXPECT_EQ((std::vector<std::string>{"-", "&Open...", "&Save", "-", "E&xit", "-", "&More"}),
              ItemTexts(*pMenu));
    EXPECT_TRUE(pMenu->IsTopLevel());
    EXPECT_STREQ("Ctrl+O", pMenu->ItemGetAccelText(1));
    EXPECT_EQ(!bNoRegistration, g_CmdManagerHolder->FindCommand(Profile(), ID_MI_CHECK) != NULL);
    EXPECT_STREQ(bNoRegistration ? "" : "Open a picture", pMenu->GetItemAt(1).GetTipText());
    CExtPopupMenuWnd* pMore = pMenu->ItemGetPopup(6);
    ASSERT_NE(nullptr, pMore);
    EXPECT_EQ((std::vector<std::string>{"&Check", "&Gray"}), ItemTexts(*pMore));
    EXPECT_EQ(pMenu.get(), pMore->GetParentMenu());
    EXPECT_EQ(Receiver(), pMore->GetCmdReceiverHWND());
    EXPECT_FALSE(pMore->IsTopLevel());
    // "&Save" and "&Gray" are grayed in the menu, "&Check" is checked.
    EXPECT_EQ(!bNoRegistration, pMenu->ItemIsEnabled(2) && pMore->ItemIsEnabled(1));
    EXPECT_EQ(bNoRegistration, (pMore->GetItemAt(0).m_nStateFlags & MenuItem::STATE_CHECKED) != 0);
    EXPECT_EQ(bNoRegistration, pMore->GetItemAt(0).IsOwnData());
  }
}

TEST_F(MenuBuildTest, UnregisteredCommandsAndRepeatedSeparatorsAreLeftOut) {
  Register(ID_FIRST, "&First");
  Register(ID_THIRD, "Th&ird", "F3");
  CMenu menu, sub;
  ASSERT_TRUE(menu.CreatePopupMenu() && sub.CreatePopupMenu());
  sub.AppendMenu(MF_SEPARATOR);
  sub.AppendMenu(MF_STRING, ID_SECOND, "&Second");
  for (UINT nCmdId : {0u, ID_FIRST, 0u, 0u, ID_SECOND, 0u, ID_THIRD})
    menu.AppendMenu(nCmdId == 0 ? MF_SEPARATOR : MF_STRING, nCmdId, "menu's text");
  menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "&Sub");
  ::SetMenuDefaultItem(menu.GetSafeHmenu(), ID_THIRD, FALSE);

  MenuItemsPtr pMenu = NewMenu();
  ASSERT_TRUE(pMenu->BuildItemsFromMenuHandle(&menu, true, false));
  EXPECT_EQ((std::vector<std::string>{"-", "&First", "-", "Th&ird", "&Sub"}), ItemTexts(*pMenu));
  EXPECT_STREQ("F3", pMenu->ItemGetAccelText(3));
  EXPECT_TRUE(pMenu->ItemIsDefault(3) && !pMenu->ItemIsDefault(1));
  EXPECT_EQ((std::vector<std::string>{"-"}), ItemTexts(*pMenu->ItemGetPopup(4)));
  EXPECT_TRUE(pMenu->BuildItemsFromMenuHandle(NULL, true, false)) << "without a menu: cleared";
  EXPECT_EQ(0, pMenu->GetItemCount());
  EXPECT_FALSE(pMenu->BuildFromMenuHandle(Receiver(), NULL));
  EXPECT_FALSE(pMenu->BuildFromMenuHandle(Receiver(), CMenu::FromHandle(::GetSubMenu(menu, 7)), true))
      << "no first submenu";
  EXPECT_FALSE(pMenu->BuildFromMenuResource(Receiver(), IDR_MI_MISSING));
}

TEST_F(MenuBuildTest, TwelveRecentFilesAreNumberedWithTheirOwnAccelerators) {
  std::vector<std::string> paths, expected = {"-", "&Open...", "&Save", "-"};
  for (int n = 1; n <= 12; n++) {
    paths.push_back(RecentName(n, false));
    expected.push_back((n < 10 ? "&" + std::to_string(n) : "1&" + std::to_string(n % 10)) + " " +
                       RecentName(n, true));
  }
  expected.insert(expected.end(), {"-", "E&xit", "-", "&More"});
  RecentFilesForTest recentFiles(paths);
  MenuItemsPtr pMenu(new CExtPopupMenuWnd);
  ASSERT_TRUE(pMenu->BuildFromMenuResource(Receiver(), IDR_MI_FILE_MENU, true));
  ASSERT_EQ(expected, ItemTexts(*pMenu));
  for (int i = 0; i < 12; i++) {
    EXPECT_EQ(CExtPopupMenuWnd::ID_FIRST_RECENT_FILE + i, pMenu->ItemGetCmdID(4 + i));
    EXPECT_EQ((BYTE) "123456789012"[i], pMenu -> GetItemAt(4 + i).m_cAccelChar) << i;
  }
  for (int n : {2, 10}) {
    const CExtCmdItem* pCmdItem =
        g_CmdManagerHolder->FindCommand(Profile(), CExtPopupMenuWnd::ID_FIRST_RECENT_FILE + n - 1);
    ASSERT_NE(nullptr, pCmdItem);
    const std::string sTip = "Recent file " + std::to_string(n) + " (\"" + RecentName(n, false) + "\")";
    EXPECT_EQ("Recent file " + std::to_string(n), (LPCSTR)pCmdItem->m_sToolbarText);
    EXPECT_EQ(sTip, (LPCSTR)pCmdItem->m_sTipTool);
    EXPECT_EQ(sTip, (LPCSTR)pMenu->GetItemAt(3 + n).GetTipText());
  }
}

TEST_F(MenuBuildTest, ExportGivesBackTheMenuItWasBuiltFrom) {
  CMenu menu, sub, deeper;
  ASSERT_TRUE(menu.CreatePopupMenu() && sub.CreatePopupMenu() && deeper.CreatePopupMenu());
  deeper.AppendMenu(MF_STRING, ID_THIRD, "&Third");
  sub.AppendMenu(MF_STRING, ID_SECOND, "&Second");
  sub.AppendMenu(MF_POPUP, (UINT_PTR)deeper.Detach(), "&Deeper");
  menu.AppendMenu(MF_STRING, ID_FIRST, "&First\tCtrl+F");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "&Sub\tX");

  MenuItemsPtr pMenu(new CExtPopupMenuWnd);
  ASSERT_TRUE(pMenu->BuildFromMenuHandle(Receiver(), &menu, false, true, true));
  CMenu deep, shallow;
  ASSERT_TRUE(deep.Attach(pMenu->ExportToMenuHandle(true)) &&
              shallow.Attach(pMenu->ExportToMenuHandle(false)));
  EXPECT_EQ(DescribeMenuHandle(menu), DescribeMenuHandle(deep));
  EXPECT_EQ("&First\tCtrl+F=" + std::to_string(ID_FIRST) + "|-|&Sub\tX>()", DescribeMenuHandle(shallow));
}

class MenuWindowListTest : public MenuReceiverTest {
protected:
  bool WantsFrame() const override { return true; }
};

TEST_F(MenuWindowListTest, ElevenVisibleChildrenListNineAndMoreWindows) {
  std::vector<CLabChild*> children;
  for (int n = 1; n <= 12; n++) {
    children.push_back(OpenLabChild(m_pFrame, n == 1 ? "R&D" : ("Lab" + std::to_string(n)).c_str()));
    ASSERT_NE(nullptr, children.back());
  }
  children[2]->ShowWindow(SW_HIDE);
  m_pFrame->MDIActivate(children[4]);
  Register(ID_LAB_COMMAND, "&Command");
  MenuItemsPtr pMenu = NewMenu();
  ASSERT_TRUE(pMenu->InsertItem(ID_LAB_COMMAND));
  pMenu->AppendMdiWindowItems();
  ASSERT_EQ((std::vector<std::string>{"&Command", "-", "&1 R&&D", "&2 Lab2", "&3 Lab4", "&4 Lab5", "&5 Lab6",
                                      "&6 Lab7", "&7 Lab8", "&8 Lab9", "&9 Lab10", "-", "More Windows"}),
            ItemTexts(*pMenu));
  for (int k = 0; k < 9; k++) {
    const MenuItem& item = pMenu->GetItemAt(2 + k);
    EXPECT_EQ((UINT)::GetDlgCtrlID(children[k < 2 ? k : k + 1]->m_hWnd), item.m_nCmdId) << k;
    EXPECT_EQ(k == 3, (item.m_nStateFlags & MenuItem::STATE_RADIO) != 0) << k;
  }
  EXPECT_STREQ("Document \"R&D\"", pMenu->GetItemAt(2).GetTipText());
  EXPECT_EQ(CExtPopupMenuWnd::ID_MORE_WINDOWS, pMenu->ItemGetCmdID(12));
  EXPECT_STREQ("Manage opened document windows", pMenu->GetItemAt(12).GetTipText());

  // A hidden active child is neither listed nor marked.
  children[4]->ShowWindow(SW_HIDE);
  MenuItemsPtr pAgain = NewMenu();
  pAgain->AppendMdiWindowItems();
  EXPECT_EQ("&4 Lab6", ItemTexts(*pAgain)[3]);
  for (int nIndex = 0; nIndex < pAgain->GetItemCount(); nIndex++)
    EXPECT_EQ(0, pAgain->GetItemAt(nIndex).m_nStateFlags & MenuItem::STATE_RADIO) << nIndex;
  for (CLabChild* pChild : children)
    pChild->DestroyWindow();
}

// The window popup handed to the MDI client carries the client's own list of the windows: the
// menu lists each window once, under its own numbers.
TEST_F(MenuWindowListTest, TheClientsListInTheWindowPopupIsNotRepeated) {
  CLabChild* pChild = OpenLabChild(m_pFrame, "Lab1");
  ASSERT_NE(nullptr, pChild);
  Register(ID_LAB_COMMAND, "&Command");
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, ID_LAB_COMMAND, "&Command");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_STRING, (UINT)::GetDlgCtrlID(pChild->m_hWnd), "&1 Lab1");
  MenuItemsPtr pMenu = NewMenu();
  ASSERT_TRUE(pMenu->BuildFromMenuHandle(Receiver(), &menu, false, true, false));
  pMenu->AppendMdiWindowItems();
  EXPECT_EQ((std::vector<std::string>{"&Command", "-", "&1 Lab1"}), ItemTexts(*pMenu));
  pChild->DestroyWindow();
}

} // namespace
