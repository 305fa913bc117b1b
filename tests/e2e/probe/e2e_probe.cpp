// Loaded into the program by the end-to-end tests to count what only the program itself can see:
// menu handles are valid in the process that made them, nowhere else.
#include <windows.h>

namespace {

// The menus the process holds. A user handle's low word is its slot: even values from 0x20 on,
// and a handle with a high word of 0 stands for whichever handle holds the slot.
DWORD CountMenus() {
  DWORD nMenus = 0;
  for (UINT_PTR nSlot = 0x20; nSlot < 0xFFF0; nSlot += 2)
    nMenus += ::IsMenu(reinterpret_cast<HMENU>(nSlot)) ? 1 : 0;
  return nMenus;
}

} // namespace

// Handles of this process the tests write here before they start ServeCounts, and the last count.
extern "C" {
__declspec(dllexport) HANDLE g_hProbeAsk = NULL;
__declspec(dllexport) HANDLE g_hProbeDone = NULL;
__declspec(dllexport) volatile DWORD g_nProbeMenus = 0;
}

// Counts each time it is asked, on the one thread the tests start for it. A thread started for
// every count made the program create and end threads all through a soak, and once the program
// stopped answering with the test's creation of one waiting on it for good.
extern "C" __declspec(dllexport) DWORD WINAPI ServeCounts(LPVOID) {
  while (::WaitForSingleObject(g_hProbeAsk, INFINITE) == WAIT_OBJECT_0) {
    g_nProbeMenus = CountMenus();
    ::SetEvent(g_hProbeDone);
  }
  return 0;
}
