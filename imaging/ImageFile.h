// Reading picture files through GDI+.
#pragma once

#include <windows.h>

#include <gdiplus.h>

// A new GDI+ bitmap of the picture in the file, owned by the caller (delete it), or NULL when the
// file cannot be read or GDI+ cannot decode it. The file is read whole into memory that the
// bitmap keeps until it is deleted, since GDI+ may go back to the bytes while the bitmap lives.
Gdiplus::Bitmap* LoadGdipBitmapFromFile(LPCSTR lpszPath);
