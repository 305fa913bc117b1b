#include "app/StartupTrace.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace startup_trace {

namespace {

struct Trace {
  bool bOn = false;
  bool bDone = false;
  std::string strPath;
  LARGE_INTEGER freq = {}, last = {};
  std::vector<std::pair<const char*, double>> steps;

  Trace() {
    char szPath[MAX_PATH] = "";
    const DWORD n = ::GetEnvironmentVariableA("PIXOLET_STARTUP_TRACE", szPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
      return;
    bOn = true;
    strPath = szPath;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&last);
    // The time from the process's creation to the first mark, from the system's clock.
    FILETIME created, exited, kernel, user, now;
    if (::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) {
      ::GetSystemTimeAsFileTime(&now);
      const ULONGLONG t0 = ((ULONGLONG)created.dwHighDateTime << 32) | created.dwLowDateTime;
      const ULONGLONG t1 = ((ULONGLONG)now.dwHighDateTime << 32) | now.dwLowDateTime;
      steps.emplace_back("process start to InitInstance", t1 > t0 ? (double)(t1 - t0) / 10000.0 : 0.0);
    }
  }
};

Trace& TheTrace() {
  static Trace trace;
  return trace;
}

} // namespace

void Mark(const char* pszStep) {
  Trace& t = TheTrace();
  if (!t.bOn || t.bDone)
    return;
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  t.steps.emplace_back(pszStep, (double)(now.QuadPart - t.last.QuadPart) * 1000.0 / (double)t.freq.QuadPart);
  t.last = now;
}

void Finish(const char* pszStep) {
  Trace& t = TheTrace();
  if (!t.bOn || t.bDone)
    return;
  Mark(pszStep);
  t.bDone = true;
  FILE* pFile = std::fopen(t.strPath.c_str(), "a");
  if (pFile == NULL)
    return; // the benchmark reports the missing figures
  for (const auto& step : t.steps)
    std::fprintf(pFile, "%s\t%.3f\n", step.first, step.second);
  std::fclose(pFile);
}

} // namespace startup_trace
