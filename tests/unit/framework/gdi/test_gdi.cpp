// GDI object wrappers, temporary handle maps, image lists and the floating-point build settings.
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT kObmCheck = 32760; // OBM_CHECK

// Points the resource handle at another module for one test.
class ResourceHandleScope {
public:
  explicit ResourceHandleScope(HINSTANCE hInst) { AfxSetResourceHandle(hInst); }
  ~ResourceHandleScope() { AfxSetResourceHandle(NULL); }
};

// comctl32 carries the standard tool-bar strips (bitmap 120: 16x16 images).
HINSTANCE CommonControlsModule() { return ::LoadLibraryA("comctl32.dll"); }

} // namespace

// ---------------------------------------------------------------------------------------------
// Ownership

TEST(GdiObject, DestructorDeletesTheAttachedHandle) {
  HGDIOBJ hPen;
  {
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    hPen = pen.m_hObject;
    EXPECT_EQ(OBJ_PEN, (int)::GetObjectType(hPen));
  }
  EXPECT_EQ(0, (int)::GetObjectType(hPen));
}

TEST(GdiObject, DetachedHandleSurvivesTheWrapper) {
  HGDIOBJ hBrush;
  {
    CBrush brush(RGB(4, 5, 6));
    hBrush = brush.Detach();
    EXPECT_EQ(nullptr, brush.m_hObject);
    EXPECT_FALSE(brush.DeleteObject());
  }
  EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(hBrush));
  ::DeleteObject(hBrush);
}

TEST(GdiObject, AttachEntersAndDetachLeavesThePermanentMap) {
  CGdiObject object;
  EXPECT_FALSE(object.Attach(NULL));
  const int nPermanent = AfxGetPermanentMapCount();
  HPEN hPen = ::CreatePen(PS_SOLID, 1, 0);
  ASSERT_TRUE(object.Attach(hPen));
  EXPECT_EQ(nPermanent + 1, AfxGetPermanentMapCount());
  EXPECT_EQ(&object, CGdiObject::FromHandle(hPen));
  EXPECT_EQ(hPen, object.Detach());
  EXPECT_EQ(nPermanent, AfxGetPermanentMapCount());
  ::DeleteObject(hPen);
  AfxDeleteTempMaps();
}

TEST(GdiObject, StockObjectAndGenericQueries) {
  CGdiObject object;
  ASSERT_TRUE(object.CreateStockObject(WHITE_PEN));
  EXPECT_EQ(::GetStockObject(WHITE_PEN), (HGDIOBJ)object);
  EXPECT_EQ((UINT)OBJ_PEN, object.GetObjectType());
  LOGPEN logPen = {};
  EXPECT_EQ((int)sizeof(LOGPEN), object.GetObject(sizeof(logPen), &logPen));
  EXPECT_EQ(RGB(255, 255, 255), logPen.lopnColor);
  const CGdiObject* pNone = nullptr;
  EXPECT_EQ(nullptr, pNone->GetSafeHandle());
  EXPECT_EQ(object.m_hObject, object.GetSafeHandle());
}

// ---------------------------------------------------------------------------------------------
// Typed objects

TEST(GdiPen, CreatorsRecordTheirStyle) {
  CPen pen(PS_DASH, 1, RGB(10, 20, 30));
  LOGPEN logPen = {};
  ASSERT_EQ((int)sizeof(LOGPEN), pen.GetLogPen(&logPen));
  EXPECT_EQ((UINT)PS_DASH, logPen.lopnStyle);
  EXPECT_EQ(RGB(10, 20, 30), logPen.lopnColor);

  CPen copy;
  ASSERT_TRUE(copy.CreatePenIndirect(&logPen));
  LOGPEN logCopy = {};
  copy.GetLogPen(&logCopy);
  EXPECT_EQ(logPen.lopnColor, logCopy.lopnColor);

  LOGBRUSH logBrush = {BS_SOLID, RGB(7, 8, 9), 0};
  CPen geometric;
  ASSERT_TRUE(geometric.ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 3, &logBrush));
  EXPECT_EQ((UINT)OBJ_EXTPEN, geometric.GetObjectType());
  EXTLOGPEN extPen = {};
  geometric.GetExtLogPen(&extPen);
  EXPECT_EQ(3u, extPen.elpWidth);
  EXPECT_EQ(RGB(7, 8, 9), extPen.elpColor);
  EXPECT_EQ(&geometric, CPen::FromHandle((HPEN)geometric.m_hObject));
}

