#include "toolkit/foundation/ExtCmdManager.h"

#include "framework/bars/fw_bars.h"
#include "framework/frame/fw_frame.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtSystemChangeRelay.h"

namespace {

const char kDefaultProfileName[] = "default";

LPCSTR ProfileName(LPCSTR lpszProfileName) {
  return lpszProfileName == NULL || *lpszProfileName == '\0' ? kDefaultProfileName : lpszProfileName;
}

// The window whose parent chain continues at hParent: a control bar (not a dock bar) stands for
// the frame it docks in, wherever it floats.
HWND NextWindowUp(HWND hParent) {
  CWnd* pParent = CWnd::FromHandlePermanent(hParent);
  if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CControlBar)))
    return hParent;
  CControlBar* pBar = static_cast<CControlBar*>(pParent);
  if (pBar->IsDockBar() || pBar->m_pDockSite == NULL || pBar->m_pDockSite->GetSafeHwnd() == NULL)
    return hParent;
  return pBar->m_pDockSite->GetSafeHwnd();
}

// Calls fn(profile) for every profile of the name map; fn must not change the map.
template <class Fn> void ForEachProfile(const CMapStringToPtr& profiles, Fn fn) {
  for (POSITION pos = profiles.GetStartPosition(); pos != NULL;) {
    CString sName;
    void* pProfile = NULL;
    profiles.GetNextAssoc(pos, sName, pProfile);
    fn(static_cast<CExtCmdProfile*>(pProfile));
  }
}

} // namespace

CExtCmdManager::CExtCmdManager() {
  m_profilesByName.SetAt(kDefaultProfileName, new CExtCmdProfile(kDefaultProfileName));
}

CExtCmdManager::~CExtCmdManager() {
  ForEachProfile(m_profilesByName, [](CExtCmdProfile* p) { delete p; });
  m_profilesByName.RemoveAll();
  m_profilesByWnd.RemoveAll();
}

template <class Fn> bool CExtCmdManager::WithProfile(LPCSTR lpszProfileName, Fn fn) {
  CExtCmdProfile* pProfile = GetProfile(lpszProfileName);
  if (pProfile == NULL)
    return false;
  CSingleLock lock(&m_cs, TRUE);
  fn(pProfile);
  return true;
}

void CExtCmdManager::RemoveAllCommands(LPCSTR lpszProfileName) {
  WithProfile(lpszProfileName, [](CExtCmdProfile* p) { p->RemoveAllCommands(); });
}

void CExtCmdManager::OnSysColorChange() {
  CSingleLock lock(&m_cs, TRUE);
  ForEachProfile(m_profilesByName, [&](CExtCmdProfile* p) { p->OnSysColorChange(); });
}

void CExtCmdManager::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CSingleLock lock(&m_cs, TRUE);
  ForEachProfile(m_profilesByName, [&](CExtCmdProfile* p) { p->OnSettingChange(uFlags, lpszSection); });
}

void CExtCmdManager::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY) {
  CSingleLock lock(&m_cs, TRUE);
  ForEachProfile(m_profilesByName,
                 [&](CExtCmdProfile* p) { p->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY); });
}

void CExtCmdManager::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  CSingleLock lock(&m_cs, TRUE);
  ForEachProfile(m_profilesByName, [&](CExtCmdProfile* p) { p->OnThemeChanged(wParam, lParam); });
}

CExtCmdProfile* CExtCmdManager::GetProfile(LPCSTR lpszProfileName) {
  CSingleLock lock(&m_cs, TRUE);
  void* pProfile = NULL;
  if (!m_profilesByName.Lookup(ProfileName(lpszProfileName), pProfile))
    return NULL;
  return static_cast<CExtCmdProfile*>(pProfile);
}

bool CExtCmdManager::SetupCommand(LPCSTR lpszProfileName, const CExtCmdItem& cmdTemplate, bool bReplace,
                                  bool* pbNew) {
  if (pbNew != NULL)
    *pbNew = false;
  bool bResult = false;
  WithProfile(lpszProfileName,
              [&](CExtCmdProfile* p) { bResult = p->SetupCommand(cmdTemplate, bReplace, pbNew); });
  return bResult;
}

