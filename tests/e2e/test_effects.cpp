// The effect and caption pages opened from the task sheet's links and worked with the pointer and
// the keys: with one control changed, OK leaves the operation's own picture (the same imaging
// functions run here on the same picture with the same parameters) as one undo step, and Cancel
// leaves picture and history as they were.
// The torn edge is left out: its edge is drawn from rand(), so no second run can repeat it.
#include "tests/e2e/e2e_support.h"

#include "imaging/CommonLib.h"
#include "imaging/GdipEffects.h"
#include "imaging/ImageFile.h"
#include "resources/resource.h"

#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const int kMainMenu = 5001, kOk = 5002, kCancel = 5003;
const int kFirstSlider = 5004, kFirstSliderValue = 5008, kFirstCheck = 5015;
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kUnset = 0xFFFFFFFF; // a colour of the block that no row of the page sets
const CSize kSize(160, 100);

// The pattern's gradients with every other 8 x 8 square inverted: edges for the filters to find.
COLORREF PictureColor(int x, int y) {
  const COLORREF cr = pattern_window::PatternColor(x, y);
  return (x / 8 + y / 8) % 2 == 0 ? cr : cr ^ 0xFFFFFF;
}

// The control the user changes: a slider clicked and then moved with keys (its value shown then),
// a check box clicked, or the caption's text typed over.
struct Change {
  enum Kind { kSlider, kCheck, kText } kind;
  int index;
  std::vector<WORD> keys;
  const char* value;
};
Change Slider(int index, std::vector<WORD> keys, const char* value) {
  return {Change::kSlider, index, keys, value};
}
Change Check(int index) { return {Change::kCheck, index, {}, ""}; }
Change Text(const char* text) { return {Change::kText, 0, {}, text}; }

// The operation as the view runs it: a GDI stage on a copy of the picture, then a GDI+ stage (the
// caption's also needs the font face its page chose).
using GdiStage = void (*)(CCommonLib&, CDC*, CBitmap*);
using GdipStage = void (*)(CGdipEffects&, Gdiplus::Bitmap*&, const std::string& face);

struct Effect {
  const char* name;
  int link;
  int group; // the link that shows the link's group; 0 for the main groups
  Change change;
  GdiStage gdi;
  GdipStage gdip;
};

void PrintTo(const Effect& e, std::ostream* os) { *os << e.name; }

// The edges' drop shadow as the page starts it: grey, opaque, 5 pixels down and right, softer.
void Edge(CCommonLib& lib, CDC* pDC, CBitmap* pBitmap, int nTaskId, int nSize, int nSides, BOOL bShadow) {
  lib.EdgeEffect(pDC, pBitmap, nTaskId, nSize, nSides, kWhite, kUnset, 0, bShadow, 0x666666, 100, 5, 5, 2);
}

