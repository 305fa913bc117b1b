// CFrameWnd: creation from one resource id, the view and document it shows, command routing,
// closing, activation and the modal state.
#include "framework/frame/fw_frame.h"

#include "framework/res/fw_res.h"

#include "framework/app/fw_app.h"
#include "framework/core/fw_state.h"
#include "framework/doc/fw_doc.h"
#include "framework/gdi/fw_gdi.h"

#include <shellapi.h>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
ON_WM_NCACTIVATE()
ON_WM_ENABLE()
ON_WM_SHOWWINDOW()
ON_WM_ERASEBKGND()
ON_WM_DROPFILES()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_ENTERIDLE()
ON_WM_QUERYENDSESSION()
ON_WM_ENDSESSION()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_KANA, OnUpdateKeyIndicator)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, OnToolTipText)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, OnToolTipText)
END_MESSAGE_MAP()

namespace {

// Whether hWnd is hWndParent or lies below it through parents and owners.
bool IsDescendant(HWND hWndParent, HWND hWnd) {
  for (; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
    if (hWnd == hWndParent)
      return true;
  }
  return false;
}

// Sets a window's text only when it changes, so titles updated at every idle pass never flicker.
void SetTextIfChanged(HWND hWnd, LPCSTR lpszText) {
  char szOld[512];
  int nLen = ::GetWindowTextA(hWnd, szOld, sizeof(szOld));
  if (nLen == lstrlenA(lpszText) && lstrcmpA(szOld, lpszText) == 0)
    return;
  ::SetWindowTextA(hWnd, lpszText);
}

} // namespace

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_nWindow(-1), m_hMenuDefault(NULL), m_hAccelTable(NULL), m_nIdleFlags(0),
      m_bInRecalcLayout(FALSE), m_rectBorder(0, 0, 0, 0), m_pFloatingFrameClass(NULL), m_nIDTracking(0),
      m_nIDLastMessage(0), m_bHelpMode(FALSE), m_nShowDelay(-1), m_pViewActive(NULL), m_cModalStack(0),
      m_nIDHelp(0), m_hMenuAlt(NULL) {
  AfxAddFrameWnd(this);
}

CFrameWnd::~CFrameWnd() { AfxRemoveFrameWnd(this); }

BOOL CFrameWnd::IsFrameWnd() const { return TRUE; }

// ---------------------------------------------------------------------------------------------
// Creation

LPCSTR CFrameWnd::RegisterFrameClass(UINT nIDResource) {
  HICON hIcon = nIDResource != 0 ? ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)) : NULL;
  return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == NULL)
    cs.lpszClass = RegisterFrameClass(0);
  if (cs.style & FWS_ADDTOTITLE)
    cs.style |= FWS_PREFIXTITLE;
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  // The title is the resource string up to its first '\n'.
  CString strFull;
  if (strFull.LoadString(nIDResource))
    AfxExtractSubString(m_strTitle, strFull, 0);
  if (!Create(RegisterFrameClass(nIDResource), m_strTitle, dwDefaultStyle, rectDefault, pParentWnd,
              MAKEINTRESOURCEA(nIDResource), 0, pContext))
    return FALSE;
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
  if (pContext == NULL)
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = NULL;
  if (lpszMenuName != NULL) {
    hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
    if (hMenu == NULL) {
      PostNcDestroy(); // a failed creation frees the object, as CreateEx does
      return FALSE;
    }
  }
  m_strTitle = lpszWindowName;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, pContext)) {
    if (hMenu != NULL)
      ::DestroyMenu(hMenu);
    return FALSE;
  }
  // The loaded menu is the frame's even when a bar made in OnCreate has taken it off the window.
  m_hMenuDefault = hMenu != NULL ? hMenu : ::GetMenu(m_hWnd);
  return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (CWnd::OnCreate(lpcs) == -1)
    return -1;
  if (!OnCreateClient(lpcs, pContext))
    return -1;
  // The idle text appears once the frame is up.
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  RecalcLayout();
  return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext != NULL && pContext->m_pNewViewClass != NULL)
    return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  CWnd* pView =
      pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pObject) : NULL;
  if (pView == NULL) {
    delete pObject;
    return NULL;
  }
  // A view that fails to be created has deleted itself.
  if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
    return NULL;
  // The view's edge replaces the frame's.
  if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return pView;
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnDestroy() {
  DestroyDockBars();
  // The menu the frame was made with is the frame's to destroy: with the window when it is shown,
  // else here (a menu bar took it and has let go of it with its window). It is never put back on
  // the frame; a menu shown instead (an MDI child's) belongs to someone else and is taken off the
  // window so that it does not go with it.
  HMENU hMenuShown = ::GetMenu(m_hWnd);
  if (m_hMenuDefault != NULL && hMenuShown != m_hMenuDefault) {
    if (hMenuShown != NULL)
      ::SetMenu(m_hWnd, NULL);
    ::DestroyMenu(m_hMenuDefault);
    m_hMenuDefault = NULL;
  }
  CWnd::OnDestroy();
}

