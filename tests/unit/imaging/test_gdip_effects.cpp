// Colour filters, convolution, multiply blend and the fade and bevel edges of CGdipEffects.
#include "tests/unit/imaging/test_gdip_util.h"

#include <cstdio>
#include <functional>
#include <utility>

using namespace gdiptest;

namespace {

// One pixel through an operation.
DWORD Through(DWORD v, const std::function<void(CGdipEffects&, Gdiplus::Bitmap*)>& op) {
  BitmapPtr bmp = MakeBitmap(1, 1, v);
  CGdipEffects fx = EffectsFor(bmp.get());
  op(fx, bmp.get());
  return PixelAt(bmp.get(), 0, 0);
}

} // namespace

// ---- Colour operations ------------------------------------------------------------------------

TEST(GdipColour, GrayscaleKeepsGrayPixelsAndWeighsColours) {
  auto gray = [](DWORD v, int tinge, BYTE mask) {
    return Through(v, [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Grayscale(b, tinge, mask); });
  };
  EXPECT_EQ(Argb(255, 77, 77, 77), gray(Argb(255, 77, 77, 77), 0, 7));
  // 50 x 0.11 + 100 x 0.59 + 200 x 0.3 = 124.5, truncated.
  EXPECT_EQ(Argb(255, 124, 124, 124), gray(Argb(255, 200, 100, 50), 0, 0));
  EXPECT_EQ(Argb(255, 254, 254, 254), gray(Argb(255, 255, 255, 254), 0, 0));
}

TEST(GdipColour, GrayscaleTingeAddsToMaskedChannelsAndClamps) {
  auto gray = [](DWORD v, int tinge, BYTE mask) {
    return Through(v, [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Grayscale(b, tinge, mask); });
  };
  EXPECT_EQ(Argb(255, 40, 0, 0), gray(Argb(255, 0, 0, 0), 40, 1));
  EXPECT_EQ(Argb(255, 0, 40, 0), gray(Argb(255, 0, 0, 0), 40, 2));
  EXPECT_EQ(Argb(255, 0, 0, 40), gray(Argb(255, 0, 0, 0), 40, 4));
  EXPECT_EQ(Argb(255, 255, 255, 255), gray(Argb(255, 250, 250, 250), 40, 7));
  EXPECT_EQ(Argb(255, 30, 30, 0), gray(Argb(255, 30, 30, 30), -50, 4));
  // The tinge follows the gray step of a coloured pixel.
  EXPECT_EQ(Argb(255, 134, 124, 124), gray(Argb(255, 200, 100, 50), 10, 1));
}

TEST(GdipColour, BlackWhiteThresholdEqualGivesBlack) {
  auto bw = [](DWORD v, int threshold) {
    return Through(v, [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.BlackWhite(b, threshold); });
  };
  // Red 10 weighs exactly 3.
  EXPECT_EQ(Argb(255, 0, 0, 0), bw(Argb(255, 10, 0, 0), 3));
  EXPECT_EQ(Argb(255, 255, 255, 255), bw(Argb(255, 10, 0, 0), 2));
  EXPECT_EQ(Argb(255, 0, 0, 0), bw(Argb(255, 0, 0, 0), 0));
  EXPECT_EQ(Argb(255, 255, 255, 255), bw(Argb(255, 255, 255, 255), 254));
  EXPECT_EQ(Argb(255, 0, 0, 0), bw(Argb(255, 255, 255, 255), 255));
}

TEST(GdipColour, InvertFlipsMaskedChannelsOnly) {
  auto inv = [](DWORD v, BYTE mask) {
    return Through(v, [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.InvertColor(b, mask); });
  };
  EXPECT_EQ(Argb(255, 245, 20, 30), inv(Argb(255, 10, 20, 30), 1));
  EXPECT_EQ(Argb(255, 10, 235, 30), inv(Argb(255, 10, 20, 30), 2));
  EXPECT_EQ(Argb(255, 10, 20, 225), inv(Argb(255, 10, 20, 30), 4));
  EXPECT_EQ(Argb(255, 245, 235, 225), inv(Argb(255, 10, 20, 30), 7));
  EXPECT_EQ(Argb(255, 10, 20, 30), inv(Argb(255, 10, 20, 30), 0));
}

