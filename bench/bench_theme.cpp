// Speed of the theme engine's gradient fill of a full-HD rectangle (through the system's fill and
// through bands) and of a colour-adjusted 256x256 bitmap, against a plain fill of the same area
// and a plain copy of the same bits measured in the same run.
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdio>
#include <cstring>
#include <functional>

namespace {

const int kRuns = 15;

HBITMAP Dib(int cx, int cy, void** ppBits) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  return ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
}

} // namespace

int main() {
  const RECT rcHd = {0, 0, 1920, 1080};
  void* pHd = NULL;
  HBITMAP hHd = Dib(1920, 1080, &pHd);
  CDC dc;
  dc.CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hHd);
  CBrush brush(RGB(10, 120, 200));
  const double tFill = bench::MedianTime([&] { dc.FillRect(&rcHd, &brush); }, kRuns);
  const double tGradient = bench::MedianTime(
      [&] { CExtPaintManager::PaintGradientRect(dc, rcHd, RGB(10, 20, 30), RGB(230, 240, 250), true); },
      kRuns);
  g_PaintManagerHolder.TestDisableGradientFill(true);
  const double tBands = bench::MedianTime(
      [&] { CExtPaintManager::PaintGradientRect(dc, rcHd, RGB(10, 20, 30), RGB(230, 240, 250), true); },
      kRuns);
  g_PaintManagerHolder.TestDisableGradientFill(false);
  ::SelectObject(dc.m_hDC, hOld);
  ::DeleteObject(hHd);

  // A 256x256 picture with a colour ramp and a keyed border.
  void* pBits = NULL;
  HBITMAP hSrc = Dib(256, 256, &pBits);
  DWORD* px = static_cast<DWORD*>(pBits);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      px[y * 256 + x] = (x < 8 || y < 8) ? 0xFF00FF : (DWORD)((x << 16) | (y << 8) | ((x + y) & 0xFF));
  std::vector<DWORD> copy(256 * 256);
  const double tCopy = bench::MedianTime([&] { std::memcpy(copy.data(), px, copy.size() * 4); }, kRuns);
  const double tCopyDib = bench::MedianTime(
      [&] { ::DeleteObject(CExtPaintManager::CopyBitmapTo32BitDib(hSrc, NULL, NULL)); }, kRuns);
  const double tAdjust = bench::MedianTime(
      [&] { ::DeleteObject(CExtPaintManager::HlsAdjustBitmap(hSrc, RGB(255, 0, 255), 0, 0.1, 0.2, -0.1)); },
      kRuns);
  ::DeleteObject(hSrc);

  std::printf("gradient 1920x1080 (system fill)   %8.3f ms  %6.2fx a FillRect of the area (%.3f ms)\n",
              tGradient, tGradient / tFill, tFill);
  std::printf("gradient 1920x1080 (256 bands)     %8.3f ms  %6.2fx a FillRect of the area\n", tBands,
              tBands / tFill);
  std::printf("colour-adjusted bitmap 256x256     %8.3f ms  %6.2fx a memcpy of the bits (%.3f ms)\n", tAdjust,
              tAdjust / tCopy, tCopy);
  std::printf(
      "                                                 %6.2fx a 32-bit copy of the bitmap (%.3f ms)\n",
      tAdjust / tCopyDib, tCopyDib);
  return 0;
}
