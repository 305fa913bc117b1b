// Helpers shared by the application module's files.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"

// A malloc'd copy of psz, owned by the application object's string fields (freed with free).
LPSTR AfxAllocAppString(LPCSTR psz);
// The module's file name without its folder and extension ("pixolet" for C:\Pixolet\pixolet.exe).
CString AfxModuleTitle(HMODULE hModule);
