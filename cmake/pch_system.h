// The system headers nearly every file of the libraries parses, precompiled once a build: reading
// them is most of a file's compile time. They are read as the framework reads them
// (framework/core/fw_core.h): strict handles, and no min and max macros. Each file still includes
// what it uses; the header check (pix_header_check) compiles every header without this.
#pragma once

#include "cmake/pch_framework_prefix.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>
