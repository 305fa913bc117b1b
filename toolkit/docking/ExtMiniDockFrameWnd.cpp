// The floating frame of toolkit bars: creation without the system's caption and frame, the
// layout of its caption and caption buttons, the work-area rules, timers and the plain messages.
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/foundation/ExtToolInfoText.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CExtMiniDockFrameWnd, CMiniDockFrameWnd)
ON_WM_NCMOUSEMOVE()
ON_WM_TIMER()
ON_WM_NCPAINT()
ON_WM_NCACTIVATE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONUP()
ON_WM_NCRBUTTONDOWN()
ON_WM_GETMINMAXINFO()
ON_WM_WINDOWPOSCHANGING()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_ERASEBKGND()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_CANCELMODE()
ON_WM_PAINT()
ON_WM_NCCALCSIZE()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace {

// The system's caption, thick frame and the mini frame's four-sided frame: the frame draws its own.
const DWORD kSystemFrameStyles = WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME;
const DWORD kSystemFrameExStyles =
    WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
const DWORD kRightToLeftExStyles = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;
const UINT kFrameChangeFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE |
                               SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

// Set while the frame moves itself back onto the work area.
bool g_bCorrectingPosition = false;

void RemoveSystemFrame(CWnd* pWnd) {
  if ((pWnd->GetStyle() & kSystemFrameStyles) != 0 || (pWnd->GetExStyle() & kSystemFrameExStyles) != 0) {
    pWnd->ModifyStyle(kSystemFrameStyles, 0, 0);
    pWnd->ModifyStyleEx(kSystemFrameExStyles, 0, 0);
    pWnd->SetWindowPos(NULL, 0, 0, 0, 0, kFrameChangeFlags);
  }
}

} // namespace

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd()
    : m_rcCloseButton(0, 0, 0, 0), m_bCloseButtonHover(0), m_rcFrameCaption(0, 0, 0, 0),
      m_ptLastResizing(-1, -1), m_nResizingHit(0), m_rcWndResizingStart(0, 0, 0, 0) {}

CExtMiniDockFrameWnd::~CExtMiniDockFrameWnd() {
  if (m_wndToolTip.GetSafeHwnd() != NULL)
    m_wndToolTip.DestroyWindow();
}

bool CExtMiniDockFrameWnd::QueryFloatingCaption(CFrameWnd* pMiniFrame, CRect& rcCaption) {
  const CExtMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pMiniFrame);
  if (pFrame == NULL)
    return false;
  rcCaption = pFrame->m_rcFrameCaption;
  return true;
}

CDockBar* CExtMiniDockFrameWnd::CreateDockBar() {
  CExtDockBar* pDock = new CExtDockBar(0);
  pDock->m_bFloating = TRUE;
  return pDock;
}

CExtDockBar* CExtMiniDockFrameWnd::GetExtDockBar() const {
  return DYNAMIC_DOWNCAST(CExtDockBar, m_pWndDockBar);
}

CControlBar* CExtMiniDockFrameWnd::GetFloatingControlBar() const {
  if (m_hWnd == NULL)
    return NULL;
  HWND hDock = ::GetWindow(m_hWnd, GW_CHILD);
  HWND hBar = hDock != NULL ? ::GetWindow(hDock, GW_CHILD) : NULL;
  return hBar != NULL ? DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hBar)) : NULL;
}

CExtControlBar* CExtMiniDockFrameWnd::GetFloatingBar() const {
  return DYNAMIC_DOWNCAST(CExtControlBar, GetFloatingControlBar());
}

bool CExtMiniDockFrameWnd::IsFloatingBarFixedMode() const {
  CExtControlBar* pBar = GetFloatingBar();
  return pBar != NULL && pBar->IsFixedMode();
}

BOOL CExtMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CMiniDockFrameWnd::PreCreateWindow(cs))
    return FALSE;
  cs.dwExStyle &= ~kRightToLeftExStyles;
  return TRUE;
}

