// The view's pixel tools, text tool and stamps, driven by mouse messages to a real view; the
// results are read back from the picture, the styles, the text dialog and the shell's calls.
#include "editor/TextElement.h"
#include "editor/TextInputDlg.h"
#include "tests/unit/editor/editor_harness.h"

namespace {

const DWORD kWhite = 0xFFFFFF, kBlack = 0, kRed = 0xFF0000; // picture pixels
const COLORREF kPicked = RGB(10, 20, 30);

// Every SetPixel the program makes while the patch is in place, then passed on.
std::vector<CPoint> g_dots;
COLORREF WINAPI RecordSetPixel(HDC hDC, int x, int y, COLORREF clr) {
  static auto pSetPixel = reinterpret_cast<COLORREF(WINAPI*)(HDC, int, int, COLORREF)>(
      ::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "SetPixel"));
  g_dots.push_back(CPoint(x, y));
  return pSetPixel(hDC, x, y, clr);
}

DWORD WhitePixel(int, int) { return kWhite; }
// White with a black wall at x 200-201 and a black square at 100-149.
DWORD WallPixel(int x, int y) {
  return x == 200 || x == 201 || (x >= 100 && x < 150 && y >= 100 && y < 150) ? kBlack : kWhite;
}

class ViewToolsTest : public EditorViewTest {
protected:
  std::string DialogText(int nID) { return ItemText(View()->m_pTextDlg->m_hWnd, nID); }
};

// Each tick sets int(4 k zoom) dots within int(k zoom) of the pointer, on the picture only.
TEST_F(ViewToolsTest, TheSprayTicksDotsOntoThePictureOnly) {
  CImportPatch patch("gdi32.dll", "SetPixel", reinterpret_cast<FARPROC>(&RecordSetPixel));
  ASSERT_TRUE(patch.Applied());
  // A dot count of -1: some, all on the picture.
  for (auto [nTool, zoom, press, nTicks, nDots] :
       {std::make_tuple(ID_TOOL_SPRAY_SMALL, 0.25f, CPoint(18, 18), 1, 6),
        std::make_tuple(ID_TOOL_SPRAY_LARGE, 1.0f, CPoint(9, 9), 4, -1)}) {
    SetPicture(400, 300, WhitePixel);
    Zoom(zoom);
    g_dots.clear();
    g_editorState.m_nCurrentTool = nTool;
    Mouse(WM_LBUTTONDOWN, press);
    for (int i = 0; i < nTicks; i++)
      View()->SendMessage(WM_TIMER, 1005);
    Mouse(WM_LBUTTONUP, press, 0);
    if (nDots >= 0) {
      EXPECT_EQ(std::vector<CPoint>(nDots, CPoint(40, 40)), g_dots) << "radius 1: every dot on one pixel";
      EXPECT_EQ(kRed, PixelAt(40, 40));
      Shot("view_tool_spray.bmp");
    }
    EXPECT_GT(g_dots.size(), 0u);
    for (CPoint dot : g_dots)
      ASSERT_TRUE(CRect(0, 0, 400, 300).PtInRect(dot)) << dot.x << "," << dot.y;
    EXPECT_EQ(1, Doc()->m_nUndoLast) << "tool " << nTool;
  }
}

// The guard ends the spray as soon as the pointer leaves the image as shown, button held or not;
// scrolled by 200 at 200 % the image starts off the left.
TEST_F(ViewToolsTest, TheSprayStopsWhenThePointerLeavesThePicture) {
  const std::tuple<float, int, CPoint, bool> cases[] = {
      {1.0f, 0, {100, 100}, true},  {1.0f, 0, {407, 307}, true}, {1.0f, 0, {409, 100}, false},
      {1.0f, 0, {100, 600}, false}, {2.0f, 200, {4, 100}, true}, {2.0f, 200, {100, 4}, false}};
  for (auto [zoom, nScrollX, pointer, bSpraying] : cases) {
    Zoom(zoom, CSize(nScrollX, 0));
    g_editorState.m_nCurrentTool = ID_TOOL_AIR_BRUSH;
    Mouse(WM_LBUTTONDOWN, CPoint(100, 100));
    PointerAt(pointer);
    Mouse(WM_MOUSEMOVE, pointer);
    EXPECT_EQ(bSpraying, ::KillTimer(View()->m_hWnd, 1005) != FALSE) << pointer.x << "," << pointer.y;
    EXPECT_EQ(bSpraying, ::KillTimer(View()->m_hWnd, 1075) != FALSE) << "the guard keeps watching";
    Mouse(WM_LBUTTONUP, pointer, 0);
  }
}

