// The outer dock bar's window side: moving fixed bars between and along its
// rows while they are dragged, the deferred frame layout and the system changes it passes on.
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtSystemChanges.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
ON_WM_TIMER()
ON_WM_LBUTTONDBLCLK()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CExtDockOuterBar::CExtDockOuterBar() : CExtDockBar(0), m_bOuterFlags(0) {}

namespace {

int Along(const CRect& rc, bool bHorz) { return bHorz ? rc.Width() : rc.Height(); }
int StartOf(const CRect& rc, bool bHorz) { return bHorz ? rc.left : rc.top; }

int LengthAlong(CControlBar* pBar, bool bHorz) {
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (pExtBar != NULL) {
    CSize size = pExtBar->CalcMinSize();
    return bHorz ? size.cx : size.cy;
  }
  CRect rc;
  pBar->GetWindowRect(&rc);
  return Along(rc, bHorz);
}

} // namespace

void CExtDockOuterBar::GetRowRange(int nPos, int& nFirst, int& nLast) const {
  nFirst = nPos;
  while (nFirst > 1 && m_arrBars[nFirst - 1] != NULL)
    nFirst--;
  nLast = nPos;
  while (nLast + 1 < m_arrBars.GetSize() && m_arrBars[nLast + 1] != NULL)
    nLast++;
}

bool CExtDockOuterBar::InsertIntoRow(CControlBar* pBar, const CPtrArray& arrRowBars, int nOffset) {
  const UINT nId = GetSideId();
  const bool bHorz = nId == AFX_IDW_DOCKBAR_TOP || nId == AFX_IDW_DOCKBAR_BOTTOM;
  CRect rcBar;
  pBar->GetWindowRect(&rcBar);
  ScreenToClient(&rcBar);
  int nOccupied = 0;
  for (INT_PTR i = 0; i < arrRowBars.GetSize(); i++)
    nOccupied += LengthAlong(static_cast<CControlBar*>(arrRowBars[i]), bHorz);
  CRect rcClient;
  GetClientRect(&rcClient);
  if (Along(rcClient, bHorz) - nOccupied < LengthAlong(pBar, bHorz))
    return false;
  int nNewStart = StartOf(rcBar, bHorz) + nOffset;
  if (nNewStart < 0) {
    nOffset -= nNewStart;
    nNewStart = 0;
  }
  CControlBar* pCandidate = NULL;
  bool bAfterRow = false;
  for (INT_PTR i = 0; i < arrRowBars.GetSize(); i++) {
    CControlBar* pRowBar = static_cast<CControlBar*>(arrRowBars[i]);
    CRect rc;
    pRowBar->GetWindowRect(&rc);
    ScreenToClient(&rc);
    const int nStart = StartOf(rc, bHorz), nEnd = nStart + Along(rc, bHorz);
    if (nStart >= nNewStart) {
      pCandidate = pRowBar;
      continue;
    }
    if (nNewStart < nEnd) {
      if (nNewStart <= (nStart + nEnd) / 2)
        pCandidate = pRowBar;
      else
        bAfterRow = true;
      break;
    }
    if (pCandidate != NULL)
      break;
    bAfterRow = true;
  }
  if (pCandidate == NULL && !bAfterRow)
    return false;
  int nPos = FindEntry(pBar);
  if (nPos > 0)
    RemoveEntry(nPos);
  CRect rcNew(rcBar);
  bHorz ? rcNew.OffsetRect(nOffset, 0) : rcNew.OffsetRect(0, nOffset);
  CControlBar* pAnchor = pCandidate;
  if (pAnchor == NULL) {
    // After the row: behind the row bar that comes last in the array.
    int nLastPos = -1;
    for (INT_PTR i = 0; i < arrRowBars.GetSize(); i++)
      nLastPos = std::max(nLastPos, FindEntry(arrRowBars[i]));
    if (nLastPos < 0)
      return false;
    pAnchor = GetDockedControlBar(nLastPos);
    m_arrBars.InsertAt(nLastPos + 1, pBar);
  } else {
    m_arrBars.InsertAt(FindEntry(pCandidate), pBar);
  }
  CRect rcAnchor;
  pAnchor->GetWindowRect(&rcAnchor);
  ScreenToClient(&rcAnchor);
  if (bHorz)
    rcNew.OffsetRect(0, rcAnchor.top - rcNew.top);
  else
    rcNew.OffsetRect(rcAnchor.left - rcNew.left, 0);
  const int nStart = StartOf(rcNew, bHorz);
  int nShift = 0;
  if (pCandidate != NULL && nStart > StartOf(rcAnchor, bHorz))
    nShift = StartOf(rcAnchor, bHorz) - nStart;
  else if (pCandidate == NULL && nStart < StartOf(rcAnchor, bHorz) + Along(rcAnchor, bHorz))
    nShift = StartOf(rcAnchor, bHorz) + Along(rcAnchor, bHorz) - nStart;
  bHorz ? rcNew.OffsetRect(nShift, 0) : rcNew.OffsetRect(0, nShift);
  if (rcNew != rcBar)
    pBar->SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                       SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
  return true;
}

