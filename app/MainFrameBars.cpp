// The main frame's bars at work: keys through the menu bar, the View toggles, the task pages the
// editor opens, the tray commands and the profile state kept when the frame goes.
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "app/TaskSheet.h"
#include "resources/resource.h"
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

// A page the view opens starts an edit only the page can end: a task sheet the user had hidden
// comes back with it.
void CMainFrame::RevealTaskSheet() {
  if (m_wndTaskSheetBar.GetSafeHwnd() != NULL && !m_wndTaskSheetBar.IsVisible())
    ShowControlBar(&m_wndTaskSheetBar, TRUE, FALSE);
}

void CMainFrame::OpenEffectPage(int nTaskId) {
  RevealTaskSheet();
  ::OpenEffectPage(nTaskId);
}

void CMainFrame::OpenResizePage(int nTaskId, LPCSTR lpszTitle) {
  if (nTaskId != TASK_RESIZE_IMAGE && nTaskId != TASK_RESIZE_CANVAS)
    return;
  RevealTaskSheet();
  ::OpenResizePage(nTaskId);
  // As the main page's links do: the title and mode, then the operation, which opens the edit.
  m_pageResize.SetTitle(lpszTitle != NULL              ? lpszTitle
                        : nTaskId == TASK_RESIZE_IMAGE ? "Resize Image"
                                                       : "Resize Canvas");
  m_pageResize.ShowResizeOptions(nTaskId == TASK_RESIZE_IMAGE);
  m_pageResize.SetTaskId(nTaskId);
}

void CMainFrame::OpenCaptionPage() {
  RevealTaskSheet();
  ::OpenCaptionPage();
}

void CMainFrame::OnOpenApplication() { RestoreFromTray(this, FALSE); }

void CMainFrame::OnMinimizeToTray() { MinimiseToTray(this, FALSE); }
