// The overlay in every capture mode, driven by real mouse and keyboard input while its modal loop
// runs; the returned bitmap is compared with the pattern on the screen pixel for pixel.
#include "tests/unit/imaging/capture/capture_test_support.h"
#include "tests/common/import_patch.h"

using namespace capture_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

class CaptureModeTest : public CaptureScreenTest {
protected:
  // A cut of the screen: the pattern where inside(x, y) holds (screen coordinates), white elsewhere.
  static ScreenFn Cut(std::function<bool(int, int)> inside) {
    return [inside](int x, int y) { return inside(x, y) ? PatternColor(x, y) : kWhite; };
  }
};

// ---------------------------------------------------------------------------------------------
// Two-corner marking

TEST_F(CaptureModeTest, RectangleByPressDragRelease) {
  CScript script(m_dlg);
  script.WaitReady().Press(100, 100).MoveTo(200, 150).MoveTo(300, 200).Release(300, 200);
  CaptureResult result = Run(kCaptureRectangle, script);
  EXPECT_EQ(IDOK, result.nResult);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(200, result.pixels.cx);
  ASSERT_EQ(100, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 100, 100, Pattern()));
  EXPECT_TRUE(m_dlg.m_bShown);
}

TEST_F(CaptureModeTest, RectangleByTwoClicksInReverseOrder) {
  CScript script(m_dlg);
  script.WaitReady().Click(300, 200).MoveTo(200, 150).MoveTo(100, 100).Click(100, 100);
  CaptureResult result = Run(kCaptureRectangle, script);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(200, result.pixels.cx);
  ASSERT_EQ(100, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 100, 100, Pattern()));
}

TEST_F(CaptureModeTest, RectangleDraggedUpwardsToTheLeft) {
  CScript script(m_dlg);
  script.WaitReady().Press(900, 700).MoveTo(700, 500).MoveTo(620, 450).Release(620, 450);
  CaptureResult result = Run(kCaptureRectangle, script);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(280, result.pixels.cx);
  ASSERT_EQ(250, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 620, 450, Pattern()));
}

TEST_F(CaptureModeTest, ZeroSizeAreaCancels) {
  CScript script(m_dlg);
  // Far enough apart in time that the second press is no double click.
  script.WaitReady().Click(300, 300).Pause(::GetDoubleClickTime() + 150).Click(300, 300);
  CaptureResult result = Run(kCaptureRectangle, script);
  EXPECT_EQ(IDCANCEL, result.nResult);
  EXPECT_FALSE(result.bBitmap);
}

TEST_F(CaptureModeTest, EnterBeforeAnyClickTakesTheWholeScreen) {
  CScript script(m_dlg);
  script.WaitReady().MoveTo(500, 400).EndKey(VK_RETURN);
  CaptureResult result = Run(kCaptureRectangle, script);
  EXPECT_EQ(IDOK, result.nResult);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(ScreenWidth(), result.pixels.cx);
  ASSERT_EQ(ScreenHeight(), result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 0, 0, Pattern()));
}

TEST_F(CaptureModeTest, EscapeReturnsNothing) {
  CScript script(m_dlg);
  script.WaitReady().Click(200, 200).MoveTo(400, 300).EndKey(VK_ESCAPE);
  CaptureResult result = Run(kCaptureRectangle, script);
  EXPECT_EQ(IDCANCEL, result.nResult);
  EXPECT_FALSE(result.bBitmap);
}

TEST_F(CaptureModeTest, CircleKeepsTheScreenInsideAndWhiteCorners) {
  CScript script(m_dlg);
  script.WaitReady().Press(400, 300).MoveTo(500, 400).MoveTo(600, 500).Release(600, 500);
  CaptureResult result = Run(kCaptureCircle, script);
  ASSERT_TRUE(result.bBitmap);
  const Pixels& px = result.pixels;
  ASSERT_EQ(200, px.cx);
  ASSERT_EQ(200, px.cy);
  for (CPoint corner : {CPoint(0, 0), CPoint(199, 0), CPoint(0, 199), CPoint(199, 199), CPoint(20, 20)})
    EXPECT_EQ(kWhite, px.At(corner.x, corner.y)) << corner.x << "," << corner.y;
  // The middle part of the disc, well away from the curved edge.
  Pixels middle;
  middle.cx = middle.cy = 100;
  for (int y = 50; y < 150; y++)
    for (int x = 50; x < 150; x++)
      middle.data.push_back(px.At(x, y));
  EXPECT_TRUE(Matches(middle, 450, 350, Pattern()));
  EXPECT_EQ(PatternColor(500, 302), px.At(100, 2));
}

