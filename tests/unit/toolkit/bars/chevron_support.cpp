#include "tests/unit/toolkit/bars/chevron_support.h"

#include "tests/common/window_support.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <chrono>

LRESULT CChevronTestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CExtControlBar::g_nMsgConstructPopupMenu) {
    auto* pData = reinterpret_cast<CExtControlBar::POPUP_MENU_EVENT_DATA*>(wParam);
    if ((pData->m_bFlags & 1) == 0)
      m_events.push_back(pData->m_nEventCode);
    return 0;
  }
  if (message != CExtPopupMenuWnd::g_nMsgPrepareMenu)
    return CFrameWnd::WindowProc(message, wParam, lParam);
  ++m_nPrepared;
  auto* pData = reinterpret_cast<CExtPopupMenuWnd::MsgPrepareMenuData_t*>(wParam);
  CExtPopupMenuWnd* pMenu = pData->m_pPopup;
  m_ids.clear(), m_texts.clear(), m_subItems.clear();
  for (int i = 0; i < pMenu->GetItemCount(); i++) {
    m_ids.push_back(pMenu->ItemGetCmdID(i));
    m_texts.push_back(static_cast<LPCSTR>(pMenu->ItemGetText(i)));
    m_subItems.push_back(pMenu->ItemGetPopup(i) != NULL ? pMenu->ItemGetPopup(i)->GetItemCount() : -1);
  }
  if (m_bVetoesMenu)
    pData->m_nFlags |= CExtPopupMenuWnd::MsgPrepareMenuData_t::PREPARE_CANCEL;
  return 0;
}

CChevronTestFrame* CreateChevronFrame() {
  auto* pFrame = new CChevronTestFrame;
  if (!pFrame->Create(NULL, "chevron lab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(40, 40, 680, 520))) {
    delete pFrame;
    return NULL;
  }
  CExtControlBar::FrameEnableDocking(pFrame);
  g_CmdManagerHolder->SetupProfile("chevron-lab", pFrame->m_hWnd);
  pFrame->ShowWindow(SW_SHOW);
  PumpPending();
  return pFrame;
}

void DestroyChevronFrame(CChevronTestFrame* pFrame) {
  CExtPopupMenuWnd::CancelAllTracking();
  PumpPending();
  if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd)) {
    g_CmdManagerHolder->RemoveWindow(pFrame->m_hWnd, true, NULL);
    pFrame->DestroyWindow(); // the frame deletes itself
  }
  PumpPending();
}

bool CListedButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) {
  const UINT nId = GetCmdID(false);
  return nId == 0 ? pPopup->InsertItem(0, -1) : pPopup->InsertOwnItem(nId, -1, "cmd", NULL, CExtCmdIcon());
}
