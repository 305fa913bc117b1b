// The colour dialog on a real window: the three value triples, the picker and the swatch kept in
// step by typed keys and by clicks, the range error, the mode list, the modal run's OK and Cancel,
// and a picture of the dialog in every theme.
#include "resources/toolkit_ids.h"
#include "tests/unit/toolkit/controls/colorctrl_support.h"
#include "toolkit/controls/ExtColorDlg.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace colorctrl_support;
using Row = CExtColorDlg::Row;
using Triple = std::array<std::string, 3>;

const COLORREF kInit = RGB(10, 20, 30);
const COLORREF kNew = RGB(200, 100, 50);
const int kEditIds[CExtColorDlg::ROW_COUNT] = {
    IDC_EXT_COLOR_RED, IDC_EXT_COLOR_GREEN, IDC_EXT_COLOR_BLUE,    IDC_EXT_COLOR_HUE,   IDC_EXT_COLOR_SAT,
    IDC_EXT_COLOR_LUM, IDC_EXT_COLOR_CYAN,  IDC_EXT_COLOR_MAGENTA, IDC_EXT_COLOR_YELLOW};

std::string Text(HWND hWnd) {
  char sz[128] = {};
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

// What the triples should show for a colour, the hue, saturation and lightness rounded to 0..255.
Triple Expected(COLORREF clr, Row nFirst) {
  auto str = [](int n) { return std::to_string(n); };
  switch (nFirst) {
  case CExtColorDlg::ROW_RED:
    return {str(GetRValue(clr)), str(GetGValue(clr)), str(GetBValue(clr))};
  case CExtColorDlg::ROW_CYAN:
    return {str(255 - GetRValue(clr)), str(255 - GetGValue(clr)), str(255 - GetBValue(clr))};
  default: {
    double h = 0, s = 0, l = 0;
    CExtPaintManager::RgbToHls(clr, &h, &s, &l);
    auto v = [&](double d) { return str(std::min(255, static_cast<int>(d * 255 + 0.5))); };
    return {v(h), v(s), v(l)};
  }
  }
}

class ColorDlgTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_host.CreateHost("host", WS_OVERLAPPEDWINDOW | WS_VISIBLE)); }
  void TearDown() override {
    if (m_pDlg != NULL && m_pDlg->GetSafeHwnd() != NULL)
      m_pDlg->DestroyWindow();
    m_host.DestroyWindow();
  }
  // Opens the dialog without a modal loop; what is tested here behaves the same in one.
  void Open(COLORREF clrInit = kInit, COLORREF clrNew = kNew, const char* pszCaption = "") {
    m_pDlg = std::make_unique<CExtColorDlg>(clrInit, clrNew, &m_host);
    m_pDlg->m_strCaption = pszCaption;
    ASSERT_TRUE(m_pDlg->Create(IDD_EXT_COLOR_DLG, &m_host));
    m_pDlg->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(m_pDlg->m_hWnd);
    PumpPending();
  }
  HWND Item(int nID) const { return ::GetDlgItem(m_pDlg->m_hWnd, nID); }
  HWND Edit(int nRow) const { return Item(kEditIds[nRow]); }
  Triple Shown(int nFirst) const {
    return {Text(Edit(nFirst)), Text(Edit(nFirst + 1)), Text(Edit(nFirst + 2))};
  }
  // The swatch's upper and lower halves.
  std::pair<COLORREF, COLORREF> Swatch() const {
    const pixel_support::Pixels px = ClientPixels(m_pDlg->m_wndDiff.m_hWnd);
    return {px.At(px.cx / 2, px.cy / 4), px.At(px.cx / 2, px.cy * 3 / 4)};
  }
  void ExpectEverywhere(COLORREF clr, int nTypedRow = -1) {
    EXPECT_EQ(clr, m_pDlg->m_wndPicker.m_clrCurrent);
    EXPECT_EQ(clr, m_pDlg->m_wndDiff.m_clrCurrent);
    EXPECT_EQ(clr, m_pDlg->m_clrNew);
    EXPECT_EQ(clr, Swatch().first);
    for (Row nFirst : {CExtColorDlg::ROW_RED, CExtColorDlg::ROW_HUE, CExtColorDlg::ROW_CYAN})
      if (nFirst != nTypedRow)
        EXPECT_EQ(Expected(clr, nFirst), Shown(nFirst)) << "row " << nFirst;
  }

  CHostWnd m_host;
  std::unique_ptr<CExtColorDlg> m_pDlg;
};

