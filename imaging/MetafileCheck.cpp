// Checks of enhanced and Windows metafiles, record by record, before the platform plays them.
#include "imaging/MetafileCheck.h"
#include "imaging/ByteSpan.h"
#include "imaging/DibFormat.h"
#include "imaging/MetafileFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

using U64 = std::uint64_t;

// What a device-independent bitmap's header says of its layout: the bytes of its header and masks,
// the colours it names, its rows' stride and height, and for rows coded in runs the coded bytes the
// header names, which is as far as the platform's decoder reads them.
struct DibShape {
  U64 nHeader = 0, nMasks = 0, nColours = 0, nBits = 0, nStride = 0, cy = 0, nCoded = 0;
  bool bCore = false, bTopDown = false;
  // The header, masks and colour table at nEntry bytes a colour (a core header's colours are 3 bytes
  // where the others' are 4).
  U64 Info(U64 nEntry) const { return nHeader + nMasks + nColours * (bCore && nEntry == 4 ? 3 : nEntry); }
  // The bytes of nScans rows, or of the coded rows.
  U64 Rows(U64 nScans) const { return nCoded != 0 ? nCoded : nStride * nScans; }
};

// Whether the bitmap at the start of dib has a whole header of a size the platform knows and a
// picture that is not empty, its rows uncompressed, in bit fields, or coded in runs where bRuns (then
// bottom-up, with the size of the coded rows in the header).
bool DibLayout(const CSpan& dib, bool bRuns, DibShape& shape) {
  const DWORD nHeader = dib.U32(0);
  if (!dib.Has(0, nHeader) || !(nHeader == sizeof(BITMAPCOREHEADER) || IsDibInfoHeaderSize(nHeader)))
    return false;
  U64 cx, cy, nBits, nColours, nMasks = 0;
  bool bRle = false;
  if (nHeader == sizeof(BITMAPCOREHEADER)) { // 16-bit sizes, 3-byte colours, no compression
    cx = dib.U16(4), cy = dib.U16(6), nBits = dib.U16(10);
    if (nBits == 16 || nBits == 32)
      return false;
    nColours = nBits <= 8 ? (U64)1 << nBits : 0;
  } else {
    const LONG nWidth = (LONG)dib.U32(4), nHeight = (LONG)dib.U32(8);
    const DWORD nCompression = dib.U32(16);
    cx = nWidth > 0 ? (U64)nWidth : 0;
    cy = nHeight < 0 ? 0 - (U64)(LONG64)nHeight : (U64)nHeight;
    shape.bTopDown = nHeight < 0;
    nBits = dib.U16(14);
    bRle = IsDibRle(nCompression, nBits);
    if (bRle) {
      if (!bRuns || nHeight < 0 || dib.U32(20) == 0)
        return false;
    } else if (nCompression == BI_BITFIELDS && (nBits == 16 || nBits == 32)) {
      nMasks = nHeader == 40 ? 12 : 0; // the masks follow the first version; the later ones hold them
    } else if (nCompression != BI_RGB) {
      return false;
    }
    if (!DibColours(nBits, dib.U32(32), nColours))
      return false;
  }
  if (cx == 0 || cy == 0 || cy > 0x7FFFFFFF || !IsDibBitCount(nBits))
    return false;
  shape.bCore = nHeader == sizeof(BITMAPCOREHEADER);
  shape.nHeader = nHeader, shape.nMasks = nMasks, shape.nColours = nColours, shape.nBits = nBits;
  shape.nStride = DibStride(cx, nBits), shape.cy = cy;
  shape.nCoded = bRle ? dib.U32(20) : 0;
  return true;
}

// The bytes of a colour of the table by the bitmap's colour use, as the format lays it out:
// DIB_PAL_COLORS palette indices of 2 bytes, DIB_PAL_INDICES none (the pixels index the palette),
// colours of 4 bytes otherwise.
U64 FormatColourBytes(DWORD nUsage) { return nUsage == DIB_PAL_COLORS ? 2 : nUsage == 2 ? 0 : 4; }

// Whether a ternary raster operation combines the source with the pattern or the destination.
bool RopUsesSource(DWORD nRop) { return (((nRop >> 2) ^ nRop) & 0x330000) != 0; }

// --- Enhanced metafiles ------------------------------------------------------------------------

// Where the player's own copy of the bytes is written, record by record: nothing while the file is
// only checked.
struct CMend {
  BYTE* p = nullptr;
  void Put(size_t at, DWORD nValue) const {
    if (p != nullptr)
      std::memcpy(p + at, &nValue, sizeof(nValue));
  }
  CMend At(size_t at) const { return {p != nullptr ? p + at : nullptr}; }
};

// How a record's playback takes its bitmap: that it may have none, that its rows may be coded in
// runs, and that colour use DIB_PAL_INDICES reads no colour table there (the mono brush's own
// road; the others read colours of 4 bytes after the header all the same).
enum : unsigned { kMayLack = 1, kRuns = 2, kNoIndexTable = 4 };

