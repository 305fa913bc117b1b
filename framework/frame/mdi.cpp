// MDI frames and their children. Menus switch only through the MDI client (WM_MDISETMENU), so
// whoever watches the client learns about every switch; the frame itself never calls SetMenu.
#include "framework/frame/fw_frame.h"

#include "framework/app/fw_app.h"
#include "framework/doc/fw_doc.h"
#include "framework/res/fw_res.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_WM_SIZE()
ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(NULL) {}

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL)
    cs.lpszClass = RegisterFrameClass(0);
  return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  // The menu the frame is being created with holds the window list.
  return CreateClient(lpcs, CMenu::FromHandle(::GetMenu(m_hWnd)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu) {
  CLIENTCREATESTRUCT ccs;
  ccs.hWindowMenu = pWindowMenu != NULL ? GetWindowMenuPopup(pWindowMenu->m_hMenu) : NULL;
  ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
  DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL | MDIS_ALLCHILDSTYLES;
  // Made without the creation hook: the client is no window object of the framework.
  m_hWndMDIClient =
      ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL, dwStyle, 0, 0, 0, 0, m_hWnd,
                        reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST), AfxGetInstanceHandle(), &ccs);
  if (m_hWndMDIClient == NULL)
    return FALSE;
  ::BringWindowToTop(m_hWndMDIClient);
  return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  if (hMenuBar == NULL)
    return NULL;
  // The last top-level pop-up that holds a window command.
  for (int iItem = ::GetMenuItemCount(hMenuBar) - 1; iItem >= 0; iItem--) {
    HMENU hPopup = ::GetSubMenu(hMenuBar, iItem);
    if (hPopup == NULL)
      continue;
    for (int i = 0, n = ::GetMenuItemCount(hPopup); i < n; i++) {
      UINT nID = ::GetMenuItemID(hPopup, i);
      if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
        return hPopup;
    }
  }
  return NULL;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  if (m_hWndMDIClient == NULL)
    return NULL;
  HWND hWnd = reinterpret_cast<HWND>(
      ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(pbMaximized)));
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(pWnd)
                                                                     : NULL;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDINext() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
void CMDIFrameWnd::MDIPrev() { ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
void CMDIFrameWnd::MDICascade() { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
void CMDIFrameWnd::MDICascade(int nType) { ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, nType, 0); }
void CMDIFrameWnd::MDITile() { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, 0, 0); }
void CMDIFrameWnd::MDITile(int nType) { ::SendMessageA(m_hWndMDIClient, WM_MDITILE, nType, 0); }
void CMDIFrameWnd::MDIIconArrange() { ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu) {
  HMENU hOld = reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                      reinterpret_cast<WPARAM>(pFrameMenu->GetSafeHmenu()),
                                                      reinterpret_cast<LPARAM>(pWindowMenu->GetSafeHmenu())));
  return CMenu::FromHandle(hOld);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* pActive = MDIGetActive();
  return pActive != NULL ? static_cast<CFrameWnd*>(pActive) : this;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  CMDIChildWnd* pActive = MDIGetActive();
  if (pActive != NULL) {
    pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
    return;
  }
  ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                 reinterpret_cast<WPARAM>(hMenuAlt != NULL ? hMenuAlt : m_hMenuDefault), 0);
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0)
    return;
  // A maximised child's title is appended by the system; otherwise the frame names the document.
  BOOL bMaximized = FALSE;
  CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
  CDocument* pDocument = pActive != NULL ? pActive->GetActiveDocument() : NULL;
  if (!bAddToTitle || pActive == NULL || bMaximized) {
    UpdateFrameTitleForDocument(NULL);
    return;
  }
  CString strDoc = pDocument != NULL ? pDocument->GetTitle() : pActive->GetTitle();
  if (pActive->m_nWindow > 0) {
    CString strNumber;
    strNumber.Format(":%d", pActive->m_nWindow);
    strDoc += strNumber;
  }
  UpdateFrameTitleForDocument(strDoc.IsEmpty() ? NULL : static_cast<LPCSTR>(strDoc));
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // The active child (its view, document and frame) comes first.
  CMDIChildWnd* pActive = MDIGetActive();
  if (pActive != NULL && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The child sees the command as its own WM_COMMAND first (with its own disabled test).
  CMDIChildWnd* pActive = MDIGetActive();
  if (pActive != NULL && AfxCallWndProc(pActive, pActive->m_hWnd, WM_COMMAND, wParam, lParam) != 0)
    return TRUE;
  if (CFrameWnd::OnCommand(wParam, lParam))
    return TRUE;
  // Child activation (0xFF00...) and "More Windows" belong to the system's frame procedure.
  if (lParam == 0 && (LOWORD(wParam) & 0xF000) == 0xF000) {
    DefWindowProc(WM_COMMAND, wParam, lParam);
    return TRUE;
  }
  return FALSE;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  CMDIChildWnd* pActive = MDIGetActive();
  if (pActive != NULL && pActive->PreTranslateMessage(pMsg))
    return TRUE;
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    if (m_hAccelTable != NULL && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg))
      return TRUE;
    // The MDI keys (Ctrl+F6, Ctrl+F4) only while no view of the frame itself is active.
    if (GetActiveView() == NULL && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
      return TRUE;
  }
  return FALSE;
}

