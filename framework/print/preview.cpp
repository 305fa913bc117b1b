// Print preview: the view's commands that enter it, and the preview view that shows the pages as
// white sheets inside the main frame until it is closed.
#include "framework/print/fw_print.h"

#include "framework/res/fw_res.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
const int kMargin = 8; // grey around the sheet
const int kShadow = 3; // the sheet's shadow, right and below
const int kLine = 16;  // a scroll-bar arrow's step

void CALLBACK ClosePreviewOfFrame(CFrameWnd* pFrameWnd) {
  CPreviewView* pView = DYNAMIC_DOWNCAST(CPreviewView, pFrameWnd->GetActiveView());
  if (pView != NULL)
    pView->OnPreviewClose();
}
} // namespace

// ---------------------------------------------------------------------------------------------
// The view's part

void CView::OnFilePrintPreview() {
  CPrintPreviewState* pState = new CPrintPreviewState;
  if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState)) {
    delete pState;
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
  }
}

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState) {
  CFrameWnd* pParent = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd());
  if (pParent == NULL || pPrintView == NULL || pPreviewViewClass == NULL ||
      !pPreviewViewClass->IsDerivedFrom(RUNTIME_CLASS(CPreviewView)))
    return FALSE;
  if (pParent->m_lpfnCloseProc != NULL) {
    delete pState; // a preview shows already
    return TRUE;
  }
  // The job is prepared before the frame changes: a refusal (no printer, the user cancelled) has
  // been reported by then and leaves everything as it was.
  std::unique_ptr<CPrintInfo> pInfo(new CPrintInfo);
  pInfo->m_bPreview = TRUE;
  if (!pPrintView->OnPreparePrinting(pInfo.get())) {
    delete pState;
    return TRUE;
  }
  if (pInfo->m_pPD->m_pd.hDC == NULL)
    return FALSE;

  pState->lpfnCloseProc = ClosePreviewOfFrame;
  pParent->OnSetPreviewMode(TRUE, pState);
  CPreviewBar* pBar = new CPreviewBar;
  if (!pBar->Create(pParent, nIDResource)) {
    delete pBar;
    pParent->OnSetPreviewMode(FALSE, pState);
    return FALSE;
  }
  pBar->m_bAutoDelete = TRUE;
  CPreviewView* pView = static_cast<CPreviewView*>(pPreviewViewClass->CreateObject());
  CCreateContext context;
  context.m_pCurrentFrame = pParent;
  context.m_pLastView = this;
  // A view that fails to be created has deleted itself.
  if (pView == NULL || !pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pParent,
                                      AFX_IDW_PANE_FIRST, &context)) {
    pBar->DestroyWindow();
    pParent->OnSetPreviewMode(FALSE, pState);
    return FALSE;
  }
  if (!pView->SetPrintView(pPrintView, pInfo.get())) {
    pView->m_pPreviewInfo = NULL; // still ours
    pView->DestroyWindow();
    pBar->DestroyWindow();
    pParent->OnSetPreviewMode(FALSE, pState);
    return FALSE;
  }
  pInfo.release();
  pView->m_pToolBar = pBar;
  pView->m_pPreviewState = pState;
  pView->m_pOrigView = this;

  // The preview becomes the frame's active view; the view that was active hears it lost that.
  pState->pViewActiveOld = pParent->GetActiveView();
  CFrameWnd* pActiveFrame = pParent->GetActiveFrame();
  CView* pActiveView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
  if (pActiveView != NULL)
    pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
  pParent->SetActiveView(pView);
  pBar->ShowWindow(SW_SHOW);
  pParent->RecalcLayout();
  pParent->UpdateWindow();
  // The first page is drawn: the buttons can tell now what they can do.
  pBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView*) {
  OnEndPrinting(pDC, pInfo);
}

// ---------------------------------------------------------------------------------------------
// CPreviewView

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
ON_COMMAND(IDCANCEL, OnPreviewClose)
ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pOrigView(NULL), m_pPrintView(NULL), m_pPreviewInfo(NULL), m_pPreviewDC(NULL), m_pToolBar(NULL),
      m_pPreviewState(NULL), m_nCurrentPage(1), m_nZoomState(0), m_sizePrinterPage(1, 1),
      m_ptPrinterOffset(0, 0), m_sizePrinterPixels(1, 1), m_sizeSheet(0, 0), m_nSheetPage(0),
      m_bNextPage(FALSE), m_ptScroll(0, 0), m_bInScrollUpdate(FALSE) {}

