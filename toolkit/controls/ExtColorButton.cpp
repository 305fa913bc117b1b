#include "toolkit/controls/ExtColorButton.h"

#include "framework/dlg/fw_dlg.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/controls/ExtColorDlg.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <memory>

IMPLEMENT_DYNCREATE(CExtColorButton, CExtButton)

BEGIN_MESSAGE_MAP(CExtColorButton, CExtButton)
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged, OnColorChanged)
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChangedFinally)
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, OnCustomColor)
END_MESSAGE_MAP()

CExtColorButton::CExtColorButton()
    : m_bShowDefaultColorButton(true), m_bShowCustomColorButton(true), m_bUseSystemColorDialog(true),
      m_clrDefault((COLORREF)-1), m_clrSelected(0), m_lParamCookie(0) {}

bool CExtColorButton::HasMenu() const { return true; }

void CExtColorButton::OnClick(bool bFromKeyboard, bool bDropDownPart) {
  if (GetSafeHwnd() == NULL || ::GetParent(m_hWnd) == NULL)
    return;
  if ((m_nStateFlags & STATE_SEPARATED_DROPDOWN) == 0 || bDropDownPart) {
    if (OnTrackDropDownMenu(bFromKeyboard))
      return;
  }
  PassToParent(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrSelected, m_lParamCookie);
}

bool CExtColorButton::OnTrackDropDownMenu(bool bSelectFirst) {
  if (GetSafeHwnd() == NULL)
    return false;
  UINT nAlign = m_nMenuAlign;
  CWnd* pBarOwner = FindBarMenuOwner(nAlign);
  CWnd* pReceiver = pBarOwner != NULL ? pBarOwner : this;
  std::unique_ptr<CExtPopupColorMenuWnd> pPopup(new CExtPopupColorMenuWnd);
  if (!pPopup->InitTopLevel(pReceiver->GetSafeHwnd()))
    return true;
  pPopup->SetLeftAreaWidth(m_nMenuLeftAreaWidth);
  pPopup->m_lParamCookie = m_lParamCookie;
  pPopup->m_nButtonFlags = 0;
  if (m_bShowDefaultColorButton)
    pPopup->m_nButtonFlags |= CExtPopupColorMenuWnd::BUTTON_DEFAULT;
  if (m_bShowCustomColorButton)
    pPopup->m_nButtonFlags |= CExtPopupColorMenuWnd::BUTTON_CUSTOM;
  pPopup->m_clrDefault = m_clrDefault;
  pPopup->m_clrInitial = m_clrSelected;
  if (!m_strDefaultColorText.IsEmpty())
    pPopup->m_sBtnTextDefault = m_strDefaultColorText;
  if (!m_strCustomColorText.IsEmpty())
    pPopup->m_sBtnTextCustom = m_strCustomColorText;
  CRect rcWnd;
  GetWindowRect(&rcWnd);
  const CPoint ptCentre = rcWnd.CenterPoint();
  pReceiver->SetFocus();
  if (pBarOwner != NULL)
    CExtToolControlBar::EndMenuTrackingInAllBars();
  DWORD dwFlags = CExtPopupMenuWnd::TPMX_COMBINE_BY_THEME | nAlign;
  if (bSelectFirst)
    dwFlags |= CExtPopupMenuWnd::TPMX_SELECT_FIRST;
  if (!pPopup->RunTrackingLoop(dwFlags, ptCentre.x, ptCentre.y, &rcWnd, this, &PaintJoinedToMenu, NULL, true))
    return true;
  pPopup.release(); // the tracking deletes it
  if (pBarOwner != NULL)
    CExtToolControlBar::g_bMenuTracking = true;
  return true;
}

LRESULT CExtColorButton::OnColorChanged(WPARAM wParam, LPARAM lParam) {
  return PassToParent(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged, wParam, lParam);
}

LRESULT CExtColorButton::OnColorChangedFinally(WPARAM wParam, LPARAM lParam) {
  if (wParam != (WPARAM)(COLORREF)-1)
    m_clrSelected = (COLORREF)wParam;
  else if (m_clrDefault != (COLORREF)-1)
    // The default-colour choice shows the default colour; the parent still hears -1.
    m_clrSelected = m_clrDefault;
  const HWND hWnd = m_hWnd;
  RepaintNow();
  if (::IsWindow(hWnd))
    PassToParent(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, wParam, lParam);
  return 0;
}

LRESULT CExtColorButton::OnCustomColor(WPARAM /*wParam*/, LPARAM lParam) {
  const HWND hWnd = m_hWnd;
  COLORREF clr = m_clrSelected;
  if (!RunColorDialog(clr) || !::IsWindow(hWnd))
    return 0;
  m_clrSelected = clr;
  PassToParent(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)clr, lParam);
  RepaintNow();
  return 0;
}

bool CExtColorButton::RunColorDialog(COLORREF& clr) {
  if (m_bUseSystemColorDialog) {
    CColorDialog dlg(m_clrSelected, CC_FULLOPEN, this);
    if (dlg.DoModal() != IDOK)
      return false;
    clr = dlg.GetColor();
    return true;
  }
  CExtColorDlg dlg(m_clrSelected, m_clrSelected, this);
  if (dlg.DoModal() != IDOK)
    return false;
  clr = dlg.m_clrNew;
  return true;
}

void CExtColorButton::CreateColorIcon(HICON& hIcon, bool& bOwned) {
  hIcon = CExtPaintManager::CreateColorSampleIcon(m_clrSelected);
  bOwned = hIcon != NULL;
}

void CExtColorButton::PaintButton(CDC& dc, bool bBackgroundDone, bool bForMenu) {
  HICON hIcon = NULL;
  bool bOwned = false;
  CreateColorIcon(hIcon, bOwned);
  PaintFace(dc, bBackgroundDone, bForMenu, hIcon);
  if (bOwned && hIcon != NULL)
    ::DestroyIcon(hIcon);
}
