// The parameter block the task sheet's pages hand the view with each operation (the block's
// address is UM_APPLY_EFFECT's lParam). One layout serves every page: the effect page fills the
// values, colours, flags and shadow; the caption page the size (value[0]), text colour
// (color[0]), the flags inside, bottom, bold, italic, underline (flag[0..4]), the text and the
// face; the resize page the width and height (value[0..1]), the background (color[0]), smooth
// scaling and keep-aspect (flag[0..1]).
#pragma once

#include "framework/core/fw_string.h"

#include <windows.h>

struct EffectParams {
  int taskId = 0;
  int value[4] = {0, 0, 0, 0};
  COLORREF color[3] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  int flag[6] = {1, 0, 0, 0, 0, 0};
  CString text;
  CString fontFace;
  COLORREF shadowColor = 0x666666;
  int shadowOpacity = 100; // percent
  int shadowDepthX = 5;    // pixels
  int shadowDepthY = 5;
  int shadowEdge = 2; // 0 hard, 1 soft, 2 softer
};
