// Metafiles from outside the program are played in a process of their own, the player
// (pixplay.exe beside the program): the platform's playback faults, never finishes or piles up
// objects on some well-formed records, and none of that may reach the program and its open
// pictures. The program hands the player the file's checked bytes and a shared block for the
// pixels, waits a bounded time while its windows go on painting, and ends a player that runs
// too long or takes too much memory.
#pragma once

#include "imaging/PixelPlane.h"

#include <windows.h>

#include <cstddef>

// The player's file name, looked for in the folder of the running program.
const char kMetafilePlayerName[] = "pixplay.exe";

// How long the program waits for a picture to be played.
const DWORD kMetafilePlayerTimeout = 10000;

// The memory a player may take beyond the picture's own pixels before it is ended.
const SIZE_T kMetafilePlayerMemory = 384u << 20;

// The picture of an enhanced metafile (bEnhanced) or a placeable Windows metafile whose records
// have been checked, played over white into a new opaque 32-bit top-down DIB section of cx x cy
// that the caller owns, its rows in *pPlane; NULL when the player cannot be started, faults, runs
// past kMetafilePlayerTimeout, grows past its memory bound or gives no picture. While it waits,
// the calling thread paints its windows and answers messages sent to them; other input waits.
HBITMAP PlayMetafileApart(const BYTE* pBytes, size_t nBytes, bool bEnhanced, int cx, int cy,
                          CPixelPlane* pPlane);

// The player's side: plays the picture named by the command line the program gave it into the
// block it shares. Its exit code is 0 only for a picture played.
int RunMetafilePlayer(LPCSTR lpszCommandLine);
