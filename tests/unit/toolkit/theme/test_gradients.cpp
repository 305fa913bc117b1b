// Gradients through the system's fill and through bands, and the colour-adjusted bitmaps and
// regions, read back by pixel.
#include "tests/unit/toolkit/theme/theme_support.h"

namespace {

// A 32-bit DIB section of the pixels (top row first), selected into no DC.
HBITMAP MakeBitmap(int cx, int cy, const std::vector<COLORREF>& px) {
  HBITMAP h = MakeSolidBitmap(cx, cy, 0);
  BITMAP bm = {};
  ::GetObjectA(h, sizeof(bm), &bm);
  for (size_t i = 0; bm.bmBits != NULL && i < px.size(); ++i)
    static_cast<DWORD*>(bm.bmBits)[i] = pixel_support::ToDib(px[i]);
  return h;
}

using Gradients = ThemeTest;

TEST_F(Gradients, SystemFillRunsFromTheEndColourAtTheTopAndFromTheStartAtTheLeft) {
  DibSurface s(64, 64);
  PM::PaintGradientRect(s.dc(), RECT{0, 0, 64, 64}, RGB(0, 0, 0), RGB(255, 255, 255), true);
  EXPECT_GT(GetRValue(s.At(10, 0)), 240);
  EXPECT_LT(GetRValue(s.At(10, 63)), 15);
  PM::PaintGradientRect(s.dc(), RECT{0, 0, 64, 64}, RGB(0, 0, 0), RGB(255, 255, 255), false);
  EXPECT_LT(GetRValue(s.At(0, 10)), 15);
  EXPECT_GT(GetRValue(s.At(63, 10)), 240);
}

// Without the system's fill: each band its own share from the start edge, the first band in the
// pure start colour.
TEST_F(Gradients, BandsStartWithThePureStartColourAndReachTheFarEdge) {
  g_PaintManagerHolder.TestDisableGradientFill(true);
  DibSurface s(10, 8, RGB(1, 2, 3));
  PM::PaintGradientRect(s.dc(), RECT{0, 0, 10, 8}, RGB(0, 0, 0), RGB(200, 100, 40), true, 4);
  const COLORREF expected[4] = {RGB(150, 75, 30), RGB(100, 50, 20), RGB(50, 25, 10), RGB(0, 0, 0)};
  for (int y = 0; y < 8; ++y)
    EXPECT_EQ(expected[y / 2], s.At(5, y)) << "row " << y;

  s.Fill(RGB(1, 2, 3));
  PM::PaintGradientRect(s.dc(), RECT{0, 0, 10, 8}, RGB(0, 0, 0), RGB(200, 100, 40), false, 5);
  EXPECT_EQ(RGB(0, 0, 0), s.At(0, 4));
  EXPECT_EQ(RGB(0, 0, 0), s.At(1, 4));
  EXPECT_EQ(RGB(160, 80, 32), s.At(9, 4));
}

TEST_F(Gradients, PaletteScreensUseBandsOfAtLeastFourPixels) {
  g_PaintManagerHolder.TestDisableGradientFill(true);
  PM::TestForceScreenBitsPerPixel(8);
  DibSurface s(4, 10, RGB(1, 2, 3));
  PM::PaintGradientRect(s.dc(), RECT{0, 0, 4, 10}, RGB(0, 0, 0), RGB(200, 200, 200), true, 256);
  // Two bands: 5 rows of black at the bottom, 5 of the half colour above.
  for (int y : {0, 4, 5, 9})
    EXPECT_EQ(y < 5 ? RGB(100, 100, 100) : RGB(0, 0, 0), s.At(1, y)) << "row " << y;
  // An empty rectangle paints nothing.
  PM::PaintGradientRect(s.dc(), RECT{2, 2, 2, 9}, RGB(9, 9, 9), RGB(9, 9, 9), true, 256);
  EXPECT_EQ(RGB(0, 0, 0), s.At(2, 6));
}

// A 4x1 picture: magenta, red, blue and a green that a tolerance of 10 around (0, 245, 0) reaches.
class AdjustedBitmaps : public ThemeTest {
protected:
  void SetUp() override {
    m_src.Attach(MakeBitmap(4, 1, {RGB(255, 0, 255), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 250, 0)}));
  }
  HBITMAP Source() { return (HBITMAP)m_src.GetSafeHandle(); }
  CBitmap m_src;
};

