// Bar buttons: the separator rule, the style setters and the context-help pick.
#include "tests/unit/toolkit/bars/button_support.h"
#include "tests/common/window_support.h"
#include "toolkit/bars/ExtBarButton.h"

#include <gtest/gtest.h>

using namespace button_support;

TEST(ButtonSeparator, CommandZeroMakesASeparatorAndAnyOtherIdClearsIt) {
  std::unique_ptr<CObject> pDynamic(RUNTIME_CLASS(CExtBarButton)->CreateObject());
  CExtBarButton* pMade = static_cast<CExtBarButton*>(pDynamic.get());
  EXPECT_TRUE(pMade->IsSeparator());
  EXPECT_EQ(NULL, pMade->GetBar());

  CExtBarButton btn(NULL, 0, TBBS_CHECKBOX);
  EXPECT_TRUE(btn.IsSeparator());
  btn.SetCmdID(120);
  EXPECT_FALSE(btn.IsSeparator());
  EXPECT_EQ(120u, btn.GetCmdID(false));
  btn.SetCmdID(121, true);
  EXPECT_EQ(121u, btn.GetCmdID(true));
  EXPECT_EQ(120u, btn.GetCmdID(false));
  btn.SetCmdID(0);
  EXPECT_TRUE(btn.IsSeparator());
  EXPECT_EQ(0u, btn.GetCmdID(true));

  CExtBarButton forced(NULL, 130, TBBS_SEPARATOR);
  EXPECT_FALSE(forced.IsSeparator());
  forced.ModifyStyle(TBBS_SEPARATOR);
  EXPECT_EQ(0u, forced.GetCmdID(false));
  EXPECT_EQ(0u, forced.GetCmdID(true));
}

// A split button pressed on its arrow and released there fires nothing, unless a style setter
// took TBBS_PRESSED away in between (which forgets where the press went down).
struct StyleCase {
  const char* name;
  std::function<void(CExtBarButton&)> change;
  bool bFires;
};

class ButtonStyleSetters : public ::testing::TestWithParam<StyleCase> {};

TEST_P(ButtonStyleSetters, ForgetTheArrowPressOnlyWithThePressedBit) {
  ButtonFixture fx;
  fx.AddCommand(140, "Split");
  CExtBarButton btn(&fx.m_bar, 140);
  btn.SetSeparatedDropDown();
  btn.SetRect(CRect(10, 2, 60, 24));
  const CPoint ptArrow(btn.GetDropDownRect().CenterPoint());
  btn.ModifyStyle(TBBS_PRESSED);
  btn.OnClick(ptArrow, true);
  GetParam().change(btn);
  btn.OnClick(ptArrow, false);
  PumpPending(); // the command is posted
  EXPECT_EQ(GetParam().bFires ? 1u : 0u, fx.m_host.m_commands.size());
}

INSTANTIATE_TEST_SUITE_P(
    Setters, ButtonStyleSetters,
    ::testing::Values(
        StyleCase{"KeepPressed", [](CExtBarButton& b) { b.ModifyStyle(TBBS_CHECKED); }, false},
        StyleCase{"ModifyRemovesPressed", [](CExtBarButton& b) { b.ModifyStyle(0, TBBS_PRESSED); }, true},
        StyleCase{"SetWithoutPressed", [](CExtBarButton& b) { b.SetStyle(0); }, true},
        StyleCase{"SetKeepsPressed", [](CExtBarButton& b) { b.SetStyle(TBBS_PRESSED); }, false}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return std::string(info.param.name); });

TEST(ButtonHelpHit, AnswersTheCommandOnlyForKnownPlainButtons) {
  ButtonFixture fx;
  fx.AddCommand(150, "Known");
  CExtBarButton known(&fx.m_bar, 150), unknown(&fx.m_bar, 151), separator(&fx.m_bar, 0), menu(&fx.m_bar, 150);
  HMENU hMenu = ::CreatePopupMenu();
  menu.SetMenu(hMenu, true, true);
  EXPECT_EQ(150, known.OnHelpHitTest(CPoint()));
  EXPECT_EQ(-1, unknown.OnHelpHitTest(CPoint()));
  EXPECT_EQ(-1, separator.OnHelpHitTest(CPoint()));
  EXPECT_EQ(-3, menu.OnHelpHitTest(CPoint()));
}

TEST(ButtonText, IsTheButtonTextUpToItsTab) {
  ButtonFixture fx;
  fx.AddCommand(160, "&Print\tCtrl+P");
  CExtBarButton btn(&fx.m_bar, 160), separator(&fx.m_bar, 0);
  EXPECT_STREQ("&Print", btn.GetText());
  EXPECT_STREQ("", separator.GetText());
  EXPECT_STREQ("a&b", CExtBarButton::StripMnemonics("&a&&b"));
}
