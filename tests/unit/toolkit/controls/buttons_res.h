// Ids of the button tests' own resources.
#pragma once

#define IDD_BUTTONS_HOST 1000
#define IDC_BUTTONS_FIRST 1001
#define ID_BUTTONS_ITEM_ONE 1101
#define ID_BUTTONS_ITEM_TWO 1102
