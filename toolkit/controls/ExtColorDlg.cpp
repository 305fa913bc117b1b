#include "toolkit/controls/ExtColorDlg.h"

#include "framework/app/fw_app.h"
#include "resources/toolkit_ids.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <climits>
#include <algorithm>
#include <cstdlib>

namespace {

const int g_arrEditIds[CExtColorDlg::ROW_COUNT] = {
    IDC_EXT_COLOR_RED, IDC_EXT_COLOR_GREEN, IDC_EXT_COLOR_BLUE,    IDC_EXT_COLOR_HUE,   IDC_EXT_COLOR_SAT,
    IDC_EXT_COLOR_LUM, IDC_EXT_COLOR_CYAN,  IDC_EXT_COLOR_MAGENTA, IDC_EXT_COLOR_YELLOW};
const int g_arrSpinIds[CExtColorDlg::ROW_COUNT] = {
    IDC_EXT_COLOR_RED_SPIN,  IDC_EXT_COLOR_GREEN_SPIN,   IDC_EXT_COLOR_BLUE_SPIN,
    IDC_EXT_COLOR_HUE_SPIN,  IDC_EXT_COLOR_SAT_SPIN,     IDC_EXT_COLOR_LUM_SPIN,
    IDC_EXT_COLOR_CYAN_SPIN, IDC_EXT_COLOR_MAGENTA_SPIN, IDC_EXT_COLOR_YELLOW_SPIN};
// The row captions, then the further captions; the last one (the mode's) is not anchored.
const int g_arrLabelIds[CExtColorDlg::LABEL_COUNT] = {
    IDC_EXT_COLOR_RED_LABEL,  IDC_EXT_COLOR_GREEN_LABEL,   IDC_EXT_COLOR_BLUE_LABEL,
    IDC_EXT_COLOR_HUE_LABEL,  IDC_EXT_COLOR_SAT_LABEL,     IDC_EXT_COLOR_LUM_LABEL,
    IDC_EXT_COLOR_CYAN_LABEL, IDC_EXT_COLOR_MAGENTA_LABEL, IDC_EXT_COLOR_YELLOW_LABEL,
    IDC_EXT_COLOR_NEW_LABEL,  IDC_EXT_COLOR_INITIAL_LABEL, IDC_EXT_COLOR_MODE_LABEL};

const char g_szBuiltInRangeError[] = "Value must be in range 0..255";

// A value as atoi reads it: leading blanks, a sign and the digits; no digits give 0. Numbers too
// large for an int stay out of range instead of wrapping.
int ReadValue(const CString& strText) {
  const long nValue = std::strtol(strText, NULL, 10);
  if (nValue > INT_MAX)
    return INT_MAX;
  if (nValue < INT_MIN)
    return INT_MIN;
  return static_cast<int>(nValue);
}

// A 0..1 fraction as a 0..255 value, rounded.
int FractionToValue(double dValue) {
  const int nValue = static_cast<int>(dValue * 255.0 + 0.5);
  return nValue > 255 ? 255 : nValue;
}

} // namespace

BEGIN_MESSAGE_MAP(CExtColorDlg, CExtResizableDialog)
ON_CBN_SELENDOK(IDC_EXT_COLOR_MODE, OnModeChange)
ON_EN_CHANGE(IDC_EXT_COLOR_RED, OnChangeRgb)
ON_EN_CHANGE(IDC_EXT_COLOR_GREEN, OnChangeRgb)
ON_EN_CHANGE(IDC_EXT_COLOR_BLUE, OnChangeRgb)
ON_EN_CHANGE(IDC_EXT_COLOR_HUE, OnChangeHls)
ON_EN_CHANGE(IDC_EXT_COLOR_SAT, OnChangeHls)
ON_EN_CHANGE(IDC_EXT_COLOR_LUM, OnChangeHls)
ON_EN_CHANGE(IDC_EXT_COLOR_CYAN, OnChangeCmy)
ON_EN_CHANGE(IDC_EXT_COLOR_MAGENTA, OnChangeCmy)
ON_EN_CHANGE(IDC_EXT_COLOR_YELLOW, OnChangeCmy)
ON_REGISTERED_MESSAGE(CExtColorCtrl::g_nMsgColorChanged, OnColorChanged)
END_MESSAGE_MAP()

CExtColorDlg::CExtColorDlg(COLORREF clrInit, COLORREF clrNew, CWnd* pParent)
    : CExtResizableDialog(IDD_EXT_COLOR_DLG, pParent), m_clrInit(clrInit), m_clrNew(clrNew),
      m_bInitialized(false), m_bSyncing(false),
      m_hIcon(::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_EXT_COLOR_DLG))),
      m_wndPicker(CExtColorCtrl::MODE_BASIC_COLORS), m_wndDiff(CExtColorCtrl::MODE_DIFF) {}

