// Opens one picture file as the program does and prints what that took of memory at most, in a
// process of its own, so that nothing before it has raised the peak: "<width> <height> <peak MB>
// <start MB>", the size 0 0 when the file gives no picture.
#include "imaging/ImageFile.h"

#include <windows.h>

#include <winternl.h>

#include <gdiplus.h>

#include <cstdio>

namespace {

// The most memory the process has had resident; Wine counts a DIB section's pixels here once they
// are written, and its other counters not at all.
SIZE_T PeakResident() {
  VM_COUNTERS vm = {};
  ULONG nLength = 0;
  return ::NtQueryInformationProcess(::GetCurrentProcess(), (PROCESSINFOCLASS)3 /*ProcessVmCounters*/, &vm,
                                     sizeof(vm), &nLength) == 0
             ? vm.PeakWorkingSetSize
             : 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2)
    return 2;
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok)
    return 3;
  const SIZE_T nStart = PeakResident();
  BITMAP bm = {};
  HBITMAP hPicture = LoadPictureOverWhite(argv[1], NULL);
  if (hPicture != NULL)
    ::GetObject(hPicture, sizeof(bm), &bm);
  std::printf("%ld %ld %lu %lu\n", bm.bmWidth, bm.bmHeight, (unsigned long)(PeakResident() >> 20),
              (unsigned long)(nStart >> 20));
  if (hPicture != NULL)
    ::DeleteObject(hPicture);
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
