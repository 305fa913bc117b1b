// Printing and print preview through a view in the lab frame: jobs on the system's PDF printer (the
// CUPS queue tools/setup.sh makes) with and without the print dialog, a cancelled job, no printer
// at all, and the main frame's preview mode. The pixels of the printed pages are checked by
// check_pages.sh from what these tests leave in the artifacts folder.
#include "tests/common/import_patch.h"
#include "tests/common/pdf_output.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/framework/lab_frame_test.h"
#include "tests/unit/framework/system_dialog_driver.h"

#include "framework/res/fw_res.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const COLORREF kMark = RGB(0, 110, 230); // the rectangle every printed page shows

// What the view saw of the printing it was asked for.
struct PrintLog {
  int nPrepare = 0, nBegin = 0, nEnd = 0, nEndPreview = 0;
  BOOL bPreview = FALSE;
  std::vector<UINT> pages;            // OnPrint, in order
  std::vector<BOOL> bPrinting;        // IsPrinting for each
  std::vector<std::string> pageTexts; // the "Printing" dialog's page text for each
  std::string strDocText;             // the dialog's document text
  int nMainEnabled = 0;               // pages printed while the main window took input
  CSize sizeDpi;                      // the printer's resolution and printable area's offset
  CPoint ptOffset;
};

// Prints a mark an inch from the printable area's corner, two inches wide and one high, and logs.
class CPrintLabView : public CView {
  DECLARE_DYNCREATE(CPrintLabView)
public:
  PrintLog m_log;
  UINT m_nMaxPage = 0;    // 0 leaves the last page unknown
  UINT m_nCancelPage = 0; // presses Cancel in the "Printing" dialog while this page prints

  void OnDraw(CDC*) override {}
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    ++m_log.nPrepare;
    m_log.bPreview = pInfo->m_bPreview;
    if (m_nMaxPage != 0)
      pInfo->SetMaxPage(m_nMaxPage);
    return DoPreparePrinting(pInfo);
  }
  void OnBeginPrinting(CDC*, CPrintInfo*) override { ++m_log.nBegin; }
  void OnEndPrinting(CDC*, CPrintInfo*) override { ++m_log.nEnd; }
  void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView) override {
    ++m_log.nEndPreview;
    CView::OnEndPrintPreview(pDC, pInfo, point, pView);
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    m_log.pages.push_back(pInfo->m_nCurPage);
    m_log.bPrinting.push_back(pDC->IsPrinting());
    m_log.sizeDpi = CSize(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    m_log.ptOffset = CPoint(pDC->GetDeviceCaps(PHYSICALOFFSETX), pDC->GetDeviceCaps(PHYSICALOFFSETY));
    if (!pInfo->m_bPreview) {
      HWND hStatus = ::FindWindowA("#32770", "Printing");
      char szText[128] = "";
      ::GetDlgItemTextA(hStatus, AFX_IDC_PRINT_PAGENUM, szText, sizeof(szText));
      m_log.pageTexts.push_back(::IsWindowVisible(hStatus) ? szText : "(no dialog)");
      ::GetDlgItemTextA(hStatus, AFX_IDC_PRINT_DOCNAME, szText, sizeof(szText));
      m_log.strDocText = szText;
      m_log.nMainEnabled += ::IsWindowEnabled(AfxGetMainWnd()->m_hWnd) ? 1 : 0;
      // Cancel arrives through the queue the job keeps running between pages.
      if (pInfo->m_nCurPage == m_nCancelPage)
        ::PostMessageA(hStatus, WM_COMMAND, IDCANCEL, 0);
    }
    const CSize& dpi = m_log.sizeDpi;
    pDC->FillSolidRect(dpi.cx, dpi.cy, 2 * dpi.cx, dpi.cy, kMark);
  }

protected:
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CPrintLabView, CView)

BEGIN_MESSAGE_MAP(CPrintLabView, CView)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

