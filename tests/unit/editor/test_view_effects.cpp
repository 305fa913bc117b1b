#include "editor/EditorMessages.h"
#include "editor/EffectParams.h"
#include "imaging/ImageItem.h"
#include "imaging/Resize.h"
#include "tests/unit/editor/editor_harness.h"

namespace {

using Pixels = std::vector<DWORD>;
const int W = 120, H = 80;

// Every pixel differs from its mirror images and quarter turns.
DWORD Gradient(int x, int y) { return (DWORD)((x * 2) << 16 | (y * 3) << 8 | ((x * 7 + y) & 0xFF)); }

EffectParams Block(int v0, int v1 = 0, int f0 = 0) {
  EffectParams p;
  p.value[0] = v0, p.value[1] = v1, p.flag[0] = f0, p.text = "Caption";
  return p;
}
const EffectParams kInvert = Block(0, 0, 1); // red only

class ViewEffectsTest : public EditorViewTest {
protected:
  void SetUp() override {
    EditorViewTest::SetUp();
    SetPicture(W, H, Gradient);
    m_original = PictureColours(Doc());
  }
  LRESULT Send(UINT nMsg, WPARAM wParam, LPARAM lParam, CFramletView* pView = NULL) {
    return (pView != NULL ? pView : View())->SendMessage(nMsg, wParam, lParam);
  }
  void Open() { Send(UM_TASK_EDIT, 0, 0), Send(UM_SAVE_ORIGINAL, 0, 1); }
  void Apply(int nTaskId, EffectParams p, CFramletView* pView = NULL) {
    p.taskId = nTaskId;
    Send(UM_APPLY_EFFECT, nTaskId, (LPARAM)&p, pView);
  }
  // Picture, image rectangle, tracker and image item all say cx x cy at the margin.
  void ExpectPlaced(int cx, int cy, const std::string& what) {
    const CRect rc(8, 8, 8 + cx, 8 + cy);
    EXPECT_EQ(CSize(cx, cy), BitmapSizeOf(Doc()->m_pImage->GetBitmap())) << what;
    EXPECT_TRUE(rc == Doc()->m_rcImage && rc == Doc()->m_tracker.m_rectImage && rc == Doc()->m_pImage->m_rect)
        << what;
  }

