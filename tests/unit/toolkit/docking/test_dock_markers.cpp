// Marker docking's windows: the marker sets over the frame and over a target, fading, the hot state
// under the real pointer, highlights, the search for the target under the cursor and clean-up.
// Marker mode is switched on for each test and back off after it.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "tests/unit/toolkit/docking/dock_support.h"
#include "toolkit/docking/ExtDynDockMarkerWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef CExtDynDockMarkerWnd Marker;
const UINT kLeft = AFX_IDW_DOCKBAR_LEFT, kRight = AFX_IDW_DOCKBAR_RIGHT;

std::string ClassOf(HWND hWnd) {
  char sz[64] = "";
  ::GetClassNameA(hWnd, sz, sizeof(sz));
  return sz;
}

CRect ScreenRectOf(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  return rc;
}

// The windows of the markers in both sets.
std::vector<HWND> MarkerWindows() {
  std::vector<HWND> windows;
  for (Marker::MarkerArray_t* pArr : {&Marker::OuterMarkers(), &Marker::BarMarkers()})
    for (Marker* p : *pArr)
      windows.push_back(p->m_hWnd);
  return windows;
}

bool AllGone(const std::vector<HWND>& windows) {
  return PumpUntil([&] {
    for (HWND h : windows)
      if (::IsWindow(h))
        return false;
    return true;
  });
}

// A bar that neither tabs nor docks beside another.
class CShyBar : public CTestBar {
public:
  CShyBar() : CTestBar(false, CSize(160, 120)) {}
  bool IsTabbedDockingAllowed(bool) const override { return false; }
  bool IsDockTargetFor(CExtControlBar*) const override { return false; }
};

// Stands for a nested container, which the search knows by class name only.
class CNestedLookalike : public CTestBar {
public:
  CNestedLookalike() : CTestBar(false, CSize(400, 200)) {}
  CRuntimeClass* GetRuntimeClass() const override {
    static const CRuntimeClass rc = {"CExtDynControlBar",
                                     (int)sizeof(CNestedLookalike),
                                     0xFFFF,
                                     NULL,
                                     RUNTIME_CLASS(CExtControlBar),
                                     NULL};
    return const_cast<CRuntimeClass*>(&rc);
  }
};

// Counts the mouse moves it is sent and the flags of the last.
class CMoveLogBar : public CTestBar {
public:
  CMoveLogBar() : CTestBar(false, CSize(150, 120)) {}
  int m_nMoves = 0;
  WPARAM m_wLastFlags = 0xFFFF;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_MOUSEMOVE) {
      ++m_nMoves;
      m_wLastFlags = wParam;
    }
    return CTestBar::WindowProc(message, wParam, lParam);
  }
};

