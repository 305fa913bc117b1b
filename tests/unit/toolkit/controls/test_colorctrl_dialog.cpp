// The colour dialog on a real window: value triples, picker and swatch kept in step by typed keys
// and clicks, the range error, the mode list, resizing, the modal run and a picture in every theme.
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <set>

namespace {

using namespace colorctrl_support;
using Dlg = CExtColorDlg;
using Triple = std::array<std::string, 3>;

// What a triple should show for a colour; hue, saturation and lightness are rounded to 0..255.
Triple Expected(COLORREF clr, int nFirst) {
  double d[3] = {double(GetRValue(clr)), double(GetGValue(clr)), double(GetBValue(clr))};
  if (nFirst == Dlg::ROW_HUE) {
    CExtPaintManager::RgbToHls(clr, &d[0], &d[1], &d[2]);
    for (double& v : d)
      v = std::min(255, int(v * 255 + 0.5));
  }
  Triple t;
  for (int i = 0; i < 3; ++i)
    t[i] = std::to_string(nFirst == Dlg::ROW_CYAN ? 255 - int(d[i]) : int(d[i]));
  return t;
}

class ColorDlgTest : public ColorTest {
protected:
  HWND Edit(int nRow) const { return m_pDlg->m_arrEdits[nRow].m_hWnd; }
  Triple Shown(int n) const { return {Text(Edit(n)), Text(Edit(n + 1)), Text(Edit(n + 2))}; }
  COLORREF Swatch(double fy = 0.25) const { return PixelAt(m_pDlg->m_wndDiff.m_hWnd, 0.5, fy); }
  void ChooseMode(int nMode) {
    m_pDlg->m_wndMode.SetCurSel(nMode);
    m_pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EXT_COLOR_MODE, CBN_SELENDOK),
                        reinterpret_cast<LPARAM>(m_pDlg->m_wndMode.m_hWnd));
  }
  // Clicks the control; waits until the picker's colour is no longer clrBefore.
  void Pick(CExtColorCtrl& ctrl, double fy, COLORREF clrBefore) {
    Click(ctrl.m_hWnd, 0.5, fy);
    ASSERT_TRUE(PumpUntil([&] { return m_pDlg->m_wndPicker.m_clrCurrent != clrBefore; }));
  }
  void ExpectEverywhere(COLORREF clr, int nTypedRow = -1) {
    EXPECT_EQ(clr, m_pDlg->m_wndPicker.m_clrCurrent);
    EXPECT_EQ(clr, m_pDlg->m_clrNew);
    EXPECT_EQ(clr, Swatch());
    for (int nFirst : {Dlg::ROW_RED, Dlg::ROW_HUE, Dlg::ROW_CYAN})
      if (nFirst != nTypedRow)
        EXPECT_EQ(Expected(clr, nFirst), Shown(nFirst)) << "row " << nFirst;
  }
};

using ThemeCase = std::pair<CRuntimeClass*, const char*>;

class ColorDlgThemeTest : public ColorDlgTest, public ::testing::WithParamInterface<ThemeCase> {
protected:
  void TearDown() override { // the XP theme is the one every test starts with
    ColorDlgTest::TearDown();
    g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP));
  }
};

