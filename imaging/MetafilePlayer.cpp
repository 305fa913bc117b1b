// The program's side of the metafile player: it hands a picture to a player process and waits for
// its pixels, painting its own windows meanwhile.
#include "imaging/MetafilePlayer.h"
#include "imaging/MetafilePlayerJob.h"

#include "framework/app/fw_app.h"

#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

// A new block of nBytes in the paging file under a name no other block has; none when the name
// is taken or the size cannot be had.
CPlayerHandle CreateBlock(const std::string& strName, std::uint64_t nBytes) {
  CPlayerHandle hBlock(::CreateFileMappingA(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, (DWORD)(nBytes >> 32),
                                            (DWORD)nBytes, strName.c_str()));
  if (hBlock && ::GetLastError() == ERROR_ALREADY_EXISTS)
    hBlock.reset();
  return hBlock;
}

// A name for this job's blocks, of this process and unique in it.
std::string JobName() {
  static LONG s_nJobs = 0;
  char szName[64];
  std::snprintf(szName, sizeof(szName), "PixoletMetafile-%lu-%ld", ::GetCurrentProcessId(),
                ::InterlockedIncrement(&s_nJobs));
  return szName;
}

// The folder of the running program, where the player lies, with its last separator; empty when
// it cannot be had.
std::string ProgramFolder() {
  char szPath[MAX_PATH];
  const DWORD n = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
  if (n == 0 || n >= MAX_PATH)
    return std::string();
  std::string strPath(szPath, n);
  return strPath.substr(0, strPath.find_last_of("\\/") + 1);
}

// The environment block the player starts with: only what the system needs to start a process
// there, none of the program's own variables. What the platform's playback reads of the player's
// memory can end up in a picture, and an inherited block would hold the user's paths and names.
std::string PlayerEnvironment() {
  std::string strBlock;
  for (const char* pszName : {"SystemRoot"}) {
    char szValue[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
    if (n > 0 && n < sizeof(szValue))
      strBlock.append(pszName).append("=").append(szValue, n).push_back('\0');
  }
  // The block ends with an empty string; an empty block is two zeros.
  strBlock.append(strBlock.empty() ? 2 : 1, '\0');
  return strBlock;
}

// The player started on the job in its own folder and environment; no process when it cannot be
// started.
CPlayerHandle StartPlayer(const std::string& strJob) {
  const std::string strFolder = ProgramFolder();
  if (strFolder.empty())
    return CPlayerHandle();
  const std::string strPlayer = strFolder + kMetafilePlayerName;
  std::string strCommand = "\"" + strPlayer + "\" " + strJob + " " + std::to_string(::GetCurrentProcessId());
  std::string strEnvironment = PlayerEnvironment();
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessA(strPlayer.c_str(), &strCommand[0], NULL, NULL, FALSE, 0, &strEnvironment[0],
                        strFolder.c_str(), &si, &pi))
    return CPlayerHandle();
  ::CloseHandle(pi.hThread);
  return CPlayerHandle(pi.hProcess);
}

// Paints the thread's windows that wait for it; other input, and the end of the program, stay
// queued for the program's own loop. Sent messages are answered by the peek itself.
void PaintWaitingWindows() {
  MSG msg;
  // A window that never validates would be painted again at once: a few rounds a wake do.
  for (int i = 0; i < 64 && AfxTakeMessage(&msg, NULL, WM_PAINT, WM_PAINT); i++)
    ::DispatchMessageA(&msg);
}

// The memory the player holds.
SIZE_T PlayerMemory(HANDLE hProcess) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (!::GetProcessMemoryInfo(hProcess, &counters, sizeof(counters)))
    return 0;
  return std::max(counters.WorkingSetSize, counters.PagefileUsage);
}

// Waits for the player to end by itself: false when it runs past the time or the memory bound.
bool AwaitPlayer(HANDLE hProcess, SIZE_T nMemoryBound) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    const DWORD dwElapsed = ::GetTickCount() - dwStart;
    if (dwElapsed >= kMetafilePlayerTimeout)
      return false;
    const DWORD dwSlice = std::min<DWORD>(50, kMetafilePlayerTimeout - dwElapsed);
    const DWORD dwWait = ::MsgWaitForMultipleObjects(1, &hProcess, FALSE, dwSlice, QS_PAINT | QS_SENDMESSAGE);
    if (dwWait == WAIT_OBJECT_0)
      return true;
    if (dwWait == WAIT_FAILED)
      return false;
    PaintWaitingWindows();
    if (PlayerMemory(hProcess) > nMemoryBound)
      return false;
  }
}

} // namespace

HBITMAP PlayMetafileApart(const BYTE* pBytes, size_t nBytes, bool bEnhanced, int cx, int cy,
                          CPixelPlane* pPlane) {
  if (pBytes == NULL || nBytes == 0 || nBytes > 0x7FFFFFFF - sizeof(CPlayerJob) || cx <= 0 || cy <= 0)
    return NULL;
  const std::uint64_t nPixelBytes = (std::uint64_t)cx * cy * 4;
  if (nPixelBytes > 0x7FFFFFFF)
    return NULL;
  const std::string strJob = JobName();
  CPlayerHandle hJob = CreateBlock(strJob, sizeof(CPlayerJob) + nBytes);
  CPlayerHandle hPixels = CreateBlock(PlayerPixelsName(strJob), nPixelBytes);
  CPlayerView view(hJob ? ::MapViewOfFile(hJob.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0) : NULL);
  if (!view || !hPixels)
    return NULL;
  CPlayerJob& job = *static_cast<CPlayerJob*>(view.get());
  job.dwMagic = kPlayerJobMagic;
  job.cx = cx, job.cy = cy;
  job.bEnhanced = bEnhanced;
  job.nBytes = (DWORD)nBytes;
  job.nOutcome = kPlayerPending;
  std::memcpy(static_cast<BYTE*>(view.get()) + sizeof(CPlayerJob), pBytes, nBytes);

  CPlayerHandle hPlayer = StartPlayer(strJob);
  if (!hPlayer)
    return NULL;
  if (!AwaitPlayer(hPlayer.get(), kMetafilePlayerMemory + (SIZE_T)nPixelBytes)) {
    // Ended and waited for, so that what it made is gone before the caller goes on.
    ::TerminateProcess(hPlayer.get(), 1);
    ::WaitForSingleObject(hPlayer.get(), 5000);
    return NULL;
  }
  DWORD dwExit = 1;
  if (!::GetExitCodeProcess(hPlayer.get(), &dwExit) || dwExit != 0 || job.nOutcome != kPlayerPlayed)
    return NULL;
  return CreatePlaneBitmap(cx, cy, pPlane, hPixels.get());
}
