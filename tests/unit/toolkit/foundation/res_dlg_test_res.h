// Resource ids of the resource-manager and resource-dialog tests.
#pragma once

// Dialog templates by font: MS Sans Serif 8 and 10, Arial 8, and none.
#define IDD_RES_SANS8 24101
#define IDD_RES_SANS10 24102
#define IDD_RES_ARIAL8 24103
#define IDD_RES_NOFONT 24104
#define IDC_RES_LABEL 24113

// Dialogs with controls that dialog-initialisation data fills.
#define IDD_RES_FILLED 24105
#define IDD_RES_TRUNCATED 24106
#define IDD_RES_COMBO 24107
#define IDC_RES_COMBO 24110
#define IDC_RES_LIST 24111
#define IDC_RES_COMBOEX 24112

#define IDD_RES_MISSING 24199

// Resources present in English and German, for language lookup.
#define IDS_RES_GREETING 24120
#define IDS_RES_ENGLISH_ONLY 24125
#define IDR_RES_ACCEL 24121
#define ID_RES_COMMAND_A 24122
#define ID_RES_COMMAND_B 24124
#define IDR_RES_MENU 24123
#define ID_RES_MENU_ITEM 24126
