// Synchronisation objects.
#include "framework/core/fw_sync.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)

namespace {
HANDLE CheckCreated(HANDLE h) {
  if (h == NULL)
    AfxThrowResourceException();
  return h;
}
} // namespace

CSyncObject::CSyncObject(LPCSTR) : m_hObject(NULL) {}

CSyncObject::~CSyncObject() {
  if (m_hObject != NULL)
    ::CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout) {
  const DWORD result = ::WaitForSingleObject(m_hObject, dwTimeout);
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

CCriticalSection::CCriticalSection() : CSyncObject(NULL) { ::InitializeCriticalSection(&m_sect); }
CCriticalSection::~CCriticalSection() { ::DeleteCriticalSection(&m_sect); }

BOOL CCriticalSection::Lock() {
  ::EnterCriticalSection(&m_sect);
  return TRUE;
}

BOOL CCriticalSection::Lock(DWORD) { return Lock(); }

BOOL CCriticalSection::Unlock() {
  ::LeaveCriticalSection(&m_sect);
  return TRUE;
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName) {
  m_hObject = CheckCreated(::CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName));
}

CMutex::CMutex(BOOL bInitiallyOwn, LPCSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName) {
  m_hObject = CheckCreated(::CreateMutexA(lpsaAttribute, bInitiallyOwn, lpszName));
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock) : m_pObject(pObject), m_bAcquired(FALSE) {
  if (bInitialLock)
    Lock();
}

BOOL CSingleLock::Lock(DWORD dwTimeout) {
  if (!m_bAcquired)
    m_bAcquired = m_pObject->Lock(dwTimeout);
  return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
  if (m_bAcquired)
    m_bAcquired = !m_pObject->Unlock();
  return !m_bAcquired;
}
