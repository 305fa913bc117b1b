#include "editor/Element.h"
#include "editor/TextElement.h"
#include "resources/resource.h"
#include "tests/unit/editor/editor_harness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pixels = std::vector<DWORD>;

const DWORD kWhite = 0xFFFFFF;

// Counts the pixels whose colour is not white.
int Inked(const Pixels& px) {
  int n = 0;
  for (DWORD p : px)
    n += (p & 0xFFFFFF) != kWhite;
  return n;
}

// A CCmdUI that remembers whether it was enabled.
struct CEnableProbe : CCmdUI {
  BOOL m_bEnabled = FALSE;
  void Enable(BOOL bOn) override { m_bEnabled = bOn; }
};

class ViewMouseTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_editorState.m_nCurrentTool = ID_TOOL_POINTER;
    g_nTaskEditState = 0;
    View()->GetParentFrame()->MoveWindow(0, 0, 620, 440);
    PumpPending();
  }
  void TearDown() override { g_editorState.m_nCurrentTool = 0; }
  CFramletDoc* Doc() { return m_harness.Doc(); }
  CFramletView* View() { return m_harness.View(); }
  LPARAM At(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }
  // A drag through the points with the button (left or right) and the tool.
  void Drag(int nTool, const std::vector<CPoint>& points, bool bRight = false) {
    g_editorState.m_nCurrentTool = nTool;
    const WPARAM held = bRight ? MK_RBUTTON : MK_LBUTTON;
    View()->SendMessage(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, held, At(points.front()));
    for (size_t i = 1; i < points.size(); i++)
      View()->SendMessage(WM_MOUSEMOVE, held, At(points[i]));
    View()->SendMessage(bRight ? WM_RBUTTONUP : WM_LBUTTONUP, 0, At(points.back()));
    PumpPending();
  }
  BOOL UndoEnabled() {
    CEnableProbe probe;
    View()->OnUpdateEditUndo(&probe);
    return probe.m_bEnabled;
  }
  BOOL RedoEnabled() {
    CEnableProbe probe;
    View()->OnUpdateEditRedo(&probe);
    return probe.m_bEnabled;
  }
  CEditorHarness m_harness;
};

// Every element tool draws its stroke and records one step that Undo takes back exactly.
TEST_F(ViewMouseTest, ElementToolsDrawTheirStrokeAsOneStep) {
  const int tools[] = {ID_TOOL_PAINT_BRUSH,     ID_TOOL_BRUSH_DASHED, ID_TOOL_LINE,
                       ID_TOOL_ARROW_DOUBLE,    ID_TOOL_RECT_FRAMED,  ID_TOOL_ELLIPSE_FILLED,
                       ID_TOOL_FREESHAPE_HOLLOW};
  const Pixels white = PicturePixels(Doc());
  for (int nTool : tools) {
    Drag(nTool, {{60, 60}, {120, 90}, {200, 150}, {260, 120}});
    EXPECT_GT(Inked(PicturePixels(Doc())), 100) << "tool " << nTool;
    EXPECT_EQ(1, Doc()->m_nUndoPos) << "tool " << nTool;
    EXPECT_EQ(1, Doc()->m_nUndoLast) << "tool " << nTool;
    EXPECT_TRUE(UndoEnabled());
    View()->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
    EXPECT_TRUE(white == PicturePixels(Doc())) << "tool " << nTool;
    EXPECT_TRUE(RedoEnabled());
    EXPECT_TRUE(View()->m_pElement->IsKindOf(RUNTIME_CLASS(CElement)) &&
                View()->m_pElement->GetRuntimeClass() == RUNTIME_CLASS(CElement))
        << "a plain element between drags";
  }
}

TEST_F(ViewMouseTest, AClickDrawsOnlyWithTheBrush) {
  for (int nTool : {ID_TOOL_LINE, ID_TOOL_ARROW, ID_TOOL_RECT_FRAMED, ID_TOOL_ELLIPSE_HOLLOW}) {
    Drag(nTool, {{100, 100}});
    EXPECT_EQ(0, Inked(PicturePixels(Doc()))) << "tool " << nTool;
    EXPECT_EQ(0, Doc()->m_nUndoLast) << "tool " << nTool;
  }
  Drag(ID_TOOL_PAINT_BRUSH, {{100, 100}});
  EXPECT_GT(Inked(PicturePixels(Doc())), 0) << "a dot of two points";
  EXPECT_EQ(1, Doc()->m_nUndoLast);
}

