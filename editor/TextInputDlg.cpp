#include "editor/TextInputDlg.h"

#include "editor/EditorMessages.h"
#include "framework/doc/fw_doc.h"
#include "framework/frame/fw_frame.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char* const kSizes[] = {"5",  "6",  "8",  "9",  "10", "11", "12", "14", "16", "18", "20",
                              "22", "24", "26", "28", "36", "48", "55", "65", "75", "85", "99"};
const int kDefaultSizeIndex = 3; // "9"

const int kAlignH[] = {IDC_TEXT_LEFT, IDC_TEXT_CENTER, IDC_TEXT_RIGHT};
const int kAlignV[] = {IDC_TEXT_TOP, IDC_TEXT_MIDDLE, IDC_TEXT_BOTTOM};

int CALLBACK AddFace(const LOGFONTA* plf, const TEXTMETRICA* /*ptm*/, DWORD /*dwType*/, LPARAM lParam) {
  // Every face comes once per character set; the list shows it once.
  CListBox* pList = reinterpret_cast<CListBox*>(lParam);
  if (pList->FindStringExact(-1, plf->lfFaceName) == LB_ERR)
    pList->AddString(plf->lfFaceName);
  return 1;
}

void SetupSlider(CSliderCtrl& slider, int nMax, int nPos) {
  slider.SetTicFreq(20);
  slider.SetLineSize(5);
  slider.SetPageSize(10);
  slider.SetRange(0, nMax, TRUE);
  slider.SetPos(nPos);
}

} // namespace

BEGIN_MESSAGE_MAP(CTextInputDlg, CDialog)
ON_WM_HSCROLL()
ON_CONTROL_RANGE(BN_CLICKED, IDC_TEXT_BOLD, IDC_TEXT_BOTTOM, OnOptionClicked)
ON_BN_CLICKED(IDC_ANTIALIAS, OnValueChanged)
ON_EN_CHANGE(IDC_TEXT_EDIT, OnValueChanged)
ON_CBN_SELCHANGE(IDC_TEXT_SIZE, OnSizeChanged)
ON_LBN_SELCHANGE(IDC_TEXT_FONT_LIST, OnValueChanged)
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChangedFinally)
END_MESSAGE_MAP()

CTextInputDlg::CTextInputDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_nOpacity(255), m_nAngle(0), m_clrText(0), m_bAntialias(0), m_bBold(0),
      m_bItalic(0), m_bStrikeout(0), m_bUnderline(0), m_nSize(9), m_nAlignH(0), m_nAlignV(0), m_lf(),
      m_nDpiY(96), m_ptPos(100, 100) {
  m_lf.lfHeight = 12;
  m_lf.lfWeight = FW_NORMAL;
  std::strcpy(m_lf.lfFaceName, "Arial Narrow");
  m_font.CreateFontIndirect(&m_lf);
  if (HDC hScreen = ::GetDC(NULL)) {
    m_nDpiY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(NULL, hScreen);
  }
  // The sliders are common controls the template names by class.
  AfxInitCommonControls(ICC_BAR_CLASSES);
}

CTextInputDlg::~CTextInputDlg() {
  if (m_hWnd != NULL)
    DestroyWindow();
}

BOOL CTextInputDlg::Create(CWnd* pParent) { return CDialog::Create(IDD, pParent); }

void CTextInputDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_TEXT_SIZE, m_cbSize);
  DDX_Control(pDX, IDC_TEXT_FONT_LIST, m_lbFace);
  DDX_Control(pDX, IDC_TEXT_OPACITY, m_sliderOpacity);
  DDX_Control(pDX, IDC_TEXT_ROTATION, m_sliderRotation);
  DDX_Control(pDX, IDC_TEXT_COLOR, m_btnColor);
}

BOOL CTextInputDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowPos(NULL, m_ptPos.x, m_ptPos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

  LOGFONTA lfAll = {};
  lfAll.lfCharSet = DEFAULT_CHARSET;
  CClientDC dc(this);
  ::EnumFontFamiliesExA(dc.GetSafeHdc(), &lfAll, AddFace, reinterpret_cast<LPARAM>(&m_lbFace), 0);

  for (const char* pszSize : kSizes)
    m_cbSize.AddString(pszSize);
  m_cbSize.SetCurSel(kDefaultSizeIndex);
  SetupSlider(m_sliderRotation, 360, m_nAngle);
  SetupSlider(m_sliderOpacity, 255, m_nOpacity);
  ShowRotationLabel();
  ShowOpacityLabel();
  SetDlgItemText(IDC_TEXT_EDIT, m_strText);
  return TRUE;
}

