// GDI object wrappers, device contexts and image lists.
//
// Wrappers that called Attach (every Create... does) own their handle and destroy it with themselves.
// FromHandle answers that wrapper, or a temporary one that only borrows the handle and lives until the
// thread's next temporary-map clean-up (the idle pass); never keep such a pointer across a message loop.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"

#include <commctrl.h>

class CDC;
class CWnd;

// ---------------------------------------------------------------------------------------------
// GDI objects

class CGdiObject : public CObject {
  DECLARE_DYNCREATE(CGdiObject)
public:
  CGdiObject() = default;
  ~CGdiObject() override;

  static CGdiObject* FromHandle(HGDIOBJ hObject);
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();

  operator HGDIOBJ() const { return m_hObject; }
  // Callers may hold a NULL object pointer; the build keeps null checks of `this`.
  HGDIOBJ GetSafeHandle() const { return reinterpret_cast<UINT_PTR>(this) == 0 ? NULL : m_hObject; }

  int GetObject(int nCount, LPVOID lpObject) const;
  UINT GetObjectType() const;
  BOOL CreateStockObject(int nIndex);
  BOOL UnrealizeObject();

  HGDIOBJ m_hObject = NULL;
};

class CPen : public CGdiObject {
  DECLARE_DYNCREATE(CPen)
public:
  CPen() = default;
  // The constructors that create throw CResourceException on failure.
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
       const DWORD* lpStyle = NULL);

  static CPen* FromHandle(HPEN hPen);
  operator HPEN() const { return (HPEN)m_hObject; }

  BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
  BOOL CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                 const DWORD* lpStyle = NULL);
  BOOL ExtCreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount = 0,
                    const DWORD* lpStyle = NULL);
  BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
  int GetLogPen(LOGPEN* pLogPen) const;
  int GetExtLogPen(EXTLOGPEN* pLogPen) const;
};

class CBitmap;

class CBrush : public CGdiObject {
  DECLARE_DYNCREATE(CBrush)
public:
  CBrush() = default;
  // The constructors that create throw CResourceException on failure.
  explicit CBrush(COLORREF crColor);
  CBrush(int nIndex, COLORREF crColor);
  explicit CBrush(CBitmap* pBitmap);

  static CBrush* FromHandle(HBRUSH hBrush);
  operator HBRUSH() const { return (HBRUSH)m_hObject; }

  BOOL CreateSolidBrush(COLORREF crColor);
  BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
  BOOL CreatePatternBrush(CBitmap* pBitmap);
  BOOL CreateSysColorBrush(int nIndex);
  BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
  int GetLogBrush(LOGBRUSH* pLogBrush) const;
};

class CFont : public CGdiObject {
  DECLARE_DYNCREATE(CFont)
public:
  static CFont* FromHandle(HFONT hFont);
  operator HFONT() const { return (HFONT)m_hObject; }

  BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
  // Sizes in tenths of a point, converted through the logical inch of pDC's attribute DC (the screen when
  // pDC is NULL). CreatePointFontIndirect reads the tenths from lfHeight.
  BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = NULL);
  BOOL CreatePointFontIndirect(const LOGFONTA* lpLogFont, CDC* pDC = NULL);
  int GetLogFont(LOGFONTA* pLogFont) const;
};

class CBitmap : public CGdiObject {
  DECLARE_DYNCREATE(CBitmap)
public:
  static CBitmap* FromHandle(HBITMAP hBitmap);
  operator HBITMAP() const { return (HBITMAP)m_hObject; }

  // From the resource handle (AfxGetResourceHandle).
  BOOL LoadBitmap(LPCSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource);
  BOOL LoadOEMBitmap(UINT nIDBitmap);
  BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
  BOOL CreateBitmapIndirect(const BITMAP* lpBitmap);
  BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);

  int GetBitmap(BITMAP* pBitMap) const;
  DWORD GetBitmapBits(DWORD dwCount, LPVOID lpBits) const;
  DWORD SetBitmapBits(DWORD dwCount, const void* lpBits);
};

class CPalette : public CGdiObject {
  DECLARE_DYNCREATE(CPalette)
public:
  static CPalette* FromHandle(HPALETTE hPalette);
  operator HPALETTE() const { return (HPALETTE)m_hObject; }

