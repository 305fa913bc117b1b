// Resource ids of the resizable-dialog tests.
#pragma once

#define IDD_RESIZABLE_TEST 24301
#define IDD_RESIZABLE_CHILD 24302
#define IDC_RSZ_EDIT 24310  // stretches with the width
#define IDC_RSZ_OK 24311    // follows the bottom-right corner
#define IDC_RSZ_LIST 24312  // stretches both ways
#define IDC_RSZ_LABEL 24313 // keeps its place
#define IDC_RSZ_HALF 24314  // its left edge at the middle, stretching to the right
