// The date picker's state: creation, styles, the month grid, the layout of months and buttons, the
// selection and its notification, painting and the system changes it follows.
#include "toolkit/controls/ExtDatePickerWnd.h"

#include "framework/gdi/fw_gdi.h"
#include "toolkit/docking/ExtSystemChanges.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/menus/ExtPopupControlMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDatePickerWnd, CWnd)

namespace {

const char kClassName[] = "Corvane-DatePickerWnd";
bool g_bClassRegistered = false;

// Months count from January of year 100 up to December of 9999: the dates COleDateTime holds.
const int kFirstYear = 100;
const int kLastYear = 9999;

COleDateTime NullDate() {
  COleDateTime dt;
  dt.SetStatus(COleDateTime::null);
  return dt;
}

bool IsValid(const COleDateTime& dt) { return dt.GetStatus() == COleDateTime::valid; }

// The date at midnight; dates that are not valid keep their status.
COleDateTime DayOf(const COleDateTime& dt) {
  if (!IsValid(dt))
    return dt;
  COleDateTime day;
  day.SetDate(dt.GetYear(), dt.GetMonth(), dt.GetDay());
  return day;
}

bool SameDay(const COleDateTime& a, const COleDateTime& b) {
  return a.GetStatus() == b.GetStatus() && a.GetYear() == b.GetYear() && a.GetMonth() == b.GetMonth() &&
         a.GetDay() == b.GetDay();
}

} // namespace

BEGIN_MESSAGE_MAP(CExtDatePickerWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_CAPTURECHANGED()
ON_WM_TIMER()
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_WM_SIZE()
ON_WM_KILLFOCUS()
ON_WM_TIMECHANGE()
ON_WM_ACTIVATEAPP()
ON_WM_MOUSEACTIVATE()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CExtDatePickerWnd::CExtDatePickerWnd() {
  RegisterDatePickerClass();
  m_dtSelBegin = m_dtSelEnd = NullDate();
  m_dtDisplayedBegin = m_dtDisplayedEnd = NullDate();
  m_dtCurrentDate = DayOf(COleDateTime::GetCurrentTime());
}

CExtDatePickerWnd::~CExtDatePickerWnd() {}

bool CExtDatePickerWnd::RegisterDatePickerClass() {
  if (g_bClassRegistered)
    return true;
  const HINSTANCE hInstance = AfxGetInstanceHandle();
  WNDCLASSA wc = {};
  if (::GetClassInfoA(hInstance, kClassName, &wc)) {
    g_bClassRegistered = true;
    return true;
  }
  wc = WNDCLASSA{};
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = hInstance;
  wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!::RegisterClassA(&wc)) {
    TRACE("CExtDatePickerWnd: the window class cannot be registered (%lu)\n", ::GetLastError());
    return false;
  }
  g_bClassRegistered = true;
  return true;
}

BOOL CExtDatePickerWnd::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns, int nRows,
                               int nMaxColumns, int nMaxRows, DWORD dwWindowStyle, DWORD dwDatePickerStyle,
                               CCreateContext* pContext) {
  if (!RegisterDatePickerClass())
    return FALSE;
  m_nStateBits |= STATE_CREATED;
  m_dwDatePickerStyle = dwDatePickerStyle;
  if (!CWnd::Create(kClassName, "", dwWindowStyle, rcWnd, pParentWnd, nDlgCtrlID, pContext)) {
    m_nStateBits &= ~STATE_CREATED;
    return FALSE;
  }
  // Measured before the grid is set: the automatic dimension divides by the month size.
  RecalcMetrics();
  SetDimension(nColumns, nRows, nMaxColumns, nMaxRows, false);
  RebuildMonths(false);
  return TRUE;
}

void CExtDatePickerWnd::PreSubclassWindow() {
  CWnd::PreSubclassWindow();
  if ((m_nStateBits & STATE_CREATED) == 0) {
    ModifyStyle(0, WS_CLIPCHILDREN);
    RecalcMetrics();
    RebuildMonths(false);
  }
  if (m_pExternalSelection == NULL)
    return;
  SelectionSet(m_pExternalSelection[0], m_pExternalSelection[1], false, false);
  if (m_pExternalSelection[0].GetStatus() != COleDateTime::null)
    CurrentDateSet(m_pExternalSelection[0], true);
  else if (m_pExternalSelection[1].GetStatus() != COleDateTime::null)
    CurrentDateSet(m_pExternalSelection[1], true);
}

