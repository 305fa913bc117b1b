// Window objects and handles: the handle maps, creation under the CBT hook, subclassing that
// coexists with other subclassers, and destruction.
#include "framework/wnd/fw_wnd.h"
#include "framework/core/fw_state.h"

#include <map>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {
// Windows whose object has gone while another procedure sat above ours: our procedure stays in
// their chain and forwards to the procedure we had replaced.
std::map<HWND, WNDPROC>& OrphanProcs() {
  static std::map<HWND, WNDPROC>* p = new std::map<HWND, WNDPROC>;
  return *p;
}

bool IsImeWindow(HWND hWnd) {
  char szClass[16];
  if (::GetClassNameA(hWnd, szClass, sizeof(szClass)) && lstrcmpiA(szClass, "IME") == 0)
    return true;
  return (::GetClassLongA(hWnd, GCL_STYLE) & CS_IME) != 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (code != HCBT_CREATEWND)
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
  CWnd* pWndInit = pState->m_pWndInit;
  HWND hWnd = reinterpret_cast<HWND>(wParam);
  if (pWndInit != NULL && !IsImeWindow(hWnd)) {
    try {
      pWndInit->Attach(hWnd);
      pWndInit->PreSubclassWindow();
      WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc())));
      if (pfnOld != AfxGetAfxWndProc())
        pWndInit->m_pfnSuper = pfnOld;
    } catch (CException* e) {
      e->Delete();
    } catch (...) {
    }
    pState->m_pWndInit = NULL;
  }
  return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}
} // namespace

CHandleMap& AfxGetWndMap() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (!pState->m_pmapHWND) {
    // Temporary window objects are plain CWnd wrappers that never destroy their window.
    pState->m_pmapHWND.reset(
        new CHandleMap([](HANDLE h) -> CObject* { return new CWnd(static_cast<HWND>(h)); },
                       [](CObject* p) { static_cast<CWnd*>(p)->m_hWnd = NULL; }));
  }
  return *pState->m_pmapHWND;
}

void AfxAddFrameWnd(CWnd* pFrame) { AfxGetThreadState()->m_frameList.push_back(pFrame); }

void AfxRemoveFrameWnd(CWnd* pFrame) {
  std::vector<CWnd*>& frames = AfxGetThreadState()->m_frameList;
  for (size_t i = 0; i < frames.size(); i++) {
    if (frames[i] == pFrame) {
      frames.erase(frames.begin() + i);
      return;
    }
  }
}

WNDPROC AfxLookupOrphanProc(HWND hWnd) {
  auto it = OrphanProcs().find(hWnd);
  return it == OrphanProcs().end() ? NULL : it->second;
}

void AfxRemoveOrphanProc(HWND hWnd) { OrphanProcs().erase(hWnd); }

void AfxHookWindowCreate(CWnd* pWnd) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_hHookOldCbtFilter == NULL) {
    // Installed once per thread and kept: creation can be nested inside other creations.
    pState->m_hHookOldCbtFilter = ::SetWindowsHookExA(WH_CBT, CbtFilterHook, NULL, ::GetCurrentThreadId());
    if (pState->m_hHookOldCbtFilter == NULL)
      AfxThrowMemoryException();
  }
  pState->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (pState->m_pWndInit != NULL) {
    pState->m_pWndInit = NULL;
    return FALSE; // the hook never saw the window
  }
  return TRUE;
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  static std::set<std::string>* registered = new std::set<std::string>;
  char szName[96];
  if (hCursor == NULL && hbrBackground == NULL && hIcon == NULL)
    wsprintfA(szName, "fw:%p:%x", (void*)AfxGetInstanceHandle(), nClassStyle);
  else
    wsprintfA(szName, "fw:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle, (void*)hCursor,
              (void*)hbrBackground, (void*)hIcon);
  auto it = registered->find(szName);
  if (it != registered->end())
    return it->c_str();
  WNDCLASSA wc = {};
  wc.style = nClassStyle;
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = AfxGetInstanceHandle();
  wc.hIcon = hIcon;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.lpszClassName = szName;
  WNDCLASSA existing;
  if (!::GetClassInfoA(wc.hInstance, szName, &existing) && !::RegisterClassA(&wc))
    AfxThrowResourceException();
  return registered->insert(szName).first->c_str();
}

