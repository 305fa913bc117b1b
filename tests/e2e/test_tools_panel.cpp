// The tools panel driven with the pointer and the keys on the running program: which sub-tools
// and style controls each tool shows, the button drawn pressed, style edits reaching the next
// stroke, the stamp picker and where the keyboard focus goes.
#include "resources/resource.h"
#include "tests/common/window_support.h"
#include "tests/e2e/e2e_support.h"

#include <gdiplus.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

using namespace e2e;

namespace {

std::string Point(CPoint pt) { return std::to_string(pt.x) + "," + std::to_string(pt.y); }

// The picture's pixels with their alpha, read with GDI+.
struct AlphaPicture {
  int cx = 0, cy = 0;
  std::vector<Gdiplus::ARGB> argb;
};
AlphaPicture ReadAlphaFile(const std::string& path) {
  AlphaPicture pic;
  Gdiplus::Bitmap bitmap(std::wstring(path.begin(), path.end()).c_str());
  if (bitmap.GetLastStatus() != Gdiplus::Ok)
    return pic;
  pic.cx = (int)bitmap.GetWidth();
  pic.cy = (int)bitmap.GetHeight();
  for (int y = 0; y < pic.cy; y++)
    for (int x = 0; x < pic.cx; x++) {
      Gdiplus::Color c;
      bitmap.GetPixel(x, y, &c);
      pic.argb.push_back(c.GetValue());
    }
  return pic;
}

class ToolsPanelTest : public E2eTest {
protected:
  // The panel dialog: the parent of its opacity slider.
  HWND Panel() const {
    for (HWND h : m_app.Descendants(IDC_TOOLS_OPACITY))
      return ::GetParent(h);
    return NULL;
  }
  HWND Item(int nId) const { return ::GetDlgItem(Panel(), nId); }
  bool Shown(int nId) const { return ::IsWindowVisible(Item(nId)) != FALSE; }
  CRect Rect(HWND h) const {
    CRect rc;
    ::GetWindowRect(h, &rc);
    return rc;
  }
  // A click with the X pointer in the middle of a control of the panel.
  void Click(int nId) {
    const HWND h = Item(nId);
    SendXSteps("C" + Point(Rect(h).CenterPoint()), h);
  }
  // The pointer off the panel, over the frame's MDI background, so no button shows its hover.
  void PointerAway() {
    const CRect rc = Rect(m_app.MdiClient());
    XMoveMouse(rc.right - 20, rc.bottom - 20);
  }
  Pixels Look(int nId) const { return ReadScreen(Rect(Item(nId))); }
  static bool Same(const Pixels& a, const Pixels& b) {
    return a.cx == b.cx && a.cy == b.cy && PixelsAre(a, PixelsOf(b));
  }
  // Clicks a tool and waits until it is drawn pressed, the pointer away; stamps and callouts
  // open their picker, which Esc closes.
  void ChooseTool(int nId) {
    PointerAway();
    const Pixels before = Settled([&] { return Look(nId); });
    Click(nId);
    if (nId == ID_TOOL_STAMP || nId == ID_TOOL_CALLOUT) {
      const HWND hPicker = m_app.WaitForDialog("");
      ASSERT_NE(nullptr, hPicker) << "no picker for " << nId;
      ASSERT_TRUE(m_app.Activate(hPicker));
      PressKey(VK_ESCAPE);
      ASSERT_TRUE(WaitUntil("the picker closed", [&] { return !::IsWindow(hPicker); }));
    }
    PointerAway();
    ASSERT_TRUE(WaitUntil("tool " + std::to_string(nId) + " drawn pressed",
                          [&] { return !Same(Look(nId), before); }));
    // A tool button never keeps the keyboard focus.
    const HWND hFocus = GuiState(m_app.Frame()).hwndFocus;
    EXPECT_TRUE(hFocus == NULL || ::GetParent(hFocus) != Panel()) << "focus on a panel control after " << nId;
  }
};

// The main tools and what the panel shows for each: the sub-tool ids shown, the style controls,
// the width field and the width of the group's record.
struct ToolRow {
  int nTool;
  const char* pszName;
  int nFirstSub, nLastSub; // 0, 0: none
  bool bStyle, bWidth;
  const char* pszWidth;
};
const ToolRow kTools[] = {
    {ID_TOOL_POINTER, "pointer", 0, 0, false, false, ""},
    {ID_TOOL_ZOOM_IN, "zoom_in", 0, 0, false, false, ""},
    {ID_TOOL_ZOOM_OUT, "zoom_out", 0, 0, false, false, ""},
    {ID_TOOL_SELECT_REGION, "select", ID_TOOL_RECT_SELECTION, ID_TOOL_FREE_SELECTION, false, false, ""},
    {ID_TOOL_PAINT_BRUSH, "paint_brush", ID_TOOL_BRUSH_FLAT, ID_TOOL_BRUSH_DOTTED, true, true, "3"},
    {ID_TOOL_AIR_BRUSH, "air_brush", ID_TOOL_SPRAY_SMALL, ID_TOOL_SPRAY_LARGE, false, false, ""},
    {ID_TOOL_COLOR_PICKER, "color_picker", 0, 0, false, false, ""},
    {ID_TOOL_FILL, "fill", 0, 0, false, false, ""},
    {ID_TOOL_TEXT, "text", 0, 0, true, false, ""},
    {ID_TOOL_STAMP, "stamp", 0, 0, false, false, ""},
    {ID_TOOL_LINE, "line", ID_TOOL_LINE_SOLID, ID_TOOL_LINE_DASH_DOT, true, true, "3"},
    {ID_TOOL_ARROW, "arrow", ID_TOOL_ARROW_SMART, ID_TOOL_ARROW_DOUBLE, true, true, "3"},
    {ID_TOOL_SHAPES, "shapes", ID_TOOL_RECT_FRAMED, ID_TOOL_FREESHAPE_FILLED, true, true, "3"},
    {ID_TOOL_CALLOUT, "callout", 0, 0, true, true, "3"},
    {ID_TOOL_ERASER, "eraser", 0, 0, false, false, ""},
    {ID_TOOL_HIGHLIGHTER, "highlighter", 0, 0, false, false, ""},
};
const int kStyleControls[] = {IDC_TOOLS_OPACITY, IDC_TOOLS_ANTIALIAS, IDC_TOOLS_DROP_SHADOW,
                              IDC_TOOLS_STYLE_GROUP, IDC_TOOLS_SHADOW_SETTINGS};
const int kWidthControls[] = {IDC_TOOLS_WIDTH, IDC_TOOLS_WIDTH_SPIN};

bool IsSubTool(int nId) {
  return (nId >= ID_TOOL_RECT_SELECTION && nId <= ID_TOOL_LINE_DASH_DOT) ||
         (nId >= ID_TOOL_ARROW_SMART && nId <= ID_TOOL_ARROW_DOUBLE);
}

// Every tool button clicked with the pointer: the row of sub-tools and the style controls of its
// group, the button drawn pressed (and the one before no longer), a picture of the panel each.
TEST_F(ToolsPanelTest, EachToolShowsItsRowAndStyleControls) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NE(nullptr, Panel());
  const CRect panel = Rect(Panel());
  for (const ToolRow& row : kTools) {
    SCOPED_TRACE(row.pszName);
    ASSERT_NO_FATAL_FAILURE(ChooseTool(row.nTool));
    auto expectShown = [&] {
      for (int id = ID_TOOL_RECT_SELECTION; id <= ID_TOOL_ARROW_DOUBLE; id++)
        if (IsSubTool(id) && Shown(id) != (id >= row.nFirstSub && id <= row.nLastSub))
          return ::testing::AssertionFailure() << "sub-tool " << id << (Shown(id) ? " shown" : " hidden");
      if (Shown(IDC_TOOLS_GROUP_MORE) != (row.nFirstSub != 0))
        return ::testing::AssertionFailure() << "the More Options box";
      for (int id : kStyleControls)
        if (Shown(id) != row.bStyle)
          return ::testing::AssertionFailure() << "style control " << id;
      for (int id : kWidthControls)
        if (Shown(id) != row.bWidth)
          return ::testing::AssertionFailure() << "width control " << id;
      if (row.bWidth && m_app.Text(Item(IDC_TOOLS_WIDTH)) != row.pszWidth)
        return ::testing::AssertionFailure() << "width " << m_app.Text(Item(IDC_TOOLS_WIDTH));
      return ::testing::AssertionSuccess();
    };
    ASSERT_TRUE(WaitFor([&] { return (bool)expectShown(); }, 5000)) << expectShown().message();
    SaveScreenshot(panel, (std::string("tools_panel_") + row.pszName + ".bmp").c_str());
    // Each sub-tool takes the pressed look from the one before; the row stays.
    int nPrevious = row.nTool;
    Pixels previousUp;
    for (int id = row.nFirstSub; row.nFirstSub != 0 && id <= row.nLastSub; id++) {
      PointerAway();
      const Pixels up = Settled([&] { return Look(id); });
      ASSERT_NO_FATAL_FAILURE(ChooseTool(id));
      if (nPrevious != row.nTool)
        EXPECT_TRUE(WaitUntil("sub-tool " + std::to_string(nPrevious) + " drawn up again",
                              [&] { return Same(Look(nPrevious), previousUp); }));
      EXPECT_TRUE(expectShown()) << "after sub-tool " << id;
      SaveScreenshot(panel, ("tools_panel_" + std::string(row.pszName) + "_" +
                             std::to_string(id - row.nFirstSub + 1) + ".bmp")
                                .c_str());
      nPrevious = id;
      previousUp = up;
    }
  }
}

