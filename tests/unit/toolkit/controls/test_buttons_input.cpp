// The themed buttons under real mouse and keys: clicks, Space and Return, the parts of a split
// button, the drop-down menu, check-box cycles and radio groups.
#include "tests/unit/toolkit/controls/buttons_res.h"
#include "tests/unit/toolkit/controls/buttons_support.h"
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace buttons_support;
using colorctrl_support::Click;
using colorctrl_support::Press;
using colorctrl_support::Release;

const CRect kRect(20, 20, 180, 50);

class ButtonInputTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_dlg.Open()); }
  void TearDown() override { CloseMenus(); }
  // Runs the input and pumps until the count of clicks from the button is reached (or time out).
  int ClicksAfter(CExtButton& btn, const std::function<void()>& input, int nExpected) {
    input();
    PumpUntil([&] { return m_dlg.Clicks(btn.GetDlgCtrlID()) >= nExpected; }, nExpected == 0 ? 300 : 5000);
    return m_dlg.Clicks(btn.GetDlgCtrlID());
  }
  void LoadMenu(CExtButton& btn) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_BUTTONS_MENU));
    btn.m_menu.Attach(::GetSubMenu(menu.GetSafeHmenu(), 0));
    ::RemoveMenu(menu.GetSafeHmenu(), 0, MF_BYPOSITION); // the button owns the submenu now
  }
  CButtonsDlg m_dlg;
};

// A mouse click, Space pressed and released, and Return each click a push button once; Return
// clicks on the press, Space on the release.
TEST_F(ButtonInputTest, MouseSpaceAndReturnClickAPushButtonOnce) {
  CExtButton btn;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Push", kRect));
  EXPECT_EQ(1, ClicksAfter(
                   btn, [&] { ClickCentre(btn.m_hWnd); }, 1));
  btn.SetFocus();
  KeyDown(VK_SPACE);
  EXPECT_EQ(1, m_dlg.Clicks(btn.GetDlgCtrlID()));
  EXPECT_NE(0, btn.m_nStateFlags & CExtButton::STATE_PUSHED);
  EXPECT_EQ(2, ClicksAfter(
                   btn, [&] { KeyUp(VK_SPACE); }, 2));
  KeyDown(VK_RETURN);
  EXPECT_EQ(3, ClicksAfter(
                   btn, [] {}, 3));
  KeyUp(VK_RETURN);
  PumpPending();
  // The dialog's default button never heard the keys.
  EXPECT_EQ(std::make_tuple(3, 0), std::make_tuple(m_dlg.Clicks(btn.GetDlgCtrlID()), m_dlg.Clicks(IDOK)));
}

// Space held while the focus moves on neither clicks nor locks the mouse out of the button.
TEST_F(ButtonInputTest, LosingTheFocusEndsASpacePush) {
  CExtButton btn, next;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Push", kRect));
  ASSERT_TRUE(m_dlg.Add(next, BS_PUSHBUTTON, "Next", CRect(20, 60, 180, 90)));
  btn.SetFocus();
  KeyDown(VK_SPACE);
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() != btn.m_hWnd; }));
  KeyUp(VK_SPACE);
  EXPECT_EQ(0, m_dlg.Clicks(btn.GetDlgCtrlID()));
  EXPECT_EQ(1, ClicksAfter(
                   btn, [&] { ClickCentre(btn.m_hWnd); }, 1));
}

// Pressing on the main part and releasing on the arrow clicks nothing; a click on the main part
// of a split button sends the command, a click on its arrow opens the menu.
TEST_F(ButtonInputTest, TheSplitButtonsPartsActApart) {
  CExtButton btn;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Split", kRect));
  LoadMenu(btn);
  btn.SetSeparatedDropDown(true);
  const int y = kRect.Height() / 2, xMain = 20, xArrow = kRect.Width() - 4;
  ASSERT_EQ(std::make_tuple(CExtButton::PART_MAIN, CExtButton::PART_DROPDOWN),
            std::make_tuple(btn.HitTest(CPoint(xMain, y)), btn.HitTest(CPoint(xArrow, y))));
  EXPECT_EQ(0, ClicksAfter(
                   btn,
                   [&] {
                     Press(btn.m_hWnd, xMain, y);
                     Release(btn.m_hWnd, xArrow, y);
                   },
                   0));
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(1, ClicksAfter(
                   btn, [&] { Click(btn.m_hWnd, xMain, y); }, 1));
  Click(btn.m_hWnd, xArrow, y);
  EXPECT_NE(nullptr, WaitForPopup());
  EXPECT_EQ(1, m_dlg.Clicks(btn.GetDlgCtrlID()));
}

// A button with a menu and no split opens the menu on a click or Space and never sends its own
// command; the chosen item's command reaches the dialog.
TEST_F(ButtonInputTest, AMenuButtonOpensItsMenuAndPassesTheChosenCommand) {
  CExtButton btn;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Menu", kRect));
  LoadMenu(btn);
  ClickCentre(btn.m_hWnd);
  CExtPopupMenuWnd* pPopup = WaitForPopup();
  ASSERT_NE(nullptr, pPopup);
  CRect rcItem;
  ASSERT_TRUE(PumpUntil([&] { return pPopup->GetItemRect(1, rcItem), !rcItem.IsRectEmpty(); }));
  Click(pPopup->m_hWnd, rcItem.CenterPoint().x, rcItem.CenterPoint().y);
  EXPECT_TRUE(PumpUntil([&] { return m_dlg.Clicks(ID_BUTTONS_ITEM_TWO) == 1; }));
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
  btn.SetFocus();
  PressKey(VK_SPACE);
  EXPECT_NE(nullptr, WaitForPopup());
  CloseMenus();
  EXPECT_EQ(0, m_dlg.Clicks(btn.GetDlgCtrlID()));
}

