// Selections, floating pieces and crop of the image view.
//
// The points of a polygon or free selection are kept in logical coordinates (client point plus
// the scroll offsets of the moment, at the current zoom); whoever needs them in picture
// coordinates converts a copy, so scrolling between selecting and using never shifts them. A
// selection remembers the tool that made it as its shape.
#include "editor/CanvasCoords.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "framework/app/fw_app.h"
#include "imaging/CommonLib.h"
#include "imaging/Globals.h"
#include "imaging/ImageFile.h"
#include "resources/resource.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Where a pasted picture lands on the canvas.
const int kPasteOrigin = 20;
// The empty bounding box of no points.
const int kNoBox = 99999;

// A logical rectangle at fZoom in picture coordinates: at 100 %, without the margin.
CRect PictureRect(const CRect& rcLogical, float fZoom) {
  CRect rc = RescaleRect(rcLogical, 1.0f, fZoom);
  rc.OffsetRect(-g_nCanvasMargin, -g_nCanvasMargin);
  return rc;
}

// A copy of logical points at fZoom on the canvas at 100 %, as the shape operations take them.
std::vector<POINT> CanvasPoints(const std::vector<POINT>& points, float fZoom) {
  std::vector<POINT> copy = points;
  ScaleAroundMargin(copy.data(), (int)copy.size(), 1.0f, fZoom);
  return copy;
}

CRect BoundsOf(const std::vector<POINT>& points) {
  CRect box(kNoBox, kNoBox, 0, 0);
  for (const POINT& pt : points) {
    box.left = std::min(box.left, pt.x);
    box.top = std::min(box.top, pt.y);
    box.right = std::max(box.right, pt.x);
    box.bottom = std::max(box.bottom, pt.y);
  }
  return box;
}

// The normalised logical box inside the picture at the zoom, on whole picture pixels.
CRect ClipToPicture(CRect box, const RECT& rcImage, float fZoom) {
  box.NormalizeRect();
  box &= RescaleRect(rcImage, fZoom, 1.0f);
  SnapRectToZoom(box, fZoom);
  return box;
}

// Fills the selection (its logical outline and points at fZoom, its shape) on the picture.
void FillSelection(CWnd* pView, CFramletDoc* pDoc, const CRect& rcLogical, const std::vector<POINT>& points,
                   float fZoom, int nShape, COLORREF clr) {
  const CRect rc = PictureRect(rcLogical, fZoom);
  std::vector<POINT> canvas = CanvasPoints(points, fZoom);
  CClientDC dc(pView);
  CCommonLib lib;
  lib.FillShape(&dc, pDoc->m_pImage->GetBitmap(), rc.left, rc.top, rc.right, rc.bottom, canvas.data(),
                (int)canvas.size(), nShape, clr);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The outline

void CFramletView::ResetSelection() {
  m_selTracker.Reset();
  m_selTracker.FreePoints();
}

void CFramletView::SetOutline(const CRect& rcLogical) {
  m_selTracker.m_rectLogical = rcLogical;
  // Hit tests before the next paint need the outline where it is shown.
  m_selTracker.m_rect = rcLogical;
  m_selTracker.m_rect.OffsetRect(-m_nScrollX, -m_nScrollY);
}

void CFramletView::AddPoint(POINT pt) {
  if (!m_pPoints.empty() && m_pPoints.back().x == pt.x && m_pPoints.back().y == pt.y)
    return;
  m_pPoints.push_back(pt);
}

void CFramletView::LiftSelection() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return;
  CWaitCursor wait;
  const CRect& rcLogical = m_selTracker.m_rectLogical;
  CRect rc = PictureRect(rcLogical, m_fZoom);
  const CSize size = pDoc->GetImageSize();
  rc &= CRect(0, 0, size.cx, size.cy); // rounding at small zooms may reach a pixel beyond
  std::vector<POINT> points = CanvasPoints(m_pPoints, m_fZoom);
  CBitmap cut, mask;
  CClientDC dc(this);
  CCommonLib lib;
  if (!lib.CutBitmapToShape(&dc, &cut, &mask, pDoc->m_pImage->GetBitmap(), rc.left, rc.top, rc.right,
                            rc.bottom, points.data(), (int)points.size(), m_nSelectionShape, 0))
    return;
  std::unique_ptr<CZoomTracker> pPiece(new CZoomTracker(&cut, &mask, rcLogical.left, rcLogical.top,
                                                        rcLogical.right, rcLogical.bottom, m_fZoom));
  if (pPiece->m_pBitmap == NULL)
    return;
  delete pDoc->m_pSelection;
  pDoc->m_pSelection = pPiece.release();
  pDoc->UpdateAllViews(NULL);
}

