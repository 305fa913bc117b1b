// The tip's place, shape and pixels: flips and clamping at the work area's edges, the balloon's
// tail at its anchor, each style's frame and icon in every theme, and the rectangle tip's shadow
// over the screen beneath.
#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/toolkit/menus/tip_support.h"
#include "toolkit/foundation/ExtGdiHandles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using pixel_support::DibSurface;
typedef CExtPopupMenuTipWnd Tip;

// The pointer lies outside the hover rectangles of the placements.
class TipHost : public tip_test::TipTest {
protected:
  TipHost() { m_ptPointer = CPoint(640, 512); }
};

struct PlaceCase {
  const char* name;
  int nStyle;
  int x, y; // of the 40 by 20 hover rectangle; negative: from the work area's right or bottom
  BYTE nFlags;
  int nWhere; // 0 below the hover rectangle, 1 above it, 2 the tail at the anchor, 3 only inside
};
void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class TipPlacement : public TipHost, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(TipPlacement, FlipsWhereTheWorkAreaHasNoRoomAndStaysInsideIt) {
  const PlaceCase& c = GetParam();
  MonitorParams monitor;
  CExtPaintManager::GetMonitorAreaFromPoint(monitor, m_ptPointer);
  const CRect rcWork = monitor.m_rcWorkArea;
  const CPoint pt(c.x < 0 ? rcWork.right + c.x : c.x, c.y < 0 ? rcWork.bottom + c.y : c.y);
  const CRect rcHover(pt, CSize(40, 20));
  m_tip.SetTipStyle(c.nStyle);
  m_tip.SetText("A tip near the edge");
  ASSERT_TRUE(m_tip.ShowBalloon(&m_host, rcHover));
  CRect rcTip, rcInside;
  m_tip.GetWindowRect(rcTip);
  EXPECT_EQ(c.nFlags, m_tip.m_nPlacementFlags);
  EXPECT_TRUE(rcInside.IntersectRect(rcTip, rcWork) && rcInside == rcTip);
  const bool bFlipH = (c.nFlags & Tip::PLACE_FLIPPED_H) != 0;
  if (c.nWhere < 2) {
    EXPECT_EQ(c.nWhere == 0 ? rcHover.bottom + 13 : rcHover.top - 3,
              c.nWhere == 0 ? rcTip.top : rcTip.bottom);
    EXPECT_EQ(rcHover.CenterPoint().x, bFlipH ? rcTip.right : rcTip.left);
  } else if (c.nWhere == 2) {
    // The tail's point is the anchor, 6 pixels inside the corner; the body keeps clear of it.
    const CPoint ptAnchor(rcHover.left + 6 - rcTip.left, rcHover.top + 6 - rcTip.top);
    const int dx = bFlipH ? -1 : 1, dy = (c.nFlags & Tip::PLACE_FLIPPED_V) != 0 ? -1 : 1;
    EXPECT_TRUE(m_tip.m_rgnTip.PtInRegion(ptAnchor.x + dx, ptAnchor.y + 3 * dy));
    EXPECT_FALSE(m_tip.m_rgnTip.PtInRegion(ptAnchor.x - 4 * dx, ptAnchor.y + 2 * dy));
  }
}

INSTANTIATE_TEST_SUITE_P(Tips, TipPlacement,
                         ::testing::Values(PlaceCase{"RectBelow", 4, 300, 300, 0, 0},
                                           PlaceCase{"RectFlipsAtTheRight", 4, -50, 300, 1, 0},
                                           PlaceCase{"RectGoesAboveAtTheBottom", 4, 300, -30, 2, 1},
                                           PlaceCase{"RectAbove", 6, 300, 300, 0, 1},
                                           PlaceCase{"RectAboveGoesBelowAtTheTop", 5, 300, 2, 2, 0},
                                           PlaceCase{"RectClampedPastTheRight", 3, -10, 300, 1, 3},
                                           PlaceCase{"Balloon", 2, 300, 300, 0, 2},
                                           PlaceCase{"BalloonFlipsInTheCorner", 1, -40, -30, 3, 2}),
                         menu_paint::CaseName());

