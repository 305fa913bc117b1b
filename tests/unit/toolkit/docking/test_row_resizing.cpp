// Resizing docked bars in rows with real presses on their resizer bands: a row's thickness (the
// neighbouring row gives the difference), the border between two bars of a row, the limits of
// both, which in-row resizers are offered, and cancelling. The tracker band is read back from the
// frame's log of tracked areas, in which every band drawn must have been erased again.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace {

const UINT kTop = AFX_IDW_DOCKBAR_TOP, kLeft = AFX_IDW_DOCKBAR_LEFT, kRight = AFX_IDW_DOCKBAR_RIGHT,
           kBottom = AFX_IDW_DOCKBAR_BOTTOM;

struct TrackerEvent {
  enum Kind { DRAW, ERASE, STOP } kind;
  CRect rc; // frame window coordinates
  bool bCancel;
};

// Written on the test thread, read by the input driver.
class CTrackerLog {
public:
  void Add(TrackerEvent e) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back(e);
  }
  std::vector<TrackerEvent> Events() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
  }
  int Count(TrackerEvent::Kind kind) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<int>(std::count_if(m_events.begin(), m_events.end(),
                                          [&](const TrackerEvent& e) { return e.kind == kind; }));
  }

private:
  mutable std::mutex m_mutex;
  std::vector<TrackerEvent> m_events;
};

// Logs the bands its bars offer it and leaves the drawing to them.
class CLogFrame : public CDockTestFrame {
public:
  CTrackerLog m_log;

protected:
  afx_msg LRESULT OnTrackedArea(WPARAM wParam, LPARAM) {
    auto* pData = reinterpret_cast<CExtControlBar::TrackedAreaDrawData*>(wParam);
    bool bErase = (pData->m_bFlags & CExtControlBar::TrackedAreaDrawData::FLAG_ERASE) != 0;
    m_log.Add({bErase ? TrackerEvent::ERASE : TrackerEvent::DRAW, pData->m_rcArea, false});
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogFrame, CDockTestFrame)
ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgDrawTrackedArea, OnTrackedArea)
END_MESSAGE_MAP()

// Logs the end of each resizing mode.
class CLogBar : public CExtControlBar {
public:
  explicit CLogBar(CTrackerLog& log) : m_log(log) {}
  void StopRowResizing(bool bCancel) override {
    Stop(
        IsRowResizing(), [&] { CExtControlBar::StopRowResizing(bCancel); }, bCancel);
  }
  void StopInRowResizing(bool bCancel) override {
    Stop(
        IsInRowResizing(), [&] { CExtControlBar::StopInRowResizing(bCancel); }, bCancel);
  }

private:
  void Stop(bool bRunning, const std::function<void()>& stop, bool bCancel) {
    stop();
    if (bRunning)
      m_log.Add({TrackerEvent::STOP, CRect(), bCancel});
  }
  CTrackerLog& m_log;
};

void Mouse(DWORD dwFlags, CPoint pt = CPoint(-1, -1)) {
  INPUT in = {INPUT_MOUSE};
  in.mi.dwFlags = dwFlags;
  if (pt.x >= 0) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (pt.x * 65536 + cx - 1) / cx;
    in.mi.dy = (pt.y * 65536 + cy - 1) / cy;
    in.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  ::SendInput(1, &in, sizeof(in));
}