// ---------------------------------------------------------------------------------------------
// Press, drag, release and double-click of the selection tools

void CFramletView::BeginSelection(UINT nFlags, CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  if (CEditorAppState* pState = CEditorAppState::Get())
    m_style = pState->m_styles[STYLE_SELECTION];
  const BOOL bCopy = (nFlags & MK_CONTROL) != 0;
  m_ptStart = m_ptCurrent = point;
  m_bPressTaken = FALSE;
  const CPoint logical = point + CSize(m_nScrollX, m_nScrollY);
  const BOOL bOutlined = !m_selTracker.m_rect.IsRectEmpty();
  const int nHit = bOutlined ? m_selTracker.HitTest(point) : CRectTracker::hitNothing;

  BOOL bResized = FALSE;
  if (nHit >= CRectTracker::hitTopLeft && nHit < CRectTracker::hitMiddle) {
    m_bPressTaken = TRUE;
    bResized = m_selTracker.Track(this, point, TRUE);
  }
  if (bResized) {
    // The old piece is an unmoved copy: drawing it back changes nothing, and the new outline
    // lifts its own.
    CommitFloatingObjects(NULL);
    CRect rc = m_selTracker.m_rect;
    rc.OffsetRect(m_nScrollX, m_nScrollY);
    SetOutline(ClipToPicture(rc, pDoc->m_rcImage, m_fZoom));
    if (!m_selTracker.m_rect.IsRectEmpty())
      LiftSelection();
    pDoc->UpdateAllViews(NULL);
  } else if (bOutlined && nHit != CRectTracker::hitMiddle) {
    ResetSelection();
    pDoc->SetModifiedFlag(TRUE);
    pDoc->UpdateAllViews(NULL);
  } else if (nHit == CRectTracker::hitMiddle) {
    // The move starts: the piece leaves the back colour behind, unless Ctrl copies it.
    EnsureSnapshot();
    if (!bCopy && pDoc->m_pSelection != NULL && pDoc->m_pImage != NULL)
      FillSelection(this, pDoc, m_selTracker.m_rectLogical, m_pPoints, m_fZoom, m_nSelectionShape,
                    m_style.backColor);
    ResetSelection();
    m_bPolygonOpen = FALSE;
    pDoc->SetModifiedFlag(TRUE);
    pDoc->UpdateAllViews(NULL);
  }

  BOOL bCommitted = FALSE;
  CZoomTracker* pPiece = pDoc->m_pSelection;
  if (pPiece != NULL && m_selTracker.m_rect.IsRectEmpty()) {
    pPiece->m_nScrollX = m_nScrollX;
    pPiece->m_nScrollY = m_nScrollY;
    if (pPiece->HitTest(logical) != CRectTracker::hitNothing)
      m_bPressTaken = TRUE;
    CRect rcPiece = pPiece->m_rect;
    rcPiece.NormalizeRect();
    if (pPiece->Track(this, logical)) {
      pDoc->UpdateAllViews(NULL);
    } else if (!rcPiece.PtInRect(logical)) {
      CommitFloatingObjects(NULL);
      ResetSelection();
      bCommitted = TRUE;
    }
  }

  if (m_nTool != ID_TOOL_POLYGON_SELECTION)
    m_bPolygonOpen = FALSE;
  // The points belong to the selection while its outline lives.
  if (!m_bPolygonOpen && m_selTracker.m_rect.IsRectEmpty())
    m_pPoints.clear();
  if (m_nTool == ID_TOOL_POLYGON_SELECTION && !bCommitted && !m_bPressTaken) {
    m_bPolygonOpen = TRUE;
    m_nSelectionShape = ID_TOOL_POLYGON_SELECTION;
  }
}

void CFramletView::RubberBand(UINT, CPoint point, BOOL bHeld) {
  const BOOL bPolygonLine = m_bPolygonOpen && !bHeld;
  if (bPolygonLine || bHeld) {
    CClientDC dc(this);
    dc.SetROP2(R2_NOTXORPEN);
    dc.SelectStockObject(NULL_BRUSH);
    if (bPolygonLine) {
      dc.MoveTo(m_ptStart);
      dc.LineTo(m_ptCurrent);
      dc.MoveTo(m_ptStart);
      dc.LineTo(point);
    } else if (m_nTool == ID_TOOL_SELECT_REGION || m_nTool == ID_TOOL_RECT_SELECTION) {
      dc.Rectangle(CRect(m_ptStart, m_ptCurrent));
      dc.Rectangle(CRect(m_ptStart, point));
    } else if (m_nTool == ID_TOOL_CIRCLE_SELECTION) {
      dc.Ellipse(CRect(m_ptStart, m_ptCurrent));
      dc.Ellipse(CRect(m_ptStart, point));
    } else {
      dc.MoveTo(m_ptCurrent);
      dc.LineTo(point);
      AddPoint(point + CSize(m_nScrollX, m_nScrollY));
    }
  }
  m_ptCurrent = point;
}

