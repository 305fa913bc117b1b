// The floating frame's non-client area: its geometry, the hit test of borders, corners, caption
// and caption buttons, the presses on them, and the painting of borders, caption and buttons
// through the theme.
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtNcPaintRects.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/foundation/ExtRuntimeClass.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

bool IsBorderCode(UINT nHit) { return nHit >= HTLEFT && nHit <= HTBOTTOMRIGHT; }

// The system would track its own buttons for these codes, which the caption buttons borrow: they
// never reach the default handling.
bool IsSystemButtonCode(UINT nHit) { return nHit == HTMINBUTTON || nHit == HTMAXBUTTON || nHit == HTGROWBOX; }

// A fixed-mode bar hands its presses to the framework's docking context unless it shows its
// content while it moves.
bool UsesDockContext(CExtControlBar* pBar) {
  return pBar->IsFixedMode() && !pBar->IsShowContentWhileDragging();
}

// A fixed-mode bar resizes along one axis only: its corners size the height; a bar that cannot be
// resized at all is moved by its whole frame.
UINT FixedModeHit(UINT nHit, bool bResizable) {
  if (!IsBorderCode(nHit))
    return nHit;
  if (!bResizable)
    return HTCAPTION;
  if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
    return HTTOP;
  if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
    return HTBOTTOM;
  return nHit;
}

} // namespace

void CExtMiniDockFrameWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp) {
  RECT& rc = lpncsp->rgrc[0];
  ::InflateRect(&rc, -::GetSystemMetrics(SM_CXFRAME), -::GetSystemMetrics(SM_CYFRAME));
  rc.top += ::GetSystemMetrics(SM_CYSMCAPTION);
  if (rc.bottom < rc.top)
    rc.bottom = rc.top;
  if (rc.right < rc.left)
    rc.right = rc.left;
}

UINT CExtMiniDockFrameWnd::HitTestBorders(CPoint pt) const {
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  if (!rcWnd.PtInRect(pt))
    return HTNOWHERE;
  const int fx = ::GetSystemMetrics(SM_CXFRAME), fy = ::GetSystemMetrics(SM_CYFRAME),
            c = ::GetSystemMetrics(SM_CYSMCAPTION);
  const LONG l = rcWnd.left, t = rcWnd.top, r = rcWnd.right, b = rcWnd.bottom;
  // The corner zones along the top and bottom edges reach as far in from the right as from the
  // left: a zone only fy wide at the right would leave the right corners hard to grab.
  if (CRect(l, t, r, t + fy).PtInRect(pt))
    return CRect(l, t, l + c, t + fy).PtInRect(pt)   ? HTTOPLEFT
           : CRect(r - c, t, r, t + fy).PtInRect(pt) ? HTTOPRIGHT
                                                     : HTTOP;
  if (CRect(l, b - fy, r, b).PtInRect(pt))
    return CRect(l, b - fy, l + c, b).PtInRect(pt)   ? HTBOTTOMLEFT
           : CRect(r - c, b - fy, r, b).PtInRect(pt) ? HTBOTTOMRIGHT
                                                     : HTBOTTOM;
  if (CRect(l, t, l + fx, b).PtInRect(pt))
    return CRect(l, t, l + fx, t + c).PtInRect(pt)   ? HTTOPLEFT
           : CRect(l, b - c, l + fx, b).PtInRect(pt) ? HTBOTTOMLEFT
                                                     : HTLEFT;
  if (CRect(r - fx, t, r, b).PtInRect(pt))
    return CRect(r - fx, t, r, t + c).PtInRect(pt)   ? HTTOPRIGHT
           : CRect(r - fx, b - c, r, b).PtInRect(pt) ? HTBOTTOMRIGHT
                                                     : HTRIGHT;
  if (CRect(l, t + fy, r, t + fy + c).PtInRect(pt))
    return HTCAPTION;
  return HTCLIENT;
}