// The style controls come back when a tool that has them follows one that has none: the "..."
// button beside "Drop Shadow" shows its dots at once, the pointer nowhere near it.
TEST_F(ToolsPanelTest, ShadowSettingsButtonIsDrawnWhenTheStyleControlsComeBack) {
  ASSERT_TRUE(m_app.Start());
  const HWND hButton = Item(IDC_TOOLS_SHADOW_SETTINGS);
  ASSERT_NE(nullptr, hButton);
  auto dots = [&] {
    const Pixels px = Look(IDC_TOOLS_SHADOW_SETTINGS);
    int nInk = 0;
    for (COLORREF c : px.data)
      nInk += GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
    return nInk;
  };
  for (int nTool : {ID_TOOL_LINE, ID_TOOL_SHAPES}) {
    SCOPED_TRACE(nTool);
    ASSERT_NO_FATAL_FAILURE(ChooseTool(ID_TOOL_AIR_BRUSH));
    ASSERT_TRUE(WaitUntil("the style controls hidden", [&] { return !Shown(IDC_TOOLS_SHADOW_SETTINGS); }));
    ASSERT_NO_FATAL_FAILURE(ChooseTool(nTool));
    ASSERT_TRUE(WaitUntil("the style controls shown", [&] { return Shown(IDC_TOOLS_SHADOW_SETTINGS); }));
    const bool bDrawn = WaitFor([&] { return dots() >= 3 && Painted(Panel()); });
    SaveScreenshot(Rect(Item(IDC_TOOLS_STYLE_GROUP)),
                   ("tools_panel_shadow_button_" + std::to_string(nTool) + ".bmp").c_str());
    EXPECT_TRUE(bDrawn) << "the \"...\" button not drawn: " << dots() << " pixels of its dots";
  }
}

