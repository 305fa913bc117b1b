// The auto-hide slider's non-client area: the insets around the bar, the caption with the bar's
// buttons, the resize band toward the frame's inside and the bars menu.
#include "toolkit/docking/ExtDynAutoHideSlider.h"

#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/foundation/ExtToolInfoText.h"

#include <algorithm>
#include <memory>

BEGIN_MESSAGE_MAP(CExtDynAutoHideSlider, CWnd)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_CANCELMODE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_NCCALCSIZE()
ON_WM_NCHITTEST()
ON_WM_NCPAINT()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCMOUSEMOVE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
ON_WM_CONTEXTMENU()
ON_WM_NCRBUTTONUP()
ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgCustomNcAreaQuery, OnCustomNcAreaQuery)
END_MESSAGE_MAP()

namespace {

// The hit code of the resize band for the side the slider comes out of.
UINT ResizeHitOfSide(int nSide) {
  switch (nSide) {
  case CExtTabWnd::TS_ORIENT_TOP:
    return HTBOTTOM;
  case CExtTabWnd::TS_ORIENT_BOTTOM:
    return HTTOP;
  case CExtTabWnd::TS_ORIENT_LEFT:
    return HTRIGHT;
  default:
    return HTLEFT;
  }
}

CRect WindowBoxOf(const CWnd* pWnd) {
  CRect rc;
  pWnd->GetWindowRect(&rc);
  rc.OffsetRect(-rc.TopLeft());
  return rc;
}

} // namespace

CRect CExtDynAutoHideSlider::GetCaptionRect() const {
  CRect rc(0, 0, 0, 0);
  bool bOnTop = true, bShown = false;
  if (m_pBar == NULL || GetSafeHwnd() == NULL || !m_pBar->QueryCaption(&bOnTop, &bShown) || !bShown)
    return rc;
  const CRect rcBox = WindowBoxOf(this);
  const CRect rcIns = Insets(m_pBar);
  if (bOnTop)
    rc.SetRect(rcIns.left, rcIns.top - m_pBar->GetCaptionExtent(), rcBox.right - rcIns.right, rcIns.top);
  else
    rc.SetRect(rcIns.left - m_pBar->GetSideCaptionExtent(), rcIns.top, rcIns.left,
               rcBox.bottom - rcIns.bottom);
  return rc;
}

void CExtDynAutoHideSlider::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  const CRect rcIns = Insets(m_pBar);
  RECT& rc = lpncsp->rgrc[0];
  rc.left += rcIns.left;
  rc.top += rcIns.top;
  rc.right = std::max(rc.left, rc.right - rcIns.right);
  rc.bottom = std::max(rc.top, rc.bottom - rcIns.bottom);
}

UINT CExtDynAutoHideSlider::OnNcHitTest(CPoint point) {
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  if (!rcWnd.PtInRect(point))
    return HTNOWHERE;
  CRect rcClient;
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  if (rcClient.PtInRect(point))
    return HTCLIENT;
  if (!IsBarShown())
    return HTBORDER;
  const CPoint pt = point - rcWnd.TopLeft();
  const CRect rcBox = WindowBoxOf(this);
  const UINT nHit = ResizeHitOfSide(Side());
  const bool bInBand =
      (nHit == HTRIGHT && pt.x >= rcBox.right - kResizeBand) || (nHit == HTLEFT && pt.x < kResizeBand) ||
      (nHit == HTBOTTOM && pt.y >= rcBox.bottom - kResizeBand) || (nHit == HTTOP && pt.y < kResizeBand);
  // The caption and the rest of the frame start nothing of the system's own.
  return bInBand ? nHit : HTBORDER;
}

BOOL CExtDynAutoHideSlider::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTLEFT || nHitTest == HTRIGHT) {
    ::SetCursor(::LoadCursor(NULL, IDC_SIZEWE));
    return TRUE;
  }
  if (nHitTest == HTTOP || nHitTest == HTBOTTOM) {
    ::SetCursor(::LoadCursor(NULL, IDC_SIZENS));
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

CExtBarNcAreaButton* CExtDynAutoHideSlider::ButtonAt(CPoint ptScreen) const {
  if (m_pBar == NULL || !IsBarShown())
    return NULL;
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const CPoint pt = ptScreen - rcWnd.TopLeft();
  for (CExtBarNcAreaButton* pButton : m_pBar->m_arrNcButtons)
    if (pButton->IsVisible() && pButton->m_rc.PtInRect(pt))
      return pButton;
  return NULL;
}

void CExtDynAutoHideSlider::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (!IsBarShown())
    return;
  if (nHitTest == ResizeHitOfSide(Side())) {
    m_nState = static_cast<int>(nHitTest);
    m_nResizeStartX = point.x;
    m_nResizeStartY = point.y;
    GetWindowRect(&m_rcResizeStart);
    GetParent()->ScreenToClient(&m_rcResizeStart);
    SetCapture();
    return;
  }
  if (CExtBarNcAreaButton* pButton = ButtonAt(point)) {
    m_pBtnPressed = pButton;
    pButton->m_bFlags |= CExtBarNcAreaButton::NCB_PRESSED;
    SendMessage(WM_NCPAINT);
    SetCapture();
  }
}

