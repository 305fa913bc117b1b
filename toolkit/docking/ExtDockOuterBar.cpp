// The outer row layout: each row's bars keep their remembered order and positions; a row that is
// too long first gives up free space, then shrinks its bars toward their minimum sizes, and only
// then continues on a new visual row (the bar array is not changed by a wrap).
#include "toolkit/docking/ExtDockBar.h"

#include <algorithm>

namespace {

typedef CExtDockOuterBar::ItemArray ItemArray;

int Start(const CRect& rc, bool bHorz) { return bHorz ? rc.left : rc.top; }
int End(const CRect& rc, bool bHorz) { return bHorz ? rc.right : rc.bottom; }
int Extent(const CRect& rc, bool bHorz) { return bHorz ? rc.Width() : rc.Height(); }
int Across(const CSize& size, bool bHorz) { return bHorz ? size.cy : size.cx; }
int Along(const CSize& size, bool bHorz) { return bHorz ? size.cx : size.cy; }
void MoveAlong(CRect& rc, int nDelta, bool bHorz) {
  bHorz ? rc.OffsetRect(nDelta, 0) : rc.OffsetRect(0, nDelta);
}
void SetStart(CRect& rc, int nStart, bool bHorz) { MoveAlong(rc, nStart - Start(rc, bHorz), bHorz); }
void SetEnd(CRect& rc, int nEnd, bool bHorz) { (bHorz ? rc.right : rc.bottom) = nEnd; }

} // namespace

void CExtDockOuterBar::EndRow(int& nThickness, CSize& sizeFixed, CPoint& ptPen, bool bHorz) {
  if (nThickness == 0)
    return;
  if (bHorz) {
    ptPen.y += nThickness;
    sizeFixed.cx = std::max(sizeFixed.cx, ptPen.x);
    sizeFixed.cy = std::max(sizeFixed.cy, ptPen.y);
    sizeFixed.cy--;
    ptPen.x = 0;
  } else {
    ptPen.x += nThickness;
    sizeFixed.cx = std::max(sizeFixed.cx, ptPen.x);
    sizeFixed.cy = std::max(sizeFixed.cy, ptPen.y);
    sizeFixed.cx--;
    ptPen.y = 0;
  }
  nThickness = 0;
}

void CExtDockOuterBar::AlignRowExtents(bool bHorz, ItemArray& items, int nFirst, int nLast) {
  int nMax = 0, nCount = 0;
  for (int i = nFirst; i <= nLast; i++) {
    if (!items[i].m_bInRowExtent)
      continue;
    nMax = std::max(nMax, Extent(items[i].m_rcLayout, !bHorz));
    nCount++;
  }
  if (nCount < 2)
    return;
  for (int i = nFirst; i <= nLast; i++) {
    if (!items[i].m_bInRowExtent)
      continue;
    CRect& rc = items[i].m_rcLayout;
    (bHorz ? rc.bottom : rc.right) = (bHorz ? rc.top : rc.left) + nMax;
  }
}

void CExtDockOuterBar::BuildRowOrder(bool bHorz, std::vector<int>& order, ItemArray& items, bool bInit,
                                     int nFirst, int nLast) {
  std::vector<int> numbered, appended;
  LONG nNext = (nLast - nFirst + 1) + nFirst;
  for (int i = nFirst; i <= nLast; i++) {
    OuterLayoutItemData& item = items[i];
    if (!item.m_bToolkit || item.m_pPos == NULL) {
      appended.push_back(i);
      continue;
    }
    CExtControlBar::OuterDockPosition& pos = *item.m_pPos;
    if (!bInit) {
      if (RowOrderOf(pos) == 0 || ::IsRectEmpty(&RowRectOf(pos)))
        appended.push_back(i);
      else
        numbered.push_back(i);
      continue;
    }
    if (RowOrderOf(pos) == 0)
      RowOrderOf(pos) = ++nNext;
    if (::IsRectEmpty(&RowRectOf(pos)))
      RowRectOf(pos) = item.m_rcCurrent;
    LONG& nExtent = RowExtentOf(pos, bHorz);
    if (nExtent == 0)
      nExtent = Extent(item.m_rcCurrent, bHorz);
    nExtent = std::min<LONG>(nExtent, Along(item.m_size, bHorz));
    numbered.push_back(i);
  }
  std::stable_sort(numbered.begin(), numbered.end(),
                   [&](int a, int b) { return RowOrderOf(*items[a].m_pPos) < RowOrderOf(*items[b].m_pPos); });
  order = numbered;
  order.insert(order.end(), appended.begin(), appended.end());
}

