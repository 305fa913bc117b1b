// Type-ahead completion, pasting and the Alt keys of a themed drop-down combo, driven by real keys.
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
                      KeysCase{"AltLetterGoesOnUncompleted", false, false, NULL, 'X', "q", 0, "q", 1, 1,
                               false, 1}),
    ByName());

} // namespace
