// Popup menu layout: which items are shown and how much room they take (a column, or palette
// rows), the rectangles of the items, scroll buttons, expand row and tear-off bar, the hit test
// and scrolling.
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

typedef CExtPopupMenuWnd::MENUITEMDATA Item;

enum : int {
  MIN_ICON_COLUMN = 22,
  MIN_CONTENT_WIDTH = 80,
  MIN_PALETTE_WIDTH = 20,
  MIN_PALETTE_HEIGHT = 10,
  SCROLL_BUTTON_HEIGHT = 16,
  SCROLL_STEP = 5,
  SCROLL_PERIOD = 15,
  PALETTE_GAP = 2,          // between palette cells and before the first
  PALETTE_SEPARATOR_PAD = 3 // added to a palette separator's height
};

// The margins of an item; -1 stands for the defaults 1, 0, 1, 1.
int MarginLeft(const Item& item) { return item.m_nMarginLeft >= 0 ? item.m_nMarginLeft : 1; }
int MarginTop(const Item& item) { return item.m_nMarginTop >= 0 ? item.m_nMarginTop : 0; }
int MarginRight(const Item& item) { return item.m_nMarginRight >= 0 ? item.m_nMarginRight : 1; }
int MarginBottom(const Item& item) { return item.m_nMarginBottom >= 0 ? item.m_nMarginBottom : 1; }
int OuterHeight(const Item& item) { return MarginTop(item) + item.m_nHeight + MarginBottom(item); }

void SetShown(Item& item, bool bShown) {
  if (bShown)
    item.m_nDisplayFlags |= Item::DISPLAY_SHOWN;
  else
    item.m_nDisplayFlags &= ~Item::DISPLAY_SHOWN;
}

bool HasShownItem(const CExtPopupMenuWnd& menu) {
  for (int i = 0; i < menu.GetItemCount(); i++)
    if (menu.GetItemAt(i).IsDisplayed())
      return true;
  return false;
}

void EmptyItemRects(const CExtPopupMenuWnd& menu) {
  for (int i = 0; i < menu.GetItemCount(); i++) {
    menu.GetItemAt(i).m_rcItem.SetRectEmpty();
    menu.GetItemAt(i).m_rcInner.SetRectEmpty();
  }
}

int ExpandRowHeight(const CExtPopupMenuWnd& menu) {
  return (menu.m_dwMenuState & CExtPopupMenuWnd::MENU_EXPAND_ROW) != 0
             ? g_PaintManagerHolder->GetMenuExpandButtonHeight()
             : 0;
}

int ShownTearOffHeight(const CExtPopupMenuWnd& menu) {
  return menu.IsTearOffEnabled() ? menu.GetTearOffBarHeight() : 0;
}

