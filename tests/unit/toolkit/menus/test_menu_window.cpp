// The popup menu's window: how it is created, how a menu hides and resets itself (also when its
// window's end deletes it), the hover menu of the tracking record, and how a chosen command ends the
// chain: delivery, the caller's result, the sound and the repaint of what the chain covered.
#include "framework/res/fw_res.h"
#include "tests/common/import_patch.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtSoundPlayer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

using menu_paint::CFixedLayoutMenu;
using menu_paint::CMenuReceiver;
using menu_paint::WaitUntil;
typedef CExtPopupMenuWnd::MENUITEMDATA Item;

class MenuWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    CExtToolControlBar::g_bMenuTracking = false;
    ASSERT_TRUE(m_receiver.CreateReceiver(RECT{100, 100, 560, 420}, true));
    m_menu.m_hWndCmdReceiver = m_receiver.GetSafeHwnd();
  }
  // Nothing is tracked between the tests.
  void TearDown() override {
    CExtPopupTrackSite& site = Site();
    site.m_pTrackedMenu = site.m_pHoverMenu = site.m_pAnimatedMenu = NULL;
    site.m_pResultCmdId = NULL;
    site.m_pEnteringMenu = NULL;
    site.m_nStateFlags = 0;
    CExtToolControlBar::g_bMenuTracking = false;
  }
  static CExtPopupTrackSite& Site() { return CExtPopupMenuWnd::GetTrackSite(); }
  // A child menu of the row's submenu item, placed right of the menu.
  CFixedLayoutMenu& AddSubmenu(CFixedLayoutMenu& parent) {
    m_children.emplace_back(new CFixedLayoutMenu);
    auto& child = static_cast<CFixedLayoutMenu&>(*m_children.back());
    child.AddItem(300, "Inner");
    child.AddItem(301, "Inner too").m_nDisplayFlags |= Item::DISPLAY_CURRENT;
    child.m_rcPlacement = parent.m_rcPlacement;
    child.m_rcPlacement.OffsetRect(parent.m_rcPlacement.Width(), 20);
    child.m_hWndCmdReceiver = parent.m_hWndCmdReceiver;
    parent.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, &child);
    return child;
  }
  bool Visible(const CWnd& wnd) const {
    return wnd.GetSafeHwnd() != NULL && ::IsWindowVisible(wnd.GetSafeHwnd());
  }

  CMenuReceiver m_receiver;
  std::vector<std::unique_ptr<CExtPopupMenuWnd>> m_children; // outlive the menu
  CFixedLayoutMenu m_menu;
};

// ---------------------------------------------------------------------------------------------
// Creation.

// Track flags, and whether the placement found room.
class MenuCreationTest : public MenuWindowTest,
                         public ::testing::WithParamInterface<std::pair<DWORD, bool>> {};

TEST_P(MenuCreationTest, ThePopupIsOwnedHiddenAndTopmostUnlessDisplayOnly) {
  const auto [dwFlags, bRoom] = GetParam();
  m_menu.AddItem(100);
  m_menu.SetTrackFlags(dwFlags);
  if (!bRoom)
    m_menu.m_rcPlacement.SetRectEmpty();
  m_receiver.m_answer = [&](UINT nMsg, WPARAM wParam, LPARAM) -> LRESULT {
    if (nMsg == CExtPopupMenuWnd::g_nMsgPrepareDesktopBk)
      EXPECT_EQ(&m_menu, reinterpret_cast<CExtPopupMenuWnd*>(wParam));
    return 0;
  };
  ASSERT_EQ(bRoom, m_menu.CreateMenuWindow(&m_receiver));
  EXPECT_EQ(bRoom ? 1 : 0, m_receiver.Count(CExtPopupMenuWnd::g_nMsgPrepareDesktopBk));
  const HWND hWnd = m_menu.GetSafeHwnd();
  if (!bRoom) {
    EXPECT_EQ(NULL, hWnd);
    return;
  }
  const DWORD dwExStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
  EXPECT_EQ((DWORD)WS_POPUP, (DWORD)::GetWindowLongA(hWnd, GWL_STYLE) & (WS_POPUP | WS_CHILD | WS_VISIBLE));
  const bool bDisplayOnly = (dwFlags & CExtPopupMenuWnd::TPMX_DISPLAY_ONLY) != 0;
  EXPECT_EQ(!bDisplayOnly, (dwExStyle & WS_EX_TOPMOST) != 0);
  EXPECT_EQ(!bDisplayOnly && (g_PaintManagerHolder.m_nOsFlagsB & CExtPaintManagerHolder::OSB_NT_MAJOR5),
            (dwExStyle & WS_EX_NOINHERITLAYOUT) != 0);
  EXPECT_NE(0u, ::GetClassLongA(hWnd, GCL_STYLE) & CS_SAVEBITS);
  EXPECT_EQ((ULONG_PTR)(COLOR_BTNFACE + 1), ::GetClassLongPtrA(hWnd, GCLP_HBRBACKGROUND));
  EXPECT_EQ(m_receiver.GetSafeHwnd(), ::GetWindow(hWnd, GW_OWNER));
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  EXPECT_EQ(m_menu.m_rcPlacement, rc);
}

