#include "tests/unit/editor/editor_harness.h"

namespace {

using pixel_support::Pixels;

const COLORREF kHatch = RGB(0xBF, 0xBF, 0xBF), kWhite = RGB(255, 255, 255);

// Blocks of 8 x 8 picture pixels in one colour each, so every zoom shows each block whole.
DWORD BlockPixel(int x, int y) { return 0x102030u + (DWORD)((x / 8) * 0x050000 + (y / 8) * 0x000500); }
COLORREF BlockColor(int x, int y) { return pixel_support::FromDib(BlockPixel(x, y)); }

class FramletViewTest : public EditorViewTest {
protected:
  void SetUp() override {
    EditorViewTest::SetUp();
    SetPicture(400, 300, BlockPixel);
  }
};

// Every zoom shows picture pixel (x, y) at canvas point (8 + x z, 8 + y z) over the grey hatch, and
// scrolling moves it by whole canvas pixels.
TEST_F(FramletViewTest, PaintsThePictureAtTheMarginOverTheHatchAtEveryZoom) {
  for (float z : {0.25f, 0.5f, 1.0f, 2.0f, 4.0f, 8.0f}) {
    Zoom(z);
    Pixels px = Shot(("view_zoom_" + std::to_string((int)(z * 100)) + ".bmp").c_str());
    ASSERT_FALSE(px.Empty());
    for (int y = 0; y < 300; y += 8) {
      for (int x = 0; x < 400; x += 8) {
        int cx = 8 + (int)(x * z), cy = 8 + (int)(y * z);
        if (cx < px.cx && cy < px.cy)
          ASSERT_EQ(BlockColor(x, y), px.At(cx, cy)) << "zoom " << z << " picture pixel " << x << "," << y;
      }
    }
    // The canvas beyond the picture and its handles shows the hatch on white, nothing else; the
    // image rectangle's handles sit just outside the picture.
    std::set<COLORREF> seen;
    for (int y = 0; y < px.cy; y++)
      for (int x = 0; x < px.cx; x++)
        if (x < 3 || y < 3 || x >= 14 + (int)(400 * z) || y >= 14 + (int)(300 * z))
          seen.insert(px.At(x, y));
    EXPECT_EQ(std::set<COLORREF>({kHatch, kWhite}), seen) << "zoom " << z;
    EXPECT_EQ(RGB(0, 0, 0), px.At(5, 5)) << "the top-left handle, zoom " << z;
  }
  // Scrolled, the hatch and the picture keep to the canvas.
  Zoom(2.0f);
  const Pixels px = Shot(NULL);
  Zoom(2.0f, CSize(16, 0));
  const Pixels scrolled = Shot(NULL);
  for (int y = 0; y < 40; y++)
    for (int x = 16; x < 300; x++)
      ASSERT_EQ(px.At(x, y), scrolled.At(x - 16, y)) << "canvas point " << x << "," << y;
  // Scroll offsets are whole multiples of the zoom.
  const std::tuple<float, int, int> cases[] = {
      {8.0f, 13, 8}, {4.0f, 13, 12}, {2.0f, 13, 12}, {1.0f, 13, 13}, {8.0f, 100003, 0}};
  SetPicture(13000, 20, BlockPixel);
  for (auto [zoom, nScroll, nExpected] : cases) {
    Zoom(zoom);
    View()->OnScrollBy(CSize(nScroll, 0));
    EXPECT_EQ(nExpected, View()->m_nScrollX) << "zoom " << zoom << " scrolled by " << nScroll;
  }
}

TEST_F(FramletViewTest, ZoomCommandsKeepToTheLadderAndPositionsFollow) {
  const float cases[][3] = {{0.25f, 0.5f, 0.25f}, {0.5f, 1.0f, 0.25f}, {1.0f, 2.0f, 0.5f},
                            {2.0f, 4.0f, 1.0f},   {4.0f, 8.0f, 2.0f},  {8.0f, 8.0f, 4.0f},
                            {3.0f, 6.0f, 1.5f},   {5.0f, 8.0f, 2.5f},  {0.4f, 0.8f, 0.25f}};
  for (auto [from, in, out] : cases) {
    View()->m_fZoom = from;
    Command(ID_VIEW_ZOOM_IN);
    EXPECT_TRUE(in == View()->m_fZoom && in == View()->m_fPrevZoom) << "in from " << from;
    View()->m_fZoom = from;
    Command(ID_VIEW_ZOOM_OUT);
    EXPECT_FLOAT_EQ(out, View()->m_fZoom) << "out from " << from;
  }
  EXPECT_EQ("Zoom:25%", m_harness.Status(STATUS_PANE_ZOOM));
  View()->m_fZoom = 4.0f;
  Command(ID_VIEW_ACTUAL_SIZE);
  EXPECT_TRUE(View()->m_fZoom == 1.0f && View()->m_fPrevZoom == 1.0f);
  EXPECT_EQ("Zoom:100%", m_harness.Status(STATUS_PANE_ZOOM));
  // The position shown and the picture point under the pointer follow the zoom and scroll, to the
  // nearest whole picture pixel.
  View()->ShowPositionStatus(5, 5);
  EXPECT_EQ("x,y:-3, -3", m_harness.Status(STATUS_PANE_POSITION));
  Zoom(2.0f, CSize(16, 0));
  View()->ShowPositionStatus(40, 20);
  EXPECT_EQ("x,y:24, 6", m_harness.Status(STATUS_PANE_POSITION));
  EXPECT_TRUE(CPoint(24, 6) == View()->ViewToImagePoint(CPoint(40, 20)) &&
              CPoint(24, 6) == View()->ViewToImagePoint(CPoint(39, 19)));
}

TEST_F(FramletViewTest, ZoomRescalesTheFloatingPieceAndDropsAnOutlinedSelection) {
  Doc()->m_pSelection =
      new CZoomTracker(new Gdiplus::Bitmap(100, 50, PixelFormat32bppARGB), 8, 8, 108, 58, 1.0f);
  Command(ID_VIEW_ZOOM_IN);
  ASSERT_NE(nullptr, Doc()->m_pSelection);
  EXPECT_EQ(CRect(8, 8, 208, 108), Doc()->m_pSelection->m_rect);
  EXPECT_FLOAT_EQ(2.0f, Doc()->m_pSelection->m_fZoom);
  View()->m_selTracker.m_rect.SetRect(10, 10, 50, 50);
  Command(ID_VIEW_ZOOM_OUT);
  EXPECT_EQ(nullptr, Doc()->m_pSelection) << "the piece goes without being merged";
  EXPECT_TRUE(View()->m_selTracker.m_rect.IsRectEmpty());
}

} // namespace
