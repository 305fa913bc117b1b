#include "tests/unit/imaging/test_commonlib_support.h"

#include "imaging/Dib32.h"
#include "tests/common/pixel_support.h"

#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace commonlib_test {

using pixel_support::ArtifactsFolder;
using pixel_support::FromDib;
using pixel_support::ToDib;

namespace {

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
  BITMAPINFO bmi = TopDownDib32(w, h);
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
  BITMAPINFO bmi = TopDownDib32(px.cx, px.cy);
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
