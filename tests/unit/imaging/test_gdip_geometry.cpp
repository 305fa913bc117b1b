// Shear, perspective, rotation, trim and caption of CGdipEffects.
#include "tests/common/import_patch.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <cmath>
#include <cstring>

using namespace gdiptest;

namespace {

const DWORD kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

// Rows top to bottom - 1 of the picture.
Pixels Rows(const Pixels& px, int cx, int top, int bottom) {
  return Pixels(px.begin() + static_cast<size_t>(top) * cx, px.begin() + static_cast<size_t>(bottom) * cx);
}
bool RowsAre(const Pixels& px, int cx, int top, int bottom, DWORD v) {
  return Rows(px, cx, top, bottom) == Pixels(static_cast<size_t>(bottom - top) * cx, v);
}
bool ColumnHas(const Pixels& px, int cx, int x, DWORD v) {
  for (size_t i = x; i < px.size(); i += cx)
    if (px[i] == v)
      return true;
  return false;
}

BitmapPtr Rotated(const Pixels& px, int cx, int cy, Gdiplus::RotateFlipType type) {
  BitmapPtr bmp = FromPixels(cx, cy, px);
  EXPECT_EQ(Gdiplus::Ok, bmp->RotateFlip(type));
  return bmp;
}

} // namespace

// ---- Shear ----------------------------------------------------------------------------------------

TEST(GdipShear, PositivePercentSlidesTheBottomRight) {
  const Pixels small = RandomPixels(30, 20, 31, true);
  Outcome zero = Apply(small, 30, 20, OpOf(&Fx::Shear, 0, 0, RGB(9, 9, 9)));
  EXPECT_EQ(Dims(30, 20), DimsOf(zero));
  EXPECT_EQ(small, zero.px);

  const int cx = 200, cy = 100;
  const Pixels px = RandomPixels(cx, cy, 32, true);
  Outcome o = Apply(px, cx, cy, OpOf(&Fx::Shear, 50, 0, RGB(1, 2, 3)));
  ASSERT_EQ(Dims(300, 100), DimsOf(o));
  EXPECT_EQ(Dims(300, 100), DimsOf(o.fx));
  // Row y moves right by y x 100 / 100 = y; pixels keep their alpha.
  for (int y : {0, 1, 50, 99}) {
    for (int x = 0; x < 300; ++x)
      ASSERT_EQ((x >= y && x < y + cx) ? px[y * cx + x - y] : Rgb(1, 2, 3), o.px[y * 300 + x])
          << x << "," << y;
  }
}

TEST(GdipShear, NegativePercentSlidesTheTopRightAndTheSecondAddsRows) {
  const Pixels px = RandomPixels(200, 100, 33);
  Outcome o = Apply(px, 200, 100, OpOf(&Fx::Shear, -50, 0, RGB(0, 0, 0)));
  ASSERT_EQ(300, o.cx);
  EXPECT_EQ(Rows(px, 200, 0, 1), Pixels(o.px.begin() + 100, o.px.begin() + 300));
  EXPECT_EQ(Rows(px, 200, 99, 100), Pixels(o.px.begin() + 99 * 300 + 1, o.px.begin() + 99 * 300 + 201));

  const Pixels small = RandomPixels(50, 40, 34);
  o = Apply(small, 50, 40, OpOf(&Fx::Shear, 0, -10, RGB(0, 0, 255)));
  ASSERT_EQ(Dims(50, 44), DimsOf(o));
  EXPECT_EQ(small, Rows(o.px, 50, 0, 40));
  EXPECT_TRUE(RowsAre(o.px, 50, 40, 44, kBlue));
}

// ---- Perspective ----------------------------------------------------------------------------------

TEST(GdipPerspective, BothSizesZeroChangeNothingAndTheTopRowStays) {
  const Pixels px = RandomPixels(40, 30, 41, true);
  EXPECT_EQ(px, Apply(px, 40, 30, OpOf(&Fx::Perspective, 0, 0, RGB(0, 0, 255))).px);
  // Moved pixels keep their alpha: the top row stays where it is.
  const Pixels moved = RandomPixels(40, 30, 43, true);
  EXPECT_EQ(Rows(moved, 40, 0, 1),
            Rows(Apply(moved, 40, 30, OpOf(&Fx::Perspective, 0, 30, RGB(0, 0, 0))).px, 40, 0, 1));
}

