// Per-pixel filters, geometry and caption operations on 32-bit ARGB GDI+ bitmaps.
//
// Every operation walks the cx x cy area set with SetSize; pixels are addressed as the bytes
// blue, green, red, alpha. Colour operations never touch alpha. A failing GDI+ call leaves its
// status in the bitmap wrapper's last status (read it with GetLastStatus) and the operation goes
// on with what it has. Operations that change the picture's size delete the bitmap they were
// given and hand back a new one through the same pointer.
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_geom.h"

#include <gdiplus.h>

#include <memory>

// Locks the whole cx x cy area of a bitmap as 32bpp ARGB for the lifetime of the object.
// A failed lock leaves Bits() NULL and the status in the wrapper.
class CGdipBitsLock {
public:
  CGdipBitsLock(Gdiplus::Bitmap* pBitmap, int x, int y, int cx, int cy,
                UINT mode = Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite);
  ~CGdipBitsLock();
  CGdipBitsLock(const CGdipBitsLock&) = delete;
  CGdipBitsLock& operator=(const CGdipBitsLock&) = delete;

  bool IsLocked() const { return m_bLocked; }
  BYTE* Bits() const { return m_bLocked ? static_cast<BYTE*>(m_data.Scan0) : NULL; }
  int Stride() const { return m_data.Stride; }
  DWORD* Row(int y) const { return reinterpret_cast<DWORD*>(Bits() + y * m_data.Stride); }

private:
  Gdiplus::Bitmap* m_pBitmap;
  Gdiplus::BitmapData m_data;
  bool m_bLocked;
};

class CGdipEffects {
public:
  int cx = 0;
  int cy = 0;
  BYTE lut[256] = {};

  void SetSize(int width, int height);
  void CopyPixels(Gdiplus::Bitmap* pTarget, Gdiplus::Bitmap* pSource);

  // Colour operations (mask bits: 1 red, 2 green, 4 blue).
  void Grayscale(Gdiplus::Bitmap* pBitmap, int nTinge, BYTE nTingeMask);
  void BlackWhite(Gdiplus::Bitmap* pBitmap, int nThreshold);
  void InvertColor(Gdiplus::Bitmap* pBitmap, BYTE nMask);
  void Solarize(Gdiplus::Bitmap* pBitmap, int nThreshold);
  void Emboss(Gdiplus::Bitmap* pBitmap, int nDepth, int nMode);
  void ColorBalance(Gdiplus::Bitmap* pBitmap, int nRed, int nGreen, int nBlue);
  void Brightness(Gdiplus::Bitmap* pBitmap, int nLevel);
  void Contrast(Gdiplus::Bitmap* pBitmap, int nLevel);
  void ApplyLookupTable(Gdiplus::Bitmap* pBitmap);

  // Square n x n convolution written back in place; bands of -1 filter the whole picture,
  // otherwise only a frame nBandX wide and nBandY high is filtered.
  void Convolve(Gdiplus::Bitmap* pBitmap, const int* pKernel, int n, int nDivisor, int nBias, int nBandX,
                int nBandY);
  void Blur(Gdiplus::Bitmap* pBitmap, int nSize, int nBandX, int nBandY);
  void Sharpen(Gdiplus::Bitmap* pBitmap, int nCount);
  // Multiplies the shade bitmap, laid at (l, t) of the target, by the target's colours.
  BOOL MultiplyBlend(Gdiplus::Bitmap* pTarget, Gdiplus::Bitmap* pShade, int l, int t, int r, int b);

  // Edge effects (sides: 1 left, 2 top, 4 right, 8 bottom).
  void FadeEdge(Gdiplus::Bitmap* pBitmap, int nSizePercent, int nSides, COLORREF clrBack);
  void BevelEdge(Gdiplus::Bitmap* pBitmap, int nSizePercent, int nUnused, COLORREF clrUnused);

  // Geometry.
  void Shear(Gdiplus::Bitmap*& pBitmap, int nPercent, int nPercent2, COLORREF clrBack);
  void Perspective(Gdiplus::Bitmap* pBitmap, int nHorzPercent, int nVertPercent, COLORREF clrBack);
  void PerspectiveAxis(Gdiplus::Bitmap* pBitmap, int nAmount, COLORREF clrBack);
  void RotateByAngle(Gdiplus::Bitmap*& pBitmap, int nDegrees, COLORREF clrBack);
  void GetTrimRect(CRect& rcTrim, Gdiplus::Bitmap* pBitmap);

  // Writes one line of text in a white band added above or below the picture, or over its
  // top or bottom edge when bInside is set.
  void AddCaption(Gdiplus::Bitmap*& pBitmap, LPCSTR pszText, LOGFONTA lf, COLORREF clrText, BOOL bInside,
                  BOOL bBottom);

private:
  void PerspectiveView(BYTE* pOrigin, int nStepX, int nStepY, int nAmount, COLORREF clrBack);
  void BoxConvolve(BYTE* pBits, int nStride, int n, int nOuter, int nCentre, int nDivisor, int nBias,
                   int nBandX, int nBandY);
  void DirectConvolve(BYTE* pBits, int nStride, const int* pKernel, int n, int nDivisor, int nBias,
                      int nBandX, int nBandY);
};

// The string converted from the ANSI code page, terminated; an empty string for NULL. At most
// nMaxChars characters are read, so a fixed field without a terminator can be passed.
std::unique_ptr<wchar_t[]> AnsiToWideAlloc(LPCSTR psz, size_t nMaxChars = static_cast<size_t>(-1));

// Records a failed status in a GDI+ wrapper's last status, as its own methods do.
void GdipRecordStatus(Gdiplus::Image* pImage, Gdiplus::Status status);
// The flat-API handle behind a GDI+ wrapper, for calls the wrappers do not offer.
Gdiplus::GpImage* GdipNativeImage(Gdiplus::Image* pImage);
