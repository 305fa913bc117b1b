// Packed bitmaps another program put on the clipboard (CF_DIB, CF_DIBV5), pasted: a whole one floats
// with its own pixels in every header, coding and row order; one whose block is shorter than its
// header, masks, colours or rows need pastes nothing, whatever the heap held around the block. A
// bitmap (CF_BITMAP) is held to the picture bound as a DIB is.
#include "tests/common/heap_fill.h"
#include "tests/common/object_counts.h"
#include "tests/unit/editor/editor_harness.h"

namespace {

const int kSide = 64;
// Distinct in every row and column, none black; the 8-bit forms index the first four in turn.
DWORD Colour(int x, int y) { return (DWORD)(40 + x * 3) << 16 | (DWORD)(30 + y * 3) << 8 | 0x80; }

struct DibForm {
  const char* name;
  DWORD nHeader, nBits, nCompression;
  bool bTopDown;
  long nSize; // of the block: 0 whole, else its first nSize bytes, or all but -nSize of them
  bool bNoMasks = false;
  bool Whole() const { return nSize == 0 && !bNoMasks; }
};
std::ostream& operator<<(std::ostream& os, const DibForm& f) { return os << f.name; }

// The 64 x 64 bitmap of the form in a block of its own: its header (the masks at 40, after an info
// header or in a longer one), four colours for 8 bits, then its rows.
HGLOBAL PackedDib(const DibForm& f) {
  const size_t nStride = kSide * f.nBits / 8, nTable = f.nBits == 8 ? 16 : 0;
  const bool bMasksAfter = f.nCompression == BI_BITFIELDS && f.nHeader == 40 && !f.bNoMasks;
  const size_t nRows = f.nHeader + (bMasksAfter ? 12 : 0) + nTable;
  std::vector<BYTE> b(nRows + nStride * kSide, 0);
  const DWORD core[] = {12, kSide << 16 | kSide, f.nBits << 16 | 1};
  // clang-format off
  const DWORD info[] = {f.nHeader, kSide, f.bTopDown ? (DWORD)-kSide : kSide, f.nBits << 16 | 1, f.nCompression,
                        0, 0, 0, (DWORD)nTable / 4, 0, 0xFF0000, 0xFF00, 0xFF};
  // clang-format on
  std::memcpy(b.data(), f.nHeader == 12 ? core : info, f.nHeader == 12 ? 12 : std::min(nRows, sizeof(info)));
  for (size_t i = 0; i < nTable / 4; i++) {
    const DWORD c = Colour((int)i, 0);
    std::memcpy(&b[f.nHeader + 4 * i], &c, 4);
  }
  for (int r = 0; r < kSide; r++)
    for (int x = 0, y = f.bTopDown ? r : kSide - 1 - r; x < kSide; x++) {
      const DWORD c = f.nBits == 8 ? (x + y) % 8 : Colour(x, y);
      std::memcpy(&b[nRows + r * nStride + x * f.nBits / 8], &c, f.nBits / 8);
    }
  const size_t n = f.nSize == 0 ? b.size() : f.nSize > 0 ? (size_t)f.nSize : b.size() - (size_t)-f.nSize;
  HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE, n);
  std::memcpy(::GlobalLock(hBlock), b.data(), n);
  ::GlobalUnlock(hBlock);
  return hBlock;
}

class ClipboardDib : public EditorViewTest, public ::testing::WithParamInterface<DibForm> {};

TEST_P(ClipboardDib, PastesWholeOrNothing) {
  const DibForm& f = GetParam();
  SetPicture(100, 80, [](int, int) -> DWORD { return 0xFFFFFF; });
  pixel_support::Pixels pasted[2];
  for (int i = 0; i < 2; i++) {
    FillHeap(i == 0 ? 0xA5 : 0x5A, {40, 80, 1024, kSide * kSide * 3, kSide * kSide * 4});
    ASSERT_TRUE(::OpenClipboard(View()->m_hWnd) && ::EmptyClipboard());
    EXPECT_NE(nullptr, ::SetClipboardData(f.nHeader == 124 ? CF_DIBV5 : CF_DIB, PackedDib(f)));
    ::CloseClipboard();
    Command(ID_EDIT_PASTE);
    if (CZoomTracker* pPiece = Doc()->m_pSelection)
      pasted[i] = ColoursOf(pPiece->m_pBitmap);
  }
  EXPECT_TRUE(pasted[0].data == pasted[1].data) << "the pasted piece holds what the heap held";
  if (!f.Whole()) {
    EXPECT_TRUE(pasted[0].Empty()) << "a " << pasted[0].cx << " x " << pasted[0].cy << " piece pasted";
    return;
  }
  ASSERT_EQ(CSize(kSide, kSide), CSize(pasted[0].cx, pasted[0].cy));
  int nWrong = 0;
  for (int y = 0; y < kSide; y++)
    for (int x = 0; x < kSide; x++)
      nWrong += pasted[0].At(x, y) != pixel_support::FromDib(f.nBits != 8      ? Colour(x, y)
                                                             : (x + y) % 8 < 4 ? Colour((x + y) % 8, 0)
                                                                               : 0);
  EXPECT_EQ(0, nWrong) << "pixels not of the bitmap's colours (black past its four)";
}

