// The MDI tabs with 100 children in a 1280x1024 MDI frame: the synchronisation after a new child,
// then the strip's layout and its painting through the memory DC, against one BitBlt of the
// strip's area measured in the same run.
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/docking/ExtTabMdiWnd.h"

#include <cstdio>
#include <string>

namespace {

class CBenchFrame : public CMDIFrameWnd {
public:
  CExtTabMdiWnd m_wndTabs;
};

HWND NewChild(HWND hClient, int n) {
  const std::string sTitle = "document " + std::to_string(n);
  return ::CreateMDIWindowA("BenchMdiChild", sTitle.c_str(), WS_VISIBLE | WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hClient, ::GetModuleHandleA(NULL),
                            0);
}

} // namespace

int main() {
  CWinApp app("bench_mdi_tabs");
  WNDCLASSA wc = {};
  wc.lpfnWndProc = ::DefMDIChildProcA;
  wc.hInstance = ::GetModuleHandleA(NULL);
  wc.hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
  wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
  wc.lpszClassName = "BenchMdiChild";
  ::RegisterClassA(&wc);
  auto* pFrame = new CBenchFrame;
  if (!pFrame->Create(NULL, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 1280, 1024)) ||
      pFrame->m_hWndMDIClient == NULL ||
      !pFrame->m_wndTabs.Create(pFrame, CRect(0, 0, 0, 0), 0xFFFFFFFF, 0x54000000, 0x210)) {
    std::printf("no frame\n");
    return 1;
  }
  CExtTabMdiWnd& tabs = pFrame->m_wndTabs;
  HWND hClient = pFrame->m_hWndMDIClient;
  for (int i = 0; i < 100; ++i)
    if (NewChild(hClient, i) == NULL) {
      std::printf("no child: %lu\n", ::GetLastError());
      return 1;
    }
  tabs.SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_SYNC);
  pFrame->RecalcLayout();
  int nNext = 100;
  // Each run adds one child and synchronises; the strip then has one more item.
  const double tSync = bench::MedianTime(
      [&] {
        NewChild(hClient, nNext++);
        tabs.SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_SYNC);
      },
      21);
  // The strip showed itself with its first child; the frame gives it its band now.
  pFrame->RecalcLayout();
  CRect rcClient;
  tabs.GetClientRect(&rcClient);
  CClientDC dcWnd(&tabs);
  CDC dcMem;
  dcMem.CreateCompatibleDC(&dcWnd);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&dcWnd, rcClient.Width(), rcClient.Height());
  CBitmap* pOld = dcMem.SelectObject(&bmp);
  const double tLayoutPaint = bench::MedianTime(
      [&] {
        tabs.UpdateTabWnd(false);
        tabs.RecalcLayout();
        tabs.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
      },
      51);
  const double tBlt = bench::MedianTime(
      [&] { dcWnd.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY); }, 51);
  dcMem.SelectObject(pOld);
  std::printf("mdi tabs: %d children, strip %dx%d\n", tabs.ItemGetCount(), rcClient.Width(),
              rcClient.Height());
  std::printf("  sync after a new child        %8.3f ms\n", tSync);
  std::printf("  layout + paint (memory DC)    %8.3f ms\n", tLayoutPaint);
  std::printf("  one BitBlt of the strip       %8.3f ms\n", tBlt);
  std::printf("  layout+paint / BitBlt %.1fx (aim within 20x); whole %.3f ms (aim within 16.7 ms)\n",
              tLayoutPaint / tBlt, tSync + tLayoutPaint);
  pFrame->DestroyWindow();
  return 0;
}
