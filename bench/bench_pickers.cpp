// A drag across the colour control's HSL panel (a 256 x 256 panel above its bar) and across its
// RGB cube (a 256 x 256 square): each move repaints from the cached pictures through a memory DC
// to the window, as the control does; then the rebuild of the pictures after a resize with its
// first paint. Both against one BitBlt of the same size in the same run.
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/controls/ExtColorModels.h"

#include <cstdio>
#include <memory>

namespace {

const double kFrameMs = 1000.0 / 60.0;

struct Result {
  double tMove, tRebuild, tBlt;
};

// Paints the picker into a memory DC of the window's size and copies it to the window.
class Painter {
public:
  Painter(CWnd& wnd, int cx, int cy) : m_dc(&wnd), m_cx(cx), m_cy(cy) {
    m_mem.CreateCompatibleDC(&m_dc);
    m_bmp.CreateCompatibleBitmap(&m_dc, cx, cy);
    m_pOld = m_mem.SelectObject(&m_bmp);
  }
  ~Painter() { m_mem.SelectObject(m_pOld); }
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void Paint(CExtColorCtrl::any_picker_data_t& picker) {
    m_mem.FillSolidRect(0, 0, m_cx, m_cy, ::GetSysColor(COLOR_BTNFACE));
    picker.Paint(&m_mem, NULL);
    Blt();
  }
  void Blt() { m_dc.BitBlt(0, 0, m_cx, m_cy, &m_mem, 0, 0, SRCCOPY); }
  CDC& dc() { return m_dc; }

private:
  CClientDC m_dc;
  CDC m_mem;
  CBitmap m_bmp;
  CBitmap* m_pOld = NULL;
  int m_cx, m_cy;
};

// A drag from one point to another in nRuns moves, each timed on its own.
Result Bench(CWnd& host, CExtColorCtrl::any_picker_data_t& picker, int cx, int cy, COLORREF clr, POINT from,
             POINT to, int nRuns) {
  CWnd wnd;
  wnd.CreateEx(0, AfxRegisterWndClass(0), "picker", WS_CHILD | WS_VISIBLE, 0, 0, cx, cy, host.m_hWnd, NULL);
  Painter painter(wnd, cx, cy);
  picker.Build(&painter.dc(), NULL, cx, cy, false);
  picker.SetColor(clr);
  painter.Paint(picker);
  picker.OnButtonDown(0, from.x, from.y);
  int nStep = 0;
  Result r;
  r.tMove = bench::MedianTime(
      [&] {
        const int k = nStep++ % nRuns;
        picker.OnTrack(MK_LBUTTON, from.x + (to.x - from.x) * k / nRuns,
                       from.y + (to.y - from.y) * k / nRuns);
        painter.Paint(picker);
      },
      nRuns);
  picker.OnButtonUp(0, to.x, to.y);
  // A resize by one pixel and back: every build is a rebuild of the size's pictures.
  bool bOther = false;
  r.tRebuild = bench::MedianTime(
      [&] {
        bOther = !bOther;
        picker.Build(&painter.dc(), NULL, cx - (bOther ? 1 : 0), cy - (bOther ? 1 : 0), true);
        painter.Paint(picker);
      },
      nRuns);
  r.tBlt = bench::MedianTime([&] { painter.Blt(); }, nRuns);
  wnd.DestroyWindow();
  return r;
}

void Print(const char* pszName, int cx, int cy, const Result& r) {
  std::printf("  %-9s %dx%d: move+repaint %7.3f ms (%5.1fx BitBlt), rebuild+paint %7.3f ms (%6.1fx BitBlt), "
              "BitBlt %6.3f ms\n",
              pszName, cx, cy, r.tMove, r.tBlt > 0 ? r.tMove / r.tBlt : 0.0, r.tRebuild,
              r.tBlt > 0 ? r.tRebuild / r.tBlt : 0.0, r.tBlt);
  std::printf(
      "            move under a tenth of a 60 Hz frame (%.2f ms): %s; rebuild under a frame (%.2f ms): %s\n",
      kFrameMs / 10, r.tMove < kFrameMs / 10 ? "yes" : "no", kFrameMs, r.tRebuild < kFrameMs ? "yes" : "no");
}

} // namespace

int main() {
  CWinApp app("bench_pickers");
  CWnd host;
  if (!host.CreateEx(0, AfxRegisterWndClass(0, NULL, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), "bench",
                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400, NULL, NULL)) {
    std::printf("no host window\n");
    return 1;
  }
  const int kRuns = 61;
  std::printf("colour pickers: a drag repainting from the cached pictures, a resize rebuilding them\n");
  {
    // Margins of 4 around a panel of 256 x 256 and the bar of 20 below it.
    CExtColorCtrl::hsl_panel_data_t panel;
    const int cx = 256 + 8, cy = 256 + 20 + 12;
    Print("HSL panel", cx, cy, Bench(host, panel, cx, cy, RGB(200, 60, 90), {10, 10}, {250, 250}, kRuns));
  }
  {
    // Margins of 5 around a square of 256; black puts every handle at the centre, and the drag
    // takes the first of them, red, up to the top.
    CExtColorCtrl::rgb_cube_data_t cube;
    const int cx = 256 + 10, cy = 256 + 10;
    cube.Build(NULL, NULL, cx, cy, false);
    cube.SetColor(RGB(0, 0, 0));
    Result r = Bench(host, cube, cx, cy, RGB(0, 0, 0), cube.m_ptCenter, cube.m_ptTop, kRuns);
    Print("RGB cube", cx, cy, r);
  }
  host.DestroyWindow();
  return 0;
}
