// The menu bar in an MDI frame: no native menu, buttons mirroring the menu in use as the MDI client
// switches menus, the maximised child's document and right buttons, coalesced rebuilds, and the
// menus the bar takes but does not own.
#include "tests/unit/toolkit/bars/menubar_res.h"
#include "tests/unit/toolkit/bars/menubar_support.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtResourceManager.h"

using Texts = std::vector<std::string>;

TEST_F(MenuBarMdiTest, NoNativeMenuWhileChildrenOpenActivateMaximiseAndClose) {
  EXPECT_EQ((Texts{"&File", "&Window"}), ButtonTexts());
  HWND hFirst = OpenLabDocument("One");
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"&File", "&Edit", "&Window"}), ButtonTexts());
  HWND hSecond = OpenLabDocument("Two");
  ASSERT_TRUE(SettlesInStep());
  Maximize(hSecond);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"<doc>", "&File", "&Edit", "&Window", "<right>"}), ButtonTexts());
  m_pFrame->MDIActivate(CWnd::FromHandle(hFirst));
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ(hFirst, Bar().GetHookedWindow());
  ::SendMessageA(hFirst, WM_CLOSE, 0, 0);
  ASSERT_TRUE(SettlesInStep());
  ::SendMessageA(hSecond, WM_CLOSE, 0, 0);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"&File", "&Window"}), ButtonTexts());
  EXPECT_EQ(nullptr, ::GetMenu(m_hWndFrame));
}

TEST_F(MenuBarMdiTest, ButtonsFollowEveryMenuTheClientIsToldToShow) {
  HWND hChild = OpenLabDocument("Doc");
  ASSERT_TRUE(SettlesInStep());
  // A menu handed over directly, with a separator item and a command item whose command already
  // has its texts: the separator becomes a separator button, the command keeps its texts.
  CExtCmdItem* pOther = g_CmdManagerHolder->AllocCommand(kProfile, ID_MENUBAR_OTHER);
  ASSERT_NE(nullptr, pOther);
  pOther->m_sMenuText = "Kept menu text";
  pOther->m_sToolbarText = "Kept";
  HMENU hMenu = ::CreateMenu();
  HMENU hView = ::CreatePopupMenu();
  ::AppendMenuA(hView, MF_STRING, ID_MENUBAR_ABOUT, "&Zoom");
  ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hView, "&View");
  ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
  ::AppendMenuA(hMenu, MF_STRING, ID_MENUBAR_OTHER, "&Other");
  HMENU hWindow = ::CreatePopupMenu();
  ::AppendMenuA(hWindow, MF_STRING, 0xE132, "&Cascade");
  ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hWindow, "Win&dow");
  ::SendMessageA(Client(), WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)hWindow);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"&View", "|", "Kept", "Win&dow"}), ButtonTexts());
  EXPECT_EQ("Kept menu text", std::string(pOther->m_sMenuText));
  // Only the menu named as the window list gets the child windows appended.
  Bar().SetMdiWindowPopupName("Window&");
  Bar().PostDeferredRebuild();
  ASSERT_TRUE(SettlesInStep());
  for (int i = 0; i < Bar().GetButtonCount(); ++i)
    EXPECT_EQ(i == 3, Bar().GetButton(i)->IsAppendMdiWindowsMenu()) << i;

  // Back to the document's menu: the submenu commands of the previous rebuild are gone.
  m_pFrame->MDIActivate(CWnd::FromHandle(hChild));
  ::SendMessageA(Client(), WM_MDISETMENU, (WPARAM)LabDocMenu(), 0);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"&File", "&Edit", "&Window"}), ButtonTexts());
  int nSubmenuCommands = 0;
  for (UINT nId = 1; nId <= 0xFFFF; ++nId) {
    CExtCmdItem* pItem = g_CmdManagerHolder->FindCommand(kProfile, nId);
    if (pItem != NULL && pItem->GetStateBit40())
      ++nSubmenuCommands;
  }
  EXPECT_EQ(3, nSubmenuCommands);
  ::SendMessageA(hChild, WM_CLOSE, 0, 0);
  ASSERT_TRUE(SettlesInStep());
  ::DestroyMenu(hMenu);
}

