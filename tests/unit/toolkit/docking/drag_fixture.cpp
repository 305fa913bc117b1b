#include "tests/unit/toolkit/docking/drag_fixture.h"

#include "tests/common/window_support.h"

void DragFixture::SetUp() {
  m_pLog = new CDragLogFrame;
  m_pFrame = CreateDockFrame(m_pLog);
  ASSERT_TRUE(m_pFrame);
  ASSERT_TRUE(CExtControlBar::FrameEnableDocking(m_pFrame.get()));
  ::SetForegroundWindow(m_pFrame->m_hWnd);
  Relayout(m_pFrame.get());
}

void DragFixture::TearDown() {
  m_bars.clear();
  m_pFrame.reset();
}

CPanelBar* DragFixture::AddPanel(UINT nId, UINT nSide, LPCSTR lpszName) {
  auto pBar = std::make_unique<CPanelBar>();
  const DWORD dwAlign = CExtDockBar::AlignmentOfSide(nSide);
  EXPECT_TRUE(
      pBar->Create(lpszName, m_pFrame.get(), nId,
                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | dwAlign | CBRS_GRIPPER));
  ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, 10, 10, pBar->m_hWnd, NULL,
                    ::GetModuleHandleA(NULL), NULL);
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  m_pFrame->DockControlBar(pBar.get(), nSide);
  Relayout(m_pFrame.get());
  CPanelBar* p = pBar.get();
  m_bars.push_back(std::move(pBar));
  return p;
}

CFixedDragBar* DragFixture::AddFixed(UINT nId, LPCSTR lpszName, CSize size) {
  auto pBar = std::make_unique<CFixedDragBar>(size);
  EXPECT_TRUE(
      pBar->Create(lpszName, m_pFrame.get(), nId, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  CFixedDragBar* p = pBar.get();
  m_bars.push_back(std::move(pBar));
  return p;
}

std::string DragFixture::Dump() const {
  std::string out;
  static const UINT kSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                 AFX_IDW_DOCKBAR_RIGHT};
  static const char kNames[] = "TBLR";
  for (int i = 0; i < 4; i++) {
    for (UINT nCircle = 0;; nCircle++) {
      CExtDockBar* pDock = CExtDockBar::FindCircleDockBar(m_pFrame.get(), nCircle, kSides[i], false);
      if (pDock == NULL)
        break;
      out += kNames[i] + std::to_string(nCircle) + ": " + DockFrameTest::DumpArray(pDock) + "\n";
    }
  }
  return out;
}

CRect DragFixture::FreeArea() const {
  CRect FA;
  CExtControlBar::RepositionBarsEx(m_pFrame.get(), 0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &FA, NULL,
                                   true);
  m_pFrame->ClientToScreen(&FA);
  return FA;
}

CRect DragFixture::DockingArea() const {
  auto edge = [this](UINT nSide) {
    return static_cast<CExtDockBar*>(m_pFrame->GetControlBar(nSide))->m_rcInnerEdge;
  };
  return CRect(edge(AFX_IDW_DOCKBAR_LEFT).left, edge(AFX_IDW_DOCKBAR_TOP).top,
               edge(AFX_IDW_DOCKBAR_RIGHT).left, edge(AFX_IDW_DOCKBAR_BOTTOM).top);
}
