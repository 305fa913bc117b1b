// The cost of playing metafiles in the player's process: a plain enhanced metafile opened along the
// document's road (LoadPictureOverWhite, which hands it to pixplay.exe) against the same bytes
// played here by GDI into a DIB section over white, as the road did before it had a player; medians
// of interleaved rounds, for a drawing and for a full-HD picture in a bitmap record.
#include "imaging/ImageFile.h"
#include "imaging/MetafileFormat.h"
#include "imaging/PixelPlane.h"
#include "bench/bench_gdiplus.h"
#include "bench/bench_util.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

const int kRounds = 11;

// An enhanced metafile recorded on the screen: lines, shapes and text over a cx x cy frame, and,
// for bBitmap, a picture of that size in one bitmap record.
std::vector<BYTE> RecordEmf(int cx, int cy, bool bBitmap) {
  HDC hScreen = ::GetDC(NULL);
  const int nMmX = ::GetDeviceCaps(hScreen, HORZSIZE), nMmY = ::GetDeviceCaps(hScreen, VERTSIZE);
  const int nPxX = ::GetDeviceCaps(hScreen, HORZRES), nPxY = ::GetDeviceCaps(hScreen, VERTRES);
  const RECT frame = {0, 0, ::MulDiv(cx - 1, nMmX * 100, nPxX), ::MulDiv(cy - 1, nMmY * 100, nPxY)};
  HDC hDC = ::CreateEnhMetaFileA(hScreen, NULL, &frame, NULL);
  ::ReleaseDC(NULL, hScreen);
  if (bBitmap) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> bits((size_t)((cx * 3 + 3) & ~3) * cy);
    for (size_t i = 0; i < bits.size(); i++)
      bits[i] = (BYTE)(i * 7 + i / 4099);
    ::StretchDIBits(hDC, 0, 0, cx, cy, 0, 0, cx, cy, bits.data(), &bi, DIB_RGB_COLORS, SRCCOPY);
  }
  for (int i = 0; i < 200; i++) {
    HPEN hPen = ::CreatePen(PS_SOLID, 1 + i % 5, RGB(i, 255 - i, i * 3));
    HGDIOBJ hOld = ::SelectObject(hDC, hPen);
    ::MoveToEx(hDC, i * cx / 200, 0, NULL);
    ::LineTo(hDC, cx - i * cx / 200, cy - 1);
    ::Ellipse(hDC, i * 3, i * 2, i * 3 + 60, i * 2 + 40);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hPen);
  }
  ::TextOutA(hDC, 20, 20, "Pixolet metafile benchmark", 26);
  EnhMetafilePtr hEmf(::CloseEnhMetaFile(hDC));
  std::vector<BYTE> bytes;
  EnhancedBits(hEmf.get(), bytes);
  return bytes;
}

// The picture as the road played it before: here, by GDI, over white.
void PlayHere(const std::vector<BYTE>& bytes) {
  EnhMetafilePtr hEmf(::SetEnhMetaFileBits((UINT)bytes.size(), bytes.data()));
  ENHMETAHEADER header = {};
  ::GetEnhMetaFileHeader(hEmf.get(), sizeof(header), &header);
  const SIZEL &device = header.szlDevice, &mm = header.szlMillimeters;
  const int cx = ::MulDiv(header.rclFrame.right - header.rclFrame.left, device.cx, mm.cx * 100) + 1;
  const int cy = ::MulDiv(header.rclFrame.bottom - header.rclFrame.top, device.cy, mm.cy * 100) + 1;
  CPixelPlane plane;
  HBITMAP hSection = CreatePlaneBitmap(cx, cy, &plane);
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hDC, hSection);
  const RECT whole = {0, 0, cx, cy}, rcFrame = {0, 0, cx - 1, cy - 1};
  ::FillRect(hDC, &whole, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  ::PlayEnhMetaFile(hDC, hEmf.get(), &rcFrame);
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  ::GdiFlush();
  for (int y = 0; y < cy; y++)
    for (int x = 0; x < cx; x++)
      reinterpret_cast<DWORD*>(plane.Row(y))[x] |= 0xFF000000;
  ::DeleteObject(hSection);
}

void Compare(const char* pszName, const std::vector<BYTE>& bytes) {
  char szPath[MAX_PATH];
  ::GetTempPathA(MAX_PATH, szPath);
  const std::string path = std::string(szPath) + "bench_metafile_open.emf";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::vector<double> road, here;
  bool bOpened = true;
  for (int i = 0; i < kRounds + 1; i++) {
    double t0 = bench::Now();
    HBITMAP hPicture = LoadPictureOverWhite(path.c_str(), NULL);
    double t1 = bench::Now();
    bOpened = bOpened && hPicture != NULL;
    ::DeleteObject(hPicture);
    PlayHere(bytes);
    double t2 = bench::Now();
    if (i > 0) // the first round warms both up
      road.push_back(t1 - t0), here.push_back(t2 - t1);
  }
  ::DeleteFileA(path.c_str());
  const double nRoad = bench::Median(road), nHere = bench::Median(here);
  std::printf("%-24s %8zu bytes  player %8.1f ms  in process %8.1f ms  added %7.1f ms  ratio %5.2f%s\n",
              pszName, bytes.size(), nRoad, nHere, nRoad - nHere, nRoad / nHere,
              bOpened ? "" : "  (NOT OPENED)");
}

} // namespace

int main() {
  bench::CGdiplusSession gdiplus;
  if (!gdiplus.Started())
    return 1;
  Compare("drawing 800 x 600", RecordEmf(800, 600, false));
  Compare("picture 1920 x 1080", RecordEmf(1920, 1080, true));
  return 0;
}
