// The size gripper, themed background, placement persistence and system menu of the toolkit's
// resizable windows.
#include "toolkit/controls/ExtWS.h"

#include "framework/app/fw_app.h"
#include "framework/dlg/fw_dlg.h"
#include "toolkit/foundation/ExtResDlg.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <windowsx.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The theme's dialog colour as one brush, made again when the colour changes.
class SharedDialogBrush {
public:
  SharedDialogBrush() = default;
  ~SharedDialogBrush() {
    if (m_hBrush != NULL)
      ::DeleteObject(m_hBrush);
  }
  SharedDialogBrush(const SharedDialogBrush&) = delete;
  SharedDialogBrush& operator=(const SharedDialogBrush&) = delete;

  HBRUSH Get(COLORREF clr) {
    if (m_hBrush != NULL && clr == m_clr)
      return m_hBrush;
    const HBRUSH hBrush = ::CreateSolidBrush(clr);
    if (hBrush == NULL)
      return m_hBrush; // the old colour rather than none
    if (m_hBrush != NULL)
      ::DeleteObject(m_hBrush);
    m_hBrush = hBrush;
    m_clr = clr;
    return m_hBrush;
  }

private:
  HBRUSH m_hBrush = NULL;
  COLORREF m_clr = 0;
};

bool IsStaticControl(HWND hWnd) {
  char szClass[64] = {};
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  ::CharLowerA(szClass);
  return std::strcmp(szClass, "static") == 0;
}

bool ClassNameHoldsHash(HWND hWnd) {
  char szClass[260] = {};
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  return std::strchr(szClass, '#') != NULL;
}

} // namespace

HBRUSH ExtGetDialogBackgroundBrush() {
  static SharedDialogBrush s_brush;
  return s_brush.Get(g_PaintManagerHolder->ColorByLogicalId(1000));
}

bool ExtIsThemedBackground(CWnd* pWnd) {
  return CExtPaintManager::GetScreenBitsPerPixel() > 8 && g_PaintManagerHolder->HasDockerBackground(pWnd);
}

template <class CExtWSBase, UINT nTimerID>
CExtWS<CExtWSBase, nTimerID>::CExtWS() : m_nStateFlags(0), m_rcGripper(0, 0, 0, 0), m_nSysMenuCommand(0) {}

template <class CExtWSBase, UINT nTimerID>
CExtWS<CExtWSBase, nTimerID>::CExtWS(UINT nIDTemplate, CWnd* pParentWnd)
    : CExtWSBase(nIDTemplate, pParentWnd), m_nStateFlags(0), m_rcGripper(0, 0, 0, 0), m_nSysMenuCommand(0) {}

template <class CExtWSBase, UINT nTimerID> void CExtWS<CExtWSBase, nTimerID>::ShowSizeGrip(BOOL bShow) {
  if ((bShow != FALSE) == (IsSizeGripShown() != FALSE))
    return;
  if (bShow)
    m_nStateFlags |= EXT_WS_SHOW_GRIPPER;
  else
    m_nStateFlags &= ~EXT_WS_SHOW_GRIPPER;
  if (this->GetSafeHwnd() != NULL && ::IsWindow(this->m_hWnd))
    ::InvalidateRect(this->m_hWnd, &m_rcGripper, TRUE);
}

