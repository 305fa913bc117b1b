// Colour filters, convolution, multiply blend and the fade and bevel edges of CGdipEffects.
#include "imaging/GdipEffects.h"

#include <emmintrin.h>

#include <algorithm>
#include <climits>
#include <limits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

using namespace Gdiplus;

namespace {

inline int ClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// The MinGW wrappers keep their native handle and last status private and offer no way to set
// the status. An explicit instantiation may name private members, which yields one member
// pointer to each without copying the wrappers' layout.
template <typename Tag, typename Tag::Type Member> struct MemberKey {
  friend typename Tag::Type Get(Tag) { return Member; }
};
struct LastStatusTag {
  typedef Status Image::*Type;
  friend Type Get(LastStatusTag);
};
struct NativeImageTag {
  typedef GpImage* Image::*Type;
  friend Type Get(NativeImageTag);
};
template struct MemberKey<LastStatusTag, &Image::lastStatus>;
template struct MemberKey<NativeImageTag, &Image::nativeImage>;

// The factor of the brightness and balance curves; NaN at level 255, where it has no value.
double GainFactor(int level) {
  if (level == 255)
    return std::numeric_limits<double>::quiet_NaN();
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
  if (!(f >= 0 && f <= 255) || c < -255 || c > 255)
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

// Maps a convolution sum to its clamped channel value through a table when the range of sums is
// small enough, otherwise by division.
class SumMapper {
public:
  SumMapper(int minSum, int maxSum, int divisor, int bias) : m_min(minSum), m_divisor(divisor), m_bias(bias) {
    long long range = static_cast<long long>(maxSum) - minSum + 1;
    if (range > 0 && range <= (1 << 22)) {
      m_table.resize(static_cast<size_t>(range));
      for (int s = minSum; s <= maxSum; ++s)
        m_table[s - minSum] = static_cast<BYTE>(Compute(s));
    }
  }
  bool HasTable() const { return !m_table.empty(); }
  // Table indexed by sum - minSum.
  const BYTE* Table() const { return m_table.data(); }
  int Min() const { return m_min; }
  int Map(int sum) const { return m_table.empty() ? Compute(sum) : m_table[sum - m_min]; }

private:
  int Compute(int sum) const {
    long long c = (m_divisor != 0 ? sum / m_divisor : sum) + static_cast<long long>(m_bias);
    return c < 0 ? 0 : (c > 255 ? 255 : static_cast<int>(c));
  }
  int m_min;
  int m_divisor;
  int m_bias;
  std::vector<BYTE> m_table;
};

// Columns [x0, x1) of a row that the band rule leaves to filter, as up to two intervals.
struct Intervals {
  int count = 0;
  int from[2];
  int to[2];
};

Intervals RowIntervals(int y, int cx, int cy, int bandX, int bandY) {
  Intervals iv;
  int skipFrom = 0, skipTo = -1; // inclusive
  if (bandY <= y && y <= cy - bandY) {
    skipFrom = std::max(bandX, 0);
    skipTo = std::min(cx - bandX, cx - 1);
  }
  if (skipFrom > skipTo) {
    iv.from[0] = 0;
    iv.to[0] = cx;
    iv.count = 1;
    return iv;
  }
  if (skipFrom > 0) {
    iv.from[iv.count] = 0;
    iv.to[iv.count++] = skipFrom;
  }
  if (skipTo + 1 < cx) {
    iv.from[iv.count] = skipTo + 1;
    iv.to[iv.count++] = cx;
  }
  return iv;
}

inline int ClampIndex(int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); }

} // namespace

void GdipRecordStatus(Image* pImage, Status status) {
  if (pImage != NULL && status != Ok)
    pImage->*Get(LastStatusTag()) = status;
}

GpImage* GdipNativeImage(Image* pImage) { return pImage != NULL ? pImage->*Get(NativeImageTag()) : NULL; }

CGdipBitsLock::CGdipBitsLock(Bitmap* pBitmap, int x, int y, int cx, int cy, UINT mode)
    : m_pBitmap(pBitmap), m_bLocked(false) {
  std::memset(&m_data, 0, sizeof(m_data));
  if (pBitmap == NULL)
    return;
  if (cx <= 0 || cy <= 0) {
    GdipRecordStatus(pBitmap, InvalidParameter);
    return;
  }
  Rect rc(x, y, cx, cy);
  m_bLocked = pBitmap->LockBits(&rc, mode, PixelFormat32bppARGB, &m_data) == Ok;
}

CGdipBitsLock::~CGdipBitsLock() {
  if (m_bLocked)
    m_pBitmap->UnlockBits(&m_data);
}

void CGdipEffects::SetSize(int width, int height) {
  cx = width;
  cy = height;
}

void CGdipEffects::CopyPixels(Bitmap* pTarget, Bitmap* pSource) {
  if (pTarget == pSource)
    return;
  CGdipBitsLock src(pSource, 0, 0, cx, cy, ImageLockModeRead);
  CGdipBitsLock dst(pTarget, 0, 0, cx, cy, ImageLockModeWrite);
  if (!src.IsLocked() || !dst.IsLocked())
    return;
  for (int y = 0; y < cy; ++y)
    std::memcpy(dst.Row(y), src.Row(y), static_cast<size_t>(cx) * 4);
}

