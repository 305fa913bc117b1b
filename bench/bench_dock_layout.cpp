// The frame's layout with toolkit dock bars: ten bars (four fixed ones in two rows at the top, six
// resizable ones on three sides of two dock circles) in a 1280x1024 frame that is resized by one
// step, against one deferred positioning batch that moves the same windows by the same step.
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/docking/ExtDockBar.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

class CBenchBar : public CExtControlBar {
public:
  CBenchBar(bool bFixed, CSize size) : m_size(size) {
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

// The windows the layout moves: every bar and every side dock bar, with where they are now.
std::vector<std::pair<HWND, CRect>> LaidOutWindows(CFrameWnd* pFrame) {
  std::vector<std::pair<HWND, CRect>> windows;
  for (HWND hChild = ::GetWindow(pFrame->m_hWnd, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(hChild));
    if (pDock == NULL)
      continue;
    CRect rc;
    pDock->GetWindowRect(&rc);
    pFrame->ScreenToClient(&rc);
    windows.emplace_back(hChild, rc);
    for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); i++)
      if (CControlBar* pBar = pDock->GetDockedControlBar(static_cast<int>(i))) {
        pBar->GetWindowRect(&rc);
        pDock->ScreenToClient(&rc);
        windows.emplace_back(pBar->m_hWnd, rc);
      }
  }
  return windows;
}

} // namespace

int main() {
  CWinApp app("bench_dock_layout");
  CFrameWnd* pFrame = new CFrameWnd;
  if (!pFrame->Create(NULL, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1280, 1024)) ||
      !CExtControlBar::FrameEnableDocking(pFrame)) {
    std::printf("no frame\n");
    return 1;
  }
  std::vector<std::unique_ptr<CBenchBar>> bars;
  auto add = [&](bool bFixed, CSize size, UINT nId) {
    bars.emplace_back(new CBenchBar(bFixed, size));
    bars.back()->Create("bar", pFrame, nId, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    bars.back()->EnableDocking(CBRS_ALIGN_ANY);
    return bars.back().get();
  };
  CExtDockBar* pTop = CExtDockBar::FindCircleDockBar(pFrame, 0, AFX_IDW_DOCKBAR_TOP, false);
  for (UINT i = 0; i < 4; i++)
    pTop->DockBarAtEdge(add(true, CSize(300 + 40 * i, 26), 100 + i), false);
  pTop->InsertBarBesideRow(bars[1].get(), bars[2].get(), false);
  pTop->DockBarAtEdge(bars[3].get(), false);
  const UINT kSides[3] = {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT, AFX_IDW_DOCKBAR_BOTTOM};
  for (UINT i = 0; i < 6; i++)
    add(false, CSize(200, 150), 200 + i)
        ->DockIntoSideBar(kSides[i % 3], static_cast<int>(i / 3), pFrame, false);
  pFrame->RecalcLayout();

  const int kRuns = 41;
  bool bSmall = false;
  const double tLayout = bench::MedianTime(
      [&] {
        bSmall = !bSmall;
        pFrame->SetWindowPos(NULL, 0, 0, bSmall ? 1270 : 1280, bSmall ? 1014 : 1024,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout();
      },
      kRuns);
  const auto windows = LaidOutWindows(pFrame);
  const double tBatch = bench::MedianTime(
      [&] {
        bSmall = !bSmall;
        pFrame->SetWindowPos(NULL, 0, 0, bSmall ? 1270 : 1280, bSmall ? 1014 : 1024,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
        HDWP hDwp = ::BeginDeferWindowPos(static_cast<int>(windows.size()));
        for (const auto& w : windows) {
          const int nStep = bSmall ? -10 : 0;
          hDwp = ::DeferWindowPos(hDwp, w.first, NULL, w.second.left, w.second.top, w.second.Width() + nStep,
                                  w.second.Height() + nStep, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::EndDeferWindowPos(hDwp);
      },
      kRuns);
  std::printf("dock layout: %d windows (10 bars, %d dock bars) in a 1280x1024 frame, resized by 10 pixels\n",
              static_cast<int>(windows.size()), static_cast<int>(windows.size()) - 10);
  std::printf("  frame RecalcLayout           %8.3f ms\n", tLayout);
  std::printf("  one DeferWindowPos batch     %8.3f ms\n", tBatch);
  std::printf("  ratio %.2fx (aim within 3x); a resize step under 16 ms: %s\n", tLayout / tBatch,
              tLayout < 16.0 ? "yes" : "no");
  pFrame->DestroyWindow();
  return 0;
}
