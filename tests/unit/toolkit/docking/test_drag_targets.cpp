// Where a dragged panel would go: the outer and inner side bands with the circle that receives
// it, the tab and split bands of docked and floating panels with their minimum-size rules. Read
// back from the outline the frame was offered and from the dock bars after the drop.
#include "tests/unit/toolkit/docking/drag_fixture.h"

#include "tests/common/pixel_support.h"
#include "toolkit/docking/ExtDynControlBar.h"

namespace {

using DT = CExtControlBar::DragTargetType;

enum class Band {
  OuterTop,
  OuterBottom,
  OuterLeft,
  OuterRight,
  InnerTop,
  InnerBottom,
  InnerLeft,
  InnerRight
};

struct SideCase {
  const char* name;
  Band band;
  LONG nType;
  UINT nSide;
  LONG nRowPosition; // also the circle that receives the bar
};

class DragSides : public DragFixture, public ::testing::WithParamInterface<SideCase> {
protected:
  CPoint BandPoint(Band band) const {
    const CRect DA = DockingArea(), FA = FreeArea();
    switch (band) {
    case Band::OuterTop:
      return CPoint(DA.CenterPoint().x, DA.top - 4);
    case Band::OuterBottom:
      return CPoint(DA.CenterPoint().x, DA.bottom + 4);
    case Band::OuterLeft:
      return CPoint(DA.left - 4, DA.CenterPoint().y);
    case Band::OuterRight:
      return CPoint(DA.right + 4, DA.CenterPoint().y);
    case Band::InnerTop:
      return CPoint(FA.CenterPoint().x, FA.top + 8);
    case Band::InnerBottom:
      return CPoint(FA.CenterPoint().x, FA.bottom - 8);
    case Band::InnerLeft:
      return CPoint(FA.left + 8, FA.CenterPoint().y);
    default:
      return CPoint(FA.right - 8, FA.CenterPoint().y);
    }
  }
};

TEST_P(DragSides, TheBandProposesItsSideAndTheDropDocksIntoItsCircle) {
  const SideCase& c = GetParam();
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  const CPoint pt = BandPoint(c.band);
  const CPoint ptNear = ClientCentre() + CPoint(0, 30);
  ASSERT_TRUE(DragThrough(pBar, CaptionPoint(pBar), {ptNear, pt}));
  const TrackedAreaEntry shown = Log().LastDrawn();
  EXPECT_EQ(c.nType, shown.nType);
  EXPECT_EQ(c.nRowPosition, shown.nRowPosition);
  EXPECT_EQ(CExtControlBar::TrackedAreaDrawData::KIND_FRAME, shown.nKind);
  EXPECT_EQ(0, Log().Shown());
  CExtDockBar* pDock = pBar->GetExtDockBar();
  ASSERT_NE(nullptr, pDock) << Dump();
  EXPECT_EQ(c.nSide, pDock->GetSideId()) << Dump();
  EXPECT_EQ(static_cast<UINT>(c.nRowPosition), pDock->GetCircleNo()) << Dump();
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

INSTANTIATE_TEST_SUITE_P(
    Bands, DragSides,
    ::testing::Values(
        SideCase{"OuterTop", Band::OuterTop, DT::DT_OUTER_TOP, AFX_IDW_DOCKBAR_TOP, 1},
        SideCase{"OuterBottom", Band::OuterBottom, DT::DT_OUTER_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, 1},
        SideCase{"OuterLeft", Band::OuterLeft, DT::DT_OUTER_LEFT, AFX_IDW_DOCKBAR_LEFT, 1},
        SideCase{"OuterRight", Band::OuterRight, DT::DT_OUTER_RIGHT, AFX_IDW_DOCKBAR_RIGHT, 1},
        SideCase{"InnerTop", Band::InnerTop, DT::DT_INNER_TOP, AFX_IDW_DOCKBAR_TOP, 1},
        SideCase{"InnerBottom", Band::InnerBottom, DT::DT_INNER_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM, 1},
        SideCase{"InnerLeft", Band::InnerLeft, DT::DT_INNER_LEFT, AFX_IDW_DOCKBAR_LEFT, 1},
        SideCase{"InnerRight", Band::InnerRight, DT::DT_INNER_RIGHT, AFX_IDW_DOCKBAR_RIGHT, 1}),
    [](const ::testing::TestParamInfo<SideCase>& info) { return std::string(info.param.name); });

TEST_F(DragFixture, AnInnerBandBeyondAnExistingCircleProposesTheNextCircle) {
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CExtControlBar* pInner = AddPanel(202, AFX_IDW_DOCKBAR_TOP, "q");
  ASSERT_TRUE(pInner->DockIntoSideBar(AFX_IDW_DOCKBAR_TOP, 1));
  Relayout(m_pFrame.get());
  const CRect FA = FreeArea();
  const CPoint pt(FA.CenterPoint().x, FA.top + 8);
  ASSERT_TRUE(DragThrough(pBar, CaptionPoint(pBar), {ClientCentre() + CPoint(0, 30), pt}));
  EXPECT_EQ(DT::DT_INNER_TOP, Log().LastDrawn().nType);
  EXPECT_EQ(2, Log().LastDrawn().nRowPosition);
  ASSERT_NE(nullptr, pBar->GetExtDockBar());
  EXPECT_EQ(2u, pBar->GetExtDockBar()->GetCircleNo()) << Dump();
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

// The bands of a docked panel on the right: tab at the top, then the split bands.
struct SplitCase {
  const char* name;
  int nX; // -1 left band, 0 middle, 1 right band
  int nY; // 0 tab band, 1 top split band, 2 middle, 3 bottom band
  LONG nType;
  LONG nKind;
};

class DragSplits : public DragFixture, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(DragSplits, TheBandUnderTheCursorIsOutlined) {
  const SplitCase& c = GetParam();
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CExtControlBar* pTarget = AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  const CRect R = ScreenRect(pTarget);
  const int x = c.nX < 0 ? R.left + 20 : c.nX > 0 ? R.right - 16 : R.CenterPoint().x;
  const int y = c.nY == 0   ? R.top + 16
                : c.nY == 1 ? R.top + 48
                : c.nY == 2 ? R.CenterPoint().y
                            : R.bottom - 16;
  // The outline as a person sees it, taken while it is shown.
  const CRect rcFrame = ScreenRect(m_pFrame.get());
  const std::string strPicture = std::string("drag_outline_") + c.name + ".bmp";
  auto picture = [&] {
    WaitFromDriver([] { return !CExtControlBar::g_DragStateCurrent.IsEmpty(); }, 2000);
    pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rcFrame), strPicture.c_str());
  };
  ASSERT_TRUE(
      RunDrag(pBar, CaptionPoint(pBar),
              {DragInput::Move(ClientCentre()), DragInput::Move(CPoint(x, y)), DragInput::Probe(picture),
               DragInput::Key(VK_ESCAPE, true), DragInput::Key(VK_ESCAPE, false)}));
  const TrackedAreaEntry shown = Log().LastDrawn();
  EXPECT_EQ(c.nType, shown.nType);
  EXPECT_EQ(c.nKind, shown.nKind);
  // The outline, in the frame's window coordinates, is the matching part of the target.
  CRect rcExpected(R);
  if (c.nType == DT::DT_SPLIT_TOP)
    rcExpected.bottom = R.top + R.Height() / 2;
  else if (c.nType == DT::DT_SPLIT_BOTTOM)
    rcExpected.top = R.bottom - R.Height() / 2;
  else if (c.nType == DT::DT_SPLIT_LEFT)
    rcExpected.right = R.left + R.Width() / 2;
  else if (c.nType == DT::DT_SPLIT_RIGHT)
    rcExpected.left = R.right - R.Width() / 2;
  rcExpected.OffsetRect(-ScreenRect(m_pFrame.get()).TopLeft());
  EXPECT_EQ(rcExpected, shown.rc);
  EXPECT_EQ(0, Log().Shown());
  EXPECT_TRUE(pBar->IsDockedAtLeft()) << "cancelled";
}

INSTANTIATE_TEST_SUITE_P(
    Bands, DragSplits,
    ::testing::Values(
        SplitCase{"Tab", 0, 0, DT::DT_TAB_NEW, CExtControlBar::TrackedAreaDrawData::KIND_FRAME_WITH_TAB},
        SplitCase{"Above", 0, 1, DT::DT_SPLIT_TOP, CExtControlBar::TrackedAreaDrawData::KIND_FRAME},
        SplitCase{"Below", 0, 3, DT::DT_SPLIT_BOTTOM, CExtControlBar::TrackedAreaDrawData::KIND_FRAME},
        SplitCase{"Left", -1, 2, DT::DT_SPLIT_LEFT, CExtControlBar::TrackedAreaDrawData::KIND_FRAME},
        SplitCase{"Right", 1, 2, DT::DT_SPLIT_RIGHT, CExtControlBar::TrackedAreaDrawData::KIND_FRAME}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

// Minimum sizes that rule splits out: above 64 pixels beside a docked panel, above half the
// floating frame beside a floating one.
struct MinimumCase {
  const char* name;
  bool bFloatingTarget;
  int nMinH;       // of the dragged panel
  LONG nTypeAbove; // what the band proposes
  int nDy = 48;    // the band below the target's top: 48 the split band, 16 the tab band
};

class DragMinimums : public DragFixture, public ::testing::WithParamInterface<MinimumCase> {};

TEST_P(DragMinimums, RuleTheSplitAboveInOrOut) {
  const MinimumCase& c = GetParam();
  CPanelBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CExtControlBar* pTarget = AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  pBar->m_nMinH = c.nMinH;
  CRect R = ScreenRect(pTarget);
  if (c.bFloatingTarget) {
    pTarget->FloatControlBar(R.left - 200, R.top + 40);
    Relayout(m_pFrame.get());
    R = ScreenRect(pTarget->GetParentFrame());
  }
  const CPoint pt(R.CenterPoint().x, R.top + c.nDy);
  ASSERT_TRUE(RunDrag(pBar, CaptionPoint(pBar),
                      {DragInput::Move(ClientCentre() + CPoint(0, 30)), DragInput::Move(pt),
                       DragInput::Key(VK_ESCAPE, true), DragInput::Key(VK_ESCAPE, false)}));
  EXPECT_EQ(c.nTypeAbove, Log().LastDrawn().nType) << "frame " << R.Height() << " high";
  EXPECT_EQ(0, Log().Shown());
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DragMinimums,
    ::testing::Values(MinimumCase{"DockedSmall", false, 40, DT::DT_SPLIT_TOP},
                      MinimumCase{"DockedOver64", false, 65, DT::DT_FLOAT},
                      MinimumCase{"FloatingSmall", true, 40, DT::DT_SPLIT_TOP},
                      MinimumCase{"FloatingOverHalf", true, 400, DT::DT_FLOAT},
                      MinimumCase{"FloatingTabBand", true, 40, DT::DT_TAB_NEW, 16},
                      MinimumCase{"FloatingTabBandOverHalf", true, 400, DT::DT_FLOAT, 16}),
    [](const ::testing::TestParamInfo<MinimumCase>& info) { return std::string(info.param.name); });

} // namespace

// Dropped on a split band, the panel shares one container with the target, on the band's side.
class DragSplitDrops : public DragFixture, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(DragSplitDrops, TheDropNestsThePanelBesideTheTarget) {
  const SplitCase& c = GetParam();
  CExtControlBar* pBar = AddPanel(201, AFX_IDW_DOCKBAR_LEFT, "p");
  CExtControlBar* pTarget = AddPanel(202, AFX_IDW_DOCKBAR_RIGHT, "q");
  const CRect R = ScreenRect(pTarget);
  const int x = c.nX < 0 ? R.left + 20 : c.nX > 0 ? R.right - 16 : R.CenterPoint().x;
  const int y = c.nY == 1 ? R.top + 48 : c.nY == 2 ? R.CenterPoint().y : R.bottom - 16;
  ASSERT_TRUE(DragThrough(pBar, CaptionPoint(pBar), {ClientCentre(), CPoint(x, y)}));
  EXPECT_EQ(c.nType, Log().LastDrawn().nType);
  CWnd* pInner = pTarget->GetParent();
  ASSERT_NE(nullptr, pInner);
  EXPECT_EQ(pInner, pBar->GetParent()) << Dump();
  EXPECT_TRUE(pInner->GetParent()->IsKindOf(RUNTIME_CLASS(CExtDynControlBar))) << Dump();
  const CRect rcBar = ScreenRect(pBar), rcTarget = ScreenRect(pTarget);
  if (c.nType == DT::DT_SPLIT_TOP)
    EXPECT_LE(rcBar.bottom, rcTarget.top);
  else if (c.nType == DT::DT_SPLIT_BOTTOM)
    EXPECT_GE(rcBar.top, rcTarget.bottom);
  else if (c.nType == DT::DT_SPLIT_LEFT)
    EXPECT_LE(rcBar.right, rcTarget.left);
  else
    EXPECT_GE(rcBar.left, rcTarget.right);
  EXPECT_TRUE(ArraysAreSound(m_pFrame.get())) << Dump();
}

INSTANTIATE_TEST_SUITE_P(Bands, DragSplitDrops,
                         ::testing::Values(SplitCase{"Above", 0, 1, DT::DT_SPLIT_TOP, 0},
                                           SplitCase{"Below", 0, 3, DT::DT_SPLIT_BOTTOM, 0},
                                           SplitCase{"Left", -1, 2, DT::DT_SPLIT_LEFT, 0},
                                           SplitCase{"Right", 1, 2, DT::DT_SPLIT_RIGHT, 0}),
                         [](const ::testing::TestParamInfo<SplitCase>& info) {
                           return std::string(info.param.name);
                         });