// Sides: 1 left, 2 top, 4 right, 8 bottom; the edges start with the right and the bottom.
const Effect kEffects[] = {
    {"SawEdge", 2003, 2001, Check(0),
     [](CCommonLib& lib, CDC* dc, CBitmap* b) { Edge(lib, dc, b, 2003, 8, 13, TRUE); }, nullptr},
    {"SharkEdge", 2004, 2001, Slider(0, {VK_END}, "50"),
     [](CCommonLib& lib, CDC* dc, CBitmap* b) { Edge(lib, dc, b, 2004, 50, 12, TRUE); }, nullptr},
    {"WaveEdge", 2005, 2001, Check(5),
     [](CCommonLib& lib, CDC* dc, CBitmap* b) { Edge(lib, dc, b, 2005, 8, 12, FALSE); }, nullptr},
    {"FadeEdge", 2006, 2001, Check(1), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.FadeEdge(b, 8, 14, kWhite); }},
    {"ShadowEdge", 2007, 2001, Check(0),
     [](CCommonLib& lib, CDC* dc, CBitmap* b) {
       lib.BorderEffect(dc, b, 1, 0, 0, 0x808080, 0x808080, 0x808080);
       lib.ShadowEffect(dc, b, 10, 0, 0, kWhite);
     },
     nullptr},
    {"BeveledEdge", 2008, 2001, Slider(0, {VK_END}, "50"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.BevelEdge(b, 50, 0, kUnset); }},
    {"Border", 2009, 0, Check(0),
     [](CCommonLib& lib, CDC* dc, CBitmap* b) {
       lib.BorderEffect(dc, b, 8, 25, 3, 0xC0C0C0, kWhite, 0x808080);
     },
     nullptr},
    {"Perspective", 2010, 0, Slider(0, {VK_HOME}, "-100"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.Perspective(b, -100, 0, kWhite); }},
    {"Shear", 2011, 0, Slider(0, {VK_HOME}, "-100"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.Shear(b, -100, 0, kWhite); }},
    {"Caption", 2012, 0, Text("Pix 42"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string& face) {
       // 9 points, black, above the picture.
       LOGFONTA lf = {};
       lf.lfHeight = ::MulDiv(9, CWindowDC(CWnd::GetDesktopWindow()).GetDeviceCaps(LOGPIXELSY), 72);
       lf.lfWeight = FW_NORMAL;
       lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
       fx.AddCaption(b, "Pix 42", lf, 0, FALSE, FALSE);
     }},
    {"Blur", 2014, 2013, Slider(0, {VK_END}, "5"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.Blur(b, 5, -1, -1); }},
    {"Emboss", 2015, 2013, Slider(0, {VK_END}, "5"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.Emboss(b, 5, 1); }},
    {"Sharpen", 2016, 2013, Slider(0, {VK_END}, "3"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.Sharpen(b, 3); }},
    {"Solarize", 2017, 2013, Slider(0, {VK_HOME}, "0"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.Solarize(b, 0); }},
    {"BrightnessContrast", 3001, 0, Slider(1, {VK_END}, "100"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) {
       fx.Brightness(b, 30), fx.Contrast(b, 100);
     }},
    {"ColorBalance", 3003, 0, Slider(2, {VK_HOME}, "-250"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.ColorBalance(b, 10, -10, -250); }},
    {"InvertColor", 3004, 0, Check(1), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.InvertColor(b, 1 | 4); }},
    {"Grayscale", 3005, 0, Check(0), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.Grayscale(b, 10, 1); }},
    {"BlackWhite", 3006, 0, Slider(0, {VK_HOME, VK_NEXT}, "51"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.BlackWhite(b, 51); }},
    {"Rotate", 4006, 4001, Slider(0, {VK_HOME, VK_NEXT}, "72"), nullptr,
     [](CGdipEffects& fx, Gdiplus::Bitmap*& b, const std::string&) { fx.RotateByAngle(b, 72, kWhite); }},
};

// The picture the operation makes of the file's picture, from the copy the view keeps when a page
// opens.
Pixels RunDirectly(const Effect& e, const std::string& path, const std::string& face) {
  CBitmap opened, kept, work;
  opened.Attach(LoadPictureOverWhite(path.c_str(), NULL));
  kept.Attach(CCommonLib::DuplicateBitmap((HBITMAP)opened.GetSafeHandle()));
  CBitmap* pStaged = &kept;
  if (e.gdi != nullptr) {
    CWindowDC dc(CWnd::GetDesktopWindow());
    CCommonLib lib;
    work.Attach(CCommonLib::DuplicateBitmap((HBITMAP)kept.GetSafeHandle()));
    e.gdi(lib, &dc, &work);
    pStaged = &work;
  }
  std::unique_ptr<Gdiplus::Bitmap> pResult(
      Gdiplus::Bitmap::FromHBITMAP((HBITMAP)pStaged->GetSafeHandle(), NULL));
  if (e.gdip != nullptr) {
    CGdipEffects fx;
    fx.SetSize((int)pResult->GetWidth(), (int)pResult->GetHeight());
    Gdiplus::Bitmap* pBitmap = pResult.release(); // some operations hand back a new bitmap
    e.gdip(fx, pBitmap, face);
    pResult.reset(pBitmap);
  }
  // The picture as the view keeps it: over opaque white.
  HBITMAP hResult = NULL;
  if (pResult->GetHBITMAP(Gdiplus::Color(0xFF, 0xFF, 0xFF, 0xFF), &hResult) != Gdiplus::Ok)
    return Pixels();
  CBitmap result;
  result.Attach(hResult); // deleted on the way out
  return pixel_support::ReadBitmap(hResult);
}