namespace {

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

void CGdipEffects::Emboss(Bitmap* pBitmap, int nDepth, int nMode) {
  if (nDepth == 0)
    return;
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  // Mode 1: the clamped third of the channel differences summed, indexed by sum(P) - sum(Q) + 765.
  BYTE gray[1531];
  for (int i = 0; i < 1531; ++i)
    gray[i] = static_cast<BYTE>(ClampByte((i - 765 + 384) / 3));

  auto emboss = [&](DWORD* p, DWORD q) {
    DWORD v = *p;
    if (nMode == 1) {
      int d = int(v & 0xFF) + int((v >> 8) & 0xFF) + int((v >> 16) & 0xFF) -
              (int(q & 0xFF) + int((q >> 8) & 0xFF) + int((q >> 16) & 0xFF));
      DWORD g = gray[d + 765];
      *p = (v & 0xFF000000) | (g << 16) | (g << 8) | g;
    } else {
      // Per byte (P - Q + 128) mod 256 without borrows between bytes; adding 128 flips bit 7.
      const DWORD h = 0x80808080;
      DWORD diff = ((v | h) - (q & ~h)) ^ ((v ^ ~q) & h);
      *p = (v & 0xFF000000) | ((diff ^ h) & 0x00FFFFFF);
    }
  };

  if (nDepth > 0) {
    // The partner lies below or to the right and is never visited before its pixel, so rows in
    // memory order give the same result as the column order and read the buffer sequentially.
    const __m128i byte = _mm_set1_epi32(0xFF), colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
    const __m128i third = _mm_set1_epi16(21846), top = _mm_set1_epi16(255), zero = _mm_setzero_si128();
    auto channelSum = [&](__m128i v) {
      return _mm_add_epi32(_mm_add_epi32(_mm_and_si128(v, byte), _mm_and_si128(_mm_srli_epi32(v, 8), byte)),
                           _mm_and_si128(_mm_srli_epi32(v, 16), byte));
    };
    for (int y = 0; y < cy; ++y) {
      DWORD* p = lock.Row(y);
      const DWORD* q = lock.Row(std::min(y + nDepth, cy - 1));
      int x = 0;
      // Four pixels a step while their partners need no clamping; both are read before the
      // write, and later partners lie beyond it.
      for (; x + nDepth + 4 <= cx; x += 4) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
        __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q + x + nDepth));
        __m128i out;
        if (nMode == 1) {
          // (sum(P) - sum(Q) + 384) / 3, negatives giving 0; the multiply-high by 21846 is an
          // exact division by 3 up to 1149.
          __m128i d = _mm_add_epi32(_mm_sub_epi32(channelSum(v), channelSum(w)), _mm_set1_epi32(384));
          __m128i d16 = _mm_max_epi16(_mm_packs_epi32(d, d), zero);
          __m128i g = _mm_min_epi16(_mm_mulhi_epu16(d16, third), top);
          out = GrayPixels(_mm_unpacklo_epi16(g, zero));
        } else {
          out = _mm_xor_si128(_mm_sub_epi8(v, w), flip);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x),
                         _mm_or_si128(_mm_and_si128(out, colour), _mm_andnot_si128(colour, v)));
      }
      for (; x < cx; ++x)
        emboss(p + x, q[std::min(x + nDepth, cx - 1)]);
    }
  } else {
    // A negative depth reaches back to visited pixels; keep the column order and the picture's edge.
    for (int x = 0; x < cx; ++x) {
      int qx = std::max(x + nDepth, 0);
      for (int y = 0; y < cy; ++y)
        emboss(lock.Row(y) + x, lock.Row(std::max(y + nDepth, 0))[qx]);
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
  double f = std::numeric_limits<double>::quiet_NaN();
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

void CGdipEffects::Convolve(Bitmap* pBitmap, const int* pKernel, int n, int nDivisor, int nBias, int nBandX,
                            int nBandY) {
  if (pKernel == NULL || n <= 0)
    return;
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  int h = n / 2;
  int centre = pKernel[h * n + h];
  int outer = n == 1 ? 0 : pKernel[h * n + h == 0 ? 1 : 0];
  bool box = true;
  for (int i = 0; i < n * n && box; ++i)
    box = i == h * n + h || pKernel[i] == outer;
  if (box)
    BoxConvolve(lock.Bits(), lock.Stride(), n, outer, centre, nDivisor, nBias, nBandX, nBandY);
  else
    DirectConvolve(lock.Bits(), lock.Stride(), pKernel, n, nDivisor, nBias, nBandX, nBandY);
}

namespace {

// Exact division of non-negative 16-bit sums by a constant: one multiply-high and a shift,
// checked against every sum that can occur.
struct Reciprocal {
  bool exact = false;
  int multiplier = 0;
  int shift = 0;
};

Reciprocal FindReciprocal(int divisor, int maxSum) {
  Reciprocal r;
  if (divisor < 2 || maxSum > 32767)
    return r;
  for (int shift = 0; shift < 16; ++shift) {
    long long m = ((1LL << (16 + shift)) + divisor - 1) / divisor;
    if (m > 65535)
      break;
    bool ok = true;
    for (int v = 0; v <= maxSum && ok; ++v)
      ok = (((v * m) >> 16) >> shift) == v / divisor;
    if (ok) {
      r.exact = true;
      r.multiplier = static_cast<int>(m);
      r.shift = shift;
      return r;
    }
  }
  return r;
}

inline __m128i Unpack1(DWORD v) {
  return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(v)), _mm_setzero_si128());
}
inline __m128i Unpack2(const DWORD* p) {
  return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
}
inline __m128i Load1(const uint16_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
inline __m128i Load2(const uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store1(uint16_t* p, __m128i v) { _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v); }
inline void Store2(uint16_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// How the SIMD chain maps a sum to a channel value.
enum ChainMode {
  kChainPlain, // sum = Q + L, divided, always inside 0..255 (blur)
  kChainNeg,   // sum = Q - L, negatives give 0, divided, clamped above (sharpen)
  kChainAny    // every step decided at run time
};

// Box filtering written back in place exactly as the plain n x n loop would: pixels above and to
// the left of the one being computed contribute their filtered values.
//
// Per row, V[x] holds for column x the sum over the window rows (blue, green, red, alpha lanes of
// 16 bits), taking the rows above as they now are (filtered), the rows below as they are, and the
// row itself as it was before the row started. The sum of a window is then the sum of V over its
// columns, corrected where pixels of the row itself have been filtered since. Inside the row,
// where no window needs clamping, a SIMD chain carries only that correction from pixel to pixel.
struct BoxFilter {
  BYTE* bits;
  int stride, cx, cy;
  int n, lo, hi;
  int outer, extra; // sum = outer x box + extra x pixel
  int divisor, bias;
  const SumMapper* map;

  bool simd = false;
  ChainMode mode = kChainAny;
  bool clampLow = false, divide = false;
  Reciprocal recip;
  // Blur pairs: floor((A + floor(B / d)) / d) = floor((d A + B) / d^2) for A, B >= 0, so the second
  // pixel of a pair follows from the first one's input with one division by d^2.
  Reciprocal recipPair;

  std::vector<uint16_t> V; // 4 lanes per column
  std::vector<uint16_t> Q, P, PO, N;
  std::vector<DWORD> orig;       // the current row before filtering
  std::vector<const BYTE*> rows; // the window rows of the current row

  BYTE* Row(int y) const { return bits + ClampIndex(y, cy - 1) * stride; }
  int RowMultiplicity(int y) const {
    int m = 0;
    for (int d = lo; d <= hi; ++d)
      m += ClampIndex(y + d, cy - 1) == y;
    return m;
  }

  // The window rows of row y; the row itself is read from its copy as it was.
  void SelectRows(int y) {
    rows.resize(n);
    for (int d = lo; d <= hi; ++d) {
      int r = ClampIndex(y + d, cy - 1);
      rows[d - lo] = r == y ? reinterpret_cast<const BYTE*>(orig.data()) : Row(r);
    }
  }

  // V for columns [c0, c1) of row y.
  void Columns(int y, int c0, int c1) {
    SelectRows(y);
    const __m128i zero = _mm_setzero_si128();
    int x = c0;
    for (; x + 4 <= c1; x += 4) {
      __m128i a = zero, b = zero;
      for (int k = 0; k < n; ++k) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + x * 4));
        a = _mm_add_epi16(a, _mm_unpacklo_epi8(v, zero));
        b = _mm_add_epi16(b, _mm_unpackhi_epi8(v, zero));
      }
      Store2(V.data() + x * 4, a);
      Store2(V.data() + x * 4 + 8, b);
    }
    for (; x < c1; ++x) {
      for (int c = 0; c < 4; ++c) {
        int s = 0;
        for (int k = 0; k < n; ++k)
          s += rows[k][x * 4 + c];
        V[x * 4 + c] = static_cast<uint16_t>(s);
      }
    }
  }

  // Pixels [x0, x1) one at a time, for any window; mY is how often the row itself is counted.
  void General(BYTE* row, int mY, int x0, int x1) {
    for (int x = x0; x < x1; ++x) {
      int box[3] = {0, 0, 0};
      for (int d = lo; d <= hi; ++d) {
        int c = ClampIndex(x + d, cx - 1);
        const uint16_t* v = V.data() + c * 4;
        const BYTE* now = row + c * 4;
        const BYTE* was = reinterpret_cast<const BYTE*>(orig.data() + c);
        for (int k = 0; k < 3; ++k)
          box[k] += v[k] + mY * (now[k] - was[k]);
      }
      BYTE* p = row + x * 4;
      for (int k = 0; k < 3; ++k)
        p[k] = static_cast<BYTE>(map->Map(outer * box[k] + extra * p[k]));
    }
  }

  // Pixels [xa, xb) of a row counted once in its windows, with xa >= h and xb + hi <= cx.
  template <ChainMode Mode> void Chain(BYTE* row, int xa, int xb) {
    const int h = -lo;
    const int count = xb - xa;
    const __m128i zero = _mm_setzero_si128();
    const __m128i extraV = _mm_set1_epi16(static_cast<short>(extra));
    Q.resize((count + 2) * 4);
    N.resize((count + h + 1) * 4);
    const DWORD* o = orig.data();
    // Q(x): the window without its filtered left neighbours, weighted, plus the centre's extra.
    auto finish = [&](__m128i a, int x) {
      __m128i q = outer > 0 ? a : _mm_sub_epi16(zero, a);
      if (extra != 0)
        q = _mm_add_epi16(q, _mm_mullo_epi16(extraV, Unpack2(o + x)));
      return q;
    };
    if (n == 3) {
      const uint16_t* v = V.data();
      for (int x = xa; x < xb; x += 2) {
        __m128i a =
            _mm_add_epi16(_mm_add_epi16(Load2(v + (x - 1) * 4), Load2(v + x * 4)), Load2(v + (x + 1) * 4));
        Store2(Q.data() + (x - xa) * 4, finish(_mm_sub_epi16(a, Unpack2(o + x - 1)), x));
      }
    } else {
      // Running sums over the columns from xa - h on, so that any window is a difference.
      const int base = xa - h, span = xb + hi - base;
      P.resize((span + 2) * 4); // the two-pixel loads may read one entry past the last
      PO.resize((span + 2) * 4);
      __m128i p = zero, po = zero;
      Store1(P.data(), zero);
      Store1(PO.data(), zero);
      for (int i = 0; i < span; ++i) {
        p = _mm_add_epi16(p, Load1(V.data() + (base + i) * 4));
        po = _mm_add_epi16(po, Unpack1(o[base + i]));
        Store1(P.data() + (i + 1) * 4, p);
        Store1(PO.data() + (i + 1) * 4, po);
      }
      for (int x = xa; x < xb; x += 2) {
        const int i = x - xa;
        __m128i box = _mm_sub_epi16(Load2(P.data() + (i + n) * 4), Load2(P.data() + i * 4));
        __m128i left = _mm_sub_epi16(Load2(PO.data() + (i + h) * 4), Load2(PO.data() + i * 4));
        Store2(Q.data() + i * 4, finish(_mm_sub_epi16(box, left), x));
      }
    }
    // The chain: each pixel adds its filtered left neighbours (L) to Q.
    __m128i L = zero;
    for (int j = 0; j < h; ++j) {
      __m128i v = Unpack1(reinterpret_cast<DWORD*>(row)[xa - h + j]);
      Store1(N.data() + j * 4, v);
      L = _mm_add_epi16(L, v);
    }
    const __m128i mult = _mm_set1_epi16(static_cast<short>(recip.multiplier));
    const __m128i shift = _mm_cvtsi32_si128(recip.shift);
    const __m128i biasV = _mm_set1_epi16(static_cast<short>(bias));
    const __m128i top = _mm_set1_epi16(255);
    DWORD* out = reinterpret_cast<DWORD*>(row);
    for (int i = 0; i < count; ++i) {
      const __m128i q = Load1(Q.data() + i * 4);
      __m128i v;
      if (Mode == kChainPlain) {
        v = _mm_srl_epi16(_mm_mulhi_epu16(_mm_add_epi16(q, L), mult), shift);
      } else if (Mode == kChainNeg) {
        v = _mm_max_epi16(_mm_sub_epi16(q, L), zero);
        v = _mm_min_epi16(_mm_srl_epi16(_mm_mulhi_epu16(v, mult), shift), top);
      } else {
        v = outer > 0 ? _mm_add_epi16(q, L) : _mm_sub_epi16(q, L);
        if (clampLow)
          v = _mm_max_epi16(v, zero);
        if (divide)
          v = _mm_srl_epi16(_mm_mulhi_epu16(v, mult), shift);
        v = _mm_min_epi16(_mm_max_epi16(_mm_adds_epi16(v, biasV), zero), top);
      }
      out[xa + i] = static_cast<DWORD>(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
      if (h == 1) {
        L = v;
      } else {
        // The neighbour leaving the window is taken off first; only the add waits for v.
        Store1(N.data() + (i + h) * 4, v);
        L = _mm_add_epi16(_mm_sub_epi16(L, Load1(N.data() + i * 4)), v);
      }
    }
    RestoreAlpha(out, xa, xb);
  }

  // Chain for 3 x 3 windows with everything fused into one pass of two pixels a step, so that the
  // column and window sums of the next pixels fill the time the chain waits for its divisions.
  // Few values live across steps: 32-bit x86 has eight vector registers, and a spilled chain
  // value would put a store and a load on the critical path. Needs xa >= 1; the pixels the steps
  // cannot reach are left to the caller, and the first of them is returned.
  template <ChainMode Mode, bool Shifted, bool HasExtra, bool Paired> int Chain3(BYTE* row, int xa, int xb) {
    alignas(16) static const short kTop[8] = {255, 255, 255, 255, 255, 255, 255, 255};
    alignas(16) short multArr[8], extraArr[8], pairArr[8], divArr[8];
    for (int i = 0; i < 8; ++i) {
      multArr[i] = static_cast<short>(recip.multiplier);
      extraArr[i] = static_cast<short>(extra);
      pairArr[i] = static_cast<short>(recipPair.multiplier);
      divArr[i] = static_cast<short>(divisor);
    }
    const __m128i* multP = reinterpret_cast<const __m128i*>(multArr);
    const __m128i* extraP = reinterpret_cast<const __m128i*>(extraArr);
    const __m128i* pairP = reinterpret_cast<const __m128i*>(pairArr);
    const __m128i* divP = reinterpret_cast<const __m128i*>(divArr);
    const __m128i* topP = reinterpret_cast<const __m128i*>(kTop);
    const int sh = recip.shift, shPair = recipPair.shift;
    const DWORD* __restrict above = reinterpret_cast<const DWORD*>(rows[0]);
    const DWORD* __restrict below = reinterpret_cast<const DWORD*>(rows[2]);
    const DWORD* __restrict o = orig.data();
    DWORD* __restrict out = reinterpret_cast<DWORD*>(row);
    // Column sums of two columns.
    auto pair = [&](int c) {
      const __m128i z = _mm_setzero_si128();
      return _mm_add_epi16(
          _mm_add_epi16(_mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(above + c)), z),
                        _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(o + c)), z)),
          _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(below + c)), z));
    };
    auto hiLo = [](__m128i a, __m128i b) { // columns (a.high, b.low)
      return _mm_castpd_si128(_mm_shuffle_pd(_mm_castsi128_pd(a), _mm_castsi128_pd(b), 1));
    };
    auto step = [&](__m128i q, __m128i L) {
      __m128i v;
      if (Mode == kChainPlain) {
        v = _mm_mulhi_epu16(_mm_add_epi16(q, L), _mm_load_si128(multP));
      } else {
        // q was clamped at 0 before the chain, so max(q - L, 0) is one unsigned saturating step.
        v = _mm_mulhi_epu16(_mm_subs_epu16(q, L), _mm_load_si128(multP));
      }
      if (Shifted)
        v = _mm_srli_epi16(v, sh);
      if (Mode != kChainPlain)
        v = _mm_min_epi16(v, _mm_load_si128(topP));
      return v;
    };
    // vMid: columns (x - 1, x); vCur: columns (x, x + 1).
    __m128i vMid = pair(xa - 1);
    __m128i vCur = pair(xa);
    __m128i L = Unpack1(out[xa - 1]);
    int x = xa;
    for (; x + 2 <= xb && x + 4 <= cx; x += 2) {
      const __m128i vNext = pair(x + 2);
      const __m128i right = hiLo(vCur, vNext); // columns (x + 1, x + 2)
      __m128i a = _mm_add_epi16(_mm_add_epi16(vMid, vCur), right);
      a = _mm_sub_epi16(a, Unpack2(o + x - 1)); // the left neighbours come from the chain
      __m128i q;
      if (Mode == kChainPlain)
        q = HasExtra ? _mm_add_epi16(a, _mm_mullo_epi16(_mm_load_si128(extraP), Unpack2(o + x))) : a;
      else
        q = _mm_max_epi16(HasExtra ? _mm_sub_epi16(_mm_mullo_epi16(_mm_load_si128(extraP), Unpack2(o + x)), a)
                                   : _mm_sub_epi16(_mm_setzero_si128(), a),
                          _mm_setzero_si128());
      const __m128i qNext = _mm_unpackhi_epi64(q, q);
      __m128i v0;
      if (Paired) {
        // Both pixels from L at once: the second as (d Q(x + 1) + Q(x) + L) / d^2.
        const __m128i u = _mm_add_epi16(q, _mm_mullo_epi16(qNext, _mm_load_si128(divP)));
        v0 = step(q, L);
        L = _mm_srli_epi16(_mm_mulhi_epu16(_mm_add_epi16(u, L), _mm_load_si128(pairP)), shPair);
      } else {
        v0 = step(q, L);
        L = step(qNext, v0);
      }
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x),
                       _mm_packus_epi16(_mm_unpacklo_epi64(v0, L), _mm_setzero_si128()));
      vMid = right;
      vCur = vNext;
    }
    RestoreAlpha(out, xa, x);
    return x;
  }

  int Chain3Dispatch(BYTE* row, int xa, int xb) {
    const bool shifted = recip.shift != 0, withExtra = extra != 0;
    if (mode == kChainPlain && recipPair.exact) {
      if (shifted)
        return withExtra ? Chain3<kChainPlain, true, true, true>(row, xa, xb)
                         : Chain3<kChainPlain, true, false, true>(row, xa, xb);
      return withExtra ? Chain3<kChainPlain, false, true, true>(row, xa, xb)
                       : Chain3<kChainPlain, false, false, true>(row, xa, xb);
    }
    if (mode == kChainPlain) {
      if (shifted)
        return withExtra ? Chain3<kChainPlain, true, true, false>(row, xa, xb)
                         : Chain3<kChainPlain, true, false, false>(row, xa, xb);
      return withExtra ? Chain3<kChainPlain, false, true, false>(row, xa, xb)
                       : Chain3<kChainPlain, false, false, false>(row, xa, xb);
    }
    if (shifted)
      return withExtra ? Chain3<kChainNeg, true, true, false>(row, xa, xb)
                       : Chain3<kChainNeg, true, false, false>(row, xa, xb);
    return withExtra ? Chain3<kChainNeg, false, true, false>(row, xa, xb)
                     : Chain3<kChainNeg, false, false, false>(row, xa, xb);
  }

  void RestoreAlpha(DWORD* out, int xa, int xb) {
    const DWORD* o = orig.data();
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    int x = xa;
    for (; x + 4 <= xb; x += 4) {
      __m128i now = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + x));
      __m128i was = _mm_loadu_si128(reinterpret_cast<const __m128i*>(o + x));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                       _mm_or_si128(_mm_and_si128(now, colour), _mm_andnot_si128(colour, was)));
    }
    for (; x < xb; ++x)
      out[x] = (out[x] & 0x00FFFFFF) | (o[x] & 0xFF000000);
  }

  void FilterRow(int y, const Intervals& iv) {
    if (iv.count == 0)
      return;
    BYTE* row = bits + y * stride;
    orig.assign(reinterpret_cast<DWORD*>(row), reinterpret_cast<DWORD*>(row) + cx);
    orig.resize(cx + 2); // the two-pixel loads may read past the row's end
    const int mY = RowMultiplicity(y);
    for (int k = 0; k < iv.count; ++k) {
      const int x0 = iv.from[k], x1 = iv.to[k];
      int xa = x1, xb = x1;
      if (simd && mY == 1) {
        xa = std::max(x0, -lo);
        xb = std::min(x1, cx - hi);
        if (xa >= xb)
          xa = xb = x1;
      }
      const bool fused = n == 3 && xa < xb && mode != kChainAny;
      if (fused) {
        // Only the ends, done one pixel at a time, need the column sums as an array.
        SelectRows(y);
        Columns(y, std::max(x0 - 1, 0), std::min(xa + 1, cx));
        Columns(y, std::max(xb - 4, 0), std::min(x1 + 1, cx));
      } else {
        Columns(y, std::max(x0 + lo, 0), std::min(x1 + hi, cx));
      }
      General(row, mY, x0, xa);
      if (fused) {
        General(row, mY, Chain3Dispatch(row, xa, xb), xb);
      } else if (xa < xb) {
        if (mode == kChainPlain)
          Chain<kChainPlain>(row, xa, xb);
        else if (mode == kChainNeg)
          Chain<kChainNeg>(row, xa, xb);
        else
          Chain<kChainAny>(row, xa, xb);
      }
      General(row, mY, xb, x1);
    }
  }

  // Decides whether the chain's 16-bit arithmetic gives exactly the table's values.
  void PlanChain(int minSum, int maxSum) {
    simd = false;
    if ((outer != 1 && outer != -1) || minSum < -32767 || maxSum > 32767 || std::abs(extra) > 128 ||
        divisor < 0 || bias < -16384 || bias > 16384)
      return;
    // Truncating a negative quotient toward zero is not a multiply-high; it only matters when the
    // bias could lift such a quotient above 0.
    if (minSum < 0 && divisor > 1 && bias > 0)
      return;
    clampLow = minSum < 0 && divisor > 1;
    divide = divisor > 1;
    recip = divide ? FindReciprocal(divisor, maxSum) : Reciprocal();
    if (divide && !recip.exact)
      return;
    recipPair = Reciprocal();
    if (outer == 1 && bias == 0 && divide && minSum >= 0 && maxSum / divisor <= 255) {
      mode = kChainPlain;
      const long long pairMax = static_cast<long long>(divisor) * maxSum + maxSum + 255;
      if (n == 3 && pairMax <= 32767 && static_cast<long long>(divisor) * divisor <= 32767)
        recipPair = FindReciprocal(divisor * divisor, static_cast<int>(pairMax));
    } else if (outer == -1 && bias == 0 && divide && clampLow)
      mode = kChainNeg;
    else
      mode = kChainAny;
    simd = true;
  }
};

} // namespace

