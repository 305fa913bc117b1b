// Bar buttons: tips, clicks on split buttons, command update and the menu that changes the
// button's command.
#include "tests/common/driver_script.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/button_support.h"
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

using namespace button_support;

namespace {

struct TipCase {
  const char* name;
  const char* tip;
  const char* accel;
  bool bTips, bShortcuts;
  const char* expected; // NULL: no tip
};

class ButtonTip : public ::testing::TestWithParam<TipCase> {};

TEST_P(ButtonTip, CarriesTheAcceleratorOnlyWhenAskedAndPresent) {
  const TipCase& c = GetParam();
  ButtonFixture fx;
  fx.m_bar.m_bTips = c.bTips;
  fx.m_bar.m_bShortcuts = c.bShortcuts;
  fx.AddCommand(300, "Save", c.tip, c.accel);
  CExtBarButton btn(&fx.m_bar, 300);
  btn.SetRect(CRect(4, 2, 27, 24));
  TOOLINFO ti = {};
  ti.cbSize = sizeof(ti);
  const INT_PTR nHit = btn.OnToolHitTest(CPoint(10, 10), &ti);
  if (c.expected == NULL) {
    EXPECT_EQ(-1, nHit);
    EXPECT_EQ(NULL, ti.lpszText);
    return;
  }
  EXPECT_EQ(300, nHit);
  ASSERT_NE(nullptr, ti.lpszText);
  EXPECT_STREQ(c.expected, ti.lpszText);
  EXPECT_EQ(fx.m_bar.GetSafeHwnd(), ti.hwnd);
  EXPECT_EQ(CRect(4, 2, 27, 24), CRect(ti.rect));
  std::free(ti.lpszText);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonTip,
    ::testing::Values(TipCase{"WithShortcut", "Save the file", "Ctrl+S", true, true,
                              "Save the file (Ctrl+S)"},
                      TipCase{"ShortcutsOff", "Save the file", "Ctrl+S", true, false, "Save the file"},
                      TipCase{"NoAccelerator", "Save the file", "", true, true, "Save the file"},
                      TipCase{"EmptyTip", "", "Ctrl+S", true, true, NULL},
                      TipCase{"TipsOff", "Save the file", "Ctrl+S", false, true, NULL}),
    [](const ::testing::TestParamInfo<TipCase>& info) { return std::string(info.param.name); });

TEST(ButtonSplitClick, FiresOnTheBodyAndOpensTheMenuOnlyFromTheArrow) {
  ButtonFixture fx;
  fx.AddCommand(310, "Split");
  CExtBarButton btn(&fx.m_bar, 310);
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_STRING, 311, "Other");
  btn.SetMenu(hMenu, false, true); // the items themselves, not a menu holding them
  btn.SetSeparatedDropDown();
  btn.SetRect(CRect(10, 2, 50, 24));
  btn.OnClick(CPoint(20, 10), true);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  btn.OnClick(CPoint(20, 10), false);
  PumpPending();
  EXPECT_EQ(std::vector<UINT>{310}, fx.m_host.m_commands);

  const CPoint ptArrow = btn.GetDropDownRect().CenterPoint();
  btn.OnClick(ptArrow, true);
  EXPECT_TRUE(PumpUntil([] { return CExtPopupMenuWnd::AnyMenuTracked(); }));
  btn.OnClick(ptArrow, false);
  CExtPopupMenuWnd::CancelAllTracking();
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
  PumpPending();
  EXPECT_EQ(std::vector<UINT>{310}, fx.m_host.m_commands);
  CExtToolControlBar::EndMenuTrackingInAllBars();
}

POINT CursorPos() {
  POINT pt = {-1, -1};
  ::GetCursorPos(&pt);
  return pt;
}

// The menu runs for a result; a click on its first item makes that the button's command and fires it.
TEST(ButtonAutoChange, TheChosenCommandBecomesTheButtonsCommand) {
  ButtonFixture fx;
  fx.AddCommand(330, "Pen");
  CExtBarButton btn(&fx.m_bar, 330);
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_STRING, 331, "Thin");
  ::AppendMenuA(hMenu, MF_STRING, 332, "Thick");
  btn.SetMenu(hMenu, false, true); // the items themselves, not a menu holding them
  btn.SetAutoChangeCmdID();
  btn.SetRect(CRect(10, 2, 50, 24));
  // As the program runs its menus: fully expanded.
  const bool bHideRarelyUsed = CExtPopupMenuWnd::g_bMenuHideRarelyUsed;
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
  fx.m_host.SetForegroundWindow();
  ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == fx.m_host.GetSafeHwnd(); }));

  std::vector<bool> results;
  const DWORD dwThread = ::GetCurrentThreadId();
  std::thread driver([&] {
    // The first item's centre on the screen, read once the menu is up.
    CPoint ptItem;
    auto menuUp = [&] {
      CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
      if (pMenu == NULL || !::IsWindowVisible(pMenu->GetSafeHwnd()))
        return false;
      CRect rcItem;
      pMenu->GetItemRect(0, rcItem);
      ptItem = rcItem.CenterPoint();
      ::ClientToScreen(pMenu->GetSafeHwnd(), &ptItem);
      return !rcItem.IsRectEmpty();
    };
    RunScriptSteps({{[] {}, menuUp},
                    {[&] { real_input::MouseAt(ptItem, MOUSEEVENTF_MOVE); },
                     [&] { return CPoint(CursorPos()) == ptItem; }},
                    {[] {
                       real_input::Button(MOUSEEVENTF_LEFTDOWN);
                       real_input::Button(MOUSEEVENTF_LEFTUP);
                     },
                     [] { return !CExtPopupMenuWnd::AnyMenuTracked(); }}},
                   results);
    // A menu that missed its key would hold the test in its loop: a quit ends that loop.
    if (!results.back())
      ::PostThreadMessageA(dwThread, WM_QUIT, 0, 0);
  });
  const UINT nChosen = btn.OnTrackPopup(CPoint(45, 12), true, true);
  driver.join();
  MSG msg;
  ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
  CExtPopupMenuWnd::CancelAllTracking();
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = bHideRarelyUsed;
  EXPECT_EQ(std::vector<bool>({true, true, true}), results);
  EXPECT_EQ(331u, nChosen);
  EXPECT_EQ(331u, btn.GetCmdID(true));
  EXPECT_EQ(330u, btn.GetCmdID(false));
  PumpPending();
  EXPECT_EQ(std::vector<UINT>{331}, fx.m_host.m_commands);
  CExtToolControlBar::EndMenuTrackingInAllBars();
}