void Key(WORD nVirtKey) {
  INPUT in[2] = {{INPUT_KEYBOARD}, {INPUT_KEYBOARD}};
  in[0].ki.wVk = in[1].ki.wVk = nVirtKey;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

// Polled off the window thread until it holds or five seconds pass.
bool WaitFromDriver(const std::function<bool()>& pred) {
  const DWORD dwStart = ::GetTickCount();
  for (; ::GetTickCount() - dwStart < 5000; ::Sleep(5))
    if (pred())
      return true;
  return pred();
}

// The pointer stands at pt.
bool CursorAt(CPoint pt) {
  POINT ptNow;
  return ::GetCursorPos(&ptNow) && CPoint(ptNow) == pt;
}

// One piece of input and what must have happened before the next piece goes.
struct Step {
  std::function<void()> send;
  std::function<bool()> until;
};

// Where a press on the band (the bar's window coordinates) proposes the bar's present size: half
// the band's thickness in from the bar's edge that the band lies on.
CPoint Grip(CWnd* pBar, CRect rcBand, bool bAlongX, bool bFarEdge) {
  CRect rcWnd;
  pBar->GetWindowRect(&rcWnd);
  rcBand.OffsetRect(rcWnd.TopLeft());
  CPoint pt = rcBand.CenterPoint();
  const int nHalf = (bAlongX ? rcBand.Width() : rcBand.Height()) / 2;
  (bAlongX ? pt.x : pt.y) = bFarEdge ? (bAlongX ? rcBand.right : rcBand.bottom) - nHalf
                                     : (bAlongX ? rcBand.left : rcBand.top) + nHalf;
  return pt;
}

int Along(const CRect& rc, bool bAlongX) { return bAlongX ? rc.Width() : rc.Height(); }
// The point moved along one axis, kept on the screen.
CPoint Moved(CPoint pt, bool bAlongX, int n) {
  pt += bAlongX ? CSize(n, 0) : CSize(0, n);
  pt.x = std::min(std::max(pt.x, 0L), static_cast<LONG>(::GetSystemMetrics(SM_CXSCREEN) - 1));
  pt.y = std::min(std::max(pt.y, 0L), static_cast<LONG>(::GetSystemMetrics(SM_CYSCREEN) - 1));
  return pt;
}

class RowResizing : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = CreateDockFrame(m_pLogFrame = new CLogFrame);
    ASSERT_TRUE(m_pFrame);
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame.get()));
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    m_pFrame->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == m_pFrame->m_hWnd; }));
  }
  void TearDown() override {
    CExtPopupMenuWnd::CancelAllTracking();
    m_bars.clear();
    m_pFrame.reset();
  }
  CTrackerLog& Log() { return m_pLogFrame->m_log; }

  // Bars in the first inner circle of the side, so many in each row; the bars in row order.
  std::vector<CLogBar*> Arrange(UINT nSide, std::vector<int> rows) {
    std::vector<CLogBar*> bars;
    CExtDockBar* pDock = NULL;
    for (int nRow : rows)
      for (int i = 0; i < nRow; ++i) {
        m_bars.push_back(std::make_unique<CLogBar>(Log()));
        CLogBar* pBar = m_bars.back().get();
        EXPECT_TRUE(pBar->Create(std::string(1, static_cast<char>('a' + bars.size())).c_str(), m_pFrame.get(),
                                 700 + static_cast<UINT>(bars.size())));
        ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, 10, 10, pBar->m_hWnd,
                          NULL, ::GetModuleHandleA(NULL), NULL);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        if (pDock == NULL) {
          pBar->DockAtFrameSide(nSide, false, m_pFrame.get());
          pDock = CExtDockBar::FindCircleDockBar(m_pFrame.get(), 1, nSide, false);
        } else {
          pDock->DockBarAtEdge(pBar, false);
        }
        bars.push_back(pBar);
      }
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    size_t nNext = 0;
    for (int nRow : rows) {
      for (int i = 0; i < nRow; ++i)
        pDock->m_arrBars.Add(bars[nNext++]);
      pDock->m_arrBars.Add(NULL);
    }
    // The resizer bands depend on the rows: the bars lay their non-client areas out again.
    for (CLogBar* pBar : bars)
      pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Relayout(m_pFrame.get());
    return bars;
  }

  // Presses at the point and sends the steps from a driver thread while this thread pumps, the
  // resizing loop nested in the pump; false when a piece missed its effect. The end step defaults
  // to the release; a mode still running then is cancelled.
  ::testing::AssertionResult Drag(CWnd* pBar, CPoint ptFrom, std::vector<CPoint> moves,
                                  std::vector<Step> end = {}) {
    const int nDraws = Log().Count(TrackerEvent::DRAW), nStops = Log().Count(TrackerEvent::STOP);
    auto stopped = [this, nStops] { return Log().Count(TrackerEvent::STOP) > nStops; };
    // Each move waits until the band has moved, else the next input could overtake it. The press
    // carries its point, as the release does.
    auto moveTo = [this](CPoint pt) -> Step {
      auto pnDraws = std::make_shared<int>(-1);
      return {[=] {
                if (*pnDraws < 0)
                  *pnDraws = Log().Count(TrackerEvent::DRAW);
                // By way of a neighbouring pixel: a move to where the pointer already is would be no
                // move. Each waited for: of two moves sent at once the first is now and then
                // reported late, after the second (pointer_probe).
                Mouse(0, pt + CSize(1, 1));
                WaitFromDriver([=] { return CursorAt(pt + CSize(1, 1)); });
                Mouse(0, pt);
              },
              [=] { return Log().Count(TrackerEvent::DRAW) > *pnDraws; }};
    };
    std::vector<Step> steps = {{[=] { Mouse(MOUSEEVENTF_LEFTDOWN, ptFrom); },
                                [=] { return Log().Count(TrackerEvent::DRAW) > nDraws; }}};
    for (CPoint pt : moves)
      steps.push_back(moveTo(pt));
    const bool bReleased = end.empty();
    // The release carries its point too: the bar commits where the button went up.
    const CPoint ptLast = moves.empty() ? ptFrom : moves.back();
    if (bReleased)
      end.push_back({[=] { Mouse(MOUSEEVENTF_LEFTUP, ptLast); }, stopped});
    steps.insert(steps.end(), end.begin(), end.end());
    // The pointer goes to the press point first, and the window system's report of that move is
    // taken before the drag: Wine reports a pointer it moved late, and a late report of the press
    // point would stand in for the drag's first move. A screen read is a round trip to the X
    // server, which brings the report in; the pump handles it.
    Mouse(0, ptFrom);
    PumpUntil([=] { return CursorAt(ptFrom); });
    pixel_support::ReadWindow(NULL, CRect(0, 0, 1, 1));
    PumpPending();
    std::atomic<bool> bDone(false);
    bool bOk = true;
    size_t nMissed = 0; // the step whose effect did not come, counted from 1
    POINT ptMissed = {-1, -1};
    bool bStoppedAtMiss = false;
    const HWND hWndBar = pBar->m_hWnd;
    std::thread driver([&] {
      for (size_t i = 0; i < steps.size(); i++) {
        steps[i].send();
        if (bOk && steps[i].until && !WaitFromDriver(steps[i].until)) {
          bOk = false;
          nMissed = i + 1;
          bStoppedAtMiss = stopped();
          ::GetCursorPos(&ptMissed);
        }
      }
      if (!stopped())
        ::PostMessageA(hWndBar, WM_CANCELMODE, 0, 0);
      if (!bReleased || !bOk)
        Mouse(MOUSEEVENTF_LEFTUP);
      bDone = true;
    });
    while (!bDone) {
      PumpPending();
      ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    driver.join();
    PumpPending();
    if (bOk)
      return ::testing::AssertionSuccess();
    ::testing::AssertionResult missed = ::testing::AssertionFailure();
    missed << "step " << nMissed << " of " << steps.size()
           << " (press, moves, end) missed its effect with the pointer at " << ptMissed.x << "," << ptMissed.y
           << (bStoppedAtMiss ? ", the mode ended" : ", the mode running") << "; pressed at " << ptFrom.x
           << "," << ptFrom.y << ", moves to";
    for (CPoint pt : moves)
      missed << " " << pt.x << "," << pt.y;
    missed << "; the log:";
    for (const TrackerEvent& e : Log().Events())
      missed << " "
             << "DES"[e.kind] << (e.bCancel ? "c" : "") << "(" << e.rc.left << "," << e.rc.top << ","
             << e.rc.right << "," << e.rc.bottom << ")";
    return missed;
  }

  // The centre line of the band drawn last, in screen coordinates.
  int LastAnchor(bool bAlongX) {
    CRect rcFrame = ScreenRect(m_pFrame.get()), rc;
    for (const TrackerEvent& e : Log().Events())
      if (e.kind == TrackerEvent::DRAW)
        rc = e.rc;
    rc.OffsetRect(rcFrame.TopLeft());
    return bAlongX ? rc.CenterPoint().x : rc.CenterPoint().y;
  }

  // Every band drawn was erased before its mode ended, and nothing was drawn after.
  void ExpectTrackerErased() {
    bool bShown = false;
    CRect rcShown;
    for (const TrackerEvent& e : Log().Events()) {
      if (e.kind == TrackerEvent::STOP) {
        EXPECT_FALSE(bShown) << "a band outlived its mode";
        continue;
      }
      EXPECT_EQ(e.kind == TrackerEvent::ERASE, bShown) << "bands drawn and erased in turn";
      if (bShown)
        EXPECT_EQ(rcShown, e.rc) << "the band erased is the one drawn";
      bShown = e.kind == TrackerEvent::DRAW;
      rcShown = e.rc;
    }
    EXPECT_FALSE(bShown);
  }

  std::vector<CRect> Rects(const std::vector<CLogBar*>& bars) {
    std::vector<CRect> rects;
    for (CLogBar* pBar : bars)
      rects.push_back(ScreenRect(pBar));
    return rects;
  }

  FramePtr m_pFrame;
  CLogFrame* m_pLogFrame = NULL;
  std::vector<std::unique_ptr<CLogBar>> m_bars;
};

