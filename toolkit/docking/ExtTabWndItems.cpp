// The tab window's item model: the items in tab order with their neighbour links, the visible
// count, the one selected item and the one active item of each group, and the finders.
#include "toolkit/docking/ExtTabWnd.h"

// A nested class: its runtime record is spelt out, the macros paste plain names only.
const CRuntimeClass CExtTabWnd::TAB_ITEM_INFO::classTAB_ITEM_INFO = {"CExtTabWnd::TAB_ITEM_INFO",
                                                                     (int)sizeof(CExtTabWnd::TAB_ITEM_INFO),
                                                                     0xFFFF,
                                                                     NULL,
                                                                     RUNTIME_CLASS(CObject),
                                                                     NULL};
CRuntimeClass* CExtTabWnd::TAB_ITEM_INFO::GetRuntimeClass() const {
  return const_cast<CRuntimeClass*>(&classTAB_ITEM_INFO);
}

CExtTabWnd::TAB_ITEM_INFO::TAB_ITEM_INFO(CExtTabWnd* pOwner, TAB_ITEM_INFO* pPrev, TAB_ITEM_INFO* pNext,
                                         LPCSTR sText, HICON hIcon, bool bCopyIcon, DWORD dwStyle,
                                         LPARAM lParam)
    : m_pOwner(pOwner), m_dwItemStyle(dwStyle), m_sText(sText != NULL ? sText : ""), m_lParam(lParam),
      m_pPrev(pPrev), m_pNext(pNext) {
  if (hIcon != NULL)
    m_icon.AssignFromHIcon(hIcon, bCopyIcon);
  if (m_pPrev != NULL)
    m_pPrev->m_pNext = this;
  if (m_pNext != NULL)
    m_pNext->m_pPrev = this;
}

CExtTabWnd::TAB_ITEM_INFO::~TAB_ITEM_INFO() = default;