CPreviewView::~CPreviewView() {
  // The preview DC borrows the printer DC that the job's print dialog deletes.
  delete m_pPreviewDC;
  delete m_pPreviewInfo;
  delete m_pPreviewState;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView, CPrintInfo* pInfo) {
  m_pPrintView = pPrintView;
  m_pPreviewInfo = pInfo;
  HDC hPrinterDC = pInfo->m_pPD->m_pd.hDC;
  m_pPreviewDC = new CDC;
  if (hPrinterDC == NULL || !m_pPreviewDC->Attach(::CreateCompatibleDC(NULL)))
    return FALSE;
  m_pPreviewDC->SetAttribDC(hPrinterDC);
  m_pPreviewDC->m_bPrinting = TRUE;
  m_sizePrinterPage.cx = std::max(1, ::GetDeviceCaps(hPrinterDC, PHYSICALWIDTH));
  m_sizePrinterPage.cy = std::max(1, ::GetDeviceCaps(hPrinterDC, PHYSICALHEIGHT));
  m_ptPrinterOffset.x = ::GetDeviceCaps(hPrinterDC, PHYSICALOFFSETX);
  m_ptPrinterOffset.y = ::GetDeviceCaps(hPrinterDC, PHYSICALOFFSETY);
  m_sizePrinterPixels.cx = std::max(1, ::GetDeviceCaps(hPrinterDC, LOGPIXELSX));
  m_sizePrinterPixels.cy = std::max(1, ::GetDeviceCaps(hPrinterDC, LOGPIXELSY));
  m_nCurrentPage = std::max(pInfo->m_nCurPage, pInfo->GetMinPage());
  pPrintView->OnBeginPrinting(m_pPreviewDC, pInfo);
  return TRUE;
}

void CPreviewView::OnPreviewClose() {
  CFrameWnd* pParent = GetParentFrame();
  if (m_pToolBar != NULL) {
    m_pToolBar->DestroyWindow();
    m_pToolBar = NULL;
  }
  // This view leaves the pane's place before the pane takes it back.
  ShowWindow(SW_HIDE);
  SetDlgCtrlID(0);
  if (pParent != NULL) {
    pParent->OnSetPreviewMode(FALSE, m_pPreviewState);
    pParent->SetActiveView(m_pPreviewState->pViewActiveOld);
    CFrameWnd* pActiveFrame = pParent->GetActiveFrame();
    CView* pActiveView = pActiveFrame != NULL ? pActiveFrame->GetActiveView() : NULL;
    if (pActiveView != NULL)
      pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    pParent->RecalcLayout();
  }
  if (m_pPrintView != NULL) {
    m_pPreviewInfo->m_nCurPage = m_nCurrentPage;
    m_pPrintView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, m_ptScroll, this);
  }
  DestroyWindow(); // deletes this view
  if (pParent != NULL)
    pParent->UpdateWindow();
}

// ---------------------------------------------------------------------------------------------
// Geometry and painting

CSize CPreviewView::SheetSize(int nZoomState) const {
  // Fitted to the client area as if no scroll bar took any of it, so that showing one changes nothing.
  CRect rect;
  GetClientRect(rect);
  if (GetStyle() & WS_VSCROLL)
    rect.right += ::GetSystemMetrics(SM_CXVSCROLL);
  if (GetStyle() & WS_HSCROLL)
    rect.bottom += ::GetSystemMetrics(SM_CYHSCROLL);
  double cxInches = static_cast<double>(m_sizePrinterPage.cx) / m_sizePrinterPixels.cx;
  double cyInches = static_cast<double>(m_sizePrinterPage.cy) / m_sizePrinterPixels.cy;
  double fit = std::min((rect.Width() - 2 * kMargin - kShadow) / cxInches,
                        (rect.Height() - 2 * kMargin - kShadow) / cyInches);
  fit = std::max(fit, 1.0);
  HDC hScreen = ::GetDC(NULL);
  double actual = std::max<double>(fit, ::GetDeviceCaps(hScreen, LOGPIXELSX));
  ::ReleaseDC(NULL, hScreen);
  // Screen pixels an inch: the whole page, actual size, and half way.
  double scale = nZoomState <= 0 ? fit : nZoomState == 1 ? (fit + actual) / 2 : actual;
  return CSize(std::max(1, static_cast<int>(std::lround(cxInches * scale))),
               std::max(1, static_cast<int>(std::lround(cyInches * scale))));
}

CRect CPreviewView::GetPageRect() const {
  CRect rectClient;
  GetClientRect(rectClient);
  CSize size = SheetSize(m_nZoomState);
  // Centred while it fits, else at the margin less the scroll position.
  int x = size.cx + 2 * kMargin + kShadow <= rectClient.Width() ? (rectClient.Width() - size.cx - kShadow) / 2
                                                                : kMargin - m_ptScroll.x;
  int y = size.cy + 2 * kMargin + kShadow <= rectClient.Height()
              ? (rectClient.Height() - size.cy - kShadow) / 2
              : kMargin - m_ptScroll.y;
  return CRect(x, y, x + size.cx, y + size.cy);
}

