// The month list a date picker shows over a month's caption while the left button is held, and the
// picker's modal loop that runs it: moving over an item selects it, moving above or below scrolls
// by a month per tick (faster with distance), releasing on an item chooses that month.
#include "toolkit/controls/ExtDatePickerWnd.h"

#include "framework/app/fw_app.h"
#include "framework/gdi/fw_gdi.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/menus/ExtPopupInplaceListBox.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNAMIC(CExtDatePickerHeaderPopupWnd, CWnd)

namespace {

const int kFirstYear = 100;
const int kLastYear = 9999;

// Months counted from January of year 0, so that month arithmetic wraps years by itself.
int MonthIndex(int nMonth, int nYear) { return nYear * 12 + nMonth - 1; }

bool IsLoopEndingMessage(UINT message) {
  switch (message) {
  case WM_CONTEXTMENU:
  case WM_SYSCOLORCHANGE:
  case WM_SETTINGCHANGE:
  case WM_ACTIVATEAPP:
  case WM_CANCELMODE:
    return true;
  default:
    return (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK) ||
           (message >= WM_LBUTTONDOWN && message <= WM_MOUSEWHEEL) ||
           (message >= WM_KEYFIRST && message <= WM_KEYLAST);
  }
}

bool IsButtonDown(int nVirtKey) { return (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0; }

} // namespace

BEGIN_MESSAGE_MAP(CExtDatePickerHeaderPopupWnd, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

CExtDatePickerHeaderPopupWnd::CExtDatePickerHeaderPopupWnd(CExtDatePickerWnd* pPicker, bool bShadow)
    : m_pPicker(pPicker), m_bShadow(bShadow) {
  Measure();
}

CExtDatePickerHeaderPopupWnd::~CExtDatePickerHeaderPopupWnd() {}

void CExtDatePickerHeaderPopupWnd::Measure() {
  CWindowDC dc(NULL);
  CFont* pFont = m_pPicker != NULL ? m_pPicker->OnDatePickerQueryMonthNameFont() : NULL;
  const HFONT hFont =
      pFont != NULL ? (HFONT)pFont->GetSafeHandle() : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
  for (int nMonth = 1; nMonth <= 12; ++nMonth) {
    const CString sText = (m_pPicker != NULL ? m_pPicker->GetMonthName(nMonth, false) : CString()) + " 0000";
    const RECT rc = CExtPaintManager::CalcTextExtent(dc, hFont, sText, DT_CALCRECT | DT_SINGLELINE);
    m_nItemWidth = std::max<int>(m_nItemWidth, rc.right - rc.left);
    m_nItemHeight = std::max<int>(m_nItemHeight, rc.bottom - rc.top);
  }
  m_nItemWidth += 24;
  m_nItemHeight += 2;
  m_nWindowHeight = ITEM_COUNT * m_nItemHeight + GetShadowSize() + 2;
  m_nWindowWidth = m_nItemWidth + GetShadowSize() + 1;
}

bool CExtDatePickerHeaderPopupWnd::Create() {
  if (m_pPicker == NULL || m_pPicker->GetSafeHwnd() == NULL)
    return false;
  const LPCSTR pszClass = AfxRegisterWndClass(CS_SAVEBITS, NULL, NULL, NULL);
  if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, pszClass, "", WS_POPUP, 0, 0, 100, 100,
                m_pPicker->GetSafeHwnd(), NULL)) {
    TRACE("CExtDatePickerHeaderPopupWnd: the window cannot be created\n");
    return false;
  }
  m_bAutoDelete = true;
  return true;
}

BOOL CExtDatePickerHeaderPopupWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CWnd::PreCreateWindow(cs))
    return FALSE;
  cs.cx = m_nWindowWidth;
  cs.cy = m_nWindowHeight;
  return TRUE;
}

void CExtDatePickerHeaderPopupWnd::PostNcDestroy() {
  CWnd::PostNcDestroy();
  if (m_bAutoDelete)
    delete this;
}