TEST(GdipColour, SolarizeInvertsChannelsAboveThreshold) {
  // Seven pixels wide so that both the four-pixel steps and the rest are walked.
  Pixels px = {Argb(255, 0, 1, 200),   Argb(255, 100, 101, 255), Argb(255, 99, 100, 101),
               Argb(255, 0, 0, 0),     Argb(255, 255, 128, 127), Argb(255, 7, 100, 250),
               Argb(255, 101, 100, 99)};
  auto solarize = [&](int threshold) {
    BitmapPtr bmp = FromPixels(7, 1, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    fx.Solarize(bmp.get(), threshold);
    return ReadPixels(bmp.get());
  };
  EXPECT_EQ(px, solarize(255));
  EXPECT_EQ(px, solarize(1000));
  Pixels zero = solarize(0);
  EXPECT_EQ(Argb(255, 0, 254, 55), zero[0]);
  EXPECT_EQ(Argb(255, 0, 0, 0), zero[3]);
  Pixels hundred = solarize(100);
  EXPECT_EQ(Argb(255, 100, 154, 0), hundred[1]);
  EXPECT_EQ(Argb(255, 99, 100, 154), hundred[2]);
  EXPECT_EQ(Argb(255, 154, 100, 99), hundred[6]);
  Pixels all = solarize(-5);
  EXPECT_EQ(Argb(255, 255, 255, 255), all[3]);
}

TEST(GdipColour, EmbossOfFlatPictureIsMidGray) {
  BitmapPtr bmp = MakeBitmap(9, 7, Argb(255, 40, 90, 200));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Emboss(bmp.get(), 2, 1);
  for (DWORD v : ReadPixels(bmp.get()))
    ASSERT_EQ(Argb(255, 128, 128, 128), v);
}

TEST(GdipColour, EmbossComparesWithUnchangedPartner) {
  Pixels px = {Argb(255, 10, 10, 10), Argb(255, 40, 40, 40), Argb(255, 100, 100, 100)};
  BitmapPtr gray = FromPixels(3, 1, px);
  CGdipEffects fx = EffectsFor(gray.get());
  fx.Emboss(gray.get(), 1, 1);
  // (30 - 120 + 384) / 3 = 98; (120 - 300 + 384) / 3 = 68; the last pixel is its own partner.
  EXPECT_EQ((Pixels{Argb(255, 98, 98, 98), Argb(255, 68, 68, 68), Argb(255, 128, 128, 128)}),
            ReadPixels(gray.get()));

  // Other modes keep each channel difference to its low eight bits.
  BitmapPtr wrap = FromPixels(2, 1, {Argb(255, 0, 255, 10), Argb(255, 200, 0, 40)});
  fx = EffectsFor(wrap.get());
  fx.Emboss(wrap.get(), 1, 0);
  EXPECT_EQ(Argb(255, 184, 127, 98), PixelAt(wrap.get(), 0, 0));
  EXPECT_EQ(Argb(255, 128, 128, 128), PixelAt(wrap.get(), 1, 0));
}

TEST(GdipColour, EmbossReachesTheDiagonalPartnerAndStopsAtTheEdges) {
  // Depth 2 on 4 x 4: pixel (0, 0) pairs with (2, 2), pixel (3, 1) with (3, 3).
  Pixels px(16, Argb(255, 50, 50, 50));
  px[2 * 4 + 2] = Argb(255, 80, 80, 80);
  px[3 * 4 + 3] = Argb(255, 20, 20, 20);
  BitmapPtr bmp = FromPixels(4, 4, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Emboss(bmp.get(), 2, 1);
  Pixels out = ReadPixels(bmp.get());
  EXPECT_EQ(Argb(255, 98, 98, 98), out[0]);            // 50 - 80 + 128
  EXPECT_EQ(Argb(255, 158, 158, 158), out[1 * 4 + 3]); // 50 - 20 + 128
  EXPECT_EQ(Argb(255, 128, 128, 128), out[3 * 4 + 3]);
  fx.Emboss(bmp.get(), 0, 1);
  EXPECT_EQ(out, ReadPixels(bmp.get()));
}

TEST(GdipColour, EmbossWithNegativeDepthStaysInsideThePicture) {
  BitmapPtr bmp = MakeBitmap(1, 1, Argb(255, 9, 99, 199));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Emboss(bmp.get(), -3, 1);
  EXPECT_EQ(Argb(255, 128, 128, 128), PixelAt(bmp.get(), 0, 0));
}

TEST(GdipColour, BrightnessTable) {
  CGdipEffects fx;
  BitmapPtr bmp = MakeBitmap(1, 1);
  fx.SetSize(1, 1);
  fx.Brightness(bmp.get(), 0);
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(i, fx.lut[i]);
  fx.Brightness(bmp.get(), 100); // 255 / 155
  EXPECT_EQ(164, fx.lut[100]);
  EXPECT_EQ(255, fx.lut[160]);
  fx.Brightness(bmp.get(), -128); // 127 / 255
  EXPECT_EQ(127, fx.lut[255]);
  EXPECT_EQ(49, fx.lut[100]);
  fx.Brightness(bmp.get(), -255);
  EXPECT_EQ(0, fx.lut[255]);
}

TEST(GdipColour, ContrastTable) {
  CGdipEffects fx;
  BitmapPtr bmp = MakeBitmap(1, 1);
  fx.SetSize(1, 1);
  fx.Contrast(bmp.get(), 0);
  for (int i = 0; i < 256; ++i)
    ASSERT_EQ(i, fx.lut[i]);
  fx.Contrast(bmp.get(), 64);
  EXPECT_EQ(0, fx.lut[32]);
  EXPECT_EQ(128, fx.lut[96]);
  EXPECT_EQ(255, fx.lut[200]);
  fx.Contrast(bmp.get(), -64); // i / 2 + 64
  EXPECT_EQ(64, fx.lut[0]);
  EXPECT_EQ(191, fx.lut[255]);
}

TEST(GdipColour, LevelsWithoutAFactorStayInRange) {
  // Brightness 255 and contrast 128 have no factor (the formula divides by zero): the steepest
  // curve keeps black and saturates the rest, and no infinity or NaN is computed on the way.
  CGdipEffects fx;
  BitmapPtr bmp = MakeBitmap(1, 1);
  fx.SetSize(1, 1);
  EXPECT_EQ(0u, FloatFaultsDuring([&] { fx.Brightness(bmp.get(), 255); }));
  EXPECT_EQ(0, fx.lut[0]);
  EXPECT_EQ(255, fx.lut[1]);
  EXPECT_EQ(255, fx.lut[255]);
  EXPECT_EQ(0u, FloatFaultsDuring([&] { fx.Contrast(bmp.get(), 128); }));
  EXPECT_EQ(0, fx.lut[0]);
  EXPECT_EQ(255, fx.lut[1]);
  auto balance = [](DWORD v, int r, int g, int b) {
    return Through(v, [&](CGdipEffects& e, Gdiplus::Bitmap* p) { e.ColorBalance(p, r, g, b); });
  };
  EXPECT_EQ(Argb(255, 255, 0, 0), balance(Argb(255, 1, 0, 0), 255, 255, 255));
  // Levels beyond the pages' range still give channel values.
  EXPECT_EQ(Argb(255, 0, 0, 0), balance(Argb(255, 100, 100, 100), 300, -300, 400));
}

TEST(GdipColour, BrightnessAndContrastApplyToColourChannels) {
  auto bright = [](DWORD v, int level) {
    return Through(v, [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Brightness(b, level); });
  };
  EXPECT_EQ(Argb(255, 164, 0, 255), bright(Argb(255, 100, 0, 200), 100));
  auto contrast = [](DWORD v, int level) {
    return Through(v, [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Contrast(b, level); });
  };
  EXPECT_EQ(Argb(255, 0, 128, 255), contrast(Argb(255, 32, 96, 200), 64));
}

TEST(GdipColour, ColorBalanceUsesOneTablePerChannel) {
  auto balance = [](DWORD v, int r, int g, int b) {
    return Through(v, [&](CGdipEffects& fx, Gdiplus::Bitmap* p) { fx.ColorBalance(p, r, g, b); });
  };
  EXPECT_EQ(Argb(255, 164, 100, 49), balance(Argb(255, 100, 100, 100), 100, 0, -128));
  EXPECT_EQ(Argb(255, 0, 7, 0), balance(Argb(255, 200, 7, 90), -255, 0, -255));
}

namespace {

DWORD ApplyTable(DWORD v, const BYTE* tr, const BYTE* tg, const BYTE* tb) {
  return Argb(Alpha(v), tr[Red(v)], tg[Green(v)], tb[Blue(v)]);
}

} // namespace

TEST(GdipColour, ApplyLookupTableUsesTheMemberTable) {
  CGdipEffects fx;
  for (int i = 0; i < 256; ++i)
    fx.lut[i] = static_cast<BYTE>(255 - i / 2);
  BitmapPtr bmp = MakeBitmap(1, 1, Argb(255, 0, 100, 255));
  fx.SetSize(1, 1);
  fx.ApplyLookupTable(bmp.get());
  EXPECT_EQ(Argb(255, 255, 205, 128), PixelAt(bmp.get(), 0, 0));
}

// Pictures of 512 x 512 pixels and more take the paired-table road; the result is the same.
TEST(GdipColour, ApplyLookupTableOnLargePicturesMatchesThePlainTable) {
  CGdipEffects fx;
  for (int i = 0; i < 256; ++i)
    fx.lut[i] = static_cast<BYTE>((i * 37 + 11) ^ (i >> 3));
  for (int cy : {511, 512}) { // 261,632 and 262,144 pixels: either side of the switch
    const Pixels px = RandomPixels(512, cy, 31, true);
    BitmapPtr bmp = FromPixels(512, cy, px);
    fx.SetSize(512, cy);
    fx.ApplyLookupTable(bmp.get());
    Pixels expected(px.size());
    std::transform(px.begin(), px.end(), expected.begin(),
                   [&](DWORD v) { return ApplyTable(v, fx.lut, fx.lut, fx.lut); });
    EXPECT_EQ(expected, ReadPixels(bmp.get())) << cy;
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
  for (int b = 0; b < 256 && i < px.size(); b += 5) {
    for (int g = 0; g < 256 && i < px.size(); g += 7) {
      for (int r = 0; r < 256; ++r) {
        if ((11 * b + 59 * g + 30 * r) % 100 == 0 && !(b == g && g == r)) {
          px[i] = Argb(200, r, g, b);
          i += 3;
          break;
        }
      }
    }
  }
  return px;
}

} // namespace

TEST(GdipColour, GrayscaleMatchesTheWeightedSumOnEveryKindOfPixel) {
  const int cx = 61, cy = 50;
  const Pixels px = LevelTestPixels(cx, cy);
  for (int tinge : {0, 25, -40, 300}) {
    for (BYTE mask : {0, 1, 6}) {
      BitmapPtr bmp = FromPixels(cx, cy, px);
      CGdipEffects fx = EffectsFor(bmp.get());
      fx.Grayscale(bmp.get(), tinge, mask);
      Pixels out = ReadPixels(bmp.get());
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
}

TEST(GdipColour, BlackWhiteMatchesTheWeightedSumAtEveryThreshold) {
  const int cx = 61, cy = 50;
  const Pixels px = LevelTestPixels(cx, cy);
  for (int threshold = -3; threshold <= 258; threshold += threshold < 250 ? 11 : 1) {
    BitmapPtr bmp = FromPixels(cx, cy, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    fx.BlackWhite(bmp.get(), threshold);
    Pixels out = ReadPixels(bmp.get());
    for (size_t i = 0; i < px.size(); ++i) {
      const DWORD v = px[i];
      const int level = std::min(static_cast<int>(Blue(v) * 0.11 + Red(v) * 0.3 + Green(v) * 0.59), 255);
      const int c = level > threshold ? 255 : 0;
      ASSERT_EQ(Argb(Alpha(v), c, c, c), out[i]) << i << " threshold " << threshold;
    }
  }
}

TEST(GdipColour, ToneCurvesMatchTheirTablesOnNoise) {
  const int cx = 37, cy = 9;
  const Pixels px = RandomPixels(cx, cy, 78, true);
  auto check = [&](const char* what, int level,
                   const std::function<void(CGdipEffects&, Gdiplus::Bitmap*)>& op) {
    BitmapPtr bmp = FromPixels(cx, cy, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    op(fx, bmp.get());
    Pixels out = ReadPixels(bmp.get());
    for (size_t i = 0; i < px.size(); ++i)
      ASSERT_EQ(ApplyTable(px[i], fx.lut, fx.lut, fx.lut), out[i]) << what << " " << level << " pixel " << i;
  };
  for (int level = -255; level <= 255; level += 5)
    check("brightness", level, [level](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Brightness(b, level); });
  for (int level : {20, 34, -27, 230}) // tables that are no straight line in 16-bit steps
    check("brightness", level, [level](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Brightness(b, level); });
  for (int level = -128; level <= 128; level += 4)
    check("contrast", level, [level](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Contrast(b, level); });
}

TEST(GdipColour, ColorBalanceMatchesThreeBrightnessTables) {
  const int cx = 37, cy = 9;
  const Pixels px = RandomPixels(cx, cy, 79, true);
  auto table = [](int level, BYTE* out) {
    BitmapPtr one = MakeBitmap(1, 1);
    CGdipEffects fx = EffectsFor(one.get());
    fx.Brightness(one.get(), level);
    std::copy_n(fx.lut, 256, out);
  };
  const int levels[][3] = {{40, 0, -40}, {100, 20, -27}, {-255, 255, 0}, {254, -254, 7}};
  for (const auto& l : levels) {
    BYTE tr[256], tg[256], tb[256];
    table(l[0], tr);
    table(l[1], tg);
    table(l[2], tb);
    BitmapPtr bmp = FromPixels(cx, cy, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    fx.ColorBalance(bmp.get(), l[0], l[1], l[2]);
    Pixels out = ReadPixels(bmp.get());
    for (size_t i = 0; i < px.size(); ++i)
      ASSERT_EQ(ApplyTable(px[i], tr, tg, tb), out[i])
          << l[0] << "," << l[1] << "," << l[2] << " pixel " << i;
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
          if (mode == 1) {
            const int g = std::min(std::max((db + dg + dr) / 3, 0), 255);
            ref[y * cx + x] = Argb(Alpha(p), g, g, g);
          } else {
            ref[y * cx + x] = Argb(Alpha(p), dr & 0xFF, dg & 0xFF, db & 0xFF);
          }
        }
      }
      BitmapPtr bmp = FromPixels(cx, cy, px);
      CGdipEffects fx = EffectsFor(bmp.get());
      fx.Emboss(bmp.get(), depth, mode);
      ASSERT_EQ(ref, ReadPixels(bmp.get())) << "mode " << mode << " depth " << depth;
    }
  }
}

// ---- Convolution ------------------------------------------------------------------------------

namespace {

Pixels Convolved(const Pixels& px, int cx, int cy, const int* k, int n, int divisor, int bias, int bandX,
                 int bandY) {
  BitmapPtr bmp = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Convolve(bmp.get(), k, n, divisor, bias, bandX, bandY);
  return ReadPixels(bmp.get());
}

Pixels Reference(Pixels px, int cx, int cy, const int* k, int n, int divisor, int bias, int bandX,
                 int bandY) {
  ReferenceConvolve(px, cx, cy, k, n, divisor, bias, bandX, bandY);
  return px;
}

std::vector<int> BoxKernel(int n, int outer, int centre) {
  std::vector<int> k(n * n, outer);
  k[(n / 2) * n + n / 2] = centre;
  return k;
}

} // namespace

TEST(GdipConvolve, EdgePixelsRepeatBeyondTheBorder) {
  const int cx = 6, cy = 4;
  Pixels px = RandomPixels(cx, cy, 11);
  // Taking the right neighbour: the picture shifts left and the last column repeats.
  const int right[9] = {0, 0, 0, 0, 0, 1, 0, 0, 0};
  Pixels out = Convolved(px, cx, cy, right, 3, 1, 0, -1, -1);
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x)
      ASSERT_EQ(px[y * cx + std::min(x + 1, cx - 1)], out[y * cx + x]) << x << "," << y;
  }
}

TEST(GdipConvolve, ResultsAreWrittenBackInPlace) {
  const int cx = 5, cy = 4;
  Pixels px = RandomPixels(cx, cy, 12);
  // Taking the left neighbour reads the already filtered pixel: each row becomes its first pixel.
  const int left[9] = {0, 0, 0, 1, 0, 0, 0, 0, 0};
  Pixels rows = Convolved(px, cx, cy, left, 3, 1, 0, -1, -1);
  // Taking the upper neighbour: every row becomes the first row.
  const int up[9] = {0, 1, 0, 0, 0, 0, 0, 0, 0};
  Pixels cols = Convolved(px, cx, cy, up, 3, 1, 0, -1, -1);
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      ASSERT_EQ(px[y * cx], rows[y * cx + x]);
      ASSERT_EQ(px[x], cols[y * cx + x]);
    }
  }
}

