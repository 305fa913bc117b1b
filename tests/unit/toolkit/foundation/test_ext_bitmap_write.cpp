// Writing BMP streams (uncompressed and RLE8) byte for byte, and the roads between the bitmap and
// GDI bitmaps: copies, new bitmaps, the paint manager's serialisation and bitmap resources.
#include "tests/unit/toolkit/foundation/ext_bitmap_support.h"

#include "framework/gdi/fw_gdi.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace bmptest;

namespace {

std::vector<DWORD> Gray(int n) {
  std::vector<DWORD> colors;
  for (int i = 0; i < n; i++)
    colors.push_back((DWORD)(i * 255 / (n - 1)) * 0x010101);
  return colors;
}

// Streams in the form the writer produces: reading and writing them again gives the same bytes,
// and new GDI bitmaps show what the bitmap holds (5-6-5 pixels and RLE8 data included).
class RewriteTest : public testing::TestWithParam<BmpLayout> {};

TEST_P(RewriteTest, GivesTheSameBytesAndShowsThePixels) {
  const Bytes bmp = MakeBmp(GetParam());
  CExtBitmap bitmap;
  ASSERT_TRUE(Load(bitmap, bmp, false));
  if (GetParam().dwCompression != BI_RLE8)
    EXPECT_EQ(Save(bitmap, false, false), bmp);
  CBitmap shown;
  ASSERT_TRUE(shown.Attach(bitmap.CreateHBitmap()));
  Pixels expected = PixelsOf(bitmap);
  for (DWORD& p : expected)
    p &= 0xFFFFFF;
  EXPECT_EQ(PixelsOfHBitmap((HBITMAP)shown.GetSafeHandle()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RewriteTest,
    testing::Values(
        BmpLayout{1, 10, 2, BI_RGB, {0x102030, 0xA0B0C0}, {0xAA, 0x80, 0, 0, 0x07, 0xC0, 0, 0}},
        BmpLayout{4, 3, 2, BI_RGB, Gray(16), {0x12, 0x30, 0, 0, 0xAB, 0xC0, 0, 0}},
        BmpLayout{8, 3, 2, BI_RGB, Gray(256), {1, 2, 3, 0, 4, 5, 6, 0}},
        BmpLayout{8, 3, 1, BI_RLE8, Gray(256), {2, 9, 1, 200, 0, 1}},
        BmpLayout{
            16, 3, 1, BI_BITFIELDS, {}, {0xFF, 0xFF, 0xE0, 0x07, 0x21, 0x08, 0, 0}, {0xF800, 0x7E0, 0x1F}},
        BmpLayout{24, 2, 2, BI_RGB, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}},
        BmpLayout{32, 2, 1, BI_RGB, {}, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}}));

struct Rle8Case {
  const char* name;
  std::vector<Bytes> rows; // bottom row first
  Bytes stream;
};

// 0, 1, 2, ...: no two neighbours equal.
Bytes Counting(int nCount) {
  Bytes b;
  for (int i = 0; i < nCount; i++)
    b.push_back((BYTE)i);
  return b;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts)
    out.insert(out.end(), p.begin(), p.end());
  return out;
}

std::vector<Rle8Case> Rle8Cases() {
  return {
      {"pending_singles_before_a_run",
       {{0x10, 0x20, 0x30, 0x30, 0x30, 0x30, 0x40}},
       {1, 0x10, 1, 0x20, 4, 0x30, 1, 0x40, 0, 0, 0, 1}},
      {"absolute_run", {{1, 2, 3, 4}}, {0, 4, 1, 2, 3, 4, 0, 0, 0, 1}},
      {"odd_absolute_run_padded", {{1, 2, 3}}, {0, 3, 1, 2, 3, 0, 0, 0, 0, 1}},
      {"short_run_joins_the_literals", {{9, 9, 9, 9, 9, 8, 8, 8}}, {5, 9, 0, 3, 8, 8, 8, 0, 0, 0, 0, 1}},
      {"long_run_split_at_255", {Bytes(300, 0x55)}, {255, 0x55, 45, 0x55, 0, 0, 0, 1}},
      {"literals_flushed_at_254",
       {Counting(256)},
       Concat({{0, 254}, Counting(254), {1, 254, 1, 255, 0, 0, 0, 1}})},
      {"end_of_line_per_row", {{7, 7, 7, 7}, {1, 2, 1, 2}}, {4, 7, 0, 0, 0, 4, 1, 2, 1, 2, 0, 0, 0, 1}},
  };
}

