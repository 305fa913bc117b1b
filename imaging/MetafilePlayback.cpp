// The metafile player's side: it plays one picture into the pixels' block the program shares with
// it. Whatever goes wrong in the platform's playback ends this process, never the program.
#include "imaging/MetafileCheck.h"
#include "imaging/MetafileFormat.h"
#include "imaging/MetafilePlayer.h"
#include "imaging/MetafilePlayerJob.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct DcDeleter {
  void operator()(HDC__* h) const { ::DeleteDC(h); }
};
using CDcPtr = std::unique_ptr<HDC__, DcDeleter>;

struct ObjectDeleter {
  void operator()(HGDIOBJ h) const { ::DeleteObject(h); }
};
using CObjectPtr = std::unique_ptr<void, ObjectDeleter>;

// Exit codes besides the exception codes of a fault.
enum : int { kPlayedExit = 0, kNoPictureExit = 1, kGuardExit = 2, kBadJobExit = 3 };

// A fault ends the player at once and quietly: no crash report, no debugger started.
LONG WINAPI EndQuietly(EXCEPTION_POINTERS* pInfo) {
  ::TerminateProcess(::GetCurrentProcess(), pInfo->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

// Ends the player once the program that started it has gone or its wait is long over, so that a
// playback that never finishes cannot outlive either.
DWORD WINAPI Guard(void* hProgram) {
  ::WaitForSingleObject(hProgram, kMetafilePlayerTimeout + 5000);
  ::TerminateProcess(::GetCurrentProcess(), kGuardExit);
  return 0;
}

struct MetafileDeleter {
  void operator()(HMETAFILE__* hMf) const { ::DeleteMetaFile(hMf); }
};
using CMetafilePtr = std::unique_ptr<HMETAFILE__, MetafileDeleter>;

// The enhanced metafile of bytes the record check takes, made of the player's copy of them as the
// check mends it.
HENHMETAFILE MendedEnhanced(BYTE* pBytes, size_t nBytes) {
  return MendEnhMetafile(pBytes, nBytes) ? ::SetEnhMetaFileBits((UINT)nBytes, pBytes) : NULL;
}

// A placeable Windows metafile converted to an enhanced one with its box as the extent its records
// act within; the conversion, which may take an enhanced metafile the file carries in its comments
// instead, is checked and mended like a file.
HENHMETAFILE ConvertedOf(const BYTE* pBytes, size_t nBytes) {
  const size_t kPlaceable = sizeof(PlaceableHeader);
  METAFILEPICT box = {};
  if (nBytes <= kPlaceable || !PlaceableBox(pBytes, box))
    return NULL;
  EnhMetafilePtr hEmf(::SetWinMetaFileBits((UINT)(nBytes - kPlaceable), pBytes + kPlaceable, NULL, &box));
  std::vector<BYTE> converted;
  if (!hEmf || !EnhancedBits(hEmf.get(), converted))
    return NULL;
  return MendedEnhanced(converted.data(), converted.size());
}

// A placeable Windows metafile whose records the check takes, played as the platform reads one: the
// box is the window and the picture the viewport, which the records' own window may change.
bool PlayPlaceable(HDC hDC, const BYTE* pBytes, size_t nBytes, int cx, int cy) {
  const size_t kPlaceable = sizeof(PlaceableHeader);
  METAFILEPICT box = {};
  if (nBytes <= kPlaceable || !PlaceableBox(pBytes, box) || !IsSoundWinMetafile(pBytes, nBytes))
    return false;
  PlaceableHeader header;
  std::memcpy(&header, pBytes, kPlaceable);
  CMetafilePtr hMf(::SetMetaFileBitsEx((UINT)(nBytes - kPlaceable), pBytes + kPlaceable));
  return hMf && ::SetMapMode(hDC, MM_ANISOTROPIC) && ::SetWindowOrgEx(hDC, header.left, header.top, NULL) &&
         ::SetWindowExtEx(hDC, header.right - header.left, header.bottom - header.top, NULL) &&
         ::SetViewportExtEx(hDC, cx, cy, NULL) && ::PlayMetaFile(hDC, hMf.get());
}

// Plays the job's picture onto the DC of its pixels. A placeable Windows metafile that blits a bitmap
// of a colour table is played as it is, since the conversion loses the table; any other goes through
// the conversion, whose playback maps it as the program always has. An enhanced metafile's frame
// counts both of its edges; a placeable metafile's box spans the picture as its pixels do.
bool PlayJob(HDC hDC, const CPlayerJob& job, BYTE* pBytes) {
  if (!job.bEnhanced && HasPaletteBitmapBlits(pBytes, job.nBytes))
    return PlayPlaceable(hDC, pBytes, job.nBytes, job.cx, job.cy);
  EnhMetafilePtr hEmf(job.bEnhanced ? MendedEnhanced(pBytes, job.nBytes) : ConvertedOf(pBytes, job.nBytes));
  const RECT frame = job.bEnhanced ? RECT{0, 0, job.cx - 1, job.cy - 1} : RECT{0, 0, job.cx, job.cy};
  return hEmf && ::PlayEnhMetaFile(hDC, hEmf.get(), &frame);
}

// Plays the picture over white into the pixels, opaque.
bool Play(const CPlayerJob& job, BYTE* pBytes, HANDLE hPixels) {
  CPixelPlane plane;
  CObjectPtr hSection(CreatePlaneBitmap(job.cx, job.cy, &plane, hPixels));
  CDcPtr hDC(::CreateCompatibleDC(NULL));
  if (!hSection || !hDC || ::SelectObject(hDC.get(), hSection.get()) == NULL)
    return false;
  const RECT whole = {0, 0, job.cx, job.cy};
  if (!::FillRect(hDC.get(), &whole, (HBRUSH)::GetStockObject(WHITE_BRUSH)) ||
      !PlayJob(hDC.get(), job, pBytes))
    return false;
  ::GdiFlush();
  // GDI's drawing leaves the alpha bytes as they were; the picture is opaque.
  for (int y = 0; y < plane.cy; y++) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < plane.cx; x++)
      pRow[x] |= 0xFF000000;
  }
  return true;
}

} // namespace