// It opens with the new colour in every triple, the picker and the swatch's upper half over the
// initial colour, the modes listed, and the title from the text after the caption's line break.
TEST_F(ColorDlgTest, OpensWithTheNewColourOverTheInitialOne) {
  Open(kInit, kNew, "Colour\nPick a shadow colour");
  ExpectEverywhere(kNew);
  EXPECT_EQ(kInit, Swatch().second);
  EXPECT_EQ("Pick a shadow colour", Text(m_pDlg->m_hWnd));
  ASSERT_EQ(CExtColorCtrl::MODE_NAMED_COUNT, m_pDlg->m_wndMode.GetCount());
  for (int i = 0; i < CExtColorCtrl::MODE_NAMED_COUNT; ++i) {
    CString str;
    m_pDlg->m_wndMode.GetLBText(i, str);
    EXPECT_EQ(std::string(CExtColorCtrl::GetModeName(i)), std::string(str));
  }
  EXPECT_EQ(0, m_pDlg->m_wndMode.GetCurSel());
  EXPECT_NE(nullptr, reinterpret_cast<HICON>(m_pDlg->SendMessage(WM_GETICON, ICON_BIG, 0)));
}

// Typing a triple with real keys moves the colour everywhere but leaves the typed text as it is.
struct TypedCase {
  Row nFirst;
  Triple typed;
  COLORREF clrExpected;
  const char* pszName;
};

class ColorDlgTypingTest : public ColorDlgTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(ColorDlgTypingTest, TypingATripleKeepsTheOthersInStep) {
  const TypedCase& c = GetParam();
  Open();
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(TypeInto(Edit(c.nFirst + i), c.typed[i].c_str()));
  EXPECT_EQ(c.typed, Shown(c.nFirst)) << "the typed triple is never rewritten";
  ExpectEverywhere(c.clrExpected, c.nFirst);
  EXPECT_EQ(kInit, Swatch().second);
}

INSTANTIATE_TEST_SUITE_P(
    Triples, ColorDlgTypingTest,
    ::testing::Values(TypedCase{CExtColorDlg::ROW_RED, {"010", "20", "30"}, RGB(10, 20, 30), "Rgb"},
                      TypedCase{CExtColorDlg::ROW_CYAN, {"255", "0", "0"}, RGB(0, 255, 255), "Cmy"},
                      TypedCase{CExtColorDlg::ROW_HUE, {"0", "255", "128"}, RGB(255, 4, 1), "HslAlmostRed"},
                      TypedCase{CExtColorDlg::ROW_HUE, {"0", "0", "0"}, RGB(0, 0, 0), "HslBlack"},
                      TypedCase{CExtColorDlg::ROW_HUE, {"255", "255", "255"}, RGB(255, 255, 255), "HslWhite"},
                      TypedCase{CExtColorDlg::ROW_RED, {"abc", "0", "9"}, RGB(0, 0, 9), "TextReadsAsZero"}),
    [](const ::testing::TestParamInfo<TypedCase>& info) { return info.param.pszName; });

// A value above 255 is refused with the error box, the edit keeps the focus and nothing changes.
TEST_F(ColorDlgTest, AValueOutOfRangeIsRefusedAndFocused) {
  MessageBoxRecorder boxes;
  Open();
  ASSERT_TRUE(TypeInto(Edit(CExtColorDlg::ROW_GREEN), "30"));
  const COLORREF clrBefore = m_pDlg->m_clrNew;
  ASSERT_EQ(RGB(200, 30, 50), clrBefore);
  ASSERT_TRUE(TypeInto(Edit(CExtColorDlg::ROW_GREEN), "300"));
  ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_EQ("Value must be in range 0..255", MessageBoxRecorder::Boxes()[0].first);
  EXPECT_EQ(Edit(CExtColorDlg::ROW_GREEN), ::GetFocus());
  ExpectEverywhere(clrBefore, CExtColorDlg::ROW_RED);
}

