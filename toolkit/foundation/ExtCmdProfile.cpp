// Command profiles: the command map, icon slots, basic commands and the usage counters. The
// importers are in ExtCmdProfileImport.cpp, persistence in ExtCmdPersistence.cpp.
#include "toolkit/foundation/ExtCmdProfile.h"

#include "toolkit/foundation/ExtCmdIconSlot.h"

#include <vector>

namespace {

const UINT kHighestAllocatedId = 65534;

// Calls fn(item) for every item in the map's order; fn must not change the map.
template <class Fn> void ForEachItem(const CExtCmdProfile::CommandMap_t& cmds, Fn fn) {
  for (POSITION pos = cmds.GetStartPosition(); pos != NULL;) {
    UINT nId = 0;
    CExtCmdItem* pItem = NULL;
    cmds.GetNextAssoc(pos, nId, pItem);
    fn(pItem);
  }
}

} // namespace

CExtCmdProfile::CExtCmdProfile(LPCSTR lpszName) : m_sName(lpszName) {}

CExtCmdProfile::~CExtCmdProfile() {
  DeleteAllIcons();
  DeleteAllItems();
}

bool CExtCmdProfile::SetupCommand(const CExtCmdItem& cmdTemplate, bool bReplace, bool* pbNew) {
  if (pbNew != NULL)
    *pbNew = false;
  if ((INT)cmdTemplate.m_nCmdId < 1)
    return false;
  if (CExtCmdItem* pItem = FindCommand(cmdTemplate.m_nCmdId)) {
    if (bReplace)
      pItem->AssignNonEmpty(cmdTemplate);
    else
      pItem->FillEmptyFrom(cmdTemplate);
    return true;
  }
  CExtCmdItem* pItem = CreateItemCopy(cmdTemplate);
  pItem->m_pProfile = this;
  m_cmds.SetAt(pItem->m_nCmdId, pItem);
  if (pbNew != NULL)
    *pbNew = true;
  return true;
}

bool CExtCmdProfile::RemoveCommand(UINT nCmdId, bool* pbRemoved) {
  if (pbRemoved != NULL)
    *pbRemoved = false;
  if ((INT)nCmdId < 1)
    return false;
  CExtCmdItem* pItem = FindCommand(nCmdId);
  if (pItem == NULL)
    return true;
  const INT nIconIdx = pItem->m_nIconIdx;
  m_cmds.RemoveKey(nCmdId);
  delete pItem;
  if (pbRemoved != NULL)
    *pbRemoved = true;
  if (nIconIdx >= 0 && nIconIdx < m_icons.GetSize())
    RemoveIconSlot(nIconIdx);
  return true;
}

void CExtCmdProfile::RemoveAllCommands() {
  DeleteAllIcons();
  DeleteAllItems();
}

void CExtCmdProfile::RemoveCommandsByState(DWORD dwMask1, DWORD dwMask2, bool bAllOf1, bool bAllOf2) {
  std::vector<UINT> ids;
  for (POSITION pos = m_cmds.GetStartPosition(); pos != NULL;) {
    UINT nId = 0;
    CExtCmdItem* pItem = NULL;
    m_cmds.GetNextAssoc(pos, nId, pItem);
    const DWORD m1 = pItem->m_dwStateFlags & dwMask1, m2 = pItem->m_dwStateFlags2 & dwMask2;
    if ((m1 == 0 && m2 == 0) || (bAllOf1 && m1 != dwMask1) || (bAllOf2 && m2 != dwMask2))
      continue;
    ids.push_back(nId);
  }
  for (UINT nId : ids)
    RemoveCommand(nId);
}

CExtCmdItem* CExtCmdProfile::AllocCommand(UINT nCmdId) {
  if (nCmdId != 0) {
    if (IsCommandRegistered(nCmdId))
      return NULL;
  } else {
    for (nCmdId = kHighestAllocatedId; nCmdId >= 1 && IsCommandRegistered(nCmdId); --nCmdId) {
    }
    if (nCmdId == 0)
      return NULL;
  }
  if (!SetupCommand(CExtCmdItem(nCmdId)))
    return NULL;
  return FindCommand(nCmdId);
}

CExtCmdItem* CExtCmdProfile::FindCommand(UINT nCmdId) const {
  CExtCmdItem* pItem = NULL;
  if ((INT)nCmdId < 1 || !m_cmds.Lookup(nCmdId, pItem))
    return NULL;
  return pItem;
}

bool CExtCmdProfile::SetCommandIcon(UINT nCmdId, const CExtCmdIcon* pIcon, bool bAttach) {
  if ((INT)nCmdId < 1)
    return false;
  if (pIcon != NULL && ExtCmdIconSlot::IsEmpty(pIcon)) {
    if (bAttach)
      ExtCmdIconSlot::Delete(const_cast<CExtCmdIcon*>(pIcon));
    pIcon = NULL;
  }
  CExtCmdItem* pItem = FindCommand(nCmdId);
  if (pItem == NULL)
    return false;
  const bool bHasIcon = pItem->m_nIconIdx >= 0 && pItem->m_nIconIdx < m_icons.GetSize();
  if (pIcon == NULL) {
    if (bHasIcon)
      RemoveIconSlot(pItem->m_nIconIdx);
    pItem->m_nIconIdx = -1;
    return true;
  }
  if (!bHasIcon) {
    AppendIcon(pItem, bAttach ? const_cast<CExtCmdIcon*>(pIcon) : ExtCmdIconSlot::Copy(*pIcon));
    return true;
  }
  CExtCmdIcon*& rSlot = m_icons.ElementAt(pItem->m_nIconIdx);
  if (bAttach) {
    ExtCmdIconSlot::Delete(rSlot);
    rSlot = const_cast<CExtCmdIcon*>(pIcon);
  } else {
    ExtCmdIconSlot::Assign(*rSlot, *pIcon);
  }
  return true;
}

