// Run-length coded BMP files (RLE8 and RLE4), decoded here rather than by the platform's decoder:
// its picture starts as whatever its heap held, and the pixels that no run sets (rows left by an
// early end, skipped by a delta, short runs) would show that memory.
#pragma once

#include "imaging/PixelPlane.h"

#include <windows.h>

#include <cstddef>

// Whether the bytes are a BMP file whose pixels are run-length coded.
bool IsRleBmp(const BYTE* pBytes, size_t nBytes);

// The picture of such a file, whose header has passed IsSoundPictureHeader, as a new opaque 32-bit
// top-down DIB section with its rows in *pPlane and its resolution in *pfDpiX, *pfDpiY (96 where
// the file gives none); pixels no run sets take colour 0 of the palette, as a bitmap's bits of 0
// do. NULL when the picture cannot be held.
HBITMAP DecodeRleBmp(const BYTE* pBytes, size_t nBytes, CPixelPlane* pPlane, float* pfDpiX, float* pfDpiY);
