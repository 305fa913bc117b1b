// Writes every GDI effect on one test picture as a PNG for a look by eye.
#include "imaging/CommonLib.h"
#include "resources/resource.h"
#include "tests/unit/imaging/test_commonlib_support.h"

#include <gtest/gtest.h>

#include <functional>

using namespace commonlib_test;

namespace {

COLORREF Scene(int x, int y) {
  // A gradient with a dark grid, so that cut lines and shadows are easy to see.
  if (x % 40 == 0 || y % 40 == 0)
    return RGB(30, 30, 60);
  return RGB(60 + x * 160 / 320, 90 + y * 140 / 240, 200 - x * 100 / 320);
}

struct Effect {
  const char* pszName;
  std::function<BOOL(CCommonLib&, CDC*, CBitmap&)> apply;
};

TEST(CommonLibArtifacts, SavesEachEffectAsPng) {
  const COLORREF kBack = RGB(255, 255, 255), kShadow = RGB(60, 60, 60);
  // A pattern edge on the chosen sides, with or without its drop shadow.
  auto edge = [&](int nTaskId, int nSize, int nSides, BOOL bDropShadow, int dx, int dy, int nSoftness) {
    return [=](CCommonLib& l, CDC* p, CBitmap& b) {
      return l.EdgeEffect(p, &b, nTaskId, nSize, nSides, kBack, 0, 0, bDropShadow, kShadow, 50, dx, dy,
                          nSoftness);
    };
  };
  const Effect effects[] = {
      {"gdi_torn.png", edge(TASK_TORN_EDGE, 12, 15, FALSE, 0, 0, 0)},
      {"gdi_torn_shadow.png", edge(TASK_TORN_EDGE, 12, 15, TRUE, 6, 6, 2)},
      {"gdi_saw.png", edge(TASK_SAW_EDGE, 16, 15, FALSE, 0, 0, 0)},
      {"gdi_saw_shadow.png", edge(TASK_SAW_EDGE, 16, 12, TRUE, 5, 5, 1)},
      {"gdi_shark.png", edge(TASK_SHARK_EDGE, 16, 15, FALSE, 0, 0, 0)},
      {"gdi_shark_shadow.png", edge(TASK_SHARK_EDGE, 16, 15, TRUE, -5, 5, 2)},
      {"gdi_wave.png", edge(TASK_WAVE_EDGE, 8, 15, FALSE, 0, 0, 0)},
      {"gdi_wave_shadow.png", edge(TASK_WAVE_EDGE, 8, 10, TRUE, 5, 5, 2)},
      {"gdi_border.png", [&](CCommonLib& l, CDC* p,
                             CBitmap& b) { return l.BorderEffect(p, &b, 10, 0, 0, RGB(160, 30, 30), 0, 0); }},
      {"gdi_border_3d_outside.png",
       [&](CCommonLib& l, CDC* p, CBitmap& b) {
         return l.BorderEffect(p, &b, 12, 100, 3, RGB(120, 120, 140), RGB(230, 230, 240), RGB(40, 40, 60));
       }},
      {"gdi_shadow.png",
       [&](CCommonLib& l, CDC* p, CBitmap& b) { return l.ShadowEffect(p, &b, 12, 0, (COLORREF)-1, kBack); }},
      {"gdi_shadow_tinted.png",
       [&](CCommonLib& l, CDC* p, CBitmap& b) {
         return l.ShadowEffect(p, &b, 12, 0, RGB(0, 0, 160), kBack);
       }},
  };

  DisplayDC display;
  CCommonLib lib;
  for (const Effect& effect : effects) {
    CBitmap pic;
    MakePicture(display.Get(), pic, 320, 240, Scene);
    ASSERT_TRUE(effect.apply(lib, display.Get(), pic)) << effect.pszName;
    EXPECT_FALSE(SavePng((HBITMAP)pic.GetSafeHandle(), effect.pszName).empty()) << effect.pszName;
  }

  // Cut-outs: an ellipse and a union of dragged rectangles, with their masks.
  CBitmap source;
  MakePicture(display.Get(), source, 320, 240, Scene);
  const POINT rects[6] = {{20, 20}, {140, 120}, {200, 60}, {100, 200}, {180, 140}, {300, 220}};
  struct {
    ShapeType nShape;
    const POINT* pPoints;
    int nCount;
    const char* pszCut;
    const char* pszMask;
  } cuts[] = {{ID_TOOL_CIRCLE_SELECTION, NULL, 0, "gdi_cut_ellipse.png", "gdi_cut_ellipse_mask.png"},
              {ID_CAPTURE_ROUND_RECT, NULL, 0, "gdi_cut_roundrect.png", "gdi_cut_roundrect_mask.png"},
              {ID_CAPTURE_MULTI_RECT, rects, 6, "gdi_cut_rectangles.png", "gdi_cut_rectangles_mask.png"}};
  for (const auto& c : cuts) {
    CBitmap cut, mask;
    ASSERT_TRUE(lib.CutBitmapToShape(display.Get(), &cut, &mask, &source, 0, 0, 320, 240, c.pPoints, c.nCount,
                                     c.nShape));
    EXPECT_FALSE(SavePng((HBITMAP)cut.GetSafeHandle(), c.pszCut).empty());
    EXPECT_FALSE(SavePng((HBITMAP)mask.GetSafeHandle(), c.pszMask).empty());
  }
}

} // namespace
