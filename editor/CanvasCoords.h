// Conversions between the canvas at one zoom and at another. The canvas margin (g_nCanvasMargin)
// is never scaled: picture pixel (x, y) lies at (m + x * zoom, m + y * zoom).
#pragma once

#include <windows.h>

// Each coordinate to the nearest whole picture pixel at fZoom.
void SnapToGrid(POINT& pt, float fZoom);
void SnapToGrid(POINT* pPoints, int nCount, float fZoom);
// Each coordinate c := MulDiv(c - m, int(fTo * 100), int(fFrom * 100)) + m.
void ScaleAroundMargin(POINT& pt, float fTo, float fFrom);
void ScaleAroundMargin(POINT* pPoints, int nCount, float fTo, float fFrom);
// The top-left corner as ScaleAroundMargin, width and height scaled by the same factor.
RECT RescaleRect(const RECT& rect, float fTo, float fFrom);
