// The shadow dialog: what it shows of a style, its depth arrows, opacity slider and colour choice,
// the preview it paints, and the style a modal run hands back.
#include "editor/ShadowDlg.h"
#include "tests/unit/editor/editor_harness.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"

namespace {

using pixel_support::Pixels;

std::array<int, 11> Fields(const DrawStyle& s) {
  return {(int)s.mainColor,   (int)s.backColor, s.opacity,      s.width,        s.antialias, s.dropShadow,
          (int)s.shadowColor, s.shadowOpacity,  s.shadowDepthX, s.shadowDepthY, s.shadowEdge};
}

void PostKey(HWND hWnd, UINT vk) {
  ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1), ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
}

// Presses an arrow of an up-down: the upper half is "up".
void PostSpinClick(HWND hSpin, bool bUp) {
  RECT rc;
  ::GetClientRect(hSpin, &rc);
  LPARAM pt = MAKELPARAM(rc.right / 2, bUp ? rc.bottom / 4 : rc.bottom * 3 / 4);
  ::PostMessageA(hSpin, WM_LBUTTONDOWN, MK_LBUTTON, pt), ::PostMessageA(hSpin, WM_LBUTTONUP, 0, pt);
}

DrawStyle Style(int nOpacity = 50, int dx = 5, int dy = 5, int nEdge = 1, COLORREF clr = RGB(255, 0, 0)) {
  DrawStyle s = CShadowDlg().m_style;
  s.shadowOpacity = nOpacity, s.shadowDepthX = dx, s.shadowDepthY = dy, s.shadowEdge = nEdge,
  s.shadowColor = clr;
  return s;
}

// The box around the preview's pixels in the colour blended at the alpha over the dialog's face,
// less where the 50 x 50 square about the preview's centre would put its shadow for the depths.
CRect ShadowFromSquare(const Pixels& px, COLORREF clr, int nAlpha, int dx, int dy) {
  const COLORREF bg = px.At(4, 4);
  CRect box;
  for (int i = 0; i < px.cx * px.cy; i++) {
    bool bBlended = true;
    for (int shift : {0, 8, 16}) {
      const int c = px.data[i] >> shift & 0xFF, s = clr >> shift & 0xFF, b = bg >> shift & 0xFF;
      bBlended &= std::abs(c - (s * nAlpha + b * (255 - nAlpha)) / 255) <= 3;
    }
    if (bBlended)
      box |= CRect(CPoint(i % px.cx, i / px.cx), CSize(1, 1));
  }
  box.OffsetRect(-(px.cx / 2 - 25 + dx), -(px.cy / 2 - 25 + dy));
  return box;
}

// A modeless dialog on a shown host; what is tested here behaves as in a modal run.
class ShadowDlgTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_host.CreateHost("host", WS_OVERLAPPEDWINDOW | WS_VISIBLE)); }
  void TearDown() override { m_dlg.DestroyWindow(), m_host.DestroyWindow(); }
  void Open(const DrawStyle& style, int bLimited = 0) {
    m_dlg.DestroyWindow();
    m_dlg.m_style = style, m_dlg.m_bLimited = bLimited;
    ASSERT_TRUE(m_dlg.Create(IDD_SHADOW, &m_host));
    m_dlg.ShowWindow(SW_SHOW);
    Settle();
  }
  void Settle() { PumpPending(), ::RedrawWindow(m_dlg.m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN); }
  HWND Item(int nID) { return ::GetDlgItem(m_dlg.m_hWnd, nID); }
  Pixels Preview() {
    RECT rc;
    ::GetClientRect(Item(IDC_SHADOW_PREVIEW), &rc);
    return pixel_support::ReadWindow(Item(IDC_SHADOW_PREVIEW), rc);
  }

  CHostWnd m_host;
  CShadowDlg m_dlg;
};

