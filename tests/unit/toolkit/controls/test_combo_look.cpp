// The look of the themed combo and edit: the colours their edits get from their parents, their
// tips' wrapping, the combo's frame per theme and state, the hot look that follows the real pointer
// and the pushed look of the open list.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/controls/combo_support.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

using namespace combo_support;
using pixel_support::DibSurface;

namespace {

// The text, background and brush colours the edit's parent gives it before it paints.
std::vector<COLORREF> AskColors(CEdit& edit) {
  DibSurface dib(4, 4);
  const bool bStatic = (edit.GetStyle() & ES_READONLY) != 0 || !edit.IsWindowEnabled();
  const HBRUSH hBrush = reinterpret_cast<HBRUSH>(edit.GetParent()->SendMessage(
      bStatic ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, (WPARAM)dib.hdc(), (LPARAM)edit.m_hWnd));
  LOGBRUSH lb = {};
  if (hBrush == NULL || ::GetObjectA(hBrush, sizeof(lb), &lb) == 0)
    lb.lbColor = CLR_INVALID;
  return {::GetTextColor(dib.hdc()), ::GetBkColor(dib.hdc()), lb.lbColor};
}

struct ColorCase {
  const char* pszName;
  bool bCombo, bDisabled, bReadOnly, bOwnColors;
  int nText, nBack; // the theme's system colours, unless bOwnColors
};

class ComboColors : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ComboColors, FollowTheStateAndTheTheme) {
  const ColorCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open());
  CEdit& edit = c.bCombo ? host.m_combo.m_wndInnerEdit : host.m_edit;
  host.m_combo.EnableWindow(!c.bDisabled);
  if (c.bDisabled) { // the text stays selectable but cannot be changed
    EXPECT_TRUE(edit.IsWindowEnabled());
    EXPECT_NE(0u, edit.GetStyle() & ES_READONLY);
  }
  host.m_edit.SetReadOnly(c.bReadOnly);
  COLORREF clrText = g_PaintManagerHolder->ColorByLogicalId(c.nText);
  COLORREF clrBack = g_PaintManagerHolder->ColorByLogicalId(c.nBack);
  if (c.bOwnColors) {
    AskColors(edit); // a brush of the theme's colour is cached first
    host.m_edit.m_clrText = clrText = RGB(10, 20, 30);
    host.m_edit.m_clrBack = clrBack = RGB(200, 210, 220);
  }
  EXPECT_EQ((std::vector<COLORREF>{clrText, clrBack, clrBack}), AskColors(edit));
}

INSTANTIATE_TEST_SUITE_P(
    States, ComboColors,
    ::testing::Values(ColorCase{"Combo", true, false, false, false, COLOR_WINDOWTEXT, COLOR_WINDOW},
                      ColorCase{"DisabledCombo", true, true, false, false, COLOR_GRAYTEXT, COLOR_WINDOW},
                      ColorCase{"Edit", false, false, false, false, COLOR_WINDOWTEXT, COLOR_WINDOW},
                      ColorCase{"ReadOnlyEdit", false, false, true, false, COLOR_WINDOWTEXT, COLOR_BTNFACE},
                      ColorCase{"OwnColors", false, false, false, true, COLOR_WINDOWTEXT, COLOR_WINDOW}),
    ByName());

TEST(ComboTips, WrapOnlyWhenTheTextHasLineBreaks) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  CToolTipCtrl& tip = host.m_combo.m_wndToolTip;
  host.m_combo.SetTooltipText("");
  EXPECT_TRUE(tip.GetSafeHwnd() == NULL || tip.GetToolCount() == 0);
  host.m_combo.SetTooltipText("first\r\nsecond");
  ASSERT_NE(nullptr, tip.GetSafeHwnd());
  EXPECT_EQ(250, tip.GetMaxTipWidth());
  host.m_combo.SetTooltipText("one line");
  EXPECT_EQ(-1, tip.GetMaxTipWidth());
  EXPECT_EQ(1, tip.GetToolCount());
  host.m_edit.SetTooltipText("a\rb");
  EXPECT_EQ(250, host.m_edit.m_wndToolTip.GetMaxTipWidth());
}

// The combo's frame drawn by the combo, or (pTheme) by the theme for the given state.
std::vector<COLORREF> Frame(CExtComboBox& combo, bool bPushed, bool bHover, bool bEnabled = true,
                            CExtPaintManager* pTheme = NULL) {
  CRect rc;
  combo.GetClientRect(&rc);
  DibSurface dib(rc.Width(), rc.Height(), RGB(1, 2, 3));
  ComboButtonPaintData data(&combo, rc, bHover, bPushed, bEnabled);
  if (pTheme == NULL)
    combo.PaintComboFrame(bPushed, bHover, &dib.dc());
  else
    pTheme->PaintComboDropDownButton(dib.dc(), data);
  return dib.Pixels();
}

struct FrameState {
  const char* pszName;
  bool bAskPushed, bAskHover, bFocus, bDisable; // what the combo is asked for and its state
  bool bPushed, bHot;                           // the theme's look it must draw
};
const FrameState kStates[] = {{"Idle", false, false, false, false, false, false},
                              {"Hover", false, true, false, false, false, true},
                              {"Pushed", true, false, false, false, true, false},
                              {"Focused", false, false, true, false, false, true},
                              {"Disabled", true, true, false, true, false, false}};
