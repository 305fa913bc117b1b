// The magnifier: its picture, cross-hair, band and texts drawn into a bitmap, and on the running
// overlay where it follows the pointer and gets out of its way. A screenshot of the overlay with
// the magnifier is kept among the test artifacts.
#include "tests/unit/imaging/capture/capture_test_support.h"

#include "imaging/capture/ScreenGrab.h"

using namespace capture_test;

namespace {

const COLORREF kBand = 0x00C08040;
const COLORREF kBlack = RGB(0, 0, 0);

bool HasColorIn(const Pixels& px, const CRect& rc, COLORREF clr) {
  for (int y = rc.top; y < rc.bottom; y++)
    for (int x = rc.left; x < rc.right; x++)
      if (px.At(x, y) == clr)
        return true;
  return false;
}

class MagnifierTest : public CaptureScreenTest {};

// A 32 x 48 area of the screen drawn five times as large into a 160 x 240 box.
TEST_F(MagnifierTest, DrawsTheAreaEnlargedWithCrossHairBandAndTexts) {
  CBitmap picture;
  picture.Attach(GrabScreenRect(ScreenRect()));
  ASSERT_TRUE(picture.GetSafeHandle() != NULL);
  CDC screen;
  ASSERT_TRUE(screen.CreateDC("DISPLAY", NULL, NULL, NULL));
  CDC target;
  ASSERT_TRUE(target.CreateCompatibleDC(&screen));
  CBitmap canvas;
  ASSERT_TRUE(canvas.CreateCompatibleBitmap(&screen, 200, 300));
  CBitmap* pOld = target.SelectObject(&canvas);
  const COLORREF kCanvas = RGB(1, 2, 3);
  target.FillSolidRect(0, 0, 200, 300, kCanvas);
  int nRop = target.GetROP2(), nBkMode = target.GetBkMode();

  CTestCaptureDlg dlg;
  dlg.m_nCaptureType = kCaptureRectangle;
  dlg.m_nClicks = 1;
  dlg.DrawMagnifier(&target, CRect(0, 0, 160, 240), (HBITMAP)picture.GetSafeHandle(),
                    CRect(100, 200, 132, 248), NULL, 116, 224, 40, 30);
  EXPECT_EQ(nRop, target.GetROP2());
  EXPECT_EQ(nBkMode, target.GetBkMode());
  target.SelectObject(pOld);
  Pixels px = ReadBitmap((HBITMAP)canvas.GetSafeHandle());

  // The picture between frame, cross-hair and band.
  for (int y = 4; y < 116; y++)
    for (int x = 4; x < 76; x++)
      ASSERT_EQ(PatternColor(100 + x / 5, 200 + y / 5), px.At(x, y)) << x << "," << y;
  // The cross-hair inverts what it crosses, seen through the red pen.
  EXPECT_EQ(~(0x000000FF ^ PatternColor(100 + 8, 200 + 24)) & 0xFFFFFF, px.At(40, 120));
  EXPECT_EQ(~(0x000000FF ^ PatternColor(100 + 16, 200 + 8)) & 0xFFFFFF, px.At(80, 40));
  // The band is solid, with the texts in it.
  EXPECT_EQ(kBand, px.At(150, 195));
  EXPECT_EQ(kBand, px.At(155, 235));
  EXPECT_TRUE(HasColorIn(px, CRect(5, 200, 150, 218), kBlack));
  EXPECT_TRUE(HasColorIn(px, CRect(5, 220, 150, 238), kBlack));
  // Nothing outside the box.
  EXPECT_EQ(kCanvas, px.At(180, 100));
  EXPECT_EQ(kCanvas, px.At(100, 260));

  ASSERT_EQ(2u, dlg.m_texts.size());
  EXPECT_EQ("Mouse: 116, 224", dlg.m_texts[0].text);
  EXPECT_EQ(CPoint(5, 220), CPoint(dlg.m_texts[0].x, dlg.m_texts[0].y));
  EXPECT_EQ("Size: 40 x 30", dlg.m_texts[1].text);
  EXPECT_EQ(CPoint(5, 200), CPoint(dlg.m_texts[1].x, dlg.m_texts[1].y));
}

// No size before the first press, and never in the modes that mark a path.
TEST_F(MagnifierTest, SizeOnlyWhileMarkingAnArea) {
  CDC screen;
  ASSERT_TRUE(screen.CreateDC("DISPLAY", NULL, NULL, NULL));
  CDC target;
  ASSERT_TRUE(target.CreateCompatibleDC(&screen));
  CBitmap canvas;
  ASSERT_TRUE(canvas.CreateCompatibleBitmap(&screen, 160, 240));
  CBitmap* pOld = target.SelectObject(&canvas);
  struct Case {
    int nMode;
    int nClicks;
    size_t nTexts;
  } cases[] = {{kCaptureRectangle, 0, 1}, {kCaptureRectangle, 2, 2}, {kCaptureCircle, 1, 2},
               {kCaptureMultiRect, 3, 2}, {kCapturePolygon, 2, 1},   {kCaptureFreehand, 2, 1}};
  for (const Case& c : cases) {
    CTestCaptureDlg dlg;
    dlg.m_nCaptureType = c.nMode;
    dlg.m_nClicks = c.nClicks;
    // Without a picture the box is white behind frame, cross-hair and band.
    dlg.DrawMagnifier(&target, CRect(0, 0, 160, 240), NULL, CRect(0, 0, 32, 48), NULL, 7, 8, 9, 10);
    EXPECT_EQ(c.nTexts, dlg.m_texts.size()) << c.nMode << " with " << c.nClicks << " clicks";
  }
  target.SelectObject(pOld);
  Pixels px = ReadBitmap((HBITMAP)canvas.GetSafeHandle());
  EXPECT_EQ(RGB(255, 255, 255), px.At(30, 30));
}

typedef CaptureScreenTest MagnifierOverlayTest;

TEST_F(MagnifierOverlayTest, FollowsThePointerWithPositionAndSize) {
  Pixels shot;
  CScript script(m_dlg);
  script.WaitReady()
      .MoveTo(600, 500)
      .Press(600, 500)
      .MoveTo(700, 550)
      .MoveTo(800, 600)
      .Then("screenshot",
            [&] {
              shot = ReadWindow(m_dlg.m_hWnd);
              return true;
            })
      .EndKey(VK_ESCAPE);
  CaptureResult result = Run(kCaptureRectangle, script);
  EXPECT_EQ(IDCANCEL, result.nResult);

  EXPECT_TRUE(m_dlg.SawText("Mouse: 600, 500"));
  EXPECT_TRUE(m_dlg.SawText("Mouse: 800, 600"));
  EXPECT_TRUE(m_dlg.SawText("Size: 200 x 100"));
  // The box stays at the top-left: position on the band's lower line, size above it.
  for (const CTestCaptureDlg::Text& t : m_dlg.m_texts)
    EXPECT_EQ(CPoint(5, t.text.compare(0, 5, "Size:") == 0 ? 200 : 220), CPoint(t.x, t.y)) << t.text;

  ASSERT_EQ(ScreenWidth(), shot.cx);
  ASSERT_EQ(ScreenHeight(), shot.cy);
  EXPECT_FALSE(SaveBmp(shot, "capture_overlay_magnifier.bmp").empty());
  // The overlay shows the frozen screen, with the magnifier at the top-left.
  EXPECT_EQ(PatternColor(1000, 900), shot.At(1000, 900));
  EXPECT_EQ(PatternColor(640, 520), shot.At(640, 520));
  EXPECT_EQ(kBand, shot.At(145, 195));
  EXPECT_TRUE(HasColorIn(shot, CRect(5, 200, 145, 218), kBlack));
  EXPECT_TRUE(HasColorIn(shot, CRect(5, 220, 145, 238), kBlack));
  // The enlarged area around the pointer at (800, 600): 32 x 48 pixels into 150 x 240.
  COLORREF clr = shot.At(20, 30);
  bool bFound = false;
  for (int dy = -1; dy <= 1; dy++)
    for (int dx = -1; dx <= 1; dx++)
      bFound = bFound || clr == PatternColor(784 + 20 * 32 / 150 + dx, 576 + 30 / 5 + dy);
  EXPECT_TRUE(bFound) << std::hex << clr;
  // The rubber band's left edge is drawn on the overlay.
  bool bBand = false;
  for (int y = 545; y < 555; y++)
    for (int x = 597; x < 604; x++)
      bBand = bBand || shot.At(x, y) != PatternColor(x, y);
  EXPECT_TRUE(bBand);
}

// Near the top-left corner the box moves to the bottom-right one, and from there back.
TEST_F(MagnifierOverlayTest, GetsOutOfThePointersWay) {
  const int cx = ScreenWidth(), cy = ScreenHeight();
  CRect rcBottomRight(cx - 160, cy - 240, cx, cy);
  CRect rcProbe(cx - 150, cy - 230, cx - 10, cy - 60); // inside the box, above its band
  CScript script(m_dlg);
  script.WaitReady().MoveTo(60, 60).Then("magnifier at the bottom-right", [&] {
    Pixels px = ReadWindow(m_dlg.m_hWnd, &rcProbe);
    return !px.Empty() && !Matches(px, rcProbe.left, rcProbe.top, Pattern());
  });
  script.MoveTo(cx - 80, cy - 124)
      .Then("the frozen screen back at the bottom-right",
            [&] {
              Pixels px = ReadWindow(m_dlg.m_hWnd, &rcProbe);
              return !px.Empty() && Matches(px, rcProbe.left, rcProbe.top, Pattern());
            })
      .EndKey(VK_ESCAPE);
  Run(kCaptureRectangle, script);

  std::string strFirst = "Mouse: 60, 60";
  std::string strSecond = "Mouse: " + std::to_string(cx - 80) + ", " + std::to_string(cy - 124);
  bool bFirst = false, bSecond = false;
  for (const CTestCaptureDlg::Text& t : m_dlg.m_texts) {
    if (t.text == strFirst) {
      bFirst = true;
      EXPECT_EQ(CPoint(rcBottomRight.left + 5, rcBottomRight.bottom - 20), CPoint(t.x, t.y));
    }
    if (t.text == strSecond) {
      bSecond = true;
      EXPECT_EQ(CPoint(5, 220), CPoint(t.x, t.y));
    }
  }
  EXPECT_TRUE(bFirst);
  EXPECT_TRUE(bSecond);
  EXPECT_EQ(CRect(0, 0, 160, 240), m_dlg.m_rcMagnifier);
}

} // namespace
