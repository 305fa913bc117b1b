// The months a picker shows: the days of every month of 1901-2099 in each week layout against a
// calendar worked out apart, which neighbouring days each place in the grid shows, what points on
// a month hit, and months that cannot exist.
#include "tests/unit/toolkit/controls/month_support.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace month_support;
using MONTH_INFO = CExtDatePickerWnd::MONTH_INFO;

namespace {

// A grid of months and the neighbouring days its style allows.
struct GridKind {
  const char* pszName;
  int nColumns;
  int nRows;
  DWORD dwStyle;
};

const DWORD kDefault = CExtDatePickerWnd::DPS_DEFAULT;
const DWORD kAllNeighbours = kDefault & ~CExtDatePickerWnd::DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY;

const GridKind kGridKinds[] = {
    {"OneMonth", 1, 1, kDefault},
    {"TwoAcross", 2, 1, kDefault},
    {"ThreeAcross", 3, 1, kDefault},
    {"TwoByTwo", 2, 2, kDefault},
    {"TwoAcrossAllNeighbours", 2, 1, kAllNeighbours},
};

Place PlaceOf(int nIndex, int nCount) {
  if (nCount == 1)
    return ALONE;
  return nIndex == 0 ? TOP_LEFT : nIndex == nCount - 1 ? BOTTOM_RIGHT : INNER;
}

class MonthGrid : public ::testing::TestWithParam<std::tuple<int, GridKind>> {};

// Every month of 1901..2099 in the top-left place, and its followers in the other places, shows
// the days the reference calendar gives for its place and the locale's first weekday.
TEST_P(MonthGrid, EveryMonthOfTwoCenturiesMatchesTheReferenceCalendar) {
  const int nFirstWeekday = std::get<0>(GetParam());
  const GridKind& kind = std::get<1>(GetParam());
  PickerInHost h(kind.nColumns, kind.nRows, kind.dwStyle);
  ASSERT_TRUE(h.m_bCreated);
  h.m_picker.m_nFirstDayOfWeek = nFirstWeekday;
  const int nCount = kind.nColumns * kind.nRows;
  const bool bEdgesOnly = (kind.dwStyle & CExtDatePickerWnd::DPS_OUT_OF_MONTH_DAYS_AT_EDGES_ONLY) != 0;
  int nWrong = 0;
  for (int nYear = 1901; nYear <= 2099; ++nYear) {
    for (int nMonth = 1; nMonth <= 12; ++nMonth) {
      h.m_picker.CurrentDateSet(COleDateTime(nYear, nMonth, 1, 0, 0, 0));
      ASSERT_EQ(nCount, h.m_picker.GetMonthCount());
      for (int i = 0; i < nCount; ++i) {
        const MONTH_INFO* pMonth = h.m_picker.GetMonthAt(i / kind.nColumns, i % kind.nColumns);
        ASSERT_NE(nullptr, pMonth);
        const int nIndex = (nYear * 12 + nMonth - 1) + i;
        const int nShownYear = nIndex / 12, nShownMonth = nIndex % 12 + 1;
        ASSERT_EQ(nShownMonth, pMonth->GetMonth());
        ASSERT_EQ(nShownYear, pMonth->GetYear());
        const std::vector<Day> want =
            ReferenceGrid(nShownYear, nShownMonth, nFirstWeekday, PlaceOf(i, nCount), bEdgesOnly);
        const std::vector<Day> got = GridOf(*pMonth);
        for (int nCell = 0; nCell < MONTH_INFO::CELL_COUNT; ++nCell)
          if (!(got[nCell] == want[nCell]) && nWrong++ < 5)
            ADD_FAILURE() << nShownYear << "-" << nShownMonth << " cell " << nCell << ": " << got[nCell]
                          << ", expected " << want[nCell];
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

// Where a point on a month lands: each code's rectangle and the date it reports.
TEST(MonthHitTest, ArrowsCaptionDayNamesAndEveryCellReportTheirCodeAndDate) {
  PickerInHost h(2, 1, kDefault);
  ASSERT_TRUE(h.m_bCreated);
  h.m_picker.m_nFirstDayOfWeek = 6;
  h.m_picker.CurrentDateSet(COleDateTime(2007, 4, 1, 0, 0, 0));
  const MONTH_INFO* pLeft = h.m_picker.GetMonthAt(0, 0);
  const MONTH_INFO* pRight = h.m_picker.GetMonthAt(0, 1);
  ASSERT_TRUE(pLeft != NULL && pRight != NULL);
  const COleDateTime april(2007, 4, 1, 1, 1, 1), may(2007, 5, 1, 1, 1, 1);
  struct Case {
    const MONTH_INFO* pMonth;
    CPoint pt;
    int nCode;
    COleDateTime dt;
  };
  const Case cases[] = {
      {pLeft, pLeft->GetScrollPrevRect().CenterPoint(), CExtDatePickerWnd::HT_SCROLL_PREV, COleDateTime()},
      {pRight, pRight->GetScrollNextRect().CenterPoint(), CExtDatePickerWnd::HT_SCROLL_NEXT, COleDateTime()},
      // The months between show no arrows there, and those places are no caption either.
      {pLeft, pLeft->GetScrollNextRect().CenterPoint(), CExtDatePickerWnd::HT_NOWHERE, COleDateTime()},
      {pRight, pRight->GetScrollPrevRect().CenterPoint(), CExtDatePickerWnd::HT_NOWHERE, COleDateTime()},
      {pLeft, pLeft->GetCaptionRect().CenterPoint(), CExtDatePickerWnd::HT_CAPTION, april},
      {pRight, pRight->GetDayNamesRect().CenterPoint(), CExtDatePickerWnd::HT_DAY_NAMES, may},
      {pLeft, pLeft->GetMonthRect().TopLeft() + CPoint(1, pLeft->GetMonthRect().Height() - 2),
       CExtDatePickerWnd::HT_NOWHERE, COleDateTime()},
      {pLeft, pRight->GetCaptionRect().CenterPoint(), CExtDatePickerWnd::HT_NOWHERE, COleDateTime()},
  };
  for (const Case& c : cases) {
    COleDateTime dt;
    const int nCode = c.pMonth->HitTest(c.pt, &dt);
    EXPECT_EQ(c.nCode, nCode) << c.pt.x << "," << c.pt.y;
    if (c.nCode == CExtDatePickerWnd::HT_NOWHERE || c.nCode == CExtDatePickerWnd::HT_SCROLL_PREV ||
        c.nCode == CExtDatePickerWnd::HT_SCROLL_NEXT)
      EXPECT_EQ(COleDateTime::null, dt.GetStatus()) << c.nCode;
    else
      EXPECT_TRUE(c.dt == dt) << c.nCode << ": " << dt.GetYear() << "-" << dt.GetMonth() << "-"
                              << dt.GetDay();
  }
  // A point of the days area that no cell covers stands for the month.
  const CRect& rcDays = pLeft->GetDaysRect();
  for (CPoint pt(rcDays.left, rcDays.top); pt.y < rcDays.bottom; ++pt.y, pt.x = rcDays.left) {
    for (; pt.x < rcDays.right && pLeft->HitTestDay(pt) != NULL; ++pt.x) {
    }
    if (pt.x < rcDays.right) {
      COleDateTime dt;
      EXPECT_EQ(CExtDatePickerWnd::HT_DATE_CELL, pLeft->HitTest(pt, &dt));
      EXPECT_TRUE(april == dt);
      break;
    }
  }
  // Every cell: its own date (blank cells null) at its centre, through the picker's hit test too;
  // cells tile the days area in rows of seven.
  const CSize sizeCell = h.m_picker.OnDatePickerQueryDateCellSize();
  for (const MONTH_INFO* pMonth : {pLeft, pRight}) {
    for (int i = 0; i < MONTH_INFO::CELL_COUNT; ++i) {
      const MONTH_INFO::DATE_INFO& cell = pMonth->GetCell(i);
      EXPECT_EQ(CRect(CPoint(pMonth->GetDaysRect().left + i % 7 * sizeCell.cx,
                             pMonth->GetDaysRect().top + i / 7 * sizeCell.cy),
                      sizeCell),
                cell.GetRect());
      COleDateTime dt;
      const MONTH_INFO* pHit = NULL;
      EXPECT_EQ(CExtDatePickerWnd::HT_DATE_CELL,
                h.m_picker.HitTest(cell.GetRect().CenterPoint(), &dt, &pHit));
      EXPECT_EQ(pMonth, pHit);
      EXPECT_TRUE(cell.GetDate() == dt) << i;
    }
  }
}

// Months at the ends of the representable years and months that are no months keep the days that
// do not exist blank, and building them ends whatever the locale answers.
TEST(MonthBuild, MonthsAtTheEdgesOfTimeOrOutOfRangeHaveNoDaysThatDoNotExist) {
  CFixedPicker picker;
  picker.RecalcMetrics();
  const CRect rc(0, 0, 160, 140);
  for (const int nFirstDay : {6, 0, 9, -3}) {
    picker.m_nFirstDayOfWeek = nFirstDay;
    MONTH_INFO first(0, 0, 1, 100, rc, &picker);
    int nBlank = 0;
    for (int i = 0; i < MONTH_INFO::CELL_COUNT; ++i)
      nBlank += first.GetCell(i).GetDate().GetStatus() == COleDateTime::null ? 1 : 0;
    const int nLead = (Weekday(100, 1, 1) - ((nFirstDay % 7 + 7) % 7) + 7) % 7;
    EXPECT_EQ(nLead == 0 ? 7 : nLead, nBlank) << nFirstDay;
    EXPECT_EQ(1, first.GetCell(nBlank).GetDate().GetDay()) << nFirstDay;

    MONTH_INFO last(0, 0, 12, 9999, rc, &picker);
    EXPECT_EQ(COleDateTime::valid, last.GetCell(0).GetDate().GetStatus());
    EXPECT_EQ(COleDateTime::null, last.GetCell(MONTH_INFO::CELL_COUNT - 1).GetDate().GetStatus());

    for (const auto& bad : {std::make_pair(0, 2007), std::make_pair(13, 2007), std::make_pair(4, 99),
                            std::make_pair(4, 10000), std::make_pair(-1, -1)}) {
      MONTH_INFO month(0, 0, bad.first, bad.second, rc, &picker);
      for (int i = 0; i < MONTH_INFO::CELL_COUNT; ++i)
        EXPECT_EQ(COleDateTime::null, month.GetCell(i).GetDate().GetStatus())
            << bad.first << "/" << bad.second;
      EXPECT_EQ(CExtDatePickerWnd::HT_DATE_CELL, month.HitTest(month.GetDaysRect().CenterPoint()));
    }
  }
}

} // namespace
