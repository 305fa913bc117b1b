// The date picker under real keys and clicks: each key and each click sends one notification, a
// picker with no selection starts from today, the buttons finish the choice and close the host.
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
// now the first key starts from today.
TEST_P(DatePickerKeys, AnArrowWithNoSelectionMovesFromTodayAndNotifiesOnce) {
  const KeyCase& row = GetParam();
  PickerWindow w(P::DPS_DEFAULT);
  ASSERT_TRUE(w.IsMade());
  ASSERT_TRUE(w.Focus());
  ASSERT_TRUE(w.Key(row.nVirtKey));
  const COleDateTime dtExpected = AddDays(Today(), row.nDays);
  ASSERT_EQ(1u, w.m_host.m_records.size());
  EXPECT_EQ(dtExpected, w.m_host.m_records[0].m_dtBegin);
  EXPECT_EQ(dtExpected, w.m_host.m_records[0].m_dtEnd);
  EXPECT_TRUE(w.m_host.m_records[0].IsFinal()) << "outside a menu a key finishes the choice";
  COleDateTime dtFirst, dtLast;
  w.m_picker.GetDisplayedRange(dtFirst, dtLast);
  EXPECT_TRUE(dtFirst <= dtExpected && dtExpected <= dtLast) << "the new date is shown";

  // A second key moves from there, again with one notification.
  ASSERT_TRUE(w.Key(row.nVirtKey));
  ASSERT_EQ(2u, w.m_host.m_records.size());
  EXPECT_EQ(AddDays(dtExpected, row.nDays), w.m_host.m_records[1].m_dtEnd);
}

INSTANTIATE_TEST_SUITE_P(Arrows, DatePickerKeys,
                         ::testing::Values(KeyCase{"Left", VK_LEFT, -1}, KeyCase{"Right", VK_RIGHT, 1},
                                           KeyCase{"Up", VK_UP, -7}, KeyCase{"Down", VK_DOWN, 7}),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(DatePickerKeys, ShiftExtendsARangeOnlyWithTheRangeStyle) {
  for (bool bRange : {true, false}) {
    PickerWindow w(P::DPS_DEFAULT | (bRange ? P::DPS_MULTIPLE_SELECTION : 0));
    ASSERT_TRUE(w.IsMade());
    w.m_picker.SelectionSet(Day(2007, 4, 10), Day(2007, 4, 10));
    ASSERT_TRUE(w.Focus());
    ASSERT_TRUE(w.Key(VK_RIGHT, true));
    COleDateTime dtBegin, dtEnd;
    w.m_picker.SelectionGet(dtBegin, dtEnd);
    EXPECT_EQ(bRange ? Day(2007, 4, 10) : Day(2007, 4, 11), dtBegin) << "range " << bRange;
    EXPECT_EQ(Day(2007, 4, 11), dtEnd);
    ASSERT_TRUE(w.Key(VK_RIGHT));
    w.m_picker.SelectionGet(dtBegin, dtEnd);
    EXPECT_EQ(Day(2007, 4, 12), dtBegin) << "without Shift the range collapses to the moved end";
    EXPECT_EQ(3u, w.m_host.m_records.size()) << "the setting and each key: one notification each";
  }
}

TEST(DatePickerKeys, OtherKeysLeaveTheSelectionAlone) {
  PickerWindow w(P::DPS_DEFAULT);
  ASSERT_TRUE(w.IsMade());
  ASSERT_TRUE(w.Focus());
  for (UINT nKey : {(UINT)'A', (UINT)VK_SPACE, (UINT)VK_ESCAPE, (UINT)VK_HOME})
    ASSERT_TRUE(w.Key(nKey));
  EXPECT_TRUE(w.m_host.m_records.empty());
  COleDateTime dtBegin, dtEnd;
  w.m_picker.SelectionGet(dtBegin, dtEnd);
  EXPECT_EQ(COleDateTime::null, dtBegin.GetStatus());
}

TEST(DatePickerButtons, NoneClearsTheSelectionFinallyAndClosesTheHost) {
  PickerWindow w(P::DPS_DEFAULT | P::DPS_BUTTON_NONE);
  ASSERT_TRUE(w.IsMade());
  w.m_picker.SelectionSet(Day(2007, 4, 10), Day(2007, 4, 10));
  w.m_host.m_records.clear();
  ASSERT_TRUE(w.Click(w.m_picker.GetButtonNoneRect().CenterPoint()));
  ASSERT_EQ(1u, w.m_host.m_records.size());
  const P::SELECTION_NOTIFICATION& rec = w.m_host.m_records[0];
  EXPECT_EQ(COleDateTime::null, rec.m_dtBegin.GetStatus());
  EXPECT_EQ(COleDateTime::null, rec.m_dtEnd.GetStatus());
  EXPECT_TRUE(rec.IsFinal());
  EXPECT_TRUE(rec.IsCloseHost());
  EXPECT_EQ(1, w.m_host.m_nCancelModes);
  EXPECT_EQ(P::TRACK_NONE, w.m_picker.GetTrackingCode());
}

TEST(DatePickerButtons, TodaySelectsAndShowsTodayWithOneFinalNotification) {
  PickerWindow w(P::DPS_DEFAULT | P::DPS_BUTTON_NONE);
  ASSERT_TRUE(w.IsMade());
  w.m_picker.CurrentDateSet(Day(2007, 4, 1));
  COleDateTime storage[2];
  w.m_picker.m_pExternalSelection = storage;
  ASSERT_TRUE(w.Click(w.m_picker.GetButtonTodayRect().CenterPoint()));
  ASSERT_EQ(1u, w.m_host.m_records.size());
  EXPECT_EQ(Today(), w.m_host.m_records[0].m_dtBegin);
  EXPECT_EQ(Today(), w.m_host.m_records[0].m_dtEnd);
  EXPECT_EQ(Today(), storage[1]) << "a final notification fills the host's storage";
  EXPECT_EQ(Today().GetMonth(), w.m_picker.CurrentDateGet().GetMonth());
  EXPECT_EQ(1, w.m_host.m_nCancelModes);
}

TEST(DatePickerButtons, APressThatLeavesTheButtonChangesNothing) {
  PickerWindow w(P::DPS_DEFAULT | P::DPS_BUTTON_NONE);
  ASSERT_TRUE(w.IsMade());
  w.m_picker.SelectionSet(Day(2007, 4, 10), Day(2007, 4, 10));
  w.m_host.m_records.clear();
  ASSERT_TRUE(w.Drag(w.m_picker.GetButtonNoneRect().CenterPoint(), CPoint(2, 2)));
  EXPECT_TRUE(w.m_host.m_records.empty());
  COleDateTime dtBegin, dtEnd;
  w.m_picker.SelectionGet(dtBegin, dtEnd);
  EXPECT_EQ(Day(2007, 4, 10), dtBegin);
}

} // namespace
