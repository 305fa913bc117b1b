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
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      colors.push_back(x == y ? kMagenta : RGB(x < 8 ? 200 : 20, y < 8 ? 40 : 160, 90));
  return colors;
}

TEST(CmdIconArchive, EmptyIconIsOneZeroByteAndLoadsEmpty) {
  CExtCmdIcon empty;
  EXPECT_EQ(Bytes{0}, Store(empty));
  ExtBitmapPtr_t bitmap = MakeBitmap(2, 2, Colors(4, kWhite));
  CExtCmdIcon icon(bitmap.get(), kMagenta, NULL, true);
  Load(icon, Bytes{0});
  EXPECT_TRUE(icon.IsEmpty()) << "loading empties the object first";
}

TEST(CmdIconArchive, BitmapRecordIsBmpAndKeyAndComesBackPixelForPixel) {
  ExtBitmapPtr_t bitmap = MakeBitmap(16, 16, Quarters());
  CExtCmdIcon icon(bitmap.get(), kMagenta, NULL, true);
  const Bytes bytes = Store(icon);
  ASSERT_GT(bytes.size(), 1u + 14 + 40 + 4);
  EXPECT_EQ(1, bytes[0]);
  EXPECT_EQ('B', bytes[1]);
  EXPECT_EQ('M', bytes[2]);
  EXPECT_EQ(Bytes({0xFF, 0x00, 0xFF, 0x00}), Bytes(bytes.end() - 4, bytes.end()))
      << "the key closes the record";

  CExtCmdIcon loaded;
  Load(loaded, bytes);
  ASSERT_TRUE(loaded.IsBitmapBased());
  EXPECT_EQ(kMagenta, loaded.GetKeyColor());
  EXPECT_EQ(16, loaded.GetSize().cx);
  EXPECT_EQ(16, loaded.GetSize().cy);
  EXPECT_EQ(Quarters(), BitmapColors(loaded.GetBitmap()));
}

TEST(CmdIconArchive, IconRecordKeepsFlagsHotspotAndLook) {
  const struct {
    const char* name;
    POINT ptHotspot;
    BYTE nFlags;
  } rows[] = {
      {"icon", {-1, -1}, 7},
      {"cursor form", {5, 3}, 6},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ExtIconPtr_t source = MakeIcon(16, 16, Quarters(), kMagenta, row.ptHotspot);
    CExtCmdIcon icon(source.get(), true);
    const Bytes bytes = Store(icon);
    ASSERT_GT(bytes.size(), 10u);
    EXPECT_EQ(2, bytes[0]);
    EXPECT_EQ(row.nFlags, bytes[1]) << "fIcon, colour bitmap, mask bitmap";
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(source.get(), &info));
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    EXPECT_EQ(info.xHotspot, (DWORD)(bytes[2] | bytes[3] << 8 | bytes[4] << 16 | bytes[5] << 24));
    EXPECT_EQ(info.yHotspot, (DWORD)(bytes[6] | bytes[7] << 8 | bytes[8] << 16 | bytes[9] << 24));

    CExtCmdIcon loaded;
    Load(loaded, bytes);
    ASSERT_FALSE(loaded.IsEmpty());
    EXPECT_FALSE(loaded.IsBitmapBased());
    EXPECT_EQ(icon.GetSize().cx, loaded.GetSize().cx);
    EXPECT_EQ(icon.GetSize().cy, loaded.GetSize().cy);
    EXPECT_EQ(DrawnIcon(source.get(), 16, 16, kWhite), DrawnIcon(loaded.GetIcon(false), 16, 16, kWhite));
    EXPECT_EQ(bytes, Store(loaded)) << "stored again, the record is the same";
  }
}

TEST(CmdIconArchive, TruncatedRecordThrowsAndLeavesAnEmptyIcon) {
  ExtBitmapPtr_t bitmap = MakeBitmap(16, 16, Quarters());
  CExtCmdIcon icon(bitmap.get(), kMagenta, NULL, true);
  Bytes bytes = Store(icon);
  bytes.resize(bytes.size() - 2);
  CExtCmdIcon loaded(bitmap.get(), kMagenta, NULL, true);
  bool bThrown = false;
  try {
    Load(loaded, bytes);
  } catch (CException* e) {
    e->Delete();
    bThrown = true;
  }
  EXPECT_TRUE(bThrown) << "the archive's end-of-file reaches the caller";
  EXPECT_TRUE(loaded.IsEmpty()) << "the bitmap read before the missing key is not kept";
}

} // namespace
