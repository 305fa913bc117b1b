// Picture files: the save road writes exactly the encoder's bytes and refuses what does not hold
// the picture as a full decode of the file would, and the load over white gives the pixels of
// GDI+'s own 32-bit reading.
#include "imaging/ImageFile.h"
#include "imaging/PixelPlane.h"
#include "tests/common/import_patch.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace gdiptest;

std::string TempPath(const std::string& name) {
  char szTemp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, szTemp);
  return std::string(szTemp) + "pix_image_file_" + name;
}
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

struct Format {
  const char* ext;
  const WCHAR* mime;
  long quality; // JPEG only; -1: no parameters
};
const Format kFormats[] = {{"png", L"image/png", -1},  {"bmp", L"image/bmp", -1},  {"tif", L"image/tiff", -1},
                           {"gif", L"image/gif", -1},  {"jpg", L"image/jpeg", 0},  {"jpg", L"image/jpeg", 50},
                           {"jpg", L"image/jpeg", 80}, {"jpg", L"image/jpeg", 100}};
const std::pair<int, int> kSizes[] = {{1, 1}, {2, 3}, {17, 8}, {301, 203}};

// The format's encoder parameters: a JPEG's quality, or none.
const Gdiplus::EncoderParameters* ParamsOf(const Format& f) {
  static ULONG s_quality;
  static Gdiplus::EncoderParameters s_params{
      1, {{Gdiplus::EncoderQuality, 1, Gdiplus::EncoderParameterValueTypeLong, &s_quality}}};
  s_quality = (ULONG)f.quality;
  return f.quality < 0 ? NULL : &s_params;
}

// The pictures the writers get: the document's DIB section as the save road wraps it, and a
// GDI+ bitmap whose alpha varies.
struct Picture {
  HBITMAP hSection = NULL;
  BitmapPtr bitmap;
  Picture(int cx, int cy, bool bAlpha) {
    const Pixels px = RandomPixels(cx, cy, (unsigned)(cx * 31 + cy), bAlpha);
    if (bAlpha) {
      bitmap = FromPixels(cx, cy, px);
      return;
    }
    CPixelPlane plane;
    hSection = CreatePlaneBitmap(cx, cy, &plane);
    for (int y = 0; y < cy; y++)
      std::copy_n(px.begin() + (size_t)y * cx, cx, reinterpret_cast<DWORD*>(plane.Row(y)));
    bitmap.reset(CreateGdipBitmapForWriting(hSection));
  }
  ~Picture() {
    bitmap.reset();
    ::DeleteObject(hSection);
  }
};

// Every writer over pictures with and without alpha of odd, even and tiny sizes: the save is
// accepted and its file holds the bytes of the encoder's own Save of the same bitmap (a GIF is
// written from an indexed copy, so it is read back instead).
TEST(ImageFile, SavesWriteTheEncodersOwnBytes) {
  for (const Format& f : kFormats)
    for (auto [cx, cy] : kSizes)
      for (bool bAlpha : {false, true}) {
        Picture picture(cx, cy, bAlpha);
        ASSERT_TRUE(picture.bitmap);
        const Gdiplus::EncoderParameters* pParams = ParamsOf(f);
        const std::string ours = TempPath(std::string("ours.") + f.ext),
                          bare = TempPath(std::string("bare.") + f.ext);
        std::ostringstream row;
        row << f.ext << " q" << f.quality << " " << cx << "x" << cy << (bAlpha ? " alpha" : "");
        ASSERT_TRUE(SaveGdipBitmapToFile(picture.bitmap.get(), ours.c_str(), f.mime, pParams)) << row.str();
        if (std::string(f.ext) == "gif") {
          BitmapPtr written(LoadGdipBitmapFromFile(ours.c_str()));
          EXPECT_TRUE(written && Width(written.get()) == cx && Height(written.get()) == cy) << row.str();
        } else {
          CLSID clsid;
          ASSERT_GE(GetEncoderClsid(f.mime, &clsid), 0);
          ASSERT_EQ(Gdiplus::Ok,
                    picture.bitmap->Save(std::wstring(bare.begin(), bare.end()).c_str(), &clsid, pParams))
              << row.str();
          EXPECT_TRUE(ReadAll(ours) == ReadAll(bare)) << row.str();
        }
        ::DeleteFileA(ours.c_str());
        ::DeleteFileA(bare.c_str());
      }
}

// What the stand-in encoder writes.
std::string g_written;
Gdiplus::GpStatus WINAPI WriteGiven(Gdiplus::GpImage*, const WCHAR* pszFile, const CLSID*,
                                    const Gdiplus::EncoderParameters*) {
  WriteAll(std::string(pszFile, pszFile + lstrlenW(pszFile)), g_written);
  return Gdiplus::Ok;
}

