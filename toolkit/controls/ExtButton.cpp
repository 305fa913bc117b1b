#include "toolkit/controls/ExtButton.h"

#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtSystemChanges.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

IMPLEMENT_DYNCREATE(CExtButton, CButton)

BEGIN_MESSAGE_MAP(CExtButton, CButton)
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
ON_WM_KILLFOCUS()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_ENABLE()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgPutToPopupMenu, OnPutToPopupMenu)
END_MESSAGE_MAP()

namespace {

bool IsPushType(UINT nType) {
  return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_USERBUTTON ||
         nType == BS_OWNERDRAW;
}

} // namespace

CExtButton::CExtButton()
    : m_nMenuAlign(4), m_nMenuLeftAreaWidth(0), m_nMnemonicFlags(MNEMONIC_ENABLED | MNEMONIC_DROPDOWN),
      m_nTextAlign(5), m_nButtonType(BS_PUSHBUTTON), m_nCheck(0),
      m_nStateFlags(STATE_FOCUS_RECT | STATE_BORDER), m_nStateFlags2(0), m_nPushedPart(PART_NONE),
      m_hCursor(NULL), m_hIconIn(NULL), m_hIconOut(NULL) {
  for (COLORREF& clr : m_clrOverride)
    clr = (COLORREF)-1;
}

CExtButton::~CExtButton() {
  DestroyIcons();
  if (m_hCursor != NULL)
    ::DestroyCursor(m_hCursor);
  if (m_wndToolTip.GetSafeHwnd() != NULL)
    m_wndToolTip.DestroyWindow();
  if (m_menu.GetSafeHmenu() != NULL)
    m_menu.DestroyMenu();
}

void CExtButton::DestroyIcons() {
  if (m_hIconOut != NULL && m_hIconOut != m_hIconIn)
    ::DestroyIcon(m_hIconOut);
  if (m_hIconIn != NULL)
    ::DestroyIcon(m_hIconIn);
  m_hIconIn = m_hIconOut = NULL;
  m_iconPainted.Empty();
  m_hIconPainted = NULL;
}

void CExtButton::SetIcon(HICON hIconIn, HICON hIconOut) {
  DestroyIcons();
  m_hIconIn = hIconIn;
  m_hIconOut = hIconOut != NULL ? hIconOut : hIconIn;
  RepaintNow();
}

void CExtButton::SetIcon(UINT nIdIn, UINT nIdOut) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HICON hIn = nIdIn == 0
                  ? NULL
                  : (HICON)::LoadImageA(hInst, MAKEINTRESOURCEA(nIdIn), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
  HICON hOut = nIdOut == 0
                   ? NULL
                   : (HICON)::LoadImageA(hInst, MAKEINTRESOURCEA(nIdOut), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
  SetIcon(hIn, hOut);
}

void CExtButton::SetFlat(bool bFlat) {
  if (GetSafeHwnd() == NULL)
    return;
  ModifyStyle(bFlat ? 0 : BS_FLAT, bFlat ? BS_FLAT : 0, SWP_FRAMECHANGED);
  RepaintNow();
}

bool CExtButton::GetFlat() const { return GetSafeHwnd() != NULL && (GetStyle() & BS_FLAT) != 0; }

void CExtButton::SetDrawFlag1(bool bSet) {
  if (bSet)
    m_nStateFlags |= STATE_BORDER;
  else
    m_nStateFlags &= (BYTE)~STATE_BORDER;
  RepaintNow();
}

bool CExtButton::IsDefaultButton() const { return m_nButtonType == BS_DEFPUSHBUTTON; }

void CExtButton::SetBtnCursor(HCURSOR hCursor) {
  if (m_hCursor != NULL && m_hCursor != hCursor)
    ::DestroyCursor(m_hCursor);
  m_hCursor = hCursor;
}

void CExtButton::SetSeparatedDropDown(bool bSet) {
  if (bSet)
    m_nStateFlags |= STATE_SEPARATED_DROPDOWN;
  else
    m_nStateFlags &= (BYTE)~STATE_SEPARATED_DROPDOWN;
  RepaintNow();
}

void CExtButton::RepaintNow() {
  // A button not on the screen is painted whole when it shows: a panel of many buttons set up
  // before its frame shows skips a round of invalidating and updating for each of them.
  if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd) || !::IsWindowVisible(m_hWnd))
    return;
  Invalidate(FALSE);
  UpdateWindow();
}

void CExtButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  const DWORD dwStyle = GetStyle();
  m_nButtonType = dwStyle & BS_TYPEMASK;
  // Read before the style changes: the system keeps no check for an owner-drawn button.
  m_nCheck = (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0);
  // Still the native procedure here, which stores the new type.
  ::SendMessageA(m_hWnd, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
  switch (dwStyle & BS_CENTER) {
  case BS_LEFT:
    m_nTextAlign = 4;
    break;
  case BS_RIGHT:
    m_nTextAlign = 6;
    break;
  case BS_CENTER:
    m_nTextAlign = 5;
    break;
  default:
    m_nTextAlign = (IsPushType(m_nButtonType) || (dwStyle & BS_PUSHLIKE) != 0) ? 5 : 4;
    break;
  }
  PostMessage(WM_ENABLE, IsWindowEnabled(), 0);
}

bool CExtButton::IsButtonEnabled() const {
  if (GetSafeHwnd() == NULL)
    return false;
  return IsWindowEnabled() != FALSE;
}

bool CExtButton::HasMenu() const { return m_menu.GetSafeHmenu() != NULL; }

bool CExtButton::OnMnemonicActivate() {
  OnClick(true, (m_nMnemonicFlags & MNEMONIC_DROPDOWN) != 0);
  return true;
}

int CExtButton::GetTipMaxWidth(const CString& /*sText*/) const { return 250; }

void CExtButton::GetButtonText(CString& sText) const {
  sText.Empty();
  if (GetSafeHwnd() != NULL)
    GetWindowText(sText);
}

HFONT CExtButton::GetButtonFont() const {
  HFONT hFont = NULL;
  if (GetSafeHwnd() != NULL) {
    hFont = (HFONT)::SendMessageA(m_hWnd, WM_GETFONT, 0, 0);
    HWND hParent = ::GetParent(m_hWnd);
    if (hFont == NULL && hParent != NULL)
      hFont = (HFONT)::SendMessageA(hParent, WM_GETFONT, 0, 0);
  }
  if (hFont == NULL)
    hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
  if (hFont == NULL)
    hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
  return hFont;
}

LRESULT CExtButton::PassToParent(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hParent = GetSafeHwnd() != NULL ? ::GetParent(m_hWnd) : NULL;
  return hParent != NULL ? ::SendMessageA(hParent, message, wParam, lParam) : 0;
}

bool CExtButton::SendCommandToParent() {
  HWND hParent = GetSafeHwnd() != NULL ? ::GetParent(m_hWnd) : NULL;
  if (hParent == NULL)
    return false;
  ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
  return true;
}

LRESULT CExtButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_UPDATEUISTATE:
    return 0;
  case WM_ENABLE:
    // OnEnable repaints at once.
    break;
  case WM_SETTEXT: {
    const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
    RepaintNow();
    return lResult;
  }
  case BM_GETCHECK:
    return m_nCheck;
  case BM_SETCHECK:
    m_nCheck = (int)wParam;
    RepaintNow();
    return 0;
  case BM_SETSTYLE:
    m_nButtonType = (UINT)wParam & BS_TYPEMASK;
    RepaintNow();
    return 0;
  case WM_NOTIFY: {
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != NULL && m_wndToolTip.GetSafeHwnd() != NULL && pHdr->hwndFrom == m_wndToolTip.GetSafeHwnd() &&
        pHdr->code == TTN_SHOW) {
      ::SetWindowPos(pHdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return 0;
    }
    break;
  }
  case WM_SIZE:
  case WM_WINDOWPOSCHANGED:
  case BM_SETSTATE:
  case BM_CLICK:
  case BM_SETIMAGE:
  case WM_LBUTTONDBLCLK: {
    const HWND hWnd = m_hWnd;
    const LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
    if (::IsWindow(hWnd))
      RepaintNow();
    return lResult;
  }
  default:
    break;
  }
  if (message == CExtToolControlBar::g_nMsgContinueTrackMenu) {
    OnTrackDropDownMenu(lParam != 0);
    return 1;
  }
  if (message == CExtPopupMenuWnd::g_nMsgPrepareMenu || message == CExtPopupMenuWnd::g_nMsgPopupNext ||
      message == CExtPopupMenuWnd::g_nMsgPopupPrev || message == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded ||
      message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed ||
      message == CExtPopupMenuWnd::g_nMsgPopupDrawItem ||
      message == CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea)
    return PassToParent(message, wParam, lParam);
  return CButton::WindowProc(message, wParam, lParam);
}

