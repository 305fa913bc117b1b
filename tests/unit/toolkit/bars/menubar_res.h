// Resource ids of the menu-bar tests.
#pragma once

#define IDR_MENUBAR_LOADED 300 // a menu the menu bar loads itself
#define ID_MENUBAR_OPTIONS 0x9301
#define ID_MENUBAR_ABOUT 0x9302
#define ID_MENUBAR_OTHER 0x9303 // a top-level command item
