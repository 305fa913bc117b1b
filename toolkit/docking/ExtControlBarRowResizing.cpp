// Resizing docked bars in their rows. The row resizer changes the thickness of the bar's whole row
// (the neighbouring row gives or takes the difference); the in-row resizers move the border between
// the bar and its neighbour in the row. While the button is down a modal loop moves an XOR band over
// the frame; the sizes change once, on release, and a cancelled resize changes nothing.
#include "toolkit/docking/ExtControlBar.h"

#include "framework/app/fw_app.h"
#include "toolkit/docking/ExtBarDockedSizes.h"
#include "toolkit/docking/ExtBarModalLoop.h"
#include "toolkit/docking/ExtTrackingDC.h"

#include <algorithm>

namespace {

bool IsAtMinLength(const CExtControlBar* pBar, bool bHorz) {
  return (bHorz ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy) <= MinLengthOf(pBar, bHorz);
}

// The visible resizable toolkit bar beside the bar in its row, NULL when there is none.
CExtControlBar* RowNeighbour(const CExtControlBar* pBar, bool bForward) {
  CPtrArray arrRow;
  if (!pBar->GetRowBarsEx(true, arrRow))
    return NULL;
  for (INT_PTR i = 0; i < arrRow.GetSize(); ++i) {
    if (arrRow[i] != pBar)
      continue;
    INT_PTR nNeighbour = bForward ? i + 1 : i - 1;
    if (nNeighbour < 0 || nNeighbour >= arrRow.GetSize())
      return NULL;
    return static_cast<CExtControlBar*>(arrRow[nNeighbour]);
  }
  return NULL;
}

// In-row resizing from the row-start resizer works on the previous bar, otherwise on the next one.
bool IsTowardPrevious(const CExtControlBar* pBar) {
  return (pBar->m_bExtraFlags & CExtControlBar::XF_INROW_TOWARD_PREVIOUS) != 0;
}

// Every resizable toolkit bar of the bar's row, hidden ones too: a hidden bar shown again keeps
// the row's thickness.
std::vector<CExtControlBar*> RowResizableBars(const CExtControlBar* pBar) {
  std::vector<CExtControlBar*> arrBars;
  CDockBar* pDockBar = pBar->m_pDockBar;
  INT_PTR nThis = pDockBar != NULL ? pDockBar->FindBar(const_cast<CExtControlBar*>(pBar)) : -1;
  if (nThis < 0)
    return arrBars;
  INT_PTR nFirst = nThis;
  while (nFirst > 0 && pDockBar->m_arrBars[nFirst - 1] != NULL)
    --nFirst;
  for (INT_PTR i = nFirst; i < pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[i] != NULL; ++i) {
    CControlBar* pEntry = pDockBar->GetDockedControlBar(static_cast<int>(i));
    if (pEntry != NULL && CExtControlBar::IsResizableToolkitBar(pEntry))
      arrBars.push_back(static_cast<CExtControlBar*>(pEntry));
  }
  return arrBars;
}

// The room the bars beyond the resizer need along the row: their minimum lengths, or the window
// length of a bar that does not size itself.
int RoomBeyond(const CExtControlBar* pBar, bool bForward, bool bHorz) {
  CPtrArray arrRow;
  if (!pBar->GetRowBars(arrRow))
    return 0;
  INT_PTR nThis = 0;
  while (nThis < arrRow.GetSize() && arrRow[nThis] != pBar)
    ++nThis;
  int nRoom = 0;
  for (INT_PTR i = bForward ? nThis + 1 : nThis - 1; i >= 0 && i < arrRow.GetSize(); i += bForward ? 1 : -1) {
    CControlBar* pEntry = static_cast<CControlBar*>(arrRow[i]);
    if (CExtControlBar::IsResizableToolkitBar(pEntry)) {
      nRoom += MinLengthOf(static_cast<CExtControlBar*>(pEntry), bHorz);
    } else {
      CRect rcEntry;
      pEntry->GetWindowRect(&rcEntry);
      nRoom += bHorz ? rcEntry.Width() : rcEntry.Height();
    }
  }
  return nRoom;
}

// Messages that end a resizing mode without committing it; they stay queued for the normal pump.
bool CancelsResizing(UINT nMsg, bool bRow) {
  if (EndsBarModalLoop(nMsg))
    return true;
  switch (nMsg) {
  case WM_NCLBUTTONUP:
    return bRow;
  case WM_NCLBUTTONDOWN:
    return !bRow;
  default:
    return nMsg >= WM_KEYFIRST && nMsg <= 0x108;
  }
}

// Pumps the thread's messages until the bar leaves the mode of the state flag: through its button
// release, a cancelling message, or its window going away.
void RunResizingLoop(CExtControlBar* pBar, BYTE bStateFlag) {
  const HWND hWnd = pBar->GetSafeHwnd();
  const bool bRow = bStateFlag == CExtControlBar::BS_ROW_RESIZING;
  auto IsTracking = [&] { return ::IsWindow(hWnd) && (pBar->m_bBarState & bStateFlag) != 0; };
  auto Cancel = [&] {
    if (bRow)
      pBar->StopRowResizing(true);
    else
      pBar->StopInRowResizing(true);
  };
  while (IsTracking()) {
    MSG msg;
    // Waits only on an empty queue: input queued before the loop began would not wake it.
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
      ::WaitMessage();
    while (IsTracking() && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      if (CancelsResizing(msg.message, bRow)) {
        Cancel();
        break;
      }
      // The end of the program cancels too; its WM_QUIT goes back for the application's loop.
      if (!PumpModalLoopMessage()) {
        if (IsTracking())
          Cancel();
        return;
      }
    }
    CWinThread* pThread = AfxGetThread();
    if (!CExtControlBar::g_bIdleInModalLoops || pThread == NULL)
      continue;
    for (LONG nCount = 0; IsTracking() && pThread->OnIdle(nCount); ++nCount) {
    }
  }
}

// Inverts the band (screen coordinates) on the bar's docking frame, unless the frame draws it.
void DrawTrackerBand(CExtControlBar* pBar, CRect rcBand, bool bErase) {
  CFrameWnd* pFrame = pBar->GetDockingFrame();
  if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
    return;
  CRect rcFrame;
  pFrame->GetWindowRect(&rcFrame);
  rcBand.OffsetRect(-rcFrame.TopLeft());
  CExtTrackingDC dc(pFrame->m_hWnd);
  CExtControlBar::TrackedAreaDrawData data(pBar, dc.GetSafeHdc() != NULL ? &dc : NULL,
                                           CExtControlBar::TrackedAreaDrawData::KIND_BAND, rcBand, bErase);
  if (!pBar->NotifyDrawTrackedArea(data))
    data.Draw(CDC::GetHalftoneBrush(), PATINVERT);
}

void RedrawDockBar(CDockBar* pDockBar) {
  if (pDockBar != NULL && pDockBar->GetSafeHwnd() != NULL)
    pDockBar->RedrawWindow(NULL, NULL,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW |
                               RDW_NOFRAME);
}

void ReleaseCaptureOf(CExtControlBar* pBar) {
  if (CExtMouseCaptureSink::GetCapture() == pBar->GetSafeHwnd())
    CExtMouseCaptureSink::ReleaseCapture();
}

CPoint CursorPos() {
  CPoint pt(0, 0);
  ::GetCursorPos(&pt);
  return pt;
}

} // namespace

