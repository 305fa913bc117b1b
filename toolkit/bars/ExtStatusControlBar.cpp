// The status bar's data, panes, pane windows, tips and messages; its painting is in
// ExtStatusControlBarPaint.cpp.
#include "toolkit/bars/ExtStatusControlBar.h"

#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtSystemChanges.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CExtStatusControlBar, CStatusBar)

BEGIN_MESSAGE_MAP(CExtStatusControlBar, CStatusBar)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCPAINT()
ON_WM_NCHITTEST()
ON_WM_CONTEXTMENU()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

bool CExtStatusControlBar::g_bGripperVisible = true;

namespace {
const UINT kPaneDataHashSize = 17;
} // namespace

CExtStatusControlBar::CExtStatusControlBar()
    : m_bSuppressPaint(0), m_bPainting(0), m_bUpdatingCmdUI(0), m_mapPaneData(10) {
  m_mapPaneData.InitHashTable(kPaneDataHashSize);
}

CExtStatusControlBar::~CExtStatusControlBar() {
  for (const auto& pCtrl : m_arrPaneCtrls) {
    if (!::IsWindow(pCtrl->m_hWnd))
      continue;
    ::ShowWindow(pCtrl->m_hWnd, SW_HIDE);
    if (pCtrl->m_bDestroyOnClose)
      ::DestroyWindow(pCtrl->m_hWnd);
  }
}

// ---------------------------------------------------------------------------------------------
// Panes

BOOL CExtStatusControlBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  const BOOL bResult = CStatusBar::SetIndicators(lpIDArray, nIDCount);
  RedrawNow();
  return bResult;
}

bool CExtStatusControlBar::LoadIndicatorText(UINT nID, CString& strText) {
  // Through the resource manager; an indicator without a string shows nothing.
  if (!g_ResourceManagerHolder->LoadString(strText, nID))
    strText.Empty();
  return true;
}

void CExtStatusControlBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  CStatusBar::SetPaneInfo(nIndex, nID, nStyle, cxWidth);
  const bool bEnable = (nStyle & SBPS_DISABLED) == 0;
  for (const auto& pCtrl : m_arrPaneCtrls)
    if (pCtrl->m_nID == nID && ::IsWindow(pCtrl->m_hWnd))
      ::EnableWindow(pCtrl->m_hWnd, bEnable);
}

bool CExtStatusControlBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth,
                                       CString& strText) const {
  if (nIndex < 0 || nIndex >= m_nCount)
    return false;
  CStatusBar::GetPaneInfo(nIndex, nID, nStyle, cxWidth);
  strText = GetPaneText(nIndex);
  return true;
}

UINT CExtStatusControlBar::GetPaneID(int nIndex) const {
  UINT nID = 0, nStyle = 0;
  int cxWidth = 0;
  CString strText;
  if (m_hWnd == NULL || !GetPaneInfo(nIndex, nID, nStyle, cxWidth, strText))
    return 0;
  return nID;
}

CRect CExtStatusControlBar::GetPaneRect(int nIndex) const {
  CRect rc(0, 0, 0, 0);
  if (m_hWnd == NULL || nIndex < 0 || nIndex >= m_nCount)
    return rc;
  GetItemRect(nIndex, &rc);
  if (nIndex != m_nCount - 1)
    return rc;
  // The control gives the last pane the rest of the bar; it shows only its text's width, or runs
  // to the size grip when it stretches.
  const AFX_STATUSPANE& pane = m_panes[nIndex];
  if ((pane.nStyle & SBPS_STRETCH) == 0) {
    rc.right = rc.left + pane.cxText + ::GetSystemMetrics(SM_CXEDGE) * 3;
  } else {
    CRect rcClient;
    GetClientRect(&rcClient);
    rc.right = rcClient.right;
    if (GetStyle() & SBARS_SIZEGRIP)
      rc.right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
  }
  return rc;
}

CRect CExtStatusControlBar::GetGripRect() const {
  CRect rc(0, 0, 0, 0);
  HWND hParent = m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
  if (hParent == NULL || ::IsZoomed(hParent) || (::GetWindowLongA(hParent, GWL_STYLE) & WS_BORDER) == 0)
    return rc;
  GetClientRect(&rc);
  rc.left = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
  if (rc.left < 0)
    rc.left = 0;
  return rc;
}

// ---------------------------------------------------------------------------------------------
// Windows over panes

CRect CExtStatusControlBar::PaneControlRect(int nIndex) const {
  CRect rc = GetPaneRect(nIndex);
  const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
  if ((GetPaneStyle(nIndex) & SBPS_NOBORDERS) == 0 && (m_nBarFlags & STATUS_SEPARATORS) == 0)
    rc.DeflateRect(cxEdge, cxEdge);
  else
    rc.DeflateRect(cxEdge, 1);
  return rc;
}

