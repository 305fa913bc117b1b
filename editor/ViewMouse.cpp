// Mouse input of the image view: the tool dispatch, the element tools, the canvas handles, the
// cursors and the timers.
//
// A drag holds the mouse capture from the press to the release, so a release outside the view
// still ends the stroke and records it; the right button drags as the left one does.
#include "editor/CanvasCoords.h"
#include "editor/Element.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "editor/TextElement.h"
#include "framework/app/fw_app.h"
#include "imaging/CommonLib.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

const UINT kSprayTimer = 1005;
const UINT kGuardTimer = 1075;

bool IsSelectionTool(int nTool) {
  return nTool == ID_TOOL_SELECT_REGION ||
         (nTool >= ID_TOOL_RECT_SELECTION && nTool <= ID_TOOL_FREE_SELECTION);
}
bool IsBrushTool(int nTool) {
  return nTool == ID_TOOL_PAINT_BRUSH || (nTool >= ID_TOOL_BRUSH_FLAT && nTool <= ID_TOOL_BRUSH_DOTTED);
}
bool IsSprayTool(int nTool) {
  return nTool == ID_TOOL_AIR_BRUSH || (nTool >= ID_TOOL_SPRAY_SMALL && nTool <= ID_TOOL_SPRAY_LARGE);
}
bool IsLineTool(int nTool) {
  return nTool == ID_TOOL_LINE || nTool == ID_TOOL_ARROW ||
         (nTool >= ID_TOOL_LINE_SOLID && nTool <= ID_TOOL_LINE_DASH_DOT) ||
         (nTool >= ID_TOOL_ARROW_SMART && nTool <= ID_TOOL_ARROW_DOUBLE);
}
bool IsFreeShapeTool(int nTool) {
  return nTool == ID_TOOL_FREESHAPE_FRAMED || nTool == ID_TOOL_FREESHAPE_HOLLOW ||
         nTool == ID_TOOL_FREESHAPE_FILLED;
}
bool IsShapeTool(int nTool) {
  return nTool == ID_TOOL_SHAPES || (nTool >= ID_TOOL_RECT_FRAMED && nTool <= ID_TOOL_FREESHAPE_FILLED);
}
bool IsElementTool(int nTool) { return IsBrushTool(nTool) || IsLineTool(nTool) || IsShapeTool(nTool); }
// The tools whose release acts even when the pointer has not moved.
bool ActsOnClick(int nTool) {
  return IsBrushTool(nTool) || IsSprayTool(nTool) || nTool == ID_TOOL_FILL || nTool == ID_TOOL_ERASER ||
         nTool == ID_TOOL_POLYGON_SELECTION;
}

// The style record of a tool group.
int StyleOf(int nTool) {
  if (IsBrushTool(nTool))
    return STYLE_PAINT_BRUSH;
  if (IsLineTool(nTool))
    return STYLE_LINE_ARROW;
  return STYLE_SHAPES;
}

int CurrentTool() {
  CEditorAppState* pState = CEditorAppState::Get();
  return pState != NULL ? pState->m_nCurrentTool : 0;
}