class DockMarkers : public DockFrameTest {
protected:
  void SetUp() override {
    DockFrameTest::SetUp();
    m_nOldMode = CExtControlBar::g_nDockingMarkerMode;
    CExtControlBar::g_nDockingMarkerMode = 1;
    g_PaintManagerHolder->m_nDockMarkerStyle = 3;
    m_hPane = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_WHITERECT, 0, 0, 10, 10,
                                m_pFrame->m_hWnd, (HMENU)AFX_IDW_PANE_FIRST, ::GetModuleHandleA(NULL), NULL);
    m_pP = AddBar("p", 201, false, CSize(200, 160));
    m_bars.emplace_back(m_pD = new CMoveLogBar);
    ASSERT_TRUE(m_pD->Create("d", m_pFrame, 202, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    m_pD->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(m_pP->DockIntoSideBar(kLeft, 1));
    ASSERT_TRUE(m_pD->DockIntoSideBar(kRight, 1));
    Relayout(m_pFrame);
    m_drag.m_bFlags = 0;
    m_drag.m_pBarSource = m_pD;
  }
  void TearDown() override {
    Marker::DestroyMarkers(Marker::OuterMarkers(), false);
    Marker::DestroyMarkers(Marker::BarMarkers(), false);
    Marker::g_pDraggingState = NULL;
    CExtControlBar::g_nDockingMarkerMode = m_nOldMode;
    g_PaintManagerHolder->m_nDockMarkerStyle = 3;
    CExtPaintManager::TestForceScreenBitsPerPixel(0);
    ::SetCursorPos(1200, 1000);
    DockFrameTest::TearDown();
  }
  void StartDrag() { Marker::g_pDraggingState = &m_drag; }
  // Puts the real pointer at the point and looks for the target there.
  HWND FindAt(CPoint pt) {
    ::SetCursorPos(pt.x, pt.y);
    PumpPending();
    return CExtControlBar::FindDockTargetUnderCursor(m_pFrame, true);
  }
  static Marker* OfKind(int nKind) {
    for (Marker* p : Marker::BarMarkers())
      if (p->m_nKind == nKind)
        return p;
    return NULL;
  }
  // A point of the window near its bottom-left corner, away from every marker over it.
  static CPoint NearCorner(HWND hWnd) {
    CRect rc = ScreenRectOf(hWnd);
    return CPoint(rc.left + 6, rc.bottom - 6);
  }

  int m_nOldMode = -1;
  HWND m_hPane = NULL;
  CTestBar* m_pP = NULL;
  CMoveLogBar* m_pD = NULL;
  CExtControlBar::InternalDraggingState_t m_drag;
};

TEST_F(DockMarkers, FrameSideMarkersAreTopmostShapedPopupsOfTheHiddenOwner) {
  ASSERT_TRUE(Marker::CreateOuterMarkers(m_pFrame, true));
  const Marker::MarkerArray_t& arr = Marker::OuterMarkers();
  ASSERT_EQ(4u, arr.size());
  HWND hOwner = Marker::GetOwnerWindow();
  EXPECT_EQ("Corvane-DynDockMarker", ClassOf(hOwner));
  EXPECT_FALSE(::IsWindowVisible(hOwner));
  for (size_t i = 0; i < arr.size(); ++i) {
    HWND h = arr[i]->m_hWnd;
    EXPECT_EQ("Corvane-DynDockMarker", ClassOf(h));
    EXPECT_EQ(hOwner, ::GetWindow(h, GW_OWNER));
    EXPECT_NE(0, ::GetWindowLong(h, GWL_STYLE) & WS_POPUP);
    EXPECT_NE(0, ::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(0, ::GetWindowLong(h, GWL_EXSTYLE) & WS_EX_LAYERED) << "shown without fading";
    EXPECT_TRUE(::IsWindowVisible(h));
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, ::GetWindowRgn(h, hRgn)) << "the window has the marker's shape";
    ::DeleteObject(hRgn);
    EXPECT_TRUE(arr[i]->m_bOuter);
    EXPECT_EQ((int)i, arr[i]->m_nKind);
    EXPECT_EQ(14 + (int)i, arr[i]->GetTargetType());
  }
  // Each marker sits on its own side of the free area.
  const CRect rcFree = arr[0]->m_rcArea;
  EXPECT_LT(ScreenRectOf(arr[0]->m_hWnd).CenterPoint().y, rcFree.CenterPoint().y);
  EXPECT_GT(ScreenRectOf(arr[1]->m_hWnd).CenterPoint().y, rcFree.CenterPoint().y);
  EXPECT_LT(ScreenRectOf(arr[2]->m_hWnd).CenterPoint().x, rcFree.CenterPoint().x);
  EXPECT_GT(ScreenRectOf(arr[3]->m_hWnd).CenterPoint().x, rcFree.CenterPoint().x);
  EXPECT_EQ(ScreenRectOf(m_hPane), rcFree) << "the free area is what the view pane takes";
}

struct FadeCase {
  const char* name;
  bool bAllowFade;
  int nStyle, nBitsPerPixel;
  bool bFades;
};

class MarkerFading : public DockMarkers, public ::testing::WithParamInterface<FadeCase> {};

TEST_P(MarkerFading, ShowingAndHidingEndWithPlainWindows) {
  const FadeCase& c = GetParam();
  g_PaintManagerHolder->m_nDockMarkerStyle = c.nStyle;
  CExtPaintManager::TestForceScreenBitsPerPixel(c.nBitsPerPixel);
  ASSERT_TRUE(Marker::CreateBarMarkers(m_pP->m_hWnd, false, false));
  Marker::MarkerArray_t& arr = Marker::BarMarkers();
  ASSERT_EQ(6u, arr.size()) << "the cross, its tab square and four sides";
  for (bool bShow : {true, false}) {
    Marker::ShowMarkers(arr, bShow, c.bAllowFade);
    for (Marker* p : arr)
      EXPECT_EQ(c.bFades, (::GetWindowLong(p->m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0);
    EXPECT_TRUE(PumpUntil([&] {
      for (Marker* p : arr)
        if ((p->m_bState & Marker::SF_FADING) != 0 || (::IsWindowVisible(p->m_hWnd) != FALSE) != bShow ||
            (::GetWindowLong(p->m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0)
          return false;
      return true;
    })) << (bShow ? "shown" : "hidden");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, MarkerFading,
                         ::testing::Values(FadeCase{"Fades", true, 3, 32, true},
                                           FadeCase{"NotAllowed", false, 3, 32, false},
                                           FadeCase{"FirstStyle", true, 1, 32, false},
                                           FadeCase{"PaletteScreen", true, 3, 8, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DockMarkers, TheRealPointerMakesAMarkerHotAndTheCrossFollowsIt) {
  ASSERT_TRUE(Marker::CreateBarMarkers(m_pP->m_hWnd, false, true));
  Marker* pTop = OfKind(Marker::KIND_TOP);
  Marker* pCross = OfKind(Marker::KIND_FOLLOWER);
  ASSERT_TRUE(pTop != NULL && pCross != NULL);
  ASSERT_TRUE(
      PumpUntil([&] { return pTop->IsWindowVisible() && (pTop->m_bState & Marker::SF_FADING) == 0; }));
  const CRect rcTop = ScreenRectOf(pTop->m_hWnd);
  ::SetCursorPos(rcTop.CenterPoint().x, rcTop.CenterPoint().y);
  EXPECT_TRUE(PumpUntil([&] { return pTop->m_nHotState == Marker::HOT_OVER; }));
  EXPECT_EQ(pTop->m_hWnd, pCross->m_hWndHotMarker);
  EXPECT_TRUE(pCross->GetMarkerState());
  EXPECT_TRUE(pTop->ShowHighlight(true));
  ::SetCursorPos(1200, 1000);
  EXPECT_TRUE(PumpUntil([&] { return pTop->m_nHotState == Marker::HOT_AWAY; }));
  EXPECT_EQ((HWND)NULL, pCross->m_hWndHotMarker);
  EXPECT_EQ(nullptr, pTop->m_pHighlight) << "a marker that cools down drops its highlight";
}

class MarkerHighlight : public DockMarkers, public ::testing::WithParamInterface<int> {};

TEST_P(MarkerHighlight, CoversTheHalfOfTheTargetOnTheMarkersSide) {
  ASSERT_TRUE(Marker::CreateBarMarkers(m_pP->m_hWnd, false, true));
  Marker* pMarker = OfKind(GetParam());
  Marker* pOther = OfKind(GetParam() == Marker::KIND_TOP ? Marker::KIND_BOTTOM : Marker::KIND_TOP);
  ASSERT_TRUE(pMarker != NULL && pOther != NULL);
  ASSERT_TRUE(pOther->ShowHighlight(true));
  ASSERT_TRUE(pMarker->ShowHighlight(true));
  EXPECT_EQ(nullptr, pOther->m_pHighlight) << "one highlight at a time";
  HWND hHighlight = pMarker->m_pHighlight->m_hWnd;
  EXPECT_EQ("Corvane-DynDockHighlightWnd", ClassOf(hHighlight));
  EXPECT_TRUE(::IsWindowVisible(hHighlight));
  const CRect rc = ScreenRectOf(m_pP->m_hWnd);
  const int cx = rc.Width() / 2, cy = rc.Height() / 2;
  const CRect expected[] = {{rc.left, rc.top, rc.right, rc.top + cy},
                            {rc.left, rc.bottom - cy, rc.right, rc.bottom},
                            {rc.left, rc.top, rc.left + cx, rc.bottom},
                            {rc.right - cx, rc.top, rc.right, rc.bottom},
                            rc};
  EXPECT_EQ(expected[GetParam() == Marker::KIND_CENTER ? 4 : GetParam()], ScreenRectOf(hHighlight));
  EXPECT_EQ(GetParam() == Marker::KIND_CENTER ? 26 : 22 + GetParam(), pMarker->GetTargetType());
  // The marker is still the window under its centre, above the highlight.
  const CPoint ptMarker = ScreenRectOf(pMarker->m_hWnd).CenterPoint();
  EXPECT_EQ(pMarker->m_hWnd, ::WindowFromPoint(ptMarker));
  EXPECT_TRUE(pMarker->ShowHighlight(false));
  EXPECT_FALSE(::IsWindow(hHighlight));
}

INSTANTIATE_TEST_SUITE_P(Kinds, MarkerHighlight, ::testing::Values(0, 1, 2, 3, 8));

TEST_F(DockMarkers, AFrameSideHighlightIsAsDeepAsTheDraggedBarDocks) {
  StartDrag();
  ASSERT_TRUE(Marker::CreateOuterMarkers(m_pFrame, true));
  for (int nExtent : {10, 90}) {
    m_pD->m_sizeDockedH = CSize(300, nExtent);
    m_pD->m_sizeDockedV = CSize(nExtent, 300);
    const int nDepth = nExtent < 30 ? 30 : nExtent;
    for (Marker* p : Marker::OuterMarkers()) {
      ASSERT_TRUE(p->ShowHighlight(true));
      const CRect rc = ScreenRectOf(p->m_pHighlight->m_hWnd);
      const bool bHorz = p->m_nKind == Marker::KIND_TOP || p->m_nKind == Marker::KIND_BOTTOM;
      EXPECT_EQ(nDepth, bHorz ? rc.Height() : rc.Width()) << "kind " << p->m_nKind;
      const CPoint ptArea = p->m_rcArea.CenterPoint(), ptBand = rc.CenterPoint();
      const int nSideOfCentre[] = {ptBand.y - ptArea.y, ptArea.y - ptBand.y, ptBand.x - ptArea.x,
                                   ptArea.x - ptBand.x};
      EXPECT_LT(nSideOfCentre[p->m_nKind], 0) << "the band lies on the marker's side, kind " << p->m_nKind;
    }
  }
}

TEST_F(DockMarkers, WithoutADragNothingIsSearched) {
  EXPECT_EQ((HWND)NULL, FindAt(NearCorner(m_pP->m_hWnd)));
  m_drag.m_pBarSource = NULL;
  StartDrag();
  EXPECT_EQ((HWND)NULL, FindAt(NearCorner(m_pP->m_hWnd)));
  EXPECT_TRUE(Marker::BarMarkers().empty());
}

TEST_F(DockMarkers, ADockedBarThePaneAndAFloatingBarBecomeTargets) {
  CTestBar* pF = AddBar("f", 203, false, CSize(180, 140));
  m_pFrame->FloatControlBar(pF, CPoint(900, 200));
  Relayout(m_pFrame);
  ASSERT_TRUE(pF->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
  StartDrag();
  EXPECT_EQ(m_pP->m_hWnd, FindAt(NearCorner(m_pP->m_hWnd)));
  EXPECT_EQ(6u, Marker::BarMarkers().size());
  for (Marker* p : Marker::BarMarkers())
    EXPECT_EQ(m_pP->m_hWnd, p->m_hWndTarget);
  // Over a marker the target stays what it is, wherever the marker lies.
  Marker* pCentre = OfKind(Marker::KIND_CENTER);
  ASSERT_TRUE(pCentre != NULL);
  Marker* pBefore = Marker::BarMarkers().front();
  EXPECT_EQ(m_pP->m_hWnd, FindAt(ScreenRectOf(pCentre->m_hWnd).CenterPoint()));
  EXPECT_EQ(pBefore, Marker::BarMarkers().front()) << "the markers are not made again";

  EXPECT_EQ(m_hPane, FindAt(NearCorner(m_hPane)));
  ASSERT_EQ(4u, Marker::BarMarkers().size()) << "no centre over the view";
  for (Marker* p : Marker::BarMarkers())
    EXPECT_EQ(18 + p->m_nKind, p->GetTargetType());

  EXPECT_EQ(pF->m_hWnd, FindAt(NearCorner(pF->m_hWnd)));
  EXPECT_EQ(pF->m_hWnd, Marker::GetRememberedTarget());

  // The frame's own fixed edge and caption hold no target.
  const CRect rcFrame = ScreenRectOf(m_pFrame->m_hWnd);
  EXPECT_EQ((HWND)NULL, FindAt(CPoint(rcFrame.CenterPoint().x, rcFrame.top + 4)));
  EXPECT_TRUE(Marker::BarMarkers().empty());
}

TEST_F(DockMarkers, ABarThatTakesNoOtherIsNoTargetAndAVanishedTargetIsForgotten) {
  m_bars.emplace_back(new CShyBar);
  CTestBar* pShy = m_bars.back().get();
  ASSERT_TRUE(pShy->Create("shy", m_pFrame, 204, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
  pShy->EnableDocking(CBRS_ALIGN_ANY);
  ASSERT_TRUE(pShy->DockIntoSideBar(AFX_IDW_DOCKBAR_BOTTOM, 1));
  Relayout(m_pFrame);
  StartDrag();
  EXPECT_EQ((HWND)NULL, FindAt(NearCorner(pShy->m_hWnd)));
  EXPECT_TRUE(Marker::BarMarkers().empty());

  EXPECT_EQ(m_pP->m_hWnd, FindAt(NearCorner(m_pP->m_hWnd)));
  const CPoint pt = NearCorner(m_pP->m_hWnd);
  m_pP->DestroyWindow();
  PumpPending();
  EXPECT_EQ((HWND)NULL, FindAt(pt));
  EXPECT_EQ((HWND)NULL, Marker::GetRememberedTarget());
}

TEST_F(DockMarkers, InsideANestedContainerTheBarUnderTheCursorIsTheTarget) {
  m_bars.emplace_back(new CNestedLookalike);
  CTestBar* pNest = m_bars.back().get();
  ASSERT_TRUE(pNest->Create("nest", m_pFrame, 205, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
  pNest->EnableDocking(CBRS_ALIGN_ANY);
  ASSERT_TRUE(pNest->DockIntoSideBar(AFX_IDW_DOCKBAR_BOTTOM, 1));
  Relayout(m_pFrame);
  CExtDockBar* pInner = new CExtDockBar; // deletes itself with its window
  ASSERT_TRUE(pInner->Create(pNest, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_FLOAT));
  CRect rcInner;
  pInner->GetClientRect(&rcInner);
  pInner->m_arrBars.RemoveAll();
  pInner->m_arrBars.Add(NULL);
  for (int i = 0; i < 2; ++i) {
    CTestBar* pBar = AddBar(i == 0 ? "n1" : "n2", 206 + i, false, CSize(100, 100));
    pBar->SetParent(pInner);
    pBar->MoveWindow(i * rcInner.Width() / 2, 0, rcInner.Width() / 2, rcInner.Height() / 2);
    pInner->m_arrBars.Add(pBar);
  }
  pInner->m_arrBars.Add(NULL);
  PumpPending();
  StartDrag();
  CTestBar* pN2 = m_bars.back().get();
  EXPECT_EQ(pN2->m_hWnd, FindAt(NearCorner(pN2->m_hWnd)));
  EXPECT_EQ(22, Marker::BarMarkers().back()->GetTargetType() - Marker::BarMarkers().back()->m_nKind);
  // Where the container holds none of its bars there is nothing.
  const CRect rcInnerScreen = ScreenRectOf(pInner->m_hWnd);
  EXPECT_EQ((HWND)NULL, FindAt(CPoint(rcInnerScreen.CenterPoint().x, rcInnerScreen.bottom - 3)));
  EXPECT_TRUE(Marker::BarMarkers().empty());
}

TEST_F(DockMarkers, WhenTheTargetVanishesTheMarkersHideAndTheDragStepRunsOnceAgain) {
  StartDrag();
  EXPECT_EQ(m_pP->m_hWnd, FindAt(NearCorner(m_pP->m_hWnd)));
  ::SetCursorPos(1200, 1000);
  const Marker::MarkerArray_t arr = Marker::BarMarkers();
  ASSERT_TRUE(PumpUntil([&] { return (arr.back()->m_bState & Marker::SF_FADING) == 0; }));
  const int nMoves = m_pD->m_nMoves;
  m_pP->DestroyWindow();
  EXPECT_TRUE(PumpUntil([&] {
    for (Marker* p : arr)
      if (p->IsWindowVisible())
        return false;
    return m_pD->m_nMoves > nMoves;
  }));
  // One drag step for the set: each marker checking again while it fades out would run more, and
  // hold the fade back behind their checks.
  PumpPending();
  EXPECT_EQ(nMoves + 1, m_pD->m_nMoves);
  EXPECT_EQ(0u, m_pD->m_wLastFlags) << "Ctrl is up";
}

// Markers destroyed with the drag's end are made again for the same target in the next drag.
TEST_F(DockMarkers, TheNextDragShowsMarkersOverTheSameTargetAgain) {
  StartDrag();
  EXPECT_EQ(m_pP->m_hWnd, FindAt(NearCorner(m_pP->m_hWnd)));
  Marker::DestroyMarkers(Marker::BarMarkers(), false);
  EXPECT_EQ(m_pP->m_hWnd, FindAt(NearCorner(m_pP->m_hWnd)));
  EXPECT_EQ(6u, Marker::BarMarkers().size());
}

struct DestroyCase {
  const char* name;
  bool bDeferred;
  int nStyle;
  bool bStaysUntilFaded;
};

class MarkerDestruction : public DockMarkers, public ::testing::WithParamInterface<DestroyCase> {};

TEST_P(MarkerDestruction, MarkersGoNowOrWhenTheyHaveFadedOut) {
  g_PaintManagerHolder->m_nDockMarkerStyle = GetParam().nStyle;
  ASSERT_TRUE(Marker::CreateBarMarkers(m_pP->m_hWnd, false, true));
  const std::vector<HWND> windows = MarkerWindows();
  ASSERT_TRUE(PumpUntil([&] { return (Marker::BarMarkers().back()->m_bState & Marker::SF_FADING) == 0; }));
  Marker::DestroyMarkers(Marker::BarMarkers(), GetParam().bDeferred);
  EXPECT_TRUE(Marker::BarMarkers().empty());
  EXPECT_EQ((HWND)NULL, Marker::GetRememberedTarget());
  EXPECT_EQ(GetParam().bStaysUntilFaded, ::IsWindow(windows.front()) != FALSE);
  EXPECT_TRUE(AllGone(windows));
}

INSTANTIATE_TEST_SUITE_P(Cases, MarkerDestruction,
                         ::testing::Values(DestroyCase{"Immediate", false, 3, false},
                                           DestroyCase{"DeferredFading", true, 3, true},
                                           DestroyCase{"DeferredWithoutFading", true, 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DockMarkers, RepeatedMarkersAndHighlightsLeaveNothingBehind) {
  StartDrag();
  auto cycle = [&](bool bDeferred) {
    ASSERT_TRUE(Marker::CreateOuterMarkers(m_pFrame, true));
    ASSERT_TRUE(Marker::CreateBarMarkers(m_pP->m_hWnd, false, true));
    ASSERT_TRUE(Marker::BarMarkers().back()->ShowHighlight(true));
    ASSERT_TRUE(Marker::OuterMarkers().front()->ShowHighlight(true));
    const std::vector<HWND> windows = MarkerWindows();
    Marker::DestroyMarkers(Marker::OuterMarkers(), bDeferred);
    Marker::DestroyMarkers(Marker::BarMarkers(), bDeferred);
    ASSERT_TRUE(AllGone(windows));
  };
  cycle(false);
  const HandleCounts counts;
  for (int i = 0; i < 10; ++i)
    cycle(i % 2 == 0);
  EXPECT_TRUE(counts.Unchanged());
}

TEST_F(DockMarkers, MarkersPaintOverTheFrame) {
  StartDrag();
  ASSERT_TRUE(Marker::CreateOuterMarkers(m_pFrame, true));
  ASSERT_TRUE(Marker::CreateBarMarkers(m_pP->m_hWnd, false, false));
  Marker::ShowMarkers(Marker::BarMarkers(), true, false);
  // The highlight of the marker under the pointer, as a drag step shows it.
  Marker* pLeft = OfKind(Marker::KIND_LEFT);
  const CPoint ptLeft = ScreenRectOf(pLeft->m_hWnd).CenterPoint();
  ::SetCursorPos(ptLeft.x, ptLeft.y);
  ASSERT_TRUE(PumpUntil([&] { return pLeft->m_nHotState == Marker::HOT_OVER; }));
  ASSERT_TRUE(pLeft->ShowHighlight(true));
  m_pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  using namespace pixel_support;
  const CRect rcFrame = ScreenRectOf(m_pFrame->m_hWnd);
  Pixels px = ReadWindow(NULL, rcFrame);
  ASSERT_FALSE(px.Empty());
  EXPECT_FALSE(SaveBmp(px, "docking_markers.bmp").empty());
  // The highlight tints the left half of the bar, away from the markers.
  const CRect rcBar = ScreenRectOf(m_pP->m_hWnd) - rcFrame.TopLeft();
  EXPECT_NE(px.At(rcBar.right - 3, rcBar.bottom - 3), px.At(rcBar.left + 3, rcBar.bottom - 3));
  // The screen shows what each side marker paints at its centre.
  for (Marker* p : Marker::BarMarkers()) {
    if (p->m_nKind > Marker::KIND_RIGHT)
      continue;
    const CSize size = p->GetMarkerSize();
    DibSurface s(size.cx, size.cy);
    p->PaintMarker(&s.dc());
    const CPoint pt = ScreenRectOf(p->m_hWnd).CenterPoint() - rcFrame.TopLeft();
    EXPECT_EQ(s.At(size.cx / 2, size.cy / 2), px.At(pt.x, pt.y)) << "kind " << p->m_nKind;
  }
}

} // namespace
