#include "tests/unit/editor/editor_harness.h"

namespace {

const DWORD kWhite = 0xFFFFFF;
const int kCx = 360, kCy = 280; // not the new document's size, whose snapshot would be taken for it

// Blocks of 4 x 4 picture pixels in one colour each.
DWORD BlockPixel(int x, int y) { return 0x102030u + (DWORD)((x / 4) * 0x020000 + (y / 4) * 0x000300); }

class ViewSelectionTest : public EditorViewTest {
protected:
  void SetUp() override {
    EditorViewTest::SetUp();
    g_editorState.m_styles[STYLE_SELECTION].backColor = RGB(255, 255, 255);
    SetPicture(kCx, kCy, BlockPixel);
  }
  // A polygon through the client points, closed by a double-click on the last one.
  void Polygon(const std::vector<CPoint>& points, bool bClose = true) {
    for (CPoint pt : points)
      Click(ID_TOOL_POLYGON_SELECTION, pt);
    if (bClose)
      View()->PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(points.back().x, points.back().y));
    PumpPending();
  }
  // To 200 % by the command, then scrolled.
  void ZoomInAndScroll(CSize scroll) { Command(ID_VIEW_ZOOM_IN), View()->OnScrollBy(scroll), PumpPending(); }
  // Picture pixels (x0.., y0..) of a w x h area equal the original pattern moved by (dx, dy).
  void ExpectMovedPattern(int x0, int y0, int w, int h, int dx, int dy) {
    const std::vector<DWORD> px = PictureColours(Doc());
    for (int y = y0; y < y0 + h; y++)
      for (int x = x0; x < x0 + w; x++)
        ASSERT_EQ(BlockPixel(x - dx, y - dy), px[(size_t)y * kCx + x]) << "picture pixel " << x << "," << y;
  }
};

// A rectangle selection of picture (40,40)-(80,80) moved by (100, 50), or not moved, and dropped.
TEST_F(ViewSelectionTest, MoveLeavesTheBackColourCtrlMoveTheSourceAndNoMoveNoStep) {
  const std::vector<DWORD> original = PictureColours(Doc());
  const std::tuple<UINT, bool, DWORD> rows[] = {
      {0, true, kWhite}, {MK_CONTROL, true, BlockPixel(60, 60)}, {0, false, BlockPixel(60, 60)}};
  for (auto [nFlags, bMove, source] : rows) {
    const int nSteps = Doc()->m_nUndoPos;
    Drag(ID_TOOL_RECT_SELECTION, {{48, 48}, {88, 88}});
    ASSERT_NE(nullptr, Doc()->m_pSelection);
    EXPECT_EQ(CRect(48, 48, 88, 88), CRect(Doc()->m_pSelection->m_rect));
    Shot("view_selection_outline.bmp");
    if (bMove) {
      Drag(ID_TOOL_RECT_SELECTION, {{68, 68}, {168, 118}}, MK_LBUTTON | nFlags);
      EXPECT_EQ(CRect(148, 98, 188, 138), CRect(Doc()->m_pSelection->m_rect));
      Shot("view_selection_floating_piece.bmp");
    }
    Click(ID_TOOL_RECT_SELECTION, {300, 20});
    EXPECT_EQ(nullptr, Doc()->m_pSelection);
    EXPECT_EQ(source, PixelAt(60, 60)) << nFlags;
    EXPECT_EQ(nSteps + (bMove ? 1 : 0), Doc()->m_nUndoPos) << "move and drop are one step";
    if (!bMove)
      continue;
    ExpectMovedPattern(140, 90, 40, 40, 100, 50);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(original, PictureColours(Doc()));
  }
}

// A double-click closes a polygon of three points or more; fewer cancel it. Clear needs a
// selection or an open polygon, Crop a finished outline.
TEST_F(ViewSelectionTest, PolygonClosedByDoubleClickAndTheCommandsItEnables) {
  auto enabled = [&] {
    return std::make_pair(Enabled(&CFramletView::OnUpdateSelectionCommand),
                          Enabled(&CFramletView::OnUpdateCropCommand));
  };
  Polygon({{50, 50}, {120, 60}});
  EXPECT_TRUE(!View()->m_bPolygonOpen && Doc()->m_pSelection == NULL);
  EXPECT_EQ(std::make_pair(0, 0), enabled()) << "cancelled";
  Polygon({{50, 50}, {120, 60}, {70, 110}}, false);
  EXPECT_EQ(std::make_pair(1, 0), enabled()) << "open polygon";
  Polygon({{70, 110}});
  EXPECT_FALSE(View()->m_bPolygonOpen);
  ASSERT_NE(nullptr, Doc()->m_pSelection);
  EXPECT_EQ(CRect(50, 50, 120, 110), CRect(Doc()->m_pSelection->m_rect));
  EXPECT_EQ(std::make_pair(1, 1), enabled()) << "closed polygon";
}

