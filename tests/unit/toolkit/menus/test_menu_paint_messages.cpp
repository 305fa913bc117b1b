// What a menu tells its receiver while it paints, and what it asks the theme to draw: the background,
// left-area and item messages with their records, the rows' paint records, and which rows form the
// group of rarely used ones.
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/menus/menu_paint_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using menu_paint::CFixedLayoutMenu;
using menu_paint::CMenuReceiver;
using menu_paint::ScopedRecordingTheme;
using pixel_support::DibSurface;
typedef CExtPopupMenuWnd::MENUITEMDATA Item;
typedef CExtPopupMenuWnd::VisibleItemDefinition_t Vid;

const COLORREF kSentinel = RGB(1, 2, 3);
const COLORREF kOwner = RGB(250, 10, 200);

class MenuPaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_receiver.CreateReceiver());
    m_menu.m_hWndCmdReceiver = m_receiver.GetSafeHwnd();
  }
  // The menu's client size and the body inside its shadow band.
  CRect Client() const {
    CRect rc;
    m_menu.GetClientRect(rc);
    return rc;
  }
  CRect Body() const {
    CRect rc = Client();
    rc.right -= m_menu.GetShadowSize();
    rc.bottom -= m_menu.GetShadowSize();
    return rc;
  }
  void AddRows(int n) {
    for (int i = 0; i < n; ++i)
      m_menu.AddItem(100 + i, "Row");
  }
  // Paints the menu off-screen over the sentinel colour.
  std::unique_ptr<DibSurface> Paint() {
    auto surface = std::make_unique<DibSurface>(Client().Width(), Client().Height(), kSentinel);
    m_menu.PaintContent(surface->dc(), false);
    return surface;
  }

  CMenuReceiver m_receiver;
  std::vector<std::unique_ptr<CExtPopupMenuWnd>> m_children; // outlive the menu
  CFixedLayoutMenu m_menu;
};

// ---------------------------------------------------------------------------------------------
// The background message: the receiver may paint the background, the border, or both.

struct BackgroundCase {
  DWORD dwFlags;
  bool bOwnerBackground; // the owner's colour stays below the rows
  bool bBorderDrawn;     // the theme's border is on the left edge
};

class BackgroundFlagsTest : public MenuPaintTest, public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(BackgroundFlagsTest, TheMenuPaintsWhatTheReceiverDidNot) {
  const BackgroundCase& c = GetParam();
  AddRows(2);
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  int nCalls = 0;
  m_receiver.m_answer = [&](UINT nMsg, WPARAM, LPARAM lParam) -> LRESULT {
    if (nMsg != CExtPopupMenuWnd::g_nMsgPopupDrawBackground)
      return 0;
    ++nCalls;
    auto* pData = reinterpret_cast<CExtPopupMenuWnd::DrawBackgroundData_t*>(lParam);
    EXPECT_EQ(&m_menu, pData->m_pMenu);
    EXPECT_EQ(Body(), CRect(pData->m_rcClient));
    pData->m_dc.FillSolidRect(&pData->m_rcClient, kOwner);
    pData->m_dwFlags = c.dwFlags;
    return 0;
  };
  auto surface = Paint();
  EXPECT_EQ(1, nCalls);
  const COLORREF clrMenu = g_PaintManagerHolder->GetMenuBackgroundColor(&m_menu);
  const CRect body = Body();
  const COLORREF clrBelowRows = surface->At(body.CenterPoint().x, body.bottom - 8);
  EXPECT_EQ(c.bOwnerBackground ? kOwner : clrMenu, clrBelowRows);
  const COLORREF clrEdge = surface->At(body.left, body.CenterPoint().y);
  if (c.bBorderDrawn) {
    EXPECT_NE(kOwner, clrEdge);
    EXPECT_NE(clrMenu, clrEdge);
  } else {
    EXPECT_EQ(c.bOwnerBackground ? kOwner : clrMenu, clrEdge);
  }
}

INSTANTIATE_TEST_SUITE_P(Flags, BackgroundFlagsTest,
                         ::testing::Values(BackgroundCase{0, false, true}, BackgroundCase{1, true, true},
                                           BackgroundCase{2, false, false}, BackgroundCase{3, true, false}));

// ---------------------------------------------------------------------------------------------
// The left area: a band beside the items that moves with them.

