// Resource ids of controlslab.
#pragma once

#define IDR_CONTROLSLAB 340 // the frame's title
#define IDD_CLAB_BUTTONS 341
#define IDD_CLAB_STATIC 342
#define IDD_CLAB_COMBO 343
#define IDD_CLAB_COLOR 344
#define IDD_CLAB_DATE 345
#define IDR_CLAB_PUSHMENU 346 // the menu of the drop-down push button

// The push, colour, check and radio buttons.
#define IDC_CLAB_PUSH 1101
#define IDC_CLAB_DEFAULT 1102
#define IDC_CLAB_DISABLED 1103
#define IDC_CLAB_COLORBTN 1104
#define IDC_CLAB_MENUBTN 1105
#define IDC_CLAB_CHECK 1106
#define IDC_CLAB_CHECK3 1107
#define IDC_CLAB_RADIO1 1108
#define IDC_CLAB_RADIO2 1109
#define IDC_CLAB_RADIO3 1110
#define IDC_CLAB_CHECKOFF 1111
#define ID_CLAB_MENU_FIRST 1120
#define ID_CLAB_MENU_SECOND 1121

// The group box, the labels and the slider.
#define IDC_CLAB_GROUP 1201
#define IDC_CLAB_LABEL 1202
#define IDC_CLAB_LABELOFF 1203
#define IDC_CLAB_SLIDER 1204
#define IDC_CLAB_SLIDEROFF 1205

// The combo boxes and the edit.
#define IDC_CLAB_COMBO 1301
#define IDC_CLAB_COMBOLIST 1302
#define IDC_CLAB_EDIT 1303
#define IDC_CLAB_COMBOOFF 1304

// The colour control and the button opening the colour dialog.
#define IDC_CLAB_COLORCTRL 1401
#define IDC_CLAB_COLORDLG 1402
#define IDC_CLAB_COLORMODE 1403

// The date picker, made at run time.
#define IDC_CLAB_DATEPICKER 1501
