// The bars context menu: one item per listable bar of a frame, fixed and resizable bars kept in
// separate groups, with the frame told before and after the menu is filled so that it can build or
// change the menu itself; and the dock bar's WM_CONTEXTMENU that shows it.
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/foundation/ExtRuntimeClass.h"

#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <memory>

namespace {

// Containers arrive with nested docking; they are known here by name.
bool IsContainerBar(CControlBar* pBar) { return IsKindOfName(pBar, "CExtDynControlBar"); }

// The frame's toolkit bars in the order of the frame's bar list, through the one bar collector.
std::vector<CExtControlBar*> FrameToolkitBars(CFrameWnd* pFrame) {
  CPtrArray arrBars;
  CExtControlBar::GetFrameControlBars(pFrame, NULL, arrBars, CExtControlBar::FILTER_ALL);
  std::vector<CExtControlBar*> bars;
  for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
    bars.push_back(static_cast<CExtControlBar*>(arrBars[i]));
  return bars;
}

bool IsSeparatorAt(CExtPopupMenuWnd* pPopup, int nIndex) { return pPopup->ItemGetCmdID(nIndex) == 0; }

} // namespace

bool CExtDockBar::BuildBarsContextMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, WORD nEventCode,
                                       CWnd* pWndSource, UINT nSourceMessage, CObject* pSourceObject) {
  if (pFrame == NULL || pPopup == NULL)
    return false;
  CExtControlBar::POPUP_MENU_EVENT_DATA data(nEventCode, pPopup, pWndSource, CPoint(-1, -1), nSourceMessage,
                                             pSourceObject);
  if (data.NotifyTarget(false))
    return true; // the frame built the menu itself
  const bool bOleActive = CExtControlBar::IsOleInPlaceActiveInFrame(pFrame);
  CExtCmdManager* pManager = g_CmdManagerHolder.GetPtr();
  LPCSTR lpszProfile = pManager->GetProfileNameForWindow(pFrame->GetSafeHwnd());
  CExtControlBar* pPrevious = NULL;
  for (CExtControlBar* pBar : FrameToolkitBars(pFrame)) {
    if (pBar->m_hWnd == NULL || IsContainerBar(pBar) || (pBar->m_nStateFlags & CControlBar::tempHide) ||
        ((pBar->m_dwStyle & CBRS_HIDE_INPLACE) && bOleActive))
      continue;
    CString strText;
    pBar->GetWindowText(strText);
    if (strText.IsEmpty())
      continue;
    if (pPrevious != NULL && pPrevious->IsFixedDockStyle() != pBar->IsFixedDockStyle())
      pPopup->InsertItem(0, -1);
    CExtCmdItem item(static_cast<UINT>(pBar->GetDlgCtrlID()));
    item.m_sMenuText = strText;
    pManager->SetupCommand(lpszProfile, item, false, NULL);
    if (pBar->InsertIntoBarsMenu(pPopup))
      pPrevious = pBar;
  }
  for (int i = pPopup->GetItemCount() - 1; i > 0; i--)
    if (IsSeparatorAt(pPopup, i) && IsSeparatorAt(pPopup, i - 1))
      pPopup->ItemRemove(i);
  data.NotifyTarget(true);
  const int nCount = pPopup->GetItemCount();
  if (nCount > 0 && IsSeparatorAt(pPopup, nCount - 1))
    pPopup->ItemRemove(nCount - 1);
  return true;
}

void CExtDockBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
  if (CExtControlBar::IsFrameInHelpMode(this))
    return;
  CControlBar* pFirst = NULL;
  for (INT_PTR i = 1; i < m_arrBars.GetSize() && pFirst == NULL; i++)
    pFirst = GetDockedControlBar(static_cast<int>(i));
  CFrameWnd* pFrame = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
  if (pFirst == NULL || pFrame == NULL)
    return;
  CWnd* pOwner = pFirst->GetOwner();
  if (pOwner == NULL)
    pOwner = pFirst->GetParent();
  // The tracking site owns the menu once tracking starts; until then it is ours.
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->InitTopLevel(pOwner->GetSafeHwnd()))
    return;
  if (!BuildBarsContextMenu(pFrame, pPopup.get(),
                            CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_DOCKBAR_CONTEXT, this,
                            WM_CONTEXTMENU) ||
      pPopup->GetItemCount() == 0)
    return;
  pOwner->SetFocus();
  if (pPopup->RunTrackingLoop(0x800, point.x, point.y))
    pPopup.release();
}
