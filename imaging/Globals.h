// Program-wide values shared by the capture, the document and the image operations.
#pragma once

// Windows version code set by the main frame when it is created: 107, 108 and 109 are
// Windows 98, 98 SE and ME; 110 is any version above 5.
extern int g_nOsVersionCode;

// Pixels between the canvas origin and picture pixel (0, 0); not scaled by the zoom.
extern int g_nCanvasMargin;
