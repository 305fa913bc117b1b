// Files the document tests make and read back.
#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

// The temporary folder, with its trailing backslash.
inline std::string TempDir() {
  char sz[MAX_PATH];
  ::GetTempPathA(MAX_PATH, sz);
  return sz;
}

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteAll(const std::string& path, const std::string& data) {
  std::ofstream(path, std::ios::binary) << data;
}

// The files a wildcard pattern matches, to see that nothing was left behind.
inline int CountFiles(const std::string& pattern) {
  WIN32_FIND_DATAA fd;
  HANDLE h = ::FindFirstFileA(pattern.c_str(), &fd);
  int n = 0;
  for (BOOL ok = h != INVALID_HANDLE_VALUE; ok; ok = ::FindNextFileA(h, &fd))
    n += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  if (h != INVALID_HANDLE_VALUE)
    ::FindClose(h);
  return n;
}