void CExtDockOuterBar::RenumberRowOrder(CControlBar* pBar) {
  const int nPos = FindEntry(pBar);
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (nPos <= 0 || pExtBar == NULL || pExtBar->GetOuterDockPosition() == NULL)
    return;
  RowOrderOf(*pExtBar->GetOuterDockPosition()) = 1;
  int nFirst, nLast;
  GetRowRange(nPos, nFirst, nLast);
  std::vector<CExtControlBar::OuterDockPosition*> others;
  LONG nAbove = 4 * static_cast<LONG>(m_arrBars.GetSize());
  for (int i = nFirst; i <= nLast; i++) {
    CExtControlBar* pOther = DYNAMIC_DOWNCAST(CExtControlBar, GetDockedControlBar(i));
    if (pOther == NULL || pOther == pExtBar || !pOther->IsFixedMode() ||
        pOther->GetOuterDockPosition() == NULL)
      continue;
    CExtControlBar::OuterDockPosition* pPos = pOther->GetOuterDockPosition();
    RowOrderOf(*pPos) = RowOrderOf(*pPos) == 0 ? ++nAbove : RowOrderOf(*pPos) + 1;
    others.push_back(pPos);
  }
  std::stable_sort(others.begin(), others.end(),
                   [](CExtControlBar::OuterDockPosition* a, CExtControlBar::OuterDockPosition* b) {
                     return RowOrderOf(*a) < RowOrderOf(*b);
                   });
  LONG nOrder = 2;
  for (CExtControlBar::OuterDockPosition* pPos : others)
    RowOrderOf(*pPos) = nOrder++;
}

