// The popup menus' process-wide values: the registered messages the menus send are the numbers
// registered once under their owners' names, and a menu is made by its run-time class.
#include "toolkit/ExtGlobals.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

TEST(PopupMenuGlobals, MessagesAreTheNumbersRegisteredUnderTheMembersNames) {
  const std::pair<const char*, const UINT*> kMessages[] = {
      {"CExtPopupMenuWnd::g_nMsgPrepareMenu", &CExtPopupMenuWnd::g_nMsgPrepareMenu},
      {"CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel", &CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel},
      {"CExtPopupMenuWnd::g_nMsgPrepareDesktopBk", &CExtPopupMenuWnd::g_nMsgPrepareDesktopBk},
      {"CExtPopupMenuWnd::g_nMsgPopupNext", &CExtPopupMenuWnd::g_nMsgPopupNext},
      {"CExtPopupMenuWnd::g_nMsgPopupPrev", &CExtPopupMenuWnd::g_nMsgPopupPrev},
      {"CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded", &CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded},
      {"CExtPopupMenuWnd::g_nMsgNotifyMenuClosed", &CExtPopupMenuWnd::g_nMsgNotifyMenuClosed},
      {"CExtPopupMenuWnd::g_nMsgPopupDrawItem", &CExtPopupMenuWnd::g_nMsgPopupDrawItem},
      {"CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea", &CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea},
      {"CExtPopupMenuWnd::g_nMsgPopupDrawBackground", &CExtPopupMenuWnd::g_nMsgPopupDrawBackground},
      {"CExtPopupMenuWnd::g_nMsgCreateInplaceEdit", &CExtPopupMenuWnd::g_nMsgCreateInplaceEdit},
      {"CExtPopupMenuWnd::g_nMsgItemCoveringNotification", &CExtPopupMenuWnd::g_nMsgItemCoveringNotification},
      {"CExtPopupMenuWnd::g_nMsgTearOff", &CExtPopupMenuWnd::g_nMsgTearOff},
      {"CExtPopupMenuWnd::g_nMsgCustomFloatPos", &CExtPopupMenuWnd::g_nMsgCustomFloatPos},
  };
  for (const auto& [pszName, pnMessage] : kMessages) {
    EXPECT_GE(*pnMessage, 0xC000u) << pszName;
    EXPECT_EQ(::RegisterWindowMessageA(pszName), *pnMessage) << pszName;
  }
  // The member is the very number the globals registered, not a copy made later.
  EXPECT_EQ(&ExtRegisteredMessages::CExtPopupMenuWnd::g_nMsgPrepareMenu,
            &CExtPopupMenuWnd::g_nMsgPrepareMenu);
}

TEST(PopupMenuGlobals, AMenuIsMadeByItsRunTimeClassAndIsTheThemesPopupSite) {
  std::unique_ptr<CObject> pObject(RUNTIME_CLASS(CExtPopupMenuWnd)->CreateObject());
  ASSERT_NE(nullptr, pObject);
  EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CExtPopupBaseWnd)));
  EXPECT_NE(nullptr, dynamic_cast<CExtPopupMenuSite*>(pObject.get()));
  EXPECT_NE(nullptr, dynamic_cast<CExtPopupMenuItemsSite*>(pObject.get()));
}

} // namespace