// The scans a banded blit gives (cScans from iStartScan), or all of the bitmap's (cScans 0xFFFFFFFF).
struct CScans {
  DWORD nStart = 0, nCount = 0xFFFFFFFF;
  // The rows the platform reads of a bitmap of cy rows: none from a start past them, and from a
  // bottom-up bitmap no more than lie above the start.
  U64 Of(const DibShape& shape) const {
    if (nStart >= shape.cy)
      return 0;
    return std::min<U64>(nCount, shape.bTopDown ? shape.cy : shape.cy - nStart);
  }
};

// The bitmap whose header's offset and size, then its rows' offset and size, lie at atOffBmi of the
// record, its colours of nUsage. A header size of 0 is no bitmap, where the record may have none: the
// player's copy then gets offsets and sizes 0, since the platform's playback reads a header at any
// offset that is not, and takes a blit for a pattern blit only by an offset of 0. Otherwise the header
// lies within the record and its own size and colours within its size, and the rows within theirs,
// which lie within the record; a colour table the platform reads where the format has none lies in
// the record too. The player's copy holds the rows' size to the rows the header and the scans give,
// since a playback that copies by that size would write past a bitmap made of the header.
bool EmfDibFits(const CSpan& rec, size_t atOffBmi, DWORD nUsage, unsigned allows, const CMend& mend,
                CScans scans = {}) {
  const DWORD offBmi = rec.U32(atOffBmi), cbBmi = rec.U32(atOffBmi + 4), offBits = rec.U32(atOffBmi + 8),
              cbBits = rec.U32(atOffBmi + 12);
  if (cbBmi == 0) {
    if (!(allows & kMayLack))
      return false;
    for (size_t at : {atOffBmi, atOffBmi + 8, atOffBmi + 12})
      mend.Put(at, 0);
    return true;
  }
  DibShape shape;
  if (!rec.Has(offBmi, cbBmi) || !rec.Has(offBits, cbBits) ||
      !DibLayout(CSpan{rec.p + offBmi, cbBmi}, (allows & kRuns) != 0, shape))
    return false;
  const U64 nPlatformEntry = nUsage == 2 && !(allows & kNoIndexTable) ? 4 : FormatColourBytes(nUsage);
  const U64 nRows = shape.Rows(scans.Of(shape));
  if (shape.Info(FormatColourBytes(nUsage)) > cbBmi || !rec.Has(offBmi, shape.Info(nPlatformEntry)) ||
      nRows > cbBits)
    return false;
  mend.Put(atOffBmi + 12, (DWORD)nRows);
  return true;
}

// A mask a blit may go without (offsets and sizes 0): the platform then reads the mask's header at
// the record's own start, and reads rows only where that reads as a bitmap it takes. The bounds' top
// holds the bit count there; no real bounds give one a bitmap has.
bool EmfMaskFits(const CSpan& rec, size_t atOffBmi, const CMend& mend) {
  return EmfDibFits(rec, atOffBmi, rec.U32(atOffBmi - 4), kMayLack, mend) &&
         (rec.U32(atOffBmi + 4) != 0 || !IsDibBitCount(rec.U16(14)));
}

// A handle index: a stock object (top bit) or a slot of the table, slot 0 being the metafile's.
bool EmfHandle(DWORD nIndex, DWORD nHandles, bool bStockAllowed) {
  return (bStockAllowed && (nIndex & 0x80000000)) || (nIndex != 0 && nIndex < nHandles);
}

// Region data of nBytes at at: its header and its rectangles.
bool RegionFits(const CSpan& rec, size_t at, DWORD nBytes) {
  return nBytes >= 32 && rec.Has(at, nBytes) && (U64)rec.U32(at + 8) * 16 + 32 <= nBytes;
}

// An EMRTEXT at at: its string (of wide characters or bytes) and its spacing within the record.
bool EmfTextFits(const CSpan& rec, size_t at, bool bWide) {
  const U64 nChars = rec.U32(at + 8), offString = rec.U32(at + 12), offDx = rec.U32(at + 36);
  const U64 nDx = (rec.U32(at + 16) & ETO_PDY) ? 8 : 4;
  return rec.Has(at, 40) && rec.Has(offString, nChars * (bWide ? 2 : 1)) &&
         (offDx == 0 || rec.Has(offDx, nChars * nDx));
}

// Points of nPoint bytes each after a count at 24: polylines, polygons, Béziers and their 16-bit kinds.
bool EmfPointsFit(const CSpan& rec, U64 nPoint, U64 nTypeBytes) {
  return rec.Has(28, rec.U32(24) * (nPoint + nTypeBytes));
}

// Polypolygons: a count of figures at 24, of points at 28, the figures' counts, then the points.
bool EmfPolyPolyFits(const CSpan& rec, U64 nPoint) {
  const U64 nPolys = rec.U32(24), nPoints = rec.U32(28);
  if (!rec.Has(32, nPolys * 4 + nPoints * nPoint))
    return false;
  U64 nSum = 0;
  for (U64 i = 0; i < nPolys; i++)
    nSum += rec.U32(32 + 4 * i);
  return nSum <= nPoints;
}

