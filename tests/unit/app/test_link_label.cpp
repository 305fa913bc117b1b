// The link label in a window of its own: its colours and gradient, the cursor over it, what a
// click does, and text flashing, all read back from the screen.
#include "app/LinkLabel.h"
#include "resources/resource.h"
#include "tests/common/import_patch.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using pixel_support::ReadClient;

namespace {

// A parent that records the clicks its labels report and the clicks that reach it.
class CLabelHost : public CHostWnd {
public:
  std::vector<NMHDR> notes;
  int nDowns = 0;

protected:
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    if (nMsg == WM_NOTIFY)
      notes.push_back(*reinterpret_cast<NMHDR*>(lParam));
    else if (nMsg == WM_LBUTTONDOWN)
      ++nDowns;
    return CHostWnd::WindowProc(nMsg, wParam, lParam);
  }
};

const int kLabelId = 4321;

struct LabelLab {
  CLabelHost host;
  CLinkLabel label;
  explicit LabelLab(const char* pszText, int cx = 120) {
    host.CreateHost("labels", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200);
    label.Create(pszText, WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + cx, 30), &host, kLabelId);
    label.SetFontName("Arial", ANSI_CHARSET).SetFontSize(9).SetFontBold(TRUE);
    host.SetForegroundWindow();
    PumpPending();
  }
  ~LabelLab() {
    host.DestroyWindow();
    PumpPending();
  }
  pixel_support::Pixels Read() { return ReadClient(label.GetSafeHwnd()); }
  void Click() {
    MouseInClient(label.GetSafeHwnd(), POINT{5, 5}, MOUSEEVENTF_LEFTDOWN);
    MouseInClient(label.GetSafeHwnd(), POINT{5, 5}, MOUSEEVENTF_LEFTUP);
    PumpPending();
  }
};

int Count(const pixel_support::Pixels& px, COLORREF cr) {
  return (int)std::count(px.data.begin(), px.data.end(), cr);
}

TEST(LinkLabel, PaintsItsTextOnItsBackgroundColour) {
  const std::pair<COLORREF, COLORREF> looks[] = {
      {0xF8E4D8, 0xFF0000}, {0xC65E12, 0xFFFFFF}, {0x000000, 0x80FFFF}};
  LabelLab lab("WWW");
  for (auto [crBk, crText] : looks) {
    lab.label.SetBkColor(crBk).SetTextColor(crText);
    auto px = lab.Read();
    ASSERT_FALSE(px.Empty());
    EXPECT_EQ(crBk, px.At(px.cx - 2, px.cy - 2)) << std::hex << crBk;
    EXPECT_GT(Count(px, crText), 10) << std::hex << crText;
  }
  pixel_support::SaveBmp(lab.Read(), "link_label_menu_look.bmp");
}

TEST(LinkLabel, AGradientDrawsOneBandPerPixelWhenNarrowerThanItsSteps) {
  LabelLab lab("", 50);
  lab.label.SetBkColor(RGB(0, 0, 0), RGB(250, 0, 0), TRUE);
  auto px = lab.Read();
  ASSERT_EQ(50, px.cx);
  std::set<COLORREF> columns;
  for (int x = 0; x < px.cx; ++x) {
    columns.insert(px.At(x, 10));
    if (x > 0)
      EXPECT_GT(GetRValue(px.At(x, 10)), GetRValue(px.At(x - 1, 10))) << x;
  }
  EXPECT_EQ(50u, columns.size());
  EXPECT_EQ(RGB(0, 0, 0), px.At(0, 10));
  EXPECT_EQ(RGB(245, 0, 0), px.At(49, 10));
}

TEST(LinkLabel, ShowsItsCursorWhileThePointerIsOverIt) {
  LabelLab lab("link");
  HCURSOR hHand = AfxGetApp()->LoadCursor(IDC_TASK_LINK_CURSOR);
  ASSERT_NE(nullptr, hHand);
  lab.label.SetLink(TRUE, TRUE).SetLinkCursor(hHand);
  // From outside: a pointer already resting on the label (an earlier test's click) would not move.
  MouseInClient(lab.host.GetSafeHwnd(), POINT{200, 150});
  MouseInClient(lab.label.GetSafeHwnd(), POINT{5, 5});
  EXPECT_TRUE(PumpUntil([&] { return ::GetCursor() == hHand; }));
  MouseInClient(lab.host.GetSafeHwnd(), POINT{200, 150});
  EXPECT_TRUE(PumpUntil([&] { return ::GetCursor() != hHand; }));
}

