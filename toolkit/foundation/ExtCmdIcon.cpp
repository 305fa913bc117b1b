// The command icon: its records, assignment, the icon made from the bitmap, the generated disabled
// look, painting, scaled copies and the archive record.
#include "toolkit/foundation/ExtCmdIcon.h"

#include "framework/core/fw_file.h"
#include "toolkit/foundation/ExtBitmap.h"
#include "toolkit/foundation/ExtGdiHandles.h"

namespace {

const int kNoTint = -1;
const double kDefaultFactor = 1.4;

int ClassicDisabledIconColor() { return kNoTint; }
double ClassicDisabledIconFactor() { return 0.0; }
// Ids below 1000 are system colours; the logical colour the icon asks for (1010, the glyph ink)
// is the window text in the classic map.
COLORREF ClassicColorByLogicalId(int nLogicalId) {
  return ::GetSysColor(nLogicalId < 1000 ? nLogicalId : COLOR_WINDOWTEXT);
}

const CExtCmdIcon::ThemeHooks_t g_classicHooks = {ClassicDisabledIconColor, ClassicDisabledIconFactor,
                                                  ClassicColorByLogicalId};
const CExtCmdIcon::ThemeHooks_t* g_pThemeHooks = &g_classicHooks;

SIZE BitmapSize(HBITMAP hBitmap) {
  BITMAP bm = {};
  if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
    return SIZE{0, 0};
  return SIZE{bm.bmWidth, bm.bmHeight};
}

// The hot-spot rule, falling back to the colour bitmap, else the mask bitmap.
SIZE SizeFromIconInfo(const ICONINFO& info) {
  const BYTE cx = (BYTE)(info.xHotspot * 2), cy = (BYTE)(info.yHotspot * 2);
  if (cx != 0 && cy != 0)
    return SIZE{cx, cy};
  return BitmapSize(info.hbmColor != NULL ? info.hbmColor : info.hbmMask);
}

bool IsWin2000OrLater() {
  static const bool bResult = [] {
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    return ::GetVersionExA(&vi) && vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion >= 5;
  }();
  return bResult;
}

// A screen bitmap of cx x cy filled with the key, with hSource stretched into it. The target is
// all key colour, so copying the key-coloured pixels of the source changes nothing there: a plain
// stretch gives what a transparent one would.
HBITMAP StretchOverKey(HBITMAP hSource, int cx, int cy, COLORREF clrKey) {
  const SIZE sizeSource = BitmapSize(hSource);
  HDC hScreen = ::GetDC(NULL);
  ExtBitmapPtr_t stretched(::CreateCompatibleBitmap(hScreen, cx, cy));
  ::ReleaseDC(NULL, hScreen);
  ExtMemDC_t dcTarget, dcSource;
  if (!stretched || !dcTarget.Select(stretched.get()) || !dcSource.Select(hSource))
    return NULL;
  const RECT rc = {0, 0, cx, cy};
  ::SetBkColor(dcTarget.Get(), clrKey);
  ::ExtTextOutA(dcTarget.Get(), 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
  if (!::StretchBlt(dcTarget.Get(), 0, 0, cx, cy, dcSource.Get(), 0, 0, sizeSource.cx, sizeSource.cy,
                    SRCCOPY))
    return NULL;
  return stretched.release();
}

} // namespace

SIZE GetIconSize(HICON hIcon) {
  ExtIconInfo_t info;
  if (!info.Read(hIcon))
    return SIZE{0, 0};
  return SizeFromIconInfo(info);
}

// ---------------------------------------------------------------------------------------------
// Records

void CExtCmdIcon::BitmapRecord_t::Free() {
  if (m_hBitmap != NULL)
    ::DeleteObject(m_hBitmap);
  m_hBitmap = NULL;
  m_clrKey = RGB(0, 0, 0);
  m_nWidth = m_nHeight = 0;
}

void CExtCmdIcon::BitmapRecord_t::Adopt(HBITMAP hBitmap, COLORREF clrKey) {
  if (hBitmap == NULL) {
    Free();
    return;
  }
  if (hBitmap != m_hBitmap && m_hBitmap != NULL)
    ::DeleteObject(m_hBitmap);
  m_hBitmap = hBitmap;
  m_clrKey = clrKey;
  const SIZE size = BitmapSize(hBitmap);
  m_nWidth = size.cx;
  m_nHeight = size.cy;
}

void CExtCmdIcon::IconRecord_t::Free() { Adopt(NULL, SIZE{0, 0}); }

void CExtCmdIcon::IconRecord_t::Adopt(HICON hIcon, SIZE size) {
  if (hIcon != m_hIcon && m_hIcon != NULL)
    ::DestroyIcon(m_hIcon);
  m_hIcon = hIcon;
  m_nWidth = hIcon != NULL ? size.cx : 0;
  m_nHeight = hIcon != NULL ? size.cy : 0;
}

HICON CExtCmdIcon::IconRecord_t::Detach() {
  HICON hIcon = m_hIcon;
  m_hIcon = NULL;
  m_nWidth = m_nHeight = 0;
  return hIcon;
}

// ---------------------------------------------------------------------------------------------
// Theme answers

void CExtCmdIcon::SetThemeHooks(const ThemeHooks_t* pHooks) {
  g_pThemeHooks = pHooks != NULL ? pHooks : &g_classicHooks;
}

const CExtCmdIcon::ThemeHooks_t& CExtCmdIcon::GetThemeHooks() { return *g_pThemeHooks; }

// ---------------------------------------------------------------------------------------------
// Construction and assignment

CExtCmdIcon::CExtCmdIcon(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcPart, bool bCopy)
    : m_nDisabledColor(kNoTint), m_dDisabledFactor(kDefaultFactor) {
  SetBitmapRecord(hBitmap, clrKey, pRcPart, bCopy);
}

CExtCmdIcon::CExtCmdIcon(const HICON& hIcon, bool bCopy)
    : m_nDisabledColor(kNoTint), m_dDisabledFactor(kDefaultFactor) {
  CExtCmdIcon::AssignFromHIcon(hIcon, bCopy);
}

CExtCmdIcon::CExtCmdIcon(const CExtCmdIcon& other)
    : m_nDisabledColor(kNoTint), m_dDisabledFactor(kDefaultFactor) {
  CExtCmdIcon::AssignFrom(other);
}

CExtCmdIcon& CExtCmdIcon::operator=(const CExtCmdIcon& other) {
  AssignFrom(other);
  return *this;
}

CExtCmdIcon::~CExtCmdIcon() { CExtCmdIcon::Empty(); }

bool CExtCmdIcon::IsEmpty() const { return m_bitmap.m_hBitmap == NULL && m_icon.m_hIcon == NULL; }

void CExtCmdIcon::Empty() {
  m_bitmap.Free();
  m_icon.Free();
  m_iconDisabled.Free();
  m_nDisabledColor = kNoTint;
  m_dDisabledFactor = kDefaultFactor;
}

void CExtCmdIcon::AssignFrom(const CExtCmdIcon& other) {
  if (&other == this)
    return;
  m_iconDisabled.Free();
  if (other.IsBitmapBased()) {
    m_icon.Free();
    SetBitmapRecord(other.m_bitmap.m_hBitmap, other.m_bitmap.m_clrKey, NULL, true);
  } else {
    m_bitmap.Free();
    SetIconRecord(other.m_icon.m_hIcon, true);
  }
  m_nDisabledColor = other.m_nDisabledColor;
  m_dDisabledFactor = other.m_dDisabledFactor;
}

void CExtCmdIcon::AssignFromHIcon(HICON hIcon, bool bCopy) {
  m_iconDisabled.Free();
  m_bitmap.Free();
  SetIconRecord(hIcon, bCopy);
}

void CExtCmdIcon::AssignFromHBitmap(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcPart, bool bCopy) {
  m_icon.Free();
  m_iconDisabled.Free();
  SetBitmapRecord(hBitmap, clrKey, pRcPart, bCopy);
}

void CExtCmdIcon::SetBitmapRecord(HBITMAP hBitmap, COLORREF clrKey, const RECT* pRcPart, bool bCopy) {
  if (hBitmap == NULL) {
    m_bitmap.Free();
    return;
  }
  if (hBitmap == m_bitmap.m_hBitmap && pRcPart == NULL) {
    m_bitmap.m_clrKey = clrKey;
    return;
  }
  if (bCopy) {
    hBitmap = CopyBitmapTo32BitDib(hBitmap, pRcPart, NULL);
    if (hBitmap == NULL)
      return;
  }
  m_bitmap.Adopt(hBitmap, clrKey);
}

void CExtCmdIcon::SetIconRecord(HICON hIcon, bool bCopy) {
  if (!bCopy) {
    if (hIcon != m_icon.m_hIcon)
      m_icon.Adopt(hIcon, GetIconSize(hIcon));
    return;
  }
  // The copy is made before the old icon goes, so that copying the held icon keeps a picture.
  HICON hCopy = NULL;
  SIZE size = {0, 0};
  ExtIconInfo_t info;
  if (info.Read(hIcon)) {
    size = SizeFromIconInfo(info);
    hCopy = ::CreateIconIndirect(&info);
  }
  m_icon.Adopt(hCopy, size);
}

// ---------------------------------------------------------------------------------------------
// Queries

SIZE CExtCmdIcon::GetSize() const {
  if (m_bitmap.m_hBitmap != NULL)
    return SIZE{m_bitmap.m_nWidth, m_bitmap.m_nHeight};
  if (m_icon.m_hIcon != NULL)
    return SIZE{m_icon.m_nWidth, m_icon.m_nHeight};
  return SIZE{0, 0};
}

bool CExtCmdIcon::IsBitmapBased() const { return m_bitmap.m_hBitmap != NULL; }

HBITMAP CExtCmdIcon::GetBitmap() const { return m_bitmap.m_hBitmap; }

COLORREF CExtCmdIcon::GetKeyColor() const { return m_bitmap.m_clrKey; }

HICON CExtCmdIcon::GetIcon(bool bMapColors) {
  if (m_icon.m_hIcon != NULL || !IsBitmapBased())
    return m_icon.m_hIcon;
  HICON hIcon = BitmapToIcon(m_bitmap.m_hBitmap, m_bitmap.m_clrKey, NULL, bMapColors);
  if (hIcon != NULL)
    m_icon.Adopt(hIcon, SIZE{m_bitmap.m_nWidth, m_bitmap.m_nHeight});
  return hIcon;
}

HICON CExtCmdIcon::DetachIcon(bool bMapColors) {
  if (IsEmpty())
    return NULL;
  m_iconDisabled.Free();
  GetIcon(bMapColors);
  HICON hIcon = m_icon.Detach();
  m_bitmap.Free();
  return hIcon;
}

HBITMAP CExtCmdIcon::CopyToDibSection(void** ppBits) const {
  if (ppBits != NULL)
    *ppBits = NULL;
  if (IsBitmapBased())
    return CopyBitmapTo32BitDib(m_bitmap.m_hBitmap, NULL, ppBits);
  ExtIconInfo_t info;
  if (!info.Read(m_icon.m_hIcon))
    return NULL;
  return CopyBitmapTo32BitDib(info.hbmColor != NULL ? info.hbmColor : info.hbmMask, NULL, ppBits);
}

int CExtCmdIcon::GetBitsPerPixel() const {
  BITMAP bm = {};
  if (IsBitmapBased())
    return ::GetObjectA(m_bitmap.m_hBitmap, sizeof(bm), &bm) != 0 ? bm.bmBitsPixel : 0;
  ExtIconInfo_t info;
  if (!info.Read(m_icon.m_hIcon))
    return 0;
  if (info.hbmColor == NULL)
    return 1;
  return ::GetObjectA(info.hbmColor, sizeof(bm), &bm) != 0 ? bm.bmBitsPixel : 0;
}

// ---------------------------------------------------------------------------------------------
// The disabled look

int CExtCmdIcon::GetDisabledColor() const { return m_nDisabledColor; }

int CExtCmdIcon::SetDisabledColor(int nColor) {
  const int nOld = m_nDisabledColor;
  if (nColor != nOld) {
    m_nDisabledColor = nColor;
    m_iconDisabled.Free();
  }
  return nOld;
}

double CExtCmdIcon::GetDisabledFactor() const { return m_dDisabledFactor; }

double CExtCmdIcon::SetDisabledFactor(double dFactor) {
  const double dOld = m_dDisabledFactor;
  if (dFactor != dOld) {
    m_dDisabledFactor = dFactor;
    m_iconDisabled.Free();
  }
  return dOld;
}

HICON CExtCmdIcon::GetDisabledIcon() {
  if (m_nDisabledColor == kNoTint)
    return NULL;
  if (m_iconDisabled.m_hIcon == NULL)
    GenerateDisabledIcon();
  return m_iconDisabled.m_hIcon;
}

void CExtCmdIcon::SyncWithPaintManager() {
  SetDisabledColor(GetThemeHooks().pfnGetDisabledIconColor());
  SetDisabledFactor(GetThemeHooks().pfnGetDisabledIconFactor());
  // The icon made from the bitmap is made again with the new colours.
  if (!IsEmpty() && IsBitmapBased())
    m_icon.Free();
}

void CExtCmdIcon::OnSysColorChange() { SyncWithPaintManager(); }

void CExtCmdIcon::OnSettingChange(WPARAM, LPARAM) { SyncWithPaintManager(); }

void CExtCmdIcon::OnDisplayChange(int, int, int) { SyncWithPaintManager(); }

void CExtCmdIcon::OnThemeChanged(WPARAM, LPARAM) { SyncWithPaintManager(); }

bool CExtCmdIcon::GenerateDisabledIcon() {
  m_iconDisabled.Free();
  if (m_nDisabledColor == kNoTint || IsEmpty())
    return false;
  HBITMAP hRendered = NULL;
  COLORREF clrKey = 0;
  void* pBits = NULL;
  if (!PickUnusedKeyColor(&hRendered, &clrKey, false, &pBits))
    return false;
  ExtBitmapPtr_t rendered(hRendered);
  const SIZE size = BitmapSize(hRendered);
  DWORD* pPixels = static_cast<DWORD*>(pBits);
  const DWORD dwKey = ExtDibColor(clrKey);
  const COLORREF clrTint = (COLORREF)m_nDisabledColor;
  const double f = m_dDisabledFactor;
  for (size_t i = 0, n = (size_t)size.cx * size.cy; i < n; ++i) {
    const DWORD px = pPixels[i];
    if ((px & 0xFFFFFF) == dwKey)
      continue;
    double L =
        0.3 * ((px >> 16) & 0xFF) / 255.0 + 0.5 * ((px >> 8) & 0xFF) / 255.0 + 0.2 * (px & 0xFF) / 255.0;
    if (f > 0)
      L += (1.0 - L) * f;
    else if (f < 0)
      L *= 1.0 + f;
    L = L < 0.0 ? 0.0 : L > 1.0 ? 1.0 : L;
    const int v = (int)(L * 255.0);
    const DWORD r = (DWORD)(v + 3 * ::MulDiv(GetRValue(clrTint), v, 255)) / 4;
    const DWORD g = (DWORD)(v + 3 * ::MulDiv(GetGValue(clrTint), v, 255)) / 4;
    const DWORD b = (DWORD)(v + 3 * ::MulDiv(GetBValue(clrTint), v, 255)) / 4;
    pPixels[i] = r << 16 | g << 8 | b;
  }
  HICON hIcon = BitmapToIcon(hRendered, clrKey, NULL, false);
  if (hIcon != NULL)
    m_iconDisabled.Adopt(hIcon, GetIconSize(hIcon));
  return hIcon != NULL;
}

int CExtCmdIcon::Paint(HDC hDC, const POINT* pPoint, int nState, HBRUSH hBrush) {
  const POINT pt = pPoint != NULL ? *pPoint : POINT{0, 0};
  if (nState == PaintDisabledGenerated && IsWin2000OrLater() && ::GetDeviceCaps(hDC, BITSPIXEL) > 8) {
    HICON hDisabled = GetDisabledIcon();
    if (hDisabled != NULL)
      return ::DrawStateA(hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hDisabled), 0, pt.x, pt.y,
                          m_iconDisabled.m_nWidth, m_iconDisabled.m_nHeight, DST_ICON);
  }
  HICON hIcon = GetIcon(true);
  if (hIcon == NULL)
    return 0;
  UINT nFlags = DST_ICON;
  if (nState == PaintDisabled)
    nFlags |= DSS_DISABLED;
  else if (nState == PaintMono || nState == PaintDisabledGenerated)
    nFlags |= DSS_MONO;
  return ::DrawStateA(hDC, hBrush, NULL, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, m_icon.m_nWidth,
                      m_icon.m_nHeight, nFlags);
}