  BOOL CreatePalette(const LOGPALETTE* lpLogPalette);
  BOOL CreateHalftonePalette(CDC* pDC);
  int GetEntryCount() const;
  UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
  UINT SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors);
  void AnimatePalette(UINT nStartIndex, UINT nNumEntries, const PALETTEENTRY* lpPaletteColors);
  UINT GetNearestPaletteIndex(COLORREF crColor) const;
  BOOL ResizePalette(UINT nNumEntries);
};

class CRgn : public CGdiObject {
  DECLARE_DYNCREATE(CRgn)
public:
  static CRgn* FromHandle(HRGN hRgn);
  operator HRGN() const { return (HRGN)m_hObject; }

  BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
  BOOL CreateRectRgnIndirect(LPCRECT lpRect);
  BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
  BOOL CreateEllipticRgnIndirect(LPCRECT lpRect);
  BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode);
  BOOL CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode);
  BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL CreateFromPath(CDC* pDC);
  BOOL CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData);

  void SetRectRgn(int x1, int y1, int x2, int y2);
  void SetRectRgn(LPCRECT lpRect);
  int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
  int CopyRgn(const CRgn* pRgnSrc);
  BOOL EqualRgn(const CRgn* pRgn) const;
  int OffsetRgn(int x, int y);
  int OffsetRgn(POINT point);
  int GetRgnBox(LPRECT lpRect) const;
  BOOL PtInRegion(int x, int y) const;
  BOOL PtInRegion(POINT point) const;
  BOOL RectInRegion(LPCRECT lpRect) const;
  // With lpRgnData NULL answers the size the data needs.
  int GetRegionData(LPRGNDATA lpRgnData, int nCount) const;
};

// ---------------------------------------------------------------------------------------------
// Device contexts
//
// Output (drawing) goes to m_hDC; queries are answered by the attribute DC m_hAttribDC; state setters
// reach m_hDC and, when it is a different DC, m_hAttribDC, and answer the attribute DC's previous value.
// Both handles are the same DC unless a caller splits them (print preview, metafiles).

class CDC : public CObject {
  DECLARE_DYNCREATE(CDC)
public:
  CDC() = default;
  ~CDC() override; // deletes an attached DC; borrowed handles must be detached first

  HDC m_hDC = NULL;
  HDC m_hAttribDC = NULL;
  BOOL m_bPrinting = FALSE;

  operator HDC() const { return m_hDC; }
  // Callers may hold a NULL DC pointer; the build keeps null checks of `this`.
  HDC GetSafeHdc() const { return reinterpret_cast<UINT_PTR>(this) == 0 ? NULL : m_hDC; }
  BOOL IsPrinting() const { return m_bPrinting; }

  static CDC* FromHandle(HDC hDC);
  BOOL Attach(HDC hDC);
  HDC Detach();
  virtual void SetAttribDC(HDC hDC);
  virtual void SetOutputDC(HDC hDC);
  virtual void ReleaseAttribDC();
  virtual void ReleaseOutputDC();

