// Opening the clipboard for the program's copies and pastes.
#pragma once

#include <windows.h>

// Opens the clipboard for the window. A program that reads the clipboard after each change (a
// clipboard viewer, another program's paste) holds it for a moment; a copy or paste made then waits
// up to nWaitMs for it instead of doing nothing. FALSE when it stayed held.
BOOL OpenClipboardWhenFree(HWND hWnd, DWORD nWaitMs = 1000);

// A copy of the picture on the clipboard, opened for the window, in the format its owner put it
// there: a bitmap as it is within kMaxPicturePixels (imaging/PictureCheck.h), a packed DIB (CF_DIB, CF_DIBV5)
// as PictureFromPackedDib (imaging/PackedDib.h) makes it, only when it lies whole in its block. NULL when
// there is none, the bitmap is beyond the bound, the DIB is not whole or the clipboard stayed held. The
// caller owns the copy.
HBITMAP CopyClipboardPicture(HWND hWnd);
