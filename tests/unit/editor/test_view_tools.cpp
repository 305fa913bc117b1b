// The view's pixel tools, text tool and stamps, driven by mouse messages to a real view; the
// results are read back from the picture, the styles, the text dialog and the shell's calls.
#include "editor/TextElement.h"
#include "editor/TextInputDlg.h"
#include "resources/resource.h"
#include "tests/common/import_patch.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/editor/editor_harness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using pixel_support::FromDib;

const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0), kPicked = RGB(10, 20, 30);
const char kRefusal[] =
    "Bring zoom level to 100% to add text!\nGo to menu View ->Actual size to zoom to 100%";

// Every SetPixel the program makes while the patch is in place, then passed on.
std::vector<CPoint> g_dots;
COLORREF WINAPI RecordSetPixel(HDC hDC, int x, int y, COLORREF clr) {
  static auto pSetPixel = reinterpret_cast<COLORREF(WINAPI*)(HDC, int, int, COLORREF)>(
      ::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "SetPixel"));
  g_dots.push_back(CPoint(x, y));
  return pSetPixel(hDC, x, y, clr);
}

DWORD WhitePixel(int, int) { return 0xFFFFFF; }
DWORD PickedPixel(int, int) { return pixel_support::ToDib(kPicked); }
// White with a black wall at x 200-201 and a black square at 100-149.
DWORD WallPixel(int x, int y) {
  return x == 200 || x == 201 || (x >= 100 && x < 150 && y >= 100 && y < 150) ? 0 : 0xFFFFFF;
}

class ViewToolsTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::memcpy(m_saved, g_editorState.m_styles, sizeof(m_saved));
    View()->GetParentFrame()->MoveWindow(0, 0, 620, 440);
    Picture(WhitePixel);
  }
  void TearDown() override {
    std::memcpy(g_editorState.m_styles, m_saved, sizeof(m_saved));
    g_editorState.m_nCurrentTool = g_editorState.m_nLastTool = 0;
    g_editorState.m_strStampFile.Empty();
  }
  CFramletDoc* Doc() { return m_harness.Doc(); }
  CFramletView* View() { return m_harness.View(); }
  HWND ViewWnd() { return View()->m_hWnd; }
  void Picture(DWORD (*pixel)(int, int)) {
    ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(400, 300, pixel)));
    View()->TakeSnapshot(); // the document leaves the view's copy of the picture it replaced
    PumpPending();
  }
  void Zoom(float fZoom, int nScrollX = 0) {
    View()->m_fZoom = fZoom;
    View()->UpdateScrollSizes();
    View()->ScrollToPosition(CPoint(0, 0));
    View()->OnScrollBy(CSize(nScrollX, 0));
    ASSERT_EQ(nScrollX, View()->m_nScrollX);
  }
  COLORREF At(int x, int y) { return FromDib(PicturePixels(Doc())[(size_t)y * 400 + x] & 0xFFFFFF); }
  static LPARAM Lp(CPoint pt) { return MAKELPARAM(pt.x, pt.y); }
  void Press(int nTool, CPoint pt, bool bRight = false) {
    g_editorState.m_nCurrentTool = nTool;
    View()->SendMessage(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, bRight ? MK_RBUTTON : MK_LBUTTON, Lp(pt));
  }
  void Move(CPoint pt) { View()->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, Lp(pt)); }
  void Release(CPoint pt, bool bRight = false) {
    View()->SendMessage(bRight ? WM_RBUTTONUP : WM_LBUTTONUP, 0, Lp(pt));
  }
  void Drag(int nTool, const std::vector<CPoint>& points, bool bRight = false) {
    Press(nTool, points.front(), bRight);
    for (size_t i = 1; i < points.size(); i++)
      Move(points[i]);
    Release(points.back(), bRight);
    PumpPending();
  }
  // Puts the real pointer on a client point of the view.
  void PointerAt(CPoint client) {
    CPoint screen = client, now;
    View()->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    ASSERT_TRUE(::GetCursorPos(&now) && now == screen);
  }
  void Shot(const char* pszName) {
    View()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CRect rc;
    View()->GetClientRect(&rc);
    EXPECT_FALSE(pixel_support::SaveBmp(pixel_support::ReadWindow(ViewWnd(), rc), pszName).empty());
  }
  std::string DialogText(int nID) {
    CString str;
    View()->m_pTextDlg->GetDlgItemText(nID, str);
    return static_cast<LPCSTR>(str);
  }

  CEditorHarness m_harness;
  DrawStyle m_saved[STYLE_GROUP_COUNT];
};

