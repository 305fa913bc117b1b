#include "tests/harness/lab_support.h"

#include "tests/common/watchdog.h"

#include <cstdlib>
#include <cstring>

namespace lab {

std::vector<std::string> g_log;
int g_nFailures = 0;
bool g_bScriptDone = false;

namespace {
FILE* g_pLogFile = NULL;
} // namespace

void Log(const std::string& line) {
  g_log.push_back(line);
  if (g_pLogFile != NULL) {
    std::fprintf(g_pLogFile, "%s\n", line.c_str());
    std::fflush(g_pLogFile);
  }
}

void Check(bool bOk, const std::string& what) {
  Log((bOk ? "ok   " : "FAIL ") + what);
  g_nFailures += bOk ? 0 : 1;
}

namespace {
std::string g_why;
} // namespace

void Why(const std::string& seen) { g_why = seen; }

bool Logged(const std::string& line) {
  for (const std::string& s : g_log)
    if (s == line)
      return true;
  return false;
}

void OpenLogFromCommandLine(const char* pszCommandLine) {
  const char* pszLog = pszCommandLine != NULL ? std::strstr(pszCommandLine, "/log:") : NULL;
  if (pszLog == NULL)
    return;
  std::string path(pszLog + 5);
  path = path.substr(0, path.find(' '));
  g_pLogFile = std::fopen(path.c_str(), "w");
}

void BoundSelfTest(const char* pszName, int nSeconds) {
  watchdog::Install({[](const std::string& report) {
                       Check(false, report);
                       ::PostQuitMessage(1);
                     },
                     nullptr});
  watchdog::Arm(std::string(pszName) + " /selftest", nSeconds);
}

BOOL CLabApp::InitInstance() {
  const char* pszLine = m_lpCmdLine != NULL ? m_lpCmdLine : "";
  m_bSelfTest = std::strstr(pszLine, "/selftest") != NULL;
  OpenLogFromCommandLine(pszLine);
  if (m_bSelfTest)
    BoundSelfTest(m_pszAppName, m_nBoundSeconds);
  return StartLab() ? TRUE : FALSE;
}

int CLabApp::ExitInstance() {
  const int nFailures = FinishSelfTest(m_bSelfTest);
  CWinApp::ExitInstance();
  return m_bSelfTest ? nFailures : 0;
}

int FinishSelfTest(bool bSelfTest) {
  if (bSelfTest)
    Check(g_bScriptDone, "the script ran to its last step");
  for (const std::string& s : g_log)
    if (s.compare(0, 5, "ok   ") == 0 || s.compare(0, 5, "FAIL ") == 0)
      std::printf("%s\n", s.c_str());
  std::fflush(stdout);
  if (g_pLogFile != NULL)
    std::fclose(g_pLogFile);
  g_pLogFile = NULL;
  return g_nFailures;
}

std::vector<BYTE> ScreenBits(const CRect& rc) {
  CWindowDC screen(NULL);
  CDC mem;
  mem.CreateCompatibleDC(&screen);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&screen, rc.Width(), rc.Height());
  CBitmap* pOld = mem.SelectObject(&bmp);
  mem.BitBlt(0, 0, rc.Width(), rc.Height(), &screen, rc.left, rc.top, SRCCOPY);
  mem.SelectObject(pOld);
  BITMAPINFOHEADER bih = {sizeof(bih), rc.Width(), rc.Height(), 1, 24};
  std::vector<BYTE> bits((size_t)((rc.Width() * 3 + 3) & ~3) * rc.Height());
  ::GetDIBits(mem.GetSafeHdc(), bmp, 0, rc.Height(), bits.data(), reinterpret_cast<BITMAPINFO*>(&bih),
              DIB_RGB_COLORS);
  return bits;
}

void SaveScreenshot(const CRect& rc, const std::string& name) {
  const char* pszDir = std::getenv("PIX_ARTIFACTS");
  if (pszDir == NULL || rc.IsRectEmpty())
    return;
  const std::string path = std::string("Z:") + pszDir;
  ::CreateDirectoryA(path.c_str(), NULL);
  const std::vector<BYTE> bits = ScreenBits(rc);
  BITMAPINFOHEADER bih = {sizeof(bih), rc.Width(), rc.Height(), 1, 24};
  BITMAPFILEHEADER bf = {0x4D42, DWORD(sizeof(bf) + sizeof(bih) + bits.size()), 0, 0,
                         sizeof(bf) + sizeof(bih)};
  if (FILE* f = std::fopen((path + "/" + name + ".bmp").c_str(), "wb")) {
    std::fwrite(&bf, sizeof(bf), 1, f);
    std::fwrite(&bih, sizeof(bih), 1, f);
    std::fwrite(bits.data(), bits.size(), 1, f);
    std::fclose(f);
  }
}

void CLabWait::Start(CWnd* pFrame, std::function<bool()> done, const std::string& what) {
  m_done = std::move(done);
  m_what = what;
  m_nTicks = 0;
  g_why.clear();
  pFrame->SetTimer(kTimerId, 10, NULL);
}

bool CLabWait::OnTimer(CWnd* pFrame, UINT nIDEvent, UINT nStepMessage) {
  if (nIDEvent != kTimerId)
    return false;
  const bool bDone = m_done();
  if (!bDone && ++m_nTicks < 300)
    return true;
  pFrame->KillTimer(kTimerId);
  Check(bDone, bDone || g_why.empty() ? m_what : m_what + " (saw " + g_why + ")");
  pFrame->PostMessage(nStepMessage);
  return true;
}

} // namespace lab