// In every theme it opens with the new colour everywhere over the initial one, the title from the
// text after the caption's line break and every picker listed by its own name; a picture of it is
// saved for a person to look at.
TEST_P(ColorDlgThemeTest, OpensWithTheNewColourOverTheInitialOne) {
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(GetParam().first));
  OpenDlg(kInit, kNew, "Colour\nPick a shadow colour");
  ExpectEverywhere(kNew);
  EXPECT_EQ(kInit, Swatch(0.75));
  EXPECT_EQ("Pick a shadow colour", Text(m_pDlg->m_hWnd));
  EXPECT_NE(0, m_pDlg->SendMessage(WM_GETICON, ICON_BIG, 0));
  ASSERT_EQ(CExtColorCtrl::MODE_NAMED_COUNT, m_pDlg->m_wndMode.GetCount());
  EXPECT_EQ(0, m_pDlg->m_wndMode.GetCurSel());
  std::set<std::string> names;
  for (int i = 0; i < CExtColorCtrl::MODE_NAMED_COUNT; ++i) {
    CString str;
    m_pDlg->m_wndMode.GetLBText(i, str);
    EXPECT_EQ(std::string(CExtColorCtrl::GetModeName(i)), std::string(str));
    EXPECT_TRUE(str.GetLength() > 1 && str[0] == ' ' && str[1] != ' ' &&
                names.insert(std::string(str)).second)
        << str;
  }
  EXPECT_EQ(1u, names.count(" basic colors"));
  for (int nMode : {-1, int(CExtColorCtrl::MODE_DIFF), int(CExtColorCtrl::MODE_COUNT)})
    EXPECT_TRUE(CExtColorCtrl::GetModeName(nMode).IsEmpty()) << nMode;
  ChooseMode(CExtColorCtrl::MODE_HSL_ROLLER);
  const std::string strName = std::string("colordlg_") + GetParam().second + ".bmp";
  EXPECT_FALSE(pixel_support::SaveBmp(pixel_support::ReadClient(m_pDlg->m_hWnd), strName.c_str()).empty());
}

INSTANTIATE_TEST_SUITE_P(Themes, ColorDlgThemeTest,
                         ::testing::Values(ThemeCase{RUNTIME_CLASS(CExtPaintManager), "classic"},
                                           ThemeCase{RUNTIME_CLASS(CExtPaintManagerXP), "xp"},
                                           ThemeCase{RUNTIME_CLASS(CExtPaintManagerOffice2003),
                                                     "office2003"}),
                         [](const ::testing::TestParamInfo<ThemeCase>& info) { return info.param.second; });

struct TypedCase {
  int nFirst;
  Triple typed;
  COLORREF clrExpected;
  const char* pszName;
};

class ColorDlgTypingTest : public ColorDlgTest, public ::testing::WithParamInterface<TypedCase> {};

// Typing a triple with real keys moves the colour everywhere but leaves the typed text as it is.
TEST_P(ColorDlgTypingTest, TypingATripleKeepsTheOthersInStep) {
  const TypedCase& c = GetParam();
  OpenDlg();
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(TypeInto(Edit(c.nFirst + i), c.typed[i].c_str()));
  EXPECT_EQ(c.typed, Shown(c.nFirst));
  ExpectEverywhere(c.clrExpected, c.nFirst);
  EXPECT_EQ(kInit, Swatch(0.75));
}

INSTANTIATE_TEST_SUITE_P(
    Triples, ColorDlgTypingTest,
    ::testing::Values(TypedCase{Dlg::ROW_RED, {"010", "20", "30"}, RGB(10, 20, 30), "Rgb"},
                      TypedCase{Dlg::ROW_CYAN, {"255", "0", "0"}, RGB(0, 255, 255), "Cmy"},
                      TypedCase{Dlg::ROW_HUE, {"0", "255", "128"}, RGB(255, 4, 1), "HslAlmostRed"},
                      TypedCase{Dlg::ROW_HUE, {"0", "0", "0"}, RGB(0, 0, 0), "HslBlack"},
                      TypedCase{Dlg::ROW_HUE, {"255", "255", "255"}, RGB(255, 255, 255), "HslWhite"},
                      TypedCase{Dlg::ROW_RED, {"abc", "0", "9"}, RGB(0, 0, 9), "TextReadsAsZero"}),
    [](const ::testing::TestParamInfo<TypedCase>& info) { return info.param.pszName; });

// A value above 255 is refused with the error box, the edit keeps the focus and nothing changes.
TEST_F(ColorDlgTest, AValueOutOfRangeIsRefusedAndFocused) {
  MessageBoxRecorder boxes;
  OpenDlg();
  ASSERT_TRUE(TypeInto(Edit(Dlg::ROW_GREEN), "30"));
  ASSERT_TRUE(TypeInto(Edit(Dlg::ROW_GREEN), "300"));
  ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ("Value must be in range 0..255", MessageBoxRecorder::Boxes()[0].first);
  EXPECT_EQ(Edit(Dlg::ROW_GREEN), ::GetFocus());
  ExpectEverywhere(RGB(200, 30, 50), Dlg::ROW_RED);
}