LRESULT CExtButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND hWnd = m_hWnd;
  const LRESULT lResult = CButton::DefWindowProc(message, wParam, lParam);
  switch (message) {
  case WM_SIZE:
  case WM_SETTEXT:
  case WM_WINDOWPOSCHANGED:
  case BM_SETCHECK:
  case BM_SETSTATE:
  case BM_SETSTYLE:
  case BM_CLICK:
  case BM_SETIMAGE:
    if (::IsWindow(hWnd))
      ::InvalidateRect(hWnd, NULL, FALSE);
    break;
  default:
    break;
  }
  return lResult;
}

void CExtButton::OnPaint() {
  if (m_nButtonType == BS_OWNERDRAW || m_nButtonType == BS_USERBUTTON) {
    Default();
    return;
  }
  CPaintDC dcPaint(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
  PaintButton(dc, false, false);
}

void CExtButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct == NULL || (m_nStateFlags2 & STATE2_ENABLING) != 0)
    return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect rcClient;
  GetClientRect(&rcClient);
  CExtMemoryDC dc(pDC, &rcClient, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
  PaintButton(dc, false, false);
}

BOOL CExtButton::OnEraseBkgnd(CDC* /*pDC*/) { return TRUE; }

void CExtButton::OnEnable(BOOL bEnable) {
  m_nStateFlags2 |= STATE2_ENABLING;
  CButton::OnEnable(bEnable);
  m_nStateFlags2 &= (BYTE)~STATE2_ENABLING;
  RepaintNow();
}

void CExtButton::OnSysColorChange() {
  CButton::OnSysColorChange();
  ExtSystemChanges::SysColorChanged(this);
}

void CExtButton::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CButton::OnSettingChange(uFlags, lpszSection);
  ExtSystemChanges::SettingChanged(this, uFlags, lpszSection);
}

LRESULT CExtButton::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = Default();
  ExtSystemChanges::DisplayChanged(this, wParam, lParam);
  return lResult;
}

LRESULT CExtButton::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = Default();
  ExtSystemChanges::ThemeChanged(this, wParam, lParam);
  return lResult;
}

LRESULT CExtButton::OnPutToPopupMenu(WPARAM wParam, LPARAM /*lParam*/) {
  return PutToPopupMenu(reinterpret_cast<CExtPopupMenuWnd*>(wParam)) ? 1 : 0;
}

bool CExtButton::PaintBackground(CDC& dc, const CRect& rcClient, bool bFocus, bool bFlat) {
  const bool bOverride = m_clrOverride[0] != (COLORREF)-1;
  if (!bFocus && !bFlat && !bOverride && g_PaintManagerHolder->HasDockerBackground(this)) {
    CExtPaintManager::ExcludeChildAreas(dc.GetSafeHdc(), m_hWnd, &CExtPaintManager::FilterTransparentChild);
    if (g_PaintManagerHolder->PaintDockerBackground(true, dc, this))
      return true;
  }
  dc.FillSolidRect(&rcClient, bOverride ? m_clrOverride[0]
                                        : g_PaintManagerHolder->ColorByLogicalId(
                                              CExtPaintManager::LOGICAL_COLOR_FIRST, this));
  return false;
}

bool CExtButton::CreatePaintFont(CFont& font, bool bBold) const {
  LOGFONTA lf = {};
  if (::GetObjectA(GetButtonFont(), sizeof(lf), &lf) == 0)
    return false;
  lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
  return font.CreateFontIndirect(&lf) != FALSE;
}

namespace {

bool IsCheckType(UINT nType) {
  return nType == BS_CHECKBOX || nType == BS_AUTOCHECKBOX || nType == BS_RADIOBUTTON || nType == BS_3STATE ||
         nType == BS_AUTO3STATE || nType == BS_AUTORADIOBUTTON;
}

} // namespace

void CExtButton::PaintButton(CDC& dc, bool bBackgroundDone, bool bForMenu) {
  PaintFace(dc, bBackgroundDone, bForMenu, NULL);
}

bool CExtButton::ReadFaceState(FaceState& face) const {
  if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd))
    return false;
  GetClientRect(&face.rcClient);
  GetButtonText(face.sText);
  face.dwStyle = GetStyle();
  face.bFocus = ::GetFocus() == m_hWnd && (m_nStateFlags & STATE_FOCUS_RECT) != 0;
  face.bFlat = (face.dwStyle & BS_FLAT) != 0;
  face.bHover = (m_nStateFlags & STATE_HOVER) != 0 && !CExtPopupMenuWnd::AnyMenuTracked();
  if (DYNAMIC_DOWNCAST(CControlBar, GetParent()) != NULL) {
    face.bFlat = true;
    face.bFocus = false;
  }
  return true;
}

