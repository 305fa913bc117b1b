// Minimize To Tray and back with floating bars: the frame of the docking benchmarks (ten bars) with
// none, two and four of its bars floating, hidden into the tray's owner and brought back, each step
// timed on its own. The frame without floating bars is the baseline: a floating bar should add
// little to either step.
#include "app/SystemTray.h"
#include "bench/bench_dock_util.h"
#include "bench/bench_util.h"
#include "framework/fw.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

struct TrayTimes {
  double tMinimise, tRestore;
};

// The medians of nRuns times hiding the frame in the tray and bringing it back, after one unmeasured.
TrayTimes TimeTrayRoundTrips(CFrameWnd* pFrame, int nRuns) {
  std::vector<double> minimise, restore;
  for (int i = 0; i <= nRuns; i++) {
    double t0 = bench::Now();
    CSystemTray::MinimiseToTray(pFrame, FALSE);
    const double t1 = bench::Now();
    PumpPending();
    const double t2 = bench::Now();
    CSystemTray::RestoreFromTray(pFrame, FALSE);
    const double t3 = bench::Now();
    PumpPending();
    if (i > 0) {
      minimise.push_back(t1 - t0);
      restore.push_back(t3 - t2);
    }
  }
  return {bench::Median(minimise), bench::Median(restore)};
}

} // namespace

int main() {
  CWinApp app("bench_tray");
  std::vector<std::unique_ptr<bench::CDockBenchBar>> bars;
  CFrameWnd* pFrame = bench::CreateDockBenchFrame(bars, 300, 40);
  if (pFrame == NULL) {
    std::printf("no frame\n");
    return 1;
  }
  app.m_pMainWnd = pFrame;
  PumpPending();

  const int kRuns = 9;
  std::printf("Minimize To Tray and back: a 1280x1024 frame with ten bars, medians of %d runs\n", kRuns);
  std::printf("  floating bars   minimise ms   restore ms   minimise ratio\n");
  double tBaseline = 0;
  // Fixed bars float first, then resizable ones: both kinds of floating frame take part.
  const size_t kFloated[] = {0, 2, 4};
  size_t nFloating = 0;
  for (size_t nWanted : kFloated) {
    for (; nFloating < nWanted; nFloating++) {
      const size_t nBar = nFloating % 2 == 0 ? nFloating / 2 : 4 + nFloating / 2;
      bars[nBar]->FloatControlBar(200 + 220 * static_cast<int>(nFloating), 300);
      PumpPending();
    }
    const TrayTimes times = TimeTrayRoundTrips(pFrame, kRuns);
    if (nWanted == 0)
      tBaseline = times.tMinimise;
    std::printf("  %13d   %11.1f   %10.1f   %13.2fx\n", static_cast<int>(nWanted), times.tMinimise,
                times.tRestore, tBaseline > 0 ? times.tMinimise / tBaseline : 1.0);
  }
  app.m_pMainWnd = NULL;
  pFrame->DestroyWindow();
  return 0;
}
