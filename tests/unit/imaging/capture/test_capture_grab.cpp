// The screen grab and the copy of a bitmap into a device context, read back pixel for pixel
// against the pattern the test windows paint. Drawing the pointer in is tested with the overlay.
#include "tests/unit/imaging/capture/capture_test_support.h"
#include "tests/common/pixel_support.h"

#include "imaging/capture/ScreenGrab.h"

using namespace capture_test;
using pixel_support::DibSurface;

namespace {

typedef CaptureScreenTest ScreenGrabTest;

TEST_F(ScreenGrabTest, CopiesWhatTheDisplayShowsOfTheRectangle) {
  const int cx = ScreenWidth(), cy = ScreenHeight();
  // {asked, got (clipped to the display; empty: nothing)}
  const std::pair<CRect, CRect> cases[] = {{{100, 150, 400, 350}, {100, 150, 400, 350}},
                                           {{-20, -20, 2 * cx, 2 * cy}, {0, 0, cx, cy}},
                                           {{cx - 50, cy - 40, cx + 50, cy + 40}, {cx - 50, cy - 40, cx, cy}},
                                           {{100, 100, 100, 300}, {}},
                                           {{cx, 0, cx + 100, 100}, {}}};
  HDC hScreen = ::GetDC(NULL);
  int nBits = ::GetDeviceCaps(hScreen, BITSPIXEL);
  ::ReleaseDC(NULL, hScreen);
  for (const auto& [rcAsked, rcGot] : cases) {
    SCOPED_TRACE(::testing::PrintToString(rcAsked));
    CBitmap bitmap;
    ASSERT_EQ(!rcGot.IsRectEmpty(), bitmap.Attach(GrabScreenRect(rcAsked)) != FALSE);
    if (bitmap.GetSafeHandle() == NULL)
      continue;
    // A bitmap compatible with the display.
    BITMAP bm;
    ASSERT_NE(0, bitmap.GetBitmap(&bm));
    EXPECT_EQ(nBits, bm.bmBitsPixel * bm.bmPlanes);
    Pixels px = ReadBitmap((HBITMAP)bitmap.GetSafeHandle());
    EXPECT_EQ(rcGot.Size(), CSize(px.cx, px.cy));
    EXPECT_TRUE(Matches(px, rcGot.left, rcGot.top, Pattern()));
  }
}

TEST_F(ScreenGrabTest, DrawBitmapWithPaletteCopiesFromTheSourcePoint) {
  CBitmap source;
  ASSERT_TRUE(source.Attach(GrabScreenRect(CRect(0, 0, 400, 300))));
  DibSurface missing(10, 10);
  EXPECT_FALSE(
      DrawBitmapWithPalette(&missing.dc(), CRect(0, 0, 10, 10), NULL, CPoint(0, 0)) ||
      DrawBitmapWithPalette(NULL, CRect(0, 0, 10, 10), (HBITMAP)source.GetSafeHandle(), CPoint(0, 0)));
  CDC screen;
  ASSERT_TRUE(screen.CreateDC("DISPLAY", NULL, NULL, NULL));
  CPalette halftone;
  ASSERT_TRUE(halftone.CreateHalftonePalette(&screen));
  for (CPalette* pPalette : {(CPalette*)NULL, &halftone}) {
    SCOPED_TRACE(pPalette != NULL ? "with a palette" : "without a palette");
    DibSurface target(200, 150);
    EXPECT_TRUE(DrawBitmapWithPalette(&target.dc(), CRect(20, 10, 120, 90), (HBITMAP)source.GetSafeHandle(),
                                      CPoint(150, 100), pPalette));
    // The palette the copy realised is not left behind in the target.
    EXPECT_EQ(::GetStockObject(DEFAULT_PALETTE), ::GetCurrentObject(target.hdc(), OBJ_PAL));
    // Inside the target rectangle the source from (150, 100); white elsewhere.
    EXPECT_TRUE(Matches(Pixels{200, 150, target.Pixels()}, 0, 0, [](int x, int y) {
      return CRect(20, 10, 120, 90).PtInRect(CPoint(x, y)) ? PatternColor(x + 130, y + 90)
                                                           : RGB(255, 255, 255);
    }));
  }
}

} // namespace
