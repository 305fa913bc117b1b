// The overlay's keys: arrows move the pointer (and so the rubber band) although the overlay has no
// controls for the dialog manager; Enter and Esc still end it.
#include "tests/unit/imaging/capture/capture_test_support.h"

using namespace capture_test;

namespace {

class CaptureKeysTest : public CaptureScreenTest {
protected:
  // The mouse moves that reached the overlay after the first arrow key, in order.
  std::vector<CPoint> MovesAfterKeys() const {
    std::vector<CPoint> moves;
    int nFirstKey = m_dlg.FindMessage(WM_KEYDOWN);
    if (nFirstKey < 0)
      return moves;
    for (size_t i = nFirstKey; i < m_dlg.m_messages.size(); i++)
      if (m_dlg.m_messages[i].nMsg == WM_MOUSEMOVE)
        moves.push_back(m_dlg.m_messages[i].point);
    return moves;
  }
};

TEST_F(CaptureKeysTest, ArrowsMoveThePointerByOnePixel) {
  CScript script(m_dlg);
  script.WaitReady().MoveTo(500, 400).Key(VK_RIGHT).Key(VK_DOWN).Key(VK_DOWN).Key(VK_LEFT).Key(VK_UP).EndKey(
      VK_ESCAPE);
  CaptureResult result = Run(kCaptureRectangle, script);
  EXPECT_EQ(IDCANCEL, result.nResult);
  EXPECT_FALSE(result.bBitmap);
  std::vector<CPoint> expected = {CPoint(501, 400), CPoint(501, 401), CPoint(501, 402), CPoint(500, 402),
                                  CPoint(500, 401)};
  EXPECT_EQ(expected, MovesAfterKeys());
  // The magnifier followed.
  EXPECT_TRUE(m_dlg.SawText("Mouse: 500, 401"));
}

TEST_F(CaptureKeysTest, CtrlArrowsMoveFurtherAndEnterStillEnds) {
  CScript script(m_dlg);
  script.WaitReady().MoveTo(500, 400).Key(VK_RIGHT, true).Key(VK_DOWN, true).EndKey(VK_RETURN);
  CaptureResult result = Run(kCaptureRectangle, script);
  // Enter before any click: the whole frozen screen.
  EXPECT_EQ(IDOK, result.nResult);
  ASSERT_TRUE(result.bBitmap);
  EXPECT_EQ(ScreenWidth(), result.pixels.cx);
  std::vector<CPoint> moves = MovesAfterKeys();
  ASSERT_EQ(2u, moves.size());
  // Ten units, which the system's pointer acceleration may enlarge.
  EXPECT_EQ(400, moves[0].y);
  EXPECT_GE(moves[0].x, 510);
  EXPECT_EQ(moves[0].x, moves[1].x);
  EXPECT_GE(moves[1].y, 410);
  POINT pt;
  ::GetCursorPos(&pt);
  EXPECT_EQ(moves[1], CPoint(pt));
}

// The first corner clicked, the second reached with the keyboard and clicked where the pointer is.
TEST_F(CaptureKeysTest, ArrowsMarkTheSecondCorner) {
  CScript script(m_dlg);
  script.WaitReady()
      .Click(500, 400)
      .Key(VK_RIGHT, true)
      .Key(VK_RIGHT, true)
      .Key(VK_DOWN, true)
      .Key(VK_RIGHT)
      .ClickHere();
  CaptureResult result = Run(kCaptureRectangle, script);
  EXPECT_EQ(IDOK, result.nResult);
  ASSERT_TRUE(result.bBitmap);
  std::vector<CPoint> moves = MovesAfterKeys();
  ASSERT_FALSE(moves.empty());
  CPoint corner = moves.back();
  EXPECT_GT(corner.x, 520);
  EXPECT_GT(corner.y, 410);
  EXPECT_EQ(corner.x - 500, result.pixels.cx);
  EXPECT_EQ(corner.y - 400, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 500, 400, Pattern()));
}

TEST_F(CaptureKeysTest, EscapeAfterMarkingStartedInEveryMarkingMode) {
  for (int nMode :
       {kCaptureCircle, kCapturePolygon, kCaptureRoundRect, kCaptureFreehand, kCaptureMultiRect}) {
    CTestCaptureDlg dlg;
    dlg.m_nCaptureType = nMode;
    CScript script(dlg);
    script.WaitReady().Click(300, 300).MoveTo(450, 420).EndKey(VK_ESCAPE);
    CaptureResult result = RunCapture(dlg, script);
    EXPECT_FALSE(script.TimedOut()) << nMode << " stuck waiting for: " << script.Pending();
    EXPECT_EQ(IDCANCEL, result.nResult) << nMode;
    EXPECT_FALSE(result.bBitmap) << nMode;
    ASSERT_TRUE(WaitForScreen(Pattern()));
  }
}

} // namespace
