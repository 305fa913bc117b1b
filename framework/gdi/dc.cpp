// Device contexts: handles, creation, selection, state and mapping, clipping; the window DCs.
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"
#include "framework/gdi/gdimaps.h"

#include <cstdlib>

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

namespace {

// Runs a state setter on the output DC and, when it is another DC, on the attribute DC; the attribute
// DC's answer wins.
template <class F> auto SetBoth(const CDC& dc, F fn) -> decltype(fn(HDC())) {
  decltype(fn(HDC())) result{};
  if (dc.m_hDC != NULL && dc.m_hDC != dc.m_hAttribDC)
    result = fn(dc.m_hDC);
  if (dc.m_hAttribDC != NULL)
    result = fn(dc.m_hAttribDC);
  return result;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Handles

CDC::~CDC() {
  if (m_hDC != NULL)
    ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC) { return hDC != NULL ? static_cast<CDC*>(AfxMapHDC()->FromHandle(hDC)) : NULL; }

BOOL CDC::Attach(HDC hDC) {
  if (hDC == NULL)
    return FALSE;
  // Re-attaching ends the previous association without deleting the previous DC.
  Detach();
  m_hDC = m_hAttribDC = hDC;
  AfxMapHDC()->SetPermanent(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC hDC = m_hDC;
  if (hDC != NULL)
    AfxMapHDC()->RemoveHandle(hDC, this);
  m_hDC = m_hAttribDC = NULL;
  return hDC;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }

// A borrowed output handle does not enter the map; the object keeps no claim on it.
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }

void CDC::ReleaseAttribDC() { m_hAttribDC = NULL; }

void CDC::ReleaseOutputDC() {
  if (m_hDC != NULL)
    AfxMapHDC()->RemoveHandle(m_hDC, this);
  m_hDC = NULL;
}

// ---------------------------------------------------------------------------------------------
// Creation

BOOL CDC::CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData) {
  return Attach(::CreateDCA(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateIC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData) {
  return Attach(::CreateICA(lpszDriverName, lpszDeviceName, lpszOutput, (const DEVMODEA*)lpInitData));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC->GetSafeHdc())); }

BOOL CDC::DeleteDC() {
  if (m_hDC == NULL)
    return FALSE;
  return ::DeleteDC(Detach());
}

int CDC::SaveDC() {
  if (m_hDC == NULL || m_hAttribDC == NULL || m_hDC == m_hAttribDC)
    return ::SaveDC(m_hAttribDC != NULL ? m_hAttribDC : m_hDC);
  // Two stacks whose depths may differ: only the relative level -1 restores both.
  BOOL bSaved = ::SaveDC(m_hAttribDC) != 0;
  bSaved = ::SaveDC(m_hDC) != 0 && bSaved;
  return bSaved ? -1 : 0;
}

BOOL CDC::RestoreDC(int nSavedDC) {
  return SetBoth(*this, [&](HDC h) { return ::RestoreDC(h, nSavedDC); });
}

int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

// ---------------------------------------------------------------------------------------------
// Selection

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
  return SetBoth(*this, [&](HDC h) { return ::SelectObject(h, hObject); });
}

CPen* CDC::SelectObject(CPen* pPen) { return CPen::FromHandle((HPEN)SelectObject(pPen->GetSafeHandle())); }

CBrush* CDC::SelectObject(CBrush* pBrush) {
  return CBrush::FromHandle((HBRUSH)SelectObject(pBrush->GetSafeHandle()));
}

CFont* CDC::SelectObject(CFont* pFont) {
  return CFont::FromHandle((HFONT)SelectObject(pFont->GetSafeHandle()));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return CBitmap::FromHandle((HBITMAP)SelectObject(pBitmap->GetSafeHandle()));
}

// Selecting a region answers its type, not a previous object.
int CDC::SelectObject(CRgn* pRgn) { return (int)(INT_PTR)SelectObject(pRgn->GetSafeHandle()); }

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  return CGdiObject::FromHandle(SelectObject(pObject->GetSafeHandle()));
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
  HGDIOBJ hObject = ::GetStockObject(nIndex);
  return hObject != NULL ? CGdiObject::FromHandle(SelectObject(hObject)) : NULL;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  return CPalette::FromHandle(::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }

CPen* CDC::GetCurrentPen() const { return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN)); }

CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH));
}

CFont* CDC::GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }

CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP));
}

CPalette* CDC::GetCurrentPalette() const {
  return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hDC, OBJ_PAL));
}

// ---------------------------------------------------------------------------------------------
// Colours and modes

COLORREF CDC::GetNearestColor(COLORREF crColor) const { return ::GetNearestColor(m_hAttribDC, crColor); }

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }

COLORREF CDC::SetBkColor(COLORREF crColor) {
  return SetBoth(*this, [&](HDC h) { return ::SetBkColor(h, crColor); });
}

int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }

int CDC::SetBkMode(int nBkMode) {
  return SetBoth(*this, [&](HDC h) { return ::SetBkMode(h, nBkMode); });
}

COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }

COLORREF CDC::SetTextColor(COLORREF crColor) {
  return SetBoth(*this, [&](HDC h) { return ::SetTextColor(h, crColor); });
}

int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }

int CDC::SetROP2(int nDrawMode) {
  return SetBoth(*this, [&](HDC h) { return ::SetROP2(h, nDrawMode); });
}

int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }

int CDC::SetPolyFillMode(int nPolyFillMode) {
  return SetBoth(*this, [&](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); });
}

int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }

int CDC::SetStretchBltMode(int nStretchMode) {
  return SetBoth(*this, [&](HDC h) { return ::SetStretchBltMode(h, nStretchMode); });
}

UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }

