// The floating frame's border resizing: a modal loop that follows the pointer and resizes the bar
// live, a resizable bar to any size within the work area, a fixed-mode bar to the sizes its layout
// allows, always keeping its top-left corner.
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

#include "framework/app/fw_app.h"
#include "toolkit/docking/ExtBarModalLoop.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>

namespace {

// Set while one step runs: the frame's own moves must not start another.
bool g_bInResizingStep = false;

bool IsBorderCode(UINT nHit) { return nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT; }
bool DragsLeft(UINT nHit) { return nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT; }
bool DragsRight(UINT nHit) { return nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT; }
bool DragsTop(UINT nHit) { return nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT; }
bool DragsBottom(UINT nHit) { return nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT; }

bool EndsResizing(UINT nMsg) {
  return nMsg == WM_ACTIVATEAPP || nMsg == WM_COMMAND || (nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST);
}

} // namespace

void CExtMiniDockFrameWnd::TrackResizing(UINT nHitTest, CPoint ptScreen) {
  CExtPopupMenuWnd::CancelAllTracking();
  CWnd::CancelToolTips();
  CExtControlBar* pBar = GetFloatingBar();
  if (pBar == NULL || IsResizing())
    return;
  if (pBar->IsFixedMode() && !pBar->IsShowContentWhileDragging()) {
    if (pBar->m_pDockContext != NULL)
      pBar->m_pDockContext->StartResize(nHitTest, ptScreen);
    return;
  }
  if (!IsBorderCode(nHitTest))
    return;
  // A resizable bar takes the frame's size; the frame stops fitting itself around the bar meanwhile.
  if (!pBar->IsFixedMode())
    ModifyStyle(FWS_SNAPTOBARS, 0);
  BringWindowToTop();
  CExtMouseCaptureSink::SetCapture(m_hWnd);
  GetWindowRect(&m_rcWndResizingStart);
  m_nResizingHit = nHitTest;
  RunResizingLoop();
  StopResizing();
}

bool CExtMiniDockFrameWnd::RunResizingLoop() {
  while (IsResizing()) {
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      CWinThread* pThread = AfxGetThread();
      if (CExtControlBar::g_bIdleInModalLoops && pThread != NULL) {
        for (LONG nIdle = 0; pThread->OnIdle(nIdle); ++nIdle) {
        }
      }
      ::WaitMessage();
      continue;
    }
    // The message that ends the loop stays queued for the normal pump.
    if (EndsResizing(msg.message))
      return true;
    if (msg.message == WM_MOUSEMOVE) {
      TakeQueuedMouseMoves(msg);
      CPoint pt;
      if (::GetCursorPos(&pt))
        ResizingStep(pt);
      continue;
    }
    if (CExtMouseCaptureSink::GetCapture() != m_hWnd)
      return true;
    if (!PumpModalLoopMessage())
      return false;
  }
  return true;
}

void CExtMiniDockFrameWnd::StopResizing() {
  m_ptLastResizing = CPoint(-1, -1);
  if (!IsResizing())
    return;
  // Cleared first: giving the capture back reports WM_CAPTURECHANGED, which ends resizing too.
  m_nResizingHit = 0;
  if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
  CExtControlBar* pBar = GetFloatingBar();
  if (pBar != NULL && !pBar->IsFixedMode())
    ModifyStyle(0, FWS_SNAPTOBARS);
}

