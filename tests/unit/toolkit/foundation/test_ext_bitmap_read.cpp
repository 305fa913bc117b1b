// Reading BMP streams of every kind the bitmap knows into known 32-bit pixels, and refusing
// broken ones.
#include "tests/unit/toolkit/foundation/ext_bitmap_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

using namespace bmptest;

namespace {

// Distinct colours: entry i is red i, green 255 - i, blue i / 2.
std::vector<DWORD> Ramp(int n) {
  std::vector<DWORD> colors;
  for (DWORD i = 0; i < (DWORD)n; i++)
    colors.push_back(i << 16 | (255 - i) << 8 | i / 2);
  return colors;
}
DWORD R(int i) { return Opaque(Ramp(256)[i]); }
// The ramp's colours of these entries.
Pixels Rs(std::initializer_list<int> entries) {
  Pixels px;
  for (int i : entries)
    px.push_back(R(i));
  return px;
}

struct ReadCase {
  const char* name;
  BmpLayout layout;
  Pixels expected; // top row first
};

const DWORD kA = 0xFF102030, kB = 0xFFA0B0C0, kBlack = 0xFF000000;
const std::vector<DWORD> k565 = {0xF800, 0x7E0, 0x1F};

std::vector<ReadCase> ReadCases() {
  BmpLayout v4 = {16, 3, 1, BI_BITFIELDS, {}, {0xFF, 0xFF, 0xE0, 0x07, 0x21, 0x08, 0, 0}, k565};
  v4.nHeaderSize = 108;
  BmpLayout noFileHeader = {8, 2, 1, BI_RGB, Ramp(256), {7, 9, 0, 0}};
  noFileHeader.bFileHeader = false;
  BmpLayout moreColors = {8, 3, 2, BI_RGB, Ramp(256), {0, 128, 255, 0, 1, 2, 3, 0}};
  moreColors.nClrUsed = 300;
  BmpLayout colorsCut = {8, 2, 1, BI_RGB, {}, {}};
  colorsCut.nClrUsed = 2;
  return {
      {"bpp1",
       {1, 10, 2, BI_RGB, {0x102030, 0xA0B0C0}, {0xAA, 0x80, 0, 0, 0x07, 0xC0, 0, 0}},
       {kA, kA, kA, kA, kA, kB, kB, kB, kB, kB, kB, kA, kB, kA, kB, kA, kB, kA, kB, kA}},
      // Entries past the three given stay black.
      {"bpp4_three_colors",
       {4, 4, 1, BI_RGB, {0x112233, 0x445566, 0x778899}, {0x25, 0x01, 0, 0}},
       {0xFF778899, kBlack, 0xFF112233, 0xFF445566}},
      {"bpp8_more_colors_than_the_palette", moreColors, Rs({1, 2, 3, 0, 128, 255})},
      {"bpp8_top_down",
       {8, 3, -2, BI_RGB, Ramp(256), {0, 128, 255, 0, 1, 2, 3, 0}},
       Rs({0, 128, 255, 1, 2, 3})},
      {"bpp8_no_file_header", noFileHeader, Rs({7, 9})},
      // A run, an odd absolute run; a delta and a run cut at the row's end; end of bitmap.
      {"rle8",
       {8, 6, 3, BI_RLE8, Ramp(16), {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 4, 0, 5, 9, 0, 0, 0, 1}},
       Rs({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 7, 7, 7, 1, 2, 3})},
      // Absolute runs and runs crossing the row's end keep only what fits.
      {"rle8_cut_at_the_rows_end",
       {8, 4, 2, BI_RLE8, Ramp(16), {0, 2, 2, 0, 0, 5, 1, 2, 3, 4, 5, 0, 0, 0, 0, 2, 3, 0, 3, 9, 0, 1}},
       Rs({0, 0, 0, 9, 0, 0, 1, 2})},
      {"rle4_cut_at_the_rows_end",
       {4, 8, 2, BI_RLE4, Ramp(16), {0, 2, 6, 0, 0, 4, 0x12, 0x34, 0, 0, 0, 1}},
       Rs({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2})},
      // Runs and absolute runs starting at odd pixels take their nibbles high one first; a
      // delta moves by pixels.
      {"rle4_odd_starts",
       {4, 5, 3, BI_RLE4, Ramp(16), {1,    0x12, 3, 0x34, 0, 0, 0,    2,    1,    0, 0, 3,
                                     0x56, 0x70, 0, 0,    0, 5, 0x89, 0xAB, 0xC0, 0, 0, 1}},
       Rs({8, 9, 10, 11, 12, 0, 5, 6, 7, 0, 1, 3, 4, 3, 0})},
      {"bpp16_555",
       {16, 3, 1, BI_RGB, {}, {0xFF, 0x7F, 0x00, 0x7C, 0x10, 0x00, 0, 0}},
       {0xFFFFFFFF, 0xFFFF0000, 0xFF000083}},
      {"bpp16_565_bit_fields",
       {16, 3, 1, BI_BITFIELDS, {}, {0xFF, 0xFF, 0xE0, 0x07, 0x21, 0x08, 0, 0}, k565},
       {0xFFFFFFFF, 0xFF00FF00, 0xFF080408}},
      {"bpp16_565_version4_header", v4, {0xFFFFFFFF, 0xFF00FF00, 0xFF080408}},
      {"bpp24",
       {24, 2, 2, BI_RGB, {}, {0x56, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0}},
       {0xFF030201, 0xFF060504, 0xFF123456, 0xFFABCDEF}},
      // 32-bit data keeps its fourth byte.
      {"bpp32", {32, 2, 1, BI_RGB, {}, {0x56, 0x34, 0x12, 0x80, 1, 2, 3, 0}}, {0x80123456, 0x00030201}},
      {"bpp32_bit_fields",
       {32, 2, 1, BI_BITFIELDS, {}, {0x56, 0x34, 0x12, 0x80, 1, 2, 3, 0}, {0xFF0000, 0xFF00, 0xFF}},
       {0x80123456, 0x00030201}},
      // A stream that ends early leaves the rest zero: colours, rows, a row's last bytes, the
      // pixels run-length data no longer reaches.
      {"bpp8_cut_in_the_colour_table", colorsCut, {kBlack, kBlack}},
      {"bpp24_cut_in_the_rows",
       {24, 2, 2, BI_RGB, {}, {1, 2, 3, 4, 5}},
       {kBlack, kBlack, 0xFF030201, 0xFF000504}},
      {"bpp32_cut_in_a_pixel", {32, 2, 1, BI_RGB, {}, {0x56, 0x34, 0x12, 0x80, 1}}, {0x80123456, 0x00000001}},
      {"rle8_cut_in_a_run", {8, 4, 2, BI_RLE8, Ramp(16), {3, 7, 0, 0, 2}}, Rs({0, 0, 0, 0, 7, 7, 7, 0})},
      {"rle4_cut_in_an_absolute_run",
       {4, 6, 1, BI_RLE4, Ramp(16), {0, 6, 0x12, 0x34}},
       Rs({1, 2, 3, 4, 0, 0})},
  };
}

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadTest : public testing::TestWithParam<ReadCase> {};

// Converted while read, and read as it is then converted.
TEST_P(ReadTest, GivesTheKnownPixels) {
  const ReadCase& c = GetParam();
  for (bool b32 : {true, false}) {
    CExtBitmap bitmap;
    ASSERT_TRUE(Load(bitmap, MakeBmp(c.layout), b32, true, !c.layout.bFileHeader));
    ASSERT_TRUE(bitmap.ConvertTo32(true));
    EXPECT_EQ(PixelsOf(bitmap), c.expected) << (b32 ? "converted while read" : "converted after");
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReadTest, testing::ValuesIn(ReadCases()),
                         [](const testing::TestParamInfo<ReadCase>& i) { return i.param.name; });

// Unknown depths fail quietly even when asked to throw; palette data with masks throws then.
TEST(ExtBitmapRead, UnreadableKindsFailAndThrowOnlyWhereTheFormatIsWrong) {
  const struct {
    Bytes bmp;
    int nCause; // -1: no exception when asked to throw
  } rows[] = {
      {MakeBmp({2, 4, 1, BI_RGB, Ramp(4), {0, 0, 0, 0}}), -1},
      {MakeBmp({8, 4, 1, BI_BITFIELDS, Ramp(256), {0, 0, 0, 0}}), CArchiveException::genericException}};
  for (const auto& row : rows) {
    CExtBitmap bitmap;
    EXPECT_FALSE(Load(bitmap, row.bmp, false));
    int nCause = -1;
    try {
      EXPECT_FALSE(Load(bitmap, row.bmp, false, true));
    } catch (CArchiveException* e) {
      nCause = e->m_cause;
      e->Delete();
    }
    EXPECT_EQ(nCause, row.nCause);
  }
}

TEST(ExtBitmapRead, FailedReadLeavesTheObjectEmpty) {
  CExtBitmap bitmap;
  ASSERT_TRUE(Load(bitmap, MakeBmp({24, 1, 1, BI_RGB, {}, {1, 2, 3, 0}}), false));
  EXPECT_FALSE(Load(bitmap, MakeBmp({24, 0, 1, BI_RGB, {}, {}}), false));
  EXPECT_TRUE(Save(bitmap, false, false).empty());
  EXPECT_FALSE(bitmap.ConvertTo32(false));
  EXPECT_EQ(bitmap.CreateHBitmap(), (HBITMAP)NULL);
}

// A header may promise more than its stream holds, so the block it asks for is bounded by itself:
// just under 128 MB loads from a stream of a few bytes; just over it, and a size past 32 bits that
// would wrap to almost nothing, are refused.
TEST(ExtBitmapRead, TheBlockAHeaderAsksForIsBounded) {
  const std::tuple<LONG, LONG, bool> rows[] = {
      {4096, 32767, true}, {4096, 32768, false}, {65536, 65536, false}};
  for (auto [nWidth, nHeight, bLoads] : rows) {
    CExtBitmap bitmap;
    EXPECT_EQ(bLoads, Load(bitmap, MakeBmp({8, nWidth, nHeight, BI_RLE8, Ramp(256), {0, 1}}), false))
        << nWidth << " x " << nHeight;
  }
}

// Headers whose sizes do not fit the address space or each other, and headers cut short, are
// refused before anything is allocated or written.
struct BadCase {
  const char* name;
  Bytes bytes;
};

std::vector<BadCase> BadCases() {
  const Bytes rgb2x2 = {1, 2, 3, 4, 5, 6, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0};
  BmpLayout shortHeader = {24, 2, 2, BI_RGB, {}, rgb2x2};
  shortHeader.nHeaderSize = 12;
  BmpLayout hugeHeader = shortHeader;
  hugeHeader.nHeaderSize = 0xFFFFFF00;
  Bytes cutHeader = MakeBmp({24, 2, 2, BI_RGB, {}, rgb2x2});
  cutHeader.resize(30);
  Bytes cutMasks = MakeBmp({16, 2, 1, BI_BITFIELDS, {}, {1, 2, 3, 4}, k565});
  cutMasks.resize(14 + 40 + 10);
  BmpLayout v4 = {16, 2, 1, BI_BITFIELDS, {}, {1, 2, 3, 4}, k565};
  v4.nHeaderSize = 108;
  Bytes cutLaterHeader = MakeBmp(v4);
  cutLaterHeader.resize(14 + 100);
  return {
      {"zero_width", MakeBmp({24, 0, 2, BI_RGB, {}, rgb2x2})},
      {"zero_height", MakeBmp({24, 2, 0, BI_RGB, {}, rgb2x2})},
      {"most_negative_height", MakeBmp({24, 2, LONG_MIN, BI_RGB, {}, rgb2x2})},
      {"row_size_past_32_bits", MakeBmp({24, 0x7FFFFFFF, 1, BI_RGB, {}, rgb2x2})},
      {"image_size_wrapping_to_zero", MakeBmp({32, 0x10000, 0x10000, BI_RGB, {}, rgb2x2})},
      {"header_cut", cutHeader},
      {"masks_cut", cutMasks},
      {"later_header_cut", cutLaterHeader},
      {"run_lengths_for_a_giant", MakeBmp({8, 40000, 40000, BI_RLE8, Ramp(256), {0, 1}})},
      {"rle8_on_4_bit_data", MakeBmp({4, 8, 1, BI_RLE8, Ramp(16), {8, 0x11, 0, 1}})},
      {"rle4_top_down", MakeBmp({4, 4, -2, BI_RLE4, Ramp(16), {4, 0x11, 0, 1}})},
      {"header_smaller_than_40", MakeBmp(shortHeader)},
      {"header_larger_than_the_stream", MakeBmp(hugeHeader)},
  };
}

void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

class BadHeaderTest : public testing::TestWithParam<BadCase> {};

TEST_P(BadHeaderTest, IsRefused) {
  CExtBitmap bitmap;
  EXPECT_FALSE(Load(bitmap, GetParam().bytes, true));
  EXPECT_TRUE(Save(bitmap, false, false).empty());
}

INSTANTIATE_TEST_SUITE_P(Broken, BadHeaderTest, testing::ValuesIn(BadCases()),
                         [](const testing::TestParamInfo<BadCase>& i) { return i.param.name; });

} // namespace
