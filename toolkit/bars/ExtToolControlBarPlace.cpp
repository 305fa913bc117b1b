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

// One placement of a bar's buttons, made in the steps RecalcButtonPositions runs in their order:
// a docked bar keeps one row with the overflow behind the chevron, floating and panel bars break
// their rows after the wrap bits of the layout mode.
class ButtonPlacement {
public:
  explicit ButtonPlacement(CExtToolControlBar& bar);

  bool IsHorizontal() const { return m_axis.bHorz; }
  // The chevron at the far end of a docked bar; the room for the others ends before it.
  void PlaceChevron(CDC& dc);
  // What takes part, collapsing separators, and each one measured.
  void MeasureButtons(CDC& dc);
  // The overflow of a docked bar goes behind the chevron.
  void TakeOutOverflow();
  // Positions along the axis: one row, or rows broken after the wrap bits of this mode.
  void PlaceAlongRows();
  // Right-to-left: each row mirrored inside the inside rectangle (a docked bar's chevron with it);
  // a floating row moves 3 pixels further left as far as the client area allows.
  void MirrorRightToLeft();
  // Across each row: separators stretched over the row, the others centred in it; a docked bar's
  // single row spans its inside rectangle.
  void AlignAcrossRows();
  // The theme's row adjustment (a panel bar's rows 2 pixels further across), never past the client
  // area's edges.
  void ApplyThemeAdjustment();
  // Each button shown where it was placed, stretched separators kept inside the client area; the
  // others hidden.
  void MoveButtons();
  // The rows for the theme's background: a docked bar's one row is its whole face.
  void RecordRows(std::vector<RECT>& arrRowRects) const;
  // The chevron lists what was taken out, in bar order, with the separator that stood between two
  // consecutive hidden buttons.
  void ListTakenOut();

private:
  CExtToolControlBar& m_bar;
  CRect m_rcClient;
  CRect m_rcInside;
  bool m_bPanel = false;
  bool m_bFloating = false;
  bool m_bDocked = false;
  Axis m_axis{false};
  int m_nMode = 0;
  int m_nRowGap = 0;
  CSize m_sizeSpacing;
  CSize m_sizeDef;
  int m_nMinThickness = 0;
  int m_nStart = 0;
  int m_nRoomEnd = 0;
  CExtBarContentExpandButton* m_pChevron = NULL;
  std::vector<Slot> m_slots;
  int m_nRows = 0;
};

ButtonPlacement::ButtonPlacement(CExtToolControlBar& bar) : m_bar(bar) {
  bar.GetClientRect(&m_rcClient);
  m_rcInside.SetRect(m_rcClient.left + bar.m_cxLeftBorder, m_rcClient.top + bar.m_cyTopBorder,
                     m_rcClient.right - bar.m_cxRightBorder, m_rcClient.bottom - bar.m_cyBottomBorder);
  m_bPanel = bar.IsPanelBar();
  m_bFloating = bar.IsFloating();
  m_bDocked = !m_bFloating && !m_bPanel;
  // Floating and panel bars lay their rows out horizontally whatever side they came from.
  m_axis.bHorz = bar.IsBarHorizontal() || !m_bDocked;
  m_nMode = bar.GetLayoutMode();
  m_nRowGap = g_PaintManagerHolder->GetToolBarRowDistance(&bar);
  m_sizeSpacing = g_PaintManagerHolder->GetToolBarButtonSpacing();
  m_sizeDef = bar.GetDefButtonSize();
  m_nMinThickness = m_axis.Across(m_sizeDef);
  m_nStart = m_axis.Start(m_rcInside);
  m_nRoomEnd = m_axis.End(m_rcInside);
}

void ButtonPlacement::PlaceChevron(CDC& dc) {
  m_pChevron = m_bar.m_pRightBtn;
  if (m_pChevron == NULL)
    return;
  m_pChevron->m_arrHiddenButtons.RemoveAll();
  m_pChevron->SetAllContentVisible(true);
  const CSize sizeChevron = m_pChevron->CalculateLayout(dc, m_sizeDef, m_axis.bHorz);
  if (m_bDocked) {
    CRect rc = m_rcInside;
    m_axis.Start(rc) = m_axis.End(rc) - m_axis.Along(sizeChevron);
    m_pChevron->SetRect(rc);
    m_pChevron->SetVisible(true);
    m_nRoomEnd -= m_axis.Along(sizeChevron) + m_axis.Along(m_sizeSpacing);
  } else {
    m_pChevron->SetRect(CRect(m_rcInside.TopLeft(), sizeChevron));
    m_pChevron->SetVisible(false);
  }
}