CRect Normalised(CPoint a, CPoint b) {
  CRect rc(a, b);
  rc.NormalizeRect();
  return rc;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Press, move, release

void CFramletView::OnLButtonDown(UINT nFlags, CPoint point) { OnButtonDown(nFlags, point, FALSE); }

void CFramletView::OnRButtonDown(UINT nFlags, CPoint point) { OnButtonDown(nFlags, point, TRUE); }

void CFramletView::OnButtonDown(UINT nFlags, CPoint point, BOOL) {
  CFramletDoc* pDoc = GetDocument();
  if (m_bDragging || pDoc == NULL || pDoc->m_pImage == NULL)
    return; // a second button during a drag changes nothing
  if (CEditorShell* pShell = GetEditorShell()) {
    if (pShell->GetTaskPageIndex() != 0)
      pShell->ShowTaskMainPage();
  }
  if (g_nTaskEditState == 1) {
    PushUndo();
    g_nTaskEditState = 2;
    DiscardTaskOriginal(pDoc);
  }
  m_nTool = CurrentTool();
  const CPoint logical = point + CSize(m_nScrollX, m_nScrollY);
  BOOL bCommittedPiece = FALSE;
  m_bPressTaken = FALSE;
  if (pDoc->m_pSelection != NULL && m_selTracker.m_rect.IsRectEmpty()) {
    if (pDoc->m_pSelection->HitTest(logical) != CRectTracker::hitNothing) {
      BeginSelection(nFlags, point); // the piece's own drag loop takes the press
      m_bPressTaken = FALSE;
      return;
    }
    BeginSelection(nFlags, point);
    PushUndo();
    bCommittedPiece = TRUE;
  }
  if (!IsSelectionTool(m_nTool) && pDoc->m_pSelection != NULL &&
      !pDoc->m_pSelection->m_rect.PtInRect(logical)) {
    CClientDC dc(this);
    CommitFloatingObjects(&dc);
    ResetSelection();
  }
  const BOOL bTextPending =
      m_pText != NULL && !m_pText->m_rect.IsRectEmpty() && !m_pText->m_strText.IsEmpty();
  if (bTextPending && m_textTracker.HitTest(point) != CRectTracker::hitNothing && ::GetCapture() == NULL) {
    // The box's loop has the release whether the box moved or not: the press ends here.
    if (m_textTracker.Track(this, point, TRUE)) {
      CRect rc = m_textTracker.m_rect;
      rc.NormalizeRect();
      m_pText->m_rect = rc;
      pDoc->UpdateAllViews(NULL);
    }
    return;
  }
  if (bTextPending && !m_pText->m_rect.PtInRect(point)) {
    m_ptStart = point;
    CommitText(TRUE);
  }
  if (!IsSelectionTool(m_nTool))
    EnsureSnapshot();
  if (!(m_nTool == ID_TOOL_POLYGON_SELECTION && bCommittedPiece))
    ToolDown(nFlags, point);
  if (m_bPressTaken) {
    m_bPressTaken = FALSE; // a tracker's loop has had the release already
    return;
  }
  if (CanvasHandleStep(point)) {
    // The handle's own loop has taken the release: the tool's drag is over before it began.
    delete m_pElement;
    m_pElement = new CElement;
    KillTimer(kSprayTimer);
    return;
  }
  m_bDragging = TRUE;
  SetCapture();
}

void CFramletView::OnMouseMove(UINT nFlags, CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  ShowPositionStatus(point.x, point.y);
  CSize size = pDoc->GetImageSize();
  ShowSizeStatus(size.cx, size.cy);
  AirBrushGuard();
  // The tool of a drag is the one it began with.
  if (!m_bDragging)
    m_nTool = CurrentTool();
  const BOOL bHeld = m_bDragging && (nFlags & (MK_LBUTTON | MK_RBUTTON)) != 0;
  ToolMove(nFlags, point, bHeld);
}

void CFramletView::OnLButtonUp(UINT nFlags, CPoint point) { OnButtonUp(nFlags, point); }

void CFramletView::OnRButtonUp(UINT nFlags, CPoint point) { OnButtonUp(nFlags, point); }

void CFramletView::OnCaptureChanged(CWnd* pWnd) {
  // A drag whose capture is taken away ends where the pointer was last seen.
  if (m_bDragging && pWnd != this)
    OnButtonUp(0, m_ptCurrent);
}

void CFramletView::OnButtonUp(UINT nFlags, CPoint point) {
  if (!m_bDragging)
    return;
  m_bDragging = FALSE;
  if (::GetCapture() == m_hWnd)
    ::ReleaseCapture();
  const BOOL bTextPending = m_pText != NULL && !m_pText->m_rect.IsRectEmpty();
  if (bTextPending && m_textTracker.HitTest(point) > 0)
    return;
  KillTimer(kSprayTimer);
  const BOOL bInTextBox = bTextPending && m_pText->m_rect.PtInRect(point);
  if (!bInTextBox && point == m_ptStart && !ActsOnClick(m_nTool)) {
    if (IsElementTool(m_nTool)) {
      delete m_pElement; // nothing was drawn
      m_pElement = new CElement;
    }
    return;
  }
  ToolUp(nFlags, point);
  Invalidate(TRUE);
}

void CFramletView::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_nTool == ID_TOOL_POLYGON_SELECTION && m_bPolygonOpen)
    ClosePolygon(point);
  if (m_pText != NULL && !m_pText->m_rect.IsRectEmpty() && m_pText->m_rect.PtInRect(point))
    ReopenTextDialog(point);
  (void)nFlags;
}

// ---------------------------------------------------------------------------------------------
// The tools' steps

