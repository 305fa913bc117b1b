// The stamp and callout picker.
#include "editor/StampCalloutDlg.h"

#include "framework/app/fw_app.h"

#include <gdiplus.h>

IMPLEMENT_DYNAMIC(CStampCalloutDlg, CDialog)

BEGIN_MESSAGE_MAP(CStampCalloutDlg, CDialog)
ON_WM_PAINT()
ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

CStampCalloutDlg::CStampCalloutDlg(CWnd* pParent) : CDialog(IDD, pParent), m_hIcon(NULL) {}

BOOL CStampCalloutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowPos(NULL, m_ptPos.x, m_ptPos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // The program's own icon when its main window has one.
  CWnd* pMain = AfxGetMainWnd();
  m_hIcon = pMain != NULL && pMain->GetSafeHwnd() != NULL ? pMain->GetIcon(FALSE) : NULL;
  if (m_hIcon == NULL)
    m_hIcon = ::LoadIconA(NULL, IDI_APPLICATION);
  SetIcon(m_hIcon, FALSE);

  CRect rcList;
  if (CWnd* pFrame = GetDlgItem(IDC_STAMP_THUMBS)) {
    pFrame->GetWindowRect(&rcList);
    ScreenToClient(&rcList);
  }
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LVS_ICON;
  if (m_list.Create(dwStyle, rcList, this, kListId))
    m_list.FillFromFolder(m_strFolder);
  // A filled list has taken the focus; an empty one leaves it to the dialog.
  return m_list.GetSafeHwnd() == NULL || m_list.GetItemCount() == 0;
}

void CStampCalloutDlg::OnOK() {
  m_strChosen = m_list.GetSelectedPath();
  CDialog::OnOK();
}

void CStampCalloutDlg::OnParentNotify(UINT message, LPARAM lParam) {
  CDialog::OnParentNotify(message, lParam);
  // Only the list's own notice; the system's notices carry a message and a point or a window.
  if (message == kThumbChosenNotify && lParam == kThumbChosenNotify)
    OnOK();
}

void CStampCalloutDlg::OnPaint() {
  CPaintDC dc(this);
  CRect rcWindow;
  GetWindowRect(&rcWindow);
  Gdiplus::Graphics graphics(dc.GetSafeHdc());
  Gdiplus::SolidBrush background(Gdiplus::Color(0xFFC0D5F7));
  graphics.FillRectangle(&background, 0, 0, rcWindow.Width(), rcWindow.Height());
  Gdiplus::Pen frame(Gdiplus::Color(0xFF125EC6), 10.0f);
  graphics.DrawRectangle(&frame, 0, 0, rcWindow.Width(), rcWindow.Height());
}
