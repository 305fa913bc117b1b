// Random sequences of the view's drawing tools, selections, clipboard commands, zooms, scrolls,
// undos and redos, from fixed seeds, on a small picture. After every action that leaves nothing
// afloat (every eighth while the view shows scroll bars), the history is walked through the view's
// Undo and Redo commands to its start, to its end and back to where it stood: every picture on the
// way must be the one seen there before, the steps known from the last walk must still be there,
// and the start must be the original picture for as long as the history cannot have dropped its
// oldest steps. No action may leave a message box or the mouse held. A failure names the seed, the
// action and every action before it, which replays the same run.
#include "editor/TextElement.h"
#include "tests/unit/editor/editor_harness.h"

#include <numeric>
#include <random>

namespace {

const int kCx = 160, kCy = 120;
const int kActionsPerSeed = 600;
const size_t kRecords = CFramletDoc::kUndoRecords; // the base picture and twenty steps
// No action records more steps than this: a floating piece drawn in, then the action's own.
const size_t kStepsPerAction = 3;
// While the view shows scroll bars the walk follows only every so many actions: each Undo and
// Redo updates the bars, and redrawing a bar takes about 5 ms under Wine.
const size_t kWalkEvery = 8;

DWORD Pattern(int x, int y) { return 0x204060u + (DWORD)(((x / 8) * 0x0C0000) ^ ((y / 6) * 0x000B00)) + x; }
DWORD PiecePixel(int x, int y) { return (x + y) % 5 == 0 ? 0xC03010u : 0x10A0E0u; }
DWORD WhitePixel(int, int) { return 0xFFFFFF; }

// The picture as it is: its size and the colour bytes of every pixel. The fourth byte is no part
// of the picture: a change of it alone is not recorded, so the history does not bring it back.
struct State {
  CSize size;
  std::vector<DWORD> px;
  bool operator==(const State& o) const { return size == o.size && px == o.px; }
  bool operator!=(const State& o) const { return !(*this == o); }
};

// clang-format off
const int kDrawingTools[] = {ID_TOOL_PAINT_BRUSH, ID_TOOL_BRUSH_FLAT, ID_TOOL_BRUSH_ROUND, ID_TOOL_BRUSH_DASHED,
    ID_TOOL_BRUSH_DOTTED, ID_TOOL_LINE, ID_TOOL_LINE_DOTTED, ID_TOOL_ARROW, ID_TOOL_ARROW_SMART,
    ID_TOOL_ARROW_DOUBLE, ID_TOOL_SHAPES, ID_TOOL_RECT_FRAMED, ID_TOOL_ROUNDRECT_HOLLOW, ID_TOOL_ELLIPSE_FILLED,
    ID_TOOL_RECT_FILLED, ID_TOOL_ELLIPSE_HOLLOW, ID_TOOL_FREESHAPE_FRAMED, ID_TOOL_FREESHAPE_FILLED,
    ID_TOOL_ERASER, ID_TOOL_HIGHLIGHTER, ID_TOOL_FILL, ID_TOOL_POINTER, ID_TOOL_ZOOM_OUT};
// clang-format on
const int kSprayTools[] = {ID_TOOL_AIR_BRUSH, ID_TOOL_SPRAY_SMALL, ID_TOOL_SPRAY_LARGE};
const int kSelectionTools[] = {ID_TOOL_RECT_SELECTION, ID_TOOL_SELECT_REGION, ID_TOOL_CIRCLE_SELECTION,
                               ID_TOOL_FREE_SELECTION};
const UINT kCommands[] = {ID_EDIT_SELECT_ALL_IMAGE, ID_EDIT_PASTE, ID_EDIT_COPY, ID_EDIT_CUT,
                          ID_EDIT_CLEAR_SELECTION,  ID_EDIT_CROP};
const UINT kScrollCodes[] = {SB_LINEDOWN, SB_LINEUP, SB_PAGEDOWN, SB_PAGEUP, SB_TOP, SB_BOTTOM};

class ViewFuzzTest : public EditorViewTest, public ::testing::WithParamInterface<unsigned> {
protected:
  void SetUp() override {
    EditorViewTest::SetUp();
    View()->GetParentFrame()->MoveWindow(0, 0, 400, 320); // room for the picture up to 200 %
    SetPicture(kCx, kCy, Pattern);
    ASSERT_TRUE(::OpenClipboard(View()->m_hWnd));
    ::EmptyClipboard();
    ASSERT_NE(nullptr, ::SetClipboardData(CF_BITMAP, MakePictureBitmap(24, 16, PiecePixel)));
    ::CloseClipboard();
  }

  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
  bool Chance(int nPercent) { return Uniform(0, 99) < nPercent; }
  template <typename T, size_t N> T Pick(const T (&items)[N]) { return items[Uniform(0, (int)N - 1)]; }
  // A command without the paint that EditorViewTest::Command lets follow.
  void Send(UINT nID) { View()->SendMessage(WM_COMMAND, nID); }