void CExtDatePickerWnd::PostNcDestroy() {
  CWnd::PostNcDestroy();
  if (m_bAutoDeleteWnd)
    delete this;
}

LRESULT CExtDatePickerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate) {
    if (wParam == 0)
      return 0;
    CExtPopupControlMenuWnd::InputRecord& rec =
        *reinterpret_cast<CExtPopupControlMenuWnd::InputRecord*>(wParam);
    if (rec.m_nKind != CExtPopupControlMenuWnd::InputRecord::KIND_KEY)
      return 0;
    // The picker takes the key as its own; the menu's message goes no further.
    BYTE* pLetThrough = rec.m_pLetThrough;
    if (pLetThrough != NULL)
      *pLetThrough = 0;
    OnDatePickerKey(rec.m_nVirtKey);
    return 1;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

DWORD CExtDatePickerWnd::GetDatePickerStyle() const { return m_dwDatePickerStyle; }

DWORD CExtDatePickerWnd::ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd, bool bUpdateNow) {
  const DWORD dwOld = m_dwDatePickerStyle;
  m_dwDatePickerStyle = (dwOld & ~dwRemove) | dwAdd;
  const bool bAutoRemoved =
      (dwRemove & DPS_AUTO_DIMENSION) != 0 && (m_dwDatePickerStyle & DPS_AUTO_DIMENSION) == 0;
  // No range without the range style.
  if ((m_dwDatePickerStyle & DPS_MULTIPLE_SELECTION) == 0)
    m_dtSelEnd = m_dtSelBegin;
  if (GetSafeHwnd() == NULL)
    return dwOld;
  if (bAutoRemoved)
    m_sizeCurrent = m_sizeMin;
  const DWORD dwMetricsBits = DPS_BORDER | DPS_ANY_BOLD | DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY;
  if (bAutoRemoved || ((dwRemove | dwAdd) & dwMetricsBits) != 0) {
    RecalcMetrics();
    RebuildMonths(false);
  }
  UpdateDatePickerWnd(bUpdateNow);
  return dwOld;
}

void CExtDatePickerWnd::UpdateDatePickerWnd(bool bUpdateNow) {
  if (GetSafeHwnd() == NULL || (m_nStateBits & STATE_UPDATING) != 0)
    return;
  m_nStateBits |= STATE_UPDATING;
  RecalcLayout();
  Invalidate(TRUE);
  if (bUpdateNow && IsWindowVisible())
    UpdateWindow();
  m_nStateBits &= ~STATE_UPDATING;
}

void CExtDatePickerWnd::RecalcMetrics() {
  CWindowDC dc(NULL);
  OnDatePickerRecalcMetrics(dc, m_sizeMonth, m_sizeDateCell, m_sizeButton, m_sizeScrollButton,
                            m_nMonthHeaderHeight, m_nButtonAreaHeight, m_nDayNamesHeight, m_nIndentSpace);
}

