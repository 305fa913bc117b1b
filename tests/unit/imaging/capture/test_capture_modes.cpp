// The overlay in every capture mode, driven by real mouse and keyboard input while its modal loop
// runs; the returned bitmap is compared with the pattern on the screen pixel for pixel.
#include "tests/unit/imaging/capture/capture_test_support.h"
#include "tests/common/import_patch.h"

#include "imaging/capture/ScreenGrab.h"

using namespace capture_test;

namespace {

// The result expected: the frozen screen inside rc, none for an empty rc; cut to the shape with
// the library's cut when one is given (whose pixels its own tests check).
struct Cut {
  CRect rc;
  ShapeType nShape = 0;
  std::vector<POINT> pts;
};

struct ModeCase {
  const char* name;
  int nMode;
  const char* steps; // none: the mode finishes by itself and is never shown
  Cut cut;
  CRect rcPreset;
  INT_PTR nResult = -1; // -1: OK with a result, Cancel without
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

std::vector<ModeCase> Cases() {
  const int cx = ScreenWidth();
  const Cut none, screen{ScreenRect()}, rect{{100, 100, 300, 200}}, upLeft{{620, 450, 900, 700}};
  const Cut circle{{400, 300, 600, 500}, kCaptureCircle}, rounded{{400, 300, 700, 500}, kCaptureRoundRect};
  // The triangle (200, 300), (600, 300), (400, 700), and the same 100 pixels to the right; the
  // vertices' bounding box shrunk by one pixel on every side.
  const Cut triangle{{201, 301, 599, 699}, kCapturePolygon, {{200, 300}, {600, 300}, {400, 700}}};
  const Cut shifted{{301, 301, 699, 699}, kCaptureFreehand, {{300, 300}, {700, 300}, {500, 700}}};
  // Two overlapping rectangles, the second dragged from its bottom-right corner.
  const char* twoDrags = "P100,100 M200,200 M300,250 R300,250 P400,350 M300,300 M250,200 R250,200 Enter";
  const Cut twoRects{
      {100, 100, 400, 350}, kCaptureMultiRect, {{100, 100}, {300, 250}, {400, 350}, {250, 200}}};
  return {
      {"RectangleDragged", kCaptureRectangle, "P100,100 M200,150 M300,200 R300,200", rect},
      {"RectangleByTwoClicksReversed", kCaptureRectangle, "C300,200 M200,150 M100,100 C100,100", rect},
      {"RectangleDraggedUpLeft", kCaptureRectangle, "P900,700 M700,500 M620,450 R620,450", upLeft},
      {"ZeroSizeAreaCancels", kCaptureRectangle, "C300,300 W C300,300", none},
      {"EnterBeforeAnyClickTakesTheWholeScreen", kCaptureRectangle, "M500,400 Enter", screen},
      {"EscapeCancels", kCaptureRectangle, "C300,300 M450,420 Esc", none},
      {"Circle", kCaptureCircle, "P400,300 M500,400 M600,500 R600,500", circle},
      {"RoundedRectangle", kCaptureRoundRect, "P400,300 M550,400 M700,500 R700,500", rounded},
      {"PolygonByDoubleClick", kCapturePolygon, "C200,300 M400,300 C600,300 M500,500 D400,700", triangle},
      {"PolygonByEnter", kCapturePolygon, "C200,300 C600,300 C400,700 Enter", triangle},
      {"PolygonWithTwoVerticesCancels", kCapturePolygon, "C200,300 M400,400 D600,500", none},
      {"Freehand", kCaptureFreehand, "P300,300 M700,300 M500,700 M300,300 R300,300", shifted},
      {"FreehandQuickerThanTheOverlay", kCaptureFreehand, "P300,300 Q700,300;500,700;300,300 R300,300",
       shifted},
      {"FreehandWithoutAPathCancels", kCaptureFreehand, "P300,300 R300,300 W C300,300", none},
      {"MultipleRectanglesEndedWithEnter", kCaptureMultiRect, twoDrags, twoRects},
      {"MultipleRectanglesWithoutAreaCancel", kCaptureMultiRect, "M400,400 Enter", none},
      {"FullScreen", kCaptureFullScreen, "", screen},
      {"ObjectCutsThePresetRectangle", kCaptureObject, "", {{100, 150, 400, 350}}, {100, 150, 400, 350}},
      {"ObjectWithoutPresetTakesTheWholeScreen", kCaptureObject, "", screen},
      {"ObjectPresetOffScreenGivesNothing", kCaptureObject, "", none, {cx - 100, 0, cx + 100, 100}, IDOK},
  };
}

class CaptureModeTest : public CaptureScreenTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(CaptureModeTest, GivesTheMarkedCut) {
  const ModeCase& c = GetParam();
  const CRect& rc = c.cut.rc;
  m_dlg.m_rcPreset = c.rcPreset;
  std::function<void(CScript&)> mark = [&](CScript& s) { s.Do(c.steps); };
  CaptureResult result = Run(c.nMode, *c.steps ? mark : nullptr);
  EXPECT_EQ(c.nResult != -1 ? c.nResult : rc.IsRectEmpty() ? IDCANCEL : IDOK, result.nResult);
  EXPECT_EQ(*c.steps != '\0', m_dlg.m_bShown);
  ASSERT_EQ(!rc.IsRectEmpty(), result.bBitmap);
  if (!result.bBitmap)
    return;
  ASSERT_EQ(rc.Size(), CSize(result.pixels.cx, result.pixels.cy));
  CBitmap frozen, cut, mask;
  ASSERT_TRUE(WaitForScreen(Pattern()));
  ASSERT_TRUE(frozen.Attach(GrabScreenRect(ScreenRect())));
  const std::vector<POINT>& pts = c.cut.pts;
  ASSERT_TRUE(c.cut.nShape == 0 ||
              CCommonLib().CutBitmapToShape(NULL, &cut, &mask, &frozen, rc.left, rc.top, rc.right, rc.bottom,
                                            pts.data(), (int)pts.size(), c.cut.nShape));
  const Pixels expected = ReadBitmap((HBITMAP)cut.GetSafeHandle());
  EXPECT_TRUE(Matches(result.pixels, rc.left, rc.top, [&](int x, int y) {
    return c.cut.nShape == 0 ? PatternColor(x, y) : expected.At(x - rc.left, y - rc.top);
  }));
}

INSTANTIATE_TEST_SUITE_P(Modes, CaptureModeTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<ModeCase>& info) {
                           return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------------
// Active window

class ActiveWindowTest : public CaptureScreenTest {
protected:
  void TearDown() override { m_window.Destroy(); }
  static COLORREF WindowPattern(int x, int y) { return PatternColor(x, y, 1); }
  // A second pattern window in other colours, made the foreground window.
  void ShowForegroundWindow() {
    ASSERT_TRUE(m_window.Create(m_rect, 1, false));
    ASSERT_TRUE(
        WaitForScreen([this](int x, int y) { return PatternColor(x, y, m_rect.PtInRect(CPoint(x, y))); }));
    ASSERT_EQ(m_window.Handle(), ::GetForegroundWindow());
  }
  const CRect m_rect{300, 200, 620, 440};
  CPatternWindow m_window;
};

// Right after the caller hides its window there may be no foreground window at all; the capture
// then falls back to the whole screen. The desktop cannot be made to have none on demand, so the
// overlay is shown none.
HWND WINAPI NoForegroundWindow() { return NULL; }

TEST_F(ActiveWindowTest, WithoutForegroundWindowTakesTheWholeScreen) {
  ShowForegroundWindow();
  CImportPatch none("user32.dll", "GetForegroundWindow", reinterpret_cast<FARPROC>(&NoForegroundWindow));
  ASSERT_TRUE(none.Applied());
  ASSERT_EQ(NULL, ::GetForegroundWindow());
  m_window.Destroy();
  ASSERT_TRUE(WaitForScreen(Pattern()));
  CaptureResult result = Run(kCaptureActiveWindow);
  EXPECT_EQ(std::make_tuple((INT_PTR)IDOK, false, ScreenRect()),
            std::make_tuple(result.nResult, m_dlg.m_bShown, CRect(m_dlg.m_rcScreen)));
  ASSERT_EQ(ScreenRect().Size(), CSize(result.pixels.cx, result.pixels.cy));
  EXPECT_TRUE(Matches(result.pixels, 0, 0, Pattern()));
}

// The window the caller names is taken rather than the foreground one, while it is shown; once it
// is hidden the foreground window is taken again.
TEST_F(ActiveWindowTest, TakesTheWindowTheCallerNamesWhileItShows) {
  ShowForegroundWindow();
  const CRect rcTarget(700, 500, 900, 650);
  CPatternWindow target;
  ASSERT_TRUE(target.Create(rcTarget, 2, true));
  ASSERT_TRUE(WaitForScreen([&](int x, int y) {
    return PatternColor(x, y, rcTarget.PtInRect(CPoint(x, y)) ? 2 : m_rect.PtInRect(CPoint(x, y)) ? 1 : 0);
  }));
  ASSERT_EQ(m_window.Handle(), ::GetForegroundWindow());
  m_dlg.m_hTargetWindow = target.Handle();
  CaptureResult result = Run(kCaptureActiveWindow);
  ASSERT_EQ(rcTarget.Size(), CSize(result.pixels.cx, result.pixels.cy));
  EXPECT_TRUE(Matches(result.pixels, rcTarget.left, rcTarget.top,
                      [](int x, int y) { return PatternColor(x, y, 2); }));

  ::ShowWindow(target.Handle(), SW_HIDE);
  result = Run(kCaptureActiveWindow);
  EXPECT_EQ(m_rect.Size(), CSize(result.pixels.cx, result.pixels.cy));
}

class IncludeMouseTest : public ActiveWindowTest, public ::testing::WithParamInterface<BOOL> {};

// The foreground window, without showing the overlay; the pointer over it is drawn in with its
// top-left 10 pixels up and left of its place, and only when the flag is exactly 1.
TEST_P(IncludeMouseTest, TakesTheForegroundWindowWithThePointerOnlyForExactlyOne) {
  ShowForegroundWindow();
  const CPoint pointer(450, 300);
  ASSERT_TRUE(MovePointer(pointer.x, pointer.y));
  ::SetCursor(::LoadCursorA(NULL, IDC_ARROW));
  m_dlg.m_bIncludeMouse = GetParam();
  CaptureResult result = Run(kCaptureActiveWindow);
  EXPECT_TRUE(result.nResult == IDOK && !m_dlg.m_bShown);
  ASSERT_EQ(m_rect.Size(), CSize(result.pixels.cx, result.pixels.cy));
  CRect box = DifferenceBox(result.pixels, m_rect.left, m_rect.top, WindowPattern);
  if (GetParam() != 1) {
    EXPECT_TRUE(box.IsRectEmpty()) << "pixels changed in " << ::testing::PrintToString(box);
    return;
  }
  CRect rcIcon(CPoint(pointer.x - m_rect.left - 10, pointer.y - m_rect.top - 10),
               CSize(::GetSystemMetrics(SM_CXCURSOR), ::GetSystemMetrics(SM_CYCURSOR)));
  EXPECT_EQ(rcIcon.TopLeft(), box.TopLeft());
  EXPECT_EQ(rcIcon, rcIcon | box) << "pixels changed outside the pointer's icon";
  // The arrow's tip is the icon's top-left corner.
  EXPECT_NE(WindowPattern(pointer.x - 9, pointer.y - 9), result.pixels.At(rcIcon.left + 1, rcIcon.top + 1));
}

INSTANTIATE_TEST_SUITE_P(Flags, IncludeMouseTest, ::testing::Values((BOOL)0, (BOOL)1, (BOOL)2, (BOOL)-1));

} // namespace