// Width three steps up the spin, the main colour from its popup (its second colour) and
// antialiasing off: the next line is that many rows of exactly that colour. A tool button clicked
// after it leaves the keys with the frame: Ctrl+Z undoes the line.
TEST_F(ToolsPanelTest, StyleEditsReachTheNextStrokeAndKeysStayWithTheFrame) {
  const COLORREF crBrown = RGB(165, 42, 0); // the second colour of the popup's first row
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_TRUE(m_app.PictureIs(kArea.Size(), PatternOf(kArea)));
  ASSERT_NO_FATAL_FAILURE(ChooseTool(ID_TOOL_LINE));
  ASSERT_NO_FATAL_FAILURE(ChooseTool(ID_TOOL_LINE_SOLID));
  const HWND hSpin = Item(IDC_TOOLS_WIDTH_SPIN);
  for (int nWidth = 4; nWidth <= 6; nWidth++) {
    SendXSteps("C" + Point(Rect(hSpin).TopLeft() + CPoint(5, 3)), hSpin);
    ASSERT_TRUE(WaitUntil("width " + std::to_string(nWidth),
                          [&] { return m_app.Text(Item(IDC_TOOLS_WIDTH)) == std::to_string(nWidth); }));
  }
  Click(IDC_TOOLS_MAIN_COLOR);
  HWND hPopup = NULL;
  ASSERT_TRUE(WaitUntil("the colour popup", [&] { return (hPopup = m_app.ShownMenu()) != NULL; }));
  // The popup's cell of that colour, found on the screen.
  const CRect popup = Rect(hPopup);
  CRect cell;
  auto findCell = [&] {
    const Pixels cells = ReadScreen(popup);
    cell.SetRect(INT_MAX, INT_MAX, -1, -1);
    for (int y = 0; y < cells.cy; y++)
      for (int x = 0; x < cells.cx; x++)
        if (cells.At(x, y) == crBrown)
          cell.UnionRect(cell.right < 0 ? CRect(x, y, x + 1, y + 1) : cell, CRect(x, y, x + 1, y + 1));
    return cell.right >= 0;
  };
  const bool bFound = WaitFor(findCell);
  SaveScreenshot(popup, "tools_panel_colour_popup.bmp");
  ASSERT_TRUE(bFound) << "no cell of the colour in the popup " << ToString(popup);
  SendXSteps("C" + Point(popup.TopLeft() + cell.CenterPoint()), hPopup);
  ASSERT_TRUE(WaitUntil("the colour popup closed", [&] { return m_app.ShownMenu() == NULL; }));
  PointerAway();
  const Pixels checked = Settled([&] { return Look(IDC_TOOLS_ANTIALIAS); });
  Click(IDC_TOOLS_ANTIALIAS);
  PointerAway();
  ASSERT_TRUE(WaitUntil("Antialias unticked", [&] { return !Same(Look(IDC_TOOLS_ANTIALIAS), checked); }));

  // The check box keeps the focus; the tool button clicked again hands it back to the frame.
  Click(ID_TOOL_LINE_SOLID);
  ASSERT_TRUE(WaitUntil("the focus off the panel",
                        [&] { return ::GetParent(GuiState(m_app.Frame()).hwndFocus) != Panel(); }));
  const Pixels captured = Settled([&] { return m_app.ReadPicture(kArea.Size()); });
  ASSERT_NO_FATAL_FAILURE(DrawLine(kArea.Size(), CPoint(20, 50), CPoint(180, 50)));
  const Pixels drawn = Settled([&] { return m_app.ReadPicture(kArea.Size()); });
  for (int x : {60, 100, 140}) {
    int nRows = 0;
    for (int y = 0; y < drawn.cy; y++)
      nRows += drawn.At(x, y) == crBrown;
    EXPECT_EQ(6, nRows) << "rows of the line's colour at x " << x;
  }

  ASSERT_NO_FATAL_FAILURE(ChooseTool(ID_TOOL_PAINT_BRUSH));
  PressKey('Z', MOD_CONTROL);
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PixelsOf(captured))) << "Ctrl+Z after a tool click";
}

