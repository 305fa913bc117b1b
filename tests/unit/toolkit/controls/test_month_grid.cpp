// The months a picker builds against a calendar worked out apart, their hit codes, and their ends.
#include "tests/unit/toolkit/controls/month_support.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace month_support;
using P = CExtDatePickerWnd;

namespace {

// Days since 1 March of the year 0, a Wednesday, in the proleptic Gregorian calendar; Shown gives -1
// for no date.
int Serial(int y, int m, int d) {
  y -= m < 3 ? 1 : 0;
  return 365 * y + y / 4 - y / 100 + y / 400 + (153 * ((m + 9) % 12) + 2) / 5 + d - 1;
}
int Shown(const COleDateTime& dt) {
  return dt.GetStatus() == COleDateTime::valid ? Serial(dt.GetYear(), dt.GetMonth(), dt.GetDay()) : -1;
}

// The reference cell: the first falls in the first week (after a whole week before it when it
// starts the week); neighbouring days show before the month when bBefore, after it when bAfter.
int Expected(int y, int m, int nFirstWeekday, int nCell, bool bBefore, bool bAfter) {
  const int nFirst = Serial(y, m, 1), nLead = (nFirst + 2 - nFirstWeekday + 7) % 7;
  const int d = nFirst - (nLead == 0 ? 7 : nLead) + nCell;
  return (d < nFirst && !bBefore) || (d >= Serial(y + m / 12, m % 12 + 1, 1) && !bAfter) ? -1 : d;
}

// Months across and down, and whether every month shows its neighbouring days.
using GridKind = std::tuple<int, int, bool>;
const GridKind kGridKinds[] = {{1, 1, false}, {3, 1, false}, {2, 2, false}, {2, 1, true}};

class MonthGrid : public ::testing::TestWithParam<std::tuple<int, GridKind>> {};

// Every month of 1901-2099 in every place of the grid.
TEST_P(MonthGrid, EveryMonthOfTwoCenturiesMatchesTheReferenceCalendar) {
  const int nFirstWeekday = std::get<0>(GetParam());
  const auto [nColumns, nRows, bAll] = std::get<1>(GetParam());
  PickerInHost h(nColumns, nRows, P::DPS_DEFAULT & ~(bAll ? P::DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY : 0));
  ASSERT_TRUE(h.m_picker.GetSafeHwnd() != NULL);
  h.m_picker.m_nFirstDayOfWeek = nFirstWeekday;
  const int nCount = nColumns * nRows;
  for (int nFirst = 1901 * 12; nFirst < 2100 * 12; ++nFirst) {
    h.m_picker.CurrentDateSet(COleDateTime(nFirst / 12, nFirst % 12 + 1, 1, 0, 0, 0));
    for (int i = 0; i < nCount; ++i) {
      const MONTH_INFO* pMonth = h.m_picker.GetMonthAt(i / nColumns, i % nColumns);
      const int y = (nFirst + i) / 12, m = (nFirst + i) % 12 + 1;
      ASSERT_TRUE(pMonth != NULL && pMonth->GetYear() == y && pMonth->GetMonth() == m) << y << "-" << m;
      for (int nCell = 0; nCell < MONTH_INFO::CELL_COUNT; ++nCell)
        ASSERT_EQ(Expected(y, m, nFirstWeekday, nCell, bAll || i == 0, bAll || i == nCount - 1),
                  Shown(pMonth->GetCell(nCell).GetDate()))
            << y << "-" << m << " cell " << nCell;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(WeekStarts, MonthGrid,
                         ::testing::Combine(::testing::Range(0, 7), ::testing::ValuesIn(kGridKinds)));

// Arrows answer only on the outer months; the caption and day names stand for the month (the
// first at 01:01:01); every cell answers its own date at the picker's hit test.
TEST(MonthHitTest, ArrowsCaptionDayNamesAndCellsAnswerTheirCodeAndDate) {
  PickerInHost h(2, 1, P::DPS_DEFAULT);
  ASSERT_TRUE(h.m_picker.GetSafeHwnd() != NULL);
  const int kCodes[2][5] = {
      {P::HT_SCROLL_PREV, P::HT_NOWHERE, P::HT_CAPTION, P::HT_DAY_NAMES, P::HT_NOWHERE},
      {P::HT_NOWHERE, P::HT_SCROLL_NEXT, P::HT_CAPTION, P::HT_DAY_NAMES, P::HT_NOWHERE}};
  for (int i = 0; i < 2; ++i) {
    const MONTH_INFO& month = *h.m_picker.GetMonthAt(0, i);
    const CRect rcs[] = {month.GetScrollPrevRect(), month.GetScrollNextRect(), month.GetCaptionRect(),
                         month.GetDayNamesRect(), h.m_picker.GetMonthAt(0, 1 - i)->GetCaptionRect()};
    for (int j = 0; j < 5; ++j) {
      COleDateTime dt;
      EXPECT_EQ(kCodes[i][j], month.HitTest(rcs[j].CenterPoint(), &dt)) << i << j;
      EXPECT_EQ(j == 2 || j == 3 ? Serial(2007, 4 + i, 1) : -1, Shown(dt)) << i << j;
      EXPECT_TRUE(Shown(dt) == -1 || dt.GetHour() == 1 && dt.GetMinute() == 1 && dt.GetSecond() == 1);
    }
    for (int nCell = 0; nCell < MONTH_INFO::CELL_COUNT; ++nCell) {
      COleDateTime dt;
      EXPECT_EQ(P::HT_DATE_CELL, h.m_picker.HitTest(month.GetCell(nCell).GetRect().CenterPoint(), &dt));
      EXPECT_EQ(Shown(month.GetCell(nCell).GetDate()), Shown(dt)) << i << "/" << nCell;
    }
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
    const int nWeekday = (nFirstDay % 7 + 7) % 7;
    const MONTH_INFO first(0, 0, 1, 100, rc, &picker), last(0, 0, 12, 9999, rc, &picker);
    for (int i = 0; i < MONTH_INFO::CELL_COUNT; ++i) {
      EXPECT_EQ(Expected(100, 1, nWeekday, i, false, true), Shown(first.GetCell(i).GetDate())) << nFirstDay;
      EXPECT_EQ(Expected(9999, 12, nWeekday, i, true, false), Shown(last.GetCell(i).GetDate())) << nFirstDay;
    }
    for (const CPoint& bad : {CPoint(0, 2007), CPoint(13, 2007), CPoint(4, 99), CPoint(4, 10000)}) {
      const MONTH_INFO month(0, 0, bad.x, bad.y, rc, &picker);
      for (int i = 0; i < MONTH_INFO::CELL_COUNT; ++i)
        EXPECT_EQ(-1, Shown(month.GetCell(i).GetDate())) << bad.x << "/" << bad.y;
    }
  }
}

} // namespace