  // Mostly on the picture as shown, at times on one of its canvas handles (just outside its edges),
  // otherwise anywhere around and beyond the view.
  CPoint RandomPoint() {
    const CSize size = Doc()->GetImageSize();
    const float z = View()->m_fZoom;
    const CRect shown = CRect(8, 8, 8 + (int)(size.cx * z), 8 + (int)(size.cy * z)) -
                        CPoint(View()->m_nScrollX, View()->m_nScrollY);
    const int nWhere = Uniform(0, 99);
    if (nWhere < 70)
      return CPoint(Uniform(shown.left, shown.right), Uniform(shown.top, shown.bottom));
    if (nWhere < 80) {
      const int xs[] = {shown.left - 2, shown.CenterPoint().x, shown.right + 2};
      const int ys[] = {shown.top - 2, shown.CenterPoint().y, shown.bottom + 2};
      const int n = (Uniform(0, 7) + 5) % 9; // any but the middle
      return CPoint(xs[n % 3], ys[n / 3]);
    }
    CRect rcClient;
    View()->GetClientRect(&rcClient);
    return CPoint(Uniform(-30, rcClient.right + 30), Uniform(-30, rcClient.bottom + 30));
  }
  static std::string Text(CPoint pt) { return "(" + std::to_string(pt.x) + "," + std::to_string(pt.y) + ")"; }
  void Post(UINT nMsg, WPARAM wParam, CPoint pt) {
    View()->PostMessage(nMsg, wParam, MAKELPARAM(pt.x, pt.y));
  }

  // Press, moves and release, all posted first: a tracker's loop that the press starts takes the
  // rest from the queue as it would from the mouse. Its loop follows the left button only, so a
  // right-button drag ends with Escape, which such a loop takes as a cancel.
  std::string Drag(int nTool, const std::vector<CPoint>& points, bool bRight, UINT nKeys = 0) {
    g_editorState.m_nCurrentTool = nTool;
    const UINT nHeld = bRight ? MK_RBUTTON : MK_LBUTTON;
    Post(bRight ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, nKeys | nHeld, points.front());
    for (size_t i = 1; i < points.size(); i++)
      Post(WM_MOUSEMOVE, nKeys | nHeld, points[i]);
    Post(bRight ? WM_RBUTTONUP : WM_LBUTTONUP, nKeys, points.back());
    if (bRight)
      View()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    PumpPending();
    std::string text =
        "drag tool " + std::to_string(nTool) + (bRight ? " right" : "") + (nKeys ? " ctrl" : "");
    for (CPoint pt : points)
      text += " " + Text(pt);
    return text;
  }
  std::vector<CPoint> RandomPoints(int nMin, int nMax) {
    std::vector<CPoint> points(Uniform(nMin, nMax));
    for (CPoint& pt : points)
      pt = RandomPoint();
    return points;
  }

