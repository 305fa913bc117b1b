// Timing of the screen grab of the whole display against a plain memcpy of as many bytes, all
// measured in the same run. Two more lines show where the time goes: the copy into memory that is
// new (page faults, as every fresh bitmap has), and the bare BitBlt of the screen into a bitmap
// that already exists (what reading the display costs by itself).
#include "imaging/capture/ScreenGrab.h"
#include "bench/bench_util.h"

#include <cstdio>
#include <cstring>
#include <vector>

using bench::Median;
using bench::Now;

int main() {
  const int kRuns = 11;
  int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  CDC screen;
  if (!screen.CreateDC("DISPLAY", NULL, NULL, NULL)) {
    std::printf("no display\n");
    return 1;
  }
  int nBits = screen.GetDeviceCaps(BITSPIXEL);
  RECT whole = {0, 0, cx, cy};

  // The grab's bitmap holds the display's pixel format; the copy moves the same number of bytes.
  HBITMAP hProbe = GrabScreenRect(whole);
  if (hProbe == NULL) {
    std::printf("the grab failed\n");
    return 1;
  }
  BITMAP bm;
  ::GetObject(hProbe, sizeof(bm), &bm);
  ::DeleteObject(hProbe);
  size_t nBytes = (size_t)bm.bmWidthBytes * bm.bmHeight;

  std::vector<unsigned char> source(nBytes, 0x5A), target(nBytes, 0);
  CDC memory;
  CBitmap existing;
  if (!memory.CreateCompatibleDC(&screen) || !existing.CreateCompatibleBitmap(&screen, cx, cy)) {
    std::printf("no memory bitmap\n");
    return 1;
  }
  CBitmap* pOld = memory.SelectObject(&existing);
  memory.BitBlt(0, 0, cx, cy, &screen, 0, 0, SRCCOPY);

  std::vector<double> copies, freshCopies, blits, grabs;
  for (int i = 0; i < kRuns; i++) {
    double t0 = Now();
    std::memcpy(target.data(), source.data(), nBytes);
    copies.push_back(Now() - t0);
    source[i % nBytes] = target[(i * 7919) % nBytes]; // keeps the copy from being optimised away

    t0 = Now();
    void* pFresh = ::VirtualAlloc(NULL, nBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (pFresh == NULL) {
      std::printf("no memory\n");
      return 1;
    }
    std::memcpy(pFresh, source.data(), nBytes);
    freshCopies.push_back(Now() - t0);
    ::VirtualFree(pFresh, 0, MEM_RELEASE);

    t0 = Now();
    memory.BitBlt(0, 0, cx, cy, &screen, 0, 0, SRCCOPY);
    blits.push_back(Now() - t0);

    t0 = Now();
    HBITMAP hGrab = GrabScreenRect(whole);
    grabs.push_back(Now() - t0);
    if (hGrab == NULL) {
      std::printf("the grab failed\n");
      return 1;
    }
    ::DeleteObject(hGrab);
  }
  memory.SelectObject(pOld);

  double copy = Median(copies), fresh = Median(freshCopies), blit = Median(blits), grab = Median(grabs);
  std::printf("screen %dx%d at %d bpp, %.1f MB, median of %d runs\n", cx, cy, nBits, nBytes / 1048576.0,
              kRuns);
  std::printf("%-40s %9.2f ms\n", "memcpy of the same bytes", copy);
  std::printf("%-40s %9.2f ms   ratio %6.2f\n", "memcpy into newly allocated memory", fresh, fresh / copy);
  std::printf("%-40s %9.2f ms   ratio %6.2f\n", "BitBlt of the screen, existing bitmap", blit, blit / copy);
  std::printf("%-40s %9.2f ms   ratio %6.2f (%.2f of the fresh copy, %.2f of the BitBlt)\n",
              "GrabScreenRect whole screen", grab, grab / copy, grab / fresh, grab / blit);
  return 0;
}
