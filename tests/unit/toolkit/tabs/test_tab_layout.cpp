// The tab strip's layout in real windows, for each of the four edges: measured items, the band
// and the near-border area, the buttons and their states, scroll limits, smooth scrolling,
// bringing items into view, the hit codes and the strip's share of its parent.
#include "tests/unit/toolkit/tabs/tab_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace {

const int kLength = 300;
const int kThickness = 40;
const int kEdge = 2;    // the themes' distance of the band from the strip's edge
const int kNearEnd = 4; // the items' inset at the near end
const int kFarEnd = 2;  // and at the far end, before the buttons

int ButtonSide() {
  return std::max(std::min(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, 12);
}

CSize TextSize(LPCSTR s, bool bVertical) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  CClientDC dc(nullptr);
  CFont* pFont = bVertical ? &pPM->m_FontNormalVert : &pPM->m_FontNormal;
  HGDIOBJ hOld = ::SelectObject(dc.m_hDC, pFont->m_hObject);
  RECT rc = {0, 0, 0, 0};
  ::DrawTextA(dc.m_hDC, s, -1, &rc, DT_SINGLELINE | DT_CALCRECT);
  ::SelectObject(dc.m_hDC, hOld);
  return CSize(rc.right - rc.left, rc.bottom - rc.top);
}

std::vector<std::string> ManyItems() {
  std::vector<std::string> texts;
  for (int i = 0; i < 14; ++i)
    texts.push_back("Document " + std::to_string(i));
  return texts;
}

class TabLayout : public ::testing::TestWithParam<int> {
protected:
  int Orientation() const { return GetParam(); }
  bool Horz() const { return GetParam() < 2; }
  std::unique_ptr<TabHost> Make(DWORD dwStyle) {
    const CSize size = TabHost::StripSize(Orientation(), kLength, kThickness);
    auto pHost = std::make_unique<TabHost>(dwStyle | (DWORD)Orientation(), size.cx, size.cy);
    EXPECT_TRUE(pHost->Ok());
    return pHost;
  }
  int Along(const CRect& rc) const { return Horz() ? rc.Width() : rc.Height(); }
  int Across(const CRect& rc) const { return Horz() ? rc.Height() : rc.Width(); }
  int Along(const CSize& s) const { return Horz() ? s.cx : s.cy; }
  int Across(const CSize& s) const { return Horz() ? s.cy : s.cx; }
};

TEST_P(TabLayout, MeasuresItemsAndPlacesTheBandOnItsEdge) {
  auto pHost = Make(0);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems({"One", "Three", ""});
  int nThickest = 0;
  for (int i = 0; i < 3; ++i) {
    const CSize text = TextSize(tab.ItemGet(i)->GetText(), !Horz());
    const int nLength = Horz() ? text.cx + 7 : text.cx + 17;
    const int nThick = Horz() ? text.cy + 4 : text.cy + 6;
    EXPECT_EQ(std::max(nLength, 24), Along(tab.ItemGet(i)->GetSize())) << i;
    EXPECT_EQ(std::max(nThick, 20), Across(tab.ItemGet(i)->GetSize())) << i;
    nThickest = std::max(nThickest, std::max(nThick, 20));
  }
  const CRect rcArea = tab.GetItemsAreaRect();
  const int nButtons = kFarEnd + 2 * (ButtonSide() + kFarEnd); // previous and next are reserved
  EXPECT_EQ(nThickest, Across(rcArea));
  EXPECT_EQ(kLength - kNearEnd - kFarEnd - nButtons, Along(rcArea));
  EXPECT_EQ(kNearEnd, Horz() ? rcArea.left : rcArea.top);
  const int nFromEdge[] = {rcArea.top, kThickness - rcArea.bottom, rcArea.left, kThickness - rcArea.right};
  EXPECT_EQ(kEdge, nFromEdge[Orientation()]);
  // The rest of the strip beyond the band is the near-border area.
  EXPECT_EQ(kThickness - kEdge - nThickest, Across(tab.GetNearBorderAreaRect()));
  // Items follow one another from the near end; everything fits, so nothing scrolls.
  EXPECT_EQ(0, Horz() ? tab.ItemGet(0)->ItemRectGet().left : tab.ItemGet(0)->ItemRectGet().top);
  EXPECT_EQ(Along(tab.ItemGet(0)->GetSize()),
            Horz() ? tab.ItemGet(1)->ItemRectGet().left : tab.ItemGet(1)->ItemRectGet().top);
  EXPECT_FALSE(tab.IsScrollAvailable());
  EXPECT_EQ(0, tab.GetFirstVisibleIndex());
  EXPECT_EQ(2, tab.GetLastVisibleIndex());
}

