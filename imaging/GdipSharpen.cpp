// Sharpen of CGdipEffects: the 3 x 3 kernel of 15 at the centre and -1 around it, divided by 7,
// written back in place exactly as the plain loop would. Each pixel's sum takes the pixels above
// and to its left as already filtered, the ones to its right and below as they were.
//
// Only the left neighbour ties a pixel to the one before it in its row, so inner rows go in
// groups of up to four, each row trailing the one above it by a few columns: the rows' chains of
// left neighbours then overlap instead of waiting on each other.
#include "imaging/GdipEffects.h"
#include "imaging/PixelOps.h"

#include <emmintrin.h>

#include <algorithm>

using namespace Gdiplus;

namespace {

// Per 16-bit lane (blue, green, red, alpha; two pixels): the centre weight, the multiplier that
// divides by 7 and the largest channel value. Alpha takes no part in the arithmetic (weight and
// multiplier 0); it is put back from the picture when a pixel is stored.
//
// (v * 9363) >> 16 is v / 7 for 0 <= v <= 13107: 9363 = (65536 + 5) / 7, so the product
// overshoots v / 7 by 5v / (7 x 65536), less than the 1 / 7 that separates v / 7 from the next
// integer whenever 5v < 65536. The sums divided here are at most 15 x 255 = 3825.
alignas(16) const short kCentre[8] = {15, 15, 15, 0, 15, 15, 15, 0};
alignas(16) const short kSeventh[8] = {9363, 9363, 9363, 0, 9363, 9363, 9363, 0};
alignas(16) const short kTop[8] = {255, 255, 255, 255, 255, 255, 255, 255};
alignas(16) const unsigned kAlpha[4] = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};

// How many columns each row of a group trails the one above. A row reads the filtered pixels
// above it up to two columns ahead of its own, so at least 4 with two columns a step; the rest
// of the distance lets those stores reach the cache before they are read back.
const int kLag = 8;

inline __m128i Const(const void* p) { return _mm_load_si128(static_cast<const __m128i*>(p)); }
inline __m128i Load2(const DWORD* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }
inline __m128i Unpack2(const DWORD* p) { return _mm_unpacklo_epi8(Load2(p), _mm_setzero_si128()); }

// One pixel of the chain: max(q - left, 0) / 7, at most 255. With q >= 0 the unsigned saturating
// subtraction is that maximum.
inline __m128i Step(__m128i q, __m128i left) {
  return _mm_min_epi16(_mm_mulhi_epu16(_mm_subs_epu16(q, left), Const(kSeventh)), Const(kTop));
}

// The sum without the filtered left neighbour, at least 0: 15 x centre - (right neighbour +
// the three pixels above and the three below).
inline __m128i Partial(__m128i centre, __m128i rest) {
  return _mm_subs_epu16(_mm_mullo_epi16(centre, Const(kCentre)), rest);
}

// Alpha as the picture has it, ready to be put over two pixels of a row and two of another.
inline __m128i Alpha(const DWORD* p, const DWORD* q) {
  const __m128d both =
      _mm_loadh_pd(_mm_load_sd(reinterpret_cast<const double*>(p)), reinterpret_cast<const double*>(q));
  return _mm_and_si128(_mm_castpd_si128(both), Const(kAlpha));
}

// Columns [x0, x1) of an inner row, two at a time, its column x0 - 1 filtered. The runs are kept
// out of line so that the values they carry stay in registers.
__attribute__((noinline)) void SingleRun(const DWORD* up, DWORD* own, const DWORD* down, int x0, int x1) {
  __m128i left = Unpack1(own[x0 - 1]);
  __m128i columns = _mm_add_epi16(Unpack2(up + x0 - 1), Unpack2(down + x0 - 1)); // above + below
  for (int x = x0; x < x1; x += 2) {
    const __m128i next = _mm_add_epi16(Unpack2(up + x + 1), Unpack2(down + x + 1));
    const __m128i mid =
        _mm_castpd_si128(_mm_shuffle_pd(_mm_castsi128_pd(columns), _mm_castsi128_pd(next), 1));
    const __m128i around = _mm_add_epi16(_mm_add_epi16(columns, mid), next);
    columns = next;
    const __m128i q = Partial(Unpack2(own + x), _mm_add_epi16(around, Unpack2(own + x + 1)));
    const __m128i v0 = Step(q, left);
    left = Step(_mm_unpackhi_epi64(q, q), v0);
    const __m128i out = _mm_packus_epi16(_mm_unpacklo_epi64(v0, left), left);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(own + x), _mm_or_si128(out, Alpha(own + x, own + x)));
  }
}

