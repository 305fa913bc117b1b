// One step of a bar drag, against one layout pass of the same frame measured in the same run: a
// resizable bar's step (target search with its query layout, the outline erased and drawn again)
// and a tool bar's live step along its row, in a 1280x1024 frame with four tool bars in two rows
// at the top and six resizable bars on three sides of two dock circles.
#include "bench/bench_dock_util.h"
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

class CBenchBar : public bench::CDockBenchBar {
public:
  using CDockBenchBar::CDockBenchBar;
  bool IsIncludedInRowExtent() const override { return IsFixedMode(); }
  bool IsShowContentWhileDragging() const override { return IsFixedMode(); }
  // The gesture without the modal loop: the steps are called directly.
  void BeginForBench() { BeginDragging(CPoint(0, 0)); }
};

} // namespace

int main() {
  CWinApp app("bench_dock_drag");
  std::vector<std::unique_ptr<CBenchBar>> bars;
  CFrameWnd* pFrame = bench::CreateDockBenchFrame(bars, 200, 20);
  if (pFrame == NULL) {
    std::printf("no frame\n");
    return 1;
  }

  const int kRuns = 41;
  const double tLayout = bench::MedianTime([&] { pFrame->RecalcLayout(); }, kRuns);
  // The same pass when every bar moves: the frame one step smaller or larger.
  bool bSmall = false;
  const double tResize = bench::MedianTime(
      [&] {
        bSmall = !bSmall;
        bench::SizeDockBenchFrame(pFrame, bSmall);
        pFrame->RecalcLayout();
        CExtPaintManager::PumpPendingMessages(true, true, true);
      },
      kRuns);
  if (bSmall) {
    bench::SizeDockBenchFrame(pFrame, false);
    pFrame->RecalcLayout();
  }

  // A resizable bar moved between the free area's top and bottom bands: each step finds the
  // other band, erases one outline and draws the other.
  CRect FA;
  CExtControlBar::RepositionBarsEx(pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &FA, NULL, true);
  pFrame->ClientToScreen(&FA);
  CBenchBar* pPanel = bars[4].get();
  pPanel->BeginForBench();
  bool bTop = false;
  const double tStep = bench::MedianTime(
      [&] {
        bTop = !bTop;
        pPanel->OnDraggingStep(CPoint(FA.CenterPoint().x, bTop ? FA.top + 6 : FA.bottom - 6), false);
      },
      kRuns);
  const LONG nType = CExtControlBar::g_DragStateCurrent.m_nTargetType;
  pPanel->StopDragging(true);

  // A tool bar moved 40 pixels back and forth along its row.
  CBenchBar* pTool = bars[0].get();
  CRect rcTool;
  pTool->GetWindowRect(&rcTool);
  pTool->BeginForBench();
  pTool->OnDraggingStep(CPoint(rcTool.left + 6, rcTool.CenterPoint().y), false);
  bool bRight = false;
  const double tToolStep = bench::MedianTime(
      [&] {
        bRight = !bRight;
        pTool->OnDraggingStep(CPoint(rcTool.left + 6 + (bRight ? 40 : 0), rcTool.CenterPoint().y), false);
      },
      kRuns);
  pTool->StopDragging(false);

  std::printf(
      "dock drag: 10 bars (4 tool bars in two rows, 6 resizable ones in two circles), 1280x1024 frame\n");
  std::printf("  frame RecalcLayout, nothing moves      %8.3f ms\n", tLayout);
  std::printf("  frame RecalcLayout + repaint, resized  %8.3f ms\n", tResize);
  std::printf("  resizable bar drag step                %8.3f ms  (%.2fx / %.2fx; target type %ld)\n", tStep,
              tStep / tLayout, tStep / tResize, nType);
  std::printf("  tool bar live step along a row         %8.3f ms  (%.2fx / %.2fx)\n", tToolStep,
              tToolStep / tLayout, tToolStep / tResize);
  std::printf(
      "  aim: each step under 16 ms: %s; within 3x the plain layout: %s; within 3x the resize pass: %s\n",
      tStep < 16.0 && tToolStep < 16.0 ? "yes" : "no",
      tStep < 3 * tLayout && tToolStep < 3 * tLayout ? "yes" : "no",
      tStep < 3 * tResize && tToolStep < 3 * tResize ? "yes" : "no");
  pFrame->DestroyWindow();
  return 0;
}