// The format's record types that the platform's headers name only as reserved.
enum : DWORD {
  EMR_DRAWESCAPE = 105,
  EMR_EXTESCAPE = 106,
  EMR_SMALLTEXTOUT = 108,
  EMR_FORCEUFIMAPPING = 109,
  EMR_NAMEDESCAPE = 110,
  EMR_SETLINKEDUFIS = 119,
  EMR_SETTEXTJUSTIFICATION = 120
};

// The options of a small text record: no clipping rectangle, and one byte a character.
const DWORD kNoRect = 0x100, kSmallChars = 0x200;
// The logical colour spaces of the colour-space records: signature, version, size, type and intent,
// the endpoints and the gammas, then a file name of MAX_PATH characters.
const size_t kLogColourSpaceA = 20 + 36 + 12 + MAX_PATH, kLogColourSpaceW = 20 + 36 + 12 + 2 * MAX_PATH;

// Whether a record type is one of the enhanced format's, from the header to the wide colour space.
bool IsEnhancedRecordType(DWORD nType) {
  return nType >= EMR_HEADER && nType <= EMR_CREATECOLORSPACEW && nType != 69 && nType != 107 && nType != 117;
}

// The smallest size of each record of a fixed size; 0 for the others.
DWORD EmfFixedSize(DWORD nType) {
  // clang-format off
  static const DWORD kSizes[][2] = {
      {EMR_SETMETARGN, 8}, {EMR_SAVEDC, 8}, {EMR_REALIZEPALETTE, 8}, {EMR_BEGINPATH, 8}, {EMR_ENDPATH, 8},
      {EMR_CLOSEFIGURE, 8}, {EMR_FLATTENPATH, 8}, {EMR_WIDENPATH, 8}, {EMR_ABORTPATH, 8},
      {EMR_SETMAPPERFLAGS, 12}, {EMR_SETMAPMODE, 12}, {EMR_SETBKMODE, 12}, {EMR_SETPOLYFILLMODE, 12},
      {EMR_SETROP2, 12}, {EMR_SETSTRETCHBLTMODE, 12}, {EMR_SETTEXTALIGN, 12}, {EMR_SETTEXTCOLOR, 12},
      {EMR_SETBKCOLOR, 12}, {EMR_RESTOREDC, 12}, {EMR_SETARCDIRECTION, 12}, {EMR_SETMITERLIMIT, 12},
      {EMR_SELECTCLIPPATH, 12}, {EMR_SETICMMODE, 12}, {EMR_SETLAYOUT, 12},
      {EMR_FORCEUFIMAPPING, 16}, {EMR_SETTEXTJUSTIFICATION, 16}, {EMR_COLORCORRECTPALETTE, 24},
      {EMR_PIXELFORMAT, 48},
      {EMR_SETWINDOWEXTEX, 16}, {EMR_SETWINDOWORGEX, 16}, {EMR_SETVIEWPORTEXTEX, 16},
      {EMR_SETVIEWPORTORGEX, 16}, {EMR_SETBRUSHORGEX, 16}, {EMR_OFFSETCLIPRGN, 16}, {EMR_MOVETOEX, 16},
      {EMR_LINETO, 16}, {EMR_SETPIXELV, 20},
      {EMR_EXCLUDECLIPRECT, 24}, {EMR_INTERSECTCLIPRECT, 24}, {EMR_SCALEVIEWPORTEXTEX, 24},
      {EMR_SCALEWINDOWEXTEX, 24}, {EMR_ELLIPSE, 24}, {EMR_RECTANGLE, 24}, {EMR_EXTFLOODFILL, 24},
      {EMR_FILLPATH, 24}, {EMR_STROKEANDFILLPATH, 24}, {EMR_STROKEPATH, 24}, {EMR_ANGLEARC, 28},
      {EMR_SETCOLORADJUSTMENT, 32}, {EMR_SETWORLDTRANSFORM, 32}, {EMR_ROUNDRECT, 32},
      {EMR_MODIFYWORLDTRANSFORM, 36}, {EMR_ARC, 40}, {EMR_CHORD, 40}, {EMR_PIE, 40}, {EMR_ARCTO, 40}};
  // clang-format on
  for (const auto& size : kSizes)
    if (size[0] == nType)
      return size[1];
  return 0;
}