class EffectPageTest : public E2eTest, public ::testing::WithParamInterface<Effect> {
protected:
  HWND SheetBar() const { return m_app.TaskSheetBar(); }
  HWND Shown(int nId) const { return m_app.ShownInTaskSheet(nId); }
  void Click(HWND hWnd, int x) { XClickInto(hWnd, x); }
  void ClickLink(int nId) { Click(Shown(nId), 30); }
  // From whichever group the sheet shows: "Main Menu", then the group's link, then the link.
  void OpenPage(const Effect& e) {
    if (Shown(e.link) == NULL && (e.group == 0 || Shown(e.group) == NULL)) {
      ASSERT_NO_FATAL_FAILURE(ClickLink(kMainMenu));
      ASSERT_TRUE(
          WaitUntil("the main groups", [&] { return Shown(e.group != 0 ? e.group : e.link) != NULL; }));
    }
    if (Shown(e.link) == NULL) {
      ASSERT_NO_FATAL_FAILURE(ClickLink(e.group));
      ASSERT_TRUE(WaitUntil("the link's group", [&] { return Shown(e.link) != NULL; }));
    }
    ASSERT_NO_FATAL_FAILURE(ClickLink(e.link));
    ASSERT_TRUE(WaitUntil("the page", [&] { return Shown(kOk) != NULL && Shown(e.link) == NULL; }));
  }
  void MakeChange(const Change& change) {
    // The page shows before it lays out its operation's rows: its controls wait in a corner, ten
    // pixels wide, until their row places them.
    const int nId = change.kind == Change::kCheck    ? kFirstCheck + change.index
                    : change.kind == Change::kSlider ? kFirstSlider + change.index
                                                     : IDC_CAPTION_TEXT;
    HWND hControl = NULL;
    ASSERT_TRUE(WaitUntil("the control placed", [&] {
      CRect rc;
      return (hControl = Shown(nId)) != NULL && ::GetWindowRect(hControl, &rc) && rc.Width() > 10;
    }));
    if (change.kind == Change::kCheck)
      return Click(hControl, 8);
    ASSERT_NO_FATAL_FAILURE(Click(hControl, 60));
    ASSERT_TRUE(WaitUntil("the focus", [&] { return GuiState(hControl).hwndFocus == hControl; }));
    if (change.kind == Change::kSlider) {
      for (WORD wKey : change.keys)
        PressKey(wKey);
      const HWND hValue = Shown(kFirstSliderValue + change.index);
      ASSERT_TRUE(WaitUntil(std::string("the value ") + change.value, [&] {
        return m_app.Text(hValue) == change.value;
      })) << m_app.Text(hValue);
    } else {
      PressKey(VK_END);
      PressKey(VK_HOME, MOD_SHIFT);
      TypeText(change.value);
      ASSERT_TRUE(WaitUntil("the text", [&] { return m_app.Text(hControl) == change.value; }));
    }
  }
  void ExpectPicture(const Pixels& px) { E2eTest::ExpectPicture(CSize(px.cx, px.cy), PixelsOf(px)); }
};

TEST_P(EffectPageTest, OkIsTheOperationInOneStepAndCancelChangesNothing) {
  const Effect& e = GetParam();
  const std::string path = SavePicturePng(std::string("e2e_effect_") + e.name + ".png", kSize, PictureColor);
  ASSERT_FALSE(path.empty());
  ASSERT_TRUE(m_app.Start("\"" + path + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, kSize));
  ASSERT_TRUE(m_app.PictureIs(kSize, PictureColor));
  const Pixels original = m_app.ReadPicture(kSize);

  // OK: the operation's picture, one step that Undo takes back.
  ASSERT_NO_FATAL_FAILURE(OpenPage(e));
  ASSERT_NO_FATAL_FAILURE(MakeChange(e.change));
  const HWND hFace = Shown(IDC_CAPTION_FACE);
  const Pixels expected = RunDirectly(e, path, hFace != NULL ? m_app.Text(hFace) : "");
  ASSERT_FALSE(expected.Empty());
  ASSERT_FALSE(expected.cx == original.cx && expected.data == original.data)
      << "the operation changes nothing";
  ASSERT_TRUE(m_app.PictureIs(CSize(expected.cx, expected.cy), PixelsOf(expected))) << "the preview";
  CRect sheet;
  ::GetWindowRect(SheetBar(), &sheet);
  SaveScreenshot(sheet, (std::string("page_") + e.name + ".bmp").c_str());
  ASSERT_NO_FATAL_FAILURE(ClickLink(kOk));
  ASSERT_TRUE(WaitUntil("the main page", [&] { return Shown(kOk) == NULL && Shown(kMainMenu) != NULL; }));
  ExpectPicture(expected);
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(true, false));
  ASSERT_TRUE(m_app.Menu('E', 'U'));
  ExpectPicture(original);
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, true));

  // Cancel after the same change: the picture and the history as they were.
  ASSERT_NO_FATAL_FAILURE(OpenPage(e));
  ASSERT_NO_FATAL_FAILURE(MakeChange(e.change));
  ASSERT_TRUE(m_app.PictureIs(CSize(expected.cx, expected.cy), PixelsOf(expected))) << "the preview again";
  ASSERT_NO_FATAL_FAILURE(ClickLink(kCancel));
  ASSERT_TRUE(WaitUntil("the main page", [&] { return Shown(kCancel) == NULL && Shown(kMainMenu) != NULL; }));
  ExpectPicture(original);
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, true));
  ::DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(TaskSheetPages, EffectPageTest, ::testing::ValuesIn(kEffects),
                         [](const ::testing::TestParamInfo<Effect>& info) { return info.param.name; });

} // namespace
