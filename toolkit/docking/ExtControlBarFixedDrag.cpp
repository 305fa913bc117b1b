// The live drag of a fixed bar (a tool bar): it moves along its row, into a neighbouring row,
// into another outer dock bar near the cursor, or floats at the cursor; no outline is drawn.
#include "toolkit/docking/ExtControlBar.h"

#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/theme/ExtPaintManager.h"

namespace {

const int kNearBand = 12;          // how far inside the frame a dock bar's area reaches
const int kNearSlack = 12 * 3 / 2; // and how far around it the cursor still counts
const UINT kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                        AFX_IDW_DOCKBAR_RIGHT};

bool IsHorzSide(UINT nSide) { return nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM; }

// The area around an outer dock bar in which the cursor docks a fixed bar there.
CRect NearArea(CFrameWnd* pFrame, CExtDockBar* pDock, UINT nSide) {
  CRect rc;
  if (pDock->IsWindowVisible()) {
    pDock->GetWindowRect(&rc);
  } else {
    // An invisible dock bar: a line along that edge of the frame's client area.
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    rc = rcClient;
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP:
      rc.bottom = rc.top;
      break;
    case AFX_IDW_DOCKBAR_BOTTOM:
      rc.top = rc.bottom;
      break;
    case AFX_IDW_DOCKBAR_LEFT:
      rc.right = rc.left;
      break;
    default:
      rc.left = rc.right;
      break;
    }
  }
  switch (nSide) {
  case AFX_IDW_DOCKBAR_TOP:
    rc.bottom += kNearBand;
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    rc.top -= kNearBand;
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    rc.right += kNearBand;
    rc.top -= kNearBand;
    rc.bottom += kNearBand;
    break;
  default:
    rc.left -= kNearBand;
    rc.top -= kNearBand;
    rc.bottom += kNearBand;
    break;
  }
  rc.InflateRect(kNearSlack, kNearSlack);
  return rc;
}

int StartOf(CControlBar* pBar, bool bHorz) {
  CRect rc;
  pBar->GetWindowRect(&rc);
  return bHorz ? rc.left : rc.top;
}

CControlBar* RowBarAt(CDockBar* pDock, INT_PTR nPos) {
  if (nPos <= 0 || nPos >= pDock->m_arrBars.GetSize())
    return NULL;
  void* p = pDock->m_arrBars[nPos];
  return p == NULL || CDockBar::IsPlaceHolder(p) ? NULL : static_cast<CControlBar*>(p);
}

// Whether the bar's start moved by the offset passes the middle of its neighbour on that side.
bool PassesNeighbour(CDockBar* pDock, CControlBar* pBar, bool bHorz, int nOffset) {
  const INT_PTR nPos = pDock->FindBar(pBar);
  CRect rcBar;
  pBar->GetWindowRect(&rcBar);
  const int nNewStart = (bHorz ? rcBar.left : rcBar.top) + nOffset;
  for (INT_PTR i = nPos + (nOffset > 0 ? 1 : -1);; i += nOffset > 0 ? 1 : -1) {
    CControlBar* pOther = RowBarAt(pDock, i);
    if (pOther == NULL)
      return false;
    if (!pOther->IsVisible())
      continue;
    CRect rc;
    pOther->GetWindowRect(&rc);
    const int nMiddle = bHorz ? rc.CenterPoint().x : rc.CenterPoint().y;
    return nOffset > 0 ? nNewStart > nMiddle : nNewStart <= nMiddle;
  }
}

// A bar moved along its row past a neighbour takes the neighbour's place in the array, so that
// the row's order stays the order on the screen.
void KeepRowOrder(CDockBar* pDock, CControlBar* pBar, bool bHorz) {
  INT_PTR nPos = pDock->FindBar(pBar);
  if (nPos <= 0)
    return;
  const int nStart = StartOf(pBar, bHorz);
  for (CControlBar* pNext = RowBarAt(pDock, nPos + 1);
       pNext != NULL && pNext->IsVisible() && StartOf(pNext, bHorz) < nStart;
       pNext = RowBarAt(pDock, nPos + 1)) {
    pDock->m_arrBars[nPos] = pNext;
    pDock->m_arrBars[++nPos] = pBar;
  }
  for (CControlBar* pPrev = RowBarAt(pDock, nPos - 1);
       pPrev != NULL && pPrev->IsVisible() && StartOf(pPrev, bHorz) > nStart;
       pPrev = RowBarAt(pDock, nPos - 1)) {
    pDock->m_arrBars[nPos] = pPrev;
    pDock->m_arrBars[--nPos] = pBar;
  }
}

} // namespace

