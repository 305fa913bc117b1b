// The frames of the opening animation's pixel effects, composed on in-memory buffers and checked
// pixel by pixel: fade, slide, unfold, blocks, circles, random pixels and the final image at once.
#include "tests/unit/toolkit/menus/popup_base_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

using popup_base_test::BufferAt;
typedef CExtPopupBaseWnd Popup;
typedef std::function<DWORD(int x, int y)> PixelFn;

const int kCx = 70, kCy = 50;

// Every pixel differs from its neighbours, and the two images differ everywhere.
DWORD Back(int x, int y) { return (DWORD)(x * 3) << 16 | (DWORD)(y * 4) << 8 | 0x11; }
DWORD Final(int x, int y) { return (DWORD)(0xF0 - x) << 16 | (DWORD)(0x20 + y) << 8 | 0xC0; }
bool Inside(int x, int y) { return x >= 0 && x < kCx && y >= 0 && y < kCy; }

class PopupFrames : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_popup.CreateAnimationBuffers(kCx, kCy)); }
  // Fresh buffers (the frame starts as the background) composed at one step; the first pixel that
  // differs from expected, as text, or "" when none does.
  std::string Mismatch(int nType, int nStep, int nSide, const PixelFn& expected, const PixelFn& back = Back,
                       const PixelFn& final = Final) {
    for (int y = 0; y < kCy; ++y)
      for (int x = 0; x < kCx; ++x) {
        BufferAt(m_popup.m_pBackground, kCx, kCy, x, y) = BufferAt(m_popup.m_pFrame, kCx, kCy, x, y) =
            back(x, y);
        BufferAt(m_popup.m_pFinal, kCx, kCy, x, y) = final(x, y);
      }
    m_popup.m_nAnimationType = nType;
    m_popup.m_nStep = nStep;
    m_popup.m_nPrevStep = std::max(0, nStep - 20);
    if (!m_popup.ComposeFrame(kCx, kCy, nSide))
      return "nothing composed";
    for (int y = 0; y < kCy; ++y)
      for (int x = 0; x < kCx; ++x)
        if (BufferAt(m_popup.m_pFrame, kCx, kCy, x, y) != expected(x, y))
          return "at " + std::to_string(x) + ", " + std::to_string(y);
    return "";
  }
  Popup m_popup;
};

TEST_F(PopupFrames, BuffersAreBottomUp32BitSectionsOnlyForThePixelEffects) {
  DIBSECTION ds = {};
  ASSERT_EQ((int)sizeof(ds), ::GetObject(m_popup.m_bmpFrame.GetSafeHandle(), sizeof(ds), &ds));
  EXPECT_EQ(std::make_tuple(kCx, kCy, 32), std::make_tuple((int)ds.dsBmih.biWidth, (int)ds.dsBmih.biHeight,
                                                           (int)ds.dsBmih.biBitCount)); // positive: bottom-up
  for (int nType : {Popup::ANIM_EXPAND, Popup::ANIM_NONE, Popup::ANIM_RANDOM})
    EXPECT_EQ("nothing composed", Mismatch(nType, 40, 0, Back)) << nType;
  m_popup.ReleaseAnimationBuffers();
  EXPECT_EQ(nullptr, m_popup.m_pFinal);
  EXPECT_FALSE(m_popup.ComposeFrame(kCx, kCy));
}

TEST_F(PopupFrames, FadeBlendsEveryChannelByTheStep) {
  for (int s = 0; s <= 100; s += 20)
    EXPECT_EQ("", Mismatch(Popup::ANIM_FADE, s, 0,
                           [s](int x, int y) {
                             DWORD px = 0;
                             for (int nShift : {16, 8, 0})
                               px |= ((((Back(x, y) >> nShift) & 0xFF) * (100 - s) +
                                       ((Final(x, y) >> nShift) & 0xFF) * s) /
                                      100)
                                     << nShift;
                             return px;
                           }))
        << s;
}

