// The date picker's months: building a month's 42 cells, laying it out, hit testing and drawing it.
#include "toolkit/controls/ExtDatePickerWnd.h"

namespace {

COleDateTime NullDate() {
  COleDateTime dt;
  dt.SetStatus(COleDateTime::null);
  return dt;
}

bool IsValid(const COleDateTime& dt) { return dt.GetStatus() == COleDateTime::valid; }

// The weekday (1 Sunday .. 7 Saturday, as COleDateTime counts) of a month's first column, from the
// locale's first day of the week (0 Monday .. 6 Sunday). A locale answer out of range is taken
// modulo 7 so that the grid always has a first column.
int FirstColumnWeekday(int nLocaleFirstDay) {
  const int nDay = (nLocaleFirstDay % 7 + 7) % 7;
  return (nDay + 1) % 7 + 1;
}

} // namespace

CExtDatePickerWnd::MONTH_INFO::DATE_INFO::DATE_INFO() { m_dt.SetStatus(COleDateTime::null); }

void CExtDatePickerWnd::MONTH_INFO::DATE_INFO::Init(CExtDatePickerWnd* pPicker, MONTH_INFO* pMonth) {
  m_pPicker = pPicker;
  m_pMonth = pMonth;
}

bool CExtDatePickerWnd::MONTH_INFO::DATE_INFO::HitTest(const POINT& pt) const {
  return m_rcCell.PtInRect(pt) != FALSE;
}

void CExtDatePickerWnd::MONTH_INFO::DATE_INFO::Draw(CDC& dc, bool bShowOutOfMonthDays,
                                                    bool bMarkToday) const {
  if (!IsValid(m_dt) || m_pPicker == NULL || m_pMonth == NULL)
    return;
  const bool bOutOfMonth = m_dt.GetMonth() != m_pMonth->GetMonth() || m_dt.GetYear() != m_pMonth->GetYear();
  const bool bSelected = m_pPicker->IsDateSelected(m_dt);
  const COleDateTime today = m_pPicker->GetTodayDate();
  const bool bToday = IsValid(today) && today.GetYear() == m_dt.GetYear() &&
                      today.GetMonth() == m_dt.GetMonth() && today.GetDay() == m_dt.GetDay();
  m_pPicker->OnDatePickerDrawDateCell(dc, bShowOutOfMonthDays, bMarkToday, bOutOfMonth, bToday, m_rcCell,
                                      m_dt, bSelected);
}

CExtDatePickerWnd::MONTH_INFO::MONTH_INFO(int nRow, int nColumn, int nMonth, int nYear, const RECT& rcMonth,
                                          CExtDatePickerWnd* pPicker)
    : m_nMonth(nMonth), m_nYear(nYear), m_pPicker(pPicker), m_nRow(nRow), m_nColumn(nColumn),
      m_rcMonth(rcMonth) {
  for (DATE_INFO& cell : m_arrCells)
    cell.Init(pPicker, this);
  // A month that is no calendar month (or has no picker) keeps its cells blank rather than
  // counting days from a date that does not exist.
  const COleDateTime dtFirst = GetFirstDayOfMonth();
  if (pPicker != NULL && IsValid(dtFirst)) {
    const DWORD dwStyle = pPicker->GetDatePickerStyle();
    CSize sizeCurrent(1, 1);
    pPicker->GetDimension(NULL, NULL, &sizeCurrent);
    const bool bTopLeft = nRow == 0 && nColumn == 0;
    const bool bBottomRight = nRow == sizeCurrent.cy - 1 && nColumn == sizeCurrent.cx - 1;
    const bool bAllNeighbours = (dwStyle & DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY) == 0;
    // Days back to the first column; a month starting there shows the whole previous week first.
    int nLead = (dtFirst.GetDayOfWeek() - FirstColumnWeekday(pPicker->GetFirstDayOfWeek()) + 7) % 7;
    if (nLead == 0)
      nLead = 7;
    // Each cell counts from the first of the month, so that days before the first representable
    // one stay blank without blanking the days after them.
    for (int i = 0; i < CELL_COUNT; ++i) {
      const COleDateTime dt = dtFirst + COleDateTimeSpan(i - nLead, 0, 0, 0);
      if (!IsValid(dt))
        continue;
      const bool bThisMonth = dt.GetMonth() == nMonth && dt.GetYear() == nYear;
      if (bThisMonth || (bBottomRight && dt > dtFirst) || (bTopLeft && dt < dtFirst) || bAllNeighbours)
        m_arrCells[i].SetDate(dt);
    }
  }
  RecalcLayout();
}

CExtDatePickerWnd::MONTH_INFO::~MONTH_INFO() {}

