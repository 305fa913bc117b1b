// Shear, perspective, rotation, trim and caption of CGdipEffects.
#include "tests/common/import_patch.h"
#include "tests/unit/imaging/test_gdip_util.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <utility>

using namespace gdiptest;

namespace {

const DWORD kRed = 0xFFFF0000;
const DWORD kBlue = 0xFF0000FF;
const DWORD kWhite = 0xFFFFFFFF;

Pixels Row(const Pixels& px, int cx, int y) {
  return Pixels(px.begin() + static_cast<size_t>(y) * cx, px.begin() + static_cast<size_t>(y + 1) * cx);
}

bool RowIs(const Pixels& px, int cx, int y, DWORD v) {
  Pixels row = Row(px, cx, y);
  return std::all_of(row.begin(), row.end(), [v](DWORD p) { return p == v; });
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

TEST(GdipShear, ZeroPercentKeepsSizeAndPicture) {
  Pixels px = RandomPixels(30, 20, 31, true);
  BitmapPtr bmp = FromPixels(30, 20, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.Shear(b, 0, 0, RGB(9, 9, 9)); });
  EXPECT_EQ(30, Width(bmp.get()));
  EXPECT_EQ(20, Height(bmp.get()));
  EXPECT_EQ(px, ReadPixels(bmp.get()));
}

TEST(GdipShear, PositivePercentSlidesTheBottomRight) {
  const int cx = 200, cy = 100;
  Pixels px = RandomPixels(cx, cy, 32, true);
  BitmapPtr bmp = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.Shear(b, 50, 0, RGB(1, 2, 3)); });
  ASSERT_EQ(300, Width(bmp.get()));
  ASSERT_EQ(100, Height(bmp.get()));
  EXPECT_EQ(300, fx.cx);
  EXPECT_EQ(100, fx.cy);
  Pixels out = ReadPixels(bmp.get());
  const DWORD back = Argb(255, 1, 2, 3);
  // Row y moves right by y x 100 / 100 = y; pixels keep their alpha.
  for (int y : {0, 1, 50, 99}) {
    for (int x = 0; x < 300; ++x) {
      DWORD expected = (x >= y && x < y + cx) ? px[y * cx + x - y] : back;
      ASSERT_EQ(expected, out[y * 300 + x]) << x << "," << y;
    }
  }
}

TEST(GdipShear, NegativePercentSlidesTheTopRight) {
  const int cx = 200, cy = 100;
  Pixels px = RandomPixels(cx, cy, 33);
  BitmapPtr bmp = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.Shear(b, -50, 0, RGB(0, 0, 0)); });
  ASSERT_EQ(300, Width(bmp.get()));
  Pixels out = ReadPixels(bmp.get());
  EXPECT_EQ(Row(px, cx, 0), Pixels(out.begin() + 100, out.begin() + 300));
  EXPECT_EQ(Row(px, cx, 99), Pixels(out.begin() + 99 * 300 + 1, out.begin() + 99 * 300 + 201));
}

TEST(GdipShear, SecondPercentAddsBackgroundRows) {
  Pixels px = RandomPixels(50, 40, 34);
  BitmapPtr bmp = FromPixels(50, 40, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.Shear(b, 0, -10, RGB(0, 0, 255)); });
  ASSERT_EQ(50, Width(bmp.get()));
  ASSERT_EQ(44, Height(bmp.get()));
  Pixels out = ReadPixels(bmp.get());
  EXPECT_EQ(px, Pixels(out.begin(), out.begin() + 50 * 40));
  for (int y = 40; y < 44; ++y)
    EXPECT_TRUE(RowIs(out, 50, y, kBlue)) << y;
}

// ---- Perspective ----------------------------------------------------------------------------------

