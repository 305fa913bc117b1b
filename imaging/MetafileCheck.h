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
// handle table, and every bitmap they carry as the format lays it out where the platform's playback
// reads one (by record kind, brush style and colour use; none only where the record may have none).
// Every record type of the format is checked by its layout, those the player passes over too; a
// record of a kind the format does not have is passed over as the player does.
bool IsSoundEnhMetafile(const BYTE* pBytes, size_t nBytes);

// The player's own copy of a metafile IsSoundEnhMetafile takes, made what the platform's playback
// must read: a bitmap a record has none of (its header size 0, or a pen that is no pattern) gets
// offsets and sizes 0, since the playback reads a header at any other offset, and a bitmap's bits
// size is held to the rows its header describes, since a playback that copies by that size writes
// past a bitmap made of the header. False, the bytes unchanged, for a metafile the check refuses.
bool MendEnhMetafile(BYTE* pBytes, size_t nBytes);

// The same for a Windows metafile, with or without its placeable header; a record of a kind the
// format does not have is refused.
bool IsSoundWinMetafile(const BYTE* pBytes, size_t nBytes);

// Whether a Windows metafile (whose records IsSoundWinMetafile takes) blits a bitmap of a colour
// table, 8 bits a pixel or fewer: the platform's conversion to an enhanced metafile writes those
// without their colours.
bool HasPaletteBitmapBlits(const BYTE* pBytes, size_t nBytes);
