// Dock markers: the theme's answers per style, placement against a target, colouring, the
// hand-over to marker windows (a fake docking layer here), their outline and the drop highlight.
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/theme/ExtPaintManagerDockMarkers.h"

#include <memory>

typedef PM::DockMarkerBase Marker;

namespace {

const RECT kTarget = {100, 50, 300, 250};
const COLORREF kInk = RGB(200, 60, 60), kKey = Marker::KEY_COLOR, kGrey = RGB(100, 100, 100);

bool IsLive(HGDIOBJ h) { return h != NULL && ::GetObjectType(h) != 0; }

// A marker window of the fake docking layer: it keeps what it was handed.
class FakeMarkerWnd : public CExtDockMarkerWndInfo {
public:
  FakeMarkerWnd(int nKind, CSize size, bool bState = false, bool bMade = true)
      : m_nKind(nKind), m_size(size), m_bState(bState), m_bMade(bMade) {}
  HWND GetMarkerHwnd() const override { return m_bMade ? ::GetDesktopWindow() : NULL; }
  int GetMarkerKind() const override { return m_nKind; }
  bool GetMarkerState() const override { return m_bState; }
  CSize GetMarkerSize() const override { return m_size; }
  int m_nKind;
  CSize m_size;
  bool m_bState, m_bMade, m_bOuterFrame = false;
  CBitmap m_bmpNormal, m_bmpHot, m_bmpOuter;
  CRgn m_rgnShape;
};

class FakeMaker : public CExtDockMarkerWndMaker {
public:
  CExtDockMarkerWndInfo* CreateMarkerWnd(CWnd*, int nKind, HBITMAP hNormal, HBITMAP hHot, HRGN hShape,
                                         const RECT& rc, HBITMAP hOuter, int, int,
                                         bool bOuterFrame) override {
    FakeMarkerWnd* p = new FakeMarkerWnd(nKind, CRect(rc).Size(), false, nKind != m_nFailingKind);
    p->m_bmpNormal.Attach(hNormal);
    p->m_bmpHot.Attach(hHot);
    p->m_bmpOuter.Attach(hOuter);
    p->m_rgnShape.Attach(hShape);
    p->m_bOuterFrame = bOuterFrame;
    return p;
  }
  void DestroyMarkers(ExtDockMarkerWndArray_t& arr, bool bDeferred) override {
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
      delete arr[i];
    (bDeferred ? m_nDeferred : m_nDestroyed) += (int)arr.GetSize();
    arr.RemoveAll();
  }
  int m_nFailingKind = -2, m_nDeferred = 0, m_nDestroyed = 0;
};

class DockMarkers : public ThemeTest {
protected:
  // Theme 0 classic, 1 XP, 2 Office 2003, with that marker style.
  PM* InstallStyle(int nTheme, int nStyle, int nBitsPerPixel = 32, const ForcedStyle& style = kNoStyle) {
    PM* pm = Install((Theme)nTheme, nBitsPerPixel, style);
    pm->m_nDockMarkerStyle = nStyle;
    return pm;
  }
  // A marker made from two 30x20 images of the ink with a key-coloured corner.
  std::unique_ptr<Marker> FromImages(PM* pm, int nKind, bool bNudge) {
    std::unique_ptr<Marker> p(pm->CreateDockMarkerObject());
    HBITMAP hNormal = MakeSolidBitmap(30, 20, kInk), hHot = MakeSolidBitmap(30, 20, kInk);
    FillBitmapRect(hNormal, RECT{0, 0, 1, 1}, kKey);
    FillBitmapRect(hHot, RECT{0, 0, 1, 1}, kKey);
    EXPECT_TRUE(p->CreateFromBitmaps(pm, kTarget, bNudge, nKind, kKey, hNormal, hHot));
    return p;
  }
};

TEST_F(DockMarkers, AnswersOfEveryThemeAndStyle) {
  for (int nTheme = 0; nTheme < 3; ++nTheme) {
    PM* pm = InstallStyle(nTheme, 3);
    EXPECT_EQ(0, pm->GetDockingMarkerMode());
    for (int nStyle = 1; nStyle <= 3; ++nStyle) {
      pm->m_nDockMarkerStyle = nStyle;
      int l = -1, t = -1, r = -1, b = -1;
      pm->GetDockHighlightMargins(l, t, r, b);
      EXPECT_EQ(std::vector<int>(4, nStyle == 1 ? 0 : 5), (std::vector<int>{l, t, r, b})) << nStyle;
      EXPECT_EQ(nStyle == 1, pm->IsDockMarkerStyle1());
      std::unique_ptr<Marker> p(pm->CreateDockMarkerObject());
      EXPECT_TRUE(p->IsEmpty());
      EXPECT_EQ(nStyle != 1, dynamic_cast<PM::DockMarkerBeta2*>(p.get()) != NULL) << nStyle;
    }
    pm->m_nDockMarkerStyle = 0;
    bool bThrown = false;
    try {
      delete pm->CreateDockMarkerObject();
    } catch (CNotSupportedException* e) {
      e->Delete();
      bThrown = true;
    }
    EXPECT_TRUE(bThrown);
  }
}

TEST_F(DockMarkers, PlacementAgainstTheTarget) {
  // clang-format off
  const struct { int nStyle, nKind; bool bNudge; RECT rc; } rows[] = {
      {1, 0, true, {185, 50, 215, 70}}, // a 30-pixel image on a 200-pixel target lies 85 pixels in
      {1, 1, false, {185, 230, 215, 250}}, {1, 2, false, {100, 140, 130, 160}}, {1, 3, true, {270, 140, 300, 160}},
      {1, 4, true, {185, 140, 215, 160}},  {2, 0, true, {186, 60, 216, 80}},    {2, 1, true, {186, 222, 216, 242}},
      {2, 2, true, {110, 141, 140, 161}},  {2, 3, true, {262, 141, 292, 161}},  {2, 8, true, {186, 141, 216, 161}},
      {2, 0, false, {185, 50, 215, 70}},   {2, 8, false, {186, 141, 216, 161}},
  };
  // clang-format on
  for (const auto& row : rows) {
    std::unique_ptr<Marker> p = FromImages(InstallStyle(1, row.nStyle), row.nKind, row.bNudge);
    EXPECT_EQ(CRect(row.rc), p->m_rcScreen) << row.nStyle << " kind " << row.nKind << " nudge " << row.bNudge;
    EXPECT_FALSE(::PtInRegion((HRGN)p->m_rgnShape.GetSafeHandle(), 0, 0));
    EXPECT_TRUE(::PtInRegion((HRGN)p->m_rgnShape.GetSafeHandle(), 1, 0));
  }
}

TEST_F(DockMarkers, RefusedImagesAreDeletedAndEmptyingReleasesTheHeldOnes) {
  PM* pm = InstallStyle(0, 1);
  std::unique_ptr<Marker> p(pm->CreateDockMarkerObject());
  HBITMAP hNormal = MakeSolidBitmap(30, 30, kInk), hHot = MakeSolidBitmap(20, 20, kInk);
  EXPECT_FALSE(p->CreateFromBitmaps(pm, kTarget, false, 0, kKey, hNormal, hHot));
  EXPECT_TRUE(p->IsEmpty());
  EXPECT_FALSE(IsLive(hNormal) || IsLive(hHot));
  EXPECT_FALSE(
      p->LoadFromResources(pm, kTarget, false, 0, kKey, "NoSuchMarker", RT_BITMAP, NULL, NULL, NULL, NULL));
  // Emptying a marker that still holds its images deletes them instead of losing them.
  p = FromImages(pm, 0, false);
  const HGDIOBJ hImage = p->m_bmpNormal.GetSafeHandle(), hShape = p->m_rgnShape.GetSafeHandle();
  ASSERT_TRUE(IsLive(hImage));
  p->Empty();
  EXPECT_TRUE(p->IsEmpty());
  EXPECT_EQ(CRect(0, 0, 0, 0), p->m_rcScreen);
  EXPECT_FALSE(IsLive(hImage) || IsLive(hShape));
}

// The ink shifted by these deltas; no shift leaves it exactly.
COLORREF Adjusted(double dLightness, double dSaturation) {
  return dLightness == 0 && dSaturation == 0 ? kInk : PM::HlsAdjustColor(kInk, 0, dLightness, dSaturation);
}

TEST_F(DockMarkers, ImagesAreRecolouredOnlyInTheFirstStyle) {
  // clang-format off
  const struct { int nTheme, nStyle, nBitsPerPixel, nKind; double dNormalL, dNormalS, dHotL, dHotS; } rows[] = {
      {0, 1, 32, 0, 0, 0, 0.35, 0}, {1, 1, 8, 2, -0.15, -1.0, 0.3, -1.0}, {0, 1, 32, 4, 0, 0, 0, 0},
      {1, 3, 32, 0, 0, 0, 0, 0},    {2, 1, 32, 3, 0, 0, 0.25, 0},         {2, 1, 8, 1, -0.15, -1.0, 0.3, -1.0},
  };
  // clang-format on
  for (const auto& row : rows) {
    std::unique_ptr<Marker> p =
        FromImages(InstallStyle(row.nTheme, row.nStyle, row.nBitsPerPixel), row.nKind, false);
    const auto normal = pixel_support::ReadBitmap((HBITMAP)p->m_bmpNormal.GetSafeHandle());
    const auto hot = pixel_support::ReadBitmap((HBITMAP)p->m_bmpHot.GetSafeHandle());
    EXPECT_EQ(Adjusted(row.dNormalL, row.dNormalS), normal.At(5, 5)) << row.nTheme << row.nKind;
    EXPECT_EQ(Adjusted(row.dHotL, row.dHotS), hot.At(5, 5)) << row.nTheme << row.nKind;
    EXPECT_EQ(kKey, hot.At(0, 0));
  }
}

// The third style frames a side marker: centred on the arrow, moved out by the highlight margin,
// then nudged back; the centre cross carries its centre square.
TEST_F(DockMarkers, BuiltinMarkers) {
  const struct {
    int nKind;
    RECT rc;
    CSize size, offset;
  } rows[] = {{0, {184, 51, 218, 83}, {34, 32}, {6, 5}}, {2, {101, 134, 133, 168}, {32, 34}, {5, 6}}};
  PM* pm = InstallStyle(2, 3);
  for (const auto& row : rows) {
    std::unique_ptr<Marker> p(pm->CreateDockMarkerObject());
    ASSERT_TRUE(p->CreateBuiltin(pm, kTarget, true, row.nKind));
    EXPECT_EQ(CRect(row.rc), p->m_rcScreen) << row.nKind;
    EXPECT_EQ(row.size, p->m_size);
    EXPECT_EQ(row.offset, CSize(p->m_nFrameOffsetX, p->m_nFrameOffsetY));
    EXPECT_TRUE(IsLive(p->m_bmpOuter.GetSafeHandle()));
  }
  pm->m_nDockMarkerStyle = 1;
  std::unique_ptr<Marker> p(pm->CreateDockMarkerObject());
  ASSERT_TRUE(p->CreateBuiltin(pm, kTarget, false, 4));
  EXPECT_EQ(CRect(164, 114, 236, 186), p->m_rcScreen);
  EXPECT_FALSE(::PtInRegion((HRGN)p->m_rgnShape.GetSafeHandle(), 5, 5));
  EXPECT_TRUE(::PtInRegion((HRGN)p->m_rgnShape.GetSafeHandle(), 5, 36));
  ASSERT_EQ(1, p->m_arrChildren.GetSize());
  EXPECT_EQ(5, p->m_arrChildren[0]->m_nKind);
  EXPECT_EQ(CRect(188, 138, 212, 162), p->m_arrChildren[0]->m_rcScreen);
}

// Marker windows are made for the marker and its children; the previous ones go first.
TEST_F(DockMarkers, InitMakesTheMarkerWindows) {
  PM* pm = InstallStyle(1, 3);
  ExtDockMarkerWndArray_t arr;
  EXPECT_FALSE(pm->InitDockMarkerWnd(NULL, 0, kTarget, arr));
  FakeMaker maker;
  arr.Add(new FakeMarkerWnd(0, CSize(1, 1)));
  ASSERT_TRUE(pm->InitDockMarkerWnd(NULL, 8, kTarget, arr));
  EXPECT_EQ(1, maker.m_nDeferred);
  ASSERT_EQ(2, arr.GetSize());
  EXPECT_EQ(8, arr[0]->GetMarkerKind());
  EXPECT_EQ(6, arr[1]->GetMarkerKind());
  ASSERT_TRUE(pm->InitDockMarkerWnd(NULL, 1, kTarget, arr));
  ASSERT_EQ(1, arr.GetSize());
  const FakeMarkerWnd* pWnd = static_cast<FakeMarkerWnd*>(arr[0]);
  EXPECT_TRUE(pWnd->m_bOuterFrame);
  for (const CGdiObject* pObject : {(CGdiObject*)&pWnd->m_bmpNormal, (CGdiObject*)&pWnd->m_bmpHot,
                                    (CGdiObject*)&pWnd->m_bmpOuter, (CGdiObject*)&pWnd->m_rgnShape})
    EXPECT_TRUE(IsLive(pObject->GetSafeHandle()));
  // A window that cannot be made fails the request and is destroyed at once.
  maker.m_nFailingKind = 6;
  EXPECT_FALSE(pm->InitDockMarkerWnd(NULL, 8, kTarget, arr));
  EXPECT_EQ(1, arr.GetSize());
  EXPECT_EQ(1, maker.m_nDestroyed);
  maker.DestroyMarkers(arr, false);
}

TEST_F(DockMarkers, OutlineOverMarkerWindowsUnderThePointer) {
  PM* pm = InstallStyle(0, 1);
  DibSurface s(72, 72, kInk);
  FakeMarkerWnd side(0, CSize(24, 24), true), cross(8, CSize(72, 72), true), idle(0, CSize(24, 24));
  pm->PaintDockMarkerWnd(s.dc(), &side, true); // style 1 draws none
  pm->m_nDockMarkerStyle = 2;
  pm->PaintDockMarkerWnd(s.dc(), &idle, true);
  pm->PaintDockMarkerWnd(s.dc(), &side, false);
  for (COLORREF px : s.Pixels())
    ASSERT_EQ(kInk, px);
  const COLORREF o = RGB(0x00, 0x60, 0xC4);
  pm->PaintDockMarkerWnd(s.dc(), &side, true);
  EXPECT_EQ((std::vector<COLORREF>{o, o, kInk, kInk}),
            (std::vector<COLORREF>{s.At(0, 0), s.At(23, 23), s.At(12, 12), s.At(24, 24)}));
  s.Fill(kInk);
  pm->PaintDockMarkerWnd(s.dc(), &cross, true);
  EXPECT_EQ((std::vector<COLORREF>{o, o, o, o, kInk, kInk}),
            (std::vector<COLORREF>{s.At(30, 0), s.At(24, 10), s.At(10, 24), s.At(71, 40), s.At(0, 0),
                                   s.At(36, 36)}));
}

// The highlight over a 20x20 grey buffer: main area (2,2)-(12,12), border 2, maybe a tab below.
std::vector<COLORREF> Highlight(PM* pm, bool bTab) {
  std::vector<DWORD> px(20 * 20, pixel_support::ToDib(kGrey));
  const RECT rcTab = {2, 12, 8, 18};
  pm->PaintDockHighlight(px.data(), 20, 20, RECT{2, 2, 12, 12}, bTab ? &rcTab : NULL, false, (COLORREF)-1,
                         (COLORREF)-1, 2);
  std::vector<COLORREF> out;
  for (DWORD p : px)
    out.push_back(pixel_support::FromDib(p));
  return out;
}

// The grey and the colour averaged, then lightened.
COLORREF Mixed(COLORREF c) {
  return PM::HlsAdjustColor(RGB((100 + GetRValue(c)) / 2, (100 + GetGValue(c)) / 2, (100 + GetBValue(c)) / 2),
                            0, 0.1, 0);
}

TEST_F(DockMarkers, HighlightBlendsFillAndBorderOverTheArea) {
  const ForcedStyle luna = {
      true, L"C:\\Windows\\Resources\\Themes\\Luna\\Luna.msstyles", L"homestead", 0, {}};
  const struct {
    int nTheme, nStyle;
    ForcedStyle style;
    COLORREF clrFill; // -1: the highlight colour
  } rows[] = {
      {0, 1, kNoStyle, (COLORREF)-1}, {1, 3, kNoStyle, RGB(0x00, 0x40, 0xC4)}, {2, 1, luna, 0x83BBAA}};
  for (const auto& row : rows) {
    PM* pm = InstallStyle(row.nTheme, row.nStyle, 32, row.style);
    const COLORREF f =
        Mixed(row.clrFill == (COLORREF)-1 ? pm->ColorByLogicalId(COLOR_HIGHLIGHT) : row.clrFill);
    const COLORREF b = Mixed(pm->ColorByLogicalId(COLOR_3DFACE));
    auto at = [](const std::vector<COLORREF>& px, int x, int y) { return px[y * 20 + x]; };
    std::vector<COLORREF> px = Highlight(pm, false);
    EXPECT_EQ((std::vector<COLORREF>{f, b, b, b, kGrey, kGrey}),
              (std::vector<COLORREF>{at(px, 4, 4), at(px, 3, 6), at(px, 11, 11), at(px, 4, 10), at(px, 1, 1),
                                     at(px, 12, 5)}))
        << row.nTheme;
    // With the tab the outline runs round both: no border where they meet.
    px = Highlight(pm, true);
    EXPECT_EQ((std::vector<COLORREF>{f, f, b, b}),
              (std::vector<COLORREF>{at(px, 4, 10), at(px, 4, 13), at(px, 6, 13), at(px, 4, 17)}));
  }
  // On palette screens a checkerboard of the shadow colour, nothing blended.
  PM* pm = InstallStyle(2, 3, 8);
  const std::vector<COLORREF> px = Highlight(pm, false);
  const COLORREF d = pm->ColorByLogicalId(COLOR_3DSHADOW);
  EXPECT_EQ((std::vector<COLORREF>{d, kGrey, d, kGrey, kGrey}),
            (std::vector<COLORREF>{px[2 * 20 + 2], px[2 * 20 + 3], px[3 * 20 + 3], px[12 * 20 + 12], px[0]}));
}

} // namespace
