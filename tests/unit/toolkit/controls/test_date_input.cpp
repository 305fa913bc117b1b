// The date picker under real keys and the real mouse: one notification per change, ranges only
// with the range style, clicks and the buttons finish the choice, a held arrow repeats.
#include "tests/common/input_support.h"
#include "tests/unit/toolkit/controls/date_support.h"

#include <gtest/gtest.h>

namespace {

using namespace date_support;
typedef CExtDatePickerWnd P;

COleDateTime AddDays(const COleDateTime& dt, int nDays) { return dt + COleDateTimeSpan(nDays, 0, 0, 0); }

struct KeyCase {
  const char* name;
  UINT nVirtKey;
  int nDays;
};

class DatePickerKeys : public ::testing::TestWithParam<KeyCase> {};

// Outside a menu, a picker with no selection once let the arrows walk a null date into garbage;
// now the first arrow starts from today.
TEST_P(DatePickerKeys, AnArrowWithNoSelectionMovesFromTodayAndOtherKeysDoNothing) {
  const KeyCase& row = GetParam();
  PickerWindow w(P::DPS_DEFAULT);
  ASSERT_TRUE(w.IsMade());
  ASSERT_TRUE(w.Focus());
  for (UINT nKey : {(UINT)'A', (UINT)VK_SPACE, (UINT)VK_ESCAPE, (UINT)VK_HOME})
    ASSERT_TRUE(w.Key(nKey));
  EXPECT_TRUE(w.m_host.m_records.empty());
  EXPECT_EQ(COleDateTime::null, w.SelBegin().GetStatus());
  for (size_t nKeys = 1; nKeys <= 2; ++nKeys) {
    ASSERT_TRUE(w.Key(row.nVirtKey));
    const COleDateTime dtExpected = AddDays(Today(), row.nDays * (int)nKeys);
    ASSERT_EQ(nKeys, w.m_host.m_records.size());
    EXPECT_EQ(dtExpected, w.m_host.m_records.back().m_dtBegin);
    EXPECT_EQ(dtExpected, w.m_host.m_records.back().m_dtEnd);
    EXPECT_TRUE(w.m_host.m_records.back().IsFinal()) << "outside a menu a key finishes the choice";
    EXPECT_TRUE(w.Shows(dtExpected)) << "the new date is shown";
  }
}

INSTANTIATE_TEST_SUITE_P(Arrows, DatePickerKeys,
                         ::testing::Values(KeyCase{"Left", VK_LEFT, -1}, KeyCase{"Right", VK_RIGHT, 1},
                                           KeyCase{"Up", VK_UP, -7}, KeyCase{"Down", VK_DOWN, 7}),
                         ByName());

struct ClickCase {
  const char* name;
  DWORD dwRemove;
  int nMonth, nDay; // a day of 2007 the April grid shows; month 0: the None button, -1: Today
};

class DatePickerClick : public ::testing::TestWithParam<ClickCase> {};

TEST_P(DatePickerClick, AClickOnADayOrAButtonFinishesTheChoiceAndClosesTheHost) {
  const ClickCase& row = GetParam();
  PickerWindow w((P::DPS_DEFAULT | P::DPS_BUTTON_NONE) & ~row.dwRemove);
  ASSERT_TRUE(w.IsMade());
  w.m_picker.CurrentDateSet(Day(2007, 4, 1));
  w.m_picker.SelectionSet(Day(2007, 4, 12), Day(2007, 4, 12));
  COleDateTime storage[2] = {Day(2007, 4, 12), Day(2007, 4, 12)};
  w.m_picker.m_pExternalSelection = storage;
  w.m_host.m_records.clear();
  const bool bButton = row.nMonth <= 0;
  const COleDateTime dtExpected =
      bButton ? (row.nMonth < 0 ? Today() : NullDate()) : Day(2007, row.nMonth, row.nDay);
  const CRect rc = bButton
                       ? (row.nMonth < 0 ? w.m_picker.GetButtonTodayRect() : w.m_picker.GetButtonNoneRect())
                       : w.CellRect(dtExpected);
  ASSERT_FALSE(rc.IsRectEmpty());
  if (bButton) {
    ASSERT_TRUE(w.Drag(rc.CenterPoint(), CPoint(2, 2)));
    EXPECT_TRUE(w.m_host.m_records.empty()) << "a press that leaves the button does nothing";
  }
  ASSERT_TRUE(w.Click(rc.CenterPoint()));
  if (row.dwRemove != 0) {
    EXPECT_TRUE(w.m_host.m_records.empty());
    EXPECT_EQ(Day(2007, 4, 12), w.SelBegin()) << "a blank day ignores clicks";
    return;
  }
  ASSERT_EQ(1u, w.m_host.m_records.size());
  const P::SELECTION_NOTIFICATION& rec = w.m_host.m_records[0];
  for (const COleDateTime& dt : {rec.m_dtBegin, rec.m_dtEnd, w.SelEnd(), storage[1]}) {
    EXPECT_EQ(dtExpected.GetStatus(), dt.GetStatus());
    if (dtExpected.GetStatus() == COleDateTime::valid)
      EXPECT_EQ(dtExpected, dt) << "the final notification fills the host's storage too";
  }
  EXPECT_TRUE(rec.IsFinal());
  EXPECT_TRUE(rec.IsCloseHost());
  EXPECT_EQ(1, w.m_host.m_nCancelModes);
  EXPECT_EQ(P::TRACK_NONE, w.m_picker.GetTrackingCode());
  if (dtExpected.GetStatus() == COleDateTime::valid)
    EXPECT_TRUE(w.Shows(dtExpected)) << "the chosen day is shown";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, DatePickerClick,
    ::testing::Values(ClickCase{"OwnMonth", 0, 4, 10}, ClickCase{"PreviousMonthShown", 0, 3, 31},
                      ClickCase{"PreviousMonthBlank", P::DPS_SHOW_OUT_OF_MONTH_DAYS, 3, 31},
                      ClickCase{"None", 0, 0, 0}, ClickCase{"Today", 0, -1, 0}),
    ByName());

TEST(DatePickerRange, DragsAndShiftedArrowsMakeRangesOnlyWithTheRangeStyle) {
  for (bool bRange : {true, false}) {
    SCOPED_TRACE(bRange ? "range" : "single");
    PickerWindow w(P::DPS_DEFAULT | (bRange ? P::DPS_MULTIPLE_SELECTION : 0));
    ASSERT_TRUE(w.IsMade());
    w.m_picker.CurrentDateSet(Day(2007, 4, 1));
    ASSERT_TRUE(w.Drag(w.CellRect(Day(2007, 4, 3)).CenterPoint(), w.CellRect(Day(2007, 4, 9)).CenterPoint()));
    EXPECT_EQ(bRange ? Day(2007, 4, 3) : Day(2007, 4, 9), w.SelBegin());
    EXPECT_EQ(Day(2007, 4, 9), w.SelEnd());
    ASSERT_FALSE(w.m_host.m_records.empty());
    EXPECT_EQ(w.SelBegin(), w.m_host.m_records.back().m_dtBegin);
    for (size_t i = 0; i < w.m_host.m_records.size(); ++i)
      EXPECT_EQ(i + 1 == w.m_host.m_records.size(), w.m_host.m_records[i].IsFinal())
          << "only the release finishes";

    w.m_host.m_records.clear();
    ASSERT_TRUE(w.Focus());
    ASSERT_TRUE(w.Key(VK_RIGHT, true));
    EXPECT_EQ(bRange ? Day(2007, 4, 3) : Day(2007, 4, 10), w.SelBegin());
    EXPECT_EQ(Day(2007, 4, 10), w.SelEnd());
    ASSERT_TRUE(w.Key(VK_RIGHT));
    EXPECT_EQ(Day(2007, 4, 11), w.SelBegin()) << "without Shift the range collapses to the moved end";
    EXPECT_EQ(Day(2007, 4, 11), w.SelEnd());
    EXPECT_EQ(2u, w.m_host.m_records.size()) << "one notification per key";
    if (bRange) {
      w.m_picker.SelectionSet(Day(2007, 4, 3), Day(2007, 4, 9));
      w.m_picker.ModifyDatePickerStyle(P::DPS_MULTIPLE_SELECTION, 0);
      EXPECT_EQ(Day(2007, 4, 3), w.SelBegin());
      EXPECT_EQ(Day(2007, 4, 3), w.SelEnd()) << "without the style a range is its begin";
    }
  }
}

TEST(DatePickerArrows, AHeldArrowScrollsAtOnceThenRepeatsUntilReleased) {
  PickerWindow w(P::DPS_DEFAULT, CSize(2, 1), CSize(2, 1));
  ASSERT_TRUE(w.IsMade());
  w.m_picker.CurrentDateSet(Day(2007, 4, 1));
  const P::MONTH_INFO* pRight = w.m_picker.GetMonthAt(0, 1);
  ASSERT_TRUE(pRight != nullptr && !pRight->GetScrollNextRect().IsRectEmpty());
  real_input::MoveTo(w.Screen(pRight->GetScrollNextRect().CenterPoint()));
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(PumpUntil([&] { return w.m_picker.CurrentDateGet().GetMonth() == 5; }));
  const DWORD dwFirst = ::GetTickCount();
  EXPECT_EQ(P::TRACK_SCROLL_NEXT, w.m_picker.GetTrackingCode());
  ASSERT_TRUE(PumpUntil([&] { return w.m_picker.CurrentDateGet().GetMonth() == 7; }));
  EXPECT_GE(::GetTickCount() - dwFirst, 250u) << "two repeats, about 150 ms apart";
  real_input::Button(MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(PumpUntil([&] { return w.m_picker.GetTrackingCode() == P::TRACK_NONE; }));
  const COleDateTime dtReleased = w.m_picker.CurrentDateGet();
  EXPECT_EQ(1u, TimerTicks(w.m_picker.m_hWnd, P::TIMER_SCROLL, 1).size());
  EXPECT_FALSE(::KillTimer(w.m_picker.m_hWnd, P::TIMER_SCROLL)) << "the next tick ends the timer";
  EXPECT_EQ(dtReleased, w.m_picker.CurrentDateGet()) << "without scrolling";
}

} // namespace
