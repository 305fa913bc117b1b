// Screen grab and bitmap copy. Both stay with BitBlt between display-format bitmaps: any detour
// through per-pixel calls or GDI+ conversions costs several times a plain copy of the pixels.
#include "imaging/capture/ScreenGrab.h"

#include "imaging/CommonLibGdi.h"

#include <algorithm>

namespace {

// Keeps a palette selected into a DC for a scope.
class CPaletteSelection {
public:
  CPaletteSelection(HDC hDC, HPALETTE hPalette, BOOL bForceBackground)
      : m_hDC(hDC), m_hOld(hPalette != NULL ? ::SelectPalette(hDC, hPalette, bForceBackground) : NULL) {}
  ~CPaletteSelection() {
    if (m_hOld != NULL)
      ::SelectPalette(m_hDC, m_hOld, TRUE);
  }
  CPaletteSelection(const CPaletteSelection&) = delete;
  CPaletteSelection& operator=(const CPaletteSelection&) = delete;

private:
  HDC m_hDC;
  HPALETTE m_hOld;
};

} // namespace

HBITMAP GrabScreenRect(RECT rect, BOOL bIncludeMouse) {
  if (::IsRectEmpty(&rect))
    return NULL;

  // The pointer as it is now, before any window of ours changes it.
  HCURSOR hCursor = ::GetCursor();
  POINT ptCursor = {0, 0};
  ::GetCursorPos(&ptCursor);

  CDC screen;
  if (!screen.CreateDC("DISPLAY", NULL, NULL, NULL))
    return NULL;
  CDC memory;
  if (!memory.CreateCompatibleDC(&screen))
    return NULL;

  // Only the primary display is grabbed.
  int left = std::max<int>(rect.left, 0);
  int top = std::max<int>(rect.top, 0);
  int right = std::min<int>(rect.right, screen.GetDeviceCaps(HORZRES));
  int bottom = std::min<int>(rect.bottom, screen.GetDeviceCaps(VERTRES));
  int cx = right - left, cy = bottom - top;
  if (cx <= 0 || cy <= 0)
    return NULL;

  CBitmap bitmap;
  if (!bitmap.CreateCompatibleBitmap(&screen, cx, cy))
    return NULL;
  {
    commonlib::CSelect selected(memory.GetSafeHdc(), bitmap.GetSafeHandle());
    if (!selected.IsSelected() || !memory.BitBlt(0, 0, cx, cy, &screen, left, top, SRCCOPY))
      return NULL;
    if (bIncludeMouse == 1 && hCursor != NULL)
      memory.DrawIcon(ptCursor.x - left - 10, ptCursor.y - top - 10, (HICON)hCursor);
  }
  return (HBITMAP)bitmap.Detach();
}

BOOL DrawBitmapWithPalette(CDC* pDC, const RECT& rcTarget, HBITMAP hBitmap, POINT ptSource,
                           CPalette* pPalette) {
  if (pDC == NULL || pDC->GetSafeHdc() == NULL || hBitmap == NULL)
    return FALSE;
  CDC memory;
  if (!memory.CreateCompatibleDC(pDC))
    return FALSE;

  HPALETTE hPalette = pPalette != NULL ? (HPALETTE)pPalette->GetSafeHandle() : NULL;
  CPaletteSelection memoryPalette(memory.GetSafeHdc(), hPalette, TRUE);
  CPaletteSelection targetPalette(pDC->GetSafeHdc(), hPalette, FALSE);
  if (hPalette != NULL)
    pDC->RealizePalette();

  commonlib::CSelect selected(memory.GetSafeHdc(), hBitmap);
  if (!selected.IsSelected())
    return FALSE;
  pDC->SetStretchBltMode(COLORONCOLOR);
  return pDC->BitBlt(rcTarget.left, rcTarget.top, rcTarget.right - rcTarget.left,
                     rcTarget.bottom - rcTarget.top, &memory, ptSource.x, ptSource.y, SRCCOPY);
}
