// Metafiles the platform's own recorder writes open through the program's road with the pixels the
// platform's playback of them gives in this process: every call that records a bitmap, pen or brush,
// the bitmap calls at every bit count, in both formats.
#include "imaging/MetafileFormat.h"
#include "tests/unit/imaging/metafile_support.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// A 16 x 16 bitmap of nBits a pixel with distinct colours where it has a table: its header and
// colours, its rows, and a DIB section of them selected into a memory DC.
struct Source {
  explicit Source(int nBits) : info(sizeof(BITMAPINFOHEADER) + 1024), rows(16 * Stride(nBits)) {
    const DWORD nColours = nBits <= 8 ? 1u << nBits : 0;
    Info()->bmiHeader = {sizeof(BITMAPINFOHEADER), 16, 16, 1,       (WORD)nBits, BI_RGB,
                         (DWORD)rows.size(),       0,  0,  nColours};
    for (DWORD i = 0; i < Info()->bmiHeader.biClrUsed; i++)
      Info()->bmiColors[i] = {(BYTE)(i * 37), (BYTE)(255 - i * 53), (BYTE)(i * 91 + 40), 0};
    for (size_t i = 0; i < rows.size(); i++)
      rows[i] = (BYTE)(i * 29 + i / Stride(nBits) * 7 + 0x35);
    void* pBits = NULL;
    hBitmap = ::CreateDIBSection(NULL, Info(), DIB_RGB_COLORS, &pBits, NULL, 0);
    std::memcpy(pBits, rows.data(), rows.size());
    hOld = ::SelectObject(hDC, hBitmap);
  }
  ~Source() {
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
  }
  static size_t Stride(int nBits) { return (16 * nBits + 31) / 32 * 4; }
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(info.data()); }
  Bytes info, rows;
  HBITMAP hBitmap;
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld;
};

void Fill(HDC hDC, HBRUSH hBrush) {
  const RECT rc = {10, 10, 60, 50};
  ::FillRect(hDC, &rc, hBrush);
  ::DeleteObject(hBrush);
}
void Stroke(HDC hDC, HPEN hPen) {
  ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
  HGDIOBJ hOld = ::SelectObject(hDC, hPen);
  ::Rectangle(hDC, 10, 10, 70, 60);
  ::LineTo(hDC, 80, 30);
  ::DeleteObject(::SelectObject(hDC, hOld));
}
HPEN ExtPen(DWORD nStyle, DWORD nWidth, const LOGBRUSH& brush) {
  return ::ExtCreatePen(nStyle, nWidth, &brush, 0, NULL);
}

using DrawFn = void (*)(HDC hDC, Source& source);
struct Call {
  const char* name;
  DrawFn draw;
};
// clang-format off
const Call kBitmapCalls[] = {
    {"BitBlt", [](HDC d, Source& s) { ::BitBlt(d, 10, 12, 16, 16, s.hDC, 0, 0, SRCCOPY); }},
    {"StretchBlt", [](HDC d, Source& s) { ::StretchBlt(d, 5, 8, 40, 30, s.hDC, 2, 1, 12, 14, SRCCOPY); }},
    {"StretchDIBits", [](HDC d, Source& s) {
       ::StretchDIBits(d, 6, 9, 32, 48, 0, 0, 16, 16, s.rows.data(), s.Info(), DIB_RGB_COLORS, SRCCOPY); }},
    {"SetDIBitsToDevice", [](HDC d, Source& s) {
       ::SetDIBitsToDevice(d, 20, 30, 16, 16, 0, 0, 0, 16, s.rows.data(), s.Info(), DIB_RGB_COLORS); }},
    // Rows 4 to 9 as a band of 6 scans, under the header of the whole bitmap with the band's size.
    {"SetDIBitsToDeviceBanded", [](HDC d, Source& s) {
       const DWORD nStride = s.Info()->bmiHeader.biSizeImage /= 16;
       s.Info()->bmiHeader.biSizeImage *= 6;
       ::SetDIBitsToDevice(d, 20, 30, 16, 16, 0, 0, 4, 6, s.rows.data() + 4 * nStride, s.Info(), DIB_RGB_COLORS); }}};
