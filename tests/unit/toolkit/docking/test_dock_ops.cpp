// Docking operations of the dock bars, checked through the arrays they leave: docking at an edge,
// at a rectangle and beside a row, leaving with or without a placeholder, full-row bars, and
// floating and docking back through the toolkit's mini frame.
#include "tests/unit/toolkit/docking/dock_support.h"

#include "tests/common/soak_length.h"

#include <cstdio>

namespace {

const UINT kTop = AFX_IDW_DOCKBAR_TOP, kLeft = AFX_IDW_DOCKBAR_LEFT, kRight = AFX_IDW_DOCKBAR_RIGHT,
           kBottom = AFX_IDW_DOCKBAR_BOTTOM;

class DockOps : public DockFrameTest {
protected:
  void SetUp() override {
    DockFrameTest::SetUp();
    m_pA = AddBar("a", 101, true, CSize(120, 24));
    m_pB = AddBar("b", 102, true, CSize(90, 24));
    m_pP = AddBar("p", 201, false, CSize(200, 150));
  }
  CTestBar *m_pA = NULL, *m_pB = NULL, *m_pP = NULL;
};

TEST_F(DockOps, TheFrameGetsFourOuterDockBarsAndTheToolkitFloatingFrame) {
  for (UINT nSide : {kTop, kLeft, kRight, kBottom}) {
    CControlBar* pDock = m_pFrame->GetControlBar(nSide);
    ASSERT_NE(nullptr, pDock);
    EXPECT_TRUE(pDock->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar))) << nSide;
    char szClass[64] = {};
    ::GetClassNameA(pDock->m_hWnd, szClass, sizeof(szClass));
    EXPECT_STREQ("Corvane-DockBar", szClass);
  }
  EXPECT_EQ(RUNTIME_CLASS(CExtMiniDockFrameWnd), m_pFrame->m_pFloatingFrameClass);
  EXPECT_EQ("T0: 0\nL0: 0\nR0: 0\nB0: 0\n", Dump());
}

TEST_F(DockOps, DockingAtTheEdgeAppendsToTheLastRowOrMakesANewFirstRow) {
  struct Case {
    UINT nSide;
    bool bInner;
    const char* expected;
  } const kCases[] = {
      {kLeft, true, "0 a b 0"},
      {kTop, false, "0 a b 0"},
      {kRight, true, "0 b 0 a 0"},
      {kBottom, true, "0 b 0 a 0"},
  };
  for (const Case& c : kCases) {
    CExtDockBar* pDock = Side(c.nSide);
    pDock->DockBarAtEdge(m_pA, c.bInner);
    pDock->DockBarAtEdge(m_pB, c.bInner);
    EXPECT_EQ(c.expected, DumpArray(pDock)) << c.nSide << " " << c.bInner;
    EXPECT_TRUE(ArraysAreSound(m_pFrame));
  }
}

TEST_F(DockOps, LeavingWithPlaceholderModesKeepsOrDropsTheBarsPlace) {
  struct Case {
    int nMode;
    const char* expected;
  } const kCases[] = {{1, "0 a #102 0"}, {0, "0 a 0"}, {-1, "0 a 0"}};
  for (const Case& c : kCases) {
    CExtDockBar* pDock = Side(kTop);
    pDock->DockBarAtEdge(m_pA, false);
    pDock->DockBarAtEdge(m_pB, false);
    ASSERT_TRUE(pDock->RemoveControlBar(m_pB, -1, c.nMode, false));
    EXPECT_EQ(c.expected, DumpArray(pDock)) << c.nMode;
    m_pB->m_pDockBar = NULL;
    pDock->RemoveAllPlaceHolders(false);
  }
  // A resizable bar never leaves a placeholder.
  Side(kLeft)->DockBarAtEdge(m_pP, false);
  ASSERT_TRUE(Side(kLeft)->RemoveControlBar(m_pP, -1, 1, false));
  EXPECT_EQ("0", DumpArray(Side(kLeft)));
}

TEST_F(DockOps, ABarWithoutAnIdLeavesNoPlaceholderAndNoEmptyRow) {
  CTestBar* pNoId = AddBar("n", 0, true, CSize(60, 24));
  CExtDockBar* pTop = Side(kTop);
  pTop->DockBarAtEdge(m_pA, false);
  pTop->InsertBarBesideRow(m_pA, pNoId, false);
  pTop->DockBarAtEdge(m_pB, false);
  ASSERT_EQ("0 a 0 n b 0", DumpArray(pTop));
  ASSERT_TRUE(pTop->RemoveControlBar(pNoId, -1, 1, false));
  EXPECT_EQ("0 a 0 b 0", DumpArray(pTop));
  pNoId->m_pDockBar = NULL;
  ASSERT_TRUE(pTop->RemoveControlBar(m_pB, -1, 0, false));
  pTop->RemoveBarPlaceHolder(pNoId, true);
  EXPECT_EQ("0 a 0", DumpArray(pTop)) << "no row separator taken for a placeholder";
}

