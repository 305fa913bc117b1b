// The tool bar: data, the button array, the tracked button, the window procedure.
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/bars/ExtPanelControlBar.h"

IMPLEMENT_DYNAMIC(CExtToolControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_WM_CANCELMODE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_CAPTURECHANGED()
ON_WM_SETTINGCHANGE()
ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

CExtToolControlBar::CExtToolControlBar()
    : m_pRightBtn(NULL), m_nToolBarFlags(TBF_CHEVRON_MENU), m_nLayoutFlags(0), m_nBtnIdxMenuTracking(-1),
      m_nBtnIdxCapture(-1), m_nBtnIdxHover(-1) {
  m_cxLeftBorder = 1;
  m_cxRightBorder = 1;
  m_cyTopBorder = 0;
  m_cyBottomBorder = 0;
  m_bBarFlags |= BF_FIXED_MODE;
}

CExtToolControlBar::~CExtToolControlBar() { DeleteAllButtonObjects(); }

void CExtToolControlBar::EndMenuTrackingInAllBars() { g_bMenuTracking = false; }

int CExtToolControlBar::GetButtonCount() const { return (int)m_buttons.GetSize(); }

CExtBarButton* CExtToolControlBar::GetButton(int nIndex) const { return NULL; }

int CExtToolControlBar::GetButtonIndex(const CExtBarButton* pButton) const { return -1; }

int CExtToolControlBar::CommandToIndex(UINT nCmdID) const { return -1; }

UINT CExtToolControlBar::GetButtonID(int nIndex) const { return 0; }

bool CExtToolControlBar::SetButtons(const UINT* lpIDArray, int nIDCount) { return false; }

bool CExtToolControlBar::LoadToolBar(UINT nResourceID, COLORREF clrTransparent) { return false; }

bool CExtToolControlBar::InsertButton(int nPos, UINT nCmdID, bool bRecalc) { return false; }

bool CExtToolControlBar::InsertSpecButton(int nPos, CExtBarButton* pButton, bool bRecalc) { return false; }

bool CExtToolControlBar::RemoveButton(int nPos, bool bRecalc) { return false; }

void CExtToolControlBar::RemoveAllButtons() {}

void CExtToolControlBar::SetButtonStyle(int nIndex, UINT nStyle) {}

UINT CExtToolControlBar::GetButtonStyle(int nIndex) const { return 0; }

bool CExtToolControlBar::SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupMenu, bool bAutoDestroy,
                                       bool bRecalc) {
  return false;
}

bool CExtToolControlBar::SetButtonAppendMdiWindowsMenu(int nIndex, bool bAppend) { return false; }

bool CExtToolControlBar::SetButtonCtrl(int nIndex, CWnd* pCtrl, bool bNoDelete) { return false; }

void CExtToolControlBar::InvalidateButton(int nIndex) {}

void CExtToolControlBar::SetTrackedButton(int nIndex) {}

CRect CExtToolControlBar::GetButtonRect(int nIndex) const { return CRect(); }

bool CExtToolControlBar::IsLargeIcons() const { return false; }

bool CExtToolControlBar::IsDisplayTips() const { return false; }

bool CExtToolControlBar::IsDisplayShortcutKeysInTips() const { return false; }

CExtBarButton* CExtToolControlBar::CreateButtonObject(UINT nCmdID, UINT nStyle) { return NULL; }

CExtBarContentExpandButton* CExtToolControlBar::CreateContentExpandButton() { return NULL; }

LPARAM CExtToolControlBar::GetButtonPaintParam(CDC& dc, CExtBarButton* pButton) { return 0; }

bool CExtToolControlBar::IsLayoutRightToLeft() const { return false; }

bool CExtToolControlBar::IsInsertRightToLeft() const { return false; }

CSize CExtToolControlBar::GetDefButtonSize() const { return CSize(23, 22); }

bool CExtToolControlBar::QueryChevronMenuOption() const { return false; }

bool CExtToolControlBar::IsSuspendedDockedLayout() const { return false; }

CFont* CExtToolControlBar::GetBarFont(bool bVert) const { return NULL; }

LRESULT CExtToolControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CExtControlBar::WindowProc(message, wParam, lParam);
}

DWORD CExtToolControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  return CExtControlBar::RecalcDelayShow(lpLayout);
}

void CExtToolControlBar::SetOuterDockPosition(const OuterDockPosition& pos) {
  m_OuterDockPosition.Assign(pos);
}

void CExtToolControlBar::RecalcParentFrameLayout() { CExtControlBar::RecalcParentFrameLayout(); }

void CExtToolControlBar::OnDraggingStep(CPoint ptScreen, bool bForceFloat) {
  CExtControlBar::OnDraggingStep(ptScreen, bForceFloat);
}

bool CExtToolControlBar::IsTabbedDockingAllowed(bool bIgnored) const { return false; }

void CExtToolControlBar::ToggleDocking() {}

void CExtToolControlBar::DeleteAllButtonObjects() {}

void CExtToolControlBar::OnSize(UINT nType, int cx, int cy) { CExtControlBar::OnSize(nType, cx, cy); }

void CExtToolControlBar::OnTimer(UINT nIDEvent) { CControlBar::OnTimer(nIDEvent); }

void CExtToolControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CExtControlBar::OnSettingChange(uFlags, lpszSection);
}