TEST(GdiBrush, EveryCreatorMakesTheRightKind) {
  LOGBRUSH logBrush = {};
  CBrush solid(RGB(1, 2, 3));
  solid.GetLogBrush(&logBrush);
  EXPECT_EQ((UINT)BS_SOLID, logBrush.lbStyle);
  EXPECT_EQ(RGB(1, 2, 3), logBrush.lbColor);

  CBrush hatch(HS_DIAGCROSS, RGB(4, 5, 6));
  hatch.GetLogBrush(&logBrush);
  EXPECT_EQ((UINT)BS_HATCHED, logBrush.lbStyle);
  EXPECT_EQ((ULONG_PTR)HS_DIAGCROSS, logBrush.lbHatch);

  static const WORD kBits[8] = {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0};
  CBitmap pattern;
  ASSERT_TRUE(pattern.CreateBitmap(8, 8, 1, 1, kBits));
  CBrush patterned(&pattern);
  patterned.GetLogBrush(&logBrush);
  EXPECT_EQ((UINT)BS_PATTERN, logBrush.lbStyle);

  CBrush system;
  ASSERT_TRUE(system.CreateSysColorBrush(COLOR_BTNFACE));
  system.GetLogBrush(&logBrush);
  EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), logBrush.lbColor);

  LOGBRUSH request = {BS_SOLID, RGB(9, 9, 9), 0};
  CBrush indirect;
  ASSERT_TRUE(indirect.CreateBrushIndirect(&request));
  indirect.GetLogBrush(&logBrush);
  EXPECT_EQ(RGB(9, 9, 9), logBrush.lbColor);
  EXPECT_TRUE(indirect.UnrealizeObject());
}

TEST(GdiBrush, ConstructorThrowsWhenTheBrushCannotBeMade) {
  CBitmap noBitmap;
  bool bThrown = false;
  try {
    CBrush brush(&noBitmap);
  } catch (CResourceException* e) {
    bThrown = true;
    e->Delete();
  }
  EXPECT_TRUE(bThrown);
}