void CFramletView::FinishSelection(CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  m_ptCurrent = point;
  const CSize scroll(m_nScrollX, m_nScrollY);
  if (m_nTool == ID_TOOL_POLYGON_SELECTION) {
    if (m_bPolygonOpen) {
      AddPoint(point + scroll); // the polygon stays open until a double-click closes it
      m_ptStart = point;
      m_selTracker.SetPolygon(m_pPoints.data(), (int)m_pPoints.size());
    }
    return;
  }
  CRect box;
  if (m_nTool == ID_TOOL_FREE_SELECTION) {
    if (!m_pPoints.empty())
      AddPoint(m_pPoints.front());
    std::vector<POINT> shown = m_pPoints;
    if (shown.size() > 1)
      SnapToGrid(shown.data(), (int)shown.size(), m_fZoom);
    m_selTracker.SetPolygon(shown.data(), (int)shown.size());
    box = BoundsOf(m_pPoints);
  } else {
    m_selTracker.FreePoints();
    box = CRect(m_ptStart + scroll, point + scroll);
  }
  if (box.left == kNoBox || box.top == kNoBox)
    return;
  SetOutline(ClipToPicture(box, pDoc->m_rcImage, m_fZoom));
  m_nSelectionShape = m_nTool;
  if (m_selTracker.m_rect.IsRectEmpty())
    ResetSelection();
  else if (pDoc->m_pSelection == NULL)
    LiftSelection();
}

void CFramletView::ClosePolygon(CPoint) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  m_bPolygonOpen = FALSE;
  if (m_pPoints.size() >= 3) {
    AddPoint(m_pPoints.front());
    std::vector<POINT> shown = m_pPoints;
    SnapToGrid(shown.data(), (int)shown.size(), m_fZoom);
    m_selTracker.SetPolygon(shown.data(), (int)shown.size());
    SetOutline(ClipToPicture(BoundsOf(m_pPoints), pDoc->m_rcImage, m_fZoom));
    m_nSelectionShape = ID_TOOL_POLYGON_SELECTION;
  }
  if (m_pPoints.size() < 3 || m_selTracker.m_rect.IsRectEmpty()) {
    m_pPoints.clear();
    ResetSelection();
  } else if (pDoc->m_pSelection == NULL) {
    LiftSelection();
  }
  Invalidate(TRUE);
}

// ---------------------------------------------------------------------------------------------
// Floating pieces

void CFramletView::CommitFloatingObjects(CDC*) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  CommitText(TRUE);
  CZoomTracker* pPiece = pDoc->m_pSelection;
  if (pPiece == NULL || pDoc->m_pImage == NULL)
    return;
  EnsureSnapshot();
  Gdiplus::Bitmap* pPicture = pDoc->m_pImage->CreateGdipBitmap();
  if (pPicture == NULL)
    return; // the piece stays afloat rather than being lost
  {
    Gdiplus::Graphics graphics(pPicture);
    pPiece->DrawImage(&graphics, TRUE);
  }
  pDoc->m_pImage->SetFromGdipBitmap(pPicture);
  delete pPiece;
  pDoc->m_pSelection = NULL;
  PushUndo();
  pDoc->SetModifiedFlag(TRUE);
  pDoc->UpdateAllViews(NULL);
}

void CFramletView::SetFloatingPiece(Gdiplus::Bitmap* pPicture) {
  std::unique_ptr<Gdiplus::Bitmap> picture(pPicture);
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || !picture)
    return;
  // The piece afloat may hold moved pixels whose place is already cleared: it goes into the
  // picture first.
  CommitFloatingObjects(NULL);
  if (pDoc->m_pSelection != NULL)
    return;
  // A piece is dragged and shown only without an outline.
  ResetSelection();
  const int cx = (int)(picture->GetWidth() * m_fZoom), cy = (int)(picture->GetHeight() * m_fZoom);
  pDoc->m_pSelection = new CZoomTracker(picture.release(), kPasteOrigin, kPasteOrigin, kPasteOrigin + cx,
                                        kPasteOrigin + cy, m_fZoom);
  pDoc->m_pSelection->m_fZoom = m_fZoom;
  // The piece is part of the picture from here on: saving draws it in, and closing asks.
  pDoc->SetModifiedFlag(TRUE);
  Invalidate(TRUE);
}