// A pick in the picker fills every triple and the swatch; a click on the swatch's lower half
// brings the initial colour back everywhere.
TEST_F(ColorDlgTest, PicksInThePickerAndTheSwatchReachEveryValue) {
  Open();
  CExtColorCtrl& picker = m_pDlg->m_wndPicker;
  CRect rc;
  picker.GetClientRect(&rc);
  Click(picker.m_hWnd, rc.Width() / 2, rc.Height() / 3);
  ASSERT_TRUE(PumpUntil([&] { return picker.m_clrCurrent != kNew; }));
  ExpectEverywhere(picker.m_clrCurrent);

  CRect rcSwatch;
  m_pDlg->m_wndDiff.GetClientRect(&rcSwatch);
  Click(m_pDlg->m_wndDiff.m_hWnd, rcSwatch.Width() / 2, rcSwatch.Height() * 3 / 4);
  ASSERT_TRUE(PumpUntil([&] { return picker.m_clrCurrent == kInit; }));
  ExpectEverywhere(kInit);
}

// Choosing another picker in the list with real keys switches the picker and keeps the colour.
TEST_F(ColorDlgTest, TheModeListSwitchesThePicker) {
  Open();
  CExtColorCtrl& picker = m_pDlg->m_wndPicker;
  const pixel_support::Pixels before = ClientPixels(picker.m_hWnd);
  m_pDlg->m_wndMode.SetFocus();
  for (UINT vk : {VK_F4, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN})
    real_input::Key(vk);
  ASSERT_TRUE(PumpUntil([&] { return picker.m_nMode == CExtColorCtrl::MODE_GRAYSCALE_MIXER; }));
  EXPECT_EQ(kNew, picker.m_clrCurrent);
  EXPECT_NE(before.data, ClientPixels(picker.m_hWnd).data);
  // The grey mixer's picks reach the dialog like any other.
  CRect rc;
  picker.GetClientRect(&rc);
  Click(picker.m_hWnd, rc.Width() / 2, rc.Height() / 2);
  ASSERT_TRUE(PumpUntil([&] { return picker.m_clrCurrent != kNew; }));
  EXPECT_EQ(GetRValue(picker.m_clrCurrent), GetBValue(picker.m_clrCurrent));
  ExpectEverywhere(picker.m_clrCurrent);
  // A list without a selection leaves the picker as it is.
  m_pDlg->m_wndMode.SetCurSel(-1);
  m_pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EXT_COLOR_MODE, CBN_SELENDOK),
                      reinterpret_cast<LPARAM>(m_pDlg->m_wndMode.m_hWnd));
  EXPECT_EQ(CExtColorCtrl::MODE_GRAYSCALE_MIXER, picker.m_nMode);
}

