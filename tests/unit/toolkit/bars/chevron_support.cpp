#include "tests/unit/toolkit/bars/chevron_support.h"

#include "tests/common/window_support.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <chrono>

LRESULT CChevronTestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CExtControlBar::g_nMsgConstructPopupMenu) {
    auto* pData = reinterpret_cast<CExtControlBar::POPUP_MENU_EVENT_DATA*>(wParam);
    const bool bPost = (pData->m_bFlags & 1) != 0;
    m_events.emplace_back(pData->m_nEventCode, bPost ? 1 : 0);
    if (bPost || m_buildsMenuFor.count(pData->m_nEventCode) == 0)
      return 0;
    pData->m_pPopupMenu->InsertOwnItem(kOwnItemId, -1, "own", NULL, CExtCmdIcon());
    return 1;
  }
  if (message == CExtPopupMenuWnd::g_nMsgPrepareMenu) {
    ++m_nPrepared;
    auto* pData = reinterpret_cast<CExtPopupMenuWnd::MsgPrepareMenuData_t*>(wParam);
    CExtPopupMenuWnd* pMenu = pData->m_pPopup;
    m_shot.clear();
    for (int i = 0; i < pMenu->GetItemCount(); i++) {
      const CExtPopupMenuWnd* pSub = pMenu->ItemGetPopup(i);
      m_shot.push_back({pMenu->ItemGetCmdID(i), static_cast<LPCSTR>(pMenu->ItemGetText(i)),
                        pSub != NULL ? pSub->GetItemCount() : -1});
    }
    if (m_bVetoesMenu)
      pData->m_nFlags |= CExtPopupMenuWnd::MsgPrepareMenuData_t::PREPARE_CANCEL;
    return 0;
  }
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

CChevronTestFrame* CreateChevronFrame() {
  auto* pFrame = new CChevronTestFrame;
  if (!pFrame->Create(NULL, "chevron lab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(40, 40, 680, 520))) {
    delete pFrame;
    return NULL;
  }
  if (!CExtControlBar::FrameEnableDocking(pFrame) ||
      !g_CmdManagerHolder->SetupProfile("chevron-lab", pFrame->m_hWnd)) {
    DestroyChevronFrame(pFrame);
    return NULL;
  }
  pFrame->ShowWindow(SW_SHOW);
  pFrame->UpdateWindow();
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
  if (nId == 0)
    return pPopup->InsertItem(0, -1);
  CString sText;
  sText.Format("cmd %u", nId);
  return pPopup->InsertOwnItem(nId, -1, sText, NULL, CExtCmdIcon());
}

bool WaitUntil(const std::function<bool()>& pred) {
  auto tEnd = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (;;) {
    PumpPending();
    if (pred())
      return true;
    if (std::chrono::steady_clock::now() > tEnd)
      return pred();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
}
