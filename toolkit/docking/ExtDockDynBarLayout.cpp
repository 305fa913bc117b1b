// The inner dock bar's own row layout: the visible bars are collected in rows, the rows share the
// container's thickness and the bars of each row its length, one pixel at a time and never below
// a minimum, and every bar is moved to its place in one deferred positioning.
#include "toolkit/docking/ExtDockDynBar.h"

#include "toolkit/docking/ExtBarDockedSizes.h"

#include <algorithm>

namespace {

// Shares the difference among the rows across, one pixel per row in turn.
void ShareAcrossRows(std::vector<CExtDockDynBar::VisibleLayoutItem_t*>& rows, int nDiff, bool bHorz) {
  const int nStep = nDiff < 0 ? 1 : -1; // a negative difference means room to grow
  while (nDiff != 0) {
    bool bAnyMoved = false;
    for (CExtDockDynBar::VisibleLayoutItem_t* pRow : rows) {
      if (nDiff == 0)
        break;
      if (nStep < 0 && pRow->m_nThickness <= pRow->m_nMinThickness)
        continue;
      pRow->m_nThickness += nStep;
      for (CExtControlBar* pBar : pRow->m_arrBars)
        ThicknessOf(pBar, bHorz) += nStep;
      nDiff += nStep;
      bAnyMoved = true;
    }
    if (!bAnyMoved)
      break; // every row is at its minimum
  }
}

// Shares the difference among the bars of one row along it.
void ShareAlongRow(CExtDockDynBar::VisibleLayoutItem_t& row, int nDiff, bool bHorz) {
  const int nStep = nDiff < 0 ? 1 : -1;
  while (nDiff != 0) {
    bool bAnyMoved = false;
    for (CExtControlBar* pBar : row.m_arrBars) {
      if (nDiff == 0)
        break;
      LONG& nLength = LengthOf(pBar, bHorz);
      if (nStep < 0 && nLength <= MinLengthOf(pBar, bHorz))
        continue;
      nLength += nStep;
      nDiff += nStep;
      bAnyMoved = true;
    }
    if (!bAnyMoved)
      break;
  }
}

} // namespace

void CExtDockDynBar::VisibleLayout::AddRow() {
  if (!m_arrRows.empty() && m_arrRows.back()->m_arrBars.empty())
    return;
  m_arrRows.emplace_back(new VisibleLayoutItem_t);
}

void CExtDockDynBar::VisibleLayout::AddBar(CExtControlBar* pBar) {
  if (m_arrRows.empty())
    m_arrRows.emplace_back(new VisibleLayoutItem_t);
  m_arrRows.back()->m_arrBars.push_back(pBar);
  m_nVisibleBars++;
}

bool CExtDockDynBar::VisibleLayout::IsEmpty() const {
  return m_arrRows.empty() || (m_arrRows.size() == 1 && m_arrRows.front()->m_arrBars.empty());
}

void CExtDockDynBar::BuildVisibleLayout(VisibleLayout& layout) {
  const INT_PTR nCount = m_arrBars.GetSize();
  for (INT_PTR i = 1; i < nCount; i++) {
    void* p = m_arrBars[i];
    if (p == NULL) {
      if (i == nCount - 1)
        break;
      layout.AddRow();
      continue;
    }
    if (IsPlaceHolder(p))
      continue;
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CControlBar*>(p));
    if (pBar != NULL && pBar->m_hWnd != NULL && pBar->IsVisible())
      layout.AddBar(pBar);
  }
  const bool bHorz = HasHorizontalRows();
  for (auto& pRow : layout.m_arrRows) {
    if (pRow->m_arrBars.empty())
      continue;
    CExtControlBar* pFirst = pRow->m_arrBars.front();
    pRow->m_nThickness = ThicknessOf(pFirst, bHorz);
    pRow->m_nMinThickness = MinThicknessOf(pFirst, bHorz);
    int nMinThickness = pRow->m_nMinThickness, nMinLength = 0;
    pRow->m_nLength = 0;
    for (CExtControlBar* pBar : pRow->m_arrBars) {
      pRow->m_nLength += LengthOf(pBar, bHorz);
      nMinThickness = std::min(nMinThickness, MinThicknessOf(pBar, bHorz));
      nMinLength += MinLengthOf(pBar, bHorz);
    }
    layout.m_nTotalThickness += pRow->m_nThickness;
    layout.m_nTotalMinThickness += nMinThickness;
    layout.m_nMaxMinLength = std::max(layout.m_nMaxMinLength, nMinLength);
  }
}

void CExtDockDynBar::ArrangeVisibleLayout(VisibleLayout& layout) {
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.Width() < 1 || rcClient.Height() < 1)
    return;
  const bool bHorz = HasHorizontalRows();
  const int nAvailThickness = bHorz ? rcClient.Height() : rcClient.Width();
  const int nAvailLength = bHorz ? rcClient.Width() : rcClient.Height();
  std::vector<VisibleLayoutItem_t*> rows;
  for (auto& pRow : layout.m_arrRows) {
    if (pRow->m_arrBars.empty())
      continue;
    rows.push_back(pRow.get());
    // The bars of a row all take the row's thickness, whatever the sharing does next.
    for (CExtControlBar* pBar : pRow->m_arrBars)
      ThicknessOf(pBar, bHorz) = pRow->m_nThickness;
  }
  ShareAcrossRows(rows, layout.m_nTotalThickness - nAvailThickness, bHorz);
  for (VisibleLayoutItem_t* pRow : rows)
    ShareAlongRow(*pRow, pRow->m_nLength - nAvailLength, bHorz);

  HDWP hDWP = ::BeginDeferWindowPos(layout.m_nVisibleBars);
  const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;
  int nAcross = 0;
  for (VisibleLayoutItem_t* pRow : rows) {
    const int nAdvance = ThicknessOf(pRow->m_arrBars.front(), bHorz);
    int nAlong = 0;
    for (CExtControlBar* pBar : pRow->m_arrBars) {
      const CSize size = bHorz ? pBar->m_sizeDockedH : pBar->m_sizeDockedV;
      const CPoint pt = bHorz ? CPoint(nAlong, nAcross) : CPoint(nAcross, nAlong);
      if (hDWP != NULL)
        hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, pt.x, pt.y, size.cx, size.cy, nFlags);
      // A failed deferred positioning moves this bar and the rest directly.
      if (hDWP == NULL)
        pBar->MoveWindow(pt.x, pt.y, size.cx, size.cy, TRUE);
      nAlong += LengthOf(pBar, bHorz);
    }
    nAcross += nAdvance;
  }
  if (hDWP != NULL)
    ::EndDeferWindowPos(hDWP);
  for (VisibleLayoutItem_t* pRow : rows)
    for (CExtControlBar* pBar : pRow->m_arrBars)
      pBar->RepositionSingleChild(-1, -1, true);
}

CSize CExtDockDynBar::CalcFixedLayout(BOOL bStretch, BOOL /*bHorz*/) {
  VisibleLayout layout;
  BuildVisibleLayout(layout);
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  // The container decides the size; the dock bar only shares it out.
  if (!layout.IsEmpty() && bStretch && rcWnd.Width() >= 1 && rcWnd.Height() >= 1)
    ArrangeVisibleLayout(layout);
  return rcWnd.Size();
}
