// Shadow Edge and the shadow builder.
#include "imaging/CommonLib.h"
#include "imaging/ShadowBuilder.h"
#include "tests/unit/imaging/test_commonlib_support.h"

#include <gtest/gtest.h>

using namespace commonlib_test;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kBack = RGB(200, 160, 80);
const COLORREF kNeutral = (COLORREF)-1;

COLORREF Percent(COLORREF c, int p) {
  return RGB(GetRValue(c) * p / 100, GetGValue(c) * p / 100, GetBValue(c) * p / 100);
}

class CommonLibShadowTest : public testing::Test {
protected:
  void Picture(int w, int h) { MakePicture(display.Get(), pic, w, h, PatternColor); }
  Pixels Read() { return ReadPixels(display.Get(), pic); }

  DisplayDC display;
  CCommonLib lib;
  CBitmap pic;
};

TEST_F(CommonLibShadowTest, SizeZeroLeavesThePicture) {
  Picture(40, 30);
  Pixels before = Read();
  EXPECT_TRUE(lib.ShadowEffect(display.Get(), &pic, 0, 0, kNeutral, kBack));
  EXPECT_EQ(before, Read());
  CBitmap empty;
  EXPECT_FALSE(lib.ShadowEffect(display.Get(), &empty, 5, 0, kNeutral, kBack));
}

TEST_F(CommonLibShadowTest, DarkensFrom75PercentInsideTo97PercentOutside) {
  Picture(100, 80);
  ASSERT_TRUE(lib.ShadowEffect(display.Get(), &pic, 10, 0, kNeutral, kBack));
  Pixels px = Read();
  ASSERT_EQ(110, px.cx);
  ASSERT_EQ(90, px.cy);
  for (int y = 0; y < 80; y++)
    for (int x = 0; x < 100; x++)
      ASSERT_EQ(PatternColor(x, y), px.At(x, y)) << x << "," << y;
  // Straight parts: level 75 + 25 i / 10 at distance i from the picture.
  EXPECT_EQ(Percent(kBack, 75), px.At(100, 40));
  EXPECT_EQ(Percent(kBack, 80), px.At(102, 40));
  EXPECT_EQ(Percent(kBack, 97), px.At(109, 40));
  EXPECT_EQ(Percent(kBack, 75), px.At(50, 80));
  EXPECT_EQ(Percent(kBack, 97), px.At(50, 89));
  // The strips start 2 x size + 1 from the picture's ends; before that only the rounded ends.
  EXPECT_EQ(Percent(kBack, 75), px.At(21, 80));
  EXPECT_EQ(Percent(kBack, 75), px.At(20, 80));
  EXPECT_EQ(Percent(kBack, 87), px.At(15, 80)); // 5 from the end's centre
  EXPECT_EQ(kBack, px.At(10, 80));
  EXPECT_EQ(kBack, px.At(5, 85));
  EXPECT_EQ(Percent(kBack, 87), px.At(100, 15));
  EXPECT_EQ(kBack, px.At(105, 5));
  // The outer corner is a quarter circle: its far pixel keeps the back colour.
  EXPECT_EQ(Percent(kBack, 87), px.At(103, 84));
  EXPECT_EQ(kBack, px.At(109, 89));
  EXPECT_EQ(kBack, px.At(108, 88));
}

TEST_F(CommonLibShadowTest, ShadowColourTintsTheShadow) {
  Picture(100, 80);
  ASSERT_TRUE(lib.ShadowEffect(display.Get(), &pic, 10, 0, RGB(255, 0, 0), kBack));
  // Red channel kept (f = 100), green and blue at 75 %.
  EXPECT_EQ(RGB(200, 120, 60), Read().At(100, 40));

  Picture(100, 80);
  ASSERT_TRUE(lib.ShadowEffect(display.Get(), &pic, 10, 0, kBlack, kBack));
  EXPECT_EQ(Percent(kBack, 75), Read().At(100, 40));
}

