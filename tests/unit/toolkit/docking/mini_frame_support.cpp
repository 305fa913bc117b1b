#include "tests/unit/toolkit/docking/mini_frame_support.h"

#include "tests/common/window_support.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <algorithm>

CCellBar::CCellBar() {
  m_bBarFlags |= BF_FIXED_MODE;
  m_sizeFloated = SizeFor(kCells / 2 * kCell, false);
}

CSize CCellBar::SizeFor(int nLength, bool bHeight) {
  const int nAcross = std::max(1, std::min(kCells, nLength / kCell));
  const int nOther = (kCells + nAcross - 1) / nAcross;
  return bHeight ? CSize(nOther * kCell, nAcross * kCell) : CSize(nAcross * kCell, nOther * kCell);
}

CSize CCellBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (nLength > 0 && (dwMode & LM_COMMIT) != 0)
    m_sizeFloated = SizeFor(nLength, (dwMode & LM_LENGTHY) != 0);
  return m_sizeFloated;
}

void MiniFrameTest::SetUp() {
  m_pFrame = new CFrameWnd;
  ASSERT_TRUE(m_pFrame->Create(NULL, "floating", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 610, 460)));
  ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame));
}

void MiniFrameTest::TearDown() {
  if (::IsWindow(m_pFrame->GetSafeHwnd()))
    m_pFrame->DestroyWindow(); // the floating frames it owns go with it
  PumpPending();
  m_bars.clear();
}

CExtControlBar* MiniFrameTest::FloatBar(BarKind kind, CPoint pt, LPCSTR lpszText, CExtControlBar* pGiven,
                                        UINT nDockSide) {
  std::unique_ptr<CExtControlBar> pBar;
  if (kind == BarKind::kResizable) {
    pBar.reset(pGiven != NULL ? pGiven : new CExtControlBar);
    pBar->m_sizeFloated = CSize(220, 160);
  } else {
    auto pCells = std::make_unique<CCellBar>();
    pCells->m_bResizable = kind == BarKind::kFixed;
    pBar = std::move(pCells);
  }
  const UINT nId = 700 + static_cast<UINT>(m_bars.size());
  EXPECT_TRUE(
      pBar->Create(lpszText, m_pFrame, nId,
                   WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC));
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  m_pFrame->DockControlBar(pBar.get(), nDockSide);
  m_pFrame->RecalcLayout();
  m_rcDocked = ScreenRect(pBar.get());
  pBar->FloatControlBar(pt.x, pt.y);
  PumpPending();
  m_bars.push_back(std::move(pBar));
  return m_bars.back().get();
}

CExtMiniDockFrameWnd* MiniFrameTest::MiniOf(CExtControlBar* pBar) {
  return DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
}

CRect WorkAreaOf(CWnd* pWnd) {
  MonitorParams params;
  CExtPaintManager::GetWorkAreaOfWindow(params, pWnd);
  return CRect(params.m_rcWorkArea);
}
