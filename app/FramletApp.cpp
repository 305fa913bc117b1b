#include "app/FramletApp.h"

#include "app/AboutDlg.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/StartupTrace.h"
#include "app/TipOfTheDayDlg.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "framework/core/fw_file.h"
#include "framework/dlg/fw_ctrl.h"
#include "framework/dlg/fw_dlg.h"
#include "imaging/ImageFile.h"
#include "resources/resource.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

CFramletApp theApp;

namespace {

// The addresses of the product's pages.
const char kHomePage[] = "https://www.vantrel.com/pixolet/";

// The folder of the program, without the last backslash.
CString ProgramFolder() {
  const CString strPath = AfxGetModuleFileName(NULL);
  int nSlash = strPath.ReverseFind('\\');
  return nSlash >= 0 ? strPath.Left(nSlash) : CString();
}

} // namespace

BEGIN_MESSAGE_MAP(CFramletApp, CWinApp)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_NEW2, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_OPEN2, OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
ON_COMMAND_RANGE(ID_CAPTURE_RECTANGLE, ID_CAPTURE_OBJECT, OnCapture)
ON_UPDATE_COMMAND_UI_RANGE(ID_CAPTURE_RECTANGLE, ID_CAPTURE_OBJECT, OnUpdateNeedsFrame)
ON_UPDATE_COMMAND_UI(ID_APP_EXIT, OnUpdateNeedsFrame)
ON_COMMAND(ID_CAPTURE_BUTTON, OnHotkeyCapture)
ON_COMMAND(ID_CAPTURE_INCLUDE_MOUSE, OnIncludeMouse)
ON_UPDATE_COMMAND_UI(ID_CAPTURE_INCLUDE_MOUSE, OnUpdateIncludeMouse)
ON_COMMAND(ID_VIEW_TASK_SHEET, OnTaskSheet)
ON_UPDATE_COMMAND_UI(ID_VIEW_TASK_SHEET, OnUpdateTaskSheet)
ON_COMMAND(ID_HELP_FILE, OnHelpFile)
ON_COMMAND(ID_HELP_WEB_SITE, OnWebSite)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_HELP_VIDEO_TOUR, OnVideoTour)
END_MESSAGE_MAP()

CFramletApp& TheFramletApp() { return theApp; }

CFramletApp::CFramletApp()
    : CWinApp(NULL), m_gdiplusToken(0), m_bIncludeMouse(FALSE), m_nNextClipboardImage(1),
      m_pDocTemplate(NULL), m_bCapturing(FALSE) {}

CFramletApp::~CFramletApp() {}

BOOL CFramletApp::InitInstance() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, NULL);
  ::InitCommonControls();
  CWinApp::InitInstance();
  startup_trace::Mark("GDI+ and common controls");
  SetupCommandProfile();
  startup_trace::Mark("toolkit set-up (command profile, theme)");
  if (!AfxOleInit()) {
    AfxMessageBox(IDS_OLE_INIT_FAILED, MB_OK, 0);
    return FALSE;
  }
  SetRegistryKey("Vantrel");
  LoadStdProfileSettings(4);
  m_pDocTemplate = new CMultiDocTemplate(IDR_IMAGE_TYPE, RUNTIME_CLASS(CFramletDoc),
                                         RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CFramletView));
  AddDocTemplate(m_pDocTemplate);
  startup_trace::Mark("OLE, settings, document template");
  CMainFrame* pFrame = new CMainFrame;
  if (!pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
    return FALSE; // a frame that fails to load has deleted itself
  m_pMainWnd = pFrame;
  startup_trace::Mark("frame: after its bars");
  pFrame->DragAcceptFiles(TRUE);
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!cmdInfo.m_strFileName.IsEmpty() && !ProcessShellCommand(cmdInfo))
    return FALSE;
  startup_trace::Mark("shell registration, command line");
  pFrame->ActivateFrame(SW_SHOW);
  startup_trace::Mark("frame shown");
  // The idle loop first updates the bars' commands once the start-up is over, and the tip of the
  // day's modal loop holds that up: one pass now, before anything paints, so that the bars show
  // their commands' state from their first paint on.
  CWinApp::OnIdle(0);
  startup_trace::Mark("bars' commands updated");
  ShowTipAtStartup();
  startup_trace::Mark("tip of the day");
  return TRUE;
}

BOOL CFramletApp::OnIdle(LONG lCount) {
  if (lCount == 0)
    startup_trace::Mark("first paint and messages");
  const BOOL bMore = CWinApp::OnIdle(lCount);
  if (lCount == 0)
    startup_trace::Finish("first idle update");
  return bMore;
}

int CFramletApp::ExitInstance() {
  Gdiplus::GdiplusShutdown(m_gdiplusToken);
  return CWinApp::ExitInstance();
}

void CFramletApp::SetupCommandProfile() {
  g_CmdManagerHolder->SetupProfile(kCommandProfile);
  g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003));
  CExtPopupMenuWnd::g_bMenuShadows = true;
  CExtPopupMenuWnd::g_bMenuItemTips = true;
  CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
  CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed = false;
  CExtPopupMenuWnd::g_bAnimateMenuExpansion = false;
  CExtPopupMenuWnd::g_bMenuUseWorkArea = true;
  CExtPopupBaseWnd::g_nDefaultAnimation = 4;
}

