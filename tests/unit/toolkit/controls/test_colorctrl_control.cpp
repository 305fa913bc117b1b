// The colour control on a real window: real mouse input reaches the picker of the current mode,
// every change the mouse makes is told to the parent, programmatic changes are not, and a mode
// switch shows the colour in the new picker.
#include "tests/unit/toolkit/controls/colorctrl_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

using namespace colorctrl_support;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

bool Near(COLORREF a, COLORREF b, int nTolerance = 3) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

bool IsGrey(COLORREF clr) { return GetRValue(clr) == GetGValue(clr) && GetGValue(clr) == GetBValue(clr); }

class ColorCtrlTest : public ::testing::Test {
protected:
  void TearDown() override {
    if (::GetCapture() != NULL)
      ::ReleaseCapture();
    m_host.DestroyWindow();
  }
  // Opens the control in the mode with red as its colour and blue as its reference.
  void Open(int nMode) {
    m_ctrl.m_nMode = nMode;
    m_ctrl.m_clrCurrent = m_ctrl.m_clrPrevious = kRed;
    m_ctrl.m_clrReference = kBlue;
    ASSERT_TRUE(m_host.Open(m_ctrl));
    m_rc = CRect();
    m_ctrl.GetClientRect(&m_rc);
  }
  CPoint At(double fx, double fy) const {
    return CPoint(static_cast<int>(m_rc.Width() * fx), static_cast<int>(m_rc.Height() * fy));
  }
  const std::vector<Notification>& Sent() const { return m_host.m_notifications; }

  ColorHost m_host;
  CExtColorCtrl m_ctrl;
  CRect m_rc;
};

// ---------------------------------------------------------------------------------------------
// Names of the modes.

// Every named mode has a name of its own beginning with one blank; the others have none.
TEST(ColorCtrlModeNames, NamedModesHaveTheirOwnNamesAndTheOthersNone) {
  std::set<std::string> names;
  for (int nMode = 0; nMode < CExtColorCtrl::MODE_NAMED_COUNT; ++nMode) {
    const std::string strName = static_cast<LPCSTR>(CExtColorCtrl::GetModeName(nMode));
    ASSERT_GT(strName.size(), 1u);
    EXPECT_EQ(' ', strName[0]);
    EXPECT_NE(' ', strName[1]);
    names.insert(strName);
  }
  EXPECT_EQ(static_cast<size_t>(CExtColorCtrl::MODE_NAMED_COUNT), names.size());
  EXPECT_EQ(" basic colors", std::string(CExtColorCtrl::GetModeName(0)));
  for (int nMode : {-1, int(CExtColorCtrl::MODE_DIFF), int(CExtColorCtrl::MODE_COUNT)})
    EXPECT_TRUE(CExtColorCtrl::GetModeName(nMode).IsEmpty()) << nMode;
}

// ---------------------------------------------------------------------------------------------
// A click picks, in the picker of the mode, the colour painted under the pointer.

struct ClickCase {
  int nMode;
  double fx, fy;
  const char* pszName;
};

class ColorCtrlClickTest : public ColorCtrlTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ColorCtrlClickTest, AClickPicksTheColourUnderThePointerAndTellsTheParentOnce) {
  const ClickCase& c = GetParam();
  Open(c.nMode);
  const CPoint pt = At(c.fx, c.fy);
  const COLORREF clrUnder = ClientPixels(m_ctrl.m_hWnd).At(pt.x, pt.y);
  ASSERT_FALSE(Near(clrUnder, kRed)) << "the point must show another colour than the current one";

  Click(m_ctrl.m_hWnd, pt.x, pt.y);
  ASSERT_TRUE(PumpUntil([&] { return !Sent().empty(); }));
  PumpPending();
  ASSERT_EQ(1u, Sent().size());
  const Notification& n = Sent()[0];
  EXPECT_EQ(m_ctrl.m_hWnd, n.hWndCtrl);
  EXPECT_TRUE(Near(clrUnder, n.Current())) << std::hex << clrUnder << " picked " << n.Current();
  EXPECT_EQ(kRed, n.Previous());
  EXPECT_EQ(kBlue, n.colors[0]);
  EXPECT_EQ(n.Current(), m_ctrl.m_clrCurrent);
  EXPECT_EQ(kRed, m_ctrl.m_clrPrevious);
  EXPECT_FALSE(m_ctrl.m_bCaptured);
  EXPECT_NE(m_ctrl.m_hWnd, ::GetCapture());
}

