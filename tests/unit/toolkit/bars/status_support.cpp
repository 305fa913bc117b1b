#include "tests/unit/toolkit/bars/status_support.h"

#include "tests/common/window_support.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

void CCountingStatusBar::PaintBackground(CDC& dc, const CRect& rcClient) {
  ++m_nPaints;
  CExtStatusControlBar::PaintBackground(dc, rcClient);
}

void StatusBarTest::SetUp() {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManager)));
  m_frame = CreateDockFrame();
  ASSERT_TRUE(m_frame);
  m_bar = std::make_unique<CCountingStatusBar>();
  ASSERT_TRUE(m_bar->Create(m_frame.get()));
  static const UINT kIds[] = {0, IDS_STATUS_ZOOM, IDS_STATUS_SIZE};
  ASSERT_TRUE(m_bar->SetIndicators(kIds, 3));
  Relayout(m_frame.get());
}

void StatusBarTest::TearDown() {
  m_bar.reset();
  m_frame.reset();
  CExtStatusControlBar::g_bGripperVisible = true;
}

pixel_support::Pixels StatusBarTest::PaintAndRead() {
  m_bar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpPending();
  CRect rc;
  m_bar->GetClientRect(&rc);
  return pixel_support::ReadWindow(m_bar->m_hWnd, rc);
}

HWND StatusBarTest::MakeChild() {
  return ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT | SS_NOTIFY, 0, 0, 10, 10,
                           m_bar->m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
}

int CountOtherThan(const pixel_support::Pixels& px, const CRect& rc, COLORREF clr) {
  int nCount = 0;
  for (int y = std::max(0L, rc.top); y < std::min<long>(px.cy, rc.bottom); y++)
    for (int x = std::max(0L, rc.left); x < std::min<long>(px.cx, rc.right); x++)
      if (px.At(x, y) != clr)
        nCount++;
  return nCount;
}