TEST(GdipPerspective, VerticalAmountIsTakenInSinglePrecision) {
  // 50 % of 300 is 149, so the bottom row lands on row 299 - 148 = 151.
  const Pixels out = Apply(Pixels(60 * 300, kRed), 60, 300, OpOf(&Fx::Perspective, 0, 50, RGB(0, 0, 255))).px;
  EXPECT_TRUE(RowsAre(out, 60, 0, 1, kRed));
  const Pixels last = Rows(out, 60, 151, 152);
  EXPECT_NE(last.end(), std::find(last.begin(), last.end(), kRed));
  EXPECT_TRUE(RowsAre(out, 60, 152, 300, kBlue));
}

TEST(GdipPerspective, HorizontalNarrowsTheRightSide) {
  Outcome o = Apply(Pixels(300 * 60, kRed), 300, 60, OpOf(&Fx::Perspective, 50, 0, RGB(0, 0, 255)));
  EXPECT_TRUE(ColumnHas(o.px, 300, 151, kRed));
  for (int x = 152; x < 300; ++x)
    ASSERT_FALSE(ColumnHas(o.px, 300, x, kRed)) << x;
  for (int y = 0; y < 60; ++y)
    ASSERT_EQ(kRed, o.px[y * 300]) << y;
  EXPECT_EQ(Dims(300, 60), DimsOf(o.fx));
}

TEST(GdipPerspective, HorizontalIsTheVerticalWarpOfTheQuarterTurn) {
  const int cx = 37, cy = 23;
  const Pixels px = RandomPixels(cx, cy, 42, true);
  const Pixels direct = Apply(px, cx, cy, OpOf(&Fx::Perspective, 30, 0, RGB(10, 20, 30))).px;
  BitmapPtr turned = Rotated(px, cx, cy, Gdiplus::Rotate90FlipNone);
  Fx axis;
  axis.SetSize(cy, cx);
  axis.PerspectiveAxis(turned.get(), 11, RGB(10, 20, 30)); // 37 x 30 % = 11.1
  ASSERT_EQ(Gdiplus::Ok, turned->RotateFlip(Gdiplus::Rotate270FlipNone));
  EXPECT_EQ(ReadPixels(turned.get()), direct);
}

TEST(GdipPerspective, AxisMatchesTheWarpIntoASecondPicture) {
  const int cx = 33, cy = 40;
  const Pixels px = RandomPixels(cx, cy, 44, true);
  for (int amount : {0, 3, 6, 25, 40, 90, -3, -7, -25, -40, -90}) {
    // The definition: every source pixel to its place in a picture of the background colour.
    const int A = std::abs(amount), m = std::min(A, cy / 6), half = cx / 2;
    Pixels ref(px.size(), Rgb(7, 8, 9));
    for (int y = 0; y < cy; ++y) {
      for (int x = 0; x < cx; ++x) {
        int ty, tx;
        const double lean = 1.0 - static_cast<double>(x) / half;
        if (amount >= 0) {
          ty = y - static_cast<int>(static_cast<double>(y) * A / cy);
          tx = x + static_cast<int>(lean * (static_cast<double>(y) / cy) * m);
        } else {
          ty = y + static_cast<int>(static_cast<double>(cy - y) * A / cy);
          tx = x + static_cast<int>(lean * (cy - y) * m / cy);
        }
        ty = std::min(std::max(ty, 0), cy - 1);
        tx = std::min(std::max(tx, 0), cx - 1);
        ref[ty * cx + tx] = px[y * cx + x];
      }
    }
    ASSERT_EQ(ref, Apply(px, cx, cy, OpOf(&Fx::PerspectiveAxis, amount, RGB(7, 8, 9))).px)
        << "amount " << amount;
  }
}

