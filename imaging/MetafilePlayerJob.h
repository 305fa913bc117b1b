// What the program and its metafile player share: the block that carries a picture's bytes to the
// player and its outcome back, and the names under which the two find their blocks.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

// Owners of the kernel handles and mapped views both sides hold.
struct PlayerHandleCloser {
  void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using CPlayerHandle = std::unique_ptr<void, PlayerHandleCloser>;

struct PlayerViewUnmapper {
  void operator()(void* p) const { ::UnmapViewOfFile(p); }
};
using CPlayerView = std::unique_ptr<void, PlayerViewUnmapper>;

// The head of the job's block; the metafile's bytes follow it.
struct CPlayerJob {
  DWORD dwMagic;
  LONG cx, cy;            // the picture's size, which the pixels' block holds at 4 bytes a pixel
  DWORD bEnhanced;        // an enhanced metafile, else a placeable Windows metafile
  DWORD nBytes;           // the metafile's bytes after this head
  volatile LONG nOutcome; // written by the player last
  DWORD dwReserved[2];
};

const DWORD kPlayerJobMagic = 0x4D505850; // "PXPM"

enum : LONG { kPlayerPending = 0, kPlayerPlayed = 1, kPlayerNoPicture = 2 };

// The pixels' block is named after the job's.
inline std::string PlayerPixelsName(const std::string& strJob) { return strJob + "-pixels"; }
