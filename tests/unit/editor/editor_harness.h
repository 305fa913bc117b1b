// The editor's test harness: an MDI frame that shows the view's status texts, the drawing state the
// shell would keep, image documents opened through their template, and a fixture that drives one
// document's view.
#pragma once

#include "editor/EditorState.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "imaging/Globals.h"
#include "resources/resource.h"
#include "tests/common/frame_support.h"
#include "tests/common/import_patch.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// A table of test cases.
template <class... Ts> using Rows = std::vector<std::tuple<Ts...>>;

// The shell as the editor sees it: it records what the view asks of it.
class CEditorLabFrame : public CLabFrame, public CEditorShell {
public:
  std::map<int, std::string> m_status;
  std::vector<std::string> m_calls; // "SelectTool 1000", "OpenEffectPage 2002", ...
  int m_nTaskPage = 0;              // the task sheet's active page
  CString m_strOpenImage;           // what the open-picture prompt answers

  int m_nResolutionAnswer = 0; // what the resolution dialog is answered with; 0 cancels

  void SetStatusText(int nPane, LPCSTR lpszText) override { m_status[nPane] = lpszText; }
  void SelectTool(int nTool) override {
    m_calls.push_back("SelectTool " + std::to_string(nTool)), CEditorAppState::Get()->m_nCurrentTool = nTool;
  }
  int GetTaskPageIndex() override { return m_nTaskPage; }
  void ShowTaskMainPage() override { m_calls.push_back("ShowTaskMainPage"), m_nTaskPage = 0; }
  void OpenEffectPage(int nTaskId) override {
    m_calls.push_back("OpenEffectPage " + std::to_string(nTaskId));
  }
  void OpenResizePage(int nMode, LPCSTR lpszTitle) override {
    m_calls.push_back("OpenResizePage " + std::to_string(nMode) + " " + lpszTitle);
  }
  void OpenCaptionPage() override { m_calls.push_back("OpenCaptionPage"); }
  CString PromptOpenImage() override { return m_calls.push_back("PromptOpenImage"), m_strOpenImage; }
  int GetJpegQuality() override { return 80; }
  BOOL AskImageResolution(int& nDpi) override {
    m_calls.push_back("AskImageResolution " + std::to_string(nDpi));
    return m_nResolutionAnswer != 0 && (nDpi = m_nResolutionAnswer) != 0;
  }
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
// The same as 0x00RRGGBB: pictures that went through GDI+ come back with an opaque alpha.
std::vector<DWORD> PictureColours(CFramletDoc* pDoc);
CSize BitmapSizeOf(CBitmap* pBitmap);
// Fills a rectangle of the document's picture with a colour through GDI.
void FillPicture(CFramletDoc* pDoc, const CRect& rect, COLORREF clr);
// The drawing state the shell would keep (tests may change its tool and styles; reset per test).
extern CEditorAppState g_editorState;

// A new 32-bit DIB section picture of cx x cy from a pixel function, as a handle the caller owns.
HBITMAP MakePictureBitmap(int cx, int cy, DWORD (*pixel)(int x, int y));

// A 32-bit ARGB GDI+ picture of cx x cy from a pixel function, which the caller owns.
Gdiplus::Bitmap* NewArgbPicture(int cx, int cy, const std::function<DWORD(int x, int y)>& argb);
DWORD ArgbAt(Gdiplus::Bitmap* pBitmap, int x, int y);
// A GDI+ picture's colours, alpha left out.
pixel_support::Pixels ColoursOf(Gdiplus::Bitmap* pBitmap);

// The texts of the message boxes a MessageBoxRecorder has seen.
std::vector<std::string> BoxTexts();
// The text of a dialog's control.
std::string ItemText(HWND hDlg, int nID);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// A new folder in the temporary folder, removed with its files.
class CTempFolder {
public:
  CTempFolder();
  ~CTempFolder();
  CTempFolder(const CTempFolder&) = delete;
  CTempFolder& operator=(const CTempFolder&) = delete;
  std::string operator/(const std::string& name) const { return path + "\\" + name; }
  std::vector<std::string> Files() const;
  std::string path;
};

// Real input through SendInput: the pointer moves to the screen point, then the flags' buttons act.
void SendMouse(CPoint ptScreen, DWORD dwFlags = 0);

// A dialog run modally with a script called at every idle pass (a 20 ms timer keeps them coming);
// after 500 passes it ends with -2, so a broken script fails instead of hanging.
template <class TDialog> class CDriven : public TDialog {
public:
  using TDialog::TDialog;
  std::function<void(CDriven&)> m_script;
  int m_nKicks = 0;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_KICKIDLE)
      return TDialog::WindowProc(message, wParam, lParam);
    if (m_nKicks++ == 0)
      this->SetTimer(0x5A, 20, NULL);
    m_nKicks > 500 ? this->EndDialog(-2) : m_script(*this);
    return 0;
  }
};

// One document's view in a 620 x 420 frame, the pointer tool current; the drawing state is put back
// after each test.
class EditorViewTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  CFramletDoc* Doc() { return m_harness.Doc(); }
  CFramletView* View() { return m_harness.View(); }
  // A new picture; the view's snapshot follows it as after any recorded step.
  void SetPicture(int cx, int cy, DWORD (*pixel)(int x, int y));
  void Command(UINT nID);
  // A mouse message sent to a client point of the view.
  void Mouse(UINT nMsg, CPoint pt, UINT nFlags = MK_LBUTTON);
  // A drag with the tool current posts all its messages, as a tracker's own loop expects to find
  // them. nFlags holds the button (MK_LBUTTON or MK_RBUTTON) and any keys.
  void Drag(int nTool, const std::vector<CPoint>& points, UINT nFlags = MK_LBUTTON);
  void Click(int nTool, CPoint pt) { Drag(nTool, {pt}); }
  // Sets the zoom straight and scrolls to the origin, then by whole canvas pixels.
  void Zoom(float fZoom, CSize scroll = CSize(0, 0));
  // A picture pixel as 0x00RRGGBB.
  DWORD PixelAt(int x, int y);
  // 1 or 0 as the update handler enables its command, -1 when it says nothing.
  int Enabled(void (CFramletView::*pfnUpdate)(CCmdUI*));
  // Repaints the view and saves its client area under the name in the artifacts folder.
  pixel_support::Pixels Shot(const char* pszName);
  // Puts the real pointer on a client point of the view.
  void PointerAt(CPoint client);

  CEditorHarness m_harness;
  DrawStyle m_styles[STYLE_GROUP_COUNT];
};
