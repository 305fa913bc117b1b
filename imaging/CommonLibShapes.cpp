// Shape paths, shape fills and cut-outs.
#include "imaging/CommonLib.h"

#include "imaging/CommonLibGdi.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

#include <algorithm>
#include <vector>

using namespace commonlib;

namespace {

const int kRoundCorner = 50;

// On Windows 98, 98 SE and ME the ellipse and the rounded rectangle are cut as the plain rectangle.
bool HasCurvedPaths() { return g_nOsVersionCode < 107 || g_nOsVersionCode > 109; }

std::vector<POINT> CopyPoints(const POINT* pPoints, int nCount) {
  if (pPoints == NULL || nCount <= 0)
    return std::vector<POINT>();
  return std::vector<POINT>(pPoints, pPoints + nCount);
}

} // namespace

BOOL CCommonLib::AddRectangleFigure(CDC* pDC, int left, int top, int right, int bottom) {
  POINT pts[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  return pDC->Polygon(pts, 4);
}

void CCommonLib::RemoveCanvasMargin(POINT* pPoints, int nCount) {
  OffsetPoints(pPoints, nCount, g_nCanvasMargin, g_nCanvasMargin);
}

void CCommonLib::OffsetPoints(POINT* pPoints, int nCount, int dx, int dy) {
  for (int i = 0; pPoints != NULL && i < nCount; i++) {
    pPoints[i].x -= dx;
    pPoints[i].y -= dy;
  }
}

BOOL CCommonLib::BuildShapePath(CDC* pDC, ShapeType nShape, const POINT* pPoints, int nCount, int left,
                                int top, int right, int bottom) {
  if (pDC == NULL || !pDC->BeginPath())
    return FALSE;
  BOOL bCurved = HasCurvedPaths();
  // Shapes with their own geometry; every other code is a closed polygon.
  switch (nShape) {
  case ID_CAPTURE_RECTANGLE:
  case ID_TOOL_SELECT_REGION:
  case ID_TOOL_RECT_SELECTION:
    AddRectangleFigure(pDC, left, top, right, bottom);
    break;
  case ID_CAPTURE_CIRCLE:
  case ID_TOOL_CIRCLE_SELECTION:
    if (bCurved)
      pDC->Ellipse(left, top, right, bottom);
    else
      AddRectangleFigure(pDC, left, top, right, bottom);
    break;
  case ID_CAPTURE_ROUND_RECT:
    if (bCurved)
      pDC->RoundRect(left, top, right, bottom, kRoundCorner, kRoundCorner);
    else
      AddRectangleFigure(pDC, left, top, right, bottom);
    break;
  case ID_CAPTURE_MULTI_RECT:
    // The union of the rectangles: each one normalised (they may have been dragged in any
    // direction) gives a figure of the same orientation, and the winding rule keeps every point
    // covered by one or more of them inside, however many overlap there.
    pDC->SetPolyFillMode(WINDING);
    for (int i = 0; pPoints != NULL && i + 1 < nCount; i += 2) {
      CRect rc(pPoints[i].x, pPoints[i].y, pPoints[i + 1].x, pPoints[i + 1].y);
      rc.NormalizeRect();
      AddRectangleFigure(pDC, rc.left, rc.top, rc.right, rc.bottom);
    }
    break;
  default:
    if (pPoints != NULL && nCount > 0)
      pDC->Polygon(pPoints, nCount);
    break;
  }
  return pDC->EndPath();
}

BOOL CCommonLib::FillShape(CDC* pDC, CBitmap* pBitmap, int left, int top, int right, int bottom,
                           const POINT* pPoints, int nCount, ShapeType nShape, COLORREF clr) {
  CRefDC ref(pDC);
  CSurface pic;
  if (!pic.OpenForFill(ref.Get(), pBitmap, clr))
    return FALSE;
  std::vector<POINT> pts = CopyPoints(pPoints, nCount);
  RemoveCanvasMargin(pts.data(), (int)pts.size());
  if (!BuildShapePath(pic.Get(), nShape, pts.data(), (int)pts.size(), left, top, right, bottom))
    return FALSE;
  return pic->FillPath();
}

BOOL CCommonLib::CutBitmapToShape(CDC* pDC, CBitmap* pCut, CBitmap* pMask, CBitmap* pSource, int left,
                                  int top, int right, int bottom, const POINT* pPoints, int nCount,
                                  ShapeType nShape, int /*nUnused*/) {
  if (pCut == NULL || pMask == NULL || pSource == NULL || pSource->GetSafeHandle() == NULL)
    return FALSE;
  int w = right - left, h = bottom - top;
  CSize source = BitmapSize(pSource);
  if (left < 0 || top < 0 || w <= 0 || h <= 0 || left + w > source.cx || top + h > source.cy)
    return FALSE;

  CRefDC ref(pDC);
  // The work runs in its own scope so that every selection is undone before a failed result is
  // deleted.
  BOOL bMade = [&]() -> BOOL {
    // The cut-out starts as the shape in black on white.
    if (!CreateFilledBitmap(ref.Get(), *pCut, w, h, RGB(255, 255, 255)))
      return FALSE;
    CBrush black;
    if (!black.CreateSolidBrush(RGB(0, 0, 0)))
      return FALSE;
    CSurface cut;
    if (!cut.Open(ref.Get(), pCut) || !cut.SelectBrush(black.GetSafeHandle()))
      return FALSE;

    // Capture shapes come in picture coordinates; the selections' points carry the canvas margin.
    std::vector<POINT> pts = CopyPoints(pPoints, nCount);
    if (nShape != ID_CAPTURE_POLYGON && nShape != ID_CAPTURE_FREEHAND && nShape != ID_CAPTURE_MULTI_RECT)
      RemoveCanvasMargin(pts.data(), (int)pts.size());
    OffsetPoints(pts.data(), (int)pts.size(), left, top);
    if (!BuildShapePath(cut.Get(), nShape, pts.data(), (int)pts.size(), 0, 0, w, h) || !cut->FillPath())
      return FALSE;

    // The mask is the inverse: white where the picture is kept.
    if (pMask->GetSafeHandle() != NULL)
      pMask->DeleteObject();
    if (!pMask->CreateCompatibleBitmap(ref.Get(), w, h))
      return FALSE;
    CSurface mask, src;
    if (!mask.Open(ref.Get(), pMask) || !mask->BitBlt(0, 0, w, h, cut.Get(), 0, 0, NOTSRCCOPY))
      return FALSE;
    // Black OR picture inside the shape, white OR picture (white) outside.
    return src.Open(ref.Get(), pSource) && cut->BitBlt(0, 0, w, h, src.Get(), left, top, SRCPAINT);
  }();
  if (!bMade) {
    pCut->DeleteObject();
    pMask->DeleteObject();
    return FALSE;
  }
  return TRUE;
}
