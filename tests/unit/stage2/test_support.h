// Shared pieces of the window-layer tests: a test application, message pumping without
// timing, and a log of what handlers saw.
#pragma once

#include "framework/fw.h"
#include "tests/common/window_support.h"

#include <string>
#include <vector>

// Records strings so tests can compare the order in which things happened.
struct CallLog {
  std::vector<std::string> entries;
  void Add(const std::string& s) { entries.push_back(s); }
  void Clear() { entries.clear(); }
  bool Contains(const std::string& s) const;
  int Count(const std::string& s) const;
  int IndexOf(const std::string& s) const;
};

// The application object of the test program.
class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp("FwLab") {}
};

CTestApp& TheTestApp();

// A top-level framework window to host children; destroyed by the test.
class CHostWnd : public CWnd {
public:
  BOOL CreateHost(LPCSTR lpszTitle = "host", DWORD dwStyle = WS_OVERLAPPEDWINDOW);
};
