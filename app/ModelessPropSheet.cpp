#include "app/ModelessPropSheet.h"

#include "app/TaskSheet.h"
#include "framework/doc/fw_doc.h"
#include "framework/frame/fw_frame.h"
#include "framework/gdi/fw_gdi.h"
#include "imaging/Globals.h"
#include "toolkit/bars/ExtMenuControlBar.h"

IMPLEMENT_DYNCREATE(CModelessPropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CModelessPropSheet, CPropertySheet)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
// The main window's menu bar, found among its control bars so the sheet needs not know the frame.
CExtMenuControlBar* FindMenuBar() {
  CWnd* pMain = AfxGetMainWnd();
  if (pMain == NULL || pMain->GetSafeHwnd() == NULL || !pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    return NULL;
  CPtrList& bars = static_cast<CFrameWnd*>(pMain)->m_listControlBars;
  for (POSITION pos = bars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pBar = static_cast<CControlBar*>(bars.GetNext(pos));
    if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar)))
      return static_cast<CExtMenuControlBar*>(pBar);
  }
  return NULL;
}
} // namespace

CModelessPropSheet::CModelessPropSheet() = default;

BOOL CModelessPropSheet::Create(CWnd* pParent) {
  // Showing its first page gives the keyboard focus to the page's first control (activating the
  // frame that is still being made). A sheet made with the frame must not keep it: keys sent to
  // a page never reach the frame's accelerators. The focus goes back, or to the frame.
  const HWND hWndFocus = ::GetFocus();
  if (!CPropertySheet::Create(pParent, WS_CHILD | WS_VISIBLE, 0))
    return FALSE;
  const HWND hWndTaken = ::GetFocus();
  if (hWndTaken != hWndFocus && (hWndTaken == m_hWnd || ::IsChild(m_hWnd, hWndTaken)))
    ::SetFocus(hWndFocus != NULL ? hWndFocus : ::GetAncestor(m_hWnd, GA_ROOT));
  ModifyStyle(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, SWP_FRAMECHANGED);
  ModifyStyleEx(WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 0, SWP_FRAMECHANGED);
  HWND hTab = (HWND)SendMessage(PSM_GETTABCONTROL, 0, 0);
  if (hTab != NULL)
    ::ShowWindow(hTab, SW_HIDE);
  return TRUE;
}

BOOL CModelessPropSheet::PreTranslateMessage(MSG* pMsg) {
  // Closing the sheet's bar leaves the focus in it: a key there would work a page no one sees. It
  // goes to the view the user sees (the frame without one), and the focus with it.
  const bool bKey = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
  if (bKey && !IsWindowVisible()) {
    CWnd* pView = GetTaskView();
    CWnd* pTarget = pView != NULL ? pView : AfxGetMainWnd();
    if (pTarget != NULL && pTarget->GetSafeHwnd() != NULL) {
      pTarget->SetFocus();
      pMsg->hwnd = pTarget->GetSafeHwnd();
    }
    return FALSE;
  }
  // The sheet's dialog navigation would eat every key its controls get, the frame's accelerators
  // (F1, Ctrl+R...) too: a key goes to the frame first, which gives it to the menu bar and then to
  // its accelerators. An edit box keeps the keys it edits with (Ctrl+C, Delete...): from there the
  // frame gets its function keys and the menu bar's keys only.
  const bool bKeyDown = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
  const UINT nEditCodes = DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
  const bool bFunctionKey = pMsg->wParam >= VK_F1 && pMsg->wParam <= VK_F24;
  CWnd* pMain = AfxGetMainWnd();
  if (bKeyDown && pMain != NULL && pMain->GetSafeHwnd() != NULL &&
      (bFunctionKey ||
       (::SendMessageA(pMsg->hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(pMsg)) & nEditCodes) == 0))
    return pMain->PreTranslateMessage(pMsg) || CPropertySheet::PreTranslateMessage(pMsg);
  CExtMenuControlBar* pMenuBar = FindMenuBar();
  if (pMenuBar != NULL && pMenuBar->TranslateFrameKeyboard(pMsg))
    return TRUE;
  return CPropertySheet::PreTranslateMessage(pMsg);
}

COLORREF CModelessPropSheet::BackgroundColor() { return g_nOsVersionCode == 100 ? 0xF7D6BF : 0xF3F5F5; }

void CModelessPropSheet::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CBrush brush(BackgroundColor());
  dc.FillRect(&rc, &brush);
}
