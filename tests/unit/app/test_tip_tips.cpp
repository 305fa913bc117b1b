// The tip of the day reads tips.dat beside the program, splits it at "::" and steps through the
// tips with its buttons, wrapping at both ends.
#include "app/MainFrame.h"
#include "app/TipOfTheDayDlg.h"
#include "resources/resource.h"
#include "tests/unit/app/dialogs_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace {

// The dialog open without a modal loop, so that the test itself can click it.
class OpenTip {
public:
  OpenTip() {
    EXPECT_TRUE(dlg.Create(IDD_TIP_OF_THE_DAY, NULL));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    PumpUntil([this] { return ::IsWindowVisible(dlg.m_hWnd) != FALSE; });
    PumpPending();
  }
  ~OpenTip() { dlg.DestroyWindow(); }
  HWND Item(int nId) const { return ::GetDlgItem(dlg.m_hWnd, nId); }
  std::string Shown() const { return WindowText(Item(IDC_TIP_TEXT)); }
  CTipOfTheDayDlg dlg;
};

struct TipsCase {
  std::string file;
  std::vector<std::string> tips;
};

std::ostream& operator<<(std::ostream& os, const TipsCase& c) {
  return os << ::testing::PrintToString(c.file) << " -> " << c.tips.size() << " tips";
}

class TipsFileTest : public ::testing::TestWithParam<TipsCase> {};

TEST_P(TipsFileTest, TheFileSplitsIntoTheTipsAndOneIsShown) {
  TipsFile file(&GetParam().file);
  OpenTip tip;
  std::vector<std::string> tips;
  for (const CString& str : tip.dlg.m_tips)
    tips.push_back((LPCSTR)str);
  EXPECT_EQ(GetParam().tips, tips);
  EXPECT_EQ((int)tips.size(), tip.dlg.m_nTipCount);
  ASSERT_GE(tip.dlg.m_nCurrent, 0);
  ASSERT_LT(tip.dlg.m_nCurrent, tip.dlg.m_nTipCount);
  EXPECT_EQ(tips[tip.dlg.m_nCurrent], tip.Shown());
}

INSTANTIATE_TEST_SUITE_P(
    Files, TipsFileTest,
    ::testing::Values(TipsCase{"A::B::C", {"A", "B", "C"}},
                      TipsCase{"\r\n\r\n  One tip\r\non two lines\t\r\n\r\n", {"One tip\r\non two lines"}},
                      TipsCase{"A::::B", {"A", "", "B"}}, TipsCase{"A ::\r\nB", {"A ", "\r\nB"}},
                      TipsCase{" \r\n\t ", {""}}, TipsCase{std::string("A::B\0::C", 8), {"A", "B"}}));

// The tip stands on a white panel with the bulb at its top left; Next and Previous go round.
TEST(TipNavigation, NextAndPreviousWrapAtBothEnds) {
  const std::string content = "Stamps && callouts: pick one and click where it goes.::Second tip::Third tip";
  TipsFile file(&content);
  OpenTip tip;
  const char* tips[] = {"Stamps && callouts: pick one and click where it goes.", "Second tip", "Third tip"};
  tip.dlg.m_nCurrent = 2; // the last: the first Next wraps
  ClickControl(tip.Item(IDC_TIP_NEXT));
  ASSERT_TRUE(PumpUntil([&] { return tip.Shown() == tips[0]; })) << tip.Shown();
  const pixel_support::Pixels px = pixel_support::ReadClient(tip.dlg.m_hWnd);
  pixel_support::SaveBmp(px, "tip_of_the_day.bmp");
  CRect rcFrame, rcBulb;
  ::GetWindowRect(tip.Item(IDC_TIP_FRAME), &rcFrame);
  ::GetWindowRect(::GetWindow(tip.dlg.m_hWnd, GW_CHILD), &rcBulb);
  tip.dlg.ScreenToClient(&rcFrame);
  tip.dlg.ScreenToClient(&rcBulb);
  EXPECT_EQ(RGB(255, 255, 255), px.At(rcFrame.right - 6, rcFrame.bottom - 6));
  EXPECT_EQ(RGB(0xFF, 0xD5, 0x4F), px.At(rcBulb.left + 16, rcBulb.top + 14)); // the bulb's glass
  int nAt = 0;
  for (int nButton : {IDC_TIP_NEXT, IDC_TIP_NEXT, IDC_TIP_PREVIOUS, IDC_TIP_PREVIOUS, IDC_TIP_PREVIOUS}) {
    nAt = (nAt + (nButton == IDC_TIP_NEXT ? 1 : 2)) % 3;
    ClickControl(tip.Item(nButton));
    EXPECT_TRUE(PumpUntil([&] { return tip.Shown() == tips[nAt]; })) << nButton << " " << tip.Shown();
  }
}

