// Point, size and rectangle values, usable wherever the platform structures are.
#pragma once

#include "framework/core/fw_core.h"

class CSize;
class CRect;

class CPoint : public tagPOINT {
public:
  CPoint() : tagPOINT{0, 0} {}
  CPoint(int initX, int initY) : tagPOINT{initX, initY} {}
  CPoint(POINT initPt) : tagPOINT(initPt) {}
  CPoint(SIZE initSize) : tagPOINT{initSize.cx, initSize.cy} {}
  explicit CPoint(LPARAM dwPoint) : tagPOINT{(short)LOWORD(dwPoint), (short)HIWORD(dwPoint)} {}

  void Offset(int xOffset, int yOffset) { x += xOffset, y += yOffset; }
  void Offset(POINT point) { Offset(point.x, point.y); }
  void Offset(SIZE size) { Offset(size.cx, size.cy); }
  void SetPoint(int X, int Y) { x = X, y = Y; }

  bool operator==(POINT point) const { return x == point.x && y == point.y; }
  bool operator!=(POINT point) const { return !(*this == point); }
  void operator+=(SIZE size) { Offset(size); }
  void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
  void operator+=(POINT point) { Offset(point); }
  void operator-=(POINT point) { Offset(-point.x, -point.y); }

  CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
  CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
  CPoint operator-() const { return CPoint(-x, -y); }
  CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
  inline CSize operator-(POINT point) const;
  inline CRect operator+(const RECT* lpRect) const;
  inline CRect operator-(const RECT* lpRect) const;
};

class CSize : public tagSIZE {
public:
  CSize() : tagSIZE{0, 0} {}
  CSize(int initCX, int initCY) : tagSIZE{initCX, initCY} {}
  CSize(SIZE initSize) : tagSIZE(initSize) {}
  CSize(POINT initPt) : tagSIZE{initPt.x, initPt.y} {}
  explicit CSize(DWORD dwSize) : tagSIZE{(short)LOWORD(dwSize), (short)HIWORD(dwSize)} {}

  bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
  bool operator!=(SIZE size) const { return !(*this == size); }
  void operator+=(SIZE size) { cx += size.cx, cy += size.cy; }
  void operator-=(SIZE size) { cx -= size.cx, cy -= size.cy; }
  void SetSize(int CX, int CY) { cx = CX, cy = CY; }

  CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
  CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
  CPoint operator+(POINT point) const { return CPoint(cx + point.x, cy + point.y); }
  CPoint operator-(POINT point) const { return CPoint(cx - point.x, cy - point.y); }
};

class CRect : public tagRECT {
public:
  CRect() : tagRECT{0, 0, 0, 0} {}
  CRect(int l, int t, int r, int b) : tagRECT{l, t, r, b} {}
  CRect(const RECT& srcRect) : tagRECT(srcRect) {}
  CRect(LPCRECT lpSrcRect) : tagRECT(*lpSrcRect) {}
  CRect(POINT point, SIZE size) : tagRECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
  CRect(POINT topLeft, POINT bottomRight) : tagRECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
  CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
  const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
  void SwapLeftRight() { SwapLeftRight(this); }
  static void SwapLeftRight(LPRECT lpRect) {
    LONG temp = lpRect->left;
    lpRect->left = lpRect->right;
    lpRect->right = temp;
  }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
  BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

  void SetRect(int x1, int y1, int x2, int y2) { left = x1, top = y1, right = x2, bottom = y2; }
  void SetRect(POINT topLeft, POINT bottomRight) {
    SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void CopyRect(LPCRECT lpSrcRect) { *static_cast<RECT*>(this) = *lpSrcRect; }
  BOOL EqualRect(LPCRECT lpRect) const {
    return left == lpRect->left && top == lpRect->top && right == lpRect->right && bottom == lpRect->bottom;
  }

  void InflateRect(int x, int y) { left -= x, top -= y, right += x, bottom += y; }
  void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
  void InflateRect(LPCRECT lpRect) {
    left -= lpRect->left, top -= lpRect->top, right += lpRect->right, bottom += lpRect->bottom;
  }
  void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
  void DeflateRect(int x, int y) { InflateRect(-x, -y); }
  void DeflateRect(SIZE size) { InflateRect(-size.cx, -size.cy); }
  void DeflateRect(LPCRECT lpRect) {
    left += lpRect->left, top += lpRect->top, right -= lpRect->right, bottom -= lpRect->bottom;
  }
  void DeflateRect(int l, int t, int r, int b) { left += l, top += t, right -= r, bottom -= b; }

  void OffsetRect(int x, int y) { left += x, right += x, top += y, bottom += y; }
  void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
  void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
  void MoveToX(int x) { right = Width() + x, left = x; }
  void MoveToY(int y) { bottom = Height() + y, top = y; }
  void MoveToXY(int x, int y) { MoveToX(x), MoveToY(y); }
  void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }
  void NormalizeRect() {
    if (left > right) {
      LONG t = left;
      left = right, right = t;
    }
    if (top > bottom) {
      LONG t = top;
      top = bottom, bottom = t;
    }
  }

  BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
  BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
  BOOL SubtractRect(LPCRECT lpRectSrc1, LPCRECT lpRectSrc2) {
    return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
  }

  void operator=(const RECT& srcRect) { CopyRect(&srcRect); }
  bool operator==(const RECT& rect) const { return EqualRect(&rect); }
  bool operator!=(const RECT& rect) const { return !EqualRect(&rect); }
  void operator+=(POINT point) { OffsetRect(point); }
  void operator+=(SIZE size) { OffsetRect(size); }
  void operator+=(LPCRECT lpRect) { InflateRect(lpRect); }
  void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
  void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
  void operator-=(LPCRECT lpRect) { DeflateRect(lpRect); }
  void operator&=(const RECT& rect) { IntersectRect(this, &rect); }
  void operator|=(const RECT& rect) { UnionRect(this, &rect); }

  CRect operator+(POINT pt) const {
    CRect r(*this);
    r.OffsetRect(pt);
    return r;
  }
  CRect operator-(POINT pt) const {
    CRect r(*this);
    r.OffsetRect(-pt.x, -pt.y);
    return r;
  }
  CRect operator+(SIZE size) const {
    CRect r(*this);
    r.OffsetRect(size);
    return r;
  }
  CRect operator-(SIZE size) const {
    CRect r(*this);
    r.OffsetRect(-size.cx, -size.cy);
    return r;
  }
  CRect operator+(LPCRECT lpRect) const {
    CRect r(*this);
    r.InflateRect(lpRect);
    return r;
  }
  CRect operator-(LPCRECT lpRect) const {
    CRect r(*this);
    r.DeflateRect(lpRect);
    return r;
  }
  // Without it, rect - rect is ambiguous with the built-in subtraction of the two RECT pointers.
  CRect operator-(const CRect& rect) const { return *this - static_cast<LPCRECT>(&rect); }
  CRect operator&(const RECT& rect2) const {
    CRect r;
    r.IntersectRect(this, &rect2);
    return r;
  }
  CRect operator|(const RECT& rect2) const {
    CRect r;
    r.UnionRect(this, &rect2);
    return r;
  }
};

inline CSize CPoint::operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
inline CRect CPoint::operator+(const RECT* lpRect) const {
  CRect r(lpRect);
  r.OffsetRect(*this);
  return r;
}
inline CRect CPoint::operator-(const RECT* lpRect) const {
  CRect r(lpRect);
  r.OffsetRect(-x, -y);
  return r;
}