  Pixels m_original;
};

// Each turn or flip of the menu moves every pixel where it belongs and is a step of its own.
TEST_F(ViewEffectsTest, MenuTurnsAndFlipsAreImmediateSteps) {
  // The command, the width it leaves, and the original pixel that lands at (x, y).
  const std::tuple<UINT, int, std::function<DWORD(int, int)>> rows[] = {
      {ID_IMAGE_FLIP_H, W, [](int x, int y) { return Gradient(W - 1 - x, y); }},
      {32806, W, [](int x, int y) { return Gradient(W - 1 - x, y); }},
      {ID_IMAGE_FLIP_V, W, [](int x, int y) { return Gradient(x, H - 1 - y); }},
      {ID_IMAGE_ROTATE_RIGHT, H, [](int x, int y) { return Gradient(y, H - 1 - x); }},
      {ID_IMAGE_ROTATE_LEFT, H, [](int x, int y) { return Gradient(W - 1 - y, x); }}};
  for (const auto& [nCommand, cx, from] : rows) {
    Doc()->SetModifiedFlag(FALSE);
    Command(nCommand);
    ExpectPlaced(cx, W * H / cx, std::to_string(nCommand));
    Pixels px = PictureColours(Doc());
    for (int i = 0; i < (int)px.size(); i += 7)
      ASSERT_EQ(from(i % cx, i / cx), px[i]) << nCommand << " at " << i;
    EXPECT_TRUE(Doc()->m_nUndoLast == 1 && Doc()->IsModified()) << nCommand;
    ASSERT_TRUE(Doc()->Undo());
    EXPECT_EQ(m_original, PictureColours(Doc()));
  }
  Command(ID_IMAGE_FLIP_H), Command(ID_IMAGE_FLIP_H);
  EXPECT_TRUE(m_original == PictureColours(Doc()) && Doc()->m_nUndoLast == 2) << "flipped twice";
}

// Previews start again from the kept original: the last slider position counts, once. A flip
// while the page's edit is open records the page's step first, and each undoes on its own; closing
// the page records its step.
TEST_F(ViewEffectsTest, APreviewReplacesThePreviousOneAndIsOneStep) {
  Open();
  Apply(3001, Block(60));
  Apply(3001, Block(-40));
  const Pixels twice = PictureColours(Doc());
  m_harness.m_pFrame->m_nTaskPage = 3;
  Command(ID_IMAGE_FLIP_V);
  EXPECT_TRUE(g_nTaskEditState == 2 && m_harness.m_pFrame->m_nTaskPage == 0 && Doc()->m_nUndoLast == 2);
  ASSERT_TRUE(Doc()->Undo());
  EXPECT_EQ(twice, PictureColours(Doc()));
  ASSERT_TRUE(Doc()->Undo());
  EXPECT_EQ(m_original, PictureColours(Doc()));
  Open();
  Apply(3001, Block(-40));
  EXPECT_TRUE(m_original != twice && PictureColours(Doc()) == twice);
  Send(UM_TASK_EDIT, 0, 1);
  EXPECT_EQ(1, Doc()->m_nUndoLast);
}

// A canvas grows with white and shrinks from the right and bottom; a picture is scaled to the
// pixels GDI+ draws, smoothed or not as the page asks. Cancel puts the original back and ends the
// edit. Operations sent without their block (0 or -1) do nothing, so a page closed without a
// preview records nothing and keeps no original.
Pixels DrawnColours(int cx, int cy, bool bSmooth) {
  Gdiplus::Bitmap source(W, H, PixelFormat32bppRGB);
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++)
      source.SetPixel(x, y, Gdiplus::Color(0xFF000000 | Gradient(x, y)));
  std::unique_ptr<Gdiplus::Bitmap> drawn(ResizeByDrawing(&source, cx, cy, bSmooth));
  CBitmap picture;
  picture.Attach(CreatePictureBitmap(drawn.get()));
  Pixels px = PicturePixels(&picture);
  for (DWORD& p : px)
    p &= 0xFFFFFF;
  return px;
}

TEST_F(ViewEffectsTest, ResizeCanvasOrImageAndCancel) {
  const std::tuple<int, CSize, int> rows[] = {
      {4008, {200, 130}, 0}, {4008, {50, 30}, 0}, {4007, {50, 130}, 0}, {4007, {50, 130}, 1}};
  for (auto [nTaskId, size, bSmooth] : rows) {
    Open();
    Apply(nTaskId, Block(size.cx, size.cy, bSmooth));
    ExpectPlaced(size.cx, size.cy, std::to_string(nTaskId));
    Pixels px = PictureColours(Doc());
    for (int i = 0; nTaskId == 4008 && i < (int)px.size(); i++) {
      const int x = i % size.cx, y = i / size.cx;
      ASSERT_EQ(x < W && y < H ? Gradient(x, y) : 0xFFFFFF, px[i]) << x << "," << y;
    }
    if (nTaskId == 4007)
      EXPECT_EQ(DrawnColours(size.cx, size.cy, bSmooth), px) << "smooth " << bSmooth;
    Send(UM_APPLY_EFFECT, 5003, 0);
    ExpectPlaced(W, H, "cancelled");
    EXPECT_TRUE(m_original == PictureColours(Doc()) && g_nTaskEditState == 2 && Doc()->m_pImage2 == NULL);
    Apply(3004, kInvert);
    EXPECT_EQ(m_original, PictureColours(Doc())) << "no edit is open after Cancel";
  }
  Open();
  for (LPARAM lParam : {(LPARAM)0, (LPARAM)-1}) // without a block the operations that need one do nothing
    for (int nTaskId : {3004, 2002, 2012, 4007, 4008}) {
      Send(UM_APPLY_EFFECT, nTaskId, lParam);
      ExpectPlaced(W, H, std::to_string(nTaskId));
      EXPECT_EQ(m_original, PictureColours(Doc())) << nTaskId;
    }
  Send(UM_TASK_EDIT, 0, 1);
  EXPECT_TRUE(Doc()->m_nUndoLast == 0 && Doc()->m_pImage2 == NULL) << "a page closed without a preview";
}