// Two inner rows, the second trailing the first by kLag columns: the row above the first (up),
// the two rows and the row below the second (down).
struct RowPair {
  const DWORD* up;
  DWORD* first;
  DWORD* second;
  const DWORD* down;
};

// Two pixels of one row beside two of another, widened: lo holds (a[0], b[0]) and hi
// (a[1], b[1]), the layout of one step of a pair's chain.
inline void SideBySide(const DWORD* a, const DWORD* b, __m128i& lo, __m128i& hi) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i both = _mm_unpacklo_epi32(Load2(a), Load2(b));
  lo = _mm_unpacklo_epi8(both, zero);
  hi = _mm_unpackhi_epi8(both, zero);
}

// A pair of rows filtered side by side, each register holding a pixel of the first row and one
// of the second. Carried from step to step, for the step's column x: the column sums (above +
// below) of columns x - 1 and x, the centres and the filtered left neighbours.
struct PairChain {
  __m128i back, here, centre, left;

  // Ready to filter the first row from column x0 on, the second from x0 - kLag on.
  PairChain(const RowPair& p, int x0) {
    const int x2 = x0 - kLag;
    __m128i above0, above1, below0, below1;
    SideBySide(p.up + x0 - 1, p.first + x2 - 1, above0, above1);
    SideBySide(p.second + x0 - 1, p.down + x2 - 1, below0, below1);
    back = _mm_add_epi16(above0, below0);
    here = _mm_add_epi16(above1, below1);
    SideBySide(p.first + x0 - 1, p.second + x2 - 1, left, centre);
  }

  // Columns x, x + 1 of the first row and x - kLag, x - kLag + 1 of the second.
  __attribute__((always_inline)) void Step2(const RowPair& p, int x) {
    const int x2 = x - kLag;
    __m128i above1, above2, below1, below2, centre1, centre2;
    SideBySide(p.up + x + 1, p.first + x2 + 1, above1, above2);
    SideBySide(p.second + x + 1, p.down + x2 + 1, below1, below2);
    SideBySide(p.first + x + 1, p.second + x2 + 1, centre1, centre2);
    const __m128i columns1 = _mm_add_epi16(above1, below1), columns2 = _mm_add_epi16(above2, below2);
    const __m128i shared = _mm_add_epi16(here, columns1);
    const __m128i q0 = Partial(centre, _mm_add_epi16(_mm_add_epi16(shared, back), centre1));
    const __m128i q1 = Partial(centre1, _mm_add_epi16(_mm_add_epi16(shared, columns2), centre2));
    back = columns1;
    here = columns2;
    centre = centre2;
    const __m128i v0 = Step(q0, left);
    left = Step(q1, v0);
    // (first x, second x2, first x + 1, second x2 + 1) in the order of the rows.
    __m128i out = _mm_shuffle_epi32(_mm_packus_epi16(v0, left), _MM_SHUFFLE(3, 1, 2, 0));
    out = _mm_or_si128(out, Alpha(p.first + x, p.second + x2));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p.first + x), out);
    _mm_storeh_pd(reinterpret_cast<double*>(p.second + x2), _mm_castsi128_pd(out));
  }
};

// Columns [x0, x1) of a pair's first row, with the second trailing.
__attribute__((noinline)) void PairRun(const RowPair& pair, int x0, int x1) {
  const RowPair p = pair;
  PairChain chain(p, x0);
  for (int x = x0; x < x1; x += 2)
    chain.Step2(p, x);
}

// Two pairs, the second trailing the first by two lags, so that their chains overlap; x0 and x1
// are columns of the first pair's first row.
__attribute__((noinline)) void QuadRun(const RowPair& pairA, const RowPair& pairB, int x0, int x1) {
  const RowPair a = pairA, b = pairB;
  PairChain chainA(a, x0), chainB(b, x0 - 2 * kLag);
  for (int x = x0; x < x1; x += 2) {
    chainA.Step2(a, x);
    chainB.Step2(b, x - 2 * kLag);
  }
}

// One pass over the picture in an order the plain loop's dependencies allow: the top and bottom
// rows pixel by pixel, the inner rows in groups of up to four with their first and last columns
// pixel by pixel.
class SharpenPass {
public:
  SharpenPass(BYTE* bits, int stride, int cx, int cy)
      : m_bits(bits), m_stride(stride), m_cx(cx), m_cy(cy),
        // An odd number of inner columns leaves column 1 to the start of a row, so that the runs
        // go two columns a step.
        m_x0(cx >= 3 && (cx - 2) % 2 == 1 ? 2 : 1), m_x1(std::max(cx - 1, m_x0)) {}

