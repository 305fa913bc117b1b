// The Help menu's web pages and help file leave the program through the shell: the test prefix
// hands them to a stand-in browser that logs what it was asked to open.
#include "tests/e2e/e2e_support.h"

#include <fstream>

using namespace e2e;

namespace {

struct HelpTarget {
  const char* pszName;
  char cItem; // the Help menu's letter; 0: the key below, pressed in the frame
  WORD wKey;
  std::string (*target)();
};

std::string HelpFile() { return ProgramFolder() + "\\pixhelp.chm"; }

const HelpTarget kTargets[] = {
    {"HomePage", 'H', 0, [] { return std::string("https://www.vantrel.com/pixolet/"); }},
    {"VideoTour", 'T', 0, [] { return std::string("https://www.vantrel.com/pixolet/videotours/"); }},
    {"HelpFile", 'O', 0, HelpFile},
    {"HelpFileByF1", 0, VK_F1, HelpFile},
};

void PrintTo(const HelpTarget& target, std::ostream* os) { *os << target.pszName; }

class HelpTest : public E2eTest, public ::testing::WithParamInterface<HelpTarget> {
protected:
  // The help file ships beside the program; the stand-in never reads it, so an empty one serves
  // where the build has none.
  void SetUp() override {
    E2eTest::SetUp();
    if (::GetFileAttributesA(HelpFile().c_str()) == INVALID_FILE_ATTRIBUTES) {
      std::ofstream(HelpFile(), std::ios::binary);
      m_bMadeHelpFile = true;
    }
  }
  void TearDown() override {
    E2eTest::TearDown();
    if (m_bMadeHelpFile)
      ::DeleteFileA(HelpFile().c_str());
  }
  bool m_bMadeHelpFile = false;
};

TEST_P(HelpTest, OpensItsTargetThroughTheShell) {
  CStandInBrowser browser;
  ASSERT_TRUE(browser.Registered());
  ASSERT_TRUE(m_app.Start());
  if (GetParam().cItem != 0) {
    ASSERT_TRUE(m_app.Menu('H', GetParam().cItem));
  } else {
    ASSERT_TRUE(m_app.Activate());
    PressKey(GetParam().wKey);
  }
  EXPECT_TRUE(browser.OpenedOnly(GetParam().target()));
}

INSTANTIATE_TEST_SUITE_P(Items, HelpTest, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<HelpTarget>& info) { return info.param.pszName; });

} // namespace
