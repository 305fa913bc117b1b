// The frames of the opening animation's pixel effects, composed on in-memory buffers and checked
// pixel by pixel: fade, slide, unfold, random pixels, blocks, circles and the final image at once.
#include "tests/unit/toolkit/menus/popup_base_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using popup_base_test::BufferAt;
typedef CExtPopupBaseWnd Popup;
typedef std::function<DWORD(int x, int y)> PixelFn;

const int kCx = 70, kCy = 50;

// Every pixel differs from its neighbours, and the two images differ everywhere.
DWORD Background(int x, int y) { return (DWORD)(x * 3) << 16 | (DWORD)(y * 4) << 8 | 0x11; }
DWORD Final(int x, int y) { return (DWORD)(0xF0 - x) << 16 | (DWORD)(0x20 + y) << 8 | 0xC0; }

class PopupFrames : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_popup.CreateAnimationBuffers(kCx, kCy));
    Fill(Background, Final);
  }
  void Fill(const PixelFn& background, const PixelFn& final) {
    for (int y = 0; y < kCy; ++y)
      for (int x = 0; x < kCx; ++x) {
        BufferAt(m_popup.m_pBackground, kCx, kCy, x, y) = background(x, y);
        BufferAt(m_popup.m_pFinal, kCx, kCy, x, y) = final(x, y);
        BufferAt(m_popup.m_pFrame, kCx, kCy, x, y) = background(x, y);
      }
  }
  bool Compose(int nType, int nStep, int nPrevStep = -1, int nCombineSide = 0) {
    m_popup.m_nAnimationType = nType;
    m_popup.m_nStep = nStep;
    m_popup.m_nPrevStep = nPrevStep < 0 ? std::max(0, nStep - 20) : nPrevStep;
    return m_popup.ComposeFrame(kCx, kCy, nCombineSide);
  }
  DWORD Frame(int x, int y) { return BufferAt(m_popup.m_pFrame, kCx, kCy, x, y); }
  // The first pixel where the frame differs from expected, as text; empty when none does.
  std::string Mismatch(const PixelFn& expected) {
    for (int y = 0; y < kCy; ++y)
      for (int x = 0; x < kCx; ++x)
        if (Frame(x, y) != expected(x, y))
          return "at (" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(Frame(x, y)) +
                 " instead of " + std::to_string(expected(x, y));
    return std::string();
  }

  Popup m_popup;
};

TEST_F(PopupFrames, BuffersAreBottomUp32BitSectionsOfTheClientSize) {
  for (CBitmap* pBitmap : {&m_popup.m_bmpBackground, &m_popup.m_bmpFinal, &m_popup.m_bmpFrame}) {
    DIBSECTION ds = {};
    ASSERT_EQ((int)sizeof(ds), ::GetObject(pBitmap->GetSafeHandle(), sizeof(ds), &ds));
    EXPECT_EQ(kCx, ds.dsBmih.biWidth);
    EXPECT_EQ(kCy, ds.dsBmih.biHeight); // positive: bottom-up
    EXPECT_EQ(32, ds.dsBmih.biBitCount);
  }
  m_popup.ReleaseAnimationBuffers();
  EXPECT_EQ(nullptr, m_popup.m_pBackground);
  EXPECT_EQ(nullptr, m_popup.m_pFinal);
  EXPECT_EQ(nullptr, m_popup.m_pFrame);
  EXPECT_FALSE(m_popup.ComposeFrame(kCx, kCy));
}

TEST_F(PopupFrames, TypesWithoutPixelEffectsComposeNothing) {
  for (int nType : {Popup::ANIM_EXPAND, Popup::ANIM_NONE, Popup::ANIM_RANDOM}) {
    EXPECT_FALSE(Compose(nType, 40)) << nType;
    EXPECT_EQ("", Mismatch(Background)) << nType;
  }
}

TEST_F(PopupFrames, AtOnceShowsTheFinalImage) {
  ASSERT_TRUE(Compose(Popup::ANIM_AT_ONCE, 0));
  EXPECT_EQ("", Mismatch(Final));
}