void CPreviewView::RenderPage() {
  CSize size = SheetSize(m_nZoomState);
  if (m_nSheetPage == m_nCurrentPage && size == m_sizeSheet && m_bmpSheet.m_hObject != NULL)
    return;
  CPrintInfo* pInfo = m_pPreviewInfo;
  HDC hMemDC = m_pPreviewDC->m_hDC;
  m_bmpSheet.DeleteObject();
  HDC hScreen = ::GetDC(NULL);
  m_bmpSheet.Attach(::CreateCompatibleBitmap(hScreen, size.cx, size.cy));
  ::ReleaseDC(NULL, hScreen);
  m_sizeSheet = size;
  m_nSheetPage = m_nCurrentPage;
  HGDIOBJ hOldBitmap = ::SelectObject(hMemDC, m_bmpSheet.m_hObject);
  ::PatBlt(hMemDC, 0, 0, size.cx, size.cy, WHITENESS);

  // Printer pixels become sheet pixels through the world transform, so the printing view draws in
  // the printer's coordinates and asks the printer DC about fonts and sizes.
  XFORM xform = {};
  xform.eM11 = static_cast<FLOAT>(size.cx) / m_sizePrinterPage.cx;
  xform.eM22 = static_cast<FLOAT>(size.cy) / m_sizePrinterPage.cy;
  xform.eDx = m_ptPrinterOffset.x * xform.eM11;
  xform.eDy = m_ptPrinterOffset.y * xform.eM22;
  auto prepare = [&](UINT nPage) {
    m_pPreviewDC->SaveDC();
    ::SetGraphicsMode(hMemDC, GM_ADVANCED);
    ::SetWorldTransform(hMemDC, &xform);
    pInfo->m_nCurPage = nPage;
    pInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(m_pPreviewDC, pInfo);
  };
  prepare(m_nCurrentPage);
  if (pInfo->m_bContinuePrinting) {
    pInfo->m_rectDraw.SetRect(0, 0, m_pPreviewDC->GetDeviceCaps(HORZRES),
                              m_pPreviewDC->GetDeviceCaps(VERTRES));
    m_pPreviewDC->DPtoLP(&pInfo->m_rectDraw);
    m_pPrintView->OnPrint(m_pPreviewDC, pInfo);
  }
  m_pPreviewDC->RestoreDC(-1);
  // Whether a next page exists is asked the way the print loop asks it.
  m_bNextPage = FALSE;
  if (m_nCurrentPage < pInfo->GetMaxPage()) {
    prepare(m_nCurrentPage + 1);
    m_bNextPage = pInfo->m_bContinuePrinting;
    m_pPreviewDC->RestoreDC(-1);
  }
  pInfo->m_nCurPage = m_nCurrentPage;
  ::SelectObject(hMemDC, hOldBitmap);
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; } // OnDraw paints every pixel

void CPreviewView::OnDraw(CDC* pDC) {
  if (m_pPreviewDC == NULL)
    return;
  RenderPage();
  CRect rectClient, rectPage = GetPageRect();
  GetClientRect(rectClient);
  // Grey around the sheet with the sheet's frame and shadow, then the sheet: no pixel twice.
  pDC->ExcludeClipRect(rectPage);
  pDC->FillSolidRect(rectClient, ::GetSysColor(COLOR_APPWORKSPACE));
  CRect rectFrame = rectPage;
  rectFrame.InflateRect(1, 1);
  pDC->Draw3dRect(rectFrame, RGB(0, 0, 0), RGB(0, 0, 0));
  COLORREF clrShadow = ::GetSysColor(COLOR_3DDKSHADOW);
  pDC->FillSolidRect(rectFrame.right, rectFrame.top + kShadow, kShadow, rectFrame.Height(), clrShadow);
  pDC->FillSolidRect(rectFrame.left + kShadow, rectFrame.bottom, rectFrame.Width(), kShadow, clrShadow);
  pDC->SelectClipRgn(NULL);
  CDC dcSheet;
  dcSheet.Attach(::CreateCompatibleDC(pDC->m_hDC));
  HGDIOBJ hOld = ::SelectObject(dcSheet.m_hDC, m_bmpSheet.m_hObject);
  pDC->BitBlt(rectPage.left, rectPage.top, rectPage.Width(), rectPage.Height(), &dcSheet, 0, 0, SRCCOPY);
  ::SelectObject(dcSheet.m_hDC, hOld);
}

// ---------------------------------------------------------------------------------------------
// Scrolling

