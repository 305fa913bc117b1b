// The frame's message line (pane 0 of its status bar): prompts of menu items and commands, the
// idle text, and the standard commands and indicators a frame answers for its bars.
#include "framework/frame/fw_frame.h"

#include "framework/bars/fw_bars.h"
#include "framework/res/fw_res.h"

namespace {
// The prompt of a system command: 0xEF00 + (SC_xxx - 0xF000) / 16.
UINT PromptOfSysCommand(UINT nID) { return 0xEF00 + ((nID - 0xF000) >> 4); }
} // namespace

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
  SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  // "prompt\ntip": the prompt; nothing when the string is missing.
  CString strFull;
  if (!strFull.LoadString(nID)) {
    rMessage.Empty();
    return;
  }
  AfxExtractSubString(rMessage, strFull, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  UINT nIDLast = m_nIDLastMessage;
  m_nFlags &= ~WF_NOPOPMSG;
  CWnd* pMessageBar = GetMessageBar();
  if (pMessageBar != NULL) {
    CString strMessage;
    LPCSTR lpsz = "";
    if (lParam != 0) {
      lpsz = reinterpret_cast<LPCSTR>(lParam);
    } else if (wParam != 0) {
      GetMessageString(static_cast<UINT>(wParam), strMessage);
      lpsz = strMessage;
    }
    pMessageBar->SetWindowText(lpsz);
    // The frame that owns the bar (a floating one may not) remembers what it shows.
    CFrameWnd* pBarFrame = pMessageBar->GetParentFrame();
    if (pBarFrame != NULL && pBarFrame != this) {
      pBarFrame->m_nIDLastMessage = static_cast<UINT>(wParam);
      pBarFrame->m_nIDTracking = static_cast<UINT>(wParam);
    }
  }
  m_nIDLastMessage = static_cast<UINT>(wParam);
  m_nIDTracking = static_cast<UINT>(wParam);
  return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam) {
  if (m_nFlags & WF_NOPOPMSG)
    return 0;
  return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU) {
  CFrameWnd* pFrame = GetTopLevelFrame();
  if (pFrame == NULL)
    pFrame = this;
  if (nFlags == 0xFFFF) {
    // The menu closed: back to the idle text at once.
    m_nFlags &= ~WF_NOPOPMSG;
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
    SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
    CWnd* pBar = GetMessageBar();
    if (pBar != NULL)
      pBar->UpdateWindow();
  } else {
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
      m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
      m_nIDTracking = PromptOfSysCommand(nItemID);
    else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
      m_nIDTracking = AFX_IDS_MDICHILD;
    else
      m_nIDTracking = nItemID;
    pFrame->m_nFlags |= WF_NOPOPMSG;
  }
  // The prompt is shown by the next idle pass (or WM_ENTERIDLE while the menu runs).
  if (m_nIDTracking != m_nIDLastMessage && GetParent() != NULL)
    PostMessage(WM_KICKIDLE);
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd*) {
  if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
    return;
  SetMessageText(m_nIDTracking);
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  CControlBar* pBar = GetControlBar(nID);
  if (pBar == NULL)
    return FALSE;
  ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
  return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
  if (pBar == NULL) {
    pCmdUI->ContinueRouting();
    return;
  }
  pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
  int nVK = 0;
  switch (pCmdUI->m_nID) {
  case ID_INDICATOR_CAPS:
    nVK = VK_CAPITAL;
    break;
  case ID_INDICATOR_NUM:
    nVK = VK_NUMLOCK;
    break;
  case ID_INDICATOR_SCRL:
    nVK = VK_SCROLL;
    break;
  case ID_INDICATOR_KANA:
    nVK = VK_KANA;
    break;
  default:
    return;
  }
  pCmdUI->Enable(::GetKeyState(nVK) & 1);
}
