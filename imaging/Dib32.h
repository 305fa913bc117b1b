// The one device-independent pixel layout the pixel code works in: 32 bits a pixel, 0x00RRGGBB
// (the top byte unused by GDI), top row first.
#pragma once

#include "framework/core/fw_core.h"

// Describes a cx x cy bitmap in that layout to GetDIBits, SetDIBits and CreateDIBSection. The
// negative height is what makes the rows run top-down.
inline BITMAPINFO TopDownDib32(int cx, int cy) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}