// Width and scroll offset; without a width the receiver is not asked.
class LeftAreaTest : public MenuPaintTest, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(LeftAreaTest, TheReceiverPaintsTheBandBesideTheItems) {
  const auto [nWidth, nOffset] = GetParam();
  m_menu.SetLeftAreaWidth(nWidth);
  AddRows(3);
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  m_menu.m_nScrollOffset = nOffset;
  CRect rcBand;
  m_receiver.m_answer = [&](UINT nMsg, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (nMsg != CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea)
      return 0;
    EXPECT_EQ(0u, wParam);
    auto* pData = reinterpret_cast<CExtPopupMenuWnd::DrawLeftAreaData_t*>(lParam);
    EXPECT_EQ(&m_menu, pData->m_pMenu);
    rcBand = pData->m_rcArea;
    pData->m_dc.FillSolidRect(&pData->m_rcArea, kOwner);
    return 0;
  };
  auto surface = Paint();
  ASSERT_EQ(nWidth != 0 ? 1 : 0, m_receiver.Count(CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea));
  if (nWidth == 0)
    return;
  EXPECT_EQ(nWidth, rcBand.Width());
  EXPECT_EQ(m_menu.m_rows[0].left - nWidth, rcBand.left);
  EXPECT_EQ(Body().top + m_menu.GetBorderSize() + nOffset, rcBand.top);
  EXPECT_EQ(kOwner, surface->At(rcBand.left + nWidth / 2, m_menu.m_rows[0].CenterPoint().y + nOffset));
}

INSTANTIATE_TEST_SUITE_P(WidthsAndOffsets, LeftAreaTest,
                         ::testing::Values(std::make_pair(18, 0), std::make_pair(18, -10),
                                           std::make_pair(0, 0)));

// ---------------------------------------------------------------------------------------------
// Owner-drawn items: only with track flag 0x800, and a non-zero answer keeps the theme off the row.

struct OwnerDrawCase {
  const char* name;
  DWORD dwTrackFlags;
  LRESULT nAnswer;
  int nMessages;
  int nThemeRows;
};

class OwnerDrawTest : public MenuPaintTest, public ::testing::WithParamInterface<OwnerDrawCase> {};

TEST_P(OwnerDrawTest, TheReceiverDrawsItemsOnlyWhenAsked) {
  const OwnerDrawCase& c = GetParam();
  ScopedRecordingTheme theme;
  AddRows(2);
  m_children.emplace_back(new CExtPopupMenuWnd);
  // Pinned as shown, so that the empty submenu does not count as rarely used.
  m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, m_children.back().get()).m_nDisplayFlags |=
      Item::DISPLAY_RARELY_USED_SHOWN;
  m_menu.SetTrackFlags(c.dwTrackFlags);
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  std::vector<CExtPopupMenuWnd::DrawItemData_t> records;
  m_receiver.m_answer = [&](UINT nMsg, WPARAM, LPARAM lParam) -> LRESULT {
    if (nMsg != CExtPopupMenuWnd::g_nMsgPopupDrawItem)
      return 0;
    records.push_back(*reinterpret_cast<CExtPopupMenuWnd::DrawItemData_t*>(lParam));
    return c.nAnswer;
  };
  Paint();
  ASSERT_EQ(c.nMessages, (int)records.size()) << c.name;
  EXPECT_EQ(c.nThemeRows, (int)ScopedRecordingTheme::Rows().size()) << c.name;
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(&m_menu.m_items[(int)i], records[i].m_pItem);
    EXPECT_EQ(&m_menu, records[i].m_pMenu);
    EXPECT_EQ(m_menu.m_rows[i], CRect(records[i].m_rcItem));
    EXPECT_TRUE(CRect(records[i].m_rcItem).PtInRect(CRect(records[i].m_rcInner).CenterPoint()));
    const DWORD dwWant = CExtPopupMenuWnd::IPS_OWNERDRAW | (i == 2 ? CExtPopupMenuWnd::IPS_POPUP : 0);
    EXPECT_EQ(dwWant, records[i].m_dwState) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Flags, OwnerDrawTest,
                         ::testing::Values(OwnerDrawCase{"plain", 0, 1, 0, 3},
                                           OwnerDrawCase{"asked, declined", 0x800, 0, 3, 3},
                                           OwnerDrawCase{"asked, drawn", 0x800, 1, 3, 0},
                                           OwnerDrawCase{"display only", 0x800 | 0x4000, 1, 0, 3}),
                         menu_paint::CaseName());

TEST_F(MenuPaintTest, ASubmenuAsksTheReceiverWhenItsTopMenuDoes) {
  ScopedRecordingTheme theme;
  m_children.emplace_back(new CFixedLayoutMenu);
  auto* pChild = static_cast<CFixedLayoutMenu*>(m_children.back().get());
  pChild->AddItem(7, "Inner");
  pChild->m_hWndCmdReceiver = m_receiver.GetSafeHwnd();
  m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, pChild);
  m_menu.SetTrackFlags(CExtPopupMenuWnd::TPMX_OWNERDRAW_ITEMS);
  ASSERT_TRUE(pChild->CreateMenuWindow(&m_receiver));
  DibSurface surface(CFixedLayoutMenu::kWidth, 100);
  pChild->PaintContent(surface.dc(), false);
  EXPECT_EQ(1, m_receiver.Count(CExtPopupMenuWnd::g_nMsgPopupDrawItem));
}