TEST(GdipPerspective, SqueezeDeepensButNarrowingStopsAtASixth) {
  for (int amount : {20, 40}) {
    const Pixels out =
        Apply(Pixels(3600, kRed), 60, 60, OpOf(&Fx::PerspectiveAxis, amount, RGB(0, 0, 255))).px;
    // The bottom row lands on 59 - trunc(59 x amount / 60) and is pulled in by 9 on each side.
    const int lowest = 59 - 59 * amount / 60;
    EXPECT_TRUE(RowsAre(out, 60, lowest + 1, 60, kBlue)) << amount;
    const Pixels row = Rows(out, 60, lowest, lowest + 1);
    EXPECT_EQ(9, std::find(row.begin(), row.end(), kRed) - row.begin()) << amount;
    EXPECT_EQ(50, std::find(row.rbegin(), row.rend(), kRed).base() - row.begin() - 1) << amount;
  }
  // A negative amount narrows the top. Source rows 0 and 1 both land on row 20; row 1, pulled in
  // by trunc(59 x 10 / 60), comes last.
  const Pixels out = Apply(Pixels(3600, kRed), 60, 60, OpOf(&Fx::PerspectiveAxis, -20, RGB(0, 0, 255))).px;
  EXPECT_TRUE(RowsAre(out, 60, 0, 20, kBlue));
  EXPECT_TRUE(RowsAre(out, 60, 59, 60, kRed));
  const Pixels top = Rows(out, 60, 20, 21);
  EXPECT_EQ(9, std::find(top.begin(), top.end(), kRed) - top.begin());
}

// ---- Rotation -------------------------------------------------------------------------------------

TEST(GdipRotate, WholeTurnsMatchTheExactTurns) {
  const int cx = 31, cy = 17;
  const Pixels px = RandomPixels(cx, cy, 52);
  const std::pair<int, Gdiplus::RotateFlipType> turns[] = {
      {0, Gdiplus::RotateNoneFlipNone},
      {90, Gdiplus::Rotate270FlipNone}, // the transform turns
                                        // counter-clockwise on screen
      {180, Gdiplus::Rotate180FlipNone},
      {270, Gdiplus::Rotate90FlipNone},
      {-90, Gdiplus::Rotate90FlipNone},
      {360, Gdiplus::RotateNoneFlipNone}};
  for (const auto& turn : turns) {
    Outcome o = Apply(px, cx, cy, OpOf(&Fx::RotateByAngle, turn.first, RGB(0, 0, 255)));
    BitmapPtr expected = Rotated(px, cx, cy, turn.second);
    ASSERT_EQ(Dims(Width(expected.get()), Height(expected.get())), DimsOf(o)) << turn.first;
    EXPECT_EQ(DimsOf(o), DimsOf(o.fx)) << turn.first;
    EXPECT_EQ(ReadPixels(expected.get()), o.px) << turn.first;
  }
}

TEST(GdipRotate, EveryTargetPixelSamplesItsNearestSourcePixel) {
  const int cx = 70, cy = 45;
  const Pixels px = RandomPixels(cx, cy, 53);
  for (int degrees : {30, 133, -17, 200}) {
    Outcome o = Apply(px, cx, cy, OpOf(&Fx::RotateByAngle, degrees, RGB(0, 0, 255)));
    // The same transform, inverted at each target pixel centre, without spans or tiles.
    const float r = static_cast<float>(degrees) * 0.01745329238474369f;
    const double c = static_cast<float>(std::cos(static_cast<double>(r)));
    const double s = static_cast<float>(std::sin(static_cast<double>(r)));
    const float W = static_cast<float>(cx), H = static_cast<float>(cy);
    const float fc = static_cast<float>(c), fs = static_cast<float>(s);
    const int xs[4] = {0, static_cast<int>(H * fs), static_cast<int>(W * fc + H * fs),
                       static_cast<int>(W * fc)};
    const int ys[4] = {0, static_cast<int>(H * fc), static_cast<int>(H * fc - W * fs),
                       static_cast<int>(-W * fs)};
    const int minx = *std::min_element(xs, xs + 4), miny = *std::min_element(ys, ys + 4);
    ASSERT_EQ(*std::max_element(xs, xs + 4) - minx, o.cx) << degrees;
    ASSERT_EQ(*std::max_element(ys, ys + 4) - miny, o.cy) << degrees;
    for (int Y = 0; Y < o.cy; ++Y) {
      const double v = Y + 0.5 + miny, u0 = 0.5 + minx;
      const double fx0 = c * u0 - s * v, fy0 = s * u0 + c * v;
      for (int X = 0; X < o.cx; ++X) {
        const double fx = fx0 + X * c, fy = fy0 + X * s;
        const bool inside = fx >= 0 && fy >= 0 && fx < cx && fy < cy;
        ASSERT_EQ(inside ? px[static_cast<int>(fy) * cx + static_cast<int>(fx)] : kBlue, o.px[Y * o.cx + X])
            << degrees << " at " << X << "," << Y;
      }
    }
  }
}

