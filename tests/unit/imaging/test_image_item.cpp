// CImageItem: ownership of the picture, GDI+ conversions and the zoomed paint with its cut.
#include "imaging/ImageItem.h"
#include "tests/common/import_patch.h"
#include "tests/unit/imaging/test_imaging_util.h"

using namespace commonlib_test;
using pixel_support::DibSurface;

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBack = RGB(0, 255, 0), kInk = RGB(10, 20, 30);

COLORREF Ink(int, int) { return kInk; }

// An item holding a w x h picture of fn, placed at the margin.
void Fill(CImageItem& item, int w, int h, COLORREF (*fn)(int, int) = PatternColor) {
  CBitmap pic;
  MakePicture(DisplayDC().Get(), pic, w, h, fn);
  item.AttachBitmap(&pic);
}
Pixels Picture(CImageItem& item) { return ReadPixels(DisplayDC().Get(), *item.GetBitmap()); }
CRect RectOf(const CImageItem& item) {
  CRect rc;
  item.GetRect(&rc);
  return rc;
}

// The view's canvas buffer: 150 x 110 pixels from canvas point (ox, oy), clipped to the canvas
// rectangle clip unless it is empty.
struct View {
  int ox, oy;
  CRect clip;
  std::unique_ptr<DibSurface> Make() const {
    std::unique_ptr<DibSurface> s(new DibSurface(150, 110, kBack));
    s->dc().SetWindowOrg(ox, oy);
    if (!clip.IsRectEmpty())
      s->dc().IntersectClipRect(&clip);
    return s;
  }
};

// The whole picture stretched in one blit, what every paint of the item must equal.
void StretchWhole(CDC& dc, CBitmap& pic, float z) {
  BITMAP bm;
  pic.GetBitmap(&bm);
  CDC src;
  src.CreateCompatibleDC(&dc);
  CGdiObject* pOld = src.SelectObject(&pic);
  dc.SetStretchBltMode(COLORONCOLOR);
  dc.StretchBlt(8, 8, (int)(bm.bmWidth * z), (int)(bm.bmHeight * z), &src, 0, 0, bm.bmWidth, bm.bmHeight,
                SRCCOPY);
  src.SelectObject(pOld);
}

decltype(&::StretchBlt) g_pRealStretchBlt = NULL;
long long g_nSourcePixels = 0;
BOOL WINAPI CountingStretchBlt(HDC hDst, int x, int y, int cx, int cy, HDC hSrc, int xs, int ys, int cxs,
                               int cys, DWORD rop) {
  g_nSourcePixels += (long long)cxs * cys;
  return g_pRealStretchBlt(hDst, x, y, cx, cy, hSrc, xs, ys, cxs, cys, rop);
}

} // namespace

TEST(ImageItemDraw, CoversThePictureScaledAtTheMargin) {
  struct Case {
    int w, h;
    float z;
    CRect covered;
  } const cases[] = {{400, 300, 0.25f, {8, 8, 108, 83}},
                     {401, 303, 0.25f, {8, 8, 108, 83}},
                     {400, 300, 8.0f, {8, 8, 3208, 2408}},
                     {40, 30, 1.5f, {8, 8, 68, 53}}};
  for (const Case& c : cases) {
    CImageItem item;
    Fill(item, c.w, c.h, Ink);
    int cx = c.covered.right + 3, cy = c.covered.bottom + 3;
    DibSurface s(cx, cy, kBack);
    item.Draw(&s.dc(), 8, 8, 8 + c.w, 8 + c.h, c.z);
    std::vector<COLORREF> px = s.Pixels();
    CRect box;
    long long nInk = 0;
    for (int i = 0; i < (int)px.size(); i++)
      if (px[i] == kInk)
        nInk++, box.UnionRect(box, CRect(i % cx, i / cx, i % cx + 1, i / cx + 1));
    EXPECT_EQ(c.covered, box) << c.w << "x" << c.h << " at " << c.z;
    EXPECT_EQ((long long)c.covered.Width() * c.covered.Height(), nInk) << c.w << "x" << c.h << " at " << c.z;
    EXPECT_EQ(CRect(8, 8, 8 + c.w, 8 + c.h), RectOf(item));
  }
}

