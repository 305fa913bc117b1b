// Tearing a menu off with the real pointer: the stages the receiver is told, the 5-pixel threshold
// and the 15-pixel zone around the tear-off bar, a docked bar floating under the pointer while the
// menu hides, the menu back when the pointer returns, and a key or a release ending the drag.
#include "tests/common/frame_support.h"
#include "tests/unit/toolkit/menus/menu_input_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

using menu_paint::CFixedLayoutMenu;
using menu_paint::CMenuReceiver;
using namespace menu_input;
typedef CExtPopupMenuWnd::TEAROFFNOTIFICATON TearOff;

enum class Made { kNothing, kPlainWindow, kDockedBar };
// What a step of the pointer leaves: the menu and the bar where they were, the bar floating in
// place of the hidden menu, or the menu back with the bar hidden.
enum class Leaves { kDocked, kFloating, kMenuBack };

struct PointerStep {
  int dx, dy; // from the start point on the tear-off bar
  Leaves leaves;
};

struct TearOffCase {
  const char* name;
  Made made;
  std::vector<PointerStep> path;
  UINT nEnd; // a key, or 0 for releasing the button
  bool bRunAnswer;
  std::vector<int> stages; // the first and the last stage told, or only the first
  bool bFloatsAtEnd;
};

class TearOffTest : public ::testing::TestWithParam<TearOffCase> {
protected:
  void SetUp() override {
    m_pFrame = CreateLabFrame();
    ASSERT_NE(nullptr, m_pFrame);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(m_bar.CreateBar(m_pFrame, AFX_IDW_TOOLBAR, CBRS_TOP, CSize(200, 30), "torn"));
    m_bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_bar);
    m_pFrame->RecalcLayout();
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    ASSERT_TRUE(m_receiver.CreateReceiver());
    m_receiver.m_answer = [this](UINT nMsg, WPARAM wParam, LPARAM) -> LRESULT {
      if (nMsg == CExtPopupMenuWnd::g_nMsgTearOff)
        OnStage(*reinterpret_cast<TearOff*>(wParam));
      return 0;
    };
    m_menu.m_hWndCmdReceiver = m_receiver.m_hWnd;
    m_menu.AddItem(100);
    m_menu.SetTrackFlags(CExtPopupMenuWnd::TPMX_TEAROFF);
    ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
    m_menu.ShowNoActivate();
    CRect rcBar = m_menu.m_rcTearOff;
    m_menu.ClientToScreen(rcBar);
    m_ptStart = rcBar.CenterPoint();
  }
  void TearDown() override {
    m_menu.DestroyWindow();
    DestroyLabFrame(m_pFrame);
    m_receiver.DestroyWindow();
  }
  void OnStage(TearOff& tearOff) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_stages.push_back(tearOff.m_nStage);
    if (tearOff.m_nStage == TearOff::STAGE_ASK_WINDOW && GetParam().made != Made::kNothing)
      tearOff.m_hWndCreated = GetParam().made == Made::kDockedBar ? m_bar.m_hWnd : m_receiver.m_hWnd;
    CPoint pt;
    if (tearOff.m_nStage == TearOff::STAGE_DRAGGING && ::GetCursorPos(&pt))
      m_stepsAt.push_back(pt);
  }
  // The drag has stepped twice with the pointer at pt: the first step's effect is there.
  bool SettledAt(CPoint pt) {
    std::lock_guard<std::mutex> lock(m_lock);
    return std::count(m_stepsAt.begin(), m_stepsAt.end(), pt) >= 2;
  }
  int DragSteps() {
    std::lock_guard<std::mutex> lock(m_lock);
    return (int)std::count(m_stages.begin(), m_stages.end(), (int)TearOff::STAGE_DRAGGING);
  }
  bool Shows(Leaves leaves) const {
    const bool bMenu = ::IsWindowVisible(m_menu.m_hWnd) != FALSE,
               bBar = ::IsWindowVisible(m_bar.m_hWnd) != FALSE;
    const bool bFloating = ::GetAncestor(m_bar.m_hWnd, GA_ROOT) != m_pFrame->m_hWnd;
    switch (leaves) {
    case Leaves::kDocked:
      return bMenu && bBar && !bFloating;
    case Leaves::kFloating:
      return !bMenu && bBar && bFloating;
    default:
      return bMenu && !bBar;
    }
  }
  std::vector<DriverStep> Script() {
    std::vector<DriverStep> steps;
    steps.push_back({[] {}, [this] { return DragSteps() > 0; }});
    // A drag that ends with a release starts with a press (which the drag eats).
    if (GetParam().nEnd == 0)
      steps.push_back({[] { Button(MOUSEEVENTF_LEFTDOWN); }, nullptr});
    for (const PointerStep& step : GetParam().path) {
      const CPoint pt = m_ptStart + CSize(step.dx, step.dy);
      steps.push_back(
          {[pt] { MoveTo(pt); }, [this, pt, step] { return SettledAt(pt) && Shows(step.leaves); }});
    }
    const UINT nEnd = GetParam().nEnd;
    steps.push_back({[nEnd] { nEnd != 0 ? Key(nEnd) : Button(MOUSEEVENTF_LEFTUP); },
                     [this] { return TearOff::g_pCurrent == NULL; }});
    return steps;
  }

  CLabFrame* m_pFrame = NULL;
  CLabBar m_bar;
  CMenuReceiver m_receiver;
  CFixedLayoutMenu m_menu;
  CPoint m_ptStart;
  std::mutex m_lock;
  std::vector<int> m_stages;
  std::vector<CPoint> m_stepsAt;
};

