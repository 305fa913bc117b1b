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
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
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

class LeftAreaTest : public MenuPaintTest, public ::testing::WithParamInterface<int> {};

TEST_P(LeftAreaTest, TheReceiverPaintsTheBandBesideTheItems) {
  const int nOffset = GetParam();
  m_menu.SetLeftAreaWidth(18);
  AddRows(3);
  m_menu.m_nScrollOffset = nOffset;
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
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
  ASSERT_EQ(1, m_receiver.Count(CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea));
  EXPECT_EQ(18, rcBand.Width());
  EXPECT_EQ(m_menu.m_rows[0].left - 18, rcBand.left);
  EXPECT_EQ(Body().top + m_menu.GetBorderSize() + nOffset, rcBand.top);
  EXPECT_EQ(kOwner, surface->At(rcBand.left + 9, m_menu.m_rows[0].CenterPoint().y + nOffset));
}

INSTANTIATE_TEST_SUITE_P(ScrollOffsets, LeftAreaTest, ::testing::Values(0, -10));

TEST_F(MenuPaintTest, WithoutALeftAreaTheReceiverIsNotAskedForOne) {
  AddRows(2);
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
  Paint();
  EXPECT_EQ(0, m_receiver.Count(CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea));
  EXPECT_EQ(1, m_receiver.Count(CExtPopupMenuWnd::g_nMsgPopupDrawBackground));
}

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
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
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
                         [](const auto& info) {
                           std::string s = info.param.name;
                           for (char& ch : s)
                             ch = isalnum((unsigned char)ch) ? ch : '_';
                           return s;
                         });

// ---------------------------------------------------------------------------------------------
// The paint record of a row.

struct RowCase {
  const char* name;
  std::function<void(Item&)> setup;
  std::function<void(const menu_paint::PaintedRow&)> check;
};

class RowRecordTest : public MenuPaintTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RowRecordTest, TheThemeGetsTheRowAsItIs) {
  const RowCase& c = GetParam();
  ScopedRecordingTheme theme;
  Item& item = m_menu.AddItem(0x1234, "&Row");
  item.m_sAccelText = "Ctrl+R";
  c.setup(item);
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
  Paint();
  ASSERT_EQ(1u, ScopedRecordingTheme::Rows().size()) << c.name;
  const menu_paint::PaintedRow& row = ScopedRecordingTheme::Rows()[0];
  EXPECT_EQ(m_menu.m_rows[0], CRect(row.itemRect)) << c.name;
  c.check(row);
}

HFONT BoldMenuFont() { return (HFONT)g_PaintManagerHolder->m_FontBold.GetSafeHandle(); }

