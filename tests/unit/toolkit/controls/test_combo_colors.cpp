// Colours the themed combo and edit give their edits when those ask their parents, and their
// tooltips' wrapping.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/controls/combo_support.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

using namespace combo_support;

namespace {

struct AskedColors {
  COLORREF clrText, clrBack, clrBrush;
};

// Asks the edit's parent for its colours as the edit does before it paints.
AskedColors AskColors(HWND hWndEdit) {
  pixel_support::DibSurface dib(4, 4);
  const bool bStatic =
      (::GetWindowLongA(hWndEdit, GWL_STYLE) & ES_READONLY) != 0 || !::IsWindowEnabled(hWndEdit);
  const HBRUSH hBrush = reinterpret_cast<HBRUSH>(::SendMessageA(::GetParent(hWndEdit),
                                                                bStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                                (WPARAM)dib.hdc(), (LPARAM)hWndEdit));
  LOGBRUSH lb = {};
  if (hBrush == NULL || ::GetObjectA(hBrush, sizeof(lb), &lb) == 0)
    lb.lbColor = CLR_INVALID;
  return {::GetTextColor(dib.hdc()), ::GetBkColor(dib.hdc()), lb.lbColor};
}

COLORREF Theme(int nSysColor) { return g_PaintManagerHolder->ColorByLogicalId(nSysColor); }

enum class Subject { Combo, DisabledCombo, Edit, ReadOnlyEdit, OwnColorsEdit };

struct ColorCase {
  const char* pszName;
  Subject subject;
  int nText, nBack; // system colours; -1: the edit's own colour
};

class ComboColors : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ComboColors, FollowTheStateAndTheTheme) {
  const ColorCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open());
  HWND hWndEdit = host.m_edit.m_hWnd;
  const COLORREF clrOwnText = RGB(10, 20, 30), clrOwnBack = RGB(200, 210, 220);
  switch (c.subject) {
  case Subject::DisabledCombo:
    host.m_combo.EnableWindow(FALSE);
    // The text stays selectable but cannot be changed.
    EXPECT_TRUE(host.m_combo.m_wndInnerEdit.IsWindowEnabled());
    EXPECT_NE(0u, host.m_combo.m_wndInnerEdit.GetStyle() & ES_READONLY);
    [[fallthrough]];
  case Subject::Combo:
    hWndEdit = host.m_combo.m_wndInnerEdit.m_hWnd;
    break;
  case Subject::ReadOnlyEdit:
    host.m_edit.SetReadOnly(TRUE);
    break;
  case Subject::OwnColorsEdit:
    AskColors(hWndEdit); // a brush of the theme's colour is cached first
    host.m_edit.m_clrText = clrOwnText;
    host.m_edit.m_clrBack = clrOwnBack;
    break;
  case Subject::Edit:
    break;
  }
  const AskedColors got = AskColors(hWndEdit);
  const COLORREF clrText = c.nText < 0 ? clrOwnText : Theme(c.nText);
  const COLORREF clrBack = c.nBack < 0 ? clrOwnBack : Theme(c.nBack);
  EXPECT_EQ(clrText, got.clrText);
  EXPECT_EQ(clrBack, got.clrBack);
  EXPECT_EQ(clrBack, got.clrBrush);
}

INSTANTIATE_TEST_SUITE_P(
    States, ComboColors,
    ::testing::Values(ColorCase{"Combo", Subject::Combo, COLOR_WINDOWTEXT, COLOR_WINDOW},
                      ColorCase{"DisabledCombo", Subject::DisabledCombo, COLOR_GRAYTEXT, COLOR_WINDOW},
                      ColorCase{"Edit", Subject::Edit, COLOR_WINDOWTEXT, COLOR_WINDOW},
                      ColorCase{"ReadOnlyEdit", Subject::ReadOnlyEdit, COLOR_WINDOWTEXT, COLOR_BTNFACE},
                      ColorCase{"OwnColors", Subject::OwnColorsEdit, -1, -1}),
    [](const ::testing::TestParamInfo<ColorCase>& info) { return std::string(info.param.pszName); });

TEST(ComboTips, WrapOnlyWhenTheTextHasLineBreaks) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  host.m_combo.SetTooltipText("");
  EXPECT_TRUE(host.m_combo.m_wndToolTip.GetSafeHwnd() == NULL ||
              host.m_combo.m_wndToolTip.GetToolCount() == 0);
  host.m_combo.SetTooltipText("first\r\nsecond");
  ASSERT_NE(nullptr, host.m_combo.m_wndToolTip.GetSafeHwnd());
  EXPECT_EQ(250, host.m_combo.m_wndToolTip.GetMaxTipWidth());
  host.m_combo.SetTooltipText("one line");
  EXPECT_EQ(-1, host.m_combo.m_wndToolTip.GetMaxTipWidth());
  EXPECT_EQ(1, host.m_combo.m_wndToolTip.GetToolCount());
  host.m_edit.SetTooltipText("a\rb");
  EXPECT_EQ(250, host.m_edit.m_wndToolTip.GetMaxTipWidth());
}

} // namespace
