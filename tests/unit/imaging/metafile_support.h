// The platform's playback of a metafile in the tests' own process, as the player plays it: the
// pictures the program's road must give.
#pragma once

#include "imaging/MetafileCheck.h"
#include "imaging/MetafileFormat.h"
#include "imaging/PixelPlane.h"
#include "tests/unit/imaging/test_imaging_util.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace metafile_test {

// The file played over white into cx x cy pixels, opaque: an enhanced metafile onto its frame, edge
// to edge; a placeable Windows metafile that blits a bitmap of a colour table as the platform reads
// a placeable one (its box the window, the picture the viewport), any other converted with its box as
// the extent its records act within. Empty where the platform plays nothing.
inline gdiptest::Loaded PlayedHere(const std::vector<BYTE>& bytes, int cx, int cy) {
  const size_t kPlaceable = sizeof(PlaceableHeader);
  PlaceableHeader header = {};
  if (bytes.size() > kPlaceable)
    std::memcpy(&header, bytes.data(), kPlaceable);
  const bool bPlaceable = header.dwKey == kPlaceableKey;
  METAFILEPICT box = {MM_ANISOTROPIC, 0, 0, NULL};
  CPixelPlane plane;
  HBITMAP hSection = CreatePlaneBitmap(cx, cy, &plane);
  HDC hDC = ::CreateCompatibleDC(NULL);
  HGDIOBJ hOld = ::SelectObject(hDC, hSection);
  const RECT whole = {0, 0, cx, cy};
  ::FillRect(hDC, &whole, (HBRUSH)::GetStockObject(WHITE_BRUSH));
  bool bPlayed = false;
  if (bPlaceable && HasPaletteBitmapBlits(bytes.data(), bytes.size())) {
    HMETAFILE hMf = ::SetMetaFileBitsEx((UINT)(bytes.size() - kPlaceable), bytes.data() + kPlaceable);
    ::SetMapMode(hDC, MM_ANISOTROPIC);
    ::SetWindowOrgEx(hDC, header.left, header.top, NULL);
    ::SetWindowExtEx(hDC, header.right - header.left, header.bottom - header.top, NULL);
    ::SetViewportExtEx(hDC, cx, cy, NULL);
    bPlayed = hMf != NULL && ::PlayMetaFile(hDC, hMf);
    ::DeleteMetaFile(hMf);
  } else if (!bPlaceable || PlaceableBox(bytes.data(), box)) {
    EnhMetafilePtr hEmf(bPlaceable ? ::SetWinMetaFileBits((UINT)(bytes.size() - kPlaceable),
                                                          bytes.data() + kPlaceable, NULL, &box)
                                   : ::SetEnhMetaFileBits((UINT)bytes.size(), bytes.data()));
    const RECT frame = bPlaceable ? whole : RECT{0, 0, cx - 1, cy - 1};
    bPlayed = hEmf && ::PlayEnhMetaFile(hDC, hEmf.get(), &frame);
  }
  ::GdiFlush();
  gdiptest::Loaded played;
  for (int y = 0; bPlayed && y < cy; y++)
    for (int x = 0; x < cx; x++)
      played.px.push_back(reinterpret_cast<const DWORD*>(plane.Row(y))[x] | 0xFF000000);
  if (bPlayed)
    played.cx = cx, played.cy = cy;
  ::SelectObject(hDC, hOld);
  ::DeleteDC(hDC);
  ::DeleteObject(hSection);
  return played;
}

} // namespace metafile_test
