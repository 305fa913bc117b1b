// CImageItem: ownership of the picture, GDI+ conversions and the zoomed paint with its cut.
#include "imaging/ImageItem.h"
#include "tests/unit/imaging/test_imaging_util.h"

using namespace commonlib_test;
using pixel_support::DibSurface;

namespace {

const COLORREF kWhite = RGB(255, 255, 255), kBack = RGB(0, 255, 0), kInk = RGB(10, 20, 30);

COLORREF Ink(int, int) { return kInk; }

// An item holding a w x h picture of fn, placed at the margin.
void Fill(CImageItem& item, int w, int h, COLORREF (*fn)(int, int) = PatternColor) {
  CBitmap pic;
  MakePicture(pic, w, h, fn);
  item.AttachBitmap(&pic);
}
Pixels Picture(CImageItem& item) { return ReadPixels(*item.GetBitmap()); }
CRect RectOf(const CImageItem& item) {
  CRect rc;
  item.GetRect(&rc);
  return rc;
}

} // namespace

TEST(ImageItemDraw, CoversThePictureScaledAtTheMargin) {
  const std::tuple<int, int, float, CRect> cases[] = {{400, 300, 0.25f, {8, 8, 108, 83}},
                                                      {401, 303, 0.25f, {8, 8, 108, 83}},
                                                      {400, 300, 8.0f, {8, 8, 3208, 2408}},
                                                      {40, 30, 1.5f, {8, 8, 68, 53}}};
  for (const auto& [w, h, z, covered] : cases) {
    CImageItem item;
    Fill(item, w, h, Ink);
    int cx = covered.right + 3, cy = covered.bottom + 3;
    DibSurface s(cx, cy, kBack);
    item.Draw(&s.dc(), 8, 8, 8 + w, 8 + h, z);
    std::vector<COLORREF> px = s.Pixels();
    CRect box;
    long long nInk = 0;
    for (int i = 0; i < (int)px.size(); i++)
      if (px[i] == kInk)
        nInk++, box.UnionRect(box, CRect(i % cx, i / cx, i % cx + 1, i / cx + 1));
    EXPECT_EQ(covered, box) << w << "x" << h << " at " << z;
    EXPECT_EQ((long long)covered.Width() * covered.Height(), nInk) << w << "x" << h << " at " << z;
    EXPECT_EQ(CRect(8, 8, 8 + w, 8 + h), RectOf(item));
  }
}

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

TEST(ImageItem, OwnsTheAttachedHandleAndDeletesItWhenReplaced) {
  HGDIOBJ hFirst, hSecond;
  {
    CImageItem item;
    CBitmap first, second;
    MakeSolid(first, 30, 20, kInk);
    MakeSolid(second, 12, 5, kInk);
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

TEST(ImageItem, TakesAGdipPictureOverWhiteAndKeepsItsOwnWhenConversionFails) {
  CImageItem item;
  Fill(item, 5, 5);
  HGDIOBJ hOld = item.GetBitmap()->GetSafeHandle();
  item.SetRect(3, 3, 4, 4);
  item.SetFromGdipBitmap(gdiptest::FromPixels(3, 1, {0x00FF0000, 0xFF0000FF, 0x00000000}).release());
  const Pixels expected = PixelsOf(3, 1, [](int x, int) { return x == 1 ? RGB(0, 0, 255) : kWhite; });
  EXPECT_EQ(std::make_tuple(CRect(8, 8, 11, 9), expected, 0ul),
            std::make_tuple(RectOf(item), Picture(item), (unsigned long)::GetObjectType(hOld)));

  HGDIOBJ hBefore = item.GetBitmap()->GetSafeHandle();
  item.SetFromGdipBitmap(new Gdiplus::Bitmap(0, 0, PixelFormat32bppARGB));
  item.SetFromGdipBitmap(NULL);
  EXPECT_EQ(std::make_tuple(hBefore, CRect(8, 8, 11, 9), expected),
            std::make_tuple((HGDIOBJ)item.GetBitmap()->GetSafeHandle(), RectOf(item), Picture(item)));
}

TEST(ImageItem, GdipCopyHasThePicturesPixels) {
  CImageItem empty, item;
  EXPECT_EQ(nullptr, empty.CreateGdipBitmap());
  Fill(item, 23, 17);
  gdiptest::BitmapPtr copy(item.CreateGdipBitmap());
  ASSERT_TRUE(copy);
  Pixels got{{23, 17, {}}};
  for (DWORD v : gdiptest::ReadPixels(copy.get()))
    got.data.push_back(pixel_support::FromDib(v));
  EXPECT_EQ(PixelsOf(23, 17, PatternColor), got);
}
