#include "resources/resource.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/editor/editor_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const DWORD kWhite = 0xFFFFFF;
const int kCx = 360, kCy = 280; // not the new document's size, whose snapshot would be taken for it

// Blocks of 4 x 4 picture pixels in one colour each.
DWORD BlockPixel(int x, int y) { return 0x102030u + (DWORD)((x / 4) * 0x020000 + (y / 4) * 0x000300); }

class ProbeCmdUI : public CCmdUI {
public:
  int m_nEnable = -1;
  void Enable(BOOL bOn) override { m_nEnable = bOn ? 1 : 0; }
};

class ViewSelectionTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_editorState.m_styles[STYLE_SELECTION].backColor = RGB(255, 255, 255);
    ::SetCursorPos(1270, 1010); // the real pointer stays out of the scripted drags
    ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(kCx, kCy, BlockPixel)));
    m_original = Colours();
    View()->GetParentFrame()->MoveWindow(0, 0, 620, 420);
    PumpPending();
  }
  CFramletDoc* Doc() { return m_harness.Doc(); }
  CFramletView* View() { return m_harness.View(); }
  std::vector<DWORD> Colours() {
    std::vector<DWORD> px = PicturePixels(Doc());
    for (DWORD& p : px)
      p &= 0xFFFFFF;
    return px;
  }
  DWORD At(int x, int y) { return Colours()[(size_t)y * BitmapSizeOf(Doc()->m_pImage->GetBitmap()).cx + x]; }
  void Post(UINT nMsg, UINT nFlags, CPoint pt) { View()->PostMessage(nMsg, nFlags, MAKELPARAM(pt.x, pt.y)); }
  // A press, one move and the release, with the tool current.
  void Drag(int nTool, CPoint from, CPoint to, UINT nFlags = 0) {
    g_editorState.m_nCurrentTool = nTool;
    Post(WM_LBUTTONDOWN, nFlags | MK_LBUTTON, from);
    Post(WM_MOUSEMOVE, nFlags | MK_LBUTTON, to);
    Post(WM_LBUTTONUP, nFlags, to);
    PumpPending();
  }
  void Click(int nTool, CPoint pt) { Drag(nTool, pt, pt); }
  // A polygon through the client points, closed by a double-click on the last one.
  void Polygon(const std::vector<CPoint>& points, bool bClose = true) {
    for (CPoint pt : points)
      Click(ID_TOOL_POLYGON_SELECTION, pt);
    if (bClose)
      Post(WM_LBUTTONDBLCLK, MK_LBUTTON, points.back());
    PumpPending();
  }
  // To 200 %, then scrolled.
  void ZoomInAndScroll(CSize scroll) {
    Command(ID_VIEW_ZOOM_IN);
    ASSERT_TRUE(View()->OnScrollBy(scroll));
    PumpPending();
  }
  int Enabled(void (CFramletView::*pfnUpdate)(CCmdUI*)) {
    ProbeCmdUI ui;
    (View()->*pfnUpdate)(&ui);
    return ui.m_nEnable;
  }
  void Command(UINT nID) { View()->SendMessage(WM_COMMAND, nID); }
  pixel_support::Pixels SaveView(const char* pszName) {
    View()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    pixel_support::Pixels px = pixel_support::ReadWindow(View()->m_hWnd, CRect(0, 0, 400, 300));
    pixel_support::SaveBmp(px, pszName);
    return px;
  }
  // Picture pixels (x0.., y0..) of a w x h area equal the original pattern moved by (dx, dy).
  void ExpectMovedPattern(int x0, int y0, int w, int h, int dx, int dy) {
    const std::vector<DWORD> px = Colours();
    for (int y = y0; y < y0 + h; y++)
      for (int x = x0; x < x0 + w; x++)
        ASSERT_EQ(BlockPixel(x - dx, y - dy), px[(size_t)y * kCx + x]) << "picture pixel " << x << "," << y;
  }

  CEditorHarness m_harness;
  std::vector<DWORD> m_original;
};