TEST_F(TipHost, EachStyleHasItsFrameAndAnIconOnlyWhenItShowsOneAndHasOneInEveryTheme) {
  const COLORREF kBack = RGB(255, 0, 255), kIcon = RGB(255, 0, 0);
  ExtIconPtr_t icon(tip_test::MakeSolidIcon(kIcon));
  m_tip.SetText("  Drag to make this menu float  ");
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
      sheet.dc().BitBlt(10, (nStyle - 1) * 70 + 5, rc.Width(), rc.Height(), &tip.dc(), 0, 0, SRCCOPY);
      const std::vector<COLORREF> px = tip.Pixels();
      EXPECT_EQ(nStyle % 2 == 1 && nStyle != 7, std::count(px.begin(), px.end(), kIcon) > 0);
      const int cx = rc.Width(), cy = rc.Height(), y = (m_tip.m_cyTail + cy) / 2, s = m_tip.GetShadowSize();
      if (nStyle <= 2 ||
          nStyle == 7) // outside, dark edge, face frame and info colour in the body's middle row
        EXPECT_TRUE(tip.At(0, 0) == kBack && tip.At(0, y) == ::GetSysColor(COLOR_3DDKSHADOW) &&
                    tip.At(2, y) == ::GetSysColor(COLOR_3DFACE) &&
                    tip.At(3, y) == ::GetSysColor(COLOR_INFOBK));
      else // face top-left, black bottom-right, info colour inside, the shadow beside
        EXPECT_TRUE(tip.At(0, 0) == ::GetSysColor(COLOR_3DFACE) &&
                    tip.At(cx - s - 1, cy - s - 1) == RGB(0, 0, 0) &&
                    tip.At(1, 1) == ::GetSysColor(COLOR_INFOBK) && tip.At(cx - 2, cy / 2) != kBack);
    }
    const std::string name = std::string("tip_styles_") + pTheme->m_lpszClassName + ".bmp";
    EXPECT_FALSE(pixel_support::SaveBmp({260, 7 * 70, sheet.Pixels()}, name.c_str()).empty());
  }
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP));
  // The text is trimmed, and an '&' in it is shown, not taken as a mnemonic: it measures wider.
  EXPECT_EQ(CString("Drag to make this menu float"), m_tip.GetText());
  CRgn rgn;
  const CRect rcWork(0, 0, 2000, 2000);
  DibSurface dc(10, 10);
  m_tip.SetText("Tip  text");
  const int cx = m_tip.BuildBalloonRegion(dc.dc(), rgn, rcWork).cx;
  m_tip.SetText("Tip & text");
  EXPECT_GT(m_tip.BuildBalloonRegion(dc.dc(), rgn, rcWork).cx, cx);
}

TEST_F(TipHost, TheRectangleTipsShadowDarkensTheScreenBeneath) {
  pattern_window::CPatternWindow pattern;
  ASSERT_TRUE(pattern.Create(CRect(0, 0, 900, 700), 0, true));
  ::SetCursorPos(350, 310);
  ASSERT_TRUE(m_tip.ShowBalloon(&m_host, CRect(300, 300, 400, 320)));
  ASSERT_TRUE(menu_paint::WaitUntil([&] { return m_tip.IsTipVisible(); }));
  CRect rc;
  m_tip.GetWindowRect(rc);
  auto sum = [](CPoint pt, bool bScreen) {
    const COLORREF c = bScreen ? pixel_support::ReadWindow(NULL, CRect(pt, CSize(1, 1))).At(0, 0)
                               : pattern_window::PatternColor(pt.x, pt.y);
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
  };
  // In the band darker than the pattern; past its rounded end, the pattern itself.
  const CPoint ptBand(rc.right - 3, rc.top + 8), ptEnd(rc.right - 1, rc.top);
  EXPECT_TRUE(menu_paint::WaitUntil([&] {
    return sum(ptBand, true) < sum(ptBand, false) && sum(ptBand, true) * 10 >= sum(ptBand, false) * 6;
  }));
  EXPECT_EQ(sum(ptEnd, false), sum(ptEnd, true));
}

} // namespace