void CPreviewView::UpdateScrollBars() {
  if (m_bInScrollUpdate)
    return;
  m_bInScrollUpdate = TRUE;
  // Each change of a bar's visibility resizes the client area; a second pass settles the other bar.
  for (int nPass = 0; nPass < 2; nPass++) {
    CRect rectClient;
    GetClientRect(rectClient);
    CSize size = SheetSize(m_nZoomState);
    const int nBars[2] = {SB_HORZ, SB_VERT};
    for (int nBar : nBars) {
      int nTotal = (nBar == SB_HORZ ? size.cx : size.cy) + 2 * kMargin + kShadow;
      int nPage = nBar == SB_HORZ ? rectClient.Width() : rectClient.Height();
      LONG& nPos = nBar == SB_HORZ ? m_ptScroll.x : m_ptScroll.y;
      nPos = nTotal > nPage ? std::max(0L, std::min<LONG>(nPos, nTotal - nPage)) : 0;
      SCROLLINFO si = {sizeof(si),
                       SIF_ALL,
                       0,
                       nTotal > nPage ? nTotal - 1 : 0,
                       static_cast<UINT>(nPage),
                       static_cast<int>(nPos)};
      ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
    }
  }
  m_bInScrollUpdate = FALSE;
}

void CPreviewView::ScrollBy(int nBar, int nDelta) {
  LONG& nPos = nBar == SB_HORZ ? m_ptScroll.x : m_ptScroll.y;
  nPos += nDelta;
  UpdateScrollBars(); // clamps
  Invalidate(FALSE);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy) {
  CView::OnSize(nType, cx, cy);
  UpdateScrollBars();
  Invalidate(FALSE);
}

namespace {
// The distance a scroll-bar action asks for, or the absolute position for the thumb.
bool ScrollDelta(HWND hWnd, int nBar, UINT nSBCode, int& nDelta) {
  SCROLLINFO si = {sizeof(si), SIF_ALL};
  ::GetScrollInfo(hWnd, nBar, &si);
  switch (nSBCode) {
  case SB_LINEUP:
    nDelta = -kLine;
    return true;
  case SB_LINEDOWN:
    nDelta = kLine;
    return true;
  case SB_PAGEUP:
    nDelta = -static_cast<int>(si.nPage);
    return true;
  case SB_PAGEDOWN:
    nDelta = static_cast<int>(si.nPage);
    return true;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    nDelta = si.nTrackPos - si.nPos;
    return true;
  default:
    return false;
  }
}
} // namespace

void CPreviewView::OnHScroll(UINT nSBCode, UINT, CScrollBar*) {
  int nDelta = 0;
  if (ScrollDelta(m_hWnd, SB_HORZ, nSBCode, nDelta))
    ScrollBy(SB_HORZ, nDelta);
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT, CScrollBar*) {
  int nDelta = 0;
  if (ScrollDelta(m_hWnd, SB_VERT, nSBCode, nDelta))
    ScrollBy(SB_VERT, nDelta);
}

// ---------------------------------------------------------------------------------------------
// Commands

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
  case VK_ESCAPE:
    OnPreviewClose();
    break;
  case VK_NEXT:
    OnNextPage();
    break;
  case VK_PRIOR:
    OnPrevPage();
    break;
  default:
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

void CPreviewView::OnPreviewPrint() {
  // The preview goes first; then the printing view prints with the dialog.
  CView* pPrintView = m_pPrintView;
  OnPreviewClose();
  if (pPrintView != NULL && ::IsWindow(pPrintView->m_hWnd))
    pPrintView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnNextPage() {
  if (!m_bNextPage)
    return;
  m_nCurrentPage++;
  Invalidate(FALSE);
}

void CPreviewView::OnPrevPage() {
  if (m_nCurrentPage <= m_pPreviewInfo->GetMinPage())
    return;
  m_nCurrentPage--;
  Invalidate(FALSE);
}

void CPreviewView::SetZoomState(int nZoomState) {
  m_nZoomState = std::max(0, std::min(2, nZoomState));
  m_ptScroll = CPoint(0, 0);
  UpdateScrollBars();
  Invalidate(FALSE);
}

void CPreviewView::OnZoomIn() {
  if (SheetSize(m_nZoomState + 1).cx > SheetSize(m_nZoomState).cx)
    SetZoomState(m_nZoomState + 1);
}

void CPreviewView::OnZoomOut() { SetZoomState(m_nZoomState - 1); }

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bNextPage); }

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pPreviewInfo != NULL && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_nZoomState < 2 && SheetSize(m_nZoomState + 1).cx > SheetSize(m_nZoomState).cx);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI) { pCmdUI->Enable(m_nZoomState > 0); }
