// The widths an enhanced metafile's pens take on the picture it is played into. The platform's wide
// lines fault or never finish for a pen a million pixels wide, which a few bytes of a file give,
// directly or through the mapping mode and the world transform in force when the pen draws; the
// state those records set is followed here as playback follows it.
#include "imaging/ByteSpan.h"
#include "imaging/MetafileCheck.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <map>
#include <vector>

namespace {

// The linear part of a transform, in the platform's order (x' = x * m11 + y * m21); where a
// picture lies does not change how wide its lines are.
struct Linear {
  double m11 = 1, m12 = 0, m21 = 0, m22 = 1;
};

// a, then b.
Linear Then(const Linear& a, const Linear& b) {
  return {a.m11 * b.m11 + a.m12 * b.m21, a.m11 * b.m12 + a.m12 * b.m22, a.m21 * b.m11 + a.m22 * b.m21,
          a.m21 * b.m12 + a.m22 * b.m22};
}

// The most the transform stretches a length: its largest singular value.
double Stretch(const Linear& t) {
  const double s = t.m11 * t.m11 + t.m12 * t.m12 + t.m21 * t.m21 + t.m22 * t.m22;
  const double d = t.m11 * t.m22 - t.m12 * t.m21;
  return std::sqrt((s + std::sqrt(std::max(0.0, s * s - 4 * d * d))) / 2);
}

float FloatAt(const CSpan& rec, size_t at) {
  const DWORD bits = rec.U32(at);
  float f;
  std::memcpy(&f, &bits, sizeof(f));
  return f;
}

Linear XformAt(const CSpan& rec, size_t at) {
  return {FloatAt(rec, at), FloatAt(rec, at + 4), FloatAt(rec, at + 8), FloatAt(rec, at + 12)};
}

struct Pen {
  double width = 0;     // logical units when it scales, else pixels; 0 for stock and null pens
  bool bScales = false; // a geometric pen, or an old-style pen of a width in logical units
};

bool IsExtentMode(int nMode) { return nMode == MM_ISOTROPIC || nMode == MM_ANISOTROPIC; }

// What a record's drawing depends on of the state playback keeps.
struct DrawState {
  int nMapMode = MM_TEXT;
  double wndX = 1, wndY = 1, vpX = 1, vpY = 1;
  Linear world;
  Pen pen;
};

// The metafile's reference device: its size in pixels and in millimetres.
struct Device {
  double cx, cy, mmX, mmY;
};

// The extents a mapping mode sets, as playback sets them: a fixed mode's units, the isotropic
// mode starting from tenths of a millimetre, the anisotropic mode keeping those it has.
void SetMapMode(DrawState& s, int nMode, const Device& dev) {
  const double kMmPerUnit[] = {0, 1, 0.1, 0.01, 0.254, 0.0254, 25.4 / 1440, 0.1};
  if (nMode == s.nMapMode && IsExtentMode(nMode))
    return;
  if (nMode == MM_TEXT) {
    s.wndX = s.wndY = s.vpX = s.vpY = 1;
  } else if (nMode >= MM_LOMETRIC && nMode <= MM_ISOTROPIC) {
    s.wndX = dev.mmX / kMmPerUnit[nMode], s.wndY = dev.mmY / kMmPerUnit[nMode];
    s.vpX = dev.cx, s.vpY = dev.cy;
  } else if (nMode != MM_ANISOTROPIC) {
    return;
  }
  s.nMapMode = nMode;
}

// Logical units to the metafile's device: the world transform, then the window-to-viewport scale
// (the smaller of the two for an isotropic mapping, which playback evens out that way).
Linear ToDevice(const DrawState& s) {
  double sx = std::fabs(s.vpX / s.wndX), sy = std::fabs(s.vpY / s.wndY);
  if (s.nMapMode == MM_ISOTROPIC)
    sx = sy = std::min(sx, sy);
  return Then(s.world, {sx, 0, 0, sy});
}

// Sets or scales an extent as playback does: only under an extent mode, and never to zero.
void SetExtent(const DrawState& s, double& x, double& y, double newX, double newY) {
  if (IsExtentMode(s.nMapMode) && newX != 0 && newY != 0)
    x = newX, y = newY;
}

// The records that stroke with the selected pen.
bool IsStroke(DWORD nType) {
  // clang-format off
  static const DWORD kStrokes[] = {
      EMR_POLYBEZIER, EMR_POLYGON, EMR_POLYLINE, EMR_POLYBEZIERTO, EMR_POLYLINETO, EMR_POLYPOLYLINE,
      EMR_POLYPOLYGON, EMR_ANGLEARC, EMR_ELLIPSE, EMR_RECTANGLE, EMR_ROUNDRECT, EMR_ARC, EMR_CHORD, EMR_PIE,
      EMR_LINETO, EMR_ARCTO, EMR_POLYDRAW, EMR_STROKEANDFILLPATH, EMR_STROKEPATH, EMR_WIDENPATH,
      EMR_POLYBEZIER16, EMR_POLYGON16, EMR_POLYLINE16, EMR_POLYBEZIERTO16, EMR_POLYLINETO16,
      EMR_POLYPOLYLINE16, EMR_POLYPOLYGON16, EMR_POLYDRAW16};
  // clang-format on
  return std::find(std::begin(kStrokes), std::end(kStrokes), nType) != std::end(kStrokes);
}

// The state saved by SAVEDC records, and the one in force.
class CPlayback {
public:
  explicit CPlayback(const Device& dev) : m_dev(dev) {}

