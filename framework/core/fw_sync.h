// Locks and events. These are the only framework objects a worker thread may touch.
#pragma once

#include "framework/core/fw_core.h"

// Owns a kernel object handle (m_hObject) and closes it on destruction.
class CSyncObject : public CObject {
  DECLARE_DYNAMIC(CSyncObject)
public:
  explicit CSyncObject(LPCSTR pstrName);
  ~CSyncObject() override;

  operator HANDLE() const { return m_hObject; }

  // TRUE when the object was signalled (or an abandoned mutex was taken) within the time-out.
  virtual BOOL Lock(DWORD dwTimeout = INFINITE);
  virtual BOOL Unlock() = 0;

  HANDLE m_hObject;
};

class CCriticalSection : public CSyncObject {
  DECLARE_DYNAMIC(CCriticalSection)
public:
  CCriticalSection();
  ~CCriticalSection() override;

  operator CRITICAL_SECTION*() { return &m_sect; }

  BOOL Lock();
  // A critical section cannot time out: every time-out waits until the section is free.
  BOOL Lock(DWORD dwTimeout) override;
  BOOL Unlock() override;

  CRITICAL_SECTION m_sect;
};

class CEvent : public CSyncObject {
  DECLARE_DYNAMIC(CEvent)
public:
  // Throws CResourceException when the event cannot be created.
  explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCSTR lpszName = NULL,
                  LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);

  BOOL SetEvent() { return ::SetEvent(m_hObject); }
  BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
  BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
  BOOL Unlock() override { return TRUE; }
};

class CMutex : public CSyncObject {
  DECLARE_DYNAMIC(CMutex)
public:
  // Throws CResourceException when the mutex cannot be created.
  explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCSTR lpszName = NULL,
                  LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);

  BOOL Unlock() override { return ::ReleaseMutex(m_hObject); }
};

// Scoped lock: releases the object on destruction if it still holds it.
class CSingleLock {
public:
  explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
  ~CSingleLock() { Unlock(); }
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;

  BOOL Lock(DWORD dwTimeout = INFINITE);
  BOOL Unlock();
  BOOL IsLocked() const { return m_bAcquired; }

private:
  CSyncObject* m_pObject;
  BOOL m_bAcquired;
};