INSTANTIATE_TEST_SUITE_P(TrackFlags, MenuCreationTest,
                         ::testing::Values(std::make_pair(0u, true), std::make_pair(0x4000u, true),
                                           std::make_pair(0u, false)));

// ---------------------------------------------------------------------------------------------
// Hiding and resetting.

TEST_F(MenuWindowTest, ResettingClosesTheSubmenusClearsTheMarksAndShowsTheIdleMessage) {
  m_menu.AddItem(100).m_nDisplayFlags |= Item::DISPLAY_CURRENT;
  CFixedLayoutMenu& child = AddSubmenu(m_menu);
  m_menu.m_nCurIndex = 0;
  m_menu.m_nPendingSubmenuIndex = 1;
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  ASSERT_TRUE(child.CreateMenuWindow(&m_receiver));
  m_menu.ShowNoActivate();
  child.ShowNoActivate();
  child.m_nCurIndex = 1;

  m_menu.ResetAndHide(false);
  EXPECT_EQ(NULL, m_menu.GetSafeHwnd());
  EXPECT_TRUE(::IsWindow(child.GetSafeHwnd())) << "a closed submenu keeps its window";
  EXPECT_FALSE(Visible(child));
  for (CFixedLayoutMenu* pMenu : {&m_menu, &child}) {
    EXPECT_EQ(-1, pMenu->m_nCurIndex);
    EXPECT_EQ(-1, pMenu->m_nPendingSubmenuIndex);
    for (int i = 0; i < pMenu->m_items.GetSize(); ++i)
      EXPECT_EQ(0, pMenu->m_items[i].m_nDisplayFlags & Item::DISPLAY_CURRENT) << i;
  }
  const menu_paint::ReceivedMessage* pIdle = m_receiver.Find(WM_SETMESSAGESTRING);
  ASSERT_NE(nullptr, pIdle);
  EXPECT_EQ((WPARAM)AFX_IDS_IDLEMESSAGE, pIdle->wParam);
}

// Whether the window stays, is shown, and whether the bars' menu tracking ended.
struct HideCase {
  const char* name;
  bool bKeepWindow, bTopLevel;
  DWORD dwTrackFlags;
  bool bWindow, bVisible, bBarTrackingEnded;
};

class MenuHideTest : public MenuWindowTest, public ::testing::WithParamInterface<HideCase> {};

TEST_P(MenuHideTest, TheWindowGoesOnlyWhenAskedAndATopMenuEndsTheBarsTracking) {
  const HideCase& c = GetParam();
  m_menu.AddItem(100);
  if (c.bTopLevel)
    m_menu.m_dwMenuState |= CExtPopupMenuWnd::MENU_TOP_LEVEL;
  m_menu.SetTrackFlags(c.dwTrackFlags);
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  m_menu.ShowNoActivate();
  CExtToolControlBar::g_bMenuTracking = true;
  m_menu.ResetAndHide(c.bKeepWindow);
  EXPECT_EQ(c.bWindow, m_menu.GetSafeHwnd() != NULL);
  EXPECT_EQ(c.bVisible, Visible(m_menu));
  EXPECT_EQ(c.bBarTrackingEnded, !CExtToolControlBar::g_bMenuTracking);
}

INSTANTIATE_TEST_SUITE_P(Cases, MenuHideTest,
                         ::testing::Values(HideCase{"top level", false, true, 0, false, false, true},
                                           HideCase{"submenu", false, false, 0, false, false, false},
                                           HideCase{"keep the window", true, true, 0, true, true, false},
                                           HideCase{"display only", false, true, 0x4000, true, false, false}),
                         menu_paint::CaseName());

// The tracking deletes the top menu when its window goes. Freed memory is overwritten, so that a
// read of the object after its window went shows as a wrong answer or a crash.
class CSelfDeletingMenu : public CFixedLayoutMenu {
public:
  static void* operator new(size_t n) { return ::operator new(n); }
  static void operator delete(void* p, size_t n) {
    std::memset(p, 0xDD, n);
    ::operator delete(p);
  }
  static int s_nDeleted;

protected:
  void PostNcDestroy() override {
    ++s_nDeleted;
    delete this;
  }
};
int CSelfDeletingMenu::s_nDeleted = 0;

