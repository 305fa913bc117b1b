#include "tests/common/heap_fill.h"

#include <cstring>
#include <vector>

namespace {

BYTE g_fill = 0;

LPVOID WINAPI FilledHeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T nBytes) {
  void* p = ::HeapAlloc(hHeap, dwFlags, nBytes);
  if (p != NULL && !(dwFlags & HEAP_ZERO_MEMORY))
    std::memset(p, g_fill, nBytes);
  return p;
}

} // namespace

void FillHeap(BYTE fill, std::initializer_list<size_t> sizes, int cx, int cy) {
  std::vector<void*> blocks;
  for (size_t nSize : sizes)
    for (int i = 0; i < 64; i++) {
      blocks.push_back(::HeapAlloc(::GetProcessHeap(), 0, nSize));
      if (blocks.back() != NULL)
        std::memset(blocks.back(), fill, nSize);
    }
  for (void* p : blocks)
    ::HeapFree(::GetProcessHeap(), 0, p);
  // Bitmaps made with their rows given take memory of the platform's own and write the rows into it.
  std::vector<BYTE> rows((size_t)cx * cy * 4, fill);
  std::vector<HBITMAP> bitmaps;
  for (UINT nBits : {1, 4, 8, 16, 24, 32})
    for (int i = 0; cx > 0 && cy > 0 && i < 16; i++)
      bitmaps.push_back(::CreateBitmap(cx, cy, 1, nBits, rows.data()));
  for (HBITMAP hBitmap : bitmaps)
    ::DeleteObject(hBitmap);
}

CModuleHeapFill::CModuleHeapFill(HMODULE hModule, BYTE fill)
    : m_patch("kernel32.dll", "HeapAlloc", reinterpret_cast<FARPROC>(&FilledHeapAlloc), hModule) {
  g_fill = fill;
}
