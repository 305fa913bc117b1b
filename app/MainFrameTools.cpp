// The main frame's tools panel: its bar, its dialog and the tool operations.
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "resources/resource.h"

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

void CMainFrame::OnToolCommand(UINT nToolId) {
  m_dlgTools.ShowToolControls((int)nToolId);
  CFramletApp& app = TheFramletApp();
  app.m_nCurrentTool = (int)nToolId;
  if (nToolId != ID_TOOL_COLOR_PICKER)
    app.m_nLastTool = (int)nToolId;
  LoadToolStyle((int)nToolId);
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
