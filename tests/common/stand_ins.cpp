// The stand-ins' folder and the mail library's place in the test prefix.
#include "tests/common/stand_ins.h"

#include <windows.h>

#include <fstream>
#include <iterator>

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::string StandInFolder() {
  char szExe[MAX_PATH] = "";
  ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
  std::string folder = szExe;
  folder.resize(folder.find_last_of('\\')); // the programs' folder
  return folder.substr(0, folder.find_last_of('\\') + 1) + "stubs";
}

std::string InstallMailStandIn() {
  const std::string source = StandInFolder() + "\\mapi32.dll";
  char szSystem[MAX_PATH] = "";
  ::GetSystemDirectoryA(szSystem, MAX_PATH);
  const std::string target = std::string(szSystem) + "\\mapi32.dll";
  const std::string bytes = ReadWhole(source);
  if (bytes.empty())
    return source + " is missing: the build makes it";
  // A copy in place may be loaded by a program still running: it is left as it is.
  if (ReadWhole(target) == bytes)
    return std::string();
  if (!::CopyFileA(source.c_str(), target.c_str(), FALSE))
    return "cannot copy " + source + " to " + target + ": error " + std::to_string(::GetLastError());
  return std::string();
}
