// The menu bar of an MDI frame under a long run of random pointer and key input (fixed seeds) while
// children open, maximise, restore and close: the program survives, never tracks two bar menus,
// leaves the tracking flag clear whenever no menu is open, and keeps its GDI and USER objects flat.
// The input comes from a driver thread while the test thread pumps, since a menu or a drag the
// input opens runs a loop of its own on the test thread.
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/bars/keyboard_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "tests/common/object_counts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <vector>

namespace {

const int kBatches = 30;
const int kEventsPerBatch = 50;

// The tool bars of the process that mark a tracked button.
int BarsWithTrackedButton() {
  int nCount = 0;
  CSingleLock lock(&CExtControlBar::g_csAllBars, TRUE);
  for (CExtControlBar* pBar : CExtControlBar::g_AllBars) {
    auto* pTool = dynamic_cast<CExtToolControlBar*>(pBar);
    if (pTool != NULL && pTool->GetSafeHwnd() != NULL && pTool->GetTrackedButton() >= 0)
      ++nCount;
  }
  return nCount;
}

void SendKeys(const std::vector<UINT>& down, const std::vector<UINT>& up) {
  std::vector<INPUT> in;
  for (UINT nVk : down) {
    INPUT one = {};
    one.type = INPUT_KEYBOARD;
    one.ki.wVk = (WORD)nVk;
    in.push_back(one);
  }
  for (UINT nVk : up) {
    INPUT one = {};
    one.type = INPUT_KEYBOARD;
    one.ki.wVk = (WORD)nVk;
    one.ki.dwFlags = KEYEVENTF_KEYUP;
    in.push_back(one);
  }
  ::SendInput((UINT)in.size(), in.data(), sizeof(INPUT));
}

// One batch of input over the bar's row. Clicks stay clear of the row's start, where the frame's
// system menu opens, and no key picks an item of a system menu.
void DriveBatch(std::mt19937& rng, CRect rcRow) {
  auto pick = [&](int n) { return (int)(rng() % (unsigned)n); };
  const UINT kKeys[] = {VK_DOWN, VK_RIGHT, VK_LEFT, VK_ESCAPE, VK_UP};
  const UINT kLetters[] = {'F', 'E', 'H', 'Q'};
  for (int i = 0; i < kEventsPerBatch; ++i) {
    switch (pick(7)) {
    case 0:
      real_input::MouseAt(CPoint(rcRow.left + pick(rcRow.Width()), rcRow.top + pick(rcRow.Height() + 150)),
                          0);
      break;
    case 1: {
      const CPoint pt(rcRow.left + 200 + pick(std::max(1, (int)rcRow.Width() - 200)), rcRow.CenterPoint().y);
      real_input::MouseAt(pt, MOUSEEVENTF_LEFTDOWN);
      real_input::MouseAt(pt, MOUSEEVENTF_LEFTUP);
      break;
    }
    case 2:
      SendKeys({VK_MENU}, {VK_MENU});
      break;
    case 3: {
      const UINT nLetter = kLetters[pick(4)];
      SendKeys({VK_MENU, nLetter}, {nLetter, VK_MENU});
      break;
    }
    default: {
      const UINT nKey = kKeys[pick(5)];
      SendKeys({nKey}, {nKey});
      break;
    }
    }
    ::Sleep(15); // the pace of a quick user, so the pumping thread sees each event
  }
  for (int i = 0; i < 4; ++i) {
    SendKeys({VK_ESCAPE}, {VK_ESCAPE});
    ::Sleep(40);
  }
}

struct DriverArgs {
  std::mt19937* pRng;
  CRect rcRow;
  std::atomic<bool>* pDone;
};

DWORD WINAPI DriverProc(LPVOID p) {
  auto* pArgs = static_cast<DriverArgs*>(p);
  DriveBatch(*pArgs->pRng, pArgs->rcRow);
  *pArgs->pDone = true;
  return 0;
}

struct Counts {
  long dwGdi, dwUser;
};
Counts Objects() { return {GdiObjectsInUse(), UserObjectsInUse()}; }

class BarsSoak : public ::testing::TestWithParam<unsigned> {};

TEST_P(BarsSoak, RandomInputWhileChildrenComeAndGo) {
  KeyboardLab lab(true);
  ASSERT_TRUE(lab.IsReady());
  CExtMenuControlBar& bar = lab.MenuBar();
  auto* pFrame = static_cast<CMDIFrameWnd*>(lab.FrameWnd());
  std::mt19937 rng(GetParam());
  Counts base{};
  std::vector<HWND> children; // the input may close one too
  for (int nBatch = 0; nBatch < kBatches; ++nBatch) {
    ASSERT_TRUE(ActivateWindow(lab.Frame())) << "batch " << nBatch;
    switch (rng() % 4) {
    case 0:
      if (children.size() < 3) {
        auto* pChild = new CMDIChildWnd;
        if (pChild->Create(NULL, "soak", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(20, 20, 220, 160),
                           pFrame))
          children.push_back(pChild->m_hWnd);
      }
      break;
    case 1:
    case 2: {
      BOOL bMaximized = FALSE;
      if (CMDIChildWnd* pActive = pFrame->MDIGetActive(&bMaximized))
        bMaximized ? pFrame->MDIRestore(pActive) : pFrame->MDIMaximize(pActive);
      break;
    }
    case 3:
      if (!children.empty()) {
        if (::IsWindow(children.back()))
          ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)children.back(), 0);
        children.pop_back();
      }
      break;
    }
    children.erase(std::remove_if(children.begin(), children.end(), [](HWND h) { return !::IsWindow(h); }),
                   children.end());
    PumpPending();
    CRect rcRow;
    bar.GetWindowRect(rcRow);
    std::mt19937 rngDriver(rng());
    std::atomic<bool> bDone(false);
    bool bTwoTracked = false;
    DriverArgs args{&rngDriver, rcRow, &bDone};
    HANDLE hDriver = ::CreateThread(NULL, 0, DriverProc, &args, 0, NULL);
    ASSERT_NE(nullptr, hDriver);
    PumpUntil(
        [&] {
          bTwoTracked = bTwoTracked || BarsWithTrackedButton() > 1;
          return bDone.load();
        },
        60000);
    ::WaitForSingleObject(hDriver, INFINITE);
    ::CloseHandle(hDriver);
    ASSERT_TRUE(::IsWindow(lab.Frame())) << "batch " << nBatch;
    EXPECT_FALSE(bTwoTracked) << "batch " << nBatch;
    CloseAllMenus();
    ASSERT_TRUE(PumpUntil([&] {
      return !CExtPopupMenuWnd::AnyMenuTracked() && !bar.IsKeyboardSelectionMode();
    })) << "batch "
        << nBatch;
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking) << "batch " << nBatch;
    EXPECT_EQ(0, BarsWithTrackedButton()) << "batch " << nBatch;
    EXPECT_EQ(nullptr, ::GetMenu(lab.Frame())) << "batch " << nBatch;
    if (nBatch == 2)
      base = Objects();
  }
  const Counts end = Objects();
  // Children and tips alive at either moment account for a few objects; growth per batch would not.
  EXPECT_LE(end.dwGdi, base.dwGdi + 40);
  EXPECT_LE(end.dwUser, base.dwUser + 40);
}

INSTANTIATE_TEST_SUITE_P(Seeds, BarsSoak, ::testing::Values(1u, 29u));

} // namespace