  std::string Spray() {
    const int nTool = Pick(kSprayTools);
    g_editorState.m_nCurrentTool = nTool;
    const CPoint at = RandomPoint(), to = RandomPoint();
    const int nTicks = Uniform(1, 3);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, at);
    for (int i = 0; i < nTicks; i++) // the spray's timer, as it would tick
      View()->PostMessage(WM_TIMER, 1005, 0);
    Post(WM_MOUSEMOVE, MK_LBUTTON, to);
    View()->PostMessage(WM_TIMER, 1005, 0);
    Post(WM_LBUTTONUP, 0, to);
    PumpPending();
    return "spray " + std::to_string(nTool) + " " + Text(at) + " " + std::to_string(nTicks) + " ticks " +
           Text(to);
  }

  // A drag from the middle of the outline or of the floating piece.
  std::string MoveSelection() {
    CRect rc = View()->m_selTracker.m_rect;
    if (rc.IsRectEmpty() && Doc()->m_pSelection != NULL) {
      rc = Doc()->m_pSelection->m_rect;
      rc.OffsetRect(-View()->m_nScrollX, -View()->m_nScrollY);
    }
    if (rc.IsRectEmpty())
      return "move selection (none)";
    rc.NormalizeRect();
    return "move selection: " + Drag(ID_TOOL_RECT_SELECTION, {rc.CenterPoint(), RandomPoint()}, false,
                                     Chance(20) ? MK_CONTROL : 0);
  }

  std::string Polygon() {
    g_editorState.m_nCurrentTool = ID_TOOL_POLYGON_SELECTION;
    std::string text = "polygon";
    CPoint pt;
    for (int i = Uniform(2, 5); i > 0; i--) {
      pt = RandomPoint();
      Post(WM_LBUTTONDOWN, MK_LBUTTON, pt);
      Post(WM_LBUTTONUP, 0, pt);
      text += " " + Text(pt);
    }
    if (Chance(80)) {
      Post(WM_LBUTTONDBLCLK, MK_LBUTTON, pt);
      Post(WM_LBUTTONUP, 0, pt);
      text += " closed";
    }
    PumpPending();
    return text;
  }

  // One random action; nUndos and nRedos count the Undo and Redo commands it sent.
  std::string Act(int& nUndos, int& nRedos) {
    nUndos = nRedos = 0;
    if (!Settled() && Chance(35))
      return MoveSelection(); // outlines and pieces are there to be dragged
    const int nKind = Uniform(0, 99);
    if (nKind < 30)
      return Drag(Pick(kDrawingTools), RandomPoints(1, 5), Chance(15));
    if (nKind < 34)
      return Spray();
    if (nKind < 37) {
      g_editorState.m_nLastTool = Pick(kDrawingTools);
      return Drag(ID_TOOL_COLOR_PICKER, {RandomPoint()}, Chance(50));
    }
    if (nKind < 49)
      return Drag(Pick(kSelectionTools), RandomPoints(2, 4), false, Chance(10) ? MK_CONTROL : 0);
    if (nKind < 59)
      return MoveSelection();
    if (nKind < 61)
      return Polygon();
    if (nKind < 70) {
      const UINT nID = Pick(kCommands);
      if (nID == ID_EDIT_CROP && Chance(70))
        return "no crop"; // crops shrink the picture for good; keep them rare
      Command(nID);
      return "command " + std::to_string(nID);
    }
    if (nKind < 90) { // Undo or Redo once to three times
      int& nCount = nKind < 82 ? nUndos : nRedos;
      nCount = Uniform(1, 3);
      for (int i = 0; i < nCount; i++)
        Send(nKind < 82 ? ID_EDIT_UNDO : ID_EDIT_REDO);
      PumpPending();
      return (nKind < 82 ? "undo x" : "redo x") + std::to_string(nCount);
    }
    if (nKind < 95) {
      // Any of the zooms 25 % to 800 %, through the menu's commands.
      const int nSteps = Uniform(-2, 3);
      Send(ID_VIEW_ACTUAL_SIZE);
      for (int n = 0; n < std::abs(nSteps); n++)
        Send(nSteps > 0 ? ID_VIEW_ZOOM_IN : ID_VIEW_ZOOM_OUT);
      PumpPending();
      return "zoom to 100 % and " + std::to_string(nSteps) + " steps";
    }
    const bool bHorz = Chance(50);
    const UINT nCode = Pick(kScrollCodes);
    View()->SendMessage(bHorz ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(nCode, 0), 0);
    PumpPending();
    return std::string(bHorz ? "hscroll " : "vscroll ") + std::to_string(nCode);
  }

