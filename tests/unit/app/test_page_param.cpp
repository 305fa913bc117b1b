// The effect page in the task-sheet lab: each operation's rows, their defaults and registry
// names, what reaches the view on real clicks, drags, keys and colour picks, and the page's links.
#include "app/TaskSheet.h"
#include "resources/resource.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/app/sheet_support.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <commctrl.h>
#include <map>
#include <set>
#include <thread>

namespace {

enum Kind { S, C, K, KB }; // slider, colour, check box, check box with the shadow button

struct Row {
  Kind kind;
  int index;
  const char* label;
  int min, max;
  const char* suffix;
  int def;
};

struct Op {
  int id;
  const char* title;
  const char* prefix;
  std::vector<Row> rows;
};

// clang-format off
const std::vector<Row> kEdge = {
    {S, 0, "Size:", 0, 50, "_Size", 8}, {K, 0, "Left", 0, 1, "_Left", 0}, {K, 1, "Top", 0, 1, "_Top", 0},
    {K, 2, "Right", 0, 1, "_Right", 1}, {K, 3, "Bottom", 0, 1, "_Bottom", 1},
    {C, 0, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF}, {KB, 5, "Drop Shadow", 0, 1, "_IsShadow", 1}};
const Row kBack = {C, 0, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF};

const Op kOps[] = {
    {2002, "Torn Edge Settings", "TornEdge", kEdge}, {2003, "Saw Edge Settings", "SawEdge", kEdge},
    {2004, "Shark Edge Settings", "SharkEdge", kEdge}, {2005, "Wave Edge Settings", "WaveEdge", kEdge},
    {2006, "Fade Edge Settings", "FadeEdge", kEdge},
    {2007, "Shadow  Settings", "ShadowEdge", {{S, 0, "Size:", 0, 100, "_Size", 10},
        {C, 0, "Shadow Color:", 0, 0, "_ShadowClr", 0}, {C, 1, "Back Color:", 0, 0, "_BkClr", 0xFFFFFF},
        {K, 0, "Put a Border Inside", 0, 1, "_IPutBdr", 0}, {S, 1, "Border Thickness:", 0, 100, "_Thickness", 1},
        {C, 2, "Border Color:", 0, 0, "_BdrClr", 0x808080}}},
    {2008, "Beveled  Settings", "BeveledEdge", {{S, 0, "Size:", 0, 50, "_Size", 8}}},
    {2009, "Border  Settings", "Border", {{S, 0, "Size:", 0, 100, "_Size", 8},
        {S, 1, "Shadow percent:", 0, 100, "_Percent", 25}, {K, 0, "Place Border Outside", 0, 1, "_IsOutside", 0},
        {K, 1, "Use 3-D Border", 0, 1, "_Is3D", 1}, {C, 0, "Main Color:", 0, 0, "_MainClr", 0xC0C0C0},
        {C, 1, "Highlight Color:", 0, 0, "_HiliteClr", 0xFFFFFF}, {C, 2, "Shadow Color:", 0, 0, "_ShadowClr", 0x808080}}},
    {2010, "Perspective  Settings", "Perspective", {{S, 0, "Horizontal:", -100, 100, "_HorizSize", 20},
        {S, 1, "Vertical:", -100, 100, "_VertSize", 0}, kBack}},
    {2011, "Shear  Settings", "Shear", {{S, 0, "Percentage %:", -100, 100, "_Percent", 20}, kBack}},
    {2014, "Blur  Settings", "Blur", {{S, 0, "Size:", 0, 5, "_Size", 2}}},
    {2015, "Emboss  Settings", "Emboss", {{S, 0, "Depth:", 0, 5, "_Size", 1}}},
    {2016, "Sharpen  Settings", "Sharpen", {{S, 0, "Degree:", 0, 3, "_Size", 1}}},
    {2017, "Solarize  Settings", "Solarize", {{S, 0, "Threshold:", 0, 128, "_Size", 128}}},
    {3001, "Brightness-Contrast  Settings", "BrightnessContrast", {{S, 0, "Brightness:", -250, 250, "_Brightness", 30},
        {S, 1, "Contrast:", -100, 100, "_Contrast", 0}}},
    {3003, "Color Balance  Settings", "ColorBalance", {{S, 0, "Red:", -250, 250, "_Red", 10},
        {S, 1, "Green:", -250, 250, "_Green", -10}, {S, 2, "Blue:", -250, 250, "_Blue", 5}}},
    {3004, "Invert Color Settings", "InvertColor", {{K, 0, "Invert Red", 0, 1, "_Red", 1},
        {K, 1, "Invert Green", 0, 1, "_Green", 1}, {K, 2, "Invert Blue", 0, 1, "_Blue", 1}}},
    {3005, "Grayscale  Settings", "Grayscale", {{K, 0, "Red Tinge", 0, 1, "_Red", 0},
        {K, 1, "Green Tinge", 0, 1, "_Green", 0}, {K, 2, "Blue Tinge", 0, 1, "_Blue", 0},
        {S, 0, "Tinge Intensity:", 0, 100, "_TingeVal", 10}}},
    {3006, "Black/White  Settings", "BlackWhite", {{S, 0, "Threshold:", 0, 255, "_Threshold", 127}}},
    {4006, "Rotate  Settings", "Rotate", {{S, 0, "Angle(Degree):", 0, 360, "_Degree", 0}, kBack}},
};
// clang-format on

// Where a row's first control lies: relative to its label's top, and its size (a check box
// with the button is narrower).
struct Shape {
  int firstId, x, dy, cx, cy;
};
const Shape kShapes[] = {
    {5004, 0, 20, 120, 25}, {5012, 20, 17, 35, 20}, {5015, 20, 0, 150, 20}, {5015, 20, 0, 90, 20}};

std::string Text(HWND hWnd) {
  char sz[128] = "";
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

class EffectPage : public testing::Test {
protected:
  SheetLab lab;

  void SetUp() override {
    if (AfxGetApp()->m_pszRegistryKey == NULL)
      AfxGetApp()->SetRegistryKey("PixoletPageLab");
    m_strKey = CString("Software\\") + AfxGetApp()->m_pszRegistryKey + "\\" + AfxGetApp()->m_pszProfileName +
               "\\" + kSection;
    ::RegDeleteKeyA(HKEY_CURRENT_USER, m_strKey);
  }
  void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, m_strKey); }
  static int Stored(const CString& strName) {
    return (int)AfxGetApp()->GetProfileInt(kSection, strName, kAbsent);
  }

