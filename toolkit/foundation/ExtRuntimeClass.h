// Run-time class tests by class name, for classes a layer may know only by name (a higher layer's
// windows, or classes that do not exist yet).
#pragma once

#include "framework/core/fw_core.h"

#include <windows.h>

// Whether the object's run-time class, or one of its bases, carries the name.
inline bool IsKindOfName(const CObject* pObject, LPCSTR pszClassName) {
  if (pObject == NULL)
    return false;
  for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != NULL;
       pClass = pClass->m_pBaseClass)
    if (lstrcmpA(pClass->m_lpszClassName, pszClassName) == 0)
      return true;
  return false;
}
