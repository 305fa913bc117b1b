// The text entry dialog (values gathered from its controls, sliders, labels, reports to the active
// view) and the text element's pixels: the text kept in its box, its shadow and the shadow's place.
#include "editor/EditorMessages.h"
#include "editor/TextElement.h"
#include "editor/TextInputDlg.h"
#include "tests/unit/editor/editor_harness.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

using pixel_support::Pixels;

namespace {

// Windows that received UM_TEXT_CHANGED, with its lParam.
std::vector<std::pair<HWND, LPARAM>> g_reports;
LRESULT CALLBACK RecordReports(int nCode, WPARAM wParam, LPARAM lParam) {
  const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (nCode == HC_ACTION && pMsg->message == UM_TEXT_CHANGED)
    g_reports.push_back({pMsg->hwnd, pMsg->lParam});
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// The dialog shown, owned by an image document's view.
class TextDlgTest : public EditorViewTest {
protected:
  void SetUp() override {
    EditorViewTest::SetUp();
    ASSERT_TRUE(m_dlg.Create(View()));
    m_dlg.ShowWindow(SW_SHOW), PumpPending();
    m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordReports, NULL, ::GetCurrentThreadId());
    g_reports.clear();
  }
  void TearDown() override {
    ::UnhookWindowsHookEx(m_hHook), m_dlg.DestroyWindow(), EditorViewTest::TearDown();
  }
  // Reports to pView, each carrying the dialog.
  int Reports(CView* pView) {
    return (int)std::count(g_reports.begin(), g_reports.end(), std::make_pair(pView->m_hWnd, (LPARAM)&m_dlg));
  }
  std::string Text(int nID) { return ItemText(m_dlg.m_hWnd, nID); }
  void Notify(int nID, int nCode) {
    m_dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode), (LPARAM)m_dlg.GetDlgItem(nID)->m_hWnd);
  }
  void Click(int nID) { m_dlg.GetDlgItem(nID)->SendMessage(BM_CLICK, 0, 0); }

  HHOOK m_hHook = NULL;
  CTextInputDlg m_dlg;
};

// The size is bounded (above 100: 48, below 2 or unreadable: 5); the ticks set the font's style.
TEST_F(TextDlgTest, GatherValuesReadsTheControlsAndBoundsTheSize) {
  const int kChecks[] = {IDC_TEXT_BOLD, IDC_TEXT_ITALIC, IDC_TEXT_UNDERLINE, IDC_TEXT_STRIKEOUT,
                         IDC_ANTIALIAS};
  const std::tuple<const char*, int, int> rows[] = {
      {"150", IDC_TEXT_BOLD, 48},       {"1", IDC_TEXT_ITALIC, 5},       {"x", 0, 5},
      {"100", IDC_TEXT_UNDERLINE, 100}, {"101", IDC_TEXT_STRIKEOUT, 48}, {"2", IDC_ANTIALIAS, 2}};
  for (auto [pszSize, nCheck, nSize] : rows) {
    for (int nID : kChecks)
      m_dlg.CheckDlgButton(nID, nID == nCheck);
    m_dlg.m_cbSize.SetWindowText(pszSize);
    m_dlg.GatherValues();
    LOGFONTA lf = {};
    ASSERT_TRUE(m_dlg.m_font.GetLogFont(&lf));
    EXPECT_EQ(std::make_tuple(nSize, MulDiv(nSize, CWindowDC(NULL).GetDeviceCaps(LOGPIXELSY), 72),
                              nCheck == IDC_TEXT_BOLD ? FW_BOLD : FW_NORMAL, nCheck == IDC_TEXT_ITALIC,
                              nCheck == IDC_TEXT_UNDERLINE, nCheck == IDC_TEXT_STRIKEOUT,
                              nCheck == IDC_ANTIALIAS),
              std::make_tuple(m_dlg.m_nSize, lf.lfHeight, (int)lf.lfWeight, lf.lfItalic == 1,
                              lf.lfUnderline == 1, lf.lfStrikeOut == 1, m_dlg.m_bAntialias == 1))
        << pszSize;
    EXPECT_STREQ("Arial Narrow", lf.lfFaceName) << "nothing chosen from the list: the starting face stays";
  }
  // The list names each face once; a face longer than a font takes is cut.
  std::set<std::string> faces;
  for (int i = 0; i < m_dlg.m_lbFace.GetCount(); i++) {
    CString str;
    m_dlg.m_lbFace.GetText(i, str);
    faces.insert(static_cast<LPCSTR>(str));
  }
  EXPECT_TRUE(!faces.empty() && faces.size() == (size_t)m_dlg.m_lbFace.GetCount());
  m_dlg.m_lbFace.SetCurSel(m_dlg.m_lbFace.AddString(std::string(40, 'F').c_str()));
  m_dlg.GatherValues();
  EXPECT_EQ(std::string(LF_FACESIZE - 1, 'F'), m_dlg.m_lf.lfFaceName);
}

