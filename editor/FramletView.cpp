#include "editor/FramletView.h"

#include "editor/CanvasCoords.h"
#include "editor/EditorMessages.h"
#include "editor/Element.h"
#include "editor/FramletDoc.h"
#include "editor/TextElement.h"
#include "editor/TextInputDlg.h"
#include "editor/OffscreenDC.h"
#include "framework/app/fw_app.h"
#include "imaging/Globals.h"
#include "imaging/PixelPlane.h"
#include "resources/resource.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstring>
#include <memory>

int g_nImageWidth = 0;
int g_nImageHeight = 0;

IMPLEMENT_DYNCREATE(CFramletView, CScrollView)

BEGIN_MESSAGE_MAP(CFramletView, CScrollView)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_CONTEXTMENU()
ON_MESSAGE(UM_TEXT_CHANGED, OnTextChanged)
ON_COMMAND(ID_VIEW_ZOOM_IN, OnZoomIn)
ON_COMMAND(ID_VIEW_ZOOM_OUT, OnZoomOut)
ON_COMMAND(ID_VIEW_ACTUAL_SIZE, OnActualSize)
ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
ON_COMMAND(ID_EDIT_UNDO2, OnEditUndo)
ON_COMMAND(ID_EDIT_REDO, OnEditRedo)
ON_COMMAND(ID_EDIT_REDO2, OnEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO2, OnUpdateEditUndo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO, OnUpdateEditRedo)
ON_UPDATE_COMMAND_UI(ID_EDIT_REDO2, OnUpdateEditRedo)
ON_COMMAND(ID_EDIT_CLEAR_SELECTION, OnClearSelection)
ON_COMMAND(ID_EDIT_CLEAR_SELECTION2, OnClearSelection)
ON_COMMAND(ID_EDIT_CROP, OnCropToSelection)
ON_COMMAND(ID_EDIT_CROP2, OnCropToSelection)
ON_COMMAND(ID_EDIT_SELECT_ALL_IMAGE, OnSelectAll)
ON_COMMAND(ID_EDIT_PASTE_FROM_FILE, OnPasteFromFile)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateSelectionCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT2, OnUpdateSelectionCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR_SELECTION, OnUpdateSelectionCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR_SELECTION2, OnUpdateSelectionCommand)
ON_UPDATE_COMMAND_UI(ID_FILE_COPY_SELECTION, OnUpdateSelectionCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_CROP, OnUpdateCropCommand)
ON_UPDATE_COMMAND_UI(ID_EDIT_CROP2, OnUpdateCropCommand)
ON_COMMAND(ID_EDIT_COPY_ALL, OnCopyAllToClipboard)
ON_COMMAND(ID_EDIT_COPY_ALL2, OnCopyAllToClipboard)
ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
ON_COMMAND(ID_EDIT_COPY2, OnEditCopy)
ON_COMMAND(ID_EDIT_CUT, OnEditCut)
ON_COMMAND(ID_EDIT_CUT2, OnEditCut)
ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
ON_COMMAND(ID_EDIT_PASTE2, OnEditPaste)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT2, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
ON_COMMAND(ID_FILE_PRINT_PREVIEW2, OnFilePrintPreview)
ON_MESSAGE(UM_APPLY_EFFECT, OnApplyEffectMessage)
ON_MESSAGE(UM_SAVE_ORIGINAL, OnSaveOriginal)
ON_MESSAGE(UM_TASK_EDIT, OnTaskEdit)
// After the single commands: the range also spans copy all (32839) and clear selection (32841).
ON_COMMAND_EX_RANGE(ID_IMAGE_ROTATE_RIGHT, ID_IMAGE_SOLARIZE, OnImageCommand)
END_MESSAGE_MAP()

namespace {

const float kMinZoom = 0.25f;
const float kMaxZoom = 8.0f;

} // namespace

CFramletView::CFramletView()
    : m_nTool(0), m_bPolygonOpen(FALSE), m_pSnapshot(NULL), m_bResyncScroll(FALSE), m_pTextDlg(NULL),
      m_fPrintRatio(1.0f), m_pText(new CTextElement), m_pElement(new CElement), m_nScrollX(0), m_nScrollY(0),
      m_fZoom(1.0f), m_fPrevZoom(1.0f), m_nSelectionShape(0) {
  m_hatchBrush.CreateHatchBrush(HS_DIAGCROSS, RGB(0xBF, 0xBF, 0xBF));
  CEditorAppState* pState = CEditorAppState::Get();
  m_style = pState != NULL ? pState->m_styles[STYLE_SELECTION] : DrawStyle();
  m_selTracker.m_nStyle = m_textTracker.m_nStyle = kTrackerStyle;
  m_selTracker.m_nHandleSize = m_textTracker.m_nHandleSize = 5;
  m_selTracker.m_bMovable = TRUE;
  m_selTracker.Reset();
  m_textTracker.Reset();
}

