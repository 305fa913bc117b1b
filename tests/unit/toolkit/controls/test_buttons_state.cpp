// Themed buttons made from native button windows: the type and check state survive the switch to
// owner-draw, the text alignment follows the style, and a default button's text is bold.
#include "tests/unit/toolkit/controls/buttons_support.h"
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

using namespace buttons_support;

// The style, the check the system button had, and the text alignment the button takes.
using StateRow = std::tuple<DWORD, int, UINT>;

class ButtonStateTest : public ::testing::TestWithParam<StateRow> {};

TEST_P(ButtonStateTest, TypeCheckAndAlignmentSurviveOwnerDraw) {
  const auto [dwStyle, nCheck, nAlign] = GetParam();
  CButtonsDlg dlg;
  ASSERT_TRUE(dlg.Open());
  // Both classes keep the same state.
  CExtButton button;
  CExtCheckBox box;
  for (CExtButton* pButton : {&button, static_cast<CExtButton*>(&box)}) {
    ASSERT_TRUE(dlg.Add(*pButton, dwStyle, "Button", CRect(10, 10, 110, 34), nCheck));
    EXPECT_EQ(std::make_tuple((UINT)(dwStyle & BS_TYPEMASK), (DWORD)BS_OWNERDRAW, nCheck, nAlign),
              std::make_tuple(pButton->GetButtonType(), pButton->GetStyle() & BS_TYPEMASK,
                              pButton->GetCheck(), pButton->m_nTextAlign));
    // The check set later is kept by the button, not the owner-drawn window.
    pButton->SetCheck(1);
    EXPECT_EQ(1, pButton->GetCheck());
    pButton->DestroyWindow();
  }
}

INSTANTIATE_TEST_SUITE_P(Types, ButtonStateTest,
                         ::testing::Values(StateRow{BS_PUSHBUTTON, 0, 5}, StateRow{BS_DEFPUSHBUTTON, 0, 5},
                                           StateRow{BS_PUSHBUTTON | BS_LEFT, 0, 4},
                                           StateRow{BS_CHECKBOX, 1, 4}, StateRow{BS_AUTOCHECKBOX, 1, 4},
                                           StateRow{BS_AUTOCHECKBOX | BS_RIGHT, 0, 6},
                                           StateRow{BS_3STATE, 2, 4}, StateRow{BS_AUTO3STATE, 2, 4},
                                           StateRow{BS_AUTO3STATE | BS_CENTER, 1, 5},
                                           StateRow{BS_RADIOBUTTON, 1, 4}, StateRow{BS_AUTORADIOBUTTON, 1, 4},
                                           StateRow{BS_AUTOCHECKBOX | BS_PUSHLIKE, 1, 5}));

// Dark pixels of the text of a push button in the face colour.
int InkPixels(HWND hWnd) {
  const pixel_support::Pixels px = colorctrl_support::ClientPixels(hWnd);
  int nInk = 0;
  for (COLORREF clr : px.data)
    nInk += GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 200 ? 1 : 0;
  return nInk;
}

TEST(ButtonPaintTest, ADefaultButtonPaintsItsTextBoldAndTheColourButtonItsColour) {
  CButtonsDlg dlg;
  ASSERT_TRUE(dlg.Open());
  CExtButton normal, def;
  CExtColorButton color;
  ASSERT_TRUE(dlg.Add(normal, BS_PUSHBUTTON, "WWWWWW", CRect(10, 10, 130, 40)));
  ASSERT_TRUE(dlg.Add(def, BS_DEFPUSHBUTTON, "WWWWWW", CRect(10, 50, 130, 80)));
  ASSERT_TRUE(dlg.Add(color, BS_PUSHBUTTON, "", CRect(10, 90, 130, 120)));
  EXPECT_TRUE(def.IsDefaultButton());
  EXPECT_FALSE(normal.IsDefaultButton());
  // The default button's frame is darker too, so only its text's share is compared loosely.
  EXPECT_GT(InkPixels(def.m_hWnd), InkPixels(normal.m_hWnd) + 20);

  const COLORREF kInk = RGB(20, 160, 60);
  color.m_clrSelected = kInk;
  color.Invalidate();
  const pixel_support::Pixels px = colorctrl_support::ClientPixels(color.m_hWnd);
  EXPECT_GT(std::count(px.data.begin(), px.data.end(), kInk), 50);
  CRect rcDlg;
  dlg.GetWindowRect(&rcDlg);
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rcDlg), "buttons_faces.bmp");
}

} // namespace
