// Tabbed docking: bars docked as tabs share one place in a tab container with a strip of tabs at
// its bottom; the selection follows the bars' visibility, Ctrl+Page keys step through the tabs,
// placeholder tabs come and go, a double click floats a tab's bar, and a container left with one
// bar gives its place back to it.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "tests/unit/toolkit/docking/dock_support.h"
#include "toolkit/docking/ExtDynTabControlBar.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <thread>
#include <tuple>

namespace {

const UINT kLeft = AFX_IDW_DOCKBAR_LEFT, kBottom = AFX_IDW_DOCKBAR_BOTTOM;

CRect ScreenClient(CWnd* pWnd) {
  CRect rc;
  pWnd->GetClientRect(&rc);
  pWnd->ClientToScreen(&rc);
  return rc;
}

// The bars of the strip's tabs by caption, placeholders as "(x)": "a b (c)".
std::string Tabs(const CExtDynTabWnd& tabs) {
  std::string text;
  for (int i = 0; i < tabs.ItemGetCount(); i++) {
    CString name;
    reinterpret_cast<CExtControlBar*>(tabs.ItemGet(i)->LParamGet())->GetWindowText(name);
    const bool bLive = tabs.IsLiveItem(i);
    text += (text.empty() ? "" : " ") + std::string(bLive ? "" : "(") + static_cast<LPCSTR>(name) +
            (bLive ? "" : ")");
  }
  return text;
}

// The frame's arrays hold together, every bar of a tab container sits in its inner dock bar with
// exactly one live tab, and no inner dock bar is in the frame's bar list.
::testing::AssertionResult TabContainersAreSound(CFrameWnd* pFrame) {
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
    if (pBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
      return ::testing::AssertionFailure() << "an inner dock bar in the frame's bar list";
    CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
    if (pContainer == NULL || pContainer->m_hWnd == NULL)
      continue;
    CExtDockDynBar* pInner = pContainer->m_pWndDynDockBar;
    int nBars = 0;
    for (INT_PTR i = 1; i < pInner->m_arrBars.GetSize(); i++) {
      CControlBar* pInside = pInner->GetDockedControlBar(static_cast<int>(i));
      if (pInside == NULL)
        continue;
      ++nBars;
      if (pInside->m_pDockBar != pInner || ::GetParent(pInside->m_hWnd) != pInner->m_hWnd ||
          pContainer->m_wndTabs.FindBarItem(static_cast<CExtControlBar*>(pInside)) < 0)
        return ::testing::AssertionFailure() << "a bar out of place in " << Tabs(pContainer->m_wndTabs);
    }
    if (nBars < 2 || nBars != pContainer->m_wndTabs.ItemGetCount())
      return ::testing::AssertionFailure() << nBars << " bars for tabs " << Tabs(pContainer->m_wndTabs);
  }
  return ArraysAreSound(pFrame);
}

// A frame with a docked on the left and b, c floating.
class TabDock : public BarPairDock {
protected:
  void SetUp() override {
    BarPairDock::SetUp();
    if (HasFatalFailure())
      return;
    m_c = DockBar(m_frame.get(), 203, kBottom, "c");
    ASSERT_TRUE(m_c);
    m_c->FloatControlBar(520, 320);
    Relayout(m_frame.get());
  }
  // a, b and c as tabs, in that order.
  CExtDynTabControlBar* TabAll() {
    EXPECT_TRUE(m_a->DockAsTab(m_b.get()));
    EXPECT_TRUE(m_a->DockAsTab(m_c.get()));
    Relayout(m_frame.get());
    return m_a->GetTabContainerBar();
  }
  bool Hide(CExtControlBar* pBar, bool bHide = true) {
    m_frame->ShowControlBar(pBar, bHide ? FALSE : TRUE, FALSE);
    Relayout(m_frame.get());
    return true;
  }
};

// --- making and joining a container ----------------------------------------------------------------

TEST_F(TabDock, TwoBarsShareThePlaceWithAStripOfTwoTabsAtTheBottom) {
  const CRect rcPlace = ScreenRect(m_a.get());
  ASSERT_TRUE(m_a->DockAsTab(m_b.get()));
  Relayout(m_frame.get());
  CExtDynTabControlBar* pContainer = m_a->GetTabContainerBar();
  ASSERT_NE(nullptr, pContainer);
  EXPECT_EQ(pContainer, m_b->GetTabContainerBar());
  EXPECT_EQ(pContainer, Left()->GetDockedControlBar(1)) << "the container took a's entry";
  EXPECT_EQ(rcPlace, ScreenRect(pContainer));
  EXPECT_EQ("a b", Tabs(pContainer->m_wndTabs));
  EXPECT_EQ(0, pContainer->m_wndTabs.SelectionGet());
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
  // The strip lies along the bottom of the client area; both bars fill what is above it.
  const CRect rcClient = ScreenClient(pContainer), rcStrip = ScreenRect(&pContainer->m_wndTabs);
  ASSERT_TRUE(pContainer->m_wndTabs.IsWindowVisible());
  EXPECT_EQ(rcClient.bottom, rcStrip.bottom);
  EXPECT_EQ(rcClient.Width(), rcStrip.Width());
  const CRect rcInner = ScreenRect(pContainer->m_pWndDynDockBar);
  EXPECT_EQ(rcStrip.top, rcInner.bottom);
  EXPECT_EQ(rcInner, ScreenRect(m_a.get()));
  EXPECT_EQ(rcInner, ScreenRect(m_b.get()));
  EXPECT_EQ(m_a->m_hWnd, ::GetWindow(pContainer->m_pWndDynDockBar->m_hWnd, GW_CHILD)) << "a is in front";
  EXPECT_FALSE(m_b->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) << "b left its frame";
  // A bar's new caption reaches its tab at once, and the container's caption for the bar in front.
  const int nWidth = pContainer->m_wndTabs.ItemGet(0)->GetSize().cx;
  m_a->SetWindowText("a much longer caption");
  EXPECT_GT(pContainer->m_wndTabs.ItemGet(0)->GetSize().cx, nWidth);
  CString strText;
  pContainer->GetWindowText(strText);
  EXPECT_STREQ("a much longer caption", strText);
  // Another tab comes forward when selected.
  pContainer->m_wndTabs.SelectItem(1, true, true);
  EXPECT_EQ(m_b->m_hWnd, ::GetWindow(pContainer->m_pWndDynDockBar->m_hWnd, GW_CHILD));
}

class TabInsert : public TabDock, public ::testing::WithParamInterface<std::tuple<int, const char*>> {};

TEST_P(TabInsert, AThirdBarGoesAtItsPositionAndIsSelected) {
  ASSERT_TRUE(m_a->DockAsTab(m_b.get()));
  // Asked of a bar inside the container, the container answers.
  ASSERT_TRUE(m_b->DockAsTab(m_c.get(), std::get<0>(GetParam())));
  Relayout(m_frame.get());
  CExtDynTabControlBar* pContainer = m_a->GetTabContainerBar();
  ASSERT_NE(nullptr, pContainer);
  EXPECT_EQ(std::get<1>(GetParam()), Tabs(pContainer->m_wndTabs));
  EXPECT_EQ(m_c.get(), pContainer->GetSelectedBar());
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

INSTANTIATE_TEST_SUITE_P(Positions, TabInsert,
                         ::testing::Values(std::make_tuple(-1, "a b c"), std::make_tuple(0, "c a b"),
                                           std::make_tuple(1, "a c b"), std::make_tuple(7, "a b c")));

TEST_F(TabDock, AContainerDockedAsATabBringsAllItsBarsAndGoes) {
  auto pD = DockBar(m_frame.get(), 204, kBottom, "d");
  ASSERT_TRUE(m_a->DockAsTab(m_b.get()));
  ASSERT_TRUE(m_c->DockAsTab(pD.get()));
  const HWND hOther = m_c->GetTabContainerBar()->m_hWnd;
  ASSERT_TRUE(m_a->DockAsTab(m_c->GetTabContainerBar()));
  Relayout(m_frame.get());
  EXPECT_FALSE(::IsWindow(hOther));
  EXPECT_EQ("a b c d", Tabs(m_a->GetTabContainerBar()->m_wndTabs));
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
  pD.reset();
  EXPECT_EQ("a b c", Tabs(m_a->GetTabContainerBar()->m_wndTabs)) << "a destroyed bar takes its tab along";
}

TEST_F(TabDock, ABarBesideAnotherBecomesATabContainerInItsPlace) {
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kBottom));
  CExtDynControlBar* pSplit = DYNAMIC_DOWNCAST(CExtDynControlBar, Left()->GetDockedControlBar(1));
  ASSERT_NE(nullptr, pSplit);
  const CRect rcPlace = ScreenRect(m_a.get());
  ASSERT_TRUE(m_a->DockAsTab(m_c.get()));
  Relayout(m_frame.get());
  CExtDynTabControlBar* pContainer = m_a->GetTabContainerBar();
  ASSERT_NE(nullptr, pContainer);
  EXPECT_EQ(pSplit->m_pWndDynDockBar, pContainer->m_pDockBar) << "the split keeps b and the container";
  EXPECT_EQ(rcPlace, ScreenRect(pContainer));
  EXPECT_EQ("a c", Tabs(pContainer->m_wndTabs));
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

// A tab container whose memory goes back to the system when it is deleted, so that any later use
// of it faults; the frame makes its containers of this kind while it lives.
class CReleasedTabContainer : public CExtDynTabControlBar {
public:
  static void* operator new(size_t n) {
    return ::VirtualAlloc(NULL, n, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  static void operator delete(void* p) { ::VirtualFree(p, 0, MEM_RELEASE); }
};

class ReleasedTabContainers {
public:
  explicit ReleasedTabContainers(CWnd* pFrame)
      : m_hFrame(pFrame->m_hWnd), m_pfnOld(reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
                                      m_hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)))) {
    s_pfnOld = m_pfnOld;
  }
  ~ReleasedTabContainers() {
    ::SetWindowLongPtrA(m_hFrame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnOld));
  }

