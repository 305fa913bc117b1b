// Shear, perspective, rotation, trim and caption of CGdipEffects.
#include "imaging/GdipEffects.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

inline DWORD OpaqueArgb(COLORREF clr) {
  return 0xFF000000 | (DWORD(GetRValue(clr)) << 16) | (DWORD(GetGValue(clr)) << 8) | GetBValue(clr);
}

// A new 32bpp ARGB bitmap whose pixels the caller fills; NULL (with the status recorded in
// pOwner) when it cannot be made.
std::unique_ptr<Bitmap> NewBitmap(int width, int height, Image* pOwner) {
  std::unique_ptr<Bitmap> bmp(new Bitmap(width, height, PixelFormat32bppARGB));
  if (!bmp) {
    GdipRecordStatus(pOwner, OutOfMemory);
    return bmp;
  }
  Status status = bmp->GetLastStatus();
  if (status != Ok) {
    GdipRecordStatus(pOwner, status);
    bmp.reset();
  }
  return bmp;
}

// A new width x height bitmap that fill(src, dst) makes from the cx x cy area of pSource, both
// locked for the fill only; NULL when the bitmap cannot be made or either lock fails.
template <typename Fill>
std::unique_ptr<Bitmap> Rebuild(Bitmap* pSource, int cx, int cy, int width, int height, Fill fill) {
  std::unique_ptr<Bitmap> result = NewBitmap(width, height, pSource);
  if (!result)
    return result;
  CGdipBitsLock src(pSource, 0, 0, cx, cy, ImageLockModeRead);
  CGdipBitsLock dst(result.get(), 0, 0, width, height, ImageLockModeWrite);
  if (!src.IsLocked() || !dst.IsLocked())
    return nullptr;
  fill(src, dst);
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
  auto fill = [&](const CGdipBitsLock& src, const CGdipBitsLock& dst) {
    // Each row moves as a whole: the bottom slides right for a positive percent, the top otherwise.
    for (int y = 0; y < cy; ++y) {
      const double o =
          nPercent >= 1 ? static_cast<double>(y) * sx / cy : static_cast<double>(cy - y) * sx / cy;
      const int shift = static_cast<int>(o);
      DWORD* row = dst.Row(y);
      std::fill_n(row, shift, back);
      std::memcpy(row + shift, src.Row(y), static_cast<size_t>(cx) * 4);
      std::fill(row + shift + cx, row + width, back);
    }
    for (int y = cy; y < height; ++y)
      std::fill_n(dst.Row(y), width, back);
  };
  RebuildInPlace(pBitmap, cx, cy, width, height, fill);
}

