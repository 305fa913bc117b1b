// The text a tool hit test hands out in a TOOLINFO: a copy made with malloc that the asker frees.
// Tip owners that show the text themselves take it through here, so that it is freed once.
#pragma once

#include "framework/core/fw_string.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

// Takes the text out of ti (empty for none or a callback) and frees the copy.
inline CString TakeToolInfoText(TOOLINFO& ti) {
  CString strText;
  if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKA) {
    strText = ti.lpszText;
    std::free(ti.lpszText);
  }
  ti.lpszText = NULL;
  return strText;
}
