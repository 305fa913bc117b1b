// GDI bitmap operations of the capture, the document and the view: copies, XOR differences,
// highlighter and flood fill, shape paths and cut-outs, pattern edges, borders and shadows.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"

// Shape code of a cut-out or fill: the capture command or the selection tool that drew it.
typedef int ShapeType;

// Snaps every coordinate of a rectangle drawn at `fZoom` to whole picture pixels (no margin).
void SnapRectToZoom(RECT& rect, float fZoom);

// A stateless collection of operations on device-dependent bitmaps. It is a window class only by
// descent and is never created as a window: callers make one on the stack. Pictures are
// compatible with the DC passed in (the display when it is NULL). Operations that change a
// picture's size put the new bitmap into the CBitmap object they were given.
class CCommonLib : public CWnd {
  DECLARE_DYNAMIC(CCommonLib)
public:
  CCommonLib();
  ~CCommonLib() override;

  // FALSE makes the pattern edges with drop shadow and the shadow edge take the road through
  // whole-size GDI bitmaps and blits, as on displays of other depths; the pixels are the same.
  BOOL m_bPixelRoads = TRUE;

  // --- Copies and differences -------------------------------------------------------------

  // A new bitmap (owned by the caller) of nWidth x nHeight holding the source's area from (x, y);
  // white where that area leaves the source. NULL on failure.
  CBitmap* CopyBitmapRect(CDC* pDC, CBitmap* pSource, int x, int y, int nWidth, int nHeight);
  // A new bitmap of the same size and colour format with a copy of the picture; NULL on failure.
  static HBITMAP DuplicateBitmap(HBITMAP hSource);
  // A new bitmap (owned by the caller) as large as the larger of the two: the first picture at
  // (x, y) on black, XOR-ed with the second at (0, 0). NULL on failure.
  CBitmap* XorBitmaps(CDC* pDC, CBitmap* pFirst, CBitmap* pSecond, int x, int y);
  // Highlighter: every pixel of the rectangle becomes picture AND colour.
  BOOL HighlightRect(CDC* pDC, CBitmap* pBitmap, int left, int top, int right, int bottom, COLORREF clr);
  // Fills the four-connected area of the colour found at (x, y) with the colour; FALSE when (x, y)
  // lies off the picture or the picture cannot be reached.
  BOOL FloodFillBitmap(CDC* pDC, CBitmap* pBitmap, int x, int y, COLORREF clr);

  // --- Shapes -----------------------------------------------------------------------------

  // Builds the shape as the DC's path (BeginPath ... EndPath). Several rectangles (32792) are
  // normalised and united under the WINDING fill mode, which this call leaves set on the DC.
  BOOL BuildShapePath(CDC* pDC, ShapeType nShape, const POINT* pPoints, int nCount, int left, int top,
                      int right, int bottom);
  // One closed figure (left, top), (right, top), (right, bottom), (left, bottom).
  BOOL AddRectangleFigure(CDC* pDC, int left, int top, int right, int bottom);
  static void RemoveCanvasMargin(POINT* pPoints, int nCount);
  // Subtracts (dx, dy) from every point.
  static void OffsetPoints(POINT* pPoints, int nCount, int dx, int dy);
  // Fills the shape on the picture. The rectangle is in picture coordinates, the points in canvas
  // coordinates.
  BOOL FillShape(CDC* pDC, CBitmap* pBitmap, int left, int top, int right, int bottom, const POINT* pPoints,
                 int nCount, ShapeType nShape, COLORREF clr);
  // Cuts the source's rectangle to the shape: pCut receives the picture inside the shape on white,
  // pMask white inside the shape and black outside. FALSE when the rectangle leaves the source
  // (both outputs untouched) or a GDI object cannot be made (both outputs deleted). The last
  // argument is accepted for the callers that pass one and is not used.
  BOOL CutBitmapToShape(CDC* pDC, CBitmap* pCut, CBitmap* pMask, CBitmap* pSource, int left, int top,
                        int right, int bottom, const POINT* pPoints, int nCount, ShapeType nShape,
                        int nUnused = 0);

  // --- Edge effects -----------------------------------------------------------------------

  // Torn (2002), saw (2003), shark (2004) or wave (2005) edge on the chosen sides (1 left, 2 top,
  // 4 right, 8 bottom), optionally with a drop shadow that enlarges the picture by |dx| + 6 and
  // |dy| + 6. The second colour, second value and shadow opacity are not used. A side too short
  // for one tooth of its pattern is left as it is. FALSE when the picture is missing, the task id
  // is unknown or a GDI object cannot be made; TRUE otherwise, also when the size leaves nothing
  // to do. With the drop shadow a 32-bit picture is replaced by a 32-bit DIB section.
  BOOL EdgeEffect(CDC* pDC, CBitmap* pBitmap, int nTaskId, int nSize, int nSides, COLORREF clrBack,
                  COLORREF clrSecond, int nSecondValue, BOOL bDropShadow, COLORREF clrShadow,
                  int nShadowOpacity, int nShadowX, int nShadowY, int nSoftness);
  // Plain or three-dimensional (flag 2) frame of width nSize, inside the picture or around it
  // (flag 1). A size of 0 draws nothing.
  BOOL BorderEffect(CDC* pDC, CBitmap* pBitmap, int nSize, int nPercent, int nFlags, COLORREF clrMain,
                    COLORREF clrHighlight, COLORREF clrShadow);
  // Enlarges the picture by nSize to the right and bottom and casts a soft shadow there.
  BOOL ShadowEffect(CDC* pDC, CBitmap* pBitmap, int nSize, int nFlags, COLORREF clrShadow, COLORREF clrBack);

protected:
  // Pattern routines: fill the cut-away part of each chosen side on pP and, with the drop shadow,
  // on pS and pK, each DC with its brush already selected.
  void TornEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow);
  void SawEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow);
  void SharkEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow);
  void WaveEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow);
};
