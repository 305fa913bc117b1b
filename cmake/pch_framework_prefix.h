// What framework/core/fw_core.h begins with: windows.h read with strict handles and without min and
// max macros. Precompiled for the header check of every header whose first include leads there
// (cmake/header_prefixes.py), and the start of the libraries' precompiled header.
#pragma once

#define STRICT
#define NOMINMAX
#include <windows.h>