// The right button draws as the left from press to release, and each drag is one step.
TEST_F(ViewMouseTest, TheRightButtonDragsLikeTheLeft) {
  Drag(ID_TOOL_PAINT_BRUSH, {{50, 50}, {150, 100}}, true);
  EXPECT_GT(Inked(PicturePixels(Doc())), 100);
  EXPECT_EQ(1, Doc()->m_nUndoLast);
  EXPECT_EQ(NULL, ::GetCapture()) << "the capture ends with the release";
}

// The view holds the capture for the drag: a release outside it still ends and records the stroke.
TEST_F(ViewMouseTest, AReleaseOutsideTheViewEndsTheStroke) {
  g_editorState.m_nCurrentTool = ID_TOOL_PAINT_BRUSH;
  CPoint start(60, 60), inside(160, 120);
  View()->ClientToScreen(&start);
  View()->ClientToScreen(&inside);
  CRect rcView;
  View()->GetWindowRect(&rcView);
  const CPoint outside(rcView.right + 40, rcView.bottom + 20);
  auto send = [](CPoint pt, DWORD dwFlags) {
    INPUT in = {INPUT_MOUSE};
    in.mi.dx = (pt.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (pt.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
  };
  View()->GetParentFrame()->SetForegroundWindow();
  send(start, 0);
  send(start, MOUSEEVENTF_LEFTDOWN);
  // Input goes to the window that holds the capture when it is sent: wait for the press first.
  for (DWORD dwStart = ::GetTickCount();
       ::GetCapture() != View()->m_hWnd && ::GetTickCount() - dwStart < 5000;) {
    PumpPending();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
  send(inside, 0);
  send(outside, 0);
  send(outside, MOUSEEVENTF_LEFTUP);
  for (DWORD dwStart = ::GetTickCount(); Doc()->m_nUndoLast == 0 && ::GetTickCount() - dwStart < 5000;) {
    PumpPending();
    ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_EQ(1, Doc()->m_nUndoLast);
  EXPECT_NE(View()->m_hWnd, ::GetCapture());
}

TEST_F(ViewMouseTest, CanvasHandlesResizeThePictureAndStopOnePixelShort) {
  // The bottom-right handle sits just outside the picture's corner (408, 308).
  const CPoint handle(410, 310);
  View()->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, At(handle + CSize(50, 30)));
  View()->PostMessage(WM_LBUTTONUP, 0, At(handle + CSize(50, 30)));
  View()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(handle));
  PumpPending();
  EXPECT_EQ(CSize(450, 330), Doc()->GetImageSize());
  EXPECT_EQ(1, Doc()->m_nUndoLast);
  EXPECT_EQ(CSize(450, 330), BitmapSizeOf(Doc()->m_pImage->GetBitmap())) << "the paint cut the picture";
  EXPECT_EQ("Size:450 x 330", m_harness.Status(STATUS_PANE_SIZE));
  // Inwards past the opposite edges: one pixel stays.
  const CPoint corner(460, 340);
  View()->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, At(CPoint(2, 2)));
  View()->PostMessage(WM_LBUTTONUP, 0, At(CPoint(2, 2)));
  View()->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(corner));
  PumpPending();
  EXPECT_EQ(CSize(1, 1), Doc()->GetImageSize());
  View()->SendMessage(WM_COMMAND, ID_EDIT_UNDO);
  EXPECT_EQ(CSize(450, 330), Doc()->GetImageSize());
}

