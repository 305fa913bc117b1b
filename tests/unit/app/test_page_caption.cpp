// The caption page in the task-sheet lab, opened by a real click on the main page's link: its
// lists and links, one preview carrying the whole block per change, and the links that end the
// edit.
#include "app/PropPageCaption.h"
#include "app/TaskSheet.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/dialogs_support.h"
#include "tests/unit/app/sheet_support.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <regex>

namespace {

HWND CaptionItem(SheetLab& lab, int nId) { return ::GetDlgItem(lab.pageCaption.GetSafeHwnd(), nId); }
int Previews(const SheetLab& lab) {
  return (int)std::count(lab.view.log.begin(), lab.view.log.end(), "apply:2012");
}
std::string Entry(HWND hList, int nIndex) {
  char sz[LF_FACESIZE + 8] = "";
  ::SendMessageA(hList, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)sz);
  return sz;
}

void OpenCaption(SheetLab& lab) {
  lab.Click(2012);
  ASSERT_TRUE(PumpUntil([] { return GetTaskPageIndex() == TASK_PAGE_CAPTION; }));
}

TEST(CaptionPage, OpensWithItsListsAndLinksAndSendsNoPreview) {
  SheetLab lab;
  OpenCaption(lab);
  EXPECT_EQ((std::vector<std::string>{"edit:0", "save:1:0"}), lab.view.log);
  std::string strSizes;
  HWND hSizes = CaptionItem(lab, IDC_CAPTION_SIZE), hFaces = CaptionItem(lab, IDC_CAPTION_FACE);
  for (int i = 0; i < (int)::SendMessageA(hSizes, CB_GETCOUNT, 0, 0); ++i)
    strSizes += Entry(hSizes, i) + " ";
  EXPECT_EQ("5 6 8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 55 65 75 85 99 ", strSizes);
  EXPECT_EQ("9", Entry(hSizes, (int)::SendMessageA(hSizes, CB_GETCURSEL, 0, 0)));
  // Every face once, "Arial" chosen when the system has it.
  const int nFaces = (int)::SendMessageA(hFaces, CB_GETCOUNT, 0, 0);
  EXPECT_GT(nFaces, 0);
  for (int i = 0; i < nFaces; ++i)
    EXPECT_EQ(i, ::SendMessageA(hFaces, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)Entry(hFaces, i).c_str()));
  EXPECT_EQ(::SendMessageA(hFaces, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "Arial"),
            ::SendMessageA(hFaces, CB_GETCURSEL, 0, 0));
  const std::pair<int, const char*> kLinks[] = {
      {5001, " Main Menu "}, {5002, "     OK "}, {5003, "  Cancel"}};
  for (auto [nId, pszText] : kLinks)
    EXPECT_EQ(pszText, WindowText(CaptionItem(lab, nId)));
  // The page's colour, and the white line above the OK and Cancel links.
  const pixel_support::Pixels px = pixel_support::ReadClient(lab.pageCaption.GetSafeHwnd());
  pixel_support::SaveBmp(px, "caption_page.bmp");
  EXPECT_EQ(0xF3F5F5u, px.At(150, 295));
  EXPECT_EQ(0xFFFFFFu, px.At(150, 290));
  // The framed controls show above their group box: the colour button's swatch starts black.
  CRect rcColour;
  ::GetWindowRect(CaptionItem(lab, IDC_CAPTION_COLOR), &rcColour);
  ::MapWindowPoints(NULL, lab.pageCaption.GetSafeHwnd(), reinterpret_cast<POINT*>(&rcColour), 2);
  EXPECT_EQ(0u, px.At(rcColour.left + rcColour.Width() / 3, rcColour.CenterPoint().y));
}

BOOL CALLBACK FindColorPopup(HWND hWnd, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd != NULL && ::IsWindowVisible(hWnd) && pWnd->IsKindOf(RUNTIME_CLASS(CExtPopupColorMenuWnd)))
    *reinterpret_cast<CExtPopupColorMenuWnd**>(lParam) = static_cast<CExtPopupColorMenuWnd*>(pWnd);
  return TRUE;
}

// The colour popup the colour button opened; NULL while none is shown.
CExtPopupColorMenuWnd* ShownColorPopup() {
  CExtPopupColorMenuWnd* pFound = NULL;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindColorPopup, reinterpret_cast<LPARAM>(&pFound));
  return pFound;
}

std::string Name(BOOL(WINAPI* pfn)(LPSTR, LPDWORD)) {
  char sz[1024] = "";
  DWORD cch = sizeof(sz);
  return pfn(sz, &cch) ? sz : " ";
}

// One change of the user's, the previews it sends, and what the block then holds.
struct ChangeRow {
  const char* what;
  std::function<void(SheetLab&)> act;
  int previews;
  std::function<bool(const EffectParams&)> holds;
};

