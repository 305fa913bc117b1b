// The user-interface thread: message pump, pre-translation walk and idle processing.
#include "framework/app/fw_app.h"
#include "framework/core/fw_state.h"
#include "framework/app/fw_ole.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
// The one user-interface thread object (the application object registers itself).
CWinThread* g_pThread = NULL;

// Without an application object the pump and idle rules still hold: a plain thread object
// (never destroyed, like the rest of the thread's framework state) stands in.
CWinThread& CurrentThread() {
  if (g_pThread != NULL)
    return *g_pThread;
  static CWinThread* s_pDefault = new CWinThread;
  return *s_pDefault;
}
} // namespace

void AfxSetThread(CWinThread* pThread) { g_pThread = pThread; }

CWinThread* AfxGetThread() { return g_pThread; }

CWnd* AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

BOOL AfxIsIdleMessage(MSG* pMsg) { return CurrentThread().IsIdleMessage(pMsg); }

BOOL AfxPumpMessage() { return CurrentThread().PumpMessage(); }

BOOL AfxTakeMessage(MSG* pMsg, HWND hWnd, UINT nFilterMin, UINT nFilterMax) {
  if (!::PeekMessageA(pMsg, hWnd, nFilterMin, nFilterMax, PM_REMOVE))
    return FALSE;
  if (pMsg->message != WM_QUIT)
    return TRUE;
  ::PostQuitMessage((int)pMsg->wParam);
  return FALSE;
}

void AfxOnWindowNcDestroy(CWnd* pWnd) {
  // OLE would keep calling a drop target whose window is gone.
  COleDropTarget::RevokeWindow(pWnd->m_hWnd);
  CWinThread* pThread = AfxGetThread();
  if (pThread == NULL)
    return;
  if (pThread->m_pMainWnd == pWnd) {
    // The main window going away ends the program's message loop.
    if (AfxGetApp() != NULL && pThread == AfxGetApp())
      ::PostQuitMessage(0);
    pThread->m_pMainWnd = NULL;
  }
  if (pThread->m_pActiveWnd == pWnd)
    pThread->m_pActiveWnd = NULL;
}

// ---------------------------------------------------------------------------------------------

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(FALSE), m_hThread(::GetCurrentThread()),
      m_nThreadID(::GetCurrentThreadId()), m_ptCursorLast{-1, -1}, m_nMsgLast(0) {}

CWinThread::~CWinThread() {
  if (g_pThread == this)
    g_pThread = NULL;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return (int)AfxGetThreadState()->m_msgCur.wParam; }

CWnd* CWinThread::GetMainWnd() { return m_pActiveWnd != NULL ? m_pActiveWnd : m_pMainWnd; }

// Mouse moves at the same place, paints and the caret blink do not re-arm idle work.
BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y && pMsg->message == m_nMsgLast)
      return FALSE;
    m_ptCursorLast = pMsg->pt;
    m_nMsgLast = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->hwnd == NULL)
    return FALSE; // thread messages are not walked
  CWnd* pMainWnd = AfxGetMainWnd();
  HWND hWndStop = pMainWnd->GetSafeHwnd();
  if (CWnd::WalkPreTranslateTree(hWndStop, pMsg))
    return TRUE;
  // A message for another top-level window (a floating frame, a modeless dialog) gives the
  // main window a last look.
  if (pMainWnd != NULL) {
    HWND hWndTop = pMsg->hwnd;
    HWND hWndParent;
    while ((hWndParent = ::GetParent(hWndTop)) != NULL)
      hWndTop = hWndParent;
    if (hWndTop != pMainWnd->m_hWnd && pMainWnd->PreTranslateMessage(pMsg))
      return TRUE;
  }
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  MSG& msg = AfxGetThreadState()->m_msgCur;
  if (!::GetMessageA(&msg, NULL, 0, 0))
    return FALSE;
  if (msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWnd* pMainWnd = m_pMainWnd;
    if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible()) {
      AfxLockTempMaps();
      pMainWnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
      AfxUnlockTempMaps(FALSE);
    }
    // Every other visible frame of the thread (floating frames) gets the same pass.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    std::vector<CWnd*> frames = pState->m_frameList;
    for (CWnd* pFrame : frames) {
      // An earlier frame's update may have destroyed this one: touch only frames still listed.
      const std::vector<CWnd*>& live = pState->m_frameList;
      if (pFrame == pMainWnd || std::find(live.begin(), live.end(), pFrame) == live.end())
        continue;
      if (pFrame->m_hWnd == NULL || CWnd::FromHandlePermanent(pFrame->m_hWnd) != pFrame)
        continue;
      // A hidden frame is visited only when it owes a ShowWindow (a floating frame shown late).
      if (!pFrame->IsWindowVisible() && !(pFrame->m_nFlags & WF_SHOWPENDING))
        continue;
      pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
      if (pFrame->m_hWnd != NULL && pFrame->IsWindowVisible())
        pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
  }
  if (lCount >= 1)
    AfxDeleteTempMaps();
  return FALSE;
}

int CWinThread::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  MSG& msg = AfxGetThreadState()->m_msgCur;
  for (;;) {
    while (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++))
        bIdle = FALSE;
    }
    do {
      if (!PumpMessage())
        return ExitInstance();
      if (IsIdleMessage(&msg)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE));
  }
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg) {
  if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
    e->ReportError(MB_ICONEXCLAMATION, 0);
  if (pMsg != NULL && pMsg->message == WM_CREATE)
    return -1;
  return 0;
}
