// The popup menu hosting one control: its geometry, and the input the tracking hooks catch handed
// on to the control as records. The calendar menu is in ExtPopupDatePickerMenu.cpp, the undo/redo
// menu in ExtPopupUndoRedoMenu.cpp.
#include "toolkit/menus/ExtPopupControlMenuWnd.h"

#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <utility>

IMPLEMENT_DYNCREATE(CExtPopupControlMenuWnd, CExtPopupMenuWnd)

bool CExtPopupControlMenuWnd::g_bControlMenuShadow = false;

namespace {

const char kTearOffHint[] = "Drag to make this menu float";

// The mouse-key flags of a move, as the pointer messages carry them.
DWORD CurrentMouseKeyFlags() {
  const std::pair<int, DWORD> keys[] = {{VK_LBUTTON, MK_LBUTTON},
                                        {VK_RBUTTON, MK_RBUTTON},
                                        {VK_MBUTTON, MK_MBUTTON},
                                        {VK_SHIFT, MK_SHIFT},
                                        {VK_CONTROL, MK_CONTROL}};
  DWORD dwFlags = 0;
  for (const auto& key : keys)
    if (::GetKeyState(key.first) < 0)
      dwFlags |= key.second;
  return dwFlags;
}

} // namespace

CExtPopupControlMenuWnd::CExtPopupControlMenuWnd() { m_nAnimationType = ANIM_AT_ONCE; }

CExtPopupControlMenuWnd::~CExtPopupControlMenuWnd() {}

void CExtPopupControlMenuWnd::GetControlRect(RECT& rc) const { rc = m_rcControl; }

HWND CExtPopupControlMenuWnd::CreateHostedControl(CWnd*, const RECT&) { return NULL; }

void CExtPopupControlMenuWnd::AdjustAnimationType(int& nType) { nType = ANIM_AT_ONCE; }

bool CExtPopupControlMenuWnd::IsShadowEnabled() const { return g_bControlMenuShadow; }

bool CExtPopupControlMenuWnd::CanOpenFromItem() const { return !IsHelpMode() && !IsEffectsSuppressed(); }

CSize CExtPopupControlMenuWnd::MeasureMenu() const {
  const int b = GetBorderSize(), h = GetShadowSize();
  return CSize(m_nControlWidth + 2 * b + h + m_nLeftAreaWidth, m_nControlHeight + 2 * b + h);
}

CRect CExtPopupControlMenuWnd::CalcControlRect() const {
  const int b = GetBorderSize();
  CRect rc(0, 0, m_nControlWidth, m_nControlHeight);
  rc.OffsetRect(GetBodyRect().TopLeft());
  rc.OffsetRect(m_nLeftAreaWidth + b, b);
  if (IsTearOffEnabled())
    rc.OffsetRect(0, GetTearOffBarHeight());
  return rc;
}

bool CExtPopupControlMenuWnd::CreateMenuWindow(CWnd* pWndParent) {
  if (!CExtPopupMenuWnd::CreateMenuWindow(pWndParent))
    return false;
  // The menu's own painting stays off the control.
  ModifyStyle(0, WS_CLIPCHILDREN);
  m_rcControl = CalcControlRect();
  const HWND hWndControl = CreateHostedControl(this, m_rcControl);
  if (hWndControl == NULL || !::IsWindow(hWndControl)) {
    // An empty control menu is of no use to anyone: it is not left behind.
    DestroyWindow();
    return false;
  }
  m_hWndControl = hWndControl;
  return true;
}

