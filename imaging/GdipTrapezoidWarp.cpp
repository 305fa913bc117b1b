// Perspective of CGdipEffects: the trapezoid warp, across the rows or across the columns.
#include "imaging/GdipEffects.h"
#include "imaging/PixelOps.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>

using namespace Gdiplus;

namespace {

// The trapezoid warp of a cx x cy view: source row y goes to target row Target(y), and its
// columns lean toward the middle, more so farther along.
class Trapezoid {
public:
  Trapezoid(int cx, int cy, int amount)
      : m_cx(cx), m_cy(cy), m_amount(amount), m_target(cy), m_lean(cx, 0.0) {
    const int A = std::abs(amount);
    m_m = std::min(A, cy / 6);
    for (int y = 0; y < cy; ++y) {
      int ty = amount >= 0 ? y - static_cast<int>(static_cast<double>(y) * A / cy)
                           : y + static_cast<int>(static_cast<double>(cy - y) * A / cy);
      m_target[y] = std::min(std::max(ty, 0), cy - 1);
    }
    const int half = cx / 2;
    for (int x = 0; half > 0 && x < cx; ++x)
      m_lean[x] = 1.0 - static_cast<double>(x) / half;
  }

  const std::vector<int>& Targets() const { return m_target; }
  // Whether the target rows rise with the source rows; they do for every amount.
  bool Ordered() const { return std::is_sorted(m_target.begin(), m_target.end()); }

  // Source row y, pixel x at src[x * srcStep], into a target line; a later pixel landing on
  // the same column wins.
  void Place(int y, const DWORD* src, ptrdiff_t srcStep, DWORD* line) const {
    auto next = [src](int x) { return src[x]; };
    auto apart = [src, srcStep](int x) { return src[x * srcStep]; };
    if (srcStep == 1)
      PlaceFrom(y, next, line);
    else
      PlaceFrom(y, apart, line);
  }

private:
  template <typename Source> void PlaceFrom(int y, Source src, DWORD* line) const {
    const int last = m_cx - 1;
    if (m_m == 0) {
      for (int x = 0; x < m_cx; ++x)
        line[x] = src(x);
      return;
    }
    const double* lean = m_lean.data();
    const double m = m_m;
    if (m_amount >= 0) {
      const double rowScale = static_cast<double>(y) / m_cy;
      for (int x = 0; x < m_cx; ++x)
        line[std::min(std::max(x + static_cast<int>(lean[x] * rowScale * m), 0), last)] = src(x);
    } else {
      const double rowScale = static_cast<double>(m_cy - y), cy = m_cy;
      for (int x = 0; x < m_cx; ++x)
        line[std::min(std::max(x + static_cast<int>(lean[x] * rowScale * m / cy), 0), last)] = src(x);
    }
  }

  int m_cx, m_cy, m_amount, m_m;
  std::vector<int> m_target;
  std::vector<double> m_lean;
};

// d[c * ds + r] = s[r * ss + c] for a 4 x 4 block.
inline void Transpose4(const DWORD* s, ptrdiff_t ss, DWORD* d, ptrdiff_t ds) {
  const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
  const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + ss));
  const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 2 * ss));
  const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 3 * ss));
  const __m128i ab0 = _mm_unpacklo_epi32(a, b), ce0 = _mm_unpacklo_epi32(c, e);
  const __m128i ab2 = _mm_unpackhi_epi32(a, b), ce2 = _mm_unpackhi_epi32(c, e);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_unpacklo_epi64(ab0, ce0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + ds), _mm_unpackhi_epi64(ab0, ce0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 2 * ds), _mm_unpacklo_epi64(ab2, ce2));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 3 * ds), _mm_unpackhi_epi64(ab2, ce2));
}

// Rows of the picture each lie on pages of their own: the copies between picture columns and
// lines visit each row once, four rows at a time, and fetch the rows a few steps ahead. The
// gathering goes up the picture and the scattering down, so that each starts on the pages the
// other has just visited.
const int kAhead = 16;