// ---------------------------------------------------------------------------------------------
// Scaled copies

bool CExtCmdIcon::CreateScaledCopy(const CExtCmdIcon& other, int nWidth, int nHeight) {
  if (&other == this) {
    // Emptying this object first would lose the source.
    const CExtCmdIcon source(other);
    return CreateScaledCopy(source, nWidth, nHeight);
  }
  Empty();
  if (other.IsEmpty() || nWidth <= 0 || nHeight <= 0)
    return false;
  const SIZE size = other.GetSize();
  if (size.cx == nWidth && size.cy == nHeight) {
    AssignFrom(other);
    return !IsEmpty();
  }
  HBITMAP hRendered = NULL;
  COLORREF clrKey = 0;
  if (!other.PickUnusedKeyColor(&hRendered, &clrKey, false, NULL))
    return false;
  ExtBitmapPtr_t rendered(hRendered);
  ExtBitmapPtr_t stretched(StretchOverKey(hRendered, nWidth, nHeight, clrKey));
  if (!stretched)
    return false;
  if (other.IsBitmapBased()) {
    AssignFromHBitmap(stretched.get(), clrKey, NULL, true);
  } else {
    CExtCmdIcon scaled(stretched.get(), clrKey, NULL, true);
    AssignFromHIcon(scaled.DetachIcon(false), false);
  }
  return !IsEmpty();
}

