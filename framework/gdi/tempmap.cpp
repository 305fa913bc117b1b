// Temporary wrappers for GDI objects and device contexts nobody attached.
#include "framework/gdi/fw_gdi.h"
#include "framework/gdi/gdimaps.h"

namespace {

// A temporary is of the class the object's type calls for, so typed FromHandle calls can use it as is.
CObject* AFXAPI NewGdiTemp(HANDLE h) {
  std::unique_ptr<CGdiObject> pObject;
  switch (::GetObjectType(h)) {
  case OBJ_PEN:
  case OBJ_EXTPEN:
    pObject = std::make_unique<CPen>();
    break;
  case OBJ_BRUSH:
    pObject = std::make_unique<CBrush>();
    break;
  case OBJ_FONT:
    pObject = std::make_unique<CFont>();
    break;
  case OBJ_BITMAP:
    pObject = std::make_unique<CBitmap>();
    break;
  case OBJ_PAL:
    pObject = std::make_unique<CPalette>();
    break;
  case OBJ_REGION:
    pObject = std::make_unique<CRgn>();
    break;
  default:
    pObject = std::make_unique<CGdiObject>();
    break;
  }
  pObject->m_hObject = h; // borrowed: no permanent entry, and Detach runs before the delete
  return pObject.release();
}

void AFXAPI ReleaseGdiTemp(CObject* pObject) { static_cast<CGdiObject*>(pObject)->Detach(); }

CObject* AFXAPI NewDCTemp(HANDLE h) {
  auto pDC = std::make_unique<CDC>();
  pDC->m_hDC = pDC->m_hAttribDC = static_cast<HDC>(h);
  return pDC.release();
}

void AFXAPI ReleaseDCTemp(CObject* pObject) { static_cast<CDC*>(pObject)->Detach(); }

} // namespace

CHandleMap* AFXAPI AfxMapHGDIOBJ() {
  std::unique_ptr<CHandleMap>& pMap = AfxGetThreadState()->m_pmapHGDIOBJ;
  if (pMap == NULL)
    pMap = std::make_unique<CHandleMap>(NewGdiTemp, ReleaseGdiTemp);
  return pMap.get();
}

CHandleMap* AFXAPI AfxMapHDC() {
  std::unique_ptr<CHandleMap>& pMap = AfxGetThreadState()->m_pmapHDC;
  if (pMap == NULL)
    pMap = std::make_unique<CHandleMap>(NewDCTemp, ReleaseDCTemp);
  return pMap.get();
}