// Picks in any picker, the grey mixer chosen in the list with real keys among them, reach every
// value; a list without a selection leaves the picker; the swatch's lower half brings the initial
// colour back.
TEST_F(ColorDlgTest, PicksInThePickersAndTheSwatchReachEveryValue) {
  OpenDlg();
  CExtColorCtrl& picker = m_pDlg->m_wndPicker;
  Pick(picker, 0.33, kNew);
  ExpectEverywhere(picker.m_clrCurrent);
  const COLORREF clrPicked = picker.m_clrCurrent;
  const pixel_support::Pixels before = pixel_support::ReadClient(picker.m_hWnd);
  m_pDlg->m_wndMode.SetFocus();
  for (UINT vk : {VK_F4, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
    real_input::Key(vk);
  ASSERT_TRUE(PumpUntil([&] { return picker.m_nMode == CExtColorCtrl::MODE_GRAYSCALE_MIXER; }));
  EXPECT_EQ(clrPicked, picker.m_clrCurrent);
  EXPECT_NE(before.data, pixel_support::ReadClient(picker.m_hWnd).data);
  Pick(picker, 0.5, clrPicked);
  EXPECT_EQ(GetRValue(picker.m_clrCurrent), GetBValue(picker.m_clrCurrent));
  ExpectEverywhere(picker.m_clrCurrent);
  ChooseMode(-1);
  EXPECT_EQ(CExtColorCtrl::MODE_GRAYSCALE_MIXER, picker.m_nMode);

  Pick(m_pDlg->m_wndDiff, 0.75, picker.m_clrCurrent);
  ExpectEverywhere(kInit);
}

// Growing the dialog grows the picker and moves the value column and the buttons with the edges.
TEST_F(ColorDlgTest, ResizingFollowsTheAnchors) {
  OpenDlg();
  auto rect = [&](int nID) { return ScreenRect(m_pDlg->GetDlgItem(nID)); };
  const CRect rcPicker = rect(IDC_EXT_COLOR_PICKER), rcRed = rect(IDC_EXT_COLOR_RED), rcOk = rect(IDOK),
              rcModeLabel = rect(IDC_EXT_COLOR_MODE_LABEL), rcDlg = ScreenRect(m_pDlg.get());
  m_pDlg->SetWindowPos(NULL, 0, 0, rcDlg.Width() + 60, rcDlg.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
  PumpPending();
  EXPECT_EQ(rcPicker.Size() + CSize(60, 40), rect(IDC_EXT_COLOR_PICKER).Size());
  EXPECT_EQ(rcRed + CPoint(60, 0), rect(IDC_EXT_COLOR_RED));
  EXPECT_EQ(rcOk + CPoint(0, 40), rect(IDOK));
  EXPECT_EQ(rcModeLabel, rect(IDC_EXT_COLOR_MODE_LABEL));
}

// Typed into and ended by Enter, the modal run answers IDOK with the typed colour; by Esc, IDCANCEL.
TEST_F(ColorDlgTest, TheModalRunEndsWithEnterAsOkAndEscAsCancel) {
  for (UINT nEndKey : {UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
    Dlg dlg(kInit, kNew, &m_host);
    m_host.m_onPosted = [&] { // runs once the dialog is up; the keys reach its own loop
      ::SetForegroundWindow(dlg.m_hWnd);
      dlg.m_arrEdits[Dlg::ROW_RED].SetFocus();
      dlg.m_arrEdits[Dlg::ROW_RED].SetSel(0, -1);
      for (UINT vk : {UINT('1'), UINT('2'), UINT('8'), nEndKey})
        real_input::Key(vk);
    };
    m_host.PostMessage(WM_APP);
    EXPECT_EQ(nEndKey == VK_RETURN ? IDOK : IDCANCEL, dlg.DoModal()) << nEndKey;
    EXPECT_FALSE(dlg.m_bInitialized);
    if (nEndKey == VK_RETURN)
      EXPECT_EQ(RGB(128, 100, 50), dlg.m_clrNew);
  }
}

} // namespace