TEST_P(TabLayout, HitCodesNameTheAreasButtonsAndItems) {
  auto pHost = Make(0x210 | CExtTabWnd::TS_SHOW_HELP);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems({"One", "Two"});
  EXPECT_EQ(1, tab.HitTest(tab.ItemRectInClient(tab.ItemGet(1)).CenterPoint()));
  EXPECT_EQ(CExtTabWnd::HT_NEAR_BORDER, tab.HitTest(tab.GetNearBorderAreaRect().CenterPoint()));
  const CRect rcArea = tab.GetItemsAreaRect();
  const CPoint ptEmpty = Horz() ? CPoint(rcArea.right - 2, rcArea.CenterPoint().y)
                                : CPoint(rcArea.CenterPoint().x, rcArea.bottom - 2);
  EXPECT_EQ(CExtTabWnd::HT_ITEMS_AREA, tab.HitTest(ptEmpty));
  EXPECT_EQ(CExtTabWnd::HT_NOWHERE, tab.HitTest(CPoint(-3, -3)));
  // Close, then help, nearest the far end; close is enabled, help is not.
  const CRect rcClose = tab.GetButtonRect(CExtTabWnd::HT_BUTTON_CLOSE);
  const CRect rcHelp = tab.GetButtonRect(CExtTabWnd::HT_BUTTON_HELP);
  EXPECT_EQ(CExtTabWnd::HT_BUTTON_CLOSE, tab.HitTest(rcClose.CenterPoint()));
  EXPECT_EQ(CExtTabWnd::HT_BUTTON_HELP, tab.HitTest(rcHelp.CenterPoint()));
  EXPECT_GT(Horz() ? rcClose.left : rcClose.top, Horz() ? rcHelp.left : rcHelp.top);
  EXPECT_EQ(kLength - kFarEnd - kFarEnd, Horz() ? rcClose.right : rcClose.bottom);
  EXPECT_TRUE(tab.IsButtonEnabled(CExtTabWnd::HT_BUTTON_CLOSE));
  EXPECT_FALSE(tab.IsButtonEnabled(CExtTabWnd::HT_BUTTON_HELP));
  // Centred across the band.
  EXPECT_LE(std::abs((Horz() ? rcClose.CenterPoint().y - rcArea.CenterPoint().y
                             : rcClose.CenterPoint().x - rcArea.CenterPoint().x)),
            1);
}

