// Undo deltas of two 32-bit pictures of one size, worked on their rows directly. The coded delta
// is the one RleEncode gives for the bytes of the XOR of the two pictures, rows top to bottom and
// four bytes a pixel, so it decodes the same way however it was made; but the XOR is never made
// as a picture, and the unchanged parts of the pictures are only compared, never copied.
#pragma once

#include "imaging/PixelPlane.h"

#include <windows.h>

#include <vector>

// Where two pictures differ, found by one comparison of their rows.
struct CPlaneDiff {
  // Per row, the first differing byte and one past the last; equal when the row is unchanged.
  std::vector<std::pair<DWORD, DWORD>> spans;
  DWORD counts[256] = {};      // occurrences of each byte value in the XOR of the pictures
  BOOL bColourChanged = FALSE; // a blue, green or red byte differs (alpha alone does not count)
  int nFirstRow = 0;           // the changed rows; nFirstRow > nLastRow when none
  int nLastRow = -1;
};

// Compares two planes of the same size. FALSE when their sizes differ.
BOOL ScanPlaneDiff(const CPixelPlane& a, const CPixelPlane& b, CPlaneDiff& diff);
// The XOR of the planes coded into pOut, or only counted when pOut is NULL; answers the coded
// length. pOut must hold RleBound of the planes' byte size.
DWORD EncodePlaneDiff(const CPixelPlane& a, const CPixelPlane& b, const CPlaneDiff& diff, BYTE* pOut);
// The coded length of an all-zero delta of nRawSize bytes (a picture against itself), and the
// delta itself written into pOut when it is not NULL.
DWORD EncodeZeroDelta(DWORD nRawSize, BYTE* pOut);
// XORs a coded delta onto the plane, writing what changes into pMirror too when one is given (a
// plane of the same size equal to the plane before). FALSE when the coded bytes do not decode to
// exactly the plane's bytes; the delta never writes beyond the plane, but may have been applied in
// part then. Reports the rows that changed.
BOOL XorCodedDelta(const CPixelPlane& plane, const BYTE* pCoded, DWORD nCodedSize, int* pFirstRow,
                   int* pLastRow, const CPixelPlane* pMirror = NULL);
