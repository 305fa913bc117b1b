// Canvas conversions: snapping to picture pixels, scaling around the margin, rectangles between
// zooms.
#include "editor/CanvasCoords.h"
#include "tests/unit/editor/editor_harness.h"

TEST(CanvasCoords, RescaleRectKeepsTheMarginAndScalesDistances) {
  g_nCanvasMargin = 8;
  const Rows<CRect, float, float, CRect> rows = {
      {{8, 8, 208, 108}, 1.0f, 2.0f, {8, 8, 108, 58}}, {{28, 48, 68, 88}, 1.0f, 2.0f, {18, 28, 38, 48}},
      {{9, 9, 12, 12}, 1.0f, 2.0f, {9, 9, 11, 11}},    {{18, 28, 38, 48}, 2.0f, 1.0f, {28, 48, 68, 88}},
      {{10, 12, 30, 40}, 0.25f, 1.0f, {9, 9, 14, 16}}, {{0, 4, 40, 24}, 4.0f, 1.0f, {-24, -8, 136, 72}},
      {{20, 20, 60, 40}, 1.0f, 1.0f, {20, 20, 60, 40}}};
  for (auto [rect, fTo, fFrom, expected] : rows) {
    EXPECT_EQ(expected, CRect(RescaleRect(rect, fTo, fFrom))) << fTo << "/" << fFrom;
    if (fTo >= fFrom) // no pixel is lost on the way up, so the way back restores the rectangle
      EXPECT_EQ(rect, CRect(RescaleRect(expected, fFrom, fTo))) << fTo << "/" << fFrom;
  }
}

TEST(CanvasCoords, PointsSnapAndScaleAroundTheMargin) {
  g_nCanvasMargin = 8;
  // A zoom pair (t, 0) snaps at t; (t, s) scales from s to t. Each row also as a one-point array.
  const Rows<CPoint, float, float, CPoint> rows = {
      {{8, 8}, 2.0f, 0, {8, 8}},     {{9, 10}, 2.0f, 0, {10, 10}},  {{11, 5}, 2.0f, 0, {12, 6}},
      {{13, 14}, 4.0f, 0, {12, 16}}, {{9, 10}, 0.25f, 0, {9, 10}},  {{28, 18}, 1.0f, 2.0f, {18, 13}},
      {{4, 9}, 2.0f, 1.0f, {0, 10}}, {{11, 8}, 0.5f, 1.0f, {10, 8}}};
  for (auto [pt, fTo, fFrom, expected] : rows) {
    POINT got[2] = {pt, pt};
    fFrom == 0 ? SnapToGrid(got[0], fTo) : ScaleAroundMargin(got[0], fTo, fFrom);
    fFrom == 0 ? SnapToGrid(&got[1], 1, fTo) : ScaleAroundMargin(&got[1], 1, fTo, fFrom);
    EXPECT_EQ(expected, CPoint(got[0])) << pt.x << "," << pt.y << " " << fTo << "/" << fFrom;
    EXPECT_EQ(expected, CPoint(got[1])) << pt.x << "," << pt.y << " " << fTo << "/" << fFrom;
  }
}