// Check boxes cycle with real clicks and Space: two states 0, 1, 0; three states 0, 1, 2, 0.
// Both classes cycle alike; each step tells the dialog.
using CycleRow = std::tuple<DWORD, bool, std::vector<int>>;
class CheckCycleTest : public ButtonInputTest, public ::testing::WithParamInterface<CycleRow> {};

TEST_P(CheckCycleTest, ClicksAndSpaceCycleTheCheck) {
  const auto [dwStyle, bCheckBoxClass, expected] = GetParam();
  std::unique_ptr<CExtButton> pBtn(bCheckBoxClass ? new CExtCheckBox : new CExtButton);
  ASSERT_TRUE(m_dlg.Add(*pBtn, dwStyle, "Check", kRect));
  std::vector<int> seen;
  for (size_t i = 0; i < expected.size(); i++) {
    ClicksAfter(
        *pBtn, [&] { i % 2 == 0 ? ClickCentre(pBtn->m_hWnd) : PressKey(VK_SPACE); }, (int)i + 1);
    seen.push_back(pBtn->GetCheck());
  }
  EXPECT_EQ(expected, seen);
  EXPECT_EQ((int)expected.size(), m_dlg.Clicks(pBtn->GetDlgCtrlID()));
}

INSTANTIATE_TEST_SUITE_P(Boxes, CheckCycleTest,
                         ::testing::Values(CycleRow{BS_AUTOCHECKBOX, true, {1, 0, 1}},
                                           CycleRow{BS_AUTO3STATE, true, {1, 2, 0, 1}},
                                           CycleRow{BS_3STATE, true, {1, 2, 0}},
                                           CycleRow{BS_AUTOCHECKBOX, false, {1, 0, 1}}));

// A click on a radio button checks it and clears the other auto-radios of its group only; a
// second click leaves it checked.
class RadioGroupTest : public ButtonInputTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RadioGroupTest, AClickChoosesTheRadioAndClearsItsGroup) {
  std::vector<std::unique_ptr<CExtButton>> radios;
  for (int i = 0; i < 4; i++) {
    radios.emplace_back(GetParam() ? new CExtCheckBox : new CExtButton);
    // The fourth starts a group of its own.
    const DWORD dwGroup = i == 0 || i == 3 ? WS_GROUP : 0;
    ASSERT_TRUE(m_dlg.Add(*radios.back(), BS_AUTORADIOBUTTON | dwGroup, "Radio",
                          CRect(20, 10 + 30 * i, 180, 34 + 30 * i), i == 0 || i == 3 ? 1 : 0));
  }
  auto checks = [&] {
    std::vector<int> v;
    for (auto& p : radios)
      v.push_back(p->GetCheck());
    return v;
  };
  for (int nClick = 1; nClick <= 2; nClick++) {
    ClickCentre(radios[1]->m_hWnd);
    ASSERT_TRUE(PumpUntil([&] { return m_dlg.Clicks(radios[1]->GetDlgCtrlID()) == nClick; }));
    EXPECT_EQ((std::vector<int>{0, 1, 0, 1}), checks()) << nClick;
  }
}

INSTANTIATE_TEST_SUITE_P(Classes, RadioGroupTest, ::testing::Bool());

// Space and Return on a focused button of each class: a push button clicks, a colour button
// opens its popup and sends nothing, a check box ticks and clicks.
enum class Kind { Push, Color, Check };
using KeyRow = std::tuple<Kind, UINT>;
class KeyClassTest : public ButtonInputTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(KeyClassTest, TheKeyActsAsTheClassClicks) {
  const auto [kind, nKey] = GetParam();
  std::unique_ptr<CExtButton> pBtn(kind == Kind::Push    ? new CExtButton
                                   : kind == Kind::Color ? new CExtColorButton
                                                         : static_cast<CExtButton*>(new CExtCheckBox));
  ASSERT_TRUE(m_dlg.Add(*pBtn, kind == Kind::Check ? BS_AUTOCHECKBOX : BS_PUSHBUTTON, "Key", kRect));
  pBtn->SetFocus();
  PressKey(nKey);
  const bool bPopup = kind == Kind::Color && WaitForPopup() != nullptr;
  if (kind != Kind::Color)
    PumpUntil([&] { return m_dlg.Clicks(pBtn->GetDlgCtrlID()) == 1; });
  EXPECT_EQ(std::make_tuple(kind == Kind::Color ? 0 : 1, kind == Kind::Check ? 1 : 0, kind == Kind::Color),
            std::make_tuple(m_dlg.Clicks(pBtn->GetDlgCtrlID()), pBtn->GetCheck(), bPopup));
  EXPECT_EQ(0, m_dlg.Clicks(IDOK));
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyClassTest,
                         ::testing::Combine(::testing::Values(Kind::Push, Kind::Color, Kind::Check),
                                            ::testing::Values(UINT(VK_SPACE), UINT(VK_RETURN))));

} // namespace