TEST(GdipConvolve, DivisorTruncatesTowardZeroThenAddsBias) {
  Pixels px = {Argb(255, 1, 199, 200), Argb(255, 201, 0, 255)};
  // A lone centre weight of -1 halved: 1 -> 0 + 100 (not -1 + 100).
  const int negate[1] = {-1};
  EXPECT_EQ((Pixels{Argb(255, 100, 1, 0), Argb(255, 0, 100, 0)}),
            Convolved(px, 2, 1, negate, 1, 2, 100, -1, -1));
  // The same through a kernel of mixed weights on a flat picture.
  const int mixed[9] = {0, 0, 0, 0, -2, 0, 0, 0, 1}; // the lower right partner is not yet filtered
  Pixels flat(12, Argb(255, 1, 199, 200));
  for (DWORD v : Convolved(flat, 4, 3, mixed, 3, 2, 100, -1, -1))
    ASSERT_EQ(Argb(255, 100, 1, 0), v);
  // Divisor 0 adds the bias to the plain sum.
  const int one[1] = {1};
  EXPECT_EQ((Pixels{Argb(255, 11, 209, 210), Argb(255, 211, 10, 255)}),
            Convolved(px, 2, 1, one, 1, 0, 10, -1, -1));
}

TEST(GdipConvolve, BoxKernelsMatchThePlainInPlaceLoop) {
  struct Case {
    int cx, cy, n, outer, centre, divisor, bias, bandX, bandY;
  };
  const Case cases[] = {
      {37, 23, 3, 1, 1, 9, 0, -1, -1},
      {37, 23, 11, 1, 1, 121, 0, -1, -1},
      {37, 23, 3, -1, 15, 7, 0, -1, -1},
      {64, 48, 5, 1, 1, 25, 0, 10, 10},
      {64, 48, 7, 1, 1, 49, 0, 10, 4},
      {64, 48, 3, -1, 15, 7, 0, 5, 7},
      {1, 1, 3, 1, 1, 9, 0, -1, -1},
      {1, 9, 5, 1, 1, 25, 0, -1, -1},
      {9, 1, 9, 1, 1, 81, 0, -1, -1},
      {2, 3, 11, 1, 1, 121, 0, -1, -1},
      {17, 13, 3, 2, -3, 5, 20, -1, -1},
      {17, 13, 4, 1, 1, 16, 0, -1, -1},
      {17, 13, 5, 3, 3, 0, -900, -1, -1},
      {20, 20, 3, 1, 1, 9, 0, 0, 0},
      {20, 20, 3, 1, 1, 9, 0, -1, 3},
      // Every way the 16-bit chain can be set up: bias, no divisor, a centre weight, a shift.
      {40, 30, 3, 1, 1, 9, 20, -1, -1},
      {40, 30, 3, 1, 1, 0, -500, -1, -1},
      {40, 30, 3, -1, 5, 0, 100, -1, -1},
      {40, 30, 5, 1, 3, 25, 0, -1, -1},
      {40, 30, 3, 1, 3, 11, 0, -1, -1},
      {40, 30, 3, -1, 9, 5, 0, -1, -1},
      {40, 30, 3, 1, 101, 121, 0, -1, -1},
      {40, 30, 7, -1, 60, 11, -3, -1, -1},
      {8, 30, 3, 1, 1, 9, 0, -1, -1},
      {40, 30, 3, 1, 2, 10, 0, -1, -1},
  };
  unsigned seed = 100;
  for (const Case& c : cases) {
    Pixels px = RandomPixels(c.cx, c.cy, seed++);
    std::vector<int> k = BoxKernel(c.n, c.outer, c.centre);
    ASSERT_EQ(Reference(px, c.cx, c.cy, k.data(), c.n, c.divisor, c.bias, c.bandX, c.bandY),
              Convolved(px, c.cx, c.cy, k.data(), c.n, c.divisor, c.bias, c.bandX, c.bandY))
        << c.cx << "x" << c.cy << " n " << c.n << " weights " << c.outer << "/" << c.centre << " bands "
        << c.bandX << "," << c.bandY;
  }
}

