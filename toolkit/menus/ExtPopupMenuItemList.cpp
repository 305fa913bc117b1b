// The popup menu's item list: access by index, insertion, removal, searches, the receiver of the
// items, the chain of submenus and the state a menu starts from.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "toolkit/foundation/ExtCmdManager.h"

#include <algorithm>

namespace {

void SetBits(BYTE& nFlags, BYTE nBits, bool bOn) {
  nFlags = bOn ? (BYTE)(nFlags | nBits) : (BYTE)(nFlags & ~nBits);
}

BYTE UpperCaseChar(BYTE ch) { return (BYTE)(DWORD_PTR)::CharUpperA((LPSTR)(DWORD_PTR)ch); }

} // namespace

// ---------------------------------------------------------------------------------------------
// What the theme reads of the items.

int CExtPopupMenuWnd::GetItemCount() const { return (int)m_items.GetSize(); }

int CExtPopupMenuWnd::GetItemIconAreaWidth(int nIndex) const {
  return IsItemIndex(nIndex) ? m_items[nIndex].m_nIconAreaWidth : 0;
}

DWORD CExtPopupMenuWnd::GetItemState(int nIndex) const {
  return IsItemIndex(nIndex) ? (DWORD)m_items[nIndex].m_nDisplayFlags : 0;
}

// ---------------------------------------------------------------------------------------------
// Access by index.

CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nIndex) {
  if (!IsItemIndex(nIndex))
    AfxThrowInvalidArgException();
  return m_items[nIndex];
}

const CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nIndex) const {
  if (!IsItemIndex(nIndex))
    AfxThrowInvalidArgException();
  return m_items[nIndex];
}

UINT CExtPopupMenuWnd::ItemGetCmdID(int nIndex) const {
  return IsItemIndex(nIndex) ? m_items[nIndex].m_nCmdId : 0;
}

CExtCmdIcon* CExtPopupMenuWnd::ItemGetIcon(int nIndex) {
  return IsItemIndex(nIndex) ? m_items[nIndex].GetIcon() : NULL;
}

CString CExtPopupMenuWnd::ItemGetText(int nIndex) const {
  return IsItemIndex(nIndex) ? m_items[nIndex].m_sText : CString();
}

CString CExtPopupMenuWnd::ItemGetAccelText(int nIndex) const {
  return IsItemIndex(nIndex) ? m_items[nIndex].m_sAccelText : CString();
}

int CExtPopupMenuWnd::ItemFindPosForCmdID(UINT nCmdId, int nStartIndex) const {
  for (int nIndex = std::max(nStartIndex + 1, 0); nIndex < GetItemCount(); nIndex++) {
    if (m_items[nIndex].m_nCmdId == nCmdId)
      return nIndex;
  }
  return -1;
}

bool CExtPopupMenuWnd::ItemSetIcon(int nIndex, const CExtCmdIcon* pIcon) {
  if (!IsItemIndex(nIndex))
    return false;
  MENUITEMDATA& item = m_items[nIndex];
  if (!item.IsPopup() && !item.IsOwnData())
    return false; // command items show their command's icon
  item.SetIcon(pIcon);
  item.MeasureItem(NULL);
  return true;
}

bool CExtPopupMenuWnd::ItemSetText(int nIndex, LPCSTR lpszText) {
  if (!IsItemIndex(nIndex))
    return false;
  MENUITEMDATA& item = m_items[nIndex];
  item.SetText(lpszText);
  item.UpdateAccelChar();
  item.MeasureItem(NULL);
  return true;
}