TEST(GdiFont, CreateFontKeepsTheRequest) {
  CFont font;
  ASSERT_TRUE(font.CreateFont(-13, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma"));
  LOGFONTA logFont = {};
  ASSERT_EQ((int)sizeof(LOGFONTA), font.GetLogFont(&logFont));
  EXPECT_EQ(-13, logFont.lfHeight);
  EXPECT_EQ(FW_BOLD, logFont.lfWeight);
  EXPECT_EQ(TRUE, logFont.lfItalic);
  EXPECT_STREQ("Tahoma", logFont.lfFaceName);

  CFont copy;
  ASSERT_TRUE(copy.CreateFontIndirect(&logFont));
  LOGFONTA logCopy = {};
  copy.GetLogFont(&logCopy);
  EXPECT_EQ(0, memcmp(&logFont, &logCopy, sizeof(LOGFONTA)));
}

TEST(GdiBitmap, CreateAndExchangeBits) {
  static const BYTE kBits[4] = {0xF0, 0x0F, 0xAA, 0x55}; // 16x2, one bit deep, word-aligned rows
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateBitmap(16, 2, 1, 1, kBits));
  BITMAP bm = {};
  ASSERT_EQ((int)sizeof(BITMAP), bitmap.GetBitmap(&bm));
  EXPECT_EQ(16, bm.bmWidth);
  EXPECT_EQ(2, bm.bmHeight);
  EXPECT_EQ(1, bm.bmBitsPixel);

  BYTE read[4] = {};
  EXPECT_EQ(4u, bitmap.GetBitmapBits(sizeof(read), read));
  EXPECT_EQ(0, memcmp(kBits, read, sizeof(read)));
  static const BYTE kNew[4] = {1, 2, 3, 4};
  EXPECT_EQ(4u, bitmap.SetBitmapBits(sizeof(kNew), kNew));
  bitmap.GetBitmapBits(sizeof(read), read);
  EXPECT_EQ(0, memcmp(kNew, read, sizeof(read)));

  CBitmap copy;
  bm.bmBits = (LPVOID)kBits;
  ASSERT_TRUE(copy.CreateBitmapIndirect(&bm));
  EXPECT_EQ((HBITMAP)copy.m_hObject, (HBITMAP)copy);
}

TEST(GdiBitmap, CompatibleBitmapTakesTheDepthOfTheDC) {
  CClientDC screen(NULL);
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 5, 3));
  BITMAP bm = {};
  bitmap.GetBitmap(&bm);
  EXPECT_EQ(5, bm.bmWidth);
  EXPECT_EQ(3, bm.bmHeight);
  EXPECT_EQ(screen.GetDeviceCaps(BITSPIXEL), bm.bmBitsPixel);
}

TEST(GdiBitmap, LoadsFromTheResourceHandleAndTheSystem) {
  CBitmap check;
  ASSERT_TRUE(check.LoadOEMBitmap(kObmCheck));
  BITMAP bm = {};
  check.GetBitmap(&bm);
  EXPECT_GT(bm.bmWidth, 0);

  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap("NoSuchBitmap"));
  EXPECT_EQ(nullptr, missing.m_hObject);

  ResourceHandleScope scope(CommonControlsModule());
  CBitmap strip;
  ASSERT_TRUE(strip.LoadBitmap(120));
  strip.GetBitmap(&bm);
  EXPECT_EQ(16, bm.bmHeight);
  EXPECT_EQ(0, bm.bmWidth % 16);
}

TEST(GdiPalette, EntriesAndSearch) {
  std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 3 * sizeof(PALETTEENTRY));
  LOGPALETTE* pLogPal = reinterpret_cast<LOGPALETTE*>(buffer.data());
  pLogPal->palVersion = 0x300;
  pLogPal->palNumEntries = 4;
  const PALETTEENTRY kEntries[4] = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
  memcpy(pLogPal->palPalEntry, kEntries, sizeof(kEntries));

  CPalette palette;
  ASSERT_TRUE(palette.CreatePalette(pLogPal));
  EXPECT_EQ(4, palette.GetEntryCount());
  EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(10, 240, 5)));

  PALETTEENTRY entry = {12, 34, 56, 0};
  EXPECT_EQ(1u, palette.SetPaletteEntries(3, 1, &entry));
  PALETTEENTRY read[4] = {};
  EXPECT_EQ(4u, palette.GetPaletteEntries(0, 4, read));
  EXPECT_EQ(255, read[1].peRed);
  EXPECT_EQ(34, read[3].peGreen);

  EXPECT_TRUE(palette.ResizePalette(8));
  EXPECT_EQ(8, palette.GetEntryCount());

  CClientDC screen(NULL);
  CPalette halftone;
  ASSERT_TRUE(halftone.CreateHalftonePalette(&screen));
  EXPECT_GT(halftone.GetEntryCount(), 0);
}