TEST(GdipConvolve, GeneralKernelsMatchThePlainInPlaceLoop) {
  struct Case {
    std::vector<int> kernel;
    int divisor, bias, bandX, bandY;
  };
  const Case cases[] = {
      {{-1, -2, -1, 0, 0, 0, 1, 2, 1}, 1, 128, -1, -1}, // no weight on the left neighbour
      {{-1, -2, -1, 0, 1, 0, 1, 2, 1}, 4, 0, -1, -1},   // negative sums divided toward zero
      {{-1, -2, -1, 0, 1, 0, 1, 2, 1}, 3, -20, -1, -1},
      {{1, 2, 1, 3, -4, 0, -1, -2, -1}, 3, 10, -1, -1}, // the left neighbour filtered first
      {{0, 0, 0, 2, 1, 0, 0, 0, 0}, 0, -100, 5, 4},
      {{1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1}, 9, 0, 6, 6},
      {{1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 1}, 0, -300, -1, -1},
      {{1, 1, 1, 1, 1, 1, 2, 0, 1, 1, 1, 3, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 30, 0, -1, -1},
      {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, -7, 200, -1, -1},
      {{200, -300, 200, 1, 1, 1, -100, 0, 100}, 50, 0, -1, -1}, // sums beyond 16 bits
  };
  Pixels px = RandomPixels(29, 19, 7);
  for (const Case& c : cases) {
    int n = c.kernel.size() == 25 ? 5 : (c.kernel.size() == 16 ? 4 : 3);
    ASSERT_EQ(Reference(px, 29, 19, c.kernel.data(), n, c.divisor, c.bias, c.bandX, c.bandY),
              Convolved(px, 29, 19, c.kernel.data(), n, c.divisor, c.bias, c.bandX, c.bandY))
        << "kernel " << &c - cases;
  }
}

TEST(GdipConvolve, BlurSizesOutsideOneToFiveDoNothing) {
  Pixels px = RandomPixels(20, 10, 3);
  for (int size : {0, 6, -1}) {
    BitmapPtr bmp = FromPixels(20, 10, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    fx.Blur(bmp.get(), size, -1, -1);
    EXPECT_EQ(px, ReadPixels(bmp.get())) << size;
  }
}

TEST(GdipConvolve, BlurIsTheBoxOfItsSize) {
  Pixels px = RandomPixels(40, 30, 4);
  for (int size = 1; size <= 5; ++size) {
    BitmapPtr bmp = FromPixels(40, 30, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    fx.Blur(bmp.get(), size, -1, -1);
    int n = 2 * size + 1;
    std::vector<int> k = BoxKernel(n, 1, 1);
    ASSERT_EQ(Reference(px, 40, 30, k.data(), n, n * n, 0, -1, -1), ReadPixels(bmp.get())) << size;
  }
}

TEST(GdipConvolve, BlurBandsLeaveTheInsideUntouched) {
  const int cx = 100, cy = 80;
  Pixels px = RandomPixels(cx, cy, 5);
  BitmapPtr bmp = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Blur(bmp.get(), 2, 10, 10);
  Pixels out = ReadPixels(bmp.get());
  int changedInFrame = 0;
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      bool inside = 10 <= x && x <= cx - 10 && 10 <= y && y <= cy - 10;
      if (inside)
        ASSERT_EQ(px[y * cx + x], out[y * cx + x]) << x << "," << y;
      else
        changedInFrame += px[y * cx + x] != out[y * cx + x];
    }
  }
  EXPECT_GT(changedInFrame, (cx * cy - 81 * 61) * 9 / 10);
}

TEST(GdipConvolve, SharpenRepeatsCountTimes) {
  Pixels px = RandomPixels(25, 15, 6);
  const int kernel[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
  Pixels twice = Reference(Reference(px, 25, 15, kernel, 3, 7, 0, -1, -1), 25, 15, kernel, 3, 7, 0, -1, -1);
  BitmapPtr bmp = FromPixels(25, 15, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Sharpen(bmp.get(), 0);
  EXPECT_EQ(px, ReadPixels(bmp.get()));
  fx.Sharpen(bmp.get(), 2);
  EXPECT_EQ(twice, ReadPixels(bmp.get()));
}

TEST(GdipConvolve, FlatPictureStaysFlatUnderBlurAndSharpen) {
  BitmapPtr bmp = MakeBitmap(30, 20, Argb(255, 17, 130, 240));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.Blur(bmp.get(), 5, -1, -1);
  fx.Sharpen(bmp.get(), 1);
  // Sharpen: (15 - 8) x c / 7 = c.
  for (DWORD v : ReadPixels(bmp.get()))
    ASSERT_EQ(Argb(255, 17, 130, 240), v);
}

// ---- Multiply blend ---------------------------------------------------------------------------

TEST(GdipBlend, MultiplyBlendScalesTheShadeByTheTarget) {
  BitmapPtr target = MakeBitmap(20, 20, Argb(255, 128, 255, 0));
  BitmapPtr shade = MakeBitmap(4, 3, Argb(77, 200, 100, 255));
  CGdipEffects fx = EffectsFor(target.get());
  EXPECT_TRUE(fx.MultiplyBlend(target.get(), shade.get(), 6, 7, 10, 10));
  // 200 x 128 / 255 = 100.39, 100 x 255 / 255, 255 x 0 / 255; the shade's alpha stays.
  for (DWORD v : ReadPixels(shade.get()))
    ASSERT_EQ(Argb(77, 100, 100, 0), v);
  EXPECT_EQ(4, fx.cx);
  EXPECT_EQ(3, fx.cy);
  for (DWORD v : ReadPixels(target.get()))
    ASSERT_EQ(Argb(255, 128, 255, 0), v);
}

TEST(GdipBlend, MultiplyBlendFromNegativeCornerSkipsShadeRowsAndColumns) {
  const int w = 10, h = 10;
  Pixels tpx(20 * 20), spx = RandomPixels(w, h, 9, true);
  for (int i = 0; i < 400; ++i)
    tpx[i] = Argb(255, (i * 7) & 0xFF, (i * 13) & 0xFF, (i * 3) & 0xFF);
  BitmapPtr target = FromPixels(20, 20, tpx), shade = FromPixels(w, h, spx);
  CGdipEffects fx = EffectsFor(target.get());
  fx.MultiplyBlend(target.get(), shade.get(), -5, -5, 5, 5);
  Pixels out = ReadPixels(shade.get());
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      DWORD s = spx[j * w + i], expected = s;
      if (i >= 5 && j >= 5) {
        // Shade (5, 5) lies on target (0, 0).
        DWORD t = tpx[(j - 5) * 20 + (i - 5)];
        expected = Argb(Alpha(s), Red(s) * Red(t) / 255, Green(s) * Green(t) / 255, Blue(s) * Blue(t) / 255);
      }
      ASSERT_EQ(expected, out[j * w + i]) << i << "," << j;
    }
  }
  EXPECT_EQ(5, fx.cx);
  EXPECT_EQ(5, fx.cy);
}

TEST(GdipBlend, MultiplyBlendOutsideTheTargetChangesNothing) {
  BitmapPtr target = MakeBitmap(10, 10, Argb(255, 0, 0, 0));
  Pixels spx = RandomPixels(4, 4, 10);
  BitmapPtr shade = FromPixels(4, 4, spx);
  CGdipEffects fx = EffectsFor(target.get());
  EXPECT_TRUE(fx.MultiplyBlend(target.get(), shade.get(), 30, 30, 34, 34));
  EXPECT_EQ(spx, ReadPixels(shade.get()));
  EXPECT_EQ(0, fx.cx);
  EXPECT_EQ(0, fx.cy);
}

// ---- Edge effects -----------------------------------------------------------------------------

TEST(GdipEdges, FadeOfZeroPercentChangesNothing) {
  Pixels px = RandomPixels(50, 40, 13);
  BitmapPtr bmp = FromPixels(50, 40, px);
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.FadeEdge(bmp.get(), 0, 15, RGB(255, 255, 255));
  EXPECT_EQ(px, ReadPixels(bmp.get()));
}

TEST(GdipEdges, FadeLeftReachesTheBackColourAtTheEdge) {
  BitmapPtr bmp = MakeBitmap(100, 20, Argb(255, 0, 0, 0));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.FadeEdge(bmp.get(), 50, 1, RGB(255, 255, 255));
  Pixels out = ReadPixels(bmp.get());
  for (int y = 0; y < 20; ++y) {
    // Step 255 / 50 = 5.1: column x moves (50 - x) steps.
    ASSERT_EQ(Argb(255, 255, 255, 255), out[y * 100 + 0]);
    ASSERT_EQ(Argb(255, 127, 127, 127), out[y * 100 + 25]);
    ASSERT_EQ(Argb(255, 5, 5, 5), out[y * 100 + 49]);
    for (int x = 50; x < 100; ++x)
      ASSERT_EQ(Argb(255, 0, 0, 0), out[y * 100 + x]);
  }
}

TEST(GdipEdges, FadeRightAndBottomStopOneStepShort) {
  BitmapPtr bmp = MakeBitmap(100, 20, Argb(255, 0, 0, 0));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.FadeEdge(bmp.get(), 50, 4, RGB(255, 0, 0));
  EXPECT_EQ(Argb(255, 0, 0, 0), PixelAt(bmp.get(), 50, 3));
  EXPECT_EQ(Argb(255, 5, 0, 0), PixelAt(bmp.get(), 51, 3));
  EXPECT_EQ(Argb(255, 249, 0, 0), PixelAt(bmp.get(), 99, 3));
  EXPECT_EQ(Argb(255, 0, 0, 0), PixelAt(bmp.get(), 49, 3));

  BitmapPtr tall = MakeBitmap(10, 20, Argb(255, 0, 0, 0));
  fx = EffectsFor(tall.get());
  fx.FadeEdge(tall.get(), 50, 8, RGB(0, 0, 200)); // step 20
  EXPECT_EQ(Argb(255, 0, 0, 0), PixelAt(tall.get(), 4, 10));
  EXPECT_EQ(Argb(255, 0, 0, 180), PixelAt(tall.get(), 4, 19));
  EXPECT_EQ(Argb(255, 0, 0, 0), PixelAt(tall.get(), 4, 9));
}

TEST(GdipEdges, FadeMatchesTheSinglePrecisionStepsOnNoise) {
  const int cx = 41, cy = 27;
  const Pixels px = RandomPixels(cx, cy, 81, true);
  const COLORREF back = RGB(250, 30, 128);
  for (int size : {10, 33, 50, 120}) {
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
      BitmapPtr bmp = FromPixels(cx, cy, px);
      CGdipEffects fx = EffectsFor(bmp.get());
      fx.FadeEdge(bmp.get(), size, sides, back);
      ASSERT_EQ(ref, ReadPixels(bmp.get())) << "size " << size << " sides " << sides;
    }
  }
}

