// Colour filters, convolution, multiply blend and the fade and bevel edges of CGdipEffects.
#include "tests/unit/imaging/test_imaging_util.h"

#include <cmath>

using namespace gdiptest;

namespace {

// The operation, recording the floating-point faults it raised.
Op Watched(const Op& op, unsigned& faults) {
  return [op, &faults](Fx& fx, Bmp& b) { faults = FloatFaultsDuring([&] { op(fx, b); }); };
}

DWORD Through(DWORD v, const Op& op) { return Apply({v}, 1, 1, op).px[0]; }

// The pixels with one tone table per channel applied.
Pixels Mapped(const Pixels& px, const BYTE* tr, const BYTE* tg, const BYTE* tb) {
  Pixels out(px.size());
  std::transform(px.begin(), px.end(), out.begin(),
                 [&](DWORD v) { return Argb(Alpha(v), tr[Red(v)], tg[Green(v)], tb[Blue(v)]); });
  return out;
}

} // namespace

// ---- Colour operations ------------------------------------------------------------------------

TEST(GdipColour, TonesOfOnePixel) {
  // Brightness multiplies by 255 / (255 - level) upward and by (255 + level) / 255 downward;
  // contrast below 0 is i / 2 + 64. Brightness 255 and contrast 128 have no factor (the formula
  // divides by zero): the steepest curve keeps black and saturates the rest, and no infinity or
  // NaN is computed on the way. Colour balance has one table per channel.
  const std::tuple<Op, DWORD, DWORD> cases[] = {
      {OpOf(&Fx::Brightness, 100), Rgb(100, 0, 200), Rgb(164, 0, 255)},
      {OpOf(&Fx::Brightness, -128), Rgb(255, 100, 0), Rgb(127, 49, 0)},
      {OpOf(&Fx::Brightness, -255), Gray(255), Gray(0)},
      {OpOf(&Fx::Brightness, 255), Rgb(0, 1, 255), Rgb(0, 255, 255)},
      {OpOf(&Fx::Contrast, 64), Rgb(32, 96, 200), Rgb(0, 128, 255)},
      {OpOf(&Fx::Contrast, -64), Rgb(0, 255, 0), Rgb(64, 191, 64)},
      {OpOf(&Fx::Contrast, 128), Rgb(0, 1, 255), Rgb(0, 255, 255)},
      {OpOf(&Fx::ColorBalance, -255, 0, -255), Rgb(200, 7, 90), Rgb(0, 7, 0)},
      {OpOf(&Fx::ColorBalance, 255, 255, 255), Rgb(1, 0, 0), Rgb(255, 0, 0)},
      {OpOf(&Fx::ColorBalance, 300, -300, 400), Gray(100), Rgb(0, 0, 0)}}; // beyond the pages' range
  for (const auto& c : cases) {
    const auto& [op, in, out] = c;
    unsigned faults = 1;
    EXPECT_EQ(out, Through(in, Watched(op, faults))) << "case " << &c - cases;
    EXPECT_EQ(0u, faults);
  }
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
    EXPECT_EQ(Mapped(px, o.fx.lut, o.fx.lut, o.fx.lut), o.px) << cy;
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

TEST(GdipColour, PixelOperationsMatchTheirDefinitionsOnEveryKindOfPixel) {
  const int cx = 61, cy = 50;
  const Pixels px = LevelTestPixels(cx, cy);
  std::vector<std::pair<Op, std::function<DWORD(DWORD)>>> cases;
  // Grayscale: gray pixels keep their level, others take the weighted sum, truncated; the tinge
  // is added to the masked channels (1 red, 2 green, 4 blue), clamped.
  for (int tinge : {0, 25, -40, 300})
    for (int mask : {0, 1, 6, 7})
      cases.push_back(
          {OpOf(&Fx::Grayscale, tinge, (BYTE)mask), [=](DWORD v) {
             const int level = Blue(v) == Green(v) && Green(v) == Red(v)
                                   ? Blue(v)
                                   : std::min(int(Blue(v) * 0.11 + Green(v) * 0.59 + Red(v) * 0.3), 255);
             auto c = [&](int bit) { return mask & bit ? std::clamp(level + tinge, 0, 255) : level; };
             return Argb(Alpha(v), c(1), c(2), c(4));
           }});
  // Black and white sums the channels in another order; a level equal to the threshold is black.
  for (int threshold = -3; threshold <= 258; threshold += threshold < 250 ? 11 : 1)
    cases.push_back({OpOf(&Fx::BlackWhite, threshold), [=](DWORD v) {
                       const int level = std::min(int(Blue(v) * 0.11 + Red(v) * 0.3 + Green(v) * 0.59), 255);
                       return level > threshold ? v | 0xFFFFFF : v & 0xFF000000;
                     }});
  // Inverting flips the masked channels; solarizing flips those above the threshold.
  for (int mask = 0; mask < 8; ++mask)
    cases.push_back({OpOf(&Fx::InvertColor, (BYTE)mask), [=](DWORD v) {
                       return v ^ (mask & 1 ? 0xFF0000 : 0) ^ (mask & 2 ? 0xFF00 : 0) ^ (mask & 4 ? 0xFF : 0);
                     }});
  for (int threshold : {-5, 0, 100, 254, 255, 1000})
    cases.push_back({OpOf(&Fx::Solarize, threshold), [=](DWORD v) {
                       return Channels(v, 0, [=](int c, int) { return c > threshold ? 255 - c : c; });
                     }});
  for (const auto& c : cases) {
    Pixels expected(px.size());
    std::transform(px.begin(), px.end(), expected.begin(), c.second);
    ASSERT_EQ(expected, Apply(px, cx, cy, c.first).px) << "case " << &c - cases.data();
  }
}

TEST(GdipColour, ToneCurvesAndColorBalanceMatchTheirTablesOnNoise) {
  const int cx = 37, cy = 9;
  const Pixels px = RandomPixels(cx, cy, 78, true);
  EXPECT_EQ(px, Apply(px, cx, cy, OpOf(&Fx::Brightness, 0)).px);
  EXPECT_EQ(px, Apply(px, cx, cy, OpOf(&Fx::Contrast, 0)).px);
  std::vector<Op> curves;
  for (int level = -255; level <= 255; level += 5)
    curves.push_back(OpOf(&Fx::Brightness, level));
  for (int level : {20, 34, -27, 230}) // tables that are no straight line in 16-bit steps
    curves.push_back(OpOf(&Fx::Brightness, level));
  for (int level = -128; level <= 128; level += 4)
    curves.push_back(OpOf(&Fx::Contrast, level));
  for (const Op& op : curves) {
    Outcome o = Apply(px, cx, cy, op);
    ASSERT_EQ(Mapped(px, o.fx.lut, o.fx.lut, o.fx.lut), o.px) << "curve " << &op - curves.data();
  }
  // Colour balance is the brightness table of each channel's level.
  const int balances[][3] = {{40, 0, -40}, {100, 20, -27}, {-255, 255, 0}, {254, -254, 7}};
  for (const auto& l : balances) {
    BYTE t[3][256];
    for (int k = 0; k < 3; ++k)
      std::copy_n(Apply({0}, 1, 1, OpOf(&Fx::Brightness, l[k])).fx.lut, 256, t[k]);
    EXPECT_EQ(Mapped(px, t[0], t[1], t[2]), Apply(px, cx, cy, OpOf(&Fx::ColorBalance, l[0], l[1], l[2])).px);
  }
}

TEST(GdipColour, EmbossMatchesTheColumnOrderOnNoise) {
  const int cx = 23, cy = 11;
  const Pixels px = RandomPixels(cx, cy, 80, true);
  for (int mode : {0, 1, 2}) {
    for (int depth : {0, 1, 2, 3, 5, 30, -1, -4}) {
      // The definition: columns outer, rows inner, each pixel against its partner as it is then;
      // mode 1 makes the third of the summed differences gray, the others keep each channel's
      // difference to its low eight bits. Depth 0 does nothing.
      Pixels ref = px;
      for (int x = 0; x < cx && depth != 0; ++x) {
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

const int kSharpen[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};

} // namespace

TEST(GdipConvolve, KernelsMatchThePlainInPlaceLoop) {
  struct Case {
    int cx, cy;
    std::vector<int> kernel;
    int divisor, bias, bandX, bandY;
  };
  std::vector<Case> cases;
  // Boxes try every way the 16-bit chain can be set up: bias, no divisor, a centre weight, a shift.
  const int boxes[][9] = {{37, 23, 3, 1, 1, 9, 0, -1, -1},     {37, 23, 11, 1, 1, 121, 0, -1, -1},
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
  for (const auto& b : boxes)
    cases.push_back({b[0], b[1], BoxKernel(b[2], b[3], b[4]), b[5], b[6], b[7], b[8]});
  // Sums are divided toward zero before the bias is added; divisor 0 adds it to the plain sum.
  const Case generals[] = {
      {2, 1, {-1}, 2, 100, -1, -1},
      {2, 1, {1}, 0, 10, -1, -1},
      {29, 19, {0, 0, 0, 0, 0, 1, 0, 0, 0}, 1, 0, -1, -1}, // the right neighbour: the last column repeats
      {29, 19, {0, 0, 0, 1, 0, 0, 0, 0, 0}, 1, 0, -1, -1}, // the left neighbour, already filtered
      {29, 19, {0, 1, 0, 0, 0, 0, 0, 0, 0}, 1, 0, -1, -1}, // the upper neighbour, already filtered
      {29, 19, {-1, -2, -1, 0, 0, 0, 1, 2, 1}, 1, 128, -1, -1}, // no weight on the left neighbour
      {29, 19, {-1, -2, -1, 0, 1, 0, 1, 2, 1}, 4, 0, -1, -1},   // negative sums divided toward zero
      {29, 19, {-1, -2, -1, 0, 1, 0, 1, 2, 1}, 3, -20, -1, -1},
      {29, 19, {1, 2, 1, 3, -4, 0, -1, -2, -1}, 3, 10, -1, -1}, // the left neighbour filtered first
      {29, 19, {0, 0, 0, 2, 1, 0, 0, 0, 0}, 0, -100, 5, 4},
      {29, 19, {1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1}, 9, 0, 6, 6},
      {29, 19, {1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1}, 0, -300, -1, -1},
      {29, 19, {1, 1, 1, 1, 1, 1, 2, 0, 1, 1, 1, 3, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 30, 0, -1, -1},
      {29, 19, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, -7, 200, -1, -1},
      {29, 19, {200, -300, 200, 1, 1, 1, -100, 0, 100}, 50, 0, -1, -1} // sums beyond 16 bits
  };
  cases.insert(cases.end(), std::begin(generals), std::end(generals));
  unsigned seed = 100;
  for (const Case& c : cases) {
    const Pixels px = RandomPixels(c.cx, c.cy, seed++, true);
    const int n = static_cast<int>(std::lround(std::sqrt(c.kernel.size())));
    ASSERT_EQ(
        Reference(px, c.cx, c.cy, c.kernel.data(), n, c.divisor, c.bias, c.bandX, c.bandY),
        Apply(px, c.cx, c.cy, OpOf(&Fx::Convolve, c.kernel.data(), n, c.divisor, c.bias, c.bandX, c.bandY))
            .px)
        << "case " << &c - cases.data();
  }
}

TEST(GdipConvolve, BlurIsTheBoxOfItsSizeFromOneToFive) {
  const Pixels px = RandomPixels(40, 30, 4, true);
  for (int size = -1; size <= 6; ++size) {
    const int n = 2 * size + 1;
    const std::vector<int> k = BoxKernel(std::max(n, 1), 1, 1);
    const Pixels expected = size < 1 || size > 5 ? px : Reference(px, 40, 30, k.data(), n, n * n, 0);
    EXPECT_EQ(expected, Apply(px, 40, 30, OpOf(&Fx::Blur, size, -1, -1)).px) << size;
  }
  // With bands only the frame is blurred.
  const Pixels big = RandomPixels(100, 80, 5, true);
  const std::vector<int> k = BoxKernel(5, 1, 1);
  EXPECT_EQ(Reference(big, 100, 80, k.data(), 5, 25, 0, 10, 10),
            Apply(big, 100, 80, OpOf(&Fx::Blur, 2, 10, 10)).px);
}

TEST(GdipConvolve, SharpenIsThePlainLoopRepeatedAtEverySize) {
  // Sizes that take each way inner rows go (alone, in pairs, in fours trailing one another),
  // with even and odd widths; noise with every alpha, some of it reduced to channels of 0 and
  // 255 for the largest and smallest sums; some passes repeated, none at all.
  const int cases[][4] = {{1, 1, 1, 0},  {2, 2, 1, 0},   {3, 5, 2, 0},   {1, 9, 1, 1},   {9, 6, 1, 1},
                          {12, 5, 1, 0}, {13, 4, 1, 1},  {26, 6, 1, 0},  {27, 11, 1, 1}, {40, 7, 3, 0},
                          {41, 8, 1, 1}, {67, 13, 1, 0}, {68, 14, 2, 1}, {25, 15, 0, 0}};
  unsigned seed = 300;
  for (const auto& [cx, cy, count, extremes] : cases) {
    Pixels px = RandomPixels(cx, cy, seed++, true);
    for (DWORD& v : px)
      v = extremes ? (v & 0xFF000000) | ((v & 0x00808080) >> 7) * 255 : v;
    Pixels expected = px;
    for (int i = 0; i < count; ++i)
      expected = Reference(expected, cx, cy, kSharpen, 3, 7, 0);
    EXPECT_EQ(expected, Apply(px, cx, cy, OpOf(&Fx::Sharpen, count)).px)
        << cx << "x" << cy << " count " << count;
  }
}

// ---- Multiply blend ---------------------------------------------------------------------------

TEST(GdipBlend, MultiplyBlendScalesTheShadeWhereItLiesOnTheTarget) {
  Pixels tpx(20 * 20);
  for (int i = 0; i < 400; ++i)
    tpx[i] = Rgb((i * 7) & 0xFF, (i * 13) & 0xFF, (i * 3) & 0xFF);
  // {left, top, shade width, height, the overlap's width, height}
  const int placements[][6] = {{6, 7, 4, 3, 4, 3},
                               {-5, -5, 10, 10, 5, 5},
                               {17, 18, 5, 5, 3, 2},
                               {30, 30, 4, 4, 0, 0},
                               {-9, 2, 8, 3, 0, 0}};
  for (const auto& p : placements) {
    const int l = p[0], t = p[1], w = p[2], h = p[3];
    const Pixels spx = RandomPixels(w, h, 9 + l, true);
    BitmapPtr target = FromPixels(20, 20, tpx), shade = FromPixels(w, h, spx);
    Fx fx = EffectsFor(target.get());
    EXPECT_TRUE(fx.MultiplyBlend(target.get(), shade.get(), l, t, l + w, t + h));
    // Each colour channel becomes s x t / 255, truncated; the shade's alpha stays.
    Pixels expected = spx;
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i)
        if (l + i >= 0 && l + i < 20 && t + j >= 0 && t + j < 20) {
          expected[j * w + i] =
              Channels(spx[j * w + i], tpx[(t + j) * 20 + l + i], [](int s, int d) { return s * d / 255; });
        }
    EXPECT_EQ(expected, ReadPixels(shade.get())) << l << "," << t;
    EXPECT_EQ(Dims(p[4], p[5]), DimsOf(fx)) << l << "," << t;
    EXPECT_EQ(tpx, ReadPixels(target.get()));
  }
}

// ---- Edge effects -----------------------------------------------------------------------------

TEST(GdipEdges, FadeMatchesTheSinglePrecisionStepsOnNoise) {
  // Each side's band moves its pixels toward the back colour by a float step per column or row;
  // the right and bottom stop one step short, and corners are faded for both sides.
  const int cx = 41, cy = 27;
  const Pixels px = RandomPixels(cx, cy, 81, true);
  const DWORD back = Rgb(250, 30, 128);
  for (int size : {0, 10, 33, 50, 120}) {
    for (int sides : {1, 2, 4, 8, 15, 5}) {
      const int bx = cx * size / 100, by = cy * size / 100;
      Pixels ref = px;
      auto fade = [&](int x, int y, int band, int d) {
        ref[y * cx + x] = Channels(ref[y * cx + x], back, [&](int c, int t) {
          return std::clamp(c + static_cast<int>(static_cast<float>(t - c) / band * static_cast<float>(d)), 0,
                            255);
        });
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
      ASSERT_EQ(ref, Apply(px, cx, cy, OpOf(&Fx::FadeEdge, size, sides, RGB(250, 30, 128))).px)
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

TEST(GdipEdges, BevelWithoutABandChangesNothingAndWithOneKeepsAlpha) {
  const Pixels px = RandomPixels(40, 30, 14, true);
  for (int size : {0, 2}) { // 30 x 2 / 100 = 0
    unsigned faults = 1;
    EXPECT_EQ(px, Apply(px, 40, 30, Watched(OpOf(&Fx::BevelEdge, size, 0, 0), faults)).px) << size;
    EXPECT_EQ(0u, faults) << "no step to divide";
  }
  EXPECT_EQ(Rgb(1, 2, 3), Through(Rgb(1, 2, 3), OpOf(&Fx::BevelEdge, 50, 0, 0)));
  const Pixels out = Apply(px, 40, 30, OpOf(&Fx::BevelEdge, 30, 0, 0)).px;
  for (size_t i = 0; i < px.size(); ++i)
    ASSERT_EQ(Alpha(px[i]), Alpha(out[i])) << i;
}

TEST(GdipAlpha, OperationsReportAFailedLockInTheWrapper) {
  BitmapPtr bmp = FromPixels(10, 10, Pixels(100, Gray(0)));
  Fx fx;
  fx.SetSize(20, 20); // larger than the bitmap
  fx.InvertColor(bmp.get(), 7);
  EXPECT_NE(Gdiplus::Ok, bmp->GetLastStatus());
  fx.SetSize(10, 10);
  fx.InvertColor(bmp.get(), 7);
  EXPECT_EQ(Gdiplus::Ok, bmp->GetLastStatus());
  EXPECT_EQ(Gray(255), ReadPixels(bmp.get())[3 * 10 + 3]);
}
