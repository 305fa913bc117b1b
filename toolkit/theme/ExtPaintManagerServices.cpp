// Window and bitmap services the whole toolkit uses: clipping out and printing child windows,
// flushing pending paint messages, capturing windows, copying and converting bitmaps.
#include "toolkit/theme/ExtPaintManager.h"

#include "framework/core/fw_file.h"
#include "toolkit/foundation/ExtBitmap.h"
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A memory DC released when it goes; its first selection is undone first.
class MemoryDc {
public:
  MemoryDc() : m_hDC(::CreateCompatibleDC(NULL)) {}
  ~MemoryDc() {
    if (m_hOld != NULL)
      ::SelectObject(m_hDC, m_hOld);
    if (m_hDC != NULL)
      ::DeleteDC(m_hDC);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return m_hDC; }
  bool Select(HGDIOBJ hObject) {
    HGDIOBJ hOld = ::SelectObject(m_hDC, hObject);
    if (hOld == NULL || hOld == HGDI_ERROR)
      return false;
    if (m_hOld == NULL)
      m_hOld = hOld;
    return true;
  }

private:
  HDC m_hDC;
  HGDIOBJ m_hOld = NULL;
};

using GdiObjectPtr = std::unique_ptr<void, decltype(&::DeleteObject)>;

// Where the window's (or its client area's) top-left corner lies on the screen.
POINT ScreenOrigin(HWND hWnd, bool bWindow) {
  POINT pt = {0, 0};
  if (bWindow) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    pt = POINT{rc.left, rc.top};
  } else {
    ::ClientToScreen(hWnd, &pt);
  }
  return pt;
}

// Owns global memory until it is handed to the caller.
class GlobalBlock {
public:
  explicit GlobalBlock(SIZE_T nSize) : m_h(::GlobalAlloc(GMEM_MOVEABLE, nSize)) {}
  ~GlobalBlock() {
    if (m_h != NULL)
      ::GlobalFree(m_h);
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  HGLOBAL Get() const { return m_h; }
  bool Grow(SIZE_T nSize) {
    HGLOBAL h = ::GlobalReAlloc(m_h, nSize, GMEM_MOVEABLE);
    if (h == NULL)
      return false;
    m_h = h;
    return true;
  }
  HGLOBAL Detach() {
    HGLOBAL h = m_h;
    m_h = NULL;
    return h;
  }

private:
  HGLOBAL m_h;
};

} // namespace

void CExtPaintManager::ExcludeChildAreas(HDC hDC, HWND hWndParent, ChildFilter pFilter, LPVOID pCookie) {
  if (hDC == NULL || !::IsWindow(hWndParent))
    return;
  for (HWND hChild = ::GetWindow(hWndParent, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    const LONG nStyle = ::GetWindowLongA(hChild, GWL_STYLE);
    if ((nStyle & WS_VISIBLE) == 0 || (nStyle & WS_CHILD) == 0)
      continue;
    if (pFilter != NULL && pFilter(hDC, hWndParent, hChild, pCookie))
      continue;
    RECT rc;
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<POINT*>(&rc), 2);
    ::ExcludeClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
  }
}

bool CExtPaintManager::IsTransparentChildClass(HWND hWnd) {
  char szClass[261] = {};
  ::GetClassNameA(hWnd, szClass, 260);
  ::CharLowerA(szClass);
  if (lstrcmpA(szClass, "static") == 0 || lstrcmpA(szClass, "systabcontrol32") == 0 ||
      lstrcmpA(szClass, "msctls_trackbar32") == 0)
    return true;
  if (lstrcmpA(szClass, "button") != 0)
    return false;
  if (g_PaintManagerHolder.AreLunaColorsValid())
    return true;
  const LONG nType = ::GetWindowLongA(hWnd, GWL_STYLE) & 15;
  return nType <= 7 || nType == 9;
}

bool CExtPaintManager::FilterTransparentChild(HDC, HWND, HWND hWndChild, LPVOID) {
  return IsTransparentChildClass(hWndChild);
}