TEST_F(CaptureModeTest, RoundedRectangleHasWhiteCornersOnly) {
  CScript script(m_dlg);
  script.WaitReady().Press(400, 300).MoveTo(550, 400).MoveTo(700, 500).Release(700, 500);
  CaptureResult result = Run(kCaptureRoundRect, script);
  ASSERT_TRUE(result.bBitmap);
  const Pixels& px = result.pixels;
  ASSERT_EQ(300, px.cx);
  ASSERT_EQ(200, px.cy);
  for (CPoint corner : {CPoint(0, 0), CPoint(2, 2), CPoint(297, 2), CPoint(2, 197), CPoint(297, 197)})
    EXPECT_EQ(kWhite, px.At(corner.x, corner.y)) << corner.x << "," << corner.y;
  // Straight edges and the inside are the screen.
  EXPECT_EQ(PatternColor(550, 301), px.At(150, 1));
  EXPECT_EQ(PatternColor(401, 400), px.At(1, 100));
  Pixels inside;
  inside.cx = 250;
  inside.cy = 150;
  for (int y = 25; y < 175; y++)
    for (int x = 25; x < 275; x++)
      inside.data.push_back(px.At(x, y));
  EXPECT_TRUE(Matches(inside, 425, 325, Pattern()));
}

// ---------------------------------------------------------------------------------------------
// Polygon, freehand and several rectangles

// The triangle (200, 300), (600, 300), (400, 700) closed by a double click on its last corner.
TEST_F(CaptureModeTest, PolygonClosedByDoubleClick) {
  CScript script(m_dlg);
  script.WaitReady().Click(200, 300).MoveTo(400, 300).Click(600, 300).MoveTo(500, 500).DoubleClick(400, 700);
  CaptureResult result = Run(kCapturePolygon, script);
  EXPECT_EQ(IDOK, result.nResult);
  ASSERT_TRUE(result.bBitmap);
  const Pixels& px = result.pixels;
  // The vertices' bounding box shrunk by one pixel on every side.
  ASSERT_EQ(398, px.cx);
  ASSERT_EQ(398, px.cy);
  EXPECT_EQ(PatternColor(400, 400), px.At(199, 99));
  EXPECT_EQ(PatternColor(400, 650), px.At(199, 349));
  EXPECT_EQ(kWhite, px.At(0, 397));
  EXPECT_EQ(kWhite, px.At(397, 397));
  EXPECT_EQ(kWhite, px.At(50, 300));
}

TEST_F(CaptureModeTest, PolygonClosedByEnter) {
  CScript script(m_dlg);
  script.WaitReady().Click(200, 300).Click(600, 300).Click(400, 700).EndKey(VK_RETURN);
  CaptureResult result = Run(kCapturePolygon, script);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(398, result.pixels.cx);
  ASSERT_EQ(398, result.pixels.cy);
  EXPECT_EQ(PatternColor(400, 400), result.pixels.At(199, 99));
  EXPECT_EQ(kWhite, result.pixels.At(0, 397));
}

TEST_F(CaptureModeTest, PolygonWithTwoVerticesCancels) {
  CScript script(m_dlg);
  script.WaitReady().Click(200, 300).MoveTo(400, 400).DoubleClick(600, 500);
  CaptureResult result = Run(kCapturePolygon, script);
  EXPECT_EQ(IDCANCEL, result.nResult);
  EXPECT_FALSE(result.bBitmap);
}

// A triangle drawn with the button held: (700, 300), (500, 700), (300, 300) after the press.
TEST_F(CaptureModeTest, FreehandFollowsThePointerPath) {
  CScript script(m_dlg);
  script.WaitReady().Press(300, 300).MoveTo(700, 300).MoveTo(500, 700).MoveTo(300, 300).Release(300, 300);
  CaptureResult result = Run(kCaptureFreehand, script);
  EXPECT_EQ(IDOK, result.nResult);
  ASSERT_TRUE(result.bBitmap);
  const Pixels& px = result.pixels;
  ASSERT_EQ(398, px.cx);
  ASSERT_EQ(398, px.cy);
  EXPECT_EQ(PatternColor(500, 400), px.At(199, 99));
  EXPECT_EQ(PatternColor(500, 650), px.At(199, 349));
  EXPECT_EQ(kWhite, px.At(0, 397));
  EXPECT_EQ(kWhite, px.At(397, 397));
}

