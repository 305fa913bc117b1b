// Reliability: many capture-draw-close cycles in one run of the program leave what its process
// holds flat. The longest test by far: --gtest_filter=-SoakTest.* leaves it out.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/e2e/e2e_support.h"

#include <cstdio>

using namespace e2e;

namespace {

const int kCycles = 200;
const int kSettledCycle = 20; // the program has made its caches and lists by then
// Growth allowed from the settled cycle to the last: a leak of one object or one picture a cycle
// would pass these many times over.
const long kGdiTolerance = 10;
const long kUserTolerance = 2;
const long long kPrivateBytesTolerance = 4 << 20;
// A press the view did not take is made again; more than this many in a run is an input fault,
// not the window system settling now and then.
const int kPressesMadeAgainAllowed = 3;
// Allocated in the program once the cycles are done, to show the private-bytes figure moves.
const SIZE_T kProbeBytes = 8 << 20;

using SoakTest = E2eTest;

void PrintFigures(int nCycle, const ProcessFigures& f) {
  std::printf("[ FIGURES  ] after cycle %d: %lu GDI objects, %lu USER objects (%s), %lu private bytes\n",
              nCycle, (unsigned long)f.nGdiObjects, (unsigned long)f.nUserObjects, f.pszSource,
              (unsigned long)f.nPrivateBytes);
  std::fflush(stdout);
}

// Capture a rectangle by its command, draw a line on it, close it without saving; the GDI and
// USER objects and the private bytes after the last cycle are those after the twentieth.
TEST_F(SoakTest, CaptureDrawCloseCyclesKeepTheProcessFlat) {
  ASSERT_TRUE(m_app.Start());
  const CRect area = kArea;
  ProcessFigures settled;
  std::string againCycles;
  for (int nCycle = 1; nCycle <= kCycles; nCycle++) {
    SCOPED_TRACE("cycle " + std::to_string(nCycle));
    // The pointer waits where the drag starts: the overlay appearing under it reports it there.
    MoveMouse(area.left, area.top);
    m_app.Command(ID_CAPTURE_RECTANGLE);
    ASSERT_TRUE(m_app.Mark("P100,100 R300,200"));
    ASSERT_TRUE(m_app.WaitForDocuments(1, area.Size()));
    m_app.Command(ID_TOOL_LINE_SOLID);
    // Each cycle's line, well inside the picture and away from the canvas handles at its edges.
    const int nAgainBefore = m_nPressesMadeAgain;
    ASSERT_NO_FATAL_FAILURE(
        DrawLine(area.Size(), CPoint(40, 30 + nCycle % 40), CPoint(160, 70 - nCycle % 40)));
    if (m_nPressesMadeAgain > nAgainBefore)
      againCycles += " " + std::to_string(nCycle);
    m_app.Command(ID_FILE_CLOSE);
    ASSERT_TRUE(m_app.Answer("Save changes to file?", 'N'));
    ASSERT_TRUE(m_app.WaitForDocuments(0));
    if (nCycle == kSettledCycle) {
      SyncInput(m_app.Frame());
      settled = m_app.Figures();
      PrintFigures(nCycle, settled);
    }
  }
  SyncInput(m_app.Frame());
  const ProcessFigures last = m_app.Figures();
  PrintFigures(kCycles, last);
  EXPECT_LE((long)last.nGdiObjects - (long)settled.nGdiObjects, kGdiTolerance);
  EXPECT_LE((long)last.nUserObjects - (long)settled.nUserObjects, kUserTolerance);
  EXPECT_LE((long long)last.nPrivateBytes - (long long)settled.nPrivateBytes, kPrivateBytesTolerance);
  EXPECT_GT(settled.nGdiObjects, 0u) << "no GDI objects counted";
  EXPECT_GT(settled.nPrivateBytes, 0u) << "no private bytes counted";
  std::printf("[ FIGURES  ] presses made again: %d (cycles:%s)\n", m_nPressesMadeAgain,
              againCycles.empty() ? " none" : againCycles.c_str());
  EXPECT_LE(m_nPressesMadeAgain, kPressesMadeAgainAllowed) << "in cycles" << againCycles;

  // The private-bytes figure is one that moves: a block the program takes on shows in it.
  LPVOID pProbe = m_app.AllocateInProgram(kProbeBytes);
  ASSERT_NE(nullptr, pProbe);
  const ProcessFigures probed = m_app.Figures();
  m_app.FreeInProgram(pProbe);
  std::printf("[ FIGURES  ] with %lu bytes more taken in the program: %lu private bytes\n",
              (unsigned long)kProbeBytes, (unsigned long)probed.nPrivateBytes);
  EXPECT_GE((long long)probed.nPrivateBytes - (long long)last.nPrivateBytes, (long long)kProbeBytes)
      << "the private-bytes figure did not show a block of " << kProbeBytes << " bytes";
  ASSERT_TRUE(m_app.Exit());
}

} // namespace