void CExtPopupControlMenuWnd::RecalcLayoutRects() {
  CExtPopupMenuWnd::RecalcLayoutRects();
  const CRect rc = CalcControlRect();
  if (rc == m_rcControl)
    return;
  m_rcControl = rc;
  if (m_hWndControl == NULL || !::IsWindow(m_hWndControl))
    return;
  ::SetWindowPos(m_hWndControl, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (::IsWindowVisible(m_hWnd))
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

LRESULT CExtPopupControlMenuWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY || message == WM_CLOSE)
    m_hWndControl = NULL;
  return CExtPopupMenuWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Input.

bool CExtPopupControlMenuWnd::IsInputSuspended() const {
  const CExtPopupTrackSite& site = GetTrackSite();
  return site.m_pAnimatedMenu != NULL || site.IsEnding() || site.IsEmpty();
}

bool CExtPopupControlMenuWnd::IsInputForControl(const POINT& ptScreen, bool bFocusOnly) const {
  if (m_hWndControl == NULL || !::IsWindow(m_hWndControl))
    return false;
  const auto isControlOrInside = [this](HWND hWnd) {
    return hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0 &&
           (hWnd == m_hWndControl || ::IsChild(m_hWndControl, hWnd));
  };
  return (!bFocusOnly && isControlOrInside(::WindowFromPoint(ptScreen))) || isControlOrInside(::GetFocus()) ||
         isControlOrInside(::GetCapture());
}

bool CExtPopupControlMenuWnd::IsOverThisMenu(const POINT& ptScreen) const {
  const HWND hWndUnder = ::WindowFromPoint(ptScreen);
  return hWndUnder != NULL && (hWndUnder == m_hWnd || ::IsChild(m_hWnd, hWndUnder));
}

bool CExtPopupControlMenuWnd::Retranslate(InputRecord& rec, bool& bNoEat) {
  if (m_hWndControl == NULL || !::IsWindow(m_hWndControl))
    return false;
  BYTE nLetThrough = 0;
  rec.m_pLetThrough = &nLetThrough;
  rec.m_pMenu = this;
  const LRESULT lResult = ::SendMessageA(m_hWndControl, g_nMsgControlInputRetranslate, (WPARAM)&rec, 0);
  rec.m_pLetThrough = NULL;
  if (nLetThrough != 0) {
    bNoEat = true;
    return false;
  }
  return lResult != 0;
}

bool CExtPopupControlMenuWnd::ReturnToParentMenu() {
  CExtPopupMenuWnd* pParent = m_pParentMenu;
  if (pParent == NULL || pParent->GetSafeHwnd() == NULL)
    return false;
  // Deselecting the item closes this menu; selecting it again leaves its submenu closed.
  const int nIndex = pParent->GetCurrentItemIndex();
  pParent->SetHoverMenu();
  pParent->ClearCurrentItem();
  if (nIndex >= 0 && ::IsWindow(pParent->GetSafeHwnd()))
    pParent->SetCurrentItem(nIndex, false);
  return true;
}

void CExtPopupControlMenuWnd::HoverTearOffBar() {
  ClearCurrentItem();
  SetHoverMenu();
  ::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
  if (!g_bMenuItemTips || GetHoverMenu() != this || IsEffectsSuppressed() || GetItemTipStyle() == 0)
    return;
  CRect rcBar = m_rcTearOff, rcShown;
  ClientToScreen(rcBar);
  m_tip.GetHoverRect(rcShown);
  if (IsOwnTipVisible() && rcShown == rcBar)
    return;
  m_tip.SetText(kTearOffHint);
  m_tip.SetTipStyle(GetItemTipStyle());
  m_tip.ShowBalloon(this, rcBar);
}

CExtPopupControlMenuWnd::MouseStart CExtPopupControlMenuWnd::StartMouseInput(int x, int y, bool& bNoEat,
                                                                             CPoint& ptScreen) {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd))
    return MOUSE_NOT_HANDLED;
  if (IsInputSuspended())
    return MOUSE_HANDLED;
  ptScreen = CPoint(x, y);
  ClientToScreen(&ptScreen);
  if (IsInputForControl(ptScreen)) {
    bNoEat = true;
    return MOUSE_NOT_HANDLED;
  }
  return MOUSE_GO_ON;
}