void PrintTo(const Rle8Case& c, std::ostream* os) { *os << c.name; }

class Rle8WriteTest : public testing::TestWithParam<Rle8Case> {};

TEST_P(Rle8WriteTest, CodesTheRowsAndReadsBack) {
  const Rle8Case& c = GetParam();
  const int nWidth = (int)c.rows[0].size(), nStride = (nWidth + 3) & ~3;
  BmpLayout layout = {8, nWidth, (LONG)c.rows.size(), BI_RGB, Gray(256), {}};
  for (Bytes row : c.rows) {
    row.resize(nStride);
    layout.data.insert(layout.data.end(), row.begin(), row.end());
  }
  const Bytes plain = MakeBmp(layout);
  CExtBitmap bitmap;
  ASSERT_TRUE(Load(bitmap, plain, false));
  const Bytes rle = Save(bitmap, false, true);
  ASSERT_GT(rle.size(), 54u + 1024u);
  EXPECT_EQ(DwordAt(rle, 30), (DWORD)BI_RLE8);
  EXPECT_EQ(DwordAt(rle, 10), 54u + 1024u);
  EXPECT_EQ(DwordAt(rle, 2), rle.size());
  EXPECT_EQ(DwordAt(rle, 34), c.stream.size());
  EXPECT_EQ(Bytes(rle.begin() + 54 + 1024, rle.end()), c.stream);

  CExtBitmap reread;
  ASSERT_TRUE(Load(reread, rle, false));
  EXPECT_EQ(Save(reread, false, false), plain);
}

INSTANTIATE_TEST_SUITE_P(Rows, Rle8WriteTest, testing::ValuesIn(Rle8Cases()),
                         [](const testing::TestParamInfo<Rle8Case>& i) { return i.param.name; });

// Whether the call threw the framework's user exception.
template <class F> bool ThrowsUserException(F f) {
  try {
    f();
  } catch (CUserException* e) {
    e->Delete();
    return true;
  }
  return false;
}

TEST(ExtBitmapWrite, NothingToWriteOrCopyFailsAndThrowsOnlyWhenAsked) {
  CExtBitmap bitmap;
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  EXPECT_FALSE(bitmap.SaveToArchive(ar, false, false, false));
  EXPECT_TRUE(ThrowsUserException([&] { bitmap.SaveToArchive(ar, false, true, false); }));
  ar.Close();
  EXPECT_EQ(file.GetLength(), 0u);
  EXPECT_FALSE(bitmap.FromHBitmap(NULL, false));
  EXPECT_TRUE(ThrowsUserException([&] { bitmap.FromHBitmap(NULL, true); }));
}

// ---------------------------------------------------------------------------------------------
// GDI bitmaps

// A DIB section of the given depth, colours and rows (bottom row first, padded).
HBITMAP MakeDibSection(int nBits, int nWidth, int nHeight, const std::vector<DWORD>& colors,
                       const Bytes& rows) {
  std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 4 * 256);
  BITMAPINFO* pInfo = reinterpret_cast<BITMAPINFO*>(info.data());
  pInfo->bmiHeader = {sizeof(BITMAPINFOHEADER), nWidth, nHeight, 1, (WORD)nBits, BI_RGB};
  pInfo->bmiHeader.biClrUsed = (DWORD)colors.size();
  if (!colors.empty())
    std::memcpy(pInfo->bmiColors, colors.data(), 4 * colors.size());
  void* pBits = NULL;
  HBITMAP hBitmap = ::CreateDIBSection(NULL, pInfo, DIB_RGB_COLORS, &pBits, NULL, 0);
  if (hBitmap != NULL)
    std::memcpy(pBits, rows.data(), rows.size());
  return hBitmap;
}

