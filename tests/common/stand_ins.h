// The stand-ins the tests put in place of the system's programs and libraries (the logging mail
// library, the logging browser). The build keeps them in a folder of their own, never beside the
// program: a library beside a program is loaded before the system's, so a stand-in there would
// take the program's mail.
#pragma once

#include <string>

// The stand-ins' folder (build/stubs, beside the programs' folder).
std::string StandInFolder();

// Puts the logging mail library into the test prefix's system folder, unless it is there already,
// where only a process that prefers the native mapi32 (WINEDLLOVERRIDES=mapi32=n, or the prefix's
// overrides for one program) loads it; every other process keeps Wine's own. An empty answer on
// success, else what went wrong.
std::string InstallMailStandIn();