// The picked colour goes into the last tool's record (back colour with the right button), and
// the tool comes back; the arrows and a press beyond the picture (record -2) store nothing.
TEST_F(ViewToolsTest, ThePickerStoresIntoTheLastToolsRecordAndReturnsToIt) {
  // clang-format off
  const std::tuple<int, bool, int> cases[] = {
      {ID_TOOL_FREE_SELECTION, false, STYLE_SELECTION}, {ID_TOOL_RECT_HOLLOW, false, STYLE_SHAPES},
      {ID_TOOL_BRUSH_DOTTED, true, STYLE_PAINT_BRUSH}, {ID_TOOL_SPRAY_LARGE, false, STYLE_AIR_BRUSH_FILL},
      {ID_TOOL_FILL, true, STYLE_AIR_BRUSH_FILL}, {ID_TOOL_TEXT, false, STYLE_TEXT},
      {ID_TOOL_LINE_DASH_DOT, false, STYLE_LINE_ARROW}, {ID_TOOL_ERASER, true, STYLE_ERASER},
      {ID_TOOL_HIGHLIGHTER, false, STYLE_HIGHLIGHTER}, {ID_TOOL_ARROW, false, -1},
      {ID_TOOL_ARROW_DOUBLE, true, -1}, {ID_TOOL_PAINT_BRUSH, false, -2}};
  // clang-format on
  SetPicture(400, 300, [](int, int) { return pixel_support::ToDib(kPicked); });
  for (auto [nLastTool, bRight, nRecord] : cases) {
    DrawStyle expected[STYLE_GROUP_COUNT];
    std::memcpy(g_editorState.m_styles, m_styles, sizeof(m_styles));
    std::memcpy(expected, m_styles, sizeof(expected));
    if (nRecord >= 0)
      (bRight ? expected[nRecord].backColor : expected[nRecord].mainColor) = kPicked;
    g_editorState.m_nLastTool = nLastTool;
    m_harness.m_pFrame->m_calls.clear();
    Drag(ID_TOOL_COLOR_PICKER, {nRecord == -2 ? CPoint(450, 200) : CPoint(50, 50)},
         bRight ? MK_RBUTTON : MK_LBUTTON);
    EXPECT_EQ(0, std::memcmp(expected, g_editorState.m_styles, sizeof(expected))) << nLastTool;
    EXPECT_EQ(std::vector<std::string>{"SelectTool " + std::to_string(nLastTool)},
              m_harness.m_pFrame->m_calls);
  }
}

