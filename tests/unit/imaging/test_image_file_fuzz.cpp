// Picture files whose headers point anywhere, past the end of the file above all, in every format
// the decoder takes: each gives a picture or none, without a fault and without bytes from beyond
// the file. The stream the decoder reads keeps to the file's bytes.
#include "imaging/ByteStream.h"
#include "imaging/ImageFile.h"
#include "imaging/PixelPlane.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace gdiptest;
using Bytes = std::vector<BYTE>;

std::string TempPath(const std::string& name) { return TempFilePath("fuzz_" + name); }
void WriteAll(const std::string& path, const Bytes& bytes) { WriteFileBytes(path, bytes); }
Bytes ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t Find(const Bytes& bytes, const std::string& what, size_t from = 0) {
  auto it = std::search(bytes.begin() + (ptrdiff_t)std::min(from, bytes.size()), bytes.end(), what.begin(),
                        what.end());
  return it == bytes.end() ? std::string::npos : (size_t)(it - bytes.begin());
}
DWORD Le(const Bytes& b, size_t at, int n) {
  DWORD v = 0;
  for (int i = n - 1; i >= 0; i--)
    v = v << 8 | b[at + i];
  return v;
}
DWORD Be(const Bytes& b, size_t at, int n) {
  DWORD v = 0;
  for (int i = 0; i < n; i++)
    v = v << 8 | b[at + i];
  return v;
}

// A field of a header: where it lies, its width, its byte order, and whether it is the offset of
// data, which past the end of the file leaves the picture without its data.
struct Field {
  std::string name;
  size_t at;
  int width;
  bool bBigEndian;
  bool bDataOffset;
};

struct Sample {
  const char* ext;
  Bytes bytes;
  std::vector<Field> fields;
  bool bDecoded = true; // whether the unchanged file gives a picture
};

// The pictures encoded by GDI+ (40 x 30, no alpha).
Bytes Encoded(const WCHAR* pszMime, const char* pszExt) {
  BitmapPtr bitmap = FromPixels(40, 30, RandomPixels(40, 30, 7));
  const std::string path = TempPath(std::string("source.") + pszExt);
  EXPECT_TRUE(SaveGdipBitmapToFile(bitmap.get(), path.c_str(), pszMime, NULL)) << pszExt;
  Bytes bytes = ReadAll(path);
  ::DeleteFileA(path.c_str());
  return bytes;
}

Sample Bmp() {
  Sample s{"bmp", Encoded(L"image/bmp", "bmp"), {}};
  s.fields = {{"bfSize", 2, 4, false, false},       {"bfOffBits", 10, 4, false, true},
              {"biSize", 14, 4, false, false},      {"biWidth", 18, 4, false, false},
              {"biHeight", 22, 4, false, false},    {"biBitCount", 28, 2, false, false},
              {"biSizeImage", 34, 4, false, false}, {"biClrUsed", 46, 4, false, false}};
  return s;
}

Sample Tiff() {
  Sample s{"tif", Encoded(L"image/tiff", "tif"), {}};
  const Bytes& b = s.bytes;
  EXPECT_EQ(0x2A4949u, Le(b, 0, 4) & 0xFFFFFF) << "a little-endian TIFF";
  s.fields.push_back({"IFD offset", 4, 4, false, true});
  const size_t ifd = Le(b, 4, 4);
  s.fields.push_back({"entry count", ifd, 2, false, false});
  for (size_t e = ifd + 2; e < ifd + 2 + 12 * Le(b, ifd, 2); e += 12) {
    const DWORD tag = Le(b, e, 2);
    if (tag == 256)
      s.fields.push_back({"ImageWidth", e + 8, 4, false, false});
    if (tag == 257)
      s.fields.push_back({"ImageLength", e + 8, 4, false, false});
    if (tag == 273) {
      s.fields.push_back({"StripOffsets count", e + 4, 4, false, false});
      // One strip: its offset is in the entry; several: the entry points to the offsets.
      s.fields.push_back({"StripOffsets", e + 8, 4, false, true});
      if (Le(b, e + 4, 4) > 1)
        s.fields.push_back({"first strip's offset", Le(b, e + 8, 4), 4, false, true});
    }
    if (tag == 279)
      s.fields.push_back({"StripByteCounts", e + 8, 4, false, false});
  }
  return s;
}

