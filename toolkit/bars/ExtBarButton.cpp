// The bar button: state bits, measuring, placing and painting.
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/bars/ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : m_pBar(pBar), m_nCmdID(nCmdID), m_nEffectiveCmdID(nCmdID), m_nStyle(nStyle), m_nLayoutFlags(LF_VISIBLE),
      m_nOptionFlags(0), m_pCtrl(NULL), m_hMenu(NULL) {
  SyncSeparatorStyle();
}

CExtBarButton::~CExtBarButton() {}

void CExtBarButton::UpdateCtrlFromState() {}

bool CExtBarButton::IsLargeIcons() const { return false; }

bool CExtBarButton::IsDisplayTips() const { return false; }

bool CExtBarButton::IsDisplayShortcutKeysInTips() const { return false; }

UINT CExtBarButton::GetCmdID(bool bEffective) const { return bEffective ? m_nEffectiveCmdID : m_nCmdID; }

void CExtBarButton::SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bRecalcLayout) {}

bool CExtBarButton::IsSeparatedDropDown() const { return false; }

void CExtBarButton::SetSeparatedDropDown(bool bSet) {}

bool CExtBarButton::IsAutoChangeCmdID() const { return false; }

void CExtBarButton::SetAutoChangeCmdID(bool bSet) {}

bool CExtBarButton::IsNoRotateVerticalLayout() const { return false; }

void CExtBarButton::SetNoRotateVerticalLayout(bool bSet) {}

bool CExtBarButton::IsCtrlVisibleVertically() const { return false; }

void CExtBarButton::SetCtrlVisibleVertically(bool bSet) {}

CWnd* CExtBarButton::GetCtrl() { return m_pCtrl; }

void CExtBarButton::SetCtrl(CWnd* pCtrl, bool bNoDelete) {}

UINT CExtBarButton::GetStyle() const { return m_nStyle; }

void CExtBarButton::SetStyle(UINT nStyle) {}

void CExtBarButton::ModifyStyle(UINT nAdd, UINT nRemove) {}

void CExtBarButton::SetPressedTracking() {}

void CExtBarButton::ClearPressedTracking() {}

bool CExtBarButton::IsPressedTracking() const { return false; }

void CExtBarButton::SetVertical(bool bVertical) {}

bool CExtBarButton::IsWrap(int nMode) const { return false; }

void CExtBarButton::SetWrap(int nMode, bool bWrap) {}

bool CExtBarButton::IsSeparator() const { return false; }

bool CExtBarButton::IsDisabled() const { return false; }

bool CExtBarButton::IsIndeterminate() const { return false; }

bool CExtBarButton::IsPressed() const { return false; }

void CExtBarButton::SetVisible(bool bVisible) {}

bool CExtBarButton::IsVisible() const { return false; }

void CExtBarButton::SetHover(bool bHover) {}

bool CExtBarButton::IsHover() const { return false; }

CString CExtBarButton::GetText() const { return CString(); }

void CExtBarButton::SetRect(const RECT& rc) {}

CRect CExtBarButton::GetRect() const { return m_rc; }

CRect CExtBarButton::GetDropDownRect() const { return CRect(); }

CSize CExtBarButton::GetSize() const { return m_size; }

void CExtBarButton::SetMenu(HMENU hMenu, bool bPopupMenu, bool bAutoDestroy) {}

HMENU CExtBarButton::GetMenu() const { return m_hMenu; }

void CExtBarButton::SetAppendMdiWindowsMenu(bool bSet) {}

bool CExtBarButton::IsAppendMdiWindowsMenu() const { return false; }

bool CExtBarButton::IsAbleToTrackMenu(bool bCustomizeMode) const { return false; }

bool CExtBarButton::IsTrackingAllowedWhenDisabled() const { return false; }

CSize CExtBarButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) { return CSize(); }

CExtCmdIcon* CExtBarButton::GetIconPtr() { return NULL; }

CWnd* CExtBarButton::GetCmdTargetWnd() { return NULL; }

void CExtBarButton::Paint(CDC& dc, bool bHorz) {}

LPARAM CExtBarButton::GetPaintParam(CDC& dc) { return 0; }

bool CExtBarButton::IsPlainCommandButton() const { return false; }

void CExtBarButton::RedrawButton(bool bUpdateNow) {}

UINT CExtBarButton::GetMenuAlignment() const { return 0; }

bool CExtBarButton::OnSetCursor(CPoint point) { return false; }

bool CExtBarButton::IsCtrlShown() const { return false; }

CString CExtBarButton::StripMnemonics(const CString& sText) { return CString(); }

HWND CExtBarButton::GetBarSafeHwnd() const { return NULL; }

bool CExtBarButton::IsBarVertical() const { return false; }

bool CExtBarButton::IsHotFrameSuppressed() const { return false; }

void CExtBarButton::SyncSeparatorStyle() {}

CRect CExtBarButton::GetScreenRect() const { return CRect(); }
