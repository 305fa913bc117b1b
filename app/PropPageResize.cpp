#include "app/PropPageResize.h"

#include "app/ModelessPropSheet.h"
#include "app/TaskSheet.h"
#include "editor/EditorMessages.h"
#include "editor/FramletView.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

#include <climits>
#include <cstdlib>
#include <utility>

IMPLEMENT_DYNCREATE(CPropPageResize, CPropertyPage)

BEGIN_MESSAGE_MAP(CPropPageResize, CPropertyPage)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_EN_SETFOCUS(IDC_RESIZE_WIDTH, OnWidthFocus)
ON_EN_SETFOCUS(IDC_RESIZE_HEIGHT, OnHeightFocus)
ON_EN_CHANGE(IDC_RESIZE_WIDTH, OnWidthChange)
ON_EN_CHANGE(IDC_RESIZE_HEIGHT, OnHeightChange)
ON_BN_CLICKED(IDC_RESIZE_SMOOTH, OnSmoothScaling)
ON_BN_CLICKED(IDC_RESIZE_KEEP_ASPECT, OnKeepAspect)
END_MESSAGE_MAP()

namespace {
const UINT kMainMenuId = 5001, kOKId = 5002, kCancelId = 5003;
const COLORREF kCanvasColor = 0xFFFFFF;

// Marks the page's own writes to its fields, so that their change notices are not taken as typing.
class CFillScope {
public:
  explicit CFillScope(int& nDepth) : m_nDepth(nDepth) { ++m_nDepth; }
  ~CFillScope() { --m_nDepth; }
  CFillScope(const CFillScope&) = delete;
  CFillScope& operator=(const CFillScope&) = delete;

private:
  int& m_nDepth;
};

int Clamp(int nValue, int nMin, int nMax) { return nValue < nMin ? nMin : nValue > nMax ? nMax : nValue; }

// Width over height in single precision, as the aspect arithmetic has always rounded; 1 for a size
// not known yet.
float AspectRatio(int nWidth, int nHeight) { return nHeight > 0 ? (float)nWidth / (float)nHeight : 1.0f; }
} // namespace

CPropPageResize::CPropPageResize()
    : CPropertyPage(IDD_PAGE_RESIZE), m_bImageMode(TRUE), m_nOriginalWidth(0), m_nOriginalHeight(0),
      m_nLastInput(INPUT_CHECK), m_nFilling(0), m_bEditOpen(FALSE) {
  m_params.color[0] = kCanvasColor;
}

void CPropPageResize::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_RESIZE_WIDTH_LABEL, m_labelWidth);
  DDX_Control(pDX, IDC_RESIZE_HEIGHT_LABEL, m_labelHeight);
  DDX_Control(pDX, IDC_RESIZE_ORIGINAL, m_textOriginal);
  DDX_Control(pDX, IDC_RESIZE_SMOOTH, m_checkSmooth);
  DDX_Control(pDX, IDC_RESIZE_KEEP_ASPECT, m_checkKeepAspect);
  if (pDX->m_bSaveAndValidate)
    return;
  // The page starts from the image size the view last showed.
  m_nOriginalWidth = g_nImageWidth;
  m_nOriginalHeight = g_nImageHeight;
  m_sizeShown = CSize(m_nOriginalWidth, m_nOriginalHeight);
  ShowNumber(IDC_RESIZE_WIDTH, m_nOriginalWidth);
  ShowNumber(IDC_RESIZE_HEIGHT, m_nOriginalHeight);
  CString strOriginal;
  strOriginal.Format("%d x %d Pixels", m_nOriginalWidth, m_nOriginalHeight);
  m_textOriginal.SetText(strOriginal);
}

BOOL CPropPageResize::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CreateLinks();
  for (CLinkLabel* pLabel : {&m_labelWidth, &m_labelHeight, &m_textOriginal})
    pLabel->SetTransparent(TRUE);
  for (auto [pBox, nId] : {std::pair<CExtGroupBox*, int>{&m_groupNewSize, IDC_RESIZE_NEW_GROUP},
                           {&m_groupOriginal, IDC_RESIZE_ORIGINAL_GROUP}}) {
    pBox->m_nFrameStyle = CExtGroupBox::STYLE_CAPTION;
    if (pBox->SubclassDlgItem(nId, this))
      pBox->Invalidate();
  }
  ShowResizeOptions(m_bImageMode);
  return TRUE;
}

