// Pictures the decoders must not take as they stand: run-length coded bitmaps whose runs leave
// pixels unset, and icons whose colour tables or palettes are shorter than their indices, open with
// those pixels defined, whatever the heap held before, and a GIF whose codes end before its image is
// full does not open; metafiles beyond the picture bound are refused before anything is made.
#include "imaging/ImageFile.h"
#include "imaging/MetafileCheck.h"
#include "imaging/MetafileFormat.h"
#include "imaging/PictureCheck.h"
#include "imaging/PixelPlane.h"
#include "tests/common/heap_fill.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

using gdiptest::LoadOverWhite;
using gdiptest::TempFilePath;
using gdiptest::WriteFileBytes;

std::string TempPath(const std::string& name) { return TempFilePath("limits_" + name); }
void WriteAll(const std::string& path, const Bytes& bytes) { WriteFileBytes(path, bytes); }
void Put32(Bytes& b, size_t at, DWORD v) {
  for (int k = 0; k < 4; k++)
    b[at + k] = (BYTE)(v >> (8 * k));
}

// --- Run-length coded bitmaps --------------------------------------------------------------------

const int kCx = 64, kCy = 48;
const DWORD kPalette[] = {0x0A141E, 0xFF0000, 0x00FF00, 0x0000FF};

// A 64 x 48 bitmap of four colours (colour 0 not black) whose coded pixels are the runs given.
Bytes RleBmp(bool bFour, const Bytes& runs) {
  Bytes b(14 + 40 + 16, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 10, (DWORD)b.size());
  const DWORD header[] = {40,
                          kCx,
                          kCy,
                          (DWORD)(bFour ? 4 : 8) << 16 | 1,
                          (DWORD)(bFour ? BI_RLE4 : BI_RLE8),
                          (DWORD)runs.size(),
                          3780,
                          3780,
                          4,
                          4};
  for (size_t i = 0; i < 10; i++)
    Put32(b, 14 + 4 * i, header[i]);
  for (size_t i = 0; i < 4; i++)
    Put32(b, 54 + 4 * i, kPalette[i]);
  b.insert(b.end(), runs.begin(), runs.end());
  Put32(b, 2, (DWORD)b.size());
  return b;
}

struct RleCase {
  const char* name;
  bool bFour;
  Bytes runs;
  // The colour index of a pixel, counted from the bottom row as the file does.
  std::function<int(int x, int yFromBottom)> index;
};
std::ostream& operator<<(std::ostream& os, const RleCase& c) { return os << c.name; }

// Full rows of index 1, 64 pixels as 255-pixel-at-most runs.
Bytes FullRows(int nRows, BYTE value) {
  Bytes runs;
  for (int y = 0; y < nRows; y++)
    runs.insert(runs.end(), {kCx, value, 0, 0});
  return runs;
}

std::vector<RleCase> RleCases() {
  auto join = [](Bytes a, const Bytes& b) { return a.insert(a.end(), b.begin(), b.end()), a; };
  return {
      {"Rle8EndOfBitmapOnly", false, {0, 1}, [](int, int) { return 0; }},
      {"Rle8RunsThatStopEarly", false, join(FullRows(2, 1), {10, 2, 0, 1}),
       [](int x, int y) { return y < 2              ? 1
                                 : y == 2 && x < 10 ? 2
                                                    : 0; }},
      {"Rle8DeltaPastTheEnd", false, join(FullRows(1, 3), {5, 1, 0, 2, 200, 200, 5, 2, 0, 1}),
       [](int x, int y) { return y == 0            ? 3
                                 : y == 1 && x < 5 ? 1
                                                   : 0; }},
      {"Rle8CodeEndsWithoutEnd",
       false,
       {4, 1, 0, 3, 1, 2, 3, 0},
       [](int x, int y) {
         return y > 0 ? 0 : x < 4 ? 1 : x < 7 ? x - 3 : 0;
       }},
      {"Rle4RunsThatStopEarly", true, join(FullRows(3, 0x12), {7, 0x33, 0, 1}),
       [](int x, int y) { return y < 3             ? 1 + x % 2
                                 : y == 3 && x < 7 ? 3
                                                   : 0; }},
      {"Rle4EndOfBitmapOnly", true, {0, 1}, [](int, int) { return 0; }},
  };
}

// The heap is left full of blocks of the picture's size written with a fill, and freed, so that
// memory a decoder takes without writing it holds that fill.
void FillHeap(BYTE fill) {
  ::FillHeap(fill, {(size_t)kCx * kCy, (size_t)kCx * kCy * 4, (size_t)kCx * 4, (size_t)1024, (size_t)4096});
}

