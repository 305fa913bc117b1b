// The documents of the main frame as a user meets them: captures open maximised, the menu bar shows
// the document's menus while one is open and the main menus once none is, the maximised child's
// caption boxes at the bar's far end do what they say, and the tab strip keeps one tab per child.
// The bars are read from the screen: each menu title, tab text or caption box is a run of ink.
#include "tests/e2e/e2e_support.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

const int kMenuBar = 23366;
const size_t kMainMenus = 6;     // File, Edit, Capture, View, Tools, Help
const size_t kDocumentMenus = 8; // with Image and Window

class DocumentsTest : public E2eTest {
protected:
  HWND MenuBar() const {
    const std::vector<HWND> bars = m_app.Descendants(kMenuBar);
    return bars.empty() ? NULL : bars[0];
  }
  HWND Tabs() const { return ::FindWindowExA(m_app.Frame(), NULL, "Corvane-TabWindow", NULL); }
  HWND Active() const {
    DWORD_PTR nResult = 0;
    ::SendMessageTimeoutA(m_app.MdiClient(), WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG, 5000, &nResult);
    return reinterpret_cast<HWND>(nResult);
  }
  // Waits until the frame shows the documents named, in the order of their tabs, docs[nActive]
  // active and maximised: the document menus with the caption boxes, one tab per document with
  // the active one's text in the text colour. Without documents: the main menus and no tabs.
  ::testing::AssertionResult Shows(const std::vector<std::string>& docs, size_t nActive = 0) {
    const size_t nDocs = docs.size();
    const std::string active = nDocs > 0 ? docs[nActive] : "";
    std::string seen;
    const bool bShown = WaitFor([&] {
      const BarInk bar = ReadBarInk(MenuBar(), true);
      const BarInk tabs = nDocs > 0 ? ReadBarInk(Tabs(), false) : BarInk();
      const HWND hActive = Active();
      std::string activeTab;
      for (size_t i = 0; i < tabs.lead.size(); i++)
        if (tabs.lead[i].bText)
          activeTab += (activeTab.empty() ? "" : ",") + std::to_string(i + 1);
      seen = std::to_string(m_app.Documents().size()) + " documents, active \"" +
             (hActive ? m_app.Text(hActive) : "") + "\" maximised " + std::to_string(::IsZoomed(hActive)) +
             ", " + std::to_string(bar.lead.size()) + " menus, " + std::to_string(bar.tail.size()) +
             " caption boxes, " + std::to_string(tabs.lead.size()) + " tabs, active tab " + activeTab +
             ", strip shown " + std::to_string(::IsWindowVisible(Tabs()));
      if (nDocs == 0)
        return m_app.Documents().empty() && bar.lead.size() == kMainMenus && bar.tail.empty() &&
               !::IsWindowVisible(Tabs());
      return m_app.Documents().size() == nDocs && m_app.Text(hActive) == active && ::IsZoomed(hActive) &&
             bar.lead.size() == kDocumentMenus && bar.tail.size() == 3 && tabs.lead.size() == nDocs &&
             activeTab == std::to_string(nActive + 1);
    });
    if (bShown)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected " << nDocs << " documents with \"" << active << "\" active; the frame shows " << seen;
  }
  // The frame's picture once it has stood still for a while: the bars and panels paint again some
  // hundred milliseconds after a capture shows the frame again.
  void SaveFrame(const char* pszName) {
    const CRect frame = ScreenRect(m_app.Frame());
    EXPECT_FALSE(pixel_support::SaveBmp(Settled([&] { return ReadScreen(frame); }, 500), pszName).empty());
  }
  // Clicks the middle of the run of a bar with the X pointer.
  void Click(HWND hBar, const std::vector<InkRun>& runs, size_t nRun) {
    ASSERT_LT(nRun, runs.size());
    const InkRun& run = runs[nRun];
    const CRect rc = ScreenRect(hBar);
    SendXSteps("C" + std::to_string((run.left + run.right) / 2) + "," + std::to_string(rc.CenterPoint().y),
               hBar);
  }
};

// Two captures, each opening maximised with the document menus; the other one activated by its tab,
// by Ctrl+F6 and by the Window menu, the menus and tabs following; each close takes its tab, the
// last one brings the main menus back.
TEST_F(DocumentsTest, MenuBarAndTabsFollowTheActiveDocument) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_TRUE(Shows({}));
  SaveFrame("main_empty.bmp");
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_TRUE(Shows({"Image1"}));
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(CRect(400, 300, 600, 500)));
  ASSERT_TRUE(Shows({"Image1", "Image2"}, 1));
  SaveFrame("main_two_documents.bmp");

  ASSERT_NO_FATAL_FAILURE(Click(Tabs(), ReadBarInk(Tabs(), false).lead, 0));
  ASSERT_TRUE(Shows({"Image1", "Image2"}, 0)) << "after a click on its tab";
  ASSERT_TRUE(m_app.Activate());
  PressKey(VK_F6, MOD_CONTROL);
  ASSERT_TRUE(Shows({"Image1", "Image2"}, 1)) << "after Ctrl+F6";
  ASSERT_TRUE(m_app.Menu('W', '1'));
  ASSERT_TRUE(Shows({"Image1", "Image2"}, 0)) << "after Window, 1";

  ASSERT_NO_FATAL_FAILURE(CloseDocument('N'));
  ASSERT_TRUE(Shows({"Image2"}));
  ASSERT_NO_FATAL_FAILURE(CloseDocument('N'));
  ASSERT_TRUE(Shows({}));
  ASSERT_TRUE(m_app.Exit());
}

struct CaptionBox {
  const char* pszName;
  size_t nBox; // among the caption boxes, from the left
  bool bCloses;
  bool bIconic;
};
void PrintTo(const CaptionBox& box, std::ostream* os) { *os << box.pszName; }

class CaptionBoxTest : public DocumentsTest, public ::testing::WithParamInterface<CaptionBox> {};

// A click on a caption box of the maximised document: minimise makes it an icon, restore gives it
// its own size, both leaving the document menus without the boxes; close asks to save and, told
// not to, closes it and brings the main menus back.
TEST_P(CaptionBoxTest, ClickDoesWhatTheBoxSays) {
  const CaptionBox& box = GetParam();
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_TRUE(Shows({"Image1"}));
  const HWND hChild = Active();
  ASSERT_NO_FATAL_FAILURE(Click(MenuBar(), ReadBarInk(MenuBar(), true).tail, box.nBox));
  if (box.bCloses) {
    ASSERT_TRUE(m_app.Answer("Save changes to file?", 'N'));
    EXPECT_TRUE(Shows({}));
    return;
  }
  EXPECT_TRUE(WaitUntil(std::string(box.pszName) + " done", [&] {
    const BarInk bar = ReadBarInk(MenuBar(), true);
    return !::IsZoomed(hChild) && bool(::IsIconic(hChild)) == box.bIconic &&
           bar.lead.size() == kDocumentMenus && bar.tail.empty();
  }));
  EXPECT_EQ(hChild, Active());
}

const CaptionBox kBoxes[] = {
    {"Minimise", 0, false, true}, {"Restore", 1, false, false}, {"Close", 2, true, false}};
INSTANTIATE_TEST_SUITE_P(Maximised, CaptionBoxTest, ::testing::ValuesIn(kBoxes),
                         [](const ::testing::TestParamInfo<CaptionBox>& info) { return info.param.pszName; });

} // namespace