INSTANTIATE_TEST_SUITE_P(
    Pickers, ColorCtrlClickTest,
    ::testing::Values(ClickCase{CExtColorCtrl::MODE_BASIC_COLORS, 0.5, 0.41, "Honeycomb"},
                      ClickCase{CExtColorCtrl::MODE_HSL_PANEL, 0.5, 0.3, "HslPanel"},
                      ClickCase{CExtColorCtrl::MODE_GRAYSCALE_MIXER, 0.5, 0.3, "GreyMixer"},
                      ClickCase{CExtColorCtrl::MODE_DIFF, 0.5, 0.75, "Difference"}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return info.param.pszName; });

// ---------------------------------------------------------------------------------------------
// Drags.

// Every step of a drag that changes the colour is told, with the colour before that step as the
// previous one; steps that keep the colour are not, and nothing is told after the release.
TEST_F(ColorCtrlTest, ADragTellsEveryChangeWithTheColourBeforeIt) {
  Open(CExtColorCtrl::MODE_GRAYSCALE_MIXER);
  const int x = m_rc.Width() / 2;
  Press(m_ctrl.m_hWnd, x, m_rc.Height() / 4);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 1; }));
  EXPECT_TRUE(m_ctrl.m_bCaptured);
  EXPECT_EQ(m_ctrl.m_hWnd, ::GetCapture());
  MoveInside(m_ctrl.m_hWnd, x + 3, m_rc.Height() / 4); // the same grey
  for (double fy : {0.5, 0.75})
    MoveInside(m_ctrl.m_hWnd, x, static_cast<int>(m_rc.Height() * fy));
  Release(m_ctrl.m_hWnd, x, m_rc.Height() * 3 / 4);
  MoveInside(m_ctrl.m_hWnd, x, m_rc.Height() / 8);
  PumpPending();

  ASSERT_EQ(3u, Sent().size());
  COLORREF clrBefore = kRed;
  for (const Notification& n : Sent()) {
    EXPECT_TRUE(IsGrey(n.Current()));
    EXPECT_EQ(clrBefore, n.Previous());
    clrBefore = n.Current();
  }
  EXPECT_LT(GetRValue(Sent()[0].Current()), GetRValue(Sent()[1].Current())) << "lighter further down";
  EXPECT_LT(GetRValue(Sent()[1].Current()), GetRValue(Sent()[2].Current()));
  EXPECT_EQ(Sent()[2].Current(), m_ctrl.m_clrCurrent);
  EXPECT_FALSE(m_ctrl.m_bCaptured);
}

// A press where the picker has nothing takes the mouse but changes nothing.
TEST_F(ColorCtrlTest, APressOutsideEveryCellCapturesButChangesNothing) {
  Open(CExtColorCtrl::MODE_GRAYSCALE_MIXER);
  Press(m_ctrl.m_hWnd, 2, m_rc.Height() / 2);
  EXPECT_TRUE(m_ctrl.m_bCaptured);
  EXPECT_EQ(m_ctrl.m_hWnd, ::GetCapture());
  Release(m_ctrl.m_hWnd, 2, m_rc.Height() / 2);
  EXPECT_FALSE(m_ctrl.m_bCaptured);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(kRed, m_ctrl.m_clrCurrent);
}

