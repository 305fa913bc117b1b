// GDI object wrappers, temporary handle maps and the floating-point build settings. Thin wrappers
// that only pass their arguments on are left to the platform.
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <thread>

TEST(GdiObject, OwnersDeleteWhatTheyHoldUntilDetached) {
  HGDIOBJ hPen;
  {
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    hPen = pen.m_hObject;
  }
  EXPECT_EQ(0, (int)::GetObjectType(hPen));

  const int nPermanent = AfxGetPermanentMapCount();
  HBRUSH hBrush = ::CreateSolidBrush(RGB(4, 5, 6));
  HIMAGELIST hList = ::ImageList_Create(8, 8, ILC_COLOR24, 1, 1);
  {
    CGdiObject object;
    CImageList list;
    EXPECT_FALSE(object.Attach(NULL));
    ASSERT_TRUE(object.Attach(hBrush));
    EXPECT_EQ(nPermanent + 1, AfxGetPermanentMapCount());
    ASSERT_TRUE(list.Attach(hList));
    EXPECT_EQ(&object, CGdiObject::FromHandle(hBrush));
    EXPECT_EQ(&list, CImageList::FromHandlePermanent(hList));
    EXPECT_TRUE(object.Detach() == hBrush && list.Detach() == hList);
    EXPECT_EQ(nPermanent, AfxGetPermanentMapCount());
    EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
    EXPECT_FALSE(object.DeleteObject());
  }
  EXPECT_EQ(OBJ_BRUSH, (int)::GetObjectType(hBrush)); // detached handles survive their wrappers
  EXPECT_TRUE(::ImageList_Destroy(hList));
  ::DeleteObject(hBrush);
  const CGdiObject* pNone = nullptr;
  EXPECT_EQ(nullptr, pNone->GetSafeHandle());
}

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

// A temporary wrapper takes the class of its object, is made once per handle and per thread, and
// is freed by the clean-up (not before the last unlock) without deleting what it wraps. A permanent
// wrapper answers only when it is of the class asked for.
TEST(GdiTempMap, TemporariesAreTypedReusedAndFreedButNeverDeleteTheirObject) {
  AfxDeleteTempMaps();
  const int nTemps = AfxGetTempMapCount();
  const LOGBRUSH logBrush = {BS_SOLID, 0, 0};
  HGDIOBJ hExtPen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID, 3, &logBrush, 0, NULL);
  HGDIOBJ hBitmap = ::CreateBitmap(1, 1, 1, 1, NULL), hRgn = ::CreateRectRgn(0, 0, 1, 1);
  const std::pair<HGDIOBJ, const CRuntimeClass*> kCases[] = {
      {::GetStockObject(BLACK_PEN), RUNTIME_CLASS(CPen)},
      {hExtPen, RUNTIME_CLASS(CPen)},
      {::GetStockObject(WHITE_BRUSH), RUNTIME_CLASS(CBrush)},
      {::GetStockObject(SYSTEM_FONT), RUNTIME_CLASS(CFont)},
      {hBitmap, RUNTIME_CLASS(CBitmap)},
      {::GetStockObject(DEFAULT_PALETTE), RUNTIME_CLASS(CPalette)},
      {hRgn, RUNTIME_CLASS(CRgn)}};
  for (const auto& c : kCases) {
    CGdiObject* pObject = CGdiObject::FromHandle(c.first);
    ASSERT_NE(nullptr, pObject) << c.second->m_lpszClassName;
    EXPECT_EQ(c.second, pObject->GetRuntimeClass()) << c.second->m_lpszClassName;
    EXPECT_EQ(pObject, CGdiObject::FromHandle(c.first));
  }
  EXPECT_EQ(nullptr, CPen::FromHandle(reinterpret_cast<HPEN>(hRgn)));
  for (const void* pNone : {(void*)CGdiObject::FromHandle(NULL), (void*)CDC::FromHandle(NULL),
                            (void*)CImageList::FromHandle(NULL)})
    EXPECT_EQ(nullptr, pNone);
  HDC hDC = ::CreateCompatibleDC(NULL);
  CDC* pDC = CDC::FromHandle(hDC);
  EXPECT_TRUE(pDC->m_hDC == hDC && pDC->m_hAttribDC == hDC); // a temporary DC borrows both
  EXPECT_TRUE(CBitmap::FromHandle((HBITMAP)hBitmap)->DeleteObject());
  EXPECT_EQ(nTemps + 8, AfxGetTempMapCount()); // callers may still hold the wrapper of the deleted bitmap

  CPen* pTheirs = nullptr;
  std::thread([&] {
    pTheirs = CPen::FromHandle((HPEN)hExtPen);
    EXPECT_EQ(1, AfxGetTempMapCount());
    AfxDeleteTempMaps();
  }).join();
  EXPECT_NE(CPen::FromHandle((HPEN)hExtPen), pTheirs);

  AfxLockTempMaps();
  AfxLockTempMaps();
  AfxDeleteTempMaps();
  EXPECT_TRUE(AfxUnlockTempMaps()); // still locked once
  EXPECT_EQ(nTemps + 8, AfxGetTempMapCount());
  EXPECT_FALSE(AfxUnlockTempMaps());
  EXPECT_EQ(nTemps, AfxGetTempMapCount());
  AfxLockTempMaps();
  CPen::FromHandle((HPEN)hExtPen);
  EXPECT_FALSE(AfxUnlockTempMaps(FALSE)); // unlocked but asked to keep them
  EXPECT_EQ(nTemps + 1, AfxGetTempMapCount());
  AfxDeleteTempMaps();
  EXPECT_EQ(OBJ_EXTPEN, (int)::GetObjectType(hExtPen));
  EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC));
  ::DeleteDC(hDC);
  for (HGDIOBJ h : {hExtPen, hRgn})
    ::DeleteObject(h);

  // A permanent wrapper of the base class cannot serve as a pen: a typed temporary answers instead.
  CGdiObject generic;
  generic.CreateStockObject(NULL_PEN);
  CPen* pPen = CPen::FromHandle((HPEN)generic.GetSafeHandle());
  EXPECT_NE(static_cast<CGdiObject*>(pPen), &generic);
  EXPECT_EQ(&generic, CGdiObject::FromHandle(generic.m_hObject));
  AfxDeleteTempMaps();
}

// 640 / 480.0f rounds up to 1.33333337f; 320 divided by that is 239.9999928, which single precision rounds to
// 240 but the x87 unit's wider intermediate keeps and truncates to 239.
TEST(GdiFloat, SingleDivisionTruncatesLikeSse2) {
  volatile float w = 640;
  volatile float h = 480.0f;
  volatile float ratio = w / h;
  EXPECT_EQ(240, (int)(320 / ratio));
  volatile int nWidth = 320;
  EXPECT_EQ(240, (int)(nWidth / (640 / 480.0f)));
}
