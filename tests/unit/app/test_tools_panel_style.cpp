// The tools panel on a real frame, through real clicks and keys: what each tool shows, where a
// style edit goes, and the shadow and stamp dialogs the panel opens.
#include <gtest/gtest.h>

#include "app/ChildFrame.h"
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "app/ToolsPanelDlg.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "editor/StampCalloutDlg.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/frame_support.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <atomic>
#include <commctrl.h>
#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The eight records as the program starts.
const DrawStyle kStartStyles[STYLE_GROUP_COUNT] = {
    {0x000000, 0xFFFFFF, 255, 4, 1, 1, 0x666666, 80, 5, 5, 2},
    {0x0000FF, 0xC07B7B, 164, 3, 1, 1, 0x666666, 100, 5, 5, 2},
    {0x0000FF, 0xFFFFFF, 255, 3, 1, 1, 0x666666, 80, 4, 4, 2},
    {0x0000FF, 0xFFFFFF, 255, 4, 1, 1, 0x666666, 80, 5, 5, 2},
    {0x000000, 0xFFFFFF, 255, 4, 1, 1, 0x666666, 80, 5, 5, 2},
    {0xFF0000, 0xFFFFFF, 255, 3, 1, 1, 0x666666, 80, 4, 4, 2},
    {0x0000FF, 0xFFFFFF, 255, 10, 1, 1, 0x666666, 80, 5, 5, 2},
    {0x00FFFF, 0x000000, 255, 4, 1, 1, 0x666666, 80, 5, 5, 2},
};

bool Same(const DrawStyle& a, const DrawStyle& b) { return std::memcmp(&a, &b, sizeof(a)) == 0; }

BOOL CALLBACK FindColorPopup(HWND hWnd, LPARAM lParam) {
  auto* ppPopup = reinterpret_cast<CExtPopupColorMenuWnd**>(lParam);
  if (::IsWindowVisible(hWnd))
    *ppPopup = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, CWnd::FromHandlePermanent(hWnd));
  return *ppPopup == NULL;
}

