// Type-ahead completion and the Alt keys of a themed drop-down combo, driven by real keys.
#include "tests/unit/toolkit/controls/combo_support.h"

#include <gtest/gtest.h>

using namespace combo_support;

namespace {

struct TypingCase {
  const char* pszName;
  bool bComplete;      // completion on
  const char* pszKeys; // lower-case letters, then the extra key (0: none)
  UINT nThenKey;
  const char* pszText; // the text afterwards
  int nSelStart, nSelEnd;
};

class ComboTyping : public ::testing::TestWithParam<TypingCase> {};

TEST_P(ComboTyping, TextAndSelectionFollowTheKeys) {
  const TypingCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open());
  host.m_combo.EnableAutoComplete(c.bComplete);
  host.m_combo.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == host.m_combo.m_wndInnerEdit.m_hWnd; }));
  Type(c.pszKeys);
  if (c.nThenKey != 0)
    real_input::Key(c.nThenKey);
  EXPECT_TRUE(PumpUntil([&] { return Text(&host.m_combo) == c.pszText; })) << Text(&host.m_combo);
  const DWORD dwSel = host.m_combo.GetEditSel();
  EXPECT_EQ(c.nSelStart, (int)LOWORD(dwSel));
  EXPECT_EQ(c.nSelEnd, (int)HIWORD(dwSel));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ComboTyping,
    ::testing::Values(TypingCase{"FirstLetterTakesFirstItem", true, "a", 0, "apple", 1, 5},
                      TypingCase{"SecondLetterMovesOn", true, "ab", 0, "abc", 2, 3},
                      TypingCase{"NoMatchKeepsTyping", true, "xy", 0, "xy", 2, 2},
                      TypingCase{"BackspaceDoesNotComplete", true, "ab", VK_BACK, "ab", 2, 2},
                      TypingCase{"DeleteDoesNotComplete", true, "ba", VK_DELETE, "ba", 2, 2},
                      TypingCase{"OffLeavesTheText", false, "ab", 0, "ab", 2, 2}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.pszName); });

TEST(ComboClipboard, PastedTextIsNotCompleted) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  host.m_other.SetWindowText("ab");
  host.m_other.SetSel(0, -1);
  host.m_other.Copy();
  host.m_combo.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == host.m_combo.m_wndInnerEdit.m_hWnd; }));
  // Ctrl+V arms completion as any key does; the paste itself must disarm it.
  Chord(VK_CONTROL, 'V');
  EXPECT_TRUE(PumpUntil([&] { return Text(&host.m_combo) == "ab"; })) << Text(&host.m_combo);
  Type("c");
  EXPECT_TRUE(PumpUntil([&] { return Text(&host.m_combo) == "abc"; })) << Text(&host.m_combo);
}

// A combo made by a dialog template is subclassed with its edit already there.
TEST(ComboSubclassed, HooksItsEditAndCompletes) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  const HWND hWndPlain = ::CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, 20, 140, 200,
                                         120, host.m_hWnd, (HMENU)3004, NULL, NULL);
  ASSERT_NE(nullptr, hWndPlain);
  CExtComboBox combo;
  ASSERT_TRUE(combo.SubclassWindow(hWndPlain));
  EXPECT_NE(nullptr, combo.m_wndInnerEdit.GetSafeHwnd());
  EXPECT_NE(0u, combo.GetStyle() & WS_CLIPCHILDREN);
  combo.AddString("abc");
  combo.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == combo.m_wndInnerEdit.m_hWnd; }));
  Type("ab");
  EXPECT_TRUE(PumpUntil([&] { return Text(&combo) == "abc"; })) << Text(&combo);
  combo.DestroyWindow();
}

struct AltCase {
  const char* pszName;
  bool bComplete;
  UINT nKey;
  bool bDropped; // the list is open afterwards
  int nSysChars; // WM_SYSCHAR messages that reached the edit
};

class ComboAltKeys : public ::testing::TestWithParam<AltCase> {};

TEST_P(ComboAltKeys, ReachTheComboOrAreSwallowed) {
  const AltCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open());
  host.m_combo.EnableAutoComplete(c.bComplete);
  host.m_combo.SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == host.m_combo.m_wndInnerEdit.m_hWnd; }));
  CMessageProbe probe(host.m_combo.m_wndInnerEdit.m_hWnd, WM_SYSCHAR);
  Chord(VK_MENU, c.nKey);
  if (c.bDropped) {
    EXPECT_TRUE(PumpUntil([&] { return host.m_combo.GetDroppedState() != FALSE; }));
  } else {
    // A letter typed after the chord tells when the chord has gone through.
    Type("q");
    EXPECT_TRUE(PumpUntil([&] { return Text(&host.m_combo) == "q"; })) << Text(&host.m_combo);
    EXPECT_FALSE(host.m_combo.GetDroppedState());
  }
  EXPECT_EQ(c.nSysChars, probe.m_nCount);
}

INSTANTIATE_TEST_SUITE_P(Keys, ComboAltKeys,
                         ::testing::Values(AltCase{"AltDownOpensTheList", true, VK_DOWN, true, 0},
                                           AltCase{"AltLetterIsSwallowed", true, 'X', false, 0},
                                           AltCase{"AltLetterGoesOnWithoutCompletion", false, 'X', false, 1}),
                         [](const ::testing::TestParamInfo<AltCase>& info) {
                           return std::string(info.param.pszName);
                         });

} // namespace