bool CExtPopupControlMenuWnd::HandleMouseMove(UINT nMsg, int x, int y, bool& bNoEat) {
  CPoint ptScreen;
  const MouseStart start = StartMouseInput(x, y, bNoEat, ptScreen);
  if (start != MOUSE_GO_ON)
    return start == MOUSE_HANDLED;
  if (!IsOverThisMenu(ptScreen)) {
    CExtPopupMenuWnd* pParent = m_pParentMenu;
    if (pParent == NULL || pParent->GetSafeHwnd() == NULL || !::IsWindow(pParent->GetSafeHwnd()))
      return false;
    CPoint ptParent(ptScreen);
    pParent->ScreenToClient(&ptParent);
    bool bKeepOpen = false;
    const HWND hWnd = m_hWnd;
    if (!pParent->HandleMouseMove(nMsg, ptParent.x, ptParent.y, bKeepOpen))
      return false;
    if (!bKeepOpen && ::IsWindow(hWnd))
      ResetAndHide(false);
    return true;
  }
  InputRecord rec;
  rec.m_nKind = InputRecord::KIND_MOUSE_MOVE;
  rec.m_nFlagsOrMessage = CurrentMouseKeyFlags();
  rec.m_x = x;
  rec.m_y = y;
  const HWND hWnd = m_hWnd;
  Retranslate(rec, bNoEat);
  if (bNoEat)
    return false;
  if (!::IsWindow(hWnd))
    return true;
  if (HitTest(CPoint(x, y)) == HIT_TEAROFF) {
    HoverTearOffBar();
  } else {
    ::SetCursor(::LoadCursor(NULL, IDC_ARROW));
    HideOwnTip();
  }
  return true;
}

bool CExtPopupControlMenuWnd::HandleMouseClick(UINT nMsg, int x, int y, bool& bNoEat) {
  CPoint ptScreen;
  const MouseStart start = StartMouseInput(x, y, bNoEat, ptScreen);
  if (start != MOUSE_GO_ON)
    return start == MOUSE_HANDLED;
  const bool bPress = !IsButtonRelease(nMsg);
  if (IsOverThisMenu(ptScreen)) {
    if (HitTest(CPoint(x, y)) == HIT_TEAROFF) {
      // The drag may end the tracking and delete this menu.
      if (bPress)
        BeginTearOff();
      return true;
    }
    InputRecord rec;
    rec.m_nKind = InputRecord::KIND_MOUSE_BUTTON;
    rec.m_nFlagsOrMessage = nMsg;
    rec.m_x = x;
    rec.m_y = y;
    return Retranslate(rec, bNoEat);
  }
  CExtPopupMenuWnd* pParent = m_pParentMenu;
  if (pParent != NULL && pParent->GetSafeHwnd() != NULL && ::IsWindow(pParent->GetSafeHwnd())) {
    CPoint ptParent(ptScreen);
    pParent->ScreenToClient(&ptParent);
    // A press on the item that opened this menu keeps it open.
    const int nHit = pParent->HitTest(ptParent);
    if (bPress && nHit >= 0 && nHit < pParent->GetItemCount() && pParent->GetItemAt(nHit).m_pPopup == this)
      return true;
    return pParent->HandleMouseClick(nMsg, ptParent.x, ptParent.y, bNoEat);
  }
  if (!bPress)
    return false;
  ResetAndHide(false);
  return true;
}

bool CExtPopupControlMenuWnd::HandleMouseWheel(UINT nMsg, const MOUSEHOOKSTRUCT* pMouseData, bool& bNoEat) {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd) || IsInputSuspended())
    return true;
  // The wheel goes to the focus, not to the window under the pointer: only a control that has the
  // focus or the capture takes it itself.
  if (pMouseData != NULL && IsInputForControl(pMouseData->pt, true)) {
    bNoEat = true;
    return false;
  }
  InputRecord rec;
  rec.m_nKind = InputRecord::KIND_MOUSE_WHEEL;
  rec.m_nWheelMessage = nMsg;
  rec.m_pMouseHook = pMouseData;
  Retranslate(rec, bNoEat);
  return !bNoEat;
}

bool CExtPopupControlMenuWnd::HandleKeyboard(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat) {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd) || IsInputSuspended())
    return true;
  if (nChar == VK_ESCAPE && (m_dwControlFlags & CONTROL_ESCAPE_CLOSES) != 0) {
    if (!ReturnToParentMenu())
      EndWithCommand(0);
    return true;
  }
  InputRecord rec;
  rec.m_nKind = InputRecord::KIND_KEY;
  rec.m_nFlagsOrMessage = nFlags;
  rec.m_nVirtKey = nChar;
  rec.m_nRepCnt = nRepCnt;
  return Retranslate(rec, bNoEat);
}
