// The pattern edges with drop shadow and the shadow edge on a 3840x2160 picture: the pixel roads
// and the roads through whole-size bitmaps and blits, against a memcpy of the picture's bytes,
// all measured in interleaved rounds of the same run. Prints whether each aim is met.
#include "imaging/CommonLib.h"
#include "imaging/Dib32.h"
#include "resources/resource.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_picture.h"
#include "bench/bench_util.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using bench::MakeRampPicture;
using bench::Median;
using bench::Now;
using bench::TimeMemcpy;

// One timed call of op on a fresh copy of the picture; making the copy is not timed.
double TimeOnce(CBitmap& original, const std::function<void(CBitmap&)>& op) {
  CBitmap work;
  work.Attach(CCommonLib::DuplicateBitmap((HBITMAP)original.GetSafeHandle()));
  const double t0 = Now();
  op(work);
  ::GdiFlush();
  return Now() - t0;
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  CDC display;
  if (!gdiplus.Started() || !display.CreateDC("DISPLAY", NULL, NULL, NULL)) {
    fprintf(stderr, "no GDI+ or no display DC\n");
    return 1;
  }
  CDC* pDC = &display;
  const int cx = 3840, cy = 2160, nRounds = 5;
  const COLORREF kBack = RGB(255, 255, 255), kShadow = RGB(64, 64, 64);
  struct Op {
    const char* pszName;
    double aim; // in frame copies
    std::function<void(CCommonLib&, CBitmap&)> run;
  };
  auto edge = [&](int nTask, int nSize, int dx, int dy, int nSoftness) {
    return [=](CCommonLib& lib, CBitmap& b) {
      srand(1);
      lib.EdgeEffect(pDC, &b, nTask, nSize, 15, kBack, 0, 0, TRUE, kShadow, 50, dx, dy, nSoftness);
    };
  };
  const Op ops[] = {
      {"wave 10 + shadow (5,5) soft 2", 15, edge(TASK_WAVE_EDGE, 10, 5, 5, 2)},
      {"saw 20 + shadow (5,5) soft 2", 15, edge(TASK_SAW_EDGE, 20, 5, 5, 2)},
      {"shark 20 + shadow (8,8) soft 5", 15, edge(TASK_SHARK_EDGE, 20, 8, 8, 5)},
      {"torn 20 + shadow (5,5) soft 2", 15, edge(TASK_TORN_EDGE, 20, 5, 5, 2)},
      {"drop shadow 12", 6,
       [&](CCommonLib& lib, CBitmap& b) { lib.ShadowEffect(pDC, &b, 12, 0, (COLORREF)-1, kBack); }},
  };
  const size_t nOps = sizeof(ops) / sizeof(ops[0]);
  CBitmap picture;
  MakeRampPicture(pDC, picture, cx, cy);
  // times[op][road], road 0 the blit road, 1 the pixel road; one sample of each per round.
  std::vector<std::vector<double>> times(nOps * 2), copies;
  std::vector<double> base;
  for (int r = 0; r < nRounds + 1; r++) {
    const bool warmUp = r == 0;
    const double tCopy = TimeMemcpy((size_t)cx * cy * 4, 5);
    if (!warmUp)
      base.push_back(tCopy);
    for (size_t i = 0; i < nOps; i++)
      for (int road = 0; road < 2; road++) {
        CCommonLib lib;
        lib.m_bPixelRoads = road == 1;
        const double t = TimeOnce(picture, [&](CBitmap& b) { ops[i].run(lib, b); });
        if (!warmUp)
          times[i * 2 + road].push_back(t);
      }
  }
  const double copy = Median(base);
  printf("%dx%d, medians of %d interleaved rounds: frame copy (memcpy %.1f MB) = %.2f ms\n", cx, cy, nRounds,
         (double)cx * cy * 4 / 1048576.0, copy);
  printf("  %-32s %10s %8s %10s %8s  %s\n", "operation", "ours", "x copy", "blit road", "x copy", "aim");
  int nMissed = 0;
  for (size_t i = 0; i < nOps; i++) {
    const double ours = Median(times[i * 2 + 1]), old = Median(times[i * 2]);
    const bool met = ours <= ops[i].aim * copy;
    nMissed += met ? 0 : 1;
    printf("  %-32s %7.2f ms %7.1fx %7.2f ms %7.1fx  within %.0fx: %s\n", ops[i].pszName, ours, ours / copy,
           old, old / copy, ops[i].aim, met ? "met" : "NOT met");
  }
  return nMissed == 0 ? 0 : 2;
}
