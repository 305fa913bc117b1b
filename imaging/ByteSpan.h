// Reads of little- and big-endian values inside a block of bytes that never go past it: a value
// that does not lie wholly inside reads as 0, and Has tells beforehand whether it does.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

struct CSpan {
  const BYTE* p;
  size_t n;
  bool Has(std::uint64_t at, std::uint64_t len) const { return at <= n && len <= n - at; }
  DWORD U8(size_t at) const { return Has(at, 1) ? p[at] : 0; }
  DWORD U16(size_t at) const { return Has(at, 2) ? (DWORD)(p[at] | p[at + 1] << 8) : 0; }
  DWORD U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  DWORD Be16(size_t at) const { return Has(at, 2) ? (DWORD)(p[at] << 8 | p[at + 1]) : 0; }
  DWORD Be32(size_t at) const { return Be16(at) << 16 | Be16(at + 2); }
  bool Is(size_t at, const char* psz, size_t len) const;
  CSpan From(size_t at) const { return at <= n ? CSpan{p + at, n - at} : CSpan{p + n, 0}; }
  // The first len bytes from at, fewer where the block ends.
  CSpan Part(size_t at, std::uint64_t len) const {
    const CSpan rest = From(at);
    return {rest.p, len < rest.n ? (size_t)len : rest.n};
  }
};

inline bool CSpan::Is(size_t at, const char* psz, size_t len) const {
  if (!Has(at, len))
    return false;
  for (size_t i = 0; i < len; i++)
    if (p[at + i] != (BYTE)psz[i])
      return false;
  return true;
}