// Columns x0 .. x0 + n - 1 of the picture (pixel (x, y) at rows[y * stride + x]) into lines of
// length height, line j holding column x0 + j from the bottom up.
void GatherColumns(const DWORD* rows, ptrdiff_t stride, int height, int x0, int n, DWORD* lines) {
  auto pixel = [&](int x, int y) { return rows + y * stride + x0 + x; };
  int r0 = height - 4;
  for (; r0 >= 0; r0 -= 4) {
    for (int r = r0 - kAhead; r >= 0 && r > r0 - kAhead - 4; --r)
      for (int j = 0; j < n; j += 16)
        _mm_prefetch(reinterpret_cast<const char*>(pixel(j, r)), _MM_HINT_T0);
    DWORD* line = lines + height - 4 - r0;
    int j = 0;
    for (; j + 4 <= n; j += 4)
      Transpose4(pixel(j, r0 + 3), -stride, line + j * height, height);
    for (; j < n; ++j)
      for (int c = 0; c < 4; ++c)
        line[j * height + c] = *pixel(j, r0 + 3 - c);
  }
  for (int r = r0 + 3; r >= 0; --r)
    for (int j = 0; j < n; ++j)
      lines[j * height + height - 1 - r] = *pixel(j, r);
}

// The reverse: n lines back into columns x0 .. x0 + n - 1; the lines read are filled with back
// for the next band.
void ScatterColumns(DWORD* lines, int height, int n, DWORD back, DWORD* rows, ptrdiff_t stride, int x0) {
  auto pixel = [&](int x, int y) { return rows + y * stride + x0 + x; };
  const __m128i fill = _mm_set1_epi32(static_cast<int>(back));
  const int top = height % 4;
  for (int r = 0; r < top; ++r)
    for (int j = 0; j < n; ++j) {
      *pixel(j, r) = lines[j * height + height - 1 - r];
      lines[j * height + height - 1 - r] = back;
    }
  for (int r0 = top; r0 < height; r0 += 4) {
    for (int r = r0 + 4 + kAhead; r < height && r < r0 + 8 + kAhead; ++r)
      for (int j = 0; j < n; j += 16)
        _mm_prefetch(reinterpret_cast<const char*>(pixel(j, r)), _MM_HINT_T0);
    DWORD* line = lines + height - 4 - r0;
    int j = 0;
    for (; j + 4 <= n; j += 4) {
      Transpose4(line + j * height, height, pixel(j, r0 + 3), -stride);
      for (int c = 0; c < 4; ++c)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line + (j + c) * height), fill);
    }
    for (; j < n; ++j)
      for (int c = 0; c < 4; ++c) {
        *pixel(j, r0 + 3 - c) = line[j * height + c];
        line[j * height + c] = back;
      }
  }
}

// The warp of the view whose row Y is picture column Y read bottom up, on a width x height
// picture (pixel (x, y) at rows[y * stride + x]), for ordered targets. Walking a picture column
// costs a page per pixel, so the columns are worked on a band of target columns at a time: the
// band's source columns are copied out into lines, warped into the band's lines and copied back. The target
// columns rise with the source columns and never pass them (left when the right side narrows, right when the
// left one does), so bands taken from that side on are written over source columns already used.
void WarpColumns(DWORD* rows, ptrdiff_t stride, int width, int height, const Trapezoid& warp, bool fromLeft,
                 DWORD back) {
  const int kBand = 64, kChunk = 64;
  const std::vector<int>& target = warp.Targets();
  std::vector<DWORD> lines(static_cast<size_t>(kBand) * height, back),
      columns(static_cast<size_t>(kChunk) * height);
  const int bands = (width + kBand - 1) / kBand;
  for (int i = 0; i < bands; ++i) {
    const int t0 = (fromLeft ? i : bands - 1 - i) * kBand, t1 = std::min(t0 + kBand, width);
    const int ya = static_cast<int>(std::lower_bound(target.begin(), target.end(), t0) - target.begin());
    const int yb = static_cast<int>(std::lower_bound(target.begin(), target.end(), t1) - target.begin());
    for (int y0 = ya; y0 < yb; y0 += kChunk) {
      const int n = std::min(kChunk, yb - y0);
      GatherColumns(rows, stride, height, y0, n, columns.data());
      for (int j = 0; j < n; ++j)
        warp.Place(y0 + j, columns.data() + static_cast<ptrdiff_t>(j) * height, 1,
                   lines.data() + static_cast<ptrdiff_t>(target[y0 + j] - t0) * height);
    }
    ScatterColumns(lines.data(), height, t1 - t0, back, rows, stride, t0);
  }
}

} // namespace