void CExtControlBar::CalcFixedDraggingTarget(InternalDraggingState_t& st, LONG x, LONG y, bool bNoDock) {
  ::SetRectEmpty(&st.m_rcTrack);
  st.m_nTargetType = DT_FLOAT;
  st.m_nRowPosition = 0;
  st.ClearTargetBar();
  CFrameWnd* pFrame = GetDockingFrame();
  if (bNoDock || (::GetKeyState(VK_CONTROL) & 0x8000) != 0 || pFrame == NULL) {
    FloatFixedBarAt(x, y);
    return;
  }
  const CPoint pt(x, y);
  CRect rcFrame;
  pFrame->GetWindowRect(&rcFrame);
  rcFrame.InflateRect(afxData.cxBorder2 * 2, afxData.cyBorder2 * 2);
  if (!rcFrame.PtInRect(pt)) {
    FloatFixedBarAt(x, y);
    return;
  }
  CExtDockBar* arrNear[4] = {NULL, NULL, NULL, NULL};
  CExtDockBar* pPresent = NULL;
  for (int i = 0; i < 4; i++) {
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(kSides[i]));
    if (pDock == NULL || !NearArea(pFrame, pDock, kSides[i]).PtInRect(pt))
      continue;
    arrNear[i] = pDock;
    if (pDock == m_pDockBar)
      pPresent = pDock;
  }
  if (pPresent != NULL && TrackFixedBarInDockBar(x, y, pPresent))
    return;
  for (int nPass = 0; nPass < 2; nPass++) {
    for (CExtDockBar* pDock : arrNear) {
      if (pDock == NULL || pDock == pPresent || (pDock->IsWindowVisible() != FALSE) != (nPass == 0))
        continue;
      if (TrackFixedBarInDockBar(x, y, pDock))
        return;
    }
  }
  FloatFixedBarAt(x, y);
}

bool CExtControlBar::TrackFixedBarInDockBar(LONG x, LONG y, CExtDockBar* pDockBar) {
  if (pDockBar == NULL || (pDockBar->m_dwStyle & m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
    return false;
  const bool bHorz = IsHorzSide(pDockBar->GetSideId());
  if (pDockBar == m_pDockBar)
    return TrackFixedBarInOwnDockBar(x, y, pDockBar);
  const CPoint ptGrab = bHorz ? m_ptGrabDockedH : m_ptGrabDockedV;
  const CSize size = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0
                         ? CalcDynamicLayout(0, bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK)
                         : CalcFixedLayout(FALSE, bHorz);
  const CRect rc(CPoint(CPoint(x, y) - ptGrab), size);
  ResetOuterDockPosition();
  pDockBar->DockBarAt(this, &rc);
  UpdateOuterDockPosition();
  if (m_pDockSite != NULL)
    m_pDockSite->RecalcLayout(TRUE);
  return true;
}

bool CExtControlBar::TrackFixedBarInOwnDockBar(LONG x, LONG y, CExtDockBar* pDockBar) {
  const bool bHorz = IsHorzSide(pDockBar->GetSideId());
  const LONG nDirection = bHorz ? 1 : 2;
  g_DragStateNew.m_nMoveDirection = nDirection;
  g_DragStateCurrent.m_nMoveDirection = nDirection;
  CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, pDockBar);
  if (pOuter == NULL)
    return true;
  const CPoint ptGrab = bHorz ? m_ptGrabDockedH : m_ptGrabDockedV;
  const CPoint ptWanted = CPoint(x, y) - ptGrab;
  CRect rcBar;
  GetWindowRect(&rcBar);
  const int nOffset = bHorz ? ptWanted.x - rcBar.left : ptWanted.y - rcBar.top;
  // Across the row: the cursor past the row's edge takes the bar to the neighbouring row, or to a
  // row of its own when there is none and the row holds other bars.
  const LONG nAcross = bHorz ? y : x;
  const LONG nRowStart = bHorz ? rcBar.top : rcBar.left;
  const LONG nRowEnd = bHorz ? rcBar.bottom : rcBar.right;
  if (nAcross < nRowStart || nAcross >= nRowEnd) {
    const bool bForward = nAcross >= nRowEnd;
    CPtrArray arrRow;
    if (GetNeighbourRowBars(bForward, arrRow) && arrRow.GetSize() > 0) {
      if (!pOuter->InsertIntoRow(this, arrRow, nOffset))
        return true;
    } else if (!IsSingleInRow()) {
      pOuter->InsertBarBesideRow(this, this, !bForward);
    } else {
      return true;
    }
    if (m_pDockSite != NULL)
      m_pDockSite->RecalcLayout(TRUE);
    CExtPaintManager::PumpPendingMessages(true, true, true);
    return true;
  }
  if (nOffset != 0 && PassesNeighbour(pOuter, this, bHorz, nOffset)) {
    // Past a neighbour's middle: the bar takes its place in the row's order.
    CPtrArray arrRow;
    GetRowBars(arrRow);
    for (INT_PTR i = arrRow.GetSize() - 1; i >= 0; i--)
      if (arrRow[i] == this)
        arrRow.RemoveAt(i);
    if (pOuter->InsertIntoRow(this, arrRow, nOffset)) {
      if (m_pDockSite != NULL)
        m_pDockSite->RecalcLayout(TRUE);
      CExtPaintManager::PumpPendingMessages(true, true, true);
      return true;
    }
  }
  if (nOffset != 0) {
    pOuter->LayoutRows(this, nOffset);
    KeepRowOrder(pOuter, this, bHorz);
    CExtPaintManager::PumpPendingMessages(true, true, true);
  }
  return true;
}

void CExtControlBar::FloatFixedBarAt(LONG x, LONG y) {
  g_DragStateNew.m_nMoveDirection = 0;
  g_DragStateCurrent.m_nMoveDirection = 0;
  const CPoint pt = CPoint(x, y) - m_ptGrabFloating;
  FloatControlBar(pt.x, pt.y, CBRS_ALIGN_TOP);
  if (m_pDockContext != NULL)
    m_pDockContext->m_ptMRUFloatPos = pt;
}
