// What the docking benchmarks share: bars of one size, and the frame they are measured in, with
// ten bars (four fixed ones in two rows at the top, six resizable ones on three sides of two dock
// circles), 1280x1024 or one step smaller.
#pragma once

#include "framework/fw.h"
#include "toolkit/docking/ExtDockBar.h"

#include <memory>
#include <vector>

namespace bench {

// A bar of one size, turned for vertical rows; fixed bars keep a row position record.
class CDockBenchBar : public CExtControlBar {
public:
  CDockBenchBar(bool bFixed, CSize size) : m_size(size) {
    if (bFixed)
      m_bBarFlags |= BF_FIXED_MODE;
  }
  CSize m_size;
  OuterDockPosition m_pos;
  CSize CalcDynamicLayout(int, DWORD dwMode) override {
    return (dwMode & LM_VERTDOCK) ? CSize(m_size.cy, m_size.cx) : m_size;
  }
  OuterDockPosition* GetOuterDockPosition() override { return IsFixedMode() ? &m_pos : NULL; }
};

// The frame, visible, with its ten bars: the fixed ones nFixedCx + i * nFixedStep wide, the
// resizable ones 200x150. NULL when the frame or its docking cannot be made.
template <class TBar>
CFrameWnd* CreateDockBenchFrame(std::vector<std::unique_ptr<TBar>>& bars, int nFixedCx, int nFixedStep) {
  CFrameWnd* pFrame = new CFrameWnd;
  if (!pFrame->Create(NULL, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1280, 1024)) ||
      !CExtControlBar::FrameEnableDocking(pFrame))
    return NULL;
  auto add = [&](bool bFixed, CSize size, UINT nId) {
    bars.emplace_back(new TBar(bFixed, size));
    bars.back()->Create("bar", pFrame, nId, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    bars.back()->EnableDocking(CBRS_ALIGN_ANY);
    return bars.back().get();
  };
  CExtDockBar* pTop = CExtDockBar::FindCircleDockBar(pFrame, 0, AFX_IDW_DOCKBAR_TOP, false);
  for (UINT i = 0; i < 4; i++)
    pTop->DockBarAtEdge(add(true, CSize(nFixedCx + nFixedStep * static_cast<int>(i), 26), 100 + i), false);
  pTop->InsertBarBesideRow(bars[1].get(), bars[2].get(), false);
  pTop->DockBarAtEdge(bars[3].get(), false);
  const UINT kSides[3] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM};
  for (UINT i = 0; i < 6; i++)
    add(false, CSize(200, 150), 200 + i)
        ->DockIntoSideBar(kSides[i % 3], static_cast<int>(i / 3), pFrame, false);
  pFrame->RecalcLayout();
  return pFrame;
}

// The frame at its full size, or 10 pixels smaller each way: one step of the resize passes.
inline void SizeDockBenchFrame(CFrameWnd* pFrame, bool bSmall, UINT nMoreFlags = 0) {
  pFrame->SetWindowPos(NULL, 0, 0, bSmall ? 1270 : 1280, bSmall ? 1014 : 1024,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nMoreFlags);
}

} // namespace bench