void CExtDatePickerHeaderPopupWnd::SetMonthYear(int nMonth, int nYear) {
  if (nMonth >= 1 && nMonth <= 12)
    m_nMonth = nMonth;
  if (nYear >= kFirstYear && nYear <= kLastYear)
    m_nYear = nYear;
}

bool CExtDatePickerHeaderPopupWnd::GetSelection(int& nMonth, int& nYear) const {
  if (m_nSelMonth == 0 || m_nSelYear == 0)
    return false;
  nMonth = m_nSelMonth;
  nYear = m_nSelYear;
  return true;
}

int CExtDatePickerHeaderPopupWnd::ItemHitTest(const POINT& pt) const {
  for (int i = 0; i < ITEM_COUNT; ++i)
    if (CRect(0, i * m_nItemHeight, m_nItemWidth, (i + 1) * m_nItemHeight).PtInRect(pt))
      return i;
  return -1;
}

void CExtDatePickerHeaderPopupWnd::ItemMonth(int nItem, int& nMonth, int& nYear) const {
  const int nIndex = MonthIndex(m_nMonth, m_nYear) - ITEM_COUNT / 2 + nItem;
  nYear = nIndex / 12;
  nMonth = nIndex % 12 + 1;
}

bool CExtDatePickerHeaderPopupWnd::IsScrollTimerRunning(UINT nTimerId) const {
  return nTimerId == TIMER_SCROLL_UP ? m_bTimerUpRunning
                                     : nTimerId == TIMER_SCROLL_DOWN && m_bTimerDownRunning;
}

UINT CExtDatePickerHeaderPopupWnd::GetTimerInterval(UINT nTimerId) const {
  return nTimerId == TIMER_SCROLL_UP     ? m_nTimerUpInterval
         : nTimerId == TIMER_SCROLL_DOWN ? m_nTimerDownInterval
                                         : 0;
}

void CExtDatePickerHeaderPopupWnd::StopScrollTimer(UINT nTimerId) {
  bool& bRunning = nTimerId == TIMER_SCROLL_UP ? m_bTimerUpRunning : m_bTimerDownRunning;
  if (!bRunning)
    return;
  KillTimer(nTimerId);
  bRunning = false;
}

void CExtDatePickerHeaderPopupWnd::StartScrollTimer(UINT nTimerId, UINT nInterval) {
  // One direction at a time: a jump from below the list to above it must not leave both running.
  StopScrollTimer(nTimerId == TIMER_SCROLL_UP ? TIMER_SCROLL_DOWN : TIMER_SCROLL_UP);
  bool& bRunning = nTimerId == TIMER_SCROLL_UP ? m_bTimerUpRunning : m_bTimerDownRunning;
  UINT& nRunningInterval = nTimerId == TIMER_SCROLL_UP ? m_nTimerUpInterval : m_nTimerDownInterval;
  if (bRunning && nRunningInterval == nInterval)
    return;
  if (SetTimer(nTimerId, nInterval, NULL) == 0) {
    TRACE("CExtDatePickerHeaderPopupWnd: no scroll timer\n");
    bRunning = false;
    return;
  }
  bRunning = true;
  nRunningInterval = nInterval;
}

void CExtDatePickerHeaderPopupWnd::TrackMouseMove(const POINT* pptScreen) {
  if (GetSafeHwnd() == NULL)
    return;
  CPoint pt;
  if (pptScreen != NULL)
    pt = *pptScreen;
  else
    ::GetCursorPos(&pt);
  ScreenToClient(&pt);
  if (pt.y >= 1 && pt.y <= m_nWindowHeight - 1) {
    StopScrollTimer(TIMER_SCROLL_DOWN);
    StopScrollTimer(TIMER_SCROLL_UP);
  }
  m_nSelMonth = m_nSelYear = 0;
  const int nUsableHeight = m_nWindowHeight - GetShadowSize();
  const int nItem = ItemHitTest(pt);
  if (nItem >= 0)
    ItemMonth(nItem, m_nSelMonth, m_nSelYear);
  else if (pt.y < 0)
    StartScrollTimer(TIMER_SCROLL_UP, ::GetScrollTimerInterval(-pt.y));
  else if (pt.y >= nUsableHeight)
    StartScrollTimer(TIMER_SCROLL_DOWN, ::GetScrollTimerInterval(pt.y - nUsableHeight));
  Invalidate(FALSE);
}

