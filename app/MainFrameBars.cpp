// The main frame's bars at work: keys through the menu bar, the View toggles, the task pages the
// editor opens, the tray commands and the profile state kept when the frame goes.
#include "app/MainFrame.h"
#include "framework/app/fw_app.h"
#include "toolkit/foundation/ExtCmdManager.h"

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
  if (m_wndMenuBar.GetSafeHwnd() != NULL && m_wndMenuBar.TranslateFrameKeyboard(pMsg))
    return TRUE;
  return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::DestroyWindow() {
  CWinApp* pApp = AfxGetApp();
  g_CmdManagerHolder->SerializeProfileState(kCommandProfile, pApp->m_pszRegistryKey, pApp->m_pszProfileName,
                                            true);
  g_CmdManagerHolder->RemoveWindow(m_hWnd, false);
  return CMDIFrameWnd::DestroyWindow();
}

BOOL CMainFrame::OnToggleBar(UINT nID) {
  return CExtControlBar::ToggleBarByCommand(this, nID) ? TRUE : FALSE;
}

void CMainFrame::OnUpdateToggleBar(CCmdUI* pCmdUI) { CExtControlBar::UpdateBarCommandUI(this, pCmdUI); }

// The task pages live on the task sheet; until it is docked here the editor's requests go nowhere.
int CMainFrame::GetTaskPageIndex() { return 0; }
void CMainFrame::ShowTaskMainPage() {}
void CMainFrame::OpenEffectPage(int) {}
void CMainFrame::OpenResizePage(int, LPCSTR) {}
void CMainFrame::OpenCaptionPage() {}

void CMainFrame::OnOpenApplication() {
  // The frame comes back from the notification area here.
}

void CMainFrame::OnMinimizeToTray() {
  // The frame goes to the notification area here.
}