const long kRows24 = kSide * kSide * 3, kRow32 = kSide * 4;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Forms, ClipboardDib, ::testing::Values(
    DibForm{"Info24BottomUp", 40, 24, BI_RGB, false, 0},
    DibForm{"Info32TopDown", 40, 32, BI_RGB, true, 0},
    DibForm{"Info32BitFields", 40, 32, BI_BITFIELDS, false, 0},
    DibForm{"V5BitFieldsTopDown", 124, 32, BI_BITFIELDS, true, 0},
    DibForm{"Core24", 12, 24, BI_RGB, false, 0},
    DibForm{"Info8ShortColourTable", 40, 8, BI_RGB, false, 0},
    DibForm{"HeaderAlone24", 40, 24, BI_RGB, false, 40},
    DibForm{"HeaderAlone32", 40, 32, BI_RGB, false, 40},
    DibForm{"RowsEndHalfWay", 40, 24, BI_RGB, false, -kRows24 / 2},
    DibForm{"OneRowShortBottomUp", 40, 32, BI_RGB, false, -kRow32},
    DibForm{"OneRowShortTopDown", 40, 32, BI_RGB, true, -kRow32},
    DibForm{"V5HeaderIn80Bytes", 124, 32, BI_BITFIELDS, false, 80},
    DibForm{"BitFieldsWithoutMasks", 40, 32, BI_BITFIELDS, false, 0, true},
    DibForm{"CoreShortRows", 12, 24, BI_RGB, false, -kRows24 / 3},
    DibForm{"ColourTableCut", 40, 8, BI_RGB, false, 46}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct BitmapSize {
  int cx, cy;
  bool bWithin;
};
std::ostream& operator<<(std::ostream& os, const BitmapSize& b) { return os << b.cx << "x" << b.cy; }

class ClipboardBitmap : public EditorViewTest, public ::testing::WithParamInterface<BitmapSize> {};

// One-bit bitmaps keep the test's own memory small; their copies would not be.
TEST_P(ClipboardBitmap, PastesOnlyWithinThePictureBound) {
  const BitmapSize& b = GetParam();
  SetPicture(100, 80, [](int, int) -> DWORD { return 0xFFFFFF; });
  HBITMAP hBitmap = ::CreateBitmap(b.cx, b.cy, 1, 1, NULL);
  ASSERT_NE(nullptr, hBitmap);
  ASSERT_TRUE(::OpenClipboard(View()->m_hWnd) && ::EmptyClipboard());
  EXPECT_NE(nullptr, ::SetClipboardData(CF_BITMAP, hBitmap));
  ::CloseClipboard();
  const SIZE_T nBefore = PrivateBytes();
  Command(ID_EDIT_PASTE);
  const SIZE_T nAfter = PrivateBytes();
  Gdiplus::Bitmap* pPiece = Doc()->m_pSelection != NULL ? Doc()->m_pSelection->m_pBitmap : NULL;
  const CSize pasted = pPiece != NULL ? CSize(pPiece->GetWidth(), pPiece->GetHeight()) : CSize(0, 0);
  if (b.bWithin) {
    EXPECT_EQ(CSize(b.cx, b.cy), pasted);
    return;
  }
  EXPECT_TRUE(pasted == CSize(0, 0)) << "a " << pasted.cx << " x " << pasted.cy << " piece pasted";
  EXPECT_LT(nAfter, nBefore + (16u << 20))
      << "the paste took " << (((long long)nAfter - (long long)nBefore) >> 20) << " MB";
}

INSTANTIATE_TEST_SUITE_P(Sizes, ClipboardBitmap,
                         ::testing::Values(BitmapSize{64, 64, true}, BitmapSize{8193, 8192, false},
                                           BitmapSize{16384, 16384, false}),
                         [](const auto& info) {
                           return std::to_string(info.param.cx) + "x" + std::to_string(info.param.cy);
                         });

} // namespace