// ---------------------------------------------------------------------------------------------
// The paint record of a row.

// A row as the test sets it up (display and state flags, the menu's enabled flag included) and the
// font and window command the theme must be told of.
struct RowCase {
  const char* name;
  UINT nCmdId;
  BYTE nDisplay, nState;
  bool bBold;
  UINT nSysCommandId;
};

class RowRecordTest : public MenuPaintTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowRecordTest, TheThemeGetsTheRowAsItIs) {
  const RowCase& c = GetParam();
  ScopedRecordingTheme theme;
  Item& item = m_menu.AddItem(c.nCmdId, "&Row");
  item.m_sAccelText = "Ctrl+R";
  item.m_nDisplayFlags |= c.nDisplay;
  item.m_nStateFlags = c.nState;
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  Paint();
  ASSERT_EQ(1u, ScopedRecordingTheme::Rows().size());
  const menu_paint::PaintedRow& r = ScopedRecordingTheme::Rows()[0];
  EXPECT_EQ(m_menu.m_rows[0], CRect(r.itemRect));
  EXPECT_EQ("&Row", r.text);
  EXPECT_EQ("Ctrl+R", r.accelText);
  EXPECT_EQ(c.bBold ? (HFONT)g_PaintManagerHolder->m_FontBold.GetSafeHandle() : NULL, r.font);
  EXPECT_EQ(c.nSysCommandId, r.sysCommandId);
  EXPECT_EQ((c.nDisplay & Item::DISPLAY_CURRENT) != 0, r.selected);
  EXPECT_EQ((c.nState & Item::STATE_CHECKED) != 0, r.checkMark);
  EXPECT_EQ((c.nState & Item::STATE_RADIO) != 0, r.radio);
  EXPECT_EQ((c.nState & Item::STATE_ENABLED) != 0, r.enabled);
  EXPECT_FALSE(r.popup || r.rarelyUsed);
}

const BYTE kOn = Item::STATE_ENABLED;
INSTANTIATE_TEST_SUITE_P(
    Rows, RowRecordTest,
    ::testing::Values(RowCase{"plain", 0x1234, 0, kOn, false, 0},
                      RowCase{"default in the bold menu font", 0x1234, Item::DISPLAY_DEFAULT, kOn, true, 0},
                      RowCase{"first window command", 0xF000, 0, kOn, false, 0xF000},
                      RowCase{"close", 0xF060, 0, kOn, false, 0xF060},
                      RowCase{"last window command", 0xF1EF, 0, kOn, false, 0xF1EF},
                      RowCase{"just below the window commands", 0xEFFF, 0, kOn, false, 0},
                      RowCase{"just above the window commands", 0xF1F0, 0, kOn, false, 0},
                      RowCase{"checked", 0x1234, 0, kOn | Item::STATE_CHECKED, false, 0},
                      RowCase{"radio", 0x1234, 0, kOn | Item::STATE_RADIO, false, 0},
                      RowCase{"disabled", 0x1234, 0, 0, false, 0},
                      RowCase{"current", 0x1234, Item::DISPLAY_CURRENT, kOn, false, 0}),
    menu_paint::CaseName());

// ---------------------------------------------------------------------------------------------
// Rarely used rows and their neighbours. A row is one letter: C a command, S a separator, and
// submenus: R one whose child shows nothing (it stands for rarely used commands), H one whose child
// has a hidden row, V a shown row, K a hidden row that clicks, P one pinned as shown, O one of own
// data.

struct RarelyCase {
  const char* name; // the rows, up to an underscore
  DWORD dwTrackFlags;
  const char* want; // per row: R (rarely used), P (the previous one is), N (the next one is)
};

class RarelyUsedTest : public MenuPaintTest, public ::testing::WithParamInterface<RarelyCase> {};

void ClickIgnored(CExtPopupMenuWnd*, Item*) {}

