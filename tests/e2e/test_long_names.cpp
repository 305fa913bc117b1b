// Names typed into the file dialogs that their path cannot hold: the dialog says so and stays open
// with the name, the program keeps its picture; paths that fit save as before.
#include "tests/e2e/e2e_support.h"

#include <string>

using namespace e2e;

namespace {

const char kTooLong[] = "The name is too long: with its folder, a file's path can hold at most 259 "
                        "characters.\nChoose a shorter name or folder.";

COLORREF Pattern(int x, int y) { return RGB(x * 4, y * 4, 128); }

struct NameCase {
  const char* name;
  char cItem;     // of the File menu: 'A' Save As, 'O' Open
  int nLength;    // of the full path typed, or of the name alone when bInFolder
  bool bInFolder; // the name alone, in the folder the dialog shows
  bool bFits;     // the picture is saved under it
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

// A path of the temporary folder, or a name alone, of nLength characters ending in ".png".
std::string LongName(int nLength, bool bInFolder) {
  const std::string folder = bInFolder ? "" : TempPath("");
  return folder + std::string(nLength - folder.size() - 4, 'n') + ".png";
}

class LongNameTest : public E2eTest, public ::testing::WithParamInterface<NameCase> {};

// The user types the name into the dialog's name box and presses Enter.
TEST_P(LongNameTest, ANameThePathCannotHoldIsRefusedWithTheDialogKept) {
  const NameCase& c = GetParam();
  const CSize size(40, 30);
  const std::string source = SavePicturePng("e2e_long_source.png", size, Pattern);
  ASSERT_FALSE(source.empty());
  ASSERT_TRUE(m_app.Start("\"" + source + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, size));
  const std::string typed = LongName(c.nLength, c.bInFolder);
  ::DeleteFileA(typed.c_str());
  ASSERT_TRUE(m_app.Menu('F', c.cItem));
  HWND hDialog = NULL;
  ASSERT_NO_FATAL_FAILURE(TypeIntoNameBox(typed, c.cItem == 'A' ? "Save As" : "Open", hDialog));
  if (c.bFits) {
    ASSERT_TRUE(WaitUntil("the dialog to close", [&] { return !::IsWindow(hDialog); }));
    EXPECT_TRUE(WaitUntil("the picture saved",
                          [&] { return ::GetFileAttributesA(typed.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_TRUE(m_app.PictureIs(size, Pattern));
    ::DeleteFileA(typed.c_str());
  } else {
    const HWND hBox = m_app.WaitForDialog("too long");
    ASSERT_NE(nullptr, hBox) << "no message; the program "
                             << (m_app.Running() ? "runs on"
                                                 : "ended with " + std::to_string(m_app.ExitCode()));
    CRect shown;
    shown.UnionRect(ScreenRect(hDialog), ScreenRect(hBox));
    SaveScreenshot(shown, (std::string("e2e_long_name_") + c.name + ".bmp").c_str());
    ASSERT_TRUE(m_app.Answer(kTooLong, VK_RETURN));
    ASSERT_TRUE(::IsWindow(hDialog)) << "the dialog closed";
    EXPECT_TRUE(
        WaitUntil("the typed name kept", [&] { return m_app.Text(GuiState(hDialog).hwndFocus) == typed; }))
        << "the name box holds \"" << m_app.Text(GuiState(hDialog).hwndFocus) << "\"";
    ASSERT_TRUE(m_app.Activate(hDialog));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the dialog to close", [&] { return !::IsWindow(hDialog); }));
    ASSERT_TRUE(m_app.Running());
    EXPECT_EQ(1u, m_app.Documents().size());
    EXPECT_TRUE(m_app.PictureIs(size, Pattern));
  }
  ::DeleteFileA(source.c_str());
}

INSTANTIATE_TEST_SUITE_P(Names, LongNameTest,
                         ::testing::Values(NameCase{"SaveAsPath255", 'A', 255, false, true},
                                           NameCase{"SaveAsPath259", 'A', 259, false, true},
                                           NameCase{"SaveAsPath260", 'A', 260, false, false},
                                           NameCase{"SaveAsPath269", 'A', 269, false, false},
                                           NameCase{"SaveAsPath299", 'A', 299, false, false},
                                           NameCase{"SaveAsName259", 'A', 259, true, false},
                                           NameCase{"OpenPath269", 'O', 269, false, false}),
                         [](const ::testing::TestParamInfo<NameCase>& info) {
                           return std::string(info.param.name);
                         });

} // namespace
