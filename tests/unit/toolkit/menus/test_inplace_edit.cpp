// The edit field of an in-place menu item under real keys: Escape keeps the menu and the item and
// discards the text, Enter commits through the commit callback or the storage when the validation
// accepts, a rejected keystroke leaves text and selection as they were, and the delete-selection
// and select-all messages.
#include "tests/unit/toolkit/menus/menu_input_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"

#include <gtest/gtest.h>

namespace {

using menu_paint::CFixedLayoutMenu;
using menu_paint::WaitUntil;
typedef CExtPopupMenuWnd::CInPlaceEditWnd InplaceEdit;

CString g_sCommitted;
int g_nCommits = 0;
bool AcceptAll(LPCSTR) { return true; }
bool RejectAll(LPCSTR) { return false; }
bool NoDigits(LPCSTR lpszText) { return CString(lpszText).FindOneOf("0123456789") < 0; }
void Commit(LPCSTR lpszText) {
  g_sCommitted = lpszText;
  g_nCommits++;
}

// A menu that counts the cancel-mode requests its edit posts.
class CCountingMenu : public CFixedLayoutMenu {
public:
  int m_nCancelModes = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_CANCELMODE)
      m_nCancelModes++;
    return CFixedLayoutMenu::WindowProc(message, wParam, lParam);
  }
};

struct EditCase {
  const char* name;
  CExtPopupMenuWnd::MENUITEMDATA::PFN_INPLACE_VALIDATE pfnValidate;
  CExtPopupMenuWnd::MENUITEMDATA::PFN_INPLACE_COMMIT pfnCommit;
  const char* typed;
  UINT nEndKey;        // VK_ESCAPE, VK_RETURN, or 0 for none
  const char* edited;  // the edit's text once typed
  const char* stored;  // the storage afterwards
  const char* commits; // what the commit callback got, NULL when it was not called
};

class InplaceEditTest : public ::testing::TestWithParam<EditCase> {
protected:
  void SetUp() override {
    g_sCommitted.Empty();
    g_nCommits = 0;
    ASSERT_TRUE(m_receiver.CreateReceiver());
    m_menu.m_hWndCmdReceiver = m_receiver.m_hWnd;
    m_menu.AddItem(100);
    CExtPopupMenuWnd::MENUITEMDATA& item = m_menu.AddItem(101, "Value");
    item.m_pInplaceValue = &m_sValue;
    item.m_pfnInplaceValidate = GetParam().pfnValidate;
    item.m_pfnInplaceCommit = GetParam().pfnCommit;
    ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
    m_menu.ShowNoActivate();
    m_menu.SetCurrentItem(1);
    ASSERT_TRUE(m_menu.CreateInplaceEditForItem(1, &m_menu, CRect(40, 30, 150, 46)));
    m_hWndEdit = m_menu.GetItemAt(1).m_hWndInplace;
    ASSERT_TRUE(::IsWindow(m_hWndEdit));
    ::ShowWindow(m_hWndEdit, SW_SHOWNA);
    ::SetForegroundWindow(m_menu.m_hWnd);
    ::SetFocus(m_hWndEdit);
    ASSERT_TRUE(WaitUntil([&] { return ::GetFocus() == m_hWndEdit; }));
  }
  void TearDown() override {
    m_menu.DestroyWindow();
    m_receiver.DestroyWindow();
  }
  CString EditText() const {
    char sz[64] = {};
    ::GetWindowTextA(m_hWndEdit, sz, sizeof(sz));
    return sz;
  }
  DWORD Selection() const { return (DWORD)::SendMessageA(m_hWndEdit, EM_GETSEL, 0, 0); }

  menu_paint::CMenuReceiver m_receiver;
  CCountingMenu m_menu;
  CString m_sValue = "old";
  HWND m_hWndEdit = NULL;
};

