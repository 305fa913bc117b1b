// Per-thread state and the generic handle map.
#include "framework/core/fw_state.h"

#include <atomic>

// ---------------------------------------------------------------------------------------------
// CHandleMap

CHandleMap::CHandleMap(PFN_NEWTEMP pfnNewTemp, PFN_RELEASETEMP pfnReleaseTemp)
    : m_pfnNewTemp(pfnNewTemp), m_pfnReleaseTemp(pfnReleaseTemp) {}

// Temporaries must be released before their destructors run, or they would destroy borrowed handles.
CHandleMap::~CHandleMap() { DeleteTemp(); }

CObject* CHandleMap::FromHandle(HANDLE h) {
  if (h == NULL)
    return NULL;
  CObject* pObject = LookupPermanent(h);
  return pObject != NULL ? pObject : TemporaryFromHandle(h);
}

CObject* CHandleMap::TemporaryFromHandle(HANDLE h) {
  if (h == NULL)
    return NULL;
  std::unique_ptr<CObject>& slot = m_temporaryMap[h];
  if (slot == NULL) {
    try {
      slot.reset(m_pfnNewTemp(h));
    } catch (...) {
      m_temporaryMap.erase(h);
      throw;
    }
  }
  return slot.get();
}

CObject* CHandleMap::LookupPermanent(HANDLE h) const {
  auto it = m_permanentMap.find(h);
  return it != m_permanentMap.end() ? it->second : NULL;
}

CObject* CHandleMap::LookupTemporary(HANDLE h) const {
  auto it = m_temporaryMap.find(h);
  return it != m_temporaryMap.end() ? it->second.get() : NULL;
}

void CHandleMap::SetPermanent(HANDLE h, CObject* pObject) { m_permanentMap[h] = pObject; }

void CHandleMap::RemoveHandle(HANDLE h, CObject* pObject) {
  auto perm = m_permanentMap.find(h);
  if (perm != m_permanentMap.end() && perm->second == pObject)
    m_permanentMap.erase(perm);
  auto temp = m_temporaryMap.find(h);
  if (temp != m_temporaryMap.end() && temp->second.get() == pObject) {
    // Free the slot so a new object reusing the handle value gets a fresh wrapper.
    m_orphans.push_back(std::move(temp->second));
    m_temporaryMap.erase(temp);
  }
}

void CHandleMap::DeleteTemp() {
  // Releasing a wrapper calls back into RemoveHandle; work on containers the map no longer holds.
  TempMap temps;
  temps.swap(m_temporaryMap);
  std::vector<std::unique_ptr<CObject>> orphans;
  orphans.swap(m_orphans);
  for (auto& entry : temps)
    m_pfnReleaseTemp(entry.second.get());
  for (auto& pObject : orphans)
    m_pfnReleaseTemp(pObject.get());
}

// ---------------------------------------------------------------------------------------------
// Thread state

namespace {

// Constant-initialised, so the slot can be allocated during static initialisation.
std::atomic<DWORD> g_tlsSlot{TLS_OUT_OF_INDEXES};

DWORD ThreadStateSlot() {
  DWORD slot = g_tlsSlot.load(std::memory_order_acquire);
  if (slot != TLS_OUT_OF_INDEXES)
    return slot;
  DWORD fresh = ::TlsAlloc();
  if (fresh == TLS_OUT_OF_INDEXES)
    AfxThrowMemoryException();
  if (!g_tlsSlot.compare_exchange_strong(slot, fresh, std::memory_order_acq_rel)) {
    ::TlsFree(fresh); // another thread won the race; slot now holds its index
    return slot;
  }
  return fresh;
}

} // namespace

AFX_THREAD_STATE* AFXAPI AfxGetThreadState() {
  // TlsGetValue resets the last-error code; callers may be between a failing call and GetLastError.
  DWORD dwLastError = ::GetLastError();
  DWORD slot = ThreadStateSlot();
  AFX_THREAD_STATE* pState = static_cast<AFX_THREAD_STATE*>(::TlsGetValue(slot));
  if (pState == NULL) {
    pState = new AFX_THREAD_STATE; // lives as long as the process
    ::TlsSetValue(slot, pState);
  }
  ::SetLastError(dwLastError);
  return pState;
}

void AFXAPI AfxLockTempMaps() { ++AfxGetThreadState()->m_nTempMapLock; }

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_nTempMapLock != 0 && --pState->m_nTempMapLock == 0 && bDeleteTemps)
    pState->ForEachHandleMap([](CHandleMap& map) { map.DeleteTemp(); });
  return pState->m_nTempMapLock != 0;
}

void AFXAPI AfxDeleteTempMaps() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_nTempMapLock == 0)
    pState->ForEachHandleMap([](CHandleMap& map) { map.DeleteTemp(); });
}

int AFXAPI AfxGetTempMapCount() {
  int nCount = 0;
  AfxGetThreadState()->ForEachHandleMap([&](const CHandleMap& map) { nCount += map.GetTemporaryCount(); });
  return nCount;
}

int AFXAPI AfxGetPermanentMapCount() {
  int nCount = 0;
  AfxGetThreadState()->ForEachHandleMap([&](const CHandleMap& map) { nCount += map.GetPermanentCount(); });
  return nCount;
}