using FrameCase = std::tuple<std::pair<const char*, CRuntimeClass*>, FrameState>;

class ComboFrame : public ::testing::TestWithParam<FrameCase> {
  void TearDown() override { g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)); }
};

TEST_P(ComboFrame, IsTheThemesFrameForTheState) {
  const FrameState& s = std::get<1>(GetParam());
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(std::get<0>(GetParam()).second));
  CComboHost host;
  ASSERT_TRUE(host.Open());
  if (s.bFocus)
    host.m_combo.SetFocus();
  host.m_combo.EnableWindow(!s.bDisable);
  const std::vector<COLORREF> got = Frame(host.m_combo, s.bAskPushed, s.bAskHover);
  EXPECT_TRUE(got == Frame(host.m_combo, s.bPushed, s.bHot, !s.bDisable, g_PaintManagerHolder.GetPM()));
  if (s.bPushed || s.bHot) // the states are told apart at all
    EXPECT_FALSE(got == Frame(host.m_combo, false, false, true, g_PaintManagerHolder.GetPM()));
}

INSTANTIATE_TEST_SUITE_P(
    Themes, ComboFrame,
    ::testing::Combine(::testing::Values(std::make_pair("Classic", RUNTIME_CLASS(CExtPaintManager)),
                                         std::make_pair("XP", RUNTIME_CLASS(CExtPaintManagerXP)),
                                         std::make_pair("Office2003",
                                                        RUNTIME_CLASS(CExtPaintManagerOffice2003))),
                       ::testing::ValuesIn(kStates)),
    [](const ::testing::TestParamInfo<FrameCase>& info) {
      return std::string(std::get<0>(info.param).first) + std::get<1>(info.param).pszName;
    });

// Whether the screen shows the frame (the outer two rings) of the picture over the combo.
bool ShowsFrame(CExtComboBox& combo, const std::vector<COLORREF>& want) {
  CRect rc;
  combo.GetClientRect(&rc);
  const std::vector<COLORREF> got = pixel_support::ReadWindow(combo.m_hWnd, rc).data;
  for (int y = 0; y < rc.Height(); ++y)
    for (int x = 0; x < rc.Width(); ++x) {
      const size_t i = (size_t)y * rc.Width() + x;
      if ((x < 2 || y < 2 || x >= rc.Width() - 2 || y >= rc.Height() - 2) && got[i] != want[i])
        return false;
    }
  return true;
}

struct PointerCase {
  const char* pszName;
  bool bFocus, bPress; // the combo focused first; its button pressed
};

class ComboPointer : public ::testing::TestWithParam<PointerCase> {};

// Over the combo the frame looks hot, or pushed while the list a press opened is open; once the
// pointer has left, the timer stops and the combo falls quiet, idle unless it holds the focus.
TEST_P(ComboPointer, FrameFollowsThePointer) {
  const PointerCase& c = GetParam();
  CComboHost host;
  ASSERT_TRUE(host.Open());
  CExtComboBox& combo = host.m_combo;
  const std::vector<COLORREF> idle = Frame(combo, false, false), hot = Frame(combo, false, true);
  if (c.bFocus)
    combo.SetFocus();
  const CRect rcScreen = ScreenRect(&combo);
  ASSERT_TRUE(RestPointer(CPoint(rcScreen.right - 6, rcScreen.CenterPoint().y)));
  EXPECT_TRUE(PumpUntil([&] { return combo.IsHoverTimerRunning(); }));
  if (c.bPress) {
    real_input::Button(MOUSEEVENTF_LEFTDOWN);
    real_input::Button(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return combo.GetDroppedState() != FALSE; }));
    EXPECT_EQ(combo.m_wndInnerEdit.m_hWnd, ::GetFocus());
  }
  const std::vector<COLORREF> over = c.bPress ? Frame(combo, false, false) : hot; // open: pushed unasked
  EXPECT_FALSE(over == idle);
  EXPECT_TRUE(PumpUntil([&] { return ShowsFrame(combo, over); }));
  pixel_support::SaveBmp(pixel_support::ReadWindow(host.m_hWnd, CRect(0, 0, 400, 200)),
                         (std::string("combo_") + c.pszName + ".bmp").c_str());
  if (c.bPress)
    real_input::Key(VK_ESCAPE);
  ASSERT_TRUE(RestPointer(CPoint(rcScreen.right + 60, rcScreen.bottom + 90)));
  EXPECT_TRUE(PumpUntil([&] { return !combo.IsHoverTimerRunning() && !combo.GetDroppedState(); }, 1000));
  EXPECT_TRUE(PumpUntil([&] { return ShowsFrame(combo, c.bFocus || c.bPress ? hot : idle); }));
  // Six timer periods pass without a repaint.
  EXPECT_EQ(0, CountMessages(combo.m_hWnd, WM_PAINT, [&] {
              EXPECT_FALSE(PumpUntil([&] { return combo.IsHoverTimerRunning(); }, 300));
            }));
}

INSTANTIATE_TEST_SUITE_P(Cases, ComboPointer,
                         ::testing::Values(PointerCase{"hover", false, false},
                                           PointerCase{"hover_focused", true, false},
                                           PointerCase{"dropped", false, true}),
                         ByName());

} // namespace
