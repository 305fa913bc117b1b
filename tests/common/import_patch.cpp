#include "tests/common/import_patch.h"

CImportPatch::CImportPatch(const char* pszDll, const char* pszFunction, FARPROC pReplacement,
                           HMODULE hImporter) {
  BYTE* pBase = reinterpret_cast<BYTE*>(hImporter != NULL ? hImporter : ::GetModuleHandleA(NULL));
  const IMAGE_NT_HEADERS* pNt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + reinterpret_cast<IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* pDesc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(pBase + dir.VirtualAddress);
       dir.VirtualAddress != 0 && pDesc->Name != 0; ++pDesc) {
    if (lstrcmpiA(reinterpret_cast<const char*>(pBase + pDesc->Name), pszDll) != 0 ||
        pDesc->OriginalFirstThunk == 0)
      continue;
    auto* pNames = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->OriginalFirstThunk);
    auto* pSlots = reinterpret_cast<IMAGE_THUNK_DATA*>(pBase + pDesc->FirstThunk);
    for (; pNames->u1.AddressOfData != 0; ++pNames, ++pSlots) {
      if (IMAGE_SNAP_BY_ORDINAL(pNames->u1.Ordinal))
        continue;
      auto* pByName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(pBase + pNames->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<const char*>(pByName->Name), pszFunction) != 0)
        continue;
      FARPROC* pSlot = reinterpret_cast<FARPROC*>(&pSlots->u1.Function);
      DWORD dwOld = 0;
      if (!::VirtualProtect(pSlot, sizeof(FARPROC), PAGE_READWRITE, &dwOld))
        return;
      m_pOld = *pSlot;
      *pSlot = pReplacement;
      ::VirtualProtect(pSlot, sizeof(FARPROC), dwOld, &dwOld);
      m_pSlot = pSlot;
      return;
    }
  }
}

CImportPatch::~CImportPatch() {
  DWORD dwOld = 0;
  if (m_pSlot != NULL && ::VirtualProtect(m_pSlot, sizeof(FARPROC), PAGE_READWRITE, &dwOld)) {
    *m_pSlot = m_pOld;
    ::VirtualProtect(m_pSlot, sizeof(FARPROC), dwOld, &dwOld);
  }
}
