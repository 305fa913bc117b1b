// The pixel roads of the pattern edges with drop shadow and of the shadow edge give, word for
// word (the unused top byte included), what the roads through whole-size bitmaps and blits give.
#include "imaging/CommonLib.h"
#include "resources/resource.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <cstdlib>
#include <vector>

namespace {

using commonlib_test::DisplayDC;

struct Picture {
  int cx, cy;
  std::vector<DWORD> words;
  bool operator==(const Picture& o) const { return cx == o.cx && cy == o.cy && words == o.words; }
};

// Every word of a bitmap as GetDIBits hands it over.
Picture Words(CDC* pDC, CBitmap& bitmap) {
  BITMAP bm;
  bitmap.GetObject(sizeof(bm), &bm);
  Picture pic{bm.bmWidth, bm.bmHeight, std::vector<DWORD>((size_t)bm.bmWidth * bm.bmHeight)};
  BITMAPINFO bmi = TopDownDib32(pic.cx, pic.cy);
  ::GetDIBits(pDC->GetSafeHdc(), (HBITMAP)bitmap.GetSafeHandle(), 0, pic.cy, pic.words.data(), &bmi,
              DIB_RGB_COLORS);
  return pic;
}

// Runs the operation on random words (top byte too) along each road and compares the results.
template <class Op> void ExpectSameRoads(int cx, int cy, unsigned seed, Op op) {
  DisplayDC display;
  const std::vector<DWORD> words = gdiptest::RandomPixels(cx, cy, seed, true);
  BITMAPINFO bmi = TopDownDib32(cx, cy);
  Picture out[2];
  for (int road = 0; road < 2; road++) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(display.Get(), cx, cy));
    ::SetDIBits(display.Get()->GetSafeHdc(), (HBITMAP)bitmap.GetSafeHandle(), 0, cy, words.data(), &bmi,
                DIB_RGB_COLORS);
    CCommonLib lib;
    lib.m_bPixelRoads = road == 1;
    srand(seed); // the torn edge draws its points at random
    EXPECT_TRUE(op(lib, display.Get(), bitmap));
    out[road] = Words(display.Get(), bitmap);
  }
  EXPECT_TRUE(out[0] == out[1]) << cx << "x" << cy << " seed " << seed << ": " << out[0].cx << "x"
                                << out[0].cy << " vs " << out[1].cx << "x" << out[1].cy;
}

const int kSizes[][2] = {{1, 1}, {2, 3}, {17, 9}, {40, 33}, {61, 46}, {300, 201}};

TEST(CommonLibEdgeRoads, PatternsWithShadowMatchTheBlitRoad) {
  struct Case {
    int task, size, sides, dx, dy, soft;
    COLORREF shadow;
  };
  const Case cases[] = {
      {TASK_WAVE_EDGE, 10, 15, 5, 5, 2, RGB(64, 64, 64)},
      {TASK_WAVE_EDGE, 3, 6, -4, 7, 5, RGB(10, 90, 200)},
      {TASK_SAW_EDGE, 6, 15, 0, 0, 0, RGB(0, 0, 0)},
      {TASK_SAW_EDGE, 4, 9, 8, -2, 7, RGB(255, 0, 0)},
      {TASK_SHARK_EDGE, 8, 15, 8, 8, 5, RGB(40, 40, 40)},
      {TASK_SHARK_EDGE, 5, 12, -9, -9, 1, RGB(0, 128, 0)},
      {TASK_TORN_EDGE, 6, 15, 2, 1, 3, RGB(80, 80, 80)},
      {TASK_TORN_EDGE, 9, 5, 12, 0, 4, RGB(255, 255, 255)},
  };
  for (const auto& size : kSizes)
    for (const Case& c : cases)
      ExpectSameRoads(size[0], size[1], c.task + c.size, [&](CCommonLib& lib, CDC* pDC, CBitmap& b) {
        return lib.EdgeEffect(pDC, &b, c.task, c.size, c.sides, RGB(250, 240, 20), RGB(255, 255, 255), 0,
                              TRUE, c.shadow, 50, c.dx, c.dy, c.soft);
      });
}

TEST(CommonLibEdgeRoads, ShadowEdgeMatchesTheBlitRoad) {
  const COLORREF shadows[] = {(COLORREF)-1, RGB(200, 40, 90)};
  for (const auto& size : kSizes)
    for (int nSize : {1, 3, 12, 40})
      for (COLORREF shadow : shadows)
        ExpectSameRoads(size[0], size[1], nSize, [&](CCommonLib& lib, CDC* pDC, CBitmap& b) {
          return lib.ShadowEffect(pDC, &b, nSize, 0, shadow, RGB(200, 160, 80));
        });
}

} // namespace
