// The cell pickers: the honeycomb, the mixers and the view of the current colour above the
// reference colour, painted and clicked.
#include "tests/unit/toolkit/controls/models_support.h"

#include <cstring>
#include <set>

namespace {

POINT Centre(const Ctrl::cell_t& cell) {
  if (!cell.m_bHexagon)
    return {(cell.m_rc.left + cell.m_rc.right) / 2, (cell.m_rc.top + cell.m_rc.bottom) / 2};
  return {cell.m_pts[1].x, (cell.m_pts[1].y + cell.m_pts[4].y) / 2};
}

// A point of the cell that no other cell covers, so that what is shown there is what a click
// there picks; false when neighbours cover all of it.
bool OwnPoint(const Ctrl::cell_based_data_t& m, INT_PTR nCell, POINT& pt) {
  const Ctrl::cell_t& cell = m.m_arrCells[nCell];
  const POINT c = Centre(cell);
  for (int y = cell.m_bHexagon ? c.y : cell.m_rc.top; y < (cell.m_bHexagon ? c.y + 1 : cell.m_rc.bottom);
       ++y) {
    int nCovering = 0;
    for (INT_PTR i = 0; i < m.m_arrCells.GetSize() && nCovering < 2; ++i)
      nCovering += m.m_arrCells[i].HitTest(c.x, y) ? 1 : 0;
    if (nCovering == 1 && cell.HitTest(c.x, y))
      return pt = {c.x, y}, true;
  }
  return false;
}

// Every cell shows its colour at its centre, through a palette too, and a click there picks what
// the cell stands for; a click between cells changes nothing.
class CellPickers : public testing::TestWithParam<Kind> {};

TEST_P(CellPickers, EveryCellShowsItsColourAndAClickOnItPicksIt) {
  const Kind k = GetParam();
  const bool bMixer = k == Kind::RgbMixer || k == Kind::CmyMixer, bCmy = k == Kind::CmyMixer;
  const COLORREF kColour = RGB(3, 250, 1), axes = Axes(bCmy, kColour);
  PaintedPicker p(k, 300, 330, kColour);
  p.Paint();
  auto& m = p.As<Ctrl::cell_based_data_t>();
  ASSERT_GT(m.m_arrCells.GetSize(), 1);
  CPalette palette;
  pixel_support::DibSurface ref(1, 1);
  ASSERT_TRUE(palette.CreateHalftonePalette(&ref.dc()));
  PaintedPicker viaPalette(k, 300, 330, kColour);
  viaPalette.Paint(&palette);
  EXPECT_EQ(p.surface.Pixels(), viaPalette.surface.Pixels()) << "painted through a palette";
  // The mixers frame the colour's cells; the colour is no grey and in no honeycomb cell.
  std::vector<INT_PTR> selected;
  if (bMixer)
    selected = {GetRValue(axes), 256 + GetGValue(axes), 512 + GetBValue(axes)};
  int nChecked = 0;
  const auto nearSelection = [&](INT_PTR s, POINT pt) {
    RECT rc = m.m_arrCells[s].m_rc;
    return ::InflateRect(&rc, 3, 3) && ::PtInRect(&rc, pt);
  };
  for (INT_PTR i = 0; i < m.m_arrCells.GetSize(); i += (m.m_arrCells.GetSize() > 2 ? 7 : 1)) {
    POINT pt;
    if (!OwnPoint(m, i, pt) ||
        std::any_of(selected.begin(), selected.end(), [&](INT_PTR s) { return nearSelection(s, pt); }))
      continue;
    const COLORREF clrShown = p.At(pt.x, pt.y);
    ASSERT_EQ(m.m_arrCells[i].m_clr, clrShown) << "cell " << i;
    p.picker->SetColor(kColour);
    COLORREF expected = clrShown;
    if (bMixer) { // the cell's column sets its one channel to the cell's value
      BYTE b[3] = {GetRValue(axes), GetGValue(axes), GetBValue(axes)};
      b[i / 256] = (BYTE)(i % 256);
      expected = Axes(bCmy, RGB(b[0], b[1], b[2]));
    }
    EXPECT_EQ(expected, p.Click(pt.x, pt.y)) << "cell " << i;
    ++nChecked;
  }
  EXPECT_GT(nChecked, 1);
  if (k == Kind::Honeycomb || bMixer) {
    const POINT gap = k == Kind::Honeycomb ? POINT{2, 2} : POINT{150, 2};
    EXPECT_EQ(kBack, p.At(gap.x, gap.y));
    p.picker->SetColor(kColour);
    EXPECT_EQ(kColour, p.Click(gap.x, gap.y)) << "a click between cells";
  }
}

INSTANTIATE_TEST_SUITE_P(Models, CellPickers,
                         testing::Values(Kind::Honeycomb, Kind::GreyMixer, Kind::RgbMixer, Kind::CmyMixer,
                                         Kind::Diff),
                         testing::PrintToStringParamName());

// The honeycomb's cells follow their rings and the grey row; white is picked from the centre and
// the grey row and then framed in both; a geometry-only build keeps the colours.
TEST(CellModels, HoneycombRingsWhiteCellsAndGeometryOnlyBuild) {
  PaintedPicker p(Kind::Honeycomb, 256, 300, RGB(30, 30, 30));
  p.Paint();
  auto& m = p.As<Ctrl::cell_based_data_t>();
  ASSERT_EQ(144, m.m_arrCells.GetSize());
  const POINT centre = Centre(m.m_arrCells[0]), bigWhite = Centre(m.m_arrCells[127]);
  // A selected hexagon is framed black just above its top corner.
  const auto framed = [&](const Ctrl::cell_t& cell) {
    bool bBlack = false;
    for (int y = cell.m_pts[1].y - 3; y <= cell.m_pts[1].y; ++y)
      bBlack |= p.At(cell.m_pts[1].x, y) == RGB(0, 0, 0);
    return bBlack;
  };
  EXPECT_FALSE(framed(m.m_arrCells[0]) || framed(m.m_arrCells[127]));
  EXPECT_EQ(kWhite, p.Click(bigWhite.x, bigWhite.y));
  p.picker->SetColor(RGB(30, 30, 30));
  EXPECT_EQ(kWhite, p.Click(centre.x, centre.y));
  p.Repaint();
  EXPECT_TRUE(framed(m.m_arrCells[0]) && framed(m.m_arrCells[127]));
  pixel_support::SaveBmp({256, 300, p.surface.Pixels()}, "models_honeycomb.bmp");
  // Hues are taken at the cells' centres; the top corners lie the same way to each other.
  const POINT o = m.m_arrCells[0].m_pts[1];
  std::set<COLORREF> seen;
  for (int r = 1, nCell = 1; r <= 6; ++r) {
    for (int k = 0; k < 6 * r; ++k, ++nCell) {
      const POINT c = m.m_arrCells[nCell].m_pts[1];
      const double dHue = (int)(atan2((double)(c.y - o.y), (double)(c.x - o.x)) * 57.29577951308239);
      EXPECT_EQ(PM::HslDegreesToRgb(dHue, (7 - r) / 7.0 + 0.1, 1.0), m.m_arrCells[nCell].m_clr) << nCell;
      seen.insert(m.m_arrCells[nCell].m_clr);
    }
  }
  EXPECT_GT(seen.size(), 100u) << "the rings repeat colours";
  for (int k = 0; k < 16; ++k) // the grey row, white to black
    EXPECT_EQ(RGB(255 - 15 * k, 255 - 15 * k, 255 - 15 * k), m.m_arrCells[127 + k].m_clr);
  EXPECT_EQ(RGB(0, 0, 0), m.m_arrCells[143].m_clr);
  // A geometry-only build keeps the colours and moves the corners as a full build does.
  m.m_arrCells[5].m_clr = RGB(1, 2, 3); // a colour no build gives
  m.Build(&p.surface.dc(), NULL, 320, 340, true);
  EXPECT_EQ(RGB(1, 2, 3), m.m_arrCells[5].m_clr);
  Ctrl::cell_based_data_t fresh;
  fresh.Build(NULL, NULL, 320, 340, false);
  for (int i = 0; i < 144; ++i)
    EXPECT_EQ(0, memcmp(fresh.m_arrCells[i].m_pts, m.m_arrCells[i].m_pts, sizeof(POINT[6]))) << i;
  m.Build(NULL, NULL, 320, 340, false);
  EXPECT_EQ(fresh.m_arrCells[5].m_clr, m.m_arrCells[5].m_clr);
}

TEST(CellModels, GreyMixerSelectsOnlyGreys) {
  PaintedPicker p(Kind::GreyMixer, 200, 300, RGB(100, 100, 100));
  p.Paint();
  const RECT rc = p.As<Ctrl::cell_based_data_t>().m_arrCells[100].m_rc;
  // The selected cell's frame reaches three pixels right of the column.
  EXPECT_EQ(RGB(0, 0, 0), p.At(rc.right + 2, (rc.top + rc.bottom) / 2));
  EXPECT_EQ(kWhite, p.At(rc.right + 1, (rc.top + rc.bottom) / 2));
  p.picker->SetColor(RGB(100, 100, 101));
  p.Repaint();
  for (int y = 0; y < 300; ++y)
    ASSERT_EQ(kBack, p.At(rc.right + 2, y)) << y;
}

TEST(CellModels, DiffViewShowsCurrentAboveReferenceAndADragTakesTheReference) {
  const COLORREF kCurrent = RGB(200, 10, 10), kReference = RGB(10, 10, 200);
  PaintedPicker p(Kind::Diff, 60, 41, kCurrent);
  p.picker->SetReferenceColor(kReference);
  p.Paint();
  EXPECT_EQ(kCurrent, p.At(30, 5));
  EXPECT_EQ(kReference, p.At(30, 35));
  EXPECT_EQ(kBack, p.At(30, 40)); // the odd last row belongs to neither half
  p.picker->OnButtonDown(0, 30, 5);
  EXPECT_EQ(kCurrent, p.picker->m_clr);
  p.picker->OnTrack(0, 30, 30);
  EXPECT_EQ(kReference, p.picker->m_clr);
  p.picker->OnButtonUp(0, 30, 30);
  p.picker->OnTrack(0, 30, 5);
  EXPECT_EQ(kReference, p.picker->m_clr) << "no drag after the button is up";
}

} // namespace