// The shown top-level window holding the control; NULL when there is none.
BOOL CALLBACK FindDialogWith(HWND hWnd, LPARAM lParam) {
  auto* pSearch = reinterpret_cast<std::pair<int, HWND>*>(lParam);
  if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, pSearch->first) != NULL)
    pSearch->second = hWnd;
  return pSearch->second == NULL;
}
HWND ShownDialogWith(int nControlId) {
  std::pair<int, HWND> search(nControlId, NULL);
  ::EnumWindows(&FindDialogWith, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// From another thread: waits up to five seconds for the condition.
void Await(const std::function<bool()>& pred) {
  for (int i = 0; i < 500 && !pred(); ++i)
    ::Sleep(10);
}
HWND AwaitDialogWith(int nControlId) {
  HWND hDlg = NULL;
  Await([&] { return (hDlg = ShownDialogWith(nControlId)) != NULL; });
  return hDlg;
}
// From another thread: a real click on a dialog's control, at the height fy of it.
void ClickControl(HWND hDlg, int nId, double fy = 0.5) {
  CRect rc;
  ::GetWindowRect(::GetDlgItem(hDlg, nId), &rc);
  real_input::ClickAt(CPoint(rc.CenterPoint().x, rc.top + (int)(rc.Height() * fy)), hDlg);
}

// From another thread: picks the stamp picker's first picture, then the button.
void PickFirstPicture(int nButton, CRect& rcPicker) {
  HWND hDlg = AwaitDialogWith(CStampCalloutDlg::kListId);
  ::GetWindowRect(hDlg, &rcPicker);
  HWND hList = ::GetDlgItem(hDlg, CStampCalloutDlg::kListId);
  CRect rcItem(LVIR_BOUNDS, 0, 0, 0);
  ::SendMessageA(hList, LVM_GETITEMRECT, 0, (LPARAM)&rcItem);
  ::MapWindowPoints(hList, NULL, reinterpret_cast<POINT*>(&rcItem), 2);
  real_input::ClickAt(rcItem.CenterPoint(), hList);
  Await([&] { return ::SendMessageA(hList, LVM_GETSELECTEDCOUNT, 0, 0) != 0; });
  ClickControl(hDlg, nButton);
}

class ToolsPanel : public MainFrameTest {
protected:
  void SetUp() override {
    MainFrameTest::SetUp();
    ASSERT_NE(nullptr, MakeFrame());
    ::SetForegroundWindow(m_pFrame->m_hWnd);
  }
  void TearDown() override {
    // The records outlive the frame; the next test starts from the program's.
    CFramletApp& app = TheFramletApp();
    std::memcpy(app.m_styles, kStartStyles, sizeof(kStartStyles));
    MainFrameTest::TearDown();
  }
  CToolsPanelDlg& Panel() { return m_pFrame->m_dlgTools; }
  HWND Item(int nId) { return ::GetDlgItem(Panel().m_hWnd, nId); }
  DrawStyle* Records() { return TheFramletApp().m_styles; }
  void Click(HWND hWnd, POINT pt) {
    ASSERT_TRUE(::IsWindowVisible(hWnd)) << ::GetDlgCtrlID(hWnd);
    MouseInClient(hWnd, pt, MOUSEEVENTF_LEFTDOWN);
    MouseInClient(hWnd, pt, MOUSEEVENTF_LEFTUP);
    PumpPending();
  }
  void ClickTool(int nToolId) { Click(Item(nToolId), POINT{8, 8}); }
  // A click whose release runs a modal dialog (known by a control of it), which the closer ends
  // from its own thread.
  void ClickIntoModal(HWND hWnd, int nDialogControl, const std::function<void()>& closer) {
    std::atomic<bool> bDone{false}, bForced{false};
    std::thread thread([&] {
      closer();
      // A dialog the closer's clicks never reached is ended here, so the modal loop the test
      // waits in always returns (and the test fails).
      Await([&] { return ShownDialogWith(nDialogControl) == NULL; });
      if (HWND hLeft = ShownDialogWith(nDialogControl)) {
        bForced = true;
        ::PostMessageA(hLeft, WM_COMMAND, IDCANCEL, 0);
      }
      bDone = true;
    });
    MouseInClient(hWnd, POINT{8, 6}, MOUSEEVENTF_LEFTDOWN);
    real_input::Button(MOUSEEVENTF_LEFTUP);
    PumpUntil([&] { return bDone && ShownDialogWith(nDialogControl) == NULL; });
    PumpPending();
    thread.join();
    EXPECT_FALSE(bForced) << "the dialog took none of the closer's clicks";
  }
  int SliderPos() { return (int)::SendMessageA(Item(IDC_TOOLS_OPACITY), TBM_GETPOS, 0, 0); }
  void Key(HWND hTarget, UINT nKey) {
    ::SetFocus(hTarget);
    real_input::Key(nKey);
    PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) == 0; }, 1000);
    PumpPending();
  }
  // The style the controls show.
  DrawStyle Shown() {
    DrawStyle shown = Panel().m_style;
    shown.mainColor = Panel().m_btnMainColor.m_clrSelected;
    shown.backColor = Panel().m_btnBackColor.m_clrSelected;
    shown.opacity = SliderPos();
    shown.width = (int)::GetDlgItemInt(Panel().m_hWnd, IDC_TOOLS_WIDTH, NULL, FALSE);
    shown.antialias = (BOOL)::SendMessageA(Item(IDC_TOOLS_ANTIALIAS), BM_GETCHECK, 0, 0);
    shown.dropShadow = (BOOL)::SendMessageA(Item(IDC_TOOLS_DROP_SHADOW), BM_GETCHECK, 0, 0);
    return shown;
  }
  void PickColour(int nButtonId, int nCell, COLORREF& clrPicked) {
    Click(Item(nButtonId), POINT{17, 10});
    CExtPopupColorMenuWnd* pPopup = NULL;
    ASSERT_TRUE(PumpUntil([&] {
      pPopup = NULL;
      ::EnumThreadWindows(::GetCurrentThreadId(), &FindColorPopup, reinterpret_cast<LPARAM>(&pPopup));
      return pPopup != NULL && CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
    }));
    clrPicked = pPopup->GetColorAt(nCell);
    CPoint pt = pPopup->GetCellRect(nCell).CenterPoint();
    pPopup->ClientToScreen(&pt);
    Panel().ScreenToClient(&pt);
    Click(Panel().m_hWnd, pt);
    PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
  }
};

