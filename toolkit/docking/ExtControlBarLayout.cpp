// A control bar's sizes: minimum sizes, the fixed and dynamic layouts (a row of resizable bars is
// shared out by its first resizable bar), the single child that fills the client area, the
// parent-layout pass and the row queries the hit test and the dock bars ask.
#include "toolkit/docking/ExtControlBar.h"

#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The bar of an entry of a dock bar's array; NULL for row ends and place holders.
CControlBar* EntryBar(CDockBar* pDockBar, INT_PTR nPos) {
  void* p = pDockBar->m_arrBars[nPos];
  if (p == NULL || CDockBar::IsPlaceHolder(p))
    return NULL;
  return static_cast<CControlBar*>(p);
}

bool IsRowEnd(CDockBar* pDockBar, INT_PTR nPos) { return pDockBar->m_arrBars[nPos] == NULL; }

// The first and last index of the row that holds nPos (row ends excluded).
void RowRange(CDockBar* pDockBar, INT_PTR nPos, INT_PTR& nFirst, INT_PTR& nLast) {
  nFirst = nPos;
  while (nFirst > 0 && !IsRowEnd(pDockBar, nFirst - 1))
    --nFirst;
  nLast = nPos;
  INT_PTR nCount = pDockBar->m_arrBars.GetSize();
  while (nLast + 1 < nCount && !IsRowEnd(pDockBar, nLast + 1))
    ++nLast;
}

bool IsVisibleBar(CControlBar* pBar) { return pBar != NULL && pBar->IsVisible(); }

// A bar's window length along a row.
int WindowLength(CControlBar* pBar, bool bHorz) {
  CRect rc;
  pBar->GetWindowRect(&rc);
  return bHorz ? rc.Width() : rc.Height();
}

} // namespace

bool CExtControlBar::IsResizableToolkitBar(CControlBar* pBar) {
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  return pExtBar != NULL && !pExtBar->IsFixedMode();
}

// --- minimum sizes and the fixed layout ------------------------------------------------------------

int CExtControlBar::CalcMinWidth() const {
  int nMin = m_nMinWidthBase + m_rcNcRowStartResizer.Width();
  if ((m_bBarFlags & BF_CAPTION_ON_TOP) != 0 && nMin <= 10)
    nMin = 10;
  return nMin;
}

int CExtControlBar::CalcMinHeight() const { return m_nMinHeightBase + m_rcNcRowStartResizer.Height(); }

CSize CExtControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (IsFloating())
    return m_sizeFloated;
  // The cross sizes are raised to the minimum of the other axis, and the vertical stretch answers
  // the horizontal width: the row layouts of the dock bars are tuned to exactly these answers.
  if (bHorz) {
    if (bStretch)
      return CSize(32767, m_sizeDockedH.cy);
    m_sizeDockedH.cy = std::max<LONG>(m_sizeDockedH.cy, CalcMinWidth());
    return m_sizeDockedH;
  }
  if (bStretch)
    return CSize(m_sizeDockedH.cx, 32767);
  m_sizeDockedV.cx = std::max<LONG>(m_sizeDockedV.cx, CalcMinHeight());
  return m_sizeDockedV;
}

// --- the dynamic layout: one row shared out ----------------------------------------------------------

int CExtControlBar::DistributeRowDifference(std::vector<RowShare>& arrItems, int nDiff) {
  if (arrItems.empty())
    return nDiff;
  auto AllAtMinimum = [&arrItems]() {
    return std::all_of(arrItems.begin(), arrItems.end(),
                       [](const RowShare& item) { return item.nLength <= item.nMin; });
  };
  if (AllAtMinimum()) {
    // Nothing can give: the last bar takes the whole difference.
    arrItems.back().nLength += nDiff;
    return 0;
  }
  int nStep = nDiff > 0 ? 1 : -1;
  // Bounded so that a row whose bars cannot take the difference still ends.
  int nRounds = 2 * std::abs(nDiff);
  for (int nRound = 0; nRound < nRounds && nDiff != 0 && !AllAtMinimum(); ++nRound) {
    for (RowShare& item : arrItems) {
      if (nDiff == 0)
        break;
      if (item.nLength <= item.nMin && nStep < 0)
        continue;
      item.nLength += nStep;
      nDiff -= nStep;
    }
  }
  return nDiff;
}