Sample Png() {
  Sample s{"png", Encoded(L"image/png", "png"), {}};
  const size_t idat = Find(s.bytes, "IDAT");
  s.fields = {{"IHDR length", 8, 4, true, false},
              {"width", 16, 4, true, false},
              {"height", 20, 4, true, false},
              {"IDAT length", idat - 4, 4, true, false}};
  return s;
}

Sample Gif() {
  Sample s{"gif", Encoded(L"image/gif", "gif"), {}};
  const Bytes& b = s.bytes;
  const size_t image = 13 + ((b[10] & 0x80) ? 3u << ((b[10] & 7) + 1) : 0u);
  size_t i = image;
  while (b[i] == 0x21) // extensions before the image
    for (i += 2; b[i] != 0; i += 1u + b[i]) {
    }
  const size_t descriptor = b[image] == 0x21 ? Find(b, std::string(1, '\x2C'), i) : image;
  s.fields = {{"screen width", 6, 2, false, false},
              {"screen height", 8, 2, false, false},
              {"image left", descriptor + 1, 2, false, false},
              {"image width", descriptor + 5, 2, false, false},
              {"image height", descriptor + 7, 2, false, false},
              {"code size", descriptor + 10, 1, false, false},
              {"first block", descriptor + 11, 1, false, false}};
  return s;
}

Sample Jpeg() {
  Sample s{"jpg", Encoded(L"image/jpeg", "jpg"), {}};
  const Bytes& b = s.bytes;
  for (size_t i = 2; i + 4 < b.size() && b[i] == 0xFF;) {
    const int marker = b[i + 1];
    s.fields.push_back({"segment " + std::to_string(marker) + " length", i + 2, 2, true, false});
    if (marker == 0xC0) {
      s.fields.push_back({"SOF height", i + 5, 2, true, false});
      s.fields.push_back({"SOF width", i + 7, 2, true, false});
    }
    if (marker == 0xDA)
      break;
    i += 2 + Be(b, i + 2, 2);
  }
  return s;
}

// An icon of one 32 x 32 32-bit picture: directory, entry, bitmap header, colours and mask.
Sample Ico() {
  Bytes b = {0, 0, 1, 0, 1, 0, 32, 32, 0, 0, 1, 0, 32, 0};
  const DWORD nImage = 40 + 32 * 32 * 4 + 32 * 4;
  for (DWORD v : {nImage, 22ul})
    for (int k = 0; k < 4; k++)
      b.push_back((BYTE)(v >> (8 * k)));
  const DWORD header[] = {40, 32, 64, 0x00200001, 0, 32 * 32 * 4, 0, 0, 0, 0};
  for (DWORD v : header)
    for (int k = 0; k < 4; k++)
      b.push_back((BYTE)(v >> (8 * k)));
  for (DWORD px : RandomPixels(32, 32, 3))
    for (int k = 0; k < 4; k++)
      b.push_back(k == 3 ? 0xFF : (BYTE)(px >> (8 * k)));
  b.resize(b.size() + 32 * 4, 0);
  Sample s{"ico", b, {}};
  s.fields = {{"count", 4, 2, false, false},           {"entry width", 6, 1, false, false},
              {"entry height", 7, 1, false, false},    {"entry bits", 12, 2, false, false},
              {"bytes in image", 14, 4, false, false}, {"image offset", 18, 4, false, true},
              {"biSize", 22, 4, false, false},         {"biWidth", 26, 4, false, false},
              {"biHeight", 30, 4, false, false},       {"biBitCount", 36, 2, false, false},
              {"biSizeImage", 42, 4, false, false},    {"biClrUsed", 54, 4, false, false}};
  return s;
}

// The same picture as a cursor, its hot spot where the icon keeps planes and bits. The platform's
// decoder takes no cursor, so every variation gives none, without a fault.
Sample Cur() {
  Sample s = Ico();
  s.ext = "cur";
  s.bDecoded = false;
  s.bytes[2] = 2;
  s.bytes[10] = 8, s.bytes[12] = 8;
  return s;
}

