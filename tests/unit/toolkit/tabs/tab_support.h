// What the tab-window tests share: a shown host window holding one tab strip of a given size and
// style, and items made from short texts.
#pragma once

#include "framework/fw.h"
#include <gtest/gtest.h>
#include "tests/common/window_support.h"
#include "toolkit/docking/ExtTabWnd.h"

#include <memory>
#include <string>
#include <vector>

// The lParams of the items in tab order, and whether the neighbour links, the visible count and
// the selected mark agree with the array.
std::vector<LPARAM> LParams(const CExtTabWnd& wnd);
::testing::AssertionResult ModelIsSound(const CExtTabWnd& wnd);

// A host window of 480 x 360 with one tab strip of cx x cy at (10, 10); both destroyed with it.
class TabHost {
public:
  TabHost(DWORD dwTabStyle, int cx, int cy, CExtTabWnd* pTab = NULL);
  ~TabHost();
  TabHost(const TabHost&) = delete;
  TabHost& operator=(const TabHost&) = delete;

  bool Ok() const { return m_pTab->GetSafeHwnd() != NULL; }
  CExtTabWnd& Tab() { return *m_pTab; }
  CHostWnd& Host() { return m_host; }
  // Adds items with the texts (lParam = their position in the list) and lays out at once.
  void AddItems(const std::vector<std::string>& texts, DWORD dwStyle = 0);
  // The strip's size for its orientation: the length along, the thickness across.
  static CSize StripSize(int nOrientation, int nLength, int nThickness);

private:
  CHostWnd m_host;
  std::unique_ptr<CExtTabWnd> m_pOwned;
  CExtTabWnd* m_pTab;
};