  void Apply(DWORD nType, const CSpan& rec) {
    DrawState& s = m_state;
    switch (nType) {
    case EMR_SETMAPMODE:
      SetMapMode(s, (int)rec.U32(8), m_dev);
      break;
    case EMR_SETWINDOWEXTEX:
      SetExtent(s, s.wndX, s.wndY, (LONG)rec.U32(8), (LONG)rec.U32(12));
      break;
    case EMR_SETVIEWPORTEXTEX:
      SetExtent(s, s.vpX, s.vpY, (LONG)rec.U32(8), (LONG)rec.U32(12));
      break;
    case EMR_SCALEWINDOWEXTEX:
    case EMR_SCALEVIEWPORTEXTEX: {
      const double xNum = (LONG)rec.U32(8), xDenom = (LONG)rec.U32(12), yNum = (LONG)rec.U32(16),
                   yDenom = (LONG)rec.U32(20);
      double& x = nType == EMR_SCALEWINDOWEXTEX ? s.wndX : s.vpX;
      double& y = nType == EMR_SCALEWINDOWEXTEX ? s.wndY : s.vpY;
      if (xDenom != 0 && yDenom != 0)
        SetExtent(s, x, y, x * xNum / xDenom, y * yNum / yDenom);
      break;
    }
    case EMR_SETWORLDTRANSFORM:
      s.world = XformAt(rec, 8);
      break;
    case EMR_MODIFYWORLDTRANSFORM:
      ModifyWorld(XformAt(rec, 8), rec.U32(32));
      break;
    case EMR_SAVEDC:
      m_saved.push_back(s);
      break;
    case EMR_RESTOREDC:
      Restore((LONG)rec.U32(8));
      break;
    case EMR_CREATEPEN: // a LOGPEN: its width in logical units, 0 being one pixel
      m_pens[rec.U32(8)] = {rec.U32(12) == PS_NULL ? 0.0 : std::fabs((double)(LONG)rec.U32(16)), true};
      break;
    case EMR_EXTCREATEPEN: { // an EXTLOGPEN: a cosmetic pen's width does not scale
      const DWORD dwStyle = rec.U32(28);
      const bool bNull = (dwStyle & PS_STYLE_MASK) == PS_NULL;
      m_pens[rec.U32(8)] = {bNull ? 0.0 : (double)rec.U32(32), (dwStyle & PS_TYPE_MASK) == PS_GEOMETRIC};
      break;
    }
    case EMR_SELECTOBJECT: {
      const DWORD nIndex = rec.U32(8);
      if (nIndex & 0x80000000) {
        const DWORD nStock = nIndex & 0x7FFFFFFF; // the stock pens are all one pixel, or none
        if (nStock == WHITE_PEN || nStock == BLACK_PEN || nStock == NULL_PEN || nStock == DC_PEN)
          s.pen = Pen();
      } else if (m_pens.count(nIndex)) {
        s.pen = m_pens[nIndex];
      }
      break;
    }
    case EMR_DELETEOBJECT: // or another object made in the pen's slot
    case EMR_CREATEBRUSHINDIRECT:
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATEPALETTE:
      m_pens.erase(rec.U32(8));
      break;
    }
  }

