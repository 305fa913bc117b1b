// The drag gesture on the user's road: real presses, moves, keys and releases on a docked bar's
// caption, with the outlines read back from the frame's tracked-area log and the dock-bar arrays.
#include "tests/unit/toolkit/docking/drag_fixture.h"

#include "toolkit/docking/ExtMiniDockFrameWnd.h"
#include "toolkit/menus/ExtPopupMenuTipWnd.h"

#include <memory>

namespace {

using DT = CExtControlBar::DragTargetType;

TEST_F(DragFixture, APressAndReleaseWithoutMovingFocusesTheContentAndDrawsNothing) {
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CDockBar* pDock = pBar->m_pDockBar;
  DragInput up = DragInput::Do(DragInput::LEFT_UP);
  up.pt = CaptionPoint(pBar); // where the press was: the release carries the pointer's place
  ASSERT_TRUE(RunDrag(pBar, up.pt, {up}));
  EXPECT_TRUE(Log().m_log.empty());
  EXPECT_EQ(::GetWindow(pBar->m_hWnd, GW_CHILD), ::GetFocus());
  EXPECT_EQ(pDock, pBar->m_pDockBar);
}

TEST_F(DragFixture, ABarDraggedOverItselfShowsNothingAndStaysPut) {
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  const std::string before = Dump();
  const CRect rcBefore = ScreenRect(pBar);
  const CPoint pt = CaptionPoint(pBar);
  ASSERT_TRUE(DragThrough(pBar, pt, {pt + CPoint(0, 30), pt + CPoint(4, 60)}));
  EXPECT_TRUE(Log().m_log.empty());
  Relayout(m_pFrame.get());
  EXPECT_EQ(before, Dump());
  EXPECT_EQ(rcBefore, ScreenRect(pBar));
}

// Every way to stop a drag other than the release cancels it.
struct StopCase {
  const char* name;
  std::vector<DragInput> input;
  bool bQuits = false; // the end of the program: its quit stays queued for the program's own loop
};

class DragStops : public DragFixture, public ::testing::WithParamInterface<StopCase> {};

TEST_P(DragStops, EraseTheOutlineAndDockNothing) {
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CDockBar* pDock = pBar->m_pDockBar;
  const std::string before = Dump();
  const CPoint ptFloat = ClientCentre();
  std::vector<DragInput> script = {DragInput::Move(ptFloat + CPoint(-20, 0)), DragInput::Move(ptFloat)};
  LONG nShownType = -1;
  script.push_back(DragInput::Probe([&] {
    WaitFromDriver([] { return !CExtControlBar::g_DragStateCurrent.IsEmpty(); }, 2000);
    nShownType = CExtControlBar::g_DragStateCurrent.m_nTargetType;
  }));
  for (const DragInput& in : GetParam().input) {
    script.push_back(in);
    script.back().pt = ptFloat + CPoint(in.kind == DragInput::QUIT ? 8 : 0, 0);
  }
  DragInput up = DragInput::Do(DragInput::LEFT_UP);
  up.pt = ptFloat;
  script.push_back(up);
  ASSERT_TRUE(RunDrag(pBar, CaptionPoint(pBar), script));
  MSG msg;
  EXPECT_EQ(GetParam().bQuits, ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE)
      << "whether a quit is queued";
  EXPECT_EQ(DT::DT_FLOAT, nShownType);
  EXPECT_FALSE(Log().m_log.empty()) << "an outline was shown";
  EXPECT_EQ(0, Log().Shown()) << "and taken away again";
  EXPECT_EQ(pDock, pBar->m_pDockBar);
  EXPECT_FALSE(pBar->IsFloating());
  Relayout(m_pFrame.get());
  EXPECT_EQ(before, Dump());
}

INSTANTIATE_TEST_SUITE_P(
    Input, DragStops,
    ::testing::Values(StopCase{"Escape", {DragInput::Key(VK_ESCAPE, true), DragInput::Key(VK_ESCAPE, false)}},
                      StopCase{"OtherKey", {DragInput::Key('A', true), DragInput::Key('A', false)}},
                      StopCase{"RightButton",
                               {DragInput::Do(DragInput::RIGHT_DOWN), DragInput::Do(DragInput::RIGHT_UP)}},
                      StopCase{"MiddleButton",
                               {DragInput::Do(DragInput::MIDDLE_DOWN), DragInput::Do(DragInput::MIDDLE_UP)}},
                      StopCase{"CancelMode", {DragInput::Do(DragInput::CANCEL_MODE)}},
                      StopCase{"Quit", {DragInput::Do(DragInput::QUIT)}, true}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

// Ctrl pressed during a drag floats at once, without a move; letting go re-evaluates at the same
// place, and the drag goes on to its drop. (Held across moves it cannot be sent here: the window
// system takes the modifier state of every pointer move from the real keyboard.)
struct CtrlCase {
  const char* name;
  bool bOverPanel; // over the top split band of a docked panel, else the free area's top band
  LONG nType;
};

class DragCtrl : public DragFixture, public ::testing::WithParamInterface<CtrlCase> {};

TEST_P(DragCtrl, FloatsAtOnceAndLettingGoDocksAgain) {
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CExtControlBar* pOther = AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  const CRect FA = FreeArea(), rcOther = ScreenRect(pOther);
  const CPoint pt = GetParam().bOverPanel ? CPoint(rcOther.CenterPoint().x, rcOther.top + 48)
                                          : CPoint(FA.CenterPoint().x, FA.top + 8);
  LONG nBefore = -1, nWithCtrl = -1, nAfterCtrl = -1;
  auto waitType = [](LONG nType) {
    WaitFromDriver([nType] { return CExtControlBar::g_DragStateCurrent.m_nTargetType == nType; }, 2000);
    return CExtControlBar::g_DragStateCurrent.m_nTargetType;
  };
  const LONG nType = GetParam().nType;
  DragInput esc = DragInput::Key(VK_ESCAPE, true);
  ASSERT_TRUE(RunDrag(
      pBar, CaptionPoint(pBar),
      {DragInput::Move(pt + CPoint(0, 20)), DragInput::Move(pt),
       DragInput::Probe([&] { nBefore = waitType(nType); }), DragInput::Key(VK_CONTROL, true),
       DragInput::Probe([&] { nWithCtrl = waitType(DT::DT_FLOAT); }), DragInput::Key(VK_CONTROL, false),
       DragInput::Probe([&] { nAfterCtrl = waitType(nType); }), esc, DragInput::Key(VK_ESCAPE, false)}))
      << "the drag never hangs on Ctrl";
  EXPECT_EQ(nType, nBefore);
  EXPECT_EQ(DT::DT_FLOAT, nWithCtrl);
  EXPECT_EQ(nType, nAfterCtrl);
  EXPECT_EQ(0, Log().Shown());
}

INSTANTIATE_TEST_SUITE_P(Ctrl, DragCtrl,
                         ::testing::Values(CtrlCase{"OverTheFreeAreasTopBand", false, DT::DT_INNER_TOP},
                                           CtrlCase{"OverAPanelsSplitBand", true, DT::DT_SPLIT_TOP}),
                         [](const ::testing::TestParamInfo<CtrlCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(DragFixture, DroppingAsFloatGivesTheRoomToTheRowNeighbour) {
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_TOP, "p");
  CExtControlBar* pHeir = AddPanel(202, AFX_IDW_DOCKBAR_TOP, "q");
  CExtDockBar* pTop = static_cast<CExtDockBar*>(m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  pTop->InsertBarBesideRow(pBar, pBar, true);
  pTop->RemoveEntry(pTop->FindEntry(pHeir));
  pTop->m_arrBars.InsertAt(pTop->FindEntry(pBar) + 1, pHeir);
  Relayout(m_pFrame.get());
  ASSERT_EQ("T0: 0 p q 0", Dump().substr(0, Dump().find('\n')));
  const LONG nHeirBefore = pHeir->m_sizeDockedH.cx;
  const int nWidth = ScreenRect(pBar).Width();
  const CPoint ptDrop = ClientCentre() + CPoint(0, 40);
  ASSERT_TRUE(DragThrough(pBar, CaptionPoint(pBar), {ptDrop + CPoint(0, -20), ptDrop}));
  const TrackedAreaEntry shown = Log().LastDrawn();
  EXPECT_EQ(DT::DT_FLOAT, shown.nType);
  ASSERT_TRUE(pBar->IsFloating());
  EXPECT_EQ(nHeirBefore + nWidth, pHeir->m_sizeDockedH.cx);
  // The outline of a float is drawn on the screen: the floating frame took its place.
  EXPECT_EQ(shown.rc.TopLeft(), ScreenRect(pBar->GetParentFrame()).TopLeft());
  EXPECT_EQ(0, Log().Shown());
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

} // namespace

namespace {

// A panel that remembers how its drags ended.
class CFinishLogBar : public CPanelBar {
public:
  std::vector<bool> m_finished; // the applied flag of each finished drag
  void OnDraggingFinished(InternalDraggingState_t* pCurrent, InternalDraggingState_t* pNew,
                          bool bApplied) override {
    m_finished.push_back(bApplied);
    CPanelBar::OnDraggingFinished(pCurrent, pNew, bApplied);
  }
};

class DragFinish : public DragFixture, public ::testing::WithParamInterface<bool> {};

// Listeners (a tab container re-selects the bar's tab) learn whether the drop was applied; tips
// learn through the menus' seam that a drag runs.
TEST_P(DragFinish, TellsWhetherTheDropWasApplied) {
  const bool bCancel = GetParam();
  auto owned = std::make_unique<CFinishLogBar>();
  CFinishLogBar* pBar = owned.get();
  ASSERT_TRUE(pBar->Create("p", m_pFrame.get(), 201, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER));
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
  m_bars.push_back(std::move(owned));
  Relayout(m_pFrame.get());
  ASSERT_NE(nullptr, CExtPopupMenuTipWnd::g_pfnIsBarDragging);
  bool bDraggingSeen = false;
  const CPoint pt = ClientCentre();
  std::vector<DragInput> script = {
      DragInput::Move(pt + CPoint(0, 20)), DragInput::Move(pt), DragInput::Probe([&] {
        WaitFromDriver([] { return CExtPopupMenuTipWnd::g_pfnIsBarDragging(); }, 2000);
        bDraggingSeen = CExtPopupMenuTipWnd::g_pfnIsBarDragging();
      })};
  if (bCancel)
    script.push_back(DragInput::Key(VK_ESCAPE, true));
  DragInput up = DragInput::Do(DragInput::LEFT_UP);
  up.pt = pt;
  script.push_back(up);
  if (bCancel)
    script.push_back(DragInput::Key(VK_ESCAPE, false));
  ASSERT_TRUE(RunDrag(pBar, CaptionPoint(pBar), script));
  EXPECT_TRUE(bDraggingSeen);
  EXPECT_FALSE(CExtPopupMenuTipWnd::g_pfnIsBarDragging());
  ASSERT_EQ(1u, pBar->m_finished.size());
  EXPECT_EQ(!bCancel, pBar->m_finished[0]);
  EXPECT_EQ(!bCancel, pBar->IsFloating());
}

INSTANTIATE_TEST_SUITE_P(Ends, DragFinish, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return std::string(info.param ? "Cancelled" : "Dropped");
                         });

// A quit met during the drag cancels it at once, with the button still down, and stays queued,
// with its exit code, for the application's own loop.
TEST_F(DragFixture, AQuitCancelsTheDrag) {
  auto owned = std::make_unique<CFinishLogBar>();
  CFinishLogBar* pBar = owned.get();
  ASSERT_TRUE(pBar->Create("p", m_pFrame.get(), 201, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER));
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
  m_bars.push_back(std::move(owned));
  Relayout(m_pFrame.get());
  const DWORD dwThread = ::GetCurrentThreadId();
  bool bEndedWhileDown = false;
  const CPoint pt = ClientCentre();
  DragInput up = DragInput::Do(DragInput::LEFT_UP);
  up.pt = pt;
  ASSERT_TRUE(RunDrag(pBar, CaptionPoint(pBar),
                      {DragInput::Move(pt + CPoint(0, 20)), DragInput::Move(pt), DragInput::Probe([&] {
                         ::PostThreadMessageA(dwThread, WM_QUIT, 7, 0);
                         bEndedWhileDown =
                             WaitFromDriver([] { return !CExtPopupMenuTipWnd::g_pfnIsBarDragging(); },
                                            2000) &&
                             (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
                       }),
                       up}));
  MSG msg;
  const bool bQuitKept = ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  EXPECT_TRUE(bEndedWhileDown);
  ASSERT_EQ(1u, pBar->m_finished.size());
  EXPECT_FALSE(pBar->m_finished[0]);
  EXPECT_TRUE(pBar->IsDockedAtLeft());
  ASSERT_TRUE(bQuitKept);
  EXPECT_EQ(7u, msg.wParam);
}

// A floating panel is picked up by its frame's caption: inside its own frame it only moves, over
// the docking area's left band it docks there.
TEST_F(DragFixture, AFloatingPanelDraggedByItsFrameCaptionDocksAtTheBand) {
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_TOP, "p");
  AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  pBar->FloatControlBar(ClientCentre().x, ClientCentre().y);
  Relayout(m_pFrame.get());
  CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
  ASSERT_NE(nullptr, pMini);
  const CRect rcMini = ScreenRect(pMini);
  const CPoint ptPress =
      rcMini.TopLeft() + CPoint(pMini->GetCaptionRect().left + 10, pMini->GetCaptionRect().CenterPoint().y);
  const CRect DA = DockingArea();
  ASSERT_TRUE(DragThrough(pBar, ptPress, {ptPress + CPoint(4, 4), CPoint(DA.left - 4, DA.CenterPoint().y)}));
  ASSERT_FALSE(Log().m_log.empty());
  EXPECT_EQ(DT::DT_FLOAT, Log().m_log.front().nType) << "inside its own frame it only moves";
  EXPECT_EQ(DT::DT_OUTER_LEFT, Log().LastDrawn().nType);
  EXPECT_TRUE(pBar->IsDockedAtLeft()) << Dump();
  EXPECT_EQ(0, Log().Shown());
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

} // namespace