TEST(GdipPerspective, BothSizesZeroChangeNothing) {
  Pixels px = RandomPixels(40, 30, 41, true);
  BitmapPtr bmp = FromPixels(40, 30, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Perspective(bmp.get(), 0, 0, RGB(0, 0, 255));
  EXPECT_EQ(px, ReadPixels(bmp.get()));
}

TEST(GdipPerspective, VerticalAmountIsTakenInSinglePrecision) {
  // 50 % of 300 is 149, so the bottom row lands on row 299 - 148 = 151.
  BitmapPtr bmp = MakeBitmap(60, 300, kRed);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Perspective(bmp.get(), 0, 50, RGB(0, 0, 255));
  Pixels out = ReadPixels(bmp.get());
  EXPECT_TRUE(RowIs(out, 60, 0, kRed));
  Pixels last = Row(out, 60, 151);
  EXPECT_NE(last.end(), std::find(last.begin(), last.end(), kRed));
  for (int y = 152; y < 300; ++y)
    ASSERT_TRUE(RowIs(out, 60, y, kBlue)) << y;
}

TEST(GdipPerspective, HorizontalNarrowsTheRightSide) {
  BitmapPtr bmp = MakeBitmap(300, 60, kRed);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Perspective(bmp.get(), 50, 0, RGB(0, 0, 255));
  Pixels out = ReadPixels(bmp.get());
  EXPECT_TRUE(ColumnHas(out, 300, 151, kRed));
  for (int x = 152; x < 300; ++x)
    ASSERT_FALSE(ColumnHas(out, 300, x, kRed)) << x;
  for (int y = 0; y < 60; ++y)
    ASSERT_EQ(kRed, out[y * 300]) << y;
  EXPECT_EQ(300, fx.cx);
  EXPECT_EQ(60, fx.cy);
}

TEST(GdipPerspective, HorizontalIsTheVerticalWarpOfTheQuarterTurn) {
  const int cx = 37, cy = 23;
  Pixels px = RandomPixels(cx, cy, 42, true);
  BitmapPtr direct = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(direct.get());
  fx.Perspective(direct.get(), 30, 0, RGB(10, 20, 30));

  BitmapPtr turned = Rotated(px, cx, cy, Gdiplus::Rotate90FlipNone);
  CGdipEffects axis;
  axis.SetSize(cy, cx);
  axis.PerspectiveAxis(turned.get(), 11, RGB(10, 20, 30)); // 37 x 30 % = 11.1
  ASSERT_EQ(Gdiplus::Ok, turned->RotateFlip(Gdiplus::Rotate270FlipNone));
  EXPECT_EQ(ReadPixels(turned.get()), ReadPixels(direct.get()));
}

TEST(GdipPerspective, AxisMatchesTheWarpIntoASecondPicture) {
  const int cx = 33, cy = 40;
  const Pixels px = RandomPixels(cx, cy, 44, true);
  const DWORD back = Argb(255, 7, 8, 9);
  for (int amount : {0, 3, 6, 25, 40, 90, -3, -7, -25, -40, -90}) {
    // The definition: every source pixel to its place in a picture of the background colour.
    const int A = std::abs(amount), m = std::min(A, cy / 6), half = cx / 2;
    Pixels ref(px.size(), back);
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
    BitmapPtr bmp = FromPixels(cx, cy, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    fx.PerspectiveAxis(bmp.get(), amount, RGB(7, 8, 9));
    ASSERT_EQ(ref, ReadPixels(bmp.get())) << "amount " << amount;
  }
}

TEST(GdipPerspective, SqueezeDeepensButNarrowingStopsAtASixth) {
  for (int amount : {20, 40}) {
    BitmapPtr bmp = MakeBitmap(60, 60, kRed);
    CGdipEffects fx = EffectsFor(bmp.get());
    fx.PerspectiveAxis(bmp.get(), amount, RGB(0, 0, 255));
    Pixels out = ReadPixels(bmp.get());
    // The bottom row lands on 59 - trunc(59 x amount / 60) and is pulled in by 9 on each side.
    int lowest = 59 - 59 * amount / 60;
    for (int y = lowest + 1; y < 60; ++y)
      ASSERT_TRUE(RowIs(out, 60, y, kBlue)) << amount << " " << y;
    Pixels row = Row(out, 60, lowest);
    EXPECT_EQ(9, std::find(row.begin(), row.end(), kRed) - row.begin()) << amount;
    EXPECT_EQ(50, std::find(row.rbegin(), row.rend(), kRed).base() - row.begin() - 1) << amount;
  }
}

TEST(GdipPerspective, NegativeAmountNarrowsTheTop) {
  BitmapPtr bmp = MakeBitmap(60, 60, kRed);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.PerspectiveAxis(bmp.get(), -20, RGB(0, 0, 255));
  Pixels out = ReadPixels(bmp.get());
  for (int y = 0; y < 20; ++y)
    ASSERT_TRUE(RowIs(out, 60, y, kBlue)) << y;
  EXPECT_TRUE(RowIs(out, 60, 59, kRed));
  // Source rows 0 and 1 both land on row 20; row 1, pulled in by trunc(59 x 10 / 60), comes last.
  Pixels top = Row(out, 60, 20);
  EXPECT_EQ(9, std::find(top.begin(), top.end(), kRed) - top.begin());
}

TEST(GdipPerspective, MovedPixelsKeepTheirAlpha) {
  Pixels px = RandomPixels(40, 30, 43, true);
  BitmapPtr bmp = FromPixels(40, 30, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Perspective(bmp.get(), 0, 30, RGB(0, 0, 0));
  // The top row stays where it is.
  EXPECT_EQ(Row(px, 40, 0), Row(ReadPixels(bmp.get()), 40, 0));
}

// ---- Rotation -------------------------------------------------------------------------------------

TEST(GdipRotate, ZeroDegreesKeepsThePicture) {
  Pixels px = RandomPixels(31, 17, 51);
  BitmapPtr bmp = FromPixels(31, 17, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.RotateByAngle(b, 0, RGB(0, 0, 255)); });
  EXPECT_EQ(31, fx.cx);
  EXPECT_EQ(17, fx.cy);
  EXPECT_EQ(px, ReadPixels(bmp.get()));
}

TEST(GdipRotate, QuarterTurnsMatchTheExactTurns) {
  const int cx = 31, cy = 17;
  Pixels px = RandomPixels(cx, cy, 52);
  const std::pair<int, Gdiplus::RotateFlipType> turns[] = {
      {90, Gdiplus::Rotate270FlipNone}, // the transform turns counter-clockwise on screen
      {180, Gdiplus::Rotate180FlipNone}, {270, Gdiplus::Rotate90FlipNone},
      {-90, Gdiplus::Rotate90FlipNone},  {360, Gdiplus::RotateNoneFlipNone},
  };
  for (const auto& turn : turns) {
    BitmapPtr bmp = FromPixels(cx, cy, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.RotateByAngle(b, turn.first, RGB(0, 0, 255)); });
    BitmapPtr expected = Rotated(px, cx, cy, turn.second);
    ASSERT_EQ(Width(expected.get()), Width(bmp.get())) << turn.first;
    ASSERT_EQ(Height(expected.get()), Height(bmp.get())) << turn.first;
    EXPECT_EQ(Width(expected.get()), fx.cx);
    EXPECT_EQ(ReadPixels(expected.get()), ReadPixels(bmp.get())) << turn.first;
  }
}

TEST(GdipRotate, EveryTargetPixelSamplesItsNearestSourcePixel) {
  const int cx = 70, cy = 45;
  const Pixels px = RandomPixels(cx, cy, 53);
  for (int degrees : {30, 133, -17, 200}) {
    BitmapPtr bmp = FromPixels(cx, cy, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.RotateByAngle(b, degrees, RGB(0, 0, 255)); });
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
    ASSERT_EQ(*std::max_element(xs, xs + 4) - minx, Width(bmp.get())) << degrees;
    ASSERT_EQ(*std::max_element(ys, ys + 4) - miny, Height(bmp.get())) << degrees;
    const Pixels out = ReadPixels(bmp.get());
    const int width = Width(bmp.get());
    for (int Y = 0; Y < Height(bmp.get()); ++Y) {
      const double v = Y + 0.5 + miny, u0 = 0.5 + minx;
      const double fx0 = c * u0 - s * v, fy0 = s * u0 + c * v;
      for (int X = 0; X < width; ++X) {
        const double fx = fx0 + X * c, fy = fy0 + X * s;
        const bool inside = fx >= 0 && fy >= 0 && fx < cx && fy < cy;
        ASSERT_EQ(inside ? px[static_cast<int>(fy) * cx + static_cast<int>(fx)] : kBlue, out[Y * width + X])
            << degrees << " at " << X << "," << Y;
      }
    }
  }
}