// Each tick sets int(4 k zoom) dots within int(k zoom) of the pointer, on the picture only.
TEST_F(ViewToolsTest, TheSprayTicksDotsOntoThePictureOnly) {
  struct Case {
    int nTool;
    float zoom;
    CPoint press;
    int nTicks, nDots; // -1: some, all on the picture
  } const cases[] = {{ID_TOOL_SPRAY_SMALL, 0.25f, {18, 18}, 1, 6},
                     {ID_TOOL_SPRAY_LARGE, 1.0f, {9, 9}, 4, -1}};
  CImportPatch patch("gdi32.dll", "SetPixel", reinterpret_cast<FARPROC>(&RecordSetPixel));
  ASSERT_TRUE(patch.Applied());
  for (const Case& c : cases) {
    Picture(WhitePixel);
    Zoom(c.zoom);
    g_dots.clear();
    Press(c.nTool, c.press);
    for (int i = 0; i < c.nTicks; i++)
      View()->SendMessage(WM_TIMER, 1005);
    Release(c.press);
    if (c.nDots >= 0) {
      EXPECT_EQ(std::vector<CPoint>(c.nDots, CPoint(40, 40)), g_dots) << "radius 1: every dot on one pixel";
      EXPECT_EQ(RGB(255, 0, 0), At(40, 40));
      Shot("view_tool_spray.bmp");
    } else {
      EXPECT_GT(g_dots.size(), 0u);
      for (CPoint dot : g_dots)
        ASSERT_TRUE(dot.x >= 0 && dot.y >= 0 && dot.x < 400 && dot.y < 300) << dot.x << "," << dot.y;
    }
    EXPECT_EQ(1, Doc()->m_nUndoLast) << "tool " << c.nTool;
  }
}

// The guard ends the spray as soon as the pointer leaves the image as shown, button held or not.
TEST_F(ViewToolsTest, TheSprayStopsWhenThePointerLeavesThePicture) {
  struct Case {
    float zoom;
    int nScrollX;
    CPoint pointer;
    bool bSpraying;
  } const cases[] = {
      {1.0f, 0, {100, 100}, true},  {1.0f, 0, {407, 307}, true}, {1.0f, 0, {409, 100}, false},
      {1.0f, 0, {100, 600}, false}, {2.0f, 200, {4, 100}, true}, // scrolled: the image starts off the left
      {2.0f, 200, {100, 4}, false},
  };
  for (const Case& c : cases) {
    Zoom(c.zoom, c.nScrollX);
    Press(ID_TOOL_AIR_BRUSH, CPoint(100, 100));
    PointerAt(c.pointer);
    Move(c.pointer);
    EXPECT_EQ(c.bSpraying, ::KillTimer(ViewWnd(), 1005) != FALSE) << c.pointer.x << "," << c.pointer.y;
    EXPECT_EQ(c.bSpraying, ::KillTimer(ViewWnd(), 1075) != FALSE) << "the guard keeps watching";
    Release(c.pointer);
  }
}

// The picked colour goes into the last tool's record (back colour with the right button), and
// the tool comes back; the arrows and a press beyond the picture store nothing.
TEST_F(ViewToolsTest, ThePickerStoresIntoTheLastToolsRecordAndReturnsToIt) {
  struct Case {
    int nLastTool;
    bool bRight;
    int nRecord; // -1: none
  } const cases[] = {{ID_TOOL_FREE_SELECTION, false, STYLE_SELECTION},
                     {ID_TOOL_RECT_HOLLOW, false, STYLE_SHAPES},
                     {ID_TOOL_BRUSH_DOTTED, true, STYLE_PAINT_BRUSH},
                     {ID_TOOL_SPRAY_LARGE, false, STYLE_AIR_BRUSH_FILL},
                     {ID_TOOL_FILL, true, STYLE_AIR_BRUSH_FILL},
                     {ID_TOOL_TEXT, false, STYLE_TEXT},
                     {ID_TOOL_LINE_DASH_DOT, false, STYLE_LINE_ARROW},
                     {ID_TOOL_ERASER, true, STYLE_ERASER},
                     {ID_TOOL_HIGHLIGHTER, false, STYLE_HIGHLIGHTER},
                     {ID_TOOL_ARROW, false, -1},
                     {ID_TOOL_ARROW_DOUBLE, true, -1},
                     {ID_TOOL_PAINT_BRUSH, false, -2}};
  Picture(PickedPixel);
  for (const Case& c : cases) {
    std::memcpy(g_editorState.m_styles, m_saved, sizeof(m_saved));
    DrawStyle expected[STYLE_GROUP_COUNT];
    std::memcpy(expected, m_saved, sizeof(expected));
    if (c.nRecord >= 0) // -2: a press beyond the picture
      (c.bRight ? expected[c.nRecord].backColor : expected[c.nRecord].mainColor) = kPicked;
    g_editorState.m_nLastTool = c.nLastTool;
    m_harness.m_pFrame->m_calls.clear();
    Drag(ID_TOOL_COLOR_PICKER, {c.nRecord == -2 ? CPoint(450, 200) : CPoint(50, 50)}, c.bRight);
    EXPECT_EQ(0, std::memcmp(expected, g_editorState.m_styles, sizeof(expected)))
        << "last tool " << c.nLastTool;
    EXPECT_EQ(std::vector<std::string>({"SelectTool " + std::to_string(c.nLastTool)}),
              m_harness.m_pFrame->m_calls);
    EXPECT_EQ(c.nLastTool, g_editorState.m_nCurrentTool);
  }
}

