#include "imaging/UndoCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// The coding written as plainly as possible: maximal runs of at most 32768 equal bytes, each
// written by RleWriteRun after a marker chosen by count.
Bytes PlainEncode(const Bytes& in) {
  if (in.empty())
    return {};
  DWORD counts[256] = {};
  for (BYTE b : in)
    counts[b]++;
  BYTE m = 0;
  for (int v = 1; v < 256; v++)
    if (counts[v] < counts[m])
      m = (BYTE)v;
  Bytes out(1, m);
  for (size_t i = 0; i < in.size();) {
    size_t n = 1;
    while (i + n < in.size() && in[i + n] == in[i] && n < 32768)
      n++;
    if (n > 3) {
      out.push_back(m);
      if (n - 1 < 128) {
        out.push_back((BYTE)(n - 1));
      } else {
        out.push_back((BYTE)(0x80 | ((n - 1) >> 8)));
        out.push_back((BYTE)((n - 1) & 0xFF));
      }
      out.push_back(in[i]);
    } else if (in[i] == m) {
      out.push_back(m);
      out.push_back((BYTE)(n - 1));
    } else {
      out.insert(out.end(), n, in[i]);
    }
    i += n;
  }
  return out;
}

Bytes Encode(const Bytes& in) {
  Bytes out((size_t)RleBound((DWORD)in.size()));
  out.resize(RleEncode(in.data(), out.data(), (DWORD)in.size()));
  return out;
}

// Input of runs whose lengths and values come from the generator: mostly short, some long, many
// of one value so the marker is rare, some of it.
Bytes RunsOf(std::mt19937& rng, size_t nSize, int nLongPercent, int nValues) {
  Bytes in;
  while (in.size() < nSize) {
    size_t n = rng() % 100 < (unsigned)nLongPercent ? 1 + rng() % 70000 : 1 + rng() % 6;
    in.insert(in.end(), std::min(n, nSize - in.size()), (BYTE)(rng() % nValues));
  }
  return in;
}

TEST(UndoCodec, CodesTheDocumentedVectors) {
  const std::pair<Bytes, Bytes> cases[] = {{Bytes(5, 'a'), {0, 0, 4, 'a'}},
                                           {Bytes(200, 'x'), {0, 0, 0x80, 199, 'x'}},
                                           {Bytes(32768, 7), {0, 0, 0xFF, 0xFF, 7}},
                                           {Bytes(32769, 7), {0, 0, 0xFF, 0xFF, 7, 7}},
                                           {{'a', 'a', 'a', 'b'}, {0, 'a', 'a', 'a', 'b'}},
                                           {{9}, {0, 9}},
                                           {{0}, {1, 0}},
                                           {{}, {}}};
  for (const auto& [in, out] : cases)
    EXPECT_EQ(out, Encode(in)) << "input of " << in.size();
}

TEST(UndoCodec, RandomInputsCodeAsThePlainCodingAndDecodeBack) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 60; round++) {
    Bytes in = RunsOf(rng, 1 + rng() % 200000, round % 3 == 0 ? 5 : 0, round % 2 ? 3 : 256);
    Bytes coded = Encode(in);
    ASSERT_EQ(PlainEncode(in), coded) << "round " << round;
    EXPECT_LE(coded.size(), RleBound((DWORD)in.size()));
    Bytes back(in.size());
    ASSERT_EQ((long long)in.size(),
              RleDecode(coded.data(), back.data(), (DWORD)coded.size(), (DWORD)back.size()));
    EXPECT_EQ(in, back) << "round " << round;
  }
}

TEST(UndoCodec, PiecesAndRunsCodeAsTheWhole) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; round++) {
    Bytes in = RunsOf(rng, 1 + rng() % 150000, 10, 4);
    DWORD counts[256] = {};
    RleCountBytes(in.data(), (DWORD)in.size(), counts);
    Bytes out((size_t)RleBound((DWORD)in.size()));
    CRleEncoder encoder(RleChooseMarker(counts), out.data());
    // Random pieces; a run of equal bytes is handed over whole as a run now and then.
    for (size_t i = 0; i < in.size();) {
      size_t n = std::min(in.size() - i, (size_t)(1 + rng() % 40000));
      size_t same = 1;
      while (same < n && in[i + same] == in[i])
        same++;
      if (rng() % 2 && same == n)
        encoder.PutRun(in[i], (DWORD)n);
      else
        encoder.Put(in.data() + i, (DWORD)n);
      i += n;
    }
    out.resize(encoder.Finish());
    ASSERT_EQ(PlainEncode(in), out) << "round " << round;
  }
}

TEST(UndoCodec, TheBoundHoldsForWorstInputsAndDoesNotOverflow) {
  // Equal shares of every value make the marker as frequent as it can be: each single marker
  // byte costs two.
  Bytes in;
  for (int r = 0; r < 64; r++)
    for (int v = 0; v < 256; v++)
      in.push_back((BYTE)v);
  EXPECT_EQ(RleBound((DWORD)in.size()), Encode(in).size());
  // A picture of more than four megapixels at 32 bits: 257 times its size does not fit 32 bits.
  EXPECT_EQ(0xFFFFFFFFull + 0xFFFFFF + 1, RleBound(0xFFFFFFFFu));
  EXPECT_EQ(20000001ull + 78125 + 1, RleBound(20000001));
}

TEST(UndoCodec, DecodingRefusesCutAndOversizedStreams) {
  Bytes coded = Encode(Bytes(300, 5)); // M, M, 0x81, 43, 5
  Bytes out(300);
  for (size_t n = 2; n < coded.size(); n++)
    EXPECT_EQ(-1, RleDecode(coded.data(), out.data(), (DWORD)n, 300)) << "cut to " << n;
  EXPECT_EQ(-1, RleDecode(coded.data(), out.data(), (DWORD)coded.size(), 299));
  EXPECT_EQ(300, RleDecode(coded.data(), out.data(), (DWORD)coded.size(), 300));
  EXPECT_EQ(0, RleDecode(coded.data(), out.data(), 1, 300)) << "the marker alone codes nothing";
}

} // namespace
