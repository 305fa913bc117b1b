// Broken BMP streams made from good ones by a fixed sequence of mutations (header fields set to
// edge values, bytes flipped, streams cut short): each is read from a buffer of exactly its size
// that ends at an inaccessible page. A read either fails with the framework's exception or gives
// a bitmap that converts, writes and reads back.
#include "tests/unit/toolkit/foundation/ext_bitmap_support.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

using namespace bmptest;

namespace {

std::vector<Bytes> Seeds() {
  std::vector<DWORD> colors16(16, 0x405060), colors256(256, 0x102030);
  BmpLayout v4 = {16, 2, 2, BI_BITFIELDS, {}, {1, 2, 3, 4, 5, 6, 7, 8}, {0xF800, 0x7E0, 0x1F}};
  v4.nHeaderSize = 108;
  return {
      MakeBmp({1, 9, 2, BI_RGB, {0, 0xFFFFFF}, {0xAA, 0x80, 0, 0, 0x55, 0, 0, 0}}),
      MakeBmp({4, 5, 2, BI_RGB, colors16, {0x12, 0x34, 0x50, 0, 0x67, 0x89, 0xA0, 0}}),
      MakeBmp({8, 3, -2, BI_RGB, colors256, {1, 2, 3, 0, 4, 5, 6, 0}}),
      MakeBmp({8, 6, 3, BI_RLE8, colors16, {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 4, 1, 5, 9, 0, 0, 0, 1}}),
      MakeBmp({4, 5, 2, BI_RLE4, colors16, {1, 0x12, 3, 0x34, 0, 0, 0, 5, 0x89, 0xAB, 0xC0, 0, 0, 1}}),
      MakeBmp(v4),
      MakeBmp({24, 2, 2, BI_RGB, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}}),
      MakeBmp({32, 2, 1, BI_BITFIELDS, {}, {1, 2, 3, 4, 5, 6, 7, 8}, {0xFF0000, 0xFF00, 0xFF}}),
  };
}

// Offsets of the file and info header fields, and what they are set to.
const size_t kFields[] = {2, 10, 14, 18, 22, 26, 28, 30, 34, 46, 50};
const DWORD kEdges[] = {0,      1,       2,          3,          4,          8,          15,
                        16,     24,      32,         40,         108,        255,        256,
                        0x7FFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFF0000};

void SetField(Bytes& b, size_t i, DWORD v, bool bWord) {
  for (size_t k = 0; k < (bWord ? 2u : 4u) && i + k < b.size(); k++)
    b[i + k] = (BYTE)(v >> (8 * k));
}

// Where a good stream's headers end: the info header, or the masks of bit-field data after it.
size_t HeadersEnd(const Bytes& bmp) {
  return 14 + std::max<size_t>(DwordAt(bmp, 14), DwordAt(bmp, 30) == BI_BITFIELDS ? 52 : 40);
}

// A read that succeeds must give a bitmap that survives the rest of the road.
void CheckRead(const Bytes& bytes, bool bThrow, bool* pLoaded) {
  CExtBitmap bitmap;
  *pLoaded = false;
  try {
    *pLoaded = Load(bitmap, bytes, false, bThrow);
  } catch (CException* e) {
    e->Delete();
    return;
  }
  if (!*pLoaded)
    return;
  const Bytes plain = Save(bitmap, false, false);
  ASSERT_FALSE(plain.empty());
  ASSERT_EQ(DwordAt(plain, 2), plain.size());
  // Small run-length streams can describe large bitmaps; those only need to be written.
  const ULONGLONG nPixels = (ULONGLONG)DwordAt(plain, 18) * DwordAt(plain, 22);
  if (nPixels > (1 << 20))
    return;
  CExtBitmap reread;
  ASSERT_TRUE(Load(reread, Save(bitmap, false, true), false));
  const Pixels px = PixelsOf(bitmap);
  ASSERT_EQ(px.size(), nPixels);
  ASSERT_EQ(PixelsOf(reread), px);
}

TEST(ExtBitmapFuzz, BrokenStreamsNeitherCrashNorOverRead) {
  const std::vector<Bytes> seeds = Seeds();
  std::mt19937 rng(20240611);
  auto pick = [&](size_t n) { return (size_t)(rng() % n); };
  int nLoaded = 0, nFailed = 0;
  for (int i = 0; i < 4000; i++) {
    const Bytes& seed = seeds[pick(seeds.size())];
    Bytes b = seed;
    const int nKind = (int)pick(4);
    if (nKind == 0 || nKind == 3) {
      const size_t nField = kFields[pick(std::size(kFields))];
      const DWORD v = pick(3) == 0 ? rng() : kEdges[pick(std::size(kEdges))];
      SetField(b, nField, v, nField == 26 || nField == 28);
    }
    if (nKind == 1) {
      for (size_t n = 1 + pick(4); n > 0; n--)
        b[pick(b.size())] ^= (BYTE)(1 + pick(255));
    }
    const bool bCut = nKind >= 2;
    if (bCut)
      b.resize(pick(b.size()));
    bool bLoaded = false;
    CheckRead(b, (i & 1) != 0, &bLoaded);
    ASSERT_FALSE(HasFatalFailure()) << "mutation " << i;
    // A stream cut in its headers is refused; one cut after them reads as the whole stream would
    // with the missing bytes zero.
    if (nKind == 2) {
      ASSERT_EQ(b.size() >= HeadersEnd(seed), bLoaded) << "mutation " << i;
      Bytes padded = b;
      padded.resize(seed.size(), 0);
      CExtBitmap cut, whole;
      ASSERT_TRUE(!bLoaded || (Load(cut, b, false) && Load(whole, padded, false)));
      ASSERT_EQ(PixelsOf(whole), PixelsOf(cut)) << "mutation " << i;
    }
    (bLoaded ? nLoaded : nFailed)++;
  }
  // The corpus holds both readable and broken streams.
  EXPECT_GT(nLoaded, 100);
  EXPECT_GT(nFailed, 1000);
}

} // namespace