bool CExtDockOuterBar::FitRow(ItemArray& items, int nFirst, int nLast, int nAvail, bool bHorz) {
  std::vector<CRect> rects;
  int nTotal = 0;
  for (int i = nFirst; i <= nLast; i++) {
    rects.push_back(items[i].m_rcLayout);
    nTotal += Extent(items[i].m_rcLayout, bHorz);
  }
  const int nCount = nLast - nFirst + 1;
  auto limitOf = [&](int k) { return k == nCount - 1 ? nAvail : Start(rects[k + 1], bHorz); };
  bool bFits = false;
  if (nTotal <= nAvail) {
    // Free space: pull the bars back (never forward) until each ends where the next begins.
    for (int k = nCount - 1; k >= 0; k--)
      if (End(rects[k], bHorz) > limitOf(k))
        MoveAlong(rects[k], limitOf(k) - End(rects[k], bHorz), bHorz);
    bFits = Start(rects[0], bHorz) >= 0;
  }
  if (!bFits) {
    // No room left: pack from the far end and shrink bars toward their minimum sizes.
    std::vector<CRect> packed(rects);
    int nOverflow = std::max(0, nTotal - nAvail);
    for (int k = nCount - 1; k >= 0; k--) {
      int nExtent = Extent(packed[k], bHorz);
      const int nShrink =
          std::min(nOverflow, std::max(0, nExtent - Along(items[nFirst + k].m_sizeMin, bHorz)));
      nExtent -= nShrink;
      nOverflow -= nShrink;
      const int nEnd = k == nCount - 1 ? nAvail : Start(packed[k + 1], bHorz);
      SetStart(packed[k], nEnd - nExtent, bHorz);
      SetEnd(packed[k], nEnd, bHorz);
    }
    if (nOverflow > 0 || Start(packed[0], bHorz) < 0)
      return false;
    rects = packed;
  }
  if (Start(rects[0], bHorz) == 0 && nCount >= 2) {
    // Bars below their remembered extent win pixels back from the bars after them in the order.
    for (int k = 0; k < nCount; k++)
      items[nFirst + k].m_rcLayout = rects[k];
    std::vector<int> order;
    BuildRowOrder(bHorz, order, items, false, nFirst, nLast);
    bool bMoved = false;
    for (int p = static_cast<int>(order.size()) - 2; p >= 0; p--) {
      OuterLayoutItemData& taker = items[order[p]];
      CRect& rcTaker = rects[order[p] - nFirst];
      if (!taker.HasSetRecord())
        continue;
      int nNeed = RowExtentOf(*taker.m_pPos, bHorz) - Extent(rcTaker, bHorz);
      int nGot = 0;
      for (int q = static_cast<int>(order.size()) - 1; q > p && nNeed > 0; q--) {
        OuterLayoutItemData& giver = items[order[q]];
        if (!giver.HasSetRecord())
          continue;
        CRect& rcGiver = rects[order[q] - nFirst];
        const int nGive = std::min(
            nNeed, std::max(0, Extent(rcGiver, bHorz) - static_cast<int>(Along(giver.m_sizeMin, bHorz))));
        SetEnd(rcGiver, End(rcGiver, bHorz) - nGive, bHorz);
        nNeed -= nGive;
        nGot += nGive;
      }
      if (nGot > 0) {
        SetEnd(rcTaker, End(rcTaker, bHorz) + nGot, bHorz);
        bMoved = true;
      }
    }
    if (bMoved) {
      int nPen = 0;
      for (CRect& rc : rects) {
        SetStart(rc, nPen, bHorz);
        nPen = End(rc, bHorz);
      }
    }
  }
  for (int k = 0; k < nCount; k++)
    items[nFirst + k].m_rcLayout = rects[k];
  return true;
}

void CExtDockOuterBar::PushRowItems(ItemArray& items, int nItem, int nDelta, int nAvail, bool bHorz) {
  // Moves one item by up to nDelta, first pushing its neighbours in the direction of the move.
  struct Pusher {
    ItemArray& items;
    int nAvail;
    bool bHorz;
    int Push(int i, int nDelta) {
      CRect& rc = items[i].m_rcLayout;
      const int nLast = static_cast<int>(items.size()) - 1;
      int nRoom;
      if (nDelta > 0) {
        nRoom = i == nLast ? nAvail - End(rc, bHorz) : Start(items[i + 1].m_rcLayout, bHorz) - End(rc, bHorz);
        if (nRoom < nDelta && i != nLast)
          nRoom += Push(i + 1, nDelta - std::max(0, nRoom));
      } else {
        nRoom = i == 0 ? Start(rc, bHorz) : Start(rc, bHorz) - End(items[i - 1].m_rcLayout, bHorz);
        if (nRoom < -nDelta && i != 0)
          nRoom += -Push(i - 1, nDelta + std::max(0, nRoom));
      }
      nRoom = std::max(0, nRoom);
      const int nMove = nDelta > 0 ? std::min(nDelta, nRoom) : -std::min(-nDelta, nRoom);
      MoveAlong(rc, nMove, bHorz);
      return nMove;
    }
  } pusher{items, nAvail, bHorz};
  if (nDelta != 0)
    pusher.Push(nItem, nDelta);
}