// Fill floods the pressed area in the main colour; the eraser rubs out in the back colour at its
// width (a click: a dot); the highlighter ANDs a tint of its colour into the rectangle (opacity 0:
// white, which changes nothing and so records nothing). Each change is one step.
TEST_F(ViewToolsTest, FillEraserAndHighlighterChangeThePicture) {
  const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 200, 0), kYellow = RGB(255, 255, 0);
  struct Probe {
    int x, y;
    COLORREF clr;
  };
  struct Case {
    const char* pszShot;
    int nTool;
    float zoom;
    int nOpacity;
    std::vector<CPoint> drag;
    std::vector<Probe> probes; // picture pixels
  };
  // clang-format off
  const Case cases[] = {
      {"fill", ID_TOOL_FILL, 2.0f, 255, {{50, 50}},
       {{0, 0, kRed}, {199, 299, kRed}, {200, 5, kBlack}, {120, 120, kBlack}, {300, 100, kWhite}}},
      {"eraser_click", ID_TOOL_ERASER, 1.0f, 255, {{100, 100}},
       {{92, 92, kGreen}, {96, 92, kGreen}, {92, 88, kGreen}, {92, 99, kWhite}, {85, 92, kWhite}}},
      {"eraser", ID_TOOL_ERASER, 2.0f, 255, {{58, 58}, {108, 58}, {158, 58}},
       {{25, 25, kGreen}, {75, 25, kGreen}, {50, 29, kGreen}, {50, 32, kWhite}, {82, 25, kWhite}}},
      {"highlighter", ID_TOOL_HIGHLIGHTER, 1.0f, 255, {{58, 58}, {150, 150}, {258, 208}},
       {{50, 50, kYellow}, {249, 199, kYellow}, {120, 120, kBlack}, {49, 50, kWhite}, {250, 100, kWhite}}},
      {"highlighter_0", ID_TOOL_HIGHLIGHTER, 1.0f, 0, {{58, 58}, {258, 208}},
       {{50, 50, kWhite}, {120, 120, kBlack}}},
  };
  // clang-format on
  g_editorState.m_styles[STYLE_ERASER].backColor = kGreen;
  for (const Case& c : cases) {
    g_editorState.m_styles[STYLE_HIGHLIGHTER].opacity = c.nOpacity;
    Picture(WallPixel);
    Zoom(c.zoom);
    Drag(c.nTool, c.drag);
    for (const Probe& p : c.probes)
      EXPECT_EQ(p.clr, At(p.x, p.y)) << c.pszShot << " at " << p.x << "," << p.y;
    EXPECT_EQ(c.nOpacity > 0 ? 1 : 0, Doc()->m_nUndoLast) << c.pszShot << ": one step, none for no change";
    Shot((std::string("view_tool_") + c.pszShot + ".bmp").c_str());
  }
}