TEST_F(MenuBarMdiTest, BurstOfMdiMessagesRebuildsOnce) {
  HWND hFirst = OpenLabDocument("One");
  HWND hSecond = OpenLabDocument("Two");
  ASSERT_TRUE(SettlesInStep());
  Bar().m_nRebuilds = 0;
  for (int i = 0; i < 4; ++i) {
    ::SendMessageA(Client(), WM_MDISETMENU, (WPARAM)LabDocMenu(), 0);
    ::SendMessageA(Client(), WM_MDIACTIVATE, (WPARAM)(i % 2 ? hFirst : hSecond), 0);
    Bar().PostDeferredRehook();
    Bar().PostDeferredRebuild();
  }
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ(1, Bar().m_nRebuilds);
}

TEST_F(MenuBarMdiTest, RightToLeftRowListsTheItemsInReverse) {
  const int nOld = g_ResourceManagerHolder->SetRightToLeftOverride(1);
  Bar().RebuildMenuButtons(true);
  const Texts texts = ButtonTexts();
  g_ResourceManagerHolder->SetRightToLeftOverride(nOld);
  EXPECT_EQ((Texts{"&Window", "&File"}), texts);
  Bar().RebuildMenuButtons(true);
  EXPECT_EQ((Texts{"&File", "&Window"}), ButtonTexts());
}

TEST_F(MenuBarMdiTest, MaximisedChildGetsDocumentButtonFirstAndRightButtonLast) {
  HWND hFirst = OpenLabDocument("One");
  Maximize(hFirst);
  ASSERT_TRUE(SettlesInStep());
  ASSERT_NE(nullptr, Bar().FindMdiDocButton());
  EXPECT_EQ(hFirst, Bar().FindMdiDocButton()->GetActiveMdiChild());
  EXPECT_EQ(Bar().GetButtonCount() - 1, Bar().GetButtonIndex(Bar().FindMdiRightButton()));
  // The right button sits at the far end of the row.
  CRect rcClient;
  Bar().GetClientRect(&rcClient);
  EXPECT_EQ(rcClient.right - 1, Bar().FindMdiRightButton()->GetRect().right);

  // A second child maximised in its place: still one of each, now for the new child.
  HWND hSecond = OpenLabDocument("Two");
  ASSERT_TRUE(SettlesInStep());
  ASSERT_TRUE(::IsZoomed(hSecond));
  EXPECT_EQ((Texts{"<doc>", "&File", "&Edit", "&Window", "<right>"}), ButtonTexts());
  EXPECT_EQ(hSecond, Bar().FindMdiDocButton()->GetActiveMdiChild());
  EXPECT_EQ(hSecond, Bar().FindMdiRightButton()->GetCmdTargetWnd()->GetSafeHwnd());

  ::SendMessageA(Client(), WM_MDIRESTORE, (WPARAM)hSecond, 0);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"&File", "&Edit", "&Window"}), ButtonTexts());
}