void CExtDockOuterBar::RestoreSavedPosition(ItemArray& items, int nItem, int nAvail, bool bHorz) {
  OuterLayoutItemData& item = items[nItem];
  const int nDelta = Start(CRect(RowRectOf(*item.m_pPos)), bHorz) - Start(item.m_rcLayout, bHorz);
  PushRowItems(items, nItem, nDelta, nAvail, bHorz);
}

void CExtDockOuterBar::ShiftTowardSavedPosition(ItemArray& items, int nItem, int nAvail, bool bHorz) {
  OuterLayoutItemData& item = items[nItem];
  CRect& rc = item.m_rcLayout;
  const int nLast = static_cast<int>(items.size()) - 1;
  const int nDelta = Start(CRect(RowRectOf(*item.m_pPos)), bHorz) - Start(rc, bHorz);
  int nRoom;
  if (nDelta > 0)
    nRoom = (nItem == nLast ? nAvail : Start(items[nItem + 1].m_rcLayout, bHorz)) - End(rc, bHorz);
  else
    nRoom = Start(rc, bHorz) - (nItem == 0 ? 0 : End(items[nItem - 1].m_rcLayout, bHorz));
  nRoom = std::max(0, nRoom);
  MoveAlong(rc, nDelta > 0 ? std::min(nDelta, nRoom) : -std::min(-nDelta, nRoom), bHorz);
}

void CExtDockOuterBar::SwapRowItems(ItemArray& items, int nA, int nB) {
  OuterLayoutItemData item = items[nB];
  items.erase(items.begin() + nB);
  items.insert(items.begin() + nA, item);
}

int CExtDockOuterBar::LayoutRowItems(ItemArray& items, CSize& sizeFixed, CSize sizeAvail, CPoint& ptPen,
                                     bool bHorz, bool bFloating) {
  items.erase(
      std::remove_if(items.begin(), items.end(), [](const OuterLayoutItemData& d) { return !d.m_bVisible; }),
      items.end());
  const int nCount = static_cast<int>(items.size());
  if (nCount == 0)
    return 0;
  std::vector<int> order;
  BuildRowOrder(bHorz, order, items, true, 0, nCount - 1);
  const int nAvail = Along(sizeAvail, bHorz);
  int nWraps = 0, nRowFirst = 0, nThickness = 0;
  for (int i = 0; i < nCount; i++) {
    OuterLayoutItemData& item = items[i];
    CRect rc(ptPen, item.m_size);
    if (Start(item.m_rcCurrent, bHorz) > Start(rc, bHorz) && !bFloating)
      SetStart(rc, Start(item.m_rcCurrent, bHorz), bHorz);
    item.m_rcLayout = rc;
    if (End(rc, bHorz) >= nAvail && !item.m_bResizable && !FitRow(items, nRowFirst, i, nAvail, bHorz)) {
      nWraps++;
      AlignRowExtents(bHorz, items, nRowFirst, i);
      nRowFirst = i;
      EndRow(nThickness, sizeFixed, ptPen, bHorz);
      item.m_rcLayout = CRect(ptPen, item.m_size);
    }
    (bHorz ? ptPen.x : ptPen.y) = End(item.m_rcLayout, bHorz);
    nThickness = std::max(nThickness, Across(item.m_size, bHorz));
  }
  AlignRowExtents(bHorz, items, nRowFirst, nCount - 1);
  if (nWraps == 0) {
    for (int nPass = 0; nPass < 2; nPass++) {
      for (auto it = order.rbegin(); it != order.rend(); ++it) {
        OuterLayoutItemData& item = items[*it];
        if (!item.m_bToolkit || !item.HasSetRecord())
          continue;
        CRect rcSaved(RowRectOf(*item.m_pPos));
        if (rcSaved.IsRectEmpty() || rcSaved == item.m_rcLayout)
          continue;
        if (nPass == 0)
          RestoreSavedPosition(items, *it, nAvail, bHorz);
        else
          ShiftTowardSavedPosition(items, *it, nAvail, bHorz);
      }
    }
  }
  // Only a bar cut at the end of the row goes back up to its minimum: a bar that was given its
  // desired extent keeps it, even below its minimum, or it would cover the bar after it.
  for (OuterLayoutItemData& item : items) {
    CRect& rc = item.m_rcLayout;
    if (End(rc, bHorz) <= nAvail)
      continue;
    SetEnd(rc, nAvail, bHorz);
    const int nMin = Along(item.m_sizeMin, bHorz);
    if (Extent(rc, bHorz) < nMin)
      SetEnd(rc, Start(rc, bHorz) + nMin, bHorz);
  }
  EndRow(nThickness, sizeFixed, ptPen, bHorz);
  return nWraps;
}