TEST(GdipRotate, FortyFiveDegreeCornersShowTheBackground) {
  Outcome o = Apply(Pixels(5000, kRed), 100, 50, OpOf(&Fx::RotateByAngle, 45, RGB(0, 0, 255)));
  // Corners (0, 0), (35, 35), (106, -35), (70, -70).
  ASSERT_EQ(Dims(106, 105), DimsOf(o));
  for (int i : {0, 105, 104 * 106, 104 * 106 + 105})
    EXPECT_EQ(kBlue, o.px[i]) << i;
  EXPECT_EQ(kRed, o.px[52 * 106 + 53]);
  // The picture's corner (0, 0) stays at the left edge, 70 rows down.
  EXPECT_EQ(kRed, o.px[70 * 106 + 1]);
}

TEST(GdipRotate, TransparencyTurnsWhiteAndTheResultIsOpaque) {
  const Pixels out = Apply({Argb(0, 0, 0, 0), Argb(128, 0, 0, 0), Rgb(10, 20, 30), Argb(0, 200, 50, 50)}, 2,
                           2, OpOf(&Fx::RotateByAngle, 0, RGB(0, 0, 255)))
                         .px;
  EXPECT_EQ(kWhite, out[0]);
  EXPECT_EQ(255, Alpha(out[1]));
  EXPECT_NEAR(127, Red(out[1]), 1);
  EXPECT_EQ(Red(out[1]), Blue(out[1]));
  EXPECT_EQ(Rgb(10, 20, 30), out[2]);
  EXPECT_EQ(kWhite, out[3]);
}

// ---- The plain loops ------------------------------------------------------------------------------

