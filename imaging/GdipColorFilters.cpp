// Colour filters of CGdipEffects: grayscale, black and white, invert, solarize, colour balance,
// brightness, contrast and lookup tables.
#include "imaging/GdipEffects.h"
#include "imaging/PixelOps.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

// A curve's factor where it has one. At the levels where the formula would divide by zero no
// factor is computed at all, so no infinity or NaN is ever made, compared or converted.
const double kNoFactor = -1.0;

// The factor of the brightness and balance curves; none at level 255.
double GainFactor(int level) {
  if (level == 255)
    return kNoFactor;
  return level <= 0 ? (255 + level) * 0.00392156862745098 : 255.0 / (255 - level);
}

// Fills a 256-entry table with clamp(trunc(i x f)), the tone curve of brightness and balance.
void BuildGainTable(BYTE* table, int level) {
  if (level == 255) {
    // 255 / (255 - level) has no value here: the steepest curve keeps black and saturates the rest.
    for (int i = 0; i < 256; ++i)
      table[i] = i == 0 ? 0 : 255;
    return;
  }
  const double f = GainFactor(level);
  for (int i = 0; i < 256; ++i) {
    double v = i * f;
    table[i] = static_cast<BYTE>(v <= 0 ? 0 : (v >= 255 ? 255 : static_cast<int>(v)));
  }
}

// A tone table that equals clamp(n i + floor(i m / 65536) + c) for every i: a curve that 16-bit
// SIMD arithmetic computes exactly. Found from the curve's factor and offset, and checked.
struct AffineCurve {
  bool ok = false;
  int n = 0, m = 0, c = 0;
};

AffineCurve FitCurve(const BYTE* table, double f, int c) {
  AffineCurve a;
  if (f < 0 || f > 255 || c < -255 || c > 255)
    return a;
  const int n = static_cast<int>(f);
  const int base = static_cast<int>((f - n) * 65536.0);
  for (int d = 0; d <= 2 && !a.ok; ++d) {
    for (int m : {base + d, base - d}) {
      if (m < 0 || m > 65535)
        continue;
      bool ok = true;
      for (int i = 0; i < 256 && ok; ++i)
        ok = ClampByte(n * i + ((i * m) >> 16) + c) == table[i];
      if (ok) {
        a.ok = true;
        a.n = n;
        a.m = m;
        a.c = c;
        break;
      }
    }
  }
  return a;
}

// One table per channel over the locked area; alpha is kept.
void ApplyTables(const CGdipBitsLock& lock, int cx, int cy, const BYTE* tb, const BYTE* tg, const BYTE* tr) {
  if (static_cast<long long>(cx) * cy >= 262144) {
    // Large pictures: green and blue through one table of pairs, two lookups a pixel instead of three.
    std::vector<uint16_t> pairs(65536);
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b)
        pairs[(g << 8) | b] = static_cast<uint16_t>((tg[g] << 8) | tb[b]);
    const uint16_t* gb = pairs.data();
    for (int y = 0; y < cy; ++y) {
      DWORD* p = lock.Row(y);
      for (int x = 0; x < cx; ++x) {
        DWORD v = p[x];
        p[x] = (v & 0xFF000000) | (DWORD(tr[(v >> 16) & 0xFF]) << 16) | gb[v & 0xFFFF];
      }
    }
    return;
  }
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    for (int x = 0; x < cx; ++x) {
      DWORD v = p[x];
      p[x] = (v & 0xFF000000) | (DWORD(tr[(v >> 16) & 0xFF]) << 16) | (DWORD(tg[(v >> 8) & 0xFF]) << 8) |
             tb[v & 0xFF];
    }
  }
}