TEST(CaptionPage, EachChangePreviewsOnceWithTheWholeBlock) {
  SheetLab lab;
  OpenCaption(lab);
  auto click = [](int nId) { return [nId](SheetLab& lab) { ClickControl(CaptionItem(lab, nId)); }; };
  auto press = [](int nId, UINT nKey) {
    return [nId, nKey](SheetLab& lab) {
      ::SetFocus(CaptionItem(lab, nId));
      real_input::Key(nKey);
    };
  };
  // A colour picked with the mouse from the button's popup (all ones: its default entry).
  auto colour = [](COLORREF clr) {
    return [clr](SheetLab& lab) {
      ClickControl(CaptionItem(lab, IDC_CAPTION_COLOR));
      CExtPopupColorMenuWnd* pPopup = NULL;
      // The popup takes the mouse once it holds the input and has finished opening.
      ASSERT_TRUE(PumpUntil([&] {
        return (pPopup = ShownColorPopup()) != NULL &&
               CExtPopupMenuWnd::GetTrackSite().m_pHoverMenu == pPopup &&
               CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
      }));
      const CPoint pt =
          (clr == (COLORREF)-1 ? pPopup->m_rcDefaultButton : pPopup->GetCellRect(pPopup->FindColorIndex(clr)))
              .CenterPoint();
      MouseInClient(pPopup->GetSafeHwnd(), pt);
      MouseInClient(pPopup->GetSafeHwnd(), pt, MOUSEEVENTF_LEFTDOWN);
      MouseInClient(pPopup->GetSafeHwnd(), pt, MOUSEEVENTF_LEFTUP);
    };
  };
  auto endsWith = [](const std::string& strPattern) {
    return [strPattern](const EffectParams& p) {
      return std::regex_search(std::string(p.text), std::regex(strPattern));
    };
  };
  const ChangeRow kRows[] = {
      {"red", colour(RGB(255, 0, 0)), 1, [](const EffectParams& p) { return p.color[0] == RGB(255, 0, 0); }},
      {"default colour", colour((COLORREF)-1), 1, [](const EffectParams& p) { return p.color[0] == 0; }},
      {"typed, one per key", [](SheetLab& lab) { TypeInto(CaptionItem(lab, IDC_CAPTION_TEXT), "hi"); }, 2,
       [](const EffectParams& p) {
         return p.text == "hi" && p.flag[0] == 0 && p.value[0] == 9 && p.color[0] == 0 && p.taskId == 2012;
       }},
      {"inside", click(IDC_CAPTION_INSIDE), 1,
       [](const EffectParams& p) { return p.flag[0] == 1 && p.flag[1] == 0; }},
      {"and bottom", click(IDC_CAPTION_BOTTOM), 1,
       [](const EffectParams& p) { return p.flag[0] && p.flag[1]; }},
      {"bold", click(IDC_CAPTION_BOLD), 1, [](const EffectParams& p) { return p.flag[2] && !p.flag[3]; }},
      {"italic", click(IDC_CAPTION_ITALIC), 1, [](const EffectParams& p) { return p.flag[3] && !p.flag[4]; }},
      {"underline", click(IDC_CAPTION_UNDERLINE), 1, [](const EffectParams& p) { return p.flag[4] == 1; }},
      {"inside off", click(IDC_CAPTION_INSIDE), 1,
       [](const EffectParams& p) { return !p.flag[0] && p.flag[1]; }},
      {"next size", press(IDC_CAPTION_SIZE, VK_DOWN), 1,
       [](const EffectParams& p) { return p.value[0] == 10; }},
      {"first face", press(IDC_CAPTION_FACE, VK_HOME), 1,
       [&lab](const EffectParams& p) {
         return p.fontFace == Entry(CaptionItem(lab, IDC_CAPTION_FACE), 0).c_str();
       }},
      {"date", click(IDC_CAPTION_ADD_DATE), 1, endsWith("^hi \\d\\d/\\d\\d/\\d{4}$")},
      {"time", click(IDC_CAPTION_ADD_TIME), 1, endsWith("/\\d{4} \\d\\d:\\d\\d:\\d\\d [AP]M$")},
      {"computer", click(IDC_CAPTION_ADD_COMPUTER), 1, endsWith("M " + Name(&::GetComputerNameA) + "$")},
      {"user", click(IDC_CAPTION_ADD_USER), 1,
       endsWith(" " + Name(&::GetComputerNameA) + " " + Name(&::GetUserNameA) + "$")},
  };
  for (const ChangeRow& row : kRows) {
    const int nBefore = Previews(lab);
    row.act(lab);
    EXPECT_TRUE(PumpUntil([&] { return Previews(lab) >= nBefore + row.previews; })) << row.what;
    PumpPending();
    EXPECT_EQ(row.previews, Previews(lab) - nBefore) << row.what;
    EXPECT_TRUE(row.holds(lab.pageCaption.GetParams()))
        << row.what << ": " << lab.pageCaption.GetParams().text;
  }
  EXPECT_EQ(std::string(lab.pageCaption.GetParams().text), WindowText(CaptionItem(lab, IDC_CAPTION_TEXT)));
}

TEST(CaptionPage, LinksEndTheEditAndGoBackToTheMainPage) {
  SheetLab lab;
  const std::pair<int, const char*> kRows[] = {{5001, "edit:1"}, {5002, "edit:1"}, {5003, "apply:5003"}};
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