// --- the row resizer ------------------------------------------------------------------------------

struct SideCase {
  const char* name;
  UINT side;
  bool bAlongX;       // the row's thickness runs along x
  int nGrow;          // the screen direction in which the row grows
  bool bNextRowGives; // the row beyond the resizer gives the difference
};

class RowThicknessPerSide : public RowResizing, public ::testing::WithParamInterface<SideCase> {};

TEST_P(RowThicknessPerSide, GrowingARowBy20PixelsTakesThemFromTheRowBeyondItsResizer) {
  const SideCase& c = GetParam();
  std::vector<CLogBar*> bars = Arrange(c.side, {1, 2});
  std::vector<CRect> before = Rects(bars);
  CPoint ptFrom = Grip(bars[0], bars[0]->GetNcRowResizerRect(), c.bAlongX, c.nGrow > 0);
  CPoint ptTo = Moved(ptFrom, c.bAlongX, 20 * c.nGrow);
  ASSERT_TRUE(Drag(bars[0], ptFrom, {ptTo}));
  EXPECT_EQ(c.bAlongX ? ptTo.x : ptTo.y, LastAnchor(c.bAlongX));
  EXPECT_EQ(Along(before[0], c.bAlongX) + 20, Along(ScreenRect(bars[0]), c.bAlongX));
  for (size_t i : {1, 2})
    EXPECT_EQ(Along(before[i], c.bAlongX) - (c.bNextRowGives ? 20 : 0),
              Along(ScreenRect(bars[i]), c.bAlongX));
  ExpectTrackerErased();
  if (c.side == kTop) {
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    pixel_support::Pixels px = pixel_support::ReadWindow(m_pFrame->m_hWnd, rcClient);
    EXPECT_FALSE(pixel_support::SaveBmp(px, "row_resizing_top_row_grown.bmp").empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Sides, RowThicknessPerSide,
                         ::testing::Values(SideCase{"top", kTop, false, 1, true},
                                           SideCase{"left", kLeft, true, 1, true},
                                           SideCase{"bottom", kBottom, false, -1, false},
                                           SideCase{"right", kRight, true, -1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RowLimitCase {
  const char* name;
  UINT side;
  bool bThickest;
};

class RowThicknessLimits : public RowResizing, public ::testing::WithParamInterface<RowLimitCase> {};

TEST_P(RowThicknessLimits, TheRowStopsAtTwiceTheMinimumAndAtTheFrameLessTheMinimum) {
  const RowLimitCase& c = GetParam();
  const bool bAlongX = c.side == kLeft;
  CLogBar* pBar = Arrange(c.side, {1})[0];
  const CRect rcBefore = ScreenRect(pBar), rcSite = ScreenRect(m_pFrame.get());
  const int nLimit = c.bThickest
                         ? Along(rcSite, bAlongX) - (bAlongX ? pBar->CalcMinWidth() : pBar->CalcMinHeight())
                         : 2 * (bAlongX ? pBar->CalcMinWidth() : pBar->CalcMinHeight());
  CPoint ptFrom = Grip(pBar, pBar->GetNcRowResizerRect(), bAlongX, true);
  CPoint ptTo = c.bThickest ? rcSite.BottomRight() + CSize(100, 100) : CPoint(0, 0);
  ASSERT_TRUE(Drag(pBar, ptFrom, {bAlongX ? CPoint(ptTo.x, ptFrom.y) : CPoint(ptFrom.x, ptTo.y)}));
  const int nHalf = Along(pBar->GetNcRowResizerRect(), bAlongX) / 2;
  EXPECT_EQ((bAlongX ? rcBefore.left : rcBefore.top) + nLimit - nHalf, LastAnchor(bAlongX))
      << "the band stops there";
  const int nThickness = bAlongX ? pBar->m_sizeDockedV.cx : pBar->m_sizeDockedH.cy;
  if (c.bThickest || !bAlongX)
    EXPECT_EQ(nLimit, nThickness);
  else // a vertical bar is never thinner than its minimum height either
    EXPECT_EQ(std::max(nLimit, pBar->CalcMinHeight()), nThickness);
  ExpectTrackerErased();
}

INSTANTIATE_TEST_SUITE_P(Limits, RowThicknessLimits,
                         ::testing::Values(RowLimitCase{"top_thinnest", kTop, false},
                                           RowLimitCase{"top_thickest", kTop, true},
                                           RowLimitCase{"left_thinnest", kLeft, false},
                                           RowLimitCase{"left_thickest", kLeft, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- the in-row resizers ----------------------------------------------------------------------------

struct InRowCase {
  const char* name;
  UINT side;
  bool bRowStart; // the second bar's row-start resizer, else the first bar's row-end resizer
  int nMove;      // along the row; 600 and -600 go past every limit
};

class InRowBorder : public RowResizing, public ::testing::WithParamInterface<InRowCase> {};

TEST_P(InRowBorder, TheBorderFollowsThePressWithinTheMinimumsOfBothBars) {
  const InRowCase& c = GetParam();
  const bool bAlongX = c.side == kTop;
  std::vector<CLogBar*> bars = Arrange(c.side, {2});
  CLogBar* pBar = bars[c.bRowStart ? 1 : 0];
  const CRect rcA = ScreenRect(bars[0]), rcB = ScreenRect(bars[1]), rcDock = ScreenRect(pBar->m_pDockBar);
  const int nMinA = bAlongX ? bars[0]->CalcMinWidth() : bars[0]->CalcMinHeight();
  const int nMinB = bAlongX ? bars[1]->CalcMinWidth() : bars[1]->CalcMinHeight();
  CRect rcBand = c.bRowStart ? pBar->GetNcRowStartResizerRect() : pBar->GetNcRowEndResizerRect();
  CPoint ptFrom = Grip(pBar, rcBand, bAlongX, !c.bRowStart);
  const CPoint ptTo = Moved(ptFrom, bAlongX, c.nMove);
  const int nMove = bAlongX ? ptTo.x - ptFrom.x : ptTo.y - ptFrom.y;
  ASSERT_TRUE(Drag(pBar, ptFrom, {ptTo}));
  // The border moves by the drag, but leaves each bar its minimum; the row keeps its length.
  const int nTotal = Along(rcA, bAlongX) + Along(rcB, bAlongX);
  const int nA = std::min(std::max(Along(rcA, bAlongX) + nMove, nMinA), nTotal - nMinB);
  EXPECT_EQ(nA, Along(ScreenRect(bars[0]), bAlongX));
  EXPECT_EQ(nTotal - nA, Along(ScreenRect(bars[1]), bAlongX));
  // The band stops at the moving bar's own minimum, or where the bar beyond would fall below its.
  LONG nAnchor = bAlongX ? ptTo.x : ptTo.y;
  if (c.bRowStart)
    nAnchor = std::min<LONG>(std::max<LONG>(nAnchor, (bAlongX ? rcDock.left : rcDock.top) + nMinA),
                             (bAlongX ? rcB.right : rcB.bottom) - nMinB);
  else
    nAnchor = std::max<LONG>(std::min<LONG>(nAnchor, (bAlongX ? rcDock.right : rcDock.bottom) - nMinB),
                             (bAlongX ? rcA.left : rcA.top) + nMinA);
  EXPECT_EQ(nAnchor, LastAnchor(bAlongX));
  ExpectTrackerErased();
}

INSTANTIATE_TEST_SUITE_P(Moves, InRowBorder,
                         ::testing::Values(InRowCase{"top_end_right", kTop, false, 30},
                                           InRowCase{"top_end_left", kTop, false, -30},
                                           InRowCase{"top_start_right", kTop, true, 30},
                                           InRowCase{"top_start_left", kTop, true, -30},
                                           InRowCase{"left_end_down", kLeft, false, 30},
                                           InRowCase{"left_start_up", kLeft, true, -30},
                                           InRowCase{"top_end_past_the_neighbour", kTop, false, 600},
                                           InRowCase{"top_end_past_itself", kTop, false, -600},
                                           InRowCase{"left_start_past_the_neighbour", kLeft, true, -600},
                                           InRowCase{"left_start_past_itself", kLeft, true, 600}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RowResizing, InRowResizersAreOfferedUnlessBothBarsAreAtTheirMinimum) {
  std::vector<CLogBar*> bars = Arrange(kTop, {3});
  int nTotal = 0;
  for (CLogBar* pBar : bars)
    nTotal += pBar->m_sizeDockedH.cx;
  const struct {
    const char* name;
    std::vector<bool> atMin;
    bool aPrev, aNext, bPrev, bNext, cPrev, cNext;
  } kRows[] = {
      {"first two at minimum", {true, true, false}, false, false, false, true, true, true},
      {"last at minimum", {false, false, true}, true, true, true, true, true, false},
      {"ends at minimum", {true, false, true}, false, true, true, true, true, false},
  };
  for (const auto& row : kRows) {
    // The bars not at their minimum share the rest of the row.
    std::vector<CLogBar*> roomy;
    int nLeft = nTotal;
    for (size_t i = 0; i < 3; ++i)
      if (row.atMin[i])
        nLeft -= bars[i]->m_sizeDockedH.cx = bars[i]->CalcMinWidth();
      else
        roomy.push_back(bars[i]);
    for (CLogBar* pBar : roomy)
      nLeft -= pBar->m_sizeDockedH.cx = nTotal / 4;
    roomy.back()->m_sizeDockedH.cx += nLeft;
    Relayout(m_pFrame.get());
    for (size_t i = 0; i < 3; ++i)
      ASSERT_EQ(row.atMin[i], bars[i]->IsAtMinimumLength()) << row.name << " " << i;
    EXPECT_EQ((std::vector<bool>{row.aPrev, row.aNext, row.bPrev, row.bNext, row.cPrev, row.cNext}),
              (std::vector<bool>{bars[0]->CanResizeTowardPrevious(), bars[0]->CanResizeTowardNext(),
                                 bars[1]->CanResizeTowardPrevious(), bars[1]->CanResizeTowardNext(),
                                 bars[2]->CanResizeTowardPrevious(), bars[2]->CanResizeTowardNext()}))
        << row.name;
    // The hit test offers the first bar's row-end resizer only when it can act.
    CPoint pt = ScreenRect(bars[0]).TopLeft() + bars[0]->GetNcRowEndResizerRect().CenterPoint();
    EXPECT_EQ(row.aNext ? UINT(HTRIGHT) : UINT(HTNOWHERE),
              UINT(bars[0]->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y))))
        << row.name;
  }
}

// --- releases and cancels that change nothing
// -----------------------------------------------------------------------------

enum Resizer { ROW, ROW_END, ROW_START };

// The grip of the first bar's row resizer, its row-end resizer or the second bar's row-start one.
CPoint GripOf(Resizer nResizer, const std::vector<CLogBar*>& bars, CLogBar** ppBar) {
  *ppBar = bars[nResizer == ROW_START ? 1 : 0];
  CRect rcBand = nResizer == ROW       ? bars[0]->GetNcRowResizerRect()
                 : nResizer == ROW_END ? bars[0]->GetNcRowEndResizerRect()
                                       : bars[1]->GetNcRowStartResizerRect();
  return Grip(*ppBar, rcBand, nResizer != ROW, nResizer != ROW_START);
}

struct UntouchedCase {
  const char* name;
  std::vector<int> moves;           // from the press, along the resizer's axis
  std::function<void(HWND)> cancel; // none: the button goes up where it went down
  DWORD dwButtonUp;                 // the cancelling button's release, once the mode has ended
  bool bQuit;                       // the cancel ends the program
};

class Untouched : public RowResizing,
                  public ::testing::WithParamInterface<std::tuple<UntouchedCase, Resizer>> {};

TEST_P(Untouched, NoSizeChangesAndTheBandGoes) {
  const UntouchedCase& c = std::get<0>(GetParam());
  const Resizer nResizer = std::get<1>(GetParam());
  std::vector<CLogBar*> bars = Arrange(kTop, {2, 1});
  const std::vector<CRect> before = Rects(bars);
  CLogBar* pBar = NULL;
  const CPoint ptFrom = GripOf(nResizer, bars, &pBar);
  std::vector<CPoint> moves;
  for (int nMove : c.moves)
    moves.push_back(Moved(ptFrom, nResizer != ROW, nMove));
  const int nStops = Log().Count(TrackerEvent::STOP);
  const HWND hWnd = pBar->m_hWnd;
  std::vector<Step> end;
  if (c.cancel)
    end = {{[&] { c.cancel(hWnd); }, [&] { return Log().Count(TrackerEvent::STOP) > nStops; }},
           {[&] {
              if (c.dwButtonUp != 0)
                Mouse(c.dwButtonUp);
            },
            nullptr}};
  ASSERT_TRUE(Drag(pBar, ptFrom, moves, end));
  // The end of the program stays queued for the program's own loop.
  MSG msg;
  EXPECT_EQ(c.bQuit, ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE);
  EXPECT_EQ(c.cancel != nullptr, Log().Events().back().bCancel);
  EXPECT_EQ(before, Rects(bars));
  if (!c.cancel)
    EXPECT_EQ(nResizer == ROW ? ptFrom.y : ptFrom.x, LastAnchor(nResizer != ROW)) << "the band came back";
  ExpectTrackerErased();
}

const UntouchedCase kUntouched[] = {
    {"release_in_place", {}, nullptr, 0, false},
    {"away_and_back", {25, 0}, nullptr, 0, false},
    {"escape", {20}, [](HWND) { Key(VK_ESCAPE); }, 0, false},
    {"another_key", {20}, [](HWND) { Key('A'); }, 0, false},
    {"right_press", {20}, [](HWND) { Mouse(MOUSEEVENTF_RIGHTDOWN); }, MOUSEEVENTF_RIGHTUP, false},
    {"middle_press", {20}, [](HWND) { Mouse(MOUSEEVENTF_MIDDLEDOWN); }, MOUSEEVENTF_MIDDLEUP, false},
    {"cancel_mode", {20}, [](HWND hWnd) { ::PostMessageA(hWnd, WM_CANCELMODE, 0, 0); }, 0, false},
    {"program_end",
     {20},
     [](HWND hWnd) { ::PostThreadMessageA(::GetWindowThreadProcessId(hWnd, NULL), WM_QUIT, 0, 0); },
     0,
     true},
};

std::string UntouchedName(const ::testing::TestParamInfo<std::tuple<UntouchedCase, Resizer>>& info) {
  static const char* const kResizers[] = {"row", "row_end", "row_start"};
  return std::string(std::get<0>(info.param).name) + "_" + kResizers[std::get<1>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Ways, Untouched,
                         ::testing::Combine(::testing::ValuesIn(kUntouched),
                                            ::testing::Values(ROW, ROW_END, ROW_START)),
                         UntouchedName);

} // namespace