void CFrameWnd::OnClose() {
  if (m_lpfnCloseProc != NULL) {
    m_lpfnCloseProc(this);
    return;
  }
  CDocument* pDocument = GetActiveDocument();
  if (pDocument != NULL && !pDocument->CanCloseFrame(this))
    return;
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pApp->m_pMainWnd == this) {
    if (pDocument == NULL && !pApp->SaveAllModified())
      return;
    pApp->HideApplication();
    pApp->CloseAllDocuments(FALSE);
    // Closing the documents may have taken the main window with them.
    if (pApp->m_pMainWnd == NULL) {
      ::PostQuitMessage(0);
      return;
    }
  }
  // The document's last frame closes the document, which destroys the frame.
  if (pDocument != NULL && pDocument->m_bAutoDelete) {
    BOOL bOtherFrame = FALSE;
    for (POSITION pos = pDocument->GetFirstViewPosition(); pos != NULL && !bOtherFrame;)
      bOtherFrame = pDocument->GetNextView(pos)->GetParentFrame() != this;
    if (!bOtherFrame) {
      pDocument->OnCloseDocument();
      return;
    }
    pDocument->PreCloseFrame(this);
  }
  DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Views and documents

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld)
    return;
  // While the old view is told, no view is active; if it makes one active itself, that wins.
  m_pViewActive = NULL;
  if (pViewOld != NULL)
    pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  if (m_pViewActive != NULL)
    return;
  m_pViewActive = pViewNew;
  if (pViewNew != NULL && bNotify)
    pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
  CView* pView = GetActiveView();
  return pView != NULL ? pView->GetDocument() : NULL;
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  CView* pView = NULL;
  if (GetActiveView() == NULL) {
    CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView))) {
      pView = static_cast<CView*>(pWnd);
      SetActiveView(pView, FALSE);
    }
  }
  if (bMakeVisible) {
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (pView != NULL)
      pView->OnActivateFrame(WA_INACTIVE, this);
    // The main window takes the show command the program was started with, once.
    int nCmdShow = -1;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this) {
      nCmdShow = pApp->m_nCmdShow;
      pApp->m_nCmdShow = -1;
    }
    ActivateFrame(nCmdShow);
    if (pView != NULL)
      pView->OnActivateView(TRUE, pView, pView);
  }
  if (pDoc != NULL)
    pDoc->UpdateFrameCounts();
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) {
    if (!IsWindowVisible())
      nCmdShow = SW_SHOWNORMAL;
    else if (IsIconic())
      nCmdShow = SW_RESTORE;
  }
  if (nCmdShow != -1)
    ShowWindow(nCmdShow);
  if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE &&
      nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE) {
    // A pop-up the frame last activated keeps its place above it.
    HWND hWndTop = ::GetLastActivePopup(m_hWnd);
    ::BringWindowToTop(hWndTop != NULL ? hWndTop : m_hWnd);
  }
}