// A rectangle drawn on a new picture, then the Fill tool: a click inside the rectangle floods its
// inside with the main colour the panel shows, the white around it stays; a click beside it floods
// the white. The saved file holds what the view shows.
TEST_F(ToolsPanelTest, FillFloodsTheClickedAreaWithTheColourShown) {
  const CSize size(400, 300);
  const std::string path = TempPath("e2efilled.png");
  ::DeleteFileA(path.c_str());
  ASSERT_TRUE(m_app.Start());
  ASSERT_TRUE(m_app.Activate());
  PressKey('N', MOD_CONTROL);
  ASSERT_TRUE(m_app.WaitForDocuments(1, size));
  ASSERT_TRUE(m_app.PictureIs(size, [](int, int) { return RGB(255, 255, 255); }));
  // The tool at start draws framed, filled rectangles.
  ASSERT_NO_FATAL_FAILURE(DrawLine(size, CPoint(100, 80), CPoint(300, 220)));
  ASSERT_NO_FATAL_FAILURE(ChooseTool(ID_TOOL_FILL));
  const Pixels swatch = Look(IDC_TOOLS_MAIN_COLOR);
  const COLORREF crShown = swatch.At(swatch.cx / 2, swatch.cy / 2);
  const HWND hView = m_app.View();
  const CPoint origin = m_app.PictureOrigin(), inside(200, 150), beside(30, 30);
  auto shown = [&](CPoint at) { return m_app.ReadPicture(size).At(at.x, at.y); };
  SendXSteps("C" + Point(origin + inside), hView);
  ASSERT_TRUE(WaitUntil("the rectangle filled", [&] { return shown(inside) == crShown; }))
      << "shows 0x" << std::hex << shown(inside) << ", the panel 0x" << crShown;
  EXPECT_EQ(RGB(255, 255, 255), shown(beside));
  SendXSteps("C" + Point(origin + beside), hView);
  ASSERT_TRUE(WaitUntil("the white filled", [&] { return shown(beside) == crShown; }));
  const Pixels filled = Settled([&] { return m_app.ReadPicture(size); });
  SaveScreenshot(CRect(origin, size), "tools_panel_filled.bmp");

  ASSERT_TRUE(m_app.Menu('F', 'A'));
  ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(path, "Save As"));
  ASSERT_TRUE(WaitUntil("the saved file's name in the title", [&] {
    return m_app.Text(m_app.Frame()).find("e2efilled.png") != std::string::npos;
  }));
  EXPECT_TRUE(PixelsAre(ReadPictureFile(path), PixelsOf(filled))) << path;
  ::DeleteFileA(path.c_str());
}