void CExtButton::PaintFace(CDC& dc, bool bBackgroundDone, bool bForMenu, HICON hSwatch) {
  FaceState face;
  if (!ReadFaceState(face))
    return;
  auto& [rcClient, sText, dwStyle, bFocus, bFlat, bHover] = face;
  const bool bDefault = m_nButtonType == BS_DEFPUSHBUTTON;
  bool bPushed = (m_nStateFlags & STATE_PUSHED) != 0;
  const bool bEnabled = IsButtonEnabled();
  bool bBorder = (m_nStateFlags & STATE_BORDER) != 0;
  CExtCmdIcon icon;
  CExtCmdIcon* pIcon = &icon;
  HICON hIcon = bHover ? m_hIconIn : m_hIconOut;
  if (hSwatch != NULL) {
    icon.AssignFromHIcon(hSwatch, true);
    const bool bMenuTracked = CExtPopupMenuWnd::AnyMenuTracked();
    bBorder = bBorder && !bMenuTracked;
    bFocus = bFocus && !bMenuTracked && !sText.IsEmpty();
  } else if (IsCheckType(m_nButtonType) && (dwStyle & BS_PUSHLIKE) == 0) {
    // A check or radio button shown as a push button carries its mark as a glyph.
    const bool bRadio = m_nButtonType == BS_RADIOBUTTON || m_nButtonType == BS_AUTORADIOBUTTON;
    if (m_nCheck == 0)
      icon.CreateBlankGlyph((COLORREF)-1, 24, 16, NULL);
    else if (bRadio)
      icon.CreateRadioGlyph((COLORREF)-1, (COLORREF)-1, 24, 16, NULL);
    else
      icon.CreateCheckGlyph((COLORREF)-1, (COLORREF)-1, 24, 16, NULL);
    bFlat = true;
    bFocus = false;
  } else {
    if (hIcon != NULL && hIcon != m_hIconPainted) {
      m_iconPainted.AssignFromHIcon(hIcon, true);
      m_hIconPainted = hIcon;
    }
    if (hIcon != NULL)
      pIcon = &m_iconPainted;
    if (IsCheckType(m_nButtonType) && m_nCheck != 0)
      bPushed = true;
  }
  if (!bBackgroundDone)
    bBackgroundDone = PaintBackground(dc, rcClient, bFocus, bFlat);
  CFont font;
  CreatePaintFont(font, bDefault);
  PushButtonPaintData data(this, true, rcClient, sText, pIcon->IsEmpty() ? NULL : pIcon, bFlat, bHover,
                           bPushed, false, bEnabled, bBorder, bFocus, bDefault, m_nTextAlign,
                           font.GetSafeHandle() != NULL ? (HFONT)font : GetButtonFont(), HasMenu(), 0,
                           bBackgroundDone);
  if ((m_nStateFlags & STATE_SEPARATED_DROPDOWN) != 0) {
    data.splitDropDown = 1;
    if (m_nPushedPart == PART_DROPDOWN && bPushed) {
      data.pushed = 0;
      data.dropDownPushed = 1;
    }
  }
  data.textColorDisabled = m_clrOverride[1];
  data.textColorNormal = m_clrOverride[2];
  data.textColorHover = m_clrOverride[3];
  data.textColorPushed = m_clrOverride[4];
  data.faceColor = m_clrOverride[0];
  if (bForMenu && (GetExStyle() & WS_EX_LAYOUTRTL) != 0)
    data.rightToLeft = 1;
  if ((dwStyle & BS_MULTILINE) != 0)
    data.wordBreak = 1;
  g_PaintManagerHolder->PaintPushButton(dc, data);
}

void CExtButton::PaintJoinedToMenu(LPVOID pCookie, CDC& dc, const CWnd& wndMenu, const RECT& /*rcArea*/,
                                   int /*nCombineSide*/) {
  CExtButton* pButton = static_cast<CExtButton*>(pCookie);
  if (pButton == NULL || !::IsWindow(pButton->GetSafeHwnd()) || wndMenu.GetSafeHwnd() == NULL)
    return;
  POINT ptButton = {0, 0};
  POINT ptMenu = {0, 0};
  ::ClientToScreen(pButton->GetSafeHwnd(), &ptButton);
  ::ClientToScreen(wndMenu.GetSafeHwnd(), &ptMenu);
  const CPoint ptOld = dc.OffsetViewportOrg(ptButton.x - ptMenu.x, ptButton.y - ptMenu.y);
  pButton->PaintButton(dc, true, true);
  dc.SetViewportOrg(ptOld);
}