// Where items may show: the body inside its border, below the tear-off bar and above the expand row.
CRect ItemsArea(const CExtPopupMenuWnd& menu) {
  CRect rc = menu.GetBodyRect();
  const int b = menu.GetBorderSize();
  rc.DeflateRect(b, b);
  rc.top += ShownTearOffHeight(menu);
  rc.bottom -= ExpandRowHeight(menu);
  return rc;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Which items show and the content size.

void CExtPopupMenuWnd::RecalcItemLayout() {
  if (IsPaletteLayout()) {
    RecalcItemLayoutPalette();
    return;
  }
  const int nCount = GetItemCount();
  // One icon column for every item that uses it; command items make room for a wider one.
  int nIconColumn = MIN_ICON_COLUMN;
  for (int i = 0; i < nCount; i++)
    if ((m_items[i].m_nDisplayFlags & MENUITEMDATA::DISPLAY_INLINE) == 0)
      nIconColumn = std::max(nIconColumn, m_items[i].m_nIconAreaWidth);
  for (int i = 0; i < nCount; i++) {
    MENUITEMDATA& item = m_items[i];
    if ((item.m_nDisplayFlags & MENUITEMDATA::DISPLAY_INLINE) != 0)
      continue;
    if (item.m_nCmdId != 0)
      item.m_nWidth += nIconColumn - item.m_nIconAreaWidth;
    item.m_nIconAreaWidth = nIconColumn;
  }

  m_dwMenuState &= ~MENU_EXPAND_ROW;
  m_nContentWidth = m_nContentHeight = 0;
  const bool bShowAll = (m_dwMenuState & MENU_EXPANDED) != 0 || (m_dwTrackFlags & TPMX_SHOW_ALL) != 0;
  const bool bEffectsSuppressed = IsEffectsSuppressed();
  bool bAnyShown = false;
  int nPendingSeparator = -1; // the last shown element, while it is a separator
  for (int i = 0; i < nCount; i++) {
    MENUITEMDATA& item = m_items[i];
    item.m_nItemIndex = i;
    item.m_rcItem.SetRectEmpty();
    item.m_rcInner.SetRectEmpty();
    const bool bPinned = (item.m_nDisplayFlags & MENUITEMDATA::DISPLAY_RARELY_USED_SHOWN) != 0;
    bool bShown;
    if (item.IsSeparator()) {
      // Separators follow the items around them in every mode: never first, never twice in a row.
      item.m_nDisplayFlags &= ~MENUITEMDATA::DISPLAY_RARELY_USED_SHOWN;
      bShown = bAnyShown && nPendingSeparator < 0;
    } else if (item.IsPopup()) {
      if (item.m_pPopup != NULL)
        item.m_pPopup->RecalcItemLayout();
      bShown =
          bShowAll || item.IsOwnData() || bPinned || (item.m_pPopup != NULL && HasShownItem(*item.m_pPopup));
    } else {
      bShown = bShowAll || item.IsOwnData() || bPinned || bEffectsSuppressed || !item.IsRarelyUsedCommand();
    }
    SetShown(item, bShown);
    if (!item.IsDisplayed()) {
      // Only hidden items the user can ask for call for the expand row, not dropped separators.
      if (!item.IsSeparator())
        m_dwMenuState |= MENU_EXPAND_ROW;
      continue;
    }
    m_nContentHeight += OuterHeight(item);
    m_nContentWidth = std::max(m_nContentWidth, MarginLeft(item) + item.m_nWidth + MarginRight(item));
    if (item.IsSeparator()) {
      nPendingSeparator = i;
    } else {
      nPendingSeparator = -1;
      bAnyShown = true;
    }
  }
  if (nPendingSeparator >= 0) {
    SetShown(m_items[nPendingSeparator], false);
    m_nContentHeight -= OuterHeight(m_items[nPendingSeparator]);
  }
  m_nContentWidth = std::max(m_nContentWidth, (int)MIN_CONTENT_WIDTH);
}

void CExtPopupMenuWnd::RecalcItemLayoutPalette() {
  m_dwMenuState &= ~MENU_EXPAND_ROW;
  for (int i = 0; i < GetItemCount(); i++) {
    MENUITEMDATA& item = m_items[i];
    item.m_nItemIndex = i;
    // Each cell keeps its own icon column, and every cell shows.
    item.m_nDisplayFlags |= MENUITEMDATA::DISPLAY_INLINE | MENUITEMDATA::DISPLAY_SHOWN;
    item.m_rcItem.SetRectEmpty();
    item.m_rcInner.SetRectEmpty();
  }
  const CSize size = CalcPaletteCells(NULL, NULL);
  m_nContentWidth = std::max((int)size.cx, (int)MIN_PALETTE_WIDTH);
  m_nContentHeight = std::max((int)size.cy, (int)MIN_PALETTE_HEIGHT);
}

CSize CExtPopupMenuWnd::CalcPaletteCells(std::vector<CRect>* pCells, std::vector<int>* pRows) const {
  const int nCount = GetItemCount();
  const int b = GetBorderSize();
  const int x0 = b + m_nLeftAreaWidth + PALETTE_GAP;
  const int y0 = b + PALETTE_GAP;
  const int nSeparatorHeight = g_PaintManagerHolder->GetMenuItemSpacing() + PALETTE_SEPARATOR_PAD;
  std::vector<CRect> cells((size_t)nCount);
  std::vector<int> rows((size_t)nCount, -1);
  int x = 0, y = 0, nRowHeight = 0, nWidest = 0, nRow = 0;
  bool bRowOpen = false;
  auto closeRow = [&]() {
    if (!bRowOpen)
      return;
    y += nRowHeight;
    nWidest = std::max(nWidest, x);
    x = nRowHeight = 0;
    nRow++;
    bRowOpen = false;
  };
  for (int i = 0; i < nCount; i++) {
    const MENUITEMDATA& item = m_items[i];
    if (item.IsSeparator()) {
      closeRow();
      cells[i].SetRect(0, y0 + y, 0, y0 + y + nSeparatorHeight); // widened to the content below
      y += nSeparatorHeight;
      continue;
    }
    // In-place edits keep a little more room around them.
    const int nEditPad = item.IsInplace() ? (bRowOpen ? 6 : 3) : 0;
    cells[i].SetRect(x0 + x, y0 + y, x0 + x + item.m_nWidth, y0 + y + item.m_nHeight);
    rows[i] = nRow;
    x += item.m_nWidth + PALETTE_GAP + nEditPad;
    nRowHeight = std::max(nRowHeight, item.m_nHeight);
    bRowOpen = true;
    if (IsRowBreakAfter(i))
      closeRow();
  }
  closeRow();
  const CSize size(nWidest + 2 * b + 3, y + 3);
  const int nContentWidth = std::max((int)size.cx, (int)MIN_PALETTE_WIDTH);
  for (int i = 0; i < nCount; i++)
    if (m_items[i].IsSeparator()) {
      cells[i].left = b + m_nLeftAreaWidth;
      cells[i].right = cells[i].left + nContentWidth;
    }
  if (pCells != NULL)
    pCells->swap(cells);
  if (pRows != NULL)
    pRows->swap(rows);
  return size;
}

bool CExtPopupMenuWnd::IsRowBreakAfter(int nIndex) const {
  const int nCount = GetItemCount();
  if (nIndex < 0 || nIndex >= nCount)
    return false;
  if (nIndex + 1 < nCount && m_items[nIndex + 1].IsSeparator())
    return true;
  return (m_items[nIndex].m_nDisplayFlags & MENUITEMDATA::DISPLAY_NEW_COLUMN) != 0;
}

void CExtPopupMenuWnd::AssignRowBreaks(int nFirst, int nLast) {
  const int nCount = GetItemCount();
  nFirst = std::max(nFirst, 0);
  nLast = nLast < 0 ? nCount - 1 : std::min(nLast, nCount - 1);
  if (nFirst > nLast)
    return;
  int nTotal = 0;
  for (int i = nFirst; i <= nLast; i++) {
    m_items[i].m_nDisplayFlags &= ~MENUITEMDATA::DISPLAY_NEW_COLUMN;
    if (m_items[i].IsCommandItem())
      nTotal += m_items[i].m_nWidth + 6;
  }
  if (nTotal < 150)
    return;
  // Rows about a quarter of the whole, never narrower than 150 pixels.
  const int nRowWidth = std::max(::MulDiv(nTotal, 25, 100), 150);
  int nRunning = 0;
  for (int i = nFirst; i <= nLast; i++) {
    MENUITEMDATA& item = m_items[i];
    if (item.IsSeparator()) {
      nRunning = 0;
      continue;
    }
    if (!item.IsCommandItem())
      continue;
    if (nRunning < nRowWidth) {
      nRunning += item.m_nWidth + 6;
      continue;
    }
    if (i > nFirst) {
      m_items[i - 1].m_nDisplayFlags |= MENUITEMDATA::DISPLAY_NEW_COLUMN;
      nRunning = item.m_nWidth + 6;
    } else {
      item.m_nDisplayFlags |= MENUITEMDATA::DISPLAY_NEW_COLUMN;
      nRunning = 0;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Rectangles.

int CExtPopupMenuWnd::GetBorderSize() const { return g_PaintManagerHolder->GetMenuBorderSize(); }

int CExtPopupMenuWnd::GetTearOffBarHeight() const {
  return g_PaintManagerHolder->GetMenuTearOffCaptionHeight();
}

CRect CExtPopupMenuWnd::GetBodyRect() const {
  if (!m_rcBody.IsRectEmpty())
    return m_rcBody;
  // Not placed yet: the measured window at the origin, without its shadow.
  CSize size = MeasureMenu();
  size.cy += ShownTearOffHeight(*this);
  const int s = GetShadowSize();
  return CRect(0, 0, size.cx - s, size.cy - s);
}

void CExtPopupMenuWnd::RecalcLayoutRects() {
  CRect rcInner = GetBodyRect();
  const int b = GetBorderSize();
  rcInner.DeflateRect(b + m_nLeftAreaWidth, b, b, b);
  const int nTearOff = ShownTearOffHeight(*this);
  const int nExpand = ExpandRowHeight(*this);
  m_rcTearOff.SetRectEmpty();
  m_rcExpandRow.SetRectEmpty();
  m_rcScrollUp.SetRectEmpty();
  m_rcScrollDown.SetRectEmpty();
  if (nTearOff > 0)
    m_rcTearOff.SetRect(rcInner.left, rcInner.top, rcInner.right, rcInner.top + nTearOff);
  if (nExpand > 0)
    m_rcExpandRow.SetRect(rcInner.left, rcInner.bottom - nExpand, rcInner.right, rcInner.bottom);
  if ((m_dwMenuState & MENU_SCROLLING) != 0) {
    const int nTop = rcInner.top + nTearOff, nBottom = rcInner.bottom - nExpand;
    m_rcScrollUp.SetRect(rcInner.left, nTop, rcInner.right, nTop + SCROLL_BUTTON_HEIGHT);
    m_rcScrollDown.SetRect(rcInner.left, nBottom - SCROLL_BUTTON_HEIGHT, rcInner.right, nBottom);
  }
  // A new size may leave less to scroll.
  m_nScrollOffset =
      (m_dwMenuState & MENU_SCROLLING) != 0 ? std::max(m_nScrollOffset, GetMinScrollOffset()) : 0;
  m_nScrollOffset = std::min(m_nScrollOffset, 0);
  EmptyItemRects(*this);
}

void CExtPopupMenuWnd::GetItemRect(int nIndex, RECT& rc, bool bInner) const {
  ::SetRectEmpty(&rc);
  switch (nIndex) {
  case HIT_SCROLL_UP:
    rc = m_rcScrollUp;
    return;
  case HIT_SCROLL_DOWN:
    rc = m_rcScrollDown;
    return;
  case HIT_EXPAND_ROW:
    rc = m_rcExpandRow;
    return;
  case HIT_TEAROFF:
    rc = m_rcTearOff;
    return;
  }
  if (!IsItemIndex(nIndex))
    return;
  if (IsPaletteLayout()) {
    GetItemRectPalette(nIndex, rc, bInner);
    return;
  }
  const MENUITEMDATA& item = m_items[nIndex];
  if (!item.IsDisplayed())
    return;
  if (item.m_rcItem.IsRectEmpty()) {
    // One pass places every shown item.
    const CRect rcBody = GetBodyRect();
    const int b = GetBorderSize();
    const int x = rcBody.left + b + m_nLeftAreaWidth;
    int y = rcBody.top + b + ShownTearOffHeight(*this) + m_nScrollOffset;
    for (int i = 0; i < GetItemCount(); i++) {
      const MENUITEMDATA& other = m_items[i];
      if (!other.IsDisplayed())
        continue;
      other.m_rcItem.SetRect(x, y, x + m_nContentWidth, y + OuterHeight(other));
      other.m_rcInner = other.m_rcItem;
      other.m_rcInner.DeflateRect(MarginLeft(other), MarginTop(other), MarginRight(other),
                                  MarginBottom(other));
      y = other.m_rcItem.bottom;
    }
  }
  rc = bInner ? item.m_rcInner : item.m_rcItem;
}

void CExtPopupMenuWnd::GetItemRectPalette(int nIndex, RECT& rc, bool bInner) const {
  if (!IsItemIndex(nIndex)) {
    GetItemRect(nIndex, rc, bInner);
    return;
  }
  const MENUITEMDATA& item = m_items[nIndex];
  if (item.m_rcItem.IsRectEmpty()) {
    std::vector<CRect> cells;
    CalcPaletteCells(&cells, NULL);
    const CRect rcBody = GetBodyRect();
    const int dy = rcBody.top + ShownTearOffHeight(*this) + m_nScrollOffset;
    for (int i = 0; i < GetItemCount(); i++) {
      cells[i].OffsetRect(rcBody.left, dy);
      m_items[i].m_rcItem = m_items[i].m_rcInner = cells[i];
    }
  }
  rc = item.m_rcItem; // a cell's inner rectangle is the cell
}

CRect CExtPopupMenuWnd::CalcEditRect(const RECT& rcInner, const MENUITEMDATA& item) const {
  CRect rc(rcInner);
  rc.DeflateRect(0, 2);
  const int w = item.IsInplace() ? item.m_nInplaceEditWidth : 0;
  if (IsRightToLeftLayout()) {
    rc.left = rcInner.left + 1;
    rc.right = rc.left + w;
  } else {
    rc.right = rcInner.right - 1;
    rc.left = rc.right - w;
  }
  if (item.IsPopup())
    rc.right -= ::GetSystemMetrics(SM_CXHTHUMB); // room for the drop-down part
  return rc;
}

int CExtPopupMenuWnd::HitTest(const POINT& ptClient, bool* pbOnEdit, bool* pbOnDropDown) const {
  if (pbOnEdit != NULL)
    *pbOnEdit = false;
  if (pbOnDropDown != NULL)
    *pbOnDropDown = false;
  if (m_nScrollOffset < 0 && m_rcScrollUp.PtInRect(ptClient))
    return HIT_SCROLL_UP;
  if (m_nScrollOffset > GetMinScrollOffset() && m_rcScrollDown.PtInRect(ptClient))
    return HIT_SCROLL_DOWN;
  if ((m_dwMenuState & MENU_EXPAND_ROW) != 0 && m_rcExpandRow.PtInRect(ptClient))
    return HIT_EXPAND_ROW;
  if (IsTearOffEnabled() && !IsEffectsSuppressed() && !IsHelpMode() && m_rcTearOff.PtInRect(ptClient))
    return HIT_TEAROFF;
  // Items scrolled under the border, the tear-off bar or the expand row cannot be hit there.
  if (!ItemsArea(*this).PtInRect(ptClient))
    return HIT_NOTHING;
  for (int i = 0; i < GetItemCount(); i++) {
    CRect rc;
    GetItemRect(i, rc);
    if (!rc.PtInRect(ptClient))
      continue;
    const MENUITEMDATA& item = m_items[i];
    if (item.IsInplace()) {
      CRect rcInner;
      GetItemRect(i, rcInner, true);
      const CRect rcEdit = CalcEditRect(rcInner, item);
      if (pbOnEdit != NULL)
        *pbOnEdit = rcEdit.PtInRect(ptClient) != FALSE;
      if (pbOnDropDown != NULL && item.IsPopup()) {
        const CRect rcDropDown(rcEdit.right, rcEdit.top, rcEdit.right + ::GetSystemMetrics(SM_CXHTHUMB),
                               rcEdit.bottom);
        *pbOnDropDown = rcDropDown.PtInRect(ptClient) != FALSE;
      }
    }
    return i;
  }
  return HIT_NOTHING;
}

// ---------------------------------------------------------------------------------------------
// Scrolling.

int CExtPopupMenuWnd::GetMinScrollOffset() const {
  const int nVisible = GetBodyRect().Height() - 2 * GetBorderSize();
  const int nHidden = m_nContentHeight - nVisible + ExpandRowHeight(*this) + ShownTearOffHeight(*this);
  return nHidden > 0 ? -nHidden : 0;
}

bool CExtPopupMenuWnd::StartScrolling(int nButton) {
  if (nButton != HIT_SCROLL_UP && nButton != HIT_SCROLL_DOWN)
    return false;
  if (m_hWnd == NULL || !::IsWindow(m_hWnd))
    return false;
  // Nothing left to scroll that way.
  if (nButton == HIT_SCROLL_UP ? m_nScrollOffset >= 0 : m_nScrollOffset <= GetMinScrollOffset())
    return false;
  CancelSubmenuDelay();
  if (IsItemIndex(m_nCurIndex)) {
    MENUITEMDATA& item = m_items[m_nCurIndex];
    item.m_nDisplayFlags &= ~MENUITEMDATA::DISPLAY_CURRENT;
    if (item.IsPopup() && item.m_pPopup != NULL && item.m_pPopup->GetSafeHwnd() != NULL)
      item.m_pPopup->ResetAndHide();
  }
  m_nCurIndex = nButton;
  m_nScrollStep = nButton == HIT_SCROLL_UP ? SCROLL_STEP : -SCROLL_STEP;
  ::InvalidateRect(m_hWnd, NULL, FALSE);
  if (::SetTimer(m_hWnd, ID_TIMER_SCROLL, SCROLL_PERIOD, NULL) == 0)
    return false;
  SetHoverMenu();
  return true;
}

bool CExtPopupMenuWnd::ScrollStep(const POINT& ptClient) {
  const int nMin = GetMinScrollOffset();
  m_nScrollStep = 0;
  if (m_nScrollOffset < 0 && m_rcScrollUp.PtInRect(ptClient))
    m_nScrollStep = SCROLL_STEP;
  else if (m_nScrollOffset > nMin && m_rcScrollDown.PtInRect(ptClient))
    m_nScrollStep = -SCROLL_STEP;
  if (m_nScrollStep != 0) {
    m_nScrollOffset = std::min(0, std::max(nMin, m_nScrollOffset + m_nScrollStep));
    EmptyItemRects(*this);
    if (m_hWnd != NULL)
      ::InvalidateRect(m_hWnd, NULL, FALSE);
  }
  if (m_nScrollStep != 0 && m_nScrollOffset != 0 && m_nScrollOffset != nMin)
    return true;
  // At a bound, or the cursor left the buttons.
  m_nScrollStep = 0;
  if (m_hWnd != NULL)
    ::KillTimer(m_hWnd, ID_TIMER_SCROLL);
  return false;
}
