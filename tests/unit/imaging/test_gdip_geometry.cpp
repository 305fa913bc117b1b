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

} // namespace

// ---- Perspective ----------------------------------------------------------------------------------

TEST(GdipPerspective, IsTheVerticalWarpThenTheVerticalWarpOfTheQuarterTurn) {
  // Tiny pictures, pictures within one band of columns and across several (the widest with a
  // narrowing far larger than half the height), amounts up to and beyond the whole width, both
  // ways; the amounts are the percentages of the width and height in single precision,
  // truncated: 50 % of 70 is 34, of 300 is 149.
  const int cases[][6] = {
      {40, 30, 0, 0, 0, 0},           {37, 23, 30, 0, 11, 0},    {70, 45, 50, 0, 34, 0},
      {70, 45, 25, -20, 17, -8},      {60, 300, 0, 50, 0, 149},  {60, 300, -50, 50, -29, 149},
      {1, 1, 250, 0, 2, 0},           {2, 3, -100, 100, -1, 2},  {3, 2, 100, -100, 2, -1},
      {131, 70, 30, 0, 39, 0},        {131, 70, 100, 0, 130, 0}, {131, 70, -300, 0, -392, 0},
      {130, 69, -30, -100, -38, -68}, {400, 20, 50, 0, 199, 0},  {401, 21, -50, 0, -200, 0},
      {20, 300, 50, 0, 9, 0},         {5, 4, 10, 0, 0, 0}};
  for (const auto& [cx, cy, horz, vert, horzAmount, vertAmount] : cases) {
    const Pixels px = RandomPixels(cx, cy, 42, true);
    Outcome direct = Apply(px, cx, cy, OpOf(&Fx::Perspective, horz, vert, RGB(10, 20, 30)));
    EXPECT_EQ(Dims(cx, cy), DimsOf(direct.fx));
    Outcome turned = Apply(px, cx, cy, OpOf(&Fx::PerspectiveAxis, vertAmount, RGB(10, 20, 30)));
    ASSERT_EQ(Gdiplus::Ok, turned.bmp->RotateFlip(Gdiplus::Rotate90FlipNone));
    Fx axis;
    axis.SetSize(cy, cx);
    axis.PerspectiveAxis(turned.bmp.get(), horzAmount, RGB(10, 20, 30));
    ASSERT_EQ(Gdiplus::Ok, turned.bmp->RotateFlip(Gdiplus::Rotate270FlipNone));
    EXPECT_EQ(ReadPixels(turned.bmp.get()), direct.px) << cx << "x" << cy << " at " << horz << "," << vert;
  }
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

// ---- Rotation -------------------------------------------------------------------------------------

// ---- The plain loops ------------------------------------------------------------------------------

namespace {

// The operations as defined, one computation per target pixel, as references for the walks,
// spans and copies the operations take instead.
DWORD PlainOverWhite(DWORD v) {
  const int a = Alpha(v);
  return a == 255
             ? v
             : Channels(v | 0xFF000000, 0, [a](int c, int) { return (c * a + 255 * (255 - a) + 127) / 255; });
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

// The result has the picture's size and pixels, and the effects object its size.
::testing::AssertionResult Same(const Picture& expected, const Outcome& o) {
  if (DimsOf(expected) != DimsOf(o) || DimsOf(expected) != DimsOf(o.fx) || expected.px != o.px)
    return ::testing::AssertionFailure() << "got " << o.cx << "x" << o.cy << ", not " << expected.cx << "x"
                                         << expected.cy << " or other pixels";
  return ::testing::AssertionSuccess();
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
                        {40, 700, {tiny, tiny + 180, 90}},
                        {1, 32768, {0, 90, 180}}}; // taller than the walks cover: the plain way
  unsigned seed = 90;
  for (const Case& c : cases) {
    const Pixels px = RandomPixels(c.cx, c.cy, ++seed, true);
    for (int degrees : c.degrees) {
      const Picture expected = PlainRotate(px, c.cx, c.cy, degrees, Rgb(1, 2, 3));
      if (expected.cx <= 0 || expected.cy <= 0)
        continue; // nothing to turn into: the picture stays
      ASSERT_TRUE(Same(expected, Apply(px, c.cx, c.cy, OpOf(&Fx::RotateByAngle, degrees, RGB(1, 2, 3)))))
          << c.cx << "x" << c.cy << " at " << degrees;
    }
  }
}

TEST(GdipShear, MatchesThePlainLoopAtEveryPercent) {
  const struct { int cx, cy; } sizes[] = {{1, 1}, {3, 1}, {1, 5}, {57, 31}, {40, 97}};
  unsigned seed = 200;
  for (const auto& size : sizes) {
    const Pixels px = RandomPixels(size.cx, size.cy, ++seed, true);
    for (int percent = -161; percent <= 160; percent += 7) {
      const int percent2 = percent % 3 == 0 ? percent / 3 : 0;
      ASSERT_TRUE(Same(PlainShear(px, size.cx, size.cy, percent, percent2, Rgb(4, 5, 6)),
                       Apply(px, size.cx, size.cy, OpOf(&Fx::Shear, percent, percent2, RGB(4, 5, 6)))))
          << size.cx << "x" << size.cy << " at " << percent << "," << percent2;
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

Outcome Captioned(const Pixels& px, int cx, int cy, const char* text, BOOL inside, BOOL bottom,
                  const LOGFONTA& lf = CaptionFont(16, "Arial")) {
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

TEST(GdipCaption, OutsideBandOfTheFontHeightPlusTenComesAboveOrBelow) {
  const Pixels px = RandomPixels(200, 100, 71, true);
  const std::tuple<const char*, int, BOOL> cases[] = {
      {"Caption 12:34", 16, FALSE}, {"", 12, FALSE}, {NULL, 12, TRUE}, {"Below", 30, TRUE}};
  for (const auto& [text, height, bottom] : cases) {
    Outcome o = Captioned(px, 200, 100, text, FALSE, bottom, CaptionFont(height, "Arial"));
    const int band = height + 10, top = bottom ? 100 : 0;
    ASSERT_EQ(Dims(200, 100 + band), DimsOf(o)) << height;
    EXPECT_EQ(DimsOf(o), DimsOf(o.fx));
    EXPECT_EQ(px, Rows(o.px, 200, bottom ? 0 : band, bottom ? 100 : 100 + band)) << height;
    // The band is white but for the text, centred on it (and cut at its edges when taller).
    int inkTop = top + band, inkBottom = top - 1;
    for (int y = top; y < top + band; ++y) {
      if (!RowsAre(o.px, 200, y, y + 1, kWhite))
        inkTop = std::min(inkTop, y), inkBottom = std::max(inkBottom, y);
      ASSERT_EQ(kWhite, o.px[y * 200]) << y;
      ASSERT_EQ(kWhite, o.px[y * 200 + 199]) << y;
    }
    if (text == NULL || *text == '\0')
      EXPECT_GT(inkTop, inkBottom) << "no text, no ink";
    else
      EXPECT_NEAR(top + band / 2, (inkTop + inkBottom) / 2, 6) << text;
  }
}

TEST(GdipCaption, InsideWritesOverTheEdgeRowsOnly) {
  const int cx = 200, cy = 100;
  const Pixels px(cx * cy, Rgb(250, 240, 100));
  for (BOOL bottom : {FALSE, TRUE}) {
    Outcome o = Captioned(px, cx, cy, "WWWW MMMM", TRUE, bottom);
    ASSERT_EQ(Dims(cx, cy), DimsOf(o));
    std::vector<int> changed;
    for (size_t i = 0; i < px.size(); ++i)
      if (px[i] != o.px[i])
        changed.push_back(static_cast<int>(i) / cx);
    ASSERT_FALSE(changed.empty()) << bottom;
    EXPECT_TRUE(bottom ? changed.front() >= cy - 26 : changed.back() <= 25) << bottom;
  }
}

TEST(GdipCaption, UnknownFaceFallsBackToGenericSansSerif) {
  // The face GDI+ falls back to, as an ANSI face name.
  WCHAR name[LF_FACESIZE] = {};
  ASSERT_EQ(Gdiplus::Ok, Gdiplus::FontFamily::GenericSansSerif()->GetFamilyName(name));
  char generic[LF_FACESIZE * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, name, -1, generic, sizeof(generic), NULL, NULL);
  ASSERT_NE('\0', generic[0]);

  const Pixels px(160 * 30, kWhite);
  const Pixels unknown =
      Captioned(px, 160, 30, "Fallback", FALSE, FALSE, CaptionFont(16, "No Such Face 1234")).px;
  EXPECT_FALSE(RowsAre(unknown, 160, 0, 26, kWhite)) << "the text was drawn";
  EXPECT_EQ(Captioned(px, 160, 30, "Fallback", FALSE, FALSE, CaptionFont(16, generic)).px, unknown);
}

TEST(GdipCaption, FaceFillingTheWholeFieldEndsWithTheField) {
  CImportPatch patch("gdiplus.dll", "GdipCreateFontFamilyFromName", reinterpret_cast<FARPROC>(&RecordFace));
  ASSERT_TRUE(patch.Applied());
  LOGFONTA lf = CaptionFont(16, "");
  std::memset(lf.lfFaceName, 'F', LF_FACESIZE); // no terminator
  Captioned(Pixels(60 * 20, kWhite), 60, 20, "x", FALSE, FALSE, lf);
  EXPECT_EQ(std::wstring(LF_FACESIZE - 1, L'F'), g_askedFace);
}
