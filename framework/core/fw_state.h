// Per-thread framework state and the handle maps that tie platform handles to wrapper objects.
#pragma once

#include "framework/core/fw_core.h"

#include <commctrl.h>

#include <memory>
#include <unordered_map>
#include <vector>

// Maps platform handles to wrapper objects. Permanent entries belong to objects that called Attach;
// temporary entries are wrappers made on demand for handles nobody attached. Temporary wrappers never
// own their handle: the map releases (detaches) them before deleting them.
class CHandleMap {
public:
  // Makes a wrapper that refers to h without owning it.
  typedef CObject*(AFXAPI* PFN_NEWTEMP)(HANDLE h);
  // Drops every handle the wrapper holds without destroying any of them.
  typedef void(AFXAPI* PFN_RELEASETEMP)(CObject* pObject);

  CHandleMap(PFN_NEWTEMP pfnNewTemp, PFN_RELEASETEMP pfnReleaseTemp);
  ~CHandleMap();
  CHandleMap(const CHandleMap&) = delete;
  CHandleMap& operator=(const CHandleMap&) = delete;

  // The permanent wrapper of h, else its temporary wrapper (made once per handle); NULL for NULL.
  CObject* FromHandle(HANDLE h);
  // The temporary wrapper of h, made on first request, whether or not a permanent one exists.
  CObject* TemporaryFromHandle(HANDLE h);
  CObject* LookupPermanent(HANDLE h) const;
  CObject* LookupTemporary(HANDLE h) const;

  void SetPermanent(HANDLE h, CObject* pObject);
  // Called when pObject lets go of h. A temporary wrapper that lets go stays alive until the next
  // clean-up, since callers may still hold it.
  void RemoveHandle(HANDLE h, CObject* pObject);

  // Releases and deletes every temporary wrapper.
  void DeleteTemp();

  int GetPermanentCount() const { return (int)m_permanentMap.size(); }
  int GetTemporaryCount() const { return (int)(m_temporaryMap.size() + m_orphans.size()); }

private:
  typedef std::unordered_map<HANDLE, std::unique_ptr<CObject>> TempMap;

  PFN_NEWTEMP m_pfnNewTemp;
  PFN_RELEASETEMP m_pfnReleaseTemp;
  std::unordered_map<HANDLE, CObject*> m_permanentMap;
  TempMap m_temporaryMap;
  std::vector<std::unique_ptr<CObject>> m_orphans; // temporaries that gave up their handle
};

// Created on first use in each thread and never destroyed: globals destroyed after the program ends may
// still free temporary objects.
class CWnd;

struct AFX_THREAD_STATE {
  // Handle maps, each created by its module on first use.
  std::unique_ptr<CHandleMap> m_pmapHGDIOBJ;
  std::unique_ptr<CHandleMap> m_pmapHDC;
  std::unique_ptr<CHandleMap> m_pmapHIMAGELIST;
  std::unique_ptr<CHandleMap> m_pmapHWND;
  std::unique_ptr<CHandleMap> m_pmapHMENU;

  // Window creation: the object to attach to the next window the CBT hook sees.
  CWnd* m_pWndInit = NULL;
  HHOOK m_hHookOldCbtFilter = NULL;

  // The message being dispatched (Default() and GetCurrentMessage read it) and the one pumped.
  MSG m_lastSentMsg = {};
  MSG m_msgCur = {};

  // While UpdateData runs, control notifications to this window are dropped.
  HWND m_hLockoutNotifyWindow = NULL;

  // The shared tool tip and the tool it shows.
  HWND m_hToolTip = NULL;
  HWND m_hWndLastHit = NULL;
  INT_PTR m_nLastHit = -1;
  TOOLINFOA m_lastInfo = {};

  // Every live frame window of the thread (main and floating), for the idle pass.
  std::vector<CWnd*> m_frameList;

  // AfxLockTempMaps nesting depth; temporaries survive clean-up while it is non-zero.
  int m_nTempMapLock = 0;

  // Visits every handle map the thread has created; new maps join the list here.
  template <class F> void ForEachHandleMap(F f) const {
    for (CHandleMap* pMap : {m_pmapHGDIOBJ.get(), m_pmapHDC.get(), m_pmapHIMAGELIST.get(), m_pmapHWND.get(),
                             m_pmapHMENU.get()}) {
      if (pMap != NULL)
        f(*pMap);
    }
  }
};

AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// Makes one message the thread's last sent message for the life of the scope, so that Default()
// and GetCurrentMessage() inside its handler see it, and restores the previous one afterwards.
class CLastSentMsgScope {
public:
  CLastSentMsgScope(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
      : m_pState(AfxGetThreadState()), m_saved(m_pState->m_lastSentMsg) {
    m_pState->m_lastSentMsg.hwnd = hWnd;
    m_pState->m_lastSentMsg.message = nMsg;
    m_pState->m_lastSentMsg.wParam = wParam;
    m_pState->m_lastSentMsg.lParam = lParam;
  }
  ~CLastSentMsgScope() { m_pState->m_lastSentMsg = m_saved; }
  CLastSentMsgScope(const CLastSentMsgScope&) = delete;
  CLastSentMsgScope& operator=(const CLastSentMsgScope&) = delete;

private:
  AFX_THREAD_STATE* m_pState;
  MSG m_saved;
};

void AFXAPI AfxLockTempMaps();
// Ends one AfxLockTempMaps; when the last lock ends and bDeleteTemps is set, temporaries are deleted.
// Returns TRUE while the maps are still locked.
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
// Deletes the thread's temporary wrappers unless the maps are locked (the idle pass calls it).
void AFXAPI AfxDeleteTempMaps();

// Census for leak tests: live temporary and permanent wrappers over all of the thread's maps.
int AFXAPI AfxGetTempMapCount();
int AFXAPI AfxGetPermanentMapCount();

// The thread's window map (permanent objects and temporary plain CWnd wrappers).
CHandleMap& AFXAPI AfxGetWndMap();

// Frame windows register here so that idle passes reach floating frames too.
void AFXAPI AfxAddFrameWnd(class CWnd* pFrame);
void AFXAPI AfxRemoveFrameWnd(class CWnd* pFrame);

// Internal links between the window layer and the application layer.
WNDPROC AFXAPI AfxLookupOrphanProc(HWND hWnd);
void AFXAPI AfxRemoveOrphanProc(HWND hWnd);
void AFXAPI AfxOnWindowNcDestroy(class CWnd* pWnd);
int AFXAPI AfxGetWaitCursorCount();
BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg);
// The exception barrier of every function the platform calls: reports e (NULL for an exception
// that is not the framework's; bMemory for std::bad_alloc), deletes it and answers the message
// (-1 for WM_CREATE, the window validated for WM_PAINT, else 0).
LRESULT AFXAPI AfxReportCallbackException(CException* e, UINT nMsg, HWND hWnd, BOOL bMemory = FALSE);