// A 16-bit bitmap is written with the 5-5-5 masks of the pixels GDI hands out, so that other
// readers can read it.
TEST(ExtBitmapGdi, SixteenBitCopyIsWrittenWithItsMasks) {
  CBitmap source;
  ASSERT_TRUE(source.Attach(::CreateBitmap(2, 1, 1, 16, NULL)));
  const DWORD rgb[2] = {0xFFFFFF, 0x0000FF};
  BITMAPINFO bmi = {{sizeof(BITMAPINFOHEADER), 2, 1, 1, 32, BI_RGB}};
  HDC hScreen = ::GetDC(NULL);
  ::SetDIBits(hScreen, (HBITMAP)source.GetSafeHandle(), 0, 1, rgb, &bmi, DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hScreen);
  CExtBitmap bitmap;
  ASSERT_TRUE(bitmap.FromHBitmap((HBITMAP)source.GetSafeHandle(), false));
  const Bytes bmp = Save(bitmap, false, false);
  ASSERT_EQ(bmp.size(), 66u + 4u);
  EXPECT_EQ(DwordAt(bmp, 30), (DWORD)BI_BITFIELDS);
  EXPECT_EQ(DwordAt(bmp, 54), 0x7C00u);
  EXPECT_EQ(DwordAt(bmp, 58), 0x3E0u);
  EXPECT_EQ(DwordAt(bmp, 62), 0x1Fu);
  CExtBitmap reread;
  ASSERT_TRUE(Load(reread, bmp, true));
  EXPECT_EQ(PixelsOf(reread), (Pixels{0xFFFFFFFF, 0xFF0000FF}));
}

// Copied and stored through the paint manager's road (8-bit data as RLE8) at the bitmap's depth,
// and loaded back as a new bitmap.
TEST(ExtBitmapGdi, SerializedBitmapsComeBackUnchanged) {
  struct {
    HBITMAP hBitmap;
    DWORD dwCompression;
    BYTE nBits;
  } sources[] = {{MakeDibSection(8, 5, 1, Gray(256), {9, 9, 9, 9, 200, 0, 0, 0}), BI_RLE8, 8},
                 {MakeDibSection(24, 2, 1, {}, {0x56, 0x34, 0x12, 1, 2, 3, 0, 0}), BI_RGB, 24}};
  for (auto& source : sources) {
    CBitmap owner;
    ASSERT_TRUE(owner.Attach(source.hBitmap));
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ASSERT_TRUE(CExtBitmap::SerializeHBitmap(ar, source.hBitmap, false));
    }
    Bytes stored((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(stored.data(), (UINT)stored.size());
    EXPECT_EQ(DwordAt(stored, 30), source.dwCompression);
    EXPECT_EQ(stored[28], source.nBits) << "the copy keeps the bitmap's depth";

    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    HBITMAP hLoaded = NULL;
    ASSERT_TRUE(CExtBitmap::SerializeHBitmap(ar, hLoaded, false));
    CBitmap loaded;
    loaded.Attach(hLoaded);
    EXPECT_EQ(PixelsOfHBitmap(hLoaded), PixelsOfHBitmap(source.hBitmap));
  }
}

// The test program's resources hold a 4-bit bitmap (3 x 2, two colours) and a 24-bit one.
TEST(ExtBitmapGdi, BitmapResourcesLoad) {
  HMODULE hModule = ::GetModuleHandle(NULL);
  struct {
    int nId;
    Pixels expected;
  } cases[] = {{24001, {0x0000FF, 0x0000FF, 0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000}},
               {24002, {0x123456, 0xABCDEF}}};
  for (const auto& c : cases) {
    CBitmap loaded;
    ASSERT_TRUE(loaded.Attach(
        CExtBitmap::LoadBitmapResource(hModule, ::FindResource(hModule, MAKEINTRESOURCE(c.nId), RT_BITMAP))));
    EXPECT_EQ(PixelsOfHBitmap((HBITMAP)loaded.GetSafeHandle()), c.expected) << c.nId;
  }
  EXPECT_EQ(CExtBitmap::LoadBitmapResource(hModule, NULL), (HBITMAP)NULL);
}

} // namespace