// The weighted sum of the channels at bit S0, S1 and S2 of four pixels, c0 x w0 + c1 x w1 + c2 x w2,
// each product and sum rounded in double exactly as the scalar expression, in that order, then
// truncated.
template <int S0, int S1, int S2>
inline __m128i WeightedLevels(__m128i px, __m128d w0, __m128d w1, __m128d w2) {
  const __m128i byte = _mm_set1_epi32(0xFF);
  const __m128i c0 = _mm_and_si128(_mm_srli_epi32(px, S0), byte);
  const __m128i c1 = _mm_and_si128(_mm_srli_epi32(px, S1), byte);
  const __m128i c2 = _mm_and_si128(_mm_srli_epi32(px, S2), byte);
  auto high = [](__m128i v) { return _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 3, 2)); };
  __m128d lo =
      _mm_add_pd(_mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(c0), w0), _mm_mul_pd(_mm_cvtepi32_pd(c1), w1)),
                 _mm_mul_pd(_mm_cvtepi32_pd(c2), w2));
  __m128d hi = _mm_add_pd(
      _mm_add_pd(_mm_mul_pd(_mm_cvtepi32_pd(high(c0)), w0), _mm_mul_pd(_mm_cvtepi32_pd(high(c1)), w1)),
      _mm_mul_pd(_mm_cvtepi32_pd(high(c2)), w2));
  return _mm_unpacklo_epi64(_mm_cvttpd_epi32(lo), _mm_cvttpd_epi32(hi));
}

// The exact weighted sums S = 11 b + 59 g + 30 r of four pixels as 32-bit lanes.
inline __m128i ExactSums(__m128i px) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i weights = _mm_set_epi16(0, 30, 59, 11, 0, 30, 59, 11);
  __m128i lo = _mm_madd_epi16(_mm_unpacklo_epi8(px, zero), weights);
  __m128i hi = _mm_madd_epi16(_mm_unpackhi_epi8(px, zero), weights);
  lo = _mm_add_epi32(lo, _mm_srli_epi64(lo, 32));
  hi = _mm_add_epi32(hi, _mm_srli_epi64(hi, 32));
  return _mm_castps_si128(
      _mm_shuffle_ps(_mm_castsi128_ps(lo), _mm_castsi128_ps(hi), _MM_SHUFFLE(2, 0, 2, 0)));
}

// The levels floor(S / 100) of eight pixels as 16-bit lanes. The double arithmetic of the weighted
// sum lands on the same level, except possibly where S is a whole multiple of 100: there it may
// fall one short, and the caller must look closer; those lanes are set in *pWhole.
inline __m128i IntegerLevels8(__m128i a, __m128i b, __m128i* pWhole) {
  const __m128i sum16 = _mm_packs_epi32(ExactSums(a), ExactSums(b)); // at most 25500
  // floor(S / 100) for S up to 25500 by a multiply-high.
  const __m128i q16 = _mm_srli_epi16(_mm_mulhi_epu16(sum16, _mm_set1_epi16(static_cast<short>(41944))), 6);
  *pWhole = _mm_cmpeq_epi16(_mm_mullo_epi16(q16, _mm_set1_epi16(100)), sum16);
  return q16;
}

inline __m128i GrayMask(__m128i v) {
  const __m128i byte = _mm_set1_epi32(0xFF);
  const __m128i b = _mm_and_si128(v, byte), g = _mm_and_si128(_mm_srli_epi32(v, 8), byte);
  const __m128i r = _mm_and_si128(_mm_srli_epi32(v, 16), byte);
  return _mm_and_si128(_mm_cmpeq_epi32(b, g), _mm_cmpeq_epi32(g, r));
}

// Eight 16-bit levels as gray pixels, the level in every byte (alpha included).
inline void LevelPixels(__m128i q16, __m128i* pLo, __m128i* pHi) {
  const __m128i lo = _mm_unpacklo_epi16(q16, q16), hi = _mm_unpackhi_epi16(q16, q16);
  *pLo = _mm_or_si128(lo, _mm_slli_epi32(lo, 8));
  *pHi = _mm_or_si128(hi, _mm_slli_epi32(hi, 8));
}

// Each channel's share of the gray level, tabled per channel value: the same doubles the weighted
// sum would compute inline.
struct GrayWeights {
  double b[256], g[256], r[256];
  GrayWeights() {
    for (int i = 0; i < 256; ++i) {
      b[i] = i * 0.11;
      g[i] = i * 0.59;
      r[i] = i * 0.3;
    }
  }
};

// Four 32-bit levels 0..255 as gray pixels (alpha 0).
inline __m128i GrayPixels(__m128i level) {
  return _mm_or_si128(_mm_or_si128(level, _mm_slli_epi32(level, 8)), _mm_slli_epi32(level, 16));
}

} // namespace