void CExtDatePickerWnd::RecalcLayout() {
  m_rcBorder.SetRectEmpty();
  m_rcMonthsArea.SetRectEmpty();
  m_rcButtonNone.SetRectEmpty();
  m_rcButtonToday.SetRectEmpty();
  const DWORD dwStyle = GetDatePickerStyle();
  CRect rcClient;
  GetClientRect(&rcClient);
  const CRect rcBorderSizes = OnDatePickerQueryBorderSizes();
  const bool bButtons = (dwStyle & DPS_BUTTONS) != 0;
  const int nButtonArea = bButtons ? OnDatePickerQueryButtonAreaHeight() : 0;
  // A month is never thinner than a pixel, so that no size divides by zero.
  CSize sizeMonth = OnDatePickerQueryMonthSize();
  sizeMonth.cx = std::max<LONG>(sizeMonth.cx, 1);
  sizeMonth.cy = std::max<LONG>(sizeMonth.cy, 1);
  if ((dwStyle & DPS_AUTO_DIMENSION) != 0) {
    const int nWidth = rcClient.Width() - rcBorderSizes.left - rcBorderSizes.right;
    const int nHeight = rcClient.Height() - rcBorderSizes.top - rcBorderSizes.bottom - nButtonArea;
    const int nColumns = std::max<int>(std::min<int>(nWidth / sizeMonth.cx, m_sizeMax.cx), m_sizeMin.cx);
    const int nRows = std::max<int>(std::min<int>(nHeight / sizeMonth.cy, m_sizeMax.cy), m_sizeMin.cy);
    m_sizeCurrent = CSize(nColumns, nRows);
  } else {
    m_sizeCurrent = m_sizeMin;
  }
  m_rcBorder = CRect(rcClient.TopLeft(),
                     CSize(m_sizeCurrent.cx * sizeMonth.cx + rcBorderSizes.left + rcBorderSizes.right,
                           m_sizeCurrent.cy * sizeMonth.cy + rcBorderSizes.top + rcBorderSizes.bottom));
  const int dx = (rcClient.Width() - m_rcBorder.Width()) / 2;
  const int dy = (rcClient.Height() - m_rcBorder.Height() - nButtonArea) / 2;
  m_rcBorder.OffsetRect((dx > 0 && (dwStyle & DPS_CENTER_HORIZONTALLY) != 0) ? dx : 0,
                        (dy > 0 && (dwStyle & DPS_CENTER_VERTICALLY) != 0) ? dy : 0);
  m_rcMonthsArea = m_rcBorder;
  m_rcMonthsArea.DeflateRect(rcBorderSizes.left, rcBorderSizes.top, rcBorderSizes.right,
                             rcBorderSizes.bottom);
  if (bButtons) {
    m_rcBorder.bottom += nButtonArea;
    CRect rcArea = m_rcBorder;
    rcArea.top = m_rcMonthsArea.bottom + rcBorderSizes.bottom;
    rcArea.bottom -= rcBorderSizes.bottom;
    const CSize sizeButton = OnDatePickerQueryButtonSize();
    const int nTop = rcArea.top + (rcArea.Height() - sizeButton.cy) / 2;
    const int nCentredLeft = rcArea.left + (rcArea.Width() - sizeButton.cx) / 2;
    const bool bBoth = (dwStyle & DPS_BUTTONS) == DPS_BUTTONS;
    const CSize sizeOffset = bBoth ? CSize(-5 - sizeButton.cx / 2, sizeButton.cx / 2 + 5) : CSize(0, 0);
    if ((dwStyle & DPS_BUTTON_TODAY) != 0)
      m_rcButtonToday = CRect(CPoint(nCentredLeft + sizeOffset.cx, nTop), sizeButton);
    if ((dwStyle & DPS_BUTTON_NONE) != 0)
      m_rcButtonNone = CRect(CPoint(nCentredLeft + sizeOffset.cy, nTop), sizeButton);
  }
  RebuildMonths(false);
}

