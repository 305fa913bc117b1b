#include "app/ToolsPanelDlg.h"

#include "app/FramletApp.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "editor/ShadowDlg.h"
#include "framework/app/fw_app.h"
#include "framework/dlg/fw_dlg.h"
#include "resources/resource.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace {

const char* const kToolTooltips[kToolButtonCount] = {
    "Mouse Pointer",
    "Zoom In",
    "Zoom Out",
    "Select a region",
    "Paint Brush",
    "Air Brush",
    "Color picker",
    "Fill Color",
    "Put text",
    "Place a stamp",
    "Draw a line",
    "Draw an arrow",
    "Shapes",
    "Add a callout",
    "Eraser",
    "Highlighter",
    "Rectangle Selection",
    "Circle Selection",
    "Polygon Selection",
    "Free Selection",
    "Rectangle(Framed, Filled)",
    "Rounded Rectangle(Framed, Filled)",
    "Ellipse(Framed, Filled)",
    "Free Shape(Framed, Filled)",
    "Rectangle(Hollow)",
    "Rounded Rectangle(Hollow)",
    "Ellipse(Hollow)",
    "Free Shape(Hollow)",
    "Rectangle(Filled, No frame)",
    "Rounded Rectangle(Filled, No frame)",
    "Ellipse(Filled, No frame)",
    "Free Shape(Filled, No frame)",
    "Flat End",
    "Round End",
    "Dashed Brush",
    "Dotted Brush",
    "Small Spray",
    "Medium Spray",
    "Large Spray",
    "Solid line",
    "Dotted line",
    "Dashed line",
    "Dash-dot line",
    "Single Smart Arrow",
    "Double Smart Arrow",
    "Single Arrow",
    "Double Arrow",
};

// The picture strips and the first button position each serves.
struct ToolStrip {
  UINT nBitmapId;
  int nFirstPosition;
};
const ToolStrip kToolStrips[] = {{IDB_TOOLS_MAIN, 0},   {IDB_TOOLS_SELECTION, 16}, {IDB_TOOLS_SHAPES, 20},
                                 {IDB_TOOLS_BRUSH, 32}, {IDB_TOOLS_SPRAY, 36},     {IDB_TOOLS_LINES, 39}};

// The sub-tool rows of the main tools (first position, rows of four) and whether the style
// controls show.
struct ToolRows {
  int nToolId;
  int nFirstPosition; // -1: no row
  int nCount;
  bool bStyleControls;
};
const ToolRows kToolRows[] = {
    {ID_TOOL_SELECT_REGION, 16, 4, false}, {ID_TOOL_SHAPES, 20, 12, true},
    {ID_TOOL_LINE, 39, 4, true},           {ID_TOOL_ARROW, 43, 4, true},
    {ID_TOOL_PAINT_BRUSH, 32, 4, true},    {ID_TOOL_AIR_BRUSH, 36, 3, false},
    {ID_TOOL_TEXT, -1, 0, true},           {ID_TOOL_CALLOUT, -1, 0, true},
};

// The width the spin gives.
const int kMinWidth = 1;
const int kMaxWidth = 20;

// Sub-tool cells in pixels.
const int kCellSize = 24;
const int kCellLeft = 11;
const int kCellTop = 240;

// Positions among the children of the controls that the set-up subclasses.
const int kSliderPosition = 47;
const int kWidthEditPosition = 48;
const int kSpinPosition = 49;
const int kFirstCheckPosition = 50;
const int kFirstLabelPosition = 52;
const int kWidthLabelPosition = 53;
const int kSetUpChildCount = 56;
const int kCurrentAtStartPosition = 20;

// Shows or hides a child; one already so is left alone, since each change makes the panel work.
void ShowIfChanged(CWnd& wnd, bool bShow) {
  if (wnd.GetSafeHwnd() != NULL && ((wnd.GetStyle() & WS_VISIBLE) != 0) != bShow)
    wnd.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

} // namespace

const char* GetToolTooltip(int nPosition) {
  if (nPosition < 1 || nPosition > kToolButtonCount)
    return "Click and draw";
  return kToolTooltips[nPosition - 1];
}

