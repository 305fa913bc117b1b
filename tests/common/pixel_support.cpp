#include "tests/common/pixel_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace pixel_support {

DWORD ToDib(COLORREF clr) {
  return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

COLORREF FromDib(DWORD px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }

std::string ArtifactsFolder() {
  const char* pszEnv = std::getenv("PIX_ARTIFACTS");
  std::string folder;
  if (pszEnv != NULL && *pszEnv != '\0') {
    folder = pszEnv;
    // Under Wine (whose ntdll has wine_get_version) a Unix path is reached through drive Z:.
    if (folder[0] == '/' && ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != NULL)
      folder = "Z:" + folder;
  } else {
    // Beside the build's bin folder, where the test runner points it.
    char szExe[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    folder = szExe;
    for (int i = 0; i < 2; i++) {
      size_t cut = folder.find_last_of("\\/");
      folder = cut == std::string::npos ? std::string(".") : folder.substr(0, cut);
    }
    folder += "\\artifacts";
  }
  for (char& c : folder)
    if (c == '/')
      c = '\\';
  while (!folder.empty() && folder.back() == '\\')
    folder.pop_back();
  for (size_t i = 3; i <= folder.size(); i++)
    if (i == folder.size() || folder[i] == '\\')
      ::CreateDirectoryA(folder.substr(0, i).c_str(), NULL);
  return folder;
}

DibSurface::DibSurface(int cx, int cy, COLORREF crFill, HDC hRef) : m_cx(cx), m_cy(cy) {
  BITMAPINFO bmi = {};
  // Size, width, height (negative: top row first), planes, bits a pixel, no compression.
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
  void* pBits = NULL;
  if (!m_bitmap.Attach(::CreateDIBSection(hRef, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0)) ||
      !m_dc.Attach(::CreateCompatibleDC(hRef)))
    throw std::runtime_error("cannot make a DIB surface");
  m_pBits = static_cast<DWORD*>(pBits);
  m_hOldBitmap = ::SelectObject(m_dc.m_hDC, m_bitmap.m_hObject);
  Fill(crFill);
}

DibSurface::~DibSurface() { ::SelectObject(m_dc.m_hDC, m_hOldBitmap); }

COLORREF DibSurface::At(int x, int y) const {
  ::GdiFlush();
  return FromDib(m_pBits[y * m_cx + x]);
}

std::vector<COLORREF> DibSurface::Pixels() const {
  ::GdiFlush();
  std::vector<COLORREF> pixels((size_t)m_cx * m_cy);
  for (size_t i = 0; i < pixels.size(); i++)
    pixels[i] = FromDib(m_pBits[i]);
  return pixels;
}

void DibSurface::Fill(COLORREF cr) {
  ::GdiFlush();
  std::fill(m_pBits, m_pBits + m_cx * m_cy, ToDib(cr));
}

namespace {

// What a DC holds of the rectangle (x, y, cx, cy); empty when it cannot be read.
Pixels ReadDC(HDC hSource, int x, int y, int cx, int cy) {
  Pixels px;
  try {
    pixel_support::DibSurface copy(cx, cy, RGB(0, 0, 0), hSource);
    if (::BitBlt(copy.hdc(), 0, 0, cx, cy, hSource, x, y, SRCCOPY))
      px = Pixels{cx, cy, copy.Pixels()};
  } catch (const std::runtime_error&) {
    // The empty answer is the failure: every caller reports "no pixels".
  }
  return px;
}

} // namespace

Pixels ReadBitmap(HBITMAP hBitmap) {
  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
    return Pixels();
  HDC hMemory = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
  Pixels px = ReadDC(hMemory, 0, 0, bm.bmWidth, bm.bmHeight);
  ::SelectObject(hMemory, hOld);
  ::DeleteDC(hMemory);
  return px;
}

Pixels ReadWindow(HWND hWnd, const RECT& rc) {
  HDC hDC = ::GetDC(hWnd);
  Pixels px = ReadDC(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top);
  ::ReleaseDC(hWnd, hDC);
  return px;
}

Pixels ReadClient(HWND hWnd) {
  ::RedrawWindow(hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  return ReadWindow(hWnd, rc);
}

std::string SaveBmp(const Pixels& px, const char* pszName) {
  std::string path = pixel_support::ArtifactsFolder() + "\\" + pszName;
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(bmi.bmiHeader), px.cx, -px.cy, 1, 32, BI_RGB};
  DWORD nImage = (DWORD)px.data.size() * 4;
  BITMAPFILEHEADER file = {0x4D42, (DWORD)(sizeof(file) + sizeof(bmi.bmiHeader)) + nImage, 0, 0,
                           (DWORD)(sizeof(file) + sizeof(bmi.bmiHeader))};
  std::vector<DWORD> bits(px.data.size());
  std::transform(px.data.begin(), px.data.end(), bits.begin(), ToDib);
  FILE* pFile = px.Empty() ? NULL : std::fopen(path.c_str(), "wb");
  if (pFile == NULL)
    return std::string();
  bool bOk = std::fwrite(&file, sizeof(file), 1, pFile) == 1 &&
             std::fwrite(&bmi.bmiHeader, sizeof(bmi.bmiHeader), 1, pFile) == 1 &&
             std::fwrite(bits.data(), 4, bits.size(), pFile) == bits.size();
  return std::fclose(pFile) == 0 && bOk ? path : std::string();
}

} // namespace pixel_support