  // Nothing floats, no outline or open polygon waits: a walk's first Undo would settle those,
  // which is a step of its own that the random sequence should get to choose.
  bool Settled() {
    return Doc()->m_pSelection == NULL && View()->m_selTracker.m_rect.IsRectEmpty() &&
           !View()->m_bPolygonOpen;
  }
  State Picture() { return {BitmapSizeOf(Doc()->m_pImage->GetBitmap()), PictureColours(Doc())}; }
  // One Undo or Redo and the picture after it. The walk does not paint between its steps (a
  // user's quick presses do not either): the picture must have its image rectangle's size at once.
  std::string Step(UINT nID, State& shot) {
    Send(nID);
    shot = Picture();
    const CSize image = Doc()->GetImageSize();
    if (shot.size == image)
      return "";
    return std::string(nID == ID_EDIT_UNDO ? "Undo" : "Redo") + " leaves a picture of " + Size(shot.size) +
           " in an image rectangle of " + Size(image);
  }
  static std::string Size(CSize size) { return std::to_string(size.cx) + " x " + std::to_string(size.cy); }

  // Undo to the start, redo to the end and undo back to where the document stood, through the
  // view's commands. Each picture on the way must be the one seen at that place before. Fills
  // the history's pictures and the position; the reason of a failure otherwise.
  std::string WalkHistory(std::vector<State>& states, size_t& nPos) {
    PumpPending(); // a paint cuts or grows the picture to a new image rectangle
    std::vector<State> down{Picture()};
    State shot;
    std::string why;
    while (Enabled(&CFramletView::OnUpdateEditUndo) == 1) {
      if (down.size() > kRecords)
        return "Undo is still enabled after " + std::to_string(kRecords) + " steps";
      if (!(why = Step(ID_EDIT_UNDO, shot)).empty())
        return why;
      down.push_back(shot);
    }
    nPos = down.size() - 1;
    states.assign(down.rbegin(), down.rend());
    for (size_t i = 1; Enabled(&CFramletView::OnUpdateEditRedo) == 1; i++) {
      if (i >= kRecords)
        return "Redo is still enabled after " + std::to_string(kRecords) + " steps";
      if (!(why = Step(ID_EDIT_REDO, shot)).empty())
        return why;
      if (i > nPos)
        states.push_back(shot);
      else if (shot != states[i])
        return "Redo " + std::to_string(i) + " from the start gives another picture than Undo left there (" +
               Difference(shot, states[i]) + ")";
    }
    if (states.size() <= nPos)
      return "Redo stops before the picture the walk started from";
    for (size_t i = states.size() - 1; i > nPos; i--) {
      if (!(why = Step(ID_EDIT_UNDO, shot)).empty())
        return why;
      if (shot != states[i - 1])
        return "Undo back to the starting place gives another picture than Redo left there (" +
               Difference(shot, states[i - 1]) + ")";
    }
    return "";
  }

