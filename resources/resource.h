// Ids of the program's resources and commands, shared by the libraries, the resource script and
// the tests. Ids the toolkit owns are in resources/toolkit_ids.h; the framework keeps its own.
#pragma once

// --- Frames and documents ----------------------------------------------------------------------
#define IDR_MAINFRAME 128          // the main frame: title, icon, menu and accelerators without a document
#define IDR_IMAGE_TYPE 129         // the image document: its menu, accelerators and document strings
#define IDR_CAPTURE_MENU 139       // the capture button's drop-down
#define IDB_MDI_BACKGROUND 168     // the tile of the empty MDI area
#define IDC_CURSOR_PICKER_HAND 141 // the object picker's pointer
#define IDS_OLE_INIT_FAILED 100
#define IDS_INDICATOR_POSITION 132 // status panes of the view
#define IDS_INDICATOR_SIZE 133
#define IDS_INDICATOR_ZOOM 134

// --- Dialogs ---------------------------------------------------------------------------------
#define IDD_CAPTURE 130       // the full-screen capture overlay
#define IDD_OBJECT_PICKER 169 // the window picker of the object capture
#define IDD_ONE_INPUT 174     // "Image Resolution"
#define IDC_ONE_INPUT_VALUE 1126
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
#define ID_CAPTURE_INCLUDE_MOUSE 32794
#define ID_CAPTURE_BUTTON 32833 // the capture tool bar's button (and the hot key): rectangular area

// --- Application and main-frame commands --------------------------------------------------------
#define ID_FILE_NEW2 32887
#define ID_FILE_OPEN2 32888
#define ID_FILE_MINIMIZE_TO_TRAY 32879
#define ID_APP_OPEN 32878
#define ID_EDIT_PASTE_AS_NEW 32779
#define ID_VIEW_MENUBAR 23366
#define ID_VIEW_TASK_SHEET 32846
#define ID_VIEW_TOOLS_PANEL 32783
#define ID_TOOLS_OPTIONS 32829
#define ID_HELP_FILE 32848
#define ID_HELP_WEB_SITE 32886
#define ID_HELP_VIDEO_TOUR 32903
#define ID_HOTKEY_CAPTURE 19101 // the global hot key's id

// --- View commands: zoom ---------------------------------------------------------------------
#define ID_VIEW_ZOOM_IN 32773
#define ID_VIEW_ZOOM_OUT 32774
#define ID_VIEW_ACTUAL_SIZE 32799

// --- Drawing tools: buttons of the tools panel (their command ids), the tool the view follows,
// and the shape of what the selections cut -------------------------------------------------------
#define ID_TOOL_POINTER 1000
#define ID_TOOL_ZOOM_IN 1001
#define ID_TOOL_ZOOM_OUT 1002
#define ID_TOOL_SELECT_REGION 1003
#define ID_TOOL_PAINT_BRUSH 1004
#define ID_TOOL_AIR_BRUSH 1005
#define ID_TOOL_COLOR_PICKER 1006
#define ID_TOOL_FILL 1007
#define ID_TOOL_TEXT 1008
#define ID_TOOL_STAMP 1009
#define ID_TOOL_LINE 1010
#define ID_TOOL_ARROW 1011
#define ID_TOOL_SHAPES 1012
#define ID_TOOL_CALLOUT 1013
#define ID_TOOL_ERASER 1014
#define ID_TOOL_HIGHLIGHTER 1015
#define ID_TOOL_RECT_SELECTION 1016
#define ID_TOOL_CIRCLE_SELECTION 1017
#define ID_TOOL_POLYGON_SELECTION 1018
#define ID_TOOL_FREE_SELECTION 1019
#define ID_TOOL_RECT_FRAMED 1020      // shapes: rectangle, rounded rectangle, ellipse, free shape,
#define ID_TOOL_ROUNDRECT_FRAMED 1021 // each framed and filled, hollow, filled without frame
#define ID_TOOL_ELLIPSE_FRAMED 1022
#define ID_TOOL_FREESHAPE_FRAMED 1023
#define ID_TOOL_RECT_HOLLOW 1024
#define ID_TOOL_ROUNDRECT_HOLLOW 1025
#define ID_TOOL_ELLIPSE_HOLLOW 1026
#define ID_TOOL_FREESHAPE_HOLLOW 1027
#define ID_TOOL_RECT_FILLED 1028
#define ID_TOOL_ROUNDRECT_FILLED 1029
#define ID_TOOL_ELLIPSE_FILLED 1030
#define ID_TOOL_FREESHAPE_FILLED 1031
#define ID_TOOL_BRUSH_FLAT 1032
#define ID_TOOL_BRUSH_ROUND 1033
#define ID_TOOL_BRUSH_DASHED 1034
#define ID_TOOL_BRUSH_DOTTED 1035
#define ID_TOOL_SPRAY_SMALL 1036
#define ID_TOOL_SPRAY_MEDIUM 1037
#define ID_TOOL_SPRAY_LARGE 1038
#define ID_TOOL_LINE_SOLID 1039
#define ID_TOOL_LINE_DOTTED 1040
#define ID_TOOL_LINE_DASHED 1041
#define ID_TOOL_LINE_DASH_DOT 1042
#define ID_TOOL_ARROW_SMART 1051
#define ID_TOOL_ARROW_SMART_DOUBLE 1052
#define ID_TOOL_ARROW_SINGLE 1053
#define ID_TOOL_ARROW_DOUBLE 1054

