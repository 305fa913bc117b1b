// The system's CUPS PDF printer (made by tools/setup.sh): whether it is there, where it leaves the
// PDF of a print job, and the wait for a job's finished file.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pdf_output {

// The one rule of every printing test: the set-up installs the queue, so a missing default printer
// fails the test (never skips it).
::testing::AssertionResult PrinterInstalled();

// The finished PDF whose name holds the job's title, waited for up to a minute in the folders
// cups-pdf may write to; empty when none came.
std::string WaitForPdf(const std::string& title);

} // namespace pdf_output