TEST_F(PopupFrames, SlidesAndUnfoldsComeFromTheSideAwayFromTheButton) {
  // 70 by 50 at step 40: slides are 42 and 30 away, unfolds 28 by 20 (70 by 20 vertically).
  const struct {
    int nType, nSide;
    int x, y;   // where the final image's top-left lies
    int cx, cy; // the size it is stretched to (unfolds)
  } rows[] = {
      {2, 0, -42, -30, 0, 0}, {3, 0, 0, -30, 0, 0},   {2, 2, -42, 30, 0, 0}, {2, 3, 42, -30, 0, 0},
      {3, 3, 0, -30, 0, 0},   {2, 1, -42, -30, 0, 0}, {5, 0, 0, 0, 28, 20},  {5, 2, 0, 30, 28, 20},
      {5, 3, 42, 0, 28, 20},  {6, 0, 0, 0, 70, 20},   {6, 2, 0, 30, 70, 20}, {6, 4, 0, 0, 70, 20},
  };
  const auto uniform = [](DWORD px) { return [px](int, int) { return px; }; };
  for (const auto& row : rows) {
    const bool bSlide = row.nType <= 3;
    const CRect rc(CPoint(row.x, row.y), CSize(row.cx, row.cy));
    // Slides are checked pixel for pixel; unfolds stretch one colour into their rectangle.
    EXPECT_EQ("", bSlide
                      ? Mismatch(row.nType, 40, row.nSide,
                                 [&](int x, int y) {
                                   return Inside(x - row.x, y - row.y) ? Final(x - row.x, y - row.y)
                                                                       : Back(x, y);
                                 })
                      : Mismatch(
                            row.nType, 40, row.nSide,
                            [&](int x, int y) { return rc.PtInRect(CPoint(x, y)) ? 0xE0C0A0u : 0x203040u; },
                            uniform(0x203040), uniform(0xE0C0A0)))
        << "type " << row.nType << " side " << row.nSide;
  }
}

TEST_F(PopupFrames, BlocksFillRowsFromTheTopOfEachBandAndCellsFromTheLeft) {
  for (int s : {20, 40, 60})
    EXPECT_EQ("", Mismatch(Popup::ANIM_BLOCKS, s, 0,
                           [s](int x, int y) {
                             const int nRow = kCy - 1 - y; // counted from the bottom
                             return 100 - (nRow % 32) * 100 / 32 < s || (x % 32) * 100 / 32 < s ? Final(x, y)
                                                                                                : Back(x, y);
                           }))
        << s;
}

TEST_F(PopupFrames, EffectsThatFillTheWindowEndOnTheFinalImage) {
  // The blocks, too: their last frame is not the background again.
  for (int nType : {-1, 2, 3, 4, 5, 6, 8})
    EXPECT_EQ("", Mismatch(nType, 100, 0, Final)) << nType;
}

TEST_F(PopupFrames, CirclesGrowOrCloseAroundTheCentresOfTheirCellsAndStopAtRadiusZero) {
  // Buffer rows from the bottom; centres at (16, 16), (48, 16), ... Radius 9 growing at step 60,
  // 6 closing; none closing at 100, when the frame stays as it was.
  const auto circles = [](bool bGrow, int r) {
    return [=](int x, int y) {
      const int dx = x % 32 - 16, dy = (kCy - 1 - y) % 32 - 16;
      return (dx * dx + dy * dy < r * r) == bGrow ? Final(x, y) : Back(x, y);
    };
  };
  EXPECT_EQ("", Mismatch(Popup::ANIM_CIRCLES_GROW, 60, 0, circles(true, 9)));
  EXPECT_EQ("", Mismatch(Popup::ANIM_CIRCLES_CLOSE, 60, 0, circles(false, 6)));
  EXPECT_EQ("", Mismatch(Popup::ANIM_CIRCLES_CLOSE, 100, 0, Back));
  EXPECT_EQ("", Mismatch(Popup::ANIM_CIRCLES_GROW, 0, 0, Back));
}

TEST_F(PopupFrames, RandomPixelsRevealMoreOfTheFinalImageAtEveryStepAndKeepIt) {
  ASSERT_EQ("", Mismatch(Popup::ANIM_RANDOM_PIXELS, 0, 0, Back)); // no step yet
  size_t nPrevious = 0;
  for (int s = 20; s <= 100; s += 20) {
    std::vector<DWORD> before(m_popup.m_pFrame, m_popup.m_pFrame + kCx * kCy);
    m_popup.m_nStep = s, m_popup.m_nPrevStep = s - 20;
    ASSERT_TRUE(m_popup.ComposeFrame(kCx, kCy));
    size_t nFinal = 0;
    for (int i = 0; i < kCx * kCy; ++i) {
      const DWORD px = m_popup.m_pFrame[i];
      ASSERT_TRUE(px == m_popup.m_pFinal[i] || px == before[i]) << i;
      nFinal += px == m_popup.m_pFinal[i];
    }
    EXPECT_GT(nFinal, nPrevious) << s;
    nPrevious = nFinal;
  }
  EXPECT_LT(nPrevious, (size_t)(kCx * kCy));
}

} // namespace