  BOOL CreateDC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData);
  BOOL CreateIC(LPCSTR lpszDriverName, LPCSTR lpszDeviceName, LPCSTR lpszOutput, const void* lpInitData);
  BOOL CreateCompatibleDC(CDC* pDC); // NULL: compatible with the screen
  BOOL DeleteDC();
  // With separate DCs saves both and answers -1, which RestoreDC takes to restore both.
  virtual int SaveDC();
  virtual BOOL RestoreDC(int nSavedDC);

  int GetDeviceCaps(int nIndex) const;

  // Selection: each answers the previously selected object (a temporary wrapper unless attached).
  CPen* SelectObject(CPen* pPen);
  CBrush* SelectObject(CBrush* pBrush);
  virtual CFont* SelectObject(CFont* pFont);
  CBitmap* SelectObject(CBitmap* pBitmap);
  int SelectObject(CRgn* pRgn); // region type
  CGdiObject* SelectObject(CGdiObject* pObject);
  HGDIOBJ SelectObject(HGDIOBJ hObject);
  virtual CGdiObject* SelectStockObject(int nIndex);
  CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
  UINT RealizePalette();
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;
  CBitmap* GetCurrentBitmap() const;
  CPalette* GetCurrentPalette() const;

  // Colours and modes
  COLORREF GetNearestColor(COLORREF crColor) const;
  COLORREF GetBkColor() const;
  virtual COLORREF SetBkColor(COLORREF crColor);
  int GetBkMode() const;
  int SetBkMode(int nBkMode);
  COLORREF GetTextColor() const;
  virtual COLORREF SetTextColor(COLORREF crColor);
  int GetROP2() const;
  int SetROP2(int nDrawMode);
  int GetPolyFillMode() const;
  int SetPolyFillMode(int nPolyFillMode);
  int GetStretchBltMode() const;
  int SetStretchBltMode(int nStretchMode);
  UINT GetTextAlign() const;
  UINT SetTextAlign(UINT nFlags);
  DWORD GetLayout() const;
  DWORD SetLayout(DWORD dwLayout);
  DWORD SetMapperFlags(DWORD dwFlag);
  int GetArcDirection() const;
  int SetArcDirection(int nArcDirection);
  int GetGraphicsMode() const;
  int SetGraphicsMode(int iMode);
  BOOL GetWorldTransform(XFORM* pXform) const;
  BOOL SetWorldTransform(const XFORM* pXform);
  BOOL ModifyWorldTransform(const XFORM* pXform, DWORD iMode);

  // Mapping
  int GetMapMode() const;
  virtual int SetMapMode(int nMapMode);
  CPoint GetViewportOrg() const;
  virtual CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  virtual CPoint OffsetViewportOrg(int nWidth, int nHeight);
  CSize GetViewportExt() const;
  virtual CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
  virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
  CPoint GetWindowOrg() const;
  virtual CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
  virtual CPoint OffsetWindowOrg(int nWidth, int nHeight);
  CSize GetWindowExt() const;
  virtual CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
  virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
  void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
  void DPtoLP(LPRECT lpRect) const;
  void DPtoLP(LPSIZE lpSize) const; // sizes scale by the extents and stay positive
  void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
  void LPtoDP(LPRECT lpRect) const;
  void LPtoDP(LPSIZE lpSize) const;

  // Clipping
  virtual int GetClipBox(LPRECT lpRect) const;
  virtual BOOL PtVisible(int x, int y) const;
  BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
  virtual BOOL RectVisible(LPCRECT lpRect) const;
  int SelectClipRgn(CRgn* pRgn); // NULL removes the clip region
  int SelectClipRgn(CRgn* pRgn, int nMode);
  int ExcludeClipRect(int x1, int y1, int x2, int y2);
  int ExcludeClipRect(LPCRECT lpRect);
  int IntersectClipRect(int x1, int y1, int x2, int y2);
  int IntersectClipRect(LPCRECT lpRect);
  int OffsetClipRgn(int x, int y);
  int OffsetClipRgn(SIZE size) { return OffsetClipRgn(size.cx, size.cy); }

  // Lines and shapes
  CPoint GetCurrentPosition() const;
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd);
  BOOL Polyline(const POINT* lpPoints, int nCount);
  BOOL PolyBezier(const POINT* lpPoints, int nCount);
  BOOL Polygon(const POINT* lpPoints, int nCount);
  BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount);
  BOOL Rectangle(int x1, int y1, int x2, int y2);
  BOOL Rectangle(LPCRECT lpRect);
  BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  BOOL RoundRect(LPCRECT lpRect, POINT point);
  BOOL Ellipse(int x1, int y1, int x2, int y2);
  BOOL Ellipse(LPCRECT lpRect);

  // Paths
  BOOL BeginPath();
  BOOL EndPath();
  BOOL AbortPath();
  BOOL CloseFigure();
  BOOL FillPath();
  BOOL StrokePath();
  BOOL StrokeAndFillPath();
  BOOL WidenPath();
  BOOL FlattenPath();
  BOOL SelectClipPath(int nMode); // the clip region reaches the attribute DC too

  // Fills, regions and frames
  void FillRect(LPCRECT lpRect, CBrush* pBrush);
  void FrameRect(LPCRECT lpRect, CBrush* pBrush);
  void InvertRect(LPCRECT lpRect);
  BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
  BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
  BOOL InvertRgn(CRgn* pRgn);
  BOOL PaintRgn(CRgn* pRgn);
  // Sets m_hDC's background colour to crColor and leaves it so; negative extents fill towards the origin.
  void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
  // One-pixel frame; the top-right and bottom-left corner pixels take clrBottomRight.
  void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
  // XORs a frame of the given thickness with the brush (the halftone brush when NULL) and erases the ring
  // drawn last time; drawing the same ring twice restores the pixels. Removes the clip region.
  void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = NULL,
                    CBrush* pBrushLast = NULL);
  // A pattern brush of an 8x8 checkerboard, kept for the life of the process.
  static CBrush* GetHalftoneBrush();
  void DrawFocusRect(LPCRECT lpRect);
  BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
  BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
  BOOL DrawIcon(int x, int y, HICON hIcon);
  BOOL DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }
  BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush);
  BOOL DrawState(CPoint pt, CSize size, LPCSTR lpszText, UINT nFlags, BOOL bPrefixText = TRUE,
                 int nTextLen = 0, HBRUSH hBrush = NULL);
  BOOL DrawState(CPoint pt, CSize size, LPCSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen,
                 CBrush* pBrush);
  BOOL DrawState(CPoint pt, CSize size, DRAWSTATEPROC lpDrawProc, LPARAM lData, UINT nFlags,
                 HBRUSH hBrush = NULL);

  // Bitmaps and pixels
  BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
  BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
  BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                  int nSrcHeight, DWORD dwRop);
  BOOL MaskBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, CBitmap& maskBitmap,
               int xMask, int yMask, DWORD dwRop);
  BOOL TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                      int nSrcWidth, int nSrcHeight, UINT clrTransparent);
  BOOL AlphaBlend(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                  int nSrcWidth, int nSrcHeight, BLENDFUNCTION blend);
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
  COLORREF SetPixel(int x, int y, COLORREF crColor);
  COLORREF SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
  BOOL SetPixelV(int x, int y, COLORREF crColor);
  BOOL SetPixelV(POINT point, COLORREF crColor) { return SetPixelV(point.x, point.y, crColor); }
  BOOL FloodFill(int x, int y, COLORREF crColor);
  BOOL ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType);
  CPoint GetBrushOrg() const;
  CPoint SetBrushOrg(int x, int y);
  CPoint SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

  // Text
  virtual BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
  BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
  virtual BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                          LPINT lpDxWidths);
  BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths) {
    return ExtTextOut(x, y, nOptions, lpRect, str, str.GetLength(), lpDxWidths);
  }
  virtual int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
  int DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return DrawText(str, str.GetLength(), lpRect, nFormat);
  }
  CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
  CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
  CSize GetOutputTextExtent(LPCSTR lpszString, int nCount) const;
  CSize GetOutputTextExtent(const CString& str) const { return GetOutputTextExtent(str, str.GetLength()); }
  BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const;
  BOOL GetOutputTextMetrics(LPTEXTMETRICA lpMetrics) const;
  int GetTextFace(int nCount, LPSTR lpszFacename) const;
  int GetTextFace(CString& rString) const;

  // Printing
  int StartDoc(LPDOCINFOA lpDocInfo);
  int StartDoc(LPCSTR lpszDocName);
  int StartPage();
  int EndPage();
  int EndDoc();
  int AbortDoc();
  int SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int));
};

