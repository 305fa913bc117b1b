// Opening the clipboard for the program's copies and pastes.
#pragma once

#include <windows.h>

// Opens the clipboard for the window. A program that reads the clipboard after each change (a
// clipboard viewer, another program's paste) holds it for a moment; a copy or paste made then waits
// up to nWaitMs for it instead of doing nothing. FALSE when it stayed held.
BOOL OpenClipboardWhenFree(HWND hWnd, DWORD nWaitMs = 1000);
