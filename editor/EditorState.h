// What the editor reads of the application shell: the drawing style records and current tool
// that the tools panel sets, and the status texts the main frame shows. The shell implements
// both; the editor never names the shell's classes.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"

// The drawing style of one tool group, copied whole.
struct DrawStyle {
  COLORREF mainColor; // line and text colour
  COLORREF backColor; // back or fill colour
  int opacity;        // 0..255
  int width;          // pixels
  BOOL antialias;
  BOOL dropShadow;
  COLORREF shadowColor;
  int shadowOpacity; // percent
  int shadowDepthX;  // pixels
  int shadowDepthY;
  int shadowEdge; // 0 hard, 1 soft, 2 softer
};

// Style records, one per tool group.
enum StyleGroup {
  STYLE_SELECTION,
  STYLE_SHAPES,
  STYLE_PAINT_BRUSH,
  STYLE_AIR_BRUSH_FILL,
  STYLE_TEXT,
  STYLE_LINE_ARROW,
  STYLE_ERASER,
  STYLE_HIGHLIGHTER,
  STYLE_GROUP_COUNT
};

// The shell's drawing state. The application object derives from it; constructing it makes it
// the one the editor reads, with the tools panel's starting styles.
class CEditorAppState {
public:
  CEditorAppState();
  virtual ~CEditorAppState();
  CEditorAppState(const CEditorAppState&) = delete;
  CEditorAppState& operator=(const CEditorAppState&) = delete;

  int m_nCurrentTool; // a tool id; 0 until the main frame sets it
  int m_nLastTool;    // the last tool other than the colour picker
  DrawStyle m_styles[STYLE_GROUP_COUNT];
  CString m_strStampFile; // stamp or callout picture chosen in the picker

  // The state constructed last and not yet destroyed; NULL when there is none.
  static CEditorAppState* Get();
};

// Status panes the view writes to.
enum StatusPane { STATUS_PANE_POSITION = 1, STATUS_PANE_SIZE = 2, STATUS_PANE_ZOOM = 3 };

// Implemented by the main frame: the view finds it as the program's main window.
class CEditorStatusSink {
public:
  virtual ~CEditorStatusSink() = default;
  // Puts the text into the pane and refreshes the status bar at once.
  virtual void SetStatusText(int nPane, LPCSTR lpszText) = 0;
};

// Implemented by the main frame, beside the status texts: the tools panel, the task sheet and the
// prompts the view uses. The view finds it as the program's main window.
class CEditorShell : public CEditorStatusSink {
public:
  // Makes the tool current (the application's field and the tools panel's button).
  virtual void SelectTool(int nTool) = 0;
  // The index of the task sheet's active page; 0 is its main page.
  virtual int GetTaskPageIndex() = 0;
  // Shows the task sheet's main page.
  virtual void ShowTaskMainPage() = 0;
  // The page of an image operation (a task id), the resize page (4007 Resize Image, 4008 Resize
  // Canvas, with its title) and the caption page.
  virtual void OpenEffectPage(int nTaskId) = 0;
  virtual void OpenResizePage(int nMode, LPCSTR lpszTitle) = 0;
  virtual void OpenCaptionPage() = 0;
  // The open-file dialog for pictures: the chosen path, or empty when cancelled.
  virtual CString PromptOpenImage() = 0;
  // The JPEG quality option, 20..100.
  virtual int GetJpegQuality() = 0;
  // The "Image Resolution" dialog with nDpi; FALSE when cancelled, else nDpi holds the value.
  virtual BOOL AskImageResolution(int& nDpi) = 0;
};

// The shell of the program's main window, or NULL when there is none (or it is not one).
CEditorShell* GetEditorShell();