// ---------------------------------------------------------------------------------------------
// Archive record

void CExtCmdIcon::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    const BYTE nKind = IsEmpty() ? 0 : IsBitmapBased() ? 1 : 2;
    ar << nKind;
    if (nKind == 1) {
      HBITMAP hBitmap = m_bitmap.m_hBitmap;
      if (!CExtBitmap::SerializeHBitmap(ar, hBitmap, false))
        AfxThrowArchiveException(CArchiveException::genericException);
      ar << (DWORD)m_bitmap.m_clrKey;
    } else if (nKind == 2) {
      StoreIconRecord(ar);
    }
    return;
  }
  Empty();
  BYTE nKind = 0;
  ar >> nKind;
  if (nKind & 1)
    LoadBitmapRecord(ar);
  else if (nKind & 2)
    LoadIconRecord(ar);
}

void CExtCmdIcon::LoadBitmapRecord(CArchive& ar) {
  // A BMP that does not load leaves the record empty; the key follows all the same.
  HBITMAP hBitmap = NULL;
  CExtBitmap::SerializeHBitmap(ar, hBitmap, false);
  ExtBitmapPtr_t bitmap(hBitmap);
  DWORD dwKey = 0;
  ar >> dwKey;
  m_bitmap.Adopt(bitmap.release(), (COLORREF)dwKey);
}

