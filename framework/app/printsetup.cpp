// The application's printer choice through the print dialog.
#include "framework/dlg/fw_dlg.h"

int CWinApp::DoPrintDialog(CPrintDialog* pPD) {
  // The dialog starts from the application's selection and hands the new one back.
  return (int)pPD->DoModal();
}

void CWinApp::OnFilePrintSetup() {
  CPrintDialog pd(TRUE);
  DoPrintDialog(&pd);
}
