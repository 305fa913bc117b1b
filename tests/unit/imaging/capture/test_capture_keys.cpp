// The overlay's keys: arrows move the pointer (and so the rubber band and the magnifier) although
// the overlay has no controls for the dialog manager.
#include "tests/unit/imaging/capture/capture_test_support.h"

using namespace capture_test;

namespace {

typedef CaptureScreenTest CaptureKeysTest;

// The first corner clicked, the second reached with the keyboard and clicked where the pointer
// is. Ctrl moves ten units, which the system's pointer acceleration may enlarge.
TEST_F(CaptureKeysTest, ArrowsMoveThePointerAndMarkTheSecondCorner) {
  CaptureResult result = Run(kCaptureRectangle, [](CScript& s) {
    s.Do("C500,400").Key(VK_RIGHT).Key(VK_DOWN).Key(VK_DOWN).Key(VK_LEFT).Key(VK_UP);
    s.Key(VK_RIGHT, true).Key(VK_DOWN, true).Key(VK_RIGHT).ClickHere();
  });
  EXPECT_EQ(IDOK, result.nResult);
  // The mouse moves that reached the overlay after the first key, in order.
  std::vector<CPoint> moves;
  for (int i = m_dlg.Find(WM_KEYDOWN); i >= 0; i = m_dlg.Find(WM_MOUSEMOVE, i + 1))
    if (m_dlg.m_messages[i].nMsg == WM_MOUSEMOVE)
      moves.push_back(m_dlg.m_messages[i].point);
  ASSERT_EQ(8u, moves.size());
  const std::vector<CPoint> steps = {{501, 400}, {501, 401}, {501, 402}, {500, 402}, {500, 401}};
  EXPECT_EQ(steps, std::vector<CPoint>(moves.begin(), moves.begin() + 5));
  EXPECT_TRUE(m_dlg.SawText("Mouse: 500, 401")) << "the magnifier followed";
  EXPECT_EQ(401, moves[5].y);
  EXPECT_GE(moves[5].x, 510);
  EXPECT_EQ(moves[5].x, moves[6].x);
  EXPECT_GE(moves[6].y, 411);
  EXPECT_EQ(CPoint(moves[6].x + 1, moves[6].y), moves[7]);
  POINT pt;
  ::GetCursorPos(&pt);
  EXPECT_EQ(moves[7], CPoint(pt));
  EXPECT_EQ(moves[7].x - 500, result.pixels.cx);
  EXPECT_EQ(moves[7].y - 400, result.pixels.cy);
  EXPECT_TRUE(Matches(result.pixels, 500, 400, Pattern()));
}

} // namespace
