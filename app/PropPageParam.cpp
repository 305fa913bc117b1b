#include "app/PropPageParam.h"

#include "app/ModelessPropSheet.h"
#include "app/PropPageParamRows.h"
#include "app/TaskSheet.h"
#include "editor/EditorMessages.h"
#include "editor/ShadowDlg.h"
#include "framework/doc/fw_doc.h"
#include "imaging/Globals.h"
#include "resources/resource.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CPropPageParam, CPropertyPage)

BEGIN_MESSAGE_MAP(CPropPageParam, CPropertyPage)
ON_MESSAGE(UM_SELECT_EFFECT, OnSelectEffect)
ON_WM_PAINT()
ON_WM_HSCROLL()
ON_CONTROL_RANGE(BN_CLICKED, CPropPageParam::kFirstCheckId, CPropPageParam::kFirstCheckId + 5, OnCheckClicked)
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChanged)
ON_BN_CLICKED(CPropPageParam::kShadowButtonId, OnShadowSettings)
END_MESSAGE_MAP()

namespace {
const COLORREF kSaveColor = 0xFF0000;
const COLORREF kSavedColor = 0x808080;
const char kSaveText[] = "Save these settings";
const char kSavedText[] = "Settings saved!";

void StyleLabel(CLinkLabel& label, BOOL bBold) {
  label.SetFontName("Arial", ANSI_CHARSET).SetFontSize(9).SetFontBold(bBold).SetTransparent(TRUE);
}

// The page's background, which the sliders and check boxes share so that they sit on it unboxed.
COLORREF PageColor() { return CModelessPropSheet::BackgroundColor(); }

CString Decimal(int n) {
  CString s;
  s.Format("%d", n);
  return s;
}
} // namespace

CPropPageParam::CPropPageParam()
    : CPropertyPage(IDD_PAGE_PARAM), m_nTaskId(0), m_colors{0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}, m_nPos(0),
      m_nSeparatorY(0), m_nEndedSlider(-1) {}

CPropPageParam::~CPropPageParam() {}

BOOL CPropPageParam::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  for (int i = 0; i < kColorCount; ++i)
    m_colorButtons[i].m_lParamCookie = i;
  CreateParamControls();
  CreateLinks();
  return TRUE;
}

void CPropPageParam::CreateParamControls() {
  const CRect rcNone(0, 0, 10, 10);
  const DWORD dwChild = WS_CHILD | WS_VISIBLE;
  for (int i = 0; i < kSliderCount; ++i) {
    m_sliderTitles[i].Create("  title ", dwChild, rcNone, this, (UINT)-1);
    StyleLabel(m_sliderTitles[i], FALSE);
    m_sliders[i].Create(dwChild | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS, rcNone, this, kFirstSliderId + i);
    m_sliders[i].m_clrBackground = PageColor();
    m_sliders[i].SetSliderStyle(CExtSliderWnd::STYLE_THEMED);
    m_sliders[i].SetLineSize(1);
    m_sliderValues[i].Create("  value ", dwChild, rcNone, this, kFirstValueId + i);
    StyleLabel(m_sliderValues[i], FALSE);
  }
  for (int i = 0; i < kColorCount; ++i) {
    m_colorLabels[i].Create("", dwChild, rcNone, this, (UINT)-1);
    StyleLabel(m_colorLabels[i], FALSE);
    m_colorButtons[i].Create("", dwChild | WS_TABSTOP | BS_PUSHBUTTON, rcNone, this, kFirstColorId + i);
  }
  m_btnShadow.Create("...", dwChild | WS_TABSTOP | BS_PUSHBUTTON, rcNone, this, kShadowButtonId);
  for (int i = 0; i < kCheckCount; ++i) {
    m_checks[i].Create("", dwChild | WS_TABSTOP | BS_CHECKBOX, rcNone, this, kFirstCheckId + i);
    m_checks[i].m_clrOverride[0] = PageColor();
  }
  if (CFont* pFont = GetFont()) {
    m_btnShadow.SetFont(pFont);
    for (CExtCheckBox& check : m_checks)
      check.SetFont(pFont);
  }
}

