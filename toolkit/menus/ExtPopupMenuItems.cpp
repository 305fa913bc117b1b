// The popup menu's items: the item record, accessors, insertion and the command-update pass.
// (stub: being built)
#include "toolkit/menus/ExtPopupMenuWnd.h"

CExtPopupMenuWnd::MENUITEMDATA::MENUITEMDATA() {}
bool CExtPopupMenuWnd::MENUITEMDATA::IsEnabled() const { return (m_nStateFlags & STATE_ENABLED) != 0; }
void CExtPopupMenuWnd::MENUITEMDATA::SetText(LPCSTR lpszText) { m_sText = lpszText != NULL ? lpszText : ""; }
void CExtPopupMenuWnd::MENUITEMDATA::UpdateAccelChar() {}
void CExtPopupMenuWnd::MENUITEMDATA::MeasureItem(CDC*) {}
void CExtPopupMenuWnd::MENUITEMDATA::UpdateFromCommand() {}
bool CExtPopupMenuWnd::MENUITEMDATA::FillFromCmdItem(const CExtCmdItem*, int) { return false; }
void CExtPopupMenuWnd::MENUITEMDATA::SetPopup(int, LPCSTR, const CExtCmdIcon*, CExtPopupMenuWnd*) {}
CExtPopupMenuWnd* CExtPopupMenuWnd::MENUITEMDATA::CreateSubmenu() { return NULL; }
CString CExtPopupMenuWnd::MENUITEMDATA::GetTipText() const { return CString(); }
bool CExtPopupMenuWnd::MENUITEMDATA::SetCommandFlag4(bool) { return false; }
void CExtPopupMenuWnd::MENUITEMDATA::SetCheck(bool) {}
void CExtPopupMenuWnd::MENUITEMDATA::SetRadio(bool) {}
void CExtPopupMenuWnd::MENUITEMDATA::SetIndeterminate(bool) {}
void CExtPopupMenuWnd::MENUITEMDATA::SetDefault(bool) {}
CExtCmdItem* CExtPopupMenuWnd::MENUITEMDATA::GetCmdItem() const { return NULL; }
CExtCmdIcon* CExtPopupMenuWnd::MENUITEMDATA::GetIcon() { return NULL; }
void CExtPopupMenuWnd::MENUITEMDATA::SetIcon(const CExtCmdIcon*) {}
bool CExtPopupMenuWnd::MENUITEMDATA::IsRarelyUsedCommand() const { return false; }

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::Enable(BOOL) {}
void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetCheck(int) {}
void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetRadio(BOOL) {}
void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetText(LPCSTR) {}

int CExtPopupMenuWnd::GetItemCount() const { return (int)m_items.GetSize(); }
int CExtPopupMenuWnd::GetItemIconAreaWidth(int) const { return 0; }
DWORD CExtPopupMenuWnd::GetItemState(int) const { return 0; }
void CExtPopupMenuWnd::SetCmdReceiverForItems(HWND, bool) {}
CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nIndex) { return m_items[nIndex]; }
const CExtPopupMenuWnd::MENUITEMDATA& CExtPopupMenuWnd::GetItemAt(int nIndex) const {
  return m_items[nIndex];
}
UINT CExtPopupMenuWnd::ItemGetCmdID(int) const { return 0; }
CExtCmdIcon* CExtPopupMenuWnd::ItemGetIcon(int) { return NULL; }
CString CExtPopupMenuWnd::ItemGetText(int) const { return CString(); }
CString CExtPopupMenuWnd::ItemGetAccelText(int) const { return CString(); }
int CExtPopupMenuWnd::ItemFindPosForCmdID(UINT, int) const { return -1; }
bool CExtPopupMenuWnd::ItemSetIcon(int, const CExtCmdIcon*) { return false; }
bool CExtPopupMenuWnd::ItemSetText(int, LPCSTR) { return false; }
bool CExtPopupMenuWnd::ItemSetAccelText(int, LPCSTR) { return false; }
CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopup(int) { return NULL; }
const CExtPopupMenuWnd* CExtPopupMenuWnd::ItemGetPopup(int) const { return NULL; }
bool CExtPopupMenuWnd::ItemIsDisplayed(int) const { return false; }
void CExtPopupMenuWnd::ItemSetRarelyUsedDisplayed(int, bool) {}
bool CExtPopupMenuWnd::ItemRemove(int) { return false; }
int CExtPopupMenuWnd::ItemRemoveAllSeparators() { return 0; }
bool CExtPopupMenuWnd::ItemIsNewColumn(int) const { return false; }
void CExtPopupMenuWnd::ItemSetNewColumn(int, bool) {}
bool CExtPopupMenuWnd::ItemIsInline(int) const { return false; }
void CExtPopupMenuWnd::ItemSetInline(int, bool) {}
bool CExtPopupMenuWnd::ItemIsEnabled(int) const { return false; }
void CExtPopupMenuWnd::ItemEnabledSet(int, bool) {}
bool CExtPopupMenuWnd::ItemIsDefault(int) const { return false; }
void CExtPopupMenuWnd::ItemDefaultSet(int, bool) {}
bool CExtPopupMenuWnd::ItemGetExtraFlag1(int) const { return false; }
void CExtPopupMenuWnd::ItemSetExtraFlag1(int, bool) {}
bool CExtPopupMenuWnd::ItemGetStateFlag1(int) const { return false; }
void CExtPopupMenuWnd::ItemSetStateFlag1(int, bool) {}
bool CExtPopupMenuWnd::InsertItem(UINT, int, LPCSTR, const CExtCmdIcon*, HWND) { return false; }
bool CExtPopupMenuWnd::InsertOwnItem(UINT, int, LPCSTR, LPCSTR, const CExtCmdIcon&, int, HWND) {
  return false;
}
bool CExtPopupMenuWnd::InsertCommandItemWithHIcon(UINT, LPCSTR, LPCSTR, HICON, bool, int, HWND) {
  return false;
}
bool CExtPopupMenuWnd::InsertPopupMenu(CExtPopupMenuWnd*, int, LPCSTR, const CExtCmdIcon*) { return false; }
int CExtPopupMenuWnd::FindItemByAccelChar(BYTE, int, bool) const { return -1; }
int CExtPopupMenuWnd::FindItemByText(LPCSTR, int) const { return -1; }
bool CExtPopupMenuWnd::HasNoShownItems() const { return true; }
bool CExtPopupMenuWnd::InitTopLevel(HWND) { return false; }
void CExtPopupMenuWnd::UpdateItemsCmdUI() {}
void CExtPopupMenuWnd::ResetMenuState() {}
bool CExtPopupMenuWnd::InsertItemAt(int, MENUITEMDATA&) { return false; }
void CExtPopupMenuWnd::DestroyAllItems() {}
CExtPopupMenuWnd* CExtPopupMenuWnd::GetTopMenu() { return this; }
void CExtPopupMenuWnd::RelayoutChain() {}
void CExtPopupMenuWnd::DestroySubmenu(CExtPopupMenuWnd*) {}