void CGdipEffects::Grayscale(Bitmap* pBitmap, int nTinge, BYTE nTingeMask) {
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  const GrayWeights gray;
  // After the gray step all three channels hold one level, so the tinge becomes one pixel per level.
  DWORD tinted[256];
  for (int i = 0; i < 256; ++i) {
    int r = (nTingeMask & 1) ? ClampByte(i + nTinge) : i;
    int g = (nTingeMask & 2) ? ClampByte(i + nTinge) : i;
    int b = (nTingeMask & 4) ? ClampByte(i + nTinge) : i;
    tinted[i] = (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b);
  }
  // The same tinge as saturating byte steps: clamp(level + tinge) on the chosen channels.
  const int up = std::min(std::max(nTinge, 0), 255), down = std::min(std::max(-nTinge, 0), 255);
  auto channels = [&](int amount) {
    return static_cast<int>(((nTingeMask & 1) ? amount << 16 : 0) | ((nTingeMask & 2) ? amount << 8 : 0) |
                            ((nTingeMask & 4) ? amount : 0));
  };
  const __m128i add = _mm_set1_epi32(channels(up)), sub = _mm_set1_epi32(channels(down));
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000));
  const __m128d wb2 = _mm_set1_pd(0.11), wg2 = _mm_set1_pd(0.59), wr2 = _mm_set1_pd(0.3);
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    int x = 0;
    for (; x + 8 <= cx; x += 8) {
      const __m128i v0 = _mm_loadu_si128(reinterpret_cast<__m128i*>(p + x));
      const __m128i v1 = _mm_loadu_si128(reinterpret_cast<__m128i*>(p + x + 4));
      __m128i whole;
      __m128i q16 = IntegerLevels8(v0, v1, &whole);
      if (_mm_movemask_epi8(whole) != 0) {
        // Gray pixels (S = 100 b) are exact and stay; a coloured one on a whole level takes the
        // double road.
        const __m128i g0 = GrayMask(v0), g1 = GrayMask(v1);
        const __m128i w0 = _mm_unpacklo_epi16(whole, whole), w1 = _mm_unpackhi_epi16(whole, whole);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_andnot_si128(g0, w0), _mm_andnot_si128(g1, w1))) != 0) {
          const __m128i byte = _mm_set1_epi32(0xFF);
          __m128i l0 = WeightedLevels<0, 8, 16>(v0, wb2, wg2, wr2);
          __m128i l1 = WeightedLevels<0, 8, 16>(v1, wb2, wg2, wr2);
          l0 = _mm_or_si128(_mm_and_si128(g0, _mm_and_si128(v0, byte)), _mm_andnot_si128(g0, l0));
          l1 = _mm_or_si128(_mm_and_si128(g1, _mm_and_si128(v1, byte)), _mm_andnot_si128(g1, l1));
          q16 = _mm_packs_epi32(l0, l1);
        }
      }
      __m128i lo, hi;
      LevelPixels(q16, &lo, &hi);
      lo = _mm_subs_epu8(_mm_adds_epu8(lo, add), sub);
      hi = _mm_subs_epu8(_mm_adds_epu8(hi, add), sub);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x),
                       _mm_or_si128(_mm_andnot_si128(alpha, lo), _mm_and_si128(v0, alpha)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x + 4),
                       _mm_or_si128(_mm_andnot_si128(alpha, hi), _mm_and_si128(v1, alpha)));
    }
    for (; x < cx; ++x) {
      DWORD v = p[x];
      int b = v & 0xFF, g = (v >> 8) & 0xFF, r = (v >> 16) & 0xFF;
      int level = b;
      if (b != g || g != r) {
        double l = gray.b[b] + gray.g[g] + gray.r[r];
        level = l >= 255 ? 255 : static_cast<int>(l);
      }
      p[x] = (v & 0xFF000000) | tinted[level];
    }
  }
}

