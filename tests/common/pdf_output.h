// Where the system's CUPS PDF printer (made by tools/setup.sh) leaves the PDF of a print job, and
// the wait for a job's finished file.
#pragma once

#include <string>
#include <vector>

namespace pdf_output {

// The folders cups-pdf may write to for the user running the tests: its configured "Out" with
// ${HOME} and ${USER} filled in, then its usual places; as this program reaches them (drive Z:).
std::vector<std::string> PdfFolders();

// The finished PDF whose name holds the job's title, waited for up to a minute; empty when none came.
std::string WaitForPdf(const std::string& title);

} // namespace pdf_output
