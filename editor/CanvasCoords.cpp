// Canvas conversions between zoom factors; the margin stays unscaled.
#include "editor/CanvasCoords.h"

#include "imaging/Globals.h"

namespace {

// The same float steps as SnapRectToZoom (reciprocal in single precision, the rounding offset in
// double), so points and rectangles snapped at one zoom land on the same pixels.
LONG SnapCoord(LONG c, float fZoom) {
  const int m = g_nCanvasMargin;
  int nPixel = (int)((c - m) * (1 / fZoom) + 0.5);
  return (LONG)(nPixel * fZoom) + m;
}

int Percent(float fZoom) { return (int)(fZoom * 100); }

LONG ScaleCoord(LONG c, int nTo, int nFrom) {
  return ::MulDiv(c - g_nCanvasMargin, nTo, nFrom) + g_nCanvasMargin;
}

} // namespace

void SnapToGrid(POINT& pt, float fZoom) {
  pt.x = SnapCoord(pt.x, fZoom);
  pt.y = SnapCoord(pt.y, fZoom);
}

void SnapToGrid(POINT* pPoints, int nCount, float fZoom) {
  for (int i = 0; i < nCount; ++i)
    SnapToGrid(pPoints[i], fZoom);
}

void ScaleAroundMargin(POINT& pt, float fTo, float fFrom) {
  const int nTo = Percent(fTo), nFrom = Percent(fFrom);
  pt.x = ScaleCoord(pt.x, nTo, nFrom);
  pt.y = ScaleCoord(pt.y, nTo, nFrom);
}

void ScaleAroundMargin(POINT* pPoints, int nCount, float fTo, float fFrom) {
  for (int i = 0; i < nCount; ++i)
    ScaleAroundMargin(pPoints[i], fTo, fFrom);
}

RECT RescaleRect(const RECT& rect, float fTo, float fFrom) {
  const int nTo = Percent(fTo), nFrom = Percent(fFrom);
  RECT result;
  result.left = ScaleCoord(rect.left, nTo, nFrom);
  result.top = ScaleCoord(rect.top, nTo, nFrom);
  result.right = result.left + ::MulDiv(rect.right - rect.left, nTo, nFrom);
  result.bottom = result.top + ::MulDiv(rect.bottom - rect.top, nTo, nFrom);
  return result;
}
