// The caption buttons per place of the bar, their geometry, right-to-left mirroring, hit test,
// tips, and a real click on the close button.
#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Which of close, auto-hide and menu are visible.
std::vector<bool> VisibleButtons(CExtControlBar& bar) {
  std::vector<bool> visible;
  for (CExtBarNcAreaButton* pButton : bar.m_arrNcButtons)
    visible.push_back(pButton->IsVisible());
  return visible;
}

bool FloatingCaption(CFrameWnd* pMiniFrame, CRect& rc) {
  CRect rcWnd;
  pMiniFrame->GetWindowRect(&rcWnd);
  rc.SetRect(2, 2, rcWnd.Width() - 2, 2 + ::GetSystemMetrics(SM_CYSMCAPTION));
  return true;
}

class CaptionButtons : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = CreateDockFrame();
    ASSERT_TRUE(m_pFrame);
  }
  void TearDown() override {
    CExtControlBar::g_pfnQueryFloatingCaption = NULL;
    g_ResourceManagerHolder->SetRightToLeftOverride(-1);
    CExtControlBar::g_bLockAllBars = false;
    m_pBar.reset();
    m_pFrame.reset();
  }
  FramePtr m_pFrame;
  std::unique_ptr<CExtControlBar> m_pBar;
};

TEST_F(CaptionButtons, ButtonsPerPlace) {
  m_pBar = DockBar(m_pFrame.get(), 501, AFX_IDW_DOCKBAR_LEFT, "Panel");
  ASSERT_EQ(3u, m_pBar->m_arrNcButtons.size());
  // A docked resizable bar: close only (no auto-hide area exists to offer auto-hide).
  EXPECT_EQ(std::vector<bool>({true, false, false}), VisibleButtons(*m_pBar));
  CExtControlBar::g_bLockAllBars = true;
  EXPECT_EQ(std::vector<bool>({false, false, false}), VisibleButtons(*m_pBar));
  CExtControlBar::g_bLockAllBars = false;
  // A docked fixed bar shows none.
  m_pBar->m_bBarFlags |= CExtControlBar::BF_FIXED_MODE;
  EXPECT_EQ(std::vector<bool>({false, false, false}), VisibleButtons(*m_pBar));
  // A floating fixed bar shows close and the options menu.
  CExtControlBar::g_pfnQueryFloatingCaption = &FloatingCaption;
  m_pFrame->FloatControlBar(m_pBar.get(), CPoint(200, 200));
  Relayout(m_pFrame.get());
  ASSERT_TRUE(m_pBar->IsFloating());
  m_pBar->RepositionNcAreaButtons();
  EXPECT_EQ(std::vector<bool>({true, false, true}), VisibleButtons(*m_pBar));
  CRect rcClose = m_pBar->m_arrNcButtons[0]->m_rc, rcMenu = m_pBar->m_arrNcButtons[2]->m_rc;
  EXPECT_EQ(rcClose.Width(), rcClose.Height());
  EXPECT_EQ(rcMenu.Width(), rcMenu.Height());
  EXPECT_EQ(rcClose.left - CExtBarNcAreaButton::kGap, rcMenu.right);
  EXPECT_EQ(rcClose.top, rcMenu.top);
}

TEST_F(CaptionButtons, GeometryRightToLeftAndHitTest) {
  m_pBar = DockBar(m_pFrame.get(), 511, AFX_IDW_DOCKBAR_TOP, "Panel");
  CExtBarNcAreaButton* pClose = m_pBar->m_arrNcButtons[0];
  CRect rcCaption = m_pBar->GetNcCaptionRect();
  CRect rcClose = pClose->m_rc;
  // Square at the right end, inside the caption.
  EXPECT_EQ(rcClose.Width(), rcClose.Height());
  EXPECT_EQ(rcCaption.right - 3, rcClose.right);
  EXPECT_EQ(rcCaption.top + 3, rcClose.top);
  CRect rcWnd;
  m_pBar->GetWindowRect(&rcWnd);
  CExtBarNcAreaButton* pHit = NULL;
  EXPECT_EQ(UINT(HTMINBUTTON), m_pBar->NcButtonHitTest(rcWnd.TopLeft() + rcClose.CenterPoint(), &pHit));
  EXPECT_EQ(pClose, pHit);
  EXPECT_EQ(UINT(HTCLIENT),
            m_pBar->NcButtonHitTest(rcWnd.TopLeft() + CPoint(rcCaption.left + 2, rcClose.top), &pHit));
  EXPECT_EQ(NULL, pHit);
  // The caption text keeps clear of the button.
  CRect rcText = rcCaption;
  m_pBar->CalcCaptionTextRect(rcText);
  EXPECT_EQ(rcClose.left - 1, rcText.right);
  // Right to left: the button moves to the left end.
  g_ResourceManagerHolder->SetRightToLeftOverride(1);
  m_pBar->RepositionNcAreaButtons();
  EXPECT_EQ(rcCaption.left + 3, pClose->m_rc.left);
  EXPECT_EQ(rcClose.Size(), pClose->m_rc.Size());
}

