// The bar button: state bits, measuring, placing and painting.
#include "toolkit/bars/ExtBarButton.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/frame/fw_frame.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_ids.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerGlyphs.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : m_pBar(pBar), m_nCmdID(nCmdID), m_nEffectiveCmdID(nCmdID), m_nStyle(nStyle), m_nLayoutFlags(LF_VISIBLE),
      m_nOptionFlags(0), m_pCtrl(NULL), m_hMenu(NULL) {
  SyncSeparatorStyle();
}

CExtBarButton::~CExtBarButton() {
  if (m_hMenu != NULL && (m_nOptionFlags & OF_AUTO_DESTROY_MENU) != 0 && ::IsMenu(m_hMenu))
    ::DestroyMenu(m_hMenu);
}

void CExtBarButton::UpdateCtrlFromState() {
  if (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL || !::IsWindow(m_pCtrl->GetSafeHwnd()))
    return;
  const bool bShow =
      IsVisible() && (m_nStyle & TBBS_HIDDEN) == 0 && (!IsVerticalLayout() || IsCtrlVisibleVertically());
  m_pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
  m_pCtrl->EnableWindow((m_nStyle & TBBS_DISABLED) == 0);
  if (m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton))) {
    WPARAM nCheck = 0;
    if (IsPressed())
      nCheck = 1;
    else if (IsIndeterminate())
      nCheck = 2;
    m_pCtrl->SendMessage(BM_SETCHECK, nCheck, 0);
  }
}

bool CExtBarButton::IsLargeIcons() const {
  if (m_pBar == NULL || IsSeparator())
    return false;
  return m_pBar->IsLargeIcons();
}

bool CExtBarButton::IsDisplayTips() const {
  if (m_pBar == NULL || IsSeparator())
    return false;
  return m_pBar->IsDisplayTips();
}

bool CExtBarButton::IsDisplayShortcutKeysInTips() const {
  if (m_pBar == NULL || IsSeparator())
    return false;
  return m_pBar->IsDisplayShortcutKeysInTips();
}

UINT CExtBarButton::GetCmdID(bool bEffective) const { return bEffective ? m_nEffectiveCmdID : m_nCmdID; }

