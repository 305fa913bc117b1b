// Docking a resizable bar beside another: both are wrapped in a container bar whose inner dock
// bar shares the place out by percent, containers nest, hidden bars give their room up, the
// shares stop at the bars' minimums, and a container left with one bar dissolves into it.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "tests/unit/toolkit/docking/dock_support.h"
#include "toolkit/docking/ExtDockDynBar.h"
#include "toolkit/docking/ExtDynControlBar.h"

#include <tuple>

namespace {

const UINT kTop = AFX_IDW_DOCKBAR_TOP, kLeft = AFX_IDW_DOCKBAR_LEFT, kRight = AFX_IDW_DOCKBAR_RIGHT,
           kBottom = AFX_IDW_DOCKBAR_BOTTOM;

// A dock bar's array with containers written as their inner arrays: "0 [a | b c] 0" (rows of an
// inner dock bar split by |).
std::string Nested(const CDockBar* pDock, bool bInner = false) {
  std::string text;
  const INT_PTR n = pDock->m_arrBars.GetSize();
  for (INT_PTR i = bInner ? 1 : 0; i < (bInner ? n - 1 : n); i++) {
    void* p = pDock->m_arrBars[i];
    if (!text.empty())
      text += ' ';
    if (p == NULL) {
      text += bInner ? "|" : "0";
    } else if (CDockBar::IsPlaceHolder(p)) {
      text += "#" + std::to_string(reinterpret_cast<UINT_PTR>(p));
    } else if (CExtDynControlBar* pContainer =
                   DYNAMIC_DOWNCAST(CExtDynControlBar, static_cast<CObject*>(p))) {
      text += "[" + Nested(pContainer->m_pWndDynDockBar, true) + "]";
    } else {
      CString name;
      static_cast<CControlBar*>(p)->GetWindowText(name);
      text += static_cast<LPCSTR>(name);
    }
  }
  return text;
}

// Every container in the dock bar holds at least two entries in a well-formed array, and every
// bar inside names the dock bar that holds it and is its child.
::testing::AssertionResult ContainersAreSound(const CDockBar* pDock) {
  const CPtrArray& arr = pDock->m_arrBars;
  for (INT_PTR i = 1; i < arr.GetSize(); i++) {
    CControlBar* pBar = pDock->GetDockedControlBar(static_cast<int>(i));
    if (pBar == NULL)
      continue;
    if (pBar->m_pDockBar != pDock || ::GetParent(pBar->m_hWnd) != pDock->m_hWnd)
      return ::testing::AssertionFailure() << "a bar not held by the dock bar it names: " << Nested(pDock);
    CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
    if (pContainer == NULL)
      continue;
    const CExtDockDynBar* pInner = pContainer->m_pWndDynDockBar;
    if (pInner == NULL || ::GetParent(pInner->m_hWnd) != pContainer->m_hWnd)
      return ::testing::AssertionFailure() << "a container without its inner dock bar";
    const CPtrArray& inner = pInner->m_arrBars;
    int nEntries = 0;
    for (INT_PTR k = 1; k < inner.GetSize(); k++) {
      if (inner[k] == NULL && inner[k - 1] == NULL)
        return ::testing::AssertionFailure() << "an empty row in " << Nested(pDock);
      nEntries += inner[k] != NULL ? 1 : 0;
    }
    if (inner[0] != NULL || inner[inner.GetSize() - 1] != NULL || nEntries < 2)
      return ::testing::AssertionFailure() << "a container that should have gone: " << Nested(pDock);
    ::testing::AssertionResult inside = ContainersAreSound(pInner);
    if (!inside)
      return inside;
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult FrameContainersAreSound(CFrameWnd* pFrame) {
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CExtDockBar* pDock =
        DYNAMIC_DOWNCAST(CExtDockBar, static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
    if (pDock == NULL || pDock->m_hWnd == NULL)
      continue;
    if (pDock->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
      return ::testing::AssertionFailure() << "an inner dock bar left in the frame's bar list";
    ::testing::AssertionResult result = ContainersAreSound(pDock);
    if (!result)
      return result;
  }
  return ArraysAreSound(pFrame);
}

// A frame with bar a docked on the left and b floating; c and d are made on demand.
class NestedDock : public BarPairDock {
protected:
  CExtControlBar* Extra(std::unique_ptr<CExtControlBar>& pBar, UINT nId, LPCSTR lpszName) {
    pBar = DockBar(m_frame.get(), nId, kBottom, lpszName);
    pBar->FloatControlBar(400 + 10 * static_cast<int>(nId % 10), 300);
    return pBar.get();
  }
  CExtDynControlBar* ContainerOf(CExtControlBar* pBar) {
    CWnd* pParent = pBar->GetParent();
    return pParent != NULL ? DYNAMIC_DOWNCAST(CExtDynControlBar, pParent->GetParent()) : NULL;
  }
};

// --- splitting a place by percent --------------------------------------------------------------

class NestedSplit : public NestedDock, public ::testing::WithParamInterface<std::tuple<UINT, int>> {};

TEST_P(NestedSplit, TheNewBarTakesItsPercentOfThePlaceOnItsSide) {
  const UINT nSide = std::get<0>(GetParam());
  const int nPercent = std::get<1>(GetParam());
  const CRect rcPlace = ScreenRect(m_a.get());
  ASSERT_TRUE(m_b->DockBesideBar(nPercent, m_a.get(), nSide));
  Relayout(m_frame.get());
  const bool bNewFirst = nSide == kTop || nSide == kLeft;
  EXPECT_EQ(bNewFirst ? "0 [b a] 0" : "0 [a b] 0", Nested(Left()));
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
  CExtDynControlBar* pContainer = ContainerOf(m_a.get());
  ASSERT_NE(nullptr, pContainer);
  EXPECT_EQ(rcPlace, ScreenRect(pContainer)) << "the container takes the bar's place";
  const CRect rcIn = ScreenRect(pContainer->m_pWndDynDockBar);
  const CRect rcA = ScreenRect(m_a.get()), rcB = ScreenRect(m_b.get());
  CRect rcUnion;
  rcUnion.UnionRect(rcA, rcB);
  EXPECT_EQ(rcIn, rcUnion) << "the two bars fill the container";
  const bool bStack = nSide == kTop || nSide == kBottom;
  const int nShare = ::MulDiv(bStack ? rcIn.Height() : rcIn.Width(), nPercent, 100);
  EXPECT_EQ(nShare, bStack ? rcB.Height() : rcB.Width());
  switch (nSide) {
  case AFX_IDW_DOCKBAR_TOP:
    EXPECT_EQ(rcB.bottom, rcA.top);
    break;
  case AFX_IDW_DOCKBAR_BOTTOM:
    EXPECT_EQ(rcA.bottom, rcB.top);
    break;
  case AFX_IDW_DOCKBAR_LEFT:
    EXPECT_EQ(rcB.right, rcA.left);
    break;
  default:
    EXPECT_EQ(rcA.right, rcB.left);
    break;
  }
  EXPECT_FALSE(m_b->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
      << "b left its floating frame";
}

INSTANTIATE_TEST_SUITE_P(SidesAndPercents, NestedSplit,
                         ::testing::Combine(::testing::Values(kTop, kBottom, kLeft, kRight),
                                            ::testing::Values(30, 50, 70)));

TEST_F(NestedDock, ABarCannotGoBesideItselfAFixedBarOrAnUndockedBar) {
  auto pFixed = DockBar(m_frame.get(), 101, kTop, "f", true);
  EXPECT_FALSE(m_a->DockBesideBar(50, m_a.get(), kTop)) << "itself";
  EXPECT_FALSE(m_b->DockBesideBar(50, pFixed.get(), kTop)) << "beside a fixed bar";
  EXPECT_FALSE(m_b->DockBesideBar(50, m_a.get(), 12345)) << "no side";
  CExtControlBar loose;
  EXPECT_FALSE(m_b->DockBesideBar(50, &loose, kTop)) << "a bar without a window";
  EXPECT_EQ("0 a 0", Nested(Left()));
}

// --- nesting, relative docking and dissolving ----------------------------------------------------

TEST_F(NestedDock, ContainersNestAndDissolveIntoTheirLastBar) {
  Extra(m_c, 203, "c");
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kBottom));
  ASSERT_TRUE(m_c->DockBesideBar(50, m_b.get(), kRight));
  Relayout(m_frame.get());
  EXPECT_EQ("0 [a [b c]] 0", Nested(Left()));
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
  // The nested container follows a in the column; b and c share its row.
  const CRect rcA = ScreenRect(m_a.get()), rcB = ScreenRect(m_b.get()), rcC = ScreenRect(m_c.get());
  const CRect rcNested = ScreenRect(ContainerOf(m_b.get()));
  EXPECT_EQ(rcA.bottom, rcNested.top);
  EXPECT_EQ(rcA.Width(), rcNested.Width());
  EXPECT_EQ(rcB.top, rcC.top);
  EXPECT_EQ(rcB.right, rcC.left);
  EXPECT_EQ(ScreenRect(ContainerOf(m_b.get())->m_pWndDynDockBar).Width(), rcB.Width() + rcC.Width());
  // c floats out: the inner container dissolves into b, which keeps the container's place.
  CExtDynControlBar* pInner = ContainerOf(m_c.get());
  const CRect rcInner = ScreenRect(pInner);
  const HWND hInner = pInner->m_hWnd;
  m_c->FloatControlBar(300, 300);
  Relayout(m_frame.get());
  EXPECT_FALSE(::IsWindow(hInner));
  EXPECT_EQ("0 [a b] 0", Nested(Left()));
  EXPECT_EQ(rcInner, ScreenRect(m_b.get()));
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
  // b floats out too: a is back in the left dock bar at the container's place.
  CExtDynControlBar* pOuter = ContainerOf(m_a.get());
  const CRect rcOuter = ScreenRect(pOuter);
  m_b->FloatControlBar(300, 300);
  Relayout(m_frame.get());
  EXPECT_EQ("0 a 0", Nested(Left()));
  EXPECT_EQ(rcOuter, ScreenRect(m_a.get()));
  EXPECT_EQ(Left(), m_a->m_pDockBar);
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
}

TEST_F(NestedDock, DockingBesideABarOfTheSameContainerDissolvesTheOuterOne) {
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kBottom));
  ASSERT_EQ("0 [a b] 0", Nested(Left()));
  // a goes right of b: the outer container keeps only the new one and gives it its place.
  ASSERT_TRUE(m_a->DockBesideBar(50, m_b.get(), kRight));
  Relayout(m_frame.get());
  EXPECT_EQ("0 [b a] 0", Nested(Left()));
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
  EXPECT_EQ(ScreenRect(m_b.get()).right, ScreenRect(m_a.get()).left);
}

struct RelativeCase {
  UINT nSide; // where the target bar a is docked
  bool bAcross;
  bool bOther;
  int nWhere; // 1 above, 2 below, 3 left of, 4 right of a
};

class NestedRelative : public NestedDock, public ::testing::WithParamInterface<RelativeCase> {};

TEST_P(NestedRelative, TheBarGoesWhereTheSideAndFlagsSay) {
  const RelativeCase& c = GetParam();
  if (c.nSide != kLeft)
    ASSERT_TRUE(m_a->DockIntoSideBar(c.nSide));
  ASSERT_TRUE(m_a->DockRelativeToBar(m_b.get(), c.bAcross, c.bOther));
  Relayout(m_frame.get());
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
  ASSERT_EQ(ContainerOf(m_a.get()), ContainerOf(m_b.get()));
  const CRect rcA = ScreenRect(m_a.get()), rcB = ScreenRect(m_b.get());
  switch (c.nWhere) {
  case 1:
    EXPECT_EQ(rcB.bottom, rcA.top);
    break;
  case 2:
    EXPECT_EQ(rcA.bottom, rcB.top);
    break;
  case 3:
    EXPECT_EQ(rcB.right, rcA.left);
    break;
  default:
    EXPECT_EQ(rcA.right, rcB.left);
    break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    SidesAndFlags, NestedRelative,
    ::testing::Values(RelativeCase{kLeft, false, false, 3}, RelativeCase{kLeft, false, true, 4},
                      RelativeCase{kLeft, true, false, 2}, RelativeCase{kLeft, true, true, 1},
                      RelativeCase{kTop, false, false, 1}, RelativeCase{kTop, false, true, 2},
                      RelativeCase{kTop, true, false, 4}, RelativeCase{kTop, true, true, 3},
                      RelativeCase{kBottom, false, false, 2}, RelativeCase{kRight, true, true, 1}));

TEST_F(NestedDock, ABarFloatingBesideAFloatingBarSharesItsFrame) {
  Extra(m_c, 203, "c");
  ASSERT_TRUE(m_c->DockRelativeToBar(m_b.get(), false, false));
  CFrameWnd* pMini = m_b->GetParentFrame();
  ASSERT_TRUE(pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
  EXPECT_EQ(pMini, m_c->GetParentFrame());
  EXPECT_EQ(ScreenRect(m_c.get()).right, ScreenRect(m_b.get()).left) << "floating: b goes right of c";
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
  // c docks elsewhere: b floats alone again in the same frame.
  ASSERT_TRUE(m_c->DockIntoSideBar(kRight));
  EXPECT_EQ(pMini, m_b->GetParentFrame());
  EXPECT_EQ("0 b 0", Nested(static_cast<CExtMiniDockFrameWnd*>(pMini)->GetExtDockBar()));
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
}

TEST_F(NestedDock, AContainerWhoseBarsWentGoesAtTheNextCircleOptimisation) {
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kBottom));
  const HWND hContainer = ContainerOf(m_a.get())->m_hWnd;
  m_a.reset();
  m_b.reset();
  ASSERT_EQ("0 [] 0", Nested(Left()));
  CExtDockBar::OptimizeCircles(m_frame.get());
  EXPECT_FALSE(::IsWindow(hContainer));
  EXPECT_EQ("0", Nested(Left()));
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
}

// --- visibility and minimums ------------------------------------------------------------------------

TEST_F(NestedDock, AHiddenBarGivesItsRoomUpAndAContainerWithoutVisibleBarsHides) {
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kBottom));
  Relayout(m_frame.get());
  CExtDynControlBar* pContainer = ContainerOf(m_a.get());
  const CRect rcIn = ScreenRect(pContainer->m_pWndDynDockBar);
  m_frame->ShowControlBar(m_b.get(), FALSE, FALSE);
  Relayout(m_frame.get());
  EXPECT_EQ(rcIn, ScreenRect(m_a.get())) << "a fills the container";
  m_frame->ShowControlBar(m_a.get(), FALSE, FALSE);
  EXPECT_TRUE(PumpUntil([&] {
    Relayout(m_frame.get());
    return !pContainer->IsWindowVisible();
  }));
  EXPECT_EQ(0, ScreenRect(Left()).Width()) << "the left side takes no room";
  m_frame->ShowControlBar(m_b.get(), TRUE, FALSE);
  EXPECT_TRUE(PumpUntil([&] {
    Relayout(m_frame.get());
    return pContainer->IsWindowVisible() != FALSE;
  }));
  EXPECT_EQ(ScreenRect(pContainer->m_pWndDynDockBar), ScreenRect(m_b.get())) << "b fills the container";
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
}