template <class CExtWSBase, UINT nTimerID> BOOL CExtWS<CExtWSBase, nTimerID>::SaveWindowRect() const {
  CWinApp* pApp = AfxGetApp();
  if (this->GetSafeHwnd() == NULL || pApp == NULL || m_strSection.IsEmpty() || m_strEntry.IsEmpty())
    return FALSE;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof(wp);
  if (!::GetWindowPlacement(this->m_hWnd, &wp))
    return FALSE;
  char szValue[96];
  std::snprintf(szValue, sizeof(szValue), "%d,%d,%d,%d,%d,%d", (int)wp.rcNormalPosition.left,
                (int)wp.rcNormalPosition.top, (int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom,
                (int)wp.showCmd, (int)wp.flags);
  return pApp->WriteProfileString(m_strSection, m_strEntry, szValue);
}

template <class CExtWSBase, UINT nTimerID> BOOL CExtWS<CExtWSBase, nTimerID>::LoadWindowRect(BOOL bHide) {
  CWinApp* pApp = AfxGetApp();
  if (this->GetSafeHwnd() == NULL || pApp == NULL || m_strSection.IsEmpty() || m_strEntry.IsEmpty())
    return FALSE;
  const CString strValue = pApp->GetProfileString(m_strSection, m_strEntry, "");
  if (strValue.IsEmpty())
    return FALSE;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof(wp);
  if (!::GetWindowPlacement(this->m_hWnd, &wp))
    return FALSE;
  int nValues[6] = {};
  if (std::sscanf(strValue, "%d,%d,%d,%d,%d,%d", &nValues[0], &nValues[1], &nValues[2], &nValues[3],
                  &nValues[4], &nValues[5]) != 6)
    return FALSE;
  wp.rcNormalPosition = RECT{nValues[0], nValues[1], nValues[2], nValues[3]};
  wp.showCmd = bHide ? SW_HIDE : (UINT)nValues[4];
  wp.flags = (UINT)nValues[5];
  if (!::SetWindowPlacement(this->m_hWnd, &wp))
    return FALSE;
  ::RedrawWindow(this->m_hWnd, NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASENOW | RDW_UPDATENOW);
  return TRUE;
}

template <class CExtWSBase, UINT nTimerID>
void CExtWS<CExtWSBase, nTimerID>::EnableSaveRestore(LPCSTR pszSection, LPCSTR pszEntry, BOOL bHide) {
  m_strSection = pszSection;
  m_strEntry = pszEntry;
  m_nStateFlags |= EXT_WS_SAVE_RESTORE;
  if (this->GetSafeHwnd() != NULL && ::IsWindow(this->m_hWnd))
    LoadWindowRect(bHide);
}

template <class CExtWSBase, UINT nTimerID>
BOOL CExtWS<CExtWSBase, nTimerID>::ShowSystemMenu(const POINT* pPoint, BOOL bSelectFirstItem) {
  if (this->GetSafeHwnd() == NULL || (this->GetStyle() & WS_POPUP) == 0 ||
      (m_nStateFlags & EXT_WS_MENU_TRACKING) != 0 || ::GetSystemMenu(this->m_hWnd, FALSE) == NULL)
    return FALSE;
  // Below the caption at its left end; a right-to-left client area starts at the right.
  POINT pt = {0, 0};
  if (pPoint != NULL)
    pt = *pPoint;
  else
    ::ClientToScreen(this->m_hWnd, &pt);
  m_nStateFlags |= EXT_WS_MENU_TRACKING;
  if (!TrackToolkitSystemMenu(pt, bSelectFirstItem)) {
    m_nStateFlags &= ~EXT_WS_MENU_TRACKING;
    return FALSE;
  }
  this->SetTimer(nTimerID, 20, NULL);
  return TRUE;
}

template <class CExtWSBase, UINT nTimerID>
BOOL CExtWS<CExtWSBase, nTimerID>::TrackToolkitSystemMenu(const POINT& ptScreen, BOOL bSelectFirstItem) {
  CMenu* pSysMenu = CMenu::FromHandle(::GetSystemMenu(this->m_hWnd, FALSE));
  auto pMenu = std::make_unique<CExtPopupMenuWnd>();
  // The window's own menu items, not commands of a profile: the choice comes back here and is
  // posted as the window command it is.
  if (!pMenu->BuildFromMenuHandle(this->m_hWnd, pSysMenu, false, true, true))
    return FALSE;
  m_nSysMenuCommand = 0;
  const DWORD dwFlags =
      CExtPopupMenuWnd::TPMX_NO_CMD_DELIVERY | (bSelectFirstItem ? CExtPopupMenuWnd::TPMX_SELECT_FIRST : 0);
  if (!pMenu->RunTrackingLoop(dwFlags, ptScreen.x, ptScreen.y, NULL, NULL, NULL, &m_nSysMenuCommand))
    return FALSE;
  pMenu.release(); // the tracking deletes it when it ends
  return TRUE;
}

template <class CExtWSBase, UINT nTimerID>
bool CExtWS<CExtWSBase, nTimerID>::IsAnyToolkitPopupMenuTracking() {
  return CExtPopupMenuWnd::AnyMenuTracked();
}

template <class CExtWSBase, UINT nTimerID> BOOL CExtWS<CExtWSBase, nTimerID>::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_SYSKEYDOWN && pMsg->wParam == VK_SPACE && (pMsg->lParam & (1 << 29)) != 0 &&
      this->GetSafeHwnd() != NULL) {
    const DWORD dwStyle = this->GetStyle();
    const HWND hWndActive = ::GetActiveWindow();
    if ((dwStyle & WS_POPUP) != 0 && (dwStyle & WS_SYSMENU) != 0 &&
        (hWndActive == this->m_hWnd || (::GetWindowLongA(hWndActive, GWL_STYLE) & WS_POPUP) == 0) &&
        ShowSystemMenu(NULL, TRUE))
      return TRUE;
  }
  return CExtWSBase::PreTranslateMessage(pMsg);
}

