// The screen grab and the copy of a bitmap into a device context, read back pixel for pixel
// against the pattern the test windows paint.
#include "tests/unit/imaging/capture/capture_test_support.h"

#include "imaging/capture/ScreenGrab.h"

using namespace capture_test;

namespace {

class ScreenGrabTest : public CaptureScreenTest {
protected:
  // The grab as pixels; the bitmap is deleted here.
  static Pixels Grab(const RECT& rect, BOOL bIncludeMouse = FALSE) {
    CBitmap bitmap;
    HBITMAP hBitmap = GrabScreenRect(rect, bIncludeMouse);
    if (hBitmap == NULL)
      return Pixels();
    bitmap.Attach(hBitmap);
    return ReadBitmap(hBitmap);
  }
};

TEST_F(ScreenGrabTest, WholeScreenEqualsWhatIsShown) {
  Pixels px = Grab(ScreenRect());
  ASSERT_EQ(ScreenWidth(), px.cx);
  ASSERT_EQ(ScreenHeight(), px.cy);
  EXPECT_TRUE(Matches(px, 0, 0, Pattern()));
}

TEST_F(ScreenGrabTest, PartOfTheScreenStartsAtItsCorner) {
  Pixels px = Grab(CRect(100, 150, 400, 350));
  ASSERT_EQ(300, px.cx);
  ASSERT_EQ(200, px.cy);
  EXPECT_TRUE(Matches(px, 100, 150, Pattern()));
}

TEST_F(ScreenGrabTest, RectangleBeyondTheDisplayIsClippedToIt) {
  Pixels px = Grab(CRect(-20, -20, 2 * ScreenWidth(), 2 * ScreenHeight()));
  ASSERT_EQ(ScreenWidth(), px.cx);
  ASSERT_EQ(ScreenHeight(), px.cy);
  EXPECT_TRUE(Matches(px, 0, 0, Pattern()));

  Pixels corner =
      Grab(CRect(ScreenWidth() - 50, ScreenHeight() - 40, ScreenWidth() + 50, ScreenHeight() + 40));
  ASSERT_EQ(50, corner.cx);
  ASSERT_EQ(40, corner.cy);
  EXPECT_TRUE(Matches(corner, ScreenWidth() - 50, ScreenHeight() - 40, Pattern()));
}

TEST_F(ScreenGrabTest, EmptyOrOffScreenRectangleGivesNothing) {
  EXPECT_EQ(NULL, GrabScreenRect(CRect(100, 100, 100, 300)));
  EXPECT_EQ(NULL, GrabScreenRect(CRect(300, 300, 100, 100)));
  EXPECT_EQ(NULL, GrabScreenRect(CRect(-300, -300, -100, -100)));
  EXPECT_EQ(NULL, GrabScreenRect(CRect(ScreenWidth(), 0, ScreenWidth() + 100, 100)));
}

TEST_F(ScreenGrabTest, ResultIsADisplayBitmap) {
  CBitmap bitmap;
  bitmap.Attach(GrabScreenRect(CRect(0, 0, 64, 32)));
  BITMAP bm;
  ASSERT_NE(0, bitmap.GetBitmap(&bm));
  HDC hScreen = ::GetDC(NULL);
  int nBits = ::GetDeviceCaps(hScreen, BITSPIXEL);
  ::ReleaseDC(NULL, hScreen);
  EXPECT_EQ(64, bm.bmWidth);
  EXPECT_EQ(32, bm.bmHeight);
  EXPECT_EQ(nBits, bm.bmBitsPixel * bm.bmPlanes);
}

// The pointer is drawn with its top-left 10 pixels above and left of the pointer, and only for
// the value 1 itself.
TEST_F(ScreenGrabTest, PointerIsDrawnOnlyWhenTheFlagIsExactlyOne) {
  const CPoint pointer(400, 300);
  ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
  ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));

  CRect rcArea(200, 200, 600, 500);
  for (BOOL bFlag : {(BOOL)0, (BOOL)2, (BOOL)-1}) {
    Pixels px = Grab(rcArea, bFlag);
    EXPECT_TRUE(Matches(px, rcArea.left, rcArea.top, Pattern())) << "flag " << bFlag;
  }

  Pixels px = Grab(rcArea, 1);
  CRect box = DifferenceBox(px, rcArea.left, rcArea.top, Pattern());
  ASSERT_FALSE(box.IsRectEmpty()) << "no pointer in the grab";
  CRect rcIcon(pointer.x - rcArea.left - 10, pointer.y - rcArea.top - 10, 0, 0);
  rcIcon.right = rcIcon.left + ::GetSystemMetrics(SM_CXCURSOR);
  rcIcon.bottom = rcIcon.top + ::GetSystemMetrics(SM_CYCURSOR);
  CRect rcUnion;
  rcUnion.UnionRect(box, rcIcon);
  EXPECT_EQ(rcIcon, rcUnion) << "pixels changed outside the pointer's icon";
  // The arrow's tip is the icon's top-left corner.
  EXPECT_NE(PatternColor(pointer.x - 9, pointer.y - 9), px.At(rcIcon.left + 1, rcIcon.top + 1));
}