BOOL CExtMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
    return FALSE;
  CExtControlBar::g_pfnQueryFloatingCaption = &CExtMiniDockFrameWnd::QueryFloatingCaption;
  for (CWnd* pWnd : {static_cast<CWnd*>(this), static_cast<CWnd*>(m_pWndDockBar)}) {
    pWnd->ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    pWnd->ModifyStyleEx(kRightToLeftExStyles, 0);
  }
  RemoveSystemFrame(this);
  SetTimer(TIMER_RELAYOUT_BUTTONS, 1, NULL);
  EnableToolTips(TRUE);
  // Tips of the caption buttons come through the bar's tip window; a frame without it still works.
  if (m_wndToolTip.Create(this))
    m_wndToolTip.Activate(TRUE);
  return TRUE;
}

void CExtMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT /*nAdjustType*/) {
  ::InflateRect(lpClientRect, ::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
  lpClientRect->top -= ::GetSystemMetrics(SM_CYSMCAPTION);
}

INT_PTR CExtMiniDockFrameWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  CExtControlBar* pBar = GetFloatingBar();
  if (pBar == NULL || (pBar->GetBarStyle() & CBRS_TOOLTIPS) == 0 || m_wndToolTip.GetSafeHwnd() == NULL)
    return -1;
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  CPoint ptBar = point;
  ClientToScreen(&ptBar);
  pBar->ScreenToClient(&ptBar);
  if (pBar->OnToolHitTest(ptBar, &ti) < 0)
    return -1;
  const CString strText = TakeToolInfoText(ti);
  if (strText.IsEmpty())
    return -1;
  CRect rcTool(ti.rect);
  CToolTipCtrl& tip = const_cast<CToolTipCtrl&>(m_wndToolTip);
  CWnd* pThis = const_cast<CExtMiniDockFrameWnd*>(this);
  tip.DelTool(pThis, 1);
  tip.AddTool(pThis, strText, &rcTool, 1);
  UNUSED_ALWAYS(pTI);
  return -1;
}

BOOL CExtMiniDockFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_wndToolTip.GetSafeHwnd() != NULL)
    m_wndToolTip.RelayEvent(pMsg);
  return CMiniDockFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CExtMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PRINT && message != WM_PRINTCLIENT)
    return CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
  CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
  if ((lParam & PRF_NONCLIENT) != 0)
    PaintNcArea(*pDC);
  if ((lParam & PRF_CHILDREN) != 0)
    CExtPaintManager::PrintChildWindows(m_hWnd, message, pDC->GetSafeHdc(), lParam, true);
  return 1;
}

// --- layout and the work area ------------------------------------------------------------------------

bool CExtMiniDockFrameWnd::FitsWorkArea(CSize size) const {
  MonitorParams params;
  CExtPaintManager::GetWorkAreaOfWindow(params, const_cast<CExtMiniDockFrameWnd*>(this));
  const CRect rcWork(params.m_rcWorkArea);
  return size.cx <= rcWork.Width() && size.cy <= rcWork.Height();
}

void CExtMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  if (!FitsWorkArea(rcWnd.Size())) {
    // Never larger than the work area: the frame keeps its place and is cut down to it.
    MonitorParams params;
    CExtPaintManager::GetWorkAreaOfWindow(params, this);
    const CRect rcWork(params.m_rcWorkArea);
    SetWindowPos(NULL, 0, 0, std::min(rcWnd.Width(), rcWork.Width()),
                 std::min(rcWnd.Height(), rcWork.Height()), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    return;
  }
  CMiniDockFrameWnd::OnSize(nType, cx, cy);
  const int cxFrame = ::GetSystemMetrics(SM_CXFRAME), cyFrame = ::GetSystemMetrics(SM_CYFRAME);
  m_rcFrameCaption.SetRect(cxFrame, cyFrame, rcWnd.Width() - cxFrame,
                           cyFrame + ::GetSystemMetrics(SM_CYSMSIZE));
  const int cxButton = ::GetSystemMetrics(SM_CXSMSIZE) - 1;
  m_rcCloseButton.left = m_rcFrameCaption.right - cxButton - 1;
  m_rcCloseButton.top = m_rcFrameCaption.top + 2;
  m_rcCloseButton.right = m_rcCloseButton.left + cxButton - 2;
  m_rcCloseButton.bottom = m_rcFrameCaption.bottom - 2;
  if (CExtControlBar* pBar = GetFloatingBar()) {
    pBar->InitNcAreaButtons();
    pBar->RepositionNcAreaButtons();
  }
  CExtPaintManager::PumpPendingMessages(true, true, true);
}

void CExtMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  CMiniDockFrameWnd::OnGetMinMaxInfo(lpMMI);
  MonitorParams params;
  CExtPaintManager::GetWorkAreaOfWindow(params, this);
  const CRect rcWork(params.m_rcWorkArea);
  lpMMI->ptMaxTrackSize.x = std::min<LONG>(lpMMI->ptMaxTrackSize.x, rcWork.Width());
  lpMMI->ptMaxTrackSize.y = std::min<LONG>(lpMMI->ptMaxTrackSize.y, rcWork.Height());
}

void CExtMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  CMiniDockFrameWnd::OnWindowPosChanging(lpwndpos);
  // The system never gets a caption or frame of its own to draw.
  RemoveSystemFrame(this);
}

void CExtMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  CMiniDockFrameWnd::OnWindowPosChanged(lpwndpos);
  // A frame is placed before its bar arrives: the rule applies again when it is shown, so that one
  // created off the work area does not come up with its caption out of reach.
  const bool bMovedOrShown = (lpwndpos->flags & (SWP_NOMOVE | SWP_SHOWWINDOW)) != SWP_NOMOVE;
  if (IsResizing() || !bMovedOrShown || GetFloatingBar() == NULL || g_bCorrectingPosition)
    return;
  KeepCaptionOnWorkArea();
}

void CExtMiniDockFrameWnd::KeepCaptionOnWorkArea() {
  MonitorParams params;
  CExtPaintManager::GetWorkAreaOfWindow(params, this);
  const CRect rcWork(params.m_rcWorkArea);
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
  int nTop = rcWnd.top;
  if (rcWnd.bottom < rcWork.top)
    nTop = rcWork.top;
  else if (rcWnd.top + cyCaption > rcWork.bottom)
    nTop = std::max<LONG>(rcWork.bottom - cyCaption, rcWork.top);
  if (nTop == rcWnd.top)
    return;
  g_bCorrectingPosition = true;
  SetWindowPos(NULL, rcWnd.left, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  g_bCorrectingPosition = false;
  if (CExtControlBar* pBar = GetFloatingBar())
    pBar->RepositionNcAreaButtons();
  PostMessage(WM_NCPAINT);
  CExtPaintManager::PumpPendingMessages(true, true, true);
}

// --- timers, activation and the plain messages ---------------------------------------------------

void CExtMiniDockFrameWnd::OnTimer(UINT nIDEvent) {
  if (nIDEvent == TIMER_RELAYOUT_BUTTONS) {
    KillTimer(TIMER_RELAYOUT_BUTTONS);
    if (CExtControlBar* pBar = GetFloatingBar())
      pBar->RepositionNcAreaButtons();
    if (IsWindowVisible())
      SendMessage(WM_NCPAINT);
    return;
  }
  if (nIDEvent == TIMER_CLOSE_HOVER) {
    CPoint pt;
    if (::GetCursorPos(&pt))
      CloseButtonHoverStep(pt);
    return;
  }
  CMiniDockFrameWnd::OnTimer(nIDEvent);
}

void CExtMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  CMiniDockFrameWnd::RecalcLayout(bNotify);
  // A bar joining the frame's bar or leaving it changes what the caption shows, which nothing else
  // draws again: the frame's own window text changes only with its dock bar's.
  if (m_hWnd != NULL && IsWindowVisible())
    SendMessage(WM_NCPAINT);
}

BOOL CExtMiniDockFrameWnd::OnNcActivate(BOOL bActive) {
  BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
  SendMessage(WM_NCPAINT);
  CControlBar* pBar = GetFloatingControlBar();
  if (bActive && pBar != NULL)
    pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return bResult;
}

void CExtMiniDockFrameWnd::OnCancelMode() {
  CMiniDockFrameWnd::OnCancelMode();
  CExtPopupMenuWnd::CancelAllTracking();
  CWnd::CancelToolTips();
  StopResizing();
}

BOOL CExtMiniDockFrameWnd::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CExtMiniDockFrameWnd::OnPaint() {
  // The dock bar covers the client area.
  ValidateRect(NULL);
}
