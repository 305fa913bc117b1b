// The caption page in the task-sheet lab: opened from the main page's link, its lists and links,
// one preview with the whole block per change made with real input, the Add buttons, and the
// links that end the edit.
#include "app/PropPageCaption.h"
#include "app/TaskSheet.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/dialogs_support.h"
#include "tests/unit/app/sheet_support.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <functional>

namespace {

HWND CaptionItem(SheetLab& lab, int nId) { return ::GetDlgItem(lab.pageCaption.GetSafeHwnd(), nId); }

int Previews(const SheetLab& lab) {
  return (int)std::count(lab.view.log.begin(), lab.view.log.end(), "apply:2012");
}

std::string ListText(HWND hList, int nIndex) {
  char sz[LF_FACESIZE + 8] = "";
  ::SendMessageA(hList, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)sz);
  return sz;
}

// The caption page made active by a real click on the main page's "Caption, Time Stamp".
void OpenCaption(SheetLab& lab) {
  lab.Click(2012);
  ASSERT_TRUE(PumpUntil([] { return GetTaskPageIndex() == TASK_PAGE_CAPTION; }));
  ASSERT_TRUE(::IsWindowVisible(lab.pageCaption.GetSafeHwnd()));
}

TEST(CaptionPage, OpensWithItsListsAndLinksAndSendsNoPreview) {
  SheetLab lab;
  OpenCaption(lab);
  EXPECT_EQ((std::vector<std::string>{"edit:0", "save:1:0"}), lab.view.log);

  const char* const kSizes[] = {"5",  "6",  "8",  "9",  "10", "11", "12", "14", "16", "18", "20",
                                "22", "24", "26", "28", "36", "48", "55", "65", "75", "85", "99"};
  HWND hSizes = CaptionItem(lab, IDC_CAPTION_SIZE);
  ASSERT_EQ(22, ::SendMessageA(hSizes, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < 22; ++i)
    EXPECT_EQ(kSizes[i], ListText(hSizes, i));
  EXPECT_EQ(3, ::SendMessageA(hSizes, CB_GETCURSEL, 0, 0));

  // Every face once, "Arial" chosen when the system has it.
  HWND hFaces = CaptionItem(lab, IDC_CAPTION_FACE);
  const int nFaces = (int)::SendMessageA(hFaces, CB_GETCOUNT, 0, 0);
  EXPECT_GT(nFaces, 0);
  for (int i = 0; i < nFaces; ++i)
    EXPECT_EQ(i, ::SendMessageA(hFaces, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)ListText(hFaces, i).c_str()));
  EXPECT_EQ(::SendMessageA(hFaces, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Arial"),
            ::SendMessageA(hFaces, CB_GETCURSEL, 0, 0));

  struct Link {
    int id;
    const char* text;
    RECT rc;
  };
  const Link kLinks[] = {{CPropPageCaption::kMainMenuId, " Main Menu ", {1, 0, 70, 18}},
                         {CPropPageCaption::kOkId, "     OK ", {1, 300, 51, 318}},
                         {CPropPageCaption::kCancelId, "  Cancel", {55, 300, 105, 318}}};
  for (const Link& link : kLinks) {
    HWND hLink = CaptionItem(lab, link.id);
    EXPECT_EQ(link.text, WindowText(hLink));
    CRect rc;
    ::GetWindowRect(hLink, &rc);
    ::MapWindowPoints(NULL, lab.pageCaption.GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(CRect(link.rc), rc) << link.text;
  }
  // The page's colour below its controls, and the white line above the OK and Cancel links.
  const pixel_support::Pixels px = pixel_support::ReadClient(lab.pageCaption.GetSafeHwnd());
  pixel_support::SaveBmp(px, "caption_page.bmp");
  EXPECT_EQ(0xF3F5F5u, px.At(150, 295));
  EXPECT_EQ(0xFFFFFFu, px.At(150, 290));
}

// One step of the user's and what the block says afterwards.
struct ChangeRow {
  const char* what;
  std::function<void(SheetLab&)> act;
  int previews;
  std::function<bool(const EffectParams&)> holds;
};

void Press(SheetLab& lab, int nId, UINT nKey) {
  ::SetFocus(CaptionItem(lab, nId));
  const int nBefore = Previews(lab);
  real_input::Key(nKey);
  PumpUntil([&] { return Previews(lab) > nBefore; });
}

TEST(CaptionPage, EachChangePreviewsOnceWithTheWholeBlock) {
  SheetLab lab;
  OpenCaption(lab);
  auto click = [](int nId) { return [nId](SheetLab& lab) { ClickControl(CaptionItem(lab, nId)); }; };
  const ChangeRow kRows[] = {
      {"typed text, one per key", [](SheetLab& lab) { TypeInto(CaptionItem(lab, IDC_CAPTION_TEXT), "hi"); },
       2, [](const EffectParams& p) { return p.text == "hi" && p.flag[0] == 0 && p.value[0] == 9; }},
      {"inside", click(IDC_CAPTION_INSIDE), 1,
       [](const EffectParams& p) { return p.flag[0] == 1 && p.flag[1] == 0; }},
      {"bottom too", click(IDC_CAPTION_BOTTOM), 1,
       [](const EffectParams& p) { return p.flag[0] == 1 && p.flag[1] == 1; }},
      {"bold", click(IDC_CAPTION_BOLD), 1,
       [](const EffectParams& p) { return p.flag[2] == 1 && p.flag[3] == 0; }},
      {"italic", click(IDC_CAPTION_ITALIC), 1,
       [](const EffectParams& p) { return p.flag[3] == 1 && p.flag[4] == 0; }},
      {"underline", click(IDC_CAPTION_UNDERLINE), 1, [](const EffectParams& p) { return p.flag[4] == 1; }},
      {"inside off", click(IDC_CAPTION_INSIDE), 1,
       [](const EffectParams& p) { return p.flag[0] == 0 && p.flag[1] == 1; }},
      {"next size", [](SheetLab& lab) { Press(lab, IDC_CAPTION_SIZE, VK_DOWN); }, 1,
       [](const EffectParams& p) { return p.value[0] == 10; }},
      {"first face", [](SheetLab& lab) { Press(lab, IDC_CAPTION_FACE, VK_HOME); }, 1,
       [&lab](const EffectParams& p) {
         return p.fontFace == ListText(CaptionItem(lab, IDC_CAPTION_FACE), 0).c_str();
       }},
  };
  for (const ChangeRow& row : kRows) {
    const int nBefore = Previews(lab);
    row.act(lab);
    PumpPending();
    EXPECT_EQ(row.previews, Previews(lab) - nBefore) << row.what;
    const EffectParams& params = lab.pageCaption.GetParams();
    EXPECT_TRUE(row.holds(params)) << row.what;
    EXPECT_EQ(TASK_CAPTION, params.taskId) << row.what;
    EXPECT_EQ(0u, params.color[0]) << row.what; // black until a colour is chosen
    EXPECT_EQ("hi", std::string(params.text)) << row.what;
  }
}

std::string Now(const char* pszFormat) {
  const std::time_t now = std::time(nullptr);
  char sz[64] = "";
  std::strftime(sz, sizeof(sz), pszFormat, std::localtime(&now));
  return sz;
}

std::string Name(BOOL(WINAPI* pfn)(LPSTR, LPDWORD)) {
  char sz[1024] = "";
  DWORD cch = sizeof(sz);
  return pfn(sz, &cch) ? sz : " ";
}

TEST(CaptionPage, AddButtonsAppendABlankAndTheirValue) {
  SheetLab lab;
  OpenCaption(lab);
  struct Row {
    int id;
    std::function<std::string()> value;
  };
  const Row kRows[] = {{IDC_CAPTION_ADD_DATE, [] { return Now("%m/%d/%Y"); }},
                       {IDC_CAPTION_ADD_TIME, [] { return Now("%I:%M:%S %p"); }},
                       {IDC_CAPTION_ADD_COMPUTER, [] { return Name(&::GetComputerNameA); }},
                       {IDC_CAPTION_ADD_USER, [] { return Name(&::GetUserNameA); }}};
  HWND hEdit = CaptionItem(lab, IDC_CAPTION_TEXT);
  for (const Row& row : kRows) {
    ::SetFocus(hEdit);
    ::SendMessageA(hEdit, EM_SETSEL, 0, -1);
    real_input::Key(VK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(hEdit).empty(); }));
    const int nBefore = Previews(lab);
    const std::string strBefore = row.value();
    ClickControl(CaptionItem(lab, row.id));
    const std::string strText = WindowText(hEdit);
    // The clock may have moved on during the click.
    EXPECT_TRUE(strText == " " + strBefore || strText == " " + row.value()) << strText;
    EXPECT_EQ(1, Previews(lab) - nBefore) << row.id;
    EXPECT_EQ(strText, std::string(lab.pageCaption.GetParams().text));
  }
}

