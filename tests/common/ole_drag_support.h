// A real OLE drag for the drop-target tests: a small text data object and drop source of the
// test, DoDragDrop on the calling (window) thread, and the pointer pressed, moved and released by
// SendInput from a driver thread that waits for each step of the drag before the next.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <vector>

struct OleDragOutcome {
  HRESULT hr = E_FAIL;     // what DoDragDrop answered
  DWORD dwEffect = 0xFFFF; // the effect the source was told
  bool bStepsSeen = false; // every move was followed by a step of the drag
  bool bStarted = false;   // the button was seen down before the drag began
};

// Initialises OLE for the thread (the framework's AfxOleInit); false when it cannot.
bool EnsureOle();
// Presses the left button at ptPress (screen), starts the drag with the allowed effects, moves
// through the screen points and releases the button at the last one.
OleDragOutcome RunOleDrag(POINT ptPress, const std::vector<POINT>& points,
                          DWORD dwAllowed = DROPEFFECT_COPY | DROPEFFECT_MOVE);
// The text the test's data object carries as CF_TEXT.
extern const char kOleDragText[];