void CGdipEffects::Perspective(Bitmap* pBitmap, int nHorzPercent, int nVertPercent, COLORREF clrBack) {
  // The percentage constant is the single-precision 0.01, applied in double: 50 % of 300 is 149.
  const double kPercent = 0.01f;
  if (nVertPercent != 0)
    PerspectiveAxis(pBitmap, static_cast<int>(static_cast<double>(cy * nVertPercent) * kPercent), clrBack);
  if (nHorzPercent != 0) {
    const int amount = static_cast<int>(static_cast<double>(cx * nHorzPercent) * kPercent);
    CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
    if (!lock.IsLocked())
      return;
    // The horizontal warp is the vertical one on the picture turned a quarter clockwise and back:
    // the turned picture, (X, Y) at source (Y, cy - 1 - X), is copied out in tiles, warped by
    // rows and copied back.
    const int width = cx, height = cy;
    BYTE* const origin = lock.Bits() + (height - 1) * lock.Stride();
    const int stepX = -lock.Stride();
    std::vector<DWORD> turned(static_cast<size_t>(width) * height);
    // Copies between the picture and its turned copy in 32 x 32 tiles, so that both sides are
    // read and written a cache line at a time.
    auto tiles = [&](bool out) {
      const int kTile = 32;
      for (int Y0 = 0; Y0 < width; Y0 += kTile) {
        const int Y1 = std::min(Y0 + kTile, width);
        for (int X0 = 0; X0 < height; X0 += kTile) {
          const int X1 = std::min(X0 + kTile, height);
          for (int X = X0; X < X1; ++X) {
            DWORD* pixel = reinterpret_cast<DWORD*>(origin + X * stepX) + Y0; // picture row cy-1-X
            DWORD* copy = &turned[static_cast<size_t>(Y0) * height + X];
            if (out)
              for (int Y = Y0; Y < Y1; ++Y, copy += height)
                *copy = pixel[Y - Y0];
            else
              for (int Y = Y0; Y < Y1; ++Y, copy += height)
                pixel[Y - Y0] = *copy;
          }
        }
      }
    };
    tiles(true);
    std::swap(cx, cy);
    PerspectiveView(reinterpret_cast<BYTE*>(turned.data()), 4, height * 4, amount, clrBack);
    std::swap(cx, cy);
    tiles(false);
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
  const int A = std::abs(nAmount);
  const int m = std::min(A, cy / 6);
  const int half = cx / 2;
  const DWORD back = OpaqueArgb(clrBack);
  auto at = [&](int x, int y) { return reinterpret_cast<DWORD*>(pOrigin + x * nStepX + y * nStepY); };
  std::vector<int> target(cy);
  for (int y = 0; y < cy; ++y) {
    int ty = nAmount >= 0 ? y - static_cast<int>(static_cast<double>(y) * A / cy)
                          : y + static_cast<int>(static_cast<double>(cy - y) * A / cy);
    target[y] = std::min(std::max(ty, 0), cy - 1);
  }
  std::vector<double> lean(cx, 0.0);
  for (int x = 0; half > 0 && x < cx; ++x)
    lean[x] = 1.0 - static_cast<double>(x) / half;
  // One source row into a target row: columns lean toward the middle, more so farther along.
  auto place = [&](int y, DWORD* line) {
    const double rowScale = nAmount >= 0 ? static_cast<double>(y) / cy : static_cast<double>(cy - y);
    for (int x = 0; x < cx; ++x) {
      int shift = 0;
      if (m != 0)
        shift = nAmount >= 0 ? static_cast<int>(lean[x] * rowScale * m)
                             : static_cast<int>(lean[x] * rowScale * m / cy);
      line[std::min(std::max(x + shift, 0), cx - 1)] = *at(x, y);
    }
  };
  if (!std::is_sorted(target.begin(), target.end())) {
    // Not expected for any amount; the general road keeps a whole second picture.
    std::vector<DWORD> work(static_cast<size_t>(cx) * cy, back);
    for (int y = 0; y < cy; ++y)
      place(y, work.data() + static_cast<size_t>(target[y]) * cx);
    for (int y = 0; y < cy; ++y)
      for (int x = 0; x < cx; ++x)
        *at(x, y) = work[static_cast<size_t>(y) * cx + x];
    return;
  }
  // The target rows rise with the source rows and never pass them (up when the bottom narrows,
  // down when the top does), so each target row is built from its own run of source rows and
  // written over a source row already used: one row of extra memory.
  std::vector<DWORD> line(cx);
  auto emit = [&](int t) {
    for (int x = 0; x < cx; ++x)
      *at(x, t) = line[x];
  };
  if (nAmount >= 0) {
    int y = 0;
    for (int t = 0; t < cy; ++t) {
      std::fill(line.begin(), line.end(), back);
      for (; y < cy && target[y] == t; ++y)
        place(y, line.data());
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
        place(k, line.data());
      emit(t);
    }
  }
}

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
  auto fill = [&](const CGdipBitsLock& src, const CGdipBitsLock& dst) {
    // The world transform x' = x c + y s - minx, y' = -x s + y c - miny, inverted at each target
    // pixel centre and sampled at the nearest source pixel: source (fx, fy) moves by (c, s) per
    // target column. The target is walked in tiles, so that the source pixels one tile reads lie
    // close together even when they run down the source's columns.
    const double dc = c, ds = s;
    const int kTileRows = 32, kTileColumns = 256;
    for (int Y0 = 0; Y0 < height; Y0 += kTileRows) {
      for (int X0 = 0; X0 < width; X0 += kTileColumns) {
        const int X1 = std::min(X0 + kTileColumns, width);
        for (int Y = Y0; Y < std::min(Y0 + kTileRows, height); ++Y) {
          DWORD* out = dst.Row(Y);
          const double v = Y + 0.5 + miny, u0 = 0.5 + minx;
          const double fx0 = dc * u0 - ds * v, fy0 = ds * u0 + dc * v;
          // The columns whose source lies inside follow from the two linear conditions; with two
          // columns of margin they are tested exactly, and columns one column inside both need
          // no test at all (far more than the rounding of the source coordinates).
          double lo = X0, hi = X1, inLo = X0, inHi = X1;
          auto limit = [&](double start, double step, double size) {
            if (std::fabs(step) < 1e-9) { // the coordinate stays put along the row
              if (start < 0 || start >= size)
                hi = lo - 1;
              else if (start < 1e-3 || start > size - 1e-3)
                inHi = inLo;
              return;
            }
            const double a = (0 - start) / step, b = (size - start) / step;
            lo = std::max(lo, std::min(a, b) - 2);
            hi = std::min(hi, std::max(a, b) + 2);
            inLo = std::max(inLo, std::min(a, b) + 1);
            inHi = std::min(inHi, std::max(a, b) - 1);
          };
          limit(fx0, dc, cx);
          limit(fy0, ds, cy);
          const int from = hi < lo ? X0 : static_cast<int>(std::min(std::max(lo, double(X0)), double(X1)));
          const int to =
              hi < lo ? X0 : std::max(from, static_cast<int>(std::min(std::max(hi, double(X0)), double(X1))));
          const int safeFrom =
              std::min(std::max(static_cast<int>(std::ceil(std::max(inLo, double(from)))), from), to);
          const int safeTo =
              std::max(std::min(static_cast<int>(std::floor(std::min(inHi, double(to)))), to), safeFrom);
          std::fill(out + X0, out + from, back);
          auto tested = [&](int X) {
            const double fx = fx0 + X * dc, fy = fy0 + X * ds;
            out[X] = (fx < 0 || fy < 0 || fx >= cx || fy >= cy)
                         ? back
                         : OverWhite(src.Row(static_cast<int>(fy))[static_cast<int>(fx)]);
          };
          for (int X = from; X < safeFrom; ++X)
            tested(X);
          const BYTE* bits = src.Bits();
          const int stride = src.Stride();
          double xd = safeFrom;
          for (int X = safeFrom; X < safeTo; ++X, xd += 1.0) {
            const double fx = fx0 + xd * dc, fy = fy0 + xd * ds;
            out[X] = OverWhite(
                reinterpret_cast<const DWORD*>(bits + static_cast<int>(fy) * stride)[static_cast<int>(fx)]);
          }
          for (int X = safeTo; X < to; ++X)
            tested(X);
          std::fill(out + to, out + X1, back);
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
  auto fill = [&](const CGdipBitsLock& src, const CGdipBitsLock& dst) {
    // The picture unscaled, the added band opaque white.
    const int offset = bBottom ? 0 : added;
    for (int y = 0; y < cy; ++y)
      std::memcpy(dst.Row(y + offset), src.Row(y), static_cast<size_t>(cx) * 4);
    for (int y = bBottom ? cy : 0; y < (bBottom ? height : added); ++y)
      std::fill_n(dst.Row(y), width, 0xFFFFFFFF);
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