  // The width the selected pen draws at on the device.
  double PenWidth() const {
    const Pen& pen = m_state.pen;
    return pen.bScales ? pen.width * Stretch(ToDevice(m_state)) : pen.width;
  }

private:
  void ModifyWorld(const Linear& x, DWORD nMode) {
    Linear& world = m_state.world;
    if (nMode == MWT_IDENTITY)
      world = Linear();
    else if (nMode == MWT_LEFTMULTIPLY)
      world = Then(x, world);
    else if (nMode == MWT_RIGHTMULTIPLY)
      world = Then(world, x);
    else if (nMode == 4) // MWT_SET
      world = x;
  }

  // A negative level counts back from the last state saved; a positive one names a saved state.
  void Restore(LONG nLevel) {
    const LONG nSaved = (LONG)m_saved.size();
    const LONG nTo = nLevel < 0 ? nSaved + nLevel + 1 : nLevel;
    if (nLevel == 0 || nTo < 1 || nTo > nSaved)
      return;
    m_state = m_saved[(size_t)nTo - 1];
    m_saved.resize((size_t)nTo - 1);
  }

  Device m_dev;
  DrawState m_state;
  std::vector<DrawState> m_saved;
  std::map<DWORD, Pen> m_pens;
};

} // namespace

bool PensFitPicture(const BYTE* pBytes, size_t nBytes, int cx, int cy) {
  const CSpan file{pBytes, pBytes != NULL ? nBytes : 0};
  if (!file.Has(0, 88) || cx <= 0 || cy <= 0)
    return false;
  // The header: its frame in hundredths of a millimetre, its device in pixels and millimetres.
  const double frameW = (double)(LONG)file.U32(32) - (LONG)file.U32(24);
  const double frameH = (double)(LONG)file.U32(36) - (LONG)file.U32(28);
  const double devX = (LONG)file.U32(72), devY = (LONG)file.U32(76), mmX = (LONG)file.U32(80),
               mmY = (LONG)file.U32(84);
  if (devX <= 0 || devY <= 0 || mmX <= 0 || mmY <= 0)
    return false;
  const Device dev = {devX, devY, mmX, mmY};
  // Playback maps the frame onto the picture's edges, and leaves the scale as it is for a frame
  // without width or height.
  const bool bFramed = frameW != 0 && frameH != 0;
  const double toX = bFramed ? std::fabs((cx - 1) / (frameW * devX / mmX / 100)) : 1;
  const double toY = bFramed ? std::fabs((cy - 1) / (frameH * devY / mmY / 100)) : 1;
  const double toPicture = std::max(toX, toY);
  const double bound = std::min((double)cx + cy, (double)kMaxPenPixels);
  CPlayback playback(dev);
  const size_t nTotal = std::min<size_t>(file.U32(48), file.n);
  for (size_t at = file.U32(4); at + 8 <= nTotal;) {
    const DWORD nType = file.U32(at), nSize = file.U32(at + 4);
    if (nSize < 8 || nType == EMR_EOF)
      break;
    const CSpan rec = file.Part(at, nSize);
    playback.Apply(nType, rec);
    // Not "width > bound": a width that is not a number fits no bound either.
    if (IsStroke(nType) && !(playback.PenWidth() * toPicture <= bound))
      return false;
    at += nSize;
  }
  return true;
}
