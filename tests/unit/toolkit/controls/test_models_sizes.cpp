// Pickers at every small size, panels and the wheel on a palette screen painted as 4 x 4 blocks,
// and a gallery of every picker.
#include "tests/unit/toolkit/controls/models_support.h"

namespace {

using PanelPicker = Ctrl::hsl_panel_data_t;

// Every picker at every size up to 64 x 64 builds, paints and takes clicks and drags at its
// corners and centre without a fault.
class SmallSizes : public testing::TestWithParam<Kind> {};

TEST_P(SmallSizes, EverySizeUpTo64PaintsAndHitTests) {
  pixel_support::DibSurface surface(70, 70, kBack);
  auto picker = MakePicker(GetParam());
  for (int cy = 0; cy <= 64; ++cy) {
    for (int cx = 0; cx <= 64; ++cx) {
      // Geometry-only size changes in between, as the control makes them.
      picker->Build(&surface.dc(), NULL, cx, cy, (cx + cy) % 2 == 0);
      ASSERT_TRUE(picker->m_nWidth >= 1 && picker->m_nHeight >= 1) << cx << "," << cy;
      picker->SetColor(RGB(cx * 4, cy * 4, 128));
      picker->SetReferenceColor(RGB(0, 128, 255));
      picker->Paint(&surface.dc(), NULL);
      for (const POINT& pt :
           {POINT{0, 0}, POINT{cx / 2, cy / 2}, POINT{cx - 1, cy - 1}, POINT{cx, 0}, POINT{-5, cy + 5}}) {
        picker->OnButtonDown(0, pt.x, pt.y);
        picker->OnTrack(MK_LBUTTON | MK_CONTROL, pt.x + 3, pt.y - 3);
        picker->OnTrack(MK_LBUTTON, cx - pt.x, cy - pt.y);
        picker->OnButtonUp(0, pt.x, pt.y);
      }
      picker->SetHLS(0.7, 0.4, 0.9);
    }
    picker->Release();
  }
}

INSTANTIATE_TEST_SUITE_P(Models, SmallSizes, testing::ValuesIn(AllKinds()),
                         testing::PrintToStringParamName());

TEST(SmallSizes, PickersWithoutRoomPaintNothing) {
  // Panels need the margins and a bar of 20 under at least one row; cubes a square inside 5 pixels.
  for (Kind k : {Kind::HslPanel, Kind::BasicHue, Kind::Roller, Kind::AxisRed, Kind::RgbCube, Kind::CmyCube}) {
    const int cx = 10, cy = k == Kind::RgbCube || k == Kind::CmyCube ? 10 : 32;
    PaintedPicker p(k, cx, cy, RGB(40, 50, 60));
    p.Paint();
    EXPECT_EQ(std::vector<COLORREF>(cx * cy, kBack), p.surface.Pixels()) << k;
    EXPECT_EQ(RGB(40, 50, 60), p.Click(cx / 2, cy / 2)) << k;
  }
  PaintedPicker q(Kind::HslPanel, 10, 33, RGB(40, 50, 60));
  q.Paint();
  EXPECT_NE(kBack, q.At(4, 4)) << "one row of panel is room enough";
}

// Each 4 x 4 block at (x, y) in the colour of its sample.
void ExpectBlock(const PaintedPicker& p, int x, int y, COLORREF clr) {
  for (int i = 0; i < 16; ++i)
    ASSERT_EQ(clr, p.At(x + i % 4, y + i / 4)) << x << "," << y;
}

TEST(PaletteScreen, PanelsBarsAndTheWheelArePaintedInBlocksOfFour) {
  ForcedScreenDepth depth(8);
  for (Kind k : {Kind::HslPanel, Kind::BasicHue, Kind::AxisGreen, Kind::AxisYellow}) {
    SCOPED_TRACE(KindName(k));
    PaintedPicker p(k, 160, 180, RGB(200, 60, 90));
    p.Paint();
    const auto& m = p.As<PanelPicker>();
    const POINT o = m.PanelOrigin(), b = m.BarOrigin(), marker = m.PanelMarker();
    for (int y = 8; y + 4 <= m.m_nPanelHeight; y += 20)
      for (int x = 8; x + 4 <= m.m_nPanelWidth; x += 24)
        if (std::abs(x - marker.x) >= 10 || std::abs(y - marker.y) >= 10)
          ExpectBlock(p, o.x + x, o.y + y, m.PanelColorAt(x, y));
    // Bar blocks end at every fourth column from the right, each in the colour of its last column.
    for (int x = m.m_nBarWidth - 1; x >= 3; x -= 12)
      if (std::abs(x - m.BarMarker()) >= 10)
        ExpectBlock(p, b.x + x - 3, b.y + 2, m.BarColorAt(x));
  }
  // The wheel's blocks lie around every fourth pixel.
  PaintedPicker w(Kind::Roller, 160, 180, RGB(128, 128, 128));
  w.Paint();
  const auto& m = w.As<Ctrl::hsl_roller_data_t>();
  int nChecked = 0;
  for (int y = (m.m_nCenterY - 40) / 4 * 4; y <= m.m_nCenterY + 40; y += 4)
    for (int x = (m.m_nCenterX - 40) / 4 * 4; x <= m.m_nCenterX + 40; x += 4)
      if ((std::abs(x - m.m_nCenterX) >= 8 || std::abs(y - m.m_nCenterY) >= 8) && ++nChecked)
        ExpectBlock(w, m.m_nMargin + x - 2, m.m_nMargin + y - 2,
                    WheelColour(x - m.m_nCenterX, y - m.m_nCenterY, m.m_nRadius));
  EXPECT_GT(nChecked, 200);
}

// Every picker side by side at the size of the colour dialog's picker, saved for a person to look
// at; each covers a good part of its cell (the grey mixer's one column is the narrowest).
TEST(Gallery, EveryPickerPaintsMostOfItsArea) {
  const int kCell = 200, kCols = 4;
  pixel_support::DibSurface gallery(kCell * kCols, kCell * 4, kBack);
  for (Kind k : AllKinds()) {
    PaintedPicker p(k, kCell, kCell, RGB(40, 160, 220));
    p.Paint();
    const auto& px = p.surface.Pixels();
    EXPECT_GT(px.size() - std::count(px.begin(), px.end(), kBack), (size_t)kCell * kCell / 5) << k;
    ::BitBlt(gallery.hdc(), (int)k % kCols * kCell, (int)k / kCols * kCell, kCell, kCell, p.surface.hdc(), 0,
             0, SRCCOPY);
  }
  EXPECT_FALSE(
      pixel_support::SaveBmp({kCell * kCols, kCell * 4, gallery.Pixels()}, "models_gallery.bmp").empty());
}

} // namespace
