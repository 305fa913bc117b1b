// The cell pickers: the honeycomb, the mixers and the view of the current colour above the
// reference colour, painted into a 32-bit DIB and clicked.
#include "tests/unit/toolkit/controls/models_support.h"

#include <set>
#include <vector>

namespace {

const COLORREF kBack = RGB(7, 7, 9);
const COLORREF kWhite = RGB(255, 255, 255);

Ctrl::cell_based_data_t& Cells(PaintedPicker& p) { return static_cast<Ctrl::cell_based_data_t&>(*p.picker); }

POINT Centre(const Ctrl::cell_t& cell) {
  if (!cell.m_bHexagon)
    return {(cell.m_rc.left + cell.m_rc.right) / 2, (cell.m_rc.top + cell.m_rc.bottom) / 2};
  return {cell.m_pts[1].x, (cell.m_pts[1].y + cell.m_pts[4].y) / 2};
}

// Every cell of every cell picker shows its colour at its centre, and a click there picks what
// that cell stands for.
class CellPickers : public testing::TestWithParam<Kind> {};

// A point of the cell that no other cell covers, so that what is shown there is what a click
// there picks; false when neighbours cover all of it.
bool OwnPoint(const Ctrl::cell_based_data_t& m, INT_PTR nCell, POINT& pt) {
  const Ctrl::cell_t& cell = m.m_arrCells[nCell];
  const POINT c = Centre(cell);
  const int nTop = cell.m_bHexagon ? c.y : cell.m_rc.top,
            nBottom = cell.m_bHexagon ? c.y + 1 : cell.m_rc.bottom;
  for (int y = nTop; y < nBottom; ++y) {
    int nCovering = 0;
    for (INT_PTR i = 0; i < m.m_arrCells.GetSize() && nCovering < 2; ++i)
      nCovering += m.m_arrCells[i].HitTest(c.x, y) ? 1 : 0;
    if (nCovering == 1 && cell.HitTest(c.x, y)) {
      pt = {c.x, y};
      return true;
    }
  }
  return false;
}

// The cells a picker frames as selected for a colour.
std::vector<INT_PTR> SelectedCells(Kind k, COLORREF clr) {
  if (k == Kind::RgbMixer || k == Kind::CmyMixer) {
    const COLORREF a = k == Kind::CmyMixer ? PM::InvertColor(clr) : clr;
    return {GetRValue(a), 256 + GetGValue(a), 512 + GetBValue(a)};
  }
  return {}; // the colour below is no grey and in no honeycomb cell
}

TEST_P(CellPickers, EveryCellShowsItsColourAndAClickOnItPicksIt) {
  const COLORREF kColour = RGB(3, 250, 1);
  PaintedPicker p(GetParam(), 300, 330, kColour, kBack);
  p.Paint();
  auto& m = Cells(p);
  ASSERT_GT(m.m_arrCells.GetSize(), 1);
  const std::vector<INT_PTR> selected = SelectedCells(GetParam(), kColour);
  int nChecked = 0;
  for (INT_PTR i = 0; i < m.m_arrCells.GetSize(); i += (m.m_arrCells.GetSize() > 2 ? 7 : 1)) {
    const Ctrl::cell_t& cell = m.m_arrCells[i];
    POINT pt;
    if (!OwnPoint(m, i, pt))
      continue;
    bool bNearSelection = false;
    for (INT_PTR s : selected) {
      const RECT& rc = m.m_arrCells[s].m_rc;
      bNearSelection |=
          pt.x >= rc.left - 3 && pt.x < rc.right + 3 && pt.y >= rc.top - 3 && pt.y < rc.bottom + 3;
    }
    if (bNearSelection)
      continue;
    const COLORREF clrShown = p.At(pt.x, pt.y);
    ASSERT_EQ(cell.m_clr, clrShown) << "cell " << i;
    p.picker->SetColor(kColour);
    const COLORREF clrPicked = p.Click(pt.x, pt.y);
    if (GetParam() == Kind::RgbMixer || GetParam() == Kind::CmyMixer) {
      // One channel of the colour: the cell's column takes the cell's value.
      const bool cmy = GetParam() == Kind::CmyMixer;
      const COLORREF before = cmy ? PM::InvertColor(kColour) : kColour;
      BYTE b[3] = {GetRValue(before), GetGValue(before), GetBValue(before)};
      b[i / 256] = (BYTE)(i % 256);
      const COLORREF expected = RGB(b[0], b[1], b[2]);
      EXPECT_EQ(cmy ? PM::InvertColor(expected) : expected, clrPicked) << "cell " << i;
    } else {
      EXPECT_EQ(clrShown, clrPicked) << "cell " << i;
    }
    ++nChecked;
  }
  EXPECT_GT(nChecked, 1);
}

INSTANTIATE_TEST_SUITE_P(Models, CellPickers,
                         testing::Values(Kind::Honeycomb, Kind::GreyMixer, Kind::RgbMixer, Kind::CmyMixer,
                                         Kind::Diff),
                         [](const testing::TestParamInfo<Kind>& i) {
                           return std::string(KindName(i.param));
                         });

TEST(CellModels, HoneycombColoursFollowTheirRings) {
  PaintedPicker p(Kind::Honeycomb, 256, 300, kWhite, kBack);
  auto& m = Cells(p);
  ASSERT_EQ(144, m.m_arrCells.GetSize());
  EXPECT_EQ(kWhite, m.m_arrCells[0].m_clr);
  // Hues are taken at the cells' centres; the top corners lie the same way to each other.
  const POINT o = m.m_arrCells[0].m_pts[1];
  std::set<COLORREF> seen;
  int nCell = 1;
  for (int r = 1; r <= 6; ++r) {
    for (int k = 0; k < 6 * r; ++k, ++nCell) {
      const POINT c = m.m_arrCells[nCell].m_pts[1];
      const double dHue = (int)(atan2((double)(c.y - o.y), (double)(c.x - o.x)) * 57.29577951308239);
      EXPECT_EQ(PM::HslDegreesToRgb(dHue, (7 - r) / 7.0 + 0.1, 1.0), m.m_arrCells[nCell].m_clr) << nCell;
      seen.insert(m.m_arrCells[nCell].m_clr);
    }
  }
  EXPECT_GT(seen.size(), 100u) << "the rings repeat colours";
  EXPECT_EQ(kWhite, m.m_arrCells[127].m_clr);
  for (int k = 1; k <= 15; ++k)
    EXPECT_EQ(RGB(255 - 15 * k, 255 - 15 * k, 255 - 15 * k), m.m_arrCells[127 + k].m_clr);
  EXPECT_EQ(RGB(0, 0, 0), m.m_arrCells[143].m_clr);
}

TEST(CellModels, WhiteIsPickedFromTheCentreAndTheGreyRowAndShownTwice) {
  PaintedPicker p(Kind::Honeycomb, 256, 300, RGB(30, 30, 30), kBack);
  p.Paint();
  auto& m = Cells(p);
  const POINT centre = Centre(m.m_arrCells[0]), bigWhite = Centre(m.m_arrCells[127]);
  // A selected hexagon is framed black just above its top corner.
  const auto framed = [&](const Ctrl::cell_t& cell) {
    bool bBlack = false;
    for (int y = cell.m_pts[1].y - 3; y <= cell.m_pts[1].y; ++y)
      bBlack |= p.At(cell.m_pts[1].x, y) == RGB(0, 0, 0);
    return bBlack;
  };
  EXPECT_FALSE(framed(m.m_arrCells[0]));
  EXPECT_FALSE(framed(m.m_arrCells[127]));
  EXPECT_EQ(kWhite, p.Click(bigWhite.x, bigWhite.y));
  p.picker->SetColor(RGB(30, 30, 30));
  EXPECT_EQ(kWhite, p.Click(centre.x, centre.y));
  p.surface.Fill(kBack);
  p.Paint();
  EXPECT_TRUE(framed(m.m_arrCells[0]));
  EXPECT_TRUE(framed(m.m_arrCells[127]));
  pixel_support::SaveBmp({256, 300, p.surface.Pixels()}, "models_honeycomb.bmp");
}

TEST(CellModels, GeometryOnlyBuildKeepsColoursAndMovesCorners) {
  PaintedPicker p(Kind::Honeycomb, 200, 220, kWhite, kBack);
  auto& m = Cells(p);
  m.m_arrCells[5].m_clr = RGB(1, 2, 3); // a colour no build gives
  const POINT before = m.m_arrCells[5].m_pts[0];
  m.Build(&p.surface.dc(), NULL, 320, 340, true);
  EXPECT_EQ(RGB(1, 2, 3), m.m_arrCells[5].m_clr);
  Ctrl::cell_based_data_t fresh;
  fresh.Build(NULL, NULL, 320, 340, false);
  for (int i = 0; i < 144; ++i)
    for (int k = 0; k < 6; ++k) {
      EXPECT_EQ(fresh.m_arrCells[i].m_pts[k].x, m.m_arrCells[i].m_pts[k].x) << i;
      EXPECT_EQ(fresh.m_arrCells[i].m_pts[k].y, m.m_arrCells[i].m_pts[k].y) << i;
    }
  EXPECT_NE(before.x, m.m_arrCells[5].m_pts[0].x);
  m.Build(NULL, NULL, 320, 340, false);
  EXPECT_EQ(fresh.m_arrCells[5].m_clr, m.m_arrCells[5].m_clr);
}

TEST(CellModels, GreyMixerSelectsOnlyGreys) {
  PaintedPicker p(Kind::GreyMixer, 200, 300, RGB(100, 100, 100), kBack);
  p.Paint();
  auto& m = Cells(p);
  const RECT rc = m.m_arrCells[100].m_rc;
  // The selected cell's frame reaches three pixels right of the column.
  EXPECT_EQ(RGB(0, 0, 0), p.At(rc.right + 2, (rc.top + rc.bottom) / 2));
  EXPECT_EQ(kWhite, p.At(rc.right + 1, (rc.top + rc.bottom) / 2));
  p.picker->SetColor(RGB(100, 100, 101));
  p.surface.Fill(kBack);
  p.Paint();
  for (int y = 0; y < 300; ++y)
    ASSERT_EQ(kBack, p.At(rc.right + 2, y)) << y;
}

TEST(CellModels, DiffViewShowsCurrentAboveReference) {
  PaintedPicker p(Kind::Diff, 60, 41, RGB(200, 10, 10), kBack);
  p.picker->SetReferenceColor(RGB(10, 10, 200));
  p.Paint();
  EXPECT_EQ(RGB(200, 10, 10), p.At(30, 5));
  EXPECT_EQ(RGB(10, 10, 200), p.At(30, 35));
  EXPECT_EQ(kBack, p.At(30, 40)); // the odd last row belongs to neither half
  // A drag from the upper half into the lower one makes the reference colour current.
  p.picker->OnButtonDown(0, 30, 5);
  EXPECT_EQ(RGB(200, 10, 10), p.picker->m_clr);
  p.picker->OnTrack(0, 30, 30);
  EXPECT_EQ(RGB(10, 10, 200), p.picker->m_clr);
  p.picker->OnButtonUp(0, 30, 30);
  p.picker->OnTrack(0, 30, 5);
  EXPECT_EQ(RGB(10, 10, 200), p.picker->m_clr) << "no drag after the button is up";
}

TEST(CellModels, ClickBetweenCellsChangesNothing) {
  PaintedPicker p(Kind::Honeycomb, 256, 300, RGB(30, 40, 50), kBack);
  p.Paint();
  EXPECT_EQ(kBack, p.At(2, 2));
  EXPECT_EQ(RGB(30, 40, 50), p.Click(2, 2));
  PaintedPicker q(Kind::RgbMixer, 256, 300, RGB(30, 40, 50), kBack);
  q.Paint();
  EXPECT_EQ(RGB(30, 40, 50), q.Click(128, 2));
}

} // namespace