void CFramletView::ToolDown(UINT nFlags, CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  CEditorAppState* pState = CEditorAppState::Get();
  BOOL bChanges = TRUE;
  if (IsSelectionTool(m_nTool)) {
    BeginSelection(nFlags, point);
    bChanges = FALSE;
  } else if (m_nTool == ID_TOOL_ZOOM_IN || m_nTool == ID_TOOL_ZOOM_OUT) {
    m_nTool == ID_TOOL_ZOOM_IN ? OnZoomIn() : OnZoomOut();
    bChanges = FALSE;
  } else if (IsElementTool(m_nTool)) {
    ElementDown(point);
  } else if (IsSprayTool(m_nTool)) {
    if (pState != NULL)
      m_style = pState->m_styles[STYLE_AIR_BRUSH_FILL];
    m_ptStart = m_ptCurrent = point;
    SetTimer(kSprayTimer, 50, NULL);
  } else if (m_nTool == ID_TOOL_FILL) {
    FillAt(point);
  } else if (m_nTool == ID_TOOL_COLOR_PICKER) {
    PickColor(nFlags, point);
    bChanges = FALSE;
  } else if (m_nTool == ID_TOOL_ERASER) {
    if (pState != NULL)
      m_style = pState->m_styles[STYLE_ERASER];
    m_pPoints.clear();
    m_ptStart = m_ptCurrent = point;
    AddPoint(point + CSize(m_nScrollX, m_nScrollY));
  } else if (m_nTool == ID_TOOL_HIGHLIGHTER || m_nTool == ID_TOOL_TEXT) {
    if (pState != NULL)
      m_style = pState->m_styles[m_nTool == ID_TOOL_TEXT ? STYLE_TEXT : STYLE_HIGHLIGHTER];
    m_ptStart = m_ptCurrent = point;
  } else if (m_nTool == ID_TOOL_STAMP || m_nTool == ID_TOOL_CALLOUT) {
    PlaceStamp(point);
  } else {
    bChanges = FALSE;
  }
  if (bChanges)
    pDoc->SetModifiedFlag(TRUE);
}

void CFramletView::ToolMove(UINT nFlags, CPoint point, BOOL bHeld) {
  if (IsSelectionTool(m_nTool)) {
    RubberBand(nFlags, point, bHeld);
  } else if (IsSprayTool(m_nTool)) {
    m_ptCurrent = point; // the spray follows the pointer
  } else if (!bHeld) {
    return;
  } else if (IsElementTool(m_nTool)) {
    ElementMove(point);
  } else if (m_nTool == ID_TOOL_ERASER) {
    EraserMove(point);
  } else if (m_nTool == ID_TOOL_HIGHLIGHTER || m_nTool == ID_TOOL_TEXT) {
    HighlighterMove(point);
  }
}

void CFramletView::ToolUp(UINT nFlags, CPoint point) {
  if (IsSelectionTool(m_nTool)) {
    FinishSelection(point);
  } else if (IsElementTool(m_nTool)) {
    ElementUp(point);
    PushUndo();
  } else if (IsSprayTool(m_nTool) || m_nTool == ID_TOOL_FILL) {
    PushUndo();
  } else if (m_nTool == ID_TOOL_ERASER) {
    EraserUp();
    PushUndo();
  } else if (m_nTool == ID_TOOL_HIGHLIGHTER) {
    HighlighterUp(point);
    PushUndo();
  } else if (m_nTool == ID_TOOL_TEXT) {
    PutTextAt(point);
  }
  (void)nFlags;
}

// ---------------------------------------------------------------------------------------------
// Element tools: lines, arrows, shapes and brush strokes

void CFramletView::ElementDown(CPoint point) {
  if (CEditorAppState* pState = CEditorAppState::Get())
    m_style = pState->m_styles[StyleOf(m_nTool)];
  m_ptStart = m_ptCurrent = point;
  delete m_pElement;
  m_pElement = NULL;
  CRuntimeClass* pClass = ElementClassForTool(m_nTool);
  CObject* pObject = pClass != NULL ? pClass->CreateObject() : NULL;
  m_pElement = pObject != NULL ? static_cast<CElement*>(pObject) : new CElement;
  if (IsBrushTool(m_nTool))
    m_pElement->AddPoint(point);
}