// Text is placed at 100 % only: a box and the dialog with "Text", elsewhere the refusal. The
// dialog opens by the pointer moved left by the box's width, and at 10 where it would leave less
// than 250 pixels to the desktop's right or bottom edge.
TEST_F(ViewToolsTest, TheTextToolPlacesABoxAndItsDialogAt100PercentOnly) {
  CRect desk;
  ::GetWindowRect(::GetDesktopWindow(), &desk);
  struct Case {
    float zoom;
    CPoint from, to, pointer, dialog; // the last two on the screen
  } const cases[] = {
      {0.5f, {100, 100}, {220, 160}, {600, 400}, {}},
      {2.0f, {100, 100}, {220, 160}, {600, 400}, {}},
      {1.0f, {100, 100}, {220, 160}, {600, 400}, {480, 400}},
      {1.0f, {320, 260}, {200, 200}, {desk.right - 129, 300}, {10, 300}}, // dragged up and left
      {1.0f, {100, 100}, {150, 130}, {desk.right - 200, 300}, {desk.right - 250, 300}},
      {1.0f, {100, 100}, {150, 130}, {600, desk.bottom - 100}, {550, 10}},
  };
  for (const Case& c : cases) {
    MessageBoxRecorder boxes;
    Zoom(c.zoom);
    View()->CommitText(FALSE);
    ::SetCursorPos(c.pointer.x, c.pointer.y);
    Drag(ID_TOOL_TEXT, {c.from, c.to});
    CTextInputDlg* pDlg = View()->m_pTextDlg;
    if (c.zoom != 1.0f) {
      ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size()) << "zoom " << c.zoom;
      EXPECT_EQ(kRefusal, MessageBoxRecorder::Boxes()[0].first);
      EXPECT_EQ((UINT)MB_OK, MessageBoxRecorder::Boxes()[0].second & MB_TYPEMASK);
      EXPECT_TRUE(View()->m_pText->m_rect.IsRectEmpty());
      EXPECT_TRUE(pDlg == NULL || !pDlg->IsWindowVisible());
      continue;
    }
    CRect box(c.from, c.to), rcDlg;
    box.NormalizeRect();
    EXPECT_TRUE(MessageBoxRecorder::Boxes().empty());
    EXPECT_EQ(box, View()->m_pText->m_rect);
    EXPECT_EQ("Text", std::string(View()->m_pText->m_strText));
    ASSERT_NE(nullptr, pDlg);
    EXPECT_TRUE(pDlg->IsWindowVisible());
    EXPECT_EQ("Text", DialogText(IDC_TEXT_EDIT));
    pDlg->GetWindowRect(&rcDlg);
    EXPECT_EQ(c.dialog, rcDlg.TopLeft()) << "pointer " << c.pointer.x << "," << c.pointer.y;
  }
  Shot("view_tool_text.bmp");
}

// A double click in the pending text's box shows the dialog again with the text's own settings.
TEST_F(ViewToolsTest, ADoubleClickInTheBoxReopensTheDialogFromTheText) {
  Drag(ID_TOOL_TEXT, {{100, 100}, {220, 160}});
  ASSERT_NE(nullptr, View()->m_pTextDlg);
  CTextElement* pText = View()->m_pText;
  pText->m_strText = "Hello";
  pText->m_nAngle = 30;
  pText->m_nOpacity = 51;
  pText->m_clrText = 0xFF102030;
  View()->m_pTextDlg->ShowWindow(SW_HIDE);
  PointerAt(CPoint(150, 120));
  View()->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, Lp(CPoint(150, 120)));
  PumpPending();
  CTextInputDlg* pDlg = View()->m_pTextDlg;
  EXPECT_TRUE(pDlg->IsWindowVisible());
  EXPECT_EQ("Hello", DialogText(IDC_TEXT_EDIT));
  EXPECT_EQ("(30)", DialogText(IDC_TEXT_ROTATION_VALUE));
  EXPECT_EQ("(20%)", DialogText(IDC_TEXT_OPACITY_VALUE));
  EXPECT_EQ(RGB(0x10, 0x20, 0x30), pDlg->m_clrText);
  CPoint screen(160, 130);
  View()->ClientToScreen(&screen);
  EXPECT_EQ(screen, pDlg->m_ptPos) << "the pointer + (10, 10)";
  Shot("view_tool_text_reopened.bmp");
}

// A stamp or callout goes back to the pointer tool; its piece, when the picture loads, lies with
// its top-left corner at the press (logical coordinates).
TEST_F(ViewToolsTest, StampsReturnToThePointerTool) {
  pixel_support::Pixels stamp;
  stamp.cx = stamp.cy = 16;
  stamp.data.assign(256, RGB(0, 0, 255));
  g_editorState.m_strStampFile = pixel_support::SaveBmp(stamp, "view_tool_stamp_source.bmp").c_str();
  // The second press lands clear of the first piece, which it puts down.
  const std::pair<int, CPoint> presses[] = {{ID_TOOL_STAMP, {120, 80}}, {ID_TOOL_CALLOUT, {300, 200}}};
  for (const auto& press : presses) {
    Zoom(2.0f, 16);
    m_harness.m_pFrame->m_calls.clear();
    Drag(press.first, {press.second});
    EXPECT_EQ(ID_TOOL_POINTER, g_editorState.m_nCurrentTool);
    EXPECT_EQ(std::vector<std::string>({"SelectTool 1000"}), m_harness.m_pFrame->m_calls);
    ASSERT_TRUE(Doc()->m_pSelection != NULL);
    EXPECT_EQ(press.second + CSize(16, 0), Doc()->m_pSelection->m_rect.TopLeft());
  }
}

} // namespace
