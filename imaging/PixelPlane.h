// Direct access to the rows of 32-bit pictures. A DIB section is read and written where it lies;
// any other 32-bit bitmap can be read through a copy.
#pragma once

#include "imaging/RawBytes.h"

#include <windows.h>

#include <cstddef>

struct CPixelPlane {
  BYTE* pTop = NULL;     // first byte of the top row
  ptrdiff_t nStride = 0; // from a row to the one below it; negative for a bottom-up picture
  int cx = 0;
  int cy = 0;
  BYTE* Row(int y) const { return pTop + y * nStride; }
  DWORD RowBytes() const { return (DWORD)cx * 4; }
};

// The rows of a 32-bit DIB section, in place (pending drawing is flushed first). FALSE for any
// other bitmap.
BOOL OpenPixelPlane(HBITMAP hBitmap, CPixelPlane& plane);
// The rows of any 32-bit bitmap: in place for a DIB section, else from a copy kept in copy.
BOOL ReadPixelPlane(HBITMAP hBitmap, CPixelPlane& plane, CRawBytes& copy);
// A new 32-bit top-down DIB section of cx x cy with undefined contents, and its rows; NULL when it
// cannot be made. Over hSection, when given, its pixels are that file mapping's first bytes (the
// mapping may then be closed: the section keeps its view).
HBITMAP CreatePlaneBitmap(int cx, int cy, CPixelPlane* pPlane, HANDLE hSection = NULL);
