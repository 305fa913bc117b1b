// Popup menu navigation: which item the keyboard moves to for a navigation code, with wrap-around,
// the expand row of a menu with hidden items, and the rows of a palette menu.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

typedef CExtPopupMenuWnd::MENUITEMDATA Item;

bool IsShown(const CExtPopupMenuWnd& menu, const Item& item) {
  return menu.IsPaletteLayout() || item.IsDisplayed();
}

// A separator is never current, whatever its state flags say.
bool IsSelectable(const CExtPopupMenuWnd& menu, int nIndex) {
  const Item& item = menu.GetItemAt(nIndex);
  return !item.IsSeparator() && IsShown(menu, item) && item.IsEnabled();
}

// Whether a shown item other than a rarely used command is left to choose without expanding.
bool HasShownCommonItem(const CExtPopupMenuWnd& menu) {
  for (int i = 0; i < menu.GetItemCount(); i++) {
    const Item& item = menu.GetItemAt(i);
    if (item.IsSeparator() || !IsShown(menu, item))
      continue;
    if (!(item.IsCommandItem() && item.IsRarelyUsedCommand()))
      return true;
  }
  return false;
}

// The item a menu without a current item starts from.
int FindFirstItem(const CExtPopupMenuWnd& menu) {
  for (int i = 0; i < menu.GetItemCount(); i++) {
    const Item& item = menu.GetItemAt(i);
    if (!IsShown(menu, item) || item.IsSeparator())
      continue;
    if (item.IsPopup() ? item.GetCmdItem() == NULL
                       : (item.m_nDisplayFlags & Item::DISPLAY_ALWAYS_ENABLED) != 0 ||
                             (item.m_nStateFlags & Item::STATE_ENABLED) != 0)
      return i;
  }
  return -1;
}

int FindForward(const CExtPopupMenuWnd& menu, int nFrom, int nTo) {
  for (int i = nFrom; i <= nTo; i++)
    if (IsSelectable(menu, i))
      return i;
  return -1;
}

int FindBackward(const CExtPopupMenuWnd& menu, int nFrom, int nTo) {
  for (int i = nFrom; i >= nTo; i--)
    if (IsSelectable(menu, i))
      return i;
  return -1;
}

} // namespace

int CExtPopupMenuWnd::FindNavigationTarget(int nCode) const {
  // Codes this menu does not know change nothing.
  if (nCode > NAV_NONE || nCode < NAV_PREV_ROW)
    return m_nCurIndex;
  const int nCount = GetItemCount();
  const bool bExpandRow = (m_dwMenuState & MENU_EXPAND_ROW) != 0 && (m_dwMenuState & MENU_EXPANDED) == 0;
  const int nNone = bExpandRow ? HIT_EXPAND_ROW : HIT_NOTHING;
  if (bExpandRow && !HasShownCommonItem(*this))
    return HIT_EXPAND_ROW;
  if (nCode == NAV_NONE || nCount == 0)
    return nNone;
  const int nCur = m_nCurIndex >= 0 && m_nCurIndex < nCount ? m_nCurIndex : -1;
  if (nCur < 0) {
    const int nFirst = FindFirstItem(*this);
    return nFirst >= 0 ? nFirst : nNone;
  }
  if (nCode == NAV_CURRENT)
    return nCur;

  if ((nCode == NAV_NEXT_ROW || nCode == NAV_PREV_ROW) && IsPaletteLayout()) {
    // The cell of the nearest row further on (wrapping round to the current row) whose centre
    // lies nearest the current cell's centre.
    std::vector<CRect> cells;
    std::vector<int> rows;
    CalcPaletteCells(&cells, &rows);
    int nRows = 0;
    for (int nRow : rows)
      nRows = std::max(nRows, nRow + 1);
    const int nCurRow = rows[nCur];
    const int nCurCenter = cells[nCur].CenterPoint().x;
    const int nDir = nCode == NAV_NEXT_ROW ? 1 : -1;
    for (int k = 1; k <= nRows; k++) {
      const int nRow = ((nCurRow + nDir * k) % nRows + nRows) % nRows;
      int nBest = -1;
      for (int i = 0; i < nCount; i++) {
        if (rows[i] != nRow || !IsSelectable(*this, i))
          continue;
        if (nBest < 0 || std::abs(cells[i].CenterPoint().x - nCurCenter) <
                             std::abs(cells[nBest].CenterPoint().x - nCurCenter))
          nBest = i;
      }
      if (nBest >= 0)
        return nBest;
    }
    return nNone;
  }

  int nFound = -1;
  if (nCode == NAV_NEXT || nCode == NAV_NEXT_ROW) {
    nFound = FindForward(*this, nCur + 1, nCount - 1);
    if (nFound < 0 && bExpandRow)
      return HIT_EXPAND_ROW;
    if (nFound < 0)
      nFound = FindForward(*this, 0, nCur);
  } else {
    // Wrapping round as far as the current item, as going forward does.
    nFound = FindBackward(*this, nCur - 1, 0);
    if (nFound < 0)
      nFound = FindBackward(*this, nCount - 1, nCur);
  }
  return nFound >= 0 ? nFound : nNone;
}
