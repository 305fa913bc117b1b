#include "tests/common/object_counts.h"

#include "tests/common/process_layout.h"

#include <gtest/gtest.h>
#include <winternl.h>

#include <vector>

namespace {

typedef LONG(NTAPI* PFN_QueryProcess)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

LONG QueryProcess(HANDLE hProcess, PROCESSINFOCLASS nClass, void* pInfo, ULONG cbInfo) {
  auto pfnQuery = reinterpret_cast<PFN_QueryProcess>(
      ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess"));
  ULONG nLength = 0;
  return pfnQuery == NULL ? -1 : pfnQuery(hProcess, nClass, pInfo, cbInfo, &nLength);
}

} // namespace

long GdiTableEntriesInUse(HANDLE hProcess) {
  PROCESS_BASIC_INFORMATION info = {};
  if (QueryProcess(hProcess, ProcessBasicInformation, &info, sizeof(info)) != 0)
    return -1;
  ULONG_PTR nTable = 0;
  SIZE_T nRead = 0;
  if (!::ReadProcessMemory(hProcess, reinterpret_cast<const BYTE*>(info.PebBaseAddress) + kPebGdiHandleTable,
                           &nTable, sizeof(nTable), &nRead) ||
      nTable == 0)
    return -1;
  std::vector<BYTE> table(kGdiTableEntries * kGdiEntryBytes);
  if (!::ReadProcessMemory(hProcess, reinterpret_cast<LPCVOID>(nTable), table.data(), table.size(), &nRead))
    return -1;
  long nUsed = 0;
  for (size_t i = kGdiEntryType; i < table.size(); i += kGdiEntryBytes)
    nUsed += table[i] != 0;
  return nUsed;
}

long GdiObjectsInUse() {
  const DWORD dwCount = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (dwCount != 0)
    return (long)dwCount;
  // A count that cannot be read would compare equal before and after whatever leaked.
  const long nUsed = GdiTableEntriesInUse(::GetCurrentProcess());
  if (nUsed < 0)
    ADD_FAILURE() << "this process's GDI objects cannot be counted";
  return nUsed;
}

namespace {

BOOL CALLBACK CountOwnWindow(HWND hWnd, LPARAM lParam) {
  DWORD dwPid = 0;
  ::GetWindowThreadProcessId(hWnd, &dwPid);
  if (dwPid == ::GetCurrentProcessId())
    ++*reinterpret_cast<long*>(lParam);
  return TRUE;
}

BOOL CALLBACK CountOwnTree(HWND hWnd, LPARAM lParam) {
  CountOwnWindow(hWnd, lParam);
  ::EnumChildWindows(hWnd, CountOwnWindow, lParam);
  return TRUE;
}

} // namespace

long UserObjectsInUse() {
  const DWORD dwCount = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (dwCount != 0)
    return (long)dwCount;
  long nObjects = 0;
  ::EnumWindows(CountOwnTree, reinterpret_cast<LPARAM>(&nObjects));
  for (HWND h = ::FindWindowExA(HWND_MESSAGE, NULL, NULL, NULL); h != NULL;
       h = ::FindWindowExA(HWND_MESSAGE, h, NULL, NULL))
    CountOwnTree(h, reinterpret_cast<LPARAM>(&nObjects));
  // A user handle's low word is its slot, even values from 0x20 on; a menu is valid only in the
  // process that made it.
  for (UINT_PTR nSlot = 0x20; nSlot < 0xFFF0; nSlot += 2)
    nObjects += ::IsMenu(reinterpret_cast<HMENU>(nSlot)) ? 1 : 0;
  return nObjects;
}

SIZE_T PrivateBytes() {
  VM_COUNTERS vm = {};
  return QueryProcess(::GetCurrentProcess(), (PROCESSINFOCLASS)3 /*ProcessVmCounters*/, &vm, sizeof(vm)) == 0
             ? vm.PagefileUsage
             : 0;
}
