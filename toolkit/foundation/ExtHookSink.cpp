#include "toolkit/foundation/ExtHookSink.h"

#include "framework/core/fw_state.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

namespace {

// Sinks and chains that went away while a hook procedure was still running. The procedures on
// the stack may still walk them, so they are deleted when the outermost procedure returns. Only
// the user-interface thread runs hook procedures. Declared before the chain map so that they
// outlive it.
int g_nHookDepth = 0;
std::vector<CExtHookSink*> g_pendingSinks;
std::vector<CExtHookSink::HookChains_t*> g_pendingChains;

void ReleaseSink(CExtHookSink* pSink) {
  if (g_nHookDepth == 0) {
    delete pSink;
    return;
  }
  if (std::find(g_pendingSinks.begin(), g_pendingSinks.end(), pSink) == g_pendingSinks.end())
    g_pendingSinks.push_back(pSink);
}

void ReleaseChain(CExtHookSink::HookChains_t* pChain) {
  if (g_nHookDepth == 0)
    delete pChain;
  else
    g_pendingChains.push_back(pChain);
}

// Counts a running hook procedure; the outermost one deletes what was left for later.
class CHookDepth {
public:
  CHookDepth() { ++g_nHookDepth; }
  ~CHookDepth() {
    if (--g_nHookDepth != 0)
      return;
    std::vector<CExtHookSink::HookChains_t*> chains;
    chains.swap(g_pendingChains);
    for (CExtHookSink::HookChains_t* pChain : chains)
      delete pChain;
    // A sink's destructor takes itself off the list, so walk a list the sinks cannot see.
    std::vector<CExtHookSink*> sinks;
    sinks.swap(g_pendingSinks);
    for (CExtHookSink* pSink : sinks)
      delete pSink;
  }
  CHookDepth(const CHookDepth&) = delete;
  CHookDepth& operator=(const CHookDepth&) = delete;
};

CExtHookSink::HookChains_t* FindChain(HWND hWnd) {
  CExtHookSink::HookChains_t* pChain = NULL;
  return g_HookChainsMap.Lookup(hWnd, pChain) ? pChain : NULL;
}

LRESULT CallPreviousProc(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  HWND hWnd = AfxGetThreadState()->m_lastSentMsg.hwnd;
  CExtHookSink::HookChains_t* pChain = FindChain(hWnd);
  if (pChain == NULL)
    return 0;
  return ::CallWindowProcA(pChain->m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
}

LRESULT CALLBACK ChainWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  // Sets the thread's current message so that CallOriginalProc knows the window and message.
  CLastSentMsgScope scope(hWnd, nMessage, wParam, lParam);
  CHookDepth depth;
  CExtHookSink::HookChains_t* pChain = FindChain(hWnd);
  if (pChain == NULL)
    return 0;
  LRESULT lResult = 0;
  try {
    lResult = pChain->ProcessMessage(nMessage, wParam, lParam);
  } catch (CException* e) {
    lResult = AfxReportCallbackException(e, nMessage, hWnd);
  } catch (const std::bad_alloc&) {
    lResult = AfxReportCallbackException(NULL, nMessage, hWnd, TRUE);
  } catch (...) {
    lResult = AfxReportCallbackException(NULL, nMessage, hWnd);
  }
  if (nMessage == WM_NCDESTROY)
    g_HookChainsMap.RemoveKey(hWnd);
  return lResult;
}

} // namespace

CExtHookSink::HookChainsMap_t g_HookChainsMap;

// ---------------------------------------------------------------------------------------------
// Chains

CExtHookSink::HookChains_t::HookChains_t(HWND hWndHooked)
    : m_hWnd(hWndHooked), m_pfnPrevWndProc(reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
                              hWndHooked, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChainWindowProc)))) {}

INT_PTR CExtHookSink::HookChains_t::FindSink(const CExtHookSink* pSink) const {
  for (INT_PTR i = 0; i < m_arrSinks.GetSize(); ++i) {
    if (m_arrSinks[i] == pSink)
      return i;
  }
  return -1;
}

