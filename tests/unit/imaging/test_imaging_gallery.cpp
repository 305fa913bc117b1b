// Writes every effect on one test picture as a PNG for a look by eye: the edges, borders, shadows
// and cut-outs of CCommonLib, and the pixel and geometry effects of CGdipEffects.
#include "imaging/CommonLib.h"
#include "resources/resource.h"
#include "tests/unit/imaging/test_imaging_util.h"

using namespace gdiptest;

namespace {

COLORREF Scene(int x, int y) {
  // A gradient with a dark grid, so that cut lines and shadows are easy to see.
  if (x % 40 == 0 || y % 40 == 0)
    return RGB(30, 30, 60);
  return RGB(60 + x * 160 / 320, 90 + y * 140 / 240, 200 - x * 100 / 320);
}

void SaveBitmap(CBitmap& bitmap, const char* name) {
  BitmapPtr image(Gdiplus::Bitmap::FromHBITMAP((HBITMAP)bitmap.GetSafeHandle(), NULL));
  ASSERT_TRUE(image && image->GetLastStatus() == Gdiplus::Ok) << name;
  SaveArtifact(image.get(), name);
}

} // namespace

TEST(CommonLibArtifacts, SavesEachEffectAsPng) {
  commonlib_test::DisplayDC display;
  CDC* dc = display.Get();
  CCommonLib lib;
  const COLORREF kBack = RGB(255, 255, 255), kShadow = RGB(60, 60, 60);
  auto save = [&](const std::string& name, const std::function<BOOL(CBitmap*)>& effect) {
    CBitmap pic;
    commonlib_test::MakePicture(pic, 320, 240, Scene);
    ASSERT_TRUE(effect(&pic)) << name;
    SaveBitmap(pic, name.c_str());
  };
  // Each pattern edge on all sides, and with a soft drop shadow on the left, top and right.
  const std::pair<const char*, int> tasks[] = {
      {"torn", TASK_TORN_EDGE}, {"saw", TASK_SAW_EDGE}, {"shark", TASK_SHARK_EDGE}, {"wave", TASK_WAVE_EDGE}};
  for (const auto& t : tasks)
    for (BOOL bShadow : {FALSE, TRUE})
      save(std::string("gdi_") + t.first + (bShadow ? "_shadow" : ""), [&](CBitmap* p) {
        return lib.EdgeEffect(dc, p, t.second, t.second == TASK_WAVE_EDGE ? 8 : 14, bShadow ? 7 : 15, kBack,
                              0, 0, bShadow, kShadow, 50, 5, 5, 2);
      });
  save("gdi_border", [&](CBitmap* p) { return lib.BorderEffect(dc, p, 10, 0, 0, RGB(160, 30, 30), 0, 0); });
  save("gdi_border_3d_outside", [&](CBitmap* p) {
    return lib.BorderEffect(dc, p, 12, 100, 3, RGB(120, 120, 140), RGB(230, 230, 240), RGB(40, 40, 60));
  });
  save("gdi_shadow", [&](CBitmap* p) { return lib.ShadowEffect(dc, p, 12, 0, (COLORREF)-1, kBack); });

  // Cut-outs: an ellipse, a rounded rectangle and a union of dragged rectangles, with their masks.
  CBitmap source;
  commonlib_test::MakePicture(source, 320, 240, Scene);
  const POINT rects[6] = {{20, 20}, {140, 120}, {200, 60}, {100, 200}, {180, 140}, {300, 220}};
  const std::pair<ShapeType, std::string> cuts[] = {{ID_TOOL_CIRCLE_SELECTION, "gdi_cut_ellipse"},
                                                    {ID_CAPTURE_ROUND_RECT, "gdi_cut_roundrect"},
                                                    {ID_CAPTURE_MULTI_RECT, "gdi_cut_rectangles"}};
  for (const auto& c : cuts) {
    CBitmap cut, mask;
    const bool bRects = c.first == ID_CAPTURE_MULTI_RECT;
    ASSERT_TRUE(lib.CutBitmapToShape(dc, &cut, &mask, &source, 0, 0, 320, 240, bRects ? rects : NULL,
                                     bRects ? 6 : 0, c.first));
    SaveBitmap(cut, c.second.c_str());
    SaveBitmap(mask, (c.second + "_mask").c_str());
  }
}

TEST(GdipGallery, EffectsOnTheSamplePicture) {
  const int edges[9] = {-1, -1, -1, -1, 8, -1, -1, -1, -1};
  Pixels rampPx(320 * 240);
  for (size_t i = 0; i < rampPx.size(); ++i)
    rampPx[i] = Gray(255 - static_cast<int>(i % 320) * 255 / 320);
  BitmapPtr ramp = FromPixels(320, 240, rampPx);
  LOGFONTA lf = {16, 0, 0, 0, FW_BOLD};
  lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
  const std::pair<const char*, Op> effects[] = {
      {"gdip_sample", [](Fx&, Bmp&) {}},
      {"gdip_grayscale", OpOf(&Fx::Grayscale, 40, 1)},
      {"gdip_blackwhite", OpOf(&Fx::BlackWhite, 128)},
      {"gdip_invert", OpOf(&Fx::InvertColor, 7)},
      {"gdip_solarize", OpOf(&Fx::Solarize, 128)},
      {"gdip_emboss", OpOf(&Fx::Emboss, 2, 1)},
      {"gdip_colorbalance", OpOf(&Fx::ColorBalance, 60, 0, -60)},
      {"gdip_brightness", OpOf(&Fx::Brightness, 60)},
      {"gdip_contrast", OpOf(&Fx::Contrast, 50)},
      {"gdip_blur", OpOf(&Fx::Blur, 3, -1, -1)},
      {"gdip_sharpen", OpOf(&Fx::Sharpen, 2)},
      {"gdip_convolve_edges", OpOf(&Fx::Convolve, edges, 3, 1, 0, -1, -1)},
      {"gdip_fade", OpOf(&Fx::FadeEdge, 25, 15, RGB(255, 255, 255))},
      {"gdip_bevel", OpOf(&Fx::BevelEdge, 10, 0, 0)},
      // The picture as shade over a gray ramp.
      {"gdip_multiply", [&](Fx& fx, Bmp& b) { Fx(fx).MultiplyBlend(ramp.get(), b, 0, 0, fx.cx, fx.cy); }},
      {"gdip_shear", OpOf(&Fx::Shear, 30, 0, RGB(255, 255, 255))},
      {"gdip_perspective_both", OpOf(&Fx::Perspective, 25, -25, RGB(255, 255, 255))},
      {"gdip_rotate30", OpOf(&Fx::RotateByAngle, 30, RGB(255, 255, 255))},
      {"gdip_caption_top", OpOf(&Fx::AddCaption, "Pixolet 12:34", lf, RGB(200, 0, 0), FALSE, FALSE)},
      {"gdip_caption_inside", OpOf(&Fx::AddCaption, "Inside bottom", lf, RGB(0, 0, 0), TRUE, TRUE)}};
  Pixels original;
  for (COLORREF c : commonlib_test::PixelsOf(320, 240, Scene).data)
    original.push_back(Rgb(GetRValue(c), GetGValue(c), GetBValue(c)));
  for (const auto& effect : effects) {
    Outcome o = Apply(original, 320, 240, effect.second);
    EXPECT_EQ(DimsOf(o.fx), DimsOf(o)) << effect.first;
    if (std::string(effect.first) != "gdip_sample")
      EXPECT_NE(original, o.px) << effect.first;
    SaveArtifact(o.bmp.get(), effect.first);
  }
}
