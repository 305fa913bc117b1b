// Printing a view: getting the printer (with or without the print dialog), the modeless "Printing"
// dialog and the abort procedure that keeps the program alive, and the loop over the pages.
#include "framework/print/fw_print.h"

#include "framework/res/fw_res.h"

#include <winspool.h>

#include <algorithm>

namespace {

// Whether the system knows any printer at all (a missing default printer alone is not that).
bool PrintersInstalled() {
  DWORD cbNeeded = 0, nReturned = 0;
  ::EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, NULL, 4, NULL, 0, &cbNeeded, &nReturned);
  return cbNeeded > 0 || nReturned > 0;
}

// The modeless dialog of the job in progress; Cancel (or Esc, or its close box) asks the job to stop.
class CPrintingDialog : public CDialog {
public:
  BOOL m_bUserAbort = FALSE;

  void OnCancel() override {
    m_bUserAbort = TRUE;
    EnableWindow(FALSE); // asked once is enough
  }
};

CPrintingDialog* g_pPrintingDialog = NULL; // the job in progress, for the abort procedure

// Called by the printer driver while it spools and by the loop after each page: runs the queue so
// the program stays alive and Cancel can be pressed. FALSE stops the job.
BOOL CALLBACK PrintAbortProc(HDC, int) {
  MSG msg;
  while (g_pPrintingDialog != NULL && !g_pPrintingDialog->m_bUserAbort &&
         ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT)
      return FALSE; // stays queued for the program's own loop
    AfxPumpMessage();
  }
  return g_pPrintingDialog == NULL || !g_pPrintingDialog->m_bUserAbort;
}

// Everything a job takes, given back however it ends: a document still open is aborted, the main
// window enabled, the dialog destroyed, and the printer DC left to the print dialog that made it.
class CPrintJob {
public:
  CPrintJob(HDC hPrinterDC, CWnd* pMainWnd) : m_pMainWnd(pMainWnd), m_pPrevious(g_pPrintingDialog) {
    m_dc.Attach(hPrinterDC);
    m_dc.m_bPrinting = TRUE;
    g_pPrintingDialog = &m_dlg;
  }
  ~CPrintJob() {
    if (m_bDocOpen)
      m_dc.AbortDoc();
    if (m_pMainWnd != NULL && ::IsWindow(m_pMainWnd->m_hWnd))
      m_pMainWnd->EnableWindow(TRUE);
    if (m_dlg.m_hWnd != NULL)
      m_dlg.DestroyWindow();
    g_pPrintingDialog = m_pPrevious;
    m_dc.Detach();
  }
  CPrintJob(const CPrintJob&) = delete;
  CPrintJob& operator=(const CPrintJob&) = delete;

  CDC m_dc;
  CPrintingDialog m_dlg;
  BOOL m_bDocOpen = FALSE;

private:
  CWnd* m_pMainWnd;
  CPrintingDialog* m_pPrevious;
};

// The pages of a started job in the order of its range; OnPrepareDC may end the job before any of
// them. Ends the document, or aborts it when a page failed or the user cancelled.
void PrintPages(CView* pView, CPrintJob& job, CPrintInfo& printInfo) {
  CDC& dcPrint = job.m_dc;
  job.m_bDocOpen = TRUE;
  pView->OnBeginPrinting(&dcPrint, &printInfo);
  int nMin = static_cast<int>(printInfo.GetMinPage()), nMax = static_cast<int>(printInfo.GetMaxPage());
  int nFrom = std::min(std::max(static_cast<int>(printInfo.GetFromPage()), nMin), nMax);
  int nTo = std::min(std::max(static_cast<int>(printInfo.GetToPage()), nMin), nMax);
  int nStep = nTo >= nFrom ? 1 : -1;
  BOOL bAbort = FALSE;
  for (int nPage = nFrom;; nPage += nStep) {
    printInfo.m_nCurPage = static_cast<UINT>(nPage);
    pView->OnPrepareDC(&dcPrint, &printInfo);
    if (!printInfo.m_bContinuePrinting)
      break;
    CString strPage;
    strPage.Format(printInfo.m_strPageDesc, printInfo.m_nCurPage);
    job.m_dlg.SetDlgItemText(AFX_IDC_PRINT_PAGENUM, strPage);
    // The page's printable area in the units OnPrepareDC chose.
    printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
    dcPrint.DPtoLP(&printInfo.m_rectDraw);
    if (dcPrint.StartPage() <= 0) {
      bAbort = TRUE;
      break;
    }
    pView->OnPrint(&dcPrint, &printInfo);
    if (dcPrint.EndPage() <= 0 || !PrintAbortProc(dcPrint.m_hDC, 0)) {
      bAbort = TRUE;
      break;
    }
    if (nPage == nTo)
      break;
  }
  pView->OnEndPrinting(&dcPrint, &printInfo);
  job.m_bDocOpen = FALSE;
  if (bAbort)
    dcPrint.AbortDoc();
  else
    dcPrint.EndDoc();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The view's part

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  CWinApp* pApp = AfxGetApp();
  CPrintDialog* pPD = pInfo->m_pPD;
  auto runDialog = [&] { return (pApp != NULL ? pApp->DoPrintDialog(pPD) : (int)pPD->DoModal()) == IDOK; };
  if (pInfo->m_bPreview || pInfo->m_bDirect) {
    // A job prepared once keeps its printer.
    if (pPD->m_pd.hDC != NULL)
      return TRUE;
    if (pApp == NULL || !pApp->GetPrinterDeviceDefaults(&pPD->m_pd)) {
      if (!PrintersInstalled()) {
        AfxMessageBox(AFX_IDP_NO_PRINTERS);
        return FALSE;
      }
      // Printers but no default one: the user picks one.
      if (!runDialog())
        return FALSE;
    }
    if (pPD->m_pd.hDC == NULL)
      pPD->CreatePrinterDC();
  } else {
    // The system's print dialog would only complain in its own words.
    if (!PrintersInstalled()) {
      AfxMessageBox(AFX_IDP_NO_PRINTERS);
      return FALSE;
    }
    pPD->m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
    pPD->m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
    if (!runDialog())
      return FALSE;
  }
  if (pPD->m_pd.hDC == NULL) {
    AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
    return FALSE;
  }
  return TRUE;
}