template <class CExtWSBase, UINT nTimerID>
LRESULT CExtWS<CExtWSBase, nTimerID>::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  switch (nMessage) {
  case WM_SIZE:
    return OnWsSize(wParam, lParam);
  case WM_NCHITTEST:
    if (IsSizeGripShown()) {
      POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ::ScreenToClient(this->m_hWnd, &pt);
      if (m_rcGripper.PtInRect(pt))
        return IsRightToLeft() ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    }
    break;
  case WM_ERASEBKGND:
    if (ExtIsThemedBackground(this))
      return TRUE; // the theme paints the whole background with WM_PAINT
    break;
  case WM_PAINT:
    return OnWsPaint();
  case WM_WINDOWPOSCHANGED: {
    const LRESULT lResult = CExtWSBase::WindowProc(nMessage, wParam, lParam);
    if (this->IsWindowVisible() && ExtIsThemedBackground(this))
      ::RedrawWindow(this->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return lResult;
  }
  case WM_CTLCOLORMSGBOX:
  case WM_CTLCOLORDLG:
  case WM_CTLCOLORSTATIC:
    return OnWsCtlColor(nMessage, wParam, lParam);
  case WM_NCLBUTTONDOWN:
  case WM_NCLBUTTONUP:
  case WM_NCRBUTTONDOWN:
  case WM_NCRBUTTONUP:
    if (OnWsNcMouse(nMessage, wParam, lParam))
      return 0;
    break;
  case WM_TIMER:
    if (wParam == nTimerID) {
      if (!IsAnyToolkitPopupMenuTracking()) {
        m_nStateFlags &= ~EXT_WS_MENU_TRACKING;
        this->KillTimer(nTimerID);
        const UINT nCommand = m_nSysMenuCommand;
        m_nSysMenuCommand = 0;
        if (IsSystemCommandId(nCommand)) {
          const DWORD dwPos = ::GetMessagePos();
          this->PostMessage(WM_SYSCOMMAND, nCommand, (LPARAM)dwPos);
        }
      }
      return 0;
    }
    break;
  case WM_DESTROY: {
    // The tracking must not write the choice into a window that is gone.
    CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
    if (site.m_pResultCmdId == &m_nSysMenuCommand)
      site.m_pResultCmdId = NULL;
    if ((m_nStateFlags & EXT_WS_SAVE_RESTORE) != 0)
      SaveWindowRect();
    break;
  }
  default:
    break;
  }
  return CExtWSBase::WindowProc(nMessage, wParam, lParam);
}