  // The walk against the history known before the actions since the last walk: its steps up to
  // nLowest (the lowest place those actions can have reached) are kept, but for the oldest
  // nDropped at most, which a history grown past its length drops.
  std::string CompareHistory(const std::vector<State>& states, size_t nLowest, size_t nDropped) {
    for (size_t t = 0; t <= std::min(nLowest, nDropped); t++) {
      bool bKept = true;
      for (size_t i = 0; i + t <= nLowest && bKept; i++)
        bKept = i < states.size() && states[i] == m_states[t + i];
      if (bKept)
        return "";
    }
    const std::string detail = " (" + Difference(states[0], m_states[0]) + ")";
    return (nDropped == 0 ? "Undo to the start does not give the original picture"
                          : "the history lost a step it had before") +
           detail;
  }

  // How two pictures differ, for the failure message.
  static std::string Difference(const State& a, const State& b) {
    if (a.size != b.size)
      return Size(a.size) + " against " + Size(b.size);
    return std::to_string(std::inner_product(a.px.begin(), a.px.end(), b.px.begin(), size_t(0), std::plus<>(),
                                             std::not_equal_to<>())) +
           " pixels differ";
  }

  std::string Trail(unsigned nSeed, size_t nIndex) const {
    std::ostringstream out;
    out << "seed " << nSeed << ", action " << nIndex << "; the actions so far:\n";
    for (size_t i = 0; i < m_actions.size(); i++)
      out << "  " << i << ": " << m_actions[i] << "\n";
    return out.str();
  }

  MessageBoxRecorder m_boxes;
  std::mt19937 m_rng;
  std::vector<std::string> m_actions;
  std::vector<State> m_states; // the history's pictures at the last walk
};

