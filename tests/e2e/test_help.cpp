// The Help menu's web pages and help file and the about box's links leave the program through the
// shell: the test prefix hands them to a stand-in browser that logs what it was asked to open.
#include "resources/resource.h"
#include "tests/e2e/e2e_support.h"

#include <fstream>

using namespace e2e;

namespace {

// How the user asks for the target: a Help menu item, a key in the frame or in an edit box of the
// task sheet, or a link of the about box.
enum class Road { kMenu, kKey, kKeyInTaskSheet, kAboutLink };

const int kResizeImageLink = 4007;

struct HelpTarget {
  const char* pszName;
  Road road;
  int nWhich; // the item's letter, the key, or the link's control id
  std::string (*target)();
};

void PrintTo(const HelpTarget& target, std::ostream* os) { *os << target.pszName; }

std::string HelpFile() { return ProgramFolder() + "\\pixhelp.chm"; }
std::string ProductPage() { return "https://www.vantrel.com/pixolet/"; }
std::string MakerPage() { return "https://www.vantrel.com/"; }
std::string VideoTour() { return "https://www.vantrel.com/pixolet/videotours/"; }

const HelpTarget kTargets[] = {
    {"HomePage", Road::kMenu, 'H', ProductPage},
    {"VideoTour", Road::kMenu, 'T', VideoTour},
    {"HelpFile", Road::kMenu, 'O', HelpFile},
    {"HelpFileByF1", Road::kKey, VK_F1, HelpFile},
    {"HelpFileByF1FromTaskSheet", Road::kKeyInTaskSheet, VK_F1, HelpFile},
    {"AboutProductLink", Road::kAboutLink, IDC_ABOUT_PRODUCT_ADDRESS, ProductPage},
    {"AboutMakerLink", Road::kAboutLink, IDC_ABOUT_MAKER_ADDRESS, MakerPage},
};

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
  // Clicks the start of the about box's link, where its text is.
  void ClickAboutLink(int nId) {
    ASSERT_TRUE(m_app.Menu('H', 'A'));
    HWND hAbout = m_app.WaitForDialog("About Pixolet Screen Capture");
    ASSERT_NE(nullptr, hAbout);
    HWND hLink = ::GetDlgItem(hAbout, nId);
    ASSERT_NE(nullptr, hLink);
    CRect rc;
    ::GetWindowRect(hLink, &rc);
    SendSteps("C" + std::to_string(rc.left + 8) + "," + std::to_string(rc.CenterPoint().y), hAbout);
  }
  // The frame's shown window with the id; NULL when none is.
  HWND ShownItem(int nId) const {
    for (HWND hItem : m_app.Descendants(nId))
      if (::IsWindowVisible(hItem))
        return hItem;
    return NULL;
  }
  // Clicks into the shown window with the id, a little in from its left.
  void ClickItem(int nId, int nInset) {
    const HWND hItem = ShownItem(nId);
    ASSERT_NE(nullptr, hItem) << "no window " << nId << " shown";
    CRect rc;
    ::GetWindowRect(hItem, &rc);
    SendXSteps("C" + std::to_string(rc.left + nInset) + "," + std::to_string(rc.CenterPoint().y), hItem);
  }
  bool m_bMadeHelpFile = false;
};

TEST_P(HelpTest, OpensItsTargetThroughTheShell) {
  const HelpTarget& target = GetParam();
  CStandInBrowser browser;
  ASSERT_TRUE(browser.Registered());
  ASSERT_TRUE(m_app.Start());
  switch (target.road) {
  case Road::kMenu:
    ASSERT_TRUE(m_app.Menu('H', (char)target.nWhich));
    break;
  case Road::kKey: {
    // The key goes to the focus: the frame must hold it once its activation has settled, with the
    // pointer out of the way of X's focus that follows it.
    MoveMouse(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    ASSERT_TRUE(m_app.Activate());
    const HWND hFrame = m_app.Frame();
    ASSERT_TRUE(WaitUntil("the keyboard focus in the frame", [hFrame] {
      const HWND hFocus = GuiState(hFrame).hwndFocus;
      return ::GetForegroundWindow() == hFrame && (hFocus == hFrame || ::IsChild(hFrame, hFocus));
    }));
    PressKey((WORD)target.nWhich);
    break;
  }
  case Road::kKeyInTaskSheet: {
    // The resize page's width box: an edit box keeps its editing keys, not the frame's F1.
    ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
    ASSERT_NO_FATAL_FAILURE(ClickItem(kResizeImageLink, 30));
    ASSERT_TRUE(WaitUntil("the resize page", [&] { return ShownItem(IDC_RESIZE_WIDTH) != NULL; }));
    ASSERT_NO_FATAL_FAILURE(ClickItem(IDC_RESIZE_WIDTH, 4));
    const HWND hEdit = ShownItem(IDC_RESIZE_WIDTH);
    ASSERT_TRUE(
        WaitUntil("the focus in the width box", [hEdit] { return GuiState(hEdit).hwndFocus == hEdit; }));
    PressKey((WORD)target.nWhich);
    break;
  }
  case Road::kAboutLink:
    ASSERT_NO_FATAL_FAILURE(ClickAboutLink(target.nWhich));
    break;
  }
  EXPECT_TRUE(browser.OpenedOnly(target.target()));
}

INSTANTIATE_TEST_SUITE_P(Items, HelpTest, ::testing::ValuesIn(kTargets),
                         [](const ::testing::TestParamInfo<HelpTarget>& info) { return info.param.pszName; });

// The help file's command without a help file beside the program says so, naming the file, instead of doing
// nothing. (It runs in the same entry as the tests above, which make an empty help file for the stand-in.)
using HelpFileTest = E2eTest;

TEST_F(HelpFileTest, AMissingHelpFileIsSaid) {
  const std::string kAside = HelpFile() + ".aside";
  const bool bHad = ::GetFileAttributesA(HelpFile().c_str()) != INVALID_FILE_ATTRIBUTES;
  if (bHad)
    ASSERT_TRUE(::MoveFileA(HelpFile().c_str(), kAside.c_str()));
  ASSERT_TRUE(m_app.Start());
  ASSERT_TRUE(m_app.Menu('H', 'O'));
  const HWND hBox = m_app.WaitForDialog("The help file could not be opened");
  EXPECT_NE(nullptr, hBox) << "no word of the missing help file";
  if (hBox != NULL) {
    EXPECT_NE(std::string::npos, m_app.Text(::GetDlgItem(hBox, 0xFFFF)).find("pixhelp.chm"));
    SaveScreenshot(ScreenRect(hBox), "e2e_help_file_missing.bmp");
    EXPECT_TRUE(m_app.Answer("The help file could not be opened:\n" + HelpFile(), VK_RETURN));
  }
  if (bHad)
    ::MoveFileA(kAside.c_str(), HelpFile().c_str());
}

} // namespace
