// Device-context output: lines, shapes, paths, fills, blits, text and printing. Output goes to m_hDC;
// text measurement asks the attribute DC.
#include "framework/gdi/fw_gdi.h"
#include "framework/gdi/gdimaps.h"

#include <memory>

namespace {

// The frame between a rectangle and the rectangle shrunk by size.
void CreateRingRgn(CRgn& rgn, LPCRECT lpRect, SIZE size) {
  CRect rectInside(lpRect);
  rectInside.InflateRect(-size.cx, -size.cy);
  rectInside.IntersectRect(rectInside, lpRect);
  CRgn rgnOutside, rgnInside;
  if (!rgnOutside.CreateRectRgnIndirect(lpRect) || !rgnInside.CreateRectRgnIndirect(rectInside) ||
      !rgn.CreateRectRgn(0, 0, 0, 0))
    AfxThrowResourceException();
  rgn.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Lines and shapes

CPoint CDC::GetCurrentPosition() const {
  CPoint point;
  ::GetCurrentPositionEx(m_hAttribDC, &point);
  return point;
}

// The current position is state: both DCs follow it.
CPoint CDC::MoveTo(int x, int y) {
  CPoint point;
  if (m_hDC != NULL && m_hDC != m_hAttribDC)
    ::MoveToEx(m_hDC, x, y, &point);
  if (m_hAttribDC != NULL)
    ::MoveToEx(m_hAttribDC, x, y, &point);
  return point;
}

BOOL CDC::LineTo(int x, int y) {
  if (m_hAttribDC != NULL && m_hDC != m_hAttribDC)
    ::MoveToEx(m_hAttribDC, x, y, NULL);
  return ::LineTo(m_hDC, x, y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
  return Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
             ptEnd.y);
}

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
  return Chord(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
               ptEnd.y);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd) {
  return Pie(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x,
             ptEnd.y);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount) { return ::PolyBezier(m_hDC, lpPoints, nCount); }

BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) {
  return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }

BOOL CDC::Rectangle(LPCRECT lpRect) {
  return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point) {
  return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }

BOOL CDC::Ellipse(LPCRECT lpRect) {
  return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

// ---------------------------------------------------------------------------------------------
// Paths

BOOL CDC::BeginPath() { return ::BeginPath(m_hDC); }
BOOL CDC::EndPath() { return ::EndPath(m_hDC); }
BOOL CDC::AbortPath() { return ::AbortPath(m_hDC); }
BOOL CDC::CloseFigure() { return ::CloseFigure(m_hDC); }
BOOL CDC::FillPath() { return ::FillPath(m_hDC); }
BOOL CDC::StrokePath() { return ::StrokePath(m_hDC); }
BOOL CDC::StrokeAndFillPath() { return ::StrokeAndFillPath(m_hDC); }
BOOL CDC::WidenPath() { return ::WidenPath(m_hDC); }
BOOL CDC::FlattenPath() { return ::FlattenPath(m_hDC); }

BOOL CDC::SelectClipPath(int nMode) {
  // The path lives in the output DC; the attribute DC gets a copy of the resulting clip region.
  if (!::SelectClipPath(m_hDC, nMode))
    return FALSE;
  if (m_hAttribDC == NULL || m_hAttribDC == m_hDC)
    return TRUE;
  CRgn rgn;
  if (!rgn.CreateRectRgn(0, 0, 0, 0))
    return FALSE;
  return ::GetClipRgn(m_hDC, rgn) >= 0 && ::SelectClipRgn(m_hAttribDC, rgn) != ERROR;
}

// ---------------------------------------------------------------------------------------------
// Fills, regions and frames

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, BrushOf(pBrush)); }

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, BrushOf(pBrush)); }

void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(m_hDC, RgnOf(pRgn), BrushOf(pBrush)); }

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  return ::FrameRgn(m_hDC, RgnOf(pRgn), BrushOf(pBrush), nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, RgnOf(pRgn)); }

BOOL CDC::PaintRgn(CRgn* pRgn) { return ::PaintRgn(m_hDC, RgnOf(pRgn)); }

