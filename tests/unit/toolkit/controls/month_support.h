// A calendar worked out apart from the picker (day counts and Zeller's congruence), the grid a
// month must show by it, and a picker whose first weekday and today are fixed by the test.
#pragma once

#include "tests/common/window_support.h"
#include "toolkit/controls/ExtDatePickerWnd.h"

#include <ostream>
#include <vector>

namespace month_support {

// Days in the month of the Gregorian calendar.
int DaysInMonth(int nYear, int nMonth);
// 0 Monday .. 6 Sunday, by Zeller's congruence.
int Weekday(int nYear, int nMonth, int nDay);

struct Day {
  int nYear = 0, nMonth = 0, nDay = 0; // all 0 for a blank cell
  bool operator==(const Day& o) const { return nYear == o.nYear && nMonth == o.nMonth && nDay == o.nDay; }
};

std::ostream& operator<<(std::ostream& os, const Day& d);

// Where a month sits in the picker's grid, for which neighbouring days it shows.
enum Place { ALONE, TOP_LEFT, BOTTOM_RIGHT, INNER };

// The 42 cells of the month when the week starts on nFirstWeekday (0 Monday .. 6 Sunday).
std::vector<Day> ReferenceGrid(int nYear, int nMonth, int nFirstWeekday, Place place, bool bEdgesOnly);

// The cells of a month the picker built, read back as days.
std::vector<Day> GridOf(const CExtDatePickerWnd::MONTH_INFO& month);

// A picker whose locale starts the week on a fixed day and whose today is fixed.
class CFixedPicker : public CExtDatePickerWnd {
public:
  int m_nFirstDayOfWeek = 6;
  COleDateTime m_today = COleDateTime(2007, 4, 17, 0, 0, 0);
  int GetFirstDayOfWeek() const override { return m_nFirstDayOfWeek; }
  COleDateTime GetTodayDate() const override { return m_today; }
};

// A host window holding a picker of nColumns x nRows months, sized to show them all; the host is
// shown only when asked.
class PickerInHost {
public:
  PickerInHost(int nColumns, int nRows, DWORD dwStyle, bool bVisible = false);
  ~PickerInHost();
  PickerInHost(const PickerInHost&) = delete;
  PickerInHost& operator=(const PickerInHost&) = delete;

  CHostWnd m_host;
  CFixedPicker m_picker;
  bool m_bCreated = false;
};

} // namespace month_support