void CExtDatePickerWnd::RebuildMonths(bool bUpdateNow) {
  m_arrMonths.clear();
  m_dtDisplayedBegin = m_dtDisplayedEnd = NullDate();
  if (GetSafeHwnd() == NULL)
    return;
  if (!IsValid(m_dtCurrentDate))
    m_dtCurrentDate = DayOf(COleDateTime::GetCurrentTime());
  const int nColumns = std::max<int>(m_sizeCurrent.cx, 1);
  const int nCount = nColumns * std::max<int>(m_sizeCurrent.cy, 1);
  // The whole grid stays within the representable years: the top-left month moves back when the
  // last month would pass December 9999.
  const int nWantedIndex = (m_dtCurrentDate.GetYear() - kFirstYear) * 12 + m_dtCurrentDate.GetMonth() - 1;
  int nMonthIndex = std::max(std::min(nWantedIndex, (kLastYear - kFirstYear + 1) * 12 - nCount), 0);
  if (nMonthIndex != nWantedIndex)
    m_dtCurrentDate.SetDate(kFirstYear + nMonthIndex / 12, nMonthIndex % 12 + 1, 1);
  const CRect rcBorderSizes = OnDatePickerQueryBorderSizes();
  const CSize sizeMonth = OnDatePickerQueryMonthSize();
  const CPoint ptOrigin = m_rcBorder.TopLeft() + CPoint(rcBorderSizes.left, rcBorderSizes.top);
  for (int i = 0; i < nCount; ++i, ++nMonthIndex) {
    const int nRow = i / nColumns;
    const int nColumn = i % nColumns;
    const int nYear = kFirstYear + nMonthIndex / 12;
    const int nMonth = nMonthIndex % 12 + 1;
    if (nYear > kLastYear)
      break;
    CRect rcMonth(nColumn * sizeMonth.cx, nRow * sizeMonth.cy, (nColumn + 1) * sizeMonth.cx,
                  (nRow + 1) * sizeMonth.cy);
    rcMonth.OffsetRect(ptOrigin);
    m_arrMonths.push_back(std::make_unique<MONTH_INFO>(nRow, nColumn, nMonth, nYear, rcMonth, this));
    if (!IsValid(m_dtDisplayedBegin))
      m_dtDisplayedBegin.SetDate(nYear, nMonth, 1);
    if (nMonth == 12)
      m_dtDisplayedEnd.SetDate(nYear + 1, 1, 1);
    else
      m_dtDisplayedEnd.SetDate(nYear, nMonth + 1, 1);
  }
  // After December 9999 there is no next first of the month: the last day is 31 December itself.
  if (m_dtDisplayedEnd.GetStatus() == COleDateTime::invalid && IsValid(m_dtDisplayedBegin))
    m_dtDisplayedEnd.SetDate(kLastYear, 12, 31);
  else if (m_dtDisplayedEnd.GetStatus() != COleDateTime::null)
    m_dtDisplayedEnd -= COleDateTimeSpan(1, 0, 0, 0);
  UpdateDatePickerWnd(bUpdateNow);
}

bool CExtDatePickerWnd::IsDateSelected(const COleDateTime& dt) const {
  if (!IsValid(m_dtSelBegin) || !IsValid(m_dtSelEnd) || !IsValid(dt))
    return false;
  const COleDateTime day = DayOf(dt);
  const COleDateTime& dtMin = m_dtSelBegin < m_dtSelEnd ? m_dtSelBegin : m_dtSelEnd;
  const COleDateTime& dtMax = m_dtSelBegin < m_dtSelEnd ? m_dtSelEnd : m_dtSelBegin;
  return dtMin <= day && day <= dtMax;
}

bool CExtDatePickerWnd::EnsureVisible(const COleDateTime& dt, bool bUpdateNow) {
  if (!IsValid(dt))
    return false;
  const COleDateTime day = DayOf(dt);
  if (IsValid(m_dtDisplayedBegin) && IsValid(m_dtDisplayedEnd) && m_dtDisplayedBegin <= day &&
      day <= m_dtDisplayedEnd)
    return true;
  m_dtCurrentDate = day;
  RebuildMonths(bUpdateNow);
  return true;
}

bool CExtDatePickerWnd::StoreSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd,
                                       bool bNormalize) {
  // A selection is two valid days or nothing: an invalid end counts as no date.
  COleDateTime dtNewBegin = NullDate(), dtNewEnd = NullDate();
  if (IsValid(dtBegin) && IsValid(dtEnd)) {
    dtNewBegin = DayOf(dtBegin);
    dtNewEnd = DayOf(dtEnd);
    if (bNormalize && dtNewEnd < dtNewBegin)
      std::swap(dtNewBegin, dtNewEnd);
  }
  if (SameDay(dtNewBegin, m_dtSelBegin) && SameDay(dtNewEnd, m_dtSelEnd))
    return false;
  m_dtSelBegin = dtNewBegin;
  m_dtSelEnd = dtNewEnd;
  return true;
}

void CExtDatePickerWnd::SelectionSet(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize,
                                     bool bUpdateNow) {
  if (!StoreSelection(dtBegin, dtEnd, bNormalize) || GetSafeHwnd() == NULL)
    return;
  UpdateDatePickerWnd(bUpdateNow);
  if (GetNotificationReceiver() != NULL)
    SendNotification(false, true);
}

