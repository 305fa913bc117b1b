// What every GDI+ pixel operation shares: the locked pixel rows, the wrappers' status and handle,
// and the picture size the operations work on.
#include "imaging/GdipEffects.h"

#include <cstring>

using namespace Gdiplus;

namespace {

// The MinGW wrappers keep their native handle and last status private and offer no way to set
// the status. An explicit instantiation may name private members, which yields one member
// pointer to each without copying the wrappers' layout.
template <typename Tag, typename Tag::Type Member> struct MemberKey {
  friend typename Tag::Type Get(Tag) { return Member; }
};
struct LastStatusTag {
  typedef Status Image::*Type;
  friend Type Get(LastStatusTag);
};
struct NativeImageTag {
  typedef GpImage* Image::*Type;
  friend Type Get(NativeImageTag);
};
template struct MemberKey<LastStatusTag, &Image::lastStatus>;
template struct MemberKey<NativeImageTag, &Image::nativeImage>;

} // namespace

void GdipRecordStatus(Image* pImage, Status status) {
  if (pImage != NULL && status != Ok)
    pImage->*Get(LastStatusTag()) = status;
}

GpImage* GdipNativeImage(Image* pImage) { return pImage != NULL ? pImage->*Get(NativeImageTag()) : NULL; }

CGdipBitsLock::CGdipBitsLock(Bitmap* pBitmap, int x, int y, int cx, int cy, UINT mode)
    : m_pBitmap(pBitmap), m_bLocked(false) {
  std::memset(&m_data, 0, sizeof(m_data));
  if (pBitmap == NULL)
    return;
  if (cx <= 0 || cy <= 0) {
    GdipRecordStatus(pBitmap, InvalidParameter);
    return;
  }
  Rect rc(x, y, cx, cy);
  m_bLocked = pBitmap->LockBits(&rc, mode, PixelFormat32bppARGB, &m_data) == Ok;
}

CGdipBitsLock::~CGdipBitsLock() {
  if (m_bLocked)
    m_pBitmap->UnlockBits(&m_data);
}

void CGdipEffects::SetSize(int width, int height) {
  cx = width;
  cy = height;
}

void CGdipEffects::CopyPixels(Bitmap* pTarget, Bitmap* pSource) {
  if (pTarget == pSource)
    return;
  CGdipBitsLock src(pSource, 0, 0, cx, cy, ImageLockModeRead);
  CGdipBitsLock dst(pTarget, 0, 0, cx, cy, ImageLockModeWrite);
  if (!src.IsLocked() || !dst.IsLocked())
    return;
  for (int y = 0; y < cy; ++y)
    std::memcpy(dst.Row(y), src.Row(y), static_cast<size_t>(cx) * 4);
}
