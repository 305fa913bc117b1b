// Run-time class records and CObject.
#include "framework/core/fw_core.h"

#include <cstring>

const CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL};

namespace {
// Head of the module's serial-class list. Plain pointer: constant-initialised, so classes
// registering from dynamic initialisers in any order all see it.
const CRuntimeClass* g_pFirstClass = NULL;
} // namespace

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  if (pClass == NULL)
    return FALSE;
  return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}

CObject* CRuntimeClass::CreateObject() const {
  if (m_pfnCreateObject == NULL)
    return NULL;
  return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  if (pBaseClass == NULL)
    return FALSE;
  for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass) {
    if (p == pBaseClass)
      return TRUE;
  }
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (lpszClassName == NULL)
    return NULL;
  for (const CRuntimeClass* p = g_pFirstClass; p != NULL; p = p->m_pNextClass) {
    if (std::strcmp(p->m_lpszClassName, lpszClassName) == 0)
      return const_cast<CRuntimeClass*>(p);
  }
  return NULL;
}

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass) {
  pNewClass->m_pNextClass = g_pFirstClass;
  g_pFirstClass = pNewClass;
}

CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject) {
  if (pObject != NULL && pObject->IsKindOf(pClass))
    return pObject;
  return NULL;
}

// ---------------------------------------------------------------------------------------------
// Module state

namespace {
HINSTANCE g_hInstance = NULL;
HINSTANCE g_hResource = NULL;
} // namespace

HINSTANCE AfxGetInstanceHandle() { return g_hInstance != NULL ? g_hInstance : ::GetModuleHandleA(NULL); }
HINSTANCE AfxGetResourceHandle() { return g_hResource != NULL ? g_hResource : ::GetModuleHandleA(NULL); }
void AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource = hInstResource; }
void AfxSetInstanceHandle(HINSTANCE hInst) { g_hInstance = hInst; }
