// Helpers of the imaging tests: GDI+ bitmaps made from and read back as ARGB arrays (gdiptest),
// display-compatible GDI pictures made from a pixel function and read back as COLORREF values
// (commonlib_test), and PNG artifacts for a look by eye.
#pragma once

#include "imaging/Dib32.h"
#include "imaging/GdipEffects.h"
#include "imaging/ImageFile.h"
#include "imaging/PixelPlane.h"
#include "tests/common/pixel_support.h"

#include <gtest/gtest.h>

#include <xmmintrin.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace gdiptest {

using BitmapPtr = std::unique_ptr<Gdiplus::Bitmap>;
using Pixels = std::vector<DWORD>;
using Fx = CGdipEffects;
using Bmp = Gdiplus::Bitmap*;
// An operation on a bitmap, which it may replace by a new one.
using Op = std::function<void(Fx&, Bmp&)>;

// The member operation bound to its arguments after the bitmap.
template <class B, class... P, class... A> Op OpOf(void (Fx::*f)(B, P...), A... a) {
  return [=](Fx& fx, Bmp& b) { (fx.*f)(b, a...); };
}

// The size of a picture, or of what an effects object was last set to.
inline std::pair<int, int> Dims(int cx, int cy) { return {cx, cy}; }
template <class T> std::pair<int, int> DimsOf(const T& t) { return {t.cx, t.cy}; }

inline DWORD Argb(int a, int r, int g, int b) {
  return (DWORD(a) << 24) | (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b);
}
inline DWORD Rgb(int r, int g, int b) { return Argb(255, r, g, b); }
inline DWORD Gray(int v) { return Argb(255, v, v, v); }
inline int Alpha(DWORD v) { return v >> 24; }
inline int Red(DWORD v) { return (v >> 16) & 0xFF; }
inline int Green(DWORD v) { return (v >> 8) & 0xFF; }
inline int Blue(DWORD v) { return v & 0xFF; }
// The pixel whose colour channels are f(channel of v, the same channel of w), with v's alpha.
template <class F> DWORD Channels(DWORD v, DWORD w, F f) {
  DWORD out = v & 0xFF000000;
  for (int shift = 0; shift <= 16; shift += 8)
    out |= DWORD(f(int(v >> shift & 0xFF), int(w >> shift & 0xFF)) & 0xFF) << shift;
  return out;
}
inline int Width(Bmp p) { return static_cast<int>(p->GetWidth()); }
inline int Height(Bmp p) { return static_cast<int>(p->GetHeight()); }

// The invalid-operation and divide-by-zero flags the SSE unit raised while fn ran: an operation
// that divides by zero or makes a NaN somewhere along the way leaves them set, even where the bytes
// it writes happen to come out right.
template <class F> unsigned FloatFaultsDuring(F fn) {
  _mm_setcsr(_mm_getcsr() & ~_MM_EXCEPT_MASK);
  fn();
  return _mm_getcsr() & (_MM_EXCEPT_INVALID | _MM_EXCEPT_DIV_ZERO);
}

inline BitmapPtr FromPixels(int cx, int cy, const Pixels& px) {
  BitmapPtr bmp(new Gdiplus::Bitmap(cx, cy, PixelFormat32bppARGB));
  EXPECT_EQ(Gdiplus::Ok, bmp->GetLastStatus());
  CGdipBitsLock lock(bmp.get(), 0, 0, cx, cy);
  EXPECT_TRUE(lock.IsLocked());
  for (int y = 0; lock.IsLocked() && y < cy; ++y)
    std::copy_n(px.begin() + static_cast<size_t>(y) * cx, cx, lock.Row(y));
  return bmp;
}

inline Pixels ReadPixels(Bmp bmp) {
  int cx = Width(bmp), cy = Height(bmp);
  Pixels px(static_cast<size_t>(cx) * cy);
  CGdipBitsLock lock(bmp, 0, 0, cx, cy, Gdiplus::ImageLockModeRead);
  EXPECT_TRUE(lock.IsLocked());
  for (int y = 0; lock.IsLocked() && y < cy; ++y)
    std::copy_n(lock.Row(y), cx, px.begin() + static_cast<size_t>(y) * cx);
  return px;
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

inline Fx EffectsFor(Bmp bmp) {
  Fx fx;
  fx.SetSize(Width(bmp), Height(bmp));
  return fx;
}

// A cx x cy picture of px after op: the bitmap op ended with, its pixels and size, and the state
// op left in the effects object.
struct Outcome {
  BitmapPtr bmp;
  Pixels px;
  int cx, cy;
  Fx fx;
};
inline Outcome Apply(const Pixels& px, int cx, int cy, const Op& op) {
  BitmapPtr bmp = FromPixels(cx, cy, px);
  Fx fx = EffectsFor(bmp.get());
  Bmp raw = bmp.release();
  op(fx, raw);
  bmp.reset(raw);
  Pixels out = ReadPixels(bmp.get());
  int w = Width(bmp.get()), h = Height(bmp.get());
  return {std::move(bmp), std::move(out), w, h, fx};
}

// Saves a picture as <artifacts>/<name>.png; does nothing when no folder is configured.
inline void SaveArtifact(Bmp bmp, const std::string& name) {
  std::string folder = pixel_support::ArtifactsFolder();
  if (folder.empty())
    return;
  UINT count = 0, size = 0;
  ASSERT_EQ(Gdiplus::Ok, Gdiplus::GetImageEncodersSize(&count, &size));
  std::vector<BYTE> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  ASSERT_EQ(Gdiplus::Ok, Gdiplus::GetImageEncoders(count, size, codecs));
  auto png =
      std::find_if(codecs, codecs + count, [](auto& c) { return std::wstring(c.MimeType) == L"image/png"; });
  ASSERT_NE(codecs + count, png);
  std::string file = folder + "/" + name + ".png";
  EXPECT_EQ(Gdiplus::Ok, bmp->Save(AnsiToWideAlloc(file.c_str()).get(), &png->Clsid, NULL)) << file;
}

// A file of the temporary folder for a test's own bytes, and those bytes written to it whole.
inline std::string TempFilePath(const std::string& name) {
  char szTemp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, szTemp);
  return std::string(szTemp) + "pix_" + name;
}
inline void WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), (std::streamsize)bytes.size());
}

