// A freshly made control bar: its stored sizes, flag bytes and place in the list of all bars, and
// the class-wide values the other docking areas rely on.
#include "toolkit/docking/ExtControlBar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

bool IsListed(const CExtControlBar* pBar) {
  return std::find(CExtControlBar::g_AllBars.begin(), CExtControlBar::g_AllBars.end(), pBar) !=
         CExtControlBar::g_AllBars.end();
}

TEST(BarDefaults, AFreshBarHasTheStoredSizesAndFlagBytes) {
  CExtControlBar bar;
  struct Row {
    const char* name;
    long actual;
    long expected;
  } const kRows[] = {
      {"docked horizontally cx", bar.m_sizeDockedH.cx, 200},
      {"docked horizontally cy", bar.m_sizeDockedH.cy, 150},
      {"docked vertically cx", bar.m_sizeDockedV.cx, 150},
      {"docked vertically cy", bar.m_sizeDockedV.cy, 200},
      {"floating cx", bar.m_sizeFloated.cx, 200},
      {"floating cy", bar.m_sizeFloated.cy, 200},
      {"bar flags", bar.m_bBarFlags, 0x29},
      {"state flags", bar.m_bBarState, 0x08},
      {"extra flags", bar.m_bExtraFlags, 0},
      {"caption extent", bar.GetCaptionExtent(), ::GetSystemMetrics(SM_CYSMCAPTION) + 1},
      {"side caption extent", bar.GetSideCaptionExtent(), ::GetSystemMetrics(SM_CYSMCAPTION) + 1},
      {"separator width", bar.GetSeparatorWidth(), std::min(::GetSystemMetrics(SM_CXFRAME), 4)},
      {"separator height", bar.GetSeparatorHeight(), std::min(::GetSystemMetrics(SM_CYFRAME), 4)},
      {"last drag x", bar.m_ptLastDrag.x, -1},
      {"last drag y", bar.m_ptLastDrag.y, -1},
      {"option bits", bar.GetOptionBits(), 0},
  };
  for (const Row& row : kRows)
    EXPECT_EQ(row.expected, row.actual) << row.name;
  EXPECT_FALSE(bar.IsFixedMode());
  EXPECT_TRUE(bar.IsUserResizable());
  EXPECT_EQ(CSize(80, 60), bar.GetMinFloatingSize());
}

TEST(BarDefaults, EveryBarIsListedFromConstructionToDestruction) {
  size_t nBefore = CExtControlBar::g_AllBars.size();
  auto pFirst = std::make_unique<CExtControlBar>();
  auto pSecond = std::make_unique<CExtControlBar>();
  EXPECT_TRUE(IsListed(pFirst.get()));
  EXPECT_TRUE(IsListed(pSecond.get()));
  const CExtControlBar* pGone = pFirst.get();
  pFirst.reset();
  EXPECT_FALSE(IsListed(pGone));
  EXPECT_TRUE(IsListed(pSecond.get()));
  pSecond.reset();
  EXPECT_EQ(nBefore, CExtControlBar::g_AllBars.size());
}

TEST(BarDefaults, ClassWideValuesAndTheWindowClass) {
  EXPECT_FALSE(CExtControlBar::g_bLockAllBars);
  EXPECT_EQ(-1, CExtControlBar::g_nDockingMarkerMode);
  EXPECT_EQ(500u, CExtControlBar::g_dwDragHoverDelay);
  const struct {
    UINT id;
    DWORD style;
  } kSides[] = {{AFX_IDW_DOCKBAR_TOP, 0x2800},
                {AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
                {AFX_IDW_DOCKBAR_LEFT, 0x1400},
                {AFX_IDW_DOCKBAR_RIGHT, 0x4100}};
  for (const auto& side : kSides)
    EXPECT_EQ(side.style, CExtControlBar::GetDockBarStyle(side.id)) << side.id;
  EXPECT_EQ(0u, CExtControlBar::GetDockBarStyle(AFX_IDW_DOCKBAR_FLOAT));
  CExtControlBar bar;
  WNDCLASSA wc = {};
  ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(NULL), "Corvane-ControlBar", &wc));
  EXPECT_EQ(UINT(CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), wc.style);
  const UINT* kMessages[] = {&CExtControlBar::g_nMsgQueryRepositionCalcEffect,
                             &CExtControlBar::g_nMsgQueryIcon,
                             &CExtControlBar::g_nMsgPutToPopupMenu,
                             &CExtControlBar::g_nMsgConstructPopupMenu,
                             &CExtControlBar::g_nMsgCreateTabbedBar,
                             &CExtControlBar::g_nMsgDrawTrackedArea,
                             &CExtControlBar::g_nMsgCustomNcAreaQuery};
  EXPECT_EQ(::RegisterWindowMessageA("CExtControlBar::g_nMsgDrawTrackedArea"),
            CExtControlBar::g_nMsgDrawTrackedArea);
  for (const UINT* pn : kMessages)
    EXPECT_GE(*pn, 0xC000u);
}

TEST(BarDefaults, MenuEventCodesThirteenAndFourteenBelongToTheChevron) {
  CExtControlBar::POPUP_MENU_EVENT_DATA listEvent(14, NULL, NULL, POINT{1, 1}, WM_CONTEXTMENU);
  CExtControlBar::POPUP_MENU_EVENT_DATA wholeEvent(13, NULL, NULL, POINT{1, 1}, WM_CONTEXTMENU);
  EXPECT_TRUE(listEvent.IsBarsListEvent());
  EXPECT_FALSE(wholeEvent.IsBarsListEvent());
  for (WORD nCode : {0, 1, 2, 3, 4, 5, 6, 11})
    EXPECT_TRUE(CExtControlBar::POPUP_MENU_EVENT_DATA(nCode, NULL, NULL, POINT{1, 1}, 0).IsBarsListEvent())
        << nCode;
  for (WORD nCode : {7, 8, 9, 10, 12})
    EXPECT_FALSE(CExtControlBar::POPUP_MENU_EVENT_DATA(nCode, NULL, NULL, POINT{1, 1}, 0).IsBarsListEvent())
        << nCode;
}

} // namespace
