#include "app/PropPageCaption.h"

#include "app/ModelessPropSheet.h"
#include "app/TaskSheet.h"
#include "editor/EditorMessages.h"
#include "framework/doc/fw_doc.h"
#include "resources/resource.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <cstdlib>
#include <ctime>

IMPLEMENT_DYNCREATE(CPropPageCaption, CPropertyPage)

BEGIN_MESSAGE_MAP(CPropPageCaption, CPropertyPage)
ON_EN_CHANGE(IDC_CAPTION_TEXT, OnOptionChanged)
ON_BN_CLICKED(IDC_CAPTION_INSIDE, OnOptionChanged)
ON_BN_CLICKED(IDC_CAPTION_BOTTOM, OnOptionChanged)
ON_BN_CLICKED(IDC_CAPTION_BOLD, OnOptionChanged)
ON_BN_CLICKED(IDC_CAPTION_ITALIC, OnOptionChanged)
ON_BN_CLICKED(IDC_CAPTION_UNDERLINE, OnOptionChanged)
ON_CBN_SELCHANGE(IDC_CAPTION_SIZE, OnOptionChanged)
ON_CBN_SELCHANGE(IDC_CAPTION_FACE, OnOptionChanged)
ON_BN_CLICKED(IDC_CAPTION_ADD_DATE, OnInsertDate)
ON_BN_CLICKED(IDC_CAPTION_ADD_TIME, OnInsertTime)
ON_BN_CLICKED(IDC_CAPTION_ADD_COMPUTER, OnInsertComputerName)
ON_BN_CLICKED(IDC_CAPTION_ADD_USER, OnInsertUserName)
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChanged)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
const char* const kSizes[] = {"5",  "6",  "8",  "9",  "10", "11", "12", "14", "16", "18", "20",
                              "22", "24", "26", "28", "36", "48", "55", "65", "75", "85", "99"};
const int kDefaultSizeIndex = 3; // "9"

// The style flags of the block and the boxes that set them.
enum { kFlagInside, kFlagBottom, kFlagBold, kFlagItalic, kFlagUnderline };
const int kFlagBoxes[] = {IDC_CAPTION_INSIDE, IDC_CAPTION_BOTTOM, IDC_CAPTION_BOLD, IDC_CAPTION_ITALIC,
                          IDC_CAPTION_UNDERLINE};

// The local time in the given strftime format.
CString FormatNow(const char* pszFormat) {
  const std::time_t now = std::time(nullptr);
  char sz[64] = "";
  if (const std::tm* pTm = std::localtime(&now))
    std::strftime(sz, sizeof(sz), pszFormat, pTm);
  return sz;
}
} // namespace

CString GetUserOrComputerName(bool bUser) {
  char sz[1024] = "";
  DWORD cch = sizeof(sz);
  const BOOL bRead = bUser ? ::GetUserNameA(sz, &cch) : ::GetComputerNameA(sz, &cch);
  return bRead ? CString(sz) : CString(" ");
}

CPropPageCaption::CPropPageCaption() : CPropertyPage(IDD_PAGE_CAPTION), m_clrText(0) {
  // The popup's default entry stands for the black the caption starts with.
  m_btnColor.m_clrDefault = 0;
  m_btnColor.m_clrSelected = 0;
}

void CPropPageCaption::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CAPTION_TEXT_LABEL, m_labelText);
  DDX_Control(pDX, IDC_CAPTION_INSIDE, m_chkInside);
  DDX_Control(pDX, IDC_CAPTION_BOTTOM, m_chkBottom);
  DDX_Control(pDX, IDC_CAPTION_BOLD, m_chkBold);
  DDX_Control(pDX, IDC_CAPTION_ITALIC, m_chkItalic);
  DDX_Control(pDX, IDC_CAPTION_UNDERLINE, m_chkUnderline);
  DDX_Control(pDX, IDC_CAPTION_SIZE, m_cbSize);
  DDX_Control(pDX, IDC_CAPTION_FACE, m_cbFace);
  DDX_Control(pDX, IDC_CAPTION_COLOR, m_btnColor);
  DDX_Control(pDX, IDC_CAPTION_SIZE_LABEL, m_labelSize);
  DDX_Control(pDX, IDC_CAPTION_COLOR_LABEL, m_labelColor);
}

BOOL CPropPageCaption::OnInitDialog() {
  CPropertyPage::OnInitDialog();

  LOGFONTA lfAll = {};
  lfAll.lfCharSet = DEFAULT_CHARSET;
  {
    CClientDC dc(this);
    ::EnumFontFamiliesExA(dc.GetSafeHdc(), &lfAll, EnumFontProc, reinterpret_cast<LPARAM>(&m_cbFace), 0);
  }
  for (const char* pszSize : kSizes)
    m_cbSize.AddString(pszSize);
  m_cbFace.SetCurSel(m_cbFace.FindStringExact(-1, "Arial")); // none when the face is missing
  m_cbSize.SetCurSel(kDefaultSizeIndex);

  if (m_groupFont.SubclassDlgItem(IDC_CAPTION_FONT_GROUP, this)) {
    m_groupFont.m_nFrameStyle = CExtGroupBox::STYLE_CAPTION;
    m_groupFont.Invalidate();
  }
  for (CLinkLabel* pLabel : {&m_labelText, &m_labelSize, &m_labelColor})
    pLabel->SetTransparent(TRUE);
  // The two boxes below the group box sit on the page itself, not on the theme's dialog face.
  for (CExtCheckBox* pBox : {&m_chkInside, &m_chkBottom})
    pBox->m_clrOverride[0] = CModelessPropSheet::BackgroundColor();
  CreateCaptionLinks();
  return TRUE;
}