// The slider shows the opacity limited to 0..100 without changing it; the limited mode locks only
// the opacity and the apply-to-all choice.
TEST_F(ShadowDlgTest, OpensShowingTheStyleWithTheOpacityLimitedToAHundred) {
  const std::tuple<int, int, int, int, int, int, const char*> rows[] = {
      {200, 5, 5, 1, 0, 100, "(100%)"}, {-5, -7, 30, 0, 1, 0, "(0%)"}, {40, 0, -30, 2, 0, 40, "(40%)"}};
  for (auto [nOpacity, dx, dy, nEdge, bLimited, nSliderPos, pszLabel] : rows) {
    Open(Style(nOpacity, dx, dy, nEdge, RGB(1, 2, 3)), bLimited);
    EXPECT_EQ(std::make_tuple(nSliderPos, std::string(pszLabel), std::to_string(dx), std::to_string(dy),
                              nEdge, RGB(1, 2, 3), 0u, nOpacity),
              std::make_tuple(
                  m_dlg.m_sliderOpacity.GetPos(), ItemText(m_dlg.m_hWnd, IDC_SHADOW_OPACITY_VALUE),
                  ItemText(m_dlg.m_hWnd, IDC_SHADOW_DEPTH_X), ItemText(m_dlg.m_hWnd, IDC_SHADOW_DEPTH_Y),
                  (int)::SendMessageA(Item(IDC_SHADOW_EDGE), CB_GETCURSEL, 0, 0),
                  m_dlg.m_btnShadowColor.m_clrDefault, m_dlg.m_btnShadowColor.m_clrSelected,
                  m_dlg.m_style.shadowOpacity));
    for (int nID : {IDC_SHADOW_OPACITY, IDC_SHADOW_OPACITY_VALUE, IDC_SHADOW_APPLY_ALL})
      EXPECT_EQ(!bLimited, !!::IsWindowEnabled(Item(nID))) << nID;
    for (int nID :
         {IDC_SHADOW_COLOR, IDC_SHADOW_DEPTH_X_SPIN, IDC_SHADOW_DEPTH_Y_SPIN, IDC_SHADOW_EDGE, IDOK})
      EXPECT_TRUE(::IsWindowEnabled(Item(nID))) << nID;
  }
  std::vector<std::string> items;
  char sz[32];
  for (int i = 0; i < (int)::SendMessageA(Item(IDC_SHADOW_EDGE), CB_GETCOUNT, 0, 0); i++)
    ::SendMessageA(Item(IDC_SHADOW_EDGE), CB_GETLBTEXT, i, (LPARAM)sz), items.push_back(sz);
  EXPECT_EQ(std::vector<std::string>({"Hard", "Soft", "Softer"}), items);
}

// Each arrow steps its depth by one and stops at 30 either way; the edit only shows the depth.
TEST_F(ShadowDlgTest, SpinsStepTheDepthByOneAndStopAtThirty) {
  Open(Style(50, 5, 5));
  for (auto [nSpin, nEdit, pDepth] :
       {std::make_tuple(IDC_SHADOW_DEPTH_X_SPIN, IDC_SHADOW_DEPTH_X, &DrawStyle::shadowDepthX),
        std::make_tuple(IDC_SHADOW_DEPTH_Y_SPIN, IDC_SHADOW_DEPTH_Y, &DrawStyle::shadowDepthY)})
    for (auto [bUp, nFirst, nLimit] : {std::make_tuple(true, 6, 30), std::make_tuple(false, 29, -30)}) {
      PostSpinClick(Item(nSpin), bUp), Settle();
      EXPECT_EQ(nFirst, m_dlg.m_style.*pDepth) << nSpin;
      for (int i = 0; i < 70; i++)
        PostSpinClick(Item(nSpin), bUp);
      Settle(), ::PostMessageA(Item(nEdit), WM_CHAR, '7', 1), Settle();
      EXPECT_EQ(std::make_pair(nLimit, std::to_string(nLimit)),
                std::make_pair(m_dlg.m_style.*pDepth, ItemText(m_dlg.m_hWnd, nEdit)))
          << nSpin;
    }
}