void CGdipEffects::BoxConvolve(BYTE* pBits, int nStride, int n, int nOuter, int nCentre, int nDivisor,
                               int nBias, int nBandX, int nBandY) {
  const int bandX = nBandX == -1 ? cx : nBandX;
  const int bandY = nBandY == -1 ? cy : nBandY;
  const long long boxMax = 255LL * n * n;
  const long long extraL = static_cast<long long>(nCentre) - nOuter;
  long long a = std::min(0LL, nOuter * boxMax) + std::min(0LL, extraL * 255);
  long long b = std::max(0LL, nOuter * boxMax) + std::max(0LL, extraL * 255);
  if (a < INT_MIN / 2 || b > INT_MAX / 2 || 255LL * n > 65535) {
    // Sums this large do not fit the column sums; the plain loop has no such limit.
    std::vector<int> kernel(n * n, nOuter);
    kernel[(n / 2) * n + n / 2] = nCentre;
    DirectConvolve(pBits, nStride, kernel.data(), n, nDivisor, nBias, nBandX, nBandY);
    return;
  }
  SumMapper map(static_cast<int>(a), static_cast<int>(b), nDivisor, nBias);
  BoxFilter f;
  f.bits = pBits;
  f.stride = nStride;
  f.cx = cx;
  f.cy = cy;
  f.n = n;
  f.lo = -(n / 2);
  f.hi = n - 1 - n / 2;
  f.outer = nOuter;
  f.extra = static_cast<int>(extraL);
  f.divisor = nDivisor;
  f.bias = nBias;
  f.map = &map;
  f.PlanChain(static_cast<int>(a), static_cast<int>(b));
  f.V.assign(static_cast<size_t>(cx + 2) * 4, 0);
  for (int y = 0; y < cy; ++y)
    f.FilterRow(y, RowIntervals(y, cx, cy, bandX, bandY));
}

