// GDI object wrappers: pens, brushes, fonts, bitmaps, palettes and regions.
#include "framework/gdi/fw_gdi.h"
#include "framework/gdi/gdimaps.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNCREATE(CPen, CGdiObject)
IMPLEMENT_DYNCREATE(CBrush, CGdiObject)
IMPLEMENT_DYNCREATE(CFont, CGdiObject)
IMPLEMENT_DYNCREATE(CBitmap, CGdiObject)
IMPLEMENT_DYNCREATE(CPalette, CGdiObject)
IMPLEMENT_DYNCREATE(CRgn, CGdiObject)

namespace {

// A permanent wrapper of a base class (a CGdiObject attached to a pen) cannot serve as a CPen; the
// handle's temporary wrapper, always of the class its object type calls for, answers instead. NULL when
// the handle is not of the requested kind.
CGdiObject* FromHandleAs(HGDIOBJ hObject, const CRuntimeClass* pClass) {
  if (hObject == NULL)
    return NULL;
  CHandleMap* pMap = AfxMapHGDIOBJ();
  CObject* pObject = pMap->LookupPermanent(hObject);
  if (pObject == NULL || !pObject->IsKindOf(pClass))
    pObject = pMap->TemporaryFromHandle(hObject);
  return pObject->IsKindOf(pClass) ? static_cast<CGdiObject*>(pObject) : NULL;
}

void CreatedOrThrow(BOOL bCreated) {
  if (!bCreated)
    AfxThrowResourceException();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CGdiObject

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
  return hObject != NULL ? static_cast<CGdiObject*>(AfxMapHGDIOBJ()->FromHandle(hObject)) : NULL;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  if (hObject == NULL)
    return FALSE;
  // Re-attaching ends the previous association without destroying the previous handle.
  Detach();
  m_hObject = hObject;
  AfxMapHGDIOBJ()->SetPermanent(hObject, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ hObject = m_hObject;
  if (hObject != NULL)
    AfxMapHGDIOBJ()->RemoveHandle(hObject, this);
  m_hObject = NULL;
  return hObject;
}

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == NULL)
    return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
  return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

// ---------------------------------------------------------------------------------------------
// CPen

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
  CreatedOrThrow(CreatePen(nPenStyle, nWidth, crColor));
}

CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  CreatedOrThrow(CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

CPen* CPen::FromHandle(HPEN hPen) { return static_cast<CPen*>(FromHandleAs(hPen, RUNTIME_CLASS(CPen))); }

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
  return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle) {
  return ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
}