TEST_P(TearOffTest, TheReceiverIsToldEachStageAndADockedBarFloatsOnlyOutsideTheZone) {
  const TearOffCase& row = GetParam();
  MoveTo(m_ptStart);
  ASSERT_TRUE(menu_paint::WaitUntil([&] {
    CPoint pt;
    return ::GetCursorPos(&pt) && pt == m_ptStart;
  }));
  std::unique_ptr<CInputDriver> pDriver;
  if (row.made == Made::kDockedBar)
    pDriver.reset(new CInputDriver(
        Script(), [] { return TearOff::g_pCurrent == NULL; }, m_menu.m_hWnd));
  TearOff tearOff(&m_menu, m_ptStart);
  EXPECT_EQ(row.bRunAnswer, tearOff.Run());
  EXPECT_EQ(nullptr, TearOff::g_pCurrent);
  if (pDriver)
    EXPECT_EQ(std::vector<bool>(Script().size(), true), pDriver->Results());

  ASSERT_FALSE(m_stages.empty());
  EXPECT_EQ(row.stages.front(), m_stages.front());
  EXPECT_EQ(row.stages.back(), m_stages.back());
  if (row.stages.size() == 1)
    EXPECT_EQ(1u, m_stages.size());
  EXPECT_EQ(m_stages.size() - std::min<size_t>(m_stages.size(), 2),
            (size_t)std::count(m_stages.begin(), m_stages.end(), (int)TearOff::STAGE_DRAGGING));
  EXPECT_EQ(row.made == Made::kPlainWindow, (tearOff.m_nStateBits & TearOff::TO_CANCELLED) != 0);
  EXPECT_EQ(row.bFloatsAtEnd, Shows(Leaves::kFloating));
  if (row.bFloatsAtEnd) {
    // The floating frame lies up and left of where the pointer let go.
    CRect rcFloat;
    ::GetWindowRect(::GetAncestor(m_bar.m_hWnd, GA_ROOT), &rcFloat);
    const PointerStep& last = row.path.back();
    EXPECT_EQ(m_ptStart + CSize(last.dx - 30, last.dy - 10), rcFloat.TopLeft());
  } else if (row.made == Made::kDockedBar) {
    EXPECT_TRUE(Shows(Leaves::kDocked));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Drags, TearOffTest,
    ::testing::Values(TearOffCase{"no_window", Made::kNothing, {}, 0, false, {0}, false},
                      TearOffCase{"not_a_bar", Made::kPlainWindow, {}, 0, false, {0, 2}, false},
                      TearOffCase{
                          "key_within_threshold_and_zone",
                          Made::kDockedBar,
                          {{0, 3, Leaves::kDocked}, {4, -3, Leaves::kDocked}, {0, 14, Leaves::kDocked}},
                          VK_F7,
                          true,
                          {0, 2},
                          false},
                      TearOffCase{"out_back_and_out_again",
                                  Made::kDockedBar,
                                  {{0, 3, Leaves::kDocked},
                                   {0, 100, Leaves::kFloating},
                                   {0, 0, Leaves::kMenuBack},
                                   {120, 140, Leaves::kFloating}},
                                  0,
                                  true,
                                  {0, 2},
                                  true}),
    [](const ::testing::TestParamInfo<TearOffCase>& info) { return std::string(info.param.name); });

TEST(TearOffZone, TheZoneIsTheStartSquareAndTheBarWithFifteenPixelsAboveAndBelow) {
  CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver());
  CFixedLayoutMenu menu;
  menu.AddItem(100);
  menu.SetTrackFlags(CExtPopupMenuWnd::TPMX_TEAROFF);
  ASSERT_TRUE(menu.CreateMenuWindow(&receiver));
  CRect rcBar = menu.m_rcTearOff;
  menu.ClientToScreen(rcBar);
  const CPoint ptStart(rcBar.right + 40, rcBar.bottom + 40);
  TearOff tearOff(&menu, ptStart);
  const struct {
    CPoint pt;
    bool bIn;
  } points[] = {{ptStart + CSize(4, -5), true},
                {ptStart + CSize(5, 0), false},
                {ptStart + CSize(0, 5), false},
                {CPoint(rcBar.left, rcBar.top - 15), true},
                {CPoint(rcBar.left, rcBar.top - 16), false},
                {CPoint(rcBar.right - 1, rcBar.bottom + 14), true},
                {CPoint(rcBar.right - 1, rcBar.bottom + 15), false},
                {CPoint(rcBar.right, rcBar.top), false}};
  for (const auto& point : points)
    EXPECT_EQ(point.bIn, tearOff.IsInTearOffZone(point.pt)) << point.pt.x << "," << point.pt.y;
  menu.DestroyWindow();
  EXPECT_TRUE(tearOff.IsInTearOffZone(ptStart)) << "the start square stays without the menu";
  EXPECT_FALSE(tearOff.IsInTearOffZone(rcBar.CenterPoint()));
}

} // namespace
