// What a soak test counts of its own process: GDI and USER objects and private bytes.
#pragma once

#include <windows.h>

// GetGuiResources, or where Wine does not count: the used entries of the GDI handle table; -1,
// and the test fails, when neither answers.
long GdiObjectsInUse();
// GetGuiResources, or where Wine does not count: the windows of this process (message-only ones
// too) and the menus it holds; -1 when neither answers.
long UserObjectsInUse();
// The process's private bytes; 0 when the system does not answer.
SIZE_T PrivateBytes();
