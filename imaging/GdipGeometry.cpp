// Shear, rotation, trim and caption of CGdipEffects.
#include "imaging/GdipEffects.h"
#include "imaging/PixelOps.h"

#include <emmintrin.h>
#include <xmmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <vector>

using namespace Gdiplus;

namespace {

// n pixels of one value, four at a store.
void FillPixels(DWORD* p, ptrdiff_t n, DWORD v) {
  const __m128i vv = _mm_set1_epi32(static_cast<int>(v));
  ptrdiff_t k = 0;
  for (; k + 4 <= n; k += 4)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + k), vv);
  for (; k < n; ++k)
    p[k] = v;
}

// Pixel memory for the bitmaps the operations hand back. Fresh memory costs a page fault on the
// first write to each page, which here takes about as long as writing the page eight times over;
// so the block of the last such bitmap deleted is kept and the next bitmap of a similar size
// takes it over instead of faulting in new pages.
class SpareBlock {
public:
  // A block of at least bytes; NULL when none can be had.
  static BYTE* Take(size_t bytes, size_t& capacity) {
    {
      Guard guard;
      if (s_bits != NULL && s_size >= bytes && s_size / 2 <= bytes) {
        BYTE* bits = s_bits;
        capacity = s_size;
        s_bits = NULL;
        s_size = 0;
        return bits;
      }
    }
    capacity = (bytes + 0xFFFF) & ~static_cast<size_t>(0xFFFF);
    return static_cast<BYTE*>(VirtualAlloc(NULL, capacity, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  }
  // Keeps the block given back, the likeliest size of the next bitmap, and frees the one kept
  // before. Only blocks up to a turned 4K picture are kept: a larger one held for good would cost
  // the 32-bit address space more than its page faults cost time.
  static void GiveBack(BYTE* bits, size_t size) {
    const size_t kLargestKept = static_cast<size_t>(96) << 20;
    BYTE* drop = bits;
    if (size <= kLargestKept) {
      Guard guard;
      drop = s_bits;
      s_bits = bits;
      s_size = size;
    }
    if (drop != NULL)
      VirtualFree(drop, 0, MEM_RELEASE);
  }

private:
  // A spin lock: it is held for a few instructions, and unlike a mutex object it needs no
  // construction and outlives every static destructor that may still delete a bitmap.
  struct Guard {
    Guard() {
      while (InterlockedExchange(&s_busy, 1) != 0)
        Sleep(0);
    }
    ~Guard() { InterlockedExchange(&s_busy, 0); }
  };
  static LONG s_busy;
  static BYTE* s_bits;
  static size_t s_size;
};
LONG SpareBlock::s_busy = 0;
BYTE* SpareBlock::s_bits = NULL;
size_t SpareBlock::s_size = 0;

struct BlockHolder {
  explicit BlockHolder(size_t bytes) : bits(bytes != 0 ? SpareBlock::Take(bytes, capacity) : NULL) {}
  ~BlockHolder() {
    if (bits != NULL)
      SpareBlock::GiveBack(bits, capacity);
  }
  size_t capacity = 0;
  BYTE* bits;
};

// A 32bpp ARGB bitmap over a block of its own, which goes back to the spare when the bitmap is
// deleted: the holder base is made before the bitmap and destroyed after it. Without a block
// GDI+ allocates the pixels as usual.
class BlockBitmap : private BlockHolder, public Bitmap {
public:
  BlockBitmap(int width, int height)
      : BlockHolder(Bytes(width, height)),
        Bitmap(width, height, bits != NULL ? width * 4 : 0, PixelFormat32bppARGB, bits) {}
  BYTE* Pixels() const { return bits; }

private:
  static size_t Bytes(int width, int height) {
    const long long bytes = 4LL * width * height;
    return width > 0 && height > 0 && bytes <= 0x7FFFFFFF ? static_cast<size_t>(bytes) : 0;
  }
};

// Rows of 32-bit pixels, stride bytes apart.
struct PixelRows {
  BYTE* bits;
  int stride;
  DWORD* Row(int y) const { return reinterpret_cast<DWORD*>(bits + y * stride); }
};

// A new width x height bitmap that fill(src, dst) makes from the cx x cy area of pSource, writing
// every pixel of dst once; NULL (with the status recorded in pSource) when the bitmap cannot be
// made or either side cannot be locked.
template <typename Fill>
std::unique_ptr<Bitmap> Rebuild(Bitmap* pSource, int cx, int cy, int width, int height, Fill fill) {
  BlockBitmap* made = new BlockBitmap(width, height);
  std::unique_ptr<Bitmap> result(made);
  if (!made) {
    GdipRecordStatus(pSource, OutOfMemory);
    return nullptr;
  }
  Status status = made->GetLastStatus();
  if (status != Ok) {
    GdipRecordStatus(pSource, status);
    return nullptr;
  }
  CGdipBitsLock src(pSource, 0, 0, cx, cy, ImageLockModeRead);
  if (!src.IsLocked())
    return nullptr;
  if (made->Pixels() != NULL) {
    fill(src, PixelRows{made->Pixels(), width * 4});

  } else {
    CGdipBitsLock dst(made, 0, 0, width, height, ImageLockModeWrite);
    if (!dst.IsLocked())
      return nullptr;
    fill(src, PixelRows{dst.Bits(), dst.Stride()});
  }
  return result;
}

// The old bitmap goes; the caller's pointer now owns the new one.
void ReplaceBitmap(Bitmap*& pBitmap, std::unique_ptr<Bitmap> result) {
  delete pBitmap;
  pBitmap = result.release();
}

// Replaces the cx x cy picture with the width x height one that fill makes from it, and the size
// follows; nothing changes when the new bitmap cannot be made.
template <typename Fill>
void RebuildInPlace(Bitmap*& pBitmap, int& cx, int& cy, int width, int height, Fill fill) {
  std::unique_ptr<Bitmap> result = Rebuild(pBitmap, cx, cy, width, height, fill);
  if (!result)
    return;
  ReplaceBitmap(pBitmap, std::move(result));
  cx = width;
  cy = height;
}

// A pixel as the GDI road shows it: composed over opaque white.
inline DWORD OverWhite(DWORD v) {
  DWORD a = v >> 24;
  if (a == 255)
    return v;
  DWORD out = 0xFF000000;
  for (int shift = 0; shift <= 16; shift += 8) {
    DWORD c = (v >> shift) & 0xFF;
    out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
  }
  return out;
}

template <typename T, GpStatus(WINGDIPAPI* Release)(T*)> struct FlatDeleter {
  void operator()(T* p) const { Release(p); }
};
template <typename T, GpStatus(WINGDIPAPI* Release)(T*)>
using FlatPtr = std::unique_ptr<T, FlatDeleter<T, Release>>;

GpStatus WINGDIPAPI DeleteSolidFill(GpSolidFill* p) { return DllExports::GdipDeleteBrush(p); }

} // namespace

std::unique_ptr<wchar_t[]> AnsiToWideAlloc(LPCSTR psz, size_t nMaxChars) {
  const int len = psz != NULL ? static_cast<int>(strnlen(psz, nMaxChars)) : 0;
  std::unique_ptr<wchar_t[]> wide = std::make_unique<wchar_t[]>(static_cast<size_t>(len) + 1);
  if (len > 0) {
    int n = MultiByteToWideChar(CP_ACP, 0, psz, len, wide.get(), len);
    wide[n > 0 ? n : 0] = L'\0';
  }
  return wide;
}

void CGdipEffects::Shear(Bitmap*& pBitmap, int nPercent, int nPercent2, COLORREF clrBack) {
  if (pBitmap == NULL || cx <= 0 || cy <= 0)
    return;
  const int sx = std::abs(cx * nPercent / 100);
  const int sy = std::abs(cy * nPercent2 / 100);
  const int width = cx + sx, height = cy + sy;
  const DWORD back = OpaqueArgb(clrBack);
  auto fill = [&](const CGdipBitsLock& src, const PixelRows& dst) {
    // Each row moves as a whole: the bottom slides right for a positive percent, the top otherwise.
    // Row y moves by trunc(y sx / cy), or trunc((cy - y) sx / cy): a quotient of whole numbers,
    // which the double division gives exactly, stepped here as quotient and remainder.
    const bool down = nPercent >= 1;
    const int stepQ = sx / cy, stepR = sx % cy;
    int shift = down ? 0 : sx, rest = 0;
    for (int y = 0; y < cy; ++y) {
      DWORD* row = dst.Row(y);
      FillPixels(row, shift, back);
      std::memcpy(row + shift, src.Row(y), static_cast<size_t>(cx) * 4);
      FillPixels(row + shift + cx, width - shift - cx, back);
      if (down) {
        shift += stepQ;
        if ((rest += stepR) >= cy) {
          rest -= cy;
          ++shift;
        }
      } else {
        shift -= stepQ;
        if ((rest -= stepR) < 0) {
          rest += cy;
          --shift;
        }
      }
    }
    for (int y = cy; y < height; ++y)
      FillPixels(dst.Row(y), width, back);
  };
  RebuildInPlace(pBitmap, cx, cy, width, height, fill);
}

namespace {

// One source coordinate along a target row, trunc(e0 + X d) as the plain loop computes it in
// double, kept as a whole part i and a fraction f / 2^32 that step by p + q / 2^32 a column.
struct Walk {
  int i;
  uint32_t f;
  int p;
  uint32_t q;
};

// The walk of trunc(e0 + X d) from column xs over n columns (coordinates under 2^18, |d| <= 1),
// or false when integer steps cannot follow it exactly:
// - when e0 and d are multiples of 2^-32, so is every e0 + X d, which then fits a double and
//   the plain loop's sums are exact: the walk is exact, its carries are the fraction's overflows;
// - otherwise (the quarter turns, where one step is a whole number and a drift of some 1e-8) the
//   walk is whole steps as long as the fraction, drift included, keeps well clear of whole
//   numbers over the run, far beyond the rounding of the plain loop's sums.
bool PlanWalk(double e0, double d, int xs, int n, Walk& w) {
  const double k32 = 4294967296.0;
  const double es = e0 + xs * d;
  const double whole = std::floor(es);
  w.i = static_cast<int>(whole);
  const double e32 = e0 * k32, d32 = d * k32;
  if (e32 == std::floor(e32) && d32 == std::floor(d32)) {
    const double p = std::floor(d);
    w.f = static_cast<uint32_t>(static_cast<long long>((es - whole) * k32));
    w.p = static_cast<int>(p);
    w.q = static_cast<uint32_t>(static_cast<long long>((d - p) * k32));
    return true;
  }
  const double p = std::floor(d + 0.5), drift = (d - p) * (n - 1), frac = es - whole;
  const double kMargin = 1e-6;
  w.f = 0;
  w.p = static_cast<int>(p);
  w.q = 0;
  return frac + std::min(drift, 0.0) >= kMargin && frac + std::max(drift, 0.0) <= 1 - kMargin;
}

// The walk moved on by n columns.
inline void Advance(Walk& w, int n) {
  const uint64_t t = w.f + static_cast<uint64_t>(w.q) * static_cast<uint32_t>(n);
  w.i += n * w.p + static_cast<int>(t >> 32);
  w.f = static_cast<uint32_t>(t);
}

// The source offsets iy stride + ix of n columns along the walks (n + 3 written), four at a
// time: the fractions carry as 32-bit lanes biased by 2^31, so that a signed comparison tells
// an unsigned overflow.
void Offsets(int32_t* off, int n, Walk wx, Walk wy, int stride) {
  alignas(16) int32_t start[4], bx[4], by[4];
  for (int k = 0; k < 4; ++k) {
    start[k] = wy.i * stride + wx.i;
    bx[k] = static_cast<int32_t>(wx.f ^ 0x80000000u);
    by[k] = static_cast<int32_t>(wy.f ^ 0x80000000u);
    Advance(wx, 1);
    Advance(wy, 1);
  }
  // Four columns on: whole steps 4 p plus the carries of 4 q past 2^32, and one carry more
  // where the fraction overflows.
  const uint64_t qx = static_cast<uint64_t>(wx.q) * 4, qy = static_cast<uint64_t>(wy.q) * 4;
  const int kx = 4 * wx.p + static_cast<int>(qx >> 32), ky = 4 * wy.p + static_cast<int>(qy >> 32);
  const __m128i stepX = _mm_set1_epi32(static_cast<int>(static_cast<uint32_t>(qx)));
  const __m128i stepY = _mm_set1_epi32(static_cast<int>(static_cast<uint32_t>(qy)));
  const __m128i whole = _mm_set1_epi32(kx + ky * stride), down = _mm_set1_epi32(stride);
  __m128i o = _mm_load_si128(reinterpret_cast<const __m128i*>(start));
  __m128i fx = _mm_load_si128(reinterpret_cast<const __m128i*>(bx));
  __m128i fy = _mm_load_si128(reinterpret_cast<const __m128i*>(by));
  for (int k = 0; k < n; k += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(off + k), o);
    const __m128i nx = _mm_add_epi32(fx, stepX), ny = _mm_add_epi32(fy, stepY);
    const __m128i carryX = _mm_cmpgt_epi32(fx, nx), carryY = _mm_cmpgt_epi32(fy, ny);
    o = _mm_add_epi32(_mm_sub_epi32(_mm_add_epi32(o, whole), carryX), _mm_and_si128(carryY, down));
    fx = nx;
    fy = ny;
  }
}

// Copies n pixels; returns their AND.
DWORD Copy(DWORD* out, const DWORD* in, int n) {
  __m128i all = _mm_set1_epi32(-1);
  int k = 0;
  for (; k + 4 <= n; k += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
    all = _mm_and_si128(all, v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), v);
  }
  all = _mm_and_si128(all, _mm_shuffle_epi32(all, 0x4E));
  all = _mm_and_si128(all, _mm_shuffle_epi32(all, 0xB1));
  DWORD result = static_cast<DWORD>(_mm_cvtsi128_si32(all));
  for (; k < n; ++k)
    result &= out[k] = in[k];
  return result;
}