// A key moves the slider once by its line or page size (5, 10), and the opacity follows. The colour
// menu's final choice sets the shadow colour; all ones means the button's.
TEST_F(ShadowDlgTest, KeysSetTheOpacityAndTheMenuTheColour) {
  Open(Style(50));
  const std::pair<UINT, int> rows[] = {{VK_RIGHT, 55}, {VK_LEFT, 45}, {VK_NEXT, 60},
                                       {VK_PRIOR, 40}, {VK_HOME, 0},  {VK_END, 100}};
  for (auto [vk, nExpected] : rows) {
    m_dlg.m_sliderOpacity.SetPos(50);
    PostKey(Item(IDC_SHADOW_OPACITY), vk);
    Settle();
    EXPECT_EQ(std::make_tuple(nExpected, nExpected, "(" + std::to_string(nExpected) + "%)"),
              std::make_tuple(m_dlg.m_sliderOpacity.GetPos(), m_dlg.m_style.shadowOpacity,
                              ItemText(m_dlg.m_hWnd, IDC_SHADOW_OPACITY_VALUE)))
        << vk;
  }
  m_dlg.m_btnShadowColor.m_clrSelected = RGB(10, 20, 30);
  EXPECT_EQ(0, m_dlg.SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, RGB(0, 0, 255), 0));
  EXPECT_EQ(RGB(0, 0, 255), m_dlg.m_style.shadowColor);
  m_dlg.SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, 0xFFFFFFFF, 0);
  EXPECT_EQ(RGB(10, 20, 30), m_dlg.m_style.shadowColor);
}

BOOL CALLBACK FindColorPopup(HWND hWnd, LPARAM lParam) {
  auto* ppPopup = reinterpret_cast<CExtPopupColorMenuWnd**>(lParam);
  if (::IsWindowVisible(hWnd))
    *ppPopup = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, CWnd::FromHandlePermanent(hWnd));
  return *ppPopup == NULL;
}

// Real input: the pointer moves to the point, then the button goes down and up; each step waits
// until the thread has taken it.
void RealClick(CPoint ptScreen) {
  for (DWORD dwFlags : {DWORD(0), DWORD(MOUSEEVENTF_LEFTDOWN), DWORD(MOUSEEVENTF_LEFTUP)}) {
    SendMouse(ptScreen, dwFlags);
    PumpUntil([&] {
      POINT pt;
      ::GetCursorPos(&pt);
      return pt.x == ptScreen.x && pt.y == ptScreen.y && HIWORD(::GetQueueStatus(QS_INPUT)) == 0;
    });
  }
}

// The colour button opens the toolkit's colour popup; the cell clicked there becomes the shadow
// colour and the button shows it.
TEST_F(ShadowDlgTest, TheColourButtonsPopupSetsTheShadowColour) {
  Open(Style());
  ::SetForegroundWindow(m_dlg.m_hWnd);
  RealClick(ScreenRect(&m_dlg.m_btnShadowColor).CenterPoint());
  CExtPopupColorMenuWnd* pPopup = NULL;
  ASSERT_TRUE(PumpUntil([&] {
    pPopup = NULL;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindColorPopup, reinterpret_cast<LPARAM>(&pPopup));
    return pPopup != NULL && CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
  }));
  const int nCell = 21;
  const COLORREF clrCell = pPopup->GetColorAt(nCell);
  CPoint pt = pPopup->GetCellRect(nCell).CenterPoint();
  pPopup->ClientToScreen(&pt);
  RealClick(pt);
  EXPECT_TRUE(PumpUntil([&] { return m_dlg.m_style.shadowColor == clrCell; }));
  EXPECT_EQ(clrCell, m_dlg.m_btnShadowColor.m_clrSelected);
  EXPECT_TRUE(PumpUntil([] { return !CExtPopupMenuWnd::AnyMenuTracked(); }));
}