// ---------------------------------------------------------------------------------------------
// Titles and menus

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if ((GetStyle() & FWS_ADDTOTITLE) == 0)
    return;
  CDocument* pDocument = GetActiveDocument();
  UpdateFrameTitleForDocument(bAddToTitle && pDocument != NULL ? static_cast<LPCSTR>(pDocument->GetTitle())
                                                               : NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName) {
  CString strDoc;
  if (lpszDocName != NULL) {
    strDoc = lpszDocName;
    if (m_nWindow > 0) {
      CString strNumber;
      strNumber.Format(":%d", m_nWindow);
      strDoc += strNumber;
    }
  }
  CString strText;
  if (strDoc.IsEmpty() && lpszDocName == NULL)
    strText = m_strTitle;
  else if (GetStyle() & FWS_PREFIXTITLE)
    strText = strDoc + " - " + m_strTitle;
  else
    strText = m_strTitle + " - " + strDoc;
  SetTextIfChanged(m_hWnd, strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt) {
  // A frame whose own menu was taken away (a menu bar shows it) keeps showing none.
  if (m_hMenuDefault != NULL && ::GetMenu(m_hWnd) == NULL)
    return;
  if (hMenuAlt == NULL) {
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != NULL)
      hMenuAlt = pDoc->GetDefaultMenu();
    if (hMenuAlt == NULL)
      hMenuAlt = m_hMenuDefault;
  }
  ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt) {
  m_hMenuAlt = hMenuAlt;
  m_nIdleFlags |= idleMenu;
}

HACCEL CFrameWnd::GetDefaultAccelerator() {
  // A document's own table comes before the frame's.
  CDocument* pDoc = GetActiveDocument();
  HACCEL hAccel = pDoc != NULL ? pDoc->GetDefaultAccelerator() : NULL;
  return hAccel != NULL ? hAccel : m_hAccelTable;
}

// ---------------------------------------------------------------------------------------------
// Routing and input

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  CView* pView = GetActiveView();
  if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
    return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) { return CWnd::OnCommand(wParam, lParam); }

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg))
    return TRUE;
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
    HACCEL hAccel = GetDefaultAccelerator();
    return hAccel != NULL && ::TranslateAcceleratorA(m_hWnd, hAccel, pMsg);
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Activation and floating windows

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive != NULL)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CWnd::OnActivate(nState, pWndOther, bMinimized);
  // The caption stays active while one of the frame's floating windows is active.
  CFrameWnd* pTopLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
  CWnd* pActive = nState == WA_INACTIVE ? pWndOther : this;
  BOOL bStayActive = FALSE;
  if (pTopLevel != NULL && pActive != NULL) {
    bStayActive = pActive == pTopLevel || (pActive->GetTopLevelFrame() == pTopLevel &&
                                           pActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0);
    pTopLevel->m_nFlags &= ~WF_STAYACTIVE;
    if (bStayActive)
      pTopLevel->m_nFlags |= WF_STAYACTIVE;
  }
  NotifyFloatingWindows(bStayActive ? FS_ACTIVATE : FS_DEACTIVATE);
  CView* pView = GetActiveView();
  if (pView == NULL && GetActiveFrame() != NULL)
    pView = GetActiveFrame()->GetActiveView();
  if (pView != NULL) {
    if (nState != WA_INACTIVE && !bMinimized)
      pView->OnActivateView(TRUE, pView, pView);
    pView->OnActivateFrame(nState, this);
  }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive) {
  if (m_nFlags & WF_STAYACTIVE)
    bActive = TRUE;
  if (!IsWindowEnabled())
    bActive = FALSE;
  // Not Default(): the argument may have changed.
  return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

void CFrameWnd::OnEnable(BOOL bEnable) {
  Default();
  if (!(GetStyle() & WS_CHILD))
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::OnShowWindow(BOOL bShow, UINT nStatus) {
  Default();
  // Only the frame that owns the floating frames takes them along. A floating frame's own showing
  // concerns it alone: told to its owner's floating frames it reached itself too, still visible
  // in the middle of its hiding, which it then began again, as deep as the window system lets
  // messages nest.
  if (!(GetStyle() & WS_CHILD) && nStatus == 0 && GetTopLevelFrame() == this)
    NotifyFloatingWindows(bShow ? FS_SHOW : FS_HIDE);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags) {
  CFrameWnd* pParent = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
  if (pParent == NULL)
    return;
  if (dwFlags & (FS_ACTIVATE | FS_DEACTIVATE)) {
    BOOL bActivate = !(dwFlags & FS_DEACTIVATE);
    pParent->SendMessage(WM_NCACTIVATE, bActivate && pParent->IsWindowEnabled());
  }
  // Every top-level window the frame owns hears about it.
  for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL;
       hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    if (hWnd != pParent->m_hWnd && IsDescendant(pParent->m_hWnd, hWnd))
      ::SendMessageA(hWnd, WM_FLOATSTATUS, dwFlags, 0);
  }
}

void CFrameWnd::BeginModalState() {
  if (m_cModalStack++ > 0)
    return;
  // Disable the frame's own top-level windows, except those that keep themselves enabled.
  CWnd* pParent = GetTopLevelParent();
  for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != NULL;
       hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
    if (::IsWindowEnabled(hWnd) && CWnd::FromHandlePermanent(hWnd) != NULL &&
        IsDescendant(pParent->m_hWnd, hWnd) && ::SendMessageA(hWnd, WM_DISABLEMODAL, 0, 0) == 0) {
      ::EnableWindow(hWnd, FALSE);
      m_disabledByModal.push_back(hWnd);
    }
  }
}

