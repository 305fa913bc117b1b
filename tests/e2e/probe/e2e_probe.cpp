// Loaded into the program by the end-to-end tests to count what only the program itself can see:
// menu handles are valid in the process that made them, nowhere else.
#include <windows.h>

// The menus the process holds. A user handle's low word is its slot: even values from 0x20 on,
// and a handle with a high word of 0 stands for whichever handle holds the slot.
extern "C" __declspec(dllexport) DWORD WINAPI CountMenus(LPVOID) {
  DWORD nMenus = 0;
  for (UINT_PTR nSlot = 0x20; nSlot < 0xFFF0; nSlot += 2)
    nMenus += ::IsMenu(reinterpret_cast<HMENU>(nSlot)) ? 1 : 0;
  return nMenus;
}
