// The command-update pass of popup menus: the update record of one item, and the pass against a
// real receiver frame with and without handlers.
#include "tests/unit/toolkit/menus/menu_items_support.h"

#include <functional>
#include <iterator>
#include <string>

namespace {

const UINT ID_PLAIN = 0x8340;

class MenuCmdUITest : public MenuReceiverTest {};

TEST_F(MenuCmdUITest, TheUpdateRecordChangesOnlyWhatItsItemCanShow) {
  Register(ID_PLAIN, "&Plain");
  const BYTE E = MenuItem::STATE_ENABLED, C = MenuItem::STATE_CHECKED, R = MenuItem::STATE_RADIO;
  enum { PLAIN, ALWAYS, SUBMENU, SEPARATOR };
  const struct {
    const char* pszCall;
    int nItem;
    std::function<void(CCmdUI&)> call;
    BYTE nStateFlags;
    const char* pszText;
  } kCases[] = {
      {"check", PLAIN, [](CCmdUI& ui) { ui.SetCheck(1); }, E | C, "&Plain"},
      {"check 2", PLAIN, [](CCmdUI& ui) { ui.SetCheck(2); }, E | C, "&Plain"},
      {"radio", PLAIN, [](CCmdUI& ui) { ui.SetRadio(TRUE); }, E | R, "&Plain"},
      {"disable", PLAIN, [](CCmdUI& ui) { ui.Enable(FALSE); }, 0, "&Plain"},
      {"disable always enabled", ALWAYS, [](CCmdUI& ui) { ui.Enable(FALSE); }, E, "&Plain"},
      {"rename", PLAIN, [](CCmdUI& ui) { ui.SetText("&Plain, and longer"); }, E, "&Plain, and longer"},
      {"rename to nothing", PLAIN, [](CCmdUI& ui) { ui.SetText(NULL); }, E, "&Plain"},
      {"check submenu", SUBMENU, [](CCmdUI& ui) { ui.SetCheck(1); }, E, "&Sub"},
      {"radio submenu", SUBMENU, [](CCmdUI& ui) { ui.SetRadio(TRUE); }, E, "&Sub"},
      {"disable submenu", SUBMENU, [](CCmdUI& ui) { ui.Enable(FALSE); }, E, "&Sub"},
      {"rename submenu", SUBMENU, [](CCmdUI& ui) { ui.SetText("Renamed"); }, E, "&Sub"},
      {"disable separator", SEPARATOR, [](CCmdUI& ui) { ui.Enable(FALSE); }, E, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.pszCall);
    MenuItemsPtr pMenu = NewMenu();
    for (UINT nCmdId : {ID_PLAIN, ID_PLAIN, (UINT)CExtPopupMenuWnd::ID_SUBMENU, 0u})
      ASSERT_TRUE(pMenu->InsertItem(nCmdId, -1, "&Sub"));
    pMenu->GetItemAt(ALWAYS).m_nDisplayFlags |= MenuItem::DISPLAY_ALWAYS_ENABLED;
    MenuItem& item = pMenu->GetItemAt(c.nItem);
    const int nWidthBefore = item.m_nWidth;
    CExtPopupMenuWnd::CExtPopupMenuCmdUI cmdUI(pMenu.get(), &item);
    c.call(cmdUI);
    EXPECT_EQ(c.nStateFlags, item.m_nStateFlags);
    EXPECT_STREQ(c.pszText, item.m_sText);
    EXPECT_EQ(std::string(c.pszCall).find("disable") == 0, cmdUI.m_bEnableChanged != FALSE);
    EXPECT_EQ(std::string(c.pszCall) == "rename", item.m_nWidth > nWidthBefore) << "renaming measures again";
  }
}

// Handles ID_MI_HANDLED and updates it with a check mark and a text.
class CUpdatingFrame : public CLabFrame {
public:
  int m_nCheck = 1;

protected:
  afx_msg void OnHandled() {}
  afx_msg void OnUpdateHandled(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_nCheck);
    pCmdUI->SetText("&Handled now");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingFrame, CLabFrame)
ON_COMMAND(ID_MI_HANDLED, OnHandled)
ON_UPDATE_COMMAND_UI(ID_MI_HANDLED, OnUpdateHandled)
END_MESSAGE_MAP()

class MenuUpdatePassTest : public MenuReceiverTest {
protected:
  bool WantsFrame() const override { return true; }
  CLabFrame* MakeFrame() override { return new CUpdatingFrame; }
};

TEST_F(MenuUpdatePassTest, ItemsFollowTheReceiverFramesHandlers) {
  const UINT kIds[] = {ID_LAB_COMMAND,
                       ID_TEST_APP_COMMAND,
                       ID_MI_HANDLED,
                       ID_MI_UNKNOWN,
                       0xF060,
                       0xFF01,
                       ID_MI_UNKNOWN,
                       ID_MI_UNKNOWN,
                       ID_PLAIN,
                       0,
                       CExtPopupMenuWnd::ID_SUBMENU};
  for (UINT nCmdId : kIds) {
    if (IsCommandIdValid(nCmdId))
      Register(nCmdId, "item");
  }
  CExtCmdItem* pPlain = Register(ID_PLAIN, "&Plain", "Ctrl+1");
  MenuItemsPtr pMenu = NewMenu();
  for (int nIndex = 0; nIndex < (int)std::size(kIds); nIndex++) {
    ASSERT_TRUE(nIndex == 7 ? pMenu->InsertOwnItem(kIds[nIndex], -1, "Own", "", CExtCmdIcon())
                            : pMenu->InsertItem(kIds[nIndex]));
  }
  pMenu->GetItemAt(6).m_nDisplayFlags |= MenuItem::DISPLAY_ALWAYS_ENABLED;
  pMenu->ItemEnabledSet(4, false); // a window command and a window-list entry keep their state
  pMenu->ItemEnabledSet(5, false);
  CExtPopupMenuWnd* pSub = pMenu->ItemGetPopup(10);
  ASSERT_TRUE(pSub->InsertItem(ID_MI_UNKNOWN) && pSub->InsertItem(ID_MI_HANDLED));
  pPlain->m_sAccelText = "Ctrl+2";

  pMenu->UpdateItemsCmdUI();
  const bool kEnabled[] = {true, true, true, false, false, false, true, true, false};
  for (int nIndex = 0; nIndex < (int)std::size(kEnabled); nIndex++)
    EXPECT_EQ(kEnabled[nIndex], pMenu->ItemIsEnabled(nIndex)) << nIndex;
  EXPECT_FALSE(pSub->ItemIsEnabled(0));
  EXPECT_STREQ("&Handled now", pSub->ItemGetText(1));
  EXPECT_STREQ("&Handled now", pMenu->ItemGetText(2));
  EXPECT_TRUE(pMenu->GetItemAt(2).m_nStateFlags & MenuItem::STATE_CHECKED);
  EXPECT_STREQ("Ctrl+2", pMenu->ItemGetAccelText(8)) << "the accelerator text follows the command";

  // A top menu told to skip the pass keeps its items as they are.
  static_cast<CUpdatingFrame*>(m_pFrame)->m_nCheck = 0;
  for (DWORD dwFlags : {(DWORD)CExtPopupMenuWnd::TPMX_NO_CMD_UI, (DWORD)0}) {
    pMenu->SetTrackFlags(dwFlags);
    pMenu->UpdateItemsCmdUI();
    EXPECT_EQ(dwFlags != 0, (pMenu->GetItemAt(2).m_nStateFlags & MenuItem::STATE_CHECKED) != 0);
  }
}

} // namespace