TEST_F(DockOps, RedockingElsewhereRemovesThePlaceholderLeftBehind) {
  Side(kTop)->DockBarAtEdge(m_pA, false);
  Side(kTop)->DockBarAtEdge(m_pB, false);
  Side(kTop)->RemoveControlBar(m_pB, -1, 1, false);
  m_pB->m_pDockBar = NULL;
  Side(kBottom)->DockBarAt(m_pB);
  EXPECT_EQ("T0: 0 a 0\nL0: 0\nR0: 0\nB0: 0 b 0\n", Dump());
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
}

TEST_F(DockOps, AFullRowBarStandsAloneInItsRow) {
  CTestBar* pMenu = AddBar("menu", 103, true, CSize(300, 20), true);
  CExtDockBar* pTop = Side(kTop);
  pTop->DockBarAtEdge(m_pA, false);
  pTop->DockBarAtEdge(m_pB, false);
  Layout();
  CRect rcB;
  m_pB->GetWindowRect(&rcB);
  pTop->DockBarAt(pMenu, &rcB);
  EXPECT_EQ("0 menu 0 a b 0", DumpArray(pTop));
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
  Layout();
  CRect rcMenu, rcDock;
  pMenu->GetWindowRect(&rcMenu);
  pTop->GetClientRect(&rcDock);
  EXPECT_EQ(rcDock.Width(), rcMenu.Width()) << "as long as the row";
}

TEST_F(DockOps, ABarGoesInANewRowBeforeOrAfterItsAnchorsRow) {
  CTestBar* pC = AddBar("c", 103, true, CSize(60, 24));
  CExtDockBar* pTop = Side(kTop);
  pTop->DockBarAtEdge(m_pA, false);
  pTop->DockBarAtEdge(m_pB, false);
  EXPECT_EQ("0 a b 0", DumpArray(pTop));
  pTop->InsertBarBesideRow(m_pA, m_pB, false);
  EXPECT_EQ("0 a 0 b 0", DumpArray(pTop));
  pTop->InsertBarBesideRow(m_pB, m_pA, false);
  EXPECT_EQ("0 b 0 a 0", DumpArray(pTop));
  pTop->DockBarAtEdge(pC, false);
  EXPECT_EQ("0 b 0 a c 0", DumpArray(pTop));
  pTop->InsertBarBesideRow(pC, pC, true);
  EXPECT_EQ("0 b 0 c 0 a 0", DumpArray(pTop)) << "the anchor itself moves before its own row";
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
}