CString CExtColorDlg::GetRangeErrorText() {
  CString strText;
  if (!g_ResourceManagerHolder->LoadString(strText, IDS_EXT_COLOR_RANGE_ERROR))
    strText = g_szBuiltInRangeError;
  return strText;
}

INT_PTR CExtColorDlg::DoModal() {
  m_bInitialized = false;
  const INT_PTR nResult = CExtResizableDialog::DoModal();
  m_bInitialized = false;
  return nResult;
}

void CExtColorDlg::DoDataExchange(CDataExchange* pDX) {
  CExtResizableDialog::DoDataExchange(pDX);
  for (int i = 0; i < ROW_COUNT; ++i) {
    DDX_Control(pDX, g_arrSpinIds[i], m_arrSpins[i]);
    DDX_Control(pDX, g_arrEditIds[i], m_arrEdits[i]);
  }
  DDX_Control(pDX, IDC_EXT_COLOR_MODE, m_wndMode);
  DDX_Control(pDX, IDCANCEL, m_btnCancel);
  DDX_Control(pDX, IDOK, m_btnOk);
  for (int i = 0; i < LABEL_COUNT; ++i)
    DDX_Control(pDX, g_arrLabelIds[i], m_arrLabels[i]);
}

BOOL CExtColorDlg::OnInitDialog() {
  m_bInitialized = false;
  if (!CExtResizableDialog::OnInitDialog())
    return FALSE;

  m_wndMode.ResetContent();
  for (int nMode = 0; nMode < CExtColorCtrl::MODE_NAMED_COUNT; ++nMode)
    m_wndMode.AddString(CExtColorCtrl::GetModeName(nMode));

  if (m_hIcon != NULL) {
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  }

  if (!m_strCaption.IsEmpty()) {
    CString strTitle = m_strCaption;
    const int nBreak = strTitle.Find('\n');
    if (nBreak > 0)
      strTitle = strTitle.Mid(nBreak + 1);
    SetWindowText(strTitle);
  }

  // The colours go in before the controls are attached, which builds their pictures with them.
  m_wndPicker.m_clrReference = m_wndPicker.m_clrPrevious = m_clrInit;
  m_wndPicker.m_clrCurrent = m_clrNew;
  m_wndDiff.m_clrReference = m_wndDiff.m_clrCurrent = m_wndDiff.m_clrPrevious = m_clrInit;

  m_wndMode.SetCurSel(m_wndPicker.m_nMode);
  AnchorControls();
  ShowSizeGrip(TRUE);

  if (!m_wndPicker.SubclassDlgItem(IDC_EXT_COLOR_PICKER, this) ||
      !m_wndDiff.SubclassDlgItem(IDC_EXT_COLOR_DIFF, this)) {
    // A template without the colour items cannot be used: the modal run answers -1.
    EndDialog(-1);
    return FALSE;
  }
  for (CSpinButtonCtrl& spin : m_arrSpins)
    spin.SetRange(0, 255);

  m_bInitialized = true;
  if (!m_bSyncing) {
    m_bSyncing = true;
    SyncControls(m_wndPicker.m_clrCurrent, true, true, true);
    m_bSyncing = false;
  }
  // The swatch is rebuilt with the initial colour in its lower half and the picked colour above it
  // (a new colour that differs from the initial one is shown from the start).
  m_wndDiff.SetCurrentColor(m_wndPicker.m_clrCurrent, false);
  return TRUE;
}

void CExtColorDlg::AnchorControls() {
  AddAnchor(m_wndMode.m_hWnd, CSize(0, 0), CSize(100, 0));
  AddAnchor(::GetDlgItem(m_hWnd, IDC_EXT_COLOR_PICKER), CSize(0, 0), CSize(100, 100));
  const CSize sizeRight(100, 0), sizeSame(-1, -1);
  for (int i = 0; i < ROW_COUNT; ++i) {
    AddAnchor(m_arrSpins[i].m_hWnd, sizeRight, sizeSame);
    AddAnchor(m_arrLabels[i].m_hWnd, sizeRight, sizeSame);
    AddAnchor(m_arrEdits[i].m_hWnd, sizeRight, sizeSame);
  }
  AddAnchor(m_arrLabels[ROW_COUNT].m_hWnd, sizeRight, sizeSame);
  AddAnchor(m_arrLabels[ROW_COUNT + 1].m_hWnd, sizeRight, sizeSame);
  AddAnchor(::GetDlgItem(m_hWnd, IDC_EXT_COLOR_DIFF), sizeRight, sizeSame);
  AddAnchor(m_btnOk.m_hWnd, CSize(0, 100), sizeSame);
  AddAnchor(m_btnCancel.m_hWnd, CSize(0, 100), sizeSame);
}

