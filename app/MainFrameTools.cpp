// The main frame's tools panel: its bar, its dialog and the tool operations.
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "editor/StampCalloutDlg.h"
#include "resources/resource.h"

#include <algorithm>

BOOL CMainFrame::CreateToolsPanel() {
  m_wndToolsBar.m_sizeDockedH = CSize(400, 200);
  m_wndToolsBar.m_sizeDockedV = CSize(200, 400);
  if (!m_wndToolsBar.Create(NULL, this, ID_VIEW_TOOLS_PANEL,
                            WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT |
                                CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_HIDE_INPLACE | CBRS_SIZE_DYNAMIC) ||
      !m_dlgTools.CreateInBar(&m_wndToolsBar) || !m_dlgTools.SetUpControls(this))
    return FALSE;
  m_wndToolsBar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
  DockControlBar(&m_wndToolsBar);
  return TRUE;
}

void CMainFrame::ShowToolsPanelStartState() {
  m_dlgTools.ShowToolControls(ID_TOOL_SHAPES);
  CFramletApp& app = TheFramletApp();
  app.m_nCurrentTool = app.m_nLastTool = ID_TOOL_SHAPES;
  LoadToolStyle(ID_TOOL_SHAPES);
  app.m_nCurrentTool = ID_TOOL_RECT_FRAMED;
}

void CMainFrame::SelectTool(int nTool) {
  if (nTool >= ID_TOOL_POINTER && nTool <= ID_TOOL_HIGHLIGHTER)
    OnToolCommand((UINT)nTool);
  else
    TheFramletApp().m_nCurrentTool = nTool;
  if (CToolButton* pButton = m_dlgTools.GetToolButton(PositionOfTool(nTool)))
    m_hCurrentToolButton = pButton->m_hWnd;
  m_dlgTools.RepaintToolButtons();
}

// A sub-tool keeps its group's style, already shown, and the last tool, which the colour picker
// goes back to.
void CMainFrame::OnSubToolCommand(UINT nID) {
  if (PositionOfTool((int)nID) >= 0) // the style controls' ids lie between the sub-tools'
    TheFramletApp().m_nCurrentTool = (int)nID;
}

void CMainFrame::OnToolCommand(UINT nToolId) {
  m_dlgTools.ShowToolControls((int)nToolId);
  CFramletApp& app = TheFramletApp();
  app.m_nCurrentTool = (int)nToolId;
  if (nToolId != ID_TOOL_COLOR_PICKER)
    app.m_nLastTool = (int)nToolId;
  LoadToolStyle((int)nToolId);
  if (nToolId == ID_TOOL_STAMP || nToolId == ID_TOOL_CALLOUT)
    ChooseStampOrCallout();
}

void CMainFrame::LoadToolStyle(int nToolId) {
  // Only the main tools pick a record here; a sub-tool's group is already the one shown.
  const int nGroup =
      nToolId >= ID_TOOL_SELECT_REGION && nToolId <= ID_TOOL_HIGHLIGHTER ? StyleGroupOfTool(nToolId) : -1;
  if (nGroup >= 0)
    m_dlgTools.m_style = TheFramletApp().m_styles[nGroup];
  if (m_dlgTools.GetSafeHwnd() != NULL)
    m_dlgTools.RefreshStyleControls();
}

void CMainFrame::ChooseStampOrCallout() {
  CFramletApp& app = TheFramletApp();
  const bool bStamp = app.m_nCurrentTool == ID_TOOL_STAMP;
  char szPath[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
  CString strFolder(szPath);
  strFolder = strFolder.Left(std::max(strFolder.ReverseFind('\\'), 0));
  CStampCalloutDlg dlg;
  dlg.m_strFolder = strFolder + (bStamp ? "\\stamps" : "\\callouts");
  dlg.SetKind(bStamp ? CThumbsListCtrl::kStamps : CThumbsListCtrl::kCallouts);
  dlg.m_ptPos = CPoint(111, 111);
  if (CWnd* pButton = m_dlgTools.GetSafeHwnd() != NULL ? m_dlgTools.GetDlgItem(app.m_nCurrentTool) : NULL) {
    CRect rcButton;
    pButton->GetWindowRect(&rcButton);
    dlg.m_ptPos = CPoint(rcButton.right - 24, rcButton.bottom);
  }
  if (dlg.DoModal() == IDOK)
    app.m_strStampFile = dlg.m_strChosen;
}