// --- the row resizer: the thickness of the whole row ---------------------------------------------

void CExtControlBar::TrackRowResizing() {
  CWnd::CancelToolTips();
  if (!IsRowResizingEnabled() || m_pDockBar == NULL)
    return;
  m_bBarState |= BS_ROW_RESIZING;
  CExtMouseCaptureSink::SetCapture(m_hWnd);
  const bool bHorz = IsDockedHorizontally();
  m_nTrackingExtent = ThicknessOf(this, bHorz);
  if (!IsShowContentWhileRowResizing()) {
    const CPoint pt = CursorPos();
    m_nTrackingAnchor = bHorz ? pt.y : pt.x;
    DrawRowResizingTracker(false);
  }
  RunResizingLoop(this, BS_ROW_RESIZING);
}

// The steps take the point of the mouse message: the cursor may already be elsewhere when the
// message is handled.
void CExtControlBar::OnRowResizingStep(CPoint ptScreen) {
  if (m_pDockSite == NULL || !IsRowResizing())
    return;
  CRect rcSite;
  m_pDockSite->GetWindowRect(&rcSite);
  const int nMaxHorz = rcSite.Height() - CalcMinHeight();
  const int nMaxVert = rcSite.Width() - CalcMinWidth();
  // A dock site smaller than the bar's minimum leaves the tracker where it is.
  if (nMaxHorz < 1 || nMaxVert < 1)
    return;
  const bool bHorz = IsDockedHorizontally();
  // Rows at the top and left grow toward larger coordinates, those at the bottom and right away
  // from them.
  const bool bGrowsForward = bHorz ? IsDockedAtTop() : IsDockedAtLeft();
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const int nOffset = bHorz ? ptScreen.y - rcWnd.top : ptScreen.x - rcWnd.left;
  const int nHalf = (bHorz ? m_rcNcRowResizer.Height() : m_rcNcRowResizer.Width()) / 2;
  const int nProposed = bGrowsForward ? nOffset + nHalf : ThicknessOf(this, bHorz) - nOffset + nHalf;
  const int nMin = 2 * (bHorz ? CalcMinHeight() : CalcMinWidth());
  const int nExtent = std::min(std::max(nProposed, nMin), bHorz ? nMaxHorz : nMaxVert);
  // The band stays at the thickness a release would commit, even when the cursor goes beyond it.
  const int nCursor = bHorz ? ptScreen.y : ptScreen.x;
  const int nAnchor = bGrowsForward ? nCursor + nExtent - nProposed : nCursor - nExtent + nProposed;
  if (nExtent == m_nTrackingExtent && nAnchor == m_nTrackingAnchor)
    return;
  const bool bTracker = !IsShowContentWhileRowResizing();
  if (bTracker)
    DrawRowResizingTracker(true);
  m_nTrackingExtent = nExtent;
  m_nTrackingAnchor = nAnchor;
  if (bTracker)
    DrawRowResizingTracker(false);
}