// ---------------------------------------------------------------------------------------------

CWnd::CWnd() : m_hWnd(NULL), m_hWndOwner(NULL), m_nFlags(0), m_pfnSuper(NULL), m_nModalResult(0) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_hWndOwner(NULL), m_nFlags(0), m_pfnSuper(NULL), m_nModalResult(0) {}

CWnd::~CWnd() {
  // The marker objects (wndTop ...) hold pseudo handles and are never in the map.
  if (m_hWnd != NULL && m_hWnd != HWND_TOP && m_hWnd != HWND_BOTTOM && m_hWnd != HWND_TOPMOST &&
      m_hWnd != HWND_NOTOPMOST && FromHandlePermanent(m_hWnd) == this) {
    // Destroying here runs no derived handler: the derived parts are gone already.
    HWND hWnd = m_hWnd;
    ::DestroyWindow(hWnd);
    if (m_hWnd != NULL) {
      Detach();
      AfxGetWndMap().RemoveHandle(hWnd, this);
    }
  }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == NULL)
    return NULL;
  return static_cast<CWnd*>(AfxGetWndMap().FromHandle(hWnd));
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  if (hWnd == NULL)
    return NULL;
  return static_cast<CWnd*>(AfxGetWndMap().LookupPermanent(hWnd));
}

void CWnd::DeleteTempMap() { AfxGetWndMap().DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == NULL)
    return FALSE;
  AfxGetWndMap().SetPermanent(m_hWnd = hWndNew, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd != NULL) {
    AfxGetWndMap().RemoveHandle(hWnd, this);
    m_hWnd = NULL;
  }
  return hWnd;
}

int AfxGetPermanentWndCount() { return AfxGetWndMap().GetPermanentCount(); }
int AfxGetTemporaryWndCount() { return AfxGetWndMap().GetTemporaryCount(); }

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL) // the framework's plain class
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW));
  return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  // In a layout the client edge stays inside the rectangle the window is given.
  DWORD dwExStyle = GetExStyle();
  if (nAdjustType == adjustBorder)
    dwExStyle &= ~WS_EX_CLIENTEDGE;
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>((INT_PTR)(int)nID), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>((INT_PTR)(int)nID), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCTA cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  if (!AfxUnhookWindowCreate())
    PostNcDestroy(); // creation failed before the object was attached
  if (hWnd == NULL)
    return FALSE;
  return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd))
    return FALSE;
  // Runs before the swap so that what it sends still reaches the native procedure directly.
  PreSubclassWindow();
  WNDPROC pfnOrphan = AfxLookupOrphanProc(hWnd);
  if (pfnOrphan != NULL) {
    // Our procedure is still in the chain, below another subclasser, from an earlier object:
    // take that place again instead of stacking a second copy of ourselves on top.
    m_pfnSuper = pfnOrphan;
    AfxRemoveOrphanProc(hWnd);
    return TRUE;
  }
  WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc())));
  if (pfnOld != AfxGetAfxWndProc())
    m_pfnSuper = pfnOld;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), nID);
  if (hWndControl == NULL)
    return FALSE;
  return SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
  HWND hWnd = m_hWnd;
  if (hWnd == NULL)
    return NULL;
  WNDPROC pfnCurrent = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  if (pfnCurrent == AfxGetAfxWndProc()) {
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                        reinterpret_cast<LONG_PTR>(m_pfnSuper != NULL ? m_pfnSuper : ::DefWindowProcA));
  } else {
    // Someone subclassed above us: keep our procedure in their chain, forwarding.
    OrphanProcs()[hWnd] = m_pfnSuper != NULL ? m_pfnSuper : ::DefWindowProcA;
  }
  m_pfnSuper = NULL;
  return Detach();
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == NULL)
    return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::OnNcDestroy() {
  AfxOnWindowNcDestroy(this);
  CancelToolTipsFor(this);
  Default();
  HWND hWnd = m_hWnd;
  // Restore the procedure we replaced only while ours is on top: taking ourselves out from
  // under another subclasser would cut its chain. No message follows this one.
  WNDPROC pfnCurrent = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  if (pfnCurrent == AfxGetAfxWndProc() && m_pfnSuper != NULL)
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  AfxRemoveOrphanProc(hWnd);
  m_pfnSuper = NULL;
  Detach();
  PostNcDestroy();
}
