// CPrintInfo: a print job's printer dialog and page range; CPrintPreviewState.
#include "framework/print/fw_print.h"

#include "framework/res/fw_res.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE)), m_bDirect(FALSE), m_bPreview(FALSE), m_bContinuePrinting(TRUE),
      m_nCurPage(1), m_nNumPreviewPages(1), m_lpUserData(NULL), m_rectDraw(0, 0, 0, 0) {
  SetMinPage(1);
  SetMaxPage(0xFFFF);
  if (!m_strPageDesc.LoadString(AFX_IDS_PAGE_FMT))
    m_strPageDesc = "Page %u";
}

CPrintInfo::~CPrintInfo() { delete m_pPD; }

UINT CPrintInfo::GetFromPage() const {
  return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const {
  return (m_pPD->m_pd.Flags & PD_PAGENUMS) ? m_pPD->m_pd.nToPage : GetMaxPage();
}

CPrintPreviewState::CPrintPreviewState()
    : nIDMainPane(AFX_IDW_PANE_FIRST), hMenu(NULL), hAccelTable(NULL), pViewActiveOld(NULL),
      lpfnCloseProc(NULL) {}
