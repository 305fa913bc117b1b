// Copies, XOR differences, highlighter, flood fill and zoom snapping.
#include "imaging/CommonLib.h"
#include "tests/unit/imaging/test_commonlib_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace commonlib_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

class CommonLibBitmapTest : public testing::Test {
protected:
  DisplayDC display;
  CCommonLib lib;
};

TEST_F(CommonLibBitmapTest, IsAWindowClassThatIsNeverCreated) {
  EXPECT_STREQ("CCommonLib", lib.GetRuntimeClass()->m_lpszClassName);
  EXPECT_TRUE(lib.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_EQ(NULL, lib.GetSafeHwnd());
}

TEST_F(CommonLibBitmapTest, CopyLargerThanSourceHasSourceTopLeftOnWhite) {
  CBitmap src;
  MakePicture(display.Get(), src, 20, 10, PatternColor);
  std::unique_ptr<CBitmap> pCopy(lib.CopyBitmapRect(display.Get(), &src, 0, 0, 30, 15));
  ASSERT_TRUE(pCopy);
  Pixels px = ReadPixels(display.Get(), *pCopy);
  ASSERT_EQ(30, px.cx);
  ASSERT_EQ(15, px.cy);
  for (int y = 0; y < 15; y++)
    for (int x = 0; x < 30; x++)
      ASSERT_EQ(x < 20 && y < 10 ? PatternColor(x, y) : kWhite, px.At(x, y)) << x << "," << y;
}

TEST_F(CommonLibBitmapTest, CopyTakesTheAreaFromItsCorner) {
  CBitmap src;
  MakePicture(display.Get(), src, 20, 10, PatternColor);
  std::unique_ptr<CBitmap> pInside(lib.CopyBitmapRect(display.Get(), &src, 5, 3, 8, 4));
  ASSERT_TRUE(pInside);
  Pixels inside = ReadPixels(display.Get(), *pInside);
  ASSERT_EQ(8, inside.cx);
  ASSERT_EQ(4, inside.cy);
  EXPECT_EQ(PatternColor(5, 3), inside.At(0, 0));
  EXPECT_EQ(PatternColor(12, 6), inside.At(7, 3));

  // A corner above and left of the source leaves that part white.
  std::unique_ptr<CBitmap> pBefore(lib.CopyBitmapRect(NULL, &src, -2, -1, 4, 3));
  ASSERT_TRUE(pBefore);
  Pixels before = ReadPixels(display.Get(), *pBefore);
  EXPECT_EQ(kWhite, before.At(1, 2));
  EXPECT_EQ(kWhite, before.At(3, 0));
  EXPECT_EQ(PatternColor(0, 0), before.At(2, 1));
  EXPECT_EQ(PatternColor(1, 1), before.At(3, 2));
}

TEST_F(CommonLibBitmapTest, CopyWithoutSourceGivesNothing) {
  CBitmap empty;
  EXPECT_EQ(NULL, lib.CopyBitmapRect(display.Get(), NULL, 0, 0, 5, 5));
  EXPECT_EQ(NULL, lib.CopyBitmapRect(display.Get(), &empty, 0, 0, 5, 5));
}

TEST_F(CommonLibBitmapTest, DuplicateKeepsSizeFormatAndPixels) {
  CBitmap src;
  MakePicture(display.Get(), src, 17, 9, PatternColor);
  CBitmap copy;
  ASSERT_TRUE(copy.Attach(CCommonLib::DuplicateBitmap((HBITMAP)src.GetSafeHandle())));
  EXPECT_NE(src.GetSafeHandle(), copy.GetSafeHandle());
  EXPECT_EQ(ReadPixels(display.Get(), src), ReadPixels(display.Get(), copy));

  CBitmap mono;
  const WORD rows[2] = {0x80, 0x40};
  ASSERT_TRUE(mono.CreateBitmap(2, 2, 1, 1, rows));
  CBitmap monoCopy;
  ASSERT_TRUE(monoCopy.Attach(CCommonLib::DuplicateBitmap((HBITMAP)mono.GetSafeHandle())));
  BITMAP bm;
  monoCopy.GetBitmap(&bm);
  EXPECT_EQ(1, bm.bmBitsPixel);
  EXPECT_EQ(ReadPixels(display.Get(), mono), ReadPixels(display.Get(), monoCopy));

  EXPECT_EQ(NULL, CCommonLib::DuplicateBitmap(NULL));
}

TEST_F(CommonLibBitmapTest, XorOfEqualPicturesIsAllBlack) {
  CBitmap first, second;
  MakePicture(display.Get(), first, 12, 8, PatternColor);
  MakePicture(display.Get(), second, 12, 8, PatternColor);
  std::unique_ptr<CBitmap> pDelta(lib.XorBitmaps(display.Get(), &first, &second, 0, 0));
  ASSERT_TRUE(pDelta);
  Pixels px = ReadPixels(display.Get(), *pDelta);
  ASSERT_EQ(12, px.cx);
  for (COLORREF c : px.data)
    ASSERT_EQ(kBlack, c);
}

TEST_F(CommonLibBitmapTest, XorCoversTheLargerOfBothPictures) {
  CBitmap first, second;
  MakeSolid(display.Get(), first, 10, 4, RGB(0x0F, 0xF0, 0x55));
  MakePicture(display.Get(), second, 6, 9, PatternColor);
  std::unique_ptr<CBitmap> pDelta(lib.XorBitmaps(display.Get(), &first, &second, 2, 1));
  ASSERT_TRUE(pDelta);
  Pixels px = ReadPixels(display.Get(), *pDelta);
  ASSERT_EQ(10, px.cx);
  ASSERT_EQ(9, px.cy);
  // Only the second covers (column 0, rows beyond the first): the second picture.
  EXPECT_EQ(PatternColor(0, 7), px.At(0, 7));
  // Neither covers: black.
  EXPECT_EQ(kBlack, px.At(8, 8));
  // Only the first covers (moved by (2, 1)).
  EXPECT_EQ(RGB(0x0F, 0xF0, 0x55), px.At(9, 2));
  // Both: the bitwise difference.
  COLORREF s = PatternColor(3, 2);
  EXPECT_EQ(RGB(GetRValue(s) ^ 0x0F, GetGValue(s) ^ 0xF0, GetBValue(s) ^ 0x55), px.At(3, 2));
}

TEST_F(CommonLibBitmapTest, HighlightWithWhiteChangesNothing) {
  CBitmap pic;
  MakePicture(display.Get(), pic, 16, 12, PatternColor);
  Pixels before = ReadPixels(display.Get(), pic);
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &pic, 2, 2, 14, 10, kWhite));
  EXPECT_EQ(before, ReadPixels(display.Get(), pic));
}

