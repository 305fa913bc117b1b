// Shared helpers of the GDI+ effect tests: bitmaps from pixel arrays, a sample picture, the
// artifacts folder and a plain in-place convolution to compare the fast paths with.
#pragma once

#include "tests/common/pixel_support.h"

#include "imaging/GdipEffects.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace gdiptest {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;
using Pixels = std::vector<DWORD>;

inline DWORD Argb(int a, int r, int g, int b) {
  return (DWORD(a) << 24) | (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b);
}
inline int Alpha(DWORD v) { return v >> 24; }
inline int Red(DWORD v) { return (v >> 16) & 0xFF; }
inline int Green(DWORD v) { return (v >> 8) & 0xFF; }
inline int Blue(DWORD v) { return v & 0xFF; }

inline int Width(Gdiplus::Bitmap* p) { return static_cast<int>(p->GetWidth()); }
inline int Height(Gdiplus::Bitmap* p) { return static_cast<int>(p->GetHeight()); }

// The invalid-operation and divide-by-zero flags the SSE unit raised while fn ran: an operation
// that divides by zero or makes a NaN somewhere along the way leaves them set, even where the bytes
// it writes happen to come out right.
template <class F> unsigned FloatFaultsDuring(F fn) {
  _mm_setcsr(_mm_getcsr() & ~_MM_EXCEPT_MASK);
  fn();
  return _mm_getcsr() & (_MM_EXCEPT_INVALID | _MM_EXCEPT_DIV_ZERO);
}

inline BitmapPtr MakeBitmap(int cx, int cy, DWORD fill = 0xFF000000) {
  BitmapPtr bmp(new Gdiplus::Bitmap(cx, cy, PixelFormat32bppARGB));
  EXPECT_EQ(Gdiplus::Ok, bmp->GetLastStatus());
  CGdipBitsLock lock(bmp.get(), 0, 0, cx, cy);
  EXPECT_TRUE(lock.IsLocked());
  for (int y = 0; lock.IsLocked() && y < cy; ++y)
    std::fill_n(lock.Row(y), cx, fill);
  return bmp;
}

inline Pixels ReadPixels(Gdiplus::Bitmap* bmp) {
  int cx = Width(bmp), cy = Height(bmp);
  Pixels px(static_cast<size_t>(cx) * cy);
  CGdipBitsLock lock(bmp, 0, 0, cx, cy, Gdiplus::ImageLockModeRead);
  EXPECT_TRUE(lock.IsLocked());
  for (int y = 0; lock.IsLocked() && y < cy; ++y)
    std::copy_n(lock.Row(y), cx, px.begin() + static_cast<size_t>(y) * cx);
  return px;
}

inline BitmapPtr FromPixels(int cx, int cy, const Pixels& px) {
  BitmapPtr bmp = MakeBitmap(cx, cy);
  CGdipBitsLock lock(bmp.get(), 0, 0, cx, cy);
  for (int y = 0; lock.IsLocked() && y < cy; ++y)
    std::copy_n(px.begin() + static_cast<size_t>(y) * cx, cx, lock.Row(y));
  return bmp;
}

inline DWORD PixelAt(Gdiplus::Bitmap* bmp, int x, int y) {
  CGdipBitsLock lock(bmp, x, y, 1, 1, Gdiplus::ImageLockModeRead);
  return lock.IsLocked() ? lock.Row(0)[0] : 0;
}

// Deterministic noise; with varied alpha every alpha value from 0 to 255 occurs.
inline Pixels RandomPixels(int cx, int cy, unsigned seed, bool variedAlpha = false) {
  Pixels px(static_cast<size_t>(cx) * cy);
  unsigned state = seed;
  for (size_t i = 0; i < px.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    DWORD v = state >> 8;
    state = state * 1664525u + 1013904223u;
    DWORD a = variedAlpha ? (i & 0xFF) ^ ((state >> 24) & 0x0F) : 0xFF;
    px[i] = (a << 24) | (v & 0x00FFFFFF);
  }
  return px;
}

inline CGdipEffects EffectsFor(Gdiplus::Bitmap* bmp) {
  CGdipEffects fx;
  fx.SetSize(Width(bmp), Height(bmp));
  return fx;
}

// Runs an operation that may hand back a new bitmap, keeping ownership in the BitmapPtr.
template <typename F> void Replacing(BitmapPtr& bmp, F op) {
  Gdiplus::Bitmap* raw = bmp.release();
  op(raw);
  bmp.reset(raw);
}

inline std::vector<int> AlphaPlane(const Pixels& px) {
  std::vector<int> a(px.size());
  std::transform(px.begin(), px.end(), a.begin(), Alpha);
  return a;
}

// The in-place n x n convolution written the obvious way, with the picture's edge repeated.
inline void ReferenceConvolve(Pixels& px, int cx, int cy, const int* k, int n, int divisor, int bias,
                              int bandX, int bandY) {
  const int h = n / 2;
  if (bandX == -1)
    bandX = cx;
  if (bandY == -1)
    bandY = cy;
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
}

// A colourful sample: a diagonal gradient with a few solid shapes and a white stripe.
inline BitmapPtr MakeSamplePicture(int cx = 240, int cy = 160) {
  Pixels px(static_cast<size_t>(cx) * cy);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x)
      px[y * cx + x] = Argb(255, x * 255 / cx, y * 255 / cy, 255 - (x + y) * 255 / (cx + cy));
  BitmapPtr bmp = FromPixels(cx, cy, px);
  Gdiplus::Graphics g(bmp.get());
  Gdiplus::SolidBrush yellow(Gdiplus::Color(255, 250, 220, 30)), navy(Gdiplus::Color(255, 20, 30, 110));
  Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
  g.FillEllipse(&yellow, cx / 8, cy / 6, cx / 3, cy / 2);
  g.FillRectangle(&navy, cx / 2, cy / 3, cx / 3, cy / 3);
  g.FillRectangle(&white, 0, cy * 5 / 6, cx, cy / 24 + 1);
  return bmp;
}

using pixel_support::ArtifactsFolder;

inline bool PngEncoder(CLSID* clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
    return false;
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
    return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == L"image/png") {
      *clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

// Saves a picture as <artifacts>/<name>.png; succeeds trivially when no folder is configured.
inline void SaveArtifact(Gdiplus::Bitmap* bmp, const char* name) {
  std::string folder = ArtifactsFolder();
  if (folder.empty())
    return;
  CLSID png;
  ASSERT_TRUE(PngEncoder(&png));
  std::string file = folder + "/" + name + ".png";
  std::unique_ptr<wchar_t[]> wide = AnsiToWideAlloc(file.c_str());
  EXPECT_EQ(Gdiplus::Ok, bmp->Save(wide.get(), &png, NULL)) << file;
}

} // namespace gdiptest