// The opaque rectangle of an empty text output is the cheapest solid fill GDI has. Painters rely on the
// background colour staying set afterwards.
void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor) {
  CRect rect(lpRect);
  rect.NormalizeRect();
  ::SetBkColor(m_hDC, crColor);
  ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) {
  CRect rect(x, y, x + cx, y + cy);
  FillSolidRect(&rect, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
             clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast) {
  if (pBrush == NULL)
    pBrush = GetHalftoneBrush();
  if (pBrushLast == NULL)
    pBrushLast = pBrush;

  auto invertRgn = [this](CRgn* pRgn, CBrush* pInvertBrush) {
    SelectClipRgn(pRgn);
    CRect rect;
    GetClipBox(&rect);
    CBrush* pOldBrush = SelectObject(pInvertBrush);
    PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    SelectObject(pOldBrush);
  };

  CRgn rgnNew;
  CreateRingRgn(rgnNew, lpRect, size);
  if (lpRectLast != NULL) {
    CRgn rgnLast;
    CreateRingRgn(rgnLast, lpRectLast, sizeLast);
    if (pBrushLast->m_hObject == pBrush->m_hObject)
      rgnNew.CombineRgn(&rgnNew, &rgnLast, RGN_XOR); // pixels in both rings would flip twice: skip them
    else
      invertRgn(&rgnLast, pBrushLast);
  }
  invertRgn(&rgnNew, pBrush);
  SelectClipRgn(NULL);
}

CBrush* CDC::GetHalftoneBrush() {
  // Never destroyed: drag loops may run from objects that outlive the program's main part.
  static CBrush* const pHalftoneBrush = [] {
    static const WORD kRows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}; // word-aligned scan lines
    CBitmap pattern;
    auto pBrush = std::make_unique<CBrush>();
    if (!pattern.CreateBitmap(8, 8, 1, 1, kRows) || !pBrush->CreatePatternBrush(&pattern))
      AfxThrowResourceException();
    return pBrush.release();
  }();
  return pHalftoneBrush;
}

void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) {
  return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
  return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy,
                      nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush) {
  return DrawState(pt, size, BitmapOf(pBitmap), nFlags, BrushOf(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush) {
  return DrawState(pt, size, hIcon, nFlags, BrushOf(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, NULL, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y, size.cx, size.cy,
                      nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                    CBrush* pBrush) {
  return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, BrushOf(pBrush));
}

BOOL CDC::DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
                    HBRUSH hBrush) {
  return ::DrawStateA(m_hDC, hBrush, lpDrawProc, lData, 0, pt.x, pt.y, size.cx, size.cy,
                      nFlags | DST_COMPLEX);
}

// ---------------------------------------------------------------------------------------------
// Bitmaps and pixels

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
  return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
  return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
  return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, nSrcWidth, nSrcHeight,
                      dwRop);
}

BOOL CDC::MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& maskBitmap,
                  int xMask, int yMask, DWORD dwRop) {
  return ::MaskBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, maskBitmap, xMask, yMask,
                   dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc,
                         int ySrc, int nSrcWidth, int nSrcHeight, UINT clrTransparent) {
  return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
                          nSrcWidth, nSrcHeight, clrTransparent);
}

BOOL CDC::AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend) {
  return ::AlphaBlend(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc,
                      nSrcWidth, nSrcHeight, blend);
}

COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor) { return ::SetPixelV(m_hDC, x, y, crColor); }

BOOL CDC::FloodFill(int x, int y, COLORREF crColor) { return ::FloodFill(m_hDC, x, y, crColor); }

BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType) {
  return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType);
}

CPoint CDC::GetBrushOrg() const {
  CPoint point;
  ::GetBrushOrgEx(m_hDC, &point);
  return point;
}

CPoint CDC::SetBrushOrg(int x, int y) {
  CPoint point;
  ::SetBrushOrgEx(m_hDC, x, y, &point);
  return point;
}

// ---------------------------------------------------------------------------------------------
// Text

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount) {
  return ::TextOutA(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                     LPINT lpDxWidths) {
  return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
  return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
  CSize size;
  ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
  return size;
}

CSize CDC::GetOutputTextExtent(LPCSTR lpszString, int nCount) const {
  CSize size;
  ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
  return size;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hAttribDC, lpMetrics); }

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }

int CDC::GetTextFace(int nCount, LPSTR lpszFacename) const {
  return ::GetTextFaceA(m_hAttribDC, nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const {
  int nLen = ::GetTextFaceA(m_hAttribDC, 0, NULL); // includes the terminator
  if (nLen <= 0) {
    rString.Empty();
    return 0;
  }
  int nResult = ::GetTextFaceA(m_hAttribDC, nLen, rString.GetBuffer(nLen));
  rString.ReleaseBuffer();
  return nResult;
}

// ---------------------------------------------------------------------------------------------
// Printing

int CDC::StartDoc(LPDOCINFOA lpDocInfo) { return ::StartDocA(m_hDC, lpDocInfo); }

int CDC::StartDoc(LPCSTR lpszDocName) {
  DOCINFOA di = {};
  di.cbSize = sizeof(di);
  di.lpszDocName = lpszDocName;
  return StartDoc(&di);
}

int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int)) { return ::SetAbortProc(m_hDC, lpfn); }