TEST_F(ScreenGrabTest, DrawBitmapWithPaletteCopiesFromTheSourcePoint) {
  CBitmap source;
  source.Attach(GrabScreenRect(CRect(0, 0, 400, 300)));
  ASSERT_TRUE(source.GetSafeHandle() != NULL);

  CDC screen;
  ASSERT_TRUE(screen.CreateDC("DISPLAY", NULL, NULL, NULL));
  CPalette halftone;
  ASSERT_TRUE(halftone.CreateHalftonePalette(&screen));
  for (CPalette* pPalette : {(CPalette*)NULL, &halftone}) {
    CDC target;
    ASSERT_TRUE(target.CreateCompatibleDC(&screen));
    CBitmap canvas;
    ASSERT_TRUE(canvas.CreateCompatibleBitmap(&screen, 200, 150));
    CBitmap* pOld = target.SelectObject(&canvas);
    target.FillSolidRect(0, 0, 200, 150, RGB(255, 255, 255));

    EXPECT_TRUE(DrawBitmapWithPalette(&target, CRect(20, 10, 120, 90), (HBITMAP)source.GetSafeHandle(),
                                      CPoint(150, 100), pPalette));
    // The palette the copy realised is not left behind in the target.
    EXPECT_EQ(::GetStockObject(DEFAULT_PALETTE), ::GetCurrentObject(target.GetSafeHdc(), OBJ_PAL));
    target.SelectObject(pOld);

    // Inside the target rectangle the source from (150, 100); white elsewhere.
    Pixels px = ReadBitmap((HBITMAP)canvas.GetSafeHandle());
    EXPECT_TRUE(Matches(px, 0, 0, [](int x, int y) {
      if (x >= 20 && x < 120 && y >= 10 && y < 90)
        return PatternColor(x - 20 + 150, y - 10 + 100);
      return RGB(255, 255, 255);
    })) << (pPalette != NULL ? "with a palette" : "without a palette");
  }
}

TEST_F(ScreenGrabTest, DrawBitmapWithPaletteRefusesMissingPieces) {
  CDC screen;
  ASSERT_TRUE(screen.CreateDC("DISPLAY", NULL, NULL, NULL));
  CDC target;
  ASSERT_TRUE(target.CreateCompatibleDC(&screen));
  EXPECT_FALSE(DrawBitmapWithPalette(&target, CRect(0, 0, 10, 10), NULL, CPoint(0, 0)));
  CBitmap bitmap;
  bitmap.Attach(GrabScreenRect(CRect(0, 0, 10, 10)));
  EXPECT_FALSE(
      DrawBitmapWithPalette(NULL, CRect(0, 0, 10, 10), (HBITMAP)bitmap.GetSafeHandle(), CPoint(0, 0)));
}

} // namespace
