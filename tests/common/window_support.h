// Pieces the window and dialog tests share: pumping without timing and a recorder of the
// framework's message boxes. Needs nothing beyond the framework.
#pragma once

#include "framework/fw.h"

#include <string>
#include <utility>
#include <vector>

// Runs queued messages until none are left (never waits); stops at WM_QUIT, leaving it queued.
void PumpPending();

// Records the framework's message boxes instead of showing them; each answers s_nAnswer.
class MessageBoxRecorder {
public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder&) = delete;
  MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
  static std::vector<std::pair<std::string, UINT>>& Boxes();
  static int s_nAnswer; // IDOK unless a test says otherwise

private:
  AFX_MSGBOX_HOOK m_pfnOld;
};