void CExtBarButton::SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bRecalcLayout) {
  const UINT nOldEffective = m_nEffectiveCmdID;
  m_nEffectiveCmdID = nCmdID;
  if (!bEffectiveOnly) {
    m_nCmdID = nCmdID;
    SyncSeparatorStyle();
  }
  if (!bRecalcLayout || m_nEffectiveCmdID == nOldEffective || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
    return;
  m_pBar->Invalidate();
  CFrameWnd* pFrame = m_pBar->GetParentFrame();
  if (pFrame != NULL)
    pFrame->RecalcLayout();
  else
    m_pBar->RecalcParentFrameLayout();
}

bool CExtBarButton::IsSeparatedDropDown() const { return (m_nOptionFlags & OF_SEPARATED_DROPDOWN) != 0; }

void CExtBarButton::SetSeparatedDropDown(bool bSet) { SetOption(OF_SEPARATED_DROPDOWN, bSet); }

bool CExtBarButton::IsAutoChangeCmdID() const { return (m_nOptionFlags & OF_AUTO_CHANGE_CMD) != 0; }

void CExtBarButton::SetAutoChangeCmdID(bool bSet) { SetOption(OF_AUTO_CHANGE_CMD, bSet); }

bool CExtBarButton::IsNoRotateVerticalLayout() const {
  if (m_pBar != NULL && m_pBar->IsPanelBar())
    return true;
  return (m_nOptionFlags & OF_NO_ROTATE) != 0;
}

void CExtBarButton::SetNoRotateVerticalLayout(bool bSet) { SetOption(OF_NO_ROTATE, bSet); }

bool CExtBarButton::IsCtrlVisibleVertically() const { return (m_nOptionFlags & OF_CTRL_VISIBLE_VERT) != 0; }

void CExtBarButton::SetCtrlVisibleVertically(bool bSet) { SetOption(OF_CTRL_VISIBLE_VERT, bSet); }

CWnd* CExtBarButton::GetCtrl() { return m_pCtrl; }

void CExtBarButton::SetCtrl(CWnd* pCtrl, bool bNoDelete) {
  if (m_pCtrl != NULL && m_pCtrl != pCtrl) {
    CWnd* pOld = m_pCtrl;
    m_pCtrl = NULL;
    if (pOld->GetSafeHwnd() != NULL && ::IsWindow(pOld->GetSafeHwnd()))
      pOld->DestroyWindow();
    if ((m_nLayoutFlags & LF_CTRL_NO_DELETE) == 0)
      delete pOld;
  }
  m_pCtrl = pCtrl;
  if (bNoDelete)
    m_nLayoutFlags |= LF_CTRL_NO_DELETE;
  else
    m_nLayoutFlags &= (BYTE)~LF_CTRL_NO_DELETE;
  UpdateCtrlFromState();
}

UINT CExtBarButton::GetStyle() const { return m_nStyle; }

void CExtBarButton::SetStyle(UINT nStyle) {
  m_nStyle = nStyle;
  OnStyleChanged();
}

void CExtBarButton::ModifyStyle(UINT nAdd, UINT nRemove) {
  m_nStyle = (m_nStyle | nAdd) & ~nRemove;
  OnStyleChanged();
}

void CExtBarButton::SetPressedTracking() { m_nOptionFlags |= OF_PRESSED_TRACKING; }

void CExtBarButton::ClearPressedTracking() { m_nOptionFlags &= (BYTE)~OF_PRESSED_TRACKING; }

bool CExtBarButton::IsPressedTracking() const { return (m_nOptionFlags & OF_PRESSED_TRACKING) != 0; }

void CExtBarButton::SetVertical(bool bVertical) {
  if (bVertical)
    m_nLayoutFlags |= LF_VERTICAL;
  else
    m_nLayoutFlags &= (BYTE)~LF_VERTICAL;
}

bool CExtBarButton::IsWrap(int nMode) const {
  if (nMode < 0 || nMode > 2)
    return false;
  return (m_nLayoutFlags & (LF_WRAP_MODE0 << nMode)) != 0;
}

void CExtBarButton::SetWrap(int nMode, bool bWrap) {
  if (nMode < 0 || nMode > 2)
    return;
  const BYTE nBit = (BYTE)(LF_WRAP_MODE0 << nMode);
  if (bWrap)
    m_nLayoutFlags |= nBit;
  else
    m_nLayoutFlags &= (BYTE)~nBit;
}

bool CExtBarButton::IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }

bool CExtBarButton::IsDisabled() const { return (m_nStyle & TBBS_DISABLED) != 0; }

bool CExtBarButton::IsIndeterminate() const { return (m_nStyle & TBBS_INDETERMINATE) != 0; }