TEST(GdipRotate, FortyFiveDegreeCornersShowTheBackground) {
  BitmapPtr bmp = MakeBitmap(100, 50, kRed);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.RotateByAngle(b, 45, RGB(0, 0, 255)); });
  // Corners (0, 0), (35, 35), (106, -35), (70, -70).
  ASSERT_EQ(106, Width(bmp.get()));
  ASSERT_EQ(105, Height(bmp.get()));
  EXPECT_EQ(kBlue, PixelAt(bmp.get(), 0, 0));
  EXPECT_EQ(kBlue, PixelAt(bmp.get(), 105, 0));
  EXPECT_EQ(kBlue, PixelAt(bmp.get(), 0, 104));
  EXPECT_EQ(kBlue, PixelAt(bmp.get(), 105, 104));
  EXPECT_EQ(kRed, PixelAt(bmp.get(), 53, 52));
  // The picture's corner (0, 0) stays at the left edge, 70 rows down.
  EXPECT_EQ(kRed, PixelAt(bmp.get(), 1, 70));
}

TEST(GdipRotate, TransparencyTurnsWhiteAndTheResultIsOpaque) {
  Pixels px = {Argb(0, 0, 0, 0), Argb(128, 0, 0, 0), Argb(255, 10, 20, 30), Argb(0, 200, 50, 50)};
  BitmapPtr bmp = FromPixels(2, 2, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.RotateByAngle(b, 0, RGB(0, 0, 255)); });
  Pixels out = ReadPixels(bmp.get());
  EXPECT_EQ(kWhite, out[0]);
  EXPECT_EQ(255, Alpha(out[1]));
  EXPECT_NEAR(127, Red(out[1]), 1);
  EXPECT_EQ(Red(out[1]), Blue(out[1]));
  EXPECT_EQ(Argb(255, 10, 20, 30), out[2]);
  EXPECT_EQ(kWhite, out[3]);
}