void CPropPageResize::CreateLinks() {
  CreateTaskNavigationLink(m_linkMainMenu, this, " Main Menu ", kMainMenuId, CRect(1, 0, 70, 18));
  CreateTaskNavigationLink(m_linkOK, this, "     OK ", kOKId, CRect(1, 254, 51, 272));
  CreateTaskNavigationLink(m_linkCancel, this, "  Cancel", kCancelId, CRect(55, 254, 105, 272));
  m_linkTitle.Create(m_strTitle, WS_CHILD | WS_VISIBLE, CRect(0, 20, 150, 50), this, (UINT)-1);
  m_linkTitle.SetFontName("Arial", ANSI_CHARSET)
      .SetFontSize(9)
      .SetFontBold(TRUE)
      .SetTextColor(0)
      .SetTransparent(TRUE);
}

void CPropPageResize::SetTitle(const CString& strTitle) {
  m_strTitle = strTitle;
  if (m_linkTitle.GetSafeHwnd() != NULL)
    m_linkTitle.SetText(strTitle);
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

void CPropPageResize::SetTaskId(int nTaskId) {
  m_params.taskId = nTaskId;
  // The opener calls this after the view has kept its original: previews may start now, from the
  // size the picture has now (the page may have been active already, without a fresh exchange).
  m_bEditOpen = IsResizeTask();
  if (m_bEditOpen && GetSafeHwnd() != NULL)
    UpdateData(FALSE);
}

BOOL CPropPageResize::IsResizeTask() const {
  return m_params.taskId == TASK_RESIZE_IMAGE || m_params.taskId == TASK_RESIZE_CANVAS;
}

int CPropPageResize::ReadNumber(int nId) const {
  char sz[32] = "";
  ::GetDlgItemTextA(m_hWnd, nId, sz, sizeof(sz));
  char* pEnd = NULL;
  const long long n = std::strtoll(sz, &pEnd, 10);
  if (pEnd == sz)
    return 0;
  return n > INT_MAX ? INT_MAX : n < INT_MIN ? INT_MIN : (int)n;
}

void CPropPageResize::ShowNumber(int nId, int nValue) {
  CFillScope fill(m_nFilling);
  CString strValue;
  strValue.Format("%d", nValue);
  ::SetDlgItemTextA(m_hWnd, nId, strValue);
}

void CPropPageResize::OnWidthFocus() { m_nLastInput = INPUT_WIDTH; }

void CPropPageResize::OnHeightFocus() { m_nLastInput = INPUT_HEIGHT; }

void CPropPageResize::OnWidthChange() {
  OnSizeTyped(IDC_RESIZE_WIDTH, IDC_RESIZE_HEIGHT, INPUT_HEIGHT, "Please enter width between 1 & 4000.");
}

void CPropPageResize::OnHeightChange() {
  OnSizeTyped(IDC_RESIZE_HEIGHT, IDC_RESIZE_WIDTH, INPUT_WIDTH, "Please enter height between 1 & 4000.");
}

void CPropPageResize::OnSizeTyped(int nTypedId, int nOtherId, int nIgnoredInput, LPCSTR lpszLimitMessage) {
  if (m_nFilling > 0 || !m_bEditOpen)
    return;
  if (m_params.taskId == TASK_RESIZE_CANVAS) {
    ApplyResize();
    return;
  }
  // A change in the field that has the focus is typed, whatever was clicked before.
  if (::GetFocus() == ::GetDlgItem(m_hWnd, nTypedId))
    m_nLastInput = nTypedId == IDC_RESIZE_WIDTH ? INPUT_WIDTH : INPUT_HEIGHT;
  if (m_nLastInput == nIgnoredInput || m_nLastInput == INPUT_CHECK)
    return;
  const bool bWidth = nTypedId == IDC_RESIZE_WIDTH;
  const BOOL bKeep = m_checkKeepAspect.GetCheck() == BST_CHECKED;
  const float fRatio = AspectRatio(m_nOriginalWidth, m_nOriginalHeight);
  const int nTyped = ReadNumber(nTypedId);
  const int nValue = Clamp(nTyped, 1, kMaxImageSide);
  if (nValue != nTyped) {
    ShowNumber(nTypedId, nValue);
    AfxMessageBox(lpszLimitMessage, MB_OK);
  }
  if (bKeep) {
    const float fOther = bWidth ? (float)nValue / fRatio : (float)nValue * fRatio;
    ShowNumber(nOtherId, Clamp((int)fOther, 1, kMaxImageSide));
  }
  ApplyResize();
}

void CPropPageResize::OnSmoothScaling() {
  if (m_params.taskId != TASK_RESIZE_IMAGE)
    return;
  m_nLastInput = INPUT_CHECK;
  ApplyResize();
}

void CPropPageResize::OnKeepAspect() {
  if (m_params.taskId != TASK_RESIZE_IMAGE)
    return;
  m_nLastInput = INPUT_CHECK;
  if (m_checkKeepAspect.GetCheck() == BST_CHECKED) {
    const float fRatio = AspectRatio(m_nOriginalWidth, m_nOriginalHeight);
    ShowNumber(IDC_RESIZE_HEIGHT, (int)((float)ReadNumber(IDC_RESIZE_WIDTH) / fRatio + 0.5f));
  }
  ApplyResize();
}

void CPropPageResize::ApplyResize() {
  // Only an edit the view has opened for this page may be previewed: any other apply would
  // restore a picture kept for something else.
  if (!m_bEditOpen || !IsResizeTask())
    return;
  m_params.value[0] = ReadNumber(IDC_RESIZE_WIDTH);
  m_params.value[1] = ReadNumber(IDC_RESIZE_HEIGHT);
  if (m_params.value[0] == 0 || m_params.value[1] == 0)
    return;
  m_params.color[0] = kCanvasColor;
  m_params.flag[0] = m_checkSmooth.GetCheck() == BST_CHECKED ? 1 : 0;
  m_params.flag[1] = m_checkKeepAspect.GetCheck() == BST_CHECKED ? 1 : 0;
  if (CView* pView = GetTaskView())
    pView->SendMessage(UM_APPLY_EFFECT, (WPARAM)m_params.taskId, (LPARAM)&m_params);
  m_sizeShown = CSize(m_params.value[0], m_params.value[1]);
  g_nImageWidth = m_params.value[0];
  g_nImageHeight = m_params.value[1];
}

void CPropPageResize::EndEdit(int nLinkId) {
  const BOOL bWasOpen = m_bEditOpen;
  m_bEditOpen = FALSE;
  if (nLinkId == kCancelId) {
    if (CView* pView = GetTaskView())
      pView->SendMessage(UM_APPLY_EFFECT, (WPARAM)TASK_CANCEL_EDIT, 0);
    ShowTaskMainPage();
    // The previews told the view's size to the shared globals: the picture is the original again.
    g_nImageWidth = m_nOriginalWidth;
    g_nImageHeight = m_nOriginalHeight;
    return;
  }
  // The picture has the size last previewed (a field left at 0 previewed nothing).
  if (bWasOpen) {
    m_nOriginalWidth = m_sizeShown.cx;
    m_nOriginalHeight = m_sizeShown.cy;
  }
  ShowTaskMainPage();
  g_nImageWidth = m_nOriginalWidth;
  g_nImageHeight = m_nOriginalHeight;
  if (CView* pView = GetTaskView())
    pView->SendMessage(UM_TASK_EDIT, 0, 1);
}

BOOL CPropPageResize::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  if (pHdr != NULL && pHdr->code == LLN_CLICKED &&
      (wParam == kMainMenuId || wParam == kOKId || wParam == kCancelId))
    EndEdit((int)wParam);
  return CPropertyPage::OnNotify(wParam, lParam, pResult);
}

BOOL CPropPageResize::OnKillActive() {
  // Leaving the page (the view ending the edit itself shows the main page) ends its previews.
  m_bEditOpen = FALSE;
  return CPropertyPage::OnKillActive();
}

BOOL CPropPageResize::OnEraseBkgnd(CDC*) { return TRUE; }

void CPropPageResize::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CDC memory;
  CBitmap surface;
  if (!memory.CreateCompatibleDC(&dc) || !surface.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height()))
    return;
  CBitmap* pOld = memory.SelectObject(&surface);
  CBrush brush(CModelessPropSheet::BackgroundColor());
  memory.FillRect(&rc, &brush);
  CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
  CPen* pOldPen = memory.SelectObject(&pen);
  memory.MoveTo(0, 240);
  memory.LineTo(160, 240);
  memory.SelectObject(pOldPen);
  dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(pOld);
}