void CFrameWnd::EndModalState() {
  if (m_cModalStack == 0 || --m_cModalStack > 0)
    return;
  for (auto it = m_disabledByModal.rbegin(); it != m_disabledByModal.rend(); ++it) {
    if (::IsWindow(*it))
      ::EnableWindow(*it, TRUE);
  }
  m_disabledByModal.clear();
}

// ---------------------------------------------------------------------------------------------
// Other handlers

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
  // The view covers the client area.
  if (m_pViewActive != NULL)
    return TRUE;
  return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo) {
  SetActiveWindow();
  CWinApp* pApp = AfxGetApp();
  UINT nFiles = ::DragQueryFileA(hDropInfo, 0xFFFFFFFF, NULL, 0);
  for (UINT i = 0; i < nFiles && pApp != NULL; i++) {
    char szFileName[MAX_PATH];
    if (::DragQueryFileA(hDropInfo, i, szFileName, MAX_PATH) != 0)
      pApp->OpenDocumentFile(szFileName);
  }
  ::DragFinish(hDropInfo);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu || pMenu == NULL)
    return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = pMenu->GetMenuItemID(state.m_nIndex);
    if (state.m_nID == 0)
      continue; // separator
    if (state.m_nID == (UINT)-1) {
      // A pop-up item is updated through the first command it holds, never disabled for lack of
      // a handler.
      state.m_pSubMenu = pMenu->GetSubMenu(state.m_nIndex);
      if (state.m_pSubMenu == NULL || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
          state.m_nID == (UINT)-1)
        continue;
      state.DoUpdate(this, FALSE);
    } else {
      state.m_pSubMenu = NULL;
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    // An update handler may have added or removed items.
    UINT nCount = pMenu->GetMenuItemCount();
    if (nCount < state.m_nIndexMax) {
      state.m_nIndex -= state.m_nIndexMax - nCount;
      while (state.m_nIndex < nCount && pMenu->GetMenuItemID(state.m_nIndex) == state.m_nID)
        state.m_nIndex++;
    }
    state.m_nIndexMax = nCount;
  }
}

BOOL CFrameWnd::OnQueryEndSession() {
  CWinApp* pApp = AfxGetApp();
  if (pApp != NULL && pApp->m_pMainWnd == this)
    return pApp->SaveAllModified();
  return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding) {
  CWinApp* pApp = AfxGetApp();
  if (bEnding && pApp != NULL && pApp->m_pMainWnd == this)
    pApp->ExitInstance();
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  // The tip is the second part of the command's "prompt\ntip" string.
  UINT_PTR nID = pNMHDR->idFrom;
  UINT uFlags = pNMHDR->code == TTN_NEEDTEXTA ? reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR)->uFlags
                                              : reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR)->uFlags;
  if (uFlags & TTF_IDISHWND)
    nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
  CString strTip;
  if (nID != 0) {
    CString strFull;
    if (!strFull.LoadString(static_cast<UINT>(nID)))
      return FALSE;
    AfxExtractSubString(strTip, strFull, 1);
  }
  if (pNMHDR->code == TTN_NEEDTEXTA) {
    TOOLTIPTEXTA* pTTT = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
    lstrcpynA(pTTT->szText, strTip, _countof(pTTT->szText));
  } else {
    TOOLTIPTEXTW* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    if (::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pTTT->szText, _countof(pTTT->szText)) == 0)
      pTTT->szText[0] = L'\0';
  }
  *pResult = 0;
  ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
  return TRUE;
}
