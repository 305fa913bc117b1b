#include "tests/unit/toolkit/menus/menu_items_support.h"

void MenuItemsDeleter::operator()(CExtPopupMenuWnd* pMenu) const {
  pMenu->DestroyAllItems();
  pMenu->DestroyWindow();
  delete pMenu;
}

std::vector<std::string> ItemTexts(const CExtPopupMenuWnd& menu) {
  std::vector<std::string> texts;
  for (int nIndex = 0; nIndex < menu.GetItemCount(); nIndex++)
    texts.push_back(menu.GetItemAt(nIndex).IsSeparator() ? "-" : (LPCSTR)menu.ItemGetText(nIndex));
  return texts;
}

std::string DescribeMenuHandle(HMENU hMenu) {
  std::string sDescription;
  for (int nPos = 0; nPos < ::GetMenuItemCount(hMenu); nPos++) {
    char szText[256] = "";
    MENUITEMINFOA mii = {sizeof(mii), MIIM_ID | MIIM_SUBMENU | MIIM_TYPE};
    mii.dwTypeData = szText;
    mii.cch = sizeof(szText) - 1;
    EXPECT_TRUE(::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii));
    sDescription += nPos > 0 ? "|" : "";
    if ((mii.fType & MFT_SEPARATOR) != 0)
      sDescription += "-";
    else if (mii.hSubMenu != NULL)
      sDescription += std::string(szText) + ">(" + DescribeMenuHandle(mii.hSubMenu) + ")";
    else
      sDescription += std::string(szText) + "=" + std::to_string(mii.wID);
  }
  return sDescription;
}

RecentFilesForTest::RecentFilesForTest(const std::vector<std::string>& paths)
    : m_list(0, "Recent File List", "File%d", (int)paths.size()), m_pOld(TheTestApp().m_pRecentFileList) {
  for (size_t i = 0; i < paths.size(); i++)
    m_list[(int)i] = paths[i].c_str();
  TheTestApp().m_pRecentFileList = &m_list;
}

RecentFilesForTest::~RecentFilesForTest() { TheTestApp().m_pRecentFileList = m_pOld; }

void MenuReceiverTest::SetUp() {
  const testing::TestInfo* pInfo = testing::UnitTest::GetInstance()->current_test_info();
  m_sProfile = std::string("menu-items:") + pInfo->test_suite_name() + "." + pInfo->name();
  ASSERT_TRUE(m_host.CreateHost("menu receiver"));
  if (WantsFrame()) {
    m_pFrame = CreateLabFrame(MakeFrame());
    ASSERT_NE(nullptr, m_pFrame);
  }
  ASSERT_TRUE(g_CmdManagerHolder->SetupProfile(Profile(), Receiver()));
}

void MenuReceiverTest::TearDown() {
  g_CmdManagerHolder->RemoveWindow(Receiver(), true);
  DestroyLabFrame(m_pFrame);
  if (::IsWindow(m_host.m_hWnd))
    m_host.DestroyWindow();
}

CExtCmdItem* MenuReceiverTest::Register(UINT nCmdId, LPCSTR lpszMenuText, LPCSTR lpszAccelText,
                                        LPCSTR lpszTip) {
  CExtCmdItem cmd(nCmdId);
  cmd.m_sMenuText = lpszMenuText;
  cmd.m_sAccelText = lpszAccelText;
  cmd.m_sTipStatus = lpszTip;
  EXPECT_TRUE(g_CmdManagerHolder->SetupCommand(Profile(), cmd, true));
  return g_CmdManagerHolder->FindCommand(Profile(), nCmdId);
}

MenuItemsPtr MenuReceiverTest::NewMenu() const {
  MenuItemsPtr pMenu(new CExtPopupMenuWnd);
  EXPECT_TRUE(pMenu->InitTopLevel(Receiver()));
  return pMenu;
}