// The key is matched channel by channel, so a red key keeps only the red pixel; every other pixel
// moves as its colour does.
TEST_F(AdjustedBitmaps, KeyPixelsStayAndTheOthersMoveAsTheirColours) {
  // clang-format off
  const struct { COLORREF clrKey, clrTolerance; double dH, dL; int nKept; } rows[] = {
      {RGB(255, 0, 255), 0, 0, 0.5, 0}, {RGB(255, 0, 0), 0, 0.25, 0, 1}, {RGB(0, 245, 0), RGB(0, 10, 0), 0, -0.5, 3}};
  // clang-format on
  const COLORREF source[4] = {RGB(255, 0, 255), RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 250, 0)};
  for (const auto& row : rows) {
    HBITMAP h = PM::HlsAdjustBitmap(Source(), row.clrKey, row.clrTolerance, row.dH, row.dL, 0);
    ASSERT_NE(nullptr, h);
    const auto px = TakePixels(h);
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(x == row.nKept ? source[x] : PM::HlsAdjustColor(source[x], row.dH, row.dL, 0), px.At(x, 0))
          << "key " << std::hex << row.clrKey << " pixel " << x;
  }
}

TEST_F(AdjustedBitmaps, NoDeltasMeanNoBitmapAndInPlaceAdjustmentKeepsTheKey) {
  EXPECT_EQ(nullptr, PM::HlsAdjustBitmap(Source(), 0, 0, 0, 0, 0));
  EXPECT_EQ(nullptr, PM::HlsAdjustBitmap(NULL, 0, 0, 0, 0.5, 0));
  CBitmap bmp;
  EXPECT_TRUE(PM::HlsAdjustBitmapInPlace(bmp, 0, 0, 0, 0, 0));
  EXPECT_FALSE(PM::HlsAdjustBitmapInPlace(bmp, 0, 0, 0, 0.5, 0));
  bmp.Attach(PM::CopyBitmapTo32BitDib(Source()));
  EXPECT_TRUE(PM::HlsAdjustBitmapInPlace(bmp, RGB(255, 0, 255), 0, 0, 1.0, 0));
  const auto px = pixel_support::ReadBitmap((HBITMAP)bmp.GetSafeHandle());
  EXPECT_EQ(RGB(255, 255, 255), px.At(1, 0));
  EXPECT_EQ(RGB(255, 0, 255), px.At(0, 0));
}

// The region of the pixels other than the key, checked where it starts and ends.
TEST_F(AdjustedBitmaps, RegionHoldsThePixelsOutsideTheKeyInAnyNumberOfRuns) {
  std::vector<COLORREF> blocks(50 * 40, RGB(0, 255, 0)), checks(100 * 100, RGB(0, 0, 0));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x)
      if (x >= 35 && x < 40)
        blocks[y * 50 + x] = RGB(0, 0, 255);
      else if (x >= 10 && x < 30 && y >= 5 && y < 35)
        blocks[y * 50 + x] = RGB(255, 0, 0);
  // More runs than one flush holds: every other pixel of a 100x100 picture is opaque.
  for (int y = 0; y < 100; ++y)
    for (int x = (y & 1); x < 100; x += 2)
      checks[y * 100 + x] = RGB(255, 255, 255);
  CBitmap bmpBlocks, bmpChecks;
  bmpBlocks.Attach(MakeBitmap(50, 40, blocks));
  bmpChecks.Attach(MakeBitmap(100, 100, checks));
  // clang-format off
  const struct { CBitmap& bmp; COLORREF clrKey; POINT inside[3], outside[3]; } rows[] = {
      {bmpBlocks, RGB(0, 255, 0), {{10, 5}, {29, 34}, {37, 39}}, {{30, 34}, {10, 4}, {0, 0}}},
      {bmpChecks, RGB(0, 0, 0), {{0, 0}, {99, 99}, {1, 1}}, {{1, 0}, {98, 99}, {0, 1}}}};
  // clang-format on
  for (const auto& row : rows) {
    HRGN hRgn = PM::BitmapToRegion((HBITMAP)row.bmp.GetSafeHandle(), row.clrKey, 0);
    ASSERT_NE(nullptr, hRgn);
    for (int i = 0; i < 3; ++i) {
      EXPECT_TRUE(::PtInRegion(hRgn, row.inside[i].x, row.inside[i].y))
          << row.inside[i].x << "," << row.inside[i].y;
      EXPECT_FALSE(::PtInRegion(hRgn, row.outside[i].x, row.outside[i].y)) << row.outside[i].x;
    }
    ::DeleteObject(hRgn);
  }
}

} // namespace