// out[k] = base[off[k]] for n pixels; returns the AND of the pixels. Four pixels are put
// together in a register and stored at once. The source lines of the first na offsets of ahead,
// a row that comes a few rows later, are fetched meanwhile: the walk runs across the source's
// rows, so no hardware prefetcher foresees them, and a miss would otherwise stall on memory.
DWORD Gather(DWORD* out, int n, const int32_t* off, const DWORD* base, const int32_t* ahead, int na) {
  __m128i all = _mm_set1_epi32(-1);
  int k = 0;
  for (; k + 4 <= n; k += 4) {
    if (k < na) {
      _mm_prefetch(reinterpret_cast<const char*>(base + ahead[k]), _MM_HINT_T0);
      _mm_prefetch(reinterpret_cast<const char*>(base + ahead[k + 2]), _MM_HINT_T0);
    }
    const __m128i a = _mm_cvtsi32_si128(static_cast<int>(base[off[k]]));
    const __m128i b = _mm_cvtsi32_si128(static_cast<int>(base[off[k + 1]]));
    const __m128i c = _mm_cvtsi32_si128(static_cast<int>(base[off[k + 2]]));
    const __m128i d = _mm_cvtsi32_si128(static_cast<int>(base[off[k + 3]]));
    const __m128i v = _mm_unpacklo_epi64(_mm_unpacklo_epi32(a, b), _mm_unpacklo_epi32(c, d));
    all = _mm_and_si128(all, v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k), v);
  }
  all = _mm_and_si128(all, _mm_shuffle_epi32(all, 0x4E));
  all = _mm_and_si128(all, _mm_shuffle_epi32(all, 0xB1));
  DWORD result = static_cast<DWORD>(_mm_cvtsi128_si32(all));
  for (; k < n; ++k)
    result &= out[k] = base[off[k]];
  return result;
}

} // namespace