void CGdipEffects::DirectConvolve(BYTE* pBits, int nStride, const int* pKernel, int n, int nDivisor,
                                  int nBias, int nBandX, int nBandY) {
  const int bandX = nBandX == -1 ? cx : nBandX;
  const int bandY = nBandY == -1 ? cy : nBandY;
  const int h = n / 2, hi = n - 1 - h;
  long long a = 0, b = 0;
  for (int i = 0; i < n * n; ++i) {
    (pKernel[i] < 0 ? a : b) += 255LL * pKernel[i];
  }
  bool fits = a >= INT_MIN && b <= INT_MAX;
  SumMapper map(fits ? static_cast<int>(a) : 0, fits ? static_cast<int>(b) : -1, nDivisor, nBias);

  // The taps other than the filtered left neighbours (kernel row h, columns 0 .. h - 1) can be
  // summed for a whole row first, in 16-bit lanes when their sums fit; the left neighbours then
  // follow pixel by pixel. Without left neighbours the row needs no chain at all.
  struct Tap {
    int row, dx;
  };
  std::vector<Tap> taps;
  std::vector<short> weights; // eight copies per tap (the heap here only promises 8-byte alignment)
  long long reach = 0;        // largest |sum| of those taps
  bool leftZero = true;
  for (int dy = 0; dy < n; ++dy) {
    for (int dx = 0; dx < n; ++dx) {
      const int k = pKernel[dy * n + dx];
      if (dy == h && dx < h) {
        leftZero = leftZero && k == 0;
        continue;
      }
      if (k == 0)
        continue;
      reach += 255LL * std::abs(static_cast<long long>(k));
      taps.push_back({dy, dx - h});
      weights.insert(weights.end(), 8, static_cast<short>(k));
    }
  }
  const bool simd = reach <= 32767 && fits;
  bool simdMap = false;
  Reciprocal recip;
  if (simd && leftZero && nDivisor >= 0 && nBias >= -16384 && nBias <= 16384) {
    if (nDivisor > 1) {
      recip = FindReciprocal(nDivisor, static_cast<int>(reach));
      simdMap = recip.exact;
    } else {
      simdMap = true; // no division
    }
  }
  const BYTE* table = map.HasTable() ? map.Table() : NULL;
  const int minSum = map.Min();

  std::vector<const BYTE*> rows(n);
  std::vector<uint16_t> sums;
  for (int y = 0; y < cy; ++y) {
    for (int dy = 0; dy < n; ++dy)
      rows[dy] = pBits + ClampIndex(y + dy - h, cy - 1) * nStride;
    BYTE* p = pBits + y * nStride;
    DWORD* row = reinterpret_cast<DWORD*>(p);
    // The plain loop, for pixels whose window is clamped.
    auto plain = [&](int x) {
      bool inside = x - h >= 0 && x + hi < cx;
      int sb = 0, sg = 0, sr = 0;
      const int* k = pKernel;
      for (int dy = 0; dy < n; ++dy) {
        const BYTE* r = rows[dy];
        for (int dx = 0; dx < n; ++dx, ++k) {
          const BYTE* q = r + (inside ? x + dx - h : ClampIndex(x + dx - h, cx - 1)) * 4;
          sb += *k * q[0];
          sg += *k * q[1];
          sr += *k * q[2];
        }
      }
      p[x * 4 + 0] = static_cast<BYTE>(map.Map(sb));
      p[x * 4 + 1] = static_cast<BYTE>(map.Map(sg));
      p[x * 4 + 2] = static_cast<BYTE>(map.Map(sr));
    };
    const bool rowInside = y - h >= 0 && y + hi < cy;
    Intervals iv = RowIntervals(y, cx, cy, bandX, bandY);
    for (int i = 0; i < iv.count; ++i) {
      const int x0 = iv.from[i], x1 = iv.to[i];
      int xa = x1, xb = x1;
      if (simd && rowInside) {
        xa = std::max(x0, h);
        xb = std::min(x1, cx - hi);
        if (xa >= xb)
          xa = xb = x1;
      }
      for (int x = x0; x < xa; ++x)
        plain(x);
      if (xa < xb) {
        // The sums of the other taps, from the rows as they are now: above filtered, the row
        // itself from x on and the rows below not yet.
        sums.resize(static_cast<size_t>(xb - xa + 1) * 4);
        const __m128i zero = _mm_setzero_si128();
        int x = xa;
        for (; x < xb; x += 2) {
          const bool pair = x + 2 <= xb;
          __m128i acc = zero;
          for (size_t t = 0; t < taps.size(); ++t) {
            const BYTE* src = rows[taps[t].row] + (x + taps[t].dx) * 4;
            const __m128i px = pair ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src))
                                    : _mm_cvtsi32_si128(*reinterpret_cast<const int*>(src));
            const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights.data() + t * 8));
            acc = _mm_add_epi16(acc, _mm_mullo_epi16(_mm_unpacklo_epi8(px, zero), w));
          }
          _mm_storeu_si128(reinterpret_cast<__m128i*>(sums.data() + (x - xa) * 4), acc);
        }
        if (simdMap) {
          // clamp(trunc(sum / divisor) + bias), the quotient taken on the magnitude.
          const __m128i mult = _mm_set1_epi16(static_cast<short>(recip.multiplier));
          const __m128i shift = _mm_cvtsi32_si128(recip.shift);
          const __m128i bias = _mm_set1_epi16(static_cast<short>(nBias));
          const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
          for (x = xa; x < xb; x += 2) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums.data() + (x - xa) * 4));
            if (nDivisor > 1) {
              const __m128i sign = _mm_srai_epi16(v, 15);
              __m128i mag = _mm_sub_epi16(_mm_xor_si128(v, sign), sign);
              mag = _mm_srl_epi16(_mm_mulhi_epu16(mag, mult), shift);
              v = _mm_sub_epi16(_mm_xor_si128(mag, sign), sign);
            }
            const __m128i out = _mm_packus_epi16(_mm_adds_epi16(v, bias), zero);
            if (x + 2 <= xb) {
              __m128i* dst = reinterpret_cast<__m128i*>(row + x);
              const __m128i was = _mm_loadl_epi64(dst);
              _mm_storel_epi64(dst, _mm_or_si128(_mm_and_si128(out, colour), _mm_andnot_si128(colour, was)));
            } else {
              row[x] = (static_cast<DWORD>(_mm_cvtsi128_si32(out)) & 0x00FFFFFF) | (row[x] & 0xFF000000);
            }
          }
        } else {
          // The filtered left neighbours, one pixel after the other.
          const int* left = pKernel + h * n; // weights of dx = -h .. -1
          for (x = xa; x < xb; ++x) {
            const uint16_t* sx = sums.data() + (x - xa) * 4;
            BYTE* px = p + x * 4;
            for (int c = 0; c < 3; ++c) {
              int sum = static_cast<int16_t>(sx[c]);
              for (int j = 0; j < h; ++j)
                sum += left[j] * px[(j - h) * 4 + c];
              px[c] = static_cast<BYTE>(table ? table[sum - minSum] : map.Map(sum));
            }
          }
        }
      }
      for (int x = xb; x < x1; ++x)
        plain(x);
    }
  }
}

