// Reliability: many cycles of the user's common roads in one run of the program leave what its
// process holds flat. The longest tests by far: --gtest_filter=-SoakTest.* leaves them out.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/common/resend_log.h"
#include "tests/common/soak_length.h"
#include "tests/e2e/e2e_support.h"

#include <shellapi.h>

#include <cstdio>
#include <functional>

using namespace e2e;

namespace {

const int kCycles = soak::Cycles(100, 200);
const int kSettledCycle = 20; // the program has made its caches and lists by then
// Growth allowed from the settled cycle to the last: a leak of one object or one picture a cycle
// would pass these many times over.
const long kGdiTolerance = 10;
const long kUserTolerance = 2;
const long kMenuTolerance = 2;
const long long kPrivateBytesTolerance = 4 << 20;
// Allocated in the program once the cycles are done, to show the private-bytes figure moves.
const SIZE_T kProbeBytes = 8 << 20;

class SoakTest : public E2eTest {
protected:
  // Picks an item of the active document's window menu (Alt+minus) by its letter and waits until
  // done holds.
  ::testing::AssertionResult DocumentMenu(char cItem, const std::function<bool()>& done) {
    if (m_app.OpenMenu(VK_OEM_MINUS) != NULL) {
      PressKey((WORD)cItem);
      if (WaitFor([&] { return done() && m_app.ShownMenu() == NULL; }, 3000))
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the document's window menu did not do " << cItem;
  }
};

void PrintFigures(const char* pszTest, int nCycle, const ProcessFigures& f) {
  std::printf("[ FIGURES  ] %s after cycle %d: %lu GDI objects, %lu USER objects (%s), %lu menu handles, "
              "%lu private bytes\n",
              pszTest, nCycle, (unsigned long)f.nGdiObjects, (unsigned long)f.nUserObjects, f.pszSource,
              (unsigned long)f.nMenus, (unsigned long)f.nPrivateBytes);
  std::fflush(stdout);
}

// The figures once the program has finished its painting and idle work: counts that stood still
// for a while. Painting holds some GDI objects for a moment; a leak keeps them.
ProcessFigures SettledFigures(const CPixolet& app) {
  const int kStillMs = 300;
  ProcessFigures figures, last;
  DWORD dwSince = ::GetTickCount();
  WaitFor([&] {
    SyncInput(app.Frame());
    figures = app.Figures();
    if (figures.nGdiObjects != last.nGdiObjects || figures.nUserObjects != last.nUserObjects ||
        figures.nMenus != last.nMenus)
      dwSince = ::GetTickCount();
    last = figures;
    return (int)(::GetTickCount() - dwSince) >= kStillMs;
  });
  return figures;
}

// What the process holds after the last cycle is what it held after the settled one.
void ExpectFlat(const ProcessFigures& settled, const ProcessFigures& last) {
  EXPECT_LE((long)last.nGdiObjects - (long)settled.nGdiObjects, kGdiTolerance);
  EXPECT_LE((long)last.nUserObjects - (long)settled.nUserObjects, kUserTolerance);
  EXPECT_LE((long)last.nMenus - (long)settled.nMenus, kMenuTolerance);
  EXPECT_LE((long long)last.nPrivateBytes - (long long)settled.nPrivateBytes, kPrivateBytesTolerance);
  EXPECT_GT(settled.nGdiObjects, 0u) << "no GDI objects counted";
  EXPECT_GT(settled.nMenus, 0u) << "no menu handles counted";
  EXPECT_GT(settled.nPrivateBytes, 0u) << "no private bytes counted";
}

// Capture a rectangle by its command, draw a line on it, close it without saving; the GDI and
// USER objects and the private bytes after the last cycle are those after the twentieth.
TEST_F(SoakTest, CaptureDrawCloseCyclesKeepTheProcessFlat) {
  ASSERT_TRUE(m_app.Start());
  const CRect area = kArea;
  ProcessFigures settled;
  for (int nCycle = 1; nCycle <= kCycles; nCycle++) {
    SCOPED_TRACE("cycle " + std::to_string(nCycle));
    // The pointer waits where the drag starts: the overlay appearing under it reports it there.
    MoveMouse(area.left, area.top);
    m_app.Command(ID_CAPTURE_RECTANGLE);
    ASSERT_TRUE(m_app.Mark("P100,100 R300,200"));
    ASSERT_TRUE(m_app.WaitForDocuments(1, area.Size()));
    m_app.Command(ID_TOOL_LINE_SOLID);
    // Each cycle's line, well inside the picture and away from the canvas handles at its edges.
    ASSERT_NO_FATAL_FAILURE(
        DrawLine(area.Size(), CPoint(40, 30 + nCycle % 40), CPoint(160, 70 - nCycle % 40)));
    m_app.Command(ID_FILE_CLOSE);
    ASSERT_TRUE(m_app.Answer("Save changes to file?", 'N'));
    ASSERT_TRUE(m_app.WaitForDocuments(0));
    if (nCycle == kSettledCycle) {
      settled = SettledFigures(m_app);
      PrintFigures("capture-draw-close", nCycle, settled);
    }
  }
  const ProcessFigures last = SettledFigures(m_app);
  PrintFigures("capture-draw-close", kCycles, last);
  ExpectFlat(settled, last);
  std::printf("[ FIGURES  ] inputs sent again: %d\n", resend_log::Count());

  // The private-bytes figure is one that moves: a block the program takes on shows in it.
  LPVOID pProbe = m_app.AllocateInProgram(kProbeBytes);
  ASSERT_NE(nullptr, pProbe);
  const ProcessFigures probed = m_app.Figures();
  m_app.FreeInProgram(pProbe);
  std::printf("[ FIGURES  ] with %lu bytes more taken in the program: %lu private bytes\n",
              (unsigned long)kProbeBytes, (unsigned long)probed.nPrivateBytes);
  // Nearly all of it: the rest of the program may give back a page or two meanwhile.
  EXPECT_GE((long long)probed.nPrivateBytes - (long long)last.nPrivateBytes, (long long)kProbeBytes * 7 / 8)
      << "the private-bytes figure did not show a block of " << kProbeBytes << " bytes";
  ASSERT_TRUE(m_app.Exit());
}

struct IconSearch {
  DWORD dwPid;
  HWND hFound;
};

// A change of nothing succeeds only for an icon the shell holds.
BOOL CALLBACK FindIconWindow(HWND hWnd, LPARAM lParam) {
  IconSearch& search = *reinterpret_cast<IconSearch*>(lParam);
  DWORD dwPid = 0;
  ::GetWindowThreadProcessId(hWnd, &dwPid);
  NOTIFYICONDATAA data = {};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = hWnd;
  data.uID = IDR_TRAY_MENU;
  if (dwPid == search.dwPid && ::Shell_NotifyIconA(NIM_MODIFY, &data))
    search.hFound = hWnd;
  return search.hFound == NULL;
}

// The window the shell knows the program's icon by; NULL when it holds none.
HWND IconWindow(HWND hFrame) {
  IconSearch search = {0, NULL};
  ::GetWindowThreadProcessId(hFrame, &search.dwPid);
  ::EnumWindows(FindIconWindow, reinterpret_cast<LPARAM>(&search));
  return search.hFound;
}

// Capture, restore and maximise the document, close it, and hide the frame in the tray and bring
// it back through the icon's default item: the menus, windows and pictures each road makes go
// again.
TEST_F(SoakTest, CaptureRestoreMaximiseCloseAndTrayCyclesKeepTheProcessFlat) {
  ASSERT_TRUE(m_app.Start());
  const HWND hFrame = m_app.Frame();
  HWND hIcon = NULL;
  ASSERT_TRUE(WaitUntil("the program's icon", [&] { return (hIcon = IconWindow(hFrame)) != NULL; }));
  ProcessFigures settled;
  const DWORD dwStart = ::GetTickCount();
  for (int nCycle = 1; nCycle <= kCycles; nCycle++) {
    SCOPED_TRACE("cycle " + std::to_string(nCycle));
    ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
    const HWND hDoc = m_app.Documents().front();
    // A capture opens maximised.
    ASSERT_TRUE(::IsZoomed(hDoc));
    ASSERT_TRUE(DocumentMenu('R', [&] { return !::IsZoomed(hDoc); }));
    ASSERT_TRUE(DocumentMenu('X', [&] { return ::IsZoomed(hDoc) != FALSE; }));
    ASSERT_NO_FATAL_FAILURE(CloseDocument('N'));
    ASSERT_TRUE(m_app.Menu('F', 'M'));
    ASSERT_TRUE(WaitUntil("the frame in the tray", [&] { return !::IsWindowVisible(hFrame); }));
    // What the shell posts for a double click on the icon.
    ::PostMessageA(hIcon, UM_TRAY_NOTIFY, IDR_TRAY_MENU, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil("the frame back from the tray",
                          [&] { return ::IsWindowVisible(hFrame) && ::GetForegroundWindow() == hFrame; }));
    // The frame shows and is made foreground before the restore passes the activation through the
    // tray's owner and back: keys sent before the program is back in its message loop went to that
    // owner, and the next cycle's Alt+C opened no menu.
    SyncInput(hFrame);
    if (nCycle == kSettledCycle) {
      settled = SettledFigures(m_app);
      PrintFigures("capture-restore-maximise-close-tray", nCycle, settled);
    }
  }
  const ProcessFigures last = SettledFigures(m_app);
  PrintFigures("capture-restore-maximise-close-tray", kCycles, last);
  std::printf("[ FIGURES  ] %d cycles in %lu ms; inputs sent again: %d\n", kCycles,
              (unsigned long)(::GetTickCount() - dwStart), resend_log::Count());
  ExpectFlat(settled, last);
  ASSERT_TRUE(m_app.Exit());
}

} // namespace
