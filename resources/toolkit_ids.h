// Ids of the themed toolkit's own resources and commands, shared by the toolkit, the program's
// resource script and the tests. The program's ids are in resources/resource.h.
#pragma once

// Strings of the tool bar's chevron; missing strings fall back to built-in English texts.
#define IDS_EXT_SHOW_HIDE_PANELS 30009  // the bars sub-menu of the chevron's menu
#define IDS_EXT_WHERE_ARE_BUTTONS 30045 // the chevron's tip