void CPropPageParam::CreateLinks() {
  HCURSOR hCursor = AfxGetApp()->LoadCursor(IDC_TASK_LINK_CURSOR);
  const CRect rcNone(0, 0, 10, 10);
  struct NavLink {
    CLinkLabel& label;
    const char* text;
    UINT id;
  };
  for (const NavLink& link :
       {NavLink{m_linkMainMenu, " Main Menu ", kMainMenuId}, NavLink{m_linkOk, "     OK ", kOkId},
        NavLink{m_linkCancel, "  Cancel", kCancelId}}) {
    CreateTaskNavigationLink(link.label, this, link.text, link.id, rcNone);
  }
  m_labelTitle.Create("  ", WS_CHILD | WS_VISIBLE, rcNone, this, (UINT)-1);
  StyleLabel(m_labelTitle, TRUE);
  m_labelTitle.SetTextColor(0);
  m_linkSave.Create(kSaveText, WS_CHILD | WS_VISIBLE, rcNone, this, kSaveId);
  StyleLabel(m_linkSave, FALSE);
  m_linkSave.SetFontUnderline(TRUE).SetTextColor(kSaveColor).SetLink(TRUE, TRUE).SetLinkCursor(hCursor);
  m_linkMainMenu.MoveWindow(1, 0, 69, 18);
  // As wide as the page's content, so that every operation's title keeps to one line above the
  // first row (a second line would run into it).
  m_labelTitle.MoveWindow(0, 20, kContentWidth, 30);
}

void CPropPageParam::HideParamControls() {
  for (int i = 0; i < kSliderCount; ++i) {
    m_sliderTitles[i].ShowWindow(SW_HIDE);
    m_sliders[i].ShowWindow(SW_HIDE);
    m_sliderValues[i].ShowWindow(SW_HIDE);
  }
  for (int i = 0; i < kColorCount; ++i) {
    m_colorLabels[i].ShowWindow(SW_HIDE);
    m_colorButtons[i].ShowWindow(SW_HIDE);
  }
  m_btnShadow.ShowWindow(SW_HIDE);
  for (CExtCheckBox& check : m_checks)
    check.ShowWindow(SW_HIDE);
}

LRESULT CPropPageParam::OnSelectEffect(WPARAM wParam, LPARAM) {
  m_nTaskId = (int)wParam;
  if (IsParamTask(m_nTaskId) && GetSafeHwnd() != NULL)
    SelectEffect();
  return 0;
}

void CPropPageParam::SelectEffect() {
  const EffectDef* pDef = FindEffect(m_nTaskId);
  HideParamControls();
  (this->*(pDef->loader))(pDef->name, pDef->taskId);
  ApplyCurrentEffect();
  PlaceLinks();
  Invalidate(TRUE);
}

void CPropPageParam::PlaceLinks() {
  m_linkOk.MoveWindow(1, m_nPos + 10, 50, 18);
  m_linkCancel.MoveWindow(55, m_nPos + 10, 50, 18);
  m_linkSave.MoveWindow(20, m_nPos + 40, 150, 18);
  GrowToHoldLinks();
}