BOOL CFramletView::PasteImageFile(LPCSTR lpszPath) {
  if (lpszPath == NULL || *lpszPath == '\0' || GetDocument() == NULL)
    return FALSE;
  Gdiplus::Bitmap* pPicture = LoadGdipBitmapFromFile(lpszPath);
  if (pPicture == NULL || pPicture->GetWidth() == 0 || pPicture->GetHeight() == 0) {
    delete pPicture;
    return FALSE;
  }
  SetFloatingPiece(pPicture);
  CZoomTracker* pPiece = GetDocument()->m_pSelection;
  return pPiece != NULL && pPiece->m_pBitmap == pPicture;
}

void CFramletView::OnPasteFromFile() {
  EnsureSnapshot();
  CEditorShell* pShell = GetEditorShell();
  if (pShell == NULL)
    return;
  CString strPath = pShell->PromptOpenImage();
  PasteImageFile(strPath);
}

// ---------------------------------------------------------------------------------------------
// Commands

void CFramletView::OnClearSelection() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return;
  CWaitCursor wait;
  const BOOL bOutlined = !m_selTracker.m_rect.IsRectEmpty();
  if (!bOutlined && pDoc->m_pSelection != NULL) {
    // Without an outline the piece holds moved or pasted pixels: they stay.
    CommitFloatingObjects(NULL);
  }
  EnsureSnapshot();
  if (CEditorAppState* pState = CEditorAppState::Get())
    m_style = pState->m_styles[STYLE_SELECTION];
  if (bOutlined || m_bPolygonOpen)
    FillSelection(this, pDoc, m_selTracker.m_rectLogical, m_pPoints, m_fZoom, m_nSelectionShape,
                  m_style.backColor);
  delete pDoc->m_pSelection;
  pDoc->m_pSelection = NULL;
  ResetSelection();
  m_bPolygonOpen = FALSE;
  Invalidate(TRUE);
  PushUndo();
  pDoc->SetModifiedFlag(TRUE);
}

void CFramletView::OnCropToSelection() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || m_selTracker.m_rect.IsRectEmpty())
    return;
  EnsureSnapshot();
  m_bResyncScroll = TRUE;
  CRect rc = RescaleRect(m_selTracker.m_rectLogical, 1.0f, m_fZoom);
  // Each edge stays on its side of the old picture: the crop keeps at least one pixel of it.
  const RECT rcOld = pDoc->m_rcImage;
  rc.left = std::min(rc.left, rcOld.right - 1);
  rc.right = std::max(rc.right, rcOld.left + 1);
  rc.top = std::min(rc.top, rcOld.bottom - 1);
  rc.bottom = std::max(rc.bottom, rcOld.top + 1);
  // The piece is an unmoved copy of what the picture keeps.
  ResetSelection();
  m_bPolygonOpen = FALSE;
  delete pDoc->m_pSelection;
  pDoc->m_pSelection = NULL;
  pDoc->m_rcImage = rc;
  UpdateScrollSizes();
  ShowSizeStatus(rc.Width(), rc.Height());
  pDoc->SetModifiedFlag(TRUE);
  pDoc->UpdateAllViews(NULL);
  UpdateScrollSizes();
  // The paint cuts the picture to the new rectangle; the step is recorded against the result.
  UpdateWindow();
  PushUndo();
}

void CFramletView::OnSelectAll() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return;
  if (pDoc->m_pSelection != NULL && m_selTracker.m_rect.IsRectEmpty()) {
    CommitFloatingObjects(NULL);
  }
  delete pDoc->m_pSelection;
  pDoc->m_pSelection = NULL;
  m_pPoints.clear();
  ResetSelection();
  m_bPolygonOpen = FALSE;
  SetOutline(RescaleRect(pDoc->m_pImage->m_rect, m_fZoom, 1.0f));
  m_nSelectionShape = ID_TOOL_SELECT_REGION;
  if (CEditorShell* pShell = GetEditorShell())
    pShell->SelectTool(ID_TOOL_SELECT_REGION);
  Invalidate(TRUE);
}

void CFramletView::OnUpdateSelectionCommand(CCmdUI* pCmdUI) {
  pCmdUI->Enable(!m_selTracker.m_rect.IsRectEmpty() || (m_bPolygonOpen && m_pPoints.size() >= 3));
}

void CFramletView::OnUpdateCropCommand(CCmdUI* pCmdUI) {
  // Crop needs a finished outline: the points of an open polygon are no rectangle yet.
  pCmdUI->Enable(!m_selTracker.m_rect.IsRectEmpty());
}
