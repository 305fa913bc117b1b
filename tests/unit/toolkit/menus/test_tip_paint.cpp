// The tip's place, shape and pixels: flips and clamping at the work area's edges, the balloon's
// tail at its anchor, each style's frame and icon in every theme, and the rectangle tip's shadow
// over the screen beneath.
#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/menus/tip_support.h"

#include <algorithm>
#include <vector>

namespace {

using pixel_support::DibSurface;
using tip_test::TipTest;

ExtIconPtr_t MakeSolidIcon(COLORREF clr) {
  const std::vector<BYTE> mask(32, 0);
  const std::vector<DWORD> bits(16 * 16, (DWORD)GetRValue(clr) << 16 | GetGValue(clr) << 8 | GetBValue(clr));
  return ExtIconPtr_t(
      ::CreateIcon(NULL, 16, 16, 1, 32, mask.data(), reinterpret_cast<const BYTE*>(bits.data())));
}

// The hover rectangle is 40 by 20 at x, y (negative: from the work area's right or bottom). The
// tip is expected 13 below it (1), 3 above it (-1), with the balloon's tail at its anchor (2), or
// only inside the work area (0).
struct PlaceCase {
  const char* name;
  int nStyle, x, y;
  BYTE nFlags;
  int nWhere;
};
void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }
class TipPlacement : public TipTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(TipPlacement, FlipsWhereTheWorkAreaHasNoRoomAndStaysInsideIt) {
  const PlaceCase& c = GetParam();
  MonitorParams monitor;
  CExtPaintManager::GetMonitorAreaFromPoint(monitor, CPoint(640, 512));
  const CRect rcWork = monitor.m_rcWorkArea;
  const CRect rcHover(CPoint(c.x < 0 ? rcWork.right + c.x : c.x, c.y < 0 ? rcWork.bottom + c.y : c.y),
                      CSize(40, 20));
  ::SetCursorPos(640, 512); // outside the hover rectangle
  m_tip.SetTipStyle(c.nStyle);
  ASSERT_TRUE(m_tip.ShowBalloon(&m_host, rcHover));
  CRect rc, rcInside;
  m_tip.GetWindowRect(rc);
  EXPECT_EQ(c.nFlags, m_tip.m_nPlacementFlags);
  EXPECT_TRUE(rcInside.IntersectRect(rc, rcWork) && rcInside == rc);
  const int dx = (c.nFlags & 1) != 0 ? -1 : 1, dy = (c.nFlags & 2) != 0 ? -1 : 1;
  if (c.nWhere == 2) { // the tail's point is the anchor, 6 pixels inside the corner; the body keeps clear
    const CPoint pt = rcHover.TopLeft() + CSize(6, 6) - rc.TopLeft();
    EXPECT_TRUE(m_tip.m_rgnTip.PtInRegion(pt.x + dx, pt.y + 3 * dy) &&
                !m_tip.m_rgnTip.PtInRegion(pt.x - 4 * dx, pt.y + 2 * dy));
  } else if (c.nWhere != 0) {
    EXPECT_EQ(c.nWhere > 0 ? rcHover.bottom + 13 : rcHover.top - 3, c.nWhere > 0 ? rc.top : rc.bottom);
    EXPECT_EQ(rcHover.CenterPoint().x, dx < 0 ? rc.right : rc.left);
  }
}

INSTANTIATE_TEST_SUITE_P(Tips, TipPlacement,
                         ::testing::Values(PlaceCase{"RectBelow", 4, 300, 300, 0, 1},
                                           PlaceCase{"RectFlipsAtTheRight", 4, -50, 300, 1, 1},
                                           PlaceCase{"RectGoesAboveAtTheBottom", 4, 300, -30, 2, -1},
                                           PlaceCase{"RectAbove", 6, 300, 300, 0, -1},
                                           PlaceCase{"RectAboveGoesBelowAtTheTop", 5, 300, 2, 2, 1},
                                           PlaceCase{"RectClampedPastTheRight", 3, -10, 300, 1, 0},
                                           PlaceCase{"Balloon", 2, 300, 300, 0, 2},
                                           PlaceCase{"BalloonFlipsInTheCorner", 1, -40, -30, 3, 2}),
                         menu_paint::CaseName());

