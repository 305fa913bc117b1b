// The themed frame of the combo: its look per theme and state on a 32-bit DIB, the hot look that
// follows the real pointer, and the hover timer of a focused combo.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/controls/combo_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

using namespace combo_support;
using pixel_support::DibSurface;

namespace {

// Installs a theme for the test and the classic one afterwards.
class ScopedTheme {
public:
  explicit ScopedTheme(CRuntimeClass* pClass) {
    m_bInstalled = g_PaintManagerHolder.InstallThemeByClass(pClass);
  }
  ~ScopedTheme() { g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)); }
  bool m_bInstalled;
};

std::vector<COLORREF> FramePixels(CExtComboBox& combo, bool bPushed, bool bHover) {
  CRect rc;
  combo.GetClientRect(&rc);
  DibSurface dib(rc.Width(), rc.Height(), RGB(1, 2, 3));
  combo.PaintComboFrame(bPushed, bHover, &dib.dc());
  return dib.Pixels();
}

std::vector<COLORREF> ThemePixels(CExtComboBox& combo, bool bHover, bool bPushed, bool bEnabled) {
  CRect rc;
  combo.GetClientRect(&rc);
  DibSurface dib(rc.Width(), rc.Height(), RGB(1, 2, 3));
  ComboButtonPaintData data(&combo, rc, bHover, bPushed, bEnabled);
  g_PaintManagerHolder->PaintComboDropDownButton(dib.dc(), data);
  return dib.Pixels();
}

enum class State { Idle, Hover, Pushed, Focused, Disabled };

struct FrameCase {
  const char* pszTheme;
  CRuntimeClass* pTheme;
  State state;
};

class ComboFrame : public ::testing::TestWithParam<FrameCase> {};

// The frame is the theme's drop-down frame in the state the combo's own state gives.
TEST_P(ComboFrame, IsTheThemesFrameForTheState) {
  const FrameCase& c = GetParam();
  ScopedTheme theme(c.pTheme);
  ASSERT_TRUE(theme.m_bInstalled);
  CComboHost host;
  ASSERT_TRUE(host.Open());
  bool bAskHover = false, bAskPushed = false, bHot = false, bPushed = false, bEnabled = true;
  switch (c.state) {
  case State::Idle:
    break;
  case State::Hover:
    bAskHover = bHot = true;
    break;
  case State::Pushed:
    bAskPushed = bPushed = true;
    break;
  case State::Focused: // a focused combo looks hot unasked
    host.m_combo.SetFocus();
    bHot = true;
    break;
  case State::Disabled: // neither hot nor pushed, whatever is asked
    host.m_combo.EnableWindow(FALSE);
    bAskHover = bAskPushed = true;
    bEnabled = false;
    break;
  }
  const std::vector<COLORREF> got = FramePixels(host.m_combo, bAskPushed, bAskHover);
  EXPECT_TRUE(got == ThemePixels(host.m_combo, bHot, bPushed, bEnabled));
  // The states are told apart at all.
  if (c.state != State::Idle && c.state != State::Disabled)
    EXPECT_FALSE(got == ThemePixels(host.m_combo, false, false, true));
}