void CExtStatusControlBar::RepositionPaneControls() {
  if (m_hWnd == NULL || m_arrPaneCtrls.empty())
    return;
  HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(m_arrPaneCtrls.size()));
  for (const auto& pCtrl : m_arrPaneCtrls) {
    const int nIndex = CommandToIndex(pCtrl->m_nID);
    if (nIndex < 0 || !::IsWindow(pCtrl->m_hWnd))
      continue;
    const CRect rc = PaneControlRect(nIndex);
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (hDwp != NULL)
      hDwp = ::DeferWindowPos(hDwp, pCtrl->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    if (hDwp == NULL) // the batch is gone: the window moves on its own
      ::SetWindowPos(pCtrl->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
  }
  if (hDwp != NULL)
    ::EndDeferWindowPos(hDwp);
  RedrawNow();
}

void CExtStatusControlBar::EnablePaneControl(int nPaneIndex, bool bEnable) {
  // An index out of range has no id; it must not reach the windows of the message panes (id 0).
  if (m_hWnd == NULL || nPaneIndex < 0 || nPaneIndex >= m_nCount)
    return;
  const UINT nID = GetPaneID(nPaneIndex);
  for (const auto& pCtrl : m_arrPaneCtrls)
    if (pCtrl->m_nID == nID && ::IsWindow(pCtrl->m_hWnd))
      ::EnableWindow(pCtrl->m_hWnd, bEnable ? TRUE : FALSE);
  RedrawNow();
}

bool CExtStatusControlBar::AddPaneControl(HWND hWnd, UINT nID, bool bDestroyOnClose) {
  if (!::IsWindow(hWnd))
    return false;
  RemovePaneControl(nID);
  auto pCtrl = std::make_unique<_STATUSBAR_PANE_CTRL_>();
  pCtrl->m_hWnd = hWnd;
  pCtrl->m_nID = nID;
  pCtrl->m_bDestroyOnClose = bDestroyOnClose;
  m_arrPaneCtrls.push_back(std::move(pCtrl));
  RepositionPaneControls();
  return true;
}

bool CExtStatusControlBar::RemovePaneControl(UINT nID) {
  for (auto it = m_arrPaneCtrls.begin(); it != m_arrPaneCtrls.end(); ++it) {
    if ((*it)->m_nID == nID) {
      m_arrPaneCtrls.erase(it);
      return true;
    }
  }
  return false;
}

void CExtStatusControlBar::SetPaneData(UINT nID, UINT nDrawTextFlags, LPCSTR lpszTipText) {
  _ED_ data;
  data.m_nDrawTextFlags = nDrawTextFlags;
  data.m_strTipText = lpszTipText != NULL ? lpszTipText : "";
  m_mapPaneData.SetAt(nID, data);
  if (m_hWnd != NULL)
    Invalidate(FALSE);
}

bool CExtStatusControlBar::RemovePaneData(UINT nID) {
  if (!m_mapPaneData.RemoveKey(nID))
    return false;
  if (m_hWnd != NULL)
    Invalidate(FALSE);
  return true;
}

void CExtStatusControlBar::SetBarFlags(BYTE nFlags, bool bRedraw) {
  m_nBarFlags = nFlags;
  if (m_hWnd == NULL)
    return;
  RepositionPaneControls();
  if (bRedraw)
    RedrawNow();
}

void CExtStatusControlBar::RedrawNow() {
  if (m_hWnd != NULL)
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

// ---------------------------------------------------------------------------------------------
// Hit tests and tips

int CExtStatusControlBar::HitTestPane(int x, int y) const {
  if (m_hWnd == NULL || m_nCount == 0)
    return -1;
  // A point covered by another window belongs to that window, not to a pane.
  CPoint ptScreen(x, y);
  ClientToScreen(&ptScreen);
  HWND hWndAt = ::WindowFromPoint(ptScreen);
  if (hWndAt != m_hWnd && !::IsChild(m_hWnd, hWndAt))
    return -1;
  for (int i = 0; i < m_nCount; i++) {
    CRect rc;
    GetItemRect(i, &rc);
    if (rc.PtInRect(CPoint(x, y)))
      return i;
  }
  return -1;
}

INT_PTR CExtStatusControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  if (CExtToolControlBar::g_bMenuTracking || CExtPopupMenuWnd::AnyMenuTracked())
    return -1;
  const int nIndex = HitTestPane(point.x, point.y);
  if (nIndex < 0)
    return -1;
  const UINT nID = GetPaneID(nIndex);
  if (pTI != NULL) {
    CRect rc;
    GetItemRect(nIndex, &rc);
    pTI->hwnd = m_hWnd;
    pTI->uId = nID;
    pTI->rect = rc;
    pTI->uFlags &= ~TTF_IDISHWND;
    pTI->lpszText = LPSTR_TEXTCALLBACKA;
    _ED_ data;
    if (m_mapPaneData.Lookup(nID, data) && !data.m_strTipText.IsEmpty()) {
      // The framework frees the copy with free().
      const size_t nSize = static_cast<size_t>(data.m_strTipText.GetLength()) + 1;
      LPSTR lpszCopy = static_cast<LPSTR>(std::malloc(nSize));
      if (lpszCopy != NULL) {
        std::memcpy(lpszCopy, static_cast<LPCSTR>(data.m_strTipText), nSize);
        pTI->lpszText = lpszCopy;
      }
    }
  }
  return static_cast<INT_PTR>(nID);
}

// ---------------------------------------------------------------------------------------------
// Messages

LRESULT CExtStatusControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_bSuppressPaint && (message == WM_PAINT || message == WM_ERASEBKGND))
    return message == WM_ERASEBKGND ? 1 : 0;
  const LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
  if (message == WM_SIZE)
    RepositionPaneControls();
  return lResult;
}

