// What the harness programs share: the self-test's log and checks, a wait for an effect that
// hands the frame its next step, and screenshots into the artifacts folder.
#pragma once

#include "framework/fw.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace lab {

extern std::vector<std::string> g_log;
extern int g_nFailures;
extern bool g_bScriptDone;

// Keeps the line, and writes it to the log file "/log:<file>" on the command line named.
void Log(const std::string& line);
void Check(bool bOk, const std::string& what);
bool Logged(const std::string& line);
// What a wait's check last saw, said with its failure when the wait runs out (the step's own words).
void Why(const std::string& seen);
// Opens the log file the command line names, if any.
void OpenLogFromCommandLine(const char* pszCommandLine);
// Checks a self-test's script reached its end, prints every check and closes the log; answers the
// failures.
int FinishSelfTest(bool bSelfTest);

// Bounds a self-test to nSeconds (tests/common/watchdog.h): past it the failure is logged with the
// windows shown, modal states are ended and the program quits with what it checked; a thread that
// takes no messages ends the process with a failure code.
void BoundSelfTest(const char* pszName, int nSeconds);

// The labs' application: notes "/selftest" and opens the log the command line names, has the lab
// make its window through StartLab, and ends with the self-test's failures as the exit code. A
// self-test runs under a bound of nBoundSeconds.
class CLabApp : public CWinApp {
public:
  CLabApp(LPCSTR lpszName, int nBoundSeconds) : CWinApp(lpszName), m_nBoundSeconds(nBoundSeconds) {}
  bool m_bSelfTest = false;
  const int m_nBoundSeconds;

protected:
  // Makes and shows m_pMainWnd and, for a self-test, starts its script; false ends the program.
  virtual bool StartLab() = 0;
  BOOL InitInstance() override;
  int ExitInstance() override;
};

// The screen's pixels in rc as bottom-up 24-bit rows.
std::vector<BYTE> ScreenBits(const CRect& rc);
// Saves what the screen shows in rc as <name>.bmp in the artifacts folder, when one is named.
void SaveScreenshot(const CRect& rc, const std::string& name);

// A wait for an effect the script asked for: polled every 10 ms for up to three seconds (the X
// server shows what the windows drew a little later), then checked and the next step posted.
class CLabWait {
public:
  static const UINT kTimerId = 1;
  void Start(CWnd* pFrame, std::function<bool()> done, const std::string& what);
  // Answers false for a timer that is not the wait's.
  bool OnTimer(CWnd* pFrame, UINT nIDEvent, UINT nStepMessage);

private:
  std::function<bool()> m_done;
  std::string m_what;
  int m_nTicks = 0;
};

} // namespace lab