// A 40 x 30 bitmap of 16 colours whose rows are run-length coded: each a run of two alternating
// colours, an absolute run of five, and the end of the row.
Sample Rle8() {
  Bytes b(14 + 40 + 64, 0);
  b[0] = 'B', b[1] = 'M';
  const DWORD header[] = {40, 40, 30, 8 << 16 | 1, BI_RLE8, 0, 0, 0, 16, 16};
  for (size_t i = 0; i < 10; i++)
    for (int k = 0; k < 4; k++)
      b[14 + 4 * i + k] = (BYTE)(header[i] >> (8 * k));
  for (size_t i = 0; i < 16; i++)
    b[54 + 4 * i] = (BYTE)(i * 16), b[55 + 4 * i] = (BYTE)(255 - i * 16);
  b[10] = (BYTE)b.size();
  for (int y = 0; y < 30; y++)
    b.insert(b.end(), {30, (BYTE)(y % 16), 0, 5, 1, 2, 3, 4, 5, 0, 0, 0});
  b.insert(b.end(), {0, 1});
  Sample s{"bmp", b, {}};
  s.fields = {{"bfOffBits", 10, 4, false, true},
              {"biSize", 14, 4, false, false},
              {"biWidth", 18, 4, false, false},
              {"biHeight", 22, 4, false, false},
              {"biBitCount", 28, 2, false, false},
              {"biCompression", 30, 4, false, false},
              {"biClrUsed", 46, 4, false, false},
              {"first run", 118, 1, false, false},
              {"first absolute run", 121, 1, false, false}};
  return s;
}

