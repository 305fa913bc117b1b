// The "Options" page and the resolution dialog run modally and driven with real input: the
// controls the fields give and what OK reads back, the quality's and the resolution's limits,
// and what the frame's Options command keeps in the registry.
#include <gtest/gtest.h>

#include "app/OneInputDlg.h"
#include "app/OptionsGen.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/dialogs_support.h"
#include "tests/unit/app/frame_support.h"

namespace {

HWND PageItem(HWND hSheet, int nId) {
  return ::GetDlgItem((HWND)::SendMessageA(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0), nId);
}
int Selection(HWND hSheet, int nId) { return (int)::SendMessageA(PageItem(hSheet, nId), CB_GETCURSEL, 0, 0); }
// The list's entries joined with '|'.
std::string Entries(HWND hList) {
  std::string str;
  for (int i = 0; i < (int)::SendMessageA(hList, CB_GETCOUNT, 0, 0); ++i) {
    char sz[64] = "";
    ::SendMessageA(hList, CB_GETLBTEXT, (WPARAM)i, (LPARAM)sz);
    str += std::string(i > 0 ? "|" : "") + sz;
  }
  return str;
}

INT_PTR RunOptions(COptionsGen& page, std::vector<ModalScript::Step> steps) {
  ModalScript script("Options", std::move(steps));
  CPropertySheet sheet("Options", NULL, 0);
  sheet.AddPage(&page);
  const INT_PTR nResult = sheet.DoModal();
  EXPECT_TRUE(script.Finished());
  return nResult;
}

struct FieldsRow {
  int key, captureType, modifiers, enable, mouse;
  int keyIndex, modeIndex;            // the lists' selections the fields give
  int keyAfterOk, captureTypeAfterOk; // OK reads every control back
};
const FieldsRow kFieldRows[] = {{'Q', 32784, MOD_CONTROL, 1, 0, 16, 0, 'Q', 32784},
                                {VK_F12, 32791, MOD_SHIFT | MOD_ALT, 0, 1, 37, 5, VK_F12, 32791},
                                {'A', 32785, MOD_CONTROL | MOD_SHIFT | MOD_ALT, 1, 1, 0, 2, 'A', 32785},
                                {'0', 32793, 0, 0, 0, -1, -1, 'A', 32793}}; // neither has an entry

TEST(OptionsPage, ShowsItsFieldsAndReadsEveryControlBackOnOk) {
  for (const FieldsRow& row : kFieldRows) {
    COptionsGen page;
    page.m_nHotkeyKey = row.key, page.m_nCaptureType = row.captureType,
    page.m_nHotkeyModifiers = row.modifiers;
    page.m_bEnableHotkey = row.enable, page.m_bIncludeMouse = row.mouse;
    auto checkThenOk = [&](HWND hSheet) {
      EXPECT_EQ("A|B|C|D|E|F|G|H|I|J|K|L|M|N|O|P|Q|R|S|T|U|V|W|X|Y|Z|F1|F2|F3|F4|F5|F6|F7|F8|F9|F10|F11|F12",
                Entries(PageItem(hSheet, IDC_OPTIONS_KEY)));
      EXPECT_EQ("Rectangular Area|Full Screen|Active Window|Circular Area|Polygonal Area|Freehand Area",
                Entries(PageItem(hSheet, IDC_OPTIONS_CAPTURE_MODE)));
      EXPECT_EQ(row.keyIndex, Selection(hSheet, IDC_OPTIONS_KEY)) << row.key;
      EXPECT_EQ(row.modeIndex, Selection(hSheet, IDC_OPTIONS_CAPTURE_MODE)) << row.captureType;
      const std::pair<int, bool> kBoxes[] = {{IDC_OPTIONS_ENABLE_HOTKEY, row.enable != 0},
                                             {IDC_OPTIONS_CTRL, (row.modifiers & MOD_CONTROL) != 0},
                                             {IDC_OPTIONS_SHIFT, (row.modifiers & MOD_SHIFT) != 0},
                                             {IDC_OPTIONS_ALT, (row.modifiers & MOD_ALT) != 0},
                                             {IDC_OPTIONS_INCLUDE_MOUSE, row.mouse != 0}};
      for (auto [nId, bChecked] : kBoxes)
        EXPECT_EQ(bChecked, ::SendMessageA(PageItem(hSheet, nId), BM_GETCHECK, 0, 0) == BST_CHECKED) << nId;
      EXPECT_EQ("80", WindowText(PageItem(hSheet, IDC_OPTIONS_JPEG_QUALITY)));
      // Filled and read, never shown: the hot key always takes a rectangle.
      HWND hModeLabel = ::GetWindow(PageItem(hSheet, IDC_OPTIONS_CAPTURE_MODE), GW_HWNDPREV);
      EXPECT_EQ("Capture Option on Hotkey:", WindowText(hModeLabel));
      for (HWND hHidden : {PageItem(hSheet, IDC_OPTIONS_CAPTURE_MODE),
                           PageItem(hSheet, IDC_OPTIONS_INCLUDE_MOUSE), hModeLabel})
        EXPECT_FALSE(::IsWindowVisible(hHidden));
      ClickControl(::GetDlgItem(hSheet, IDOK));
      return true;
    };
    EXPECT_EQ(IDOK, RunOptions(page, {checkThenOk}));
    EXPECT_EQ(row.keyAfterOk, page.m_nHotkeyKey);
    EXPECT_EQ(row.captureTypeAfterOk, page.m_nCaptureType);
    EXPECT_EQ(row.modifiers, page.m_nHotkeyModifiers);
    EXPECT_EQ(row.enable, page.m_bEnableHotkey);
    EXPECT_EQ(row.mouse, page.m_bIncludeMouse);
  }
}

// The quality is read when its edit loses the focus (Tab) or the sheet closes with the focus in
// it (Enter), and kept in 20..100; the edit keeps what the user typed.
TEST(OptionsPage, KeepsTheJpegQualityInItsLimits) {
  const std::tuple<const char*, int, UINT> kRows[] = {{"5", 20, VK_TAB},     {"150", 100, VK_TAB},
                                                      {"abc", 20, VK_TAB},   {"20", 20, VK_TAB},
                                                      {"55", 55, VK_RETURN}, {"101", 100, VK_RETURN}};
  for (auto [pszTyped, nQuality, nLeaveKey] : kRows) {
    COptionsGen page;
    auto typeAndLeave = [&, pszTyped = pszTyped, nQuality = nQuality, nLeaveKey = nLeaveKey](HWND hSheet) {
      HWND hEdit = PageItem(hSheet, IDC_OPTIONS_JPEG_QUALITY);
      EXPECT_TRUE(TypeInto(hEdit, pszTyped));
      real_input::Key(nLeaveKey);
      if (nLeaveKey == VK_TAB) {
        EXPECT_TRUE(PumpUntil([&] { return page.m_nJpegQuality == nQuality; })) << pszTyped;
        EXPECT_EQ(pszTyped, WindowText(hEdit));
      }
      return true;
    };
    EXPECT_EQ(nLeaveKey == VK_RETURN ? IDOK : IDCANCEL, RunOptions(page, {typeAndLeave})) << pszTyped;
    EXPECT_EQ(nQuality, page.m_nJpegQuality) << pszTyped;
  }
}

TEST(ResolutionDialog, AcceptsOnlyWholeNumbersFromOneTo31999) {
  const std::pair<const char*, bool> kRows[] = {{"32000", false}, {"0", false}, {"abc", false},
                                                {"31999", true},  {"1", true},  {"300", true}};
  for (auto [pszTyped, bAccepted] : kRows) {
    MessageBoxRecorder boxes;
    COneInputDlg dlg;
    dlg.m_nValue = 96;
    auto typeAndOk = [pszTyped = pszTyped](HWND hDlg) {
      EXPECT_EQ("96", WindowText(::GetDlgItem(hDlg, IDC_ONE_INPUT_VALUE)));
      EXPECT_TRUE(TypeInto(::GetDlgItem(hDlg, IDC_ONE_INPUT_VALUE), pszTyped));
      ClickControl(::GetDlgItem(hDlg, IDOK));
      return true;
    };
    // A refused number leaves the dialog open with the message shown once.
    auto stillOpenThenCancel = [](HWND hDlg) {
      ClickControl(::GetDlgItem(hDlg, IDCANCEL));
      return true;
    };
    ModalScript script("Image Resolution",
                       bAccepted ? std::vector<ModalScript::Step>{typeAndOk}
                                 : std::vector<ModalScript::Step>{typeAndOk, stillOpenThenCancel});
    EXPECT_EQ(bAccepted ? IDOK : IDCANCEL, dlg.DoModal()) << pszTyped;
    EXPECT_TRUE(script.Finished()) << pszTyped;
    EXPECT_EQ(bAccepted ? 0u : 1u, MessageBoxRecorder::Boxes().size()) << pszTyped;
    if (!bAccepted && !MessageBoxRecorder::Boxes().empty())
      EXPECT_EQ("Please enter a number between 1 and 31999.", MessageBoxRecorder::Boxes()[0].first);
    if (bAccepted)
      EXPECT_EQ(std::atoi(pszTyped), dlg.m_nValue);
  }
}

class OptionsCommand : public MainFrameTest, public testing::WithParamInterface<bool> {};

// OK writes the six values the page edits and leaves the tip's choice alone; Cancel writes nothing.
TEST_P(OptionsCommand, StoresOnlyTheEditedValuesOnOk) {
  const bool bOk = GetParam();
  SetOptionValue("JpegQuality", 70);
  ASSERT_NE(nullptr, MakeFrame());
  SetOptionValue("ShowTip", 0); // as the tip of the day keeps the user's "no"
  auto edit = [bOk](HWND hSheet) {
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(hSheet, 0x3021))); // no Apply
    EXPECT_TRUE(TypeInto(PageItem(hSheet, IDC_OPTIONS_JPEG_QUALITY), "65"));
    ClickControl(PageItem(hSheet, IDC_OPTIONS_SHIFT));
    ClickControl(::GetDlgItem(hSheet, bOk ? IDOK : IDCANCEL));
    return true;
  };
  ModalScript script("Options", {edit});
  Command(ID_TOOLS_OPTIONS);
  EXPECT_TRUE(script.Finished());
  EXPECT_EQ(bOk ? 65 : 70, OptionValue("JpegQuality"));
  EXPECT_EQ(bOk ? 65 : 70, m_pFrame->GetJpegQuality());
  EXPECT_EQ(bOk ? MOD_CONTROL | MOD_SHIFT : -1, OptionValue("HotkeyCtrlShftAlt"));
  EXPECT_EQ(0, OptionValue("ShowTip"));
}
INSTANTIATE_TEST_SUITE_P(OkAndCancel, OptionsCommand, testing::Bool());

} // namespace