// Encoder output whole or damaged, as a failing disk or encoder leaves it: the save accepts only
// the whole file, never one a full decode of it refuses, and a refused save leaves the old file.
TEST(ImageFile, ASaveRefusesAFileThatDoesNotHoldThePicture) {
  const int cx = 5, cy = 4;
  // The damage done to the encoder's bytes of the picture (other: those of a 4 x 5 picture).
  enum Damage { kWhole, kEmpty, kHeaderOnly, kHalf, kLastByteLost, kOtherSize };
  const Damage kDamages[] = {kWhole, kEmpty, kHeaderOnly, kHalf, kLastByteLost, kOtherSize};
  const std::string target = TempPath("target");
  for (const Format& f : {kFormats[0], kFormats[1], kFormats[2], kFormats[3], kFormats[6]}) {
    Picture picture(cx, cy, false), other(cy, cx, false);
    const Gdiplus::EncoderParameters* pParams = ParamsOf(f);
    const std::string path = target + "." + f.ext, scratch = TempPath(std::string("scratch.") + f.ext);
    ASSERT_TRUE(SaveGdipBitmapToFile(other.bitmap.get(), path.c_str(), f.mime, pParams));
    const std::string otherBytes = ReadAll(path);
    ASSERT_TRUE(SaveGdipBitmapToFile(picture.bitmap.get(), path.c_str(), f.mime, pParams));
    const std::string whole = ReadAll(path);
    for (Damage damage : kDamages) {
      const std::string written[] = {whole,
                                     "",
                                     whole.substr(0, 30),
                                     whole.substr(0, whole.size() / 2),
                                     whole.substr(0, whole.size() - 1),
                                     otherBytes};
      g_written = written[damage];
      WriteAll(scratch, g_written);
      BitmapPtr decoded(LoadGdipBitmapFromFile(scratch.c_str()));
      const bool bDecodes = decoded && Width(decoded.get()) == cx && Height(decoded.get()) == cy;
      WriteAll(path, "the old file");
      BOOL bSaved;
      {
        CImportPatch patch("gdiplus.dll", "GdipSaveImageToFile", (FARPROC)&WriteGiven);
        ASSERT_TRUE(patch.Applied());
        bSaved = SaveGdipBitmapToFile(picture.bitmap.get(), path.c_str(), f.mime, pParams);
      }
      EXPECT_EQ(damage == kWhole, bSaved != FALSE) << f.ext << " damage " << damage;
      EXPECT_TRUE(bDecodes || !bSaved) << f.ext << " damage " << damage << ": accepted what does not decode";
      EXPECT_EQ(bSaved ? g_written : "the old file", ReadAll(path)) << f.ext << " damage " << damage;
    }
    ::DeleteFileA(path.c_str());
    ::DeleteFileA(scratch.c_str());
  }
}

// The pixels over white as GDI+'s 32-bit ARGB reading of the file gives them.
std::vector<DWORD> PlainOverWhite(const std::string& path, int* pnDpi) {
  BitmapPtr loaded(LoadGdipBitmapFromFile(path.c_str()));
  std::vector<DWORD> px;
  if (!loaded)
    return px;
  *pnDpi = (int)(loaded->GetHorizontalResolution() + 0.5f);
  for (DWORD v : ReadPixels(loaded.get())) {
    const DWORD a = v >> 24;
    DWORD out = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8)
      out |= ((((v >> shift) & 0xFF) * a + 255 * (255 - a) + 127) / 255) << shift;
    px.push_back(out);
  }
  return px;
}

// Files of every format, opaque and with alpha, load over white to the same pixels and resolution
// as GDI+'s reading in 32-bit ARGB gives.
TEST(ImageFile, LoadOverWhiteGivesThePixelsOfTheArgbReading) {
  for (const Format& f : {kFormats[0], kFormats[1], kFormats[2], kFormats[3], kFormats[6]})
    for (auto [cx, cy] : kSizes)
      for (bool bAlpha : {false, true}) {
        Picture picture(cx, cy, bAlpha);
        picture.bitmap->SetResolution(150.4f, 150.4f);
        const std::string path = TempPath(std::string("load.") + f.ext);
        ASSERT_TRUE(SaveGdipBitmapToFile(picture.bitmap.get(), path.c_str(), f.mime, ParamsOf(f)));
        int nDpi = 0, nPlainDpi = -1;
        HBITMAP hLoaded = LoadPictureOverWhite(path.c_str(), &nDpi);
        CPixelPlane plane;
        ASSERT_TRUE(hLoaded != NULL && OpenPixelPlane(hLoaded, plane)) << f.ext;
        std::vector<DWORD> px;
        for (int y = 0; y < plane.cy; y++)
          px.insert(px.end(), reinterpret_cast<DWORD*>(plane.Row(y)),
                    reinterpret_cast<DWORD*>(plane.Row(y)) + cx);
        EXPECT_TRUE(px == PlainOverWhite(path, &nPlainDpi))
            << f.ext << " " << cx << "x" << cy << " alpha " << bAlpha;
        EXPECT_EQ(nPlainDpi, nDpi) << f.ext;
        ::DeleteObject(hLoaded);
        ::DeleteFileA(path.c_str());
      }
}

} // namespace