CSize CExtControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (IsFloating() || (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0) {
    if (nLength > 0) {
      if ((dwMode & LM_LENGTHY) != 0)
        m_sizeFloated.cy = nLength;
      else
        m_sizeFloated.cx = nLength;
    }
    if ((dwMode & (LM_MRUWIDTH | LM_COMMIT)) != 0)
      return m_sizeFloated;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
  }
  bool bHorz = (dwMode & LM_HORZDOCK) != 0;
  CDockBar* pDockBar = m_pDockBar;
  // Fixed bars keep their own size; only resizable bars share a row out.
  if (nLength >= 0 || pDockBar == NULL || pDockBar->m_bLayoutQuery || IsFixedMode())
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
  LayoutRow(bHorz);
  return CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorz);
}

void CExtControlBar::LayoutRow(bool bHorz) {
  CDockBar* pDockBar = m_pDockBar;
  CRect rcLayout(pDockBar->m_rectLayout);
  int nExtent = bHorz ? rcLayout.Width() : rcLayout.Height();
  if (nExtent == 0 || rcLayout.IsRectEmpty()) {
    CRect rcClient;
    pDockBar->GetClientRect(&rcClient);
    nExtent = bHorz ? rcClient.Width() : rcClient.Height();
  }
  nExtent = std::max(nExtent, 3);
  INT_PTR nThis = pDockBar->FindBar(this);
  if (nThis < 0)
    return;
  INT_PTR nFirst = 0, nLast = 0;
  RowRange(pDockBar, nThis, nFirst, nLast);
  // Only the first resizable bar of a row lays the row out.
  int nVisible = 0;
  LONG nCross = 0;
  for (INT_PTR i = nFirst; i <= nLast; ++i) {
    CControlBar* pBar = EntryBar(pDockBar, i);
    if (!IsVisibleBar(pBar))
      continue;
    ++nVisible;
    if (!IsResizableToolkitBar(pBar))
      continue;
    if (i < nThis)
      return;
    CExtControlBar* pExtBar = static_cast<CExtControlBar*>(pBar);
    nCross = std::max(nCross, bHorz ? pExtBar->m_sizeDockedH.cy : pExtBar->m_sizeDockedV.cx);
  }
  if (nVisible <= 1) {
    SetRowLength(std::max(GetRowMinLength(), nExtent));
    PositionRow(bHorz, nFirst, nLast, nCross);
    return;
  }
  int nSum = bHorz ? afxData.cyBorder2 : afxData.cxBorder2;
  int nStored = 0;
  int nRemaining = nExtent;
  std::vector<CExtControlBar*> arrResizable;
  for (INT_PTR i = nFirst; i <= nLast; ++i) {
    CControlBar* pBar = EntryBar(pDockBar, i);
    if (!IsVisibleBar(pBar))
      continue;
    int nSumBefore = nSum;
    if (IsResizableToolkitBar(pBar)) {
      CExtControlBar* pExtBar = static_cast<CExtControlBar*>(pBar);
      int nMin = pExtBar->GetRowMinLength();
      if (pExtBar->GetRowLength() < nMin)
        pExtBar->SetRowLength(nMin);
      nSum += nMin;
      nStored += pExtBar->GetRowLength();
      arrResizable.push_back(pExtBar);
    } else {
      int nLen = WindowLength(pBar, bHorz);
      nSum += nLen;
      nRemaining -= nLen;
    }
    if (nSum <= nExtent)
      continue;
    if (i < nThis) {
      // A bar ahead of this one overflows: this bar starts a new row.
      pDockBar->m_arrBars.InsertAt(i + 1, static_cast<void*>(NULL));
      return;
    }
    if (i == nThis) {
      SetRowLength(std::max(GetRowMinLength(), nExtent - nSumBefore));
      if (i < nLast)
        pDockBar->m_arrBars.InsertAt(i + 1, static_cast<void*>(NULL));
      PositionRow(bHorz, nFirst, i, nCross);
      return;
    }
    // A bar after this one overflows: it starts a new row and this row ends before it.
    pDockBar->m_arrBars.InsertAt(i, static_cast<void*>(NULL));
    nLast = i - 1;
    if (arrResizable.back() == pBar) {
      nStored -= static_cast<CExtControlBar*>(pBar)->GetRowLength();
      arrResizable.pop_back();
    }
    break;
  }
  std::vector<RowShare> arrShares;
  for (CExtControlBar* pExtBar : arrResizable) {
    // Every resizable bar of the row takes the row's thickness.
    if (bHorz)
      pExtBar->m_sizeDockedH.cy = nCross;
    else
      pExtBar->m_sizeDockedV.cx = nCross;
    arrShares.push_back(RowShare{pExtBar->GetRowLength(), pExtBar->GetRowMinLength()});
  }
  DistributeRowDifference(arrShares, nRemaining - nStored);
  for (size_t i = 0; i < arrResizable.size(); ++i)
    arrResizable[i]->SetRowLength(arrShares[i].nLength);
  PositionRow(bHorz, nFirst, nLast, nCross);
}

