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

// The input while the tip is open: T clicks the box, O clicks OK, E presses Escape.
struct StartupCase {
  DWORD before;
  const char* input;
  bool shown;
  DWORD after;
};

std::ostream& operator<<(std::ostream& os, const StartupCase& c) {
  auto value = [](DWORD dw) { return dw == kMissing ? std::string("missing") : std::to_string(dw); };
  return os << value(c.before) << " \"" << c.input << "\" -> " << c.shown << ", " << value(c.after);
}

class TipAtStartupTest : public ::testing::TestWithParam<StartupCase> {};

TEST_P(TipAtStartupTest, ShowTipDecidesAndKeepsTheChoice) {
  const StartupCase& c = GetParam();
  const std::string tips = "Only tip";
  TipsFile file(&tips);
  WriteShowTip(c.before);
  DWORD dwWhileOpen = kMissing;
  auto ticked = [](HWND hDlg) { return ::IsDlgButtonChecked(hDlg, IDC_TIP_SHOW_AT_STARTUP) == BST_CHECKED; };
  std::vector<ModalScript::Step> steps = {[&](HWND hDlg) {
    dwWhileOpen = ReadShowTip();
    return ticked(hDlg); // it always opens ticked
  }};
  for (const char* p = c.input; *p != '\0'; ++p)
    steps.push_back([&, key = *p](HWND hDlg) {
      const bool bWas = ticked(hDlg);
      if (key == 'E') {
        ::SetForegroundWindow(hDlg);
        real_input::Key(VK_ESCAPE);
        return true;
      }
      ClickControlAt(::GetDlgItem(hDlg, key == 'T' ? IDC_TIP_SHOW_AT_STARTUP : IDOK), POINT{6, 6});
      return key == 'O' || PumpUntil([&] { return ticked(hDlg) != bWas; });
    });
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
                         ::testing::Values(StartupCase{kMissing, "", false, kMissing},
                                           StartupCase{0, "", false, 0}, StartupCase{5, "", false, 5},
                                           StartupCase{1, "O", true, 1}, StartupCase{1, "TO", true, 0},
                                           StartupCase{1, "TTO", true, 1}, StartupCase{1, "TE", true, 0}));

} // namespace
