// Image lists over the common-controls image-list functions.
#include "framework/gdi/fw_gdi.h"
#include "framework/gdi/gdimaps.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

CObject* AFXAPI NewImageListTemp(HANDLE h) {
  auto pList = std::make_unique<CImageList>();
  pList->m_hImageList = static_cast<HIMAGELIST>(h);
  return pList.release();
}

void AFXAPI ReleaseImageListTemp(CObject* pObject) { static_cast<CImageList*>(pObject)->Detach(); }

} // namespace

CHandleMap* AFXAPI AfxMapHIMAGELIST() {
  std::unique_ptr<CHandleMap>& pMap = AfxGetThreadState()->m_pmapHIMAGELIST;
  if (pMap == NULL)
    pMap = std::make_unique<CHandleMap>(NewImageListTemp, ReleaseImageListTemp);
  return pMap.get();
}

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
  return hImageList != NULL ? static_cast<CImageList*>(AfxMapHIMAGELIST()->FromHandle(hImageList)) : NULL;
}

CImageList* CImageList::FromHandlePermanent(HIMAGELIST hImageList) {
  return hImageList != NULL ? static_cast<CImageList*>(AfxMapHIMAGELIST()->LookupPermanent(hImageList))
                            : NULL;
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  if (hImageList == NULL)
    return FALSE;
  // Re-attaching ends the previous association without destroying the previous list.
  Detach();
  m_hImageList = hImageList;
  AfxMapHIMAGELIST()->SetPermanent(hImageList, this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST hImageList = m_hImageList;
  if (hImageList != NULL)
    AfxMapHIMAGELIST()->RemoveHandle(hImageList, this);
  m_hImageList = NULL;
  return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  return Attach(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Create(MAKEINTRESOURCEA(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Attach(
      ::ImageList_LoadImageA(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

BOOL CImageList::DeleteImageList() {
  if (m_hImageList == NULL)
    return FALSE;
  return ::ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }

BOOL CImageList::SetImageCount(UINT uNewCount) { return ::ImageList_SetImageCount(m_hImageList, uNewCount); }

COLORREF CImageList::GetBkColor() const { return ::ImageList_GetBkColor(m_hImageList); }

COLORREF CImageList::SetBkColor(COLORREF cr) { return ::ImageList_SetBkColor(m_hImageList, cr); }

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
  return ::ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
  return ::ImageList_Add(m_hImageList, BitmapOf(pbmImage), BitmapOf(pbmMask));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
  return ::ImageList_AddMasked(m_hImageList, BitmapOf(pbmImage), crMask);
}

int CImageList::Add(HICON hIcon) { return ::ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
  return ::ImageList_Replace(m_hImageList, nImage, BitmapOf(pbmImage), BitmapOf(pbmMask));
}

int CImageList::Replace(int nImage, HICON hIcon) {
  return ::ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

BOOL CImageList::Remove(int nImage) { return ::ImageList_Remove(m_hImageList, nImage); }

HICON CImageList::ExtractIcon(int nImage) { return ::ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ::ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