// A rectangle selection of picture (40,40)-(80,80) moved by (100, 50), or not moved, and dropped.
TEST_F(ViewSelectionTest, MoveLeavesTheBackColourCtrlMoveTheSourceAndNoMoveNoStep) {
  struct Row {
    UINT nFlags;
    bool bMove;
    DWORD source;
  } const rows[] = {
      {0, true, kWhite}, {MK_CONTROL, true, BlockPixel(60, 60)}, {0, false, BlockPixel(60, 60)}};
  for (const Row& row : rows) {
    const int nSteps = Doc()->m_nUndoPos;
    Drag(ID_TOOL_RECT_SELECTION, CPoint(48, 48), CPoint(88, 88));
    ASSERT_NE(nullptr, Doc()->m_pSelection);
    EXPECT_EQ(CRect(48, 48, 88, 88), CRect(Doc()->m_pSelection->m_rect));
    SaveView("view_selection_outline.bmp");
    if (row.bMove) {
      Drag(ID_TOOL_RECT_SELECTION, CPoint(68, 68), CPoint(168, 118), row.nFlags);
      EXPECT_EQ(CRect(148, 98, 188, 138), CRect(Doc()->m_pSelection->m_rect));
      SaveView("view_selection_floating_piece.bmp");
    }
    Click(ID_TOOL_RECT_SELECTION, CPoint(300, 20));
    EXPECT_EQ(nullptr, Doc()->m_pSelection);
    EXPECT_EQ(row.source, At(60, 60)) << row.nFlags;
    EXPECT_EQ(nSteps + (row.bMove ? 1 : 0), Doc()->m_nUndoPos) << "move and drop are one step";
    if (!row.bMove)
      continue;
    ExpectMovedPattern(140, 90, 40, 40, 100, 50);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(m_original, Colours());
  }
}

// A double-click closes a polygon of three points or more; fewer cancel it. Clear needs a
// selection or an open polygon, Crop a finished outline.
TEST_F(ViewSelectionTest, PolygonClosedByDoubleClickAndTheCommandsItEnables) {
  auto expectEnabled = [&](int nClear, int nCrop, const char* pszState) {
    EXPECT_EQ(nClear, Enabled(&CFramletView::OnUpdateSelectionCommand)) << pszState;
    EXPECT_EQ(nCrop, Enabled(&CFramletView::OnUpdateCropCommand)) << pszState;
  };
  Polygon({CPoint(50, 50), CPoint(120, 60)});
  EXPECT_FALSE(View()->m_bPolygonOpen);
  EXPECT_EQ(nullptr, Doc()->m_pSelection);
  expectEnabled(0, 0, "cancelled");
  Polygon({CPoint(50, 50), CPoint(120, 60), CPoint(70, 110)}, false);
  expectEnabled(1, 0, "open polygon");
  Polygon({CPoint(70, 110)});
  EXPECT_FALSE(View()->m_bPolygonOpen);
  ASSERT_NE(nullptr, Doc()->m_pSelection);
  EXPECT_EQ(CRect(50, 50, 120, 110), CRect(Doc()->m_pSelection->m_rect));
  expectEnabled(1, 1, "closed polygon");
}

// Crop takes the bounding box of any shape; an outline beside the picture keeps its nearest pixel.
TEST_F(ViewSelectionTest, CropToTheBoundingBoxKeepingOnePixel) {
  Drag(ID_TOOL_CIRCLE_SELECTION, CPoint(28, 38), CPoint(128, 98));
  Command(ID_EDIT_CROP);
  EXPECT_EQ(CSize(100, 60), BitmapSizeOf(Doc()->m_pImage->GetBitmap()));
  EXPECT_EQ(BlockPixel(20, 30), At(0, 0)) << "the corner outside the circle stays";
  EXPECT_EQ(nullptr, Doc()->m_pSelection);
  EXPECT_EQ("Size:100 x 60", m_harness.Status(STATUS_PANE_SIZE));
  View()->m_selTracker.m_rectLogical = View()->m_selTracker.m_rect = CRect(0, 0, 8, 8);
  Command(ID_EDIT_CROP);
  EXPECT_EQ(CSize(9, 9), BitmapSizeOf(Doc()->m_pImage->GetBitmap()));
  EXPECT_EQ(BlockPixel(20, 30), At(8, 8));
}