// The sheet makes every page as tall as its tallest template; the operations with the most rows
// put their last link below that. The page grows downwards to hold it, and keeps its size when a
// shorter operation follows.
void CPropPageParam::GrowToHoldLinks() {
  const int kBottomGap = 4;
  CRect rcSave, rcClient, rcPage;
  m_linkSave.GetWindowRect(&rcSave);
  ScreenToClient(&rcSave);
  GetClientRect(&rcClient);
  const int nMissing = rcSave.bottom + kBottomGap - rcClient.bottom;
  if (nMissing <= 0)
    return;
  GetWindowRect(&rcPage);
  SetWindowPos(NULL, 0, 0, rcPage.Width(), rcPage.Height() + nMissing,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CPropPageParam::AddSliderRow(int nIndex, int y, LPCSTR lpszLabel, int nMin, int nMax, int nValue) {
  m_sliderTitles[nIndex].SetText(lpszLabel);
  m_sliderTitles[nIndex].MoveWindow(0, y, 100, 20);
  CExtSliderWnd& slider = m_sliders[nIndex];
  slider.MoveWindow(0, y + 20, 120, 25);
  slider.SetRange(nMin, nMax, TRUE);
  slider.SetPos(nValue);
  m_sliderValues[nIndex].SetText(Decimal(slider.GetPos()));
  m_sliderValues[nIndex].MoveWindow(125, y + 24, 35, 20);
  m_sliderTitles[nIndex].ShowWindow(SW_SHOW);
  slider.ShowWindow(SW_SHOW);
  m_sliderValues[nIndex].ShowWindow(SW_SHOW);
  return 45 + 10;
}

int CPropPageParam::AddColorRow(int nIndex, int y, LPCSTR lpszLabel, COLORREF clr) {
  m_colorLabels[nIndex].SetText(lpszLabel);
  m_colorLabels[nIndex].MoveWindow(0, y, 100, 15);
  m_colors[nIndex] = clr;
  m_colorButtons[nIndex].m_clrSelected = clr;
  m_colorButtons[nIndex].MoveWindow(20, y + 17, 35, 20);
  m_colorButtons[nIndex].Invalidate(FALSE);
  m_colorLabels[nIndex].ShowWindow(SW_SHOW);
  m_colorButtons[nIndex].ShowWindow(SW_SHOW);
  return 15 + 10 + 10;
}

int CPropPageParam::AddCheckRow(int nIndex, int y, LPCSTR lpszLabel, BOOL bTicked) {
  CExtCheckBox& check = m_checks[nIndex];
  check.SetWindowText(lpszLabel);
  check.SetCheck(BST_UNCHECKED);
  check.SetCheck(bTicked ? BST_CHECKED : BST_UNCHECKED);
  check.MoveWindow(20, y, 150, 20);
  check.ShowWindow(SW_SHOW);
  return 15 + 10 - 5;
}

int CPropPageParam::AddCheckRowWithButton(int nIndex, int y, LPCSTR lpszLabel, BOOL bTicked) {
  const int nAdvance = AddCheckRow(nIndex, y, lpszLabel, bTicked);
  m_checks[nIndex].MoveWindow(20, y, 90, 20);
  m_btnShadow.MoveWindow(110, y + 2, 20, 15);
  m_btnShadow.ShowWindow(SW_SHOW);
  return nAdvance;
}

void CPropPageParam::ApplyCurrentEffect() {
  m_params.taskId = m_nTaskId;
  for (int i = 0; i < kSliderCount; ++i)
    m_params.value[i] = m_sliders[i].GetPos();
  for (int i = 0; i < kCheckCount; ++i)
    m_params.flag[i] = m_checks[i].GetCheck() == BST_CHECKED ? 1 : 0;
  for (int i = 0; i < kColorCount; ++i)
    m_params.color[i] = m_colors[i];
  if (CView* pView = GetTaskView())
    pView->SendMessage(UM_APPLY_EFFECT, (WPARAM)m_params.taskId, (LPARAM)&m_params);
  ShowSaveLink(FALSE);
}

void CPropPageParam::ShowSaveLink(BOOL bSaved) {
  if (m_linkSave.GetSafeHwnd() == NULL)
    return;
  m_linkSave.EnableWindow(!bSaved);
  m_linkSave.SetTextColor(bSaved ? kSavedColor : kSaveColor);
  m_linkSave.SetText(bSaved ? kSavedText : kSaveText);
}

void CPropPageParam::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) {
  const int nIndex = pScrollBar != NULL ? pScrollBar->GetDlgCtrlID() - kFirstSliderId : -1;
  if (nIndex < 0 || nIndex >= kSliderCount)
    return;
  // The track bar has moved its thumb before it tells us, and its own position is what the user
  // sees; the 16-bit position in the notification would lose the sign of negative ranges.
  CExtSliderWnd& slider = m_sliders[nIndex];
  const int nPos = std::min(std::max(slider.GetPos(), slider.GetRangeMin()), slider.GetRangeMax());
  if (nPos != slider.GetPos())
    slider.SetPos(nPos);
  m_sliderValues[nIndex].SetText(Decimal(nPos));
  // The track bar may end one drag twice (at the button's release and again when it loses the
  // capture); the preview is run once.
  const bool bEnd = nSBCode == SB_ENDSCROLL;
  const bool bRepeatedEnd = bEnd && m_nEndedSlider == nIndex;
  m_nEndedSlider = bEnd ? nIndex : -1;
  if (bEnd && !bRepeatedEnd)
    ApplyCurrentEffect();
}

void CPropPageParam::OnCheckClicked(UINT) { ApplyCurrentEffect(); }

LRESULT CPropPageParam::OnColorChanged(WPARAM wParam, LPARAM lParam) {
  const int nIndex = (int)lParam;
  if (nIndex < 0 || nIndex >= kColorCount)
    return 0;
  // The default-colour choice keeps the colour the row had.
  if ((COLORREF)wParam != 0xFFFFFFFF)
    m_colors[nIndex] = (COLORREF)wParam;
  m_colorButtons[nIndex].m_clrSelected = m_colors[nIndex];
  m_colorButtons[nIndex].Invalidate(FALSE);
  ApplyCurrentEffect();
  return 0;
}

void CPropPageParam::OnShadowSettings() {
  CShadowDlg dlg;
  dlg.m_style.shadowColor = m_params.shadowColor;
  dlg.m_style.shadowOpacity = m_params.shadowOpacity;
  dlg.m_style.shadowDepthX = m_params.shadowDepthX;
  dlg.m_style.shadowDepthY = m_params.shadowDepthY;
  dlg.m_style.shadowEdge = m_params.shadowEdge;
  dlg.m_bLimited = 1;
  if (dlg.DoModal() != IDOK)
    return;
  m_params.shadowColor = dlg.m_style.shadowColor;
  m_params.shadowOpacity = dlg.m_style.shadowOpacity;
  m_params.shadowDepthX = dlg.m_style.shadowDepthX;
  m_params.shadowDepthY = dlg.m_style.shadowDepthY;
  m_params.shadowEdge = dlg.m_style.shadowEdge;
  ApplyCurrentEffect();
}

BOOL CPropPageParam::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  if (pHdr != NULL && pHdr->code == LLN_CLICKED) {
    switch ((int)wParam) {
    case kMainMenuId:
    case kOkId:
      ShowTaskMainPage();
      if (CView* pView = GetTaskView())
        pView->SendMessage(UM_TASK_EDIT, 0, 1);
      break;
    case kCancelId:
      m_nTaskId = kCancelId;
      ApplyCurrentEffect();
      ShowTaskMainPage();
      break;
    case kSaveId:
      SaveSettings();
      break;
    }
  }
  return CPropertyPage::OnNotify(wParam, lParam, pResult);
}

void CPropPageParam::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rc;
  GetClientRect(&rc);
  CExtMemoryDC dc(&dcPaint, &rc);
  dc.FillSolidRect(&rc, PageColor());
  if (m_nSeparatorY > 0) {
    CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
    CPen* pOld = dc.SelectObject(&pen);
    dc.MoveTo(0, m_nSeparatorY);
    dc.LineTo(kContentWidth, m_nSeparatorY);
    dc.SelectObject(pOld);
  }
}
