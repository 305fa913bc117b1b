// Resource and command ids of the menu item and menu building tests.
#pragma once

#define ID_MI_OPEN 0x8310
#define ID_MI_SAVE 0x8311
#define ID_MI_EXIT 0x8312
#define ID_MI_CHECK 0x8313
#define ID_MI_GRAY 0x8314
#define ID_MI_HANDLED 0x8315    // the updating frame has command and update handlers for it
#define ID_MI_UNKNOWN 0x8316    // nothing handles it
#define IDR_MI_FILE_MENU 0x8320 // a "&File" popup with the recent-file placeholder and a submenu
#define IDR_MI_MISSING 0x8321   // no such menu
