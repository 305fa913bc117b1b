// Resource ids of the dialog-layer tests.
#pragma once

#define IDD_EMPTY 100
#define IDD_MISSING 199

#define IDD_HARDNESS 170
#define IDC_EDGE_LABEL 1085
#define IDC_EDGE_COMBO 1086
#define IDC_EDGE_EDIT 1087
#define IDR_DLGINIT_TRUNCATED 171

#define IDD_EXCHANGE 200
#define IDC_NAME 201
#define IDC_COUNT 202
#define IDC_ENABLED 203
#define IDC_SHAPE_FIRST 204
#define IDC_SHAPE_SECOND 205
#define IDC_SHAPE_THIRD 206
#define IDC_MODE 207
#define IDC_UNITS 208
#define IDC_LEVEL 209
#define IDC_FORMAT 210
#define IDC_AFTER_GROUP 211

// Templates and DLGINIT data the tests hand over as memory.
#define IDD_EX 501
#define IDD_LIST 502
#define IDR_LIST_INIT 503

#define IDD_PAGE_FIRST 300
#define IDC_PAGE_FIRST_EDIT 301
#define IDD_PAGE_SECOND 310
#define IDC_PAGE_SECOND_EDIT 311