void CExtPaintManager::PrintChildWindows(HWND hWndParent, UINT nMessage, HDC hDC, LPARAM lPrintFlags,
                                         bool bRecurse, LPARAM lValue1, LPARAM lValue2) {
  const bool bNonClient = (lPrintFlags & PRF_NONCLIENT) != 0;
  const POINT ptClient = ScreenOrigin(hWndParent, false);
  POINT ptShift = {0, 0};
  if (bNonClient) {
    const POINT ptWindow = ScreenOrigin(hWndParent, true);
    ptShift = POINT{ptClient.x - ptWindow.x, ptClient.y - ptWindow.y};
  }
  ::OffsetViewportOrgEx(hDC, ptShift.x, ptShift.y, NULL);
  for (HWND hChild = ::GetWindow(hWndParent, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if ((::GetWindowLongA(hChild, GWL_STYLE) & WS_VISIBLE) == 0)
      continue;
    const POINT ptChild = ScreenOrigin(hChild, bNonClient);
    const int dx = ptChild.x - ptClient.x, dy = ptChild.y - ptClient.y;
    ::OffsetViewportOrgEx(hDC, dx, dy, NULL);
    ::SendMessageA(hChild, nMessage, (WPARAM)hDC, lPrintFlags);
    if (bRecurse)
      PrintChildWindows(hChild, nMessage, hDC, lPrintFlags, bRecurse, lValue1, lValue2);
    ::OffsetViewportOrgEx(hDC, -dx, -dy, NULL);
  }
  ::OffsetViewportOrgEx(hDC, -ptShift.x, -ptShift.y, NULL);
}

void CExtPaintManager::PumpPendingMessages(bool bNcPaint, bool bEraseBkgnd, bool bPaint) {
  const struct {
    bool bAsked;
    UINT nMessage;
  } kinds[] = {{bNcPaint, WM_NCPAINT}, {bEraseBkgnd, WM_ERASEBKGND}, {bPaint, WM_PAINT}};
  for (const auto& kind : kinds) {
    if (!kind.bAsked)
      continue;
    // Only messages of the kind are taken, so other queued messages stay queued; a window that
    // comes back at once did not validate itself and would come forever.
    std::vector<HWND> served;
    MSG msg;
    while (::PeekMessageA(&msg, NULL, kind.nMessage, kind.nMessage, PM_REMOVE)) {
      // A pending quit comes through any filter: it goes back for the application's own loop.
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      const bool bRepeat = std::find(served.begin(), served.end(), msg.hwnd) != served.end();
      ::DispatchMessageA(&msg);
      if (bRepeat)
        break;
      served.push_back(msg.hwnd);
    }
  }
}

HBITMAP CExtPaintManager::CaptureWindowToDib(HWND hWnd, UINT nMessage, LPARAM lPrintFlags) {
  if (!::IsWindow(hWnd))
    return NULL;
  RECT rc;
  if ((lPrintFlags & PRF_NONCLIENT) != 0) {
    ::GetWindowRect(hWnd, &rc);
    ::OffsetRect(&rc, -rc.left, -rc.top);
  } else {
    ::GetClientRect(hWnd, &rc);
  }
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  if (cx <= 0 || cy <= 0)
    return NULL;
  MemoryDc dc;
  void* pBits = NULL;
  GdiObjectPtr dib(ExtCreateDib32(NULL, cx, cy, true, &pBits), &::DeleteObject);
  if (dc.Get() == NULL || dib == NULL || !dc.Select(dib.get()))
    return NULL;
  ::SendMessageA(hWnd, nMessage, (WPARAM)dc.Get(), lPrintFlags);
  ::GdiFlush();
  return (HBITMAP)dib.release();
}

HBITMAP CExtPaintManager::CopyBitmapTo32BitDib(HBITMAP hSource, const RECT* pRcSource, DWORD** ppBits) {
  BITMAP bm = {};
  if (hSource == NULL || ::GetObjectA(hSource, sizeof(bm), &bm) == 0)
    return NULL;
  const RECT rc = pRcSource != NULL ? *pRcSource : RECT{0, 0, bm.bmWidth, bm.bmHeight};
  const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  if (cx <= 0 || cy <= 0)
    return NULL;
  HBITMAP hNew;
  if (ppBits != NULL) {
    void* pBits = NULL;
    hNew = ExtCreateDib32(NULL, cx, cy, false, &pBits);
    *ppBits = static_cast<DWORD*>(pBits);
  } else {
    HDC hScreen = ::GetDC(NULL);
    hNew = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(NULL, hScreen);
  }
  GdiObjectPtr result(hNew, &::DeleteObject);
  MemoryDc dcSource, dcTarget;
  if (result == NULL || !dcSource.Select(hSource) || !dcTarget.Select(hNew) ||
      !::BitBlt(dcTarget.Get(), 0, 0, cx, cy, dcSource.Get(), rc.left, rc.top, SRCCOPY))
    return NULL;
  return (HBITMAP)result.release();
}

HGLOBAL CExtPaintManager::BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette) {
  BITMAP bm = {};
  if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
    return NULL;
  const WORD nBits = (WORD)(bm.bmPlanes * bm.bmBitsPixel);
  const DWORD nTable = nBits <= 8 ? (1u << nBits) : 0;
  BITMAPINFOHEADER head = {};
  head.biSize = sizeof(head);
  head.biWidth = bm.bmWidth;
  head.biHeight = bm.bmHeight;
  head.biPlanes = 1;
  head.biBitCount = nBits;
  head.biCompression = BI_RGB;
  const SIZE_T nHeadSize = sizeof(head) + nTable * sizeof(RGBQUAD);
  GlobalBlock block(nHeadSize);
  if (block.Get() == NULL)
    return NULL;
  MemoryDc dc;
  HPALETTE hPal = hPalette != NULL ? hPalette : (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
  HPALETTE hOldPal = ::SelectPalette(dc.Get(), hPal, FALSE);
  ::RealizePalette(dc.Get());
  auto restore = [&] { ::SelectPalette(dc.Get(), hOldPal, FALSE); };
  auto* pInfo = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block.Get()));
  *pInfo = head;
  const int nHead =
      ::GetDIBits(dc.Get(), hBitmap, 0, (UINT)bm.bmHeight, NULL, (BITMAPINFO*)pInfo, DIB_RGB_COLORS);
  head = *pInfo;
  ::GlobalUnlock(block.Get());
  if (nHead == 0) {
    restore();
    return NULL;
  }
  if (head.biSizeImage == 0)
    head.biSizeImage = ((nBits * (DWORD)bm.bmWidth + 31) & ~31u) / 8 * (DWORD)bm.bmHeight;
  if (!block.Grow(nHeadSize + head.biSizeImage)) {
    restore();
    return NULL;
  }
  pInfo = static_cast<BITMAPINFOHEADER*>(::GlobalLock(block.Get()));
  const int nRows = ::GetDIBits(dc.Get(), hBitmap, 0, (UINT)bm.bmHeight, (BYTE*)pInfo + nHeadSize,
                                (BITMAPINFO*)pInfo, DIB_RGB_COLORS);
  ::GlobalUnlock(block.Get());
  restore();
  return nRows == 0 ? NULL : block.Detach();
}

