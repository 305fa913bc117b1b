// Private messages between the editor's windows and the shell's task sheet.
#pragma once

#include <windows.h>

// To the effect page when it is opened for an operation.
#define UM_SELECT_EFFECT (WM_USER + 2)
// From a task-sheet page to the active view: wParam the operation id, lParam its parameter block.
#define UM_APPLY_EFFECT (WM_USER + 3)
// From a task-sheet page to the active view: keep the picture as the original of the edit.
#define UM_SAVE_ORIGINAL (WM_USER + 4)
// From the text entry dialog to the active view: lParam the dialog, whose values changed.
#define UM_TEXT_CHANGED (WM_USER + 5)
// From a task-sheet page to the active view: an edit opens (lParam 0) or closes (lParam 1).
#define UM_TASK_EDIT (WM_USER + 6)