// DCs borrowed from a window: the destructors give them back rather than delete them. The constructors throw
// CResourceException when the window gives no DC. A NULL window means the screen.
class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

protected:
  HWND m_hWnd;
};

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps;

protected:
  HWND m_hWnd;
};

// ---------------------------------------------------------------------------------------------
// Image lists

class CImageList : public CObject {
  DECLARE_DYNCREATE(CImageList)
public:
  CImageList() = default;
  ~CImageList() override; // destroys an attached image list

  HIMAGELIST m_hImageList = NULL;

  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return reinterpret_cast<UINT_PTR>(this) == 0 ? NULL : m_hImageList; }
  static CImageList* FromHandle(HIMAGELIST hImageList);
  static CImageList* FromHandlePermanent(HIMAGELIST hImageList);
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A strip of cx-wide images from a bitmap resource; crMask marks the transparent colour.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(LPCSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL DeleteImageList();

  int GetImageCount() const;
  BOOL SetImageCount(UINT uNewCount);
  COLORREF GetBkColor() const;
  COLORREF SetBkColor(COLORREF cr);
  BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;

  int Add(CBitmap* pbmImage, CBitmap* pbmMask);
  int Add(CBitmap* pbmImage, COLORREF crMask);
  int Add(HICON hIcon);
  BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
  int Replace(int nImage, HICON hIcon);
  BOOL Remove(int nImage); // -1 removes every image
  // The caller destroys the icon.
  HICON ExtractIcon(int nImage);
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
};
