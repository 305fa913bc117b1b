#include "app/PropPageMain.h"

#include "app/ModelessPropSheet.h"
#include "app/PropPageResize.h"
#include "app/TaskSheet.h"
#include "editor/EditorMessages.h"
#include "resources/resource.h"

IMPLEMENT_DYNCREATE(CPropPageMain, CPropertyPage)

BEGIN_MESSAGE_MAP(CPropPageMain, CPropertyPage)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
struct TaskDef {
  int id;
  const char* text;
};

const TaskDef kColor[] = {{3001, "Brightness && Contrast"},
                          {3003, "Color Balance"},
                          {3004, "Invert Color"},
                          {3005, "Grayscale"},
                          {3006, "Black && White"}};
const TaskDef kEffects[] = {{2001, "Edge Effects"},        {2009, "Border"},
                            {2010, "Perspective"},         {2011, "Shear"},
                            {2012, "Caption, Time Stamp"}, {2013, "More Processing"}};
const TaskDef kGeometry[] = {
    {4001, "Rotate && Flip"}, {4007, "Resize Image"}, {4008, "Resize Canvas"}, {4009, "Trim Image"}};
const TaskDef kEdge[] = {{2002, "Torn Edge"},   {2003, "Saw Edge"},  {2004, "Shark Edge"},
                         {2005, "Wave Edge"},   {2006, "Fade Edge"}, {2007, "Shadow Edge"},
                         {2008, "Beveled Edge"}};
const TaskDef kMore[] = {{2014, "Blur"}, {2015, "Emboss"}, {2016, "Sharpen"}, {2017, "Solarize"}};
const TaskDef kRotate[] = {{4002, "Flip Horizontal"},
                           {4003, "Flip Vertical"},
                           {4004, "Rotate Right"},
                           {4005, "Rotate Left"},
                           {4006, "Rotate Custom Angle"}};

const char* const kHeaderTexts[] = {"Effects",      "Color",           "Geometry",
                                    "Edge Effects", "More Processing", "Rotate && Flip"};
// Tops of the headers: the three of the main menu, then the sub-groups', which share one place.
const int kHeaderTops[] = {20, 180, 320, 20, 20, 20};

const int kLeft = 1, kRight = 170, kHeight = 18, kPitch = 20;
const int kFrameRight = 171;
const COLORREF kPageColor = 0xF7D6BF;

template <int N> void Fill(CString (&ids)[N], CString (&texts)[N], const TaskDef (&defs)[N]) {
  for (int i = 0; i < N; ++i) {
    ids[i].Format("%d", defs[i].id);
    texts[i] = defs[i].text;
  }
}

bool IsEffectTask(int nId) {
  return (nId >= 2002 && nId <= 2011) || (nId >= 2014 && nId <= 2017) || nId == 3001 ||
         (nId >= 3003 && nId <= 3006) || nId == 4006;
}
} // namespace

CPropPageMain::CPropPageMain() : CPropertyPage(IDD_PAGE_MAIN) {
  SetRect(&m_rcFrame, 0, 20, kFrameRight, 420);
}

BOOL CPropPageMain::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  FillGroups();
  SetRect(&m_rcFrame, 0, 20, kFrameRight, 420);
  SetupGroups();
  HideAllGroups();
  ShowMainMenu();
  return TRUE;
}

// Made active again (back from another page, by the view or at a new capture), the page shows its
// menu at once: a page of only its "Main Menu" link looks empty, as if it had failed to paint.
BOOL CPropPageMain::OnSetActive() {
  if (m_linkMainMenu.GetSafeHwnd() != NULL) {
    HideAllGroups();
    ShowMainMenu();
  }
  return CPropertyPage::OnSetActive();
}

void CPropPageMain::FillGroups() {
  Fill(m_color.ids, m_color.texts, kColor);
  Fill(m_effects.ids, m_effects.texts, kEffects);
  Fill(m_geometry.ids, m_geometry.texts, kGeometry);
  Fill(m_edge.ids, m_edge.texts, kEdge);
  Fill(m_more.ids, m_more.texts, kMore);
  Fill(m_rotate.ids, m_rotate.texts, kRotate);
}

void CPropPageMain::SetupGroups() {
  const RECT rcMenu = {1, 0, 70, 18};
  CreateMenuLink(&m_linkMainMenu, "Main Menu", kMainMenuId, rcMenu);
  for (int i = 0; i < kHeaderCount; ++i) {
    const RECT rc = {kLeft, kHeaderTops[i], kRight, kHeaderTops[i] + kHeight};
    CreateGroupHeader(&m_headers[i], kHeaderTexts[i], (UINT)-1, rc);
  }
  auto create = [this](auto& group, int nFirstTop) {
    const int n = (int)(sizeof(group.ids) / sizeof(group.ids[0]));
    for (int i = 0; i < n; ++i) {
      const int nTop = nFirstTop + i * kPitch;
      const RECT rc = {kLeft, nTop, kRight, nTop + kHeight};
      CreateTaskLink(&group.links[i], group.texts[i], (UINT)atoi(group.ids[i]), rc);
    }
  };
  create(m_effects, 40);
  create(m_color, 200);
  create(m_geometry, 340);
  create(m_edge, 40);
  create(m_more, 40);
  create(m_rotate, 40);
}

void CPropPageMain::CreateTaskLink(CLinkLabel* pLabel, const CString& strText, UINT nId, const RECT& rc) {
  pLabel->Create("   " + strText, WS_CHILD | WS_VISIBLE, rc, this, nId);
  pLabel->SetFontName("Arial", ANSI_CHARSET)
      .SetFontSize(9)
      .SetTextColor(0xFF0000)
      .SetBkColor(0xF8E4D8)
      .SetFontBold(FALSE)
      .SetLink(TRUE, TRUE)
      .SetLinkCursor(AfxGetApp()->LoadCursor(IDC_TASK_LINK_CURSOR));
}