CExtCmdIcon* CExtCmdProfile::GetCommandIcon(UINT nCmdId) const {
  const CExtCmdItem* pItem = FindCommand(nCmdId);
  if (pItem == NULL || pItem->m_nIconIdx < 0 || pItem->m_nIconIdx >= m_icons.GetSize())
    return NULL;
  return m_icons[pItem->m_nIconIdx];
}

bool CExtCmdProfile::IsCommandRegistered(UINT nCmdId) const { return FindCommand(nCmdId) != NULL; }

bool CExtCmdProfile::SetBasicCommands(const UINT* pCmdIds, bool bOn) {
  if (pCmdIds == NULL)
    return false;
  bool bResult = true;
  for (; *pCmdIds != 0; ++pCmdIds) {
    if (BasicCommandIdRanges::IsSystemCommand(*pCmdIds)) {
      bResult = false;
      continue;
    }
    CExtCmdItem* pItem = FindCommand(*pCmdIds);
    if (pItem == NULL) {
      bResult = false;
      continue;
    }
    pItem->SetBasic(bOn);
  }
  return bResult;
}

void CExtCmdProfile::OnSysColorChange() {
  ForEachItem(m_cmds, [&](CExtCmdItem* pItem) { pItem->OnSysColorChange(); });
}

void CExtCmdProfile::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  ForEachItem(m_cmds, [&](CExtCmdItem* pItem) { pItem->OnSettingChange(uFlags, lpszSection); });
}

void CExtCmdProfile::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY) {
  ForEachItem(m_cmds,
              [&](CExtCmdItem* pItem) { pItem->OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY); });
}

void CExtCmdProfile::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  ForEachItem(m_cmds, [&](CExtCmdItem* pItem) { pItem->OnThemeChanged(wParam, lParam); });
}

void CExtCmdProfile::ResetUsage() {
  ForEachItem(m_cmds, [&](CExtCmdItem* pItem) { pItem->ResetUsage(); });
  m_nTotalTickCount = 0;
}

void CExtCmdProfile::AssignFrom(const CExtCmdProfile& other) {
  if (&other == this)
    return;
  m_sName = other.m_sName;
  m_nRarelyUsedPercent = other.m_nRarelyUsedPercent;
  m_nTotalTickCount = other.m_nTotalTickCount;
  m_dwSpare = other.m_dwSpare;
  DeleteAllItems();
  for (POSITION pos = other.m_cmds.GetStartPosition(); pos != NULL;) {
    UINT nId = 0;
    CExtCmdItem* pSource = NULL;
    other.m_cmds.GetNextAssoc(pos, nId, pSource);
    CExtCmdItem* pItem = CreateItemCopy(*pSource);
    pItem->m_pProfile = this;
    m_cmds.SetAt(nId, pItem);
  }
  DeleteAllIcons();
  for (INT_PTR i = 0; i < other.m_icons.GetSize(); ++i)
    m_icons.Add(ExtCmdIconSlot::Copy(*other.m_icons[i]));
}

CExtCmdItem* CExtCmdProfile::CreateItemCopy(const CExtCmdItem& cmdTemplate) {
  return new CExtCmdItem(cmdTemplate);
}

bool CExtCmdProfile::SetIconFromHandle(UINT nCmdId, HICON hIcon, bool bCopy) {
  if (hIcon == NULL)
    return SetCommandIcon(nCmdId, NULL, false);
  ExtCmdIconSlot::Ptr pIcon(ExtCmdIconSlot::FromHIcon(hIcon, bCopy));
  return SetCommandIcon(nCmdId, pIcon.get(), false);
}

void CExtCmdProfile::RemoveIconSlot(INT nIconIdx) {
  ExtCmdIconSlot::Delete(m_icons[nIconIdx]);
  m_icons.RemoveAt(nIconIdx);
  ForEachItem(m_cmds, [&](CExtCmdItem* pItem) {
    if (pItem->m_nIconIdx >= nIconIdx)
      --pItem->m_nIconIdx;
  });
}

void CExtCmdProfile::AppendIcon(CExtCmdItem* pItem, CExtCmdIcon* pIcon) {
  pItem->m_nIconIdx = (INT)m_icons.Add(pIcon);
}

void CExtCmdProfile::DeleteAllIcons() {
  for (INT_PTR i = 0; i < m_icons.GetSize(); ++i)
    ExtCmdIconSlot::Delete(m_icons[i]);
  m_icons.RemoveAll();
}

void CExtCmdProfile::DeleteAllItems() {
  ForEachItem(m_cmds, [&](CExtCmdItem* pItem) { delete pItem; });
  m_cmds.RemoveAll();
}