// Each main tool shows its sub-tool row and its style controls, loads its group's record into
// them and becomes the current tool; only the colour picker leaves the last tool.
TEST_F(ToolsPanel, EachToolShowsItsRowAndStyleControlsWithItsGroupsRecord) {
  struct Tool {
    int id;
    int firstSub, subCount; // the sub-tools shown, in order of position
    bool style;
    int record;
  };
  // The stamp and the callout run their picker: the stamp test has them.
  const Tool kTools[] = {{1000, 0, 0, false, -1}, {1001, 0, 0, false, -1}, {1002, 0, 0, false, -1},
                         {1003, 16, 4, false, 0}, {1004, 32, 4, true, 2},  {1005, 36, 3, false, 3},
                         {1006, 0, 0, false, -1}, {1007, 0, 0, false, 3},  {1008, 0, 0, true, 4},
                         {1010, 39, 4, true, 5},  {1011, 43, 4, true, 5},  {1012, 20, 12, true, 1},
                         {1014, 0, 0, false, 6},  {1015, 0, 0, false, 7}};
  // The style controls in the child order, then the untitled box and "..."; the width's three.
  std::vector<HWND> styleControls;
  for (int p = kFirstStyleControlPosition; p < kFirstStyleControlPosition + 7; ++p)
    styleControls.push_back(Panel().GetChildAt(p)->m_hWnd);
  styleControls.push_back(Item(IDC_TOOLS_STYLE_GROUP));
  styleControls.push_back(Item(IDC_TOOLS_SHADOW_SETTINGS));
  const std::vector<bool> kWidthControl = {false, true, true, false, false, false, true, false, false};
  CFramletApp& app = TheFramletApp();
  DrawStyle expected = Records()[STYLE_SHAPES];
  for (const Tool& tool : kTools) {
    SCOPED_TRACE(tool.id);
    const int nLastBefore = app.m_nLastTool;
    ClickTool(tool.id);
    EXPECT_EQ(tool.id, app.m_nCurrentTool);
    EXPECT_EQ(tool.id == 1006 ? nLastBefore : tool.id, app.m_nLastTool);
    EXPECT_EQ(Item(tool.id), m_pFrame->GetCurrentToolButton());
    EXPECT_NE(Item(tool.id), ::GetFocus());
    for (int p = kFirstSubToolPosition; p < kToolButtonCount; ++p) {
      const int n = p - tool.firstSub;
      const bool bShown = n >= 0 && n < tool.subCount;
      HWND hSub = Item(ToolIdAtPosition(p));
      EXPECT_EQ(bShown, ::IsWindowVisible(hSub) != FALSE) << ToolIdAtPosition(p);
      CRect rc;
      ::GetWindowRect(hSub, &rc);
      Panel().ScreenToClient(&rc);
      if (bShown)
        EXPECT_EQ(CRect(CPoint(11 + 24 * (n % 4), 240 + 24 * (n / 4)), CSize(24, 24)), rc);
    }
    EXPECT_EQ(tool.subCount > 0, ::IsWindowVisible(Item(IDC_TOOLS_GROUP_MORE)) != FALSE);
    for (size_t i = 0; i < styleControls.size(); ++i)
      EXPECT_EQ(tool.style && !(tool.id == 1008 && kWidthControl[i]),
                ::IsWindowVisible(styleControls[i]) != FALSE)
          << "style control " << i;
    if (tool.record >= 0)
      expected = kStartStyles[tool.record];
    EXPECT_TRUE(Same(expected, Panel().m_style));
    EXPECT_TRUE(Same(expected, Shown()));
  }
  // A sub-tool changes the current tool only.
  ClickTool(1012);
  ClickTool(1025);
  EXPECT_EQ(1025, app.m_nCurrentTool);
  EXPECT_EQ(1012, app.m_nLastTool);
  EXPECT_EQ(Item(1025), m_pFrame->GetCurrentToolButton());
  EXPECT_TRUE(Same(kStartStyles[STYLE_SHAPES], Shown()));
}