TEST(GdiRgn, CombineAndQuery) {
  CRgn outer, inner, ring;
  ASSERT_TRUE(outer.CreateRectRgn(0, 0, 20, 20));
  ASSERT_TRUE(inner.CreateRectRgnIndirect(CRect(5, 5, 15, 15)));
  ASSERT_TRUE(ring.CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(COMPLEXREGION, ring.CombineRgn(&outer, &inner, RGN_DIFF));
  EXPECT_TRUE(ring.PtInRegion(2, 2));
  EXPECT_FALSE(ring.PtInRegion(CPoint(10, 10)));
  EXPECT_TRUE(ring.RectInRegion(CRect(0, 0, 6, 6)));
  EXPECT_FALSE(ring.RectInRegion(CRect(6, 6, 14, 14)));
  CRect box;
  EXPECT_EQ(COMPLEXREGION, ring.GetRgnBox(&box));
  EXPECT_EQ(CRect(0, 0, 20, 20), box);

  CRgn copy;
  ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
  copy.CopyRgn(&ring);
  EXPECT_TRUE(copy.EqualRgn(&ring));
  EXPECT_EQ(COMPLEXREGION, copy.OffsetRgn(CPoint(3, 4)));
  EXPECT_FALSE(copy.EqualRgn(&ring));
  copy.GetRgnBox(&box);
  EXPECT_EQ(CRect(3, 4, 23, 24), box);

  copy.SetRectRgn(CRect(1, 1, 2, 2));
  EXPECT_EQ(SIMPLEREGION, copy.GetRgnBox(&box));
  EXPECT_EQ(CRect(1, 1, 2, 2), box);
}

TEST(GdiRgn, OtherCreators) {
  CRgn ellipse, round, polygon, polyPolygon;
  ASSERT_TRUE(ellipse.CreateEllipticRgnIndirect(CRect(0, 0, 20, 10)));
  EXPECT_TRUE(ellipse.PtInRegion(10, 5));
  EXPECT_FALSE(ellipse.PtInRegion(0, 0));
  ASSERT_TRUE(round.CreateRoundRectRgn(0, 0, 20, 20, 10, 10));
  EXPECT_FALSE(round.PtInRegion(0, 0));
  EXPECT_TRUE(round.PtInRegion(10, 0));

  const POINT kTriangle[3] = {{0, 0}, {20, 0}, {0, 20}};
  ASSERT_TRUE(polygon.CreatePolygonRgn(kTriangle, 3, ALTERNATE));
  EXPECT_TRUE(polygon.PtInRegion(2, 2));
  EXPECT_FALSE(polygon.PtInRegion(18, 18));

  const POINT kSquares[8] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {10, 10}, {14, 10}, {14, 14}, {10, 14}};
  const INT kCounts[2] = {4, 4};
  ASSERT_TRUE(polyPolygon.CreatePolyPolygonRgn(kSquares, kCounts, 2, ALTERNATE));
  EXPECT_TRUE(polyPolygon.PtInRegion(12, 12));
  EXPECT_FALSE(polyPolygon.PtInRegion(7, 7));
}

TEST(GdiRgn, DataAndPathRoundTrips) {
  // Built from rectangles: Wine re-coalesces the bands of curved regions, which EqualRgn then tells apart.
  CRgn source, hole;
  source.CreateRectRgn(0, 0, 30, 20);
  hole.CreateRectRgn(5, 5, 15, 15);
  source.CombineRgn(&source, &hole, RGN_DIFF);
  const int nSize = source.GetRegionData(NULL, 0);
  ASSERT_GT(nSize, (int)sizeof(RGNDATAHEADER));
  std::vector<BYTE> data(nSize);
  ASSERT_EQ(nSize, source.GetRegionData(reinterpret_cast<LPRGNDATA>(data.data()), nSize));
  CRgn rebuilt;
  ASSERT_TRUE(rebuilt.CreateFromData(NULL, nSize, reinterpret_cast<const RGNDATA*>(data.data())));
  EXPECT_TRUE(rebuilt.EqualRgn(&source));

  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
  dc.BeginPath();
  dc.Rectangle(2, 3, 12, 9);
  dc.EndPath();
  CRgn path;
  ASSERT_TRUE(path.CreateFromPath(&dc));
  CRect box;
  path.GetRgnBox(&box);
  EXPECT_EQ(2, box.left);
  EXPECT_EQ(3, box.top);
  EXPECT_NEAR(12, box.right, 1);
  EXPECT_NEAR(9, box.bottom, 1);
}

