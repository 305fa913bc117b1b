// The pixels a GIF image's coded data gives. The platform's decoder takes an image whose codes end
// one pixel before it is full as whole, and leaves that last pixel as its heap held it.
#pragma once

#include "imaging/ByteSpan.h"

#include <cstdint>

// Whether the image data at the bytes' offset at (its code size, then its sub-blocks of codes)
// gives at least nPixels before its end code or the end of its sub-blocks, read as the platform's
// decoder reads it; false also for a code size or a code that decoder refuses.
bool GifCodesFillImage(const CSpan& f, size_t at, std::uint64_t nPixels);
