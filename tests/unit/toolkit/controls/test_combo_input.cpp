// Real keys and right clicks on the themed combo and edit: type-ahead completion, pasting and the
// Alt keys of the combo, and the standard edit menu, a toolkit popup menu whose items follow the
// edit's state and whose commands act on it, or the platform's menu when the toolkit's is not theirs.
#include "tests/unit/toolkit/controls/combo_support.h"

using namespace combo_support;

namespace {

struct KeysCase {
  const char* pszName;
  bool bComplete, bSubclass;
  const char* pszPaste; // pasted with Ctrl+V first
  UINT nAltKey;         // then pressed with Alt
  const char* pszKeys;  // then typed
  UINT nThenKey;        // then pressed
  const char* pszText;  // the text afterwards
  int nSelStart, nSelEnd;
  bool bDropped; // the list is open afterwards
  int nSysChars; // WM_SYSCHAR messages that reached the edit
};

class ComboKeys : public ::testing::TestWithParam<KeysCase> {};

TEST_P(ComboKeys, TextSelectionAndListFollowTheKeys) {
  const KeysCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open(true, c.bSubclass));
  CExtComboBox& combo = host.m_combo;
  EXPECT_NE(0u, combo.GetStyle() & WS_CLIPCHILDREN);
  combo.EnableAutoComplete(c.bComplete);
  ASSERT_TRUE(c.pszPaste == NULL || host.SetClipboard(c.pszPaste));
  ASSERT_TRUE(host.FocusCombo());
  const int nSysChars = CountMessages(combo.m_wndInnerEdit.m_hWnd, WM_SYSCHAR, [&] {
    if (c.pszPaste != NULL) // Ctrl+V arms completion as any key does; the paste must disarm it
      Chord(VK_CONTROL, 'V');
    if (c.nAltKey != 0)
      Chord(VK_MENU, c.nAltKey);
    Type(c.pszKeys);
    if (c.nThenKey != 0)
      real_input::Key(c.nThenKey);
    EXPECT_TRUE(PumpUntil([&] {
      return Text(&combo) == c.pszText && (combo.GetDroppedState() != FALSE) == c.bDropped;
    })) << Text(&combo);
  });
  const DWORD dwSel = combo.GetEditSel();
  EXPECT_EQ(c.nSelStart, (int)LOWORD(dwSel));
  EXPECT_EQ(c.nSelEnd, (int)HIWORD(dwSel));
  EXPECT_EQ(c.nSysChars, nSysChars);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ComboKeys,
    ::testing::Values(KeysCase{"FirstLetterTakesFirstItem", true, false, NULL, 0, "a", 0, "apple", 1, 5},
                      KeysCase{"SecondLetterMovesOn", true, false, NULL, 0, "ab", 0, "abc", 2, 3},
                      KeysCase{"NoMatchKeepsTyping", true, false, NULL, 0, "xy", 0, "xy", 2, 2},
                      KeysCase{"BackspaceDoesNotComplete", true, false, NULL, 0, "ab", VK_BACK, "ab", 2, 2},
                      KeysCase{"DeleteDoesNotComplete", true, false, NULL, 0, "ba", VK_DELETE, "ba", 2, 2},
                      KeysCase{"OffLeavesTheText", false, false, NULL, 0, "ab", 0, "ab", 2, 2},
                      KeysCase{"SubclassedHooksItsEdit", true, true, NULL, 0, "ab", 0, "abc", 2, 3},
                      KeysCase{"PasteIsNotCompleted", true, false, "ab", 0, "", 0, "ab", 2, 2},
                      KeysCase{"AltDownOpensTheList", true, false, NULL, VK_DOWN, "", 0, "", 0, 0, true},
                      KeysCase{"AltLetterIsSwallowed", true, false, NULL, 'X', "q", 0, "q", 1, 1},
                      KeysCase{"AltLetterPassesOn", false, false, NULL, 'X', "q", 0, "q", 1, 1, false, 1}),
    ByName());

enum Setup { InCombo = 1, Hello = 2, ReadOnly = 4, Clip = 8, NoProfile = 16, ComboKeeps = 32, Undoable = 64 };

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
  ASSERT_TRUE(host.SetClipboard((c.nSetup & Clip) != 0 ? "xyz" : NULL));
  if ((c.nSetup & ComboKeeps) != 0) // the combo, not its edit, takes the edit commands
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
    ::testing::Values(MenuCase{"EmptyEdit", 0, 0, 0, "000000", VK_ESCAPE, "", 0, 0},
                      MenuCase{"Clipboard", Undoable | Clip, 1, 3, "111111", VK_ESCAPE, "hello", 1, 3},
                      MenuCase{"ReadOnly", Undoable | ReadOnly | Clip, 1, 3, "001001", VK_ESCAPE, "hello", 1,
                               3},
                      MenuCase{"AllSelected", Undoable, 0, 5, "111010", VK_ESCAPE, "hello", 0, 5},
                      MenuCase{"CaretOnly", Undoable, 2, 2, "100001", VK_ESCAPE, "hello", 2, 2},
                      MenuCase{"SelectAll", Undoable, 1, 3, "111011", 'A', "hello", 0, 5},
                      MenuCase{"Clear", Undoable, 1, 3, "111011", 'E', "hlo", 1, 1},
                      MenuCase{"Undo", Undoable, 1, 3, "111011", 'U', "helo", 3, 3},
                      MenuCase{"SelectAllInCombo", InCombo | Hello, 1, 3, "011011", 'A', "hello", 0, 5},
                      MenuCase{"NoProfile", NoProfile, 0, 0, NULL, VK_ESCAPE, "", 0, 0},
                      MenuCase{"NoProfileInCombo", NoProfile | InCombo, 0, 0, NULL, VK_ESCAPE, "", 0, 0},
                      MenuCase{"ComboKeepsCommands", ComboKeeps | InCombo, 0, 0, NULL, VK_ESCAPE, "", 0, 0}),
    ByName());

} // namespace