void CExtControlBar::PositionRow(bool bHorz, INT_PTR nFirst, INT_PTR nLast, LONG nCross) {
  CDockBar* pDockBar = m_pDockBar;
  CRect rcThis;
  GetWindowRect(&rcThis);
  pDockBar->ScreenToClient(&rcThis);
  int nAlong = 0;
  HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(nLast - nFirst + 1));
  for (INT_PTR i = nFirst; i <= nLast && hDWP != NULL; ++i) {
    CControlBar* pBar = EntryBar(pDockBar, i);
    if (!IsVisibleBar(pBar))
      continue;
    CRect rcOld;
    pBar->GetWindowRect(&rcOld);
    pDockBar->ScreenToClient(&rcOld);
    CSize size = rcOld.Size();
    if (IsResizableToolkitBar(pBar)) {
      CExtControlBar* pExtBar = static_cast<CExtControlBar*>(pBar);
      size = bHorz ? CSize(pExtBar->m_sizeDockedH.cx, nCross) : CSize(nCross, pExtBar->m_sizeDockedV.cy);
    }
    CRect rcNew = bHorz ? CRect(CPoint(nAlong, rcThis.top), size) : CRect(CPoint(rcThis.left, nAlong), size);
    nAlong += bHorz ? size.cx : size.cy;
    if (rcNew != rcOld)
      hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
  if (hDWP != NULL)
    ::EndDeferWindowPos(hDWP);
}

// --- the single child and the parent's layout ----------------------------------------------------------

void CExtControlBar::RepositionSingleChild(int cx, int cy, bool bRedraw) {
  if ((m_bBarState & BS_FIT_CHILD) == 0 || m_hWnd == NULL)
    return;
  HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
  if (hChild == NULL)
    return;
  CRect rcTarget(0, 0, cx, cy);
  if (cx < 0 || cy < 0)
    GetClientRect(&rcTarget);
  if (IsFloating())
    rcTarget.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
  CRect rcChild;
  ::GetWindowRect(hChild, &rcChild);
  ScreenToClient(&rcChild);
  if (rcChild != rcTarget)
    ::MoveWindow(hChild, rcTarget.left, rcTarget.top, rcTarget.Width(), rcTarget.Height(), bRedraw);
}

