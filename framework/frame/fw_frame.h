// Frame windows: the frame with its view, bars, title and message line; MDI frames and their
// children; mini frames. The docking members of CFrameWnd are implemented with the control bars
// (framework/bars/).
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/wnd/fw_wnd.h"

class CView;
class CDocument;
class CDocTemplate;
class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;
struct CPrintPreviewState;

// Frame styles: window style bits that no frame class of the system uses for anything else.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// Mini-frame styles.
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

// Control-bar styles, kept in CControlBar::m_dwStyle (not in the window style).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// WM_FLOATSTATUS flags.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// What a new frame needs to make its view; passed through LoadFrame to WM_CREATE.
struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = NULL;
  CDocument* m_pCurrentDoc = NULL;
  CDocTemplate* m_pNewDocTemplate = NULL;
  CView* m_pLastView = NULL;
  CFrameWnd* m_pCurrentFrame = NULL;
};

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
public:
  static const CRect rectDefault; // lets the system place and size the frame

  CFrameWnd();
  ~CFrameWnd() override;

  enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

  BOOL m_bAutoMenuEnable;               // native pop-ups: commands without handler are disabled
  int m_nWindow;                        // window number shown after the title: -1 none, 0 single, n
  HMENU m_hMenuDefault;                 // the frame's own menu; destroyed with the frame
  HACCEL m_hAccelTable;                 // the frame's accelerators
  CString m_strTitle;                   // the title the frame's resource string gave
  UINT m_nIdleFlags;                    // work owed to the next idle pass
  BOOL m_bInRecalcLayout;               // a layout is running; a nested one does nothing
  CRect m_rectBorder;                   // extra space the last layout left around the view
  CPtrList m_listControlBars;           // every bar docked to this frame, in creation order
  CRuntimeClass* m_pFloatingFrameClass; // the mini frame FloatControlBar makes
  UINT m_nIDTracking;                   // prompt shown while a menu item is tracked
  UINT m_nIDLastMessage;                // the last prompt shown
  BOOL m_bHelpMode;                     // context-help mode: never entered by this program
  int m_nShowDelay;                     // SW_ code applied to a mini frame at its next layout; -1 none
  CView* m_pViewActive;                 // the active view of this frame (NULL for an MDI frame)
  int m_cModalStack;                    // BeginModalState nesting
  std::vector<HWND> m_disabledByModal;  // windows BeginModalState disabled

  // Creation
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
  virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCSTR lpszMenuName = NULL,
                      DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

  // Views and documents
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual CFrameWnd* GetActiveFrame();
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual void ActivateFrame(int nCmdShow = -1);
  BOOL IsFrameWnd() const override;

  // The message line: pane 0 of the status bar.
  virtual CWnd* GetMessageBar();
  void SetMessageText(LPCSTR lpszText);
  void SetMessageText(UINT nID);
  virtual void GetMessageString(UINT nID, CString& rMessage) const;

  // Titles and menus
  CString GetTitle() const { return m_strTitle; }
  void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
  virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
  void DelayUpdateFrameMenu(HMENU hMenuAlt);
  void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
  virtual HACCEL GetDefaultAccelerator();

  // Modal state: a modal window of the frame disables the frame's other windows.
  virtual void BeginModalState();
  virtual void EndModalState();
  BOOL InModalState() const { return m_cModalStack != 0; }
  void NotifyFloatingWindows(DWORD dwFlags);

  // Layout
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }
  // The idle pass's work for this frame: menu, title, layout and message text owed.
  void OnIdleUpdateCmdUI();

  // Control bars and docking
  void EnableDocking(DWORD dwDockStyle);
  BOOL DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
  BOOL DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
  BOOL ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
  // The dock bar a bar goes to when none is named: with a rectangle the side it touches, else the
  // first side whose alignment the bar has; NULL when that side has no dock bar.
  CDockBar* DefaultDockBar(const CControlBar* pBar, LPCRECT lpRect = NULL);
  BOOL FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
  CControlBar* GetControlBar(UINT nID);
  BOOL ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);
  virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  void DestroyDockBars();

  // Print preview (framework/print/): entering hides the visible bars (tempHide), the menu, the
  // accelerators and the main pane (59648, renumbered AFX_IDW_PANE_SAVE); leaving restores them.
  virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
  // Set while a preview shows: closing the frame closes the preview instead.
  void(CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd) = NULL;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

protected:
  UINT m_nIDHelp;   // the resource id LoadFrame was given
  HMENU m_hMenuAlt; // menu owed to the next idle pass (DelayUpdateFrameMenu)
  // Registers (once) the frame class with the icon of this resource id.
  LPCSTR RegisterFrameClass(UINT nIDResource);
  // WM_CREATE of every frame: the client (view), the idle text, the first layout.
  int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnDropFiles(HDROP hDropInfo);
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
  afx_msg BOOL OnQueryEndSession();
  afx_msg void OnEndSession(BOOL bEnding);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
  afx_msg BOOL OnBarCheck(UINT nID);
  afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
  afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()

  friend class CWinApp;
};

// ---------------------------------------------------------------------------------------------

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
public:
  CMDIFrameWnd();

  HWND m_hWndMDIClient; // "MDICLIENT", id 59648; not a window object of the framework

  virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
  virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);
  CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
  void MDIActivate(CWnd* pWndActivate);
  void MDIMaximize(CWnd* pWnd);
  void MDIRestore(CWnd* pWnd);
  void MDINext();
  void MDIPrev();
  void MDICascade();
  void MDICascade(int nType);
  void MDITile();
  void MDITile(int nType);
  void MDIIconArrange();
  CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);

  BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
  CFrameWnd* GetActiveFrame() override;
  void OnUpdateFrameMenu(HMENU hMenuAlt) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
  afx_msg BOOL OnMDIWindowCmd(UINT nID);
  afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
  afx_msg void OnWindowNew();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
public:
  CMDIChildWnd();

  HMENU m_hMenuShared;    // the template's menu, shown while this child is active
  BOOL m_bPseudoInactive; // kept for callers that read it; never set by the framework

  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
              CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
  BOOL LoadFrame(UINT nIDResource,
                 DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;

  CMDIFrameWnd* GetMDIFrame() const;
  void MDIDestroy();
  void MDIActivate();
  void MDIMaximize();
  void MDIRestore();

  // Shows the child's menu (or the frame's default menu) through the MDI client.
  void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
  void ActivateFrame(int nCmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL DestroyWindow() override;
  CFrameWnd* GetActiveFrame() override { return this; }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
  afx_msg void OnDestroy();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()

private:
  BOOL m_bZoomed; // maximised when last sized: the frame's title changes its form with it
};

// ---------------------------------------------------------------------------------------------

// A small tool-window frame owned by another frame, kept above it; floating bars live in one.
class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
public:
  CMiniFrameWnd();

  BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = NULL, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = NULL, UINT nID = 0);
  using CFrameWnd::CreateEx;

  // Puts every shown mini frame that hOwner owns back above it on the screen, keeping their order:
  // a window of hOwner has just taken the keyboard.
  static void KeepAboveOwnerTakingKeyboard(HWND hOwner);

protected:
  // Puts this frame back above its owner on the screen unless a shown window above the owner that
  // it would cover keeps it waiting. bOnScreenOnly: the window order has the frame above already
  // and the screen alone is behind.
  void ComeAboveOwner(bool bOnScreenOnly);

  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnNcDestroy();
  afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  bool m_bCounted = false; // among the thread's mini frames that hold its keyboard hook
};
