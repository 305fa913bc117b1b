#include "imaging/CommonLib.h"
#include "imaging/PixelPlane.h"
#include "tests/common/import_patch.h"
#include "tests/unit/editor/editor_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace {

using Pixels = std::vector<DWORD>;

// What the document owes the user after each step: the picture of every state the history holds.
struct State {
  CSize size;
  Pixels pixels;
};

State StateOf(CFramletDoc* pDoc) { return {BitmapSizeOf(pDoc->m_pImage->GetBitmap()), PicturePixels(pDoc)}; }

void SetImageRect(CFramletDoc* pDoc, int cx, int cy) {
  CRect rc(8, 8, 8 + cx, 8 + cy);
  pDoc->m_rcImage = rc;
  pDoc->m_tracker.m_rectImage = rc;
}

// The view's way of changing the picture: the change, then the snapshot recorded.
void Fill(CFramletDoc* pDoc, const CRect& rect, COLORREF clr) {
  FillPicture(pDoc, rect, clr);
  pDoc->PushUndo(pDoc->GetFirstView()->m_pSnapshot, TRUE);
}

// The resize road: a new bitmap of the new size, then the snapshot recorded.
void Resize(CFramletDoc* pDoc, int cx, int cy) {
  CCommonLib lib;
  std::unique_ptr<CBitmap> pCut(lib.CopyBitmapRect(NULL, pDoc->m_pImage->GetBitmap(), 0, 0, cx, cy));
  ASSERT_NE(nullptr, pCut);
  pDoc->m_pImage->AttachBitmap(pCut.get());
  SetImageRect(pDoc, cx, cy);
  pDoc->PushUndo(pDoc->GetFirstView()->m_pSnapshot, TRUE);
}

class FramletDocTest : public ::testing::Test {
protected:
  CEditorHarness m_harness;
  CFramletDoc* Doc() { return m_harness.Doc(); }
  void ExpectPicture(const State& state, const char* what) {
    State now = StateOf(Doc());
    ASSERT_EQ(state.size, now.size) << what;
    EXPECT_TRUE(state.pixels == now.pixels) << what;
    EXPECT_EQ(CRect(8, 8, 8 + state.size.cx, 8 + state.size.cy), CRect(Doc()->m_rcImage)) << what;
    // The snapshot is the picture after the last recorded step.
    EXPECT_TRUE(state.pixels == PicturePixels(m_harness.View()->m_pSnapshot)) << what;
  }
};

TEST_F(FramletDocTest, NewDocumentIsAWhitePictureWithItsBaseRecord) {
  CFramletDoc* pDoc = Doc();
  EXPECT_EQ(CSize(400, 300), BitmapSizeOf(pDoc->m_pImage->GetBitmap()));
  for (DWORD px : PicturePixels(pDoc))
    ASSERT_EQ(0xFFFFFFu, px & 0xFFFFFF);
  EXPECT_EQ(CRect(8, 8, 408, 308), CRect(pDoc->m_rcImage));
  EXPECT_EQ(CRect(8, 8, 408, 308), pDoc->m_tracker.m_rectImage);
  EXPECT_EQ(CRect(8, 8, 408, 308), pDoc->m_pImage->m_rect);
  EXPECT_EQ(NULL, pDoc->m_pImage2);
  EXPECT_EQ(96, pDoc->m_nDpi);
  EXPECT_EQ(0, pDoc->m_nUndoPos);
  EXPECT_EQ(0, pDoc->m_nUndoLast);
  EXPECT_LT(pDoc->m_undo[0].nCodedSize, 100u) << "the base record of a picture codes to almost nothing";
  EXPECT_EQ("Size:400 x 300", m_harness.Status(STATUS_PANE_SIZE));
  EXPECT_EQ("Zoom:100%", m_harness.Status(STATUS_PANE_ZOOM));
  EXPECT_EQ(400, g_nImageWidth);
  EXPECT_EQ(300, g_nImageHeight);
  // A document that never got a picture goes without touching one.
  delete new CFramletDoc;
}

