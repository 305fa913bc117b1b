// Timings of the image document's undo history and of the view's paint on a 3840 x 2160 picture.
// The history is measured against a plain copy of the picture's bytes, the paint against one
// BitBlt of the window's size; both baselines are measured in the same run.
#include "bench/bench_gdiplus.h"
#include "bench/bench_editor_host.h"
#include "bench/bench_util.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "imaging/PixelPlane.h"

#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

const int kWidth = 3840, kHeight = 2160, kRounds = 7;

HBITMAP MakePicture() {
  CPixelPlane plane;
  HBITMAP hBitmap = CreatePlaneBitmap(kWidth, kHeight, &plane);
  for (int y = 0; y < kHeight; y++) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < kWidth; x++)
      pRow[x] = ((x * 255 / kWidth) << 16) | ((y * 255 / kHeight) << 8) | ((x ^ y) & 0xFF);
  }
  return hBitmap;
}

// The picture's rows, for changing them the way a tool would.
CPixelPlane Rows(CFramletDoc* pDoc) {
  CPixelPlane plane;
  OpenPixelPlane((HBITMAP)pDoc->m_pImage->GetBitmap()->GetSafeHandle(), plane);
  return plane;
}

void PrintRow(const char* pszName, double ms, double base, const char* pszExtra = "") {
  std::printf("%-34s %9.2f ms %8.2fx %s\n", pszName, ms, ms / base, pszExtra);
}

// PushUndo, Undo and Redo of one kind of change, each the median of kRounds.
void BenchHistory(CFramletDoc* pDoc, const char* pszName, const std::function<void(int)>& change,
                  double base) {
  std::vector<double> push, undo, redo;
  DWORD nCoded = 0;
  for (int i = 0; i < kRounds; i++) {
    change(i);
    double t0 = Now();
    pDoc->PushUndo(pDoc->GetFirstView()->m_pSnapshot, TRUE);
    double t1 = Now();
    pDoc->Undo();
    double t2 = Now();
    pDoc->Redo();
    double t3 = Now();
    push.push_back(t1 - t0);
    undo.push_back(t2 - t1);
    redo.push_back(t3 - t2);
    nCoded = pDoc->m_undo[pDoc->m_nUndoPos].nCodedSize;
  }
  char szBytes[80];
  std::snprintf(szBytes, sizeof(szBytes), "(%lu coded bytes, %.3f %% of the frame)", (unsigned long)nCoded,
                nCoded * 100.0 / ((double)kWidth * kHeight * 4));
  std::printf("%s\n", pszName);
  PrintRow("  PushUndo", Median(push), base, szBytes);
  PrintRow("  Undo", Median(undo), base);
  PrintRow("  Redo", Median(redo), base);
}

double TimePaint(CFramletView* pView) {
  std::vector<double> times;
  for (int i = 0; i < kRounds; i++) {
    double t0 = Now();
    pView->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    ::GdiFlush();
    times.push_back(Now() - t0);
  }
  return Median(times);
}

double TimeWindowBlit(CWnd* pWnd) {
  CRect rc;
  pWnd->GetClientRect(&rc);
  CClientDC dc(pWnd);
  CDC mem;
  mem.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
  CBitmap* pOld = mem.SelectObject(&bitmap);
  mem.FillSolidRect(&rc, RGB(40, 80, 120));
  std::vector<double> times;
  for (int i = 0; i < kRounds; i++) {
    double t0 = Now();
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
    ::GdiFlush();
    times.push_back(Now() - t0);
  }
  mem.SelectObject(pOld);
  return Median(times);
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  {
    bench::CEditorBenchHost editor;
    CFramletDoc* pDoc = editor.Doc();
    CFramletView* pView = editor.View();
    pDoc->TakeNewPicture(MakePicture());

    const double base = bench::TimeMemcpy((size_t)kWidth * kHeight * 4, kRounds);
    std::printf("3840 x 2160 picture, medians of %d rounds\n", kRounds);
    PrintRow("copy of the frame (memcpy)", base, base);
    BenchHistory(
        pDoc, "(a) a 200 x 200 change",
        [&](int i) {
          CPixelPlane rows = Rows(pDoc);
          for (int y = 1000; y < 1200; y++)
            for (DWORD* p = reinterpret_cast<DWORD*>(rows.Row(y)) + 1800;
                 p < reinterpret_cast<DWORD*>(rows.Row(y)) + 2000; p++)
              *p = 0x00FF0000 + i * 0x1010;
        },
        base);
    BenchHistory(
        pDoc, "(b) every pixel changed (inverted)",
        [&](int) {
          CPixelPlane rows = Rows(pDoc);
          for (int y = 0; y < rows.cy; y++)
            for (DWORD* p = reinterpret_cast<DWORD*>(rows.Row(y));
                 p < reinterpret_cast<DWORD*>(rows.Row(y)) + rows.cx; p++)
              *p ^= 0x00FFFFFF;
        },
        base);

    CRect rc;
    pView->GetClientRect(&rc);
    const double blit = TimeWindowBlit(pView);
    std::printf("\npaint into the view (%d x %d)\n", rc.Width(), rc.Height());
    PrintRow("one BitBlt of the window's size", blit, blit);
    for (float z : {1.0f, 0.25f, 8.0f}) {
      pView->m_fZoom = z;
      pView->UpdateScrollSizes();
      pView->UpdateWindow();
      char szName[40];
      std::snprintf(szName, sizeof(szName), "paint at %d %%", (int)(z * 100));
      PrintRow(szName, TimePaint(pView), blit);
    }
  }
  return 0;
}