// --- Edit and image commands of the view and the document (second ids serve the tool bars) ----
#define ID_EDIT_UNDO2 32893
#define ID_EDIT_REDO2 32894
#define ID_EDIT_CUT2 32890
#define ID_EDIT_COPY2 32891
#define ID_EDIT_PASTE2 32892
#define ID_EDIT_CLEAR_SELECTION 32841
#define ID_EDIT_CLEAR_SELECTION2 32895
#define ID_EDIT_CROP 32778
#define ID_EDIT_CROP2 32896
#define ID_EDIT_SELECT_ALL_IMAGE 32831
#define ID_EDIT_PASTE_FROM_FILE 32780
#define ID_EDIT_COPY_ALL 32839
#define ID_EDIT_COPY_ALL2 32900
#define ID_FILE_COPY_SELECTION 32781
#define ID_FILE_SAVE2 32889
#define ID_FILE_SEND_MAIL2 32897
#define ID_FILE_PRINT2 32898
#define ID_FILE_PRINT_PREVIEW2 32899
#define ID_IMAGE_RESOLUTION 32901
#define ID_IMAGE_RESIZE_CANVAS 32812
#define ID_IMAGE_RESIZE 32813
#define ID_IMAGE_CAPTION 32816
#define ID_IMAGE_BRIGHTNESS 32817
#define ID_IMAGE_COLOR_BALANCE 32819
#define ID_IMAGE_INVERT 32820
#define ID_IMAGE_GRAYSCALE 32821
#define ID_IMAGE_BLACK_WHITE 32823
#define ID_IMAGE_ROTATE_RIGHT 32805
#define ID_IMAGE_ROTATE_LEFT 32807
#define ID_IMAGE_ROTATE_ANGLE 32808
#define ID_IMAGE_FLIP_H 32809
#define ID_IMAGE_FLIP_V 32810
#define ID_IMAGE_TORN_EDGE 32857 // edges 32857-32864, then 32865-32870 (perspective to solarize)
#define ID_IMAGE_SOLARIZE 32870

// --- Cursors of the tools ----------------------------------------------------------------------
#define IDC_CURSOR_SPRAY 144
#define IDC_CURSOR_PICKER 145
#define IDC_CURSOR_FILL 146
#define IDC_CURSOR_STAMP 147
#define IDC_CURSOR_CALLOUT 149
#define IDC_CURSOR_ERASER 150
#define IDC_CURSOR_HIGHLIGHTER 151
#define IDC_CURSOR_ZOOM_IN 152
#define IDC_CURSOR_ZOOM_OUT 153

// --- Image operations: the task ids the task sheet hands to the view -------------------------
#define TASK_TORN_EDGE 2002
#define TASK_SAW_EDGE 2003
#define TASK_SHARK_EDGE 2004
#define TASK_WAVE_EDGE 2005
#define TASK_FADE_EDGE 2006
#define TASK_SHADOW_EDGE 2007
#define TASK_BEVEL_EDGE 2008
#define TASK_BORDER 2009
#define TASK_PERSPECTIVE 2010
#define TASK_SHEAR 2011
#define TASK_CAPTION 2012
#define TASK_BLUR 2014
#define TASK_EMBOSS 2015
#define TASK_SHARPEN 2016
#define TASK_SOLARIZE 2017
#define TASK_BRIGHTNESS_CONTRAST 3001
#define TASK_COLOR_BALANCE 3003
#define TASK_INVERT_COLOR 3004
#define TASK_GRAYSCALE 3005
#define TASK_BLACK_WHITE 3006
#define TASK_FLIP_HORIZONTAL 4002
#define TASK_FLIP_VERTICAL 4003
#define TASK_ROTATE_RIGHT 4004
#define TASK_ROTATE_LEFT 4005
#define TASK_ROTATE_ANGLE 4006
#define TASK_RESIZE_IMAGE 4007
#define TASK_RESIZE_CANVAS 4008
#define TASK_TRIM 4009
#define TASK_CANCEL_EDIT 5003

// --- Tool bars of the main frame (bitmaps of the same ids) ----------------------------------------
#define IDR_TOOLBAR_STANDARD 128 // shares the main frame's id, as the framework's bars do
#define IDR_TOOLBAR_LARGE 172
#define IDR_TOOLBAR_CAPTURE 135

