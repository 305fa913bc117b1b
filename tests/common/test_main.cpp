// Entry point shared by the test programs. GDI+ runs for the whole program, so every test may make
// and draw GDI+ bitmaps.
#include <windows.h>

#include <gdiplus.h>
#include <cstdio>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok) {
    std::fprintf(stderr, "GDI+ does not start\n");
    return 1;
  }
  int nResult = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(token);
  return nResult;
}
