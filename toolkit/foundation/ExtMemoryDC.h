// Double-buffered painting: drawing goes to an off-screen bitmap of one rectangle of a target
// device context, in the target's own coordinates, and reaches the target in one block transfer
// when the object is destroyed.
#pragma once

#include "framework/gdi/fw_gdi.h"

class CExtMemoryDC : public CDC {
public:
  enum MemoryDcFlags : DWORD {
    MDC_OFFSCREEN = 0x01,       // draw off-screen (not on a printing target)
    MDC_FILL_BACKGROUND = 0x02, // start with the target's background colour
    MDC_MONOCHROME = 0x04,      // a monochrome buffer
    MDC_DIB_SECTION = 0x08,     // a 32-bit bottom-up DIB section, its bits in m_pHelperDibSurface
    MDC_DEVICE_UNITS = 0x10,    // the rectangle is in device units: no mapping, layout or origin
    MDC_COPY_TARGET = 0x20,     // start with the target's pixels (instead of the fill)
    MDC_DEFAULT = MDC_OFFSCREEN | MDC_FILL_BACKGROUND,
  };

  // Sets up at once when a target is given; a NULL rectangle means the target's clip box.
  explicit CExtMemoryDC(CDC* pDC = NULL, const RECT* pRect = NULL, DWORD dwOpt = MDC_DEFAULT);
  // Copies the buffer to the target.
  ~CExtMemoryDC() override;

  // Ends the buffering, copying the buffer to the target when bCopy is set (FALSE discards it).
  void Flush(BOOL bCopy = TRUE);

  CBitmap m_bmp;
  CBitmap* m_pOldBmp = NULL;
  CDC* m_pDC = NULL;
  CRect m_rect;
  BOOL m_bMemDC = FALSE;
  void* m_pHelperDibSurface = NULL;

private:
  void SetUp(CDC* pDC, const RECT* pRect, DWORD dwOpt);
  BOOL CreateBuffer(DWORD dwOpt);
};
