// The "Options" sheet's page and the resolution dialog, driven with real input while they run
// modally: the lists and boxes the fields give, what OK reads back, the quality's and the
// resolution's limits, and what the frame's Options command keeps in the registry.
#include <gtest/gtest.h>

#include "app/OneInputDlg.h"
#include "app/OptionsGen.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/dialogs_support.h"
#include "tests/unit/app/frame_support.h"

namespace {

HWND PageOf(HWND hSheet) { return (HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0); }
HWND PageItem(HWND hSheet, int nId) { return ::GetDlgItem(PageOf(hSheet), nId); }
int Selection(HWND hSheet, int nId) { return (int)::SendMessageA(PageItem(hSheet, nId), CB_GETCURSEL, 0, 0); }
std::string ListText(HWND hList, int nIndex) {
  char sz[64] = "";
  ::SendMessageA(hList, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)sz);
  return sz;
}
bool Checked(HWND hSheet, int nId) { return ::IsDlgButtonChecked(PageOf(hSheet), nId) == BST_CHECKED; }
// The page's static with the text, NULL when there is none.
HWND StaticWithText(HWND hSheet, const char* pszText) {
  for (HWND h = ::GetWindow(PageOf(hSheet), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
    if (WindowText(h) == pszText)
      return h;
  return NULL;
}

// Runs the "Options" sheet with the page; the steps drive it; answers what DoModal answered.
INT_PTR RunOptions(COptionsGen& page, std::vector<ModalScript::Step> steps) {
  ModalScript script("Options", std::move(steps));
  CPropertySheet sheet("Options", NULL, 0);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&page);
  const INT_PTR nResult = sheet.DoModal();
  EXPECT_TRUE(script.Finished());
  return nResult;
}

bool ClickOk(HWND hSheet) {
  ClickControl(::GetDlgItem(hSheet, IDOK));
  return true;
}

struct FieldsRow {
  int key, captureType, modifiers, enable, mouse, quality;
  int keyIndex, modeIndex; // the lists' selections the fields give
  int keyAfterOk, captureTypeAfterOk;
};
const FieldsRow kFieldRows[] = {{'Q', 32784, MOD_CONTROL, 1, 0, 80, 16, 0, 'Q', 32784},
                                {VK_F12, 32791, MOD_SHIFT | MOD_ALT, 0, 1, 55, 37, 5, VK_F12, 32791},
                                {'A', 32785, MOD_CONTROL | MOD_SHIFT | MOD_ALT, 1, 1, 20, 0, 2, 'A', 32785},
                                // A key and a mode without an entry: nothing selected; OK gives 'A' and
                                // keeps the mode.
                                {'0', 32793, 0, 0, 0, 100, -1, -1, 'A', 32793}};

TEST(OptionsPage, ShowsItsFieldsInItsControlsAndReadsThemBackOnOk) {
  TheTestApp();
  const char* const kModes[] = {"Rectangular Area", "Full Screen",    "Active Window",
                                "Circular Area",    "Polygonal Area", "Freehand Area"};
  for (const FieldsRow& row : kFieldRows) {
    COptionsGen page;
    page.m_nHotkeyKey = row.key;
    page.m_nCaptureType = row.captureType;
    page.m_nHotkeyModifiers = row.modifiers;
    page.m_bEnableHotkey = row.enable;
    page.m_bIncludeMouse = row.mouse;
    page.m_nJpegQuality = row.quality;
    auto check = [&](HWND hSheet) {
      HWND hKeys = PageItem(hSheet, IDC_OPTIONS_KEY), hModes = PageItem(hSheet, IDC_OPTIONS_CAPTURE_MODE);
      EXPECT_EQ(38, ::SendMessageA(hKeys, CB_GETCOUNT, 0, 0));
      for (auto [nIndex, pszText] : {std::pair<int, const char*>{0, "A"}, {25, "Z"}, {26, "F1"}, {37, "F12"}})
        EXPECT_EQ(pszText, ListText(hKeys, nIndex));
      EXPECT_EQ(6, ::SendMessageA(hModes, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < 6; ++i)
        EXPECT_EQ(kModes[i], ListText(hModes, i));
      EXPECT_EQ(row.keyIndex, Selection(hSheet, IDC_OPTIONS_KEY)) << row.key;
      EXPECT_EQ(row.modeIndex, Selection(hSheet, IDC_OPTIONS_CAPTURE_MODE)) << row.captureType;
      EXPECT_EQ(row.enable != 0, Checked(hSheet, IDC_OPTIONS_ENABLE_HOTKEY));
      EXPECT_EQ((row.modifiers & MOD_CONTROL) != 0, Checked(hSheet, IDC_OPTIONS_CTRL));
      EXPECT_EQ((row.modifiers & MOD_SHIFT) != 0, Checked(hSheet, IDC_OPTIONS_SHIFT));
      EXPECT_EQ((row.modifiers & MOD_ALT) != 0, Checked(hSheet, IDC_OPTIONS_ALT));
      EXPECT_EQ(row.mouse != 0, Checked(hSheet, IDC_OPTIONS_INCLUDE_MOUSE));
      EXPECT_EQ(std::to_string(row.quality), WindowText(PageItem(hSheet, IDC_OPTIONS_JPEG_QUALITY)));
      // Kept and read, never shown: the hot key always takes a rectangle.
      for (HWND hHidden : {hModes, PageItem(hSheet, IDC_OPTIONS_INCLUDE_MOUSE),
                           StaticWithText(hSheet, "Capture Option on Hotkey:")}) {
        EXPECT_TRUE(::IsWindow(hHidden));
        EXPECT_FALSE(::IsWindowVisible(hHidden));
      }
      EXPECT_TRUE(::IsWindowVisible(StaticWithText(hSheet, "Note: Hotkey starts a rectangular capture.")));
      return true;
    };
    EXPECT_EQ(IDOK, RunOptions(page, {check, ClickOk}));
    EXPECT_EQ(row.keyAfterOk, page.m_nHotkeyKey);
    EXPECT_EQ(row.captureTypeAfterOk, page.m_nCaptureType);
    EXPECT_EQ(row.modifiers, page.m_nHotkeyModifiers);
    EXPECT_EQ(row.enable, page.m_bEnableHotkey);
    EXPECT_EQ(row.mouse, page.m_bIncludeMouse);
    EXPECT_EQ(row.quality, page.m_nJpegQuality);
  }
}

TEST(OptionsPage, ClickedBoxesAndAPickedKeyReachTheFields) {
  TheTestApp();
  COptionsGen page; // Ctrl+Q, hot key on
  auto edit = [](HWND hSheet) {
    for (int nId : {IDC_OPTIONS_ENABLE_HOTKEY, IDC_OPTIONS_CTRL, IDC_OPTIONS_ALT})
      ClickControl(PageItem(hSheet, nId));
    ::SetFocus(PageItem(hSheet, IDC_OPTIONS_KEY));
    real_input::Key(VK_END); // the last entry, F12
    return PumpUntil([&] { return Selection(hSheet, IDC_OPTIONS_KEY) == 37; });
  };
  EXPECT_EQ(IDOK, RunOptions(page, {edit, ClickOk}));
  EXPECT_EQ(0, page.m_bEnableHotkey);
  EXPECT_EQ(MOD_ALT, page.m_nHotkeyModifiers);
  EXPECT_EQ(VK_F12, page.m_nHotkeyKey);
}

// The quality is read when its edit loses the focus (Tab) or the sheet closes with the focus still
// in it (Enter), and kept in 20..100; the edit keeps what the user typed.
TEST(OptionsPage, KeepsTheJpegQualityInItsLimits) {
  TheTestApp();
  struct Row {
    const char* typed;
    int quality;
    UINT leaveKey;
  };
  const Row kRows[] = {{"5", 20, VK_TAB},    {"150", 100, VK_TAB},   {"abc", 20, VK_TAB},
                       {"55", 55, VK_TAB},   {"20", 20, VK_TAB},     {"55", 55, VK_RETURN},
                       {"7", 20, VK_RETURN}, {"101", 100, VK_RETURN}};
  for (const Row& row : kRows) {
    COptionsGen page;
    auto typeAndLeave = [&](HWND hSheet) {
      HWND hEdit = PageItem(hSheet, IDC_OPTIONS_JPEG_QUALITY);
      EXPECT_TRUE(TypeInto(hEdit, row.typed));
      real_input::Key(row.leaveKey);
      if (row.leaveKey == VK_TAB) {
        EXPECT_TRUE(PumpUntil([&] { return page.m_nJpegQuality == row.quality; })) << row.typed;
        EXPECT_EQ(row.typed, WindowText(hEdit));
      }
      return true;
    };
    EXPECT_EQ(row.leaveKey == VK_RETURN ? IDOK : IDCANCEL, RunOptions(page, {typeAndLeave})) << row.typed;
    EXPECT_EQ(row.quality, page.m_nJpegQuality) << row.typed;
  }
}

TEST(ResolutionDialog, AcceptsOnlyWholeNumbersFromOneTo31999) {
  TheTestApp();
  struct Row {
    const char* typed;
    bool accepted;
  };
  const Row kRows[] = {{"32000", false}, {"0", false}, {"abc", false},
                       {"31999", true},  {"1", true},  {"300", true}};
  for (const Row& row : kRows) {
    MessageBoxRecorder boxes;
    COneInputDlg dlg;
    dlg.m_nValue = 96;
    auto typeAndOk = [&](HWND hDlg) {
      HWND hEdit = ::GetDlgItem(hDlg, IDC_ONE_INPUT_VALUE);
      EXPECT_EQ("96", WindowText(hEdit));
      EXPECT_TRUE(TypeInto(hEdit, row.typed));
      ClickControl(::GetDlgItem(hDlg, IDOK));
      return true;
    };
    // A refused number leaves the dialog open with the message shown once; Cancel closes it.
    auto refusedThenCancel = [&](HWND hDlg) {
      EXPECT_TRUE(::IsWindowVisible(hDlg)) << row.typed;
      ClickControl(::GetDlgItem(hDlg, IDCANCEL));
      return true;
    };
    ModalScript script("Image Resolution",
                       row.accepted ? std::vector<ModalScript::Step>{typeAndOk}
                                    : std::vector<ModalScript::Step>{typeAndOk, refusedThenCancel});
    EXPECT_EQ(row.accepted ? IDOK : IDCANCEL, dlg.DoModal()) << row.typed;
    EXPECT_TRUE(script.Finished()) << row.typed;
    const std::vector<std::pair<std::string, UINT>> kRefused = {
        {"Please enter a number between 1 and 31999.", MB_OK | MB_ICONEXCLAMATION}};
    EXPECT_EQ(row.accepted ? decltype(kRefused){} : kRefused, MessageBoxRecorder::Boxes()) << row.typed;
    if (row.accepted)
      EXPECT_EQ(std::atoi(row.typed), dlg.m_nValue);
  }
}

class OptionsCommand : public MainFrameTest, public testing::WithParamInterface<bool> {};
const int kApplyButton = 0x3021; // the property sheet's Apply

// OK writes the six values the page edits and leaves the tip's choice alone; Cancel writes nothing.
TEST_P(OptionsCommand, StoresOnlyTheEditedValuesOnOk) {
  const bool bOk = GetParam();
  SetOptionValue("JpegQuality", 70);
  ASSERT_NE(nullptr, MakeFrame());
  SetOptionValue("ShowTip", 0); // what the tip of the day writes when the user turns it off
  auto edit = [](HWND hSheet) {
    HWND hApply = ::GetDlgItem(hSheet, kApplyButton);
    EXPECT_TRUE(hApply == NULL || !::IsWindowVisible(hApply));
    EXPECT_TRUE(TypeInto(PageItem(hSheet, IDC_OPTIONS_JPEG_QUALITY), "65"));
    ClickControl(PageItem(hSheet, IDC_OPTIONS_SHIFT));
    return true;
  };
  auto end = [bOk](HWND hSheet) {
    ClickControl(::GetDlgItem(hSheet, bOk ? IDOK : IDCANCEL));
    return true;
  };
  ModalScript script("Options", {edit, end});
  Command(ID_TOOLS_OPTIONS);
  EXPECT_TRUE(script.Finished());
  EXPECT_EQ(bOk ? 65 : 70, OptionValue("JpegQuality"));
  EXPECT_EQ(bOk ? 65 : 70, m_pFrame->GetJpegQuality());
  EXPECT_EQ(bOk ? MOD_CONTROL | MOD_SHIFT : -1, OptionValue("HotkeyCtrlShftAlt"));
  EXPECT_EQ(bOk ? 'Q' : -1, OptionValue("HotkeyKey"));
  EXPECT_EQ(0, OptionValue("ShowTip"));
}
INSTANTIATE_TEST_SUITE_P(OkAndCancel, OptionsCommand, testing::Bool());

} // namespace
