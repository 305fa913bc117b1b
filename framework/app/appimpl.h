// Helpers shared by the application module's files.
#pragma once

#include "framework/core/fw_core.h"

// A malloc'd copy of psz, owned by the application object's string fields (freed with free).
LPSTR AfxAllocAppString(LPCSTR psz);