// ---- Trim -----------------------------------------------------------------------------------------

namespace {

CRect TrimOf(const Pixels& px, int cx, int cy) {
  BitmapPtr bmp = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  CRect rc(-1, -1, -1, -1);
  fx.GetTrimRect(rc, bmp.get());
  return rc;
}

void Paint(Pixels& px, int cx, int l, int t, int r, int b, DWORD v) {
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      px[y * cx + x] = v;
}

} // namespace

TEST(GdipTrim, UniformBorderTrimsToTheInside) {
  const int cx = 50, cy = 40;
  Pixels px = RandomPixels(cx, cy, 61);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x)
      if (x < 5 || y < 5 || x >= 45 || y >= 35)
        px[y * cx + x] = Argb((x * 31 + y) & 0xFF, 1, 2, 3); // alpha does not count
  EXPECT_EQ(CRect(5, 5, 45, 35), TrimOf(px, cx, cy));
}

TEST(GdipTrim, EachCornerColourTrimsItsOwnSides) {
  const int cx = 60, cy = 50;
  Pixels bands = RandomPixels(cx, cy, 62);
  Paint(bands, cx, 0, 0, cx, 3, kRed);
  Paint(bands, cx, 0, 44, cx, cy, kBlue);
  EXPECT_EQ(CRect(0, 3, 60, 44), TrimOf(bands, cx, cy));

  Pixels columns = RandomPixels(cx, cy, 63);
  Paint(columns, cx, 0, 0, 4, cy, kRed);
  Paint(columns, cx, 53, 0, cx, cy, kBlue);
  EXPECT_EQ(CRect(4, 0, 53, 50), TrimOf(columns, cx, cy));
}