INSTANTIATE_TEST_SUITE_P(
    Rows, RowRecordTest,
    ::testing::Values(RowCase{"plain", [](Item&) {},
                              [](const menu_paint::PaintedRow& r) {
                                EXPECT_EQ("&Row", r.text);
                                EXPECT_EQ("Ctrl+R", r.accelText);
                                EXPECT_EQ(NULL, r.font);
                                EXPECT_EQ(0u, r.sysCommandId);
                                EXPECT_TRUE(r.enabled);
                                EXPECT_FALSE(r.selected || r.checkMark || r.radio || r.popup || r.rarelyUsed);
                              }},
                      RowCase{"default item in the bold menu font",
                              [](Item& i) { i.m_nDisplayFlags |= Item::DISPLAY_DEFAULT; },
                              [](const menu_paint::PaintedRow& r) {
                                EXPECT_NE(nullptr, BoldMenuFont());
                                EXPECT_EQ(BoldMenuFont(), r.font);
                              }},
                      RowCase{"first window command", [](Item& i) { i.m_nCmdId = 0xF000; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_EQ(0xF000u, r.sysCommandId); }},
                      RowCase{"close command", [](Item& i) { i.m_nCmdId = 0xF060; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_EQ(0xF060u, r.sysCommandId); }},
                      RowCase{"last window command", [](Item& i) { i.m_nCmdId = 0xF1EF; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_EQ(0xF1EFu, r.sysCommandId); }},
                      RowCase{"just below the window commands", [](Item& i) { i.m_nCmdId = 0xEFFF; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_EQ(0u, r.sysCommandId); }},
                      RowCase{"just above the window commands", [](Item& i) { i.m_nCmdId = 0xF1F0; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_EQ(0u, r.sysCommandId); }},
                      RowCase{"checked", [](Item& i) { i.m_nStateFlags |= Item::STATE_CHECKED; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_TRUE(r.checkMark && !r.radio); }},
                      RowCase{"radio", [](Item& i) { i.m_nStateFlags |= Item::STATE_RADIO; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_TRUE(r.radio && !r.checkMark); }},
                      RowCase{"disabled", [](Item& i) { i.m_nStateFlags &= ~Item::STATE_ENABLED; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_FALSE(r.enabled); }},
                      RowCase{"current", [](Item& i) { i.m_nDisplayFlags |= Item::DISPLAY_CURRENT; },
                              [](const menu_paint::PaintedRow& r) { EXPECT_TRUE(r.selected); }}),
    [](const auto& info) {
      std::string s = info.param.name;
      for (char& ch : s)
        ch = isalnum((unsigned char)ch) ? ch : '_';
      return s;
    });

TEST_F(MenuPaintTest, TheRowOfAnOpenSubmenuStaysMarked) {
  ScopedRecordingTheme theme;
  m_children.emplace_back(new CFixedLayoutMenu);
  auto* pChild = static_cast<CFixedLayoutMenu*>(m_children.back().get());
  pChild->AddItem(7, "Inner");
  pChild->m_rcPlacement.OffsetRect(CFixedLayoutMenu::kWidth, 0);
  m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, pChild);
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
  ASSERT_TRUE(pChild->CreateHidden(&m_receiver));
  Paint();
  pChild->ShowNoActivate();
  Paint();
  ASSERT_EQ(2u, ScopedRecordingTheme::Rows().size());
  EXPECT_TRUE(ScopedRecordingTheme::Rows()[0].popup);
  EXPECT_FALSE(ScopedRecordingTheme::Rows()[0].selected);
  EXPECT_TRUE(ScopedRecordingTheme::Rows()[1].selected);
}

// ---------------------------------------------------------------------------------------------
// Rarely used rows and their neighbours. A row is written as one letter: C a command, S a
// separator, R a submenu whose child shows nothing (it stands for rarely used commands).

struct RarelyCase {
  const char* rows;
  const char* want; // per row: the flags R (rarely used), P (previous one is), N (next one is)
};

class RarelyUsedTest : public MenuPaintTest, public ::testing::WithParamInterface<RarelyCase> {};

std::string FlagsOf(const Vid& vid) {
  std::string s;
  if (vid.m_nFlags & Vid::VID_RARELY_USED)
    s += 'R';
  if (vid.m_nFlags & Vid::VID_PREV_RARELY)
    s += 'P';
  if (vid.m_nFlags & Vid::VID_NEXT_RARELY)
    s += 'N';
  return s.empty() ? "-" : s;
}

TEST_P(RarelyUsedTest, NeighboursKnowTheGroup) {
  const RarelyCase& c = GetParam();
  for (const char* p = c.rows; *p; ++p) {
    if (*p == 'C')
      m_menu.AddItem(200, "Command");
    else if (*p == 'S')
      m_menu.AddItem(0, "", 6);
    else {
      m_children.emplace_back(new CExtPopupMenuWnd);
      m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, m_children.back().get());
    }
  }
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
  DibSurface surface(Client().Width(), Client().Height());
  CExtPopupMenuWnd::VisibleItems_t items;
  m_menu.BuildVisibleItems(surface.dc(), items);
  std::string got;
  for (const Vid& vid : items)
    got += (got.empty() ? "" : " ") + FlagsOf(vid);
  EXPECT_EQ(c.want, got) << c.rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, RarelyUsedTest,
                         ::testing::Values(RarelyCase{"CRC", "N R P"}, RarelyCase{"RR", "RN RP"},
                                           RarelyCase{"RSR", "RN RPN RP"}, RarelyCase{"CSR", "- N R"},
                                           RarelyCase{"RSC", "R P -"}, RarelyCase{"CSC", "- - -"}));

