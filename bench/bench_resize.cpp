// Speed of the resize on full-HD and 4K pictures at half and double size, in both modes: the road
// the program takes, the GDI+ drawing, and a frame copy of the 4K picture, timed in interleaved
// rounds of one run, with the medians, their ratios and the aims.
#include "imaging/Resize.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_util.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace Gdiplus;

namespace {

using bench::Median;
using bench::Now;

const int kRounds = 5;

// A photo-like opaque picture, as a capture is: gradients with noise and hard edges.
std::unique_ptr<Bitmap> MakePicture(int cx, int cy) {
  std::unique_ptr<Bitmap> bmp(new Bitmap(cx, cy, PixelFormat32bppARGB));
  Rect rc(0, 0, cx, cy);
  BitmapData data;
  if (bmp->LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
    return bmp;
  unsigned state = 12345;
  for (int y = 0; y < cy; ++y) {
    DWORD* row = reinterpret_cast<DWORD*>(static_cast<BYTE*>(data.Scan0) + y * data.Stride);
    for (int x = 0; x < cx; ++x) {
      state = state * 1664525u + 1013904223u;
      const int noise = static_cast<int>((state >> 24) & 15) - 8;
      const int r = std::min(std::max(x * 255 / cx + noise, 0), 255);
      const int g = std::min(std::max(y * 255 / cy + noise, 0), 255);
      const int b = (((x / 64 + y / 64) & 1) ? 200 : 40) + noise;
      row[x] = 0xFF000000 | (DWORD(r) << 16) | (DWORD(g) << 8) | DWORD(b);
    }
  }
  bmp->UnlockBits(&data);
  return bmp;
}

// A new picture whose every row is written once.
Bitmap* FilledPicture(int cx, int cy) {
  std::unique_ptr<Bitmap> bmp(new Bitmap(cx, cy, PixelFormat32bppARGB));
  Rect rc(0, 0, cx, cy);
  BitmapData data;
  if (bmp->LockBits(&rc, ImageLockModeWrite, PixelFormat32bppARGB, &data) != Ok)
    return NULL;
  for (int y = 0; y < cy; ++y)
    std::memset(static_cast<BYTE*>(data.Scan0) + y * data.Stride, 0x40, static_cast<size_t>(cx) * 4);
  bmp->UnlockBits(&data);
  return bmp.release();
}

// Milliseconds one resize takes; the result is deleted outside the time.
template <class Road> double TimeOnce(Road road) {
  const double t0 = Now();
  std::unique_ptr<Bitmap> out(road());
  const double t = Now() - t0;
  if (!out)
    std::printf("  (a resize failed)\n");
  return t;
}

struct Row {
  const char* name;
  int cx, cy, percent;
  bool smooth;
  std::vector<double> ours, drawn, empty;
};

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  std::unique_ptr<Bitmap> hd = MakePicture(1920, 1080), uhd = MakePicture(3840, 2160);
  std::vector<Row> rows;
  for (int percent : {50, 200})
    for (bool smooth : {false, true}) {
      rows.push_back({"1920x1080", 1920, 1080, percent, smooth, {}, {}, {}});
      rows.push_back({"3840x2160", 3840, 2160, percent, smooth, {}, {}, {}});
    }
  std::printf("our road replaces the drawing here: plain %s, smooth %s\n",
              ResizeMatchesDrawing(false) ? "yes" : "no", ResizeMatchesDrawing(true) ? "yes" : "no");

  // One round times every row once on each road and the frame copy once.
  const size_t frameBytes = static_cast<size_t>(3840) * 2160 * 4;
  std::vector<double> copies;
  for (int round = 0; round < kRounds; ++round) {
    copies.push_back(bench::TimeMemcpy(frameBytes, 1));
    for (Row& r : rows) {
      Bitmap* src = r.cx == 1920 ? hd.get() : uhd.get();
      const int cx = r.cx * r.percent / 100, cy = r.cy * r.percent / 100;
      r.ours.push_back(TimeOnce([&] { return ResizePicture(src, cx, cy, r.smooth); }));
      r.drawn.push_back(TimeOnce([&] { return ResizeByDrawing(src, cx, cy, r.smooth); }));
      // The floor of any road: a new picture of the size, each of its rows written once.
      r.empty.push_back(TimeOnce([&] { return FilledPicture(cx, cy); }));
    }
  }

  const double copy = Median(copies);
  std::printf("frame copy, 4K (%u bytes): %.2f ms (median of %d)\n\n", static_cast<unsigned>(frameBytes),
              copy, kRounds);
  std::printf("%-10s %5s %-6s %10s %10s %8s %9s %9s  %s\n", "picture", "scale", "mode", "ours ms", "GDI+ ms",
              "GDI+/us", "us/copy", "fill ms", "aim");
  bool allMet = true;
  for (const Row& r : rows) {
    const double ours = Median(r.ours), drawn = Median(r.drawn);
    const double aim = r.percent == 50 ? 6.0 : 25.0;
    char verdict[64] = "-";
    if (r.cx == 3840) {
      const bool met = ours <= aim * copy;
      allMet = allMet && met;
      std::snprintf(verdict, sizeof(verdict), "within %.0fx a frame copy: %s", aim, met ? "met" : "NOT met");
    }
    std::printf("%-10s %4d%% %-6s %10.2f %10.2f %8.1f %9.2f %9.2f  %s\n", r.name, r.percent,
                r.smooth ? "smooth" : "plain", ours, drawn, drawn / ours, ours / copy, Median(r.empty),
                verdict);
  }
  std::printf("\nfill: a new picture of the size with each row written once, the floor of any road\n");
  std::printf("aims %s\n", allMet ? "met" : "NOT all met");
  return 0;
}
