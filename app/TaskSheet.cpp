#include "app/TaskSheet.h"

#include "app/LinkLabel.h"
#include "app/ModelessPropSheet.h"
#include "app/PropPageMain.h"
#include "editor/EditorMessages.h"
#include "framework/doc/fw_doc.h"
#include "framework/frame/fw_frame.h"
#include "resources/resource.h"

namespace {
CModelessPropSheet* FindSheetBelow(HWND hWnd) {
  for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CModelessPropSheet)))
      return static_cast<CModelessPropSheet*>(pWnd);
    if (CModelessPropSheet* pSheet = FindSheetBelow(hChild))
      return pSheet;
  }
  return NULL;
}

// Activates a page; NULL when there is no sheet or the page cannot be shown.
CPropertyPage* ActivatePage(int nPage) {
  CModelessPropSheet* pSheet = FindTaskSheet();
  if (pSheet == NULL || nPage >= pSheet->GetPageCount())
    return NULL;
  // The platform hides the page it leaves but leaves the focus where it was: keys would go on to a
  // control no one sees. The focus follows to the " Main Menu " link every page shows at its top;
  // one elsewhere (the view a click in the picture has just focused) stays.
  CPropertyPage* pOld = pSheet->GetActivePage();
  const HWND hWndFocus = ::GetFocus();
  const bool bFocusLeft = pOld != NULL && pOld->GetSafeHwnd() != NULL &&
                          (hWndFocus == pOld->GetSafeHwnd() || ::IsChild(pOld->GetSafeHwnd(), hWndFocus));
  pSheet->SetActivePage(nPage);
  CPropertyPage* pPage = pSheet->GetPage(nPage);
  if (bFocusLeft && pPage != pOld && pPage != NULL && pPage->GetSafeHwnd() != NULL)
    if (HWND hWndLink = ::GetDlgItem(pPage->GetSafeHwnd(), CPropPageMain::kMainMenuId))
      ::SetFocus(hWndLink);
  return pPage;
}

// The view keeps its picture as the original of the edit that begins.
void BeginViewEdit() {
  if (CView* pView = GetTaskView()) {
    pView->SendMessage(UM_TASK_EDIT, 0, 0);
    pView->SendMessage(UM_SAVE_ORIGINAL, 0, 1);
  }
}
} // namespace

CModelessPropSheet* FindTaskSheet() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == NULL || pMain->GetSafeHwnd() == NULL)
    return NULL;
  if (CModelessPropSheet* pSheet = FindSheetBelow(pMain->GetSafeHwnd()))
    return pSheet;
  // A floated sheet's bar lives in a floating frame the main window owns, not below it.
  for (HWND hTop = ::GetTopWindow(NULL); hTop != NULL; hTop = ::GetWindow(hTop, GW_HWNDNEXT))
    if (::GetWindow(hTop, GW_OWNER) == pMain->GetSafeHwnd())
      if (CModelessPropSheet* pSheet = FindSheetBelow(hTop))
        return pSheet;
  return NULL;
}

CView* GetTaskView() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == NULL || !pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    return NULL;
  CFrameWnd* pFrame = static_cast<CFrameWnd*>(pMain)->GetActiveFrame();
  return pFrame != NULL ? pFrame->GetActiveView() : NULL;
}

void OpenEffectPage(int taskId) {
  CPropertyPage* pPage = ActivatePage(TASK_PAGE_PARAM);
  BeginViewEdit();
  if (pPage != NULL && pPage->GetSafeHwnd() != NULL)
    pPage->SendMessage(UM_SELECT_EFFECT, (WPARAM)taskId, 0);
}

void OpenResizePage(int taskId) {
  // The page resizes the image or the canvas; no other operation may start an edit on it.
  if (taskId != TASK_RESIZE_IMAGE && taskId != TASK_RESIZE_CANVAS)
    return;
  ActivatePage(TASK_PAGE_RESIZE);
  BeginViewEdit();
}

void OpenCaptionPage() {
  HCURSOR hOld = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
  ActivatePage(TASK_PAGE_CAPTION);
  BeginViewEdit();
  ::SetCursor(hOld);
}

void SendTaskToView(int taskId) {
  if (CView* pView = GetTaskView())
    pView->SendMessage(UM_APPLY_EFFECT, (WPARAM)taskId, 0);
}

int GetTaskPageIndex() {
  CModelessPropSheet* pSheet = FindTaskSheet();
  return pSheet != NULL ? pSheet->GetActiveIndex() : -1;
}

void ShowTaskMainPage() { ActivatePage(TASK_PAGE_MAIN); }

void CreateTaskNavigationLink(CLinkLabel& link, CWnd* pPage, const char* pszText, unsigned nId,
                              const RECT& rc) {
  link.Create(pszText, WS_CHILD | WS_VISIBLE, rc, pPage, nId);
  link.SetFontName("Arial", ANSI_CHARSET)
      .SetFontSize(9)
      .SetFontBold(TRUE)
      .SetTextColor(0x80FFFF)
      .SetBkColor(0x808080)
      .SetBorder(TRUE)
      .SetLink(TRUE, TRUE)
      .SetLinkCursor(AfxGetApp()->LoadCursor(IDC_TASK_LINK_CURSOR));
}
