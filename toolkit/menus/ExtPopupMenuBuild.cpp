// Popup menus from menu handles: building from a menu resource or handle (with the recent-file
// list in place of its placeholder), the MDI window list, and the export back to a menu handle.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "framework/frame/fw_frame.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtResourceManager.h"

#include <algorithm>
#include <vector>

namespace {

// Menu texts of GetMenuItemInfo, and the resource strings of the generated items.
const int kMenuTextChars = 1024;
const UINT IDS_RECENT_FILE_TEXT = 30004;
const UINT IDS_RECENT_FILE_TIP = 30005;
const UINT IDS_DOCUMENT_TIP = 30006;
const UINT IDS_MORE_WINDOWS_TEXT = 30007;
const UINT IDS_MORE_WINDOWS_TIP = 30008;
// Entries the window list numbers before it offers "More Windows".
const int kNumberedWindows = 9;

// A resource string, else the built-in English text.
CString LoadTextOr(UINT nId, LPCSTR lpszBuiltIn) {
  CString sText;
  if (!g_ResourceManagerHolder->LoadString(sText, nId) || sText.IsEmpty())
    sText = lpszBuiltIn;
  return sText;
}

// A name shown in a menu text: '&' doubled so that it shows and marks nothing.
CString MenuSafeName(CString sName) {
  sName.Replace("&", "&&");
  return sName;
}

LPCSTR ProfileNameOf(HWND hWnd) { return g_CmdManagerHolder->GetProfileNameForWindow(hWnd); }

// The command of that id in the profile, made there when it is missing.
CExtCmdItem* FindOrAllocCommand(LPCSTR lpszProfile, UINT nCmdId) {
  CExtCmdItem* pCmdItem = g_CmdManagerHolder->FindCommand(lpszProfile, nCmdId);
  return pCmdItem != NULL ? pCmdItem : g_CmdManagerHolder->AllocCommand(lpszProfile, nCmdId);
}

bool HasVisibleStyle(HWND hWnd) { return (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }

CString WindowText(HWND hWnd) {
  CString sText;
  const int nLength = ::GetWindowTextLengthA(hWnd);
  if (nLength > 0) {
    ::GetWindowTextA(hWnd, sText.GetBufferSetLength(nLength), nLength + 1);
    sText.ReleaseBuffer();
  }
  return sText;
}

// The MDI client's document windows by their ids, which the client numbers from the first
// window-list id. The ids need not be contiguous: Wine keeps the "More Windows" id free and
// leaves a hidden window's id to a visible one as well.
std::vector<HWND> MdiChildrenInIdOrder(HWND hWndClient) {
  std::vector<HWND> children;
  for (HWND hWnd = ::GetWindow(hWndClient, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    if ((UINT)::GetDlgCtrlID(hWnd) >= CExtPopupMenuWnd::ID_FIRST_MDI_CHILD)
      children.push_back(hWnd);
  }
  std::stable_sort(children.begin(), children.end(),
                   [](HWND a, HWND b) { return (UINT)::GetDlgCtrlID(a) < (UINT)::GetDlgCtrlID(b); });
  return children;
}

bool IsRecentFileId(UINT nCmdId) {
  return nCmdId >= CExtPopupMenuWnd::ID_FIRST_RECENT_FILE && nCmdId <= CExtPopupMenuWnd::ID_LAST_RECENT_FILE;
}

bool IsMdiWindowId(UINT nCmdId) {
  return nCmdId >= CExtPopupMenuWnd::ID_FIRST_MDI_CHILD && nCmdId <= CExtPopupMenuWnd::ID_MORE_WINDOWS;
}

} // namespace

bool CExtPopupMenuWnd::MENUITEMDATA::FillFromMenuItem(HWND hWndReceiver, HMENU hMenu, int nPos,
                                                      bool bNoRegistration) {
  m_hWndCmdReceiver = hWndReceiver;
  char szText[kMenuTextChars] = {};
  MENUITEMINFOA mii = {};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
  mii.dwTypeData = szText;
  mii.cch = kMenuTextChars - 1;
  if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii))
    return false;
  if ((mii.fType & MFT_SEPARATOR) != 0) {
    m_nCmdId = 0;
    m_sText.Empty();
    m_sAccelText.Empty();
    MeasureItem(NULL);
    return true;
  }
  const CString sMenuText = (mii.fType & (MFT_BITMAP | MFT_OWNERDRAW)) == 0 ? szText : "";
  SetDefault((mii.fState & MFS_DEFAULT) != 0);
  CString sText = sMenuText;
  if (mii.hSubMenu != NULL) {
    m_nCmdId = ID_SUBMENU;
    CreateSubmenu();
  } else {
    if (!IsCommandIdValid(mii.wID))
      return false;
    m_nCmdId = mii.wID;
    if (bNoRegistration) {
      m_nStateFlags |= STATE_OWN_DATA;
      SetCommandFlag4((mii.fState & (MFS_GRAYED | MFS_DISABLED)) == 0);
      const bool bChecked = (mii.fState & MFS_CHECKED) != 0;
      SetCheck(bChecked);
      SetRadio(bChecked && (mii.fType & MFT_RADIOCHECK) != 0);
    } else {
      const CExtCmdItem* pCmdItem = GetCmdItem();
      if (pCmdItem == NULL)
        return false;
      if (!pCmdItem->m_sMenuText.IsEmpty())
        sText = pCmdItem->m_sMenuText;
      else if (!pCmdItem->m_sToolbarText.IsEmpty())
        sText = pCmdItem->m_sToolbarText;
      m_sAccelText = pCmdItem->m_sAccelText;
    }
  }
  SetText(sText);
  UpdateAccelChar();
  MeasureItem(NULL);
  return true;
}