UINT CExtMiniDockFrameWnd::OnNcHitTest(CPoint point) {
  if (CExtControlBar::GetDraggedBar() != NULL)
    return HTNOWHERE;
  if ((GetStyle() & MFS_MOVEFRAME) != 0)
    ModifyStyle(MFS_MOVEFRAME, 0);
  UINT nHit = HitTestBorders(point);
  if (nHit == HTNOWHERE)
    return HTNOWHERE;
  CExtControlBar* pBar = GetFloatingBar();
  if (pBar == NULL) {
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    return m_rcCloseButton.PtInRect(CPoint(point.x - rcWnd.left, point.y - rcWnd.top)) ? HTCLOSE : nHit;
  }
  CExtBarNcAreaButton* pButton = NULL;
  const UINT nButtonHit = pBar->NcButtonHitTest(point, &pButton);
  if (pButton != NULL) {
    pBar->m_bExtraFlags |= CExtControlBar::XF_OVER_NC_BUTTON;
    return nButtonHit;
  }
  // The buttons repaint themselves when their own state changes; the caption only when the pointer
  // has just left them.
  if ((pBar->m_bExtraFlags & CExtControlBar::XF_OVER_NC_BUTTON) != 0) {
    pBar->m_bExtraFlags &= ~CExtControlBar::XF_OVER_NC_BUTTON;
    SendMessage(WM_NCPAINT);
  }
  if (pBar->IsFixedMode())
    nHit = FixedModeHit(nHit, pBar->IsUserResizable());
  return nHit;
}

// --- presses --------------------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CExtControlBar* pBar = GetFloatingBar();
  if (nHitTest == HTCLOSE && pBar == NULL)
    return; // the frame's own close button
  // The system's button tracking would start for these codes: the caption buttons act on release.
  if (IsSystemButtonCode(nHitTest))
    return;
  CControlBar* pAnyBar = GetFloatingControlBar();
  if (nHitTest == HTCAPTION) {
    ActivateTopParent();
    BringWindowToTop();
    if (m_pWndDockBar != NULL && (m_pWndDockBar->m_dwStyle & CBRS_FLOAT_MULTI) != 0)
      return;
    if (pBar != NULL && !UsesDockContext(pBar)) {
      CRect rcWnd;
      GetWindowRect(&rcWnd);
      const int d = std::min(m_rcFrameCaption.Width(), m_rcFrameCaption.Height());
      pBar->TrackDragging(point, CPoint(point.x - rcWnd.left - d, point.y - rcWnd.top - d / 2), 1, 1);
    } else if (pAnyBar != NULL && pAnyBar->m_pDockContext != NULL) {
      pAnyBar->m_pDockContext->StartDrag(point);
    }
    return;
  }
  if (IsBorderCode(nHitTest)) {
    if (pBar != NULL && UsesDockContext(pBar)) {
      if (pBar->m_pDockContext != NULL)
        pBar->m_pDockContext->StartResize(nHitTest, point);
    } else if (pBar != NULL) {
      TrackResizing(nHitTest, point);
    } else {
      CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
    }
    return;
  }
  CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point) {
  if (IsResizing()) {
    StopResizing();
    return;
  }
  CExtControlBar* pBar = GetFloatingBar();
  if (pBar != NULL && CExtControlBar::GetDraggedBar() == NULL &&
      (pBar->m_bExtraFlags & CExtControlBar::XF_OVER_NC_BUTTON) != 0) {
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    const CPoint pt = point - rcWnd.TopLeft();
    // A copy: a click may hide or dock the bar, which lays the buttons out anew.
    const std::vector<CExtBarNcAreaButton*> arrButtons = pBar->m_arrNcButtons;
    for (CExtBarNcAreaButton* pButton : arrButtons)
      if (pButton->IsVisible() && pButton->Click(pt))
        return;
  }
  if (!IsSystemButtonCode(nHitTest))
    CMiniDockFrameWnd::OnNcLButtonUp(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CExtControlBar* pBar = GetFloatingBar();
  if (pBar == NULL) {
    if (nHitTest != HTCLOSE && !IsSystemButtonCode(nHitTest))
      CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
    return;
  }
  // Only the caption toggles: the second click of a double click on the close button would
  // otherwise dock the bar it has just hidden.
  if (nHitTest == HTCAPTION && pBar->IsDblClickToggleEnabled())
    pBar->ToggleDocking();
}

void CExtMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point) {
  CExtControlBar* pBar = GetFloatingBar();
  if (nHitTest != HTCAPTION || IsResizing() || pBar == NULL || pBar->m_pDockSite == NULL ||
      CExtControlBar::IsFrameInHelpMode(this)) {
    if (!IsSystemButtonCode(nHitTest))
      CMiniDockFrameWnd::OnNcRButtonDown(nHitTest, point);
    return;
  }
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->InitTopLevel(pBar->m_pDockSite->GetSafeHwnd()) ||
      !CExtDockBar::BuildBarsContextMenu(pBar->m_pDockSite, pPopup.get(),
                                         CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_MINIFRAME_NC_RBUTTON,
                                         pBar, WM_NCRBUTTONDOWN) ||
      pPopup->GetItemCount() == 0)
    return;
  CPoint pt;
  if (!::GetCursorPos(&pt))
    pt = point;
  // The tracking site owns a menu it tracks.
  if (pPopup->RunTrackingLoop(CExtPopupMenuWnd::TPMX_OWNERDRAW_ITEMS, pt.x, pt.y))
    pPopup.release();
}

