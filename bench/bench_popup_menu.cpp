// Speed of opening a popup menu: a 30-item menu built from a menu handle, from its layout to its window
// shown and painted with its shadow (no animation), and one step of its fade; each against one BitBlt of
// the menu's area from the screen measured in the same run, and against one frame at 60 Hz. The opening
// is also timed by phase, to show where the time goes.
#include "bench/bench_menu_util.h"
#include "bench/bench_util.h"
#include "framework/fw.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const int kRuns = 31;
const int kItems = 30;
const char kProfile[] = "bench-popup-menu";

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp("bench_popup_menu") {}
};

// Thirty rows: every seventh a separator, the others commands with accelerator texts.
HMENU MakeMenuHandle() {
  HMENU hMenu = ::CreatePopupMenu();
  for (int i = 0; i < kItems; ++i) {
    if (i % 7 == 6) {
      ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
      continue;
    }
    char szText[64];
    std::snprintf(szText, sizeof(szText), "Menu command &%d\tCtrl+%c", i + 1, 'A' + i % 26);
    ::AppendMenuA(hMenu, MF_STRING, 0x9000 + i, szText);
  }
  return hMenu;
}

struct Phases {
  std::vector<double> layout, create, capture, show, paint, total;
};

// The menu laid out at a point, its window made, the screen beneath captured, shown without activation
// and painted.
bool OpenMenu(CExtPopupMenuWnd& menu, CWnd& owner, int nAnimation, Phases* pPhases) {
  menu.m_dwMenuState |= CExtPopupMenuWnd::MENU_EXPANDED;
  menu.m_ptTrack = CPoint(300, 200);
  menu.m_rcExclude.SetRect(297, 197, 303, 203);
  const double t0 = bench::Now();
  menu.RecalcItemLayout();
  const double t1 = bench::Now();
  if (!menu.CreateMenuWindow(&owner))
    return false;
  menu.m_nAnimationType = nAnimation;
  menu.StartAnimationTimer();
  const double t2 = bench::Now();
  menu.CaptureScreenBeneath();
  const double t3 = bench::Now();
  menu.SetWindowPos(NULL, 0, 0, 0, 0,
                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  const double t4 = bench::Now();
  menu.UpdateWindow();
  ::GdiFlush();
  const double t5 = bench::Now();
  if (pPhases != NULL) {
    pPhases->layout.push_back(t1 - t0);
    pPhases->create.push_back(t2 - t1);
    pPhases->capture.push_back(t3 - t2);
    pPhases->show.push_back(t4 - t3);
    pPhases->paint.push_back(t5 - t4);
    pPhases->total.push_back(t5 - t0);
  }
  return true;
}

std::unique_ptr<CExtPopupMenuWnd> BuildMenu(HWND hWndReceiver, HMENU hMenu) {
  auto pMenu = std::make_unique<CExtPopupMenuWnd>();
  if (!pMenu->BuildFromMenuHandle(hWndReceiver, CMenu::FromHandle(hMenu)))
    return NULL;
  return pMenu;
}

void Drain() {
  MSG msg;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// Every figure of one theme; false when a menu does not open.
bool Measure(const char* pszTheme, CWnd& owner, HMENU hMenu) {
  // Opening, timed by phase; each run opens a new menu object.
  Phases phases;
  CRect rcMenu;
  for (int i = 0; i <= kRuns; ++i) {
    std::unique_ptr<CExtPopupMenuWnd> pMenu = BuildMenu(owner.m_hWnd, hMenu);
    if (!pMenu || !OpenMenu(*pMenu, owner, CExtPopupBaseWnd::ANIM_NONE, i == 0 ? NULL : &phases))
      return false;
    pMenu->GetWindowRect(rcMenu);
    pMenu->ResetAndHide(false);
    Drain();
  }

  // One BitBlt of the menu's area from the screen.
  CWindowDC screen(NULL);
  CDC mem;
  mem.CreateCompatibleDC(&screen);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&screen, rcMenu.Width(), rcMenu.Height());
  CBitmap* pOld = mem.SelectObject(&bmp);
  const double tBlt = bench::MedianTime(
      [&] { mem.BitBlt(0, 0, rcMenu.Width(), rcMenu.Height(), &screen, rcMenu.left, rcMenu.top, SRCCOPY); },
      kRuns);
  mem.SelectObject(pOld);

  // The paint split: the content alone, off-screen, and a repaint of a shown menu whose shadow is kept.
  std::unique_ptr<CExtPopupMenuWnd> pShown = BuildMenu(owner.m_hWnd, hMenu);
  if (!pShown || !OpenMenu(*pShown, owner, CExtPopupBaseWnd::ANIM_NONE, NULL))
    return false;
  CRect rcClient;
  pShown->GetClientRect(rcClient);
  CBitmap bmpContent;
  bmpContent.CreateCompatibleBitmap(&screen, rcClient.Width(), rcClient.Height());
  pOld = mem.SelectObject(&bmpContent);
  const double tContent = bench::MedianTime([&] { pShown->PaintContent(mem, false); }, kRuns);
  mem.SelectObject(pOld);
  const double tRepaint =
      bench::MedianTime([&] { pShown->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); }, kRuns);
  pShown->ResetAndHide(false);

  // One fade step of a shown menu: the step and the paint of its frame.
  std::unique_ptr<CExtPopupMenuWnd> pFaded = BuildMenu(owner.m_hWnd, hMenu);
  if (!pFaded || !OpenMenu(*pFaded, owner, CExtPopupBaseWnd::ANIM_FADE, NULL))
    return false;
  pFaded->KillTimer(CExtPopupBaseWnd::ID_TIMER_ANIMATION);
  const double tFade = bench::MedianTime(
      [&] {
        pFaded->m_nStep = 40;
        pFaded->m_nState &= ~CExtPopupBaseWnd::POPUP_ANIMATION_FINISHED;
        pFaded->StepAnimation();
        pFaded->UpdateWindow();
      },
      kRuns);
  pFaded->ResetAndHide(false);
  Drain();

  std::printf("%s: popup menu of %d items, %d x %d pixels, screen area BitBlt %.3f ms\n", pszTheme, kItems,
              rcMenu.Width(), rcMenu.Height(), tBlt);
  const double tOpen = bench::Median(phases.total);
  bench::PrintAgainstBlt("open to painted, shadow, no animation", tOpen, tBlt);
  bench::PrintAgainstBlt("  layout of the items", bench::Median(phases.layout), tBlt);
  bench::PrintAgainstBlt("  placement and window creation", bench::Median(phases.create), tBlt);
  bench::PrintAgainstBlt("  the screen beneath captured", bench::Median(phases.capture), tBlt);
  bench::PrintAgainstBlt("  show without activation", bench::Median(phases.show), tBlt);
  bench::PrintAgainstBlt("  paint: content, then the shadow", bench::Median(phases.paint), tBlt);
  bench::PrintAgainstBlt("    the content alone, off-screen", tContent, tBlt);
  bench::PrintAgainstBlt("    a repaint with the shadow kept", tRepaint, tBlt);
  bench::PrintAgainstBlt("one fade step and its frame", tFade, tBlt);
  std::printf("aims: open within 10x a BitBlt and one 60 Hz frame: %s; a fade step within 3x: %s\n\n",
              tOpen <= 10 * tBlt && tOpen <= bench::kFrameMs ? "met" : "missed",
              tFade <= 3 * tBlt ? "met" : "missed");
  return true;
}

} // namespace

int main() {
  CBenchApp app;
  CWnd owner;
  if (!bench::CreateMenuOwner(owner, kProfile)) {
    std::printf("no owner window\n");
    return 1;
  }
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
  const HMENU hMenu = MakeMenuHandle();
  Drain();
  const int nResult = bench::MeasureInMenuThemes(
      [&](const char* pszTheme) { return Measure(pszTheme, owner, hMenu); }, "the menu does not open");
  ::DestroyMenu(hMenu);
  g_CmdManagerHolder->RemoveWindow(owner.m_hWnd, true);
  return nResult;
}