TEST_F(CaptureModeTest, FreehandWithoutAPathCancels) {
  CScript script(m_dlg);
  script.WaitReady().Press(300, 300).Release(300, 300).Pause(::GetDoubleClickTime() + 150).Click(300, 300);
  CaptureResult result = Run(kCaptureFreehand, script);
  EXPECT_EQ(IDCANCEL, result.nResult);
  EXPECT_FALSE(result.bBitmap);
}

// Two overlapping rectangles, the second dragged from its bottom-right corner, ended with Enter:
// the result is their bounding box with both areas kept, the overlap too, and white between.
TEST_F(CaptureModeTest, MultipleRectanglesEndedWithEnter) {
  CScript script(m_dlg);
  script.WaitReady()
      .Press(100, 100)
      .MoveTo(200, 200)
      .MoveTo(300, 250)
      .Release(300, 250)
      .Press(400, 350)
      .MoveTo(300, 300)
      .MoveTo(250, 200)
      .Release(250, 200)
      .EndKey(VK_RETURN);
  CaptureResult result = Run(kCaptureMultiRect, script);
  EXPECT_EQ(IDOK, result.nResult);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(300, result.pixels.cx);
  ASSERT_EQ(250, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 100, 100, Cut([](int x, int y) {
                        bool bFirst = x >= 100 && x < 300 && y >= 100 && y < 250;
                        bool bSecond = x >= 250 && x < 400 && y >= 200 && y < 350;
                        return bFirst || bSecond;
                      })));
}

TEST_F(CaptureModeTest, MultipleRectanglesWithoutAreaCancel) {
  CScript script(m_dlg);
  script.WaitReady().MoveTo(400, 400).EndKey(VK_RETURN);
  CaptureResult result = Run(kCaptureMultiRect, script);
  EXPECT_EQ(IDCANCEL, result.nResult);
  EXPECT_FALSE(result.bBitmap);
}

// ---------------------------------------------------------------------------------------------
// Modes that finish at once

TEST_F(CaptureModeTest, FullScreenNeedsNoInputAndNeverShowsTheOverlay) {
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureFullScreen, watchdog);
  EXPECT_EQ(IDOK, result.nResult);
  EXPECT_FALSE(m_dlg.m_bShown);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(ScreenWidth(), result.pixels.cx);
  ASSERT_EQ(ScreenHeight(), result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 0, 0, Pattern()));
}

TEST_F(CaptureModeTest, ObjectCutsThePresetRectangle) {
  m_dlg.m_rcPreset = CRect(100, 150, 400, 350);
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureObject, watchdog);
  EXPECT_EQ(IDOK, result.nResult);
  EXPECT_FALSE(m_dlg.m_bShown);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(300, result.pixels.cx);
  ASSERT_EQ(200, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 100, 150, Pattern()));
}

TEST_F(CaptureModeTest, ObjectWithoutPresetTakesTheWholeScreen) {
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureObject, watchdog);
  EXPECT_FALSE(m_dlg.m_bShown);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(ScreenWidth(), result.pixels.cx);
  EXPECT_TRUE(Matches(result.pixels, 0, 0, Pattern()));
}

TEST_F(CaptureModeTest, ObjectPresetLeavingTheScreenGivesNothing) {
  m_dlg.m_rcPreset = CRect(ScreenWidth() - 100, 0, ScreenWidth() + 100, 100);
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureObject, watchdog);
  EXPECT_FALSE(m_dlg.m_bShown);
  EXPECT_FALSE(result.bBitmap);
}

class ActiveWindowTest : public CaptureModeTest {
protected:
  void TearDown() override { m_window.Destroy(); }
  // A second pattern window in other colours, made the foreground window.
  void ShowForegroundWindow(const CRect& rect) {
    ASSERT_TRUE(m_window.Create(rect, 1, false));
    CRect rcWindow = rect;
    ASSERT_TRUE(WaitForScreen(
        [rcWindow](int x, int y) { return PatternColor(x, y, rcWindow.PtInRect(CPoint(x, y)) ? 1 : 0); }));
    ASSERT_EQ(m_window.Handle(), ::GetForegroundWindow());
  }
  CPatternWindow m_window;
};

