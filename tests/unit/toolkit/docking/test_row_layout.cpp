// Sharing a row of a dock bar out: the one-pixel walk on synthetic rows, a single bar taking the
// whole row, and the row breaks an overflowing row gets.
#include "tests/unit/toolkit/docking/dock_frame_support.h"

#include <gtest/gtest.h>

namespace {

using Share = CExtControlBar::RowShare;

TEST(RowSharing, TheOnePixelWalkOnSyntheticRows) {
  const struct {
    const char* name;
    std::vector<Share> row;
    int diff;
    std::vector<int> lengths;
    int left;
  } kRows[] = {
      {"growth goes round", {{50, 20}, {50, 20}}, 5, {53, 52}, 0},
      {"shrinking stops at the minimums", {{25, 20}, {30, 20}}, -20, {20, 20}, -5},
      {"all at minimum: the last takes it", {{20, 20}, {20, 20}}, 7, {20, 27}, 0},
      {"nothing to share", {{40, 10}}, 0, {40}, 0},
      {"one bar shrinks to its minimum", {{40, 10}}, -100, {10}, -70},
  };
  for (const auto& row : kRows) {
    std::vector<Share> items = row.row;
    EXPECT_EQ(row.left, CExtControlBar::DistributeRowDifference(items, row.diff)) << row.name;
    std::vector<int> lengths;
    for (const Share& item : items)
      lengths.push_back(item.nLength);
    EXPECT_EQ(row.lengths, lengths) << row.name;
  }
}

class RowLayout : public ::testing::Test {
protected:
  void SetUp() override {
    m_pFrame = CreateDockFrame();
    ASSERT_TRUE(m_pFrame);
  }
  void TearDown() override {
    m_bars.clear();
    m_pFrame.reset();
  }
  CExtControlBar* Add(UINT nId, bool bFixed, int cx = 0) {
    m_bars.push_back(DockBar(m_pFrame.get(), nId, AFX_IDW_DOCKBAR_TOP, "Bar", bFixed));
    CExtControlBar* pBar = m_bars.back().get();
    if (cx > 0) {
      pBar->m_sizeDockedH.cx = cx;
      Relayout(m_pFrame.get());
    }
    return pBar;
  }
  // Puts the bars into one row of the top dock bar, in this order, and lays the frame out.
  void OneRow(std::initializer_list<CExtControlBar*> bars) {
    CDockBar* pDockBar = m_bars.front()->m_pDockBar;
    pDockBar->m_arrBars.RemoveAll();
    pDockBar->m_arrBars.Add(NULL);
    for (CExtControlBar* pBar : bars)
      pDockBar->m_arrBars.Add(pBar);
    pDockBar->m_arrBars.Add(NULL);
    Relayout(m_pFrame.get());
  }
  int RowExtent() {
    CRect rc;
    m_bars.front()->m_pDockBar->GetClientRect(&rc);
    return rc.Width();
  }
  FramePtr m_pFrame;
  std::vector<std::unique_ptr<CExtControlBar>> m_bars;
};

TEST_F(RowLayout, ASingleBarTakesTheWholeRow) {
  CExtControlBar* pBar = Add(401, false);
  OneRow({pBar});
  EXPECT_EQ(std::max(RowExtent(), pBar->CalcMinWidth()), pBar->m_sizeDockedH.cx);
  EXPECT_TRUE(pBar->IsSingleInRow());
}

TEST_F(RowLayout, TwoResizableBarsShareTheRow) {
  CExtControlBar* pFirst = Add(411, false);
  CExtControlBar* pSecond = Add(412, false);
  // Equal lengths to start with: the walk changes each by one pixel in turn.
  pFirst->m_sizeDockedH.cx = pSecond->m_sizeDockedH.cx = 100;
  OneRow({pFirst, pSecond});
  EXPECT_EQ(RowExtent(), pFirst->m_sizeDockedH.cx + pSecond->m_sizeDockedH.cx);
  EXPECT_LE(std::abs(pFirst->m_sizeDockedH.cx - pSecond->m_sizeDockedH.cx), 1);
  EXPECT_FALSE(pFirst->IsSingleInRow());
}

TEST_F(RowLayout, AFixedBarAfterTheOverflowStartsANewRow) {
  CExtControlBar* pResizable = Add(421, false, 100);
  CExtControlBar* pWide = Add(422, true, RowExtent() + 50);
  OneRow({pResizable, pWide});
  EXPECT_TRUE(pResizable->IsSingleInRow());
  EXPECT_TRUE(pWide->IsSingleInRow());
  EXPECT_EQ(pResizable->m_pDockBar->FindBar(pResizable) + 2, pWide->m_pDockBar->FindBar(pWide));
}

TEST_F(RowLayout, AnOverflowAheadPushesTheLayingOutBarIntoANewRow) {
  CExtControlBar* pWide = Add(431, true);
  pWide->m_sizeDockedH.cx = RowExtent() - 10;
  CExtControlBar* pNarrow = Add(432, true, 60);
  CExtControlBar* pResizable = Add(433, false, 100);
  OneRow({pWide, pNarrow, pResizable});
  EXPECT_TRUE(pResizable->IsSingleInRow());
  EXPECT_EQ(std::max(RowExtent(), pResizable->CalcMinWidth()), pResizable->m_sizeDockedH.cx);
}

TEST_F(RowLayout, MinimumsAndTheFixedLayout) {
  CExtControlBar* pBar = Add(441, false);
  pBar->m_bBarFlags |= CExtControlBar::BF_CAPTION_ON_TOP;
  EXPECT_GE(pBar->CalcMinWidth(), 10);
  EXPECT_EQ(CSize(32767, pBar->m_sizeDockedH.cy), pBar->CalcFixedLayout(TRUE, TRUE));
  // The vertical stretch answers the horizontal width.
  EXPECT_EQ(CSize(pBar->m_sizeDockedH.cx, 32767), pBar->CalcFixedLayout(TRUE, FALSE));
  // Without dock bits the floating size answers for LM_MRUWIDTH and LM_COMMIT.
  pBar->m_sizeFloated = CSize(222, 111);
  EXPECT_EQ(CSize(222, 111), pBar->CalcDynamicLayout(-1, LM_MRUWIDTH));
  EXPECT_EQ(CSize(300, 111), pBar->CalcDynamicLayout(300, LM_COMMIT));
  EXPECT_EQ(CSize(300, 90), pBar->CalcDynamicLayout(90, LM_COMMIT | LM_LENGTHY));
}

} // namespace
