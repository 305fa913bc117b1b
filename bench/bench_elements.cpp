// Timings of the drawing elements on a 3840 x 2160 picture, against a plain copy of the picture's
// bytes measured in the same run: the final rendering of a long brush stroke with a soft shadow,
// its preview in a 1920 x 1080 view (what a drag repaints), and a half-transparent fill of the
// whole picture. The final renderings are timed both as the view should make them (straight into
// the picture's bitmap) and on a graphics of that bitmap, where GDI+ composes the fill and the
// shadow.
#include "bench/bench_gdiplus.h"
#include "bench/bench_util.h"
#include "editor/Element.h"
#include "editor/PathElements.h"
#include "editor/ShapeElements.h"
#include "imaging/Dib32.h"
#include "imaging/Globals.h"

#include <gdiplus.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

const int kWidth = 3840, kHeight = 2160, kViewWidth = 1920, kViewHeight = 1080;

double Time(
    int nRounds, const std::function<void()>& run, const std::function<void()>& prepare = [] {}) {
  std::vector<double> times;
  for (int i = 0; i < nRounds; i++) {
    prepare();
    double t0 = Now();
    run();
    times.push_back(Now() - t0);
  }
  return Median(times);
}

// The document's picture: a 32-bit DIB section with a gradient.
HBITMAP MakePicture() {
  BITMAPINFO bmi = TopDownDib32(kWidth, kHeight);
  void* pBits = NULL;
  HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  if (hBitmap == NULL)
    return NULL;
  DWORD* p = static_cast<DWORD*>(pBits);
  for (int y = 0; y < kHeight; y++)
    for (int x = 0; x < kWidth; x++)
      *p++ = ((x * 255 / kWidth) << 16) | ((y * 255 / kHeight) << 8) | ((x ^ y) & 0xFF);
  return hBitmap;
}

void PrintRow(const char* pszName, double ms, double base, const char* pszAim = "") {
  std::printf("%-58s %9.2f ms %8.2fx  %s\n", pszName, ms, ms / base, pszAim);
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  g_nCanvasMargin = 8;
  {
    HBITMAP hPicture = MakePicture();
    // What the view makes at mouse-up: the picture's GDI+ bitmap and a separate copy of it.
    std::unique_ptr<Gdiplus::Bitmap> picture(Gdiplus::Bitmap::FromHBITMAP(hPicture, NULL));
    if (hPicture == NULL || !picture || picture->GetLastStatus() != Gdiplus::Ok) {
      std::printf("no picture\n");
      return 1;
    }
    auto copy = [&] { return Gdiplus::Bitmap::FromHBITMAP(hPicture, NULL); };

    // A brush stroke of 1000 points across the whole view at 50 %, which shows the whole picture.
    CFreehand stroke;
    for (int i = 0; i < 1000; i++)
      stroke.AddPoint(
          {8 + i * (kViewWidth - 16) / 999, 8 + kViewHeight / 2 + int(480 * std::sin(i * 0.031))});
    DrawStyle brush = {
        RGB(0, 0, 255), RGB(255, 255, 255), 255, 8, TRUE, TRUE, RGB(102, 102, 102), 80, 4, 4, 1};
    DrawStyle fill = {RGB(255, 0, 0), RGB(0, 0, 255), 128, 3, TRUE, FALSE, 0, 100, 5, 5, 0};
    CRectangle rectangle;
    rectangle.SetRect(0, 0, kWidth, kHeight);

    const double base = bench::TimeMemcpy((size_t)kWidth * kHeight * 4, 9);
    std::printf("3840 x 2160 picture (32-bit, GDI+ %s), medians\n",
                picture->GetPixelFormat() == PixelFormat32bppRGB ? "32bppRGB" : "other format");
    PrintRow("copy of the frame (memcpy)", base, base);
    PrintRow("(view's part) a GDI+ copy of the picture", Time(5, [&] { delete copy(); }), base);

    Gdiplus::Bitmap* pCopy = NULL;
    stroke.m_bFinal = 1;
    PrintRow(
        "(1) stroke, 1000 points, width 8, soft shadow, final",
        Time(
            5, [&] { stroke.DrawIntoPicture(pCopy, picture.get(), brush, ID_TOOL_PAINT_BRUSH, 0.5f, 0, 0); },
            [&] { pCopy = copy(); }),
        base);
    PrintRow("    the same on a graphics of the picture",
             Time(
                 3,
                 [&] {
                   Gdiplus::Graphics graphics(picture.get());
                   stroke.Draw(pCopy, &graphics, brush, ID_TOOL_PAINT_BRUSH, 0.5f, 0, 0);
                 },
                 [&] { pCopy = copy(); }),
             base);

    {
      HDC hScreen = ::GetDC(NULL);
      CDC view;
      view.Attach(::CreateCompatibleDC(hScreen));
      HBITMAP hBuffer = ::CreateCompatibleBitmap(hScreen, kViewWidth, kViewHeight);
      ::ReleaseDC(NULL, hScreen);
      HGDIOBJ hOld = ::SelectObject(view.m_hDC, hBuffer);
      ::PatBlt(view.m_hDC, 0, 0, kViewWidth, kViewHeight, WHITENESS);
      stroke.m_bFinal = 0;
      PrintRow("(2) its preview in a 1920 x 1080 view buffer",
               Time(9, [&] { stroke.DrawToDC(NULL, &view, brush, ID_TOOL_PAINT_BRUSH, 0.5f, 0, 0); }), base,
               "aim: under 16 ms");
      ::SelectObject(view.m_hDC, hOld);
      ::DeleteObject(hBuffer);
    }

    rectangle.m_bFinal = 1;
    // No shadow, so no picture copy is needed.
    PrintRow(
        "(3) filled rectangle of the whole picture, opacity 128",
        Time(9,
             [&] { rectangle.DrawIntoPicture(NULL, picture.get(), fill, ID_TOOL_RECT_FILLED, 1.0f, 0, 0); }),
        base, "aim: within 3x");
    PrintRow("    the same on a graphics of the picture",
             Time(3,
                  [&] {
                    Gdiplus::Graphics graphics(picture.get());
                    rectangle.Draw(NULL, &graphics, fill, ID_TOOL_RECT_FILLED, 1.0f, 0, 0);
                  }),
             base);
    picture.reset();
    ::DeleteObject(hPicture);
  }
  return 0;
}
