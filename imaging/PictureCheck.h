// Checks of picture files' headers before the platform's decoders see them. The decoders size their
// buffers from the dimensions, counts and sizes in the header, some with products that wrap at 32
// bits, and then write the picture's rows into the buffer: a header with a huge dimension makes them
// write past it, or take seconds and gigabytes before they fail.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The most pixels a picture the program opens may have. Its 32-bit bitmap then takes 256 MB (a
// square of 8192 pixels a side), which a 32-bit process can hold beside the pictures it has open;
// an edit, an undo step or a save each take a copy as large for a moment.
const std::uint64_t kMaxPicturePixels = 64ull * 1024 * 1024;

// Whether a picture of cx x cy pixels has some pixels and is within the bound.
bool FitsPictureBound(std::uint64_t cx, std::uint64_t cy);

// Whether the bytes are a BMP, icon, cursor, PNG, GIF, JPEG or TIFF file whose header the decoder
// may be given: the format's structure up to the picture's data lies within the file, every
// dimension is positive and the picture within the bound, and the sizes the decoder computes from
// them (in 64 bits) lie within the file where the format fixes them. Each image of a GIF has codes
// for every one of its pixels before its end code (the platform's decoder leaves a pixel they do not
// give as its heap held it). An icon or cursor is checked entry by entry: each embedded picture
// inside the file, and a bitmap's height matching its entry (alone, or twice it with the mask).
// False for any other bytes, which no decoder takes.
bool IsSoundPictureHeader(const BYTE* pBytes, size_t nBytes);