void CExtControlBar::StopRowResizing(bool bCancel) {
  if (!IsRowResizing())
    return;
  m_bBarState &= ~BS_ROW_RESIZING;
  ReleaseCaptureOf(this);
  if (IsShowContentWhileRowResizing())
    return;
  DrawRowResizingTracker(true);
  if (bCancel || m_pDockBar == NULL) {
    RedrawDockBar(m_pDockBar);
    return;
  }
  const bool bHorz = IsDockedHorizontally();
  const int nDelta = ThicknessOf(this, bHorz) - m_nTrackingExtent;
  if (nDelta != 0) {
    for (CExtControlBar* pBar : RowResizableBars(this))
      ThicknessOf(pBar, bHorz) = m_nTrackingExtent;
    // The row on the inner side of the resizer gives or takes the difference.
    CPtrArray arrNext;
    if (GetNeighbourRowBars(bHorz ? IsDockedAtTop() : IsDockedAtLeft(), arrNext))
      for (INT_PTR i = 0; i < arrNext.GetSize(); ++i)
        if (IsResizableToolkitBar(static_cast<CControlBar*>(arrNext[i])))
          ThicknessOf(static_cast<CExtControlBar*>(arrNext[i]), bHorz) += nDelta;
  }
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->RecalcLayout(TRUE);
  RedrawDockBar(m_pDockBar);
}

void CExtControlBar::DrawRowResizingTracker(bool bErase) {
  if (m_pDockBar == NULL)
    return;
  CRect rcDock;
  m_pDockBar->GetWindowRect(&rcDock);
  if (rcDock.IsRectEmpty())
    return;
  const bool bHorz = IsDockedHorizontally();
  const int nHalf = (bHorz ? m_rcNcRowResizer.Height() : m_rcNcRowResizer.Width()) / 2;
  const CRect rcBand =
      bHorz ? CRect(rcDock.left, m_nTrackingAnchor - nHalf, rcDock.right, m_nTrackingAnchor + nHalf)
            : CRect(m_nTrackingAnchor - nHalf, rcDock.top, m_nTrackingAnchor + nHalf, rcDock.bottom);
  DrawTrackerBand(this, rcBand, bErase);
}

// --- the in-row resizers: the border to the neighbour in the row -----------------------------------

void CExtControlBar::TrackInRowResizing() {
  CWnd::CancelToolTips();
  if (!IsInRowResizingEnabled() || m_pDockBar == NULL)
    return;
  // Without a neighbour on that side nothing could take the length.
  if (RowNeighbour(this, !IsTowardPrevious(this)) == NULL)
    return;
  m_bBarState |= BS_INROW_RESIZING;
  CExtMouseCaptureSink::SetCapture(m_hWnd);
  m_nTrackingExtent = 0;
  if (!IsShowContentWhileInRowResizing()) {
    const CPoint pt = CursorPos();
    m_nTrackingAnchor = IsDockedHorizontally() ? pt.x : pt.y;
    DrawInRowResizingTracker(false);
  }
  RunResizingLoop(this, BS_INROW_RESIZING);
}

