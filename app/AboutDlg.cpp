#include "app/AboutDlg.h"

#include "resources/resource.h"

const char CAboutDlg::kProductPage[] = "https://www.vantrel.com/pixolet/";
const char CAboutDlg::kMakerPage[] = "https://www.vantrel.com/";

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_ABOUT_MAKER, m_wndMaker);
  DDX_Control(pDX, IDC_ABOUT_TITLE, m_wndTitle);
  DDX_Control(pDX, IDC_ABOUT_VERSION, m_wndVersion);
  DDX_Control(pDX, IDC_ABOUT_PRODUCT_ADDRESS, m_wndProductAddress);
  DDX_Control(pDX, IDC_ABOUT_MAKER_ADDRESS, m_wndMakerAddress);
}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_picture.TakeFrom(this);
  SetDlgItemText(IDC_ABOUT_SUPPORT,
                 "Customer Support: \r\nEmail: support@vantrel.com\r\nFax: +1 555 0142 7788");
  m_wndMaker.SetTextColor(RGB(0x40, 0x80, 0xFF)).SetFontBold(TRUE).SetFontSize(10);
  m_wndTitle.SetTextColor(RGB(0, 0, 0))
      .SetFontName("Comic Sans MS", ANSI_CHARSET)
      .SetFontBold(TRUE)
      .SetFontSize(12);
  HCURSOR hHand = AfxGetApp()->LoadCursor(IDC_CURSOR_PICKER_HAND);
  struct Address {
    CLinkLabel& label;
    const char* pszTarget;
  };
  for (const Address& address :
       {Address{m_wndProductAddress, kProductPage}, Address{m_wndMakerAddress, kMakerPage}})
    address.label.SetLink(TRUE, FALSE)
        .SetLinkTarget(address.pszTarget)
        .SetTextColor(RGB(0, 0, 0xFF))
        .SetFontUnderline(TRUE)
        .SetFontSize(10)
        .SetLinkCursor(hHand);
  return TRUE;
}

void CAboutDlg::PostNcDestroy() {
  m_picture.Delete();
  CDialog::PostNcDestroy();
}