// While a bar menu is open, hovering over another menu button opens its menu instead.
TEST(ButtonHover, MovesAnOpenBarMenuToTheHoveredButton) {
  ButtonFixture fx;
  fx.AddCommand(340, "Shapes");
  CExtBarButton btn(&fx.m_bar, 340);
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_STRING, 341, "Circle");
  btn.SetMenu(hMenu, false, true); // the items themselves, not a menu holding them
  btn.SetRect(CRect(10, 2, 50, 24));
  bool bSuppressTip = true;
  btn.OnHover(CPoint(20, 10), true, bSuppressTip);
  EXPECT_FALSE(bSuppressTip);
  EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuTracked());
  EXPECT_EQ(fx.m_bar.GetSafeHwnd(), ::GetCapture());
  btn.OnHover(CPoint(20, 10), false, bSuppressTip);
  EXPECT_EQ(NULL, ::GetCapture());

  CExtToolControlBar::g_bMenuTracking = true;
  btn.OnHover(CPoint(20, 10), true, bSuppressTip);
  EXPECT_TRUE(PumpUntil([] { return CExtPopupMenuWnd::AnyMenuTracked(); }));
  CExtPopupMenuWnd::CancelAllTracking();
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
  CExtToolControlBar::EndMenuTrackingInAllBars();
}

// Hidden buttons listed in the chevron's menu: commands, separators, menus and colours.
TEST(ButtonChevronList, EachButtonPutsItsKindOfItem) {
  ButtonFixture fx;
  fx.AddCommand(350, "Cut");
  fx.AddCommand(351, "Shapes");
  fx.AddCommand(352, "Fill");
  CExtBarButton command(&fx.m_bar, 350), separator(&fx.m_bar, 0), menu(&fx.m_bar, 351);
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuA(hMenu, MF_STRING, 353, "Circle");
  menu.SetMenu(hMenu, false, true); // the items themselves, not a menu holding them
  CExtBarColorButton color(&fx.m_bar, 352);
  color.ModifyStyle(TBBS_DISABLED);
  CExtPopupMenuWnd popup;
  ASSERT_TRUE(popup.InitTopLevel(fx.m_host.GetSafeHwnd()));
  for (CExtBarButton* pButton : {(CExtBarButton*)&command, &separator, &menu, (CExtBarButton*)&color})
    EXPECT_TRUE(pButton->InsertToPopupMenu(&popup));
  ASSERT_EQ(4, popup.GetItemCount());
  EXPECT_EQ(350u, popup.ItemGetCmdID(0));
  EXPECT_EQ(0u, popup.ItemGetCmdID(1));
  ASSERT_NE(nullptr, popup.ItemGetPopup(2));
  EXPECT_STREQ("Shapes", popup.ItemGetText(2));
  EXPECT_EQ(353u, popup.ItemGetPopup(2)->ItemGetCmdID(0));
  EXPECT_NE(nullptr, dynamic_cast<CExtPopupColorMenuWnd*>(popup.ItemGetPopup(3)));
  EXPECT_FALSE(popup.ItemIsEnabled(3));
}

// Records what the command-update route handed it.
class CUpdateTarget : public CWnd {
public:
  UINT m_nID = 0, m_nIndex = 0, m_nIndexMax = 0;
  CWnd* m_pOther = NULL;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override {
    if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra != NULL) {
      CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
      m_nID = pCmdUI->m_nID;
      m_nIndex = pCmdUI->m_nIndex;
      m_nIndexMax = pCmdUI->m_nIndexMax;
      m_pOther = pCmdUI->m_pOther;
      return TRUE;
    }
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  }
};

TEST(ButtonCmdUI, UpdatesTheCreatedCommandWithTheBarAsTheOtherObject) {
  ButtonFixture fx;
  CExtBarButton btn(&fx.m_bar, 320), separator(&fx.m_bar, 0);
  btn.SetCmdID(321, true);
  CUpdateTarget target;
  btn.OnUpdateCmdUI(&target, false, 3);
  EXPECT_EQ(320u, target.m_nID);
  EXPECT_EQ(3u, target.m_nIndex);
  EXPECT_EQ((UINT)fx.m_bar.GetButtonCount(), target.m_nIndexMax);
  EXPECT_EQ(&fx.m_bar, target.m_pOther);
  target.m_nID = 0;
  separator.OnUpdateCmdUI(&target, false, 4);
  EXPECT_EQ(0u, target.m_nID);
}

} // namespace