// At 200 % scrolled by (32, 16) the client rectangle (40,40)-(120,100) is picture (32,24)-(72,54).
TEST_F(ViewSelectionTest, ScrolledZoomedPolygonClearsAndCopiesInPlace) {
  const std::vector<CPoint> square = {{40, 40}, {120, 40}, {120, 100}, {40, 100}};
  ZoomInAndScroll(CSize(32, 16));
  for (int i = 0; i < 2; i++) {
    Polygon(square);
    Drag(ID_TOOL_POLYGON_SELECTION, CPoint(80, 70), CPoint(120 + 160 * i, 130), MK_CONTROL);
    Click(ID_TOOL_SELECT_REGION, CPoint(500, 300));
    ExpectMovedPattern(54 + 80 * i, 56, 36, 26, 20 + 80 * i, 30);
  }
  Polygon(square);
  pixel_support::Pixels px = SaveView("view_selection_polygon.bmp");
  EXPECT_GT(std::count(px.data.begin() + 400 * 40 + 40, px.data.begin() + 400 * 40 + 120, RGB(255, 255, 255)),
            20)
      << "the dotted outline shows where the polygon was drawn";
  Command(ID_EDIT_CLEAR_SELECTION);
  EXPECT_EQ(kWhite, At(34, 26));
  EXPECT_EQ(kWhite, At(70, 52));
  EXPECT_EQ(BlockPixel(30, 40), At(30, 40));
  EXPECT_EQ(BlockPixel(52, 22), At(52, 22));
}

// A moved piece goes into the picture (one step) before a picture file becomes the new piece,
// which lands at (20, 20) logical; a file that gives no picture changes nothing.
TEST_F(ViewSelectionTest, PasteFromFileDrawsTheMovedPieceInFirst) {
  const pixel_support::Pixels px = {30, 10, std::vector<COLORREF>(300, RGB(200, 0, 100))};
  m_harness.m_pFrame->m_strOpenImage = pixel_support::SaveBmp(px, "view_selection_pasted.bmp").c_str();
  Drag(ID_TOOL_SELECT_REGION, CPoint(48, 48), CPoint(88, 88));
  Drag(ID_TOOL_SELECT_REGION, CPoint(68, 68), CPoint(168, 118));
  const int nSteps = Doc()->m_nUndoLast;
  ZoomInAndScroll(CSize(16, 0));
  Command(ID_EDIT_PASTE_FROM_FILE);
  ExpectMovedPattern(140, 90, 40, 40, 100, 50);
  EXPECT_EQ(nSteps + 1, Doc()->m_nUndoLast);
  CZoomTracker* pPiece = Doc()->m_pSelection;
  ASSERT_NE(nullptr, pPiece);
  EXPECT_EQ(CRect(20, 20, 80, 40), CRect(pPiece->m_rect));
  const std::vector<DWORD> before = Colours();
  EXPECT_FALSE(View()->PasteImageFile("Z:\\no\\such\\picture.png"));
  EXPECT_FALSE(View()->PasteImageFile(""));
  EXPECT_EQ(pPiece, Doc()->m_pSelection);
  EXPECT_EQ(before, Colours());
}

// Clear fills with the selection style's back colour in the shape the selection was made with,
// whatever tool is current by then; after Select All that is the whole picture.
TEST_F(ViewSelectionTest, ClearFillsTheSelectionsOwnShapeWithTheBackColour) {
  const DWORD kBack = 0x0AC81E;
  g_editorState.m_styles[STYLE_SELECTION].backColor = RGB(10, 200, 30);
  Drag(ID_TOOL_CIRCLE_SELECTION, CPoint(48, 48), CPoint(128, 108));
  g_editorState.m_nCurrentTool = ID_TOOL_RECT_SELECTION;
  Post(WM_MOUSEMOVE, 0, CPoint(300, 200)); // the view takes the tool
  PumpPending();
  Command(ID_EDIT_CLEAR_SELECTION);
  EXPECT_EQ(kBack, At(80, 70));
  EXPECT_EQ(BlockPixel(41, 41), At(41, 41)) << "outside the ellipse";
  Command(ID_EDIT_SELECT_ALL_IMAGE);
  EXPECT_EQ("SelectTool 1003", m_harness.m_pFrame->m_calls.back());
  EXPECT_EQ(nullptr, Doc()->m_pSelection) << "nothing is lifted";
  Command(ID_EDIT_CLEAR_SELECTION);
  EXPECT_EQ(std::vector<DWORD>(kCx * kCy, kBack), Colours());
}

} // namespace