void CFramletView::ElementMove(CPoint point) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.SetROP2(R2_NOTXORPEN);
  if (IsLineTool(m_nTool)) {
    CRect rc = Normalised(m_ptStart, point);
    dc.DPtoLP(&rc);
    SnapRectToZoom(rc, m_fZoom);
    m_pElement->SetPoints(m_ptStart.x, m_ptStart.y, m_ptCurrent.x, m_ptCurrent.y);
    m_pElement->m_bFinal = 0;
    rc.OffsetRect(-m_nScrollX, -m_nScrollY);
    rc.InflateRect(8, 8);
    InvalidateRect(&rc, FALSE);
    const int nReach = m_style.width >= 10 ? 200 : 100;
    CRect rcEnd(m_ptCurrent, m_ptCurrent);
    rcEnd.InflateRect(nReach, nReach);
    InvalidateRect(&rcEnd, FALSE);
    m_ptCurrent = point;
    return;
  }
  if (IsShapeTool(m_nTool)) {
    m_ptCurrent = point;
    CRect rc = Normalised(m_ptStart, m_ptCurrent);
    dc.DPtoLP(&rc);
    SnapRectToZoom(rc, m_fZoom);
    m_pElement->SetRect(rc.left, rc.top, rc.right, rc.bottom);
    m_pElement->m_bFinal = 0;
    if (IsFreeShapeTool(m_nTool)) {
      m_pElement->AddPoint(point);
      m_pElement->DrawToDC(NULL, &dc, m_style, m_nTool, m_fZoom, m_nScrollX, m_nScrollY);
    } else {
      rc.OffsetRect(-m_nScrollX, -m_nScrollY);
      rc.InflateRect(8, 8);
      InvalidateRect(&rc, FALSE);
    }
    return;
  }
  m_pElement->AddPoint(point);
  m_pElement->m_bFinal = 0;
  m_pElement->DrawToDC(NULL, &dc, m_style, m_nTool, m_fZoom, m_nScrollX, m_nScrollY);
  m_ptCurrent = point;
}

void CFramletView::ElementUp(CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  m_ptCurrent = point;
  Gdiplus::Bitmap* pPicture = pDoc->m_pImage->CreateGdipBitmap();
  if (pPicture == NULL)
    return;
  const int m = g_nCanvasMargin;
  CClientDC dc(this);
  OnPrepareDC(&dc);
  // Points and rectangles go to picture coordinates: logical, on whole pixels, at 100 %, without
  // the margin.
  auto toPicture = [&](CPoint pt) {
    dc.DPtoLP(&pt);
    SnapToGrid(pt, m_fZoom);
    ScaleAroundMargin(pt, 1.0f, m_fZoom);
    return pt - CSize(m, m);
  };
  float fZoom = m_fZoom;
  int nScrollX = m_nScrollX, nScrollY = m_nScrollY;
  if (IsLineTool(m_nTool)) {
    CPoint a = toPicture(m_ptStart), b = toPicture(point);
    m_pElement->SetPoints(a.x, a.y, b.x, b.y);
  } else if (IsShapeTool(m_nTool) && !IsFreeShapeTool(m_nTool)) {
    CRect rc(toPicture(m_ptStart), toPicture(point));
    m_pElement->SetRect(rc.left, rc.top, rc.right, rc.bottom);
    fZoom = 1.0f;
    nScrollX = nScrollY = 0;
  } else if (IsBrushTool(m_nTool)) {
    m_pElement->AddPoint(point + CSize(1, 1)); // a single click makes a dot of two points
  }
  m_pElement->m_bFinal = 1;
  // The shadow darkens a copy of the picture; without one no copy is made.
  Gdiplus::Bitmap* pCopy = m_style.dropShadow ? pDoc->m_pImage->CreateGdipBitmap() : NULL;
  m_pElement->DrawIntoPicture(pCopy, pPicture, m_style, m_nTool, fZoom, nScrollX, nScrollY);
  pDoc->m_pImage->SetFromGdipBitmap(pPicture);
  delete m_pElement;
  m_pElement = new CElement;
}

// ---------------------------------------------------------------------------------------------
// Canvas handles, cursors, timers