void CExtControlBar::RecalcParentFrameLayout() {
  if ((m_bBarFlags & BF_PARENT_LAYOUT) == 0 || IsDialogMode())
    return;
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame == NULL || pFrame->m_bInRecalcLayout)
    return;
  CWnd* pTop = FindTopLevelAncestor(this);
  if (pTop != NULL && pTop->IsIconic())
    return;
  bool bFlagged = false;
  if (IsFixedMode() && IsFloating() && pFrame->IsWindowVisible() && !LookupFrameFlags(pFrame, &bFlagged)) {
    pFrame->RecalcLayout();
    return;
  }
  pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

LRESULT CExtControlBar::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam) {
  if ((m_bBarFlags & BF_PARENT_LAYOUT) == 0)
    return 0;
  AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  DWORD dwStyle = RecalcDelayShow(pLayout);
  if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & CBRS_ALIGN_ANY) == 0)
    return 0;
  if (DockBarForPlacelessBar() != NULL) {
    // Laid out here it would measure as floating, in a column across the frame: it takes no room
    // until the request docks it, which cannot happen inside the walk over the frame's children.
    if ((m_bBarState & BS_DOCK_PLACE_OWED) == 0 && PostMessage(g_nMsgTakeDockPlace))
      m_bBarState |= BS_DOCK_PLACE_OWED;
    return 0;
  }
  CRect rc(pLayout->rect);
  CSize sizeAvail = rc.Size();
  DWORD dwMode = pLayout->bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && (m_dwStyle & CBRS_FLOATING) != 0)
    dwMode |= LM_HORZ | LM_MRUWIDTH;
  else if ((dwStyle & CBRS_ORIENT_HORZ) != 0)
    dwMode |= LM_HORZ | LM_HORZDOCK;
  else
    dwMode |= LM_VERTDOCK;
  CSize size = CalcDynamicLayout(-1, dwMode);
  size.cx = std::min(size.cx, sizeAvail.cx);
  size.cy = std::min(size.cy, sizeAvail.cy);
  if ((dwStyle & CBRS_ORIENT_HORZ) != 0) {
    pLayout->sizeTotal.cy += size.cy;
    pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
    if ((dwStyle & CBRS_ALIGN_TOP) != 0)
      pLayout->rect.top += size.cy;
    else if ((dwStyle & CBRS_ALIGN_BOTTOM) != 0) {
      rc.top = rc.bottom - size.cy;
      pLayout->rect.bottom -= size.cy;
    }
  } else if ((dwStyle & CBRS_ORIENT_VERT) != 0) {
    pLayout->sizeTotal.cx += size.cx;
    pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, size.cy);
    bool bLeft = (dwStyle & CBRS_ALIGN_LEFT) != 0;
    CWnd* pParent = GetParent();
    if (m_pDockSite != NULL && pParent != NULL && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
      bLeft = !bLeft;
    if (bLeft)
      pLayout->rect.left += size.cx;
    else {
      rc.left = rc.right - size.cx;
      pLayout->rect.right -= size.cx;
    }
  }
  rc.right = rc.left + size.cx;
  rc.bottom = rc.top + size.cy;
  if (pLayout->hDWP != NULL)
    AfxRepositionWindow(pLayout, m_hWnd, &rc);
  return 0;
}