BOOL CPen::ExtCreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                        const DWORD* lpStyle) {
  return Attach(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }

int CPen::GetLogPen(LOGPEN* pLogPen) const { return ::GetObjectA(m_hObject, sizeof(LOGPEN), pLogPen); }

int CPen::GetExtLogPen(EXTLOGPEN* pLogPen) const {
  return ::GetObjectA(m_hObject, sizeof(EXTLOGPEN), pLogPen);
}

// ---------------------------------------------------------------------------------------------
// CBrush

CBrush::CBrush(COLORREF crColor) { CreatedOrThrow(CreateSolidBrush(crColor)); }

CBrush::CBrush(int nIndex, COLORREF crColor) { CreatedOrThrow(CreateHatchBrush(nIndex, crColor)); }

CBrush::CBrush(CBitmap* pBitmap) { CreatedOrThrow(CreatePatternBrush(pBitmap)); }

CBrush* CBrush::FromHandle(HBRUSH hBrush) {
  return static_cast<CBrush*>(FromHandleAs(hBrush, RUNTIME_CLASS(CBrush)));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
  return Attach(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) { return Attach(::CreatePatternBrush(BitmapOf(pBitmap))); }

// The system keeps its colour brushes; deleting one later is ignored.
BOOL CBrush::CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
  return Attach(::CreateBrushIndirect(lpLogBrush));
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const {
  return ::GetObjectA(m_hObject, sizeof(LOGBRUSH), pLogBrush);
}

// ---------------------------------------------------------------------------------------------
// CFont

CFont* CFont::FromHandle(HFONT hFont) {
  return static_cast<CFont*>(FromHandleAs(hFont, RUNTIME_CLASS(CFont)));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont) { return Attach(::CreateFontIndirectA(lpLogFont)); }

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                       BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
  return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                              cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                              lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC) {
  LOGFONTA logFont = {};
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfHeight = nPointSize;
  if (lpszFaceName != NULL)
    ::lstrcpynA(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC) {
  HDC hScreenDC = pDC == NULL ? ::GetDC(NULL) : NULL;
  HDC hDC = pDC != NULL ? pDC->m_hAttribDC : hScreenDC;

  // Device pixels of the requested size, then logical units. The difference to the converted origin keeps
  // window and viewport origins out of the height; flipped axes are taken care of by the sign.
  POINT pt = {0, ::MulDiv(::GetDeviceCaps(hDC, LOGPIXELSY), lpLogFont->lfHeight, 720)};
  POINT ptOrg = {0, 0};
  ::DPtoLP(hDC, &pt, 1);
  ::DPtoLP(hDC, &ptOrg, 1);
  if (hScreenDC != NULL)
    ::ReleaseDC(NULL, hScreenDC);

  LOGFONTA logFont = *lpLogFont;
  logFont.lfHeight = -std::abs(pt.y - ptOrg.y); // negative: character height, not cell height
  return CreateFontIndirect(&logFont);
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const {
  return ::GetObjectA(m_hObject, sizeof(LOGFONTA), pLogFont);
}

// ---------------------------------------------------------------------------------------------
// CBitmap

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) {
  return static_cast<CBitmap*>(FromHandleAs(hBitmap, RUNTIME_CLASS(CBitmap)));
}

BOOL CBitmap::LoadBitmap(LPCSTR lpszResourceName) {
  return Attach(::LoadBitmapA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }

BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) {
  return Attach(::LoadBitmapA(NULL, MAKEINTRESOURCEA(nIDBitmap)));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
  return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(const BITMAP* lpBitmap) {
  return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight));
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), pBitMap); }

DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
  return ::GetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
  return ::SetBitmapBits((HBITMAP)m_hObject, dwCount, lpBits);
}

// ---------------------------------------------------------------------------------------------
// CPalette

CPalette* CPalette::FromHandle(HPALETTE hPalette) {
  return static_cast<CPalette*>(FromHandleAs(hPalette, RUNTIME_CLASS(CPalette)));
}

BOOL CPalette::CreatePalette(const LOGPALETTE* lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }

BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return Attach(::CreateHalftonePalette(pDC->GetSafeHdc())); }

int CPalette::GetEntryCount() const {
  WORD nEntries = 0;
  ::GetObjectA(m_hObject, sizeof(WORD), &nEntries);
  return nEntries;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
  return ::GetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors) {
  return ::SetPaletteEntries((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors) {
  ::AnimatePalette((HPALETTE)m_hObject, nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const {
  return ::GetNearestPaletteIndex((HPALETTE)m_hObject, crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries) { return ::ResizePalette((HPALETTE)m_hObject, nNumEntries); }

// ---------------------------------------------------------------------------------------------
// CRgn

CRgn* CRgn::FromHandle(HRGN hRgn) { return static_cast<CRgn*>(FromHandleAs(hRgn, RUNTIME_CLASS(CRgn))); }

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
  return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount,
                                int nPolyFillMode) {
  return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
  return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreateFromPath(CDC* pDC) { return Attach(::PathToRegion(pDC->GetSafeHdc())); }

BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData) {
  return Attach(::ExtCreateRegion(lpXForm, nCount, pRgnData));
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn((HRGN)m_hObject, x1, y1, x2, y2); }

void CRgn::SetRectRgn(LPCRECT lpRect) {
  SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
  return ::CombineRgn((HRGN)m_hObject, RgnOf(pRgn1), RgnOf(pRgn2), nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc) {
  return ::CombineRgn((HRGN)m_hObject, RgnOf(pRgnSrc), NULL, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const { return ::EqualRgn((HRGN)m_hObject, RgnOf(pRgn)); }

int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn((HRGN)m_hObject, x, y); }

int CRgn::OffsetRgn(POINT point) { return OffsetRgn(point.x, point.y); }

int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox((HRGN)m_hObject, lpRect); }

BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }

BOOL CRgn::PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }

BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion((HRGN)m_hObject, lpRect); }

int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
  return (int)::GetRegionData((HRGN)m_hObject, nCount, lpRgnData);
}
