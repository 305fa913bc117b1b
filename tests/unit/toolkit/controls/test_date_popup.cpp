// The month list: the seven months it lists, its scroll timers measured by the timestamps of the
// timer messages it gets while the real pointer rests above or below it, and the picker's modal
// loop around it (driven from a thread of its own while this thread runs the loop).
#include "tests/common/driver_script.h"
#include "tests/common/import_patch.h"
#include "tests/common/input_support.h"
#include "tests/unit/toolkit/controls/date_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace {

using namespace date_support;
typedef CExtDatePickerWnd P;
typedef CExtDatePickerHeaderPopupWnd Popup;

bool CursorAt(CPoint pt) {
  CPoint ptNow;
  return ::GetCursorPos(&ptNow) && ptNow == pt;
}

// A month list over a picker, shown at (300, 300), listing around April 2007.
struct ShownList {
  ShownList() : m_w(P::DPS_DEFAULT) {
    std::unique_ptr<Popup> pPopup(new Popup(&m_w.m_picker, true));
    if (!pPopup->Create())
      return;
    m_pPopup = pPopup.release(); // from here the window deletes it
    m_pPopup->SetMonthYear(4, 2007);
    const CSize size = m_pPopup->GetWindowSize();
    m_pPopup->SetWindowPos(NULL, 300, 300, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    m_pPopup->UpdateWindow();
  }
  ~ShownList() {
    if (m_pPopup != NULL)
      m_pPopup->DestroyWindow();
  }
  // Rests the real pointer at the client point and lets the list follow it.
  bool PointAt(CPoint pt) {
    m_pPopup->ClientToScreen(&pt);
    real_input::MoveTo(pt);
    const bool bThere = PumpUntil([&] { return CursorAt(pt); });
    m_pPopup->TrackMouseMove();
    return bThere;
  }
  // A client point nDistance pixels above the list (negative: below it).
  CPoint Above(int nDistance) const {
    return CPoint(10, nDistance >= 0 ? -nDistance
                                     : m_pPopup->GetWindowSize().cy - m_pPopup->GetShadowSize() - nDistance);
  }
  CPoint Item(int nItem) const {
    const CSize size = m_pPopup->GetItemSize();
    return CPoint(size.cx / 2, nItem * size.cy + size.cy / 2);
  }
  PickerWindow m_w;
  Popup* m_pPopup = NULL;
};

class DatePickerMonthListScroll : public ::testing::TestWithParam<std::pair<int, DWORD>> {};

TEST_P(DatePickerMonthListScroll, TheListScrollsOneMonthPerTickFasterWithDistance) {
  const int nDistance = GetParam().first; // above the list; negative below it
  const DWORD nInterval = GetParam().second;
  ShownList list;
  ASSERT_NE(nullptr, list.m_pPopup);
  const UINT nTimer = nDistance >= 0 ? Popup::TIMER_SCROLL_UP : Popup::TIMER_SCROLL_DOWN;
  ASSERT_TRUE(list.PointAt(list.Above(nDistance)));
  const std::vector<DWORD> times = TimerTicks(list.m_pPopup->m_hWnd, nTimer, 4);
  ASSERT_EQ(4u, times.size());
  std::vector<DWORD> gaps = {times[1] - times[0], times[2] - times[1], times[3] - times[2]};
  std::sort(gaps.begin(), gaps.end());
  EXPECT_GE(gaps[1] + 20, nInterval) << "ticks come no faster than the interval";
  EXPECT_LE(gaps[1], nInterval * 3 / 2 + 30) << "nor much slower";
  EXPECT_EQ(nDistance >= 0 ? 12 : 8, list.m_pPopup->GetMiddleMonth()) << "four ticks, four months";
  EXPECT_EQ(nDistance >= 0 ? 2006 : 2007, list.m_pPopup->GetMiddleYear());
}

INSTANTIATE_TEST_SUITE_P(Distances, DatePickerMonthListScroll,
                         ::testing::Values(std::make_pair(5, 500u), std::make_pair(15, 300u),
                                           std::make_pair(25, 200u), std::make_pair(35, 100u),
                                           std::make_pair(45, 50u), std::make_pair(80, 50u),
                                           std::make_pair(-5, 500u), std::make_pair(-35, 100u)));

// Once a jump from below the list to above it at the same speed left the downward timer running,
// and the list went back and forth.
TEST(DatePickerMonthList, ListsSevenMonthsAroundTheClickedOneAndEitherScrollTimerStopsTheOther) {
  ShownList list;
  ASSERT_NE(nullptr, list.m_pPopup);
  int nMonth = 0, nYear = 0;
  for (int nItem : {0, 3, 6}) {
    ASSERT_TRUE(list.PointAt(list.Item(nItem)));
    ASSERT_TRUE(list.m_pPopup->GetSelection(nMonth, nYear));
    EXPECT_EQ(1 + nItem, nMonth);
    EXPECT_EQ(2007, nYear);
  }
  list.m_pPopup->SetMonthYear(13, 99);
  EXPECT_EQ(4, list.m_pPopup->GetMiddleMonth()) << "out of range values are ignored";
  EXPECT_EQ(2007, list.m_pPopup->GetMiddleYear());
  for (int nDistance : {5, 45}) {
    ASSERT_TRUE(list.PointAt(list.Above(-nDistance)));
    EXPECT_TRUE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_DOWN));
    ASSERT_TRUE(list.PointAt(list.Above(nDistance)));
    EXPECT_FALSE(list.m_pPopup->GetSelection(nMonth, nYear)) << "above the list nothing is selected";
    EXPECT_TRUE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_UP));
    EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_DOWN)) << "distance " << nDistance;
    std::vector<UINT> others;
    EXPECT_EQ(3u, TimerTicks(list.m_pPopup->m_hWnd, Popup::TIMER_SCROLL_UP, 3, &others).size());
    EXPECT_TRUE(others.empty()) << "no downward tick after the jump";
    ASSERT_TRUE(list.PointAt(list.Above(-nDistance)));
    EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_UP));
  }
  ASSERT_TRUE(list.PointAt(list.Item(0)));
  EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_UP));
  EXPECT_FALSE(list.m_pPopup->IsScrollTimerRunning(Popup::TIMER_SCROLL_DOWN))
      << "over the items nothing scrolls";
}