bool CExtPopupMenuWnd::ItemSetAccelText(int nIndex, LPCSTR lpszText) {
  if (!IsItemIndex(nIndex))
    return false;
  MENUITEMDATA& item = m_items[nIndex];
  item.m_sAccelText = lpszText != NULL ? lpszText : "";
  item.MeasureItem(NULL);
  return true;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopup(int nIndex) {
  return IsItemIndex(nIndex) && m_items[nIndex].IsPopup() ? m_items[nIndex].m_pPopup : NULL;
}

const CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopup(int nIndex) const {
  return const_cast<CExtPopupMenuWnd*>(this)->ItemGetPopup(nIndex);
}

bool CExtPopupMenuWnd::ItemIsDisplayed(int nIndex) const { return GetItemAt(nIndex).IsDisplayed(); }

void CExtPopupMenuWnd::ItemSetRarelyUsedDisplayed(int nIndex, bool bShown) {
  if (!IsItemIndex(nIndex))
    return;
  SetBits(m_items[nIndex].m_nDisplayFlags, MENUITEMDATA::DISPLAY_RARELY_USED_SHOWN, bShown);
  RelayoutChain();
}

bool CExtPopupMenuWnd::ItemRemove(int nIndex) {
  if (nIndex >= GetItemCount())
    return false;
  CancelSubmenuDelay();
  if (nIndex < 0) {
    DestroyAllItems();
  } else {
    DestroySubmenu(m_items[nIndex].m_pPopup);
    m_items.RemoveAt(nIndex);
  }
  m_nCurIndex = -1;
  m_nPendingSubmenuIndex = -1;
  m_nLastHoverIndex = -1;
  RelayoutChain();
  return true;
}

int CExtPopupMenuWnd::ItemRemoveAllSeparators() {
  int nRemoved = 0;
  for (int nIndex = GetItemCount() - 1; nIndex >= 0; nIndex--) {
    if (!m_items[nIndex].IsSeparator())
      continue;
    m_items.RemoveAt(nIndex);
    ++nRemoved;
  }
  if (nRemoved > 0) {
    m_nCurIndex = -1;
    RelayoutChain();
  }
  return nRemoved;
}

bool CExtPopupMenuWnd::ItemIsNewColumn(int nIndex) const {
  return IsItemIndex(nIndex) && (m_items[nIndex].m_nDisplayFlags & MENUITEMDATA::DISPLAY_NEW_COLUMN) != 0;
}

void CExtPopupMenuWnd::ItemSetNewColumn(int nIndex, bool bOn) {
  if (IsItemIndex(nIndex))
    SetBits(m_items[nIndex].m_nDisplayFlags, MENUITEMDATA::DISPLAY_NEW_COLUMN, bOn);
}

bool CExtPopupMenuWnd::ItemIsInline(int nIndex) const {
  return IsItemIndex(nIndex) && (m_items[nIndex].m_nDisplayFlags & MENUITEMDATA::DISPLAY_INLINE) != 0;
}

void CExtPopupMenuWnd::ItemSetInline(int nIndex, bool bOn) {
  if (!IsItemIndex(nIndex) || ItemIsInline(nIndex) == bOn)
    return;
  SetBits(m_items[nIndex].m_nDisplayFlags, MENUITEMDATA::DISPLAY_INLINE, bOn);
  m_items[nIndex].MeasureItem(NULL);
}

bool CExtPopupMenuWnd::ItemIsEnabled(int nIndex) const {
  return IsItemIndex(nIndex) && m_items[nIndex].IsEnabled();
}

void CExtPopupMenuWnd::ItemEnabledSet(int nIndex, bool bOn) {
  if (IsItemIndex(nIndex) && !m_items[nIndex].IsSeparator())
    SetBits(m_items[nIndex].m_nStateFlags, MENUITEMDATA::STATE_ENABLED, bOn);
}

bool CExtPopupMenuWnd::ItemIsDefault(int nIndex) const {
  return IsItemIndex(nIndex) && m_items[nIndex].IsDefault();
}

void CExtPopupMenuWnd::ItemDefaultSet(int nIndex, bool bOn) {
  if (!IsItemIndex(nIndex) || ItemIsDefault(nIndex) == bOn)
    return;
  m_items[nIndex].SetDefault(bOn);
  m_items[nIndex].MeasureItem(NULL);
}

bool CExtPopupMenuWnd::ItemGetExtraFlag1(int nIndex) const {
  return IsItemIndex(nIndex) && (m_items[nIndex].m_nExtraFlags & MENUITEMDATA::EXTRA_BIT1) != 0;
}

void CExtPopupMenuWnd::ItemSetExtraFlag1(int nIndex, bool bOn) {
  if (IsItemIndex(nIndex))
    SetBits(m_items[nIndex].m_nExtraFlags, MENUITEMDATA::EXTRA_BIT1, bOn);
}

bool CExtPopupMenuWnd::ItemGetStateFlag1(int nIndex) const {
  return IsItemIndex(nIndex) && (m_items[nIndex].m_nStateFlags & MENUITEMDATA::STATE_BIT1) != 0;
}

void CExtPopupMenuWnd::ItemSetStateFlag1(int nIndex, bool bOn) {
  if (IsItemIndex(nIndex))
    SetBits(m_items[nIndex].m_nStateFlags, MENUITEMDATA::STATE_BIT1, bOn);
}

// ---------------------------------------------------------------------------------------------
// Insertion.

bool CExtPopupMenuWnd::InsertItem(UINT nCmdId, int nPos, LPCSTR lpszText, const CExtCmdIcon* pIcon,
                                  HWND hWndReceiver) {
  if (nPos > GetItemCount())
    return false;
  if (nPos < 0)
    nPos = GetItemCount();
  MENUITEMDATA item;
  item.m_hWndCmdReceiver = hWndReceiver != NULL ? hWndReceiver : m_hWndCmdReceiver;
  if (nCmdId == ID_SUBMENU) {
    item.SetPopup(nPos, lpszText, pIcon);
  } else if (nCmdId == 0) {
    item.m_nItemIndex = nPos;
    item.MeasureItem(NULL);
  } else {
    CExtCmdManager* pManager = g_CmdManagerHolder.GetPtr();
    const CExtCmdItem* pCmdItem =
        pManager->FindCommand(pManager->GetProfileNameForWindow(item.m_hWndCmdReceiver), nCmdId);
    if (pCmdItem == NULL || !item.FillFromCmdItem(pCmdItem, nPos))
      return false;
  }
  if (InsertItemAt(nPos, item))
    return true;
  DestroySubmenu(item.m_pPopup);
  return false;
}

bool CExtPopupMenuWnd::InsertOwnItem(UINT nCmdId, int nPos, LPCSTR lpszText, LPCSTR lpszAccelText,
                                     const CExtCmdIcon& icon, int nCheck, HWND hWndReceiver) {
  if (nCmdId == 0 || nCmdId == ID_SUBMENU)
    return InsertItem(nCmdId, nPos, lpszText, &icon, hWndReceiver);
  if (nPos > GetItemCount())
    return false;
  if (nPos < 0)
    nPos = GetItemCount();
  MENUITEMDATA item;
  item.m_hWndCmdReceiver = hWndReceiver != NULL ? hWndReceiver : m_hWndCmdReceiver;
  item.m_nCmdId = nCmdId;
  item.m_nItemIndex = nPos;
  item.SetText(lpszText);
  if (lpszAccelText != NULL)
    item.m_sAccelText = lpszAccelText;
  item.UpdateAccelChar();
  item.SetIcon(&icon);
  item.SetCheck(nCheck == 1 || nCheck == 2);
  item.SetIndeterminate(nCheck == 2);
  item.SetRadio(nCheck == 3);
  item.m_nStateFlags |= MENUITEMDATA::STATE_OWN_DATA;
  item.m_nDisplayFlags |= MENUITEMDATA::DISPLAY_SHOWN;
  item.MeasureItem(NULL);
  return InsertItemAt(nPos, item);
}

bool CExtPopupMenuWnd::InsertCommandItemWithHIcon(UINT nCmdId, LPCSTR lpszText, LPCSTR lpszAccelText,
                                                  HICON hIcon, bool bCopyIcon, int nCheck,
                                                  HWND hWndReceiver) {
  // Not copied, the handle becomes the wrapper's and goes with it.
  const CExtCmdIcon icon(hIcon, bCopyIcon);
  return InsertOwnItem(nCmdId, -1, lpszText, lpszAccelText, icon, nCheck,
                       hWndReceiver != NULL ? hWndReceiver : m_hWndCmdReceiver);
}

bool CExtPopupMenuWnd::InsertPopupMenu(CExtPopupMenuWnd* pPopup, int nPos, LPCSTR lpszText,
                                       const CExtCmdIcon* pIcon) {
  if (pPopup == NULL || nPos > GetItemCount())
    return false;
  for (const CExtPopupMenuWnd* pMenu = this; pMenu != NULL; pMenu = pMenu->m_pParentMenu) {
    if (pMenu == pPopup)
      return false; // a menu cannot hold itself or a menu it lies in
  }
  if (nPos < 0)
    nPos = GetItemCount();
  MENUITEMDATA item;
  item.m_hWndCmdReceiver = m_hWndCmdReceiver;
  pPopup->m_dwMenuState &= ~MENU_TOP_LEVEL;
  item.SetPopup(nPos, lpszText, pIcon, pPopup);
  // Pinned: the caller hands in a whole menu to be offered, which the layout would otherwise hide
  // while it shows nothing of its own (an empty or owner-filled menu, or rarely used commands only).
  item.m_nDisplayFlags |= MENUITEMDATA::DISPLAY_SHOWN | MENUITEMDATA::DISPLAY_RARELY_USED_SHOWN;
  return InsertItemAt(nPos, item);
}

bool CExtPopupMenuWnd::InsertItemAt(int nIndex, MENUITEMDATA& item) {
  if (nIndex > GetItemCount())
    return false;
  if (nIndex < 0)
    nIndex = GetItemCount();
  if (item.IsPopup() && item.m_pPopup != NULL)
    item.m_pPopup->m_pParentMenu = this;
  m_items.InsertAt(nIndex, item);
  if (m_nCurIndex >= nIndex)
    ++m_nCurIndex;
  RelayoutChain();
  return true;
}

// ---------------------------------------------------------------------------------------------
// Searches.

int CExtPopupMenuWnd::FindItemByAccelChar(BYTE cAccel, int nStartIndex, bool bRestartAtTop) const {
  if (cAccel == 0)
    return -1;
  cAccel = UpperCaseChar(cAccel);
  if (cAccel == 0)
    return -1;
  const int nCount = GetItemCount();
  auto qualifies = [&](int nIndex) {
    const MENUITEMDATA& item = m_items[nIndex];
    return nIndex != nStartIndex && item.m_cAccelChar == cAccel && item.IsDisplayed() &&
           !item.IsSeparator() && (item.IsPopup() || item.IsEnabled());
  };
  for (int nIndex = std::max(nStartIndex + 1, 0); nIndex < nCount; nIndex++) {
    if (qualifies(nIndex))
      return nIndex;
  }
  if (!bRestartAtTop)
    return -1;
  for (int nIndex = 0; nIndex < std::min(nStartIndex, nCount); nIndex++) {
    if (qualifies(nIndex))
      return nIndex;
  }
  return -1;
}

int CExtPopupMenuWnd::FindItemByText(LPCSTR lpszText, int nStartIndex) const {
  if (lpszText == NULL || *lpszText == '\0')
    return -1;
  for (int nIndex = std::max(nStartIndex, 0); nIndex < GetItemCount(); nIndex++) {
    if (m_items[nIndex].m_sText.CompareNoCase(lpszText) == 0)
      return nIndex;
  }
  return -1;
}

bool CExtPopupMenuWnd::HasNoShownItems() const {
  for (int nIndex = 0; nIndex < GetItemCount(); nIndex++) {
    if (!m_items[nIndex].IsSeparator() && m_items[nIndex].IsDisplayed())
      return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The menu and its chain.

bool CExtPopupMenuWnd::InitTopLevel(HWND hWndReceiver) {
  if (IsTopLevel() || m_pParentMenu != NULL || GetItemCount() != 0)
    return false;
  m_dwMenuState |= MENU_TOP_LEVEL;
  m_hWndCmdReceiver = hWndReceiver;
  return true;
}

void CExtPopupMenuWnd::SetCmdReceiverForItems(HWND hWnd, bool bThisLevelOnly) {
  for (int nIndex = 0; nIndex < GetItemCount(); nIndex++) {
    MENUITEMDATA& item = m_items[nIndex];
    item.m_hWndCmdReceiver = hWnd;
    if (!bThisLevelOnly && item.IsPopup() && item.m_pPopup != NULL)
      item.m_pPopup->SetCmdReceiverForItems(hWnd, false);
  }
}

void CExtPopupMenuWnd::ResetMenuState() {
  m_nCurIndex = -1;
  m_nPendingSubmenuIndex = -1;
  m_nLastHoverIndex = -1;
  m_nExpandHoverCounter = 0;
  m_ptTrack = CPoint(0, 0);
  m_rcExclude.SetRectEmpty();
  m_nPlacementFlags = 0;
  m_rcWindow.SetRectEmpty();
  m_nCombineSide = 0;
  m_pfnCombinedAreaPainter = NULL;
  m_pCombinedAreaCookie = NULL;
  m_bCombinedAreaPainterFlag = false;
  m_nScrollOffset = 0;
  m_nScrollStep = 0;
  m_dwMenuState &= ~MENU_SCROLLING;
  m_rcScrollUp.SetRectEmpty();
  m_rcScrollDown.SetRectEmpty();
  m_rcExpandRow.SetRectEmpty();
  m_rcTearOff.SetRectEmpty();
  m_expandRects.clear();
  for (int nIndex = 0; nIndex < GetItemCount(); nIndex++)
    m_items[nIndex].m_nDisplayFlags &= ~MENUITEMDATA::DISPLAY_CURRENT;
}

void CExtPopupMenuWnd::DestroyAllItems() {
  for (int nIndex = 0; nIndex < GetItemCount(); nIndex++) {
    DestroySubmenu(m_items[nIndex].m_pPopup);
    m_items[nIndex].m_pPopup = NULL;
  }
  m_items.RemoveAll();
  m_nCurIndex = -1;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetTopMenu() {
  CExtPopupMenuWnd* pTop = this;
  while (pTop->m_pParentMenu != NULL)
    pTop = pTop->m_pParentMenu;
  return pTop;
}

void CExtPopupMenuWnd::RelayoutChain() { GetTopMenu()->RecalcItemLayout(); }

void CExtPopupMenuWnd::DestroySubmenu(CExtPopupMenuWnd* pPopup) {
  if (pPopup == NULL)
    return;
  // The site must not keep pointing at a menu that goes.
  CExtPopupTrackSite& site = GetTrackSite();
  if (site.m_pHoverMenu == pPopup)
    site.m_pHoverMenu = pPopup->m_pParentMenu;
  if (site.m_pAnimatedMenu == pPopup)
    site.m_pAnimatedMenu = NULL;
  pPopup->DestroyAllItems();
  pPopup->DestroyWindow();
  delete pPopup;
}