void CExtDynAutoHideSlider::OnNcMouseMove(UINT nHitTest, CPoint point) {
  CWnd::OnNcMouseMove(nHitTest, point);
  CExtBarNcAreaButton* pButton = ButtonAt(point);
  if (pButton == m_pBtnHover)
    return;
  if (m_pBtnHover != NULL)
    m_pBtnHover->m_bFlags &= ~CExtBarNcAreaButton::NCB_HOVER;
  m_pBtnHover = pButton;
  if (pButton != NULL)
    pButton->m_bFlags |= CExtBarNcAreaButton::NCB_HOVER;
  SendMessage(WM_NCPAINT);
  ShowButtonTip(pButton, point);
}

void CExtDynAutoHideSlider::ShowButtonTip(CExtBarNcAreaButton* pButton, CPoint ptScreen) {
  CExtPopupMenuTipWnd* pTip = GetBarToolTip();
  if (pTip == NULL)
    return;
  if (m_pBtnTip != NULL && m_pBtnTip != pButton) {
    pTip->HideTip();
    m_pBtnTip = NULL;
  }
  // No tips while a bar's menu is tracked.
  if (pButton == NULL || pButton == m_pBtnTip || ExtBarMenuTracking::IsTracking())
    return;
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  if (pButton->FillToolInfo(ptScreen - rcWnd.TopLeft(), &ti) < 0)
    return;
  const CString sText = TakeToolInfoText(ti);
  if (sText.IsEmpty())
    return;
  CRect rcButton(pButton->m_rc);
  rcButton.OffsetRect(rcWnd.TopLeft());
  m_pBar->ShowBarTip(pTip, rcButton, sText);
  m_pBtnTip = pButton;
}

void CExtDynAutoHideSlider::ResizeStep(CPoint ptScreen) {
  CRect rc(m_rcResizeStart);
  CRect rcLimit(m_rcFrameClient);
  rcLimit.DeflateRect(kMinExtent, kMinExtent);
  const CRect rcIns = Insets(m_pBar);
  const int dx = ptScreen.x - m_nResizeStartX;
  const int dy = ptScreen.y - m_nResizeStartY;
  // The bar keeps at least the smallest extent; the edge stays inside the frame.
  switch (m_nState) {
  case HTRIGHT:
    rc.right = std::min<LONG>(rcLimit.right,
                              std::max<LONG>(rc.left + rcIns.left + rcIns.right + kMinExtent, rc.right + dx));
    break;
  case HTLEFT:
    rc.left = std::max<LONG>(rcLimit.left,
                             std::min<LONG>(rc.right - rcIns.left - rcIns.right - kMinExtent, rc.left + dx));
    break;
  case HTBOTTOM:
    rc.bottom = std::min<LONG>(
        rcLimit.bottom, std::max<LONG>(rc.top + rcIns.top + rcIns.bottom + kMinExtent, rc.bottom + dy));
    break;
  case HTTOP:
    rc.top = std::max<LONG>(rcLimit.top,
                            std::min<LONG>(rc.bottom - rcIns.top - rcIns.bottom - kMinExtent, rc.top + dy));
    break;
  default:
    return;
  }
  SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow();
}

void CExtDynAutoHideSlider::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_nState != STATE_NORMAL && GetCapture() == this) {
    ClientToScreen(&point);
    ResizeStep(point);
    return;
  }
  CWnd::OnMouseMove(nFlags, point);
}

void CExtDynAutoHideSlider::OnLButtonUp(UINT nFlags, CPoint point) {
  ClientToScreen(&point);
  if (m_nState != STATE_NORMAL) {
    ResizeStep(point);
    m_nState = STATE_NORMAL;
    ReleaseCapture();
    return;
  }
  CExtBarNcAreaButton* pPressed = m_pBtnPressed;
  if (pPressed == NULL) {
    CWnd::OnLButtonUp(nFlags, point);
    return;
  }
  m_pBtnPressed = NULL;
  pPressed->m_bFlags &= ~CExtBarNcAreaButton::NCB_PRESSED;
  if (GetCapture() == this)
    ReleaseCapture();
  if (ButtonAt(point) != pPressed) {
    SendMessage(WM_NCPAINT);
    return;
  }
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const CPoint ptWnd = point - rcWnd.TopLeft();
  // The slider goes in first: the click may take the bar out of its strip. Going in lays the
  // buttons out for the bar's own caption; the click is judged where the button was pressed.
  const CRect rcPressed = pPressed->m_rc;
  HideBar(false);
  pPressed->m_rc = rcPressed;
  pPressed->Click(ptWnd);
}

void CExtDynAutoHideSlider::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this) {
    m_nState = STATE_NORMAL;
    if (m_pBtnPressed != NULL) {
      m_pBtnPressed->m_bFlags &= ~CExtBarNcAreaButton::NCB_PRESSED;
      m_pBtnPressed = NULL;
    }
  }
  CWnd::OnCaptureChanged(pWnd);
}