void CMDIFrameWnd::OnSize(UINT nType, int, int) {
  // Not the default handling: it would size the client over the bars.
  if (nType != SIZE_MINIMIZED)
    RecalcLayout();
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID) {
  switch (nID) {
  case ID_WINDOW_ARRANGE:
    MDIIconArrange();
    return TRUE;
  case ID_WINDOW_CASCADE:
    MDICascade();
    return TRUE;
  case ID_WINDOW_TILE_HORZ:
    MDITile(MDITILE_HORIZONTAL);
    return TRUE;
  case ID_WINDOW_TILE_VERT:
    MDITile(MDITILE_VERTICAL);
    return TRUE;
  default:
    return FALSE;
  }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI) { pCmdUI->Enable(MDIGetActive() != NULL); }

void CMDIFrameWnd::OnWindowNew() {
  // Another frame on the active document, through the document's template.
  CMDIChildWnd* pActive = MDIGetActive();
  CDocument* pDocument = pActive != NULL ? pActive->GetActiveDocument() : NULL;
  CDocTemplate* pTemplate = pDocument != NULL ? pDocument->GetDocTemplate() : NULL;
  CFrameWnd* pFrame = pTemplate != NULL ? pTemplate->CreateNewFrame(pDocument, pActive) : NULL;
  if (pFrame == NULL) {
    AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
    return;
  }
  pTemplate->InitialUpdateFrame(pFrame, pDocument);
}

// ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_MDIACTIVATE()
ON_WM_DESTROY()
ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL), m_bPseudoInactive(FALSE), m_bZoomed(FALSE) {}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  // Child -> MDI client -> frame.
  HWND hWndClient = ::GetParent(m_hWnd);
  CWnd* pFrame = CWnd::FromHandlePermanent(::GetParent(hWndClient));
  return pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(pFrame)
                                                                         : NULL;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL)
    cs.lpszClass = RegisterFrameClass(0);
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString strFull;
  if (strFull.LoadString(nIDResource))
    AfxExtractSubString(m_strTitle, strFull, 0);
  CWnd* pParent = pParentWnd != NULL ? pParentWnd : AfxGetMainWnd();
  if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
    PostNcDestroy(); // a failed creation frees the object
    return FALSE;
  }
  // A child of a multi-document template shows the template's menu and keys.
  if (pContext != NULL && pContext->m_pNewDocTemplate != NULL &&
      pContext->m_pNewDocTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
    CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate);
    m_hMenuShared = pTemplate->m_hMenuShared;
    m_hAccelTable = pTemplate->m_hAccelTable;
  }
  return Create(RegisterFrameClass(nIDResource), m_strTitle, dwDefaultStyle, rectDefault,
                static_cast<CMDIFrameWnd*>(pParent), pContext);
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (pParentWnd == NULL) {
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || !pMain->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
      PostNcDestroy();
      return FALSE;
    }
    pParentWnd = static_cast<CMDIFrameWnd*>(pMain);
  }
  CREATESTRUCT cs = {};
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  if (CRect(rect) == rectDefault) {
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
  } else {
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
  }
  cs.hwndParent = pParentWnd->m_hWnd;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = pContext;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  m_strTitle = cs.lpszName;
  // Always created hidden, then shown and activated as asked.
  MDICREATESTRUCTA mcs = {};
  mcs.szClass = cs.lpszClass;
  mcs.szTitle = cs.lpszName;
  mcs.hOwner = cs.hInstance;
  mcs.x = cs.x;
  mcs.y = cs.y;
  mcs.cx = cs.cx;
  mcs.cy = cs.cy;
  mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
  mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
  AfxHookWindowCreate(this);
  HWND hWnd = reinterpret_cast<HWND>(
      ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  if (!AfxUnhookWindowCreate() && hWnd == NULL) {
    // The hook never saw a window, so nothing will free this object.
    PostNcDestroy();
    return FALSE;
  }
  if (hWnd == NULL)
    return FALSE;
  if (cs.style & WS_VISIBLE) {
    ::BringWindowToTop(hWnd);
    if (cs.style & WS_MINIMIZE)
      ShowWindow(SW_SHOWMINIMIZED);
    else if (cs.style & WS_MAXIMIZE)
      ShowWindow(SW_SHOWMAXIMIZED);
    else
      ShowWindow(SW_SHOWNORMAL);
    pParentWnd->MDIActivate(this);
    ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
  return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs) {
  // The context travels inside the MDI creation record.
  MDICREATESTRUCTA* pMcs = static_cast<MDICREATESTRUCTA*>(lpcs->lpCreateParams);
  return OnCreateHelper(lpcs, pMcs != NULL ? reinterpret_cast<CCreateContext*>(pMcs->lParam) : NULL);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (m_hWnd == NULL)
    return FALSE;
  // Through the client, so it picks the next active child and updates its window list.
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == NULL || pFrame->m_hWndMDIClient == NULL)
    return CWnd::DestroyWindow();
  MDIDestroy();
  return TRUE;
}