std::vector<FrameCase> FrameCases() {
  std::vector<FrameCase> cases;
  const std::pair<const char*, CRuntimeClass*> themes[] = {
      {"Classic", RUNTIME_CLASS(CExtPaintManager)},
      {"XP", RUNTIME_CLASS(CExtPaintManagerXP)},
      {"Office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)}};
  for (const auto& theme : themes)
    for (State state : {State::Idle, State::Hover, State::Pushed, State::Focused, State::Disabled})
      cases.push_back({theme.first, theme.second, state});
  return cases;
}

const char* const kStateNames[] = {"Idle", "Hover", "Pushed", "Focused", "Disabled"};

INSTANTIATE_TEST_SUITE_P(Themes, ComboFrame, ::testing::ValuesIn(FrameCases()),
                         [](const ::testing::TestParamInfo<FrameCase>& info) {
                           return std::string(info.param.pszTheme) + kStateNames[(int)info.param.state];
                         });

// What the screen shows of the combo's client area.
std::vector<COLORREF> ScreenPixels(CExtComboBox& combo) {
  CRect rc;
  combo.GetClientRect(&rc);
  return pixel_support::ReadWindow(combo.m_hWnd, rc).data;
}

// The frame pixels (the outer two rings) of a client-area picture.
bool SameFrame(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b, const CRect& rc) {
  for (int y = 0; y < rc.Height(); ++y)
    for (int x = 0; x < rc.Width(); ++x) {
      const bool bRing = x < 2 || y < 2 || x >= rc.Width() - 2 || y >= rc.Height() - 2;
      if (bRing && a[(size_t)y * rc.Width() + x] != b[(size_t)y * rc.Width() + x])
        return false;
    }
  return true;
}

TEST(ComboHover, PointerGivesTheHotLookAndLeavingEndsIt) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  CExtComboBox& combo = host.m_combo;
  CRect rc;
  combo.GetClientRect(&rc);
  const std::vector<COLORREF> idle = FramePixels(combo, false, false);
  const std::vector<COLORREF> hot = FramePixels(combo, false, true);
  ASSERT_FALSE(SameFrame(idle, hot, rc));
  const CRect rcScreen = ScreenRect(&combo);
  ASSERT_TRUE(RestPointer(CPoint(rcScreen.right - 6, rcScreen.top + 6)));
  EXPECT_TRUE(PumpUntil([&] { return combo.IsHoverTimerRunning(); }));
  EXPECT_TRUE(PumpUntil([&] { return SameFrame(ScreenPixels(combo), hot, rc); }));
  pixel_support::SaveBmp(pixel_support::ReadWindow(host.m_hWnd, CRect(0, 0, 400, 200)), "combo_hover.bmp");
  ASSERT_TRUE(RestPointer(CPoint(rcScreen.right + 60, rcScreen.bottom + 90)));
  EXPECT_TRUE(PumpUntil([&] { return !combo.IsHoverTimerRunning(); }, 1000));
  EXPECT_TRUE(SameFrame(ScreenPixels(combo), idle, rc));
}

TEST(ComboHover, FocusedComboStopsItsTimerOnceThePointerLeaves) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  CCountingCombo& combo = host.m_combo;
  combo.SetFocus();
  const CRect rcScreen = ScreenRect(&combo);
  ASSERT_TRUE(RestPointer(CPoint(rcScreen.right - 6, rcScreen.top + 6)));
  EXPECT_TRUE(PumpUntil([&] { return combo.IsHoverTimerRunning(); }));
  ASSERT_TRUE(RestPointer(CPoint(rcScreen.right + 60, rcScreen.bottom + 90)));
  EXPECT_TRUE(PumpUntil([&] { return !combo.IsHoverTimerRunning(); }, 1000));
  // An idle focused combo keeps its hot look without repainting: six timer periods pass quietly.
  const int nPaints = combo.m_nPaints;
  EXPECT_FALSE(PumpUntil([&] { return combo.m_nPaints != nPaints || combo.IsHoverTimerRunning(); }, 300));
  CRect rc;
  combo.GetClientRect(&rc);
  EXPECT_TRUE(SameFrame(ScreenPixels(combo), FramePixels(combo, false, true), rc));
}

TEST(ComboDropDown, PressOnTheButtonOpensTheListWithThePushedFrame) {
  CComboHost host;
  ASSERT_TRUE(host.Open());
  CExtComboBox& combo = host.m_combo;
  CRect rc;
  combo.GetClientRect(&rc);
  const std::vector<COLORREF> idle = FramePixels(combo, false, false);
  const CRect rcScreen = ScreenRect(&combo);
  ASSERT_TRUE(RestPointer(CPoint(rcScreen.right - 6, rcScreen.CenterPoint().y)));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return combo.GetDroppedState() != FALSE; }));
  EXPECT_EQ(combo.m_wndInnerEdit.m_hWnd, ::GetFocus());
  // Open, the frame is drawn pushed whatever is asked.
  const std::vector<COLORREF> open = FramePixels(combo, false, false);
  EXPECT_FALSE(SameFrame(open, idle, rc));
  EXPECT_TRUE(PumpUntil([&] { return SameFrame(ScreenPixels(combo), open, rc); }));
  pixel_support::SaveBmp(pixel_support::ReadWindow(host.m_hWnd, CRect(0, 0, 400, 200)), "combo_dropped.bmp");
  real_input::Key(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return combo.GetDroppedState() == FALSE; }));
}

} // namespace