void CExtControlBar::OnInRowResizingStep(CPoint ptScreen) {
  if (m_pDockBar == NULL || !IsInRowResizing())
    return;
  const bool bHorz = IsDockedHorizontally();
  const bool bPrevious = IsTowardPrevious(this);
  CRect rcWnd, rcDock;
  GetWindowRect(&rcWnd);
  m_pDockBar->GetWindowRect(&rcDock);
  const int nCursor = bHorz ? ptScreen.x : ptScreen.y;
  const int nOffset = nCursor - (bHorz ? rcWnd.left : rcWnd.top);
  const int nLength = LengthOf(this, bHorz);
  const int nMin = MinLengthOf(this, bHorz);
  const CRect& rcResizer = bPrevious ? m_rcNcRowStartResizer : m_rcNcRowEndResizer;
  const int nHalf = (bHorz ? rcResizer.Width() : rcResizer.Height()) / 2;
  const int nProposed = std::max(bPrevious ? nLength + nHalf - nOffset : nOffset + nHalf, nMin);
  const int nExtent = nLength - nProposed;
  // The band keeps this bar its minimum from its fixed edge and the bars beyond the resizer theirs
  // from the dock bar's far edge; this bar's minimum wins when both cannot be kept.
  const int nRoom = RoomBeyond(this, !bPrevious, bHorz);
  int nAnchor = nCursor;
  if (bPrevious) {
    const int nLow = (bHorz ? rcDock.left : rcDock.top) + nRoom;
    const int nHigh = (bHorz ? rcWnd.right : rcWnd.bottom) - nMin;
    nAnchor = std::min(std::max(nCursor, nLow), nHigh);
  } else {
    const int nLow = (bHorz ? rcWnd.left : rcWnd.top) + nMin;
    const int nHigh = (bHorz ? rcDock.right : rcDock.bottom) - nRoom;
    nAnchor = std::max(std::min(nCursor, nHigh), nLow);
  }
  if (nExtent == m_nTrackingExtent && nAnchor == m_nTrackingAnchor)
    return;
  const bool bTracker = !IsShowContentWhileInRowResizing();
  if (bTracker)
    DrawInRowResizingTracker(true);
  m_nTrackingExtent = nExtent;
  m_nTrackingAnchor = nAnchor;
  if (bTracker)
    DrawInRowResizingTracker(false);
}

void CExtControlBar::StopInRowResizing(bool bCancel) {
  if (!IsInRowResizing())
    return;
  m_bBarState &= ~BS_INROW_RESIZING;
  ReleaseCaptureOf(this);
  if (IsShowContentWhileInRowResizing())
    return;
  DrawInRowResizingTracker(true);
  if (bCancel || m_nTrackingExtent == 0)
    return;
  CExtControlBar* pNeighbour = RowNeighbour(this, !IsTowardPrevious(this));
  if (pNeighbour == NULL)
    return;
  const bool bHorz = IsDockedHorizontally();
  LONG& nNeighbourLength = LengthOf(pNeighbour, bHorz);
  LONG& nLength = LengthOf(this, bHorz);
  nNeighbourLength += m_nTrackingExtent;
  const int nNeighbourMin = MinLengthOf(pNeighbour, bHorz);
  if (nNeighbourLength < nNeighbourMin) {
    // The neighbour keeps its minimum; what it could not give stays with this bar.
    nLength += nNeighbourLength - nNeighbourMin;
    nNeighbourLength = nNeighbourMin;
  }
  nLength = std::max<LONG>(nLength - m_nTrackingExtent, MinLengthOf(this, bHorz));
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->RecalcLayout(TRUE);
}

void CExtControlBar::DrawInRowResizingTracker(bool bErase) {
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const bool bHorz = IsDockedHorizontally();
  const CRect& rcResizer = IsTowardPrevious(this) ? m_rcNcRowStartResizer : m_rcNcRowEndResizer;
  const int nHalf = (bHorz ? rcResizer.Width() : rcResizer.Height()) / 2;
  const CRect rcBand =
      bHorz ? CRect(m_nTrackingAnchor - nHalf, rcWnd.top, m_nTrackingAnchor + nHalf, rcWnd.bottom)
            : CRect(rcWnd.left, m_nTrackingAnchor - nHalf, rcWnd.right, m_nTrackingAnchor + nHalf);
  DrawTrackerBand(this, rcBand, bErase);
}

// --- which in-row resizers are offered ---------------------------------------------------------------

namespace {
// False only when neither the bar nor its neighbour on that side (a missing one counts as at its
// minimum) could give any length.
bool CanResizeToward(const CExtControlBar* pBar, bool bForward) {
  if (pBar->m_pDockBar == NULL)
    return false;
  const bool bHorz = pBar->IsDockedHorizontally();
  const CExtControlBar* pNeighbour = RowNeighbour(pBar, bForward);
  return !IsAtMinLength(pBar, bHorz) || (pNeighbour != NULL && !IsAtMinLength(pNeighbour, bHorz));
}
} // namespace

bool CExtControlBar::CanResizeTowardNext() const { return CanResizeToward(this, true); }

bool CExtControlBar::CanResizeTowardPrevious() const { return CanResizeToward(this, false); }
