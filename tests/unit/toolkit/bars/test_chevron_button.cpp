// The chevron's own measure, menu alignment and tip.
#include "tests/unit/toolkit/bars/chevron_support.h"

#include "tests/common/window_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

struct MeasureCase {
  CSize sizePreCalc;
  bool bHorz;
  CSize sizeExpected;
};

class ChevronMeasure : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(ChevronMeasure, TakesElevenPixelsAlongTheBarAndThePreCalculatedSizeAcross) {
  CExtBarContentExpandButton chevron;
  CClientDC dc(CWnd::GetDesktopWindow());
  EXPECT_EQ(GetParam().sizeExpected, chevron.CalculateLayout(dc, GetParam().sizePreCalc, GetParam().bHorz));
  EXPECT_EQ(GetParam().sizeExpected, chevron.GetSize());
}

INSTANTIATE_TEST_SUITE_P(Orientations, ChevronMeasure,
                         ::testing::Values(MeasureCase{CSize(23, 22), true, CSize(11, 22)},
                                           MeasureCase{CSize(23, 22), false, CSize(23, 11)},
                                           MeasureCase{CSize(46, 46), true, CSize(11, 46)}));

// A bar whose chevron-menu option the test chooses.
class COptionBar : public CExtToolControlBar {
public:
  bool m_bPalette = false;
  bool QueryChevronMenuOption() const override { return m_bPalette; }
};

class ChevronOnBar : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = CreateChevronFrame();
    ASSERT_NE(nullptr, m_pFrame);
    m_bar = std::make_unique<COptionBar>();
    ASSERT_TRUE(m_bar->Create("Standard", m_pFrame, 301, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    m_chevron = std::make_unique<CPlacedChevron>(m_bar.get());
    m_chevron->Place(CRect(60, 2, 71, 24));
  }
  void TearDown() override {
    m_chevron.reset();
    if (m_bar && ::IsWindow(m_bar->GetSafeHwnd()))
      m_bar->DestroyWindow();
    DestroyChevronFrame(m_pFrame);
    m_bar.reset();
  }
  CChevronTestFrame* m_pFrame = NULL;
  std::unique_ptr<COptionBar> m_bar;
  std::unique_ptr<CPlacedChevron> m_chevron;
};

TEST_F(ChevronOnBar, MenuAlignmentFollowsTheBarsOptionAndTheThemesJoin) {
  const UINT nJoin =
      g_PaintManagerHolder->IsChevronMenuCombined() ? CExtPopupMenuWnd::TPMX_COMBINE_BY_THEME : 0;
  for (bool bPalette : {true, false}) {
    m_bar->m_bPalette = bPalette;
    const UINT nAlign = m_chevron->GetMenuAlignment();
    EXPECT_EQ(bPalette, (nAlign & CExtPopupMenuWnd::TPMX_PALETTE) != 0);
    EXPECT_EQ(nJoin, nAlign & CExtPopupMenuWnd::TPMX_COMBINE_MASK);
  }
}

TEST_F(ChevronOnBar, TipAsksWhereTheButtonsAre) {
  EXPECT_EQ(-1, m_chevron->OnToolHitTest(CPoint(65, 10), NULL));
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  EXPECT_EQ(0xE001, m_chevron->OnToolHitTest(CPoint(65, 10), &ti));
  EXPECT_EQ(0xE001u, ti.uId);
  EXPECT_EQ(m_bar->GetSafeHwnd(), ti.hwnd);
  EXPECT_EQ(CRect(60, 2, 71, 24), CRect(ti.rect));
  ASSERT_NE(nullptr, ti.lpszText);
  ASSERT_NE(LPSTR_TEXTCALLBACKA, ti.lpszText);
  EXPECT_STREQ("Where are buttons?", ti.lpszText);
  std::free(ti.lpszText);
}

TEST_F(ChevronOnBar, AReleaseOpensNothing) {
  m_chevron->OnClick(CPoint(65, 10), false);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_TRUE(m_pFrame->m_events.empty()) << "only a press opens the menu";
}

TEST_F(ChevronOnBar, APressOpensTheMenuUnexpanded) {
  CExtToolControlBar::g_bMenuExpanded = true;
  m_chevron->OnClick(CPoint(65, 10), true);
  EXPECT_FALSE(CExtToolControlBar::g_bMenuExpanded);
  ASSERT_FALSE(m_pFrame->m_events.empty());
  EXPECT_EQ(CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TOOLBAR_EXPAND_MENU,
            m_pFrame->m_events.front().first);
  CExtPopupMenuWnd::CancelAllTracking();
  PumpPending();
  CExtToolControlBar::g_bMenuTracking = false;
}

} // namespace