void CGdipEffects::RotateByAngle(Bitmap*& pBitmap, int nDegrees, COLORREF clrBack) {
  if (pBitmap == NULL || cx <= 0 || cy <= 0)
    return;
  const float r = static_cast<float>(nDegrees) * 0.01745329238474369f;
  const float c = static_cast<float>(std::cos(static_cast<double>(r)));
  const float s = static_cast<float>(std::sin(static_cast<double>(r)));
  const float W = static_cast<float>(cx), H = static_cast<float>(cy);
  const int xs[4] = {0, static_cast<int>(H * s), static_cast<int>(W * c + H * s), static_cast<int>(W * c)};
  const int ys[4] = {0, static_cast<int>(H * c), static_cast<int>(H * c - W * s), static_cast<int>(-W * s)};
  const int minx = *std::min_element(xs, xs + 4), maxx = *std::max_element(xs, xs + 4);
  const int miny = *std::min_element(ys, ys + 4), maxy = *std::max_element(ys, ys + 4);
  const int width = maxx - minx, height = maxy - miny;
  if (width <= 0 || height <= 0)
    return;
  const DWORD back = OpaqueArgb(clrBack);
  const int srcW = cx, srcH = cy;
  auto fill = [&](const CGdipBitsLock& src, const PixelRows& dst) {
    // The world transform x' = x c + y s - minx, y' = -x s + y c - miny, inverted at each target
    // pixel centre and sampled at the nearest source pixel: source (fx, fy) = (fx0 + X c,
    // fy0 + X s) in double, outside the source the background.
    const double dc = c, ds = s;
    const double u0 = 0.5 + minx;
    std::vector<const DWORD*> rows(srcH);
    for (int y = 0; y < srcH; ++y)
      rows[y] = src.Row(y);
    auto inside = [&](double fx0, double fy0, int X) {
      const double fx = fx0 + X * dc, fy = fy0 + X * ds;
      return !(fx < 0 || fy < 0 || fx >= srcW || fy >= srcH);
    };
    // Below these sizes every coordinate stays under 2^18 and the estimates below hold.
    const bool walks = width < 32768 && height < 32768 && srcW < 32768 && srcH < 32768;
    // The columns whose source is inside form one run, since each coordinate only grows or only
    // shrinks along the row; the plain test fixes its ends near their estimates.
    auto span = [&](double fx0, double fy0, int& from, int& to) {
      double lo = 0, hi = width;
      bool none = false;
      auto limit = [&](double e, double d, int size) {
        if (d == 0) {
          none = none || e < 0 || e >= size;
        } else if (std::fabs(d) >= 1e-9) { // far past the rounding of the sums
          const double a = -e / d, b = (size - e) / d;
          lo = std::max(lo, std::min(a, b));
          hi = std::min(hi, std::max(a, b));
        }
      };
      limit(fx0, dc, srcW);
      limit(fy0, ds, srcH);
      auto column = [&](double x) { return x <= 0 ? 0 : (x >= width ? width : static_cast<int>(x)); };
      from = walks ? column(std::floor(lo) - 2) : 0;
      to = walks ? column(std::ceil(hi) + 2) : width;
      if (none || to < from) // the estimates err by far less than the margins
        to = from;
      while (from < to && !inside(fx0, fy0, from))
        ++from;
      while (to > from && !inside(fx0, fy0, to - 1))
        --to;
    };
    // Rows are walked in bands, and a band a chunk of columns at a time, so that the source pixels
    // a chunk reads lie close together even when they run down the source's columns. The
    // offsets of a chunk's rows come first, so that each row can fetch ahead for a later one.
    struct Row {
      int from, to;
      bool walked;
      Walk x, y;
    };
    const int kBand = 32, kChunk = 256, kAhead = 4;
    Row band[kBand];
    std::vector<int32_t> grid(static_cast<size_t>(kBand) * (kChunk + 4));
    const DWORD* const base = src.Row(0);
    const int srcStride = src.Stride() / 4;
    auto finish = [](DWORD* out, int n, DWORD all) {
      if (all < 0xFF000000)
        std::transform(out, out + n, out, OverWhite);
    };
    for (int Y0 = 0; Y0 < height; Y0 += kBand) {
      const int Y1 = std::min(Y0 + kBand, height);
      for (int Y = Y0; Y < Y1; ++Y) {
        Row& row = band[Y - Y0];
        DWORD* out = dst.Row(Y);
        const double v = Y + 0.5 + miny;
        const double fx0 = dc * u0 - ds * v, fy0 = ds * u0 + dc * v;
        span(fx0, fy0, row.from, row.to);
        FillPixels(out, row.from, back);
        FillPixels(out + row.to, width - row.to, back);
        const int n = row.to - row.from;
        row.walked =
            walks && n > 0 && PlanWalk(fx0, dc, row.from, n, row.x) && PlanWalk(fy0, ds, row.from, n, row.y);
        if (row.walked && row.x.p == 1 && row.x.q == 0 && row.y.p == 0 && row.y.q == 0) {
          // The row maps to one source row unscaled: a copy.
          finish(out + row.from, n, Copy(out + row.from, rows[row.y.i] + row.x.i, n));
          row.walked = false;
        } else if (!row.walked) {
          for (int X = row.from; X < row.to; ++X)
            out[X] = OverWhite(rows[static_cast<int>(fy0 + X * ds)][static_cast<int>(fx0 + X * dc)]);
        }
      }
      for (int X0 = 0; X0 < width; X0 += kChunk) {
        const int X1 = std::min(X0 + kChunk, width);
        int first[kBand], count[kBand];
        for (int Y = Y0; Y < Y1; ++Y) {
          Row& row = band[Y - Y0];
          first[Y - Y0] = std::max(row.from, X0);
          count[Y - Y0] = row.walked ? std::max(std::min(row.to, X1) - first[Y - Y0], 0) : 0;
          if (count[Y - Y0] > 0) {
            Offsets(&grid[(Y - Y0) * (kChunk + 4)], count[Y - Y0], row.x, row.y, srcStride);
            Advance(row.x, count[Y - Y0]);
            Advance(row.y, count[Y - Y0]);
          }
        }
        for (int i = 0; i < Y1 - Y0; ++i) {
          if (count[i] == 0)
            continue;
          const int later = i + kAhead < Y1 - Y0 ? i + kAhead : i;
          DWORD* out = dst.Row(Y0 + i) + first[i];
          finish(out, count[i],
                 Gather(out, count[i], &grid[i * (kChunk + 4)], base, &grid[later * (kChunk + 4)],
                        later != i ? count[later] : 0));
        }
      }
    }
  };
  RebuildInPlace(pBitmap, cx, cy, width, height, fill);
}