TEST_F(NestedDock, ShrinkingTheFrameLeavesEveryBarAtItsMinimum) {
  Extra(m_c, 203, "c");
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kBottom));
  ASSERT_TRUE(m_c->DockBesideBar(50, m_b.get(), kBottom));
  ASSERT_EQ("0 [a [b c]] 0", Nested(Left()));
  m_frame->SetWindowPos(NULL, 0, 0, 400, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Relayout(m_frame.get());
  // A bar's minimum is measured again with its resizer bands once it has moved, which may add
  // a band's width at most.
  for (CExtControlBar* pBar : {m_a.get(), m_b.get(), m_c.get()}) {
    EXPECT_GE(ScreenRect(pBar).Height(), pBar->CalcMinHeight()) << Nested(Left());
    EXPECT_LE(ScreenRect(pBar).Height(), pBar->CalcMinHeight() + pBar->GetSeparatorHeight());
  }
  // Growing again shares the room out from the minimums, one below the other to the bottom.
  m_frame->SetWindowPos(NULL, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Relayout(m_frame.get());
  CExtDynControlBar* pNested = ContainerOf(m_b.get());
  EXPECT_EQ(ScreenRect(m_a.get()).bottom, ScreenRect(pNested).top);
  EXPECT_EQ(ScreenRect(ContainerOf(m_a.get())->m_pWndDynDockBar).bottom, ScreenRect(pNested).bottom);
  EXPECT_EQ(ScreenRect(pNested->m_pWndDynDockBar).bottom, ScreenRect(m_c.get()).bottom);
  EXPECT_GT(ScreenRect(m_b.get()).Height(), 100);
}

TEST_F(NestedDock, RowsShareTheThicknessDownToTheirMinimumsPastAHiddenLastRow) {
  Extra(m_c, 203, "c");
  Extra(m_d, 204, "d");
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kRight));
  CExtDockDynBar* pInner = ContainerOf(m_a.get())->m_pWndDynDockBar;
  pInner->InsertBarBesideRow(m_a.get(), m_c.get(), false);
  pInner->InsertBarBesideRow(m_c.get(), m_d.get(), false);
  m_frame->ShowControlBar(m_d.get(), FALSE, FALSE);
  Relayout(m_frame.get());
  ASSERT_EQ("0 [a b | c | d] 0", Nested(Left()));
  const CRect rcIn = ScreenRect(pInner);
  EXPECT_EQ(ScreenRect(m_a.get()).bottom, ScreenRect(m_c.get()).top);
  EXPECT_EQ(ScreenRect(m_b.get()).Height(), ScreenRect(m_a.get()).Height()) << "one thickness per row";
  EXPECT_EQ(rcIn.bottom, ScreenRect(m_c.get()).bottom) << "the hidden row takes nothing";
  EXPECT_EQ(rcIn.right, ScreenRect(m_c.get()).right) << "c alone takes the row's length";
  m_frame->SetWindowPos(NULL, 0, 0, 400, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Relayout(m_frame.get());
  const int nA = ScreenRect(m_a.get()).Height(), nC = ScreenRect(m_c.get()).Height();
  // The frame is smaller than the rows' minimums: the container keeps them, no row goes below.
  EXPECT_EQ(nA + nC, ScreenRect(pInner).Height());
  for (CExtControlBar* pBar : {m_a.get(), m_c.get()}) {
    EXPECT_GE(ScreenRect(pBar).Height(), pBar->CalcMinHeight());
    EXPECT_LE(ScreenRect(pBar).Height(), pBar->CalcMinHeight() + pBar->GetSeparatorHeight());
  }
  EXPECT_TRUE(FrameContainersAreSound(m_frame.get()));
}