// --- hover and tips ------------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
  if (IsResizing())
    return;
  CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
  if (GetFloatingBar() != NULL)
    ShowCaptionTip();
  else
    CloseButtonHoverStep(point);
}

void CExtMiniDockFrameWnd::ShowCaptionTip() {
  CExtControlBar* pBar = GetFloatingBar();
  if (pBar != NULL && pBar->GetToolTipObject() != NULL)
    pBar->ShowCaptionButtonTip();
}

void CExtMiniDockFrameWnd::CloseButtonHoverStep(CPoint ptScreen) {
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const BYTE bHover =
      m_rcCloseButton.PtInRect(CPoint(ptScreen.x - rcWnd.left, ptScreen.y - rcWnd.top)) ? 1 : 0;
  if (bHover == m_bCloseButtonHover)
    return;
  m_bCloseButtonHover = bHover;
  SendMessage(WM_NCPAINT);
  if (bHover)
    SetTimer(TIMER_CLOSE_HOVER, 20, NULL);
  else
    KillTimer(TIMER_CLOSE_HOVER);
}

// --- painting ------------------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnNcPaint() {
  CRect rcWnd, rcClient;
  NcPaintRects(m_hWnd, rcWnd, rcClient);
  CWindowDC dcWnd(this);
  dcWnd.ExcludeClipRect(&rcClient);
  {
    CExtMemoryDC dc(&dcWnd, &rcWnd, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
    PaintNcArea(dc);
  }
  g_PaintManagerHolder->OnPaintSessionComplete(this, 0);
}

void CExtMiniDockFrameWnd::PaintNcArea(CDC& dc) {
  CRect rcWnd, rcClient;
  NcPaintRects(m_hWnd, rcWnd, rcClient);
  CExtControlBar* pBar = GetFloatingBar();
  CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
  DockingFramePaintData frame(this, rcWnd, rcClient, true, pBar != NULL && !pBar->IsFixedMode(), false);
  pPM->PaintDockingFrame(dc, frame);

  CString strCaption;
  CExtControlBar* pCaptionBar = pBar;
  // A container holding the frame's only bar shows that bar's caption.
  if (pBar != NULL && IsKindOfName(pBar, "CExtDynControlBar") &&
      !IsKindOfName(pBar, "CExtDynTabControlBar")) {
    CExtDockBar* pInner = CExtDockBar::InnerDockBarOf(pBar);
    for (INT_PTR i = 0; pInner != NULL && pInner->GetDockedCount() == 1 && i < pInner->m_arrBars.GetSize();
         ++i)
      if (CExtControlBar* pInnerBar =
              DYNAMIC_DOWNCAST(CExtControlBar, pInner->GetDockedControlBar(static_cast<int>(i))))
        pCaptionBar = pInnerBar;
  }
  if (pCaptionBar != NULL)
    pCaptionBar->GetBarCaption(strCaption);
  else
    GetWindowText(strCaption);

  CRect rcText = m_rcFrameCaption;
  if (pBar != NULL)
    pBar->CalcCaptionTextRect(rcText);
  else
    rcText.right = std::max(rcText.left, m_rcCloseButton.left);
  rcText.DeflateRect(2, 0);
  const HWND hFocus = ::GetFocus();
  const bool bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
  // A floating frame's caption is no caption bar: the themes give it their own fill, on which the
  // caption buttons' light glyphs stand out whether or not the frame has the focus.
  DockingCaptionPaintData caption(this, m_rcFrameCaption, rcText, bActive, true, false, false, strCaption,
                                  g_ResourceManagerHolder->IsRightToLeft());
  pPM->PaintDockingCaption(dc, caption);
  if (pBar != NULL) {
    pBar->PaintNcAreaButtons(dc);
  } else if (!m_rcCloseButton.IsRectEmpty()) {
    NcAreaButtonPaintData close(this, m_rcCloseButton, CExtBarNcAreaButton::GLYPH_CLOSE,
                                m_bCloseButtonHover != 0, false, true, true, bActive, true);
    pPM->PaintBarNcAreaButton(dc, close);
  }
}