TEST_P(ViewFuzzTest, UndoAndRedoWalkTheWholeHistoryAfterRandomActions) {
  const unsigned nSeed = GetParam();
  m_rng.seed(nSeed);
  std::srand(nSeed); // the spray's dots
  size_t nLowest = 0;
  std::string why = WalkHistory(m_states, nLowest);
  ASSERT_EQ("", why);
  ASSERT_EQ(1u, m_states.size()) << "a new picture has no steps";
  // Since the last walk: the lowest place the history can have been at, whether only Undo and
  // Redo ran from a settled document (and where they should have left it), and how many actions.
  size_t nExpectedPos = nLowest;
  bool bOnlyMoves = true;
  size_t nActions = 0;
  for (int i = 0; i < kActionsPerSeed; i++) {
    const bool bSettledBefore = Settled();
    int nUndos = 0, nRedos = 0;
    m_actions.push_back(Act(nUndos, nRedos));
    nActions++;
    if (!MessageBoxRecorder::Boxes().empty())
      why = "a message box: " + MessageBoxRecorder::Boxes().front().first;
    else if (::GetCapture() == View()->m_hWnd)
      why = "the view still holds the mouse after the release";
    bOnlyMoves = bOnlyMoves && bSettledBefore && (nUndos > 0 || nRedos > 0);
    nExpectedPos = nUndos > 0 ? nExpectedPos - std::min(nExpectedPos, (size_t)nUndos)
                              : std::min(m_states.size() - 1, nExpectedPos + (size_t)nRedos);
    nLowest -= std::min(nLowest, (size_t)nUndos);
    const bool bBars = (View()->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) != 0;
    if (why.empty() && Settled() && (nActions >= kWalkEvery || !bBars)) {
      std::vector<State> states;
      size_t nNewPos = 0;
      why = WalkHistory(states, nNewPos);
      if (why.empty() && bOnlyMoves)
        why = states != m_states        ? "Undo or Redo changed a picture of the history"
              : nNewPos != nExpectedPos ? "Undo or Redo left the history at step " + std::to_string(nNewPos) +
                                              ", not " + std::to_string(nExpectedPos)
                                        : "";
      else if (why.empty()) {
        const size_t nGrown = m_states.size() + kStepsPerAction * nActions;
        why = CompareHistory(states, nLowest, nGrown > kRecords ? nGrown - kRecords : 0);
      }
      m_states = std::move(states);
      nLowest = nExpectedPos = nNewPos;
      bOnlyMoves = true;
      nActions = 0;
    }
    ASSERT_TRUE(why.empty()) << why << "\n" << Trail(nSeed, i);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ViewFuzzTest, ::testing::Values(7u, 1234u, 90210u));

// ---------------------------------------------------------------------------------------------
// Cases the random runs came upon, each on its own.

class ViewRareCaseTest : public EditorViewTest {
protected:
  void SetUp() override {
    EditorViewTest::SetUp();
    g_editorState.m_styles[STYLE_AIR_BRUSH_FILL].mainColor = RGB(200, 0, 0);
    View()->GetParentFrame()->MoveWindow(0, 0, 620, 440);
  }
};

// A press that a tracker's loop takes ends there, moved or not: the view keeps no drag waiting for
// the release the loop had, so the next click is a click of its own and draws no line from here.
// What the tool's press changed is a step.
TEST_F(ViewRareCaseTest, AClickOnATrackerEndsThePress) {
  const std::tuple<const char*, int, CPoint, bool> rows[] = {
      {"canvas corner handle", ID_TOOL_LINE, {410, 310}, false},
      {"canvas edge handle", ID_TOOL_LINE, {208, 310}, false},
      {"fill on the corner handle over the picture", ID_TOOL_FILL, {8, 8}, false},
      {"text box", ID_TOOL_LINE, {100, 70}, true}};
  for (auto [pszWhat, nTool, click, bText] : rows) {
    SCOPED_TRACE(pszWhat);
    SetPicture(400, 300, WhitePixel);
    const std::vector<DWORD> white = PictureColours(Doc());
    if (bText) {
      View()->m_pText->m_strText = "Box";
      View()->m_pText->m_rect.SetRect(40, 40, 200, 120);
      View()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); // the paint places the box's tracker
    }
    ASSERT_NE(bText ? View()->m_textTracker.HitTest(click) : Doc()->m_tracker.HitTest(click),
              CRectTracker::hitNothing);
    Click(nTool, click);
    EXPECT_NE(View()->m_hWnd, ::GetCapture());
    if (nTool == ID_TOOL_FILL) {
      EXPECT_EQ(0xC80000u, PixelAt(200, 150));
      Command(ID_EDIT_UNDO);
      EXPECT_TRUE(white == PictureColours(Doc()));
      continue;
    }
    const CPoint dot(60, 280);
    Click(ID_TOOL_PAINT_BRUSH, dot);
    EXPECT_NE(0xFFFFFFu, PixelAt(dot.x - 8, dot.y - 8)) << "the brush's dot";
    const CPoint middle = click + dot - CPoint(16, 16);
    EXPECT_EQ(0xFFFFFFu, PixelAt(middle.x / 2, middle.y / 2)) << "no line from the first click";
  }
}

// A picture one pixel high or wide (a canvas dragged to its least) records its changes like any
// other picture.
TEST_F(ViewRareCaseTest, ChangesOfAOnePixelThinPictureAreUndoneAndRedone) {
  // The size and a click on the picture, clear of the canvas handles.
  for (auto [size, click] : {std::make_pair(CSize(200, 1), CPoint(60, 8)), {CSize(1, 150), CPoint(8, 40)}}) {
    SetPicture(size.cx, size.cy, WhitePixel);
    ASSERT_EQ(CRectTracker::hitMiddle, Doc()->m_tracker.HitTest(click));
    const std::vector<DWORD> white = PictureColours(Doc());
    Click(ID_TOOL_FILL, click);
    const std::vector<DWORD> filled = PictureColours(Doc());
    EXPECT_EQ(0xC80000u, PixelAt(0, 0)) << size.cx;
    Command(ID_EDIT_UNDO);
    EXPECT_TRUE(white == PictureColours(Doc())) << size.cx;
    Command(ID_EDIT_REDO);
    EXPECT_TRUE(filled == PictureColours(Doc())) << size.cx;
  }
}

} // namespace