int ToolIdAtPosition(int nPosition) {
  if (nPosition < 0 || nPosition >= kToolButtonCount)
    return 0;
  return nPosition <= ID_TOOL_LINE_DASH_DOT - ID_TOOL_POINTER ? ID_TOOL_POINTER + nPosition
                                                              : ID_TOOL_ARROW_SMART + nPosition - 43;
}

int PositionOfTool(int nToolId) {
  if (nToolId >= ID_TOOL_POINTER && nToolId <= ID_TOOL_LINE_DASH_DOT)
    return nToolId - ID_TOOL_POINTER;
  if (nToolId >= ID_TOOL_ARROW_SMART && nToolId <= ID_TOOL_ARROW_DOUBLE)
    return nToolId - ID_TOOL_ARROW_SMART + ID_TOOL_LINE_DASH_DOT - ID_TOOL_POINTER + 1;
  return -1;
}

int StyleGroupOfTool(int nToolId) {
  switch (nToolId) {
  case ID_TOOL_SELECT_REGION:
    return STYLE_SELECTION;
  case ID_TOOL_PAINT_BRUSH:
    return STYLE_PAINT_BRUSH;
  case ID_TOOL_AIR_BRUSH:
  case ID_TOOL_FILL:
    return STYLE_AIR_BRUSH_FILL;
  case ID_TOOL_TEXT:
    return STYLE_TEXT;
  case ID_TOOL_LINE:
  case ID_TOOL_ARROW:
    return STYLE_LINE_ARROW;
  case ID_TOOL_SHAPES:
    return STYLE_SHAPES;
  case ID_TOOL_ERASER:
    return STYLE_ERASER;
  case ID_TOOL_HIGHLIGHTER:
    return STYLE_HIGHLIGHTER;
  default:
    break;
  }
  if (nToolId >= ID_TOOL_RECT_SELECTION && nToolId <= ID_TOOL_FREE_SELECTION)
    return STYLE_SELECTION;
  if (nToolId >= ID_TOOL_RECT_FRAMED && nToolId <= ID_TOOL_FREESHAPE_FILLED)
    return STYLE_SHAPES;
  if (nToolId >= ID_TOOL_BRUSH_FLAT && nToolId <= ID_TOOL_BRUSH_DOTTED)
    return STYLE_PAINT_BRUSH;
  if (nToolId >= ID_TOOL_SPRAY_SMALL && nToolId <= ID_TOOL_SPRAY_LARGE)
    return STYLE_AIR_BRUSH_FILL;
  if ((nToolId >= ID_TOOL_LINE_SOLID && nToolId <= ID_TOOL_LINE_DASH_DOT) ||
      (nToolId >= ID_TOOL_ARROW_SMART && nToolId <= ID_TOOL_ARROW_DOUBLE))
    return STYLE_LINE_ARROW;
  return -1;
}

IMPLEMENT_DYNAMIC(CToolsPanelDlg, CExtResizableDialog)

BEGIN_MESSAGE_MAP(CToolsPanelDlg, CExtResizableDialog)
ON_WM_HSCROLL()
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChanged)
ON_NOTIFY(UDN_DELTAPOS, IDC_TOOLS_WIDTH_SPIN, OnWidthSpin)
ON_BN_CLICKED(IDC_TOOLS_ANTIALIAS, OnAntialias)
ON_BN_CLICKED(IDC_TOOLS_DROP_SHADOW, OnDropShadow)
ON_BN_CLICKED(IDC_TOOLS_SHADOW_SETTINGS, OnShadowSettings)
END_MESSAGE_MAP()

CToolsPanelDlg::CToolsPanelDlg()
    : CExtResizableDialog(IDD_TOOLS_PANEL), m_style{0, 0xFFFFFF, 100, 4, TRUE, TRUE, 0xC0C0C0, 200, 5, 5, 1} {
}

CToolsPanelDlg::~CToolsPanelDlg() {}