TEST(GdipEdges, FadeCornersAreFadedForBothSides) {
  BitmapPtr bmp = MakeBitmap(100, 20, Argb(255, 0, 0, 0));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.FadeEdge(bmp.get(), 50, 1 | 2, RGB(255, 255, 255));
  // Left gives 5 at column 49; the top's step at row 9 is then (255 - 5) / 10 = 25.
  EXPECT_EQ(Argb(255, 30, 30, 30), PixelAt(bmp.get(), 49, 9));
  EXPECT_EQ(Argb(255, 255, 255, 255), PixelAt(bmp.get(), 49, 0));
  EXPECT_EQ(Argb(255, 25, 25, 25), PixelAt(bmp.get(), 60, 9));
  EXPECT_EQ(Argb(255, 5, 5, 5), PixelAt(bmp.get(), 49, 10));
}

TEST(GdipEdges, BevelLightensTopLeftAndDarkensBottomRight) {
  BitmapPtr bmp = MakeBitmap(100, 100, Argb(255, 128, 128, 128));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.BevelEdge(bmp.get(), 10, 0, 0); // band 10, factor 12.8
  auto gray = [](int v) { return Argb(255, v, v, v); };
  EXPECT_EQ(gray(255), PixelAt(bmp.get(), 50, 0));
  EXPECT_EQ(gray(192), PixelAt(bmp.get(), 50, 5)); // + 5 x 12.8
  EXPECT_EQ(gray(255), PixelAt(bmp.get(), 0, 50));
  EXPECT_EQ(gray(0), PixelAt(bmp.get(), 50, 99));
  EXPECT_EQ(gray(0), PixelAt(bmp.get(), 99, 50));
  EXPECT_EQ(gray(52), PixelAt(bmp.get(), 95, 50)); // - 6 x 12.8
  EXPECT_EQ(gray(128), PixelAt(bmp.get(), 50, 50));
  EXPECT_EQ(gray(128), PixelAt(bmp.get(), 10, 50));
  EXPECT_EQ(gray(128), PixelAt(bmp.get(), 89, 50));
  EXPECT_EQ(gray(140), PixelAt(bmp.get(), 50, 9));
}

