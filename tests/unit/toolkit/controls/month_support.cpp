#include "tests/unit/toolkit/controls/month_support.h"

namespace month_support {

int DaysInMonth(int nYear, int nMonth) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
  return nMonth == 2 && bLeap ? 29 : kDays[nMonth - 1];
}

int Weekday(int nYear, int nMonth, int nDay) {
  if (nMonth < 3) {
    nMonth += 12;
    --nYear;
  }
  const int k = nYear % 100, j = nYear / 100;
  const int h = (nDay + 13 * (nMonth + 1) / 5 + k + k / 4 + j / 4 + 5 * j) % 7; // 0 Saturday
  return (h + 5) % 7;
}

std::vector<Day> ReferenceGrid(int nYear, int nMonth, int nFirstWeekday, Place place, bool bEdgesOnly) {
  int nLead = (Weekday(nYear, nMonth, 1) - nFirstWeekday + 7) % 7;
  if (nLead == 0)
    nLead = 7;
  const bool bBefore = !bEdgesOnly || place == ALONE || place == TOP_LEFT;
  const bool bAfter = !bEdgesOnly || place == ALONE || place == BOTTOM_RIGHT;
  const int nPrevYear = nMonth == 1 ? nYear - 1 : nYear, nPrevMonth = nMonth == 1 ? 12 : nMonth - 1;
  const int nNextYear = nMonth == 12 ? nYear + 1 : nYear, nNextMonth = nMonth == 12 ? 1 : nMonth + 1;
  const int nDays = DaysInMonth(nYear, nMonth);
  std::vector<Day> grid(42);
  for (int i = 0; i < 42; ++i) {
    const int d = 1 - nLead + i;
    if (d < 1) {
      if (bBefore)
        grid[i] = {nPrevYear, nPrevMonth, DaysInMonth(nPrevYear, nPrevMonth) + d};
    } else if (d > nDays) {
      if (bAfter)
        grid[i] = {nNextYear, nNextMonth, d - nDays};
    } else {
      grid[i] = {nYear, nMonth, d};
    }
  }
  return grid;
}

std::ostream& operator<<(std::ostream& os, const Day& d) {
  return os << d.nYear << "-" << d.nMonth << "-" << d.nDay;
}

PickerInHost::PickerInHost(int nColumns, int nRows, DWORD dwStyle, bool bVisible) {
  if (!m_host.CreateHost("date picker", WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0), 700, 500))
    return;
  m_picker.ModifyDatePickerStyle((DWORD)-1, dwStyle);
  const CSize size = m_picker.CalcSizeForDimension(CSize(nColumns, nRows));
  m_bCreated = m_picker.Create(&m_host, CRect(CPoint(10, 10), size), 6001, nColumns, nRows, nColumns, nRows,
                               WS_CHILD | WS_VISIBLE, dwStyle) != FALSE;
}

PickerInHost::~PickerInHost() {
  if (m_host.GetSafeHwnd() != NULL)
    m_host.DestroyWindow();
}

std::vector<Day> GridOf(const CExtDatePickerWnd::MONTH_INFO& month) {
  std::vector<Day> grid(CExtDatePickerWnd::MONTH_INFO::CELL_COUNT);
  for (int i = 0; i < CExtDatePickerWnd::MONTH_INFO::CELL_COUNT; ++i) {
    const COleDateTime& dt = month.GetCell(i).GetDate();
    if (dt.GetStatus() == COleDateTime::valid)
      grid[i] = {dt.GetYear(), dt.GetMonth(), dt.GetDay()};
  }
  return grid;
}

} // namespace month_support
