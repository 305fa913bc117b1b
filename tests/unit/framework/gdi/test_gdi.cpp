// GDI object wrappers, temporary handle maps, image lists and the floating-point build settings.
// Thin wrappers that only pass their arguments on are left to the platform.
#include "framework/fw.h"
#include "tests/common/pixel_support.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Ownership

TEST(GdiObject, AttachDetachAndTheDestructor) {
  HGDIOBJ hPen;
  {
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    hPen = pen.m_hObject;
  }
  EXPECT_EQ(0, (int)::GetObjectType(hPen)); // the wrapper deleted what it owned

  const int nPermanent = AfxGetPermanentMapCount();
  HBRUSH hBrush = ::CreateSolidBrush(RGB(4, 5, 6));
  {
    CGdiObject object;
    EXPECT_FALSE(object.Attach(NULL));
    ASSERT_TRUE(object.Attach(hBrush));
    EXPECT_EQ(nPermanent + 1, AfxGetPermanentMapCount());
    EXPECT_EQ(&object, CGdiObject::FromHandle(hBrush));
    EXPECT_EQ(hBrush, object.Detach());
    EXPECT_EQ(nPermanent, AfxGetPermanentMapCount());
    EXPECT_FALSE(object.DeleteObject());
  }
  EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(hBrush)); // a detached handle survives the wrapper
  ::DeleteObject(hBrush);

  const CGdiObject* pNone = nullptr;
  EXPECT_EQ(nullptr, pNone->GetSafeHandle());

  HIMAGELIST hList = ::ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
  {
    CImageList owner;
    ASSERT_TRUE(owner.Attach(hList));
    EXPECT_EQ(&owner, CImageList::FromHandlePermanent(hList));
    EXPECT_EQ(hList, owner.Detach());
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
  }
  EXPECT_TRUE(::ImageList_Destroy(hList));
}

// ---------------------------------------------------------------------------------------------
// Typed objects

TEST(GdiObject, ConstructorsThrowWhenNothingCanBeMade) {
  auto throws = [](auto construct) {
    try {
      construct();
    } catch (CResourceException* e) {
      e->Delete();
      return true;
    }
    return false;
  };
  CBitmap noBitmap;
  CWnd bogus; // a window that gives no DC
  bogus.m_hWnd = reinterpret_cast<HWND>(0x1234);
  EXPECT_TRUE(throws([&] { CBrush brush(&noBitmap); }));
  EXPECT_TRUE(throws([&] { CClientDC dc(&bogus); }));
  EXPECT_TRUE(throws([&] { CWindowDC dc(&bogus); }));
}

// Named resources come from the resource handle (comctl32's bitmap 120 is a strip of 16x16 images);
// OEM bitmaps come from the system.
TEST(GdiBitmap, ResourcesComeFromTheResourceHandle) {
  CBitmap check;
  ASSERT_TRUE(check.LoadOEMBitmap(32760)); // OBM_CHECK
  CBitmap missing;
  EXPECT_FALSE(missing.LoadBitmap("NoSuchBitmap"));

  AfxSetResourceHandle(::LoadLibraryA("comctl32.dll"));
  CBitmap strip;
  const BOOL bLoaded = strip.LoadBitmap(120);
  CImageList list;
  const BOOL bCreated = list.Create(120, 16, 1, RGB(192, 192, 192));
  AfxSetResourceHandle(NULL);
  ASSERT_TRUE(bLoaded);
  ASSERT_TRUE(bCreated);
  BITMAP bm = {};
  strip.GetBitmap(&bm);
  EXPECT_EQ(16, bm.bmHeight);
  EXPECT_EQ(bm.bmWidth / 16, list.GetImageCount());
}

// ---------------------------------------------------------------------------------------------
// Temporary maps