TEST_F(NestedDock, ANestedArrangementIsPainted) {
  Extra(m_c, 203, "c");
  Extra(m_d, 204, "d");
  ASSERT_TRUE(m_b->DockBesideBar(40, m_a.get(), kBottom));
  ASSERT_TRUE(m_c->DockBesideBar(50, m_b.get(), kRight));
  ASSERT_TRUE(m_d->DockBesideBar(30, m_a.get(), kRight));
  EXPECT_EQ("0 [[a d] [b c]] 0", Nested(Left()));
  Relayout(m_frame.get());
  m_frame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  PumpPending();
  CRect rcClient;
  m_frame->GetClientRect(&rcClient);
  pixel_support::Pixels px = pixel_support::ReadWindow(m_frame->m_hWnd, rcClient);
  ASSERT_FALSE(px.Empty());
  EXPECT_FALSE(pixel_support::SaveBmp(px, "docking_nested_bars.bmp").empty());
  // Each bar's child fills its client area: its far corner reads as the child's middle, and that
  // is not the frame's background.
  const COLORREF clrBackground = px.At(rcClient.right - 2, rcClient.bottom - 2);
  for (CExtControlBar* pBar : {m_a.get(), m_b.get(), m_c.get(), m_d.get()}) {
    CRect rc;
    pBar->GetClientRect(&rc);
    pBar->ClientToScreen(&rc);
    m_frame->ScreenToClient(&rc);
    const COLORREF clrChild = px.At(rc.CenterPoint().x, rc.CenterPoint().y);
    EXPECT_NE(clrBackground, clrChild);
    EXPECT_EQ(clrChild, px.At(rc.right - 2, rc.bottom - 2));
  }
}