BOOL CToolsPanelDlg::CreateInBar(CWnd* pParentBar) {
  if (!CExtResizableDialog::Create(IDD_TOOLS_PANEL, pParentBar))
    return FALSE;
  ShowSizeGrip(FALSE);
  // The template makes a hidden child: the bar shows whatever it hosts, so the panel shows itself.
  ShowWindow(SW_SHOWNOACTIVATE);
  return TRUE;
}

void CToolsPanelDlg::DoDataExchange(CDataExchange* pDX) {
  CExtResizableDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_TOOLS_SHADOW_SETTINGS, m_btnShadowSettings);
  DDX_Control(pDX, IDC_TOOLS_MAIN_COLOR, m_btnMainColor);
  DDX_Control(pDX, IDC_TOOLS_BACK_COLOR, m_btnBackColor);
}

BOOL CToolsPanelDlg::OnInitDialog() {
  CExtResizableDialog::OnInitDialog();
  m_style = DrawStyle{0, 0xFFFFFF, 100, 4, TRUE, TRUE, 0xC0C0C0, 200, 5, 5, 1};
  m_btnMainColor.m_lParamCookie = 1;
  m_btnBackColor.m_lParamCookie = 2;
  SetDlgItemInt(IDC_TOOLS_WIDTH, (UINT)m_style.width, FALSE);
  return TRUE;
}

CWnd* CToolsPanelDlg::GetChildAt(int nPosition) const {
  if (GetSafeHwnd() == NULL || nPosition < 0)
    return NULL;
  HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
  for (int i = 0; i < nPosition && hChild != NULL; ++i)
    hChild = ::GetWindow(hChild, GW_HWNDNEXT);
  return hChild != NULL ? CWnd::FromHandle(hChild) : NULL;
}

CToolButton* CToolsPanelDlg::GetToolButton(int nPosition) const {
  if (nPosition < 0 || nPosition >= (int)m_toolButtons.size())
    return NULL;
  return m_toolButtons[(size_t)nPosition].get();
}

BOOL CToolsPanelDlg::SetUpControls(CToolButtonHost* pHost) {
  for (size_t i = 0; i < std::size(kToolStrips); ++i)
    if (m_images[i].GetSafeHandle() == NULL &&
        !m_images[i].Create(kToolStrips[i].nBitmapId, 16, 0, RGB(0xFF, 0x00, 0xFF)))
      return FALSE;
  HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
  for (int i = 0; i < kSetUpChildCount; ++i, hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if (hChild == NULL)
      return FALSE;
    if (i == kCurrentAtStartPosition && pHost != NULL) {
      pHost->SetCurrentToolButton(hChild);
      ::InvalidateRect(hChild, NULL, TRUE);
    }
    if (i < kToolButtonCount) {
      auto pButton = std::make_unique<CToolButton>();
      if (!pButton->SubclassWindow(hChild))
        return FALSE;
      pButton->SetFlat(true);
      size_t nStrip = std::size(kToolStrips) - 1;
      while (kToolStrips[nStrip].nFirstPosition > i)
        --nStrip;
      pButton->SetIconOnPaint(&m_images[nStrip], i - kToolStrips[nStrip].nFirstPosition);
      pButton->SetTipOnHover(GetToolTooltip(i + 1));
      m_toolButtons.push_back(std::move(pButton));
    } else if (i == kSliderPosition) {
      if (!m_sliderOpacity.SubclassWindow(hChild))
        return FALSE;
      m_sliderOpacity.SetRange(0, 255, FALSE);
      m_sliderOpacity.SetPos(128);
    } else if (i >= kFirstCheckPosition && i < kFirstLabelPosition) {
      CExtCheckBox& check = i == kFirstCheckPosition ? m_checkAntialias : m_checkDropShadow;
      if (!check.SubclassWindow(hChild))
        return FALSE;
    } else if (i >= kFirstLabelPosition) {
      auto pLabel = std::make_unique<CExtLabel>();
      if (!pLabel->SubclassWindow(hChild))
        return FALSE;
      m_labels.push_back(std::move(pLabel));
    }
  }
  struct GroupBox {
    CExtGroupBox& box;
    UINT nId;
    int nFrameStyle;
  };
  for (const GroupBox& group :
       {GroupBox{m_groupTools, IDC_TOOLS_GROUP_TOOLS, CExtGroupBox::STYLE_CAPTION},
        GroupBox{m_groupMoreOptions, IDC_TOOLS_GROUP_MORE, CExtGroupBox::STYLE_CAPTION},
        GroupBox{m_groupColor, IDC_TOOLS_GROUP_COLOR, CExtGroupBox::STYLE_CAPTION},
        GroupBox{m_groupStyle, IDC_TOOLS_STYLE_GROUP, CExtGroupBox::STYLE_FLAT}}) {
    group.box.m_nFrameStyle = group.nFrameStyle;
    if (!group.box.SubclassDlgItem(group.nId, this))
      return FALSE;
  }
  DeliverPostedEnables();
  return TRUE;
}

