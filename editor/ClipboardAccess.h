// Opening the clipboard for the program's copies and pastes.
#pragma once

#include <windows.h>

// Opens the clipboard for the window. A program that reads the clipboard after each change (a
// clipboard viewer, another program's paste) holds it for a moment; a copy or paste made then waits
// up to nWaitMs for it instead of doing nothing. FALSE when it stayed held.
BOOL OpenClipboardWhenFree(HWND hWnd, DWORD nWaitMs = 1000);

// A copy of the picture on the clipboard (put there as a bitmap or a DIB), opened for the window;
// NULL when there is none or the clipboard stayed held. The caller owns the copy.
HBITMAP CopyClipboardPicture(HWND hWnd);
