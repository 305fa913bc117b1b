// The program's MDI main window: the themed menu bar, the three tool bars, the status bar with the
// view's panes, the docked task sheet, the MDI tabs, the tools panel, the MDI background, the
// general options and the window placement in the registry, and the global capture hot key. It is
// the editor's shell: status texts, the current tool, the task pages, the JPEG quality and the
// resolution dialog. MainFrameCreate.cpp builds the bars, MainFrameBars.cpp handles them.
#pragma once

#include "app/MDIBkgWnd.h"
#include "app/ModelessPropSheet.h"
#include "app/PropPageCaption.h"
#include "app/PropPageMain.h"
#include "app/PropPageParam.h"
#include "app/PropPageResize.h"
#include "app/SystemTray.h"
#include "app/ToolsPanelDlg.h"
#include "editor/EditorState.h"
#include "framework/bars/fw_bars.h"
#include "framework/frame/fw_frame.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtStatusControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtTabMdiWnd.h"

// The general options, each a REG_DWORD of the same name in the Options key.
struct CFrameOptions {
  int EnableHotkey = 1;
  int HotkeyCtrlShftAlt = MOD_CONTROL; // as RegisterHotKey takes it: 1 Alt, 2 Ctrl, 4 Shift
  int HotkeyKey = 'Q';
  int HotkeyCaptureType = 32784; // kept and edited only: the hot key always takes a rectangle
  int JpegQuality = 80;          // 20..100
  int IncludeMouse = 0;          // kept and edited only
  int ShowTip = 1;               // written, never read here
};

class CMainFrame : public CMDIFrameWnd, public CEditorShell, public CToolButtonHost {
  DECLARE_DYNAMIC(CMainFrame)
public:
  CMainFrame();
  ~CMainFrame() override;

  // The tool bars in the order they are made: the standard bar starts hidden.
  enum ToolBarIndex { kStandardBar, kLargeBar, kCaptureBar, kToolBarCount };

  CSystemTray m_tray;
  CPropPageMain m_pageMain;
  CPropPageParam m_pageParam;
  CPropPageResize m_pageResize;
  CPropPageCaption m_pageCaption;
  CModelessPropSheet m_wndTaskSheet;
  CExtControlBar m_wndTaskSheetBar;
  CFrameOptions m_options;
  CExtMenuControlBar m_wndMenuBar;
  CExtStatusControlBar m_wndStatusBar;
  CExtToolControlBar m_wndToolBars[kToolBarCount];
  CExtTabMdiWnd m_wndMdiTabs;
  CMDIBkgWnd m_wndMdiBkg;

  // CEditorShell
  void SetStatusText(int nPane, LPCSTR lpszText) override;
  void SelectTool(int nTool) override;
  int GetTaskPageIndex() override;
  void ShowTaskMainPage() override;
  void OpenEffectPage(int nTaskId) override;
  void OpenResizePage(int nTaskId, LPCSTR lpszTitle) override;
  void OpenCaptionPage() override;
  CString PromptOpenImage() override;
  int GetJpegQuality() override { return m_options.JpegQuality; }
  BOOL AskImageResolution(int& nDpi) override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL DestroyWindow() override;

  // The registry key of the options and the window placement.
  static const char kOptionsKey[];
  BOOL ProbeOptions();
  void LoadOptions();
  void SaveOptions();
  void LoadWindowPlacement(CREATESTRUCT& cs);
  void SaveWindowPlacement(const CREATESTRUCT& cs);
  // Registers the capture hot key when it is enabled; tells the user when Windows refuses it.
  void RegisterCaptureHotKey();

protected:
  BOOL m_bHotKeyRegistered;
  BOOL m_bHotKeyWaiting; // pressed while a modal dialog held the frame: it captures once the frame is free

  // The steps of creation, in their order; each false stops the creation.
  bool CreateMenuBar();
  bool CreateToolBars();
  bool CreateStatusBar();
  bool CreateTaskSheetBar();
  void RevealTaskSheet();
  bool EnableBarDocking();
  void SetUpCaptureDropDown();
  void DockBars();
  bool CreateMdiTabs();
  void StartOptionsAndHotKey();
  void CreateTrayIcon();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnToggleBar(UINT nID);
  afx_msg void OnUpdateToggleBar(CCmdUI* pCmdUI);
  afx_msg void OnOpenApplication();
  afx_msg void OnMinimizeToTray();
  afx_msg void OnClose();
  afx_msg void OnSizing(UINT nSide, LPRECT lpRect);
  afx_msg LRESULT OnHotKey(WPARAM wParam, LPARAM lParam);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnSubToolCommand(UINT nID);
  afx_msg void OnPasteAsNewImage();
  afx_msg void OnOptions();
  afx_msg void OnUpdateViewPane(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

  // The tools panel
public:
  CExtPanelControlBar m_wndToolsBar; // "Tools Panel", id 32783
  CToolsPanelDlg m_dlgTools;
  HWND m_hCurrentToolButton = NULL; // the tool button drawn pressed

  // Creates the panel bar and its dialog, sets up the dialog's controls, and docks the bar at the
  // left; FALSE when a part cannot be created.
  BOOL CreateToolsPanel();
  // The panel as the program starts: the shapes with their style, the framed rectangle current.
  void ShowToolsPanelStartState();
  // A main tool: its sub-tool row and style controls, the current and last tool, its style.
  afx_msg void OnToolCommand(UINT nToolId);
  // Copies the style record of the tool's group into the panel and shows it.
  void LoadToolStyle(int nToolId);
  // The stamp or callout picker of the current tool, under the tool's button; the chosen
  // picture becomes the application's stamp file, Cancel keeps the one before.
  void ChooseStampOrCallout();

  // CToolButtonHost
  HWND GetCurrentToolButton() const override { return m_hCurrentToolButton; }
  void SetCurrentToolButton(HWND hButton) override { m_hCurrentToolButton = hButton; }
};

// The toolkit's command profile of the program: the frame and its bars keep their commands there.
extern const char kCommandProfile[];

// The Windows version code: 100 XP, 101 Server 2003, 102 2000, 103-105 NT 4, 106-109 Windows 95
// to ME, 110 anything after XP; 0 when unknown.
int GetOsVersionCode();