// Keys move the slider once (it steps itself before it reports); Home and End send the ends the
// dialog maps to maximum and minimum.
TEST_F(TextDlgTest, SliderKeysMoveOnceWithinTheRange) {
  // A key of 0: a thumb-track report at the start position.
  const std::tuple<bool, UINT, int, int, const char*> rows[] = {
      {true, VK_LEFT, 100, 95, "(37%)"},  {true, VK_RIGHT, 100, 105, "(41%)"},
      {true, VK_PRIOR, 100, 90, "(35%)"}, {true, VK_NEXT, 100, 110, "(43%)"},
      {true, 0, 128, 128, "(50%)"},       {true, VK_HOME, 100, 255, "(100%)"},
      {true, VK_END, 100, 0, "(0%)"},     {true, VK_NEXT, 250, 255, "(100%)"},
      {false, VK_LEFT, 3, 0, "(0)"},      {false, VK_HOME, 10, 360, "(360)"}};
  for (auto [bOpacity, nKey, nStart, nEnd, pszLabel] : rows) {
    CSliderCtrl& slider = bOpacity ? m_dlg.m_sliderOpacity : m_dlg.m_sliderRotation;
    slider.SetPos(nStart);
    const int nReports = Reports(View());
    if (nKey != 0)
      slider.SendMessage(WM_KEYDOWN, nKey, 1);
    else
      m_dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, nStart), (LPARAM)slider.m_hWnd);
    EXPECT_EQ(std::make_tuple(nEnd, nEnd, std::string(pszLabel)),
              std::make_tuple(slider.GetPos(), bOpacity ? m_dlg.m_nOpacity : m_dlg.m_nAngle,
                              Text(bOpacity ? IDC_TEXT_OPACITY_VALUE : IDC_TEXT_ROTATION_VALUE)))
        << nKey << " from " << nStart;
    EXPECT_LE(nReports + 1, Reports(View()));
  }
}

TEST_F(TextDlgTest, EveryChangeGathersAndReportsToTheActiveViewOnly) {
  CFramletDoc* pSecond = m_harness.NewDocument(); // its view is the active one now
  ASSERT_NE(nullptr, pSecond);
  CFramletView* pView = pSecond->GetFirstView();
  for (int nID = IDC_TEXT_BOLD; nID <= IDC_TEXT_BOTTOM; nID++)
    Click(nID);
  Click(IDC_ANTIALIAS);
  EXPECT_EQ(11, Reports(pView));
  EXPECT_EQ(std::make_tuple(1, 1, 1, 1, 1, 2, 2),
            std::make_tuple(m_dlg.m_bBold, m_dlg.m_bItalic, m_dlg.m_bUnderline, m_dlg.m_bStrikeout,
                            m_dlg.m_bAntialias, m_dlg.m_nAlignH, m_dlg.m_nAlignV));
  m_dlg.SetDlgItemText(IDC_TEXT_EDIT, "typed"); // a multi-line edit tells nothing of this
  CWnd* pEdit = m_dlg.GetDlgItem(IDC_TEXT_EDIT);
  pEdit->SendMessage(EM_SETSEL, 5, 5), pEdit->SendMessage(WM_CHAR, '!', 1);
  m_dlg.m_cbSize.SetCurSel(6), Notify(IDC_TEXT_SIZE, CBN_SELCHANGE);
  m_dlg.m_lbFace.SetCurSel(0), Notify(IDC_TEXT_FONT_LIST, LBN_SELCHANGE);
  CString strFirst;
  m_dlg.m_lbFace.GetText(0, strFirst);
  EXPECT_EQ(std::make_tuple(std::string("typed!"), 12, std::string(strFirst)),
            std::make_tuple(std::string(m_dlg.m_strText), m_dlg.m_nSize, std::string(m_dlg.m_strFace)));
  EXPECT_TRUE(Reports(pView) == 14 && g_reports.size() == 14u) << "all to the active view, none elsewhere";
  EXPECT_STREQ("typed!", pView->m_pText->m_strText) << "which takes the text";
  m_harness.m_pFrame->MDIActivate(View()->GetParentFrame());
  Click(IDC_TEXT_BOLD);
  EXPECT_EQ(1, Reports(View()));
}

