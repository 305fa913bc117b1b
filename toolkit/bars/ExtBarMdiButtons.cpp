// The MDI document and right buttons of the menu bar.
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtMenuControlBar.h"

IMPLEMENT_DYNCREATE(CExtBarMdiDocButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtBarMdiRightButton, CExtBarMdiDocButton)

CExtBarMdiDocButton::CExtBarMdiDocButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : CExtBarButton(pBar, nCmdID, nStyle), m_hWndActiveMdiChild(NULL), m_nDocFlags(DF_DBLCLK_CLOSES) {}

CExtBarMdiRightButton::CExtBarMdiRightButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : CExtBarMdiDocButton(pBar, nCmdID, nStyle) {}

UINT CExtBarMdiDocButton::GetStyle() const { return 0; }

void CExtBarMdiDocButton::SetStyle(UINT nStyle) {}

void CExtBarMdiDocButton::ModifyStyle(UINT nAdd, UINT nRemove) {}

CSize CExtBarMdiDocButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) { return CSize(); }

bool CExtBarMdiDocButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) { return false; }

CExtCmdIcon* CExtBarMdiDocButton::GetIconPtr() { return NULL; }

CWnd* CExtBarMdiDocButton::GetCmdTargetWnd() { return NULL; }

UINT CExtBarMdiDocButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) { return 0; }

bool CExtBarMdiDocButton::OnDblClick(CPoint point) { return false; }

void CExtBarMdiDocButton::QueryChildIcon(HWND hWndChild, CExtCmdIcon& icon) {}

HWND CExtBarMdiDocButton::GetActiveMdiChild() const { return NULL; }

void CExtBarMdiDocButton::SetActiveMdiChild(HWND hWnd) {}

CExtMenuControlBar* CExtBarMdiDocButton::GetMenuBar() const { return NULL; }

CSize CExtBarMdiRightButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) { return CSize(); }

bool CExtBarMdiRightButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) { return false; }

void CExtBarMdiRightButton::Paint(CDC& dc, bool bHorz) {}

UINT CExtBarMdiRightButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) { return 0; }

void CExtBarMdiRightButton::OnClick(CPoint point, bool bDown) {}

INT_PTR CExtBarMdiRightButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) { return -1; }

int CExtBarMdiRightButton::OnHelpHitTest(CPoint point) { return -1; }

void CExtBarMdiRightButton::CalcButtonRects(MdiRightButtonsInfo& info, const RECT& rcGroup, bool bHorz) {}

UINT CExtBarMdiRightButton::HitTestBox(CPoint point, MdiRightButtonsInfo& info) { return 0; }