TEST_P(RarelyUsedTest, RowsAndTheirNeighboursKnowTheGroup) {
  const RarelyCase& c = GetParam();
  for (const char* p = c.name; *p && *p != '_'; ++p) {
    if (*p == 'C' || *p == 'S') {
      m_menu.AddItem(*p == 'C' ? 200 : 0, "", *p == 'C' ? 22 : 6);
      continue;
    }
    m_children.emplace_back(new CFixedLayoutMenu);
    auto* pChild = static_cast<CFixedLayoutMenu*>(m_children.back().get());
    Item& item = m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, pChild);
    if (*p == 'P')
      item.m_nDisplayFlags |= Item::DISPLAY_RARELY_USED_SHOWN;
    if (*p == 'O')
      item.m_nStateFlags |= Item::STATE_OWN_DATA;
    if (*p == 'H' || *p == 'V' || *p == 'K') {
      Item& inner = pChild->AddItem(5);
      inner.m_nDisplayFlags = *p == 'V' ? Item::DISPLAY_SHOWN : 0;
      inner.m_pfnClickCallback = *p == 'K' ? &ClickIgnored : NULL;
    }
  }
  m_menu.SetTrackFlags(c.dwTrackFlags);
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  DibSurface surface(Client().Width(), Client().Height());
  CExtPopupMenuWnd::VisibleItems_t items;
  m_menu.BuildVisibleItems(surface.dc(), items);
  std::string got;
  for (const Vid& vid : items) {
    std::string flags;
    flags += (vid.m_nFlags & Vid::VID_RARELY_USED) ? "R" : "";
    flags += (vid.m_nFlags & Vid::VID_PREV_RARELY) ? "P" : "";
    flags += (vid.m_nFlags & Vid::VID_NEXT_RARELY) ? "N" : "";
    got += (got.empty() ? "" : " ") + (flags.empty() ? "-" : flags);
  }
  EXPECT_EQ(c.want, got);
}

INSTANTIATE_TEST_SUITE_P(Rows, RarelyUsedTest,
                         ::testing::Values(RarelyCase{"CRC", 0, "N R P"}, RarelyCase{"RR", 0, "RN RP"},
                                           RarelyCase{"RSR", 0, "RN RPN RP"}, RarelyCase{"CSR", 0, "- N R"},
                                           RarelyCase{"RSC", 0, "R P -"}, RarelyCase{"CSC", 0, "- - -"},
                                           RarelyCase{"H", 0, "R"}, RarelyCase{"V", 0, "-"},
                                           RarelyCase{"K", 0, "-"}, RarelyCase{"P", 0, "-"},
                                           RarelyCase{"O", 0, "-"},
                                           RarelyCase{"R_display_only", 0x4000, "-"}),
                         menu_paint::CaseName());

// ---------------------------------------------------------------------------------------------
// The expand effect: a rarely used row grows with the step, the rows below follow it, and a menu
// whose button lies below grows upwards.

struct ExpandCase {
  const char* name;
  int nStep;
  bool bAreaBelow;
};

class ExpandEffectTest : public MenuPaintTest, public ::testing::WithParamInterface<ExpandCase> {};

TEST_P(ExpandEffectTest, RarelyUsedRowsGrowIntoPlace) {
  const ExpandCase& c = GetParam();
  m_menu.AddItem(200, "Command");
  m_children.emplace_back(new CExtPopupMenuWnd);
  m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 30, m_children.back().get());
  m_menu.AddItem(201, "Command");
  ASSERT_TRUE(m_menu.CreateMenuWindow(&m_receiver));
  const CRect rcBody = m_menu.GetBodyRect();
  if (c.bAreaBelow) {
    m_menu.m_nFlags |= CExtPopupBaseWnd::POPUP_COMBINED_AREA;
    m_menu.m_rcArea.SetRect(rcBody.left, rcBody.bottom - 1, rcBody.left + 40, rcBody.bottom + 10);
    m_menu.m_nCombineSide = 2;
  }
  DibSurface surface(Client().Width(), Client().Height());
  ASSERT_TRUE(m_menu.CreateAnimationBuffers(Client().Width(), Client().Height()));
  ASSERT_TRUE(m_menu.FillAnimationBuffers(surface.dc()));
  m_menu.PaintExpandEffectFrame(surface.dc(), c.nStep);
  const CExtPopupMenuWnd::ExpandEffectRects_t& rects = m_menu.m_expandRects;
  ASSERT_EQ(3u, rects.size());
  // Rows span the body, one after the other; only the rarely used one is cut to the step.
  const int nGrown = 30 * c.nStep / 100;
  const int nBottom = c.bAreaBelow ? rcBody.bottom : rcBody.bottom - 30 + nGrown;
  EXPECT_EQ(CRect(rcBody.left, nBottom - rects[2].m_rcSource.Height(), rcBody.right, nBottom),
            rects[2].m_rcTarget);
  EXPECT_EQ(nGrown, rects[1].m_rcTarget.Height());
  EXPECT_EQ(rects[1].m_rcTarget.bottom, rects[2].m_rcTarget.top);
  EXPECT_EQ(rects[0].m_rcTarget.bottom, rects[1].m_rcTarget.top);
  EXPECT_EQ(rcBody.top, rects[0].m_rcSource.top);
  EXPECT_EQ(rects[0].m_rcSource.Size(), rects[0].m_rcTarget.Size());
}

INSTANTIATE_TEST_SUITE_P(Steps, ExpandEffectTest,
                         ::testing::Values(ExpandCase{"start", 0, false}, ExpandCase{"step 40", 40, false},
                                           ExpandCase{"step 40 above its button", 40, true}),
                         menu_paint::CaseName());

} // namespace
