#include "tests/unit/stage2/test_support.h"

#include <algorithm>

bool CallLog::Contains(const std::string& s) const { return IndexOf(s) >= 0; }

int CallLog::Count(const std::string& s) const { return (int)std::count(entries.begin(), entries.end(), s); }

int CallLog::IndexOf(const std::string& s) const {
  auto it = std::find(entries.begin(), entries.end(), s);
  return it == entries.end() ? -1 : (int)(it - entries.begin());
}

CTestApp& TheTestApp() {
  static CTestApp app;
  return app;
}

BOOL CHostWnd::CreateHost(LPCSTR lpszTitle, DWORD dwStyle) {
  TheTestApp();
  return CreateEx(0,
                  AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                  lpszTitle, dwStyle, 10, 10, 400, 300, NULL, NULL);
}
