// A docked tool bar of 30 buttons (icons of 16x16, measuring 23x22, or of 40x40, measuring 46x46)
// laid out and painted through DoPaint at its full width and at half of it (the rest behind the
// chevron), per theme, against one BitBlt of the bar's client area in the same run; then the menu
// bar's rebuild of its row when another MDI child, with another menu, is activated.
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <cstdio>

namespace {

const char kProfile[] = "bench_bars";
const UINT kFirstId = 1000;

// A square icon of one colour with a dark frame; the caller destroys it.
HICON MakeIcon(int nSize, COLORREF clr) {
  CClientDC dcScreen(NULL);
  CBitmap color, mask;
  color.CreateCompatibleBitmap(&dcScreen, nSize, nSize);
  mask.CreateBitmap(nSize, nSize, 1, 1, NULL);
  CDC dc;
  dc.CreateCompatibleDC(&dcScreen);
  CBitmap* pOld = dc.SelectObject(&color);
  dc.FillSolidRect(0, 0, nSize, nSize, RGB(0, 0, 0));
  dc.FillSolidRect(1, 1, nSize - 2, nSize - 2, clr);
  dc.SelectObject(&mask);
  dc.PatBlt(0, 0, nSize, nSize, BLACKNESS);
  dc.SelectObject(pOld);
  ICONINFO ii = {TRUE, 0, 0, (HBITMAP)mask.GetSafeHandle(), (HBITMAP)color.GetSafeHandle()};
  return ::CreateIconIndirect(&ii);
}

// The thirty commands with icons of the size, in the host's profile.
void SetIcons(int nSize) {
  for (UINT i = 0; i < 30; ++i) {
    g_CmdManagerHolder->AllocCommand(kProfile, kFirstId + i);
    HICON hIcon = MakeIcon(nSize, RGB(40 + i * 7, 200 - i * 5, (i * 71) & 0xFF));
    g_CmdManagerHolder->SetCommandIcon(kProfile, kFirstId + i, hIcon, true);
    ::DestroyIcon(hIcon);
  }
}

// An MDI frame whose menu bar shows each child's own menu: the time from activating the other
// child to the rebuilt row.
class CRebuildBar : public CExtMenuControlBar {
public:
  int m_nRebuilds = 0;
  bool RebuildMenuButtons(bool bRecalc) override {
    ++m_nRebuilds;
    return CExtMenuControlBar::RebuildMenuButtons(bRecalc);
  }
};

HMENU MakeMenu(int nPopups) {
  HMENU hMenu = ::CreateMenu();
  for (int i = 0; i < nPopups; ++i) {
    HMENU hPopup = ::CreatePopupMenu();
    for (int j = 0; j < 8; ++j)
      ::AppendMenuA(hPopup, MF_STRING, 2000 + i * 10 + j, "Item");
    ::AppendMenuA(hPopup, MF_STRING, 0, NULL);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hPopup, "&Menu");
  }
  return hMenu;
}

double BenchMenuBarRebuild() {
  auto* pFrame = new CMDIFrameWnd;
  HMENU hFrameMenu = MakeMenu(4), hDocMenu = MakeMenu(7);
  if (!pFrame->CreateEx(0, NULL, "bench frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 600), NULL,
                        0) ||
      !pFrame->CreateClient(NULL, NULL))
    return -1;
  ::SetMenu(pFrame->m_hWnd, hFrameMenu);
  CRebuildBar bar;
  CExtControlBar::FrameEnableDocking(pFrame);
  if (!bar.Create(NULL, pFrame, 0xE911, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP))
    return -1;
  bar.EnableDocking(CBRS_ALIGN_ANY);
  pFrame->DockControlBar(&bar);
  CMDIChildWnd* children[2] = {new CMDIChildWnd, new CMDIChildWnd};
  for (int i = 0; i < 2; ++i) {
    children[i]->m_hMenuShared = i == 0 ? hDocMenu : hFrameMenu;
    children[i]->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 300, 200),
                        pFrame);
  }
  MSG msg;
  auto pump = [&] {
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  };
  pump();
  int nNext = 0;
  const double t = bench::MedianTime(
      [&] {
        const int nBefore = bar.m_nRebuilds;
        pFrame->MDIActivate(children[nNext]);
        nNext ^= 1;
        while (bar.m_nRebuilds == nBefore && ::GetMessageA(&msg, NULL, 0, 0)) {
          ::TranslateMessage(&msg);
          ::DispatchMessageA(&msg);
        }
      },
      21);
  pFrame->DestroyWindow();
  ::DestroyMenu(hDocMenu);
  return t;
}

} // namespace

