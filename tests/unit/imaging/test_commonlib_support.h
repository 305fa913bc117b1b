// Helpers of the GDI bitmap operation tests: display-compatible pictures made from a pixel
// function, pixels read back, and PNG artifacts.
#pragma once

#include "framework/fw.h"

#include <functional>
#include <string>
#include <vector>

namespace commonlib_test {

// A DC of the display; pictures are made compatible with it, as the program's view DC would.
class DisplayDC {
public:
  DisplayDC() { m_dc.CreateDC("DISPLAY", NULL, NULL, NULL); }
  CDC* Get() { return &m_dc; }

private:
  CDC m_dc;
};

// The pixels of a bitmap, top row first, as COLORREF values.
struct Pixels {
  int cx = 0;
  int cy = 0;
  std::vector<COLORREF> data;

  COLORREF At(int x, int y) const { return data[(size_t)y * cx + x]; }
  bool operator==(const Pixels& other) const {
    return cx == other.cx && cy == other.cy && data == other.data;
  }
  bool operator!=(const Pixels& other) const { return !(*this == other); }
};

// A w x h display-compatible bitmap whose pixel (x, y) is fn(x, y).
void MakePicture(CDC* pDC, CBitmap& bitmap, int w, int h, const std::function<COLORREF(int, int)>& fn);
// A w x h picture of one colour.
void MakeSolid(CDC* pDC, CBitmap& bitmap, int w, int h, COLORREF clr);
// A picture with no white pixel in it, distinct from pixel to pixel.
COLORREF PatternColor(int x, int y);

Pixels ReadPixels(CDC* pDC, HBITMAP hBitmap);
inline Pixels ReadPixels(CDC* pDC, CBitmap& bitmap) {
  return ReadPixels(pDC, (HBITMAP)bitmap.GetSafeHandle());
}

// Depth of the cut-away band on the left side at row y: the number of leading pixels of clrBack.
int LeadingRun(const Pixels& px, int y, COLORREF clrBack);

// Writes the bitmap as <artifacts>/<name> (PIX_ARTIFACTS, a Unix path, seen through drive Z: under
// Wine). Returns the Windows path written, empty on failure.
std::string SavePng(HBITMAP hBitmap, const char* pszName);

} // namespace commonlib_test