bool CExtBarButton::IsPressed() const { return (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0; }

void CExtBarButton::SetVisible(bool bVisible) {
  if (bVisible)
    m_nLayoutFlags |= LF_VISIBLE;
  else
    m_nLayoutFlags &= (BYTE)~LF_VISIBLE;
  UpdateCtrlFromState();
}

bool CExtBarButton::IsVisible() const { return (m_nLayoutFlags & LF_VISIBLE) != 0; }

void CExtBarButton::SetHover(bool bHover) {
  if (bHover)
    m_nLayoutFlags |= LF_HOVER;
  else
    m_nLayoutFlags &= (BYTE)~LF_HOVER;
  UpdateCtrlFromState();
}

bool CExtBarButton::IsHover() const { return (m_nLayoutFlags & LF_HOVER) != 0; }

CString CExtBarButton::GetText() const {
  if (IsSeparator())
    return CString();
  const CExtCmdItem* pItem = FindCmdItem();
  if (pItem == NULL)
    return CString();
  CString sText = pItem->m_sToolbarText;
  const int nTab = sText.Find('\t');
  if (nTab >= 0)
    sText = sText.Left(nTab);
  return sText;
}

void CExtBarButton::SetRect(const RECT& rc) {
  m_rc = rc;
  if (IsCtrlShown()) {
    CRect rcCtrl;
    m_pCtrl->GetWindowRect(&rcCtrl);
    int x = m_rc.left, y = m_rc.top;
    // Only the axis across the bar is centred; the control keeps its own size.
    if (IsVerticalLayout())
      x += (m_rc.Width() - rcCtrl.Width()) / 2;
    else
      y += (m_rc.Height() - rcCtrl.Height()) / 2;
    m_pCtrl->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  UpdateCtrlFromState();
}

CRect CExtBarButton::GetRect() const { return m_rc; }

CRect CExtBarButton::GetDropDownRect() const {
  CRect rc(m_rc);
  const bool bHorz = m_pBar == NULL || !m_pBar->IsDockedVertically() || IsNoRotateVerticalLayout();
  if (bHorz) {
    const int nStrip = (int)GetNamedGlyph(NG_ARROW_DOWN_5X3).GetSize().cx + 6;
    if (IsBarRightToLeft())
      rc.right = rc.left + nStrip;
    else
      rc.left = rc.right - nStrip;
  } else {
    rc.top = rc.bottom - ((int)GetNamedGlyph(NG_ARROW_RIGHT_3X5).GetSize().cy + 6);
  }
  return rc;
}

CSize CExtBarButton::GetSize() const { return m_size; }

void CExtBarButton::SetMenu(HMENU hMenu, bool bPopupMenu, bool bAutoDestroy) {
  if (m_hMenu != NULL && m_hMenu != hMenu && (m_nOptionFlags & OF_AUTO_DESTROY_MENU) != 0 &&
      ::IsMenu(m_hMenu))
    ::DestroyMenu(m_hMenu);
  m_hMenu = hMenu;
  if (bPopupMenu)
    m_nLayoutFlags |= LF_POPUP_MENU;
  else
    m_nLayoutFlags &= (BYTE)~LF_POPUP_MENU;
  if (bAutoDestroy)
    m_nOptionFlags |= OF_AUTO_DESTROY_MENU;
  else
    m_nOptionFlags &= (BYTE)~OF_AUTO_DESTROY_MENU;
}

HMENU CExtBarButton::GetMenu() const { return m_hMenu; }

void CExtBarButton::SetAppendMdiWindowsMenu(bool bSet) {
  if (bSet)
    m_nOptionFlags |= OF_APPEND_MDI_WINDOWS;
  else
    m_nOptionFlags &= (BYTE)~OF_APPEND_MDI_WINDOWS;
}

bool CExtBarButton::IsAppendMdiWindowsMenu() const { return (m_nOptionFlags & OF_APPEND_MDI_WINDOWS) != 0; }

bool CExtBarButton::IsAbleToTrackMenu(bool /*bCustomizeMode*/) const {
  return m_hMenu != NULL || IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

bool CExtBarButton::IsTrackingAllowedWhenDisabled() const { return IsAbleToTrackMenu(false); }

CSize CExtBarButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) {
  if (IsNoRotateVerticalLayout())
    bHorz = true;
  if (IsCtrlShown()) {
    CRect rcCtrl;
    m_pCtrl->GetWindowRect(&rcCtrl);
    m_size = CSize(rcCtrl.Width(), std::max((int)rcCtrl.Height(), (int)sizePreCalc.cy));
    return m_size;
  }
  m_size = sizePreCalc;
  if (IsSeparator()) {
    (bHorz ? m_size.cx : m_size.cy) = 6;
    return m_size;
  }
  if (FindCmdItem() == NULL)
    return m_size;
  CSize sizeContent = MeasureContent(dc, bHorz);
  m_size.cx = std::max((int)m_size.cx, (int)sizeContent.cx + 6);
  m_size.cy = std::max((int)m_size.cy, (int)sizeContent.cy + 6);
  if (IsAbleToTrackMenu(false) && (m_pBar == NULL || !m_pBar->IsMenuBar())) {
    if (bHorz)
      m_size.cx += (int)GetNamedGlyph(NG_ARROW_DOWN_5X3).GetSize().cx + 6;
    else
      m_size.cy += (int)GetNamedGlyph(NG_ARROW_RIGHT_3X5).GetSize().cy + 6;
  }
  return m_size;
}

CSize CExtBarButton::MeasureContent(CDC& dc, bool bHorz) {
  CSize sizeIcon(0, 0);
  CExtCmdIcon* pIcon = GetIconPtr();
  if (pIcon != NULL && !pIcon->IsEmpty()) {
    const SIZE size = pIcon->GetSize();
    sizeIcon = CSize(size.cx, size.cy);
    if (IsLargeIcons())
      sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
  }
  const CString sText = StripMnemonics(GetText());
  if (sText.IsEmpty())
    return sizeIcon;
  CRect rcText(0, 0, 0, 0);
  // The markers are gone already: a remaining "&" is a real one and is measured as such.
  dc.DrawText(sText, &rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  // The icon-text gap only exists when there is text: an icon-only button stays square.
  if (bHorz)
    return CSize(sizeIcon.cx + 6 + rcText.Width(), std::max((int)sizeIcon.cy, (int)rcText.Height()));
  return CSize(std::max((int)sizeIcon.cx, (int)rcText.Height()), sizeIcon.cy + rcText.Width() + 3);
}

CExtCmdIcon* CExtBarButton::GetIconPtr() {
  LPCSTR lpszProfile = GetProfileName();
  if (lpszProfile == NULL)
    return NULL;
  return g_CmdManagerHolder->GetCommandIcon(lpszProfile, m_nEffectiveCmdID);
}

CWnd* CExtBarButton::GetCmdTargetWnd() {
  if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
    return NULL;
  return m_pBar->GetOwner();
}

void CExtBarButton::Paint(CDC& dc, bool bHorz) {
  if (IsCtrlShown() || m_rc.IsRectEmpty() || !IsVisible() || (m_nStyle & TBBS_HIDDEN) != 0 ||
      dc.GetSafeHdc() == NULL)
    return;
  const bool bPushed = IsPressed();
  const bool bEnabled = !IsDisabled();
  const bool bHot = !CExtPopupMenuWnd::AnyMenuTracked() && (IsHover() || IsPressedTracking());
  const bool bFlat = !(bEnabled && (bHot || bPushed));
  const bool bMenuBar = m_pBar != NULL && m_pBar->IsMenuBar();
  const bool bDropDown = IsAbleToTrackMenu(false) && !bMenuBar;
  const CString sText = GetText();
  CExtCmdIcon* pIcon = GetIconPtr();
  CExtCmdIcon iconLarge;
  if (pIcon != NULL && !pIcon->IsEmpty() && IsLargeIcons()) {
    const SIZE size = pIcon->GetSize();
    if (iconLarge.CreateScaledCopy(*pIcon, size.cx * 2, size.cy * 2))
      pIcon = &iconLarge;
  }
  CFont* pFont = m_pBar != NULL ? m_pBar->GetBarFont(!bHorz) : NULL;
  PushButtonPaintData data(this, bHorz, m_rc, sText, pIcon, bFlat, bHot, bPushed, IsIndeterminate(), bEnabled,
                           false, false, false, 1, pFont != NULL ? (HFONT)*pFont : NULL, bDropDown);
  if (IsSeparatedDropDown()) {
    data.splitDropDown = 1;
    if (bPushed && ((m_nOptionFlags & OF_DROPDOWN_HIT) != 0 || CExtToolControlBar::g_bMenuTracking))
      data.dropDownPushed = 1;
  }
  data.lParam = GetPaintParam(dc);
  g_PaintManagerHolder->PaintPushButton(dc, data);
}

LPARAM CExtBarButton::GetPaintParam(CDC& dc) {
  if (m_pBar == NULL)
    return 0;
  return m_pBar->GetButtonPaintParam(dc, this);
}

bool CExtBarButton::IsPlainCommandButton() const {
  if (IsSeparator())
    return false;
  return m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL || !::IsWindow(m_pCtrl->GetSafeHwnd());
}

void CExtBarButton::RedrawButton(bool bUpdateNow) {
  if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || !IsVisible() || (m_nStyle & TBBS_HIDDEN) != 0)
    return;
  m_pBar->InvalidateRect(&m_rc, FALSE);
  if (bUpdateNow)
    m_pBar->UpdateWindow();
}

UINT CExtBarButton::GetMenuAlignment() const {
  if (m_pBar == NULL)
    return 4;
  if (m_pBar->IsDialogMode()) {
    const DWORD dwStyle = m_pBar->GetBarStyle();
    if ((dwStyle & CBRS_ALIGN_RIGHT) != 0)
      return 3;
    if ((dwStyle & CBRS_ALIGN_LEFT) != 0)
      return 1;
    if ((dwStyle & CBRS_ALIGN_BOTTOM) != 0)
      return 6;
    return 4;
  }
  if (m_pBar->IsFloating())
    return 4;
  switch (m_pBar->GetDockBarCtrlId()) {
  case AFX_IDW_DOCKBAR_LEFT:
    return 1;
  case AFX_IDW_DOCKBAR_RIGHT:
    return 3;
  case AFX_IDW_DOCKBAR_BOTTOM:
    return 6;
  default:
    return 4;
  }
}

bool CExtBarButton::OnSetCursor(CPoint /*point*/) { return false; }

bool CExtBarButton::IsCtrlShown() const {
  if (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL || !::IsWindow(m_pCtrl->GetSafeHwnd()))
    return false;
  return !IsVerticalLayout() || IsCtrlVisibleVertically();
}

CString CExtBarButton::StripMnemonics(const CString& sText) {
  CString sOut;
  const int nLen = sText.GetLength();
  for (int i = 0; i < nLen; ++i) {
    const char ch = sText[i];
    if (ch == '&') {
      if (i + 1 < nLen && sText[i + 1] == '&') {
        sOut += '&';
        ++i;
      }
      continue;
    }
    sOut += ch;
  }
  return sOut;
}

HWND CExtBarButton::GetBarSafeHwnd() const { return m_pBar != NULL ? m_pBar->GetSafeHwnd() : NULL; }

bool CExtBarButton::IsBarVertical() const { return m_pBar != NULL && m_pBar->IsDockedVertically(); }

bool CExtBarButton::IsHotFrameSuppressed() const { return false; }

void CExtBarButton::SyncSeparatorStyle() {
  if (m_nCmdID == 0)
    m_nStyle |= TBBS_SEPARATOR;
  else
    m_nStyle &= ~(UINT)TBBS_SEPARATOR;
  if ((m_nStyle & TBBS_SEPARATOR) != 0)
    m_nCmdID = m_nEffectiveCmdID = 0;
}

void CExtBarButton::OnStyleChanged() {
  if ((m_nStyle & TBBS_PRESSED) == 0)
    m_nOptionFlags &= (BYTE)~OF_DROPDOWN_HIT;
  if ((m_nStyle & TBBS_SEPARATOR) != 0)
    m_nCmdID = m_nEffectiveCmdID = 0;
  UpdateCtrlFromState();
}

void CExtBarButton::SetOption(BYTE nBit, bool bSet) {
  if (bSet)
    m_nOptionFlags |= nBit;
  else
    m_nOptionFlags &= (BYTE)~nBit;
  UpdateCtrlFromState();
}

bool CExtBarButton::IsBarRightToLeft() const {
  if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
    return false;
  HWND hWnd = m_pBar->GetSafeHwnd();
  if (m_pBar->m_pDockBar == NULL && ::GetParent(hWnd) != NULL)
    hWnd = ::GetParent(hWnd);
  return (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

CRect CExtBarButton::GetScreenRect() const {
  CRect rc(m_rc);
  if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL)
    m_pBar->ClientToScreen(&rc);
  return rc;
}

LPCSTR CExtBarButton::GetProfileName() const {
  HWND hBar = GetBarSafeHwnd();
  if (hBar == NULL || !::IsWindow(hBar))
    return NULL;
  return g_CmdManagerHolder->GetProfileNameForWindow(hBar);
}

CExtCmdItem* CExtBarButton::FindCmdItem() const {
  LPCSTR lpszProfile = GetProfileName();
  if (lpszProfile == NULL)
    return NULL;
  return g_CmdManagerHolder->FindCommand(lpszProfile, m_nEffectiveCmdID);
}