namespace {

// The operations as defined, one computation per target pixel, as references for the walks,
// spans and copies the operations take instead.
DWORD PlainOverWhite(DWORD v) {
  const DWORD a = v >> 24;
  if (a == 255)
    return v;
  DWORD out = 0xFF000000;
  for (int shift = 0; shift <= 16; shift += 8)
    out |= ((((v >> shift) & 0xFF) * a + 255 * (255 - a) + 127) / 255) << shift;
  return out;
}

struct Picture {
  Pixels px;
  int cx, cy;
};

Picture PlainRotate(const Pixels& px, int cx, int cy, int degrees, DWORD back) {
  const float r = static_cast<float>(degrees) * 0.01745329238474369f;
  const float c = static_cast<float>(std::cos(static_cast<double>(r)));
  const float s = static_cast<float>(std::sin(static_cast<double>(r)));
  const float W = static_cast<float>(cx), H = static_cast<float>(cy);
  const int xs[4] = {0, static_cast<int>(H * s), static_cast<int>(W * c + H * s), static_cast<int>(W * c)};
  const int ys[4] = {0, static_cast<int>(H * c), static_cast<int>(H * c - W * s), static_cast<int>(-W * s)};
  const int minx = *std::min_element(xs, xs + 4), miny = *std::min_element(ys, ys + 4);
  Picture out{{}, *std::max_element(xs, xs + 4) - minx, *std::max_element(ys, ys + 4) - miny};
  const double dc = c, ds = s;
  for (int Y = 0; Y < out.cy; ++Y) {
    const double v = Y + 0.5 + miny, u0 = 0.5 + minx;
    const double fx0 = dc * u0 - ds * v, fy0 = ds * u0 + dc * v;
    for (int X = 0; X < out.cx; ++X) {
      const double fx = fx0 + X * dc, fy = fy0 + X * ds;
      const bool inside = !(fx < 0 || fy < 0 || fx >= cx || fy >= cy);
      out.px.push_back(inside ? PlainOverWhite(px[static_cast<int>(fy) * cx + static_cast<int>(fx)]) : back);
    }
  }
  return out;
}

Picture PlainShear(const Pixels& px, int cx, int cy, int percent, int percent2, DWORD back) {
  const int sx = std::abs(cx * percent / 100), sy = std::abs(cy * percent2 / 100);
  Picture out{Pixels(static_cast<size_t>(cx + sx) * (cy + sy), back), cx + sx, cy + sy};
  for (int y = 0; y < cy; ++y) {
    const double o = percent >= 1 ? static_cast<double>(y) * sx / cy : static_cast<double>(cy - y) * sx / cy;
    for (int x = 0; x < cx; ++x)
      out.px[static_cast<size_t>(y) * out.cx + static_cast<int>(o) + x] = px[static_cast<size_t>(y) * cx + x];
  }
  return out;
}

// A degree whose cosine, as the rotation computes it, is neither zero nor a multiple of 2^-32,
// yet so small that the column drifts by a whole one only along a row of some 700 pixels.
int DegreeOfTinyCosine() {
  for (int n = 90; n < 3000000; n += 180) {
    const float r = static_cast<float>(n) * 0.01745329238474369f;
    const float c = std::fabs(static_cast<float>(std::cos(static_cast<double>(r))));
    if (c > 1.2e-3f && c < 1.9e-3f)
      return n;
  }
  return 0;
}

} // namespace

TEST(GdipRotate, MatchesThePlainLoopAtEveryAngle) {
  const int tiny = DegreeOfTinyCosine();
  ASSERT_NE(0, tiny);
  // Every degree of a small picture, then larger ones that span several bands and chunks, at
  // angles near the quarter turns, of large magnitude and with the tiny cosine.
  struct Case {
    int cx, cy;
    std::vector<int> degrees;
  };
  std::vector<int> all;
  for (int d = -360; d <= 720; ++d)
    all.push_back(d);
  const std::vector<int> some = {0,   1,   30,  44,   45,  89,  90,   91,     133,       179,     180,
                                 181, 270, -90, -271, 359, 360, 3690, 100003, 123456789, -987654, tiny};
  const Case cases[] = {{19, 11, all},
                        {1, 1, {0, 30, 90, 180, 270, 45}},
                        {1, 7, some},
                        {9, 1, some},
                        {301, 67, some},
                        {70, 290, some},
                        {517, 3, {1, 2, 3, 179, 181}},
                        {40, 700, {tiny, tiny + 180, 90}}};
  unsigned seed = 90;
  for (const Case& c : cases) {
    const Pixels px = RandomPixels(c.cx, c.cy, ++seed, true);
    for (int degrees : c.degrees) {
      const Picture expected = PlainRotate(px, c.cx, c.cy, degrees, Rgb(1, 2, 3));
      if (expected.cx <= 0 || expected.cy <= 0)
        continue; // nothing to turn into: the picture stays
      Outcome o = Apply(px, c.cx, c.cy, OpOf(&Fx::RotateByAngle, degrees, RGB(1, 2, 3)));
      ASSERT_EQ(Dims(expected.cx, expected.cy), DimsOf(o)) << c.cx << "x" << c.cy << " at " << degrees;
      ASSERT_EQ(expected.px, o.px) << c.cx << "x" << c.cy << " at " << degrees;
    }
  }
  // A source taller than the walks cover goes the plain way.
  const Pixels tall = RandomPixels(1, 32768, 99, true);
  for (int degrees : {0, 90, 180}) {
    const Picture expected = PlainRotate(tall, 1, 32768, degrees, kBlue);
    Outcome o = Apply(tall, 1, 32768, OpOf(&Fx::RotateByAngle, degrees, RGB(0, 0, 255)));
    ASSERT_EQ(Dims(expected.cx, expected.cy), DimsOf(o)) << degrees;
    ASSERT_EQ(expected.px, o.px) << degrees;
  }
}