// The enhanced metafile of a few GDI drawings and a bitmap on the screen's reference.
HENHMETAFILE RecordDrawing() {
  HDC hDC = ::CreateEnhMetaFileA(NULL, NULL, NULL, NULL);
  const RECT rc = {2, 3, 30, 20};
  ::FillRect(hDC, &rc, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  ::Ellipse(hDC, 5, 5, 25, 18);
  // With its size of pixels: the platform converts a bitmap without it to a Windows metafile
  // record of the header alone.
  BITMAPINFO bmi = {{sizeof(BITMAPINFOHEADER), 8, 6, 1, 32, BI_RGB, 8 * 6 * 4}};
  const Pixels px = RandomPixels(8, 6, 5);
  ::StretchDIBits(hDC, 10, 10, 8, 6, 0, 0, 8, 6, px.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
  return ::CloseEnhMetaFile(hDC);
}

// Where the first record of the type starts, walking records of 32-bit sizes in bytes (enhanced)
// or in words (Windows) from the first; npos when there is none.
size_t FindRecord(const Bytes& b, size_t first, DWORD nType, bool bWords) {
  for (size_t at = first; at + 8 <= b.size();) {
    const DWORD nSize = Le(b, at + 4 * !bWords, 4) * (bWords ? 2 : 1);
    if ((bWords ? Le(b, at + 4, 2) : Le(b, at, 4)) == nType)
      return at;
    if (nSize == 0)
      break;
    at += nSize;
  }
  return std::string::npos;
}

Sample Emf() {
  HENHMETAFILE hEmf = RecordDrawing();
  Bytes b(::GetEnhMetaFileBits(hEmf, 0, NULL));
  ::GetEnhMetaFileBits(hEmf, (UINT)b.size(), b.data());
  ::DeleteEnhMetaFile(hEmf);
  Sample s{"emf", b, {}};
  const size_t second = Le(b, 4, 4), dib = FindRecord(b, second, EMR_STRETCHDIBITS, false);
  EXPECT_NE(std::string::npos, dib);
  s.fields = {{"bitmap header offset", dib + 48, 4, false, true},
              {"bitmap header size", dib + 52, 4, false, false},
              {"pixels offset", dib + 56, 4, false, true},
              {"pixels size", dib + 60, 4, false, false},
              {"bitmap width", dib + Le(b, dib + 48, 4) + 4, 4, false, false},
              {"bitmap height", dib + Le(b, dib + 48, 4) + 8, 4, false, false},
              {"bitmap record size", dib + 4, 4, false, false},
              {"header size", 4, 4, false, false},
              {"bounds right", 16, 4, false, false},
              {"frame right", 32, 4, false, false},
              {"nBytes", 48, 4, false, false},
              {"nRecords", 52, 4, false, false},
              {"nHandles", 56, 2, false, false},
              {"description length", 64, 4, false, false},
              {"description offset", 68, 4, false, false},
              {"second record size", second + 4, 4, false, false}};
  return s;
}

// A placeable Windows metafile of the same drawing, 1440 units an inch.
Sample Wmf() {
  HENHMETAFILE hEmf = RecordDrawing();
  HDC hScreen = ::GetDC(NULL);
  Bytes body(::GetWinMetaFileBits(hEmf, 0, NULL, MM_ANISOTROPIC, hScreen));
  ::GetWinMetaFileBits(hEmf, (UINT)body.size(), body.data(), MM_ANISOTROPIC, hScreen);
  ::ReleaseDC(NULL, hScreen);
  ::DeleteEnhMetaFile(hEmf);
  const WORD header[10] = {0xCDD7, 0x9AC6, 0, 0, 0, 600, 400, 1440, 0, 0};
  WORD wSum = 0;
  Bytes b;
  for (WORD w : header) {
    wSum ^= w;
    b.push_back((BYTE)w), b.push_back((BYTE)(w >> 8));
  }
  b.push_back((BYTE)wSum), b.push_back((BYTE)(wSum >> 8));
  b.insert(b.end(), body.begin(), body.end());
  Sample s{"wmf", b, {}};
  size_t dib = FindRecord(b, 22 + 18, META_STRETCHDIB, true), nDibParam = 11;
  if (dib == std::string::npos)
    dib = FindRecord(b, 22 + 18, META_DIBSTRETCHBLT, true), nDibParam = 10;
  EXPECT_NE(std::string::npos, dib);
  s.fields = {{"bitmap record size", dib, 4, false, false},
              {"bitmap width", dib + 6 + 2 * nDibParam + 4, 4, false, false},
              {"bitmap height", dib + 6 + 2 * nDibParam + 8, 4, false, false},
              {"bitmap bits", dib + 6 + 2 * nDibParam + 14, 2, false, false},
              {"bounds right", 10, 2, false, false},
              {"units an inch", 14, 2, false, false},
              {"mtHeaderSize", 24, 2, false, false},
              {"mtSize", 28, 4, false, false},
              {"mtMaxRecord", 34, 4, false, false},
              {"first record size", 40, 4, false, false}};
  return s;
}

void Put(Bytes& b, const Field& f, DWORD v) {
  for (int k = 0; k < f.width; k++)
    b[f.at + (f.bBigEndian ? f.width - 1 - k : k)] = (BYTE)(v >> (8 * k));
}

// The values tried in every field: small, about the file's size, and far past it.
// Besides, the dimensions whose products wrap at 32 bits in a decoder's buffer size, or that take
// it seconds to refuse.
std::vector<DWORD> ValuesFor(size_t nSize) {
  return {0,          1,          0x7F,       (DWORD)nSize - 1, (DWORD)nSize, (DWORD)nSize + 64,
          0x100000,   0x7FFFFFF0, 0x7FFFFFFF, 0xFFFFFFFF,       0x02000000,   0x02000001,
          0x04000000, 0x04000002, 0x08000040, 0x40000000};
}

class HeaderFuzz : public ::testing::TestWithParam<Sample (*)()> {};

// Every field of the header takes every value. The unchanged file gives its picture; a file whose
// data offset lies at or past its end gives none; any other gives a picture or none, and the same
// each time it is read (bytes from beyond the file would differ from one read to the next).
TEST_P(HeaderFuzz, EachFileGivesItsPictureOrNone) {
  const Sample sample = GetParam()();
  ASSERT_FALSE(sample.bytes.empty());
  const std::string path = TempPath(std::string("file.") + sample.ext);
  WriteAll(path, sample.bytes);
  ASSERT_EQ(sample.bDecoded, LoadOverWhite(path).cx > 0) << sample.ext << ": the unchanged file";
  int nPictures = 0, nNone = 0;
  for (const Field& field : sample.fields) {
    ASSERT_LE(field.at + field.width, sample.bytes.size()) << sample.ext << " " << field.name;
    for (DWORD value : ValuesFor(sample.bytes.size())) {
      Bytes bytes = sample.bytes;
      Put(bytes, field, value);
      WriteAll(path, bytes);
      const Loaded first = LoadOverWhite(path);
      const std::string what = std::string(sample.ext) + " " + field.name + " = " + std::to_string(value);
      if (field.bDataOffset && value >= sample.bytes.size())
        EXPECT_EQ(0, first.cx) << what << ": a picture of data past the end of the file";
      EXPECT_TRUE(first == LoadOverWhite(path)) << what << ": two reads of the file differ";
      (first.cx > 0 ? nPictures : nNone)++;
    }
  }
  ::DeleteFileA(path.c_str());
  std::printf("[ NOTE     ] %s: %d pictures, %d refused\n", sample.ext, nPictures, nNone);
}

// Seeded mutations of every sample: a few bytes of its first 128 set at random, forty times. Each
// file gives a picture or none, the same on both reads.
TEST_P(HeaderFuzz, SeededMutationsGiveAPictureOrNone) {
  const Sample sample = GetParam()();
  const std::string path = TempPath(std::string("mutated.") + sample.ext);
  std::mt19937 random(0x5EED + (unsigned)sample.bytes.size());
  for (int nRound = 0; nRound < 40; nRound++) {
    Bytes bytes = sample.bytes;
    std::string what = std::string(sample.ext) + ":";
    for (int k = 1 + (int)(random() % 4); k > 0; k--) {
      const size_t at = random() % std::min<size_t>(128, bytes.size());
      bytes[at] = (BYTE)random();
      what += " [" + std::to_string(at) + "] = " + std::to_string(bytes[at]);
    }
    WriteAll(path, bytes);
    EXPECT_TRUE(LoadOverWhite(path) == LoadOverWhite(path)) << what << ": two reads of the file differ";
  }
  ::DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Formats, HeaderFuzz,
                         ::testing::Values(Bmp, Rle8, Tiff, Png, Gif, Jpeg, Ico, Cur, Emf, Wmf));

// The icons of the report, whose bitmap's height or width makes the decoder's buffer wrap at 32 bits
// or take it seconds, give no picture as .ico nor renamed .bmp; the sound icon gives its own.
TEST(ImageFile, IconsOfHugeDimensionsGiveNoPicture) {
  const Sample icon = Ico();
  for (const char* ext : {"ico", "bmp"}) {
    const std::string path = TempPath(std::string("huge.") + ext);
    WriteAll(path, icon.bytes);
    EXPECT_EQ(32, LoadOverWhite(path).cx) << ext;
    for (const auto& [at, value] : {std::make_pair(30, 0x08000040ul), std::make_pair(30, 0x04000000ul),
                                    std::make_pair(30, 0x04000002ul), std::make_pair(26, 0x40000000ul),
                                    std::make_pair(26, 0x02000000ul), std::make_pair(26, 0x02000001ul)}) {
      Bytes bytes = icon.bytes;
      Put(bytes, {"", (size_t)at, 4, false, false}, value);
      WriteAll(path, bytes);
      EXPECT_EQ(0, LoadOverWhite(path).cx) << ext << " at " << at << " = " << value;
    }
    ::DeleteFileA(path.c_str());
  }
}

// The directory of an icon of two pictures, each entry's size, offset and height set where the
// entry would leave the file, overlap the directory or not match its bitmap: no picture.
TEST(ImageFile, AnIconDirectoryPointingOutsideGivesNoPicture) {
  const Bytes one = Ico().bytes;
  const DWORD nImage = (DWORD)one.size() - 22;
  Bytes two(one.begin(), one.begin() + 22);
  two[4] = 2;
  const Bytes entry(one.begin() + 6, one.begin() + 22);
  two.insert(two.begin() + 22, entry.begin(), entry.end()); // a second entry
  Put(two, {"", 18, 4, false, false}, 38);
  Put(two, {"", 34, 4, false, false}, 38 + nImage);
  for (int k = 0; k < 2; k++)
    two.insert(two.end(), one.begin() + 22, one.end());
  const std::string path = TempPath("two.ico");
  WriteAll(path, two);
  EXPECT_EQ(32, LoadOverWhite(path).cx);
  for (size_t at : {6u, 22u}) {
    const DWORD nToEnd = (DWORD)two.size() - (at == 6 ? 38 : 38 + nImage);
    for (const auto& [field, value] :
         {std::make_pair(8, nToEnd + 1), std::make_pair(8, 0xFFFFFFFFul), std::make_pair(12, 0ul),
          std::make_pair(12, 37ul), std::make_pair(12, (DWORD)two.size() - nImage + 1),
          std::make_pair(12, 0xFFFFFFF0ul), std::make_pair(1, 8ul), std::make_pair(1, 128ul)}) {
      Bytes bytes = two;
      Put(bytes, {"", at + field, field == 1 ? 1 : 4, false, false}, value);
      WriteAll(path, bytes);
      EXPECT_EQ(0, LoadOverWhite(path).cx) << "entry at " << at << ", field " << field << " = " << value;
    }
  }
  ::DeleteFileA(path.c_str());
}

// The files of the report: a 9 KB BMP whose data lies at 2 GB, at 1 MB or 64 bytes past its end,
// and a TIFF whose directory or strip lies at 0x7FFFFFF0. None is a picture.
TEST(ImageFile, DataOffsetsPastTheEndGiveNoPicture) {
  BitmapPtr bitmap = FromPixels(55, 55, RandomPixels(55, 55, 9));
  const std::string bmp = TempPath("far.bmp"), tif = TempPath("far.tif");
  ASSERT_TRUE(SaveGdipBitmapToFile(bitmap.get(), bmp.c_str(), L"image/bmp", NULL));
  ASSERT_TRUE(SaveGdipBitmapToFile(bitmap.get(), tif.c_str(), L"image/tiff", NULL));
  const Bytes bmpBytes = ReadAll(bmp), tifBytes = ReadAll(tif);
  ASSERT_GT(bmpBytes.size(), 9000u);
  const Sample tiff = Tiff();
  for (DWORD offset : {0x7FFFFFFFul, 0x100000ul, (DWORD)bmpBytes.size() + 64}) {
    Bytes bytes = bmpBytes;
    Put(bytes, {"bfOffBits", 10, 4, false, true}, offset);
    WriteAll(bmp, bytes);
    EXPECT_EQ(nullptr, LoadPictureOverWhite(bmp.c_str(), NULL)) << "bfOffBits " << offset;
  }
  for (const Field& field : tiff.fields) {
    if (!field.bDataOffset)
      continue;
    Bytes bytes = tiff.bytes;
    Put(bytes, field, 0x7FFFFFF0);
    WriteAll(tif, bytes);
    EXPECT_EQ(nullptr, LoadPictureOverWhite(tif.c_str(), NULL)) << field.name;
  }
  ::DeleteFileA(bmp.c_str());
  ::DeleteFileA(tif.c_str());
}

// The stream keeps to its bytes: reads stop at the end with S_FALSE and the count read, a position
// past the end reads nothing, and Stat gives the size.
TEST(ByteStream, ReadsKeepToTheBytes) {
  IStream* pStream = CreateByteStream(Bytes{1, 2, 3, 4, 5});
  ASSERT_NE(nullptr, pStream);
  BYTE buffer[8] = {};
  ULONG nRead = 99;
  EXPECT_EQ(S_OK, pStream->Read(buffer, 3, &nRead));
  EXPECT_EQ(3u, nRead);
  EXPECT_EQ(S_FALSE, pStream->Read(buffer, 8, &nRead));
  EXPECT_EQ(2u, nRead);
  EXPECT_EQ(4, buffer[0]);
  for (LONGLONG at : {5LL, 6LL, 0x7FFFFFF0LL, 0x100000000LL}) {
    LARGE_INTEGER move;
    move.QuadPart = at;
    ULARGE_INTEGER pos = {};
    ASSERT_EQ(S_OK, pStream->Seek(move, STREAM_SEEK_SET, &pos)) << at;
    EXPECT_EQ((ULONGLONG)at, pos.QuadPart);
    buffer[0] = 0xEE;
    EXPECT_EQ(S_FALSE, pStream->Read(buffer, 4, &nRead)) << at;
    EXPECT_EQ(0u, nRead);
    EXPECT_EQ(0xEE, buffer[0]);
  }
  LARGE_INTEGER back;
  back.QuadPart = -2;
  ULARGE_INTEGER pos = {};
  EXPECT_EQ(S_OK, pStream->Seek(back, STREAM_SEEK_END, &pos));
  EXPECT_EQ(3u, pos.QuadPart);
  back.QuadPart = -6;
  EXPECT_EQ(STG_E_INVALIDFUNCTION, pStream->Seek(back, STREAM_SEEK_END, &pos));
  IStream* pClone = NULL;
  ASSERT_EQ(S_OK, pStream->Clone(&pClone));
  EXPECT_EQ(S_FALSE, pClone->Read(buffer, 4, &nRead));
  EXPECT_EQ(2u, nRead);
  EXPECT_EQ(4, buffer[0]);
  STATSTG stat = {};
  EXPECT_EQ(S_OK, pStream->Stat(&stat, STATFLAG_NONAME));
  EXPECT_EQ(5u, stat.cbSize.QuadPart);
  EXPECT_EQ(STG_E_ACCESSDENIED, pStream->Write(buffer, 1, &nRead));
  pClone->Release();
  pStream->Release();
}

} // namespace
