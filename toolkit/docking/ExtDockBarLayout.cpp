// The plain row layout of inner circles and floating dock bars: bars follow each other from the
// row start; a fixed bar that no longer fits starts a new row through a row separator written into
// the array, while a resizable toolkit bar stays in its row and is cut at the available length.
#include "toolkit/docking/ExtDockBar.h"

#include <algorithm>

namespace {

DWORD LayoutModeOf(const CControlBar* pBar) {
  if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
    return LM_HORZ | LM_MRUWIDTH;
  if (pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM))
    return LM_HORZ | LM_HORZDOCK;
  return LM_VERTDOCK;
}

// The bar's minimum along the row: its non-client frame, or the toolkit's minimum for a
// resizable toolkit bar.
int MinAlongRow(CControlBar* pBar, bool bHorz) {
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (pExtBar != NULL && !pExtBar->IsFixedMode())
    return bHorz ? pExtBar->CalcMinWidth() : pExtBar->CalcMinHeight();
  CRect rcWnd, rcClient;
  pBar->GetWindowRect(&rcWnd);
  pBar->GetClientRect(&rcClient);
  return bHorz ? rcWnd.Width() - rcClient.Width() : rcWnd.Height() - rcClient.Height();
}

} // namespace

bool CExtDockBar::IsWrapCandidate(CControlBar* pBar) {
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  return pExtBar == NULL || pExtBar->IsFixedMode();
}

CSize CExtDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
  CSize sizeAvail = m_rectLayout.Size();
  if (m_rectLayout.IsRectEmpty()) {
    CFrameWnd* pFrame = GetParentFrame();
    CRect rc(0, 0, 0, 0);
    if (pFrame != NULL)
      pFrame->GetClientRect(&rc);
    sizeAvail = rc.Size();
  }
  const int nAvail = bHorz ? sizeAvail.cx : sizeAvail.cy;
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
  CPoint pt(0, 0);
  int nThickness = 0;
  bool bWrapPending = false;
  auto endRow = [&]() {
    if (bHorz)
      pt.y += nThickness;
    else
      pt.x += nThickness;
    sizeFixed.cx = std::max(sizeFixed.cx, pt.x);
    sizeFixed.cy = std::max(sizeFixed.cy, pt.y);
    if (bHorz) {
      sizeFixed.cy--;
      pt.x = 0;
    } else {
      sizeFixed.cx--;
      pt.y = 0;
    }
    nThickness = 0;
  };
  for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); nPos++) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos));
    if (pBar == NULL) {
      if (m_arrBars[nPos] == NULL && nThickness != 0)
        endRow();
      continue;
    }
    if (!pBar->IsVisible()) {
      if (!bWrapPending)
        pBar->RecalcDelayShow(&layout);
      continue;
    }
    CRect rcCurrent;
    pBar->GetWindowRect(&rcCurrent);
    ScreenToClient(&rcCurrent);
    const int nMin = MinAlongRow(pBar, bHorz != FALSE);
    const CSize size = pBar->CalcDynamicLayout(-1, LayoutModeOf(pBar));
    CRect rc(pt, size);
    LONG& nStart = bHorz ? rc.left : rc.top;
    LONG& nEnd = bHorz ? rc.right : rc.bottom;
    const int nExtent = bHorz ? size.cx : size.cy;
    const int nPen = bHorz ? pt.x : pt.y;
    const int nCurStart = bHorz ? rcCurrent.left : rcCurrent.top;
    if (nCurStart > nStart && !m_bFloating)
      bHorz ? rc.OffsetRect(nCurStart - nStart, 0) : rc.OffsetRect(0, nCurStart - nStart);
    if (nEnd > nAvail && !m_bFloating) {
      const int nNewStart = std::max(nAvail - nExtent, nPen);
      bHorz ? rc.OffsetRect(nNewStart - nStart, 0) : rc.OffsetRect(0, nNewStart - nStart);
      nEnd = std::min<LONG>(nEnd, nAvail);
    }
    // A bar pushed past the end keeps an empty rectangle there: an inverted one would make the
    // deferred positioning of the whole row fail.
    if (nStart > nAvail)
      bHorz ? rc.OffsetRect(nAvail - nStart, 0) : rc.OffsetRect(0, nAvail - nStart);
    if (nEnd < nStart)
      nEnd = nStart;
    if (bWrapPending) {
      bHorz ? rc.OffsetRect(-rc.left, 0) : rc.OffsetRect(0, -rc.top);
      bWrapPending = false;
    } else if (nPos > 0 && GetDockedControlBar(static_cast<int>(nPos - 1)) != NULL &&
               ((nEnd - nStart) < nMin || nStart >= nAvail) && IsWrapCandidate(pBar)) {
      // The fixed bar starts a new row, recorded in the array so that it stays there.
      m_arrBars.InsertAt(nPos, static_cast<void*>(NULL));
      bWrapPending = true;
      endRow();
      continue; // the separator; the bar comes next
    }
    if (rc != rcCurrent) {
      if (!m_bLayoutQuery) {
        if (!m_bFloating && pBar->m_pDockContext != NULL)
          pBar->m_pDockContext->m_rectMRUDockPos = rc;
        AfxRepositionWindow(&layout, pBar->m_hWnd, &rc);
      }
    }
    if (bHorz)
      pt.x = rc.left + size.cx;
    else
      pt.y = rc.top + size.cy;
    nThickness = std::max(nThickness, static_cast<int>(bHorz ? size.cy : size.cx));
    pBar->RecalcDelayShow(&layout);
  }
  if (nThickness != 0)
    endRow();
  return FinishRowLayout(layout, sizeFixed, bStretch, bHorz);
}

CSize CExtDockBar::FinishRowLayout(AFX_SIZEPARENTPARAMS& layout, CSize sizeFixed, BOOL bStretch, BOOL bHorz) {
  if (layout.hDWP != NULL)
    ::EndDeferWindowPos(layout.hDWP);
  // The border line between the bars and the frame's client area.
  if (sizeFixed.cx != 0 && (!bStretch || !bHorz))
    sizeFixed.cx++;
  if (sizeFixed.cy != 0 && (!bStretch || bHorz))
    sizeFixed.cy++;
  if (!m_bLayoutQuery)
    RecalcNestedLayout();
  return sizeFixed;
}
