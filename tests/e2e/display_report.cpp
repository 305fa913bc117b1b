#include "tests/e2e/display_report.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <sstream>
#include <vector>

namespace e2e {

namespace {

const char kPrintScreen[] = "PIX_E2E_PRINT_SCREEN";

std::string Rect(const RECT& rc) {
  std::ostringstream text;
  text << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
  return text.str();
}

std::string Metrics() {
  std::ostringstream text;
  text << ::GetSystemMetrics(SM_CXSCREEN) << "x" << ::GetSystemMetrics(SM_CYSCREEN) << ", virtual "
       << ::GetSystemMetrics(SM_CXVIRTUALSCREEN) << "x" << ::GetSystemMetrics(SM_CYVIRTUALSCREEN) << ", "
       << ::GetSystemMetrics(SM_CMONITORS) << " monitors";
  return text.str();
}

BOOL CALLBACK AddMonitor(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam) {
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  ::GetMonitorInfoA(hMonitor, &mi);
  *reinterpret_cast<std::ostringstream*>(lParam)
      << " " << Rect(mi.rcMonitor) << ((mi.dwFlags & MONITORINFOF_PRIMARY) ? " primary" : "");
  return TRUE;
}

std::string Devices() {
  std::ostringstream text;
  DISPLAY_DEVICEA adapter = {};
  adapter.cb = sizeof(adapter);
  for (DWORD i = 0; ::EnumDisplayDevicesA(NULL, i, &adapter, 0); i++) {
    text << " " << adapter.DeviceName << " flags 0x" << std::hex << adapter.StateFlags << std::dec;
    DISPLAY_DEVICEA monitor = {};
    monitor.cb = sizeof(monitor);
    for (DWORD j = 0; ::EnumDisplayDevicesA(adapter.DeviceName, j, &monitor, 0); j++)
      text << " [" << monitor.DeviceName << " flags 0x" << std::hex << monitor.StateFlags << std::dec << "]";
  }
  DEVMODEA mode = {};
  mode.dmSize = sizeof(mode);
  if (::EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode))
    text << "; current mode " << mode.dmPelsWidth << "x" << mode.dmPelsHeight;
  else
    text << "; no current mode";
  return text.str();
}

std::string VideoKey() {
  HKEY hKey;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\VIDEO", 0, KEY_READ, &hKey) != ERROR_SUCCESS)
    return "no adapter list";
  DWORD nValues = 0;
  FILETIME written = {};
  ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, NULL, NULL, NULL, &nValues, NULL, NULL, NULL, &written);
  ::RegCloseKey(hKey);
  FILETIME now;
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER a, b;
  a.LowPart = written.dwLowDateTime, a.HighPart = written.dwHighDateTime;
  b.LowPart = now.dwLowDateTime, b.HighPart = now.dwHighDateTime;
  std::ostringstream text;
  text << nValues << " adapter entries, written " << (LONGLONG)(b.QuadPart - a.QuadPart) / 10000 << " ms ago";
  return text.str();
}

std::string Explorers() {
  std::ostringstream text;
  HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 pe = {};
  pe.dwSize = sizeof(pe);
  int n = 0;
  for (BOOL b = ::Process32First(hSnap, &pe); b; b = ::Process32Next(hSnap, &pe))
    if (::lstrcmpiA(pe.szExeFile, "explorer.exe") == 0)
      text << (n++ ? ", " : "") << pe.th32ProcessID;
  ::CloseHandle(hSnap);
  return n ? "explorer " + text.str() : "no explorer";
}

// What a process started now measures: whether this process alone holds the picture it has.
std::string FreshProcess() {
  char szExe[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
  std::string command = std::string("\"") + szExe + "\"";
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
  HANDLE hRead = NULL, hWrite = NULL;
  if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
    return "no pipe";
  ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = hWrite;
  si.hStdError = hWrite;
  PROCESS_INFORMATION pi = {};
  ::SetEnvironmentVariableA(kPrintScreen, "1");
  const BOOL bStarted = ::CreateProcessA(NULL, line.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
  ::SetEnvironmentVariableA(kPrintScreen, NULL);
  ::CloseHandle(hWrite);
  std::string out;
  if (bStarted) {
    char buf[256];
    DWORD n = 0;
    while (::ReadFile(hRead, buf, sizeof(buf), &n, NULL) && n > 0)
      out.append(buf, n);
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  ::CloseHandle(hRead);
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
    out.pop_back();
  return bStarted ? out : "cannot start one";
}

} // namespace

DisplayReport ReportDisplay() {
  DisplayReport report;
  const std::string fresh = FreshProcess();
  int cx = 0, cy = 0;
  report.bNewProcessHasScreen = std::sscanf(fresh.c_str(), "%dx%d", &cx, &cy) == 2 && cx > 0 && cy > 0;
  std::ostringstream text;
  RECT rcDesktop = {};
  ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
  text << "screen " << Metrics() << ":";
  ::EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(&text));
  text << "; desktop window " << Rect(rcDesktop) << "; devices" << Devices() << "; " << VideoKey() << "; "
       << Explorers() << "; a new process measures " << fresh;
  report.text = text.str();
  return report;
}

namespace {

// The fresh process ReportDisplay starts prints the screen as it measures it and ends before the
// tests run.
struct PrintScreenWhenAsked {
  PrintScreenWhenAsked() {
    char szValue[8];
    if (::GetEnvironmentVariableA(kPrintScreen, szValue, sizeof(szValue)) == 0)
      return;
    std::printf("%s\n", Metrics().c_str());
    std::fflush(stdout);
    ::ExitProcess(0);
  }
} printScreenWhenAsked;

} // namespace

} // namespace e2e