bool CExtCmdManager::RemoveCommand(LPCSTR lpszProfileName, UINT nCmdId, bool* pbRemoved) {
  if (pbRemoved != NULL)
    *pbRemoved = false;
  bool bResult = false;
  WithProfile(lpszProfileName, [&](CExtCmdProfile* p) { bResult = p->RemoveCommand(nCmdId, pbRemoved); });
  return bResult;
}

bool CExtCmdManager::RemoveCommandsByState(LPCSTR lpszProfileName, DWORD dwMask1, DWORD dwMask2, bool bAllOf1,
                                           bool bAllOf2) {
  return WithProfile(lpszProfileName, [&](CExtCmdProfile* p) {
    p->RemoveCommandsByState(dwMask1, dwMask2, bAllOf1, bAllOf2);
  });
}

CExtCmdItem* CExtCmdManager::AllocCommand(LPCSTR lpszProfileName, UINT nCmdId) {
  CExtCmdItem* pItem = NULL;
  WithProfile(lpszProfileName, [&](CExtCmdProfile* p) { pItem = p->AllocCommand(nCmdId); });
  return pItem;
}

CExtCmdItem* CExtCmdManager::FindCommand(LPCSTR lpszProfileName, UINT nCmdId) {
  CExtCmdItem* pItem = NULL;
  WithProfile(lpszProfileName, [&](CExtCmdProfile* p) { pItem = p->FindCommand(nCmdId); });
  return pItem;
}

bool CExtCmdManager::SetCommandIcon(LPCSTR lpszProfileName, UINT nCmdId, HICON hIcon, bool bCopy) {
  bool bResult = false;
  WithProfile(lpszProfileName,
              [&](CExtCmdProfile* p) { bResult = p->SetIconFromHandle(nCmdId, hIcon, bCopy); });
  return bResult;
}

CExtCmdIcon* CExtCmdManager::GetCommandIcon(LPCSTR lpszProfileName, UINT nCmdId) {
  CExtCmdIcon* pIcon = NULL;
  WithProfile(lpszProfileName, [&](CExtCmdProfile* p) { pIcon = p->GetCommandIcon(nCmdId); });
  return pIcon;
}

bool CExtCmdManager::ImportMenu(LPCSTR lpszProfileName, HMENU hMenu, bool bReplace, bool bRecurse,
                                bool bLoadTips) {
  bool bResult = false;
  WithProfile(lpszProfileName,
              [&](CExtCmdProfile* p) { bResult = p->ImportMenu(hMenu, bReplace, bRecurse, bLoadTips); });
  return bResult;
}

bool CExtCmdManager::ImportMenuResource(LPCSTR lpszProfileName, UINT nMenuId, bool bReplace, bool bLoadTips) {
  bool bResult = false;
  WithProfile(lpszProfileName,
              [&](CExtCmdProfile* p) { bResult = p->ImportMenuResource(nMenuId, bReplace, bLoadTips); });
  return bResult;
}

bool CExtCmdManager::ImportToolBarResource(LPCSTR lpszProfileName, UINT nToolBarId, CUIntArray* pArrIds,
                                           INT* pnCount, bool bReplace, bool bLoadTips,
                                           COLORREF clrTransparent) {
  bool bResult = false;
  WithProfile(lpszProfileName, [&](CExtCmdProfile* p) {
    bResult = p->ImportToolBarResource(nToolBarId, pArrIds, pnCount, bReplace, bLoadTips, clrTransparent);
  });
  return bResult;
}

bool CExtCmdManager::SetBasicCommands(LPCSTR lpszProfileName, const UINT* pCmdIds, bool bOn) {
  bool bResult = false;
  WithProfile(lpszProfileName, [&](CExtCmdProfile* p) { bResult = p->SetBasicCommands(pCmdIds, bOn); });
  return bResult;
}

bool CExtCmdManager::SerializeProfileState(LPCSTR lpszProfileName, LPCSTR lpszRegKey, LPCSTR lpszAppProfile,
                                           bool bSave) {
  bool bResult = false;
  WithProfile(lpszProfileName,
              [&](CExtCmdProfile* p) { bResult = p->SerializeState(lpszRegKey, lpszAppProfile, bSave); });
  return bResult;
}