void CExtDatePickerWnd::SelectionGet(COleDateTime& dtBegin, COleDateTime& dtEnd) const {
  dtBegin = m_dtSelBegin;
  dtEnd = m_dtSelEnd;
}

void CExtDatePickerWnd::GetDisplayedRange(COleDateTime& dtFirst, COleDateTime& dtLast) const {
  dtFirst = m_dtDisplayedBegin;
  dtLast = m_dtDisplayedEnd;
}

void CExtDatePickerWnd::CurrentDateSet(const COleDateTime& dt, bool bUpdateNow) {
  if (!IsValid(dt))
    return;
  m_dtCurrentDate = DayOf(dt);
  RebuildMonths(bUpdateNow);
}

COleDateTime CExtDatePickerWnd::CurrentDateGet() const { return m_dtCurrentDate; }

void CExtDatePickerWnd::SetDimension(int nColumns, int nRows, int nMaxColumns, int nMaxRows,
                                     bool bUpdateNow) {
  if (nColumns != 0 || nRows != 0)
    m_sizeMin = CSize(std::max(nColumns, 1), std::max(nRows, 1));
  if (nMaxColumns != 0 || nMaxRows != 0)
    m_sizeMax = CSize(std::max<int>(std::max(nMaxColumns, 1), m_sizeMin.cx),
                      std::max<int>(std::max(nMaxRows, 1), m_sizeMin.cy));
  if (GetSafeHwnd() == NULL)
    return;
  UpdateDatePickerWnd(bUpdateNow);
}

void CExtDatePickerWnd::GetDimension(CSize* pSizeMin, CSize* pSizeMax, CSize* pSizeCurrent) const {
  if (pSizeMin != NULL)
    *pSizeMin = m_sizeMin;
  if (pSizeMax != NULL)
    *pSizeMax = m_sizeMax;
  if (pSizeCurrent != NULL)
    *pSizeCurrent = m_sizeCurrent;
}

CSize CExtDatePickerWnd::CalcSizeForDimension(const CSize& sizeDimension) {
  if (GetSafeHwnd() == NULL)
    RecalcMetrics();
  const CRect rcBorderSizes = OnDatePickerQueryBorderSizes();
  const CSize sizeMonth = OnDatePickerQueryMonthSize();
  CSize size(sizeDimension.cx * sizeMonth.cx + rcBorderSizes.left + rcBorderSizes.right,
             sizeDimension.cy * sizeMonth.cy + rcBorderSizes.top + rcBorderSizes.bottom);
  if ((GetDatePickerStyle() & DPS_BUTTONS) != 0)
    size.cy += OnDatePickerQueryButtonAreaHeight();
  return size;
}

COleDateTime CExtDatePickerWnd::GetTodayDate() const { return COleDateTime::GetCurrentTime(); }

HWND CExtDatePickerWnd::GetNotificationReceiver() const {
  if (m_hWndNotificationReceiver != NULL && ::IsWindow(m_hWndNotificationReceiver))
    return m_hWndNotificationReceiver;
  return GetSafeHwnd() != NULL ? ::GetParent(m_hWnd) : NULL;
}

bool CExtDatePickerWnd::SendNotification(bool bFinal, bool bCloseHost) {
  SELECTION_NOTIFICATION notification;
  notification.m_dtBegin = m_dtSelBegin;
  notification.m_dtEnd = m_dtSelEnd;
  notification.m_hWndDatePicker = m_hWnd;
  notification.m_lParamCookie = m_lParamCookie;
  notification.m_nFlags =
      (bFinal ? SELECTION_NOTIFICATION::FINAL : 0) | (bCloseHost ? SELECTION_NOTIFICATION::CLOSE_HOST : 0);
  notification.m_pExternalSelection = m_pExternalSelection;
  if (bFinal && m_pExternalSelection != NULL) {
    m_pExternalSelection[0] = m_dtSelBegin;
    m_pExternalSelection[1] = m_dtSelEnd;
  }
  const HWND hWndSelf = m_hWnd;
  const HWND hWndReceiver = GetNotificationReceiver();
  if (hWndReceiver != NULL)
    ::SendMessageA(hWndReceiver, g_nMsgSelectionNotification, reinterpret_cast<WPARAM>(&notification),
                   m_lParamCookie);
  // The receiver may have destroyed the picker, and with it this object: only the handle is safe.
  if (!::IsWindow(hWndSelf) || CWnd::FromHandlePermanent(hWndSelf) != this)
    return false;
  if (bFinal && bCloseHost) {
    const HWND hWndParent = ::GetParent(hWndSelf);
    if (hWndParent != NULL && ::IsWindow(hWndParent))
      ::SendMessageA(hWndParent, WM_CANCELMODE, 0, 0);
  }
  return ::IsWindow(hWndSelf) && CWnd::FromHandlePermanent(hWndSelf) == this;
}