void CGdipEffects::Blur(Bitmap* pBitmap, int nSize, int nBandX, int nBandY) {
  if (nSize < 1 || nSize > 5)
    return;
  int n = 2 * nSize + 1;
  std::vector<int> kernel(n * n, 1);
  Convolve(pBitmap, kernel.data(), n, n * n, 0, nBandX, nBandY);
}

void CGdipEffects::Sharpen(Bitmap* pBitmap, int nCount) {
  static const int kernel[9] = {-1, -1, -1, -1, 15, -1, -1, -1, -1};
  for (int i = 0; i < nCount; ++i)
    Convolve(pBitmap, kernel, 3, 7, 0, -1, -1);
}

BOOL CGdipEffects::MultiplyBlend(Bitmap* pTarget, Bitmap* pShade, int l, int t, int r, int b) {
  int ox = l < 0 ? -l : 0;
  int oy = t < 0 ? -t : 0;
  int left = std::max(l, 0), top = std::max(t, 0);
  int right = std::min(r, cx), bottom = std::min(b, cy);
  if (right <= left || bottom <= top)
    left = top = right = bottom = 0;
  int w = right - left, h = bottom - top;
  if (w > 0 && h > 0 && pShade != NULL) {
    int shadeW = static_cast<int>(pShade->GetWidth()), shadeH = static_cast<int>(pShade->GetHeight());
    CGdipBitsLock dst(pTarget, 0, 0, cx, cy, ImageLockModeRead);
    CGdipBitsLock shade(pShade, ox, oy, shadeW - ox, shadeH - oy);
    if (dst.IsLocked() && shade.IsLocked()) {
      // A rectangle larger than the shade stops at the shade's edge.
      // v / 255 for v = s x t <= 255 x 255 is (v + (v >> 8) + 1) >> 8, in 16 bits without overflow.
      const int rows = std::min(h, shadeH - oy), cols = std::min(w, shadeW - ox);
      const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi16(1);
      const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
      auto product = [&](__m128i a, __m128i b) {
        const __m128i v = _mm_mullo_epi16(a, b);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), one), 8);
      };
      for (int j = 0; j < rows; ++j) {
        DWORD* s = shade.Row(j);
        const DWORD* d = dst.Row(top + j) + left;
        int i = 0;
        for (; i + 4 <= cols; i += 4) {
          const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
          const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
          const __m128i lo = product(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero));
          const __m128i hi = product(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero));
          const __m128i out = _mm_packus_epi16(lo, hi);
          _mm_storeu_si128(reinterpret_cast<__m128i*>(s + i),
                           _mm_or_si128(_mm_and_si128(out, colour), _mm_andnot_si128(colour, sv)));
        }
        for (; i < cols; ++i) {
          BYTE* sp = reinterpret_cast<BYTE*>(s + i);
          const BYTE* dp = reinterpret_cast<const BYTE*>(d + i);
          for (int c = 0; c < 3; ++c) {
            unsigned v = unsigned(sp[c]) * dp[c];
            sp[c] = static_cast<BYTE>((v + (v >> 8) + 1) >> 8);
          }
        }
      }
    }
  }
  cx = w;
  cy = h;
  return TRUE;
}

