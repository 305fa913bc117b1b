#include "test_commonlib_support.h"

#include <gdiplus.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace commonlib_test {

namespace {

BITMAPINFO TopDown32(int cx, int cy) {
  BITMAPINFO bmi;
  memset(&bmi, 0, sizeof(bmi));
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}

// DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
DWORD ToDib(COLORREF clr) {
  return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}
COLORREF FromDib(DWORD px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }

bool RunningOnWine() {
  HMODULE hNtdll = ::GetModuleHandleA("ntdll.dll");
  return hNtdll != NULL && ::GetProcAddress(hNtdll, "wine_get_version") != NULL;
}

std::string ArtifactsFolder() {
  const char* pszEnv = getenv("PIX_ARTIFACTS");
  std::string folder;
  if (pszEnv != NULL && *pszEnv != '\0') {
    folder = pszEnv;
    if (folder[0] == '/' && RunningOnWine())
      folder = "Z:" + folder;
  } else {
    // Beside the build's bin folder, as the test runner would set it.
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
  // Create every missing level.
  for (size_t i = 3; i <= folder.size(); i++)
    if (i == folder.size() || folder[i] == '\\')
      ::CreateDirectoryA(folder.substr(0, i).c_str(), NULL);
  return folder;
}

bool PngEncoder(CLSID* pClsid) {
  UINT nCount = 0, nBytes = 0;
  if (Gdiplus::GetImageEncodersSize(&nCount, &nBytes) != Gdiplus::Ok || nBytes == 0)
    return false;
  std::vector<BYTE> buffer(nBytes);
  Gdiplus::ImageCodecInfo* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(nCount, nBytes, pCodecs) != Gdiplus::Ok)
    return false;
  for (UINT i = 0; i < nCount; i++)
    if (wcscmp(pCodecs[i].MimeType, L"image/png") == 0) {
      *pClsid = pCodecs[i].Clsid;
      return true;
    }
  return false;
}

} // namespace

void MakePicture(CDC* pDC, CBitmap& bitmap, int w, int h, const std::function<COLORREF(int, int)>& fn) {
  bitmap.DeleteObject();
  bitmap.CreateCompatibleBitmap(pDC, w, h);
  std::vector<DWORD> bits((size_t)w * h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      bits[(size_t)y * w + x] = ToDib(fn(x, y));
  BITMAPINFO bmi = TopDown32(w, h);
  ::SetDIBits(pDC->GetSafeHdc(), (HBITMAP)bitmap.GetSafeHandle(), 0, h, bits.data(), &bmi, DIB_RGB_COLORS);
}

void MakeSolid(CDC* pDC, CBitmap& bitmap, int w, int h, COLORREF clr) {
  MakePicture(pDC, bitmap, w, h, [clr](int, int) { return clr; });
}

COLORREF PatternColor(int x, int y) { return RGB((x * 7) & 0x7F, (y * 5) & 0x7F, 0x40 + ((x + y) & 0x3F)); }

Pixels ReadPixels(CDC* pDC, HBITMAP hBitmap) {
  Pixels px;
  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
    return px;
  px.cx = bm.bmWidth;
  px.cy = bm.bmHeight;
  std::vector<DWORD> bits((size_t)px.cx * px.cy);
  BITMAPINFO bmi = TopDown32(px.cx, px.cy);
  ::GetDIBits(pDC->GetSafeHdc(), hBitmap, 0, px.cy, bits.data(), &bmi, DIB_RGB_COLORS);
  px.data.resize(bits.size());
  for (size_t i = 0; i < bits.size(); i++)
    px.data[i] = FromDib(bits[i]);
  return px;
}

int LeadingRun(const Pixels& px, int y, COLORREF clrBack) {
  int n = 0;
  while (n < px.cx && px.At(n, y) == clrBack)
    n++;
  return n;
}

std::string SavePng(HBITMAP hBitmap, const char* pszName) {
  CLSID clsid;
  if (hBitmap == NULL || !PngEncoder(&clsid))
    return std::string();
  std::string path = ArtifactsFolder() + "\\" + pszName;
  std::unique_ptr<Gdiplus::Bitmap> pImage(Gdiplus::Bitmap::FromHBITMAP(hBitmap, NULL));
  if (!pImage || pImage->GetLastStatus() != Gdiplus::Ok)
    return std::string();
  std::wstring wide(path.begin(), path.end());
  if (pImage->Save(wide.c_str(), &clsid, NULL) != Gdiplus::Ok)
    return std::string();
  return path;
}

} // namespace commonlib_test