TEST(GdipTrim, ALonePixelIsFoundWherever) {
  for (int x = 0; x < 13; ++x) {
    for (int y = 1; y < 3; ++y) {
      Pixels px(13 * 4, kWhite);
      px[y * 13 + x] = kRed;
      EXPECT_EQ(CRect(x, y, x + 1, y + 1), TrimOf(px, 13, 4)) << x << "," << y;
    }
  }
}

TEST(GdipTrim, OneColourKeepsTheWholePicture) {
  EXPECT_EQ(CRect(0, 0, 12, 7), TrimOf(Pixels(12 * 7, kRed), 12, 7));
}

TEST(GdipTrim, HalvesOfTheTwoCornerColoursLeaveNothing) {
  Pixels px(60 * 50, kRed);
  Paint(px, 60, 30, 0, 60, 50, kBlue);
  EXPECT_TRUE(TrimOf(px, 60, 50).IsRectEmpty());
}

// ---- Caption --------------------------------------------------------------------------------------

namespace {

LOGFONTA CaptionFont(int height, const char* face) {
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof(lf));
  lf.lfHeight = height;
  lf.lfWeight = FW_BOLD;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  return lf;
}

// The face GDI+ falls back to, as an ANSI face name.
std::string GenericSansSerifFace() {
  Gdiplus::GpFontFamily* family = NULL;
  if (Gdiplus::DllExports::GdipGetGenericFontFamilySansSerif(&family) != Gdiplus::Ok)
    return std::string();
  WCHAR name[LF_FACESIZE] = {};
  Gdiplus::DllExports::GdipGetFamilyName(family, name, LANG_NEUTRAL);
  Gdiplus::DllExports::GdipDeleteFontFamily(family);
  char ansi[LF_FACESIZE * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof(ansi), NULL, NULL);
  return ansi;
}

BitmapPtr Captioned(const Pixels& px, int cx, int cy, const char* text, const LOGFONTA& lf, BOOL inside,
                    BOOL bottom, CGdipEffects* pFx = NULL) {
  BitmapPtr bmp = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  Replacing(bmp, [&](Gdiplus::Bitmap*& b) { fx.AddCaption(b, text, lf, RGB(0, 0, 0), inside, bottom); });
  if (pFx != NULL)
    *pFx = fx;
  return bmp;
}

bool AllWhite(const Pixels& px, int cx, int top, int bottom) {
  for (int y = top; y < bottom; ++y)
    if (!RowIs(px, cx, y, kWhite))
      return false;
  return true;
}

int ChangedRows(const Pixels& before, const Pixels& after, int cx, int* pFirst, int* pLast) {
  int count = 0;
  *pFirst = -1;
  *pLast = -1;
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) {
      int y = static_cast<int>(i) / cx;
      if (*pFirst < 0)
        *pFirst = y;
      *pLast = y;
      ++count;
    }
  }
  return count;
}

} // namespace

TEST(GdipCaption, TopBandPushesThePictureDown) {
  Pixels px(200 * 100, kRed);
  CGdipEffects fx;
  BitmapPtr bmp = Captioned(px, 200, 100, "Caption 12:34", CaptionFont(16, "Arial"), FALSE, FALSE, &fx);
  ASSERT_EQ(200, Width(bmp.get()));
  ASSERT_EQ(126, Height(bmp.get())); // band 16 + 10
  EXPECT_EQ(126, fx.cy);
  Pixels out = ReadPixels(bmp.get());
  EXPECT_TRUE(RowIs(out, 200, 0, kWhite));
  EXPECT_TRUE(RowIs(out, 200, 25, kWhite));
  EXPECT_EQ(kWhite, out[12 * 200]);
  EXPECT_EQ(kWhite, out[12 * 200 + 199]);
  EXPECT_EQ(px, Pixels(out.begin() + 26 * 200, out.end()));
}