void CTextInputDlg::Refresh() {
  if (m_hWnd == NULL)
    return;
  SetWindowPos(NULL, m_ptPos.x, m_ptPos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_cbSize.SetCurSel(kDefaultSizeIndex);
  ShowSliders();
  SetDlgItemText(IDC_TEXT_EDIT, m_strText);
}

void CTextInputDlg::FocusText() {
  if (CWnd* pEdit = GetDlgItem(IDC_TEXT_EDIT))
    pEdit->SetFocus();
}

void CTextInputDlg::ShowSliders() {
  m_sliderRotation.SetPos(m_nAngle);
  m_sliderOpacity.SetPos(m_nOpacity);
  ShowRotationLabel();
  ShowOpacityLabel();
}

void CTextInputDlg::ShowRotationLabel() {
  CString strLabel;
  strLabel.Format("(%d)", m_nAngle);
  SetDlgItemText(IDC_TEXT_ROTATION_VALUE, strLabel);
}

void CTextInputDlg::ShowOpacityLabel() {
  CString strLabel;
  strLabel.Format("(%d%%)", m_nOpacity * 100 / 255);
  SetDlgItemText(IDC_TEXT_OPACITY_VALUE, strLabel);
}

void CTextInputDlg::GatherValues() {
  if (m_hWnd == NULL)
    return;
  GetDlgItemText(IDC_TEXT_EDIT, m_strText);
  m_bBold = IsDlgButtonChecked(IDC_TEXT_BOLD) == BST_CHECKED;
  m_bItalic = IsDlgButtonChecked(IDC_TEXT_ITALIC) == BST_CHECKED;
  m_bUnderline = IsDlgButtonChecked(IDC_TEXT_UNDERLINE) == BST_CHECKED;
  m_bStrikeout = IsDlgButtonChecked(IDC_TEXT_STRIKEOUT) == BST_CHECKED;
  m_bAntialias = IsDlgButtonChecked(IDC_ANTIALIAS) == BST_CHECKED;

  CString strSize;
  m_cbSize.GetWindowText(strSize);
  m_nSize = std::atoi(strSize);
  for (int i = 0; i < 3; i++) {
    if (IsDlgButtonChecked(kAlignH[i]) == BST_CHECKED)
      m_nAlignH = i;
    if (IsDlgButtonChecked(kAlignV[i]) == BST_CHECKED)
      m_nAlignV = i;
  }

  LOGFONTA lf = {};
  if (m_font.GetSafeHandle() != NULL && m_font.GetLogFont(&lf))
    m_lf = lf;
  // With no face chosen in the list the text keeps the face it has.
  const int nFace = m_lbFace.GetCurSel();
  if (nFace != LB_ERR)
    m_lbFace.GetText(nFace, m_strFace);
  else
    m_strFace = CString(m_lf.lfFaceName);
  lstrcpynA(m_lf.lfFaceName, m_strFace, LF_FACESIZE);
  if (m_nSize > 100)
    m_nSize = 48;
  else if (m_nSize < 2)
    m_nSize = 5;
  m_lf.lfHeight = MulDiv(m_nSize, m_nDpiY, 72);
  m_lf.lfWeight = m_bBold ? FW_BOLD : FW_NORMAL;
  m_lf.lfItalic = m_bItalic ? 1 : 0;
  m_lf.lfStrikeOut = m_bStrikeout ? 1 : 0;
  m_lf.lfUnderline = m_bUnderline ? 1 : 0;

  m_font.DeleteObject();
  m_font.CreateFontIndirect(&m_lf);
}

void CTextInputDlg::NotifyView() {
  CMDIFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
  CMDIChildWnd* pChild = pFrame != NULL ? pFrame->MDIGetActive() : NULL;
  CView* pView = pChild != NULL ? pChild->GetActiveView() : NULL;
  if (pView != NULL && pView->m_hWnd != NULL)
    pView->SendMessage(UM_TEXT_CHANGED, 0, reinterpret_cast<LPARAM>(this));
}

void CTextInputDlg::OnOK() {
  // The dialog stays alive for the next text.
  GatherValues();
  ShowWindow(SW_HIDE);
}

void CTextInputDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  HWND hSlider = pScrollBar != NULL ? pScrollBar->m_hWnd : NULL;
  const bool bOpacity = hSlider != NULL && hSlider == m_sliderOpacity.m_hWnd;
  if (!bOpacity && (hSlider == NULL || hSlider != m_sliderRotation.m_hWnd)) {
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    return;
  }
  CSliderCtrl& slider = bOpacity ? m_sliderOpacity : m_sliderRotation;
  int nMin = 0, nMax = 0;
  slider.GetRange(nMin, nMax);
  // The slider has moved itself by the line or page step before it tells the dialog, so its
  // position is taken as it is; stepping again would move it twice.
  int nNew = slider.GetPos();
  if (nSBCode == SB_LEFT)
    nNew = nMax;
  else if (nSBCode == SB_RIGHT)
    nNew = nMin;
  nNew = std::min(std::max(nNew, nMin), nMax);
  slider.SetPos(nNew);
  if (bOpacity) {
    m_nOpacity = nNew;
    ShowOpacityLabel();
  } else {
    m_nAngle = nNew;
    ShowRotationLabel();
  }
  GatherValues();
  NotifyView();
}

void CTextInputDlg::OnValueChanged() {
  GatherValues();
  NotifyView();
}

void CTextInputDlg::OnOptionClicked(UINT /*nID*/) { OnValueChanged(); }

void CTextInputDlg::OnSizeChanged() {
  // The combo's edit takes the chosen item only after this notification; the size is read from
  // the edit, so it gets the item now.
  const int nSel = m_cbSize.GetCurSel();
  if (nSel != CB_ERR) {
    CString strSize;
    m_cbSize.GetLBText(nSel, strSize);
    m_cbSize.SetWindowText(strSize);
  }
  OnValueChanged();
}

LRESULT CTextInputDlg::OnColorChangedFinally(WPARAM wParam, LPARAM /*lParam*/) {
  const COLORREF clrChosen = wParam == 0xFFFFFFFF ? m_btnColor.m_clrSelected : static_cast<COLORREF>(wParam);
  // A button with no colour chosen leaves the text's colour as it is.
  if (clrChosen != static_cast<COLORREF>(-1))
    m_clrText = clrChosen;
  OnValueChanged();
  return 0;
}
