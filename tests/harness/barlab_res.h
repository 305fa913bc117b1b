// Resource ids of barlab.
#pragma once

#define IDR_BARLAB 320     // the frame: title and menu
#define IDR_BARLAB_DOC 321 // the documents' menu
#define IDR_BARLAB_CMDS 322 // every tool-bar command, for the command profile
#define IDD_BARLAB_PANEL 323 // the dialog the panel bar hosts
#define ID_BAR_NEW 40500
#define ID_BAR_OPEN 40501
#define ID_BAR_SAVE 40502
#define ID_BAR_CUT 40503
#define ID_BAR_COPY 40504
#define ID_BAR_PASTE 40505
#define ID_BAR_BOLD 40506
#define ID_BAR_CAPTURE 40507
#define ID_BAR_CAPTURE_REGION 40508
#define ID_BAR_CAPTURE_WINDOW 40509
#define ID_BAR_COLOR 40510
#define ID_BAR_ZOOM 40511
#define ID_BAR_IMAGE 40512
#define ID_BAR_WIDE_FIRST 40520 // the wide bar's twelve commands
#define ID_BAR_WIDE_LAST 40531
#define ID_BAR_PANEL_EDIT 1001
#define ID_BAR_PANEL_CHECK 1002
#define ID_BAR_TOOLBAR 0xE800
#define ID_BAR_WIDEBAR 0xE804
#define ID_BAR_MENUBAR 0xE805
#define ID_BAR_PANELBAR 0xE806
