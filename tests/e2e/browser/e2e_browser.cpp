// A window-less stand-in for the web browser and the help viewer in the test prefix: the end-to-end tests
// register it as the program that opens web addresses and help files, and it only appends what it
// was asked to open, one line per start, to e2e_browser.log beside itself. The tests read that
// log to see what the program handed to the shell.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

// The command line without this program's own name, quoted or not.
std::string Arguments() {
  const char* p = ::GetCommandLineA();
  if (*p == '"') {
    p = std::strchr(p + 1, '"');
    p = p != NULL ? p + 1 : "";
  } else {
    while (*p != '\0' && *p != ' ' && *p != '\t')
      p++;
  }
  while (*p == ' ' || *p == '\t')
    p++;
  return p;
}

std::string LogPath() {
  char szExe[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
  std::string path = szExe;
  return path.substr(0, path.find_last_of('\\') + 1) + "e2e_browser.log";
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Appends as one write, so that two starts at once cannot interleave their lines.
  const std::string line = Arguments() + "\n";
  HANDLE hLog = ::CreateFileA(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (hLog == INVALID_HANDLE_VALUE)
    return 1; // the test waiting for the line reports it missing
  DWORD dwWritten = 0;
  const BOOL bWritten = ::WriteFile(hLog, line.data(), (DWORD)line.size(), &dwWritten, NULL);
  ::CloseHandle(hLog);
  return bWritten && dwWritten == line.size() ? 0 : 1;
}
