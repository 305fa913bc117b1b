// Counting in the program: the probe beside the tests is loaded into it once, and one thread of
// it counts there whenever asked.
#include "tests/e2e/e2e_support.h"

#include <tlhelp32.h>

#include <atomic>
#include <memory>
#include <thread>

namespace e2e {

namespace {

const int kProbeTimeoutMs = 10000;

bool Answers(HWND hWnd) {
  DWORD_PTR nResult = 0;
  return ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &nResult) != 0;
}

// Starts fn(param) on a new thread of the process; its handle, or NULL. Making the thread waits
// for the program to take the request, which a program that stopped answering never does: the
// wait is bounded, and a creation past it is left behind on a thread of its own.
HANDLE StartInProcess(HANDLE hProcess, LPTHREAD_START_ROUTINE fn, LPVOID param) {
  struct Creation {
    std::atomic<bool> bDone{false};
    HANDLE hThread = NULL;
  };
  auto creation = std::make_shared<Creation>();
  std::thread([=] {
    creation->hThread = ::CreateRemoteThread(hProcess, NULL, 0, fn, param, 0, NULL);
    creation->bDone = true;
  }).detach();
  return WaitFor([&] { return creation->bDone.load(); }, kProbeTimeoutMs) ? creation->hThread : NULL;
}

// Runs fn(param) on a new thread of the process and waits for its end; its exit code, or 0.
DWORD RunInProcess(HANDLE hProcess, LPTHREAD_START_ROUTINE fn, LPVOID param) {
  const HANDLE hThread = StartInProcess(hProcess, fn, param);
  if (hThread == NULL)
    return 0;
  DWORD dwExit = 0;
  if (WaitFor([&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, kProbeTimeoutMs))
    ::GetExitCodeThread(hThread, &dwExit);
  ::CloseHandle(hThread);
  return dwExit;
}

// Where the process loaded the module of that name; 0 when it has none.
UINT_PTR ModuleBase(DWORD dwPid, const char* pszModule) {
  const HANDLE hSnap = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, dwPid);
  if (hSnap == INVALID_HANDLE_VALUE)
    return 0;
  MODULEENTRY32 entry = {sizeof(entry)};
  UINT_PTR nBase = 0;
  for (BOOL b = ::Module32First(hSnap, &entry); b && nBase == 0; b = ::Module32Next(hSnap, &entry))
    if (_stricmp(entry.szModule, pszModule) == 0)
      nBase = reinterpret_cast<UINT_PTR>(entry.modBaseAddr);
  ::CloseHandle(hSnap);
  return nBase;
}

} // namespace

CPixolet::ProbeLink::~ProbeLink() {
  for (HANDLE h : {hAsk, hDone})
    if (h != NULL)
      ::CloseHandle(h);
}

bool CPixolet::StartProbe() const {
  const std::string path = ProgramFolder() + "\\e2e_probe.dll";
  const HMODULE hLocal = ::LoadLibraryA(path.c_str());
  if (hLocal == NULL)
    return false;
  // Where an export of the probe lies in the program, which loaded it elsewhere.
  const auto remote = [&](const char* pszName) -> LPVOID {
    const FARPROC p = ::GetProcAddress(hLocal, pszName);
    return p == NULL ? NULL
                     : reinterpret_cast<LPVOID>(m_probe->nBase + (reinterpret_cast<UINT_PTR>(p) -
                                                                  reinterpret_cast<UINT_PTR>(hLocal)));
  };
  m_probe.reset(new ProbeLink);
  m_probe->dwPid = m_dwPid;
  // LoadLibraryA lies where it lies here: the system's modules share their place.
  LPVOID pPath = ::VirtualAllocEx(m_hProcess, NULL, path.size() + 1, MEM_COMMIT, PAGE_READWRITE);
  SIZE_T nWritten = 0;
  if (pPath == NULL || !::WriteProcessMemory(m_hProcess, pPath, path.c_str(), path.size() + 1, &nWritten))
    return false;
  const auto pLoad = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<UINT_PTR>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  // The thread's exit code holds only the low half of a 64-bit address: the module list tells.
  if (RunInProcess(m_hProcess, pLoad, pPath) != 0)
    m_probe->nBase = ModuleBase(m_dwPid, "e2e_probe.dll");
  ::VirtualFreeEx(m_hProcess, pPath, 0, MEM_RELEASE);
  // An event of this process, with its handle in the program written where the probe reads it.
  const auto giveEvent = [&](HANDLE& hEvent, const char* pszName) {
    HANDLE hRemote = NULL;
    const LPVOID pAt = remote(pszName);
    return m_probe->nBase != 0 && pAt != NULL &&
           (hEvent = ::CreateEventA(NULL, FALSE, FALSE, NULL)) != NULL &&
           ::DuplicateHandle(::GetCurrentProcess(), hEvent, m_hProcess, &hRemote, 0, FALSE,
                             DUPLICATE_SAME_ACCESS) &&
           ::WriteProcessMemory(m_hProcess, pAt, &hRemote, sizeof(hRemote), &nWritten);
  };
  const LPVOID pServeAt = remote("ServeCounts"), pCount = remote("g_nProbeMenus");
  if (!giveEvent(m_probe->hAsk, "g_hProbeAsk") || !giveEvent(m_probe->hDone, "g_hProbeDone") ||
      pServeAt == NULL || pCount == NULL)
    return false;
  const HANDLE hServer = StartInProcess(
      m_hProcess, reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<UINT_PTR>(pServeAt)), NULL);
  if (hServer == NULL)
    return false;
  ::CloseHandle(hServer);
  m_probe->pCount = pCount;
  return true;
}

DWORD CPixolet::MenuHandles() const {
  if ((m_probe == nullptr || m_probe->dwPid != m_dwPid) && !StartProbe()) {
    ADD_FAILURE() << "the probe could not be started in the program, which "
                  << (Answers(m_hFrame) ? "answers" : "does not answer");
    return 0;
  }
  if (m_probe->pCount == NULL)
    return 0; // said when it failed to start
  DWORD nMenus = 0;
  SIZE_T nRead = 0;
  ::SetEvent(m_probe->hAsk);
  if (!WaitFor([&] { return ::WaitForSingleObject(m_probe->hDone, 0) == WAIT_OBJECT_0; }, kProbeTimeoutMs) ||
      !::ReadProcessMemory(m_hProcess, m_probe->pCount, &nMenus, sizeof(nMenus), &nRead)) {
    ADD_FAILURE() << "the probe did not count in the program, which "
                  << (Answers(m_hFrame) ? "answers" : "does not answer");
    return 0;
  }
  return nMenus;
}

} // namespace e2e