// One record (rec spans exactly its size) of a metafile whose table has nHandles slots; mend writes
// the player's copy of it.
bool EmfRecordFits(DWORD nType, const CSpan& rec, DWORD nHandles, const CMend& mend) {
  if (const DWORD nFixed = EmfFixedSize(nType))
    return rec.n >= nFixed;
  switch (nType) {
  case EMR_POLYBEZIER:
  case EMR_POLYGON:
  case EMR_POLYLINE:
  case EMR_POLYBEZIERTO:
  case EMR_POLYLINETO:
    return EmfPointsFit(rec, 8, 0);
  case EMR_POLYBEZIER16:
  case EMR_POLYGON16:
  case EMR_POLYLINE16:
  case EMR_POLYBEZIERTO16:
  case EMR_POLYLINETO16:
    return EmfPointsFit(rec, 4, 0);
  case EMR_POLYDRAW:
    return EmfPointsFit(rec, 8, 1);
  case EMR_POLYDRAW16:
    return EmfPointsFit(rec, 4, 1);
  case EMR_POLYPOLYLINE:
  case EMR_POLYPOLYGON:
    return EmfPolyPolyFits(rec, 8);
  case EMR_POLYPOLYLINE16:
  case EMR_POLYPOLYGON16:
    return EmfPolyPolyFits(rec, 4);
  case EMR_SELECTOBJECT:
  case EMR_DELETEOBJECT:
  case EMR_SELECTPALETTE:
    return rec.n >= 12 && EmfHandle(rec.U32(8), nHandles, true);
  case EMR_CREATEPEN:
    return rec.n >= 28 && EmfHandle(rec.U32(8), nHandles, false);
  case EMR_CREATEBRUSHINDIRECT: {
    // Only solid, hollow and hatched brushes: the platform takes a pattern brush's bitmap from the
    // hatch, as an address or a handle, not from the file.
    const DWORD nStyle = rec.U32(12);
    return rec.n >= 24 && EmfHandle(rec.U32(8), nHandles, false) &&
           (nStyle == BS_SOLID || nStyle == BS_NULL || nStyle == BS_HATCHED);
  }
  case EMR_EXTCREATEFONTINDIRECTW:
    return rec.n >= 12 + sizeof(LOGFONTW) && EmfHandle(rec.U32(8), nHandles, false);
  case EMR_CREATEPALETTE:
    return rec.Has(16, (U64)rec.U16(14) * 4) && EmfHandle(rec.U32(8), nHandles, false);
  case EMR_SETPALETTEENTRIES:
    return rec.Has(20, (U64)rec.U32(16) * 4) && EmfHandle(rec.U32(8), nHandles, false);
  case EMR_RESIZEPALETTE:
    return rec.n >= 16 && EmfHandle(rec.U32(8), nHandles, false);
  case EMR_CREATEMONOBRUSH: // its playback takes DIB_PAL_INDICES for a bitmap of bare rows
    return rec.n >= 32 && EmfHandle(rec.U32(8), nHandles, false) &&
           EmfDibFits(rec, 16, rec.U32(12), kNoIndexTable, mend);
  case EMR_CREATEDIBPATTERNBRUSHPT: {
    // Its playback packs the header's bytes and the rows' into a block of their sizes and reads a
    // table of 4-byte colours in it for DIB_PAL_INDICES too, before the rows.
    const DWORD nUsage = rec.U32(12);
    return rec.n >= 32 && EmfHandle(rec.U32(8), nHandles, false) &&
           EmfDibFits(rec, 16, nUsage == 2 ? DIB_RGB_COLORS : nUsage, 0, mend);
  }
  case EMR_EXTCREATEPEN: {
    // A pen whose brush is a bitmap pattern carries the bitmap, its colour the bitmap's colour use;
    // the platform takes a pattern from the hatch, as an address or a handle, so that is 0. Any other
    // pen carries none, whatever its bitmap's fields hold (writers leave the record's end there).
    const DWORD nStyle = rec.U32(36);
    const bool bDib = nStyle == BS_DIBPATTERN || nStyle == BS_DIBPATTERNPT || nStyle == BS_DIBPATTERN8X8;
    const bool bPattern = bDib || nStyle == BS_PATTERN || nStyle == BS_PATTERN8X8 || nStyle == BS_MONOPATTERN;
    if (!rec.Has(52, (U64)rec.U32(48) * 4) || !EmfHandle(rec.U32(8), nHandles, false))
      return false;
    if (!bPattern) {
      for (size_t at = 12; at < 28; at += 4)
        mend.Put(at, 0);
      return true;
    }
    return rec.U32(44) == 0 && EmfDibFits(rec, 12, rec.U32(40), bDib ? 0 : kMayLack, mend);
  }
  case EMR_GDICOMMENT:
    return rec.Has(12, rec.U32(8));
  case EMR_FILLRGN:
    return rec.n >= 32 && EmfHandle(rec.U32(28), nHandles, true) && RegionFits(rec, 32, rec.U32(24));
  case EMR_FRAMERGN:
    return rec.n >= 40 && EmfHandle(rec.U32(28), nHandles, true) && RegionFits(rec, 40, rec.U32(24));
  case EMR_INVERTRGN:
  case EMR_PAINTRGN:
    return rec.n >= 28 && RegionFits(rec, 28, rec.U32(24));
  case EMR_EXTSELECTCLIPRGN:
    return rec.n >= 16 && (rec.U32(8) == 0 || RegionFits(rec, 16, rec.U32(8)));
  // Bitmaps with rows coded in runs only where the platform's playback leaves the pixels no run sets
  // as it leaves them whatever its memory held (tests/unit/imaging/test_metafile_records.cpp).
  case EMR_BITBLT: // a raster operation without a source needs no bitmap: a pattern blit
  case EMR_STRETCHBLT:
    return rec.n >= (nType == EMR_BITBLT ? 100u : 108u) &&
           EmfDibFits(rec, 84, rec.U32(80), kRuns | (RopUsesSource(rec.U32(40)) ? 0 : kMayLack), mend);
  case EMR_MASKBLT: // the platform reads the source whatever the raster operations
    return rec.n >= 128 && EmfDibFits(rec, 84, rec.U32(80), kRuns, mend) && EmfMaskFits(rec, 112, mend);
  case EMR_PLGBLT:
    return rec.n >= 140 && EmfDibFits(rec, 96, rec.U32(92), kRuns, mend) && EmfMaskFits(rec, 124, mend);
  case EMR_SETDIBITSTODEVICE: // cScans rows from iStartScan
    return rec.n >= 76 && EmfDibFits(rec, 48, rec.U32(64), kRuns, mend, CScans{rec.U32(68), rec.U32(72)});
  case EMR_STRETCHDIBITS:
    return rec.n >= 80 && EmfDibFits(rec, 48, rec.U32(64), kRuns, mend);
  case EMR_ALPHABLEND:
  case EMR_TRANSPARENTBLT:
    return rec.n >= 108 && EmfDibFits(rec, 84, rec.U32(80), 0, mend);
  case EMR_EXTTEXTOUTA:
  case EMR_EXTTEXTOUTW:
    return rec.n >= 76 && EmfTextFits(rec, 36, nType == EMR_EXTTEXTOUTW);
  case EMR_POLYTEXTOUTA:
  case EMR_POLYTEXTOUTW: {
    const U64 nStrings = rec.U32(36);
    if (!rec.Has(40, nStrings * 40))
      return false;
    for (U64 i = 0; i < nStrings; i++)
      if (!EmfTextFits(rec, (size_t)(40 + 40 * i), nType == EMR_POLYTEXTOUTW))
        return false;
    return true;
  }
  case EMR_GRADIENTFILL: {
    const U64 nVertices = rec.U32(24), nShapes = rec.U32(28);
    return rec.Has(36, nVertices * 16 + nShapes * (rec.U32(32) == GRADIENT_FILL_TRIANGLE ? 12 : 8));
  }
  // Records the player passes over or keeps to itself, known by their layout all the same.
  case EMR_SMALLTEXTOUT: {
    const DWORD nOptions = rec.U32(20);
    const U64 nText = (U64)rec.U32(16) * ((nOptions & kSmallChars) ? 1 : 2);
    return rec.Has((nOptions & kNoRect) ? 36 : 52, nText);
  }
  case EMR_SETCOLORSPACE:
  case EMR_DELETECOLORSPACE:
    return rec.n >= 12 && rec.U32(8) < nHandles;
  case EMR_CREATECOLORSPACE:
    return rec.n >= 12 + kLogColourSpaceA && EmfHandle(rec.U32(8), nHandles, false);
  case EMR_CREATECOLORSPACEW: {
    const size_t atData = 12 + kLogColourSpaceW + 8;
    return rec.Has(atData, rec.U32(atData - 4)) && EmfHandle(rec.U32(8), nHandles, false);
  }
  case EMR_GLSRECORD:
    return rec.Has(12, rec.U32(8));
  case EMR_GLSBOUNDEDRECORD:
    return rec.Has(28, rec.U32(24));
  case EMR_DRAWESCAPE:
  case EMR_EXTESCAPE:
    return rec.Has(16, rec.U32(12));
  case EMR_NAMEDESCAPE:
    return rec.Has(20, (U64)rec.U32(12) + rec.U32(16));
  case EMR_SETICMPROFILEA:
  case EMR_SETICMPROFILEW:
    return rec.Has(20, (U64)rec.U32(12) + rec.U32(16));
  case EMR_COLORMATCHTOTARGETW:
    return rec.Has(24, (U64)rec.U32(16) + rec.U32(20));
  case EMR_SETLINKEDUFIS:
    return rec.Has(12, (U64)rec.U32(8) * 8 + 8);
  default:
    // A kind the format does not have, which the player passes over; a second header is no
    // such record.
    return nType != EMR_HEADER && !IsEnhancedRecordType(nType);
  }
}

