// The task sheet's resize page in the sheet lab: sizes typed as real keys, the aspect arithmetic,
// limits and messages, one preview per change, and how OK, " Main Menu " and Cancel leave the view
// and the shared image size.
#include "app/TaskSheet.h"
#include "editor/EditorMessages.h"
#include "editor/FramletView.h"
#include "imaging/Globals.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/sheet_support.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

// What the view was sent to preview, read from the block during the call.
struct Preview {
  int cx, cy, smooth, keep;
  bool operator==(const Preview& o) const {
    return cx == o.cx && cy == o.cy && smooth == o.smooth && keep == o.keep;
  }
};
std::vector<Preview> g_previews;
std::vector<std::string> g_blocks; // "<task id>:<block or 0>:<background>"
WNDPROC g_viewProc = nullptr;

LRESULT CALLBACK ReadBlock(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == UM_APPLY_EFFECT) {
    const EffectParams* p = reinterpret_cast<const EffectParams*>(lParam);
    g_blocks.push_back(std::to_string(wParam) +
                       (p != nullptr ? ":block:" + std::to_string(p->color[0]) : ":0"));
    if (p != nullptr)
      g_previews.push_back({p->value[0], p->value[1], p->flag[0], p->flag[1]});
  }
  return ::CallWindowProcA(g_viewProc, hWnd, nMsg, wParam, lParam);
}