TEST_P(TabLayout, ItemsThatDoNotFitScrollBetweenZeroAndTheLimit) {
  auto pHost = Make(0);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems(ManyItems());
  int nExtent = 0;
  for (int i = 0; i < tab.ItemGetCount(); ++i)
    nExtent += Along(tab.ItemGet(i)->GetSize());
  const int nMax = nExtent - Along(tab.GetItemsAreaRect());
  ASSERT_GT(nMax, 30);
  EXPECT_EQ(nMax, tab.ScrollMaxGet());
  EXPECT_FALSE(tab.IsButtonEnabled(CExtTabWnd::HT_BUTTON_PREV));
  EXPECT_TRUE(tab.IsButtonEnabled(CExtTabWnd::HT_BUTTON_NEXT));
  EXPECT_EQ(CExtTabWnd::HT_BUTTON_NEXT,
            tab.HitTest(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_NEXT).CenterPoint()));
  EXPECT_EQ(CExtTabWnd::HT_BUTTON_PREV,
            tab.HitTest(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_PREV).CenterPoint()));
  EXPECT_LT(tab.GetLastVisibleIndex(), tab.ItemGetCount() - 1);
  tab.ScrollBy(7, false);
  EXPECT_EQ(7, tab.ScrollPosGet());
  EXPECT_TRUE(tab.IsButtonEnabled(CExtTabWnd::HT_BUTTON_PREV));
  tab.ScrollBy(100000, false);
  EXPECT_EQ(nMax, tab.ScrollPosGet());
  EXPECT_FALSE(tab.IsButtonEnabled(CExtTabWnd::HT_BUTTON_NEXT));
  EXPECT_EQ(tab.ItemGetCount() - 1, tab.GetLastVisibleIndex());
  EXPECT_GT(tab.GetFirstVisibleIndex(), 0);
  // A point on the first item in view answers that item, scrolled or not.
  const int nFirst = tab.GetFirstVisibleIndex() + 1;
  EXPECT_EQ(nFirst, tab.HitTest(tab.ItemRectInClient(tab.ItemGet(nFirst)).CenterPoint()));
  tab.ScrollBy(-100000, false);
  EXPECT_EQ(0, tab.ScrollPosGet());
}

TEST_P(TabLayout, ASmoothScrollMovesTenPixelsAStepAndStops) {
  auto pHost = Make(0);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems(ManyItems());
  const int nMax = tab.ScrollMaxGet();
  tab.ScrollBy(nMax - 25, false);
  tab.ScrollBy(1, true);
  ASSERT_TRUE(tab.IsScrolling());
  std::vector<int> steps;
  int nLast = tab.ScrollPosGet();
  while (tab.IsScrolling() && steps.size() < 10) {
    tab.SmoothScrollStep();
    steps.push_back(tab.ScrollPosGet() - nLast);
    nLast = tab.ScrollPosGet();
  }
  EXPECT_EQ((std::vector<int>{10, 10, 5}), steps);
  EXPECT_EQ(nMax, tab.ScrollPosGet());
  // Back to the start under the window's own timer.
  tab.ScrollBy(-1, true);
  EXPECT_TRUE(PumpUntil([&] { return !tab.IsScrolling(); }));
  EXPECT_EQ(0, tab.ScrollPosGet());
}

TEST_P(TabLayout, PageScrollingMovesOneItemAreaLength) {
  auto pHost = Make(CExtTabWnd::TS_SCROLL_BY_PAGE);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems(ManyItems());
  const int nPage = Along(tab.GetItemsAreaRect());
  ASSERT_GT(tab.ScrollMaxGet(), nPage);
  tab.ScrollBy(1, true);
  EXPECT_TRUE(PumpUntil([&] { return !tab.IsScrolling(); }));
  EXPECT_EQ(nPage, tab.ScrollPosGet());
}

TEST_P(TabLayout, EnsureVisibleScrollsToAnItemAndRefusesHiddenOnes) {
  auto pHost = Make(0);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems(ManyItems());
  const int nLast = tab.ItemGetCount() - 1;
  EXPECT_TRUE(tab.ItemEnsureVisible(nLast, true));
  EXPECT_EQ(tab.ScrollMaxGet(), tab.ScrollPosGet());
  EXPECT_EQ(nLast, tab.GetLastVisibleIndex());
  EXPECT_TRUE(tab.ItemEnsureVisible(0, true));
  EXPECT_EQ(0, tab.ScrollPosGet());
  // Selecting an item brings it into view.
  tab.SelectItem(8, true, true);
  const CRect rcItem = tab.ItemRectInClient(tab.ItemGet(8));
  const CRect rcArea = tab.GetItemsAreaRect();
  EXPECT_LE(Horz() ? rcItem.right : rcItem.bottom, (Horz() ? rcArea.right : rcArea.bottom) + 6);
  tab.ItemGet(3)->ModifyItemStyle(0, CExtTabWnd::TIS_HIDDEN);
  EXPECT_FALSE(tab.ItemEnsureVisible(3, true));
  EXPECT_FALSE(tab.IsLayoutDirty());
}

