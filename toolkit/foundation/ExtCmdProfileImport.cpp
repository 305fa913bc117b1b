// Filling a command profile from menus, tool-bar resources and tool-bar windows. Resources come
// from the framework's current resource module.
#include "toolkit/foundation/ExtCmdProfile.h"

#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtCmdIconSlot.h"

#include <commctrl.h>

#include <vector>

namespace {

const UINT kMenuTextChars = 1024;
const WORD kToolBarResourceType = 241;

// The header of a tool-bar resource; nItemCount command ids (0 = separator) follow it.
struct ToolBarResourceHeader {
  WORD wVersion;
  WORD wWidth;
  WORD wHeight;
  WORD wItemCount;
};

// The bytes of a resource of the current resource module, or NULL.
const BYTE* FindResourceBytes(UINT nId, LPCSTR lpszType, DWORD* pdwSize) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(nId), lpszType);
  HGLOBAL hData = hRes != NULL ? ::LoadResource(hInst, hRes) : NULL;
  if (hData == NULL)
    return NULL;
  *pdwSize = ::SizeofResource(hInst, hRes);
  return static_cast<const BYTE*>(::LockResource(hData));
}

// Splits a menu item's text "text\taccelerator" into the template's two texts.
void SetMenuTexts(CExtCmdItem& cmd, CString sText) {
  sText.Remove('\n');
  sText.Remove('\r');
  sText.Trim();
  const int nTab = sText.Find('\t');
  if (nTab < 0) {
    cmd.m_sMenuText = sText;
    return;
  }
  cmd.m_sAccelText = sText.Mid(nTab + 1);
  cmd.m_sAccelText.Trim();
  cmd.m_sMenuText = sText.Left(nTab);
  cmd.m_sMenuText.Trim();
}

} // namespace

bool CExtCmdProfile::ImportMenuResource(UINT nMenuId, bool bReplace, bool bLoadTips) {
  CMenu menu;
  if (!menu.LoadMenu(nMenuId))
    return false;
  return ImportMenu(menu.GetSafeHmenu(), bReplace, true, bLoadTips);
}

bool CExtCmdProfile::ImportMenu(HMENU hMenu, bool bReplace, bool bRecurse, bool bLoadTips) {
  if (hMenu == NULL || !::IsMenu(hMenu))
    return false;
  const int nCount = ::GetMenuItemCount(hMenu);
  for (int nPos = 0; nPos < nCount; ++nPos) {
    char szText[kMenuTextChars] = {};
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = 0x3F; // state, id, sub-menu, check marks, type and data
    mii.dwTypeData = szText;
    mii.cch = kMenuTextChars - 1;
    if (!::GetMenuItemInfoA(hMenu, (UINT)nPos, TRUE, &mii) || (mii.fType & MFT_SEPARATOR) != 0)
      continue;
    if (mii.hSubMenu != NULL) {
      // Sub-menus always bring their tips.
      if (bRecurse)
        ImportMenu(mii.hSubMenu, bReplace, true, true);
      continue;
    }
    if ((INT)mii.wID <= 0)
      continue;
    CExtCmdItem cmd(mii.wID);
    SetMenuTexts(cmd, (mii.fType & (MFT_BITMAP | MFT_OWNERDRAW)) == 0 ? szText : "");
    if (bLoadTips)
      cmd.LoadTextsFromResource();
    SetupCommand(cmd, bReplace);
  }
  return true;
}

bool CExtCmdProfile::ImportToolBarResource(UINT nToolBarId, CUIntArray* pArrIds, INT* pnCount, bool bReplace,
                                           bool bLoadTips, COLORREF clrTransparent) {
  if (nToolBarId == 0)
    return false;
  DWORD dwSize = 0, dwBitmapSize = 0;
  const BYTE* pData = FindResourceBytes(nToolBarId, MAKEINTRESOURCEA(kToolBarResourceType), &dwSize);
  if (pData == NULL || FindResourceBytes(nToolBarId, (LPCSTR)RT_BITMAP, &dwBitmapSize) == NULL)
    return false;
  // The item count must fit the resource's own size.
  ToolBarResourceHeader header;
  if (dwSize < sizeof(header))
    return false;
  memcpy(&header, pData, sizeof(header));
  if (dwSize < sizeof(header) + header.wItemCount * sizeof(WORD))
    return false;
  std::vector<WORD> ids(header.wItemCount);
  if (!ids.empty())
    memcpy(ids.data(), pData + sizeof(header), ids.size() * sizeof(WORD));
  CBitmap strip;
  if (!strip.LoadBitmap(nToolBarId))
    return false;

  int nImage = 0;
  for (WORD wId : ids) {
    if (wId == 0)
      continue;
    const RECT rcPart = {header.wWidth * nImage, 0, header.wWidth * (nImage + 1), header.wHeight};
    ++nImage;
    ExtCmdIconSlot::Ptr pIcon(
        ExtCmdIconSlot::FromBitmapPart((HBITMAP)strip.GetSafeHandle(), clrTransparent, rcPart));
    if (ExtCmdIconSlot::IsEmpty(pIcon.get()))
      continue;
    CExtCmdItem cmd(wId);
    if (bLoadTips)
      cmd.LoadTextsFromResource();
    if (SetupCommand(cmd, bReplace))
      SetCommandIcon(wId, pIcon.release(), true);
  }
  if (pArrIds != NULL) {
    pArrIds->SetSize((INT_PTR)ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
      pArrIds->SetAt((INT_PTR)i, ids[i]);
  }
  if (pnCount != NULL)
    *pnCount = header.wItemCount;
  return true;
}

bool CExtCmdProfile::ImportToolBarWindow(CWnd* pToolBar, bool bReplace, bool bLoadTips) {
  HWND hWnd = pToolBar != NULL ? pToolBar->m_hWnd : NULL;
  if (hWnd == NULL || !::IsWindow(hWnd))
    return false;
  HIMAGELIST hImages = (HIMAGELIST)::SendMessageA(hWnd, TB_GETIMAGELIST, 0, 0);
  if (hImages == NULL)
    return false;
  const int nCount = (int)::SendMessageA(hWnd, TB_BUTTONCOUNT, 0, 0);
  for (int nIndex = 0; nIndex < nCount; ++nIndex) {
    TBBUTTON button = {};
    if (!::SendMessageA(hWnd, TB_GETBUTTON, nIndex, (LPARAM)&button) || button.idCommand == 0)
      continue;
    char szText[kMenuTextChars] = {};
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_IMAGE | TBIF_TEXT;
    info.pszText = szText;
    info.cchText = kMenuTextChars - 1;
    // Without the extended answer the button's own record gives the image.
    int nImage = button.iBitmap;
    if (::SendMessageA(hWnd, TB_GETBUTTONINFOA, button.idCommand, (LPARAM)&info) >= 0)
      nImage = info.iImage;
    else
      szText[0] = '\0';
    CExtCmdItem cmd((UINT)button.idCommand);
    cmd.m_sToolbarText = szText;
    if (bLoadTips)
      cmd.LoadTextsFromResource();
    if (!SetupCommand(cmd, bReplace) || nImage < 0)
      continue;
    CExtCmdItem* pItem = FindCommand((UINT)button.idCommand);
    if (pItem == NULL || pItem->m_nIconIdx >= 0)
      continue;
    HICON hIcon = ::ImageList_GetIcon(hImages, nImage, ILD_NORMAL);
    if (hIcon != NULL)
      AppendIcon(pItem, ExtCmdIconSlot::FromHIcon(hIcon, false));
  }
  return true;
}