// --- Windows metafiles -------------------------------------------------------------------------

// A bitmap that fills the rest of a record from parameter word nParam on (after the record's six
// bytes of size and function), its rows right after its colours, of which the record holds scans.
// The platform's player finds the rows after colours of 2 bytes for every use but DIB_RGB_COLORS and
// reads colours of 4 bytes for every use but DIB_PAL_COLORS: both lie in the record.
bool WmfDibFits(const CSpan& rec, size_t nParam, DWORD nUsage, bool bRuns, CScans scans = {}) {
  const CSpan dib = rec.From(6 + 2 * nParam);
  DibShape shape;
  if (!DibLayout(dib, bRuns, shape))
    return false;
  const U64 nInfo = shape.Info(nUsage == DIB_PAL_COLORS ? 2 : 4);
  return nInfo <= dib.n && shape.Rows(scans.Of(shape)) <= dib.n - nInfo;
}

// The parameter word a Windows metafile's blit record's bitmap starts at, or 0 for a record that
// carries none.
size_t WmfBlitBitmapParam(DWORD nFunction, size_t nParams) {
  switch (nFunction) {
  case META_DIBBITBLT:
    return nParams > 9 ? 8 : 0;
  case META_DIBSTRETCHBLT:
    return nParams > 10 ? 10 : 0;
  case META_STRETCHDIB:
    return nParams > 11 ? 11 : 0;
  case META_SETDIBTODEV:
    return nParams > 9 ? 9 : 0;
  default:
    return 0;
  }
}