void CFramletApp::OnTaskSheet() {
  CMainFrame* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  if (pFrame != NULL && pFrame->m_wndTaskSheetBar.GetSafeHwnd() != NULL)
    pFrame->ShowControlBar(&pFrame->m_wndTaskSheetBar, !pFrame->m_wndTaskSheetBar.IsVisible(), FALSE);
}

void CFramletApp::OnUpdateTaskSheet(CCmdUI* pCmdUI) {
  CMainFrame* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  pCmdUI->SetCheck(pFrame != NULL && pFrame->m_wndTaskSheetBar.GetSafeHwnd() != NULL &&
                           pFrame->m_wndTaskSheetBar.IsVisible()
                       ? 1
                       : 0);
}

void CFramletApp::ShowTipAtStartup() { ShowTipOfTheDayIfWanted(m_pMainWnd); }

void CFramletApp::OnAppAbout() {
  CAboutDlg dlg;
  dlg.DoModal();
}

// The tray menu stays in reach while a modal dialog or prompt has disabled the frame: a capture
// from it would take the dialog into the picture and leave it behind the frame, and its Exit would
// ask "Save changes" a second time while the first question waits. The menu greys them, and the
// framework drops a disabled command however it comes.
void CFramletApp::OnUpdateNeedsFrame(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_pMainWnd == NULL || m_pMainWnd->GetSafeHwnd() == NULL || m_pMainWnd->IsWindowEnabled());
}

void CFramletApp::OnFileOpen() {
  CString strPath = PromptOpenImage();
  if (strPath.IsEmpty() || m_pDocTemplate == NULL)
    return;
  int nDpi = 96;
  HBITMAP hPicture = LoadPictureOverWhite(strPath, &nDpi);
  if (hPicture == NULL) {
    AfxMessageBox(AfxFileNameOf(strPath) + ": The file could not be opened as a picture.",
                  MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // A new document loads the file as the framework's open would, without taking its path: Save
  // asks for a name.
  CFramletDoc* pDoc = static_cast<CFramletDoc*>(m_pDocTemplate->OpenDocumentFile(NULL));
  if (pDoc == NULL) {
    ::DeleteObject(hPicture);
    return;
  }
  if (!pDoc->TakeOpenedPicture(hPicture, nDpi, strPath))
    pDoc->OnCloseDocument();
}

void CFramletApp::OnIncludeMouse() { m_bIncludeMouse = !m_bIncludeMouse; }

void CFramletApp::OnUpdateIncludeMouse(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bIncludeMouse ? 1 : 0); }

// F1 that opens nothing would leave the user waiting: a help file the shell cannot open is said.
void CFramletApp::OnHelpFile() {
  const CString strHelp = ProgramFolder() + "\\pixhelp.chm";
  if ((INT_PTR)::ShellExecuteA(NULL, "open", strHelp, NULL, NULL, SW_SHOW) <= 32)
    AfxMessageBox("The help file could not be opened:\n" + strHelp, MB_ICONEXCLAMATION);
}

void CFramletApp::OnWebSite() { ::ShellExecuteA(NULL, "open", kHomePage, NULL, NULL, SW_SHOW); }

void CFramletApp::OnVideoTour() {
  ::ShellExecuteA(NULL, "open", CString(kHomePage) + "videotours/", NULL, NULL, SW_SHOW);
}

CString IntToString(int nValue) {
  CString strText;
  strText.Format("%d", nValue);
  return strText;
}

int StringToInt(LPCSTR lpszText) { return lpszText != NULL ? std::atoi(lpszText) : 0; }

CString PromptOpenImage() {
  try {
    static const char kFilter[] = "All supported formats(jpg,bmp,gif,png,tif,wmf,emf)|*.jpg; *.jpeg; *.bmp; "
                                  "*.gif; *.png; *.wmf; *.tif; *.emf; "
                                  "|JPEG Image (*.jpg;*.jpeg)|*.jpg; *.jpeg|Windows Bitmap "
                                  "(*.bmp)|*.bmp|CompuServe Gif (*.gif)|*.gif|PNG "
                                  "Image (*.png)|*.png|Windows Metafile (*.wmf)|*.wmf|Tiff - Tagged Image "
                                  "(*.tif)|*.tif|Windows Enhanced "
                                  "Metafile (*.emf)|*.emf||";
    CFileDialog dlg(TRUE, NULL, NULL,
                    OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_FILEMUSTEXIST | OFN_ENABLESIZING, kFilter);
    CString strFolder = ProgramFolder() + "\\Graphics";
    dlg.m_ofn.lpstrInitialDir = strFolder;
    if (dlg.DoModal() != IDOK)
      return CString();
    CString strExt = dlg.GetFileExt();
    strExt.MakeLower();
    static const char* const kKnown[] = {"bmp", "jpg", "jpeg", "gif", "tif", "wmf", "emf", "png"};
    for (const char* pszKnown : kKnown) {
      if (strExt == pszKnown)
        return dlg.GetPathName();
    }
  } catch (...) {
    // An open that goes wrong opens nothing.
  }
  return CString();
}
