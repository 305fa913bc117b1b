// What a thread of this process is inside, read from another thread: where it stands and the
// calls it came through, named from the modules' exports and the symbol table a module's file
// carries. For the watchdog's report on a thread that never comes back.
#pragma once

#include <windows.h>

#include <string>

namespace stack_report {

// Stops the thread for as long as it takes to copy its stack, then names where it stands and up
// to nMax of the return addresses found on that stack, innermost first, one per line. Values an
// earlier call left on the stack can be among them. The thread must not be the calling one.
std::string Describe(HANDLE hThread, size_t nMax = 16);

} // namespace stack_report