TEST(GdiTempMap, NullHandlesHaveNoWrapperAndPermanentWrappersAnswerWhenOfTheRightClass) {
  const void* const kWrappers[] = {
      CGdiObject::FromHandle(NULL), CPen::FromHandle(NULL),    CBrush::FromHandle(NULL),
      CFont::FromHandle(NULL),      CBitmap::FromHandle(NULL), CPalette::FromHandle(NULL),
      CRgn::FromHandle(NULL),       CDC::FromHandle(NULL),     CImageList::FromHandle(NULL)};
  for (const void* pWrapper : kWrappers)
    EXPECT_EQ(nullptr, pWrapper);

  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
  EXPECT_EQ(&font, CFont::FromHandle((HFONT)font.m_hObject));
  EXPECT_EQ(&font, CGdiObject::FromHandle(font.m_hObject));

  // A permanent wrapper of the base class cannot serve as a pen: a typed temporary answers instead.
  CGdiObject generic;
  generic.CreateStockObject(NULL_PEN);
  CPen* pPen = CPen::FromHandle((HPEN)generic.GetSafeHandle());
  ASSERT_NE(nullptr, pPen);
  EXPECT_NE(static_cast<CGdiObject*>(pPen), &generic);
  EXPECT_EQ(::GetStockObject(NULL_PEN), pPen->m_hObject);
  EXPECT_EQ(&generic, CGdiObject::FromHandle(generic.m_hObject));
  AfxDeleteTempMaps();
}

TEST(GdiTempMap, TemporaryIsMadeOncePerHandleAndAlwaysFreedButNeverDeletesIt) {
  AfxDeleteTempMaps();
  const int nTemps = AfxGetTempMapCount();
  HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 1, 1));
  HDC hDC = ::CreateCompatibleDC(NULL);
  HBITMAP hBitmap = ::CreateBitmap(2, 2, 1, 1, NULL);
  HIMAGELIST hList = ::ImageList_Create(8, 8, ILC_COLOR24, 1, 1);

  CBrush* pBrush = CBrush::FromHandle(hBrush);
  CDC* pDC = CDC::FromHandle(hDC);
  CImageList* pList = CImageList::FromHandle(hList);
  ASSERT_TRUE(pBrush && pDC && pList);
  EXPECT_EQ(hBrush, (HBRUSH)*pBrush);
  EXPECT_EQ(pBrush, CGdiObject::FromHandle(hBrush));
  EXPECT_EQ(nullptr, CPen::FromHandle(reinterpret_cast<HPEN>(hBrush))); // a brush handle is no pen
  EXPECT_TRUE(pDC->m_hDC == hDC && pDC->m_hAttribDC == hDC);            // a temporary DC borrows both
  EXPECT_EQ(pDC, CDC::FromHandle(hDC));
  EXPECT_EQ(pList, CImageList::FromHandle(hList));
  EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
  EXPECT_TRUE(CBitmap::FromHandle(hBitmap)->DeleteObject());
  EXPECT_EQ(nTemps + 4, AfxGetTempMapCount()); // callers may still hold the wrapper of the deleted bitmap

  AfxDeleteTempMaps();
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
  EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(hBrush));
  EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC));
  EXPECT_TRUE(::ImageList_Destroy(hList)); // still a live list
  ::DeleteObject(hBrush);
  ::DeleteDC(hDC);
}