// Of a 32-bit source; the last five only the enhanced format records.
const Call kOtherCalls[] = {
    {"PatBlt", [](HDC d, Source&) { ::PatBlt(d, 10, 10, 40, 30, BLACKNESS); }},
    {"MonoPatternBrush", [](HDC d, Source&) {
       const WORD rows[8] = {0xAA, 0x55, 0xF0, 0x0F, 0xCC, 0x33, 0xFF, 0x00};
       HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, rows);
       ::SetTextColor(d, RGB(200, 0, 0));
       Fill(d, ::CreatePatternBrush(hBitmap));
       ::DeleteObject(hBitmap); }},
    {"DibPatternBrush", [](HDC d, Source&) {
       Source source(8);
       Bytes packed(source.info);
       packed.insert(packed.end(), source.rows.begin(), source.rows.end());
       Fill(d, ::CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS)); }},
    {"HatchedBrush", [](HDC d, Source&) { Fill(d, ::CreateHatchBrush(HS_DIAGCROSS, RGB(0, 120, 0))); }},
    {"SolidPen", [](HDC d, Source&) { Stroke(d, ExtPen(PS_COSMETIC | PS_SOLID, 1, {BS_SOLID, RGB(0, 0, 200)})); }},
    {"DashedPen", [](HDC d, Source&) { Stroke(d, ExtPen(PS_COSMETIC | PS_DASH, 1, {BS_SOLID, RGB(150, 0, 150)})); }},
    {"GeometricPen", [](HDC d, Source&) { Stroke(d, ExtPen(PS_GEOMETRIC | PS_ENDCAP_SQUARE, 5, {BS_SOLID, 0xA05A00})); }},
    {"PatternPen", [](HDC d, Source& s) {
       Stroke(d, ExtPen(PS_GEOMETRIC, 6, {BS_DIBPATTERNPT, DIB_RGB_COLORS, (ULONG_PTR)s.info.data()})); }},
    {"BitBltWithoutSource", [](HDC d, Source&) { ::BitBlt(d, 10, 10, 40, 30, NULL, 0, 0, DSTINVERT); }},
    {"MaskBlt", [](HDC d, Source& s) {
       const WORD rows[16] = {0xF0F0, 0x0F0F, 0xFF00, 0x00FF, 0xAAAA, 0x5555, 0xFFFF, 0x0000};
       HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, rows);
       ::MaskBlt(d, 10, 10, 16, 16, s.hDC, 0, 0, hMask, 0, 0, MAKEROP4(SRCCOPY, BLACKNESS));
       ::DeleteObject(hMask); }},
    {"PlgBlt", [](HDC d, Source& s) {
       const POINT points[3] = {{20, 10}, {50, 20}, {10, 40}};
       ::PlgBlt(d, points, s.hDC, 0, 0, 16, 16, NULL, 0, 0); }},
    {"AlphaBlend", [](HDC d, Source& s) { ::GdiAlphaBlend(d, 10, 10, 32, 32, s.hDC, 0, 0, 16, 16, {AC_SRC_OVER, 0, 160, 0}); }},
    {"TransparentBlt", [](HDC d, Source& s) { ::GdiTransparentBlt(d, 10, 10, 32, 32, s.hDC, 0, 0, 16, 16, 0); }}};
// clang-format on

struct RecorderCase {
  std::string name;
  bool bWindows; // recorded as a Windows metafile, then made placeable with a box of 100 units
  int nBits;
  DrawFn draw;
  bool bOpens = true; // false: the recorder leaves out bytes the record's header names
};
std::ostream& operator<<(std::ostream& os, const RecorderCase& c) { return os << c.name; }