  static constexpr const char* kSection = "Options\\ImgProcess";
  static constexpr int kAbsent = -12345;
  CString m_strKey;

  HWND Item(int nId) { return ::GetDlgItem(lab.pageParam.GetSafeHwnd(), nId); }
  CRect Place(HWND hWnd) {
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    lab.pageParam.ScreenToClient(&rc);
    return rc;
  }
  // The visible label (id -1) whose top left corner is at pt.
  std::string LabelAt(POINT pt) {
    for (HWND h = ::GetWindow(lab.pageParam.GetSafeHwnd(), GW_CHILD); h != NULL;
         h = ::GetWindow(h, GW_HWNDNEXT))
      if ((::GetDlgCtrlID(h) & 0xFFFF) == 0xFFFF && ::IsWindowVisible(h) && Place(h).TopLeft() == CPoint(pt))
        return Text(h);
    return "(none)";
  }
  int Applies() {
    return (int)std::count_if(lab.view.log.begin(), lab.view.log.end(),
                              [](const std::string& s) { return s.rfind("apply:", 0) == 0; });
  }
  void Open(int nId) {
    OpenEffectPage(nId);
    PumpPending();
  }
  void Click(HWND hWnd, POINT pt) {
    ASSERT_TRUE(::IsWindowVisible(hWnd)) << ::GetDlgCtrlID(hWnd);
    MouseInClient(hWnd, pt, MOUSEEVENTF_LEFTDOWN);
    MouseInClient(hWnd, pt, MOUSEEVENTF_LEFTUP);
    PumpPending();
  }
  void ClickLink(int nId) { Click(Item(nId), POINT{12, 9}); }
  // Presses the slider's thumb, moves it through the points (client x; after each, check runs)
  // and lets go at the last.
  template <class F> void Drag(int nSlider, const std::vector<int>& xs, F check) {
    HWND hSlider = Item(CPropPageParam::kFirstSliderId + nSlider);
    CRect rcThumb;
    ::SendMessageA(hSlider, TBM_GETTHUMBRECT, 0, (LPARAM)&rcThumb);
    MouseInClient(hSlider, rcThumb.CenterPoint(), MOUSEEVENTF_LEFTDOWN);
    for (int x : xs) {
      MouseInClient(hSlider, POINT{x, rcThumb.CenterPoint().y});
      check();
    }
    MouseInClient(hSlider, POINT{xs.back(), rcThumb.CenterPoint().y}, MOUSEEVENTF_LEFTUP);
    PumpUntil([&] { return ::GetCapture() == NULL; });
    PumpPending();
  }
  int SliderPos(int nSlider) {
    return (int)::SendMessageA(Item(CPropPageParam::kFirstSliderId + nSlider), TBM_GETPOS, 0, 0);
  }
  std::string ValueText(int nSlider) { return Text(Item(CPropPageParam::kFirstValueId + nSlider)); }
  // The row's value as the page shows it and as the block holds it.
  void ExpectRow(const Row& row, int nValue) {
    SCOPED_TRACE(row.label);
    const EffectParams& block = lab.pageParam.GetParams();
    if (row.kind == S) {
      HWND hSlider = Item(5004 + row.index);
      EXPECT_EQ(row.min, ::SendMessageA(hSlider, TBM_GETRANGEMIN, 0, 0));
      EXPECT_EQ(row.max, ::SendMessageA(hSlider, TBM_GETRANGEMAX, 0, 0));
      EXPECT_EQ(nValue, SliderPos(row.index));
      EXPECT_EQ(std::to_string(nValue), ValueText(row.index));
    } else if (row.kind != C) {
      EXPECT_EQ(nValue, ::SendMessageA(Item(5015 + row.index), BM_GETCHECK, 0, 0));
    }
    EXPECT_EQ(nValue, row.kind == S   ? block.value[row.index]
                      : row.kind == C ? (int)block.color[row.index]
                                      : block.flag[row.index]);
  }
};