void CToolsPanelDlg::DeliverPostedEnables() {
  // Each button posts itself a WM_ENABLE when subclassed, to repaint in its state. Left in the
  // queue, they come after the frame shows and repaint every button over its first paint; taken
  // now, while the panel is not on the screen, they cost next to nothing.
  if (IsWindowVisible())
    return;
  std::vector<HWND> buttons = {m_checkAntialias.m_hWnd, m_checkDropShadow.m_hWnd, m_btnMainColor.m_hWnd,
                               m_btnBackColor.m_hWnd, m_btnShadowSettings.m_hWnd};
  for (const auto& pButton : m_toolButtons)
    buttons.push_back(pButton->m_hWnd);
  for (HWND hButton : buttons) {
    MSG msg;
    while (hButton != NULL && AfxTakeMessage(&msg, hButton, WM_ENABLE, WM_ENABLE))
      ::DispatchMessageA(&msg);
  }
}

void CToolsPanelDlg::ShowToolControls(int nToolId) {
  const ToolRows* pRows = NULL;
  for (const ToolRows& rows : kToolRows)
    if (rows.nToolId == nToolId)
      pRows = &rows;
  const bool bRow = pRows != NULL && pRows->nFirstPosition >= 0;
  // The children in their order, found in one walk.
  std::vector<CWnd*> children;
  for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
       hChild != NULL && (int)children.size() <= kWidthLabelPosition;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    children.push_back(CWnd::FromHandle(hChild));
  auto childAt = [&children](int i) { return i < (int)children.size() ? children[(size_t)i] : NULL; };
  for (int i = kFirstSubToolPosition; i < kToolButtonCount; ++i) {
    CWnd* pChild = childAt(i);
    if (pChild == NULL)
      continue;
    const int n = bRow ? i - pRows->nFirstPosition : -1;
    const bool bInRow = n >= 0 && n < pRows->nCount;
    if (bInRow)
      pChild->SetWindowPos(NULL, kCellLeft + (n % 4) * kCellSize, kCellTop + (n / 4) * kCellSize, kCellSize,
                           kCellSize, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowIfChanged(*pChild, bInRow);
  }
  ShowIfChanged(m_groupMoreOptions, bRow);
  const bool bStyle = pRows != NULL && pRows->bStyleControls;
  for (int i = kFirstStyleControlPosition; i <= kWidthLabelPosition; ++i) {
    const bool bWidth = i == kWidthEditPosition || i == kSpinPosition || i == kWidthLabelPosition;
    if (CWnd* pChild = childAt(i))
      ShowIfChanged(*pChild, bStyle && !(bWidth && nToolId == ID_TOOL_TEXT));
  }
  ShowIfChanged(m_groupStyle, bStyle);
  ShowIfChanged(m_btnShadowSettings, bStyle);
}

void CToolsPanelDlg::RefreshStyleControls() {
  m_btnMainColor.m_clrSelected = m_style.mainColor;
  m_btnBackColor.m_clrSelected = m_style.backColor;
  m_btnMainColor.Invalidate();
  m_btnBackColor.Invalidate();
  m_sliderOpacity.SetPos(m_style.opacity);
  SetDlgItemInt(IDC_TOOLS_WIDTH, (UINT)m_style.width, FALSE);
  m_checkAntialias.SetCheck(m_style.antialias ? BST_CHECKED : BST_UNCHECKED);
  m_checkDropShadow.SetCheck(m_style.dropShadow ? BST_CHECKED : BST_UNCHECKED);
}

void CToolsPanelDlg::RepaintToolButtons() {
  for (const auto& pButton : m_toolButtons)
    pButton->Invalidate(FALSE);
}

void CToolsPanelDlg::StoreToolStyle(int nToolId) {
  const int nGroup = StyleGroupOfTool(nToolId);
  if (nGroup < 0)
    return;
  CFramletApp& app = TheFramletApp();
  app.m_styles[nGroup] = m_style;
  if (nGroup != STYLE_TEXT)
    return;
  for (POSITION posTemplate = app.GetFirstDocTemplatePosition(); posTemplate != NULL;) {
    CDocTemplate* pTemplate = app.GetNextDocTemplate(posTemplate);
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != NULL;) {
      auto* pDoc = dynamic_cast<CFramletDoc*>(pTemplate->GetNextDoc(pos));
      if (CFramletView* pView = pDoc != NULL ? pDoc->GetFirstView() : NULL) {
        pView->Invalidate(FALSE);
        pView->UpdateWindow();
      }
    }
  }
}