void CExtColorDlg::SetRowValue(int nRow, int nValue) {
  CString strText;
  strText.Format("%d", nValue);
  m_arrEdits[nRow].SetWindowText(strText);
}

void CExtColorDlg::SyncControls(COLORREF clr, bool bRGB, bool bCMY, bool bHLS) {
  if (bRGB) {
    SetRowValue(ROW_RED, GetRValue(clr));
    SetRowValue(ROW_GREEN, GetGValue(clr));
    SetRowValue(ROW_BLUE, GetBValue(clr));
  }
  if (bCMY) {
    const COLORREF clrInverted = CExtPaintManager::InvertColor(clr);
    SetRowValue(ROW_CYAN, GetRValue(clrInverted));
    SetRowValue(ROW_MAGENTA, GetGValue(clrInverted));
    SetRowValue(ROW_YELLOW, GetBValue(clrInverted));
  }
  if (bHLS) {
    double dHue = 0.0, dSaturation = 0.0, dLightness = 0.0;
    CExtPaintManager::RgbToHls(clr, &dHue, &dSaturation, &dLightness);
    SetRowValue(ROW_HUE, FractionToValue(dHue));
    SetRowValue(ROW_SAT, FractionToValue(dSaturation));
    SetRowValue(ROW_LUM, FractionToValue(dLightness));
  }
  if (m_wndPicker.m_clrCurrent != clr)
    m_wndPicker.SetCurrentColor(clr, false);
  if (m_wndDiff.m_clrCurrent != clr)
    m_wndDiff.SetCurrentColor(clr, false);
  m_clrNew = m_wndPicker.m_clrCurrent;
}

bool CExtColorDlg::ReadTriple(int nFirstRow, int (&arrValues)[3]) {
  for (int i = 0; i < 3; ++i) {
    CString strText;
    m_arrEdits[nFirstRow + i].GetWindowText(strText);
    arrValues[i] = ReadValue(strText);
    if (arrValues[i] < 0 || arrValues[i] > 255) {
      UINT nType = MB_OK;
      if (g_ResourceManagerHolder->IsRightToLeft())
        nType |= MB_RTLREADING;
      AfxMessageBox(GetRangeErrorText(), nType);
      m_arrEdits[nFirstRow + i].SetFocus();
      return false;
    }
  }
  return true;
}

void CExtColorDlg::OnChangeRgb() {
  if (!m_bInitialized || m_bSyncing)
    return;
  m_bSyncing = true;
  int arrValues[3];
  if (ReadTriple(ROW_RED, arrValues))
    SyncControls(RGB(arrValues[0], arrValues[1], arrValues[2]), false, true, true);
  m_bSyncing = false;
}

void CExtColorDlg::OnChangeCmy() {
  if (!m_bInitialized || m_bSyncing)
    return;
  m_bSyncing = true;
  int arrValues[3];
  if (ReadTriple(ROW_CYAN, arrValues))
    SyncControls(CExtPaintManager::InvertColor(RGB(arrValues[0], arrValues[1], arrValues[2])), true, false,
                 true);
  m_bSyncing = false;
}

void CExtColorDlg::OnChangeHls() {
  if (!m_bInitialized || m_bSyncing)
    return;
  m_bSyncing = true;
  int arrValues[3];
  if (ReadTriple(ROW_HUE, arrValues)) {
    double arrFractions[3];
    for (int i = 0; i < 3; ++i)
      arrFractions[i] = std::min(1.0, (arrValues[i] + 0.5) / 255.0);
    // The rows are hue, saturation, lightness; the conversion takes hue, lightness, saturation.
    SyncControls(CExtPaintManager::HlsToRgb(arrFractions[0], arrFractions[2], arrFractions[1]), true, true,
                 false);
  }
  m_bSyncing = false;
}

LRESULT CExtColorDlg::OnColorChanged(WPARAM /*wParam*/, LPARAM lParam) {
  const COLORREF* pBlock = reinterpret_cast<const COLORREF*>(lParam);
  if (m_bSyncing || pBlock == NULL)
    return 0;
  m_bSyncing = true;
  SyncControls(pBlock[1], true, true, true);
  m_bSyncing = false;
  return 0;
}

void CExtColorDlg::OnModeChange() {
  if (!m_bInitialized)
    return;
  const int nMode = m_wndMode.GetCurSel();
  if (nMode < 0 || nMode >= CExtColorCtrl::MODE_NAMED_COUNT)
    return;
  m_wndPicker.ReleaseAllModels();
  m_wndPicker.m_nMode = nMode;
  m_wndPicker.Rebuild(false);
  m_wndPicker.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CExtColorDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CONTEXTMENU)
    return 0;
  const LRESULT lResult = CExtResizableDialog::WindowProc(message, wParam, lParam);
  if (message == WM_SIZE && m_hWnd != NULL)
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  return lResult;
}
