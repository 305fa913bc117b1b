// Large byte blocks taken from the heap without being touched: a block sized for the worst case
// costs memory only for what is written, and can be shrunk in place afterwards.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <memory>

struct CMallocFree {
  void operator()(BYTE* p) const { std::free(p); }
};
using CRawBytes = std::unique_ptr<BYTE[], CMallocFree>;

// A block of nBytes, or empty when it cannot be had (also for sizes beyond the address space).
inline CRawBytes AllocateRawBytes(unsigned long long nBytes) {
  if (nBytes > 0x7FFFFFFF)
    return CRawBytes();
  return CRawBytes(static_cast<BYTE*>(std::malloc(nBytes != 0 ? (size_t)nBytes : 1)));
}

// The block shrunk to nBytes (not more than its size), or the block as it was when it cannot be.
inline CRawBytes ShrinkRawBytes(CRawBytes bytes, size_t nBytes) {
  BYTE* p = static_cast<BYTE*>(std::realloc(bytes.get(), nBytes != 0 ? nBytes : 1));
  if (p == NULL)
    return bytes;
  (void)bytes.release(); // realloc has taken the block over
  return CRawBytes(p);
}
