// A picker whose first weekday, today and month names are fixed by the test, in a host window.
#pragma once

#include "tests/common/window_support.h"
#include "toolkit/controls/ExtDatePickerWnd.h"

namespace month_support {

using MONTH_INFO = CExtDatePickerWnd::MONTH_INFO;

class CFixedPicker : public CExtDatePickerWnd {
public:
  int m_nFirstDayOfWeek = 6; // Sunday
  CString m_sMonthName;      // when set, the name of every month
  int GetFirstDayOfWeek() const override { return m_nFirstDayOfWeek; }
  COleDateTime GetTodayDate() const override { return COleDateTime(2007, 4, 17, 0, 0, 0); }
  CString GetMonthName(int nMonth, bool bUpper = false) const override {
    return m_sMonthName.IsEmpty() ? CExtDatePickerWnd::GetMonthName(nMonth, bUpper) : m_sMonthName;
  }
};

// nColumns x nRows months showing April 2007 first, sized to show them all; no window when creation fails.
struct PickerInHost {
  CHostWnd m_host;
  CFixedPicker m_picker;
  PickerInHost(int nColumns, int nRows, DWORD dwStyle, bool bVisible = false) {
    m_host.CreateHost("date picker", WS_OVERLAPPEDWINDOW | (bVisible ? WS_VISIBLE : 0), 700, 500);
    m_picker.ModifyDatePickerStyle((DWORD)-1, dwStyle);
    const CSize size = m_picker.CalcSizeForDimension(CSize(nColumns, nRows));
    m_picker.Create(&m_host, CRect(CPoint(10, 10), size), 6001, nColumns, nRows, nColumns, nRows,
                    WS_CHILD | WS_VISIBLE, dwStyle);
    m_picker.CurrentDateSet(COleDateTime(2007, 4, 1, 0, 0, 0));
  }
  ~PickerInHost() { m_host.DestroyWindow(); }
};

} // namespace month_support
