// The record check knows every record type of the enhanced and Windows formats by its layout, those
// the platform's player passes over too, and holds every bitmap a record carries as the format lays
// it out. Bitmaps of rows coded in runs that it takes play the same whatever memory held.
#include "imaging/MetafileCheck.h"
#include "imaging/MetafileFormat.h"
#include "imaging/PixelPlane.h"
#include "tests/common/heap_fill.h"
#include "tests/unit/imaging/metafile_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
using Words = std::vector<DWORD>;
using Words16 = std::vector<WORD>;

// An enhanced metafile of 100 x 100 pixels with two handle slots, of the records given as their
// words after the type and size.
Bytes Emf(const std::vector<Words>& records) {
  Words words = {EMR_HEADER, 88, 0, 0, 99, 99, 0, 0,    2475, 2475, ENHMETA_SIGNATURE,
                 0x10000,    0,  0, 2, 0,  0,  0, 1000, 1000, 250,  250};
  for (auto record : records) {
    record.insert(record.begin() + 1, (DWORD)(4 + 4 * record.size()));
    words.insert(words.end(), record.begin(), record.end());
  }
  words.insert(words.end(), {EMR_EOF, 20, 0, 16, 20});
  words[12] = (DWORD)(4 * words.size());
  Bytes bytes(4 * words.size());
  std::memcpy(bytes.data(), words.data(), bytes.size());
  return bytes;
}

// A placeable Windows metafile of 100 x 100 units with two object slots, of the record given as its
// function and parameter words.
Bytes Wmf(const Words16& record) {
  Words16 w = {0xCDD7, 0x9AC6, 0, 0, 0, 100, 100, 1440, 0, 0, 0, 1, 9, 0x300, 0, 0, 2, 0, 0, 0};
  for (const Words16& r : {Words16{META_SETWINDOWEXT, 100, 100}, record, Words16{0}}) {
    w.insert(w.end(), {(WORD)(2 + r.size()), (WORD)((2 + r.size()) >> 16)});
    w.insert(w.end(), r.begin(), r.end());
  }
  w[14] = (WORD)(w.size() - 11), w[15] = (WORD)((w.size() - 11) >> 16);
  for (int i = 0; i < 10; i++)
    w[10] ^= w[i];
  Bytes bytes(2 * w.size());
  std::memcpy(bytes.data(), w.data(), bytes.size());
  return bytes;
}

bool IsPlaceable(const Bytes& file) { return *reinterpret_cast<const DWORD*>(file.data()) == kPlaceableKey; }
bool IsSound(const Bytes& file) {
  return IsPlaceable(file) ? IsSoundWinMetafile(file.data(), file.size())
                           : IsSoundEnhMetafile(file.data(), file.size());
}

// A bitmap of 8 x 8 pixels of 8 bits, colour 0 blue and 1 red, after a header of nHeader bytes:
// every row red, or rows coded in runs whose coded size is nCoded that set the first 4 pixels of the
// bottom row and leave the others out.
Words Dib(bool bRuns, DWORD nHeader = 40, DWORD nCoded = 8) {
  Words dib = {nHeader, 8, 8,    8 << 16 | 1, bRuns ? (DWORD)BI_RLE8 : BI_RGB, nCoded, 0, 0,
               2,       0, 0xFF, 0xFF0000};
  if (bRuns)
    dib.insert(dib.end(), {0x0104, 0x0100}); // 4 of colour 1, end of line; end of bitmap
  else
    dib.insert(dib.end(), 16, 0x01010101);
  return dib;
}
// The words, then the bitmap's words as halves.
Words16 WithDib(Words16 words, const Words& dib) {
  for (DWORD w : dib)
    words.insert(words.end(), {(WORD)w, (WORD)(w >> 16)});
  return words;
}