TEST_F(MenuWindowTest, AMenuDeletedWithItsWindowIsNotReadAfterwards) {
  CSelfDeletingMenu::s_nDeleted = 0;
  auto* pMenu = new CSelfDeletingMenu;
  pMenu->m_hWndCmdReceiver = m_receiver.GetSafeHwnd();
  pMenu->AddItem(100);
  pMenu->m_dwMenuState |= CExtPopupMenuWnd::MENU_TOP_LEVEL;
  ASSERT_TRUE(pMenu->CreateMenuWindow(&m_receiver));
  pMenu->ShowNoActivate();
  pMenu->SetHoverMenu();
  CExtToolControlBar::g_bMenuTracking = true;
  pMenu->ResetAndHide(false);
  EXPECT_EQ(1, CSelfDeletingMenu::s_nDeleted);
  EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking) << "the flags were read before the window went";
  EXPECT_EQ(nullptr, Site().m_pHoverMenu) << "no pointer to the deleted menu is left";
}

// ---------------------------------------------------------------------------------------------
// The hover menu of the tracking record.

TEST_F(MenuWindowTest, OnlyAMenuWithAWindowBecomesTheHoverMenu) {
  m_menu.AddItem(100);
  Site().m_pHoverMenu = &m_menu;
  m_menu.SetHoverMenu();
  EXPECT_EQ(nullptr, m_menu.GetHoverMenu());
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  m_menu.SetHoverMenu();
  EXPECT_EQ(&m_menu, m_menu.GetHoverMenu());
}

struct ClearHoverCase {
  const char* name;
  bool bTracked, bEnding, bThisIsHover, bCleared;
};

class ClearHoverTest : public MenuWindowTest, public ::testing::WithParamInterface<ClearHoverCase> {};

TEST_P(ClearHoverTest, TheHoverMenuIsClearedOnlyByItselfWhileTracking) {
  const ClearHoverCase& c = GetParam();
  CFixedLayoutMenu other;
  Site().m_pTrackedMenu = c.bTracked ? &m_menu : NULL;
  Site().m_nStateFlags = c.bEnding ? CExtPopupTrackSite::SITE_ENDING : 0;
  CExtPopupMenuWnd* pHover = c.bThisIsHover ? &m_menu : &other;
  Site().m_pHoverMenu = pHover;
  m_menu.ClearHoverMenu();
  EXPECT_EQ(c.bCleared ? nullptr : pHover, Site().m_pHoverMenu);
  Site().m_pHoverMenu = NULL;
}

INSTANTIATE_TEST_SUITE_P(Cases, ClearHoverTest,
                         ::testing::Values(ClearHoverCase{"tracking", true, false, true, true},
                                           ClearHoverCase{"nothing tracked", false, false, true, false},
                                           ClearHoverCase{"ending", true, true, true, false},
                                           ClearHoverCase{"another menu", true, false, false, false}),
                         menu_paint::CaseName());

// ---------------------------------------------------------------------------------------------
// Ending with a command.

// PlaySoundA replaced by a recorder of the sound names asked for.
class SoundNames {
public:
  SoundNames() : m_patch("winmm.dll", "PlaySoundA", reinterpret_cast<FARPROC>(&Play)) { Locked().clear(); }
  bool Applied() const { return m_patch.Applied(); }
  // The names asked for so far, once no sound worker runs any more.
  std::vector<std::string> Names() {
    if (g_SoundIdleEvent.Lock(5000))
      g_SoundIdleEvent.SetEvent();
    CSingleLock lock(&Lock(), TRUE);
    return Locked();
  }

private:
  static CCriticalSection& Lock() {
    static CCriticalSection cs;
    return cs;
  }
  static std::vector<std::string>& Locked() {
    static std::vector<std::string> names;
    return names;
  }
  static BOOL WINAPI Play(LPCSTR pszName, HMODULE, DWORD) {
    if (pszName != NULL) {
      CSingleLock lock(&Lock(), TRUE);
      Locked().push_back(pszName);
    }
    return TRUE;
  }
  CImportPatch m_patch;
};

struct DeliveryCase {
  const char* name;
  UINT nCmdId;
  bool bRegistered;
  DWORD dwTrackFlags;
  UINT nDelivered; // the message the receiver gets, 0 for none
  bool bSound;
};

