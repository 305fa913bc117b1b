// Pane ids of the status-bar tests; the first two have strings in status.rc.
#pragma once

#define IDS_STATUS_ZOOM 0x7E10
#define IDS_STATUS_SIZE 0x7E11
#define IDS_STATUS_NO_STRING 0x7E1F