// --- The task sheet and its pages --------------------------------------------------------------
#define IDD_PAGE_MAIN 140
#define IDD_PAGE_PARAM 142
#define IDD_PAGE_RESIZE 156
#define IDD_PAGE_CAPTION 159
#define IDC_RESIZE_SMOOTH 1076
#define IDC_RESIZE_WIDTH 1077
#define IDC_RESIZE_HEIGHT 1078
#define IDC_RESIZE_ORIGINAL 1079
#define IDC_RESIZE_WIDTH_LABEL 1080
#define IDC_RESIZE_HEIGHT_LABEL 1081
#define IDC_RESIZE_ORIGINAL_GROUP 1082
#define IDC_RESIZE_KEEP_ASPECT 1114
#define IDC_RESIZE_NEW_GROUP 1115
#define IDC_CAPTION_INSIDE 1076
#define IDC_CAPTION_BOTTOM 1077
#define IDC_CAPTION_BOLD 1058
#define IDC_CAPTION_ITALIC 1059
#define IDC_CAPTION_UNDERLINE 1060
#define IDC_CAPTION_SIZE 1070
#define IDC_CAPTION_COLOR 1071
#define IDC_CAPTION_FACE 1086
#define IDC_CAPTION_TEXT 1088
#define IDC_CAPTION_ADD_DATE 1089
#define IDC_CAPTION_ADD_TIME 1090
#define IDC_CAPTION_ADD_COMPUTER 1091
#define IDC_CAPTION_ADD_USER 1092
#define IDC_CAPTION_TEXT_LABEL 1093
#define IDC_CAPTION_SIZE_LABEL 1095
#define IDC_CAPTION_COLOR_LABEL 1096
#define IDC_CAPTION_FONT_GROUP 1103
#define IDC_TASK_LINK_CURSOR 141 // the task links' pointer: the pointing hand

// --- The tray icon -------------------------------------------------------------------------------
#define IDR_TRAY_MENU 157
#define UM_TRAY_NOTIFY 0x800A // the tray icon's callback message (WM_APP + 10)

// --- About box and tip of the day ---------------------------------------------------------------
#define IDD_ABOUTBOX 100
#define IDB_ABOUT_PICTURE 164
#define IDD_TIP_OF_THE_DAY 165
#define IDB_TIP_BULB 166
#define IDC_ABOUT_MAKER 1105 // the about box's labels and addresses
#define IDC_ABOUT_TITLE 1106
#define IDC_ABOUT_VERSION 1107
#define IDC_ABOUT_NOTICE 1108
#define IDC_ABOUT_PRODUCT_ADDRESS 1109
#define IDC_ABOUT_MAKER_ADDRESS 1110
#define IDC_ABOUT_SUPPORT 1127
#define IDC_TIP_SHOW_AT_STARTUP 1076 // the tip of the day's controls
#define IDC_TIP_NEXT 1110
#define IDC_TIP_PREVIOUS 1111
#define IDC_TIP_FRAME 1112
#define IDC_TIP_TEXT 1113

// --- The tools panel -----------------------------------------------------------------------------
#define IDD_TOOLS_PANEL 132
#define IDB_TOOLS_MAIN 131      // the sixteen tools
#define IDB_TOOLS_SELECTION 133 // the sub-tools, by group
#define IDB_TOOLS_SHAPES 134
#define IDB_TOOLS_BRUSH 137
#define IDB_TOOLS_SPRAY 138
#define IDB_TOOLS_LINES 155
#define IDC_TOOLS_OPACITY 1043 // the style controls of the panel
#define IDC_TOOLS_WIDTH 1044
#define IDC_TOOLS_WIDTH_SPIN 1045
#define IDC_TOOLS_ANTIALIAS 1046
#define IDC_TOOLS_DROP_SHADOW 1047
#define IDC_TOOLS_MAIN_COLOR 1048
#define IDC_TOOLS_BACK_COLOR 1049
#define IDC_TOOLS_STYLE_GROUP 1050
#define IDC_TOOLS_SHADOW_SETTINGS 1117
#define IDC_TOOLS_GROUP_TOOLS 1129
#define IDC_TOOLS_GROUP_MORE 1130
#define IDC_TOOLS_GROUP_COLOR 1132

// --- The "Options" sheet's page ------------------------------------------------------------------
#define IDD_OPTIONS_GEN 158
#define IDC_OPTIONS_ENABLE_HOTKEY 1076
#define IDC_OPTIONS_CTRL 1083
#define IDC_OPTIONS_SHIFT 1084
#define IDC_OPTIONS_ALT 1085
#define IDC_OPTIONS_KEY 1086
#define IDC_OPTIONS_JPEG_QUALITY 1087
#define IDC_OPTIONS_CAPTURE_MODE 1088
#define IDC_OPTIONS_INCLUDE_MOUSE 1089
