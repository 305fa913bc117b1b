// Entry point shared by the test programs. GDI+ runs for the whole program, so every test may make
// and draw GDI+ bitmaps. Every test runs under a bound (tests/common/watchdog.h): one that hangs
// fails with its name and the windows it left, and the rest of the program still runs.
#include <windows.h>

#include "tests/common/soak_length.h"
#include "tests/common/watchdog.h"

#include <gdiplus.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A bound that holds with room where the machine runs the tests loaded twice over (four slots on
// two cores, or eight cores at a load of 16, where a test takes up to four times as long as in
// tools/test.sh's four slots on two cores of an otherwise quiet machine), and past which a test
// that hangs is still caught. PIX_TEST_BOUND=<seconds> replaces it (the watchdog's own check runs
// with a bound of seconds).
const int kDefaultBoundSeconds = 180;

int DefaultBoundSeconds() {
  const char* psz = std::getenv("PIX_TEST_BOUND");
  const int n = psz != NULL ? std::atoi(psz) : 0;
  return n > 0 ? n : kDefaultBoundSeconds;
}

// The tests that run longer by design, with their bound at the soaks' CI length and at full
// length (PIX_SOAK=full). Patterns as --gtest_filter takes them.
struct LongTest {
  const char* pszPattern;
  int nSeconds;
  int nFullSeconds;
};
const LongTest kLongTests[] = {
    // A hundred cycles of the program's common roads: 380 s and 210 s in four slots on two cores.
    {"SoakTest.*", 1200, 2400},
    {"DragRandomBase.*", 600, 1400},
    {"DockOps.FloatAndDockCyclesKeepHandleCountsFlat", 300, 1200},
    {"*BarsSoak.*", 300, 300},
    {"MenuSoak.*", 360, 360},
    {"TrackingTest.RandomInputEndsEveryTrackingCleanly", 360, 360},
    {"Seeds/PageSoak.*", 300, 300},
    // Every header of a format's corpus opened, each metafile in a player started for it.
    {"Formats/HeaderFuzz.EachFileGivesItsPictureOrNone/*", 300, 300},
    // Every tool and sub-tool clicked and drawn pressed, a picture of the panel each.
    {"ToolsPanelTest.EachToolShowsItsRowAndStyleControls", 400, 400},
    // Every command of the document's menus, each by the user's road.
    {"MenusTest.DocumentMenuCommands", 400, 400},
};

bool Matches(const char* pszPattern, const char* pszName) {
  if (*pszPattern == '\0')
    return *pszName == '\0';
  if (*pszPattern == '*')
    return Matches(pszPattern + 1, pszName) || (*pszName != '\0' && Matches(pszPattern, pszName + 1));
  return *pszName != '\0' && (*pszPattern == '?' || *pszPattern == *pszName) &&
         Matches(pszPattern + 1, pszName + 1);
}

int BoundSeconds(const std::string& name) {
  for (const LongTest& t : kLongTests)
    if (Matches(t.pszPattern, name.c_str()))
      return soak::Full() ? t.nFullSeconds : t.nSeconds;
  return DefaultBoundSeconds();
}

std::string XmlText(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '&':
      out += "&amp;";
      break;
    case '"':
      out += "&quot;";
      break;
    default:
      out += c;
    }
  }
  return out;
}

// Arms the watchdog for each test and keeps the tally the last resort (a hang past its margin, or
// a fault) writes in place of the results file GoogleTest would have written at the end.
class WatchdogListener : public testing::EmptyTestEventListener {
public:
  WatchdogListener() {
    s_pThis = this;
    // A test that faults ends the process; the platform may still end it with a code of 0 and no
    // results file, which would pass the entry with the tests after it unrun.
    ::SetUnhandledExceptionFilter(OnFault);
    // A thread past its bound gets half as long again, at most half a minute, to come back.
    watchdog::Install(
        {[](const std::string& report) { ADD_FAILURE() << report; }, [this] { WriteResults(); }},
        std::min(30, (DefaultBoundSeconds() + 1) / 2));
  }

  void OnTestStart(const testing::TestInfo& info) override {
    m_current = std::string(info.test_suite_name()) + "." + info.name();
    watchdog::Arm(m_current, BoundSeconds(m_current));
  }

  void OnTestEnd(const testing::TestInfo& info) override {
    watchdog::Disarm();
    ++m_nRun;
    if (info.result()->Failed())
      m_failed.push_back(m_current);
    m_current.clear();
  }

private:
  // What is known when the process must end: the tests run, the failed ones and the one that hung.
  void WriteResults(const std::string& strWhy = "hung: the process was ended") {
    const std::string output = testing::GTEST_FLAG(output);
    if (output.compare(0, 4, "xml:") != 0)
      return;
    std::vector<std::string> failed = m_failed;
    int nRun = m_nRun;
    if (!m_current.empty()) {
      failed.push_back(m_current);
      ++nRun;
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites tests=\"" +
                      std::to_string(nRun) + "\" failures=\"" + std::to_string(failed.size()) +
                      "\" errors=\"0\" name=\"AllTests\">\n  <testsuite name=\"Watchdog\" tests=\"" +
                      std::to_string(nRun) + "\" failures=\"" + std::to_string(failed.size()) + "\">\n";
    for (const std::string& name : failed)
      xml += "    <testcase name=\"" + XmlText(name) + "\" classname=\"Watchdog\"><failure message=\"" +
             XmlText(name == m_current ? strWhy : "failed") + "\"/></testcase>\n";
    xml += "  </testsuite>\n</testsuites>\n";
    HANDLE hFile = ::CreateFileA(output.c_str() + 4, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
      return;
    DWORD dwWritten = 0;
    ::WriteFile(hFile, xml.data(), (DWORD)xml.size(), &dwWritten, NULL);
    ::CloseHandle(hFile);
  }

  static LONG WINAPI OnFault(EXCEPTION_POINTERS* pInfo) {
    char szWhy[96];
    std::snprintf(szWhy, sizeof(szWhy), "crashed: exception %08lx at %p",
                  (unsigned long)pInfo->ExceptionRecord->ExceptionCode,
                  pInfo->ExceptionRecord->ExceptionAddress);
    std::fprintf(stderr, "\n[ CRASHED  ] %s %s\n", s_pThis->m_current.c_str(), szWhy);
    std::fflush(stderr);
    s_pThis->WriteResults(szWhy);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
  }

  static WatchdogListener* s_pThis;
  std::string m_current;
  std::vector<std::string> m_failed;
  int m_nRun = 0;
};

WatchdogListener* WatchdogListener::s_pThis = nullptr;

} // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok) {
    std::fprintf(stderr, "GDI+ does not start\n");
    return 1;
  }
  testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener);
  int nResult = RUN_ALL_TESTS();
  Gdiplus::GdiplusShutdown(token);
  return nResult;
}