// A key pressed during a drag ends it: the colour reached stays and moving on picks nothing.
TEST_F(ColorCtrlTest, AKeyDuringADragEndsItKeepingTheColourReached) {
  Open(CExtColorCtrl::MODE_GRAYSCALE_MIXER);
  m_ctrl.SetFocus();
  const int x = m_rc.Width() / 2;
  Press(m_ctrl.m_hWnd, x, m_rc.Height() / 4);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 1; }));
  real_input::Key(VK_SHIFT);
  ASSERT_TRUE(PumpUntil([&] { return !m_ctrl.m_bCaptured; }));
  EXPECT_NE(m_ctrl.m_hWnd, ::GetCapture());
  MoveInside(m_ctrl.m_hWnd, x, m_rc.Height() * 3 / 4);
  Release(m_ctrl.m_hWnd, x, m_rc.Height() * 3 / 4);
  EXPECT_EQ(1u, Sent().size());
  EXPECT_EQ(Sent()[0].Current(), m_ctrl.m_clrCurrent);
}

// ---------------------------------------------------------------------------------------------
// Programmatic changes and modes.

// Setting the colour shows it at once; only a change asked to be told is told, and the previous
// colour stays the one before the last change made with the mouse.
TEST_F(ColorCtrlTest, SettingTheColourShowsItAndTellsOnlyWhenAsked) {
  Open(CExtColorCtrl::MODE_DIFF);
  const CPoint ptUpper = At(0.5, 0.25), ptLower = At(0.5, 0.75);
  m_ctrl.SetCurrentColor(RGB(0, 128, 0), false);
  pixel_support::Pixels px = ClientPixels(m_ctrl.m_hWnd);
  EXPECT_EQ(RGB(0, 128, 0), px.At(ptUpper.x, ptUpper.y));
  EXPECT_EQ(kBlue, px.At(ptLower.x, ptLower.y));
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(kRed, m_ctrl.m_clrPrevious);

  m_ctrl.SetCurrentColor(RGB(0, 128, 0), true); // unchanged: nothing to tell
  EXPECT_TRUE(Sent().empty());
  m_ctrl.SetCurrentColor(RGB(200, 100, 0), true);
  ASSERT_EQ(1u, Sent().size());
  EXPECT_EQ(RGB(200, 100, 0), Sent()[0].Current());
  EXPECT_EQ(kRed, m_ctrl.m_clrPrevious);
  EXPECT_EQ(RGB(200, 100, 0), ClientPixels(m_ctrl.m_hWnd).At(ptUpper.x, ptUpper.y));
}

// A mode switch done as the owner does it shows the current colour in the new picker, whose
// clicks then reach it.
TEST_F(ColorCtrlTest, SwitchingTheModeShowsTheColourInTheNewPicker) {
  Open(CExtColorCtrl::MODE_GRAYSCALE_MIXER);
  Click(m_ctrl.m_hWnd, m_rc.Width() / 2, m_rc.Height() / 3);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 1; }));
  const COLORREF clrGrey = m_ctrl.m_clrCurrent;

  m_ctrl.ReleaseAllModels();
  m_ctrl.m_nMode = CExtColorCtrl::MODE_DIFF;
  m_ctrl.Rebuild(false);
  m_ctrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  pixel_support::Pixels px = ClientPixels(m_ctrl.m_hWnd);
  EXPECT_EQ(clrGrey, px.At(m_rc.Width() / 2, m_rc.Height() / 4));
  EXPECT_EQ(kBlue, px.At(m_rc.Width() / 2, m_rc.Height() * 3 / 4));

  Click(m_ctrl.m_hWnd, m_rc.Width() / 2, m_rc.Height() * 3 / 4);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 2; }));
  EXPECT_EQ(kBlue, Sent()[1].Current());
  EXPECT_EQ(clrGrey, Sent()[1].Previous());
}

// A resize rebuilds the picker at the new size: the difference view's halves follow it.
TEST_F(ColorCtrlTest, AResizeLaysThePickerOutAgain) {
  Open(CExtColorCtrl::MODE_DIFF);
  m_ctrl.SetWindowPos(NULL, 0, 0, m_rc.Width(), m_rc.Height() / 2, SWP_NOMOVE | SWP_NOZORDER);
  pixel_support::Pixels px = ClientPixels(m_ctrl.m_hWnd);
  ASSERT_EQ(m_rc.Height() / 2, px.cy);
  EXPECT_EQ(kRed, px.At(px.cx / 2, px.cy / 4));
  EXPECT_EQ(kBlue, px.At(px.cx / 2, px.cy * 3 / 4));
}

} // namespace
