// A picker whose first weekday and today are fixed by the test, and a host window holding one.
#pragma once

#include "tests/common/window_support.h"
#include "toolkit/controls/ExtDatePickerWnd.h"

namespace month_support {

class CFixedPicker : public CExtDatePickerWnd {
public:
  int m_nFirstDayOfWeek = 6; // Sunday
  COleDateTime m_today = COleDateTime(2007, 4, 17, 0, 0, 0);
  CString m_sMonthName; // when set, the name of every month
  int GetFirstDayOfWeek() const override { return m_nFirstDayOfWeek; }
  COleDateTime GetTodayDate() const override { return m_today; }
  CString GetMonthName(int nMonth, bool bUpper = false) const override {
    return m_sMonthName.IsEmpty() ? CExtDatePickerWnd::GetMonthName(nMonth, bUpper) : m_sMonthName;
  }
};

// A picker of nColumns x nRows months, sized to show them all, in a host shown only when asked.
struct PickerInHost {
  CHostWnd m_host;
  CFixedPicker m_picker;
  bool m_bCreated = false;
  PickerInHost(int nColumns, int nRows, DWORD dwStyle, bool bVisible = false) {
    if (!m_host.CreateHost("date picker", WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0), 700, 500))
      return;
    m_picker.ModifyDatePickerStyle((DWORD)-1, dwStyle);
    const CSize size = m_picker.CalcSizeForDimension(CSize(nColumns, nRows));
    m_bCreated = m_picker.Create(&m_host, CRect(CPoint(10, 10), size), 6001, nColumns, nRows, nColumns, nRows,
                                 WS_CHILD | WS_VISIBLE, dwStyle) != FALSE;
  }
  ~PickerInHost() {
    if (m_host.GetSafeHwnd() != NULL)
      m_host.DestroyWindow();
  }
};

} // namespace month_support
