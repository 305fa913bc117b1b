// Speed of the image operations on full-HD and 4K pictures, as the median of several runs and as
// a multiple of copying the same bytes with memcpy in the same run.
#include "imaging/GdipEffects.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_util.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace {

using bench::Median;
using bench::Now;

const int kRuns = 7;

// A photo-like picture: smooth gradients with noise and a few hard edges.
std::vector<DWORD> MakePicture(int cx, int cy) {
  std::vector<DWORD> px(static_cast<size_t>(cx) * cy);
  unsigned state = 12345;
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      state = state * 1664525u + 1013904223u;
      int noise = static_cast<int>((state >> 24) & 15) - 8;
      int r = x * 255 / cx + noise, g = y * 255 / cy + noise, b = ((x / 64 + y / 64) & 1) ? 200 : 40;
      r = std::min(std::max(r, 0), 255);
      g = std::min(std::max(g, 0), 255);
      px[static_cast<size_t>(y) * cx + x] =
          0xFF000000 | (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b + noise);
    }
  }
  return px;
}

void Refill(Bitmap* bmp, int cx, int cy, const std::vector<DWORD>& px) {
  CGdipBitsLock lock(bmp, 0, 0, cx, cy, ImageLockModeWrite);
  for (int y = 0; lock.IsLocked() && y < cy; ++y)
    std::memcpy(lock.Row(y), px.data() + static_cast<size_t>(y) * cx, static_cast<size_t>(cx) * 4);
}

std::unique_ptr<Bitmap> MakeBitmap(int cx, int cy, const std::vector<DWORD>& px) {
  std::unique_ptr<Bitmap> bmp(new Bitmap(cx, cy, PixelFormat32bppARGB));
  Refill(bmp.get(), cx, cy, px);
  return bmp;
}

// The same operations written as the plainest correct loops, for comparison: a new GDI+ bitmap
// and one computation per target pixel, as the operations defined them.
DWORD Opaque(COLORREF clr) {
  return 0xFF000000 | (DWORD(GetRValue(clr)) << 16) | (DWORD(GetGValue(clr)) << 8) | GetBValue(clr);
}