TEST_F(CommonLibBitmapTest, HighlightMarksOnlyTheRectangle) {
  const COLORREF kYellow = RGB(255, 255, 0);
  CBitmap paper;
  MakeSolid(display.Get(), paper, 16, 12, kWhite);
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &paper, 3, 2, 10, 7, kYellow));
  Pixels px = ReadPixels(display.Get(), paper);
  for (int y = 0; y < 12; y++)
    for (int x = 0; x < 16; x++)
      ASSERT_EQ(x >= 3 && x < 10 && y >= 2 && y < 7 ? kYellow : kWhite, px.At(x, y)) << x << "," << y;

  // Dark strokes stay dark: picture AND colour.
  CBitmap ink;
  MakeSolid(display.Get(), ink, 4, 4, RGB(0x30, 0x80, 0xF0));
  ASSERT_TRUE(lib.HighlightRect(display.Get(), &ink, 0, 0, 4, 4, kYellow));
  EXPECT_EQ(RGB(0x30, 0x80, 0x00), ReadPixels(display.Get(), ink).At(1, 1));
}

TEST_F(CommonLibBitmapTest, FloodFillFillsTheConnectedAreaOnly) {
  const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);
  // A blue wall at column 5 splits the white picture in two.
  CBitmap pic;
  MakePicture(display.Get(), pic, 12, 6, [&](int x, int) { return x == 5 ? kBlue : kWhite; });
  ASSERT_TRUE(lib.FloodFillBitmap(display.Get(), &pic, 1, 1, kRed));
  Pixels px = ReadPixels(display.Get(), pic);
  for (int y = 0; y < 6; y++)
    for (int x = 0; x < 12; x++)
      ASSERT_EQ(x < 5 ? kRed : x == 5 ? kBlue : kWhite, px.At(x, y)) << x << "," << y;
}

TEST_F(CommonLibBitmapTest, FloodFillWithTheColourAlreadyThereChangesNothing) {
  const COLORREF kGreen = RGB(0, 200, 0);
  CBitmap pic;
  MakePicture(display.Get(), pic, 10, 10, [&](int x, int y) { return x < 5 ? kGreen : PatternColor(x, y); });
  Pixels before = ReadPixels(display.Get(), pic);
  lib.FloodFillBitmap(display.Get(), &pic, 2, 2, kGreen);
  EXPECT_EQ(before, ReadPixels(display.Get(), pic));
}

TEST_F(CommonLibBitmapTest, OperationsWithoutPictureFail) {
  CBitmap empty;
  EXPECT_EQ(NULL, lib.XorBitmaps(display.Get(), &empty, &empty, 0, 0));
  EXPECT_FALSE(lib.HighlightRect(display.Get(), NULL, 0, 0, 1, 1, kWhite));
  EXPECT_FALSE(lib.FloodFillBitmap(display.Get(), &empty, 0, 0, kWhite));
}

CRect Snapped(int l, int t, int r, int b, float fZoom) {
  CRect rc(l, t, r, b);
  SnapRectToZoom(rc, fZoom);
  return rc;
}

TEST(CommonLibSnapRectToZoom, LandsOnWholePicturePixels) {
  EXPECT_EQ(CRect(6, 4, 12, 22), Snapped(5, 4, 11, 21, 2.0f));
  // 10 / 1.5 + 0.5 = 7.17 -> 7 -> 10.5 -> 10; 11 / 1.5 + 0.5 = 7.83 -> 7 -> 10.
  EXPECT_EQ(CRect(10, 10, 13, 16), Snapped(10, 11, 13, 16, 1.5f));
  // Zoom below 1: 7 / 0.75 + 0.5 = 9.83 -> 9 -> 6.75 -> 6.
  EXPECT_EQ(CRect(3, 5, 6, 9), Snapped(3, 5, 7, 10, 0.75f));
  EXPECT_EQ(CRect(2, 3, 9, 12), Snapped(2, 3, 9, 12, 1.0f));
  // Truncation toward zero on the negative side: -2.5 + 0.5 = -2 -> -4; -1.5 + 0.5 = -1 -> -2;
  // even at zoom 1, -5 + 0.5 = -4.5 -> -4.
  EXPECT_EQ(CRect(-4, -2, -4, 0), Snapped(-5, -3, -5, 0, 2.0f));
  EXPECT_EQ(CRect(-4, 0, 0, 0), Snapped(-5, 0, 0, 0, 1.0f));
}

} // namespace