std::vector<RecorderCase> RecorderCases() {
  std::vector<RecorderCase> cases;
  for (bool bWindows : {false, true}) {
    const std::string format = bWindows ? "Wmf" : "";
    for (int nBits : {1, 4, 8, 16, 24, 32})
      for (const Call& call : kBitmapCalls)
        cases.push_back({call.name + std::to_string(nBits) + format, bWindows, nBits, call.draw});
    for (const Call& call : kOtherCalls)
      if (!bWindows || &call < std::end(kOtherCalls) - 5)
        cases.push_back({call.name + format, bWindows, 32, call.draw});
  }
  // A header that leaves its colour count or its image size 0, as callers often give it: the enhanced
  // recorder writes the bitmap without the colours its bits index, the Windows one without its rows.
  cases.push_back({"StretchDIBitsOfNoColourCount1", false, 1,
                   [](HDC d, Source& s) {
                     s.Info()->bmiHeader.biClrUsed = 0;
                     kBitmapCalls[2].draw(d, s);
                   },
                   false});
  cases.push_back({"StretchDIBitsOfNoImageSize24Wmf", true, 24,
                   [](HDC d, Source& s) {
                     s.Info()->bmiHeader.biSizeImage = 0;
                     kBitmapCalls[2].draw(d, s);
                   },
                   false});
  return cases;
}

// The bytes the platform records of the case: an enhanced metafile of a frame of 25.4 mm, or a
// Windows metafile behind a placeable header whose box of 100 units at 96 an inch makes a unit a pixel.
Bytes Record(const RecorderCase& c) {
  const RECT frame = {0, 0, 2540, 2540};
  HDC hDC = c.bWindows ? ::CreateMetaFileA(NULL) : ::CreateEnhMetaFileA(NULL, NULL, &frame, NULL);
  Source source(c.nBits);
  c.draw(hDC, source);
  Bytes bytes;
  if (!c.bWindows) {
    EnhMetafilePtr hEmf(::CloseEnhMetaFile(hDC));
    return EnhancedBits(hEmf.get(), bytes) ? bytes : Bytes();
  }
  HMETAFILE hMf = ::CloseMetaFile(hDC);
  PlaceableHeader header = {kPlaceableKey, 0, 0, 0, 100, 100, 96, 0, 0};
  for (int i = 0; i < 10; i++)
    header.wChecksum ^= reinterpret_cast<const WORD*>(&header)[i];
  bytes.assign(reinterpret_cast<const BYTE*>(&header), reinterpret_cast<const BYTE*>(&header + 1));
  bytes.resize(sizeof(header) + ::GetMetaFileBitsEx(hMf, 0, NULL));
  ::GetMetaFileBitsEx(hMf, (UINT)(bytes.size() - sizeof(header)), bytes.data() + sizeof(header));
  ::DeleteMetaFile(hMf);
  return bytes;
}

class RecordedMetafile : public ::testing::TestWithParam<RecorderCase> {};

TEST_P(RecordedMetafile, OpensAsThePlatformPlaysIt) {
  const RecorderCase& c = GetParam();
  const Bytes bytes = Record(c);
  ASSERT_GT(bytes.size(), 48u) << "the platform recorded nothing";
  const std::string path = gdiptest::TempFilePath("recorded_" + c.name + (c.bWindows ? ".wmf" : ".emf"));
  gdiptest::WriteFileBytes(path, bytes);
  const gdiptest::Loaded loaded = gdiptest::LoadOverWhite(path);
  ::DeleteFileA(path.c_str());
  if (!c.bOpens) {
    EXPECT_EQ(0, loaded.cx) << "a bitmap without the bytes its header names opened";
    return;
  }
  ASSERT_GT(loaded.cx, 0) << "could not be opened as a picture";
  EXPECT_TRUE(loaded == metafile_test::PlayedHere(bytes, loaded.cx, loaded.cy))
      << "pixels other than the platform's";
}

INSTANTIATE_TEST_SUITE_P(Calls, RecordedMetafile, ::testing::ValuesIn(RecorderCases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