CFramletView::~CFramletView() {
  if (m_pSnapshot != NULL)
    m_pSnapshot->DeleteObject();
  delete m_pSnapshot;
  delete m_pText;
  delete m_pElement;
  // The dialog goes with the view that made it (it reports to whichever view is active).
  delete m_pTextDlg;
}

CFramletDoc* CFramletView::GetDocument() const { return static_cast<CFramletDoc*>(m_pDocument); }

BOOL CFramletView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CScrollView::PreCreateWindow(cs))
    return FALSE;
  cs.style |= WS_CLIPSIBLINGS;
  return TRUE;
}

void CFramletView::OnInitialUpdate() {
  CScrollView::OnInitialUpdate();
  UpdateScrollSizes();
}

void CFramletView::UpdateScrollSizes() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  CSize image = pDoc->GetImageSize();
  CSize total((int)(image.cx * m_fZoom) + 20, (int)(image.cy * m_fZoom) + 20);
  if (m_hWnd != NULL) {
    CClientDC dc(this);
    dc.DPtoLP(&total);
  }
  SetScrollSizes(MM_TEXT, total, CSize(128, 128), CSize(16, 16));
  if (m_hWnd != NULL)
    Invalidate(TRUE);
}

int CFramletView::GetSnappedScrollPos(int nBar) {
  SCROLLINFO si = {sizeof(si), SIF_ALL};
  if (m_hWnd == NULL || !::GetScrollInfo(m_hWnd, nBar, &si))
    return 0;
  int nPos = (int)((int)(si.nPos / m_fZoom) * m_fZoom);
  return nPos < 0 || nPos > 99999 ? 0 : nPos;
}

BOOL CFramletView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll) {
  if (CScrollView::OnScrollBy(sizeScroll, bDoScroll)) {
    m_nScrollX = GetSnappedScrollPos(SB_HORZ);
    m_nScrollY = GetSnappedScrollPos(SB_VERT);
    return TRUE;
  }
  Invalidate(TRUE);
  return FALSE;
}

CPoint CFramletView::ViewToImagePoint(CPoint point) {
  CClientDC dc(this);
  OnPrepareDC(&dc);
  dc.DPtoLP(&point);
  SnapToGrid(point, m_fZoom);
  const int m = g_nCanvasMargin, nScale = (int)(m_fZoom * 100);
  return CPoint(::MulDiv(point.x - m, 100, nScale), ::MulDiv(point.y - m, 100, nScale));
}

void CFramletView::TakeSnapshot() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return;
  CWaitCursor wait;
  CBitmap* pPicture = pDoc->m_pImage->GetBitmap();
  BITMAP bm;
  if (pPicture->GetSafeHandle() == NULL || pPicture->GetBitmap(&bm) == 0)
    return;
  if (m_pSnapshot == NULL)
    m_pSnapshot = new CBitmap;
  // The snapshot keeps its own rows while the picture keeps its size, so taking it again is a
  // copy, not a new bitmap.
  CPixelPlane snapshot, picture;
  if (m_pSnapshot->GetSafeHandle() == NULL ||
      !OpenPixelPlane((HBITMAP)m_pSnapshot->GetSafeHandle(), snapshot) || snapshot.cx != bm.bmWidth ||
      snapshot.cy != bm.bmHeight) {
    m_pSnapshot->DeleteObject();
    if (!m_pSnapshot->Attach(CreatePlaneBitmap(bm.bmWidth, bm.bmHeight, &snapshot)))
      return;
  }
  if (bm.bmBitsPixel == 32 && OpenPixelPlane((HBITMAP)pPicture->GetSafeHandle(), picture)) {
    for (int y = 0; y < picture.cy; y++)
      std::memcpy(snapshot.Row(y), picture.Row(y), picture.RowBytes());
    return;
  }
  CClientDC ref(this);
  CDC src, dst;
  if (!src.CreateCompatibleDC(&ref) || !dst.CreateCompatibleDC(&ref))
    return;
  CBitmap* pOldSrc = src.SelectObject(pPicture);
  CBitmap* pOldDst = dst.SelectObject(m_pSnapshot);
  dst.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &src, 0, 0, SRCCOPY);
  src.SelectObject(pOldSrc);
  dst.SelectObject(pOldDst);
}