TEST_P(TabLayout, FitModeSharesTheLengthAndNeverScrolls) {
  auto pHost = Make(CExtTabWnd::TS_FIT);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems(ManyItems());
  const int nArea = kLength - kNearEnd - kFarEnd - kFarEnd; // no scroll buttons reserved
  EXPECT_EQ(nArea, Along(tab.GetItemsAreaRect()));
  EXPECT_FALSE(tab.IsScrollAvailable());
  EXPECT_TRUE(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_PREV).IsRectEmpty());
  EXPECT_TRUE(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_NEXT).IsRectEmpty());
  const int nShare = std::max(nArea / tab.ItemGetCount(), 24);
  for (int i = 0; i < tab.ItemGetCount(); ++i) {
    EXPECT_EQ(nShare, Along(tab.ItemGet(i)->GetSize())) << i;
    EXPECT_EQ(CExtTabWnd::TIL_SHORTENED, tab.ItemGet(i)->GetLayoutFlags()) << i;
  }
  EXPECT_NE(0, tab.GetWndFlags() & CExtTabWnd::WF_TEXT_SHORTENED);
  tab.ScrollBy(50, false);
  EXPECT_EQ(0, tab.ScrollPosGet());
}

TEST_P(TabLayout, AnIconAddsItsSizeAndAGapBesideTheText) {
  auto pHost = Make(0);
  CExtTabWnd& tab = pHost->Tab();
  HICON hIcon = CExtPaintManager::CreateColorSampleIcon(RGB(200, 0, 0));
  ASSERT_TRUE(hIcon != NULL);
  tab.InsertItem("Icon", hIcon, false, 0, -1, 0, true);
  const CSize text = TextSize("Icon", !Horz());
  const CSize size = tab.ItemGet(0)->GetSize();
  EXPECT_EQ(CSize(16, 16), tab.ItemGet(0)->GetIconSize());
  EXPECT_EQ(Horz() ? text.cx + 16 + 10 : text.cx + 10 + 16 + 10, Along(size));
  EXPECT_EQ(Horz() ? std::max<int>(16, text.cy) + 4 : std::max<int>(16, text.cy + 2) + 4, Across(size));
  // A moved item keeps a picture of its own.
  tab.InsertItem("Other", NULL, false, 0, -1, 1, true);
  ASSERT_TRUE(tab.ItemMove(0, 1, true));
  EXPECT_EQ(CSize(16, 16), tab.ItemGet(1)->GetIconSize());
  EXPECT_FALSE(tab.ItemGet(1)->GetIconPtr()->IsEmpty());
}

TEST_P(TabLayout, ScrollButtonsHideWhileNothingScrollsWhenAsked) {
  auto pHost = Make(CExtTabWnd::TS_AUTOHIDE_SCROLL);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems({"One", "Two"});
  EXPECT_TRUE(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_PREV).IsRectEmpty());
  EXPECT_TRUE(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_NEXT).IsRectEmpty());
  pHost->AddItems(ManyItems());
  EXPECT_FALSE(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_PREV).IsRectEmpty());
  EXPECT_FALSE(tab.GetButtonRect(CExtTabWnd::HT_BUTTON_NEXT).IsRectEmpty());
  EXPECT_FALSE(tab.IsButtonEnabled(CExtTabWnd::HT_BUTTON_PREV));
}

