// CView: a child window that shows a document, joins it when created, becomes its frame's active
// view when clicked, and routes commands to the document.
#include "framework/doc/fw_doc.h"

#include "framework/gdi/fw_gdi.h"
#include "framework/print/fw_print.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL) {}

CView::~CView() {
  if (m_pDocument != NULL)
    m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  // A view's border is a sunken edge.
  if (cs.style & WS_BORDER) {
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
  }
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1)
    return -1;
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
    pContext->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->GetActiveView() == this)
    pFrame->SetActiveView(NULL);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() { delete this; }

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnInitialUpdate() { OnUpdate(NULL, 0, NULL); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView*, CView*) {
  if (bActivate && IsTopParentActive())
    SetFocus();
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo) {
  // Without a known last page only page 1 is printed.
  if (pInfo != NULL)
    pInfo->m_bContinuePrinting = pInfo->GetMaxPage() != 0xFFFF || pInfo->m_nCurPage == 1;
}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
    return nResult;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL) {
    // A click re-activates this view or makes it the frame's active one.
    HWND hWndFocus = ::GetFocus();
    if (pFrame->GetActiveView() == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
      OnActivateView(TRUE, this, this);
    else
      pFrame->SetActiveView(this);
  }
  return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
