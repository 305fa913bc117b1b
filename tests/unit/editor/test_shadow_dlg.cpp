#include "editor/ShadowDlg.h"
#include "tests/common/window_support.h"
#include "tests/unit/editor/editor_harness.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using pixel_support::Pixels;

std::array<int, 11> Fields(const DrawStyle& s) {
  return {(int)s.mainColor,   (int)s.backColor, s.opacity,      s.width,        s.antialias, s.dropShadow,
          (int)s.shadowColor, s.shadowOpacity,  s.shadowDepthX, s.shadowDepthY, s.shadowEdge};
}

std::string Text(HWND hDlg, int nID) {
  char sz[64] = "";
  ::GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
  return sz;
}

void PostKey(HWND hWnd, UINT vk) {
  ::PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
  ::PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
}

// Presses an arrow of an up-down: the upper half is "up".
void PostSpinClick(HWND hSpin, bool bUp) {
  RECT rc;
  ::GetClientRect(hSpin, &rc);
  LPARAM pt = MAKELPARAM(rc.right / 2, bUp ? rc.bottom / 4 : rc.bottom * 3 / 4);
  ::PostMessageA(hSpin, WM_LBUTTONDOWN, MK_LBUTTON, pt);
  ::PostMessageA(hSpin, WM_LBUTTONUP, 0, pt);
}

DrawStyle Style(int nOpacity = 50, int dx = 5, int dy = 5, int nEdge = 1, COLORREF clr = RGB(255, 0, 0)) {
  DrawStyle s = CShadowDlg().m_style;
  s.shadowOpacity = nOpacity, s.shadowDepthX = dx, s.shadowDepthY = dy, s.shadowEdge = nEdge,
  s.shadowColor = clr;
  return s;
}

// The shadow square's rectangle for the depths, about the preview's centre.
CRect ExpectedShadow(const Pixels& px, int dx, int dy) {
  const int x = px.cx / 2 - 25 + dx, y = px.cy / 2 - 25 + dy;
  return CRect(x, y, x + 50, y + 50);
}

// The box around the preview's pixels in the colour blended at the alpha over the dialog's face.
CRect ShadowBox(const Pixels& px, COLORREF clr, int nAlpha) {
  const COLORREF bg = px.At(4, 4);
  auto blended = [&](int c, int s, int b) {
    return std::abs(c - (s * nAlpha + b * (255 - nAlpha)) / 255) <= 3;
  };
  CRect box(px.cx, px.cy, 0, 0);
  for (int y = 0; y < px.cy; y++)
    for (int x = 0; x < px.cx; x++) {
      const COLORREF c = px.At(x, y);
      if (blended(GetRValue(c), GetRValue(clr), GetRValue(bg)) &&
          blended(GetGValue(c), GetGValue(clr), GetGValue(bg)) &&
          blended(GetBValue(c), GetBValue(clr), GetBValue(bg)))
        box.SetRect(std::min<int>(box.left, x), std::min<int>(box.top, y), std::max<int>(box.right, x + 1),
                    std::max<int>(box.bottom, y + 1));
    }
  return box;
}

