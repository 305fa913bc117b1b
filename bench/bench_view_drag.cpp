// Time per mouse move of three drags in the image view at 100 %, on a 1920 x 1080 and a 3840 x 2160
// picture: (a) a brush stroke, (b) the rubber band of a rectangle selection and (c) the floating
// piece that selection lifted, dragged by its tracker's own loop. Each move is timed from posting
// it until the paint it caused is done, as the message loop would run them. The baseline is one
// copy of the picture's pixels (memcpy), measured in the same run; the aim is under 16 ms a move.
#include "bench/bench_gdiplus.h"
#include "bench/bench_editor_host.h"
#include "bench/bench_util.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "imaging/PixelPlane.h"
#include "resources/resource.h"

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

const int kMoves = 300, kLongLoops = 6, kTail = 50, kRounds = 7;
const double kAim = 16.0;
const UINT kNextMove = WM_APP, kDone = WM_APP + 1;

HBITMAP MakePicture(int cx, int cy) {
  CPixelPlane plane;
  HBITMAP hBitmap = CreatePlaneBitmap(cx, cy, &plane);
  for (int y = 0; hBitmap != NULL && y < cy; y++) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < cx; x++)
      pRow[x] = ((x * 255 / cx) << 16) | ((y * 255 / cy) << 8) | ((x ^ y) & 0xFF);
  }
  return hBitmap;
}

// Feeds a drag to the view one move at a time: each kNextMove lets the paint of the last move
// finish, notes the time and posts the next move and itself. Posted messages come before paints,
// so the move and the paint it causes are timed together, whichever loop dispatches them (the
// program's own or a tracker's).
class CMovePacer {
public:
  CMovePacer() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "BenchMovePacer";
    ::RegisterClassA(&wc);
    m_hWnd =
        ::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, wc.hInstance, NULL);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CMovePacer() {
    if (m_hWnd != NULL)
      ::DestroyWindow(m_hWnd);
  }
  CMovePacer(const CMovePacer&) = delete;
  CMovePacer& operator=(const CMovePacer&) = delete;

  // Presses at the first point, moves through the others with the left button held and releases
  // at the last; the times of the moves, in milliseconds.
  std::vector<double> Drag(HWND hView, const std::vector<CPoint>& points) {
    m_hView = hView;
    m_points = points;
    m_nNext = 1;
    m_times.clear();
    m_bDone = false;
    ::PostMessageA(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(points[0].x, points[0].y));
    ::PostMessageA(m_hWnd, kNextMove, 0, 0);
    MSG msg;
    while (!m_bDone && ::GetMessageA(&msg, NULL, 0, 0) > 0) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    return m_times;
  }