// An edit of a style control goes to the record of the current tool's group, and only there.
TEST_F(ToolsPanel, AStyleEditGoesToTheCurrentGroupsRecord) {
  enum Action { kTypeAndSpinUp, kSpinDown, kAntialias, kDropShadow, kMainColour, kBackColour };
  struct Edit {
    std::vector<int> tools; // clicked in turn
    Action action;
    int record;
    void (*expect)(DrawStyle&, COLORREF picked);
  };
  const Edit kEdits[] = {
      {{1004, 1034}, kTypeAndSpinUp, STYLE_PAINT_BRUSH, [](DrawStyle& s, COLORREF) { s.width = 20; }},
      {{1011}, kSpinDown, STYLE_LINE_ARROW, [](DrawStyle& s, COLORREF) { s.width = 1; }},
      {{1010, 1040}, kAntialias, STYLE_LINE_ARROW, [](DrawStyle& s, COLORREF) { s.antialias = FALSE; }},
      {{1008}, kDropShadow, STYLE_TEXT, [](DrawStyle& s, COLORREF) { s.dropShadow = FALSE; }},
      {{1004}, kMainColour, STYLE_PAINT_BRUSH, [](DrawStyle& s, COLORREF c) { s.mainColor = c; }},
      {{1012, 1030}, kBackColour, STYLE_SHAPES, [](DrawStyle& s, COLORREF c) { s.backColor = c; }},
  };
  CRect rcSpin;
  ::GetClientRect(Item(IDC_TOOLS_WIDTH_SPIN), &rcSpin);
  for (const Edit& e : kEdits) {
    SCOPED_TRACE(e.action);
    for (int nTool : e.tools)
      ClickTool(nTool);
    DrawStyle before[STYLE_GROUP_COUNT];
    std::memcpy(before, Records(), sizeof(before));
    DrawStyle expected = before[e.record];
    COLORREF clrPicked = 0;
    switch (e.action) {
    case kTypeAndSpinUp: // 19, then three steps up: no further than 20
      ASSERT_TRUE(TypeInto(Item(IDC_TOOLS_WIDTH), "19"));
      PumpPending();
      EXPECT_EQ(before[e.record].width, Records()[e.record].width) << "typing alone changes nothing";
      for (int i = 0; i < 3; ++i)
        Click(Item(IDC_TOOLS_WIDTH_SPIN), POINT{5, 3});
      break;
    case kSpinDown: // four steps down from 3: no further than 1
      for (int i = 0; i < 4; ++i)
        Click(Item(IDC_TOOLS_WIDTH_SPIN), POINT{5, rcSpin.bottom - 3});
      break;
    case kAntialias:
    case kDropShadow:
      Click(Item(e.action == kAntialias ? IDC_TOOLS_ANTIALIAS : IDC_TOOLS_DROP_SHADOW), POINT{6, 8});
      break;
    case kMainColour:
    case kBackColour:
      PickColour(e.action == kMainColour ? IDC_TOOLS_MAIN_COLOR : IDC_TOOLS_BACK_COLOR, 21, clrPicked);
      break;
    }
    e.expect(expected, clrPicked);
    for (int r = 0; r < STYLE_GROUP_COUNT; ++r)
      EXPECT_TRUE(Same(r == e.record ? expected : before[r], Records()[r])) << "record " << r;
    EXPECT_FALSE(Same(before[e.record], expected)) << "the edit changed nothing";
    EXPECT_TRUE(Same(expected, Shown()));
  }
}