// The stamp tool opens the picker; the second picture picked with the keys is pasted where the
// view is clicked, as the file's pixels over the picture, and one undo takes it back.
TEST_F(ToolsPanelTest, AStampPickedIsPastedAsItsPicture) {
  const CRect area(100, 100, 500, 300);
  const CPoint at(20, 20);
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(area));
  ASSERT_TRUE(m_app.PictureIs(area.Size(), PatternOf(area)));
  const Pixels before = Settled([&] { return m_app.ReadPicture(area.Size()); });
  PointerAway();
  Click(ID_TOOL_STAMP);
  const HWND hPicker = m_app.WaitForDialog("");
  ASSERT_NE(nullptr, hPicker) << "no stamp picker";
  SaveScreenshot(Rect(hPicker), "tools_panel_stamp_picker.bmp");
  ASSERT_TRUE(m_app.Activate(hPicker));
  PressKey(VK_RIGHT);
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitUntil("the picker closed", [&] { return !::IsWindow(hPicker); }));

  const HWND hView = m_app.View();
  ASSERT_TRUE(m_app.Activate());
  SendXSteps("C" + Point(m_app.PictureOrigin() + at), hView);
  ASSERT_TRUE(WaitUntil("the stamp pasted", [&] { return !Same(m_app.ReadPicture(area.Size()), before); }));
  PointerAway();
  const Pixels pasted = Settled([&] { return m_app.ReadPicture(area.Size()); });

  // The stamp's pixels blended over the picture, inside the frame the pasted piece is drawn with.
  const int kFrame = 3, kTolerance = 3;
  std::string matched;
  WIN32_FIND_DATAA data;
  const std::string folder = ProgramFolder() + "\\stamps\\";
  HANDLE hFind = ::FindFirstFileA((folder + "*.png").c_str(), &data);
  ASSERT_NE(INVALID_HANDLE_VALUE, hFind) << folder;
  do {
    const AlphaPicture stamp = ReadAlphaFile(folder + data.cFileName);
    if (stamp.cx + at.x > area.Width() || stamp.cy + at.y > area.Height())
      continue;
    bool bSame = stamp.cx > 2 * kFrame;
    for (int y = kFrame; bSame && y < stamp.cy - kFrame; y++)
      for (int x = kFrame; bSame && x < stamp.cx - kFrame; x++) {
        const Gdiplus::Color c(stamp.argb[(size_t)(y * stamp.cx + x)]);
        const COLORREF d = before.At(at.x + x, at.y + y), p = pasted.At(at.x + x, at.y + y);
        auto blend = [&](int s, int t) { return (s * c.GetA() + t * (255 - c.GetA())) / 255; };
        bSame = std::abs(blend(c.GetR(), GetRValue(d)) - GetRValue(p)) <= kTolerance &&
                std::abs(blend(c.GetG(), GetGValue(d)) - GetGValue(p)) <= kTolerance &&
                std::abs(blend(c.GetB(), GetBValue(d)) - GetBValue(p)) <= kTolerance;
      }
    if (bSame)
      matched += std::string(matched.empty() ? "" : " ") + data.cFileName;
  } while (::FindNextFileA(hFind, &data));
  ::FindClose(hFind);
  EXPECT_FALSE(matched.empty()) << "the pasted pixels are no stamp's picture";
  EXPECT_EQ(std::string::npos, matched.find(' ')) << matched;
  SaveScreenshot(CRect(m_app.PictureOrigin(), area.Size()), "tools_panel_stamp_pasted.bmp");

  // A click beside the piece, with the pointer tool the stamp hands over to, puts it down.
  ASSERT_TRUE(m_app.Activate());
  SendXSteps("C" + Point(m_app.PictureOrigin() + CPoint(area.Width() - 10, area.Height() - 10)), hView);
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(true, false));
  ASSERT_TRUE(m_app.Activate());
  PressKey('Z', MOD_CONTROL);
  EXPECT_TRUE(m_app.PictureIs(area.Size(), PixelsOf(before))) << "after one undo";
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, true));
}

} // namespace
