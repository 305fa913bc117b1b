// Ids of the program's resources and commands, shared by the libraries, the resource script and
// the tests. Ids the toolkit owns are in resources/toolkit_ids.h; the framework keeps its own.
#pragma once

// --- Documents ---------------------------------------------------------------------------------
#define IDR_IMAGE_TYPE 129 // the image document: its menu, accelerators and document strings

// --- Dialogs ---------------------------------------------------------------------------------
#define IDD_CAPTURE 130 // the full-screen capture overlay

// --- Capture commands: the "Capture" menu, one id per capture mode (32787 has none) -----------
#define ID_CAPTURE_RECTANGLE 32784
#define ID_CAPTURE_ACTIVE_WINDOW 32785
#define ID_CAPTURE_FULL_SCREEN 32786
#define ID_CAPTURE_CIRCLE 32788
#define ID_CAPTURE_POLYGON 32789
#define ID_CAPTURE_ROUND_RECT 32790
#define ID_CAPTURE_FREEHAND 32791
#define ID_CAPTURE_MULTI_RECT 32792
#define ID_CAPTURE_OBJECT 32793

// --- View commands: zoom ---------------------------------------------------------------------
#define ID_VIEW_ZOOM_IN 32773
#define ID_VIEW_ZOOM_OUT 32774
#define ID_VIEW_ACTUAL_SIZE 32799

// --- Drawing tools: buttons of the tools panel, and the shape of what the selections cut -------
#define ID_TOOL_SELECT_REGION 1003
#define ID_TOOL_RECT_SELECTION 1016
#define ID_TOOL_CIRCLE_SELECTION 1017
#define ID_TOOL_POLYGON_SELECTION 1018
#define ID_TOOL_FREE_SELECTION 1019

// --- Image operations: the task ids the task sheet hands to the view -------------------------
#define TASK_TORN_EDGE 2002
#define TASK_SAW_EDGE 2003
#define TASK_SHARK_EDGE 2004
#define TASK_WAVE_EDGE 2005