void CExtMiniDockFrameWnd::ResizingStep(CPoint pt) {
  CExtControlBar* pBar = GetFloatingBar();
  if (g_bInResizingStep || pt == m_ptLastResizing || pBar == NULL || !IsResizing())
    return;
  g_bInResizingStep = true;
  m_ptLastResizing = pt;
  // What the frame keeps around the bar: its non-client area and the edge its dock bar adds, so
  // that the frame's own layout afterwards gives the same size again.
  CRect rcWnd, rcBar;
  GetWindowRect(&rcWnd);
  pBar->GetWindowRect(&rcBar);
  const CSize sizeNc = rcWnd.Size() - rcBar.Size();
  const CSize sizeMin(std::max<LONG>(sizeNc.cx, pBar->CalcMinWidth()),
                      std::max<LONG>(sizeNc.cy, pBar->CalcMinHeight()));
  UINT nHit = m_nResizingHit;
  if (pBar->IsFixedMode()) {
    // A fixed-mode bar keeps its top-left corner: the left and top edges act as the right and
    // bottom ones, the pointer mirrored inside the rectangle the resizing started with (the
    // window itself grows away from the pointer as it goes).
    if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
      nHit = HTTOP;
    else if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
      nHit = HTBOTTOM;
    if (nHit == HTLEFT) {
      nHit = HTRIGHT;
      pt.x = m_rcWndResizingStart.left + m_rcWndResizingStart.right - pt.x;
    } else if (nHit == HTTOP) {
      nHit = HTBOTTOM;
      pt.y = m_rcWndResizingStart.top + m_rcWndResizingStart.bottom - pt.y;
    }
  }
  CRect rcNew(rcWnd);
  if (DragsLeft(nHit))
    rcNew.left = std::min(pt.x, rcNew.right);
  if (DragsRight(nHit))
    rcNew.right = std::max(pt.x, rcNew.left);
  if (DragsTop(nHit))
    rcNew.top = std::min(pt.y, rcNew.bottom);
  if (DragsBottom(nHit))
    rcNew.bottom = std::max(pt.y, rcNew.top);
  if (rcNew.Width() < sizeMin.cx) {
    rcNew.right = rcNew.left + sizeMin.cx;
    if (DragsLeft(nHit) && rcNew.right > rcWnd.right)
      rcNew.OffsetRect(rcWnd.right - rcNew.right, 0);
  }
  if (rcNew.Height() < sizeMin.cy) {
    rcNew.bottom = rcNew.top + sizeMin.cy;
    if (DragsTop(nHit) && rcNew.bottom > rcWnd.bottom)
      rcNew.OffsetRect(0, rcWnd.bottom - rcNew.bottom);
  }
  if (pBar->IsFixedMode()) {
    ResizeFixedBar(pBar, nHit, rcNew, sizeNc);
  } else {
    MonitorParams params;
    CExtPaintManager::GetWorkAreaOfWindow(params, this);
    const CRect rcWork(params.m_rcWorkArea);
    rcNew.right = rcNew.left + std::min(rcNew.Width(), rcWork.Width());
    rcNew.bottom = rcNew.top + std::min(rcNew.Height(), rcWork.Height());
    pBar->m_sizeFloated = rcNew.Size() - sizeNc;
    SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
    SetTimer(TIMER_RELAYOUT_BUTTONS, 1, NULL);
  }
  g_bInResizingStep = false;
}

void CExtMiniDockFrameWnd::ResizeFixedBar(CExtControlBar* pBar, UINT nHit, const CRect& rcNew, CSize sizeNc) {
  // The bar answers the size its layout allows for the dragged length.
  const bool bWidth = nHit == HTRIGHT;
  const int nLength = bWidth ? rcNew.Width() - sizeNc.cx : rcNew.Height() - sizeNc.cy;
  const DWORD dwMode = LM_COMMIT | LM_HORZ | (bWidth ? 0 : LM_LENGTHY);
  const CSize size = pBar->CalcDynamicLayout(nLength, dwMode);
  pBar->m_sizeFloated = size;
  SetWindowPos(NULL, rcNew.left, rcNew.top, size.cx + sizeNc.cx, size.cy + sizeNc.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessage(WM_NCPAINT);
  RecalcLayout();
  pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

// --- what ends resizing --------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnMouseMove(UINT nFlags, CPoint point) {
  if (!IsResizing()) {
    CMiniDockFrameWnd::OnMouseMove(nFlags, point);
    return;
  }
  CPoint pt;
  if (::GetCursorPos(&pt))
    ResizingStep(pt);
}

void CExtMiniDockFrameWnd::OnCaptureChanged(CWnd* pWnd) {
  if (IsResizing() && pWnd != this)
    StopResizing();
  CMiniDockFrameWnd::OnCaptureChanged(pWnd);
}

void CExtMiniDockFrameWnd::OnLButtonUp(UINT nFlags, CPoint point) {
  if (IsResizing())
    StopResizing();
  else
    CMiniDockFrameWnd::OnLButtonUp(nFlags, point);
}

void CExtMiniDockFrameWnd::OnRButtonDown(UINT nFlags, CPoint point) {
  if (IsResizing())
    StopResizing();
  else
    CMiniDockFrameWnd::OnRButtonDown(nFlags, point);
}
