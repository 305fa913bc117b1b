#include "toolkit/foundation/ExtCmdItem.h"

#include "framework/core/fw_core.h"
#include "toolkit/foundation/ExtCmdIconSlot.h"
#include "toolkit/foundation/ExtCmdProfile.h"

namespace {

// Totals at or above this are halved before they can wrap.
const UINT kUsageHalvingLimit = 0xFFFFFFFE;

} // namespace

CExtCmdItem::CExtCmdItem(UINT nCmdId) : m_nCmdId(nCmdId) {}

CExtCmdItem::CExtCmdItem(const CExtCmdItem& other) : m_nCmdId(0) { AssignAll(other); }

CExtCmdItem::~CExtCmdItem() = default;

void CExtCmdItem::AssignAll(const CExtCmdItem& other) {
  if (&other == this)
    return;
  m_pProfile = other.m_pProfile;
  m_nCmdId = other.m_nCmdId;
  m_dwStateFlags = other.m_dwStateFlags;
  m_dwStateFlags2 = other.m_dwStateFlags2;
  m_nIconIdx = other.m_nIconIdx;
  m_sMenuText = other.m_sMenuText;
  m_sToolbarText = other.m_sToolbarText;
  m_sTipTool = other.m_sTipTool;
  m_sTipStatus = other.m_sTipStatus;
  m_sAccelText = other.m_sAccelText;
  m_nUsageTickCount = other.m_nUsageTickCount;
  m_nParam1 = other.m_nParam1;
  m_nParam2 = other.m_nParam2;
  m_nParam3 = other.m_nParam3;
  m_nParam4 = other.m_nParam4;
}

void CExtCmdItem::AssignNonEmpty(const CExtCmdItem& other) {
  if (other.m_nIconIdx >= 0)
    m_nIconIdx = other.m_nIconIdx;
  CString CExtCmdItem::*const texts[] = {&CExtCmdItem::m_sMenuText, &CExtCmdItem::m_sToolbarText,
                                         &CExtCmdItem::m_sTipTool, &CExtCmdItem::m_sTipStatus,
                                         &CExtCmdItem::m_sAccelText};
  for (CString CExtCmdItem::*pText : texts)
    if (!(other.*pText).IsEmpty())
      this->*pText = other.*pText;
}

void CExtCmdItem::HalveUsageIfFull() {
  if (m_pProfile == NULL || m_pProfile->m_nTotalTickCount < kUsageHalvingLimit)
    return;
  m_pProfile->m_nTotalTickCount >>= 1;
  const CExtCmdProfile::CommandMap_t& cmds = m_pProfile->GetCommands();
  for (POSITION pos = cmds.GetStartPosition(); pos != NULL;) {
    UINT nId = 0;
    CExtCmdItem* pItem = NULL;
    cmds.GetNextAssoc(pos, nId, pItem);
    pItem->m_nUsageTickCount >>= 1;
  }
}

void CExtCmdItem::ClearTips() {
  m_sTipTool.Empty();
  m_sTipStatus.Empty();
}

bool CExtCmdItem::LoadTextsFromResource() {
  ClearTips();
  if (m_nCmdId == 0 || (INT)m_nCmdId < 0)
    return false;
  CString sText;
  if (!sText.LoadString(AfxGetResourceHandle(), m_nCmdId))
    return false;
  sText.Replace('\t', ' ');
  sText.Remove('\r');
  sText.Trim();
  if (sText.IsEmpty())
    return false;
  const int nLineFeed = sText.Find('\n');
  if (nLineFeed < 0) {
    m_sTipStatus = sText;
    return true;
  }
  m_sTipTool = sText.Mid(nLineFeed + 1);
  m_sTipTool.Trim();
  m_sTipStatus = sText.Left(nLineFeed);
  m_sTipStatus.Trim();
  return true;
}

void CExtCmdItem::FillEmptyFrom(const CExtCmdItem& other) {
  if (m_nIconIdx < 0)
    m_nIconIdx = other.m_nIconIdx;
  if (m_sMenuText.IsEmpty())
    m_sMenuText = other.m_sMenuText;
  if (m_sTipTool.IsEmpty())
    m_sTipTool = other.m_sTipTool;
  if (m_sTipStatus.IsEmpty())
    m_sTipStatus = other.m_sTipStatus;
  if (m_sAccelText.IsEmpty())
    m_sAccelText = other.m_sAccelText;
}