// Counts a platform call of the print loop and passes it on (not through the patched import).
int g_nEndDocs = 0, g_nAbortDocs = 0;
const char kEndDoc[] = "EndDoc", kAbortDoc[] = "AbortDoc";
template <int* pCount, const char* pszName> int WINAPI CountDocCall(HDC hDC) {
  ++*pCount;
  return reinterpret_cast<int(WINAPI*)(HDC)>(::GetProcAddress(::GetModuleHandleA("gdi32.dll"), pszName))(hDC);
}
FARPROC CountEndDoc = reinterpret_cast<FARPROC>(&CountDocCall<&g_nEndDocs, kEndDoc>);
FARPROC CountAbortDoc = reinterpret_cast<FARPROC>(&CountDocCall<&g_nAbortDocs, kAbortDoc>);

// ---------------------------------------------------------------------------------------------

class PrintTest : public LabFrameTest {
protected:
  void SetUp() override {
    g_nEndDocs = g_nAbortDocs = 0;
    ASSERT_NO_FATAL_FAILURE(LabFrameTest::SetUp());
    m_pTemplate = new CMultiDocTemplate(IDR_LAB_DOC, RUNTIME_CLASS(CLabDoc), RUNTIME_CLASS(CLabChild),
                                        RUNTIME_CLASS(CPrintLabView));
    CDocument* pDoc = m_pTemplate->OpenDocumentFile(NULL);
    ASSERT_NE(nullptr, pDoc);
    m_strTitle = "FwPrint" + std::to_string(::GetTickCount() % 1000000); // finds the job's PDF
    pDoc->SetTitle(m_strTitle.c_str());
    POSITION pos = pDoc->GetFirstViewPosition();
    m_pView = static_cast<CPrintLabView*>(pDoc->GetNextView(pos));
  }
  void TearDown() override {
    LabFrameTest::TearDown(); // takes the document with its frame
    delete m_pTemplate;
  }
  // Sends a command to the main frame as a menu would, answering the print dialog with OK.
  int Command(UINT nID) {
    CSystemDialogDriver driver(Press(IDOK), "Print");
    m_pFrame->SendMessage(WM_COMMAND, nID);
    return driver.m_nDialogs;
  }
  // After a job the main window takes input again and the "Printing" dialog is gone.
  void ExpectJobOver() {
    EXPECT_TRUE(m_pFrame->IsWindowEnabled());
    EXPECT_EQ(nullptr, ::FindWindowA("#32770", "Printing"));
  }

  CMultiDocTemplate* m_pTemplate = NULL;
  CPrintLabView* m_pView = NULL;
  std::string m_strTitle;
};

// ---------------------------------------------------------------------------------------------
// Printing

TEST_F(PrintTest, PrintsOnePageWithTheMarkThroughThePrintDialog) {
  ASSERT_TRUE(pdf_output::PrinterInstalled());
  std::string base = pixel_support::ArtifactsFolder() + "\\fw_print_job";
  ::DeleteFileA((base + ".pdf").c_str());
  ::DeleteFileA((base + ".expect").c_str());
  CImportPatch endDoc("gdi32.dll", "EndDoc", CountEndDoc);
  ASSERT_TRUE(endDoc.Applied());

  EXPECT_EQ(1, Command(ID_FILE_PRINT)) << "print dialogs";
  const PrintLog& log = m_pView->m_log;
  // Not a preview; one job begun, ended and finished; the last page is unknown: page 1 only; meanwhile
  // the "Printing" dialog tells the page and the main window takes no input.
  EXPECT_EQ((std::vector<int>{FALSE, 1, 1, 1, 0}),
            (std::vector<int>{log.bPreview, log.nBegin, log.nEnd, g_nEndDocs, log.nMainEnabled}));
  EXPECT_EQ(std::vector<UINT>{1}, log.pages);
  EXPECT_EQ(std::vector<BOOL>{TRUE}, log.bPrinting);
  EXPECT_EQ(std::vector<std::string>{"Page 1"}, log.pageTexts);
  EXPECT_EQ(m_strTitle, log.strDocText);
  ExpectJobOver();

  std::string pdf = pdf_output::WaitForPdf(m_strTitle);
  ASSERT_FALSE(pdf.empty()) << "no PDF named after " << m_strTitle << " in any cups-pdf folder";
  // The PDF goes to the artifacts folder with its page count and where the mark must be, in points
  // from the page's top-left corner, for check_pages.sh.
  ASSERT_TRUE(
      ::MoveFileExA(pdf.c_str(), (base + ".pdf").c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED));
  auto pt = [](int nInches, int nOffset, int nDpi) { return nInches * 72 + nOffset * 72.0 / nDpi; };
  const CSize& dpi = log.sizeDpi;
  const CPoint& off = log.ptOffset;
  std::ofstream expect(base + ".expect", std::ios::binary);
  expect << "pages 1\nmark " << pt(1, off.x, dpi.cx) << ' ' << pt(1, off.y, dpi.cy) << ' '
         << pt(3, off.x, dpi.cx) << ' ' << pt(2, off.y, dpi.cy) << ' ' << int(GetRValue(kMark)) << ' '
         << int(GetGValue(kMark)) << ' ' << int(GetBValue(kMark)) << '\n';
}

