// Timings of the GDI bitmap operations on full-HD and 4K pictures, each against a plain memcpy of
// the picture's bytes measured in the same run.
#include "imaging/CommonLib.h"
#include "resources/resource.h"
#include "imaging/Dib32.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_picture.h"
#include "bench/bench_util.h"

#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using bench::MakeRampPicture;
using bench::Median;
using bench::Now;
using bench::TimeMemcpy;

// Runs `op` on a fresh copy of the picture `nRuns` times and answers the median in milliseconds;
// making the copy is not timed.
double TimeOp(CDC* pDC, CBitmap& original, int nRuns, const std::function<void(CBitmap&)>& op) {
  std::vector<double> times;
  for (int i = 0; i < nRuns; i++) {
    CBitmap work;
    work.Attach(CCommonLib::DuplicateBitmap((HBITMAP)original.GetSafeHandle()));
    double t0 = Now();
    op(work);
    times.push_back(Now() - t0);
  }
  return Median(times);
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started()) {
    fprintf(stderr, "GDI+ did not start\n");
    return 1;
  }
  int rc = 0;
  {
    CDC display;
    if (!display.CreateDC("DISPLAY", NULL, NULL, NULL)) {
      fprintf(stderr, "no display DC\n");
      rc = 1;
    } else {
      CCommonLib lib;
      const COLORREF kBack = RGB(255, 255, 255), kShadow = RGB(64, 64, 64);
      struct Op {
        const char* pszName;
        std::function<void(CBitmap&)> run;
      };
      CDC* pDC = &display;
      // An edge on all four sides (15) over kBack, with a drop shadow in kShadow when asked.
      auto edge = [&](int nType, int nSize, BOOL bShadow, int dx, int dy, int nSoftness) {
        return [&, nType, nSize, bShadow, dx, dy, nSoftness](CBitmap& b) {
          lib.EdgeEffect(pDC, &b, nType, nSize, 15, kBack, 0, 0, bShadow, kShadow, 50, dx, dy, nSoftness);
        };
      };
      const Op ops[] = {
          {"EdgeEffect torn 20, 4 sides", edge(TASK_TORN_EDGE, 20, FALSE, 0, 0, 0)},
          {"EdgeEffect saw 20, 4 sides", edge(TASK_SAW_EDGE, 20, FALSE, 0, 0, 0)},
          {"EdgeEffect wave 10 + shadow (5,5) soft 2", edge(TASK_WAVE_EDGE, 10, TRUE, 5, 5, 2)},
          {"EdgeEffect shark 20 + shadow (8,8) soft 5", edge(TASK_SHARK_EDGE, 20, TRUE, 8, 8, 5)},
          {"BorderEffect 20 inside",
           [&](CBitmap& b) { lib.BorderEffect(pDC, &b, 20, 0, 0, RGB(200, 0, 0), 0, 0); }},
          {"BorderEffect 20 outside 3-D 100%",
           [&](CBitmap& b) { lib.BorderEffect(pDC, &b, 20, 100, 3, RGB(128, 128, 128), kBack, kShadow); }},
          {"ShadowEffect 12", [&](CBitmap& b) { lib.ShadowEffect(pDC, &b, 12, 0, (COLORREF)-1, kBack); }},
          {"CutBitmapToShape ellipse",
           [&](CBitmap& b) {
             CBitmap cut, mask;
             BITMAP bm;
             b.GetBitmap(&bm);
             lib.CutBitmapToShape(pDC, &cut, &mask, &b, 0, 0, bm.bmWidth, bm.bmHeight, NULL, 0,
                                  ID_TOOL_CIRCLE_SELECTION);
           }},
          {"CutBitmapToShape 3 rectangles",
           [&](CBitmap& b) {
             CBitmap cut, mask;
             BITMAP bm;
             b.GetBitmap(&bm);
             int w = bm.bmWidth, h = bm.bmHeight;
             POINT pts[6] = {{w / 10, h / 10},       {w / 2, h / 2}, {w / 3, h / 3},
                             {w * 3 / 4, h * 3 / 4}, {w - 10, 10},   {w / 2, h - 10}};
             lib.CutBitmapToShape(pDC, &cut, &mask, &b, 0, 0, w, h, pts, 6, ID_CAPTURE_MULTI_RECT);
           }},
      };
      const SIZE sizes[] = {{1920, 1080}, {3840, 2160}};
      for (const SIZE& sz : sizes) {
        const int nRuns = sz.cx > 2000 ? 5 : 9;
        CBitmap picture;
        MakeRampPicture(pDC, picture, sz.cx, sz.cy);
        double base = TimeMemcpy((size_t)sz.cx * sz.cy * 4, 21);
        printf("%dx%d (%d runs each): memcpy of %.1f MB = %.3f ms\n", (int)sz.cx, (int)sz.cy, nRuns,
               sz.cx * sz.cy * 4 / 1048576.0, base);
        for (const Op& op : ops) {
          double t = TimeOp(pDC, picture, nRuns, op.run);
          printf("  %-44s %9.2f ms  x%.1f memcpy\n", op.pszName, t, t / base);
        }
      }
    }
  }
  return rc;
}