TEST(GdipEdges, BevelBandsMeetOnTheCornerDiagonals) {
  BitmapPtr bmp = MakeBitmap(100, 100, Argb(255, 128, 128, 128));
  CGdipEffects fx = EffectsFor(bmp.get());
  fx.BevelEdge(bmp.get(), 10, 0, 0);
  auto gray = [](int v) { return Argb(255, v, v, v); };
  // Depth 3 (+89) on the top-left diagonal and beside it; depth 2 (+102) left of it.
  EXPECT_EQ(gray(217), PixelAt(bmp.get(), 3, 3));
  EXPECT_EQ(gray(217), PixelAt(bmp.get(), 3, 4));
  EXPECT_EQ(gray(230), PixelAt(bmp.get(), 2, 3));
  // Top-right: the top band reaches the diagonal, the right band (-102 at depth 2) is past it.
  EXPECT_EQ(gray(217), PixelAt(bmp.get(), 96, 3));
  EXPECT_EQ(gray(26), PixelAt(bmp.get(), 97, 3));
  // Bottom-left: the bottom band owns the diagonal.
  EXPECT_EQ(gray(39), PixelAt(bmp.get(), 3, 96));
  EXPECT_EQ(gray(230), PixelAt(bmp.get(), 2, 96));
}

TEST(GdipEdges, BevelWithoutABandChangesNothing) {
  Pixels px = RandomPixels(40, 30, 14);
  for (int size : {0, 2}) { // 30 x 2 / 100 = 0
    BitmapPtr bmp = FromPixels(40, 30, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    EXPECT_EQ(0u, FloatFaultsDuring([&] { fx.BevelEdge(bmp.get(), size, 0, 0); })) << "no step to divide";
    EXPECT_EQ(px, ReadPixels(bmp.get())) << size;
  }
  BitmapPtr dot = MakeBitmap(1, 1, Argb(255, 1, 2, 3));
  CGdipEffects fx = EffectsFor(dot.get());
  fx.BevelEdge(dot.get(), 50, 0, 0);
  EXPECT_EQ(Argb(255, 1, 2, 3), PixelAt(dot.get(), 0, 0));
}

// ---- Alpha --------------------------------------------------------------------------------------

TEST(GdipAlpha, NoPixelOperationChangesAlpha) {
  const int cx = 41, cy = 29;
  const Pixels px = RandomPixels(cx, cy, 21, true);
  const std::vector<int> alpha = AlphaPlane(px);
  const int edges[9] = {-1, -2, -1, 0, 0, 0, 1, 2, 1};
  const std::pair<const char*, std::function<void(CGdipEffects&, Gdiplus::Bitmap*)>> ops[] = {
      {"grayscale", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Grayscale(b, 30, 7); }},
      {"blackwhite", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.BlackWhite(b, 100); }},
      {"invert", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.InvertColor(b, 7); }},
      {"solarize", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Solarize(b, 0); }},
      {"emboss", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Emboss(b, 2, 1); }},
      {"emboss2", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Emboss(b, 1, 2); }},
      {"balance", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.ColorBalance(b, 50, -50, 255); }},
      {"brightness", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Brightness(b, 60); }},
      {"contrast", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Contrast(b, 40); }},
      {"blur", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Blur(b, 3, -1, -1); }},
      {"sharpen", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Sharpen(b, 1); }},
      {"convolve", [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Convolve(b, edges, 3, 1, 128, -1, -1); }},
      {"fade", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.FadeEdge(b, 40, 15, RGB(10, 200, 30)); }},
      {"bevel", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.BevelEdge(b, 30, 0, 0); }},
      {"perspective", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Perspective(b, 0, 0, RGB(0, 0, 0)); }},
  };
  for (const auto& op : ops) {
    BitmapPtr bmp = FromPixels(cx, cy, px);
    CGdipEffects fx = EffectsFor(bmp.get());
    op.second(fx, bmp.get());
    Pixels out = ReadPixels(bmp.get());
    EXPECT_EQ(alpha, AlphaPlane(out)) << op.first;
  }
  // The shade of a multiply blend keeps its own alpha.
  BitmapPtr target = FromPixels(cx, cy, RandomPixels(cx, cy, 22));
  BitmapPtr shade = FromPixels(cx, cy, px);
  CGdipEffects fx = EffectsFor(target.get());
  fx.MultiplyBlend(target.get(), shade.get(), 0, 0, cx, cy);
  EXPECT_EQ(alpha, AlphaPlane(ReadPixels(shade.get())));
}

