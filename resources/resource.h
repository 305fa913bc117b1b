// Ids of the program's resources and commands, shared by the libraries, the resource script and
// the tests. Ids the toolkit owns are in resources/toolkit_ids.h; the framework keeps its own.
#pragma once

// --- Documents ---------------------------------------------------------------------------------
#define IDR_IMAGE_TYPE 129 // the image document: its menu, accelerators and document strings

// --- Dialogs ---------------------------------------------------------------------------------
#define IDD_CAPTURE 130       // the full-screen capture overlay
#define IDD_TEXT_ENTRY 154    // "Text Entry", the modeless editor of the pending text
#define IDD_STAMP_CALLOUT 163 // the stamp and callout picker
#define IDD_SHADOW 170        // "Shadows Settings"

// Controls of the text entry dialog.
#define IDC_ANTIALIAS 1046
#define IDC_TEXT_BOLD 1058
#define IDC_TEXT_ITALIC 1059
#define IDC_TEXT_UNDERLINE 1060
#define IDC_TEXT_STRIKEOUT 1061
#define IDC_TEXT_LEFT 1062
#define IDC_TEXT_CENTER 1063
#define IDC_TEXT_RIGHT 1064
#define IDC_TEXT_TOP 1065
#define IDC_TEXT_MIDDLE 1066
#define IDC_TEXT_BOTTOM 1067
#define IDC_TEXT_EDIT 1068
#define IDC_TEXT_FONT_LIST 1069
#define IDC_TEXT_SIZE 1070
#define IDC_TEXT_COLOR 1071
#define IDC_TEXT_ROTATION 1072
#define IDC_TEXT_OPACITY 1073
#define IDC_TEXT_ROTATION_VALUE 1074
#define IDC_TEXT_OPACITY_VALUE 1075

// Controls of the stamp and callout picker: the frame the thumbnail list takes the place of.
#define IDC_STAMP_THUMBS 1104

// Controls of the shadow settings dialog.
#define IDC_SHADOW_APPLY_ALL 1076
#define IDC_SHADOW_EDGE 1086
#define IDC_SHADOW_PREVIEW 1118
#define IDC_SHADOW_COLOR 1119
#define IDC_SHADOW_OPACITY 1120
#define IDC_SHADOW_DEPTH_X_SPIN 1121
#define IDC_SHADOW_DEPTH_X 1122
#define IDC_SHADOW_DEPTH_Y_SPIN 1123
#define IDC_SHADOW_DEPTH_Y 1124
#define IDC_SHADOW_OPACITY_VALUE 1125

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
