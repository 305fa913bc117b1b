// Scaling a whole picture: the GDI+ drawing, and the bilinear blend that gives its pixels from
// locked bits where the platform's GDI+ is known to draw that way.
#include "imaging/Resize.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

using namespace Gdiplus;

namespace {

// Locks a whole bitmap in one pixel format for the lifetime of the object.
class FormatLock {
public:
  FormatLock(Bitmap* pBitmap, UINT mode, PixelFormat format) : m_pBitmap(pBitmap) {
    std::memset(&m_data, 0, sizeof(m_data));
    Rect rc(0, 0, static_cast<INT>(pBitmap->GetWidth()), static_cast<INT>(pBitmap->GetHeight()));
    m_bLocked = pBitmap->LockBits(&rc, mode, format, &m_data) == Ok;
  }
  ~FormatLock() {
    if (m_bLocked)
      m_pBitmap->UnlockBits(&m_data);
  }
  FormatLock(const FormatLock&) = delete;
  FormatLock& operator=(const FormatLock&) = delete;
  bool IsLocked() const { return m_bLocked; }
  DWORD* Row(int y) const {
    return reinterpret_cast<DWORD*>(static_cast<BYTE*>(m_data.Scan0) +
                                    static_cast<ptrdiff_t>(y) * m_data.Stride);
  }

private:
  Bitmap* m_pBitmap;
  BitmapData m_data;
  bool m_bLocked = false;
};

// Where one output column (or row) reads the source: the sample at or before its position, the
// one after (the same one on a whole position, one past the end beyond the last), the weight of
// the second in 255ths, and whether the position lies inside the source at all.
struct Tap {
  int from;
  int to;
  int weight;
  bool inside;
  bool Whole() const { return from == to; }
};

// The taps of n outputs over a source of len samples, computed as GDI+ here computes them: the
// scale in single precision, its reciprocal in single precision, each position the output index
// times that step rounded to single, and the weight the fraction times 255 plus a half, truncated,
// in the double precision the FPU runs at.
std::vector<Tap> Taps(int n, int len) {
  const float scale = static_cast<float>(static_cast<double>(n) / static_cast<double>(len));
  const float step = static_cast<float>(1.0 / static_cast<double>(scale));
  std::vector<Tap> taps(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const float pos = static_cast<float>(static_cast<double>(i) * static_cast<double>(step));
    const float lo = std::floor(pos);
    Tap& t = taps[static_cast<size_t>(i)];
    t.from = static_cast<int>(lo);
    t.to = static_cast<int>(std::ceil(pos));
    t.weight = static_cast<int>(static_cast<double>(pos - lo) * 255.0 + 0.5);
    t.inside = pos >= 0.0f && pos < static_cast<float>(len);
    if (!t.inside)
      t.from = t.to = len; // reads the zero pixel; the output is cleared anyway
  }
  return taps;
}

// s blended towards e by p 255ths, each colour weighted by its pixel's alpha and the sum divided
// back; a blend of less than one 255th of coverage is clear. The general case, one pixel.
inline DWORD Blend(DWORD s, DWORD e, int p) {
  const int sa = static_cast<int>(s >> 24) * (255 - p), ea = static_cast<int>(e >> 24) * p;
  const int a = sa + ea;
  if (a < 255)
    return 0;
  DWORD out = static_cast<DWORD>(a / 255) << 24;
  for (int shift = 0; shift <= 16; shift += 8)
    out |= static_cast<DWORD>(
               (static_cast<int>(s >> shift & 0xFF) * sa + static_cast<int>(e >> shift & 0xFF) * ea) / a)
           << shift;
  return out;
}

// The same blend where both pixels are opaque, on 16-bit lanes: the alphas cancel, leaving
// (s * (255 - p) + e * p) / 255, which stays within 65025 and divides by 255 exactly as
// (x + 1 + (x >> 8)) >> 8.
inline __m128i BlendOpaque16(__m128i s, __m128i e, __m128i p) {
  const __m128i x =
      _mm_add_epi16(_mm_mullo_epi16(s, _mm_sub_epi16(_mm_set1_epi16(255), p)), _mm_mullo_epi16(e, p));
  return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)), 8);
}

inline __m128i Pair(DWORD a, DWORD b) {
  return _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(a)), _mm_cvtsi32_si128(static_cast<int>(b)));
}

