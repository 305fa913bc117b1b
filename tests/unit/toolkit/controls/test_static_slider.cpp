// The themed slider: channel and thumb in theme colours, the background brush made again only on
// a colour change, and real dragging and keys.
#include "tests/unit/toolkit/controls/static_support.h"

#include <algorithm>
#include <string>

namespace {

class SliderTest : public StaticControlTest {
protected:
  // The colour the brush answered to the parent's request paints.
  COLORREF AskBrushColour() {
    pixel_support::DibSurface s(8, 8, RGB(1, 1, 1));
    const LRESULT hBrush = m_host.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)s.hdc(), (LPARAM)m_slider.m_hWnd);
    RECT rc = {0, 0, 8, 8};
    ::FillRect(s.hdc(), &rc, (HBRUSH)hBrush);
    return s.At(4, 4);
  }
  size_t Count(UINT nCode) const { return std::count(m_host.m_codes.begin(), m_host.m_codes.end(), nCode); }
};

// Style -1 leaves the channel to the platform; the themed style shows at once, leaving the focus
// where it was. Its channel is the face colour in a shadow rectangle, its thumb the theme's push
// button.
TEST_P(StaticInTheme, SliderThemedStyleDrawsChannelAndThumb) {
  PM* pm = Begin(GetParam());
  MakeSlider(-1);
  CRect rcChannel, rcThumb;
  m_slider.GetChannelRect(&rcChannel);
  const int y = rcChannel.CenterPoint().y;
  EXPECT_NE(kShadow, Read(m_slider).At(rcChannel.right - 3, rcChannel.bottom - 1));
  m_host.SetFocus();
  m_slider.SetSliderStyle(CExtSliderWnd::STYLE_THEMED);
  EXPECT_EQ(m_host.m_hWnd, ::GetFocus());
  EXPECT_EQ(kShadow, Read(m_slider, true).At(rcChannel.right - 3, rcChannel.bottom - 1));

  const pixel_support::Pixels px = Read(m_slider);
  pixel_support::SaveBmp(px, ("slider_theme" + std::to_string(GetParam()) + ".bmp").c_str());
  m_slider.GetThumbRect(&rcThumb);
  EXPECT_EQ(kShadow, px.At(rcChannel.left, y));
  EXPECT_EQ(kShadow, px.At(rcChannel.right - 1, y));
  EXPECT_EQ(Id(pm, 1000), px.At(rcChannel.right - 3, y));
  pixel_support::DibSurface want(rcThumb.Width(), rcThumb.Height(), kBack);
  PushButtonPaintData data(&m_slider, true, CRect(CPoint(0, 0), rcThumb.Size()), "", NULL, false, false,
                           false, false, true, false, false, false, 0);
  pm->PaintPushButton(want.dc(), data);
  int nWrong = 0;
  for (int yy = 0; yy < rcThumb.Height(); ++yy)
    for (int x = 0; x < rcThumb.Width(); ++x)
      nWrong += want.At(x, yy) != kBack && want.At(x, yy) != px.At(rcThumb.left + x, rcThumb.top + yy);
  EXPECT_EQ(0, nWrong);
}

// The solid brush is made once per colour, however often the track bar asks.
TEST_F(SliderTest, BackgroundBrushIsMadeAgainOnlyOnAColourChange) {
  PM* pm = Begin(CLASSIC);
  MakeSlider(CExtSliderWnd::STYLE_PLATFORM);
  Read(m_slider);
  EXPECT_EQ(Id(pm, 1000), AskBrushColour());
  EXPECT_EQ(1, m_slider.TestBrushCreations());
  m_slider.m_clrBackground = RGB(0, 160, 0);
  EXPECT_EQ(RGB(0, 160, 0), Read(m_slider).At(1, 1));
  Read(m_slider);
  EXPECT_EQ(RGB(0, 160, 0), AskBrushColour());
  EXPECT_EQ(2, m_slider.TestBrushCreations());
}

// After a picture of the theme's background (made afresh for each request), a black background
// gets a black brush, not the old picture.
TEST_F(SliderTest, BlackBackgroundAfterThePatternBrushIsBlack) {
  Begin(OFFICE2003);
  MakeSlider(CExtSliderWnd::STYLE_PLATFORM);
  ASSERT_TRUE(g_PaintManagerHolder->HasDockerBackground(&m_slider));
  const int nBefore = m_slider.TestBrushCreations();
  EXPECT_NE(RGB(0, 0, 0), AskBrushColour());
  EXPECT_EQ(nBefore + 1, m_slider.TestBrushCreations());
  m_slider.m_clrBackground = RGB(0, 0, 0);
  EXPECT_EQ(RGB(0, 0, 0), AskBrushColour());
  EXPECT_EQ(RGB(0, 0, 0), AskBrushColour());
  EXPECT_EQ(nBefore + 2, m_slider.TestBrushCreations());
  EXPECT_EQ(RGB(0, 0, 0), Read(m_slider).At(1, 1));
}

TEST_F(SliderTest, MouseDragAndKeysSendScrollNotifications) {
  Begin(XP);
  MakeSlider(CExtSliderWnd::STYLE_THEMED);
  CRect rcThumb;
  m_slider.GetThumbRect(&rcThumb);
  m_slider.ClientToScreen(&rcThumb);
  real_input::MoveTo(rcThumb.CenterPoint());
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == m_slider.m_hWnd; }));
  real_input::MoveTo(rcThumb.CenterPoint() + CSize(60, 0));
  ASSERT_TRUE(PumpUntil([&] { return m_slider.GetPos() > 50; }));
  real_input::Button(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return Count(TB_ENDTRACK) > 0; })); // Wine's track bar sends two
  EXPECT_GT(Count(TB_THUMBTRACK), 0u);
  EXPECT_EQ(1u, Count(TB_THUMBPOSITION));

  const int nDropped = m_slider.GetPos();
  m_host.m_codes.clear();
  m_slider.SetFocus();
  real_input::Key(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return m_slider.GetPos() == nDropped + 1 && Count(TB_ENDTRACK) > 0; }));
  real_input::Key(VK_END);
  ASSERT_TRUE(PumpUntil([&] { return m_slider.GetPos() == 100 && Count(TB_ENDTRACK) > 1; }));
  EXPECT_EQ((UINT)TB_LINEDOWN, m_host.m_codes.front());
  EXPECT_EQ(1u, Count(TB_BOTTOM));
}

} // namespace
