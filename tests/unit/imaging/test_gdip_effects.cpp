// Colour filters, convolution, multiply blend and the fade and bevel edges of CGdipEffects.
#include "tests/unit/imaging/test_imaging_util.h"

#include <numeric>

using namespace gdiptest;

namespace {

// The operation, recording the floating-point faults it raised.
Op Watched(const Op& op, unsigned& faults) {
  return [op, &faults](Fx& fx, Bmp& b) { faults = FloatFaultsDuring([&] { op(fx, b); }); };
}

DWORD Through(DWORD v, const Op& op) { return Apply({v}, 1, 1, op).px[0]; }

// The tone table an operation leaves in the effects object.
std::vector<int> Table(const Op& op) {
  Fx fx = Apply({Rgb(0, 0, 0)}, 1, 1, op).fx;
  return std::vector<int>(fx.lut, fx.lut + 256);
}

DWORD ApplyTable(DWORD v, const BYTE* tr, const BYTE* tg, const BYTE* tb) {
  return Argb(Alpha(v), tr[Red(v)], tg[Green(v)], tb[Blue(v)]);
}

} // namespace

// ---- Colour operations ------------------------------------------------------------------------

TEST(GdipColour, OnePixelThroughEachOperation) {
  // Grayscale: gray pixels stay; 50 x 0.11 + 100 x 0.59 + 200 x 0.3 = 124.5, truncated; the tinge
  // adds to the masked channels, clamped, and follows the gray step of a colour. Black and white:
  // red 10 weighs exactly 3, and a level equal to the threshold gives black. Inverting flips the
  // masked channels only. Colour balance has one table per channel. Emboss of a negative depth
  // stays inside the picture.
  const struct {
    Op op;
    DWORD in, out;
  } cases[] = {{OpOf(&Fx::Grayscale, 0, 7), Gray(77), Gray(77)},
               {OpOf(&Fx::Grayscale, 0, 0), Rgb(200, 100, 50), Gray(124)},
               {OpOf(&Fx::Grayscale, 0, 0), Rgb(255, 255, 254), Gray(254)},
               {OpOf(&Fx::Grayscale, 40, 1), Gray(0), Rgb(40, 0, 0)},
               {OpOf(&Fx::Grayscale, 40, 2), Gray(0), Rgb(0, 40, 0)},
               {OpOf(&Fx::Grayscale, 40, 4), Gray(0), Rgb(0, 0, 40)},
               {OpOf(&Fx::Grayscale, 40, 7), Gray(250), Gray(255)},
               {OpOf(&Fx::Grayscale, -50, 4), Gray(30), Rgb(30, 30, 0)},
               {OpOf(&Fx::Grayscale, 10, 1), Rgb(200, 100, 50), Rgb(134, 124, 124)},
               {OpOf(&Fx::BlackWhite, 3), Rgb(10, 0, 0), Gray(0)},
               {OpOf(&Fx::BlackWhite, 2), Rgb(10, 0, 0), Gray(255)},
               {OpOf(&Fx::BlackWhite, 0), Gray(0), Gray(0)},
               {OpOf(&Fx::BlackWhite, 254), Gray(255), Gray(255)},
               {OpOf(&Fx::BlackWhite, 255), Gray(255), Gray(0)},
               {OpOf(&Fx::InvertColor, 1), Rgb(10, 20, 30), Rgb(245, 20, 30)},
               {OpOf(&Fx::InvertColor, 2), Rgb(10, 20, 30), Rgb(10, 235, 30)},
               {OpOf(&Fx::InvertColor, 4), Rgb(10, 20, 30), Rgb(10, 20, 225)},
               {OpOf(&Fx::InvertColor, 7), Rgb(10, 20, 30), Rgb(245, 235, 225)},
               {OpOf(&Fx::InvertColor, 0), Rgb(10, 20, 30), Rgb(10, 20, 30)},
               {OpOf(&Fx::Brightness, 100), Rgb(100, 0, 200), Rgb(164, 0, 255)},
               {OpOf(&Fx::Contrast, 64), Rgb(32, 96, 200), Rgb(0, 128, 255)},
               {OpOf(&Fx::ColorBalance, 100, 0, -128), Gray(100), Rgb(164, 100, 49)},
               {OpOf(&Fx::ColorBalance, -255, 0, -255), Rgb(200, 7, 90), Rgb(0, 7, 0)},
               {OpOf(&Fx::Emboss, -3, 1), Rgb(9, 99, 199), Gray(128)}};
  for (const auto& c : cases)
    EXPECT_EQ(c.out, Through(c.in, c.op)) << "case " << &c - cases;
}

