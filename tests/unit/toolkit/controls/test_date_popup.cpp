// The month list: the seven months it lists, and its scroll timers measured by the timestamps of
// the timer messages the list gets while the real pointer rests above or below it.
#include "tests/common/input_support.h"
#include "tests/unit/toolkit/controls/date_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace date_support;
typedef CExtDatePickerHeaderPopupWnd Popup;

// A month list over a picker, shown at (300, 300), listing around April 2007.
struct ShownList {
  explicit ShownList(PickerWindow& w) : m_pPopup(new Popup(&w.m_picker, true)) {
    if (!m_pPopup->Create()) {
      delete m_pPopup;
      m_pPopup = NULL;
      return;
    }
    m_pPopup->SetMonthYear(4, 2007);
    const CSize size = m_pPopup->GetWindowSize();
    m_pPopup->SetWindowPos(NULL, 300, 300, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    m_pPopup->UpdateWindow();
  }
  ~ShownList() {
    if (m_pPopup != NULL)
      m_pPopup->DestroyWindow(); // deletes the object
  }
  // Rests the real pointer at the client point and lets the list follow it.
  bool PointAt(CPoint ptClient) {
    m_pPopup->ClientToScreen(&ptClient);
    real_input::MoveTo(ptClient);
    if (!PumpUntil([&] {
          CPoint pt;
          return ::GetCursorPos(&pt) && pt == ptClient;
        }))
      return false;
    m_pPopup->TrackMouseMove();
    return true;
  }
  // Client y of a point nDistance pixels above the list (negative: below it).
  int Above(int nDistance) const {
    return nDistance >= 0 ? -nDistance : m_pPopup->GetWindowSize().cy - m_pPopup->GetShadowSize() - nDistance;
  }
  // Runs the thread's messages, collecting the timestamps of nTicks timer messages of the list
  // (and the ids of its other timers), waiting only while the queue is empty.
  std::vector<DWORD> Ticks(UINT nTimerId, int nTicks, std::vector<UINT>* pOthers = NULL) {
    std::vector<DWORD> times;
    const DWORD dwStart = ::GetTickCount();
    while ((int)times.size() < nTicks && ::GetTickCount() - dwStart < (DWORD)(nTicks * 1000 + 2000)) {
      MSG msg;
      if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        continue;
      }
      if (msg.message == WM_TIMER && msg.hwnd == m_pPopup->m_hWnd) {
        if (msg.wParam == nTimerId)
          times.push_back(msg.time);
        else if (pOthers != NULL)
          pOthers->push_back((UINT)msg.wParam);
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    return times;
  }
  Popup* m_pPopup;
};

TEST(DatePickerMonthList, ListsSevenMonthsAroundTheClickedOne) {
  PickerWindow w(CExtDatePickerWnd::DPS_DEFAULT);
  ASSERT_TRUE(w.IsMade());
  ShownList list(w);
  ASSERT_NE(nullptr, list.m_pPopup);
  const CSize sizeItem = list.m_pPopup->GetItemSize();
  const int arrMonths[] = {1, 4, 7};
  const int arrItems[] = {0, 3, 6};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(list.PointAt(CPoint(sizeItem.cx / 2, arrItems[i] * sizeItem.cy + sizeItem.cy / 2)));
    int nMonth = 0, nYear = 0;
    ASSERT_TRUE(list.m_pPopup->GetSelection(nMonth, nYear));
    EXPECT_EQ(arrMonths[i], nMonth);
    EXPECT_EQ(2007, nYear);
  }
  ASSERT_TRUE(list.PointAt(CPoint(sizeItem.cx / 2, list.Above(20))));
  int nMonth = 0, nYear = 0;
  EXPECT_FALSE(list.m_pPopup->GetSelection(nMonth, nYear)) << "above the list nothing is selected";
  list.m_pPopup->SetMonthYear(13, 99);
  EXPECT_EQ(4, list.m_pPopup->GetMiddleMonth()) << "out of range values are ignored";
  EXPECT_EQ(2007, list.m_pPopup->GetMiddleYear());
}

struct IntervalCase {
  int nDistance; // above the list; negative below it
  UINT nInterval;
};

class DatePickerMonthListScroll : public ::testing::TestWithParam<IntervalCase> {};

TEST_P(DatePickerMonthListScroll, TheListScrollsOneMonthPerTickFasterWithDistance) {
  const IntervalCase& row = GetParam();
  PickerWindow w(CExtDatePickerWnd::DPS_DEFAULT);
  ASSERT_TRUE(w.IsMade());
  ShownList list(w);
  ASSERT_NE(nullptr, list.m_pPopup);
  const UINT nTimer = row.nDistance >= 0 ? Popup::TIMER_SCROLL_UP : Popup::TIMER_SCROLL_DOWN;
  ASSERT_TRUE(list.PointAt(CPoint(10, list.Above(row.nDistance))));
  EXPECT_TRUE(list.m_pPopup->IsScrollTimerRunning(nTimer));
  EXPECT_EQ(row.nInterval, list.m_pPopup->GetTimerInterval(nTimer));
  const std::vector<DWORD> times = list.Ticks(nTimer, 4);
  ASSERT_EQ(4u, times.size());
  std::vector<DWORD> gaps;
  for (size_t i = 1; i < times.size(); ++i)
    gaps.push_back(times[i] - times[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  const DWORD nMedian = gaps[gaps.size() / 2];
  EXPECT_GE(nMedian + 20, row.nInterval) << "ticks come no faster than the interval";
  EXPECT_LE(nMedian, row.nInterval * 3 / 2 + 30) << "nor much slower";
  // Four ticks, four months.
  const int nExpectedMonth = row.nDistance >= 0 ? 12 : 8;
  EXPECT_EQ(nExpectedMonth, list.m_pPopup->GetMiddleMonth());
  EXPECT_EQ(row.nDistance >= 0 ? 2006 : 2007, list.m_pPopup->GetMiddleYear());
}

INSTANTIATE_TEST_SUITE_P(Distances, DatePickerMonthListScroll,
                         ::testing::Values(IntervalCase{5, 500}, IntervalCase{15, 300}, IntervalCase{25, 200},
                                           IntervalCase{35, 100}, IntervalCase{45, 50}, IntervalCase{80, 50},
                                           IntervalCase{-5, 500}, IntervalCase{-35, 100}));

// Once a jump from below the list to above it at the same speed left the downward timer running,
// and the list went back and forth.
TEST(DatePickerMonthListScroll, EitherScrollTimerStopsTheOther) {
  PickerWindow w(CExtDatePickerWnd::DPS_DEFAULT);
  ASSERT_TRUE(w.IsMade());
  ShownList list(w);
  ASSERT_NE(nullptr, list.m_pPopup);
  for (int nDistance : {5, 45}) {
    ASSERT_TRUE(list.PointAt(CPoint(10, list.Above(-nDistance))));
    EXPECT_TRUE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_DOWN));
    ASSERT_TRUE(list.PointAt(CPoint(10, list.Above(nDistance))));
    EXPECT_TRUE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_UP));
    EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_DOWN)) << "distance " << nDistance;
    std::vector<UINT> others;
    EXPECT_EQ(3u, list.Ticks(Popup::TIMER_SCROLL_UP, 3, &others).size());
    EXPECT_TRUE(others.empty()) << "no downward tick after the jump";
    ASSERT_TRUE(list.PointAt(CPoint(10, list.Above(-nDistance))));
    EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_UP));
  }
  const CSize sizeItem = list.m_pPopup->GetItemSize();
  ASSERT_TRUE(list.PointAt(CPoint(sizeItem.cx / 2, sizeItem.cy / 2)));
  EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_UP));
  EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_DOWN))
      << "over the items nothing scrolls";
}

} // namespace