void CMDIChildWnd::MDIDestroy() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL)
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CMDIChildWnd::MDIActivate() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL)
    pFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL)
    pFrame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL)
    pFrame->MDIRestore(this);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == NULL)
    return;
  if (hMenuAlt == NULL && bActivate) {
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != NULL)
      hMenuAlt = pDoc->GetDefaultMenu();
  }
  if (hMenuAlt == NULL)
    hMenuAlt = m_hMenuShared;
  if (hMenuAlt != NULL && bActivate) {
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                   reinterpret_cast<LPARAM>(pFrame->GetWindowMenuPopup(hMenuAlt)));
  } else if (!bActivate && pActivateWnd == NULL) {
    // The last child goes: the frame's own menu returns.
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrame->m_hMenuDefault),
                   0);
  } else {
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
  }
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*) {
  m_bPseudoInactive = FALSE;
  CView* pView = GetActiveView();
  if (pView != NULL)
    pView->OnActivateView(bActivate, pView, pView);
  // A child taking over, or the last one leaving, switches the menu.
  if (bActivate || pActivateWnd == NULL)
    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL) {
    pFrame->DrawMenuBar();
    pFrame->DelayUpdateFrameTitle();
  }
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy) {
  CFrameWnd::OnSize(nType, cx, cy);
  // Maximising or restoring a child (cascading and tiling restore it) changes the form of the
  // frame's title, "app - doc" or "app" with the platform's " - [doc]".
  const BOOL bZoomed = nType == SIZE_MAXIMIZED;
  if (bZoomed == m_bZoomed)
    return;
  m_bZoomed = bZoomed;
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL)
    pFrame->DelayUpdateFrameTitle();
}

void CMDIChildWnd::OnDestroy() {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  CFrameWnd::OnDestroy();
  if (pFrame != NULL)
    pFrame->DelayUpdateFrameTitle();
}

void CMDIChildWnd::ActivateFrame(int nCmdShow) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame == NULL) {
    CFrameWnd::ActivateFrame(nCmdShow);
    return;
  }
  if (nCmdShow == -1) {
    // A new child keeps the maximised state of the one that was active.
    BOOL bMaximized = FALSE;
    pFrame->MDIGetActive(&bMaximized);
    DWORD dwStyle = GetStyle();
    if (bMaximized || (dwStyle & WS_MAXIMIZE))
      nCmdShow = SW_SHOWMAXIMIZED;
    else if (dwStyle & WS_MINIMIZE)
      nCmdShow = SW_SHOWMINIMIZED;
  }
  CFrameWnd::ActivateFrame(nCmdShow);
  if (pFrame->MDIGetActive() != this)
    pFrame->MDIActivate(this);
  ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  CMDIFrameWnd* pFrame = GetMDIFrame();
  if (pFrame != NULL)
    pFrame->OnUpdateFrameTitle(bAddToTitle);
  if ((GetStyle() & FWS_ADDTOTITLE) == 0 || !bAddToTitle)
    return;
  CDocument* pDocument = GetActiveDocument();
  CString strText = pDocument != NULL ? pDocument->GetTitle() : m_strTitle;
  if (m_nWindow > 0) {
    CString strNumber;
    strNumber.Format(":%d", m_nWindow);
    strText += strNumber;
  }
  char szOld[512];
  if (::GetWindowTextA(m_hWnd, szOld, sizeof(szOld)) == strText.GetLength() && strText == szOld)
    return;
  ::SetWindowTextA(m_hWnd, strText);
  // The client's window list keeps the text a child had when it was listed.
  if (pFrame != NULL && pFrame->m_hWndMDIClient != NULL)
    ::SendMessageA(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  // A child has no menu: its accelerators act in the frame's name.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    HACCEL hAccel = GetDefaultAccelerator();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return hAccel != NULL && pFrame != NULL && ::TranslateAcceleratorA(pFrame->m_hWnd, hAccel, pMsg);
  }
  return FALSE;
}