void CExtCmdIcon::StoreIconRecord(CArchive& ar) const {
  ExtIconInfo_t info;
  if (!info.Read(m_icon.m_hIcon))
    AfxThrowArchiveException(CArchiveException::genericException);
  const BYTE nFlags = (info.fIcon ? 1 : 0) | (info.hbmColor != NULL ? 2 : 0) | (info.hbmMask != NULL ? 4 : 0);
  ar << nFlags << (DWORD)info.xHotspot << (DWORD)info.yHotspot;
  for (HBITMAP hBitmap : {info.hbmColor, info.hbmMask}) {
    if (hBitmap != NULL && !CExtBitmap::SerializeHBitmap(ar, hBitmap, false))
      AfxThrowArchiveException(CArchiveException::genericException);
  }
}

void CExtCmdIcon::LoadIconRecord(CArchive& ar) {
  BYTE nFlags = 0;
  DWORD dwHotspotX = 0, dwHotspotY = 0;
  ar >> nFlags >> dwHotspotX >> dwHotspotY;
  ExtIconInfo_t info;
  info.fIcon = (nFlags & 1) != 0;
  info.xHotspot = dwHotspotX;
  info.yHotspot = dwHotspotY;
  if (nFlags & 2)
    CExtBitmap::SerializeHBitmap(ar, info.hbmColor, false);
  if (nFlags & 4)
    CExtBitmap::SerializeHBitmap(ar, info.hbmMask, false);
  HICON hIcon = ::CreateIconIndirect(&info);
  if (hIcon != NULL)
    m_icon.Adopt(hIcon, SizeFromIconInfo(info));
}
