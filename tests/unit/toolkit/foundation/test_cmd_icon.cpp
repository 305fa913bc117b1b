// The command icon: generated check, radio and blank glyphs, the generated disabled look and how
// it is painted, the size rule of icons, copies and scaled copies, and its archive record (empty,
// bitmap and icon records written and read back).
#include "tests/unit/toolkit/foundation/cmd_icon_support.h"
#include "tests/unit/toolkit/foundation/ext_bitmap_support.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace icontest;

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

COLORREF Complement(COLORREF clr) {
  return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

// A picture as rows of characters: '.' key, 'I' ink, 'S' shade, '?' anything else.
std::vector<std::string> Grid(const Colors& colors, int cx, COLORREF clrKey, COLORREF clrInk) {
  std::vector<std::string> rows(colors.size() / cx, std::string(cx, '?'));
  for (size_t i = 0; i < colors.size(); ++i) {
    char& c = rows[i / cx][i % cx];
    c = colors[i] == clrKey ? '.' : colors[i] == clrInk ? 'I' : colors[i] == Complement(clrInk) ? 'S' : '?';
  }
  return rows;
}

// The check mark: two ink pixels per column, starting at these rows, with the shade below them.
std::vector<std::string> CheckMarkGrid(int cx, int cy, int x0, int y0) {
  static const int kFirstInkRow[7] = {2, 3, 4, 3, 2, 1, 0};
  std::vector<std::string> rows(cy, std::string(cx, '.'));
  for (int dx = 0; dx < 7; ++dx) {
    rows[y0 + kFirstInkRow[dx]][x0 + dx] = 'I';
    rows[y0 + kFirstInkRow[dx] + 1][x0 + dx] = 'I';
    rows[y0 + kFirstInkRow[dx] + 2][x0 + dx] = 'S';
  }
  return rows;
}

TEST(CmdIconGlyph, CheckMarkSitsBelowTheMiddleInInkAndShadeOverTheKey) {
  const struct {
    const char* name;
    COLORREF clrThemeInk, clrInk, clrKey;
    int cx, cy;
    COLORREF clrExpectedInk, clrExpectedKey;
    int x0, y0;
  } rows[] = {
      {"theme ink magenta takes the light green key", kMagenta, (COLORREF)-1, (COLORREF)-1, 16, 16, kMagenta,
       RGB(128, 255, 128), 5, 5},
      {"menu glyph 24 x 16", 0, RGB(0, 0, 128), kWhite, 24, 16, RGB(0, 0, 128), kWhite, 9, 5},
      {"own ink, default key", 0, RGB(10, 20, 30), (COLORREF)-1, 7, 7, RGB(10, 20, 30), kMagenta, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ThemeScope theme(-1, 0.0, row.clrThemeInk);
    CExtCmdIcon icon;
    void* pBits = NULL;
    ASSERT_TRUE(icon.CreateCheckGlyph(row.clrInk, row.clrKey, row.cx, row.cy, &pBits));
    EXPECT_EQ(row.clrExpectedKey, icon.GetKeyColor());
    EXPECT_EQ(row.clrInk == (COLORREF)-1 ? std::vector<int>{1010} : std::vector<int>{}, ThemeScope::s_asked);
    ASSERT_NE(nullptr, pBits);
    EXPECT_EQ(pixel_support::ToDib(row.clrExpectedKey), *static_cast<DWORD*>(pBits) & 0xFFFFFF);
    EXPECT_EQ(CheckMarkGrid(row.cx, row.cy, row.x0, row.y0),
              Grid(BitmapColors(icon.GetBitmap()), row.cx, row.clrExpectedKey, row.clrExpectedInk));
  }
}

TEST(CmdIconGlyph, RadioBulletIsAnInkDiscOverItsShadeAndBlankIsAllKey) {
  const COLORREF clrInk = RGB(0, 0, 128);
  CExtCmdIcon radio;
  ASSERT_TRUE(radio.CreateRadioGlyph(clrInk, (COLORREF)-1, 16, 16, NULL));
  std::vector<std::string> grid = Grid(BitmapColors(radio.GetBitmap()), 16, kMagenta, clrInk);
  std::string inBox;
  for (int y = 5; y < 12; ++y)
    inBox += grid[y].substr(5, 7), grid[y].replace(5, 7, 7, '.');
  EXPECT_EQ(std::vector<std::string>(16, std::string(16, '.')), grid) << "nothing outside the 7 x 7 box";
  EXPECT_EQ(std::string::npos, inBox.find('?')) << "ink, shade and key only";
  auto box = [&inBox](int x, int y) { return inBox[(y - 5) * 7 + x - 5]; };
  EXPECT_EQ('I', box(8, 8)) << "the disc's middle";
  EXPECT_EQ('S', box(8, 11)) << "the shade disc shows below the ink disc";
  EXPECT_EQ('S', box(11, 8)) << "and right of it";
  EXPECT_EQ('.', box(5, 5)) << "the box's corner stays clear";

  CExtCmdIcon blank;
  ASSERT_TRUE(blank.CreateBlankGlyph((COLORREF)-1, 24, 16, NULL));
  EXPECT_EQ(Colors(24 * 16, kMagenta), BitmapColors(blank.GetBitmap()));
}

// ---------------------------------------------------------------------------------------------
// The disabled look

// A 4 x 4 picture of one colour with its bottom-right pixel in the key, painted in state 3 over a
// backdrop with a blue brush: the first pixel shows the look, the last the backdrop.
TEST(CmdIconDisabled, GreyIsLuminanceLiftedByTheFactorThenTintedThreeQuarters) {
  const COLORREF kBackdrop = RGB(1, 2, 3), kBlue = RGB(0, 0, 255);
  const struct {
    const char* name;
    COLORREF clrPixel;
    int nTint;
    double dFactor;
    COLORREF clrExpected;
  } rows[] = {
      {"black, white tint, 0.7 (v = 178)", RGB(0, 0, 0), (int)kWhite, 0.7, RGB(178, 178, 178)},
      {"red, white tint, 0.7 (v = 201)", RGB(255, 0, 0), (int)kWhite, 0.7, RGB(201, 201, 201)},
      {"red, blue tint, 0.7", RGB(255, 0, 0), (int)kBlue, 0.7, RGB(50, 50, 201)},
      {"white, red tint, no factor", kWhite, (int)RGB(255, 0, 0), 0.0, RGB(255, 63, 63)},
      {"green, white tint, darkened by half", RGB(0, 255, 0), (int)kWhite, -0.5, RGB(63, 63, 63)},
      {"grey, brown tint, 0.2 (v = 153)", RGB(128, 128, 128), (int)RGB(200, 100, 50), 0.2, RGB(128, 83, 60)},
      {"lifted past white is white", RGB(0, 0, 0), (int)kWhite, 1.4, kWhite},
      {"no tint: monochrome in the brush", RGB(0, 200, 0), -1, 0.7, kBlue},
  };
  HBRUSH hBrush = ::CreateSolidBrush(kBlue);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Colors colors(16, row.clrPixel);
    colors.back() = kMagenta;
    ExtBitmapPtr_t source = MakeBitmap(4, 4, colors);
    CExtCmdIcon icon(source.get(), kMagenta, NULL, true);
    icon.SetDisabledColor(row.nTint);
    icon.SetDisabledFactor(row.dFactor);
    pixel_support::DibSurface surface(4, 4, kBackdrop);
    const POINT pt = {0, 0};
    EXPECT_NE(0, icon.Paint(surface.hdc(), &pt, CExtCmdIcon::PaintDisabledGenerated, hBrush));
    EXPECT_EQ(row.clrExpected, surface.At(0, 0));
    EXPECT_EQ(kBackdrop, surface.At(3, 3)) << "key pixels stay transparent";
  }
  ::DeleteObject(hBrush);
}

class CCountingIcon : public CExtCmdIcon {
public:
  using CExtCmdIcon::CExtCmdIcon;
  int m_nGenerated = 0;
  bool GenerateDisabledIcon() override { return ++m_nGenerated, CExtCmdIcon::GenerateDisabledIcon(); }
};

TEST(CmdIconDisabled, MadeOnceAndAgainOnlyWhenTintFactorOrThemeChange) {
  ExtBitmapPtr_t source = MakeBitmap(2, 2, Colors(4, RGB(90, 90, 90)));
  CCountingIcon icon(source.get(), kMagenta, NULL, true);
  icon.SetDisabledColor((int)kWhite);
  icon.SetDisabledFactor(0.7);
  ASSERT_NE(nullptr, icon.GetDisabledIcon());
  icon.SetDisabledFactor(0.7);
  icon.SetDisabledColor((int)kWhite);
  icon.GetDisabledIcon();
  EXPECT_EQ(1, icon.m_nGenerated) << "the same values keep the look";
  EXPECT_EQ(0.7, icon.SetDisabledFactor(0.5));
  icon.GetDisabledIcon();
  EXPECT_EQ(2, icon.m_nGenerated);
  ThemeScope theme(-1, 0.0, 0);
  icon.OnSysColorChange();
  EXPECT_EQ(0.0, icon.GetDisabledFactor());
  EXPECT_EQ(nullptr, icon.GetDisabledIcon()) << "the classic theme has no generated look";
}

// ---------------------------------------------------------------------------------------------
// Sizes, copies and scaled copies

TEST(CmdIconSize, TwiceTheHotspotWhenBothDoubledBytesAreNonZeroElseTheBitmap) {
  const struct {
    POINT ptHotspot;
    SIZE expected;
  } rows[] = {{{8, 8}, {16, 16}}, {{12, 5}, {24, 10}},  {{0, 0}, {16, 16}},
              {{0, 8}, {16, 16}}, {{128, 8}, {16, 16}}, {{130, 4}, {4, 8}}}; // 256 is 0 in eight bits
  for (const auto& row : rows) {
    ExtIconPtr_t icon = MakeIcon(16, 16, Colors(256, kWhite), kMagenta, row.ptHotspot);
    const SIZE size = GetIconSize(icon.get()), copied = CExtCmdIcon(icon.get(), true).GetSize();
    EXPECT_EQ(row.expected.cx * 1000 + row.expected.cy, size.cx * 1000 + size.cy) << row.ptHotspot.x;
    EXPECT_EQ(size.cx * 1000 + size.cy, copied.cx * 1000 + copied.cy) << "copies take the same rule";
  }
  EXPECT_EQ(0, GetIconSize(NULL).cx);
}

TEST(CmdIconCopy, CopiesOwnTheirPicturesAndCopyingTheHeldIconKeepsIt) {
  ExtIconPtr_t source = MakeIcon(16, 16, Colors(256, RGB(0, 0, 255)), kMagenta);
  CExtCmdIcon icon(source.get(), true);
  icon.AssignFromHIcon(icon.GetIcon(false), true);
  ASSERT_FALSE(icon.IsEmpty()) << "the copy is made before the held icon goes";
  CExtCmdIcon copy(icon);
  EXPECT_NE(icon.GetIcon(false), copy.GetIcon(false));
  EXPECT_EQ(DrawnIcon(source.get(), 16, 16, kWhite), DrawnIcon(copy.GetIcon(false), 16, 16, kWhite));
  const HICON hDetached = copy.DetachIcon(false);
  EXPECT_TRUE(copy.IsEmpty());
  EXPECT_TRUE(::DestroyIcon(hDetached)) << "the caller owns the detached icon";
}

TEST(CmdIconCopy, ScaledCopiesKeepTheirKindAndTransparency) {
  Colors colors(16, RGB(200, 0, 0));
  colors[0] = kMagenta;
  ExtBitmapPtr_t bitmap = MakeBitmap(4, 4, colors);
  ExtIconPtr_t hIcon = MakeIcon(4, 4, colors, kMagenta);
  CExtCmdIcon fromBitmap(bitmap.get(), kMagenta, NULL, true), fromIcon(hIcon.get(), true);
  for (CExtCmdIcon* pSource : {&fromBitmap, &fromIcon}) {
    CExtCmdIcon scaled;
    ASSERT_TRUE(scaled.CreateScaledCopy(*pSource, 8, 8));
    EXPECT_EQ(pSource->IsBitmapBased(), scaled.IsBitmapBased());
    Colors expected(64, RGB(200, 0, 0));
    expected[0] = expected[1] = expected[8] = expected[9] = kWhite; // the key pixel grew to 2 x 2
    EXPECT_EQ(expected, DrawnIcon(scaled.GetIcon(false), 8, 8, kWhite));
  }
  EXPECT_TRUE(fromIcon.CreateScaledCopy(fromIcon, 2, 2)) << "scaling an icon into itself keeps a picture";
  EXPECT_EQ(2, fromIcon.GetSize().cx);
}

// ---------------------------------------------------------------------------------------------
// The archive record

// A 16 x 16 picture of four coloured quarters with a key-coloured diagonal.
Colors Quarters() {
  Colors colors;
  for (int i = 0; i < 256; ++i)
    colors.push_back(i % 16 == i / 16 ? kMagenta : RGB(i % 16 < 8 ? 200 : 20, i < 128 ? 40 : 160, 90));
  return colors;
}

TEST(CmdIconArchive, EmptyIconIsOneZeroByteAndLoadingEmptiesFirst) {
  CExtCmdIcon empty;
  EXPECT_EQ(Bytes{0}, Store(empty));
  ExtBitmapPtr_t bitmap = MakeBitmap(2, 2, Colors(4, kWhite));
  CExtCmdIcon icon(bitmap.get(), kMagenta, NULL, true);
  Load(icon, Bytes{0});
  EXPECT_TRUE(icon.IsEmpty());
}

TEST(CmdIconArchive, BitmapRecordIsBmpThenKeyAndComesBackPixelForPixel) {
  ExtBitmapPtr_t bitmap = MakeBitmap(16, 16, Quarters());
  CExtCmdIcon icon(bitmap.get(), kMagenta, NULL, true);
  const Bytes bytes = Store(icon);
  ASSERT_GT(bytes.size(), 1u + 14 + 40 + 4);
  EXPECT_EQ(Bytes({1, 'B', 'M'}), Bytes(bytes.begin(), bytes.begin() + 3));
  EXPECT_EQ(kMagenta, bmptest::DwordAt(bytes, bytes.size() - 4)) << "the key closes the record";
  CExtCmdIcon loaded;
  Load(loaded, bytes);
  ASSERT_TRUE(loaded.IsBitmapBased());
  EXPECT_EQ(kMagenta, loaded.GetKeyColor());
  EXPECT_EQ(Quarters(), BitmapColors(loaded.GetBitmap()));
}

TEST(CmdIconArchive, IconRecordKeepsFlagsHotspotAndLook) {
  const struct {
    POINT ptHotspot;
    BYTE nFlags; // fIcon, colour bitmap, mask bitmap
  } rows[] = {{{-1, -1}, 7}, {{5, 3}, 6}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ptHotspot.x);
    ExtIconPtr_t source = MakeIcon(16, 16, Quarters(), kMagenta, row.ptHotspot);
    CExtCmdIcon icon(source.get(), true);
    const Bytes bytes = Store(icon);
    ASSERT_GT(bytes.size(), 10u);
    EXPECT_EQ(2, bytes[0]);
    EXPECT_EQ(row.nFlags, bytes[1]);
    ExtIconInfo_t info;
    ASSERT_TRUE(info.Read(source.get()));
    EXPECT_EQ(info.xHotspot, bmptest::DwordAt(bytes, 2));
    EXPECT_EQ(info.yHotspot, bmptest::DwordAt(bytes, 6));
    CExtCmdIcon loaded;
    Load(loaded, bytes);
    ASSERT_FALSE(loaded.IsEmpty());
    EXPECT_EQ(icon.GetSize().cx, loaded.GetSize().cx);
    EXPECT_EQ(DrawnIcon(source.get(), 16, 16, kWhite), DrawnIcon(loaded.GetIcon(false), 16, 16, kWhite));
    EXPECT_EQ(bytes, Store(loaded)) << "stored again, the record is the same";
  }
}

} // namespace