void CFramletView::EnsureSnapshot() {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return;
  BITMAP picture, snapshot;
  if (m_pSnapshot != NULL && m_pSnapshot->GetSafeHandle() != NULL && m_pSnapshot->GetBitmap(&snapshot) != 0 &&
      pDoc->m_pImage->GetBitmap()->GetBitmap(&picture) != 0 && picture.bmWidth == snapshot.bmWidth &&
      picture.bmHeight == snapshot.bmHeight)
    return;
  TakeSnapshot();
}

BOOL CFramletView::OnEraseBkgnd(CDC*) {
  return TRUE; // the paint covers the whole client area from its buffer
}

void CFramletView::OnDraw(CDC* pDC) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL)
    return;
  const int m = g_nCanvasMargin;
  const BOOL bPrinting = pDC->IsPrinting();
  CRect rect;
  GetClientRect(&rect);
  if (m_bResyncScroll) {
    m_nScrollX = GetSnappedScrollPos(SB_HORZ);
    m_nScrollY = GetSnappedScrollPos(SB_VERT);
  } else {
    rect.OffsetRect(m_nScrollX, m_nScrollY);
  }
  rect.right += 2 * m;
  rect.bottom += 2 * m;
  // Off the printer the hatching covers the whole buffer, so it needs no background first.
  COffscreenDC buffer(pDC, rect, m_buffer, m_sizeBuffer, !bPrinting);
  CDC* pBuf = buffer.Get();
  CSize total = GetTotalSize();
  rect.right = std::max(rect.right, total.cx);
  rect.bottom = std::max(rect.bottom, total.cy);

  // The picture is opaque, so the hatching goes around it, unless the picture is about to be cut
  // to a new image rectangle and its size is not yet known.
  RECT& rcImage = pDoc->m_rcImage;
  CImageItem* pItem = pDoc->m_pImage;
  CRect rcShown;
  if (pItem != NULL && pItem->GetBitmap()->GetSafeHandle() != NULL &&
      pItem->m_rect.Size() == CRect(rcImage).Size())
    rcShown.SetRect(m, m, m + (int)(pItem->m_rect.Width() * m_fZoom),
                    m + (int)(pItem->m_rect.Height() * m_fZoom));
  if (!bPrinting) {
    // The hatching is tied to the canvas, so it does not crawl while the view scrolls.
    m_hatchBrush.UnrealizeObject();
    CPoint origin(0, 0);
    pBuf->LPtoDP(&origin);
    pBuf->SetBrushOrg(origin.x % 8, origin.y % 8);
    int nSaved = pBuf->SaveDC();
    pBuf->ExcludeClipRect(&rcShown);
    pBuf->FillRect(&rect, &m_hatchBrush);
    pBuf->RestoreDC(nSaved);
    pDoc->m_tracker.Draw(pBuf, m_fZoom, m_nScrollX, m_nScrollY);
  }
  if (pItem != NULL)
    pItem->Draw(pBuf, rcImage.left, rcImage.top, rcImage.right, rcImage.bottom, m_fZoom);
  // The picture now has the image rectangle's size, at the margin.
  ::OffsetRect(&rcImage, m - rcImage.left, m - rcImage.top);
  pDoc->SetImageRect(rcImage);
  if (pDoc->m_pSelection != NULL && m_selTracker.m_rect.IsRectEmpty() && !bPrinting) {
    pDoc->m_pSelection->m_nScrollX = m_nScrollX;
    pDoc->m_pSelection->m_nScrollY = m_nScrollY;
    pDoc->m_pSelection->Draw(pBuf);
  }
  if (!bPrinting) {
    // The outline shows the shape it was made with. Polygon points are logical and drawn as they
    // are; the ellipse is placed from the outline's device pixels plus the scroll offsets.
    const BOOL bPoints = m_selTracker.m_nPoints >= 2;
    m_selTracker.Draw(pBuf, (int)m_fZoom, bPoints ? 0 : m_nScrollX, bPoints ? 0 : m_nScrollY,
                      m_nSelectionShape);
  }
  if (m_pText != NULL && !m_pText->m_strText.IsEmpty() && !m_pText->m_rect.IsRectEmpty()) {
    if (!bPrinting) {
      CEditorAppState* pState = CEditorAppState::Get();
      const CRect& rc = m_pText->m_rect;
      m_textTracker.SetBox(rc.left, rc.top, rc.right, rc.bottom);
      std::unique_ptr<Gdiplus::Bitmap> pCopy(pItem != NULL ? pItem->CreateGdipBitmap() : NULL);
      m_pText->DrawToDC(std::move(pCopy), pBuf, pState != NULL ? pState->m_styles[STYLE_TEXT] : m_style,
                        m_fZoom, m_nScrollX, m_nScrollY);
      m_textTracker.Draw(pBuf, 0, m_nScrollX, m_nScrollY);
    }
  } else {
    m_textTracker.Reset();
  }
  if (m_pElement != NULL && !bPrinting)
    m_pElement->DrawToDC(NULL, pBuf, m_style, m_nTool, m_fZoom, m_nScrollX, m_nScrollY);
  if (m_bResyncScroll) {
    m_bResyncScroll = FALSE;
    Invalidate(TRUE);
  }
}

