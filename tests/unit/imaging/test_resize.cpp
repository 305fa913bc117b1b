// Scaling a picture: the blend from locked bits against the GDI+ drawing it stands in for.
#include "imaging/Resize.h"
#include "tests/common/import_patch.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <sstream>

using namespace gdiptest;

namespace {

struct ResizeCase {
  int cx, cy, toCx, toCy;
};

// Sizes from a single pixel to a few hundred, odd and even, up and down by whole and uneven
// factors, and one side up while the other goes down.
const ResizeCase kCases[] = {
    {1, 1, 1, 1},        {1, 1, 5, 4},       {2, 3, 1, 1},         {2, 3, 7, 9},       {3, 2, 2, 1},
    {13, 10, 29, 23},    {13, 10, 6, 4},     {64, 48, 32, 24},     {64, 48, 128, 96},  {101, 77, 50, 38},
    {101, 77, 202, 154}, {37, 300, 300, 37}, {300, 200, 173, 311}, {250, 91, 125, 45}, {17, 19, 17, 19}};

// Where two pictures of one size first differ, or "" when they are the same.
std::string FirstDifference(const Pixels& a, const Pixels& b, int cx) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) {
      std::ostringstream s;
      s << "at " << i % cx << "," << i / cx << ": " << std::hex << a[i] << " vs " << b[i];
      return s.str();
    }
  return a.size() == b.size() ? "" : "sizes differ";
}

} // namespace

// Every case from a picture with all kinds of alpha, an opaque one, and the same noise without
// alpha in the formats the editor and the file loader hand over.
TEST(Resize, BlendGivesTheDrawnPixelsInBothModes) {
  const std::pair<bool, Gdiplus::PixelFormat> sources[] = {{true, PixelFormat32bppARGB},
                                                           {false, PixelFormat32bppARGB},
                                                           {true, PixelFormat32bppRGB},
                                                           {true, PixelFormat24bppRGB},
                                                           {true, PixelFormat32bppPARGB}};
  for (bool smooth : {false, true}) {
    EXPECT_TRUE(ResizeMatchesDrawing(smooth)) << "smooth " << smooth;
    for (const ResizeCase& c : kCases) {
      for (const auto& [variedAlpha, format] : sources) {
        BitmapPtr argb = FromPixels(c.cx, c.cy, RandomPixels(c.cx, c.cy, 7 + c.cx, variedAlpha));
        BitmapPtr src(argb->Clone(0, 0, c.cx, c.cy, format));
        BitmapPtr drawn(ResizeByDrawing(src.get(), c.toCx, c.toCy, smooth));
        BitmapPtr ours(ResizePicture(src.get(), c.toCx, c.toCy, smooth));
        ASSERT_TRUE(drawn && ours);
        ASSERT_EQ(Dims(c.toCx, c.toCy), Dims(Width(ours.get()), Height(ours.get())));
        EXPECT_EQ("", FirstDifference(ReadPixels(drawn.get()), ReadPixels(ours.get()), c.toCx))
            << c.cx << "x" << c.cy << " to " << c.toCx << "x" << c.toCy << " smooth " << smooth << " format "
            << std::hex << format << " alpha " << variedAlpha;
      }
    }
  }
}

namespace {
Gdiplus::GpStatus WINGDIPAPI NearestInstead(Gdiplus::GpGraphics* pGraphics, Gdiplus::InterpolationMode) {
  static auto pSet = reinterpret_cast<decltype(&NearestInstead)>(
      ::GetProcAddress(::GetModuleHandleA("gdiplus.dll"), "GdipSetInterpolationMode"));
  return pSet(pGraphics, Gdiplus::InterpolationModeNearestNeighbor);
}
} // namespace

// A platform whose smooth drawing is another filter keeps the drawing for that mode only.
TEST(Resize, AProbeRefusesADrawingOfOtherPixels) {
  CImportPatch patch("gdiplus.dll", "GdipSetInterpolationMode", (FARPROC)&NearestInstead);
  ASSERT_TRUE(patch.Applied());
  EXPECT_FALSE(ResizeProbeMatches(true));
  EXPECT_TRUE(ResizeProbeMatches(false));
}
