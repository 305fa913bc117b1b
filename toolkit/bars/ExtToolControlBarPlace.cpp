// Placing the tool bar's buttons: one row for docked bars with the overflow in the chevron, rows for
// floating ones; the background segments.
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/bars/ExtToolControlBarLayoutUtil.h"
#include "toolkit/docking/ExtMiniDockFrameWnd.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

using tool_bar_layout::BarFontSelection;
using tool_bar_layout::ContentCount;
using tool_bar_layout::IsLeftOut;

namespace {

// One button's part in a placement.
struct Slot {
  CExtBarButton* pButton = NULL;
  CSize size;
  CRect rc;
  bool bSeparator = false;
  bool bPlaced = false;
  bool bTakenOut = false; // moved behind the chevron
  int nRow = 0;
};

// The geometry of one placement: rows run along x when bHorz, else along y.
struct Axis {
  bool bHorz;
  int Along(const CSize& s) const { return bHorz ? s.cx : s.cy; }
  int Across(const CSize& s) const { return bHorz ? s.cy : s.cx; }
  LONG& Start(CRect& rc) const { return bHorz ? rc.left : rc.top; }
  LONG& End(CRect& rc) const { return bHorz ? rc.right : rc.bottom; }
  LONG& CrossStart(CRect& rc) const { return bHorz ? rc.top : rc.left; }
  LONG& CrossEnd(CRect& rc) const { return bHorz ? rc.bottom : rc.right; }
  // A rectangle at (along, across) of the size.
  CRect Make(int nAlong, int nAcross, int nLength, int nThickness) const {
    return bHorz ? CRect(nAlong, nAcross, nAlong + nLength, nAcross + nThickness)
                 : CRect(nAcross, nAlong, nAcross + nThickness, nAlong + nLength);
  }
};

// The nearest button on that side that is neither a separator nor left out of the layout.
int NearestRealButton(const std::vector<Slot>& slots, int nFrom, int nStep) {
  for (int j = nFrom + nStep; j >= 0 && j < (int)slots.size(); j += nStep)
    if (!slots[j].bSeparator && (slots[j].bPlaced || slots[j].bTakenOut))
      return j;
  return -1;
}

void TakeOut(Slot& slot) {
  slot.bPlaced = false;
  slot.bTakenOut = true;
}

// After buttons were taken out: a separator that now follows another placed one, or that stands
// between two taken-out buttons, goes too.
void TidySeparators(std::vector<Slot>& slots, int nLast) {
  int nPrevPlaced = -1;
  for (int j = 0; j <= nLast; ++j) {
    Slot& slot = slots[j];
    if (!slot.bPlaced)
      continue;
    if (slot.bSeparator) {
      const bool bAfterSeparator = nPrevPlaced >= 0 && slots[nPrevPlaced].bSeparator;
      const int nBefore = NearestRealButton(slots, j, -1), nAfter = NearestRealButton(slots, j, +1);
      const bool bBetweenTakenOut =
          nBefore >= 0 && slots[nBefore].bTakenOut && nAfter >= 0 && slots[nAfter].bTakenOut;
      if (bAfterSeparator || bBetweenTakenOut) {
        TakeOut(slot);
        continue;
      }
    }
    nPrevPlaced = j;
  }
}

int PlacedLength(const std::vector<Slot>& slots, int nLast, const Axis& axis) {
  int nLength = 0;
  for (int j = 0; j <= nLast; ++j)
    if (slots[j].bPlaced)
      nLength += axis.Along(slots[j].size);
  return nLength;
}

// A docked bar keeps one row: while the row passes the room's end, the button that fits the
// overflow best (the one passing the end, or an earlier one no longer than the overflow that
// comes closer to it) is taken out.
void FitIntoRoom(std::vector<Slot>& slots, int nRoom, const Axis& axis) {
  bool bAnyTakenOut = false;
  for (int i = 0; i < (int)slots.size(); ++i) {
    if (!slots[i].bPlaced)
      continue;
    int nLength = PlacedLength(slots, i, axis);
    while (nLength > nRoom && slots[i].bPlaced) {
      const int nOver = nLength - nRoom;
      int nCandidate = i;
      int nBestFit = std::abs(nOver - axis.Along(slots[i].size));
      for (int j = 0; j < i; ++j) {
        const Slot& slot = slots[j];
        const int nThis = axis.Along(slot.size);
        if (!slot.bPlaced || slot.bSeparator || nThis > nOver)
          continue;
        if (nOver - nThis < nBestFit) {
          nBestFit = nOver - nThis;
          nCandidate = j;
        }
      }
      TakeOut(slots[nCandidate]);
      bAnyTakenOut = true;
      TidySeparators(slots, i);
      nLength = PlacedLength(slots, i, axis);
    }
  }
  if (!bAnyTakenOut)
    return;
  // The remaining row neither starts nor ends with a separator.
  for (int j = 0; j < (int)slots.size() && (!slots[j].bPlaced || slots[j].bSeparator); ++j)
    if (slots[j].bPlaced)
      TakeOut(slots[j]);
  for (int j = (int)slots.size() - 1; j >= 0 && (!slots[j].bPlaced || slots[j].bSeparator); --j)
    if (slots[j].bPlaced)
      TakeOut(slots[j]);
}

bool KeepsItsPlace(const CExtBarButton* pButton) {
  return pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton));
}

} // namespace