// A submenu item stops standing for rarely used commands when anything in it can be reached.
struct SubmenuCase {
  const char* name;
  std::function<void(Item& parent, CFixedLayoutMenu& child)> setup;
  bool bRarelyUsed;
};

class RarelyUsedSubmenuTest : public MenuPaintTest, public ::testing::WithParamInterface<SubmenuCase> {};

TEST_P(RarelyUsedSubmenuTest, OnlyAnEmptySubmenuIsRarelyUsed) {
  const SubmenuCase& c = GetParam();
  m_children.emplace_back(new CFixedLayoutMenu);
  auto* pChild = static_cast<CFixedLayoutMenu*>(m_children.back().get());
  Item& item = m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, pChild);
  c.setup(item, *pChild);
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
  DibSurface surface(Client().Width(), Client().Height());
  CExtPopupMenuWnd::VisibleItems_t items;
  m_menu.BuildVisibleItems(surface.dc(), items);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(c.bRarelyUsed, (items[0].m_nFlags & Vid::VID_RARELY_USED) != 0) << c.name;
  EXPECT_EQ(Vid::VID_POPUP, items[0].m_nFlags & Vid::VID_POPUP);
}

void ClickIgnored(CExtPopupMenuWnd*, Item*) {}

INSTANTIATE_TEST_SUITE_P(
    Submenus, RarelyUsedSubmenuTest,
    ::testing::Values(
        SubmenuCase{"empty", [](Item&, CFixedLayoutMenu&) {}, true},
        SubmenuCase{"a hidden child row",
                    [](Item&, CFixedLayoutMenu& c) { c.AddItem(5).m_nDisplayFlags = 0; }, true},
        SubmenuCase{"a shown child row", [](Item&, CFixedLayoutMenu& c) { c.AddItem(5); }, false},
        SubmenuCase{"a hidden child row that clicks",
                    [](Item&, CFixedLayoutMenu& c) {
                      Item& i = c.AddItem(5);
                      i.m_nDisplayFlags = 0;
                      i.m_pfnClickCallback = &ClickIgnored;
                    },
                    false},
        SubmenuCase{"pinned as shown",
                    [](Item& i, CFixedLayoutMenu&) { i.m_nDisplayFlags |= Item::DISPLAY_RARELY_USED_SHOWN; },
                    false},
        SubmenuCase{"own data", [](Item& i, CFixedLayoutMenu&) { i.m_nStateFlags |= Item::STATE_OWN_DATA; },
                    false}),
    [](const auto& info) {
      std::string s = info.param.name;
      for (char& ch : s)
        ch = isalnum((unsigned char)ch) ? ch : '_';
      return s;
    });

TEST_F(MenuPaintTest, ADisplayOnlyMenuHasNoRarelyUsedRows) {
  m_children.emplace_back(new CExtPopupMenuWnd);
  m_menu.AddItem(CExtPopupMenuWnd::ID_SUBMENU, "Sub", 22, m_children.back().get());
  m_menu.SetTrackFlags(CExtPopupMenuWnd::TPMX_DISPLAY_ONLY);
  ASSERT_TRUE(m_menu.CreateHidden(&m_receiver));
  DibSurface surface(Client().Width(), Client().Height());
  CExtPopupMenuWnd::VisibleItems_t items;
  m_menu.BuildVisibleItems(surface.dc(), items);
  ASSERT_EQ(1u, items.size());
  EXPECT_EQ(0, items[0].m_nFlags & Vid::VID_RARELY_USED);
}

} // namespace