HICON CExtPaintManager::BitmapToIcon(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcSource, bool) {
  DWORD* pBits = NULL;
  GdiObjectPtr copy(CopyBitmapTo32BitDib(hBitmap, pRcSource, &pBits), &::DeleteObject);
  BITMAP bm = {};
  if (copy == NULL || ::GetObjectA(copy.get(), sizeof(bm), &bm) == 0)
    return NULL;
  HIMAGELIST hList = ::ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR24 | ILC_MASK, 1, 0);
  if (hList == NULL)
    return NULL;
  HICON hIcon = NULL;
  if (::ImageList_AddMasked(hList, (HBITMAP)copy.get(), clrKey) >= 0)
    hIcon = ::ImageList_GetIcon(hList, 0, ILD_NORMAL);
  ::ImageList_Destroy(hList);
  return hIcon;
}

bool CExtPaintManager::SerializeHBitmap(CArchive& ar, HBITMAP& hBitmap, bool bNoFileHeader) {
  return CExtBitmap::SerializeHBitmap(ar, hBitmap, bNoFileHeader);
}

HBITMAP CExtPaintManager::LoadBitmapResource(HMODULE hModule, HRSRC hResource) {
  return CExtBitmap::LoadBitmapResource(hModule, hResource);
}

HBITMAP CExtPaintManager::LoadBitmapFromMemory(const BYTE* pData, DWORD nSize) {
  if (pData == NULL || nSize == 0)
    return NULL;
  HBITMAP hBitmap = NULL;
  try {
    CMemFile file(const_cast<BYTE*>(pData), nSize);
    CArchive ar(&file, CArchive::load, 4096);
    if (!CExtBitmap::SerializeHBitmap(ar, hBitmap, false))
      hBitmap = NULL;
  } catch (CException* e) {
    e->Delete();
    if (hBitmap != NULL)
      ::DeleteObject(hBitmap);
    return NULL;
  }
  return hBitmap;
}