struct ClickRow {
  BOOL bLink;
  BOOL bNotify;
  BOOL bEnabled;
  bool bNotified;
  bool bReachesParent; // the static is see-through for the mouse without SS_NOTIFY
};

TEST(LinkLabel, AClickTellsTheParentOnlyWhenItIsAnEnabledNotifyingLink) {
  const ClickRow rows[] = {
      {TRUE, TRUE, TRUE, true, false}, {FALSE, TRUE, TRUE, false, true}, {TRUE, TRUE, FALSE, false, false}};
  for (const ClickRow& row : rows) {
    LabelLab lab("link");
    lab.label.SetLink(row.bLink, row.bNotify);
    lab.label.EnableWindow(row.bEnabled);
    lab.Click();
    ASSERT_EQ(row.bNotified ? 1u : 0u, lab.host.notes.size()) << row.bLink << row.bNotify << row.bEnabled;
    if (row.bNotified) {
      EXPECT_EQ(LLN_CLICKED, lab.host.notes[0].code);
      EXPECT_EQ((UINT_PTR)kLabelId, lab.host.notes[0].idFrom);
      EXPECT_EQ(lab.label.GetSafeHwnd(), lab.host.notes[0].hwndFrom);
    }
    if (row.bReachesParent)
      EXPECT_EQ(1, lab.host.nDowns);
  }
}

TEST(LinkLabel, FlashingTextSinksIntoTheBackgroundAndComesBack) {
  LabelLab lab("WWW");
  lab.label.SetBkColor(0xF8E4D8).SetTextColor(0xFF0000);
  lab.label.FlashText(TRUE);
  EXPECT_TRUE(PumpUntil([&] { return Count(lab.Read(), 0xFF0000) == 0; }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return Count(lab.Read(), 0xFF0000) > 10; }, 3000));
  lab.label.FlashText(FALSE);
  EXPECT_GT(Count(lab.Read(), 0xFF0000), 10);
}

TEST(LinkLabel, ABiggerFontDrawsTallerText) {
  LabelLab lab("WWW");
  lab.label.SetBkColor(0xFFFFFF).SetTextColor(0x000000);
  auto inkRows = [&] {
    auto px = lab.Read();
    int n = 0;
    for (int y = 0; y < px.cy; ++y)
      for (int x = 0; x < px.cx; ++x)
        if (px.At(x, y) == 0) {
          ++n;
          break;
        }
    return n;
  };
  lab.label.SetFontSize(7);
  const int nSmall = inkRows();
  lab.label.SetFontSize(12);
  EXPECT_GT(inkRows(), nSmall);
}

// What the labels ask the shell to open, instead of opening it.
std::vector<std::string> g_opened;
HINSTANCE WINAPI RecordShellExecute(HWND, LPCSTR pszVerb, LPCSTR pszFile, LPCSTR, LPCSTR, INT nShow) {
  g_opened.push_back(std::string(pszVerb ? pszVerb : "(default)") + " " + pszFile + " " +
                     std::to_string(nShow));
  return (HINSTANCE)33;
}

struct OpenRow {
  bool bMail;
  const char* pszTarget;
  const char* pszExpected;
};

TEST(LinkLabel, AClickOpensTheLinkThroughTheShell) {
  const OpenRow rows[] = {{false, "", "open www.example.com 1"},
                          {false, "http://example.com/x", "open http://example.com/x 1"},
                          {true, "http://example.com/x", "(default) mailto:www.example.com 1"}};
  CImportPatch patch("shell32.dll", "ShellExecuteA", (FARPROC)RecordShellExecute);
  ASSERT_TRUE(patch.Applied());
  for (const OpenRow& row : rows) {
    g_opened.clear();
    LabelLab lab("www.example.com");
    if (row.bMail)
      lab.label.SetMailLink(TRUE, FALSE);
    else
      lab.label.SetLink(TRUE, FALSE);
    lab.label.SetLinkTarget(row.pszTarget);
    lab.Click();
    EXPECT_EQ(std::vector<std::string>{row.pszExpected}, g_opened);
    EXPECT_TRUE(lab.host.notes.empty());
  }
}

} // namespace