TEST(GdipColour, SolarizeInvertsChannelsAboveThreshold) {
  // Seven pixels wide so that both the four-pixel steps and the rest are walked.
  const Pixels px = {Rgb(0, 1, 200),     Rgb(100, 101, 255), Rgb(99, 100, 101), Rgb(0, 0, 0),
                     Rgb(255, 128, 127), Rgb(7, 100, 250),   Rgb(101, 100, 99)};
  auto solarize = [&](int threshold) { return Apply(px, 7, 1, OpOf(&Fx::Solarize, threshold)).px; };
  EXPECT_EQ(px, solarize(255));
  EXPECT_EQ(px, solarize(1000));
  EXPECT_EQ(Rgb(0, 254, 55), solarize(0)[0]);
  EXPECT_EQ(Rgb(0, 0, 0), solarize(0)[3]);
  const Pixels hundred = solarize(100);
  EXPECT_EQ(Rgb(100, 154, 0), hundred[1]);
  EXPECT_EQ(Rgb(99, 100, 154), hundred[2]);
  EXPECT_EQ(Rgb(154, 100, 99), hundred[6]);
  EXPECT_EQ(Rgb(255, 255, 255), solarize(-5)[3]);
}

TEST(GdipColour, EmbossComparesEachPixelWithItsUnchangedPartner) {
  EXPECT_EQ(Pixels(63, Gray(128)), Apply(Pixels(63, Rgb(40, 90, 200)), 9, 7, OpOf(&Fx::Emboss, 2, 1)).px);
  // (30 - 120 + 384) / 3 = 98; (120 - 300 + 384) / 3 = 68; the last pixel is its own partner.
  EXPECT_EQ((Pixels{Gray(98), Gray(68), Gray(128)}),
            Apply({Gray(10), Gray(40), Gray(100)}, 3, 1, OpOf(&Fx::Emboss, 1, 1)).px);
  // Other modes keep each channel difference to its low eight bits.
  EXPECT_EQ((Pixels{Rgb(184, 127, 98), Gray(128)}),
            Apply({Rgb(0, 255, 10), Rgb(200, 0, 40)}, 2, 1, OpOf(&Fx::Emboss, 1, 0)).px);
  // Depth 2 on 4 x 4: pixel (0, 0) pairs with (2, 2), pixel (3, 1) with (3, 3); depth 0 does nothing.
  Pixels px(16, Gray(50));
  px[2 * 4 + 2] = Gray(80);
  px[3 * 4 + 3] = Gray(20);
  const Pixels out = Apply(px, 4, 4, OpOf(&Fx::Emboss, 2, 1)).px;
  EXPECT_EQ(Gray(98), out[0]);          // 50 - 80 + 128
  EXPECT_EQ(Gray(158), out[1 * 4 + 3]); // 50 - 20 + 128
  EXPECT_EQ(Gray(128), out[3 * 4 + 3]);
  EXPECT_EQ(out, Apply(out, 4, 4, OpOf(&Fx::Emboss, 0, 1)).px);
}

TEST(GdipColour, BrightnessAndContrastTables) {
  std::vector<int> identity(256);
  std::iota(identity.begin(), identity.end(), 0);
  EXPECT_EQ(identity, Table(OpOf(&Fx::Brightness, 0)));
  EXPECT_EQ(identity, Table(OpOf(&Fx::Contrast, 0)));
  const struct {
    void (Fx::*f)(Bmp, int);
    int level, index, value;
  } entries[] = {
      {&Fx::Brightness, 100, 100, 164},  {&Fx::Brightness, 100, 160, 255}, // 255 / 155
      {&Fx::Brightness, -128, 255, 127}, {&Fx::Brightness, -128, 100, 49}, // 127 / 255
      {&Fx::Brightness, -255, 255, 0},   {&Fx::Contrast, 64, 32, 0},
      {&Fx::Contrast, 64, 96, 128},      {&Fx::Contrast, 64, 200, 255},
      {&Fx::Contrast, -64, 0, 64},       {&Fx::Contrast, -64, 255, 191} // i / 2 + 64
  };
  for (const auto& e : entries)
    EXPECT_EQ(e.value, Table(OpOf(e.f, e.level))[e.index]) << "entry " << &e - entries;
}

TEST(GdipColour, LevelsWithoutAFactorStayInRange) {
  // Brightness 255 and contrast 128 have no factor (the formula divides by zero): the steepest
  // curve keeps black and saturates the rest, and no infinity or NaN is computed on the way.
  unsigned faults = 1;
  std::vector<int> table = Table(Watched(OpOf(&Fx::Brightness, 255), faults));
  EXPECT_EQ(0u, faults);
  EXPECT_EQ(0, table[0]);
  EXPECT_EQ(255, table[1]);
  EXPECT_EQ(255, table[255]);
  table = Table(Watched(OpOf(&Fx::Contrast, 128), faults));
  EXPECT_EQ(0u, faults);
  EXPECT_EQ(0, table[0]);
  EXPECT_EQ(255, table[1]);
  EXPECT_EQ(Rgb(255, 0, 0), Through(Rgb(1, 0, 0), OpOf(&Fx::ColorBalance, 255, 255, 255)));
  // Levels beyond the pages' range still give channel values.
  EXPECT_EQ(Rgb(0, 0, 0), Through(Gray(100), OpOf(&Fx::ColorBalance, 300, -300, 400)));
}