void CGdipEffects::GetTrimRect(CRect& rcTrim, Bitmap* pBitmap) {
  rcTrim.SetRect(0, 0, cx, cy);
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy, ImageLockModeRead);
  if (!lock.IsLocked())
    return; // nothing readable differs from anything: keep the whole picture
  const DWORD kColour = 0x00FFFFFF;
  int left = 0, top = 0, right = cx, bottom = cy;

  const __m128i colourMask = _mm_set1_epi32(static_cast<int>(kColour));
  // The first column in [from, to) whose colour differs from ref, or -1; four pixels a step.
  auto firstDiffering = [&](const DWORD* p, int from, int to, DWORD ref) {
    const __m128i refV = _mm_set1_epi32(static_cast<int>(ref));
    int x = from;
    for (; x + 4 <= to; x += 4) {
      const __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x)), colourMask);
      const int same = _mm_movemask_epi8(_mm_cmpeq_epi32(v, refV));
      if (same != 0xFFFF)
        return x + __builtin_ctz(~same & 0xFFFF) / 4;
    }
    for (; x < to; ++x)
      if ((p[x] & kColour) != ref)
        return x;
    return -1;
  };
  // The last such column in [from, to), or -1.
  auto lastDiffering = [&](const DWORD* p, int from, int to, DWORD ref) {
    const __m128i refV = _mm_set1_epi32(static_cast<int>(ref));
    int x = to;
    for (; x - 4 >= from; x -= 4) {
      const __m128i v =
          _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x - 4)), colourMask);
      const int same = _mm_movemask_epi8(_mm_cmpeq_epi32(v, refV));
      if (same != 0xFFFF)
        return x - 4 + (31 - __builtin_clz(~same & 0xFFFF)) / 4;
    }
    for (--x; x >= from; --x)
      if ((p[x] & kColour) != ref)
        return x;
    return -1;
  };

  const DWORD first = lock.Row(0)[0] & kColour;
  int minX = cx, minY = -1;
  for (int y = 0; y < cy && minX > 0; ++y) {
    const int x = firstDiffering(lock.Row(y), 0, minX, first);
    if (x >= 0) {
      minX = x;
      if (minY < 0)
        minY = y;
    }
  }
  if (minY >= 0) {
    left = minX;
    top = minY;
  }

  const DWORD last = lock.Row(cy - 1)[cx - 1] & kColour;
  int maxX = -1, maxY = -1;
  for (int y = cy - 1; y >= 0 && maxX < cx - 1; --y) {
    const int x = lastDiffering(lock.Row(y), maxX + 1, cx, last);
    if (x >= 0) {
      maxX = x;
      if (maxY < 0)
        maxY = y;
    }
  }
  if (maxY >= 0) {
    right = maxX + 1;
    bottom = maxY + 1;
  }
  CRect rcFirst(left, top, cx, cy), rcLast(0, 0, right, bottom);
  if (!::IntersectRect(&rcTrim, &rcFirst, &rcLast))
    rcTrim.SetRectEmpty();
}

