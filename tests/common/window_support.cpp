#include "tests/common/window_support.h"

void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT || !AfxPumpMessage())
      return;
  }
}

int MessageBoxRecorder::s_nAnswer = IDOK;

std::vector<std::pair<std::string, UINT>>& MessageBoxRecorder::Boxes() {
  static std::vector<std::pair<std::string, UINT>> boxes;
  return boxes;
}

MessageBoxRecorder::MessageBoxRecorder() {
  Boxes().clear();
  s_nAnswer = IDOK;
  m_pfnOld = AfxSetMessageBoxHook([](LPCSTR lpszText, UINT nType, UINT) -> int {
    Boxes().emplace_back(lpszText != NULL ? lpszText : "", nType);
    return s_nAnswer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { AfxSetMessageBoxHook(m_pfnOld); }
