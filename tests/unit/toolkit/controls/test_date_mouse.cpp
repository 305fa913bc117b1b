// The date picker under the real mouse on its months: a click on a day sends one final
// notification, a drag selects a range, a held arrow scrolls, and a press on a caption runs the
// month list's modal loop (driven from a thread of its own while this thread runs the loop).
#include "tests/common/driver_script.h"
#include "tests/common/input_support.h"
#include "tests/unit/toolkit/controls/date_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

namespace {

using namespace date_support;
typedef CExtDatePickerWnd P;

struct CellCase {
  const char* name;
  DWORD dwExtraRemove;
  COleDateTime (*pfnDate)(); // a day the top-left month (April 2007) shows
  bool bSelects;
};

COleDateTime April10() { return Day(2007, 4, 10); }
COleDateTime March31() { return Day(2007, 3, 31); }

class DatePickerClick : public ::testing::TestWithParam<CellCase> {};

TEST_P(DatePickerClick, AClickOnADaySelectsItWithOneFinalNotification) {
  const CellCase& row = GetParam();
  PickerWindow w(P::DPS_DEFAULT & ~row.dwExtraRemove);
  ASSERT_TRUE(w.IsMade());
  w.m_picker.CurrentDateSet(Day(2007, 4, 1));
  const COleDateTime dt = row.pfnDate();
  const CPoint ptCell = w.CellOf(dt);
  ASSERT_NE(CPoint(-1, -1), ptCell) << "the month shows the day";
  ASSERT_TRUE(w.Click(ptCell));
  COleDateTime dtBegin, dtEnd;
  w.m_picker.SelectionGet(dtBegin, dtEnd);
  if (!row.bSelects) {
    EXPECT_TRUE(w.m_host.m_records.empty());
    EXPECT_EQ(COleDateTime::null, dtBegin.GetStatus()) << "a blank day ignores clicks";
    return;
  }
  ASSERT_EQ(1u, w.m_host.m_records.size());
  EXPECT_EQ(dt, w.m_host.m_records[0].m_dtBegin);
  EXPECT_EQ(dt, w.m_host.m_records[0].m_dtEnd);
  EXPECT_TRUE(w.m_host.m_records[0].IsFinal());
  EXPECT_EQ(1, w.m_host.m_nCancelModes);
  EXPECT_EQ(dt, dtEnd);
  COleDateTime dtFirst, dtLast;
  w.m_picker.GetDisplayedRange(dtFirst, dtLast);
  EXPECT_TRUE(dtFirst <= dt && dt <= dtLast) << "the chosen day is shown";
}

INSTANTIATE_TEST_SUITE_P(
    Days, DatePickerClick,
    ::testing::Values(CellCase{"OwnMonth", 0, &April10, true},
                      CellCase{"PreviousMonthShown", 0, &March31, true},
                      CellCase{"PreviousMonthBlank", P::DPS_SHOW_OUT_OF_MONTH_DAYS, &March31, false}),
    [](const ::testing::TestParamInfo<CellCase>& info) { return std::string(info.param.name); });

TEST(DatePickerDrag, ADragSelectsARangeWithTheRangeStyleOnly) {
  for (bool bRange : {true, false}) {
    PickerWindow w(P::DPS_DEFAULT | (bRange ? P::DPS_MULTIPLE_SELECTION : 0));
    ASSERT_TRUE(w.IsMade());
    w.m_picker.CurrentDateSet(Day(2007, 4, 1));
    ASSERT_TRUE(w.Drag(w.CellOf(Day(2007, 4, 3)), w.CellOf(Day(2007, 4, 9))));
    COleDateTime dtBegin, dtEnd;
    w.m_picker.SelectionGet(dtBegin, dtEnd);
    EXPECT_EQ(bRange ? Day(2007, 4, 3) : Day(2007, 4, 9), dtBegin) << "range " << bRange;
    EXPECT_EQ(Day(2007, 4, 9), dtEnd);
    ASSERT_FALSE(w.m_host.m_records.empty());
    EXPECT_TRUE(w.m_host.m_records.back().IsFinal());
    EXPECT_EQ(dtBegin, w.m_host.m_records.back().m_dtBegin);
    for (size_t i = 0; i + 1 < w.m_host.m_records.size(); ++i)
      EXPECT_FALSE(w.m_host.m_records[i].IsFinal()) << "only the release finishes";
  }
}

TEST(DatePickerArrows, AHeldArrowScrollsAtOnceThenRepeatsUntilReleased) {
  PickerWindow w(P::DPS_DEFAULT, CSize(2, 1), CSize(2, 1));
  ASSERT_TRUE(w.IsMade());
  w.m_picker.CurrentDateSet(Day(2007, 4, 1));
  const P::MONTH_INFO* pRight = w.m_picker.GetMonthAt(0, 1);
  ASSERT_NE(nullptr, pRight);
  ASSERT_FALSE(pRight->GetScrollNextRect().IsRectEmpty());
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
  // The next tick of the repeat timer ends it without scrolling.
  bool bTicked = false;
  const DWORD dwReleased = ::GetTickCount();
  while (!bTicked && ::GetTickCount() - dwReleased < 2000) {
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
      continue;
    }
    bTicked = msg.message == WM_TIMER && msg.hwnd == w.m_picker.m_hWnd && msg.wParam == P::TIMER_SCROLL;
    ::DispatchMessageA(&msg);
  }
  EXPECT_TRUE(bTicked);
  EXPECT_FALSE(::KillTimer(w.m_picker.m_hWnd, P::TIMER_SCROLL)) << "that tick ended the timer";
  EXPECT_EQ(dtReleased, w.m_picker.CurrentDateGet());
  EXPECT_GE(dtReleased.GetMonth(), 7);
}

