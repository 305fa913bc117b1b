// What a soak test counts: GDI and USER objects and private bytes of its own process, and the GDI
// table of another.
#pragma once

#include <windows.h>

// The used entries of the GDI handle table Wine keeps for a process of this build, as Windows
// does, read from its PEB; -1 when it cannot be read.
long GdiTableEntriesInUse(HANDLE hProcess);
// GetGuiResources, or where Wine does not count: the used entries of the GDI handle table; -1,
// and the test fails, when neither answers.
long GdiObjectsInUse();
// GetGuiResources, or where Wine does not count: the windows of this process (message-only ones
// too) and the menus it holds; -1 when neither answers.
long UserObjectsInUse();
// The process's private bytes; 0 when the system does not answer.
SIZE_T PrivateBytes();
