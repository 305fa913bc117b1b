// Input a test sends a second time where the window system, not the program, lost the first; each
// such place says which probe showed the loss. Every resend is printed as it happens and recorded on
// the running test as its "resends" property, which the run's summary names test by test.
#pragma once

#include <string>

namespace resend_log {

// Notes one resend, named by what was sent again; callable from any thread.
void Note(const std::string& what);
// The resends noted since the running test began.
int Count();

} // namespace resend_log