bool CExtPopupMenuWnd::BuildFromMenuResource(HWND hWndReceiver, UINT nResourceId, bool bTakeFirstSubmenu,
                                             bool bNoRegistration) {
  CMenu menu;
  if (!g_ResourceManagerHolder->LoadMenu(&menu, MAKEINTRESOURCEA(nResourceId)))
    return false;
  return BuildFromMenuHandle(hWndReceiver, &menu, bTakeFirstSubmenu, true, bNoRegistration);
}

bool CExtPopupMenuWnd::BuildFromMenuHandle(HWND hWndReceiver, CMenu* pMenu, bool bTakeFirstSubmenu,
                                           bool bTopLevel, bool bNoRegistration) {
  if (hWndReceiver != NULL)
    m_hWndCmdReceiver = hWndReceiver;
  HMENU hMenu = pMenu != NULL ? pMenu->GetSafeHmenu() : NULL;
  if (hMenu == NULL || !::IsMenu(hMenu))
    return false;
  if (bTakeFirstSubmenu) {
    hMenu = ::GetSubMenu(hMenu, 0);
    if (hMenu == NULL || !::IsMenu(hMenu))
      return false;
  }
  if (!bNoRegistration &&
      !g_CmdManagerHolder->ImportMenu(ProfileNameOf(m_hWndCmdReceiver), hMenu, false, true, true))
    return false;
  return BuildItemsFromMenuHandle(CMenu::FromHandle(hMenu), bTopLevel, bNoRegistration);
}

