// Placing a docked tool bar's buttons: one row inside the client area, the overflow behind the
// chevron in bar order with the separators between, best-fit overflow, collapsed separators and
// right-to-left mirroring.
#include "tests/unit/toolkit/bars/layout_support.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace {

// The client width (height for a vertical bar) that leaves nRoom for the buttons before a 12-pixel
// chevron in the classic theme (borders 1 and 1, no spacing).
int ClientForRoom(int nRoom) { return nRoom + 12 + 2; }

// Sizes the window so that its client area gets cx x cy, and places the buttons.
void PlaceClient(CLayoutTestBar& bar, int cx, int cy) {
  // Twice: the non-client area of a window too small for it is only known once it is larger.
  for (int nPass = 0; nPass < 2; ++nPass) {
    CRect rcWindow, rcClient;
    bar.GetWindowRect(&rcWindow);
    bar.GetClientRect(&rcClient);
    bar.PlaceAt(std::max(cx, 200) + rcWindow.Width() - rcClient.Width(),
                std::max(cy, 200) + rcWindow.Height() - rcClient.Height());
  }
  CRect rcWindow, rcClient;
  bar.GetWindowRect(&rcWindow);
  bar.GetClientRect(&rcClient);
  bar.PlaceAt(cx + rcWindow.Width() - rcClient.Width(), cy + rcWindow.Height() - rcClient.Height());
}

bool Shown(const CExtBarButton* p) { return p->IsVisible() && (p->GetStyle() & TBBS_HIDDEN) == 0; }

// What every docked placement must hold; an empty string when it does.
std::string CheckDockedPlacement(CLayoutTestBar& bar) {
  std::ostringstream out;
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  const bool bHorz = bar.IsBarHorizontal();
  const int nCount = bar.GetButtonCount() - 1; // without the chevron
  std::vector<CExtBarButton*> list = bar.HiddenList();
  std::vector<CRect> solid;
  if (bar.m_pRightBtn->IsVisible())
    solid.push_back(bar.m_pRightBtn->GetRect());
  bool bPrevShownSeparator = true; // nothing shown yet counts as a separator
  int nLastShown = -1;
  for (int i = 0; i < nCount; ++i) {
    CExtBarButton* p = bar.m_buttons[i];
    const bool bListed = std::find(list.begin(), list.end(), p) != list.end();
    if ((p->GetStyle() & TBBS_HIDDEN) != 0 && (p->IsVisible() || bListed))
      out << "hidden-style button " << i << " shown or listed; ";
    if (!p->IsSeparator() && (p->GetStyle() & TBBS_HIDDEN) == 0 && p->IsVisible() == bListed)
      out << "button " << i << (bListed ? " both shown and listed; " : " neither shown nor listed; ");
    if (!Shown(p))
      continue;
    CRect rc = p->GetRect(), rcIn;
    if (!rcIn.IntersectRect(rc, rcClient) || rcIn != rc)
      out << "button " << i << " outside the client area; ";
    const int nMid = bHorz ? rcClient.Height() / 2 : rcClient.Width() / 2;
    if ((bHorz ? rc.top : rc.left) > nMid || (bHorz ? rc.bottom : rc.right) <= nMid)
      out << "button " << i << " off the single row; ";
    if (p->IsSeparator() && bPrevShownSeparator)
      out << "separator " << i << " leads or follows a separator; ";
    bPrevShownSeparator = p->IsSeparator();
    nLastShown = i;
    if (p->IsSeparator())
      continue;
    for (const CRect& other : solid)
      if (CRect().IntersectRect(rc, other))
        out << "button " << i << " overlaps; ";
    solid.push_back(rc);
  }
  if (!list.empty() && nLastShown >= 0 && bar.m_buttons[nLastShown]->IsSeparator())
    out << "the row ends with a separator; ";
  // The list: buttons in bar order, a separator only between two of them and from between them.
  int nPrevIndex = -1;
  for (size_t k = 0; k < list.size(); ++k) {
    const int nIndex = bar.IndexOf(list[k]);
    if (nIndex <= nPrevIndex)
      out << "list out of bar order at " << k << "; ";
    if (list[k]->IsSeparator() && (k == 0 || k + 1 == list.size() || list[k + 1]->IsSeparator()))
      out << "stray separator in the list at " << k << "; ";
    nPrevIndex = nIndex;
  }
  return out.str();
}