// A modeless dialog on a shown host; what is tested here behaves as in a modal run.
class ShadowDlgTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_host.CreateHost("host", WS_OVERLAPPEDWINDOW | WS_VISIBLE)); }
  void TearDown() override {
    if (m_dlg.m_hWnd != NULL)
      m_dlg.DestroyWindow();
    m_host.DestroyWindow();
  }
  void Open(const DrawStyle& style, int bLimited = 0) {
    m_dlg.m_style = style;
    m_dlg.m_bLimited = bLimited;
    ASSERT_TRUE(m_dlg.Create(IDD_SHADOW, &m_host));
    m_dlg.ShowWindow(SW_SHOW);
    Settle();
  }
  void Settle() {
    PumpPending();
    ::RedrawWindow(m_dlg.m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  HWND Item(int nID) { return ::GetDlgItem(m_dlg.m_hWnd, nID); }
  Pixels Preview() {
    RECT rc;
    ::GetClientRect(Item(IDC_SHADOW_PREVIEW), &rc);
    return pixel_support::ReadWindow(Item(IDC_SHADOW_PREVIEW), rc);
  }

  CHostWnd m_host;
  CShadowDlg m_dlg;
};

struct OpenCase {
  int nOpacity, dx, dy, nEdge, bLimited, nSliderPos;
  const char *pszLabel, *pszDepthX, *pszDepthY;
};
class ShadowDlgOpens : public ShadowDlgTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(ShadowDlgOpens, ShowsTheStyleWithTheOpacityLimitedToAHundred) {
  const OpenCase& c = GetParam();
  Open(Style(c.nOpacity, c.dx, c.dy, c.nEdge, RGB(1, 2, 3)), c.bLimited);
  EXPECT_EQ(c.nSliderPos, m_dlg.m_sliderOpacity.GetPos());
  EXPECT_EQ(c.pszLabel, Text(m_dlg.m_hWnd, IDC_SHADOW_OPACITY_VALUE));
  EXPECT_EQ(c.pszDepthX, Text(m_dlg.m_hWnd, IDC_SHADOW_DEPTH_X));
  EXPECT_EQ(c.pszDepthY, Text(m_dlg.m_hWnd, IDC_SHADOW_DEPTH_Y));
  std::vector<std::string> items;
  for (int i = 0; i < (int)::SendMessageA(Item(IDC_SHADOW_EDGE), CB_GETCOUNT, 0, 0); i++) {
    char sz[32] = "";
    ::SendMessageA(Item(IDC_SHADOW_EDGE), CB_GETLBTEXT, i, (LPARAM)sz);
    items.push_back(sz);
  }
  EXPECT_EQ(std::vector<std::string>({"Hard", "Soft", "Softer"}), items);
  EXPECT_EQ(c.nEdge, (int)::SendMessageA(Item(IDC_SHADOW_EDGE), CB_GETCURSEL, 0, 0));
  EXPECT_EQ(RGB(1, 2, 3), m_dlg.m_btnShadowColor.m_clrDefault);
  EXPECT_EQ(0u, m_dlg.m_btnShadowColor.m_clrSelected);
  EXPECT_EQ(c.nOpacity, m_dlg.m_style.shadowOpacity) << "showing a value does not change it";
  // The limited mode locks only the opacity and the apply-to-all choice.
  for (int nID : {IDC_SHADOW_OPACITY, IDC_SHADOW_OPACITY_VALUE, IDC_SHADOW_APPLY_ALL})
    EXPECT_EQ(!c.bLimited, !!::IsWindowEnabled(Item(nID))) << nID;
  for (int nID : {IDC_SHADOW_COLOR, IDC_SHADOW_DEPTH_X_SPIN, IDC_SHADOW_DEPTH_Y_SPIN, IDC_SHADOW_EDGE, IDOK})
    EXPECT_TRUE(::IsWindowEnabled(Item(nID))) << nID;
}
INSTANTIATE_TEST_SUITE_P(Table, ShadowDlgOpens,
                         ::testing::Values(OpenCase{200, 5, 5, 1, 0, 100, "(100%)", "5", "5"},
                                           OpenCase{-5, -7, 30, 0, 1, 0, "(0%)", "-7", "30"},
                                           OpenCase{40, 0, -30, 2, 0, 40, "(40%)", "0", "-30"}));

// Each arrow steps its depth by one and stops at 30 either way; the edit only shows the depth.
TEST_F(ShadowDlgTest, SpinsStepTheDepthByOneAndStopAtThirty) {
  Open(Style(50, 5, 5));
  for (auto [nSpin, nEdit, pDepth] :
       {std::make_tuple(IDC_SHADOW_DEPTH_X_SPIN, IDC_SHADOW_DEPTH_X, &DrawStyle::shadowDepthX),
        std::make_tuple(IDC_SHADOW_DEPTH_Y_SPIN, IDC_SHADOW_DEPTH_Y, &DrawStyle::shadowDepthY)})
    for (auto [bUp, nFirst, nLimit] : {std::make_tuple(true, 6, 30), std::make_tuple(false, 29, -30)}) {
      PostSpinClick(Item(nSpin), bUp);
      Settle();
      EXPECT_EQ(nFirst, m_dlg.m_style.*pDepth) << nSpin;
      for (int i = 0; i < 70; i++)
        PostSpinClick(Item(nSpin), bUp);
      Settle();
      EXPECT_EQ(nLimit, m_dlg.m_style.*pDepth) << nSpin;
      ::PostMessageA(Item(nEdit), WM_CHAR, '7', 1);
      Settle();
      EXPECT_EQ(std::to_string(nLimit), Text(m_dlg.m_hWnd, nEdit));
    }
}

TEST_F(ShadowDlgTest, FinalColourChoiceSetsTheShadowColourAllOnesMeaningTheButtons) {
  Open(Style());
  m_dlg.m_btnShadowColor.SetColor(RGB(10, 20, 30));
  EXPECT_EQ(0, m_dlg.SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, RGB(0, 0, 255), 0));
  EXPECT_EQ(RGB(0, 0, 255), m_dlg.m_style.shadowColor);
  m_dlg.SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, 0xFFFFFFFF, 0);
  EXPECT_EQ(RGB(10, 20, 30), m_dlg.m_style.shadowColor);
}

// A key moves the slider once by its line or page size (5, 10), and the opacity follows.
TEST_F(ShadowDlgTest, KeysMoveTheSliderOnceAndSetTheOpacity) {
  Open(Style(50));
  const std::pair<UINT, int> rows[] = {{VK_RIGHT, 55}, {VK_LEFT, 45}, {VK_NEXT, 60},
                                       {VK_PRIOR, 40}, {VK_HOME, 0},  {VK_END, 100}};
  for (auto [vk, nExpected] : rows) {
    m_dlg.m_sliderOpacity.SetPos(50);
    PostKey(Item(IDC_SHADOW_OPACITY), vk);
    Settle();
    EXPECT_EQ(nExpected, m_dlg.m_sliderOpacity.GetPos()) << vk;
    EXPECT_EQ(nExpected, m_dlg.m_style.shadowOpacity) << vk;
    EXPECT_EQ("(" + std::to_string(nExpected) + "%)", Text(m_dlg.m_hWnd, IDC_SHADOW_OPACITY_VALUE));
  }
}

