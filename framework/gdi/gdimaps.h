// Internals of the GDI module: the thread's handle maps, created on first use, and the typed handles
// of wrapper pointers that may be NULL.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "framework/core/fw_state.h"

CHandleMap* AFXAPI AfxMapHGDIOBJ();
CHandleMap* AFXAPI AfxMapHDC();
CHandleMap* AFXAPI AfxMapHIMAGELIST();

inline HBRUSH BrushOf(const CBrush* pBrush) { return (HBRUSH)pBrush->GetSafeHandle(); }
inline HBITMAP BitmapOf(const CBitmap* pBitmap) { return (HBITMAP)pBitmap->GetSafeHandle(); }
inline HRGN RgnOf(const CRgn* pRgn) { return (HRGN)pRgn->GetSafeHandle(); }