// The preview paints a framed white square over its shadow at the depths, in the shadow colour at
// the low byte of the opacity; it follows later changes of depth, opacity and colour.
TEST_F(ShadowDlgTest, PreviewPaintsTheFramedWhiteSquareOverItsShadow) {
  // clang-format off
  const std::tuple<int, int, int, COLORREF, int> rows[] = {
      {5, 5, 200, RGB(255, 0, 0), 200}, {-12, 20, 100, RGB(0, 0, 255), 100},
      {30, -30, 60, RGB(0, 128, 0), 60}, {-30, -8, 300, RGB(128, 0, 128), 44}};
  // clang-format on
  for (auto [dx, dy, nOpacity, clr, nAlpha] : rows) {
    Open(Style(nOpacity, dx, dy, 1, clr));
    Pixels px = Preview();
    ASSERT_FALSE(px.Empty());
    CRect rcWindow;
    m_dlg.GetWindowRect(&rcWindow);
    pixel_support::SaveBmp(
        pixel_support::ReadWindow(NULL, rcWindow),
        ("shadow_dialog_" + std::to_string(dx) + "_" + std::to_string(dy) + ".bmp").c_str());
    const int cx = px.cx / 2, cy = px.cy / 2;
    EXPECT_EQ(std::make_tuple(RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0)),
              std::make_tuple(px.At(cx, cy), px.At(cx - 25, cy), px.At(cx + 24, cy)))
        << "the square's middle and its frame's left and right edges";
    EXPECT_EQ(CRect(0, 0, 50, 50), ShadowFromSquare(px, clr, nAlpha, dx, dy)) << dx << "," << dy;
  }
  Open(Style(40, 5, 5, 1, RGB(255, 0, 0)));
  for (int i = 0; i < 3; i++)
    PostSpinClick(Item(IDC_SHADOW_DEPTH_X_SPIN), true);
  PostKey(Item(IDC_SHADOW_OPACITY), VK_END);
  ::PostMessageA(m_dlg.m_hWnd, CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, RGB(0, 0, 255), 0);
  Settle();
  EXPECT_EQ(CRect(0, 0, 50, 50), ShadowFromSquare(Preview(), RGB(0, 0, 255), 100, 8, 5));
}

// A modal run hands back the fields: untouched, the opacity stays as it came (above 100) although
// the slider shows it limited; changed, every control's value.
TEST_F(ShadowDlgTest, AModalRunHandsTheFieldsBack) {
  for (bool bChange : {false, true}) {
    CDriven<CShadowDlg> dlg(&m_host);
    dlg.m_style = Style(200, 5, 5, 1, RGB(255, 0, 0));
    dlg.m_script = [&](CDriven<CShadowDlg>& d) {
      auto item = [&](int nID) { return ::GetDlgItem(d.m_hWnd, nID); };
      if (d.m_nKicks > 1)
        return;
      if (bChange) {
        for (int i = 0; i < 3; i++)
          PostSpinClick(item(IDC_SHADOW_DEPTH_X_SPIN), true);
        PostSpinClick(item(IDC_SHADOW_DEPTH_Y_SPIN), false);
        PostKey(item(IDC_SHADOW_OPACITY), VK_LEFT);
        PostKey(item(IDC_SHADOW_EDGE), VK_END);
        ::PostMessageA(item(IDC_SHADOW_APPLY_ALL), BM_CLICK, 0, 0);
        d.PostMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, RGB(0, 0, 255), 0);
      }
      d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)item(IDOK));
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(Fields(bChange ? Style(95, 8, 4, 2, RGB(0, 0, 255)) : Style(200, 5, 5, 1, RGB(255, 0, 0))),
              Fields(dlg.m_style));
    EXPECT_EQ(bChange ? 1 : 0, dlg.m_bApplyAll);
  }
}

} // namespace
