// CExtComboBox: the themed frame and drop-down button, the hot look while hovered or focused, and
// the drop-down press.
#include "toolkit/controls/ExtComboBox.h"

#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <memory>

IMPLEMENT_DYNCREATE(CExtComboBox, CExtComboBoxBase)

BEGIN_MESSAGE_MAP(CExtComboBox, CExtComboBoxBase)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

bool IsCursorOver(HWND hWnd) {
  POINT pt;
  RECT rc;
  return ::GetCursorPos(&pt) && ::GetWindowRect(hWnd, &rc) && ::PtInRect(&rc, pt);
}

bool IsFocusOnOrIn(HWND hWnd) {
  const HWND hWndFocus = ::GetFocus();
  return hWndFocus != NULL && (hWndFocus == hWnd || ::IsChild(hWnd, hWndFocus));
}

} // namespace

CExtComboBox::CExtComboBox() : m_nHoverFlags(0), m_nTimerID(10), m_nTimerInterval(50) {}

CExtComboBox::~CExtComboBox() = default;

// ---------------------------------------------------------------------------------------------
// Hover.

bool CExtComboBox::OnHoverMove() {
  if (!AreWindowsInOneFamily(m_hWnd, ::GetActiveWindow()))
    return false;
  m_nHoverFlags |= HOVER_SEEN;
  if ((m_nHoverFlags & HOVER_TIMER_RUNNING) == 0 && SetTimer(m_nTimerID, m_nTimerInterval, NULL) != 0)
    m_nHoverFlags |= HOVER_TIMER_RUNNING;
  return true;
}

void CExtComboBox::HoverTimerStep() {
  const bool bInside = IsCursorOver(m_hWnd);
  if (bInside && (m_nHoverFlags & HOVER_SEEN) == 0)
    return;
  m_nHoverFlags &= ~HOVER_SEEN;
  Invalidate();
  UpdateWindow();
  if (bInside)
    return;
  // The pointer has gone: the timer stops even while the combo has the focus, whose hot look the
  // frame keeps on its own, so an idle focused combo does not repaint.
  m_nHoverFlags &= ~HOVER_TIMER_RUNNING;
  KillTimer(m_nTimerID);
}

BOOL CExtComboBox::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_MOUSEMOVE && (m_nHoverFlags & (HOVER_SEEN | HOVER_TIMER_RUNNING)) == 0 &&
      (pMsg->hwnd == m_hWnd || (pMsg->hwnd != NULL && pMsg->hwnd == m_wndInnerEdit.GetSafeHwnd())))
    OnHoverMove();
  return CExtComboBoxBase::PreTranslateMessage(pMsg);
}

void CExtComboBox::OnTimer(UINT nIDEvent) {
  if (nIDEvent != m_nTimerID) {
    CExtComboBoxBase::OnTimer(nIDEvent);
    return;
  }
  HoverTimerStep();
}

// ---------------------------------------------------------------------------------------------
// Mouse and focus.

bool CExtComboBox::OnDropDownPress() {
  const DWORD dwType = GetStyle() & 0x3;
  if (dwType != CBS_DROPDOWN && dwType != CBS_DROPDOWNLIST)
    return false;
  const HWND hWnd = m_hWnd;
  if (CWnd* pParent = GetParent())
    pParent->SendMessage(WM_CANCELMODE);
  if (!::IsWindow(hWnd))
    return true;
  const bool bDropped = GetDroppedState() != FALSE;
  const HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
  if (dwType == CBS_DROPDOWNLIST && hWndChild != NULL)
    ::SetFocus(hWndChild);
  else
    SetFocus();
  // The frame shows at once what the list is about to do.
  PaintComboFrame(!bDropped, true);
  PostMessage(CB_SHOWDROPDOWN, bDropped ? FALSE : TRUE, 0);
  return true;
}

void CExtComboBox::OnKillFocus(CWnd* pNewWnd) { CExtComboBoxBase::OnKillFocus(pNewWnd); }

LRESULT CExtComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_MOUSEMOVE:
    if ((m_nHoverFlags & (HOVER_SEEN | HOVER_TIMER_RUNNING)) == 0 && OnHoverMove())
      HoverTimerStep();
    break;
  case WM_LBUTTONDOWN:
    if (OnDropDownPress())
      return 0;
    break;
  case WM_LBUTTONUP:
    Invalidate();
    break;
  case WM_SETFOCUS: {
    const LRESULT lResult = CExtComboBoxBase::WindowProc(message, wParam, lParam);
    if (::IsWindow(m_hWnd))
      PaintComboFrame(GetDroppedState() != FALSE, true);
    return lResult;
  }
  case WM_KILLFOCUS: {
    // Focus moving into the combo's own edit keeps the list open.
    const HWND hWndNew = reinterpret_cast<HWND>(wParam);
    if (GetDroppedState() && (hWndNew == NULL || !::IsChild(m_hWnd, hWndNew)))
      ShowDropDown(FALSE);
    const LRESULT lResult = CExtComboBoxBase::WindowProc(message, wParam, lParam);
    if (::IsWindow(m_hWnd))
      PaintComboFrame(false, false);
    return lResult;
  }
  default:
    break;
  }
  return CExtComboBoxBase::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Painting.

BOOL CExtComboBox::OnEraseBkgnd(CDC*) { return TRUE; }

void CExtComboBox::OnPaint() {
  const DWORD dwOldEdges = GetExStyle() & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME);
  if (dwOldEdges != 0)
    ModifyStyleEx(dwOldEdges, 0, SWP_FRAMECHANGED);
  {
    CPaintDC dcPaint(this); // validates; the painting below covers the whole client area
  }
  OnPaintCombo(false, IsCursorOver(m_hWnd));
}

void CExtComboBox::OnPaintCombo(bool bPushed, bool bHover) {
  if (m_hWnd == NULL)
    return;
  CClientDC dc(this);
  const DWORD dwStyle = GetStyle();
  const bool bOwnerDrawnList =
      (dwStyle & 0x3) == CBS_DROPDOWNLIST && (dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
  if (bOwnerDrawnList) {
    DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    PaintComboFrame(bPushed, bHover, &dc);
    return;
  }
  CRect rcClient;
  GetClientRect(&rcClient);
  CExtMemoryDC dcMem(&dc, &rcClient, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
  CExtPaintManager::ExcludeChildAreas(dcMem.GetSafeHdc(), m_hWnd);
  DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dcMem.GetSafeHdc()), 0);
  PaintComboFrame(bPushed, bHover, &dcMem);
}

void CExtComboBox::PaintComboFrame(bool bPushed, bool bHover, CDC* pDC) {
  if (m_hWnd == NULL)
    return;
  const HWND hWndCapture = ::GetCapture();
  if (hWndCapture != NULL && hWndCapture != m_hWnd)
    bHover = false;
  std::unique_ptr<CClientDC> pOwnDC;
  if (pDC == NULL) {
    pOwnDC.reset(new CClientDC(this));
    pDC = pOwnDC.get();
  }
  if (GetDroppedState())
    bPushed = true;
  const bool bEnabled = IsWindowEnabled() != FALSE;
  if (!bEnabled) {
    bPushed = false;
    bHover = false;
  } else if (CExtPopupMenuWnd::AnyMenuTracked()) {
    bHover = false;
  } else if (IsFocusOnOrIn(m_hWnd)) {
    bHover = true;
  }
  CRect rcClient;
  GetClientRect(&rcClient);
  ComboButtonPaintData data(this, rcClient, bHover, bPushed, bEnabled);
  g_PaintManagerHolder->PaintComboDropDownButton(*pDC, data);
}
