// Hover activation by OLE drags: a real OLE drag over a tab container's strip selects the
// hovered tab as its bar's hover delay says, and over an auto-hide strip at once; neither takes
// the drop.
#include "tests/common/ole_drag_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynAutoHideArea.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/docking/ExtDynTabControlBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A bar whose hover delay the test sets.
class CHoverBar : public CExtControlBar {
public:
  int m_nHoverDelay = 0;
  DWORD GetDragHoverDelay() const override { return static_cast<DWORD>(m_nHoverDelay); }
};

std::unique_ptr<CHoverBar> HoverBar(CFrameWnd* pFrame, UINT nId, LPCSTR lpszCaption) {
  auto pBar = std::make_unique<CHoverBar>();
  if (!pBar->Create(lpszCaption, pFrame, nId,
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_LEFT | CBRS_GRIPPER))
    return nullptr;
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  pFrame->DockControlBar(pBar.get(), AFX_IDW_DOCKBAR_LEFT);
  Relayout(pFrame);
  return pBar;
}

// The screen point in the middle of the strip's item, checked by the strip's own hit test.
POINT TabPoint(const CExtTabWnd& strip, int nIndex) {
  const CPoint ptClient = strip.ItemRectInClient(strip.ItemGet(nIndex)).CenterPoint();
  EXPECT_EQ(nIndex, strip.HitTest(ptClient));
  CPoint pt = ptClient;
  strip.ClientToScreen(&pt);
  return pt;
}

// A neutral place to press: the frame's empty client area, right of the docked bars.
POINT PressPoint(CFrameWnd* pFrame) {
  CRect rc;
  pFrame->GetClientRect(&rc);
  CPoint pt(rc.right - 40, rc.CenterPoint().y);
  pFrame->ClientToScreen(&pt);
  return pt;
}

class OleHoverTabs : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(EnsureOle()) << "strips register only when OLE is up";
    m_frame = CreateDockFrame();
    ASSERT_TRUE(m_frame);
    for (UINT i = 0; i < 3; i++) {
      const char* names[] = {"a", "b", "c"};
      m_bars.push_back(HoverBar(m_frame.get(), 301 + i, names[i]));
      ASSERT_TRUE(m_bars.back());
    }
    ASSERT_TRUE(m_bars[0]->DockAsTab(m_bars[1].get()));
    ASSERT_TRUE(m_bars[0]->DockAsTab(m_bars[2].get()));
    Relayout(m_frame.get());
    m_pContainer = m_bars[0]->GetTabContainerBar();
    ASSERT_NE(nullptr, m_pContainer);
  }
  void TearDown() override {
    m_bars.clear();
    m_frame.reset();
  }
  CExtDynTabWnd& Strip() { return m_pContainer->m_wndTabs; }

  FramePtr m_frame;
  std::vector<std::unique_ptr<CHoverBar>> m_bars;
  CExtDynTabControlBar* m_pContainer = NULL;
};

TEST_F(OleHoverTabs, TheStripSelectsTheHoveredTabAtOnceAndTakesNoDrop) {
  ASSERT_EQ(Strip().m_hWnd, Strip().GetDropTarget().GetRegisteredHwnd()) << "registered at creation";
  const int nOther = Strip().SelectionGet() == 1 ? 2 : 1;
  const POINT ptTab = TabPoint(Strip(), nOther);
  const OleDragOutcome outcome = RunOleDrag(PressPoint(m_frame.get()), {{ptTab.x - 2, ptTab.y}, ptTab});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_TRUE(outcome.bStepsSeen);
  EXPECT_EQ(nOther, Strip().SelectionGet()) << "selected while the drag rested on it";
  EXPECT_TRUE(outcome.hr == DRAGDROP_S_DROP || outcome.hr == DRAGDROP_S_CANCEL) << std::hex << outcome.hr;
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), outcome.dwEffect) << "nothing is dropped on a strip";
}

TEST_F(OleHoverTabs, APositiveDelayWaitsAndANegativeOneDoesNothing) {
  const int nSelected = Strip().SelectionGet();
  const int nOther = nSelected == 1 ? 2 : 1;
  CHoverBar* pBar = static_cast<CHoverBar*>(Strip().GetBarAt(nOther, true));
  ASSERT_NE(nullptr, pBar);
  const POINT ptTab = TabPoint(Strip(), nOther);

  pBar->m_nHoverDelay = 60000;
  OleDragOutcome outcome = RunOleDrag(PressPoint(m_frame.get()), {{ptTab.x - 2, ptTab.y}, ptTab});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_EQ(nOther, Strip().SelectionDelayGetItem()) << "the tab waits for its delay";
  EXPECT_EQ(nSelected, Strip().SelectionGet());
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), outcome.dwEffect);
  Strip().SelectionDelay(-1, 0);

  pBar->m_nHoverDelay = -1;
  outcome = RunOleDrag(PressPoint(m_frame.get()), {{ptTab.x - 2, ptTab.y}, ptTab});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_NE(nOther, Strip().SelectionDelayGetItem());
  EXPECT_EQ(nSelected, Strip().SelectionGet());
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), outcome.dwEffect);
}

TEST(OleHoverAutoHide, TheAreaSelectsTheHoveredTabAtOnceAndTakesNoDrop) {
  ASSERT_TRUE(EnsureOle());
  auto* pFrame = new CDockTestFrame;
  ASSERT_TRUE(pFrame->Create(NULL, "auto-hide", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                             CRect(40, 40, 680, 520)));
  ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
  auto* pSlider = new CExtDynAutoHideSlider;
  ASSERT_TRUE(pSlider->Create(pFrame));
  auto* pArea = new CExtDynAutoHideArea;
  ASSERT_TRUE(pArea->Create(pFrame, pSlider, AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(pArea->m_hWnd, pArea->GetDropTarget().GetRegisteredHwnd()) << "registered by Create";
  std::unique_ptr<CExtControlBar> pBar = DockBar(pFrame, 0xE801, AFX_IDW_DOCKBAR_LEFT, "Panel");
  ASSERT_TRUE(pBar);
  pFrame->ShowControlBar(pBar.get(), FALSE, FALSE);
  pArea->AppendBar(pBar.get(), true);
  Relayout(pFrame);
  ASSERT_EQ(-1, pArea->SelectionGet());

  const POINT ptTab = TabPoint(*pArea, 0);
  const OleDragOutcome outcome = RunOleDrag(PressPoint(pFrame), {{ptTab.x, ptTab.y - 2}, ptTab});
  ASSERT_TRUE(outcome.bStarted);
  EXPECT_TRUE(outcome.bStepsSeen);
  EXPECT_EQ(0, pArea->SelectionGet());
  EXPECT_TRUE(outcome.hr == DRAGDROP_S_DROP || outcome.hr == DRAGDROP_S_CANCEL) << std::hex << outcome.hr;
  EXPECT_EQ(static_cast<DWORD>(DROPEFFECT_NONE), outcome.dwEffect);

  if (pArea->GetSlider() == pSlider)
    pSlider->SlideWindow(NULL, false, false);
  pBar.reset();
  pFrame->DestroyWindow();
  PumpPending();
}

} // namespace
