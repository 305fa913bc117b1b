#include "tests/common/frame_support.h"

IMPLEMENT_DYNCREATE(CLabDoc, CDocument)
IMPLEMENT_DYNCREATE(CLabView, CView)
IMPLEMENT_DYNCREATE(CLabChild, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CLabFrame, CMDIFrameWnd)

void CLabView::OnDraw(CDC* pDC) {
  CRect rc;
  GetClientRect(rc);
  pDC->FillSolidRect(rc, m_clr);
}

BEGIN_MESSAGE_MAP(CLabFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_LAB_COMMAND, OnLabCommand)
END_MESSAGE_MAP()

int CLabFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CMDIFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_REC};
  if (!m_wndStatus.Create(this) || !m_wndStatus.SetIndicators(indicators, 4))
    return -1;
  return 0;
}

BEGIN_MESSAGE_MAP(CLabBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CLabBar::CreateBar(CWnd* pParent, UINT nID, DWORD dwBarStyle, CSize size, LPCSTR lpszName,
                        BOOL bVisible) {
  m_size = size;
  m_dwStyle = dwBarStyle;
  LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return Create(lpszClass, lpszName, WS_CHILD | (bVisible ? WS_VISIBLE : 0), CRect(0, 0, 0, 0), pParent, nID);
}

CSize CLabBar::CalcDynamicLayout(int, DWORD dwMode) {
  return (dwMode & LM_HORZ) ? m_size : CSize(m_size.cy, m_size.cx);
}

LRESULT CLabBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  if (m_pLog != NULL) {
    CString strName;
    GetWindowText(strName);
    m_pLog->push_back(static_cast<LPCSTR>(strName));
  }
  return CControlBar::OnSizeParent(wParam, lParam);
}

HMENU LabDocMenu() {
  static HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_LAB_DOC));
  return hMenu;
}

CLabFrame* CreateLabFrame(CLabFrame* pFrame) {
  CTestApp& app = TheTestApp();
  if (pFrame == NULL)
    pFrame = new CLabFrame;
  if (!pFrame->LoadFrame(IDR_LAB, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    return NULL; // a frame that fails to load has deleted itself
  app.m_pMainWnd = pFrame;
  pFrame->SetWindowPos(NULL, 20, 20, 700, 500, SWP_NOZORDER | SWP_SHOWWINDOW);
  pFrame->UpdateWindow();
  return pFrame;
}

void DestroyLabFrame(CFrameWnd* pFrame) {
  TheTestApp().m_pMainWnd = NULL;
  if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
    pFrame->DestroyWindow();
  PumpPending();
}

CLabChild* OpenLabChild(CLabFrame* pFrame, LPCSTR lpszTitle) {
  CLabDoc* pDoc = new CLabDoc;
  pDoc->m_strTitle = lpszTitle;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CLabView);
  context.m_pCurrentDoc = pDoc;
  CLabChild* pChild = new CLabChild;
  pChild->m_hMenuShared = LabDocMenu();
  // Auto-deletion waits until the frame has its view.
  pDoc->m_bAutoDelete = FALSE;
  BOOL bOk =
      pChild->LoadFrame(IDR_LAB_DOC, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, pFrame, &context);
  pDoc->m_bAutoDelete = TRUE;
  if (!bOk) {
    delete pDoc;
    return NULL;
  }
  pChild->InitialUpdateFrame(pDoc, TRUE);
  return pChild;
}

std::string StatusText(CStatusBar& bar, int nIndex) {
  char szText[256] = "";
  ::SendMessageA(bar.m_hWnd, SB_GETTEXTA, nIndex, reinterpret_cast<LPARAM>(szText));
  return szText;
}
