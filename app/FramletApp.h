// The application object: start-up and exit, the one image document template, the state the
// whole program shares (current tool, drawing styles, include-mouse switch) and the application's
// commands (New, Open, the captures).
#pragma once

#include "editor/EditorState.h"
#include "framework/app/fw_app.h"
#include "framework/doc/fw_doc.h"

class CFramletApp : public CWinApp, public CEditorAppState {
public:
  CFramletApp();
  ~CFramletApp() override;

  ULONG_PTR m_gdiplusToken;
  BOOL m_bIncludeMouse;              // draw the pointer into captures; toggled by its command only
  int m_nNextClipboardImage;         // the number of the next "Clipboard Image %d"
  CMultiDocTemplate* m_pDocTemplate; // the image documents' template (owned by the document manager)

  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL OnIdle(LONG lCount) override;

  // Turns a captured bitmap (taken over) into a new document; FALSE (the bitmap deleted) when no
  // document can be opened for it.
  BOOL OpenCaptureAsDocument(HBITMAP hBitmap);
  // The object capture of the picked window's rectangle.
  void OnObjectCaptured(RECT rcObject);
  // The end of every capture: the main window back on screen (out of the tray too) as the active
  // window, with the keyboard in its active view.
  void ShowMainWindowAfterCapture();

  afx_msg void OnFileOpen();
  afx_msg void OnCapture(UINT nID);
  afx_msg void OnHotkeyCapture();
  // A capture runs: its overlay or picker is on the screen.
  BOOL IsCapturing() const { return m_bCapturing; }
  afx_msg void OnIncludeMouse();
  afx_msg void OnUpdateIncludeMouse(CCmdUI* pCmdUI);
  afx_msg void OnTaskSheet();
  afx_msg void OnUpdateTaskSheet(CCmdUI* pCmdUI);
  afx_msg void OnHelpFile();
  afx_msg void OnWebSite();
  afx_msg void OnVideoTour();
  afx_msg void OnAppAbout();
  // The captures and Exit wait while a modal dialog or prompt has disabled the main frame.
  afx_msg void OnUpdateNeedsFrame(CCmdUI* pCmdUI);

  // The toolkit's command profile, its theme and the switches of its popup menus.
  void SetupCommandProfile();

protected:
  // The tip of the day; it comes with its dialog.
  void ShowTipAtStartup();
  // Runs the capture overlay in a mode (in active-window mode on hWindow, when given); the captured
  // bitmap or NULL.
  HBITMAP RunCaptureOverlay(int nMode, const RECT* pObject, BOOL bTopmost, HWND hWindow = NULL);

  BOOL m_bCapturing; // a capture is running: a second request waits for nothing and is dropped

  DECLARE_MESSAGE_MAP()
};

CFramletApp& TheFramletApp();

// Decimal text of a number, and the C library's conversion back (0 for no digits).
CString IntToString(int nValue);
int StringToInt(LPCSTR lpszText);
// The open-file dialog for pictures, in the "Graphics" folder beside the program: the chosen
// path when its extension is one the program reads, else "".
CString PromptOpenImage();
