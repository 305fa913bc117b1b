#include "app/PropPageResize.h"

#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CPropPageResize, CPropertyPage)

namespace {
const int kTitleId = 5002;
}

CPropPageResize::CPropPageResize() : CPropertyPage(IDD_PAGE_RESIZE), m_bImageMode(TRUE) {}

BOOL CPropPageResize::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  const RECT rc = {1, 20, 170, 38};
  m_linkTitle.Create(" " + m_strTitle, WS_CHILD | WS_VISIBLE, rc, this, kTitleId);
  m_linkTitle.SetFontName("Arial", ANSI_CHARSET);
  m_linkTitle.SetFontSize(9);
  m_linkTitle.SetFontBold(TRUE);
  m_linkTitle.SetTextColor(0xFFFFFF);
  m_linkTitle.SetBkColor(0xC65E12);
  ShowResizeOptions(m_bImageMode);
  return TRUE;
}

void CPropPageResize::SetTitle(const CString& strTitle) {
  m_strTitle = strTitle;
  if (m_linkTitle.GetSafeHwnd() != NULL)
    m_linkTitle.SetText(" " + strTitle);
}

CString CPropPageResize::GetTitle() const { return m_strTitle; }

void CPropPageResize::ShowResizeOptions(BOOL bImageMode) {
  m_bImageMode = bImageMode;
  if (GetSafeHwnd() == NULL)
    return;
  const int nShow = bImageMode ? SW_SHOW : SW_HIDE;
  for (int nId : {IDC_RESIZE_SMOOTH, IDC_RESIZE_KEEP_ASPECT})
    if (CWnd* pItem = GetDlgItem(nId))
      pItem->ShowWindow(nShow);
}