TEST_P(TabLayout, MultiRowWrapsItemsInsteadOfScrolling) {
  auto pHost = Make(CExtTabWnd::TS_MULTI_ROW);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems({"Document 1", "Document 2", "Document 3", "Document 4", "Document 5"});
  EXPECT_FALSE(tab.IsScrollAvailable());
  int nRows = 1;
  for (int i = 0; i < tab.ItemGetCount(); ++i)
    nRows += (tab.ItemGet(i)->GetLayoutFlags() & CExtTabWnd::TIL_ROW_END) != 0 && i + 1 < tab.ItemGetCount();
  ASSERT_GT(nRows, 1);
  EXPECT_EQ(0, tab.GetFirstVisibleIndex());
  EXPECT_EQ(tab.ItemGetCount() - 1, tab.GetLastVisibleIndex());
  // Every row restarts at the near end.
  int nAtStart = 0;
  for (int i = 0; i < tab.ItemGetCount(); ++i)
    nAtStart += (Horz() ? tab.ItemGet(i)->ItemRectGet().left : tab.ItemGet(i)->ItemRectGet().top) == 0;
  EXPECT_EQ(nRows, nAtStart);
}

// The band the strip takes of the rectangle its parent offers: the item band with the margin,
// two pixels more on the far edges.
TEST_P(TabLayout, TakesItsBandOfTheParentsRectangle) {
  auto pHost = Make(0);
  CExtTabWnd& tab = pHost->Tab();
  pHost->AddItems({"One"});
  AFX_SIZEPARENTPARAMS layout = {};
  layout.rect = CRect(0, 0, 400, 300);
  tab.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  const int nBand = Across(tab.GetItemsAreaRect()) + 6 + (Orientation() % 2 == 1 ? 2 : 0);
  const CRect rcLeft(layout.rect);
  const CRect rcExpected[] = {CRect(0, nBand, 400, 300), CRect(0, 0, 400, 300 - nBand),
                              CRect(nBand, 0, 400, 300), CRect(0, 0, 400 - nBand, 300)};
  EXPECT_EQ(rcExpected[Orientation()], rcLeft);
  EXPECT_EQ(nBand, Horz() ? layout.sizeTotal.cy : layout.sizeTotal.cx);
  // An empty offer takes nothing.
  AFX_SIZEPARENTPARAMS empty = {};
  empty.rect = CRect(0, 0, 0, 300);
  tab.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&empty));
  EXPECT_EQ(CRect(0, 0, 0, 300), CRect(empty.rect));
  // The parent's own layout moves the strip onto that band of its client area.
  CRect rcClient;
  pHost->Host().GetClientRect(&rcClient);
  pHost->Host().RepositionBars(0, 0xFFFF, 0);
  CRect rcStrip;
  tab.GetWindowRect(&rcStrip);
  pHost->Host().ScreenToClient(&rcStrip);
  const CRect rcBands[] = {
      CRect(0, 0, rcClient.right, nBand), CRect(0, rcClient.bottom - nBand, rcClient.right, rcClient.bottom),
      CRect(0, 0, nBand, rcClient.bottom), CRect(rcClient.right - nBand, 0, rcClient.right, rcClient.bottom)};
  EXPECT_EQ(rcBands[Orientation()], rcStrip);
  EXPECT_FALSE(tab.IsLayoutDirty());
  EXPECT_EQ(Along(rcStrip) - kNearEnd - kFarEnd - (kFarEnd + 2 * (ButtonSide() + kFarEnd)),
            Along(tab.GetItemsAreaRect()));
}