TEST(GdipShear, MatchesThePlainLoopAtEveryPercent) {
  const struct { int cx, cy; } sizes[] = {{1, 1}, {3, 1}, {1, 5}, {57, 31}, {40, 97}};
  unsigned seed = 200;
  for (const auto& size : sizes) {
    const Pixels px = RandomPixels(size.cx, size.cy, ++seed, true);
    for (int percent = -160; percent <= 160; percent += 7) {
      const int percent2 = percent % 3 == 0 ? percent / 3 : 0;
      const Picture expected = PlainShear(px, size.cx, size.cy, percent, percent2, Rgb(4, 5, 6));
      Outcome o = Apply(px, size.cx, size.cy, OpOf(&Fx::Shear, percent, percent2, RGB(4, 5, 6)));
      ASSERT_EQ(Dims(expected.cx, expected.cy), DimsOf(o)) << size.cx << "x" << size.cy << " at " << percent;
      ASSERT_EQ(expected.px, o.px) << size.cx << "x" << size.cy << " at " << percent;
    }
  }
}

TEST(GdipRotate, ResultsOwnTheirPixelsWhileTheMemoryIsReused) {
  // Results of one size, made and deleted in turn, take over each other's memory: each keeps its
  // own pixels as long as it lives, and a clone outlives its original.
  const Pixels first = RandomPixels(40, 30, 301), second = RandomPixels(40, 30, 302);
  Outcome a = Apply(first, 40, 30, OpOf(&Fx::RotateByAngle, 30, RGB(0, 0, 0)));
  Outcome b = Apply(second, 40, 30, OpOf(&Fx::RotateByAngle, 30, RGB(0, 0, 0)));
  EXPECT_EQ(a.px, ReadPixels(a.bmp.get()));
  BitmapPtr clone(a.bmp->Clone());
  ASSERT_TRUE(clone != NULL);
  const Pixels aPixels = a.px;
  a.bmp.reset();
  Outcome c = Apply(first, 40, 30, OpOf(&Fx::Shear, 50, 0, RGB(9, 9, 9)));
  EXPECT_EQ(aPixels, ReadPixels(clone.get()));
  EXPECT_EQ(b.px, ReadPixels(b.bmp.get()));
  EXPECT_EQ(PlainShear(first, 40, 30, 50, 0, Rgb(9, 9, 9)).px, c.px);
}

// ---- Trim -----------------------------------------------------------------------------------------

namespace {

CRect TrimOf(const Pixels& px, int cx, int cy) {
  CRect rc(-1, -1, -1, -1);
  Apply(px, cx, cy, [&](Fx& fx, Bmp& b) { fx.GetTrimRect(rc, b); });
  return rc;
}

void Paint(Pixels& px, int cx, int l, int t, int r, int b, DWORD v) {
  for (int y = t; y < b; ++y)
    std::fill(px.begin() + y * cx + l, px.begin() + y * cx + r, v);
}

} // namespace

TEST(GdipTrim, EachCornerColourTrimsItsOwnSides) {
  Pixels px = RandomPixels(50, 40, 61);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x)
      if (x < 5 || y < 5 || x >= 45 || y >= 35)
        px[y * 50 + x] = Argb((x * 31 + y) & 0xFF, 1, 2, 3); // alpha does not count
  EXPECT_EQ(CRect(5, 5, 45, 35), TrimOf(px, 50, 40));

  Pixels bands = RandomPixels(60, 50, 62);
  Paint(bands, 60, 0, 0, 60, 3, kRed);
  Paint(bands, 60, 0, 44, 60, 50, kBlue);
  EXPECT_EQ(CRect(0, 3, 60, 44), TrimOf(bands, 60, 50));
  Pixels columns = RandomPixels(60, 50, 63);
  Paint(columns, 60, 0, 0, 4, 50, kRed);
  Paint(columns, 60, 53, 0, 60, 50, kBlue);
  EXPECT_EQ(CRect(4, 0, 53, 50), TrimOf(columns, 60, 50));
}