void CFramletView::OnZoomIn() {
  CommitText(TRUE); // text is placed at 100 % only; the zoom draws it in as its own step
  float fZoom;
  switch ((int)(m_fZoom * 100)) {
  case 25:
    fZoom = 0.5f;
    break;
  case 50:
    fZoom = 1.0f;
    break;
  case 100:
    fZoom = 2.0f;
    break;
  case 200:
    fZoom = 4.0f;
    break;
  case 400:
  case 800:
    fZoom = 8.0f;
    break;
  default:
    fZoom = m_fZoom * 2;
    break;
  }
  float fOld = m_fZoom;
  m_fZoom = std::min(fZoom, kMaxZoom);
  UpdateScrollSizes();
  ApplyZoom(fOld);
}

void CFramletView::OnZoomOut() {
  CommitText(TRUE);
  float fZoom;
  switch ((int)(m_fZoom * 100)) {
  case 200:
    fZoom = 1.0f;
    break;
  case 25:
  case 50:
    fZoom = 0.25f;
    break;
  case 100:
    fZoom = 0.5f;
    break;
  case 400:
    fZoom = 2.0f;
    break;
  case 800:
    fZoom = 4.0f;
    break;
  default:
    fZoom = m_fZoom * 0.5f;
    break;
  }
  float fOld = m_fZoom;
  m_fZoom = std::max(fZoom, kMinZoom);
  UpdateScrollSizes();
  m_nScrollX = GetSnappedScrollPos(SB_HORZ);
  m_nScrollY = GetSnappedScrollPos(SB_VERT);
  ApplyZoom(fOld);
}

void CFramletView::OnActualSize() {
  m_fZoom = 2.0f;
  OnZoomOut();
  m_fPrevZoom = m_fZoom;
}

void CFramletView::ApplyZoom(float fOldZoom) {
  ShowZoomStatus(m_fZoom);
  CFramletDoc* pDoc = GetDocument();
  if (pDoc != NULL && pDoc->m_pSelection != NULL) {
    pDoc->m_pSelection->m_rect = RescaleRect(pDoc->m_pSelection->m_rect, m_fZoom, fOldZoom);
    pDoc->m_pSelection->m_fZoom = m_fZoom;
  }
  // The selection's points are logical at the zoom, so they follow it (an open polygon goes on).
  ScaleAroundMargin(m_pPoints.data(), (int)m_pPoints.size(), m_fZoom, fOldZoom);
  if (m_bPolygonOpen)
    m_selTracker.SetPolygon(m_pPoints.data(), (int)m_pPoints.size());
  if (!m_selTracker.m_rect.IsRectEmpty()) {
    // An outlined selection does not survive a zoom: its floating piece goes without being merged.
    m_selTracker.Reset();
    m_selTracker.FreePoints();
    if (pDoc != NULL) {
      delete pDoc->m_pSelection;
      pDoc->m_pSelection = NULL;
    }
  }
  m_fPrevZoom = m_fZoom;
}

void CFramletView::SetStatusText(int nPane, LPCSTR lpszText) {
  if (CEditorStatusSink* pSink = dynamic_cast<CEditorStatusSink*>(AfxGetMainWnd()))
    pSink->SetStatusText(nPane, lpszText);
}

void CFramletView::ShowPositionStatus(int x, int y) {
  const int m = g_nCanvasMargin;
  CString strText;
  strText.Format("x,y:%d, %d", (int)((x + m_nScrollX - m) / m_fZoom), (int)((y + m_nScrollY - m) / m_fZoom));
  SetStatusText(STATUS_PANE_POSITION, strText);
}

void CFramletView::ShowSizeStatus(int nWidth, int nHeight) {
  CString strText;
  strText.Format("Size:%d x %d", nWidth, nHeight);
  SetStatusText(STATUS_PANE_SIZE, strText);
  g_nImageWidth = nWidth;
  g_nImageHeight = nHeight;
}

void CFramletView::ShowZoomStatus(float fZoom) {
  CString strText;
  strText.Format("Zoom:%d%%", (int)(fZoom * 100));
  SetStatusText(STATUS_PANE_ZOOM, strText);
}

int CFramletView::GetScreenDpi() {
  Gdiplus::Graphics graphics(m_hWnd);
  return (int)graphics.GetDpiX();
}
