// Speed of moving through a tracked popup menu: an arrow-key step from the key to the repainted
// item, and a submenu from the end of its delay to its window shown and painted; each against one
// BitBlt of the menu's area from the screen measured in the same run, and against one 60 Hz frame.
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

const int kRuns = 61;
const int kItems = 12;
const char kProfile[] = "bench-menu-navigation";

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp("bench_menu_navigation") {}
};

// Twelve commands and, last, a submenu of twelve more.
HMENU MakeMenuHandle() {
  HMENU hMenu = ::CreatePopupMenu(), hSub = ::CreatePopupMenu();
  char szText[64];
  for (int i = 0; i < kItems; ++i) {
    std::snprintf(szText, sizeof(szText), "Command &%d\tCtrl+%c", i + 1, 'A' + i);
    ::AppendMenuA(hMenu, MF_STRING, 0x9000 + i, szText);
    std::snprintf(szText, sizeof(szText), "Inner command %d", i + 1);
    ::AppendMenuA(hSub, MF_STRING, 0x9100 + i, szText);
  }
  ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "&More");
  return hMenu;
}

// Runs the thread's messages until no menu of the chain is still appearing (keys wait for that).
bool WaitAppeared() {
  const double tEnd = bench::Now() + 3000;
  while (CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu != NULL && bench::Now() < tEnd) {
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    CExtPopupMenuWnd::DrainMessagesAndIdle();
  }
  return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
}

// Every figure of one theme; false when the menu is not tracked.
bool Measure(const char* pszTheme, CWnd& owner, HMENU hMenu) {
  auto pOwned = std::make_unique<CExtPopupMenuWnd>();
  if (!pOwned->BuildFromMenuHandle(owner.m_hWnd, CMenu::FromHandle(hMenu)) ||
      !pOwned->RunTrackingLoop(CExtPopupMenuWnd::TPMX_NO_ANIMATION | CExtPopupMenuWnd::TPMX_SELECT_FIRST, 300,
                               200))
    return false;
  CExtPopupMenuWnd* pMenu = pOwned.release(); // the tracking owns it now
  if (!WaitAppeared())
    return false;
  CRect rcMenu;
  pMenu->GetWindowRect(rcMenu);

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

  // The key as the hook hands it to the menu; the current item wraps round the commands.
  const double tKey = bench::MedianTime(
      [&] {
        bool bNoEat = false;
        if (pMenu->GetCurrentItemIndex() >= kItems - 1)
          pMenu->SetCurrentItem(0);
        pMenu->HandleKeyboard(VK_DOWN, 1, 0, bNoEat);
      },
      kRuns);
  const int nAfterKeys = pMenu->GetCurrentItemIndex();

  // The delay's end opens the submenu as the timer does; it is closed again outside the timing.
  const int nSub = kItems;
  CExtPopupMenuWnd* pChild = pMenu->ItemGetPopup(nSub);
  std::vector<double> opens;
  for (int i = 0; i <= kRuns && pChild != NULL; ++i) {
    pMenu->SetCurrentItem(0);
    CExtPopupMenuWnd::DrainMessagesAndIdle();
    const double t0 = bench::Now();
    pMenu->SetCurrentItem(nSub, true, true);
    ::GdiFlush();
    const double t1 = bench::Now();
    if (pChild->GetSafeHwnd() == NULL || !pChild->IsWindowVisible())
      return false;
    if (i > 0)
      opens.push_back(t1 - t0);
  }
  const double tOpen = bench::Median(opens);
  if (nAfterKeys <= 0)
    return false; // the keys did not move
  CExtPopupMenuWnd::CancelAllTracking();

  std::printf("%s: menu of %d items, %d x %d pixels, screen area BitBlt %.3f ms\n", pszTheme, kItems + 1,
              rcMenu.Width(), rcMenu.Height(), tBlt);
  bench::PrintAgainstBlt("arrow key to the repainted item", tKey, tBlt);
  bench::PrintAgainstBlt("submenu from the delay's end to painted", tOpen, tBlt);
  std::printf("aims: a key step within 3x a BitBlt: %s; a submenu within 10x and one 60 Hz frame: %s\n\n",
              tKey <= 3 * tBlt ? "met" : "missed",
              tOpen <= 10 * tBlt && tOpen <= bench::kFrameMs ? "met" : "missed");
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
  // Submenus appear at once, so that "painted" is the end of the opening.
  CExtPopupBaseWnd::g_nDefaultAnimation = CExtPopupBaseWnd::ANIM_NONE;
  const HMENU hMenu = MakeMenuHandle();
  CExtPopupMenuWnd::DrainMessagesAndIdle();
  const int nResult = bench::MeasureInMenuThemes(
      [&](const char* pszTheme) { return Measure(pszTheme, owner, hMenu); }, "the menu is not tracked");
  ::DestroyMenu(hMenu);
  g_CmdManagerHolder->RemoveWindow(owner.m_hWnd, true);
  owner.DestroyWindow();
  return nResult;
}