void CExtDatePickerHeaderPopupWnd::OnTimer(UINT nIDEvent) {
  if (nIDEvent != TIMER_SCROLL_UP && nIDEvent != TIMER_SCROLL_DOWN) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  // The list stops at the first and last months a date can hold.
  const int nIndex = MonthIndex(m_nMonth, m_nYear) + (nIDEvent == TIMER_SCROLL_UP ? -1 : 1);
  if (nIndex >= MonthIndex(1, kFirstYear) && nIndex <= MonthIndex(12, kLastYear)) {
    m_nYear = nIndex / 12;
    m_nMonth = nIndex % 12 + 1;
  }
  Invalidate(FALSE);
}

void CExtDatePickerHeaderPopupWnd::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.IsRectEmpty())
    return;
  {
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_DEFAULT);
    dc.FillSolidRect(&rcClient, ::GetSysColor(COLOR_WINDOW));
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CFont* pFont = m_pPicker->OnDatePickerQueryMonthNameFont();
    CFont* pOldFont = pFont != NULL ? dc.SelectObject(pFont) : NULL;
    for (int i = 0; i < ITEM_COUNT; ++i) {
      int nMonth = 0, nYear = 0;
      ItemMonth(i, nMonth, nYear);
      CString sText;
      sText.Format("%s %d", (LPCSTR)m_pPicker->GetMonthName(nMonth, false), nYear);
      CRect rcItem(0, i * m_nItemHeight, m_nItemWidth, (i + 1) * m_nItemHeight);
      rcItem.OffsetRect(0, -1);
      const bool bSelected = nMonth == m_nSelMonth && nYear == m_nSelYear;
      if (bSelected)
        dc.FillSolidRect(&rcItem, RGB(0, 0, 0));
      dc.SetTextColor(bSelected ? RGB(255, 255, 255) : ::GetSysColor(COLOR_BTNTEXT));
      dc.DrawText(sText, &rcItem, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (pOldFont != NULL)
      dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
  }
  g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtDatePickerHeaderPopupWnd::PaintFrame() {
  CRect rcWindow, rcClient;
  GetWindowRect(&rcWindow);
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
  rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
  if (rcWindow == rcClient)
    return;
  CWindowDC dc(this);
  dc.ExcludeClipRect(&rcClient);
  if (m_bShadow) {
    CRect rcContent = rcWindow;
    rcContent.right -= SHADOW_SIZE;
    rcContent.bottom -= SHADOW_SIZE;
    m_shadow.PaintFor(dc, rcContent, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), SHADOW_SIZE, 75, 100, true, true,
                      this);
  }
  CRect rcFrame = rcClient;
  rcFrame.InflateRect(1, 1);
  dc.FillSolidRect(&rcFrame, RGB(0, 0, 0));
}

LRESULT CExtDatePickerHeaderPopupWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_MOUSEACTIVATE:
    return (GetStyle() & 0x10000) != 0 ? MA_ACTIVATE : MA_NOACTIVATE;
  case WM_ERASEBKGND:
    return 0;
  case WM_NCCALCSIZE: {
    RECT* pRect = reinterpret_cast<RECT*>(lParam);
    pRect->left += 1;
    pRect->top += 1;
    pRect->right -= 1 + GetShadowSize();
    pRect->bottom -= 1 + GetShadowSize();
    return 0;
  }
  case WM_NCPAINT:
    PaintFrame();
    return 0;
  default:
    return CWnd::WindowProc(message, wParam, lParam);
  }
}

// --- the picker's loop --------------------------------------------------------------------------