TEST(GdipTrim, ALonePixelIsFoundWherever) {
  for (int x = 0; x < 13; ++x) {
    for (int y = 1; y < 3; ++y) {
      Pixels px(13 * 4, kWhite);
      px[y * 13 + x] = kRed;
      EXPECT_EQ(CRect(x, y, x + 1, y + 1), TrimOf(px, 13, 4)) << x << "," << y;
    }
  }
  // One colour keeps the whole picture; halves of the two corner colours leave nothing.
  EXPECT_EQ(CRect(0, 0, 12, 7), TrimOf(Pixels(12 * 7, kRed), 12, 7));
  Pixels halves(60 * 50, kRed);
  Paint(halves, 60, 30, 0, 60, 50, kBlue);
  EXPECT_TRUE(TrimOf(halves, 60, 50).IsRectEmpty());
}

// ---- Caption --------------------------------------------------------------------------------------

namespace {

LOGFONTA CaptionFont(int height, const char* face) {
  LOGFONTA lf = {};
  lf.lfHeight = height;
  lf.lfWeight = FW_BOLD;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  return lf;
}

Outcome Captioned(const Pixels& px, int cx, int cy, const char* text, const LOGFONTA& lf, BOOL inside,
                  BOOL bottom) {
  return Apply(px, cx, cy, OpOf(&Fx::AddCaption, text, lf, RGB(0, 0, 0), inside, bottom));
}

// The face asked of GDI+ by the caption, recorded by a stand-in that knows no face at all.
std::wstring g_askedFace;
Gdiplus::GpStatus WINAPI RecordFace(const WCHAR* name, Gdiplus::GpFontCollection*,
                                    Gdiplus::GpFontFamily** ppFamily) {
  g_askedFace = name != NULL ? name : L"";
  *ppFamily = NULL;
  return Gdiplus::FontFamilyNotFound;
}

} // namespace

TEST(GdipCaption, OutsideBandPushesThePictureDownOrFollowsIt) {
  const Pixels px(200 * 100, kRed);
  Outcome o = Captioned(px, 200, 100, "Caption 12:34", CaptionFont(16, "Arial"), FALSE, FALSE);
  ASSERT_EQ(Dims(200, 126), DimsOf(o)); // band 16 + 10
  EXPECT_EQ(126, o.fx.cy);
  EXPECT_TRUE(RowsAre(o.px, 200, 0, 1, kWhite));
  EXPECT_TRUE(RowsAre(o.px, 200, 25, 26, kWhite));
  EXPECT_EQ(kWhite, o.px[12 * 200]);
  EXPECT_EQ(kWhite, o.px[12 * 200 + 199]);
  EXPECT_EQ(px, Rows(o.px, 200, 26, 126));

  const int cx = 300, cy = 50;
  const Pixels noise = RandomPixels(cx, cy, 71, true);
  o = Captioned(noise, cx, cy, "Below", CaptionFont(30, "Arial"), FALSE, TRUE);
  ASSERT_EQ(90, o.cy); // band 30 + 10
  EXPECT_EQ(noise, Rows(o.px, cx, 0, cy));
  // The line is taller than the band: it is centred on the band and cut at its edges.
  int inkTop = cy, inkBottom = 0;
  for (int y = cy; y < 90; ++y) {
    if (!RowsAre(o.px, cx, y, y + 1, kWhite)) {
      inkTop = std::min(inkTop, y);
      inkBottom = std::max(inkBottom, y);
    }
    EXPECT_EQ(kWhite, o.px[y * cx]) << y;
    EXPECT_EQ(kWhite, o.px[y * cx + cx - 1]) << y;
  }
  ASSERT_LE(inkTop, inkBottom) << "the text was drawn";
  EXPECT_NEAR(70, (inkTop + inkBottom) / 2, 6);
}

