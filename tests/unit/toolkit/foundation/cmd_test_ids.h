// Resource ids of the command tests: commands with their strings, a menu and tool bars.
#pragma once

#define ID_CMD_ZOOM_IN 24101 // "status tip\ntool tip"
#define ID_CMD_OPEN 24102    // a status tip alone
#define ID_CMD_SAVE 24103    // blanks, a TAB and carriage returns round the texts
#define ID_CMD_EXIT 24104    // no string
#define ID_CMD_EMPTY 24105   // a string of blanks only
#define ID_CMD_CUT 24110     // the tool bar's two buttons
#define ID_CMD_COPY 24111
#define IDR_CMD_MENU 24120        // a File popup and one item on the bar
#define IDR_CMD_TOOLBAR 24130     // buttons 24110, separator, 24111 of 4 x 3 pixels
#define IDR_CMD_TOOLBAR_BAD 24131 // claims more buttons than it holds