TEST(GdiTempMap, TemporariesTakeTheClassOfTheirObject) {
  const LOGBRUSH logBrush = {BS_SOLID, 0, 0};
  HGDIOBJ hExtPen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 3, &logBrush, 0, NULL);
  HGDIOBJ hBitmap = ::CreateBitmap(1, 1, 1, 1, NULL);
  HGDIOBJ hRgn = ::CreateRectRgn(0, 0, 1, 1);
  struct {
    HGDIOBJ hObject;
    const CRuntimeClass* pClass;
  } const kCases[] = {{::GetStockObject(BLACK_PEN), RUNTIME_CLASS(CPen)},
                      {hExtPen, RUNTIME_CLASS(CPen)},
                      {::GetStockObject(WHITE_BRUSH), RUNTIME_CLASS(CBrush)},
                      {::GetStockObject(SYSTEM_FONT), RUNTIME_CLASS(CFont)},
                      {hBitmap, RUNTIME_CLASS(CBitmap)},
                      {::GetStockObject(DEFAULT_PALETTE), RUNTIME_CLASS(CPalette)},
                      {hRgn, RUNTIME_CLASS(CRgn)}};
  for (const auto& c : kCases) {
    CGdiObject* pObject = CGdiObject::FromHandle(c.hObject);
    ASSERT_NE(nullptr, pObject) << c.pClass->m_lpszClassName;
    EXPECT_EQ(c.pClass, pObject->GetRuntimeClass()) << c.pClass->m_lpszClassName;
  }
  AfxDeleteTempMaps();
  for (HGDIOBJ h : {hExtPen, hBitmap, hRgn})
    ::DeleteObject(h);
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

TEST(GdiTempMap, ThreadsKeepSeparateMaps) {
  HPEN hPen = ::CreatePen(PS_SOLID, 1, 0);
  CPen* pMine = CPen::FromHandle(hPen);
  CPen* pTheirs = nullptr;
  int nTheirTemps = -1;
  std::thread([&] {
    pTheirs = CPen::FromHandle(hPen);
    nTheirTemps = AfxGetTempMapCount();
    AfxDeleteTempMaps();
  }).join();
  EXPECT_NE(pMine, pTheirs);
  EXPECT_EQ(1, nTheirTemps);
  EXPECT_EQ(pMine, CPen::FromHandle(hPen));
  AfxDeleteTempMaps();
  ::DeleteObject(hPen);
}

// ---------------------------------------------------------------------------------------------
// Image lists

TEST(GdiImageList, AddAnswersTheFirstNewIndexAndDrawPaintsTheImage) {
  const COLORREF kRed = RGB(255, 0, 0);
  const std::vector<DWORD> red(16, pixel_support::ToDib(kRed));
  CBitmap strip, image;
  ASSERT_TRUE(strip.CreateBitmap(8, 4, 1, 32, NULL));
  ASSERT_TRUE(image.CreateBitmap(4, 4, 1, 32, red.data()));
  CImageList list;
  ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 0, 1));
  EXPECT_EQ(0, list.Add(&strip, RGB(255, 0, 255))); // two images
  EXPECT_EQ(2, list.Add(&image, nullptr));
  HICON hIcon = list.ExtractIcon(0);
  ASSERT_NE(nullptr, hIcon);
  EXPECT_EQ(3, list.Add(hIcon)); // icons are appended
  ::DestroyIcon(hIcon);
  EXPECT_EQ(4, list.GetImageCount());

  pixel_support::DibSurface surface(10, 10);
  EXPECT_TRUE(list.Draw(&surface.dc(), 2, CPoint(2, 2), ILD_NORMAL));
  for (int i = 0; i < 10; ++i) // along the diagonal: red from (2, 2) to (5, 5)
    EXPECT_EQ(i >= 2 && i < 6 ? kRed : RGB(255, 255, 255), surface.At(i, i)) << i;
}

// ---------------------------------------------------------------------------------------------
// Floating point

// 640 / 480.0f rounds up to 1.33333337f; 320 divided by that is 239.9999928, which single precision rounds to
// 240 but the x87 unit's wider intermediate keeps and truncates to 239.
TEST(GdiFloat, SingleDivisionTruncatesLikeSse2) {
  volatile float w = 640;
  volatile float h = 480.0f;
  EXPECT_EQ(240, (int)(320 / (w / h)));

  // The quotient held in a float variable is the form that tells the two units apart under this compiler.
  volatile float ratio = w / h;
  EXPECT_EQ(240, (int)(320 / ratio));
  volatile int nWidth = 320;
  EXPECT_EQ(240, (int)(nWidth / (640 / 480.0f)));
}
