// Separators, frames and marks of each theme, compared pixel by pixel with the picture they must
// leave: the background with a list of rectangles filled over it in order.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/theme/ExtMenuJointSource.h"

namespace {

const int kCx = 64, kCy = 40;
const int T = COLOR_BTNTEXT;

enum Op { MENU_SEP, SEP_V, SEP_H_BARE, DIVIDER, DRAG, MDI, SECONDARY, MENU_BORDER, MARK_V_START, MARK_H_END };

// clang-format off
void Paint(PM* pm, CDC& dc, Op op, const RECT& rc) {
  switch (op) {
  case MENU_SEP: pm->PaintMenuSeparator(dc, rc, 0, false, NULL); break;
  case SEP_V: pm->PaintSeparator(dc, rc, true, false, NULL); break;
  case SEP_H_BARE: pm->PaintSeparator(dc, rc, false, true, NULL); break;
  case DIVIDER: pm->PaintDividerLine(dc, rc, NULL); break;
  case DRAG: pm->PaintDragFrame(dc, rc); break;
  case MDI: pm->PaintTabMdiClientBorder(dc, rc, NULL); break;
  case SECONDARY: pm->PaintTabBorderSecondary(dc, rc, NULL); break;
  case MENU_BORDER: pm->PaintMenuBorder(dc, rc, NULL); break;
  case MARK_V_START: pm->PaintInsertionMark(dc, rc, true, true); break;
  case MARK_H_END: pm->PaintInsertionMark(dc, rc, false, false); break;
  }
}
// clang-format on

std::function<void(PM*, CDC&)> Draw(Op op, const RECT& rc) {
  return [=](PM* pm, CDC& dc) { Paint(pm, dc, op, rc); };
}

// clang-format off
const PictureCase kPaintCases[] = {
    {"classic menu separator 100x9 at 16-pixel icons: x 8 to 92, rows 3 and 4", CLASSIC, 32, Draw(MENU_SEP, {0, 0, 100, 9}), NULL,
     {{{0, 0, 100, 9}, 1000}, {{8, 3, 91, 4}, 1006}, {{91, 3, 92, 5}, 1004}, {{8, 4, 92, 5}, 1004}}},
    {"classic tool-bar separator 8 wide: columns 3 and 4", CLASSIC, 32, Draw(SEP_V, {0, 0, 8, 20}), NULL,
     {{{0, 0, 8, 20}, 1000}, {{3, 0, 4, 18}, 1006}, {{4, 0, 5, 19}, 1004}, {{3, 18, 4, 19}, 1004}}},
    {"classic bare horizontal separator", CLASSIC, 32, Draw(SEP_H_BARE, {0, 0, 20, 8}), NULL,
     {{{0, 3, 18, 4}, 1006}, {{18, 3, 19, 5}, 1004}, {{0, 4, 19, 5}, 1004}}},
    {"xp vertical separator", XP, 32, Draw(SEP_V, {0, 0, 8, 20}), NULL, {{{0, 0, 8, 20}, 1000}, {{3, 1, 4, 19}, 2002}}},
    {"xp bare horizontal separator", XP, 32, Draw(SEP_H_BARE, {0, 0, 20, 8}), NULL, {{{1, 3, 19, 4}, 2002}}},
    {"classic divider", CLASSIC, 32, Draw(DIVIDER, {2, 2, 10, 5}), NULL, {{{2, 2, 10, 5}, COLOR_3DSHADOW}}},
    {"xp divider", OFFICE2003, 32, Draw(DIVIDER, {2, 2, 10, 5}), NULL, {{{2, 2, 10, 5}, 1000}}},
    {"upside-down divider", XP, 32, Draw(DIVIDER, {5, 5, 9, 3}), NULL, {}},
    {"empty classic menu border", CLASSIC, 32, Draw(MENU_BORDER, {4, 4, 4, 20}), NULL, {}},
    {"drag frame", XP, 32, Draw(DRAG, {2, 2, 12, 10}), NULL, Ring3d({2, 2, 12, 10}, T, T, Ring3d({3, 3, 11, 9}, T, T))},
    {"classic mdi client border", CLASSIC, 32, Draw(MDI, {1, 1, 11, 9}), NULL, Ring3d({1, 1, 11, 9}, COLOR_3DSHADOW, COLOR_3DHILIGHT)},
    {"classic secondary tab border", CLASSIC, 32, Draw(SECONDARY, {1, 1, 11, 9}), NULL, Ring3d({1, 1, 11, 9}, COLOR_3DSHADOW, COLOR_3DHILIGHT)},
    {"xp secondary tab border", OFFICE2003, 32, Draw(SECONDARY, {1, 1, 11, 9}), NULL, Ring3d({1, 1, 11, 9}, COLOR_3DSHADOW, COLOR_3DSHADOW)},
    {"classic menu border", CLASSIC, 32, Draw(MENU_BORDER, {0, 0, 12, 12}), NULL, Ring3d({0, 0, 12, 12}, 1008, 1000,
     Ring3d({1, 1, 11, 11}, 1006, 1004, Ring3d({2, 2, 10, 10}, 1000, 1000, Ring3d({3, 3, 9, 9}, 1000, 1000))))},
    {"xp menu border", XP, 32, Draw(MENU_BORDER, {0, 0, 12, 12}), NULL, Ring3d({0, 0, 12, 12}, 2007, 2007)},
    {"vertical insertion mark at start", CLASSIC, 32, Draw(MARK_V_START, {10, 10, 30, 20}), NULL,
     {{{9, 9, 11, 21}, T}, {{7, 8, 13, 9}, T}, {{8, 8, 12, 10}, T}, {{7, 21, 13, 22}, T}, {{8, 20, 12, 22}, T}}},
    {"horizontal insertion mark at end", OFFICE2003, 32, Draw(MARK_H_END, {10, 10, 30, 20}), NULL,
     {{{9, 19, 31, 21}, T}, {{8, 17, 9, 23}, T}, {{8, 18, 10, 22}, T}, {{31, 17, 32, 23}, T}, {{30, 18, 32, 22}, T}}},
};
// clang-format on

class SeparatorsFrames : public PictureTest {};
TEST_P(SeparatorsFrames, LeaveExactlyTheirPicture) { Run(kCx, kCy); }
INSTANTIATE_TEST_SUITE_P(Themes, SeparatorsFrames, ::testing::ValuesIn(kPaintCases));

// A rarely-used separator lies on the rarely-used rows' light blend, its line's top in the face.
TEST_F(SeparatorsFrames, HalftoneMenuSeparatorTakesTheLightBlend) {
  PM* pm = Install(CLASSIC);
  LOGBRUSH lb = {};
  ASSERT_NE(0, ::GetObject(pm->m_brushLightDefault.GetSafeHandle(), sizeof(lb), &lb));
  DibSurface s(kCx, kCy, kBack);
  pm->PaintMenuSeparator(s.dc(), RECT{0, 0, 40, 9}, 0, true, NULL);
  EXPECT_EQ(lb.lbColor, s.At(2, 1));
  EXPECT_EQ(pm->ColorByLogicalId(1000), s.At(10, 3));
  EXPECT_EQ(pm->ColorByLogicalId(1004), s.At(10, 4));
}

// The popup menu of a joint: its answers about the bar and button that opened it.
class FakeMenu : public CObject, public CExtMenuJointSource {
public:
  FakeMenu(bool bFloating, bool bPressed, bool bMenuBar = false, bool bChevron = false) {
    m_state.m_bToolBar = true;
    m_state.m_bFloating = bFloating;
    m_state.m_bButtonPressed = bPressed;
    m_state.m_bMenuBar = bMenuBar;
    m_state.m_bChevron = bChevron;
  }
  bool GetJointBarState(BarState_t& state) const override {
    state = m_state;
    return true;
  }
  BarState_t m_state;
};

FakeMenu g_docked(false, false), g_pressed(false, true), g_menuBar(false, true, true), g_floating(true, true),
    g_chevron(false, false, false, true);

const RECT kButton = {10, 10, 30, 20}, kMenuBelow = {10, 20, 60, 40}, kMenuRight = {30, 0, 60, 40};
// The XP joint below the button: the button in 2000, ringed one pixel into the menu.
const Layers kXpBelow = Ring3d({10, 10, 30, 21}, 2007, 2007, {{{10, 10, 30, 20}, 2000}});

// The joint of a button and its menu, below it (nSide 1) or right of it (4). The joint resets the
// clip; the chevron's strip leaves it as it was.
std::function<void(PM*, CDC&)> Joint(FakeMenu* pMenu, int nSide, bool bKeepsClip = false,
                                     const RECT& rcButton = kButton) {
  return [=](PM* pm, CDC& dc) {
    dc.ExcludeClipRect(0, 0, 1, 1);
    pm->PaintMenuCombinedJoint(dc, rcButton, nSide == 4 ? kMenuRight : kMenuBelow, nSide, pMenu);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(bKeepsClip ? 1 : 0, ::GetClipRgn(dc.m_hDC, (HRGN)rgn.GetSafeHandle()));
    dc.SelectClipRgn(NULL);
  };
}

// clang-format off
const PictureCase kJointCases[] = {
    // The clip keeps the menu inside its outer column: the inner lines stop above it.
    {"classic below", CLASSIC, 32, Joint(NULL, 1), NULL,
     {{{10, 10, 30, 21}, 1000}, {{10, 10, 30, 11}, 1000}, {{10, 10, 11, 22}, 1000}, {{29, 10, 30, 20}, 1006},
      {{11, 11, 29, 12}, 1004}, {{11, 11, 12, 20}, 1004}, {{28, 11, 29, 20}, 1008}}},
    {"xp below", XP, 32, Joint(NULL, 1), NULL, kXpBelow},
    {"office 2003 without a menu source", OFFICE2003, 32, Joint(NULL, 1), NULL, kXpBelow},
    {"office 2003 floating tool bar", OFFICE2003, 32, Joint(&g_floating, 1), NULL, kXpBelow},
    {"office 2003 on a palette screen", OFFICE2003, 8, Joint(&g_docked, 1), NULL, kXpBelow},
    {"office 2003 docked button", OFFICE2003, 32, Joint(&g_docked, 1), NULL, Ring3d({10, 10, 30, 21}, 2007, 2007, {{{10, 10, 30, 21}, 2001}})},
    {"office 2003 menu-bar button", OFFICE2003, 32, Joint(&g_menuBar, 1), NULL, Ring3d({10, 10, 30, 21}, 2007, 2007, {{{10, 10, 30, 21}, 2001}})},
    {"office 2003 pressed button", OFFICE2003, 32, Joint(&g_pressed, 1), NULL, Ring3d({10, 10, 30, 21}, 2007, 2007, {{{10, 10, 30, 21}, 2000}})},
    {"office 2003 menu to the right: the fill keeps off its edge", OFFICE2003, 32, Joint(&g_pressed, 4), NULL,
     Ring3d({10, 10, 31, 20}, 2007, 2007, {{{10, 10, 29, 20}, 2000}})},
    {"classic empty button draws nothing", CLASSIC, 32, Joint(NULL, 1, false, {10, 10, 10, 20}), NULL, {}},
    {"office 2003 chevron", OFFICE2003, 32, Joint(&g_chevron, 1, true), NULL, {{{10, 16, 30, 20}, 3008}}},
};
// clang-format on

class MenuJoints : public PictureTest {};
TEST_P(MenuJoints, DrawTheButtonsSide) { Run(kCx, kCy); }
INSTANTIATE_TEST_SUITE_P(Themes, MenuJoints, ::testing::ValuesIn(kJointCases));

} // namespace
