// Speed of writing and reading picture files on full-HD and 4K pictures: the image document's save
// road per format against a bare GDI+ Save of a ready bitmap to a file (the encoder's own time),
// and our PNG load against a bare GDI+ load of the same file; medians of interleaved rounds.
#include "editor/FramletDoc.h"
#include "imaging/ImageFile.h"
#include "imaging/PixelPlane.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_util.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kRounds = 5;

// A photo-like picture: gradients with noise and hard edges, as the other picture benches use.
void FillPicture(const CPixelPlane& plane) {
  unsigned state = 12345;
  for (int y = 0; y < plane.cy; ++y) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < plane.cx; ++x) {
      state = state * 1664525u + 1013904223u;
      const int noise = (int)((state >> 24) & 15) - 8;
      const int r = std::min(std::max(x * 255 / plane.cx + noise, 0), 255);
      const int g = std::min(std::max(y * 255 / plane.cy + noise, 0), 255);
      const int b = (((x / 64 + y / 64) & 1) ? 200 : 40) + noise;
      pRow[x] = 0xFF000000 | (DWORD)r << 16 | (DWORD)g << 8 | (DWORD)b;
    }
  }
}

// Times each of the operations once per round, interleaved, and gives their medians.
std::vector<double> Interleaved(const std::vector<std::function<void()>>& ops) {
  for (const auto& op : ops)
    op(); // warm-up
  std::vector<std::vector<double>> times(ops.size());
  for (int r = 0; r < kRounds; ++r)
    for (size_t i = 0; i < ops.size(); ++i) {
      const double t0 = bench::Now();
      ops[i]();
      times[i].push_back(bench::Now() - t0);
    }
  std::vector<double> medians;
  for (const auto& t : times)
    medians.push_back(bench::Median(t));
  return medians;
}

std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

struct Format {
  const char* ext;
  const WCHAR* mime;
  bool aim; // the save is to stay within 2x the bare encoder
};
const Format kFormats[] = {
    {"jpg", L"image/jpeg", true}, {"bmp", L"image/bmp", true}, {"png", L"image/png", false}};

bool RunSize(const std::string& folder, int cx, int cy) {
  CPixelPlane plane;
  HBITMAP hPicture = CreatePlaneBitmap(cx, cy, &plane);
  if (hPicture == NULL)
    return false;
  FillPicture(plane);
  CBitmap picture;
  picture.Attach(hPicture);
  CFramletDoc doc;
  doc.m_bAutoDelete = FALSE;
  doc.m_nDpi = 96;
  std::unique_ptr<Gdiplus::Bitmap> pReady(CreateGdipBitmapForWriting(hPicture));
  if (!pReady)
    return false;
  pReady->SetResolution(96, 96);
  ULONG nQuality = 80; // the document's default
  Gdiplus::EncoderParameters params;
  params.Count = 1;
  params.Parameter[0].Guid = Gdiplus::EncoderQuality;
  params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Value = &nQuality;
  bool bAllMet = true;
  for (const Format& f : kFormats) {
    const std::string ours = folder + "bench_writers_ours." + f.ext;
    const std::string bare = folder + "bench_writers_bare." + f.ext;
    CLSID clsid;
    GetEncoderClsid(f.mime, &clsid);
    const Gdiplus::EncoderParameters* pParams = std::string(f.ext) == "jpg" ? &params : NULL;
    const std::string moved = folder + "bench_writers_moved." + f.ext;
    const std::string fresh = folder + "bench_writers_fresh." + f.ext;
    bool bOk = true;
    const std::vector<double> t = Interleaved({
        [&] { bOk &= doc.SaveImage(&picture, ours.c_str()) != FALSE; },
        [&] { bOk &= pReady->Save(Wide(bare).c_str(), &clsid, pParams) == Gdiplus::Ok; },
        // The same Save to a new file that then takes the old one's place, as ours does.
        [&] {
          bOk &=
              pReady->Save(Wide(fresh).c_str(), &clsid, pParams) == Gdiplus::Ok &&
              ::MoveFileExA(fresh.c_str(), moved.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        },
    });
    const double ratio = t[0] / t[1];
    std::printf("%4dx%-4d %s save  ours %7.1f ms  bare Save %7.1f ms  %5.2fx%s%s\n", cx, cy, f.ext, t[0],
                t[1], ratio, f.aim ? (ratio <= 2.0 ? "  aim 2x met" : "  aim 2x NOT met") : "",
                bOk ? "" : "  FAILED");
    std::printf("%13s bare Save to a new file moved over the old one %7.1f ms: ours is %4.2fx that\n", "",
                t[2], t[0] / t[2]);
    if (f.aim && (ratio > 2.0 || !bOk))
      bAllMet = false;
    if (std::string(f.ext) == "png") {
      std::unique_ptr<Gdiplus::Bitmap> pKeep;
      const std::vector<double> l = Interleaved({
          [&] {
            int nDpi = 0;
            HBITMAP h = LoadPictureOverWhite(ours.c_str(), &nDpi);
            bOk &= h != NULL;
            ::DeleteObject(h);
          },
          [&] { pKeep.reset(LoadGdipBitmapFromFile(ours.c_str())); },
          [&] { pKeep.reset(Gdiplus::Bitmap::FromFile(Wide(ours).c_str())); },
      });
      std::printf(
          "%4dx%-4d png load  over white %7.1f ms  as GDI+ bitmap %7.1f ms  bare load %7.1f ms  %5.2fx / "
          "%5.2fx%s\n",
          cx, cy, l[0], l[1], l[2], l[0] / l[2], l[1] / l[2], bOk ? "" : "  FAILED");
    }
    ::DeleteFileA(ours.c_str());
    ::DeleteFileA(bare.c_str());
    ::DeleteFileA(moved.c_str());
  }
  return bAllMet;
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  char szTemp[MAX_PATH];
  if (::GetTempPathA(MAX_PATH, szTemp) == 0)
    return 1;
  std::printf("medians of %d interleaved rounds; JPEG at quality 80\n", kRounds);
  bool bMet = RunSize(szTemp, 3840, 2160);
  bMet = RunSize(szTemp, 1920, 1080) && bMet;
  std::printf("JPEG and BMP saves within 2x a bare Save: %s\n", bMet ? "aim met" : "aim NOT met");
  return 0;
}
