// What the docking windows' modal mouse loops (dragging, resizing) share.
#pragma once

#include "framework/app/fw_app.h"
#include "framework/core/fw_state.h"

#include <windows.h>

// Runs one message through the thread's pump. A WM_QUIT it takes is posted again, with its exit
// code, for the application's own loop, and false is answered: the modal loop should end.
inline bool PumpModalLoopMessage() {
  if (AfxPumpMessage())
    return true;
  ::PostQuitMessage(static_cast<int>(AfxGetThreadState()->m_msgCur.wParam));
  return false;
}

// Runs the message a loop has peeked, and no other, through the thread's pump. Input that came in
// since the peek stays queued for the loop to look at: the pump's next message would be that input,
// handed to its window past the loop (the move that should start a drag, the release of a click).
inline bool PumpPeekedMessage(const MSG& peeked) {
  MSG& msg = AfxGetThreadState()->m_msgCur;
  // A zero filter would take any message: a posted WM_NULL is taken among the posted messages.
  const UINT nFlags = PM_REMOVE | (peeked.message == WM_NULL ? PM_QS_POSTMESSAGE : 0);
  if (!::PeekMessage(&msg, peeked.hwnd, peeked.message, peeked.message, nFlags))
    return true; // gone meanwhile, as a paint that another one validated
  if (msg.message == WM_QUIT) {
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  CWinThread* pThread = AfxGetThread();
  if (msg.message != WM_KICKIDLE && (pThread == NULL || !pThread->PreTranslateMessage(&msg))) {
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  return true;
}

// Takes every mouse move queued, the last one into last (which keeps what it held when there was
// none). The end of the program stays queued for the loop to see.
inline void TakeQueuedMouseMoves(MSG& last) {
  MSG msg;
  while (AfxTakeMessage(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE))
    last = msg;
}

// Input and mode changes that end any of the bars' modal mouse loops without committing it: the
// other mouse buttons, a context menu, a lost activation or a cancelled mode. They stay queued for
// the normal pump.
inline bool EndsBarModalLoop(UINT nMsg) {
  switch (nMsg) {
  case WM_ACTIVATEAPP:
  case WM_CANCELMODE:
  case WM_CONTEXTMENU:
  case WM_NCRBUTTONDOWN:
  case WM_NCRBUTTONUP:
  case WM_NCMBUTTONDOWN:
  case WM_NCMBUTTONUP:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
    return true;
  default:
    return false;
  }
}
