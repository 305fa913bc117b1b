// What the menu layout tests share: a menu filled with items of given sizes, ids and flags (as
// measuring leaves them) with the child menus of its submenu items, windows over a placement,
// the installed theme and the work-area switch for the length of a test, and a monitor whose
// work area is smaller than the screen.
#pragma once

#include "tests/common/import_patch.h"
#include "tests/common/pixel_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace layout_support {

typedef CExtPopupMenuWnd::MENUITEMDATA Item;

// A menu whose shadow size the test chooses: the theme's answer is the popup base's business.
class CLayoutMenu : public CExtPopupMenuWnd {
public:
  CLayoutMenu() = default;
  ~CLayoutMenu() override;
  int GetShadowSize() const override { return m_nShadow; }

  // An enabled command item, measured cx by cy with an icon column of nIcon.
  Item& AddCommand(UINT nCmdId, int cx = 60, int cy = 22, int nIcon = 16);
  Item& AddSeparator(int cy = 1);
  // A submenu item with a new, empty child menu (kept by this menu).
  CLayoutMenu& AddSubmenu(int cx = 60, int cy = 22);
  // One item per character: 'C' command, 'D' disabled command, 'S' separator, 'H' submenu whose
  // child has no items (hidden unless every item shows), 'P' submenu with one command in its child.
  void AddPattern(const char* pszPattern);
  // The shown bit of every item, '1' or '0'.
  std::string ShownPattern() const;
  // Places the menu at a screen point with no excluded rectangle.
  void SetTrackPoint(int x, int y);
  // Places the menu beside an excluded rectangle with an alignment, joined to it when combined.
  void SetExclude(const CRect& rc, int nAlignment, bool bCombined);
  // A popup window over the placement (which must have been computed).
  bool CreateWindowOverPlacement();

  int m_nShadow = 0;

private:
  std::vector<std::unique_ptr<CLayoutMenu>> m_children;
};

// The XP theme unless a test installs another; put back afterwards.
class LayoutTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  int Border() const { return g_PaintManagerHolder->GetMenuBorderSize(); }
  int ExpandHeight() const { return g_PaintManagerHolder->GetMenuExpandButtonHeight(); }
};

// Sets a process-wide switch for the life of the object.
class ScopedSwitch {
public:
  ScopedSwitch(bool& bSwitch, bool bValue) : m_bSwitch(bSwitch), m_bOld(bSwitch) { bSwitch = bValue; }
  ~ScopedSwitch() { m_bSwitch = m_bOld; }
  ScopedSwitch(const ScopedSwitch&) = delete;
  ScopedSwitch& operator=(const ScopedSwitch&) = delete;

private:
  bool& m_bSwitch;
  bool m_bOld;
};

// Monitors answer the given work area while the object lives.
class ScopedWorkArea {
public:
  explicit ScopedWorkArea(const RECT& rcWork);
  ~ScopedWorkArea();
  ScopedWorkArea(const ScopedWorkArea&) = delete;
  ScopedWorkArea& operator=(const ScopedWorkArea&) = delete;
  bool Applied() const { return m_patch.Applied(); }

private:
  CImportPatch m_patch;
};

// The screen of the tests (the primary monitor).
CRect ScreenRect();

// A top-most popup window painted in one colour, destroyed with the object.
class ColourWindow {
public:
  ColourWindow(const CRect& rcScreen, COLORREF clr);
  ~ColourWindow();
  ColourWindow(const ColourWindow&) = delete;
  ColourWindow& operator=(const ColourWindow&) = delete;
  HWND hwnd() const { return m_hWnd; }

private:
  CBrush m_brush; // outlives the window that paints with it
  HWND m_hWnd = NULL;
};

// Waits until the screen shows the colour at the point; false after the timeout.
::testing::AssertionResult WaitForScreenPixel(POINT pt, COLORREF clr, int nTimeoutMs = 5000);

} // namespace layout_support