// ---------------------------------------------------------------------------------------------
// The dock bar's side of the layout

CExtDockOuterBar::OuterLayoutItemData CExtDockOuterBar::MakeItem(CControlBar* pBar, CSize sizeAvail) {
  OuterLayoutItemData item;
  item.m_pBar = pBar;
  item.m_bVisible = pBar->IsVisible() != FALSE;
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  item.m_bToolkit = pExtBar != NULL;
  item.m_bResizable = pExtBar != NULL && !pExtBar->IsFixedMode();
  item.m_bInRowExtent = pExtBar != NULL && pExtBar->IsIncludedInRowExtent();
  item.m_pPos = pExtBar != NULL ? pExtBar->GetOuterDockPosition() : NULL;
  DWORD dwMode = LM_VERTDOCK;
  if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
    dwMode = LM_HORZ | LM_MRUWIDTH;
  else if (pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM))
    dwMode = LM_HORZ | LM_HORZDOCK;
  item.m_size = pBar->CalcDynamicLayout(-1, dwMode);
  if (pExtBar != NULL && pExtBar->IsFullRowBar()) {
    if (dwMode == (LM_HORZ | LM_HORZDOCK))
      item.m_size.cx = sizeAvail.cx;
    else if (dwMode == LM_VERTDOCK)
      item.m_size.cy = sizeAvail.cy;
  }
  CRect rcWnd, rcClient;
  pBar->GetWindowRect(&rcWnd);
  pBar->GetClientRect(&rcClient);
  item.m_sizeMin = rcWnd.Size() - rcClient.Size();
  if (pExtBar != NULL)
    item.m_sizeMin += pExtBar->CalcMinSize();
  ScreenToClient(&rcWnd);
  item.m_rcCurrent = rcWnd;
  return item;
}

CSize CExtDockOuterBar::AvailableSize() const {
  if (!m_rectLayout.IsRectEmpty())
    return m_rectLayout.Size();
  CFrameWnd* pFrame = GetParentFrame();
  CRect rc(0, 0, 0, 0);
  if (pFrame != NULL)
    pFrame->GetClientRect(&rc);
  return rc.Size();
}

void CExtDockOuterBar::ApplyRow(ItemArray& items, AFX_SIZEPARENTPARAMS& layout, bool /*bHorz*/) {
  for (OuterLayoutItemData& item : items) {
    if (!m_bLayoutQuery && item.m_rcLayout != item.m_rcCurrent) {
      if (!m_bFloating && item.m_pBar->m_pDockContext != NULL)
        item.m_pBar->m_pDockContext->m_rectMRUDockPos = item.m_rcLayout;
      AfxRepositionWindow(&layout, item.m_pBar->m_hWnd, &item.m_rcLayout);
    }
    item.m_pBar->RecalcDelayShow(&layout);
  }
}

CSize CExtDockOuterBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
  const CSize sizeAvail = AvailableSize();
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
  CPoint ptPen(0, 0);
  ItemArray items;
  auto layoutRow = [&]() {
    for (OuterLayoutItemData& item : items)
      if (!item.m_bVisible)
        item.m_pBar->RecalcDelayShow(&layout);
    LayoutRowItems(items, sizeFixed, sizeAvail, ptPen, bHorz != FALSE, m_bFloating != FALSE);
    ApplyRow(items, layout, bHorz != FALSE);
    items.clear();
  };
  for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); nPos++) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos));
    if (pBar != NULL)
      items.push_back(MakeItem(pBar, sizeAvail));
    else if (m_arrBars[nPos] == NULL && !items.empty())
      layoutRow();
  }
  if (!items.empty())
    layoutRow();
  return FinishRowLayout(layout, sizeFixed, bStretch, bHorz);
}