TEST_F(PopupFrames, FadeBlendsEveryChannelByTheStep) {
  for (int nStep = 0; nStep <= 100; nStep += 20) {
    SCOPED_TRACE(nStep);
    ASSERT_TRUE(Compose(Popup::ANIM_FADE, nStep));
    EXPECT_EQ("", Mismatch([nStep](int x, int y) {
                const DWORD b = Background(x, y), f = Final(x, y);
                DWORD px = 0;
                for (int nShift : {16, 8, 0})
                  px |= ((((b >> nShift) & 0xFF) * (100 - nStep) + ((f >> nShift) & 0xFF) * nStep) / 100)
                        << nShift;
                return px;
              }));
  }
}

TEST_F(PopupFrames, SlidesMoveTheFinalImageInFromTheSideAwayFromTheButton) {
  // 70 by 50 at step 40: dx = 60 * 70 / 100 = 42, dy = 60 * 50 / 100 = 30.
  const struct {
    int nType, nSide, dx, dy; // where the final image's top-left lies
  } rows[] = {
      {Popup::ANIM_SLIDE, 0, -42, -30},   {Popup::ANIM_SLIDE_VERT, 0, 0, -30},
      {Popup::ANIM_SLIDE, 2, -42, 30},    {Popup::ANIM_SLIDE, 3, 42, -30},
      {Popup::ANIM_SLIDE_VERT, 2, 0, 30}, {Popup::ANIM_SLIDE_VERT, 3, 0, -30},
      {Popup::ANIM_SLIDE, 1, -42, -30},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "type " << row.nType << " side " << row.nSide);
    ASSERT_TRUE(Compose(row.nType, 40, 20, row.nSide));
    EXPECT_EQ("", Mismatch([&](int x, int y) {
                const int xs = x - row.dx, ys = y - row.dy;
                return xs >= 0 && xs < kCx && ys >= 0 && ys < kCy ? Final(xs, ys) : Background(x, y);
              }));
  }
}

TEST_F(PopupFrames, UnfoldsStretchTheFinalImageFromTheCornerNextToTheButton) {
  const DWORD kBack = 0x00203040, kFinal = 0x00E0C0A0;
  Fill([=](int, int) { return kBack; }, [=](int, int) { return kFinal; });
  // 70 by 50 at step 40: 28 by 20, or 70 by 20 unfolding vertically.
  const struct {
    int nType, nSide;
    CRect rcFinal;
  } rows[] = {
      {Popup::ANIM_UNFOLD, 0, CRect(0, 0, 28, 20)},       {Popup::ANIM_UNFOLD, 2, CRect(0, 30, 28, 50)},
      {Popup::ANIM_UNFOLD, 3, CRect(42, 0, 70, 20)},      {Popup::ANIM_UNFOLD_VERT, 0, CRect(0, 0, 70, 20)},
      {Popup::ANIM_UNFOLD_VERT, 2, CRect(0, 30, 70, 50)}, {Popup::ANIM_UNFOLD_VERT, 4, CRect(0, 0, 70, 20)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "type " << row.nType << " side " << row.nSide);
    ASSERT_TRUE(Compose(row.nType, 40, 20, row.nSide));
    EXPECT_EQ("",
              Mismatch([&](int x, int y) { return row.rcFinal.PtInRect(CPoint(x, y)) ? kFinal : kBack; }));
  }
  ASSERT_TRUE(Compose(Popup::ANIM_UNFOLD, 0, 0));
  EXPECT_EQ("", Mismatch([=](int, int) { return kBack; }));
}

TEST_F(PopupFrames, BlocksFillRowsFromTheTopOfEachBandAndCellsFromTheLeft) {
  // Rows are counted in buffer rows, from the bottom of the image.
  for (int nStep : {20, 40, 60}) {
    SCOPED_TRACE(nStep);
    ASSERT_TRUE(Compose(Popup::ANIM_BLOCKS, nStep));
    EXPECT_EQ("", Mismatch([nStep](int x, int y) {
                const int nRow = kCy - 1 - y;
                const bool bFinal = 100 - (nRow % 32) * 100 / 32 < nStep || (x % 32) * 100 / 32 < nStep;
                return bFinal ? Final(x, y) : Background(x, y);
              }));
  }
}

TEST_F(PopupFrames, EffectsThatFillTheWindowEndOnTheFinalImage) {
  // The blocks, too: their last frame is not the background again.
  for (int nType : {2, 3, 4, 5, 6, 8}) {
    SCOPED_TRACE(nType);
    ASSERT_TRUE(Compose(nType, 100));
    EXPECT_EQ("", Mismatch(Final));
  }
}