UINT CDC::SetTextAlign(UINT nFlags) {
  return SetBoth(*this, [&](HDC h) { return ::SetTextAlign(h, nFlags); });
}

DWORD CDC::GetLayout() const { return ::GetLayout(m_hDC); }

DWORD CDC::SetLayout(DWORD dwLayout) {
  return SetBoth(*this, [&](HDC h) { return ::SetLayout(h, dwLayout); });
}

DWORD CDC::SetMapperFlags(DWORD dwFlag) {
  return SetBoth(*this, [&](HDC h) { return ::SetMapperFlags(h, dwFlag); });
}

int CDC::GetArcDirection() const { return ::GetArcDirection(m_hAttribDC); }

int CDC::SetArcDirection(int nArcDirection) {
  return SetBoth(*this, [&](HDC h) { return ::SetArcDirection(h, nArcDirection); });
}

int CDC::GetGraphicsMode() const { return ::GetGraphicsMode(m_hAttribDC); }

int CDC::SetGraphicsMode(int iMode) {
  return SetBoth(*this, [&](HDC h) { return ::SetGraphicsMode(h, iMode); });
}

BOOL CDC::GetWorldTransform(XFORM* pXform) const { return ::GetWorldTransform(m_hAttribDC, pXform); }

BOOL CDC::SetWorldTransform(const XFORM* pXform) {
  return SetBoth(*this, [&](HDC h) { return ::SetWorldTransform(h, pXform); });
}

BOOL CDC::ModifyWorldTransform(const XFORM* pXform, DWORD iMode) {
  return SetBoth(*this, [&](HDC h) { return ::ModifyWorldTransform(h, pXform, iMode); });
}

// ---------------------------------------------------------------------------------------------
// Mapping

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }

int CDC::SetMapMode(int nMapMode) {
  return SetBoth(*this, [&](HDC h) { return ::SetMapMode(h, nMapMode); });
}

CPoint CDC::GetViewportOrg() const {
  CPoint point;
  ::GetViewportOrgEx(m_hAttribDC, &point);
  return point;
}

CPoint CDC::SetViewportOrg(int x, int y) {
  CPoint point;
  SetBoth(*this, [&](HDC h) { return ::SetViewportOrgEx(h, x, y, &point); });
  return point;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
  CPoint point;
  SetBoth(*this, [&](HDC h) { return ::OffsetViewportOrgEx(h, nWidth, nHeight, &point); });
  return point;
}

CSize CDC::GetViewportExt() const {
  CSize size;
  ::GetViewportExtEx(m_hAttribDC, &size);
  return size;
}

CSize CDC::SetViewportExt(int cx, int cy) {
  CSize size;
  SetBoth(*this, [&](HDC h) { return ::SetViewportExtEx(h, cx, cy, &size); });
  return size;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
  CSize size;
  SetBoth(*this, [&](HDC h) { return ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &size); });
  return size;
}

CPoint CDC::GetWindowOrg() const {
  CPoint point;
  ::GetWindowOrgEx(m_hAttribDC, &point);
  return point;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  CPoint point;
  SetBoth(*this, [&](HDC h) { return ::SetWindowOrgEx(h, x, y, &point); });
  return point;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight) {
  CPoint point;
  SetBoth(*this, [&](HDC h) { return ::OffsetWindowOrgEx(h, nWidth, nHeight, &point); });
  return point;
}

CSize CDC::GetWindowExt() const {
  CSize size;
  ::GetWindowExtEx(m_hAttribDC, &size);
  return size;
}

CSize CDC::SetWindowExt(int cx, int cy) {
  CSize size;
  SetBoth(*this, [&](HDC h) { return ::SetWindowExtEx(h, cx, cy, &size); });
  return size;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) {
  CSize size;
  SetBoth(*this, [&](HDC h) { return ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, &size); });
  return size;
}

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }

void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }

void CDC::DPtoLP(LPSIZE lpSize) const {
  CSize sizeWinExt = GetWindowExt();
  CSize sizeVpExt = GetViewportExt();
  lpSize->cx = ::MulDiv(lpSize->cx, std::abs(sizeWinExt.cx), std::abs(sizeVpExt.cx));
  lpSize->cy = ::MulDiv(lpSize->cy, std::abs(sizeWinExt.cy), std::abs(sizeVpExt.cy));
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }

void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }

void CDC::LPtoDP(LPSIZE lpSize) const {
  CSize sizeWinExt = GetWindowExt();
  CSize sizeVpExt = GetViewportExt();
  lpSize->cx = ::MulDiv(lpSize->cx, std::abs(sizeVpExt.cx), std::abs(sizeWinExt.cx));
  lpSize->cy = ::MulDiv(lpSize->cy, std::abs(sizeVpExt.cy), std::abs(sizeWinExt.cy));
}

// ---------------------------------------------------------------------------------------------
// Clipping

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }

BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }

BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

int CDC::SelectClipRgn(CRgn* pRgn) {
  return SetBoth(*this, [&](HDC h) { return ::SelectClipRgn(h, RgnOf(pRgn)); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  return SetBoth(*this, [&](HDC h) { return ::ExtSelectClipRgn(h, RgnOf(pRgn), nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  return SetBoth(*this, [&](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(LPCRECT lpRect) {
  return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  return SetBoth(*this, [&](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(LPCRECT lpRect) {
  return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y) {
  return SetBoth(*this, [&](HDC h) { return ::OffsetClipRgn(h, x, y); });
}

// ---------------------------------------------------------------------------------------------
// Window DCs

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetDC(m_hWnd)))
    AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::GetWindowDC(m_hWnd)))
    AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(pWnd->GetSafeHwnd()) {
  if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
    AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}