TEST(GdipCaption, InsideWritesOverTheEdgeRowsOnly) {
  const int cx = 200, cy = 100;
  const Pixels px(cx * cy, Rgb(250, 240, 100));
  for (BOOL bottom : {FALSE, TRUE}) {
    Outcome o = Captioned(px, cx, cy, "WWWW MMMM", CaptionFont(16, "Arial"), TRUE, bottom);
    ASSERT_EQ(Dims(cx, cy), DimsOf(o));
    std::vector<int> changed;
    for (size_t i = 0; i < px.size(); ++i)
      if (px[i] != o.px[i])
        changed.push_back(static_cast<int>(i) / cx);
    ASSERT_FALSE(changed.empty()) << bottom;
    if (bottom)
      EXPECT_GE(changed.front(), cy - 26);
    else
      EXPECT_LE(changed.back(), 25);
  }
}

TEST(GdipCaption, EmptyTextStillAddsTheWhiteBand) {
  const Pixels px(80 * 40, kRed);
  Outcome o = Captioned(px, 80, 40, "", CaptionFont(12, "Arial"), FALSE, FALSE);
  ASSERT_EQ(62, o.cy);
  EXPECT_TRUE(RowsAre(o.px, 80, 0, 22, kWhite));
  EXPECT_EQ(px, Rows(o.px, 80, 22, 62));
  EXPECT_TRUE(
      RowsAre(Captioned(px, 80, 40, NULL, CaptionFont(12, "Arial"), FALSE, TRUE).px, 80, 40, 62, kWhite));
}

TEST(GdipCaption, UnknownFaceFallsBackToGenericSansSerif) {
  // The face GDI+ falls back to, as an ANSI face name.
  Gdiplus::GpFontFamily* family = NULL;
  ASSERT_EQ(Gdiplus::Ok, Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&family));
  WCHAR name[LF_FACESIZE] = {};
  Gdiplus::DllExports::GdipGetFamilyName(family, name, LANG_NEUTRAL);
  Gdiplus::DllExports::GdipDeleteFontFamily(family);
  char generic[LF_FACESIZE * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, name, -1, generic, sizeof(generic), NULL, NULL);
  ASSERT_NE('\0', generic[0]);

  const Pixels px(160 * 30, kWhite);
  const Pixels unknown =
      Captioned(px, 160, 30, "Fallback", CaptionFont(16, "No Such Face 1234"), FALSE, FALSE).px;
  EXPECT_FALSE(RowsAre(unknown, 160, 0, 26, kWhite)) << "the text was drawn";
  EXPECT_EQ(Captioned(px, 160, 30, "Fallback", CaptionFont(16, generic), FALSE, FALSE).px, unknown);
}

TEST(GdipCaption, FaceFillingTheWholeFieldEndsWithTheField) {
  CImportPatch patch("gdiplus.dll", "GdipCreateFontFamilyFromName", reinterpret_cast<FARPROC>(&RecordFace));
  ASSERT_TRUE(patch.Applied());
  LOGFONTA lf = CaptionFont(16, "");
  std::memset(lf.lfFaceName, 'F', LF_FACESIZE); // no terminator
  Captioned(Pixels(60 * 20, kWhite), 60, 20, "x", lf, FALSE, FALSE);
  EXPECT_EQ(std::wstring(LF_FACESIZE - 1, L'F'), g_askedFace);
}

TEST(GdipCaption, AnsiToWideAllocCopiesAndTerminates) {
  EXPECT_EQ(std::wstring(L"Time 12:34"), AnsiToWideAlloc("Time 12:34").get());
  EXPECT_EQ(L'\0', AnsiToWideAlloc("")[0]);
  EXPECT_EQ(L'\0', AnsiToWideAlloc(NULL)[0]);
  EXPECT_EQ(std::wstring(L"Time"), AnsiToWideAlloc("Time 12:34", 4).get());
}
