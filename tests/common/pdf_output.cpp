#include "tests/common/pdf_output.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <utility>

namespace pdf_output {

::testing::AssertionResult PrinterInstalled() {
  char szPrinter[256] = "";
  DWORD cch = sizeof(szPrinter);
  if (::GetDefaultPrinterA(szPrinter, &cch))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no default printer: tools/setup.sh makes the CUPS PDF queue";
}

namespace {

std::string EnvOr(const char* pszName, const char* pszDefault) {
  const char* psz = std::getenv(pszName);
  return psz != NULL && *psz != '\0' ? psz : pszDefault;
}

// The folders cups-pdf may write to for the user running the tests: its configured "Out" with
// ${HOME} and ${USER} filled in, then its usual places; as this program reaches them (drive Z:).
std::vector<std::string> PdfFolders() {
  std::string home = EnvOr("WINEHOMEDIR", ""); // "\??\Z:\home\user"
  if (home.compare(0, 4, "\\??\\") == 0)
    home = home.substr(4);
  std::string user = EnvOr("WINEUSERNAME", EnvOr("USERNAME", "").c_str());
  auto expand = [&](std::string path) {
    for (const auto& var :
         {std::make_pair(std::string("${HOME}"), home), std::make_pair(std::string("${USER}"), user)})
      for (size_t at; (at = path.find(var.first)) != std::string::npos;)
        path.replace(at, var.first.size(), var.second);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path.compare(0, 1, "\\") == 0 ? "Z:" + path : path;
  };
  std::vector<std::string> folders;
  std::ifstream conf("Z:\\etc\\cups\\cups-pdf.conf");
  for (std::string line; std::getline(conf, line);) {
    std::istringstream words(line);
    std::string key, value;
    if (words >> key >> value && key == "Out")
      folders.push_back(expand(value));
  }
  for (const char* psz : {"${HOME}/PDF", "/var/spool/cups-pdf/${USER}", "/var/spool/cups-pdf/ANONYMOUS"})
    folders.push_back(expand(psz));
  return folders;
}

} // namespace

std::string WaitForPdf(const std::string& title) {
  const std::vector<std::string> folders = PdfFolders();
  // The file is written by another program: it can only be looked for again and again.
  for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < 60000; ::Sleep(100)) {
    for (const std::string& folder : folders) {
      WIN32_FIND_DATAA fd;
      HANDLE hFind = ::FindFirstFileA((folder + "\\*" + title + "*.pdf").c_str(), &fd);
      if (hFind == INVALID_HANDLE_VALUE)
        continue;
      ::FindClose(hFind);
      const std::string path = folder + "\\" + fd.cFileName;
      // Ghostscript writes the file in place: it is whole once its trailer is there.
      std::ifstream in(path, std::ios::binary);
      const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      size_t eof = text.rfind("%%EOF");
      if (eof != std::string::npos && text.find_first_not_of("\r\n ", eof + 5) == std::string::npos)
        return path;
    }
  }
  return std::string();
}

} // namespace pdf_output