CExtToolControlBar::ToolBarBackgroundSegments::ToolBarBackgroundSegments()
    : m_pBar(NULL), m_pMiniFrame(NULL) {}

CExtToolControlBar::ToolBarBackgroundSegments::~ToolBarBackgroundSegments() {}

bool CExtToolControlBar::ToolBarBackgroundSegments::FromChildWindow(CWnd* pChild) {
  m_arrRects.clear();
  m_arrKinds.clear();
  m_pBar = NULL;
  m_pMiniFrame = NULL;
  for (CWnd* pWnd = pChild; pWnd != NULL && pWnd->GetSafeHwnd() != NULL; pWnd = pWnd->GetParent()) {
    if (m_pBar == NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)))
      m_pBar = static_cast<CExtToolControlBar*>(pWnd);
    if (m_pBar != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
      m_pMiniFrame = static_cast<CExtMiniDockFrameWnd*>(pWnd);
    if ((pWnd->GetStyle() & WS_CHILD) == 0)
      break;
  }
  if (m_pBar == NULL)
    return false;
  for (const RECT& rc : m_pBar->m_arrRowRects) {
    m_arrRects.push_back(rc);
    m_arrKinds.push_back(0);
  }
  return true;
}

void CExtToolControlBar::ToolBarBackgroundSegments::ScreenToClientRects(CWnd* pTarget) {
  if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
    return;
  for (RECT& rc : m_arrRects)
    ::MapWindowPoints(m_pBar->GetSafeHwnd(), pTarget->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
}

void CExtToolControlBar::ToolBarBackgroundSegments::OffsetRectsToWindow(CWnd* pTarget) {
  if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
    return;
  CRect rcTarget;
  pTarget->GetWindowRect(&rcTarget);
  for (RECT& rc : m_arrRects) {
    ::MapWindowPoints(m_pBar->GetSafeHwnd(), NULL, reinterpret_cast<POINT*>(&rc), 2);
    ::OffsetRect(&rc, -rcTarget.left, -rcTarget.top);
  }
}

void CExtToolControlBar::ToolBarBackgroundSegments::Paint(CDC& dc) {
  for (size_t i = 0; i < m_arrRects.size(); ++i)
    if (dc.RectVisible(&m_arrRects[i]))
      g_PaintManagerHolder->PaintToolBarChildBackground(dc, m_pBar, m_arrKinds[i], m_arrRects[i]);
}

void CExtToolControlBar::GetFaceSegments(std::vector<RECT>& segments) const {
  segments.insert(segments.end(), m_arrRowRects.begin(), m_arrRowRects.end());
}

void CExtToolControlBar::RecalcButtonPositions() {
  if (GetSafeHwnd() == NULL || m_buttons.GetSize() == 0)
    return;
  m_arrRowRects.clear();
  CRect rcClient;
  GetClientRect(&rcClient);
  const CRect rcInside(rcClient.left + m_cxLeftBorder, rcClient.top + m_cyTopBorder,
                       rcClient.right - m_cxRightBorder, rcClient.bottom - m_cyBottomBorder);
  const bool bPanel = IsPanelBar();
  const bool bFloating = IsFloating();
  const bool bDocked = !bFloating && !bPanel;
  const bool bRows = !bDocked;
  // Floating and panel bars lay their rows out horizontally whatever side they came from.
  const Axis axis{IsBarHorizontal() || !bDocked};
  const int nMode = GetLayoutMode();
  const int nRowGap = g_PaintManagerHolder->GetToolBarRowDistance(this);
  const CSize sizeSpacing = g_PaintManagerHolder->GetToolBarButtonSpacing();
  const CSize sizeDef = GetDefButtonSize();
  const int nMinThickness = axis.Across(sizeDef);
  CClientDC dc(this);
  BarFontSelection font(dc, *this, !axis.bHorz);

  // 1. The chevron at the far end of a docked bar; the room for the others ends before it.
  CRect rcInsideCopy = rcInside;
  const int nStart = axis.Start(rcInsideCopy);
  int nRoomEnd = axis.End(rcInsideCopy);
  CExtBarContentExpandButton* pChevron = m_pRightBtn;
  if (pChevron != NULL) {
    pChevron->m_arrHiddenButtons.RemoveAll();
    pChevron->SetAllContentVisible(true);
    const CSize sizeChevron = pChevron->CalculateLayout(dc, sizeDef, axis.bHorz);
    if (bDocked) {
      CRect rc = rcInside;
      axis.Start(rc) = axis.End(rc) - axis.Along(sizeChevron);
      pChevron->SetRect(rc);
      pChevron->SetVisible(true);
      nRoomEnd -= axis.Along(sizeChevron) + axis.Along(sizeSpacing);
    } else {
      pChevron->SetRect(CRect(rcInside.TopLeft(), sizeChevron));
      pChevron->SetVisible(false);
    }
  }

  // 2. What takes part, collapsing separators, and each one measured.
  const int nCount = ContentCount(*this);
  std::vector<Slot> slots(nCount);
  int nPrevPlaced = -1;
  for (int i = 0; i < nCount; ++i) {
    Slot& slot = slots[i];
    slot.pButton = m_buttons[i];
    slot.bSeparator = slot.pButton->IsSeparator();
    if (IsLeftOut(*this, i))
      continue;
    if (slot.bSeparator && (nPrevPlaced < 0 || slots[nPrevPlaced].bSeparator))
      continue;
    slot.pButton->SetVertical(!axis.bHorz);
    slot.size = slot.pButton->CalculateLayout(dc, sizeDef, axis.bHorz);
    slot.bPlaced = true;
    nPrevPlaced = i;
  }

  // 3, 4. The overflow of a docked bar goes behind the chevron.
  if (bDocked)
    FitIntoRoom(slots, nRoomEnd - nStart, axis);

  // Positions: one row, or rows broken after the wrap bits of this mode.
  int nAlong = nStart, nAcross = axis.CrossStart(rcInsideCopy), nRow = 0, nRowThickness = nMinThickness;
  bool bRowEmpty = true;
  int nLastPlaced = -1;
  for (int i = 0; i < nCount; ++i)
    if (slots[i].bPlaced)
      nLastPlaced = i;
  for (int i = 0; i <= nLastPlaced; ++i) {
    Slot& slot = slots[i];
    if (!slot.bPlaced)
      continue;
    const bool bWrap = bRows && slot.pButton->IsWrap(nMode);
    // A separator that starts or breaks a row takes no room along it.
    const int nLength = slot.bSeparator && bRows && (bRowEmpty || bWrap) ? 0 : axis.Along(slot.size);
    slot.rc = axis.Make(nAlong, nAcross, nLength, axis.Across(slot.size));
    slot.nRow = nRow;
    nAlong += nLength;
    nRowThickness = std::max(nRowThickness, axis.Across(slot.size));
    bRowEmpty = false;
    if (bWrap && i < nLastPlaced) {
      nAlong = nStart;
      nAcross += nRowThickness + nRowGap;
      nRowThickness = nMinThickness;
      bRowEmpty = true;
      ++nRow;
    }
  }
  const int nRows = nRow + 1;

  // 5. Right-to-left: each row mirrored inside the inside rectangle (a docked bar's chevron with
  // it); a floating row moves 3 pixels further left as far as the client area allows.
  if (IsLayoutRightToLeft() && axis.bHorz) {
    auto Mirror = [&rcInside](CRect& rc) {
      const int nWidth = rc.Width();
      rc.left = rcInside.left + rcInside.right - rc.right;
      rc.right = rc.left + nWidth;
    };
    for (int r = 0; r < nRows; ++r) {
      int nRowLeft = INT_MAX;
      for (Slot& slot : slots)
        if (slot.bPlaced && slot.nRow == r && !KeepsItsPlace(slot.pButton)) {
          Mirror(slot.rc);
          nRowLeft = std::min(nRowLeft, (int)slot.rc.left);
        }
      if (bFloating && nRowLeft != INT_MAX) {
        const int nShift = std::max(0, std::min(3, nRowLeft - (int)rcClient.left));
        for (Slot& slot : slots)
          if (slot.bPlaced && slot.nRow == r && !KeepsItsPlace(slot.pButton))
            slot.rc.OffsetRect(-nShift, 0);
      }
    }
    if (pChevron != NULL && bDocked) {
      CRect rc = pChevron->GetRect();
      Mirror(rc);
      pChevron->SetRect(rc);
    }
  }

  // 6-8. Across each row: separators stretched over the row, the others centred in it; a docked
  // bar's single row spans its inside rectangle.
  const bool bDockerBackground = g_PaintManagerHolder->HasDockerBackground(this);
  for (int r = 0; r < nRows; ++r) {
    int nThickness = 0, nRowStart = INT_MAX;
    for (Slot& slot : slots)
      if (slot.bPlaced && slot.nRow == r) {
        nThickness = std::max<int>(nThickness, axis.Across(slot.size));
        nRowStart = std::min<int>(nRowStart, axis.CrossStart(slot.rc));
      }
    if (nRowStart == INT_MAX)
      continue;
    int nSpanStart = nRowStart, nSpanEnd = nRowStart + nThickness;
    if (bDocked) {
      nSpanStart = axis.CrossStart(rcInsideCopy);
      nSpanEnd = axis.CrossEnd(rcInsideCopy);
    }
    for (Slot& slot : slots) {
      if (!slot.bPlaced || slot.nRow != r)
        continue;
      const int nOwn = axis.Across(slot.size);
      if (slot.bSeparator) {
        int nFrom = nSpanStart, nTo = nSpanEnd;
        if (!bDocked && !bPanel) {
          const int nExtra = bDockerBackground ? 2 : 1;
          nFrom -= nExtra;
          nTo += nExtra + (axis.bHorz ? 0 : 1);
        }
        axis.CrossStart(slot.rc) = nFrom;
        axis.CrossEnd(slot.rc) = nTo;
      } else {
        const int nFrom = std::max(nSpanStart, nSpanStart + (nSpanEnd - nSpanStart - nOwn) / 2);
        axis.CrossStart(slot.rc) = nFrom;
        axis.CrossEnd(slot.rc) = nFrom + nOwn;
      }
      if (bFloating)
        slot.rc.OffsetRect(0, 1);
    }
  }

  // 10. The theme's row adjustment (a panel bar's rows 2 pixels further across), never past the
  // client area's edges.
  CSize sizeAdjust = g_PaintManagerHolder->GetToolBarRowAdjust(axis.bHorz);
  if (bPanel)
    (axis.bHorz ? sizeAdjust.cy : sizeAdjust.cx) += 2;
  if (sizeAdjust.cx != 0 || sizeAdjust.cy != 0) {
    CRect rcBounds(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (const Slot& slot : slots)
      if (slot.bPlaced) {
        rcBounds.left = std::min(rcBounds.left, slot.rc.left);
        rcBounds.top = std::min(rcBounds.top, slot.rc.top);
        rcBounds.right = std::max(rcBounds.right, slot.rc.right);
        rcBounds.bottom = std::max(rcBounds.bottom, slot.rc.bottom);
      }
    if (rcBounds.left != INT_MAX) {
      const int dx = std::max<int>(rcClient.left - rcBounds.left,
                                   std::min<int>(sizeAdjust.cx, rcClient.right - rcBounds.right));
      const int dy = std::max<int>(rcClient.top - rcBounds.top,
                                   std::min<int>(sizeAdjust.cy, rcClient.bottom - rcBounds.bottom));
      for (Slot& slot : slots)
        if (slot.bPlaced)
          slot.rc.OffsetRect(dx, dy);
    }
  }

  for (Slot& slot : slots) {
    if (slot.bPlaced && slot.bSeparator) {
      // Stretched separators stay inside the client area.
      slot.rc.top = std::max(slot.rc.top, rcClient.top);
      slot.rc.bottom = std::min(slot.rc.bottom, rcClient.bottom);
      slot.rc.left = std::max(slot.rc.left, rcClient.left);
      slot.rc.right = std::min(slot.rc.right, rcClient.right);
    }
    slot.pButton->SetVisible(slot.bPlaced);
    if (slot.bPlaced)
      slot.pButton->SetRect(slot.rc);
  }

  // The rows for the theme's background: a docked bar's one row is its whole face.
  if (bDocked) {
    m_arrRowRects.push_back(rcClient);
  } else {
    for (int r = 0; r < nRows; ++r) {
      CRect rcRow(rcClient.left, INT_MAX, rcClient.right, INT_MIN);
      for (const Slot& slot : slots)
        if (slot.bPlaced && !slot.bSeparator && slot.nRow == r) {
          rcRow.top = std::min(rcRow.top, slot.rc.top);
          rcRow.bottom = std::max(rcRow.bottom, slot.rc.bottom);
        }
      if (rcRow.top != INT_MAX)
        m_arrRowRects.push_back(rcRow);
    }
  }

  // 9. The chevron lists what was taken out, in bar order, with the separator that stood between
  // two consecutive hidden buttons.
  if (pChevron == NULL)
    return;
  std::vector<int> arrHidden;
  for (int i = 0; i < nCount; ++i)
    if (slots[i].bTakenOut && !slots[i].bSeparator && !tool_bar_layout::IsHiddenStyle(slots[i].pButton))
      arrHidden.push_back(i);
  for (size_t k = 0; k < arrHidden.size(); ++k) {
    if (k > 0 && bDocked) {
      for (int j = arrHidden[k - 1] + 1; j < arrHidden[k]; ++j)
        if (m_buttons[j]->IsSeparator()) {
          pChevron->m_arrHiddenButtons.Add(m_buttons[j]);
          break;
        }
    }
    pChevron->m_arrHiddenButtons.Add(m_buttons[arrHidden[k]]);
  }
  pChevron->SetAllContentVisible(arrHidden.empty());
  if (IsDialogMode()) {
    const UINT nStyle = pChevron->GetStyle();
    pChevron->SetStyle(arrHidden.empty() ? (nStyle | TBBS_DISABLED) : (nStyle & ~TBBS_DISABLED));
  }
}
