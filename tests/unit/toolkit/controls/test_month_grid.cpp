// The months a picker builds: the days of every month of 1901-2099 for each first weekday and
// grid place against a calendar worked out apart, what points on a month hit, and months at or
// beyond the ends of the representable years.
#include "tests/unit/toolkit/controls/month_support.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace month_support;
using MONTH_INFO = CExtDatePickerWnd::MONTH_INFO;

namespace {

int DaysIn(int y, int m) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0) ? 29 : kDays[m - 1];
}

// 0 Monday .. 6 Sunday, by Zeller's congruence.
int Weekday(int y, int m, int d) {
  if (m < 3)
    m += 12, --y;
  return ((d + 13 * (m + 1) / 5 + y % 100 + y % 100 / 4 + y / 400 + 5 * (y / 100)) % 7 + 5) % 7;
}

// The reference cell as "y-m-d", or "" for a blank one: the month's first falls in the first week
// (the whole week before when it starts the week); neighbouring days show before the month when
// bBefore, after it when bAfter.
std::string Expected(int y, int m, int nFirstWeekday, int nCell, bool bBefore, bool bAfter) {
  const int nLead = (Weekday(y, m, 1) - nFirstWeekday + 7) % 7;
  int d = 1 - (nLead == 0 ? 7 : nLead) + nCell;
  if (d < 1 && !bBefore || d > DaysIn(y, m) && !bAfter)
    return "";
  if (d < 1) {
    y -= m == 1 ? 1 : 0;
    m = m == 1 ? 12 : m - 1;
    d += DaysIn(y, m);
  } else if (d > DaysIn(y, m)) {
    d -= DaysIn(y, m);
    y += m == 12 ? 1 : 0;
    m = m == 12 ? 1 : m + 1;
  }
  return std::to_string(y) + "-" + std::to_string(m) + "-" + std::to_string(d);
}

std::string Shown(const COleDateTime& dt) {
  return dt.GetStatus() != COleDateTime::valid
             ? ""
             : std::to_string(dt.GetYear()) + "-" + std::to_string(dt.GetMonth()) + "-" +
                   std::to_string(dt.GetDay());
}

struct GridKind {
  const char* pszName;
  int nColumns, nRows;
  DWORD dwStyle;
};
const DWORD kDefault = CExtDatePickerWnd::DPS_DEFAULT;
const GridKind kGridKinds[] = {
    {"OneMonth", 1, 1, kDefault},
    {"ThreeAcross", 3, 1, kDefault},
    {"TwoByTwo", 2, 2, kDefault},
    {"TwoAcrossAllNeighbours", 2, 1, kDefault & ~CExtDatePickerWnd::DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY},
};

class MonthGrid : public ::testing::TestWithParam<std::tuple<int, GridKind>> {};

TEST_P(MonthGrid, EveryMonthOfTwoCenturiesMatchesTheReferenceCalendar) {
  const int nFirstWeekday = std::get<0>(GetParam());
  const GridKind& kind = std::get<1>(GetParam());
  PickerInHost h(kind.nColumns, kind.nRows, kind.dwStyle);
  ASSERT_TRUE(h.m_bCreated);
  h.m_picker.m_nFirstDayOfWeek = nFirstWeekday;
  const int nCount = kind.nColumns * kind.nRows;
  const bool bAll = (kind.dwStyle & CExtDatePickerWnd::DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY) == 0;
  int nWrong = 0;
  for (int nFirst = 1901 * 12; nFirst < 2100 * 12; ++nFirst) {
    h.m_picker.CurrentDateSet(COleDateTime(nFirst / 12, nFirst % 12 + 1, 1, 0, 0, 0));
    for (int i = 0; i < nCount; ++i) {
      const MONTH_INFO* pMonth = h.m_picker.GetMonthAt(i / kind.nColumns, i % kind.nColumns);
      const int y = (nFirst + i) / 12, m = (nFirst + i) % 12 + 1;
      ASSERT_TRUE(pMonth != NULL && pMonth->GetYear() == y && pMonth->GetMonth() == m) << y << "-" << m;
      for (int nCell = 0; nCell < MONTH_INFO::CELL_COUNT; ++nCell) {
        const std::string want =
            Expected(y, m, nFirstWeekday, nCell, bAll || i == 0, bAll || i == nCount - 1);
        const std::string got = Shown(pMonth->GetCell(nCell).GetDate());
        if (got != want && nWrong++ < 5)
          ADD_FAILURE() << y << "-" << m << " cell " << nCell << ": " << got << ", expected " << want;
      }
    }
  }
  EXPECT_EQ(0, nWrong);
}