template <class CExtWSBase, UINT nTimerID>
LRESULT CExtWS<CExtWSBase, nTimerID>::OnWsSize(WPARAM wParam, LPARAM lParam) {
  const HWND hWnd = this->m_hWnd;
  const bool bThemedVisible = ::IsWindowVisible(hWnd) && ExtIsThemedBackground(this);
  const bool bGripper = IsSizeGripShown() != FALSE;
  if (bGripper && !bThemedVisible && !m_rcGripper.IsRectEmpty())
    ::InvalidateRect(hWnd, &m_rcGripper, TRUE);
  const LRESULT lResult = CExtWSBase::WindowProc(WM_SIZE, wParam, lParam);
  if (bGripper) {
    RECT rcClient;
    ::GetClientRect(hWnd, &rcClient);
    m_rcGripper.SetRect(rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL),
                        rcClient.bottom - ::GetSystemMetrics(SM_CYHSCROLL), rcClient.right, rcClient.bottom);
    ::InvalidateRect(hWnd, bThemedVisible ? NULL : &m_rcGripper, TRUE);
  } else if (bThemedVisible) {
    ::InvalidateRect(hWnd, NULL, TRUE);
  }
  if (bThemedVisible && (this->IsKindOf(RUNTIME_CLASS(CDialog)) || ClassNameHoldsHash(hWnd)))
    InvalidateVisibleChildren();
  return lResult;
}

template <class CExtWSBase, UINT nTimerID> void CExtWS<CExtWSBase, nTimerID>::InvalidateVisibleChildren() {
  for (HWND hChild = ::GetWindow(this->m_hWnd, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    if (::IsWindowVisible(hChild))
      ::InvalidateRect(hChild, NULL, TRUE);
}

template <class CExtWSBase, UINT nTimerID> LRESULT CExtWS<CExtWSBase, nTimerID>::OnWsPaint() {
  CPaintDC dc(this);
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  if (ExtIsThemedBackground(this)) {
    RECT rcClient;
    ::GetClientRect(this->m_hWnd, &rcClient);
    const int nSaved = dc.SaveDC();
    // A child dialog's statics draw on its background (hollow brush), so they stay in the clip.
    const bool bChild = (this->GetStyle() & WS_CHILD) != 0;
    CExtPaintManager::ExcludeChildAreas(dc.m_hDC, this->m_hWnd,
                                        bChild ? &CExtPaintManager::FilterTransparentChild : NULL);
    if (!pPM->PaintDockerBackground(true, dc, this))
      ::FillRect(dc.m_hDC, &rcClient, ExtGetDialogBackgroundBrush());
    dc.RestoreDC(nSaved);
  }
  if (IsSizeGripShown() && !this->IsZoomed())
    pPM->PaintResizingGripper(dc, m_rcGripper, this);
  pPM->OnPaintSessionComplete(this);
  return 0;
}

template <class CExtWSBase, UINT nTimerID>
LRESULT CExtWS<CExtWSBase, nTimerID>::OnWsCtlColor(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  if (nMessage == WM_CTLCOLORSTATIC) {
    if (!IsStaticControl(reinterpret_cast<HWND>(lParam)))
      return CExtWSBase::WindowProc(nMessage, wParam, lParam);
    ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    if ((this->GetStyle() & WS_CHILD) != 0 && ExtIsThemedBackground(this))
      return reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH));
  }
  const HBRUSH hBrush = ExtGetDialogBackgroundBrush();
  if (hBrush == NULL)
    return CExtWSBase::WindowProc(nMessage, wParam, lParam);
  return reinterpret_cast<LRESULT>(hBrush);
}

template <class CExtWSBase, UINT nTimerID>
BOOL CExtWS<CExtWSBase, nTimerID>::OnWsNcMouse(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  const POINT ptCursor = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (wParam == HTSYSMENU) {
    if (nMessage == WM_NCLBUTTONDOWN || nMessage == WM_NCRBUTTONDOWN)
      return TRUE; // the menu opens on the release
    return ShowSystemMenu(NULL, FALSE);
  }
  if (wParam == HTCAPTION && (nMessage == WM_NCRBUTTONDOWN || nMessage == WM_NCRBUTTONUP))
    return ShowSystemMenu(&ptCursor, FALSE);
  return FALSE;
}

template <class CExtWSBase, UINT nTimerID> bool CExtWS<CExtWSBase, nTimerID>::IsRightToLeft() const {
  return (this->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

template class CExtWS<CExtADLG<CExtResDlg>, 301>;