// One output row's worth of horizontally blended pixels from a source row that has a zero pixel
// after its last.
void BlendAcross(const DWORD* src, const std::vector<Tap>& taps, const uint16_t* weights, DWORD* out) {
  const int n = static_cast<int>(taps.size());
  const __m128i zero = _mm_setzero_si128();
  int x = 0;
  for (; x + 2 <= n; x += 2) {
    const Tap& a = taps[static_cast<size_t>(x)];
    const Tap& b = taps[static_cast<size_t>(x) + 1];
    const DWORD s0 = src[a.from], s1 = src[b.from], e0 = src[a.to], e1 = src[b.to];
    if ((s0 & s1 & e0 & e1) >> 24 != 0xFF) {
      out[x] = Blend(s0, e0, a.weight);
      out[x + 1] = Blend(s1, e1, b.weight);
      continue;
    }
    const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(weights + 4 * x));
    const __m128i v =
        BlendOpaque16(_mm_unpacklo_epi8(Pair(s0, s1), zero), _mm_unpacklo_epi8(Pair(e0, e1), zero), w);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(v, zero));
  }
  for (; x < n; ++x) {
    const Tap& a = taps[static_cast<size_t>(x)];
    out[x] = Blend(src[a.from], src[a.to], a.weight);
  }
}

// out = top blended towards bottom by weight 255ths, n pixels.
void BlendDown(const DWORD* top, const DWORD* bottom, int weight, int n, DWORD* out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i w = _mm_set1_epi16(static_cast<short>(weight));
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000));
  int x = 0;
  for (; x + 4 <= n; x += 4) {
    const __m128i t = _mm_loadu_si128(reinterpret_cast<const __m128i*>(top + x));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bottom + x));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(_mm_and_si128(t, b), alpha), alpha)) != 0xFFFF) {
      for (int k = x; k < x + 4; ++k)
        out[k] = Blend(top[k], bottom[k], weight);
      continue;
    }
    const __m128i lo = BlendOpaque16(_mm_unpacklo_epi8(t, zero), _mm_unpacklo_epi8(b, zero), w);
    const __m128i hi = BlendOpaque16(_mm_unpackhi_epi8(t, zero), _mm_unpackhi_epi8(b, zero), w);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(lo, hi));
  }
  for (; x < n; ++x)
    out[x] = Blend(top[x], bottom[x], weight);
}

// The horizontally blended form of source rows, two kept: consecutive output rows mostly read
// the rows the one before read.
class AcrossRows {
public:
  AcrossRows(const FormatLock& src, int width, int height, const std::vector<Tap>& taps)
      : m_src(src), m_width(width), m_height(height), m_taps(taps), m_weights(taps.size() * 4 + 8),
        m_line(static_cast<size_t>(width) + 1), m_rows{std::vector<DWORD>(taps.size()),
                                                       std::vector<DWORD>(taps.size())} {
    for (size_t x = 0; x < m_taps.size(); ++x)
      for (size_t k = 0; k < 4; ++k)
        m_weights[4 * x + k] = static_cast<uint16_t>(m_taps[x].weight);
  }
  // Source row y blended across, never evicting row keep; the row past the last is all zero.
  const DWORD* Row(int y, int keep) {
    for (int k = 0; k < 2; ++k)
      if (m_index[k] == y)
        return m_rows[k].data();
    const int k = m_index[0] == keep ? 1 : 0;
    std::vector<DWORD>& row = m_rows[k];
    m_index[k] = y;
    if (y >= m_height) {
      std::fill(row.begin(), row.end(), 0);
    } else {
      std::memcpy(m_line.data(), m_src.Row(y), static_cast<size_t>(m_width) * 4);
      m_line[static_cast<size_t>(m_width)] = 0;
      BlendAcross(m_line.data(), m_taps, m_weights.data(), row.data());
    }
    return row.data();
  }

private:
  const FormatLock& m_src;
  int m_width, m_height;
  const std::vector<Tap>& m_taps;
  std::vector<uint16_t> m_weights;
  std::vector<DWORD> m_line;
  std::vector<DWORD> m_rows[2];
  int m_index[2] = {-1, -1};
};

// Deterministic noise with every kind of alpha, for the probe.
void FillProbe(Bitmap* pBitmap) {
  FormatLock lock(pBitmap, ImageLockModeWrite, PixelFormat32bppARGB);
  if (!lock.IsLocked())
    return;
  unsigned state = 12345;
  for (int y = 0; y < static_cast<int>(pBitmap->GetHeight()); ++y)
    for (int x = 0; x < static_cast<int>(pBitmap->GetWidth()); ++x) {
      state = state * 1664525u + 1013904223u;
      DWORD v = state >> 4;
      // Some opaque and some clear pixels beside the partly transparent ones.
      const int kind = (x + 2 * y) % 5;
      if (kind == 0)
        v |= 0xFF000000;
      else if (kind == 1)
        v &= 0x00FFFFFF;
      lock.Row(y)[x] = v;
    }
}

bool SamePixels(Bitmap* a, Bitmap* b) {
  if (a == NULL || b == NULL || a->GetWidth() != b->GetWidth() || a->GetHeight() != b->GetHeight())
    return false;
  FormatLock la(a, ImageLockModeRead, PixelFormat32bppARGB), lb(b, ImageLockModeRead, PixelFormat32bppARGB);
  if (!la.IsLocked() || !lb.IsLocked())
    return false;
  for (int y = 0; y < static_cast<int>(a->GetHeight()); ++y)
    if (std::memcmp(la.Row(y), lb.Row(y), a->GetWidth() * 4) != 0)
      return false;
  return true;
}

} // namespace