// Pictures of 512 x 512 pixels and more take the paired-table road; the result is the same.
TEST(GdipColour, ApplyLookupTableOnLargePicturesMatchesThePlainTable) {
  for (int cy : {511, 512}) { // 261,632 and 262,144 pixels: either side of the switch
    const Pixels px = RandomPixels(512, cy, 31, true);
    Outcome o = Apply(px, 512, cy, [](Fx& fx, Bmp& b) {
      for (int i = 0; i < 256; ++i)
        fx.lut[i] = static_cast<BYTE>((i * 37 + 11) ^ (i >> 3));
      fx.ApplyLookupTable(b);
    });
    Pixels expected(px.size());
    std::transform(px.begin(), px.end(), expected.begin(),
                   [&](DWORD v) { return ApplyTable(v, o.fx.lut, o.fx.lut, o.fx.lut); });
    EXPECT_EQ(expected, o.px) << cy;
  }
}

namespace {

// Noise, gray pixels, and coloured pixels whose weighted sum 11 b + 59 g + 30 r is a whole
// multiple of 100 (where the double arithmetic may land just below the whole level).
Pixels LevelTestPixels(int cx, int cy) {
  Pixels px = RandomPixels(cx, cy, 77, true);
  size_t i = 0;
  for (int v = 0; v < 256 && i < px.size(); v += 3, i += 2)
    px[i] = Argb(static_cast<int>(i & 0xFF), v, v, v);
  for (int b = 0; b < 256 && i < px.size(); b += 5)
    for (int g = 0; g < 256 && i < px.size(); g += 7)
      for (int r = 0; r < 256; ++r)
        if ((11 * b + 59 * g + 30 * r) % 100 == 0 && !(b == g && g == r)) {
          px[i] = Argb(200, r, g, b);
          i += 3;
          break;
        }
  return px;
}

} // namespace

TEST(GdipColour, GrayscaleAndBlackWhiteMatchTheWeightedSumOnEveryKindOfPixel) {
  const int cx = 61, cy = 50;
  const Pixels px = LevelTestPixels(cx, cy);
  for (int tinge : {0, 25, -40, 300}) {
    for (BYTE mask : {0, 1, 6}) {
      const Pixels out = Apply(px, cx, cy, OpOf(&Fx::Grayscale, tinge, mask)).px;
      for (size_t i = 0; i < px.size(); ++i) {
        const DWORD v = px[i];
        int level = Blue(v);
        if (!(Blue(v) == Green(v) && Green(v) == Red(v)))
          level = std::min(static_cast<int>(Blue(v) * 0.11 + Green(v) * 0.59 + Red(v) * 0.3), 255);
        auto tinged = [&](BYTE bit) {
          return (mask & bit) ? std::min(std::max(level + tinge, 0), 255) : level;
        };
        ASSERT_EQ(Argb(Alpha(v), tinged(1), tinged(2), tinged(4)), out[i]) << i << " tinge " << tinge;
      }
    }
  }
  // Black and white sums the channels in another order.
  for (int threshold = -3; threshold <= 258; threshold += threshold < 250 ? 11 : 1) {
    const Pixels out = Apply(px, cx, cy, OpOf(&Fx::BlackWhite, threshold)).px;
    for (size_t i = 0; i < px.size(); ++i) {
      const DWORD v = px[i];
      const int level = std::min(static_cast<int>(Blue(v) * 0.11 + Red(v) * 0.3 + Green(v) * 0.59), 255);
      const int c = level > threshold ? 255 : 0;
      ASSERT_EQ(Argb(Alpha(v), c, c, c), out[i]) << i << " threshold " << threshold;
    }
  }
}

TEST(GdipColour, ToneCurvesAndColorBalanceMatchTheirTablesOnNoise) {
  const int cx = 37, cy = 9;
  const Pixels px = RandomPixels(cx, cy, 78, true);
  auto check = [&](const Op& op, const BYTE* tr, const BYTE* tg, const BYTE* tb, const char* what) {
    Outcome o = Apply(px, cx, cy, op);
    for (size_t i = 0; i < px.size(); ++i)
      ASSERT_EQ(ApplyTable(px[i], tr ? tr : o.fx.lut, tg ? tg : o.fx.lut, tb ? tb : o.fx.lut), o.px[i])
          << what << " pixel " << i;
  };
  std::vector<int> levels;
  for (int level = -255; level <= 255; level += 5)
    levels.push_back(level);
  levels.insert(levels.end(), {20, 34, -27, 230}); // tables that are no straight line in 16-bit steps
  for (int level : levels)
    check(OpOf(&Fx::Brightness, level), NULL, NULL, NULL, ("brightness " + std::to_string(level)).c_str());
  for (int level = -128; level <= 128; level += 4)
    check(OpOf(&Fx::Contrast, level), NULL, NULL, NULL, ("contrast " + std::to_string(level)).c_str());
  // Colour balance is the brightness table of each channel's level.
  const int balances[][3] = {{40, 0, -40}, {100, 20, -27}, {-255, 255, 0}, {254, -254, 7}};
  for (const auto& l : balances) {
    BYTE t[3][256];
    for (int k = 0; k < 3; ++k)
      std::copy_n(Apply({0}, 1, 1, OpOf(&Fx::Brightness, l[k])).fx.lut, 256, t[k]);
    check(OpOf(&Fx::ColorBalance, l[0], l[1], l[2]), t[0], t[1], t[2], "balance");
  }
}

