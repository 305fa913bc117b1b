// The colour control on a real window: real mouse input reaches the picker of the mode, every change
// the mouse makes is told to the parent, programmatic changes only when asked.
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "tests/unit/toolkit/controls/models_support.h"

#include <gtest/gtest.h>

namespace {

using namespace colorctrl_support;

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kOrange = RGB(200, 100, 0);

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
  }
  void Mouse(double fx, double fy, DWORD dwButton = 0) {
    colorctrl_support::Mouse(m_ctrl.m_hWnd, At(m_ctrl.m_hWnd, fx, fy), dwButton);
  }
  COLORREF PixelAt(double fx, double fy) {
    const CPoint pt = At(m_ctrl.m_hWnd, fx, fy);
    return ClientPixels(m_ctrl.m_hWnd).At(pt.x, pt.y);
  }
  const std::vector<Notification>& Sent() const { return m_host.m_notifications; }

  ColorHost m_host;
  Ctrl m_ctrl;
};

struct ClickCase {
  int nMode;
  double fy;
  const char* pszName;
};

class ColorCtrlClickTest : public ColorCtrlTest, public ::testing::WithParamInterface<ClickCase> {};

// A click picks the colour painted under the pointer and tells the parent once.
TEST_P(ColorCtrlClickTest, AClickPicksTheColourUnderThePointerAndTellsTheParentOnce) {
  Open(GetParam().nMode);
  const COLORREF clrUnder = PixelAt(0.5, GetParam().fy);
  ASSERT_GT(ChannelDistance(clrUnder, kRed), 3) << "the point must show another colour than the current one";
  Mouse(0.5, GetParam().fy, MOUSEEVENTF_LEFTDOWN);
  Mouse(0.5, GetParam().fy, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return !Sent().empty(); }));
  PumpPending();
  ASSERT_EQ(1u, Sent().size());
  const Notification n = Sent()[0];
  EXPECT_EQ(m_ctrl.m_hWnd, n.hWndCtrl);
  EXPECT_LE(ChannelDistance(clrUnder, n.Current()), 3) << std::hex << clrUnder << " picked " << n.Current();
  EXPECT_EQ(kBlue, n.colors[0]);
  EXPECT_EQ(kRed, n.Previous());
  EXPECT_EQ(n.Current(), m_ctrl.m_clrCurrent);
  EXPECT_NE(m_ctrl.m_hWnd, ::GetCapture());
}

INSTANTIATE_TEST_SUITE_P(Pickers, ColorCtrlClickTest,
                         ::testing::Values(ClickCase{Ctrl::MODE_BASIC_COLORS, 0.41, "Honeycomb"},
                                           ClickCase{Ctrl::MODE_HSL_PANEL, 0.3, "HslPanel"},
                                           ClickCase{Ctrl::MODE_GRAYSCALE_MIXER, 0.3, "GreyMixer"},
                                           ClickCase{Ctrl::MODE_DIFF, 0.75, "Difference"}),
                         [](const ::testing::TestParamInfo<ClickCase>& info) { return info.param.pszName; });

class ColorCtrlDragTest : public ColorCtrlTest, public ::testing::WithParamInterface<bool> {};

// A press where the picker has nothing takes the mouse but changes nothing. Every step of a drag
// that changes the colour is told with the colour before it; steps that keep it are not, nor is
// anything after the release. A key pressed during the drag ends it there, keeping the colour.
TEST_P(ColorCtrlDragTest, ADragTellsEveryChangeWithTheColourBeforeIt) {
  Open(Ctrl::MODE_GRAYSCALE_MIXER);
  m_ctrl.SetFocus();
  colorctrl_support::Mouse(m_ctrl.m_hWnd, CPoint(2, 110), MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(m_ctrl.m_hWnd, ::GetCapture());
  colorctrl_support::Mouse(m_ctrl.m_hWnd, CPoint(2, 110), MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(kRed, m_ctrl.m_clrCurrent);

  Mouse(0.5, 0.25, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 1; }));
  EXPECT_EQ(m_ctrl.m_hWnd, ::GetCapture());
  if (GetParam()) {
    real_input::Key(VK_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() != m_ctrl.m_hWnd; }));
  }
  Mouse(0.51, 0.25); // the same grey
  for (double fy : {0.5, 0.75})
    Mouse(0.5, fy);
  Mouse(0.5, 0.75, MOUSEEVENTF_LEFTUP);
  Mouse(0.5, 0.125);
  PumpPending();
  ASSERT_EQ(GetParam() ? 1u : 3u, Sent().size());
  for (size_t i = 0; i < Sent().size(); ++i) {
    const COLORREF clr = Sent()[i].Current();
    EXPECT_TRUE(GetRValue(clr) == GetGValue(clr) && GetGValue(clr) == GetBValue(clr));
    EXPECT_EQ(i == 0 ? kRed : Sent()[i - 1].Current(), Sent()[i].Previous());
    if (i > 0)
      EXPECT_LT(GetRValue(Sent()[i - 1].Current()), GetRValue(clr)) << "lighter further down";
  }
  EXPECT_EQ(Sent().back().Current(), m_ctrl.m_clrCurrent);
  EXPECT_FALSE(m_ctrl.m_bCaptured);
}

INSTANTIATE_TEST_SUITE_P(EndedBy, ColorCtrlDragTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Key" : "Release";
                         });

// A mode switch done as the owner does it shows the colour in the new picker, whose clicks reach it.
// Set colours show at once and are told only when asked and changed; the previous colour stays the
// one before the last change the mouse made. A resize lays the picker out again.
TEST_F(ColorCtrlTest, TheDifferenceViewAfterAModeSwitchShowsSetColoursAndFollowsResizes) {
  Open(Ctrl::MODE_GRAYSCALE_MIXER);
  Click(m_ctrl.m_hWnd, At(m_ctrl.m_hWnd, 0.5, 0.33));
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 1; }));
  const COLORREF clrGrey = m_ctrl.m_clrCurrent;
  m_ctrl.ReleaseAllModels();
  m_ctrl.m_nMode = Ctrl::MODE_DIFF;
  m_ctrl.Rebuild(false);
  m_ctrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(clrGrey, PixelAt(0.5, 0.25));
  EXPECT_EQ(kBlue, PixelAt(0.5, 0.75));
  Click(m_ctrl.m_hWnd, At(m_ctrl.m_hWnd, 0.5, 0.75));
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 2; }));
  EXPECT_EQ(kBlue, Sent()[1].Current());
  EXPECT_EQ(clrGrey, Sent()[1].Previous());

  m_ctrl.SetCurrentColor(RGB(0, 128, 0), false);
  EXPECT_EQ(RGB(0, 128, 0), PixelAt(0.5, 0.25));
  m_ctrl.SetCurrentColor(RGB(0, 128, 0), true);
  m_ctrl.SetCurrentColor(kOrange, true);
  ASSERT_EQ(3u, Sent().size()) << "only the change asked to be told";
  EXPECT_EQ(kOrange, Sent()[2].Current());
  EXPECT_EQ(clrGrey, m_ctrl.m_clrPrevious);

  const CPoint ptSize = At(m_ctrl.m_hWnd, 1, 1);
  m_ctrl.SetWindowPos(NULL, 0, 0, ptSize.x, ptSize.y / 2, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_EQ(ptSize.y / 2, ClientPixels(m_ctrl.m_hWnd).cy);
  EXPECT_EQ(kOrange, PixelAt(0.5, 0.25));
  EXPECT_EQ(kBlue, PixelAt(0.5, 0.75));
}

} // namespace