// Point sizes above 100 become 48 and below 2 become 5; the band added above the picture is the
// font's height and 10. The face is cut to 31 characters and its terminator.
TEST_F(ViewEffectsTest, CaptionFont) {
  const int nDpi = CWindowDC(CWnd::GetDesktopWindow()).GetDeviceCaps(LOGPIXELSY);
  const std::pair<int, int> rows[] = {{1, 5}, {2, 2}, {100, 100}, {101, 48}};
  for (auto [nAsked, nPoints] : rows) {
    Open();
    Apply(2012, Block(nAsked));
    const CSize size = BitmapSizeOf(Doc()->m_pImage->GetBitmap());
    Send(UM_APPLY_EFFECT, 5003, 0);
    EXPECT_EQ(CSize(W, H + ::MulDiv(nPoints, nDpi, 72) + 10), size) << nAsked;
  }
  EffectParams p = Block(12);
  p.flag[2] = p.flag[3] = p.flag[4] = 1;
  p.fontFace = CString('F', 40);
  LOGFONTA lf = CFramletView::CaptionFont(p, 72);
  EXPECT_TRUE(std::string(31, 'F') == lf.lfFaceName && lf.lfHeight == 12 && lf.lfWeight == FW_BOLD &&
              lf.lfItalic == 1 && lf.lfUnderline == 1);
  p.flag[2] = p.flag[3] = p.flag[4] = 0;
  lf = CFramletView::CaptionFont(p, 72);
  EXPECT_TRUE(lf.lfWeight == FW_NORMAL && lf.lfItalic + lf.lfUnderline + lf.lfWidth + lf.lfCharSet == 0);
}

// Sizes outside the page's limits, or that cannot be had, change nothing and say so once.
CSize s_refused;
HBITMAP WINAPI RefuseBitmap(HDC hDC, int cx, int cy) {
  static auto pCreate = reinterpret_cast<decltype(&RefuseBitmap)>(
      ::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "CreateCompatibleBitmap"));
  return CSize(cx, cy) == s_refused ? NULL : pCreate(hDC, cx, cy);
}
Gdiplus::GpStatus WINGDIPAPI RefuseGdip(INT cx, INT cy, INT n, Gdiplus::PixelFormat f, BYTE* p,
                                        Gdiplus::GpBitmap** pp) {
  static auto pCreate = reinterpret_cast<decltype(&RefuseGdip)>(
      ::GetProcAddress(::GetModuleHandleA("gdiplus.dll"), "GdipCreateBitmapFromScan0"));
  return CSize(cx, cy) == s_refused ? Gdiplus::OutOfMemory : pCreate(cx, cy, n, f, p, pp);
}

TEST_F(ViewEffectsTest, ASizeThatCannotBeMadeChangesNothing) {
  const int rows[][3] = {{4007, 0, 10},     {4007, 16001, 10}, {4008, 10, -3}, {4008, 8000, 8000},
                         {4008, 1234, 567}, {4007, 1234, 567}, {4009, 100, 60}};
  FillPicture(Doc(), CRect(0, 0, W, H), RGB(255, 255, 255));
  FillPicture(Doc(), CRect(10, 10, 110, 70), RGB(200, 0, 0)); // trims to 100 x 60
  View()->PushUndo();
  const Pixels before = PictureColours(Doc());
  for (auto [nTaskId, cx, cy] : rows) {
    MessageBoxRecorder boxes;
    s_refused = CSize(cx, cy);
    CImportPatch gdi("gdi32.dll", "CreateCompatibleBitmap", (FARPROC)&RefuseBitmap);
    CImportPatch gdip("gdiplus.dll", "GdipCreateBitmapFromScan0", (FARPROC)&RefuseGdip);
    Open();
    Apply(nTaskId, Block(cx, cy));
    Send(UM_TASK_EDIT, 0, 1);
    ExpectPlaced(W, H, std::to_string(cx) + " x " + std::to_string(cy));
    EXPECT_EQ(before, PictureColours(Doc()));
    EXPECT_TRUE(MessageBoxRecorder::Boxes().size() == 1 && Doc()->m_nUndoLast == 1) << cx << " x " << cy;
  }
  Send(UM_APPLY_EFFECT, 4009, 0);
  ExpectPlaced(100, 60, "trimmed");
}

