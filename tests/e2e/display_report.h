// What the window system tells this process of the screen, for a failure that finds the screen
// measuring nothing: the metrics, the monitors and display devices, the current mode, the age of
// the registry's list of display adapters (which every Wine process reads its monitors from), the
// desktop processes running, and what a process started now measures.
#pragma once

#include <string>

namespace e2e {

struct DisplayReport {
  std::string text;
  // When this process measures none, Wine's picture of the monitors went empty in this one alone.
  bool bNewProcessHasScreen = false;
};
DisplayReport ReportDisplay();

} // namespace e2e
