#include "toolkit/controls/ExtControlTip.h"

#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <cstdlib>
#include <cstring>

namespace ExtControlTip {

namespace {

bool EnsureCreated(CWnd* pCtrl, CToolTipCtrl& wndToolTip) {
  if (wndToolTip.GetSafeHwnd() != NULL)
    return true;
  if (pCtrl->GetSafeHwnd() == NULL || !wndToolTip.Create(pCtrl))
    return false;
  wndToolTip.Activate(FALSE);
  return true;
}

} // namespace

bool SetText(CWnd* pCtrl, CToolTipCtrl& wndToolTip, LPCSTR lpszText, int nMaxWidth, BOOL bActivate) {
  if (lpszText == NULL || *lpszText == '\0' || !EnsureCreated(pCtrl, wndToolTip))
    return false;
  if (wndToolTip.GetToolCount() == 0) {
    CRect rcClient;
    pCtrl->GetClientRect(&rcClient);
    if (!wndToolTip.AddTool(pCtrl, lpszText, &rcClient, 1))
      return false;
  }
  wndToolTip.UpdateTipText(lpszText, pCtrl, 1);
  wndToolTip.SetMaxTipWidth(-1);
  // Only a tip with line breaks wraps; a one-line tip keeps its natural width.
  if (std::strchr(lpszText, '\r') != NULL)
    wndToolTip.SetMaxTipWidth(nMaxWidth);
  wndToolTip.Activate(bActivate);
  return true;
}

void Activate(CToolTipCtrl& wndToolTip, BOOL bActivate) {
  if (wndToolTip.GetSafeHwnd() != NULL && wndToolTip.GetToolCount() > 0)
    wndToolTip.Activate(bActivate);
}

void Relay(CWnd* pCtrl, CToolTipCtrl& wndToolTip, MSG* pMsg) {
  if (CExtPopupMenuWnd::AnyMenuTracked() || !EnsureCreated(pCtrl, wndToolTip))
    return;
  wndToolTip.RelayEvent(pMsg);
}

bool HitTestOnToolBar(CWnd* pCtrl, CWnd* pTipParent, CToolTipCtrl& wndToolTip, int nMaxWidth, CPoint point,
                      TOOLINFO* pTI, INT_PTR& nResult) {
  if (pTipParent == NULL || !pTipParent->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)))
    return false;
  nResult = -1;
  if (pTI == NULL)
    return true;
  const HWND hWndOld = pTI->hwnd;
  const RECT rcOld = pTI->rect;
  CPoint ptBar = point;
  pCtrl->ClientToScreen(&ptBar);
  pTipParent->ScreenToClient(&ptBar);
  const INT_PTR nHit = static_cast<const CWnd*>(pTipParent)->OnToolHitTest(ptBar, pTI);
  pTI->hwnd = hWndOld;
  pTI->rect = rcOld;
  if (nHit == -1 || pTI->lpszText == NULL || pTI->lpszText == LPSTR_TEXTCALLBACK)
    return true;
  // The bar's tip shows in the control's own tooltip, so the framework's shared one stays away.
  if (wndToolTip.GetSafeHwnd() == NULL || !wndToolTip.IsWindowVisible())
    SetText(pCtrl, wndToolTip, pTI->lpszText, nMaxWidth, TRUE);
  std::free(pTI->lpszText);
  pTI->lpszText = NULL;
  return true;
}

} // namespace ExtControlTip