// Any scroll offset and clip box shows the same pixels as one stretch of the whole picture.
TEST(ImageItemDraw, PaintsLikeAWholeStretchAtAnyOffsetAndClip) {
  const View views[] = {{0, 0, {}},
                        {13, 7, {}},
                        {301, 123, {}},
                        {-21, -9, {}},
                        {45, 33, {62, 44, 131, 97}},
                        {5, 5, {400, 400, 420, 420}}};
  CImageItem item;
  Fill(item, 97, 61);
  for (float z : {0.5f, 1.0f, 2.0f, 4.0f, 8.0f})
    for (const View& v : views) {
      std::unique_ptr<DibSurface> got = v.Make(), want = v.Make();
      item.Draw(&got->dc(), 8, 8, 8 + 97, 8 + 61, z);
      StretchWhole(want->dc(), *item.GetBitmap(), z);
      EXPECT_TRUE(got->Pixels() == want->Pixels()) << "zoom " << z << " from " << v.ox << "," << v.oy;
    }
}

TEST(ImageItemDraw, BlitsOnlyThePixelsThatReachTheClipBoxAtWholeZooms) {
  CImageItem item;
  Fill(item, 400, 300);
  g_pRealStretchBlt = reinterpret_cast<decltype(&::StretchBlt)>(
      ::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "StretchBlt"));
  CImportPatch patch("gdi32.dll", "StretchBlt", reinterpret_cast<FARPROC>(&CountingStretchBlt));
  ASSERT_TRUE(patch.Applied());
  g_nSourcePixels = 0;
  std::unique_ptr<DibSurface> s = View{1600, 1200, {}}.Make();
  item.Draw(&s->dc(), 8, 8, 408, 308, 8.0f);
  EXPECT_GT(g_nSourcePixels, 0);
  EXPECT_LE(g_nSourcePixels, (150 / 8 + 2) * (110 / 8 + 2));
}

// A rectangle of another size cuts the picture from (left - 8, top - 8) or enlarges it with white.
TEST(ImageItemDraw, RectangleOfAnotherSizeCutsOrEnlargesThePicture) {
  struct Case {
    const char* name;
    CRect given, after;
    int dx, dy; // picture point shown at the new (0, 0)
  } const cases[] = {{"narrower", {8, 8, 38, 38}, {8, 8, 38, 38}, 0, 0},
                     {"larger", {8, 8, 58, 48}, {8, 8, 58, 48}, 0, 0},
                     {"cut from inside", {10, 9, 40, 30}, {8, 8, 38, 29}, 2, 1},
                     {"same size elsewhere", {20, 30, 60, 60}, {8, 8, 48, 38}, 0, 0},
                     {"empty: nothing to cut", {8, 8, 8, 38}, {8, 8, 48, 38}, 0, 0}};
  for (const Case& c : cases) {
    CImageItem item;
    Fill(item, 40, 30);
    HGDIOBJ hBefore = item.GetBitmap()->GetSafeHandle();
    DibSurface s(80, 80, kBack);
    item.Draw(&s.dc(), c.given.left, c.given.top, c.given.right, c.given.bottom, 1.0f);
    EXPECT_EQ(c.after, RectOf(item)) << c.name;
    EXPECT_EQ(Picture(item), PixelsOf(c.after.Width(), c.after.Height(),
                                      [&](int x, int y) {
                                        x += c.dx, y += c.dy;
                                        return x < 40 && y < 30 ? PatternColor(x, y) : kWhite;
                                      }))
        << c.name;
    EXPECT_EQ(c.after.Size() == CSize(40, 30), item.GetBitmap()->GetSafeHandle() == hBefore) << c.name;
    EXPECT_EQ(PatternColor(c.dx, c.dy), s.At(8, 8)) << c.name;
  }
}