void CGdipEffects::BlackWhite(Bitmap* pBitmap, int nThreshold) {
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  const GrayWeights gray;
  const __m128d wb2 = _mm_set1_pd(0.11), wr2 = _mm_set1_pd(0.3), wg2 = _mm_set1_pd(0.59);
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  // Levels lie in 0..255, so the threshold can be held in 16 bits; and only a level of exactly
  // threshold + 1 can be pulled below it by the last bit of the double arithmetic.
  const int t = std::min(std::max(nThreshold, -1), 255);
  const __m128i threshold = _mm_set1_epi16(static_cast<short>(t));
  const __m128i edge = _mm_set1_epi16(static_cast<short>(t + 1));
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    int x = 0;
    for (; x + 8 <= cx; x += 8) {
      const __m128i v0 = _mm_loadu_si128(reinterpret_cast<__m128i*>(p + x));
      const __m128i v1 = _mm_loadu_si128(reinterpret_cast<__m128i*>(p + x + 4));
      __m128i whole;
      __m128i q16 = IntegerLevels8(v0, v1, &whole);
      if (_mm_movemask_epi8(_mm_and_si128(whole, _mm_cmpeq_epi16(q16, edge))) != 0)
        q16 = _mm_packs_epi32(WeightedLevels<0, 16, 8>(v0, wb2, wr2, wg2),
                              WeightedLevels<0, 16, 8>(v1, wb2, wr2, wg2));
      const __m128i white = _mm_cmpgt_epi16(q16, threshold);
      const __m128i w0 = _mm_unpacklo_epi16(white, white), w1 = _mm_unpackhi_epi16(white, white);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x),
                       _mm_or_si128(_mm_and_si128(w0, colour), _mm_andnot_si128(colour, v0)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x + 4),
                       _mm_or_si128(_mm_and_si128(w1, colour), _mm_andnot_si128(colour, v1)));
    }
    for (; x < cx; ++x) {
      DWORD v = p[x];
      double l = gray.b[v & 0xFF] + gray.r[(v >> 16) & 0xFF] + gray.g[(v >> 8) & 0xFF];
      int level = l >= 255 ? 255 : static_cast<int>(l);
      p[x] = (v & 0xFF000000) | (level > nThreshold ? 0x00FFFFFF : 0);
    }
  }
}

void CGdipEffects::InvertColor(Bitmap* pBitmap, BYTE nMask) {
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  DWORD flip =
      ((nMask & 1) ? 0x00FF0000 : 0) | ((nMask & 2) ? 0x0000FF00 : 0) | ((nMask & 4) ? 0x000000FF : 0);
  if (flip == 0)
    return;
  const __m128i flipV = _mm_set1_epi32(static_cast<int>(flip));
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    int x = 0;
    for (; x + 4 <= cx; x += 4) {
      __m128i* q = reinterpret_cast<__m128i*>(p + x);
      _mm_storeu_si128(q, _mm_xor_si128(_mm_loadu_si128(q), flipV));
    }
    for (; x < cx; ++x)
      p[x] ^= flip;
  }
}

void CGdipEffects::Solarize(Bitmap* pBitmap, int nThreshold) {
  if (nThreshold >= 255)
    return; // no channel value lies above it
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  // Bytes above the threshold are inverted: an unsigned byte compare through the sign-flip trick.
  int t = std::max(nThreshold, -1);
  const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i limit = _mm_set1_epi8(static_cast<char>((t < 0 ? 0 : t) ^ 0x80));
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    int x = 0;
    if (t < 0) {
      for (; x < cx; ++x)
        p[x] ^= 0x00FFFFFF;
      continue;
    }
    for (; x + 4 <= cx; x += 4) {
      __m128i v = _mm_loadu_si128(reinterpret_cast<__m128i*>(p + x));
      __m128i above = _mm_cmpgt_epi8(_mm_xor_si128(v, bias), limit);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x), _mm_xor_si128(v, _mm_and_si128(above, colour)));
    }
    for (; x < cx; ++x) {
      DWORD v = p[x];
      DWORD flip = 0;
      if (int(v & 0xFF) > t)
        flip |= 0xFF;
      if (int((v >> 8) & 0xFF) > t)
        flip |= 0xFF00;
      if (int((v >> 16) & 0xFF) > t)
        flip |= 0xFF0000;
      p[x] = v ^ flip;
    }
  }
}