// Fill floods the pressed area in the main colour; the eraser rubs out in the back colour at its
// width (a click: a dot); the highlighter ANDs a tint of its colour into the rectangle (opacity 0:
// white, which changes nothing and so records nothing). Each change is one step.
TEST_F(ViewToolsTest, FillEraserAndHighlighterChangeThePicture) {
  const DWORD G = 0x00C800, Y = 0xFFFF00, R = kRed, K = kBlack, W = kWhite;
  using Probes = std::vector<std::tuple<int, int, DWORD>>; // picture pixels
  // clang-format off
  const std::tuple<const char*, int, float, int, std::vector<CPoint>, Probes> cases[] = {
      {"fill", ID_TOOL_FILL, 2.0f, 255, {{50, 50}},
       {{0, 0, R}, {199, 299, R}, {200, 5, K}, {120, 120, K}, {300, 100, W}}},
      {"eraser_click", ID_TOOL_ERASER, 1.0f, 255, {{100, 100}},
       {{92, 92, G}, {96, 92, G}, {92, 88, G}, {92, 99, W}, {85, 92, W}}},
      {"eraser", ID_TOOL_ERASER, 2.0f, 255, {{58, 58}, {108, 58}, {158, 58}},
       {{25, 25, G}, {75, 25, G}, {50, 29, G}, {50, 32, W}, {82, 25, W}}},
      {"highlighter", ID_TOOL_HIGHLIGHTER, 1.0f, 255, {{58, 58}, {150, 150}, {258, 208}},
       {{50, 50, Y}, {249, 199, Y}, {120, 120, K}, {49, 50, W}, {250, 100, W}}},
      {"highlighter_0", ID_TOOL_HIGHLIGHTER, 1.0f, 0, {{58, 58}, {258, 208}}, {{50, 50, W}, {120, 120, K}}}};
  // clang-format on
  g_editorState.m_styles[STYLE_ERASER].backColor = RGB(0, 200, 0);
  for (const auto& [pszShot, nTool, zoom, nOpacity, drag, probes] : cases) {
    g_editorState.m_styles[STYLE_HIGHLIGHTER].opacity = nOpacity;
    SetPicture(400, 300, WallPixel);
    Zoom(zoom);
    Drag(nTool, drag);
    for (auto [x, y, clr] : probes)
      EXPECT_EQ(clr, PixelAt(x, y)) << pszShot << " at " << x << "," << y;
    EXPECT_EQ(nOpacity > 0 ? 1 : 0, Doc()->m_nUndoLast) << pszShot << ": one step, none for no change";
    Shot((std::string("view_tool_") + pszShot + ".bmp").c_str());
  }
}

// Text is placed at 100 % only: a box and the dialog with "Text", elsewhere the refusal. The
// dialog opens by the pointer moved left by the box's width, and at 10 where it would leave less
// than 250 pixels to the desktop's right or bottom edge.
TEST_F(ViewToolsTest, TheTextToolPlacesABoxAndItsDialogAt100PercentOnly) {
  CRect desk;
  ::GetWindowRect(::GetDesktopWindow(), &desk);
  // The pointer and where the dialog opens are on the screen; the fourth box is dragged up and left.
  const std::tuple<float, CPoint, CPoint, CPoint, CPoint> cases[] = {
      {0.5f, {100, 100}, {220, 160}, {600, 400}, {}},
      {2.0f, {100, 100}, {220, 160}, {600, 400}, {}},
      {1.0f, {100, 100}, {220, 160}, {600, 400}, {480, 400}},
      {1.0f, {320, 260}, {200, 200}, {desk.right - 129, 300}, {10, 300}},
      {1.0f, {100, 100}, {150, 130}, {desk.right - 200, 300}, {desk.right - 250, 300}},
      {1.0f, {100, 100}, {150, 130}, {600, desk.bottom - 100}, {550, 10}}};
  for (auto [zoom, from, to, pointer, dialog] : cases) {
    MessageBoxRecorder boxes;
    Zoom(zoom);
    View()->CommitText(FALSE);
    ::SetCursorPos(pointer.x, pointer.y);
    Drag(ID_TOOL_TEXT, {from, to});
    CTextInputDlg* pDlg = View()->m_pTextDlg;
    const bool bPlaced = zoom == 1.0f;
    ASSERT_EQ(bPlaced ? 0u : 1u, MessageBoxRecorder::Boxes().size()) << "zoom " << zoom;
    if (!bPlaced) {
      EXPECT_EQ("Bring zoom level to 100% to add text!\nGo to menu View ->Actual size to zoom to 100%",
                MessageBoxRecorder::Boxes()[0].first);
      EXPECT_EQ((UINT)MB_OK, MessageBoxRecorder::Boxes()[0].second & MB_TYPEMASK);
    }
    CRect box(from, to), rcDlg;
    box.NormalizeRect();
    EXPECT_EQ(bPlaced ? box : CRect(), CRect(View()->m_pText->m_rect));
    ASSERT_EQ(bPlaced, pDlg != NULL && pDlg->IsWindowVisible());
    if (!bPlaced)
      continue;
    pDlg->GetWindowRect(&rcDlg);
    EXPECT_EQ("Text", std::string(View()->m_pText->m_strText));
    EXPECT_EQ("Text", DialogText(IDC_TEXT_EDIT));
    EXPECT_EQ(dialog, rcDlg.TopLeft()) << "pointer " << pointer.x << "," << pointer.y;
  }
  Shot("view_tool_text.bmp");
}