bool CExtDatePickerWnd::TrackHeaderPopup(const MONTH_INFO& month, int& nMonthOut, int& nYearOut) {
  std::unique_ptr<CExtDatePickerHeaderPopupWnd> pNewPopup(
      new CExtDatePickerHeaderPopupWnd(this, (GetDatePickerStyle() & DPS_HEADER_POPUP_SHADOW) != 0));
  if (!pNewPopup->Create())
    return false;
  // From here on the window owns the object.
  CExtDatePickerHeaderPopupWnd* pPopup = pNewPopup.release();
  const HWND hWndPopup = pPopup->m_hWnd;
  pPopup->SetMonthYear(month.GetMonth(), month.GetYear());
  CRect rcHeader = month.GetHeaderRect();
  ClientToScreen(&rcHeader);
  const CSize sizeWindow = pPopup->GetWindowSize();
  const int nShadow = pPopup->GetShadowSize();
  const CPoint ptCentre = rcHeader.CenterPoint();
  pPopup->SetWindowPos(NULL, ptCentre.x - (sizeWindow.cx - nShadow) / 2,
                       ptCentre.y - (sizeWindow.cy - nShadow) / 2, sizeWindow.cx, sizeWindow.cy,
                       SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ::SetCapture(hWndPopup);

  const bool bHostedInMenu =
      (GetStyle() & WS_CHILD) != 0 && (GetStyle() & (WS_POPUP | 0x10000)) == 0 && IsInPopupMenu();
  bool bAccepted = false;
  for (;;) {
    if (!::IsWindow(hWndPopup))
      break;
    MSG msg;
    bool bEnd = false;
    while (!bEnd && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      if (msg.message == WM_MOUSEMOVE) {
        ::PeekMessageA(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
        if (!::IsWindow(hWndPopup))
          break;
        // Where this move went: the cursor read now may still say where the pointer was before
        // (Wine asks the X server, which may not have placed it yet), and the list would then show
        // the month left behind until the next move.
        pPopup->TrackMouseMove(&msg.pt);
        continue;
      }
      if (IsLoopEndingMessage(msg.message)) {
        bAccepted = msg.message == WM_LBUTTONUP;
        bEnd = true;
      } else if (msg.message == WM_CAPTURECHANGED && reinterpret_cast<HWND>(msg.lParam) != hWndPopup) {
        bEnd = true;
      } else {
        break;
      }
    }
    if (bEnd || !::IsWindow(hWndPopup) || ::GetCapture() != hWndPopup || IsButtonDown(VK_MBUTTON) ||
        IsButtonDown(VK_RBUTTON))
      break;
    if (!IsButtonDown(VK_LBUTTON)) {
      // The release may have come after the look at the queue: it still chooses.
      bAccepted = ::PeekMessageA(&msg, NULL, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE) != FALSE;
      break;
    }
    if (CExtPopupMenuWnd::AnyMenuTracked() && !bHostedInMenu)
      break;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      ::WaitMessage();
      continue;
    }
    // Moves and the messages that end the loop are the loop's own. Only the message looked at is
    // taken: a release coming between the look and the take would otherwise be pumped away, and
    // the month under it never chosen.
    if (msg.message == WM_MOUSEMOVE || IsLoopEndingMessage(msg.message) ||
        !::PeekMessageA(&msg, NULL, msg.message, msg.message, PM_REMOVE))
      continue;
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage((int)msg.wParam); // handed back to the application's own loop
      break;
    }
    CWinThread* pThread = AfxGetThread();
    if (pThread == NULL || !pThread->PreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  bool bChosen = false;
  if (::IsWindow(hWndPopup)) {
    if (::GetCapture() == hWndPopup)
      ::ReleaseCapture();
    if (bAccepted) {
      pPopup->TrackMouseMove();
      bChosen = pPopup->GetSelection(nMonthOut, nYearOut);
    }
    ::DestroyWindow(hWndPopup);
  }
  return bChosen;
}