bool CExtPopupMenuWnd::BuildItemsFromMenuHandle(CMenu* pMenu, bool bTopLevel, bool bNoRegistration) {
  DestroyAllItems();
  const HMENU hMenu = pMenu != NULL ? pMenu->GetSafeHmenu() : NULL;
  if (hMenu == NULL)
    return true;
  if (bTopLevel) {
    m_dwMenuState |= MENU_TOP_LEVEL;
    m_pParentMenu = NULL;
  } else {
    m_dwMenuState &= ~MENU_TOP_LEVEL;
  }

  int nRecentFilePos = -1;
  const int nCount = ::GetMenuItemCount(hMenu);
  for (int nPos = 0; nPos < nCount; nPos++) {
    const HMENU hSubMenu = ::GetSubMenu(hMenu, nPos);
    if (hSubMenu == NULL && IsRecentFileId(::GetMenuItemID(hMenu, nPos))) {
      if (nRecentFilePos < 0)
        nRecentFilePos = GetItemCount();
      continue;
    }
    MENUITEMDATA item;
    if (!item.FillFromMenuItem(m_hWndCmdReceiver, hMenu, nPos, bNoRegistration)) {
      DestroySubmenu(item.m_pPopup);
      continue;
    }
    if (item.IsSeparator() && GetItemCount() > 0 && m_items[GetItemCount() - 1].IsSeparator())
      continue;
    item.m_nItemIndex = GetItemCount();
    if (item.IsPopup()) {
      item.m_pPopup->m_hWndCmdReceiver = m_hWndCmdReceiver;
      item.m_pPopup->BuildItemsFromMenuHandle(CMenu::FromHandle(hSubMenu), false, bNoRegistration);
      item.m_pPopup->m_pParentMenu = this;
    }
    m_items.Add(item);
  }

  CWinApp* pApp = AfxGetApp();
  if (nRecentFilePos >= 0 && !bNoRegistration && pApp != NULL && pApp->m_pRecentFileList != NULL) {
    const CRecentFileList& recentFiles = *pApp->m_pRecentFileList;
    const CString sCurDir = AfxGetCurrentDirectory();
    const CString sTextFormat = LoadTextOr(IDS_RECENT_FILE_TEXT, "Recent file %d");
    const CString sTipFormat = LoadTextOr(IDS_RECENT_FILE_TIP, "Recent file %d (\"%s\")");
    const LPCSTR lpszProfile = ProfileNameOf(m_hWndCmdReceiver);
    int nInserted = 0;
    for (int i = 0; i < recentFiles.GetSize() && IsRecentFileId(ID_FIRST_RECENT_FILE + i); i++) {
      CString sName;
      if (!recentFiles.GetDisplayName(sName, i, sCurDir, sCurDir.GetLength(), TRUE) || sName.IsEmpty())
        continue;
      CExtCmdItem* pCmdItem = FindOrAllocCommand(lpszProfile, ID_FIRST_RECENT_FILE + i);
      if (pCmdItem == NULL)
        continue;
      const int n = i + 1;
      if (n < 10)
        pCmdItem->m_sMenuText.Format("&%d %s", n, (LPCSTR)MenuSafeName(sName));
      else
        pCmdItem->m_sMenuText.Format("%d&%d %s", n / 10, n % 10, (LPCSTR)MenuSafeName(sName));
      pCmdItem->m_sToolbarText.Format(sTextFormat, n);
      pCmdItem->m_sTipStatus.Format(sTipFormat, n, (LPCSTR)sName);
      pCmdItem->m_sTipTool = pCmdItem->m_sTipStatus;
      if (InsertItem(pCmdItem->m_nCmdId, nRecentFilePos + nInserted))
        ++nInserted;
    }
    if (nInserted > 0)
      InsertItem(0, nRecentFilePos + nInserted);
  }
  RelayoutChain();
  return true;
}