TEST_F(EffectPage, EachOperationShowsItsRowsWithDefaultsOrStoredValuesAndAppliesThem) {
  for (bool bStored : {false, true}) {
    for (const Op& op : kOps) {
      SCOPED_TRACE(testing::Message() << op.id << (bStored ? " stored" : " defaults"));
      // Stored values differ from the defaults: the other tick, the other end, another colour.
      auto valueOf = [&](const Row& row) {
        return !bStored             ? row.def
               : row.kind == C      ? row.def ^ 0x123456
               : row.kind != S      ? !row.def
               : row.def != row.min ? row.min
                                    : row.max;
      };
      for (const Row& row : op.rows)
        if (bStored)
          AfxGetApp()->WriteProfileInt(kSection, CString(op.prefix) + row.suffix, valueOf(row));
      lab.view.log.clear();
      Open(op.id);
      EXPECT_EQ(1, GetTaskPageIndex());
      EXPECT_EQ(op.title, LabelAt(POINT{0, 20}));
      ASSERT_EQ(3u, lab.view.log.size());
      EXPECT_EQ("edit:0", lab.view.log[0]);
      EXPECT_EQ("apply:" + std::to_string(op.id), lab.view.log[2]);
      EXPECT_EQ(op.id, lab.pageParam.GetParams().taskId);
      // Rows from y = 48 down in the table's order; no other row control is shown.
      std::set<int> shown;
      int nBottom = 48;
      for (const Row& row : op.rows) {
        const Shape& shape = kShapes[row.kind];
        const int nId = shape.firstId + row.index;
        const CRect rc = Place(Item(nId));
        const int nTop = rc.top - shape.dy;
        EXPECT_TRUE(&row == &op.rows[0] ? nTop == 48 : nTop >= nBottom) << row.label << " at " << nTop;
        EXPECT_EQ(CRect(shape.x, rc.top, shape.x + shape.cx, rc.top + shape.cy), rc) << row.label;
        EXPECT_EQ(row.label, row.kind == S || row.kind == C ? LabelAt(POINT{0, nTop}) : Text(Item(nId)));
        shown.insert({nId, row.kind == S ? 5008 + row.index : nId, row.kind == KB ? 5021 : nId});
        if (row.kind == S)
          EXPECT_EQ(CPoint(125, rc.top + 4), Place(Item(5008 + row.index)).TopLeft());
        if (row.kind == KB)
          EXPECT_EQ(CRect(110, rc.top + 2, 130, rc.top + 17), Place(Item(5021)));
        nBottom = rc.bottom;
        ExpectRow(row, valueOf(row));
      }
      for (int nId = 5004; nId <= 5021; ++nId)
        EXPECT_EQ(shown.count(nId) > 0, ::IsWindowVisible(Item(nId)) != FALSE) << nId;
      // The separator, then OK and Cancel side by side, then the save link.
      const CRect rcOk = Place(Item(CPropPageParam::kOkId));
      EXPECT_GT(lab.pageParam.GetSeparatorY(), nBottom);
      EXPECT_GT(rcOk.top, lab.pageParam.GetSeparatorY());
      EXPECT_EQ(CRect(1, rcOk.top, 51, rcOk.top + 18), rcOk);
      EXPECT_EQ(CRect(55, rcOk.top, 105, rcOk.top + 18), Place(Item(CPropPageParam::kCancelId)));
      EXPECT_EQ(CRect(20, rcOk.top + 30, 170, rcOk.top + 48), Place(Item(CPropPageParam::kSaveId)));
      if (!bStored) // nothing is written until the user saves
        EXPECT_EQ(kAbsent, Stored(CString(op.prefix) + op.rows[0].suffix));
    }
  }
}

