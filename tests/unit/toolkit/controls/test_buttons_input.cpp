// The themed buttons made from native button windows: their state through owner-draw, their faces,
// and real mouse and keys on push, split, menu, check and radio buttons.
#include "tests/unit/toolkit/controls/buttons_res.h"
#include "tests/unit/toolkit/controls/buttons_support.h"
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <vector>

namespace {

using namespace buttons_support;

const CRect kRect(20, 20, 180, 50);

class ButtonTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_dlg.Open()); }
  void TearDown() override { CloseMenus(); }
  void AddMenu(CExtButton& btn) {
    ASSERT_TRUE(btn.m_menu.CreatePopupMenu());
    btn.m_menu.AppendMenu(MF_STRING, ID_BUTTONS_ITEM_ONE, "Item &one");
    btn.m_menu.AppendMenu(MF_STRING, ID_BUTTONS_ITEM_TWO, "Item &two");
  }
  CButtonsDlg m_dlg;
};

// The style, the system button's check, and the text alignment the themed button takes; both
// classes keep the type and check through owner-draw, and later checks too.
using StateRow = std::tuple<DWORD, int, UINT>;
class ButtonStateTest : public ButtonTest, public ::testing::WithParamInterface<StateRow> {};

TEST_P(ButtonStateTest, TypeCheckAndAlignmentSurviveOwnerDraw) {
  const auto [dwStyle, nCheck, nAlign] = GetParam();
  CExtButton button;
  CExtCheckBox box;
  for (CExtButton* pButton : {&button, static_cast<CExtButton*>(&box)}) {
    ASSERT_TRUE(m_dlg.Add(*pButton, dwStyle, "Button", CRect(10, 10, 110, 34), nCheck));
    EXPECT_EQ(std::make_tuple((UINT)(dwStyle & BS_TYPEMASK), (DWORD)BS_OWNERDRAW, nCheck, nAlign),
              std::make_tuple(pButton->GetButtonType(), pButton->GetStyle() & BS_TYPEMASK,
                              pButton->GetCheck(), pButton->m_nTextAlign));
    pButton->SetCheck(1);
    EXPECT_EQ(1, pButton->GetCheck());
    pButton->DestroyWindow();
  }
}

const StateRow kStates[] = {
    {BS_PUSHBUTTON, 0, 5},  {BS_DEFPUSHBUTTON, 0, 5},   {BS_PUSHBUTTON | BS_LEFT, 0, 4},
    {BS_CHECKBOX, 1, 4},    {BS_AUTOCHECKBOX, 1, 4},    {BS_AUTOCHECKBOX | BS_RIGHT, 0, 6},
    {BS_3STATE, 2, 4},      {BS_AUTO3STATE, 2, 4},      {BS_AUTO3STATE | BS_CENTER, 1, 5},
    {BS_RADIOBUTTON, 1, 4}, {BS_AUTORADIOBUTTON, 1, 4}, {BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, 5}};
INSTANTIATE_TEST_SUITE_P(Types, ButtonStateTest, ::testing::ValuesIn(kStates));

// Dark pixels: a push button's text on its face.
int InkPixels(HWND hWnd) {
  const pixel_support::Pixels px = pixel_support::ReadClient(hWnd);
  return (int)std::count_if(px.data.begin(), px.data.end(),
                            [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200; });
}

TEST_F(ButtonTest, ADefaultButtonPaintsItsTextBoldAndTheColourButtonItsColour) {
  CExtButton normal, def;
  CExtColorButton color;
  ASSERT_TRUE(m_dlg.Add(normal, BS_PUSHBUTTON, "WWWWWW", CRect(10, 10, 130, 40)));
  ASSERT_TRUE(m_dlg.Add(def, BS_DEFPUSHBUTTON, "WWWWWW", CRect(10, 50, 130, 80)));
  ASSERT_TRUE(m_dlg.Add(color, BS_PUSHBUTTON, "", CRect(10, 90, 130, 120)));
  EXPECT_TRUE(def.IsDefaultButton());
  EXPECT_FALSE(normal.IsDefaultButton());
  // The default button's frame is darker too, so its text's share is compared loosely.
  EXPECT_GT(InkPixels(def.m_hWnd), InkPixels(normal.m_hWnd) + 20);
  color.m_clrSelected = RGB(20, 160, 60);
  color.Invalidate();
  EXPECT_GT(CountColour(color.m_hWnd, RGB(20, 160, 60)), 50);
  CRect rcDlg;
  m_dlg.GetWindowRect(&rcDlg);
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rcDlg), "buttons_faces.bmp");
}

