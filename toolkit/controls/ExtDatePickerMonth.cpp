// The date picker's months: building a month's 42 cells, laying it out, hit testing and drawing it.
#include "toolkit/controls/ExtDatePickerWnd.h"

CExtDatePickerWnd::MONTH_INFO::DATE_INFO::DATE_INFO() { m_dt.SetStatus(COleDateTime::null); }

void CExtDatePickerWnd::MONTH_INFO::DATE_INFO::Init(CExtDatePickerWnd* pPicker, MONTH_INFO* pMonth) {
  m_pPicker = pPicker;
  m_pMonth = pMonth;
}

bool CExtDatePickerWnd::MONTH_INFO::DATE_INFO::HitTest(const POINT& pt) const {
  return m_rcCell.PtInRect(pt) != FALSE;
}

void CExtDatePickerWnd::MONTH_INFO::DATE_INFO::Draw(CDC&, bool, bool) const {}

CExtDatePickerWnd::MONTH_INFO::MONTH_INFO(int nRow, int nColumn, int nMonth, int nYear, const RECT& rcMonth,
                                          CExtDatePickerWnd* pPicker)
    : m_nMonth(nMonth), m_nYear(nYear), m_pPicker(pPicker), m_nRow(nRow), m_nColumn(nColumn),
      m_rcMonth(rcMonth) {
  for (DATE_INFO& cell : m_arrCells)
    cell.Init(pPicker, this);
}

CExtDatePickerWnd::MONTH_INFO::~MONTH_INFO() {}

void CExtDatePickerWnd::MONTH_INFO::RecalcLayout() {}

int CExtDatePickerWnd::MONTH_INFO::HitTest(const POINT&, COleDateTime* pDt) const {
  if (pDt != NULL)
    pDt->SetStatus(COleDateTime::null);
  return HT_NOWHERE;
}

void CExtDatePickerWnd::MONTH_INFO::Draw(CDC&) const {}

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