namespace {

// Moves count pixels toward the back colour (blue, green, red, 0 as floats): pixel i by
// d = d0 + i x dStep steps of (back - c) / band, that quotient held in single precision, the
// product truncated. The same float operations as one channel at a time.
void FadeRun(DWORD* p, int count, int band, int d0, int dStep, __m128 back) {
  const __m128 bandF = _mm_set1_ps(static_cast<float>(band));
  const __m128i colourLanes = _mm_set_epi32(0, -1, -1, -1);
  const __m128i zero = _mm_setzero_si128();
  for (int i = 0; i < count; ++i) {
    __m128i c = _mm_unpacklo_epi16(Unpack1(p[i]), zero);
    __m128 q = _mm_div_ps(_mm_sub_ps(back, _mm_cvtepi32_ps(c)), bandF);
    __m128 t = _mm_mul_ps(q, _mm_set1_ps(static_cast<float>(d0 + i * dStep)));
    __m128i v = _mm_add_epi32(c, _mm_and_si128(_mm_cvttps_epi32(t), colourLanes));
    v = _mm_packs_epi32(v, v);
    p[i] = static_cast<DWORD>(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
  }
}

// Adds (sign > 0) or subtracts a per-pixel amount 0..255 from blue, green and red, saturating.
inline DWORD ShiftPixel(DWORD v, int amount, int sign) {
  __m128i a = _mm_cvtsi32_si128(amount * 0x010101);
  __m128i p = _mm_cvtsi32_si128(static_cast<int>(v));
  return static_cast<DWORD>(_mm_cvtsi128_si32(sign > 0 ? _mm_adds_epu8(p, a) : _mm_subs_epu8(p, a)));
}

} // namespace

void CGdipEffects::FadeEdge(Bitmap* pBitmap, int nSizePercent, int nSides, COLORREF clrBack) {
  const int bx = cx * nSizePercent / 100;
  const int by = cy * nSizePercent / 100;
  if ((bx <= 0 && by <= 0) || (nSides & 0x0F) == 0)
    return;
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  const __m128 back =
      _mm_set_ps(0.0f, static_cast<float>(GetRValue(clrBack)), static_cast<float>(GetGValue(clrBack)),
                 static_cast<float>(GetBValue(clrBack)));
  // Right and bottom: d counts from 0 at the band's inner border; left and top: from the band
  // width at the picture's edge down to 1.
  if ((nSides & 4) && bx > 0) {
    const int x0 = std::max(cx - bx, 0);
    for (int y = 0; y < cy; ++y)
      FadeRun(lock.Row(y) + x0, cx - x0, bx, x0 - (cx - bx), 1, back);
  }
  if ((nSides & 1) && bx > 0)
    for (int y = 0; y < cy; ++y)
      FadeRun(lock.Row(y), std::min(bx, cx), bx, bx, -1, back);
  if ((nSides & 8) && by > 0)
    for (int y = std::max(cy - by, 0); y < cy; ++y)
      FadeRun(lock.Row(y), cx, by, y - (cy - by), 0, back);
  if ((nSides & 2) && by > 0)
    for (int y = 0; y < std::min(by, cy); ++y)
      FadeRun(lock.Row(y), cx, by, by - y, 0, back);
}

void CGdipEffects::BevelEdge(Bitmap* pBitmap, int nSizePercent, int /*nUnused*/, COLORREF /*clrUnused*/) {
  const int b = std::min(cx, cy) * nSizePercent / 100;
  if (b < 1)
    return; // no band, and no step to divide 128 into
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  const float f = 128.0f / static_cast<float>(b);
  const int depth = std::min(b, (std::min(cx, cy) + 1) / 2);
  // The amount at depth e from the edge (0 at the edge).
  std::vector<int> amount(depth);
  for (int e = 0; e < depth; ++e)
    amount[e] = std::min(static_cast<int>(static_cast<float>(b - e) * f), 255);
  // A pixel belongs to the band of its nearest edge; the top and bottom bands own the corner
  // diagonals, the top wins over the bottom and the left over the right on a middle line.
  // The top and left bands lighten, the others darken.
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    const int ev = std::min(y, cy - 1 - y);
    const int vSign = y <= cy - 1 - y ? 1 : -1;
    auto side = [&](int x) {
      const int eh = std::min(x, cx - 1 - x);
      p[x] = ShiftPixel(p[x], amount[eh], x <= cx - 1 - x ? 1 : -1);
    };
    if (ev < depth) {
      // Side bands left and right of the segment [ev, cx - 1 - ev], which has one amount.
      const int from = std::min(ev, cx), to = std::max(cx - 1 - ev, from - 1);
      for (int x = 0; x < from; ++x)
        side(x);
      const __m128i a = _mm_set1_epi32(amount[ev] * 0x010101);
      int x = from;
      for (; x + 4 <= to + 1; x += 4) {
        __m128i* q = reinterpret_cast<__m128i*>(p + x);
        __m128i v = _mm_loadu_si128(q);
        _mm_storeu_si128(q, vSign > 0 ? _mm_adds_epu8(v, a) : _mm_subs_epu8(v, a));
      }
      for (; x <= to; ++x)
        p[x] = ShiftPixel(p[x], amount[ev], vSign);
      for (x = to + 1; x < cx; ++x)
        side(x);
    } else {
      const int left = std::min(depth, cx);
      for (int x = 0; x < left; ++x)
        side(x);
      for (int x = std::max(cx - depth, left); x < cx; ++x)
        side(x);
    }
  }
}