void CExtDatePickerWnd::MONTH_INFO::RecalcLayout() {
  m_rcScrollPrev.SetRectEmpty();
  m_rcScrollNext.SetRectEmpty();
  m_rcCaption.SetRectEmpty();
  m_rcHeader.SetRectEmpty();
  m_rcHeaderInner.SetRectEmpty();
  m_rcDays.SetRectEmpty();
  m_rcDayNames.SetRectEmpty();
  for (DATE_INFO& cell : m_arrCells)
    cell.SetRect(CRect(0, 0, 0, 0));
  if (m_pPicker == NULL)
    return;
  m_rcHeader = m_rcMonth;
  m_rcHeader.bottom = m_rcHeader.top + m_pPicker->OnDatePickerQueryHeaderHeight();
  m_rcHeaderInner = m_rcHeader;
  m_rcHeaderInner.DeflateRect(1, 1);
  const CSize sizeArrow = m_pPicker->OnDatePickerQueryScrollButtonSize();
  const CRect& rcIn = m_rcHeaderInner;
  m_rcScrollPrev.SetRect(rcIn.left, rcIn.top, rcIn.left + sizeArrow.cx, rcIn.top + sizeArrow.cy);
  m_rcScrollNext.SetRect(rcIn.right - sizeArrow.cx + 4, rcIn.top, rcIn.right, rcIn.top + sizeArrow.cy);
  m_rcCaption.SetRect(rcIn.left + sizeArrow.cx, rcIn.top, rcIn.right - sizeArrow.cx + 4, rcIn.bottom);
  const int nIndent = m_pPicker->OnDatePickerQueryIndent();
  m_rcDays.SetRect(m_rcMonth.left + nIndent, m_rcHeader.bottom, m_rcMonth.right - nIndent - 2,
                   m_rcMonth.bottom);
  m_rcDayNames = m_rcDays;
  m_rcDayNames.bottom = m_rcDayNames.top + m_pPicker->OnDatePickerQueryDayNamesHeight();
  m_rcDays.top = m_rcDayNames.bottom;
  const CSize sizeCell = m_pPicker->OnDatePickerQueryDateCellSize();
  for (int i = 0; i < CELL_COUNT; ++i) {
    const int nWeek = i / 7, nDay = i % 7;
    m_arrCells[i].SetRect(CRect(m_rcDays.left + nDay * sizeCell.cx, m_rcDays.top + nWeek * sizeCell.cy,
                                m_rcDays.left + (nDay + 1) * sizeCell.cx,
                                m_rcDays.top + (nWeek + 1) * sizeCell.cy));
  }
}

int CExtDatePickerWnd::MONTH_INFO::HitTest(const POINT& pt, COleDateTime* pDt) const {
  if (pDt != NULL)
    *pDt = NullDate();
  if (m_rcMonth.IsRectEmpty() || !m_rcMonth.PtInRect(pt))
    return HT_NOWHERE;
  CSize sizeCurrent(1, 1);
  if (m_pPicker != NULL)
    m_pPicker->GetDimension(NULL, NULL, &sizeCurrent);
  if (m_nRow == 0 && m_nColumn == 0 && m_rcScrollPrev.PtInRect(pt))
    return HT_SCROLL_PREV;
  if (m_nRow == 0 && m_nColumn == sizeCurrent.cx - 1 && m_rcScrollNext.PtInRect(pt))
    return HT_SCROLL_NEXT;
  // The caption and the day names stand for the month as a whole.
  COleDateTime dtMonth;
  dtMonth.SetDateTime(m_nYear, m_nMonth, 1, 1, 1, 1);
  if (m_rcCaption.PtInRect(pt)) {
    if (pDt != NULL)
      *pDt = dtMonth;
    return HT_CAPTION;
  }
  if (m_rcDayNames.PtInRect(pt)) {
    if (pDt != NULL)
      *pDt = dtMonth;
    return HT_DAY_NAMES;
  }
  if (m_rcDays.PtInRect(pt)) {
    if (pDt != NULL) {
      const DATE_INFO* pCell = HitTestDay(pt);
      *pDt = pCell != NULL ? pCell->GetDate() : dtMonth;
    }
    return HT_DATE_CELL;
  }
  return HT_NOWHERE;
}

void CExtDatePickerWnd::MONTH_INFO::Draw(CDC& dc) const {
  if (m_pPicker == NULL)
    return;
  m_pPicker->OnDatePickerDrawHeader(m_nColumn, m_nRow, dc, m_nYear, m_nMonth, m_rcHeader, m_rcHeaderInner,
                                    m_rcCaption, m_rcScrollPrev, m_rcScrollNext);
  m_pPicker->OnDatePickerDrawDayNames(m_nYear, m_nMonth, dc, m_rcDayNames);
  const DWORD dwStyle = m_pPicker->GetDatePickerStyle();
  const bool bShowOutOfMonthDays = (dwStyle & DPS_SHOW_OUT_OF_MONTH_DAYS) != 0;
  const bool bMarkToday = (dwStyle & DPS_MARK_TODAY) != 0;
  for (const DATE_INFO& cell : m_arrCells)
    cell.Draw(dc, bShowOutOfMonthDays, bMarkToday);
}

const CExtDatePickerWnd::MONTH_INFO::DATE_INFO*
CExtDatePickerWnd::MONTH_INFO::HitTestDay(const POINT& pt) const {
  for (const DATE_INFO& cell : m_arrCells)
    if (cell.HitTest(pt))
      return &cell;
  return NULL;
}

COleDateTime CExtDatePickerWnd::MONTH_INFO::GetFirstDayOfMonth() const {
  COleDateTime dt;
  dt.SetDate(m_nYear, m_nMonth, 1);
  return dt;
}