void CGdipEffects::Perspective(Bitmap* pBitmap, int nHorzPercent, int nVertPercent, COLORREF clrBack) {
  // The percentage constant is the single-precision 0.01, applied in double: 50 % of 300 is 149.
  const double kPercent = 0.01f;
  if (nVertPercent != 0)
    PerspectiveAxis(pBitmap, static_cast<int>(static_cast<double>(cy * nVertPercent) * kPercent), clrBack);
  if (nHorzPercent == 0 || cx <= 0 || cy <= 0)
    return;
  const int amount = static_cast<int>(static_cast<double>(cx * nHorzPercent) * kPercent);
  if (amount == 0)
    return; // the warp of no amount leaves every pixel where it is
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  // The view turned a quarter clockwise: (X, Y) is picture pixel (Y, cy - 1 - X).
  const Trapezoid warp(cy, cx, amount);
  if (warp.Ordered()) {
    WarpColumns(lock.Row(0), lock.Stride() / 4, cx, cy, warp, amount >= 0, OpaqueArgb(clrBack));
  } else {
    std::swap(cx, cy);
    PerspectiveView(lock.Bits() + (cx - 1) * lock.Stride(), -lock.Stride(), 4, amount, clrBack);
    std::swap(cx, cy);
  }
}

void CGdipEffects::PerspectiveAxis(Bitmap* pBitmap, int nAmount, COLORREF clrBack) {
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (lock.IsLocked())
    PerspectiveView(lock.Bits(), 4, lock.Stride(), nAmount, clrBack);
}

// The trapezoid warp on a cx x cy view whose pixel (X, Y) lies at pOrigin + X nStepX + Y nStepY.
void CGdipEffects::PerspectiveView(BYTE* pOrigin, int nStepX, int nStepY, int nAmount, COLORREF clrBack) {
  if (cx <= 0 || cy <= 0)
    return;
  const Trapezoid warp(cx, cy, nAmount);
  const std::vector<int>& target = warp.Targets();
  const DWORD back = OpaqueArgb(clrBack);
  const ptrdiff_t step = nStepX / 4;
  auto row = [&](int y) { return reinterpret_cast<DWORD*>(pOrigin + y * nStepY); };
  if (!warp.Ordered()) {
    // Not expected for any amount; the general road keeps a whole second picture.
    std::vector<DWORD> work(static_cast<size_t>(cx) * cy, back);
    for (int y = 0; y < cy; ++y)
      warp.Place(y, row(y), step, work.data() + static_cast<size_t>(target[y]) * cx);
    for (int y = 0; y < cy; ++y)
      for (int x = 0; x < cx; ++x)
        row(y)[x * step] = work[static_cast<size_t>(y) * cx + x];
    return;
  }
  // The target rows rise with the source rows and never pass them (up when the bottom narrows,
  // down when the top does), so each target row is built from its own run of source rows and
  // written over a source row already used: one row of extra memory.
  std::vector<DWORD> line(cx);
  auto emit = [&](int t) {
    DWORD* out = row(t);
    for (int x = 0; x < cx; ++x)
      out[x * step] = line[x];
  };
  if (nAmount >= 0) {
    int y = 0;
    for (int t = 0; t < cy; ++t) {
      std::fill(line.begin(), line.end(), back);
      for (; y < cy && target[y] == t; ++y)
        warp.Place(y, row(y), step, line.data());
      emit(t);
    }
  } else {
    int y = cy - 1;
    for (int t = cy - 1; t >= 0; --t) {
      std::fill(line.begin(), line.end(), back);
      const int last = y;
      while (y >= 0 && target[y] == t)
        --y;
      for (int k = y + 1; k <= last; ++k)
        warp.Place(k, row(k), step, line.data());
      emit(t);
    }
  }
}