BOOL CFramletView::CanvasHandleStep(CPoint point) {
  CFramletDoc* pDoc = GetDocument();
  CShapeTracker& tracker = pDoc->m_tracker;
  const int nHit = tracker.HitTest(point);
  if (nHit < 0 || nHit > 7 || ::GetCapture() != NULL)
    return FALSE;
  // The handle's loop has the release whether the canvas changed or not: a click on a handle ends
  // the press too, and what the tool's press did (a fill) is recorded as its release would have.
  if (!tracker.Track(this, point, TRUE)) {
    PushUndo();
    return TRUE;
  }
  EnsureSnapshot();
  m_bResyncScroll = TRUE;
  // Not normalised: an edge dragged past the opposite one is held one pixel short of it below.
  CRect rc = tracker.m_rect;
  rc.OffsetRect(m_nScrollX, m_nScrollY);
  CRect rcNew = RescaleRect(rc, 1.0f, m_fZoom);
  // Each edge stays on its side of the old rectangle: a canvas is at least one pixel.
  const CRect rcOld = pDoc->m_rcImage;
  rcNew.left = std::min(rcNew.left, rcOld.right - 1);
  rcNew.right = std::max(rcNew.right, rcOld.left + 1);
  rcNew.top = std::min(rcNew.top, rcOld.bottom - 1);
  rcNew.bottom = std::max(rcNew.bottom, rcOld.top + 1);
  pDoc->SetImageRect(rcNew);
  UpdateScrollSizes();
  ShowSizeStatus(rcNew.Width(), rcNew.Height());
  pDoc->SetModifiedFlag(TRUE);
  pDoc->UpdateAllViews(NULL);
  // The new rectangle reaches the picture at the next paint (the image item cuts or grows it);
  // the step is recorded against the picture as it will be.
  UpdateWindow();
  PushUndo();
  return TRUE;
}

BOOL CFramletView::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  CFramletDoc* pDoc = GetDocument();
  if (pWnd == this && pDoc != NULL) {
    if (pDoc->m_tracker.SetCursor(this, nHitTest))
      return TRUE;
    if (pDoc->m_pSelection != NULL && pDoc->m_pSelection->SetCursor(this, nHitTest)) {
      m_bPolygonOpen = FALSE;
      return TRUE;
    }
    if (m_selTracker.SetCursor(this, nHitTest))
      return TRUE;
    if (m_pText != NULL && !m_pText->m_rect.IsRectEmpty() && m_textTracker.SetCursor(this, nHitTest))
      return TRUE;
  }
  if (nHitTest != HTCLIENT)
    return CScrollView::OnSetCursor(pWnd, nHitTest, message);
  const int nTool = CurrentTool();
  UINT nCursor = 0;
  LPCSTR lpszSystem = IDC_ARROW;
  if (nTool == ID_TOOL_ZOOM_IN)
    nCursor = IDC_CURSOR_ZOOM_IN;
  else if (nTool == ID_TOOL_ZOOM_OUT)
    nCursor = IDC_CURSOR_ZOOM_OUT;
  else if (IsSprayTool(nTool))
    nCursor = IDC_CURSOR_SPRAY;
  else if (nTool == ID_TOOL_COLOR_PICKER)
    nCursor = IDC_CURSOR_PICKER;
  else if (nTool == ID_TOOL_FILL)
    nCursor = IDC_CURSOR_FILL;
  else if (nTool == ID_TOOL_STAMP)
    nCursor = IDC_CURSOR_STAMP;
  else if (nTool == ID_TOOL_CALLOUT)
    nCursor = IDC_CURSOR_CALLOUT;
  else if (nTool == ID_TOOL_ERASER)
    nCursor = IDC_CURSOR_ERASER;
  else if (nTool == ID_TOOL_HIGHLIGHTER)
    nCursor = IDC_CURSOR_HIGHLIGHTER;
  else if (IsSelectionTool(nTool) || IsElementTool(nTool) || nTool == ID_TOOL_TEXT)
    lpszSystem = IDC_CROSS;
  HCURSOR hCursor = nCursor != 0 ? ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nCursor))
                                 : ::LoadCursorA(NULL, lpszSystem);
  ::SetCursor(hCursor != NULL ? hCursor : ::LoadCursorA(NULL, IDC_ARROW));
  return TRUE;
}

void CFramletView::OnTimer(UINT nIDEvent) {
  if (nIDEvent == kSprayTimer)
    SprayTick();
  else if (nIDEvent == kGuardTimer)
    AirBrushGuard();
  else
    CScrollView::OnTimer(nIDEvent);
}

void CFramletView::OnContextMenu(CWnd*, CPoint) {}