void CView::OnFilePrint() {
  CPrintInfo printInfo;
  const MSG* pMsg = GetCurrentMessage();
  printInfo.m_bDirect = pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT;
  if (!OnPreparePrinting(&printInfo) || printInfo.m_pPD->m_pd.hDC == NULL)
    return;

  CString strOutput;
  if (printInfo.m_pPD->m_pd.Flags & PD_PRINTTOFILE) {
    CString strDefExt, strDefault, strFilter, strCaption;
    strDefExt.LoadString(AFX_IDS_PRINTDEFAULTEXT);
    strDefault.LoadString(AFX_IDS_PRINTDEFAULT);
    strFilter.LoadString(AFX_IDS_PRINTFILTER);
    strCaption.LoadString(AFX_IDS_PRINTTOFILE);
    CFileDialog dlg(FALSE, strDefExt, strDefault, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, strFilter, this);
    dlg.m_ofn.lpstrTitle = strCaption;
    if (dlg.DoModal() != IDOK)
      return;
    strOutput = dlg.GetPathName();
  }

  // The job is named after the document; spoolers keep short names.
  CString strTitle;
  CFrameWnd* pFrame = GetParentFrame();
  if (GetDocument() != NULL)
    strTitle = GetDocument()->GetTitle();
  else if (pFrame != NULL)
    pFrame->GetWindowText(strTitle);
  if (strTitle.GetLength() > 31)
    strTitle = strTitle.Left(31);
  DOCINFOA docInfo = {};
  docInfo.cbSize = sizeof(docInfo);
  docInfo.lpszDocName = strTitle;
  docInfo.lpszOutput = strOutput.IsEmpty() ? NULL : static_cast<LPCSTR>(strOutput);

  // The job takes the main window and puts it back before any message about a failed start.
  bool bStarted = false;
  {
    CWnd* pMainWnd = AfxGetMainWnd();
    CPrintJob job(printInfo.m_pPD->m_pd.hDC, pMainWnd);
    if (job.m_dlg.Create(AFX_IDD_PRINTDLG, pMainWnd)) {
      CString strPort;
      AfxFormatString1(strPort, AFX_IDS_PRINTONPORT, printInfo.m_pPD->GetPortName());
      job.m_dlg.SetDlgItemText(AFX_IDC_PRINT_DOCNAME, strTitle);
      job.m_dlg.SetDlgItemText(AFX_IDC_PRINT_PRINTERNAME, printInfo.m_pPD->GetDeviceName());
      job.m_dlg.SetDlgItemText(AFX_IDC_PRINT_PORTNAME, strPort);
      job.m_dlg.ShowWindow(SW_SHOW);
      job.m_dlg.UpdateWindow();
    }
    if (pMainWnd != NULL)
      pMainWnd->EnableWindow(FALSE);
    job.m_dc.SetAbortProc(PrintAbortProc);
    bStarted = job.m_dc.StartDoc(&docInfo) > 0;
    if (bStarted)
      PrintPages(this, job, printInfo);
  }
  if (!bStarted)
    AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
}