void ButtonPlacement::MeasureButtons(CDC& dc) {
  m_slots.assign(ContentCount(m_bar), Slot());
  int nPrevPlaced = -1;
  for (int i = 0; i < (int)m_slots.size(); ++i) {
    Slot& slot = m_slots[i];
    slot.pButton = m_bar.m_buttons[i];
    slot.bSeparator = slot.pButton->IsSeparator();
    if (IsLeftOut(m_bar, i))
      continue;
    if (slot.bSeparator && (nPrevPlaced < 0 || m_slots[nPrevPlaced].bSeparator))
      continue;
    slot.pButton->SetVertical(!m_axis.bHorz);
    slot.size = slot.pButton->CalculateLayout(dc, m_sizeDef, m_axis.bHorz);
    slot.bPlaced = true;
    nPrevPlaced = i;
  }
}

void ButtonPlacement::TakeOutOverflow() {
  if (m_bDocked)
    FitIntoRoom(m_slots, m_nRoomEnd - m_nStart, m_axis);
}

void ButtonPlacement::PlaceAlongRows() {
  int nAlong = m_nStart, nAcross = m_axis.CrossStart(m_rcInside), nRow = 0, nRowThickness = m_nMinThickness;
  bool bRowEmpty = true;
  int nLastPlaced = -1;
  for (int i = 0; i < (int)m_slots.size(); ++i)
    if (m_slots[i].bPlaced)
      nLastPlaced = i;
  for (int i = 0; i <= nLastPlaced; ++i) {
    Slot& slot = m_slots[i];
    if (!slot.bPlaced)
      continue;
    const bool bWrap = !m_bDocked && slot.pButton->IsWrap(m_nMode);
    // A separator that starts or breaks a row takes no room along it.
    const int nLength = slot.bSeparator && !m_bDocked && (bRowEmpty || bWrap) ? 0 : m_axis.Along(slot.size);
    slot.rc = m_axis.Make(nAlong, nAcross, nLength, m_axis.Across(slot.size));
    slot.nRow = nRow;
    nAlong += nLength;
    nRowThickness = std::max(nRowThickness, m_axis.Across(slot.size));
    bRowEmpty = false;
    if (bWrap && i < nLastPlaced) {
      nAlong = m_nStart;
      nAcross += nRowThickness + m_nRowGap;
      nRowThickness = m_nMinThickness;
      bRowEmpty = true;
      ++nRow;
    }
  }
  m_nRows = nRow + 1;
}

void ButtonPlacement::MirrorRightToLeft() {
  if (!m_bar.IsLayoutRightToLeft() || !m_axis.bHorz)
    return;
  const CRect& rcInside = m_rcInside;
  auto Mirror = [&rcInside](CRect& rc) {
    const int nWidth = rc.Width();
    rc.left = rcInside.left + rcInside.right - rc.right;
    rc.right = rc.left + nWidth;
  };
  for (int nRow = 0; nRow < m_nRows; ++nRow) {
    int nRowLeft = INT_MAX;
    for (Slot& slot : m_slots)
      if (slot.bPlaced && slot.nRow == nRow && !KeepsItsPlace(slot.pButton)) {
        Mirror(slot.rc);
        nRowLeft = std::min(nRowLeft, (int)slot.rc.left);
      }
    if (m_bFloating && nRowLeft != INT_MAX) {
      const int nShift = std::max(0, std::min(3, nRowLeft - (int)m_rcClient.left));
      for (Slot& slot : m_slots)
        if (slot.bPlaced && slot.nRow == nRow && !KeepsItsPlace(slot.pButton))
          slot.rc.OffsetRect(-nShift, 0);
    }
  }
  if (m_pChevron != NULL && m_bDocked) {
    CRect rc = m_pChevron->GetRect();
    Mirror(rc);
    m_pChevron->SetRect(rc);
  }
}

void ButtonPlacement::AlignAcrossRows() {
  const bool bDockerBackground = g_PaintManagerHolder->HasDockerBackground(&m_bar);
  for (int nRow = 0; nRow < m_nRows; ++nRow) {
    int nThickness = 0, nRowStart = INT_MAX;
    for (Slot& slot : m_slots)
      if (slot.bPlaced && slot.nRow == nRow) {
        nThickness = std::max<int>(nThickness, m_axis.Across(slot.size));
        nRowStart = std::min<int>(nRowStart, m_axis.CrossStart(slot.rc));
      }
    if (nRowStart == INT_MAX)
      continue;
    int nSpanStart = nRowStart, nSpanEnd = nRowStart + nThickness;
    if (m_bDocked) {
      nSpanStart = m_axis.CrossStart(m_rcInside);
      nSpanEnd = m_axis.CrossEnd(m_rcInside);
    }
    for (Slot& slot : m_slots) {
      if (!slot.bPlaced || slot.nRow != nRow)
        continue;
      const int nOwn = m_axis.Across(slot.size);
      if (slot.bSeparator) {
        int nFrom = nSpanStart, nTo = nSpanEnd;
        if (!m_bDocked && !m_bPanel) {
          const int nExtra = bDockerBackground ? 2 : 1;
          nFrom -= nExtra;
          nTo += nExtra + (m_axis.bHorz ? 0 : 1);
        }
        m_axis.CrossStart(slot.rc) = nFrom;
        m_axis.CrossEnd(slot.rc) = nTo;
      } else {
        const int nFrom = std::max(nSpanStart, nSpanStart + (nSpanEnd - nSpanStart - nOwn) / 2);
        m_axis.CrossStart(slot.rc) = nFrom;
        m_axis.CrossEnd(slot.rc) = nFrom + nOwn;
      }
      if (m_bFloating)
        slot.rc.OffsetRect(0, 1);
    }
  }
}

