// The glyph buffers, their built-in table, glyph painting, the built-in 9 x 9 glyph icons and the
// tear-off bar of popup menus.
#include "toolkit/theme/ExtPaintManagerGlyphs.h"

#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <algorithm>
#include <new>
#include <string>

namespace {

// A glyph drawn as rows of text: '#' is colour 1, anything else transparent. The cells live as
// long as the program, as the table's glyphs do.
struct ArtGlyph {
  std::vector<UINT> cells;
  GlyphBuffer glyph;
  void Build(std::initializer_list<const char*> rows) {
    for (const char* pszRow : rows)
      for (size_t x = 0, n = std::string(pszRow).size(); x < n; ++x)
        cells.push_back(pszRow[x] == '#' ? 1 : 0);
    const UINT nHeight = (UINT)rows.size();
    glyph = GlyphBuffer(nHeight == 0 ? 0 : (UINT)(cells.size() / nHeight), nHeight, 2, cells.data());
  }
};

// clang-format off
const std::initializer_list<const char*> kArtClose = {
    "##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"};
const std::initializer_list<const char*> kArtArrowLeft = {
    "...#", "..##", ".###", "####", ".###", "..##", "...#"};
const std::initializer_list<const char*> kArtArrowRight = {
    "#...", "##..", "###.", "####", "###.", "##..", "#..."};
const std::initializer_list<const char*> kArtArrowUp = {
    "...#...", "..###..", ".#####.", "#######"};
const std::initializer_list<const char*> kArtArrowDown = {
    "#######", ".#####.", "..###..", "...#..."};
const std::initializer_list<const char*> kArtMinimize = {
    "........", "........", "........", "........", "........", "######..", "######.."};
const std::initializer_list<const char*> kArtRestore = {
    "..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "#....#..",
    "######.."};
const std::initializer_list<const char*> kArtMaximize = {
    "#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#",
    "#########"};
const std::initializer_list<const char*> kArtHelp = {
    ".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..", "..##.."};
const std::initializer_list<const char*> kArtAutoHide = {
    "..#####", "..#...#", "..#...#", "#######", "..#####", "..#####", "..#####"};
const std::initializer_list<const char*> kArtAutoHidden = {
    "..###..", "..#.#..", "..#.#..", "..#.#..", "#######", "...#...", "...#...", "...#..."};
const std::initializer_list<const char*> kArtCloseBold = {
    "##...##", "###.###", ".#####.", "..###..", ".#####.", "###.###", "##...##"};
const std::initializer_list<const char*> kArtArrowLeftHollow = {
    "...#", "..##", ".#.#", "#..#", ".#.#", "..##", "...#"};
const std::initializer_list<const char*> kArtArrowRightHollow = {
    "#...", "##..", "#.#.", "#..#", "#.#.", "##..", "#..."};
const std::initializer_list<const char*> kArtArrowUpHollow = {
    "...#...", "..#.#..", ".#...#.", "#######"};
const std::initializer_list<const char*> kArtArrowDownHollow = {
    "#######", ".#...#.", "..#.#..", "...#..."};
const std::initializer_list<const char*> kArtCloseSmall = {
    "#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "#.....#"};
const std::initializer_list<const char*> kArtTabList = {
    "#######", ".......", "#######", ".#####.", "..###..", "...#..."};
const std::initializer_list<const char*> kArtScrollHome = {
    "#...#", "#..##", "#.###", "#####", "#.###", "#..##", "#...#"};
const std::initializer_list<const char*> kArtScrollHomeVert = {
    "#######", "...#...", "..###..", ".#####.", "#######"};
const std::initializer_list<const char*> kArtScrollEnd = {
    "#...#", "##..#", "###.#", "#####", "###.#", "##..#", "#...#"};
const std::initializer_list<const char*> kArtScrollEndVert = {
    "#######", ".#####.", "..###..", "...#...", "#######"};

// The turned forms are left empty here and made by turning their base glyph.
const std::initializer_list<const char*> kArtNamed[NG_COUNT] = {
    {"#####", ".###.", "..#.."},
    {},
    {"##..##..", ".##..##.", "..##..##", ".##..##.", "##..##.."},
    {},
    {"#####", ".....", ".....", "#####", ".###.", "..#.."},
    {},
    {"#..#..", ".#..#.", "..#..#", ".#..#.", "#..#.."},
    {},
    {"............", "............", "............", "............", "....#.......", "....##......",
     "....###.....", "....####....", "....###.....", "....##......", "....#.......", "............",
     "............", "............", "............", "............"},
    {"#...........", "#...........", "#...........", "#...........", "#...#.......", "#...##......",
     "#...###.....", "#...####....", "#...###.....", "#...##......", "#...#.......", "#...........",
     "#...........", "#...........", "#...........", "#..........."},
};
// clang-format on

struct BuiltinTable {
  ArtGlyph glyphs[GLYPH_COUNT];
  ArtGlyph named[NG_COUNT];
  void Set(int nIndex, std::initializer_list<const char*> rows) { glyphs[nIndex].Build(rows); }
  void Turn(NamedGlyph eTurned, NamedGlyph eBase, int nDegrees) {
    named[eTurned].glyph = named[eBase].glyph;
    named[eTurned].glyph.RotateGlyph(nDegrees);
  }
  BuiltinTable() {
    Set(GLYPH_CLOSE, kArtClose);
    Set(GLYPH_ARROW_LEFT, kArtArrowLeft);
    Set(GLYPH_ARROW_RIGHT, kArtArrowRight);
    Set(GLYPH_ARROW_UP, kArtArrowUp);
    Set(GLYPH_ARROW_DOWN, kArtArrowDown);
    Set(GLYPH_MINIMIZE, kArtMinimize);
    Set(GLYPH_RESTORE, kArtRestore);
    Set(GLYPH_MAXIMIZE, kArtMaximize);
    Set(GLYPH_HELP, kArtHelp);
    Set(GLYPH_AUTO_HIDE, kArtAutoHide);
    Set(GLYPH_AUTO_HIDDEN, kArtAutoHidden);
    Set(GLYPH_CLOSE_BOLD, kArtCloseBold);
    Set(GLYPH_ARROW_LEFT_HOLLOW, kArtArrowLeftHollow);
    Set(GLYPH_ARROW_RIGHT_HOLLOW, kArtArrowRightHollow);
    Set(GLYPH_ARROW_UP_HOLLOW, kArtArrowUpHollow);
    Set(GLYPH_ARROW_DOWN_HOLLOW, kArtArrowDownHollow);
    Set(GLYPH_CLOSE_SMALL, kArtCloseSmall);
    Set(GLYPH_TAB_LIST, kArtTabList);
    Set(GLYPH_SCROLL_HOME, kArtScrollHome);
    Set(GLYPH_SCROLL_HOME_VERT, kArtScrollHomeVert);
    Set(GLYPH_SCROLL_END, kArtScrollEnd);
    Set(GLYPH_SCROLL_END_VERT, kArtScrollEndVert);
    for (int i = 0; i < NG_COUNT; ++i)
      if (kArtNamed[i].size() != 0)
        named[i].Build(kArtNamed[i]);
    Turn(NG_ARROW_RIGHT_3X5, NG_ARROW_DOWN_5X3, 270);
    Turn(NG_CHEVRON_5X8, NG_CHEVRON_8X5, 90);
    Turn(NG_BAR_ARROW_6X5, NG_BAR_ARROW_5X6, 270);
    Turn(NG_CHEVRON_5X6, NG_CHEVRON_6X5, 90);
  }
};

const BuiltinTable& Table() {
  static const BuiltinTable table;
  return table;
}

// A 9 x 9 BMP file at 24 bits per pixel (306 bytes) of the picture, magenta where it is empty.
std::vector<BYTE> MakeGlyphIconBmp(std::initializer_list<const char*> rows, COLORREF clrInk) {
  const int nSide = 9, nStride = 28; // 27 bytes of pixels padded to four
  const DWORD nBits = nStride * nSide, nOffset = 14 + 40, nSize = nOffset + nBits;
  std::vector<BYTE> bmp(nSize, 0);
  auto put16 = [&](size_t at, WORD w) { bmp[at] = LOBYTE(w), bmp[at + 1] = HIBYTE(w); };
  auto put32 = [&](size_t at, DWORD d) { put16(at, LOWORD(d)), put16(at + 2, HIWORD(d)); };
  put16(0, 0x4D42);
  put32(2, nSize);
  put32(10, nOffset);
  put32(14, 40);
  put32(18, nSide);
  put32(22, nSide);
  put16(26, 1);
  put16(28, 24);
  put32(34, nBits);
  int y = nSide - 1; // rows are stored bottom-up
  for (const char* pszRow : rows) {
    for (int x = 0; x < nSide; ++x) {
      const COLORREF clr = pszRow[x] == '#' ? clrInk : RGB(255, 0, 255);
      BYTE* p = &bmp[nOffset + y * nStride + x * 3];
      p[0] = GetBValue(clr), p[1] = GetGValue(clr), p[2] = GetRValue(clr);
    }
    --y;
  }
  return bmp;
}

// clang-format off
// The first icon is a check mark, the second a bullet.
const std::initializer_list<const char*> kIconCheck = {
    ".........", ".......#.", "......##.", "#....###.", "##..###..", "#####....", ".###.....",
    "..#......", "........."};
const std::initializer_list<const char*> kIconBullet = {
    ".........", "...###...", "..#####..", ".#######.", ".#######.", ".#######.", "..#####..",
    "...###...", "........."};
// clang-format on

} // namespace

bool GlyphBuffer::Assign(const GlyphBuffer& other) {
  Empty();
  const size_t nCells = (size_t)other.m_nWidth * other.m_nHeight;
  try {
    std::vector<UINT> cells(other.m_pCells, other.m_pCells + (other.m_pCells != NULL ? nCells : 0));
    m_ownedCells.swap(cells);
  } catch (const std::bad_alloc&) {
    return false;
  }
  m_nWidth = other.m_nWidth;
  m_nHeight = other.m_nHeight;
  m_nColors = other.m_nColors;
  m_pCells = m_ownedCells.data();
  m_bOwnsCells = true;
  return true;
}

void GlyphBuffer::Empty() {
  m_ownedCells.clear();
  m_bOwnsCells = false;
  m_pCells = NULL;
  m_nWidth = m_nHeight = 0;
  m_nColors = 1;
}

void GlyphBuffer::RotateGlyph(int nDegrees) {
  if ((nDegrees != 90 && nDegrees != 180 && nDegrees != 270) || m_pCells == NULL)
    return;
  const UINT w = m_nWidth, h = m_nHeight;
  std::vector<UINT> turned((size_t)w * h);
  for (UINT r = 0; r < h; ++r)
    for (UINT c = 0; c < w; ++c) {
      const UINT cell = m_pCells[r * w + c];
      if (nDegrees == 90)
        turned[c * h + (h - 1 - r)] = cell; // to column h-1-r, row c of an h-wide grid
      else if (nDegrees == 180)
        turned[(h - 1 - r) * w + (w - 1 - c)] = cell;
      else
        turned[(w - 1 - c) * h + r] = cell; // to column r, row w-1-c
    }
  if (nDegrees != 180)
    std::swap(m_nWidth, m_nHeight);
  // Static cells are never written: the turned glyph becomes the buffer's own.
  m_ownedCells.swap(turned);
  m_pCells = m_ownedCells.data();
  m_bOwnsCells = true;
}

const GlyphBuffer& GetBuiltinGlyph(int nIndex) {
  if (nIndex < 0 || nIndex >= GLYPH_COUNT)
    nIndex = GLYPH_EMPTY;
  return Table().glyphs[nIndex].glyph;
}

const GlyphBuffer& GetNamedGlyph(NamedGlyph eGlyph) { return Table().named[eGlyph].glyph; }

bool CExtPaintManager::LoadBuiltinGlyphIcon(CExtCmdIcon& icon, bool bFirst) {
  icon.Empty();
  const std::vector<BYTE> bmp = MakeGlyphIconBmp(bFirst ? kIconCheck : kIconBullet, RGB(0, 0, 0));
  HBITMAP hBitmap = LoadBitmapFromMemory(bmp.data(), (DWORD)bmp.size());
  if (hBitmap == NULL)
    return false;
  icon.AssignFromHBitmap(hBitmap, RGB(255, 0, 255), NULL, false);
  return !icon.IsEmpty();
}

void CExtPaintManager::PaintGlyph(CDC& dc, int x, int y, const GlyphBuffer& glyph, const COLORREF* pColors) {
  const RECT rc = {x, y, x + (int)glyph.m_nWidth, y + (int)glyph.m_nHeight};
  if (glyph.m_pCells == NULL || pColors == NULL || !dc.RectVisible(&rc))
    return;
  for (UINT r = 0; r < glyph.m_nHeight; ++r)
    for (UINT c = 0; c < glyph.m_nWidth; ++c) {
      const UINT cell = glyph.GetCell(c, r);
      if (cell != 0)
        ::SetPixel(dc.m_hDC, x + (int)c, y + (int)r, pColors[cell]);
    }
}

void CExtPaintManager::PaintGlyphCentered(CDC& dc, const RECT& rcIn, const GlyphBuffer& glyph,
                                          const COLORREF* pColors) {
  RECT rc = rcIn;
  if (rc.left > rc.right)
    std::swap(rc.left, rc.right);
  if (rc.top > rc.bottom)
    std::swap(rc.top, rc.bottom);
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  // A glyph that does not fit is left out rather than clipped.
  if (::IsRectEmpty(&rc) || cx < (int)glyph.m_nWidth || cy < (int)glyph.m_nHeight)
    return;
  PaintGlyph(dc, rc.left + (cx - (int)glyph.m_nWidth) / 2, rc.top + (cy - (int)glyph.m_nHeight) / 2, glyph,
             pColors);
}

void CExtPaintManager::PaintMenuTearOffCaption(CDC& dc, const RECT& rcIn, bool, bool, CObject* pHelperSrc,
                                               LPARAM lParam) {
  RECT rc = rcIn;
  rc.left += 1;
  rc.bottom -= 1;
  dc.FillSolidRect(&rc, ColorByLogicalId(COLOR_HIGHLIGHT, pHelperSrc, lParam));
}

namespace {
const int kTearOffStripWidth = 33;
}

void CExtPaintManagerXP::PaintMenuTearOffCaption(CDC& dc, const RECT& rcIn, bool bHover, bool bPressed,
                                                 CObject* pHelperSrc, LPARAM lParam) {
  RECT rc = rcIn;
  rc.bottom -= 1;
  const bool bHot = bHover || bPressed;
  dc.FillSolidRect(&rc, ColorByLogicalId(bHot ? 1001 : 2000, pHelperSrc, lParam));
  const int nLeft = rc.left + (rc.right - rc.left - kTearOffStripWidth) / 2;
  int nTop = rc.top + 1, nBottom = rc.bottom - 1;
  COLORREF clrLine = ColorByLogicalId(COLOR_3DSHADOW, pHelperSrc, lParam);
  if (bHot) {
    const COLORREF clrFrame = ColorByLogicalId(2004, pHelperSrc, lParam);
    dc.Draw3dRect(&rc, clrFrame, clrFrame);
    nTop = rc.top + 2, nBottom = rc.bottom - 2;
    clrLine = ColorByLogicalId(COLOR_BTNTEXT, pHelperSrc, lParam);
  }
  for (int y = nTop; y < nBottom; y += 2)
    dc.FillSolidRect(nLeft, y, kTearOffStripWidth, 1, clrLine);
}

void CExtPaintManagerOffice2003::PaintMenuTearOffCaption(CDC& dc, const RECT& rcIn, bool bHover,
                                                         bool bPressed, CObject* pHelperSrc, LPARAM lParam) {
  RECT rc = rcIn;
  rc.bottom -= 1;
  const bool bHot = bHover || bPressed;
  dc.FillSolidRect(&rc, ColorByLogicalId(bHot ? 1001 : 2000, pHelperSrc, lParam));
  if (bHot) {
    const COLORREF clrFrame = ColorByLogicalId(2004, pHelperSrc, lParam);
    dc.Draw3dRect(&rc, clrFrame, clrFrame);
  }
  int nInset = 36;
  if (rc.right - rc.left - 2 * nInset < 10)
    nInset = 10;
  const int nLeft = rc.left + nInset, nRight = rc.right - nInset;
  const int nTop = rc.top + (rc.bottom - rc.top - 3) / 2; // one row of 3-pixel dots
  const COLORREF clrDot = ColorByLogicalId(3003, pHelperSrc, lParam),
                 clrLight = ColorByLogicalId(3002, pHelperSrc, lParam);
  for (int x = nLeft; x + 3 <= nRight; x += 4) {
    dc.FillSolidRect(x + 1, nTop + 1, 2, 2, clrLight);
    dc.FillSolidRect(x, nTop, 2, 2, clrDot);
  }
}