// A click, Space and Return each click a push button once: Space on the release, Return on the
// press; the dialog's default button never hears the keys.
TEST_F(ButtonTest, MouseSpaceAndReturnClickAPushButtonOnce) {
  CExtButton btn;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Push", kRect));
  const UINT nId = btn.GetDlgCtrlID();
  ClickCentre(btn.m_hWnd);
  EXPECT_EQ(1, m_dlg.WaitClicks(nId, 1));
  btn.SetFocus();
  Key(VK_SPACE, true);
  EXPECT_EQ(1, m_dlg.Clicks(nId));
  EXPECT_NE(0, btn.m_nStateFlags & CExtButton::STATE_PUSHED);
  Key(VK_SPACE, false);
  EXPECT_EQ(2, m_dlg.WaitClicks(nId, 2));
  Key(VK_RETURN, true);
  EXPECT_EQ(3, m_dlg.WaitClicks(nId, 3));
  Key(VK_RETURN, false);
  PumpPending();
  EXPECT_EQ(std::make_tuple(3, 0), std::make_tuple(m_dlg.Clicks(nId), m_dlg.Clicks(IDOK)));
}

// The release's own place decides the click: a pointer that moved on before the button read the
// release (a busy thread, a late pointer report) does not lose the click.
TEST_F(ButtonTest, AReleaseOverTheButtonClicksItWhereverThePointerWentAfter) {
  CExtButton btn;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Push", kRect));
  Press(btn.m_hWnd, kRect.Width() / 2, kRect.Height() / 2);
  CPoint away(kRect.Width() / 2, kRect.Height() + 60);
  btn.ClientToScreen(&away);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  real_input::MoveTo(away);
  EXPECT_EQ(1, m_dlg.WaitClicks(btn.GetDlgCtrlID(), 1));
}

// Space held while the focus moves on neither clicks nor locks the mouse out of the button.
TEST_F(ButtonTest, LosingTheFocusEndsASpacePush) {
  CExtButton btn, next;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Push", kRect));
  ASSERT_TRUE(m_dlg.Add(next, BS_PUSHBUTTON, "Next", CRect(20, 60, 180, 90)));
  btn.SetFocus();
  Key(VK_SPACE, true);
  PressKey(VK_TAB);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() != btn.m_hWnd; }));
  Key(VK_SPACE, false);
  EXPECT_EQ(0, m_dlg.Clicks(btn.GetDlgCtrlID()));
  ClickCentre(btn.m_hWnd);
  EXPECT_EQ(1, m_dlg.WaitClicks(btn.GetDlgCtrlID(), 1));
}

// On a split button a press on the main part released on the arrow clicks nothing; a click on the
// main part sends the command, one on the arrow opens the menu.
TEST_F(ButtonTest, TheSplitButtonsPartsActApart) {
  CExtButton btn;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Split", kRect));
  AddMenu(btn);
  btn.SetSeparatedDropDown(true);
  const UINT nId = btn.GetDlgCtrlID();
  const int y = kRect.Height() / 2, xMain = 20, xArrow = kRect.Width() - 4;
  ASSERT_EQ(std::make_tuple(CExtButton::PART_MAIN, CExtButton::PART_DROPDOWN),
            std::make_tuple(btn.HitTest(CPoint(xMain, y)), btn.HitTest(CPoint(xArrow, y))));
  Press(btn.m_hWnd, xMain, y);
  Release(btn.m_hWnd, xArrow, y);
  EXPECT_EQ(0, m_dlg.WaitClicks(nId, 0));
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  Click(btn.m_hWnd, xMain, y);
  EXPECT_EQ(1, m_dlg.WaitClicks(nId, 1));
  Click(btn.m_hWnd, xArrow, y);
  EXPECT_NE(nullptr, WaitForPopup());
  EXPECT_EQ(1, m_dlg.Clicks(nId));
}

