// The bar button's hover, click, menu, command, tip and command-update handling.
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/bars/ExtToolControlBar.h"

bool CExtBarButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) { return false; }

UINT CExtBarButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) { return 0; }

void CExtBarButton::OnHover(CPoint point, bool bHover, bool& bSuppressTip) {}

void CExtBarButton::OnClick(CPoint point, bool bDown) {}

bool CExtBarButton::OnDblClick(CPoint point) { return false; }

void CExtBarButton::OnDeliverCmd() {}

INT_PTR CExtBarButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) { return -1; }

int CExtBarButton::OnHelpHitTest(CPoint point) { return -1; }

void CExtBarButton::OnUpdateCmdUI(CWnd* pTarget, bool bDisableIfNoHandler, int nIndex) {}
