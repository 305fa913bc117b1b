// The standard edit menu of the themed edit and of the combo's edit: a toolkit popup menu whose
// items follow the edit's state and whose commands act on the edit.
#include "tests/unit/toolkit/controls/combo_support.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace combo_support;

namespace {

const UINT kIds[8] = {ID_EDIT_UNDO,  0, ID_EDIT_CUT,       ID_EDIT_COPY, ID_EDIT_PASTE,
                      ID_EDIT_CLEAR, 0, ID_EDIT_SELECT_ALL};
const char* const kTexts[8] = {"&Undo", "", "Cu&t", "&Copy", "&Paste", "Cl&ear", "", "Select &All"};

// Puts text on the clipboard, or empties it.
bool SetClipboardText(HWND hWndOwner, const char* pszText) {
  if (!::OpenClipboard(hWndOwner))
    return false;
  ::EmptyClipboard();
  bool bOk = true;
  if (pszText != NULL) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(pszText) + 1);
    bOk = h != NULL;
    if (bOk) {
      std::memcpy(::GlobalLock(h), pszText, std::strlen(pszText) + 1);
      ::GlobalUnlock(h);
      bOk = ::SetClipboardData(CF_TEXT, h) != NULL;
    }
  }
  ::CloseClipboard();
  return bOk;
}

// "hello" with an undo step pending, then the selection.
void PrepareEdit(CEdit& edit, bool bReadOnly, int nStart, int nEnd) {
  edit.SetWindowText("helo");
  edit.SetSel(3, 3);
  edit.ReplaceSel("l", TRUE);
  edit.SetReadOnly(bReadOnly);
  edit.SetSel(nStart, nEnd);
}

struct EnablingCase {
  const char* pszName;
  bool bEmpty, bReadOnly, bClipboard;
  int nStart, nEnd;
  // Undo, Cut, Copy, Paste, Clear, Select All
  bool bEnabled[6];
};

class EditMenuEnabling : public ::testing::TestWithParam<EnablingCase> {};

TEST_P(EditMenuEnabling, FollowsTheEditsState) {
  const EnablingCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open());
  ASSERT_TRUE(SetClipboardText(host.m_hWnd, c.bClipboard ? "xyz" : NULL));
  if (c.bEmpty)
    host.m_edit.SetReadOnly(c.bReadOnly);
  else
    PrepareEdit(host.m_edit, c.bReadOnly, c.nStart, c.nEnd);
  const std::vector<MenuItemSeen> items = RightClickMenu(ScreenRect(&host.m_edit).CenterPoint());
  ASSERT_EQ(8u, items.size());
  const bool* pExpected = c.bEnabled;
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(kIds[i], items[i].nCmdId) << i;
    if (kIds[i] == 0)
      continue;
    EXPECT_EQ(kTexts[i], items[i].sText) << i;
    EXPECT_EQ(*pExpected++, items[i].bEnabled) << items[i].sText;
  }
  // The menu changed nothing and gave the focus back to the edit.
  EXPECT_EQ(c.bEmpty ? "" : "hello", Text(&host.m_edit));
  EXPECT_EQ(host.m_edit.m_hWnd, ::GetFocus());
}

INSTANTIATE_TEST_SUITE_P(
    States, EditMenuEnabling,
    ::testing::Values(
        EnablingCase{"EmptyEdit", true, false, false, 0, 0, {false, false, false, false, false, false}},
        EnablingCase{
            "SelectionWithClipboard", false, false, true, 1, 3, {true, true, true, true, true, true}},
        EnablingCase{"ReadOnly", false, true, true, 1, 3, {false, false, true, false, false, true}},
        EnablingCase{"AllSelected", false, false, false, 0, 5, {true, true, true, false, true, false}},
        EnablingCase{"CaretOnly", false, false, false, 2, 2, {true, false, false, false, false, true}}),
    [](const ::testing::TestParamInfo<EnablingCase>& info) { return std::string(info.param.pszName); });

struct ChoiceCase {
  const char* pszName;
  UINT nKey; // the item's accelerator
  const char* pszText;
  int nStart, nEnd;
};

class EditMenuChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(EditMenuChoice, ActsOnTheEdit) {
  const ChoiceCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open());
  PrepareEdit(host.m_edit, false, 1, 3);
  ASSERT_EQ(8u, RightClickMenu(ScreenRect(&host.m_edit).CenterPoint(), c.nKey).size());
  EXPECT_TRUE(PumpUntil([&] { return Text(&host.m_edit) == c.pszText; })) << Text(&host.m_edit);
  int nStart = -1, nEnd = -1;
  host.m_edit.GetSel(nStart, nEnd);
  EXPECT_EQ(c.nStart, nStart);
  EXPECT_EQ(c.nEnd, nEnd);
}

INSTANTIATE_TEST_SUITE_P(Commands, EditMenuChoice,
                         ::testing::Values(ChoiceCase{"SelectAll", 'A', "hello", 0, 5},
                                           ChoiceCase{"Clear", 'E', "hlo", 1, 1},
                                           ChoiceCase{"Undo", 'U', "helo", 3, 3}),
                         [](const ::testing::TestParamInfo<ChoiceCase>& info) {
                           return std::string(info.param.pszName);
                         });

TEST(ComboEditMenu, TheCombosEditShowsTheSameMenu) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  host.m_combo.SetWindowText("abc");
  const std::vector<MenuItemSeen> items =
      RightClickMenu(ScreenRect(&host.m_combo.m_wndInnerEdit).CenterPoint(), 'A');
  ASSERT_EQ(8u, items.size());
  EXPECT_EQ((UINT)ID_EDIT_SELECT_ALL, items[7].nCmdId);
  EXPECT_TRUE(items[7].bEnabled);
  EXPECT_TRUE(PumpUntil([&] { return host.m_combo.GetEditSel() == MAKELONG(0, 3); }));
  EXPECT_EQ(host.m_combo.m_wndInnerEdit.m_hWnd, ::GetFocus());
}

// Without the toolkit menu the edit keeps the platform's own.
struct PlatformMenuCase {
  const char* pszName;
  bool bProfile;
  bool bComboCommands; // the combo lets its edit handle the standard commands
  bool bInCombo;
};

class EditPlatformMenu : public ::testing::TestWithParam<PlatformMenuCase> {};

TEST_P(EditPlatformMenu, OpensInsteadOfTheToolkitMenu) {
  const PlatformMenuCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open(c.bProfile));
  if (!c.bComboCommands)
    host.m_combo.m_nComboFlags &= ~CExtComboBoxBase::COMBO_EDIT_STD_COMMANDS;
  CWnd& edit = c.bInCombo ? static_cast<CWnd&>(host.m_combo.m_wndInnerEdit) : host.m_edit;
  bool bPlatformMenu = false;
  EXPECT_TRUE(RightClickMenu(ScreenRect(&edit).CenterPoint(), VK_ESCAPE, &bPlatformMenu).empty());
  EXPECT_TRUE(bPlatformMenu);
}

INSTANTIATE_TEST_SUITE_P(Cases, EditPlatformMenu,
                         ::testing::Values(PlatformMenuCase{"NoProfile", false, true, false},
                                           PlatformMenuCase{"NoProfileInCombo", false, true, true},
                                           PlatformMenuCase{"ComboKeepsCommands", true, false, true}),
                         [](const ::testing::TestParamInfo<PlatformMenuCase>& info) {
                           return std::string(info.param.pszName);
                         });

} // namespace
