// The shell's command line: an optional file, and the flags the shell may pass.
#include "framework/app/fw_app.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew) {}

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL) {
  if (bFlag) {
    if (lstrcmpiA(pszParam, "pt") == 0)
      m_nShellCommand = FilePrintTo;
    else if (lstrcmpiA(pszParam, "p") == 0)
      m_nShellCommand = FilePrint;
    else if (lstrcmpiA(pszParam, "dde") == 0)
      m_nShellCommand = FileDDE;
    else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
      m_nShellCommand = AppUnregister;
    else if (lstrcmpiA(pszParam, "Embedding") == 0) {
      m_bRunEmbedded = TRUE;
      m_bShowSplash = FALSE;
    } else if (lstrcmpiA(pszParam, "Automation") == 0) {
      m_bRunAutomated = TRUE;
      m_bShowSplash = FALSE;
    }
    return;
  }
  if (m_strFileName.IsEmpty()) {
    m_strFileName = pszParam;
    if (m_nShellCommand == FileNew)
      m_nShellCommand = FileOpen;
  } else if (m_nShellCommand == FilePrintTo) {
    if (m_strPrinterName.IsEmpty())
      m_strPrinterName = pszParam;
    else if (m_strDriverName.IsEmpty())
      m_strDriverName = pszParam;
    else if (m_strPortName.IsEmpty())
      m_strPortName = pszParam;
  }
}
