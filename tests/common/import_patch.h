// A test seam over the platform: one imported function of the test program, or of a module it has
// loaded, replaced for a while.
#pragma once

#include <windows.h>

// Replaces one function this program (or the module hImporter) imports from a DLL for the life of
// the object, so that a test can make a condition the desktop will not give it on demand.
class CImportPatch {
public:
  CImportPatch(const char* pszDll, const char* pszFunction, FARPROC pReplacement, HMODULE hImporter = NULL);
  ~CImportPatch();
  CImportPatch(const CImportPatch&) = delete;
  CImportPatch& operator=(const CImportPatch&) = delete;
  bool Applied() const { return m_pSlot != NULL; }

private:
  FARPROC* m_pSlot = NULL;
  FARPROC m_pOld = NULL;
};