TEST_F(ActiveWindowTest, TakesTheForegroundWindowWithoutShowingTheOverlay) {
  CRect rect(300, 200, 620, 440);
  ShowForegroundWindow(rect);
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureActiveWindow, watchdog);
  EXPECT_EQ(IDOK, result.nResult);
  EXPECT_FALSE(m_dlg.m_bShown);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(rect.Width(), result.pixels.cx);
  ASSERT_EQ(rect.Height(), result.pixels.cy);
  EXPECT_TRUE(
      Matches(result.pixels, rect.left, rect.top, [](int x, int y) { return PatternColor(x, y, 1); }));
}

// The pointer over the window shows in the capture 10 pixels up and left of its place.
TEST_F(ActiveWindowTest, IncludesThePointerWhereItIs) {
  CRect rect(300, 200, 620, 440);
  ShowForegroundWindow(rect);
  ASSERT_TRUE(MovePointer(450, 300));
  ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
  m_dlg.m_bIncludeMouse = TRUE;
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureActiveWindow, watchdog);
  ASSERT_TRUE(result.bBitmap);
  CRect box =
      DifferenceBox(result.pixels, rect.left, rect.top, [](int x, int y) { return PatternColor(x, y, 1); });
  ASSERT_FALSE(box.IsRectEmpty());
  EXPECT_EQ(CPoint(450 - 300 - 10, 300 - 200 - 10), box.TopLeft());
  EXPECT_LE(box.right, 450 - 300 - 10 + ::GetSystemMetrics(SM_CXCURSOR));
  EXPECT_LE(box.bottom, 300 - 200 - 10 + ::GetSystemMetrics(SM_CYCURSOR));
}

// Right after the caller hides its window there may be no foreground window at all; the capture
// then falls back to the whole screen. The desktop cannot be made to have none on demand, so the
// overlay is shown none.
HWND WINAPI NoForegroundWindow() { return NULL; }

TEST_F(ActiveWindowTest, WithoutForegroundWindowTakesTheWholeScreen) {
  ShowForegroundWindow(CRect(300, 200, 620, 440));
  CImportPatch none("user32.dll", "GetForegroundWindow", reinterpret_cast<FARPROC>(&NoForegroundWindow));
  ASSERT_TRUE(none.Applied());
  ASSERT_EQ(NULL, ::GetForegroundWindow());
  m_window.Destroy();
  ASSERT_TRUE(WaitForScreen(Pattern()));
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureActiveWindow, watchdog);
  EXPECT_EQ(IDOK, result.nResult);
  EXPECT_FALSE(m_dlg.m_bShown);
  EXPECT_EQ(ScreenRect(), m_dlg.m_rcScreen);
  ASSERT_TRUE(result.bBitmap);
  ASSERT_EQ(ScreenWidth(), result.pixels.cx);
  ASSERT_EQ(ScreenHeight(), result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 0, 0, Pattern()));
}

// ---------------------------------------------------------------------------------------------
// The pointer in the frozen screen

class IncludeMouseTest : public CaptureModeTest, public ::testing::WithParamInterface<BOOL> {};

TEST_P(IncludeMouseTest, PointerIsDrawnOnlyForExactlyOne) {
  const CPoint pointer(700, 500);
  ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
  ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
  m_dlg.m_bIncludeMouse = GetParam();
  CScript watchdog(m_dlg);
  CaptureResult result = Run(kCaptureFullScreen, watchdog);
  ASSERT_TRUE(result.bBitmap);
  CRect box = DifferenceBox(result.pixels, 0, 0, Pattern());
  if (GetParam() == 1) {
    ASSERT_FALSE(box.IsRectEmpty());
    EXPECT_EQ(CPoint(pointer.x - 10, pointer.y - 10), box.TopLeft());
  } else {
    EXPECT_TRUE(box.IsRectEmpty()) << "pixels changed in " << box.left << "," << box.top;
  }
}

INSTANTIATE_TEST_SUITE_P(Flags, IncludeMouseTest, ::testing::Values((BOOL)0, (BOOL)1, (BOOL)2, (BOOL)-1));

} // namespace
