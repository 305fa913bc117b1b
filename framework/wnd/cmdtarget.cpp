// Command targets: message-map lookup and command dispatch.
#include "framework/app/fw_app.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, NULL, AfxSig_end, NULL}};
  static const AFX_MSGMAP map = {NULL, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                     UINT nID) {
  for (; lpEntry->nSig != AfxSig_end; ++lpEntry) {
    UINT msg = lpEntry->pnRegistered != NULL ? *lpEntry->pnRegistered : lpEntry->nMessage;
    if (lpEntry->pnRegistered != NULL && msg == 0)
      continue; // registered id not assigned yet
    if (msg == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
      return lpEntry;
  }
  return NULL;
}

namespace {
// Calls through a stored handler; the class in the pointer type is the one the entry was
// checked against, so the conversion back keeps the object adjustment.
template <typename Sig> Sig As(AFX_PMSG pfn) { return reinterpret_cast<Sig>(pfn); }

// The wait cursor belongs to the application; without one there is none to show.
void DoWaitCursor(int nCode) {
  if (AfxGetApp() != NULL)
    AfxGetApp()->DoWaitCursor(nCode);
}
} // namespace

BOOL AfxDispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT nSig,
                       AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (pHandlerInfo != NULL) {
    pHandlerInfo->pTarget = pTarget;
    pHandlerInfo->pmf = pfn;
    return TRUE;
  }
  BOOL bResult = TRUE;
  switch (nSig) {
  case AfxSig_cmd_v:
    (pTarget->*pfn)();
    break;
  case AfxSig_cmd_b:
    bResult = (pTarget->*As<BOOL (CCmdTarget::*)()>(pfn))();
    break;
  case AfxSig_cmd_range:
    (pTarget->*As<void (CCmdTarget::*)(UINT)>(pfn))(nID);
    break;
  case AfxSig_cmd_ex:
    bResult = (pTarget->*As<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    break;
  case AfxSig_cmdui: {
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    (pTarget->*As<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
    bResult = !pCmdUI->m_bContinueRouting;
    pCmdUI->m_bContinueRouting = FALSE;
    break;
  }
  case AfxSig_notify: {
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    (pTarget->*As<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
    break;
  }
  case AfxSig_notify_b: {
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    bResult = (pTarget->*As<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
    break;
  }
  case AfxSig_notify_range: {
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    (pTarget->*As<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
    break;
  }
  case AfxSig_notify_ex: {
    AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
    bResult = (pTarget->*As<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR,
                                                                                pNotify->pResult);
    break;
  }
  default:
    bResult = FALSE;
    break;
  }
  (void)nCode;
  return bResult;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT nMsg = 0;
  UINT code = (UINT)nCode;
  if (code != CN_UPDATE_COMMAND_UI) {
    nMsg = HIWORD(code);
    code = LOWORD(code);
  }
  if (nMsg == 0)
    nMsg = WM_COMMAND;
  for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
       pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL) {
    const AFX_MSGMAP_ENTRY* lpEntry = FindMessageEntry(pMap->lpEntries, nMsg, code, nID);
    if (lpEntry != NULL)
      return AfxDispatchCmdMsg(this, nID, nCode, lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
  }
  return FALSE;
}

void CCmdTarget::BeginWaitCursor() { DoWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { DoWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { DoWaitCursor(0); }