TEST_F(CaptionButtons, TipsUseTheBuiltInTextsWhenTheStringsAreAbsent) {
  m_pBar = DockBar(m_pFrame.get(), 521, AFX_IDW_DOCKBAR_TOP, "Panel");
  const struct {
    CExtBarNcAreaButton* button;
    const char* text;
  } kRows[] = {{m_pBar->m_arrNcButtons[0], "Hide"},
               {m_pBar->m_arrNcButtons[1], "Auto Hide"},
               {m_pBar->m_arrNcButtons[2], "Options"}};
  for (const auto& row : kRows) {
    row.button->m_rc = CRect(10, 2, 24, 16);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(521, row.button->FillToolInfo(CPoint(12, 5), &ti));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ(row.text, ti.lpszText);
    EXPECT_EQ(m_pBar->m_hWnd, ti.hwnd);
    std::free(ti.lpszText);
    EXPECT_EQ(-1, row.button->FillToolInfo(CPoint(40, 5), &ti));
  }
}

TEST_F(CaptionButtons, AClickOnCloseHidesTheBar) {
  m_pBar = DockBar(m_pFrame.get(), 531, AFX_IDW_DOCKBAR_TOP, "Panel");
  CRect rcWnd;
  m_pBar->GetWindowRect(&rcWnd);
  CPoint ptClose = rcWnd.TopLeft() + m_pBar->m_arrNcButtons[0]->m_rc.CenterPoint();
  ClickAt(ptClose);
  EXPECT_TRUE(PumpUntil([&] { return !m_pBar->IsVisible(); }));
}

} // namespace

namespace {

TEST_F(CaptionButtons, AnOptionsMenuWithNothingToListIsNotShown) {
  m_pBar = DockBar(m_pFrame.get(), 541, AFX_IDW_DOCKBAR_TOP, "", true);
  CExtControlBar::g_pfnQueryFloatingCaption = &FloatingCaption;
  m_pFrame->FloatControlBar(m_pBar.get(), CPoint(200, 200));
  Relayout(m_pFrame.get());
  m_pBar->RepositionNcAreaButtons();
  CExtBarNcAreaButton* pMenu = m_pBar->m_arrNcButtons[2];
  ASSERT_TRUE(pMenu->IsVisible());
  // A bar without a caption cannot be listed: the bars submenu goes again and the empty menu is
  // dropped; the frame hears the pre- and the post-notification of the menu and of its submenu.
  EXPECT_TRUE(pMenu->Click(pMenu->m_rc.CenterPoint()));
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(4, m_pFrame->m_nMenuNotifications);
  EXPECT_FALSE(pMenu->Click(CPoint(-5, -5)));
}

TEST(CaptionButtonSites, TheThemeReadsTheBarThroughItsSite) {
  CExtControlBar bar;
  bar.m_bOptionBits = CExtControlBarSite::OPT_INHERIT_BACKGROUND;
  CExtControlBarSite* pSite = dynamic_cast<CExtControlBarSite*>(static_cast<CObject*>(&bar));
  ASSERT_NE(nullptr, pSite);
  EXPECT_EQ(CExtControlBarSite::OPT_INHERIT_BACKGROUND, pSite->GetOptionBits());
  EXPECT_EQ(CExtControlBarSite::BAR_CONTROL, pSite->GetBarKind());
  EXPECT_FALSE(pSite->HasDockSite());
  EXPECT_STREQ("CExtControlBar", bar.GetRuntimeClass()->m_lpszClassName);
}

} // namespace