TEST(GdipColour, EmbossMatchesTheColumnOrderOnNoise) {
  const int cx = 23, cy = 11;
  const Pixels px = RandomPixels(cx, cy, 80, true);
  for (int mode : {1, 2}) {
    for (int depth : {1, 2, 3, 5, 30, -1, -4}) {
      // The definition: columns outer, rows inner, each pixel against its partner as it is then.
      Pixels ref = px;
      for (int x = 0; x < cx; ++x) {
        for (int y = 0; y < cy; ++y) {
          const int qx = std::min(std::max(x + depth, 0), cx - 1),
                    qy = std::min(std::max(y + depth, 0), cy - 1);
          const DWORD p = ref[y * cx + x], q = ref[qy * cx + qx];
          const int db = Blue(p) - Blue(q) + 128, dg = Green(p) - Green(q) + 128, dr = Red(p) - Red(q) + 128;
          const int g = std::min(std::max((db + dg + dr) / 3, 0), 255);
          ref[y * cx + x] =
              mode == 1 ? Argb(Alpha(p), g, g, g) : Argb(Alpha(p), dr & 0xFF, dg & 0xFF, db & 0xFF);
        }
      }
      ASSERT_EQ(ref, Apply(px, cx, cy, OpOf(&Fx::Emboss, depth, mode)).px)
          << "mode " << mode << " depth " << depth;
    }
  }
}

// ---- Convolution ------------------------------------------------------------------------------

namespace {

Pixels Convolved(const Pixels& px, int cx, int cy, const int* k, int n, int divisor, int bias, int bandX = -1,
                 int bandY = -1) {
  return Apply(px, cx, cy, [=](Fx& fx, Bmp& b) { fx.Convolve(b, k, n, divisor, bias, bandX, bandY); }).px;
}

// The in-place n x n convolution written the obvious way, with the picture's edge repeated.
Pixels Reference(Pixels px, int cx, int cy, const int* k, int n, int divisor, int bias, int bandX = -1,
                 int bandY = -1) {
  const int h = n / 2;
  bandX = bandX == -1 ? cx : bandX;
  bandY = bandY == -1 ? cy : bandY;
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      if (bandY <= y && y <= cy - bandY && bandX <= x && x <= cx - bandX)
        continue;
      DWORD out = px[y * cx + x] & 0xFF000000;
      for (int shift = 0; shift <= 16; shift += 8) {
        int sum = 0;
        for (int dy = -h; dy <= n - h - 1; ++dy) {
          for (int dx = -h; dx <= n - h - 1; ++dx) {
            int sy = std::min(std::max(y + dy, 0), cy - 1), sx = std::min(std::max(x + dx, 0), cx - 1);
            sum += k[(dy + h) * n + dx + h] * int((px[sy * cx + sx] >> shift) & 0xFF);
          }
        }
        int c = (divisor != 0 ? sum / divisor : sum) + bias;
        out |= DWORD(std::min(std::max(c, 0), 255)) << shift;
      }
      px[y * cx + x] = out;
    }
  }
  return px;
}

std::vector<int> BoxKernel(int n, int outer, int centre) {
  std::vector<int> k(n * n, outer);
  k[(n / 2) * n + n / 2] = centre;
  return k;
}

} // namespace

TEST(GdipConvolve, DivisorTruncatesTowardZeroThenAddsBias) {
  const Pixels px = {Rgb(1, 199, 200), Rgb(201, 0, 255)};
  // A lone centre weight of -1 halved: 1 -> 0 + 100 (not -1 + 100).
  const int negate[1] = {-1};
  EXPECT_EQ((Pixels{Rgb(100, 1, 0), Rgb(0, 100, 0)}), Convolved(px, 2, 1, negate, 1, 2, 100));
  // The same through a kernel of mixed weights on a flat picture.
  const int mixed[9] = {0, 0, 0, 0, -2, 0, 0, 0, 1}; // the lower right partner is not yet filtered
  EXPECT_EQ(Pixels(12, Rgb(100, 1, 0)), Convolved(Pixels(12, Rgb(1, 199, 200)), 4, 3, mixed, 3, 2, 100));
  // Divisor 0 adds the bias to the plain sum.
  const int one[1] = {1};
  EXPECT_EQ((Pixels{Rgb(11, 209, 210), Rgb(211, 10, 255)}), Convolved(px, 2, 1, one, 1, 0, 10));
}