  void Run() {
    if (m_cx <= 0 || m_cy <= 0)
      return;
    EdgeRow(0);
    const int span = m_x1 - m_x0;
    int y = 1;
    while (y < m_cy - 1) {
      const int rows = m_cy - 1 - y;
      if (rows >= 4 && span >= 3 * kLag) {
        Quad(y);
        y += 4;
      } else if (rows >= 2 && span >= kLag) {
        Pair(y);
        y += 2;
      } else {
        Begin(y);
        Single(y, m_x0, m_x1);
        End(y);
        ++y;
      }
    }
    if (m_cy > 1)
      EdgeRow(m_cy - 1);
  }

private:
  DWORD* Row(int y) const { return reinterpret_cast<DWORD*>(m_bits + y * m_stride); }
  RowPair PairAt(int y) const { return RowPair{Row(y - 1), Row(y), Row(y + 1), Row(y + 2)}; }

  // The plain loop for one pixel, with the picture's edge repeated, in the arithmetic of the
  // runs. Every tap reads the picture as it is now, so the pixels above and to the left come
  // filtered.
  void Pixel(int x, int y) {
    const int l = std::max(x - 1, 0), r = std::min(x + 1, m_cx - 1);
    const DWORD* up = Row(std::max(y - 1, 0));
    DWORD* own = Row(y);
    const DWORD* down = Row(std::min(y + 1, m_cy - 1));
    const __m128i above = _mm_add_epi16(_mm_add_epi16(Unpack1(up[l]), Unpack1(up[x])), Unpack1(up[r]));
    const __m128i below = _mm_add_epi16(_mm_add_epi16(Unpack1(down[l]), Unpack1(down[x])), Unpack1(down[r]));
    const __m128i around =
        _mm_add_epi16(_mm_add_epi16(above, below), _mm_add_epi16(Unpack1(own[l]), Unpack1(own[r])));
    const __m128i v = Step(Partial(Unpack1(own[x]), around), _mm_setzero_si128());
    own[x] = static_cast<DWORD>(_mm_cvtsi128_si32(_mm_packus_epi16(v, v))) | (own[x] & 0xFF000000);
  }

  void EdgeRow(int y) {
    for (int x = 0; x < m_cx; ++x)
      Pixel(x, y);
  }

  // The columns of an inner row before and after its runs.
  void Begin(int y) {
    for (int x = 0; x < std::min(m_x0, m_cx); ++x)
      Pixel(x, y);
  }
  void End(int y) {
    if (m_cx > m_x0)
      Pixel(m_cx - 1, y);
  }

  void Single(int y, int x0, int x1) { SingleRun(Row(y - 1), Row(y), Row(y + 1), x0, x1); }

  // Inner rows y and y + 1: the first alone until the second can follow, both, the second alone.
  void Pair(int y) {
    Begin(y);
    Single(y, m_x0, m_x0 + kLag);
    Begin(y + 1);
    PairRun(PairAt(y), m_x0 + kLag, m_x1);
    End(y);
    Single(y + 1, m_x1 - kLag, m_x1);
    End(y + 1);
  }

  // Inner rows y .. y + 3, starting and finishing one after the other, kLag columns apart. Each
  // row ends before the one below it reads its last column.
  void Quad(int y) {
    const int x0 = m_x0, x1 = m_x1, lag = kLag;
    Begin(y);
    Single(y, x0, x0 + lag);
    Begin(y + 1);
    PairRun(PairAt(y), x0 + lag, x0 + 2 * lag);
    Begin(y + 2);
    PairRun(PairAt(y), x0 + 2 * lag, x0 + 3 * lag);
    Single(y + 2, x0, x0 + lag);
    Begin(y + 3);
    QuadRun(PairAt(y), PairAt(y + 2), x0 + 3 * lag, x1);
    End(y);
    PairRun(PairAt(y + 1), x1 - lag, x1);
    Single(y + 3, x1 - 3 * lag, x1 - 2 * lag);
    End(y + 1);
    PairRun(PairAt(y + 2), x1 - lag, x1);
    End(y + 2);
    Single(y + 3, x1 - lag, x1);
    End(y + 3);
  }

  BYTE* m_bits;
  int m_stride;
  int m_cx;
  int m_cy;
  int m_x0; // the runs' columns, an even number of them
  int m_x1;
};

} // namespace

void CGdipEffects::Sharpen(Bitmap* pBitmap, int nCount) {
  if (nCount <= 0)
    return;
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  for (int i = 0; i < nCount; ++i)
    SharpenPass(lock.Bits(), lock.Stride(), cx, cy).Run();
}