// Every block the platform's decoders take from the heap while it lives holds the fill: what a
// decoder leaves unset shows it, whatever the heap's order of reuse.
struct CDecoderHeapFill {
  explicit CDecoderHeapFill(BYTE fill) : filled(hCodecs, fill) { EXPECT_TRUE(filled.Applied()); }
  ~CDecoderHeapFill() { ::FreeLibrary(hCodecs); }
  HMODULE hCodecs = ::LoadLibraryA("windowscodecs.dll");
  CModuleHeapFill filled;
};

// The file's picture, every block the decoders took for it holding the fill.
std::vector<DWORD> LoadAfterFill(const std::string& path, BYTE fill) {
  CDecoderHeapFill filled(fill);
  return LoadOverWhite(path).px;
}

class RleFile : public ::testing::TestWithParam<RleCase> {};

// The picture is the same after two different heap fills, every pixel the runs set has its colour,
// and every other pixel has colour 0; a copy saved as PNG opens with the same pixels.
TEST_P(RleFile, PixelsNoRunSetsTakeColourZero) {
  const RleCase& c = GetParam();
  const std::string path = TempPath(std::string(c.name) + ".bmp");
  WriteAll(path, RleBmp(c.bFour, c.runs));
  FillHeap(0xA5);
  const std::vector<DWORD> first = LoadOverWhite(path).px;
  FillHeap(0x5A);
  const std::vector<DWORD> second = LoadOverWhite(path).px;
  ASSERT_EQ((size_t)kCx * kCy, first.size());
  EXPECT_EQ(first, second) << "the picture holds what the heap held";
  int nWrong = 0;
  for (int y = 0; y < kCy; y++)
    for (int x = 0; x < kCx; x++)
      nWrong += first[(size_t)(kCy - 1 - y) * kCx + x] != (0xFF000000 | kPalette[c.index(x, y)]);
  EXPECT_EQ(0, nWrong) << "pixels not of their run's colour or colour 0";
  const std::string saved = TempPath(std::string(c.name) + ".png");
  std::unique_ptr<Gdiplus::Bitmap> pOpened(LoadGdipBitmapFromFile(path.c_str()));
  ASSERT_TRUE(pOpened && SaveGdipBitmapToFile(pOpened.get(), saved.c_str(), L"image/png", NULL));
  EXPECT_EQ(first, LoadOverWhite(saved).px) << "the saved copy";
  ::DeleteFileA(saved.c_str());
  ::DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Runs, RleFile, ::testing::ValuesIn(RleCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Colour tables shorter than the indices ------------------------------------------------------

const int kIcon = 32;

// A 32 x 32 bitmap of 1, 4 or 8 bits a pixel whose colour table holds only the first colours of
// kPalette (one for 1 bit, else two) while its pixels use every index the bits have: the bitmap of
// an icon (twice as high, with an all-opaque mask after its rows) or of a .bmp file.
Bytes ShortTableBitmap(int nBits, bool bIcon) {
  const DWORD nUsed = nBits == 1 ? 1 : 2, nStride = (kIcon * nBits + 31) / 32 * 4;
  const DWORD nHeader[] = {
      40, kIcon, (DWORD)(bIcon ? 2 * kIcon : kIcon), (DWORD)nBits << 16 | 1, BI_RGB, 0, 0, 0, nUsed, 0};
  Bytes b(40 + 4 * nUsed + nStride * kIcon + (bIcon ? 4 * kIcon : 0), 0);
  for (size_t i = 0; i < 10; i++)
    Put32(b, 4 * i, nHeader[i]);
  for (size_t i = 0; i < nUsed; i++)
    Put32(b, 40 + 4 * i, kPalette[i]);
  for (int y = 0; y < kIcon; y++)
    for (int x = 0; x < kIcon; x++) {
      const int nIndex = (x + y) % (1 << nBits), nBit = x * nBits;
      b[40 + 4 * nUsed + y * nStride + nBit / 8] |= (BYTE)(nIndex << (8 - nBits - nBit % 8));
    }
  return b;
}

Bytes ShortTableFile(int nBits, bool bIcon) {
  const Bytes dib = ShortTableBitmap(nBits, bIcon);
  Bytes b(bIcon ? 6 + 16 : 14, 0);
  if (bIcon) {
    const DWORD words[] = {0, 1, 1, kIcon | kIcon << 8, 0, 1, (DWORD)nBits};
    for (size_t i = 0; i < 7; i++)
      b[2 * i] = (BYTE)words[i], b[2 * i + 1] = (BYTE)(words[i] >> 8);
    Put32(b, 14, (DWORD)dib.size()), Put32(b, 18, 22);
  } else {
    b[0] = 'B', b[1] = 'M';
    Put32(b, 2, (DWORD)(14 + dib.size())),
        Put32(b, 10, 14 + dib.size() - (DWORD)((kIcon * nBits + 31) / 32 * 4 * kIcon));
  }
  b.insert(b.end(), dib.begin(), dib.end());
  return b;
}

class ShortColourTable : public ::testing::TestWithParam<int> {};

// Every pixel comes from the file, the same after two different heap fills: an index within the
// table takes its colour, any other black in an icon; the .bmp decoder's own colour for those stays
// as it was, one colour.
TEST_P(ShortColourTable, IndicesPastTheTableTakeBlack) {
  const int nBits = GetParam(), nUsed = nBits == 1 ? 1 : 2;
  for (bool bIcon : {true, false}) {
    const std::string path = TempPath("short_table" + std::string(bIcon ? ".ico" : ".bmp"));
    WriteAll(path, ShortTableFile(nBits, bIcon));
    FillHeap(0xA5);
    const std::vector<DWORD> first = LoadOverWhite(path).px;
    FillHeap(0x5A);
    const std::vector<DWORD> second = LoadOverWhite(path).px;
    ::DeleteFileA(path.c_str());
    ASSERT_EQ((size_t)kIcon * kIcon, first.size()) << bIcon;
    EXPECT_EQ(first, second) << bIcon << ": the picture holds what the heap held";
    // Index nUsed lies past the table at (nUsed, 0) counted from the bottom row, as the file counts.
    const DWORD past = bIcon ? 0xFF000000 : first[(size_t)(kIcon - 1) * kIcon + nUsed];
    int nWrong = 0;
    for (int y = 0; y < kIcon; y++)
      for (int x = 0; x < kIcon; x++) {
        const int nIndex = (x + y) % (1 << nBits);
        nWrong += first[(size_t)(kIcon - 1 - y) * kIcon + x] !=
                  (nIndex < nUsed ? 0xFF000000 | kPalette[nIndex] : past);
      }
    EXPECT_EQ(0, nWrong) << (bIcon ? "icon" : "bmp") << ": pixels of another colour";
  }
}

INSTANTIATE_TEST_SUITE_P(Bits, ShortColourTable, ::testing::Values(1, 4, 8));

// --- PNG palettes shorter than the indices -------------------------------------------------------

// A 32 x 32 PNG of 8-bit indices (x + 32 y) % 256 whose palette holds only the first two colours
// of kPalette; its rows lie in one stored deflate block, its checksums made by the platform's CRC-32.
Bytes ShortPalettePng() {
  static auto pfnCrc = reinterpret_cast<DWORD(WINAPI*)(DWORD, const BYTE*, INT)>(
      ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlComputeCrc32"));
  auto be32 = [](Bytes& b, DWORD v) {
    b.insert(b.end(), {(BYTE)(v >> 24), (BYTE)(v >> 16), (BYTE)(v >> 8), (BYTE)v});
  };
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  auto chunk = [&](const char* pszType, Bytes data) {
    be32(png, (DWORD)data.size());
    data.insert(data.begin(), pszType, pszType + 4);
    png.insert(png.end(), data.begin(), data.end());
    be32(png, pfnCrc(0, data.data(), (INT)data.size()));
  };
  Bytes z = {0x78, 0x01, 0x01, 0x20, 0x04, 0xDF, 0xFB}; // a last stored block of 1056 bytes
  DWORD a = 1, b = 0;
  for (int i = 0; i < (kIcon + 1) * kIcon; i++) {
    z.push_back(i % (kIcon + 1) == 0 ? 0 : (BYTE)(i - 1 - i / (kIcon + 1))); // no filter, then indices
    a = (a + z.back()) % 65521, b = (b + a) % 65521;
  }
  be32(z, b << 16 | a);
  chunk("IHDR", {0, 0, 0, kIcon, 0, 0, 0, kIcon, 8, 3, 0, 0, 0});
  chunk("PLTE", {0x0A, 0x14, 0x1E, 0xFF, 0, 0});
  chunk("IDAT", z);
  chunk("IEND", {});
  return png;
}

// An icon whose only entry is that PNG takes black for the indices past its palette, as a bitmap
// entry does, the same after two different heap fills; the PNG as a file opens the same after both,
// the decoder's own colour for those indices one colour.
TEST(ShortPalette, IndicesPastAPngEntrysPaletteTakeBlack) {
  const Bytes png = ShortPalettePng();
  for (bool bIcon : {true, false}) {
    Bytes file = {0, 0, 1, 0, 1, 0, kIcon, kIcon, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put32(file, 14, (DWORD)png.size()), Put32(file, 18, 22);
    file.erase(file.begin(), bIcon ? file.begin() : file.end()); // the PNG alone: no directory
    file.insert(file.end(), png.begin(), png.end());
    const std::string path = TempPath(bIcon ? "short_palette.ico" : "short_palette.png");
    WriteAll(path, file);
    const std::vector<DWORD> first = LoadAfterFill(path, 0xA5), second = LoadAfterFill(path, 0x5A);
    ::DeleteFileA(path.c_str());
    ASSERT_EQ((size_t)kIcon * kIcon, first.size()) << bIcon;
    int nChanged = 0, nWrong = 0;
    for (size_t i = 0; i < first.size(); i++) {
      nChanged += first[i] != second[i];
      nWrong += first[i] != (i % 256 < 2 ? 0xFF000000 | kPalette[i % 256] : bIcon ? 0xFF000000 : first[2]);
    }
    EXPECT_EQ(0, nChanged) << (bIcon ? "icon" : "png") << ": pixels that hold what the heap held";
    EXPECT_EQ(0, nWrong) << (bIcon ? "icon" : "png") << ": pixels of another colour";
  }
}

// --- GIF images whose codes end early ------------------------------------------------------------

// A 16 x 16 GIF of 256 colours whose 9-bit codes give the first nPixels of the indices 0, 1, ...
// 255 (a clear code every 200 keeps the table from widening them), then the end code.
Bytes Gif256(int nPixels) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a', 16, 0, 16, 0, 0xF7, 0, 0};
  for (int i = 0; i < 256; i++)
    b.insert(b.end(), {(BYTE)i, (BYTE)(255 - i), (BYTE)(i * 7)});
  b.insert(b.end(), {0x2C, 0, 0, 0, 0, 16, 0, 16, 0, 0, 8});
  Bytes codes;
  DWORD nHeld = 0, nBits = 0;
  auto put = [&](DWORD code) {
    for (nHeld |= code << nBits, nBits += 9; nBits >= 8; nHeld >>= 8, nBits -= 8)
      codes.push_back((BYTE)nHeld);
  };
  for (int i = 0; i < nPixels; i++)
    i % 200 == 0 ? put(256), put(i) : put(i);
  put(257), codes.push_back((BYTE)nHeld);
  for (size_t at = 0; at < codes.size(); at += 255) {
    b.push_back((BYTE)std::min<size_t>(255, codes.size() - at));
    b.insert(b.end(), codes.begin() + at, codes.begin() + at + b.back());
  }
  b.insert(b.end(), {0, 0x3B});
  return b;
}

// A GIF whose codes end a pixel before its image is full gives the message, as one that ends two
// pixels early does, instead of opening with its last pixel taken from the heap; whole, it opens.
TEST(GifCodes, AnImageWhoseCodesEndEarlyDoesNotOpen) {
  const std::string path = TempPath("short_codes.gif");
  for (int nPixels : {256, 255}) {
    WriteAll(path, Gif256(nPixels));
    const std::vector<DWORD> first = LoadAfterFill(path, 0xA5), second = LoadAfterFill(path, 0x5A);
    EXPECT_TRUE(first == second) << nPixels << ": the picture holds what the heap held";
    if (nPixels == 256)
      EXPECT_TRUE(first.size() == 256 && first[255] == 0xFFFF00F9) << "the whole GIF's last pixel";
    else
      EXPECT_TRUE(first.empty()) << "opened, the last pixel " << std::hex << first.back() << " and "
                                 << (second.empty() ? 0 : second.back());
  }
  ::DeleteFileA(path.c_str());
}

// --- Metafiles beyond the bound ------------------------------------------------------------------

// An enhanced metafile of a rectangle whose frame gives a picture of cx x cy pixels on its device.
Bytes EmfOfSize(int cx, int cy) {
  HDC hDC = ::CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
  const RECT rc = {2, 3, 30, 20};
  ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  HENHMETAFILE hEmf = ::CloseEnhMetaFile(hDC);
  Bytes b(::GetEnhMetaFileBits(hEmf, 0, NULL));
  ::GetEnhMetaFileBits(hEmf, (UINT)b.size(), b.data());
  ::DeleteEnhMetaFile(hEmf);
  ENHMETAHEADER header;
  std::memcpy(&header, b.data(), sizeof(header));
  // The frame in hundredths of a millimetre: (n - 1) pixels of the device.
  header.rclFrame = {0, 0, ::MulDiv(cx - 1, header.szlMillimeters.cx * 100, header.szlDevice.cx),
                     ::MulDiv(cy - 1, header.szlMillimeters.cy * 100, header.szlDevice.cy)};
  std::memcpy(b.data(), &header, sizeof(header));
  return b;
}

// What load_peak, beside this program, says of opening the file in a process of its own: the
// picture's size and the megabytes resident at most, above those at its start.
struct PeakLoad {
  long cx = -1, cy = -1;
  unsigned long nMegabytes = 0;
};
PeakLoad LoadInOwnProcess(const std::string& path) {
  char szExe[MAX_PATH];
  ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
  std::string command = szExe;
  // The shell takes the outer quotes off a command that starts with one.
  command =
      "\"\"" + command.substr(0, command.find_last_of("\\/") + 1) + "load_peak.exe\" \"" + path + "\"\"";
  PeakLoad result;
  FILE* pPipe = _popen(command.c_str(), "r");
  if (pPipe == NULL)
    return result;
  unsigned long nPeak = 0, nStart = 0;
  if (std::fscanf(pPipe, "%ld %ld %lu %lu", &result.cx, &result.cy, &nPeak, &nStart) == 4)
    result.nMegabytes = nPeak - nStart;
  _pclose(pPipe);
  return result;
}

// A picture beyond the bound is refused from its header, before its bitmap is made; one within it
// opens with its one bitmap of 4 bytes a pixel and little more (8000 x 8000: 244 MB).
TEST(MetafileBound, AHugeFrameIsRefusedBeforeItsBitmapIsMade) {
  const std::string path = TempPath("huge.emf");
  for (int n : {16000, 12000, 8000}) {
    WriteAll(path, EmfOfSize(n, n));
    const PeakLoad load = LoadInOwnProcess(path);
    const bool bWithin = (unsigned long long)n * n <= kMaxPicturePixels;
    EXPECT_EQ(bWithin ? n : 0, load.cx) << n;
    EXPECT_EQ(bWithin ? n : 0, load.cy) << n;
    const unsigned long nPicture = bWithin ? (unsigned long)((unsigned long long)n * n * 4 >> 20) : 0;
    EXPECT_LT(load.nMegabytes, nPicture + 32) << n << " x " << n << ": megabytes taken";
  }
  ::DeleteFileA(path.c_str());
}

// --- Metafile pens -------------------------------------------------------------------------------

using Records = std::vector<std::vector<DWORD>>;

// An enhanced metafile of 100 x 100 pixels on a device of 4 pixels a millimetre, of the records given
// as their words after the type and size, with two handle slots.
Bytes Emf(const Records& records) {
  Bytes b(88, 0);
  const DWORD header[] = {EMR_HEADER, 88, 0, 0, 99, 99, 0, 0, 2475, 2475, ENHMETA_SIGNATURE, 0x10000};
  for (size_t i = 0; i < 12; i++)
    Put32(b, 4 * i, header[i]);
  Put32(b, 56, 2);
  const DWORD device[] = {1000, 1000, 250, 250};
  for (size_t i = 0; i < 4; i++)
    Put32(b, 72 + 4 * i, device[i]);
  Records all = records;
  all.push_back({EMR_EOF, 0, 16, 20});
  for (const auto& words : all) {
    const size_t at = b.size();
    b.resize(at + 4 + 4 * words.size());
    Put32(b, at, words[0]);
    Put32(b, at + 4, (DWORD)(4 + 4 * words.size()));
    for (size_t i = 1; i < words.size(); i++)
      Put32(b, at + 4 + 4 * i, words[i]);
  }
  Put32(b, 48, (DWORD)b.size());
  return b;
}

// A pen draws its line: five pixels wide across the middle of the picture.
TEST(MetafilePen, AFivePixelPenDraws) {
  const std::string path = TempPath("pen5.emf");
  WriteAll(path, Emf({{EMR_CREATEPEN, 1, PS_SOLID, 5, 0, 0xFF},
                      {EMR_SELECTOBJECT, 1},
                      {EMR_MOVETOEX, 20, 50},
                      {EMR_LINETO, 80, 50}}));
  const gdiptest::Loaded loaded = LoadOverWhite(path);
  ::DeleteFileA(path.c_str());
  ASSERT_EQ(100, loaded.cx);
  auto at = [&](int x, int y) { return loaded.px[(size_t)y * 100 + x] & 0xFFFFFF; };
  EXPECT_EQ(0xFF0000u, at(50, 48)) << "red, as the file's colour reference 0x0000FF is";
  EXPECT_EQ(0xFF0000u, at(50, 52));
  EXPECT_EQ(0xFFFFFFu, at(50, 44));
  EXPECT_EQ(0xFFFFFFu, at(10, 50));
}

} // namespace