void CExtControlBar::RepositionBarsEx(CWnd* pWnd, UINT nIdFirst, UINT nIdLast, UINT nIdLeftOver, UINT nFlags,
                                      LPRECT pRectParam, LPCRECT pRectClient, bool bStretch) {
  if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
    return;
  AFX_SIZEPARENTPARAMS layout = {};
  if (pRectClient != NULL)
    layout.rect = *pRectClient;
  else
    pWnd->GetClientRect(&layout.rect);
  layout.bStretch = bStretch;
  bool bQuery = (nFlags & 0x0F) == CWnd::reposQuery;
  if (!bQuery)
    layout.hDWP = ::BeginDeferWindowPos(8);
  HWND hWndLeftOver = NULL;
  for (HWND hChild = ::GetTopWindow(pWnd->m_hWnd); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    // Control ids are 16-bit, as the frame's own layout pass reads them.
    UINT nId = static_cast<WORD>(::GetDlgCtrlID(hChild));
    CWnd* pChild = CWnd::FromHandlePermanent(hChild);
    if (nId == nIdLeftOver)
      hWndLeftOver = hChild;
    else if (pChild != NULL) {
      QUERY_REPOSITION_CALC_EFFECT_DATA query(nFlags, pWnd, nIdFirst, nIdLast, nIdLeftOver, pRectParam,
                                              pRectClient, bStretch);
      ::SendMessageA(hChild, g_nMsgQueryRepositionCalcEffect, reinterpret_cast<WPARAM>(&query), 0);
      if (nId >= nIdFirst && nId <= nIdLast && !(bQuery && query.IsExcludedFromQuery()))
        ::SendMessageA(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
  }
  if (bQuery) {
    if (pRectParam != NULL) {
      if (bStretch)
        ::CopyRect(pRectParam, &layout.rect);
      else
        ::SetRect(pRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
    }
    return;
  }
  if (nIdLeftOver != 0 && hWndLeftOver != NULL) {
    CWnd* pLeftOver = CWnd::FromHandle(hWndLeftOver);
    if ((nFlags & 0x0F) == CWnd::reposExtra && pRectParam != NULL) {
      layout.rect.left += pRectParam->left;
      layout.rect.top += pRectParam->top;
      layout.rect.right -= pRectParam->right;
      layout.rect.bottom -= pRectParam->bottom;
    }
    pLeftOver->CalcWindowRect(&layout.rect);
    AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
  }
  if (layout.hDWP != NULL)
    ::EndDeferWindowPos(layout.hDWP);
}

// --- row queries -----------------------------------------------------------------------------------

namespace {

bool PassesKind(CControlBar* pBar, bool bToolkitOnly, bool bResizableOnly) {
  if (bResizableOnly)
    return CExtControlBar::IsResizableToolkitBar(pBar);
  return !bToolkitOnly || DYNAMIC_DOWNCAST(CExtControlBar, pBar) != NULL;
}

} // namespace

CExtControlBar* CExtControlBar::FindRowNeighbour(bool bForward, bool bToolkitOnly,
                                                 bool bResizableOnly) const {
  CDockBar* pDockBar = m_pDockBar;
  INT_PTR nThis = pDockBar != NULL ? pDockBar->FindBar(const_cast<CExtControlBar*>(this)) : -1;
  if (nThis < 0)
    return NULL;
  INT_PTR nFirst = 0, nLast = 0;
  RowRange(pDockBar, nThis, nFirst, nLast);
  for (INT_PTR i = bForward ? nThis + 1 : nThis - 1; i >= nFirst && i <= nLast; i += bForward ? 1 : -1) {
    CControlBar* pBar = EntryBar(pDockBar, i);
    if (!IsVisibleBar(pBar))
      continue;
    if (PassesKind(pBar, bToolkitOnly, bResizableOnly))
      return DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (bToolkitOnly || bResizableOnly)
      continue;
    return NULL;
  }
  return NULL;
}

CExtControlBar* CExtControlBar::FindRowEdgeBar(bool bForward, bool bToolkitOnly, bool bResizableOnly) const {
  CExtControlBar* pEdge = const_cast<CExtControlBar*>(this);
  CDockBar* pDockBar = m_pDockBar;
  INT_PTR nThis = pDockBar != NULL ? pDockBar->FindBar(pEdge) : -1;
  if (nThis < 0)
    return pEdge;
  INT_PTR nFirst = 0, nLast = 0;
  RowRange(pDockBar, nThis, nFirst, nLast);
  for (INT_PTR i = nFirst; i <= nLast; ++i) {
    CControlBar* pBar = EntryBar(pDockBar, i);
    if (!IsVisibleBar(pBar) || !PassesKind(pBar, bToolkitOnly, bResizableOnly))
      continue;
    CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExtBar == NULL)
      continue;
    if (!bForward)
      return pExtBar;
    pEdge = pExtBar;
  }
  return pEdge;
}

namespace {
// Whether a visible bar that counts stands on one side of the bar in its row. Before the bar any
// visible bar counts (with the flag a foreign or fixed bar ends the search too); after it, with
// the flag, only resizable toolkit bars do.
bool HasCountingNeighbour(CDockBar* pDockBar, const CControlBar* pThis, bool bBefore, bool bResizableOnly) {
  INT_PTR nThis = pDockBar != NULL ? pDockBar->FindBar(const_cast<CControlBar*>(pThis)) : -1;
  if (nThis < 0)
    return false;
  INT_PTR nFirst = 0, nLast = 0;
  RowRange(pDockBar, nThis, nFirst, nLast);
  const INT_PTR nStep = bBefore ? -1 : 1;
  for (INT_PTR i = nThis + nStep; bBefore ? i >= nFirst : i <= nLast; i += nStep) {
    CControlBar* pBar = EntryBar(pDockBar, i);
    if (IsVisibleBar(pBar) && (bBefore || !bResizableOnly || CExtControlBar::IsResizableToolkitBar(pBar)))
      return true;
  }
  return false;
}
} // namespace

bool CExtControlBar::IsFirstInRow(bool bResizableOnly) const {
  return !HasCountingNeighbour(m_pDockBar, this, true, bResizableOnly);
}

bool CExtControlBar::IsLastInRow(bool bResizableOnly) const {
  return !HasCountingNeighbour(m_pDockBar, this, false, bResizableOnly);
}

bool CExtControlBar::IsSingleInRow(RowKind nKind) const {
  CPtrArray arrBars;
  if (!GetRowBars(arrBars))
    return true;
  int nCount = 0;
  for (INT_PTR i = 0; i < arrBars.GetSize(); ++i) {
    CControlBar* pBar = static_cast<CControlBar*>(arrBars[i]);
    bool bResizable = IsResizableToolkitBar(pBar);
    if (nKind == ROW_ALL_BARS || (nKind == ROW_RESIZABLE) == bResizable)
      ++nCount;
  }
  return nCount == 1;
}

bool CExtControlBar::IsAtMinimumLength() const {
  if (IsFloating() || m_pDockBar == NULL)
    return false;
  return GetRowLength() == GetRowMinLength();
}

bool CExtControlBar::GetRowBarsEx(bool bResizableToolkitOnly, CPtrArray& arrBars, RowInfo* pInfo) const {
  arrBars.RemoveAll();
  CDockBar* pDockBar = m_pDockBar;
  INT_PTR nThis = pDockBar != NULL ? pDockBar->FindBar(const_cast<CExtControlBar*>(this)) : -1;
  if (nThis < 0)
    return false;
  return CollectRow(pDockBar, nThis, bResizableToolkitOnly, arrBars, pInfo);
}

bool CExtControlBar::GetRowBars(CPtrArray& arrBars, RowInfo* pInfo) const {
  return GetRowBarsEx(false, arrBars, pInfo);
}

bool CExtControlBar::GetNeighbourRowBars(bool bForward, CPtrArray& arrBars, RowInfo* pInfo) const {
  arrBars.RemoveAll();
  CDockBar* pDockBar = m_pDockBar;
  INT_PTR nThis = pDockBar != NULL ? pDockBar->FindBar(const_cast<CExtControlBar*>(this)) : -1;
  if (nThis < 0)
    return false;
  INT_PTR nFirst = 0, nLast = 0;
  RowRange(pDockBar, nThis, nFirst, nLast);
  // Rows without a visible bar are passed over.
  INT_PTR nCount = pDockBar->m_arrBars.GetSize();
  for (INT_PTR nPos = bForward ? nLast + 2 : nFirst - 2; nPos > 0 && nPos < nCount;) {
    if (IsRowEnd(pDockBar, nPos)) {
      nPos += bForward ? 1 : -1;
      continue;
    }
    if (CollectRow(pDockBar, nPos, false, arrBars, pInfo))
      return true;
    INT_PTR nRowFirst = 0, nRowLast = 0;
    RowRange(pDockBar, nPos, nRowFirst, nRowLast);
    nPos = bForward ? nRowLast + 2 : nRowFirst - 2;
  }
  return false;
}

bool CExtControlBar::CollectRow(CDockBar* pDockBar, INT_PTR nPos, bool bResizableToolkitOnly,
                                CPtrArray& arrBars, RowInfo* pInfo) {
  arrBars.RemoveAll();
  INT_PTR nFirst = 0, nLast = 0;
  RowRange(pDockBar, nPos, nFirst, nLast);
  RowInfo info;
  for (INT_PTR i = 1; i < nFirst; ++i)
    if (IsRowEnd(pDockBar, i))
      ++info.m_nRowIndex;
  ++info.m_nRowIndex;
  for (INT_PTR i = nFirst; i <= nLast; ++i) {
    CControlBar* pBar = EntryBar(pDockBar, i);
    if (!IsVisibleBar(pBar))
      continue;
    bool bResizable = IsResizableToolkitBar(pBar);
    info.m_bHasResizable = info.m_bHasResizable || bResizable;
    info.m_bHasFixed = info.m_bHasFixed || !bResizable;
    if (bResizableToolkitOnly && !bResizable)
      continue;
    arrBars.Add(pBar);
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    pDockBar->ScreenToClient(&rcBar);
    if (info.m_rcRow.IsRectEmpty())
      info.m_rcRow = rcBar;
    else
      info.m_rcRow.UnionRect(&info.m_rcRow, &rcBar);
  }
  if (pInfo != NULL)
    *pInfo = info;
  return arrBars.GetSize() > 0;
}

void CExtControlBar::MoveToOwnRow() {
  CFrameWnd* pFrame = GetParentFrame();
  CDockBar* pDockBar = m_pDockBar;
  if (pFrame == NULL || pDockBar == NULL)
    return;
  pFrame->RecalcLayout();
  INT_PTR nThis = pDockBar->FindBar(this);
  if (nThis < 0)
    return;
  if (nThis + 1 < pDockBar->m_arrBars.GetSize() && !IsRowEnd(pDockBar, nThis + 1))
    pDockBar->m_arrBars.InsertAt(nThis + 1, static_cast<void*>(NULL));
  if (!IsRowEnd(pDockBar, nThis - 1))
    pDockBar->m_arrBars.InsertAt(nThis, static_cast<void*>(NULL));
  SetRowLength(32767);
  pFrame->RecalcLayout();
}

void CExtControlBar::RecalcDockBarInPlace(CFrameWnd* pFrame, CDockBar* pDockBar) {
  if (pFrame == NULL || pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL)
    return;
  pDockBar->Invalidate();
  if (!pDockBar->IsWindowVisible()) {
    pFrame->RecalcLayout();
    return;
  }
  CRect rcDockBar;
  pDockBar->GetWindowRect(&rcDockBar);
  pFrame->ScreenToClient(&rcDockBar);
  bool bHorz = (pDockBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  BOOL bOldQuery = pDockBar->m_bLayoutQuery;
  CRect rcOldLayout = pDockBar->m_rectLayout;
  pDockBar->m_bLayoutQuery = TRUE;
  pDockBar->m_rectLayout = rcDockBar;
  CSize size = pDockBar->CalcFixedLayout(TRUE, bHorz);
  bool bSameThickness = bHorz ? size.cy == rcDockBar.Height() : size.cx == rcDockBar.Width();
  if (bSameThickness) {
    pDockBar->m_bLayoutQuery = FALSE;
    pDockBar->CalcFixedLayout(TRUE, bHorz);
  }
  pDockBar->m_bLayoutQuery = bOldQuery;
  pDockBar->m_rectLayout = rcOldLayout;
  if (bSameThickness)
    CExtPaintManager::PumpPendingMessages(true, true, true);
  else
    pFrame->RecalcLayout();
}
