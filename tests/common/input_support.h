// Real input through SendInput, queued as a user's would be.
#pragma once

#include <windows.h>

namespace real_input {

// Sent from a thread of its own, so that the calling thread may go on pumping.
void MoveTo(POINT ptScreen); // absolute, onto the pixel under the point
void Button(DWORD dwFlag);   // MOUSEEVENTF_LEFTDOWN, ... where the pointer is
void Key(UINT nVirtKey);     // pressed and released

// An absolute pointer event with the flags, sent on this thread.
void MouseAt(POINT ptScreen, DWORD dwFlags);

} // namespace real_input