// Crop takes the bounding box of any shape; an outline beside the picture keeps its nearest pixel.
TEST_F(ViewSelectionTest, CropToTheBoundingBoxKeepingOnePixel) {
  Drag(ID_TOOL_CIRCLE_SELECTION, {{28, 38}, {128, 98}});
  Command(ID_EDIT_CROP);
  EXPECT_TRUE(CSize(100, 60) == BitmapSizeOf(Doc()->m_pImage->GetBitmap()) && Doc()->m_pSelection == NULL);
  EXPECT_EQ(BlockPixel(20, 30), PixelAt(0, 0)) << "the corner outside the circle stays";
  EXPECT_EQ("Size:100 x 60", m_harness.Status(STATUS_PANE_SIZE));
  View()->m_selTracker.m_rectLogical = View()->m_selTracker.m_rect = CRect(0, 0, 8, 8);
  Command(ID_EDIT_CROP);
  EXPECT_EQ(CSize(9, 9), BitmapSizeOf(Doc()->m_pImage->GetBitmap()));
  EXPECT_EQ(BlockPixel(20, 30), PixelAt(8, 8));
}

// Crop needs a finished outline, whether the command comes from the menu, which its update
// handler greys, or from a tool-bar button, whose command the framework passes on unasked: with
// no outline, or only an open polygon, the picture stays whole and no step is recorded.
TEST_F(ViewSelectionTest, CropWithoutAnOutlineChangesNothing) {
  CWnd button; // stands in for the tool bar that sends the button's command
  ASSERT_TRUE(button.CreateEx(0, "BUTTON", "Crop", WS_CHILD, CRect(0, 0, 20, 20), View(), 1));
  const std::vector<DWORD> original = PictureColours(Doc());
  const int nSteps = Doc()->m_nUndoPos;
  for (bool bOpenPolygon : {false, true}) {
    if (bOpenPolygon)
      Polygon({{50, 50}, {120, 60}, {70, 110}}, false);
    for (UINT nID : {ID_EDIT_CROP, ID_EDIT_CROP2}) {
      Command(nID);
      View()->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)button.m_hWnd), PumpPending();
      EXPECT_TRUE(original == PictureColours(Doc()) && nSteps == Doc()->m_nUndoPos)
          << nID << " " << bOpenPolygon;
    }
  }
}

// At 200 % scrolled by (32, 16) the client rectangle (40,40)-(120,100) is picture (32,24)-(72,54).
TEST_F(ViewSelectionTest, ScrolledZoomedPolygonClearsAndCopiesInPlace) {
  const std::vector<CPoint> square = {{40, 40}, {120, 40}, {120, 100}, {40, 100}};
  ZoomInAndScroll(CSize(32, 16));
  for (int i = 0; i < 2; i++) {
    Polygon(square);
    Drag(ID_TOOL_POLYGON_SELECTION, {{80, 70}, {120 + 160 * i, 130}}, MK_LBUTTON | MK_CONTROL);
    Click(ID_TOOL_SELECT_REGION, {500, 300});
    ExpectMovedPattern(54 + 80 * i, 56, 36, 26, 20 + 80 * i, 30);
  }
  Polygon(square);
  const pixel_support::Pixels px = Shot("view_selection_polygon.bmp");
  int nWhite = 0;
  for (int x = 40; x < 120; x++)
    nWhite += px.At(x, 40) == RGB(255, 255, 255);
  EXPECT_GT(nWhite, 20) << "the dotted outline shows where the polygon was drawn";
  Command(ID_EDIT_CLEAR_SELECTION);
  EXPECT_EQ(std::make_tuple(kWhite, kWhite, BlockPixel(30, 40), BlockPixel(52, 22)),
            std::make_tuple(PixelAt(34, 26), PixelAt(70, 52), PixelAt(30, 40), PixelAt(52, 22)));
}