// The bytes of the rows of an old device-dependent bitmap: rows of whole words.
U64 DdbRows(U64 cx, U64 cy, U64 nBits) { return ((cx * nBits + 15) >> 4 << 1) * cy; }

// An old device-dependent bitmap (Bitmap16) at parameter word nParam: its type, width, height and
// bytes a row, its one plane and its bits a pixel in a byte each, then nGap bytes and its rows.
bool Bitmap16Fits(const CSpan& rec, size_t nParam, size_t nGap) {
  const size_t at = 6 + 2 * nParam;
  const U64 nBits = rec.U8(at + 9);
  return rec.U8(at + 8) == 1 && IsDibBitCount(nBits) &&
         rec.Has(at + 10 + nGap, DdbRows(rec.U16(at + 2), rec.U16(at + 4), nBits));
}

// The rows the platform's player reads where it takes a device-dependent bitmap from its own reading
// of a record, of cx x cy pixels (their signs dropped), nPlanes planes and nBits bits a pixel, from
// byte atRows on. It makes no bitmap of an empty size, of other than one plane or of more than 32
// bits, and rounds the bits up to a count a bitmap has.
bool PlatformDdbFits(const CSpan& rec, LONG cx, LONG cy, DWORD nPlanes, DWORD nBits, size_t atRows) {
  if (cx == 0 || cy == 0 || nPlanes != 1 || nBits > 32)
    return true;
  const DWORD nRounded = nBits == 1    ? 1
                         : nBits <= 4  ? 4
                         : nBits <= 8  ? 8
                         : nBits <= 16 ? 16
                         : nBits <= 24 ? 24
                                       : 32;
  auto magnitude = [](LONG n) { return n < 0 ? 0 - (U64)(LONG64)n : (U64)n; };
  return rec.Has(atRows, DdbRows(magnitude(cx), magnitude(cy), nRounded));
}

// The records of a fixed size the check knows: the high byte of their functions is their number of
// parameter words.
bool IsWmfFixedRecord(DWORD nFunction) {
  // clang-format off
  static const WORD kFunctions[] = {
      META_SETBKCOLOR, META_SETBKMODE, META_SETMAPMODE, META_SETROP2, META_SETRELABS, META_SETPOLYFILLMODE,
      META_SETSTRETCHBLTMODE, META_SETTEXTCHAREXTRA, META_SETTEXTCOLOR, META_SETTEXTJUSTIFICATION,
      META_SETWINDOWORG, META_SETWINDOWEXT, META_SETVIEWPORTORG, META_SETVIEWPORTEXT, META_OFFSETWINDOWORG,
      META_SCALEWINDOWEXT, META_OFFSETVIEWPORTORG, META_SCALEVIEWPORTEXT, META_LINETO, META_MOVETO,
      META_EXCLUDECLIPRECT, META_INTERSECTCLIPRECT, META_ARC, META_ELLIPSE, META_FLOODFILL, META_PIE,
      META_RECTANGLE, META_ROUNDRECT, META_PATBLT, META_SAVEDC, META_SETPIXEL, META_OFFSETCLIPRGN,
      META_RESTOREDC, META_SETTEXTALIGN, META_CHORD, META_SETMAPPERFLAGS, META_REALIZEPALETTE,
      META_RESIZEPALETTE, META_EXTFLOODFILL, META_SETLAYOUT};
  // clang-format on
  for (WORD w : kFunctions)
    if (w == nFunction)
      return true;
  return false;
}

