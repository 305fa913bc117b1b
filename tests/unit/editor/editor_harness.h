// The editor's test harness: an MDI frame that shows the view's status texts, the drawing state the
// shell would keep, and image documents opened through their template.
#pragma once

#include "editor/EditorState.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "tests/common/frame_support.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// The shell as the editor sees it: it records what the view asks of it.
class CEditorLabFrame : public CLabFrame, public CEditorShell {
public:
  std::map<int, std::string> m_status;
  std::vector<std::string> m_calls; // "SelectTool 1000", "OpenEffectPage 2002", ...
  int m_nTaskPage = 0;              // the task sheet's active page
  CString m_strOpenImage;           // what the open-picture prompt answers

  void SetStatusText(int nPane, LPCSTR lpszText) override { m_status[nPane] = lpszText; }
  void SelectTool(int nTool) override;
  int GetTaskPageIndex() override { return m_nTaskPage; }
  void ShowTaskMainPage() override;
  void OpenEffectPage(int nTaskId) override;
  void OpenResizePage(int nMode, LPCSTR lpszTitle) override;
  void OpenCaptionPage() override;
  CString PromptOpenImage() override;
  int m_nJpegQuality = 80;
  int m_nResolutionAnswer = 0; // what the resolution dialog is answered with; 0 cancels
  int GetJpegQuality() override { return m_nJpegQuality; }
  BOOL AskImageResolution(int& nDpi) override;
};

// A frame, the image template and a new document in a child frame, all gone at the end.
class CEditorHarness {
public:
  CEditorHarness();
  ~CEditorHarness();
  CEditorHarness(const CEditorHarness&) = delete;
  CEditorHarness& operator=(const CEditorHarness&) = delete;

  // A new document (the first one is made by the constructor).
  CFramletDoc* NewDocument();
  CFramletDoc* Doc() const { return m_pDoc; }
  CFramletView* View() const { return m_pDoc->GetFirstView(); }
  std::string Status(int nPane) { return m_pFrame->m_status[nPane]; }

  CEditorLabFrame* m_pFrame = NULL;
  CMultiDocTemplate* m_pTemplate = NULL;
  CFramletDoc* m_pDoc = NULL;
};

// The picture's pixels, rows top to bottom (all four bytes of each).
std::vector<DWORD> PicturePixels(CBitmap* pBitmap);
inline std::vector<DWORD> PicturePixels(CFramletDoc* pDoc) {
  return PicturePixels(pDoc->m_pImage->GetBitmap());
}
CSize BitmapSizeOf(CBitmap* pBitmap);
// Fills a rectangle of the document's picture with a colour through GDI.
void FillPicture(CFramletDoc* pDoc, const CRect& rect, COLORREF clr);
// The drawing state the shell would keep (tests may change its tool and styles; reset per test).
extern CEditorAppState g_editorState;

// A new 32-bit DIB section picture of cx x cy from a pixel function, as a handle the caller owns.
HBITMAP MakePictureBitmap(int cx, int cy, DWORD (*pixel)(int x, int y));
