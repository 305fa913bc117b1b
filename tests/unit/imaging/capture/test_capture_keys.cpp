// The overlay's keys: arrows move the pointer (and so the rubber band) although the overlay has no
// controls for the dialog manager; Enter still ends it.
#include "tests/unit/imaging/capture/capture_test_support.h"

using namespace capture_test;

namespace {

class CaptureKeysTest : public CaptureScreenTest {
protected:
  // The mouse moves that reached the overlay after the first key, in order.
  std::vector<CPoint> MovesAfterKeys() const {
    std::vector<CPoint> moves;
    for (int i = m_dlg.Find(WM_KEYDOWN); i >= 0; i = m_dlg.Find(WM_MOUSEMOVE, i + 1))
      if (m_dlg.m_messages[i].nMsg == WM_MOUSEMOVE)
        moves.push_back(m_dlg.m_messages[i].point);
    return moves;
  }
};

TEST_F(CaptureKeysTest, ArrowsMoveThePointerByOnePixel) {
  CaptureResult result = Run(kCaptureRectangle, [](CScript& s) {
    s.MoveTo(500, 400).Key(VK_RIGHT).Key(VK_DOWN).Key(VK_DOWN).Key(VK_LEFT).Key(VK_UP).EndKey(VK_RETURN);
  });
  // Enter before any click: the whole frozen screen.
  EXPECT_EQ(IDOK, result.nResult);
  EXPECT_EQ(ScreenWidth(), result.pixels.cx);
  std::vector<CPoint> expected = {CPoint(501, 400), CPoint(501, 401), CPoint(501, 402), CPoint(500, 402),
                                  CPoint(500, 401)};
  EXPECT_EQ(expected, MovesAfterKeys());
  // The magnifier followed.
  EXPECT_TRUE(m_dlg.SawText("Mouse: 500, 401"));
}

// The first corner clicked, the second reached with the keyboard and clicked where the pointer
// is. Ctrl moves ten units, which the system's pointer acceleration may enlarge.
TEST_F(CaptureKeysTest, ArrowsMarkTheSecondCorner) {
  CaptureResult result = Run(kCaptureRectangle, [](CScript& s) {
    s.Click(500, 400).Key(VK_RIGHT, true).Key(VK_DOWN, true).Key(VK_RIGHT).ClickHere();
  });
  EXPECT_EQ(IDOK, result.nResult);
  std::vector<CPoint> moves = MovesAfterKeys();
  ASSERT_EQ(3u, moves.size());
  EXPECT_EQ(400, moves[0].y);
  EXPECT_GE(moves[0].x, 510);
  EXPECT_EQ(moves[0].x, moves[1].x);
  EXPECT_GE(moves[1].y, 410);
  EXPECT_EQ(CPoint(moves[1].x + 1, moves[1].y), moves[2]);
  POINT pt;
  ::GetCursorPos(&pt);
  EXPECT_EQ(moves[2], CPoint(pt));
  EXPECT_EQ(moves[2].x - 500, result.pixels.cx);
  EXPECT_EQ(moves[2].y - 400, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 500, 400, Pattern()));
}

} // namespace