int main() {
  CWinApp app("bench_bars");
  CWnd host;
  if (!host.CreateEx(0, AfxRegisterWndClass(0, NULL, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), "bench",
                     WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1400, 200, NULL, NULL)) {
    std::printf("no host window\n");
    return 1;
  }
  g_CmdManagerHolder->SetupProfile(kProfile, host.m_hWnd);
  const struct {
    CRuntimeClass* pClass;
    const char* pszName;
  } themes[] = {{RUNTIME_CLASS(CExtPaintManager), "classic"},
                {RUNTIME_CLASS(CExtPaintManagerXP), "XP"},
                {RUNTIME_CLASS(CExtPaintManagerOffice2003), "Office 2003"}};
  const int kRuns = 41;
  double tWorst = 0;
  std::printf("tool bar of 30 buttons, docked: layout (RecalcButtonPositions) + DoPaint vs one BitBlt\n");
  for (const auto& theme : themes) {
    if (!g_PaintManagerHolder.InstallThemeByClass(theme.pClass)) {
      std::printf("  %s: theme not installed\n", theme.pszName);
      continue;
    }
    for (int nIcon : {16, 40}) {
      SetIcons(nIcon);
      UINT ids[30];
      for (UINT i = 0; i < 30; ++i)
        ids[i] = kFirstId + i;
      CExtToolControlBar bar;
      if (!bar.Create("bench bar", &host, 0xE910, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP) ||
          !bar.SetButtons(ids, 30)) {
        std::printf("  no bar\n");
        return 1;
      }
      const CSize sizeFull = bar.CalcFixedLayout(FALSE, TRUE);
      for (bool bHalf : {false, true}) {
        const int cx = bHalf ? sizeFull.cx / 2 : sizeFull.cx;
        bar.SetWindowPos(NULL, 0, 0, cx, sizeFull.cy, SWP_NOZORDER | SWP_NOACTIVATE);
        CClientDC dc(&bar);
        const double tBar = bench::MedianTime(
            [&] {
              bar.RecalcButtonPositions();
              bar.DoPaint(&dc);
            },
            kRuns);
        CRect rcClient;
        bar.GetClientRect(&rcClient);
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dc);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height());
        CBitmap* pOld = dcMem.SelectObject(&bmp);
        const double tBlt = bench::MedianTime(
            [&] { dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY); }, kRuns);
        dcMem.SelectObject(pOld);
        const int nHidden = bar.m_pRightBtn != NULL ? (int)bar.m_pRightBtn->m_arrHiddenButtons.GetSize() : 0;
        std::printf("  %-11s %2dx%-2d %s width %4d (%2d behind the chevron): %7.3f ms, BitBlt %7.3f ms, "
                    "ratio %6.1fx\n",
                    theme.pszName, nIcon, nIcon, bHalf ? "half" : "full", cx, nHidden, tBar, tBlt,
                    tBlt > 0 ? tBar / tBlt : 0.0);
        tWorst = tBar > tWorst ? tBar : tWorst;
      }
      bar.DestroyWindow();
    }
  }
  std::printf("  slowest layout+paint %.3f ms (aim under 8 ms): %s\n", tWorst, tWorst < 8.0 ? "yes" : "no");
  std::printf("menu bar: rebuild of its row on MDI child activation (menus of 7 and 4 popups): %.3f ms\n",
              BenchMenuBarRebuild());
  host.DestroyWindow();
  return 0;
}
