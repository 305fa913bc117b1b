// Window services other layers rely on: menus and their handle map, finding windows by id,
// the safe owner of message boxes and dialogs, style changes.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

TEST(Menus, PermanentAndTemporaryWrappers) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_STRING, 100, "&First");
  menu.AppendMenu(MF_STRING, 101, "Second");
  EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
  CString text;
  EXPECT_EQ(6, menu.GetMenuString(100, text, MF_BYCOMMAND));
  EXPECT_EQ(CString("&First"), text);

  HMENU hOther = ::CreatePopupMenu();
  CMenu* pTemp = CMenu::FromHandle(hOther);
  ASSERT_NE(nullptr, pTemp);
  EXPECT_EQ(pTemp, CMenu::FromHandle(hOther));
  AfxDeleteTempMaps();
  EXPECT_TRUE(::IsMenu(hOther)); // temporaries never destroy what they wrap
  ::DestroyMenu(hOther);

  HMENU hMenu = menu.Detach();
  EXPECT_TRUE(::IsMenu(hMenu));
  CMenu owner;
  owner.Attach(hMenu);
  owner.DestroyMenu();
  EXPECT_FALSE(::IsMenu(hMenu));
}

TEST(Relations, DescendantsAreFoundByIdDepthFirst) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  CWnd bar, inner, status;
  ASSERT_TRUE(bar.Create(NULL, "bar", WS_VISIBLE, CRect(0, 0, 100, 40), &host, 1));
  ASSERT_TRUE(inner.Create(NULL, "inner", WS_VISIBLE, CRect(0, 0, 50, 20), &bar, 2));
  ASSERT_TRUE(status.Create(NULL, "status", WS_VISIBLE, CRect(0, 0, 10, 10), &inner, 59393));
  EXPECT_EQ(&status, host.GetDescendantWindow(59393));
  EXPECT_EQ(&inner, host.GetDescendantWindow(2, TRUE));
  EXPECT_EQ(nullptr, host.GetDescendantWindow(77));
  EXPECT_EQ(&host, status.GetTopLevelParent());
  EXPECT_EQ(&bar, inner.GetParent());
  EXPECT_EQ(nullptr, status.GetParentFrame()); // no frame windows here
  host.DestroyWindow();
}

TEST(Relations, SafeOwnerIsTheMainWindowsLastPopupEvenWhenHidden) {
  CHostWnd mainWnd;
  ASSERT_TRUE(mainWnd.CreateHost("main", WS_OVERLAPPEDWINDOW)); // never shown
  TheTestApp().m_pMainWnd = &mainWnd;
  EXPECT_EQ(mainWnd.m_hWnd, CWnd::GetSafeOwner_(NULL, NULL));
  HWND hWndTop = NULL;
  CWnd popup;
  ASSERT_TRUE(popup.CreateEx(0, NULL, "p", WS_POPUP, 0, 0, 10, 10, mainWnd.m_hWnd, NULL));
  CWnd child;
  ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(0, 0, 5, 5), &popup, 3));
  // A child's owner is the top-level window above it; the topmost window of that chain (the
  // main window owning the popup) is disabled for a modal run and handed back to re-enable.
  EXPECT_EQ(popup.m_hWnd, CWnd::GetSafeOwner_(child.m_hWnd, &hWndTop));
  EXPECT_EQ(mainWnd.m_hWnd, hWndTop);
  EXPECT_FALSE(mainWnd.IsWindowEnabled());
  mainWnd.EnableWindow(TRUE);
  TheTestApp().m_pMainWnd = NULL;
  mainWnd.DestroyWindow();
}

TEST(Styles, ModifyStyleReportsChanges) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("s", WS_OVERLAPPEDWINDOW));
  EXPECT_TRUE(host.ModifyStyle(WS_MAXIMIZEBOX, 0, SWP_FRAMECHANGED));
  EXPECT_EQ(0u, host.GetStyle() & WS_MAXIMIZEBOX);
  EXPECT_FALSE(host.ModifyStyle(WS_MAXIMIZEBOX, 0)); // nothing left to change
  EXPECT_TRUE(host.ModifyStyleEx(0, WS_EX_TOOLWINDOW));
  EXPECT_NE(0u, host.GetExStyle() & WS_EX_TOOLWINDOW);
  host.DestroyWindow();
}

} // namespace