// --- the picker's loop while its list is open ---------------------------------------------------

// The month list a picker in the host shows, or NULL.
HWND FindMonthList(HWND hWndHost) {
  for (HWND hWnd = ::GetTopWindow(NULL); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    if (::GetWindow(hWnd, GW_OWNER) == hWndHost && ::IsWindowVisible(hWnd) &&
        (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0)
      return hWnd;
  return NULL;
}

// The screen centre of item i of an open list (a frame pixel above, the shadow's 3 right and below).
CPoint ItemCentre(HWND hWndList, int nItem) {
  CRect rc;
  ::GetWindowRect(hWndList, &rc);
  const int nItemHeight = (rc.Height() - 3 - 2) / 7;
  return CPoint(rc.left + (rc.Width() - 3) / 2, rc.top + 1 + nItem * nItemHeight + nItemHeight / 2);
}

// A picker showing March and April 2007, and the screen centre of April's caption, where a press
// opens the month list.
struct AprilPicker {
  AprilPicker() : m_w(P::DPS_DEFAULT, CSize(2, 1), CSize(2, 1)) {
    if (!m_w.IsMade())
      return;
    m_w.m_picker.CurrentDateSet(Day(2007, 3, 1));
    if (const P::MONTH_INFO* pApril = m_w.m_picker.GetMonthAt(0, 1))
      m_ptCaption = m_w.Screen(pApril->GetCaptionRect().CenterPoint());
  }
  bool IsMade() const { return m_w.IsMade() && m_ptCaption != CPoint(-1, -1); }

  PickerWindow m_w;
  CPoint m_ptCaption{-1, -1};
};

struct LoopCase {
  const char* name;
  int nItem;          // where the driver lets go: an item of the list, or -1 beside it
  bool bRight, bQuit; // with the right button; or it posts a quit instead
  int nMonth, nYear;  // shown on the left afterwards
};

// What the driver does while the list is open.
void WhileOpen(const LoopCase& row, HWND hWndList, DWORD dwAppThread) {
  // The list is shown a moment before its loop takes the mouse: act only once it holds it.
  WaitFromDriver([&] {
    GUITHREADINFO info = {sizeof(info)};
    return ::GetGUIThreadInfo(dwAppThread, &info) && info.hwndCapture == hWndList;
  });
  if (row.bQuit) {
    ::PostThreadMessageA(dwAppThread, WM_QUIT, 42, 0);
    return;
  }
  CRect rc;
  ::GetWindowRect(hWndList, &rc);
  const CPoint pt =
      row.nItem >= 0 ? ItemCentre(hWndList, row.nItem) : CPoint(rc.right + 20, rc.CenterPoint().y);
  real_input::MouseAt(pt, 0);
  WaitFromDriver([&] { return CursorAt(pt); });
  real_input::MouseAt(pt, row.bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTUP);
  if (row.bRight) {
    WaitFromDriver([&] { return !::IsWindow(hWndList); });
    real_input::MouseAt(pt, MOUSEEVENTF_RIGHTUP);
  }
}

class DatePickerMonthListLoop : public ::testing::TestWithParam<LoopCase> {};

// A press on the caption of the right month (April 2007, March on its left) opens the list; a quit
// posted while it was open once ended only the list's loop and was lost.
TEST_P(DatePickerMonthListLoop, TheListChoosesCancelsOrHandsAQuitBack) {
  const LoopCase& row = GetParam();
  AprilPicker april;
  ASSERT_TRUE(april.IsMade());
  PickerWindow& w = april.m_w;
  const CPoint ptCaption = april.m_ptCaption;
  const HWND hWndHost = w.m_host.m_hWnd;
  const DWORD dwThread = ::GetCurrentThreadId();
  std::atomic<bool> bDone(false), bAppeared(false);
  std::thread driver([&] {
    real_input::MouseAt(ptCaption, 0);
    real_input::MouseAt(ptCaption, MOUSEEVENTF_LEFTDOWN);
    HWND hWndList = NULL;
    bAppeared = WaitFromDriver([&] { return (hWndList = FindMonthList(hWndHost)) != NULL; });
    if (bAppeared)
      WhileOpen(row, hWndList, dwThread);
    WaitFromDriver([&] { return FindMonthList(hWndHost) == NULL; });
    real_input::MouseAt(ptCaption, MOUSEEVENTF_LEFTUP);
    bDone = true;
  });
  PumpUntil([&] { return bDone.load(); }, kDriverEndMs);
  driver.join();
  ASSERT_TRUE(bAppeared);
  MSG msg;
  EXPECT_EQ(row.bQuit, ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE)
      << "the quit is queued again";
  if (row.bQuit)
    EXPECT_EQ(42u, msg.wParam);
  EXPECT_EQ(nullptr, FindMonthList(hWndHost));
  EXPECT_EQ(row.nMonth, w.m_picker.CurrentDateGet().GetMonth());
  EXPECT_EQ(row.nYear, w.m_picker.CurrentDateGet().GetYear());
  PumpPending();
}

// Where the cursor is said to be while a test holds it back, as the window system does now and then:
// it may read the pointer's earlier place while the move to the new one is already queued.
std::atomic<bool> g_bCursorHeldBack(false);
POINT g_ptHeldBack = {0, 0};

BOOL WINAPI HeldBackGetCursorPos(LPPOINT ppt) {
  static auto pfnReal = reinterpret_cast<BOOL(WINAPI*)(LPPOINT)>(
      ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetCursorPos"));
  if (!g_bCursorHeldBack || ppt == NULL)
    return pfnReal(ppt);
  *ppt = g_ptHeldBack;
  return TRUE;
}

// Answers, on the thread that made it, the month and year the month list in wParam selects (month
// * 10000 + year, 0 for none): the list's object is known only to its own thread, which sent
// messages reach while it runs the list's loop.
LRESULT CALLBACK SelectionAnswer(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg != WM_APP)
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  const Popup* pList = static_cast<const Popup*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam)));
  int nMonth = 0, nYear = 0;
  return pList != NULL && pList->GetSelection(nMonth, nYear) ? nMonth * 10000 + nYear : 0;
}