// --- the month list's modal loop -----------------------------------------------------------------

struct ListSearch {
  HWND hWndHost, hWndFound;
};

BOOL CALLBACK MatchMonthList(HWND hWnd, LPARAM lParam) {
  ListSearch& s = *reinterpret_cast<ListSearch*>(lParam);
  const LONG lExStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
  if (::GetWindow(hWnd, GW_OWNER) == s.hWndHost && ::IsWindowVisible(hWnd) &&
      (lExStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) == (WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) {
    s.hWndFound = hWnd;
    return FALSE;
  }
  return TRUE;
}

// The month list a picker in the host shows, or NULL.
HWND FindMonthList(HWND hWndHost) {
  ListSearch search = {hWndHost, NULL};
  ::EnumThreadWindows(::GetWindowThreadProcessId(hWndHost, NULL), &MatchMonthList,
                      reinterpret_cast<LPARAM>(&search));
  return search.hWndFound;
}

// Presses on the caption of the grid's right month (April 2007 beside March), then runs what the
// driver does while the list is open; this thread runs the picker's loop meanwhile.
struct CaptionPress {
  explicit CaptionPress(PickerWindow& w) : m_w(w) {
    w.m_picker.CurrentDateSet(Day(2007, 3, 1));
    const P::MONTH_INFO* pApril = w.m_picker.GetMonthAt(0, 1);
    m_ptCaption = pApril != NULL ? w.Screen(pApril->GetCaptionRect().CenterPoint()) : CPoint(-1, -1);
  }
  // Answers whether the list appeared; the driver's steps run while it is open.
  bool Run(const std::function<void(HWND)>& whileOpen) {
    std::atomic<bool> bDone(false), bAppeared(false);
    const HWND hWndHost = m_w.m_host.m_hWnd;
    std::thread driver([&] {
      real_input::MouseAt(m_ptCaption, 0);
      real_input::MouseAt(m_ptCaption, MOUSEEVENTF_LEFTDOWN);
      HWND hWndList = NULL;
      bAppeared = WaitFromDriver([&] { return (hWndList = FindMonthList(hWndHost)) != NULL; });
      if (bAppeared)
        whileOpen(hWndList);
      WaitFromDriver([&] { return FindMonthList(hWndHost) == NULL; });
      real_input::MouseAt(m_ptCaption, MOUSEEVENTF_LEFTUP);
      bDone = true;
    });
    PumpUntil([&] { return bDone.load(); }, 15000);
    driver.join();
    return bAppeared;
  }
  PickerWindow& m_w;
  CPoint m_ptCaption;
};

// The screen centre of item i of the list (its window holds a frame pixel and, with the
// shadow, three more pixels right and below).
CPoint ItemCentre(HWND hWndList, int nItem) {
  CRect rc;
  ::GetWindowRect(hWndList, &rc);
  const int nItemHeight = (rc.Height() - 3 - 2) / 7;
  return CPoint(rc.left + (rc.Width() - 3) / 2, rc.top + 1 + nItem * nItemHeight + nItemHeight / 2);
}

TEST(DatePickerMonthListLoop, ReleasingOnAListedMonthPutsItInTheClickedMonthsPlace) {
  PickerWindow w(P::DPS_DEFAULT, CSize(2, 1), CSize(2, 1));
  ASSERT_TRUE(w.IsMade());
  CaptionPress press(w);
  ASSERT_TRUE(press.Run([](HWND hWndList) {
    const CPoint pt = ItemCentre(hWndList, 0);
    real_input::MouseAt(pt, 0);
    WaitFromDriver([&] {
      CPoint ptNow;
      return ::GetCursorPos(&ptNow) && ptNow == pt;
    });
    real_input::MouseAt(pt, MOUSEEVENTF_LEFTUP);
  }));
  // January 2007 takes April's place on the right: December 2006 is on the left.
  EXPECT_EQ(12, w.m_picker.CurrentDateGet().GetMonth());
  EXPECT_EQ(2006, w.m_picker.CurrentDateGet().GetYear());
  EXPECT_EQ(nullptr, FindMonthList(w.m_host.m_hWnd));
}

TEST(DatePickerMonthListLoop, TheRightButtonOrAReleaseOutsideTheListChangesNothing) {
  for (bool bRightButton : {true, false}) {
    PickerWindow w(P::DPS_DEFAULT, CSize(2, 1), CSize(2, 1));
    ASSERT_TRUE(w.IsMade());
    CaptionPress press(w);
    ASSERT_TRUE(press.Run([&](HWND hWndList) {
      CRect rc;
      ::GetWindowRect(hWndList, &rc);
      const CPoint pt = bRightButton ? ItemCentre(hWndList, 0) : CPoint(rc.right + 20, rc.CenterPoint().y);
      real_input::MouseAt(pt, 0);
      real_input::MouseAt(pt, bRightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTUP);
      if (bRightButton) {
        WaitFromDriver([&] { return !::IsWindow(hWndList); });
        real_input::MouseAt(pt, MOUSEEVENTF_RIGHTUP);
      }
    }));
    EXPECT_EQ(3, w.m_picker.CurrentDateGet().GetMonth()) << "right button " << bRightButton;
    EXPECT_EQ(2007, w.m_picker.CurrentDateGet().GetYear());
    PumpPending();
  }
}

// A quit posted while the list was open once ended only the list's loop and was lost.
TEST(DatePickerMonthListLoop, AQuitDuringTheLoopReachesTheApplicationsLoop) {
  PickerWindow w(P::DPS_DEFAULT, CSize(2, 1), CSize(2, 1));
  ASSERT_TRUE(w.IsMade());
  const DWORD dwThread = ::GetCurrentThreadId();
  CaptionPress press(w);
  ASSERT_TRUE(press.Run([&](HWND) { ::PostThreadMessageA(dwThread, WM_QUIT, 42, 0); }));
  MSG msg;
  ASSERT_TRUE(::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is queued again";
  EXPECT_EQ(42u, msg.wParam);
  EXPECT_EQ(nullptr, FindMonthList(w.m_host.m_hWnd));
  EXPECT_EQ(3, w.m_picker.CurrentDateGet().GetMonth());
  PumpPending();
}

} // namespace
