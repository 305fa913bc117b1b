// The record check knows every record type of the enhanced format by its layout, those the
// platform's player passes over too.
#include "imaging/MetafileCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// An enhanced metafile of 100 x 100 pixels with two handle slots, of the records given as their
// words after the type and size.
Bytes Emf(const std::vector<std::vector<DWORD>>& records) {
  std::vector<DWORD> words = {EMR_HEADER, 88, 0, 0, 99, 99, 0, 0,    2475, 2475, ENHMETA_SIGNATURE,
                              0x10000,    0,  0, 2, 0,  0,  0, 1000, 1000, 250,  250};
  for (auto record : records) {
    record.insert(record.begin() + 1, (DWORD)(4 + 4 * record.size()));
    words.insert(words.end(), record.begin(), record.end());
  }
  words.insert(words.end(), {EMR_EOF, 20, 0, 16, 20});
  words[12] = (DWORD)(4 * words.size());
  Bytes bytes(4 * words.size());
  std::memcpy(bytes.data(), words.data(), bytes.size());
  return bytes;
}

struct RecordCase {
  const char* name;
  std::vector<DWORD> record;
  bool bSound;
};

std::ostream& operator<<(std::ostream& os, const RecordCase& c) { return os << c.name; }

class RecordLayout : public ::testing::TestWithParam<RecordCase> {};

// The records the player passes over are held to their layout like the others; a kind the format
// does not have is passed over, a second header is not.
TEST_P(RecordLayout, IsKnown) {
  const Bytes emf = Emf({GetParam().record});
  EXPECT_EQ(GetParam().bSound, IsSoundEnhMetafile(emf.data(), emf.size()));
}

const DWORD kOne = 0x3F800000, kText = 0x00786950; // 1.0f, "Pix"
// clang-format off
INSTANTIATE_TEST_SUITE_P(Records, RecordLayout, ::testing::Values(
    RecordCase{"SmallText", {108, 50, 50, 3, 0x300, 1, kOne, kOne, kText}, true},
    RecordCase{"SmallTextPastItsRecord", {108, 50, 50, 9, 0x300, 1, kOne, kOne, kText}, false},
    RecordCase{"SmallTextWideWithItsRectangle", {108, 50, 50, 2, 0, 1, kOne, kOne, 0, 0, 9, 9, kText}, true},
    RecordCase{"SmallTextRectangleMissing", {108, 50, 50, 2, 0, 1, kOne, kOne, kText}, false},
    RecordCase{"ColourSpaceInTheTable", {EMR_SETCOLORSPACE, 1}, true},
    RecordCase{"ColourSpacePastTheTable", {EMR_DELETECOLORSPACE, 7}, false},
    RecordCase{"Escape", {106, 1, 4, 0}, true},
    RecordCase{"EscapePastItsRecord", {106, 1, 8, 0}, false},
    RecordCase{"LinkedFonts", {119, 1, 0, 0, 0, 0}, true},
    RecordCase{"LinkedFontsPastTheirRecord", {119, 2, 0, 0, 0, 0}, false},
    RecordCase{"TextJustification", {120, 10, 2}, true},
    RecordCase{"TextJustificationCut", {120, 10}, false},
    RecordCase{"KindOutsideTheFormat", {200, 1, 2}, true},
    RecordCase{"SecondHeader", {EMR_HEADER, 0, 0, 0, 0}, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