Bitmap* ResizeByDrawing(Bitmap* pPicture, int cx, int cy, bool bSmooth) {
  std::unique_ptr<Bitmap> pResized(new Bitmap(cx, cy, PixelFormat32bppARGB));
  if (!pResized || pResized->GetLastStatus() != Ok)
    return NULL;
  Graphics graphics(pResized.get());
  if (bSmooth) {
    graphics.SetSmoothingMode(SmoothingModeHighQuality);
    graphics.SetInterpolationMode(InterpolationModeHighQuality);
  }
  graphics.DrawImage(pPicture, Rect(0, 0, cx, cy));
  return pResized.release();
}

Bitmap* ResizeBilinear(Bitmap* pPicture, int cx, int cy) {
  const int width = static_cast<int>(pPicture->GetWidth()), height = static_cast<int>(pPicture->GetHeight());
  if (cx <= 0 || cy <= 0 || width <= 0 || height <= 0)
    return NULL;
  std::unique_ptr<Bitmap> pResized(new Bitmap(cx, cy, PixelFormat32bppARGB));
  if (!pResized || pResized->GetLastStatus() != Ok)
    return NULL;
  FormatLock src(pPicture, ImageLockModeRead, PixelFormat32bppARGB);
  FormatLock dst(pResized.get(), ImageLockModeWrite, PixelFormat32bppARGB);
  if (!src.IsLocked() || !dst.IsLocked())
    return NULL;
  const std::vector<Tap> across = Taps(cx, width), down = Taps(cy, height);
  // Every output is a blend, even on whole positions, where it keeps the sample but clears a clear
  // one's colour. Outside the source the picture stays clear.
  bool allWhole = true;
  int insideColumns = 0;
  for (int x = 0; x < cx; ++x) {
    allWhole = allWhole && across[static_cast<size_t>(x)].Whole();
    if (across[static_cast<size_t>(x)].inside)
      insideColumns = x + 1;
  }
  AcrossRows rows(src, width, height, across);
  for (int y = 0; y < cy; ++y) {
    const Tap& t = down[static_cast<size_t>(y)];
    DWORD* out = dst.Row(y);
    if (!t.inside) {
      std::memset(out, 0, static_cast<size_t>(cx) * 4);
      continue;
    }
    if (t.Whole() && allWhole) {
      const DWORD* line = src.Row(t.from);
      for (int x = 0; x < insideColumns; ++x) {
        const DWORD v = line[across[static_cast<size_t>(x)].from];
        out[x] = (v >> 24) != 0 ? v : 0;
      }
    } else if (t.Whole()) {
      std::memcpy(out, rows.Row(t.from, -1), static_cast<size_t>(cx) * 4);
    } else {
      const DWORD* top = rows.Row(t.from, -1);
      BlendDown(top, rows.Row(t.to, t.from), t.weight, cx, out);
    }
    if (insideColumns < cx)
      std::memset(out + insideColumns, 0, static_cast<size_t>(cx - insideColumns) * 4);
  }
  return pResized.release();
}

bool ResizeProbeMatches(bool bSmooth) {
  Bitmap probe(13, 10, PixelFormat32bppARGB);
  if (probe.GetLastStatus() != Ok)
    return false;
  FillProbe(&probe);
  // Up and down, by whole and by odd factors, and to a single pixel.
  const int sizes[][2] = {{29, 23}, {6, 4}, {26, 20}, {7, 19}, {1, 1}, {40, 3}};
  for (const auto& size : sizes) {
    std::unique_ptr<Bitmap> drawn(ResizeByDrawing(&probe, size[0], size[1], bSmooth));
    std::unique_ptr<Bitmap> blended(ResizeBilinear(&probe, size[0], size[1]));
    if (!SamePixels(drawn.get(), blended.get()))
      return false;
  }
  return true;
}

bool ResizeMatchesDrawing(bool bSmooth) {
  static int s_match[2] = {-1, -1};
  int& match = s_match[bSmooth ? 1 : 0];
  if (match < 0)
    match = ResizeProbeMatches(bSmooth) ? 1 : 0;
  return match == 1;
}

Bitmap* ResizePicture(Bitmap* pPicture, int cx, int cy, bool bSmooth) {
  // A premultiplied picture kept at its size is copied by GDI+ rather than sampled, by other
  // arithmetic.
  const bool bCopied = static_cast<int>(pPicture->GetWidth()) == cx &&
                       static_cast<int>(pPicture->GetHeight()) == cy &&
                       (pPicture->GetPixelFormat() & PixelFormatPAlpha) != 0;
  return ResizeMatchesDrawing(bSmooth) && !bCopied ? ResizeBilinear(pPicture, cx, cy)
                                                   : ResizeByDrawing(pPicture, cx, cy, bSmooth);
}