void CExtPopupMenuWnd::AppendMdiWindowItems() {
  CMDIFrameWnd* pFrame = NULL;
  for (HWND hWnd = m_hWndCmdReceiver; hWnd != NULL && pFrame == NULL; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
      pFrame = static_cast<CMDIFrameWnd*>(pWnd);
  }
  if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
    return;
  // The MDI client keeps a window list of its own in the window popup it was given: that one goes,
  // or every window would be listed twice under the same numbers.
  for (int nIndex = GetItemCount() - 1; nIndex >= 0; nIndex--) {
    if (IsMdiWindowId(m_items[nIndex].m_nCmdId))
      ItemRemove(nIndex);
  }
  if (GetItemCount() > 0 && !m_items[GetItemCount() - 1].IsSeparator())
    InsertItem(0);

  const HWND hWndClient = pFrame->m_hWndMDIClient;
  HWND hWndActive = (HWND)::SendMessageA(hWndClient, WM_MDIGETACTIVE, 0, 0);
  CWnd* pActive = CWnd::FromHandlePermanent(hWndActive);
  if (pActive != NULL && pActive->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) && !HasVisibleStyle(hWndActive))
    hWndActive = NULL;

  const LPCSTR lpszProfile = ProfileNameOf(m_hWndCmdReceiver);
  const CString sTipFormat = LoadTextOr(IDS_DOCUMENT_TIP, "Document \"%s\"");
  int nListed = 0;
  for (const HWND hWndChild : MdiChildrenInIdOrder(hWndClient)) {
    if (!HasVisibleStyle(hWndChild))
      continue;
    if (nListed == kNumberedWindows) {
      // A tenth window: the rest are reached through the system's window list.
      CExtCmdItem* pMore = FindOrAllocCommand(lpszProfile, ID_MORE_WINDOWS);
      if (pMore == NULL)
        return;
      pMore->m_sMenuText = LoadTextOr(IDS_MORE_WINDOWS_TEXT, "More Windows");
      pMore->m_sTipStatus = LoadTextOr(IDS_MORE_WINDOWS_TIP, "Manage opened document windows");
      pMore->m_sTipTool = pMore->m_sTipStatus;
      InsertItem(0);
      InsertItem(ID_MORE_WINDOWS);
      break;
    }
    const UINT nId = (UINT)::GetDlgCtrlID(hWndChild);
    CExtCmdItem* pCmdItem = FindOrAllocCommand(lpszProfile, nId);
    if (pCmdItem == NULL)
      continue;
    ++nListed;
    const CString sTitle = WindowText(hWndChild);
    pCmdItem->m_sMenuText.Format("&%d %s", nListed, (LPCSTR)MenuSafeName(sTitle));
    pCmdItem->m_sTipStatus.Format(sTipFormat, (LPCSTR)sTitle);
    pCmdItem->m_sTipTool = pCmdItem->m_sTipStatus;
    if (InsertItem(nId) && hWndChild == hWndActive)
      m_items[GetItemCount() - 1].SetRadio(true);
  }
}

HMENU CExtPopupMenuWnd::ExportToMenuHandle(bool bDeep) const {
  CMenu menu;
  if (!menu.CreatePopupMenu())
    return NULL;
  for (int nIndex = 0; nIndex < GetItemCount(); nIndex++) {
    const MENUITEMDATA& item = m_items[nIndex];
    if (item.IsSeparator()) {
      if (!menu.AppendMenu(MF_SEPARATOR))
        return NULL;
      continue;
    }
    CString sText = item.m_sText;
    if (!item.m_sAccelText.IsEmpty())
      sText += "\t" + item.m_sAccelText;
    if (!item.IsPopup()) {
      if (!menu.AppendMenu(MF_STRING, item.m_nCmdId, sText))
        return NULL;
      continue;
    }
    CMenu child;
    if (bDeep && item.m_pPopup != NULL)
      child.Attach(item.m_pPopup->ExportToMenuHandle(true));
    else
      child.CreatePopupMenu();
    if (child.GetSafeHmenu() == NULL || !::IsMenu(child.GetSafeHmenu()))
      continue;
    // Appended, the child belongs to the new menu.
    if (!menu.AppendMenu(MF_POPUP | MF_STRING, (UINT_PTR)child.GetSafeHmenu(), sText))
      return NULL;
    child.Detach();
  }
  return menu.Detach();
}