namespace {

// The three channel curves (blue, green, red) over the locked area; alpha is kept. Curves that
// fit the affine form run four pixels a step, others through their tables.
void ApplyCurves(const CGdipBitsLock& lock, int cx, int cy, const BYTE* const (&tables)[3],
                 const AffineCurve (&curves)[3]) {
  if (!curves[0].ok || !curves[1].ok || !curves[2].ok) {
    ApplyTables(lock, cx, cy, tables[0], tables[1], tables[2]);
    return;
  }
  // Lanes blue, green, red, alpha; alpha passes through as 1 x a.
  auto lanes = [&](int (*pick)(const AffineCurve&), int alphaValue) {
    return _mm_set_epi16(static_cast<short>(alphaValue), static_cast<short>(pick(curves[2])),
                         static_cast<short>(pick(curves[1])), static_cast<short>(pick(curves[0])),
                         static_cast<short>(alphaValue), static_cast<short>(pick(curves[2])),
                         static_cast<short>(pick(curves[1])), static_cast<short>(pick(curves[0])));
  };
  const __m128i N = lanes([](const AffineCurve& a) { return a.n; }, 1);
  const __m128i M = lanes([](const AffineCurve& a) { return a.m; }, 0);
  const __m128i up = lanes([](const AffineCurve& a) { return std::max(a.c, 0); }, 0);
  const __m128i down = lanes([](const AffineCurve& a) { return std::max(-a.c, 0); }, 0);
  const __m128i ceiling = _mm_set1_epi16(static_cast<short>(0xFF00)), zero = _mm_setzero_si128();
  // n x + floor(x m / 65536) + c, saturating; then min(., 255) as (t + 0xFF00) - 0xFF00 saturating.
  auto curve = [&](__m128i x) {
    __m128i t = _mm_adds_epu16(_mm_mullo_epi16(x, N), _mm_mulhi_epu16(x, M));
    t = _mm_subs_epu16(_mm_adds_epu16(t, up), down);
    return _mm_subs_epu16(_mm_adds_epu16(t, ceiling), ceiling);
  };
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    int x = 0;
    for (; x + 4 <= cx; x += 4) {
      __m128i* q = reinterpret_cast<__m128i*>(p + x);
      const __m128i v = _mm_loadu_si128(q);
      _mm_storeu_si128(
          q, _mm_packus_epi16(curve(_mm_unpacklo_epi8(v, zero)), curve(_mm_unpackhi_epi8(v, zero))));
    }
    for (; x < cx; ++x) {
      const DWORD v = p[x];
      p[x] = (v & 0xFF000000) | (DWORD(tables[2][(v >> 16) & 0xFF]) << 16) |
             (DWORD(tables[1][(v >> 8) & 0xFF]) << 8) | tables[0][v & 0xFF];
    }
  }
}

} // namespace

void CGdipEffects::ColorBalance(Bitmap* pBitmap, int nRed, int nGreen, int nBlue) {
  BYTE tr[256], tg[256], tb[256];
  BuildGainTable(tr, nRed);
  BuildGainTable(tg, nGreen);
  BuildGainTable(tb, nBlue);
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (lock.IsLocked()) {
    const BYTE* const tables[3] = {tb, tg, tr};
    const AffineCurve curves[3] = {FitCurve(tb, GainFactor(nBlue), 0), FitCurve(tg, GainFactor(nGreen), 0),
                                   FitCurve(tr, GainFactor(nRed), 0)};
    ApplyCurves(lock, cx, cy, tables, curves);
  }
}

void CGdipEffects::Brightness(Bitmap* pBitmap, int nLevel) {
  BuildGainTable(lut, nLevel);
  // The table applied as ApplyLookupTable does, its straight-line form recognised.
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (lock.IsLocked()) {
    const AffineCurve c = FitCurve(lut, GainFactor(nLevel), 0);
    const BYTE* const tables[3] = {lut, lut, lut};
    const AffineCurve curves[3] = {c, c, c};
    ApplyCurves(lock, cx, cy, tables, curves);
  }
}

void CGdipEffects::Contrast(Bitmap* pBitmap, int nLevel) {
  double f = kNoFactor;
  if (nLevel == 128) {
    // 128 / (128 - level) has no value here: the steepest curve keeps black and saturates the rest.
    for (int i = 0; i < 256; ++i)
      lut[i] = i == 0 ? 0 : 255;
  } else {
    f = nLevel <= 0 ? (128 + nLevel) * 0.0078125 : 128.0 / (128 - nLevel);
    for (int i = 0; i < 256; ++i) {
      double v = i * f - nLevel;
      lut[i] = static_cast<BYTE>(v <= 0 ? 0 : (v >= 255 ? 255 : static_cast<int>(v)));
    }
  }
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (lock.IsLocked()) {
    const AffineCurve c = FitCurve(lut, f, -nLevel);
    const BYTE* const tables[3] = {lut, lut, lut};
    const AffineCurve curves[3] = {c, c, c};
    ApplyCurves(lock, cx, cy, tables, curves);
  }
}

void CGdipEffects::ApplyLookupTable(Bitmap* pBitmap) {
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (lock.IsLocked())
    ApplyTables(lock, cx, cy, lut, lut, lut);
}
