// The chevron's menu: the buttons that did not fit in bar order, then the frame's bars; an empty
// menu or one that cannot show leaves nothing tracked. And its tip.
#include "tests/unit/toolkit/bars/chevron_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class CPlacedChevron : public CExtBarContentExpandButton {
public:
  explicit CPlacedChevron(CExtToolControlBar* pBar) : CExtBarContentExpandButton(pBar) {
    m_rc = CRect(60, 0, 71, 22);
  }
};

// The buttons that did not fit (0 for a separator) and the commands the menu lists of them.
struct HiddenCase {
  std::vector<UINT> hidden, listed;
};

class ChevronMenu : public ::testing::TestWithParam<HiddenCase> {
protected:
  void SetUp() override {
    m_pFrame = CreateChevronFrame();
    ASSERT_NE(nullptr, m_pFrame);
    ASSERT_TRUE(m_bar.Create("Standard", m_pFrame, 301, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    ASSERT_TRUE(m_other.Create("Layers", m_pFrame, 302, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    for (CExtControlBar* pBar : {static_cast<CExtControlBar*>(&m_bar), &m_other}) {
      pBar->EnableDocking(CBRS_ALIGN_ANY);
      m_pFrame->DockControlBar(pBar, pBar == &m_bar ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT);
    }
    m_pFrame->RecalcLayout();
    CExtToolControlBar::g_bMenuTracking = false;
  }
  void TearDown() override {
    CExtPopupMenuWnd::CancelAllTracking();
    m_bar.DestroyWindow();
    m_other.DestroyWindow();
    DestroyChevronFrame(m_pFrame);
    CExtToolControlBar::g_bMenuTracking = false;
  }
  // The buttons that did not fit, by command (0 for a separator), in bar order.
  void Hide(const std::vector<UINT>& ids) {
    for (UINT nId : ids) {
      m_hidden.push_back(std::make_unique<CListedButton>(&m_bar, nId));
      m_chevron.m_arrHiddenButtons.Add(m_hidden.back().get());
    }
  }
  UINT Open() { return m_chevron.OnTrackPopup(CPoint(65, 10), false, true); }

  CChevronTestFrame* m_pFrame = NULL;
  CExtToolControlBar m_bar;
  CExtControlBar m_other;
  CPlacedChevron m_chevron{&m_bar};
  std::vector<std::unique_ptr<CListedButton>> m_hidden;
};

TEST_P(ChevronMenu, ListsHiddenButtonsInBarOrderThenTheBarsWhenDocked) {
  Hide(GetParam().hidden);
  EXPECT_EQ((UINT)-1, Open()) << "the chevron never answers a command";
  std::vector<UINT> expected = GetParam().listed;
  if (!expected.empty())
    expected.push_back(0);
  expected.push_back(CExtPopupMenuWnd::ID_SUBMENU);
  EXPECT_EQ(expected, m_pFrame->m_ids);
  EXPECT_EQ("&Show/hide panels", m_pFrame->m_texts.back());
  EXPECT_GE(m_pFrame->m_subItems.back(), 2) << "both bars of the frame";
  EXPECT_TRUE(CExtPopupMenuWnd::AnyMenuTracked() && CExtToolControlBar::g_bMenuTracking);
  EXPECT_EQ((std::vector<int>{12, 13, 14}), m_pFrame->m_events);
}

TEST_P(ChevronMenu, InDialogModeListsOnlyTheHiddenButtons) {
  m_bar.m_bBarFlags |= CExtControlBar::BF_DIALOG_MODE;
  Hide(GetParam().hidden);
  CExtToolControlBar::g_bMenuTracking = true; // as when moving here from another open bar menu
  Open();
  if (GetParam().listed.empty()) {
    EXPECT_EQ(0, m_pFrame->m_nPrepared) << "an empty menu is dropped";
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  } else
    EXPECT_EQ(GetParam().listed, m_pFrame->m_ids);
  EXPECT_EQ((std::vector<int>{12}), m_pFrame->m_events);
}

INSTANTIATE_TEST_SUITE_P(Hidden, ChevronMenu,
                         ::testing::Values(HiddenCase{{101, 102, 0, 103}, {101, 102, 0, 103}},
                                           HiddenCase{{0, 101, 0, 102}, {101, 0, 102}},
                                           HiddenCase{{101, 0}, {101}}, HiddenCase{{}, {}},
                                           HiddenCase{{0}, {}}));

TEST_F(ChevronMenu, AMenuThatCannotShowEndsTheTracking) {
  Hide({101});
  m_pFrame->m_bVetoesMenu = true;
  CExtToolControlBar::g_bMenuTracking = true;
  Open();
  EXPECT_EQ(1, m_pFrame->m_nPrepared);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked() || CExtToolControlBar::g_bMenuTracking);
  EXPECT_EQ(-1, m_bar.GetTrackedButton());
}

TEST_F(ChevronMenu, ABarsListWithNothingToListIsLeftOut) {
  m_bar.SetWindowText(""); // unnamed bars are not listed
  m_other.SetWindowText("");
  Hide({101});
  Open();
  EXPECT_EQ((std::vector<UINT>{101}), m_pFrame->m_ids);
}

TEST_F(ChevronMenu, TipAsksWhereTheButtonsAre) {
  TOOLINFO ti = {};
  EXPECT_EQ(-1, m_chevron.OnToolHitTest(CPoint(65, 10), NULL));
  ASSERT_EQ(0xE001, m_chevron.OnToolHitTest(CPoint(65, 10), &ti));
  EXPECT_EQ(0xE001u, ti.uId);
  EXPECT_EQ(m_bar.GetSafeHwnd(), ti.hwnd);
  EXPECT_EQ(CRect(60, 0, 71, 22), CRect(ti.rect));
  ASSERT_NE(LPSTR_TEXTCALLBACKA, ti.lpszText);
  EXPECT_STREQ("Where are buttons?", ti.lpszText);
  std::free(ti.lpszText);
}

} // namespace
