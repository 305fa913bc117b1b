// The main frame's bars at work: keys through the menu bar, the View toggles, the task pages the
// editor opens, the tray commands and the profile state kept when the frame goes.
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "app/TaskSheet.h"
#include "toolkit/foundation/ExtCmdManager.h"

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
  if (m_wndMenuBar.GetSafeHwnd() != NULL && m_wndMenuBar.TranslateFrameKeyboard(pMsg))
    return TRUE;
  return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMainFrame::DestroyWindow() {
  const CFramletApp& app = TheFramletApp();
  g_CmdManagerHolder->SerializeProfileState(kCommandProfile, app.m_pszRegistryKey, app.m_pszProfileName,
                                            true);
  g_CmdManagerHolder->RemoveWindow(m_hWnd, false);
  return CMDIFrameWnd::DestroyWindow();
}

BOOL CMainFrame::OnToggleBar(UINT nID) {
  return CExtControlBar::ToggleBarByCommand(this, nID) ? TRUE : FALSE;
}

void CMainFrame::OnUpdateToggleBar(CCmdUI* pCmdUI) { CExtControlBar::UpdateBarCommandUI(this, pCmdUI); }

int CMainFrame::GetTaskPageIndex() { return ::GetTaskPageIndex(); }

void CMainFrame::ShowTaskMainPage() { ::ShowTaskMainPage(); }

void CMainFrame::OpenEffectPage(int nTaskId) { ::OpenEffectPage(nTaskId); }

void CMainFrame::OpenResizePage(int nTaskId, LPCSTR lpszTitle) {
  if (lpszTitle != NULL)
    m_pageResize.SetTitle(lpszTitle);
  ::OpenResizePage(nTaskId);
}

void CMainFrame::OpenCaptionPage() { ::OpenCaptionPage(); }

void CMainFrame::OnOpenApplication() { RestoreFromTray(this, FALSE); }

void CMainFrame::OnMinimizeToTray() { MinimiseToTray(this, FALSE); }