// The bitmap records with their fixed words after the type, offsets 0: blits from 8 x 8 pixels to
// (10, 10), and the bytes their bitmaps' offsets (and their masks') lie at.
struct BitmapKind {
  const char* name;
  Words fixed;
  size_t atBmi, atMask;
};
const DWORD kOne = 0x3F800000, kText = 0x00786950; // 1.0f, "Pix"
// clang-format off
std::vector<BitmapKind> BitmapKinds() {
  auto blit = [](DWORD nType, Words tail) {
    Words w = {nType, 0, 0, 99, 99, 10, 10, 8, 8, SRCCOPY, 0, 0, kOne, 0, 0, kOne, 0, 0, 0xFFFFFF, 0, 0, 0, 0, 0};
    return w.insert(w.end(), tail.begin(), tail.end()), w;
  };
  return {{"StretchDibits", {EMR_STRETCHDIBITS, 0, 0, 99, 99, 10, 10, 0, 0, 8, 8, 0, 0, 0, 0, 0, SRCCOPY, 8, 8}, 48, 0},
          {"SetDibitsToDevice", {EMR_SETDIBITSTODEVICE, 0, 0, 99, 99, 10, 10, 0, 0, 8, 8, 0, 0, 0, 0, 0, 0, 8}, 48, 0},
          {"BitBlt", blit(EMR_BITBLT, {}), 84, 0},
          {"StretchBlt", blit(EMR_STRETCHBLT, {8, 8}), 84, 0},
          {"MaskBlt", blit(EMR_MASKBLT, {0, 0, 0, 0, 0, 0, 0}), 84, 112},
          {"PlgBlt", {EMR_PLGBLT, 0, 0, 99, 99, 10, 10, 18, 10, 10, 18, 0, 0, 8, 8, kOne, 0, 0, kOne, 0, 0, 0xFFFFFF,
                      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 96, 124}};
}
// clang-format on

// The kind's record carrying the bitmap after its fixed words, and a mask of 8 x 8 ones where it has one.
Words WithBitmap(const BitmapKind& kind, const Words& dib) {
  Words rec = kind.fixed;
  auto put = [&](size_t atBmi, const Words& bitmap) {
    const DWORD off = 4 + 4 * (DWORD)rec.size(), nInfo = 48;
    const size_t i = (atBmi - 4) / 4;
    rec[i] = off, rec[i + 1] = nInfo, rec[i + 2] = off + nInfo, rec[i + 3] = 4 * (DWORD)bitmap.size() - nInfo;
    rec.insert(rec.end(), bitmap.begin(), bitmap.end());
  };
  put(kind.atBmi, dib);
  if (kind.atMask != 0)
    put(kind.atMask,
        {40, 8, 8, 1 << 16 | 1, BI_RGB, 32, 0, 0, 2, 0, 0, 0xFFFFFF, 255, 255, 255, 255, 255, 255, 255, 255});
  return rec;
}

// A file, of one enhanced metafile record or given whole, and whether it is sound.
struct RecordCase {
  RecordCase(std::string n, const Words& record, bool b) : RecordCase(n, Emf({record}), b, 0) {}
  static RecordCase OfFile(std::string n, const Bytes& f, bool b) { return RecordCase(n, f, b, 0); }
  std::string name;
  Bytes file;
  bool bSound;

private:
  RecordCase(std::string n, const Bytes& f, bool b, int) : name(n), file(f), bSound(b) {}
};

std::ostream& operator<<(std::ostream& os, const RecordCase& c) { return os << c.name; }

class RecordLayout : public ::testing::TestWithParam<RecordCase> {};

// The records the player passes over are held to their layout like the others; a kind the format
// does not have is passed over in an enhanced metafile, a second header is not.
TEST_P(RecordLayout, IsKnown) { EXPECT_EQ(GetParam().bSound, IsSound(GetParam().file)); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, RecordLayout, ::testing::Values(
    RecordCase{"SmallText", {108, 50, 50, 3, 0x300, 1, kOne, kOne, kText}, true},
    RecordCase{"SmallTextPastItsRecord", {108, 50, 50, 9, 0x300, 1, kOne, kOne, kText}, false},
    RecordCase{"SmallTextWideWithItsRectangle", {108, 50, 50, 2, 0, 1, kOne, kOne, 0, 0, 9, 9, kText}, true},
    RecordCase{"SmallTextRectangleMissing", {108, 50, 50, 2, 0, 1, kOne, kOne, kText}, false},
    RecordCase{"ColourSpaceInTheTable", {EMR_SETCOLORSPACE, 1}, true},
    RecordCase{"ColourSpacePastTheTable", {EMR_DELETECOLORSPACE, 7}, false},
    RecordCase{"Escape", {106, 1, 4, 0}, true},
    RecordCase{"EscapePastItsRecord", {106, 1, 8, 0}, false},
    RecordCase{"LinkedFonts", {119, 1, 0, 0, 0, 0}, true},
    RecordCase{"LinkedFontsPastTheirRecord", {119, 2, 0, 0, 0, 0}, false},
    RecordCase{"TextJustification", {120, 10, 2}, true},
    RecordCase{"TextJustificationCut", {120, 10}, false},
    RecordCase{"KindOutsideTheFormat", {200, 1, 2}, true},
    RecordCase{"SecondHeader", {EMR_HEADER, 0, 0, 0, 0}, false},
    RecordCase{"PatternBlitWithoutBitmap", {EMR_BITBLT, 0, 0, 99, 99, 10, 10, 8, 8, PATCOPY, 0, 0, kOne, 0, 0, kOne, 0, 0, 0, 0, 0, 0, 0, 0}, true},
    RecordCase{"CopyWithoutBitmap", {EMR_BITBLT, 0, 0, 99, 99, 10, 10, 8, 8, SRCCOPY, 0, 0, kOne, 0, 0, kOne, 0, 0, 0, 0, 0, 0, 0, 0}, false},
    RecordCase{"SolidPen", {EMR_EXTCREATEPEN, 1, 0, 0, 0, 0, PS_SOLID, 1, BS_SOLID, 0xFF, 0, 0}, true},
    // Offsets of no bitmap at the record's end, as real producers write them.
    RecordCase{"SolidPenWithOffsetsAtItsEnd", {EMR_EXTCREATEPEN, 1, 52, 0, 52, 0, PS_SOLID, 1, BS_SOLID, 0xFF, 0, 0}, true},
    RecordCase{"DibPatternPenWithoutBitmap", {EMR_EXTCREATEPEN, 1, 52, 0, 52, 0, PS_GEOMETRIC, 9, BS_DIBPATTERNPT, 0, 0, 0}, false},
    // The platform recorder's mono brush (tests/unit/imaging/test_metafile_recorder.cpp) with colour
    // use DIB_RGB_COLORS: its header lacks the colours.
    RecordCase{"MonoBrushWithoutItsColours", {EMR_CREATEMONOBRUSH, 1, 0, 32, 40, 72, 32, 40, 8, 8, 1 << 16 | 1, 0, 32, 0, 0, 0, 0,
                                              0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}, false},
    RecordCase{"PenPatternAtAnAddress", {EMR_EXTCREATEPEN, 1, 0, 0, 0, 0, PS_GEOMETRIC, 9, BS_DIBPATTERNPT, 0, 0x400000, 0}, false},
    RecordCase{"BrushPatternAtAnAddress", {EMR_CREATEBRUSHINDIRECT, 1, BS_DIBPATTERNPT, 0, 0x400000}, false}),
    [](const auto& info) { return info.param.name; });
// clang-format on

// Each bitmap record whole, without its header's size but with offsets (the platform's player reads
// a header at the offset all the same), with rows coded in runs, with a header of no valid size, with
// rows past their size; the wide colour space whole with a name of 259 characters, and cut short.
std::vector<RecordCase> BitmapCases() {
  std::vector<RecordCase> cases;
  for (const BitmapKind& kind : BitmapKinds()) {
    const std::string name = kind.name;
    const size_t i = (kind.atBmi - 4) / 4;
    Words lacking = WithBitmap(kind, Dib(false)), rowsPast = lacking,
          noSize = WithBitmap(kind, Dib(false, 44));
    lacking[i + 1] = 0, rowsPast[i + 3] -= 4, noSize[i + 1] = 52;
    cases.insert(cases.end(), {{name, WithBitmap(kind, Dib(false)), true},
                               {name + "WithoutHeaderSizeButOffsets", lacking, false},
                               {name + "InRuns", WithBitmap(kind, Dib(true)), true},
                               {name + "RunsPastTheirSize", WithBitmap(kind, Dib(true, 40, 12)), false},
                               {name + "HeaderOfNoSize", noSize, false},
                               {name + "RowsPastTheirSize", rowsPast, false}});
  }
  // A file of 248 bytes: the header at 80 of the record, its size 0, its rows at the record's end.
  Words opened = BitmapKinds()[0].fixed;
  const Words header = Dib(false);
  opened.insert(opened.end(), header.begin(), header.begin() + 12);
  opened.insert(opened.end(), {0, 0, 0});
  opened[11] = 80, opened[13] = 4 + 4 * (DWORD)opened.size();
  Words space = {EMR_CREATECOLORSPACEW, 1, 0x50534F43, 0x400, 588, 0x73524742, 4};
  space.resize(space.size() + 12 + 129, 0x00610061); // endpoints and gammas, then 258 of "a"
  std::fill(space.begin() + 7, space.begin() + 19, 0);
  space.insert(space.end(), {0x61, 0, 0}); // the last "a" and the end, the flags, no data
  Words cut(space.begin(), space.end() - 1);
  cases.insert(cases.end(), {{"StretchDibitsOfTheOpenedFile", opened, false},
                             {"WideColourSpace", space, true},
                             {"WideColourSpaceCut", cut, false}});
  // The ANSI colour space, whole with a name of MAX_PATH characters, and cut short.
  Words ansi = {EMR_CREATECOLORSPACE, 1, 0x50534F43, 0x400, 328, 0x73524742, 4};
  ansi.resize(ansi.size() + 12 + 65, 0x61616161);
  std::fill(ansi.begin() + 7, ansi.begin() + 19, 0);
  cases.insert(cases.end(), {{"AnsiColourSpace", ansi, true},
                             {"AnsiColourSpaceCut", {ansi.begin(), ansi.end() - 1}, false}});
  // Three scans from the fourth of an 8-row bitmap whose record holds two; a blit without a mask whose
  // record's start, which the platform reads as the mask's header, has a bit count (bounds' top).
  const Words whole = Dib(false);
  Words band = WithBitmap(BitmapKinds()[1], Words(whole.begin(), whole.end() - 12));
  Words noMask = WithBitmap({"PlgBlt", BitmapKinds()[5].fixed, 96, 0}, Dib(false));
  band[16] = 3, band[17] = 3, noMask[2] = 0x00080001;
  cases.insert(cases.end(), {{"SetDibitsToDeviceBandPastItsRows", band, false},
                             {"PlgBltWithoutMaskWhoseBoundsReadAsABitmap", noMask, false}});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, RecordLayout, ::testing::ValuesIn(BitmapCases()),
                         [](const auto& info) { return info.param.name; });

// The Windows metafile records that carry a bitmap after their words.
const std::pair<const char*, Words16> kOldBitmapRecords[] = {
    {"OldStretchDib", {META_STRETCHDIB, 0x20, 0xCC, 0, 8, 8, 0, 0, 8, 8, 10, 10}},
    {"OldSetDibToDevice", {META_SETDIBTODEV, 0, 8, 0, 0, 0, 8, 8, 10, 10}},
    {"OldDibBitBlt", {META_DIBBITBLT, 0, 0xCC, 0, 0, 8, 8, 10, 10}},
    {"OldDibStretchBlt", {META_DIBSTRETCHBLT, 0x20, 0xCC, 8, 8, 0, 0, 8, 8, 10, 10}}};

// Windows metafiles: a region, the old blits and pattern brush with their old bitmaps, a pattern
// blit, a bitmap in runs; each also cut short by a word, and refused so.
std::vector<RecordCase> WmfCases() {
  const WORD kBits = 0x0101; // one plane, one bit a pixel
  const Words16 stretchDib = kOldBitmapRecords[0].second;
  struct {
    const char* name;
    Words16 words;
    bool bSound;
  } records[] = {
      // clang-format off
      {"Region", {META_CREATEREGION, 0, 6, 0, 0, 34, 1, 2, 0, 0, 10, 10, 2, 0, 10, 0, 10, 2}, true},
      {"OldBitBlt", {META_BITBLT, 0x20, 0xCC, 0, 0, 2, 8, 10, 10, 0, 8, 2, 2, kBits, 0xFF, 0xFF}, true},
      {"OldStretchBlt", {META_STRETCHBLT, 0x20, 0xCC, 2, 8, 0, 0, 2, 8, 10, 10, 0, 8, 2, 2, kBits, 0xFF, 0xFF}, true},
      {"OldPatternBrush", {META_CREATEPATTERNBRUSH, 0, 8, 2, 2, kBits, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}, true},
      {"PatternBlit", {META_DIBBITBLT, 0x21, 0xF0, 0, 0, 0, 8, 8, 10, 10}, true},
      // The platform reads a bitmap after the tenth word whatever the record's size.
      {"StretchedPatternBlit", {META_DIBSTRETCHBLT, 0x21, 0xF0, 0, 8, 8, 0, 0, 8, 8, 10, 10}, false},
      // Whole by the format, but the platform takes 100 x 50 pixels of 32 bits from the eighth word.
      {"OldBitBltThePlatformReadsOtherwise", {META_BITBLT, 0x20, 0xCC, 0, 0, 1, 8, 10, 100, 50, 8, 1, 32, kBits, 0xFF}, false},
      {"StretchedBitmapInRuns", WithDib(stretchDib, Dib(true)), true},
      {"StretchedBitmapRunsPastTheirSize", WithDib(stretchDib, Dib(true, 40, 12)), false}};
  // clang-format on
  std::vector<RecordCase> cases;
  for (const auto& r : records) {
    cases.push_back(RecordCase::OfFile(r.name, Wmf(r.words), r.bSound));
    cases.push_back(
        RecordCase::OfFile(std::string(r.name) + "Cut", Wmf({r.words.begin(), r.words.end() - 1}), false));
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(WindowsMetafiles, RecordLayout, ::testing::ValuesIn(WmfCases()),
                         [](const auto& info) { return info.param.name; });

// The file played here over white into 100 x 100 pixels as the player plays it, with
// the heap and the platform's bitmap memory left full of freed blocks holding the fill, and every
// block the platform's metafile code takes from the heap holding it.
std::vector<DWORD> PlayedAfterFill(const Bytes& file, BYTE fill) {
  FillHeap(fill, {64, 256, 1024, 4096}, 8, 8);
  CModuleHeapFill filled(::GetModuleHandleA("gdi32.dll"), fill);
  EXPECT_TRUE(filled.Applied());
  const gdiptest::Loaded played = metafile_test::PlayedHere(file, 100, 100);
  EXPECT_EQ(100, played.cx) << "the platform played nothing";
  std::vector<DWORD> px;
  for (DWORD c : played.px)
    px.push_back(c & 0xFFFFFF);
  return px;
}

// Every record that takes rows coded in runs, in both formats. (The platform finds the rows of an
// old bitmap blit past 2-byte colours unless the raster operation's low word is 0.)
std::vector<RecordCase> RunsCases() {
  std::vector<RecordCase> cases;
  for (const BitmapKind& kind : BitmapKinds())
    cases.push_back({kind.name, WithBitmap(kind, Dib(true)), true});
  for (const auto& record : kOldBitmapRecords)
    cases.push_back(RecordCase::OfFile(record.first, Wmf(WithDib(record.second, Dib(true))), true));
  return cases;
}

class BitmapRuns : public ::testing::TestWithParam<RecordCase> {};

// A record whose runs leave pixels out is taken, and plays the same after two different fills of
// memory, its runs' pixels drawn: the pixels left out come out as the platform's playback leaves
// them, not as what memory held.
TEST_P(BitmapRuns, PixelsNoRunSetsPlayTheSameWhateverMemoryHeld) {
  const Bytes& file = GetParam().file;
  EXPECT_TRUE(IsSound(file));
  const std::vector<DWORD> first = PlayedAfterFill(file, 0xA5), second = PlayedAfterFill(file, 0x5A);
  EXPECT_TRUE(first == second) << "pixels that hold what memory held";
  EXPECT_NE(0, std::count(first.begin(), first.end(), 0xFF0000u)) << "the runs' pixels";
}

INSTANTIATE_TEST_SUITE_P(Records, BitmapRuns, ::testing::ValuesIn(RunsCases()),
                         [](const auto& info) { return info.param.name; });

// A record whose bitmap fields the player's copy mends, the record the format means by it, and the
// file of each.
struct MendCase {
  std::string name;
  Bytes file, meant;
};
std::ostream& operator<<(std::ostream& os, const MendCase& c) { return os << c.name; }

// A pattern blit in black without a bitmap whose offsets name one far past the record; an alpha blend
// of 8 x 8 pixels of 32 bits whose record holds, and whose bits size names, more bytes than the rows.
// clang-format off
std::vector<MendCase> MendCases() {
  const Words black = {EMR_SELECTOBJECT, 0x80000004};
  Words patternBlit = {EMR_BITBLT, 0, 0, 99, 99, 10, 10, 8, 8, PATCOPY, 0, 0, kOne, 0, 0, kOne, 0, 0, 0, 0, 0, 0, 0, 0};
  Words farOffsets = patternBlit;
  farOffsets[20] = farOffsets[22] = 0x7FFFFFF0;
  std::vector<MendCase> cases = {{"PatternBlitWithoutHeaderButOffsets", Emf({black, farOffsets}), Emf({black, patternBlit})}};
  Words dib = {40, 8, 8, 32 << 16 | 1, BI_RGB, 256, 0, 0, 0, 0};
  dib.insert(dib.end(), 64, 0xFF3060C0);
  const auto blend = [&](DWORD nSurplus) {
    Words rec = {EMR_ALPHABLEND, 0, 0, 99, 99, 10, 10, 8, 8, 0x0000C000, 0, 0, kOne, 0, 0, kOne, 0, 0, 0, 0,
                 108, 40, 148, 256 + 4 * nSurplus, 8, 8};
    rec.insert(rec.end(), dib.begin(), dib.end());
    rec.insert(rec.end(), nSurplus, 0xFF00FF00);
    return rec;
  };
  for (DWORD nSurplus : {1u, 5000u, 300000u})
    cases.push_back({"AlphaBlendBitsPastTheRowsBy" + std::to_string(4 * nSurplus), Emf({blend(nSurplus)}), Emf({blend(0)})});
  return cases;
}
// clang-format on

class MendedRecord : public ::testing::TestWithParam<MendCase> {};

// The record is taken, and the program's road draws it as the platform draws the record the format
// means: no header read past the record, no bits copied past the bitmap.
TEST_P(MendedRecord, OpensAsTheRecordItMeans) {
  const MendCase& c = GetParam();
  EXPECT_TRUE(IsSound(c.file));
  const std::string path = gdiptest::TempFilePath(c.name + ".emf");
  gdiptest::WriteFileBytes(path, c.file);
  const gdiptest::Loaded loaded = gdiptest::LoadOverWhite(path);
  ::DeleteFileA(path.c_str());
  ASSERT_EQ(100, loaded.cx) << "could not be opened as a picture";
  EXPECT_TRUE(loaded == metafile_test::PlayedHere(c.meant, 100, 100));
}

INSTANTIATE_TEST_SUITE_P(Records, MendedRecord, ::testing::ValuesIn(MendCases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
