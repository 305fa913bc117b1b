// The magnifier: its picture, cross-hair, band and texts drawn into a bitmap, and on the running
// overlay where it follows the pointer and gets out of its way. A screenshot of the overlay with
// the magnifier is kept among the test artifacts. The overlay's arrow keys move the pointer (and
// so the rubber band and the magnifier) although it has no controls for the dialog manager.
#include "tests/unit/imaging/capture/capture_test_support.h"

#include "imaging/capture/ScreenGrab.h"

#include <map>

using namespace capture_test;

namespace {

const COLORREF kBand = 0x00C08040;
const COLORREF kCanvas = RGB(1, 2, 3);

bool HasColorIn(const Pixels& px, const CRect& rc, COLORREF clr) {
  for (int y = rc.top; y < rc.bottom; y++)
    for (int x = rc.left; x < rc.right; x++)
      if (px.At(x, y) == clr)
        return true;
  return false;
}

class MagnifierTest : public CaptureScreenTest {
protected:
  // The magnifier of m_dlg, in the mode after nClicks presses, drawn into the box (0, 0, 160, 240)
  // of a 200 x 300 canvas: the 32 x 48 area at (100, 200) of the picture, five times as large.
  Pixels Draw(int nMode, int nClicks, HBITMAP hPicture) {
    m_dlg.m_nCaptureType = nMode;
    m_dlg.m_nClicks = nClicks;
    m_dlg.m_texts.clear();
    pixel_support::DibSurface target(200, 300, kCanvas);
    int nRop = target.dc().GetROP2(), nBkMode = target.dc().GetBkMode();
    m_dlg.DrawMagnifier(&target.dc(), CRect(0, 0, 160, 240), hPicture, CRect(100, 200, 132, 248), NULL, 116,
                        224, 40, 30);
    EXPECT_EQ(std::make_pair(nRop, nBkMode), std::make_pair(target.dc().GetROP2(), target.dc().GetBkMode()));
    return Pixels{200, 300, target.Pixels()};
  }
};

TEST_F(MagnifierTest, DrawsTheAreaEnlargedWithCrossHairBandAndTexts) {
  CBitmap picture;
  ASSERT_TRUE(picture.Attach(GrabScreenRect(ScreenRect())));
  Pixels px = Draw(kCaptureRectangle, 1, (HBITMAP)picture.GetSafeHandle());

  // The picture between frame, cross-hair and band.
  for (int y = 4; y < 116; y++)
    for (int x = 4; x < 76; x++)
      ASSERT_EQ(PatternColor(100 + x / 5, 200 + y / 5), px.At(x, y)) << x << "," << y;
  // The cross-hair inverts what it crosses, seen through the red pen.
  EXPECT_EQ(std::make_pair(~(0x000000FF ^ PatternColor(100 + 8, 200 + 24)) & 0xFFFFFF,
                           ~(0x000000FF ^ PatternColor(100 + 16, 200 + 8)) & 0xFFFFFF),
            std::make_pair(px.At(40, 120), px.At(80, 40)));
  // The band is solid, with the texts in it; nothing is drawn outside the box.
  EXPECT_EQ(std::make_tuple(kBand, kBand, kCanvas, kCanvas),
            std::make_tuple(px.At(150, 195), px.At(155, 235), px.At(180, 100), px.At(100, 260)));
  EXPECT_TRUE(HasColorIn(px, CRect(5, 200, 150, 218), RGB(0, 0, 0)) &&
              HasColorIn(px, CRect(5, 220, 150, 238), RGB(0, 0, 0)));
  ASSERT_EQ(2u, m_dlg.m_texts.size());
  EXPECT_EQ(std::make_tuple("Mouse: 116, 224", CPoint(5, 220), "Size: 40 x 30", CPoint(5, 200)),
            std::make_tuple(m_dlg.m_texts[0].text, CPoint(m_dlg.m_texts[0].x, m_dlg.m_texts[0].y),
                            m_dlg.m_texts[1].text, CPoint(m_dlg.m_texts[1].x, m_dlg.m_texts[1].y)));

  // No size before the first press, and never in the modes that mark a path. Without a picture
  // the box is white behind frame, cross-hair and band.
  const int cases[][3] = {{kCaptureRectangle, 0, 1}, {kCaptureRectangle, 2, 2}, {kCaptureCircle, 1, 2},
                          {kCaptureMultiRect, 3, 2}, {kCapturePolygon, 2, 1},   {kCaptureFreehand, 2, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(RGB(255, 255, 255), Draw(c[0], c[1], NULL).At(30, 30));
    EXPECT_EQ((size_t)c[2], m_dlg.m_texts.size()) << c[0] << " with " << c[1] << " clicks";
  }
}

// Near the top-left corner the box moves to the bottom-right one, and from there back; it then
// follows the pointer while an area is marked.
TEST_F(MagnifierTest, GetsOutOfThePointersWayAndFollowsIt) {
  const int cx = ScreenWidth(), cy = ScreenHeight();
  CRect rcProbe(cx - 150, cy - 230, cx - 10, cy - 60); // inside the bottom-right box, above its band
  auto probe = [&] {
    return Matches(ReadWindow(m_dlg.m_hWnd, rcProbe), rcProbe.left, rcProbe.top, Pattern());
  };
  Pixels shot;
  Run(kCaptureRectangle, [&](CScript& s) {
    s.Do("M60,60").Then("magnifier at the bottom-right", [&] { return !probe(); });
    s.Do("M" + std::to_string(cx - 80) + "," + std::to_string(cy - 124))
        .Then("the frozen screen back at the bottom-right", [&] { return bool(probe()); });
    s.Do("M600,500 P600,500 M700,550 M800,600");
    s.Then("screenshot", [&] { return !(shot = ReadWindow(m_dlg.m_hWnd, ScreenRect())).Empty(); });
    s.Do("Esc");
  });
  std::map<std::string, CPoint> at;
  for (const CTestCaptureDlg::Text& t : m_dlg.m_texts)
    at[t.text] = CPoint(t.x, t.y);
  EXPECT_EQ(CPoint(cx - 160 + 5, cy - 20), at["Mouse: 60, 60"]);
  EXPECT_EQ(CPoint(5, 220), at["Mouse: " + std::to_string(cx - 80) + ", " + std::to_string(cy - 124)]);
  EXPECT_EQ(CRect(0, 0, 160, 240), m_dlg.m_rcMagnifier);
  for (const char* pszText : {"Mouse: 600, 500", "Mouse: 800, 600", "Size: 200 x 100"})
    EXPECT_TRUE(m_dlg.SawText(pszText)) << pszText;

  ASSERT_EQ(ScreenRect().Size(), CSize(shot.cx, shot.cy));
  EXPECT_FALSE(SaveBmp(shot, "capture_overlay_magnifier.bmp").empty());
  // The overlay shows the frozen screen, with the magnifier at the top-left.
  EXPECT_EQ(std::make_tuple(PatternColor(1000, 900), PatternColor(640, 520), kBand),
            std::make_tuple(shot.At(1000, 900), shot.At(640, 520), shot.At(145, 195)));
  // The enlarged area around the pointer at (800, 600): 32 x 48 pixels into 160 x 240.
  bool bFound = false;
  for (int dy = -1; dy <= 1; dy++)
    for (int dx = -1; dx <= 1; dx++)
      bFound = bFound || shot.At(20, 30) == PatternColor(784 + 20 / 5 + dx, 576 + 30 / 5 + dy);
  EXPECT_TRUE(bFound) << std::hex << shot.At(20, 30);
  // The rubber band's left edge is drawn on the overlay.
  bool bBand = false;
  for (int y = 545; y < 555; y++)
    for (int x = 597; x < 604; x++)
      bBand = bBand || shot.At(x, y) != PatternColor(x, y);
  EXPECT_TRUE(bBand);
}

// The first corner clicked, the second reached with the keyboard and clicked where the pointer
// is. Ctrl moves ten units, which the system's pointer acceleration may enlarge.
TEST_F(MagnifierTest, ArrowsMoveThePointerAndMarkTheSecondCorner) {
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
  EXPECT_TRUE(moves[5].y == 401 && moves[5].x >= 510 && moves[6].x == moves[5].x && moves[6].y >= 411)
      << moves[5].x << "," << moves[5].y << " " << moves[6].x << "," << moves[6].y;
  EXPECT_EQ(CPoint(moves[6].x + 1, moves[6].y), moves[7]);
  POINT pt;
  ::GetCursorPos(&pt);
  EXPECT_EQ(moves[7], CPoint(pt));
  EXPECT_EQ(CSize(moves[7].x - 500, moves[7].y - 400), CSize(result.pixels.cx, result.pixels.cy));
  EXPECT_TRUE(Matches(result.pixels, 500, 400, Pattern()));
}

} // namespace