// A moved piece goes into the picture (one step) before a picture file becomes the new piece,
// which lands at (20, 20) logical; a file that gives no picture changes nothing.
TEST_F(ViewSelectionTest, PasteFromFileDrawsTheMovedPieceInFirst) {
  const pixel_support::Pixels px = {30, 10, std::vector<COLORREF>(300, RGB(200, 0, 100))};
  m_harness.m_pFrame->m_strOpenImage = pixel_support::SaveBmp(px, "view_selection_pasted.bmp").c_str();
  Drag(ID_TOOL_SELECT_REGION, {{48, 48}, {88, 88}});
  Drag(ID_TOOL_SELECT_REGION, {{68, 68}, {168, 118}});
  const int nSteps = Doc()->m_nUndoLast;
  ZoomInAndScroll(CSize(16, 0));
  Command(ID_EDIT_PASTE_FROM_FILE);
  ExpectMovedPattern(140, 90, 40, 40, 100, 50);
  CZoomTracker* pPiece = Doc()->m_pSelection;
  ASSERT_NE(nullptr, pPiece);
  EXPECT_TRUE(nSteps + 1 == Doc()->m_nUndoLast && CRect(20, 20, 80, 40) == pPiece->m_rect);
  const std::vector<DWORD> before = PictureColours(Doc());
  EXPECT_FALSE(View()->PasteImageFile("Z:\\no\\such\\picture.png") || View()->PasteImageFile(""));
  EXPECT_TRUE(pPiece == Doc()->m_pSelection && before == PictureColours(Doc()));
}

// A picture file pasted onto a picture with nothing to undo is a change to save, and a step that
// Undo, enabled for it, takes back; a file of the very pixels it lands on is no step, and Undo then
// leaves the picture's first record alone.
TEST_F(ViewSelectionTest, PasteFromFileIsAChangeAndAStepOfItsOwn) {
  const std::vector<DWORD> before = PictureColours(Doc());
  for (bool bSame : {false, true}) {
    pixel_support::Pixels px = {30, 10, {}};
    for (int i = 0; i < 300; i++)
      px.data.push_back(bSame ? pixel_support::FromDib(BlockPixel(12 + i % 30, 12 + i / 30))
                              : RGB(200, 0, 100));
    m_harness.m_pFrame->m_strOpenImage = pixel_support::SaveBmp(px, "view_selection_pasted.bmp").c_str();
    Doc()->SetModifiedFlag(FALSE);
    Command(ID_EDIT_PASTE_FROM_FILE);
    EXPECT_TRUE(Doc()->m_pSelection != NULL && Doc()->IsModified());
    EXPECT_EQ(1, Enabled(&CFramletView::OnUpdateEditUndo));
    Command(ID_EDIT_UNDO);
    EXPECT_TRUE(Doc()->m_pSelection == NULL && before == PictureColours(Doc()));
    EXPECT_EQ(0, Doc()->m_nUndoPos) << bSame;
  }
}

// Clear fills with the selection style's back colour in the shape the selection was made with,
// whatever tool is current by then; after Select All that is the whole picture.
TEST_F(ViewSelectionTest, ClearFillsTheSelectionsOwnShapeWithTheBackColour) {
  g_editorState.m_styles[STYLE_SELECTION].backColor = RGB(10, 200, 30);
  Drag(ID_TOOL_CIRCLE_SELECTION, {{48, 48}, {128, 108}});
  g_editorState.m_nCurrentTool = ID_TOOL_RECT_SELECTION;
  View()->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(300, 200)); // the view takes the tool
  PumpPending();
  Command(ID_EDIT_CLEAR_SELECTION);
  EXPECT_EQ(0x0AC81Eu, PixelAt(80, 70));
  EXPECT_EQ(BlockPixel(41, 41), PixelAt(41, 41)) << "outside the ellipse";
  Command(ID_EDIT_SELECT_ALL_IMAGE);
  EXPECT_EQ("SelectTool 1003", m_harness.m_pFrame->m_calls.back());
  EXPECT_EQ(nullptr, Doc()->m_pSelection) << "nothing is lifted";
  Command(ID_EDIT_CLEAR_SELECTION);
  EXPECT_EQ(std::vector<DWORD>(kCx * kCy, 0x0AC81E), PictureColours(Doc()));
}

} // namespace
