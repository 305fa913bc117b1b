// What the menu layout tests share: a menu filled with items of given sizes, ids and flags (as
// measuring leaves them) and the child menus of its submenu items, the XP theme for the length of
// a test, a monitor whose work area is smaller than the screen, and windows on the screen.
#pragma once

#include "tests/common/import_patch.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace layout_support {

typedef CExtPopupMenuWnd M;
typedef CExtPopupMenuWnd::MENUITEMDATA Item;

// A menu whose shadow size the test chooses: the theme's answer is the popup base's business.
class CLayoutMenu : public CExtPopupMenuWnd {
public:
  ~CLayoutMenu() override;
  int GetShadowSize() const override { return m_nShadow; }

  // An enabled command item measured cx by cy, its icon column nIcon wide.
  Item& AddCommand(int cx = 100, int cy = 22, int nIcon = 22);
  // A submenu item with a new, empty child menu that this menu keeps.
  CLayoutMenu& AddSubmenu();
  // One item a character: 'C' command, 'D' disabled command, 'S' separator (1 high), 'H' submenu
  // whose child has no items, 'P' submenu with a command in its child.
  void AddPattern(const char* pszPattern);
  // The shown bit of every item, '1' or '0'.
  std::string ShownPattern() const;
  // Opens at a point (no excluded rectangle), or beside a rectangle with an alignment.
  void SetTrackPoint(int x, int y);
  void SetExclude(const CRect& rc, int nAlignment, bool bCombined);
  // The body's rectangle on the screen after the placement.
  CRect BodyOnScreen() const { return m_rcBody + m_rcWindow.TopLeft(); }
  // A hidden popup window over the placement.
  bool CreateWindowOverPlacement();

  int m_nShadow = 4;

private:
  std::vector<std::unique_ptr<CLayoutMenu>> m_children;
};

// Runs with the XP theme and leaves no hover menu behind.
class LayoutTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
};

// Monitors answer the given work area while the object lives.
class ScopedWorkArea {
public:
  explicit ScopedWorkArea(const RECT& rcWork);
  bool Applied() const { return m_patch.Applied(); }

private:
  CImportPatch m_patch;
};

// A shown top-most window painted with a stock brush.
std::unique_ptr<CWnd> MakeStockWindow(const CRect& rc, int nStockBrush);
// Waits until the screen shows the colour at the point.
::testing::AssertionResult WaitForScreenPixel(POINT pt, COLORREF clr);

} // namespace layout_support
