// Bar buttons: measuring, the arrow strip of split buttons, hosting a control, painting.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/button_support.h"
#include "toolkit/bars/ExtBarButton.h"

#include <gtest/gtest.h>

using namespace button_support;

namespace {

const CSize kPreCalc(23, 22);
const int kArrow = 5 + 6; // the arrow glyph and its margin

struct MeasureCase {
  const char* name;
  int nIcon;        // 0: no icon
  const char* text; // button text
  bool bHorz;
  bool bMenu;
  bool bLarge;
  // Expected from the icon size and the text's extent (cx, cy) in the DC.
  std::function<CSize(CSize text)> expected;
};

class ButtonMeasure : public ::testing::TestWithParam<MeasureCase> {};

TEST_P(ButtonMeasure, SizesFollowIconTextAndArrow) {
  const MeasureCase& c = GetParam();
  ButtonFixture fx;
  fx.m_bar.m_bLarge = c.bLarge;
  fx.AddCommand(200, c.text);
  if (c.nIcon != 0)
    fx.SetIcon(200, c.nIcon, RGB(0, 128, 0));
  CExtBarButton btn(&fx.m_bar, 200);
  if (c.bMenu)
    btn.SetMenu(::CreatePopupMenu(), true, true);
  CClientDC dc(&fx.m_bar);
  const CString sShown = CExtBarButton::StripMnemonics(c.text);
  const CSize sizeText = sShown.IsEmpty() ? CSize(0, 0) : dc.GetTextExtent(sShown);
  const CSize size = btn.CalculateLayout(dc, kPreCalc, c.bHorz);
  EXPECT_EQ(c.expected(sizeText), size);
  EXPECT_EQ(size, btn.GetSize());
}

int Max(int a, int b) { return a > b ? a : b; }

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonMeasure,
    ::testing::Values(
        MeasureCase{"Icon16", 16, "", true, false, false, [](CSize) { return CSize(23, 22); }},
        MeasureCase{"Icon40", 40, "", true, false, false, [](CSize) { return CSize(46, 46); }},
        MeasureCase{"Icon16Large", 16, "", true, false, true, [](CSize) { return CSize(38, 38); }},
        MeasureCase{"Icon16Vertical", 16, "", false, false, false, [](CSize) { return CSize(23, 22); }},
        MeasureCase{"IconAndText", 16, "&Save && Go", true, false, false,
                    [](CSize t) { return CSize(16 + 6 + t.cx + 6, Max(22, Max(16, t.cy) + 6)); }},
        MeasureCase{"IconAndTextVertical", 16, "&Save && Go", false, false, false,
                    [](CSize t) { return CSize(Max(23, Max(16, t.cy) + 6), 16 + t.cx + 3 + 6); }},
        MeasureCase{"MenuArrow", 16, "", true, true, false, [](CSize) { return CSize(23 + kArrow, 22); }},
        MeasureCase{"MenuArrowVertical", 16, "", false, true, false,
                    [](CSize) { return CSize(23, 22 + kArrow); }}),
    [](const ::testing::TestParamInfo<MeasureCase>& info) { return std::string(info.param.name); });

TEST(ButtonMeasureSpecial, SeparatorsUnknownCommandsAndHostedControls) {
  ButtonFixture fx;
  CClientDC dc(&fx.m_bar);
  CExtBarButton separator(&fx.m_bar, 0), unknown(&fx.m_bar, 201);
  EXPECT_EQ(CSize(6, 22), separator.CalculateLayout(dc, kPreCalc, true));
  EXPECT_EQ(CSize(23, 6), separator.CalculateLayout(dc, kPreCalc, false));
  EXPECT_EQ(CSize(30, 30), unknown.CalculateLayout(dc, CSize(30, 30), true));

  fx.AddCommand(202, "Hosted");
  CExtBarButton hosted(&fx.m_bar, 202);
  std::unique_ptr<CWnd> pEdit(new CWnd);
  ASSERT_TRUE(pEdit->Create("EDIT", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 18), &fx.m_bar, 1));
  hosted.SetCtrl(pEdit.release());
  hosted.SetCtrl(hosted.GetCtrl()); // the same control again stays alive
  ASSERT_TRUE(::IsWindow(hosted.GetCtrl()->GetSafeHwnd()));
  EXPECT_EQ(CSize(80, 22), hosted.CalculateLayout(dc, kPreCalc, true));
  hosted.SetRect(CRect(10, 0, 90, 30));
  CRect rcCtrl;
  hosted.GetCtrl()->GetWindowRect(&rcCtrl);
  fx.m_bar.ScreenToClient(&rcCtrl);
  EXPECT_EQ(CRect(10, 6, 90, 24), rcCtrl);
  hosted.ModifyStyle(TBBS_DISABLED);
  EXPECT_FALSE(hosted.GetCtrl()->IsWindowEnabled());
  hosted.SetVisible(false);
  EXPECT_FALSE(hosted.GetCtrl()->IsWindowVisible());
  // Shown again: a release on it does not fire its command.
  hosted.SetVisible(true);
  hosted.OnClick(CPoint(20, 10), false);
  PumpPending();
  EXPECT_TRUE(fx.m_host.m_commands.empty());
  hosted.SetCtrl(NULL); // destroys and deletes the edit
}