int CALLBACK CPropPageCaption::EnumFontProc(const LOGFONTA* plf, const TEXTMETRICA*, DWORD, LPARAM lParam) {
  // Every face comes once per character set; the list holds it once.
  CComboBox* pList = reinterpret_cast<CComboBox*>(lParam);
  if (pList->FindStringExact(-1, plf->lfFaceName) == CB_ERR)
    pList->AddString(plf->lfFaceName);
  return 1;
}

void CPropPageCaption::CreateCaptionLinks() {
  struct LinkDef {
    CLinkLabel& link;
    const char* pszText;
    UINT nId;
    RECT rc;
  };
  const LinkDef links[] = {{m_linkMainMenu, " Main Menu ", kMainMenuId, {1, 0, 70, 18}},
                           {m_linkOk, "     OK ", kOkId, {1, 300, 51, 318}},
                           {m_linkCancel, "  Cancel", kCancelId, {55, 300, 105, 318}}};
  for (const LinkDef& def : links) {
    def.link.Create(def.pszText, WS_CHILD | WS_VISIBLE | WS_BORDER, def.rc, this, def.nId);
    def.link.SetFontName("Arial", ANSI_CHARSET)
        .SetFontSize(9)
        .SetFontBold(TRUE)
        .SetTextColor(0x80FFFF)
        .SetBkColor(0x808080)
        .SetLink(TRUE, TRUE)
        .SetLinkCursor(AfxGetApp()->LoadCursor(IDC_TASK_LINK_CURSOR));
  }
}

void CPropPageCaption::OnOptionChanged() {
  if (GetSafeHwnd() == NULL || m_cbSize.GetSafeHwnd() == NULL)
    return;
  GetDlgItemText(IDC_CAPTION_TEXT, m_params.text);
  m_params.taskId = TASK_CAPTION;
  for (int i = kFlagInside; i <= kFlagUnderline; ++i)
    m_params.flag[i] = IsDlgButtonChecked(kFlagBoxes[i]) == BST_CHECKED ? 1 : 0;
  m_params.fontFace.Empty();
  if (m_cbFace.GetCurSel() != CB_ERR)
    m_cbFace.GetLBText(m_cbFace.GetCurSel(), m_params.fontFace);
  m_params.color[0] = m_clrText;
  CString strSize;
  if (m_cbSize.GetCurSel() != CB_ERR)
    m_cbSize.GetLBText(m_cbSize.GetCurSel(), strSize);
  m_params.value[0] = std::atoi(strSize);
  if (CView* pView = GetTaskView())
    pView->SendMessage(UM_APPLY_EFFECT, (WPARAM)TASK_CAPTION, reinterpret_cast<LPARAM>(&m_params));
}

LRESULT CPropPageCaption::OnColorChanged(WPARAM wParam, LPARAM) {
  m_clrText = (COLORREF)wParam != (COLORREF)-1 ? (COLORREF)wParam : m_btnColor.m_clrDefault;
  OnOptionChanged();
  return 0;
}

void CPropPageCaption::AppendToText(const CString& strValue) {
  CString strText;
  GetDlgItemText(IDC_CAPTION_TEXT, strText);
  SetDlgItemText(IDC_CAPTION_TEXT, strText + " " + strValue);
}

void CPropPageCaption::OnInsertDate() { AppendToText(FormatNow("%m/%d/%Y")); }

void CPropPageCaption::OnInsertTime() { AppendToText(FormatNow("%I:%M:%S %p")); }

void CPropPageCaption::OnInsertComputerName() { AppendToText(GetUserOrComputerName(false)); }

void CPropPageCaption::OnInsertUserName() { AppendToText(GetUserOrComputerName(true)); }

BOOL CPropPageCaption::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // Only a link's click ends the edit; the sheet's own notifications are the base's.
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  if (pHdr != NULL && pHdr->code == LLN_CLICKED) {
    CView* pView = GetTaskView();
    if (wParam == kMainMenuId || wParam == kOkId) {
      ShowTaskMainPage();
      if (pView != NULL)
        pView->SendMessage(UM_TASK_EDIT, 0, 1); // the caption stays as one undo step
    } else if (wParam == kCancelId) {
      if (pView != NULL)
        pView->SendMessage(UM_APPLY_EFFECT, (WPARAM)TASK_CANCEL_EDIT, 0);
      ShowTaskMainPage();
    }
  }
  return CPropertyPage::OnNotify(wParam, lParam, pResult);
}

void CPropPageCaption::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CBrush brush(CModelessPropSheet::BackgroundColor());
  dc.FillRect(&rc, &brush);
  CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
  CPen* pOldPen = dc.SelectObject(&pen);
  dc.MoveTo(0, 290);
  dc.LineTo(160, 290);
  dc.SelectObject(pOldPen);
}