TEST_F(DockOps, DockingIntoASideBarNeedsThatSide) {
  CFrameWnd* pPlain = new CFrameWnd;
  ASSERT_TRUE(pPlain->Create(NULL, "no docking", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
  EXPECT_FALSE(m_pP->DockIntoSideBar(kLeft, 0, pPlain)) << "a frame without dock bars";
  EXPECT_FALSE(m_pP->DockIntoSideBar(12345, 0)) << "an id that is no side";
  EXPECT_EQ(nullptr, m_pP->m_pDockBar);
  pPlain->DestroyWindow();
}

TEST_F(DockOps, DockIntoSideBarMakesTheCirclesItNamesAndEmptyOnesGo) {
  // Circles 1 and 2 are made; circle 1 stays empty and goes, so the bar's circle becomes 1.
  ASSERT_TRUE(m_pP->DockIntoSideBar(kRight, 2));
  EXPECT_EQ("T0: 0\nL0: 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 p 0\nB1: 0\n", Dump());
  // Docking elsewhere empties the last inner circle.
  ASSERT_TRUE(m_pP->DockIntoSideBar(kLeft, 0));
  EXPECT_EQ("T0: 0\nL0: 0 p 0\nR0: 0\nB0: 0\n", Dump());
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
}

TEST_F(DockOps, DockAtFrameSideInsertsAFreshCircleOne) {
  CTestBar* pQ = AddBar("q", 202, false, CSize(180, 120));
  m_pP->DockAtFrameSide(kRight, false);
  pQ->DockAtFrameSide(kRight, false);
  EXPECT_EQ("T0: 0\nL0: 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 q 0\nB1: 0\nT2: 0\nL2: 0\nR2: 0 p 0\nB2: 0\n",
            Dump());
  pQ->DockAtFrameSide(kBottom, true);
  EXPECT_EQ("T0: 0\nL0: 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 p 0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 q 0\n",
            Dump());
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
}

TEST_F(DockOps, FloatingMakesAToolkitMiniFrameAndDockingBackEndsIt) {
  Side(kTop)->DockBarAtEdge(m_pA, false);
  Layout();
  m_pA->FloatControlBar(300, 200);
  CFrameWnd* pMini = m_pA->GetParentFrame();
  ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
  CExtDockBar* pFloatDock = static_cast<CExtMiniDockFrameWnd*>(pMini)->GetExtDockBar();
  ASSERT_NE(nullptr, pFloatDock);
  EXPECT_TRUE(pFloatDock->m_bFloating);
  EXPECT_EQ("0 a 0", DumpArray(pFloatDock));
  EXPECT_EQ("0 #101 0", DumpArray(Side(kTop))) << "a fixed bar leaves its place";
  CRect rcMini;
  pMini->GetWindowRect(&rcMini);
  EXPECT_EQ(CPoint(300, 200), rcMini.TopLeft());
  // Floating again only moves the frame.
  m_pA->FloatControlBar(320, 210);
  EXPECT_EQ(pMini, m_pA->GetParentFrame());
  EXPECT_EQ(CPoint(320, 210), m_pA->m_ptFloatPos);
  HWND hMini = pMini->m_hWnd;
  ASSERT_TRUE(m_pA->DockIntoSideBar(kTop));
  EXPECT_FALSE(::IsWindow(hMini)) << "the emptied mini frame goes";
  EXPECT_EQ("0 a 0", DumpArray(Side(kTop)));
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
}

TEST_F(DockOps, DoubleClickTogglingFloatsADockedResizableBarAtItsLastPositionAndDocksItBack) {
  ASSERT_TRUE(m_pP->DockIntoSideBar(kLeft));
  m_pP->ToggleDocking();
  CFrameWnd* pMini = m_pP->GetParentFrame();
  ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
  CRect rcMini;
  pMini->GetWindowRect(&rcMini);
  EXPECT_EQ(CPoint(0, 0), rcMini.TopLeft()) << "the first time at (0, 0)";
  m_pP->ToggleDocking();
  EXPECT_EQ(m_pFrame, m_pP->GetParentFrame()) << "a floating resizable bar docks back";
  EXPECT_EQ(kLeft, m_pP->GetDockBarCtrlId()) << "at the side it floated off";
}

// Any object left by a cycle shows: the counts must come back exactly.
const int kCycles = soak::Cycles(100, 500);

TEST_F(DockOps, FloatAndDockCyclesKeepHandleCountsFlat) {
  ASSERT_TRUE(m_pP->DockIntoSideBar(kLeft));
  Side(kTop)->DockBarAtEdge(m_pA, false);
  auto cycle = [&]() {
    m_pP->FloatControlBar(200, 200);
    m_pA->FloatControlBar(400, 200);
    ASSERT_TRUE(m_pP->DockIntoSideBar(kLeft));
    ASSERT_TRUE(m_pA->DockIntoSideBar(kTop));
    Layout();
    PumpPending();
  };
  // What the first floats make once and keep is made within the first two cycles (run alone, the
  // second cycle adds six GDI objects that no later one adds to).
  cycle();
  cycle();
  const HandleCounts counts;
  // A floating frame is a top-level window, whose making costs Wine some 20 ms: the full length
  // takes the best part of a minute.
  for (int i = 0; i < kCycles; i++)
    cycle();
  const ::testing::AssertionResult unchanged = counts.Unchanged();
  std::printf("[ FIGURES  ] %d float and dock cycles: %s\n", kCycles, unchanged.message());
  EXPECT_TRUE(unchanged);
  EXPECT_TRUE(ArraysAreSound(m_pFrame));
}

// A frame with docking and a fixed and a resizable bar docked and one of each floating, closed as
// the user closes it; every bar goes with it.
void MakeAndCloseFrame() {
  CFrameWnd* pFrame = new CFrameWnd;
  ASSERT_TRUE(pFrame->Create(NULL, "closing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 810, 610)));
  ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
  std::vector<std::unique_ptr<CTestBar>> bars;
  for (UINT nId = 101; nId <= 104; nId++) {
    const bool bFixed = nId % 2 != 0;
    bars.emplace_back(new CTestBar(bFixed, bFixed ? CSize(120, 24) : CSize(200, 150)));
    ASSERT_TRUE(bars.back()->Create(std::to_string(nId).c_str(), pFrame, nId,
                                    WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    bars.back()->EnableDocking(CBRS_ALIGN_ANY);
  }
  ASSERT_TRUE(bars[0]->DockIntoSideBar(kTop) && bars[1]->DockIntoSideBar(kLeft));
  bars[2]->FloatControlBar(300, 200);
  bars[3]->FloatControlBar(500, 200);
  pFrame->RecalcLayout();
  PumpPending();
  pFrame->SendMessage(WM_CLOSE);
  PumpPending();
  for (const auto& pBar : bars)
    EXPECT_FALSE(::IsWindow(pBar->m_hWnd));
}

TEST(DockFrameClose, ClosingAFrameWithBarsDockedAndFloatingLeaksNothing) {
  // The first frame makes what lives as long as the process: window classes, theme objects.
  MakeAndCloseFrame();
  const HandleCounts counts;
  for (int i = 0; i < 3; i++)
    MakeAndCloseFrame();
  EXPECT_TRUE(counts.Unchanged());
}

} // namespace