void ButtonPlacement::ApplyThemeAdjustment() {
  CSize sizeAdjust = g_PaintManagerHolder->GetToolBarRowAdjust(m_axis.bHorz);
  if (m_bPanel)
    (m_axis.bHorz ? sizeAdjust.cy : sizeAdjust.cx) += 2;
  if (sizeAdjust.cx == 0 && sizeAdjust.cy == 0)
    return;
  CRect rcBounds(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  for (const Slot& slot : m_slots)
    if (slot.bPlaced) {
      rcBounds.left = std::min(rcBounds.left, slot.rc.left);
      rcBounds.top = std::min(rcBounds.top, slot.rc.top);
      rcBounds.right = std::max(rcBounds.right, slot.rc.right);
      rcBounds.bottom = std::max(rcBounds.bottom, slot.rc.bottom);
    }
  if (rcBounds.left == INT_MAX)
    return;
  const int dx = std::max<int>(m_rcClient.left - rcBounds.left,
                               std::min<int>(sizeAdjust.cx, m_rcClient.right - rcBounds.right));
  const int dy = std::max<int>(m_rcClient.top - rcBounds.top,
                               std::min<int>(sizeAdjust.cy, m_rcClient.bottom - rcBounds.bottom));
  for (Slot& slot : m_slots)
    if (slot.bPlaced)
      slot.rc.OffsetRect(dx, dy);
}

void ButtonPlacement::MoveButtons() {
  for (Slot& slot : m_slots) {
    if (slot.bPlaced && slot.bSeparator) {
      slot.rc.top = std::max(slot.rc.top, m_rcClient.top);
      slot.rc.bottom = std::min(slot.rc.bottom, m_rcClient.bottom);
      slot.rc.left = std::max(slot.rc.left, m_rcClient.left);
      slot.rc.right = std::min(slot.rc.right, m_rcClient.right);
    }
    slot.pButton->SetVisible(slot.bPlaced);
    if (slot.bPlaced)
      slot.pButton->SetRect(slot.rc);
  }
}

void ButtonPlacement::RecordRows(std::vector<RECT>& arrRowRects) const {
  if (m_bDocked) {
    arrRowRects.push_back(m_rcClient);
    return;
  }
  for (int nRow = 0; nRow < m_nRows; ++nRow) {
    CRect rcRow(m_rcClient.left, INT_MAX, m_rcClient.right, INT_MIN);
    for (const Slot& slot : m_slots)
      if (slot.bPlaced && !slot.bSeparator && slot.nRow == nRow) {
        rcRow.top = std::min(rcRow.top, slot.rc.top);
        rcRow.bottom = std::max(rcRow.bottom, slot.rc.bottom);
      }
    if (rcRow.top != INT_MAX)
      arrRowRects.push_back(rcRow);
  }
}

void ButtonPlacement::ListTakenOut() {
  if (m_pChevron == NULL)
    return;
  std::vector<int> arrHidden;
  for (int i = 0; i < (int)m_slots.size(); ++i)
    if (m_slots[i].bTakenOut && !m_slots[i].bSeparator && !tool_bar_layout::IsHiddenStyle(m_slots[i].pButton))
      arrHidden.push_back(i);
  for (size_t k = 0; k < arrHidden.size(); ++k) {
    if (k > 0 && m_bDocked) {
      for (int j = arrHidden[k - 1] + 1; j < arrHidden[k]; ++j)
        if (m_bar.m_buttons[j]->IsSeparator()) {
          m_pChevron->m_arrHiddenButtons.Add(m_bar.m_buttons[j]);
          break;
        }
    }
    m_pChevron->m_arrHiddenButtons.Add(m_bar.m_buttons[arrHidden[k]]);
  }
  m_pChevron->SetAllContentVisible(arrHidden.empty());
  if (m_bar.IsDialogMode()) {
    const UINT nStyle = m_pChevron->GetStyle();
    m_pChevron->SetStyle(arrHidden.empty() ? (nStyle | TBBS_DISABLED) : (nStyle & ~TBBS_DISABLED));
  }
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
  ButtonPlacement placement(*this);
  CClientDC dc(this);
  BarFontSelection font(dc, *this, !placement.IsHorizontal());
  placement.PlaceChevron(dc);
  placement.MeasureButtons(dc);
  placement.TakeOutOverflow();
  placement.PlaceAlongRows();
  placement.MirrorRightToLeft();
  placement.AlignAcrossRows();
  placement.ApplyThemeAdjustment();
  placement.MoveButtons();
  placement.RecordRows(m_arrRowRects);
  placement.ListTakenOut();
}
