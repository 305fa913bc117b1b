// Pieces the picture tests share: a 32-bit DIB section to draw into and read back, the two pixel
// byte orders, and the folder test pictures are written to. Needs nothing beyond the framework.
#pragma once

#include "framework/fw.h"

#include <string>
#include <vector>

namespace pixel_support {

// DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
DWORD ToDib(COLORREF clr);
COLORREF FromDib(DWORD px);

// Where tests leave pictures for a person to look at: PIX_ARTIFACTS (a Unix path is reached
// through drive Z: under Wine), else an artifacts folder beside the build's bin folder. Every
// missing level is created; the answer has no trailing backslash.
std::string ArtifactsFolder();

// A top-down 32-bit DIB section selected into its own memory DC, its pixels readable directly.
class DibSurface {
public:
  // A surface of one colour, its DC compatible with hRef (the screen when NULL). Throws
  // std::runtime_error when the section or the DC cannot be made.
  DibSurface(int cx, int cy, COLORREF crFill = RGB(255, 255, 255), HDC hRef = NULL);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  CDC& dc() { return m_dc; }
  HDC hdc() const { return m_dc.m_hDC; }
  CBitmap& bitmap() { return m_bitmap; }

  COLORREF At(int x, int y) const;
  // Every pixel, top row first.
  std::vector<COLORREF> Pixels() const;
  void Fill(COLORREF cr);

private:
  int m_cx, m_cy;
  CBitmap m_bitmap; // declared first: outlives the DC
  CDC m_dc;
  HGDIOBJ m_hOldBitmap = NULL;
  DWORD* m_pBits = NULL;
};

// Pixels of a bitmap or a window, top row first, as COLORREF values.
struct Pixels {
  int cx = 0;
  int cy = 0;
  std::vector<COLORREF> data;

  bool Empty() const { return data.empty(); }
  COLORREF At(int x, int y) const { return data[(size_t)y * cx + x]; }
};

// The pixels of a bitmap; empty when it cannot be read.
Pixels ReadBitmap(HBITMAP hBitmap);
// What the window's own DC holds of rc (client coordinates); the screen's for NULL.
Pixels ReadWindow(HWND hWnd, const RECT& rc);
// The window's client area once it and its children have painted what is pending.
Pixels ReadClient(HWND hWnd);
// Writes the pixels as a 32-bit BMP into the artifacts folder. Answers the path, empty on failure.
std::string SaveBmp(const Pixels& px, const char* pszName);

} // namespace pixel_support