TEST_F(FramletDocTest, RecordsChangesAndStepsBackAndForthExactly) {
  State base = StateOf(Doc());
  Fill(Doc(), CRect(10, 10, 60, 40), RGB(200, 0, 0));
  State red = StateOf(Doc());
  Doc()->PushUndo(m_harness.View()->m_pSnapshot, TRUE);
  EXPECT_EQ(1, Doc()->m_nUndoLast) << "an unchanged picture records nothing";
  Fill(Doc(), CRect(0, 0, 1, 1), RGB(0, 0, 0));
  State black = StateOf(Doc());
  EXPECT_EQ(2, Doc()->m_nUndoLast);

  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(red, "undo");
  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(base, "undo twice");
  EXPECT_EQ(0, Doc()->m_nUndoPos);
  ASSERT_TRUE(Doc()->Redo());
  ASSERT_TRUE(Doc()->Redo());
  ExpectPicture(black, "redo twice");
  EXPECT_FALSE(Doc()->Redo()) << "nothing left to redo";

  // Recording after two undos drops the steps that could have been redone.
  Doc()->Undo();
  Doc()->Undo();
  Fill(Doc(), CRect(100, 100, 120, 130), RGB(0, 0, 255));
  EXPECT_EQ(1, Doc()->m_nUndoPos);
  EXPECT_EQ(1, Doc()->m_nUndoLast);
  EXPECT_FALSE(Doc()->Redo());

  CPixelPlane plane;
  ASSERT_TRUE(OpenPixelPlane((HBITMAP)Doc()->m_pImage->GetBitmap()->GetSafeHandle(), plane));
  plane.Row(0)[3] ^= 0x40;
  Doc()->PushUndo(m_harness.View()->m_pSnapshot, TRUE);
  EXPECT_EQ(1, Doc()->m_nUndoLast) << "a change of alpha alone records nothing";
}

TEST_F(FramletDocTest, KeepsTwentyStepsAndTheirBase) {
  std::vector<State> states{StateOf(Doc())};
  for (int i = 0; i < 25; i++) {
    Fill(Doc(), CRect(i * 10, i * 5, i * 10 + 30, i * 5 + 30), RGB(i * 9, 255 - i * 9, 77));
    states.push_back(StateOf(Doc()));
  }
  EXPECT_EQ(20, Doc()->m_nUndoLast);
  EXPECT_EQ(20, Doc()->m_nUndoPos);
  for (int i = 0; i < 20; i++)
    ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(states[5], "twenty undos");
  EXPECT_EQ(0, Doc()->m_nUndoPos);
}

TEST_F(FramletDocTest, ResizingBothWaysIsBitExact) {
  Fill(Doc(), CRect(150, 50, 390, 290), RGB(1, 2, 3)); // a corner the cut will lose
  State full = StateOf(Doc());
  Resize(Doc(), 200, 100);
  State small = StateOf(Doc());
  ASSERT_EQ(CSize(200, 100), small.size);
  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(full, "undo of the cut");
  ASSERT_TRUE(Doc()->Redo());
  ExpectPicture(small, "redo of the cut");
  Resize(Doc(), 400, 300);
  State grown = StateOf(Doc());
  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(small, "undo of the growth");
  ASSERT_TRUE(Doc()->Redo());
  ExpectPicture(grown, "redo of the growth");
}

