// Real input through SendInput, queued as a user's would be.
#pragma once

#include <windows.h>

#include <string>

namespace real_input {

// Sent from a thread of its own, so that the calling thread may go on pumping.
void MoveTo(POINT ptScreen); // absolute, onto the pixel under the point
void Button(DWORD dwFlag);   // MOUSEEVENTF_LEFTDOWN, ... where the pointer is
void Key(UINT nVirtKey);     // pressed and released

// An absolute pointer event with the flags, sent on this thread.
void MouseAt(POINT ptScreen, DWORD dwFlags);

// A left click at the point over a window of another thread, sent on this thread. The pointer goes
// there first and the window's thread reads what the window system reported of the move: a late
// report of the pointer's earlier place, coming between press and release, would move it off what
// was pressed. The press and the release carry the point.
void ClickAt(POINT ptScreen, HWND hOver);

// Starts xdotool with the arguments through the X server, as the user's own pointer and keys give
// input, followed by the shell commands in then (";"-joined); false, with the error of
// CreateProcess, when it cannot start. Wine starts Unix programs, but their process handles never
// signal: a caller that must know the end has then leave a file.
bool StartXdotool(const std::string& args, const std::string& then = "");
// Moves the X pointer to the screen point with xdotool, as the user's pointer moves: over windows
// of other programs or none too. Does not wait; false when xdotool cannot start.
bool XMoveTo(POINT ptScreen);

// Waits until the window's thread has taken two messages in turn, reading the window system's
// pending events between them.
void SyncInput(HWND hWnd);

} // namespace real_input
