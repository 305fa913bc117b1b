// At start-up the tip is shown only when "ShowTip" is 1; it reads 0 while the dialog is open and
// holds the "Show Tip at Startup" choice after it closes.
#include "app/TipOfTheDayDlg.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/dialogs_support.h"

#include <gtest/gtest.h>

namespace {

const char kOptions[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture\\Options";
const DWORD kMissing = 0xFFFFFFFF;

DWORD ReadShowTip() {
  HKEY hKey = NULL;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kOptions, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    return kMissing;
  DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
  const LONG lResult =
      ::RegQueryValueExA(hKey, "ShowTip", NULL, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cb);
  ::RegCloseKey(hKey);
  return lResult == ERROR_SUCCESS && dwType == REG_DWORD ? dwValue : kMissing;
}

void WriteShowTip(DWORD dwValue) {
  HKEY hKey = NULL;
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegCreateKeyExA(HKEY_CURRENT_USER, kOptions, 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL));
  if (dwValue == kMissing)
    ::RegDeleteValueA(hKey, "ShowTip");
  else
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(hKey, "ShowTip", 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue)));
  ::RegCloseKey(hKey);
}

enum Action { kNone, kOk, kUntickOk, kUntickRetickOk, kUntickEscape };

struct StartupCase {
  DWORD before;
  Action action;
  bool shown;
  DWORD after;
};

class TipAtStartupTest : public ::testing::TestWithParam<StartupCase> {};

TEST_P(TipAtStartupTest, ShowTipDecidesAndKeepsTheChoice) {
  TheTestApp();
  const StartupCase& c = GetParam();
  const std::string tips = "Only tip";
  TipsFile file(&tips);
  WriteShowTip(c.before);
  DWORD dwWhileOpen = kMissing;
  auto item = [](HWND hDlg, int nId) { return ::GetDlgItem(hDlg, nId); };
  auto checked = [&](HWND hDlg) {
    return ::SendMessageA(item(hDlg, IDC_TIP_SHOW_AT_STARTUP), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  std::vector<ModalScript::Step> steps = {[&](HWND hDlg) {
    dwWhileOpen = ReadShowTip();
    return checked(hDlg); // it always opens ticked
  }};
  auto toggle = [&](bool bTicked) {
    return [&, bTicked](HWND hDlg) {
      ClickControlAt(item(hDlg, IDC_TIP_SHOW_AT_STARTUP), POINT{6, 6});
      return PumpUntil([&] { return checked(hDlg) == bTicked; });
    };
  };
  auto ok = [&](HWND hDlg) {
    ClickControl(item(hDlg, IDOK));
    return true;
  };
  if (c.action == kUntickOk || c.action == kUntickRetickOk || c.action == kUntickEscape)
    steps.push_back(toggle(false));
  if (c.action == kUntickRetickOk)
    steps.push_back(toggle(true));
  if (c.action == kUntickEscape)
    steps.push_back([](HWND hDlg) {
      ::SetForegroundWindow(hDlg);
      real_input::Key(VK_ESCAPE);
      return true;
    });
  else
    steps.push_back(ok);
  {
    ModalScript script("Tip of the Day", steps);
    ShowTipOfTheDayIfWanted(NULL);
    EXPECT_EQ(c.shown, script.Seen());
    if (c.shown) {
      EXPECT_TRUE(script.Finished());
      EXPECT_EQ(0u, dwWhileOpen);
    }
  }
  EXPECT_EQ(c.after, ReadShowTip());
  WriteShowTip(kMissing);
}

INSTANTIATE_TEST_SUITE_P(Values, TipAtStartupTest,
                         ::testing::Values(StartupCase{kMissing, kNone, false, kMissing},
                                           StartupCase{0, kNone, false, 0}, StartupCase{5, kNone, false, 5},
                                           StartupCase{1, kOk, true, 1}, StartupCase{1, kUntickOk, true, 0},
                                           StartupCase{1, kUntickRetickOk, true, 1},
                                           StartupCase{1, kUntickEscape, true, 0}));

} // namespace