TEST_F(TipTest, EachStyleHasItsFrameAndAnIconOnlyWhenItShowsOneAndHasOneInEveryTheme) {
  const COLORREF kBack = RGB(255, 0, 255), kIcon = RGB(255, 0, 0), kInfo = ::GetSysColor(COLOR_INFOBK),
                 kFace = ::GetSysColor(COLOR_3DFACE);
  const ExtIconPtr_t icon = MakeSolidIcon(kIcon);
  m_tip.SetText("  Drag to make this menu float  ");
  EXPECT_EQ(CString("Drag to make this menu float"), m_tip.GetText());
  for (CRuntimeClass* pTheme : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                RUNTIME_CLASS(CExtPaintManagerOffice2003)}) {
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(pTheme));
    DibSurface sheet(260, 7 * 70, kBack);
    for (int nStyle = 1; nStyle <= 7; ++nStyle) { // 7: style 1 with an empty icon
      SCOPED_TRACE(nStyle);
      m_tip.m_icon.AssignFromHIcon(nStyle == 7 ? NULL : icon.get(), true);
      m_tip.SetTipStyle(nStyle == 7 ? 1 : nStyle);
      ASSERT_TRUE(m_tip.ShowBalloon(&m_host, CRect(300, 300 + nStyle, 400, 320)));
      CRect rc;
      m_tip.GetClientRect(rc);
      DibSurface tip(rc.Width(), rc.Height(), kBack);
      m_tip.PaintTip(tip.dc());
      sheet.dc().BitBlt(10, nStyle * 70 - 65, rc.Width(), rc.Height(), &tip.dc(), 0, 0, SRCCOPY);
      const std::vector<COLORREF> px = tip.Pixels();
      EXPECT_EQ(nStyle % 2 == 1 && nStyle != 7, std::count(px.begin(), px.end(), kIcon) > 0);
      const int cx = rc.Width(), cy = rc.Height(), y = (m_tip.m_cyTail + cy) / 2, s = m_tip.GetShadowSize();
      if (nStyle <= 2 || nStyle == 7) // outside, dark edge, face frame, info colour in the body's middle row
        EXPECT_TRUE(tip.At(0, 0) == kBack && tip.At(0, y) == ::GetSysColor(COLOR_3DDKSHADOW) &&
                    tip.At(2, y) == kFace && tip.At(3, y) == kInfo);
      else // face top-left, black bottom-right, info colour inside, the shadow beside
        EXPECT_TRUE(tip.At(0, 0) == kFace && tip.At(cx - s - 1, cy - s - 1) == RGB(0, 0, 0) &&
                    tip.At(1, 1) == kInfo && tip.At(cx - 2, cy / 2) != kBack);
    }
    const std::string name = std::string("tip_styles_") + pTheme->m_lpszClassName + ".bmp";
    EXPECT_FALSE(pixel_support::SaveBmp({260, 7 * 70, sheet.Pixels()}, name.c_str()).empty());
  }
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP));
  // An '&' is shown, not taken as a mnemonic: it measures wider than a blank.
  CRgn rgn;
  auto width = [&](LPCSTR psz) {
    m_tip.SetText(psz);
    return m_tip.BuildBalloonRegion(DibSurface(10, 10).dc(), rgn, CRect(0, 0, 2000, 2000)).cx;
  };
  EXPECT_GT(width("Tip & text"), width("Tip  text"));
}

TEST_F(TipTest, TheRectangleTipsShadowDarkensTheScreenBeneath) {
  pattern_window::CPatternWindow pattern;
  ASSERT_TRUE(pattern.Create(CRect(0, 0, 900, 700), 0, true));
  ASSERT_TRUE(m_tip.ShowBalloon(&m_host, CRect(300, 300, 400, 320)) &&
              menu_paint::WaitUntil([&] { return m_tip.IsTipVisible(); }));
  CRect rc;
  m_tip.GetWindowRect(rc);
  // The sum of the channels on the screen, or in the pattern.
  auto sum = [](int x, int y, bool bScreen) {
    const COLORREF c = bScreen ? pixel_support::ReadWindow(NULL, CRect(x, y, x + 1, y + 1)).At(0, 0)
                               : pattern_window::PatternColor(x, y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
  };
  // In the band darker than the pattern, at most as dark as the shadow goes; past its end, the pattern.
  const int x = rc.right - 3, y = rc.top + 8;
  EXPECT_TRUE(menu_paint::WaitUntil(
      [&] { return sum(x, y, true) < sum(x, y, false) && sum(x, y, true) * 10 >= sum(x, y, false) * 6; }));
  EXPECT_EQ(sum(rc.right - 1, rc.top, false), sum(rc.right - 1, rc.top, true));
}

} // namespace