void CExtDockOuterBar::LayoutRows(CControlBar* pBar, int nOffset, bool* pbChanged) {
  if (pbChanged != NULL)
    *pbChanged = false;
  const int nPos = FindEntry(pBar);
  CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
  if (nOffset == 0 || nPos <= 0 || pExtBar == NULL || pExtBar->GetOuterDockPosition() == NULL)
    return;
  const UINT nId = GetSideId();
  const bool bHorz = nId == AFX_IDW_DOCKBAR_TOP || nId == AFX_IDW_DOCKBAR_BOTTOM;
  const CSize sizeAvail = AvailableSize();
  const int nAvail = bHorz ? sizeAvail.cx : sizeAvail.cy;
  int nFirst, nLast;
  GetRowRange(nPos, nFirst, nLast);
  auto buildItems = [&](ItemArray& items) {
    items.clear();
    for (int i = nFirst; i <= nLast; i++)
      if (CControlBar* pRowBar = GetDockedControlBar(i))
        items.push_back(MakeItem(pRowBar, sizeAvail));
  };
  // The remembered rectangle follows the offset inside the dock bar.
  CExtControlBar::OuterDockPosition& pos = *pExtBar->GetOuterDockPosition();
  CRect rcSaved(RowRectOf(pos));
  if (rcSaved.IsRectEmpty()) {
    pBar->GetWindowRect(&rcSaved);
    ScreenToClient(&rcSaved);
  }
  int nStart = std::max(0, std::min(StartOf(rcSaved, bHorz) + nOffset, nAvail - Along(rcSaved, bHorz)));
  bHorz ? rcSaved.OffsetRect(nStart - rcSaved.left, 0) : rcSaved.OffsetRect(0, nStart - rcSaved.top);
  RowRectOf(pos) = rcSaved;
  if (RowOrderOf(pos) == 0)
    RowOrderOf(pos) = 1;

  ItemArray items;
  buildItems(items);
  const BOOL bQuery = m_bLayoutQuery;
  m_bLayoutQuery = TRUE;
  CSize sizeFixed(0, 0);
  CPoint ptPen(0, 0);
  const int nQueryWraps = LayoutRowItems(items, sizeFixed, sizeAvail, ptPen, bHorz, m_bFloating != FALSE);
  m_bLayoutQuery = bQuery;
  if (nQueryWraps == 1) {
    // The neighbours toward the move give way down to their minimum sizes.
    for (OuterLayoutItemData& item : items) {
      if (item.m_pBar == pBar || !item.HasSetRecord())
        continue;
      LONG& nExtent = RowExtentOf(*item.m_pPos, bHorz);
      nExtent = std::max<LONG>(bHorz ? item.m_sizeMin.cx : item.m_sizeMin.cy, nExtent - std::abs(nOffset));
    }
    if (RowOrderOf(pos) != 1)
      RenumberRowOrder(pBar);
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const OuterLayoutItemData& d) { return d.m_pBar == pBar; });
    if (it != items.end()) {
      RowRectOf(pos) = it->m_rcLayout;
      // Passing the neighbour exchanges the two entries.
      const int nIndex = static_cast<int>(it - items.begin());
      const int nOther = nIndex + (nOffset > 0 ? 1 : -1);
      if (nOther >= 0 && nOther < static_cast<int>(items.size())) {
        const CRect& rcOther = items[nOther].m_rcLayout;
        const bool bPassed = nOffset > 0 ? StartOf(it->m_rcLayout, bHorz) > StartOf(rcOther, bHorz)
                                         : StartOf(it->m_rcLayout, bHorz) < StartOf(rcOther, bHorz);
        if (bPassed) {
          const int nA = FindEntry(pBar), nB = FindEntry(items[nOther].m_pBar);
          std::swap(m_arrBars[nA], m_arrBars[nB]);
          SwapRowItems(items, std::min(nIndex, nOther), std::max(nIndex, nOther));
        }
      }
    }
  }
  buildItems(items);
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = ::BeginDeferWindowPos(static_cast<int>(items.size()));
  sizeFixed = CSize(0, 0);
  CRect rcFirst(0, 0, 0, 0);
  if (!items.empty())
    rcFirst = items.front().m_rcCurrent;
  ptPen = bHorz ? CPoint(0, rcFirst.top) : CPoint(rcFirst.left, 0);
  const int nWraps = LayoutRowItems(items, sizeFixed, sizeAvail, ptPen, bHorz, m_bFloating != FALSE);
  ApplyRow(items, layout, bHorz);
  if (layout.hDWP != NULL)
    ::EndDeferWindowPos(layout.hDWP);
  for (OuterLayoutItemData& item : items)
    if (item.m_bToolkit && item.m_pBar->IsWindowVisible())
      item.m_pBar->RedrawWindow(NULL, NULL,
                                RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW |
                                    RDW_NOFRAME);
  if (pbChanged != NULL)
    *pbChanged = (nQueryWraps != 0) != (nWraps != 0);
}

// ---------------------------------------------------------------------------------------------
// Frame layout and messages

bool CExtDockOuterBar::TryRecalcFrameLayout() {
  CFrameWnd* pFrame = GetParentFrame();
  if ((m_bOuterFlags & OBF_FRAME_LAYOUT) || pFrame == NULL || pFrame->m_bInRecalcLayout ||
      !pFrame->IsWindowVisible())
    return false;
  m_bOuterFlags |= OBF_FRAME_LAYOUT;
  pFrame->RecalcLayout(TRUE);
  m_bOuterFlags &= ~OBF_FRAME_LAYOUT;
  return true;
}

void CExtDockOuterBar::OnTimer(UINT nIDEvent) {
  if (nIDEvent != kFrameLayoutTimer) {
    CExtDockBar::OnTimer(nIDEvent);
    return;
  }
  if (TryRecalcFrameLayout()) {
    KillTimer(kFrameLayoutTimer);
    m_bOuterFlags &= ~OBF_TIMER_PENDING;
  }
}

void CExtDockOuterBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (CExtControlBar::IsFrameInHelpMode(this))
    return;
  CExtDockBar::OnLButtonDblClk(nFlags, point);
}

void CExtDockOuterBar::OnSysColorChange() {
  CExtDockBar::OnSysColorChange();
  ExtSystemChanges::SysColorChanged(this);
}

void CExtDockOuterBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CExtDockBar::OnSettingChange(uFlags, lpszSection);
  ExtSystemChanges::SettingChanged(this, uFlags, lpszSection);
}

LRESULT CExtDockOuterBar::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = Default();
  ExtSystemChanges::DisplayChanged(this, wParam, lParam);
  return lResult;
}

LRESULT CExtDockOuterBar::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = Default();
  ExtSystemChanges::ThemeChanged(this, wParam, lParam);
  return lResult;
}