bool CExtDatePickerWnd::IsInPopupMenu() const {
  if (GetSafeHwnd() == NULL)
    return false;
  return DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd))) != NULL;
}

int CExtDatePickerWnd::HitTest(const POINT& pt, COleDateTime* pDt, const MONTH_INFO** ppMonth) const {
  if (pDt != NULL)
    *pDt = NullDate();
  if (ppMonth != NULL)
    *ppMonth = NULL;
  if (GetSafeHwnd() == NULL)
    return HT_NOWHERE;
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.IsRectEmpty() || !rcClient.PtInRect(pt))
    return HT_NOWHERE;
  if (m_rcButtonNone.PtInRect(pt))
    return HT_BUTTON_NONE;
  if (m_rcButtonToday.PtInRect(pt))
    return HT_BUTTON_TODAY;
  if (!m_rcMonthsArea.PtInRect(pt))
    return HT_NOWHERE;
  if (pDt == NULL && ppMonth == NULL)
    return HT_MONTHS_AREA;
  for (const std::unique_ptr<MONTH_INFO>& pMonth : m_arrMonths) {
    if (!pMonth->GetMonthRect().PtInRect(pt))
      continue;
    const int nCode = pMonth->HitTest(pt, pDt);
    if (nCode == HT_NOWHERE)
      return HT_MONTHS_AREA;
    if (ppMonth != NULL)
      *ppMonth = pMonth.get();
    return nCode;
  }
  return HT_MONTHS_AREA;
}

const CExtDatePickerWnd::MONTH_INFO* CExtDatePickerWnd::GetMonthAt(int nRow, int nColumn) const {
  if (nRow < 0 || nColumn < 0 || nColumn >= m_sizeCurrent.cx)
    return NULL;
  const size_t nIndex = (size_t)(nRow * m_sizeCurrent.cx + nColumn);
  return nIndex < m_arrMonths.size() ? m_arrMonths[nIndex].get() : NULL;
}

// --- painting and system changes --------------------------------------------------------------

BOOL CExtDatePickerWnd::OnEraseBkgnd(CDC*) { return FALSE; }

void CExtDatePickerWnd::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.IsRectEmpty())
    return;
  {
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_DEFAULT);
    OnDatePickerDrawEntire(dc, rcClient);
  }
  g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtDatePickerWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  UpdateDatePickerWnd(false);
}

void CExtDatePickerWnd::OnTimeChange() {
  CWnd::OnTimeChange();
  RebuildMonths(false);
}

void CExtDatePickerWnd::OnSysColorChange() {
  CWnd::OnSysColorChange();
  ExtSystemChanges::SysColorChanged(this);
  UpdateDatePickerWnd(false);
}

void CExtDatePickerWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  RecalcMetrics();
  RebuildMonths(false);
  CWnd::OnSettingChange(uFlags, lpszSection);
  ExtSystemChanges::SettingChanged(this, uFlags, lpszSection);
  RebuildMonths(false);
}

LRESULT CExtDatePickerWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  RecalcMetrics();
  RebuildMonths(false);
  const LRESULT lResult = Default();
  ExtSystemChanges::DisplayChanged(this, wParam, lParam);
  return lResult;
}

LRESULT CExtDatePickerWnd::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  RecalcMetrics();
  RebuildMonths(false);
  const LRESULT lResult = Default();
  ExtSystemChanges::ThemeChanged(this, wParam, lParam);
  return lResult;
}