bool CExtCmdManager::SetupProfile(LPCSTR lpszProfileName, HWND hWnd, CExtCmdProfile* pProfile) {
  lpszProfileName = ProfileName(lpszProfileName);
  {
    CSingleLock lock(&m_cs, TRUE);
    void* pKnown = NULL;
    if (!m_profilesByName.Lookup(lpszProfileName, pKnown))
      m_profilesByName.SetAt(lpszProfileName,
                             pProfile != NULL ? pProfile : new CExtCmdProfile(lpszProfileName));
  }
  return hWnd == NULL || AddWindow(lpszProfileName, hWnd);
}

bool CExtCmdManager::AddWindow(LPCSTR lpszProfileName, HWND hWnd) {
  if (hWnd == NULL)
    return false;
  CSingleLock lock(&m_cs, TRUE);
  void* pProfile = NULL;
  if (!m_profilesByName.Lookup(ProfileName(lpszProfileName), pProfile))
    return false;
  CExtCmdProfile* pBound = NULL;
  if (!m_profilesByWnd.Lookup(hWnd, pBound))
    m_profilesByWnd.SetAt(hWnd, static_cast<CExtCmdProfile*>(pProfile));
  return true;
}

bool CExtCmdManager::RemoveWindow(HWND hWnd, bool bRemoveProfileIfUnused, bool* pbProfileRemoved) {
  if (pbProfileRemoved != NULL)
    *pbProfileRemoved = false;
  if (hWnd == NULL)
    return false;
  CSingleLock lock(&m_cs, TRUE);
  CExtCmdProfile* pProfile = NULL;
  if (!m_profilesByWnd.Lookup(hWnd, pProfile))
    return false;
  m_profilesByWnd.RemoveKey(hWnd);
  if (!bRemoveProfileIfUnused)
    return true;
  for (POSITION pos = m_profilesByWnd.GetStartPosition(); pos != NULL;) {
    HWND hBound = NULL;
    CExtCmdProfile* pBound = NULL;
    m_profilesByWnd.GetNextAssoc(pos, hBound, pBound);
    if (pBound == pProfile)
      return true;
  }
  for (POSITION pos = m_profilesByName.GetStartPosition(); pos != NULL;) {
    CString sName;
    void* pNamed = NULL;
    m_profilesByName.GetNextAssoc(pos, sName, pNamed);
    if (pNamed == pProfile)
      m_profilesByName.RemoveKey(sName);
  }
  delete pProfile;
  if (pbProfileRemoved != NULL)
    *pbProfileRemoved = true;
  return true;
}

LPCSTR CExtCmdManager::GetProfileNameForWindow(HWND hWnd) {
  if (hWnd == NULL)
    return NULL;
  CSingleLock lock(&m_cs, TRUE);
  for (HWND hCurrent = hWnd; hCurrent != NULL;) {
    CExtCmdProfile* pProfile = NULL;
    if (m_profilesByWnd.Lookup(hCurrent, pProfile))
      return pProfile->m_sName;
    HWND hParent = ::GetParent(hCurrent);
    hCurrent = hParent != NULL ? NextWindowUp(hParent) : NULL;
  }
  return NULL;
}

// ---------------------------------------------------------------------------------------------

CExtCmdManagerHolder::CExtCmdManagerHolder() : m_pManager(new CExtCmdManager) {}

CExtCmdManagerHolder::~CExtCmdManagerHolder() = default;

// Every toolkit window that receives a system change forwards it; the one window of its frame
// that the theme listens to (ExtIsSystemChangeRelay) passes it on, so a change reaches the icons
// once per frame.

void CExtCmdManagerHolder::OnSysColorChangeFor(CWnd* pWnd) {
  if (ExtIsSystemChangeRelay(pWnd))
    m_pManager->OnSysColorChange();
}

void CExtCmdManagerHolder::OnSettingChangeFor(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection) {
  if (ExtIsSystemChangeRelay(pWnd))
    m_pManager->OnSettingChange(uFlags, lpszSection);
}

void CExtCmdManagerHolder::OnDisplayChangeFor(CWnd* pWnd, INT nDepthBPP, INT nResolutionX, INT nResolutionY) {
  if (ExtIsSystemChangeRelay(pWnd))
    m_pManager->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
}

void CExtCmdManagerHolder::OnThemeChangedFor(CWnd* pWnd, WPARAM wParam, LPARAM lParam) {
  if (ExtIsSystemChangeRelay(pWnd))
    m_pManager->OnThemeChanged(wParam, lParam);
}
