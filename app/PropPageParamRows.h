// The effect page's table: the rows of each operation, with their registry names and defaults.
#pragma once

#include "app/PropPageParam.h"

// One row of an operation. Its value travels in the block field of its kind at its index.
struct EffectRow {
  enum Kind { kSlider, kColor, kCheck, kCheckWithButton };
  Kind kind;
  int index;
  const char* label;
  int min, max;       // the slider's range
  const char* suffix; // the registry name is the operation's prefix and this
  int def;            // the value when the registry has none (a colour as COLORREF)
};

struct EffectDef {
  int taskId;
  const char* name; // the title is this, unchanged, and the loader's ending
  const char* prefix;
  void (CPropPageParam::*loader)(LPCSTR, int);
  const EffectRow* rows;
  int nRows;

  static const EffectDef s_table[];
  static const int s_nCount;
};