struct RandomCase {
  unsigned nSeed;
  DWORD dwAlign;
};

class LayoutRandomDocked : public ::testing::TestWithParam<RandomCase> {};

TEST_P(LayoutRandomDocked, EveryWidthKeepsOneSoundRowAndListsTheRest) {
  HostedBar hosted(GetParam().dwAlign);
  CLayoutTestBar& bar = *hosted.bar;
  ASSERT_TRUE(bar.GetSafeHwnd() != NULL);
  std::mt19937 random(GetParam().nSeed);
  const CSize sizes[] = {CSize(23, 22), CSize(46, 46), CSize(30, 22), CSize(16, 22)};
  const int nButtons = 5 + (int)(random() % 26);
  for (int i = 0; i < nButtons; ++i) {
    const unsigned nKind = random() % 20;
    if (nKind < 3)
      bar.AddSeparator();
    else
      bar.AddButton(sizes[random() % 4], RGB(0, 0, 255), nKind < 5 ? TBBS_HIDDEN : 0);
  }
  bar.AddChevron();
  const bool bHorz = bar.IsBarHorizontal();
  const CSize sizeFull = bar.CalcSize(!bHorz);
  const int nFull = bHorz ? sizeFull.cx : sizeFull.cy;
  for (int nStep = 0; nStep < 12; ++nStep) {
    const int nLength = 30 + (int)(random() % (unsigned)(nFull + 20));
    if (bHorz)
      PlaceClient(bar, nLength, 50);
    else
      PlaceClient(bar, 50, nLength);
    EXPECT_EQ("", CheckDockedPlacement(bar)) << "length " << nLength;
  }
  if (bHorz)
    PlaceClient(bar, nFull, 50);
  else
    PlaceClient(bar, 50, nFull);
  EXPECT_TRUE(bar.HiddenList().empty()) << "the measured length shows everything";
}

INSTANTIATE_TEST_SUITE_P(Seeds, LayoutRandomDocked,
                         ::testing::Values(RandomCase{1, CBRS_ALIGN_TOP}, RandomCase{2, CBRS_ALIGN_TOP},
                                           RandomCase{3, CBRS_ALIGN_TOP}, RandomCase{4, CBRS_ALIGN_TOP},
                                           RandomCase{5, CBRS_ALIGN_TOP}, RandomCase{6, CBRS_ALIGN_TOP},
                                           RandomCase{7, CBRS_ALIGN_LEFT}, RandomCase{8, CBRS_ALIGN_LEFT},
                                           RandomCase{9, CBRS_ALIGN_LEFT}, RandomCase{10, CBRS_ALIGN_LEFT}));

struct BestFitCase {
  int nRoom;
  const char* pszExpectedList; // letters of the taken-out buttons
};

class LayoutBestFit : public ::testing::TestWithParam<BestFitCase> {};

// A 23, B 10, C 23, D 46: 102 pixels in a row.
TEST_P(LayoutBestFit, TheButtonClosestToTheOverflowIsTakenOut) {
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  std::vector<CExtBarButton*> buttons = {bar.AddButton(CSize(23, 22)), bar.AddButton(CSize(10, 22)),
                                         bar.AddButton(CSize(23, 22)), bar.AddButton(CSize(46, 22))};
  bar.AddChevron();
  PlaceClient(bar, ClientForRoom(GetParam().nRoom), 30);
  std::string sList;
  for (CExtBarButton* p : bar.HiddenList())
    sList += (char)('A' + (std::find(buttons.begin(), buttons.end(), p) - buttons.begin()));
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  EXPECT_EQ(GetParam().pszExpectedList, sList)
      << "client " << rcClient.Width() << " chevron " << bar.m_pRightBtn->GetRect().left << " spacing "
      << g_PaintManagerHolder->GetToolBarButtonSpacing().cx;
  EXPECT_EQ("", CheckDockedPlacement(bar));
}

// Overflow 10 at D: B (10) fits it exactly where D would leave 36 unused. Overflow 30: A leaves 7
// to go where D would waste 16, so A goes, then D for the rest. No overflow: nothing goes. Room
// for A only: each later button overflows by its own length and goes itself.
INSTANTIATE_TEST_SUITE_P(Rooms, LayoutBestFit,
                         ::testing::Values(BestFitCase{92, "B"}, BestFitCase{72, "AD"}, BestFitCase{102, ""},
                                           BestFitCase{23, "BCD"}));