// A menu button without a split opens its menu on a click or Space and never sends its own
// command; the chosen item's command reaches the dialog.
TEST_F(ButtonTest, AMenuButtonOpensItsMenuAndPassesTheChosenCommand) {
  CExtButton btn;
  ASSERT_TRUE(m_dlg.Add(btn, BS_PUSHBUTTON, "Menu", kRect));
  AddMenu(btn);
  ClickCentre(btn.m_hWnd);
  CExtPopupMenuWnd* pPopup = WaitForPopup();
  ASSERT_NE(nullptr, pPopup);
  CRect rcItem;
  ASSERT_TRUE(PumpUntil([&] { return pPopup->GetItemRect(1, rcItem), !rcItem.IsRectEmpty(); }));
  Click(pPopup->m_hWnd, rcItem.CenterPoint().x, rcItem.CenterPoint().y);
  EXPECT_EQ(1, m_dlg.WaitClicks(ID_BUTTONS_ITEM_TWO, 1));
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
  btn.SetFocus();
  PressKey(VK_SPACE);
  EXPECT_NE(nullptr, WaitForPopup());
  CloseMenus();
  EXPECT_EQ(0, m_dlg.Clicks(btn.GetDlgCtrlID()));
}

// Check boxes of both classes cycle alike with clicks, Space and Return, each step told to the
// dialog and none to its default button: two states 0, 1, 0; three states 0, 1, 2, 0.
using CycleRow = std::tuple<DWORD, bool, std::vector<int>>;
class CheckCycleTest : public ButtonTest, public ::testing::WithParamInterface<CycleRow> {};

TEST_P(CheckCycleTest, ClicksAndSpaceCycleTheCheck) {
  const auto [dwStyle, bCheckBoxClass, expected] = GetParam();
  std::unique_ptr<CExtButton> pBtn(bCheckBoxClass ? new CExtCheckBox : new CExtButton);
  ASSERT_TRUE(m_dlg.Add(*pBtn, dwStyle, "Check", kRect));
  std::vector<int> seen;
  for (size_t i = 0; i < expected.size(); i++) {
    i % 3 == 0 ? ClickCentre(pBtn->m_hWnd) : PressKey(i % 3 == 1 ? VK_SPACE : VK_RETURN);
    m_dlg.WaitClicks(pBtn->GetDlgCtrlID(), (int)i + 1);
    seen.push_back(pBtn->GetCheck());
  }
  EXPECT_EQ(expected, seen);
  EXPECT_EQ(std::make_tuple((int)expected.size(), 0),
            std::make_tuple(m_dlg.Clicks(pBtn->GetDlgCtrlID()), m_dlg.Clicks(IDOK)));
}

INSTANTIATE_TEST_SUITE_P(Boxes, CheckCycleTest,
                         ::testing::Values(CycleRow{BS_AUTOCHECKBOX, true, {1, 0, 1}},
                                           CycleRow{BS_AUTO3STATE, true, {1, 2, 0, 1}},
                                           CycleRow{BS_3STATE, true, {1, 2, 0}},
                                           CycleRow{BS_AUTOCHECKBOX, false, {1, 0, 1}}));

// A click on a radio button checks it and clears the other auto-radios of its group only (the
// fourth starts a group of its own); a second click leaves it checked.
class RadioGroupTest : public ButtonTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RadioGroupTest, AClickChoosesTheRadioAndClearsItsGroup) {
  std::vector<std::unique_ptr<CExtButton>> radios;
  for (int i = 0; i < 4; i++) {
    radios.emplace_back(GetParam() ? new CExtCheckBox : new CExtButton);
    ASSERT_TRUE(m_dlg.Add(*radios.back(), BS_AUTORADIOBUTTON | (i % 3 == 0 ? WS_GROUP : 0), "Radio",
                          CRect(20, 10 + 30 * i, 180, 34 + 30 * i), i % 3 == 0));
  }
  for (int nClick = 1; nClick <= 2; nClick++) {
    ClickCentre(radios[1]->m_hWnd);
    ASSERT_EQ(nClick, m_dlg.WaitClicks(radios[1]->GetDlgCtrlID(), nClick));
    std::vector<int> checks;
    for (auto& p : radios)
      checks.push_back(p->GetCheck());
    EXPECT_EQ((std::vector<int>{0, 1, 0, 1}), checks) << nClick;
  }
}

INSTANTIATE_TEST_SUITE_P(Classes, RadioGroupTest, ::testing::Bool());

} // namespace