void CExtCmdItem::SetBasic(bool bOn) { SetFlag(CMD_STATE_BASIC, bOn); }

bool CExtCmdItem::IsBasic() const {
  return HasFlag(CMD_STATE_BASIC) || BasicCommandIdRanges::Contains(m_nCmdId);
}

bool CExtCmdItem::IsRarelyUsed() const {
  if (IsBasic() || m_pProfile == NULL)
    return false;
  return GetUsagePercent() < GetRarelyUsedPercent();
}

void CExtCmdItem::SetStateBit20(bool bOn) { SetFlag(CMD_STATE_USAGE_NOT_TRACKED, bOn); }

bool CExtCmdItem::GetStateBit20() const {
  return !BasicCommandIdRanges::Contains(m_nCmdId) && HasFlag(CMD_STATE_USAGE_NOT_TRACKED);
}

void CExtCmdItem::Enable(bool bOn) { SetFlag(CMD_STATE_DISABLED, !bOn); }
bool CExtCmdItem::IsEnabled() const { return !HasFlag(CMD_STATE_DISABLED); }
void CExtCmdItem::SetCheck(bool bOn) { SetCheckKind(CMD_STATE_CHECK, bOn); }
bool CExtCmdItem::GetCheck() const { return HasFlag(CMD_STATE_CHECK); }
void CExtCmdItem::SetRadio(bool bOn) { SetCheckKind(CMD_STATE_RADIO, bOn); }
bool CExtCmdItem::GetRadio() const { return HasFlag(CMD_STATE_RADIO); }
void CExtCmdItem::SetIndeterminate(bool bOn) { SetCheckKind(CMD_STATE_INDETERMINATE, bOn); }
bool CExtCmdItem::GetIndeterminate() const { return HasFlag(CMD_STATE_INDETERMINATE); }

void CExtCmdItem::SetStateBit2nd(bool bOn) {
  if (bOn)
    m_dwStateFlags2 |= 1;
  else
    m_dwStateFlags2 &= ~1UL;
}

bool CExtCmdItem::GetStateBit2nd() const { return (m_dwStateFlags2 & 1) != 0; }

bool CExtCmdItem::UpdateCmdUI(CCmdTarget* pTarget, UINT nIndex) {
  if (BasicCommandIdRanges::IsSystemCommand(m_nCmdId) || BasicCommandIdRanges::IsMdiWindowList(m_nCmdId)) {
    Enable(true);
    return true;
  }
  if (pTarget == NULL)
    return false;
  CExtCmdItemUI cmdUI(this);
  cmdUI.m_nID = m_nCmdId;
  cmdUI.m_nIndex = nIndex;
  cmdUI.m_nIndexMax = 0;
  return cmdUI.DoUpdate(pTarget, TRUE) != FALSE;
}

bool CExtCmdItem::DeliverToOwnerOf(CWnd* pWnd, bool bSend) {
  if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
    return false;
  CWnd* pOwner = pWnd->GetOwner();
  return DeliverToWindow(pOwner != NULL ? pOwner->m_hWnd : NULL, bSend);
}

bool CExtCmdItem::DeliverTo(CWnd* pWnd, bool bSend) {
  return DeliverToWindow(pWnd != NULL ? pWnd->m_hWnd : NULL, bSend);
}

bool CExtCmdItem::DeliverToWindow(HWND hWnd, bool bSend) {
  if (hWnd == NULL)
    return false;
  IncrementUsage();
  UINT nMessage = WM_COMMAND;
  LPARAM lParam = 0;
  if (BasicCommandIdRanges::IsSystemCommand(m_nCmdId)) {
    POINT pt = {0, 0};
    ::GetCursorPos(&pt);
    nMessage = WM_SYSCOMMAND;
    lParam = MAKELPARAM(pt.x, pt.y);
  }
  if (bSend)
    return ::SendMessageA(hWnd, nMessage, m_nCmdId, lParam) != 0;
  return ::PostMessageA(hWnd, nMessage, m_nCmdId, lParam) != FALSE;
}

UINT CExtCmdItem::GetUsage() const { return m_nUsageTickCount; }