private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == CExtControlBar::g_nMsgCreateTabbedBar) {
      reinterpret_cast<CExtDynTabControlBar::CREATE_TABBED_BAR_DATA*>(wParam)->m_pTabbedBar =
          new CReleasedTabContainer;
      return 0;
    }
    return ::CallWindowProcA(s_pfnOld, hWnd, nMsg, wParam, lParam);
  }
  static WNDPROC s_pfnOld;
  HWND m_hFrame;
  WNDPROC m_pfnOld;
};
WNDPROC ReleasedTabContainers::s_pfnOld = NULL;

// A tab of two docked beside its own container leaves the container with one bar, which dissolves
// into it while the split is made: the two end up side by side, and the gone container is not
// touched again (its memory is released, so touching it would fault).
TEST_F(TabDock, ATabDockedBesideItsOwnContainerDissolvesItIntoASplit) {
  ReleasedTabContainers released(m_frame.get());
  ASSERT_TRUE(m_a->DockAsTab(m_b.get()));
  Relayout(m_frame.get());
  CExtDynTabControlBar* pContainer = m_a->GetTabContainerBar();
  ASSERT_NE(nullptr, dynamic_cast<CReleasedTabContainer*>(pContainer));
  const HWND hContainer = pContainer->m_hWnd;
  ASSERT_TRUE(m_b->DockBesideBar(50, m_a.get(), kBottom, false));
  Relayout(m_frame.get());
  EXPECT_FALSE(::IsWindow(hContainer));
  EXPECT_EQ(nullptr, m_a->GetTabContainerBar());
  CExtDynControlBar* pSplit = DYNAMIC_DOWNCAST(CExtDynControlBar, Left()->GetDockedControlBar(1));
  ASSERT_NE(nullptr, pSplit);
  EXPECT_EQ(pSplit->m_pWndDynDockBar, m_a->m_pDockBar);
  EXPECT_EQ(pSplit->m_pWndDynDockBar, m_b->m_pDockBar);
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

TEST_F(TabDock, ABarCannotBeTabbedWithItselfOrAFixedBar) {
  auto pFixed = DockBar(m_frame.get(), 101, AFX_IDW_DOCKBAR_TOP, "f", true);
  EXPECT_FALSE(m_a->DockAsTab(m_a.get()));
  EXPECT_FALSE(m_a->DockAsTab(pFixed.get()));
  EXPECT_FALSE(pFixed->DockAsTab(m_a.get()));
  EXPECT_EQ(nullptr, m_a->GetTabContainerBar());
}

TEST_F(TabDock, AContainerFloatingAloneIsCaptionedByItsFrame) {
  ASSERT_TRUE(m_b->DockAsTab(m_c.get()));
  Relayout(m_frame.get());
  CExtDynTabControlBar* pContainer = m_b->GetTabContainerBar();
  ASSERT_NE(nullptr, pContainer);
  CFrameWnd* pMini = pContainer->GetParentFrame();
  ASSERT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  EXPECT_FALSE(pContainer->QueryCaption(NULL, NULL));
  pContainer->m_wndTabs.SelectItem(1, true, true);
  CString strText;
  pContainer->GetWindowText(strText);
  EXPECT_STREQ("c", strText);
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

// --- visibility and dissolving -------------------------------------------------------------------

TEST_F(TabDock, TheSelectionFollowsVisibilityAndTheStripShowsForTwoVisibleTabs) {
  CExtDynTabControlBar* pContainer = TabAll();
  ASSERT_NE(nullptr, pContainer);
  CExtDynTabWnd& tabs = pContainer->m_wndTabs;
  tabs.SelectItem(1, true, true);
  ASSERT_EQ(m_b.get(), pContainer->GetSelectedBar());
  Hide(m_b.get());
  EXPECT_FALSE(tabs.ItemGet(1)->VisibleGet());
  CExtControlBar* pNext = pContainer->GetSelectedBar();
  ASSERT_NE(nullptr, pNext);
  EXPECT_NE(m_b.get(), pNext);
  EXPECT_TRUE(tabs.IsWindowVisible());
  // One visible bar left: no strip, the bar takes the whole container.
  Hide(pNext);
  CExtControlBar* pLast = pNext == m_a.get() ? m_c.get() : m_a.get();
  EXPECT_EQ(pLast, pContainer->GetSelectedBar());
  EXPECT_FALSE(tabs.IsWindowVisible());
  EXPECT_EQ(ScreenClient(pContainer), ScreenRect(pContainer->m_pWndDynDockBar));
  // A bar shown again is selected and brings the strip back.
  Hide(m_b.get(), false);
  EXPECT_EQ(m_b.get(), pContainer->GetSelectedBar());
  EXPECT_TRUE(tabs.IsWindowVisible());
  // Every bar hidden: the container hides too, and no tab is selected.
  Hide(m_b.get());
  Hide(pLast);
  EXPECT_TRUE(PumpUntil([&] {
    Relayout(m_frame.get());
    return !pContainer->IsWindowVisible();
  }));
  EXPECT_EQ(-1, tabs.SelectionGet());
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

TEST_F(TabDock, AContainerLeftWithOneBarGivesItsPlaceBack) {
  ASSERT_TRUE(m_a->DockAsTab(m_b.get()));
  Relayout(m_frame.get());
  CExtDynTabControlBar* pContainer = m_a->GetTabContainerBar();
  const HWND hContainer = pContainer->m_hWnd;
  const CRect rcPlace = ScreenRect(pContainer);
  m_b->FloatControlBar(500, 300);
  Relayout(m_frame.get());
  EXPECT_FALSE(::IsWindow(hContainer));
  EXPECT_EQ(m_a.get(), Left()->GetDockedControlBar(1));
  EXPECT_EQ(Left(), m_a->m_pDockBar);
  EXPECT_EQ(rcPlace, ScreenRect(m_a.get()));
  EXPECT_EQ(nullptr, m_a->GetTabContainerBar());
  EXPECT_TRUE(m_b->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

// --- placeholders ---------------------------------------------------------------------------------

TEST_F(TabDock, PlaceholdersAreShownAsTheSelectedTabAndRemoved) {
  ASSERT_TRUE(m_a->DockAsTab(m_b.get()));
  Relayout(m_frame.get());
  CExtDynTabControlBar* pContainer = m_a->GetTabContainerBar();
  CExtDynTabWnd& tabs = pContainer->m_wndTabs;
  pContainer->ShowDragPlaceholder(m_c.get(), 1, true);
  EXPECT_EQ("a (c) b", Tabs(tabs));
  EXPECT_EQ(nullptr, tabs.GetBarAt(1, true));
  std::vector<CControlBar*> arrBars;
  pContainer->m_pWndDynDockBar->GetDockedBars(arrBars);
  EXPECT_EQ((std::vector<CControlBar*>{m_a.get(), m_b.get()}), arrBars) << "placeholders hold no bar";
  // Double-clicking the placeholder floats nothing.
  const CPoint ptPlace = tabs.ItemRectInClient(tabs.ItemGet(1)).CenterPoint();
  tabs.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(ptPlace.x, ptPlace.y));
  EXPECT_EQ(pContainer, m_a->GetTabContainerBar());
  EXPECT_EQ(3, tabs.ItemGetCount());
  // The placeholder is painted as the selected tab, the selected tab a as a plain one.
  tabs.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  const CRect rcStrip = ScreenClient(&tabs);
  pixel_support::Pixels withPlace =
      pixel_support::ReadWindow(tabs.m_hWnd, CRect(CPoint(0, 0), rcStrip.Size()));
  tabs.RemovePlaceholders(true);
  EXPECT_EQ("a b", Tabs(tabs));
  tabs.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  pixel_support::Pixels without = pixel_support::ReadWindow(tabs.m_hWnd, CRect(CPoint(0, 0), rcStrip.Size()));
  ASSERT_FALSE(withPlace.Empty() || without.Empty());
  const CPoint ptA = tabs.ItemRectInClient(tabs.ItemGet(0)).CenterPoint();
  EXPECT_NE(without.At(ptA.x, ptA.y - 6), withPlace.At(ptA.x, ptA.y - 6)) << "a no longer looks selected";
  // A dragged container brings a placeholder for each of its bars; docking removes them all.
  auto pD = DockBar(m_frame.get(), 204, kBottom, "d");
  ASSERT_TRUE(m_c->DockAsTab(pD.get()));
  pContainer->ShowDragPlaceholder(m_c->GetTabContainerBar(), -1, true);
  EXPECT_EQ("a b (c) (d)", Tabs(tabs));
  ASSERT_TRUE(m_a->DockAsTab(m_c->GetTabContainerBar()));
  EXPECT_EQ("a b c d", Tabs(tabs));
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
  pD.reset();
}

// --- keyboard and mouse ---------------------------------------------------------------------------

// Ctrl held with a key down in the window, walked up its parents' pre-translation as an
// application's pump does (the test pump has no thread object to do it); true when eaten.
bool PreTranslateCtrlKey(HWND hWnd, WORD vk) {
  BYTE state[256];
  ::GetKeyboardState(state);
  state[VK_CONTROL] = 0x80;
  ::SetKeyboardState(state);
  MSG msg = {hWnd, WM_KEYDOWN, vk, 0x01000001, 0, {0, 0}};
  const BOOL bEaten = CWnd::WalkPreTranslateTree(NULL, &msg);
  state[VK_CONTROL] = 0;
  ::SetKeyboardState(state);
  return bEaten != FALSE;
}

TEST_F(TabDock, CtrlPageKeysStepOverHiddenTabsAndStopAfterOneRound) {
  CExtDynTabControlBar* pContainer = TabAll();
  ASSERT_NE(nullptr, pContainer);
  CExtDynTabWnd& tabs = pContainer->m_wndTabs;
  Hide(m_b.get());
  tabs.SelectItem(0, true, true);
  // Forward from a skips the hidden b; forward from c wraps to a; backward from a wraps to c.
  const std::pair<WORD, int> steps[] = {{VK_NEXT, 2}, {VK_NEXT, 0}, {VK_PRIOR, 2}, {VK_PRIOR, 0}};
  for (const auto& step : steps) {
    EXPECT_TRUE(PreTranslateCtrlKey(::GetWindow(pContainer->GetSelectedBar()->m_hWnd, GW_CHILD), step.first));
    EXPECT_EQ(step.second, tabs.SelectionGet()) << "key " << step.first;
  }
  // With every other tab hidden the key is still eaten, and the search ends after one round.
  Hide(m_c.get());
  for (WORD vk : {VK_NEXT, VK_PRIOR}) {
    EXPECT_TRUE(PreTranslateCtrlKey(::GetWindow(m_a->m_hWnd, GW_CHILD), vk));
    EXPECT_EQ(0, tabs.SelectionGet());
  }
}

TEST_F(TabDock, DoubleClickingATabFloatsItsBar) {
  ASSERT_TRUE(m_a->DockAsTab(m_b.get()));
  Relayout(m_frame.get());
  CExtDynTabWnd& tabs = m_a->GetTabContainerBar()->m_wndTabs;
  m_frame->SetForegroundWindow();
  CPoint pt = tabs.ItemRectInClient(tabs.ItemGet(1)).CenterPoint();
  tabs.ClientToScreen(&pt);
  ClickAt(pt);
  ClickAt(pt);
  EXPECT_TRUE(
      PumpUntil([&] { return m_b->GetParentFrame()->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) != FALSE; }));
  EXPECT_EQ(nullptr, m_a->GetTabContainerBar());
  EXPECT_EQ(m_a.get(), Left()->GetDockedControlBar(1));
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

// A bar that records the drags started on it, and whether its tab stood as a placeholder then.
class CDragProbeBar : public CExtControlBar {
public:
  int m_nDrags = 0;
  bool m_bPlaceholderDuringDrag = false;
  void TrackDragging(CPoint, CPoint, int, int) override {
    ++m_nDrags;
    CExtDynTabWnd& tabs = GetTabContainerBar()->m_wndTabs;
    m_bPlaceholderDuringDrag = !tabs.IsLiveItem(tabs.FindBarItem(this, true));
  }
};

void SendMouse(DWORD dwFlags, POINT pt) {
  INPUT in = {INPUT_MOUSE};
  in.mi.dx = pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  std::thread([&in] { ::SendInput(1, &in, sizeof(in)); }).join();
  PumpUntil([] { return ::GetQueueStatus(QS_MOUSE) == 0; });
}

class TabDragStart : public TabDock, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(TabDragStart, APressMovedFarEnoughOnATabDragsItsBar) {
  CDragProbeBar probe;
  ASSERT_TRUE(probe.Create("p", m_frame.get(), 209, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_GRIPPER));
  probe.EnableDocking(CBRS_ALIGN_ANY);
  m_frame->DockControlBar(&probe, kBottom);
  ASSERT_TRUE(m_a->DockAsTab(&probe));
  Relayout(m_frame.get());
  CExtDynTabWnd& tabs = m_a->GetTabContainerBar()->m_wndTabs;
  CPoint pt = tabs.ItemRectInClient(tabs.ItemGet(1)).CenterPoint();
  tabs.ClientToScreen(&pt);
  SendMouse(0, pt);
  SendMouse(MOUSEEVENTF_LEFTDOWN, pt);
  SendMouse(0, CPoint(pt.x + std::get<0>(GetParam()), pt.y));
  SendMouse(MOUSEEVENTF_LEFTUP, CPoint(pt.x + std::get<0>(GetParam()), pt.y));
  EXPECT_EQ(std::get<1>(GetParam()), probe.m_nDrags);
  EXPECT_EQ(probe.m_nDrags > 0, probe.m_bPlaceholderDuringDrag);
  EXPECT_FALSE(tabs.HasPlaceholders()) << "the tab is live again after the drag";
  EXPECT_EQ(&probe, m_a->GetTabContainerBar()->GetSelectedBar()) << "the press selected the tab";
}

INSTANTIATE_TEST_SUITE_P(Distances, TabDragStart,
                         ::testing::Values(std::make_tuple(3, 0), std::make_tuple(5, 0),
                                           std::make_tuple(9, 1)));

// --- cycles and pictures --------------------------------------------------------------------------------

TEST_F(TabDock, DockAsTabAndFloatCyclesKeepHandleCountsFlat) {
  auto cycle = [&](int i) {
    ASSERT_TRUE(m_a->DockAsTab(m_b.get(), i % 2 == 0 ? -1 : 0));
    ASSERT_TRUE(m_a->DockAsTab(m_c.get()));
    m_c->FloatControlBar(520, 320);
    m_b->FloatControlBar(500, 300);
    Relayout(m_frame.get());
  };
  cycle(0);
  const HandleCounts counts;
  for (int i = 0; i < 30; i++)
    cycle(i);
  EXPECT_TRUE(counts.Unchanged());
  EXPECT_EQ(m_a.get(), Left()->GetDockedControlBar(1));
  EXPECT_TRUE(TabContainersAreSound(m_frame.get()));
}

class TabRandom : public RandomStepTest {};

TEST_P(TabRandom, EveryStepLeavesSoundArraysAndContainers) {
  for (int nStep = 0; nStep < 40; nStep++) {
    CTestBar* pBar = m_steppers[Pick(4)];
    CTestBar* pTarget = m_steppers[Pick(4)];
    const int nWhat = Pick(5);
    if (nWhat <= 1 && pTarget != pBar && pTarget->m_pDockBar != NULL)
      ASSERT_TRUE(pTarget->DockAsTab(pBar, Pick(4) - 1, NULL, false)) << nStep;
    else if (nWhat == 2 && pTarget != pBar && pTarget->m_pDockBar != NULL)
      pBar->DockBesideBar(10 + Pick(80), pTarget, AFX_IDW_DOCKBAR_TOP + Pick(4), false);
    else if (nWhat == 3)
      pBar->FloatControlBar(100 + Pick(300), 100 + Pick(200));
    else
      m_pFrame->ShowControlBar(pBar, Pick(2), FALSE);
    Layout();
    ASSERT_TRUE(TabContainersAreSound(m_pFrame)) << "step " << nStep << " (" << nWhat << ")\n" << Dump();
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, TabRandom, ::testing::Values(5u, 17u, 42u));

class TabPictures : public TabDock, public ::testing::WithParamInterface<CRuntimeClass*> {
protected:
  void TearDown() override {
    TabDock::TearDown();
    g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager));
  }
};

TEST_P(TabPictures, TheStripShowsOneTabPerBar) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam()));
  CExtDynTabControlBar* pContainer = TabAll();
  ASSERT_NE(nullptr, pContainer);
  m_frame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  CRect rcClient;
  m_frame->GetClientRect(&rcClient);
  pixel_support::Pixels px = pixel_support::ReadWindow(m_frame->m_hWnd, rcClient);
  ASSERT_FALSE(px.Empty());
  EXPECT_FALSE(pixel_support::SaveBmp(
                   px, (std::string("docking_tabs_") + GetParam()->m_lpszClassName + ".bmp").c_str())
                   .empty());
  // Each tab is painted: its middle differs from the strip's background beyond the last tab.
  CExtDynTabWnd& tabs = pContainer->m_wndTabs;
  CRect rcStrip = ScreenRect(&tabs);
  m_frame->ScreenToClient(&rcStrip);
  const CRect rcLast = tabs.ItemRectInClient(tabs.ItemGet(2));
  const COLORREF clrEmpty = px.At(rcStrip.left + rcLast.right + 4, rcStrip.top + rcLast.CenterPoint().y);
  int nPainted = 0;
  for (int i = 0; i < 3; i++) {
    const CRect rcItem = tabs.ItemRectInClient(tabs.ItemGet(i));
    for (int x = rcItem.left + 2; x < rcItem.right - 2; x++) {
      if (px.At(rcStrip.left + x, rcStrip.top + rcItem.CenterPoint().y) != clrEmpty) {
        ++nPainted;
        break;
      }
    }
  }
  EXPECT_EQ(3, nPainted);
}

INSTANTIATE_TEST_SUITE_P(Themes, TabPictures,
                         ::testing::Values(RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                           RUNTIME_CLASS(CExtPaintManagerOffice2003)),
                         [](const auto& info) { return std::string(info.param->m_lpszClassName); });

} // namespace