// Printing direct asks nothing; Cancel in the "Printing" dialog aborts the job after that page.
TEST_F(PrintTest, CancelInThePrintingDialogAbortsTheDirectJobAfterThatPage) {
  CImportPatch endDoc("gdi32.dll", "EndDoc", CountEndDoc);
  CImportPatch abortDoc("gdi32.dll", "AbortDoc", CountAbortDoc);
  ASSERT_TRUE(endDoc.Applied() && abortDoc.Applied());
  // A known last page lets the job go past page 1.
  m_pView->m_nMaxPage = 3;
  m_pView->m_nCancelPage = 2;
  EXPECT_EQ(0, Command(ID_FILE_PRINT_DIRECT)) << "printing direct asks nothing";
  const PrintLog& log = m_pView->m_log;
  EXPECT_EQ((std::vector<UINT>{1, 2}), log.pages);
  EXPECT_EQ((std::vector<std::string>{"Page 1", "Page 2"}), log.pageTexts);
  EXPECT_EQ((std::vector<int>{1, 1, 0}), (std::vector<int>{log.nEnd, g_nAbortDocs, g_nEndDocs}));
  ExpectJobOver();
}

// Without a printer each command says so once, prints nothing and changes nothing.
BOOL WINAPI NoDefaultPrinter(LPPRINTDLGA) { return FALSE; }
BOOL WINAPI NoPrinters(DWORD, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD pcbNeeded, LPDWORD pcReturned) {
  *pcbNeeded = 0;
  *pcReturned = 0;
  return TRUE;
}

TEST_F(PrintTest, WithoutPrintersEveryCommandSaysSoAndPrintsNothing) {
  CImportPatch printDlg("comdlg32.dll", "PrintDlgA", reinterpret_cast<FARPROC>(&NoDefaultPrinter));
  CImportPatch enumPrinters("winspool.drv", "EnumPrintersA", reinterpret_cast<FARPROC>(&NoPrinters));
  ASSERT_TRUE(printDlg.Applied() && enumPrinters.Applied());
  CTestApp& app = TheTestApp();
  app.SelectPrinter(NULL, NULL); // forget the printer found before
  MessageBoxRecorder boxes;
  for (UINT nID : {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW}) {
    MessageBoxRecorder::Boxes().clear();
    EXPECT_EQ(0, Command(nID)) << nID;
    ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size()) << nID;
    EXPECT_EQ("No printers are installed.", MessageBoxRecorder::Boxes()[0].first) << nID;
  }
  EXPECT_EQ((std::vector<int>{3, 0, 0}), (std::vector<int>{m_pView->m_log.nPrepare, m_pView->m_log.nBegin,
                                                           (int)m_pView->m_log.pages.size()}));
  EXPECT_EQ(nullptr, m_pFrame->GetActiveView()) << "no preview";
  EXPECT_TRUE(::IsWindowVisible(m_pFrame->m_hWndMDIClient));
  app.SelectPrinter(NULL, NULL);
}

