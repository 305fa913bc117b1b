#include "toolkit/controls/ExtEditBase.h"

IMPLEMENT_DYNCREATE(CExtEditBase, CEdit)

BEGIN_MESSAGE_MAP(CExtEditBase, CEdit)
ON_WM_CONTEXTMENU()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

const UINT CExtEditBase::g_arrStdCommands[8] = {
    ID_EDIT_UNDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, 0, ID_EDIT_SELECT_ALL};

CExtEditBase::CExtEditBase()
    : m_nEditFlags(EDIT_STD_COMMANDS), m_clrBack((COLORREF)-1), m_clrBackBrush((COLORREF)-1),
      m_clrText((COLORREF)-1) {
  EnableToolTips(TRUE);
}

CExtEditBase::~CExtEditBase() = default;

void CExtEditBase::SetTooltipText(LPCSTR, BOOL) {}
void CExtEditBase::ActivateTooltip(BOOL) {}
int CExtEditBase::GetTipMaxWidth() const { return 250; }
BOOL CExtEditBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
INT_PTR CExtEditBase::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  return CEdit::OnToolHitTest(point, pTI);
}
BOOL CExtEditBase::PreTranslateMessage(MSG* pMsg) { return CEdit::PreTranslateMessage(pMsg); }
HBRUSH CExtEditBase::ThemedCtlColor(CWnd*, CDC*, UINT, COLORREF, COLORREF, bool, COLORREF&, CBrush&) {
  return NULL;
}
LRESULT CExtEditBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CEdit::WindowProc(message, wParam, lParam);
}
bool CExtEditBase::TrackStdContextMenu(CPoint) { return false; }
bool CExtEditBase::QueryStdCommand(UINT, bool&) const { return false; }
void CExtEditBase::ExecuteStdCommand(UINT) {}
void CExtEditBase::OnContextMenu(CWnd*, CPoint) { Default(); }
HBRUSH CExtEditBase::CtlColor(CDC*, UINT) { return NULL; }