// A double click in the pending text's box shows the dialog again with the text's own settings.
TEST_F(ViewToolsTest, ADoubleClickInTheBoxReopensTheDialogFromTheText) {
  Drag(ID_TOOL_TEXT, {{100, 100}, {220, 160}});
  ASSERT_NE(nullptr, View()->m_pTextDlg);
  CTextElement* pText = View()->m_pText;
  pText->m_strText = "Hello", pText->m_nAngle = 30, pText->m_nOpacity = 51, pText->m_clrText = 0xFF102030;
  View()->m_pTextDlg->ShowWindow(SW_HIDE);
  PointerAt(CPoint(150, 120));
  View()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(150, 120)), PumpPending();
  CTextInputDlg* pDlg = View()->m_pTextDlg;
  CPoint screen(160, 130); // the pointer + (10, 10)
  View()->ClientToScreen(&screen);
  CRect rcDlg;
  pDlg->GetWindowRect(&rcDlg);
  EXPECT_TRUE(pDlg->IsWindowVisible());
  // The size always shows as 9.
  EXPECT_EQ(std::make_tuple(std::string("Hello"), std::string("9"), std::string("(30)"), std::string("(20%)"),
                            30, 51),
            std::make_tuple(DialogText(IDC_TEXT_EDIT), DialogText(IDC_TEXT_SIZE),
                            DialogText(IDC_TEXT_ROTATION_VALUE), DialogText(IDC_TEXT_OPACITY_VALUE),
                            pDlg->m_sliderRotation.GetPos(), pDlg->m_sliderOpacity.GetPos()));
  EXPECT_TRUE(pDlg->m_clrText == RGB(0x10, 0x20, 0x30) && screen == pDlg->m_ptPos &&
              screen == rcDlg.TopLeft());
  pDlg->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  EXPECT_FALSE(
      pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, rcDlg), "text_entry_dialog.bmp").empty());
  Shot("view_tool_text_reopened.bmp");
}

// A stamp or callout goes back to the pointer tool; its piece, when the picture loads, lies with
// its top-left corner at the press (logical coordinates).
TEST_F(ViewToolsTest, StampsReturnToThePointerTool) {
  const pixel_support::Pixels stamp = {16, 16, std::vector<COLORREF>(256, RGB(0, 0, 255))};
  g_editorState.m_strStampFile = pixel_support::SaveBmp(stamp, "view_tool_stamp_source.bmp").c_str();
  // The second press lands clear of the first piece, which it puts down.
  const std::pair<int, CPoint> presses[] = {{ID_TOOL_STAMP, {120, 80}}, {ID_TOOL_CALLOUT, {300, 200}}};
  for (auto [nTool, pt] : presses) {
    Zoom(2.0f, CSize(16, 0));
    m_harness.m_pFrame->m_calls.clear();
    Click(nTool, pt);
    EXPECT_EQ(std::vector<std::string>({"SelectTool 1000"}), m_harness.m_pFrame->m_calls);
    EXPECT_EQ(ID_TOOL_POINTER, g_editorState.m_nCurrentTool);
    ASSERT_TRUE(Doc()->m_pSelection != NULL);
    EXPECT_EQ(pt + CSize(16, 0), Doc()->m_pSelection->m_rect.TopLeft());
  }
}

} // namespace