struct DropDownCase {
  const char* name;
  DWORD dwHostExStyle;
  DWORD dwBarAlign;
  bool bNoRotate;
  CRect rcButton, rcArrow;
};

class ButtonDropDownRect : public ::testing::TestWithParam<DropDownCase> {};

TEST_P(ButtonDropDownRect, IsTheArrowStripAtTheEndOfTheLayout) {
  const DropDownCase& c = GetParam();
  ButtonFixture fx(c.dwHostExStyle);
  fx.m_bar.SetBarStyle((fx.m_bar.GetBarStyle() & ~CBRS_ALIGN_ANY) | c.dwBarAlign);
  CExtBarButton btn(&fx.m_bar, 210);
  btn.SetNoRotateVerticalLayout(c.bNoRotate);
  btn.SetRect(c.rcButton);
  EXPECT_EQ(c.rcArrow, btn.GetDropDownRect());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonDropDownRect,
    ::testing::Values(
        DropDownCase{"Right", 0, CBRS_ALIGN_TOP, false, {10, 2, 50, 24}, {39, 2, 50, 24}},
        DropDownCase{"RightToLeft", WS_EX_LAYOUTRTL, CBRS_ALIGN_TOP, false, {10, 2, 50, 24}, {10, 2, 21, 24}},
        DropDownCase{"Vertical", 0, CBRS_ALIGN_LEFT, false, {2, 10, 24, 50}, {2, 39, 24, 50}},
        DropDownCase{"NoRotate", 0, CBRS_ALIGN_LEFT, true, {2, 10, 42, 32}, {31, 10, 42, 32}}),
    [](const ::testing::TestParamInfo<DropDownCase>& info) { return std::string(info.param.name); });

// What a button leaves on a white surface: its red icon, or nothing at all.
struct PaintCase {
  const char* name;
  std::function<void(CExtBarButton&)> prepare;
  bool bPaints;
};

class ButtonPaint : public ::testing::TestWithParam<PaintCase> {};

TEST_P(ButtonPaint, DrawsOnlyVisibleCommandButtons) {
  ButtonFixture fx;
  fx.AddCommand(220, "");
  fx.SetIcon(220, 16, RGB(255, 0, 0));
  CExtBarButton btn(&fx.m_bar, 220);
  btn.SetRect(CRect(0, 0, 23, 22));
  GetParam().prepare(btn);
  pixel_support::DibSurface surface(23, 22);
  btn.Paint(surface.dc(), true);
  int nRed = 0;
  for (COLORREF clr : surface.Pixels())
    nRed += clr == RGB(255, 0, 0) ? 1 : 0;
  // The theme may frame a hot button over the icon's edge.
  if (GetParam().bPaints)
    EXPECT_GT(nRed, 16 * 16 * 3 / 4);
  else
    EXPECT_EQ(0, nRed);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonPaint,
    ::testing::Values(PaintCase{"Plain", [](CExtBarButton&) {}, true},
                      PaintCase{"Hovered", [](CExtBarButton& b) { b.SetHover(); }, true},
                      PaintCase{"Invisible", [](CExtBarButton& b) { b.SetVisible(false); }, false},
                      PaintCase{"Hidden", [](CExtBarButton& b) { b.ModifyStyle(TBBS_HIDDEN); }, false},
                      PaintCase{"Separator", [](CExtBarButton& b) { b.SetCmdID(0); }, false},
                      PaintCase{"EmptyRect", [](CExtBarButton& b) { b.SetRect(CRect()); }, false}),
    [](const ::testing::TestParamInfo<PaintCase>& info) { return std::string(info.param.name); });

} // namespace