// The opacity stored in the current group's record is where the slider's thumb ended, whatever key
// moved it; the group shows it when its tool comes back.
TEST_F(ToolsPanel, TheStoredOpacityIsWhereTheSliderEnded) {
  ClickTool(1012);
  ClickTool(1024);
  const struct {
    UINT key;
    int expected; // -1: wherever the slider went
  } kKeys[] = {{VK_END, 255},  {VK_HOME, 0},  {VK_RIGHT, -1}, {VK_NEXT, -1},
               {VK_PRIOR, -1}, {VK_END, 255}, {VK_HOME, 0}};
  for (const auto& k : kKeys) {
    const int nBefore = SliderPos();
    Key(Item(IDC_TOOLS_OPACITY), k.key);
    ASSERT_TRUE(PumpUntil([&] { return SliderPos() != nBefore; })) << k.key;
    PumpPending();
    if (k.expected >= 0)
      EXPECT_EQ(k.expected, SliderPos()) << k.key;
    EXPECT_EQ(SliderPos(), Records()[STYLE_SHAPES].opacity) << k.key;
    EXPECT_EQ(SliderPos(), Panel().m_style.opacity) << k.key;
  }
  ClickTool(1010);
  ClickTool(1012);
  EXPECT_EQ(0, SliderPos());
}

// "..." edits the working style's shadow: on OK into the current group, or with "Apply these for
// all tools." into every group, shadow fields only; Cancel changes nothing.
TEST_F(ToolsPanel, TheShadowDialogChangesOneGroupOrEveryGroupsShadow) {
  const struct {
    bool applyAll;
    int button;
  } kCases[] = {{false, IDCANCEL}, {false, IDOK}, {true, IDOK}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.applyAll << " " << c.button);
    ClickTool(1011);
    DrawStyle before[STYLE_GROUP_COUNT];
    std::memcpy(before, Records(), sizeof(before));
    const int nDepth = before[STYLE_LINE_ARROW].shadowDepthX + 1;
    std::atomic<bool> bOpenedUnlocked{false};
    ClickIntoModal(Item(IDC_TOOLS_SHADOW_SETTINGS), IDC_SHADOW_DEPTH_X_SPIN, [&] {
      HWND hDlg = AwaitDialogWith(IDC_SHADOW_DEPTH_X_SPIN);
      bOpenedUnlocked = ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_SHADOW_OPACITY)) &&
                        ::IsWindowEnabled(::GetDlgItem(hDlg, IDC_SHADOW_APPLY_ALL));
      ClickControl(hDlg, IDC_SHADOW_DEPTH_X_SPIN, 0.25); // one step deeper
      Await([&] { return (int)::GetDlgItemInt(hDlg, IDC_SHADOW_DEPTH_X, NULL, TRUE) == nDepth; });
      if (c.applyAll)
        ClickControl(hDlg, IDC_SHADOW_APPLY_ALL);
      Await([&] { return ::IsDlgButtonChecked(hDlg, IDC_SHADOW_APPLY_ALL) == (UINT)c.applyAll; });
      ClickControl(hDlg, c.button);
    });
    EXPECT_TRUE(bOpenedUnlocked);
    // The dialog's shadow: the line group's, one step deeper.
    DrawStyle shadow = before[STYLE_LINE_ARROW];
    shadow.shadowDepthX = nDepth;
    for (int r = 0; r < STYLE_GROUP_COUNT; ++r) {
      DrawStyle expected = before[r];
      if (c.button == IDOK && (c.applyAll || r == STYLE_LINE_ARROW)) // the five shadow fields end the record
        std::memcpy(&expected.shadowColor, &shadow.shadowColor,
                    sizeof(DrawStyle) - offsetof(DrawStyle, shadowColor));
      EXPECT_TRUE(Same(expected, Records()[r])) << "record " << r;
    }
    EXPECT_EQ(c.button == IDOK ? nDepth : before[STYLE_LINE_ARROW].shadowDepthX,
              Panel().m_style.shadowDepthX);
  }
}

