// Reading a 3840 x 2160 24-bit BMP file with CExtBitmap, as it is and converted to 32 bits,
// against a plain read of the same file into a buffer plus a memcpy of its bytes, in the same run.
#include "framework/core/fw_file.h"
#include "toolkit/foundation/ExtBitmap.h"
#include "bench/bench_util.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using bench::Median;
using bench::Now;

const int kWidth = 3840, kHeight = 2160, kRuns = 21;

// A bottom-up 24-bit BMP with a gradient and a pattern, so that no page of it is all zeros.
std::vector<BYTE> MakeBmp() {
  const DWORD nStride = (kWidth * 3 + 3) & ~3, nPixels = nStride * kHeight;
  BITMAPFILEHEADER file = {0x4D42, 54 + nPixels, 0, 0, 54};
  BITMAPINFOHEADER info = {sizeof(info), kWidth, kHeight, 1, 24, BI_RGB};
  std::vector<BYTE> bytes(54 + nPixels);
  std::memcpy(bytes.data(), &file, 14);
  std::memcpy(bytes.data() + 14, &info, 40);
  for (int y = 0; y < kHeight; y++) {
    BYTE* p = bytes.data() + 54 + (size_t)y * nStride;
    for (int x = 0; x < kWidth; x++, p += 3) {
      p[0] = (BYTE)(x * 255 / kWidth);
      p[1] = (BYTE)(y * 255 / kHeight);
      p[2] = (BYTE)(x ^ y);
    }
  }
  return bytes;
}

// Runs the operations in turn, kRuns rounds, so that drifts of the machine touch all alike;
// answers the median milliseconds of each, or nothing when a run fails.
std::vector<double> TimeInTurn(const std::vector<std::function<bool()>>& ops) {
  std::vector<std::vector<double>> times(ops.size());
  for (int i = 0; i < kRuns; i++) {
    for (size_t k = 0; k < ops.size(); k++) {
      const double t0 = Now();
      if (!ops[k]()) {
        std::fprintf(stderr, "a run failed\n");
        return {};
      }
      times[k].push_back(Now() - t0);
    }
  }
  std::vector<double> medians;
  for (const auto& t : times)
    medians.push_back(Median(t));
  return medians;
}

} // namespace

int main() {
  char szDir[MAX_PATH], szPath[MAX_PATH];
  ::GetTempPathA(MAX_PATH, szDir);
  ::GetTempFileNameA(szDir, "bmp", 0, szPath);
  const std::vector<BYTE> bmp = MakeBmp();
  {
    CFile out(szPath, CFile::modeCreate | CFile::modeWrite);
    out.Write(bmp.data(), (UINT)bmp.size());
  }

  // Two baselines: buffers made once, timed for the read and the copy alone; and a buffer made
  // for the read and a copy made from it in each run, as the bitmap makes its memory in each run
  // (new memory costs its first touch of every page).
  std::vector<BYTE> buffer(bmp.size()), copy(bmp.size());
  auto plain = [&] {
    CFile in(szPath, CFile::modeRead | CFile::shareDenyWrite);
    if (in.Read(buffer.data(), (UINT)buffer.size()) != buffer.size())
      return false;
    std::memcpy(copy.data(), buffer.data(), buffer.size());
    return copy[bmp.size() / 2] == bmp[bmp.size() / 2];
  };
  auto fresh = [&] {
    CFile in(szPath, CFile::modeRead | CFile::shareDenyWrite);
    std::vector<BYTE> bytes(bmp.size());
    if (in.Read(bytes.data(), (UINT)bytes.size()) != bytes.size())
      return false;
    const std::vector<BYTE> copied(bytes);
    return copied[bmp.size() / 2] == bmp[bmp.size() / 2];
  };
  // What the 32-bit picture's memory costs alone: a new block written once.
  auto touch = [&] {
    std::vector<DWORD> picture((size_t)kWidth * kHeight);
    return picture[picture.size() / 2] == 0;
  };
  auto load = [&](bool b32) {
    return [&, b32] {
      CFile in(szPath, CFile::modeRead | CFile::shareDenyWrite);
      CArchive ar(&in, CArchive::load);
      CExtBitmap bitmap;
      return bitmap.LoadFromArchive(ar, b32, false, false);
    };
  };
  const std::vector<double> t = TimeInTurn({plain, fresh, touch, load(false), load(true)});
  ::DeleteFileA(szPath);
  if (t.empty())
    return 1;
  const double tPlain = t[0], tFresh = t[1], tTouch = t[2], tRead = t[3], tRead32 = t[4];

  std::printf("3840 x 2160, 24-bit BMP of %.1f MB, medians of %d runs\n", bmp.size() / 1048576.0, kRuns);
  std::printf("  plain read + memcpy, buffers made once    %7.2f ms\n", tPlain);
  std::printf("  plain read + memcpy, buffers made per run %7.2f ms\n", tFresh);
  std::printf("  new 32-bit picture block written once     %7.2f ms\n", tTouch);
  std::printf("  CExtBitmap read                           %7.2f ms  ratio %.2f / %.2f\n", tRead,
              tRead / tPlain, tRead / tFresh);
  std::printf("  CExtBitmap read + to 32 bits              %7.2f ms  ratio %.2f / %.2f\n", tRead32,
              tRead32 / tPlain, tRead32 / tFresh);
  return 0;
}
