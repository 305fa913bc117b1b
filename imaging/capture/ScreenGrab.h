// The screen grab behind every capture and the 1:1 copy of a bitmap into a device context.
#pragma once

#include "framework/gdi/fw_gdi.h"

// A copy of the part of the primary display that `rect` (screen coordinates) covers, clipped to
// the display, as a bitmap compatible with the display; the caller owns it. The current pointer
// is drawn in, its top-left 10 pixels above and left of the pointer position, only when
// bIncludeMouse is exactly 1. NULL for an empty rectangle, a rectangle off the display, or when
// GDI fails.
HBITMAP GrabScreenRect(RECT rect, BOOL bIncludeMouse = FALSE);

// Copies a block of rcTarget's size from ptSource of the bitmap to rcTarget's top-left in pDC.
// With a palette, it is realised in the target first. Nonzero when the copy succeeded.
BOOL DrawBitmapWithPalette(CDC* pDC, const RECT& rcTarget, HBITMAP hBitmap, POINT ptSource,
                           CPalette* pPalette = NULL);