UINT CExtCmdItem::GetUsagePercent() const {
  const UINT nTotal = GetProfileTotalUsage();
  if (nTotal == 0)
    return 0;
  // Counters above 42,949,672 would wrap a 32-bit product.
  return (UINT)((ULONGLONG)m_nUsageTickCount * 100 / nTotal);
}

void CExtCmdItem::IncrementUsage() {
  if (IsUsageFrozen())
    return;
  ++m_nUsageTickCount;
  if (m_pProfile != NULL)
    ++m_pProfile->m_nTotalTickCount;
  HalveUsageIfFull();
}

void CExtCmdItem::ResetUsage() {
  if (!IsUsageFrozen())
    m_nUsageTickCount = 0;
}

UINT CExtCmdItem::GetProfileTotalUsage() const {
  return m_pProfile != NULL ? m_pProfile->m_nTotalTickCount : 0;
}

UINT CExtCmdItem::GetRarelyUsedPercent() const {
  return m_pProfile != NULL ? m_pProfile->m_nRarelyUsedPercent : 0;
}

UINT CExtCmdItem::SetRarelyUsedPercent(UINT nPercent) {
  if (nPercent > 100)
    nPercent = 100;
  if (m_pProfile != NULL)
    m_pProfile->m_nRarelyUsedPercent = nPercent;
  return nPercent;
}

void CExtCmdItem::OnSysColorChange() {
  if (CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdId) : NULL)
    ExtCmdIconSlot::OnSysColorChange(*pIcon);
}

void CExtCmdItem::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  if (CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdId) : NULL)
    ExtCmdIconSlot::OnSettingChange(*pIcon, uFlags, lpszSection);
}

void CExtCmdItem::OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY) {
  if (CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdId) : NULL)
    ExtCmdIconSlot::OnDisplayChange(*pIcon, nDepthBPP, nResolutionX, nResolutionY);
}

void CExtCmdItem::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  if (CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdId) : NULL)
    ExtCmdIconSlot::OnThemeChanged(*pIcon, wParam, lParam);
}

CString CExtCmdItem::GetDisplayTextCopy() const { return GetDisplayText(); }

LPCSTR CExtCmdItem::GetDisplayText() const {
  if (!m_sMenuText.IsEmpty())
    return m_sMenuText;
  if (!m_sTipTool.IsEmpty())
    return m_sTipTool;
  return m_sToolbarText;
}

CString CExtCmdItem::GetStatusTipCopy() const { return m_sTipStatus; }

bool CExtCmdItem::IsUsageSaved() const {
  if (IsBasic() || GetStateBit20() || GetStateBit40() || BasicCommandIdRanges::IsSystemCommand(m_nCmdId))
    return false;
  return m_nUsageTickCount != 0;
}

void CExtCmdItem::SetFlag(DWORD dwMask, bool bOn) {
  if (bOn)
    m_dwStateFlags |= dwMask;
  else
    m_dwStateFlags &= ~dwMask;
}

void CExtCmdItem::SetGroup400(DWORD dwKind, bool bOn) {
  m_dwStateFlags &= ~(DWORD)CMD_STATE_GROUP_400;
  if (bOn)
    m_dwStateFlags |= dwKind;
}

void CExtCmdItem::SetCheckKind(DWORD dwKind, bool bOn) {
  m_dwStateFlags &= ~(DWORD)CMD_STATE_CHECK_KINDS;
  if (bOn)
    m_dwStateFlags |= dwKind;
}

// ---------------------------------------------------------------------------------------------

void CExtCmdItemUI::Enable(BOOL bOn) {
  m_pCmdItem->Enable(bOn != FALSE);
  m_bEnableChanged = TRUE;
}

void CExtCmdItemUI::SetCheck(int nCheck) {
  if (nCheck == 0 || nCheck == 1)
    m_pCmdItem->SetCheck(nCheck == 1);
  else
    m_pCmdItem->SetIndeterminate(true);
}

void CExtCmdItemUI::SetRadio(BOOL bOn) { m_pCmdItem->SetRadio(bOn != FALSE); }

void CExtCmdItemUI::SetText(LPCSTR lpszText) { m_pCmdItem->m_sMenuText = lpszText != NULL ? lpszText : ""; }