TEST_F(MenuBarMdiTest, ChildWithoutSystemMenuGetsOnlyTheRightButton) {
  HWND hChild = OpenChild(WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  ASSERT_NE(nullptr, hChild);
  ASSERT_EQ(nullptr, ::GetSystemMenu(hChild, FALSE));
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ(nullptr, Bar().FindMdiDocButton());
  ASSERT_NE(nullptr, Bar().FindMdiRightButton());
  MdiRightButtonsInfo info;
  ASSERT_TRUE(Bar().GetMdiRightButtonsInfo(Bar().FindMdiRightButton(), info, true));
  EXPECT_EQ(0, info.m_nFlags & MdiRightButtonsInfo::F_CLOSE) << "no system menu, no close box";
}

// --- the right button's boxes, per child style ---------------------------------------------------

struct BoxCase {
  const char* name;
  DWORD dwStyle;
  DWORD dwExStyle;
  bool bCloseDisabled;
  std::vector<UINT> boxes; // left to right
};

class MenuBarRightBoxes : public MenuBarMdiTest, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(MenuBarRightBoxes, ShowTheChildsBoxesInOrder) {
  const BoxCase& c = GetParam();
  HWND hChild = OpenChild(c.dwStyle, c.dwExStyle);
  ASSERT_NE(nullptr, hChild);
  if (c.bCloseDisabled)
    ::EnableMenuItem(::GetSystemMenu(hChild, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  std::vector<std::pair<LONG, UINT>> shown;
  for (UINT nCmd : {SC_CONTEXTHELP, SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CLOSE}) {
    const CRect rc = BoxOnScreen(nCmd);
    if (!rc.IsRectEmpty())
      shown.emplace_back(rc.left, nCmd);
  }
  std::sort(shown.begin(), shown.end());
  std::vector<UINT> order;
  for (const auto& box : shown)
    order.push_back(box.second);
  EXPECT_EQ(c.boxes, order);
  // The boxes lie inside the right button, which measures the whole group.
  CRect rcButton = Bar().FindMdiRightButton()->GetRect();
  Bar().ClientToScreen(&rcButton);
  for (UINT nCmd : order) {
    CRect rcBox = BoxOnScreen(nCmd);
    EXPECT_EQ(rcBox, rcBox & rcButton) << nCmd;
  }
}

const UINT kHelp = SC_CONTEXTHELP, kMin = SC_MINIMIZE, kRestore = SC_RESTORE, kMax = SC_MAXIMIZE,
           kClose = SC_CLOSE;
const DWORD kCaption = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;

INSTANTIATE_TEST_SUITE_P(
    Styles, MenuBarRightBoxes,
    ::testing::Values(BoxCase{"all", WS_OVERLAPPEDWINDOW, 0, false, {kMin, kRestore, kClose}},
                      BoxCase{"lone_maximise", kCaption | WS_MAXIMIZEBOX, 0, false, {kMax, kClose}},
                      BoxCase{
                          "help", kCaption | WS_MAXIMIZEBOX, WS_EX_CONTEXTHELP, false, {kHelp, kMax, kClose}},
                      BoxCase{"help_needs_maximise",
                              kCaption | WS_MINIMIZEBOX,
                              WS_EX_CONTEXTHELP,
                              false,
                              {kMin, kRestore, kClose}},
                      BoxCase{"close_disabled", WS_OVERLAPPEDWINDOW, 0, true, {kMin, kRestore}}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

// --- clicks on the boxes ---------------------------------------------------------------------------

TEST_F(MenuBarMdiTest, ClickOnLoneMaximiseBoxRestoresTheChild) {
  HWND hChild = OpenChild(kCaption | WS_MAXIMIZEBOX);
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  const CRect rc = BoxOnScreen(SC_MAXIMIZE);
  ASSERT_FALSE(rc.IsRectEmpty());
  ASSERT_TRUE(ClickAt(rc.CenterPoint()));
  EXPECT_TRUE(Settle([&] { return !::IsZoomed(hChild); }));
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ(nullptr, Bar().FindMdiRightButton());
}

TEST_F(MenuBarMdiTest, ClicksOnRestoreAndCloseBoxesActOnTheChild) {
  HWND hChild = OpenLabDocument("Doc");
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  CRect rc = BoxOnScreen(SC_RESTORE);
  ASSERT_FALSE(rc.IsRectEmpty());
  ASSERT_TRUE(ClickAt(rc.CenterPoint()));
  EXPECT_TRUE(Settle([&] { return !::IsZoomed(hChild); }));
  ASSERT_TRUE(SettlesInStep());

  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  rc = BoxOnScreen(SC_CLOSE);
  ASSERT_FALSE(rc.IsRectEmpty());
  ASSERT_TRUE(ClickAt(rc.CenterPoint()));
  EXPECT_TRUE(Settle([&] { return !::IsWindow(hChild); }));
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"&File", "&Window"}), ButtonTexts());
}

TEST_F(MenuBarMdiTest, DoubleClickOnDocumentButtonClosesOnlyWhenCloseIsEnabled) {
  HWND hChild = OpenLabDocument("Doc");
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  CExtBarMdiDocButton* pDoc = Bar().FindMdiDocButton();
  ASSERT_NE(nullptr, pDoc);
  ::EnableMenuItem(::GetSystemMenu(hChild, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_TRUE(pDoc->OnDblClick(pDoc->GetRect().CenterPoint()));
  PumpPending();
  EXPECT_TRUE(::IsWindow(hChild));
  ::EnableMenuItem(::GetSystemMenu(hChild, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
  EXPECT_TRUE(pDoc->OnDblClick(pDoc->GetRect().CenterPoint()));
  EXPECT_TRUE(Settle([&] { return !::IsWindow(hChild); }));
}

// --- menus the bar takes, and the one it loads --------------------------------------------------

TEST_F(MenuBarMdiTest, TakenMenusOutliveTheBarAndStayTheFrames) {
  HMENU hFrameMenu = m_pFrame->m_hMenuDefault;
  ASSERT_NE(nullptr, hFrameMenu) << "the frame keeps the menu it was made with";
  EXPECT_EQ(hFrameMenu, Bar().m_menuFrame.GetSafeHmenu());
  OpenLabDocument("Doc");
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ(LabDocMenu(), Bar().GetMenuInUse());
  m_pFrame->m_pMenuBar->DestroyWindow();
  m_pFrame->m_pMenuBar.reset();
  EXPECT_TRUE(::IsMenu(hFrameMenu));
  EXPECT_TRUE(::IsMenu(LabDocMenu()));
  // The frame destroys its own menu when it goes, without showing it again.
  DestroyLabFrame(m_pFrame);
  EXPECT_FALSE(::IsMenu(hFrameMenu));
  EXPECT_TRUE(::IsMenu(LabDocMenu()));
  m_pFrame = NULL;
}

TEST_F(MenuBarMdiTest, LoadedMenuIsTheBarsToDestroy) {
  HMENU hFrameMenu = m_pFrame->m_hMenuDefault;
  ASSERT_TRUE(Bar().LoadMenuBar(IDR_MENUBAR_LOADED));
  EXPECT_EQ((Texts{"&Tools", "&Help"}), ButtonTexts());
  HMENU hLoaded = Bar().GetMenuInUse();
  ASSERT_TRUE(::IsMenu(hLoaded));
  EXPECT_NE(hFrameMenu, hLoaded);
  EXPECT_TRUE(::IsMenu(hFrameMenu)) << "loading lets go of the frame's menu without destroying it";
  EXPECT_NE(nullptr, g_CmdManagerHolder->FindCommand(kProfile, ID_MENUBAR_OPTIONS));
  m_pFrame->m_pMenuBar->DestroyWindow();
  m_pFrame->m_pMenuBar.reset();
  EXPECT_FALSE(::IsMenu(hLoaded));
  EXPECT_TRUE(::IsMenu(hFrameMenu));
}

TEST_F(MenuBarMdiTest, MenusSwitchedWhileMaximisedKeepTheirItems) {
  HWND hChild = OpenLabDocument("Doc");
  Maximize(hChild);
  ASSERT_TRUE(SettlesInStep());
  HMENU hMenu = ::CreateMenu();
  HMENU hView = ::CreatePopupMenu();
  ::AppendMenuA(hView, MF_STRING, ID_MENUBAR_ABOUT, "&Zoom");
  ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hView, "&View");
  ::SendMessageA(Client(), WM_MDISETMENU, (WPARAM)hMenu, 0);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ(1, ::GetMenuItemCount(hMenu)) << "the maximised child's items were added to the menu";
  EXPECT_EQ((Texts{"<doc>", "&View", "<right>"}), ButtonTexts());
  ::SendMessageA(Client(), WM_MDISETMENU, (WPARAM)LabDocMenu(), 0);
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ(3, ::GetMenuItemCount(LabDocMenu()));
  EXPECT_EQ((Texts{"<doc>", "&File", "&Edit", "&Window", "<right>"}), ButtonTexts());
  ::SendMessageA(hChild, WM_CLOSE, 0, 0);
  ASSERT_TRUE(SettlesInStep());
  ::DestroyMenu(hMenu);
}

// The bar made before its frame's MDI client looks for the client once more a moment later.
class MenuBarBeforeClient : public MenuBarMdiTest {
protected:
  bool BarBeforeClient() const override { return true; }
};

TEST_F(MenuBarBeforeClient, HooksTheClientOnItsSecondLook) {
  EXPECT_TRUE(Settle([&] { return Bar().IsWindowHooked(Client()); }));
  OpenLabDocument("Doc");
  ASSERT_TRUE(SettlesInStep());
  EXPECT_EQ((Texts{"&File", "&Edit", "&Window"}), ButtonTexts());
}