// Growing the dialog grows the picker and moves the value column and the buttons with the edges.
TEST_F(ColorDlgTest, ResizingFollowsTheAnchors) {
  Open();
  auto rect = [&](int nID) {
    CRect rc;
    ::GetWindowRect(Item(nID), &rc);
    return rc;
  };
  const CRect rcPicker = rect(IDC_EXT_COLOR_PICKER), rcRed = rect(IDC_EXT_COLOR_RED), rcOk = rect(IDOK),
              rcModeLabel = rect(IDC_EXT_COLOR_MODE_LABEL);
  CRect rcDlg;
  m_pDlg->GetWindowRect(&rcDlg);
  m_pDlg->SetWindowPos(NULL, 0, 0, rcDlg.Width() + 60, rcDlg.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
  PumpPending();
  EXPECT_EQ(rcPicker.Width() + 60, rect(IDC_EXT_COLOR_PICKER).Width());
  EXPECT_EQ(rcPicker.Height() + 40, rect(IDC_EXT_COLOR_PICKER).Height());
  EXPECT_EQ(rcRed + CPoint(60, 0), rect(IDC_EXT_COLOR_RED));
  EXPECT_EQ(rcOk + CPoint(0, 40), rect(IDOK));
  EXPECT_EQ(rcModeLabel, rect(IDC_EXT_COLOR_MODE_LABEL));
}

// ---------------------------------------------------------------------------------------------
// The modal run.

// Runs a script once the modal dialog is up; the keys it queues reach the dialog's own loop.
class CScriptedColorDlg : public CExtColorDlg {
public:
  using CExtColorDlg::CExtColorDlg;
  std::function<void(CScriptedColorDlg&)> m_script;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP + 1) {
      ::SetForegroundWindow(m_hWnd);
      m_script(*this);
      return 0;
    }
    const LRESULT lResult = CExtColorDlg::WindowProc(message, wParam, lParam);
    if (message == WM_INITDIALOG)
      PostMessage(WM_APP + 1);
    return lResult;
  }
};

struct ModalCase {
  UINT nEndKey;
  INT_PTR nResult;
  const char* pszName;
};

class ColorDlgModalTest : public ColorDlgTest, public ::testing::WithParamInterface<ModalCase> {};

// Typed into and ended by Enter, the run answers IDOK with the typed colour; by Esc, IDCANCEL.
TEST_P(ColorDlgModalTest, TheModalRunEndsWithTheKey) {
  CScriptedColorDlg dlg(kInit, kNew, &m_host);
  dlg.m_script = [&](CScriptedColorDlg& d) {
    HWND hRed = ::GetDlgItem(d.m_hWnd, IDC_EXT_COLOR_RED);
    ::SetFocus(hRed);
    ::SendMessageA(hRed, EM_SETSEL, 0, -1);
    for (UINT vk : {UINT('1'), UINT('2'), UINT('8'), GetParam().nEndKey})
      real_input::Key(vk);
  };
  EXPECT_EQ(GetParam().nResult, dlg.DoModal());
  EXPECT_FALSE(dlg.m_bInitialized);
  if (GetParam().nResult == IDOK)
    EXPECT_EQ(RGB(128, 100, 50), dlg.m_clrNew);
}

INSTANTIATE_TEST_SUITE_P(EndKeys, ColorDlgModalTest,
                         ::testing::Values(ModalCase{VK_RETURN, IDOK, "EnterIsOk"},
                                           ModalCase{VK_ESCAPE, IDCANCEL, "EscIsCancel"}),
                         [](const ::testing::TestParamInfo<ModalCase>& info) { return info.param.pszName; });

// ---------------------------------------------------------------------------------------------
// Pictures for a person to look at.

TEST_F(ColorDlgTest, SavesAPictureInEveryTheme) {
  const std::pair<CRuntimeClass*, const char*> themes[] = {
      {RUNTIME_CLASS(CExtPaintManager), "classic"},
      {RUNTIME_CLASS(CExtPaintManagerXP), "xp"},
      {RUNTIME_CLASS(CExtPaintManagerOffice2003), "office2003"}};
  for (const auto& theme : themes) {
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(theme.first));
    Open(RGB(30, 90, 200), RGB(240, 160, 40));
    m_pDlg->m_wndMode.SetCurSel(CExtColorCtrl::MODE_HSL_ROLLER);
    m_pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_EXT_COLOR_MODE, CBN_SELENDOK),
                        reinterpret_cast<LPARAM>(m_pDlg->m_wndMode.m_hWnd));
    const pixel_support::Pixels px = ClientPixels(m_pDlg->m_hWnd);
    const std::string strName = std::string("colordlg_") + theme.second + ".bmp";
    EXPECT_FALSE(pixel_support::SaveBmp(px, strName.c_str()).empty());
    m_pDlg->DestroyWindow();
  }
  // The XP theme is the one every test starts with.
  ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP)));
}

} // namespace
