// Registration of the toolkit's own window classes.
#pragma once

#include <windows.h>

// Registers the class once per process with the default window procedure, the module's instance,
// the style and the cursor (the arrow when none); true when the class exists afterwards.
bool ExtRegisterWndClass(LPCSTR lpszClassName, UINT nStyle, HCURSOR hCursor = NULL);