TEST(GdipConvolve, KernelsMatchThePlainInPlaceLoop) {
  auto check = [](int cx, int cy, const Pixels& px, const std::vector<int>& k, int n, int divisor, int bias,
                  int bandX, int bandY) {
    ASSERT_EQ(Reference(px, cx, cy, k.data(), n, divisor, bias, bandX, bandY),
              Convolved(px, cx, cy, k.data(), n, divisor, bias, bandX, bandY))
        << cx << "x" << cy << " n " << n << " divisor " << divisor << " bias " << bias << " bands " << bandX
        << "," << bandY;
  };
  // The later boxes try every way the 16-bit chain can be set up: bias, no divisor, a centre
  // weight, a shift.
  struct Box {
    int cx, cy, n, outer, centre, divisor, bias, bandX, bandY;
  };
  const Box boxes[] = {{37, 23, 3, 1, 1, 9, 0, -1, -1},     {37, 23, 11, 1, 1, 121, 0, -1, -1},
                       {37, 23, 3, -1, 15, 7, 0, -1, -1},   {64, 48, 5, 1, 1, 25, 0, 10, 10},
                       {64, 48, 7, 1, 1, 49, 0, 10, 4},     {64, 48, 3, -1, 15, 7, 0, 5, 7},
                       {1, 1, 3, 1, 1, 9, 0, -1, -1},       {1, 9, 5, 1, 1, 25, 0, -1, -1},
                       {9, 1, 9, 1, 1, 81, 0, -1, -1},      {2, 3, 11, 1, 1, 121, 0, -1, -1},
                       {17, 13, 3, 2, -3, 5, 20, -1, -1},   {17, 13, 4, 1, 1, 16, 0, -1, -1},
                       {17, 13, 5, 3, 3, 0, -900, -1, -1},  {20, 20, 3, 1, 1, 9, 0, 0, 0},
                       {20, 20, 3, 1, 1, 9, 0, -1, 3},      {40, 30, 3, 1, 1, 9, 20, -1, -1},
                       {40, 30, 3, 1, 1, 0, -500, -1, -1},  {40, 30, 3, -1, 5, 0, 100, -1, -1},
                       {40, 30, 5, 1, 3, 25, 0, -1, -1},    {40, 30, 3, 1, 3, 11, 0, -1, -1},
                       {40, 30, 3, -1, 9, 5, 0, -1, -1},    {40, 30, 3, 1, 101, 121, 0, -1, -1},
                       {40, 30, 7, -1, 60, 11, -3, -1, -1}, {8, 30, 3, 1, 1, 9, 0, -1, -1},
                       {40, 30, 3, 1, 2, 10, 0, -1, -1}};
  unsigned seed = 100;
  for (const Box& c : boxes)
    check(c.cx, c.cy, RandomPixels(c.cx, c.cy, seed++), BoxKernel(c.n, c.outer, c.centre), c.n, c.divisor,
          c.bias, c.bandX, c.bandY);
  struct General {
    std::vector<int> kernel;
    int divisor, bias, bandX, bandY;
  };
  const General generals[] = {
      {{0, 0, 0, 0, 0, 1, 0, 0, 0}, 1, 0, -1, -1},      // the right neighbour: the last column repeats
      {{0, 0, 0, 1, 0, 0, 0, 0, 0}, 1, 0, -1, -1},      // the left neighbour, already filtered
      {{0, 1, 0, 0, 0, 0, 0, 0, 0}, 1, 0, -1, -1},      // the upper neighbour, already filtered
      {{-1, -2, -1, 0, 0, 0, 1, 2, 1}, 1, 128, -1, -1}, // no weight on the left neighbour
      {{-1, -2, -1, 0, 1, 0, 1, 2, 1}, 4, 0, -1, -1},   // negative sums divided toward zero
      {{-1, -2, -1, 0, 1, 0, 1, 2, 1}, 3, -20, -1, -1},
      {{1, 2, 1, 3, -4, 0, -1, -2, -1}, 3, 10, -1, -1}, // the left neighbour filtered first
      {{0, 0, 0, 2, 1, 0, 0, 0, 0}, 0, -100, 5, 4},
      {{1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1}, 9, 0, 6, 6},
      {{1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1}, 0, -300, -1, -1},
      {{1, 1, 1, 1, 1, 1, 2, 0, 1, 1, 1, 3, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 30, 0, -1, -1},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, -7, 200, -1, -1},
      {{200, -300, 200, 1, 1, 1, -100, 0, 100}, 50, 0, -1, -1} // sums beyond 16 bits
  };
  const Pixels px = RandomPixels(29, 19, 7);
  for (const General& c : generals)
    check(29, 19, px, c.kernel, c.kernel.size() == 25 ? 5 : (c.kernel.size() == 16 ? 4 : 3), c.divisor,
          c.bias, c.bandX, c.bandY);
}