void CExtDynAutoHideSlider::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (!IsBarShown() || m_pBar == NULL || (m_bSliderFlags & SF_ANIMATING) != 0)
    return;
  m_nClientWidth = cx;
  m_nClientHeight = cy;
  m_pBar->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
  StoreBarExtent(cx, cy);
}

void CExtDynAutoHideSlider::StoreBarExtent(int cx, int cy) {
  const int nSide = Side();
  if (nSide == CExtTabWnd::TS_ORIENT_TOP || nSide == CExtTabWnd::TS_ORIENT_BOTTOM)
    m_pBar->m_sizeDockedH.cy = cy;
  else
    m_pBar->m_sizeDockedV.cx = cx;
}

BOOL CExtDynAutoHideSlider::OnEraseBkgnd(CDC*) { return TRUE; } // the bar covers the client area

LRESULT CExtDynAutoHideSlider::OnCustomNcAreaQuery(WPARAM wParam, LPARAM) {
  auto* pQuery = reinterpret_cast<CExtControlBar::QueryCustomNcArea*>(wParam);
  // The bar shown here keeps no border or caption of its own: the slider draws them.
  if (pQuery != NULL && pQuery->m_pBar == m_pBar && m_pBar != NULL)
    pQuery->m_bHandled = 1;
  return 0;
}

// --- painting ----------------------------------------------------------------------------------

void CExtDynAutoHideSlider::OnNcPaint() {
  CWindowDC dcWnd(this);
  const CRect rcBox = WindowBoxOf(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  rcClient.OffsetRect(-rcWnd.TopLeft());
  dcWnd.ExcludeClipRect(&rcClient);
  {
    CExtMemoryDC dc(&dcWnd, &rcBox, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
    PaintNc(dc);
  }
  g_PaintManagerHolder->OnPaintSessionComplete(this, 0);
}

void CExtDynAutoHideSlider::PaintNc(CDC& dc) {
  CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
  const CRect rcBox = WindowBoxOf(this);
  dc.FillSolidRect(&rcBox, pPM->ColorByLogicalId(COLOR_3DFACE, this));
  // The border shows on the inner edge only.
  CRect rcEdge(rcBox);
  const COLORREF clrEdge = pPM->ColorByLogicalId(COLOR_3DSHADOW, this);
  switch (Side()) {
  case CExtTabWnd::TS_ORIENT_TOP:
    rcEdge.top = rcEdge.bottom - 1;
    break;
  case CExtTabWnd::TS_ORIENT_BOTTOM:
    rcEdge.bottom = rcEdge.top + 1;
    break;
  case CExtTabWnd::TS_ORIENT_LEFT:
    rcEdge.left = rcEdge.right - 1;
    break;
  default:
    rcEdge.right = rcEdge.left + 1;
    break;
  }
  dc.FillSolidRect(&rcEdge, clrEdge);
  const CRect rcCaption = GetCaptionRect();
  if (m_pBar == NULL || rcCaption.IsRectEmpty())
    return;
  m_pBar->RepositionNcAreaButtons();
  CRect rcText(rcCaption);
  m_pBar->CalcCaptionTextRect(rcText);
  CString sText;
  m_pBar->GetBarCaption(sText);
  const bool bVertical = rcCaption.Height() > rcCaption.Width();
  DockingCaptionPaintData caption(this, rcCaption, rcText, (m_bSliderFlags & SF_ACTIVE) != 0, false,
                                  bVertical, true, sText, g_ResourceManagerHolder->IsRightToLeft());
  pPM->PaintDockingCaption(dc, caption);
  m_pBar->PaintNcAreaButtons(dc);
}

// --- the bars menu -----------------------------------------------------------------------------

// The system makes no context menu message of a release on the slider's own frame; the slider
// makes it, and nothing else runs for that release.
void CExtDynAutoHideSlider::OnNcRButtonUp(UINT, CPoint point) {
  SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(point.x, point.y));
}

void CExtDynAutoHideSlider::OnContextMenu(CWnd* pWnd, CPoint point) {
  CRect rcClient;
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  CFrameWnd* pFrame = m_pWndArea != NULL ? m_pWndArea->GetFrame() : NULL;
  if (rcClient.PtInRect(point) || pFrame == NULL || CExtControlBar::IsFrameInHelpMode(this)) {
    CWnd::OnContextMenu(pWnd, point);
    return;
  }
  auto pPopup = std::make_unique<CExtPopupMenuWnd>();
  if (!pPopup->InitTopLevel(pFrame->GetSafeHwnd()) ||
      !CExtDockBar::BuildBarsContextMenu(pFrame, pPopup.get(),
                                         CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_AUTOHIDE_SLIDER_CONTEXT,
                                         this, WM_CONTEXTMENU) ||
      pPopup->GetItemCount() == 0)
    return;
  if (pPopup->RunTrackingLoop(0, point.x, point.y))
    pPopup.release(); // the tracking site owns it now
}