// ---------------------------------------------------------------------------------------------
// Temporary maps

TEST(GdiTempMap, NullHandlesHaveNoWrapper) {
  EXPECT_EQ(nullptr, CGdiObject::FromHandle(NULL));
  EXPECT_EQ(nullptr, CPen::FromHandle(NULL));
  EXPECT_EQ(nullptr, CBrush::FromHandle(NULL));
  EXPECT_EQ(nullptr, CFont::FromHandle(NULL));
  EXPECT_EQ(nullptr, CBitmap::FromHandle(NULL));
  EXPECT_EQ(nullptr, CPalette::FromHandle(NULL));
  EXPECT_EQ(nullptr, CRgn::FromHandle(NULL));
  EXPECT_EQ(nullptr, CDC::FromHandle(NULL));
  EXPECT_EQ(nullptr, CImageList::FromHandle(NULL));
}

TEST(GdiTempMap, PermanentWrapperAnswersForItsHandle) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
  EXPECT_EQ(&font, CFont::FromHandle((HFONT)font.m_hObject));
  EXPECT_EQ(&font, CGdiObject::FromHandle(font.m_hObject));
}

TEST(GdiTempMap, TemporaryIsMadeOncePerHandleAndNeverDeletesIt) {
  AfxDeleteTempMaps();
  const int nTemps = AfxGetTempMapCount();
  HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 1, 1));

  CBrush* pBrush = CBrush::FromHandle(hBrush);
  ASSERT_NE(nullptr, pBrush);
  EXPECT_EQ(hBrush, (HBRUSH)*pBrush);
  EXPECT_EQ(pBrush, CBrush::FromHandle(hBrush));
  EXPECT_EQ(pBrush, CGdiObject::FromHandle(hBrush));
  EXPECT_EQ(nTemps + 1, AfxGetTempMapCount());
  // A brush handle is no pen.
  EXPECT_EQ(nullptr, CPen::FromHandle(reinterpret_cast<HPEN>(hBrush)));

  AfxDeleteTempMaps();
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
  EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(hBrush));
  ::DeleteObject(hBrush);
}

TEST(GdiTempMap, TemporariesTakeTheClassOfTheirObject) {
  struct {
    int nStock;
    const CRuntimeClass* pClass;
  } const kStock[] = {{BLACK_PEN, RUNTIME_CLASS(CPen)},
                      {WHITE_BRUSH, RUNTIME_CLASS(CBrush)},
                      {SYSTEM_FONT, RUNTIME_CLASS(CFont)},
                      {DEFAULT_PALETTE, RUNTIME_CLASS(CPalette)}};
  for (const auto& stock : kStock) {
    CGdiObject* pObject = CGdiObject::FromHandle(::GetStockObject(stock.nStock));
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(stock.pClass, pObject->GetRuntimeClass()) << stock.nStock;
  }
  HRGN hRgn = ::CreateRectRgn(0, 0, 1, 1);
  EXPECT_TRUE(CGdiObject::FromHandle(hRgn)->IsKindOf(RUNTIME_CLASS(CRgn)));
  AfxDeleteTempMaps();
  ::DeleteObject(hRgn);
}

TEST(GdiTempMap, BaseClassPermanentWrapperStillYieldsATypedWrapper) {
  CGdiObject generic;
  generic.CreateStockObject(NULL_PEN);
  CPen* pPen = CPen::FromHandle((HPEN)generic.m_hObject);
  ASSERT_NE(nullptr, pPen);
  EXPECT_NE(static_cast<CGdiObject*>(pPen), &generic);
  EXPECT_EQ(generic.m_hObject, pPen->m_hObject);
  EXPECT_EQ(&generic, CGdiObject::FromHandle(generic.m_hObject));
  AfxDeleteTempMaps();
}

