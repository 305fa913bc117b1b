// Menus and their handle map.
#include "framework/wnd/fw_wnd.h"
#include "framework/core/fw_state.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
CHandleMap& MenuMap() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (!pState->m_pmapHMENU) {
    pState->m_pmapHMENU.reset(new CHandleMap(
        [](HANDLE h) -> CObject* {
          CMenu* p = new CMenu;
          p->m_hMenu = static_cast<HMENU>(h);
          return p;
        },
        [](CObject* p) { static_cast<CMenu*>(p)->m_hMenu = NULL; }));
  }
  return *pState->m_pmapHMENU;
}
} // namespace

CMenu::CMenu() : m_hMenu(NULL) {}

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU hMenu) {
  return hMenu == NULL ? NULL : static_cast<CMenu*>(MenuMap().FromHandle(hMenu));
}

void CMenu::DeleteTempMap() { MenuMap().DeleteTemp(); }

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == NULL)
    return FALSE;
  m_hMenu = hMenu;
  MenuMap().SetPermanent(hMenu, this);
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU hMenu = m_hMenu;
  if (hMenu != NULL)
    MenuMap().RemoveHandle(hMenu, this);
  m_hMenu = NULL;
  return hMenu;
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
  return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }
BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) {
  return Attach(::LoadMenuIndirectA(lpMenuTemplate));
}

BOOL CMenu::DestroyMenu() {
  if (m_hMenu == NULL)
    return FALSE;
  return ::DestroyMenu(Detach());
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int nLen = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
  if (nLen <= 0) {
    rString.Empty();
    return 0;
  }
  ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
  rString.ReleaseBuffer();
  return rString.GetLength();
}