TEST(TipNavigation, WithoutAFileTheDialogSaysSoAndCannotStep) {
  TipsFile file(nullptr);
  OpenTip tip;
  EXPECT_EQ("Could not initialize Tip-Of-The-Day messages!", tip.Shown());
  EXPECT_FALSE(::IsWindowEnabled(tip.Item(IDC_TIP_NEXT)));
  EXPECT_FALSE(::IsWindowEnabled(tip.Item(IDC_TIP_PREVIOUS)));
  EXPECT_TRUE(::IsWindowEnabled(tip.Item(IDC_TIP_SHOW_AT_STARTUP)));
  EXPECT_EQ(1, tip.dlg.m_bShowAtStartup);
  // The bulb its template gave the picture control goes with the dialog.
  const HGDIOBJ hBulb =
      (HGDIOBJ)::SendMessageA(::GetWindow(tip.dlg.m_hWnd, GW_CHILD), STM_GETIMAGE, IMAGE_BITMAP, 0);
  ASSERT_NE(nullptr, hBulb);
  tip.dlg.DestroyWindow();
  EXPECT_EQ(0u, ::GetObjectType(hBulb)) << "the bulb outlived the dialog";
}

// The text of a menu item without its mnemonic marks, and the key it shows after a tab.
std::pair<std::string, std::string> ItemText(HMENU hMenu, int nPos) {
  char sz[256] = "";
  ::GetMenuStringA(hMenu, (UINT)nPos, sz, sizeof(sz), MF_BYPOSITION);
  std::string text;
  for (const char* p = sz; *p != '\0'; p++)
    if (*p != '&' || p[1] == '&')
      text += *p == '&' ? *++p : *p;
  const size_t tab = text.find('\t');
  return {text.substr(0, tab), tab == std::string::npos ? "" : text.substr(tab + 1)};
}

// Every key a tip names does what it says: one that works anywhere is the capture hot key the
// program registers by default, any other is one of the main window's accelerators. Every name a
// tip quotes is an item of the document's menus, on the menu the tip names.
TEST(TipContent, EveryTipIsTrueOfTheProgram) {
  OpenTip tip;
  ASSERT_GT(tip.dlg.m_nTipCount, 1) << "tips.dat beside the test program, copied by the build";
  const HINSTANCE hInstance = ::GetModuleHandleA(NULL);
  HACCEL hAccel = ::LoadAcceleratorsA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
  std::vector<ACCEL> accels((size_t)::CopyAcceleratorTableA(hAccel, NULL, 0));
  ::CopyAcceleratorTableA(hAccel, accels.data(), (int)accels.size());
  HMENU hMenu = ::LoadMenuA(hInstance, MAKEINTRESOURCEA(IDR_IMAGE_TYPE));
  ASSERT_NE(nullptr, hMenu);
  const CFrameOptions defaults;
  const std::regex key("(Ctrl\\+)?(Shift\\+)?(Alt\\+)?(F[0-9]{1,2}|[A-Z0-9])\\b"), quoted("\"([^\"]+)\"");
  for (const CString& str : tip.dlg.m_tips) {
    const std::string text = (LPCSTR)str;
    for (std::sregex_iterator it(text.begin(), text.end(), key), end; it != end; ++it) {
      const std::smatch& m = *it;
      if (!m[1].matched && !m[2].matched && !m[3].matched)
        continue; // a plain letter or digit of the text
      const std::string name = m[4];
      const WORD wVk = name.size() > 1 ? (WORD)(VK_F1 + std::stoi(name.substr(1)) - 1) : (WORD)name[0];
      if (text.find("anywhere") != std::string::npos) {
        EXPECT_TRUE(defaults.EnableHotkey && defaults.HotkeyKey == wVk && !m[2].matched && !m[3].matched &&
                    defaults.HotkeyCtrlShftAlt == (m[1].matched ? MOD_CONTROL : 0))
            << m.str() << " is not the capture hot key: " << text;
        continue;
      }
      const BYTE fMods =
          (m[1].matched ? FCONTROL : 0) | (m[2].matched ? FSHIFT : 0) | (m[3].matched ? FALT : 0);
      EXPECT_TRUE(std::any_of(
          accels.begin(), accels.end(),
          [&](const ACCEL& a) { return a.key == wVk && (a.fVirt & (FCONTROL | FSHIFT | FALT)) == fMods; }))
          << m.str() << " is no key of the program: " << text;
    }
    for (std::sregex_iterator it(text.begin(), text.end(), quoted), end; it != end; ++it) {
      const std::string item = (*it)[1];
      bool bFound = false;
      for (int nPopup = 0; nPopup < ::GetMenuItemCount(hMenu) && !bFound; nPopup++) {
        HMENU hPopup = ::GetSubMenu(hMenu, nPopup);
        const bool bNamedMenu =
            text.find("the " + ItemText(hMenu, nPopup).first + " menu") != std::string::npos;
        for (int i = 0; hPopup != NULL && i < ::GetMenuItemCount(hPopup) && !bFound; i++)
          bFound =
              ItemText(hPopup, i).first == item && (bNamedMenu || text.find(" menu") == std::string::npos);
      }
      EXPECT_TRUE(bFound) << "\"" << item << "\" is no item of the menu the tip names: " << text;
    }
  }
  ::DestroyMenu(hMenu);
  ::DestroyAcceleratorTable(hAccel);
}

} // namespace
