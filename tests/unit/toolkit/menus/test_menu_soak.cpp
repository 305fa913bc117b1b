// A thousand menus with submenus built from a menu handle, shown, hidden and destroyed: the GDI and
// USER objects and the private bytes stay flat, and no popup window is left.
#include "tests/common/object_counts.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using menu_paint::CMenuReceiver;
using menu_paint::ShowAt;

struct Figures {
  long nGdiObjects;
  long nWindows;
  SIZE_T nPrivateBytes;
};

BOOL CALLBACK CountWindow(HWND, LPARAM lParam) {
  ++*reinterpret_cast<long*>(lParam);
  return TRUE;
}

Figures Measure() {
  PumpPending();
  AfxGetApp()->OnIdle(1); // the temporary handle maps go at idle
  Figures figures = {GdiObjectsInUse(), 0, PrivateBytes()};
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&figures.nWindows));
  return figures;
}

// Twelve rows and two submenus of five.
HMENU MakeMenuHandle() {
  HMENU hMenu = ::CreatePopupMenu();
  for (int nSub = 0; nSub < 2; ++nSub) {
    HMENU hSub = ::CreatePopupMenu();
    for (int i = 0; i < 5; ++i)
      ::AppendMenuA(hSub, MF_STRING, 0x8300 + nSub * 10 + i, "Inner row");
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "&Submenu");
  }
  for (int i = 0; i < 12; ++i)
    ::AppendMenuA(hMenu, i % 5 == 4 ? MF_SEPARATOR : MF_STRING, 0x8200 + i, "Menu &row\tCtrl+R");
  return hMenu;
}

TEST(MenuSoak, AThousandOpeningsLeaveNothingBehind) {
  CMenuReceiver receiver;
  ASSERT_TRUE(receiver.CreateReceiver());
  ASSERT_TRUE(g_CmdManagerHolder->SetupProfile("menu-soak", receiver.GetSafeHwnd()));
  const HMENU hMenu = MakeMenuHandle();
  auto cycle = [&] {
    auto pMenu = std::make_unique<CExtPopupMenuWnd>();
    ASSERT_TRUE(pMenu->BuildFromMenuHandle(receiver.GetSafeHwnd(), CMenu::FromHandle(hMenu)));
    ASSERT_TRUE(ShowAt(*pMenu, &receiver, CPoint(200, 150), 0, CExtPopupBaseWnd::ANIM_NONE));
    CExtPopupMenuWnd* pChild = pMenu->ItemGetPopup(1);
    ASSERT_NE(nullptr, pChild);
    CRect rc;
    pMenu->GetWindowRect(rc);
    ASSERT_TRUE(ShowAt(*pChild, &receiver, CPoint(rc.right, rc.top + 24), 0, CExtPopupBaseWnd::ANIM_NONE));
    pMenu->ResetAndHide(false);
  };
  for (int i = 0; i < 50; ++i)
    cycle();
  const Figures before = Measure();
  for (int i = 0; i < 1000 && !HasFatalFailure(); ++i) {
    cycle();
    if (i % 100 == 99)
      Measure();
  }
  const Figures after = Measure();
  ::DestroyMenu(hMenu);
  g_CmdManagerHolder->RemoveWindow(receiver.GetSafeHwnd(), true);
  ASSERT_GE(before.nGdiObjects, 0);
  EXPECT_LE(after.nGdiObjects - before.nGdiObjects, 2) << "GDI objects";
  EXPECT_EQ(before.nWindows, after.nWindows) << "windows of the thread: no popup is left";
  EXPECT_LT((long long)after.nPrivateBytes - (long long)before.nPrivateBytes, 1 << 20) << "private bytes";
}

} // namespace