TEST_P(InplaceEditTest, KeysAreValidatedAndTheEndKeyCommitsOrDiscards) {
  const EditCase& row = GetParam();
  EXPECT_EQ(MAKELONG(0, 3), Selection()) << "the whole value selected at creation";
  const CString sTyped(row.typed);
  menu_input::Type(row.typed);
  EXPECT_TRUE(WaitUntil([&] { return EditText() == row.edited; })) << (LPCSTR)EditText();
  const int nEnd = CString(row.edited).GetLength();
  if (!sTyped.IsEmpty())
    EXPECT_EQ(MAKELONG(nEnd, nEnd), Selection()) << "the caret after the last accepted character";
  if (row.nEndKey != 0) {
    menu_input::Key(row.nEndKey);
    if (row.nEndKey == VK_RETURN)
      EXPECT_TRUE(WaitUntil([&] { return m_menu.m_nCancelModes == 1; }));
    else
      EXPECT_TRUE(WaitUntil([&] { return ::GetFocus() != m_hWndEdit; }));
  }
  EXPECT_STREQ(row.stored, (LPCSTR)m_sValue);
  EXPECT_EQ(row.commits != NULL ? 1 : 0, g_nCommits);
  if (row.commits != NULL)
    EXPECT_STREQ(row.commits, (LPCSTR)g_sCommitted);
  if (row.nEndKey == VK_ESCAPE) {
    // The menu stays with the same item current; the edit hid with the typed text discarded.
    EXPECT_TRUE(::IsWindowVisible(m_menu.m_hWnd));
    EXPECT_EQ(0, m_menu.m_nCancelModes);
    EXPECT_EQ(1, m_menu.GetCurrentItemIndex());
    EXPECT_FALSE(::IsWindowVisible(m_hWndEdit));
    EXPECT_STREQ("old", (LPCSTR)EditText());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InplaceEditTest,
    ::testing::Values(EditCase{"escape_discards", NULL, NULL, "new", VK_ESCAPE, "new", "old", NULL},
                      EditCase{"enter_stores", NULL, NULL, "new", VK_RETURN, "new", "new", NULL},
                      EditCase{"enter_commits", AcceptAll, Commit, "ab", VK_RETURN, "ab", "old", "ab"},
                      EditCase{"enter_rejected", RejectAll, Commit, "", VK_RETURN, "old", "old", NULL},
                      EditCase{"digit_rejected", NoDigits, NULL, "a1b", 0, "ab", "old", NULL}),
    menu_paint::CaseName());

TEST(InplaceEditMessages, DeleteSelectionTakesTheCharacterAfterTheCaretAndSelectAllSelectsAll) {
  menu_paint::CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver());
  CString sValue = "hello";
  InplaceEdit edit(NULL, NULL, NULL, 0, sValue);
  ASSERT_TRUE(edit.Create(&receiver, CRect(0, 0, 120, 20)));
  edit.SetSelection(MAKELONG(1, 1));
  edit.SendMessage(InplaceEdit::g_nMsgDeleteSelection);
  CString sText;
  edit.GetWindowText(sText);
  EXPECT_STREQ("hllo", (LPCSTR)sText);
  EXPECT_EQ(MAKELONG(1, 1), (DWORD)edit.SendMessage(EM_GETSEL));
  edit.SetSelection(MAKELONG(0, 2));
  edit.SendMessage(InplaceEdit::g_nMsgDeleteSelection);
  edit.GetWindowText(sText);
  EXPECT_STREQ("lo", (LPCSTR)sText);
  edit.SendMessage(InplaceEdit::g_nMsgSelectAll);
  EXPECT_EQ(MAKELONG(0, 2), (DWORD)edit.SendMessage(EM_GETSEL));
  EXPECT_STREQ("hello", (LPCSTR)sValue) << "the storage changes only on Enter";
  edit.DestroyWindow();
  receiver.DestroyWindow();
}

TEST(InplaceEditItem, TheDisplayTextNeedsInplaceDataAndAnItemWithoutItMakesNoEdit) {
  CFixedLayoutMenu menu;
  CExtPopupMenuWnd::MENUITEMDATA& item = menu.AddItem(100);
  EXPECT_FALSE(menu.CreateInplaceEditForItem(0, &menu, CRect(0, 0, 10, 10)));
  CString sValue;
  const struct {
    bool bInplace;
    LPCSTR lpszText, lpszShown;
  } rows[] = {{false, "shown", ""}, {true, "shown", "shown"}, {true, NULL, ""}};
  for (const auto& row : rows) {
    item.m_pInplaceValue = row.bInplace ? &sValue : NULL;
    item.SetInplaceDisplayText(row.lpszText);
    EXPECT_STREQ(row.lpszShown, (LPCSTR)item.m_sInplaceText);
    EXPECT_EQ(*row.lpszShown != 0,
              (item.m_nInplaceFlags & CExtPopupMenuWnd::MENUITEMDATA::INPLACE_DISPLAY_TEXT) != 0);
  }
}

} // namespace