TEST(ImageItemDraw, ColumnsCutAwayStayLost) {
  CImageItem item;
  Fill(item, 40, 30);
  DibSurface s(60, 50, kBack);
  item.Draw(&s.dc(), 8, 8, 38, 38, 1.0f);
  item.Draw(&s.dc(), 8, 8, 48, 38, 1.0f);
  EXPECT_EQ(Picture(item),
            PixelsOf(40, 30, [](int x, int y) { return x < 30 ? PatternColor(x, y) : kWhite; }));
}

TEST(ImageItem, OwnsTheAttachedHandleAndDeletesItWhenReplaced) {
  HGDIOBJ hFirst, hSecond;
  {
    CImageItem item;
    CBitmap first, second;
    MakeSolid(DisplayDC().Get(), first, 30, 20, kInk);
    MakeSolid(DisplayDC().Get(), second, 12, 5, kInk);
    hFirst = first.GetSafeHandle(), hSecond = second.GetSafeHandle();
    item.SetRect(0, 0, 1, 1);
    item.AttachBitmap(&first);
    EXPECT_EQ(hFirst, item.GetBitmap()->GetSafeHandle());
    EXPECT_EQ(NULL, first.GetSafeHandle()); // destroying the source leaves the picture alone
    EXPECT_EQ(CRect(8, 8, 38, 28), RectOf(item));
    item.AttachBitmap(&second);
    EXPECT_EQ(0u, ::GetObjectType(hFirst));
    EXPECT_EQ(CRect(8, 8, 20, 13), RectOf(item));
    item.AttachBitmap(&first); // empty now: changes nothing
    EXPECT_EQ(hSecond, item.GetBitmap()->GetSafeHandle());
  }
  EXPECT_EQ(0u, ::GetObjectType(hSecond));
}

TEST(ImageItem, TakesAGdipPictureOverWhite) {
  CImageItem item;
  Fill(item, 5, 5);
  HGDIOBJ hOld = item.GetBitmap()->GetSafeHandle();
  item.SetRect(3, 3, 4, 4);
  item.SetFromGdipBitmap(gdiptest::FromPixels(3, 1, {0x00FF0000, 0xFF0000FF, 0x00000000}).release());
  EXPECT_EQ(CRect(8, 8, 11, 9), RectOf(item));
  EXPECT_EQ(Picture(item), PixelsOf(3, 1, [](int x, int) { return x == 1 ? RGB(0, 0, 255) : kWhite; }));
  EXPECT_EQ(0u, ::GetObjectType(hOld));
}

TEST(ImageItem, FailedConversionKeepsThePicture) {
  CImageItem item;
  Fill(item, 6, 4);
  HGDIOBJ hBefore = item.GetBitmap()->GetSafeHandle();
  item.SetFromGdipBitmap(new Gdiplus::Bitmap(0, 0, PixelFormat32bppARGB));
  item.SetFromGdipBitmap(NULL);
  EXPECT_EQ(hBefore, item.GetBitmap()->GetSafeHandle());
  EXPECT_EQ(CRect(8, 8, 14, 12), RectOf(item));
  EXPECT_EQ(Picture(item), PixelsOf(6, 4, PatternColor));
}

TEST(ImageItem, GdipCopyHasThePicturesPixels) {
  CImageItem empty, item;
  EXPECT_EQ(nullptr, empty.CreateGdipBitmap());
  Fill(item, 23, 17);
  gdiptest::BitmapPtr copy(item.CreateGdipBitmap());
  ASSERT_TRUE(copy);
  Pixels got{23, 17, {}};
  for (DWORD v : gdiptest::ReadPixels(copy.get()))
    got.data.push_back(pixel_support::FromDib(v));
  EXPECT_EQ(PixelsOf(23, 17, PatternColor), got);
}