// ---------------------------------------------------------------------------------------------
// Print preview

// The ways a preview is closed; its Print button closes it before the print dialog (cancelled here).
enum class CloseBy { Button, Escape, FrameClose, PrintButton };

class PreviewTest : public PrintTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(PreviewTest, PreviewTakesTheFrameAndClosingGivesEverythingBack) {
  m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
  CLabBar* pHidden = AddBar(0xE821, CBRS_TOP, CSize(200, 24), "hidden", FALSE);
  CLabBar* pFloating = AddBar(0xE822, CBRS_TOP, CSize(200, 24), "floating");
  ASSERT_TRUE(m_pFrame->DockControlBar(AddBar(0xE820, CBRS_TOP, CSize(200, 24), "docked")));
  ASSERT_TRUE(m_pFrame->DockControlBar(pHidden, AFX_IDW_DOCKBAR_LEFT));
  ASSERT_TRUE(m_pFrame->FloatControlBar(pFloating, CPoint(760, 100)));
  CFrameWnd* pMini = pFloating->GetParentFrame();
  m_pFrame->RecalcLayout();
  HWND hClient = m_pFrame->m_hWndMDIClient;
  HMENU hMenu = ::GetMenu(m_pFrame->m_hWnd);
  std::vector<CControlBar*> visibleBars;
  for (POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CControlBar* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
    if (pBar->IsVisible())
      visibleBars.push_back(pBar);
  }
  ASSERT_GE(visibleBars.size(), 4u) << "status, dock bars, docked and floating bars";
  // Whether the bars that showed, the mini frame and the client show, and the client's id.
  auto shown = [&] {
    std::vector<int> state;
    for (CControlBar* pBar : visibleBars)
      state.push_back(pBar->IsWindowVisible() + 2 * !!(pBar->m_nStateFlags & CControlBar::tempHide));
    state.insert(state.end(),
                 {pMini->IsWindowVisible(), ::IsWindowVisible(hClient), ::GetDlgCtrlID(hClient)});
    return state;
  };
  const std::vector<int> before = shown();

  EXPECT_EQ(0, Command(ID_FILE_PRINT_PREVIEW)) << "no print dialog in preview";
  CPreviewView* pPreview = DYNAMIC_DOWNCAST(CPreviewView, m_pFrame->GetActiveView());
  ASSERT_NE(nullptr, pPreview) << "the main frame's active view is the preview";
  EXPECT_EQ(m_pView, pPreview->m_pPrintView);
  EXPECT_TRUE(m_pView->m_log.bPreview);
  EXPECT_EQ(AFX_IDW_PANE_FIRST, pPreview->GetDlgCtrlID());
  // Bars that showed stepped aside and know it; a hidden bar is left alone; the menu goes.
  std::vector<int> during(visibleBars.size(), 2);
  during.insert(during.end(), {FALSE, FALSE, AFX_IDW_PANE_SAVE});
  EXPECT_EQ(during, shown());
  EXPECT_FALSE(pHidden->m_nStateFlags & CControlBar::tempHide);
  EXPECT_EQ(nullptr, ::GetMenu(m_pFrame->m_hWnd));
  CControlBar* pPreviewBar = m_pFrame->GetControlBar(AFX_IDW_PREVIEW_BAR);
  ASSERT_NE(nullptr, pPreviewBar);
  CRect rectBar, rectPreview;
  pPreviewBar->GetWindowRect(rectBar);
  pPreview->GetWindowRect(rectPreview);
  EXPECT_EQ(rectBar.bottom, rectPreview.top) << "the preview fills the frame below its bar";