TEST_F(CommonLibShadowTest, WhiteShadowIsInvisible) {
  Picture(100, 80);
  ASSERT_TRUE(lib.ShadowEffect(display.Get(), &pic, 10, 0, kWhite, kBack));
  Pixels px = Read();
  ASSERT_EQ(110, px.cx);
  for (int y = 0; y < 90; y++)
    for (int x = 0; x < 110; x++)
      if (x >= 100 || y >= 80)
        ASSERT_EQ(kBack, px.At(x, y)) << x << "," << y;
}

TEST_F(CommonLibShadowTest, PictureSmallerThanTheStripsGetsOnlyRoundedEnds) {
  Picture(15, 15);
  ASSERT_TRUE(lib.ShadowEffect(display.Get(), &pic, 10, 0, kNeutral, kBack));
  Pixels px = Read();
  ASSERT_EQ(25, px.cx);
  ASSERT_EQ(25, px.cy);
  // The right strip's rounded start at (15, 20 - 8): distance 8, level 95.
  EXPECT_EQ(Percent(kBack, 95), px.At(15, 12));
  EXPECT_EQ(kBack, px.At(16, 2));
}

class CommonLibShadowBuilderTest : public testing::Test {
protected:
  void SetUp() override {
    MakeSolid(display.Get(), bitmap, 60, 50, kWhite);
    dc.CreateCompatibleDC(display.Get());
    pOld = dc.SelectObject(&bitmap);
  }
  void TearDown() override { dc.SelectObject(pOld); }
  Pixels Read() {
    dc.SelectObject(pOld);
    Pixels px = ReadPixels(display.Get(), bitmap);
    dc.SelectObject(&bitmap);
    return px;
  }

  DisplayDC display;
  CBitmap bitmap;
  CDC dc;
  CBitmap* pOld = NULL;
};

TEST_F(CommonLibShadowBuilderTest, HalftoneDarkensEveryOtherPixelOfTheStrips) {
  CShadowBuilder builder;
  builder.rect = CRect(0, 0, 30, 30);
  builder.size = 5;
  ASSERT_TRUE(builder.RenderHalftone(&dc));
  Pixels px = Read();
  EXPECT_EQ(kBlack, px.At(32, 10));
  EXPECT_EQ(kWhite, px.At(33, 10));
  EXPECT_EQ(kBlack, px.At(33, 11));
  EXPECT_EQ(kBlack, px.At(10, 32));
  EXPECT_EQ(kWhite, px.At(11, 32));
  EXPECT_EQ(kBlack, px.At(34, 34));
  EXPECT_EQ(kWhite, px.At(32, 2)); // the right strip starts 'size' below the top
  EXPECT_EQ(kWhite, px.At(2, 32)); // the bottom strip 'size' right of the left edge
  EXPECT_EQ(kWhite, px.At(10, 10));
  EXPECT_EQ(kWhite, px.At(36, 10));
}

TEST_F(CommonLibShadowBuilderTest, SavedStripsArePutBackOnTheNextRender) {
  CShadowBuilder builder;
  EXPECT_FALSE(builder.RestoreBackground(&dc));
  ASSERT_TRUE(builder.Paint(&dc, CRect(0, 0, 40, 30), 6, 75, 100, TRUE));
  Pixels shadowed = Read();
  EXPECT_EQ(Percent(kWhite, 75), shadowed.At(40, 20));

  CRect all(0, 0, 60, 50);
  dc.FillSolidRect(&all, kWhite);
  ASSERT_TRUE(builder.Render(&dc));
  EXPECT_EQ(shadowed, Read());

  // After a reset there is nothing to put back and nothing to draw.
  builder.Reset();
  EXPECT_FALSE(builder.RestoreBackground(&dc));
  dc.FillSolidRect(&all, kWhite);
  EXPECT_TRUE(builder.Render(&dc));
  EXPECT_EQ(kWhite, Read().At(40, 20));
}

TEST_F(CommonLibShadowBuilderTest, ZeroSizeOrEmptyRectangleDrawsNothing) {
  CShadowBuilder builder;
  EXPECT_TRUE(builder.Paint(&dc, CRect(0, 0, 40, 30), 0, 75, 100, FALSE));
  EXPECT_TRUE(builder.Paint(&dc, CRect(10, 10, 10, 30), 5, 75, 100, FALSE));
  for (COLORREF c : Read().data)
    ASSERT_EQ(kWhite, c);
}

} // namespace