TEST(GdipCaption, BottomBandFollowsThePicture) {
  const int cx = 300, cy = 50;
  Pixels px = RandomPixels(cx, cy, 71, true);
  BitmapPtr bmp = Captioned(px, cx, cy, "Below", CaptionFont(30, "Arial"), FALSE, TRUE);
  ASSERT_EQ(90, Height(bmp.get())); // band 30 + 10
  Pixels out = ReadPixels(bmp.get());
  EXPECT_EQ(px, Pixels(out.begin(), out.begin() + cx * cy));
  // The line is taller than the band: it is centred on the band and cut at its edges.
  int inkTop = cy, inkBottom = 0;
  for (int y = cy; y < 90; ++y) {
    if (!RowIs(out, cx, y, kWhite)) {
      inkTop = std::min(inkTop, y);
      inkBottom = std::max(inkBottom, y);
    }
  }
  ASSERT_LE(inkTop, inkBottom) << "the text was drawn";
  EXPECT_NEAR(70, (inkTop + inkBottom) / 2, 6);
  for (int y = cy; y < 90; ++y) {
    EXPECT_EQ(kWhite, out[y * cx]) << y;
    EXPECT_EQ(kWhite, out[y * cx + cx - 1]) << y;
  }
}

TEST(GdipCaption, InsideWritesOverTheEdgeRowsOnly) {
  const int cx = 200, cy = 100;
  Pixels px(cx * cy, Argb(255, 250, 240, 100));
  for (BOOL bottom : {FALSE, TRUE}) {
    BitmapPtr bmp = Captioned(px, cx, cy, "WWWW MMMM", CaptionFont(16, "Arial"), TRUE, bottom);
    ASSERT_EQ(cx, Width(bmp.get()));
    ASSERT_EQ(cy, Height(bmp.get()));
    int first = 0, last = 0;
    EXPECT_GT(ChangedRows(px, ReadPixels(bmp.get()), cx, &first, &last), 0) << bottom;
    if (bottom) {
      EXPECT_GE(first, cy - 26);
    } else {
      EXPECT_LE(last, 25);
    }
  }
}

TEST(GdipCaption, EmptyTextStillAddsTheWhiteBand) {
  Pixels px(80 * 40, kRed);
  BitmapPtr bmp = Captioned(px, 80, 40, "", CaptionFont(12, "Arial"), FALSE, FALSE);
  ASSERT_EQ(62, Height(bmp.get()));
  Pixels out = ReadPixels(bmp.get());
  EXPECT_TRUE(AllWhite(out, 80, 0, 22));
  EXPECT_EQ(px, Pixels(out.begin() + 22 * 80, out.end()));
  BitmapPtr none = Captioned(px, 80, 40, NULL, CaptionFont(12, "Arial"), FALSE, TRUE);
  EXPECT_TRUE(AllWhite(ReadPixels(none.get()), 80, 40, 62));
}

TEST(GdipCaption, UnknownFaceFallsBackToGenericSansSerif) {
  std::string generic = GenericSansSerifFace();
  ASSERT_FALSE(generic.empty());
  Pixels px(160 * 30, kWhite);
  BitmapPtr unknown = Captioned(px, 160, 30, "Fallback", CaptionFont(16, "No Such Face 1234"), FALSE, FALSE);
  BitmapPtr known = Captioned(px, 160, 30, "Fallback", CaptionFont(16, generic.c_str()), FALSE, FALSE);
  Pixels a = ReadPixels(unknown.get()), b = ReadPixels(known.get());
  EXPECT_FALSE(AllWhite(a, 160, 0, 26)) << "the text was drawn";
  EXPECT_EQ(b, a);
}

// The face asked of GDI+ by the caption, recorded by a stand-in that knows no face at all.
std::wstring g_askedFace;
Gdiplus::GpStatus WINAPI RecordFace(const WCHAR* name, Gdiplus::GpFontCollection*,
                                    Gdiplus::GpFontFamily** ppFamily) {
  g_askedFace = name != NULL ? name : L"";
  *ppFamily = NULL;
  return Gdiplus::FontFamilyNotFound;
}

