// The chevron's menu: the buttons that did not fit in bar order, then the frame's bars, each part
// left to the frame when it builds it; an empty menu or one that cannot show leaves nothing
// tracked.
#include "tests/unit/toolkit/bars/chevron_support.h"

#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const UINT kSubmenu = CExtPopupMenuWnd::ID_SUBMENU;
const WORD kExpandMenu = CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TOOLBAR_EXPAND_MENU;
const WORD kBarsPart = CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TOOLBAR_CHEVRON;
const WORD kBarsList = CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TOOLBAR_CHEVRON_BARS_LIST;

class ChevronMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    CExtToolControlBar::g_bMenuTracking = false;
    m_pFrame = CreateChevronFrame();
    ASSERT_NE(nullptr, m_pFrame);
    m_bar = std::make_unique<CExtToolControlBar>();
    ASSERT_TRUE(m_bar->Create("Standard", m_pFrame, 301, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    m_bar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(m_bar.get(), AFX_IDW_DOCKBAR_TOP);
    m_other = std::make_unique<CExtControlBar>();
    ASSERT_TRUE(m_other->Create("Layers", m_pFrame, 302, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER));
    m_other->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(m_other.get(), AFX_IDW_DOCKBAR_LEFT);
    m_pFrame->RecalcLayout();
    PumpPending();
    m_chevron = std::make_unique<CPlacedChevron>(m_bar.get());
    m_chevron->Place(CRect(60, 0, 71, 22));
  }
  void TearDown() override {
    CExtPopupMenuWnd::CancelAllTracking();
    PumpPending();
    m_chevron.reset();
    for (CExtControlBar* pBar : {static_cast<CExtControlBar*>(m_bar.get()), m_other.get()})
      if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()))
        pBar->DestroyWindow();
    DestroyChevronFrame(m_pFrame);
    m_bar.reset();
    m_other.reset();
    m_hidden.clear();
    CExtToolControlBar::g_bMenuTracking = false;
  }
  // The buttons that did not fit, by command (0 for a separator), in bar order.
  void Hide(const std::vector<UINT>& ids) {
    for (UINT nId : ids) {
      m_hidden.push_back(std::make_unique<CListedButton>(m_bar.get(), nId));
      m_chevron->m_arrHiddenButtons.Add(m_hidden.back().get());
    }
  }
  UINT Open() { return m_chevron->OnTrackPopup(CPoint(65, 10), false, true); }
  std::vector<UINT> ShownIds() const {
    std::vector<UINT> ids;
    for (const MenuItemShot& item : m_pFrame->m_shot)
      ids.push_back(item.nCmdId);
    return ids;
  }

  CChevronTestFrame* m_pFrame = NULL;
  std::unique_ptr<CExtToolControlBar> m_bar;
  std::unique_ptr<CExtControlBar> m_other;
  std::unique_ptr<CPlacedChevron> m_chevron;
  std::vector<std::unique_ptr<CListedButton>> m_hidden;
};

struct HiddenCase {
  const char* pszName;
  std::vector<UINT> hidden;
  std::vector<UINT> shown; // before the separator and the bars sub-menu
};

class ChevronHiddenButtons : public ChevronMenuTest, public ::testing::WithParamInterface<HiddenCase> {};

TEST_P(ChevronHiddenButtons, AreListedInBarOrderBeforeTheBarsSubmenu) {
  Hide(GetParam().hidden);
  EXPECT_EQ((UINT)-1, Open()) << "the chevron never answers a command";
  ASSERT_EQ(1, m_pFrame->m_nPrepared);
  std::vector<UINT> expected = GetParam().shown;
  if (!expected.empty())
    expected.push_back(0);
  expected.push_back(kSubmenu);
  EXPECT_EQ(expected, ShownIds());
  const MenuItemShot& bars = m_pFrame->m_shot.back();
  EXPECT_EQ("&Show/hide panels", bars.sText);
  EXPECT_GE(bars.nSubItems, 2) << "both bars of the frame are listed";
  EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
  EXPECT_EQ(
      (std::vector<std::pair<int, int>>{{kExpandMenu, 0}, {kBarsPart, 0}, {kBarsList, 0}, {kBarsList, 1}}),
      m_pFrame->m_events);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ChevronHiddenButtons,
    ::testing::Values(HiddenCase{"InOrder", {101, 102, 0, 103}, {101, 102, 0, 103}},
                      HiddenCase{"LeadingSeparatorLeftOut", {0, 101, 0, 102}, {101, 0, 102}},
                      HiddenCase{"AllButtonsFit", {}, {}}),
    [](const ::testing::TestParamInfo<HiddenCase>& info) { return std::string(info.param.pszName); });

TEST_F(ChevronMenuTest, InDialogModeListsOnlyTheHiddenButtons) {
  m_bar->m_bBarFlags |= CExtControlBar::BF_DIALOG_MODE;
  Hide({101, 102});
  Open();
  EXPECT_EQ((std::vector<UINT>{101, 102}), ShownIds());
  EXPECT_EQ((std::vector<std::pair<int, int>>{{kExpandMenu, 0}}), m_pFrame->m_events);
}

TEST_F(ChevronMenuTest, AnEmptyMenuIsDroppedAndNothingStaysTracked) {
  m_bar->m_bBarFlags |= CExtControlBar::BF_DIALOG_MODE;
  CExtToolControlBar::g_bMenuTracking = true; // as when moving here from another open bar menu
  EXPECT_EQ((UINT)-1, Open());
  EXPECT_EQ(0, m_pFrame->m_nPrepared);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(1u, m_pFrame->m_events.size());
}

TEST_F(ChevronMenuTest, AMenuThatCannotShowEndsTheTracking) {
  Hide({101});
  m_pFrame->m_bVetoesMenu = true;
  CExtToolControlBar::g_bMenuTracking = true;
  Open();
  EXPECT_EQ(1, m_pFrame->m_nPrepared);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
  EXPECT_EQ(-1, m_bar->GetTrackedButton());
}

TEST_F(ChevronMenuTest, WithoutTheBarsOptionAndNothingHiddenNothingHappens) {
  m_bar->m_nToolBarFlags &= ~CExtToolControlBar::TBF_CHEVRON_MENU;
  Open();
  EXPECT_TRUE(m_pFrame->m_events.empty());
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
}

struct FrameBuildsCase {
  const char* pszName;
  WORD nEvent;
  std::vector<UINT> shown;
};

class ChevronFrameBuilds : public ChevronMenuTest, public ::testing::WithParamInterface<FrameBuildsCase> {};

TEST_P(ChevronFrameBuilds, ThePartItBuildsIsNotFilledAgain) {
  Hide({101});
  m_pFrame->m_buildsMenuFor.insert(GetParam().nEvent);
  Open();
  EXPECT_EQ(GetParam().shown, ShownIds());
  EXPECT_EQ(0, std::count_if(m_pFrame->m_events.begin(), m_pFrame->m_events.end(),
                             [](const std::pair<int, int>& e) { return e.first == kBarsList; }));
}

INSTANTIATE_TEST_SUITE_P(
    Parts, ChevronFrameBuilds,
    ::testing::Values(FrameBuildsCase{"WholeMenu", kExpandMenu, {CChevronTestFrame::kOwnItemId}},
                      FrameBuildsCase{"BarsPart", kBarsPart, {101, 0, CChevronTestFrame::kOwnItemId}}),
    [](const ::testing::TestParamInfo<FrameBuildsCase>& info) { return std::string(info.param.pszName); });

} // namespace