TEST(GdipConvolve, BlurIsTheBoxOfItsSizeFromOneToFive) {
  const Pixels px = RandomPixels(40, 30, 4);
  for (int size = -1; size <= 6; ++size) {
    const int n = 2 * size + 1;
    const std::vector<int> k = BoxKernel(std::max(n, 1), 1, 1);
    const Pixels expected = size < 1 || size > 5 ? px : Reference(px, 40, 30, k.data(), n, n * n, 0);
    EXPECT_EQ(expected, Apply(px, 40, 30, OpOf(&Fx::Blur, size, -1, -1)).px) << size;
  }
  // With bands only the frame is blurred.
  const Pixels big = RandomPixels(100, 80, 5);
  const std::vector<int> k = BoxKernel(5, 1, 1);
  EXPECT_EQ(Reference(big, 100, 80, k.data(), 5, 25, 0, 10, 10),
            Apply(big, 100, 80, OpOf(&Fx::Blur, 2, 10, 10)).px);
}

TEST(GdipConvolve, SharpenRepeatsCountTimesAndKeepsFlatPicturesFlat) {
  const Pixels px = RandomPixels(25, 15, 6);
  const int kernel[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
  EXPECT_EQ(px, Apply(px, 25, 15, OpOf(&Fx::Sharpen, 0)).px);
  EXPECT_EQ(Reference(Reference(px, 25, 15, kernel, 3, 7, 0), 25, 15, kernel, 3, 7, 0),
            Apply(px, 25, 15, OpOf(&Fx::Sharpen, 2)).px);
  // Blurred and sharpened, (15 - 8) x c / 7 = c.
  const Pixels flat(600, Rgb(17, 130, 240));
  EXPECT_EQ(flat, Apply(flat, 30, 20, [](Fx& fx, Bmp& b) {
                    fx.Blur(b, 5, -1, -1);
                    fx.Sharpen(b, 1);
                  }).px);
}

TEST(GdipConvolve, SharpenMatchesThePlainInPlaceLoopAtEverySize) {
  // Sizes that take each way inner rows go (alone, in pairs, in fours trailing one another),
  // with even and odd widths; noise with every alpha, some of it reduced to channels of 0 and
  // 255 for the largest and smallest sums; some passes repeated.
  const int kernel[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
  struct Case {
    int cx, cy, count;
    bool extremes;
  };
  const Case cases[] = {{1, 1, 1, false},  {2, 2, 1, false},  {3, 5, 2, false}, {1, 9, 1, true},
                        {9, 6, 1, true},   {12, 5, 1, false}, {13, 4, 1, true}, {26, 6, 1, false},
                        {27, 11, 1, true}, {40, 7, 3, false}, {41, 8, 1, true}, {67, 13, 1, false},
                        {68, 14, 2, true}};
  unsigned seed = 300;
  for (const Case& c : cases) {
    Pixels px = RandomPixels(c.cx, c.cy, seed++, true);
    for (DWORD& v : px)
      v = c.extremes ? (v & 0xFF000000) | ((v & 0x00808080) >> 7) * 255 : v;
    Pixels expected = px;
    for (int i = 0; i < c.count; ++i)
      expected = Reference(expected, c.cx, c.cy, kernel, 3, 7, 0);
    EXPECT_EQ(expected, Apply(px, c.cx, c.cy, OpOf(&Fx::Sharpen, c.count)).px)
        << c.cx << "x" << c.cy << " count " << c.count;
  }
}

// ---- Multiply blend ---------------------------------------------------------------------------

TEST(GdipBlend, MultiplyBlendScalesTheShadeByTheTarget) {
  BitmapPtr target = FromPixels(20, 20, Pixels(400, Rgb(128, 255, 0))),
            shade = FromPixels(4, 3, Pixels(12, Argb(77, 200, 100, 255)));
  Fx fx = EffectsFor(target.get());
  EXPECT_TRUE(fx.MultiplyBlend(target.get(), shade.get(), 6, 7, 10, 10));
  // 200 x 128 / 255 = 100.39, 100 x 255 / 255, 255 x 0 / 255; the shade's alpha stays.
  EXPECT_EQ(Pixels(12, Argb(77, 100, 100, 0)), ReadPixels(shade.get()));
  EXPECT_EQ(Dims(4, 3), DimsOf(fx));
  EXPECT_EQ(Pixels(400, Rgb(128, 255, 0)), ReadPixels(target.get()));

  // Outside the target nothing changes.
  const Pixels spx = RandomPixels(4, 4, 10);
  shade = FromPixels(4, 4, spx);
  fx = EffectsFor(target.get());
  EXPECT_TRUE(fx.MultiplyBlend(target.get(), shade.get(), 30, 30, 34, 34));
  EXPECT_EQ(spx, ReadPixels(shade.get()));
  EXPECT_EQ(Dims(0, 0), DimsOf(fx));
}

TEST(GdipBlend, MultiplyBlendFromNegativeCornerSkipsShadeRowsAndColumns) {
  const int w = 10, h = 10;
  Pixels tpx(20 * 20), spx = RandomPixels(w, h, 9, true);
  for (int i = 0; i < 400; ++i)
    tpx[i] = Rgb((i * 7) & 0xFF, (i * 13) & 0xFF, (i * 3) & 0xFF);
  BitmapPtr target = FromPixels(20, 20, tpx), shade = FromPixels(w, h, spx);
  Fx fx = EffectsFor(target.get());
  fx.MultiplyBlend(target.get(), shade.get(), -5, -5, 5, 5);
  const Pixels out = ReadPixels(shade.get());
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      DWORD s = spx[j * w + i], expected = s;
      if (i >= 5 && j >= 5) { // shade (5, 5) lies on target (0, 0)
        DWORD t = tpx[(j - 5) * 20 + (i - 5)];
        expected = Argb(Alpha(s), Red(s) * Red(t) / 255, Green(s) * Green(t) / 255, Blue(s) * Blue(t) / 255);
      }
      ASSERT_EQ(expected, out[j * w + i]) << i << "," << j;
    }
  }
  EXPECT_EQ(Dims(5, 5), DimsOf(fx));
}