// Each key press or drag applies once, when it ends, the position the thumb ended at, also on
// negative ranges; while dragging, the value label follows the thumb.
TEST_F(EffectPage, ASliderAppliesItsFinalPositionOnceWhenTheScrollEnds) {
  struct Case {
    int op;
    UINT key; // 0: a drag through the client x positions
    std::vector<int> xs;
    int expected;
  };
  // Each case starts from the default (20, 30, 127); a page is a fifth of the range.
  const Case cases[] = {{2010, 0, {40, 1}, -100},  {2010, VK_END, {}, 100},      {2010, VK_HOME, {}, -100},
                        {2010, VK_PRIOR, {}, -20}, {3001, VK_HOME, {}, -250},    {3001, VK_PRIOR, {}, -70},
                        {3001, 0, {60, 1}, -250},  {3006, 0, {40, 30, 20, 1}, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.op << " key " << c.key);
    Open(c.op);
    const int nBefore = Applies();
    std::set<std::string> labels;
    if (c.key == 0) {
      Drag(0, c.xs, [&] {
        labels.insert(ValueText(0));
        EXPECT_EQ(std::to_string(SliderPos(0)), ValueText(0));
        EXPECT_EQ(nBefore, Applies()) << "applied while dragging";
      });
      EXPECT_EQ(c.xs.size(), labels.size()) << "the label stood still";
    } else {
      ::SetFocus(Item(CPropPageParam::kFirstSliderId));
      real_input::Key(c.key);
    }
    PumpUntil([&] { return Applies() > nBefore && HIWORD(::GetQueueStatus(QS_INPUT)) == 0; });
    EXPECT_EQ(nBefore + 1, Applies());
    EXPECT_EQ(c.expected, SliderPos(0));
    EXPECT_EQ(c.expected, lab.pageParam.GetParams().value[0]);
    EXPECT_EQ(std::to_string(c.expected), ValueText(0));
  }
}

// What each link sends the view and where the sheet goes.
TEST_F(EffectPage, OkAndMainMenuEndTheEditCancelRestores) {
  struct Case {
    int link;
    std::vector<std::string> log;
    int taskAfter;
  };
  const Case cases[] = {{CPropPageParam::kOkId, {"edit:1"}, 2002},
                        {CPropPageParam::kMainMenuId, {"edit:1"}, 2002},
                        {CPropPageParam::kCancelId, {"apply:5003"}, 5003}};
  for (const Case& c : cases) {
    Open(2002);
    lab.view.log.clear();
    ClickLink(c.link);
    EXPECT_EQ(c.log, lab.view.log) << c.link;
    EXPECT_EQ(0, GetTaskPageIndex()) << c.link;
    EXPECT_EQ(c.taskAfter, lab.pageParam.GetTaskId()) << c.link;
  }
}

TEST_F(EffectPage, SavedSettingsComeBackWhenTheOperationIsOpenedAgain) {
  Open(2009);
  HWND hSave = Item(CPropPageParam::kSaveId);
  Click(Item(5015), POINT{8, 10}); // "Place Border Outside" ticked
  Click(Item(5016), POINT{8, 10}); // "Use 3-D Border" cleared
  ::SetFocus(Item(CPropPageParam::kFirstSliderId + 1));
  const int nBefore = Applies();
  real_input::Key(VK_END);
  ASSERT_TRUE(PumpUntil([&] { return Applies() > nBefore; }));
  EXPECT_EQ("Save these settings", Text(hSave));
  ClickLink(CPropPageParam::kSaveId);
  EXPECT_EQ("Settings saved!", Text(hSave));
  EXPECT_FALSE(::IsWindowEnabled(hSave));
  Open(2002);
  EXPECT_EQ("Save these settings", Text(hSave)); // every apply makes it active again
  EXPECT_TRUE(::IsWindowEnabled(hSave));
  Open(2009);
  const std::map<std::string, int> changed = {{"_Percent", 100}, {"_IsOutside", 1}, {"_Is3D", 0}};
  for (const Row& row :
       std::find_if(std::begin(kOps), std::end(kOps), [](const Op& op) { return op.id == 2009; })->rows) {
    const int nValue = changed.count(row.suffix) ? changed.at(row.suffix) : row.def;
    EXPECT_EQ(nValue, Stored(CString("Border") + row.suffix)) << row.suffix;
    ExpectRow(row, nValue);
  }
}

