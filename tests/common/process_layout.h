#pragma once

#include <windows.h>

#include <cstddef>

// Where a process's environment block keeps what the tests read from it, in this process's
// bitness (the tests read only processes of their own build).
#ifdef _WIN64
constexpr size_t kPebProcessParameters = 0x20;
constexpr size_t kPebGdiHandleTable = 0xF8;
constexpr size_t kParametersEnvironment = 0x80;
#else
constexpr size_t kPebProcessParameters = 0x10;
constexpr size_t kPebGdiHandleTable = 0x94;
constexpr size_t kParametersEnvironment = 0x48;
#endif

// The GDI handle table: 0x10000 entries of 24 bytes in either bitness, each with its object's
// type at byte 14 (0 for a free entry).
constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kGdiEntryBytes = 24;
constexpr size_t kGdiEntryType = 14;