// The picture of a file over white, its size and pixels; empty when it gives none.
struct Loaded {
  int cx = 0, cy = 0;
  Pixels px;
  bool operator==(const Loaded& o) const { return cx == o.cx && cy == o.cy && px == o.px; }
};
inline Loaded LoadOverWhite(const std::string& path) {
  int nDpi = 0;
  HBITMAP hBitmap = LoadPictureOverWhite(path.c_str(), &nDpi);
  Loaded loaded;
  CPixelPlane plane;
  if (hBitmap != NULL && OpenPixelPlane(hBitmap, plane)) {
    loaded.cx = plane.cx, loaded.cy = plane.cy;
    for (int y = 0; y < plane.cy; y++)
      loaded.px.insert(loaded.px.end(), reinterpret_cast<DWORD*>(plane.Row(y)),
                       reinterpret_cast<DWORD*>(plane.Row(y)) + plane.cx);
  }
  if (hBitmap != NULL)
    ::DeleteObject(hBitmap);
  return loaded;
}

} // namespace gdiptest

namespace commonlib_test {

using gdiptest::Dims;
using gdiptest::DimsOf;

// A DC of the display; pictures are made compatible with it, as the program's view DC would.
struct DisplayDC {
  CDC dc;
  DisplayDC() { dc.CreateDC("DISPLAY", NULL, NULL, NULL); }
  CDC* Get() { return &dc; }
};

// The pixels of a bitmap, top row first, as COLORREF values; comparable as a whole.
struct Pixels : pixel_support::Pixels {
  bool operator==(const Pixels& o) const { return cx == o.cx && cy == o.cy && data == o.data; }
  bool operator!=(const Pixels& o) const { return !(*this == o); }
};
inline Pixels ReadPixels(HBITMAP hBitmap) { return {pixel_support::ReadBitmap(hBitmap)}; }
inline Pixels ReadPixels(CBitmap& bitmap) { return ReadPixels((HBITMAP)bitmap.GetSafeHandle()); }

// The w x h pixels whose pixel (x, y) is fn(x, y).
inline Pixels PixelsOf(int w, int h, const std::function<COLORREF(int, int)>& fn) {
  Pixels px{{w, h, {}}};
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      px.data.push_back(fn(x, y));
  return px;
}

inline Pixels SolidPixels(int w, int h, COLORREF clr) {
  return PixelsOf(w, h, [clr](int, int) { return clr; });
}

// A w x h display-compatible bitmap whose pixel (x, y) is fn(x, y).
inline void MakePicture(CBitmap& bitmap, int w, int h, const std::function<COLORREF(int, int)>& fn) {
  DisplayDC display;
  bitmap.DeleteObject();
  bitmap.CreateCompatibleBitmap(display.Get(), w, h);
  std::vector<DWORD> bits = PixelsOf(w, h, fn).data;
  std::transform(bits.begin(), bits.end(), bits.begin(), pixel_support::ToDib);
  BITMAPINFO bmi = TopDownDib32(w, h);
  ::SetDIBits(display.dc.GetSafeHdc(), (HBITMAP)bitmap.GetSafeHandle(), 0, h, bits.data(), &bmi,
              DIB_RGB_COLORS);
}
inline void MakeSolid(CBitmap& bitmap, int w, int h, COLORREF clr) {
  MakePicture(bitmap, w, h, [clr](int, int) { return clr; });
}

// A picture with no white pixel in it, distinct from pixel to pixel.
inline COLORREF PatternColor(int x, int y) {
  return RGB((x * 7) & 0x7F, (y * 5) & 0x7F, 0x40 + ((x + y) & 0x3F));
}

// Depth of the cut-away band on the left side at row y: the number of leading pixels of clrBack.
inline int LeadingRun(const Pixels& px, int y, COLORREF clrBack) {
  int n = 0;
  while (n < px.cx && px.At(n, y) == clrBack)
    n++;
  return n;
}

} // namespace commonlib_test