// ---- Edge effects -----------------------------------------------------------------------------

TEST(GdipEdges, FadeStepsTowardTheBackColour) {
  // Left: step 255 / 50 = 5.1, column x moves (50 - x) steps.
  const Pixels left =
      Apply(Pixels(2000, Gray(0)), 100, 20, OpOf(&Fx::FadeEdge, 50, 1, RGB(255, 255, 255))).px;
  for (int y = 0; y < 20; ++y) {
    ASSERT_EQ(Gray(255), left[y * 100 + 0]);
    ASSERT_EQ(Gray(127), left[y * 100 + 25]);
    ASSERT_EQ(Gray(5), left[y * 100 + 49]);
    ASSERT_EQ(Pixels(50, Gray(0)), Pixels(left.begin() + y * 100 + 50, left.begin() + y * 100 + 100));
  }
  // Right and bottom stop one step short; the bottom's step is 20.
  const Pixels right = Apply(Pixels(2000, Gray(0)), 100, 20, OpOf(&Fx::FadeEdge, 50, 4, RGB(255, 0, 0))).px;
  EXPECT_EQ(Gray(0), right[3 * 100 + 50]);
  EXPECT_EQ(Rgb(5, 0, 0), right[3 * 100 + 51]);
  EXPECT_EQ(Rgb(249, 0, 0), right[3 * 100 + 99]);
  EXPECT_EQ(Gray(0), right[3 * 100 + 49]);
  const Pixels bottom = Apply(Pixels(200, Gray(0)), 10, 20, OpOf(&Fx::FadeEdge, 50, 8, RGB(0, 0, 200))).px;
  EXPECT_EQ(Gray(0), bottom[10 * 10 + 4]);
  EXPECT_EQ(Rgb(0, 0, 180), bottom[19 * 10 + 4]);
  EXPECT_EQ(Gray(0), bottom[9 * 10 + 4]);
  // Corners are faded for both sides: left gives 5 at column 49, the top's step at row 9 is then
  // (255 - 5) / 10 = 25.
  const Pixels corner =
      Apply(Pixels(2000, Gray(0)), 100, 20, OpOf(&Fx::FadeEdge, 50, 1 | 2, RGB(255, 255, 255))).px;
  EXPECT_EQ(Gray(30), corner[9 * 100 + 49]);
  EXPECT_EQ(Gray(255), corner[0 * 100 + 49]);
  EXPECT_EQ(Gray(25), corner[9 * 100 + 60]);
  EXPECT_EQ(Gray(5), corner[10 * 100 + 49]);
}

TEST(GdipEdges, FadeMatchesTheSinglePrecisionStepsOnNoise) {
  const int cx = 41, cy = 27;
  const Pixels px = RandomPixels(cx, cy, 81, true);
  const COLORREF back = RGB(250, 30, 128);
  for (int size : {0, 10, 33, 50, 120}) {
    for (int sides : {1, 2, 4, 8, 15, 5}) {
      const int bx = cx * size / 100, by = cy * size / 100;
      Pixels ref = px;
      auto fade = [&](int x, int y, int band, int d) {
        DWORD v = ref[y * cx + x];
        int c[3] = {Blue(v), Green(v), Red(v)};
        const int target[3] = {GetBValue(back), GetGValue(back), GetRValue(back)};
        for (int k = 0; k < 3; ++k) {
          float q = static_cast<float>(target[k] - c[k]) / static_cast<float>(band);
          c[k] = std::min(std::max(c[k] + static_cast<int>(q * static_cast<float>(d)), 0), 255);
        }
        ref[y * cx + x] = Argb(Alpha(v), c[2], c[1], c[0]);
      };
      for (int y = 0; y < cy && (sides & 4) && bx > 0; ++y)
        for (int x = std::max(cx - bx, 0); x < cx; ++x)
          fade(x, y, bx, x - (cx - bx));
      for (int y = 0; y < cy && (sides & 1) && bx > 0; ++y)
        for (int x = 0; x < std::min(bx, cx); ++x)
          fade(x, y, bx, bx - x);
      for (int y = std::max(cy - by, 0); y < cy && (sides & 8) && by > 0; ++y)
        for (int x = 0; x < cx; ++x)
          fade(x, y, by, y - (cy - by));
      for (int y = 0; y < std::min(by, cy) && (sides & 2) && by > 0; ++y)
        for (int x = 0; x < cx; ++x)
          fade(x, y, by, by - y);
      ASSERT_EQ(ref, Apply(px, cx, cy, OpOf(&Fx::FadeEdge, size, sides, back)).px)
          << "size " << size << " sides " << sides;
    }
  }
}