DWORD OverWhite(DWORD v) {
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

// Replaces the picture by a width x height one whose pixel (x, y) is at(src, x, y).
template <typename At> void PlainRebuild(CGdipEffects& fx, Bitmap*& b, int width, int height, At at) {
  std::unique_ptr<Bitmap> result(new Bitmap(width, height, PixelFormat32bppARGB));
  {
    CGdipBitsLock src(b, 0, 0, fx.cx, fx.cy, ImageLockModeRead);
    CGdipBitsLock dst(result.get(), 0, 0, width, height, ImageLockModeWrite);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        dst.Row(y)[x] = at(src, x, y);
  }
  delete b;
  b = result.release();
  fx.SetSize(width, height);
}

void PlainRotate(CGdipEffects& fx, Bitmap*& b, int degrees, COLORREF clrBack) {
  const int cx = fx.cx, cy = fx.cy;
  const float r = static_cast<float>(degrees) * 0.01745329238474369f;
  const float c = static_cast<float>(std::cos(static_cast<double>(r)));
  const float s = static_cast<float>(std::sin(static_cast<double>(r)));
  const float W = static_cast<float>(cx), H = static_cast<float>(cy);
  const int xs[4] = {0, static_cast<int>(H * s), static_cast<int>(W * c + H * s), static_cast<int>(W * c)};
  const int ys[4] = {0, static_cast<int>(H * c), static_cast<int>(H * c - W * s), static_cast<int>(-W * s)};
  const int minx = *std::min_element(xs, xs + 4), miny = *std::min_element(ys, ys + 4);
  const int width = *std::max_element(xs, xs + 4) - minx, height = *std::max_element(ys, ys + 4) - miny;
  const double dc = c, ds = s;
  const DWORD back = Opaque(clrBack);
  PlainRebuild(fx, b, width, height, [&](const CGdipBitsLock& src, int X, int Y) {
    const double v = Y + 0.5 + miny, u = X + 0.5 + minx;
    const double fx = dc * u - ds * v, fy = ds * u + dc * v;
    return fx < 0 || fy < 0 || fx >= cx || fy >= cy
               ? back
               : OverWhite(src.Row(static_cast<int>(fy))[static_cast<int>(fx)]);
  });
}

void PlainShear(CGdipEffects& fx, Bitmap*& b, int percent, COLORREF clrBack) {
  const int cx = fx.cx, cy = fx.cy;
  const int sx = std::abs(cx * percent / 100);
  const DWORD back = Opaque(clrBack);
  PlainRebuild(fx, b, cx + sx, cy, [&](const CGdipBitsLock& src, int x, int y) {
    const int shift = static_cast<int>(static_cast<double>(y) * sx / cy);
    return x >= shift && x < shift + cx ? src.Row(y)[x - shift] : back;
  });
}

struct Operation {
  const char* name;
  // Runs on a fresh copy of the picture (may replace the bitmap); other is a second, unchanged
  // picture of the same size.
  std::function<void(CGdipEffects&, Bitmap*&, Bitmap* other)> run;
  // Runs on a picture of one colour instead (the worst case of a scan).
  bool flat = false;
};

std::vector<Operation> Operations() {
  static const int edges[9] = {-1, -2, -1, 0, 0, 0, 1, 2, 1};
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof(lf));
  lf.lfHeight = 24;
  lf.lfWeight = FW_BOLD;
  std::strcpy(lf.lfFaceName, "Arial");
  return {
      {"Grayscale", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Grayscale(b, 20, 1); }},
      {"BlackWhite", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.BlackWhite(b, 128); }},
      {"InvertColor", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.InvertColor(b, 7); }},
      {"Solarize", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Solarize(b, 128); }},
      {"ApplyLookupTable",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) {
         for (int i = 0; i < 256; ++i)
           fx.lut[i] = static_cast<BYTE>(i * i / 255);
         fx.ApplyLookupTable(b);
       }},
      {"ColorBalance", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.ColorBalance(b, 40, 0, -40); }},
      {"Brightness", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Brightness(b, 40); }},
      {"Contrast", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Contrast(b, 40); }},
      {"Emboss 1 gray", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Emboss(b, 1, 1); }},
      {"Emboss 1 colour", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Emboss(b, 1, 2); }},
      {"Blur 1 (3x3)", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Blur(b, 1, -1, -1); }},
      {"Blur 3 (7x7)", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Blur(b, 3, -1, -1); }},
      {"Blur 5 (11x11)", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Blur(b, 5, -1, -1); }},
      {"Blur 5 frame 60", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Blur(b, 5, 60, 60); }},
      {"Sharpen 1", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Sharpen(b, 1); }},
      {"Convolve 3x3 edges",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Convolve(b, edges, 3, 1, 128, -1, -1); }},
      {"MultiplyBlend",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap* other) {
         // The picture as the shade laid over its own copy: each channel squared over 255.
         fx.MultiplyBlend(other, b, 0, 0, fx.cx, fx.cy);
       }},
      {"FadeEdge 25% all",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.FadeEdge(b, 25, 15, RGB(255, 255, 255)); }},
      {"BevelEdge 10%", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.BevelEdge(b, 10, 0, 0); }},
      {"Shear 30%", [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Shear(b, 30, 0, RGB(255, 255, 255)); }},
      {"Shear 30%, plain loop",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { PlainShear(fx, b, 30, RGB(255, 255, 255)); }},
      {"Perspective v 30%",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Perspective(b, 0, 30, RGB(255, 255, 255)); }},
      {"PerspectiveAxis -200",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.PerspectiveAxis(b, -200, RGB(255, 255, 255)); }},
      {"Perspective h 30%",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.Perspective(b, 30, 0, RGB(255, 255, 255)); }},
      {"RotateByAngle 30",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.RotateByAngle(b, 30, RGB(255, 255, 255)); }},
      {"RotateByAngle 30, plain loop",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { PlainRotate(fx, b, 30, RGB(255, 255, 255)); }},
      {"RotateByAngle 90",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) { fx.RotateByAngle(b, 90, RGB(255, 255, 255)); }},
      {"GetTrimRect",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) {
         CRect rc;
         fx.GetTrimRect(rc, b);
       }},
      {"GetTrimRect uniform",
       [](CGdipEffects& fx, Bitmap*& b, Bitmap*) {
         CRect rc;
         fx.GetTrimRect(rc, b);
       },
       true},
      {"AddCaption", [lf](CGdipEffects& fx, Bitmap*& b,
                          Bitmap*) { fx.AddCaption(b, "Pixolet 12:34", lf, 0, FALSE, FALSE); }},
  };
}

// The horizontal perspective against the vertical one on the same 4K picture, in interleaved
// rounds so that both see the same machine: the aim is the horizontal one within 1.5 times.
void ComparePerspectives() {
  const int cx = 3840, cy = 2160, kRounds = 15;
  const std::vector<DWORD> picture = MakePicture(cx, cy);
  std::unique_ptr<Bitmap> work = MakeBitmap(cx, cy, picture);
  std::vector<double> times[2];
  for (int round = 0; round < kRounds; ++round) {
    for (int h = 0; h < 2; ++h) {
      Refill(work.get(), cx, cy, picture);
      CGdipEffects fx;
      fx.SetSize(cx, cy);
      const double t0 = Now();
      fx.Perspective(work.get(), h ? 30 : 0, h ? 0 : 30, RGB(255, 255, 255));
      times[h].push_back(Now() - t0);
    }
  }
  const double v = Median(times[0]), h = Median(times[1]), kAim = 1.5;
  std::printf(
      "\nPerspective 30 %%, %dx%d, median of %d interleaved rounds: vertical %.2f ms, horizontal %.2f "
      "ms, h/v %.2f (aim within %.1fx: %s)\n",
      cx, cy, kRounds, v, h, h / v, kAim, h <= kAim * v ? "met" : "NOT met");
}