std::string Text(HWND hWnd) {
  char sz[64] = "";
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

// The lab with the resize page opened from its link for an image of the given size.
class ResizePageTest : public ::testing::Test {
protected:
  SheetLab lab;

  void SetUp() override {
    g_viewProc = (WNDPROC)::SetWindowLongPtrA(lab.view.GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)ReadBlock);
  }
  void TearDown() override {
    ::SetWindowLongPtrA(lab.view.GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)g_viewProc);
    g_previews.clear();
    g_blocks.clear();
  }

  HWND Item(int nId) const { return ::GetDlgItem(lab.pageResize.GetSafeHwnd(), nId); }
  void Open(int nTaskId, int cx, int cy) {
    g_nImageWidth = cx;
    g_nImageHeight = cy;
    ShowTaskMainPage();
    lab.Click(CPropPageMain::kMainMenuId);
    lab.Click(nTaskId);
    ASSERT_EQ(2, GetTaskPageIndex());
    lab.view.log.clear();
    g_previews.clear();
    g_blocks.clear();
  }
  // A real click on a control of the page.
  void ClickItem(int nId) {
    ASSERT_TRUE(::IsWindowVisible(Item(nId))) << nId;
    MouseInClient(Item(nId), POINT{6, 6}, MOUSEEVENTF_LEFTDOWN);
    MouseInClient(Item(nId), POINT{6, 6}, MOUSEEVENTF_LEFTUP);
    PumpPending();
  }
  // Keys typed over the field's whole text ('\b' is Backspace), until the field shows pszShown.
  void Type(int nId, const char* pszKeys, const char* pszShown) {
    HWND hEdit = Item(nId);
    lab.frame.SetForegroundWindow();
    ::SetFocus(hEdit);
    ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    for (const char* p = pszKeys; *p != '\0'; ++p)
      real_input::Key(*p == '\b' ? VK_BACK : (UINT)*p);
    EXPECT_TRUE(PumpUntil([&] { return Text(hEdit) == pszShown && HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }))
        << pszKeys << " shows " << Text(hEdit);
  }
  bool Checked(int nId) const { return ::SendMessageA(Item(nId), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetCheck(int nId, bool bChecked) {
    if (Checked(nId) != bChecked)
      ClickItem(nId);
  }
};

struct TypingRow {
  int task;
  int cx, cy; // the image's size
  bool keep;
  int field; // the field typed in
  const char* keys;
  const char* width; // the fields afterwards
  const char* height;
  int previews;        // one per keystroke that leaves both fields non-zero
  CSize last;          // the size last previewed
  const char* message; // the one message, or ""
};

const char* const kWidthLimit = "Please enter width between 1 & 4000.";
const char* const kHeightLimit = "Please enter height between 1 & 4000.";

TEST_F(ResizePageTest, TypedSizesFollowTheAspectAndLimitsWithOnePreviewPerKey) {
  const int W = IDC_RESIZE_WIDTH, H = IDC_RESIZE_HEIGHT;
  const TypingRow rows[] = {
      // 320 / 1.3333334f is 240 in single precision (239.99999 in double).
      {4007, 640, 480, true, W, "320", "320", "240", 3, CSize(320, 240), ""},
      {4007, 640, 480, true, H, "100", "133", "100", 3, CSize(133, 100), ""},
      {4007, 640, 480, true, W, "5000", "4000", "3000", 4, CSize(4000, 3000), kWidthLimit},
      {4007, 640, 480, false, W, "5000", "4000", "480", 4, CSize(4000, 480), kWidthLimit},
      {4007, 640, 480, false, H, "0", "640", "1", 1, CSize(640, 1), kHeightLimit},
      {4007, 640, 480, false, W, "\b", "1", "480", 1, CSize(1, 480), kWidthLimit},
      // The other field is kept inside the limits without a message.
      {4007, 100, 10, true, H, "500", "4000", "500", 3, CSize(4000, 500), ""},
      // The canvas takes any positive size and previews nothing while a field is empty.
      {4008, 640, 480, false, W, "100000", "100000", "480", 6, CSize(100000, 480), ""},
      {4008, 640, 480, false, H, "\b", "640", "", 0, CSize(0, 0), ""},
  };
  for (const TypingRow& row : rows) {
    const std::string name = std::to_string(row.task) + " " + row.keys;
    Open(row.task, row.cx, row.cy);
    if (row.task == 4007) {
      SetCheck(IDC_RESIZE_KEEP_ASPECT, row.keep);
      SetCheck(IDC_RESIZE_SMOOTH, false);
    }
    g_previews.clear();
    g_blocks.clear();
    MessageBoxRecorder boxes;
    Type(row.field, row.keys, row.field == W ? row.width : row.height);
    EXPECT_EQ(row.width, Text(Item(W))) << name;
    EXPECT_EQ(row.height, Text(Item(H))) << name;
    EXPECT_EQ(row.previews, (int)g_previews.size()) << name;
    if (!g_previews.empty()) {
      EXPECT_EQ(row.last, CSize(g_previews.back().cx, g_previews.back().cy)) << name;
      EXPECT_EQ(std::to_string(row.task) + ":block:16777215", g_blocks.back()) << name;
      EXPECT_EQ(row.last, CSize(g_nImageWidth, g_nImageHeight)) << name;
    }
    const size_t nBoxes = row.message[0] != '\0' ? 1 : 0;
    ASSERT_EQ(nBoxes, MessageBoxRecorder::Boxes().size()) << name;
    if (nBoxes == 1) { // with the OK button alone
      const auto& box = MessageBoxRecorder::Boxes()[0];
      EXPECT_EQ(std::make_pair(std::string(row.message), (UINT)MB_OK),
                std::make_pair(box.first, (UINT)(box.second & MB_TYPEMASK)))
          << name;
    }
  }
}

TEST_F(ResizePageTest, TickingKeepAspectRoundsTheHeightAndEachOptionPreviewsOnce) {
  Open(4007, 640, 480);
  SetCheck(IDC_RESIZE_KEEP_ASPECT, false);
  SetCheck(IDC_RESIZE_SMOOTH, false);
  Type(IDC_RESIZE_WIDTH, "100", "100");
  g_previews.clear();
  ClickItem(IDC_RESIZE_KEEP_ASPECT); // 100 / 1.3333334f + 0.5 gives 75
  ClickItem(IDC_RESIZE_SMOOTH);
  const std::vector<Preview> expected = {{100, 75, 0, 1}, {100, 75, 1, 1}};
  EXPECT_TRUE(expected == g_previews) << g_previews.size();
  EXPECT_EQ("75", Text(Item(IDC_RESIZE_HEIGHT)));
}

// How each link leaves the view, the shared size and the page at its next opening.
struct LinkRow {
  int link;
  std::vector<std::string> blocks; // what the view hears after the link
  std::vector<std::string> log;
  CSize shared;         // g_nImageWidth, g_nImageHeight afterwards
  const char* reopened; // the original size shown at the next opening
};

TEST_F(ResizePageTest, OkAndMainMenuKeepTheSizeAndCancelPutsTheOriginalBack) {
  const LinkRow rows[] = {
      {5002, {}, {"edit:1"}, CSize(320, 240), "320 x 240 Pixels"},
      {5001, {}, {"edit:1"}, CSize(320, 240), "320 x 240 Pixels"},
      {5003, {"5003:0"}, {"apply:5003"}, CSize(640, 480), "640 x 480 Pixels"},
  };
  for (const LinkRow& row : rows) {
    Open(4007, 640, 480);
    EXPECT_EQ("640 x 480 Pixels", Text(Item(IDC_RESIZE_ORIGINAL)));
    SetCheck(IDC_RESIZE_KEEP_ASPECT, true);
    Type(IDC_RESIZE_WIDTH, "320", "320");
    g_blocks.clear();
    lab.view.log.clear();
    MouseInClient(Item(row.link), POINT{20, 9}, MOUSEEVENTF_LEFTDOWN);
    MouseInClient(Item(row.link), POINT{20, 9}, MOUSEEVENTF_LEFTUP);
    PumpPending();
    EXPECT_EQ(0, GetTaskPageIndex()) << row.link;
    EXPECT_EQ(row.blocks, g_blocks) << row.link;
    EXPECT_EQ(row.log, lab.view.log) << row.link;
    EXPECT_EQ(row.shared, CSize(g_nImageWidth, g_nImageHeight)) << row.link;
    lab.Click(CPropPageMain::kMainMenuId);
    lab.Click(4007);
    EXPECT_EQ(row.reopened, Text(Item(IDC_RESIZE_ORIGINAL))) << row.link;
  }
}

// The page fills its fields when it becomes active and when an edit begins: that is no change to
// preview, and without an edit the view keeps no original for the page, so typing previews nothing.
TEST_F(ResizePageTest, NothingIsPreviewedOutsideAnEditOrWhileThePageFillsItsFields) {
  Open(4008, 640, 480);
  Type(IDC_RESIZE_WIDTH, "700", "700");
  MouseInClient(Item(5002), POINT{20, 9}, MOUSEEVENTF_LEFTDOWN);
  MouseInClient(Item(5002), POINT{20, 9}, MOUSEEVENTF_LEFTUP);
  PumpPending();
  g_nImageWidth = 200; // another picture
  g_nImageHeight = 100;
  lab.view.log.clear();
  lab.sheet.SetActivePage(2); // shown by the sheet alone: no edit
  PumpPending();
  EXPECT_EQ("200", Text(Item(IDC_RESIZE_WIDTH)));
  Type(IDC_RESIZE_WIDTH, "300", "300");
  EXPECT_TRUE(lab.view.log.empty()) << lab.view.log.front();
  ShowTaskMainPage();
  lab.Click(CPropPageMain::kMainMenuId);
  lab.Click(4007);
  const std::vector<std::string> begins = {"edit:0", "save:1:0"};
  EXPECT_EQ(begins, lab.view.log);
  EXPECT_EQ("200", Text(Item(IDC_RESIZE_WIDTH)));
  EXPECT_EQ("200 x 100 Pixels", Text(Item(IDC_RESIZE_ORIGINAL)));
}

TEST_F(ResizePageTest, PaintsItsBackgroundAndLine) {
  for (auto [nTaskId, pszTitle, pszPicture] :
       {std::tuple<int, const char*, const char*>{4007, "Resize Image", "page_resize_image.bmp"},
        {4008, "Resize Canvas", "page_resize_canvas.bmp"}}) {
    Open(nTaskId, 640, 480);
    EXPECT_EQ(pszTitle, Text(::GetDlgItem(lab.pageResize.GetSafeHwnd(), -1)));
    lab.pageResize.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    auto px = pixel_support::ReadClient(lab.pageResize.GetSafeHwnd());
    ASSERT_FALSE(px.Empty());
    pixel_support::SaveBmp(px, pszPicture);
    EXPECT_EQ(0xFFFFFFu, px.At(100, 240)) << nTaskId;
    EXPECT_EQ(g_nOsVersionCode == 100 ? 0xF7D6BFu : 0xF3F5F5u, px.At(100, 245)) << nTaskId;
  }
}

} // namespace
