#include "editor/Element.h"
#include "editor/TextElement.h"
#include "tests/unit/editor/editor_harness.h"

namespace {

using ViewMouseTest = EditorViewTest;

int Inked(CFramletDoc* pDoc) {
  const std::vector<DWORD> px = PictureColours(pDoc);
  return (int)std::count_if(px.begin(), px.end(), [](DWORD p) { return p != 0xFFFFFF; });
}

// Every element tool draws its stroke, with either button, and records one step that Undo takes
// back exactly.
TEST_F(ViewMouseTest, ElementToolsDrawTheirStrokeAsOneStep) {
  const std::pair<int, UINT> rows[] = {
      {ID_TOOL_PAINT_BRUSH, MK_LBUTTON},    {ID_TOOL_PAINT_BRUSH, MK_RBUTTON},
      {ID_TOOL_BRUSH_DASHED, MK_LBUTTON},   {ID_TOOL_LINE, MK_LBUTTON},
      {ID_TOOL_ARROW_DOUBLE, MK_LBUTTON},   {ID_TOOL_RECT_FRAMED, MK_LBUTTON},
      {ID_TOOL_ELLIPSE_FILLED, MK_LBUTTON}, {ID_TOOL_FREESHAPE_HOLLOW, MK_LBUTTON}};
  const std::vector<DWORD> white = PicturePixels(Doc());
  for (auto [nTool, nButton] : rows) {
    Drag(nTool, {{60, 60}, {120, 90}, {200, 150}, {260, 120}}, nButton);
    EXPECT_TRUE(Inked(Doc()) > 100 && Doc()->m_nUndoPos == 1 && Doc()->m_nUndoLast == 1) << "tool " << nTool;
    EXPECT_TRUE(::GetCapture() == NULL && Enabled(&CFramletView::OnUpdateEditUndo) == 1) << nTool;
    Command(ID_EDIT_UNDO);
    EXPECT_TRUE(white == PicturePixels(Doc()) && Enabled(&CFramletView::OnUpdateEditRedo) == 1) << nTool;
    EXPECT_TRUE(View()->m_pElement->GetRuntimeClass() == RUNTIME_CLASS(CElement)) << "plain between drags";
  }
}

TEST_F(ViewMouseTest, AClickDrawsOnlyWithTheBrush) {
  for (int nTool : {ID_TOOL_LINE, ID_TOOL_ARROW, ID_TOOL_RECT_FRAMED, ID_TOOL_ELLIPSE_HOLLOW}) {
    Click(nTool, {100, 100});
    EXPECT_TRUE(Inked(Doc()) == 0 && Doc()->m_nUndoLast == 0) << "tool " << nTool;
  }
  Click(ID_TOOL_PAINT_BRUSH, {100, 100});
  EXPECT_TRUE(Inked(Doc()) > 0 && Doc()->m_nUndoLast == 1) << "a dot of two points";
}

// The view holds the capture for the drag: a release outside it still ends and records the stroke.
TEST_F(ViewMouseTest, AReleaseOutsideTheViewEndsTheStroke) {
  g_editorState.m_nCurrentTool = ID_TOOL_PAINT_BRUSH;
  CPoint start(60, 60), inside(160, 120);
  View()->ClientToScreen(&start), View()->ClientToScreen(&inside);
  CRect rcView;
  View()->GetWindowRect(&rcView);
  View()->GetParentFrame()->SetForegroundWindow();
  SendMouse(start);
  SendMouse(start, MOUSEEVENTF_LEFTDOWN);
  // Input goes to the window that holds the capture when it is sent: wait for the press first.
  PumpUntil([&] { return ::GetCapture() == View()->m_hWnd; });
  SendMouse(inside);
  SendMouse(rcView.BottomRight() + CSize(40, 20));
  SendMouse(rcView.BottomRight() + CSize(40, 20), MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(PumpUntil([&] { return Doc()->m_nUndoLast == 1; }));
  EXPECT_NE(View()->m_hWnd, ::GetCapture());
}

TEST_F(ViewMouseTest, CanvasHandlesResizeThePictureAndStopOnePixelShort) {
  // The bottom-right handle sits just outside the picture's corner (408, 308).
  Drag(ID_TOOL_POINTER, {{410, 310}, {460, 340}});
  EXPECT_TRUE(CSize(450, 330) == Doc()->GetImageSize() && Doc()->m_nUndoLast == 1);
  EXPECT_EQ(CSize(450, 330), BitmapSizeOf(Doc()->m_pImage->GetBitmap())) << "the paint cut the picture";
  EXPECT_EQ("Size:450 x 330", m_harness.Status(STATUS_PANE_SIZE));
  Drag(ID_TOOL_POINTER, {{460, 340}, {2, 2}}); // inwards past the opposite edges: one pixel stays
  EXPECT_EQ(CSize(1, 1), Doc()->GetImageSize());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(CSize(450, 330), Doc()->GetImageSize());
}

// A tool's own cursor from the program's resources, else the system's.
TEST_F(ViewMouseTest, EachToolShowsItsCursor) {
  auto own = [](UINT nID) { return MAKEINTRESOURCEA(nID); };
  // clang-format off
  const std::pair<int, LPCSTR> rows[] = {
      {ID_TOOL_POINTER, IDC_ARROW}, {ID_TOOL_SELECT_REGION, IDC_CROSS}, {ID_TOOL_TEXT, IDC_CROSS},
      {ID_TOOL_ZOOM_IN, own(IDC_CURSOR_ZOOM_IN)}, {ID_TOOL_ZOOM_OUT, own(IDC_CURSOR_ZOOM_OUT)},
      {ID_TOOL_SPRAY_LARGE, own(IDC_CURSOR_SPRAY)}, {ID_TOOL_COLOR_PICKER, own(IDC_CURSOR_PICKER)},
      {ID_TOOL_FILL, own(IDC_CURSOR_FILL)}, {ID_TOOL_STAMP, own(IDC_CURSOR_STAMP)},
      {ID_TOOL_CALLOUT, own(IDC_CURSOR_CALLOUT)}, {ID_TOOL_ERASER, own(IDC_CURSOR_ERASER)},
      {ID_TOOL_HIGHLIGHTER, own(IDC_CURSOR_HIGHLIGHTER)}};
  // clang-format on
  PointerAt(CPoint(200, 150));
  for (auto [nTool, id] : rows) {
    g_editorState.m_nCurrentTool = nTool;
    View()->SendMessage(WM_SETCURSOR, (WPARAM)View()->m_hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    HCURSOR hExpected = ::LoadCursorA(::GetModuleHandleA(NULL), id);
    hExpected = hExpected != NULL ? hExpected : ::LoadCursorA(NULL, id);
    ASSERT_NE(nullptr, hExpected) << "tool " << nTool;
    EXPECT_EQ(hExpected, ::GetCursor()) << "tool " << nTool;
  }
}

// A task page owes its step: the next press records it first, and the sheet returns to its main
// page.
TEST_F(ViewMouseTest, APressSettlesTheTaskPagesStep) {
  m_harness.m_pFrame->m_nTaskPage = 3;
  g_nTaskEditState = 1;
  FillPicture(Doc(), CRect(0, 0, 50, 50), RGB(0, 0, 200)); // a preview of the open page
  Click(ID_TOOL_POINTER, {300, 200});
  EXPECT_TRUE(g_nTaskEditState == 2 && Doc()->m_nUndoLast == 1 && m_harness.m_pFrame->m_nTaskPage == 0);
}

// Text waits at 100 %: a zoom draws it in, as a step of its own.
TEST_F(ViewMouseTest, AZoomDrawsThePendingTextInAsAStep) {
  View()->m_pText->m_strText = "Zoom";
  View()->m_pText->m_rect.SetRect(40, 40, 200, 120);
  LOGFONT lf = {40};
  lstrcpyA(lf.lfFaceName, "Arial");
  View()->m_pText->m_font.DeleteObject();
  View()->m_pText->m_font.CreateFontIndirect(&lf);
  Command(ID_VIEW_ZOOM_IN);
  EXPECT_TRUE(View()->m_pText->m_rect.IsRectEmpty() && Inked(Doc()) > 0 && Doc()->m_nUndoLast == 1);
}

TEST_F(ViewMouseTest, OperationCommandsOpenTheirPages) {
  // clang-format off
  const std::pair<UINT, const char*> rows[] = {
      {ID_IMAGE_BRIGHTNESS, "OpenEffectPage 3001"}, {ID_IMAGE_BLACK_WHITE, "OpenEffectPage 3006"},
      {ID_IMAGE_TORN_EDGE, "OpenEffectPage 2002"}, {32864, "OpenEffectPage 2009"},
      {32867, "OpenEffectPage 2014"},
      {ID_IMAGE_SOLARIZE, "OpenEffectPage 2017"}, {ID_IMAGE_ROTATE_ANGLE, "OpenEffectPage 4006"},
      {ID_IMAGE_RESIZE, "OpenResizePage 4007 Resize Image"}, {ID_IMAGE_CAPTION, "OpenCaptionPage"},
      {ID_IMAGE_RESIZE_CANVAS, "OpenResizePage 4008 Resize Canvas"}};
  // clang-format on
  for (auto [nID, pszCall] : rows) {
    m_harness.m_pFrame->m_calls.clear();
    Command(nID);
    EXPECT_EQ(std::vector<std::string>{pszCall}, m_harness.m_pFrame->m_calls) << nID;
  }
}

} // namespace
