// The image-rectangle, selection and text-box trackers, and the cursor choice of all four.
#include "editor/Trackers.h"

#include "editor/CanvasCoords.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

namespace {

// The outline pen of selections and text boxes: dotted, drawn inverted so it shows on any picture.
// Selected for the object's lifetime; pen, raster operation and brush are put back afterwards.
class CInvertedDottedPen {
public:
  explicit CInvertedDottedPen(CDC* pDC) : m_pDC(pDC) {
    if (m_pen.CreatePen(PS_DOT, 1, RGB(0, 0, 0)))
      m_hOldPen = m_pDC->SelectObject(m_pen.m_hObject);
    m_nOldRop = m_pDC->SetROP2(R2_NOTCOPYPEN);
    m_hOldBrush = m_pDC->SelectObject(::GetStockObject(HOLLOW_BRUSH));
  }
  ~CInvertedDottedPen() {
    if (m_hOldPen != NULL)
      m_pDC->SelectObject(m_hOldPen);
    if (m_nOldRop != 0)
      m_pDC->SetROP2(m_nOldRop);
    if (m_hOldBrush != NULL)
      m_pDC->SelectObject(m_hOldBrush);
  }
  CInvertedDottedPen(const CInvertedDottedPen&) = delete;
  CInvertedDottedPen& operator=(const CInvertedDottedPen&) = delete;

private:
  CDC* m_pDC;
  CPen m_pen; // declared before the selection it outlives
  HGDIOBJ m_hOldPen = NULL;
  int m_nOldRop = 0;
  HGDIOBJ m_hOldBrush = NULL;
};

// A logical rectangle in the device pixels the framework tracker draws in, and the DC put into
// text mode as the trackers' drawing expects.
CRect ToDevice(CDC* pDC, const CRect& rectLogical) {
  CRect rect = rectLogical;
  pDC->LPtoDP(&rect);
  rect.NormalizeRect();
  pDC->SetMapMode(MM_TEXT);
  return rect;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Cursor choice

BOOL TrackerCursorPoint(CWnd* pWnd, UINT nHitTest, CSize offset, CPoint* pPoint) {
  if (nHitTest != HTCLIENT || pWnd->GetSafeHwnd() == NULL || !::GetCursorPos(pPoint))
    return FALSE;
  pWnd->ScreenToClient(pPoint);
  *pPoint += offset;
  return TRUE;
}

BOOL SetTrackerCursor(const CRectTracker& tracker, int nHandle, CPoint point, BOOL bMovable) {
  if (nHandle == CRectTracker::hitNothing)
    return FALSE;
  LPCSTR idCursor = NULL;
  switch (tracker.NormalizeHit(nHandle)) {
  case CRectTracker::hitTopLeft:
  case CRectTracker::hitBottomRight:
    idCursor = IDC_SIZENWSE;
    break;
  case CRectTracker::hitTopRight:
  case CRectTracker::hitBottomLeft:
    idCursor = IDC_SIZENESW;
    break;
  case CRectTracker::hitTop:
  case CRectTracker::hitBottom:
    idCursor = IDC_SIZENS;
    break;
  case CRectTracker::hitRight:
  case CRectTracker::hitLeft:
    idCursor = IDC_SIZEWE;
    break;
  default: {
    CRect rect = tracker.m_rect;
    rect.NormalizeRect();
    // The hatched border around the rectangle keeps whatever cursor is shown.
    if (!rect.PtInRect(point) && (tracker.m_nStyle & CRectTracker::hatchedBorder))
      return TRUE;
    if (!bMovable)
      return FALSE;
    idCursor = IDC_SIZEALL;
  }
  }
  ::SetCursor(::LoadCursorA(NULL, idCursor));
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// CShapeTracker

CShapeTracker::CShapeTracker() : m_bMovable(FALSE) {}

CShapeTracker::CShapeTracker(LPCRECT lpSrcRect, UINT nStyle)
    : CRectTracker(lpSrcRect, nStyle), m_bMovable(FALSE) {
  if (lpSrcRect != NULL)
    m_rectImage = *lpSrcRect;
}

void CShapeTracker::Draw(CDC* pDC, float fZoom, int nScrollX, int nScrollY) {
  m_rect = ToDevice(pDC, RescaleRect(m_rectImage, fZoom, 1.0f));
  if (!m_bMovable) {
    // Resized only: the frame stays on the picture's top-left corner on the screen.
    m_rect.OffsetRect(g_nCanvasMargin - nScrollX - m_rect.left, g_nCanvasMargin - nScrollY - m_rect.top);
  } else if (m_rect.IsRectEmpty()) {
    return;
  }
  CRectTracker::Draw(pDC);
}

BOOL CShapeTracker::SetCursor(CWnd* pWnd, UINT nHitTest) {
  CPoint point;
  return TrackerCursorPoint(pWnd, nHitTest, CSize(0, 0), &point) &&
         SetTrackerCursor(*this, HitTestHandles(point), point, m_bMovable);
}

// ---------------------------------------------------------------------------------------------
// CSelectionTracker

CSelectionTracker::CSelectionTracker() : m_bMovable(FALSE), m_nPoints(0) {}

void CSelectionTracker::SetPolygon(const POINT* pPoints, int n) {
  FreePoints();
  if (pPoints == NULL || n <= 0)
    return;
  m_pPoints.assign(pPoints, pPoints + n);
  m_nPoints = n;
}

void CSelectionTracker::Reset() {
  m_rect.SetRectEmpty();
  m_rectLogical.SetRectEmpty();
}

void CSelectionTracker::FreePoints() {
  m_pPoints.clear();
  m_nPoints = 0;
}

void CSelectionTracker::Draw(CDC* pDC, int /*nUnused*/, int nOffsetX, int nOffsetY, int nToolId) {
  m_rect = ToDevice(pDC, m_rectLogical);
  CInvertedDottedPen pen(pDC);
  if (m_nPoints >= 2) {
    // A polygon or free selection: its outline only, without handles.
    std::vector<POINT> points = m_pPoints;
    for (POINT& pt : points) {
      pt.x += nOffsetX;
      pt.y += nOffsetY;
    }
    pDC->Polyline(points.data(), (int)points.size());
    return;
  }
  if (m_bMovable && m_rect.IsRectEmpty())
    return;
  CRectTracker::Draw(pDC);
  if (nToolId == ID_TOOL_CIRCLE_SELECTION) {
    CRect rect = m_rect;
    rect.OffsetRect(nOffsetX, nOffsetY);
    pDC->Ellipse(rect);
  }
}

BOOL CSelectionTracker::SetCursor(CWnd* pWnd, UINT nHitTest) {
  CPoint point;
  return TrackerCursorPoint(pWnd, nHitTest, CSize(0, 0), &point) &&
         SetTrackerCursor(*this, HitTestHandles(point), point, m_bMovable);
}

// ---------------------------------------------------------------------------------------------
// CTextBoxTracker

CTextBoxTracker::CTextBoxTracker() {}

void CTextBoxTracker::SetBox(int left, int top, int right, int bottom) {
  m_rect.SetRect(left, top, right, bottom);
  m_rectLogical = m_rect;
}

void CTextBoxTracker::Reset() {
  m_rect.SetRectEmpty();
  m_rectLogical.SetRectEmpty();
}

void CTextBoxTracker::Draw(CDC* pDC, int /*nUnused*/, int nOffsetX, int nOffsetY) {
  m_rectLogical.OffsetRect(nOffsetX, nOffsetY);
  m_rect = ToDevice(pDC, m_rectLogical);
  CInvertedDottedPen pen(pDC);
  if (!m_rect.IsRectEmpty())
    CRectTracker::Draw(pDC);
}

BOOL CTextBoxTracker::SetCursor(CWnd* pWnd, UINT nHitTest) {
  CPoint point;
  return TrackerCursorPoint(pWnd, nHitTest, CSize(0, 0), &point) &&
         SetTrackerCursor(*this, HitTestHandles(point), point, TRUE);
}
