// CMiniDockFrameWnd: the small frame a floating bar lives in. Its only child is a floating dock bar
// (id 59423); the frame fits itself around the bars in it.
#include "framework/bars/fw_bars.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_pWndDockBar(NULL) {}

CMiniDockFrameWnd::~CMiniDockFrameWnd() {}

CDockBar* CMiniDockFrameWnd::CreateDockBar() { return new CDockBar(TRUE); }

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  // Nothing to lay out until a bar is docked.
  m_bInRecalcLayout = TRUE;
  DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                  MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
  if (dwBarStyle & CBRS_SIZE_DYNAMIC)
    dwStyle &= ~MFS_MOVEFRAME;
  if (!CMiniFrameWnd::CreateEx(0, NULL, "", dwStyle, rectDefault, pParent))
    return FALSE; // the object has deleted itself
  // Only Close is left in the system menu.
  CMenu* pSysMenu = GetSystemMenu(FALSE);
  if (pSysMenu != NULL) {
    for (UINT nCmd : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_MOVE, SC_TASKLIST})
      pSysMenu->DeleteMenu(nCmd, MF_BYCOMMAND);
  }
  DWORD dwDockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
  dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
  // Made in the parent frame, so it joins that frame's bars with it as dock site, then moved in.
  m_pWndDockBar = CreateDockBar();
  if (m_pWndDockBar == NULL ||
      !m_pWndDockBar->Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
    // A failed dock bar has deleted itself; the frame goes too, so failure always frees the object.
    m_pWndDockBar = NULL;
    DestroyWindow();
    return FALSE;
  }
  m_pWndDockBar->SetParent(this);
  m_bInRecalcLayout = FALSE;
  return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout)
    return;
  CMiniFrameWnd::RecalcLayout(bNotify);
  // The caption names the bar inside.
  if (m_pWndDockBar != NULL && m_pWndDockBar->m_hWnd != NULL) {
    CString strTitle;
    m_pWndDockBar->GetWindowText(strTitle);
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle)
      SetWindowText(strTitle);
  }
}

void CMiniDockFrameWnd::OnClose() {
  // Closing hides the bars; the frame goes when its last bar leaves.
  if (m_pWndDockBar != NULL)
    m_pWndDockBar->ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION)
    ActivateTopParent();
  CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  // A double click on the caption docks a single bar back where it was.
  if (nHitTest == HTCAPTION && m_pWndDockBar != NULL && !(m_pWndDockBar->m_dwStyle & CBRS_FLOAT_MULTI)) {
    for (INT_PTR i = 0; i < m_pWndDockBar->m_arrBars.GetSize(); i++) {
      CControlBar* pBar = m_pWndDockBar->GetDockedControlBar(static_cast<int>(i));
      if (pBar != NULL && pBar->m_pDockContext != NULL) {
        pBar->m_pDockContext->ToggleDocking();
        return;
      }
    }
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