TEST(GdipCaption, FaceFillingTheWholeFieldEndsWithTheField) {
  CImportPatch patch("gdiplus.dll", "GdipCreateFontFamilyFromName", reinterpret_cast<FARPROC>(&RecordFace));
  ASSERT_TRUE(patch.Applied());
  LOGFONTA lf = CaptionFont(16, "");
  std::memset(lf.lfFaceName, 'F', LF_FACESIZE); // no terminator
  BitmapPtr bmp = Captioned(Pixels(60 * 20, kWhite), 60, 20, "x", lf, FALSE, FALSE);
  EXPECT_EQ(std::wstring(LF_FACESIZE - 1, L'F'), g_askedFace);
}

TEST(GdipCaption, AnsiToWideAllocCopiesAndTerminates) {
  std::unique_ptr<wchar_t[]> w = AnsiToWideAlloc("Time 12:34");
  EXPECT_EQ(std::wstring(L"Time 12:34"), w.get());
  EXPECT_EQ(L'\0', AnsiToWideAlloc("")[0]);
  EXPECT_EQ(L'\0', AnsiToWideAlloc(NULL)[0]);
  EXPECT_EQ(std::wstring(L"Time"), AnsiToWideAlloc("Time 12:34", 4).get());
}

// ---- Gallery ----------------------------------------------------------------------------------------

TEST(GdipGallery, GeometryOnTheSamplePicture) {
  LOGFONTA lf = CaptionFont(16, "Arial");
  const std::pair<const char*, std::function<void(CGdipEffects&, Gdiplus::Bitmap*&)>> effects[] = {
      {"gdip_shear", [](CGdipEffects& fx, Gdiplus::Bitmap*& b) { fx.Shear(b, 30, 0, RGB(255, 255, 255)); }},
      {"gdip_shear_negative",
       [](CGdipEffects& fx, Gdiplus::Bitmap*& b) { fx.Shear(b, -30, 0, RGB(0, 0, 0)); }},
      {"gdip_perspective",
       [](CGdipEffects& fx, Gdiplus::Bitmap*& b) { fx.Perspective(b, 0, 30, RGB(255, 255, 255)); }},
      {"gdip_perspective_both",
       [](CGdipEffects& fx, Gdiplus::Bitmap*& b) { fx.Perspective(b, 25, -25, RGB(255, 255, 255)); }},
      {"gdip_rotate30",
       [](CGdipEffects& fx, Gdiplus::Bitmap*& b) { fx.RotateByAngle(b, 30, RGB(255, 255, 255)); }},
      {"gdip_rotate90",
       [](CGdipEffects& fx, Gdiplus::Bitmap*& b) { fx.RotateByAngle(b, 90, RGB(255, 255, 255)); }},
      {"gdip_caption_top",
       [&](CGdipEffects& fx, Gdiplus::Bitmap*& b) {
         fx.AddCaption(b, "Pixolet 12:34", lf, RGB(200, 0, 0), FALSE, FALSE);
       }},
      {"gdip_caption_inside",
       [&](CGdipEffects& fx, Gdiplus::Bitmap*& b) {
         fx.AddCaption(b, "Inside bottom", lf, RGB(0, 0, 0), TRUE, TRUE);
       }},
  };
  BitmapPtr sample = MakeSamplePicture();
  const Pixels original = ReadPixels(sample.get());
  const int cx = Width(sample.get()), cy = Height(sample.get());
  for (const auto& effect : effects) {
    BitmapPtr bmp = FromPixels(cx, cy, original);
    CGdipEffects fx = EffectsFor(bmp.get());
    Replacing(bmp, [&](Gdiplus::Bitmap*& b) { effect.second(fx, b); });
    EXPECT_EQ(fx.cx, Width(bmp.get())) << effect.first;
    EXPECT_EQ(fx.cy, Height(bmp.get())) << effect.first;
    EXPECT_NE(original, ReadPixels(bmp.get())) << effect.first;
    SaveArtifact(bmp.get(), effect.first);
  }
}