TEST(GdipEdges, BevelLightensTopLeftAndDarkensBottomRight) {
  const Pixels out = Apply(Pixels(10000, Gray(128)), 100, 100, OpOf(&Fx::BevelEdge, 10, 0, 0)).px;
  // Band 10, factor 12.8: + 5 x 12.8 at (50, 5), - 6 x 12.8 at (95, 50). On the corner diagonals
  // the top-left, top and bottom bands win: depth 3 (+89) on the top-left diagonal and beside it,
  // depth 2 (+102) left of it; the top band reaches the top-right diagonal and the right band
  // (-102 at depth 2) is past it; the bottom band owns the bottom-left diagonal.
  const int points[][3] = {{50, 0, 255}, {50, 5, 192},  {0, 50, 255},  {50, 99, 0},   {99, 50, 0},
                           {95, 50, 52}, {50, 50, 128}, {10, 50, 128}, {89, 50, 128}, {50, 9, 140},
                           {3, 3, 217},  {3, 4, 217},   {2, 3, 230},   {96, 3, 217},  {97, 3, 26},
                           {3, 96, 39},  {2, 96, 230}};
  for (const auto& p : points)
    EXPECT_EQ(Gray(p[2]), out[p[1] * 100 + p[0]]) << p[0] << "," << p[1];
}

TEST(GdipEdges, BevelWithoutABandChangesNothing) {
  const Pixels px = RandomPixels(40, 30, 14);
  for (int size : {0, 2}) { // 30 x 2 / 100 = 0
    unsigned faults = 1;
    EXPECT_EQ(px, Apply(px, 40, 30, Watched(OpOf(&Fx::BevelEdge, size, 0, 0), faults)).px) << size;
    EXPECT_EQ(0u, faults) << "no step to divide";
  }
  EXPECT_EQ(Rgb(1, 2, 3), Through(Rgb(1, 2, 3), OpOf(&Fx::BevelEdge, 50, 0, 0)));
}

// ---- Alpha --------------------------------------------------------------------------------------

// The colour filters, tone curves, emboss, fade, multiply blend and perspective are compared with
// their definitions on pictures of every alpha value elsewhere; these are the rest.
TEST(GdipAlpha, NoPixelOperationChangesAlpha) {
  const Pixels px = RandomPixels(41, 29, 21, true);
  auto alphaPlane = [](const Pixels& p) {
    std::vector<int> a(p.size());
    std::transform(p.begin(), p.end(), a.begin(), Alpha);
    return a;
  };
  const int edges[9] = {-1, -2, -1, 0, 0, 0, 1, 2, 1};
  const std::pair<const char*, Op> ops[] = {
      {"invert", OpOf(&Fx::InvertColor, 7)},
      {"solarize", OpOf(&Fx::Solarize, 0)},
      {"blur", OpOf(&Fx::Blur, 3, -1, -1)},
      {"sharpen", OpOf(&Fx::Sharpen, 1)},
      {"convolve", OpOf(&Fx::Convolve, edges, 3, 1, 128, -1, -1)},
      {"bevel", OpOf(&Fx::BevelEdge, 30, 0, 0)},
  };
  for (const auto& op : ops)
    EXPECT_EQ(alphaPlane(px), alphaPlane(Apply(px, 41, 29, op.second).px)) << op.first;
}

TEST(GdipAlpha, OperationsReportAFailedLockInTheWrapper) {
  BitmapPtr bmp = FromPixels(10, 10, Pixels(100, Gray(0)));
  bmp->GetLastStatus();
  Fx fx;
  fx.SetSize(20, 20); // larger than the bitmap
  fx.InvertColor(bmp.get(), 7);
  EXPECT_NE(Gdiplus::Ok, bmp->GetLastStatus());
  fx.SetSize(10, 10);
  fx.InvertColor(bmp.get(), 7);
  EXPECT_EQ(Gdiplus::Ok, bmp->GetLastStatus());
  EXPECT_EQ(Gray(255), ReadPixels(bmp.get())[3 * 10 + 3]);
}
