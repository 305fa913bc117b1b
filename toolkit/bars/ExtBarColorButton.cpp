// The colour bar button.
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/bars/ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtBarColorButton, CExtBarButton)

CExtBarColorButton::CExtBarColorButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle, COLORREF clr,
                                       COLORREF clrDefault, LPARAM lCookie, int nIconKind)
    : CExtBarButton(pBar, nCmdID, nStyle), m_clr(clr), m_clrDefault(clrDefault), m_lCookie(lCookie),
      m_nPopupFlags(PF_DEFAULT_COLOR_ITEM | PF_CUSTOM_COLOR_ITEM), m_nIconKind(nIconKind) {}

bool CExtBarColorButton::IsAbleToTrackMenu(bool bCustomizeMode) const { return false; }

bool CExtBarColorButton::IsTrackingAllowedWhenDisabled() const { return false; }

bool CExtBarColorButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) { return false; }

UINT CExtBarColorButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) { return 0; }

void CExtBarColorButton::OnDeliverCmd() {}

int CExtBarColorButton::OnHelpHitTest(CPoint point) { return -1; }

bool CExtBarColorButton::IsPlainCommandButton() const { return false; }

void CExtBarColorButton::OnSyncIcon() {}

COLORREF CExtBarColorButton::GetColor(bool bSelected) const { return 0; }

void CExtBarColorButton::SetColor(COLORREF clr, bool bDefault) {}

LPARAM CExtBarColorButton::GetCookie() const { return 0; }

void CExtBarColorButton::SetCookie(LPARAM lCookie) {}

bool CExtBarColorButton::IsDefaultColorItemShown() const { return false; }

void CExtBarColorButton::ShowDefaultColorItem(bool bShow) {}

bool CExtBarColorButton::IsCustomColorItemShown() const { return false; }

void CExtBarColorButton::ShowCustomColorItem(bool bShow) {}

CString CExtBarColorButton::GetDefaultColorText() const { return CString(); }

void CExtBarColorButton::SetDefaultColorText(LPCSTR lpszText) {}

CString CExtBarColorButton::GetCustomColorText() const { return CString(); }

void CExtBarColorButton::SetCustomColorText(LPCSTR lpszText) {}

bool CExtBarColorButton::GenerateIcon(HICON& hIcon) { return false; }