TEST(GdiTempMap, LocksDeferTheCleanUpUntilTheLastUnlock) {
  AfxDeleteTempMaps();
  const int nTemps = AfxGetTempMapCount();
  HPEN hPen = ::CreatePen(PS_SOLID, 2, 0);

  AfxLockTempMaps();
  AfxLockTempMaps();
  CPen* pPen = CPen::FromHandle(hPen);
  AfxDeleteTempMaps();
  EXPECT_EQ(nTemps + 1, AfxGetTempMapCount());
  EXPECT_EQ(pPen, CPen::FromHandle(hPen));

  EXPECT_TRUE(AfxUnlockTempMaps()); // still locked once
  EXPECT_EQ(nTemps + 1, AfxGetTempMapCount());
  EXPECT_FALSE(AfxUnlockTempMaps());
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
  EXPECT_EQ(OBJ_PEN, (int)::GetObjectType(hPen));

  AfxLockTempMaps();
  CPen::FromHandle(hPen);
  EXPECT_FALSE(AfxUnlockTempMaps(FALSE)); // unlocked but asked to keep them
  EXPECT_EQ(nTemps + 1, AfxGetTempMapCount());
  AfxDeleteTempMaps();
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
  ::DeleteObject(hPen);
}

TEST(GdiTempMap, TemporaryDCBorrowsBothHandles) {
  AfxDeleteTempMaps();
  const int nTemps = AfxGetTempMapCount();
  HDC hDC = ::CreateCompatibleDC(NULL);
  CDC* pDC = CDC::FromHandle(hDC);
  ASSERT_NE(nullptr, pDC);
  EXPECT_EQ(hDC, pDC->m_hDC);
  EXPECT_EQ(hDC, pDC->m_hAttribDC);
  EXPECT_EQ(pDC, CDC::FromHandle(hDC));
  AfxDeleteTempMaps();
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
  EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC));
  ::DeleteDC(hDC);
}

TEST(GdiTempMap, TemporaryThatDeletesItsHandleIsStillFreed) {
  AfxDeleteTempMaps();
  const int nTemps = AfxGetTempMapCount();
  HBITMAP hBitmap = ::CreateBitmap(2, 2, 1, 1, NULL);
  CBitmap* pBitmap = CBitmap::FromHandle(hBitmap);
  EXPECT_TRUE(pBitmap->DeleteObject());
  EXPECT_EQ(0, (int)::GetObjectType(hBitmap));
  EXPECT_EQ(nTemps + 1, AfxGetTempMapCount()); // callers may still hold the wrapper
  AfxDeleteTempMaps();
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
}

namespace {

struct ThreadProbe {
  HPEN hPen;
  CPen* pWrapper;
  int nTemps;
};

DWORD WINAPI ProbeTempMapThread(LPVOID pv) {
  ThreadProbe* pProbe = static_cast<ThreadProbe*>(pv);
  pProbe->pWrapper = CPen::FromHandle(pProbe->hPen);
  pProbe->nTemps = AfxGetTempMapCount();
  AfxDeleteTempMaps();
  return 0;
}

} // namespace

TEST(GdiTempMap, ThreadsKeepSeparateMaps) {
  HPEN hPen = ::CreatePen(PS_SOLID, 1, 0);
  CPen* pMine = CPen::FromHandle(hPen);
  ThreadProbe probe = {hPen, NULL, -1};
  HANDLE hThread = ::CreateThread(NULL, 0, ProbeTempMapThread, &probe, 0, NULL);
  ASSERT_NE(nullptr, hThread);
  ::WaitForSingleObject(hThread, INFINITE);
  ::CloseHandle(hThread);
  EXPECT_NE(pMine, probe.pWrapper);
  EXPECT_EQ(1, probe.nTemps);
  EXPECT_EQ(pMine, CPen::FromHandle(hPen));
  AfxDeleteTempMaps();
  ::DeleteObject(hPen);
}