// One record (rec spans exactly its size) of a metafile whose table has nObjects slots.
bool WmfRecordFits(DWORD nFunction, const CSpan& rec, DWORD nObjects) {
  const size_t nParams = (rec.n - 6) / 2;
  auto param = [&](size_t i) { return rec.U16(6 + 2 * i); };
  auto object = [&](size_t i) { return nParams > i && param(i) < nObjects; };
  switch (nFunction) {
  case META_SELECTOBJECT:
  case META_DELETEOBJECT:
  case META_SELECTPALETTE:
  case META_SELECTCLIPREGION:
  case META_INVERTREGION:
  case META_PAINTREGION:
    return object(0);
  case META_FILLREGION:
  case META_FRAMEREGION:
    return object(0) && object(1) && nParams >= (nFunction >> 8);
  case META_POLYGON:
  case META_POLYLINE:
    return nParams >= 1 && 1 + 2 * (U64)param(0) <= nParams;
  case META_POLYPOLYGON: {
    if (nParams < 1 || 1 + (U64)param(0) > nParams)
      return false;
    U64 nPoints = 0;
    for (size_t i = 0; i < param(0); i++)
      nPoints += param(1 + i);
    return 1 + param(0) + 2 * nPoints <= nParams;
  }
  case META_TEXTOUT:
    return nParams >= 1 && 1 + ((U64)param(0) + 1) / 2 + 2 <= nParams;
  case META_EXTTEXTOUT: {
    const bool bRect = nParams >= 4 && (param(3) & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
    return nParams >= 4 && 4 + (bRect ? 4 : 0) + ((U64)param(2) + 1) / 2 <= nParams;
  }
  case META_ESCAPE:
    return nParams >= 2 && 2 + ((U64)param(1) + 1) / 2 <= nParams;
  case META_CREATEPALETTE:
  case META_SETPALENTRIES:
  case META_ANIMATEPALETTE:
    return nParams >= 2 && 2 + 2 * (U64)param(1) <= nParams;
  case META_CREATEFONTINDIRECT: {
    // LOGFONT16: 18 bytes, then a face name that may end early, but within the record.
    const CSpan face = rec.From(6 + 18);
    bool bEnds = face.n >= LF_FACESIZE;
    for (size_t i = 0; i < face.n && !bEnds; i++)
      bEnds = face.p[i] == 0;
    return rec.n >= 6 + 18 && bEnds;
  }
  case META_CREATEPENINDIRECT:
    return nParams >= 5;
  case META_CREATEBRUSHINDIRECT:
    return nParams >= 4;
  case META_CREATEREGION: {
    // A region: a header of 11 words with the number of scans at the sixth, then the scans, each a
    // number of coordinates (even), its top and bottom, the coordinates and the number again.
    size_t at = 11;
    for (size_t i = 0; i < param(5) && at <= nParams; i++) {
      const size_t nCoordinates = param(at);
      if (nCoordinates % 2 != 0)
        return false;
      at += nCoordinates + 4;
    }
    return at <= nParams;
  }
  case META_DIBCREATEPATTERNBRUSH:
    return nParams >= 2 && WmfDibFits(rec, 2, param(1), false);
  case META_CREATEPATTERNBRUSH: {
    // An old bitmap, then the address of its rows (4 bytes) and 18 reserved bytes before them. The
    // platform takes the first word for a brush style and, for two styles, reads a bitmap of its own
    // from the third word on: an info header with the rows after 44 bytes, or a packed bitmap.
    if (nParams < 16 || !Bitmap16Fits(rec, 0, 22))
      return false;
    const CSpan info = rec.From(6 + 4);
    if (param(0) == BS_PATTERN)
      return PlatformDdbFits(rec, (LONG)info.U32(4), (LONG)info.U32(8), info.U16(12), info.U16(14),
                             6 + 2 * 24);
    return param(0) != BS_DIBPATTERN || WmfDibFits(rec, 2, param(1), false);
  }
  // The old blits carry an old bitmap after their 8 or 10 words. The platform reads its fields as
  // words, without the type, from the eighth word (the raster operation taken as one word) or the
  // eleventh on, whatever the record's size, so the rows of that reading lie in the record too.
  case META_BITBLT:
    return nParams >= 13 && Bitmap16Fits(rec, 8, 0) &&
           PlatformDdbFits(rec, param(7), param(8), param(10), param(11), 6 + 2 * 12);
  case META_STRETCHBLT:
    return nParams >= 15 && Bitmap16Fits(rec, 10, 0) &&
           PlatformDdbFits(rec, param(10), param(11), param(13), param(14), 6 + 2 * 15);
  // The platform tells a pattern blit of 9 words from a blit with a bitmap by size alone. It reads
  // a bitmap after the tenth word of a stretched blit whatever its size: one without is refused.
  case META_DIBBITBLT:
    if (nParams == 9)
      return !RopUsesSource(param(1) << 16 | param(0));
    [[fallthrough]];
  case META_DIBSTRETCHBLT:
  case META_STRETCHDIB:
  case META_SETDIBTODEV: {
    // The blits' colours are RGB; the others give their colour use, and a banded one its number of
    // scans, then the first.
    const size_t nBitmap = WmfBlitBitmapParam(nFunction, nParams);
    const bool bDevice = nFunction == META_SETDIBTODEV;
    const DWORD nUsage = nFunction == META_STRETCHDIB ? param(2) : bDevice ? param(0) : DIB_RGB_COLORS;
    return nBitmap != 0 &&
           WmfDibFits(rec, nBitmap, nUsage, true, bDevice ? CScans{param(2), param(1)} : CScans{});
  }
  default:
    return IsWmfFixedRecord(nFunction) && nParams >= (nFunction >> 8);
  }
}

// The enhanced metafile's records checked one by one, each written to the player's copy by mend.
bool CheckEnhMetafile(const BYTE* pBytes, size_t nBytes, const CMend& mend) {
  const CSpan file{pBytes, pBytes != NULL ? nBytes : 0};
  const DWORD nHeader = file.U32(4), nTotal = file.U32(48), nHandles = file.U16(56);
  if (!file.Has(0, 88) || file.U32(0) != EMR_HEADER || file.U32(40) != ENHMETA_SIGNATURE || nHeader < 88 ||
      nHeader % 4 != 0 || nTotal % 4 != 0 || nTotal > file.n || nHeader > nTotal || nHandles == 0)
    return false;
  const CSpan header{pBytes, nHeader};
  const DWORD nDescription = file.U32(60), offDescription = file.U32(64);
  if (nDescription != 0 && !header.Has(offDescription, (U64)nDescription * 2))
    return false;
  // The fixed part ends where the description begins: the fields after its first 88 bytes exist
  // only where it reaches them (several writers put the description right after those 88).
  const DWORD nFixed = nDescription != 0 && offDescription < nHeader ? offDescription : nHeader;
  if (nFixed >= 100 && file.U32(88) != 0 && !header.Has(file.U32(92), file.U32(88)))
    return false; // the pixel format
  for (size_t at = nHeader; at < nTotal;) {
    const DWORD nType = file.U32(at), nSize = file.U32(at + 4);
    if (!file.Has(at, 8) || nSize < 8 || nSize % 4 != 0 || nSize > nTotal - at)
      return false;
    const CSpan rec{pBytes + at, nSize};
    if (nType == EMR_EOF) // the last record, with the palette it may hold
      return at + nSize == nTotal && nSize >= 20 &&
             (rec.U32(8) == 0 || rec.Has(rec.U32(12), (U64)rec.U32(8) * 4));
    if (!EmfRecordFits(nType, rec, nHandles, mend.At(at)))
      return false;
    at += nSize;
  }
  return false; // no end record
}

// Whether a Windows metafile's records, with or without its placeable header, are whole and end
// with the end record, each of them taken by onRecord(function, record, objects in the table).
template <class F> bool WalkWinMetafile(const BYTE* pBytes, size_t nBytes, F onRecord) {
  CSpan file{pBytes, pBytes != NULL ? nBytes : 0};
  if (file.U32(0) == kPlaceableKey)
    file = file.From(sizeof(PlaceableHeader));
  const DWORD nType = file.U16(0), nVersion = file.U16(4), nObjects = file.U16(10);
  const U64 nTotal = (U64)file.U32(6) * 2;
  if (!file.Has(0, 18) || (nType != 1 && nType != 2) || file.U16(2) != 9 ||
      (nVersion != 0x100 && nVersion != 0x300) || nTotal > file.n || nTotal < 18)
    return false;
  for (U64 at = 18; at < nTotal;) {
    const U64 nSize = (U64)file.U32((size_t)at) * 2;
    if (!file.Has(at, 6) || nSize < 6 || nSize > nTotal - at)
      return false;
    const DWORD nFunction = file.U16((size_t)at + 4);
    if (nFunction == 0) // the end record
      return true;
    if (!onRecord(nFunction, CSpan{file.p + at, (size_t)nSize}, nObjects))
      return false;
    at += nSize;
  }
  return false; // no end record
}

} // namespace