TEST(GdipAlpha, OperationsReportAFailedLockInTheWrapper) {
  BitmapPtr bmp = MakeBitmap(10, 10);
  bmp->GetLastStatus();
  CGdipEffects fx;
  fx.SetSize(20, 20); // larger than the bitmap
  fx.InvertColor(bmp.get(), 7);
  EXPECT_NE(Gdiplus::Ok, bmp->GetLastStatus());
  fx.SetSize(10, 10);
  fx.InvertColor(bmp.get(), 7);
  EXPECT_EQ(Gdiplus::Ok, bmp->GetLastStatus());
  EXPECT_EQ(Argb(255, 255, 255, 255), PixelAt(bmp.get(), 3, 3));
}

// ---- Gallery ------------------------------------------------------------------------------------

TEST(GdipGallery, PixelEffectsOnTheSamplePicture) {
  const int edges[9] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
  const std::pair<const char*, std::function<void(CGdipEffects&, Gdiplus::Bitmap*)>> effects[] = {
      {"gdip_sample", [](CGdipEffects&, Gdiplus::Bitmap*) {}},
      {"gdip_grayscale", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Grayscale(b, 40, 1); }},
      {"gdip_blackwhite", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.BlackWhite(b, 128); }},
      {"gdip_invert", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.InvertColor(b, 7); }},
      {"gdip_solarize", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Solarize(b, 128); }},
      {"gdip_emboss", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Emboss(b, 2, 1); }},
      {"gdip_colorbalance", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.ColorBalance(b, 60, 0, -60); }},
      {"gdip_brightness", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Brightness(b, 60); }},
      {"gdip_contrast", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Contrast(b, 50); }},
      {"gdip_blur", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Blur(b, 3, -1, -1); }},
      {"gdip_blur_frame", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Blur(b, 5, 30, 30); }},
      {"gdip_sharpen", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Sharpen(b, 2); }},
      {"gdip_convolve_edges",
       [&](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.Convolve(b, edges, 3, 1, 0, -1, -1); }},
      {"gdip_fade", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.FadeEdge(b, 25, 15, RGB(255, 255, 255)); }},
      {"gdip_bevel", [](CGdipEffects& fx, Gdiplus::Bitmap* b) { fx.BevelEdge(b, 10, 0, 0); }},
      {"gdip_multiply",
       [](CGdipEffects& fx, Gdiplus::Bitmap* b) {
         // The sample picture as shade over a gray ramp, copied back for the picture.
         BitmapPtr ramp = MakeBitmap(fx.cx, fx.cy);
         {
           CGdipBitsLock lock(ramp.get(), 0, 0, fx.cx, fx.cy);
           for (int y = 0; y < fx.cy; ++y)
             for (int x = 0; x < fx.cx; ++x)
               lock.Row(y)[x] = Argb(255, 255 - x, 255 - x, 255 - x);
         }
         CGdipEffects blend = fx;
         blend.MultiplyBlend(ramp.get(), b, 0, 0, fx.cx, fx.cy);
       }},
  };
  BitmapPtr sample = MakeSamplePicture();
  const Pixels original = ReadPixels(sample.get());
  if (ArtifactsFolder().empty())
    std::printf("PIX_ARTIFACTS is not set: the gallery is checked but not saved\n");
  for (const auto& effect : effects) {
    BitmapPtr bmp = FromPixels(Width(sample.get()), Height(sample.get()), original);
    CGdipEffects fx = EffectsFor(bmp.get());
    effect.second(fx, bmp.get());
    if (std::string(effect.first) != "gdip_sample")
      EXPECT_NE(original, ReadPixels(bmp.get())) << effect.first;
    SaveArtifact(bmp.get(), effect.first);
  }
}