LRESULT CExtStatusControlBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_bSuppressPaint && (message == WM_PAINT || message == WM_ERASEBKGND))
    return message == WM_ERASEBKGND ? 1 : 0;
  if (message != SB_SETTEXTA && message != SB_SETICON)
    return CStatusBar::DefWindowProc(message, wParam, lParam);
  // The control would paint the pane its own way first: keep it quiet and repaint once.
  const BYTE bWasSuppressed = m_bSuppressPaint;
  m_bSuppressPaint = 1;
  const LRESULT lResult = CStatusBar::DefWindowProc(message, wParam, lParam);
  m_bSuppressPaint = bWasSuppressed;
  if (!m_bPainting && !m_bSuppressPaint && m_hWnd != NULL) {
    Invalidate(FALSE);
    if (!m_bUpdatingCmdUI)
      UpdateWindow();
  }
  return lResult;
}

void CExtStatusControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  // Each pane text the update sets would repaint the bar at once; it repaints once at the end.
  m_bUpdatingCmdUI = 1;
  CStatusBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
  m_bUpdatingCmdUI = 0;
  if (m_hWnd != NULL)
    UpdateWindow();
}

int CExtStatusControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CStatusBar::OnCreate(lpcs) == -1)
    return -1;
  EnableToolTips(TRUE);
  ModifyStyle(0, WS_CLIPCHILDREN);
  SetWindowPos(NULL, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                   SWP_FRAMECHANGED);
  ReadThemeColors();
  return 0;
}

BOOL CExtStatusControlBar::OnEraseBkgnd(CDC* /*pDC*/) {
  return TRUE; // WM_PAINT fills everything through its memory DC
}

UINT CExtStatusControlBar::OnNcHitTest(CPoint point) {
  CPoint ptClient(point);
  ScreenToClient(&ptClient);
  const CRect rcGrip = GetGripRect();
  if (!rcGrip.IsRectEmpty() && rcGrip.PtInRect(ptClient))
    return (GetExStyle() & WS_EX_LAYOUTRTL) ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
  const UINT nHit = CStatusBar::OnNcHitTest(point);
  return (nHit != HTCLIENT && !IsGripperVisible()) ? static_cast<UINT>(HTCLIENT) : nHit;
}

void CExtStatusControlBar::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
  if (CExtControlBar::IsFrameInHelpMode(this))
    return;
  CFrameWnd* pFrame = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
  while (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
    pFrame = pFrame->GetParentFrame();
  CWnd* pReceiver = GetOwner();
  if (pReceiver == NULL)
    pReceiver = GetParent();
  if (pFrame == NULL || pReceiver == NULL)
    return;
  // The tracking site owns the menu once tracking starts; until then it is ours.
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->InitTopLevel(pReceiver->GetSafeHwnd()))
    return;
  if (!CExtDockBar::BuildBarsContextMenu(pFrame, pPopup.get(),
                                         CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_STATUSBAR_CONTEXT, this,
                                         WM_CONTEXTMENU) ||
      pPopup->GetItemCount() == 0)
    return;
  pReceiver->SetFocus();
  if (pPopup->RunTrackingLoop(0x800, point.x, point.y))
    pPopup.release();
}

void CExtStatusControlBar::OnSysColorChange() {
  CStatusBar::OnSysColorChange();
  ExtSystemChanges::SysColorChanged(this);
  ReadThemeColors();
}

void CExtStatusControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CStatusBar::OnSettingChange(uFlags, lpszSection);
  ExtSystemChanges::SettingChanged(this, uFlags, lpszSection);
  ReadThemeColors();
}

LRESULT CExtStatusControlBar::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = Default();
  ExtSystemChanges::DisplayChanged(this, wParam, lParam);
  ReadThemeColors();
  return lResult;
}

LRESULT CExtStatusControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = Default();
  ExtSystemChanges::ThemeChanged(this, wParam, lParam);
  ReadThemeColors();
  return lResult;
}
