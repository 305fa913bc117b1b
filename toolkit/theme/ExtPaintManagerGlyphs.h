// Small pictures of the toolkit (arrows, chevrons, caption-button symbols) kept as grids of
// colour indices that the paint manager plots with a colour table of the caller's.
#pragma once

#include <windows.h>

#include <vector>

struct GlyphBuffer {
  GlyphBuffer() = default;
  // A glyph over cells the caller keeps alive (static data); the buffer does not own them.
  GlyphBuffer(UINT nWidth, UINT nHeight, UINT nColors, const UINT* pCells)
      : m_nWidth(nWidth), m_nHeight(nHeight), m_nColors(nColors), m_pCells(pCells) {}
  GlyphBuffer(const GlyphBuffer& other) { Assign(other); }
  GlyphBuffer& operator=(const GlyphBuffer& other) {
    if (this != &other)
      Assign(other);
    return *this;
  }

  SIZE GetSize() const { return SIZE{(LONG)m_nWidth, (LONG)m_nHeight}; }
  // Takes a private copy of other's cells; false (left empty, 0 x 0) when it cannot be made.
  bool Assign(const GlyphBuffer& other);
  // Turns the glyph clockwise by 90, 180 or 270 degrees; other angles change nothing.
  void RotateGlyph(int nDegrees);
  // The colour index at (x, y), row by row from the top; 0 is transparent.
  UINT GetCell(UINT x, UINT y) const { return m_pCells[y * m_nWidth + x]; }
  bool OwnsCells() const { return m_bOwnsCells; }

  UINT m_nWidth = 0;
  UINT m_nHeight = 0;
  UINT m_nColors = 1;
  const UINT* m_pCells = NULL;

private:
  void Empty();

  bool m_bOwnsCells = false;
  std::vector<UINT> m_ownedCells;
};

// The table of built-in glyphs, by the index that caption buttons, tab buttons and window commands
// ask for. Every glyph uses colour index 1 only; indices in gaps are empty glyphs.
enum BuiltinGlyph {
  GLYPH_EMPTY = 0,
  GLYPH_CLOSE = 1,
  GLYPH_ARROW_LEFT = 2,
  GLYPH_ARROW_RIGHT = 3,
  GLYPH_ARROW_UP = 4,
  GLYPH_ARROW_DOWN = 5,
  GLYPH_MINIMIZE = 6,
  GLYPH_RESTORE = 7,
  GLYPH_MAXIMIZE = 8,
  GLYPH_HELP = 9,
  GLYPH_AUTO_HIDE = 10,
  GLYPH_AUTO_HIDDEN = 11,
  GLYPH_CLOSE_BOLD = 16,
  GLYPH_ARROW_LEFT_HOLLOW = 17,
  GLYPH_ARROW_RIGHT_HOLLOW = 18,
  GLYPH_ARROW_UP_HOLLOW = 19,
  GLYPH_ARROW_DOWN_HOLLOW = 20,
  GLYPH_CLOSE_SMALL = 21,
  GLYPH_TAB_LIST = 45,
  GLYPH_SCROLL_HOME = 49,
  GLYPH_SCROLL_HOME_VERT = 50,
  GLYPH_SCROLL_END = 51,
  GLYPH_SCROLL_END_VERT = 52,
  GLYPH_COUNT = 53
};

// The built-in glyph of that index; an empty glyph for an index outside the table.
const GlyphBuffer& GetBuiltinGlyph(int nIndex);

// The named glyphs of the painters.
enum NamedGlyph {
  NG_ARROW_DOWN_5X3,      // drop-down arrow of buttons and combo boxes
  NG_ARROW_RIGHT_3X5,     // the same turned for vertical buttons
  NG_CHEVRON_8X5,         // XP expand button
  NG_CHEVRON_5X8,         // the same turned
  NG_BAR_ARROW_5X6,       // Office 2003 expand button: a bar over a down arrow
  NG_BAR_ARROW_6X5,       // the same turned
  NG_CHEVRON_6X5,         // Office 2003 small double chevron
  NG_CHEVRON_5X6,         // the same turned
  NG_SUBMENU_ARROW_12X16, // submenu triangle of menu items
  NG_SUBMENU_SPLIT_12X16, // the same with the split line at its left edge
  NG_COUNT
};
const GlyphBuffer& GetNamedGlyph(NamedGlyph eGlyph);
