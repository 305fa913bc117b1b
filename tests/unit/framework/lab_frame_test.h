// The fixture of the frame, bar, document and print tests: a lab frame made before each test and
// destroyed after it, taking with it every window object the test made.
#pragma once

#include "tests/common/frame_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class LabFrameTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_nWindowsBefore = AfxGetPermanentWndCount();
    m_pFrame = CreateLabFrame();
    ASSERT_NE(nullptr, m_pFrame);
  }
  void TearDown() override {
    DestroyLabFrame(m_pFrame);
    m_bars.clear();
    EXPECT_EQ(m_nWindowsBefore, AfxGetPermanentWndCount());
  }
  // A bar of the frame that may dock on any side.
  CLabBar* AddBar(UINT nID, DWORD dwStyle, CSize size, LPCSTR lpszName, BOOL bVisible = TRUE) {
    m_bars.emplace_back(new CLabBar);
    EXPECT_TRUE(m_bars.back()->CreateBar(m_pFrame, nID, dwStyle, size, lpszName, bVisible));
    m_bars.back()->EnableDocking(CBRS_ALIGN_ANY);
    return m_bars.back().get();
  }

  CLabFrame* m_pFrame = NULL;
  std::vector<std::unique_ptr<CLabBar>> m_bars;
  int m_nWindowsBefore = 0;
};