struct PreviewCase {
  int dx, dy, nOpacity;
  COLORREF clr;
  int nAlpha; // the low byte of the opacity
};
class ShadowDlgPreview : public ShadowDlgTest, public ::testing::WithParamInterface<PreviewCase> {};

TEST_P(ShadowDlgPreview, PaintsTheFramedWhiteSquareOverItsShadow) {
  const PreviewCase& c = GetParam();
  Open(Style(c.nOpacity, c.dx, c.dy, 1, c.clr));
  Pixels px = Preview();
  ASSERT_FALSE(px.Empty());
  CRect rcWindow;
  m_dlg.GetWindowRect(&rcWindow);
  pixel_support::SaveBmp(
      pixel_support::ReadWindow(NULL, rcWindow),
      ("shadow_dialog_" + std::to_string(c.dx) + "_" + std::to_string(c.dy) + ".bmp").c_str());
  const int cx = px.cx / 2, cy = px.cy / 2;
  EXPECT_EQ(RGB(255, 255, 255), px.At(cx, cy));
  EXPECT_EQ(RGB(0, 0, 0), px.At(cx - 25, cy)) << "left edge of the frame";
  EXPECT_EQ(RGB(0, 0, 0), px.At(cx + 24, cy)) << "right edge of the frame";
  EXPECT_EQ(ExpectedShadow(px, c.dx, c.dy), ShadowBox(px, c.clr, c.nAlpha));
}
INSTANTIATE_TEST_SUITE_P(Table, ShadowDlgPreview,
                         ::testing::Values(PreviewCase{5, 5, 200, RGB(255, 0, 0), 200},
                                           PreviewCase{-12, 20, 100, RGB(0, 0, 255), 100},
                                           PreviewCase{30, -30, 60, RGB(0, 128, 0), 60},
                                           PreviewCase{-30, -8, 300, RGB(128, 0, 128), 44}));

TEST_F(ShadowDlgTest, PreviewFollowsTheDepthOpacityAndColourChanges) {
  Open(Style(40, 5, 5, 1, RGB(255, 0, 0)));
  for (int i = 0; i < 3; i++)
    PostSpinClick(Item(IDC_SHADOW_DEPTH_X_SPIN), true);
  PostKey(Item(IDC_SHADOW_OPACITY), VK_END);
  ::PostMessageA(m_dlg.m_hWnd, CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, RGB(0, 0, 255), 0);
  Settle();
  Pixels px = Preview();
  EXPECT_EQ(ExpectedShadow(px, 8, 5), ShadowBox(px, RGB(0, 0, 255), 100));
}

void ChangeEverything(HWND hDlg) {
  for (int i = 0; i < 3; i++)
    PostSpinClick(::GetDlgItem(hDlg, IDC_SHADOW_DEPTH_X_SPIN), true);
  PostSpinClick(::GetDlgItem(hDlg, IDC_SHADOW_DEPTH_Y_SPIN), false);
  PostKey(::GetDlgItem(hDlg, IDC_SHADOW_OPACITY), VK_LEFT);
  PostKey(::GetDlgItem(hDlg, IDC_SHADOW_EDGE), VK_END);
  ::PostMessageA(::GetDlgItem(hDlg, IDC_SHADOW_APPLY_ALL), BM_CLICK, 0, 0);
  ::PostMessageA(hDlg, CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, RGB(0, 0, 255), 0);
}

struct OkCase {
  const char* pszName;
  void (*input)(HWND); // posted before the OK button's click
  int nOpacity, dx, dy, nEdge;
  COLORREF clr;
  int bApplyAll;
};
class ShadowDlgModal : public ::testing::TestWithParam<OkCase> {};

// The slider's value is shown limited to 100 but the opacity stays as it came until the slider moves.
TEST_P(ShadowDlgModal, OkHandsTheFieldsBack) {
  const OkCase& c = GetParam();
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  CDriven<CShadowDlg> dlg(&host);
  dlg.m_style = Style(200, 5, 5, 1, RGB(255, 0, 0));
  dlg.m_script = [&](CDriven<CShadowDlg>& d) {
    if (d.m_nKicks > 1)
      return;
    c.input(d.m_hWnd);
    d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
  };
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(Fields(Style(c.nOpacity, c.dx, c.dy, c.nEdge, c.clr)), Fields(dlg.m_style));
  EXPECT_EQ(c.bApplyAll, dlg.m_bApplyAll);
  host.DestroyWindow();
}
INSTANTIATE_TEST_SUITE_P(
    Table, ShadowDlgModal,
    ::testing::Values(OkCase{"untouched", [](HWND) {}, 200, 5, 5, 1, RGB(255, 0, 0), 0},
                      OkCase{"changed", ChangeEverything, 95, 8, 4, 2, RGB(0, 0, 255), 1}),
    [](const ::testing::TestParamInfo<OkCase>& info) { return std::string(info.param.pszName); });

} // namespace