// Every mix of edits, resizes, undos and redos gives back the exact picture of each state.
TEST_F(FramletDocTest, RandomEditsUndosAndRedosRestoreEveryState) {
  for (unsigned seed : {1u, 2u, 3u}) {
    CFramletDoc* pDoc = m_harness.NewDocument();
    ASSERT_TRUE(pDoc->TakeNewPicture(MakePictureBitmap(48, 36, [](int x, int y) { return DWORD(x * y); })));
    std::mt19937 rng(seed);
    std::vector<State> states{StateOf(pDoc)};
    int pos = 0;
    for (int step = 0; step < 1200; step++) {
      int op = rng() % 20;
      if (op < 11) {
        CSize size = states[pos].size;
        int x = rng() % size.cx, y = rng() % size.cy;
        Fill(pDoc, CRect(x, y, x + 1 + rng() % 20, y + 1 + rng() % 20), rng() & 0xFFFFFF);
      } else if (op < 13) {
        Resize(pDoc, 20 + rng() % 40, 20 + rng() % 40);
      } else if (op < 17) {
        if (pos > 0) {
          ASSERT_TRUE(pDoc->Undo());
          pos--;
        }
      } else if (pos < (int)states.size() - 1) {
        ASSERT_TRUE(pDoc->Redo());
        pos++;
      }
      if (op < 13) {
        State now = StateOf(pDoc);
        if (now.size != states[pos].size || now.pixels != states[pos].pixels) {
          states.resize(pos + 1);
          states.push_back(now);
          if (states.size() > CFramletDoc::kUndoRecords)
            states.erase(states.begin());
          pos = (int)states.size() - 1;
        }
      }
      ASSERT_EQ(pos, pDoc->m_nUndoPos) << "seed " << seed << " step " << step;
      ASSERT_EQ((int)states.size() - 1, pDoc->m_nUndoLast) << "seed " << seed << " step " << step;
      State now = StateOf(pDoc);
      ASSERT_EQ(states[pos].size, now.size) << "seed " << seed << " step " << step;
      ASSERT_TRUE(states[pos].pixels == now.pixels) << "seed " << seed << " step " << step;
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
  ExpectPicture(green, "the unrecorded change undone");
  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(base, "then the recorded one");
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
  EXPECT_LE(record.nCodedSize, RleBound(record.nRawSize));
  EXPECT_GT(record.nCodedSize, record.nRawSize / 2);
  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(before, "undo");
  ASSERT_TRUE(Doc()->Redo());
  ExpectPicture(after, "redo");
}

// The rows-based records are the very bytes the bitmap road makes.
class CRecordDoc : public CFramletDoc {
public:
  using CFramletDoc::MakeBitmapRecord;
  using CFramletDoc::MakeRecord;
};

TEST_F(FramletDocTest, RecordsMadeOnRowsEqualRecordsMadeThroughBitmaps) {
  CRecordDoc* pDoc = static_cast<CRecordDoc*>(Doc());
  std::mt19937 rng(11);
  CFramletView* pView = m_harness.View();
  for (int round = 0; round < 6; round++) {
    for (int i = 0; i < 8; i++) {
      int x = rng() % 400, y = rng() % 300;
      FillPicture(pDoc, CRect(x, y, x + rng() % 90, y + rng() % 90), rng() & 0xFFFFFF);
    }
    UndoRecord rows, bitmaps;
    int nFirst = 0, nLast = 0;
    ASSERT_EQ(pDoc->MakeRecord(pView->m_pSnapshot, 0, 0, rows, nFirst, nLast),
              pDoc->MakeBitmapRecord(pView->m_pSnapshot, 0, 0, bitmaps));
    ASSERT_EQ(bitmaps.nCodedSize, rows.nCodedSize) << "round " << round;
    EXPECT_EQ(0, memcmp(bitmaps.pData.get(), rows.pData.get(), rows.nCodedSize)) << "round " << round;
    EXPECT_EQ(bitmaps.nRawSize, rows.nRawSize);
    EXPECT_EQ(bitmaps.nBitsPerPixel, rows.nBitsPerPixel);
    pDoc->PushUndo(pView->m_pSnapshot, TRUE);
  }
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
  ExpectPicture(small, "after the failures");
  EXPECT_EQ(2, Doc()->m_nUndoLast);
  ASSERT_EQ(2u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ("There is not enough memory to undo this change.", MessageBoxRecorder::Boxes()[0].first);
  EXPECT_EQ("There is not enough memory to record this change for Undo, so it has been taken back.",
            MessageBoxRecorder::Boxes()[1].first);
  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(big, "undo with memory again");
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
  EXPECT_EQ(CRect(8, 8, 72, 56), CRect(Doc()->m_rcImage));
  EXPECT_EQ(CRect(8, 8, 72, 56), Doc()->m_pImage->m_rect);
  EXPECT_EQ(0, Doc()->m_nUndoPos);
  EXPECT_EQ(0, Doc()->m_nUndoLast);
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_EQ("Size:64 x 48", m_harness.Status(STATUS_PANE_SIZE));
  EXPECT_TRUE(m_harness.View()->m_selTracker.m_rect.IsRectEmpty());
  // A new picture of the same size starts its own history: a change and its undo come back to it.
  ASSERT_TRUE(Doc()->TakeNewPicture(MakePictureBitmap(64, 48, [](int x, int) { return DWORD(x * 3); })));
  State fresh = StateOf(Doc());
  Fill(Doc(), CRect(0, 0, 9, 9), RGB(1, 2, 3));
  ASSERT_TRUE(Doc()->Undo());
  ExpectPicture(fresh, "undo on the new picture");
}

} // namespace
