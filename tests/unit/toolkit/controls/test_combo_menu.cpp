// The standard edit menu of the themed edit and of the combo's edit: a toolkit popup menu whose
// items follow the edit's state and whose commands act on the edit, or the platform's menu when
// the toolkit's is not theirs to show.
#include "tests/unit/toolkit/controls/combo_support.h"

using namespace combo_support;

namespace {

enum Setup {
  InCombo = 1,
  Hello = 2,
  ReadOnly = 4,
  Clipboard = 8,
  NoProfile = 16,
  ComboKeepsCommands = 32,
  Undoable = 64
};

struct MenuCase {
  const char* pszName;
  int nSetup;
  int nStart, nEnd;
  const char* pszEnabled; // Undo, Cut, Copy, Paste, Clear, Select All; NULL: the platform's menu
  UINT nKey;              // closes the menu or chooses an item
  const char* pszText;    // then the edit's text and selection
  int nSelStart, nSelEnd;
};

class EditMenu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(EditMenu, FollowsAndActsOnTheEdit) {
  const MenuCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open((c.nSetup & NoProfile) == 0));
  ASSERT_TRUE(host.SetClipboard((c.nSetup & Clipboard) != 0 ? "xyz" : NULL));
  if ((c.nSetup & ComboKeepsCommands) != 0)
    host.m_combo.m_nComboFlags &= ~CExtComboBoxBase::COMBO_EDIT_STD_COMMANDS;
  CEdit& edit = (c.nSetup & InCombo) != 0 ? host.m_combo.m_wndInnerEdit : host.m_edit;
  edit.SetWindowText((c.nSetup & Undoable) != 0 ? "helo" : (c.nSetup & Hello) != 0 ? "hello" : "");
  if ((c.nSetup & Undoable) != 0) { // "hello" with an undo step pending
    edit.SetSel(3, 3);
    edit.ReplaceSel("l", TRUE);
  }
  edit.SetReadOnly((c.nSetup & ReadOnly) != 0);
  edit.SetSel(c.nStart, c.nEnd);
  const MenuSeen seen = RightClickMenu(ScreenRect(&edit).CenterPoint(), c.nKey);
  EXPECT_EQ(c.pszEnabled == NULL, seen.bPlatformMenu);
  if (c.pszEnabled != NULL) {
    EXPECT_EQ("&Undo|-|Cu&t|&Copy|&Paste|Cl&ear|-|Select &All", seen.sTexts);
    EXPECT_EQ(c.pszEnabled, seen.sEnabled);
    EXPECT_EQ(edit.m_hWnd, ::GetFocus());
  }
  EXPECT_TRUE(PumpUntil([&] { return Text(&edit) == c.pszText; })) << Text(&edit);
  int nStart = -1, nEnd = -1;
  edit.GetSel(nStart, nEnd);
  EXPECT_EQ(c.nSelStart, nStart);
  EXPECT_EQ(c.nSelEnd, nEnd);
}

INSTANTIATE_TEST_SUITE_P(
    States, EditMenu,
    ::testing::Values(
        MenuCase{"EmptyEdit", 0, 0, 0, "000000", VK_ESCAPE, "", 0, 0},
        MenuCase{"Clipboard", Undoable | Clipboard, 1, 3, "111111", VK_ESCAPE, "hello", 1, 3},
        MenuCase{"ReadOnly", Undoable | ReadOnly | Clipboard, 1, 3, "001001", VK_ESCAPE, "hello", 1, 3},
        MenuCase{"AllSelected", Undoable, 0, 5, "111010", VK_ESCAPE, "hello", 0, 5},
        MenuCase{"CaretOnly", Undoable, 2, 2, "100001", VK_ESCAPE, "hello", 2, 2},
        MenuCase{"SelectAll", Undoable, 1, 3, "111011", 'A', "hello", 0, 5},
        MenuCase{"Clear", Undoable, 1, 3, "111011", 'E', "hlo", 1, 1},
        MenuCase{"Undo", Undoable, 1, 3, "111011", 'U', "helo", 3, 3},
        MenuCase{"SelectAllInCombo", InCombo | Hello, 1, 3, "011011", 'A', "hello", 0, 5},
        MenuCase{"NoProfile", NoProfile, 0, 0, NULL, VK_ESCAPE, "", 0, 0},
        MenuCase{"NoProfileInCombo", NoProfile | InCombo, 0, 0, NULL, VK_ESCAPE, "", 0, 0},
        MenuCase{"ComboKeepsCommands", ComboKeepsCommands | InCombo, 0, 0, NULL, VK_ESCAPE, "", 0, 0}),
    ByName());

} // namespace