bool LooksLikeMetafile(const BYTE* pBytes, size_t nBytes) {
  const CSpan file{pBytes, pBytes != NULL ? nBytes : 0};
  return (file.Has(40, 4) && file.U32(40) == ENHMETA_SIGNATURE) || (file.Has(0, 2) && file.U16(0) == 0xCDD7);
}

bool IsSoundEnhMetafile(const BYTE* pBytes, size_t nBytes) {
  return CheckEnhMetafile(pBytes, nBytes, CMend{});
}

bool MendEnhMetafile(BYTE* pBytes, size_t nBytes) {
  return CheckEnhMetafile(pBytes, nBytes, CMend{}) && CheckEnhMetafile(pBytes, nBytes, CMend{pBytes});
}

bool IsSoundWinMetafile(const BYTE* pBytes, size_t nBytes) {
  return WalkWinMetafile(pBytes, nBytes, WmfRecordFits);
}

bool HasPaletteBitmapBlits(const BYTE* pBytes, size_t nBytes) {
  bool bPalette = false;
  WalkWinMetafile(pBytes, nBytes, [&bPalette](DWORD nFunction, const CSpan& rec, DWORD) {
    DibShape shape;
    if (const size_t nParam = WmfBlitBitmapParam(nFunction, (rec.n - 6) / 2))
      bPalette = DibLayout(rec.From(6 + 2 * nParam), true, shape) && shape.nBits <= 8;
    return !bPalette;
  });
  return bPalette;
}