TEST(LayoutSeparators, OnlyTheSeparatorsBetweenTwoHiddenButtonsAreListed) {
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  CExtBarButton* pA = bar.AddButton(CSize(23, 22));
  CExtBarButton* pSep1 = bar.AddSeparator();
  CExtBarButton* pB = bar.AddButton(CSize(23, 22));
  CExtBarButton* pSep2 = bar.AddSeparator();
  CExtBarButton* pC = bar.AddButton(CSize(23, 22));
  bar.AddChevron();
  PlaceClient(bar, ClientForRoom(30), 30);
  EXPECT_TRUE(pA->IsVisible());
  EXPECT_FALSE(pSep1->IsVisible()) << "a trailing separator goes";
  EXPECT_EQ((std::vector<CExtBarButton*>{pB, pSep2, pC}), bar.HiddenList());
}

TEST(LayoutSeparators, LeadingAndRepeatedSeparatorsAreNotPlaced) {
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  CExtBarButton* pLead = bar.AddSeparator();
  CExtBarButton* pA = bar.AddButton(CSize(23, 22));
  CExtBarButton* pSep1 = bar.AddSeparator();
  CExtBarButton* pSep2 = bar.AddSeparator();
  CExtBarButton* pB = bar.AddButton(CSize(23, 22));
  bar.AddChevron();
  PlaceClient(bar, 300, 30);
  EXPECT_FALSE(pLead->IsVisible());
  EXPECT_TRUE(pSep1->IsVisible());
  EXPECT_FALSE(pSep2->IsVisible());
  EXPECT_EQ(pA->GetRect().right, pSep1->GetRect().left);
  EXPECT_EQ(pSep1->GetRect().right, pB->GetRect().left);
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  EXPECT_EQ(rcClient.top, pSep1->GetRect().top) << "a docked bar's separator spans the bar";
  EXPECT_EQ(rcClient.bottom, pSep1->GetRect().bottom);
}

TEST(LayoutMirroring, ADockedRowAndItsChevronAreMirroredInsideTheBorders) {
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  for (int i = 0; i < 5; ++i)
    bar.AddButton(CSize(20 + 5 * i, 22));
  bar.AddSeparator();
  bar.AddButton(CSize(23, 22));
  bar.AddChevron();
  PlaceClient(bar, 120, 30);
  std::vector<CRect> ltr;
  for (int i = 0; i < bar.GetButtonCount(); ++i)
    ltr.push_back(bar.m_buttons[i]->GetRect());
  bar.m_bRtl = true;
  bar.RecalcButtonPositions();
  CRect rcClient;
  bar.GetClientRect(&rcClient);
  const int nMirror = (rcClient.left + 1) + (rcClient.right - 1); // the inside rectangle's two sides
  for (int i = 0; i < bar.GetButtonCount(); ++i) {
    if (!bar.m_buttons[i]->IsVisible())
      continue;
    EXPECT_EQ(nMirror - ltr[i].right, bar.m_buttons[i]->GetRect().left) << i;
    EXPECT_EQ(ltr[i].Width(), bar.m_buttons[i]->GetRect().Width()) << i;
  }
  EXPECT_EQ("", CheckDockedPlacement(bar));
}

} // namespace

namespace {

TEST(LayoutMinimum, AtItsMinimumSizeADockedBarStillShowsItsSmallestButton) {
  HostedBar hosted(CBRS_ALIGN_TOP);
  CLayoutTestBar& bar = *hosted.bar;
  std::vector<CExtBarButton*> buttons = {bar.AddButton(CSize(46, 22)), bar.AddButton(CSize(23, 22)),
                                         bar.AddButton(CSize(16, 22)), bar.AddButton(CSize(30, 22))};
  bar.AddSeparator();
  bar.AddButton(CSize(23, 22), 0, TBBS_HIDDEN);
  bar.AddChevron();
  const CSize sizeMin = bar.CalcMinSize();
  bar.PlaceAt(sizeMin.cx, 40);
  EXPECT_EQ((std::vector<bool>{false, false, true, false}),
            (std::vector<bool>{buttons[0]->IsVisible(), buttons[1]->IsVisible(), buttons[2]->IsVisible(),
                               buttons[3]->IsVisible()}));
  EXPECT_EQ(3u, bar.HiddenList().size());
}

} // namespace