LRESULT CExtHookSink::HookChains_t::ProcessMessage(UINT nMessage, WPARAM& wParam, LPARAM& lParam) {
  // A sink may detach itself or others, or destroy the window, while it runs: walk a copy of the
  // chain and skip the sinks that have left it. What leaves stays allocated until the outermost
  // hook procedure returns.
  const std::vector<CExtHookSink*> sinks(m_arrSinks.GetData(), m_arrSinks.GetData() + m_arrSinks.GetSize());
  const HWND hWnd = m_hWnd;
  if (nMessage == WM_NCDESTROY) {
    bool bSkipPrevious = (m_nFlags & CHAIN_SKIP_PREV_PROC_ON_NCDESTROY) != 0;
    for (CExtHookSink* pSink : sinks) {
      if (FindSink(pSink) < 0)
        continue;
      if ((pSink->m_nSinkFlags & SINK_TAKES_NCDESTROY) != 0)
        bSkipPrevious = true;
      pSink->OnNcDestroy();
    }
    LRESULT lResult = 0;
    if (!bSkipPrevious)
      lResult = ::CallWindowProcA(m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
    DestroyChain(true);
    return lResult;
  }
  for (CExtHookSink* pSink : sinks) {
    if (FindSink(pSink) < 0)
      continue;
    LRESULT lResult = 0;
    if (pSink->OnWindowMessage(lResult, hWnd, nMessage, wParam, lParam))
      return lResult;
  }
  // The window was destroyed by a sink's work: nothing is left to answer.
  if (m_bDestroyed)
    return 0;
  return ::CallWindowProcA(m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
}

void CExtHookSink::HookChains_t::DestroyChain(bool bDelete) {
  // Empty the chain first: a deleted sink then finds nothing left to detach from here.
  const std::vector<CExtHookSink*> sinks(m_arrSinks.GetData(), m_arrSinks.GetData() + m_arrSinks.GetSize());
  m_arrSinks.RemoveAll();
  for (CExtHookSink* pSink : sinks) {
    if (pSink->IsAutoDelete())
      ReleaseSink(pSink);
  }
  ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevWndProc));
  m_bDestroyed = true;
  if (bDelete)
    ReleaseChain(this);
}

CExtHookSink::HookChainsMap_t::HookChainsMap_t() { InitHashTable(17); }

CExtHookSink::HookChainsMap_t::~HookChainsMap_t() {
  // Windows still hooked at exit get their procedures back.
  POSITION pos = GetStartPosition();
  while (pos != NULL) {
    HWND hWnd = NULL;
    HookChains_t* pChain = NULL;
    GetNextAssoc(pos, hWnd, pChain);
    pChain->DestroyChain(true);
  }
  RemoveAll();
}

// ---------------------------------------------------------------------------------------------
// Sinks

CExtHookSink::CExtHookSink(bool bRouteSingleMessages)
    : m_nSinkFlags(bRouteSingleMessages ? SINK_ROUTE_SINGLE_MESSAGES : 0) {}

CExtHookSink::~CExtHookSink() {
  UnhookAllWindows();
  g_pendingSinks.erase(std::remove(g_pendingSinks.begin(), g_pendingSinks.end(), this), g_pendingSinks.end());
}

bool CExtHookSink::IsAutoDelete() const { return false; }