// ---------------------------------------------------------------------------------------------
// Image lists

TEST(GdiImageList, ImagesCanBeAddedReplacedAndRemoved) {
  CImageList list;
  ASSERT_TRUE(list.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 1));
  EXPECT_EQ(list.m_hImageList, (HIMAGELIST)list);
  EXPECT_EQ(&list, CImageList::FromHandle(list.GetSafeHandle()));

  CClientDC screen(NULL);
  CBitmap strip;
  ASSERT_TRUE(strip.CreateCompatibleBitmap(&screen, 32, 16));
  EXPECT_EQ(0, list.Add(&strip, RGB(255, 0, 255)));
  EXPECT_EQ(2, list.GetImageCount());
  EXPECT_TRUE(list.SetImageCount(5));
  EXPECT_EQ(5, list.GetImageCount());

  CBitmap one;
  ASSERT_TRUE(one.CreateCompatibleBitmap(&screen, 16, 16));
  EXPECT_TRUE(list.Replace(4, &one, nullptr));
  EXPECT_EQ(5, list.Add(&one, nullptr));

  HICON hIcon = list.ExtractIcon(0);
  ASSERT_NE(nullptr, hIcon);
  EXPECT_EQ(6, list.Add(hIcon));
  ::DestroyIcon(hIcon);
  EXPECT_EQ(7, list.GetImageCount());

  EXPECT_TRUE(list.Remove(0));
  EXPECT_EQ(6, list.GetImageCount());
  EXPECT_TRUE(list.Remove(-1));
  EXPECT_EQ(0, list.GetImageCount());
}

TEST(GdiImageList, CreateFromABitmapResource) {
  ResourceHandleScope scope(CommonControlsModule());
  CBitmap strip;
  ASSERT_TRUE(strip.LoadBitmap(120));
  BITMAP bm = {};
  strip.GetBitmap(&bm);

  CImageList list;
  ASSERT_TRUE(list.Create(120, 16, 1, RGB(192, 192, 192)));
  EXPECT_EQ(bm.bmWidth / 16, list.GetImageCount());
  IMAGEINFO info = {};
  ASSERT_TRUE(list.GetImageInfo(0, &info));
  EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);
}

TEST(GdiImageList, AttachDetachAndTemporaries) {
  AfxDeleteTempMaps();
  const int nTemps = AfxGetTempMapCount();
  HIMAGELIST hList = ::ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
  CImageList* pTemp = CImageList::FromHandle(hList);
  ASSERT_NE(nullptr, pTemp);
  EXPECT_EQ(pTemp, CImageList::FromHandle(hList));
  EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
  AfxDeleteTempMaps();
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
  EXPECT_EQ(0, ::ImageList_GetImageCount(hList)); // still a live list

  {
    CImageList owner;
    ASSERT_TRUE(owner.Attach(hList));
    EXPECT_EQ(&owner, CImageList::FromHandlePermanent(hList));
    EXPECT_EQ(hList, owner.Detach());
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
    EXPECT_FALSE(owner.DeleteImageList());
  }
  EXPECT_TRUE(::ImageList_Destroy(hList));
}

// ---------------------------------------------------------------------------------------------
// Floating point

// 640 / 480.0f rounds up to 1.33333337f; 320 divided by that is 239.9999928, which single precision rounds to
// 240 but the x87 unit's wider intermediate keeps and truncates to 239.
TEST(GdiFloat, SingleDivisionTruncatesLikeSse2) {
  volatile float w = 640;
  volatile float h = 480.0f;
  int r = (int)(320 / (w / h));
  EXPECT_EQ(240, r);

  // The quotient held in a float variable is the form that tells the two units apart under this compiler.
  volatile float ratio = w / h;
  EXPECT_EQ(240, (int)(320 / ratio));
  volatile int nWidth = 320;
  EXPECT_EQ(240, (int)(nWidth / (640 / 480.0f)));
}