DWORD CExtTabWnd::TAB_ITEM_INFO::ModifyItemStyle(DWORD dwRemove, DWORD dwAdd) {
  const DWORD dwOld = m_dwItemStyle;
  DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
  if (((dwOld ^ dwNew) & TIS_HIDDEN) != 0 && m_pOwner != NULL)
    m_pOwner->m_nVisibleItemCount += (dwNew & TIS_HIDDEN) == 0 ? 1 : -1;
  if ((dwNew & TIS_SELECTED) != 0)
    dwNew |= TIS_IN_GROUP_ACTIVE;
  m_dwItemStyle = dwNew;
  const bool bActiveChanged = ((dwOld ^ dwNew) & TIS_IN_GROUP_ACTIVE) != 0;
  if (!bActiveChanged || (m_pPrev == NULL && m_pNext == NULL) || (dwNew & TIS_IN_GROUP_ACTIVE) == 0)
    return dwOld;
  // This item became its group's active one: the group's former one steps down.
  if ((dwNew & TIS_GROUP_START) == 0) {
    for (TAB_ITEM_INFO* p = m_pPrev; p != NULL; p = p->m_pPrev) {
      if ((p->m_dwItemStyle & TIS_IN_GROUP_ACTIVE) != 0) {
        p->m_dwItemStyle &= ~TIS_IN_GROUP_ACTIVE;
        return dwOld;
      }
      if ((p->m_dwItemStyle & TIS_GROUP_START) != 0)
        break;
    }
  }
  for (TAB_ITEM_INFO* p = m_pNext; p != NULL; p = p->m_pNext) {
    if ((p->m_dwItemStyle & TIS_GROUP_START) != 0)
      break;
    if ((p->m_dwItemStyle & TIS_IN_GROUP_ACTIVE) != 0) {
      p->m_dwItemStyle &= ~TIS_IN_GROUP_ACTIVE;
      break;
    }
  }
  return dwOld;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::TAB_ITEM_INFO::GetInGroupFirst() {
  TAB_ITEM_INFO* p = this;
  while ((p->m_dwItemStyle & TIS_GROUP_START) == 0 && p->m_pPrev != NULL)
    p = p->m_pPrev;
  return p;
}

LPCSTR CExtTabWnd::TAB_ITEM_INFO::GetText() const {
  LPCSTR s = m_pOwner != NULL ? m_pOwner->OnTabWndQueryItemText(this) : NULL;
  return s != NULL ? s : static_cast<LPCSTR>(m_sText);
}

LPCSTR CExtTabWnd::TAB_ITEM_INFO::GetTooltipText() const {
  LPCSTR s = m_pOwner != NULL ? m_pOwner->OnTabWndQueryItemTooltipText(this) : NULL;
  return s != NULL && *s != '\0' ? s : static_cast<LPCSTR>(m_sTooltipText);
}

CExtCmdIcon* CExtTabWnd::TAB_ITEM_INFO::GetIconPtr() const {
  CExtCmdIcon* pIcon = m_pOwner != NULL ? m_pOwner->OnTabWndQueryItemIcon(this) : NULL;
  if (pIcon != NULL && !pIcon->IsEmpty())
    return pIcon;
  return m_icon.IsEmpty() ? NULL : const_cast<CExtCmdIcon*>(&m_icon);
}

CSize CExtTabWnd::TAB_ITEM_INFO::GetIconSize() const {
  const CExtCmdIcon* pIcon = GetIconPtr();
  return pIcon != NULL ? CSize(pIcon->GetSize()) : CSize(m_icon.GetSize());
}

bool CExtTabWnd::TAB_ITEM_INFO::HitTest(const POINT& pt) const {
  return VisibleGet() && !m_rcItem.IsRectEmpty() && m_rcItem.PtInRect(pt);
}

// Default answers for derived strips: the item's own data, every selectable item may be chosen.

bool CExtTabWnd::OnTabWndSelectionChange(int, int nNewIndex, bool bPreSelectionTest) {
  if (!bPreSelectionTest)
    return true;
  const TAB_ITEM_INFO* pItem = ItemGet(nNewIndex);
  return pItem == NULL || (pItem->GetItemStyle() & TIS_UNSELECTABLE) == 0;
}

CExtCmdIcon* CExtTabWnd::OnTabWndQueryItemIcon(const TAB_ITEM_INFO* pItem) {
  return pItem != NULL ? const_cast<CExtCmdIcon*>(&pItem->m_icon) : NULL;
}

LPCSTR CExtTabWnd::OnTabWndQueryItemText(const TAB_ITEM_INFO* pItem) {
  return pItem != NULL ? static_cast<LPCSTR>(pItem->m_sText) : NULL;
}

LPCSTR CExtTabWnd::OnTabWndQueryItemTooltipText(const TAB_ITEM_INFO* pItem) {
  return pItem != NULL ? static_cast<LPCSTR>(pItem->m_sTooltipText) : NULL;
}

// Access and finders.

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::ItemGet(int nIndex) const {
  return nIndex >= 0 && nIndex < ItemGetCount() ? m_items[nIndex].get() : NULL;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::ItemAt(int nIndex) const {
  if (nIndex < 0 || nIndex >= ItemGetCount())
    AfxThrowInvalidArgException();
  return m_items[nIndex].get();
}

int CExtTabWnd::ItemGetIndexOf(const TAB_ITEM_INFO* pItem) const {
  for (int i = 0; i < ItemGetCount(); ++i)
    if (m_items[i].get() == pItem)
      return i;
  return -1;
}

int CExtTabWnd::ItemFindByLParam(LPARAM lParam, int nStartAfter, bool bVisible, bool bHidden) const {
  // One flag alone narrows the search; both or neither accept every item.
  const bool bAny = bVisible == bHidden;
  for (int i = nStartAfter < 0 ? 0 : nStartAfter + 1; i < ItemGetCount(); ++i) {
    const TAB_ITEM_INFO* pItem = m_items[i].get();
    if (pItem->LParamGet() != lParam)
      continue;
    if (bAny || pItem->VisibleGet() == bVisible)
      return i;
  }
  return -1;
}

int CExtTabWnd::ItemFindByStyle(DWORD dwMustHave, DWORD dwMustLack, int nStartAfter) const {
  for (int i = nStartAfter < 0 ? 0 : nStartAfter + 1; i < ItemGetCount(); ++i) {
    const DWORD dwStyle = m_items[i]->GetItemStyle();
    if (dwMustHave != 0 && (dwStyle & dwMustHave) == 0)
      continue;
    if (dwMustLack != 0 && (dwStyle & dwMustLack) != 0)
      continue;
    return i;
  }
  return -1;
}

void CExtTabWnd::ItemGetGroupRange(int nIndex, int& nFirst, int& nLast, TAB_ITEM_INFO** ppFirst,
                                   TAB_ITEM_INFO** ppLast) const {
  ItemAt(nIndex);
  nFirst = nIndex;
  while (nFirst > 0 && !m_items[nFirst]->IsGroupStart())
    --nFirst;
  nLast = nIndex;
  while (nLast + 1 < ItemGetCount() && !m_items[nLast + 1]->IsGroupStart())
    ++nLast;
  if (ppFirst != NULL)
    *ppFirst = m_items[nFirst].get();
  if (ppLast != NULL)
    *ppLast = m_items[nLast].get();
}

// Insertion, removal, selection and moves.

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::InsertItem(LPCSTR sText, HICON hIcon, bool bCopyIcon,
                                                  DWORD dwItemStyle, int nIndex, LPARAM lParam,
                                                  bool bUpdate) {
  const int nCount = ItemGetCount();
  if (nIndex < 0 || nIndex > nCount)
    nIndex = nCount;
  TAB_ITEM_INFO* pPrev = nIndex > 0 ? m_items[nIndex - 1].get() : NULL;
  TAB_ITEM_INFO* pNext = nIndex < nCount ? m_items[nIndex].get() : NULL;
  auto pItem =
      std::make_unique<TAB_ITEM_INFO>(this, pPrev, pNext, sText, hIcon, bCopyIcon, dwItemStyle, lParam);
  TAB_ITEM_INFO* pRaw = pItem.get();
  m_items.insert(m_items.begin() + nIndex, std::move(pItem));
  if (m_nSelIndex >= nIndex)
    ++m_nSelIndex;
  if (pRaw->VisibleGet())
    ++m_nVisibleItemCount;
  OnTabWndItemInsert(nIndex, pRaw);
  UpdateTabWnd(bUpdate);
  return pRaw;
}

int CExtTabWnd::RemoveItems(int nFirst, int nCount, bool bUpdate) {
  if (nCount <= 0 || m_items.empty()) {
    UpdateTabWnd(bUpdate);
    // Nothing was removed, whatever count was asked for.
    return 0;
  }
  // Checked before anything changes: a bad index must not shift the selection first.
  ItemAt(nFirst);
  nCount = std::min(nCount, ItemGetCount() - nFirst);
  const int nEnd = nFirst + nCount;
  if (m_nSelIndex >= nEnd)
    m_nSelIndex -= nCount;
  TAB_ITEM_INFO* pBefore = m_items[nFirst]->m_pPrev;
  TAB_ITEM_INFO* pAfter = m_items[nEnd - 1]->m_pNext;
  for (int i = nFirst; i < nEnd; ++i) {
    if (m_items[i]->VisibleGet())
      --m_nVisibleItemCount;
    if (m_items[i]->IsSelected())
      m_nSelIndex = -1;
    m_items[i].reset();
  }
  OnTabWndRemoveItem(nFirst, nCount, true);
  m_items.erase(m_items.begin() + nFirst, m_items.begin() + nEnd);
  if (pBefore != NULL)
    pBefore->m_pNext = pAfter;
  if (pAfter != NULL)
    pAfter->m_pPrev = pBefore;
  OnTabWndRemoveItem(nFirst, nCount, false);
  UpdateTabWnd(bUpdate);
  return nCount;
}

void CExtTabWnd::RemoveAllItems() {
  if (m_items.empty())
    return;
  OnTabWndRemoveAllItems(true);
  m_items.clear();
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  m_nVisibleItemCount = 0;
  m_nSelIndex = -1;
  OnTabWndRemoveAllItems(false);
}

int CExtTabWnd::SelectItem(int nIndex, bool bEnsureVisible, bool bUpdate) {
  // An index past the end would leave a selection that names no item.
  if (nIndex >= ItemGetCount())
    AfxThrowInvalidArgException();
  const int nOld = m_nSelIndex;
  if (!OnTabWndSelectionChange(nOld, nIndex, true))
    return m_nSelIndex;
  m_nSelIndex = nIndex < 0 ? -1 : nIndex;
  if (TAB_ITEM_INFO* pOld = ItemGet(nOld))
    pOld->ModifyItemStyle(TIS_SELECTED, 0);
  if (TAB_ITEM_INFO* pNew = ItemGet(m_nSelIndex))
    pNew->ModifyItemStyle(0, TIS_SELECTED);
  if (!OnTabWndSelectionChange(nOld, m_nSelIndex, false))
    return m_nSelIndex;
  if (bEnsureVisible && m_nSelIndex >= 0 && !m_items.empty())
    ItemEnsureVisible(m_nSelIndex, bUpdate);
  else
    UpdateTabWnd(bUpdate);
  return nOld;
}

bool CExtTabWnd::ItemMove(int nFrom, int nTo, bool bUpdate) {
  const int nCount = ItemGetCount();
  if (nCount == 0 || nFrom < 0 || nFrom >= nCount || nTo < 0 || nTo >= nCount || nFrom == nTo)
    return false;
  if (!OnTabWndItemMoveQuery(nFrom, nTo))
    return false;
  MoveItemImpl(nFrom, nTo);
  UpdateTabWnd(bUpdate);
  OnTabWndItemMoved(nFrom, nTo);
  return true;
}

// The item is made again at its new place from what it shows, then the old one goes.
bool CExtTabWnd::MoveItemImpl(int nFrom, int nTo) {
  const int nStep = nFrom < nTo ? 1 : -1;
  TAB_ITEM_INFO* pItem = ItemAt(nFrom);
  const CString sText = pItem->GetText();
  HICON hIcon = NULL;
  CExtCmdIcon* pIcon = OnTabWndQueryItemIcon(pItem);
  if (pIcon != NULL && !pIcon->IsEmpty())
    hIcon = pIcon->GetIcon(false);
  const DWORD dwStyle = pItem->GetItemStyle();
  const LPARAM lParam = pItem->LParamGet();
  ItemEnsureVisible(nTo, false);
  InsertItem(sText, hIcon, true, dwStyle, nStep > 0 ? nTo + 1 : nTo, lParam, false);
  RemoveItems(nStep < 0 ? nFrom + 1 : nFrom, 1, false);
  SelectItem(nTo, false, false);
  return true;
}

DWORD CExtTabWnd::ModifyTabWndStyle(DWORD dwRemove, DWORD dwAdd, bool bUpdate) {
  const DWORD dwOld = m_dwTabWndStyle;
  m_dwTabWndStyle = (dwOld & ~dwRemove) | dwAdd;
  if ((m_dwTabWndStyle & TS_FIT) != 0)
    m_nScrollPos = 0;
  UpdateTabWnd(bUpdate);
  return dwOld;
}

int CExtTabWnd::OrientationSet(int nOrientation, bool bUpdate) {
  const DWORD dwOld = m_dwTabWndStyle;
  m_dwTabWndStyle = (dwOld & ~TS_ORIENT_MASK) | (static_cast<DWORD>(nOrientation) & TS_ORIENT_MASK);
  if ((dwOld & TS_FIT) != 0)
    m_nScrollPos = 0;
  m_bWndFlags |= WF_LAYOUT_DIRTY;
  UpdateTabWnd(bUpdate);
  return static_cast<int>(dwOld & TS_ORIENT_MASK);
}
