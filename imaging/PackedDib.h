// Packed device-independent bitmaps: a header, its colour masks and colour table, then its rows, in
// one block, as the clipboard's CF_DIB and CF_DIBV5 hold them. The platform makes a bitmap of one
// from its header alone and reads the masks, colours and rows wherever the header puts them, past
// the end of a block that is shorter than the header says.
#pragma once

#include <windows.h>

#include <cstddef>

// The picture of the packed bitmap in the nBytes at pBytes, as a new opaque 32-bit top-down DIB
// section the caller owns. Its header is a core header (12 bytes) or an info header of 40, 52, 56,
// 108 or 124 bytes; its rows are uncompressed, bit fields of 16 or 32 bits, or run-length coded; its
// picture is within kMaxPicturePixels (imaging/PictureCheck.h); and its header, masks, colours and
// rows all lie within the bytes. Indices past a short colour table take black, and pixels that no
// run sets colour 0. NULL for any other bytes, and when the picture cannot be held.
HBITMAP PictureFromPackedDib(const BYTE* pBytes, size_t nBytes);