// A line drawn after the panel's edits has their width and colour. The stamp and the callout
// open their picker under their button on the folder of their kind beside the program; OK makes
// the picked picture the stamp file, Cancel keeps the one before, and the stamp pastes it where
// the view is clicked, the pointer then current.
TEST_F(ToolsPanel, TheNextStrokeAndStampTakeWhatThePanelSet) {
  CFramletApp& app = TheFramletApp();
  static CMultiDocTemplate* s_pTemplate = nullptr;
  if (s_pTemplate == nullptr) {
    s_pTemplate = new CMultiDocTemplate(IDR_IMAGE_TYPE, RUNTIME_CLASS(CFramletDoc),
                                        RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CFramletView));
    app.AddDocTemplate(s_pTemplate);
  }
  auto* pDoc = dynamic_cast<CFramletDoc*>(s_pTemplate->OpenDocumentFile(NULL));
  ASSERT_NE(nullptr, pDoc);
  HWND hView = pDoc->GetFirstView()->m_hWnd;
  PumpPending();
  // A line five pixels wide, solid and without shadow, in a colour of the popup.
  ClickTool(1010);
  Click(Item(IDC_TOOLS_ANTIALIAS), POINT{6, 8});
  Click(Item(IDC_TOOLS_DROP_SHADOW), POINT{6, 8});
  for (int i = 0; i < 2; ++i)
    Click(Item(IDC_TOOLS_WIDTH_SPIN), POINT{5, 3});
  COLORREF clrLine = 0;
  PickColour(IDC_TOOLS_MAIN_COLOR, 21, clrLine);
  MouseInClient(hView, POINT{40, 80}, MOUSEEVENTF_LEFTDOWN);
  MouseInClient(hView, POINT{120, 80});
  MouseInClient(hView, POINT{200, 80}, MOUSEEVENTF_LEFTUP);
  PumpPending();
  const pixel_support::Pixels px = pixel_support::ReadClient(hView);
  int nRows = 0;
  for (int y = 0; y < px.cy; ++y)
    nRows += px.At(120, y) == clrLine;
  EXPECT_EQ(5, nRows);

  const struct {
    int tool;
    int button;
    const char* folder; // of the stamp file after
  } kCases[] = {{1013, IDOK, "\\callouts\\"}, {1009, IDCANCEL, "\\callouts\\"}, {1009, IDOK, "\\stamps\\"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.tool << " " << c.button);
    CRect rcPicker, rcButton;
    ::GetWindowRect(Item(c.tool), &rcButton);
    ClickIntoModal(Item(c.tool), CStampCalloutDlg::kListId, [&] { PickFirstPicture(c.button, rcPicker); });
    EXPECT_EQ(CPoint(rcButton.right - 24, rcButton.bottom), rcPicker.TopLeft());
    EXPECT_EQ(c.tool, app.m_nCurrentTool);
    const std::string strFile = (LPCSTR)app.m_strStampFile;
    EXPECT_NE(std::string::npos, strFile.find(c.folder)) << strFile;
    EXPECT_EQ(0, ::GetFileAttributesA(strFile.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << strFile;
  }
  ASSERT_EQ(nullptr, pDoc->m_pSelection);
  Click(hView, POINT{60, 120});
  EXPECT_NE(nullptr, pDoc->m_pSelection);
  EXPECT_EQ(ID_TOOL_POINTER, app.m_nCurrentTool);
  EXPECT_EQ(Item(ID_TOOL_POINTER), m_pFrame->GetCurrentToolButton());
  pDoc->SetModifiedFlag(FALSE);
  pDoc->OnCloseDocument();
  PumpPending();
}

} // namespace