TEST_F(ViewMouseTest, EachToolShowsItsCursor) {
  struct Row {
    int nTool;
    UINT nResource; // 0: the system cursor below
    LPCSTR lpszSystem;
  } const rows[] = {{ID_TOOL_POINTER, 0, IDC_ARROW},
                    {ID_TOOL_ZOOM_IN, IDC_CURSOR_ZOOM_IN, NULL},
                    {ID_TOOL_ZOOM_OUT, IDC_CURSOR_ZOOM_OUT, NULL},
                    {ID_TOOL_SELECT_REGION, 0, IDC_CROSS},
                    {ID_TOOL_PAINT_BRUSH, 0, IDC_CROSS},
                    {ID_TOOL_SPRAY_LARGE, IDC_CURSOR_SPRAY, NULL},
                    {ID_TOOL_COLOR_PICKER, IDC_CURSOR_PICKER, NULL},
                    {ID_TOOL_FILL, IDC_CURSOR_FILL, NULL},
                    {ID_TOOL_TEXT, 0, IDC_CROSS},
                    {ID_TOOL_STAMP, IDC_CURSOR_STAMP, NULL},
                    {ID_TOOL_CALLOUT, IDC_CURSOR_CALLOUT, NULL},
                    {ID_TOOL_ERASER, IDC_CURSOR_ERASER, NULL},
                    {ID_TOOL_HIGHLIGHTER, IDC_CURSOR_HIGHLIGHTER, NULL},
                    {ID_TOOL_ARROW_SMART, 0, IDC_CROSS},
                    {ID_TOOL_FREESHAPE_FILLED, 0, IDC_CROSS}};
  CPoint pt(200, 150);
  View()->ClientToScreen(&pt);
  ::SetCursorPos(pt.x, pt.y);
  for (const Row& row : rows) {
    g_editorState.m_nCurrentTool = row.nTool;
    View()->SendMessage(WM_SETCURSOR, (WPARAM)View()->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hExpected = row.nResource != 0
                            ? ::LoadCursorA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(row.nResource))
                            : ::LoadCursorA(NULL, row.lpszSystem);
    ASSERT_NE(nullptr, hExpected) << "tool " << row.nTool;
    EXPECT_EQ(hExpected, ::GetCursor()) << "tool " << row.nTool;
  }
}

// A task page owes its step: the next press records it first, and the sheet returns to its main
// page.
TEST_F(ViewMouseTest, APressSettlesTheTaskPagesStep) {
  m_harness.m_pFrame->m_nTaskPage = 3;
  g_nTaskEditState = 1;
  FillPicture(Doc(), CRect(0, 0, 50, 50), RGB(0, 0, 200)); // a preview of the open page
  Drag(ID_TOOL_POINTER, {{300, 200}});
  EXPECT_EQ(2, g_nTaskEditState);
  EXPECT_EQ(1, Doc()->m_nUndoLast);
  EXPECT_EQ(0, m_harness.m_pFrame->m_nTaskPage);
}

// Text waits at 100 %: a zoom draws it in, as a step of its own.
TEST_F(ViewMouseTest, AZoomDrawsThePendingTextInAsAStep) {
  View()->m_pText->m_strText = "Zoom";
  View()->m_pText->m_rect.SetRect(40, 40, 200, 120);
  LOGFONT lf = {};
  lf.lfHeight = 40;
  lstrcpyA(lf.lfFaceName, "Arial");
  View()->m_pText->m_font.DeleteObject();
  View()->m_pText->m_font.CreateFontIndirect(&lf);
  View()->SendMessage(WM_COMMAND, ID_VIEW_ZOOM_IN);
  EXPECT_TRUE(View()->m_pText->m_rect.IsRectEmpty());
  EXPECT_GT(Inked(PicturePixels(Doc())), 0);
  EXPECT_EQ(1, Doc()->m_nUndoLast);
}

TEST_F(ViewMouseTest, OperationCommandsOpenTheirPages) {
  struct Row {
    UINT nID;
    const char* pszCall;
  } const rows[] = {{ID_IMAGE_BRIGHTNESS, "OpenEffectPage 3001"},
                    {ID_IMAGE_BLACK_WHITE, "OpenEffectPage 3006"},
                    {ID_IMAGE_TORN_EDGE, "OpenEffectPage 2002"},
                    {32864, "OpenEffectPage 2009"},
                    {32867, "OpenEffectPage 2014"},
                    {ID_IMAGE_SOLARIZE, "OpenEffectPage 2017"},
                    {ID_IMAGE_ROTATE_ANGLE, "OpenEffectPage 4006"},
                    {ID_IMAGE_RESIZE, "OpenResizePage 4007 Resize Image"},
                    {ID_IMAGE_RESIZE_CANVAS, "OpenResizePage 4008 Resize Canvas"},
                    {ID_IMAGE_CAPTION, "OpenCaptionPage"}};
  for (const Row& row : rows) {
    m_harness.m_pFrame->m_calls.clear();
    View()->SendMessage(WM_COMMAND, row.nID);
    ASSERT_EQ(1u, m_harness.m_pFrame->m_calls.size()) << row.nID;
    EXPECT_EQ(row.pszCall, m_harness.m_pFrame->m_calls[0]);
  }
}

} // namespace
