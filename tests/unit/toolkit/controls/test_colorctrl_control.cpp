// The colour control on a real window: real mouse input reaches the picker of the mode, every change
// the mouse makes is told to the parent, programmatic changes only when asked.
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "tests/unit/toolkit/controls/models_support.h"

namespace {

using namespace colorctrl_support;

class ColorCtrlTest : public ColorTest {
protected:
  const std::vector<Notification>& Sent() const { return m_host.m_notifications; }
  HWND Wnd() const { return m_ctrl.m_hWnd; }
};

struct ClickCase {
  int nMode;
  double fy;
  const char* pszName;
};

class ColorCtrlClickTest : public ColorCtrlTest, public ::testing::WithParamInterface<ClickCase> {};

// A click picks the colour painted under the pointer and tells the parent once.
TEST_P(ColorCtrlClickTest, AClickPicksTheColourUnderThePointerAndTellsTheParentOnce) {
  OpenCtrl(GetParam().nMode);
  const COLORREF clrUnder = PixelAt(Wnd(), 0.5, GetParam().fy);
  ASSERT_GT(ChannelDistance(clrUnder, kRed), 3) << "the point must show another colour than the current one";
  Click(Wnd(), 0.5, GetParam().fy);
  ASSERT_TRUE(PumpUntil([&] { return !Sent().empty(); }));
  PumpPending();
  ASSERT_EQ(1u, Sent().size());
  const Notification n = Sent()[0];
  EXPECT_EQ(Wnd(), n.hWndCtrl);
  EXPECT_LE(ChannelDistance(clrUnder, n.clrCurrent), 3) << std::hex << clrUnder << " picked " << n.clrCurrent;
  EXPECT_EQ(kBlue, n.clrReference);
  EXPECT_EQ(kRed, n.clrPrevious);
  EXPECT_EQ(n.clrCurrent, m_ctrl.m_clrCurrent);
  EXPECT_NE(Wnd(), ::GetCapture());
}

INSTANTIATE_TEST_SUITE_P(Pickers, ColorCtrlClickTest,
                         ::testing::Values(ClickCase{Ctrl::MODE_BASIC_COLORS, 0.41, "Honeycomb"},
                                           ClickCase{Ctrl::MODE_HSL_PANEL, 0.3, "HslPanel"},
                                           ClickCase{Ctrl::MODE_GRAYSCALE_MIXER, 0.3, "GreyMixer"},
                                           ClickCase{Ctrl::MODE_DIFF, 0.75, "Difference"}),
                         [](const ::testing::TestParamInfo<ClickCase>& info) { return info.param.pszName; });

class ColorCtrlDragTest : public ColorCtrlTest, public ::testing::WithParamInterface<bool> {};

// A press outside every cell takes the mouse but changes nothing. Each step of a drag that changes
// the colour is told with the colour before it; no other step is, nor anything after the release.
// A key pressed during the drag ends it there.
TEST_P(ColorCtrlDragTest, ADragTellsEveryChangeWithTheColourBeforeIt) {
  OpenCtrl(Ctrl::MODE_GRAYSCALE_MIXER);
  m_ctrl.SetFocus();
  Mouse(Wnd(), 0.01, 0.5, MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(Wnd(), ::GetCapture());
  Mouse(Wnd(), 0.01, 0.5, MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(Sent().empty());
  EXPECT_EQ(kRed, m_ctrl.m_clrCurrent);

  Mouse(Wnd(), 0.5, 0.25, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 1; }));
  EXPECT_EQ(Wnd(), ::GetCapture());
  if (GetParam()) {
    real_input::Key(VK_SHIFT);
    ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() != Wnd(); }));
  }
  for (double fy : {0.25 /* the same grey */, 0.5, 0.75})
    Mouse(Wnd(), 0.51, fy);
  Mouse(Wnd(), 0.5, 0.75, MOUSEEVENTF_LEFTUP);
  Mouse(Wnd(), 0.5, 0.125);
  PumpPending();
  ASSERT_EQ(GetParam() ? 1u : 3u, Sent().size());
  for (size_t i = 0; i < Sent().size(); ++i) {
    const COLORREF clr = Sent()[i].clrCurrent;
    EXPECT_TRUE(GetRValue(clr) == GetGValue(clr) && GetGValue(clr) == GetBValue(clr));
    EXPECT_EQ(i == 0 ? kRed : Sent()[i - 1].clrCurrent, Sent()[i].clrPrevious);
    if (i > 0)
      EXPECT_LT(GetRValue(Sent()[i - 1].clrCurrent), GetRValue(clr)) << "lighter further down";
  }
  EXPECT_EQ(Sent().back().clrCurrent, m_ctrl.m_clrCurrent);
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
  OpenCtrl(Ctrl::MODE_GRAYSCALE_MIXER);
  Click(Wnd(), 0.5, 0.33);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 1; }));
  const COLORREF clrGrey = m_ctrl.m_clrCurrent, clrOrange = RGB(200, 100, 0);
  m_ctrl.ReleaseAllModels();
  m_ctrl.m_nMode = Ctrl::MODE_DIFF;
  m_ctrl.Rebuild(false);
  m_ctrl.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(clrGrey, PixelAt(Wnd(), 0.5, 0.25));
  EXPECT_EQ(kBlue, PixelAt(Wnd(), 0.5, 0.75));
  Click(Wnd(), 0.5, 0.75);
  ASSERT_TRUE(PumpUntil([&] { return Sent().size() == 2; }));
  EXPECT_EQ(kBlue, Sent()[1].clrCurrent);
  EXPECT_EQ(clrGrey, Sent()[1].clrPrevious);

  m_ctrl.SetCurrentColor(RGB(0, 128, 0), false);
  EXPECT_EQ(RGB(0, 128, 0), PixelAt(Wnd(), 0.5, 0.25));
  m_ctrl.SetCurrentColor(RGB(0, 128, 0), true);
  m_ctrl.SetCurrentColor(clrOrange, true);
  ASSERT_EQ(3u, Sent().size()) << "only the change asked to be told";
  EXPECT_EQ(clrOrange, Sent()[2].clrCurrent);
  EXPECT_EQ(clrGrey, m_ctrl.m_clrPrevious);

  m_ctrl.SetWindowPos(NULL, 0, 0, 280, 110, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_EQ(110, pixel_support::ReadClient(Wnd()).cy);
  EXPECT_EQ(clrOrange, PixelAt(Wnd(), 0.5, 0.25));
  EXPECT_EQ(kBlue, PixelAt(Wnd(), 0.5, 0.75));
}

} // namespace