private:
  static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CMovePacer* pPacer = reinterpret_cast<CMovePacer*>(::GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pPacer != NULL && nMsg == kNextMove) {
      pPacer->Next();
      return 0;
    }
    if (pPacer != NULL && nMsg == kDone) {
      pPacer->m_bDone = true;
      return 0;
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  }
  void Next() {
    ::UpdateWindow(m_hView);
    ::GdiFlush();
    const double now = Now();
    if (m_nNext > 1)
      m_times.push_back(now - m_tPosted);
    if (m_nNext < m_points.size()) {
      const CPoint pt = m_points[m_nNext++];
      m_tPosted = Now();
      ::PostMessageA(m_hView, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
      ::PostMessageA(m_hWnd, kNextMove, 0, 0);
      return;
    }
    const CPoint last = m_points.back();
    ::PostMessageA(m_hView, WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
    ::PostMessageA(m_hWnd, kDone, 0, 0);
  }

  HWND m_hWnd = NULL;
  HWND m_hView = NULL;
  std::vector<CPoint> m_points;
  size_t m_nNext = 0;
  double m_tPosted = 0;
  std::vector<double> m_times;
  bool m_bDone = false;
};

// nLoops figure eights of kMoves steps of about 7 pixels each around the centre.
std::vector<CPoint> StrokePath(CPoint centre, int nLoops) {
  std::vector<CPoint> points;
  for (int i = 0; i <= kMoves * nLoops; i++) {
    const double a = 2 * 3.14159265358979323846 * i / kMoves;
    points.emplace_back(centre.x + (int)(350 * std::sin(a)), centre.y + (int)(250 * std::sin(2 * a)));
  }
  return points;
}

// From the corner outwards, the band growing to 600 x 400.
std::vector<CPoint> BandPath(CPoint corner) {
  std::vector<CPoint> points;
  for (int i = 0; i <= kMoves; i++)
    points.emplace_back(corner.x + i * 2, corner.y + i * 4 / 3);
  return points;
}

// A circle of radius 150 through the press, in steps of about 3 pixels, ending kPieceShift to the
// right of the press.
const CSize kPieceShift(40, 0);
std::vector<CPoint> CirclePath(CPoint press) {
  std::vector<CPoint> points{press};
  for (int i = 1; i < kMoves; i++) {
    const double a = 2 * 3.14159265358979323846 * i / kMoves;
    points.emplace_back(press.x + (int)(150 * std::sin(a)), press.y + 150 - (int)(150 * std::cos(a)));
  }
  points.push_back(press + kPieceShift);
  return points;
}

std::vector<double> Tail(const std::vector<double>& times) {
  return std::vector<double>(times.end() - std::min<size_t>(kTail, times.size()), times.end());
}

void PrintRow(const char* pszName, double ms, double base, double tail) {
  std::printf("%-44s %8.2f ms %8.2fx", pszName, ms, ms / base);
  if (tail >= 0)
    std::printf(" %9.2f ms  %s", tail, ms < kAim && tail < kAim ? "under 16 ms" : "OVER 16 ms");
  std::printf("\n");
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  int nExit = 0;
  {
    bench::CEditorBenchHost editor;
    CFramletDoc* pDoc = editor.Doc();
    CFramletView* pView = editor.View();
    CMovePacer pacer;

    std::printf("Per mouse move, with the paint it causes, at 100 %% zoom: the median over a drag's moves\n"
                "(%d; the long stroke %d) and over its last %d\n",
                kMoves, kMoves * kLongLoops, kTail);
    std::printf("%-44s %11s %9s %12s\n", "", "median", "ratio", "last 50");
    struct Size {
      int cx, cy;
    } const sizes[] = {{1920, 1080}, {3840, 2160}};
    for (const Size& size : sizes) {
      HBITMAP hPicture = MakePicture(size.cx, size.cy);
      if (!pDoc->TakeNewPicture(hPicture)) {
        if (hPicture != NULL)
          ::DeleteObject(hPicture);
        std::printf("\nno %d x %d picture to be had\n", size.cx, size.cy);
        nExit = 1;
        break;
      }
      pView->TakeSnapshot();
      pView->UpdateWindow();
      CRect rc;
      pView->GetClientRect(&rc);
      const double base = bench::TimeMemcpy((size_t)size.cx * size.cy * 4, kRounds);
      std::printf("\n%d x %d picture in a %d x %d view\n", size.cx, size.cy, rc.Width(), rc.Height());
      PrintRow("copy of the frame (memcpy)", base, base, -1);

      editor.State().m_nCurrentTool = ID_TOOL_PAINT_BRUSH;
      std::vector<double> times = pacer.Drag(pView->m_hWnd, StrokePath(rc.CenterPoint(), 1));
      PrintRow("(a) brush stroke", Median(times), base, Median(Tail(times)));
      // The preview draws the whole stroke again at every move.
      times = pacer.Drag(pView->m_hWnd, StrokePath(rc.CenterPoint(), kLongLoops));
      PrintRow("(a) brush stroke, long", Median(times), base, Median(Tail(times)));

      editor.State().m_nCurrentTool = ID_TOOL_RECT_SELECTION;
      const CPoint corner(100, 100);
      times = pacer.Drag(pView->m_hWnd, BandPath(corner));
      PrintRow("(b) rectangle selection rubber band", Median(times), base, Median(Tail(times)));

      // The band lifted a 600 x 400 piece; a press in its middle drags it.
      if (pDoc->m_pSelection == NULL) {
        std::printf("(c) no floating piece to drag\n");
        continue;
      }
      const CRect rcPiece = pDoc->m_pSelection->m_rect;
      times = pacer.Drag(pView->m_hWnd, CirclePath(corner + CSize(300, 200)));
      if (pDoc->m_pSelection == NULL || CRect(pDoc->m_pSelection->m_rect) != rcPiece + kPieceShift)
        std::printf("(c) the piece did not follow the drag\n");
      PrintRow("(c) 600 x 400 floating piece dragged", Median(times), base, Median(Tail(times)));
    }
  }
  return nExit;
}
