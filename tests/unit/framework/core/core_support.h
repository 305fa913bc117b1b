// Helpers shared by the core tests.
#pragma once

#include "framework/fw.h"

// The run-time class of the framework exception fn throws, freed by the catch macros; NULL when none.
template <class F> const CRuntimeClass* ThrownClass(F fn) {
  const CRuntimeClass* rc = NULL;
  TRY { fn(); }
  CATCH_ALL(e) { rc = e->GetRuntimeClass(); }
  END_CATCH_ALL
  return rc;
}