void CGdipEffects::AddCaption(Bitmap*& pBitmap, LPCSTR pszText, LOGFONTA lf, COLORREF clrText, BOOL bInside,
                              BOOL bBottom) {
  if (pBitmap == NULL || cx <= 0 || cy <= 0)
    return;
  const int fontHeight = std::abs(static_cast<int>(lf.lfHeight));
  const int band = fontHeight + 10;
  const int added = bInside ? 0 : band;
  const int width = cx, height = cy + added;
  auto fill = [&](const CGdipBitsLock& src, const PixelRows& dst) {
    // The picture unscaled, the added band opaque white.
    const int offset = bBottom ? 0 : added;
    for (int y = 0; y < cy; ++y)
      std::memcpy(dst.Row(y + offset), src.Row(y), static_cast<size_t>(cx) * 4);
    for (int y = bBottom ? cy : 0; y < (bBottom ? height : added); ++y)
      FillPixels(dst.Row(y), width, 0xFFFFFFFF);
  };
  std::unique_ptr<Bitmap> result = Rebuild(pBitmap, cx, cy, width, height, fill);
  if (!result)
    return;

  // Text drawn through the flat API so that every object it makes has one owner here.
  Image* owner = result.get();
  auto check = [owner](GpStatus status) {
    GdipRecordStatus(owner, status);
    return status == Ok;
  };
  // A face name that fills the whole field has no terminator: it ends where the field does.
  std::unique_ptr<wchar_t[]> face = AnsiToWideAlloc(lf.lfFaceName, LF_FACESIZE - 1);
  GpFontFamily* rawFamily = NULL;
  if (DllExports::GdipCreateFontFamilyFromName(face.get(), NULL, &rawFamily) != Ok) {
    rawFamily = NULL;
    check(DllExports::GdipGetGenericFontFamilySansSerif(&rawFamily));
  }
  FlatPtr<GpFontFamily, DllExports::GdipDeleteFontFamily> family(rawFamily);

  INT style = FontStyleRegular;
  if (lf.lfWeight == FW_BOLD)
    style |= FontStyleBold;
  if (lf.lfItalic == 1)
    style |= FontStyleItalic;
  if (lf.lfUnderline == 1)
    style |= FontStyleUnderline;
  if (lf.lfStrikeOut == 1)
    style |= FontStyleStrikeout;
  // The em size is the cell height in pixels taken as points: at 96 dpi the text comes out a third
  // larger than the point size chosen.
  GpFont* rawFont = NULL;
  if (family)
    check(
        DllExports::GdipCreateFont(family.get(), static_cast<REAL>(fontHeight), style, UnitPoint, &rawFont));
  FlatPtr<GpFont, DllExports::GdipDeleteFont> font(rawFont);

  GpGraphics* rawGraphics = NULL;
  check(DllExports::GdipGetImageGraphicsContext(GdipNativeImage(result.get()), &rawGraphics));
  FlatPtr<GpGraphics, DllExports::GdipDeleteGraphics> graphics(rawGraphics);
  GpStringFormat* rawFormat = NULL;
  check(DllExports::GdipCreateStringFormat(0, LANG_NEUTRAL, &rawFormat));
  FlatPtr<GpStringFormat, DllExports::GdipDeleteStringFormat> format(rawFormat);
  GpSolidFill* rawBrush = NULL;
  check(DllExports::GdipCreateSolidFill(OpaqueArgb(clrText), &rawBrush));
  FlatPtr<GpSolidFill, DeleteSolidFill> brush(rawBrush);

  if (font && graphics && format && brush) {
    check(DllExports::GdipSetStringFormatAlign(format.get(), StringAlignmentCenter));
    check(DllExports::GdipSetStringFormatLineAlign(format.get(), StringAlignmentCenter));
    const RectF box(0.0f, static_cast<REAL>(bBottom ? cy - band + added : 0), static_cast<REAL>(cx),
                    static_cast<REAL>(band));
    // A line taller than the box is centred on it and cut at its edges. Wine lays out no line that
    // does not fit and does not clip, so the layout box is widened around the same centre to hold
    // one line and the clip keeps the drawing inside the text box.
    RectF layout = box;
    REAL lineHeight = 0;
    if (check(DllExports::GdipGetFontHeight(font.get(), graphics.get(), &lineHeight)) &&
        lineHeight + 2 > box.Height) {
      layout.Height = std::ceil(lineHeight) + 2;
      layout.Y -= (layout.Height - box.Height) / 2;
    }
    check(
        DllExports::GdipSetClipRect(graphics.get(), box.X, box.Y, box.Width, box.Height, CombineModeReplace));
    std::unique_ptr<wchar_t[]> text = AnsiToWideAlloc(pszText);
    check(DllExports::GdipDrawString(graphics.get(), text.get(), -1, font.get(), &layout, format.get(),
                                     brush.get()));
  }
  graphics.reset(); // the drawing is finished before the bitmap changes hands

  ReplaceBitmap(pBitmap, std::move(result));
  cy = height;
}