struct Result {
  std::string name;
  double ms[2];
};

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started()) {
    std::fprintf(stderr, "GDI+ did not start\n");
    return 1;
  }
  const int sizes[2][2] = {{1920, 1080}, {3840, 2160}};
  std::vector<Operation> ops = Operations();
  // Rows before the operations: the baseline, and for the operations that hand back a new bitmap
  // the cost of making one and writing it once (its memory is fresh, so every page faults in).
  std::vector<Result> results(ops.size() + 3);
  results[0].name = "memcpy (baseline)";
  results[1].name = "CopyPixels";
  results[2].name = "new bitmap, first fill";
  for (size_t i = 0; i < ops.size(); ++i)
    results[i + 3].name = ops[i].name;

  for (int s = 0; s < 2; ++s) {
    const int cx = sizes[s][0], cy = sizes[s][1];
    const std::vector<DWORD> picture = MakePicture(cx, cy);
    const size_t bytes = picture.size() * 4;

    // The baseline: the same number of bytes copied between two buffers.
    std::vector<BYTE> from(bytes, 1), to(bytes, 0);
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
      double t0 = Now();
      std::memcpy(to.data(), from.data(), bytes);
      times.push_back(Now() - t0);
    }
    results[0].ms[s] = Median(times);

    std::unique_ptr<Bitmap> source = MakeBitmap(cx, cy, picture);
    std::unique_ptr<Bitmap> target = MakeBitmap(cx, cy, picture);
    times.clear();
    for (int run = 0; run < kRuns; ++run) {
      CGdipEffects fx;
      fx.SetSize(cx, cy);
      double t0 = Now();
      fx.CopyPixels(target.get(), source.get());
      times.push_back(Now() - t0);
    }
    results[1].ms[s] = Median(times);

    times.clear();
    for (int run = 0; run < kRuns; ++run) {
      double t0 = Now();
      std::unique_ptr<Bitmap> fresh(new Bitmap(cx, cy, PixelFormat32bppARGB));
      {
        CGdipBitsLock lock(fresh.get(), 0, 0, cx, cy, ImageLockModeWrite);
        for (int y = 0; lock.IsLocked() && y < cy; ++y)
          std::fill_n(lock.Row(y), cx, 0xFFFFFFFF);
      }
      times.push_back(Now() - t0);
    }
    results[2].ms[s] = Median(times);

    // One work picture, refilled before every run; operations that hand back a new bitmap leave a
    // bitmap of another size, which is then made again outside the timing.
    std::unique_ptr<Bitmap> work = MakeBitmap(cx, cy, picture);
    for (size_t i = 0; i < ops.size(); ++i) {
      times.clear();
      for (int run = 0; run < kRuns; ++run) {
        if (static_cast<int>(work->GetWidth()) != cx || static_cast<int>(work->GetHeight()) != cy)
          work = MakeBitmap(cx, cy, picture);
        if (ops[i].flat)
          Refill(work.get(), cx, cy, std::vector<DWORD>(picture.size(), 0xFF336699));
        else
          Refill(work.get(), cx, cy, picture);
        CGdipEffects fx;
        fx.SetSize(cx, cy);
        Bitmap* raw = work.release();
        double t0 = Now();
        ops[i].run(fx, raw, source.get());
        times.push_back(Now() - t0);
        work.reset(raw);
      }
      results[i + 3].ms[s] = Median(times);
    }
  }

  std::printf("Median of %d runs; ratio = time / memcpy of the same bytes in this run.\n\n", kRuns);
  std::printf("| %-28s | %9s | %6s | %9s | %6s |\n", "operation", "1920x1080", "ratio", "3840x2160", "ratio");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(30, '-').c_str(), std::string(11, '-').c_str(),
              std::string(8, '-').c_str(), std::string(11, '-').c_str(), std::string(8, '-').c_str());
  for (const Result& r : results) {
    std::printf("| %-28s | %6.2f ms | %6.2f | %6.2f ms | %6.2f |\n", r.name.c_str(), r.ms[0],
                r.ms[0] / results[0].ms[0], r.ms[1], r.ms[1] / results[0].ms[1]);
  }
  ComparePerspectives();
  return 0;
}
