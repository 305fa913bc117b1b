// The frame's layout with toolkit dock bars: ten bars (four fixed ones in two rows at the top, six
// resizable ones on three sides of two dock circles) in a 1280x1024 frame that is resized by one
// step, against one deferred positioning batch that moves the same windows by the same step.
#include "bench/bench_dock_util.h"
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/docking/ExtDockBar.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

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
  std::vector<std::unique_ptr<bench::CDockBenchBar>> bars;
  CFrameWnd* pFrame = bench::CreateDockBenchFrame(bars, 300, 40);
  if (pFrame == NULL) {
    std::printf("no frame\n");
    return 1;
  }

  const int kRuns = 41;
  bool bSmall = false;
  const double tLayout = bench::MedianTime(
      [&] {
        bSmall = !bSmall;
        bench::SizeDockBenchFrame(pFrame, bSmall);
        pFrame->RecalcLayout();
      },
      kRuns);
  const auto windows = LaidOutWindows(pFrame);
  const double tBatch = bench::MedianTime(
      [&] {
        bSmall = !bSmall;
        bench::SizeDockBenchFrame(pFrame, bSmall, SWP_NOSENDCHANGING);
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