// A colour chosen in the button's popup previews once with it; the popup's default entry (all
// ones) gives the button's default, black. The choice reaches the button as the popup sends it.
TEST(CaptionPage, AChosenColourPreviewsOnce) {
  SheetLab lab;
  OpenCaption(lab);
  const std::pair<COLORREF, COLORREF> kRows[] = {
      {RGB(255, 0, 0), RGB(255, 0, 0)}, {(COLORREF)-1, 0}, {RGB(0, 0, 255), RGB(0, 0, 255)}};
  HWND hButton = CaptionItem(lab, IDC_CAPTION_COLOR);
  for (auto [clrChosen, clrSent] : kRows) {
    const int nBefore = Previews(lab);
    ::PostMessageA(hButton, CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)clrChosen, 0);
    EXPECT_TRUE(PumpUntil([&] { return Previews(lab) > nBefore; }));
    PumpPending();
    EXPECT_EQ(1, Previews(lab) - nBefore);
    EXPECT_EQ(clrSent, lab.pageCaption.GetParams().color[0]);
  }
}

TEST(CaptionPage, LinksEndTheEditAndGoBackToTheMainPage) {
  SheetLab lab;
  const std::pair<int, const char*> kRows[] = {{CPropPageCaption::kMainMenuId, "edit:1"},
                                               {CPropPageCaption::kOkId, "edit:1"},
                                               {CPropPageCaption::kCancelId, "apply:5003"}};
  for (auto [nId, pszSent] : kRows) {
    OpenCaption(lab);
    ClickControl(CaptionItem(lab, IDC_CAPTION_BOLD));
    lab.view.log.clear();
    ClickControl(CaptionItem(lab, nId));
    EXPECT_TRUE(PumpUntil([] { return GetTaskPageIndex() == TASK_PAGE_MAIN; })) << nId;
    EXPECT_EQ(std::vector<std::string>{pszSent}, lab.view.log) << nId;
    lab.Click(CPropPageMain::kMainMenuId);
  }
}

} // namespace