TEST_F(PopupFrames, CirclesGrowOrCloseAroundTheCentresOfTheirCells) {
  // Buffer coordinates: the cells' centres are at (16, 16), (48, 16), ...
  const struct {
    int nType, nStep, x, nRow;
    bool bFinal;
  } rows[] = {
      {Popup::ANIM_CIRCLES_GROW, 60, 16, 16, true},   // radius 9
      {Popup::ANIM_CIRCLES_GROW, 60, 24, 16, true},   // 8 from the centre
      {Popup::ANIM_CIRCLES_GROW, 60, 25, 16, false},  // 9 from it
      {Popup::ANIM_CIRCLES_GROW, 60, 0, 0, false},    // a cell's corner
      {Popup::ANIM_CIRCLES_GROW, 60, 54, 19, true},   // 6 and 3 from (48, 16)
      {Popup::ANIM_CIRCLES_CLOSE, 60, 16, 16, false}, // radius 6
      {Popup::ANIM_CIRCLES_CLOSE, 60, 21, 16, false}, // 5 from the centre
      {Popup::ANIM_CIRCLES_CLOSE, 60, 22, 16, true},  // 6 from it
      {Popup::ANIM_CIRCLES_CLOSE, 60, 0, 0, true},
      {Popup::ANIM_CIRCLES_GROW, 100, 2, 2, false}, // radius 16 never reaches the corners
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "type " << row.nType << " at " << row.x << ", " << row.nRow);
    ASSERT_TRUE(Compose(row.nType, row.nStep));
    const int y = kCy - 1 - row.nRow;
    EXPECT_EQ(row.bFinal ? Final(row.x, y) : Background(row.x, y), Frame(row.x, y));
  }
}

TEST_F(PopupFrames, CirclesAndRandomPixelsKeepTheFrameWhenNothingMoved) {
  const DWORD kEarlier = 0x00777777;
  const struct {
    int nType, nStep, nPrevStep;
  } rows[] = {
      {Popup::ANIM_CIRCLES_CLOSE, 100, 80}, // radius 0
      {Popup::ANIM_CIRCLES_GROW, 0, 0},     {Popup::ANIM_CIRCLES_GROW, 40, 40},
      {Popup::ANIM_RANDOM_PIXELS, 0, 0},    {Popup::ANIM_RANDOM_PIXELS, 60, 60},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << "type " << row.nType << " step " << row.nStep);
    Fill(Background, Final);
    std::fill(m_popup.m_pFrame, m_popup.m_pFrame + kCx * kCy, kEarlier);
    ASSERT_TRUE(Compose(row.nType, row.nStep, row.nPrevStep));
    EXPECT_EQ("", Mismatch([=](int, int) { return kEarlier; }));
  }
}

TEST_F(PopupFrames, RandomPixelsRevealMoreOfTheFinalImageAtEveryStep) {
  m_popup.m_nRandomSeed = 7;
  std::vector<bool> revealed(kCx * kCy, false);
  size_t nPrevious = 0;
  for (int nStep = 20; nStep <= 100; nStep += 20) {
    SCOPED_TRACE(nStep);
    ASSERT_TRUE(Compose(Popup::ANIM_RANDOM_PIXELS, nStep));
    size_t nFinal = 0;
    for (int y = 0; y < kCy; ++y)
      for (int x = 0; x < kCx; ++x) {
        const DWORD px = Frame(x, y);
        ASSERT_TRUE(px == Final(x, y) || px == Background(x, y)) << x << ", " << y;
        const bool bFinal = px == Final(x, y);
        ASSERT_TRUE(bFinal || !revealed[y * kCx + x]) << "hidden again at " << x << ", " << y;
        revealed[y * kCx + x] = bFinal;
        nFinal += bFinal;
      }
    EXPECT_GT(nFinal, nPrevious);
    nPrevious = nFinal;
  }
  EXPECT_LT(nPrevious, revealed.size());
  // The same seed reveals the same pixels.
  std::vector<DWORD> first(m_popup.m_pFrame, m_popup.m_pFrame + kCx * kCy);
  Fill(Background, Final);
  m_popup.m_nRandomSeed = 7;
  for (int nStep = 20; nStep <= 100; nStep += 20)
    Compose(Popup::ANIM_RANDOM_PIXELS, nStep);
  EXPECT_EQ(first, std::vector<DWORD>(m_popup.m_pFrame, m_popup.m_pFrame + kCx * kCy));
}

} // namespace