// Ending an edit, kept or cancelled, tells the picture's own size: the page has told the size it
// last asked for, which the view may have refused.
TEST_F(ViewEffectsTest, EndingAnEditTellsThePicturesSize) {
  for (auto [bCancel, size] : {std::pair<bool, CSize>{true, CSize(W, H)}, {false, CSize(50, 30)}}) {
    MessageBoxRecorder boxes;
    Open();
    Apply(4008, Block(50, 30));
    Apply(4008, Block(20000, 30));
    g_nImageWidth = 20000, g_nImageHeight = 30;
    if (bCancel)
      Send(UM_APPLY_EFFECT, TASK_CANCEL_EDIT, 0);
    else
      Send(UM_TASK_EDIT, 0, 1);
    EXPECT_EQ(size, CSize(g_nImageWidth, g_nImageHeight)) << bCancel;
    EXPECT_EQ(1u, MessageBoxRecorder::Boxes().size()) << bCancel;
  }
}

// A view losing activation ends its edit with the step; applies for a view without an open edit
// are stale and ignored.
TEST_F(ViewEffectsTest, SwitchingDocumentsEndsTheEdit) {
  Apply(3004, kInvert);
  EXPECT_EQ(m_original, PictureColours(Doc())) << "no edit open";
  Open();
  Apply(3004, kInvert);
  const Pixels inverted = PictureColours(Doc());
  m_harness.m_pFrame->m_nTaskPage = 2;
  CFramletDoc* pSecond = m_harness.NewDocument();
  ASSERT_NE(nullptr, pSecond);
  EXPECT_TRUE(g_nTaskEditState == 2 && Doc()->m_nUndoLast == 1 && Doc()->m_pImage2 == NULL &&
              m_harness.m_pFrame->m_nTaskPage == 0);
  const Pixels second = PictureColours(pSecond);
  Apply(3004, kInvert, pSecond->GetFirstView());
  Apply(3004, kInvert);
  EXPECT_TRUE(second == PictureColours(pSecond) && inverted == PictureColours(Doc()));
}

// Undo, Redo and a press on the picture end an open edit like its page's closing: the original
// kept for the previews goes with it.
TEST_F(ViewEffectsTest, UndoRedoAndAPressDropTheKeptOriginal) {
  for (int nWay = 0; nWay < 3; nWay++) {
    // A step before the edit, undone for the Redo case, so that both commands are enabled.
    FillPicture(Doc(), CRect(0, 0, 4, 4), RGB(nWay * 60, 0, 0));
    View()->PushUndo();
    if (nWay == 1)
      Send(WM_COMMAND, ID_EDIT_UNDO, 0);
    Open();
    Apply(3004, kInvert);
    ASSERT_NE(nullptr, Doc()->m_pImage2) << nWay;
    if (nWay < 2) {
      Send(WM_COMMAND, nWay == 0 ? ID_EDIT_UNDO : ID_EDIT_REDO, 0);
    } else {
      g_editorState.m_nCurrentTool = ID_TOOL_POINTER;
      Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
      Send(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    }
    EXPECT_EQ(2, g_nTaskEditState) << nWay;
    EXPECT_EQ(nullptr, Doc()->m_pImage2) << nWay;
  }
}

} // namespace