// The shadow dialog opens with its opacity locked; Cancel sends nothing, OK applies once.
TEST_F(EffectPage, TheShadowDialogAppliesOnlyOnOk) {
  for (auto [nButton, nApplies] : {std::pair<int, int>{IDCANCEL, 0}, {IDOK, 1}}) {
    Open(2002);
    const int nBefore = Applies();
    std::atomic<bool> bLocked{false}, bClicked{false}, bClosed{false};
    std::thread closer([&, nButton = nButton] {
      HWND hDlg = NULL;
      // A modal dialog is made active before its loop shows it, at its first idle.
      for (int i = 0;
           i < 500 && (hDlg == NULL || ::GetForegroundWindow() != hDlg || !::IsWindowVisible(hDlg));
           ++i, ::Sleep(10))
        hDlg = ::FindWindowA(NULL, "Shadows Settings");
      bLocked = !::IsWindowEnabled(::GetDlgItem(hDlg, IDC_SHADOW_OPACITY)) &&
                !::IsWindowEnabled(::GetDlgItem(hDlg, IDC_SHADOW_APPLY_ALL));
      // A click on the button once the release that opened the dialog is through. A dialog that
      // takes none is closed, so the modal loop the test waits in always ends (and the test fails).
      for (int i = 0; i < 500 && (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; ++i)
        ::Sleep(10);
      CRect rc;
      ::GetWindowRect(::GetDlgItem(hDlg, nButton), &rc);
      real_input::ClickAt(rc.CenterPoint(), hDlg);
      for (int i = 0; i < 300 && ::IsWindow(hDlg); ++i)
        ::Sleep(10);
      bClicked = !::IsWindow(hDlg);
      if (::IsWindow(hDlg))
        ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
      bClosed = true;
    });
    // The dialog runs in the button's release; it ends with the pointer elsewhere.
    MouseInClient(Item(CPropPageParam::kShadowButtonId), POINT{10, 7}, MOUSEEVENTF_LEFTDOWN);
    real_input::Button(MOUSEEVENTF_LEFTUP);
    PumpUntil([&] { return bClosed && ::FindWindowA(NULL, "Shadows Settings") == NULL; });
    PumpPending();
    closer.join();
    EXPECT_TRUE(bClicked);
    EXPECT_TRUE(bLocked);
    EXPECT_EQ(nBefore + nApplies, Applies()) << nButton;
  }
}

BOOL CALLBACK FindColorPopup(HWND hWnd, LPARAM lParam) {
  auto* ppPopup = reinterpret_cast<CExtPopupColorMenuWnd**>(lParam);
  if (::IsWindowVisible(hWnd))
    *ppPopup = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, CWnd::FromHandlePermanent(hWnd));
  return *ppPopup == NULL;
}

// A colour picked in a colour button's popup goes to that row's colour and is applied once.
TEST_F(EffectPage, APickedColourGoesToItsRowAndIsApplied) {
  Open(2009);
  const int nBefore = Applies();
  Click(Item(CPropPageParam::kFirstColorId + 1), POINT{17, 10}); // "Highlight Color:"
  CExtPopupColorMenuWnd* pPopup = NULL;
  ASSERT_TRUE(PumpUntil([&] {
    pPopup = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindColorPopup, reinterpret_cast<LPARAM>(&pPopup));
    return pPopup != NULL && CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
  }));
  const COLORREF clrCell = pPopup->GetColorAt(21);
  CPoint pt = pPopup->GetCellRect(21).CenterPoint();
  pPopup->ClientToScreen(&pt);
  lab.pageParam.ScreenToClient(&pt);
  Click(lab.pageParam.GetSafeHwnd(), pt);
  EXPECT_TRUE(PumpUntil([&] { return Applies() == nBefore + 1 && !CExtPopupMenuWnd::AnyMenuTracked(); }));
  const EffectParams& block = lab.pageParam.GetParams();
  EXPECT_EQ((std::vector<COLORREF>{0xC0C0C0, clrCell, 0x808080}),
            (std::vector<COLORREF>{block.color[0], block.color[1], block.color[2]}));
}

} // namespace
