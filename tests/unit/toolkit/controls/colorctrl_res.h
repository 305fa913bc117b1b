// Ids of the colour control tests' own resources.
#pragma once

#define IDD_COLORCTRL_HOST 4000
#define IDC_COLORCTRL_ITEM 4001
