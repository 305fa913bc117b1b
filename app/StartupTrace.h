// Timing of the program's start-up steps, for the start-up benchmark. When the environment
// variable PIXOLET_STARTUP_TRACE names a file, each mark records how long the step before it took;
// the last mark appends the steps to that file as "name<TAB>milliseconds" lines. Without the
// variable a mark costs one test of a flag.
#pragma once

namespace startup_trace {

// Ends the step that ran since the last mark (or since the first call) under this name.
void Mark(const char* pszStep);

// Ends the last step and writes the steps out; later marks are ignored.
void Finish(const char* pszStep);

} // namespace startup_trace
