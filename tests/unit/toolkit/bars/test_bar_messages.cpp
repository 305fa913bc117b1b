// The bars' registered messages: each bound to its class, registered once under its own name.
#include "toolkit/bars/ExtMenuControlBar.h"

#include <gtest/gtest.h>

TEST(BarMessages, EachIsRegisteredOnceUnderItsOwnName) {
  const struct {
    UINT nMsg;
    const char* pszName;
  } cases[] = {
      {CExtToolControlBar::g_nMsgTrackButtonMenu, "CExtToolControlBar::g_nMsgTrackButtonMenu"},
      {CExtToolControlBar::g_nMsgContinueTrackMenu, "CExtToolControlBar::g_nMsgContinueTrackMenu"},
      {CExtMenuControlBar::g_nMsgPrepareSystemMenu, "CExtMenuControlBar::g_nMsgPrepareSystemMenu"},
  };
  for (const auto& c : cases) {
    EXPECT_GE(c.nMsg, 0xC000u) << c.pszName;
    EXPECT_EQ(c.nMsg, ::RegisterWindowMessageA(c.pszName)) << c.pszName;
  }
  EXPECT_NE(cases[0].nMsg, cases[1].nMsg);
}
