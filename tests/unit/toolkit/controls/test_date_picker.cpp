// The date picker's state through its public interface: the selection and its notifications, the
// style word, the grid that follows the window, dates that are not valid, and its picture.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/controls/date_support.h"

#include <gtest/gtest.h>

namespace {

using namespace date_support;
typedef CExtDatePickerWnd P;

TEST(DatePickerSelection, EachChangeNotifiesOnceAndOnlyTheFinalOneClosesTheHost) {
  PickerWindow w(P::DPS_DEFAULT | P::DPS_MULTIPLE_SELECTION);
  ASSERT_TRUE(w.IsMade());
  w.m_picker.m_lParamCookie = 33;
  w.m_picker.SelectionSet(Day(2007, 4, 20), Day(2007, 4, 3), true);
  w.m_picker.SelectionSet(Day(2007, 4, 3), COleDateTime(2007, 4, 20, 15, 30, 0), false);
  ASSERT_EQ(1u, w.m_host.m_records.size()) << "the second call names the same days";
  const P::SELECTION_NOTIFICATION& rec = w.m_host.m_records[0];
  EXPECT_EQ(Day(2007, 4, 3), rec.m_dtBegin) << "normalised";
  EXPECT_EQ(Day(2007, 4, 20), rec.m_dtEnd);
  EXPECT_EQ(33, rec.m_lParamCookie);
  EXPECT_EQ(w.m_picker.m_hWnd, rec.m_hWndDatePicker);
  EXPECT_FALSE(rec.IsFinal());
  EXPECT_TRUE(rec.IsCloseHost());
  EXPECT_EQ(0, w.m_host.m_nCancelModes);
  EXPECT_TRUE(w.m_picker.IsDateSelected(COleDateTime(2007, 4, 20, 23, 0, 0)));
  EXPECT_FALSE(w.m_picker.IsDateSelected(Day(2007, 4, 21)));

  w.m_picker.SelectionSet(Day(2007, 5, 1), NullDate());
  EXPECT_EQ(COleDateTime::null, w.SelBegin().GetStatus()) << "one null end clears both";
  EXPECT_EQ(2u, w.m_host.m_records.size());
  w.m_picker.SelectionSet(InvalidDate(), Day(2007, 5, 1));
  EXPECT_EQ(2u, w.m_host.m_records.size()) << "an invalid date selects nothing, which is no change";

  // Another receiver gets the notifications; a notification that is not final leaves the storage.
  CPickerHost other;
  ASSERT_TRUE(other.CreateHost(50, 50));
  COleDateTime storage[2] = {Day(2000, 1, 1), Day(2000, 1, 2)};
  w.m_picker.m_hWndNotificationReceiver = other.m_hWnd;
  w.m_picker.m_pExternalSelection = storage;
  w.m_picker.SelectionSet(Day(2007, 4, 3), Day(2007, 4, 3));
  EXPECT_EQ(1u, other.m_records.size());
  EXPECT_EQ(2u, w.m_host.m_records.size());
  EXPECT_EQ(Day(2000, 1, 1), storage[0]);
  other.DestroyWindow();
  EXPECT_EQ(w.m_host.m_hWnd, w.m_picker.GetNotificationReceiver())
      << "a receiver that went is the parent again";
}

struct StyleCase {
  const char* name;
  DWORD dwRemove, dwAdd;
  int nExtra; // width and height beside the grid of a 1 x 1 picker
  bool bToday, bNone;
};

class DatePickerStyle : public ::testing::TestWithParam<StyleCase> {};

TEST_P(DatePickerStyle, TheStyleDecidesBordersAndButtons) {
  const StyleCase& row = GetParam();
  PickerWindow w(P::DPS_DEFAULT);
  ASSERT_TRUE(w.IsMade());
  w.m_picker.ModifyDatePickerStyle(row.dwRemove, row.dwAdd, true);
  const CSize sizeMonth = w.m_picker.OnDatePickerQueryMonthSize();
  const int nButtons = (row.bToday || row.bNone) ? w.m_picker.OnDatePickerQueryButtonAreaHeight() : 0;
  EXPECT_EQ(CSize(sizeMonth.cx + row.nExtra, sizeMonth.cy + row.nExtra + nButtons),
            w.m_picker.CalcSizeForDimension(CSize(1, 1)));
  EXPECT_EQ(row.nExtra / 2, w.m_picker.GetMonthsAreaRect().left - w.m_picker.GetBorderRect().left);
  const CRect rcToday = w.m_picker.GetButtonTodayRect(), rcNone = w.m_picker.GetButtonNoneRect();
  EXPECT_EQ(row.bToday, !rcToday.IsRectEmpty());
  EXPECT_EQ(row.bNone, !rcNone.IsRectEmpty());
  if (row.bToday && row.bNone) {
    EXPECT_TRUE(rcNone.left - rcToday.right == 9 || rcNone.left - rcToday.right == 10)
        << "Today left of None, 10 pixels apart (an odd width halves down)";
    EXPECT_NEAR(w.m_picker.GetBorderRect().CenterPoint().x, (rcToday.left + rcNone.right) / 2, 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Styles, DatePickerStyle,
                         ::testing::Values(StyleCase{"Default", 0, 0, 8, true, false},
                                           StyleCase{"EverythingRemoved", (DWORD)-1, 0, 0, false, false},
                                           StyleCase{"NoneAdded", 0, P::DPS_BUTTON_NONE, 8, true, true},
                                           StyleCase{"OnlyNone", (DWORD)-1, P::DPS_BUTTON_NONE, 0, false,
                                                     true},
                                           StyleCase{"NoBorder", P::DPS_BORDER, 0, 0, true, false}),
                         ByName());

struct DimensionCase {
  const char* name;
  CSize sizeMin, sizeMax, sizeWindowInMonths, sizeExpected;
};

class DatePickerAutoDimension : public ::testing::TestWithParam<DimensionCase> {};

TEST_P(DatePickerAutoDimension, TheGridFollowsTheWindowBetweenMinimumAndMaximum) {
  const DimensionCase& row = GetParam();
  const DWORD dwStyle = P::DPS_DEFAULT | P::DPS_AUTO_DIMENSION;
  CExtDatePickerWnd measure;
  measure.ModifyDatePickerStyle((DWORD)-1, dwStyle);
  PickerWindow w(dwStyle, row.sizeMin, row.sizeMax, measure.CalcSizeForDimension(row.sizeWindowInMonths));
  ASSERT_TRUE(w.IsMade());
  CSize sizeCurrent;
  w.m_picker.GetDimension(NULL, NULL, &sizeCurrent);
  EXPECT_EQ(row.sizeExpected, sizeCurrent);
  EXPECT_EQ(row.sizeExpected.cx * row.sizeExpected.cy, w.m_picker.GetMonthCount());
  w.m_picker.ModifyDatePickerStyle(P::DPS_AUTO_DIMENSION, 0);
  w.m_picker.GetDimension(NULL, NULL, &sizeCurrent);
  EXPECT_EQ(row.sizeMin, sizeCurrent) << "without the style the grid is the minimum again";
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DatePickerAutoDimension,
    ::testing::Values(DimensionCase{"TwoAcross", CSize(1, 1), CSize(3, 3), CSize(2, 1), CSize(2, 1)},
                      DimensionCase{"CappedByTheMaximum", CSize(1, 1), CSize(3, 1), CSize(4, 2), CSize(3, 1)},
                      DimensionCase{"RaisedToTheMinimum", CSize(2, 2), CSize(3, 3), CSize(1, 1), CSize(2, 2)},
                      DimensionCase{"NoRoomAtAll", CSize(1, 1), CSize(2, 2), CSize(0, 0), CSize(1, 1)}),
    ByName());

TEST(DatePickerDates, AFreshPickerShowsTodayDatesNotValidMoveNothingAndTheGridStopsAtTheLastMonth) {
  PickerWindow w(P::DPS_DEFAULT, CSize(2, 2), CSize(2, 2));
  ASSERT_TRUE(w.IsMade());
  COleDateTime dtFirst, dtLast;
  w.m_picker.GetDisplayedRange(dtFirst, dtLast);
  EXPECT_EQ(Day(Today().GetYear(), Today().GetMonth(), 1), dtFirst) << "a fresh picker starts at today";
  EXPECT_EQ(Today(), w.m_picker.CurrentDateGet());
  EXPECT_EQ(COleDateTime::null, w.SelBegin().GetStatus());
  w.m_picker.CurrentDateSet(Day(2007, 4, 15));
  for (const COleDateTime& dt : {InvalidDate(), NullDate(), Day(99, 1, 1)}) {
    w.m_picker.CurrentDateSet(dt);
    EXPECT_FALSE(w.m_picker.EnsureVisible(dt));
    EXPECT_EQ(Day(2007, 4, 15), w.m_picker.CurrentDateGet());
    w.m_picker.GetDisplayedRange(dtFirst, dtLast);
    EXPECT_EQ(Day(2007, 4, 1), dtFirst);
    EXPECT_EQ(Day(2007, 7, 31), dtLast);
  }
  EXPECT_TRUE(w.m_picker.EnsureVisible(Day(2007, 7, 31)));
  EXPECT_EQ(Day(2007, 4, 15), w.m_picker.CurrentDateGet()) << "shown already: nothing moves";
  EXPECT_TRUE(w.m_picker.EnsureVisible(Day(2007, 9, 2)));
  EXPECT_TRUE(w.Shows(Day(2007, 9, 2)));
  w.m_picker.CurrentDateSet(Day(9999, 12, 1));
  w.m_picker.GetDisplayedRange(dtFirst, dtLast);
  EXPECT_EQ(Day(9999, 9, 1), dtFirst);
  EXPECT_EQ(Day(9999, 12, 31), dtLast);
  EXPECT_EQ(4, w.m_picker.GetMonthCount());
}

TEST(DatePicker, ASubclassedWindowOfItsClassBecomesAPickerShowingTheStoredSelection) {
  CPickerHost host;
  ASSERT_TRUE(host.CreateHost(300, 250));
  CExtDatePickerWnd picker; // registers the class, as a dialog's control needs
  const HWND hWnd = ::CreateWindowExA(0, "Corvane-DatePickerWnd", "", WS_CHILD | WS_VISIBLE, 0, 0, 250, 200,
                                      host.m_hWnd, (HMENU)7, AfxGetInstanceHandle(), NULL);
  ASSERT_NE(nullptr, hWnd);
  COleDateTime storage[2] = {NullDate(), Day(2007, 4, 9)};
  picker.m_pExternalSelection = storage;
  ASSERT_TRUE(picker.SubclassWindow(hWnd));
  EXPECT_NE(0u, picker.GetStyle() & WS_CLIPCHILDREN);
  EXPECT_EQ(1, picker.GetMonthCount());
  EXPECT_EQ(Day(2007, 4, 1), Day(picker.CurrentDateGet().GetYear(), picker.CurrentDateGet().GetMonth(), 1))
      << "the stored end shows when there is no begin";
  COleDateTime dtBegin, dtEnd;
  picker.SelectionGet(dtBegin, dtEnd);
  EXPECT_EQ(COleDateTime::null, dtEnd.GetStatus()) << "a stored null end selects nothing";
  picker.DestroyWindow();
  host.DestroyWindow();
}

TEST(DatePickerPaint, TheSelectedRangeIsPaintedAndSavedForALook) {
  PickerWindow w(P::DPS_DEFAULT | P::DPS_BUTTON_NONE | P::DPS_MULTIPLE_SELECTION, CSize(2, 1), CSize(2, 1));
  ASSERT_TRUE(w.IsMade());
  w.m_picker.CurrentDateSet(Day(2007, 4, 1));
  w.m_picker.SelectionSet(Day(2007, 4, 27), Day(2007, 5, 4), true, true);
  CRect rcClient;
  w.m_picker.GetClientRect(&rcClient);
  const pixel_support::Pixels px = pixel_support::ReadWindow(w.m_picker.m_hWnd, rcClient);
  ASSERT_FALSE(px.Empty());
  pixel_support::SaveBmp(px, "date_picker_range.bmp");
  // A selected day's cell differs from a plain one's a pixel inside its corner.
  const CRect rcSelected = w.CellRect(Day(2007, 4, 30)), rcPlain = w.CellRect(Day(2007, 4, 10));
  ASSERT_FALSE(rcSelected.IsRectEmpty());
  EXPECT_NE(px.At(rcSelected.left + 1, rcSelected.top + 1), px.At(rcPlain.left + 1, rcPlain.top + 1));
}

} // namespace
