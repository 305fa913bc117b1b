// The gradient pickers: their pictures against the colour formulas, clicks that give back the
// colour under the pointer, the Ctrl and Shift drag locks, the wheel and the cubes.
#include "tests/unit/toolkit/controls/models_support.h"

#include <initializer_list>

namespace {

const int kCx = 160, kCy = 180;
const COLORREF kPick = RGB(200, 60, 90);
// Lightness 0.5 and full saturation, which the wheel and the spectrum bar are drawn with.
const COLORREF kRed = RGB(255, 0, 0);
const std::initializer_list<double> kFractions = {0.2, 0.45, 0.7, 0.9};

using PanelPicker = Ctrl::hsl_panel_data_t;
using Cube = Ctrl::rgb_cube_data_t;

// The colour formulas, written out from the pickers' definitions.
COLORREF ExpectedPanel(Kind k, const PanelPicker& m, int x, int y) {
  const double pw = m.m_nPanelWidth, ph = m.m_nPanelHeight;
  if (k == Kind::HslPanel)
    return PM::HlsToRgb(x / pw, 0.5, (ph - y - 1) / ph);
  if (k == Kind::BasicHue)
    return PM::HlsToRgb(m.m_dHue, (ph - y - 1) / ph, x / pw);
  // The axis keeps the colour's channel; the other two run along x and y.
  const int axis = (int)k - (int)Kind::AxisRed;
  const COLORREF w = Axes(axis >= 3, m.m_clr);
  int c[3] = {GetRValue(w), GetGValue(w), GetBValue(w)};
  c[axis % 3 == 0 ? 1 : 0] = std::min(255, x * 255 / m.m_nPanelWidth);
  c[axis % 3 == 2 ? 1 : 2] = std::min(255, y * 255 / m.m_nPanelHeight);
  return Axes(axis >= 3, RGB(c[0], c[1], c[2]));
}

COLORREF ExpectedBar(Kind k, const PanelPicker& m, int x) {
  if (k == Kind::HslPanel)
    return PM::HlsToRgb(m.m_dHue, x / (double)m.m_nBarWidth, m.m_dSaturation);
  if (k == Kind::BasicHue)
    return PM::HlsToRgb(x / (double)m.m_nBarWidth, 0.5, 1.0);
  const int axis = (int)k - (int)Kind::AxisRed;
  int c[3] = {};
  c[axis % 3] = std::min(255, x * 255 / m.m_nBarWidth);
  return Axes(axis >= 3, RGB(c[0], c[1], c[2]));
}

bool NearMarker(const PanelPicker& m, int x, int y) {
  const POINT pt = m.PanelMarker();
  return std::abs(x - pt.x) <= 5 && std::abs(y - pt.y) <= 5;
}

// Points at fractions of the panel's width and of the panel's or the bar's height.
std::vector<POINT> PanelPoints(const PanelPicker& m, bool bBar, std::initializer_list<double> fxs,
                               std::initializer_list<double> fys) {
  const POINT o = bBar ? m.BarOrigin() : m.PanelOrigin();
  std::vector<POINT> v;
  for (double fx : fxs)
    for (double fy : fys)
      v.push_back(
          {o.x + (int)(fx * m.m_nPanelWidth), o.y + (int)(fy * (bBar ? m.m_nBarHeight : m.m_nPanelHeight))});
  return v;
}

// A point of a cube face (0: blue 0, 1: green 0, 2: red 0) at fractions along its two edges.
POINT FacePoint(const Cube& m, int nFace, double fx, double fy) {
  const POINT c = m.m_ptCenter, a = nFace == 1 ? m.m_ptRight : m.m_ptLeft,
              b = nFace == 2 ? m.m_ptRight : m.m_ptTop;
  return {c.x + (int)(fx * (a.x - c.x) + fy * (b.x - c.x)), c.y + (int)(fx * (a.y - c.y) + fy * (b.y - c.y))};
}

// A click on each point, on the picture of the colour clr, picks the colour drawn there give or take
// nTolerance.
void ExpectClicksPickWhatIsDrawn(PaintedPicker& p, COLORREF clr, const std::vector<POINT>& pts,
                                 int nTolerance = 0) {
  for (const POINT& pt : pts) {
    p.picker->SetColor(clr);
    p.Repaint();
    const COLORREF clrDrawn = p.At(pt.x, pt.y);
    ASSERT_NE(kBack, clrDrawn) << "no colour drawn at " << pt.x << "," << pt.y;
    const COLORREF clrPicked = p.Click(pt.x, pt.y);
    EXPECT_LE(ChannelDistance(clrDrawn, clrPicked), nTolerance)
        << std::hex << clrDrawn << " picked " << clrPicked << std::dec << " at " << pt.x << "," << pt.y;
  }
}

class PanelPictures : public testing::TestWithParam<Kind> {};

TEST_P(PanelPictures, PicturesFollowTheFormulasAndClicksAndLockedDragsPickFromThem) {
  PaintedPicker p(GetParam(), kCx, kCy, kPick);
  const PanelPicker& m = p.As<PanelPicker>();
  const POINT o = m.PanelOrigin(), b = m.BarOrigin();
  for (COLORREF clr : {kPick, RGB(30, 220, 140)}) {
    p.picker->SetColor(clr);
    p.Paint();
    int nChecked = 0;
    for (int y = 0; y < m.m_nPanelHeight; y += 9)
      for (int x = 0; x < m.m_nPanelWidth; x += 7)
        if (!NearMarker(m, x, y) && ++nChecked)
          ASSERT_EQ(ExpectedPanel(GetParam(), m, x, y), p.At(o.x + x, o.y + y)) << x << "," << y;
    for (int x = 0; x < m.m_nBarWidth; x += 5)
      if (std::abs(x - m.BarMarker()) > 5)
        ASSERT_EQ(ExpectedBar(GetParam(), m, x), p.At(b.x + x, b.y + 3)) << x;
    EXPECT_GT(nChecked, 300);
  }
  EXPECT_EQ(kBack, p.At(1, 1)); // outside the panel and the bar
  EXPECT_EQ(kBack, p.At(kCx - 2, kCy - 2));
  // A click picks the colour drawn under it; the HSL panels show their picture one row off the
  // row they pick.
  const bool bHsl = GetParam() < Kind::AxisRed;
  ExpectClicksPickWhatIsDrawn(p, kRed, PanelPoints(m, false, kFractions, {0.3, 0.6, 0.85}), bHsl ? 5 : 0);
  if (bHsl)
    ExpectClicksPickWhatIsDrawn(p, kRed, PanelPoints(m, true, kFractions, {0.5}));
  // Ctrl keeps the x value of a drag and Shift its y value; only a move with the button down drags,
  // each on a fresh picture.
  const POINT from = {o.x + 20, o.y + 30}, to = {o.x + 110, o.y + 90};
  const auto afresh = [&] {
    p.picker->SetColor(kPick);
    p.Repaint();
  };
  for (UINT nLock : {(UINT)MK_CONTROL, (UINT)MK_SHIFT}) {
    afresh();
    const COLORREF clrLocked = p.Drag(from, to, nLock);
    p.Repaint();
    p.picker->OnTrack(MK_LBUTTON, from.x, from.y);
    EXPECT_EQ(clrLocked, p.picker->m_clr) << "a move after the button is up";
    afresh();
    EXPECT_NE(p.Click(to.x, to.y), clrLocked) << "the lock made no difference";
    afresh();
    const POINT kept = nLock == MK_CONTROL ? POINT{from.x, to.y} : POINT{to.x, from.y};
    EXPECT_EQ(p.Click(kept.x, kept.y), clrLocked) << nLock;
    afresh();
    p.picker->OnButtonDown(0, from.x, from.y);
    const COLORREF clrDown = p.picker->m_clr;
    p.Repaint();
    p.picker->OnTrack(nLock, to.x, to.y);
    EXPECT_EQ(clrDown, p.picker->m_clr) << "a move without the button";
  }
}

INSTANTIATE_TEST_SUITE_P(Models, PanelPictures,
                         testing::Values(Kind::HslPanel, Kind::BasicHue, Kind::AxisRed, Kind::AxisGreen,
                                         Kind::AxisBlue, Kind::AxisCyan, Kind::AxisMagenta, Kind::AxisYellow),
                         testing::PrintToStringParamName());

TEST(Models, WheelPictureClicksOuterRingAndKeptLightness) {
  PaintedPicker p(Kind::Roller, kCx, kCy, RGB(128, 128, 128));
  p.Paint();
  auto& m = p.As<Ctrl::hsl_roller_data_t>();
  const int r = m.m_nRadius, cx = m.m_nMargin + m.m_nCenterX, cy = m.m_nMargin + m.m_nCenterY;
  for (int dy = -r + 6; dy < r - 6; dy += 11)
    for (int dx = -r + 6; dx < r - 6; dx += 13) {
      const int d2 = dx * dx + dy * dy; // skip the rim's edge and the grey marker at the centre
      if (d2 < (r - 2) * (r - 2) && d2 >= 36)
        EXPECT_EQ(WheelColour(dx, dy, r), p.At(cx + dx, cy + dy)) << dx << "," << dy;
    }
  EXPECT_EQ(kBack, p.At(m.m_nMargin + 1, m.m_nMargin + 1)); // white outside the wheel is transparent
  // Clicks inside the wheel, away from the marker at hue 0 on its rim, and at the ends of the bar
  // (its middle lies within the ring around the wheel, which is tested first) pick what is drawn.
  ExpectClicksPickWhatIsDrawn(p, kRed, PanelPoints(m, false, {0.35, 0.5, 0.65}, {0.3, 0.5, 0.7}));
  ExpectClicksPickWhatIsDrawn(p, kRed, PanelPoints(m, true, {0.1, 0.2, 0.8, 0.9}, {0.5}));
  // A click inside the wheel keeps the bar's lightness.
  p.picker->SetColor(PM::HlsToRgb(0.1, 0.3, 0.5));
  p.Repaint();
  const double dLightness = m.m_dLightness;
  EXPECT_NE(PM::HlsToRgb(0.1, 0.3, 0.5), p.Click(cx + 10, cy + 20));
  EXPECT_DOUBLE_EQ(dLightness, m.m_dLightness);
  // Between the rim and the outer ring a click takes full saturation at the point's angle: right
  // of the centre, hue one half.
  p.picker->SetColor(kRed);
  const COLORREF clr = p.Click(cx + r + 8, cy);
  EXPECT_EQ(PM::HlsToRgb(0.5, 0.5, 1.0), clr);
  EXPECT_NEAR(1.0, m.m_dSaturation, 1e-9);
  EXPECT_EQ(clr, p.Click(m.m_nMargin + 1, m.m_nMargin + 1)) << "beyond the outer ring";
}

// --- The cubes -------------------------------------------------------------------------------

class Cubes : public testing::TestWithParam<Kind> {};

TEST_P(Cubes, FacesFollowTheFormulasAndPickWhatIsDrawnAndHandlesSetOneChannelEachOnAnyScreen) {
  const bool bCmy = GetParam() == Kind::CmyCube;
  PaintedPicker p(GetParam(), kCx, kCy, Axes(bCmy, RGB(0, 0, 0)));
  p.Paint();
  auto& m = p.As<Cube>();
  const RECT rc = m.m_rcCube;
  const int n = (rc.bottom - rc.top) / 2, c = (rc.right - rc.left) / 2;
  for (int i = n / 2 + 2; i < n - 2; i += 5)
    for (int j = 4; j < n / 3; j += 5) {
      EXPECT_EQ(Axes(bCmy, RGB(i * 255 / n, j * 255 / n, 0)),
                p.At(rc.left + c - 1 - j, rc.top + n + j / 2 - i))
          << "blue-0 face " << i << "," << j;
      EXPECT_EQ(Axes(bCmy, RGB(i * 255 / n, 0, j * 255 / n)), p.At(rc.left + c + j, rc.top + n + j / 2 - i))
          << "green-0 face " << i << "," << j;
    }
  for (int nFace = 0; nFace < 3; ++nFace)
    ExpectClicksPickWhatIsDrawn(p, Axes(bCmy, RGB(0, 0, 0)),
                                {FacePoint(m, nFace, 0.3, 0.3), FacePoint(m, nFace, 0.3, 0.6),
                                 FacePoint(m, nFace, 0.6, 0.3), FacePoint(m, nFace, 0.6, 0.6)});
  p.picker->SetColor(Axes(bCmy, RGB(0, 0, 0)));
  p.Repaint();
  // Every handle starts at the centre; the first one in the order red, green, blue is taken.
  EXPECT_EQ(Axes(bCmy, RGB(255, 0, 0)), p.Drag(m.m_ptCenter, {0, m.m_ptTop.y - 20}));
  EXPECT_EQ(m.m_ptTop.y, m.m_ptHandleR.y);
  EXPECT_EQ(Axes(bCmy, RGB(255, 255, 0)), p.Drag(m.m_ptCenter, {m.m_ptLeft.x - 50, 0}));
  const int mid = (m.m_ptCenter.x + m.m_ptRight.x) / 2,
            b = (mid - m.m_ptCenter.x) * 255 / (m.m_ptRight.x - m.m_ptCenter.x);
  EXPECT_EQ(Axes(bCmy, RGB(255, 255, b)), p.Drag(m.m_ptCenter, {mid, 0}));
  // On a palette screen the faces take no clicks but the handles drag; the face samples are
  // blocks centred on them, so the blue-0 face's sample (i, j) reaches one pixel right and below.
  p.picker->SetColor(Axes(bCmy, RGB(0, 0, 0)));
  p.Repaint();
  ForcedScreenDepth depth(8);
  PaintedPicker q(GetParam(), kCx, kCy, Axes(bCmy, RGB(0, 0, 0)));
  q.Paint();
  const POINT face = FacePoint(m, 0, 0.5, 0.5);
  EXPECT_EQ(Axes(bCmy, RGB(0, 0, 0)), q.Click(face.x, face.y));
  EXPECT_EQ(Axes(bCmy, RGB(255, 0, 0)), q.Drag(m.m_ptCenter, {m.m_ptCenter.x, m.m_ptTop.y}));
  const int i = n - 10, j = 12, x = rc.left + c - j, y = rc.top + n + j / 2 - i + 1;
  EXPECT_EQ(Axes(bCmy, RGB(i * 255 / n, j * 255 / n, 0)), q.At(x, y));
  EXPECT_NE(Axes(bCmy, RGB(i * 255 / n, j * 255 / n, 0)), p.At(x, y));
}

INSTANTIATE_TEST_SUITE_P(Models, Cubes, testing::Values(Kind::RgbCube, Kind::CmyCube),
                         testing::PrintToStringParamName());

TEST(Models, CubeSquareLosesThreePixelsOffAMultipleOfFour) {
  for (int side : {28, 30, 32}) {
    PaintedPicker p(Kind::RgbCube, side + 10, side + 30, kPick);
    const RECT rc = p.As<Cube>().m_rcCube;
    const int expected = side % 4 == 0 ? side : side - 3;
    EXPECT_TRUE(rc.left == 5 && rc.top == 15 && rc.right == 5 + expected && rc.bottom == 15 + expected)
        << side;
  }
}

TEST(Models, CubeFaceClicks) {
  PaintedPicker p(Kind::RgbCube, kCx, kCy, RGB(10, 20, 200));
  p.Paint();
  auto& m = p.As<Cube>();
  // With Ctrl the blue-0 face gives red and green and leaves blue.
  const POINT pt = FacePoint(m, 0, 0.5, 0.5);
  const COLORREF clrPixel = m.m_dcCube.dc().GetPixel(pt.x - m.m_rcCube.left, pt.y - m.m_rcCube.top);
  const COLORREF clr = p.Click(pt.x, pt.y, MK_CONTROL);
  EXPECT_EQ(RGB(GetRValue(clrPixel), GetGValue(clrPixel), 200), clr);
  EXPECT_EQ(Picker::TRACK_NONE, m.m_nTrackPart) << "a face click starts no drag";
  // The white background, inside a face's outline or around the faces, changes nothing.
  const auto nearHandle = [](int x, int y, POINT h) {
    return std::abs(x - h.x) <= 5 && std::abs(y - h.y) <= 5;
  };
  int nWhite = 0;
  for (int y = m.m_rcCube.top; y < m.m_rcCube.bottom; ++y)
    for (int x = m.m_rcCube.left; x < m.m_rcCube.right; ++x)
      if (!nearHandle(x, y, m.m_ptHandleR) && !nearHandle(x, y, m.m_ptHandleG) &&
          !nearHandle(x, y, m.m_ptHandleB) &&
          m.m_dcCube.dc().GetPixel(x - m.m_rcCube.left, y - m.m_rcCube.top) == kWhite && ++nWhite)
        EXPECT_EQ(clr, p.Click(x, y)) << x << "," << y;
  EXPECT_GT(nWhite, 0);
}

} // namespace
