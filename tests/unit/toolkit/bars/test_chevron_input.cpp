// A docked tool bar too narrow for its buttons: a real press on its chevron opens the menu of the
// buttons the layout left out, in bar order, followed by the frame's bars; Escape closes it.
#include "tests/unit/toolkit/bars/chevron_support.h"

#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <gtest/gtest.h>

#include <ctime>

TEST(ChevronInput, APressOnTheChevronListsTheButtonsThatDidNotFit) {
  CChevronTestFrame* pFrame = CreateChevronFrame();
  ASSERT_NE(nullptr, pFrame);
  pFrame->SetWindowPos(NULL, 0, 0, 200, 300, SWP_NOMOVE | SWP_NOZORDER);
  ::SetForegroundWindow(pFrame->m_hWnd);
  ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == pFrame->m_hWnd; }));
  std::vector<UINT> ids;
  for (UINT nId = 1001; nId <= 1010; nId++) {
    CExtCmdItem item(nId);
    item.m_sMenuText.Format("Command %u", nId);
    ASSERT_TRUE(g_CmdManagerHolder->SetupCommand("chevron-lab", item));
    ids.push_back(nId);
  }
  ids.insert(ids.begin() + 5, 0); // a separator among them
  CExtToolControlBar bar;
  ASSERT_TRUE(bar.Create("Standard", pFrame, 301, WS_CHILD | WS_VISIBLE | CBRS_TOP));
  ASSERT_TRUE(bar.SetButtons(ids.data(), (int)ids.size()));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  pFrame->RecalcLayout();
  CExtBarContentExpandButton* pChevron = bar.GetChevron();
  ASSERT_TRUE(pChevron != NULL && PumpUntil([&] { return pChevron->m_arrHiddenButtons.GetSize() > 0; }));
  std::vector<UINT> expected;
  for (INT_PTR i = 0; i < pChevron->m_arrHiddenButtons.GetSize(); i++)
    if (i > 0 || !pChevron->m_arrHiddenButtons[i]->IsSeparator())
      expected.push_back(pChevron->m_arrHiddenButtons[i]->GetCmdID());
  expected.insert(expected.end(), {0, CExtPopupMenuWnd::ID_SUBMENU});

  CRect rcChevron = pChevron->GetRect();
  bar.ClientToScreen(&rcChevron);
  real_input::MoveTo(rcChevron.CenterPoint());
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  ASSERT_TRUE(PumpUntil([&] {
    return pFrame->m_nPrepared == 1 && site.m_pTrackedMenu != NULL && site.m_pAnimatedMenu == NULL &&
           site.m_pTrackedMenu->IsWindowVisible();
  }));
  EXPECT_EQ(expected, pFrame->m_ids);
  EXPECT_EQ(bar.GetButtonIndex(pChevron), bar.GetTrackedButton());
  CRect rcShot;
  pFrame->GetWindowRect(&rcShot);
  rcShot.InflateRect(0, 0, 200, 100); // the menu may open beyond the frame
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rcShot), "chevron_menu_open.bmp");

  CExtPopupTrackSite::g_nLastKeyTime = (DWORD)std::clock() - 1000; // keys right after opening are dropped
  real_input::Key(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
  EXPECT_TRUE(PumpUntil([&] { return bar.GetTrackedButton() == -1; }));
  bar.DestroyWindow();
  DestroyChevronFrame(pFrame);
}
