// Convolution filters of CGdipEffects: emboss, blur and general kernels, computed in place exactly
// as the plain loops would (sharpen has its own pass in GdipSharpen.cpp).
#include "imaging/GdipEffects.h"
#include "imaging/PixelOps.h"

#include <emmintrin.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

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

// Four 32-bit levels 0..255 as gray pixels (alpha 0).
inline __m128i GrayPixels(__m128i level) {
  return _mm_or_si128(_mm_or_si128(level, _mm_slli_epi32(level, 8)), _mm_slli_epi32(level, 16));
}

} // namespace

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
    // The row as it was, where the intervals' windows and wide loads reach: a frame filter copies
    // its bands, not the whole row.
    orig.resize(cx + 2);
    orig[cx] = orig[cx + 1] = 0; // the two-pixel loads may read past the row's end
    for (int k = 0; k < iv.count; ++k) {
      const int c0 = std::max(iv.from[k] + lo - 4, 0), c1 = std::min(iv.to[k] + hi + 4, cx);
      std::copy(reinterpret_cast<DWORD*>(row) + c0, reinterpret_cast<DWORD*>(row) + c1, orig.begin() + c0);
    }
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
