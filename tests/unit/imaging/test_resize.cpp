// Scaling a picture: the blend from locked bits against the GDI+ drawing it stands in for.
#include "imaging/Resize.h"
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

TEST(Resize, BlendGivesTheDrawnPixelsInBothModes) {
  for (bool smooth : {false, true}) {
    EXPECT_TRUE(ResizeMatchesDrawing(smooth)) << "smooth " << smooth;
    for (const ResizeCase& c : kCases) {
      for (bool variedAlpha : {false, true}) {
        BitmapPtr src = FromPixels(c.cx, c.cy, RandomPixels(c.cx, c.cy, 7 + c.cx, variedAlpha));
        BitmapPtr drawn(ResizeByDrawing(src.get(), c.toCx, c.toCy, smooth));
        BitmapPtr ours(ResizeBilinear(src.get(), c.toCx, c.toCy));
        ASSERT_TRUE(drawn && ours);
        ASSERT_EQ(Dims(c.toCx, c.toCy), Dims(Width(ours.get()), Height(ours.get())));
        EXPECT_EQ("", FirstDifference(ReadPixels(drawn.get()), ReadPixels(ours.get()), c.toCx))
            << c.cx << "x" << c.cy << " to " << c.toCx << "x" << c.toCy << " smooth " << smooth << " alpha "
            << variedAlpha;
      }
    }
  }
}
