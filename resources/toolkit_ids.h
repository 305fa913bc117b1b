// Ids of the themed toolkit's own resources and commands, shared by the toolkit, the program's
// resource script and the tests. The program's ids are in resources/resource.h.
#pragma once

// Strings of the tool bar's chevron; missing strings fall back to built-in English texts.
#define IDS_EXT_SHOW_HIDE_PANELS 30009  // the bars sub-menu of the chevron's menu
#define IDS_EXT_WHERE_ARE_BUTTONS 30045 // the chevron's tip

// The colour dialog: its template and icon, and its items. Its texts are built in: the range
// error (30002) and the picker names (from 30343) are looked up first and may be added later.
#define IDD_EXT_COLOR_DLG 30001
#define IDI_EXT_COLOR_DLG 30001
#define IDS_EXT_COLOR_RANGE_ERROR 30002
#define IDC_EXT_COLOR_PICKER 30013
#define IDC_EXT_COLOR_MODE 30014
#define IDC_EXT_COLOR_RED_LABEL 30015
#define IDC_EXT_COLOR_RED 30016
#define IDC_EXT_COLOR_GREEN_LABEL 30017
#define IDC_EXT_COLOR_GREEN 30018
#define IDC_EXT_COLOR_BLUE_LABEL 30019
#define IDC_EXT_COLOR_BLUE 30020
#define IDC_EXT_COLOR_HUE_LABEL 30021
#define IDC_EXT_COLOR_HUE 30022
#define IDC_EXT_COLOR_SAT_LABEL 30023
#define IDC_EXT_COLOR_SAT 30024
#define IDC_EXT_COLOR_LUM_LABEL 30025
#define IDC_EXT_COLOR_LUM 30026
#define IDC_EXT_COLOR_DIFF 30027
#define IDC_EXT_COLOR_NEW_LABEL 30028
#define IDC_EXT_COLOR_INITIAL_LABEL 30029
#define IDC_EXT_COLOR_CYAN_LABEL 30030
#define IDC_EXT_COLOR_CYAN 30031
#define IDC_EXT_COLOR_RED_SPIN 30032
#define IDC_EXT_COLOR_GREEN_SPIN 30033
#define IDC_EXT_COLOR_BLUE_SPIN 30034
#define IDC_EXT_COLOR_HUE_SPIN 30035
#define IDC_EXT_COLOR_SAT_SPIN 30036
#define IDC_EXT_COLOR_LUM_SPIN 30037
#define IDC_EXT_COLOR_CYAN_SPIN 30038
#define IDC_EXT_COLOR_MAGENTA_LABEL 30039
#define IDC_EXT_COLOR_MAGENTA 30040
#define IDC_EXT_COLOR_MAGENTA_SPIN 30041
#define IDC_EXT_COLOR_YELLOW_LABEL 30042
#define IDC_EXT_COLOR_YELLOW 30043
#define IDC_EXT_COLOR_YELLOW_SPIN 30044
#define IDC_EXT_COLOR_MODE_LABEL 30291
