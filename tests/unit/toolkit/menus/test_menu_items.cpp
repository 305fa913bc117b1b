// Popup menu items: texts and accelerator characters, measuring, access by index, insertion,
// removal, searches and status tips.
#include "tests/unit/toolkit/menus/menu_items_support.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

namespace {

const UINT ID_A = 0x8330, ID_B = 0x8331;
const CExtCmdIcon kNoIcon;

class MenuItemsTest : public MenuReceiverTest {};

// A TAB splits the text of command items only; the accelerator character follows the first '&'
// that is no "&&" and does not end the text.
TEST_F(MenuItemsTest, TextsSplitAtTheirFirstTabAndMarkTheirAcceleratorCharacter) {
  Register(ID_A, "Command");
  const struct {
    UINT nCmdId; // ID_A a command, ID_B an own item
    const char *pszText, *pszShown, *pszAccelText;
    char cAccel;
  } kCases[] = {
      {ID_A, "&Open\tCtrl+O", "&Open", "Ctrl+O", 'O'},
      {ID_A, "Save &as\tCtrl+S\tmore", "Save &as", "Ctrl+S\tmore", 'A'},
      {ID_B, "&Print\tCtrl+P", "&Print", "Ctrl+P", 'P'},
      {CExtPopupMenuWnd::ID_SUBMENU, "&Tools\tX", "&Tools\tX", "", 'T'},
      {ID_A, "Trailing&", "Trailing&", "", 0},
      {ID_A, "R&&D", "R&&D", "", 0},
      {ID_A, "R&&D &Report", "R&&D &Report", "", 'R'},
      {ID_A, "&&&x", "&&&x", "", 'X'},
      {ID_A, NULL, "", "", 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.pszText != NULL ? c.pszText : "(null)");
    MenuItemsPtr pMenu = NewMenu();
    ASSERT_TRUE(c.nCmdId == ID_B ? pMenu->InsertOwnItem(ID_B, -1, "own", NULL, kNoIcon)
                                 : pMenu->InsertItem(c.nCmdId, -1, "sub"));
    ASSERT_TRUE(pMenu->ItemSetText(0, c.pszText));
    EXPECT_STREQ(c.pszShown, pMenu->ItemGetText(0));
    EXPECT_STREQ(c.pszAccelText, pMenu->ItemGetAccelText(0));
    EXPECT_EQ((BYTE)c.cAccel, pMenu->GetItemAt(0).m_cAccelChar);
  }
}

TEST_F(MenuItemsTest, ItemsAreMeasuredInTheThemesMenuFont) {
  MenuItemsPtr pMenu = NewMenu();
  auto insert = [&](LPCSTR lpszText, int nIconSize = 0) {
    HICON hIcon = nIconSize > 0 ? (HICON)::CopyImage(::LoadIcon(NULL, IDI_APPLICATION), IMAGE_ICON, nIconSize,
                                                     nIconSize, 0)
                                : NULL;
    EXPECT_TRUE(pMenu->InsertCommandItemWithHIcon(ID_A, lpszText, "", hIcon, false));
    return pMenu->GetItemAt(pMenu->GetItemCount() - 1);
  };
  const MenuItem plain = insert("RD"), longer = insert("RD, and longer"), marked = insert("R&D"),
                 doubled = insert("R&&D"), smallIcon = insert("RD", 8), largeIcon = insert("RD", 32);
  pMenu->ItemDefaultSet(pMenu->GetItemCount() - 1, true);
  const MenuItem largeDefault = pMenu->GetItemAt(pMenu->GetItemCount() - 1);
  for (const MenuItem& item : {plain, longer, marked, doubled, smallIcon}) {
    EXPECT_GE(item.m_nHeight, 22);
    // The menu's layout widens every icon column to its own; measuring alone gives 16.
    MenuItem measured = item;
    measured.MeasureItem();
    EXPECT_EQ(16, measured.m_nIconAreaWidth);
  }
  EXPECT_GT(longer.m_nWidth, plain.m_nWidth);
  EXPECT_EQ(marked.m_nWidth, plain.m_nWidth) << "a lone '&' only marks";
  EXPECT_GT(doubled.m_nWidth, plain.m_nWidth) << "\"&&\" shows one '&'";
  EXPECT_EQ(smallIcon.m_nWidth, plain.m_nWidth) << "an icon counts as at least 16 wide";
  EXPECT_GE(largeIcon.m_nIconAreaWidth, 32);
  EXPECT_GE(largeIcon.m_nHeight, 36);
  EXPECT_GT(largeDefault.m_nWidth, largeIcon.m_nWidth) << "the default item's bold font";
  ASSERT_TRUE(pMenu->InsertItem(0));
  const MenuItem& separator = pMenu->GetItemAt(pMenu->GetItemCount() - 1);
  EXPECT_EQ(0, separator.m_nWidth);
  EXPECT_EQ(g_PaintManagerHolder->GetMenuItemSpacing(), separator.m_nHeight);
}

TEST_F(MenuItemsTest, IndexesOutsideTheItemsAnswerNothingOrRaise) {
  MenuItemsPtr pMenu = NewMenu();
  ASSERT_TRUE(pMenu->InsertOwnItem(ID_A, -1, "&One", "F1", kNoIcon));
  auto raises = [](const std::function<void()>& fn) {
    try {
      fn();
    } catch (CInvalidArgException* e) {
      e->Delete();
      return true;
    }
    return false;
  };
  for (int nIndex : {-1, 1}) {
    SCOPED_TRACE(nIndex);
    EXPECT_EQ(0u, pMenu->ItemGetCmdID(nIndex) + pMenu->GetItemState(nIndex) +
                      pMenu->GetItemIconAreaWidth(nIndex));
    EXPECT_EQ(nullptr, pMenu->ItemGetIcon(nIndex));
    EXPECT_EQ(nullptr, pMenu->ItemGetPopup(nIndex));
    EXPECT_STREQ("", pMenu->ItemGetText(nIndex) + pMenu->ItemGetAccelText(nIndex));
    EXPECT_FALSE(pMenu->ItemSetText(nIndex, "x") || pMenu->ItemSetAccelText(nIndex, "x") ||
                 pMenu->ItemSetIcon(nIndex, NULL));
    EXPECT_FALSE(pMenu->ItemIsEnabled(nIndex) || pMenu->ItemIsDefault(nIndex) ||
                 pMenu->ItemIsInline(nIndex) || pMenu->ItemIsNewColumn(nIndex) ||
                 pMenu->ItemGetExtraFlag1(nIndex) || pMenu->ItemGetStateFlag1(nIndex));
    EXPECT_TRUE(raises([&] { pMenu->GetItemAt(nIndex); }));
    EXPECT_TRUE(raises([&] { pMenu->ItemIsDisplayed(nIndex); }));
  }
  EXPECT_FALSE(raises([&] { pMenu->ItemIsDisplayed(0); }));
}

// Counts the menus of its kind that were deleted.
class CountedMenu : public CExtPopupMenuWnd {
public:
  static int s_nDeleted;
  ~CountedMenu() override { ++s_nDeleted; }
};
int CountedMenu::s_nDeleted = 0;

TEST_F(MenuItemsTest, ItemsGoInAtTheirPositionAndSubmenusGoWithTheirItems) {
  Register(ID_A, "&Alpha", "Ctrl+A");
  MenuItemsPtr pMenu = NewMenu();
  CountedMenu::s_nDeleted = 0;
  CountedMenu* pExisting = new CountedMenu;
  ASSERT_TRUE(pExisting->InitTopLevel(NULL));
  EXPECT_TRUE(pMenu->InsertItem(ID_A));
  EXPECT_FALSE(pMenu->InsertItem(ID_B)) << "not registered";
  EXPECT_FALSE(pMenu->InsertItem(ID_A, 2)) << "past the end";
  EXPECT_TRUE(pMenu->InsertItem(0, 0));
  EXPECT_TRUE(pMenu->InsertItem(CExtPopupMenuWnd::ID_SUBMENU, 1, "&Sub"));
  EXPECT_TRUE(pMenu->ItemGetPopup(1)->InsertPopupMenu(pExisting, -1, "&Existing"));
  EXPECT_FALSE(pExisting->InsertPopupMenu(pMenu.get())) << "a menu cannot hold a menu it lies in";
  EXPECT_EQ((std::vector<std::string>{"-", "&Sub", "&Alpha"}), ItemTexts(*pMenu));
  EXPECT_STREQ("Ctrl+A", pMenu->ItemGetAccelText(2));
  EXPECT_FALSE(pExisting->IsTopLevel());
  EXPECT_EQ(pMenu->ItemGetPopup(1), pExisting->GetParentMenu());
  EXPECT_EQ(pMenu.get(), pExisting->GetTopMenu());
  EXPECT_EQ(Receiver(), pExisting->GetCmdReceiverHWND());
  EXPECT_FALSE(pExisting->InitTopLevel(Receiver()));

  EXPECT_EQ(1, pMenu->ItemRemoveAllSeparators());
  EXPECT_FALSE(pMenu->ItemRemove(2));
  EXPECT_TRUE(pMenu->ItemRemove(0));
  EXPECT_EQ(1, CountedMenu::s_nDeleted) << "the submenu's submenu went with it";
  EXPECT_EQ((std::vector<std::string>{"&Alpha"}), ItemTexts(*pMenu));
  EXPECT_TRUE(pMenu->ItemRemove(-1));
  EXPECT_EQ(0, pMenu->GetItemCount());

  // Own items keep their check kind: none, checked, third state, radio.
  const BYTE kBits[] = {0, MenuItem::STATE_CHECKED, MenuItem::STATE_CHECKED | MenuItem::STATE_INDETERMINATE,
                        MenuItem::STATE_RADIO};
  for (int nCheck = 0; nCheck < 4; nCheck++) {
    ASSERT_TRUE(pMenu->InsertOwnItem(ID_B, -1, "&Own", "", kNoIcon, nCheck));
    EXPECT_EQ(MenuItem::STATE_ENABLED | MenuItem::STATE_OWN_DATA | kBits[nCheck],
              pMenu->GetItemAt(nCheck).m_nStateFlags);
  }
}

// A menu handed in whole shows in a menu that is not expanded, whatever its own items are (none, or
// only rarely used ones), and stays shown through later layouts.
TEST_F(MenuItemsTest, AnInsertedMenuShowsInAMenuThatIsNotExpanded) {
  CExtCmdItem* pRare = Register(ID_A, "&Rare");
  pRare->SetRarelyUsedPercent(10);
  pRare->m_pProfile->m_nTotalTickCount = 100;
  ASSERT_TRUE(pRare->IsRarelyUsed());
  for (bool bRareItems : {false, true}) {
    SCOPED_TRACE(bRareItems ? "rarely used items" : "no items");
    MenuItemsPtr pMenu = NewMenu();
    CExtPopupMenuWnd* pExisting = new CExtPopupMenuWnd;
    ASSERT_TRUE(pExisting->InitTopLevel(Receiver()));
    if (bRareItems)
      ASSERT_TRUE(pExisting->InsertItem(ID_A));
    ASSERT_TRUE(pMenu->InsertPopupMenu(pExisting, -1, "&Existing"));
    EXPECT_TRUE(pMenu->ItemIsDisplayed(0));
    EXPECT_FALSE(pMenu->HasNoShownItems());
    pMenu->RecalcItemLayout();
    EXPECT_TRUE(pMenu->ItemIsDisplayed(0)) << "after another layout";
  }
}

TEST_F(MenuItemsTest, SearchesFindItemsByIdTextAndAcceleratorCharacter) {
  MenuItemsPtr pMenu = NewMenu();
  for (LPCSTR psz : {"&Open", "&Save", "&Send", "so&Lo", "&save"}) // Send disabled, last save hidden
    ASSERT_TRUE(pMenu->InsertOwnItem(ID_A, -1, psz, "", kNoIcon));
  ASSERT_TRUE(pMenu->InsertItem(CExtPopupMenuWnd::ID_SUBMENU, 2, "&Sub"));
  pMenu->ItemEnabledSet(2, false);
  pMenu->ItemEnabledSet(3, false);
  for (int nIndex = 0; nIndex < pMenu->GetItemCount(); nIndex++) // shown as the layout would, but the last
    pMenu->GetItemAt(nIndex).m_nDisplayFlags = nIndex < 5 ? MenuItem::DISPLAY_SHOWN : 0;

  EXPECT_EQ(3, pMenu->ItemFindPosForCmdID(ID_A, 1));
  EXPECT_EQ(-1, pMenu->ItemFindPosForCmdID(ID_B));
  EXPECT_EQ(1, pMenu->FindItemByText("&SAVE", 1)) << "from the start item on";
  EXPECT_EQ(5, pMenu->FindItemByText("&save", 2));
  EXPECT_EQ(-1, pMenu->FindItemByText(""));
  const struct {
    char cAccel;
    int nStart;
    bool bRestart;
    int nFound;
  } kAccels[] = {{'s', -1, true, 1}, {'S', 1, true, 2},  {'s', 2, true, 1},   {'s', 2, false, -1},
                 {'o', 0, true, -1}, {'l', -1, true, 4}, {'\0', -1, true, -1}};
  for (const auto& c : kAccels)
    EXPECT_EQ(c.nFound, pMenu->FindItemByAccelChar((BYTE)c.cAccel, c.nStart, c.bRestart))
        << c.cAccel << " after " << c.nStart;
}

TEST_F(MenuItemsTest, StatusTipsComeFromTheItemTheCommandOrTheFramework) {
  Register(ID_A, "&Alpha", "", "Does alpha");
  Register(0xF060, "&Close", "", "command's close tip");
  MenuItemsPtr pMenu = NewMenu();
  for (UINT nCmdId : {ID_A, ID_A, 0xF060u, 0u, (UINT)CExtPopupMenuWnd::ID_SUBMENU})
    ASSERT_TRUE(pMenu->InsertItem(nCmdId));
  ASSERT_TRUE(pMenu->InsertOwnItem(ID_B, -1, "Own", "", kNoIcon));
  pMenu->GetItemAt(1).SetThirdText("item's own tip");
  const std::vector<std::string> kTips = {"Does alpha",
                                          "item's own tip",
                                          "Close the active window and prompts to save the documents",
                                          "",
                                          "",
                                          ""};
  for (int nIndex = 0; nIndex < pMenu->GetItemCount(); nIndex++)
    EXPECT_EQ(kTips[nIndex], (LPCSTR)pMenu->GetItemAt(nIndex).GetTipText()) << nIndex;
}

} // namespace
