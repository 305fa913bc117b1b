// Scaling a whole picture to a new size.
//
// The picture has always been scaled by drawing it with GDI+ into a new 32bpp ARGB bitmap. Where
// the platform's GDI+ draws a scaled picture as a bilinear blend weighted by alpha (Wine's does, in
// both modes, at about 96 ns a pixel), the same pixels are made here from locked bits at a fraction
// of the cost; where it draws anything else, the drawing stays.
#pragma once

#include "framework/core/fw_core.h"

#include <gdiplus.h>

// The picture drawn into a new cx x cy 32bpp ARGB bitmap, smoothed when asked; the platform's GDI+
// decides the pixels. NULL when the bitmap cannot be made.
Gdiplus::Bitmap* ResizeByDrawing(Gdiplus::Bitmap* pPicture, int cx, int cy, bool bSmooth);

// The pixels Wine's GDI+ draws for both modes: each output's position scaled in single precision
// with no half-pixel shift, its two neighbours on each axis (clear beyond the last) blended across,
// then down, with their alphas as weights, and a clear result cleared; computed from locked bits. NULL when a
// bitmap cannot be made or locked.
Gdiplus::Bitmap* ResizeBilinear(Gdiplus::Bitmap* pPicture, int cx, int cy);

// Whether ResizeBilinear gives the drawing's pixels for this mode: a small picture with every kind
// of alpha scaled both ways, up and down, and compared.
bool ResizeProbeMatches(bool bSmooth);

// ResizeProbeMatches found once per mode and kept.
bool ResizeMatchesDrawing(bool bSmooth);

// The picture at cx x cy by the faster road that gives the drawing's pixels. NULL on failure.
Gdiplus::Bitmap* ResizePicture(Gdiplus::Bitmap* pPicture, int cx, int cy, bool bSmooth);
