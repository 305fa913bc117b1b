// Checks of metafiles before the platform reads them: its playback trusts the counts, offsets and
// handle indices in the records, so a file with a count or offset past its end makes it read memory
// that is not in the file, or fault.
#pragma once

#include <windows.h>

#include <cstddef>

// Whether the bytes begin as the decoders tell a metafile: an enhanced metafile's signature at byte
// 40, or the first two bytes of a placeable metafile's key.
bool LooksLikeMetafile(const BYTE* pBytes, size_t nBytes);

// Whether the bytes are an enhanced metafile whose records are whole, follow each other up to the
// end record, and keep every count, offset and handle index they hold within the record or the
// handle table. Every record type of the format is checked by its layout, those the player passes
// over too; a record of a kind the format does not have is passed over as the player does.
bool IsSoundEnhMetafile(const BYTE* pBytes, size_t nBytes);

// The same for a Windows metafile, with or without its placeable header.
bool IsSoundWinMetafile(const BYTE* pBytes, size_t nBytes);

// The widest a metafile's pen may draw on the picture it is played into, in pixels, beside the
// picture's width and height together: far below the widths at which the platform's wide lines
// fault or never finish (around a million pixels).
const int kMaxPenPixels = 65536;

// Whether every line an enhanced metafile whose records are sound (IsSoundEnhMetafile) strokes,
// played over a picture of cx x cy pixels, is drawn by a pen no wider there than the picture's
// width and height together and kMaxPenPixels: its width through the world transform, the mapping
// mode and the extents in force when it draws, and the frame's mapping onto the picture.
bool PensFitPicture(const BYTE* pBytes, size_t nBytes, int cx, int cy);