LRESULT CExtHookSink::CallOriginalProc(WPARAM wParam, LPARAM lParam) {
  return CallPreviousProc(AfxGetThreadState()->m_lastSentMsg.message, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalProc(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  return CallPreviousProc(nMessage, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalProc() {
  const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
  return CallPreviousProc(msg.message, msg.wParam, msg.lParam);
}

bool CExtHookSink::OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                   LPARAM& lParam) {
  if ((m_nSinkFlags & SINK_ROUTE_SINGLE_MESSAGES) == 0)
    return false;
  switch (nMessage) {
  case WM_COMMAND:
    return OnCommand(lResult, hWndHooked, HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam));
  case WM_NOTIFY:
    return OnNotify(lResult, hWndHooked, wParam, reinterpret_cast<NMHDR*>(lParam));
  case WM_PAINT:
    return OnPaint(lResult, hWndHooked, wParam, lParam);
  case WM_ERASEBKGND:
    return OnEraseBackground(lResult, hWndHooked, wParam, lParam);
  case WM_PRINT:
    return OnPrint(lResult, hWndHooked, wParam, lParam);
  case WM_NCPAINT:
    return OnNcPaint(lResult, hWndHooked, wParam, lParam);
  default:
    return false;
  }
}

bool CExtHookSink::OnCommand(LRESULT&, HWND, UINT, UINT, HWND) { return false; }
bool CExtHookSink::OnNotify(LRESULT&, HWND, WPARAM, NMHDR*) { return false; }
bool CExtHookSink::OnPaint(LRESULT&, HWND, WPARAM, LPARAM) { return false; }
bool CExtHookSink::OnEraseBackground(LRESULT&, HWND, WPARAM, LPARAM) { return false; }
bool CExtHookSink::OnPrint(LRESULT&, HWND, WPARAM, LPARAM) { return false; }
bool CExtHookSink::OnNcPaint(LRESULT&, HWND, WPARAM, LPARAM) { return false; }
void CExtHookSink::OnNcDestroy() {}
void CExtHookSink::OnAttached(HWND) {}
void CExtHookSink::OnDetached(HWND) {}

bool CExtHookSink::HookWindow(HWND hWnd, bool bRemove, bool bAddToHead) {
  if (hWnd == NULL)
    return false;
  HookChains_t* pChain = FindChain(hWnd);
  if (bRemove) {
    if (pChain == NULL || pChain->FindSink(this) < 0)
      return true;
    OnDetached(hWnd);
    INT_PTR nIndex = pChain->FindSink(this);
    if (nIndex >= 0)
      pChain->m_arrSinks.RemoveAt(nIndex);
    if (IsAutoDelete())
      ReleaseSink(this);
    return true;
  }
  if (!::IsWindow(hWnd))
    return false;
  if (pChain == NULL) {
    std::unique_ptr<HookChains_t> pNew(new HookChains_t(hWnd));
    // Windows of other processes cannot be subclassed.
    if (pNew->m_pfnPrevWndProc == NULL)
      return false;
    pChain = pNew.release();
    g_HookChainsMap.SetAt(hWnd, pChain);
  }
  if (pChain->FindSink(this) >= 0)
    return true;
  if (bAddToHead)
    pChain->m_arrSinks.InsertAt(0, this);
  else
    pChain->m_arrSinks.Add(this);
  OnAttached(hWnd);
  return true;
}

void CExtHookSink::UnhookAllWindows() {
  CList<HWND, HWND> listHookedWindows;
  CollectHookedWindows(listHookedWindows);
  POSITION pos = listHookedWindows.GetHeadPosition();
  while (pos != NULL)
    HookWindow(listHookedWindows.GetNext(pos), true, false);
}

bool CExtHookSink::IsWindowHooked(HWND hWnd) const {
  HookChains_t* pChain = FindChain(hWnd);
  return pChain != NULL && pChain->FindSink(this) >= 0;
}

void CExtHookSink::CollectHookedWindows(CList<HWND, HWND>& listHookedWindows) const {
  POSITION pos = g_HookChainsMap.GetStartPosition();
  while (pos != NULL) {
    HWND hWnd = NULL;
    HookChains_t* pChain = NULL;
    g_HookChainsMap.GetNextAssoc(pos, hWnd, pChain);
    if (pChain->FindSink(this) >= 0)
      listHookedWindows.AddTail(hWnd);
  }
}

// ---------------------------------------------------------------------------------------------

HWND CExtMouseCaptureSink::SetCapture(HWND hWnd) { return ::SetCapture(hWnd); }
HWND CExtMouseCaptureSink::GetCapture() { return ::GetCapture(); }
BOOL CExtMouseCaptureSink::ReleaseCapture() { return ::ReleaseCapture(); }