std::string EdgeName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[] = {"Top", "Bottom", "Left", "Right"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(Edges, TabLayout, ::testing::Values(0, 1, 2, 3), EdgeName);

TEST(TabLayoutGroups, InactiveItemsShrinkToTheirIconLengthAndGroupsStandApart) {
  TabHost host(CExtTabWnd::TS_GROUPED, 400, 40);
  ASSERT_TRUE(host.Ok());
  CExtTabWnd& tab = host.Tab();
  host.AddItems({"First", "Second longer", "Third"});
  tab.ItemGet(2)->ModifyItemStyle(0, CExtTabWnd::TIS_GROUP_START);
  tab.ItemGet(1)->ModifyItemStyle(0, CExtTabWnd::TIS_IN_GROUP_ACTIVE);
  tab.UpdateTabWnd(true);
  const CSize longest = TextSize("Second longer", false);
  EXPECT_EQ(std::max<int>(longest.cx + 7, 24), tab.ItemGet(1)->GetSize().cx);
  // Without icons an inactive item keeps only the fixed padding.
  EXPECT_EQ(7, tab.ItemGet(0)->GetSize().cx);
  EXPECT_EQ(7, tab.ItemGet(2)->GetSize().cx);
  EXPECT_EQ(tab.ItemGet(1)->ItemRectGet().right + 20, tab.ItemGet(2)->ItemRectGet().left);
  // Group mode keeps no distance from the edge.
  EXPECT_EQ(0, tab.GetItemsAreaRect().top);
}

// Counts the layouts that ran because something had changed.
class CCountingTab : public CExtTabWnd {
public:
  int m_nLayouts = 0;
  void RecalcLayout() override {
    if (IsLayoutDirty() && GetSafeHwnd() != NULL)
      ++m_nLayouts;
    CExtTabWnd::RecalcLayout();
  }
};

TEST(TabLayoutTheme, AThemeChangeLaysTheStripOutAtTheNextPaint) {
  CCountingTab tab;
  TabHost host(0, 300, 40, &tab);
  ASSERT_TRUE(host.Ok());
  host.AddItems({"One", "Two"});
  tab.RedrawWindow();
  const int nBefore = tab.m_nLayouts;
  CRuntimeClass* pTheme = g_PaintManagerHolder->GetRuntimeClass();
  tab.RedrawWindow();
  EXPECT_EQ(nBefore, tab.m_nLayouts);
  CRuntimeClass* pOther = pTheme == RUNTIME_CLASS(CExtPaintManagerOffice2003)
                              ? RUNTIME_CLASS(CExtPaintManager)
                              : RUNTIME_CLASS(CExtPaintManagerOffice2003);
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(pOther));
  tab.RedrawWindow();
  EXPECT_EQ(nBefore + 1, tab.m_nLayouts);
  g_PaintManagerHolder.InstallThemeByClass(pTheme);
}

TEST(TabWindow, ASubclassedControlTakesTheTabStyleFromItsWindowStyle) {
  ASSERT_TRUE(CExtTabWnd::RegisterWindowClass());
  WNDCLASSA wc = {};
  ASSERT_TRUE(::GetClassInfoA(::GetModuleHandleA(NULL), CExtTabWnd::kClassName, &wc));
  EXPECT_EQ((UINT)(CS_DBLCLKS | CS_GLOBALCLASS), wc.style);
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  HWND hWnd = ::CreateWindowExA(0, CExtTabWnd::kClassName, "", WS_CHILD | WS_VISIBLE | 0x0215, 0, 0, 200, 40,
                                host.m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
  ASSERT_TRUE(hWnd != NULL);
  CExtTabWnd tab;
  ASSERT_TRUE(tab.SubclassWindow(hWnd));
  EXPECT_EQ(0x0215u, tab.GetTabWndStyle());
  EXPECT_EQ(0u, tab.GetStyle() & 0xFFFF);
  tab.DestroyWindow();
  host.DestroyWindow();
}

TEST(TabWindow, CreationFailsLoudlyWhenTheStripCannotBeCompleted) {
  struct CIncomplete : CExtTabWnd {
    bool OnTabWndCreated() override { return false; }
  };
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  CIncomplete tab;
  bool bThrown = false;
  try {
    tab.Create(&host, CRect(0, 0, 100, 30), 1, WS_CHILD, 0);
  } catch (CMemoryException* e) {
    e->Delete();
    bThrown = true;
  }
  EXPECT_TRUE(bThrown);
  host.DestroyWindow();
}

} // namespace