void CPropPageMain::CreateGroupHeader(CLinkLabel* pLabel, const CString& strText, UINT nId, const RECT& rc) {
  pLabel->Create(" " + strText, WS_CHILD | WS_VISIBLE, rc, this, nId);
  pLabel->SetFontName("Arial", ANSI_CHARSET)
      .SetFontSize(9)
      .SetTextColor(0xFFFFFF)
      .SetBkColor(0xC65E12)
      .SetFontBold(TRUE);
}

void CPropPageMain::CreateMenuLink(CLinkLabel* pLabel, const CString& strText, UINT nId, const RECT& rc) {
  pLabel->Create(" " + strText, WS_CHILD | WS_VISIBLE, rc, this, nId);
  pLabel->SetFontName("Arial", ANSI_CHARSET)
      .SetFontSize(9)
      .SetTextColor(0x80FFFF)
      .SetBkColor(0x000000)
      .SetFontBold(TRUE)
      .SetLink(TRUE, TRUE)
      .SetLinkCursor(AfxGetApp()->LoadCursor(IDC_TASK_LINK_CURSOR));
}

template <int N> void CPropPageMain::ShowGroup(Group<N>& group, BOOL bShow) {
  for (CLinkLabel& link : group.links)
    if (link.GetSafeHwnd() != NULL)
      link.ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CPropPageMain::SetFrame(int nBottom) {
  SetRect(&m_rcFrame, 0, 20, kFrameRight, nBottom);
  if (GetSafeHwnd() != NULL)
    Invalidate(TRUE);
}

void CPropPageMain::HideAllGroups() {
  for (CLinkLabel& header : m_headers)
    if (header.GetSafeHwnd() != NULL)
      header.ShowWindow(SW_HIDE);
  ShowGroup(m_color, FALSE);
  ShowGroup(m_effects, FALSE);
  ShowGroup(m_geometry, FALSE);
  ShowGroup(m_edge, FALSE);
  ShowGroup(m_more, FALSE);
  ShowGroup(m_rotate, FALSE);
}

void CPropPageMain::ShowMainMenu() {
  for (int i : {kHeaderEffects, kHeaderColor, kHeaderGeometry})
    m_headers[i].ShowWindow(SW_SHOW);
  ShowGroup(m_effects, TRUE);
  ShowGroup(m_color, TRUE);
  ShowGroup(m_geometry, TRUE);
  SetFrame(420);
}

template <int N> void CPropPageMain::ShowSubGroup(int nHeader, Group<N>& group, int nFrameBottom) {
  m_headers[nHeader].ShowWindow(SW_SHOW);
  ShowGroup(group, TRUE);
  SetFrame(nFrameBottom);
}

void CPropPageMain::ShowEdgeEffects() { ShowSubGroup(kHeaderEdge, m_edge, 180); }

void CPropPageMain::ShowMoreProcessing() { ShowSubGroup(kHeaderMore, m_more, 120); }

void CPropPageMain::ShowRotateFlip() { ShowSubGroup(kHeaderRotate, m_rotate, 140); }

BOOL CPropPageMain::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  // Only a link's click is a command; the sheet's own notifications (activation among them) are
  // the base's.
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  CWnd* pParent = GetParent();
  if (pHdr != NULL && pHdr->code == LLN_CLICKED && pParent != NULL &&
      pParent->IsKindOf(RUNTIME_CLASS(CModelessPropSheet))) {
    UpdateData(TRUE);
    ::Sleep(10);
    HideAllGroups();
    Dispatch((int)wParam);
  }
  return CPropertyPage::OnNotify(wParam, lParam, pResult);
}

void CPropPageMain::Dispatch(int nId) {
  if (nId == 2001) {
    ShowEdgeEffects();
  } else if (nId == 2013) {
    ShowMoreProcessing();
  } else if (nId == 4001) {
    ShowRotateFlip();
  } else if (IsEffectTask(nId)) {
    OpenEffectPage(nId);
  } else if (nId == TASK_CAPTION) {
    OpenCaptionPage();
  } else if (nId >= TASK_FLIP_HORIZONTAL && nId <= TASK_ROTATE_LEFT) {
    SendTaskToView(nId);
    ShowRotateFlip();
  } else if (nId == TASK_RESIZE_IMAGE || nId == TASK_RESIZE_CANVAS) {
    OpenResizePage(nId);
    CModelessPropSheet* pSheet = static_cast<CModelessPropSheet*>(GetParent());
    CPropertyPage* pPage = pSheet->GetPage(TASK_PAGE_RESIZE);
    if (pPage != NULL && pPage->IsKindOf(RUNTIME_CLASS(CPropPageResize))) {
      CPropPageResize* pResize = static_cast<CPropPageResize*>(pPage);
      const BOOL bImage = nId == TASK_RESIZE_IMAGE;
      pResize->SetTitle(bImage ? "Resize Image" : "Resize Canvas");
      pResize->ShowResizeOptions(bImage);
      pResize->SetTaskId(nId);
    }
  } else if (nId == TASK_TRIM) {
    SendTaskToView(nId);
    ShowMainMenu();
  } else {
    ShowMainMenu();
  }
}

void CPropPageMain::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CBrush brush(kPageColor);
  dc.FillRect(&rc, &brush);
  CPen pen(PS_SOLID, 1, RGB(255, 255, 255));
  CPen* pOldPen = dc.SelectObject(&pen);
  CGdiObject* pOldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
  dc.Rectangle(&m_rcFrame);
  dc.SelectObject(pOldPen);
  dc.SelectObject(pOldBrush);
}