// The list follows each move to where that move went, also when the cursor, read as the move is
// handled, still says where the pointer was before.
TEST(DatePickerMonthList, AMoveSelectsTheMonthItWentToWhateverTheCursorSaysMeanwhile) {
  AprilPicker april;
  ASSERT_TRUE(april.IsMade());
  const CPoint ptCaption = april.m_ptCaption;
  const HWND hWndHost = april.m_w.m_host.m_hWnd;
  const DWORD dwThread = ::GetCurrentThreadId();
  CImportPatch patch("user32.dll", "GetCursorPos", reinterpret_cast<FARPROC>(&HeldBackGetCursorPos));
  ASSERT_TRUE(patch.Applied());
  HWND hWndAnswer = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
  ASSERT_NE(nullptr, hWndAnswer);
  ::SetWindowLongPtrA(hWndAnswer, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SelectionAnswer));
  std::atomic<bool> bDone(false), bSelected(false);
  std::thread driver([&] {
    real_input::MouseAt(ptCaption, 0);
    real_input::MouseAt(ptCaption, MOUSEEVENTF_LEFTDOWN);
    HWND hWndList = NULL;
    if (WaitFromDriver([&] {
          GUITHREADINFO info = {sizeof(info)};
          hWndList = FindMonthList(hWndHost);
          return hWndList != NULL && ::GetGUIThreadInfo(dwThread, &info) && info.hwndCapture == hWndList;
        })) {
      // June, two lines below April, while the cursor still reads the caption.
      const CPoint ptJune = ItemCentre(hWndList, 5);
      g_ptHeldBack = ptCaption;
      g_bCursorHeldBack = true;
      real_input::MouseAt(ptJune, 0);
      bSelected = WaitFromDriver(
          [&] { return ::SendMessageA(hWndAnswer, WM_APP, (WPARAM)hWndList, 0) == 6 * 10000 + 2007; });
      g_bCursorHeldBack = false;
      real_input::MouseAt(ptJune, MOUSEEVENTF_LEFTUP);
    }
    WaitFromDriver([&] { return FindMonthList(hWndHost) == NULL; });
    real_input::MouseAt(ptCaption, MOUSEEVENTF_LEFTUP);
    bDone = true;
  });
  PumpUntil([&] { return bDone.load(); }, kDriverEndMs);
  driver.join();
  g_bCursorHeldBack = false;
  ::DestroyWindow(hWndAnswer);
  EXPECT_TRUE(bSelected) << "the list did not follow the move to June";
  EXPECT_EQ(nullptr, FindMonthList(hWndHost));
  PumpPending();
}

// January 2007 takes April's place on the right, so December 2006 is on the left.
INSTANTIATE_TEST_SUITE_P(Endings, DatePickerMonthListLoop,
                         ::testing::Values(LoopCase{"ReleaseOnAMonth", 0, false, false, 12, 2006},
                                           LoopCase{"ReleaseBesideIt", -1, false, false, 3, 2007},
                                           LoopCase{"RightButton", 0, true, false, 3, 2007},
                                           LoopCase{"Quit", 0, false, true, 3, 2007}),
                         ByName());

} // namespace
