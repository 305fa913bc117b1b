// The gradient pickers painted into a 32-bit DIB: their pictures against the colour formulas,
// clicks that give back the colour under the pointer, the Ctrl and Shift locks, the wheel and the
// cubes' own cases.
#include "tests/unit/toolkit/controls/models_support.h"

#include <cmath>
#include <vector>

namespace {

const int kCx = 160, kCy = 180; // a panel of 152 x 148 above a bar of 152 x 20
const COLORREF kBack = RGB(7, 7, 9);
const COLORREF kPick = RGB(200, 60, 90);

using PanelPicker = Ctrl::hsl_panel_data_t;

PanelPicker& Panel(PaintedPicker& p) { return static_cast<PanelPicker&>(*p.picker); }

// The colour formulas, written out from the pickers' definitions.
COLORREF ExpectedPanel(Kind k, const PanelPicker& m, int x, int y) {
  const double pw = m.m_nPanelWidth, ph = m.m_nPanelHeight;
  switch (k) {
  case Kind::HslPanel:
    return PM::HlsToRgb(x / pw, 0.5, (ph - y - 1) / ph);
  case Kind::BasicHue:
    return PM::HlsToRgb(m.m_dHue, (ph - y - 1) / ph, x / pw);
  default: {
    const int axis = (int)k - (int)Kind::AxisRed;
    const bool cmy = axis >= 3;
    const COLORREF w = cmy ? PM::InvertColor(m.m_clr) : m.m_clr;
    int c[3] = {GetRValue(w), GetGValue(w), GetBValue(w)};
    const int u = std::min(255, x * 255 / m.m_nPanelWidth), v = std::min(255, y * 255 / m.m_nPanelHeight);
    switch (axis % 3) {
    case 0:
      c[1] = u, c[2] = v;
      break;
    case 1:
      c[0] = u, c[2] = v;
      break;
    default:
      c[0] = u, c[1] = v;
    }
    const COLORREF r = RGB(c[0], c[1], c[2]);
    return cmy ? PM::InvertColor(r) : r;
  }
  }
}

COLORREF ExpectedBar(Kind k, const PanelPicker& m, int x) {
  const double bw = m.m_nBarWidth;
  switch (k) {
  case Kind::HslPanel:
    return PM::HlsToRgb(m.m_dHue, x / bw, m.m_dSaturation);
  case Kind::BasicHue:
    return PM::HlsToRgb(x / bw, 0.5, 1.0);
  default: {
    const int axis = (int)k - (int)Kind::AxisRed, w = std::min(255, x * 255 / m.m_nBarWidth);
    const COLORREF r = axis % 3 == 0 ? RGB(w, 0, 0) : axis % 3 == 1 ? RGB(0, w, 0) : RGB(0, 0, w);
    return axis >= 3 ? PM::InvertColor(r) : r;
  }
  }
}

bool NearMarker(const PanelPicker& m, int x, int y) {
  const POINT pt = m.PanelMarker();
  return std::abs(x - pt.x) <= 5 && std::abs(y - pt.y) <= 5;
}

class PanelPictures : public testing::TestWithParam<Kind> {};

TEST_P(PanelPictures, PanelAndBarFollowTheFormulas) {
  PaintedPicker p(GetParam(), kCx, kCy, kPick, kBack);
  p.Paint();
  const PanelPicker& m = Panel(p);
  ASSERT_EQ(148, m.m_nPanelHeight);
  ASSERT_EQ(152, m.m_nPanelWidth);
  const POINT o = m.PanelOrigin(), b = m.BarOrigin();
  int nChecked = 0;
  for (int y = 0; y < m.m_nPanelHeight; y += 9) {
    for (int x = 0; x < m.m_nPanelWidth; x += 7) {
      if (NearMarker(m, x, y))
        continue;
      ASSERT_EQ(ExpectedPanel(GetParam(), m, x, y), p.At(o.x + x, o.y + y)) << x << "," << y;
      ++nChecked;
    }
  }
  for (int x = 0; x < m.m_nBarWidth; x += 5) {
    if (std::abs(x - m.BarMarker()) <= 5)
      continue;
    ASSERT_EQ(ExpectedBar(GetParam(), m, x), p.At(b.x + x, b.y + 3)) << x;
    ++nChecked;
  }
  EXPECT_GT(nChecked, 300);
  // Outside the panel and the bar the background stays.
  EXPECT_EQ(kBack, p.At(1, 1));
  EXPECT_EQ(kBack, p.At(kCx - 2, kCy - 2));
}

TEST_P(PanelPictures, PicturesFollowAColourSetLater) {
  PaintedPicker p(GetParam(), kCx, kCy, kPick, kBack);
  p.Paint();
  p.picker->SetColor(RGB(30, 220, 140));
  p.Paint();
  const PanelPicker& m = Panel(p);
  const POINT o = m.PanelOrigin(), b = m.BarOrigin();
  for (int x = 3; x < m.m_nPanelWidth; x += 31) {
    if (!NearMarker(m, x, 100))
      EXPECT_EQ(ExpectedPanel(GetParam(), m, x, 100), p.At(o.x + x, o.y + 100)) << x;
    if (std::abs(x - m.BarMarker()) > 5)
      EXPECT_EQ(ExpectedBar(GetParam(), m, x), p.At(b.x + x, b.y + 10)) << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Models, PanelPictures,
                         testing::Values(Kind::HslPanel, Kind::BasicHue, Kind::AxisRed, Kind::AxisGreen,
                                         Kind::AxisBlue, Kind::AxisCyan, Kind::AxisMagenta, Kind::AxisYellow),
                         [](const testing::TestParamInfo<Kind>& i) {
                           return std::string(KindName(i.param));
                         });

// --- A click where a colour is drawn picks that colour ---------------------------------------

enum class Area { Panel, Bar, FaceB0, FaceG0, FaceR0, Whole };

struct HitCase {
  Kind kind;
  Area area;
  double fx, fy;
  int nTolerance; // the panels show their picture one row off the row they pick
};

std::ostream& operator<<(std::ostream& os, const HitCase& c) {
  return os << KindName(c.kind) << " area " << (int)c.area << " at " << c.fx << "," << c.fy;
}

POINT HitPoint(PaintedPicker& p, const HitCase& c) {
  if (c.area == Area::Panel || c.area == Area::Bar) {
    const PanelPicker& m = Panel(p);
    const POINT o = c.area == Area::Panel ? m.PanelOrigin() : m.BarOrigin();
    const int h = c.area == Area::Panel ? m.m_nPanelHeight : m.m_nBarHeight;
    return {o.x + (int)(c.fx * m.m_nPanelWidth), o.y + (int)(c.fy * h)};
  }
  if (c.area == Area::Whole)
    return {(int)(c.fx * kCx), (int)(c.fy * kCy)};
  const auto& cube = static_cast<Ctrl::rgb_cube_data_t&>(*p.picker);
  const POINT ctr = cube.m_ptCenter;
  const POINT a = c.area == Area::FaceG0 ? cube.m_ptRight : cube.m_ptLeft;
  const POINT b = c.area == Area::FaceR0 ? cube.m_ptRight : cube.m_ptTop;
  return {ctr.x + (int)(c.fx * (a.x - ctr.x) + c.fy * (b.x - ctr.x)),
          ctr.y + (int)(c.fx * (a.y - ctr.y) + c.fy * (b.y - ctr.y))};
}

class HitGivesColour : public testing::TestWithParam<HitCase> {};

TEST_P(HitGivesColour, ClickPicksThePixelUnderIt) {
  const HitCase c = GetParam();
  // Pure red: lightness 0.5 and full saturation, which the pictures of the wheel and of the
  // spectrum bar are drawn with.
  PaintedPicker p(c.kind, kCx, kCy, RGB(255, 0, 0), kBack);
  p.Paint();
  const POINT pt = HitPoint(p, c);
  const COLORREF clrDrawn = p.At(pt.x, pt.y);
  ASSERT_NE(kBack, clrDrawn) << "no colour drawn at " << pt.x << "," << pt.y;
  const COLORREF clrPicked = p.Click(pt.x, pt.y);
  EXPECT_LE(ChannelDistance(clrDrawn, clrPicked), c.nTolerance)
      << std::hex << clrDrawn << " picked " << clrPicked << std::dec << " at " << pt.x << "," << pt.y;
}

std::vector<HitCase> HitCases() {
  std::vector<HitCase> v;
  const double kFractions[] = {0.2, 0.45, 0.7, 0.9};
  for (double f : kFractions) {
    for (double g : {0.3, 0.6, 0.85}) {
      v.push_back({Kind::HslPanel, Area::Panel, f, g, 5});
      v.push_back({Kind::BasicHue, Area::Panel, f, g, 5});
      for (Kind k : {Kind::AxisRed, Kind::AxisGreen, Kind::AxisBlue, Kind::AxisCyan, Kind::AxisMagenta,
                     Kind::AxisYellow})
        v.push_back({k, Area::Panel, f, g, 0});
    }
    v.push_back({Kind::HslPanel, Area::Bar, f, 0.5, 0});
    v.push_back({Kind::BasicHue, Area::Bar, f, 0.5, 0});
  }
  // The middle of the wheel's bar lies within the ring around the wheel, which is tested first.
  for (double f : {0.1, 0.2, 0.8, 0.9})
    v.push_back({Kind::Roller, Area::Bar, f, 0.5, 0});
  // Inside the wheel, away from the marker at hue 0 on its rim.
  for (double f : {0.35, 0.5, 0.65})
    for (double g : {0.3, 0.5, 0.7})
      v.push_back({Kind::Roller, Area::Panel, f, g, 0});
  for (Kind k : {Kind::RgbCube, Kind::CmyCube})
    for (Area a : {Area::FaceB0, Area::FaceG0, Area::FaceR0})
      for (double f : {0.3, 0.6})
        for (double g : {0.3, 0.6})
          v.push_back({k, a, f, g, 0});
  return v;
}

INSTANTIATE_TEST_SUITE_P(Models, HitGivesColour, testing::ValuesIn(HitCases()));

// --- Ctrl keeps the x value of a drag, Shift its y value -------------------------------------

struct LockCase {
  Kind kind;
  UINT nLock;
};

std::ostream& operator<<(std::ostream& os, const LockCase& c) {
  return os << KindName(c.kind) << (c.nLock == MK_CONTROL ? " Ctrl" : " Shift");
}

class DragLocks : public testing::TestWithParam<LockCase> {};

TEST_P(DragLocks, LockedDragMatchesAClickOnTheKeptLine) {
  const LockCase c = GetParam();
  PaintedPicker p(c.kind, kCx, kCy, kPick, kBack);
  p.Paint();
  const POINT o = Panel(p).PanelOrigin();
  const POINT from = {o.x + 20, o.y + 30}, to = {o.x + 110, o.y + 90};
  p.picker->OnButtonDown(0, from.x, from.y);
  p.picker->OnTrack(MK_LBUTTON | c.nLock, to.x, to.y);
  const COLORREF clrLocked = p.picker->m_clr;
  p.picker->OnButtonUp(0, to.x, to.y);

  PaintedPicker q(c.kind, kCx, kCy, kPick, kBack);
  q.Paint();
  const POINT kept = c.nLock == MK_CONTROL ? POINT{from.x, to.y} : POINT{to.x, from.y};
  EXPECT_EQ(q.Click(kept.x, kept.y), clrLocked);
  PaintedPicker r(c.kind, kCx, kCy, kPick, kBack);
  r.Paint();
  EXPECT_NE(r.Click(to.x, to.y), clrLocked) << "the lock made no difference";
}

INSTANTIATE_TEST_SUITE_P(
    Models, DragLocks,
    testing::Values(LockCase{Kind::HslPanel, MK_CONTROL}, LockCase{Kind::HslPanel, MK_SHIFT},
                    LockCase{Kind::BasicHue, MK_CONTROL}, LockCase{Kind::BasicHue, MK_SHIFT},
                    LockCase{Kind::AxisRed, MK_CONTROL}, LockCase{Kind::AxisRed, MK_SHIFT},
                    LockCase{Kind::AxisMagenta, MK_CONTROL}, LockCase{Kind::AxisMagenta, MK_SHIFT}));

TEST(Models, DragWithoutTheButtonFlagMovesNothing) {
  PaintedPicker p(Kind::HslPanel, kCx, kCy, kPick, kBack);
  p.Paint();
  p.picker->OnButtonDown(0, 30, 30);
  const COLORREF clr = p.picker->m_clr;
  p.picker->OnTrack(0, 120, 100);
  EXPECT_EQ(clr, p.picker->m_clr);
  p.picker->OnButtonUp(0, 120, 100);
  p.picker->OnTrack(MK_LBUTTON, 120, 100);
  EXPECT_EQ(clr, p.picker->m_clr);
}

// --- The wheel ---------------------------------------------------------------------------------

TEST(Models, WheelPictureAndOuterRing) {
  PaintedPicker p(Kind::Roller, kCx, kCy, RGB(128, 128, 128), kBack);
  p.Paint();
  auto& m = static_cast<Ctrl::hsl_roller_data_t&>(*p.picker);
  const int r = (std::min(m.m_nPanelWidth, m.m_nPanelHeight) - m.m_nMargin) / 2;
  ASSERT_EQ(r, m.m_nRadius);
  const int cx = m.m_nPanelWidth / 2, cy = m.m_nPanelHeight / 2;
  for (int dy = -r + 6; dy < r - 6; dy += 11) {
    for (int dx = -r + 6; dx < r - 6; dx += 13) {
      const int d2 = dx * dx + dy * dy;
      if (d2 >= (r - 2) * (r - 2) || d2 < 36)
        continue; // the rim's antialiasing-free edge and the grey marker at the centre
      const COLORREF clr =
          PM::HlsToRgb(atan2((double)-dy, (double)-dx) * 0.1591549430918955, 0.5, d2 / (double)(r * r));
      EXPECT_EQ(clr, p.At(m.m_nMargin + cx + dx, m.m_nMargin + cy + dy)) << dx << "," << dy;
    }
  }
  // White outside the wheel is transparent.
  EXPECT_EQ(kBack, p.At(m.m_nMargin + 1, m.m_nMargin + 1));
  // Between the rim and the outer ring a click takes full saturation at the point's angle.
  const int x = m.m_nMargin + cx + r + 8, y = m.m_nMargin + cy;
  p.picker->SetColor(RGB(255, 0, 0)); // lightness 0.5
  const COLORREF clr = p.Click(x, y);
  EXPECT_EQ(PM::HlsToRgb(0.5, 0.5, 1.0), clr); // the point lies right of the centre: hue one half
  EXPECT_NEAR(1.0, m.m_dSaturation, 1e-9);
  // Beyond the outer ring nothing happens.
  EXPECT_EQ(clr, p.Click(m.m_nMargin + 1, m.m_nMargin + 1));
}

TEST(Models, WheelKeepsTheLightnessOfTheBar) {
  PaintedPicker p(Kind::Roller, kCx, kCy, PM::HlsToRgb(0.1, 0.3, 0.5), kBack);
  p.Paint();
  auto& m = static_cast<Ctrl::hsl_roller_data_t&>(*p.picker);
  const double dLightness = m.m_dLightness;
  p.Click(m.m_nMargin + m.m_nCenterX + 10, m.m_nMargin + m.m_nCenterY + 20);
  EXPECT_DOUBLE_EQ(dLightness, m.m_dLightness);
}

// --- The cubes -------------------------------------------------------------------------------

TEST(Models, CubeFacesFollowTheFormulas) {
  for (Kind k : {Kind::RgbCube, Kind::CmyCube}) {
    PaintedPicker p(k, kCx, kCy, k == Kind::RgbCube ? RGB(0, 0, 0) : RGB(255, 255, 255), kBack);
    p.Paint();
    auto& m = static_cast<Ctrl::rgb_cube_data_t&>(*p.picker);
    const RECT rc = m.m_rcCube;
    const int n = (rc.bottom - rc.top) / 2, c = (rc.right - rc.left) / 2;
    for (int i = n / 2 + 2; i < n - 2; i += 5) {
      for (int j = 4; j < n / 3; j += 5) {
        const auto axes = [&](COLORREF clr) { return k == Kind::RgbCube ? clr : PM::InvertColor(clr); };
        EXPECT_EQ(axes(RGB(i * 255 / n, j * 255 / n, 0)), p.At(rc.left + c - 1 - j, rc.top + n + j / 2 - i))
            << KindName(k) << " blue-0 face " << i << "," << j;
        EXPECT_EQ(axes(RGB(i * 255 / n, 0, j * 255 / n)), p.At(rc.left + c + j, rc.top + n + j / 2 - i))
            << KindName(k) << " green-0 face " << i << "," << j;
      }
    }
  }
}

TEST(Models, CubeSquareLosesThreePixelsOffAMultipleOfFour) {
  for (int side : {28, 30, 32}) {
    PaintedPicker p(Kind::RgbCube, side + 10, side + 30, kPick, kBack);
    const RECT rc = static_cast<Ctrl::rgb_cube_data_t&>(*p.picker).m_rcCube;
    const int expected = side % 4 == 0 ? side : side - 3;
    EXPECT_EQ(expected, rc.right - rc.left) << side;
    EXPECT_EQ(expected, rc.bottom - rc.top) << side;
    EXPECT_EQ(5, rc.left);
    EXPECT_EQ(15, rc.top);
  }
}

TEST(Models, CubeHandlesSetOneChannelEach) {
  for (Kind k : {Kind::RgbCube, Kind::CmyCube}) {
    const bool cmy = k == Kind::CmyCube;
    PaintedPicker p(k, kCx, kCy, cmy ? RGB(255, 255, 255) : RGB(0, 0, 0), kBack);
    p.Paint();
    auto& m = static_cast<Ctrl::rgb_cube_data_t&>(*p.picker);
    const auto axes = [&](COLORREF clr) { return cmy ? PM::InvertColor(clr) : clr; };
    // Every handle starts at the centre; the first one in the order red, green, blue is taken.
    p.picker->OnButtonDown(0, m.m_ptCenter.x, m.m_ptCenter.y);
    p.picker->OnTrack(MK_LBUTTON, 0, m.m_ptTop.y - 20);
    p.picker->OnButtonUp(0, 0, 0);
    EXPECT_EQ(axes(RGB(255, 0, 0)), p.picker->m_clr) << KindName(k);
    EXPECT_EQ(m.m_ptTop.y, m.m_ptHandleR.y);
    p.picker->OnButtonDown(0, m.m_ptCenter.x, m.m_ptCenter.y);
    p.picker->OnTrack(MK_LBUTTON, m.m_ptLeft.x - 50, 0);
    p.picker->OnButtonUp(0, 0, 0);
    EXPECT_EQ(axes(RGB(255, 255, 0)), p.picker->m_clr) << KindName(k);
    const int mid = (m.m_ptCenter.x + m.m_ptRight.x) / 2;
    p.picker->OnButtonDown(0, m.m_ptCenter.x, m.m_ptCenter.y);
    p.picker->OnTrack(MK_LBUTTON, mid, 0);
    const int b = (mid - m.m_ptCenter.x) * 255 / (m.m_ptRight.x - m.m_ptCenter.x);
    EXPECT_EQ(axes(RGB(255, 255, b)), p.picker->m_clr) << KindName(k);
  }
}

TEST(Models, CubeFaceClicks) {
  PaintedPicker p(Kind::RgbCube, kCx, kCy, RGB(10, 20, 200), kBack);
  p.Paint();
  auto& m = static_cast<Ctrl::rgb_cube_data_t&>(*p.picker);
  // With Ctrl the blue-0 face gives red and green and leaves blue.
  const POINT pt = HitPoint(p, {Kind::RgbCube, Area::FaceB0, 0.5, 0.5, 0});
  const COLORREF clrPixel = m.m_dcCube.dc().GetPixel(pt.x - m.m_rcCube.left, pt.y - m.m_rcCube.top);
  const COLORREF clr = p.Click(pt.x, pt.y, MK_CONTROL);
  EXPECT_EQ(RGB(GetRValue(clrPixel), GetGValue(clrPixel), 200), clr);
  EXPECT_EQ(Ctrl::any_picker_data_t::TRACK_NONE, m.m_nTrackPart) << "a face click starts no drag";
  // The white background inside a face's outline changes nothing.
  const POINT faces[3][4] = {{m.m_ptLeft,
                              {m.m_ptLeft.x, m.m_ptTop.y + (m.m_rcCube.bottom - m.m_rcCube.top) / 4},
                              m.m_ptTop,
                              m.m_ptCenter},
                             {m.m_ptRight,
                              {m.m_ptRight.x, m.m_ptTop.y + (m.m_rcCube.bottom - m.m_rcCube.top) / 4},
                              m.m_ptTop,
                              m.m_ptCenter},
                             {m.m_ptLeft,
                              {m.m_ptCenter.x, m.m_ptLeft.y + (m.m_rcCube.bottom - m.m_rcCube.top) / 4},
                              m.m_ptRight,
                              m.m_ptCenter}};
  int nWhite = 0;
  for (const auto& face : faces) {
    CRgn rgn;
    ASSERT_TRUE(rgn.CreatePolygonRgn(face, 4, ALTERNATE));
    for (int y = m.m_rcCube.top; y < m.m_rcCube.bottom; ++y) {
      for (int x = m.m_rcCube.left; x < m.m_rcCube.right; ++x) {
        const auto nearHandle = [&](POINT h) { return std::abs(x - h.x) <= 5 && std::abs(y - h.y) <= 5; };
        if (nearHandle(m.m_ptHandleR) || nearHandle(m.m_ptHandleG) || nearHandle(m.m_ptHandleB) ||
            !rgn.PtInRegion(x, y) ||
            m.m_dcCube.dc().GetPixel(x - m.m_rcCube.left, y - m.m_rcCube.top) != RGB(255, 255, 255))
          continue;
        ++nWhite;
        EXPECT_EQ(clr, p.Click(x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(nWhite, 0);
}

} // namespace
