#include "toolkit/foundation/ExtSystemChangeRelay.h"

#include "framework/frame/fw_frame.h"
#include "toolkit/foundation/ExtRuntimeClass.h"

namespace {

// Child ids of a frame's status bar and of its outer dock bars, in the order they are asked.
const int kStatusBarId = 59393;
const int kOuterDockBarIds[] = {59419, 59422, 59420, 59421};

// The window classes that pass system changes on live in toolkit areas above this one; they are
// known here by name only.
CWnd* PermanentChild(CWnd* pParent, int nId) {
  HWND hChild = ::GetDlgItem(pParent->GetSafeHwnd(), nId);
  return hChild != NULL ? CWnd::FromHandlePermanent(hChild) : NULL;
}

// The window of the frame that passes system changes on, or NULL when the frame has none.
HWND FindNotificationWindow(CWnd* pFrame) {
  CWnd* pStatusBar = PermanentChild(pFrame, kStatusBarId);
  if (IsKindOfName(pStatusBar, "CExtStatusControlBar"))
    return pStatusBar->GetSafeHwnd();
  for (int nId : kOuterDockBarIds) {
    CWnd* pDockBar = PermanentChild(pFrame, nId);
    if (IsKindOfName(pDockBar, "CExtDockOuterBar"))
      return pDockBar->GetSafeHwnd();
  }
  for (HWND hChild = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    if (IsKindOfName(CWnd::FromHandlePermanent(hChild), "CExtTabMdiWnd"))
      return hChild;
  return NULL;
}

} // namespace

bool ExtIsSystemChangeRelay(CWnd* pWnd) {
  if (pWnd == NULL || IsKindOfName(pWnd, "CExtStatusControlBar"))
    return true;
  CWnd* pFrame =
      pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? pWnd : reinterpret_cast<CWnd*>(pWnd->GetParentFrame());
  if (IsKindOfName(pFrame, "CExtMiniDockFrameWnd"))
    pFrame = reinterpret_cast<CWnd*>(pFrame->GetParentFrame());
  if (pFrame == NULL || pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    return true;
  HWND hChosen = FindNotificationWindow(pFrame);
  return hChosen == NULL || hChosen == pWnd->GetSafeHwnd();
}