  // The printing view drew page 1 on a printing DC; the mark shows on the white sheet where the
  // printer puts it.
  pPreview->UpdateWindow();
  const PrintLog& log = m_pView->m_log;
  EXPECT_EQ(std::vector<UINT>{1}, log.pages);
  EXPECT_EQ(std::vector<BOOL>{TRUE}, log.bPrinting);
  CRect rectPage = pPreview->GetPageRect();
  ASSERT_GT(rectPage.Height(), rectPage.Width()) << "portrait sheet";
  HDC hPrinterDC = pPreview->m_pPreviewInfo->m_pPD->m_pd.hDC;
  double sx = double(rectPage.Width()) / ::GetDeviceCaps(hPrinterDC, PHYSICALWIDTH);
  double sy = double(rectPage.Height()) / ::GetDeviceCaps(hPrinterDC, PHYSICALHEIGHT);
  CPoint ptMark(rectPage.left + int((2 * log.sizeDpi.cx + log.ptOffset.x) * sx),
                rectPage.top + int((1.5 * log.sizeDpi.cy + log.ptOffset.y) * sy));
  CClientDC dc(pPreview);
  EXPECT_EQ(kMark, dc.GetPixel(ptMark));
  EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(ptMark.x, rectPage.bottom - 10));
  EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), dc.GetPixel(2, 2));
  CRect rectFrame;
  m_pFrame->GetWindowRect(rectFrame);
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rectFrame), "fw_print_preview.bmp");

  // One page of unknown length: no other page to go to; zooming in grows the sheet.
  auto button = [&](int nID) { return ::GetDlgItem(pPreviewBar->m_hWnd, nID); };
  EXPECT_EQ((std::vector<BOOL>{FALSE, FALSE, FALSE, TRUE}),
            (std::vector<BOOL>{::IsWindowEnabled(button(AFX_ID_PREVIEW_NEXT)),
                               ::IsWindowEnabled(button(AFX_ID_PREVIEW_PREV)),
                               ::IsWindowEnabled(button(AFX_ID_PREVIEW_ZOOMOUT)),
                               ::IsWindowEnabled(button(AFX_ID_PREVIEW_ZOOMIN))}));
  ::SendMessageA(button(AFX_ID_PREVIEW_ZOOMIN), BM_CLICK, 0, 0);
  EXPECT_GT(pPreview->GetPageRect().Width(), rectPage.Width());

  switch (GetParam()) {
  case CloseBy::Button:
    ::SendMessageA(button(AFX_ID_PREVIEW_CLOSE), BM_CLICK, 0, 0);
    break;
  case CloseBy::Escape:
    ::PostMessageA(pPreview->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpPending();
    break;
  case CloseBy::FrameClose:
    m_pFrame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(m_pFrame->m_hWnd)) << "closing the frame closes the preview only";
    break;
  case CloseBy::PrintButton: {
    CSystemDialogDriver driver(Press(IDCANCEL), "Print");
    ::SendMessageA(button(AFX_ID_PREVIEW_PRINT), BM_CLICK, 0, 0);
    EXPECT_EQ(1, driver.m_nDialogs);
    EXPECT_EQ(2, m_pView->m_log.nPrepare);
    EXPECT_FALSE(m_pView->m_log.bPreview);
    break;
  }
  }
  EXPECT_EQ(nullptr, m_pFrame->GetActiveView());
  EXPECT_EQ(nullptr, m_pFrame->GetControlBar(AFX_IDW_PREVIEW_BAR));
  EXPECT_EQ((std::vector<int>{1, 1}), (std::vector<int>{m_pView->m_log.nEndPreview, m_pView->m_log.nEnd}));
  EXPECT_EQ(before, shown());
  EXPECT_FALSE(pHidden->IsWindowVisible());
  EXPECT_EQ(hMenu, ::GetMenu(m_pFrame->m_hWnd));
  EXPECT_EQ(m_pFrame->MDIGetActive()->GetActiveView(), m_pView);
}

std::string CloseName(const ::testing::TestParamInfo<CloseBy>& info) {
  const char* names[] = {"Button", "Escape", "FrameClose", "PrintButton"};
  return names[static_cast<int>(info.param)];
}
INSTANTIATE_TEST_SUITE_P(Close, PreviewTest,
                         ::testing::Values(CloseBy::Button, CloseBy::Escape, CloseBy::FrameClose,
                                           CloseBy::PrintButton),
                         CloseName);

} // namespace
