// The themes the labs take their pictures in, in the order they take them.
#pragma once

#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

namespace lab {

struct LabTheme {
  const char* pszName;
  CRuntimeClass* pClass;
};

inline const LabTheme kThemes[] = {{"classic", RUNTIME_CLASS(CExtPaintManager)},
                                   {"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
                                   {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)}};

} // namespace lab