// --- cycles and random sequences ------------------------------------------------------------------

TEST_F(NestedDock, DockBesideAndFloatCyclesKeepHandleCountsFlat) {
  const UINT kSides[4] = {kTop, kBottom, kLeft, kRight};
  auto cycle = [&](int i) {
    ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kSides[i % 4]));
    m_b->FloatControlBar(500, 300);
    Relayout(m_frame.get());
  };
  cycle(0);
  const HandleCounts counts;
  for (int i = 0; i < 40; i++)
    cycle(i);
  EXPECT_TRUE(counts.Unchanged());
  EXPECT_EQ("0 a 0", Nested(Left()));
}

class NestedRandom : public RandomStepTest {};

TEST_P(NestedRandom, EveryStepLeavesSoundArraysAndContainers) {
  for (int nStep = 0; nStep < 40; nStep++) {
    CTestBar* pBar = m_steppers[Pick(4)];
    CTestBar* pTarget = m_steppers[Pick(4)];
    std::string what;
    switch (Pick(4)) {
    case 0:
    case 1:
      what = "beside";
      if (pTarget->m_pDockBar != NULL && pTarget != pBar)
        ASSERT_TRUE(pBar->DockBesideBar(10 + Pick(80), pTarget, kTop + Pick(4), false)) << nStep;
      break;
    case 2:
      what = "float";
      pBar->FloatControlBar(100 + Pick(300), 100 + Pick(200));
      break;
    default:
      what = "side";
      ASSERT_TRUE(pBar->DockIntoSideBar(kTop + Pick(4), Pick(2), NULL, false));
      break;
    }
    Layout();
    ASSERT_TRUE(FrameContainersAreSound(m_pFrame)) << "step " << nStep << ": " << what << "\n" << Dump();
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, NestedRandom, ::testing::Values(3u, 11u, 29u, 77u));

} // namespace