int RunMetafilePlayer(LPCSTR lpszCommandLine) {
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  ::SetUnhandledExceptionFilter(EndQuietly);
  char szJob[96] = "";
  unsigned long nProgram = 0;
  if (lpszCommandLine == NULL || std::sscanf(lpszCommandLine, "%95s %lu", szJob, &nProgram) != 2)
    return kBadJobExit;
  HANDLE hProgram = ::OpenProcess(SYNCHRONIZE, FALSE, nProgram);
  if (hProgram == NULL)
    return kBadJobExit;
  CPlayerHandle hGuard(::CreateThread(NULL, 0, Guard, hProgram, 0, NULL));
  if (!hGuard)
    return kBadJobExit;

  CPlayerHandle hJob(::OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, szJob));
  CPlayerHandle hPixels(
      ::OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, PlayerPixelsName(szJob).c_str()));
  CPlayerView view(hJob ? ::MapViewOfFile(hJob.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0) : NULL);
  MEMORY_BASIC_INFORMATION info = {};
  if (!view || !hPixels || ::VirtualQuery(view.get(), &info, sizeof(info)) == 0 ||
      info.RegionSize < sizeof(CPlayerJob))
    return kBadJobExit;
  CPlayerJob& job = *static_cast<CPlayerJob*>(view.get());
  if (job.dwMagic != kPlayerJobMagic || job.cx <= 0 || job.cy <= 0 ||
      job.nBytes > info.RegionSize - sizeof(CPlayerJob))
    return kBadJobExit;
  BYTE* pBytes = static_cast<BYTE*>(view.get()) + sizeof(CPlayerJob);
  const bool bPlayed = Play(job, pBytes, hPixels.get());
  job.nOutcome = bPlayed ? kPlayerPlayed : kPlayerNoPicture;
  return bPlayed ? kPlayedExit : kNoPictureExit;
}
