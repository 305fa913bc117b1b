// The themed slider: channel and thumb in theme colours, the background brush made again only on
// a colour change, and real dragging and keys.
#include "tests/unit/toolkit/controls/static_support.h"

#include <string>

namespace {

// Style -1 leaves the channel to the platform; the themed style shows at once, the focus staying:
// the channel the face colour in a shadow rectangle, the thumb the theme's push button.
TEST_P(StaticInTheme, SliderThemedStyleDrawsChannelAndThumb) {
  PM* pm = Begin(GetParam());
  MakeSlider(-1);
  CRect rcChannel, rcThumb;
  m_slider.GetChannelRect(&rcChannel);
  const CPoint pt(rcChannel.right - 3, rcChannel.bottom - 1);
  EXPECT_NE(kShadow, Read(m_slider).At(pt.x, pt.y));
  m_host.SetFocus();
  m_slider.SetSliderStyle(CExtSliderWnd::STYLE_THEMED);
  EXPECT_EQ(m_host.m_hWnd, ::GetFocus());
  EXPECT_EQ(kShadow, Read(m_slider, true).At(pt.x, pt.y));

  const pixel_support::Pixels px = Read(m_slider);
  pixel_support::SaveBmp(px, ("slider_theme" + std::to_string(GetParam()) + ".bmp").c_str());
  const int y = rcChannel.CenterPoint().y;
  EXPECT_EQ(kShadow, px.At(rcChannel.left, y));
  EXPECT_EQ(kShadow, px.At(rcChannel.right - 1, y));
  EXPECT_EQ(Id(pm, 1000), px.At(rcChannel.right - 3, y));
  m_slider.GetThumbRect(&rcThumb);
  pixel_support::DibSurface want(rcThumb.Width(), rcThumb.Height(), kBack);
  PushButtonPaintData data(&m_slider, true, CRect(CPoint(0, 0), rcThumb.Size()), "", NULL, false, false,
                           false, false, true, false, false, false, 0);
  pm->PaintPushButton(want.dc(), data);
  for (int yy = 0; yy < rcThumb.Height(); ++yy)
    for (int x = 0; x < rcThumb.Width(); ++x)
      if (want.At(x, yy) != kBack)
        ASSERT_EQ(want.At(x, yy), px.At(rcThumb.left + x, rcThumb.top + yy)) << x << "," << yy;
}

// The colour the brush answered to the parent's request paints.
COLORREF AskBrushColour(CWnd& host, CWnd& slider) {
  pixel_support::DibSurface s(8, 8, RGB(1, 1, 1));
  const RECT rc = {0, 0, 8, 8};
  ::FillRect(s.hdc(), &rc,
             (HBRUSH)host.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)s.hdc(), (LPARAM)slider.m_hWnd));
  return s.At(4, 4);
}

// A solid brush is made once per colour however often the track bar asks, black included after a
// picture of the theme's background (Office 2003's, made afresh for each request).
TEST_P(StaticInTheme, SliderBrushIsMadeAgainOnlyOnAColourChange) {
  PM* pm = Begin(GetParam());
  MakeSlider(CExtSliderWnd::STYLE_PLATFORM);
  const bool bPicture = pm->HasDockerBackground(&m_slider);
  if (!bPicture)
    Read(m_slider);
  int n = m_slider.TestBrushCreations();
  const COLORREF clr = AskBrushColour(m_host, m_slider);
  EXPECT_TRUE(bPicture ? clr != RGB(0, 0, 0) : clr == Id(pm, 1000));
  EXPECT_EQ(bPicture ? ++n : 1, m_slider.TestBrushCreations());
  for (const COLORREF clrSet : {RGB(0, 0, 0), RGB(0, 160, 0)}) {
    m_slider.m_clrBackground = clrSet;
    EXPECT_EQ(clrSet, AskBrushColour(m_host, m_slider));
    EXPECT_EQ(clrSet, AskBrushColour(m_host, m_slider));
    EXPECT_EQ(clrSet, Read(m_slider).At(1, 1));
    EXPECT_EQ(++n, m_slider.TestBrushCreations()) << clrSet;
  }
}

// The thumb follows a real drag and the keys.
TEST_F(StaticControlTest, SliderFollowsMouseDragAndKeys) {
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
  ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == NULL; }));
  const int nDropped = m_slider.GetPos();
  m_slider.SetFocus();
  real_input::Key(VK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return m_slider.GetPos() == nDropped + 1; }));
  real_input::Key(VK_END);
  ASSERT_TRUE(PumpUntil([&] { return m_slider.GetPos() == 100; }));
}

} // namespace