// The colour menu's final choice sets the text colour; all ones means the button's colour, and
// without one the colour stays. Each reports.
TEST_F(TextDlgTest, AColourChoiceSetsTheTextColourAndReports) {
  // clang-format off
  const std::tuple<WPARAM, COLORREF, COLORREF> rows[] = {{RGB(10, 20, 30), RGB(1, 2, 3), RGB(10, 20, 30)},
      {0xFFFFFFFF, RGB(1, 2, 3), RGB(1, 2, 3)}, {0xFFFFFFFF, (COLORREF)-1, RGB(1, 2, 3)}};
  // clang-format on
  for (auto [wColour, clrButton, clrExpected] : rows) {
    m_dlg.m_btnColor.m_clrSelected = clrButton;
    const int nReports = Reports(View());
    EXPECT_EQ(0, m_dlg.SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, wColour, 0));
    EXPECT_EQ(clrExpected, m_dlg.m_clrText);
    EXPECT_EQ(nReports + 1, Reports(View()));
  }
}

TEST_F(TextDlgTest, OkGathersAndHidesCancelHidesTheDialogStaysAlive) {
  m_dlg.m_cbSize.SetWindowText("20");
  m_dlg.SendMessage(WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(m_dlg.m_nSize == 20 && !m_dlg.IsWindowVisible());
  m_dlg.ShowWindow(SW_SHOW);
  m_dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(!m_dlg.IsWindowVisible() && ::IsWindow(m_dlg.m_hWnd));
}

DWORD White(int, int) { return 0xFFFFFFFF; }
// Red varies along both axes, so a shadow multiplied with the wrong pixels shows it.
BYTE PictureRed(int x, int y) { return (BYTE)(50 + (7 * x + 13 * y) % 200); }
DWORD Ramp(int x, int y) { return 0xFF00FFFF | ((DWORD)PictureRed(x, y) << 16); }

// Black 20-unit bold "Arial" in a box, over no shadow unless the test asks.
class TextDrawTest : public ::testing::Test {
protected:
  void SetUp() override {
    LOGFONTA lf = {20, 0, 0, 0, FW_BOLD};
    strcpy(lf.lfFaceName, "Arial");
    m_text.m_font.DeleteObject(), m_text.m_font.CreateFontIndirect(&lf);
    m_text.m_strText = "Shadow", m_text.m_rect.SetRect(30, 30, 170, 90),
    m_text.m_nAlignH = m_text.m_nAlignV = 1;
    m_saved = m_style = CEditorAppState::Get()->m_styles[STYLE_TEXT];
    m_style.shadowColor = RGB(255, 0, 0), m_style.opacity = 255, m_style.shadowOpacity = 100;
    m_style.shadowDepthX = 6, m_style.shadowDepthY = 4, m_style.shadowEdge = 0;
  }
  void TearDown() override { CEditorAppState::Get()->m_styles[STYLE_TEXT] = m_saved; }
  // The final rendering into a picture made by pixel.
  Pixels Final(DWORD (*pixel)(int, int), BOOL bShadow) {
    m_style.dropShadow = bShadow;
    CEditorAppState::Get()->m_styles[STYLE_TEXT] = m_style;
    std::unique_ptr<Gdiplus::Bitmap> picture(NewArgbPicture(200, 120, pixel));
    m_text.DrawIntoImage(picture.get(), m_style, 1.0f, 0, 0);
    return ColoursOf(picture.get());
  }
  CTextElement m_text;
  DrawStyle m_style, m_saved;
};

// Pixels that a shadow tinted (a red shadow keeps red and lowers green).
int CountTinted(const Pixels& px) {
  return (int)std::count_if(px.data.begin(), px.data.end(), [](COLORREF c) { return GetGValue(c) < 255; });
}

// Under Wine a centred or far line alignment draws nothing once the lines overflow the box, so
// the overflowing rows align near.
TEST_F(TextDrawTest, TheTextStaysInsideItsBoxAlignedOrTurned) {
  const char* kLong = "A line far too long for the box it has to fit in";
  // clang-format off
  const std::tuple<const char*, int, int, CRect> rows[] = {
      {kLong, 0, 0, CRect(20, 20, 140, 60)}, {"Shadow text", 1, 0, CRect(20, 20, 140, 90)},
      {"Shadow text", 2, 0, CRect(20, 20, 140, 90)}, {kLong, 0, 90, CRect(50, 20, 130, 100)}};
  // clang-format on
  for (auto [pszText, nAlign, nAngle, box] : rows) {
    m_text.m_strText = pszText, m_text.m_nAlignH = m_text.m_nAlignV = nAlign, m_text.m_nAngle = nAngle;
    m_text.m_rect = box;
    Pixels px = Final(White, FALSE);
    int nInside = 0, nOutside = 0;
    for (int i = 0; i < px.cx * px.cy; i++)
      if (px.data[i] != RGB(255, 255, 255))
        ++(box.PtInRect(CPoint(i % px.cx, i / px.cx)) ? nInside : nOutside);
    EXPECT_TRUE(nInside > 50 && nOutside == 0) << pszText << " aligned " << nAlign << " angle " << nAngle;
  }
}

// The shadow is the text moved by the shadow depth, multiplied with the picture under it, in
// the final rendering (picture coordinates) and in the preview (canvas, 8 pixels of margin).
TEST_F(TextDrawTest, TheShadowFallsShadowDepthAwayOnThePictureUnderIt) {
  auto centre = [](const Pixels& px, bool (*dark)(COLORREF)) {
    double sx = 0, sy = 0, n = 0;
    for (int i = 0; i < px.cx * px.cy; i++)
      if (dark(px.data[i]))
        sx += i % px.cx, sy += i / px.cx, n += 1;
    return std::make_pair(sx / n, sy / n);
  };
  auto text = centre(Final(White, FALSE), [](COLORREF c) { return GetRValue(c) < 128; });
  m_text.m_nOpacity = 0;
  for (int nMargin : {0, 8}) {
    Pixels px = Final(Ramp, TRUE);
    if (nMargin != 0) { // the preview on the view's canvas
      pixel_support::DibSurface canvas(216, 136);
      m_text.DrawToDC(std::unique_ptr<Gdiplus::Bitmap>(NewArgbPicture(200, 120, Ramp)), &canvas.dc(), m_style,
                      1.0f, 0, 0);
      px = {216, 136, canvas.Pixels()};
    }
    ASSERT_GT(CountTinted(px), 0);
    for (int i = 0; i < px.cx * px.cy; i++)
      if (GetGValue(px.data[i]) < 255)
        ASSERT_EQ(PictureRed(i % px.cx - nMargin, i / px.cx - nMargin), GetRValue(px.data[i])) << i;
    auto shadow = centre(px, [](COLORREF c) { return GetGValue(c) < 128; });
    EXPECT_TRUE(std::abs(text.first + 6 - shadow.first) <= 0.5 &&
                std::abs(text.second + 4 - shadow.second) <= 0.5)
        << shadow.first - text.first << "," << shadow.second - text.second << " margin " << nMargin;
  }
}

// The shadow's alpha is opacity x shadow opacity / 100, saturating at 255; only upright text casts
// one; softening spreads it.
TEST_F(TextDrawTest, TheShadowsStrengthSaturatesAndItsEdgeSoftens) {
  m_text.m_nOpacity = 0; // the text itself shows nothing
  const int rows[][4] = {{255, 100, 0, 0},    {200, 200, 0, 0},    {255, 50, 0, 128}, {100, 100, 0, 155},
                         {255, 100, 30, 255}, {255, 100, 90, 255}, {255, 100, 360, 0}}; // the least green
  for (auto [nOpacity, nShadowOpacity, nAngle, nLeastGreen] : rows) {
    m_style.opacity = nOpacity;
    m_style.shadowOpacity = nShadowOpacity;
    m_text.m_nAngle = nAngle;
    Pixels px = Final(White, TRUE);
    const COLORREF least = *std::min_element(
        px.data.begin(), px.data.end(), [](COLORREF a, COLORREF b) { return GetGValue(a) < GetGValue(b); });
    EXPECT_NEAR(nLeastGreen, GetGValue(least), 1) << nOpacity << " " << nShadowOpacity << " " << nAngle;
  }
  m_style.opacity = 255, m_style.shadowOpacity = 100, m_text.m_nAngle = 0;
  const int nHard = CountTinted(Final(White, TRUE));
  m_style.shadowEdge = 2;
  EXPECT_GT(CountTinted(Final(White, TRUE)), nHard);
  // The text's opacity replaces its colour's alpha: half of black over white is mid grey.
  m_text.m_nOpacity = 128;
  const Pixels px = Final(White, FALSE);
  EXPECT_EQ(0x80000000u, m_text.m_clrText);
  EXPECT_NEAR(127, GetRValue(*std::min_element(px.data.begin(), px.data.end())), 1);
}

} // namespace
