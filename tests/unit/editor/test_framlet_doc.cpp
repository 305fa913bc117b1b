#include "imaging/CommonLib.h"
#include "imaging/PixelPlane.h"
#include "tests/unit/editor/editor_harness.h"

#include <random>

namespace {

using Pixels = std::vector<DWORD>;

// What the document owes the user after each step: the picture of every state the history holds.
struct State {
  CSize size;
  Pixels pixels;
  bool operator==(const State& other) const { return size == other.size && pixels == other.pixels; }
};

State StateOf(CFramletDoc* pDoc) { return {BitmapSizeOf(pDoc->m_pImage->GetBitmap()), PicturePixels(pDoc)}; }

// The view's way of changing the picture: the change, then the snapshot recorded.
void Fill(CFramletDoc* pDoc, const CRect& rect, COLORREF clr) {
  FillPicture(pDoc, rect, clr), pDoc->PushUndo(pDoc->GetFirstView()->m_pSnapshot, TRUE);
}

// The resize road: a new bitmap of the new size, then the snapshot recorded.
void Resize(CFramletDoc* pDoc, int cx, int cy) {
  std::unique_ptr<CBitmap> pCut(CCommonLib().CopyBitmapRect(NULL, pDoc->m_pImage->GetBitmap(), 0, 0, cx, cy));
  ASSERT_NE(nullptr, pCut);
  pDoc->m_pImage->AttachBitmap(pCut.get());
  pDoc->m_rcImage = pDoc->m_tracker.m_rectImage = CRect(8, 8, 8 + cx, 8 + cy);
  pDoc->PushUndo(pDoc->GetFirstView()->m_pSnapshot, TRUE);
}

// The picture, its place, and the view's snapshot, which is the picture after the last recorded step.
::testing::AssertionResult IsAt(CFramletDoc* pDoc, const State& state) {
  if (!(StateOf(pDoc) == state))
    return ::testing::AssertionFailure() << "another picture";
  if (CRect(pDoc->m_rcImage) != CRect(CPoint(8, 8), state.size))
    return ::testing::AssertionFailure() << "the image rectangle is elsewhere";
  if (PicturePixels(pDoc->GetFirstView()->m_pSnapshot) != state.pixels)
    return ::testing::AssertionFailure() << "the snapshot is another picture";
  return ::testing::AssertionSuccess();
}

class FramletDocTest : public ::testing::Test {
protected:
  CEditorHarness m_harness;
  CFramletDoc* Doc() { return m_harness.Doc(); }
};

TEST_F(FramletDocTest, NewDocumentIsAWhitePictureWithItsBaseRecord) {
  CFramletDoc* pDoc = Doc();
  EXPECT_EQ(Pixels(400 * 300, 0xFFFFFF), PictureColours(pDoc));
  EXPECT_TRUE(IsAt(pDoc, StateOf(pDoc)));
  EXPECT_EQ(std::make_tuple(CRect(8, 8, 408, 308), CRect(8, 8, 408, 308), 96, 0, 0),
            std::make_tuple(pDoc->m_tracker.m_rectImage, CRect(pDoc->m_pImage->m_rect), pDoc->m_nDpi,
                            pDoc->m_nUndoPos, pDoc->m_nUndoLast));
  EXPECT_EQ(NULL, pDoc->m_pImage2);
  EXPECT_LT(pDoc->m_undo[0].nCodedSize, 100u) << "the base record of a picture codes to almost nothing";
  EXPECT_EQ("Size:400 x 300 Zoom:100%",
            m_harness.Status(STATUS_PANE_SIZE) + " " + m_harness.Status(STATUS_PANE_ZOOM));
  EXPECT_EQ(CSize(400, 300), CSize(g_nImageWidth, g_nImageHeight));
  // A document that never got a picture goes without touching one.
  delete new CFramletDoc;
}

// An unchanged picture, or one whose alpha alone changed, records nothing.
TEST_F(FramletDocTest, OnlyChangedColoursAreRecorded) {
  Fill(Doc(), CRect(10, 10, 60, 40), RGB(200, 0, 0));
  Doc()->PushUndo(m_harness.View()->m_pSnapshot, TRUE);
  EXPECT_EQ(1, Doc()->m_nUndoLast);
  CPixelPlane plane;
  ASSERT_TRUE(OpenPixelPlane((HBITMAP)Doc()->m_pImage->GetBitmap()->GetSafeHandle(), plane));
  plane.Row(0)[3] ^= 0x40;
  Doc()->PushUndo(m_harness.View()->m_pSnapshot, TRUE);
  EXPECT_EQ(1, Doc()->m_nUndoLast);
}

// Every mix of edits, resizes both ways, undos and redos gives back the exact picture of each state
// the last twenty steps and their base hold; recording after undos drops what could have been redone.
TEST_F(FramletDocTest, RandomEditsUndosAndRedosRestoreEveryState) {
  for (unsigned seed : {1u, 2u, 3u}) {
    CFramletDoc* pDoc = m_harness.NewDocument();
    ASSERT_TRUE(pDoc->TakeNewPicture(MakePictureBitmap(48, 36, [](int x, int y) { return DWORD(x * y); })));
    std::mt19937 rng(seed);
    std::vector<State> states{StateOf(pDoc)};
    int pos = 0;
    for (int step = 0; step < 1200; step++) {
      const int op = rng() % 20;
      if (op < 11) {
        CSize size = states[pos].size;
        int x = rng() % size.cx, y = rng() % size.cy;
        Fill(pDoc, CRect(x, y, x + 1 + rng() % 20, y + 1 + rng() % 20), rng() & 0xFFFFFF);
      } else if (op < 13) {
        Resize(pDoc, 20 + rng() % 40, 20 + rng() % 40);
      } else if (op < 17) {
        ASSERT_EQ(pos > 0, !!pDoc->Undo()) << "seed " << seed << " step " << step;
        pos -= pos > 0;
      } else {
        ASSERT_EQ(pos < (int)states.size() - 1, !!pDoc->Redo()) << "seed " << seed << " step " << step;
        pos += pos < (int)states.size() - 1;
      }
      if (op < 13 && !(StateOf(pDoc) == states[pos])) {
        states.resize(pos + 1);
        states.push_back(StateOf(pDoc));
        if (states.size() > CFramletDoc::kUndoRecords)
          states.erase(states.begin());
        pos = (int)states.size() - 1;
      }
      ASSERT_EQ(std::make_pair(pos, (int)states.size() - 1),
                std::make_pair(pDoc->m_nUndoPos, pDoc->m_nUndoLast))
          << "seed " << seed << " step " << step;
      ASSERT_TRUE(IsAt(pDoc, states[pos])) << "seed " << seed << " step " << step;
    }
  }
}

// A change that reached the picture without being recorded is recorded before Undo, so Undo never
// XORs a record onto a picture it was not made from.
TEST_F(FramletDocTest, AChangeThatEscapedRecordingIsUndoneOnItsOwn) {
  State base = StateOf(Doc());
  Fill(Doc(), CRect(0, 0, 100, 100), RGB(0, 128, 0));
  State green = StateOf(Doc());
  FillPicture(Doc(), CRect(50, 50, 150, 150), RGB(128, 0, 128)); // over the green, not recorded
  ASSERT_TRUE(Doc()->Undo());
  EXPECT_TRUE(IsAt(Doc(), green)) << "the unrecorded change undone";
  ASSERT_TRUE(Doc()->Undo());
  EXPECT_TRUE(IsAt(Doc(), base)) << "then the recorded one";
}

TEST_F(FramletDocTest, APictureOverFourMegapixelsCodesWithinTheBound) {
  // 2100 x 2100 at 32 bits: 257 times the delta's size no longer fits 32 bits.
  ASSERT_TRUE(
      Doc()->TakeNewPicture(MakePictureBitmap(2100, 2100, [](int x, int y) { return DWORD(x * 7 + y); })));
  State before = StateOf(Doc());
  CPixelPlane plane;
  ASSERT_TRUE(OpenPixelPlane((HBITMAP)Doc()->m_pImage->GetBitmap()->GetSafeHandle(), plane));
  for (int y = 0; y < plane.cy; y++)
    for (DWORD* p = reinterpret_cast<DWORD*>(plane.Row(y));
         p < reinterpret_cast<DWORD*>(plane.Row(y)) + plane.cx; p++)
      *p = ~*p * 2654435761u; // every pixel changes, with few runs
  State after = StateOf(Doc());
  ASSERT_TRUE(Doc()->PushUndo(m_harness.View()->m_pSnapshot, TRUE));
  const UndoRecord& record = Doc()->m_undo[1];
  EXPECT_EQ(2100u * 2100 * 4, record.nRawSize);
  EXPECT_TRUE(record.nCodedSize <= RleBound(record.nRawSize) && record.nCodedSize > record.nRawSize / 2);
  ASSERT_TRUE(Doc()->Undo());
  EXPECT_TRUE(IsAt(Doc(), before));
  ASSERT_TRUE(Doc()->Redo());
  EXPECT_TRUE(IsAt(Doc(), after));
}

// Allocations of a megabyte or more fail while the patch is in place.
void* __cdecl SmallMallocOnly(size_t n) {
  static auto pMalloc =
      reinterpret_cast<void*(__cdecl*)(size_t)>(::GetProcAddress(::GetModuleHandleA("msvcrt.dll"), "malloc"));
  return n >= (1 << 20) ? NULL : pMalloc(n);
}

TEST_F(FramletDocTest, WithoutMemoryAChangeIsTakenBackAndAFailedUndoKeepsItsPlace) {
  MessageBoxRecorder boxes;
  Resize(Doc(), 1000, 700);
  State big = StateOf(Doc());
  Resize(Doc(), 300, 200);
  State small = StateOf(Doc());
  {
    CImportPatch patch("msvcrt.dll", "malloc", reinterpret_cast<FARPROC>(&SmallMallocOnly));
    ASSERT_TRUE(patch.Applied());
    // Undoing the cut needs the whole delta at once: it cannot be had.
    EXPECT_FALSE(Doc()->Undo());
    EXPECT_EQ(2, Doc()->m_nUndoPos) << "a failed undo keeps its place";
    // A change that cannot be recorded is taken back.
    Resize(Doc(), 1200, 900);
  }
  EXPECT_TRUE(IsAt(Doc(), small)) << "after the failures";
  EXPECT_EQ(2, Doc()->m_nUndoLast);
  EXPECT_EQ((std::vector<std::string>{"There is not enough memory to undo this change.",
                                      "There is not enough memory to record this change for Undo, so it has "
                                      "been taken back."}),
            BoxTexts());
  ASSERT_TRUE(Doc()->Undo());
  EXPECT_TRUE(IsAt(Doc(), big)) << "undo with memory again";
}

TEST_F(FramletDocTest, ANewPictureReplacesTheOldOneAndItsHistory) {
  Fill(Doc(), CRect(0, 0, 10, 10), RGB(9, 9, 9));
  HGDIOBJ hOld = Doc()->m_pImage->GetBitmap()->GetSafeHandle();
  Doc()->SetModifiedFlag(FALSE);
  EXPECT_FALSE(Doc()->TakeNewPicture(NULL));
  EXPECT_EQ(hOld, Doc()->m_pImage->GetBitmap()->GetSafeHandle()) << "no picture, no change";
  ASSERT_TRUE(
      Doc()->TakeNewPicture(MakePictureBitmap(64, 48, [](int x, int y) { return DWORD(x << 8 | y); })));
  EXPECT_EQ(0u, ::GetObjectType(hOld)) << "the previous picture is freed";
  EXPECT_TRUE(CRect(8, 8, 72, 56) == Doc()->m_rcImage && CRect(8, 8, 72, 56) == Doc()->m_pImage->m_rect);
  EXPECT_TRUE(Doc()->m_nUndoPos == 0 && Doc()->m_nUndoLast == 0 && Doc()->IsModified());
  EXPECT_EQ("Size:64 x 48", m_harness.Status(STATUS_PANE_SIZE));
  EXPECT_TRUE(m_harness.View()->m_selTracker.m_rect.IsRectEmpty());
  // A new picture of the same size starts its own history: a change and its undo come back to it.
  ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(64, 48, [](int x, int) { return DWORD(x * 3); })));
  State fresh = StateOf(Doc());
  Fill(Doc(), CRect(0, 0, 9, 9), RGB(1, 2, 3));
  ASSERT_TRUE(Doc()->Undo());
  EXPECT_TRUE(IsAt(Doc(), fresh)) << "undo on the new picture";
}

} // namespace