int CExtPaintManager::CountBitmapColors(HBITMAP hBitmap, CMap<COLORREF, COLORREF, DWORD, DWORD>& mapColors) {
  mapColors.RemoveAll();
  BITMAP bm = {};
  DWORD* pBits = NULL;
  if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
    return 0;
  GdiObjectPtr copy(CopyBitmapTo32BitDib(hBitmap, NULL, &pBits), &::DeleteObject);
  if (copy == NULL)
    return 0;
  ::GdiFlush();
  const size_t nCount = (size_t)bm.bmWidth * bm.bmHeight;
  for (size_t i = 0; i < nCount; ++i) {
    const DWORD px = pBits[i];
    const COLORREF clr = RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
    DWORD nSeen = 0;
    mapColors.Lookup(clr, nSeen);
    mapColors.SetAt(clr, nSeen + 1);
  }
  return bm.bmPlanes * bm.bmBitsPixel;
}

int CExtPaintManager::GetBitmapColors(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arrColors, bool bUnique) {
  BITMAP bm = {};
  if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
    return (int)arrColors.GetSize();
  if (bm.bmPlanes * bm.bmBitsPixel <= 8) {
    HGLOBAL hPacked = BitmapToPackedDib(hBitmap, NULL);
    if (hPacked == NULL)
      return (int)arrColors.GetSize();
    const auto* pInfo = static_cast<const BITMAPINFO*>(::GlobalLock(hPacked));
    const DWORD nTable = 1u << (bm.bmPlanes * bm.bmBitsPixel);
    for (DWORD i = 0; i < nTable; ++i) {
      const RGBQUAD& q = pInfo->bmiColors[i];
      const COLORREF clr = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
      bool bPresent = false;
      for (INT_PTR j = 0; bUnique && !bPresent && j < arrColors.GetSize(); ++j)
        bPresent = arrColors[j] == clr;
      if (!bPresent)
        arrColors.Add(clr);
    }
    ::GlobalUnlock(hPacked);
    ::GlobalFree(hPacked);
    return (int)arrColors.GetSize();
  }
  CMap<COLORREF, COLORREF, DWORD, DWORD> mapColors;
  CountBitmapColors(hBitmap, mapColors);
  for (POSITION pos = mapColors.GetStartPosition(); pos != NULL;) {
    COLORREF clr;
    DWORD nCount;
    mapColors.GetNextAssoc(pos, clr, nCount);
    arrColors.Add(clr);
  }
  return (int)arrColors.GetSize();
}

DWORD CExtPaintManager::GetDllVersion(LPCSTR pszDllName) {
  HMODULE hModule = ::LoadLibraryA(pszDllName);
  if (hModule == NULL)
    return 0;
  DWORD dwVersion = 0;
  auto pfn = reinterpret_cast<DLLGETVERSIONPROC>(
      reinterpret_cast<void (*)()>(::GetProcAddress(hModule, "DllGetVersion")));
  if (pfn != NULL) {
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);
    if (SUCCEEDED(pfn(&info)))
      dwVersion = (info.dwMajorVersion << 16) | info.dwMinorVersion;
  }
  ::FreeLibrary(hModule);
  return dwVersion;
}
