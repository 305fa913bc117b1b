// A control bar's non-client layout: the caption band and the three resizer bands, the hit test
// over them, the presses on them and the cursor they show.
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/foundation/ExtRuntimeClass.h"
#include "toolkit/docking/ExtControlBar.h"

#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

// Whether a visible bar stands in a row after the one that holds nPos.
bool LaterRowHasVisibleBar(CDockBar* pDockBar, INT_PTR nPos) {
  INT_PTR nCount = pDockBar->m_arrBars.GetSize();
  INT_PTR i = nPos;
  while (i < nCount && pDockBar->m_arrBars[i] != NULL)
    ++i;
  for (++i; i < nCount; ++i) {
    CControlBar* pBar = pDockBar->GetDockedControlBar(static_cast<int>(i));
    if (pBar != NULL && pBar->IsVisible())
      return true;
  }
  return false;
}

// Cuts a band of the thickness off one edge of rc and answers it.
CRect CutBand(CRect& rc, int nEdge, int nThickness) {
  CRect rcBand(rc);
  switch (nEdge) {
  case 0: // left
    rcBand.right = rc.left = std::min(rc.left + nThickness, rc.right);
    break;
  case 1: // top
    rcBand.bottom = rc.top = std::min(rc.top + nThickness, rc.bottom);
    break;
  case 2: // right
    rcBand.left = rc.right = std::max(rc.right - nThickness, rc.left);
    break;
  default: // bottom
    rcBand.top = rc.bottom = std::max(rc.bottom - nThickness, rc.top);
    break;
  }
  return rcBand;
}

enum { EDGE_LEFT, EDGE_TOP, EDGE_RIGHT, EDGE_BOTTOM };

} // namespace

void CExtControlBar::CalcResizerBands(CRect& rcWnd, bool& bRowResizer, bool& bRowEndResizer,
                                      bool& bRowStartResizer) const {
  bRowResizer = bRowEndResizer = bRowStartResizer = false;
  CDockBar* pDockBar = m_pDockBar;
  if (pDockBar == NULL || IsKindOfName(pDockBar, "CExtDockDynTabBar"))
    return;
  INT_PTR nThis = pDockBar->FindBar(const_cast<CExtControlBar*>(this));
  bool bInner = IsKindOfName(pDockBar, "CExtDockBar") && !IsKindOfName(pDockBar, "CExtDockOuterBar");
  if (!bInner) {
    bRowResizer = bRowEndResizer = true;
  } else {
    bool bNearSide = !IsKindOfName(pDockBar, "CExtDockDynBar") && (IsDockedAtTop() || IsDockedAtLeft());
    bRowResizer = bNearSide || (nThis >= 0 && LaterRowHasVisibleBar(pDockBar, nThis));
    bRowEndResizer = FindRowNeighbour(true, false, false) != NULL;
  }
  bRowStartResizer = FindRowNeighbour(false, true, true) != NULL;
  UNUSED_ALWAYS(rcWnd);
}

void CExtControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) {
  UNUSED_ALWAYS(bCalcValidRects);
  if (m_pDockBar == NULL && !IsDialogMode())
    return;
  CRect& rcParent = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
  CPoint ptOrigin = rcParent.TopLeft();
  CRect rc(rcParent);
  rc.OffsetRect(-ptOrigin);
  const CRect rcWindow(rc);
  if (IsFloating()) {
    // The floating frame draws the frame and the caption.
    if (!IsFixedMode())
      rc.DeflateRect(1, 1);
    rc.OffsetRect(ptOrigin);
    rcParent = rc;
    return;
  }
  m_rcNcCaption.SetRectEmpty();
  m_rcNcRowResizer.SetRectEmpty();
  m_rcNcRowEndResizer.SetRectEmpty();
  m_rcNcRowStartResizer.SetRectEmpty();
  if (IsFixedMode()) {
    g_PaintManagerHolder->AdjustControlBarNcRect(this, rc);
  } else {
    bool bRow = false, bRowEnd = false, bRowStart = false;
    CalcResizerBands(rc, bRow, bRowEnd, bRowStart);
    m_nMinWidthBase = m_nSeparatorWidth;
    m_nMinHeightBase = m_nSeparatorHeight;
    if (QueryCustomNcAreaFor(NULL, rc)) {
      rc.OffsetRect(ptOrigin);
      rcParent = rc;
      return;
    }
    bool bVert = IsDockedVertically();
    int nRowEdge = IsDockedAtBottom()  ? EDGE_TOP
                   : IsDockedAtLeft()  ? EDGE_RIGHT
                   : IsDockedAtRight() ? EDGE_LEFT
                                       : EDGE_BOTTOM;
    if (bRow)
      m_rcNcRowResizer = CutBand(rc, nRowEdge, bVert ? m_nSeparatorWidth : m_nSeparatorHeight);
    if (bRowEnd)
      m_rcNcRowEndResizer =
          CutBand(rc, bVert ? EDGE_BOTTOM : EDGE_RIGHT, bVert ? m_nSeparatorHeight : m_nSeparatorWidth);
    if (bRowStart)
      m_rcNcRowStartResizer =
          CutBand(rc, bVert ? EDGE_TOP : EDGE_LEFT, bVert ? m_nSeparatorHeight : m_nSeparatorWidth);
  }
  bool bOnTop = false, bShown = false;
  if (QueryCaption(&bOnTop, &bShown) && bShown) {
    CRect rcCaption(rc);
    if (bOnTop) {
      rcCaption.bottom = std::min(rc.bottom, rc.top + m_nCaptionExtent);
      m_nMinHeightBase += m_nCaptionExtent;
    } else {
      rcCaption.right = std::min(rc.right, rc.left + m_nSideCaptionExtent);
      m_nMinWidthBase += m_nSideCaptionExtent;
    }
    if (IsFixedMode()) {
      // A fixed bar's gripper keeps off its ends and off the edge toward its side.
      if (bOnTop)
        rcCaption.DeflateRect(1, 0);
      else
        rcCaption.DeflateRect(0, 1);
      if (IsDockedAtTop())
        rcCaption.top++;
      else if (IsDockedAtBottom())
        rcCaption.bottom--;
      else if (IsDockedAtLeft())
        rcCaption.left++;
      else if (IsDockedAtRight())
        rcCaption.right--;
    }
    m_rcNcCaption = rcCaption;
    InitNcAreaButtons();
    RepositionNcAreaButtons();
    if (bOnTop)
      rc.top = std::min(rc.bottom, rc.top + m_nCaptionExtent + 1);
    else
      rc.left = std::min(rc.right, rc.left + m_nSideCaptionExtent + 1);
  }
  rc.right = std::max(rc.right, rc.left);
  rc.bottom = std::max(rc.bottom, rc.top);
  UNUSED_ALWAYS(rcWindow);
  rc.OffsetRect(ptOrigin);
  rcParent = rc;
}

UINT CExtControlBar::OnNcHitTest(CPoint point) {
  if (GetDraggedBar() != NULL)
    return HTNOWHERE;
  CExtBarNcAreaButton* pButton = NULL;
  UINT nButtonHit = NcButtonHitTest(point, &pButton);
  if (pButton != NULL) {
    m_bExtraFlags |= XF_OVER_NC_BUTTON;
    return nButtonHit;
  }
  if ((m_bExtraFlags & XF_OVER_NC_BUTTON) != 0) {
    m_bExtraFlags &= ~XF_OVER_NC_BUTTON;
    PostMessage(WM_NCPAINT);
  }
  CRect rcWnd, rcClient;
  GetWindowRect(&rcWnd);
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  if (IsFixedMode() || IsFloating() || rcWnd == rcClient)
    return HTCLIENT;
  CPoint pt = point - rcWnd.TopLeft();
  bool bVert = IsDockedVertically();
  if (m_rcNcRowResizer.PtInRect(pt))
    return IsRowResizingEnabled() ? (bVert ? HTRIGHT : HTBOTTOM) : HTNOWHERE;
  if (m_rcNcRowEndResizer.PtInRect(pt)) {
    if (IsLastInRow(true) || !IsInRowResizingEnabled() || !CanResizeTowardNext())
      return HTNOWHERE;
    return bVert ? HTBOTTOM : HTRIGHT;
  }
  if (m_rcNcRowStartResizer.PtInRect(pt)) {
    if (IsFirstInRow(true) || !IsInRowResizingEnabled() || !CanResizeTowardPrevious())
      return HTNOWHERE;
    return bVert ? HTTOP : HTLEFT;
  }
  return HTCLIENT;
}

void CExtControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  // Never handed to the system: it would track its own caption buttons (HTMINBUTTON).
  if (IsFixedMode() || IsFloating() || m_pDockBar == NULL)
    return;
  if (nHitTest != HTLEFT && nHitTest != HTBOTTOM && !IsAtMinimumLength()) {
    CExtBarNcAreaButton* pButton = NULL;
    NcButtonHitTest(point, &pButton);
    if (pButton == NULL)
      SetFocus();
  }
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  CPoint pt = point - rcWnd.TopLeft();
  if (m_rcNcRowResizer.PtInRect(pt)) {
    TrackRowResizing();
  } else if (m_rcNcRowEndResizer.PtInRect(pt)) {
    m_bExtraFlags &= ~XF_INROW_TOWARD_PREVIOUS;
    if (CanResizeTowardNext())
      TrackInRowResizing();
  } else if (m_rcNcRowStartResizer.PtInRect(pt)) {
    m_bExtraFlags |= XF_INROW_TOWARD_PREVIOUS;
    if (CanResizeTowardPrevious())
      TrackInRowResizing();
  }
}

void CExtControlBar::OnNcLButtonUp(UINT nHitTest, CPoint point) {
  if ((m_bExtraFlags & XF_OVER_NC_BUTTON) != 0) {
    CWnd* pCarrier = GetCaptionWindow();
    CRect rcCarrier;
    pCarrier->GetWindowRect(&rcCarrier);
    CPoint pt = point - rcCarrier.TopLeft();
    // A copy: a click may hide or re-dock the bar, which lays the buttons out anew.
    std::vector<CExtBarNcAreaButton*> arrButtons = m_arrNcButtons;
    for (CExtBarNcAreaButton* pButton : arrButtons)
      if (pButton->IsVisible() && pButton->m_rc.PtInRect(pt)) {
        pButton->Click(pt);
        break;
      }
    return;
  }
  if (IsRowResizing())
    StopRowResizing(false);
  else if (IsInRowResizing())
    StopInRowResizing(false);
  else
    CControlBar::OnNcLButtonUp(nHitTest, point);
}

void CExtControlBar::UpdateCursor(CPoint ptClient) {
  if (IsFrameInHelpMode(this))
    return;
  HCURSOR hCursor = reinterpret_cast<HCURSOR>(::GetClassLongPtrA(m_hWnd, GCLP_HCURSOR));
  bool bVert = IsDockedVertically();
  if (IsDialogMode()) {
    // The class cursor.
  } else if (IsRowResizing()) {
    hCursor = bVert ? g_hCursorSizeWE : g_hCursorSizeNS;
  } else if (IsInRowResizing()) {
    hCursor = bVert ? g_hCursorSizeNS : g_hCursorSizeWE;
  } else if ((m_bBarState & BS_DRAGGING) != 0 || GetDraggedBar() != NULL) {
    // A fixed bar moving along its row shows the row's direction.
    const LONG nDirection = g_DragStateCurrent.m_nMoveDirection;
    hCursor = nDirection == 1 ? g_hCursorSizeWE : nDirection == 2 ? g_hCursorSizeNS : g_hCursorSizeAll;
  } else if (IsDocked() && m_pDockBar != NULL) {
    CRect rcWnd;
    GetWindowRect(&rcWnd);
    CPoint ptScreen = ptClient;
    ClientToScreen(&ptScreen);
    CPoint ptWnd = ptScreen - rcWnd.TopLeft();
    if (m_rcNcCaption.PtInRect(ptWnd)) {
      HCURSOR hButton = NULL;
      for (CExtBarNcAreaButton* pButton : m_arrNcButtons)
        if (hButton == NULL && pButton->IsVisible())
          hButton = pButton->QueryCursor(ptWnd);
      hCursor = hButton != NULL ? hButton : IsDraggingEnabled() ? g_hCursorSizeAll : g_hCursorArrow;
    }
  }
  if (hCursor != NULL && ::GetCursor() != hCursor)
    ::SetCursor(hCursor);
}