std::string GridName(const ::testing::TestParamInfo<std::tuple<int, GridKind>>& info) {
  static const char* const kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                      "Friday", "Saturday", "Sunday"};
  return std::string(kDays[std::get<0>(info.param)]) + "_" + std::get<1>(info.param).pszName;
}
INSTANTIATE_TEST_SUITE_P(WeekStarts, MonthGrid,
                         ::testing::Combine(::testing::Range(0, 7), ::testing::ValuesIn(kGridKinds)),
                         GridName);

// Arrows answer only on the outer months; the caption and day names stand for the month (the
// first at 01:01:01); every cell answers its own date, at the picker's hit test too.
TEST(MonthHitTest, ArrowsCaptionDayNamesAndCellsAnswerTheirCodeAndDate) {
  PickerInHost h(2, 1, kDefault);
  ASSERT_TRUE(h.m_bCreated);
  h.m_picker.CurrentDateSet(COleDateTime(2007, 4, 1, 0, 0, 0));
  const MONTH_INFO &left = *h.m_picker.GetMonthAt(0, 0), &right = *h.m_picker.GetMonthAt(0, 1);
  const struct {
    const MONTH_INFO& month;
    CPoint pt;
    int nCode;
    std::string sDate;
  } cases[] = {{left, left.GetScrollPrevRect().CenterPoint(), CExtDatePickerWnd::HT_SCROLL_PREV, ""},
               {right, right.GetScrollNextRect().CenterPoint(), CExtDatePickerWnd::HT_SCROLL_NEXT, ""},
               {left, left.GetScrollNextRect().CenterPoint(), CExtDatePickerWnd::HT_NOWHERE, ""},
               {right, right.GetScrollPrevRect().CenterPoint(), CExtDatePickerWnd::HT_NOWHERE, ""},
               {left, left.GetCaptionRect().CenterPoint(), CExtDatePickerWnd::HT_CAPTION, "2007-4-1"},
               {right, right.GetDayNamesRect().CenterPoint(), CExtDatePickerWnd::HT_DAY_NAMES, "2007-5-1"},
               {left, right.GetCaptionRect().CenterPoint(), CExtDatePickerWnd::HT_NOWHERE, ""}};
  for (const auto& c : cases) {
    COleDateTime dt;
    EXPECT_EQ(c.nCode, c.month.HitTest(c.pt, &dt)) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(c.sDate, Shown(dt)) << c.nCode;
    EXPECT_TRUE(c.sDate.empty() || dt.GetHour() == 1 && dt.GetMinute() == 1 && dt.GetSecond() == 1);
  }
  for (const MONTH_INFO* pMonth : {&left, &right})
    for (int i = 0; i < MONTH_INFO::CELL_COUNT; ++i) {
      const MONTH_INFO::DATE_INFO& cell = pMonth->GetCell(i);
      const CSize size = h.m_picker.OnDatePickerQueryDateCellSize();
      EXPECT_EQ(CRect(pMonth->GetDaysRect().TopLeft() + CSize(i % 7 * size.cx, i / 7 * size.cy), size),
                cell.GetRect());
      COleDateTime dt;
      EXPECT_EQ(CExtDatePickerWnd::HT_DATE_CELL, h.m_picker.HitTest(cell.GetRect().CenterPoint(), &dt));
      EXPECT_EQ(Shown(cell.GetDate()), Shown(dt)) << i;
    }
}

// Days before 1 January 100 or after 31 December 9999 stay blank; a month that is no month has no
// days at all; and building ends whatever first weekday the locale answers.
TEST(MonthBuild, DaysThatCannotExistStayBlank) {
  CFixedPicker picker;
  picker.RecalcMetrics();
  const CRect rc(0, 0, 160, 140);
  for (const int nFirstDay : {6, 0, 9, -3}) {
    picker.m_nFirstDayOfWeek = nFirstDay;
    const MONTH_INFO first(0, 0, 1, 100, rc, &picker), last(0, 0, 12, 9999, rc, &picker);
    int nLead = (Weekday(100, 1, 1) - (nFirstDay % 7 + 7) % 7 + 7) % 7;
    nLead = nLead == 0 ? 7 : nLead;
    EXPECT_EQ("", Shown(first.GetCell(nLead - 1).GetDate())) << nFirstDay;
    EXPECT_EQ("100-1-1", Shown(first.GetCell(nLead).GetDate())) << nFirstDay;
    EXPECT_NE("", Shown(last.GetCell(0).GetDate())) << nFirstDay;
    EXPECT_EQ("", Shown(last.GetCell(MONTH_INFO::CELL_COUNT - 1).GetDate())) << nFirstDay;
    for (const CPoint& bad : {CPoint(0, 2007), CPoint(13, 2007), CPoint(4, 99), CPoint(4, 10000)}) {
      const MONTH_INFO month(0, 0, bad.x, bad.y, rc, &picker);
      for (int i = 0; i < MONTH_INFO::CELL_COUNT; ++i)
        EXPECT_EQ("", Shown(month.GetCell(i).GetDate())) << bad.x << "/" << bad.y;
    }
  }
}

} // namespace
