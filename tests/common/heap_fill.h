// Memory written with a fill before the platform takes it, so that what a decoder or a playback
// leaves unset shows the fill and differs between two fills.
#pragma once

#include "tests/common/import_patch.h"

#include <windows.h>

#include <cstddef>
#include <initializer_list>

// Leaves the process heap full of freed blocks of the given sizes written with the fill, and the
// platform's own bitmap memory full of freed bitmaps of cx x cy pixels at each bit count, filled
// likewise, so that memory taken without being written holds the fill.
void FillHeap(BYTE fill, std::initializer_list<size_t> sizes, int cx = 0, int cy = 0);

// Every block the module hModule takes from the process heap while this lives holds the fill,
// whatever the heap's order of reuse.
class CModuleHeapFill {
public:
  CModuleHeapFill(HMODULE hModule, BYTE fill);
  bool Applied() const { return m_patch.Applied(); }

private:
  CImportPatch m_patch;
};
