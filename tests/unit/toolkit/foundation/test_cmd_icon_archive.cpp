// The command icon's archive record: empty, bitmap and icon records written and read back.
#include "tests/unit/toolkit/foundation/cmd_icon_support.h"

#include <gtest/gtest.h>

namespace {

using namespace icontest;

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

// A 16 x 16 picture of four coloured quarters with a key-coloured diagonal.
Colors Quarters() {
  Colors colors;
  for (int i = 0; i < 256; ++i)
    colors.push_back(i % 16 == i / 16 ? kMagenta : RGB(i % 16 < 8 ? 200 : 20, i < 128 ? 40 : 160, 90));
  return colors;
}

DWORD DwordAt(const Bytes& bytes, size_t i) {
  return bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 | (DWORD)bytes[i + 3] << 24;
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
  EXPECT_EQ(kMagenta, DwordAt(bytes, bytes.size() - 4)) << "the key closes the record";
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
    EXPECT_EQ(info.xHotspot, DwordAt(bytes, 2));
    EXPECT_EQ(info.yHotspot, DwordAt(bytes, 6));
    CExtCmdIcon loaded;
    Load(loaded, bytes);
    ASSERT_FALSE(loaded.IsEmpty());
    EXPECT_EQ(icon.GetSize().cx, loaded.GetSize().cx);
    EXPECT_EQ(DrawnIcon(source.get(), 16, 16, kWhite), DrawnIcon(loaded.GetIcon(false), 16, 16, kWhite));
    EXPECT_EQ(bytes, Store(loaded)) << "stored again, the record is the same";
  }
}

} // namespace