class DeliveryTest : public MenuWindowTest, public ::testing::WithParamInterface<DeliveryCase> {
protected:
  void TearDown() override {
    g_CmdManagerHolder->RemoveWindow(m_receiver.GetSafeHwnd(), true);
    MenuWindowTest::TearDown();
  }
};

TEST_P(DeliveryTest, TheChoiceIsStoredPostedAndSounded) {
  const DeliveryCase& c = GetParam();
  SoundNames sounds;
  ASSERT_TRUE(sounds.Applied());
  if (c.bRegistered) {
    ASSERT_TRUE(g_CmdManagerHolder->SetupProfile("menu-window-test", m_receiver.GetSafeHwnd()));
    ASSERT_NE(nullptr, g_CmdManagerHolder->AllocCommand("menu-window-test", c.nCmdId));
  }
  m_menu.AddItem(100);
  m_menu.SetTrackFlags(c.dwTrackFlags);
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  m_menu.ShowNoActivate();
  UINT nResult = 0xBAD;
  Site().m_pResultCmdId = &nResult;
  m_receiver.m_log.clear();

  m_menu.EndWithCommand(c.nCmdId);
  EXPECT_EQ(c.nCmdId, nResult);
  EXPECT_EQ(0, m_receiver.Count(WM_COMMAND) + m_receiver.Count(WM_SYSCOMMAND)) << "posted, never sent";
  EXPECT_FALSE(Visible(m_menu));
  PumpPending();
  EXPECT_EQ(c.nDelivered != 0 ? 1 : 0, m_receiver.Count(WM_COMMAND) + m_receiver.Count(WM_SYSCOMMAND));
  if (c.nDelivered != 0) {
    const menu_paint::ReceivedMessage* pMsg = m_receiver.Find(c.nDelivered);
    ASSERT_NE(nullptr, pMsg);
    EXPECT_EQ(c.nCmdId, pMsg->wParam);
    if (c.nDelivered == WM_COMMAND)
      EXPECT_EQ(0, pMsg->lParam);
  }
  EXPECT_EQ(c.bSound ? std::vector<std::string>{"MenuCommand"} : std::vector<std::string>{}, sounds.Names());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, DeliveryTest,
    ::testing::Values(DeliveryCase{"a command", 0x8001, false, 0, WM_COMMAND, true},
                      DeliveryCase{"a registered command", 0x8001, true, 0, WM_COMMAND, true},
                      DeliveryCase{"a registered window command", 0xF060, true, 0, WM_SYSCOMMAND, true},
                      DeliveryCase{"an unregistered window command", 0xF060, false, 0, WM_COMMAND, true},
                      DeliveryCase{"kept for the caller", 0x8001, false, 0x200, 0, true},
                      DeliveryCase{"display only", 0x8001, false, 0x4000, 0, true},
                      DeliveryCase{"no choice", 0, false, 0, 0, false}),
    menu_paint::CaseName());

TEST_F(MenuWindowTest, ACommandClosesTheChainAndRepaintsWhatItCoveredAtOnce) {
  m_menu.AddItem(100);
  CFixedLayoutMenu& child = AddSubmenu(m_menu);
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  ASSERT_TRUE(child.CreateMenuWindow(&m_receiver));
  m_menu.ShowNoActivate();
  child.ShowNoActivate();
  Site().m_pTrackedMenu = &m_menu;
  Site().m_pEnteringMenu = &m_menu; // the fixture owns the menu: the end of the tracking leaves it
  CExtToolControlBar::g_bMenuTracking = true;
  PumpPending();
  m_receiver.m_paints.clear();

  child.EndWithCommand(0x8001);
  EXPECT_FALSE(Visible(m_menu));
  EXPECT_FALSE(Visible(child));
  EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
  // The frame repainted the chain's place before the call returned.
  CRect rcCovered, rcReceiver;
  rcCovered.UnionRect(m_menu.m_rcPlacement, child.m_rcPlacement);
  m_receiver.GetWindowRect(rcReceiver);
  rcCovered.IntersectRect(rcCovered, rcReceiver);
  rcCovered.OffsetRect(-rcReceiver.TopLeft());
  CRect rcPainted;
  for (const CRect& rc : m_receiver.m_paints)
    rcPainted.UnionRect(rcPainted, rc);
  EXPECT_EQ(rcCovered, rcPainted & rcCovered);
  // The tracked top menu was asked to close.
  EXPECT_TRUE(WaitUntil([&] { return m_menu.GetSafeHwnd() == NULL; }));
  EXPECT_TRUE(::IsWindow(child.GetSafeHwnd()));
}

} // namespace