// The track bar has moved before it reports, and its report holds no position for the key codes
// (and a 16-bit one for the drags): its own position is the one to take.
void CToolsPanelDlg::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  if (pScrollBar == NULL || pScrollBar->m_hWnd != m_sliderOpacity.m_hWnd) {
    CExtResizableDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    return;
  }
  m_style.opacity =
      std::clamp(m_sliderOpacity.GetPos(), m_sliderOpacity.GetRangeMin(), m_sliderOpacity.GetRangeMax());
  StoreToolStyle(TheFramletApp().m_nCurrentTool);
}

LRESULT CToolsPanelDlg::OnColorChanged(WPARAM wParam, LPARAM lParam) {
  COLORREF clr = (COLORREF)wParam;
  if (clr == (COLORREF)-1)
    clr = m_btnMainColor.m_clrDefault;
  if (clr == (COLORREF)-1)
    return 0; // no default to take: the colour stays
  if (lParam == 1)
    m_style.mainColor = clr;
  else if (lParam == 2)
    m_style.backColor = clr;
  else
    return 0;
  StoreToolStyle(TheFramletApp().m_nCurrentTool);
  return 0;
}

void CToolsPanelDlg::OnWidthSpin(NMHDR* pNMHDR, LRESULT* pResult) {
  // The edit's number, not the spin's own position: typing sets where the next step starts from.
  const auto* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
  char szText[16] = "";
  GetDlgItemText(IDC_TOOLS_WIDTH, szText, sizeof(szText));
  m_style.width = std::clamp(StringToInt(szText) - pUpDown->iDelta, kMinWidth, kMaxWidth);
  SetDlgItemInt(IDC_TOOLS_WIDTH, (UINT)m_style.width, FALSE);
  StoreToolStyle(TheFramletApp().m_nCurrentTool);
  *pResult = 0;
}

void CToolsPanelDlg::OnAntialias() {
  m_style.antialias = m_checkAntialias.GetCheck() == BST_CHECKED;
  StoreToolStyle(TheFramletApp().m_nCurrentTool);
}

void CToolsPanelDlg::OnDropShadow() {
  m_style.dropShadow = m_checkDropShadow.GetCheck() == BST_CHECKED;
  StoreToolStyle(TheFramletApp().m_nCurrentTool);
}

void CToolsPanelDlg::OnShadowSettings() {
  CShadowDlg dlg;
  dlg.m_style = m_style;
  if (dlg.DoModal() != IDOK)
    return;
  m_style = dlg.m_style;
  CFramletApp& app = TheFramletApp();
  if (!dlg.m_bApplyAll) {
    StoreToolStyle(app.m_nCurrentTool);
    return;
  }
  for (DrawStyle& style : app.m_styles) {
    style.shadowColor = m_style.shadowColor;
    style.shadowOpacity = m_style.shadowOpacity;
    style.shadowDepthX = m_style.shadowDepthX;
    style.shadowDepthY = m_style.shadowDepthY;
    style.shadowEdge = m_style.shadowEdge;
  }
}
